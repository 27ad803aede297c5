#include "gui/KeyInput.h"

namespace {

// The virtual keys the framework reports, as inclusive ranges.
constexpr struct {
    uint32_t First, Last;
} kReportable[] = {
    {0x01, 0x06}, {0x08, 0x09}, {0x0C, 0x0D}, {0x10, 0x15}, {0x17, 0x19}, {0x1B, 0x39},
    {0x41, 0x5D}, {0x5F, 0x5F}, {0x6A, 0x6B}, {0x70, 0x87}, {0x90, 0x96}, {0xA0, 0xB7},
    {0xBA, 0xC0}, {0xDB, 0xDE}, {0xE1, 0xE7}, {0xE9, 0xFE},
};

constexpr uint32_t kShiftKey = 0x10;
constexpr uint32_t kCtrlKey = 0x11;
constexpr uint32_t kAltKey = 0x12;

bool IsReportable(uint32_t key) {
    for (const auto& range : kReportable) {
        if (key >= range.First && key <= range.Last)
            return true;
    }
    return false;
}

} // namespace

uint32_t NormaliseKeyCode(uint32_t virtualKey, bool ctrl, bool shift, bool alt) noexcept {
    uint32_t key = virtualKey & 0xFF;
    if (key >= 0x60 && key <= 0x69)
        key = key - 0x60 + 0x30; // keypad digits are the digits
    else if (key >= 0x6D && key <= 0x6F)
        key = key - 0x6D + 0xBD; // keypad minus, decimal point and divide
    else if (!IsReportable(key))
        return 0;
    if (ctrl && key != kCtrlKey)
        key |= kNimbKeyCtrl;
    if (shift && key != kShiftKey)
        key |= kNimbKeyShift;
    if (alt && key != kAltKey)
        key |= kNimbKeyAlt;
    return key;
}

uint32_t MouseKeyState(uintptr_t keyFlags, bool alt) noexcept {
    constexpr uintptr_t kFlagShift = 0x0004;
    constexpr uintptr_t kFlagControl = 0x0008;
    uint32_t state = 0;
    if (keyFlags & kFlagControl)
        state |= kNimbKeyCtrl;
    if (keyFlags & kFlagShift)
        state |= kNimbKeyShift;
    if (alt)
        state |= kNimbKeyAlt;
    return state;
}

int32_t WheelSteps(uintptr_t first) noexcept {
    const auto delta = static_cast<int16_t>(static_cast<uint16_t>(first >> 16));
    return delta / 120;
}
