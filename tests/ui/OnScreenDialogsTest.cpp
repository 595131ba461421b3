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
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

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

namespace {

// What a title bar needs: the window manager draws the title in its own
// font, bold and up to 12 points on common desktops, larger than the
// window's 9-point text, beside an icon and its buttons.
int larguraDoTitulo(const QString& titulo)
{
    QFont fonte = QApplication::font();
    fonte.setBold(true);
    fonte.setPointSizeF(std::max(fonte.pointSizeF() * 1.15, 12.0));
    return QFontMetrics(fonte).horizontalAdvance(titulo) + 120;
}

// Whether the label shows its whole text in the room its dialog gave it.
QString textoCortado(const QLabel& rotulo, const QWidget& dialogo)
{
    if (!dialogo.rect().contains(rotulo.geometry()))
        return "the text goes past the dialog's edge";
    if (!rotulo.wordWrap() && rotulo.minimumSizeHint().width() > rotulo.width())
        return QString("one line of %1 px in %2 px").arg(rotulo.minimumSizeHint().width()).arg(rotulo.width());
    if (rotulo.wordWrap() && rotulo.heightForWidth(rotulo.width()) > rotulo.height())
        return QString("%1 px of lines in %2 px").arg(rotulo.heightForWidth(rotulo.width())).arg(rotulo.height());
    return {};
}

} // namespace

// A window manager shortens a title wider than its window: every dialog,
// however short its text, is as wide as its title needs, with the program's
// name the title bar shows after it once the main window has named it.
TEST_F(OnScreenDialogsTest, EveryDialogIsWideEnoughForItsWholeTitle)
{
    const QString programa = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName("Assistência Técnica");
    const int tela = QGuiApplication::primaryScreen()->availableGeometry().width();
    for (const QString titulo : {"Entrada de Dados", "Senha para Reabrir Checkout", "Início da Previsão de faturamento",
                                 "Faturamento de Contratos (Locação de Equipamentos)"}) {
        testsupport::OnScreenDialogs naTela;
        std::vector<int> larguras;
        for (int i = 0; i < 4; ++i)
            naTela.inspect([&larguras, titulo](QWidget& aberto) {
                larguras.push_back(aberto.width());
                // Its picture beside the test program, a test artefact.
                if (titulo == "Senha para Reabrir Checkout")
                    aberto.grab().save(QDir(QCoreApplication::applicationDirPath())
                                           .filePath(QString("dialogo_titulo_%1.png").arg(larguras.size())));
            });
        QString valor;
        Dialogs::information("Sim.", titulo);
        Dialogs::question("Ok?", {"Sim", "Não"}, titulo);
        Dialogs::inputQuery(titulo, "Série:", valor);
        Dialogs::password(titulo, "Senha:", valor);
        ASSERT_EQ(larguras.size(), 4u);
        for (size_t i = 0; i < larguras.size(); ++i)
            EXPECT_GE(larguras[i], std::min(larguraDoTitulo(titulo + " \u2014 Assistência Técnica"), tela))
                << titulo.toStdString() << ", " << naTela.seen()[i].className.toStdString();
    }
    QGuiApplication::setApplicationDisplayName(programa);
}

// A message's text is never cut: a text wider than its title needs (the first
// start's "Tabela de Cadastro de Medidores criada com Sucesso!" under the
// program's name) widens its box, a long one wraps, in a box on the screen.
TEST_F(OnScreenDialogsTest, AMessagesWholeTextShowsWhateverItsTitle)
{
    const QString longo = "O contrato 12 tem parcelas em aberto, recibos emitidos e equipamentos ainda não devolvidos; "
                          "encerre as parcelas, devolva os equipamentos e confira os recibos antes de cancelar o "
                          "contrato, ou escolha outro contrato na pesquisa.";
    const std::vector<std::pair<QString, QString>> casos = {
        {"Assistência Técnica", "Tabela de Cadastro de Medidores criada com Sucesso!"},
        {"techassist", "O banco de dados \"/tmp/pasta/que/nao/existe/techassist.fdb\" não foi encontrado."},
        {"Assistência Técnica", longo},
        {"Faturamento de Contratos (Locação de Equipamentos)", longo},
    };
    for (const auto& [titulo, texto] : casos) {
        testsupport::OnScreenDialogs naTela;
        QStringList cortes;
        for (int i = 0; i < 3; ++i)
            naTela.inspect([&cortes](QWidget& aberto) {
                auto* rotulo = aberto.findChild<QLabel*>("qt_msgbox_label");
                ASSERT_NE(rotulo, nullptr);
                cortes << textoCortado(*rotulo, aberto);
                if (aberto.width() > aberto.screen()->availableGeometry().width())
                    cortes.last() += " wider than the screen";
            });
        Dialogs::information(texto, titulo);
        Dialogs::warning(texto, titulo);
        Dialogs::question(texto, {"Sim", "Não"}, titulo);
        ASSERT_EQ(cortes.size(), 3);
        for (const QString& corte : cortes)
            EXPECT_TRUE(corte.isEmpty()) << corte.toStdString() << ": " << texto.toStdString();
    }
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
