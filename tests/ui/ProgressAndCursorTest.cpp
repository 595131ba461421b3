#include "host/ui/Cursors.h"
#include "host/ui/ProgressWindow.h"

#include <QApplication>
#include <QCommonStyle>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QThread>

#include "QtPrinters.h"
#include "tests/support/ProgressAtOnce.h"
#include "tests/support/ShowCounter.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace host::ui;

namespace {

QWidget* janelaDeProgresso()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "fmSplash")
            return w;
    return nullptr;
}

}  // namespace

TEST(ProgressWindow, ShowIncrementHideByTheClassicActions)
{
    ProgressWindow& progress = ProgressWindow::instance();
    progress.prepare(3, "Inserindo itens de verificação", "Mostrar");
    EXPECT_TRUE(progress.isShown());
    EXPECT_EQ(progress.total(), 3);
    EXPECT_EQ(progress.position(), 0);
    progress.prepare(1, "Inserindo item 1", "Incrementar");
    progress.prepare(1, "", "Incrementar");
    EXPECT_EQ(progress.position(), 2);
    EXPECT_EQ(progress.text(), "Inserindo item 1") << "an empty text keeps the last one";
    progress.prepare(0, "", "Qualquer");
    EXPECT_EQ(progress.position(), 2);
    progress.prepare(0, "", "Ocultar");
    EXPECT_FALSE(progress.isShown());
    progress.prepare(1, "", "Incrementar");
    EXPECT_EQ(progress.position(), 0) << "a hidden window does not advance";
}

// A batch counts every row; the window paints at most every 100 ms, but its
// controls always show the last text and position.
TEST(ProgressWindow, ControlsFollowEveryIncrementWhilePaintingIsSpaced)
{
    const testsupport::ProgressAtOnce semEspera;
    ProgressWindow& progress = ProgressWindow::instance();
    progress.prepare(1000, "Faturando Contratos...", "Mostrar");
    for (int i = 1; i <= 1000; ++i)
        progress.prepare(1, "Nota fiscal gerada: " + QString::number(i), "Incrementar");
    QWidget* janela = janelaDeProgresso();
    ASSERT_NE(janela, nullptr);
    EXPECT_EQ(janela->findChild<QLabel*>("laMensagem")->text(), "Nota fiscal gerada: 1000");
    EXPECT_EQ(janela->findChild<QProgressBar*>("pbProgresso")->value(), 1000);
    // Between paints it still paints when the work lets it (a message shown
    // over it, the work waiting): the last text reaches the screen.
    EXPECT_TRUE(janela->updatesEnabled());
    progress.prepare(0, "", "Ocultar");
}

// The bar remembers where its parts go between steps: after its size, its
// text or its values change it is drawn as the flat style draws a new bar.
TEST(ProgressWindow, TheBarIsDrawnWhereTheFlatStyleDrawsItAfterEveryChange)
{
    const testsupport::ProgressAtOnce semEspera;
    ProgressWindow& progress = ProgressWindow::instance();
    progress.prepare(1000, "Faturando Contratos...", "Mostrar");
    QWidget* janela = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "fmSplash")
            janela = w;
    ASSERT_NE(janela, nullptr);
    auto* barra = janela->findChild<QProgressBar*>("pbProgresso");
    QCommonStyle plano;
    // The same bar drawn again by a flat style that remembers nothing.
    auto igual = [&](const char* quando) {
        QStyle* proprio = barra->style();
        const QImage desenhada = barra->grab().toImage();
        barra->setStyle(&plano);
        const QImage esperada = barra->grab().toImage();
        barra->setStyle(proprio);
        EXPECT_EQ(desenhada, esperada) << quando;
    };
    for (int i = 1; i <= 7; ++i)
        progress.prepare(1, "Contrato " + QString::number(i), "Incrementar");
    igual("after a few steps");
    janela->resize(janela->width() + 120, janela->height());
    QApplication::processEvents();
    igual("after the window grew");
    progress.prepare(500, "", "Incrementar");
    igual("at half");
    barra->setFormat("%v de %m");
    progress.prepare(1, "", "Incrementar");
    igual("with a longer text");
    QFont maior = barra->font();
    maior.setPointSize(maior.pointSize() + 6);
    barra->setFont(maior);
    igual("with a larger font");
    barra->setFormat("%p%");
    barra->setFont(QFont());
    progress.prepare(0, "", "Ocultar");
}

// A batch's window stays up over its rows: a routine run per row shows,
// advances and hides its own progress without bringing the window down and
// up again; the window goes at the end, also when a row fails.
TEST(ProgressWindow, ABatchShowsItsWindowOnceOverItsRowsOwnProgress)
{
    const testsupport::ProgressAtOnce semEspera;
    ProgressWindow& progress = ProgressWindow::instance();
    QApplication::processEvents();
    const testsupport::ShowCounter janela("fmSplash");
    try {
        BatchProgress lote(3, "Aguarde. Gerando parcelamento...");
        for (int linha = 1; linha <= 3; ++linha) {
            progress.prepare(10, "Gerando parcelamento...", "Mostrar");
            progress.prepare(1, "Aguarde. Gerando parcelamento...", "Incrementar");
            progress.prepare(0, "", "Ocultar");
            EXPECT_TRUE(progress.isShown()) << "still up after row " << linha;
            lote.step();
            EXPECT_EQ(progress.total(), 3);
            EXPECT_EQ(progress.position(), linha) << "the rows' own steps leave the batch's count";
            if (linha == 3) {
                progress.prepare(10, "Gerando parcelamento...", "Mostrar");
                throw std::runtime_error("falha");
            }
        }
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(janela.count(), 1);
    EXPECT_FALSE(progress.isShown()) << "hidden when the batch stops on a failure";

    // Alone again (the event loop has run), a routine shows and hides the window itself.
    QApplication::processEvents();
    progress.prepare(10, "Gerando parcelamento...", "Mostrar");
    EXPECT_EQ(janela.count(), 2);
    progress.prepare(0, "", "Ocultar");
    EXPECT_FALSE(progress.isShown());
    QApplication::processEvents();
}

// Work that ends within the minimum duration brings no window up, however
// many routines show, advance and hide it one after another (a contract
// each); what the routines read of it follows all the same.
TEST(ProgressWindow, ShortWorkBringsNoWindowUp)
{
    ProgressWindow& progress = ProgressWindow::instance();
    QApplication::processEvents();
    const testsupport::ShowCounter janela("fmSplash");
    for (int contrato = 1; contrato <= 50; ++contrato) {
        progress.prepare(10, "Gerando parcelamento...", "Mostrar");
        for (int parcela = 1; parcela <= 12; ++parcela)
            progress.prepare(1, "Aguarde. Gerando parcelamento...", "Incrementar");
        EXPECT_TRUE(progress.isShown());
        EXPECT_EQ(progress.position(), 12);
        progress.prepare(0, "", "Ocultar");
        EXPECT_FALSE(progress.isShown());
    }
    EXPECT_EQ(janela.count(), 0);
    QWidget* w = janelaDeProgresso();
    EXPECT_TRUE(w == nullptr || !w->isVisible());
}

// Longer work brings the window up at its first step after the minimum
// duration, with the work's latest text and position; it goes at once when
// the work hides it, and the next work waits the minimum again.
TEST(ProgressWindow, LongerWorkBringsTheWindowUpAtItsFirstStepAfterTheMinimum)
{
    const testsupport::ProgressAtOnce espera(300);
    ProgressWindow& progress = ProgressWindow::instance();
    QApplication::processEvents();
    const testsupport::ShowCounter janela("fmSplash");

    progress.prepare(10, "Gerando parcelamento...", "Mostrar");
    progress.prepare(1, "Parcela 1", "Incrementar");
    EXPECT_EQ(janela.count(), 0);
    QThread::msleep(350);
    EXPECT_EQ(janela.count(), 0) << "only a step brings it up";
    progress.prepare(1, "Parcela 2", "Incrementar");
    EXPECT_EQ(janela.count(), 1);
    QWidget* w = janelaDeProgresso();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->findChild<QLabel*>("laMensagem")->text(), "Parcela 2");
    EXPECT_EQ(w->findChild<QProgressBar*>("pbProgresso")->value(), 2);
    EXPECT_EQ(w->findChild<QProgressBar*>("pbProgresso")->maximum(), 10);
    progress.prepare(0, "", "Ocultar");
    EXPECT_FALSE(w->isVisible()) << "hidden at once, not when the event loop next runs";

    progress.prepare(10, "Gerando parcelamento...", "Mostrar");
    progress.prepare(1, "Parcela 1", "Incrementar");
    progress.prepare(0, "", "Ocultar");
    EXPECT_EQ(janela.count(), 1) << "the next work waits the minimum again";
    QApplication::processEvents();
}

TEST(Cursors, WaitCursorComesBackOnEveryPath)
{
    EXPECT_EQ(screenCursor(), CursorShape::Default);
    try {
        WaitCursor wait;
        EXPECT_EQ(screenCursor(), CursorShape::HourGlass);
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        {
            WaitCursor sql(CursorShape::SqlWait);
            EXPECT_EQ(screenCursor(), CursorShape::SqlWait);
        }
        EXPECT_EQ(screenCursor(), CursorShape::HourGlass);
        throw std::runtime_error("falha");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(screenCursor(), CursorShape::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    setScreenCursor(CursorShape::HourGlass);
    setScreenCursor(CursorShape::HourGlass);
    setScreenCursor(CursorShape::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
