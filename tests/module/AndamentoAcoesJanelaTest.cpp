// The progress screen's actions: opening orders (permission, restricted
// technicians, the open window's pending item), situation changes per order
// and per item, progress records, the technical report, prints, the product
// pick, and the service-order window's way into the screen.

#include "tests/module/AndamentoJanelaFixture.h"
#include "tests/support/ScopedTimeZone.h"

#include "host/Udmglobal.h"
#include "host/Uprincipal.h"
#include "host/data/Field.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/WindowRegistry.h"
#include "service_orders/uAssOSAndamento.h"
#include "service_orders/uAssOSLaudo.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssSituacaoTroca.h"
#include "service_orders/uPesqAssOrdemServicoSimples.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace moduletest {
namespace {

using host::ui::Form;

class AndamentoAcoesTest : public AndamentoJanelaTest {
protected:
    // A technician row for the user ANA (code 30): order permission and restricted access.
    void tecnicoAna(const char* alterarOS, const char* restrito)
    {
        exec(QString("insert into AATC06AT (ATCODIGO, ATNOME, ATALTERAROS, ATACESSORESTRITO, ATATIVO)"
                     " values (30, 'ANA', '%1', '%2', 'S')")
                 .arg(alterarOS, restrito));
    }
    TfmAssAndamento& abrirNaSituacao(int situacao)
    {
        TfmAssAndamento& form = abrir();
        form.dblcSituacao->setKeyValue(situacao);
        form.bbPesq->click();
        return form;
    }
    QString situacaoDaOrdem(int ordem)
    {
        return committed(QString("select ASCODIGO from AATC01AO where AOCODIGO = %1").arg(ordem)).toString();
    }
    QString situacaoDoItem(int item)
    {
        return committed(QString("select ASCODIGO from AATC01AOIT where AOITCODIGO = %1").arg(item)).toString();
    }
};

TEST_F(AndamentoAcoesTest, OpenOrderNeedsPermissionUnlessAdministratorOrWithoutTechnicianRow)
{
    tecnicoAna("N", "N");
    entrarComo("ANA");
    TfmAssAndamento& form = abrir();
    dialogs->acknowledge("Você não tem permissão para acessar a Ordem de Serviço");
    form.bbAbrirOS->click();
    EXPECT_FALSE(fmAssOrdemServico);

    exec("delete from AATC06AT where ATNOME = 'ANA'");
    dialogs->setAutoAcknowledgeMessages(true);
    form.bbAbrirOS->click();
    ASSERT_TRUE(fmAssOrdemServico);
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Insert) << "a new order";
}

TEST_F(AndamentoAcoesTest, TheAdministratorAccountAlwaysOpensOrders)
{
    exec("insert into AATC06AT (ATCODIGO, ATNOME, ATALTERAROS, ATATIVO) values (31, 'KORVAN', 'N', 'S')");
    entrarComo("KORVAN");
    TfmAssAndamento& form = abrir();
    dialogs->setAutoAcknowledgeMessages(true);
    form.bbAbrirOS->click();
    EXPECT_TRUE(fmAssOrdemServico);
}

TEST_F(AndamentoAcoesTest, ARestrictedTechnicianSeesHisOrdersAndOpensThemWithSevenTabsHidden)
{
    tecnicoAna("S", "S");
    exec("update AATC01AO set ATCODIGO = 30 where AOCODIGO = 42");
    entrarComo("ANA");
    TfmAssAndamento& form = abrir();
    form.laSituacao->onClick();
    form.bbPesq->click();
    EXPECT_EQ(ordensListadas(), (QStringList{"42/1", "42/2"})) << "only the orders of his own";
    dialogs->modal("fmAssOrdemServico", [](Form& janela) {
        auto& os = static_cast<TfmAssOrdemServico&>(janela);
        for (host::ui::TabSheet* aba : {os.tsAndamento, os.tsDespesaExtra, os.tsDespesaViagem, os.tsFoto, os.tsLaudo,
                                        os.tsPecasOS, os.tsServico})
            EXPECT_FALSE(aba->tabVisible()) << aba->objectName().toStdString();
        EXPECT_TRUE(os.tsItens->tabVisible());
        EXPECT_EQ(os.pcOrdemServico->activePage(), os.tsCliente);
        EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
        janela.close();
    });
    form.dbgdAndamentoOSRegistros->onDblClick();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_FALSE(fmAssOrdemServico);
    EXPECT_EQ(dmTec->quPesqOS->fieldByName("AOCODIGO")->asInteger(), 42) << "the list back on the order";
}

TEST_F(AndamentoAcoesTest, AnUnsavedItemOfAnOpenOrderWindowSurvivesTheListsDoubleClick)
{
    TfmAssAndamento& form = abrirNaSituacao(2);
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;46");
    ASSERT_TRUE(fmAssOrdemServico);
    dmTec->quOSItem->edit();
    dmTec->quOSItem->fieldByName("AOITDEFEITO")->setAsString("Trocar cabo");
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    dialogs->modal("fmAssOrdemServico", [](Form& janela) {
        EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
        janela.close();
    });
    form.dbgdAndamentoOSRegistros->onDblClick();
    EXPECT_EQ(committed("select AOITDEFEITO from AATC01AOIT where AOITCODIGO = 5").toString(), "Trocar cabo");
}

TEST_F(AndamentoAcoesTest, CancelledSituationChangesChangeNothing)
{
    parametro("ATCONTROLEOS", "S");
    TfmAssAndamento& form = abrirNaSituacao(2);
    dialogs->modal("fmAssSituacaoTroca", [](Form& janela) { janela.close(); });
    form.miSituacaoTrocarSituacao->trigger();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(situacaoDaOrdem(42), "2");
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
    EXPECT_TRUE(bool(dmTec->quOS->beforeEdit)) << "the edit guard is back";
    EXPECT_EQ(ordensListadas(), (QStringList{"42/1", "42/2"}));

    // Per item: nothing stored either.
    parametro("ATTROCASITUACAOITEM", "I");
    dialogs->modal("fmAssSituacaoTroca", [](Form& janela) { janela.close(); });
    form.dbgdAndamento->onDblClick();
    EXPECT_EQ(situacaoDoItem(1), "11");
}

TEST_F(AndamentoAcoesTest, AnItemSituationChosenIsStoredAndBecomesTheFilter)
{
    parametro("ATCONTROLEOS", "S");
    parametro("ATTROCASITUACAOITEM", "I");
    TfmAssAndamento& form = abrirNaSituacao(2);
    form.laSituacao->onClick();
    form.laSituacao->onClick();   // back to "Situação", the item filter shown
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->modal("fmAssSituacaoTroca", [](Form& janela) {
        auto& troca = static_cast<TfmAssSituacaoTroca&>(janela);
        troca.dblcSituacao->setKeyValue(12);
        troca.bbOk->click();
    });
    form.miSituacaoTrocarSituacao->trigger();
    EXPECT_EQ(situacaoDoItem(1), "12");
    EXPECT_EQ(form.situacaoItemEscolhida(), 12);
    EXPECT_EQ(ordensListadas(), QStringList{"42/1"});
}

TEST_F(AndamentoAcoesTest, WithoutTheSituationQuestionTheOrderIsNotLeftWithSituationZero)
{
    TfmAssAndamento& form = abrirNaSituacao(2);
    form.miSituacaoTrocarSituacao->trigger();
    EXPECT_EQ(situacaoDaOrdem(42), "2");
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
    EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 2);
}

TEST_F(AndamentoAcoesTest, ProgressRecordsNeedARegisteredTechnician)
{
    entrarComo("ANA");
    TfmAssAndamento& form = abrirNaSituacao(2);
    dialogs->acknowledge("Usuário não está cadastrado como técnico");
    form.miSituacaoNovoLaudo->trigger();
    dialogs->acknowledge("Usuário não está cadastrado como técnico");
    form.miVisualizaLaudo->trigger();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_FALSE(fmAssSituacaoTroca);
}

// The clock opened on one order books on it, whatever row of the list is
// clicked while it runs, and stays over the list.
TEST_F(AndamentoAcoesTest, TheClockBooksOnTheOrderItWasOpenedForAndStaysOverTheList)
{
    item(44, 6, "Roteador", 0);
    tr().commitRetaining();
    TfmAssAndamento& form = abrirNaSituacao(2);
    ASSERT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
    QString titulo;
    bool sobreALista = false;
    QTimer::singleShot(0, [&] {
        TfmAssSituacaoTroca* relogio = fmAssSituacaoTroca;
        ASSERT_NE(relogio, nullptr);
        titulo = relogio->gbSituacao->title();
        for (int i = 0; i < 5 && dmTec->quPesqOS->fieldByName("AOCODIGO")->asInteger() != 44; ++i)
            QTest::keyClick(form.dbgdAndamentoOSRegistros, Qt::Key_Down);
        EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 44) << "the list moved to another order";
        sobreALista = relogio->windowHandle() && relogio->windowHandle()->transientParent() == form.windowHandle();
        relogio->bbOk->click();
    });
    form.miSituacaoContabiliza->trigger();
    EXPECT_EQ(titulo, "Situação da O.S. Nº: 42");
    EXPECT_TRUE(sobreALista);
    EXPECT_EQ(committed("select count(*) from CADCOM where CONTRATO = 42").toInt(), 1);
    EXPECT_EQ(committed("select count(*) from CADCOM where CONTRATO = 44").toInt(), 0);
}

// Quitting while the clock runs asks: "Cancelar" keeps the program and the
// clock running, "Sim" books the time counted and the program ends.
TEST_F(AndamentoAcoesTest, QuittingWhileTheClockRunsAsksAndBooksTheTime)
{
    principal->show();
    TfmAssAndamento& form = abrirNaSituacao(2);
    bool fechou = false;
    QTimer::singleShot(0, [&] {
        dialogs->answer("Cancelar", "O tempo da O.S. Nº 42 está sendo contado.");
        EXPECT_FALSE(principal->close());
        EXPECT_TRUE(fmAssSituacaoTroca) << "the clock runs on";
        dialogs->answer("Sim", "O tempo da O.S. Nº 42 está sendo contado.");
        fechou = principal->close();
    });
    form.miSituacaoContabiliza->trigger();
    EXPECT_TRUE(fechou);
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(committed("select count(*) from CADCOM where CONTRATO = 42 and CTHORAFINAL is not null").toInt(), 1);
}

// The progress screen opened beside the order window moves the desk's order
// to its own rows; back in the order window, it shows its order again, its
// lines and its totals as stored now, and ">" leads to the order after it.
TEST_F(AndamentoAcoesTest, TheOrderWindowShowsItsOwnOrderAfterTheProgressScreen)
{
    TfmAssOrdemServico& os = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;42");
    os.pcOrdemServico->setActivePage(os.tsPecasOS);
    os.pcOrdemServicoChange();
    ASSERT_EQ(os.dbgdOrdemServicoPecas->model()->rowCount(), 1);
    abrir();
    ASSERT_EQ(dmTec->quOSAOCODIGO->asInteger(), 46) << "the progress list moved the desk's order";
    outraMesa("update AATC01AO set AOVALORTOTAL = 345.5 where AOCODIGO = 42");
    os.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&os));
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
    EXPECT_DOUBLE_EQ(dmTec->quOSAOVALORTOTAL->asFloat(), 345.5);
    EXPECT_EQ(os.dbgdOrdemServicoPecas->model()->rowCount(), 1);
    os.sbProximo->click();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43);
}

// Other windows of the desk close the shared look-up lists when they are
// opened or left: the order window behind them keeps showing its customer
// and situation.
TEST_F(AndamentoAcoesTest, OtherWindowsLeaveTheOrderWindowsCustomerAndSituationShown)
{
    exec("update AATC01AO set ASCODIGO = 2 where AOCODIGO = 42");
    tr().commitRetaining();
    TfmAssOrdemServico& os = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;42");
    const QString cliente = os.dblcCliente->shownText();
    ASSERT_FALSE(cliente.isEmpty());
    ASSERT_EQ(os.dblcSituacao->shownText(), "Em análise");
    for (const char* janela : {"fmAssFaturamento", "fmAssBaixaPecas", "fmAssTecnico"}) {
        SCOPED_TRACE(janela);
        uPackageAss::ShowJanelaTec(janela);
        ASSERT_TRUE(QTest::qWaitForWindowActive(host::ui::WindowRegistry::find(janela)));
        EXPECT_EQ(os.dblcCliente->shownText(), cliente);
        EXPECT_EQ(os.dblcSituacao->shownText(), "Em análise");
        os.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&os));
    }
}

TEST_F(AndamentoAcoesTest, NewRecordAndViewingOneUseTheSituationDialog)
{
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, CTTEMPOTOTAL, DATA_SOLICITADA, OBSERVACAO)"
         " values ('00003', 901, 42, 'A', 45, '2026-11-03', 'TROCADA A FONTE')");
    TfmAssAndamento& form = abrirNaSituacao(2);
    dmTec->CarregaOSContato(42, 0);
    const QString tecnico = one("select ATCODIGO from AATC06AT where ATNOME = 'SYSDBA'").toString();
    dialogs->modal("fmAssSituacaoTroca", [&](Form& janela) {
        auto& troca = static_cast<TfmAssSituacaoTroca&>(janela);
        EXPECT_EQ(troca.caption(), "Novo Laudo");
        EXPECT_EQ(troca.gbSituacao->title(), "Situação da O.S. Nº: 42");
        EXPECT_TRUE(troca.dblcSituacao->isHidden());
        EXPECT_TRUE(troca.laTroca->isHidden());
        EXPECT_EQ(troca.laCodTec->text(), tecnico);
        janela.close();
    });
    form.miSituacaoNovoLaudo->trigger();

    dialogs->modal("fmAssSituacaoTroca", [&](Form& janela) {
        auto& troca = static_cast<TfmAssSituacaoTroca&>(janela);
        EXPECT_EQ(troca.caption(), "Visualizar Laudo");
        EXPECT_EQ(troca.meLaudo->toPlainText(), "TROCADA A FONTE");
        EXPECT_TRUE(troca.meLaudo->isReadOnly());
        EXPECT_FALSE(troca.dblcSituacao->isEnabled());
        EXPECT_TRUE(troca.paBotoes->isHidden());
        EXPECT_TRUE(troca.gbHoras->isHidden());
        EXPECT_EQ(troca.gbSituacao->height(), 55);
        janela.close();
    });
    form.miVisualizaLaudo->trigger();
    EXPECT_EQ(dialogs->pending(), 0);
}

// The record viewed is found by its day also when the zone skipped that
// day's midnight: kept at 01:00 (as a record made that day is), it shows
// its text, not that of the record of the next day.
TEST_F(AndamentoAcoesTest, ViewingARecordOfADayWithoutMidnightShowsItsText)
{
    const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, CTTEMPOTOTAL, DATA_SOLICITADA, OBSERVACAO)"
         " values ('00003', 901, 42, 'A', 45, '2018-11-04 01:00', 'TROCADA A FONTE')");
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, CTTEMPOTOTAL, DATA_SOLICITADA, OBSERVACAO)"
         " values ('00004', 901, 42, 'A', 45, '2018-11-05 00:00', 'OUTRO DIA')");
    TfmAssAndamento& form = abrirNaSituacao(2);
    dmTec->CarregaOSContato(42, 0);
    ASSERT_EQ(dmTec->quOSContato->fieldByName("COD_CLI")->asString(), "00003");
    QString laudo = "nenhum";
    dialogs->modal("fmAssSituacaoTroca", [&](Form& janela) {
        laudo = static_cast<TfmAssSituacaoTroca&>(janela).meLaudo->toPlainText();
        janela.close();
    });
    form.miVisualizaLaudo->trigger();
    EXPECT_EQ(laudo, "TROCADA A FONTE");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(AndamentoAcoesTest, TheReportOpensPerItemOnTheRowsItem)
{
    parametro("ATTROCASITUACAOITEM", "I");
    TfmAssAndamento& form = abrirNaSituacao(2);
    dmTec->quPesqOS->next();
    dialogs->modal("fmAssOSLaudo", [](Form& janela) {
        EXPECT_EQ(janela.caption(), "Laudo da Ordem de Serviço  (Referente a Item Código :  2)");
        janela.close();
    });
    QTest::keyClick(form.dbgdAndamentoOSRegistros, Qt::Key_F3);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(AndamentoAcoesTest, CancelledPrintEnablesTheButtonAgainAndTheListStaysOnTheOrder)
{
    TfmAssAndamento& form = abrirNaSituacao(2);
    dmTec->quPesqOS->next();
    dialogs->answer("Cancelar", "Deseja imprimir Comprovante, Histórico ou Recibo");
    form.bbImprimir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(form.bbImprimir->isEnabled());
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOCODIGO")->asInteger(), 42) << "the items of the row's order";
}

TEST_F(AndamentoAcoesTest, F9WithAServiceProductAddsAServiceLineAndTheFramesOpenTheProductRegister)
{
    TfmAssAndamento& form = abrirNaSituacao(2);
    ASSERT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
    form.dbgdAssAndamentoServico->setSelectedIndex(1);
    form.dbgdAssAndamentoPecas->setSelectedIndex(1);
    QTest::keyClick(form.dbgdAndamentoOSRegistros, Qt::Key_F9);   // not on a product column: nothing
    form.dbgdAssAndamentoServico->setSelectedIndex(0);
    dialogs->setAutoAcknowledgeMessages(true);
    auto escolher = [this](const char* descricao) {
        dialogs->modal("fmPesquisa", [descricao](Form& janela) {
            auto& pesquisa = static_cast<host::ui::SearchWindow&>(janela);
            QTest::keyClicks(pesquisa.grid(), descricao);
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
    };
    escolher("Visita");
    QTest::keyClick(form.dbgdAndamentoOSRegistros, Qt::Key_F9);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(one("select count(*) from AATC01AA where AOCODIGO = 42 and PRCODIGO = 'S0002'").toInt(), 1)
        << "class 7: a service line";
    EXPECT_EQ(form.dbgdAssAndamentoServico->selectedIndex(), 2);

    form.dbgdAssAndamentoServico->setSelectedIndex(1);
    form.dbgdAssAndamentoPecas->setSelectedIndex(0);
    escolher("Correia");
    form.dbgdAssAndamentoPecas->editButtonClick();
    EXPECT_EQ(one("select count(*) from AATC01AP where AOCODIGO = 42 and PRCODIGO = 'P0005'").toInt(), 1)
        << "any other class: a parts line";
    EXPECT_EQ(form.dbgdAssAndamentoPecas->selectedIndex(), 2);

    QStringList abertas;
    principal->miCadastroProduto->OnClick = [&](QObject*) { abertas << "produtos"; };
    QTest::mouseClick(form.gbPecas, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(form.gbServico, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(abertas, (QStringList{"produtos", "produtos"}));
}

TEST_F(AndamentoAcoesTest, WarrantyLegendSimpleSearchAndProgressPrintout)
{
    TfmAssAndamento& form = abrirNaSituacao(2);
    dialogs->modal("fmPesquisaAssOrdemServicoSimples", [](Form& janela) {
        auto& legenda = static_cast<TfmPesquisaAssOrdemServicoSimples&>(janela);
        EXPECT_EQ(legenda.caption(), "Tipos de Garantia");
        EXPECT_EQ(legenda.width(), 200);
        EXPECT_TRUE(legenda.bbOk->isHidden());
        EXPECT_TRUE(legenda.cbCamposOS->isHidden());
        EXPECT_TRUE(legenda.edCampoPesqOSItens->isHidden());
        QStringList rotulos;
        for (const char* nome : {"laTipoGarantia1", "laTipoGarantia2", "laTipoGarantia3", "laTipoGarantia4"})
            if (auto* rotulo = legenda.findChild<QLabel*>(nome); rotulo && !rotulo->isHidden())
                rotulos << rotulo->text();
        EXPECT_EQ(rotulos, (QStringList{"1 - Garantia de Fábrica", "2 - Garantia do Serviço", "3 - Sem Garantia",
                                        "4 - Cortesia"}));
        janela.close();
    });
    QTest::keyClick(form.dbgdAndamentoOSRegistros, Qt::Key_F1);

    // "Simples": the simple search refills the list, clearing situation and number first.
    form.edOS->setText("42");
    dialogs->answer("Simples", "Deseja Pesquisar pela Pesquisa Completa ou Simples?");
    dialogs->modal("fmPesquisaAssOrdemServicoSimples", [](Form& janela) {
        auto& simples = static_cast<TfmPesquisaAssOrdemServicoSimples&>(janela);
        simples.onActivate();
        simples.cbCamposOSItens->setCurrentIndex(dmTec->quOSItem->fieldByName("AOITEQUIPDESCRICAO")->index());
        simples.edCampoPesqOSItens->setText("scan");
        simples.bbOk->click();
    });
    form.sbPesqOS->click();
    EXPECT_EQ(ordensListadas(), QStringList{"46/5"});
    EXPECT_TRUE(form.edOS->text().isEmpty());
    EXPECT_EQ(form.situacaoEscolhida(), 0);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 46) << "the first row loaded once the list is back";

    dialogs->modal("fmVisualizadorRelatorio", [](Form& janela) { janela.close(); });
    form.miImprimirLaudo->trigger();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_FALSE(qrAssOSAndamento) << "freed after the preview";
}

TEST_F(AndamentoAcoesTest, TheOrderWindowsItemsOpenTheScreenOnTheItemOnlyPerItem)
{
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    TfmAssOrdemServico& os = *fmAssOrdemServico.get();
    dmTec->quOSItem->last();
    os.dbgdOrdemServicoItens->onDblClick();
    EXPECT_FALSE(fmAssAndamento) << "situations kept per order";

    parametro("ATTROCASITUACAOITEM", "I");
    os.dbgdOrdemServicoItens->onDblClick();
    ASSERT_TRUE(fmAssAndamento);
    EXPECT_EQ(fmAssAndamento->edOS->text(), "42");
    EXPECT_EQ(dmTec->quPesqOS->fieldByName("AOITCODIGO")->asInteger(), 2) << "the list on the item";
}

TEST_F(AndamentoAcoesTest, ClosingTheOrderWindowPutsTheListBackOnTheOrderItShowed)
{
    TfmAssAndamento& form = abrirNaSituacao(2);
    form.laSituacao->onClick();
    form.bbPesq->click();
    dmTec->quPesqOS->locate("AOCODIGO", 45);
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    dmTec->quPesqOS->close();   // keeps 45 for the screen
    dmTec->quPesqOS->open();
    EXPECT_EQ(dmTec->quPesqOS->fieldByName("AOCODIGO")->asInteger(), 42);
    fmAssOrdemServico->close();
    EXPECT_EQ(dmTec->quPesqOS->fieldByName("AOCODIGO")->asInteger(), 45);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 45) << "and loads it";
}

}  // namespace
}  // namespace moduletest
