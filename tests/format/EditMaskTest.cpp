#include "host/data/Format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using host::data::EditMask;

namespace {

QString q(const char* s) { return QString::fromUtf8(s); }

struct ShapeCase {
    const char* mask;
    bool saveLiterals;
    char blank;
    int length;
    const char* emptyText;
    const char* qtMask;
};

TEST(EditMask, Shape)
{
    const std::vector<ShapeCase> cases = {
        {"!99/99/99;1;_", true, '_', 8, "  /  /  ", "00/00/00;_"},
        {"!99/99/00;1;_", true, '_', 8, "  /  /  ", "00/00/99;_"},
        {"!99:99;1;_", true, '_', 5, "  :  ", "00:00;_"},
        {"99:99", true, '_', 5, "  :  ", "00:00;_"},
        {"aaa-9999;1;_", true, '_', 8, "   -    ", "nnn-0000;_"},
        {"!aaa-9999;1;_", true, '_', 8, "   -    ", "nnn-0000;_"},
        {"9999;1;_", true, '_', 4, "    ", "0000;_"},
        {"99999-999;0;_", false, '_', 9, "     -   ", "00000-000;_"},
        {"!90:00:00;1;_", true, '_', 8, "  :  :  ", "09:99:99;_"},
        {">LLL-0000;0;*", false, '*', 8, "   -    ", ">AAA-9999;*"},
        {"<ll>ll<>cC;1", true, '_', 6, "      ", "<aa>aa!xX;_"},
        {"\\(00\\) 0000-0000;0;_", false, '_', 14, "(  )     -    ", "(99) 9999-9999;_"},
        {"\\9\\A#_0;1;_", true, '_', 5, "9A   ", "\\9\\A# 9;_"},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.mask);
        const EditMask m(q(c.mask));
        EXPECT_FALSE(m.isNull());
        EXPECT_EQ(m.mask(), q(c.mask));
        EXPECT_EQ(m.saveLiterals(), c.saveLiterals);
        EXPECT_EQ(m.blankChar(), QLatin1Char(c.blank));
        EXPECT_EQ(m.length(), c.length);
        EXPECT_EQ(m.emptyText().toStdString(), c.emptyText);
        EXPECT_EQ(m.qtInputMask().toStdString(), c.qtMask);
    }
}

TEST(EditMask, NullMaskPassesTextThrough)
{
    const EditMask m;
    EXPECT_TRUE(m.isNull());
    EXPECT_EQ(m.length(), 0);
    EXPECT_EQ(m.emptyText(), QString());
    EXPECT_EQ(m.qtInputMask(), QString());
    EXPECT_EQ(m.editText(q("ABC 123")), q("ABC 123"));
    EXPECT_EQ(m.valueText(q(" abc ")), q(" abc "));
    EXPECT_TRUE(m.isBlank(q("")));
    EXPECT_TRUE(m.isBlank(q("   ")));
    EXPECT_FALSE(m.isBlank(q(" a ")));
    EXPECT_TRUE(m.isComplete(q("")));
}

struct TextCase {
    const char* mask;
    const char* value;     // stored value
    const char* edit;      // what editText shows for it
};

TEST(EditMask, EditTextFromStoredValue)
{
    const std::vector<TextCase> cases = {
        {"!99/99/99;1;_", "25/12/26", "25/12/26"},
        {"!99/99/99;1;_", "", "__/__/__"},
        {"!99/99/99;1;_", "  /  /  ", "__/__/__"},
        {"!99/99/99;1;_", "25/12/2026", "25/12/20"},
        {"!99/99/00;1;_", "01/01/00", "01/01/00"},
        {"!99:99;1;_", "14:30", "14:30"},
        {"99:99", "1430", "14:30"},  // a value stored without its literal
        {"99:99", "", "__:__"},
        {"aaa-9999;1;_", "ABC-1234", "ABC-1234"},
        {"!aaa-9999;1;_", "   -    ", "___-____"},
        {"9999;1;_", "2024", "2024"},
        {"99999-999;0;_", "12345678", "12345-678"},
        {"99999-999;0;_", "12345-678", "12345-678"},  // already laid out
        {"99999-999;0;_", "", "_____-___"},
        {"99999-999;0;_", "123", "123__-___"},
        {"!999;0;_", "12", "_12"},  // "!" keeps the blanks in front
        {">LLL-0000;0;*", "abc1234", "ABC-1234"},
        {"<LL;1;_", "AB", "ab"},
        {"!90:00:00;1;_", "09:05:00", "09:05:00"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " <- \"" + c.value + "\"");
        EXPECT_EQ(EditMask(q(c.mask)).editText(q(c.value)).toStdString(), c.edit);
    }
}

TEST(EditMask, ValueTextFromTypedText)
{
    const std::vector<TextCase> cases = {
        // {mask, expected value, typed edit text}
        {"!99/99/99;1;_", "25/12/26", "25/12/26"},
        {"!99/99/99;1;_", "  /  /  ", "__/__/__"},
        {"!99/99/99;1;_", "  /  /  ", "  /  /  "},
        {"!99/99/99;1;_", "1 /05/26", "1_/05/26"},
        {"!99/99/99;1;_", "25/12/  ", "25/12"},  // short text: the rest is blank
        {"!99:99;1;_", "  :  ", "__:__"},
        {"99:99", "14:30", "14:30"},
        {"aaa-9999;1;_", "abc-1234", "abc-1234"},
        {"!aaa-9999;1;_", "   -    ", "___-____"},
        {"9999;1;_", "2024", "2024"},
        {"99999-999;0;_", "12345678", "12345-678"},
        {"99999-999;0;_", "", "_____-___"},
        {"99999-999;0;_", "123", "123__-___"},
        {"!999;0;_", "12", "_12"},
        {"!999;0;_", "12", " 12"},
        {">LLL-0000;0;*", "ABC1234", "abc-1234"},
        {">LLL-0000;0;*", "AB", "ab*-****"},
        {"!90:00:00;1;_", " 9:05:00", "_9:05:00"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " <- \"" + c.edit + "\"");
        EXPECT_EQ(EditMask(q(c.mask)).valueText(q(c.edit)).toStdString(), c.value);
    }
}

TEST(EditMask, StoredValueSurvivesTheEdit)
{
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"!99/99/99;1;_", "25/12/26"}, {"!99:99;1;_", "08:15"}, {"aaa-9999;1;_", "XYZ-0001"},
        {"99999-999;0;_", "01310100"}, {"9999;1;_", "1999"}, {"!99/99/99;1;_", "  /  /  "},
    };
    for (const auto& [mask, value] : cases) {
        const EditMask m(q(mask));
        EXPECT_EQ(m.valueText(m.editText(q(value))), q(value)) << mask;
    }
}

struct StateCase {
    const char* mask;
    const char* edit;
    bool blank;
    bool complete;
};

TEST(EditMask, BlankAndComplete)
{
    const std::vector<StateCase> cases = {
        {"!99/99/99;1;_", "  /  /  ", true, true},  // every position optional
        {"!99/99/99;1;_", "__/__/__", true, true},
        {"!99/99/99;1;_", "", true, true},
        {"!99/99/99;1;_", "        ", true, true},
        {"!99/99/99;1;_", "1 /  /  ", false, true},
        {"!99/99/99;1;_", "25/12/26", false, true},
        {"!99/99/00;1;_", "  /  /  ", true, false},
        {"!99/99/00;1;_", "25/12/2_", false, false},
        {"!99/99/00;1;_", "  /  /26", false, true},
        {"!99:99;1;_", "  :  ", true, true},
        {"!99:99;1;_", "12:  ", false, true},
        {"aaa-9999;1;_", "   -    ", true, true},
        {"aaa-9999;1;_", "ABC-1234", false, true},
        {">LLL-0000;0;_", "ABC-1234", false, true},
        {">LLL-0000;0;_", "abc-1234", false, true},
        {">LLL-0000;0;_", "AB_-1234", false, false},
        {">LLL-0000;0;_", "AB1-1234", false, false},
        {">LLL-0000;0;_", "ABC-123", false, false},
        {"99999-999;0;_", "_____-___", true, true},
        {"!90:00:00;1;_", "_9:05:00", false, true},
        {"!90:00:00;1;_", "  :05:00", false, false},
        {"!90:00:00;1;_", "  :  :  ", true, false},
        {"CC;1;_", "a ", false, false},
        {"CC;1;_", "a!", false, true},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " \"" + c.edit + "\"");
        const EditMask m(q(c.mask));
        EXPECT_EQ(m.isBlank(q(c.edit)), c.blank);
        EXPECT_EQ(m.isComplete(q(c.edit)), c.complete);
    }
}

TEST(EditMask, AcceptedCharacters)
{
    const EditMask date(q("!99/99/99;1;_"));
    EXPECT_TRUE(date.accepts(0, QLatin1Char('5')));
    EXPECT_FALSE(date.accepts(0, QLatin1Char('a')));
    EXPECT_TRUE(date.isLiteralAt(2));
    EXPECT_TRUE(date.accepts(2, QLatin1Char('/')));
    EXPECT_FALSE(date.accepts(2, QLatin1Char('1')));
    EXPECT_FALSE(date.accepts(8, QLatin1Char('1')));
    EXPECT_FALSE(date.accepts(-1, QLatin1Char('1')));
    EXPECT_FALSE(date.isLiteralAt(8));

    const EditMask plate(q("aaa-9999;1;_"));
    EXPECT_TRUE(plate.accepts(0, QLatin1Char('Z')));
    EXPECT_TRUE(plate.accepts(0, QLatin1Char('7')));
    EXPECT_FALSE(plate.accepts(0, QLatin1Char('-')));
    EXPECT_FALSE(plate.accepts(4, QLatin1Char('A')));

    const EditMask signedDigits(q("#99"));
    EXPECT_TRUE(signedDigits.accepts(0, QLatin1Char('-')));
    EXPECT_TRUE(signedDigits.accepts(0, QLatin1Char('+')));
    EXPECT_FALSE(signedDigits.accepts(1, QLatin1Char('-')));

    const EditMask letters(q("Ll"));
    EXPECT_TRUE(letters.accepts(0, QChar(0x00C7)));  // Ç
    EXPECT_FALSE(letters.accepts(1, QLatin1Char('1')));
}

}  // namespace
