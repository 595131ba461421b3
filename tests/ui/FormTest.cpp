#include "host/data/Abort.h"
#include "host/ui/Components.h"
#include "host/ui/Form.h"
#include "host/ui/PageControl.h"
#include "host/ui/ScriptedDialogs.h"
#include "host/ui/StatusBar.h"
#include "host/ui/WindowRegistry.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>

#include <stdexcept>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace host::ui;

namespace {

class TfmExemplo : public Form {
public:
    TfmExemplo()
    {
        setCaption("Exemplo");
        auto* layout = new QVBoxLayout(this);
        edCodigo = named<QLineEdit>("edCodigo", this);
        bbOk = named<QPushButton>("bbOk", "&OK", this);
        layout->addWidget(edCodigo);
        layout->addWidget(bbOk);
        connect(bbOk, &QPushButton::clicked, this, [this] { setModalResult(ModalResult::Ok); });
    }
    QLineEdit* edCodigo;
    QPushButton* bbOk;
};

FormVar<TfmExemplo> fmExemplo("fmExemplo");

void processDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class FormTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        WindowRegistry::freeAll();
        processDeferredDeletes();
    }
};

} // namespace

TEST_F(FormTest, RegistryCreatesOnceFindsAgainAndClearsOnFree)
{
    EXPECT_FALSE(fmExemplo);
    int created = 0;
    TfmExemplo* first = fmExemplo.create();
    first->onCreate = [&] { ++created; };   // too late for this one: it already ran
    EXPECT_EQ(first->objectName(), "fmExemplo");
    EXPECT_EQ(fmExemplo.create(), first);
    EXPECT_EQ(WindowRegistry::find("fmExemplo"), first);
    EXPECT_EQ(created, 0);

    first->setDefaultCloseAction(CloseAction::Free);
    first->showNonModal();
    EXPECT_TRUE(first->close());
    EXPECT_FALSE(fmExemplo) << "the variable is empty as soon as the window frees itself";
    EXPECT_EQ(WindowRegistry::find("fmExemplo"), nullptr);
    processDeferredDeletes();
    EXPECT_EQ(fmExemplo.get(), nullptr);
    EXPECT_FALSE(WindowRegistry::forms().contains(first));

    TfmExemplo* second = fmExemplo.create();
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(WindowRegistry::find("fmExemplo"), second);
}

TEST_F(FormTest, CloseActionsHideKeepOrRefuse)
{
    struct Case {
        CloseAction action;
        bool canClose;
        bool visibleAfter;
        bool alive;
    };
    const Case cases[] = {
        {CloseAction::Hide, true, false, true},
        {CloseAction::None, true, true, true},
        {CloseAction::Hide, false, true, true},
        {CloseAction::Free, true, false, false},
    };
    for (const auto& c : cases) {
        TfmExemplo* form = fmExemplo.create();
        form->onCloseQuery = [&](bool& canClose) { canClose = c.canClose; };
        form->onClose = [&](CloseAction& action) { action = c.action; };
        form->showNonModal();
        form->close();
        EXPECT_EQ(form->isVisible(), c.visibleAfter) << int(c.action) << c.canClose;
        EXPECT_EQ(bool(fmExemplo), c.alive) << int(c.action) << c.canClose;
        if (fmExemplo) {
            form->onCloseQuery = nullptr;
            form->onClose = nullptr;
            form->release();
        }
        processDeferredDeletes();
    }
}

TEST_F(FormTest, KeyPreviewSeesTheKeyBeforeTheFocusedControlAndMayConsumeIt)
{
    TfmExemplo* form = fmExemplo.create();
    form->setKeyPreview(true);
    QList<std::pair<int, Qt::KeyboardModifiers>> seen;
    form->onKeyDown = [&](int& key, Qt::KeyboardModifiers shift) {
        seen << std::pair{key, shift};
        if (key == Qt::Key_F2)
            key = 0;   // consumed: the edit never sees it
    };
    form->showNonModal();
    form->edCodigo->setFocus();

    QTest::keyClick(form->edCodigo, Qt::Key_A);
    QTest::keyClick(form->edCodigo, Qt::Key_F2);
    EXPECT_EQ(form->edCodigo->text(), "a") << "preview does not swallow keys it leaves alone";
    QTest::keyClick(form->edCodigo, Qt::Key_Shift);   // not taken by the edit: offered to its parents too
    QTest::keyClick(form->edCodigo, Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_GE(seen.size(), 4);
    EXPECT_EQ(seen[0].first, Qt::Key_A);
    EXPECT_EQ(seen[1].first, Qt::Key_F2);
    EXPECT_EQ(seen[2].first, Qt::Key_Shift) << "each key is previewed once, not again as it climbs to the parents";
    EXPECT_EQ(seen.last().first, Qt::Key_B);
    EXPECT_EQ(seen.last().second, Qt::ControlModifier | Qt::AltModifier);
    const qsizetype count = seen.size();

    form->setKeyPreview(false);
    QTest::keyClick(form->edCodigo, Qt::Key_F3);
    EXPECT_EQ(seen.size(), count);
}

TEST_F(FormTest, ModalShowIsDrivenByTheScriptAndReturnsTheResult)
{
    ScriptedDialogs dialogs;
    int shown = 0;
    TfmExemplo* form = fmExemplo.create();
    form->onShow = [&] { ++shown; };
    dialogs.modal("fmExemplo", [](Form& f) {
        EXPECT_TRUE(f.isVisible());
        EXPECT_TRUE(f.showingModal());
        static_cast<TfmExemplo&>(f).edCodigo->setText("123");
        static_cast<TfmExemplo&>(f).bbOk->click();
    });
    dialogs.modal("fmExemplo", [](Form&) {});   // no result: cancelled

    EXPECT_EQ(form->showModal(), ModalResult::Ok);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->showingModal());
    EXPECT_EQ(form->edCodigo->text(), "123");
    EXPECT_EQ(form->showModal(), ModalResult::Cancel);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(dialogs.texts(), (QStringList{"Exemplo", "Exemplo"}));
}

// What a window posts while it opens (a queued call of its show handler)
// has run when the user first acts on it: the script acts where a modal
// loop's first pass leaves the window.
TEST_F(FormTest, AScriptedModalWindowIsActedOnAfterWhatItsOpeningPosted)
{
    ScriptedDialogs dialogs;
    TfmExemplo* form = fmExemplo.create();
    form->onShow = [form] {
        QMetaObject::invokeMethod(form, [form] { form->edCodigo->setText("pronto"); }, Qt::QueuedConnection);
    };
    QString seen;
    dialogs.modal("fmExemplo", [&](Form& f) {
        seen = static_cast<TfmExemplo&>(f).edCodigo->text();
        f.setModalResult(ModalResult::Ok);
    });
    EXPECT_EQ(form->showModal(), ModalResult::Ok);
    EXPECT_EQ(seen, "pronto");
}

TEST_F(FormTest, AnUnexpectedModalWindowFailsAndIsCancelled)
{
    QStringList failures;
    ScriptedDialogs dialogs([&](const QString& m) { failures << m; });
    TfmExemplo* form = fmExemplo.create();
    EXPECT_EQ(form->showModal(), ModalResult::Cancel);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.first().contains("fmExemplo"));
}

TEST_F(FormTest, CloseRefusedKeepsTheModalFormOpenUntilAllowed)
{
    ScriptedDialogs dialogs;
    TfmExemplo* form = fmExemplo.create();
    bool allow = false;
    form->onCloseQuery = [&](bool& canClose) { canClose = allow; };
    dialogs.modal("fmExemplo", [&](Form& f) {
        f.setModalResult(ModalResult::Ok);
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.modalResult(), ModalResult::None);
        allow = true;
        f.setModalResult(ModalResult::Yes);
    });
    EXPECT_EQ(form->showModal(), ModalResult::Yes);
}

TEST_F(FormTest, AFailingHandlerIsShownAndNeverLeavesTheForm)
{
    ScriptedDialogs dialogs;
    TfmExemplo* form = fmExemplo.create();
    form->setKeyPreview(true);
    form->onShow = [] { throw std::runtime_error("Tabela não encontrada"); };
    form->onCloseQuery = [](bool&) { throw host::Abort(); };   // e.g. a post that refused the row
    form->onKeyDown = [](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_F5)
            throw std::runtime_error("Falha ao atualizar");
    };
    dialogs.acknowledge("Tabela não encontrada").acknowledge("Falha ao atualizar");

    EXPECT_NO_THROW(form->showNonModal());
    EXPECT_TRUE(form->isVisible());
    form->edCodigo->setFocus();
    EXPECT_NO_THROW(QTest::keyClick(form->edCodigo, Qt::Key_F5));
    EXPECT_NO_THROW(QTest::keyClick(form->edCodigo, Qt::Key_A));
    EXPECT_EQ(form->edCodigo->text(), "a");
    bool closed = true;
    EXPECT_NO_THROW(closed = form->close());
    EXPECT_FALSE(closed) << "a close query that fails keeps the window open";
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(dialogs.pending(), 0);

    form->onCloseQuery = nullptr;
    form->onClose = [](CloseAction&) { throw host::Abort(); };
    EXPECT_NO_THROW(closed = form->close());
    EXPECT_FALSE(closed);
    EXPECT_TRUE(bool(fmExemplo));
}

TEST_F(FormTest, FailingPageAndFocusHandlersAreShownNotThrown)
{
    ScriptedDialogs dialogs;
    TfmExemplo* form = fmExemplo.create();
    auto* pc = new PageControl("pcOrdemServico", form);
    form->layout()->addWidget(pc);
    pc->addPage("tsItens", "&Itens");
    TabSheet* tsLaudo = pc->addPage("tsLaudo", "&Laudo");
    auto* edLaudo = named<QLineEdit>("edLaudo", tsLaudo);
    pc->onChange = [] { throw std::runtime_error("Página recusada"); };
    tsLaudo->onEnter = [] { throw std::runtime_error("Laudo bloqueado"); };
    form->showNonModal();
    QApplication::setActiveWindow(form);
    dialogs.acknowledge("Página recusada").acknowledge("Laudo bloqueado");

    EXPECT_NO_THROW(QTest::mouseClick(pc->tabBar(), Qt::LeftButton, {},
                                      pc->tabBar()->tabRect(tsLaudo->pageIndex()).center()));
    EXPECT_NO_THROW(edLaudo->setFocus());
    EXPECT_EQ(dialogs.pending(), 0);
}

// A window closed with the focus inside a page: the page's exit handler
// belongs to the window being torn down and must not run on its remains.
TEST_F(FormTest, DestroyingAWindowWithTheFocusInAPageRunsNoExitHandler)
{
    TfmExemplo* form = fmExemplo.create();
    auto* pc = new PageControl("pcOrdemServico", form);
    form->layout()->addWidget(pc);
    TabSheet* tsItens = pc->addPage("tsItens", "&Itens");
    auto* edItem = named<QLineEdit>("edItem", tsItens);
    int saidas = 0;
    pc->onExit = [&saidas, pc] {
        ++saidas;
        (void)pc->activePage();
    };
    form->showNonModal();
    QApplication::setActiveWindow(form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    edItem->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edItem);
    form->release();
    processDeferredDeletes();
    EXPECT_EQ(fmExemplo.get(), nullptr);
    EXPECT_EQ(saidas, 0);
}

TEST_F(FormTest, PlacementAndTag)
{
    TfmExemplo* form = fmExemplo.create();
    form->setStayOnTop(true);
    form->setStartMaximized(true);
    form->setTag(7);
    form->showNonModal();
    EXPECT_TRUE(form->stayOnTop());
    EXPECT_TRUE(form->windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(form->tag(), 7);
    EXPECT_EQ(tagOf(form), 7);
}

TEST_F(FormTest, PagesHideReorderRecaptionAndReportUserChangesOnly)
{
    TfmExemplo* form = fmExemplo.create();
    auto* pc = new PageControl("pcOrdemServico", form);
    form->layout()->addWidget(pc);
    TabSheet* tsItens = pc->addPage("tsItens", "&Itens da OS");
    TabSheet* tsServico = pc->addPage("tsServico", "Se&rviço");
    TabSheet* tsLaudo = pc->addPage("tsLaudo", "&Laudo");
    int changes = 0;
    pc->onChange = [&] { ++changes; };
    form->showNonModal();

    tsItens->setTabVisible(false);
    tsItens->setPageIndex(pc->pageCount() - 1);
    tsItens->setTag(tsItens->pageIndex());
    EXPECT_EQ(pc->page(2), tsItens);
    EXPECT_EQ(tsItens->tag(), 2);
    EXPECT_FALSE(tsItens->tabVisible());
    EXPECT_TRUE(tsServico->tabVisible());
    EXPECT_EQ(tsServico->pageIndex(), 0);
    EXPECT_EQ(tsItens->caption(), "&Itens da OS");
    tsLaudo->setCaption("Lau&do");
    EXPECT_EQ(pc->tabText(tsLaudo->pageIndex()), "Lau&do");
    EXPECT_EQ(pc->page("tsLaudo"), tsLaudo);

    pc->setActivePage(tsLaudo);
    EXPECT_EQ(pc->activePage(), tsLaudo);
    EXPECT_EQ(changes, 0) << "a page set from code is no user change";
    pc->tabBar()->setCurrentIndex(tsItens->pageIndex());
    EXPECT_EQ(changes, 0);
    QTest::mouseClick(pc->tabBar(), Qt::LeftButton, {}, pc->tabBar()->tabRect(tsServico->pageIndex()).center());
    EXPECT_EQ(pc->activePage(), tsServico);
    EXPECT_EQ(changes, 1);
}

TEST_F(FormTest, StatusBarPanelsAndPopupMenu)
{
    TfmExemplo* form = fmExemplo.create();
    auto* sb = new StatusBar("sbStatus", form);
    EXPECT_EQ(sb->addPanel(100, "F2 - Nova OS"), 0);
    EXPECT_EQ(sb->addPanel(0), 1);
    sb->setPanelText(1, "Registros: 3");
    EXPECT_EQ(sb->panelCount(), 2);
    EXPECT_EQ(sb->panelText(0), "F2 - Nova OS");
    EXPECT_EQ(sb->panelText(1), "Registros: 3");
    EXPECT_EQ(sb->panelText(5), "");

    auto* menu = named<QMenu>("pmOpcoes", form);
    setPopupMenu(form->edCodigo, menu);
    EXPECT_EQ(popupMenu(form->edCodigo), menu);
    EXPECT_EQ(form->edCodigo->contextMenuPolicy(), Qt::CustomContextMenu);
}

// Enter that no control takes presses the window's default button, as in a
// dialog: from a box, from a grid-like control that lets it go, but not the
// hidden or disabled one; a button with the focus is pressed itself; a memo
// keeps its Enter, and the window's key preview may take the key first.
TEST_F(FormTest, EnterPressesTheFocusedButtonOrElseTheDefaultOne)
{
    Form form;
    auto* layout = new QVBoxLayout(&form);
    auto* edNumero = named<QLineEdit>("edNumero", &form);
    auto* memo = named<QPlainTextEdit>("mmObs", &form);
    auto* bbPesquisa = named<QPushButton>("bbPesquisa", "&Pesquisar", &form);
    auto* bbSair = named<QPushButton>("bbSair", "S&air", &form);
    for (QWidget* w : std::initializer_list<QWidget*>{edNumero, memo, bbPesquisa, bbSair})
        layout->addWidget(w);
    int pesquisas = 0, saidas = 0;
    QObject::connect(bbPesquisa, &QPushButton::clicked, [&] { ++pesquisas; });
    QObject::connect(bbSair, &QPushButton::clicked, [&] { ++saidas; });
    form.show();
    QApplication::setActiveWindow(&form);

    edNumero->setFocus();
    QTest::keyClick(edNumero, Qt::Key_Return);
    EXPECT_EQ(pesquisas, 0) << "no default button: Enter does nothing";

    bbPesquisa->setDefault(true);
    QTest::keyClick(edNumero, Qt::Key_Return);
    QTest::keyClick(edNumero, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(pesquisas, 2);
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(pesquisas, 2);
    EXPECT_EQ(memo->toPlainText(), "\n");

    bbSair->setFocus();
    QTest::keyClick(bbSair, Qt::Key_Return);
    EXPECT_EQ(saidas, 1);
    EXPECT_EQ(pesquisas, 2);

    edNumero->setFocus();
    bbPesquisa->setEnabled(false);
    QTest::keyClick(edNumero, Qt::Key_Return);
    bbPesquisa->setEnabled(true);
    bbPesquisa->hide();
    QTest::keyClick(edNumero, Qt::Key_Return);
    bbPesquisa->show();
    EXPECT_EQ(pesquisas, 2);

    form.setKeyPreview(true);
    form.onKeyDown = [](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return)
            key = 0;
    };
    QTest::keyClick(edNumero, Qt::Key_Return);
    EXPECT_EQ(pesquisas, 2) << "taken by the window's own key handler";
    QTest::keyClick(edNumero, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(pesquisas, 3);
}
