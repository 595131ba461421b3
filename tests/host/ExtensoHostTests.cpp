// The host's amount in words and month names.

#include "host/Uextenso.h"

#include <gtest/gtest.h>

TEST(ValorExtensoHost, SpellsReaisAndCentavosInPortuguese)
{
    const auto palavras = [](double valor, int moeda = 3) { return ValorExtenso(valor, 1, 0, ' ', moeda); };
    EXPECT_EQ(palavras(250.50), "duzentos e cinquenta reais e cinquenta centavos");
    EXPECT_EQ(palavras(1), "um real");
    EXPECT_EQ(palavras(0.01), "um centavo");
    EXPECT_EQ(palavras(0), "zero reais");
    EXPECT_EQ(palavras(100), "cem reais");
    EXPECT_EQ(palavras(101.10), "cento e um reais e dez centavos");
    EXPECT_EQ(palavras(1000), "mil reais");
    EXPECT_EQ(palavras(1200), "mil e duzentos reais");
    EXPECT_EQ(palavras(1234), "mil duzentos e trinta e quatro reais");
    EXPECT_EQ(palavras(21015), "vinte e um mil e quinze reais");
    EXPECT_EQ(palavras(1000000), "um milhão de reais");
    EXPECT_EQ(palavras(2500000.99), "dois milhões e quinhentos mil reais e noventa e nove centavos");
    EXPECT_EQ(palavras(3, 2), "três dólares");
    EXPECT_EQ(palavras(-5), "menos cinco reais");
    // The binary value of 0.29 lies below it; the cents are rounded, not cut.
    EXPECT_EQ(palavras(0.29), "vinte e nove centavos");
}

TEST(ValorExtensoHost, LaysTheWordsOutInFilledLinesWithoutCuttingWords)
{
    const QString uma = ValorExtenso(250.50, 1, 200, ' ', 3);
    EXPECT_EQ(uma.size(), 200);
    EXPECT_EQ(uma.trimmed(), "duzentos e cinquenta reais e cinquenta centavos");
    const QString linhas = ValorExtenso(250.50, 2, 30, '*', 3);
    EXPECT_EQ(linhas, "duzentos e cinquenta reais e**cinquenta centavos************");
    // More words than the lines hold: a line more, never a cut word.
    EXPECT_EQ(ValorExtenso(250.50, 1, 20, '-', 3),
              "duzentos e cinquentareais e cinquenta---centavos------------");
}

TEST(ValorExtensoHost, MonthNamesFromTheFormatTable)
{
    EXPECT_EQ(RetornaMesExtenso(3), "março");
    EXPECT_EQ(RetornaMesExtenso(1), "janeiro");
    EXPECT_EQ(RetornaMesExtenso(12), "dezembro");
    EXPECT_EQ(RetornaMesExtenso(0), "");
    EXPECT_EQ(RetornaMesExtenso(13), "");
}
