#include "GuiFixture.h"
#include "gui/GuiMessages.h"
#include "gui/win/CNWnd_Base.h"
#include "gui/win/WindowClasses.h"

#include <string>
#include <vector>

using namespace rg_nimb_MFCJieMian_base;

namespace {

// A wrapper that records what it saw.
class Recorder : public CNWnd_Base {
public:
    std::vector<UINT> Seen;
    bool FoundItselfAtFirstMessage = false;
    std::vector<UINT> Reflected;
    bool HandleReflected = false;
    int FinalMessages = 0;
    std::function<void(Recorder&, UINT)> OnSeen;

protected:
    const wchar_t* WindowClassName() const override { return kContainerClass; }
    LRESULT OnMessage(UINT message, WPARAM first, LPARAM second) override {
        if (Seen.empty())
            FoundItselfAtFirstMessage = FromHandle(GetHwnd()) == this;
        Seen.push_back(message);
        if (OnSeen)
            OnSeen(*this, message);
        return CNWnd_Base::OnMessage(message, first, second);
    }
    bool OnReflected(UINT message, WPARAM, LPARAM, LRESULT& result) override {
        Reflected.push_back(message);
        result = 77;
        return HandleReflected;
    }
    void OnFinalMessage() override { ++FinalMessages; }
};

bool Saw(const Recorder& wrapper, UINT message) {
    for (UINT seen : wrapper.Seen) {
        if (seen == message)
            return true;
    }
    return false;
}

HWND CreateTop(CNimbWnd& wrapper) {
    EXPECT_TRUE(wrapper.CreateEx(0, kContainerClass, L"测试", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                                 nullptr, nullptr));
    return wrapper.GetHwnd();
}

class CNimbWndTest : public GuiTest {};

} // namespace

// The wrapper is found from the very first message, for the framework's classes, for the
// system's, and for children created while their parent is.
TEST_F(CNimbWndTest, WrappersSeeTheirWindowsFirstMessages) {
    Recorder parent, button, edit;
    parent.OnSeen = [&](Recorder& self, UINT message) {
        if (message == WM_CREATE)
            button.CreateEx(0, L"BUTTON", L"按钮", WS_CHILD | WS_VISIBLE, 5, 5, 80, 24,
                            self.GetHwnd(), reinterpret_cast<HMENU>(101));
    };
    ASSERT_NE(CreateTop(parent), nullptr);
    ASSERT_TRUE(edit.CreateEx(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 5, 40, 80, 24,
                              parent.GetHwnd(), reinterpret_cast<HMENU>(102)));
    for (const Recorder* wrapper : {&parent, &button, &edit}) {
        EXPECT_TRUE(wrapper->FoundItselfAtFirstMessage);
        EXPECT_TRUE(Saw(*wrapper, WM_NCCREATE));
        EXPECT_TRUE(Saw(*wrapper, WM_CREATE));
        EXPECT_EQ(CNimbWnd::FromHandle(wrapper->GetHwnd()), wrapper);
    }
    EXPECT_EQ(::GetParent(button.GetHwnd()), parent.GetHwnd());
    // The user data stays free for the framework mark.
    EXPECT_EQ(::GetWindowLongPtrW(button.GetHwnd(), GWLP_USERDATA), 0);

    parent.DestroyWindow();
    EXPECT_FALSE(parent.HasWindow());
    EXPECT_FALSE(button.HasWindow()); // children go with their parent
    EXPECT_EQ(parent.FinalMessages, 1);
    EXPECT_EQ(button.FinalMessages, 1);
    EXPECT_EQ(edit.FinalMessages, 1);
}

// A child's notifications reach its own wrapper first; what it declines reaches the parent.
TEST_F(CNimbWndTest, NotificationsAreReflectedToTheChild) {
    Recorder parent, button;
    CreateTop(parent);
    ASSERT_TRUE(button.CreateEx(0, L"BUTTON", L"按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5,
                                80, 24, parent.GetHwnd(), reinterpret_cast<HMENU>(101)));
    parent.Seen.clear();
    ::SendMessageW(button.GetHwnd(), BM_CLICK, 0, 0);
    ASSERT_FALSE(button.Reflected.empty());
    EXPECT_EQ(button.Reflected.back(), static_cast<UINT>(WM_COMMAND));
    EXPECT_TRUE(Saw(parent, WM_COMMAND)); // declined: the parent gets it

    button.HandleReflected = true;
    parent.Seen.clear();
    const LRESULT answer = ::SendMessageW(parent.GetHwnd(), WM_COMMAND, MAKEWPARAM(101, BN_CLICKED),
                                          reinterpret_cast<LPARAM>(button.GetHwnd()));
    EXPECT_EQ(answer, 77);
    EXPECT_FALSE(Saw(parent, WM_COMMAND)); // handled by the child alone
    parent.DestroyWindow();
}

// A handler that destroys its own window and deletes its wrapper completes; the wrapper
// is finished once its outermost message returns.
TEST_F(CNimbWndTest, AHandlerMayDestroyItsOwnWindowAndWrapper) {
    Recorder parent;
    CreateTop(parent);
    auto* child = new Recorder();
    int finals = 0;
    child->OnSeen = [&](Recorder& self, UINT message) {
        if (message == WM_LBUTTONDOWN) {
            self.DestroyWindow();
            finals = self.FinalMessages; // not yet: the message is still in progress
            self.Delete();
        }
    };
    ASSERT_TRUE(child->CreateEx(0, kContainerClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50,
                                parent.GetHwnd(), reinterpret_cast<HMENU>(103)));
    const HWND window = child->GetHwnd();
    const int64_t alive = CNimbWnd::LiveCount();
    ::SendMessageW(window, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(finals, 0);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(CNimbWnd::LiveCount(), alive - 1);
    parent.DestroyWindow();
}

namespace {

class Swallower : public INimbWindowFilter {
public:
    explicit Swallower(UINT message) : Message(message) {}
    bool FilterMessage(void*, uint32_t message, uintptr_t, intptr_t, intptr_t& result) override {
        if (message != Message)
            return false;
        ++Count;
        result = 5;
        return true;
    }
    UINT Message;
    int Count = 0;
};

} // namespace

TEST_F(CNimbWndTest, PrivateRequestsAndFilters) {
    Recorder wrapper;
    wrapper.NativeTag = 7;
    CreateTop(wrapper);
    const HWND window = wrapper.GetHwnd();
    int32_t tag = 0;
    EXPECT_EQ(
        ::SendMessageW(window, WMU_QUERY_TAG, reinterpret_cast<WPARAM>(&tag), kNimbFrameworkMark),
        kNimbFrameworkMark);
    EXPECT_EQ(tag, 7);

    Swallower paint(WM_PAINT);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(::SendMessageW(window, WMU_ADD_FILTER, reinterpret_cast<WPARAM>(&paint),
                                 kNimbFrameworkMark),
                  kNimbFrameworkMark);
    wrapper.Seen.clear();
    EXPECT_EQ(::SendMessageW(window, WM_PAINT, 0, 0), 5);
    EXPECT_EQ(paint.Count, 1); // one node for the two requests
    EXPECT_FALSE(Saw(wrapper, WM_PAINT));

    // A null filter is no request: an ordinary message that the wrapper sees.
    EXPECT_EQ(::SendMessageW(window, WMU_REMOVE_FILTER, 0, kNimbFrameworkMark), 0);
    EXPECT_TRUE(Saw(wrapper, WMU_REMOVE_FILTER));
    EXPECT_EQ(::SendMessageW(window, WMU_REMOVE_FILTER, reinterpret_cast<WPARAM>(&paint),
                             kNimbFrameworkMark),
              kNimbFrameworkMark);
    ::SendMessageW(window, WM_PAINT, 0, 0);
    EXPECT_EQ(paint.Count, 1);
    EXPECT_TRUE(Saw(wrapper, WM_PAINT));
    // Another second parameter than the mark is no request either.
    EXPECT_NE(::SendMessageW(window, WMU_QUERY_TAG, reinterpret_cast<WPARAM>(&tag), 1),
              kNimbFrameworkMark);
    wrapper.DestroyWindow();
}
