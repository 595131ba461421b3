// The cell editors of a grid typed as the boxes are: a click into an empty
// masked cell types from its first position, and a text the field refuses
// stays in the cell, selected, stored nowhere, until it is mended. Walked in
// the contract register's items grid (a date cell and a money cell) and
// read back through a connection of its own.

#include "tests/module/ContratoCadastroFixture.h"

#include "contract_data/uDataTecCont.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

using host::data::DatasetState;

class GradeCelulaMascaraTest : public ContratoCadastroTest {
protected:
    host::data::Query& itens() { return *dmTecContrato->quCtrCadastroIt; }
    // The open editor of the current cell, and the cell of the column on
    // the current row opened (as a click on the current cell opens it).
    static QLineEdit* editor(host::ui::DataGrid* grade)
    {
        QWidget* aberto = grade->indexWidget(grade->currentIndex());
        if (aberto && aberto->focusProxy())
            aberto = aberto->focusProxy();
        return qobject_cast<QLineEdit*>(aberto);
    }
    static QLineEdit* abreCelula(host::ui::DataGrid* grade, const char* campo)
    {
        // The search window's activation, queued as it opened, is delivered
        // first: under a window manager the register is active again by now.
        QCoreApplication::processEvents();
        grade->window()->activateWindow();
        QCoreApplication::processEvents();
        grade->setFocus();
        grade->setSelectedIndex(grade->columnByField(campo)->index());
        grade->scrollTo(grade->currentIndex());
        const QPoint centro = grade->visualRect(grade->currentIndex()).center();
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, centro);
        // The editor opens once the double-click interval has passed.
        EXPECT_TRUE(QTest::qWaitFor([grade] { return editor(grade) != nullptr; }, 3000)) << campo;
        return editor(grade);
    }
    int contratoComItem(TfmAssContCad& form)
    {
        form.bbNovo->click();
        digita(form.dbedNumeroContrato, "CT-7101");
        escolhe(form.dbcbPeriodo, "M - Mensal");
        digita(form.dbedVencimento, "10");
        const int codigo = dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger();
        pesquisa("CODIGO_CLIENTE", "00004");
        form.sbPesqCli->click();
        form.bbSalvar->click();
        aba(form, form.tsItens);
        form.dbgdAssContCadItem->setFocus();
        QTest::keyClick(form.dbgdAssContCadItem, Qt::Key_Insert);
        EXPECT_EQ(itens().state(), DatasetState::Insert);
        // The product typed: the first key opens the cell's editor.
        form.dbgdAssContCadItem->setSelectedIndex(form.dbgdAssContCadItem->columnByField("PRCODIGO")->index());
        QTest::keyClick(form.dbgdAssContCadItem, 'S');
        QTest::keyClicks(QApplication::focusWidget(), "0003");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return codigo;
    }
    QString item(int contrato, const QString& colunas)
    {
        const QStringList linhas = lido(QString("select %1 from AATC05ACIT where ACCODIGO = %2").arg(colunas).arg(contrato));
        return linhas.join("/");
    }
};

TEST_F(GradeCelulaMascaraTest, AClickIntoAnEmptyDateCellTypesFromItsStart)
{
    TfmAssContCad& form = abrir();
    const int contrato = contratoComItem(form);
    QLineEdit* data = abreCelula(form.dbgdAssContCadItem, "ACITGARANTIADATA");
    ASSERT_TRUE(data);
    ASSERT_FALSE(data->inputMask().isEmpty());
    // The click falls towards the end of the blanks.
    QTest::mouseClick(data, Qt::LeftButton, {}, QPoint(data->width() * 3 / 4, data->height() / 2));
    QTest::keyClicks(data, "10052031");
    EXPECT_EQ(data->text(), "10/05/2031");
    QTest::keyClick(data, Qt::Key_Tab);
    EXPECT_EQ(itens().fieldByName("ACITGARANTIADATA")->asDateTime().date(), QDate(2031, 5, 10));

    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Não", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    form.bbSalvar->click();
    EXPECT_EQ(item(contrato, "ACITGARANTIADATA"), "2031-05-10T00:00:00.000");
}

TEST_F(GradeCelulaMascaraTest, AMoneyTextRefusedStaysSelectedInItsCellAndIsStoredNowhere)
{
    TfmAssContCad& form = abrir();
    const int contrato = contratoComItem(form);
    const double antes = itens().fieldByName("ACITVALOR")->asFloat();
    QLineEdit* valor = abreCelula(form.dbgdAssContCadItem, "ACITVALOR");
    ASSERT_TRUE(valor);
    QTest::keyClicks(valor, "950.50");

    dialogs->acknowledge("'950.50' não é um valor numérico válido.");
    QTest::keyClick(valor, Qt::Key_Tab);
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join("|").toStdString();
    ASSERT_EQ(QApplication::focusWidget(), valor) << "the cell's editor stays open";
    EXPECT_EQ(valor->text(), "950.50") << "the text typed stays, to be mended";
    EXPECT_EQ(valor->selectedText(), "950.50");
    EXPECT_DOUBLE_EQ(itens().fieldByName("ACITVALOR")->asFloat(), antes);

    // "Salvar" over it stores nothing of the row, the refusal told again.
    dialogs->acknowledge("'950.50' não é um valor numérico válido.");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join("|").toStdString();
    EXPECT_EQ(itens().state(), DatasetState::Insert);
    EXPECT_EQ(item(contrato, "count(*)"), "0");

    // Typed over as "950,50" it is taken and stored.
    valor->setFocus();
    valor->selectAll();
    QTest::keyClicks(valor, "950,50");
    QTest::keyClick(valor, Qt::Key_Tab);
    EXPECT_DOUBLE_EQ(itens().fieldByName("ACITVALOR")->asFloat(), 950.5);
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Não", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    form.bbSalvar->click();
    EXPECT_EQ(item(contrato, "ACITVALOR"), "950.5");
}

}  // namespace
}  // namespace moduletest
