// The statements of the contract search: the wildcards of each match mode,
// the conditions of the filled filters in their order, the order column, a
// quote in a typed text, and the value filter run on a real database.

#include "tests/contracts/ContractsFixture.h"

#include "contracts/uPesqAssContratos.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"

namespace contractstest {
namespace {

using Onde = FiltroPesquisaContratos::Onde;
using namespace uPesqAssContratos;

TEST(PesquisaContratosSql, BeginningFindsWhatBeginsWithTheTextAndEndingWhatEndsWithIt)
{
    EXPECT_EQ(Padrao("12", Onde::ComecandoCom), "12%");
    EXPECT_EQ(Padrao("ab", Onde::Contendo), "%AB%");
    EXPECT_EQ(Padrao("12", Onde::TerminandoCom), "%12");
}

TEST(PesquisaContratosSql, EmptyFiltersListEveryContractInTheChosenOrder)
{
    FiltroPesquisaContratos filtro;
    EXPECT_EQ(SqlLista(filtro), "select cont.*, cli.nome as Cliente\n"
                                "from AATC05AC cont\n"
                                " left outer join augc0301 cli on (cont.clcodigo = cli.codigo_cliente)\n"
                                "where not(accodigo is null)\n"
                                "Order by cont.acNumeroContrato");
    const char* const ordens[] = {"cont.acNumeroContrato", "cont.acDescricao", "cli.nome", "cont.acTipoContrato",
                                  "cont.acValor"};
    for (int i = 0; i < 5; ++i) {
        filtro.ordem = i;
        EXPECT_TRUE(SqlLista(filtro).endsWith(QString("\nOrder by ") + ordens[i])) << i;
    }
}

TEST(PesquisaContratosSql, FilledFiltersAddTheirLinesInOrderAndTypedQuotesStayText)
{
    FiltroPesquisaContratos filtro;
    filtro.valor = "150";
    filtro.numero = "12";
    filtro.cliente = "d'Ávila";
    filtro.tipo = "Sem Peça";
    filtro.onde = Onde::TerminandoCom;
    EXPECT_EQ(Condicoes(filtro), "\nand upper(cont.acNumeroContrato) like '%12'"
                                 "\nand upper(cli.nome) like '%D''ÁVILA'"
                                 "\nand upper(cont.acTipoContrato) like '%SEM PEÇA'"
                                 "\nand " + ValorComoTextoSQL("cont.acValor") + " like '%150'");
}

class PesquisaContratosBanco : public ContractsTest {};

TEST_F(PesquisaContratosBanco, TheValueFilterAndTheCountRunOnTheDatabase)
{
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, ACVALOR, ACTIPOCONTRATO)"
         " values (11, '0011', 'Um', 1500.5, 'Com Peça')");
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, ACVALOR, ACTIPOCONTRATO)"
         " values (12, '0012', 'Dois', 80, 'Sem Peça')");
    FiltroPesquisaContratos filtro;
    filtro.valor = "1500";
    filtro.onde = Onde::ComecandoCom;   // values beginning with 1500
    host::data::Query lista(nullptr, "quPesquisa");
    lista.setTransaction(dmGlobal->IBTransaction1.get());
    lista.setSql(SqlLista(filtro));
    lista.open();
    ASSERT_EQ(lista.recordCount(), 1);
    EXPECT_EQ(lista.fieldByName("ACCODIGO")->asInteger(), 11);
    filtro.valor.clear();
    filtro.tipo = "sem";
    EXPECT_EQ(one(SqlContagem(filtro)).toInt(), 1);
}

}  // namespace
}  // namespace contractstest
