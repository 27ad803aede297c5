#pragma once

#include "runtime/CRefObject.h"

namespace rg_nimb_base {

// The designable object: a handle on a shared payload, the base of objects a designer
// places on a form without a window of their own (menus). No data of its own.
class rg_KeSheJiLei : public CNimbRefObject {
    NIMB_DECLARE_CLASS(rg_KeSheJiLei, CNimbRefObject, "rg_nimb_base::rg_KeSheJiLei")
};

} // namespace rg_nimb_base
