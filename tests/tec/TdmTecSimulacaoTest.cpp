// The instalment simulation of an order: its document number, keeping or
// removing modes, the early stop, contract rows with the same aocodigo left
// alone, and the host's document handler attached again after a failure.

#include "tests/tec/TotaisFixture.h"

#include "host/Udatamod.h"
#include "host/db/Database.h"

namespace tectest {
namespace {

class SimulacaoTest : public TotaisTest {
protected:
    void SetUp() override
    {
        TotaisTest::SetUp();
        exec("update or insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES) values ('03', '30/60/90', 3)"
             " matching (CODIGO)");
        ordem(42);
        exec("update AATC01AO set AOVALORTOTAL = 100, TVCODIGO = '03' where AOCODIGO = 42");
        // A contract's forecast instalment of the same customer under the same code.
        exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, SITUACAO_DOCUMENTO,"
             " VALOR_DOCUMENTO, AOCODIGO) values ('000777', '00001', 1, 'V', 250, 42)");
        CarregaOrdemServico(42);
    }
    int parcelas(const QString& extra = {})
    {
        return one("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = 'S00042' and AOCODIGO = 42" + extra)
            .toInt();
    }
    void contratoIntacto()
    {
        EXPECT_EQ(one("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = '000777' and AOCODIGO = 42"
                      " and SITUACAO_DOCUMENTO = 'V' and VALOR_DOCUMENTO = 250")
                      .toInt(),
                  1)
            << "the contract's instalment is never touched";
    }
};

TEST_F(SimulacaoTest, DocumentNumberIsSAndFiveDigitsAtLeast)
{
    EXPECT_EQ(TdmTec::documentoSimulacao(42), "S00042");
    EXPECT_EQ(TdmTec::documentoSimulacao(123456), "S123456");
}

TEST_F(SimulacaoTest, KeepingModeLeavesForecastsWhoseCentsAddUp)
{
    dmGlobal->SetParametro("ATSIMULACAOPARCELAS", "S");
    dmTec->OSSimularParcelamento(false);
    global->IBTransaction1->rollback();   // what remains was committed
    EXPECT_EQ(parcelas(" and SITUACAO_DOCUMENTO = 'V'"), 3);
    EXPECT_DOUBLE_EQ(one("select sum(VALOR_DOCUMENTO) from ACRC5001 where NUMERO_DOCUMENTO = 'S00042'").toDouble(),
                     100);
    EXPECT_DOUBLE_EQ(one("select VALOR_DOCUMENTO from ACRC5001 where NUMERO_DOCUMENTO = 'S00042' and SEQUENCIA = 1")
                         .toDouble(),
                     33.34) << "the leftover cent goes to the first";
    const QDate hoje = QDate::currentDate();
    EXPECT_EQ(one("select DATA_VENCIMENTO from ACRC5001 where NUMERO_DOCUMENTO = 'S00042' and SEQUENCIA = 3")
                  .toDateTime()
                  .date(),
              hoje.addDays(90));
    contratoIntacto();

    CarregaOrdemServico(42);
    dmTec->OSSimularParcelamento(false);
    EXPECT_EQ(parcelas(), 3) << "a new simulation replaces the earlier one";
}

TEST_F(SimulacaoTest, AnOrderMovedToAnotherCustomerKeepsNoForecastUnderTheFormerOne)
{
    dmGlobal->SetParametro("ATSIMULACAOPARCELAS", "S");
    dmTec->OSSimularParcelamento(false);
    ASSERT_EQ(parcelas(" and CODIGO_CLIENTE = '00001'"), 3);

    exec("update AATC01AO set CLCODIGO = '00002' where AOCODIGO = 42");
    CarregaOrdemServico(42);
    dmTec->OSSimularParcelamento(false);
    EXPECT_EQ(parcelas(" and CODIGO_CLIENTE = '00002'"), 3);
    EXPECT_EQ(parcelas(" and CODIGO_CLIENTE = '00001'"), 0) << "the order's total was forecast twice";
    contratoIntacto();
}

TEST_F(SimulacaoTest, RemovingModeLeavesNoRowOfTheSimulation)
{
    dmGlobal->SetParametro("ATSIMULACAOPARCELAS", "");
    dmTec->OSSimularParcelamento(false);
    EXPECT_EQ(parcelas(), 0);
    contratoIntacto();
}

TEST_F(SimulacaoTest, VerifyingStopsOnAZeroTotalAndOnAnUnchangedTerm)
{
    dmGlobal->SetParametro("ATSIMULACAOPARCELAS", "R");
    dmGlobal->quReceber->close();
    dmTec->OSSimularParcelamento(true);
    ASSERT_TRUE(dmGlobal->quReceber->active()) << "the simulation is shown";
    EXPECT_EQ(dmGlobal->quReceber->recordCount(), 3);

    exec("update ACRC5001 set VALOR_DOCUMENTO = 1, SITUACAO_DOCUMENTO = 'A' where NUMERO_DOCUMENTO = 'S00042'");
    dmGlobal->quReceber->close();
    dmTec->OSSimularParcelamento(true);
    EXPECT_EQ(parcelas(" and VALOR_DOCUMENTO = 1 and SITUACAO_DOCUMENTO = 'V'"), 3)
        << "not split again, marked as forecasts again";
    EXPECT_FALSE(dmGlobal->quReceber->active()) << "nothing loaded after a stop";

    dmTec->quOSAOVALORTOTAL->setAsFloat(0);
    dmTec->quOSTVCODIGO->setAsString("02");
    dmGlobal->SetParametro("ATSIMULACAOPARCELAS", "N");
    dmTec->OSSimularParcelamento(true);
    EXPECT_EQ(parcelas(), 0) << "a zero total splits nothing and the removing mode removes the earlier simulation";
    EXPECT_FALSE(dmGlobal->quReceber->active());
    contratoIntacto();
}

TEST_F(SimulacaoTest, TheDocumentHandlerIsBackAfterAFailureAndTheRowsAreRemoved)
{
    exec("create exception E_SIMULACAO 'recusado'");
    exec("create trigger T_SIMULACAO for ACRC5001 before insert as begin"
         " if (new.SEQUENCIA = 2) then exception E_SIMULACAO; end");
    dmGlobal->CarregaParcelasReceber("00001", "000777");
    host::data::Field* documento = dmGlobal->quReceber->fieldByName("NUMERO_DOCUMENTO");
    documento->onSetText = nullptr;
    dmGlobal->SetParametro("ATSIMULACAOPARCELAS", "");
    EXPECT_THROW(dmTec->OSSimularParcelamento(false), host::db::DbError);
    ASSERT_TRUE(bool(documento->onSetText));
    dmGlobal->quReceber->edit();
    documento->setText("42");
    EXPECT_EQ(documento->asString(), "000042") << "the host's own handler";
    dmGlobal->quReceber->cancel();
    global->IBTransaction1->rollback();
    EXPECT_EQ(parcelas(), 0) << "the instalment written before the failure was removed and that committed";
    contratoIntacto();
}

}  // namespace
}  // namespace tectest
