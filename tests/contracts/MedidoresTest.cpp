// The rules of the meter, reading, group-franchise and composition datasets:
// new-row defaults, the meter-group check of items and franchises, readings
// per composition (ATMODOCOMPOSICAO 2) and the commits after each change.

#include "tests/contracts/ContractsFixture.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"

using host::data::Query;

namespace contractstest {
namespace {

class MedidoresTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (3, 'Medidor A4', 'M')");
        exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (7, '  Copiadoras  ', 'G')");
    }
    // What a rollback leaves: rows that were committed.
    void descartaPendentes() { global->IBTransaction1->rollbackRetaining(); }
    void modoComposicao(const QString& modo)
    {
        global->SetParametro("ATMODOCOMPOSICAO", modo);
        global->IBTransaction1->commitRetaining();
    }
    // Contract 1 with item 10 and equipment line 5 (unit 40), and the
    // composition KIT/C1/1 of that line; the datasets loaded as the register does.
    void contratoComLinha()
    {
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'Cliente')");
        exec("insert into AATC05AC (ACCODIGO, CLCODIGO) values (1, '00001')");
        exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITNUMEROSERIE) "
             "values (10, '00001', 'IMP', 1, 'SN-1')");
        exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVSITUACAO) values (5, 1, 40, 'A')");
        exec("insert into AATC05ACCM (ACCODIGO, ACITCODIGO, PRCODIGO, CMSEQUENCIA, CMCODIGO, ACEVCODIGO) "
             "values (1, 10, 'KIT', 1, 'C1', 5)");
        CarregaContrato(1);
        dm->CarregaContratoVeiculo(1, false);
    }
};

TEST_F(MedidoresTest, NewMeterTakesTheNextKeyTodayAndKindMeter)
{
    Query& medidores = *dm->quCtrCadastroMedidor;
    InserirRegistro(medidores);
    EXPECT_EQ(medidores.fieldByName("COCODIGO")->asInteger(), 8);
    EXPECT_EQ(medidores.fieldByName("COID")->asString(), "M");
    EXPECT_EQ(medidores.fieldByName("CODATA")->asDateTime().date(), QDate::currentDate());
    medidores.fieldByName("CODESCRICAO")->setText("Grupo Laser");
    medidores.fieldByName("COID")->setText("Grupo");
    medidores.post();
    descartaPendentes();
    EXPECT_EQ(one("select COID from AATC05CO where COCODIGO = 8").toString(), "G") << "posted and committed";
    EXPECT_EQ(medidores.fieldByName("COID")->displayText(), "Grupo");
    medidores.remove();
    descartaPendentes();
    EXPECT_EQ(one("select count(*) from AATC05CO where COCODIGO = 8").toInt(), 0) << "deleted and committed";
}

TEST_F(MedidoresTest, ItemGroupMustNameAMeterGroup)
{
    contratoComLinha();
    dm->CarregaContratoItem("00001", "1");
    Query& itens = *dm->quCtrCadastroIt;
    itens.fieldByName("COCODIGO")->setText("7");
    EXPECT_EQ(itens.fieldByName("GRUPO")->asString(), "Copiadoras");
    EXPECT_TRUE(messages().isEmpty());

    itens.fieldByName("COCODIGO")->setText("3");   // a meter, not a group
    EXPECT_TRUE(itens.fieldByName("COCODIGO")->isNull());
    EXPECT_EQ(itens.fieldByName("GRUPO")->asString(), "");
    EXPECT_EQ(messages(), QStringList{"Grupo inválido."});
    EXPECT_TRUE(itens.editing()) << "the notice does not end the edit";
}

TEST_F(MedidoresTest, GroupFranchiseBelongsToTheContractAndTakesAKeyAtEveryPost)
{
    contratoComLinha();
    exec("insert into AATC05FG (FGCODIGO, COCODIGO, ACCODIGO) values (4, 7, 2)");
    Query& franquias = *dm->QuFranquiaPorGrupo;
    franquias.paramByName("ACCODIGO")->setAsInteger(1);
    InserirRegistro(franquias);
    EXPECT_EQ(franquias.fieldByName("ACCODIGO")->asInteger(), 1);
    franquias.fieldByName("COCODIGO")->setText("99");
    EXPECT_EQ(messages(), QStringList{"Grupo inválido."});
    EXPECT_TRUE(franquias.fieldByName("COCODIGO")->isNull());
    franquias.fieldByName("COCODIGO")->setText("7");
    EXPECT_EQ(franquias.fieldByName("CODESCRICAO")->asString(), "Copiadoras");
    franquias.fieldByName("FGFRANQUIA")->setAsFloat(5000);
    franquias.post();
    descartaPendentes();
    EXPECT_EQ(one("select FGFRANQUIA from AATC05FG where FGCODIGO = 5 and ACCODIGO = 1").toDouble(), 5000);
    franquias.edit();
    franquias.fieldByName("FGVALORDOEXC")->setAsFloat(0.12);
    franquias.post();
    EXPECT_EQ(franquias.fieldByName("FGCODIGO")->asInteger(), 6);
    EXPECT_EQ(one("select count(*) from AATC05FG where ACCODIGO = 1").toInt(), 1);
}

TEST_F(MedidoresTest, NewReadingCarriesTheItemAndTheMeterDescription)
{
    contratoComLinha();
    exec("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO) values (20, 10)");
    dm->CarregaContratoItem("00001", "1");
    Query& leituras = *dm->quCtrCadastroItCo;
    leituras.paramByName("ACITCODIGO")->setAsInteger(10);
    InserirRegistro(leituras);
    EXPECT_EQ(leituras.fieldByName("ACITCOCODIGO")->asInteger(), 21);
    EXPECT_EQ(leituras.fieldByName("ACITCODIGO")->asInteger(), 10);
    EXPECT_EQ(leituras.fieldByName("CODIGOPRODUTO")->asString(), "IMP");
    EXPECT_EQ(leituras.fieldByName("ACITNUMEROSERIE")->asString(), "SN-1");
    EXPECT_EQ(leituras.fieldByName("ACITCOCONTADORTOTAL")->asFloat(), 0);
    EXPECT_TRUE(leituras.fieldByName("CMCODIGO")->isNull()) << "no composition outside mode 2";
    leituras.fieldByName("COCODIGO")->setText("3");
    EXPECT_EQ(leituras.fieldByName("CODESCRICAO")->asString(), "Medidor A4");
    leituras.post();
    descartaPendentes();
    EXPECT_EQ(one("select COCODIGO from AATC05ACITCO where ACITCOCODIGO = 21").toInt(), 3);
}

TEST_F(MedidoresTest, InModeTwoTheItemsScrollShowsTheLinesCompositionsAndTheirReadings)
{
    modoComposicao("2");
    contratoComLinha();
    exec("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, PRCODIGO, CMCODIGO, CMSEQUENCIA, EVCODIGO, "
         "ACITCODATAFATURAMENTO) values (30, 10, 'KIT', 'C1', 1, 5, '05/10/2008')");
    exec("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, PRCODIGO, CMCODIGO, CMSEQUENCIA, EVCODIGO, "
         "ACITCODATAFATURAMENTO) values (31, 10, 'KIT', 'C1', 1, 5, '06/10/2008')");
    exec("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, PRCODIGO, CMCODIGO, CMSEQUENCIA, EVCODIGO) "
         "values (32, 10, 'KIT', 'C2', 1, 5)");
    dm->CarregaContratoItem("00001", "1");   // after-scroll of the items
    ASSERT_TRUE(dm->quCtrCadastroCM->active());
    EXPECT_EQ(dm->quCtrCadastroCM->recordCount(), 1);
    Query& leituras = *dm->quCtrCadastroItCo;
    ASSERT_TRUE(leituras.active()) << "the composition's scroll loads its readings";
    ASSERT_EQ(leituras.recordCount(), 2);
    EXPECT_EQ(leituras.fieldByName("ACITCOCODIGO")->asInteger(), 31) << "newest billing month first";

    // A new reading belongs to the composition and to the line its list reads.
    InserirRegistro(leituras);
    EXPECT_EQ(leituras.fieldByName("PRCODIGO")->asString(), "KIT");
    EXPECT_EQ(leituras.fieldByName("CMCODIGO")->asString(), "C1");
    EXPECT_EQ(leituras.fieldByName("CMSEQUENCIA")->asInteger(), 1);
    EXPECT_EQ(leituras.fieldByName("EVCODIGO")->asInteger(), 5);
    EXPECT_EQ(leituras.fieldByName("COCODIGO")->asInteger(), 1);
    leituras.fieldByName("ACITCODATAFATURAMENTO")->setAsDateTime(QDateTime(QDate(2008, 7, 10), QTime(0, 0)));
    leituras.post();
    dm->CarregaContadoresComposicaoItemContrato(1, 10, 5, "KIT", "C1", 1);
    EXPECT_EQ(leituras.recordCount(), 3);
    EXPECT_EQ(leituras.fieldByName("ACITCOCODIGO")->asInteger(), 33);
}

TEST_F(MedidoresTest, InModeTwoALineWithoutCompositionsShowsNoReadings)
{
    modoComposicao("2");
    contratoComLinha();
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVSITUACAO) values (6, 1, 41, 'A')");
    dm->CarregaComposicaoEquipContrato(1, 5);
    ASSERT_TRUE(dm->quCtrCadastroItCo->active());
    dm->CarregaComposicaoEquipContrato(1, 6);
    EXPECT_TRUE(dm->quCtrCadastroCM->isEmpty());
    EXPECT_FALSE(dm->quCtrCadastroItCo->active());
}

TEST_F(MedidoresTest, OutsideModeTwoTheItemsScrollLeavesCompositionsAlone)
{
    contratoComLinha();
    dm->CarregaContratoItem("00001", "1");
    EXPECT_FALSE(dm->quCtrCadastroCM->active());
    EXPECT_FALSE(dm->quCtrCadastroItCo->active());
}

TEST_F(MedidoresTest, NewCompositionComesFromTheCurrentEquipmentLine)
{
    contratoComLinha();
    exec("insert into ACEC1101 (CODIGO, DESCRICAO) values ('C7', 'Toner')");
    dm->CarregaComposicaoEquipContrato(1, 5);
    Query& composicoes = *dm->quCtrCadastroCM;
    InserirRegistro(composicoes);
    EXPECT_EQ(composicoes.fieldByName("PRCODIGO")->asString(), "1");
    EXPECT_EQ(composicoes.fieldByName("ACCODIGO")->asInteger(), 1);
    EXPECT_EQ(composicoes.fieldByName("ACITCODIGO")->asInteger(), 40);
    EXPECT_EQ(composicoes.fieldByName("ACEVCODIGO")->asInteger(), 5);
    EXPECT_EQ(composicoes.fieldByName("CMSEQUENCIA")->asInteger(), 1);
    EXPECT_EQ(composicoes.fieldByName("ACCMTOTAL")->asFloat(), 0);
    composicoes.fieldByName("CMCODIGO")->setText("C7");
    composicoes.post();
    descartaPendentes();
    EXPECT_EQ(one("select count(*) from AATC05ACCM where ACEVCODIGO = 5").toInt(), 2);
    InserirRegistro(composicoes);
    EXPECT_EQ(composicoes.fieldByName("CMSEQUENCIA")->asInteger(), 2);
    composicoes.cancel();
}

}  // namespace
}  // namespace contractstest
