// The assistance-order window opened through the dispatcher and driven
// through its controls on the demonstration database: its controls, tabs and
// buttons, a new order with customer and contacts saved and shown by number,
// a requested and a configured line typed into the grids, browsing, deleting
// with this screen's password only, what a proposal ready to bill allows, the
// statements of opening an order, and a picture of the window.

#include "tests/module/AssVendasFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"
#include "rental/uAssVendas.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace moduletest {
namespace {

TEST_F(AssVendasJanelaTest, OneStayOnTopWindowWithItsControlsTabsGridsAndButtons)
{
    TfmAssVendas& form = abrir();
    EXPECT_EQ(form.caption(), "Pedido de Assistência");
    EXPECT_TRUE(form.stayOnTop());
    EXPECT_FALSE(form.isModal());
    uPackageAss::ShowJanelaTec("fmAssVenda");
    EXPECT_EQ(fmAssVendas.get(), &form) << "one instance";
    EXPECT_EQ(form.gbDadosPedido->title(), "Dados do Pedido");

    QStringList paginas;
    for (int i = 0; i < form.pcPedido->pageCount(); ++i)
        paginas << form.pcPedido->page(i)->caption();
    EXPECT_EQ(paginas, (QStringList{"Dados Adicionais", "Equipamentos Solicitados", "Equipamentos Configurados",
                                    "Controle de Alterações"}));
    EXPECT_EQ(form.pcPedido->activePage(), form.tsDadosAdicionais);

    QStringList botoes;
    for (QPushButton* b : {form.bbNovo, form.bbSalvar, form.bbProducao, form.bbLocacao, form.bbFinalizar,
                           form.bbCancelar, form.bbExcluir, form.bbSair, form.sbPesquisaDetalhada}) {
        botoes << b->text();
        EXPECT_TRUE(b->isVisible()) << b->objectName().toStdString();
    }
    EXPECT_EQ(botoes, (QStringList{"&Novo", "&Salvar", "&Produção", "&Locação", "&Finalizar", "&Cancelar", "&Excluir",
                                   "Sair", "Pesquisa Detalhada"}));
    EXPECT_EQ(form.sbObsAdic->toolTip(), "Observação Adicional");
    EXPECT_EQ(form.sbZeltoCreator->toolTip(), "Campos Criados no ZeltoCreator");
    EXPECT_EQ(form.sbPesqCli->toolTip(), "Pesquisar Cliente (Atalho F6)");
    EXPECT_TRUE(form.sbAnterior->isVisible() && form.sbProximo->isVisible());

    const QStringList cabecalho = rotulos(form.gbDadosPedido);
    for (const char* caption : {"Número Pedido", "Filial", "Cliente", "Contato", "Requisitante", "Aprovador",
                                "Tipo Contrato", "Período de Locação", "Enviar Contrato", "Projeto",
                                "Pedido do Cliente", "Gerente", "Data Negociação", "Início Vigência",
                                "Término Vigência", "Data Entrega", "Data Pagamento", "Data Emissão RA",
                                "Observação Pgto.", "Observação RA", "Observação Entrega",
                                "Clique aqui para ver Dados Cliente"})
        EXPECT_TRUE(cabecalho.contains(QString::fromUtf8(caption))) << caption;
    const QStringList adicionais = rotulos(form.tsDadosAdicionais);
    for (const char* caption : {"Contato", "Conta Bancária", "Data Reajuste", "Data Proposta/Pedido", "Proposta/Pedido",
                                "Obs. Proposta", "Obs. Reajuste", "Obs. Instalação", "Código Contrato", "Suprimentos",
                                "Valor", "End. Entrega", "End. Cobrança", "Clique aqui para alterar Endereço Entrega",
                                "Clique aqui para alterar Endereço Cobrança"})
        EXPECT_TRUE(adicionais.contains(QString::fromUtf8(caption))) << caption;
    EXPECT_TRUE(form.meEnderecoEntrega->isReadOnly());
    EXPECT_TRUE(form.dbedNumeroPedido->readOnlyControl());
    EXPECT_TRUE(form.dbedCodigoCliente->readOnlyControl());
    EXPECT_EQ(form.dbcbEnviaContrato->pickList(), (QStringList{"1 - Sim", "2 - Não", "3 - Não Possui"}));
    EXPECT_EQ(form.dblcGerente->listSource()->dataset(), dmGlobal->quVendedor);
    EXPECT_TRUE(dmGlobal->quVendedor->active()) << "opened on show";
    EXPECT_EQ(form.dblcBanco->keyField(), "CODIGO_BANCO");
    EXPECT_EQ(form.dblcContato->listSource(), dmTec->dsContato);
    EXPECT_EQ(form.dblcContatoEntrega->listSource(), dmTec->dsContatoEnt);
    EXPECT_EQ(form.dblcContatoCobranca->listSource(), dmTec->dsContatoCob);

    const QStringList colunas = {"Sequência", "Código", "Descrição", "Un.Med.", "Quantidade",
                                 "Valor",     "Total",  "Obs.",      "Número de Série"};
    EXPECT_EQ(titulos(form.dbgdAssVendaItens), colunas);
    EXPECT_EQ(titulos(form.dbgdAssVendaCotado), colunas);
    EXPECT_EQ(form.dbgdAssVendaCotado->columnByField("DESCRICAO")->buttonStyle(),
              host::ui::GridColumn::ButtonStyle::Auto);
    EXPECT_EQ(titulos(form.dbgdCtrlAlter), (QStringList{"Data", "Hora", "Usuário", "Ação"}));
    for (const char* campo : {"CODIGO", "DESCRICAO", "VEITNUMEROSERIE"})
        EXPECT_EQ(form.dbgdAssVendaItens->columnByField(campo)->buttonStyle(),
                  host::ui::GridColumn::ButtonStyle::Ellipsis)
            << campo;
    EXPECT_EQ(form.dbgdAssVendaCotado->columnByField("CODIGO")->buttonStyle(),
              host::ui::GridColumn::ButtonStyle::Ellipsis);
    EXPECT_TRUE(form.laConfiguracaoItens->isHidden()) << "configuration links only in mode C";
    fechar(form);
    EXPECT_EQ(fmAssVendas.get(), nullptr) << "freed on close";
    EXPECT_FALSE(dmTec->quAssVenda->active());

    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    TfmAssVendas& outra = abrir();
    EXPECT_FALSE(outra.laConfiguracaoItens->isHidden());
    EXPECT_FALSE(outra.laConfiguracaoCotado->isHidden());
}

TEST_F(AssVendasJanelaTest, ANewOrderWithCustomerAndContactsIsSavedShownByNumberAndTakesItsLines)
{
    TfmAssVendas& form = abrir();
    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    form.bbNovo->click();
    ASSERT_EQ(venda().state(), DatasetState::Insert);
    EXPECT_EQ(cab("AUX2").asString(), "1");
    EXPECT_EQ(form.dbteTipo->text(), "Pedido");
    EXPECT_EQ(form.dbteStatus->text(), "(Pendente)");
    EXPECT_EQ(form.pcPedido->activePage(), form.tsDadosAdicionais);
    EXPECT_TRUE(form.tsEquipConfigurados->tabVisible());

    form.dblcCliente->setKeyValue("00004");   // the user's choice in the combo
    EXPECT_EQ(cab("CODIGO_CLIENTE").asString(), "00004");
    EXPECT_EQ(form.dbedCodigoCliente->text(), "00004");
    EXPECT_EQ(form.dblcContato->count(), 3) << "the customer's contacts";
    form.dblcContato->setKeyValue(1);
    form.dblcContatoEntrega->setKeyValue(2);
    form.dblcContatoCobranca->setKeyValue(3);
    EXPECT_EQ(form.dblcContatoEntrega->text(), "Contato 2");
    form.bbSalvar->click();
    ASSERT_EQ(venda().state(), DatasetState::Browse);
    const QString numero = cab("NUMERO_PEDIDO").asString();
    ASSERT_FALSE(numero.trimmed().isEmpty());
    EXPECT_EQ(form.dbedNumeroPedido->text(), numero);
    EXPECT_EQ(lido("select CODIGO_CLIENTE from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'").toString(), "00004");
    EXPECT_EQ(lido("select ANCODIGOENTREGA from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'").toInt(), 2);

    // A requested line typed into its grid.
    aba(form.pcPedido, form.tsEquipSolicitados);
    dialogs->setAutoAcknowledgeMessages(true);
    form.dbgdAssVendaItens->setFocus();
    QTest::keyClick(form.dbgdAssVendaItens, Qt::Key_Insert);
    ASSERT_EQ(dmTec->quAssVendaItem->state(), DatasetState::Insert);
    celula(form.dbgdAssVendaItens, "CODIGO", "P0003");
    celula(form.dbgdAssVendaItens, "QUANTIDADE", "2");
    celula(form.dbgdAssVendaItens, "VALOR", "120");
    form.bbSalvar->click();
    EXPECT_EQ(dmTec->quAssVendaItem->state(), DatasetState::Browse) << dialogs->texts().join('|').toStdString();
    EXPECT_EQ(lido("select CODIGO from AVEC85IT where NUMERO_PEDIDO = '" + numero + "'").toString(), "P0003");
    EXPECT_DOUBLE_EQ(lido("select QUANTIDADE from AVEC85IT where NUMERO_PEDIDO = '" + numero + "'").toDouble(), 2);

    // A configured line typed into its grid.
    aba(form.pcPedido, form.tsEquipConfigurados);
    form.dbgdAssVendaCotado->setFocus();
    QTest::keyClick(form.dbgdAssVendaCotado, Qt::Key_Insert);
    ASSERT_EQ(dmTec->quAssVendaCotado->state(), DatasetState::Insert);
    celula(form.dbgdAssVendaCotado, "CODIGO", "P0003");
    celula(form.dbgdAssVendaCotado, "QUANTIDADE", "1");
    dmTec->quAssVendaCotado->post();
    EXPECT_EQ(lido("select CODIGO from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'").toString(), "P0003");
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();

    aba(form.pcPedido, form.tsCtrlAlteracoes);
    EXPECT_TRUE(dmTec->quAssCtrlAlter->active());
}

// Without the rental contracts option no contact is offered: the refusal
// names the setting that offers them, and where it is made.
TEST_F(AssVendasJanelaTest, AnOrderRefusedForWantOfAContactNamesTheSettingThatOffersThem)
{
    parametro("ATOPCAOCONTRATO", "");
    TfmAssVendas& form = abrir();
    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    form.bbNovo->click();
    form.dblcCliente->setKeyValue("00004");
    EXPECT_EQ(form.dblcContato->count(), 0);
    dialogs->acknowledge("Campo 'Contato' não informado.").acknowledge("Não Foi Possível Salvar Pedido.");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    const QString recusa = dialogs->texts().filter("Contato").value(0);
    EXPECT_TRUE(recusa.contains("ATOPCAOCONTRATO") && recusa.contains("Sistema > Parâmetros"))
        << recusa.toStdString();
}

TEST_F(AssVendasJanelaTest, PreviousAndNextBrowseByNumberAndDeleteAsksThisScreensPasswordOnce)
{
    pedido("00101", "1");
    pedido("00102", "0");
    pedido("00103", "1");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('00102', 'V', 100, 'Entrega 102')");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    EXPECT_EQ(cab("NUMERO_PEDIDO").asString(), "00101") << "from an empty window, the first order";
    form.sbProximo->click();
    EXPECT_EQ(form.dbedNumeroPedido->text(), "00102");
    EXPECT_EQ(form.meEnderecoEntrega->toPlainText(), "Entrega 102");
    EXPECT_EQ(form.dbteTipo->text(), "Proposta");
    EXPECT_FALSE(form.tsEquipConfigurados->tabVisible()) << "a proposal has no configured lines";
    venda().edit();
    cab("VEOBSENTREGA").setAsString("Portão 2");
    form.sbProximo->click();
    EXPECT_EQ(cab("NUMERO_PEDIDO").asString(), "00103");
    EXPECT_EQ(lido("select VEOBSENTREGA from AVEC8501 where NUMERO_PEDIDO = '00102'").toString(), "Portão 2")
        << "the header in edit is saved before moving";
    EXPECT_TRUE(form.tsEquipConfigurados->tabVisible());
    form.sbAnterior->click();
    form.sbAnterior->click();
    EXPECT_EQ(cab("NUMERO_PEDIDO").asString(), "00101");
    EXPECT_EQ(form.pcPedido->activePageIndex(), 0);

    parametro("ATSENHAEXCLUSAOPEDIDO", "4321");
    dialogs->answer("Não", "Deseja excluir o registro corrente?");
    form.bbExcluir->click();
    EXPECT_EQ(lido("select count(*) from AVEC8501 where NUMERO_PEDIDO = '00101'").toInt(), 1);
    dialogs->answer("Sim", "Deseja excluir o registro corrente?");
    dialogs->enter("errada", "Senha de Exclusão de Pedido de Vendas");
    dialogs->acknowledge("Senha inválida!");
    form.bbExcluir->click();
    EXPECT_EQ(lido("select count(*) from AVEC8501 where NUMERO_PEDIDO = '00101'").toInt(), 1)
        << "a wrong password ends it silently";
    dialogs->answer("Sim", "Deseja excluir o registro corrente?");
    dialogs->enter("4321", "Senha de Exclusão de Pedido de Vendas");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << "the record's own rule asks no second password";
    EXPECT_EQ(lido("select count(*) from AVEC8501 where NUMERO_PEDIDO = '00101'").toInt(), 0);
    EXPECT_EQ(venda().tag(), 0);
    EXPECT_TRUE(form.meEnderecoEntrega->toPlainText().isEmpty());

    // A new order not saved yet is only dropped: no password, nothing deleted.
    form.sbProximo->click();
    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    form.bbNovo->click();
    ASSERT_EQ(venda().state(), DatasetState::Insert);
    dialogs->answer("Sim", "Deseja excluir o registro corrente?");
    form.bbExcluir->click();
    EXPECT_EQ(venda().state(), DatasetState::Browse);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select count(*) from AVEC8501").toInt(), 2);
}

// An order that made a contract stays while the contract names it, whether
// the order keeps the contract in ACCODIGO (as the release stores it) or the
// contract names the order (ACPEDIDO); once the contract is gone it may go.
TEST_F(AssVendasJanelaTest, AnOrderAContractNamesIsNotDeleted)
{
    pedido("00101", "1");
    pedido("00102", "1");
    pedido("00103", "1");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACCONTRATANTE, ACPEDIDO) values (5, '00004', '00004', '00101')");
    exec("update AVEC8501 set ACCODIGO = 5 where NUMERO_PEDIDO = '00101'");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACCONTRATANTE, ACPEDIDO) values (6, '00004', '00004', '00102')");
    exec("update AVEC8501 set ACCODIGO = 77 where NUMERO_PEDIDO = '00103'");   // a contract deleted since
    tr().commitRetaining();
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    const struct {
        const char* numero;
        const char* contrato;
    } casos[] = {{"00101", "5"}, {"00102", "6"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.numero);
        pesquisa("NUMERO_PEDIDO", c.numero);
        form.sbPesquisaDetalhada->click();
        ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), c.numero);
        dialogs->answer("Sim", "Deseja excluir o registro corrente?");
        dialogs->acknowledge(QString("O Pedido não pode ser excluído (gerou Contrato Código %1).").arg(c.contrato));
        form.bbExcluir->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(lido(QString("select count(*) from AVEC8501 where NUMERO_PEDIDO = '%1'").arg(c.numero)).toInt(), 1);
    }
    pesquisa("NUMERO_PEDIDO", "00103");
    form.sbPesquisaDetalhada->click();
    dialogs->answer("Sim", "Deseja excluir o registro corrente?");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select count(*) from AVEC8501 where NUMERO_PEDIDO = '00103'").toInt(), 0);
}

TEST_F(AssVendasJanelaTest, TheStatusDecidesWhatTheScreenAllowsAndAProposalReadyToBillFinalisesNothing)
{
    pedido("00201", "0", "N");
    pedido("00202", "1", "C");
    pedido("00203", "1", "S");
    ASSERT_EQ(lido("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '00201'").toString(), "N");
    TfmAssVendas& form = abrir();
    ASSERT_EQ(lido("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '00201'").toString(), "N");
    form.sbProximo->click();
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00201");
    ASSERT_EQ(lido("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '00201'").toString(), "N");
    EXPECT_TRUE(form.bbFinalizar->isEnabled());
    EXPECT_TRUE(form.bbSalvar->isEnabled());
    EXPECT_TRUE(form.dsVenda->autoEdit());
    const QVariant antes = lido("select count(*) from AVEC8501");
    form.bbFinalizar->click();
    EXPECT_EQ(venda().state(), DatasetState::Browse);
    EXPECT_EQ(lido("select count(*) from AVEC8501"), antes);
    EXPECT_EQ(lido("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '00201'").toString(), "N");
    EXPECT_EQ(lido("select coalesce(VEPROPOSTA, '') from AVEC8501 where NUMERO_PEDIDO = '00201'").toString(), "");
    // Outside modes C and E the production button prints nothing and says
    // why; a grid button on a column without a picker asks nothing; the
    // configuration link shows the composition.
    dialogs->acknowledge("Nada foi impresso");
    for (QPushButton* b : {form.bbProducao, form.bbLocacao})
        b->click();
    aba(form.pcPedido, form.tsEquipSolicitados);
    form.dbgdAssVendaItens->setSelectedIndex(0);
    form.dbgdAssVendaItens->editButtonClick();
    dialogs->modal("fmComposicao", {});
    QTest::mouseClick(form.laConfiguracaoItens, Qt::LeftButton);
    EXPECT_EQ(lido("select count(*) from AVEC85IT").toInt(), 0);
    EXPECT_EQ(venda().state(), DatasetState::Browse);
    EXPECT_EQ(dialogs->shown().size(), 2u);

    form.sbProximo->click();   // in production
    EXPECT_FALSE(form.bbFinalizar->isEnabled());
    for (QPushButton* b : {form.bbSalvar, form.bbCancelar, form.bbExcluir})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    for (host::data::DataSource* fonte : {form.dsVenda, form.dsVendaItens, form.dsVendaCotado})
        EXPECT_FALSE(fonte->autoEdit());
    EXPECT_EQ(form.dbteStatus->palette().color(QPalette::WindowText), QColor(Qt::darkGreen));

    form.sbProximo->click();   // delivered
    EXPECT_EQ(form.dbteStatus->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form.dbteTipo->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(form.dbteStatus->x(), form.dbteTipo->x() + 7 * 6) << "right of \"Pedido\"";
    EXPECT_EQ(form.bbProducao->text(), "&Produção");

    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    form.sbAnterior->click();
    form.sbAnterior->click();
    EXPECT_EQ(form.bbProducao->text(), "&Proposta");
}

// Opening an order costs the same statements with 20 lines of each kind as
// with one: nothing is read per line.
TEST_F(AssVendasJanelaTest, OpeningAnOrderRunsAFixedNumberOfStatementsWhateverItsLines)
{
    pedido("00300", "1");
    pedido("00301", "1");
    linhas("00301", 2);
    pedido("00302", "1");
    linhas("00302", 1);
    pedido("00303", "1");
    linhas("00303", 20);
    TfmAssVendas& form = abrir();
    auto abrirComLinhas = [&](QPushButton* botao) {
        const auto execucoes = host::db::statementCount();
        const auto preparos = host::db::prepareCount();
        botao->click();
        aba(form.pcPedido, form.tsEquipSolicitados);
        aba(form.pcPedido, form.tsEquipConfigurados);
        dmTec->quAssVendaItem->recordCount();
        dmTec->quAssVendaCotado->recordCount();
        return std::pair{host::db::statementCount() - execucoes, host::db::prepareCount() - preparos};
    };
    // What is prepared once per connection: the first order, then a neighbour.
    abrirComLinhas(form.sbProximo);
    abrirComLinhas(form.sbProximo);
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00301");
    const auto umaLinha = abrirComLinhas(form.sbProximo);
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00302");
    const auto vinteLinhas = abrirComLinhas(form.sbProximo);
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00303");
    EXPECT_EQ(dmTec->quAssVendaItem->recordCount(), 20);
    EXPECT_EQ(dmTec->quAssVendaCotado->recordCount(), 20);
    EXPECT_EQ(form.dbgdAssVendaItens->model()->rowCount(), 20);
    EXPECT_EQ(vinteLinhas.first, umaLinha.first);
    EXPECT_EQ(vinteLinhas.second, umaLinha.second);
    EXPECT_LE(vinteLinhas.first, 40u) << "header, neighbour, lists, addresses, contacts and both line sets";
}

// Reloading the lines of a page or moving to another order keeps the line
// left in edit: it is stored first.
TEST_F(AssVendasJanelaTest, ALineLeftInEditIsStoredBeforeItsPageOrTheOrderIsReloaded)
{
    pedido("01201", "1");
    linhas("01201", 1);
    pedido("01202", "1");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    aba(form.pcPedido, form.tsEquipSolicitados);
    dmTec->quAssVendaItem->edit();
    dmTec->quAssVendaItem->fieldByName("OBS")->setAsString("Com suporte");
    aba(form.pcPedido, form.tsEquipConfigurados);
    aba(form.pcPedido, form.tsEquipSolicitados);
    EXPECT_EQ(lido("select OBS from AVEC85IT where NUMERO_PEDIDO = '01201'").toString(), "Com suporte");

    aba(form.pcPedido, form.tsEquipConfigurados);
    dmTec->quAssVendaCotado->edit();
    dmTec->quAssVendaCotado->fieldByName("OBS")->setAsString("Revisado");
    form.sbProximo->click();
    EXPECT_EQ(cab("NUMERO_PEDIDO").asString(), "01202");
    EXPECT_EQ(lido("select OBS from AVEC85LX where NUMERO_PEDIDO = '01201'").toString(), "Revisado");
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
}

// The window as a person sees it with an order loaded, written next to the
// test program (run under Xvfb by the screenshot test, offscreen otherwise).
TEST_F(AssVendasJanelaTest, PictureOfTheWindowWithAnOrder)
{
    pedido("00401", "1");
    linhas("00401", 3);
    exec("update AVEC8501 set VETIPOCONTRATO = 'Locação mensal', VEPERIODOLOCACAO = '12 meses',"
         " VEENVIACONTRATO = '1', VEPROJETO = 'Ampliação UTI', VEPEDIDOCLIENTE = 'OC-2026/117',"
         " CODIGO_VENDEDOR = '00001', VEOBSENTREGA = 'Entregar pela doca 2', VEDATANEGOCIACAO = '2026-11-20',"
         " VEINICIOVIGENCIA = '2026-12-01', VETERMINOVIGENCIA = '2027-11-30', VEDATAPRODUCAO = '2026-12-05',"
         " BCCODIGO = (select first 1 CODIGO_BANCO from AUGC0901) where NUMERO_PEDIDO = '00401'");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('00401', 'V', 100,"
         " 'Rua Conceição, 301  Cambuí  Campinas  SP  13010050')");
    exec("insert into ARQLOG (DATA, HORA, USUARIO, ACAO, TABELA, OBSERVACAO) values ('2026-12-02',"
         " '2026-12-02 14:35:00', 'MARCOS', 'Alterou o Status do Pedido para (Em Produção)', 'AVEC8501', '00401')");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00401");
    form.resize(1280, 800);
    guardaFoto(form, "fmAssVenda_00401.png");
    aba(form.pcPedido, form.tsEquipSolicitados);
    guardaFoto(form, "fmAssVenda_00401_solicitados.png");
    aba(form.pcPedido, form.tsEquipConfigurados);
    guardaFoto(form, "fmAssVenda_00401_configurados.png");
    aba(form.pcPedido, form.tsCtrlAlteracoes);
    guardaFoto(form, "fmAssVenda_00401_alteracoes.png");
    EXPECT_EQ(form.dbgdCtrlAlter->model()->rowCount(), 1);
    EXPECT_EQ(form.dbgdAssVendaItens->model()->rowCount(), 3);
    EXPECT_EQ(form.dblcCliente->text(), "Clínica Saúde & Vida S/A");
    EXPECT_EQ(form.dblcGerente->text(), "Carlos Eduardo Vendas");
    EXPECT_EQ(form.dbcbEnviaContrato->text(), "1 - Sim");
    EXPECT_EQ(form.dblcContato->text(), "Contato 1");
    EXPECT_FALSE(form.laNomeFilial->text().isEmpty()) << "the branch's name beside its code";
}

}  // namespace
}  // namespace moduletest

namespace moduletest {
namespace {

// Two desks on one assistance order: what the other desk saved stays, this
// desk's save is refused with the order read again.
TEST_F(AssVendasJanelaTest, AnOrderSavedMeanwhileAtAnotherDeskIsRefusedAndReadAgain)
{
    pedido("00101", "1");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00101");
    outraMesa("update AVEC8501 set VEOBSDATARA = 'Da outra mesa' where NUMERO_PEDIDO = '00101'");
    digita(form.dbedObsEntrega, "Portao 2");
    dialogs->acknowledge("O registro foi alterado por outro usuário. Recarregue e tente de novo.");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select VEOBSDATARA || '/' || coalesce(VEOBSENTREGA, '') from AVEC8501 where NUMERO_PEDIDO = '00101'")
                  .toString(),
              "Da outra mesa/");
    EXPECT_EQ(form.dbedObsDataRA->text(), "Da outra mesa");
    EXPECT_EQ(form.dbedObsEntrega->text(), "");
}

// The other desk saved a line and totalled the order while this desk had it
// open: this desk's line is saved, and the stored total is the lines' total.
TEST_F(AssVendasJanelaTest, ALineOfAnotherDeskNeitherRefusesThisDesksLineNorShortensTheTotal)
{
    pedido("00101", "1");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00101");
    outraMesa("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT)"
              " values ('00101', 1, 'P0001', 1, 89.9, 89.9)");
    outraMesa("update AVEC8501 set VALOR_TOTAL = 89.9, UGMODIFICADO = 'NOW' where NUMERO_PEDIDO = '00101'");
    aba(form.pcPedido, form.tsEquipSolicitados);
    dialogs->setAutoAcknowledgeMessages(true);
    form.dbgdAssVendaItens->setFocus();
    QTest::keyClick(form.dbgdAssVendaItens, Qt::Key_Insert);
    celula(form.dbgdAssVendaItens, "CODIGO", "P0003");
    celula(form.dbgdAssVendaItens, "QUANTIDADE", "2");
    celula(form.dbgdAssVendaItens, "VALOR", "120");
    form.bbSalvar->click();
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->texts().join('\n').toStdString();
    EXPECT_EQ(lido("select cast(VALOR_TOTAL * 100 as integer) || ' ' || cast((select sum(TOTAL_UNIT) from AVEC85IT"
                   " It where It.NUMERO_PEDIDO = Ped.NUMERO_PEDIDO) * 100 as integer) from AVEC8501 Ped"
                   " where NUMERO_PEDIDO = '00101'")
                  .toString(),
              "32990 32990");
}

}  // namespace
}  // namespace moduletest
