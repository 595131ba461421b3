// The calendar and money rules of contract instalments, without a database.

#include "contract_data/uDataTecContParcelas.h"
#include "host/Udatamod.h"

#include <gtest/gtest.h>

namespace P = uDataTecContParcelas;

namespace {

QDate d(int y, int m, int day) { return QDate(y, m, day); }

TEST(ParcelasJanela, ModalitiesAndHalfOpenEnd)
{
    EXPECT_EQ(P::JanelaParcelas("A", d(2031, 1, 20), d(2031, 4, 5)).inicio, d(2031, 1, 1));
    EXPECT_EQ(P::JanelaParcelas("A", d(2031, 1, 20), d(2031, 4, 5)).fim, d(2031, 4, 1));
    EXPECT_EQ(P::JanelaParcelas("I", d(2031, 1, 20), d(2031, 4, 5)).inicio, d(2031, 2, 15));
    EXPECT_EQ(P::JanelaParcelas("I", d(2031, 1, 20), d(2031, 4, 5)).fim, d(2031, 5, 15));
    EXPECT_EQ(P::JanelaParcelas("R", d(2031, 2, 3), d(2031, 4, 5)).inicio, d(2031, 2, 28));
    EXPECT_EQ(P::JanelaParcelas("N", d(2031, 2, 3), d(2031, 4, 5)).fim, d(2031, 4, 30));
    // Counting the starts of a monthly "R" span January to March: January and February only.
    int count = 0;
    const P::Janela j = P::JanelaParcelas("R", d(2031, 1, 10), d(2031, 3, 10));
    for (QDate i = j.inicio; i < j.fim; i = P::ProximoInicio(i, "M", "R"))
        ++count;
    EXPECT_EQ(count, 2);
    const P::Janela mesmoMes = P::JanelaParcelas("A", d(2031, 1, 2), d(2031, 1, 30));
    EXPECT_FALSE(mesmoMes.inicio < mesmoMes.fim);
}

TEST(ParcelasVencimento, DueDayClampsAndFallbacks)
{
    EXPECT_EQ(P::AjustaDiaVencimento("", d(2031, 1, 31)), 1);
    // The start month does not shorten the day of the other months.
    EXPECT_EQ(P::AjustaDiaVencimento("31", d(2031, 2, 28)), 31);
    EXPECT_EQ(P::AjustaDiaVencimento("31", d(2031, 4, 30)), 31);
    // A day the month lacks: its last day.
    EXPECT_EQ(P::DataVencimento(d(2031, 4, 1), 31), d(2031, 4, 30));
    EXPECT_EQ(P::DataVencimento(d(2031, 2, 1), 31), d(2031, 2, 28));
    EXPECT_EQ(P::DataVencimento(d(2032, 2, 1), 31), d(2032, 2, 29));
    EXPECT_EQ(P::DataVencimento(d(2031, 2, 1), 30), d(2031, 2, 28));
    EXPECT_EQ(P::DataVencimento(d(2031, 2, 1), 29), d(2031, 2, 28));
    EXPECT_EQ(P::DataVencimento(d(2031, 3, 1), 31), d(2031, 3, 31));
}

TEST(ParcelasVencimento, LateStartIncludesTheDueDayItself)
{
    const QDateTime agora(d(2031, 3, 10), QTime(9, 0));
    EXPECT_TRUE(P::InicioVencido(d(2031, 3, 31), 10, agora));
    EXPECT_FALSE(P::InicioVencido(d(2031, 3, 31), 11, agora));
    // Day 29 in a common-year February does not fail: it reads as the 28th.
    EXPECT_TRUE(P::InicioVencido(d(2031, 2, 28), 29, QDateTime(d(2031, 2, 28), QTime(8, 0))));
}

TEST(ParcelasVencimento, WeekdayStaysInTheMonth)
{
    // 2031-03-10 is a Monday; weekday 2 = Monday.
    EXPECT_EQ(P::PrimeiroDiaSemana(2, d(2031, 3, 1), 10), d(2031, 3, 10));
    EXPECT_EQ(P::PrimeiroDiaSemana(3, d(2031, 3, 1), 10), d(2031, 3, 11));
    EXPECT_EQ(P::PrimeiroDiaSemana(1, d(2031, 3, 1), 10), d(2031, 3, 16));
    // From the 29th (a Sunday) of a 30-day month no Saturday is left: the month's last Saturday.
    EXPECT_EQ(P::PrimeiroDiaSemana(7, d(2031, 6, 1), 29), d(2031, 6, 28));
    EXPECT_EQ(P::PrimeiroDiaSemana(2, d(2031, 6, 1), 29), d(2031, 6, 30));
    EXPECT_EQ(P::PrimeiroDiaSemana(2, d(2031, 2, 1), 31), d(2031, 2, 24));
}

TEST(ParcelasVencimento, NextStartAndPeriodMonths)
{
    EXPECT_EQ(P::ProximoInicio(d(2031, 1, 31), "M", "R"), d(2031, 2, 28));
    EXPECT_EQ(P::ProximoInicio(d(2031, 2, 28), "M", "R"), d(2031, 3, 31));
    EXPECT_EQ(P::ProximoInicio(d(2031, 1, 1), "T", "A"), d(2031, 4, 1));
    EXPECT_EQ(P::ProximoInicio(d(2031, 1, 15), "A", "I"), d(2032, 1, 15));
    EXPECT_EQ(P::ProximoInicio(d(2031, 1, 31), "X", "N"), d(2031, 2, 28));
    EXPECT_EQ(P::MesesPeriodo("B"), 2);
    EXPECT_EQ(P::MesesPeriodo("S"), 6);
}

TEST(ParcelasDocumento, Numbers)
{
    EXPECT_EQ(P::DocumentoData(d(2031, 3, 5)), "050331");
    // Any day reads as the date's own "ddMMyy", the turn of a century included.
    for (QDate day(1899, 12, 25); day < QDate(1900, 1, 5); day = day.addDays(1))
        EXPECT_EQ(P::DocumentoData(day), day.toString("ddMMyy")) << day.toString(Qt::ISODate).toStdString();
    for (const QDate& day : {d(2000, 1, 1), d(2009, 10, 31), d(2099, 12, 31), d(2100, 2, 28), d(5, 6, 7),
                             d(12345, 11, 30), d(-44, 3, 15), QDate()})
        EXPECT_EQ(P::DocumentoData(day), day.toString("ddMMyy")) << day.toString(Qt::ISODate).toStdString();
    EXPECT_EQ(P::DocumentoContrato(42), "000042");
    EXPECT_EQ(P::DocumentoContrato(-42), "000042");
    EXPECT_EQ(P::EncurtaDocumento("12345678"), "345678");
    EXPECT_EQ(P::EncurtaDocumento("000042"), "000042");
    QDate lida;
    EXPECT_TRUE(P::DocumentoDeData("310131", &lida));
    EXPECT_EQ(lida, d(2031, 1, 31));
    EXPECT_FALSE(P::DocumentoDeData("000042"));
    EXPECT_FALSE(P::DocumentoDeData("31013"));
    EXPECT_TRUE(P::DocumentoDeData(" 290228 ", &lida)) << "the number as stored, padded";
    EXPECT_EQ(lida, d(2028, 2, 29));
    EXPECT_FALSE(P::DocumentoDeData("290227", &lida)) << "no 29th of February in 2027";
    EXPECT_EQ(lida, d(2028, 2, 29)) << "a number that is no date leaves the date asked for as it was";
    EXPECT_FALSE(P::DocumentoDeData("3101A1"));
    EXPECT_FALSE(P::DocumentoDeData("31-131"));
}

TEST(ParcelasValor, TaxChainOnTheGrossValue)
{
    P::TaxasOperacao t;
    t.calcIssqn = "S";
    t.issqn = 5;
    t.calcPis = "S";
    t.pis = 0.65;
    EXPECT_DOUBLE_EQ(P::ValorLiquido(t, 1000), 943.50);
    t.calcIssqn = "A";
    EXPECT_DOUBLE_EQ(P::ValorLiquido(t, 1000), 1043.50);
    // Each step is cut: 3 % of 33.33 is 0.9999.
    P::TaxasOperacao cofins;
    cofins.calcCofins = "S";
    cofins.cofins = 3;
    EXPECT_DOUBLE_EQ(P::ValorLiquido(cofins, 33.33), 32.33);
    // No flag: the value as it came, not cut.
    EXPECT_DOUBLE_EQ(P::ValorLiquido(P::TaxasOperacao{}, 10.005), 10.005);
}

P::ItemValor item(double valor, const char* garantia = nullptr, QDate ate = {}, double pct = 0, bool ativo = true)
{
    P::ItemValor i;
    i.valor = valor;
    i.garantia = garantia ? QString(garantia) : QString();
    if (ate.isValid())
        i.garantiaData = QDateTime(ate, QTime(0, 0));
    i.garantiaPercentual = pct;
    i.clienteAtivo = ativo;
    return i;
}

TEST(ParcelasValor, LinesWarrantyAndActiveCustomers)
{
    P::DadosValor dados;
    dados.modalidade = "R";
    dados.itens = {item(50), item(30, "N"), item(20, "S", d(2031, 3, 20), 100), item(7, nullptr, {}, 0, false)};
    // Reference one month before: the warranty ends (Mar 20) after Feb 10, so the line is free.
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 3, 10)), 80);
    // From May the reference (April) is past the warranty: the full value.
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 5, 10)), 100);
    // Under "A" the date itself is the reference.
    dados.modalidade = "A";
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 4, 10)), 100);
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 3, 20)), 80);
    dados.itens.back().garantiaPercentual = 0;
    dados.complementares = 12.5;
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 4, 10)), 112.5);
}

TEST(ParcelasValor, ModesAndAccumulation)
{
    P::DadosValor dados;
    dados.itens = {item(50)};
    dados.valorParcela = 100;
    dados.quantidadeParcela = 3;
    dados.valorFixo = "D";
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 1, 1)), 33.33);
    dados.quantidadeParcela = 0;
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 1, 1)), 100);
    dados.valorFixo = "S";
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 1, 1)), 100);
    dados.valorFixo = "P";
    dados.pmc = {{d(2031, 1, 3), 10}, {d(2031, 1, 28), 5}, {d(2031, 2, 1), 7}, {d(2030, 1, 9), 99}};
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 1, 31)), 15);
    dados.valorFixo = "N";
    dados.veiculos = 40;
    dados.situacaoPorItem = "S";
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 1, 1)), 40);
    dados.situacaoPorItem = "I";
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 1, 1)), 90);
    dados.situacaoPorItem = "";
    EXPECT_DOUBLE_EQ(P::ValorBase(dados, d(2031, 1, 1)), 50);

    // Each month of the period adds its own value: +1, +2, +5, +11 months.
    for (auto [periodo, meses] : {std::pair{"M", 1}, {"B", 2}, {"T", 3}, {"S", 6}, {"A", 12}}) {
        dados.periodo = periodo;
        EXPECT_DOUBLE_EQ(P::ValorParcela(dados, d(2031, 1, 31), true), 50.0 * meses) << periodo;
        EXPECT_DOUBLE_EQ(P::ValorParcela(dados, d(2031, 1, 31), false), 50.0) << periodo;
    }
    dados.valorFixo = "P";
    dados.periodo = "B";
    EXPECT_DOUBLE_EQ(P::ValorParcela(dados, d(2031, 1, 31), true), 22);
    // Equipment rental: the contract's value, never accumulated.
    dados.valorContrato = true;
    dados.acValor = 321;
    EXPECT_DOUBLE_EQ(P::ValorParcela(dados, d(2031, 1, 31), true), 321);
}

TEST(ParcelasCaixa, RescaleKeepsTheCents)
{
    EXPECT_EQ(P::Reescalona({60, 40}, 100, 150), (std::vector<double>{90, 60}));
    // Thirds: the cut leaves a cent, which goes to the last row.
    EXPECT_EQ(P::Reescalona({1, 1, 1}, 3, 100), (std::vector<double>{33.33, 33.33, 33.34}));
    EXPECT_EQ(P::Reescalona({5, 5}, 0, 100), (std::vector<double>{5, 5}));
}

TEST(ParcelasValor, ADividedValuesCentsGoToItsLastInstalmentOnly)
{
    P::DadosValor dados;
    dados.valorFixo = "D";
    dados.periodo = "M";
    dados.valorParcela = 100;
    dados.quantidadeParcela = 3;
    EXPECT_DOUBLE_EQ(P::RestoDivisao(dados, 3), 0.01);
    EXPECT_DOUBLE_EQ(P::RestoDivisao(dados, 1), 0) << "not the last";
    EXPECT_DOUBLE_EQ(P::RestoDivisao(dados, 4), 0) << "past the count";
    dados.valorParcela = 1000.05;
    dados.quantidadeParcela = 7;
    EXPECT_DOUBLE_EQ(P::RestoDivisao(dados, 7), 0.03) << "7 x 142,86 = 1.000,02";
    dados.valorParcela = 90;
    dados.quantidadeParcela = 3;
    EXPECT_DOUBLE_EQ(P::RestoDivisao(dados, 3), 0) << "an even division";
    dados.valorParcela = 100;
    dados.periodo = "T";
    EXPECT_DOUBLE_EQ(P::RestoDivisao(dados, 3), 0) << "a quarter's instalment adds three months' parts";
    dados.periodo = "M";
    dados.valorFixo = "S";
    EXPECT_DOUBLE_EQ(P::RestoDivisao(dados, 3), 0);
}

TEST(ParcelasDinheiro, CutToCentsKeepsDecimalValues)
{
    EXPECT_DOUBLE_EQ(Trunc2Casas(33.33), 33.33);
    EXPECT_DOUBLE_EQ(Trunc2Casas(100.0 / 3), 33.33);
    EXPECT_DOUBLE_EQ(Trunc2Casas(0.29), 0.29);
    EXPECT_DOUBLE_EQ(Trunc2Casas(1.005), 1.00);
    EXPECT_DOUBLE_EQ(Trunc2Casas(-2.999), -2.99);
}

}  // namespace
