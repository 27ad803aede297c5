#include "GuiFixture.h"

#include "gui/win/WindowClasses.h"
#include "runtime/win/WideText.h"

#include <commctrl.h>

using namespace rg_nimb_MFCJieMian_base;

void PumpPending() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms);
    while (!done()) {
        if (::GetTickCount64() >= end)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

std::u16string TextOf(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 512);
    return std::u16string(FromWide(text));
}

void GuiTest::SetUp() {
    // Every common control class, as the viewer initialises them at its start.
    INITCOMMONCONTROLSEX classes = {sizeof classes, 0xFF};
    ::InitCommonControlsEx(&classes);
    for (const wchar_t* name : {kContainerClass, kLabelClass, kDummyClass, kFormClass})
        ASSERT_TRUE(RegisterFrameworkClass(name));
    Wrappers = CNimbWnd::LiveCount();
}

void GuiTest::TearDown() {
    PumpPending();
    EXPECT_EQ(CNimbWnd::LiveCount(), Wrappers) << "a wrapper outlived its test";
}
