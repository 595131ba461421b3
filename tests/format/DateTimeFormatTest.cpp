#include "host/data/Format.h"
#include "tests/support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

using host::data::expandTwoDigitYear;
using host::data::formatDate;
using host::data::formatDateTime;
using host::data::formatTime;
using host::data::parseDateTimeText;
using host::data::parseTimeText;

namespace {

// A Sunday afternoon.
const QDateTime kSample(QDate(2026, 12, 6), QTime(14, 30, 5, 123));

struct DateFormatCase {
    const char* format;
    QDateTime value;
    const char* expected;
};

TEST(FormatDateTime, Table)
{
    const QDateTime morning(QDate(2024, 2, 29), QTime(9, 5, 7, 4));
    const QDateTime midnight(QDate(2024, 2, 29), QTime(0, 0));
    const QDateTime noon(QDate(2000, 1, 1), QTime(12, 0));
    const QDateTime zeroDate(QDate(1899, 12, 30), QTime(0, 0));
    const std::vector<DateFormatCase> cases = {
        {"dd/mm/yy", kSample, "06/12/26"},
        {"dd/mm/yyyy", kSample, "06/12/2026"},
        {"DD/MM/YY", kSample, "06/12/26"},
        {"DD/MM/YYYY", kSample, "06/12/2026"},
        {"hh:mm", kSample, "14:30"},
        {"hh:nn", kSample, "14:30"},
        {"HH:MM", kSample, "14:30"},
        {"HH:NN:SS", kSample, "14:30:05"},
        {"hh:mm:ss", kSample, "14:30:05"},
        {"dd/mm/yyyy hh:nn", kSample, "06/12/2026 14:30"},
        {"DD/MM/YY hh:mm", kSample, "06/12/26 14:30"},
        {"ddmmyy_hhmmsszzz", kSample, "061226_143005123"},
        {"ddmmyy", kSample, "061226"},
        {"mm/dd/yy", kSample, "12/06/26"},
        {"MM/DD/YY", kSample, "12/06/26"},
        {"MM/DD/YYYY 00:01:00", kSample, "12/06/2026 00:01:00"},
        {"mm/01/yyyy", kSample, "12/01/2026"},
        {"MM/YYYY", kSample, "12/2026"},
        {"mm/yy", kSample, "12/26"},
        {"mmyy", kSample, "1226"},
        {"MMMM", kSample, "dezembro"},
        {"MMMM/YYYY", kSample, "dezembro/2026"},
        {"mmm", kSample, "dez"},
        {"mmmm", QDateTime(QDate(2026, 3, 1), QTime(0, 0)), "março"},
        {"dddd", kSample, "domingo"},
        {"ddd", kSample, "dom"},
        {"dddd", QDateTime(QDate(2026, 12, 12), QTime(0, 0)), "sábado"},
        {"dddd", QDateTime(QDate(2026, 12, 8), QTime(0, 0)), "terça-feira"},
        {"ddddd", kSample, "06/12/2026"},
        {"dddddd", kSample, "domingo, 6 de dezembro de 2026"},
        {"d/m/yy", kSample, "6/12/26"},
        {"h:n:s", morning, "9:5:7"},
        {"hh:nn:ss", morning, "09:05:07"},
        {"z", morning, "4"},
        {"zzz", morning, "004"},
        {"t", kSample, "14:30"},
        {"tt", kSample, "14:30:05"},
        {"c", kSample, "06/12/2026 14:30:05"},
        {"c", midnight, "29/02/2024"},
        {"", kSample, "06/12/2026 14:30:05"},
        {"hh:nn am/pm", kSample, "02:30 pm"},
        {"hh:nn AM/PM", kSample, "02:30 PM"},
        {"h a/p", kSample, "2 p"},
        {"hh ampm", morning, "09 AM"},
        {"h am/pm", midnight, "12 am"},
        {"h am/pm", noon, "12 pm"},
        // "m" means minutes only right after an hour; literals do not break that.
        {"hh dd mm", kSample, "14 06 12"},
        {"hh'x'mm", kSample, "14x30"},
        {"mm hh", kSample, "12 14"},
        {"'Data:' dd/mm", kSample, "Data: 06/12"},
        {"\"hh\" hh", kSample, "hh 14"},
        {"dd/mm/yyyy", midnight, "29/02/2024"},
        {"yy", noon, "00"},
        {"DD/MM/YY", zeroDate, "30/12/99"},
        {"DD/MM/YYYY", zeroDate, "30/12/1899"},
        {"dd/mm/yyyy", QDateTime(QDate(5, 1, 2), QTime(0, 0)), "02/01/0005"},
        {"dd/mm/yy", QDateTime(), ""},
        {"", QDateTime(), ""},
    };
    for (const DateFormatCase& c : cases) {
        SCOPED_TRACE(std::string("format \"") + c.format + "\" value "
                     + c.value.toString(Qt::ISODateWithMs).toStdString());
        EXPECT_EQ(formatDateTime(QString::fromUtf8(c.format), c.value).toStdString(), c.expected);
    }
}

TEST(FormatDateTime, LoneDatesAndTimes)
{
    EXPECT_EQ(formatDate(QStringLiteral("dd/mm/yy"), QDate(2026, 1, 31)), QStringLiteral("31/01/26"));
    EXPECT_EQ(formatDate(QStringLiteral("hh:nn"), QDate(2026, 1, 31)), QStringLiteral("00:00"));
    EXPECT_EQ(formatDate(QStringLiteral("dd/mm/yy"), QDate()), QString());
    EXPECT_EQ(formatTime(QStringLiteral("hh:mm"), QTime(9, 5)), QStringLiteral("09:05"));
    EXPECT_EQ(formatTime(QStringLiteral("dd/mm/yyyy"), QTime(9, 5)), QStringLiteral("30/12/1899"));
    EXPECT_EQ(formatTime(QStringLiteral("hh:mm"), QTime()), QString());
}

TEST(ExpandTwoDigitYear, TwoDigitsAreThisCentury)
{
    const std::vector<std::pair<int, int>> cases = {
        {0, 2000}, {26, 2026}, {49, 2049}, {50, 2050}, {99, 2099},
        {100, 100}, {1899, 1899}, {2026, 2026}, {-1, -1},
    };
    for (const auto& [year, expected] : cases)
        EXPECT_EQ(expandTwoDigitYear(year), expected) << year;
}

struct ParseDateCase {
    const char* text;
    bool ok;
    QDateTime expected;
};

QDateTime at(int y, int m, int d, int h = 0, int n = 0, int s = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, n, s));
}

TEST(ParseDateTimeText, Table)
{
    const std::vector<ParseDateCase> cases = {
        {"25/12/26", true, at(2026, 12, 25)},
        {"25/12/2026", true, at(2026, 12, 25)},
        {"1/2/03", true, at(2003, 2, 1)},
        {" 1/ 5/26", true, at(2026, 5, 1)},  // what a "!99/99/99" edit leaves
        {"1 /05/26", true, at(2026, 5, 1)},
        {"  25/12/26  ", true, at(2026, 12, 25)},
        {"29/02/24", true, at(2024, 2, 29)},
        {"29/02/2000", true, at(2000, 2, 29)},
        {"29/02/00", true, at(2000, 2, 29)},
        {"29/02/23", false, {}},
        {"29/02/1900", false, {}},
        {"29/02/2100", false, {}},
        {"31/04/26", false, {}},
        {"00/01/26", false, {}},
        {"32/01/26", false, {}},
        {"15/13/26", false, {}},
        {"15/00/26", false, {}},
        {"01/01/49", true, at(2049, 1, 1)},
        {"01/01/50", true, at(2050, 1, 1)},
        {"31/12/99", true, at(2099, 12, 31)},
        {"01/01/7", false, {}},
        {"01/01/202", false, {}},
        {"01/01/00", true, at(2000, 1, 1)},
        {"30/12/1899", true, at(1899, 12, 30)},
        {"25/12/26 14:30", true, at(2026, 12, 25, 14, 30)},
        {"25/12/2026 14:30:15", true, at(2026, 12, 25, 14, 30, 15)},
        {"06/12/26 00:00:00", true, at(2026, 12, 6)},
        {"25/12/26 23:59:59", true, at(2026, 12, 25, 23, 59, 59)},
        {"25/12/26 24:00", false, {}},
        {"25/12/26 14:60", false, {}},
        {"25/12/26 14:30:60", false, {}},
        {"25/12/26 14", false, {}},
        {"25/12/26 14:30:", false, {}},
        {"25/12/26x", false, {}},
        {"25/12/26 x", false, {}},
        {"25-12-26", false, {}},
        {"25/12/226", false, {}},
        {"25/12/02026", false, {}},
        {"25/12", false, {}},
        {"25/12/", false, {}},
        {"123/12/26", false, {}},
        {"  /  /  ", false, {}},
        {"", false, {}},
        {"abc", false, {}},
    };
    for (const ParseDateCase& c : cases) {
        SCOPED_TRACE(c.text);
        QDateTime out = kSample;
        EXPECT_EQ(parseDateTimeText(QString::fromUtf8(c.text), out), c.ok);
        EXPECT_EQ(out, c.ok ? c.expected : kSample);
    }
}

TEST(ParseDateTimeText, ReadsBackWhatTheFormatsWrite)
{
    for (const char* format : {"dd/mm/yy", "dd/mm/yyyy", "DD/MM/YY hh:mm", "dd/mm/yyyy hh:nn:ss"}) {
        QDateTime back;
        ASSERT_TRUE(parseDateTimeText(formatDateTime(QString::fromUtf8(format), kSample), back)) << format;
        EXPECT_EQ(back.date(), kSample.date()) << format;
    }
}

using testsupport::ScopedTimeZone;

TEST(ParseDateTimeText, MidnightThatDaylightSavingSkippedIsStillADate)
{
    const ScopedTimeZone zone("America/Sao_Paulo");
    QDateTime out;
    ASSERT_TRUE(parseDateTimeText(QStringLiteral("04/11/2018"), out));
    ASSERT_TRUE(out.isValid());
    EXPECT_EQ(out.date(), QDate(2018, 11, 4));
    EXPECT_EQ(formatDateTime(QStringLiteral("dd/mm/yyyy"), out), QStringLiteral("04/11/2018"));
}

// A time typed inside the skipped hour becomes the first moment that exists
// after it, the hour's end, whatever minute inside it was typed.
TEST(ParseDateTimeText, TimeInsideTheSkippedHourIsTheHoursEnd)
{
    const ScopedTimeZone zone("America/Sao_Paulo");
    for (const char* typed : {"04/11/2018 00:00", "04/11/2018 00:10", "04/11/2018 00:45", "04/11/2018 00:59:30"}) {
        QDateTime out;
        ASSERT_TRUE(parseDateTimeText(QString::fromLatin1(typed), out)) << typed;
        ASSERT_TRUE(out.isValid()) << typed;
        EXPECT_EQ(out.date(), QDate(2018, 11, 4)) << typed;
        EXPECT_EQ(out.time(), QTime(1, 0)) << typed;
    }
    QDateTime after;
    ASSERT_TRUE(parseDateTimeText(QStringLiteral("04/11/2018 01:15"), after));
    EXPECT_EQ(after.time(), QTime(1, 15));
}

struct ParseTimeCase {
    const char* text;
    bool ok;
    QTime expected;
};

TEST(ParseTimeText, Table)
{
    const std::vector<ParseTimeCase> cases = {
        {"14:30", true, QTime(14, 30)},
        {"14:30:15", true, QTime(14, 30, 15)},
        {"9:05", true, QTime(9, 5)},
        {" 9:05", true, QTime(9, 5)},
        {"00:00", true, QTime(0, 0)},
        {"23:59:59", true, QTime(23, 59, 59)},
        {"24:00", false, {}},
        {"12:60", false, {}},
        {"14:30:60", false, {}},
        {"1430", false, {}},
        {"14:3a", false, {}},
        {"14:", false, {}},
        {"-1:30", false, {}},
        {"  :  ", false, {}},
        {"", false, {}},
    };
    for (const ParseTimeCase& c : cases) {
        SCOPED_TRACE(c.text);
        QTime out(1, 2, 3);
        EXPECT_EQ(parseTimeText(QString::fromUtf8(c.text), out), c.ok);
        EXPECT_EQ(out, c.ok ? c.expected : QTime(1, 2, 3));
    }
}

}  // namespace
