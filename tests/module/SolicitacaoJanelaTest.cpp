// The parts request window opened through the dispatcher: requests sent,
// filled from an order's parts, handed to the settlement, their deliveries
// shown, and the bar-code entry of F9 and F10; rows read back through
// another connection.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/SearchWindow.h"
#include "host/data/DataSource.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssSolicitacao.h"
#include "service_orders/uPesqAssOrdemServico.h"
#include "service_orders/uSolicitacaoEntregas.h"
#include "tests/support/OnScreenDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

using host::ui::Form;

class SolicitacaoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO, ATENDCOMPLEMENTO) values (801, 'Ana Técnica', 'S',"
             " 'TEC1')");
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO, ATENDCOMPLEMENTO) values (802, 'Bruno Técnico', 'S',"
             " 'TEC2')");
        exec("update ACEC1101 set OUTRO_CODIGO = '7890001', ESTOQUE = 10 where CODIGO = 'P0001'");
        exec("update ACEC1101 set OUTRO_CODIGO = '7890003', ESTOQUE = 10 where CODIGO = 'P0003'");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA) values (9101, '00002', '2026-12-01',"
             " 'A')");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA) values (9102, '00002', '2026-12-01',"
             " 'S')");
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO) values (9101, 91010)");
        exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO)"
             " values (9101, 1, 91010, 'P0001', 2, 10)");
        exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO)"
             " values (9101, 2, 91010, 'P0003', 3, 10)");
        tr().commitRetaining();
        sCodigoTecnico.clear();
        sCodigoTecnicoAnt.clear();
    }
    TfmAssSolicitacao& abrir() { return abrirJanela(fmAssSolicitacao, "fmAssSolicitacao"); }
    void empresa(int codigo)
    {
        exec(QString("update EMPRESA set UGESPECIFICOEMPRESA = %1").arg(codigo));
        dmGlobal->CarregaEmpresa();
    }
    // A request in "E" with the lines given (product, quantity, delivered),
    // typed in the window and saved.
    int novaSolicitacao(TfmAssSolicitacao& janela, int ordem,
                        const QList<std::tuple<QString, double, double>>& linhas = {})
    {
        janela.bbNovo->click();
        dmTec->quSolicitaAOCODIGO->setAsInteger(ordem);
        janela.bbSalvar->click();
        for (const auto& [produto, quantidade, entregue] : linhas) {
            dmTec->quSolicitaIt->append();
            dmTec->quSolicitaItPRCODIGO->setAsString(produto);
            dmTec->quSolicitaItAIQUANTIDADE->setAsFloat(quantidade);
            dmTec->quSolicitaItATCODIGOENTREGA->setAsInteger(801);
            dmTec->quSolicitaItAIQUANTIDADEENTREGUE->setAsFloat(entregue);
            dmTec->quSolicitaIt->post();
        }
        return dmTec->quSolicitaAICODIGO->asInteger();
    }
    void tecla(TfmAssSolicitacao& janela, Qt::Key key) { QTest::keyClick(janela.dbgdAssSolicitacao, key); }
};

TEST_F(SolicitacaoTest, TheWindowHasItsControlsColumnsAndButtons)
{
    TfmAssSolicitacao& janela = abrir();
    EXPECT_EQ(janela.windowTitle(), "Solicitação de Peças ");
    QStringList titulos;
    for (const auto& coluna : janela.dbgdAssSolicitacao->columns())
        titulos << coluna->title();
    EXPECT_EQ(titulos.mid(0, 8), (QStringList{"Código", "Produto", "Qtde.", "Solicitado", "Previsão",
                                             "Responsável (Entrega)", "Qtde.Entregue", "Entregue"}));
    QStringList botoes;
    for (QPushButton* b : {janela.bbNovo, janela.bbSalvar, janela.bbEnviar, janela.bbEstoque, janela.bbImprimir,
                           janela.bbCancelar, janela.bbExcluir, janela.bbSair})
        botoes << b->text();
    EXPECT_EQ(botoes, (QStringList{"&Novo", "&Salvar", "&Enviar", "&Estoque", "&Imprimir", "&Cancelar", "&Excluir",
                                   "S&air"}));
    EXPECT_EQ(janela.ckBarras->text(), "Inserção Por Barras");
}

TEST_F(SolicitacaoTest, SendingMakesAnyRequestPendingEvenADeliveredOne)
{
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101, {{"P0001", 2, 0}});
    exec(QString("update AATC07AI set AISITUACAO = 'C' where AICODIGO = %1").arg(numero));
    tr().commitRetaining();
    dialogs->acknowledge("Solicitação colocada em Pendência.");
    janela.bbEnviar->click();
    EXPECT_EQ(lido(QString("select AIID || AISITUACAO from AATC07AI where AICODIGO = %1 order by AISEQUENCIA")
                       .arg(numero)),
              (QStringList{"CP", "IP"}));
    EXPECT_EQ(dmTec->quSolicitaAISITUACAO->asString(), "P");
    EXPECT_EQ(dialogs->pending(), 0);
}

// Another desk deletes the request shown: sending it is refused and told,
// not reported as put in pending, and no row comes back.
TEST_F(SolicitacaoTest, SendingARequestAnotherDeskDeletedIsRefusedAndNotReportedAsPending)
{
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101);
    outraMesa(QString("delete from AATC07AI where AICODIGO = %1").arg(numero));
    dialogs->acknowledge(QString("A solicitação %1 não existe mais (excluída por outro usuário); não foi colocada em"
                                 " Pendência.")
                             .arg(numero));
    janela.bbEnviar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido(QString("select count(*) from AATC07AI where AICODIGO = %1").arg(numero)), QStringList{"0"});
}

TEST_F(SolicitacaoTest, SendingWithNoRequestLoadedIsRefusedAsSuchAndChangesNothing)
{
    TfmAssSolicitacao& janela = abrir();
    const QStringList antes = lido("select AICODIGO || ':' || AISITUACAO from AATC07AI order by 1");
    dialogs->acknowledge("Nenhuma solicitação carregada para enviar.");
    janela.bbEnviar->click();
    EXPECT_EQ(dialogs->pending(), 0) << "neither success nor another desk's delete is told";
    EXPECT_EQ(lido("select AICODIGO || ':' || AISITUACAO from AATC07AI order by 1"), antes);
}

TEST_F(SolicitacaoTest, CopyingAnOrdersPartsAddsThemAgainAndAnOrderWithoutPartsStillSucceeds)
{
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101, {{"P0001", 1, 0}});
    dialogs->answer("Sim", "Deseja incluir as Peças da Ordem de Serviço \"9101\"?");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    janela.ColocarOrdemServico(9101);
    EXPECT_EQ(lido(QString("select PRCODIGO || ':' || AIQUANTIDADE from AATC07AI where AIID = 'I' and AICODIGO = %1"
                           " order by AISEQUENCIA")
                       .arg(numero)),
              (QStringList{"P0001:1.000000000000000", "P0001:2.000000000000000", "P0003:3.000000000000000"}))
        << "a product already requested comes again";
    EXPECT_EQ(dmTec->quSolicitaIt->tag(), 0);
    // An order without parts lines: nothing added, success all the same.
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA) values (9103, '00002', '2026-12-01',"
         " 'A')");
    tr().commitRetaining();
    dialogs->answer("Sim");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    janela.ColocarOrdemServico(9103);
    EXPECT_EQ(dmTec->quSolicitaIt->recordCount(), 3);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(SolicitacaoTest, TheHandOverTakesOnlyDeliveredQuantities)
{
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101, {{"P0001", 2, 0}, {"P0003", 3, 2}});
    janela.bbEstoque->click();
    TfmAssBaixaPecas* baixa = fmAssBaixaPecas.get();
    ASSERT_NE(baixa, nullptr);
    EXPECT_TRUE(baixa->isVisible());
    ASSERT_EQ(baixa->cdsBaixa->recordCount(), 1);
    baixa->cdsBaixa->first();
    EXPECT_EQ(baixa->cdsBaixaprCodigo->asString(), "P0003");
    EXPECT_DOUBLE_EQ(baixa->cdsBaixaprQuantidade->asFloat(), 2);
    EXPECT_EQ(baixa->cdsBaixaaoCodigo->asInteger(), 9101);
    EXPECT_EQ(baixa->cdsBaixaaiCodigo->asInteger(), numero);
    EXPECT_FALSE(baixa->cdsBaixaprDescricao->asString().isEmpty()) << "the settlement's own rules fill the line";
    // A new window on every click.
    janela.bbEstoque->click();
    EXPECT_NE(fmAssBaixaPecas.get(), baixa);
}

// Request 3 of P0003, 2 delivered: "Estoque" then "Baixar" issues 2; a
// second hand-over offers nothing; a third delivery is offered alone, and
// of two desks holding that hand-over the second is refused.
TEST_F(SolicitacaoTest, EachHandOverOffersOnlyWhatIsDeliveredAndNotIssuedYet)
{
    exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5927', 'Baixa de estoque', '8')"
         " matching (COD_OP)");
    tr().commitRetaining();
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101, {{"P0003", 3, 2}});
    auto entregaAoAcerto = [&] {
        janela.bbEstoque->click();
        TfmAssBaixaPecas* baixa = fmAssBaixaPecas.get();
        QStringList linhas;
        for (baixa->cdsBaixa->first(); !baixa->cdsBaixa->eof(); baixa->cdsBaixa->next())
            linhas << baixa->cdsBaixaprCodigo->asString() + "|" + baixa->cdsBaixaprQuantidade->asString();
        return std::pair{baixa, linhas};
    };
    auto baixar = [&](TfmAssBaixaPecas* baixa, const QString& aviso) {
        dialogs->answer("Sim", "Tem certeza de que deseja baixar as peças?");
        dialogs->acknowledge(aviso);
        baixa->bbBaixar->click();
    };
    auto [primeira, linhas] = entregaAoAcerto();
    EXPECT_EQ(linhas, QStringList{"P0003|2"});
    baixar(primeira, "Acerto das Peças efetuada com sucesso.");
    EXPECT_EQ(entregaAoAcerto().second, QStringList{}) << "all delivered is issued";

    dmTec->quSolicitaIt->edit();
    dmTec->quSolicitaItAIQUANTIDADEENTREGUE->setAsFloat(3);
    dialogs->answer("Não", "Todos itens da solicitação foram entregues.");
    dmTec->quSolicitaIt->post();
    auto [mesa1, linhas1] = entregaAoAcerto();
    auto [mesa2, linhas2] = entregaAoAcerto();
    EXPECT_EQ(linhas1, QStringList{"P0003|1"});
    EXPECT_EQ(linhas2, QStringList{"P0003|1"});
    baixar(mesa1, "Acerto das Peças efetuada com sucesso.");
    dialogs->acknowledge(QString("Quantidade do produto P0003 acima do entregue e ainda não baixado da solicitação"
                                 " %1.\nEntregue: 3,00\nBaixado: 3,00\nA baixar: 0,00")
                             .arg(numero, 6, 10, QChar('0')));
    mesa2->bbBaixar->click();
    EXPECT_EQ(lido(QString("select cast(sum(QUNATIDADEPRODUTO) as integer) from ACEM14IT where AICODIGO = %1")
                       .arg(numero)),
              QStringList{"3"});
    EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = 'P0003'"), QStringList{"7"});
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
}

// "Solicitante" names the requesting technician while the window is left
// for another and when it comes back.
TEST_F(SolicitacaoTest, TheRequesterStaysNamedWhenTheWindowIsLeft)
{
    TfmAssSolicitacao& janela = abrir();
    novaSolicitacao(janela, 9101);
    dmTec->quSolicita->edit();
    dmTec->quSolicitaATCODIGOSOLICITA->setAsInteger(802);
    janela.bbSalvar->click();
    QEvent ativa(QEvent::WindowActivate);
    QApplication::sendEvent(&janela, &ativa);
    EXPECT_EQ(janela.dblcSolicitante->currentText(), "Bruno Técnico");
    janela.bbEstoque->click();
    QApplication::sendEvent(fmAssBaixaPecas.get(), &ativa);
    EXPECT_EQ(janela.dblcSolicitante->currentText(), "Bruno Técnico") << "the window left for the settlement";
    QApplication::sendEvent(&janela, &ativa);
    EXPECT_EQ(janela.dblcSolicitante->currentText(), "Bruno Técnico");
}

TEST_F(SolicitacaoTest, TheDeliveredQuantityOpensDeliveriesOnlyForCompanyFour)
{
    TfmAssSolicitacao& janela = abrir();
    novaSolicitacao(janela, 9101, {{"P0001", 2, 0}});
    janela.dbgdAssSolicitacao->setSelectedIndex(6);
    janela.dbgdAssSolicitacaoDblClick();
    EXPECT_FALSE(fmSolicitacaoEntregas.get());
    empresa(4);
    janela.dbgdAssSolicitacaoDblClick();
    ASSERT_TRUE(fmSolicitacaoEntregas.get());
    EXPECT_EQ(fmSolicitacaoEntregas->windowTitle(), "Entregas do Produto ");
    fmSolicitacaoEntregas->close();
}

TEST_F(SolicitacaoTest, CancelTouchesOnlyTheHeaderAndDeletingLeavesNoDelivery)
{
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101, {{"P0001", 2, 0}});
    dmTec->quSolicita->edit();
    dmTec->quSolicitaAIOBSERVACAO->setAsString("mudada");
    dmTec->quSolicitaIt->edit();
    dmTec->quSolicitaItAIQUANTIDADE->setAsFloat(5);
    janela.bbCancelar->click();
    EXPECT_FALSE(dmTec->quSolicita->editing());
    EXPECT_TRUE(dmTec->quSolicitaIt->editing()) << "the line stays in edit";
    dmTec->quSolicitaIt->cancel();
    exec(QString("insert into AATC07AIENT (AICODIGO, AIENTSEQ, AISEQUENCIAREF, AIENTQTDENTREGUE) values (%1, 9999,"
                 " 1, 1)")
             .arg(numero));
    tr().commitRetaining();
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Sim");
    janela.bbExcluir->click();
    EXPECT_EQ(lido(QString("select count(*) from AATC07AI where AICODIGO = %1").arg(numero)), QStringList{"0"});
    EXPECT_EQ(lido(QString("select count(*) from AATC07AIENT where AICODIGO = %1").arg(numero)), QStringList{"0"});
}

TEST_F(SolicitacaoTest, EveryKeyWritesTwoLogLines)
{
    TfmAssSolicitacao& janela = abrir();
    tecla(janela, Qt::Key_A);
    EXPECT_EQ(logDe("[TfmAssSolicitacao.FormKeyDown]"), (QStringList{"***INICIO", "***FIM"}));
}

TEST_F(SolicitacaoTest, BarCodesRefuseUnknownProductsDeliveredRequestsAndExecutedOrders)
{
    TfmAssSolicitacao& janela = abrir();
    novaSolicitacao(janela, 9101, {{"P0001", 2, 0}});
    janela.ckBarras->setChecked(true);
    dialogs->enter("000", "Barras");
    dialogs->acknowledge("Não foi localizado produto com o código de barras = 000");
    tecla(janela, Qt::Key_F9);
    exec(QString("update AATC07AI set AISITUACAO = 'C' where AICODIGO = %1").arg(dmTec->quSolicitaAICODIGO->asInteger()));
    tr().commitRetaining();
    CarregaSolicitacao(dmTec->quSolicitaAICODIGO->asInteger());
    dialogs->enter("7890001");
    dialogs->acknowledge("Não é possível inserir itens na solicitação com situação \"Entregue\".");
    tecla(janela, Qt::Key_F9);
    empresa(4);
    exec(QString("update AATC07AI set AISITUACAO = 'E', AOCODIGO = 9102 where AIID = 'C' and AICODIGO = %1")
             .arg(dmTec->quSolicitaAICODIGO->asInteger()));
    tr().commitRetaining();
    CarregaSolicitacao(dmTec->quSolicitaAICODIGO->asInteger());
    dialogs->enter("7890001");
    dialogs->acknowledge("Ordem de Serviço 9102 já foi \"Executada\".");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(logDe("[TfmAssSolicitacao.FormKeyDown]").count("***FIM"), 0) << "refusals end without the last line";
}

TEST_F(SolicitacaoTest, BarCodesInTheOtherModeAskQuantitiesAndAbortarEnds)
{
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101, {{"P0001", 2, 0}});
    janela.ckBarras->setChecked(true);
    dialogs->enter("7890003", "Barras");
    dialogs->enter("3", "Informe a quantidade do Produto P0003");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(lido(QString("select PRCODIGO || ':' || AIQUANTIDADE from AATC07AI where AIID = 'I' and AICODIGO = %1"
                           " order by AISEQUENCIA")
                       .arg(numero)),
              (QStringList{"P0001:2.000000000000000", "P0003:3.000000000000000"}));
    // Already requested: "Somar" adds the quantity typed, saved and shown.
    dialogs->enter("7890001");
    dialogs->answer("Somar", "O produto P0001 já está inserido na solicitação.");
    dialogs->enter("1,5", "Informe a quantidade para SOMAR no Produto P0001");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(lido(QString("select AIQUANTIDADE from AATC07AI where AIID = 'I' and AICODIGO = %1 and PRCODIGO ="
                           " 'P0001'")
                       .arg(numero)),
              QStringList{"3.5"});
    // "Abortar" ends the entry.
    dialogs->enter("7890001");
    dialogs->answer("Abortar");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(dialogs->pending(), 0);
}

// P0001 asked for on two lines of 1: each read delivered by bar code lands
// on the next line still to deliver.
TEST_F(SolicitacaoTest, BarCodeDeliveriesGoToTheNextLineStillToDeliver)
{
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101, {{"P0001", 1, 0}, {"P0001", 1, 0}});
    janela.ckBarras->setChecked(true);
    for (int vez = 0; vez < 2; ++vez) {
        dialogs->enter("7890001", "Barras");
        dialogs->answer("Entregar", "O produto P0001 já está inserido na solicitação.");
        dialogs->acknowledge("Informe o Código do Técnico da ENTREGA desta peça.");
        dialogs->modal("fmPesquisa", [](Form& form) {
            auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
            ASSERT_TRUE(pesquisa.dataSource()->dataset()->locate("ATCODIGO", 801));
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
        dialogs->enter("1", "Informe a quantidade do Produto P0001");
        if (vez == 1)
            dialogs->answer("Não", "Todos itens da solicitação foram entregues.");
        tecla(janela, Qt::Key_F9);
    }
    EXPECT_EQ(lido(QString("select AISEQUENCIA || ':' || cast(AIQUANTIDADEENTREGUE as integer) from AATC07AI"
                           " where AIID = 'I' and AICODIGO = %1 order by AISEQUENCIA")
                       .arg(numero)),
              (QStringList{"1:1", "2:1"}));
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
}

// A delivery by bar code on real dialogs, with the main window open: every
// dialog after the technicians' search belongs to the request window, so
// closing them leaves the user there and not over the main window.
TEST_F(SolicitacaoTest, ADeliveryLeavesTheRequestWindowInFront)
{
    criarPrincipal();
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101, {{"P0001", 2, 0}});
    janela.ckBarras->setChecked(true);
    testsupport::OnScreenDialogs naTela;
    naTela.type("7890001").press("Entregar").press("OK").inspect([](QWidget& form) {
        auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
        QTest::keyClicks(pesquisa.grid(), "801");
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    naTela.type("1");
    tecla(janela, Qt::Key_F9);
    ASSERT_EQ(naTela.seen().size(), 5u) << naTela.texts().join(" # ").toStdString();
    const auto& quantidade = naTela.seen().back();
    EXPECT_EQ(quantidade.value, "0,00");
    EXPECT_EQ(quantidade.parent ? quantidade.parent->window() : nullptr, &janela) << quantidade.text.toStdString();
    EXPECT_EQ(lido(QString("select cast(AIENTQTDENTREGUE as integer) from AATC07AIENT where AICODIGO = %1").arg(numero)),
              QStringList{"1"});
}

TEST_F(SolicitacaoTest, CompanyFourKeepsALinePerTechnicianAndCountsEveryRead)
{
    empresa(4);
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101);
    janela.ckBarras->setChecked(true);
    auto linhas = [&] {
        return lido(QString("select PRCODIGO || ':' || ATCODIGOENTREGA || ':' || cast(AIQUANTIDADE as integer) ||"
                            " ':' || cast(coalesce(AIQUANTIDADEENTREGUE, 0) as integer) from AATC07AI where AIID = 'I' and AICODIGO = %1"
                            " order by AISEQUENCIA")
                        .arg(numero));
    };
    // Ana asks for P0001: a line of her own with one unit.
    dialogs->enter("7890001", "Barras");
    dialogs->enter("tec1", "Barras");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(linhas(), QStringList{"P0001:801:1:0"});
    // Again, "Somar": one more on her line.
    dialogs->enter("7890001");
    dialogs->enter("TEC1");
    dialogs->answer("Somar");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(linhas(), QStringList{"P0001:801:2:0"});
    // Bruno asks for the same product: a line of his own.
    dialogs->enter("7890001");
    dialogs->enter("TEC2");
    dialogs->answer("Somar");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(linhas(), (QStringList{"P0001:801:2:0", "P0001:802:1:0"}));
    // Ana delivers one on her line.
    dialogs->enter("7890001");
    dialogs->enter("TEC1");
    dialogs->answer("Entregar");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(linhas(), (QStringList{"P0001:801:2:1", "P0001:802:1:0"}));
    EXPECT_EQ(lido(QString("select AISEQUENCIAREF || ':' || AIENTRESPONSAVEL || ':' || cast(AIENTQTDENTREGUE as integer) from"
                           " AATC07AIENT where AICODIGO = %1")
                       .arg(numero)),
              QStringList{"1:801:1"});
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
}

// Ana's request line on the order, and a line of hers typed by hand in the
// order window: each delivery takes what it delivered off once, and the line
// typed by hand keeps its own quantity.
TEST_F(SolicitacaoTest, CompanyFourCarriesWhatIsStillToDeliverOnceOverTheMatchingLines)
{
    empresa(4);
    TfmAssSolicitacao& janela = abrir();
    novaSolicitacao(janela, 9101, {{"P0001", 2, 0}});
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APQUANTIDADEREQUERIDA,"
         " APVALUNITARIO, ATCODIGO) values (9101, 9, 91010, 'P0001', 3, 3, 10, 801)");
    tr().commitRetaining();
    janela.ckBarras->setChecked(true);
    const QList<QStringList> depois{{"3:1", "9:3"}, {"9:3"}};
    for (int vez = 0; vez < 2; ++vez) {
        dialogs->enter("7890001", "Barras");
        dialogs->enter("TEC1", "Barras");
        dialogs->answer("Entregar");
        if (vez == 1)
            dialogs->answer("Não", "Todos itens da solicitação foram entregues.");
        tecla(janela, Qt::Key_F9);
        EXPECT_EQ(lido("select APSEQUENCIA || ':' || cast(APQUANTIDADE as integer) from AATC01AP"
                       " where AOCODIGO = 9101 and ATCODIGO = 801 order by APSEQUENCIA"),
                  depois.at(vez))
            << "delivery " << vez + 1;
    }
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
}

TEST_F(SolicitacaoTest, ADeliveryByATechnicianWithoutALineGoesToTheRequestersLine)
{
    empresa(4);
    exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO, ATENDCOMPLEMENTO) values (803, 'Carla', 'S', 'TEC3')");
    tr().commitRetaining();
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101);
    janela.ckBarras->setChecked(true);
    dialogs->enter("7890001", "Barras");
    dialogs->enter("TEC1", "Barras");
    tecla(janela, Qt::Key_F9);
    // Carla (no line of P0001) delivers for Ana.
    dialogs->enter("7890001");
    dialogs->enter("TEC3");
    dialogs->answer("Entregar");
    dialogs->enter("TEC1", "Nome");
    dialogs->answer("Não", "Todos itens da solicitação foram entregues.");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(lido(QString("select AISEQUENCIAREF || ':' || AIENTRESPONSAVEL from AATC07AIENT where AICODIGO = %1")
                       .arg(numero)),
              QStringList{"1:803"});
    EXPECT_EQ(lido(QString("select AIQUANTIDADEENTREGUE from AATC07AI where AIID = 'I' and AICODIGO = %1").arg(numero)),
              QStringList{"1"});
    // Nobody asked for P0003 under Bruno: the delivery is refused and not kept.
    dialogs->enter("7890003", "Barras");
    dialogs->enter("TEC1", "Barras");
    tecla(janela, Qt::Key_F9);
    dialogs->enter("7890003");
    dialogs->enter("TEC3");
    dialogs->answer("Entregar");
    dialogs->enter("TEC2", "Nome");
    dialogs->acknowledge("Não há um Técnico Solicitante com este Nome. ");
    tecla(janela, Qt::Key_F9);
    EXPECT_EQ(lido(QString("select count(*) from AATC07AIENT where AICODIGO = %1").arg(numero)), QStringList{"1"});
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
}

TEST_F(SolicitacaoTest, F10SetsTheOrderThroughTheSearchOrByItsNumber)
{
    TfmAssSolicitacao& janela = abrir();
    novaSolicitacao(janela, 0);
    dialogs->modal("fmPesquisaAssOrdemServico", [](Form& form) {
        auto& pesquisa = static_cast<TfmPesquisaAssOrdemServico&>(form);
        pesquisa.edNOS->setText("9101");
        pesquisa.bbPesquisa->click();
        pesquisa.dbgdOrdemServico->onDblClick();
    });
    dialogs->answer("Não", "Deseja incluir as Peças da Ordem de Serviço \"9101\"?");
    tecla(janela, Qt::Key_F10);
    EXPECT_EQ(dmTec->quSolicitaAOCODIGO->asInteger(), 9101);
    EXPECT_EQ(dmTec->quSolicitaIt->recordCount(), 0);
    // With bar codes: the number typed; a cancelled dialog looks up order 0.
    janela.ckBarras->setChecked(true);
    dialogs->cancel("Número OS");
    dialogs->acknowledge("Não foi localizado a ordem de serviço ");
    tecla(janela, Qt::Key_F10);
    dialogs->enter("9102", "Número OS");
    tecla(janela, Qt::Key_F10);
    EXPECT_EQ(dmTec->quSolicitaAOCODIGO->asInteger(), 9102);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(SolicitacaoTest, PictureOfARequestWithItems)
{
    TfmAssSolicitacao& janela = abrir();
    novaSolicitacao(janela, 9101, {{"P0001", 2, 1}, {"P0003", 3, 0}});
    guardaFoto(janela, "fmAssSolicitacao.png");
}


// A bar-code delivery of nothing, of 0, of less than nothing or of more than
// the line still waits for is refused and writes nothing; 1 of 2 is kept,
// and then only 1 more fits.
TEST_F(SolicitacaoTest, ABarCodeDeliveryTakesOnlyWhatIsStillToDeliver)
{
    TfmAssSolicitacao& janela = abrir();
    const int numero = novaSolicitacao(janela, 9101, {{"P0001", 2, 0}});
    janela.ckBarras->setChecked(true);
    struct Entrega {
        const char* quantidade;
        bool aceita;
    };
    const Entrega entregas[] = {{"", false}, {"0", false}, {"-1", false}, {"3", false}, {"1", true}, {"2", false}};
    for (const Entrega& entrega : entregas) {
        SCOPED_TRACE(entrega.quantidade);
        dialogs->enter("7890001", "Barras");
        dialogs->answer("Entregar", "O produto P0001 já está inserido na solicitação.");
        dialogs->acknowledge("Informe o Código do Técnico da ENTREGA desta peça.");
        dialogs->modal("fmPesquisa", [](Form& form) {
            auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
            QTest::keyClicks(pesquisa.grid(), "801");
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
        dialogs->enter(entrega.quantidade, "Informe a quantidade do Produto P0001");
        // Nothing typed is asked again; the box left with Esc ends the delivery.
        if (QString(entrega.quantidade).isEmpty())
            dialogs->acknowledge("não é um valor numérico válido.").cancel("Informe a quantidade do Produto P0001");
        else if (!entrega.aceita)
            dialogs->acknowledge("Quantidade a entregar inválida");
        tecla(janela, Qt::Key_F9);
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    }
    EXPECT_EQ(lido(QString("select cast(AIENTQTDENTREGUE as integer) from AATC07AIENT where AICODIGO = %1").arg(numero)),
              QStringList{"1"});
    // Nor is less than nothing requested on the line (the message on screen).
    {
        testsupport::OnScreenDialogs naTela;
        celula(janela.dbgdAssSolicitacao, "AIQUANTIDADE", "-1", Qt::Key_Return);
        EXPECT_EQ(naTela.texts(), QStringList{"Qtde.: informe um valor maior que zero."});
        QTest::keyClick(janela.focusWidget() ? janela.focusWidget() : janela.dbgdAssSolicitacao, Qt::Key_Escape);
    }
    EXPECT_EQ(lido(QString("select cast(AIQUANTIDADE as integer) || ':' || cast(AIQUANTIDADEENTREGUE as integer)"
                           " from AATC07AI where AIID = 'I' and AICODIGO = %1")
                       .arg(numero)),
              QStringList{"2:1"});
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
