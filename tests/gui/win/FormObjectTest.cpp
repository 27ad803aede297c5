#include "GuiFixture.h"
#include "gui/GuiMessages.h"
#include "gui/win/CNWnd_Container.h"
#include "gui/win/CNimbMessageLoop.h"
#include "gui/win/CNimbWinForm.h"
#include "gui/win/rg_AnNiuJiChuLei.h"
#include "gui/win/rg_CaiChanLei.h"

#include <vector>

using namespace rg_nimb_MFCJieMian_base;

namespace {

class Handlers : public CNimbObject {
public:
    Handlers() : Events(new CNimbEventObjectPointer(this)) {}
    ~Handlers() override { Events->DetachTarget(); }

    CNimbEventObjectPointer* Events;
    std::vector<uint32_t> Commands;
    int32_t Answer = 0;
};

int32_t Refuse(CNimbObject* target, CNimbObject*, uint32_t) {
    return static_cast<Handlers*>(target)->Answer;
}

int32_t Command(CNimbObject* target, CNimbObject*, uint32_t, uint32_t id) {
    auto& self = *static_cast<Handlers*>(target);
    self.Commands.push_back(id);
    return self.Answer;
}

// A form that keeps every message for itself.
class Keeping : public CNimbWinForm {
public:
    bool OnPreTranslateMessage(HWND, uint32_t, uintptr_t, intptr_t, CNimbMessageRecord&) override {
        return false;
    }
};

class FormObjectTest : public GuiTest {};

} // namespace

TEST_F(FormObjectTest, FormEventsAndTheirDefaults) {
    Handlers handlers;
    CNimbWinForm form;
    ASSERT_TRUE(form.CreateAt(nullptr, 10, 10, 300, 200, 1));
    EXPECT_TRUE(form.OnQueryClose()); // no handler: closing is allowed
    CNimbWinControl::BindEvent(form.Closing, &Refuse, handlers.Events, 0);
    handlers.Answer = 1;
    EXPECT_FALSE(form.OnQueryClose());
    handlers.Answer = 0;
    EXPECT_TRUE(form.OnQueryClose());
    EXPECT_TRUE(form.OnCloseRequest());

    // A form's menu commands fire FormMenuCommand, not the panel's MenuCommand.
    CNimbWinControl::BindEvent(form.FormMenuCommand, &Command, handlers.Events, 0);
    CNimbWinControl::BindEvent(form.MenuCommand, &Command, handlers.Events, 0);
    handlers.Answer = 1;
    ::SendMessageW(form.GetHwnd(), WM_COMMAND, MAKEWPARAM(40001, 0), 0);
    EXPECT_EQ(handlers.Commands, (std::vector<uint32_t>{40001}));

    CNimbMessageRecord record{form.GetHwnd(), WM_KEYDOWN, VK_ESCAPE, 0};
    EXPECT_FALSE(form.OnPreTranslate(record)); // every message goes on
    Keeping keeping;
    EXPECT_TRUE(keeping.OnPreTranslate(record));
    form.GetNativeWnd()->DestroyWindow();
}

TEST_F(FormObjectTest, ADefaultPushButtonBecomesItsFormsDefaultButton) {
    CNimbWinForm form;
    ASSERT_TRUE(form.CreateAt(nullptr, 10, 10, 300, 200, 1));
    EXPECT_EQ(form.GetForm()->DefaultButtonId, 0);
    rg_FenZuKuang1 group;
    ASSERT_TRUE(group.CreateAt(&form, 10, 10, 200, 150, 101));
    rg_button2 button;
    button.GetWndObject()->Style |= BS_DEFPUSHBUTTON;
    ASSERT_TRUE(button.CreateAt(&group, 10, 20, 80, 24, 102));
    EXPECT_EQ(form.GetForm()->DefaultButtonId, 102);
    EXPECT_EQ(::GetParent(button.GetHwnd()), group.GetHwnd());
    form.GetNativeWnd()->DestroyWindow();
}

namespace {

// A loop that counts its idle calls and keeps the messages posted with a marker.
class CountingLoop : public CNimbMessageLoop {
public:
    int IdleCalls = 0;
    int Kept = 0;
    bool Stop = false;

protected:
    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_APP + 1) {
            ++Kept;
            return true;
        }
        if (message.message == WM_APP + 2)
            Stop = true;
        return false;
    }
    // Three calls per idle spell; the last one ends the loop.
    bool OnIdle(int32_t count) override {
        ++IdleCalls;
        if (count < 2)
            return true;
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP + 2, 0, 0);
        return false;
    }
};

} // namespace

TEST_F(FormObjectTest, TheMessageLoopPreTranslatesIdlesAndQuits) {
    CountingLoop loop;
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP + 1, 0, 0);
    EXPECT_EQ(loop.Run(&loop.Stop), -1); // ended by its stop flag
    EXPECT_EQ(loop.Kept, 1);
    EXPECT_EQ(loop.IdleCalls, 3);

    // A loop with a stop flag leaves WM_QUIT to the loop outside it.
    CountingLoop inner;
    ::PostQuitMessage(7);
    EXPECT_EQ(inner.Run(&inner.Stop), 7);
    CountingLoop outer;
    EXPECT_EQ(outer.Run(), 7);
}

namespace {

// Counts the paints of the window it filters, handling nothing.
class PaintCounter : public INimbWindowFilter {
public:
    bool FilterMessage(void*, uint32_t message, uintptr_t, intptr_t, intptr_t&) override {
        if (message == WM_PAINT || message == WM_ERASEBKGND)
            ++Paints;
        return false;
    }
    int Paints = 0;
};

} // namespace

// A transparent panel has what lies behind it painted again, also when it moves.
TEST_F(FormObjectTest, ATransparentPanelRepaintsWhatLiesBehindIt) {
    CNimbWinForm form;
    form.GetWndObject()->Style |= WS_CLIPCHILDREN; // as forms are made
    ASSERT_TRUE(form.CreateAt(nullptr, 10, 10, 300, 200, 1));
    rg_ZuJianBuJuQi glass;
    static_cast<CNWnd_Container*>(glass.GetNativeWnd())->Transparent = 1;
    ASSERT_TRUE(glass.CreateAt(&form, 10, 10, 100, 100, 101));
    EXPECT_NE(::GetWindowLongPtrW(glass.GetHwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    PaintCounter counter;
    ::SendMessageW(form.GetHwnd(), WMU_ADD_FILTER, reinterpret_cast<WPARAM>(&counter),
                   kNimbFrameworkMark);
    ::UpdateWindow(form.GetHwnd());
    PumpPending();
    counter.Paints = 0;
    CNWnd_Container::RepaintBehind(glass.GetHwnd());
    PumpPending();
    EXPECT_GT(counter.Paints, 0);
    counter.Paints = 0;
    ::SetWindowPos(glass.GetHwnd(), nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpPending();
    EXPECT_GT(counter.Paints, 0);
    ::SendMessageW(form.GetHwnd(), WMU_REMOVE_FILTER, reinterpret_cast<WPARAM>(&counter),
                   kNimbFrameworkMark);
    form.GetNativeWnd()->DestroyWindow();
}

namespace {

// A panel that asks for a client area of its own size.
class Sized : public rg_ZuJianBuJuQi {
public:
    int32_t DefaultClientWidth() const override { return 755; }
    int32_t DefaultClientHeight() const override { return 455; }
};

} // namespace

TEST_F(FormObjectTest, ADefaultSizeIsTheOuterSizeOfTheDefaultClientArea) {
    Sized panel;
    panel.GetWndObject()->Style |= WS_CAPTION | WS_SYSMENU;
    ASSERT_TRUE(panel.CreateAt(nullptr, 0, 0, kNimbDefaultPlace, kNimbDefaultPlace, 1));
    RECT client;
    ::GetClientRect(panel.GetHwnd(), &client);
    EXPECT_EQ(client.right, 755);
    EXPECT_EQ(client.bottom, 455);
    RECT outer;
    ::GetWindowRect(panel.GetHwnd(), &outer);
    EXPECT_EQ(panel.DesignWidth, outer.right - outer.left);
    EXPECT_EQ(panel.DesignHeight, outer.bottom - outer.top);

    rg_ZuJianBuJuQi none; // asks for no client size: 0 × 0
    ASSERT_TRUE(none.CreateAt(&panel, 0, 0, kNimbDefaultPlace, 100, 2));
    EXPECT_EQ(none.DesignWidth, 0);
    EXPECT_EQ(none.DesignHeight, 0);
    panel.GetNativeWnd()->DestroyWindow();
}

TEST_F(FormObjectTest, AMenuPayloadIsSharedAndClearedWithItsHandles) {
    rg_CaiChanLei menu;
    EXPECT_EQ(menu.GetMenu(), nullptr);
    menu.CreateMenuPayload();
    ASSERT_NE(menu.GetMenu(), nullptr);
    const HMENU handle = ::CreateMenu();
    menu.GetMenu()->MenuHandle = handle;
    menu.GetMenu()->Text.SetText(u"菜单");
    rg_CaiChanLei copy(menu);
    EXPECT_EQ(copy.GetMenu(), menu.GetMenu());
    EXPECT_EQ(MenuHandleOf(copy.GetMenu()), handle);
    menu.Reset();
    EXPECT_TRUE(::IsMenu(handle)); // the copy still holds it
    copy.Reset();
    EXPECT_FALSE(::IsMenu(handle));
}
