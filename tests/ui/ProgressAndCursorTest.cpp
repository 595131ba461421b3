#include "host/ui/Cursors.h"
#include "host/ui/ProgressWindow.h"

#include <QApplication>
#include <QCommonStyle>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>

#include "QtPrinters.h"
#include "tests/support/ShowCounter.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace host::ui;

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
    ProgressWindow& progress = ProgressWindow::instance();
    progress.prepare(1000, "Faturando Contratos...", "Mostrar");
    for (int i = 1; i <= 1000; ++i)
        progress.prepare(1, "Nota fiscal gerada: " + QString::number(i), "Incrementar");
    QWidget* janela = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "fmSplash")
            janela = w;
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
