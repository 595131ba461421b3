// Registers whose rows orders, customers' equipment and contracts use,
// opened through the dispatcher: deleting a used row is refused with a
// message saying where it is used and the row stays; an unused one is
// deleted after the usual question; rows of orders that already point to a
// register row that is gone do not stop the register from working.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContObj.h"
#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/data/Query.h"
#include "service_orders/uAssDefeito.h"
#include "service_orders/uAssEquipamento.h"
#include "service_orders/uAssHoraTecnica.h"
#include "service_orders/uAssSituacao.h"
#include "service_orders/uAssTecnico.h"

#include <QPushButton>

namespace moduletest {
namespace {

class CadastrosEmUsoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO) values (71, 'Em uso')");
        exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO) values (72, 'Livre')");
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO) values (71, 'Técnico em uso', 'S')");
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO) values (72, 'Técnico livre', 'S')");
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO) values (971, 'Balança em uso')");
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO) values (972, 'Balança livre')");
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO) values (973, 'Balança de cliente')");
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO) values (971, 'Não liga')");
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO) values (972, 'Sem uso')");
        exec("insert into AATC04AH (AHCODIGO, AHDESCRICAO, AHTIPO) values (71, 'Hora de contrato', 'E')");
        exec("insert into AATC04AH (AHCODIGO, AHDESCRICAO, AHTIPO) values (72, 'Hora livre', 'E')");
        // Order 42 uses the first of each; it also points to situation 99,
        // which no longer exists.
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, ASCODIGO, ATCODIGO, AODATAENTRADA)"
             " values (42, '00003', 71, 71, '2026-11-02')");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, ASCODIGO, AODATAENTRADA) values (43, '00003', 99, '2026-11-02')");
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO)"
             " values (42, 1, 971, 'Balança em uso')");
        exec("insert into AATC01AOAD (AOADCODIGO, AOCODIGO, AOITCODIGO, ADCODIGO) values (1, 42, 1, 971)");
        exec("insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO) values (971, 973, '00004')");
        exec("insert into AATC05AC (ACCODIGO, CLCODIGO, AHCODIGO) values (871, '00004', 71)");
        tr().commitRetaining();
    }
    // "Excluir" answered "Sim", with the message it shows after, if any.
    void exclui(QPushButton* excluir, const QString& aviso = {})
    {
        dialogs->answer("Sim", "Confirma a exclusão do registro?");
        if (!aviso.isEmpty())
            dialogs->acknowledge(aviso);
        excluir->click();
        EXPECT_EQ(dialogs->pending(), 0);
        if (!aviso.isEmpty()) {
            EXPECT_EQ(dialogs->texts().last(), aviso);
        }
    }
    int existe(const QString& tabela, const QString& chave, int codigo)
    {
        return lido(QString("select count(*) from %1 where %2 = %3").arg(tabela, chave).arg(codigo)).value(0).toInt();
    }
};

TEST_F(CadastrosEmUsoTest, ASituationUsedByAnOrderStaysAndAFreeOneGoes)
{
    TfmAssSituacao& form = abrirJanela(fmAssSituacao, "fmAssSituacao");
    ASSERT_TRUE(dmTec->quOSSituacao->locate("ASCODIGO", 71));
    exclui(form.bbExcluir, "O registro 71 - Em uso não pode ser excluído: está em uso em ordens de serviço.");
    EXPECT_EQ(existe("AATC01AS", "ASCODIGO", 71), 1);
    EXPECT_EQ(lido("select ASCODIGO from AATC01AO where AOCODIGO = 42"), QStringList{"71"});

    ASSERT_TRUE(dmTec->quOSSituacao->locate("ASCODIGO", 72));
    exclui(form.bbExcluir);
    EXPECT_EQ(existe("AATC01AS", "ASCODIGO", 72), 0);
    EXPECT_EQ(lido("select count(*) from AATC01AO"), QStringList{"2"}) << "the orders, the one without its situation too";
}

TEST_F(CadastrosEmUsoTest, ATechnicianOfAnOrderStaysAndAFreeOneGoes)
{
    TfmAssTecnico& form = abrirJanela(fmAssTecnico, "fmAssTecnico");
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 71));
    exclui(form.bbExcluir,
           "O registro 71 - Técnico em uso não pode ser excluído: está em uso em ordens de serviço.");
    EXPECT_EQ(existe("AATC06AT", "ATCODIGO", 71), 1);
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 72));
    exclui(form.bbExcluir);
    EXPECT_EQ(existe("AATC06AT", "ATCODIGO", 72), 0);
}

TEST_F(CadastrosEmUsoTest, AnEquipmentOfOrdersOrCustomersStaysAndAFreeOneGoes)
{
    TfmAssEquipamento& form = abrirJanela(fmAssEquipamento, "fmAssEquipamento");
    dmTec->CarregaEquipamento(971);
    exclui(form.bbExcluir,
           "O registro 971 - Balança em uso não pode ser excluído: está em uso em ordens de serviço.");
    EXPECT_EQ(existe("AATC03AE", "AECODIGO", 971), 1);
    dmTec->CarregaEquipamento(973);
    exclui(form.bbExcluir, "O registro 973 - Balança de cliente não pode ser excluído: está em uso em "
                           "equipamentos de clientes.");
    EXPECT_EQ(existe("AATC03AE", "AECODIGO", 973), 1);
    dmTec->CarregaEquipamento(972);
    exclui(form.bbExcluir);
    EXPECT_EQ(existe("AATC03AE", "AECODIGO", 972), 0);
}

TEST_F(CadastrosEmUsoTest, ADefectOfAnOrderStaysAndAFreeOneGoes)
{
    TfmAssDefeito& form = abrirJanela(fmAssDefeito, "fmAssDefeito");
    dmTec->CarregaDefeito(971);
    exclui(form.bbExcluir, "O registro 971 - Não liga não pode ser excluído: está em uso em ordens de serviço.");
    EXPECT_EQ(existe("AATC02AD", "ADCODIGO", 971), 1);
    dmTec->CarregaDefeito(972);
    exclui(form.bbExcluir);
    EXPECT_EQ(existe("AATC02AD", "ADCODIGO", 972), 0);
}

TEST_F(CadastrosEmUsoTest, AnHourTypeOfAContractStaysAndAFreeOneGoes)
{
    TfmAssHoraTecnica& form = abrirJanela(fmAssHoraTecnica, "fmAssHoraTecnica");
    ASSERT_TRUE(dmTec->quHoraTecnica->locate("AHCODIGO", 71));
    exclui(form.bbExcluir, "O registro 71 - Hora de contrato não pode ser excluído: está em uso em contratos.");
    EXPECT_EQ(existe("AATC04AH", "AHCODIGO", 71), 1);
    ASSERT_TRUE(dmTec->quHoraTecnica->locate("AHCODIGO", 72));
    exclui(form.bbExcluir);
    EXPECT_EQ(existe("AATC04AH", "AHCODIGO", 72), 0);
}

TEST_F(CadastrosEmUsoTest, ABillingObjectOfAContractStaysAndAFreeOneGoes)
{
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO) values (71, 'Objeto em uso')");
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO) values (72, 'Objeto livre')");
    exec("update AATC05AC set AJCODIGO = 71 where ACCODIGO = 871");
    tr().commitRetaining();
    TfmAssContObj& form = abrirJanela(fmAssContObj, "fmAssContObj");
    dmTecContrato->CarregaObjeto(71);
    exclui(form.bbExcluir, "O registro 71 - Objeto em uso não pode ser excluído: está em uso em contratos.");
    EXPECT_EQ(existe("AATC11AJ", "AJCODIGO", 71), 1);
    dmTecContrato->CarregaObjeto(72);
    exclui(form.bbExcluir);
    EXPECT_EQ(existe("AATC11AJ", "AJCODIGO", 72), 0);
}

}  // namespace
}  // namespace moduletest
