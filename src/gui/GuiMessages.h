#pragma once
// The message numbers and the mark that the framework's portable rules speak of. The
// platform's own messages are named here by their numbers, so that the rules need no
// platform header; the framework's private messages live in the application range.

#include <cstdint>

namespace NimbMsg {

constexpr uint32_t SetFocus = 0x0007;
constexpr uint32_t KillFocus = 0x0008;
constexpr uint32_t SetCursor = 0x0020;
constexpr uint32_t NcDestroy = 0x0082;
constexpr uint32_t KeyDown = 0x0100;
constexpr uint32_t KeyUp = 0x0101;
constexpr uint32_t Char = 0x0102;
constexpr uint32_t SysKeyDown = 0x0104;
constexpr uint32_t SysKeyUp = 0x0105;
constexpr uint32_t MouseMove = 0x0200;
constexpr uint32_t LeftButtonDown = 0x0201;
constexpr uint32_t LeftButtonUp = 0x0202;
constexpr uint32_t LeftDoubleClick = 0x0203;
constexpr uint32_t RightButtonDown = 0x0204;
constexpr uint32_t RightButtonUp = 0x0205;
constexpr uint32_t RightDoubleClick = 0x0206;
constexpr uint32_t MiddleButtonDown = 0x0207;
constexpr uint32_t MiddleButtonUp = 0x0208;
constexpr uint32_t MouseWheel = 0x020A;
constexpr uint32_t DropFiles = 0x0233;

} // namespace NimbMsg

// Identifies the framework's windows (as their user data) and its private requests (as
// their second parameter), and acknowledges a request as its answer.
constexpr uint32_t kNimbFrameworkMark = 19731115; // 0x012D12AB

// The framework's private messages.
enum : uint32_t {
    WMU_REMOVE_FILTER = 0x9FFB, // first: the filter; second: the mark
    WMU_ADD_FILTER = 0x9FFC,    // first: the filter; second: the mark
    WMU_QUERY_TAG = 0x9FFD,     // first: a signed 32-bit out value; second: the mark
    WMU_PRETRANSLATE = 0x9FFF,  // first: the message being pre-translated; second: the mark
    WMU_ITEM_ACTIVATE = 0xA000, // to a list view: first, the item index
    WMU_TRAY_NOTIFY = 0xA000,   // to a form: second, the tray icon's mouse message
    WMU_HOST_COMMAND = 0xA001,  // to a modal host: first, the command 1-4; second, its argument
    WMU_LABEL_NOTIFY = 0xA002,  // to a label: anything
};
