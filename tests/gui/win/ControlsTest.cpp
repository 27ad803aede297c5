#include "GuiFixture.h"
#include "TestSupport.h"
#include "gui/GuiMessages.h"
#include "gui/win/CNWnd_Container.h"
#include "gui/win/CNimbMessageLoop.h"
#include "gui/win/CNimbWinContainer.h"
#include "gui/win/rg_AnNiuJiChuLei.h"
#include "gui/win/rg_edit_box.h"
#include "gui/win/rg_label10.h"
#include "gui/win/rg_timer1.h"
#include "runtime/win/WideText.h"

#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace rg_nimb_MFCJieMian_base;

namespace {

// The object the tests' handlers run on, with what they saw.
class Handlers : public CNimbObject {
public:
    Handlers() : Events(new CNimbEventObjectPointer(this)) {}
    ~Handlers() override { Events->DetachTarget(); }

    CNimbEventObjectPointer* Events;
    std::vector<std::vector<int32_t>> Calls;
    int32_t Answer = 0;
};

int32_t Record3(CNimbObject* target, CNimbObject*, uint32_t, int32_t a, int32_t b, int32_t c) {
    auto& self = *static_cast<Handlers*>(target);
    self.Calls.push_back({a, b, c});
    return self.Answer;
}

int32_t Record2(CNimbObject* target, CNimbObject*, uint32_t, int32_t a, int32_t b) {
    auto& self = *static_cast<Handlers*>(target);
    self.Calls.push_back({a, b});
    return self.Answer;
}

int32_t AnswerChar(CNimbObject* target, CNimbObject*, uint32_t, uint16_t c) {
    auto& self = *static_cast<Handlers*>(target);
    self.Calls.push_back({c});
    return self.Answer;
}

int32_t Count(CNimbObject* target, CNimbObject*, uint32_t) {
    static_cast<Handlers*>(target)->Calls.push_back({});
    return 0;
}

// A top-level panel that the tests put their controls in.
class ControlsTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        ASSERT_TRUE(Host.CreateAt(nullptr, 20, 20, 500, 400, 1));
    }
    void TearDown() override {
        Host.GetNativeWnd()->DestroyWindow();
        GuiTest::TearDown();
    }

    rg_ZuJianBuJuQi Host;
};

} // namespace

TEST_F(ControlsTest, CopiesShareOnePayloadAndOneWindow) {
    auto* first = new rg_button2();
    first->SetCaption(CWConstString(u"先"));
    ASSERT_TRUE(first->CreateAt(&Host, 10, 10, 100, 30, 101));
    const HWND window = first->GetHwnd();
    EXPECT_EQ(TextOf(window), u"先"); // the caption given before creation

    rg_button2 second;
    ASSERT_TRUE(second.AssignFrom(*first));
    EXPECT_EQ(second.GetPayload(), first->GetPayload());
    EXPECT_TRUE(second.IsEqual(*first));
    second.SetCaption(CWConstString(u"后"));
    EXPECT_EQ(TextOf(window), u"后");

    CNimbObject::DeleteObject(first);
    EXPECT_TRUE(::IsWindow(window)); // the other copy keeps it
    second.Reset();
    EXPECT_FALSE(::IsWindow(window)); // the last one takes it along
    EXPECT_EQ(second.GetPayload(), nullptr);
    second.SetCaption(CWConstString(u"无")); // without a payload: nothing
    WndCreateParams params;
    EXPECT_FALSE(second.CreateNativeWindow(params));

    rg_label10 label;
    EXPECT_FALSE(second.AssignFrom(label)); // not of its class
}

TEST_F(ControlsTest, CreatingTwiceRecordsTheTagAndFails) {
    rg_label10 label;
    WndCreateParams params;
    params.ParentWnd = Host.GetNativeWnd();
    params.Width = 100;
    params.Height = 20;
    params.NativeTag = 7;
    ASSERT_TRUE(label.CreateNativeWindow(params));
    int32_t tag = 0;
    EXPECT_EQ(::SendMessageW(label.GetHwnd(), WMU_QUERY_TAG, reinterpret_cast<WPARAM>(&tag),
                             kNimbFrameworkMark),
              kNimbFrameworkMark);
    EXPECT_EQ(tag, 7);
    WndCreateParams again;
    again.ParentWnd = Host.GetNativeWnd();
    again.NativeTag = 9;
    EXPECT_FALSE(label.CreateNativeWindow(again));
    ::SendMessageW(label.GetHwnd(), WMU_QUERY_TAG, reinterpret_cast<WPARAM>(&tag),
                   kNimbFrameworkMark);
    EXPECT_EQ(tag, 9);

    rg_label10 other;
    ASSERT_TRUE(other.CreateAt(&Host, 0, 30, 100, 20, 102));
    ::SendMessageW(other.GetHwnd(), WMU_QUERY_TAG, reinterpret_cast<WPARAM>(&tag),
                   kNimbFrameworkMark);
    EXPECT_EQ(tag, -1);
    // Windows that the framework owns carry the font, and are children of their parent.
    EXPECT_TRUE(static_cast<bool>(other.GetLabel()->LabelFont));
    EXPECT_EQ(::GetParent(other.GetHwnd()), Host.GetHwnd());
    EXPECT_EQ(::GetWindowLongPtrW(Host.GetHwnd(), GWLP_USERDATA), kNimbFrameworkMark);
}

// Panels and forms are not repainted by a caption; other controls are, group boxes too.
TEST_F(ControlsTest, CaptionsRepaintAllButPanels) {
    rg_ZuJianBuJuQi panel;
    rg_FenZuKuang1 group;
    ASSERT_TRUE(panel.CreateAt(&Host, 0, 0, 100, 100, 101));
    ASSERT_TRUE(group.CreateAt(&Host, 110, 0, 100, 100, 102));
    PumpPending();
    for (const HWND window : {panel.GetHwnd(), group.GetHwnd()})
        ::ValidateRect(window, nullptr);
    panel.SetCaption(CWConstString(u"面板"));
    group.SetCaption(CWConstString(u"分组"));
    EXPECT_FALSE(::GetUpdateRect(panel.GetHwnd(), nullptr, FALSE));
    EXPECT_TRUE(::GetUpdateRect(group.GetHwnd(), nullptr, FALSE));
    EXPECT_EQ(TextOf(panel.GetHwnd()), u"面板");
}

TEST_F(ControlsTest, MouseKeyboardAndWheelEvents) {
    Handlers handlers;
    rg_label10 label;
    ASSERT_TRUE(label.CreateAt(&Host, 0, 0, 100, 20, 101));
    label.AttachListener();
    CNimbWinControl::BindEvent(label.LeftButtonDown, &Record3, handlers.Events, 0);
    CNimbWinControl::BindEvent(label.MouseWheel, &Record2, handlers.Events, 0);
    CNimbWinControl::BindEvent(label.KeyDown, &Record2, handlers.Events, 0);
    const HWND window = label.GetHwnd();

    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(-5, 7));
    ASSERT_EQ(handlers.Calls.size(), 1u);
    EXPECT_EQ(handlers.Calls[0], (std::vector<int32_t>{-5, 7, 0x8000}));

    for (const int delta : {-120, 240, 60}) {
        ::SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        EXPECT_EQ(handlers.Calls.back()[0], delta / 120);
    }

    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageW(window, WM_KEYDOWN, VK_NUMPAD5, 0);
    EXPECT_EQ(handlers.Calls.back(), (std::vector<int32_t>{0x35, 0x2000}));
    ::SendMessageW(window, WM_KEYDOWN, VK_CONTROL, 0);
    EXPECT_EQ(handlers.Calls.back(), (std::vector<int32_t>{0x11, 0}));
    ::SendMessageW(window, WM_KEYDOWN, 0x3A, 0);
    EXPECT_EQ(handlers.Calls.back(), (std::vector<int32_t>{0, 0}));
    keys[VK_CONTROL] = 0;
    keys[VK_MENU] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_CONTROL, 0);
    EXPECT_EQ(handlers.Calls.back()[2], 0x6000); // Ctrl from the flags, Alt from the keyboard
    keys[VK_MENU] = 0;
    ::SetKeyboardState(keys);

    // Unbound, the events fire nothing; a consuming handler keeps the message.
    CNimbWinControl::BindEvent(label.LeftButtonDown, &Record3, nullptr, 0);
    const size_t calls = handlers.Calls.size();
    ::SendMessageW(window, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(handlers.Calls.size(), calls);
    // Without its listener a control fires nothing at all.
    label.DetachListener();
    ::SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(handlers.Calls.size(), calls);
}

TEST_F(ControlsTest, CharactersAreReplacedOrSwallowed) {
    Handlers handlers;
    rg_edit_box edit;
    ASSERT_TRUE(edit.CreateAt(&Host, 0, 0, 200, 24, 101));
    edit.AttachListener();
    CNimbWinControl::BindEvent(edit.CharInput, &AnswerChar, handlers.Events, 0);
    handlers.Answer = 65;
    ::SendMessageW(edit.GetHwnd(), WM_CHAR, u'x', 0);
    EXPECT_EQ(TextOf(edit.GetHwnd()), u"A");
    handlers.Answer = -1;
    ::SendMessageW(edit.GetHwnd(), WM_CHAR, u'y', 0);
    EXPECT_EQ(TextOf(edit.GetHwnd()), u"A");
    handlers.Answer = 0;
    ::SendMessageW(edit.GetHwnd(), WM_CHAR, u'中', 0);
    EXPECT_EQ(TextOf(edit.GetHwnd()), u"A中");
    EXPECT_EQ(handlers.Calls.size(), 3u);
}

TEST_F(ControlsTest, DroppedFilesArriveOnceInDropOrder) {
    Handlers handlers;
    rg_label10 label;
    ASSERT_TRUE(label.CreateAt(&Host, 0, 0, 100, 20, 101));
    label.AttachListener();
    std::vector<std::u16string> seen;
    static std::vector<std::u16string>* gSeen;
    gSeen = &seen;
    CNimbWinControl::BindEvent(
        label.FilesDropped,
        +[](CNimbObject*, CNimbObject*, uint32_t, rg_nimb_base::rg_WenBenShuZuLei* paths) {
            for (int64_t i = 0; i < paths->Texts.GetCount(); ++i)
                gSeen->push_back(paths->Texts.GetAt(i));
            gSeen->push_back(u"|");
            return 0;
        },
        handlers.Events, 0);

    const std::u16string files = u"C:\\一.txt|C:\\b\\二.txt|D:\\三";
    std::u16string list;
    for (char16_t c : files)
        list += c == u'|' ? u'\0' : c;
    list += u'\0';
    list += u'\0';
    const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(char16_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, list.data(), list.size() * sizeof(char16_t));
    ::GlobalUnlock(memory);
    ::SendMessageW(label.GetHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(seen,
              (std::vector<std::u16string>{u"C:\\一.txt", u"C:\\b\\二.txt", u"D:\\三", u"|"}));
}

namespace {

// Deletes the control it is bound on from inside that control's own handler.
int32_t DeleteTheSender(CNimbObject*, CNimbObject* control, uint32_t, int32_t, int32_t, int32_t) {
    CNimbObject::DeleteObject(control);
    return 1;
}

} // namespace

TEST_F(ControlsTest, AHandlerMayDestroyItsOwnContainer) {
    Handlers handlers;
    auto* panel = new rg_ZuJianBuJuQi();
    ASSERT_TRUE(panel->CreateAt(&Host, 0, 0, 100, 100, 101));
    rg_label10 inside;
    ASSERT_TRUE(inside.CreateAt(panel, 5, 5, 50, 20, 201));
    CNimbWinControl::BindEvent(panel->WindowGone, &Count, handlers.Events, 0);
    CNimbWinControl::BindEvent(panel->LeftButtonDown, &DeleteTheSender, handlers.Events, 0);
    const HWND window = panel->GetHwnd();
    ::SendMessageW(window, WM_LBUTTONDOWN, 0, 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(::IsWindow(inside.GetHwnd()));
    // The panel's listener went with the object: its WindowGone had no one to run.
    EXPECT_TRUE(handlers.Calls.empty());
}

TEST_F(ControlsTest, ContainerEventsAndFocusPassedOn) {
    Handlers handlers;
    rg_ZuJianBuJuQi outer, middle;
    CNimbWinControl::BindEvent(outer.WindowCreated, &Count, handlers.Events, 0);
    ASSERT_TRUE(outer.CreateAt(&Host, 0, 0, 300, 200, 101));
    EXPECT_EQ(handlers.Calls.size(), 1u);
    ASSERT_TRUE(middle.CreateAt(&outer, 10, 10, 200, 150, 102));
    rg_label10 label;
    ASSERT_TRUE(label.CreateAt(&middle, 0, 0, 50, 20, 103));
    rg_edit_box edit;
    ASSERT_TRUE(edit.CreateAt(&middle, 0, 30, 100, 24, 104));
    ::SetFocus(outer.GetHwnd());
    EXPECT_EQ(::GetFocus(), edit.GetHwnd()); // two levels down, past the label

    rg_ZuJianBuJuQi empty;
    ASSERT_TRUE(empty.CreateAt(&Host, 310, 0, 100, 100, 105));
    rg_label10 only;
    ASSERT_TRUE(only.CreateAt(&empty, 0, 0, 50, 20, 106));
    ::SetFocus(empty.GetHwnd());
    EXPECT_EQ(::GetFocus(), only.GetHwnd()); // nothing wants keys: the first child

    handlers.Calls.clear();
    CNimbWinControl::BindEvent(outer.Resized, &Count, handlers.Events, 0);
    CNimbWinControl::BindEvent(outer.Hidden, &Count, handlers.Events, 0);
    ::SetWindowPos(outer.GetHwnd(), nullptr, 0, 0, 250, 150, SWP_NOMOVE | SWP_NOZORDER);
    ::ShowWindow(outer.GetHwnd(), SW_HIDE);
    EXPECT_EQ(handlers.Calls.size(), 2u);
}

namespace {

// A tooltip window that records the messages relayed to it.
class ToolTipRecorder : public CNimbWnd {
public:
    int Relayed = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM first, LPARAM second) override {
        if (message == TTM_RELAYEVENT)
            ++Relayed;
        return CNimbWnd::WindowProc(message, first, second);
    }
};

} // namespace

TEST_F(ControlsTest, TheRelayReachesTheContainersToolTip) {
    rg_ZuJianBuJuQi panel;
    ASSERT_TRUE(panel.CreateAt(&Host, 0, 0, 200, 200, 101));
    rg_label10 label;
    ASSERT_TRUE(label.CreateAt(&panel, 10, 10, 100, 20, 102));
    auto* tip = new ToolTipRecorder();
    ASSERT_TRUE(tip->CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                              0, 0, 0, panel.GetHwnd(), nullptr));
    TTTOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = panel.GetHwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(label.GetHwnd());
    tool.lpszText = const_cast<wchar_t*>(L"提示");
    ASSERT_TRUE(::SendMessageW(tip->GetHwnd(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
    static_cast<CNWnd_Container*>(panel.GetNativeWnd())->ToolTip = tip;

    MSG message = {label.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {}};
    EXPECT_FALSE(CNimbMessageLoop::RelayPreTranslate(message)); // seen, not consumed
    EXPECT_EQ(tip->Relayed, 1);
    message.message = WM_LBUTTONDBLCLK; // double clicks are not relayed
    CNimbMessageLoop::RelayPreTranslate(message);
    message.message = WM_KEYDOWN; // nor keys
    CNimbMessageLoop::RelayPreTranslate(message);
    EXPECT_EQ(tip->Relayed, 1);
    // The tooltip goes with the container's window.
}

TEST_F(ControlsTest, TimersTickWithTheirStoredIntervalAndStopAtZero) {
    Handlers handlers;
    rg_timer1 timer;
    timer.GetTimer()->SetInterval(30);
    timer.AttachListener();
    CNimbWinControl::BindEvent(timer.TimerTick, &Count, handlers.Events, 0);
    ASSERT_TRUE(timer.CreateAt(&Host, 0, 0, 0, 0, 101));
    EXPECT_FALSE(::IsWindowVisible(timer.GetHwnd()));
    EXPECT_TRUE(PumpUntil([&] { return handlers.Calls.size() >= 3; }));
    timer.GetTimer()->SetInterval(0);
    EXPECT_EQ(timer.GetTimer()->Running, 0);
    const size_t ticks = handlers.Calls.size();
    PumpUntil([] { return false; }, 150);
    EXPECT_LE(handlers.Calls.size(), ticks + 1); // one may have been queued already
}

// A worker's captions reach the GUI thread's windows through its loop.
TEST_F(ControlsTest, WorkersSetCaptionsThroughTheGuiThread) {
    rg_edit_box edit;
    ASSERT_TRUE(edit.CreateAt(&Host, 0, 0, 200, 24, 101));
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 50; ++i)
            edit.SetCaption(CWString(static_cast<int32_t>(i)));
        edit.SetCaption(CWConstString(u"读取中..."));
        done = true;
    });
    ::Sleep(50); // the GUI thread is busy for a moment: the worker waits, nothing locks up
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }, 5000));
    worker.join();
    EXPECT_EQ(TextOf(edit.GetHwnd()), u"读取中...");
}

// Labels draw one line by their vertical alignment, or wrapped lines centred whatever it is.
TEST_F(ControlsTest, LabelTextFormats) {
    rg_label10 owner;
    CNWnd_Label* wrapper = owner.GetLabel();
    const struct {
        int32_t HAlign, VAlign;
        int64_t WordWrap;
        UINT Format;
    } cases[] = {
        {0, 0, 0, 0x100 | 0x20}, {1, 1, 0, 0x101 | 0x24}, {2, 2, 0, 0x102 | 0x28},
        {0, 2, 1, 0x100 | 0x14}, {2, 0, 1, 0x102 | 0x14},
    };
    for (const auto& c : cases) {
        wrapper->HAlign = c.HAlign;
        wrapper->VAlign = c.VAlign;
        wrapper->WordWrap = c.WordWrap;
        EXPECT_EQ(wrapper->TextFormat(), c.Format) << c.HAlign << c.VAlign << c.WordWrap;
    }
}
