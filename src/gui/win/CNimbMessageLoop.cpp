#include "gui/win/CNimbMessageLoop.h"

#include "gui/GuiMessages.h"

namespace rg_nimb_MFCJieMian_base {

namespace {

// Messages after which idle processing starts again: not mouse moves, paints and the
// caret's blink timer (0x0118).
bool RestartsIdle(UINT message) {
    return message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE && message != WM_PAINT &&
           message != 0x0118;
}

} // namespace

int CNimbMessageLoop::Run(const bool* stop) {
    bool idle = true;
    int32_t idleCount = 0;
    MSG message;
    for (;;) {
        if (stop != nullptr && *stop)
            return -1;
        while (idle && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = false;
        }
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == -1)
            continue;
        if (got == 0) {
            if (stop != nullptr) // a nested loop leaves WM_QUIT to the outer one
                ::PostQuitMessage(static_cast<int>(message.wParam));
            return static_cast<int>(message.wParam);
        }
        if (!PreTranslateMessage(message) && !RelayPreTranslate(message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (RestartsIdle(message.message)) {
            idle = true;
            idleCount = 0;
        }
    }
}

bool CNimbMessageLoop::RelayPreTranslate(MSG& message) {
    const bool keyboard = message.message >= 0x100 && message.message <= 0x109;
    const bool mouse = message.message >= 0x200 && message.message <= 0x20E;
    if (!keyboard && !mouse)
        return false;
    for (HWND window = message.hwnd; window != nullptr; window = ::GetParent(window)) {
        if (static_cast<uint32_t>(::GetWindowLongPtrW(window, GWLP_USERDATA)) ==
                kNimbFrameworkMark &&
            ::SendMessageW(window, WMU_PRETRANSLATE, reinterpret_cast<WPARAM>(&message),
                           kNimbFrameworkMark) == kNimbFrameworkMark)
            return true;
        if ((::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0)
            break;
    }
    return false;
}

bool CNimbMessageLoop::PreTranslateMessage(MSG&) {
    return false;
}

bool CNimbMessageLoop::OnIdle(int32_t) {
    return false;
}

} // namespace rg_nimb_MFCJieMian_base
