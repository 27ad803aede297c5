#include "app/win/OsName.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include "runtime/win/Win32.h"

#include <optional>
#include <string>

using namespace rg_nimb_JiTongCaoZuoZhiChiKu;

namespace {

// Writes string values into the 32-bit view of the registry and puts back what was
// there when the test ends.
class RegistryValues {
public:
    explicit RegistryValues(const wchar_t* key, REGSAM view = KEY_WOW64_32KEY)
        : Key(key), View(view) {}
    ~RegistryValues() {
        for (const Saved& saved : Originals) {
            if (saved.Value)
                Write(saved.Name.c_str(), saved.Value->c_str());
            else
                Delete(saved.Name.c_str());
        }
    }

    void Set(const wchar_t* name, const std::wstring& value) {
        Originals.push_back({name, Read(name)});
        Write(name, value.c_str());
    }
    void Remove(const wchar_t* name) {
        Originals.push_back({name, Read(name)});
        Delete(name);
    }

private:
    struct Saved {
        std::wstring Name;
        std::optional<std::wstring> Value;
    };

    std::optional<std::wstring> Read(const wchar_t* name) {
        HKEY key;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Key, 0, KEY_QUERY_VALUE | View, &key) !=
            ERROR_SUCCESS)
            return std::nullopt;
        wchar_t buffer[8192] = {};
        DWORD size = sizeof buffer - sizeof buffer[0];
        const LSTATUS status =
            ::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
        ::RegCloseKey(key);
        if (status != ERROR_SUCCESS)
            return std::nullopt;
        return std::wstring(buffer);
    }
    void Write(const wchar_t* name, const wchar_t* value) {
        HKEY key;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Key, 0, nullptr, 0, KEY_SET_VALUE | View,
                                    nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                   static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    void Delete(const wchar_t* name) {
        HKEY key;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Key, 0, KEY_SET_VALUE | View, &key) ==
            ERROR_SUCCESS) {
            ::RegDeleteValueW(key, name);
            ::RegCloseKey(key);
        }
    }

    const wchar_t* Key;
    REGSAM View;
    std::vector<Saved> Originals;
};

const wchar_t kTestKey[] = L"SOFTWARE\\kqv-hwviewer-tests";

} // namespace

TEST(RegistryText, ReadsStringValuesThroughThe32BitView) {
    RegistryValues view32(kTestKey);
    RegistryValues view64(kTestKey, KEY_WOW64_64KEY);
    view32.Set(L"Name", L"32 位视图");
    view64.Set(L"Name", L"64-bit view");
    view64.Set(L"Only64", L"not visible");

    const CWConstString key(u"SOFTWARE\\kqv-hwviewer-tests");
    EXPECT_EQ(Units(rg_registry_text(key, CWConstString(u"Name"))), u"32 位视图");

    ::SetLastError(0);
    EXPECT_TRUE(rg_registry_text(key, CWConstString(u"Only64")).IsEmpty());
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    ::SetLastError(0);
    EXPECT_TRUE(
        rg_registry_text(CWConstString(u"SOFTWARE\\no such key here"), CWConstString(u"Name"))
            .IsEmpty());
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(RegistryText, AValueThatFillsTheBufferIsCutAt4096Characters) {
    RegistryValues view32(kTestKey);
    view32.Set(L"Long", std::wstring(4095, L'x'));
    const CWConstString key(u"SOFTWARE\\kqv-hwviewer-tests");
    EXPECT_EQ(rg_registry_text(key, CWConstString(u"Long")).GetLength(), 4095);

    // 4096 characters and the terminator no longer fit: the read fails as too large.
    view32.Set(L"Long", std::wstring(5000, L'y'));
    ::SetLastError(0);
    EXPECT_TRUE(rg_registry_text(key, CWConstString(u"Long")).IsEmpty());
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
}

TEST(OsNameWin, NamesTheSystemFromTheRegistry) {
    RegistryValues currentVersion(L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
    currentVersion.Set(L"ProductName", L"Windows 10 Pro");
    currentVersion.Set(L"BuildLab", L"22621.ni_release.220506-1250");
    CWString name;
    EXPECT_EQ(Units(rg_os_name(name)), u"11");
    EXPECT_EQ(Units(name), u"Windows 11 Pro");

    currentVersion.Set(L"BuildLab", L"19045.vb_release.191206-1406");
    EXPECT_EQ(Units(rg_os_name(name)), u"10");
    EXPECT_EQ(Units(name), u"Windows 10 Pro");

    currentVersion.Remove(L"ProductName");
    name.SetText(u"stale");
    EXPECT_TRUE(rg_os_name(name).IsEmpty());
    EXPECT_TRUE(name.IsEmpty());
}
