// Ctrl+Delete on grids whose rows go only through their window's own
// deletion and its checks: the service order's and the contract's
// receivables. Nothing is asked and nothing goes, for every desk.

#include "tests/module/ContratoCadastroFixture.h"
#include "tests/module/OrdemServicoEntradaFixture.h"

#include "contracts/uAssContCad.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/ScriptedDialogs.h"
#include "service_orders/uAssOrdemServico.h"

#include <QTest>

namespace moduletest {
namespace {

const QString kConfirma = "Confirma a exclusão do registro?";

// Ctrl+Delete on the grid's current row, "Sim" waiting should it be asked.
void ctrlDelete(host::ui::ScriptedDialogs& dialogs, host::ui::DataGrid* grade)
{
    grade->setFocus();
    dialogs.answer("Sim", kConfirma);
    QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
}

class CtrlDeleteReceberOrdemTest : public OrdemServicoEntradaTest {};

TEST_F(CtrlDeleteReceberOrdemTest, TheOrdersReceivableStays)
{
    ordemComItem("Impressora");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, AOCODIGO, VALOR_DOCUMENTO)"
         " values ('S00042', '00003', 1, 42, 1234.5)");
    tr().commitRetaining();
    parametro("ATOPCAOTELAOS", "S");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsReceber);
    ASSERT_EQ(form.dbgdReceber->model()->rowCount(), 1);
    ctrlDelete(*dialogs, form.dbgdReceber);
    EXPECT_EQ(dialogs->pending(), 1) << "nothing asked";
    EXPECT_EQ(lido("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO = 42"), QStringList{"S00042"});
    EXPECT_EQ(form.dbgdReceber->model()->rowCount(), 1);
}

class CtrlDeleteReceberContratoTest : public ContratoCadastroTest {};

TEST_F(CtrlDeleteReceberContratoTest, TheContractsForecastStays)
{
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO, ACMODALIDADE,"
         " ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA) values (801, 'N801', '00004', 'A', '01', 'M', 'A', 10, 'S', 100)");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO)"
         " values ('000001', '00004', 1, '01', 'V', 100, '2020-01-01', '2020-02-10', 801)");
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    ASSERT_EQ(form.dbgdContRecAberto->model()->rowCount(), 1);
    ctrlDelete(*dialogs, form.dbgdContRecAberto);
    EXPECT_EQ(dialogs->pending(), 1) << "nothing asked";
    EXPECT_EQ(lido("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO = 801"), QStringList{"000001"});
    fechar(form);
}

}  // namespace
}  // namespace moduletest
