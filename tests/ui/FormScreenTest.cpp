// Windows larger than the free area of the screen keep their designed size
// with scroll bars; windows that fit are left as they are.

#include "host/ui/Form.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using host::ui::Form;

namespace {

// A register as the windows build it: a layout with fields down to a
// button at the far corner, a hidden control, and a note placed by hand.
class JanelaGrande : public Form {
public:
    explicit JanelaGrande(QSize projetada)
    {
        auto* layout = new QVBoxLayout(this);
        edCodigo = new QLineEdit(this);
        edCodigo->setObjectName("edCodigo");
        layout->addWidget(edCodigo);
        quadro = new QWidget(this);
        quadro->setMinimumSize(projetada - QSize(40, 80));
        layout->addWidget(quadro);
        edOculto = new QLineEdit(this);
        edOculto->setObjectName("edOculto");
        edOculto->hide();
        layout->addWidget(edOculto);
        auto* rodape = new QHBoxLayout;
        rodape->addStretch();
        bbSair = new QPushButton("Sair", this);
        bbSair->setObjectName("bbSair");
        rodape->addWidget(bbSair);
        layout->addLayout(rodape);
        laNota = new QLabel("Nota", this);
        laNota->setObjectName("laNota");
        laNota->move(5, 5);
        connect(bbSair, &QPushButton::clicked, this, [this] { ++saidas; });
        resize(projetada);
    }
    QLineEdit* edCodigo;
    QLineEdit* edOculto;
    QWidget* quadro;
    QPushButton* bbSair;
    QLabel* laNota;
    int saidas = 0;
};

const QRect kTelaPequena(0, 0, 1024, 600);

TEST(FormScreenTest, AWindowLargerThanTheScreenScrollsAtItsDesignedSize)
{
    JanelaGrande janela({1200, 760});
    ASSERT_TRUE(janela.fitToScreen(kTelaPequena));
    EXPECT_TRUE(janela.fitToScreen(kTelaPequena)) << "once is enough";
    EXPECT_EQ(janela.size(), QSize(1024, 600));
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    QScrollArea* area = janela.contentScroll();
    ASSERT_NE(area, nullptr);
    EXPECT_GE(area->widget()->width(), 1200);
    EXPECT_GE(area->widget()->height(), 760);
    EXPECT_GT(area->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    EXPECT_LE(janela.minimumSizeHint().width(), 1024);
    EXPECT_LE(janela.minimumSizeHint().height(), 600);
    // The controls are still the window's, shown or hidden as they were.
    EXPECT_EQ(janela.findChild<QLineEdit*>("edCodigo"), janela.edCodigo);
    EXPECT_EQ(janela.edCodigo->window(), &janela);
    EXPECT_TRUE(janela.edCodigo->isVisible());
    EXPECT_TRUE(janela.bbSair->isVisible());
    EXPECT_TRUE(janela.laNota->isVisible());
    EXPECT_EQ(janela.laNota->pos(), QPoint(5, 5));
    EXPECT_FALSE(janela.edOculto->isVisible());
    QTest::mouseClick(janela.bbSair, Qt::LeftButton);
    EXPECT_EQ(janela.saidas, 1);
}

TEST(FormScreenTest, TheControlTakingTheFocusIsScrolledIntoViewAndKeysReachTheWindow)
{
    JanelaGrande janela({1200, 760});
    janela.fitToScreen(kTelaPequena);
    janela.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    QScrollArea* area = janela.contentScroll();
    ASSERT_NE(area, nullptr);
    ASSERT_EQ(area->verticalScrollBar()->value(), 0);
    janela.bbSair->setFocus();
    EXPECT_GT(area->verticalScrollBar()->value(), 0);
    EXPECT_GT(area->horizontalScrollBar()->value(), 0);
    const QRect visivel(area->viewport()->mapToGlobal(QPoint()), area->viewport()->size());
    EXPECT_TRUE(visivel.contains(QRect(janela.bbSair->mapToGlobal(QPoint()), janela.bbSair->size())));

    // The keys a control leaves are the window's, not the scroll area's.
    int teclas = 0;
    janela.setKeyPreview(true);
    janela.onKeyDown = [&](int& tecla, Qt::KeyboardModifiers) {
        if (tecla == Qt::Key_PageDown)
            ++teclas;
    };
    janela.edCodigo->setFocus();
    const int antes = area->verticalScrollBar()->value();
    QTest::keyClick(janela.edCodigo, Qt::Key_PageDown);
    EXPECT_EQ(teclas, 1);
    EXPECT_EQ(area->verticalScrollBar()->value(), antes);
}

TEST(FormScreenTest, AWindowThatFitsIsLeftAsItIs)
{
    JanelaGrande janela({900, 560});
    QLayout* layout = janela.layout();
    EXPECT_FALSE(janela.fitToScreen(kTelaPequena));
    EXPECT_EQ(janela.contentScroll(), nullptr);
    EXPECT_EQ(janela.layout(), layout);
    EXPECT_EQ(janela.edCodigo->parentWidget(), &janela);
    EXPECT_EQ(janela.size(), QSize(900, 560));
}

TEST(FormScreenTest, ContentsNeedingMoreThanTheScreenScrollWhateverSizeWasAsked)
{
    JanelaGrande janela({1200, 760});
    janela.resize(400, 300);   // below what the contents need
    ASSERT_TRUE(janela.fitToScreen(kTelaPequena));
    EXPECT_GE(janela.contentScroll()->widget()->minimumWidth(), 1160);
}

// Shown on the screen the test runs on: a window larger than its free area
// is fitted when it shows, and centred at the size it then has.
TEST(FormScreenTest, ShowingOnASmallerScreenFitsTheWindow)
{
    const QRect livre = QApplication::primaryScreen()->availableGeometry();
    JanelaGrande janela(livre.size() + QSize(200, 160));
    janela.setCentered(true);
    janela.showNonModal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    ASSERT_NE(janela.contentScroll(), nullptr);
    EXPECT_LE(janela.width(), livre.width());
    EXPECT_LE(janela.height(), livre.height());
    EXPECT_GE(janela.x(), livre.x());
    EXPECT_GE(janela.y(), livre.y());
}

// A window placed by hand whose own minimum size is larger than the
// screen: it cannot be fitted, and its corner stays on the screen.
TEST(FormScreenTest, AWindowThatCannotShrinkToTheScreenKeepsItsCornerOnIt)
{
    const QRect livre = QApplication::primaryScreen()->availableGeometry();
    JanelaGrande janela({400, 300});
    janela.setMinimumSize(livre.size() + QSize(300, 200));
    janela.move(livre.topLeft() + QPoint(40, 30));
    janela.showNonModal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    EXPECT_EQ(janela.frameGeometry().topLeft(), livre.topLeft());
}

}  // namespace
