// Daily billing on the register's "Faturar" button: whole days times the
// daily value per equipment row, one rental receipt with a line per row,
// the receivables by the due-date table, the receipt shown, and the
// refusals (open rows, another period, no branch).

#include "tests/module/ContLocFaturamentoFixture.h"

#include "rental/uAssContLocacao.h"
#include "tests/support/ScopedTimeZone.h"

namespace moduletest {
namespace {

using namespace uAssContLocFaturamento;

class ContLocDiariaTest : public ContLocFatTest {
protected:
    void SetUp() override
    {
        ContLocFatTest::SetUp();
        parametro("ATOPCAOCONTRATO", "Q");
        contrato(811, "ACPERIODODESC, TVCODIGO, ACVENDEDOR", "'Diária', '01', '00001'");
    }
    void linha(int codigo, const QString& entrega, const QString& encerramento, double valor)
    {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, ACITQUANTIDADE,"
                     " ACITDATAENTREGA, ACITDATAENCERRAMENTO) values (%1, 811, '00004', 'P0004', %2, 1, '%3', %4)")
                 .arg(codigo)
                 .arg(valor)
                 .arg(entrega, encerramento.isEmpty() ? QString("null") : "'" + encerramento + "'"));
    }
    TfmAssContLocacao& registro(int codigoContrato = 811)
    {
        dmGlobal->IBTransaction1->commitRetaining();
        TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
        CarregaContrato(codigoContrato);
        return form;
    }
    QStringList documentos() const { return lido("select DOCUMENTO from ACEM1401 where SERIE_DOC = 'RC'"); }
};

TEST_F(ContLocDiariaTest, WholeDaysTimesTheDailyValueMakeOneReceiptWithItsReceivables)
{
    linha(8111, "2024-03-01", "2024-03-04", 50);
    linha(8112, "2024-03-02", "2024-03-02", 80);
    TfmAssContLocacao& form = registro();
    const QStringList dumps = previas([&] { form.bbFaturar->click(); });
    EXPECT_EQ(dialogs->pending(), 0);
    ASSERT_EQ(documentos().size(), 1);
    const QString numero = documentos().first().trimmed();
    EXPECT_EQ(lido("select cast(TOTAL_DOC * 100 as integer) || '|' || OPERACAO_DOC from ACEM1401 where SERIE_DOC = 'RC'"),
              QStringList{"15000|00001"});
    EXPECT_EQ(lido("select SEQUENCIA || '|' || cast(VALOR_TOTAL_UNIT * 100 as integer) || '|' || OBSERVACAO_PRODUTO"
                   " from ACEM14IT where SERIE = 'RC' order by SEQUENCIA"),
              (QStringList{"1|15000|Período: 01/03/24 a 04/03/24", "2|0|Período: 02/03/24 a 02/03/24"}));
    EXPECT_EQ(receber(811), QStringList{numero + "|15000|A"});
    ASSERT_EQ(dumps.size(), 1);
    EXPECT_TRUE(dumps.first().contains("Nota Nº: | " + numero)) << dumps.first().toStdString();
    EXPECT_TRUE(dumps.first().contains("Clínica Saúde & Vida S/A"));
    EXPECT_TRUE(dumps.first().contains(numero + "/1"));
    EXPECT_EQ(logDe("[TfmAssContLocacao.bbFaturarClick]"),
              (QStringList{"***INICIO", "***FIM"}));

    // Billing again records a second receipt: nothing marks the rows billed.
    previas([&] { form.bbFaturar->click(); });
    EXPECT_EQ(documentos().size(), 2);
    EXPECT_EQ(receber(811).size(), 2);
}

TEST_F(ContLocDiariaTest, APartialDayCountsNothing)
{
    const QDateTime entrega(QDate(2024, 3, 1), QTime(10, 0));
    EXPECT_EQ(DiasLocacao(entrega, QDateTime(QDate(2024, 3, 2), QTime(9, 0))), 0);
    EXPECT_EQ(DiasLocacao(entrega, QDateTime(QDate(2024, 3, 2), QTime(10, 0))), 1);
    EXPECT_EQ(DiasLocacao(QDateTime(QDate(2024, 3, 4), QTime(0, 0)), QDateTime(QDate(2024, 3, 1), QTime(0, 0))), 3);
    EXPECT_EQ(ValorLinhaDiaria({entrega, QDateTime(QDate(2024, 3, 4), QTime(12, 0)), 33.335}), 3 * 33.335)
        << "not cut to cents";
}

TEST_F(ContLocDiariaTest, AnOpenRowAnywhereRefusesTheBilling)
{
    linha(8111, "2024-03-01", "2024-03-04", 50);
    linha(8112, "2024-03-02", "", 80);
    linha(8113, "2024-03-02", "2024-03-03", 80);
    TfmAssContLocacao& form = registro();
    dialogs->acknowledge("Existem equipamentos que ainda não foram entregues. Marque todos equipamentos como "
                         "entregues antes de prosseguir.");
    form.bbFaturar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(documentos(), QStringList{});
    EXPECT_EQ(receber(811), QStringList{});
    EXPECT_EQ(logDe("[TfmAssContLocacao.bbFaturarClick]").last(), "***FIM");
}

// A row reopened by an older version keeps the zero date as its closing
// date: it is open, and the billing refuses it as any open row.
TEST_F(ContLocDiariaTest, ARowWhoseClosingDateIsTheZeroDateIsOpen)
{
    linha(8111, "2024-03-01", "2024-03-04", 50);
    linha(8112, "2024-03-02", "1899-12-30", 321);
    TfmAssContLocacao& form = registro();
    dialogs->acknowledge("Existem equipamentos que ainda não foram entregues.");
    form.bbFaturar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(documentos(), QStringList{});
    EXPECT_EQ(receber(811), QStringList{});
}

TEST_F(ContLocDiariaTest, AMonthlyContractIsOnlyToldAndABranchIsRequired)
{
    exec("update AATC05AC set ACPERIODODESC = 'Mensal' where ACCODIGO = 811");
    linha(8111, "2024-03-01", "2024-03-04", 50);
    TfmAssContLocacao& form = registro();
    dialogs->acknowledge("Para contratos com período diferente de diária, utiliza o faturamento de contratos.");
    form.bbFaturar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(documentos(), QStringList{});

    ctr().edit();
    cab("ACLOCAL").setAsString("");
    dialogs->acknowledge("Informa Local do Contrato");
    form.bbFaturar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    ctr().cancel();
}

TEST_F(ContLocDiariaTest, NoRowsGiveNothingRecordedAndAnEmptyReceipt)
{
    TfmAssContLocacao& form = registro();
    const QStringList dumps = previas([&] { form.bbFaturar->click(); });
    EXPECT_EQ(documentos(), QStringList{});
    ASSERT_EQ(dumps.size(), 1);
    EXPECT_FALSE(dumps.first().contains("Locação de equipamento")) << dumps.first().toStdString();
}

TEST_F(ContLocDiariaTest, ARefusedDueDateTableLeavesNoReceiptBehind)
{
    exec("update AATC05AC set TVCODIGO = '99' where ACCODIGO = 811");
    linha(8111, "2024-03-01", "2024-03-04", 50);
    TfmAssContLocacao& form = registro();
    dialogs->acknowledge("Tabela de vencimento \"99\" não cadastrada.");
    form.bbFaturar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(documentos(), QStringList{});
    EXPECT_EQ(lido("select count(*) from ACEM14IT where SERIE = 'RC'"), QStringList{"0"});
}

}  // namespace
}  // namespace moduletest

namespace moduletest {
namespace {

// Days are calendar days: a rental across the start of summer time (Lisbon,
// 31/03/2024, a night of 23 hours) is billed every day it lasted.
TEST_F(ContLocDiariaTest, ARentalAcrossTheStartOfSummerTimeIsBilledEveryDay)
{
    const testsupport::ScopedTimeZone lisboa("Europe/Lisbon");
    linha(8111, "2024-03-30", "2024-04-01", 50);
    linha(8112, "2024-03-30 10:00", "2024-04-01 09:00", 80);
    TfmAssContLocacao& form = registro();
    previas([&] { form.bbFaturar->click(); });
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select SEQUENCIA || '|' || cast(VALOR_TOTAL_UNIT * 100 as integer) from ACEM14IT"
                   " where SERIE = 'RC' order by SEQUENCIA"),
              (QStringList{"1|10000", "2|8000"}))
        << "two days, then one whole day and a partial one";
    EXPECT_EQ(lido("select cast(TOTAL_DOC * 100 as integer) from ACEM1401 where SERIE_DOC = 'RC'"),
              QStringList{"18000"});
}

}  // namespace
}  // namespace moduletest
