// The allowance rule of the per-customer service billing: which service
// lines of the period are billed over the contract's hours or calls.

#include "contracts/uAssBasicoContratosFaturamento.h"

#include <gtest/gtest.h>

namespace {

using uAssBasicoContratosFaturamento::Franquia;
using uAssBasicoContratosFaturamento::ServicoPeriodo;
using uAssBasicoContratosFaturamento::ServicosCobrados;

std::vector<ServicoPeriodo> servicos(std::initializer_list<std::pair<int, bool>> linhas)
{
    std::vector<ServicoPeriodo> lista;
    for (const auto& [minutos, autorizado] : linhas)
        lista.push_back({minutos, autorizado});
    return lista;
}

TEST(FaturamentoBasicoFranquia, HourLimitTwoWithThreeHoursBillsOnlyTheThird)
{
    EXPECT_EQ(ServicosCobrados({2, 0}, servicos({{60, true}, {60, true}, {60, true}})),
              (std::vector<bool>{false, false, true}));
    // A line that crosses the limit is billed whole.
    EXPECT_EQ(ServicosCobrados({2, 0}, servicos({{90, true}, {45, true}})), (std::vector<bool>{false, true}));
    // Under an hour limit the calls are not counted.
    EXPECT_EQ(ServicosCobrados({10, 1}, servicos({{60, true}, {60, true}, {60, true}})),
              (std::vector<bool>{false, false, false}));
}

// Worked time adds up in whole minutes: 12 + 46 + 2 minutes are the hour
// itself, not a fraction over it.
TEST(FaturamentoBasicoFranquia, ServicesThatFillTheHoursExactlyAreCovered)
{
    EXPECT_EQ(ServicosCobrados({1, 0}, servicos({{12, true}, {46, true}, {2, true}, {1, true}})),
              (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(ServicosCobrados({2, 0}, servicos({{24, true}, {92, true}, {4, true}})),
              (std::vector<bool>{false, false, false}));
    // A limit of hours and minutes (2.3 hours: 138 minutes).
    EXPECT_EQ(ServicosCobrados({2.3, 0}, servicos({{100, true}, {38, true}, {1, true}})),
              (std::vector<bool>{false, false, true}));
}

TEST(FaturamentoBasicoFranquia, CallLimitTwoBillsTheThirdAndLater)
{
    EXPECT_EQ(ServicosCobrados({0, 2}, servicos({{0, true}, {30, true}, {0, true}, {120, true}})),
              (std::vector<bool>{false, false, true, true}));
}

TEST(FaturamentoBasicoFranquia, AnUnauthorisedServiceIsNeverBilledButStillCounts)
{
    EXPECT_EQ(ServicosCobrados({2, 0}, servicos({{60, true}, {60, true}, {60, false}, {60, true}})),
              (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(ServicosCobrados({0, 1}, servicos({{0, false}, {0, false}, {0, true}})),
              (std::vector<bool>{false, false, true}));
}

TEST(FaturamentoBasicoFranquia, WithoutAnyLimitNothingIsBilled)
{
    EXPECT_EQ(ServicosCobrados({0, 0}, servicos({{600, true}, {0, true}})), (std::vector<bool>{false, false}));
    EXPECT_TRUE(ServicosCobrados({2, 2}, {}).empty());
}

}  // namespace
