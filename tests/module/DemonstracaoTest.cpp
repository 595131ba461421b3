// The demonstration company as a new user meets it: order 42 opened by its
// name shows its items, services and parts; the contract register, its
// items and forecasts; the invoicing list with the contracts' customers;
// and loading again adds nothing.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContCad.h"
#include "contracts/uAssContFat.h"
#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/schema/HostSchema.h"
#include "host/ui/DataEdit.h"
#include "host/ui/EditControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTabBar>

namespace moduletest {
namespace {

class DemonstracaoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
    }
    static int linhas(host::ui::DataGrid* grade) { return grade->model()->rowCount(); }
};

TEST_F(DemonstracaoTest, OrderFortyTwoOpensWithItsItemsServicesAndParts)
{
    EXPECT_EQ(one("select count(*) from AATC01AO where AOBAIXA = 'S'").toInt(), 2) << "two finished";
    EXPECT_EQ(one("select count(*) from AATC01AO where AOBAIXA = 'A'").toInt(), 2) << "two open";
    EXPECT_EQ(one("select count(*) from AATC03AECL").toInt(), 6);

    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    TfmAssOrdemServico* form = fmAssOrdemServico.get();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->dbedCodigo->text().toInt(), 42);
    EXPECT_EQ(dmTec->quOS->fieldByName("CLCODIGO")->asString(), "00002");
    EXPECT_EQ(linhas(form->dbgdOrdemServicoItens), 2);
    form->pcOrdemServico->setActivePage(form->tsServico);
    form->pcOrdemServicoChange();
    EXPECT_EQ(dmTec->quOSAndamento->recordCount(), 2) << "services of the order";
    form->pcOrdemServico->setActivePage(form->tsPecasOS);
    form->pcOrdemServicoChange();
    EXPECT_EQ(dmTec->quOSPecas->recordCount(), 1);
    EXPECT_DOUBLE_EQ(dmTec->quOS->fieldByName("AOVALORTOTAL")->asFloat(), 305.50);
}

TEST_F(DemonstracaoTest, ContractsShowTheirItemsAndForecastsAndAreListedForInvoicing)
{
    TfmAssContCad& cadastro = abrirJanela(fmAssContCad, "fmAssContCad");
    CarregaContrato(1);
    EXPECT_EQ(cadastro.dbedNumeroContrato->text(), "CT-2026-001");
    QTabBar* barra = cadastro.pcContrato->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(cadastro.tsItens->pageIndex()).center());
    EXPECT_EQ(linhas(cadastro.dbgdAssContCadItem), 2);
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(cadastro.tsContParcAberta->pageIndex()).center());
    EXPECT_EQ(linhas(cadastro.dbgdContRecAberto), 3);
    EXPECT_EQ(dmGlobal->quReceber->fieldByName("NUMERO_DOCUMENTO")->asString(), "101226") << "due on the 10th";
    EXPECT_DOUBLE_EQ(dmTecContrato->RetornaValorParcelaContrato(1, QDateTime(QDate(2026, 12, 10), QTime()), true),
                     300)
        << "the value is the items'";
    cadastro.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    TfmAssContFat& fat = abrirJanela(fmAssContFat, "fmAssContFat");
    digita(fat.edUnNegocioIni, "01");
    fat.bbPesquisar->click();
    ASSERT_EQ(linhas(fat.dbgdAssContFat), 2);
    QStringList clientes;
    for (fat.quPesq->first(); !fat.quPesq->eof(); fat.quPesq->next())
        clientes << fat.quPesq->fieldByName("NOME")->asString();
    clientes.sort();
    EXPECT_EQ(clientes, (QStringList{"Clínica Saúde & Vida S/A", "Padaria Pão Quente Ltda."}));

    EXPECT_FALSE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 21))) << "loaded once";
    // Three forecasts of each service contract and of the rental contract.
    EXPECT_EQ(one("select count(*) from ACRC5001 where SITUACAO_DOCUMENTO = 'V'").toInt(), 9);
}

}  // namespace
}  // namespace moduletest
