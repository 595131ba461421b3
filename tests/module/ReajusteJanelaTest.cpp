// The readjustment window, opened through the dispatcher and driven through
// its controls: its defaults, the branch required, the selection, a raise by
// the typed percentage and its undo, and the complementary contracts.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContReajustarValor.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/StatusBar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class ReajusteJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATUTILIZACONTRATOS", "S");
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('T0001', 'Alfa Contratante')");
        contrato(901, 100, "P");
        contrato(902, 50, "C");
        contrato(903, 20, "C");
        exec("insert into AATC05ACVI (ACCODIGOCOMPLEMENTO, ACCODIGOPRINCIPAL) values (902, 901)");
        exec("insert into AATC05ACVI (ACCODIGOCOMPLEMENTO, ACCODIGOPRINCIPAL) values (903, 901)");
        dmGlobal->IBTransaction1->commitRetaining();
    }
    void contrato(int codigo, double valor, const char* vinculo)
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACINDICEREAJUSTE,"
                     " ACLOCAL, ACVALORFIXO, ACVALORPARCELA, ACVINCULO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO)"
                     " values (%1, 'R-%1', 'T0001', 'A', 'S', '01', 'S', %2, '%3', 'R', 'M', 10)")
                 .arg(codigo)
                 .arg(valor)
                 .arg(vinculo));
    }
    TfmAssContReaj& abrir() { return abrirJanela(fmAssContReaj, "fmAssContReaj"); }
    void seleciona(TfmAssContReaj& form)
    {
        digita(form.edFilial, "01");
        digita(form.edContratoIni, "901");
        digita(form.edContratoFim, "903");
    }
    double valor(int contrato)
    {
        return one(QString("select ACVALORPARCELA from AATC05AC where ACCODIGO = %1").arg(contrato)).toDouble();
    }
};

TEST_F(ReajusteJanelaTest, OpensWithItsDefaultsAndAsksForTheBranch)
{
    TfmAssContReaj& form = abrir();
    EXPECT_EQ(form.caption(), "Reajustar Valores de Contratos");
    EXPECT_EQ(form.mdAtualDataBase->date().date(), QDate::currentDate().addMonths(12));
    EXPECT_EQ(form.rgTipo->itemIndex(), 0);
    EXPECT_TRUE(form.ckNovaProv->isChecked());
    EXPECT_EQ(form.edNumeroProvisoes->value(), 12);
    EXPECT_EQ(form.edMediaMeses->value(), 12);
    EXPECT_TRUE(form.edMediaMeses->isHidden());
    EXPECT_GT(form.cbCampos->count(), 100) << "the header's fields";
    EXPECT_EQ(form.stInformacao->panelText(0), "Aviso: Somente contratos com situação \"Ativo\" e com \"Índice "
                                                "somente para reajuste\" serão reajustados");
    form.rgTipo->button(2)->click();
    EXPECT_FALSE(form.edMediaMeses->isHidden());
    EXPECT_FALSE(form.laMediaMeses->isHidden());
    form.rgTipo->button(1)->click();
    EXPECT_TRUE(form.laMediaMeses->isHidden());

    for (QPushButton* botao : {form.BitBtn1, form.bbBaixar, form.BitBtn2}) {
        dialogs->acknowledge("Informe a filial a reajustar!");
        botao->click();
    }
    EXPECT_FALSE(form.quPesq->active());
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(valor(901), 100);
}

TEST_F(ReajusteJanelaTest, SearchListsTheFlaggedContractsOfTheBranch)
{
    exec("update AATC05AC set ACINDICEREAJUSTE = 'N' where ACCODIGO = 903");
    TfmAssContReaj& form = abrir();
    seleciona(form);
    form.BitBtn1->click();
    ASSERT_TRUE(form.quPesq->active());
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 2);
    EXPECT_EQ(form.DBGrid1->column(1)->field()->displayText(), "Alfa Contratante");
    EXPECT_EQ(form.DBGrid1->column(5)->fieldName(), "ACCODIGO");

    form.ckPrincipal->click();
    form.BitBtn1->click();
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 1);
}

TEST_F(ReajusteJanelaTest, RaiseByTheTypedPercentageAndUndoIt)
{
    TfmAssContReaj& form = abrir();
    seleciona(form);
    digita(form.edReajuste, "5,125");
    dialogs->acknowledge("Operação efetuada com sucesso! Total de contratos reajustados: 3");
    form.bbBaixar->click();
    EXPECT_DOUBLE_EQ(valor(901), 105.12);
    EXPECT_DOUBLE_EQ(valor(902), 52.56);
    ASSERT_TRUE(form.quPesq->active());
    EXPECT_EQ(form.DBGrid1->dataSource()->dataset(), form.quPesq) << "the grid is given its selection back";
    form.quPesq->first();
    EXPECT_EQ(form.DBGrid1->column(2)->field()->displayText(), "100,00");

    dialogs->acknowledge("Operação efetuada com sucesso! Total de contratos desfeitos: 3");
    form.BitBtn2->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(valor(901), 100);
    EXPECT_DOUBLE_EQ(valor(902), 50);
}

TEST_F(ReajusteJanelaTest, LinkedContractsAskFirstAndAreRaisedBeforeTheirPrincipal)
{
    TfmAssContReaj& form = abrir();
    seleciona(form);
    digita(form.edReajuste, "10");
    form.ckVinculado->click();
    form.ckPrincipal->click();
    dialogs->answer("Não", "deve ser feita seleção apenas dos contratos principais");
    form.bbBaixar->click();
    EXPECT_DOUBLE_EQ(valor(902), 50);

    dialogs->answer("Sim");
    dialogs->acknowledge("Operação efetuada com sucesso! Total de contratos reajustados: 1");
    form.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(valor(901), 110);
    EXPECT_DOUBLE_EQ(valor(902), 55);
    EXPECT_DOUBLE_EQ(valor(903), 22);
    EXPECT_EQ(form.meAviso->toPlainText(), "Atualizado contrato vinculado 902\nAtualizado contrato vinculado 903");
    EXPECT_EQ(form.pcReajuste->activePage(), form.tsOutrasInformacoes);
}

// The window with the contracts of a branch listed, on both its pages, as a
// person sees it.
TEST_F(ReajusteJanelaTest, PicturesOfTheWindowWithContractsListed)
{
    TfmAssContReaj& form = abrir();
    seleciona(form);
    form.BitBtn1->click();
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 3);
    guardaFoto(form, "fmAssContReaj.png");
    form.pcReajuste->setActivePage(form.tsOutrasInformacoes);
    guardaFoto(form, "fmAssContReaj_outras.png");
}

}  // namespace
}  // namespace moduletest
