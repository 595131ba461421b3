// The real dialogs: each belongs to the window that opens it (transient for
// it, modal, above it when it stays on top), standard buttons read in
// Portuguese, and a question closes with Esc as its declining caption.

#include "host/ui/Dialogs.h"
#include "host/ui/Form.h"
#include "tests/support/OnScreenDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using namespace host::ui;

namespace {

class OnScreenDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        janela.setObjectName("fmJanela");
        janela.setStayOnTop(true);
        janela.resize(400, 300);
        janela.showNonModal();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    }
    Form janela;
};

} // namespace

TEST_F(OnScreenDialogsTest, MessagesQuestionsAndPromptsBelongToTheWindowThatOpensThem)
{
    testsupport::OnScreenDialogs naTela;
    naTela.press("").press("Sim").press("");
    Dialogs::information("Registro gravado.");
    EXPECT_EQ(Dialogs::question("Confirma?", {"Sim", "Não"}), "Sim");
    QString valor = "x";
    EXPECT_FALSE(Dialogs::inputQuery("Placa", "Informe a placa", valor));
    ASSERT_EQ(naTela.seen().size(), 3u);
    for (const auto& visto : naTela.seen()) {
        SCOPED_TRACE(visto.text.toStdString());
        EXPECT_EQ(visto.parent.data(), &janela);
        EXPECT_EQ(visto.transientParent, janela.windowHandle());
        EXPECT_NE(visto.modality, Qt::NonModal);
        EXPECT_TRUE(visto.stayOnTop) << "a window that stays on top would cover it";
    }
}

TEST_F(OnScreenDialogsTest, AModalWindowIsTransientForItsOpenerAndStaysAboveIt)
{
    testsupport::OnScreenDialogs naTela;
    Form picker;
    picker.setObjectName("fmPesquisa");
    picker.resize(200, 100);
    EXPECT_EQ(picker.showModal(), ModalResult::Cancel);
    ASSERT_EQ(naTela.seen().size(), 1u);
    EXPECT_EQ(naTela.seen()[0].className, "host::ui::Form");
    EXPECT_EQ(naTela.seen()[0].transientParent, janela.windowHandle());
    EXPECT_EQ(naTela.seen()[0].modality, Qt::ApplicationModal);
    EXPECT_TRUE(naTela.seen()[0].stayOnTop);
}

// A message of no window (the window that asked already closed, as a picker
// is before its refusal shows, and the window under it not active again
// yet) belongs to the window under it and stays above the windows that stay
// on top.
TEST_F(OnScreenDialogsTest, AMessageOfNoWindowStaysAboveTheWindowsThatStayOnTop)
{
    testsupport::OnScreenDialogs naTela;
    {
        Form outra;
        outra.setObjectName("fmOutra");
        outra.resize(200, 100);
        outra.showNonModal();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&outra));
    }
    QApplication::setActiveWindow(nullptr);
    Dialogs::information("Quantidade conferida: 3");
    ASSERT_EQ(naTela.seen().size(), 1u);
    EXPECT_TRUE(naTela.seen()[0].stayOnTop);
    EXPECT_EQ(naTela.seen()[0].transientParent, janela.windowHandle());
}

// A window manager shortens a title wider than its window: a prompt with a
// short question is still as wide as its title needs.
TEST_F(OnScreenDialogsTest, APromptIsWideEnoughForItsWholeTitle)
{
    testsupport::OnScreenDialogs naTela;
    int largura = 0;
    naTela.whileOpen([&largura](QWidget& aberto) {
        largura = aberto.width();
        // Its picture beside the test program, a test artefact.
        aberto.grab().save(QDir(QCoreApplication::applicationDirPath()).filePath("dialogo_entrada_de_dados.png"));
    });
    QString valor;
    Dialogs::inputQuery("Entrada de Dados", "Série:", valor);
    ASSERT_EQ(naTela.seen().size(), 1u);
    const int titulo = QFontMetrics(QApplication::font()).horizontalAdvance("Entrada de Dados");
    EXPECT_GE(largura, titulo + 120) << "room for the title bar's buttons";
}

TEST_F(OnScreenDialogsTest, EscDeclinesAQuestionAndAQuestionWithoutDeclineStillCloses)
{
    testsupport::OnScreenDialogs naTela;   // nothing scripted: Esc on each
    EXPECT_EQ(Dialogs::question("Deseja excluir?", {"Sim", "Não"}), "Não");
    EXPECT_EQ(Dialogs::question("Salvar alterações?", {"Sim", "Não", "Cancelar"}), "Não");
    EXPECT_EQ(Dialogs::question("Imprimir?", {"Cancelar", "Imprimir"}), "Cancelar");
    EXPECT_EQ(Dialogs::question("Qual?", {"Série", "Placa"}), "") << "closed without a choice";
    ASSERT_EQ(naTela.seen().size(), 4u);
    EXPECT_EQ(naTela.seen()[3].buttons, (QStringList{"Série", "Placa"})) << "no button added in sight";
}

TEST_F(OnScreenDialogsTest, StandardButtonsReadInPortuguese)
{
    ASSERT_TRUE(Dialogs::loadQtTranslations()) << "Qt's translations (qtbase_pt_BR) are not installed";
    testsupport::OnScreenDialogs naTela;
    QString valor;
    Dialogs::inputQuery("Placa", "Informe a placa", valor);
    ASSERT_EQ(naTela.seen().size(), 1u);
    EXPECT_TRUE(naTela.seen()[0].buttons.contains("Cancelar")) << naTela.seen()[0].buttons.join(',').toStdString();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").remove('&'), "Sim");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&No").remove('&'), "Não");
}
