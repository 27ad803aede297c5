#include "gui/win/CNWnd_Base.h"

#include "gui/GuiMessages.h"
#include "gui/win/WndCreateParams.h"
#include "runtime/win/WideText.h"

namespace rg_nimb_MFCJieMian_base {

LRESULT CNWnd_Base::WindowProc(UINT message, WPARAM first, LPARAM second) {
    const HWND window = GetHwnd();
    if (static_cast<uint32_t>(second) == kNimbFrameworkMark && first != 0) {
        switch (message) {
        case WMU_REMOVE_FILTER:
            Filters.RemoveFilter(reinterpret_cast<INimbWindowFilter*>(first));
            return kNimbFrameworkMark;
        case WMU_ADD_FILTER:
            Filters.AddFilter(reinterpret_cast<INimbWindowFilter*>(first));
            return kNimbFrameworkMark;
        case WMU_QUERY_TAG:
            *reinterpret_cast<int32_t*>(first) = AnsweredTag();
            return kNimbFrameworkMark;
        default:
            break;
        }
    }
    intptr_t filtered = 0;
    if (Filters.RunFilters(window, message, first, second, filtered))
        return filtered;
    if (message == WM_NCDESTROY)
        Filters.ClearFilters();
    if (Listener != nullptr && ListenerSees(message)) {
        CNimbMessageRecord record{window, message, first, second};
        if (Listener->OnWindowMessage(record) || record.Window != window || GetHwnd() != window)
            return 0;
        first = record.First;
        second = record.Second;
    }
    // A child's notification is the child's to handle first; the wrapper's own handlers
    // see only what the child declined.
    if (SwallowsBeforeReflection(message, first, second))
        return 0;
    LRESULT reflected = 0;
    if (ReflectToChild(message, first, second, reflected))
        return reflected;
    return OnMessage(message, first, second);
}

LRESULT CNWnd_Base::OnMessage(UINT message, WPARAM first, LPARAM second) {
    return CallDefault(message, first, second);
}

bool CNWnd_Base::SwallowsBeforeReflection(UINT, WPARAM, LPARAM) {
    return false;
}

bool CNWnd_Base::ListenerSees(UINT) const {
    return true;
}

bool CNWnd_Base::CreateFor(WndCreateParams& params) {
    PrepareCreation(params);
    const HWND parent = params.ParentWnd != nullptr ? params.ParentWnd->GetHwnd() : nullptr;
    // A child's menu argument is its identifier; a top-level window has no identifier.
    const HMENU id = (params.Style & WS_CHILD) != 0
                         ? reinterpret_cast<HMENU>(static_cast<intptr_t>(params.Id))
                         : nullptr;
    if (!CreateEx(params.ExStyle, WindowClassName(), Wide(params.Caption), params.Style, params.X,
                  params.Y, params.Width, params.Height, parent, id))
        return false;
    CompleteCreation(params);
    return true;
}

bool CNWnd_Base::TakeDefaultButton(int32_t) {
    return false;
}

void CNWnd_Base::PrepareCreation(WndCreateParams&) {}

void CNWnd_Base::CompleteCreation(WndCreateParams&) {}

} // namespace rg_nimb_MFCJieMian_base
