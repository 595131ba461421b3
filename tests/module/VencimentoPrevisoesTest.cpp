// "Dia Vencimento" changed in the contract register with "Sim" to moving the
// forecasts' due dates: the forecasts move with the contract's save only; a
// cancelled edit, or a save refused because another desk saved the contract
// meanwhile, leaves them on the contract's stored day.

#include "tests/module/ContratoCadastroFixture.h"

#include "host/ui/DataEdit.h"

namespace moduletest {
namespace {

class VencimentoPrevisoesTest : public ContratoCadastroTest {
protected:
    void SetUp() override
    {
        ContratoCadastroTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO,"
             " ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA) values (801, 'N801', '00004', 'A', '01', 'M',"
             " 'A', 10, 'S', 1234.56)");
        for (const char* mes : {"02", "03"})
            exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                         " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO) values"
                         " ('0000%1', '00004', 1, '01', 'V', 1234.56, '2027-01-01', '2027-%1-10', 801)")
                     .arg(mes));
        tr().commitRetaining();
    }
    // The contract's stored day and its forecasts' days, as another attachment reads them.
    QStringList dias() const
    {
        return lido("select ACVENCIMENTO from AATC05AC where ACCODIGO = 801 union all"
                    " select extract(day from DATA_VENCIMENTO) from ACRC5001 where AOCODIGO = 801");
    }
};

TEST_F(VencimentoPrevisoesTest, TheForecastsMoveWithTheContractsSaveOnly)
{
    enum class Depois { Cancelar, Salvar, SalvarDepoisDeOutraMesa };
    const struct {
        Depois depois;
        QStringList dias;
    } casos[] = {
        {Depois::Cancelar, {"10", "10", "10"}},
        {Depois::Salvar, {"15", "15", "15"}},
        {Depois::SalvarDepoisDeOutraMesa, {"10", "10", "10"}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(int(caso.depois));
        exec("update AATC05AC set ACVENCIMENTO = 10, ACLOCAL = '01' where ACCODIGO = 801");
        exec("update ACRC5001 set DATA_VENCIMENTO = DATA_VENCIMENTO - extract(day from DATA_VENCIMENTO) + 10"
             " where AOCODIGO = 801");
        tr().commitRetaining();
        TfmAssContCad& form = abrir();
        CarregaContrato(801);
        aba(form, form.tsContDadosAdicionais);
        dialogs->answer("Sim", "Deseja mudar vencimento das parcelas de provisão?");
        digita(form.dbedVencimento, "15");
        if (caso.depois == Depois::SalvarDepoisDeOutraMesa) {
            outraMesa("update AATC05AC set ACLOCAL = '02' where ACCODIGO = 801");
            dialogs->acknowledge("O registro foi alterado por outro usuário. Recarregue e tente de novo.");
        }
        (caso.depois == Depois::Cancelar ? form.bbCancelar : form.bbSalvar)->click();
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
        EXPECT_EQ(dias(), caso.dias) << dialogs->texts().join(" | ").toStdString();
        if (dmTecContrato->quCtrCadastro->editing())
            dmTecContrato->quCtrCadastro->cancel();
        fechar(form);
    }
}

}  // namespace
}  // namespace moduletest
