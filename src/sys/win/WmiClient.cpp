#include "sys/win/WmiClient.h"

#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

#include <oleauto.h>

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

namespace {

const wchar_t* const kQueries[] = {
    L"SELECT * FROM Win32_Processor", L"SELECT * FROM Win32_DiskDrive",
    L"SELECT * FROM Win32_BaseBoard", L"SELECT * FROM Win32_DesktopMonitor",
    L"SELECT * FROM Win32_BIOS",
};

const CLSID kWbemLocator = {
    0x4590F811, 0x1D3A, 0x11D0, {0x89, 0x1F, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
const IID kIWbemLocator = {
    0xDC12A687, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};

// A COM string, freed with its owner.
using CComString = CWinHandle<BSTR, &::SysFreeString>;

// Reads property `name` of the current object into `value` (initialised by the caller).
bool ReadProperty(CWmiPayload& payload, const char16_t* name, VARIANT& value) {
    return payload.Data.Current &&
           SUCCEEDED(payload.Data.Current.Get()->Get(Wide(name), 0, &value, nullptr, nullptr));
}

} // namespace

IEnumWbemClassObject* rg_wmi_query(int32_t kind) {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return nullptr;
    IEnumWbemClassObject* results = nullptr;
    {
        CComRef<IWbemLocator> locator;
        CComRef<IWbemServices> services;
        const CComString space(::SysAllocString(L"ROOT\\CIMV2"));
        if (SUCCEEDED(::CoCreateInstance(kWbemLocator, nullptr, CLSCTX_INPROC_SERVER, kIWbemLocator,
                                         reinterpret_cast<void**>(locator.Receive()))) &&
            SUCCEEDED(locator.Get()->ConnectServer(space.Get(), nullptr, nullptr, nullptr, 0,
                                                   nullptr, nullptr, services.Receive())) &&
            SUCCEEDED(::CoSetProxyBlanket(services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE,
                                          nullptr, RPC_C_AUTHN_LEVEL_CALL,
                                          RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE)) &&
            kind >= 0 && kind < static_cast<int32_t>(sizeof kQueries / sizeof kQueries[0])) {
            const CComString language(::SysAllocString(L"WQL"));
            const CComString query(::SysAllocString(kQueries[kind]));
            if (FAILED(services.Get()->ExecQuery(
                    language.Get(), query.Get(),
                    WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr, &results)))
                results = nullptr;
        }
    }
    // The interfaces go before COM does.
    ::CoUninitialize();
    return results;
}

int32_t rg_wmi_next(CWmiPayload& payload) {
    payload.Data.Current.Reset();
    if (!payload.Data.ResultSet)
        return 0;
    CComRef<IWbemClassObject> object;
    ULONG returned = 0;
    if (FAILED(payload.Data.ResultSet.Get()->Next(WBEM_INFINITE, 1, object.Receive(), &returned)) ||
        !object || returned == 0)
        return 0;
    payload.Data.Current = static_cast<CComRef<IWbemClassObject>&&>(object);
    return 1;
}

CWString rg_wmi_text_property(CWmiPayload& payload, const char16_t* name) {
    CWString text;
    VARIANT value;
    ::VariantInit(&value);
    if (ReadProperty(payload, name, value) && value.vt == VT_BSTR && value.bstrVal != nullptr)
        text.SetTextN(FromWide(value.bstrVal), ::SysStringLen(value.bstrVal));
    ::VariantClear(&value);
    return text;
}

uint32_t rg_wmi_integer_property(CWmiPayload& payload, const char16_t* name, int32_t width) {
    uint64_t bits = 0;
    bool integer = true;
    VARIANT value;
    ::VariantInit(&value);
    if (!ReadProperty(payload, name, value))
        integer = false;
    else {
        switch (value.vt) {
        case VT_I1:
            bits = static_cast<uint64_t>(value.cVal);
            break;
        case VT_UI1:
            bits = value.bVal;
            break;
        case VT_I2:
            bits = static_cast<uint64_t>(value.iVal);
            break;
        case VT_UI2:
            bits = value.uiVal;
            break;
        case VT_I4:
            bits = static_cast<uint64_t>(value.lVal);
            break;
        case VT_UI4:
            bits = value.ulVal;
            break;
        case VT_INT:
            bits = static_cast<uint64_t>(value.intVal);
            break;
        case VT_UINT:
            bits = value.uintVal;
            break;
        case VT_I8:
            bits = static_cast<uint64_t>(value.llVal);
            break;
        case VT_UI8:
            bits = value.ullVal;
            break;
        default:
            integer = false;
            break;
        }
    }
    ::VariantClear(&value);
    if (!integer)
        return 0;
    return width == 16 ? static_cast<uint32_t>(bits & 0xFFFF) : static_cast<uint32_t>(bits);
}

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
