// The assistance-order window's links, searches and hint buttons driven on
// screen: the delivery address from the contact and the billing one typed,
// the header change refilling lists and address texts, the additional
// observation, the customer, manager, bank and order searches, the customer
// register, the host lists of activation and the question on close.

#include "host/UcadastroHost.h"
#include "host/ui/WindowRegistry.h"
#include "tests/module/AssVendasFixture.h"

#include "host/Udmglobal.h"
#include "host/Uobservacao.h"
#include "host/Uprincipal.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"

#include <QPlainTextEdit>

namespace moduletest {
namespace {

namespace {

// The code shown by the host register window of that name, open.
QString registroAberto(const QString& janela)
{
    auto* cadastro = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find(janela));
    return cadastro ? cadastro->registros().fieldByName("CODIGO_CLIENTE")->asString() : QString("(fechado)");
}

}  // namespace

TEST_F(AssVendasJanelaTest, TheDeliveryAddressComesFromTheContactAndTheBillingOneIsTyped)
{
    pedido("00501", "1");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00501");

    dialogs->answer("Sim", "Deseja carregar Endereço de Entrega do Cadastro do Cliente?");
    QTest::mouseClick(form.laEnderecoEntrega, Qt::LeftButton);
    const QString composto = "Rua Conceição, 302 - Cambuí - Campinas/SP - 13010-050";
    EXPECT_EQ(form.meEnderecoEntrega->toPlainText(), composto);
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBCODIGO = '00501' and OBID = 'V' and OBSEQUENCIA = 100")
                  .toString(),
              composto);

    dialogs->answer("Não", "Deseja carregar Endereço de Cobrança do Cadastro do Cliente?");
    dialogs->modal("fmObservacao", [](host::ui::Form& janela) {
        auto& obs = static_cast<TfmObservacao&>(janela);
        EXPECT_EQ(janela.caption(), "Endereço de Cobrança");
        obs.dbmeObservacao->setFocus();
        QTest::keyClicks(obs.dbmeObservacao, "Caixa Postal 10");
        QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
    });
    QTest::mouseClick(form.laEnderecoCobranca, Qt::LeftButton);
    EXPECT_EQ(form.meEnderecoCobranca->toPlainText(), "Caixa Postal 10");
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBCODIGO = '00501' and OBID = 'V' and OBSEQUENCIA = 101")
                  .toString(),
              "Caixa Postal 10");

    // A contact without address: the warning, and the stored text stays.
    exec("update AUGC3701 set ANENDERECO = null, ANBAIRRO = null, ANCIDADE = null, ANUF = null, ANCEP = null"
         " where ANCODIGO = 2");
    dialogs->answer("Sim", "Deseja carregar Endereço de Entrega do Cadastro do Cliente?");
    dialogs->acknowledge("Aviso: Endereço de Entrega não cadastrado!");
    QTest::mouseClick(form.laEnderecoEntrega, Qt::LeftButton);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(form.meEnderecoEntrega->toPlainText(), composto);
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBCODIGO = '00501' and OBID = 'V' and OBSEQUENCIA = 100")
                  .toString(),
              composto);

    // A new order has no number to file an address under.
    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    form.bbNovo->click();
    EXPECT_TRUE(form.meEnderecoEntrega->toPlainText().isEmpty());
    dialogs->acknowledge("Número do pedido inválido");
    QTest::mouseClick(form.laEnderecoEntrega, Qt::LeftButton);
    EXPECT_EQ(lido("select count(*) from AUGC70OB where coalesce(OBCODIGO, '') = ''").toInt(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
}

// A new order typed and then the arrow to another one: the user is asked;
// "Sim" stores it, "Não" lets it go.
TEST_F(AssVendasJanelaTest, TheArrowsAskBeforeLeavingANewOrderTyped)
{
    pedido("00601", "1");
    TfmAssVendas& form = abrir();
    const int antes = lido("select count(*) from AVEC8501").toInt();
    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    form.bbNovo->click();
    pesquisa("CODIGO_CLIENTE", "00004");
    form.sbPesqCli->click();
    // The three contacts, as their combos write them.
    const QVariant contato = dmTec->dsContato->dataset()->fieldByName("ANCODIGO")->value();
    for (const char* campo : {"ANCODIGOCONTATO", "ANCODIGOENTREGA", "ANCODIGOCOBRANCA"})
        cab(campo).setValue(contato);
    ASSERT_EQ(venda().state(), DatasetState::Insert);
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.sbAnterior->click();
    EXPECT_EQ(lido("select count(*) from AVEC8501").toInt(), antes + 1) << "Sim stores the new order";

    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    form.bbNovo->click();
    pesquisa("CODIGO_CLIENTE", "00004");
    form.sbPesqCli->click();
    ASSERT_EQ(venda().state(), DatasetState::Insert);
    dialogs->answer("Não", "Deseja salvar as alterações ?");
    form.sbAnterior->click();
    EXPECT_EQ(lido("select count(*) from AVEC8501").toInt(), antes + 1) << "Não lets it go";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(AssVendasJanelaTest, EachHeaderEditRefillsTheListsAndReloadsTheAddressTexts)
{
    pedido("00601", "1");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    EXPECT_EQ(form.laNomeFilial->text(), "Assistência Técnica Exemplo - Matriz");
    EXPECT_TRUE(form.dbcbProjeto->pickList().isEmpty());

    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, VEPROJETO, VEPEDIDOCLIENTE, VETIPOCONTRATO,"
         " VEPERIODOLOCACAO) values ('00602', '00004', 'Obra Nova', 'OC-9', 'Comodato', '24 meses')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, VEPROJETO) values ('00603', '00002', 'Outra')");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('00601', 'V', 101, 'Cobrar na sede')");
    venda().edit();
    cab("VEOBSENTREGA").setAsString("Portão lateral");
    EXPECT_EQ(form.dbcbProjeto->pickList(), QStringList{"Obra Nova"}) << "the customer's projects only";
    EXPECT_EQ(form.dbcbPedidoCliente->pickList(), QStringList{"OC-9"});
    EXPECT_TRUE(form.dbcbTipoContrato->pickList().contains("Comodato")) << "besides the registered types";
    EXPECT_EQ(form.dbcbPeriodoLocacao->pickList(), QStringList{"24 meses"});
    EXPECT_EQ(form.meEnderecoCobranca->toPlainText(), "Cobrar na sede");
    EXPECT_EQ(form.dbcbProjeto->text(), "") << "the list leaves the field's text alone";

    // A value not in the list may be typed.
    form.dbcbProjeto->setFocus();
    form.dbcbProjeto->lineEdit()->selectAll();
    QTest::keyClicks(form.dbcbProjeto->lineEdit(), "Obra Anexa");
    QTest::keyClick(form.dbcbProjeto->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(cab("VEPROJETO").asString(), "Obra Anexa");
    form.dbcbEnviaContrato->setFocus();
    form.dbcbEnviaContrato->setCurrentIndex(2);
    emit form.dbcbEnviaContrato->activated(2);
    EXPECT_EQ(cab("VEENVIACONTRATO").asString(), "3") << "the digit of \"3 - Não Possui\"";
    form.bbSalvar->click();
    EXPECT_EQ(lido("select VEPROJETO || VEENVIACONTRATO from AVEC8501 where NUMERO_PEDIDO = '00601'").toString(),
              "Obra Anexa3");
}

TEST_F(AssVendasJanelaTest, TheObservationOffersTheLastOneAndOnlyGravarKeepsIt)
{
    pedido("00701", "1");
    exec("insert into AVEC85VO (VECODIGO, VOTEXTO) values ('00700', 'Instalar no 3º andar')");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00701");

    dialogs->answer("Sim", "Deseja carregar a última observação digitada?");
    dialogs->modal("fmObservacao", [](host::ui::Form& janela) {
        EXPECT_EQ(static_cast<TfmObservacao&>(janela).dbmeObservacao->text(), "Instalar no 3º andar");
        janela.setModalResult(host::ui::ModalResult::Cancel);
    });
    form.sbObsAdic->click();
    EXPECT_EQ(lido("select count(*) from AVEC85VO where VECODIGO = '00701'").toInt(), 0) << "cancelled";

    dialogs->answer("Sim", "Deseja carregar a última observação digitada?");
    dialogs->modal("fmObservacao", [](host::ui::Form& janela) {
        auto& obs = static_cast<TfmObservacao&>(janela);
        obs.dbmeObservacao->setFocus();
        obs.dbmeObservacao->moveCursor(QTextCursor::End);
        QTest::keyClicks(obs.dbmeObservacao, ", sala 2");
        QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
    });
    form.sbObsAdic->click();
    EXPECT_EQ(lido("select VOTEXTO from AVEC85VO where VECODIGO = '00701'").toString(), "Instalar no 3º andar, sala 2");
    EXPECT_FALSE(dmTec->quAssVendaObs->active());

    parametro("ATOBSANTERIORPEDIDO", "I");
    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    form.bbNovo->click();
    dialogs->acknowledge("Número do pedido inválido");
    form.sbObsAdic->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
}

TEST_F(AssVendasJanelaTest, TheSearchesFillTheHeaderAndTheDetailedSearchLoadsTheOrderChosen)
{
    pedido("00801", "1", {}, "00003");
    pedido("00802", "0");
    exec("insert into AUGC0901 (CODIGO_BANCO, NOME_BANCO) values ('341', 'Banco Itaú')");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "00801");

    pesquisa("CODIGO_CLIENTE", "00002");
    QTest::keyClick(&form, Qt::Key_F6);
    EXPECT_EQ(cab("CODIGO_CLIENTE").asString(), "00002");
    pesquisa("CODIGO_CLIENTE", "00004");
    form.sbPesqCli->click();
    EXPECT_EQ(venda().state(), DatasetState::Edit);
    EXPECT_EQ(cab("CODIGO_CLIENTE").asString(), "00004");
    EXPECT_EQ(form.dblcContato->count(), 3) << "the contacts follow the customer";
    form.dblcContato->setKeyValue(1);
    form.dblcContatoEntrega->setKeyValue(2);
    form.dblcContatoCobranca->setKeyValue(3);

    pesquisa("FCOD", "00001");
    form.sbPesqGerente->click();
    EXPECT_EQ(cab("CODIGO_VENDEDOR").asString(), "00001");
    EXPECT_EQ(form.dblcGerente->text(), "Carlos Eduardo Vendas");
    dmGlobal->CarregaBancos();
    pesquisa("CODIGO_BANCO", "341");
    form.sbPesqBanco->click();
    EXPECT_EQ(cab("BCCODIGO").asString(), "341");
    EXPECT_EQ(form.dblcBanco->text(), "Banco Itaú");

    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    pesquisa("NUMERO_PEDIDO", "00802");
    form.sbPesquisaDetalhada->click();
    EXPECT_EQ(cab("NUMERO_PEDIDO").asString(), "00802");
    EXPECT_EQ(form.pcPedido->activePageIndex(), 0);
    EXPECT_EQ(lido("select CODIGO_VENDEDOR || BCCODIGO from AVEC8501 where NUMERO_PEDIDO = '00801'").toString(),
              "00001341");

    venda().close();
    dialogs->acknowledge("Consulta não está ativa!");
    form.sbPesquisaDetalhada->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
}

TEST_F(AssVendasJanelaTest, TheCustomerLinkOpensItsKindOfRegisterOnTheCustomer)
{
    criarPrincipal();
    pedido("00901", "1");
    pedido("00902", "1", {}, "00003");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    QTest::mouseClick(form.laDadosCliente, Qt::LeftButton);
    EXPECT_EQ(registroAberto("fmCadastroPJ"), "00004") << "the company register, on the order's customer";
    EXPECT_EQ(dmGlobal->quClienteConsulta->fieldByName("CODIGO_CLIENTE")->asString(), "00004");
    form.sbProximo->click();
    QTest::mouseClick(form.laDadosCliente, Qt::LeftButton);
    EXPECT_EQ(registroAberto("fmCadastroPF"), "00003");
    EXPECT_EQ(dmGlobal->quClienteConsulta->fieldByName("CODIGO_CLIENTE")->asString(), "00003");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(AssVendasJanelaTest, ActivationLoadsTheHostListsAndClosingAsksToSaveWhatIsPending)
{
    pedido("01001", "1");
    TfmAssVendas* form = &abrir();
    EXPECT_TRUE(dmGlobal->quOperacao->active());
    EXPECT_TRUE(dmGlobal->quOperacao->sql().contains("OFCUPOMFISCAL <> 'I'"));
    EXPECT_TRUE(dmGlobal->quTabVenc->active());
    form->FormDeactivate();
    EXPECT_FALSE(dmGlobal->quTabVenc->active());
    form->FormActivate();
    EXPECT_TRUE(dmGlobal->quTabVenc->active());

    form->sbProximo->click();
    venda().edit();
    cab("VEOBSENTREGA").setAsString("Guardar no almoxarifado");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form->bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssVendas.get(), nullptr);
    EXPECT_FALSE(dmTec->quAssVenda->active());
    EXPECT_FALSE(dmGlobal->quClienteLista->active());
    EXPECT_FALSE(dmGlobal->quBanco->active());
    EXPECT_EQ(lido("select VEOBSENTREGA from AVEC8501 where NUMERO_PEDIDO = '01001'").toString(),
              "Guardar no almoxarifado");

    form = &abrir();
    form->sbProximo->click();
    venda().edit();
    cab("VEOBSENTREGA").setAsString("Descartado");
    dialogs->answer("Não", "Deseja salvar as alterações ?");
    form->bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(lido("select VEOBSENTREGA from AVEC8501 where NUMERO_PEDIDO = '01001'").toString(),
              "Guardar no almoxarifado");
}

TEST_F(AssVendasJanelaTest, TheZeltoCreatorButtonOpensTheOrdersAddedFields)
{
    pedido("01101", "1");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    dialogs->modal("fmFormDinamica", [](host::ui::Form& janela) {
        EXPECT_EQ(janela.caption(), "Campos Adicionais - AVEC8501");
        janela.setModalResult(host::ui::ModalResult::Cancel);
    });
    form.sbZeltoCreator->click();
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
