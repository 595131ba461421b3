// The service-order window opened through the dispatcher and driven through
// its controls on the demonstration database: tabs under the parameters and
// the technician's access, new/save/reload, the status e-mail before the
// save, the manual number, the suspension, the expense options, browsing
// and deleting; and a picture of the window with an order loaded.

#include "tests/module/ModuleFixture.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"
#include "module/uPackageAss.h"
#include "tests/support/TestDatabase.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssSituacaoTroca.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <utility>

namespace moduletest {
namespace {

using host::data::DatasetState;

class OrdemServicoJanelaTest : public ModuleTest {
protected:
    TfmAssOrdemServico& abrir(const QString& nome = "fmAssOrdemServico")
    {
        uPackageAss::ShowJanelaTec(nome);
        TfmAssOrdemServico* form = fmAssOrdemServico.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    QVariant valor(const QString& sql) { return host::db::selectValue(*dmGlobal->IBTransaction1, sql); }
    void ordem(int codigo, const QString& cliente = "00003", const QString& extra = {}, const QString& valores = {})
    {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE%1)"
                     " values (%2, '%3', '2026-11-02', 'A', 'M'%4)")
                 .arg(extra.isEmpty() ? QString() : ", " + extra)
                 .arg(codigo)
                 .arg(cliente, valores.isEmpty() ? QString() : ", " + valores));
    }
    QStringList abasVisiveis(TfmAssOrdemServico& form)
    {
        QStringList nomes;
        for (int i = 0; i < form.pcOrdemServico->pageCount(); ++i)
            if (form.pcOrdemServico->page(i)->tabVisible())
                nomes << form.pcOrdemServico->page(i)->objectName();
        return nomes;
    }
    void tecnico(int codigo, const QString& nome, const QString& acesso)
    {
        exec(QString("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO, ATALTERAROS, ATACESSORESTRITO)"
                     " values (%1, '%2', 'S', 'S', '%3')")
                 .arg(codigo)
                 .arg(nome, acesso));
    }
};

const QStringList kTodasAsAbas = {"tsItens",        "tsVeiculo",    "tsServico",     "tsPecasOS",
                                  "tsDespesaViagem", "tsDespesaExtra", "tsProjeto",   "tsLaudo",
                                  "tsAndamento",    "tsObservacao", "tsFoto",        "tsCliente",
                                  "tsOutros",       "tsReceber"};

TEST_F(OrdemServicoJanelaTest, TabsComeInTheirOrderWithTheirCaptionsAndTheParametersShowThem)
{
    TfmAssOrdemServico& form = abrir();
    ASSERT_EQ(form.pcOrdemServico->pageCount(), 14);
    QStringList nomes, captions;
    for (int i = 0; i < 14; ++i) {
        nomes << form.pcOrdemServico->page(i)->objectName();
        captions << form.pcOrdemServico->page(i)->caption();
    }
    EXPECT_EQ(nomes, kTodasAsAbas);
    // The equipment mode captions the travel and photo tabs at creation.
    EXPECT_EQ(captions, (QStringList{"&Itens da OS", "Veículos", "Se&rviço", "&Despesa com Peças",
                                     "Despesa com &Viagem", "Des&pesas Extras", "Projeto", "&Laudo", "Andamen&to",
                                     "O&bs. e Acessórios", "Foto", "Cli&ente", "Outros", "Simulação Parcelas"}));
    EXPECT_EQ(abasVisiveis(form), (QStringList{"tsItens", "tsServico", "tsPecasOS", "tsDespesaViagem",
                                               "tsDespesaExtra", "tsLaudo", "tsAndamento", "tsObservacao",
                                               "tsCliente"}))
        << "no vehicles, project, photo, others or instalments by default";
    EXPECT_EQ(form.caption(), "Ordem de Serviço");
    EXPECT_TRUE(form.stayOnTop());
    EXPECT_TRUE(form.keyPreview());
    EXPECT_FALSE(form.sbPesqContrato->isVisible());
    EXPECT_FALSE(form.gbDespesasCliente->isVisible());
    EXPECT_FALSE(form.sbEnviarFilaAten->isVisible());
    EXPECT_FALSE(form.dbedCodigo->isEnabled());
    EXPECT_EQ(form.dbrgStatusServ->items(), (QStringList{"Executado", "Andamento", "Suspenso", "Terceiro"}));
    EXPECT_EQ(form.dbrgStatusServ->title(), "Status do Serviço");
    EXPECT_EQ(form.dbrgPrioridade->items(), (QStringList{"Baixa", "Média", "Alta", "Urgente"}));
    EXPECT_EQ(form.dbrgAtendimento->items(), (QStringList{"Interno", "Externo"}));
    form.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssOrdemServico.get(), nullptr) << "freed on close";

    parametro("ATPESQUISAOSVEICULO", "S");
    parametro("ATEXIBEFOTOOS", "S");
    parametro("ATOPCAOTELAOS", "P");
    parametro("ATUTILIZACONTRATOS", "S");
    parametro("ATMODOFATURAMENTOOS", "6");
    TfmAssOrdemServico& outra = abrir();
    EXPECT_TRUE(outra.tsVeiculo->tabVisible());
    EXPECT_TRUE(outra.tsFoto->tabVisible());
    EXPECT_TRUE(outra.tsProjeto->tabVisible());
    EXPECT_FALSE(outra.tsReceber->tabVisible()) << "instalments only with option S";
    EXPECT_FALSE(outra.tsOutros->tabVisible());
    EXPECT_TRUE(outra.sbPesqContrato->isVisible());
    EXPECT_TRUE(outra.sbEnviaEmailOS->isVisible());
    EXPECT_TRUE(outra.bbOSInterna->isVisible());
    EXPECT_FALSE(outra.gbDespesasCliente->isHidden()) << "on the observation tab";
    EXPECT_TRUE(outra.btPagarTecnico->isVisible());
    outra.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    parametro("ATOPCAOTELAOS", "S");
    TfmAssOrdemServico& terceira = abrir();
    EXPECT_TRUE(terceira.tsReceber->tabVisible());
    EXPECT_FALSE(terceira.tsProjeto->tabVisible());
}

TEST_F(OrdemServicoJanelaTest, TechnicianAccessHidesTabsAndTheMasterUserSeesEverything)
{
    tecnico(91, "ANA", "A");
    tecnico(92, "BETO", "E");
    entrarComo("ANA");
    TfmAssOrdemServico& form = abrir();
    EXPECT_TRUE(form.restricaoItens());
    EXPECT_EQ(abasVisiveis(form), QStringList{"tsItens"});
    form.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    entrarComo("BETO");
    TfmAssOrdemServico& semItens = abrir();
    EXPECT_TRUE(semItens.restricaoItens());
    EXPECT_FALSE(semItens.tsItens->tabVisible());
    EXPECT_FALSE(semItens.dbgdOrdemServicoItens->isVisibleTo(&semItens));
    EXPECT_EQ(semItens.tsItens->pageIndex(), 13) << "moved to the last position";
    EXPECT_EQ(semItens.tsItens->tag(), 13);
    EXPECT_TRUE(semItens.tsServico->tabVisible());
    semItens.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    parametro("ATUSUARIOMESTRE", "BETO");
    TfmAssOrdemServico& mestre = abrir();
    EXPECT_FALSE(mestre.restricaoItens());
    EXPECT_TRUE(mestre.tsItens->tabVisible());
    EXPECT_TRUE(mestre.tsLaudo->tabVisible());
}

TEST_F(OrdemServicoJanelaTest, ANewOrderTypedAndSavedIsReloadedByItsNumber)
{
    ordem(41);
    TfmAssOrdemServico& form = abrir();
    form.bbNovo->click();
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Insert);
    EXPECT_EQ(form.pcOrdemServico->activePageIndex(), 0);
    dmTec->quOSCLCODIGO->setAsString("00004");   // as the customer combo writes it
    EXPECT_EQ(form.dblcCliente->text(), "Clínica Saúde & Vida S/A");
    form.bbSalvar->click();
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
    EXPECT_EQ(dmTec->quOS->paramByName("AOCODIGO")->asInteger(), 42) << "the header query follows the new order";
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(valor("select CLCODIGO from AATC01AO where AOCODIGO = 42").toString(), "00004");
    EXPECT_EQ(form.dbedCodigo->text().toInt(), 42);
}

// Over a network every statement and every preparation is an exchange with
// the server: in a window opened again, a new order saved and then changed
// prepares nothing the first window prepared, and sends only what it needs.
TEST_F(OrdemServicoJanelaTest, ANewOrderSavedAndChangedInAWindowOpenedAgainPreparesNothingAgain)
{
    ordem(41);
    struct Custo {
        int comandos, preparos;
    };
    auto salvar = [&](const QString& contato) {
        TfmAssOrdemServico& form = abrir();
        testsupport::StatementCounter nova;
        form.bbNovo->click();
        dmTec->quOSCLCODIGO->setAsString("00004");   // as the customer combo writes it
        form.bbSalvar->click();
        const Custo novaCusto{nova.count(), nova.prepares()};
        testsupport::StatementCounter alterada;
        dmTec->quOS->edit();
        dmTec->quOSAOCONTATO->setAsString(contato);
        form.bbSalvar->click();
        const Custo alteradaCusto{alterada.count(), alterada.prepares()};
        form.bbSair->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return std::pair{novaCusto, alteradaCusto};
    };
    salvar("Sr. José");   // the first window prepares what the next ones take
    const auto [nova, alterada] = salvar("Sra. Ana");
    std::printf("[ cost ] a new order saved: %d statements, %d prepared; changed: %d, %d\n", nova.comandos,
                nova.preparos, alterada.comandos, alterada.preparos);
    EXPECT_EQ(nova.preparos, 0);
    EXPECT_EQ(alterada.preparos, 0);
    // The new order: the last observation, the initial situation and its
    // kind, the order's unattached items, the customer checked with its
    // type, its data and its contract; the number, the insert, the audit
    // record, the row read again and its items (12). The
    // change: the situation, the sums of every kind of line, the update, the
    // audit record and the row read again (5).
    EXPECT_EQ(nova.comandos, 12);
    EXPECT_EQ(alterada.comandos, 5);
    EXPECT_EQ(lido("select AOCONTATO from AATC01AO where AOCODIGO > 41 order by AOCODIGO"),
              (QStringList{"Sr. José", "Sra. Ana"}));
}

// The reads of an order carry its number and its customer: another order
// of another customer, opened and saved after a first one, prepares nothing.
TEST_F(OrdemServicoJanelaTest, AnotherOrderOfAnotherCustomerOpenedAndSavedPreparesNothing)
{
    parametro("ATMODOEMPRESA", "H");   // the save reads the order's plate and history
    ordem(41, "00003");
    ordem(42, "00004");
    auto abrirESalvar = [&](int numero, const QString& contato) {
        TfmAssOrdemServico& form = abrir("fmAssOrdemServico;" + QString::number(numero));
        dmTec->quOS->edit();
        dmTec->quOSAOCONTATO->setAsString(contato);
        form.bbSalvar->click();
        EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
        form.bbSair->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    abrirESalvar(41, "Sr. José");
    testsupport::StatementCounter segunda;
    abrirESalvar(42, "Sra. Ana");
    EXPECT_EQ(segunda.prepares(), 0);
    EXPECT_EQ(lido("select AOCONTATO from AATC01AO where AOCODIGO in (41, 42) order by AOCODIGO"),
              (QStringList{"Sr. José", "Sra. Ana"}));
}

// An operation registered without a type (as a company may leave it) is
// offered and shown, as in the other windows' operation lists.
TEST_F(OrdemServicoJanelaTest, AnOperationWithoutATypeIsOfferedAndShown)
{
    exec("insert into AFVC0901 (COD_OP, DESC_OP_NF) values ('5999', 'Serviço sem tipo')");
    ordem(41, "00003", "OFCODIGO", "'5999'");
    EXPECT_EQ(abrir("fmAssOrdemServico;41").dblcOperacao->text(), "Serviço sem tipo");
}

TEST_F(OrdemServicoJanelaTest, AnUnchangedHeaderSendsTheStatusMailBeforeSavingAndAPendingChangeNone)
{
    exec("update AUGC0301 set EMAIL = 'jose@cliente.com.br' where CODIGO_CLIENTE = '00003'");
    exec("update EMPRESA set EMAIL = 'oficina@empresa.com.br'");
    dmGlobal->CarregaEmpresa();
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID, ASEMAIL) values (97, 'Pronto', 'N', 'A', 'S')");
    ordem(42, "00003", "ASCODIGO", "97");
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, ASCODIGO) values (42, 1, 'Impressora', 97)");
    parametro("ATENVIOEMAILOS", "E");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    host::clearSentMails();

    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Sr. José");
    form.bbSalvar->click();
    EXPECT_TRUE(host::sentMails().isEmpty()) << "a pending header change sends nothing";

    dialogs->answer("Sim", "Deseja enviar email?").acknowledge("caixa de saída");
    form.bbSalvar->click();
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_EQ(host::sentMails()[0].recipients, "jose@cliente.com.br");
    EXPECT_TRUE(host::sentMails()[0].body.contains("Item: Impressora"));
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(OrdemServicoJanelaTest, TheManualNumberIsTypedOnlyWhileInserting)
{
    ordem(42);
    parametro("ATCODIGOOSMANUAL", "S");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    EXPECT_FALSE(form.dbedCodigo->isEnabled());
    form.bbNovo->click();
    EXPECT_TRUE(form.dbedCodigo->isEnabled());
    EXPECT_FALSE(form.dbedCodigo->readOnlyControl());
    form.bbCancelar->click();
    EXPECT_FALSE(form.dbedCodigo->isEnabled());
}

TEST_F(OrdemServicoJanelaTest, SuspendedSetsPAndOffersAtMostTwentyEarlierReasons)
{
    for (int i = 1; i <= 25; ++i)
        ordem(100 + i, "00003", "AOLAUDO", QString("'Motivo %1'").arg(i, 2, 10, QChar('0')));
    ordem(42);
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    EXPECT_FALSE(form.dbcbSuspensao->isVisible());
    form.dbrgStatusServ->button(2)->click();
    EXPECT_EQ(dmTec->quOSAOBAIXA->asString(), "P");
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Edit);
    EXPECT_TRUE(form.dbcbSuspensao->isVisible());
    EXPECT_TRUE(form.laSuspensao->isVisible());
    EXPECT_EQ(form.dbcbSuspensao->pickList().size(), 20);
    form.dbrgStatusServ->button(1)->click();
    EXPECT_FALSE(form.dbcbSuspensao->isVisible());
    EXPECT_EQ(dmTec->quOSAOBAIXA->asString(), "A");
}

TEST_F(OrdemServicoJanelaTest, ExpenseOptionsStoreTheTickedCaptionsInListOrder)
{
    ordem(42);
    parametro("ATMODOFATURAMENTOOS", "6");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    form.pcOrdemServico->setActivePage(form.tsObservacao);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(form.clOpcoesDespesas->checked(i));
    for (int i : {3, 0}) {
        QListWidgetItem* item = form.clOpcoesDespesas->item(i);
        item->setCheckState(Qt::Checked);   // the user's tick
    }
    EXPECT_EQ(dmTec->quOSAODESPESASCLIENTE->asString(), "Serviço;Despesas Extras;");
    form.bbSalvar->click();
    EXPECT_TRUE(form.GetValueOpcaoDespesa("Serviço"));
    EXPECT_FALSE(form.GetValueOpcaoDespesa("Despesas com Viagem"));
    parametro("ATMODOFATURAMENTOOS", "1");
    EXPECT_TRUE(form.GetValueOpcaoDespesa("Despesas com Viagem")) << "every option counts outside mode 6";
}

TEST_F(OrdemServicoJanelaTest, AllFourExpenseOptionsTickedAreSaved)
{
    ordem(42);
    parametro("ATMODOFATURAMENTOOS", "6");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    form.pcOrdemServico->setActivePage(form.tsObservacao);
    for (int i = 0; i < 4; ++i)
        form.clOpcoesDespesas->item(i)->setCheckState(Qt::Checked);
    form.bbSalvar->click();
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse) << "the save was refused";
    EXPECT_EQ(lido("select AODESPESASCLIENTE from AATC01AO where AOCODIGO = 42"),
              QStringList{"Serviço;Despesas com Peças;Despesas com Viagem;Despesas Extras;"});
}

TEST_F(OrdemServicoJanelaTest, PreviousAndNextSaveFirstAndDeleteAsks)
{
    ordem(41);
    ordem(42);
    ordem(43);
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Antes de ir");
    form.sbProximo->click();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43);
    EXPECT_EQ(valor("select AOCONTATO from AATC01AO where AOCODIGO = 42").toString(), "Antes de ir");
    form.sbAnterior->click();
    form.sbAnterior->click();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 41);

    dialogs->answer("Não", "Confirma a exclusão do registro?");
    form.bbExcluir->click();
    EXPECT_EQ(valor("select count(*) from AATC01AO where AOCODIGO = 41").toInt(), 1);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    form.bbExcluir->click();
    EXPECT_EQ(valor("select count(*) from AATC01AO where AOCODIGO = 41").toInt(), 0);
}

// An order whose parts went out on a stock document and a sales order is
// kept, the refusal naming them: deleted, its number would pass to the next
// new order with those documents.
TEST_F(OrdemServicoJanelaTest, AnOrderWithStockDocumentsOrASalesOrderIsKept)
{
    ordem(42);
    exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, CODIGOPRODUTO, SEQUENCIA, AOCODIGO)"
         " values ('000001', '1', '00003', 'P0001', 1, '42')");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, AOCODIGO) values (1, 'P0001', '000003', 42)");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    dialogs->answer("Sim", "Confirma a exclusão do registro?")
        .acknowledge("não pode ser excluída: ela gerou o documento 000001 e o pedido de venda 000003");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(lido("select count(*) from AATC01AO where AOCODIGO = 42"), QStringList{"1"});
}

// Moving to another order, by the arrows or by the dispatcher, keeps what was
// typed on the order left: an item in edit went with the reload unsaved.
TEST_F(OrdemServicoJanelaTest, MovingToAnotherOrderSavesTheItemBeingEdited)
{
    ordem(42);
    ordem(43);
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (42, 1, 'Impressora')");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    ASSERT_EQ(dmTec->quOSItem->recordCount(), 1);
    dmTec->quOSItem->edit();
    dmTec->quOSItem->fieldByName("AOITDEFEITO")->setAsString("Não liga");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");   // the item's own save asks
    form.sbProximo->click();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43);
    EXPECT_EQ(valor("select AOITDEFEITO from AATC01AOIT where AOCODIGO = 42").toString(), "Não liga");

    form.sbAnterior->click();
    ASSERT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Sr. José");
    dmTec->quOSItem->edit();
    dmTec->quOSItem->fieldByName("AOITDEFEITO")->setAsString("Liga e desliga");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;43");
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43);
    EXPECT_EQ(valor("select AOCONTATO from AATC01AO where AOCODIGO = 42").toString(), "Sr. José");
    EXPECT_EQ(valor("select AOITDEFEITO from AATC01AOIT where AOCODIGO = 42").toString(), "Liga e desliga");
}

TEST_F(OrdemServicoJanelaTest, ANewOrderStoresTheItemBeingEditedOnTheOrderLeft)
{
    ordem(42);
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (42, 1, 'Impressora')");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    dmTec->quOSItem->edit();
    dmTec->quOSItem->fieldByName("AOITDEFEITO")->setAsString("Não liga");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    form.bbNovo->click();
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Insert);
    EXPECT_EQ(valor("select AOITDEFEITO from AATC01AOIT where AOCODIGO = 42").toString(), "Não liga");
}

// The photo tab shows and takes the photo of the item chosen on the items tab.
TEST_F(OrdemServicoJanelaTest, ThePhotoTabKeepsTheChosenItemAndItsPendingChange)
{
    ordem(42);
    for (int item : {1, 2})
        exec(QString("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (42, %1, 'Item %1')")
                 .arg(item));
    parametro("ATEXIBEFOTOOS", "S");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    dmTec->quOSItem->last();
    ASSERT_EQ(dmTec->quOSItem->fieldByName("AOITCODIGO")->asInteger(), 2);
    dmTec->quOSItem->edit();
    dmTec->quOSItem->fieldByName("AOITDEFEITO")->setAsString("Tela trincada");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    form.pcOrdemServico->setActivePage(form.tsFoto);
    form.pcOrdemServicoChange();
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITCODIGO")->asInteger(), 2);
    EXPECT_EQ(valor("select AOITDEFEITO from AATC01AOIT where AOCODIGO = 42 and AOITCODIGO = 2").toString(),
              "Tela trincada");
}

TEST_F(OrdemServicoJanelaTest, APhotoOnAnOrderWithoutItemsMakesNoItem)
{
    ordem(42);
    parametro("ATEXIBEFOTOOS", "S");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    form.pcOrdemServico->setActivePage(form.tsFoto);
    form.pcOrdemServicoChange();
    const QString arquivo = QDir::temp().filePath("foto_os_42.bmp");
    QFile foto(arquivo);
    ASSERT_TRUE(foto.open(QIODevice::WriteOnly));
    foto.write("BM fake");
    foto.close();
    dialogs->enter(arquivo, "Abrir");
    form.dbimFotoDblClick();
    EXPECT_EQ(valor("select count(*) from AATC01AOIT where AOCODIGO = 42").toInt(), 0);
    EXPECT_EQ(valor("select count(*) from AATC01AOIT where AOCODIGO is null").toInt(), 0);
}

// Closing the window keeps what was typed, as moving to another order does;
// a new row left untouched goes without a word.
TEST_F(OrdemServicoJanelaTest, ClosingAsksAndSimStoresThePendingChangesAndAnUntouchedNewOrderGoes)
{
    ordem(42);
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (42, 1, 'Impressora')");
    TfmAssOrdemServico* form = &abrir("fmAssOrdemServico;42");
    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Sr. José");
    dmTec->quOSItem->edit();
    dmTec->quOSItem->fieldByName("AOITDEFEITO")->setAsString("Não liga");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    form->bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssOrdemServico.get(), nullptr);
    EXPECT_EQ(valor("select AOCONTATO from AATC01AO where AOCODIGO = 42").toString(), "Sr. José");
    EXPECT_EQ(valor("select AOITDEFEITO from AATC01AOIT where AOCODIGO = 42").toString(), "Não liga");

    form = &abrir("fmAssOrdemServico;42");
    form->bbNovo->click();
    ASSERT_EQ(dmTec->quOS->state(), DatasetState::Insert);
    form->bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssOrdemServico.get(), nullptr);
    EXPECT_EQ(valor("select count(*) from AATC01AO").toInt(), 1);
    EXPECT_EQ(dialogs->pending(), 0);
}

// Closing the main window closes the module's windows first, each asking
// about its changes: "Cancelar" keeps the program as it is, "Sim" stores the
// change and everything closes.
TEST_F(OrdemServicoJanelaTest, ClosingTheMainWindowClosesTheModulesWindowsAskingFirst)
{
    ordem(42);
    criarPrincipal();
    principal->show();
    TfmAssOrdemServico* form = &abrir("fmAssOrdemServico;42");
    digita(form->dbedContato, "Sr. Paulo Souza");

    dialogs->answer("Cancelar", "Deseja salvar as alterações ?");
    EXPECT_FALSE(principal->close());
    EXPECT_TRUE(principal->isVisible());
    ASSERT_EQ(fmAssOrdemServico.get(), form) << "the order's window stays with its change";
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Edit);

    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    EXPECT_TRUE(principal->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(principal->isVisible());
    EXPECT_EQ(fmAssOrdemServico.get(), nullptr);
    EXPECT_EQ(lido("select AOCONTATO from AATC01AO where AOCODIGO = 42"), QStringList{"Sr. Paulo Souza"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(OrdemServicoJanelaTest, DeletingANewOrderNotYetSavedKeepsTheOrderShownBefore)
{
    ordem(42);
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    form.bbNovo->click();
    ASSERT_EQ(dmTec->quOS->state(), DatasetState::Insert);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    form.bbExcluir->click();
    EXPECT_EQ(valor("select count(*) from AATC01AO where AOCODIGO = 42").toInt(), 1);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
}

// Coming back to a tab reopens its lines: a line left in edit there is stored first.
TEST_F(OrdemServicoJanelaTest, ReturningToATabKeepsTheLineLeftInEditThere)
{
    ordem(42);
    exec("insert into AATC01AX (AOCODIGO, AXCODIGO, AXVALOR) values (42, 1, 15)");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    form.pcOrdemServico->setActivePage(form.tsDespesaExtra);
    form.pcOrdemServicoChange();
    ASSERT_EQ(dmTec->quOSDespExtra->recordCount(), 1);
    dmTec->quOSDespExtra->edit();
    dmTec->quOSDespExtra->fieldByName("AXVALOR")->setAsFloat(20);
    form.pcOrdemServico->setActivePage(form.tsDespesaViagem);
    form.pcOrdemServicoChange();
    form.pcOrdemServico->setActivePage(form.tsDespesaExtra);
    form.pcOrdemServicoChange();
    EXPECT_DOUBLE_EQ(valor("select AXVALOR from AATC01AX where AOCODIGO = 42").toDouble(), 20);
    EXPECT_DOUBLE_EQ(dmTec->quOSDespExtra->fieldByName("AXVALOR")->asFloat(), 20);
}

TEST_F(OrdemServicoJanelaTest, TheActiveTabReopensItsDataAndTheHeaderFollowsTheCustomer)
{
    ordem(42);
    exec("insert into AATC01AX (AOCODIGO, AXCODIGO, AXVALOR) values (42, 1, 15)");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    form.pcOrdemServico->setActivePage(form.tsDespesaExtra);
    form.pcOrdemServicoChange();
    ASSERT_TRUE(dmTec->quOSDespExtra->active());
    EXPECT_EQ(dmTec->quOSDespExtra->recordCount(), 1);
    EXPECT_GT(form.dbgdOrdemServicoDespExtra->columnCount(), 0);
    EXPECT_EQ(form.laCGC->text(), "CPF") << "customer 00003 is a natural person";
    EXPECT_EQ(form.laNomeFantasia->text(), "Tipo Cliente      PESSOA FÍSICA");
    EXPECT_FALSE(form.laPessoaFisica->isHidden());
    dmTec->quOS->edit();
    dmTec->quOSCLCODIGO->setAsString("00004");
    EXPECT_EQ(form.laCGC->text(), "CGC:");
    EXPECT_EQ(form.laIE->text(), "Insc. Est.");
    EXPECT_TRUE(form.laPessoaFisica->isHidden());
    form.FormDeactivate();
    EXPECT_FALSE(dmTec->quOSDespExtra->active());
    EXPECT_TRUE(dmTec->quOS->active()) << "the header stays open";
}

TEST_F(OrdemServicoJanelaTest, DeletingTheSimulationKeepsTheOrdersRealReceivables)
{
    ordem(42);
    for (const char* documento : {"S00042", "000123"})
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, AOCODIGO)"
                     " values ('%1', '00003', 1, 42)")
                 .arg(documento));
    parametro("ATOPCAOTELAOS", "S");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    dialogs->answer("Excluir", "Deseja abrir cadastro de tabelas de vencimento, simular parcelamento, excluir "
                               "simulação, ver simulação realizada?");
    QTest::mouseClick(form.Label20, Qt::LeftButton);
    EXPECT_EQ(valor("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = 'S00042'").toInt(), 0);
    EXPECT_EQ(valor("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = '000123'").toInt(), 1);
    EXPECT_EQ(form.pcOrdemServico->activePage(), form.tsReceber);
    EXPECT_TRUE(dmGlobal->quReceber->active());

    dialogs->answer("Ver");
    QTest::mouseClick(form.Label20, Qt::LeftButton);
    EXPECT_EQ(form.pcOrdemServico->activePage(), form.tsReceber);
}

TEST_F(OrdemServicoJanelaTest, TheReceivablesTabShowsTheAmountFormattedAndTheInstalmentNumberPlain)
{
    ordem(42);
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, AOCODIGO, VALOR_DOCUMENTO)"
         " values ('S00042', '00003', 1, 42, 1234.5)");
    parametro("ATOPCAOTELAOS", "S");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    form.pcOrdemServico->setActivePage(form.tsReceber);
    form.pcOrdemServicoChange();
    host::ui::DataGrid* grade = form.dbgdReceber;
    ASSERT_EQ(grade->model()->rowCount(), 1);
    auto celulaReceber = [grade](const char* campo) {
        return grade->model()->index(0, grade->columnByField(campo)->index()).data().toString();
    };
    EXPECT_EQ(celulaReceber("VALOR_DOCUMENTO"), "1.234,50");
    EXPECT_EQ(celulaReceber("SEQUENCIA"), "1");
}

TEST_F(OrdemServicoJanelaTest, TheAdditionalObservationNeedsAnOrder)
{
    TfmAssOrdemServico& form = abrir();
    dialogs->acknowledge("Não há O.S. selecionada. Para inserir uma Observação adicional selecione uma O.S.");
    form.sbObsAdic->click();
    EXPECT_EQ(dialogs->pending(), 0);
}

// The window as a person sees it with order 42 loaded, written next to the
// test program (run under Xvfb by the screenshot test, offscreen otherwise).
TEST_F(OrdemServicoJanelaTest, PictureOfTheWindowWithOrder42)
{
    ordem(42, "00004");
    exec("update AATC01AO set AOCONTATO = 'Dra. Helena', AOATENDENTE = 'MARCOS', AOVALORSERVICO = 180,"
         " AOVALORPECAS = 95.5, AOVALORTOTAL = 275.5 where AOCODIGO = 42");
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITMARCA, AOITSERIE, AOITDEFEITO)"
         " values (42, 1, 'Impressora laser', 'Brother', 'BR55821', 'Não puxa o papel')");
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    form.resize(1280, 800);
    guardaFoto(form, "fmAssOrdemServico_42.png");
    EXPECT_EQ(form.dbedCodigo->text().toInt(), 42);
    EXPECT_EQ(form.dbgdOrdemServicoItens->model()->rowCount(), 1);
    EXPECT_EQ(form.dbrgPrioridade->itemIndex(), 1) << "M shows as Média";
    form.dbrgPrioridade->button(3)->click();
    EXPECT_EQ(dmTec->quOSAOPRIORIDADE->asString(), "U");
    EXPECT_EQ(dmTec->quOSAOPRIORIDADE->text(), "Urgente");
}

// The situation change a technician confirms, as a person sees it.
TEST_F(OrdemServicoJanelaTest, PictureOfTheSituationChangeDialog)
{
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (91, 'Em análise', 'I', 'A')");
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (92, 'Aguardando peça', 'N', 'A')");
    exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO, ATALTERAROS) values (31, '" + IbUserName() +
         "', 'S', 'S')");
    ordem(42, "00003", "ASCODIGO", "91");
    parametro("ATCONTROLEOS", "S");
    abrir("fmAssOrdemServico;42");
    bool viuJanela = false;
    dialogs->modal("fmAssSituacaoTroca", [&](host::ui::Form& janela) {
        viuJanela = true;
        auto& dialogo = static_cast<TfmAssSituacaoTroca&>(janela);
        dialogo.meLaudo->setPlainText("Aguardando a peça do fornecedor");
        guardaFoto(dialogo, "fmAssSituacaoTroca.png");
        dialogo.bbOk->click();
    });
    dmTec->quOS->edit();
    dmTec->quOSASCODIGO->setAsInteger(92);
    EXPECT_TRUE(viuJanela);
    EXPECT_EQ(valor("select ASCODIGO from AATC01AO where AOCODIGO = 42").toInt(), 92);
}

// The order's additional observation, as a person sees it.
TEST_F(OrdemServicoJanelaTest, PictureOfTheAdditionalObservation)
{
    ordem(42);
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    bool viuJanela = false;
    dialogs->modal("fmObservacao", [&](host::ui::Form& janela) {
        viuJanela = true;
        EXPECT_EQ(janela.caption(), "Observação Adicional");
        guardaFoto(janela, "fmObservacao.png");
    });
    form.sbObsAdic->click();
    EXPECT_TRUE(viuJanela);
}

}  // namespace
}  // namespace moduletest

namespace moduletest {
namespace {

// Two desks on one order: the attendant the other desk saved stays, this
// desk's save of the contact is refused and the order read again; a delete
// of the order the other desk changed is refused too.
TEST_F(OrdemServicoJanelaTest, AnOrderSavedMeanwhileAtAnotherDeskIsNeitherOverwrittenNorDeleted)
{
    ordem(42, "00003", "AOCONTATO, AOATENDENTE", "'Ana', 'Rui'");
    tr().commitRetaining();
    TfmAssOrdemServico& form = abrir("fmAssOrdemServico;42");
    ASSERT_EQ(form.dbedContato->text(), "Ana");

    outraMesa("update AATC01AO set AOATENDENTE = 'Paulo' where AOCODIGO = 42");
    digita(form.dbedContato, "Beatriz");
    dialogs->acknowledge("O registro foi alterado por outro usuário. Recarregue e tente de novo.");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select AOCONTATO || '/' || AOATENDENTE from AATC01AO where AOCODIGO = 42"),
              QStringList{"Ana/Paulo"});
    EXPECT_EQ(form.dbedContato->text(), "Ana");
    EXPECT_EQ(form.dbedAtendente->text(), "Paulo");

    digita(form.dbedContato, "Beatriz");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select AOCONTATO || '/' || AOATENDENTE from AATC01AO where AOCODIGO = 42"),
              QStringList{"Beatriz/Paulo"});

    outraMesa("update AATC01AO set AOCONTATO = 'Carla' where AOCODIGO = 42");
    dialogs->answer("Sim", "Confirma a exclusão do registro?")
        .acknowledge("O registro foi alterado por outro usuário. Recarregue e tente de novo.");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select AOCONTATO from AATC01AO where AOCODIGO = 42"), QStringList{"Carla"});
    EXPECT_EQ(form.dbedContato->text(), "Carla");
}

}  // namespace
}  // namespace moduletest
