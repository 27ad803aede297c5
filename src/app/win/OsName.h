#pragma once
// Reading the name of the installed Windows from the registry.

#include "app/OsName.h"

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

// One string value below HKEY_LOCAL_MACHINE, read through the 32-bit registry view. On
// failure the result is empty and the thread's last-error code is the registry's result.
CWString rg_registry_text(const CWString& keyPath, const CWString& valueName);

// Fills `name` with the name of the installed Windows from the registry and returns its
// short version (see rg_name_windows). Enables the debug privilege on the way, as the
// rest of the viewer's probes expect; failures to do so are ignored.
CWString rg_os_name(CWString& name);

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
