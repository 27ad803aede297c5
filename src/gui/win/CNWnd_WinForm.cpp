#include "gui/win/CNWnd_WinForm.h"

#include "gui/win/WindowClasses.h"
#include "gui/win/WndCreateParams.h"
#include "runtime/win/WideText.h"

namespace rg_nimb_MFCJieMian_base {

bool CNWnd_WinForm::TakeDefaultButton(int32_t id) {
    DefaultButtonId = id;
    return true;
}

const wchar_t* CNWnd_WinForm::WindowClassName() const {
    return ClassName.IsEmpty() ? kFormClass : Wide(ClassName);
}

void CNWnd_WinForm::PrepareCreation(WndCreateParams& params) {
    CNWnd_Container::PrepareCreation(params);
    RegisterFrameworkClass(WindowClassName());
}

} // namespace rg_nimb_MFCJieMian_base
