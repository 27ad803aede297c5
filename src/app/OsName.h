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

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
