// Push buttons give the sizes Qt gives a push button of the same text and
// look, even after one of the same text but another look was measured, and
// follow a change of text, font or look made after they were laid out.

#include "host/ui/PushButton.h"
#include "tests/ui/MedidaComoQt.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFont>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

using host::ui::PushButton;

namespace {

using AjusteBotao = std::function<void(QPushButton&)>;

TEST(PushButton, MeasuresAsQtMeasuresTheSameLook)
{
    QFont negrito;
    negrito.setBold(true);
    negrito.setPointSize(negrito.pointSize() + 4);
    QPixmap desenho(16, 16);
    desenho.fill(Qt::red);
    QMenu menu;
    menu.addAction("Uma");
    const std::pair<const char*, AjusteBotao> casos[] = {
        {"plain", [](QPushButton&) {}},
        {"bold larger font", [&](QPushButton& b) { b.setFont(negrito); }},
        {"default", [](QPushButton& b) { b.setDefault(true); }},
        {"auto-default", [](QPushButton& b) { b.setAutoDefault(true); }},
        {"default and auto-default", [](QPushButton& b) { b.setDefault(true); b.setAutoDefault(true); }},
        {"flat", [](QPushButton& b) { b.setFlat(true); }},
        {"icon", [&](QPushButton& b) { b.setIcon(QIcon(desenho)); }},
        {"menu", [&](QPushButton& b) { b.setMenu(&menu); }},
        {"style sheet", [](QPushButton& b) { b.setStyleSheet("QPushButton { padding: 9px; }"); }},
    };
    for (const QString& texto : {QString("OK"), QString("..."), QString("&Visualizar Impressão"), QString(),
                                 QString("Um botão longo que ocupa bem mais espaço do que os outros")})
        for (const auto& [caso, ajuste] : casos)
            medida::confereComoQt<PushButton>(texto, ajuste, caso);
}

// A style that gives a default button more room (Fusion gives none): a
// plain button measured first hands its size to no default one.
TEST(PushButton, MeasuresTheDefaultLooksApartUnderAStyleThatSizesThem)
{
    std::unique_ptr<QStyle> estilo(QStyleFactory::create("Windows"));
    ASSERT_TRUE(estilo);
    const std::pair<const char*, AjusteBotao> casos[] = {
        {"auto-default", [](QPushButton& b) { b.setAutoDefault(true); }},
        {"default", [](QPushButton& b) { b.setDefault(true); }},
        {"flat", [](QPushButton& b) { b.setFlat(true); }},
    };
    for (const auto& [caso, ajuste] : casos) {
        PushButton simples("OK");
        simples.setStyle(estilo.get());
        (void)simples.sizeHint();
        QPushButton qt("OK");
        PushButton botao("OK");
        for (QPushButton* b : {static_cast<QPushButton*>(&qt), static_cast<QPushButton*>(&botao)}) {
            b->setStyle(estilo.get());
            ajuste(*b);
        }
        EXPECT_EQ(botao.sizeHint(), qt.sizeHint()) << caso;
    }
    PushButton simples("OK");
    simples.setStyle(estilo.get());
    QPushButton automatico("OK");
    automatico.setStyle(estilo.get());
    automatico.setAutoDefault(true);
    EXPECT_NE(automatico.sizeHint(), simples.sizeHint()) << "the style gives the looks the same size: nothing tested";
}

// In a dialog a button is auto-default unless told otherwise; in a button
// box the style may show icons on it.
TEST(PushButton, MeasuresAsQtInADialogAndInAButtonBox)
{
    QDialog dialogo;
    auto* qt = new QPushButton("Cancelar", &dialogo);
    auto* botao = new PushButton("Cancelar", &dialogo);
    EXPECT_TRUE(botao->autoDefault());
    EXPECT_EQ(botao->sizeHint(), qt->sizeHint());
    EXPECT_EQ(botao->minimumSizeHint(), qt->minimumSizeHint());

    QDialogButtonBox caixa;
    auto* qtNaCaixa = new QPushButton("Salvar");
    auto* naCaixa = new PushButton("Salvar");
    caixa.addButton(qtNaCaixa, QDialogButtonBox::AcceptRole);
    caixa.addButton(naCaixa, QDialogButtonBox::AcceptRole);
    EXPECT_EQ(naCaixa->sizeHint(), qtNaCaixa->sizeHint());
}

TEST(PushButton, FollowsAChangeMadeAfterItWasLaidOut)
{
    QWidget janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* botao = new PushButton("OK", &janela);
    layout->addWidget(botao);
    layout->addStretch();
    janela.show();
    QApplication::processEvents();
    QPushButton qt("OK");
    ASSERT_EQ(botao->sizeHint(), qt.sizeHint());

    const QString longo = "Gerar as ordens de serviço dos contratos vencidos";
    botao->setText(longo);
    qt.setText(longo);
    EXPECT_EQ(botao->sizeHint(), qt.sizeHint());
    EXPECT_GT(botao->sizeHint().width(), QPushButton("OK").sizeHint().width());
    layout->activate();
    QApplication::processEvents();
    EXPECT_GE(botao->width(), qt.sizeHint().width()) << "the longer caption is cut";

    QFont maior = janela.font();
    maior.setPointSize(maior.pointSize() * 2);
    janela.setFont(maior);   // reaches the button through its parent
    qt.setFont(maior);
    EXPECT_EQ(botao->sizeHint(), qt.sizeHint());
    EXPECT_EQ(botao->minimumSizeHint(), qt.minimumSizeHint());

    botao->setAutoDefault(true);
    qt.setAutoDefault(true);
    EXPECT_EQ(botao->sizeHint(), qt.sizeHint());
    layout->activate();
    QApplication::processEvents();
    EXPECT_GE(botao->width(), qt.sizeHint().width());
}

}  // namespace
