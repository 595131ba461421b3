// The rental rules that reckon without the database: the late-return fine,
// the lateness of a return and the anchors of rental instalments.

#include "contract_data/uDataTecContLocacao.h"

#include <gtest/gtest.h>

namespace {

namespace L = uDataTecContLocacao;

L::ItemMulta diario()
{
    L::ItemMulta item;
    item.periodo = "D";
    item.valor = 120;
    item.entrega = QDate(2031, 5, 10);
    item.encerramento = QDate(2031, 5, 12);
    item.horaSaida = 8;
    item.horaEntrada = 11;
    return item;
}

TEST(LocacaoMulta, DailyItemChargesTheHoursAtATwelveHourDayAndEachDayLate)
{
    EXPECT_DOUBLE_EQ(L::ValorMultaAtraso(diario()), 3 * 10 + 2 * 120);

    L::ItemMulta comFrete = diario();
    comFrete.frete = 24;   // the hours are priced without the freight, the days with it
    EXPECT_DOUBLE_EQ(L::ValorMultaAtraso(comFrete), 3 * 8 + 2 * 120);

    L::ItemMulta mesmoDia = diario();
    mesmoDia.encerramento = mesmoDia.entrega;
    EXPECT_DOUBLE_EQ(L::ValorMultaAtraso(mesmoDia), 30);
}

TEST(LocacaoMulta, ReturnHourBeforeTheDepartureHourChargesNoHours)
{
    L::ItemMulta item = diario();
    item.horaSaida = 15;
    item.horaEntrada = 9;
    EXPECT_DOUBLE_EQ(L::ValorMultaAtraso(item), 2 * 120);
}

TEST(LocacaoMulta, PeriodItemChargesEachDayLateAtThePeriodPriceOverItsLength)
{
    L::ItemMulta item;
    item.periodo = "M";
    item.valor = 300;
    item.instalacao = QDate(2031, 4, 10);
    item.entrega = QDate(2031, 5, 10);
    item.encerramento = QDate(2031, 5, 13);
    EXPECT_DOUBLE_EQ(L::ValorMultaAtraso(item), 3 * 10);

    // A rental with no length is priced as one day, never divided by zero.
    item.instalacao = item.entrega;
    EXPECT_DOUBLE_EQ(L::ValorMultaAtraso(item), 3 * 300);
}

TEST(LocacaoMulta, APieceBackBeforeItsDueDayOwesNoDays)
{
    L::ItemMulta item;
    item.periodo = "M";
    item.valor = 300;
    item.instalacao = QDate(2031, 4, 10);
    item.entrega = QDate(2031, 5, 10);
    item.encerramento = QDate(2031, 5, 2);
    EXPECT_DOUBLE_EQ(L::ValorMultaAtraso(item), 0);

    L::ItemMulta diaria = diario();
    diaria.encerramento = QDate(2031, 5, 7);
    EXPECT_DOUBLE_EQ(L::ValorMultaAtraso(diaria), 3 * 10) << "only the hours";
}

TEST(LocacaoMulta, LatenessIsAfterTheDueDayOrOnItAfterTheReturnHour)
{
    const QDateTime entrega(QDate(2031, 5, 10), QTime(0, 0));
    const QDateTime horaEntrada = L::horaDoDia(QTime(11, 0));
    EXPECT_FALSE(L::ItemAtrasado(entrega, horaEntrada, QDateTime(QDate(2031, 5, 9), QTime(23, 0))));
    EXPECT_FALSE(L::ItemAtrasado(entrega, horaEntrada, QDateTime(QDate(2031, 5, 10), QTime(11, 0))));
    EXPECT_TRUE(L::ItemAtrasado(entrega, horaEntrada, QDateTime(QDate(2031, 5, 10), QTime(11, 0, 1))));
    EXPECT_TRUE(L::ItemAtrasado(entrega, horaEntrada, QDateTime(QDate(2031, 5, 11), QTime(7, 0))));
    EXPECT_FALSE(L::ItemAtrasado(L::dataZero(), horaEntrada, QDateTime(QDate(2031, 5, 11), QTime(7, 0))))
        << "without a due-back date nothing is late";
}

TEST(LocacaoParcelas, SpanGetsAnInstalmentPerMonthButTheLastMonth)
{
    const std::vector<QDate> ancoras = L::AncorasParcelas(QDate(2031, 1, 15), QDate(2031, 6, 15));
    ASSERT_EQ(ancoras.size(), 5u);
    EXPECT_EQ(ancoras.front(), QDate(2031, 1, 31));
    EXPECT_EQ(ancoras[1], QDate(2031, 2, 28));
    EXPECT_EQ(ancoras.back(), QDate(2031, 5, 28)) << "the day is kept from February on";
    EXPECT_TRUE(L::AncorasParcelas(QDate(2031, 6, 1), QDate(2031, 6, 30)).empty());
    EXPECT_EQ(L::DiaNoMes(31, QDate(2031, 4, 5)), QDate(2031, 4, 30));
}

}  // namespace
