#pragma once
// The menu holder: a handle on a counted menu payload that a form attaches as its menu
// and whose accelerators translate the form's keys. Nothing builds menu items; the
// payload is made empty.

#include "runtime/CNimbMem.h"
#include "runtime/CRefObject.h"
#include "runtime/CWString.h"
#include "runtime/rg_KeSheJiLei.h"
#include "runtime/win/Win32.h"

namespace rg_nimb_MFCJieMian_base {

class CRefNimbMenu : public CRefObject {
    NIMB_DECLARE_REF_CLASS(CRefNimbMenu, CRefObject, "CRefNimbMenu")

    CRefNimbMenu() noexcept { Items.SetStep(256); }
    ~CRefNimbMenu() override { Clear(); }

    // Destroys the accelerator table and the menu, frees the text and each item object
    // (the list holds owned CNimbObject pointers) and zeroes the handles.
    void Clear();
    // A hook after the final release, for menus that do more; nothing here.
    virtual void OnMenuReleased() {}

    HMENU MenuHandle = nullptr;
    HACCEL AcceleratorHandle = nullptr;
    CWString Text;
    CNimbMem Items;
};

class rg_CaiChanLei : public rg_nimb_base::rg_KeSheJiLei {
    NIMB_DECLARE_CLASS(rg_CaiChanLei, rg_nimb_base::rg_KeSheJiLei,
                       "rg_nimb_MFCJieMian_base::rg_CaiChanLei")

    // Replaces the payload by a new, empty one.
    void CreateMenuPayload();
    // The payload, or null.
    CRefNimbMenu* GetMenu() const noexcept { return static_cast<CRefNimbMenu*>(GetPayload()); }
};

// The menu handle a payload carries, or null.
HMENU MenuHandleOf(const CRefNimbMenu* menu) noexcept;

} // namespace rg_nimb_MFCJieMian_base
