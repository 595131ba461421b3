// The kept values routines ask for row after row: by where a text written in
// the code is (a caller's buffer may hold another text later), and the value
// made last from the same inputs.

#include "host/db/KeptByText.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using host::db::KeptAt;
using host::db::keptByAddress;
using host::db::LastMade;

TEST(KeptByAddress, ABufferWrittenOverGetsTheNewTextsValueAndEachTextIsMadeOnce)
{
    QHash<const char*, KeptAt<QString>> kept;
    int made = 0;
    auto ask = [&](const char* text) {
        return keptByAddress<QString, 4>(kept, text, [&](const char* t) {
            ++made;
            return QString::fromLatin1(t).toLower();
        });
    };
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "ALFA");
    EXPECT_EQ(ask(buffer), "alfa");
    EXPECT_EQ(ask(buffer), "alfa");
    EXPECT_EQ(made, 1);
    std::snprintf(buffer, sizeof buffer, "BETA");
    EXPECT_EQ(ask(buffer), "beta") << "the same place, another text";
    std::snprintf(buffer, sizeof buffer, "BETAS");
    EXPECT_EQ(ask(buffer), "betas") << "a text that only begins like the one kept";
    EXPECT_EQ(made, 3);
    static const char gama[] = "GAMA";
    EXPECT_EQ(ask(gama), "gama");
    EXPECT_EQ(ask(gama), "gama");
    EXPECT_EQ(made, 4);
    // Full: all let go at once, each text made again when asked.
    for (const char* text : {"D1", "D2", "D3", "D4"})
        ask(text);
    EXPECT_LE(kept.size(), 4);
    EXPECT_EQ(ask(buffer), "betas");
}

TEST(LastMade, AnyInputChangedMakesAnewAndTheSameInputsMakeNothing)
{
    LastMade<QString, QString, QString> last;
    int made = 0;
    auto ask = [&](const QString& a, const QString& b) {
        return last.of(a, b, [&] {
            ++made;
            return a + "|" + b;
        });
    };
    EXPECT_EQ(ask("x", "y"), "x|y");
    EXPECT_EQ(ask(QString("x"), QString("y")), "x|y") << "equal texts of other data";
    EXPECT_EQ(made, 1);
    EXPECT_EQ(ask("x", "z"), "x|z") << "the second input changed";
    EXPECT_EQ(ask("w", "z"), "w|z") << "the first input changed";
    EXPECT_EQ(ask("x", "y"), "x|y") << "back to the first inputs";
    EXPECT_EQ(made, 4);
    EXPECT_EQ(ask("", ""), "|") << "empty inputs are inputs like any other";
    EXPECT_EQ(ask("", ""), "|");
    EXPECT_EQ(made, 5);
}

}  // namespace
