#pragma once

#include "runtime/CNimbObject.h"

namespace rg_nimb_base {

// The extension object: the base of the library's object classes. No data of its own.
class rg_KuoZhanDuiXiangLei : public CNimbObject {
    NIMB_DECLARE_CLASS(rg_KuoZhanDuiXiangLei, CNimbObject, "rg_nimb_base::rg_KuoZhanDuiXiangLei")
};

} // namespace rg_nimb_base
