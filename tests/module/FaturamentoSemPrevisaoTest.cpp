// The invoicing window's "Sem Previsão" filter: an item's own receivable or a
// late fine is not the contract's instalment, so a contract that has only those
// still has no forecast and is listed.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContFat.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/StatusBar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class FaturamentoSemPrevisaoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATUTILIZACONTRATOS", "S");
        for (const char* sql : {
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('T0001', 'Alfa Contratante')",
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACMODALIDADE,"
                 " ACPERIODO, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, ACTIPOPAGAMENTO, ACVINCULO)"
                 " values (911, 'C-911', 'T0001', 'A', '01', 'R', 'M', 10, 'S', 120, '2', 'P')",
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACMODALIDADE,"
                 " ACPERIODO, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, ACTIPOPAGAMENTO, ACVINCULO)"
                 " values (912, 'C-912', 'T0001', 'A', '01', 'R', 'M', 10, 'S', 120, '2', 'P')",
                 // C-911: only an item's forecast and a fine; C-912: a forecast instalment.
                 "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                 " SITUACAO_DOCUMENTO, AOCODIGO, ACITCODIGO, DATA_VENCIMENTO, VALOR_DOCUMENTO)"
                 " values ('911001', 'T0001', 1, '01', 'V', 911, 1, '2031-10-10', 50)",
                 "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                 " SITUACAO_DOCUMENTO, AOCODIGO, ORIGEM, DATA_VENCIMENTO, VALOR_DOCUMENTO)"
                 " values ('911002', 'T0001', 1, '01', 'V', 911, 'M', '2031-10-10', 5)",
                 "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                 " SITUACAO_DOCUMENTO, AOCODIGO, DATA_VENCIMENTO, VALOR_DOCUMENTO)"
                 " values ('912001', 'T0001', 1, '01', 'V', 912, '2031-10-10', 120)",
             })
            exec(sql);
        dmGlobal->IBTransaction1->commitRetaining();
    }
};

TEST_F(FaturamentoSemPrevisaoTest, ContractWithOnlyAnItemsForecastOrAFineIsListedAsWithoutForecast)
{
    TfmAssContFat& form = abrirJanela(fmAssContFat, "fmAssContFat");
    digita(form.edUnNegocioIni, "01");
    digita(form.edContratoAleatorio, "C-911,C-912");
    form.ckSemPrevisao->click();
    form.bbPesquisar->click();
    EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 1");
    ASSERT_EQ(form.dbgdAssContFat->model()->rowCount(), 1);
    EXPECT_EQ(form.quPesq->fieldByName("ACCODIGO")->asInteger(), 911);
}

// "Apenas Oficializar" lists the instalments it would officialise: an item's
// forecast or a fine is not one.
TEST_F(FaturamentoSemPrevisaoTest, OfficialisingListsNoItemsForecastNorFine)
{
    TfmAssContFat& form = abrirJanela(fmAssContFat, "fmAssContFat");
    digita(form.edUnNegocioIni, "01");
    digita(form.edContratoAleatorio, "C-911,C-912");
    form.rgTipo->button(3)->click();
    form.bbPesquisar->click();
    EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 1");
    ASSERT_EQ(form.dbgdAssContFat->model()->rowCount(), 1);
    EXPECT_EQ(form.quPesq->fieldByName("ACCODIGO")->asInteger(), 912);
}

}  // namespace
}  // namespace moduletest
