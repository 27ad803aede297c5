#pragma once
// A small WMI client: fixed WQL queries against the local ROOT\CIMV2 namespace, and the
// counted payload that holds a result set and its current object.

#include "runtime/CRefObject.h"
#include "runtime/CWString.h"
#include "runtime/win/CWinHandle.h"

#include <wbemidl.h>

#include <cstdint>

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

// The interfaces of one query: its forward-only result set and the object last fetched
// from it. Destroying it releases Current, then ResultSet.
struct CWinCpuInfo {
    CWinCpuInfo() noexcept = default;
    CWinCpuInfo(const CWinCpuInfo&) = delete;
    CWinCpuInfo& operator=(const CWinCpuInfo&) = delete;

    CComRef<IEnumWbemClassObject> ResultSet;
    CComRef<IWbemClassObject> Current;
};

// A counted object carrying data of type T; it answers as a CRefObject.
template <class T>
class CRefObjectWithData : public CRefObject {
public:
    T Data;
};

using CWmiPayload = CRefObjectWithData<CWinCpuInfo>;

// The query kinds.
enum : int32_t {
    rg_wmi_processor = 0,       // Win32_Processor
    rg_wmi_disk_drive = 1,      // Win32_DiskDrive
    rg_wmi_base_board = 2,      // Win32_BaseBoard
    rg_wmi_desktop_monitor = 3, // Win32_DesktopMonitor
    rg_wmi_bios = 4,            // Win32_BIOS
};

// Runs the query of `kind` and returns its result set with one reference for the
// caller, or null. COM is initialised for the call and uninitialised after it, so the
// result set stays usable only on a thread whose COM stays initialised.
IEnumWbemClassObject* rg_wmi_query(int32_t kind);

// Makes the next object of the result set Current; 1 when there was one, else 0 (and
// Current is none).
int32_t rg_wmi_next(CWmiPayload& payload);

// The text property `name` of Current; empty when there is no Current, or the property
// is missing, null, empty or not a text.
CWString rg_wmi_text_property(CWmiPayload& payload, const char16_t* name);

// The low 16 or 32 bits (`width`) of the integer property `name` of Current, unsigned;
// 0 when there is no Current, or the property is missing, null or not an integer.
uint32_t rg_wmi_integer_property(CWmiPayload& payload, const char16_t* name, int32_t width);

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
