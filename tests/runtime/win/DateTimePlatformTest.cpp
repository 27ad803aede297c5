#include "runtime/DateTimeText.h"

#include <gtest/gtest.h>

#include "runtime/win/Win32.h"

#include <oleauto.h> // after windows.h, which it needs

namespace {

// Values whose time lies on whole seconds, where every rounding rule agrees.
const double kValues[] = {
    0.0,
    0.5,
    1.0,
    2.25,
    45000.5,
    45000.0 + 3723.0 / 86400,
    36585.0,
    60.0,
    -1.25,
    -700.75,
    -657434.0,
    2958465.0,
    10000.0 + 1.0 / 86400,
    -657433.0 + 86399.0 / 86400,
};

} // namespace

TEST(DateTimePlatform, CalendarFieldsMatchVariantTimeToSystemTime) {
    for (double value : kValues) {
        SYSTEMTIME system = {};
        ASSERT_TRUE(::VariantTimeToSystemTime(value, &system)) << value;
        CNimbCalendarTime ours = {};
        ASSERT_TRUE(VariantTimeToCalendar(value, ours)) << value;
        EXPECT_EQ(ours.Year, system.wYear) << value;
        EXPECT_EQ(ours.Month, system.wMonth) << value;
        EXPECT_EQ(ours.Day, system.wDay) << value;
        EXPECT_EQ(ours.Hour, system.wHour) << value;
        EXPECT_EQ(ours.Minute, system.wMinute) << value;
        EXPECT_EQ(ours.Second, system.wSecond) << value;
    }
}

TEST(DateTimePlatform, MakeDateTimeMatchesSystemTimeToVariantTime) {
    for (double value : kValues) {
        CNimbCalendarTime fields = {};
        ASSERT_TRUE(VariantTimeToCalendar(value, fields));
        SYSTEMTIME system = {};
        system.wYear = static_cast<WORD>(fields.Year);
        system.wMonth = static_cast<WORD>(fields.Month);
        system.wDay = static_cast<WORD>(fields.Day);
        system.wHour = static_cast<WORD>(fields.Hour);
        system.wMinute = static_cast<WORD>(fields.Minute);
        system.wSecond = static_cast<WORD>(fields.Second);
        double platform = 0;
        ASSERT_TRUE(::SystemTimeToVariantTime(&system, &platform)) << value;
        EXPECT_NEAR(MakeDateTime(fields.Year, fields.Month, fields.Day, fields.Hour, fields.Minute,
                                 fields.Second),
                    platform, 1e-9)
            << value;
    }
}
