#include "gui/win/CNWnd_Base.h"

#include "gui/GuiMessages.h"

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
    LRESULT reflected = 0;
    if (ReflectToChild(message, first, second, reflected))
        return reflected;
    return OnMessage(message, first, second);
}

LRESULT CNWnd_Base::OnMessage(UINT message, WPARAM first, LPARAM second) {
    return CallDefault(message, first, second);
}

bool CNWnd_Base::ListenerSees(UINT) const {
    return true;
}

} // namespace rg_nimb_MFCJieMian_base
