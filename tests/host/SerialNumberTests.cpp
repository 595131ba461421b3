// Serial-number movements: booking, deleting and the picker, driven offscreen.

#include "host/PilvOut70.h"
#include "host/Upesq.h"
#include "host/db/Database.h"
#include "host/ui/Layouts.h"
#include "tests/support/HostDatabase.h"

#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using host::ui::Form;

namespace {

class SerialNumbers : public testsupport::HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        host::ui::Layouts::setFolder(layouts.path());
    }
    void TearDown() override
    {
        host::ui::Layouts::setFolder({});
        HostDatabaseTest::TearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    int contar(const QString& condicao) { return one("select count(*) from AUGC50NS " + condicao).toInt(); }
    int reservar(const QString& lista, const QString& venda = {}, const QString& contrato = {},
                 const QString& local = "001")
    {
        return InserirRegistroNumerosSerieProduto(lista, "EQ1", "D", venda, {}, venda, {}, contrato, {}, local,
                                                  "Pedido (Em Produção)", 0, 0, 0, 0, 0);
    }
    static TfmPesquisa& janela(Form& form) { return static_cast<TfmPesquisa&>(form); }

    QTemporaryDir layouts;
};

}  // namespace

TEST_F(SerialNumbers, BookingWritesOneMovementPerNumberWithTheDocumentReferences)
{
    EXPECT_EQ(host::numerosSerieDaLista("'A1','B''2', ' C3 ',''"), (QStringList{"A1", "B'2", "C3"}));
    EXPECT_EQ(host::numerosSerieDaLista(" SEM ASPAS "), QStringList{"SEM ASPAS"});
    EXPECT_TRUE(host::numerosSerieDaLista("  ").isEmpty());

    EXPECT_EQ(reservar("'A1','A2'", "000123", "42"), 2);
    EXPECT_EQ(InserirRegistroNumerosSerieProduto("A1", "EQ1", "I", "", "", "", "7", "", "CMP", "002", "Movimento",
                                                 5, 3, 0, 0, 0), 1);
    EXPECT_EQ(reservar(""), 0);
    EXPECT_EQ(contar(""), 3);
    EXPECT_EQ(contar("where NSNUMERO = 'A2' and VECODIGO = '000123' and OPCODIGO = '000123' and ACCODIGO = 42"
                     " and OCCODIGO is null and AOCODIGO is null and LECODIGO = '001' and NSSTATUS = 'D'"
                     " and NSOBSERVACAO = 'Pedido (Em Produção)'"), 1);
    // The newest movement of A1 is the one just booked: keys ascend in time.
    EXPECT_EQ(one("select NSSTATUS || LECODIGO || AOCODIGO || CMCODIGO || ACITCODIGO || NSSEQUENCIA from AUGC50NS"
                  " where NSCODIGO = (select max(NSCODIGO) from AUGC50NS where NSNUMERO = 'A1')").toString(),
              "I0027CMP53");
    EXPECT_EQ(one("select ACCODIGO from AUGC50NS where NSCODIGO = (select max(NSCODIGO) from AUGC50NS"
                  " where NSNUMERO = 'A1')"), QVariant());
}

TEST_F(SerialNumbers, DeletingTakesOnlyWhatTheConditionSelects)
{
    reservar("'A1','A2'", "000123");
    reservar("'B1'", "000999");
    EXPECT_EQ(ExcluirRegistroNumerosSerieProduto(""), 0);
    EXPECT_EQ(ExcluirRegistroNumerosSerieProduto("   "), 0);
    EXPECT_EQ(contar(""), 3);
    EXPECT_EQ(ExcluirRegistroNumerosSerieProduto(" where PRCODIGO = 'EQ1' and VECODIGO = '000123'"), 2);
    EXPECT_EQ(contar(""), 1);
}

TEST_F(SerialNumbers, PickerOffersEachNumberOnceAndGivesTheChosenOnesQuoted)
{
    EXPECT_EQ([&] { QString lista = "x";
                    const int n = SelecionaNumerosSerie("D", "EQ1", "", "", "", "", "", 0, 0, lista,
                                                        1, 0, 0, 0, 0, 0, 0, 0);
                    EXPECT_EQ(lista, "");
                    return n; }(), -1);   // nothing to offer: no window
    reservar("'N1','N2','N3'");
    reservar("'N2'", {}, {}, "005");      // N2 moved: listed once, at its newest location
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(janela(form).searchKind(), 98);
        EXPECT_EQ(form.caption(), "Números de Série Disponíveis - EQ1");
        auto* dados = janela(form).dataSource()->dataset();
        EXPECT_EQ(dados->recordCount(), 3);
        dados->locate("NSNUMERO", "N2");
        EXPECT_EQ(dados->fieldByName("LECODIGO")->asString(), "005");
        janela(form).grid()->selectRow(3);
        janela(form).grid()->selectRow(1);
        QTest::keyClick(janela(form).grid(), Qt::Key_Return);
    });
    QString lista;
    EXPECT_EQ(SelecionaNumerosSerie("D", "EQ1", "", "", "", "", "", 0, 0, lista, 1, 0, 0, 0, 0, 0, 0, 0), 2);
    EXPECT_EQ(lista, "'N1','N3'");

    // The caller's condition narrows the movements looked at.
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(janela(form).dataSource()->dataset()->recordCount(), 1);
        QTest::keyClick(janela(form).grid(), Qt::Key_Return);
    });
    EXPECT_EQ(SelecionaNumerosSerie("", "EQ1", " and ns.LECODIGO = '005'", "", "", "", "", 0, 0, lista,
                                    0, 0, 0, 0, 0, 0, 0, 1), 1);
    EXPECT_EQ(lista, "'N2'");
    EXPECT_FALSE(fmPesquisa);
}

TEST_F(SerialNumbers, NumbersAlreadyOnTheDocumentComeSelectedAndSingleModePicksTheCurrentRow)
{
    reservar("'S1','S2'");
    reservar("'S3'", "000050");
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(janela(form).grid()->selectedRows(), QList<int>{3});
        janela(form).grid()->selectRow(1);
        QTest::keyClick(janela(form).grid(), Qt::Key_Return);
    });
    QString lista;
    EXPECT_EQ(SelecionaNumerosSerie("D", "EQ1", "", "000050", "", "", "", 0, 0, lista, 1, 0, 0, 0, 0, 0, 0, 0), 2);
    EXPECT_EQ(lista, "'S1','S3'");

    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_FALSE(janela(form).grid()->multiSelect());
        QTest::keyClicks(janela(form).grid(), "s2");
        QTest::keyClick(janela(form).grid(), Qt::Key_Return);
    });
    EXPECT_EQ(SelecionaNumerosSerie("D", "EQ1", "", "", "", "", "", 0, 0, lista, 1, 0, 0, 0, 0, 0, 0, 1), 1);
    EXPECT_EQ(lista, "'S2'");

    dialogs->modal("fmPesquisa", [](Form& form) { QTest::keyClick(janela(form).grid(), Qt::Key_Escape); });
    EXPECT_EQ(SelecionaNumerosSerie("D", "EQ1", "", "", "", "", "", 0, 0, lista, 1, 0, 0, 0, 0, 0, 0, 1), 0);
    EXPECT_EQ(lista, "");
}

TEST_F(SerialNumbers, BookingAndPickingCostOneStatementPerRowWrittenAndOneToList)
{
    std::uint64_t antes = host::db::statementCount();
    reservar("'C1','C2','C3'");
    EXPECT_EQ(host::db::statementCount() - antes, 4u);   // the largest key, then one insert per number
    antes = host::db::statementCount();
    dialogs->modal("fmPesquisa", [](Form& form) { QTest::keyClick(janela(form).grid(), Qt::Key_Escape); });
    QString lista;
    SelecionaNumerosSerie("D", "EQ1", "", "", "", "", "", 0, 0, lista, 1, 0, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(host::db::statementCount() - antes, 1u);
}
