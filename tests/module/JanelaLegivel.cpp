#include "tests/module/JanelaLegivel.h"

#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace moduletest {
namespace {

QString textoSemAtalho(QString texto) { return texto.remove('&'); }

std::string nomeDe(const QWidget* controle, const QString& texto)
{
    return (controle->objectName() + ": " + texto).toStdString();
}

void confereGrades(QWidget& janela)
{
    for (host::ui::DataGrid* grade : janela.findChildren<host::ui::DataGrid*>()) {
        if (!grade->isVisibleTo(&janela))
            continue;
        const QFontMetrics metrica(grade->horizontalHeader()->font());
        for (int i = 0; i < grade->columnCount(); ++i) {
            if (grade->column(i)->visible()) {
                EXPECT_GE(grade->columnWidth(i), metrica.horizontalAdvance(grade->column(i)->title()))
                    << nomeDe(grade, grade->column(i)->title());
            }
        }
    }
}

void confereAbas(QWidget& janela)
{
    for (host::ui::PageControl* paginas : janela.findChildren<host::ui::PageControl*>()) {
        if (!paginas->isVisibleTo(&janela))
            continue;
        EXPECT_TRUE(paginas->usesScrollButtons()) << paginas->objectName().toStdString();
        QTabBar* barra = paginas->tabBar();
        for (int i = 0; i < barra->count(); ++i) {
            if (barra->isTabVisible(i)) {
                EXPECT_GE(barra->tabRect(i).width(), barra->fontMetrics().horizontalAdvance(textoSemAtalho(barra->tabText(i))))
                    << nomeDe(paginas, barra->tabText(i));
            }
        }
    }
}

// Push buttons need their text; check and radio boxes their mark beside it;
// labels and group boxes their caption. Labels bound to a field show data,
// not captions, and are left out.
void confereTextos(QWidget& janela)
{
    for (QPushButton* botao : janela.findChildren<QPushButton*>()) {
        if (botao->isVisibleTo(&janela) && !botao->text().isEmpty()) {
            EXPECT_GE(botao->width(), botao->fontMetrics().horizontalAdvance(textoSemAtalho(botao->text())))
                << nomeDe(botao, botao->text());
        }
    }
    for (QAbstractButton* marca : janela.findChildren<QAbstractButton*>()) {
        if ((qobject_cast<QCheckBox*>(marca) || qobject_cast<QRadioButton*>(marca)) && marca->isVisibleTo(&janela) &&
            !marca->text().isEmpty()) {
            EXPECT_GE(marca->width(), marca->minimumSizeHint().width()) << nomeDe(marca, marca->text());
        }
    }
    for (QLabel* rotulo : janela.findChildren<QLabel*>()) {
        auto* dado = qobject_cast<host::ui::DataLabel*>(rotulo);
        if (!rotulo->isVisibleTo(&janela) || rotulo->text().isEmpty() || rotulo->wordWrap() ||
            rotulo->textFormat() == Qt::RichText || (dado && !dado->dataField().isEmpty()))
            continue;
        const QString texto = textoSemAtalho(rotulo->text());
        if (Qt::mightBeRichText(texto) || texto.contains('\n'))
            continue;
        EXPECT_GE(rotulo->contentsRect().width(), rotulo->fontMetrics().horizontalAdvance(texto))
            << nomeDe(rotulo, texto);
    }
    for (QGroupBox* grupo : janela.findChildren<QGroupBox*>()) {
        if (grupo->isVisibleTo(&janela) && !grupo->title().isEmpty()) {
            EXPECT_GE(grupo->width(), grupo->fontMetrics().horizontalAdvance(textoSemAtalho(grupo->title())))
                << nomeDe(grupo, grupo->title());
        }
    }
}

}  // namespace

void confereLegivel(QWidget& janela)
{
    confereGrades(janela);
    confereAbas(janela);
    confereTextos(janela);
}

void confereColunasInteiras(host::ui::DataGrid& grade)
{
    QHeaderView* titulos = grade.horizontalHeader();
    const int visivel = grade.viewport()->width();
    for (int i = 0; i < grade.columnCount(); ++i) {
        if (grade.isColumnHidden(i))
            continue;
        const int fim = titulos->sectionViewportPosition(i) + titulos->sectionSize(i);
        EXPECT_LE(fim, visivel) << nomeDe(&grade, grade.column(i)->title()) << " ends at " << fim << " of " << visivel;
    }
}

void guardaFoto(QWidget& janela, const QString& arquivo)
{
    QTest::qWait(50);
    const QString caminho = QDir(QCoreApplication::applicationDirPath()).filePath(arquivo);
    EXPECT_TRUE(janela.grab().save(caminho)) << caminho.toStdString();
    confereLegivel(janela);
}

}  // namespace moduletest
