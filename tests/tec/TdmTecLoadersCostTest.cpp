// What showing an order costs in database statements: one per query opened,
// nothing per row (deterministic, unlike a time).

#include "tests/tec/LoadersFixture.h"

#include "tests/support/TestDatabase.h"

#include <cstdio>

namespace tectest {
namespace {

using TdmTecLoadersCostTest = LoadersTest;

TEST_F(TdmTecLoadersCostTest, AnOrderWithItsLinesCostsOneStatementPerQueryOpened)
{
    exec("insert into ACEC1101 (CODIGO, DESCRICAO) values ('P1', 'Peça')");
    ordem(25);
    for (int i = 1; i <= 3; ++i)
        item(i, 25);
    for (int i = 1; i <= 20; ++i) {
        exec(QString("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO) values (25, %1, 1, 'P1')")
                 .arg(i));
        exec(QString("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO) values (25, %1, 2, 'P1')")
                 .arg(i));
    }

    testsupport::StatementCounter ordemCarregada;
    CarregaOrdemServico(25);
    const int custoOrdem = ordemCarregada.count();

    testsupport::StatementCounter filhosCarregados;
    dmTec->CarregaOSAtributos(25, 0, true);
    dmTec->quOSPecas->fetchAll();
    dmTec->quOSAndamento->fetchAll();
    const int custoFilhos = filhosCarregados.count();

    std::printf("[ cost ] CarregaOrdemServico (3 items): %d statements; CarregaOSAtributos "
                "(20 parts, 20 services): %d statements\n",
                custoOrdem, custoFilhos);
    EXPECT_EQ(dmTec->quOSItem->recordCount(), 3);
    EXPECT_EQ(dmTec->quOSPecas->recordCount(), 20);
    EXPECT_EQ(dmTec->quOSAndamento->recordCount(), 20);
    EXPECT_EQ(custoOrdem, 2);    // quOS, quOSItem
    // Travel, parts, extra, services, progress records and accessories, plus
    // the check that the progress-record table exists, made before it opens.
    EXPECT_EQ(custoFilhos, 7);
}

}  // namespace
}  // namespace tectest
