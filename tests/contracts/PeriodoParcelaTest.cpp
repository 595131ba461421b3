// The periods rental instalments cover, one after another from the first
// one's dates: calendar months after a first period ending at a month's
// end, months ending the day before the next start, or sharing it.

#include "contract_data/uDataTecContLocacao.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

QStringList periodos(const QDate& inicio, const QDate& fim, int quantos)
{
    QStringList lista;
    for (int mes = 0; mes < quantos; ++mes) {
        const uDataTecContLocacao::PeriodoCobertura p = uDataTecContLocacao::PeriodoDaParcela(inicio, fim, mes);
        lista << p.de.toString("dd/MM/yy") + "-" + p.ate.toString("dd/MM/yy");
    }
    return lista;
}

TEST(PeriodoParcela, EachPeriodFollowsThePreviousOneAMonthLong)
{
    // Ending at the month's end: calendar months, February included.
    EXPECT_EQ(periodos(QDate(2027, 1, 1), QDate(2027, 1, 31), 3),
              (QStringList{"01/01/27-31/01/27", "01/02/27-28/02/27", "01/03/27-31/03/27"}));
    // A first period shorter than a month, to its month's end, then whole months.
    EXPECT_EQ(periodos(QDate(2024, 2, 10), QDate(2024, 2, 29), 3),
              (QStringList{"10/02/24-29/02/24", "01/03/24-31/03/24", "01/04/24-30/04/24"}));
    // Ending the day before the next start, each month alike.
    EXPECT_EQ(periodos(QDate(2027, 1, 15), QDate(2027, 2, 14), 3),
              (QStringList{"15/01/27-14/02/27", "15/02/27-14/03/27", "15/03/27-14/04/27"}));
    // No end, or the contract's whole validity: each shares its last day with the next one's first.
    EXPECT_EQ(periodos(QDate(2031, 1, 15), QDate(), 2), (QStringList{"15/01/31-15/02/31", "15/02/31-15/03/31"}));
    EXPECT_EQ(periodos(QDate(2031, 1, 31), QDate(2031, 7, 31), 4),
              (QStringList{"31/01/31-28/02/31", "28/02/31-31/03/31", "31/03/31-30/04/31", "30/04/31-31/05/31"}))
        << "a start on the 31st keeps each month's end";
}

}  // namespace
