#include "host/ui/Colors.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace host::ui;

TEST(Colors, NamesHexAndDecimalParse)
{
    struct Case {
        const char* text;
        ColorValue value;
    };
    const Case cases[] = {
        {"clRed", 0x0000FF},        {"clred", 0x0000FF},       {" clBlue ", 0xFF0000},
        {"clWindow", clWindow},     {"clBtnFace", clBtnFace},  {"$00ECECFF", 0xECECFF},
        {"$00fff9f2", 0xFFF9F2},    {"255", 0xFF},             {"15527167", 0xECECFF},
        {"-16777211", clWindow},    {"$FF000005", clWindow},   {"0x0000FF00", 0x00FF00},
        {"clLtGray", 0xC0C0C0},     {"clNone", clNone},
    };
    for (const auto& c : cases)
        EXPECT_EQ(stringToColor(c.text), c.value) << c.text;
}

TEST(Colors, ColorToStringPrefersNamesThenEightHexDigits)
{
    EXPECT_EQ(colorToString(0x0000FF), "clRed");
    EXPECT_EQ(colorToString(clWindow), "clWindow");
    EXPECT_EQ(colorToString(0xC0C0C0), "clSilver");   // shared with clLtGray: the first name
    EXPECT_EQ(colorToString(0xECECFF), "$00ECECFF");
    EXPECT_EQ(colorToString(0x1), "$00000001");
}

TEST(Colors, TextsRoundTrip)
{
    for (const char* text : {"clRed", "clWindow", "clInfoBk", "clMoneyGreen", "$00ECECFF", "$00010203", "clNone"})
        EXPECT_EQ(colorToString(stringToColor(text)), text);
    for (ColorValue value : {0, 0x123456, 0xFFFFFF, int(clBtnFace), 0x7F7F7F})
        EXPECT_EQ(stringToColor(colorToString(value)), value);
}

TEST(Colors, InvalidTextsAreRefused)
{
    for (const char* text : {"", "clNoSuchColour", "$GG", "12ab", "$1FFFFFFFF"}) {
        ColorValue value = 42;
        EXPECT_FALSE(tryStringToColor(text, value)) << text;
        EXPECT_EQ(value, 42);
        EXPECT_THROW(stringToColor(text), std::invalid_argument) << text;
    }
}

TEST(Colors, QColorConversionUsesBgrOrderAndPalette)
{
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xFFF9F2), QColor(0xF2, 0xF9, 0xFF));
    EXPECT_EQ(fromQColor(QColor(0xF2, 0xF9, 0xFF)), 0xFFF9F2);
    EXPECT_TRUE(toQColor(clWindow).isValid());
    EXPECT_FALSE(toQColor(clNone).isValid());
}
