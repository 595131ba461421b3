// The service-order window's "new order from known equipment" button opened
// through the dispatcher: by serial number the latest earlier order gives the
// new order its customer and item; on the vehicles tab the plate brings the
// vehicle and then offers the equipment that went with it; a value no item
// has, or a cancelled prompt, leaves the window as it was.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>

namespace moduletest {
namespace {

using host::data::DatasetState;

class OrdemServicoEquipamentoJanelaTest : public ModuleTest {
protected:
    TfmAssOrdemServico& abrir()
    {
        uPackageAss::ShowJanelaTec("fmAssOrdemServico");
        TfmAssOrdemServico* form = fmAssOrdemServico.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    QVariant valor(const QString& sql) { return host::db::selectValue(*dmGlobal->IBTransaction1, sql); }
    int ordens() { return valor("select count(*) from AATC01AO").toInt(); }
    // An earlier order of customer 00004 with one item; the description is
    // the register's, so saving a copy asks nothing about the register.
    void anterior(int ordem, const QString& entrada, int item, int equipamento, const QString& descricao,
                  const QString& serie, const QString& placa)
    {
        if (valor("select count(*) from AATC01AO where AOCODIGO = " + QString::number(ordem)).toInt() == 0)
            exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AOCONTATO, ATCODIGO, AODATAENTRADA, AOBAIXA)"
                         " values (%1, '00004', 'Dra. Helena', 2, '%2', 'A')")
                     .arg(ordem)
                     .arg(entrada));
        exec(QString("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO, AOITSERIE,"
                     " AOITPLACA, AOITKMINICIAL, AOITQUANTIDADE) values (%1, %2, %3, '%4', %5, %6, 1500, 1)")
                 .arg(item)
                 .arg(ordem)
                 .arg(equipamento)
                 .arg(descricao, serie.isEmpty() ? QString("null") : "'" + serie + "'",
                      placa.isEmpty() ? QString("null") : "'" + placa + "'"));
    }
};

TEST_F(OrdemServicoEquipamentoJanelaTest, BySerialNumberTheLatestOrderGivesTheNewOrderItsCustomerAndItem)
{
    anterior(40, "2026-03-01", 400, 1, "Impressora laser", "BR55821", {});
    anterior(41, "2026-10-20", 410, 1, "Impressora laser", "BR55821", {});   // the latest
    exec("update AATC01AOIT set AOITDEFEITO = 'Mancha a folha' where AOITCODIGO = 410");
    TfmAssOrdemServico& form = abrir();

    // A cancelled prompt does nothing; a serial no item has changes nothing.
    dialogs->answer("Série", "Deseja inserir OS pelo Nº de Série ou Código Interno?")
        .cancel("Informe o nº de série do equipamento");
    form.bbNS->click();
    EXPECT_EQ(ordens(), 2);
    dialogs->answer("Série").enter("XX-000", "Informe o nº de série").acknowledge("Registro não encontrado!");
    form.bbNS->click();
    EXPECT_EQ(ordens(), 2);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('|').toStdString();

    dialogs->answer("Série", "Deseja inserir OS pelo Nº de Série ou Código Interno?")
        .enter("br55821", "Informe o nº de série do equipamento para carregar os dados do mesmo na nova OS:")
        .answer("Não", "Deseja inserir o equipamento referente a este Nº de Série?")
        .acknowledge("Operação efetuada com sucesso!");
    form.bbNS->click();
    EXPECT_EQ(dialogs->pending(), 0);
    ASSERT_EQ(ordens(), 3);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
    EXPECT_EQ(form.dbedCodigo->text().toInt(), 42) << "the window shows the new order";
    EXPECT_EQ(valor("select CLCODIGO || '|' || AOCONTATO || '|' || ATCODIGO from AATC01AO where AOCODIGO = 42")
                  .toString(),
              "00004|Dra. Helena|2");
    ASSERT_EQ(form.dbgdOrdemServicoItens->model()->rowCount(), 1);
    EXPECT_EQ(valor("select AOITDEFEITO from AATC01AOIT where AOCODIGO = 42").toString(), "Mancha a folha")
        << "copied from order 41";
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('|').toStdString();
    EXPECT_EQ(valor("select AOITSERIE from AATC01AOIT where AOCODIGO = 42").toString(), "BR55821");
}

TEST_F(OrdemServicoEquipamentoJanelaTest, OnTheVehiclesTabThePlateBringsTheVehicleAndOffersItsEquipment)
{
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEIDENTIFICADOR) values (20, 'Caminhão VW 24.280', 'V')");
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEIDENTIFICADOR) values (21, 'Baú refrigerado', 'E')");
    anterior(41, "2026-10-20", 410, 20, "Caminhão VW 24.280", {}, "ABC-1234");
    anterior(41, "2026-10-20", 411, 21, "Baú refrigerado", "TK-778", {});
    parametro("ATPESQUISAOSVEICULO", "S");
    TfmAssOrdemServico& form = abrir();
    ASSERT_TRUE(form.tsVeiculo->tabVisible());
    form.pcOrdemServico->setActivePage(form.tsVeiculo);

    dialogs->answer("Placa", "Deseja inserir OS pelo Nº de Série ou Placa?")
        .enter("abc1234", "Informe a placa do veículo para carregar os dados do mesmo na nova OS (sem traço, "
                          "apenas letras e números):")
        .acknowledge("Operação efetuada com sucesso!")
        .answer("Sim", "Deseja inserir o equipamento associado a placa abc-1234 ?")   // as typed
        .answer("Não", "Deseja inserir o equipamento referente a este Nº de Série?")
        .acknowledge("Operação efetuada com sucesso!");
    form.bbNS->click();
    EXPECT_EQ(dialogs->pending(), 0);
    const int ordem = dmTec->quOSAOCODIGO->asInteger();
    EXPECT_EQ(ordem, 42);
    EXPECT_EQ(valor("select list(AOITEQUIPCODIGO || ':' || coalesce(AOITPLACA, '') || ':' || coalesce(AOITSERIE, ''))"
                    " from (select * from AATC01AOIT where AOCODIGO = 42 order by AOITCODIGO)")
                  .toString(),
              "20:ABC-1234:,21::TK-778")
        << "the vehicle, then the equipment of its last order";
    EXPECT_EQ(form.dbgdOrdemServicoItensVeiculo->model()->rowCount(), 1) << "the vehicles tab lists the vehicle";
    form.pcOrdemServico->setActivePage(form.tsItens);
    form.pcOrdemServicoChange();
    EXPECT_EQ(form.dbgdOrdemServicoItens->model()->rowCount(), 1) << "and the items tab the equipment";
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('|').toStdString();
}

}  // namespace
}  // namespace moduletest
