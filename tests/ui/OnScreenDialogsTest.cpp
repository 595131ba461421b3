// The real dialogs: each belongs to the window that opens it (transient for
// it, modal, above it when it stays on top), standard buttons read in
// Portuguese, and a question closes with Esc as its declining caption.

#include "host/ui/Dialogs.h"
#include "host/ui/Form.h"
#include "tests/support/OnScreenDialogs.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QTemporaryDir>
#include <QTreeView>
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

// A message with a long title: its text stands right after the icon, the
// room the title needs is after the text.
TEST_F(OnScreenDialogsTest, AMessagesTextStandsRightAfterItsIcon)
{
    testsupport::OnScreenDialogs naTela;
    int vao = -1;
    naTela.whileOpen([&vao](QWidget& aberto) {
        auto* icone = aberto.findChild<QLabel*>("qt_msgboxex_icon_label");
        auto* texto = aberto.findChild<QLabel*>("qt_msgbox_label");
        ASSERT_TRUE(icone && texto);
        // Where the icon is drawn in its label, by the label's alignment.
        const int imagem = icone->pixmap().deviceIndependentSize().toSize().width();
        const QRect caixa = icone->geometry();
        const int fimIcone = icone->alignment() & Qt::AlignHCenter ? caixa.center().x() + imagem / 2
                             : icone->alignment() & Qt::AlignRight ? caixa.right()
                                                                   : caixa.left() + imagem;
        vao = texto->geometry().left() + texto->contentsRect().left() - fimIcone;
        aberto.grab().save(QDir(QCoreApplication::applicationDirPath()).filePath("dialogo_mensagem.png"));
    });
    Dialogs::information("Operação efetuada com sucesso!", "Faturamento de Contratos (Locação de Equipamentos)");
    ASSERT_EQ(naTela.seen().size(), 1u);
    EXPECT_GE(vao, 0);
    EXPECT_LE(vao, 40) << "no wide gap between the icon and the text";
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

// The file dialog lists a folder's entries in Portuguese: their type
// ("Pasta", "Arquivo txt") and their dates (no "Dec").
TEST_F(OnScreenDialogsTest, TheFileDialogListsTypesAndDatesInPortuguese)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(QDir(pasta.path()).mkdir("Contratos"));
    QFile arquivo(pasta.filePath("leia.txt"));
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("x");
    arquivo.close();
    const QDateTime dezembro(QDate(2026, 12, 8), QTime(10, 30));
    ASSERT_TRUE(arquivo.open(QIODevice::ReadWrite));
    ASSERT_TRUE(arquivo.setFileTime(dezembro, QFileDevice::FileModificationTime));
    arquivo.close();

    testsupport::OnScreenDialogs naTela;
    QStringList linhas, titulos;
    naTela.inspect([&](QWidget& dialogo) {
        auto* lista = dialogo.findChild<QTreeView*>("treeView");
        ASSERT_NE(lista, nullptr);
        QAbstractItemModel* modelo = lista->model();
        QTRY_COMPARE_WITH_TIMEOUT(modelo->rowCount(lista->rootIndex()), 2, 5000);
        for (int c = 0; c < modelo->columnCount(lista->rootIndex()); ++c)
            titulos << modelo->headerData(c, Qt::Horizontal).toString();
        for (int r = 0; r < 2; ++r) {
            QStringList celulas;
            for (int c = 0; c < modelo->columnCount(lista->rootIndex()); ++c)
                celulas << modelo->index(r, c, lista->rootIndex()).data().toString();
            linhas << celulas.join(" | ");
        }
    });
    QString caminho = pasta.path() + "/";
    EXPECT_FALSE(Dialogs::openFile("Abrir", "Todos (*.*)|*.*", caminho));
    linhas.sort();
    ASSERT_EQ(linhas.size(), 2) << titulos.join(" | ").toStdString();
    EXPECT_TRUE(linhas[0].startsWith("Contratos |  | Pasta | ")) << linhas[0].toStdString();
    EXPECT_TRUE(linhas[1].startsWith("leia.txt | ")) << linhas[1].toStdString();
    EXPECT_TRUE(linhas[1].contains(" | Arquivo txt | 08/12/2026 10:30")) << linhas[1].toStdString();
    EXPECT_FALSE(titulos.join(' ').contains("Name")) << titulos.join(" | ").toStdString();
}
