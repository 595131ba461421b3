// Windows with grids opened through the dispatcher on the demonstration
// company, a cell being typed (its editor open) when the window is closed or
// the program ends through the main window: Qt reports nothing about the
// editor (no "closeEditor called with an editor that does not belong to
// this view"). A choice made in a cell and the window closed before the
// event loop ran again: the delegate's late write finds no editor of the
// grid's, and the choice saved on closing is stored.

#include "tests/module/ModuleFixture.h"
#include "tests/module/PrimeiroUsoFixture.h"

#include "data/uDataTec.h"
#include "service_orders/uAssSolicitacao.h"

#include "host/Udmglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/schema/HostSchema.h"
#include "host/ui/DataGrid.h"
#include "host/ui/ScriptedDialogs.h"
#include "host/ui/WindowRegistry.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

namespace moduletest {
namespace {

// Qt's warnings while it lives, passed on to the handler before it as well.
class AvisosDoQt {
public:
    AvisosDoQt() { anterior_ = qInstallMessageHandler(&AvisosDoQt::guarda); }
    ~AvisosDoQt() { qInstallMessageHandler(anterior_); }
    static QStringList& lidos()
    {
        static QStringList avisos;
        return avisos;
    }

private:
    static void guarda(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto)
    {
        if (tipo == QtWarningMsg || tipo == QtCriticalMsg)
            lidos() << texto;
        if (anterior_)
            anterior_(tipo, contexto, texto);
    }
    static inline QtMessageHandler anterior_ = nullptr;
};

// Another window opened through the dispatcher, the events waiting before
// it handled in their order, as the program's loop does.
void abrirOutra()
{
    uPackageAss::ShowJanelaTec("fmAssAndamento");
    EXPECT_TRUE(QTest::qWaitForWindowActive(host::ui::WindowRegistry::forms().last()));
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList avisosDoEditor()
{
    return AvisosDoQt::lidos().filter("editor", Qt::CaseInsensitive);
}

class FecharComEditorAbertoTest : public ModuleTest, public testing::WithParamInterface<const char*> {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate::currentDate()));
        AvisosDoQt::lidos().clear();
        dialogs->setAutoAcknowledgeMessages(true);
    }
    // The window's first grid shown with a cell the user may type into.
    static host::ui::DataGrid* gradeEditavel(host::ui::Form& janela, int& coluna)
    {
        for (host::ui::DataGrid* grade : janela.findChildren<host::ui::DataGrid*>()) {
            host::data::Dataset* dados = grade->dataset();
            if (!grade->isVisible() || !grade->isEnabled() || grade->readOnlyGrid() || !dados || !dados->active())
                continue;
            for (int c = 0; c < grade->columnCount(); ++c) {
                host::ui::GridColumn* col = grade->column(c);
                host::data::Field* campo = col->field();
                if (col->visible() && !col->readOnly() && campo && !campo->readOnly() && col->pickList().isEmpty() &&
                    campo->dataType() == host::data::FieldType::String) {
                    coluna = c;
                    return grade;
                }
            }
        }
        return nullptr;
    }
    // The cell's editor open with a text typed and not yet written (on a
    // new row when the grid has none).
    void digitaSemSair(host::ui::DataGrid& grade, int coluna)
    {
        grade.setFocus();
        if (grade.dataset()->isEmpty())
            QTest::keyClick(&grade, Qt::Key_Insert);   // a new row, being typed
        grade.setSelectedIndex(coluna);
        grade.editCurrentCell();
        QWidget* editor = grade.indexWidget(grade.currentIndex());
        auto* linha = qobject_cast<QLineEdit*>(editor);
        if (!linha && editor)
            linha = editor->findChild<QLineEdit*>();
        ASSERT_NE(linha, nullptr);
        QTest::keyClicks(linha, "7");
        digitado = linha;
        ASSERT_NE(grade.indexWidget(grade.currentIndex()), nullptr) << "the editor open";
    }
    // The text editor of the cell being typed.
    QPointer<QLineEdit> digitado;
    host::ui::Form& abrir()
    {
        uPackageAss::CriarDataTec();
        uPackageAss::CriarDataTecContrato();
        uPackageAss::ShowJanelaTec(GetParam());
        host::ui::Form* janela = host::ui::WindowRegistry::forms().last();
        EXPECT_TRUE(QTest::qWaitForWindowActive(janela));
        return *janela;
    }
    // The window opened with a cell of its grid being typed; asked whether
    // to save on closing, the user says no.
    host::ui::Form& abrirDigitando()
    {
        host::ui::Form& janela = abrir();
        int coluna = -1;
        host::ui::DataGrid* grade = gradeEditavel(janela, coluna);
        EXPECT_NE(grade, nullptr) << "no grid to type into";
        if (grade)
            digitaSemSair(*grade, coluna);
        dialogs->answer("Não", "Deseja salvar");
        return janela;
    }
};

TEST_P(FecharComEditorAbertoTest, ClosingTheWindowWithACellBeingTypedWarnsNothing)
{
    AvisosDoQt avisos;
    host::ui::Form& janela = abrirDigitando();
    ASSERT_FALSE(HasFailure());
    QPointer<host::ui::Form> vigia(&janela);
    janela.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(!vigia || !vigia->isVisible()) << "the window closed";
    EXPECT_EQ(avisosDoEditor(), QStringList{});
}

TEST_P(FecharComEditorAbertoTest, ClosingTheWindowRightAfterEnterInACellWarnsNothing)
{
    AvisosDoQt avisos;
    host::ui::Form& janela = abrirDigitando();
    ASSERT_FALSE(HasFailure());
    // Enter writes the cell once the event loop runs again: the window is
    // closed before that.
    ASSERT_NE(digitado, nullptr);
    QTest::keyClick(digitado, Qt::Key_Return);
    QPointer<host::ui::Form> vigia(&janela);
    janela.close();
    abrirOutra();
    EXPECT_TRUE(!vigia || !vigia->isVisible()) << "the window closed";
    EXPECT_EQ(avisosDoEditor(), QStringList{});
}

TEST_P(FecharComEditorAbertoTest, EndingTheProgramWithACellBeingTypedWarnsNothing)
{
    AvisosDoQt avisos;
    criarPrincipal();
    abrirDigitando();
    ASSERT_FALSE(HasFailure());
    principal->close();
    host::ui::WindowRegistry::freeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_EQ(avisosDoEditor(), QStringList{});
}

INSTANTIATE_TEST_SUITE_P(Janelas, FecharComEditorAbertoTest,
                         testing::Values("fmAssOrdemServico;42", "fmAssBaixaPecas", "fmAssAndamento",
                                         "fmAssContratos"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return QString::fromLatin1(info.param).section(';', 0, 0).toStdString();
                         });

// The parts request of the walk: a responsible person chosen in the grid's
// look-up cell (Enter, as the user picks it), the window closed at once and
// saved, then another window opened.
class FecharComEscolhaNaGradeTest : public PrimeiroUsoTest {};

TEST_F(FecharComEscolhaNaGradeTest, ClosingThePartsRequestRightAfterChoosingTheResponsibleWarnsNothingAndKeepsIt)
{
    AvisosDoQt avisos;
    AvisosDoQt::lidos().clear();
    TfmAssSolicitacao& janela = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
    const int numero = pedidoDePecaComResponsavel(janela);
    host::ui::DataGrid* grade = janela.dbgdAssSolicitacao;
    ASSERT_NE(qobject_cast<QComboBox*>(grade->indexWidget(grade->currentIndex())), nullptr) << "the choice still open";
    dialogs->answer("Sim", "Deseja salvar");
    janela.close();
    abrirOutra();
    EXPECT_TRUE(dialogs->texts().contains("Deseja salvar as alterações ?")) << vistos();
    EXPECT_EQ(avisosDoEditor(), QStringList{});
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido(QString("select coalesce(PRCODIGO, '') || '|' || coalesce(ATCODIGOENTREGA, 0) from AATC07AI"
                           " where AICODIGO = %1 and AIID = 'I'")
                       .arg(numero)),
              QStringList{"P0003|2"})
        << vistos();
}

}  // namespace
}  // namespace moduletest
