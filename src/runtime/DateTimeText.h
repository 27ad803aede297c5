#pragma once
// Date-times as the platform's variant time: a double counting days from 30 December
// 1899, valid from -657434 (1 January 100) to 2958465 (31 December 9999). Before the
// epoch the integral part counts days back and the fraction still runs forward from
// midnight, so -1.25 is 29 December 1899, 06:00.

#include "runtime/CWString.h"

#include <cstdint>

// Stands for "no date" as well as for 1 January 100.
inline constexpr double kNoDateTime = -657434.0;

struct CNimbCalendarTime {
    int Year, Month, Day, Hour, Minute, Second;
};

// Splits a variant time into calendar fields, rounded to the nearest second. False for a
// value outside the valid range.
bool VariantTimeToCalendar(double value, CNimbCalendarTime& out);

// The text of a date-time: "%d年%d月%d日" in the Chinese form, "%d/%d/%d" (month, day,
// year) in the numeric form, followed by as much of the time as is not zero. Empty for a
// value that is not a valid date.
CWString DateTimeToText(double value, bool chineseForm);

// Reads a date-time written as DateTimeToText writes it, with "-", ".", "/" and ":" also
// accepted as separators; missing numbers read as 0. kNoDateTime for null, empty or
// unreadable text.
double TextToDateTime(const char16_t* text, bool chineseForm);

// The variant time of the given fields, each clamped to its valid range first: year to
// [100, 9999], month to [1, 12], day to [1, length of the month], hour to [0, 23],
// minute and second to [0, 59].
double MakeDateTime(int year, int month, int day, int hour, int minute, int second);
