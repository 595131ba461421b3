// "Dia Vencimento" changed, with "Sim" to moving the forecasts: they move
// with the contract's save only, not on a cancel or a refused save.

#include "tests/module/ContratoCadastroFixture.h"

#include "host/ui/DataEdit.h"

namespace moduletest {
namespace {

class VencimentoPrevisoesTest : public ContratoCadastroTest {
protected:
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
    contratoComPrevisoes();
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
