// "Excluir" in the module's registers over values the user has just typed:
// refused by the register's own rules, or answered "Não", the typing stays,
// to be saved afterwards; a delete that goes deletes the stored row whatever
// was typed over it. The rules read the row as stored: the refusal names it.

#include "tests/module/AssVendasFixture.h"
#include "tests/module/ContLocFixture.h"
#include "tests/module/ContratoCadastroFixture.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "host/ui/ScriptedDialogs.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssVendas.h"
#include "service_orders/uAssTecnico.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace moduletest {
namespace {

// "Excluir" over a contract number just typed, refused by the billed
// instalment and then answered "Não": the typed number stays both times.
void numeroFicaAposExcluir(host::ui::ScriptedDialogs& dialogs, QPushButton* excluir, host::ui::DataEdit* numero,
                           const host::data::Dataset& contrato, const QString& digitado)
{
    dialogs.answer("Sim", "Confirma a exclusão do registro?").acknowledge("Contrato possui parcelas faturadas!");
    excluir->click();
    EXPECT_EQ(dialogs.pending(), 0) << dialogs.texts().join(" | ").toStdString();
    EXPECT_TRUE(contrato.editing());
    EXPECT_EQ(numero->text(), digitado);

    dialogs.answer("Não", "Confirma a exclusão do registro?");
    excluir->click();
    EXPECT_TRUE(contrato.editing()) << "a \"Não\" reloads nothing";
    EXPECT_EQ(numero->text(), digitado);
    dialogs.setAutoAcknowledgeMessages(true);
}

class TecnicoExclusaoRecusadaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO) values (71, 'Técnico em uso', 'S')");
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO) values (72, 'Técnico livre', 'S')");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, ATCODIGO, AODATAENTRADA) values (42, '00003', 71, '2026-11-02')");
        tr().commitRetaining();
    }
    QStringList nome(int tecnico) const
    {
        return lido(QString("select ATNOME from AATC06AT where ATCODIGO = %1").arg(tecnico));
    }
};

TEST_F(TecnicoExclusaoRecusadaTest, ATechnicianInUseKeepsTheTypedNameAndAFreeOneGoesAsStored)
{
    // The register keeps names in capitals.
    TfmAssTecnico& form = abrirJanela(fmAssTecnico, "fmAssTecnico");
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 71));
    digita(form.dbedNome, "Nome Digitado");
    dialogs->answer("Sim", "Confirma a exclusão do registro?")
        .acknowledge("O registro 71 - Técnico em uso não pode ser excluído: está em uso em ordens de serviço.");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_TRUE(dmTec->quTecnicos->editing());
    EXPECT_EQ(form.dbedNome->text(), "NOME DIGITADO");

    dialogs->answer("Não", "Confirma a exclusão do registro?");
    form.bbExcluir->click();
    EXPECT_EQ(form.dbedNome->text(), "NOME DIGITADO");
    form.bbSalvar->click();
    EXPECT_EQ(nome(71), QStringList{"NOME DIGITADO"});

    // The free one goes, the name typed over it never stored.
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 72));
    digita(form.dbedNome, "Outro Nome");
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(nome(72).isEmpty());
    EXPECT_EQ(lido("select count(*) from AATC06AT where ATNOME = 'OUTRO NOME'"), QStringList{"0"});
    EXPECT_EQ(nome(71), QStringList{"NOME DIGITADO"});
}

class ContratoExclusaoRecusadaTest : public ContratoCadastroTest {
protected:
    host::data::Query& ctr() { return *dmTecContrato->quCtrCadastro; }
    void contrato(int codigo)
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO,"
                     " ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA) values (%1, 'N%1', '00004', 'A',"
                     " '01', 'M', 'A', 10, 'S', 100)")
                 .arg(codigo));
    }
    QStringList numero(int codigo) const
    {
        return lido(QString("select ACNUMEROCONTRATO from AATC05AC where ACCODIGO = %1").arg(codigo));
    }
};

TEST_F(ContratoExclusaoRecusadaTest, AContractWithBilledInstalmentsOrANoKeepsTheTypedNumber)
{
    contrato(801);
    contrato(802);
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO)"
         " values ('F801', '00004', 1, '01', 'A', 100, '2026-01-01', '2026-02-10', 801)");
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    digita(form.dbedNumeroContrato, "N801-B");
    numeroFicaAposExcluir(*dialogs, form.bbExcluir, form.dbedNumeroContrato, ctr(), "N801-B");
    form.bbSalvar->click();
    EXPECT_EQ(numero(801), QStringList{"N801-B"});

    // One without billed instalments goes, the number typed over it never stored.
    CarregaContrato(802);
    digita(form.dbedNumeroContrato, "N802-B");
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    form.bbExcluir->click();
    EXPECT_TRUE(numero(802).isEmpty());
    EXPECT_EQ(lido("select count(*) from AATC05AC where ACNUMEROCONTRATO = 'N802-B'"), QStringList{"0"});
}

class ContLocExclusaoRecusadaTest : public ContLocTest {
protected:
    TfmAssContCadLocEquip& abrir() { return abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip"); }
};

TEST_F(ContLocExclusaoRecusadaTest, ARentalContractWithBilledInstalmentsOrANoKeepsTheTypedNumber)
{
    contrato(701);
    parcela("F701", "A", 100, 701);
    tr().commitRetaining();
    TfmAssContCadLocEquip& form = abrir();
    CarregaContrato(701);
    digita(form.dbedNumeroContrato, "L701-B");
    numeroFicaAposExcluir(*dialogs, form.btExcluir, form.dbedNumeroContrato, ctr(), "L701-B");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_EQ(lido("select ACNUMEROCONTRATO from AATC05AC where ACCODIGO = 701"), QStringList{"L701-B"});
}

class AssVendasExclusaoRecusadaTest : public AssVendasJanelaTest {};

// A wrong deletion password leaves the order, and the addresses shown with it.
TEST_F(AssVendasExclusaoRecusadaTest, AWrongPasswordKeepsTheOrderAndItsAddressesShown)
{
    parametro("ATSENHAEXCLUSAOPEDIDO", "abc");
    TfmAssVendas& form = abrir();
    pedido("000903", "1");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('000903', 'V', 100, 'Rua A, 1')");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('000903', 'V', 101, 'Rua B, 2')");
    tr().commitRetaining();
    CarregaPedidoAssVenda("000903", "");
    ASSERT_EQ(form.meEnderecoEntrega->toPlainText(), "Rua A, 1");
    dialogs->answer("Sim", "Deseja excluir o registro corrente?")
        .enter("xyz", "Senha de Exclusão de Pedido de Vendas")
        .acknowledge("Senha inválida!");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select count(*) from AVEC8501 where NUMERO_PEDIDO = '000903'").toInt(), 1);
    EXPECT_EQ(form.meEnderecoEntrega->toPlainText(), "Rua A, 1");
    EXPECT_EQ(form.meEnderecoCobranca->toPlainText(), "Rua B, 2");
}

}  // namespace
}  // namespace moduletest
