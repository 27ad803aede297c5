#include "GuiFixture.h"

#include "gui/win/CNimbMessageLoop.h"
#include "gui/win/GdiHandles.h"
#include "gui/win/WindowClasses.h"
#include "runtime/win/WideText.h"

#include <commctrl.h>

#include <cstdio>

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

std::string ScreenshotPath(const char* name) {
    std::string path = "Z:" KQV_SCREENSHOT_DIR;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    ::CreateDirectoryA(path.c_str(), nullptr);
    return path + "\\" + name;
}

bool SaveScreenshot(HWND window, const std::string& path) {
    RECT bounds;
    if (window != nullptr)
        ::GetWindowRect(window, &bounds);
    else
        bounds = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as BMP files are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    const CGdiBitmap shot(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const HGDIOBJ old = ::SelectObject(memory, shot.Get());
    ::BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY);
    ::GdiFlush();
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits, static_cast<size_t>(stride), static_cast<size_t>(height), out);
    return std::fclose(out) == 0;
}

bool PumpThroughLoop(const std::function<bool()>& done, int ms) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms);
    MSG message;
    while (!done()) {
        if (::GetTickCount64() >= end)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!CNimbMessageLoop::RelayPreTranslate(message)) {
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
    }
    return true;
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
