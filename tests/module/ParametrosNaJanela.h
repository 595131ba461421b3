#pragma once
// "Sistema > Parâmetros" driven as the user does it: the window opened from
// the main menu, a cell's editor opened, the new text typed and Enter.

#include "host/Uparametros.h"
#include "host/Uprincipal.h"
#include "host/ui/WindowRegistry.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace moduletest {

// The parameters window the menu opened; null when none opened.
inline TfmParametros* parametrosDoMenu(TfmPrincipal& principal)
{
    principal.miParametros->click();
    for (host::ui::Form* form : host::ui::WindowRegistry::forms())
        if (auto* aberta = qobject_cast<TfmParametros*>(form))
            return aberta;
    return nullptr;
}

// The row whose cell in the column shows the text; -1 when none does.
inline int linhaDe(QTableWidget* grade, int coluna, const QString& texto)
{
    for (int linha = 0; linha < grade->rowCount(); ++linha)
        if (grade->item(linha, coluna)->text() == texto)
            return linha;
    return -1;
}

// The cell's editor opened, the text typed in place of the value, Enter.
inline void digitaNaCelula(QTableWidget* grade, int linha, int coluna, const QString& texto)
{
    ASSERT_GE(linha, 0);
    grade->setCurrentCell(linha, coluna);
    grade->editItem(grade->item(linha, coluna));
    auto* editor = grade->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
    // The view commits and closes the editor once queued events run; the
    // closed editor goes, so that the next cell's is the one found.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(grade->item(linha, coluna)->text(), texto);
}

}  // namespace moduletest
