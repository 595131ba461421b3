// A line taken off a service order from its grid: Ctrl+Delete on the
// current line, the host's question, the passwords the order's rules ask,
// and the stored totals of the order following.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/ui/DataGrid.h"
#include "service_orders/uAssOrdemServico.h"

#include <QTest>

namespace moduletest {
namespace {

const QString kConfirma = "Confirma a exclusão do registro?";

class OrdemServicoExcluirLinhaTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        ordemComItem("Impressora");
        for (int linha : {1, 2})
            exec(QString("insert into AATC01AA (AOCODIGO, AOITCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR,"
                         " AAVALORTOTAL, AAAUTORIZADO, AATIPO) values (42, 1, %1, 'S0001', 1, %2, %2, 'S', '3')")
                     .arg(linha)
                     .arg(linha * 100));
        for (int linha : {1, 2})
            exec(QString("insert into AATC01AP (AOCODIGO, AOITCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE,"
                         " APVALUNITARIO, APVALTOTAL, APAUTORIZADO, APTIPO) values (42, 1, %1, 'P0001', 1, %2, %2, 'S',"
                         " '3')")
                     .arg(linha)
                     .arg(linha * 10));
        exec("insert into AATC01AX (AOCODIGO, AXCODIGO, AXNUMERO, AXVALOR) values (42, 1, '1', 7)");
        exec("update AATC01AO set AOVALORSERVICO = 300, AOVALORPECAS = 30, AODESPDIVERSAS = 7 where AOCODIGO = 42");
        tr().commitRetaining();
    }
    // Ctrl+Delete on the grid's line whose key field holds the value.
    void excluir(host::ui::DataGrid* grade, const char* campo, int valor)
    {
        ASSERT_TRUE(grade->dataset()->locate(campo, valor));
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
    }
    QString ordem(const char* coluna) const
    {
        return lido(QString("select cast(%1 as integer) from AATC01AO where AOCODIGO = 42").arg(coluna)).join(',');
    }
};

TEST_F(OrdemServicoExcluirLinhaTest, ServicePartAndExpenseLinesAreDeletedAndTheTotalsFollow)
{
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    dialogs->answer("Não", kConfirma);
    excluir(form.dbgdOrdemServicoServicos, "AACODIGO", 2);
    EXPECT_EQ(lido("select AACODIGO from AATC01AA where AOCODIGO = 42 order by 1"), (QStringList{"1", "2"}));
    dialogs->answer("Sim", kConfirma);
    excluir(form.dbgdOrdemServicoServicos, "AACODIGO", 2);
    EXPECT_EQ(lido("select AACODIGO from AATC01AA where AOCODIGO = 42"), QStringList{"1"});
    EXPECT_EQ(ordem("AOVALORSERVICO"), "100");

    aba(form, form.tsPecasOS);
    dialogs->answer("Sim", kConfirma);
    excluir(form.dbgdOrdemServicoPecas, "APSEQUENCIA", 1);
    EXPECT_EQ(lido("select APSEQUENCIA from AATC01AP where AOCODIGO = 42"), QStringList{"2"});
    EXPECT_EQ(ordem("AOVALORPECAS"), "20");

    aba(form, form.tsDespesaExtra);
    dialogs->answer("Sim", kConfirma);
    excluir(form.dbgdOrdemServicoDespExtra, "AXCODIGO", 1);
    EXPECT_EQ(lido("select count(*) from AATC01AX where AOCODIGO = 42"), QStringList{"0"});
    EXPECT_EQ(ordem("AODESPDIVERSAS"), "0");
    EXPECT_EQ(dialogs->pending(), 0);
}

// Under the billing restrictions a line of an item in a situation with a
// password goes only with that password; a wrong one keeps it.
TEST_F(OrdemServicoExcluirLinhaTest, TheItemsSituationPasswordIsAsked)
{
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID, ASSENHA) values (11, 'Item em teste', 'N', 'I',"
         " 'chave')");
    exec("update AATC01AOIT set ASCODIGO = 11 where AOCODIGO = 42");
    tr().commitRetaining();
    parametro("ATRESTRICAOOS", "B");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    dialogs->answer("Sim", kConfirma).enter("errada").acknowledge("Senha inválida!");
    excluir(form.dbgdOrdemServicoServicos, "AACODIGO", 2);
    EXPECT_EQ(lido("select count(*) from AATC01AA where AOCODIGO = 42"), QStringList{"2"});
    dialogs->answer("Sim", kConfirma).enter("chave", "Senha para alteração de situação (11)");
    excluir(form.dbgdOrdemServicoServicos, "AACODIGO", 2);
    EXPECT_EQ(lido("select AACODIGO from AATC01AA where AOCODIGO = 42"), QStringList{"1"});
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
