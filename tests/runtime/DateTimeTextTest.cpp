#include "runtime/DateTimeText.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(DateTimeText, DateTimeToTextShowsAsMuchTimeAsIsNotZero) {
    const double seconds = 1.0 / 86400;
    const struct {
        double Value;
        const char16_t* Chinese;
        const char16_t* Numeric;
    } cases[] = {
        {45000.5, u"2023年3月15日12时", u"3/15/2023 12"},
        {45000.0, u"2023年3月15日", u"3/15/2023"},
        {45000 + 3660 * seconds, u"2023年3月15日1时1分", u"3/15/2023 1:1"},
        {45000 + 5 * seconds, u"2023年3月15日0时0分5秒", u"3/15/2023 0:0:5"},
        {45000 + 86399 * seconds, u"2023年3月15日23时59分59秒", u"3/15/2023 23:59:59"},
        {0.0, u"1899年12月30日", u"12/30/1899"},
        {-1.25, u"1899年12月29日6时", u"12/29/1899 6"},
        {2.5, u"1900年1月1日12时", u"1/1/1900 12"},
        {-657434.0, u"100年1月1日", u"1/1/100"},
        {2958465.0, u"9999年12月31日", u"12/31/9999"},
        {45000.9999999999, u"2023年3月16日", u"3/16/2023"}, // rounds to the nearest second
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Units(DateTimeToText(c.Value, true)), c.Chinese) << c.Value;
        EXPECT_EQ(Units(DateTimeToText(c.Value, false)), c.Numeric) << c.Value;
    }
    for (double bad : {-657434.5, 2958466.0, 2958465.99999999, std::nan(""),
                       std::numeric_limits<double>::infinity()})
        EXPECT_TRUE(DateTimeToText(bad, true).IsEmpty()) << bad;
}

TEST(DateTimeText, MakeDateTimeClampsEveryField) {
    const struct {
        int Year, Month, Day, Hour, Minute, Second;
        double Expected;
    } cases[] = {
        {2023, 3, 15, 12, 0, 0, 45000.5},
        {1899, 12, 30, 0, 0, 0, 0.0},
        {1899, 12, 29, 6, 0, 0, -1.25},
        {100, 1, 1, 0, 0, 0, -657434.0},
        {50, 0, 0, 0, 0, 0, -657434.0},
        {9999, 12, 31, 0, 0, 0, 2958465.0},
        {12000, 13, 40, 0, 0, 0, 2958465.0},
        {2024, 2, 30, 0, 0, 0, 45351.0}, // 29 February 2024
        {2023, 2, 30, 0, 0, 0, 44985.0}, // 28 February 2023
        {1900, 2, 29, 0, 0, 0, 60.0},    // 1900 is no leap year
        {2000, 2, 29, 0, 0, 0, 36585.0}, // 2000 is one
        {2023, 4, 31, 0, 0, 0, 45046.0}, // 30 April
        {2023, 3, 15, 25, 61, -3, 45000 + (23 * 3600 + 59 * 60) / 86400.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(MakeDateTime(c.Year, c.Month, c.Day, c.Hour, c.Minute, c.Second), c.Expected,
                    1e-9)
            << c.Year << "-" << c.Month << "-" << c.Day;
    }
}

TEST(DateTimeText, TextToDateTimeReadsBothForms) {
    const struct {
        const char16_t* Text;
        bool Chinese;
        double Expected;
    } cases[] = {
        {u"2024年12月11日20时00分", true, MakeDateTime(2024, 12, 11, 20, 0, 0)},
        {u"2024-02-30", true, MakeDateTime(2024, 2, 29, 0, 0, 0)},
        {u"2023年3月15日12时", true, 45000.5},
        {u"2023/3/15 1:2:3", true, MakeDateTime(2023, 3, 15, 1, 2, 3)},
        {u"2023年3月15日1时2分3秒", true, MakeDateTime(2023, 3, 15, 1, 2, 3)},
        {u"2023年3月15日1时2分3秒 and more", true, MakeDateTime(2023, 3, 15, 1, 2, 3)},
        {u"3/15/2023 12", false, 45000.5},
        {u"12.11.2024 20:05:09", false, MakeDateTime(2024, 12, 11, 20, 5, 9)},
        {u"20241211", true, MakeDateTime(2024, 12, 11, 0, 0, 0)}, // digits are read by width
        {u"2023年3月15日12时x", true, kNoDateTime},
        {u"3/15/2023 1:2:3秒", false, kNoDateTime}, // 秒 belongs to the Chinese form
        {u"", true, kNoDateTime},
        {nullptr, false, kNoDateTime},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(TextToDateTime(c.Text, c.Chinese), c.Expected, 1e-9)
            << testing::PrintToString(c.Text ? std::u16string(c.Text) : u"null");
}

TEST(DateTimeText, TextRoundTrips) {
    for (double value : {45000.5, 1.0 + 3723.0 / 86400, -700.75, 2958465.0}) {
        for (bool chinese : {true, false}) {
            const CWString text = DateTimeToText(value, chinese);
            EXPECT_NEAR(TextToDateTime(text.GetText(), chinese), value, 1e-9) << value;
        }
    }
}
