#include "gui/win/rg_CaiChanLei.h"

#include <cstring>

namespace rg_nimb_MFCJieMian_base {

void CRefNimbMenu::Clear() {
    if (AcceleratorHandle != nullptr)
        ::DestroyAcceleratorTable(AcceleratorHandle);
    if (MenuHandle != nullptr)
        ::DestroyMenu(MenuHandle);
    AcceleratorHandle = nullptr;
    MenuHandle = nullptr;
    Text.Clear();
    for (int64_t at = 0; at + static_cast<int64_t>(sizeof(CNimbObject*)) <= Items.GetSize();
         at += sizeof(CNimbObject*)) {
        CNimbObject* item;
        std::memcpy(&item, Items.GetData() + at, sizeof item);
        CNimbObject::DeleteObject(item);
    }
    Items.SetSize(0);
}

void rg_CaiChanLei::CreateMenuPayload() {
    AdoptPayload(new CRefNimbMenu());
}

HMENU MenuHandleOf(const CRefNimbMenu* menu) noexcept {
    return menu != nullptr ? menu->MenuHandle : nullptr;
}

} // namespace rg_nimb_MFCJieMian_base
