// Radio buttons give the sizes Qt gives a radio button of the same text and
// look, even after one of the same text but another font was measured, and
// follow a change of text or font made after they were laid out: a changed
// caption gets its own size, and a longer one is never cut.

#include "host/ui/RadioButton.h"
#include "tests/ui/MedidaComoQt.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

using host::ui::RadioButton;

namespace {

using AjusteOpcao = std::function<void(QRadioButton&)>;

TEST(RadioButton, MeasuresAsQtMeasuresTheSameLook)
{
    QFont negrito;
    negrito.setBold(true);
    negrito.setPointSize(negrito.pointSize() + 4);
    QFont pequeno;
    pequeno.setPointSize(std::max(6, pequeno.pointSize() - 2));
    QPixmap desenho(16, 16);
    desenho.fill(Qt::red);
    const std::pair<const char*, AjusteOpcao> casos[] = {
        {"plain", [](QRadioButton&) {}},
        {"bold larger font", [&](QRadioButton& b) { b.setFont(negrito); }},
        {"smaller font", [&](QRadioButton& b) { b.setFont(pequeno); }},
        {"icon", [&](QRadioButton& b) { b.setIcon(QIcon(desenho)); }},
        {"icon size", [&](QRadioButton& b) { b.setIcon(QIcon(desenho)); b.setIconSize(QSize(32, 32)); }},
        {"style sheet", [](QRadioButton& b) { b.setStyleSheet("QRadioButton { padding: 6px; }"); }},
    };
    for (const QString& texto : {QString("Começando com"), QString("&Nº Pedido"), QString(),
                                 QString("Uma opção longa que ocupa bem mais espaço do que as outras")})
        for (const auto& [caso, ajuste] : casos)
            medida::confereComoQt<RadioButton>(texto, ajuste, caso);
}

TEST(RadioButton, ACaptionChangedAfterItWasLaidOutGetsItsOwnSizeAndIsNeverCut)
{
    QWidget janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* opcao = new RadioButton("Código", &janela);
    layout->addWidget(opcao);
    layout->addStretch();
    janela.show();
    QApplication::processEvents();
    ASSERT_EQ(opcao->sizeHint(), QRadioButton("Código").sizeHint());

    const QString longo = "Número do contrato de locação do equipamento";
    opcao->setText(longo);
    const QSize esperado = QRadioButton(longo).sizeHint();
    EXPECT_EQ(opcao->sizeHint(), esperado);
    EXPECT_EQ(opcao->minimumSizeHint(), esperado);
    EXPECT_GT(opcao->sizeHint().width(), QRadioButton("Código").sizeHint().width());
    layout->activate();
    QApplication::processEvents();
    EXPECT_GE(opcao->width(), esperado.width()) << "the longer caption is cut";
    EXPECT_GE(janela.minimumSizeHint().width(), esperado.width());

    opcao->setText("Código");
    EXPECT_EQ(opcao->sizeHint(), QRadioButton("Código").sizeHint()) << "back to the short caption's size";
}

TEST(RadioButton, FollowsAFontChangeMadeAfterItWasLaidOut)
{
    QWidget janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* opcao = new RadioButton("Contratante do equipamento", &janela);
    layout->addWidget(opcao);
    janela.show();
    QApplication::processEvents();
    QRadioButton qt("Contratante do equipamento");
    ASSERT_EQ(opcao->sizeHint(), qt.sizeHint());

    QFont maior = janela.font();
    maior.setPointSize(maior.pointSize() * 2);
    janela.setFont(maior);   // reaches the button through its parent
    qt.setFont(maior);
    EXPECT_EQ(opcao->sizeHint(), qt.sizeHint());
    EXPECT_EQ(opcao->minimumSizeHint(), qt.minimumSizeHint());
    EXPECT_GT(opcao->sizeHint().width(), QRadioButton("Contratante do equipamento").sizeHint().width());
    layout->activate();
    QApplication::processEvents();
    EXPECT_GE(opcao->width(), qt.sizeHint().width()) << "the caption in the larger font is cut";

    QFont outra = maior;
    outra.setItalic(true);
    outra.setPointSize(maior.pointSize() + 3);
    opcao->setFont(outra);   // on the button itself
    qt.setFont(outra);
    EXPECT_EQ(opcao->sizeHint(), qt.sizeHint());
}

}  // namespace
