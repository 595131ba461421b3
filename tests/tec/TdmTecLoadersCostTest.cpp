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

    ordem(26);
    item(4, 26);
    // Twice: the second time shows what is prepared again for another order.
    int custoOrdem = 0, custoFilhos = 0, preparosOrdem[2] = {}, preparosFilhos[2] = {};
    for (int vez = 0; vez < 2; ++vez) {
        const int numero = vez == 0 ? 25 : 26;
        testsupport::StatementCounter ordemCarregada;
        CarregaOrdemServico(numero);
        custoOrdem = ordemCarregada.count();
        preparosOrdem[vez] = ordemCarregada.prepares();

        testsupport::StatementCounter filhosCarregados;
        dmTec->CarregaOSAtributos(numero, 0, true);
        dmTec->quOSPecas->fetchAll();
        dmTec->quOSAndamento->fetchAll();
        custoFilhos = filhosCarregados.count();
        preparosFilhos[vez] = filhosCarregados.prepares();
        if (vez == 0)
            CarregaOrdemServico(25);
    }
    CarregaOrdemServico(25);
    dmTec->CarregaOSAtributos(25, 0, true);

    std::printf("[ cost ] CarregaOrdemServico (3 items): %d statements, %d/%d prepared; CarregaOSAtributos "
                "(20 parts, 20 services): %d statements, %d/%d prepared\n",
                custoOrdem, preparosOrdem[0], preparosOrdem[1], custoFilhos, preparosFilhos[0], preparosFilhos[1]);
    EXPECT_EQ(dmTec->quOSItem->recordCount(), 3);
    EXPECT_EQ(dmTec->quOSPecas->recordCount(), 20);
    EXPECT_EQ(dmTec->quOSAndamento->recordCount(), 20);
    EXPECT_EQ(custoOrdem, 2);    // quOS, quOSItem
    // Travel, parts, extra, services, progress records and accessories, plus
    // the check that the progress-record table exists, made before it opens.
    EXPECT_EQ(custoFilhos, 7);
    // Prepared once and kept: another order prepares nothing again (the
    // items take the order by parameter); the table check is the
    // transaction's kept statement, prepared before the first load.
    EXPECT_EQ(preparosOrdem[0], 2);
    EXPECT_EQ(preparosOrdem[1], 0);
    EXPECT_EQ(preparosFilhos[0], 6);
    EXPECT_EQ(preparosFilhos[1], 0);
}

}  // namespace
}  // namespace tectest
