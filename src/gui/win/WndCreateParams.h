#pragma once
// The record a native window is created from.

#include "runtime/win/Win32.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNWnd_Base;
class CNimbWinControl;
class CRefNimbMenu;

// In X or Y: the default position (forms only); in Width or Height: the default size
// (containers and forms).
inline constexpr int32_t kNimbDefaultPlace = INT32_MIN;

struct WndCreateParams {
    CNWnd_Base* ParentWnd = nullptr;  // null for a top-level window
    CNimbWinControl* Owner = nullptr; // told in the new control's Created event
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Id = 0;
    int32_t NativeTag = -1;
    uint32_t Style = 0;   // filled from the payload
    uint32_t ExStyle = 0; // filled from the payload
    const char16_t* Caption = u"";
    CRefNimbMenu* Menu = nullptr;
    int32_t Modal = 0;
    int32_t ModalFixedFrame = 0;
    int32_t ModalResult = 0; // out
    HFONT Font = nullptr;    // filled from the payload
};

} // namespace rg_nimb_MFCJieMian_base
