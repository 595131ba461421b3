// The requested lines on the assistance-order window opened through the
// dispatcher: a product typed into a new line fills and prices it, saving
// re-totals the header, and the grids' edit buttons choose their picker by
// the selected column.

#include "tests/module/AssVendasFixture.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Dialogs.h"
#include "rental/uAssVendasGrades.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace moduletest {
namespace {

class AssVendasGradesTest : public AssVendasJanelaTest {
protected:
    void SetUp() override
    {
        AssVendasJanelaTest::SetUp();
        exec("update ACEC1101 set PCO_VENDA = 100, AIQ_IPI = 10 where CODIGO = 'P0003'");
        tr().commitRetaining();
    }
    // A saved order on the requested-lines page.
    QString pedidoNaTela(TfmAssVendas& form)
    {
        pedido("000900", "1");
        linhas("000900", 1);
        form.dbedNumeroPedido->setFocus();
        CarregaPedidoAssVenda("000900", "");
        aba(form.pcPedido, form.tsEquipSolicitados);
        return "000900";
    }
    // An order with two requested and two configured lines, shown on the
    // page of `grade`, its line COD 2 current.
    host::ui::DataGrid* pedidoComDuasLinhas(TfmAssVendas& form, const QString& numero, host::ui::TabSheet* pagina,
                                            host::ui::DataGrid* grade)
    {
        pedido(numero, "1");
        linhas(numero, 2);
        exec("update AVEC85IT set TOTAL_UNIT = 10 where NUMERO_PEDIDO = '" + numero + "' and COD = 2");
        tr().commitRetaining();
        CarregaPedidoAssVenda(numero, "");
        aba(form.pcPedido, pagina);
        grade->setFocus();
        EXPECT_TRUE(grade->dataset()->locate("COD", 2));
        return grade;
    }
    void botao(host::ui::DataGrid* grade, const char* campo)
    {
        grade->setSelectedIndex(grade->columnByField(campo)->index());
        grade->editButtonClick();
    }
};

TEST_F(AssVendasGradesTest, AProductTypedIntoANewLineFillsAndPricesItAndSavingReTotalsTheHeader)
{
    parametro("ATIMPOSTOPORITEM", "S");
    TfmAssVendas& form = abrir();
    const QString numero = pedidoNaTela(form);
    form.dbgdAssVendaItens->setFocus();
    QTest::keyClick(form.dbgdAssVendaItens, Qt::Key_Insert);
    ASSERT_EQ(dmTec->quAssVendaItem->state(), DatasetState::Insert);
    celula(form.dbgdAssVendaItens, "CODIGO", "p0003");
    EXPECT_EQ(dmTec->campoItem("DESCRICAO").asString(), "Cartucho de toner preto");
    EXPECT_DOUBLE_EQ(dmTec->campoItem("VALOR").asFloat(), 100);
    EXPECT_DOUBLE_EQ(dmTec->campoItem("IPI").asFloat(), 10);
    celula(form.dbgdAssVendaItens, "QUANTIDADE", "2");
    form.bbSalvar->click();
    EXPECT_EQ(dmTec->quAssVendaItem->state(), DatasetState::Browse) << dialogs->texts().join('|').toStdString();
    EXPECT_DOUBLE_EQ(lido("select TOTAL_UNIT from AVEC85IT where NUMERO_PEDIDO = '" + numero + "' and CODIGO = 'P0003'")
                         .toDouble(),
                     200);
    EXPECT_DOUBLE_EQ(lido("select VALOR_IPI from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'").toDouble(), 20)
        << "the lines' IPI amounts, not their prices with IPI";
    EXPECT_NEAR(lido("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'").toDouble(), 89.9 + 220,
                1e-6);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    fechar(form);
}

// The total a new line shows follows its price as it is typed, before the
// line is stored, as the save computes it.
TEST_F(AssVendasGradesTest, ANewLinesTotalFollowsThePriceTypedBeforeItIsStored)
{
    TfmAssVendas& form = abrir();
    const QString numero = pedidoNaTela(form);
    host::ui::DataGrid* grade = form.dbgdAssVendaItens;
    auto totalVisto = [grade] {
        return grade->model()->index(grade->currentIndex().row(), grade->columnByField("TOTAL_UNIT")->index()).data()
            .toString();
    };
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_Insert);
    celula(grade, "CODIGO", "p0003");
    celula(grade, "QUANTIDADE", "3");
    EXPECT_EQ(totalVisto(), "300,00");
    celula(grade, "VALOR", "50");
    EXPECT_EQ(dmTec->quAssVendaItem->state(), DatasetState::Insert) << "still being typed";
    EXPECT_EQ(totalVisto(), "150,00");
    form.bbSalvar->click();
    EXPECT_DOUBLE_EQ(lido("select TOTAL_UNIT from AVEC85IT where NUMERO_PEDIDO = '" + numero + "' and CODIGO = 'P0003'")
                         .toDouble(),
                     150);
    fechar(form);
}

// A quantity typed in the line's cell is read the Brazilian way; a text that
// is no number ("abc", or "950.50" whose point only groups thousands) is
// refused with a message and the quantity stays.
TEST_F(AssVendasGradesTest, TheLineQuantityReadsTheBrazilianNumberAndRefusesTheRest)
{
    TfmAssVendas& form = abrir();
    pedidoNaTela(form);
    form.dbgdAssVendaItens->setFocus();
    QTest::keyClick(form.dbgdAssVendaItens, Qt::Key_Insert);
    celula(form.dbgdAssVendaItens, "CODIGO", "p0003");
    const struct {
        const char* texto;
        double quantidade;
        const char* mensagem;
    } digitados[] = {
        {"1,5", 1.5, nullptr},
        {"abc", 1.5, "'abc' não é um valor numérico válido."},
        {"950.50", 1.5, "'950.50' não é um valor numérico válido."},
        {"1,25", 1.25, nullptr},
    };
    for (const auto& d : digitados) {
        SCOPED_TRACE(d.texto);
        if (d.mensagem)
            dialogs->acknowledge(d.mensagem);
        celula(form.dbgdAssVendaItens, "QUANTIDADE", d.texto);
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_DOUBLE_EQ(dmTec->campoItem("QUANTIDADE").asFloat(), d.quantidade);
        if (d.mensagem) {
            // The refused text stays in the cell's editor until Esc gives
            // back the field's value.
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            ASSERT_TRUE(editor);
            EXPECT_EQ(editor->selectedText(), d.texto);
            QTest::keyClick(editor, Qt::Key_Escape);
        }
    }
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
}

TEST_F(AssVendasGradesTest, TheEditButtonsActByTheSelectedColumn)
{
    TfmAssVendas& form = abrir();
    const QString numero = pedidoNaTela(form);
    host::ui::DataGrid* grade = form.dbgdAssVendaItens;

    // The product search appends the chosen product as a priced line.
    pesquisa("CODIGO", "P0003");
    botao(grade, "CODIGO");
    EXPECT_EQ(lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '" + numero + "'").toInt(), 2);
    EXPECT_DOUBLE_EQ(lido("select VALOR from AVEC85IT where CODIGO = 'P0003'").toDouble(), 100);
    EXPECT_EQ(grade->selectedIndex(), 3);

    // Cancelled pickers change nothing.
    dialogs->modal("fmPesquisa", {});
    botao(grade, "CODIGO");
    EXPECT_EQ(lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '" + numero + "'").toInt(), 2);
    dmTec->quAssVendaItem->first();
    dialogs->modal("fmObservacao", {});
    botao(grade, "DESCRICAO");
    EXPECT_EQ(lido("select count(*) from AUGC70OB where OBID = 'V'").toInt(), 0);

    // The text button saves the line first.
    dmTec->quAssVendaItem->edit();
    dmTec->campoItem("OBS").setAsString("Antes do texto");
    dialogs->modal("fmObservacao", [](host::ui::Form&) {});
    botao(grade, "DESCRICAO");
    EXPECT_EQ(lido("select OBS from AVEC85IT where NUMERO_PEDIDO = '" + numero + "' and COD = 1").toString(),
              "Antes do texto");

    // A hidden column is out of reach; a column shown twice acts on its first copy only.
    grade->columnByField("CODIGO")->setVisible(false);
    botao(grade, "CODIGO");
    grade->columnByField("CODIGO")->setVisible(true);
    host::ui::GridColumn* copia = CriaColunaDBGrid(grade, 80, "Descrição 2", "DESCRICAO");
    grade->setSelectedIndex(copia->index());
    grade->editButtonClick();
    EXPECT_EQ(dialogs->pending(), 0);

    // Configured lines: only the product and the serial numbers.
    aba(form.pcPedido, form.tsEquipConfigurados);
    botao(form.dbgdAssVendaCotado, "VALOR");
    pesquisa("CODIGO", "P0003");
    botao(form.dbgdAssVendaCotado, "CODIGO");
    EXPECT_EQ(lido("select count(*) from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'").toInt(), 2);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(dialogs->pending(), 0);
    fechar(form);
}

TEST_F(AssVendasGradesTest, TheGeneralSearchesWriteTheirColumnAndTheConfigurationLinkOpensTheComposition)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    TfmAssVendas& form = abrir();
    pedidoNaTela(form);
    host::ui::DataGrid* grade = form.dbgdAssVendaItens;
    dmTec->quAssVendaItem->first();
    CriaColunaDBGrid(grade, 60, "Local", "LECODIGO");
    CriaColunaDBGrid(grade, 60, "CFOP", "VEITCFOP");
    const QString local = lido("select first 1 CODIGO from ACEC1401 order by CODIGO").toString();
    pesquisa("CODIGO", local);
    botao(grade, "LECODIGO");
    EXPECT_EQ(dmTec->campoItem("LECODIGO").asString(), local);
    dialogs->modal("fmPesquisa", {});
    botao(grade, "VEITCFOP");
    EXPECT_EQ(dmTec->campoItem("VEITCFOP").asString(), "") << "cancelled: nothing written";
    dmTec->quAssVendaItem->cancel();

    EXPECT_TRUE(form.laConfiguracaoItens->isVisibleTo(&form));
    dialogs->modal("fmComposicao", {});
    form.laConfiguracaoItens->onClick();
    EXPECT_EQ(dmGlobal->produtoCarregado.codigo, "P0001");
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    fechar(form);
}

TEST_F(AssVendasGradesTest, TheCheckoutGridInsertsAtTheSalePriceAndCancelledPickersChangeNothing)
{
    TfmAssVendas& form = abrir();
    const QString numero = pedidoNaTela(form);
    aba(form.pcPedido, form.tsEquipConfigurados);
    host::ui::DataGrid grade("dbgdAssCheckoutEquip");
    grade.setDataSource(form.dsVendaCotado);
    for (const char* campo : {"CODIGO", "DESCRICAO", "VALOR", "QUANTIDADE"})
        CriaColunaDBGrid(&grade, 80, campo, campo);
    grade.onEditButtonClick = [&grade] { dbgdAssCheckoutEquipEditButtonClick(&grade); };

    pesquisa("CODIGO", "P0003");
    botao(&grade, "CODIGO");
    EXPECT_DOUBLE_EQ(lido("select VALOR from AVEC85LX where NUMERO_PEDIDO = '" + numero + "' and CODIGO = 'P0003'")
                         .toDouble(),
                     100);
    EXPECT_EQ(grade.selectedIndex(), 3);
    const double antes = dmTec->quAssVendaCotado->fieldByName("VALOR")->asFloat();
    dialogs->modal({}, {});
    botao(&grade, "VALOR");
    EXPECT_DOUBLE_EQ(dmTec->quAssVendaCotado->fieldByName("VALOR")->asFloat(), antes);
    dialogs->modal("fmPesquisa", {});
    botao(&grade, "QUANTIDADE");
    EXPECT_EQ(dmTec->quAssVendaCotado->state(), DatasetState::Browse);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(dialogs->pending(), 0);
    fechar(form);
}

// Two lines of 1,25 at 10 % IPI typed in: each line's 0,125 of IPI is cut
// to 0,12 before the sum, and the order stores 0,24 and its total with it.
TEST_F(AssVendasGradesTest, TheHeaderSumsEachLinesIPICutToTheCent)
{
    exec("update ACEC1101 set PCO_VENDA = 1.25 where CODIGO = 'P0003'");
    tr().commitRetaining();
    pedido("000901", "1");
    TfmAssVendas& form = abrir();
    CarregaPedidoAssVenda("000901", "");
    aba(form.pcPedido, form.tsEquipSolicitados);
    const QString numero = "000901";
    for (int i = 0; i < 2; ++i) {
        form.dbgdAssVendaItens->setFocus();
        QTest::keyClick(form.dbgdAssVendaItens, Qt::Key_Insert);
        celula(form.dbgdAssVendaItens, "CODIGO", "p0003");
        celula(form.dbgdAssVendaItens, "QUANTIDADE", "1");
        form.bbSalvar->click();
    }
    EXPECT_EQ(lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '" + numero + "' and CODIGO = 'P0003'").toInt(),
              2);
    EXPECT_DOUBLE_EQ(lido("select VALOR_IPI from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'").toDouble(), 0.24);
    EXPECT_DOUBLE_EQ(lido("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'").toDouble(), 2.74);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    fechar(form);
}

// An order released at another desk while the deletion password is asked
// keeps the line: what was released is what gets billed.
TEST_F(AssVendasGradesTest, AnOrderReleasedWhileThePasswordIsAskedKeepsTheLine)
{
    parametro("ATSENHAEXCLUSAOPEDIDO", "4321");
    TfmAssVendas& form = abrir();
    host::ui::DataGrid* grade = pedidoComDuasLinhas(form, "000910", form.tsEquipSolicitados, form.dbgdAssVendaItens);
    dialogs->answer("Sim", "Confirma a exclusão do registro?")
        .enter("4321", "Senha de Exclusão de Pedido de Venda")
        .meanwhile([this] { outraMesa("update AVEC8501 set IMPRESSO_NF = 'L' where NUMERO_PEDIDO = '000910'"); })
        .acknowledge("não está mais em aberto");
    QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '000910'").toInt(), 2);
    fechar(form);
}

// Likewise an order released while the serial numbers of a new configured
// line are chosen (mode "C"), or the requested line it fulfils (mode "E"):
// no line, no piece booked.
TEST_F(AssVendasGradesTest, AnOrderReleasedWhileTheSerialsAreChosenTakesNoLine)
{
    exec("update ACEC1101 set PRGERANS = 'O', ESTOQUE = 10 where CODIGO = 'P0003'");
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO) values (9001, 'SN-1', 'P0003')");
    TfmAssVendas& form = abrir();
    const QString numero = pedidoNaTela(form);
    for (const char* modo : {"C", "E"}) {
        SCOPED_TRACE(modo);
        parametro("ATMODOPEDIDOASSISTENCIA", modo);
        outraMesa("update AVEC8501 set IMPRESSO_NF = null where NUMERO_PEDIDO = '" + numero + "'");
        CarregaPedidoAssVenda(numero, "");
        aba(form.pcPedido, form.tsEquipConfigurados);
        form.dbgdAssVendaCotado->setFocus();
        QTest::keyClick(form.dbgdAssVendaCotado, Qt::Key_Insert);
        celula(form.dbgdAssVendaCotado, "CODIGO", "p0003");
        dialogs->modal("fmPesquisa", [&](host::ui::Form& janela) {
            outraMesa("update AVEC8501 set IMPRESSO_NF = 'L' where NUMERO_PEDIDO = '" + numero + "'");
            QTest::keyClick(static_cast<TfmPesquisa&>(janela).grid(), Qt::Key_Return);
        }).acknowledge("não está mais em aberto");
        form.bbSalvar->click();
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
        tr().commitRetaining();   // whatever was kept would now be stored
        EXPECT_EQ(lido("select count(*) from AVEC85LX where CODIGO = 'P0003'").toInt(), 0);
        EXPECT_EQ(lido("select count(*) from AUGC50NS where VECODIGO = '" + numero + "'").toInt(), 0);
        dmTec->quAssVendaCotado->cancel();
    }
    fechar(form);
}

// Mode "E": a line short of stock put on the back-order, then the requested
// line it fulfils not chosen: the save is refused and the back-order gets no
// line for it.
TEST_F(AssVendasGradesTest, ALineRefusedAfterTheBackOrderQuestionLeavesNoBackOrderLine)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    exec("update ACEC1101 set ESTOQUE = 0 where CODIGO = 'P0003'");
    TfmAssVendas& form = abrir();
    pedidoNaTela(form);
    aba(form.pcPedido, form.tsEquipConfigurados);
    form.dbgdAssVendaCotado->setFocus();
    QTest::keyClick(form.dbgdAssVendaCotado, Qt::Key_Insert);
    celula(form.dbgdAssVendaCotado, "CODIGO", "p0003");
    dialogs->answer("Sim", "Deseja colocar em pedido pendente?")
        .modal("fmPesquisa", {})
        .acknowledge("não foi Selecionado");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    tr().commitRetaining();   // whatever was kept would now be stored
    EXPECT_EQ(lido("select count(*) from AVEC85IT where CODIGO = 'P0003'").toInt(), 0);
    dmTec->quAssVendaCotado->cancel();
    fechar(form);
}

// Ctrl+Delete on a requested line: the confirmation, then the deletion
// password; the header's new total is stored with the deletion.
TEST_F(AssVendasGradesTest, CtrlDeleteOnARequestedLineAsksAndStoresTheNewTotal)
{
    parametro("ATSENHAEXCLUSAOPEDIDO", "4321");
    TfmAssVendas& form = abrir();
    host::ui::DataGrid* grade = pedidoComDuasLinhas(form, "000910", form.tsEquipSolicitados, form.dbgdAssVendaItens);
    auto linhasGravadas = [this] { return lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '000910'").toInt(); };

    dialogs->answer("Não", "Confirma a exclusão do registro?");
    QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(linhasGravadas(), 2);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    dialogs->enter("errada", "Senha de Exclusão de Pedido de Venda");
    dialogs->acknowledge("Senha inválida!");
    QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(linhasGravadas(), 2) << "a wrong password deletes nothing";
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    dialogs->enter("4321", "Senha de Exclusão de Pedido de Venda");
    QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(lido("select COD from AVEC85IT where NUMERO_PEDIDO = '000910'").toInt(), 1);
    EXPECT_NEAR(lido("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = '000910'").toDouble(), 89.9, 1e-6)
        << "another desk reads the total of the line left";
    fechar(form);
}

// Ctrl+Delete on a requested line while the header holds an edit it cannot
// be saved with: the header refuses its totals, but the deletion is stored
// whole, with its log and the key of the row deleted.
TEST_F(AssVendasGradesTest, CtrlDeleteUnderAHeaderThatCannotBeSavedStoresTheWholeDeletion)
{
    TfmAssVendas& form = abrir();
    host::ui::DataGrid* grade = pedidoComDuasLinhas(form, "000912", form.tsEquipSolicitados, form.dbgdAssVendaItens);
    venda().edit();
    cab("ANCODIGOCONTATO").setAsInteger(0);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    dialogs->acknowledge("Campo 'Contato' não informado.").acknowledge("Não Foi Possível Salvar Pedido.");
    QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select COD from AVEC85IT where NUMERO_PEDIDO = '000912'").toInt(), 1);
    EXPECT_EQ(lido("select count(*) from UGCHAVEEXCLUIDA where TABELA = 'AVEC85IT'").toInt(), 1)
        << "the deleted row's key is stored";
    EXPECT_EQ(lido("select count(*) from ARQLOG where ACAO starting with 'Deletou item do pedido'").toInt(), 1);
    if (venda().editing())
        venda().cancel();
    fechar(form);
}

// A requested line saved while the header holds an edit it cannot be saved
// with: the header refuses its totals, but the line's reservation of the
// product is stored with it.
TEST_F(AssVendasGradesTest, ALineSavedUnderAHeaderThatCannotBeSavedStoresItsReservation)
{
    TfmAssVendas& form = abrir();
    host::ui::DataGrid* grade = pedidoComDuasLinhas(form, "000913", form.tsEquipSolicitados, form.dbgdAssVendaItens);
    exec("update AVEC8501 set IMPRESSO_NF = 'N' where NUMERO_PEDIDO = '000913'");
    tr().commitRetaining();
    CarregaPedidoAssVenda("000913", "");
    aba(form.pcPedido, form.tsEquipSolicitados);
    grade->setFocus();
    ASSERT_TRUE(dmTec->quAssVendaItem->locate("COD", 2));
    venda().edit();
    cab("ANCODIGOCONTATO").setAsInteger(0);
    celula(grade, "QUANTIDADE", "5");
    dialogs->acknowledge("Campo 'Contato' não informado.").acknowledge("Não Foi Possível Salvar Pedido.");
    QTest::keyClick(grade, Qt::Key_Up);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_NEAR(lido("select QUANTIDADE from AVEC85IT where NUMERO_PEDIDO = '000913' and COD = 2").toDouble(), 5, 1e-9);
    EXPECT_NEAR(lido("select QTDE_PRODUCAO from ACEC1101 where CODIGO = 'P0001'").toDouble(), 6, 1e-9)
        << "the order's two lines, 1 and 5, reserved";
    if (venda().editing())
        venda().cancel();
    fechar(form);
}

// Ctrl+Delete on a configured line: asked, then gone for every desk.
TEST_F(AssVendasGradesTest, CtrlDeleteOnAConfiguredLineAsksAndDeletesIt)
{
    TfmAssVendas& form = abrir();
    host::ui::DataGrid* grade = pedidoComDuasLinhas(form, "000911", form.tsEquipConfigurados, form.dbgdAssVendaCotado);
    dialogs->answer("Não", "Confirma a exclusão do registro?");
    QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(lido("select count(*) from AVEC85LX where NUMERO_PEDIDO = '000911'").toInt(), 2);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(lido("select COD from AVEC85LX where NUMERO_PEDIDO = '000911'").toInt(), 1);
    EXPECT_EQ(lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '000911'").toInt(), 2)
        << "its requested line stays";
    fechar(form);
}

}  // namespace
}  // namespace moduletest
