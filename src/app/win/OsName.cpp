#include "app/win/OsName.h"

#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

namespace {

const char16_t kCurrentVersionKey[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

void EnableDebugPrivilege() {
    HANDLE token;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (::LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &privileges.Privileges[0].Luid))
        ::AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr);
    ::CloseHandle(token);
}

} // namespace

CWString rg_registry_text(const CWString& keyPath, const CWString& valueName) {
    // Zero-filled, so a value stored without terminator still ends within the buffer.
    char16_t value[4096] = {};
    HKEY key;
    LSTATUS status = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(keyPath), 0,
                                     KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key);
    if (status != ERROR_SUCCESS) {
        ::SetLastError(static_cast<DWORD>(status));
        return CWString();
    }
    DWORD size = sizeof value;
    status = ::RegQueryValueExW(key, Wide(valueName), nullptr, nullptr,
                                reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        ::SetLastError(static_cast<DWORD>(status));
        return CWString();
    }
    return CWString(value, static_cast<int64_t>(sizeof value / sizeof value[0]));
}

CWString rg_os_name(CWString& name) {
    EnableDebugPrivilege();
    const CWConstString key(kCurrentVersionKey);
    name = rg_registry_text(key, CWConstString(u"ProductName"));
    return rg_name_windows(name, [&] { return rg_registry_text(key, CWConstString(u"BuildLab")); });
}

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
