// The compositions window, opened through the dispatcher: the current
// equipment line's compositions with the readings of the one shown
// (ATMODOCOMPOSICAO 2), F3 for a new reading, the product search of the
// component column, and the readings box hidden in the other modes.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContCadCM.h"
#include "contract_data/uDataTecCont.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Field.h"
#include "host/ui/DataGrid.h"
#include "host/ui/StatusBar.h"
#include "module/uPackageAss.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>

namespace moduletest {
namespace {

using host::ui::Form;

class ComposicaoJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        sql("insert into AATC05AC (ACCODIGO, CLCODIGO) values (901, null)");
        sql("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVSITUACAO) values (905, 901, 40, 'A')");
        sql("insert into AATC05ACCM (ACCODIGO, ACITCODIGO, PRCODIGO, CMSEQUENCIA, CMCODIGO, ACEVCODIGO, ACCMQUANTIDADE) "
            "values (901, 40, 'KIT', 1, 'C1', 905, 2)");
        sql("insert into AATC05ACCM (ACCODIGO, ACITCODIGO, PRCODIGO, CMSEQUENCIA, CMCODIGO, ACEVCODIGO, ACCMQUANTIDADE) "
            "values (901, 40, 'KIT', 2, 'C2', 905, 1)");
        for (int i = 1; i <= 3; ++i)
            sql(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, PRCODIGO, CMCODIGO, CMSEQUENCIA, EVCODIGO, "
                        "ACITCODATAFATURAMENTO, ACITCOCONTADORTOTAL) values (%1, 40, 'KIT', '%2', %3, 905, '0%4/10/2008', %5)")
                    .arg(900 + i)
                    .arg(i < 3 ? "C1" : "C2")
                    .arg(i < 3 ? 1 : 2)
                    .arg(i + 3)
                    .arg(i * 100));
        dmGlobal->IBTransaction1->commitRetaining();
    }
    void sql(const QString& texto) { host::db::executeSql(*dmGlobal->IBTransaction1, texto); }
    QVariant valor(const QString& texto) { return host::db::selectValue(*dmGlobal->IBTransaction1, texto); }

    // The register has the contract's equipment line current.
    TfmAssContCadCM& abrir()
    {
        uPackageAss::ShowJanelaTec("fmAssTecnico");   // creates the data modules
        dmTecContrato->CarregaContratoVeiculo(901, false);
        uPackageAss::ShowJanelaTec("fmAssContCadCM");
        TfmAssContCadCM* form = fmAssContCadCM.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
};

TEST_F(ComposicaoJanelaTest, ShowsTheLinesCompositionsAndTheReadingsOfTheOneShown)
{
    parametro("ATMODOCOMPOSICAO", "2");
    TfmAssContCadCM& form = abrir();
    EXPECT_TRUE(form.stayOnTop());
    EXPECT_EQ(form.gbComposto->title(), " Composto ");
    ASSERT_TRUE(form.gbContador->isVisible());
    EXPECT_EQ(form.stbStatus->panelText(0), "F3 - Lançamento");
    EXPECT_EQ(form.dbgdComposto->model()->rowCount(), 2);
    EXPECT_FALSE(form.dbgdComposto->columnByField("ACEVCODIGO")->visible());
    EXPECT_FALSE(form.dbgdComposto->columnByField("CMORIGEM")->visible());
    host::data::Dataset& leituras = *dmTecContrato->quCtrCadastroItCo;
    EXPECT_EQ(form.dbgdContador->model()->rowCount(), 2);
    EXPECT_EQ(leituras.fieldByName("ACITCOCODIGO")->asInteger(), 902) << "newest billing month first";

    form.dbgdComposto->setFocus();
    QTest::keyClick(form.dbgdComposto, Qt::Key_Down);
    EXPECT_EQ(dmTecContrato->quCtrCadastroCM->fieldByName("CMCODIGO")->asString(), "C2");
    EXPECT_EQ(form.dbgdContador->model()->rowCount(), 1);
    EXPECT_EQ(leituras.fieldByName("ACITCOCODIGO")->asInteger(), 903);
}

TEST_F(ComposicaoJanelaTest, F3StartsAReadingOfTheCompositionBilledToday)
{
    parametro("ATMODOCOMPOSICAO", "2");
    TfmAssContCadCM& form = abrir();
    QTest::keyClick(form.dbgdComposto, Qt::Key_F3);
    host::data::Dataset& leituras = *dmTecContrato->quCtrCadastroItCo;
    ASSERT_EQ(leituras.state(), host::data::DatasetState::Insert);
    EXPECT_EQ(leituras.fieldByName("ACITCODATAFATURAMENTO")->asDateTime().date(), QDate::currentDate());
    EXPECT_EQ(QApplication::focusWidget(), form.dbgdContador);
    EXPECT_EQ(form.dbgdContador->selectedField()->fieldName(), "ACITCOCONTADORTOTAL");

    form.dbgdContador->editCurrentCell();
    auto* editor = form.dbgdContador->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "1500");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();   // the view commits the editor from its queue
    leituras.post();
    dmGlobal->IBTransaction1->rollbackRetaining();
    const int chave = leituras.fieldByName("ACITCOCODIGO")->asInteger();
    EXPECT_EQ(valor(QString("select ACITCOCONTADORTOTAL from AATC05ACITCO where ACITCOCODIGO = %1").arg(chave)).toDouble(),
              1500);
    EXPECT_EQ(valor(QString("select EVCODIGO from AATC05ACITCO where ACITCOCODIGO = %1").arg(chave)).toInt(), 905);
    EXPECT_EQ(valor(QString("select CMCODIGO from AATC05ACITCO where ACITCOCODIGO = %1").arg(chave)).toString(), "C1");
    EXPECT_EQ(form.dbgdContador->model()->rowCount(), 3);
}

TEST_F(ComposicaoJanelaTest, AComponentAddedToTheLineAtTwoDesksTakesTheNextSequenceWhenSaved)
{
    parametro("ATMODOCOMPOSICAO", "2");
    TfmAssContCadCM& form = abrir();
    novaLinhaNaGrade(form.dbgdComposto, "CMCODIGO", "P0001");
    // Meanwhile the other desk adds a component of the same kind to the same line.
    outraMesa("insert into AATC05ACCM (ACCODIGO, ACITCODIGO, PRCODIGO, CMSEQUENCIA, CMCODIGO, ACEVCODIGO,"
              " ACCMQUANTIDADE) values (901, 40, '1', 1, 'C9', 905, 1)");
    QTest::keyClick(form.dbgdComposto, Qt::Key_Up);   // leaving the row saves it
    EXPECT_EQ(dialogs->texts(), QStringList{});
    EXPECT_EQ(lido("select CMCODIGO || '|' || CMSEQUENCIA from AATC05ACCM where ACEVCODIGO = 905 and PRCODIGO = '1'"
                   " order by CMSEQUENCIA"),
              (QStringList{"C9|1", "P0001|2"}));
}

TEST_F(ComposicaoJanelaTest, ComponentSearchPutsTheChosenProductIntoTheComposition)
{
    parametro("ATMODOCOMPOSICAO", "2");
    TfmAssContCadCM& form = abrir();
    QString escolhido;
    dialogs->modal("fmPesquisa", [&](Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisa&>(janela);
        escolhido = pesquisa.dataSource()->dataset()->fieldByName("CODIGO")->asString();
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    form.dbgdComposto->setSelectedIndex(form.dbgdComposto->columnByField("CMCODIGO")->index());
    form.dbgdComposto->editButtonClick();
    ASSERT_FALSE(escolhido.isEmpty());
    host::data::Dataset& composicoes = *dmTecContrato->quCtrCadastroCM;
    EXPECT_EQ(composicoes.state(), host::data::DatasetState::Edit);
    EXPECT_EQ(composicoes.fieldByName("CMCODIGO")->asString(), escolhido);

    dialogs->modal("fmPesquisa", [](Form& janela) { QTest::keyClick(janela.focusWidget(), Qt::Key_Escape); });
    form.dbgdComposto->editButtonClick();
    EXPECT_EQ(composicoes.fieldByName("CMCODIGO")->asString(), escolhido) << "a cancelled search changes nothing";
}

TEST_F(ComposicaoJanelaTest, OutsideModeTwoTheReadingsAndF3AreHidden)
{
    TfmAssContCadCM& form = abrir();
    EXPECT_FALSE(form.gbContador->isVisible());
    EXPECT_FALSE(form.stbStatus->isVisible());
    EXPECT_FALSE(dmTecContrato->quCtrCadastroCM->active());
    QTest::keyClick(&form, Qt::Key_F3);
    EXPECT_FALSE(dmTecContrato->quCtrCadastroItCo->active());
    form.close();
    EXPECT_EQ(fmAssContCadCM.get(), &form) << "closing only hides it";
}

// The compositions of an equipment line and their readings, as a person sees them.
TEST_F(ComposicaoJanelaTest, PictureOfTheCompositionsAndReadings)
{
    parametro("ATMODOCOMPOSICAO", "2");
    TfmAssContCadCM& form = abrir();
    EXPECT_EQ(form.dbgdContador->model()->rowCount(), 2);
    guardaFoto(form, "fmAssContCadCM.png");
}

}  // namespace
}  // namespace moduletest
