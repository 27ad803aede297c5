#pragma once
// The native window of a label: draws its background, picture and text itself, takes no
// keyboard input, and passes its notify request to the label's listener.

#include "gui/win/CNWnd_Base.h"
#include "gui/win/GdiHandles.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNWnd_Label : public CNWnd_Base {
public:
    uint32_t TextColor = 0xFF000000; // 0xFF000000: the system's window text colour
    uint32_t BackColor = 0xFF000000; // 0xFF000000: the system's button face colour
    int32_t HAlign = 0;              // 0 left, 1 centred, 2 right
    int32_t VAlign = 1;              // 0 top, 1 centred, 2 bottom; single lines only
    int64_t WordWrap = 0;            // several lines, broken between words
    int32_t PictureMode = 0;
    // No background, the transparent extended style, and font changes repaint what lies
    // behind.
    int64_t Transparent = 0;
    CGdiFont LabelFont; // the label's own copy of its font
    CGdiBitmap Picture;

    // The format the text is drawn with.
    UINT TextFormat() const noexcept;

protected:
    const wchar_t* WindowClassName() const override;
    void PrepareCreation(WndCreateParams& params) override;
    LRESULT OnMessage(UINT message, WPARAM first, LPARAM second) override;

private:
    void SetFont(HFONT font, bool redraw);
    void Paint();
};

} // namespace rg_nimb_MFCJieMian_base
