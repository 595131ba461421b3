#include "host/data/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using host::data::formatFloat;
using host::data::formatFloatGeneral;
using host::data::parseFloatText;

namespace {

struct FloatCase {
    const char* format;
    double value;
    const char* expected;
};

const std::vector<FloatCase> kFloatCases = {
    // The classic reference table, with Brazilian separators.
    {"", 1234, "1234"},
    {"", -1234, "-1234"},
    {"", 0.5, "0,5"},
    {"", 0, "0"},
    {"0", 1234, "1234"},
    {"0", -1234, "-1234"},
    {"0", 0.5, "1"},
    {"0", -0.5, "-1"},
    {"0", 0, "0"},
    {"0.00", 1234, "1234,00"},
    {"0.00", -1234, "-1234,00"},
    {"0.00", 0.5, "0,50"},
    {"0.00", 0, "0,00"},
    {"#.##", 1234, "1234"},
    {"#.##", -1234, "-1234"},
    {"#.##", 0.5, ",5"},
    {"#.##", 0, ""},
    {"#,##0.00", 1234, "1.234,00"},
    {"#,##0.00", -1234, "-1.234,00"},
    {"#,##0.00", 0.5, "0,50"},
    {"#,##0.00", 0, "0,00"},
    {"#,##0.00;(#,##0.00)", -1234, "(1.234,00)"},
    {"#,##0.00;(#,##0.00)", 1234, "1.234,00"},
    {"#,##0.00;;Zero", 0, "Zero"},
    {"#,##0.00;;Zero", -1234, "-1.234,00"},
    {"0.000E+00", 1234, "1,234E+03"},
    {"0.000E+00", -1234, "-1,234E+03"},
    {"0.000E+00", 0.5, "5,000E-01"},
    {"0.000E+00", 0, "0,000E+00"},
    {"#.###E-0", 1234, "1,234E3"},
    {"#.###E-0", 0.5, "5E-1"},
    {"#.###E-0", 0, "0E0"},
    {"0.00E+00", 99999, "1,00E+05"},  // rounding carries into the exponent
    {"00.0e-00", 1234, "12,3e02"},
    // Order, request and document numbers.
    {"000000000", 123, "000000123"},
    {"000000000", 0, "000000000"},
    {"000000000", 1234567890, "1234567890"},
    {"000000000", -5, "-000000005"},
    {"000000000", 12.5, "000000013"},
    {"000000000", 12.49, "000000012"},
    {"000000", 42, "000042"},
    {"00000", 42, "00042"},
    {"000", 4, "004"},
    // Cents written as whole numbers into SQL expressions.
    {"00000000000", 1.5 * 100, "00000000150"},
    {"00000000000", 0.285 * 100, "00000000029"},
    {"00000000000", 3 * 33.33 * 100, "00000009999"},
    {"0000000000000", 1234.565 * 100, "0000000123457"},
    {"0000000000000", 2.5 * 100, "0000000000250"},
    // Money and quantities.
    {"###,###,##0.00", 1234567.891, "1.234.567,89"},
    {"###,###,##0.00", 0, "0,00"},
    {"###,###,##0.00", -1234.5, "-1.234,50"},
    {"###,###,##0.00", 1.005, "1,01"},
    {"###,###,##0.00", 0.285, "0,29"},
    {"###,###,##0.00", 2.675, "2,68"},
    {"###,###,##0.00", 1.015, "1,02"},
    {"###,###,##0.00", -1.005, "-1,01"},
    {"###,###,##0.00", 0.1 + 0.2, "0,30"},
    {"###,###,##0.00", 0.004, "0,00"},
    {"###,###,##0.00", -0.004, "0,00"},  // rounds to zero: no sign
    {"###,###,##0.00", -0.005, "-0,01"},
    {"###,###,##0.00", 999.995, "1.000,00"},
    {"###,###,##0.00", 12345.67, "12.345,67"},
    {"###,###,##0.00", -1234567.89, "-1.234.567,89"},
    {"###,###,##0.00", -0.0, "0,00"},
    {"###,###,##0.00", 999999.99, "999.999,99"},
    {"###,###,##0.00", 100000, "100.000,00"},
    {"###,###,##0.00", 7e11, "700.000.000.000,00"},
    {"###,###,##0.00", 0.05, "0,05"},
    {"###,###,##0.00", 999999999.995, "1.000.000.000,00"},
    {"###,###,##0.00", 1e15, "1.000.000.000.000.000,00"},
    {"###,###,##0.00", 123456789012345678.0, "123.456.789.012.346.000,00"},
    {"###,###,##0.00", 1e-20, "0,00"},
    {"###,###,##0.00", 1e18, "1E18"},  // past 18 integer digits: general form
    {"###,###,##0.00", -1e19, "-1E19"},
    {"###,###,###,###,##0.00", 1234.5, "1.234,50"},
    {"###,###,###,###,##0.00", 12345678901234.5, "12.345.678.901.234,50"},
    {"###,##0.00", 1234567, "1.234.567,00"},
    {"###,###,##0.##", 1234.5, "1.234,5"},
    {"###,###,##0.##", 10, "10"},
    {"###,###,##0.##", 0, "0"},
    {"###,###,##0.##", 0.125, "0,13"},
    {"###,###,##0.##", 90.004, "90"},
    {"###,###,##0.##", -45.5, "-45,5"},
    {"###,###,##0.####", 1.23456, "1,2346"},
    {"###,###,##0.####", 2, "2"},
    {"###,###,##0.####", 0.00005, "0,0001"},
    {"###,###,##0", 1234.5, "1.235"},
    {"###,###,##0", 999, "999"},
    {"###,###,##0.00#", 1.2345, "1,235"},
    {"###,###,##0.00#", 1.5, "1,50"},
    {"###,###,##0.00##", 1.23456, "1,2346"},
    {"###,###,##0.00##", 3, "3,00"},
    {"0.00", 12.345, "12,35"},
    {"0.00", -0.001, "0,00"},
    {"0.00", 99.999, "100,00"},
    {"0.##", 2.5, "2,5"},
    {"0.##", 2, "2"},
    {"0.##", 0.001, "0"},
    {"#.", 3, "3"},
    {"#.", 2.6, "3"},
    {"#.", 0, ""},
    {",0.00", 1234.5, "1.234,50"},
    {",0.00;-,0.00", 1234.5, "1.234,50"},
    {",0.00;-,0.00", -1234.5, "-1.234,50"},
    {",0.00;-,0.00", 0, "0,00"},
    {" ,0.00;- ,0.00", 1234.5, " 1.234,50"},
    {" ,0.00;- ,0.00", -5, "- 5,00"},
    {"000,000", 5, "000.005"},
    // Literals, quoted or not, stay where they are written.
    {"'R$ '#,##0.00", 5, "R$ 5,00"},
    {"'R$ '#,##0.00", -5, "-R$ 5,00"},
    {"\"Total: \"0", 7, "Total: 7"},
    {"0' min'", 15, "15 min"},
    {"00-00", 1234, "12-34"},
    {"00-00", 5, "00-05"},
    {"0'.'0", 12, "1.2"},  // a quoted point is text, not the decimal point
    {".00", 12.5, "12,50"},
    // Sections.
    {"0;(0);'zero'", 0.4, "zero"},
    {"0;(0);'zero'", -0.4, "zero"},
    {"0;(0);'zero'", -3, "(3)"},
    {"0.00;(0.00)", -0.001, "0,00"},
    {"0.00;;", 0, "0,00"},
    {"0.00;", -2, "-2,00"},
    // Not numbers.
    {"0.00", std::numeric_limits<double>::quiet_NaN(), "NAN"},
    {"0.00", std::numeric_limits<double>::infinity(), "INF"},
    {"0.00", -std::numeric_limits<double>::infinity(), "-INF"},
};

TEST(FormatFloat, Table)
{
    for (const FloatCase& c : kFloatCases) {
        SCOPED_TRACE(std::string("format \"") + c.format + "\" value " + std::to_string(c.value));
        EXPECT_EQ(formatFloat(QString::fromUtf8(c.format), c.value).toStdString(), c.expected);
    }
}

// Formats are read once and kept: a format asked again, also after many
// others came and went, gives what it gave the first time.
TEST(FormatFloat, FormatsAskedAgainAfterManyOthersGiveTheSameTexts)
{
    for (int round = 0; round < 2; ++round) {
        for (const FloatCase& c : kFloatCases) {
            SCOPED_TRACE(std::string("round ") + std::to_string(round) + " format \"" + c.format + "\"");
            EXPECT_EQ(formatFloat(QString::fromUtf8(c.format), c.value).toStdString(), c.expected);
        }
        for (int n = 0; n < 600; ++n) {
            const QString own = QString("0'#%1'").arg(n);
            ASSERT_EQ(formatFloat(own, 7), QString("7#%1").arg(n));
        }
    }
}

struct GeneralCase {
    double value;
    const char* expected;
};

TEST(FormatFloatGeneral, Table)
{
    const std::vector<GeneralCase> cases = {
        {0, "0"},
        {-0.0, "0"},
        {1234, "1234"},
        {-0.5, "-0,5"},
        {123.456, "123,456"},
        {0.1 + 0.2, "0,3"},
        {1.0 / 3, "0,333333333333333"},
        {999999999999999, "999999999999999"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {-1.5e20, "-1,5E20"},
        {0.00001, "0,00001"},
        {0.000001, "1E-6"},
        {1.5e-10, "1,5E-10"},
    };
    for (const GeneralCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.value));
        EXPECT_EQ(formatFloatGeneral(c.value).toStdString(), c.expected);
    }
}

struct ParseFloatCase {
    const char* text;
    bool ok;
    double value;
};

TEST(ParseFloatText, Table)
{
    const std::vector<ParseFloatCase> cases = {
        {"1.234,56", true, 1234.56},
        {"1234,56", true, 1234.56},
        {"-3", true, -3},
        {"", true, 0},
        {"   ", true, 0},
        {" 12,5 ", true, 12.5},
        {"+2,5", true, 2.5},
        {",5", true, 0.5},
        {"-,5", true, -0.5},
        {"5,", true, 5},
        {"1.234", true, 1234},  // a point groups thousands, never marks decimals
        {"1.234.567,89", true, 1234567.89},
        {"-1.000.000", true, -1e6},
        {"0", true, 0},
        {"1,5E-2", true, 0.015},
        {"2e3", true, 2000},
        {"12.34", false, 0},
        {"1.2345", false, 0},
        {"1234.567", false, 0},
        {".123", false, 0},
        {"1.", false, 0},
        {"1..234", false, 0},
        {"1,2,3", false, 0},
        {"1,234.5", false, 0},
        {"abc", false, 0},
        {"12a", false, 0},
        {"1 234", false, 0},
        {"-", false, 0},
        {",", false, 0},
        {"--1", false, 0},
        {"1E", false, 0},
        {"1e400", false, 0},
        {"R$ 5", false, 0},
        {"  /  /  ", false, 0},
    };
    for (const ParseFloatCase& c : cases) {
        SCOPED_TRACE(c.text);
        double out = 777;
        EXPECT_EQ(parseFloatText(QString::fromUtf8(c.text), out), c.ok);
        if (c.ok)
            EXPECT_DOUBLE_EQ(out, c.value);
        else
            EXPECT_EQ(out, 777) << "a failed parse must leave the value alone";
    }
}

TEST(ParseFloatText, RoundTripsThroughTheMoneyFormat)
{
    for (const double v : {0.0, 0.01, -0.01, 1234.56, -987654321.12, 1e12}) {
        double back = 0;
        ASSERT_TRUE(parseFloatText(formatFloat(QStringLiteral("###,###,##0.00"), v), back)) << v;
        EXPECT_DOUBLE_EQ(back, v);
    }
}

}  // namespace
