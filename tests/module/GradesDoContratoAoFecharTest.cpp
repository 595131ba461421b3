// Values typed in the contract register's grids, left by moving down, are
// stored when the window closes with "Sair".

#include "tests/module/ContratoCadastroFixture.h"

#include "host/ui/DataGrid.h"

namespace moduletest {
namespace {

class ParcelaAlteradaContratoTest : public ContratoCadastroTest {};

TEST_F(ParcelaAlteradaContratoTest, ValuesLeftInTheRegistersGridsAreStoredWhenItCloses)
{
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, RESUMIDA, DATA_VISITA) values"
         " ('00004', 901, 801, 'C', 'Visita', '2027-01-05')");
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, RESUMIDA, DATA_VISITA) values"
         " ('00004', 902, 801, 'C', 'Retorno', '2027-01-06')");
    contratoComPrevisoes();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    celula(form.dbgdContRecAberto, "VALOR_DOCUMENTO", "1.250,00", Qt::Key_Down);
    aba(form, form.tsContAcompanhamento);
    celula(form.dbgdAssContCadAcompanhamento, "RESUMIDA", "Visita tecnica", Qt::Key_Down);
    fechar(form);
    EXPECT_EQ(lido("select cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = 801"
                   " order by DATA_VENCIMENTO"),
              (QStringList{"125000", "123456"}))
        << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select RESUMIDA from CADCOM where CONTRATO = 801 order by SEQUENCIA"),
              (QStringList{"Visita tecnica", "Retorno"}));
}

}  // namespace
}  // namespace moduletest
