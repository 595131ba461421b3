// An instalment value and a follow-up's subject typed in the contract
// register's grids, each left by moving down, then the window closed with
// "Sair": both are stored (read through another attachment).

#include "tests/module/ContratoCadastroFixture.h"

#include "host/ui/DataGrid.h"

namespace moduletest {
namespace {

const char* const kValores =
    "select cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = 801 order by DATA_VENCIMENTO";

class ParcelaAlteradaContratoTest : public ContratoCadastroTest {};

TEST_F(ParcelaAlteradaContratoTest, ValuesLeftInTheRegistersGridsAreStoredWhenItCloses)
{
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, RESUMIDA, DATA_VISITA) values"
         " ('00004', 901, 801, 'C', 'Visita', '2027-01-05')");
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, RESUMIDA, DATA_VISITA) values"
         " ('00004', 902, 801, 'C', 'Retorno', '2027-01-06')");
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO, ACMODALIDADE,"
         " ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA) values (801, 'N801', '00004', 'A', '01', 'M', 'A', 10, 'S',"
         " 1234.56)");
    for (const char* mes : {"02", "03"})
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO) values ('0000%1',"
                     " '00004', 1, '01', 'V', 1234.56, '2027-01-01', '2027-%1-10', 801)")
                 .arg(mes));
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    celula(form.dbgdContRecAberto, "VALOR_DOCUMENTO", "1.250,00", Qt::Key_Down);
    aba(form, form.tsContAcompanhamento);
    celula(form.dbgdAssContCadAcompanhamento, "RESUMIDA", "Visita tecnica", Qt::Key_Down);
    fechar(form);
    EXPECT_EQ(lido(kValores), (QStringList{"125000", "123456"})) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select RESUMIDA from CADCOM where CONTRATO = 801 order by SEQUENCIA"),
              (QStringList{"Visita tecnica", "Retorno"}));
}

}  // namespace
}  // namespace moduletest
