// Captions give the sizes Qt gives a label of the same text and look, even
// after a caption of the same text but another look was measured, and
// follow a change of text or look made after they were laid out.

#include "host/ui/Caption.h"
#include "tests/ui/MedidaComoQt.h"

#include <QFont>
#include <QLineEdit>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

using host::ui::Caption;

namespace {

using Ajuste = std::function<void(QLabel&)>;

TEST(Caption, MeasuresAsQtMeasuresTheSameLook)
{
    QFont negrito;
    negrito.setBold(true);
    negrito.setPointSize(negrito.pointSize() + 4);
    QLineEdit campo;
    const std::pair<const char*, Ajuste> casos[] = {
        {"plain", [](QLabel&) {}},
        {"font", [&](QLabel& l) { l.setFont(negrito); }},
        {"indent", [](QLabel& l) { l.setIndent(17); }},
        {"margin", [](QLabel& l) { l.setMargin(9); }},
        {"contents margins", [](QLabel& l) { l.setContentsMargins(3, 5, 11, 13); }},
        {"frame", [](QLabel& l) { l.setFrameStyle(QFrame::Box | QFrame::Plain); l.setLineWidth(4); }},
        {"frame without indent", [](QLabel& l) { l.setFrameStyle(QFrame::Panel | QFrame::Sunken); }},
        {"alignment", [](QLabel& l) { l.setAlignment(Qt::AlignRight | Qt::AlignBottom); l.setIndent(6); }},
        {"minimum size", [](QLabel& l) { l.setMinimumSize(180, 40); }},
        {"buddy", [&](QLabel& l) { l.setBuddy(&campo); }},
        {"word wrap", [](QLabel& l) { l.setWordWrap(true); }},
        {"rich text", [](QLabel& l) { l.setText("<b>Término</b> Até"); }},
        {"selectable", [](QLabel& l) { l.setTextInteractionFlags(Qt::TextSelectableByMouse); }},
    };
    for (const QString& texto : {QString("Término Até"), QString("&Nº Contrato"),
                                 QString("Uma legenda longa que ocupa bem mais espaço do que as outras")})
        for (const auto& [caso, ajuste] : casos)
            medida::confereComoQt<Caption>(texto, ajuste, caso);
}

TEST(Caption, FollowsAChangeMadeAfterItWasLaidOut)
{
    QWidget janela;
    auto* legenda = new Caption("Código", &janela);
    QLabel rotulo("Código");
    ASSERT_EQ(legenda->sizeHint(), rotulo.sizeHint());

    legenda->setText("Contratante do equipamento");
    rotulo.setText("Contratante do equipamento");
    EXPECT_EQ(legenda->sizeHint(), rotulo.sizeHint());
    EXPECT_EQ(legenda->minimumSizeHint(), rotulo.minimumSizeHint());

    QFont maior = janela.font();
    maior.setPointSize(maior.pointSize() * 2);
    janela.setFont(maior);   // reaches the caption through its parent
    rotulo.setFont(maior);
    EXPECT_EQ(legenda->sizeHint(), rotulo.sizeHint());
    EXPECT_GT(legenda->sizeHint().height(), QLabel("Contratante do equipamento").sizeHint().height());

    legenda->setContentsMargins(8, 8, 8, 8);
    rotulo.setContentsMargins(8, 8, 8, 8);
    EXPECT_EQ(legenda->minimumSizeHint(), rotulo.minimumSizeHint());
}

}  // namespace
