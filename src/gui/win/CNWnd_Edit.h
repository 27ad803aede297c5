#pragma once
// The native window of an edit box, the platform's EDIT: the input types with their
// typing filters and the normalisation of the text when the box loses the focus, the
// colours, single lines centred vertically in a taller box, and the optional spin button
// beside it.

#include "gui/win/CNWnd_Base.h"
#include "gui/win/GdiHandles.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNWnd_Edit;

// The spin button of an edit box: lives beside it, in the same parent, and steps the
// number in its text or reports its presses.
class CEditSpin : public CNimbWnd {
public:
    CNWnd_Edit* Edit = nullptr; // the edit box served
    int32_t Stepping = 0;       // 1: a press steps the number in the text

protected:
    bool OnReflected(UINT message, WPARAM first, LPARAM second, LRESULT& result) override;
};

class CNWnd_Edit : public CNWnd_Base {
public:
    CNWnd_Edit();
    // The spin goes with the box, once no message of its own is in progress.
    ~CNWnd_Edit() override;

    uint32_t TextColor = 0x000000;
    uint32_t BackColor = 0xFFFFFF; // 0xFF000000: the system's button face colour
    int64_t MaxLength = 0;         // characters; 0: the platform's limit
    int64_t MultiLine = 0;
    int64_t ScrollBars = 0; // multi-line: 1 horizontal, 2 vertical, 3 both
    int64_t InputType = 0;  // see gui/EditRules.h
    char16_t PasswordChar = u'*';
    int64_t SpinMode =
        0; // single-line: 1 a stepping spin, other non-zero values a spin that reports
    int64_t SpinMin = 0;
    int64_t SpinMax = 100;
    CGdiBrush BackBrush; // white, made at construction
    // The spin button, owned by the box; a wrapper of its own, so that a press whose
    // handler destroys the box finishes before the spin goes.
    CEditSpin* const Spin;
    int64_t TextHeight = 0; // of a line in the current font, for vertical centring

    // The cue text shown while the box is empty and unfocused; nothing without a window.
    void SetCueBanner(const char16_t* text);
    // Puts the spin beside the box, as tall as it and just in front of it.
    void PlaceSpin();
    // What a press of the spin does: steps the number or tells the listener.
    void OnSpinPressed(int delta);
    // The colours of the box (and of its spin).
    LRESULT AnswerColours(HDC dc) const;

protected:
    const wchar_t* WindowClassName() const override;
    void PrepareCreation(WndCreateParams& params) override;
    // The text limit, the mask character and the spin.
    void CompleteCreation(WndCreateParams& params) override;
    // Focus reaches the listener through the box's own notifications.
    bool ListenerSees(UINT message) const override;
    bool OnReflected(UINT message, WPARAM first, LPARAM second, LRESULT& result) override;
    LRESULT OnMessage(UINT message, WPARAM first, LPARAM second) override;

private:
    void OnFocusLost();
    void OnFontSet(HFONT font);
    void PaintNonClient();
};

} // namespace rg_nimb_MFCJieMian_base
