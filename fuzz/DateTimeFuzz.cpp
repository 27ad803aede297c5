// Date-times between variant time, calendar fields and text, in both forms, checked
// against a calendar written here: any text read must write back to the same second; any
// set of fields must make the value the calendar gives, write as documented and read back
// from every accepted spelling; any double must split into the fields of its nearest
// second.

#include "FuzzInput.h"
#include "runtime/DateTimeText.h"

#include <cmath>

namespace {

constexpr double kFirstDateTime = -657434.0;
constexpr double kLastDateTime = 2958465.0;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1 January of year 1 in the proleptic Gregorian calendar.
int64_t Ordinal(int year, int month, int day) {
    static constexpr int kBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int64_t past = year - 1;
    return past * 365 + past / 4 - past / 100 + past / 400 + kBefore[month - 1] +
           (month > 2 && IsLeapYear(year)) + day - 1;
}

// Seconds from midnight, 30 December 1899.
int64_t SecondsOf(const CNimbCalendarTime& t) {
    return (Ordinal(t.Year, t.Month, t.Day) - Ordinal(1899, 12, 30)) * 86400 + t.Hour * 3600 +
           t.Minute * 60 + t.Second;
}

bool IsValid(const CNimbCalendarTime& t) {
    return t.Year >= 100 && t.Year <= 9999 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 &&
           t.Day <= DaysInMonth(t.Year, t.Month) && t.Hour >= 0 && t.Hour <= 23 && t.Minute >= 0 &&
           t.Minute <= 59 && t.Second >= 0 && t.Second <= 59;
}

bool operator==(const CNimbCalendarTime& a, const CNimbCalendarTime& b) {
    return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour &&
           a.Minute == b.Minute && a.Second == b.Second;
}

bool InRange(double value) {
    return value >= kFirstDateTime && value <= kLastDateTime;
}

// The variant time of the fields: whole days, and the time of day running forward from
// midnight even before the epoch.
double ReferenceValue(const CNimbCalendarTime& t) {
    const int64_t days = Ordinal(t.Year, t.Month, t.Day) - Ordinal(1899, 12, 30);
    const double fraction = (t.Hour * 3600 + t.Minute * 60 + t.Second) / 86400.0;
    return days < 0 ? days - fraction : days + fraction;
}

// The date, then the time up to its last part that is not zero.
CWString ReferenceText(const CNimbCalendarTime& t, bool chinese) {
    CWString text;
    const int parts = t.Second != 0 ? 3 : t.Minute != 0 ? 2 : t.Hour != 0 ? 1 : 0;
    if (chinese) {
        text.Format(u"%d年%d月%d日", t.Year, t.Month, t.Day);
        const char16_t* const units[] = {u"时", u"分", u"秒"};
        const int values[] = {t.Hour, t.Minute, t.Second};
        for (int i = 0; i < parts; ++i)
            text.AppendFormat(u"%d%s", values[i], units[i]);
    } else {
        text.Format(u"%d/%d/%d", t.Month, t.Day, t.Year);
        const int values[] = {t.Hour, t.Minute, t.Second};
        for (int i = 0; i < parts; ++i)
            text.AppendFormat(i == 0 ? u" %d" : u":%d", values[i]);
    }
    return text;
}

// Whether a text written by DateTimeToText reads back as the same second.
bool ReadsBack(const CWString& text, bool chinese, const CNimbCalendarTime& expected) {
    CNimbCalendarTime read;
    return VariantTimeToCalendar(TextToDateTime(text.GetText(), chinese), read) && read == expected;
}

// Fields anywhere in the valid range.
CNimbCalendarTime FieldsFrom(FuzzReader& reader) {
    CNimbCalendarTime t;
    t.Year = 100 + reader.Take<uint16_t>() % 9900;
    t.Month = 1 + reader.Take<uint8_t>() % 12;
    t.Day = 1 + reader.Take<uint8_t>() % DaysInMonth(t.Year, t.Month);
    t.Hour = reader.Take<uint8_t>() % 24;
    t.Minute = reader.Take<uint8_t>() % 60;
    t.Second = reader.Take<uint8_t>() % 60;
    return t;
}

// One of the written separator and the four that are accepted in its place.
char16_t Separator(FuzzReader& reader, char16_t written) {
    static constexpr char16_t kAccepted[] = u"-./:";
    const unsigned pick = reader.Take<uint8_t>() % 5;
    return pick == 4 ? written : kAccepted[pick];
}

// A number with up to `width` digits, zero-padded at will.
void AppendNumber(CWString& text, int value, int width, FuzzReader& reader) {
    int digits = 1;
    for (int rest = value / 10; rest != 0; rest /= 10)
        ++digits;
    for (int pad = reader.Take<uint8_t>() % (width - digits + 1); pad > 0; --pad)
        text.AppendChar(u'0');
    text.Append(CWString(value).GetText());
}

// The fields in the order of the form, with separators and padding chosen by the input
// and only the first `parts` time fields written; the rest must read as zero.
CWString Spelling(const CNimbCalendarTime& t, bool chinese, int parts, FuzzReader& reader) {
    CWString text;
    const int time[] = {t.Hour, t.Minute, t.Second};
    if (chinese) {
        AppendNumber(text, t.Year, 4, reader);
        text.AppendChar(Separator(reader, u'年'));
        AppendNumber(text, t.Month, 2, reader);
        text.AppendChar(Separator(reader, u'月'));
        AppendNumber(text, t.Day, 2, reader);
        text.AppendChar(Separator(reader, u'日'));
        static constexpr char16_t kUnits[] = u"时分";
        for (int i = 0; i < parts; ++i) {
            AppendNumber(text, time[i], 2, reader);
            text.AppendChar(i < 2 ? Separator(reader, kUnits[i]) : u'秒');
        }
    } else {
        AppendNumber(text, t.Month, 2, reader);
        text.AppendChar(Separator(reader, u'/'));
        AppendNumber(text, t.Day, 2, reader);
        text.AppendChar(Separator(reader, u'/'));
        AppendNumber(text, t.Year, 4, reader);
        for (int i = 0; i < parts; ++i) {
            text.AppendChar(Separator(reader, i == 0 ? u' ' : u':'));
            AppendNumber(text, time[i], 2, reader);
        }
    }
    return text;
}

void CheckText(const uint8_t* data, size_t size) {
    const CWString text = TextOf(data, size);
    for (bool chinese : {true, false}) {
        const double value = TextToDateTime(text.GetText(), chinese);
        FUZZ_EXPECT(value == kNoDateTime || std::isfinite(value));
        CNimbCalendarTime fields;
        if (!VariantTimeToCalendar(value, fields))
            continue; // a time of day on the first or last day lies past the range
        FUZZ_EXPECT(ReferenceValue(fields) == value); // a whole second, nothing in between
        FUZZ_EXPECT(ReadsBack(DateTimeToText(value, chinese), chinese, fields));
    }
}

void CheckFields(FuzzReader& reader) {
    const CNimbCalendarTime t = FieldsFrom(reader);
    const double value = MakeDateTime(t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second);
    FUZZ_EXPECT(value == ReferenceValue(t));
    CNimbCalendarTime split;
    if (!InRange(value)) {
        FUZZ_EXPECT(!VariantTimeToCalendar(value, split));
        FUZZ_EXPECT(DateTimeToText(value, true).IsEmpty());
        return;
    }
    FUZZ_EXPECT(VariantTimeToCalendar(value, split) && split == t);
    for (bool chinese : {true, false}) {
        const CWString text = DateTimeToText(value, chinese);
        FUZZ_EXPECT(text.HasSameText(ReferenceText(t, chinese)));
        FUZZ_EXPECT(ReadsBack(text, chinese, t));
        const int parts = reader.Take<uint8_t>() % 4;
        CNimbCalendarTime shortened = t;
        if (parts < 3)
            shortened.Second = 0;
        if (parts < 2)
            shortened.Minute = 0;
        if (parts < 1)
            shortened.Hour = 0;
        FUZZ_EXPECT(ReadsBack(Spelling(t, chinese, parts, reader), chinese, shortened));
    }
}

void CheckValue(double value) {
    CNimbCalendarTime t;
    if (!InRange(value)) { // NaN included
        FUZZ_EXPECT(!VariantTimeToCalendar(value, t));
        FUZZ_EXPECT(DateTimeToText(value, true).IsEmpty() &&
                    DateTimeToText(value, false).IsEmpty());
        return;
    }
    FUZZ_EXPECT(VariantTimeToCalendar(value, t) && IsValid(t));
    // The nearest second: the exact time the value stands for against the fields'.
    const long double whole = std::trunc(value);
    const long double exact = whole * 86400 + std::fabs(value - whole) * 86400.0L;
    FUZZ_EXPECT(std::fabs(exact - SecondsOf(t)) <= 0.5L + 1e-6L);
    for (bool chinese : {true, false}) {
        const CWString text = DateTimeToText(value, chinese);
        FUZZ_EXPECT(text.HasSameText(ReferenceText(t, chinese)));
        FUZZ_EXPECT(ReadsBack(text, chinese, t));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckText(data, size);
    FuzzReader reader(data, size);
    CheckValue(reader.Take<double>());
    // Most doubles lie far outside the range or next to zero: one spread over the range.
    CheckValue(kFirstDateTime +
               (kLastDateTime - kFirstDateTime) * (reader.Take<uint64_t>() / 0x1p64));
    CheckFields(reader);
    return 0;
}
