// The meter register window, opened through the dispatcher and driven
// through its controls: new meter, kind by its caption, save, cancel,
// delete, moving with pending changes, and the dataset closed on close.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssCadMedidor.h"
#include "contract_data/uDataTecCont.h"
#include "host/Udmglobal.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "module/uPackageAss.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class MedidorJanelaTest : public ModuleTest {
protected:
    TfmAssCadMedidor& abrir()
    {
        uPackageAss::ShowJanelaTec("fmAssCadMedidor");
        TfmAssCadMedidor* form = fmAssCadMedidor.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    void digita(host::ui::DataEdit* edit, const QString& texto)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, texto);
        QTest::keyClick(edit, Qt::Key_Enter);
    }
    QVariant valor(const QString& sql) { return host::db::selectValue(*dmGlobal->IBTransaction1, sql); }
    void descartaPendentes() { dmGlobal->IBTransaction1->rollbackRetaining(); }
};

TEST_F(MedidorJanelaTest, NewMeterIsTypedChosenAndSaved)
{
    host::db::executeSql(*dmGlobal->IBTransaction1, "insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values "
                                                    "(4, 'Antigo', 'M')");
    TfmAssCadMedidor& form = abrir();
    host::data::Dataset& medidores = *dmTecContrato->quCtrCadastroMedidor;
    ASSERT_TRUE(medidores.active()) << "activating the window opens every meter";
    EXPECT_EQ(form.dbgdCadastro->model()->rowCount(), 1);
    EXPECT_EQ(form.dbgdCadastro->column(3)->title(), "ID");
    EXPECT_EQ(form.dbcbIdentificador->text(), "Medidor");

    form.bbNovo->click();
    EXPECT_EQ(QApplication::focusWidget(), form.dbedDescricao);
    EXPECT_EQ(form.dbedCodigo->text(), "5");
    EXPECT_TRUE(form.dbedCodigo->isReadOnly());
    digita(form.dbedDescricao, "Grupo das copiadoras");
    form.dbcbIdentificador->setFocus();
    QTest::keyClick(form.dbcbIdentificador, Qt::Key_Down);   // the user picks "Grupo"
    form.bbSalvar->click();
    descartaPendentes();
    EXPECT_EQ(valor("select COID from AATC05CO where COCODIGO = 5").toString(), "G");
    EXPECT_EQ(valor("select CODESCRICAO from AATC05CO where COCODIGO = 5").toString(), "Grupo das copiadoras");
    EXPECT_EQ(form.dbcbIdentificador->text(), "Grupo");
    EXPECT_EQ(form.dbgdCadastro->model()->rowCount(), 2);
}

TEST_F(MedidorJanelaTest, CancelDropsTheEditAndDeleteAsksFirst)
{
    host::db::executeSql(*dmGlobal->IBTransaction1, "insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values "
                                                    "(1, 'Um', 'M')");
    TfmAssCadMedidor& form = abrir();
    digita(form.dbedDescricao, "Alterado");
    form.bbCancelar->click();
    EXPECT_EQ(form.dbedDescricao->text(), "Um");

    dialogs->answer("Não", "Confirma a exclusão do registro?");
    form.bbExcluir->click();
    EXPECT_EQ(valor("select count(*) from AATC05CO").toInt(), 1);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    form.bbExcluir->click();
    descartaPendentes();
    EXPECT_EQ(valor("select count(*) from AATC05CO").toInt(), 0);
}

// A group that a contract's item or group franchise names, or a meter its
// readings name, stays; one nothing names goes.
TEST_F(MedidorJanelaTest, AMeterOrGroupThatContractsUseIsRefusedInWords)
{
    struct Caso {
        const char* tabela;
        const char* uso;
        const char* onde;
    };
    const Caso casos[] = {
        {"AATC05ACIT",
         "insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, COCODIGO)"
         " values (71, 70, '00004', 'S0003', 7)",
         "itens de contratos"},
        {"AATC05FG", "insert into AATC05FG (FGCODIGO, COCODIGO, ACCODIGO, FGFRANQUIA) values (71, 7, 70, 1000)",
         "franquias por grupo"},
        {"AATC05ACITCO",
         "insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, COCODIGO, ACITCOCONTADORTOTAL) values (71, 71, 7, 50)",
         "leituras de contratos"},
    };
    for (const Caso& caso : casos) {
        outraMesa("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (7, 'Copiadoras', 'G')");
        outraMesa(caso.uso);
        TfmAssCadMedidor& form = abrir();
        dialogs->answer("Sim", "Confirma a exclusão do registro?")
            .acknowledge(QString("O registro 7 - Copiadoras não pode ser excluído: está em uso em %1.").arg(caso.onde));
        form.bbExcluir->click();
        EXPECT_EQ(dialogs->pending(), 0) << caso.onde << ": " << dialogs->texts().join(" | ").toStdString();
        EXPECT_EQ(lido("select count(*) from AATC05CO"), QStringList{"1"}) << caso.onde;
        form.close();
        outraMesa(QString("delete from %1").arg(caso.tabela));
        abrir();
        dialogs->answer("Sim", "Confirma a exclusão do registro?");
        fmAssCadMedidor->bbExcluir->click();
        EXPECT_EQ(lido("select count(*) from AATC05CO"), QStringList{"0"}) << caso.onde << ": nothing names it";
        fmAssCadMedidor->close();
    }
}

TEST_F(MedidorJanelaTest, MovingSavesPendingChangesFirst)
{
    for (int codigo : {1, 2})
        host::db::executeSql(*dmGlobal->IBTransaction1,
                             QString("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (%1, 'M%1', 'M')")
                                 .arg(codigo));
    TfmAssCadMedidor& form = abrir();
    digita(form.dbedContador, "150");
    form.sbProximo->click();
    EXPECT_EQ(form.dbedCodigo->text(), "2");
    descartaPendentes();
    EXPECT_EQ(valor("select COCONTADOR from AATC05CO where COCODIGO = 1").toDouble(), 150);
    form.sbAnterior->click();
    EXPECT_EQ(form.dbedCodigo->text(), "1");
}

TEST_F(MedidorJanelaTest, TitleClickOrdersTheGridAndKeepsItsLayoutForTheNextOpening)
{
    host::db::executeSql(*dmGlobal->IBTransaction1, "insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values "
                                                    "(1, 'Bomba', 'M')");
    host::db::executeSql(*dmGlobal->IBTransaction1, "insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values "
                                                    "(2, 'Antena', 'M')");
    TfmAssCadMedidor& form = abrir();
    form.dbgdCadastro->column(1)->setWidth(321);
    form.dbgdCadastro->onTitleClick(*form.dbgdCadastro->column(1));
    EXPECT_EQ(form.dbedDescricao->text(), "Antena");
    form.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    TfmAssCadMedidor& nova = abrir();
    EXPECT_EQ(nova.dbgdCadastro->column(1)->width(), 321);
}

TEST_F(MedidorJanelaTest, LeavingClosesTheMetersAndFreesTheWindow)
{
    TfmAssCadMedidor& form = abrir();
    form.bbSair->click();
    EXPECT_FALSE(dmTecContrato->quCtrCadastroMedidor->active());
    EXPECT_EQ(fmAssCadMedidor.get(), nullptr);
}

// The register with two meters, as a person sees it.
TEST_F(MedidorJanelaTest, PictureOfTheRegisterWithMeters)
{
    host::db::executeSql(*dmGlobal->IBTransaction1, "insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values "
                                                    "(4, 'Contador de páginas', 'M')");
    host::db::executeSql(*dmGlobal->IBTransaction1, "insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values "
                                                    "(5, 'Grupo das copiadoras', 'G')");
    TfmAssCadMedidor& form = abrir();
    EXPECT_EQ(form.dbgdCadastro->model()->rowCount(), 2);
    guardaFoto(form, "fmAssCadMedidor.png");
}

}  // namespace
}  // namespace moduletest
