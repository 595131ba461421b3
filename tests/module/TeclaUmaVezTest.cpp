// One key press runs its command once, whatever the dialog it opens and
// however that dialog is answered from the keyboard: the keys of the
// service-order window pressed in a grid inside its tabs (every widget
// between the grid and the window is offered the press again), the keys of
// the progress screen and of the parts request; and a command that closes
// the cell editor its key was aimed at.

#include "tests/module/AndamentoJanelaFixture.h"
#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/ui/DataGrid.h"
#include "service_orders/uAssAndamento.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssSolicitacao.h"
#include "tests/support/OnScreenDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

const QString kDuplicar = "Tem certeza de que deseja duplicar registro?";

class TeclaUmaVezTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        ordemComItem("Impressora");
        exec("insert into AATC01AA (AOCODIGO, AOITCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL,"
             " AATOTAL, AAAUTORIZADO, AATIPO) values (42, 1, 1, 'S0001', 1, 60, 60, 60, 'S', '3')");
        tr().commitRetaining();
    }
    // The order's service lines as another desk reads them: product and minutes.
    QStringList servicos() const
    {
        return lido("select trim(PRCODIGO) || ':' || AATOTAL from AATC01AA where AOCODIGO = 42 order by AACODIGO");
    }
    TfmAssOrdemServico& abrirNoServico()
    {
        TfmAssOrdemServico& form = abrir();
        aba(form, form.tsServico);
        form.dbgdOrdemServicoServicos->setFocus();
        return form;
    }
};

TEST_F(TeclaUmaVezTest, F8AnsweredFromTheKeyboardAsksOnceAndCopiesTheLineOnce)
{
    TfmAssOrdemServico& form = abrirNoServico();
    {
        testsupport::OnScreenDialogs naTela;
        naTela.key(Qt::Key_Escape);
        QTest::keyClick(form.dbgdOrdemServicoServicos, Qt::Key_F8);
        EXPECT_EQ(naTela.texts(), QStringList{kDuplicar}) << "Esc declines, and the question does not come back";
    }
    EXPECT_EQ(servicos(), QStringList{"S0001:60"});
    {
        testsupport::OnScreenDialogs naTela;
        naTela.key(Qt::Key_Return);
        QTest::keyClick(form.dbgdOrdemServicoServicos, Qt::Key_F8);
        EXPECT_EQ(naTela.texts(), QStringList{kDuplicar}) << "Enter takes \"Sim\" once";
    }
    EXPECT_EQ(servicos(), (QStringList{"S0001:60", "S0001:60"}));
    EXPECT_EQ(lido("select AOVALORSERVICO from AATC01AO where AOCODIGO = 42"),
              lido("select sum(AAVALORTOTAL) from AATC01AA where AOCODIGO = 42"));
}

TEST_F(TeclaUmaVezTest, F8InACellBeingTypedCopiesOnceAndTheWindowGoesOn)
{
    TfmAssOrdemServico& form = abrirNoServico();
    host::ui::DataGrid* grade = form.dbgdOrdemServicoServicos;
    grade->setSelectedIndex(grade->columnByField("AAQUANTIDADE")->index());
    grade->editCurrentCell();
    QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(grade->isAncestorOf(editor));
    {
        testsupport::OnScreenDialogs naTela;
        naTela.key(Qt::Key_Return);
        QTest::keyPress(editor, Qt::Key_F8);
        // The key comes up where the focus is now: the copy closed the editor.
        QTest::keyRelease(editor ? static_cast<QWidget*>(editor) : grade, Qt::Key_F8);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(naTela.texts(), QStringList{kDuplicar});
    }
    EXPECT_EQ(servicos(), (QStringList{"S0001:60", "S0001:60"}));
    // The window still takes keys.
    testsupport::OnScreenDialogs naTela;
    naTela.key(Qt::Key_Escape);
    QTest::keyClick(grade, Qt::Key_F8);
    EXPECT_EQ(naTela.texts(), QStringList{kDuplicar});
    EXPECT_EQ(servicos().size(), 2);
}

// Every key of the window that opens a dialog or a modal window: Esc in it
// ends the command, which does not run again.
TEST_F(TeclaUmaVezTest, EachKeyOfTheOrderWindowOpensItsDialogOnce)
{
    parametro("ATSENHALIBERAPRECO", "segredo");
    TfmAssOrdemServico& form = abrirNoServico();
    for (Qt::Key tecla : {Qt::Key_F3, Qt::Key_F4, Qt::Key_F5, Qt::Key_F9, Qt::Key_F12}) {
        SCOPED_TRACE(QTest::toString(tecla));
        testsupport::OnScreenDialogs naTela;
        naTela.key(Qt::Key_Escape);
        form.dbgdOrdemServicoServicos->setFocus();
        QTest::keyClick(form.dbgdOrdemServicoServicos, tecla);
        EXPECT_EQ(naTela.seen().size(), 1u) << naTela.texts().join(" | ").toStdString();
    }
    EXPECT_EQ(servicos(), QStringList{"S0001:60"});
}

class TeclaUmaVezAndamentoTest : public AndamentoJanelaTest {};

TEST_F(TeclaUmaVezAndamentoTest, EachKeyOfTheProgressScreenOpensItsWindowOnce)
{
    TfmAssAndamento& tela = abrirJanela(fmAssAndamento, "fmAssAndamento");
    for (Qt::Key tecla : {Qt::Key_F1, Qt::Key_F9}) {
        SCOPED_TRACE(QTest::toString(tecla));
        testsupport::OnScreenDialogs naTela;
        naTela.key(Qt::Key_Escape);
        tela.dbgdAndamento->setFocus();
        QTest::keyClick(tela.dbgdAndamento, tecla);
        EXPECT_EQ(naTela.seen().size(), 1u) << naTela.texts().join(" | ").toStdString();
    }
}

class TeclaUmaVezSolicitacaoTest : public ModuleTest {};

// A bar code read and its quantity typed: the entry is complete, no second
// "Barras" follows.
TEST_F(TeclaUmaVezSolicitacaoTest, F9WithBarCodesAsksForOneCodePerPress)
{
    exec("update ACEC1101 set OUTRO_CODIGO = '7890001', ESTOQUE = 10 where CODIGO = 'P0001'");
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA) values (9101, '00002', '2026-12-01', 'A')");
    tr().commitRetaining();
    TfmAssSolicitacao& janela = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
    janela.bbNovo->click();
    dmTec->quSolicitaAOCODIGO->setAsInteger(9101);
    janela.bbSalvar->click();
    const int numero = dmTec->quSolicitaAICODIGO->asInteger();
    janela.ckBarras->setChecked(true);
    testsupport::OnScreenDialogs naTela;
    naTela.type("7890001", "OK").type("2", "OK");
    janela.dbgdAssSolicitacao->setFocus();
    QTest::keyClick(janela.dbgdAssSolicitacao, Qt::Key_F9);
    EXPECT_EQ(naTela.seen().size(), 2u) << naTela.texts().join(" | ").toStdString();
    EXPECT_EQ(logDe("[TfmAssSolicitacao.FormKeyDown]").count("***INICIO"), 1);
    EXPECT_EQ(lido(QString("select PRCODIGO || ':' || cast(AIQUANTIDADE as integer) from AATC07AI where AIID = 'I'"
                           " and AICODIGO = %1")
                       .arg(numero)),
              QStringList{"P0001:2"});
}

}  // namespace
}  // namespace moduletest
