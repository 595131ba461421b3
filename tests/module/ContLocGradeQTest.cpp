// The "Q" register's equipment grid takes what its columns mean: "Encerrado"
// is not typed over (closing and reopening have their links), and the dates
// are typed in their mask.

#include "tests/module/ContLocFixture.h"

#include "host/ui/DataGrid.h"

#include <QLineEdit>
#include <QTest>

namespace moduletest {
namespace {

class ContLocGradeQTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        contrato(801);
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (31, 'L', 'Honda', 'Gerador G5')");
        exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, EVCODIGO, ACITVALOR, ACITQUANTIDADE)"
             " values (1, 801, '00004', 'P0004', 31, 90, 1)");
        tr().commitRetaining();
        parametro("ATOPCAOCONTRATO", "Q");
    }
    // The editor the grid opens on the column's cell of the current row.
    static QLineEdit* editor(host::ui::DataGrid* grade, const char* campo)
    {
        grade->setFocus();
        grade->setSelectedIndex(grade->columnByField(campo)->index());
        grade->editCurrentCell();
        QWidget* aberto = grade->indexWidget(grade->currentIndex());
        auto* linha = qobject_cast<QLineEdit*>(aberto);
        return linha || !aberto ? linha : aberto->findChild<QLineEdit*>();
    }
    // The text the grid shows in the column's cell of the current row.
    static QString mostrado(host::ui::DataGrid* grade, const char* campo)
    {
        const QModelIndex celula = grade->model()->index(grade->currentIndex().row(), grade->columnByField(campo)->index());
        return grade->model()->data(celula, Qt::DisplayRole).toString();
    }
};

TEST_F(ContLocGradeQTest, TheClosedColumnTakesNoTypingAndTheDatesHaveTheirMask)
{
    TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    host::ui::DataGrid* grade = form.dbgdAssContEquipamentoLocacao;

    if (QLineEdit* encerrado = editor(grade, "ACITENCERRADO")) {
        QTest::keyClicks(encerrado, "0");
        QTest::keyClick(encerrado, Qt::Key_Return);
    }
    form.btSalvar->click();
    EXPECT_EQ(lido("select coalesce(ACITENCERRADO, '') from AATC05ACIT where ACITCODIGO = 1"), QStringList{""});

    for (const char* campo : {"ACITDATAENTREGA", "ACITDATAENCERRAMENTO"}) {
        QLineEdit* data = editor(grade, campo);
        ASSERT_NE(data, nullptr) << campo;
        EXPECT_FALSE(data->inputMask().isEmpty()) << campo;
        QTest::keyClick(data, Qt::Key_Escape);
    }
    celula(grade, "ACITDATAENTREGA", "050327", Qt::Key_Return);
    form.btSalvar->click();
    EXPECT_EQ(lido("select cast(ACITDATAENTREGA as date) from AATC05ACIT where ACITCODIGO = 1"),
              QStringList{"2027-03-05T00:00:00.000"});
}

// A row an older reopening left with the zero date (30/12/1899) as its
// closing date is an open row: the grid shows no date, not "30/12/99".
TEST_F(ContLocGradeQTest, TheZeroDateShowsAsNoDate)
{
    exec("update AATC05ACIT set ACITDATAENCERRAMENTO = '1899-12-30', ACITDATAENTREGA = '1899-12-30'"
         " where ACITCODIGO = 1");
    tr().commitRetaining();
    TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    ASSERT_EQ(mostrado(form.dbgdAssContEquipamentoLocacao, "MODELOEQUIPTO"), "Gerador G5");
    for (const char* campo : {"ACITDATAENCERRAMENTO", "ACITDATAENTREGA"})
        EXPECT_EQ(mostrado(form.dbgdAssContEquipamentoLocacao, campo), "") << campo;
}

// An impossible date typed in the delivery date's cell is refused in
// Portuguese; the cell shows the stored date again and nothing else is
// stored, whether the row had a date or not.
TEST_F(ContLocGradeQTest, AnImpossibleDateInACellIsRefusedAndTheStoredDateShown)
{
    TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    host::ui::DataGrid* grade = form.dbgdAssContEquipamentoLocacao;
    const char* const consulta = "select coalesce(cast(cast(ACITDATAENTREGA as date) as varchar(11)), '-')"
                                 " from AATC05ACIT where ACITCODIGO = 1";
    for (const QString& guardada : {QString("-"), QString("05-MAR-2027")}) {
        SCOPED_TRACE(guardada.toStdString());
        if (guardada != "-") {
            celula(grade, "ACITDATAENTREGA", "050327", Qt::Key_Return);
            form.btSalvar->click();
        }
        const QString antes = mostrado(grade, "ACITDATAENTREGA");
        dialogs->acknowledge("não é uma data válida");
        celula(grade, "ACITDATAENTREGA", "310226", Qt::Key_Return);
        EXPECT_EQ(dialogs->pending(), 0) << "refused with a message" << dialogs->texts().join("|").toStdString();
        // The refused text stays in the cell's editor until Esc gives back
        // the stored date.
        ASSERT_TRUE(qobject_cast<QLineEdit*>(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(mostrado(grade, "ACITDATAENTREGA"), antes);
        form.btSalvar->click();
        EXPECT_EQ(lido(consulta), QStringList{guardada});
    }
}

}  // namespace
}  // namespace moduletest
