#pragma once
// How keyboard and mouse messages become the arguments of the key, mouse and wheel events.

#include <cstdint>

// Modifier bits of a key code and of a key state word.
enum : uint32_t {
    kNimbKeyCtrl = 0x2000,
    kNimbKeyAlt = 0x4000,
    kNimbKeyShift = 0x8000,
    kNimbKeyModifiers = 0xE000,
};

// The code a key message reports: the virtual key `virtualKey` (its low 8 bits) with the
// keypad's digits, minus, decimal point and divide turned into their main-keyboard codes,
// plus the modifier bits of the keys held down, except for the modifier key itself. A key
// outside the set the framework reports gives 0, without modifier bits.
uint32_t NormaliseKeyCode(uint32_t virtualKey, bool ctrl, bool shift, bool alt) noexcept;

// The key state word of a mouse event, from the message's key flags (its first parameter)
// and whether Alt is down: Ctrl 0x2000, Shift 0x8000, Alt 0x4000, nothing else.
uint32_t MouseKeyState(uintptr_t keyFlags, bool alt) noexcept;

// Whole wheel steps of a wheel message's first parameter: its signed high 16 bits over
// 120, truncated toward zero.
int32_t WheelSteps(uintptr_t first) noexcept;
