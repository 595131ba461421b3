// The service-order roads a new user walks first on the demonstration
// company, as the first start leaves it: an order typed with an item, a
// labour line and a part, saved, printed, found again in the order search,
// and turned into a sales order; the parts of an order settled out of stock
// and requested from the store. None meets a refusal.

#include "tests/module/PrimeiroUsoFixture.h"

#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataEdit.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssAndamento.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssSolicitacao.h"
#include "service_orders/uAssTecnico.h"
#include "service_orders/uPesqAssOrdemServico.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace moduletest {
namespace {

class PrimeiroUsoOrdemServicoTest : public PrimeiroUsoTest {
protected:
    // A new order of a demonstration customer with an item, a labour line
    // and a part, saved with the window's button; its number.
    int novaOrdem(TfmAssOrdemServico& form)
    {
        form.bbNovo->click();
        form.dblcCliente->setKeyValue("00004");
        form.bbSalvar->click();
        const int numero = dmTec->quOSAOCODIGO->asInteger();
        novaLinhaNaGrade(form.dbgdOrdemServicoItens, "AOITEQUIPDESCRICAO", "Impressora laser");
        clicaAba(form.pcOrdemServico, form.tsServico);
        novaLinhaNaGrade(form.dbgdOrdemServicoServicos, "PRCODIGO", "S0001");
        clicaAba(form.pcOrdemServico, form.tsPecasOS);
        novaLinhaNaGrade(form.dbgdOrdemServicoPecas, "PRCODIGO", "P0005");
        form.bbSalvar->click();
        return numero;
    }
    static void ativa(QWidget& janela)
    {
        janela.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&janela));
    }
    static QString primeira(const host::ui::DataGrid* grade, const char* campo)
    {
        return grade->model()->index(0, grade->columnByField(campo)->index()).data().toString();
    }
    // The progress window with a record of technician 2 added.
    TfmAssAndamento& andamentoComTecnico()
    {
        TfmAssAndamento& andamento = abrirJanela(fmAssAndamento, "fmAssAndamento");
        dmTec->quOSContato->append();
        dmTec->quOSContatoVENDEDOT->setAsString("2");
        dmTec->quOSContato->post();
        return andamento;
    }
};

TEST_F(PrimeiroUsoOrdemServicoTest, AnOrderIsTypedSavedPrintedFoundAndSold)
{
    TfmAssOrdemServico& form = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico");
    const int numero = novaOrdem(form);
    ASSERT_GT(numero, 0);
    const QString os = QString::number(numero);
    EXPECT_EQ(lido("select AOITEQUIPDESCRICAO from AATC01AOIT where AOCODIGO = " + os),
              QStringList{"Impressora laser"});
    EXPECT_EQ(lido("select PRCODIGO from AATC01AA where AOCODIGO = " + os), QStringList{"S0001"});
    EXPECT_EQ(lido("select PRCODIGO from AATC01AP where AOCODIGO = " + os), QStringList{"P0005"});
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    // Printed: the receipt's preview, kept as a PDF beside the test program.
    QString paginas;
    dialogs->answer("Comprovante", "Deseja imprimir Comprovante");
    dialogs->modal("fmVisualizadorRelatorio", [&paginas](host::ui::Form& janela) {
        const auto& p = static_cast<TfmVisualizadorRelatorio&>(janela).pages();
        paginas = p.textDump();
        p.exportPdf(QDir(QCoreApplication::applicationDirPath()).filePath("primeiro-uso-ordem.pdf"));
    });
    form.bbImprimir->click();
    EXPECT_TRUE(paginas.contains("Clínica Saúde & Vida")) << paginas.toStdString();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    // Found again in the order search, after moving to another order.
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    dialogs->modal("fmPesquisaAssOrdemServico", [&os](host::ui::Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        pesquisa.edNOS->setText(os);
        pesquisa.bbPesquisa->click();
        pesquisa.dbgdOrdemServico->onDblClick();
    });
    form.bbPesquisar->click();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), numero);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    // Sold: the sales order of the order's part and labour.
    dialogs->answer("1)Venda", "Selecione a opção desejada");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    form.bbPedidoVenda->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select OPERACAO from AVEC8501 where AOCODIGO = " + os), QStringList{"5102"})
        << "the customer's operation, which the new order took";
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

TEST_F(PrimeiroUsoOrdemServicoTest, ThePartsOfAnOrderAreSettledOutOfStock)
{
    TfmAssBaixaPecas& janela = abrirJanela(fmAssBaixaPecas, "fmAssBaixaPecas");
    dialogs->modal("fmPesquisa", [](host::ui::Form& form) {
        auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
        QTest::keyClicks(pesquisa.grid(), "5927");
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    janela.bbPesqOperacao->click();
    ASSERT_EQ(janela.laCodOpSai->text(), "5927") << vistos();
    novaLinhaNaGrade(janela.dbgdOrdemServicoBaixaPecas, "prCodigo", "P0005");
    celula(janela.dbgdOrdemServicoBaixaPecas, "aoCodigo", "42");
    celula(janela.dbgdOrdemServicoBaixaPecas, "prQuantidade", "1", Qt::Key_Return);
    dialogs->answer("Sim", "Tem certeza de que deseja baixar as peças?");
    janela.bbBaixar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select OPERACAO_DOC || '|' || COD_CLI from ACEM1401 where SERIE_DOC = 'A'"),
              QStringList{"5927|00002"})
        << vistos();
}

TEST_F(PrimeiroUsoOrdemServicoTest, ThePartsOfAnOrderAreRequestedAndSent)
{
    TfmAssSolicitacao& janela = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
    const int numero = pedidoDePecaComResponsavel(janela);
    janela.bbSalvar->click();
    janela.bbEnviar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido(QString("select AIID || '|' || AISITUACAO || '|' || coalesce(PRCODIGO, '') from AATC07AI"
                           " where AICODIGO = %1 order by AISEQUENCIA")
                       .arg(numero)),
              (QStringList{"C|P|", "I|P|P0003"}))
        << vistos();
}

// Back in front, each window still shows its look-ups' names.
TEST_F(PrimeiroUsoOrdemServicoTest, LookUpsStayShownAsTheUserGoesFromWindowToWindow)
{
    TfmAssSolicitacao& pedido = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
    pedido.bbNovo->click();
    pedido.dblcSolicitante->setKeyValue(2);
    digita(pedido.dbedOS, "42");
    pedido.bbSalvar->click();
    TfmAssOrdemServico& ordem = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;42");
    clicaAba(ordem.pcOrdemServico, ordem.tsServico);
    ativa(pedido);
    EXPECT_EQ(pedido.dblcSolicitante->text(), "MARIA APARECIDA SOUZA");
    TfmAssAndamento& andamento = andamentoComTecnico();
    ativa(pedido);
    ativa(andamento);
    EXPECT_EQ(primeira(andamento.dbgdAndamento, "DescricaoTecnico"), "MARIA APARECIDA SOUZA");
    ativa(ordem);
    ASSERT_GT(ordem.dbgdOrdemServicoServicos->model()->rowCount(), 0);
    EXPECT_FALSE(primeira(ordem.dbgdOrdemServicoServicos, "DescEquipOS").isEmpty());
}

// A technician made inactive stays named where stored but is no longer offered.
TEST_F(PrimeiroUsoOrdemServicoTest, AnInactiveTechnicianStaysNamedWhereStoredButIsNotOffered)
{
    const QString maria = "MARIA APARECIDA SOUZA";
    TfmAssSolicitacao& pedido = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
    pedidoDePecaComResponsavel(pedido);
    pedido.dblcSolicitante->setKeyValue(2);
    pedido.bbSalvar->click();
    TfmAssOrdemServico& ordem = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;42");
    ordem.dblcTecnico->setKeyValue(2);
    ordem.bbSalvar->click();
    TfmAssAndamento& andamento = andamentoComTecnico();
    TfmAssTecnico& cadastro = abrirJanela(fmAssTecnico, "fmAssTecnico");
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 2));
    cadastro.dbcbAtivo->setCurrentIndex(1);
    emit cadastro.dbcbAtivo->activated(1);
    cadastro.bbSalvar->click();
    ASSERT_EQ(lido("select ATATIVO from AATC06AT where ATCODIGO = 2"), QStringList{"N"});

    host::ui::DataGrid* linhas = pedido.dbgdAssSolicitacao;
    auto celula = [linhas] {   // the "Técnico" cell of the current line, opened
        linhas->setFocus();
        linhas->setSelectedIndex(linhas->columnByField("DescricaoTecnico")->index());
        linhas->editCurrentCell();
        return qobject_cast<QComboBox*>(linhas->indexWidget(linhas->currentIndex()));
    };
    QComboBox* aberta = nullptr;
    const struct {
        const char* onde;
        QWidget* janela;
        std::function<QString()> nome;
    } casos[] = {
        {"request", &pedido, [&] { return pedido.dblcSolicitante->text(); }},
        {"progress record", &andamento,
         [&] { return primeira(andamento.dbgdAndamento, "DescricaoTecnico"); }},
        {"order", &ordem, [&] { return ordem.dblcTecnico->text(); }},
        {"order's report", &ordem,
         [&] {
             clicaAba(ordem.pcOrdemServico, ordem.tsLaudo);
             return ordem.dblcTecnico->text();
         }},
        {"request line", &pedido, [&] { return (aberta = celula()) ? aberta->currentText() : QString(); }},
    };
    for (const auto& caso : casos) {
        ativa(pedido);
        ativa(*caso.janela);
        EXPECT_EQ(caso.nome(), maria) << caso.onde;
    }
    // New choices: only the active ones are offered.
    ASSERT_NE(aberta, nullptr);
    QTest::keyClick(aberta, Qt::Key_Escape);
    QTest::keyClick(linhas, Qt::Key_Insert);
    QComboBox* nova = celula();
    ASSERT_NE(nova, nullptr);
    EXPECT_EQ(nova->findText(maria), -1);
    EXPECT_GE(nova->findText("JOÃO DA SILVA"), 0);
    QTest::keyClick(nova, Qt::Key_Escape);
    pedido.bbCancelar->click();
    pedido.bbNovo->click();
    EXPECT_EQ(pedido.dblcSolicitante->findText(maria), -1);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

}  // namespace
}  // namespace moduletest
