// A day at a repair shop's two desks, each user with a login of her own and
// several windows open at once: a restricted technician, refused her own
// rename, times her work; the clerk queues an order while the other desk
// queues another and meets a purchase listed for another order; the owner
// tries to delete an order whose part left the stock and prints the totals.
// Every record lands on the order meant and the totals match the orders.

#include "tests/module/AndamentoJanelaFixture.h"

#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/report/PreparedReport.h"
#include "host/report/Report.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/PageControl.h"
#include "host/ui/WindowRegistry.h"
#include "service_orders/uAssAndamento.h"
#include "service_orders/uAssFilaAtendimento.h"
#include "service_orders/uAssOSComprasCliente.h"
#include "service_orders/uAssOSSelecaoRel.h"
#include "service_orders/uAssOSSelecaoRelImp.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssSituacaoTroca.h"
#include "service_orders/uAssTecnico.h"
#include "service_orders/uPesqAssOrdemServico.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace moduletest {
namespace {

class DiaNaOficinaTest : public AndamentoJanelaTest {
protected:
    void SetUp() override
    {
        AndamentoJanelaTest::SetUp();
        parametro("ATOPCAOTELAOS", "C");
        // ANA, restricted, works on 42 and 44; 42 costs its counted lines plus 40,00 of travel.
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATALTERAROS, ATACESSORESTRITO, ATATIVO)"
             " values (30, 'ANA', 'S', 'S', 'S')");
        exec("update AATC01AO set ATCODIGO = 30 where AOCODIGO in (42, 44)");
        exec("update AATC01AA set AATIPO = '3' where AOCODIGO = 42");
        exec("update AATC01AP set APTIPO = '3' where AOCODIGO = 42");
        exec("insert into AATC01AV (AOCODIGO, AVCODIGO, AVVALORTOTAL) values (42, 1, 40)");
        exec("update AATC01AO set AOVALORSERVICO = 30, AOVALORPECAS = 12.5, AODESPVIAGEM = 40,"
             " AOVALORTOTAL = 82.5 where AOCODIGO = 42");
        item(44, 6, "Roteador", 0);
        // Order 43 is another customer's; 00003 bought P0001 (SN-1) on invoice 000060.
        exec("update AATC01AO set CLCODIGO = '00004' where AOCODIGO = 43");
        exec("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, DATA)"
             " values ('000060', '1', '00003', '5102', '001', '2026-10-21')");
        exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA,"
             " QUNATIDADEPRODUTO, MEITNUMEROSERIE) values ('000060', '1', '00003', '5102', '001', 'P0001', 1, 1, 'SN-1')");
        // Order 45's part went out on stock document 000001.
        exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, CODIGOPRODUTO, SEQUENCIA, AOCODIGO)"
             " values ('000001', '1', '00003', 'P0001', 1, '45')");
        tr().commitRetaining();
    }
    // The desk's windows closed, then the next user logs in.
    void vez(const QString& usuario)
    {
        host::ui::WindowRegistry::freeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        entrarComo(usuario);
    }
    // The restricted technician renames herself in the technicians register: refused.
    void renomeiaASi()
    {
        TfmAssTecnico& form = abrirJanela(fmAssTecnico, "fmAssTecnico");
        ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 30));
        form.dbedNome->setFocus();
        form.dbedNome->selectAll();
        QTest::keyClicks(form.dbedNome, "ANA SOUZA");
        dialogs->acknowledge("Somente o usuário mestre altera o nome de um técnico");
        form.bbSalvar->click();
        form.bbCancelar->click();
    }
    // The restricted technician's clock opened on 42 from the progress
    // screen; the list moved to 44 while it runs; OK.
    void relogioDaTecnica()
    {
        TfmAssAndamento& andamento = abrir();
        andamento.dblcSituacao->setKeyValue(2);
        andamento.bbPesq->click();
        EXPECT_EQ(ordensListadas(), (QStringList{"42/1", "42/2", "44/6"})) << "her own orders only";
        ASSERT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
        QTimer::singleShot(0, [&] {
            TfmAssSituacaoTroca* relogio = fmAssSituacaoTroca;
            ASSERT_NE(relogio, nullptr);
            for (int i = 0; i < 5 && dmTec->quPesqOS->fieldByName("AOCODIGO")->asInteger() != 44; ++i)
                QTest::keyClick(andamento.dbgdAndamentoOSRegistros, Qt::Key_Down);
            relogio->bbOk->click();
        });
        andamento.miSituacaoContabiliza->trigger();
    }
    // The clerk's order window on 42 with the desk's other windows opened
    // over it; back on it, its order, customer and parts are still shown.
    TfmAssOrdemServico& ordemEntreJanelas()
    {
        TfmAssOrdemServico& os = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;42");
        os.pcOrdemServico->setActivePage(os.tsPecasOS);
        os.pcOrdemServicoChange();
        const QString cliente = os.dblcCliente->shownText();
        for (const char* janela : {"fmAssAndamento", "fmAssFaturamento", "fmAssBaixaPecas"}) {
            uPackageAss::ShowJanelaTec(janela);
            EXPECT_TRUE(QTest::qWaitForWindowActive(host::ui::WindowRegistry::find(janela))) << janela;
            os.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&os));
            EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42) << janela;
            EXPECT_EQ(os.dblcCliente->shownText(), cliente) << janela;
            EXPECT_EQ(os.dbgdOrdemServicoPecas->model()->rowCount(), 1) << janela;
        }
        return os;
    }
    // The order's queue from its header button: a new row typed for ANA and order 42, left with Up.
    void filaDaOrdem(TfmAssOrdemServico& os)
    {
        os.sbEnviarFilaAten->click();
        TfmAssFilaAtendimento* fila = fmAssFilaAtendimento.get();
        ASSERT_NE(fila, nullptr);
        host::ui::DataGrid* grade = fila->dbgdFilaAten;
        grade->setFocus();
        fila->cdsFilaAten->last();
        QTest::keyClick(grade, fila->cdsFilaAten->isEmpty() ? Qt::Key_Down : Qt::Key_Insert);
        celula(grade, "ATCODIGO", "30");
        celula(grade, "AOCODIGO", "42");
        QTest::keyClick(grade, Qt::Key_Up);
    }
    // The customer's purchases opened from the menu beside order 42; the
    // order window moved on to 43, another customer's; the purchase
    // double-clicked: refused, 43 gets no item.
    void compraEmOutraOrdem(TfmAssOrdemServico& os)
    {
        principal->miComprasCliente->click();
        ASSERT_TRUE(fmAssOSComprasCliente);
        os.sbProximo->click();
        ASSERT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43);
        ASSERT_TRUE(dmTec->quOSComprasCli->locate("DOCUMENTO", "000060"));
        dialogs->acknowledge("Estes produtos foram listados para a O.S. 42 (cliente 00003), que não é mais a exibida.");
        fmAssOSComprasCliente->dbgdComprasCliente->onDblClick();
    }
    // "Ficha Vida" of order 42 from the order window's search: its summary line.
    QString fichaVida()
    {
        QString ficha;
        dialogs->modal("fmPesquisaAssOrdemServico", [&](host::ui::Form& janela) {
            auto& pesquisa = static_cast<TfmPesquisaAssOrdemServico&>(janela);
            pesquisa.edNOS->setText("42");
            pesquisa.bbPesquisa->click();
            dialogs->modal("fmVisualizadorRelatorio", [&](host::ui::Form& vista) {
                ficha = static_cast<TfmVisualizadorRelatorio&>(vista).pages().textDump();
            });
            pesquisa.bbFicha->click();
        });
        fmAssOrdemServico->bbPesquisar->click();
        return ficha.split('\n').filter("summary qrbnResumo").join('\n');
    }
    // "Excluir" answered "Sim" on order 45: refused, naming its document.
    void excluiOrdemComDocumento()
    {
        TfmAssOrdemServico& os = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;45");
        dialogs->answer("Sim", "Confirma a exclusão do registro?").acknowledge("ela gerou o documento 000001");
        os.bbExcluir->click();
    }
    // The selection report by item of order 42: its printed general totals.
    QString totaisImpressos()
    {
        TfmAssOSSelecaoRel& form = abrirJanela(fmAssOSSelecaoRel, "fmAssOSSelecaoRel");
        digita(form.edOSIni, "42");
        digita(form.edOSFim, "42");
        form.bbPesquisar->click();
        EXPECT_EQ(form.dbgdRegSelOS->model()->rowCount(), 2) << "one row per item";
        TqrAssOSSelecaoRelImp rel;
        form.EfetuaPesquisaSelecaoOS(*rel.quPesqRel);
        for (const QString& linha : rel.QuickRep1->textDump().split('\n'))
            if (const int inicio = linha.indexOf("Totalizadores Gerais"); inicio >= 0)
                return linha.mid(inicio);
        return {};
    }
};

TEST_F(DiaNaOficinaTest, EachUserAtEachDeskBooksOnTheOrderMeantAndPrintsItsTotals)
{
    vez("ANA");
    renomeiaASi();
    relogioDaTecnica();
    EXPECT_EQ(lido("select CONTRATO from CADCOM order by CONTRATO"), QStringList{"42"}) << "time on 42 only";
    EXPECT_EQ(lido("select ATNOME || ATACESSORESTRITO from AATC06AT where ATCODIGO = 30"), QStringList{"ANAS"});

    vez("CLARA");
    TfmAssOrdemServico& os = ordemEntreJanelas();
    outraMesa("update AATC01AO set AOSEQATENDIMENTO = 1 where AOCODIGO = 44");   // the other desk queues 44
    filaDaOrdem(os);
    EXPECT_EQ(lido("select AOCODIGO || ':' || ATCODIGO || ':' || AOSEQATENDIMENTO from AATC01AO"
                   " where AOSEQATENDIMENTO > 0 order by AOCODIGO"),
              (QStringList{"42:30:2", "44:30:1"}));
    compraEmOutraOrdem(os);
    EXPECT_EQ(lido("select AOITCODIGO from AATC01AOIT where AOCODIGO = 43"), QStringList{"3"});
    os.sbAnterior->click();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
    EXPECT_EQ(os.dbgdOrdemServicoPecas->model()->rowCount(), 1) << "the arrows show the order's parts";

    vez("SYSDBA");
    excluiOrdemComDocumento();
    EXPECT_EQ(lido("select count(*) from AATC01AO where AOCODIGO = 45"), QStringList{"1"});
    EXPECT_EQ(lido("select count(*) from ACEM14IT where AOCODIGO = '45'"), QStringList{"1"});
    const QString ficha = fichaVida();
    EXPECT_TRUE(ficha.contains("Total de Ordens: | 1 | Peças: | 12,50 | Serviços: | 30,00 | Valores Totais | 82,50"))
        << ficha.toStdString();
    EXPECT_EQ(totaisImpressos(), "Totalizadores Gerais: | 30,00 | 12,50 | 40,00 | 0,00 | 82,50");
    EXPECT_EQ(lido("select cast(AOVALORTOTAL * 100 as integer) from AATC01AO where AOCODIGO = 42"),
              QStringList{"8250"});
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
}

}  // namespace
}  // namespace moduletest
