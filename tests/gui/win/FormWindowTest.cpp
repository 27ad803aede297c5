#include "GuiFixture.h"
#include "TestSupport.h"
#include "gui/GuiMessages.h"
#include "gui/rg_ChuangKouWeiZhiXianZhiXinXi.h"
#include "gui/win/CNimbWinForm.h"
#include "gui/win/rg_AnNiuJiChuLei.h"
#include "gui/win/rg_CaiChanLei.h"
#include "gui/win/rg_edit_box.h"
#include "runtime/win/WideText.h"

#include <functional>
#include <vector>

using namespace rg_nimb_MFCJieMian_base;

namespace {

// The object the tests' handlers run on: it counts each event it is told of by name.
class Handlers : public CNimbObject {
public:
    Handlers() : Events(new CNimbEventObjectPointer(this)) {}
    ~Handlers() override { Events->DetachTarget(); }

    CNimbEventObjectPointer* Events;
    std::vector<std::u16string> Seen;
    int32_t Answer = 0;
    std::function<void()> Then;
};

template <const char16_t* Name>
int32_t Note(CNimbObject* target, CNimbObject*, uint32_t) {
    auto& self = *static_cast<Handlers*>(target);
    self.Seen.push_back(Name);
    if (self.Then)
        self.Then();
    return self.Answer;
}

constexpr char16_t kClicked[] = u"clicked";
constexpr char16_t kDefault[] = u"default";
constexpr char16_t kClosing[] = u"closing";
constexpr char16_t kCloseRequested[] = u"close requested";
constexpr char16_t kFirst[] = u"first";
constexpr char16_t kActivated[] = u"activated";
constexpr char16_t kModal[] = u"modal";

int Count(const Handlers& handlers, const char16_t* name) {
    int count = 0;
    for (const auto& seen : handlers.Seen)
        count += seen == name;
    return count;
}

// A form asking for the main window's client area.
class MainSized : public CNimbWinForm {
public:
    int32_t DefaultClientWidth() const override { return 755; }
    int32_t DefaultClientHeight() const override { return 455; }
};

void PressKey(HWND window, WPARAM key) {
    ::PostMessageW(window, WM_KEYDOWN, key, 1);
    PumpThroughLoop([] { return false; }, 100);
}

void HoldKeys(std::initializer_list<int> keys, bool down) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    for (const int key : keys)
        state[key] = down ? 0x80 : 0;
    ::SetKeyboardState(state);
}

class FormWindowTest : public GuiTest {};

} // namespace

TEST_F(FormWindowTest, FramesFromBorderStyleControlBoxAndCaption) {
    {
        CNimbWinForm form; // border style 2, control box, no caption
        ASSERT_TRUE(form.CreateAt(nullptr, 0, 0, 300, 200, 1));
        EXPECT_EQ(TextOf(form.GetHwnd()), kNimbApplicationTitle);
        const LONG_PTR style = ::GetWindowLongPtrW(form.GetHwnd(), GWL_STYLE);
        EXPECT_EQ(style & 0xC80000, 0xC80000);
        EXPECT_NE(style & WS_DLGFRAME, 0);
        EXPECT_EQ(style & WS_THICKFRAME, 0);
        EXPECT_NE(style & WS_CLIPCHILDREN, 0);
        EXPECT_EQ(::GetWindowLongPtrW(form.GetHwnd(), GWLP_USERDATA), kNimbFrameworkMark);
        form.GetNativeWnd()->DestroyWindow();
    }
    {
        CNimbWinForm bare;
        bare.GetForm()->BorderStyle = 0;
        ASSERT_TRUE(bare.CreateAt(nullptr, 0, 0, 300, 200, 1));
        EXPECT_EQ(::GetWindowLongPtrW(bare.GetHwnd(), GWL_STYLE) & WS_CAPTION, 0);
        bare.GetNativeWnd()->DestroyWindow();
    }
    {
        CNimbWinForm tool;
        tool.GetForm()->BorderStyle = 4;
        ASSERT_TRUE(tool.CreateAt(nullptr, 0, 0, 300, 200, 1));
        EXPECT_NE(::GetWindowLongPtrW(tool.GetHwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
        EXPECT_EQ(::GetWindowLongPtrW(tool.GetHwnd(), GWL_STYLE) & WS_THICKFRAME, 0);
        tool.GetNativeWnd()->DestroyWindow();
    }
    // Without a control box the application title counts as no title; any other shows one.
    for (const char16_t* title : {kNimbApplicationTitle, u"另一个标题"}) {
        CNimbWinForm form;
        form.GetForm()->ControlBox = 0;
        form.SetCaption(CWConstString(title));
        ASSERT_TRUE(form.CreateAt(nullptr, 0, 0, 300, 200, 1));
        const LONG_PTR caption = ::GetWindowLongPtrW(form.GetHwnd(), GWL_STYLE) & WS_CAPTION;
        EXPECT_EQ(caption, title == kNimbApplicationTitle ? WS_DLGFRAME : WS_CAPTION)
            << Utf8(title);
        form.GetNativeWnd()->DestroyWindow();
    }
}

TEST_F(FormWindowTest, DefaultSizeAndPlace) {
    MainSized form;
    ASSERT_TRUE(form.CreateAt(nullptr, kNimbDefaultPlace, kNimbDefaultPlace, kNimbDefaultPlace,
                              kNimbDefaultPlace, 1));
    RECT client, outer;
    ::GetClientRect(form.GetHwnd(), &client);
    ::GetWindowRect(form.GetHwnd(), &outer);
    EXPECT_EQ(client.right, 755);
    EXPECT_EQ(client.bottom, 455);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(outer.left, (screenWidth - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (screenHeight - (outer.bottom - outer.top)) / 2);
    form.GetNativeWnd()->DestroyWindow();

    CNimbWinForm centred; // StartPosition 1 centres whatever place was asked for
    centred.GetForm()->StartPosition = 1;
    ASSERT_TRUE(centred.CreateAt(nullptr, 5, 7, 400, 300, 1));
    ::GetWindowRect(centred.GetHwnd(), &outer);
    EXPECT_EQ(outer.left, (screenWidth - 400) / 2);
    EXPECT_EQ(outer.top, (screenHeight - 300) / 2);
    centred.GetNativeWnd()->DestroyWindow();

    CNimbWinForm seven; // clamped to 3: maximised, with no style bit at creation
    seven.GetForm()->StartPosition = 7;
    seven.GetForm()->MaxButton = 1;
    ASSERT_TRUE(seven.CreateAt(nullptr, 0, 0, 300, 200, 1));
    EXPECT_EQ(seven.GetForm()->StartPosition, 3);
    EXPECT_TRUE(::IsZoomed(seven.GetHwnd()));
    seven.GetNativeWnd()->DestroyWindow();
}

TEST_F(FormWindowTest, ARoundedShapeHasCornersOfAFifth) {
    CNimbWinForm form;
    form.GetForm()->Shape = 2;
    form.GetForm()->BorderStyle = 0;
    ASSERT_TRUE(form.CreateAt(nullptr, 0, 0, 500, 200, 1));
    const CGdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(::GetWindowRgn(form.GetHwnd(), region.Get()), ERROR);
    EXPECT_FALSE(::PtInRegion(region.Get(), 1, 1));  // outside the 40 × 40 corner ellipse
    EXPECT_TRUE(::PtInRegion(region.Get(), 20, 20)); // inside it
    EXPECT_FALSE(::PtInRegion(region.Get(), 4, 4));
    EXPECT_TRUE(::PtInRegion(region.Get(), 250, 1)); // the straight edge
    form.GetNativeWnd()->DestroyWindow();
}

TEST_F(FormWindowTest, EscClosesAndCloseRequestedMayRefuse) {
    Handlers handlers;
    CNimbWinForm form;
    ASSERT_TRUE(form.CreateAt(nullptr, 0, 0, 300, 200, 1));
    rg_edit_box edit;
    ASSERT_TRUE(edit.CreateAt(&form, 10, 10, 200, 24, 101));
    CNimbWinControl::BindEvent(form.CloseRequested, &Note<kCloseRequested>, handlers.Events, 0);
    CNimbWinControl::BindEvent(form.Closing, &Note<kClosing>, handlers.Events, 0);
    ::SetFocus(edit.GetHwnd());

    handlers.Answer = 1; // refuses: the form stays, and Closing is not asked
    PressKey(edit.GetHwnd(), VK_ESCAPE);
    EXPECT_TRUE(::IsWindow(form.GetHwnd()));
    EXPECT_EQ(Count(handlers, kCloseRequested), 1);
    EXPECT_EQ(Count(handlers, kClosing), 0);

    handlers.Answer = 0;
    const HWND window = form.GetHwnd();
    PressKey(edit.GetHwnd(), VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(Count(handlers, kClosing), 1);
}

TEST_F(FormWindowTest, EnterGoesToTheDefaultButtonOnly) {
    Handlers handlers;
    CNimbWinForm form;
    ASSERT_TRUE(form.CreateAt(nullptr, 0, 0, 300, 200, 1));
    rg_button2 fallback, other;
    fallback.GetWndObject()->Style |= BS_DEFPUSHBUTTON;
    fallback.AttachListener();
    other.AttachListener();
    CNimbWinControl::BindEvent(fallback.Clicked, &Note<kDefault>, handlers.Events, 0);
    CNimbWinControl::BindEvent(other.Clicked, &Note<kClicked>, handlers.Events, 0);
    ASSERT_TRUE(fallback.CreateAt(&form, 10, 10, 80, 24, 201));
    ASSERT_TRUE(other.CreateAt(&form, 100, 10, 80, 24, 202));
    EXPECT_EQ(form.GetForm()->DefaultButtonId, 201);
    ::SetFocus(other.GetHwnd());
    PressKey(other.GetHwnd(), VK_RETURN);
    EXPECT_EQ(Count(handlers, kDefault), 1);
    EXPECT_EQ(Count(handlers, kClicked), 0);
    form.GetNativeWnd()->DestroyWindow();
}

TEST_F(FormWindowTest, ClipboardKeysStayWithEditBoxesAndTabMovesOn) {
    Handlers handlers;
    CNimbWinForm form;
    rg_CaiChanLei menu;
    menu.CreateMenuPayload();
    ACCEL copy = {FCONTROL | FVIRTKEY, 'C', 40001};
    menu.GetMenu()->AcceleratorHandle = ::CreateAcceleratorTableW(&copy, 1);
    WndCreateParams params;
    params.Width = 300;
    params.Height = 200;
    params.Menu = menu.GetMenu();
    std::vector<uint32_t> commands;
    static std::vector<uint32_t>* gCommands;
    gCommands = &commands;
    CNimbWinControl::BindEvent(
        form.FormMenuCommand,
        +[](CNimbObject*, CNimbObject*, uint32_t, uint32_t id) {
            gCommands->push_back(id);
            return 1;
        },
        handlers.Events, 0);
    ASSERT_TRUE(form.CreateNativeWindow(params));
    rg_edit_box first, second;
    rg_button2 button;
    ASSERT_TRUE(first.CreateAt(&form, 10, 10, 200, 24, 101));
    ASSERT_TRUE(second.CreateAt(&form, 10, 40, 200, 24, 102));
    ASSERT_TRUE(button.CreateAt(&form, 10, 70, 80, 24, 103));

    ::SetFocus(first.GetHwnd());
    HoldKeys({VK_CONTROL}, true);
    PressKey(first.GetHwnd(), 'C');
    EXPECT_TRUE(commands.empty()); // the edit box's own copy
    ::SetFocus(button.GetHwnd());
    PressKey(button.GetHwnd(), 'C');
    EXPECT_EQ(commands, (std::vector<uint32_t>{40001})); // elsewhere the accelerator
    HoldKeys({VK_CONTROL}, false);

    ::SetFocus(first.GetHwnd());
    PressKey(first.GetHwnd(), VK_TAB);
    EXPECT_EQ(::GetFocus(), second.GetHwnd());
    HoldKeys({VK_SHIFT}, true);
    PressKey(second.GetHwnd(), VK_TAB);
    HoldKeys({VK_SHIFT}, false);
    EXPECT_EQ(::GetFocus(), first.GetHwnd());
    form.GetNativeWnd()->DestroyWindow();
}

TEST_F(FormWindowTest, AMinMaxQueryHandlerLimitsTheSize) {
    Handlers handlers;
    CNimbWinForm form;
    form.GetForm()->BorderStyle = 1;
    static int32_t gApply;
    CNimbWinControl::BindEvent(
        form.MinMaxQuery,
        +[](CNimbObject*, CNimbObject*, uint32_t, rg_ChuangKouWeiZhiXianZhiXinXi* limits) {
            limits->MinTrackSize = {300, 200};
            return gApply;
        },
        handlers.Events, 0);
    ASSERT_TRUE(form.CreateAt(nullptr, 0, 0, 400, 300, 1));
    for (const int32_t apply : {1, 0}) {
        gApply = apply;
        MINMAXINFO limits = {};
        limits.ptMinTrackSize = {120, 30};
        ::SendMessageW(form.GetHwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, apply ? 300 : 1);
        EXPECT_EQ(limits.ptMinTrackSize.y, apply ? 200 : 1);
    }
    form.GetNativeWnd()->DestroyWindow();
}

TEST_F(FormWindowTest, FirstActivatedOncePerWindow) {
    Handlers handlers;
    CNimbWinForm form, other;
    CNimbWinControl::BindEvent(form.FirstActivated, &Note<kFirst>, handlers.Events, 0);
    CNimbWinControl::BindEvent(form.Activated, &Note<kActivated>, handlers.Events, 0);
    form.AttachListener();
    for (int window = 0; window < 2; ++window) {
        ASSERT_TRUE(form.CreateAt(nullptr, 0, 0, 300, 200, 1));
        ASSERT_TRUE(other.CreateAt(nullptr, 320, 0, 300, 200, 1));
        for (int i = 0; i < 2; ++i) {
            ::SetActiveWindow(form.GetHwnd());
            PumpPending();
            ::SetActiveWindow(other.GetHwnd());
            PumpPending();
        }
        EXPECT_EQ(Count(handlers, kFirst), window + 1);
        EXPECT_GE(Count(handlers, kActivated), 2 * (window + 1));
        form.GetNativeWnd()->DestroyWindow();
        other.GetNativeWnd()->DestroyWindow();
    }
}

namespace {

int32_t DeleteItsForm(CNimbObject*, CNimbObject* control, uint32_t) {
    // The button's own form, and the button with it.
    auto* form = reinterpret_cast<CNimbWinForm*>(static_cast<rg_button2*>(control)->Tag);
    CNimbObject::DeleteObject(form);
    return 0;
}

// A form that owns the button whose click deletes it.
class SelfDeleting : public CNimbWinForm {
public:
    rg_button2 Button;
};

} // namespace

TEST_F(FormWindowTest, AHandlerMayDestroyItsOwnForm) {
    Handlers handlers;
    auto* form = new SelfDeleting();
    ASSERT_TRUE(form->CreateAt(nullptr, 0, 0, 300, 200, 1));
    form->Button.Tag = reinterpret_cast<int64_t>(form);
    form->Button.AttachListener();
    CNimbWinControl::BindEvent(form->Button.Clicked, &DeleteItsForm, handlers.Events, 0);
    ASSERT_TRUE(form->Button.CreateAt(form, 10, 10, 80, 24, 101));
    const HWND window = form->GetHwnd();
    ::SendMessageW(form->Button.GetHwnd(), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(FormWindowTest, AModalRunDisablesItsOwnerAndReturnsItsResult) {
    Handlers handlers;
    CNimbWinForm owner;
    owner.SetCaption(CWConstString(u"主窗口"));
    ASSERT_TRUE(owner.CreateAt(nullptr, 100, 100, 500, 350, 1));
    rg_edit_box ownerEdit;
    ASSERT_TRUE(ownerEdit.CreateAt(&owner, 20, 20, 300, 24, 101));
    ownerEdit.SetCaption(CWConstString(u"主窗口里的文本"));

    for (const int32_t ending : {42, -1}) {
        CNimbWinForm dialog;
        dialog.SetCaption(CWConstString(u"模态窗口"));
        rg_edit_box edit;
        bool ownerDisabled = false;
        handlers.Then = [&] {
            ownerDisabled = !::IsWindowEnabled(owner.GetHwnd());
            edit.CreateAt(&dialog, 10, 10, 200, 24, 201);
            ::SetFocus(edit.GetHwnd());
            if (ending == 42) {
                edit.SetCaption(CWConstString(u"模态窗口里的文本"));
                for (const HWND window : {owner.GetHwnd(), dialog.GetForm()->HostDialog})
                    ::RedrawWindow(window, nullptr, nullptr,
                                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                SaveScreenshot(nullptr, ScreenshotPath("modal-form.bmp"));
                ::PostMessageW(dialog.GetForm()->HostDialog, WMU_HOST_COMMAND, 3, 42);
            } else {
                ::PostMessageW(edit.GetHwnd(), WM_KEYDOWN, VK_ESCAPE, 1); // ends it with -1
            }
        };
        CNimbWinControl::BindEvent(dialog.ModalStarted, &Note<kModal>, handlers.Events, 0);
        WndCreateParams params;
        params.ParentWnd = owner.GetNativeWnd();
        params.X = 150;
        params.Y = 150;
        params.Width = 300;
        params.Height = 160;
        params.Modal = 1;
        ASSERT_TRUE(dialog.CreateNativeWindow(params));
        EXPECT_EQ(params.ModalResult, ending);
        EXPECT_TRUE(ownerDisabled);
        EXPECT_TRUE(::IsWindowEnabled(owner.GetHwnd()));
        EXPECT_FALSE(dialog.GetForm()->HasWindow());
        handlers.Then = nullptr;
    }
    EXPECT_EQ(Count(handlers, kModal), 2);
    owner.GetNativeWnd()->DestroyWindow();
}
