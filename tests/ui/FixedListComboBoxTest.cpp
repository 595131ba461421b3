// A drop-down list of fixed items gives the sizes Qt gives a box of the same
// items and look, even after a list of the same items in another font was
// measured; it follows a font changed after it was laid out, and items
// changed later are measured as they come.

#include "host/ui/FixedListComboBox.h"
#include "tests/ui/MedidaComoQt.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

using host::ui::FixedListComboBox;

namespace {

using AjusteLista = std::function<void(QComboBox&)>;

TEST(FixedListComboBox, MeasuresAsQtMeasuresABoxOfTheSameItemsAndLook)
{
    QFont negrito;
    negrito.setBold(true);
    negrito.setPointSize(negrito.pointSize() + 4);
    QPixmap desenho(16, 16);
    desenho.fill(Qt::red);
    const std::pair<const char*, AjusteLista> casos[] = {
        {"plain", [](QComboBox&) {}},
        {"bold larger font", [&](QComboBox& c) { c.setFont(negrito); }},
        {"no current item", [](QComboBox& c) { c.setCurrentIndex(-1); }},
        {"editable", [](QComboBox& c) { c.setEditable(true); }},
        {"no frame", [](QComboBox& c) { c.setFrame(false); }},
        {"placeholder", [](QComboBox& c) { c.setPlaceholderText("Escolha uma das situações possíveis"); }},
        {"placeholder, no current item",
         [](QComboBox& c) { c.setPlaceholderText("Escolha"); c.setCurrentIndex(-1); }},
        {"style sheet", [](QComboBox& c) { c.setStyleSheet("QComboBox { padding: 7px; }"); }},
        {"adjusted to contents", [](QComboBox& c) { c.setSizeAdjustPolicy(QComboBox::AdjustToContents); }},
        {"by characters", [](QComboBox& c) {
             c.setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
             c.setMinimumContentsLength(9);
         }},
        {"minimum characters", [](QComboBox& c) { c.setMinimumContentsLength(30); }},
        {"an item with an icon", [&](QComboBox& c) { c.addItem(QIcon(desenho), "Outro"); }},
    };
    const QStringList listas[] = {
        {"Todas", "Não Definida", "Pendente", "Realizada"},
        {"Todos", "Somente"},
        {"", "Causa", "Defeito", "Solução"},
        {"Nº do Contrato", "Descrição", "Cliente", "Tipo de Contrato", "Valor do Contrato"},
        {"Um item longo que ocupa bem mais espaço do que os outros", "&Curto"},
        {},
    };
    for (const QStringList& itens : listas)
        for (const auto& [caso, ajuste] : casos)
            medida::confereComoQt<FixedListComboBox>(itens, ajuste, caso);
}

TEST(FixedListComboBox, FollowsAFontChangedAfterItWasLaidOut)
{
    const QStringList itens{"Todas", "Não Definida", "Pendente", "Realizada"};
    QWidget janela;
    auto* layout = new QVBoxLayout(&janela);
    auto* lista = new FixedListComboBox(itens, &janela);
    layout->addWidget(lista);
    layout->addStretch();
    janela.show();
    QApplication::processEvents();
    QComboBox qt;
    qt.addItems(itens);
    ASSERT_EQ(lista->sizeHint(), qt.sizeHint());

    QFont maior = janela.font();
    maior.setPointSize(maior.pointSize() * 2);
    janela.setFont(maior);   // reaches the box through its parent
    qt.setFont(maior);
    EXPECT_EQ(lista->sizeHint(), qt.sizeHint());
    EXPECT_EQ(lista->minimumSizeHint(), qt.minimumSizeHint());
    layout->activate();
    QApplication::processEvents();
    EXPECT_GE(lista->width(), qt.minimumSizeHint().width()) << "the widest item in the larger font is cut";
}

TEST(FixedListComboBox, AnItemAddedLaterIsMeasuredAsItComes)
{
    FixedListComboBox lista({"Todos", "Somente"});
    (void)lista.sizeHint();
    lista.addItem("Somente os contratos desativados no mês");
    QComboBox qt;
    qt.addItems({"Todos", "Somente", "Somente os contratos desativados no mês"});
    EXPECT_EQ(lista.sizeHint(), qt.sizeHint());
    EXPECT_EQ(lista.minimumSizeHint(), qt.minimumSizeHint());
}

}  // namespace
