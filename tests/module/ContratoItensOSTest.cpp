// Contract items and customer equipment copied into the service order open
// in its window: the placeholder item only for an order without items, the
// contract's travel row and hour-rate line once, the line valued at the
// item's value or the product's list price, warranty "1" else "3", the item
// read by its key, the handlers back after a failure, and nothing without
// the window or with contracts not in use.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContCad.h"
#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContOS.h"
#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include "service_orders/uAssOrdemServico.h"

namespace moduletest {
namespace {

class ContratoItensOSTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATUTILIZACONTRATOS", "S");
        parametro("ATEQUIPAMENTOPADRAO", "2");
        parametro("ATPRODUTOHORATECNICA", "S0001");
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACVALOR, ACDISTANCIAKM, ACQUANTIDADEPEDAGIO,"
             " AHCODIGO, ACHORAVALOR) values (960, 'C-960', '00003', 300, 35, 2, 1, 95)");
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACVALOR) values (961, 'C-961', '00003', 10)");
        // Another contract's item of the same customer and product, stored first.
        item(8800, 961, "S0002", 55, "N", "Outro contrato");
        item(8801, 960, "S0002", 0, "S", "Visita mensal");
        item(8803, 960, "S0003", 140, "N", "Revisão");
        exec("insert into AUGC03CO (COCODIGO, ACCODIGO, AECODIGO, CLCODIGO, COIDENTIFICADOR, COMARCA, COMODELO,"
             " COSERIE, COGARANTIA, CODATACOMPRA) values (7101, 960, 3, '00003', 'E', 'Carrier', 'Split 9000',"
             " 'AC-1', 'S', '2025-06-30')");
        exec("insert into AUGC03CO (COCODIGO, ACCODIGO, AECODIGO, CLCODIGO, COIDENTIFICADOR, COMARCA, COMODELO,"
             " COSERIE, COGARANTIA) values (7102, 960, 3, '00003', 'E', 'Carrier', 'Split 12000', 'AC-2', 'N')");
    }
    void item(int codigo, int contrato, const QString& produto, double valor, const QString& garantia,
              const QString& observacao)
    {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, ACITGARANTIA,"
                     " ACITOBSERVACAO) values (%1, %2, '00003', '%3', %4, '%5', '%6')")
                 .arg(codigo)
                 .arg(contrato)
                 .arg(produto)
                 .arg(valor)
                 .arg(garantia, observacao));
    }
    TfmAssOrdemServico& abrirOrdem(int codigo)
    {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
                     " values (%1, '00003', '2026-11-02', 'A', 'M')")
                 .arg(codigo));
        uPackageAss::ShowJanelaTec("fmAssOrdemServico;" + QString::number(codigo));
        return *fmAssOrdemServico.get();
    }
    void contrato(int codigo)
    {
        if (!dmTecContrato)
            uPackageAss::ShowJanelaTec("fmAssTecnico");   // the data modules, without the order window
        CarregaContrato(codigo);
        dmTecContrato->CarregaContratoItem("00003", QString::number(codigo));
        CarregaContratoEquipamento(codigo);
    }
    void naLinha(int acitCodigo) { ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", acitCodigo)); }
    QString linhas(int ordem)
    {
        return one(QString("select list(PRCODIGO || ':' || cast(AAVALOR as integer) || ':' || coalesce(AATIPO, '-') ||"
                           " ':' || coalesce(AHCODIGO, 0), ' ') from (select * from AATC01AA where AOCODIGO = %1"
                           " order by AACODIGO)")
                       .arg(ordem))
            .toString();
    }
    bool manipuladoresNoLugar()
    {
        return bool(dmTec->quOSAndamento->beforeInsert) && bool(dmTec->quOSAndamentoPRCODIGO->onChange) &&
               bool(dmTec->quOSItemAOITEQUIPCODIGO->onChange);
    }
};

TEST_F(ContratoItensOSTest, AnItemIntoAnOrderWithoutItemsBringsThePlaceholderAndTheContractsCharges)
{
    TfmAssOrdemServico& os = abrirOrdem(5601);
    os.pcOrdemServico->setActivePage(os.tsServico);
    contrato(960);
    naLinha(8801);
    dialogs->acknowledge("Operação efetuada com sucesso!");
    InserirItemContratoOS();
    EXPECT_EQ(os.pcOrdemServico->activePageIndex(), 0);
    EXPECT_EQ(one("select list(AOITEQUIPCODIGO || '/' || ACCODIGO) from AATC01AOIT where AOCODIGO = 5601").toString(),
              "2/960")
        << "the placeholder item of the contract";
    EXPECT_EQ(one("select list(cast(AVKMPERCORRIDO as integer) || '/' || cast(AVPEDQUANTIDADE as integer))"
                  " from AATC01AV where AOCODIGO = 5601")
                  .toString(),
              "35/2");
    EXPECT_EQ(linhas(5601), "S0001:95:3:1 S0002:80:1:0")
        << "the hour-rate line, then the item's line at the list price (its value is 0), under warranty";
    EXPECT_EQ(one("select AAOBSERVACAO from AATC01AA where AOCODIGO = 5601 and PRCODIGO = 'S0002'").toString(),
              "Visita mensal")
        << "the item read by its key, not the other contract's item of the same product";
    EXPECT_TRUE(manipuladoresNoLugar());

    naLinha(8803);
    dialogs->acknowledge("Operação efetuada com sucesso!");
    InserirItemContratoOS();
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 5601").toInt(), 1) << "no second placeholder";
    EXPECT_EQ(one("select count(*) from AATC01AV where AOCODIGO = 5601").toInt(), 1) << "exactly one travel row";
    EXPECT_EQ(linhas(5601), "S0001:95:3:1 S0002:80:1:0 S0003:140:3:0");
}

TEST_F(ContratoItensOSTest, AnOrderWithItemsAndChargesGetsOnlyTheLineAndAContractWithoutChargesAddsNone)
{
    exec("update AATC05AC set ACDISTANCIAKM = 0, ACQUANTIDADEPEDAGIO = 0, AHCODIGO = 0, ACHORAVALOR = 0"
         " where ACCODIGO = 960");
    abrirOrdem(5602);
    contrato(960);
    naLinha(8803);
    dialogs->acknowledge("Operação efetuada com sucesso!");
    InserirItemContratoOS();
    EXPECT_EQ(one("select count(*) from AATC01AV where AOCODIGO = 5602").toInt(), 0);
    EXPECT_EQ(linhas(5602), "S0003:140:3:0");
}

TEST_F(ContratoItensOSTest, AFailedLineSaysNoSuccessAndGivesTheHandlersBack)
{
    abrirOrdem(5603);
    contrato(960);
    exec("update AATC05ACIT set PRCODIGO = 'NAOEXISTE' where ACITCODIGO = 8803");
    dmTecContrato->CarregaContratoItem("00003", "960");
    naLinha(8803);
    dialogs->setAutoAcknowledgeMessages(true);
    EXPECT_ANY_THROW(InserirItemContratoOS()) << "the failure reaches the caller";
    EXPECT_FALSE(dialogs->texts().contains("Operação efetuada com sucesso!")) << dialogs->texts().join("|").toStdString();
    EXPECT_TRUE(manipuladoresNoLugar());
    dmTec->quOSAndamento->cancel();
}

TEST_F(ContratoItensOSTest, EquipmentIntoTheOrderKeepsTheContractsMakeAndModel)
{
    abrirOrdem(5604);
    contrato(960);
    ASSERT_TRUE(dmTecContrato->quCtrCadastroEquip->locate("COCODIGO", 7102));
    InserirEquipamentoContratoOS();
    EXPECT_EQ(one("select AOITEQUIPCODIGO || '|' || AOITEQUIPDESCRICAO || '|' || AOITSERIE || '|' || AOITMARCA || '|'"
                  " || AOITMODELO || '|' || AOITGARANTIA || '|' || ACCODIGO from AATC01AOIT where AOCODIGO = 5604")
                  .toString(),
              "3|Ar-condicionado split|AC-2|Carrier|Split 12000|N|960")
        << "the clicked row (not the first of its model), its make and model, not the model register's";
    EXPECT_EQ(one("select count(*) from AATC01AV where AOCODIGO = 5604").toInt(), 1);
    EXPECT_TRUE(manipuladoresNoLugar());
    EXPECT_TRUE(dialogs->texts().isEmpty()) << "no message";
}

TEST_F(ContratoItensOSTest, NothingWithoutTheOrderWindowOrWithContractsNotInUse)
{
    contrato(960);
    naLinha(8801);
    InserirItemContratoOS();
    InserirEquipamentoContratoOS();
    EXPECT_EQ(one("select count(*) from AATC01AOIT where ACCODIGO = 960").toInt(), 0);

    parametro("ATUTILIZACONTRATOS", "E");
    abrirOrdem(5605);
    InserirItemContratoOS();
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 5605").toInt(), 0);
    EXPECT_TRUE(dialogs->texts().isEmpty());
}

TEST_F(ContratoItensOSTest, TheRegistersGridsAndButtonsRunTheCopiesAndTheDocuments)
{
    abrirOrdem(5606);
    TfmAssContCad& cadastro = abrirJanela(fmAssContCad, "fmAssContCad");
    contrato(960);
    naLinha(8803);
    dialogs->acknowledge("Operação efetuada com sucesso!");
    cadastro.dbgdAssContCadItem->onDblClick();
    ASSERT_TRUE(dmTecContrato->quCtrCadastroEquip->locate("COCODIGO", 7101));
    cadastro.dbgdAssContCadEquip->onDblClick();
    EXPECT_EQ(one("select list(AOITEQUIPCODIGO) from (select * from AATC01AOIT where AOCODIGO = 5606"
                  " order by AOITCODIGO)")
                  .toString(),
              "2,3")
        << "the placeholder, then the equipment";
    EXPECT_EQ(linhas(5606), "S0001:95:3:1 S0003:140:3:0");

    dialogs->answer("Não", "Deseja emitir nota fiscal de remessa?");
    cadastro.btRemessaIten->click();
    dialogs->acknowledge("Operação de Remessa de Abastecimento (05949) não encontrada.");
    cadastro.ppMenuContratoItens->findChild<QAction*>("mmGerarOrdemdeAbastecimento")->trigger();
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
