#include "runtime/DateTimeText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLastDateTime = 2958465.0;
// 30 December 1899 counted from 1 January 1970.
constexpr int64_t kEpochFromUnix = -25569;

// Days since 1 January 1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, CNimbCalendarTime& out) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;
    out.Day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    out.Month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    out.Year = static_cast<int>(yearOfEra + era * 400 + (out.Month <= 2));
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads at most `width` decimal digits; none read as 0.
int ReadNumber(const char16_t*& p, int width) {
    int value = 0;
    for (; width > 0 && *p >= u'0' && *p <= u'9'; --width, ++p)
        value = value * 10 + (*p - u'0');
    return value;
}

// Skips one code unit when it is one of `separators`.
void SkipSeparator(const char16_t*& p, const char16_t* separators) {
    for (; *separators != 0; ++separators) {
        if (*p == *separators) {
            ++p;
            return;
        }
    }
}

} // namespace

bool VariantTimeToCalendar(double value, CNimbCalendarTime& out) {
    if (!(value >= kNoDateTime && value <= kLastDateTime))
        return false; // NaN included
    const double whole = std::trunc(value);
    int64_t days = static_cast<int64_t>(whole);
    int64_t seconds = std::llround(std::fabs(value - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    CivilFromDays(days + kEpochFromUnix, out);
    if (out.Year > 9999)
        return false;
    out.Hour = static_cast<int>(seconds / 3600);
    out.Minute = static_cast<int>(seconds / 60 % 60);
    out.Second = static_cast<int>(seconds % 60);
    return true;
}

CWString DateTimeToText(double value, bool chineseForm) {
    CWString text;
    CNimbCalendarTime time;
    if (!VariantTimeToCalendar(value, time))
        return text;
    if (chineseForm)
        text.Format(u"%d年%d月%d日", time.Year, time.Month, time.Day);
    else
        text.Format(u"%d/%d/%d", time.Month, time.Day, time.Year);
    if (time.Second != 0)
        text.AppendFormat(chineseForm ? u"%d时%d分%d秒" : u" %d:%d:%d", time.Hour, time.Minute,
                          time.Second);
    else if (time.Minute != 0)
        text.AppendFormat(chineseForm ? u"%d时%d分" : u" %d:%d", time.Hour, time.Minute);
    else if (time.Hour != 0)
        text.AppendFormat(chineseForm ? u"%d时" : u" %d", time.Hour);
    return text;
}

double TextToDateTime(const char16_t* text, bool chineseForm) {
    if (text == nullptr || *text == 0)
        return kNoDateTime;
    const char16_t* p = text;
    int year, month, day;
    if (chineseForm) {
        year = ReadNumber(p, 4);
        SkipSeparator(p, u"-./:年");
        month = ReadNumber(p, 2);
        SkipSeparator(p, u"-./:月");
        day = ReadNumber(p, 2);
        SkipSeparator(p, u" -./:日");
    } else {
        month = ReadNumber(p, 2);
        SkipSeparator(p, u"-./:");
        day = ReadNumber(p, 2);
        SkipSeparator(p, u"-./:");
        year = ReadNumber(p, 4);
        SkipSeparator(p, u" -./:");
    }
    const int hour = ReadNumber(p, 2);
    SkipSeparator(p, chineseForm ? u"-./:时" : u"-./:");
    const int minute = ReadNumber(p, 2);
    SkipSeparator(p, chineseForm ? u"-./:分" : u"-./:");
    const int second = ReadNumber(p, 2);
    if (*p != 0 && !(chineseForm && *p == u'秒'))
        return kNoDateTime;
    return MakeDateTime(year, month, day, hour, minute, second);
}

double MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    year = std::clamp(year, 100, 9999);
    month = std::clamp(month, 1, 12);
    day = std::clamp(day, 1, DaysInMonth(year, month));
    hour = std::clamp(hour, 0, 23);
    minute = std::clamp(minute, 0, 59);
    second = std::clamp(second, 0, 59);
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - kEpochFromUnix);
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before the epoch the fraction keeps running forward from midnight.
    return days < 0 ? days - fraction : days + fraction;
}
