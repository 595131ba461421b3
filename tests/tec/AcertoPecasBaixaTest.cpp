// The posting of a parts settlement with "Inserir Peças na O.S.": the
// orders' totals and the products' reservations it leaves, what it costs per
// line and per order, and a run that fails half-way.

#include "tests/tec/PecasFixture.h"

#include "data/uDataTecAcertoPecas.h"
#include "tests/support/TestDatabase.h"

#include <cstdio>

namespace tectest {
namespace {

class AcertoPecasBaixa : public PecasTest {
protected:
    void SetUp() override
    {
        PecasTest::SetUp();
        parametro("ATLOCALESTOQUEDOCUMENTO", "001");
        parametro("ATLOCALESTOQUEPADRAO", "001");
        ordem(8);
        item(2, 8);
        ordem(9);
        item(3, 9);
        for (int o : {7, 8})
            for (const char* produto : {"P1", "P2"})
                linhaPeca(o, produto, 0);
        linhaPeca(9, "P1", 4);   // reserved by an order the run leaves alone
    }
    void linhaPeca(int ordem, const QString& produto, double quantidade)
    {
        exec(QString("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO,"
                     " APDESCONTO, APVALTOTAL, APAUTORIZADO, APTIPO, APRESERVA) values (%1, (select coalesce(max("
                     "APSEQUENCIA), 0) + 1 from AATC01AP where AOCODIGO = %1), %1, '%2', %3, 10, 0, %4, 'S', '3', 'S')")
                 .arg(ordem)
                 .arg(produto)
                 .arg(quantidade)
                 .arg(quantidade * 10));
    }
    void baixar(const QList<LinhaAcertoPecas>& linhas)
    {
        OpcoesAcertoPecas opcoes;
        opcoes.tipo = "S";
        opcoes.operacao = "5102";
        opcoes.inserirPeca = true;
        dialogos->answer("Sim", "Tem certeza de que deseja baixar as peças?").acknowledge("Acerto das Peças efetuada");
        bool gravou = false;
        BaixarPecas(linhas, opcoes, gravou);
    }
    static LinhaAcertoPecas linha(const QString& produto, double quantidade, int ordem)
    {
        return {produto, QString(), quantidade, ordem, QString(), 0};
    }
    double pecas(int ordem)
    {
        return one(QString("select AOVALORPECAS from AATC01AO where AOCODIGO = %1").arg(ordem)).toDouble();
    }
    int conta(const QString& sql) { return one(sql).toInt(); }
};

TEST_F(AcertoPecasBaixa, EachOrderGetsItsTotalsAndEachProductItsReservationOnce)
{
    baixar({linha("P1", 1, 7), linha("P2", 2, 7), linha("P1", 1, 8), linha("P2", 3, 8)});
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_DOUBLE_EQ(pecas(7), 30);
    EXPECT_DOUBLE_EQ(pecas(8), 40);
    EXPECT_EQ(conta("select count(*) from AATC01AP where AOCODIGO in (7, 8) and APRESERVA = 'B'"), 4);
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 4) << "only the untouched order's line stays reserved";
    EXPECT_DOUBLE_EQ(reservadoGravado("P2"), 0);
    EXPECT_EQ(one("select list(SEQUENCIA || CODIGOPRODUTO || AOCODIGO, ' ') from (select * from ACEM14IT"
                  " order by SEQUENCIA)")
                  .toString(),
              "1P17 2P27 3P18 4P28");
    // One audited header post per order, not one per line.
    EXPECT_EQ(conta("select count(*) from ARQLOG where TABELA = 'AATC01AO'"), 2);
}

// Statements grow by a fixed number per line and per order: the order's
// totals are summed once per order, the document's sequence is not read per
// line, and nothing is prepared again for a further line.
TEST_F(AcertoPecasBaixa, StatementsPerLineAndPerOrderAreFixed)
{
    auto custo = [this](const QList<LinhaAcertoPecas>& linhas) {
        exec("delete from ACEM14IT");
        exec("update AATC01AP set APQUANTIDADE = 0, APRESERVA = 'S' where AOCODIGO in (7, 8)");
        testsupport::StatementCounter contador;
        baixar(linhas);
        return std::pair{contador.count(), contador.prepares()};
    };
    baixar({linha("P1", 1, 7)});   // every statement prepared once
    const auto [uma, umaPrep] = custo({linha("P1", 1, 7)});
    const auto [duas, duasPrep] = custo({linha("P1", 1, 7), linha("P2", 1, 7)});
    const auto [outraOrdem, outraOrdemPrep] = custo({linha("P1", 1, 7), linha("P2", 1, 7), linha("P1", 1, 8)});
    std::printf("[ cost     ] settlement: 1 line %d statements, a further line +%d, a further order +%d"
                " (%d, %d, %d prepared)\n",
                uma, duas - uma, outraOrdem - duas, umaPrep, duasPrep, outraOrdemPrep);
    // A line: its stock check, its lines read, the line, item, stock,
    // position, the product's pending lines read and marked, its savepoint
    // (released after the commit, at no cost); a product's first line also
    // its price and its reservation summed again at the end.
    EXPECT_LE(duas - uma, 13);
    EXPECT_EQ(duasPrep, umaPrep);
    // A further order: its line and one re-total of its header (sum, post,
    // audit, the header read back), its header loaded.
    EXPECT_LE(outraOrdem - duas, 15);
}

TEST_F(AcertoPecasBaixa, AFailedLineLeavesTheCommittedLinesTotalledAndReserved)
{
    exec("create exception E_ACERTO_TESTE 'item recusado'");
    exec("create trigger T_ACERTO_TESTE for ACEM14IT before insert as begin"
         " if (new.AOCODIGO = 8 and new.CODIGOPRODUTO = 'P2') then exception E_ACERTO_TESTE; end");
    dialogos->answer("Sim", "Tem certeza de que deseja baixar as peças?");
    OpcoesAcertoPecas opcoes;
    opcoes.tipo = "S";
    opcoes.operacao = "5102";
    opcoes.inserirPeca = true;
    bool gravou = false;
    EXPECT_ANY_THROW(BaixarPecas({linha("P1", 1, 7), linha("P2", 2, 7), linha("P1", 1, 8), linha("P2", 3, 8)}, opcoes,
                                 gravou));
    EXPECT_DOUBLE_EQ(pecas(7), 30);
    EXPECT_DOUBLE_EQ(pecas(8), 10) << "the order's committed line reaches its totals, the failed one does not";
    EXPECT_EQ(conta("select count(*) from AATC01AP where AOCODIGO = 8 and PRCODIGO = 'P2' and APQUANTIDADE = 0"
                    " and APRESERVA = 'S'"),
              1);
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 4);
    EXPECT_DOUBLE_EQ(reservadoGravado("P2"), 0);
    EXPECT_EQ(conta("select count(*) from ACEM14IT"), 3);
    // What the run left is committed: a rollback keeps it.
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_DOUBLE_EQ(pecas(8), 10);
    EXPECT_EQ(conta("select count(*) from ACEM14IT"), 3);
}

}  // namespace
}  // namespace tectest
