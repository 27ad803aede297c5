#pragma once
// What the window tests share: pumping the thread's messages until something happened,
// and a check that a test leaves no wrapper behind.

#include "gui/win/CNimbWnd.h"
#include "gui/win/GdiHandles.h"
#include "runtime/win/Win32.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

// Dispatches this thread's messages until `done` is true or `ms` milliseconds passed;
// returns `done()` at the end.
bool PumpUntil(const std::function<bool()>& done, int ms = 2000);
// Dispatches what is in this thread's queue now.
void PumpPending();

// As PumpUntil, with each message pre-translated as the framework's loop does it.
bool PumpThroughLoop(const std::function<bool()>& done, int ms = 2000);

// A window's text, as the window answers it.
std::u16string TextOf(HWND window);

// The path of `name` in build/win/screenshots, made if need be.
std::string ScreenshotPath(const char* name);
// Writes what the screen shows of `window` (null: the whole screen) as a 24-bit BMP file.
bool SaveScreenshot(HWND window, const std::string& path);

// A 32-bit top-down bitmap whose pixels the test reads.
struct Canvas {
    Canvas(int width, int height, uint32_t fill) : Width(width), Height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        Bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        Pixels = static_cast<uint32_t*>(bits);
        for (int i = 0; i < width * height; ++i)
            Pixels[i] = fill;
    }
    uint32_t At(int x, int y) const { return Pixels[y * Width + x] & 0xFFFFFF; }

    int Width, Height;
    CGdiBitmap Bitmap;
    uint32_t* Pixels = nullptr;
};

// A test that creates windows: it registers the framework's classes and, at its end,
// expects every wrapper it made to be gone.
class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    int64_t Wrappers = 0;
};
