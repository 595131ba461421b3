// The amount in words group by group, text justification and the small
// string routines, as the host and the other packages call them.

#include "rental/uExtenso.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace uExtenso;

namespace {

// The words the four groups of an amount append, each call's part apart.
QStringList partesExtenso(const QString& g1, const QString& g2, const QString& g3, const QString& g4, int moeda = 3)
{
    cTexto.clear();
    cPosicao1 = g1;
    cPosicao2 = g2;
    cPosicao3 = g3;
    cPosicao4 = g4;
    cTipoMoeda = moeda;
    QStringList partes;
    int antes = 0;
    for (int posicao = 1; posicao <= 4; ++posicao) {
        Converte(posicao == 1 ? g1 : posicao == 2 ? g2 : posicao == 3 ? g3 : g4, posicao);
        partes << cTexto.mid(antes);
        antes = int(cTexto.size());
    }
    return partes;
}

QString grupoExtenso(const QString& grupo)
{
    cTexto.clear();
    cPosicao1 = cPosicao2 = "000";
    cPosicao3 = grupo;
    cTipoMoeda = 0;   // no currency word: the group's words alone
    Converte(grupo, 3);
    return cTexto;
}

}  // namespace

TEST(Extenso, GroupsAppendTheirWordsAsTheTablesGiveThem)
{
    EXPECT_EQ(partesExtenso("001", "000", "021", "050"),
              (QStringList{"UM MILHAO ", "", "VINTE E UM REAIS ", " E CINQUENTA CENTAVOS"}));
    EXPECT_EQ(grupoExtenso("100"), "CEM ");
    EXPECT_EQ(grupoExtenso("101"), "CENTO E UM ");
    EXPECT_EQ(grupoExtenso("110"), "CENTO E DEZ ");
    EXPECT_EQ(grupoExtenso("123"), "CENTO E VINTE E  TRES ");
    EXPECT_EQ(grupoExtenso("012"), " DOZE ");
    EXPECT_EQ(grupoExtenso("200"), "DUZENTOS ");
    EXPECT_EQ(grupoExtenso("090"), "NOVENTA ");
    EXPECT_EQ(grupoExtenso("000"), "");
}

TEST(Extenso, CurrencyWordFollowsTheIntegerPart)
{
    EXPECT_EQ(partesExtenso("000", "000", "001", "000"), (QStringList{"", "", "UM REAL ", ""}));
    EXPECT_EQ(partesExtenso("000", "002", "000", "001"), (QStringList{"", "DOIS MIL ", "", " E UM CENTAVO"}));
    EXPECT_EQ(partesExtenso("002", "000", "000", "000", 2), (QStringList{"DOIS MILHOES ", "", "", ""}));
    EXPECT_EQ(partesExtenso("000", "000", "005", "000", 1), (QStringList{"", "", " CINCO CRUZEIROS ", ""}));
    // Cents alone take no " E ".
    EXPECT_EQ(partesExtenso("000", "000", "000", "015"), (QStringList{"", "", "", "QUINZE CENTAVOS"}));
    EXPECT_EQ(aMoeda[3][1], std::string("REAIS "));
    EXPECT_EQ(aUnidade[3], std::string(" TRES "));
    EXPECT_EQ(aDezena2[12], std::string(" DOZE "));
}

TEST(Extenso, FormataGivesLinesTimesWidthJustifiedAndFilled)
{
    const QString texto = "DUZENTOS E CINQUENTA REAIS E CINQUENTA CENTAVOS";
    const QString uma = Formata(texto, 1, 60, '*');
    EXPECT_EQ(uma.size(), 60);
    // A gap of 13 is widened, blanks doubled from the right pass by pass.
    EXPECT_EQ(uma, "DUZENTOS  E  CINQUENTA   REAIS    E    CINQUENTA    CENTAVOS");
    // A gap above 20 is left, and the fill follows the words.
    EXPECT_EQ(Formata(texto, 1, 70, '*'), texto + " " + QString(70 - texto.size() - 1, '*'));
    // Slices of 20: words cut; the first widened from the right to its width.
    const QString duas = Formata("ABC DEF GHI JKL MNO PQRS TUV", 2, 20, '*');
    EXPECT_EQ(duas.size(), 40);
    EXPECT_EQ(duas.left(20), "ABC DEF GHI JKL  MNO");
    EXPECT_EQ(duas.mid(20), "PQRS             TUV");
    // A slice ending a sentence is not widened; its line keeps its width.
    const QString ponto = Formata("FIM DA FRASE.      SEGUNDA LINHA AQUI", 2, 19, '-');
    EXPECT_EQ(ponto.size(), 38);
    EXPECT_EQ(ponto.left(19), "FIM DA FRASE.      ");
    EXPECT_EQ(ponto.mid(19), "SEGUNDA LINHA  AQUI");
    // No blank to widen: the slice stays as it is.
    EXPECT_EQ(Formata("ABCDEFGHIJKLMNOP", 1, 20, '.'), "ABCDEFGHIJKLMNOP ...");
    EXPECT_EQ(Formata("", 2, 5, '#'), " #########");
    EXPECT_EQ(Formata("X", 0, 5, '#'), "");
}

TEST(Extenso, StrZeroAndTheSmallStringRoutines)
{
    EXPECT_EQ(StrZero(12.5, 8, 2), "00012.50");
    EXPECT_EQ(StrZero(-12.5, 8, 2), "00-12.50");
    EXPECT_EQ(StrZero(7, 3, 0), "007");
    EXPECT_EQ(StrZero(123456.789, 4, 1), "123456.8");
    EXPECT_EQ(Alltrim(" a b "), "ab");
    EXPECT_EQ(Rtrim("  a b  "), "  a b");
    EXPECT_EQ(Rtrim("   "), "");
    EXPECT_EQ(BuscaTroca("a b c", ' ', "_"), "a_b_c");
    // Every occurrence, whatever the replacement's length.
    EXPECT_EQ(BuscaTroca("a  b", ' ', ""), "ab");
    EXPECT_EQ(BuscaTroca("ab", 'a', "aa"), "aab");
    EXPECT_EQ(BuscaDireita('/', "01/02/2024"), 6);
    EXPECT_EQ(BuscaDireita('x', "abc"), 0);
    EXPECT_EQ(Repete('-', 3), "---");
    EXPECT_EQ(Repete('-', 0), "");
    EXPECT_EQ(Repete('-', -2), "");
}
