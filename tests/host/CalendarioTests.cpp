// The working-day calendar (weekdays of ATDIASUTEIS, holidays of FERIADOS)
// and the link rows of stock documents the automatic service orders write.

#include "host/Calendario.h"
#include "host/HostLog.h"
#include "host/Udatamod.h"
#include "host/Ulote.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/ui/Form.h"
#include "tests/support/HostDatabase.h"
#include "tests/support/ScopedTimeZone.h"

#include <gtest/gtest.h>

using host::CalendarioDiasUteis;

namespace {

QDateTime dia(int ano, int mes, int d, QTime hora = QTime(9, 30)) { return QDateTime(QDate(ano, mes, d), hora); }

}  // namespace

TEST(CalendarioTest, WeekdaysOfTheParameterAndTheirDefault)
{
    const CalendarioDiasUteis padrao;   // Monday to Friday
    EXPECT_EQ(padrao.proximoDiaUtil(dia(2024, 6, 7)), dia(2024, 6, 7));    // Friday
    EXPECT_EQ(padrao.proximoDiaUtil(dia(2024, 6, 8)), dia(2024, 6, 10));   // Saturday, time kept
    EXPECT_EQ(padrao.proximoDiaUtil(dia(2024, 6, 9)), dia(2024, 6, 10));   // Sunday
    // "234567": Saturday works, Sunday (1) does not.
    const CalendarioDiasUteis sabado("234567");
    EXPECT_EQ(sabado.proximoDiaUtil(dia(2024, 6, 8)), dia(2024, 6, 8));
    EXPECT_EQ(sabado.proximoDiaUtil(dia(2024, 6, 9)), dia(2024, 6, 10));
    // Only Sunday (1): the Monday goes to the next Sunday.
    EXPECT_EQ(CalendarioDiasUteis("1").proximoDiaUtil(dia(2024, 6, 10)), dia(2024, 6, 16));
    // Nothing that names a weekday (blank, "0", "89", letters) is Monday to Friday.
    for (const char* texto : {"", "0", "89", "ab"})
        EXPECT_EQ(CalendarioDiasUteis(texto).proximoDiaUtil(dia(2024, 6, 8)), dia(2024, 6, 10)) << texto;
    EXPECT_FALSE(padrao.proximoDiaUtil(QDateTime()).isValid());
}

TEST(CalendarioTest, HolidaysOnceAndEveryYear)
{
    CalendarioDiasUteis calendario;
    calendario.adicionarFeriado(QDate(2024, 11, 15), false);   // Friday, that year only
    calendario.adicionarFeriado(QDate(2000, 12, 25), true);    // every Christmas
    EXPECT_EQ(calendario.proximoDiaUtil(dia(2024, 11, 15)), dia(2024, 11, 18));   // Friday holiday + weekend
    EXPECT_EQ(calendario.proximoDiaUtil(dia(2025, 11, 14)), dia(2025, 11, 14));   // not a holiday in 2025
    EXPECT_EQ(calendario.proximoDiaUtil(dia(2030, 12, 25)), dia(2030, 12, 26));
    EXPECT_FALSE(calendario.diaUtil(QDate(2031, 12, 25)));
    // A calendar whose only working weekday is always a holiday has no
    // working day: the date comes back instead of an endless search.
    CalendarioDiasUteis semDias("2");
    for (QDate d(2024, 1, 1); d.year() < 2027; d = d.addDays(1))
        if (d.dayOfWeek() == 1)
            semDias.adicionarFeriado(d, true);
    EXPECT_EQ(semDias.proximoDiaUtil(dia(2025, 3, 4)), dia(2025, 3, 4));
}

class HostCalendario : public testsupport::HostDatabaseTest {};

TEST_F(HostCalendario, ProximoDiaUtilReadsTheParameterAndTheHolidaysAtEachCall)
{
    EXPECT_EQ(ProximoDiaUtilPorConfiguracao(dia(2024, 6, 8)), dia(2024, 6, 10));
    exec("insert into FERIADOS (FEDATA, FEDESCRICAO, FEANUAL) values ('2024-06-10', 'Feriado municipal', 'N')");
    exec("insert into FERIADOS (FEDATA, FEDESCRICAO, FEANUAL) values ('1990-06-11', 'Aniversário', 's')");
    EXPECT_EQ(ProximoDiaUtilPorConfiguracao(dia(2024, 6, 8)), dia(2024, 6, 12));
    global->SetParametro("ATDIASUTEIS", "1234567");
    EXPECT_EQ(ProximoDiaUtilPorConfiguracao(dia(2024, 6, 8)), dia(2024, 6, 8));
    // One statement for the whole calendar, however many holidays.
    const CalendarioDiasUteis calendario = [] {
        const auto antes = host::db::statementCount();
        CalendarioDiasUteis c = CalendarioDiasUteis::carregar();
        EXPECT_EQ(host::db::statementCount() - antes, 1u);
        return c;
    }();
    EXPECT_FALSE(calendario.diaUtil(QDate(2031, 6, 11)));
}

TEST_F(HostCalendario, InsereACEM14REFWritesTheLinkOfOneDocumentItem)
{
    ReferenciaACEM14 ref;
    ref.tipo = "S";
    ref.documento = "000123";
    ref.cliente = "00001";
    ref.serie = "1";
    ref.local = "01";
    ref.operacao = "5102";
    ref.dataDocumento = dia(2024, 6, 3, QTime(0, 0));
    ref.dataReferencia = dia(2024, 6, 4, QTime(0, 0));
    ref.aoCodigo = 42;
    ref.sequencia = 3;
    InsereACEM14REF(ref);
    ref.aoCodigo = 43;
    ref.dataDocumento = QDateTime();
    const auto preparos = host::db::prepareCount();
    InsereACEM14REF(ref);
    EXPECT_EQ(host::db::prepareCount(), preparos);   // kept prepared
    EXPECT_EQ(one("select count(*) from ACEM14REF where REFODOCUMENTO = '000123' and REFOCOD_CLI = '00001'"
                  " and REFOSERIE_DOC = '1' and REFOLOCAL_DOC = '01' and REFOOPERACAO_DOC = '5102'"
                  " and REFTIPO = 'S' and REFOSEQUENCIA = 3 and REFDATA = '2024-06-04'")
                  .toInt(),
              2);
    EXPECT_EQ(one("select REFODATA_DOC from ACEM14REF where REFAOCODIGO = 42").toDateTime(), dia(2024, 6, 3, QTime(0, 0)));
    EXPECT_TRUE(one("select REFODATA_DOC from ACEM14REF where REFAOCODIGO = 43").isNull());
}

// Whole days on the calendar and the wall clock, in zones whose clocks jump:
// the night summer time starts has 23 hours, the night it ends 25, and
// São Paulo's old change skipped midnight itself.
TEST(CalendarioTest, WholeDaysIgnoreTheClockChangesOfSummerTime)
{
    const auto momento = [](int a, int m, int d, int h = 0) { return QDateTime(QDate(a, m, d), QTime(h, 0)); };
    {
        const testsupport::ScopedTimeZone lisboa("Europe/Lisbon");
        EXPECT_EQ(DiasInteirosEntre(momento(2024, 3, 30), momento(2024, 4, 1)), 2);
        EXPECT_EQ(DiasInteirosEntre(momento(2024, 3, 30, 10), momento(2024, 4, 1, 9)), 1) << "a partial day dropped";
        EXPECT_EQ(DiasInteirosEntre(momento(2024, 10, 26), momento(2024, 10, 28)), 2);
        EXPECT_EQ(DiasInteirosEntre(momento(2024, 10, 27, 1), momento(2024, 10, 26, 1)), -1) << "backwards";
    }
    {
        const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
        EXPECT_EQ(DiasInteirosEntre(momento(2018, 11, 3), momento(2018, 11, 5)), 2);
        EXPECT_EQ(DiasInteirosEntre(momento(2018, 11, 3, 12), momento(2018, 11, 4, 12)), 1);
    }
    EXPECT_EQ(DiasInteirosEntre({}, momento(2024, 1, 1)), 0);
}
