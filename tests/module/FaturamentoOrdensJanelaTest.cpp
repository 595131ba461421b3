// The billing of service orders opened through the dispatcher: the search of
// unbilled orders, the selection rebuilt by double clicks (an order included
// twice counts once, the last one removed leaves it empty), the refusals
// (nothing to bill, orders of several customers), and one receivable of the
// selection's total with its document stamped on every order, read back
// through a connection of its own.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/EditControls.h"
#include "service_orders/uAssFaturamento.h"
#include "service_orders/uAssFaturamentoRegras.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>
#include <memory>
#include <utility>

namespace moduletest {
namespace {

using host::ui::Form;

class FaturamentoOrdensTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        auto ordem = [this](int codigo, const char* cliente, double total, const char* extra = "null") {
            exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AODATASAIDA, AOVALORTOTAL,"
                         " ASCODIGO, CRDOCUMENTO) values (%1, '%2', '2026-11-02', '2026-11-10', %3, 1, %4)")
                     .arg(codigo)
                     .arg(cliente)
                     .arg(total)
                     .arg(extra));
        };
        ordem(901, "00003", 100);
        ordem(902, "00003", 50.25);
        ordem(903, "00004", 70);
        ordem(904, "00003", 30, "'000007'");
        ordem(905, "00003", 0);
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5949', 'Outras saídas', '2')");
        exec("insert into AUGC0901 (CODIGO_BANCO, NOME_BANCO, NUMERO_DO_BANCO) values ('341', 'Itaú', '341')");
        exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (0, 'Nenhuma', 'N', 'A')");
        for (const char* documento : {"000120", "S99999", "000015"})
            exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, VALOR_DOCUMENTO)"
                         " values ('%1', '00005', 1, 10)")
                     .arg(documento));
    }
    TfmAssFaturamento& abrir() { return abrirJanela(fmAssFaturamento, "fmAssFaturamento"); }
    static QStringList codigos(host::data::Query& q)
    {
        QStringList lista;
        for (q.first(); !q.eof(); q.next())
            lista << q.fieldByName("AOCODIGO")->asString();
        return lista;
    }
    static void inclui(TfmAssFaturamento& form, int ordem)
    {
        ASSERT_TRUE(form.quRegEnc->locate("AOCODIGO", ordem));
        form.dbgdAssFaturamentoPesq->onDblClick();
    }
    void escolhe(const QString& coluna, const QVariant& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toString().toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
    void cancela() { dialogs->modal("fmPesquisa", [](Form& janela) { janela.close(); }); }
};

// The selection's statements run on the database: the unbilled orders with
// their customer's name, the chosen ones once each, and none for no choice.
TEST_F(FaturamentoOrdensTest, TheSelectionNeverListsAnEmptySet)
{
    using namespace uAssFaturamento;
    tr().commitRetaining();
    const auto ordenados = [](QStringList lista) {
        std::sort(lista.begin(), lista.end(), [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        return lista;
    };
    const QStringList naoFaturadas = ordenados(lido(SqlOrdensNaoFaturadas()));
    EXPECT_EQ(naoFaturadas, lido("select AOCODIGO from AATC01AO where CRDOCUMENTO is null order by AOCODIGO"));
    EXPECT_TRUE(naoFaturadas.contains("901") && naoFaturadas.contains("905") && !naoFaturadas.contains("904"));
    EXPECT_EQ(lido("select NOME from (" + SqlOrdensNaoFaturadas() + ") where AOCODIGO = 903"),
              lido("select NOME from AUGC0301 where CODIGO_CLIENTE = '00004'"));
    EXPECT_EQ(ordenados(lido(SqlSelecao({"905", "901", "905"}))), (QStringList{"901", "905"}));
    EXPECT_EQ(lido(SqlSelecao({"904"})), QStringList{}) << "a billed order is never selected";
    EXPECT_EQ(lido(SqlSelecao({})), QStringList{});
}

TEST_F(FaturamentoOrdensTest, SearchListsTheUnbilledOrdersByTheFilledFilters)
{
    TfmAssFaturamento& form = abrir();
    EXPECT_EQ(form.caption(), "Faturamento de Ordem de Serviço");
    EXPECT_TRUE(dmTec->quOSSituacao->active()) << "the situation list";
    EXPECT_EQ(form.edOSIni->maxLength(), 9);
    EXPECT_EQ(form.edAlternativo->maxLength(), 50);
    EXPECT_EQ(form.cbCampos->count(), dmTec->quOS->fieldCount());
    EXPECT_EQ(form.edSaidaIni->toolTip(), "No Relatório de Totalizador, considera a Data de Cobrança da OS");
    for (host::ui::DataGrid* grade : {form.dbgdAssFaturamentoPesq, form.dbgdAssFaturamentoSel}) {
        ASSERT_EQ(grade->columnCount(), 3);
        EXPECT_EQ(grade->column(0)->title(), "Ordem de Serviço");
        EXPECT_EQ(grade->column(2)->title(), "Valor Total");
    }
    EXPECT_EQ(form.paTotal->text(), "Total Selecionado R$ 0,00");

    form.edOSIni->setText("901");
    form.edOSFim->setText("905");
    form.bbPesquisar->click();
    EXPECT_EQ(codigos(*form.quRegEnc), (QStringList{"901", "902", "903", "905"})) << "904 is billed";
    form.quRegEnc->first();
    EXPECT_EQ(form.quRegEnc->fieldByName("AOCODIGO")->displayText(), "000000901");

    form.edCliente->setText("antônio");
    form.bbPesquisar->click();
    EXPECT_EQ(codigos(*form.quRegEnc), (QStringList{"901", "902", "905"})) << "José Antônio Ferreira";
    form.edCliente->clear();

    // The free field on the order's own column.
    form.cbCampos->setCurrentIndex(dmTec->quOS->fieldByName("AOVALORTOTAL")->index());
    form.edAlternativo->setText("70");
    form.bbPesquisar->click();
    EXPECT_EQ(codigos(*form.quRegEnc), QStringList{"903"});
    form.cbCampos->setCurrentIndex(-1);

    // The situation chosen, then taken off with Delete.
    dmTec->quOSSituacao->locate("ASCODIGO", 1);
    form.dblcSituacao->setKeyValue(2);
    form.bbPesquisar->click();
    EXPECT_TRUE(codigos(*form.quRegEnc).isEmpty());
    QTest::keyClick(form.dblcSituacao, Qt::Key_Delete);
    form.bbPesquisar->click();
    EXPECT_EQ(codigos(*form.quRegEnc).size(), 4);
}

// The customer filled by "..." is taken off the filter with Backspace or
// Delete, without closing the window.
TEST_F(FaturamentoOrdensTest, TheCustomerChosenByThePickerIsEmptiedByTheKeys)
{
    TfmAssFaturamento& form = abrir();
    for (const Qt::Key tecla : {Qt::Key_Backspace, Qt::Key_Delete}) {
        escolhe("CODIGO_CLIENTE", "00004");
        form.sbPesqCliente->click();
        ASSERT_FALSE(form.edCliente->text().isEmpty());
        form.bbPesquisar->click();
        EXPECT_EQ(codigos(*form.quRegEnc), QStringList{"903"});
        form.edCliente->setFocus();
        QTest::keyClick(form.edCliente, tecla);
        EXPECT_TRUE(form.edCliente->text().isEmpty());
        form.bbPesquisar->click();
        EXPECT_EQ(codigos(*form.quRegEnc), (QStringList{"901", "902", "903", "905"}));
    }
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(FaturamentoOrdensTest, TheSelectionCountsAnOrderOnceAndEmptiesWithItsLastOrder)
{
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    inclui(form, 901);
    EXPECT_EQ(form.OrdensSelecionadas(), (QStringList{"901", "901"})) << "the list holds it twice";
    EXPECT_EQ(codigos(*form.quSelecao), QStringList{"901"});
    EXPECT_EQ(form.RetornaTotalSelecionado(), 100.0);
    inclui(form, 902);
    EXPECT_EQ(codigos(*form.quSelecao), (QStringList{"901", "902"}));
    EXPECT_EQ(form.paTotal->text(), "Total Selecionado R$ 150,25");

    form.quSelecao->locate("AOCODIGO", 901);
    form.dbgdAssFaturamentoSel->onDblClick();
    EXPECT_EQ(codigos(*form.quSelecao), QStringList{"902"});
    form.dbgdAssFaturamentoSel->onDblClick();
    EXPECT_TRUE(form.quSelecao->active());
    EXPECT_TRUE(form.quSelecao->isEmpty()) << "the empty selection, not a failed statement";
    EXPECT_EQ(form.paTotal->text(), "Total Selecionado R$ 0,00");
    EXPECT_TRUE(dialogs->texts().isEmpty()) << dialogs->texts().join('\n').toStdString();
}

// Both lists show an order's number and total as the order search does.
TEST_F(FaturamentoOrdensTest, BothListsShowTheOrderNumberInFull)
{
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    for (host::ui::DataGrid* grade : {form.dbgdAssFaturamentoPesq, form.dbgdAssFaturamentoSel}) {
        SCOPED_TRACE(grade->objectName().toStdString());
        EXPECT_EQ(grade->model()->index(0, 0).data().toString(), "000000901");
        EXPECT_EQ(grade->model()->index(0, 2).data().toString(), "100,00");
    }
}

TEST_F(FaturamentoOrdensTest, NothingToBillAndSeveralCustomersAreRefusedBeforeAnyPicker)
{
    TfmAssFaturamento& form = abrir();
    dialogs->acknowledge("Valor Inválido.");
    form.bbGera->click();
    form.bbPesquisar->click();
    inclui(form, 905);
    dialogs->acknowledge("Valor Inválido.");
    form.bbGera->click();
    inclui(form, 901);
    inclui(form, 903);
    dialogs->acknowledge("clientes diferentes");
    form.bbGera->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 3);
    EXPECT_EQ(one("select count(*) from AATC01AO where CRDOCUMENTO is not null").toInt(), 1);
}

// An order whose discount outgrew its lines is not billed, not even beside
// an order that covers it, and nothing is written.
TEST_F(FaturamentoOrdensTest, AnOrderTotallingBelowZeroIsRefusedBeforeAnyPicker)
{
    exec("update AATC01AO set AOVALORTOTAL = -64.5 where AOCODIGO = 902");
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    inclui(form, 902);
    dialogs->acknowledge("A ordem de serviço 902 tem total negativo (-64,50)");
    form.bbGera->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 3);
    EXPECT_EQ(one("select count(*) from AATC01AO where CRDOCUMENTO is not null").toInt(), 1);
}

TEST_F(FaturamentoOrdensTest, DecliningThePaymentTermOrTheBankWritesNothing)
{
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    cancela();
    form.bbGera->click();
    escolhe("CODIGO", "01");
    cancela();
    form.bbGera->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 3);
    EXPECT_EQ(one("select count(*) from AATC01AO where CRDOCUMENTO is not null").toInt(), 1);
}

TEST_F(FaturamentoOrdensTest, OneReceivableOfTheTotalAndEveryOrderStampedWithItsDocument)
{
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    inclui(form, 902);
    escolhe("CODIGO", "02");
    escolhe("CODIGO_BANCO", "341");
    escolhe("ASCODIGO", 0);
    dialogs->acknowledge("Operação efetuada com sucesso!\rDocumento gerado: 000121");
    form.bbGera->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select CODIGO_CLIENTE || '|' || cast(SEQUENCIA as integer) || '|' || cast(VALOR_DOCUMENTO * 100 as integer) ||"
                   " '|' || NUMERO_DO_BANCO || '|' || CODIGO_FILIAL || '|' || OFCODIGO from ACRC5001"
                   " where NUMERO_DOCUMENTO = '000121' order by SEQUENCIA"),
              (QStringList{"00003|1|7513|341|01|5949", "00003|2|7512|341|01|5949"}));
    EXPECT_EQ(lido("select AOCODIGO || '|' || CRDOCUMENTO || '|' || AOLOCAL || '|' || ASCODIGO from AATC01AO"
                   " where AOCODIGO in (901, 902) order by AOCODIGO"),
              (QStringList{"901|000121|01|1", "902|000121|01|1"}))
        << "situation 0 is no situation";

    // Billed orders leave the search; a later bill takes the next number and the situation chosen.
    form.bbPesquisar->click();
    EXPECT_EQ(codigos(*form.quRegEnc), (QStringList{"903", "905"}));
    inclui(form, 903);
    escolhe("CODIGO", "01");
    escolhe("CODIGO_BANCO", "341");
    escolhe("ASCODIGO", 2);
    dialogs->acknowledge("Documento gerado: 000122");
    form.bbGera->click();
    EXPECT_EQ(committed("select CRDOCUMENTO || '|' || ASCODIGO from AATC01AO where AOCODIGO = 903").toString(),
              "000122|2");
}

TEST_F(FaturamentoOrdensTest, PressingGerarReceberAgainBillsNothingTwice)
{
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    inclui(form, 902);
    escolhe("CODIGO", "02");
    escolhe("CODIGO_BANCO", "341");
    escolhe("ASCODIGO", 2);
    dialogs->acknowledge("Documento gerado: 000121");
    form.bbGera->click();
    EXPECT_EQ(dialogs->pending(), 0);
    // The billed orders leave both lists.
    EXPECT_TRUE(codigos(*form.quSelecao).isEmpty());
    EXPECT_EQ(form.paTotal->text(), "Total Selecionado R$ 0,00");
    EXPECT_EQ(codigos(*form.quRegEnc), (QStringList{"903", "905"}));

    // The same press again: nothing is selected any more, and the user is
    // told so before any picker.
    dialogs->acknowledge("Valor Inválido.");
    form.bbGera->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) from ACRC5001 where CODIGO_CLIENTE = '00003'"
                   " group by NUMERO_DOCUMENTO"),
              QStringList{"000121"});
    EXPECT_EQ(lido("select AOCODIGO || '|' || CRDOCUMENTO from AATC01AO where AOCODIGO in (901, 902)"
                   " order by AOCODIGO"),
              (QStringList{"901|000121", "902|000121"}));
}

TEST_F(FaturamentoOrdensTest, AnOrderBilledElsewhereAfterItWasSelectedIsNotBilledAgain)
{
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    inclui(form, 902);
    // Another desk bills 902 while it stands in this selection.
    exec("update AATC01AO set CRDOCUMENTO = '000050' where AOCODIGO = 902");
    dmGlobal->IBTransaction1->commitRetaining();
    // The user is told which order left and what the rest comes to, and bills the rest.
    dialogs->answer("Sim", "A ordem de serviço 902 foi faturada por outro usuário e saiu da seleção.\n"
                           "Deseja gerar o receber das demais, no total de R$ 100,00?");
    escolhe("CODIGO", "02");
    escolhe("CODIGO_BANCO", "341");
    escolhe("ASCODIGO", 0);
    dialogs->acknowledge("Documento gerado: 000121");
    form.bbGera->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select cast(sum(VALOR_DOCUMENTO) * 100 as integer) from ACRC5001 where NUMERO_DOCUMENTO = '000121'"),
              QStringList{"10000"})
        << "the receivable of 901 alone";
    EXPECT_EQ(lido("select AOCODIGO || '|' || CRDOCUMENTO from AATC01AO where AOCODIGO in (901, 902)"
                   " order by AOCODIGO"),
              (QStringList{"901|000121", "902|000050"}));
}

// A customer holding many documents, rental forecasts' lettered numbers
// among them: billing one of its orders runs as many statements as billing
// an order of a customer holding none, and takes a number no receivable holds.
TEST_F(FaturamentoOrdensTest, BillingCostsTheSameWhateverTheCustomerHolds)
{
    for (int n = 1; n <= 40; ++n)
        for (const QString& documento : {QString::number(n).rightJustified(6, '0'),
                                         QDate(2026, 12, 15).addMonths(n).toString("ddMMyy") + "L"})
            exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, VALOR_DOCUMENTO)"
                 " values (:N, '00003', 1, '01', 10)",
                 {{"N", documento}});
    TfmAssFaturamento& form = abrir();
    auto fatura = [&](int ordem, const QString& documento) {
        form.bbPesquisar->click();
        inclui(form, ordem);
        escolhe("CODIGO", "01");
        escolhe("CODIGO_BANCO", "341");
        escolhe("ASCODIGO", 0);
        dialogs->acknowledge("Documento gerado: " + documento);
        const testsupport::StatementCounter contador;
        form.bbGera->click();
        return contador.count();
    };
    fatura(902, "000121");   // what only a first bill runs
    const int deNenhum = fatura(903, "000122");
    const int deMuitos = fatura(901, "000123");
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(deMuitos, deNenhum);
    EXPECT_EQ(lido("select AOCODIGO || '|' || CRDOCUMENTO from AATC01AO where AOCODIGO in (901, 902, 903)"
                   " order by AOCODIGO"),
              (QStringList{"901|000123", "902|000121", "903|000122"}));
}

// Another desk draws a receivable number for the same customer by the same
// rule and has not committed its receivable yet: this desk's bill takes the
// next number, and both are stored.
TEST_F(FaturamentoOrdensTest, TwoDesksDrawingANumberAtOnceBothBill)
{
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    dmGlobal->IBTransaction1->commitRetaining();
    host::db::Connection outra;
    outra.open({dbPath});
    auto mesa = std::make_unique<host::db::Transaction>(outra);
    std::swap(dmGlobal->IBTransaction1, mesa);
    const QString daOutra = dmGlobal->ProximoNumeroReceber();
    std::swap(dmGlobal->IBTransaction1, mesa);
    host::db::executeSql(*mesa,
                         "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                         " VALOR_DOCUMENTO) values (:N, '00003', 1, '01', 10)",
                         {{"N", daOutra}});
    escolhe("CODIGO", "01");
    escolhe("CODIGO_BANCO", "341");
    escolhe("ASCODIGO", 0);
    dialogs->acknowledge("Documento gerado: 000122");
    form.bbGera->click();
    mesa->commit();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) from ACRC5001 where CODIGO_CLIENTE = '00003' order by 1"),
              (QStringList{"000121", "000122"}));
    EXPECT_EQ(lido("select CRDOCUMENTO from AATC01AO where AOCODIGO = 901"), QStringList{"000122"});
}

TEST_F(FaturamentoOrdensTest, DecliningToBillWhatIsLeftAfterOrdersWereBilledElsewhereBillsNothing)
{
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    inclui(form, 902);
    ASSERT_EQ(form.paTotal->text(), "Total Selecionado R$ 150,25");
    dmGlobal->IBTransaction1->commitRetaining();
    // Another desk bills 902 while this one shows it selected.
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction mesa(outra);
    host::db::executeSql(mesa, "update AATC01AO set CRDOCUMENTO = '000050' where AOCODIGO = 902");
    mesa.commit();
    dialogs->answer("Não", "A ordem de serviço 902 foi faturada por outro usuário");
    form.bbGera->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select count(*) from ACRC5001"), QStringList{"3"});
    EXPECT_EQ(lido("select AOCODIGO || '|' || coalesce(CRDOCUMENTO, '-') from AATC01AO where AOCODIGO in (901, 902)"
                   " order by AOCODIGO"),
              (QStringList{"901|-", "902|000050"}));
    // The list shows what is left to bill, with its total.
    EXPECT_EQ(codigos(*form.quSelecao), QStringList{"901"});
    EXPECT_EQ(form.paTotal->text(), "Total Selecionado R$ 100,00");
}

TEST_F(FaturamentoOrdensTest, AnOrderBilledWhileTheReceivableIsMadeUndoesTheWhole)
{
    // Another desk stamps 902 at the moment this desk writes its receivable.
    exec("create trigger TR_OUTRA_MESA for ACRC5001 after insert as begin"
         " update AATC01AO set CRDOCUMENTO = '000050' where AOCODIGO = 902; end");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    inclui(form, 902);
    escolhe("CODIGO", "02");
    escolhe("CODIGO_BANCO", "341");
    escolhe("ASCODIGO", 0);
    dialogs->acknowledge("902 já foi faturada");
    form.bbGera->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = '000121'"), QStringList{"0"});
    EXPECT_EQ(lido("select AOCODIGO || '|' || coalesce(CRDOCUMENTO, '-') from AATC01AO where AOCODIGO in (901, 902)"
                   " order by AOCODIGO"),
              (QStringList{"901|-", "902|-"}));
}

TEST_F(FaturamentoOrdensTest, ThePreviewListsTheFoundOrdersWithTheirSum)
{
    TfmAssFaturamento& form = abrir();
    form.edOSIni->setText("901");
    form.edOSFim->setText("902");
    form.bbPesquisar->click();
    QString texto;
    dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
        texto = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbVisualizar->click();
    for (const char* esperado : {"Faturamento de Ordem de Serviço", "000000901", "000000902", "150,25"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado << "\n" << texto.toStdString();
}

// The stamps of one more order cost one statement and no preparation.
TEST_F(FaturamentoOrdensTest, EachOrderBilledCostsOneStatementAndNoPreparation)
{
    uPackageAss::CriarDataTec();
    auto custo = [this](const QStringList& ordens) {
        exec("update AATC01AO set CRDOCUMENTO = null");
        std::unique_ptr<host::data::Query> selecao = CriarIbQuery();
        selecao->setSql(uAssFaturamento::SqlSelecao(ordens));
        selecao->open();
        testsupport::StatementCounter contador;
        uAssFaturamento::FaturarOrdens(*selecao, 10, {"01", "341", "2"});
        return std::pair{contador.count(), contador.prepares()};
    };
    custo({"901"});   // what only a first run prepares
    const auto [uma, preparoUma] = custo({"901"});
    const auto [tres, preparoTres] = custo({"901", "902", "905"});
    EXPECT_EQ(tres - uma, 2);
    EXPECT_EQ(preparoTres, preparoUma);
    std::printf("[ cost ] billing one order: %d statements, %d prepared; three orders: %d, %d\n", uma, preparoUma,
                tres, preparoTres);
}

TEST_F(FaturamentoOrdensTest, PictureOfTheBilling)
{
    TfmAssFaturamento& form = abrir();
    form.bbPesquisar->click();
    inclui(form, 901);
    inclui(form, 902);
    guardaFoto(form, "fmAssFaturamento.png");
}

}  // namespace
}  // namespace moduletest
