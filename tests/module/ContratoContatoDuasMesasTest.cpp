// A contact typed in the contract register's "Acompanhamento" while another
// desk saved one for the same customer under the number this one was given
// is stored under the next, as typed, next to the other desk's.

#include "tests/module/ContratoCadastroFixture.h"

#include "host/data/Field.h"
#include "host/ui/DataGrid.h"

namespace moduletest {
namespace {

using ContratoContatoDuasMesasTest = ContratoCadastroTest;

TEST_F(ContratoContatoDuasMesasTest, AContactTypedWhileAnotherDeskSavedOneIsStoredUnderTheNextNumber)
{
    contratoComPrevisoes();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContAcompanhamento);
    host::ui::DataGrid* grade = form.dbgdAssContCadAcompanhamento;
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_Insert);
    celula(grade, "RESUMIDA", "Visita tecnica");
    const int tomada = dmTecContrato->quCtrContato->fieldByName("SEQUENCIA")->asInteger();
    outraMesa(QString("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, RESUMIDA, DATA_VISITA)"
                      " values ('00004', %1, 801, 'C', 'Retorno', '2027-01-06')")
                  .arg(tomada));
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    fechar(form);
    EXPECT_EQ(lido("select RESUMIDA from CADCOM where CONTRATO = 801 order by SEQUENCIA"),
              (QStringList{"Retorno", "Visita tecnica"}))
        << dialogs->texts().join(" | ").toStdString();
}

}  // namespace
}  // namespace moduletest
