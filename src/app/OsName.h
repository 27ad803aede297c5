#pragma once
// Naming the installed Windows: product name with a Chinese edition label, corrected for
// Windows 11.

#include "runtime/CWString.h"

#include <functional>

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

// Applies the naming rules to the product name in `name`: appends the edition label of
// the first edition keyword it contains and "(服务器)" for a server, and for "Windows
// 10" asks `readBuildLab` for the BuildLab value, renaming it Windows 11 from build 22000
// on. Returns the short version: "7", "8.1", "8", "10", "11", a server's digits, or empty.
// Keywords match with ASCII letters compared without case.
CWString rg_name_windows(CWString& name, const std::function<CWString()>& readBuildLab);

#ifdef _WIN32
// One string value below HKEY_LOCAL_MACHINE, read through the 32-bit registry view. On
// failure the result is empty and the thread's last-error code is the registry's result.
CWString rg_registry_text(const CWString& keyPath, const CWString& valueName);

// Fills `name` with the name of the installed Windows from the registry and returns its
// short version (see rg_name_windows). Enables the debug privilege on the way, as the
// rest of the viewer's probes expect; failures to do so are ignored.
CWString rg_os_name(CWString& name);
#endif

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
