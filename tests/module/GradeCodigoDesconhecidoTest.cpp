// An unknown code typed in the grids that take a code, with the message shown
// by a real dialog (its own event loop and the focus taken from the cell
// editor): the message once, the code not kept, the window going on.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "contracts/uAssContCad.h"
#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"
#include "tests/support/OnScreenDialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

namespace moduletest {
namespace {

using host::ui::DataGrid;

class GradeCodigoDesconhecidoTest : public OrdemServicoEntradaTest {
protected:
    TfmAssOrdemServico& abrirOrdem42() { return abrirOrdemComItem("Impressora"); }
    static void aba(host::ui::PageControl* paginas, host::ui::TabSheet* pagina)
    {
        QTabBar* barra = paginas->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(pagina->pageIndex()).center());
        ASSERT_EQ(paginas->activePage(), pagina);
    }
    // A new row, the code typed in its cell and Enter, the message answered on screen.
    static QStringList digitaCodigo(DataGrid* grade, const QString& campo, const QString& codigo)
    {
        testsupport::OnScreenDialogs naTela;
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Insert);
        host::ui::GridColumn* coluna = grade->columnByField(campo);
        EXPECT_NE(coluna, nullptr) << campo.toStdString();
        if (!coluna)
            return {};
        grade->setSelectedIndex(coluna->index());
        grade->editCurrentCell();
        QWidget* editor = grade->indexWidget(grade->currentIndex());
        auto* linha = qobject_cast<QLineEdit*>(editor);
        if (!linha && editor)
            linha = editor->findChild<QLineEdit*>();
        EXPECT_NE(linha, nullptr) << campo.toStdString();
        if (!linha)
            return {};
        QTest::keyClicks(linha, codigo);
        QTest::keyClick(linha, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // The rule may reopen the lines: the grid's columns are made again.
        coluna = grade->columnByField(campo);
        EXPECT_TRUE(coluna && grade->currentIndex().column() == coluna->index()) << "the refused cell stays current";
        return naTela.texts();
    }
};

TEST_F(GradeCodigoDesconhecidoTest, ServiceOrderGridsRefuseTheUnknownCodeAndGoOn)
{
    TfmAssOrdemServico& form = abrirOrdem42();
    TdmTec& tec = *dmTec;

    aba(form.pcOrdemServico, form.tsPecasOS);
    EXPECT_EQ(digitaCodigo(form.dbgdOrdemServicoPecas, "PRCODIGO", "ZZ999"), QStringList{"Código não encontrado."});
    EXPECT_EQ(tec.quOSPecas->fieldByName("PRCODIGO")->asString(), "");

    aba(form.pcOrdemServico, form.tsServico);
    EXPECT_EQ(digitaCodigo(form.dbgdOrdemServicoServicos, "PRCODIGO", "ZZ999"), QStringList{"Código não encontrado."});

    aba(form.pcOrdemServico, form.tsItens);
    EXPECT_EQ(digitaCodigo(form.dbgdOrdemServicoItens, "FOCONSECIONARIA", "ZZ999"), QStringList{"Código não encontrado."});

    EXPECT_TRUE(form.isVisible()) << "the window goes on";
    EXPECT_EQ(fmAssOrdemServico.get(), &form);
}

// A question of the window itself: the header keeps its texts and the lines
// their rows while it is open, and Esc answers it "Não".
TEST_F(GradeCodigoDesconhecidoTest, TheWindowsOwnQuestionLeavesItsHeaderAndLinesAloneAndEscDeclines)
{
    TfmAssOrdemServico& form = abrirOrdem42();
    aba(form.pcOrdemServico, form.tsPecasOS);
    const QString cliente = form.dblcCliente->currentText();
    ASSERT_FALSE(cliente.isEmpty());
    QString clienteNaPergunta;
    bool pecasAbertas = false;
    testsupport::OnScreenDialogs naTela;
    naTela.whileOpen([&](QWidget&) {
        clienteNaPergunta = form.dblcCliente->currentText();
        pecasAbertas = dmTec->quOSPecas->active();
    });
    form.bbExcluir->click();
    ASSERT_EQ(naTela.seen().size(), 1u);
    EXPECT_EQ(naTela.seen()[0].text, "Confirma a exclusão do registro?");
    EXPECT_EQ(naTela.seen()[0].transientParent, form.windowHandle()) << "the question belongs to the window";
    EXPECT_TRUE(naTela.seen()[0].stayOnTop) << "the window stays on top: so does its question";
    EXPECT_EQ(clienteNaPergunta, cliente);
    EXPECT_TRUE(pecasAbertas);
    EXPECT_EQ(one("select count(*) from AATC01AO where AOCODIGO = 42").toInt(), 1) << "Esc is Não";
}

TEST_F(GradeCodigoDesconhecidoTest, ContractItemsGridRefusesAnUnknownProductNamingTheColumnAndGoesOn)
{
    uPackageAss::ShowJanelaTec("fmAssTecnico");
    uPackageAss::ShowJanelaTec("fmAssContCad");
    TfmAssContCad* form = fmAssContCad.get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    aba(form->pcContrato, form->tsItens);
    EXPECT_EQ(digitaCodigo(form->dbgdAssContCadItem, "PRCODIGO", "ZZ999"),
              QStringList{"Cód. Produto: produto ZZ999 não cadastrado."});
    EXPECT_EQ(dmTecContrato->quCtrCadastroIt->fieldByName("PRCODIGO")->asString(), "");
    EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace moduletest
