#include "gui/KeyInput.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    uint32_t VirtualKey;
    bool Ctrl, Shift, Alt;
    uint32_t Code;      // without the modifier bits
    uint32_t Modifiers; // the bits 13-15
};

} // namespace

TEST(KeyInput, KeyCodesAreNormalised) {
    const KeyCase cases[] = {
        {0x65, true, false, false, 0x35, kNimbKeyCtrl}, // keypad 5 with Ctrl
        {0x11, true, false, false, 0x11, 0},            // Ctrl alone
        {0x10, false, true, false, 0x10, 0},            // Shift alone
        {0x12, false, false, true, 0x12, 0},            // Alt alone
        {0x3A, true, true, true, 0, 0},                 // outside the reported set
        {0x60, false, false, false, 0x30, 0},           // keypad 0
        {0x69, false, true, false, 0x39, kNimbKeyShift},
        {0x6D, false, false, false, 0xBD, 0}, // keypad minus
        {0x6E, false, false, false, 0xBE, 0}, // keypad decimal point
        {0x6F, false, false, true, 0xBF, kNimbKeyAlt},
        {0x6A, false, false, false, 0x6A, 0}, // keypad multiply stays
        {0x6C, false, false, false, 0, 0},    // the separator key is not reported
        {0x41, true, true, true, 0x41, kNimbKeyModifiers},
        {0x141, false, false, false, 0x41, 0}, // only the low 8 bits count
        {0x07, false, false, false, 0, 0},
        {0xFE, false, false, false, 0xFE, 0},
        {0xFF, false, false, false, 0, 0},
        {0x0D, false, false, false, 0x0D, 0},
    };
    for (const KeyCase& c : cases) {
        const uint32_t code = NormaliseKeyCode(c.VirtualKey, c.Ctrl, c.Shift, c.Alt);
        EXPECT_EQ(code & ~kNimbKeyModifiers, c.Code) << std::hex << c.VirtualKey;
        EXPECT_EQ(code & kNimbKeyModifiers, c.Modifiers) << std::hex << c.VirtualKey;
    }
}

TEST(KeyInput, MouseKeyStatesAndWheelSteps) {
    EXPECT_EQ(MouseKeyState(0x0004, false), 0x8000u);              // Shift
    EXPECT_EQ(MouseKeyState(0x0008, true), 0x6000u);               // Ctrl and Alt
    EXPECT_EQ(MouseKeyState(0x0001 | 0x0002 | 0x0010, false), 0u); // buttons are not keys
    EXPECT_EQ(MouseKeyState(0x000C, true), 0xE000u);

    const struct {
        int16_t Delta;
        int32_t Steps;
    } wheel[] = {{-120, -1}, {240, 2}, {60, 0}, {-60, 0}, {-239, -1}, {32767, 273}, {-32768, -273}};
    for (const auto& c : wheel) {
        const uintptr_t first = static_cast<uintptr_t>(static_cast<uint16_t>(c.Delta)) << 16 | 0x8;
        EXPECT_EQ(WheelSteps(first), c.Steps) << c.Delta;
    }
}
