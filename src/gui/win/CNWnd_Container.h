#pragma once
// The native window of a component panel (and the base of a form's): paints its
// background colour and picture, passes the focus on to a child, repaints what lies
// behind it when transparent, and reports its life to the container's listener.

#include "gui/win/CNWnd_Base.h"
#include "gui/win/GdiHandles.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class IContainerEventListener;

class CNWnd_Container : public CNWnd_Base {
public:
    ~CNWnd_Container() override;

    // 0xFF000000: the system colour of button faces.
    uint32_t BackColor = 0xFF000000;
    // How Picture is drawn: 0 top-left, 1 tiled, 2 fitted, 3 stretched.
    int32_t PictureMode = 0;
    // No background, the transparent extended style, and moves repaint what lies behind.
    int32_t Transparent = 0;
    CGdiBitmap Picture;
    // A tooltip serving the children: messages over them are relayed to it, and it goes
    // with the window. Nothing in the framework makes one.
    CNimbWnd* ToolTip = nullptr;

    // Gives the focus to the first descendant that wants keys, else the first tab stop,
    // else the first child.
    static void PassFocusOn(HWND container);
    // Invalidates what lies behind `window` in its top-level ancestor and redraws the
    // visible windows over that area, from the topmost down.
    static void RepaintBehind(HWND window);

protected:
    const wchar_t* WindowClassName() const override;
    void PrepareCreation(WndCreateParams& params) override;
    // Marks the window as the framework's.
    void CompleteCreation(WndCreateParams& params) override;
    LRESULT OnMessage(UINT message, WPARAM first, LPARAM second) override;
    void OnFinalMessage() override;
    // The answer to WMU_PRETRANSLATE: a container relays mouse messages to its tooltip
    // and consumes nothing.
    virtual LRESULT OnPreTranslate(MSG& message);

    IContainerEventListener* ContainerListener() const;
    void Paint();
    void DestroyToolTip();
};

} // namespace rg_nimb_MFCJieMian_base
