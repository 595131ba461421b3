// Deleting orders and proposals: the password, the refusals, the proposal
// link undone, the back-order cascade, and what a failure leaves.

#include "tests/tec/PedidoAssFixture.h"

#include "host/data/Abort.h"
#include "host/db/Database.h"

namespace tectest {
namespace {

class PedidoAssExclusaoTest : public PedidoAssTest {
protected:
    void excluir(const QString& numero)
    {
        CarregaPedidoAssVenda(numero, "");
        dmTec->quAssVenda->setTag(9);
        dmTec->quAssVenda->remove();
        dmTec->quAssVenda->setTag(0);
    }
};

TEST_F(PedidoAssExclusaoTest, AProposalThatMadeAnOrderAndAnOrderWithAContractStay)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, IMPRESSO_NF, VEPROPOSTA) values ('000010', '0', 'S', '000011')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, VEPROPOSTA, VECONTRATO) values ('000011', '1', '000010', ' 12 ')");
    parametro("ATSENHAEXCLUSAOPEDIDO", "x");
    dialogos->enter("x", "Senha de Exclusão de Pedido de Vendas");
    dialogos->acknowledge("Aviso: operação abortada.\nA Proposta não pode ser excluída (gerou Pedido \"000011)");
    CarregaPedidoAssVenda("000010", "");
    EXPECT_THROW(dmTec->quAssVenda->remove(), host::Abort);
    dialogos->acknowledge("Aviso: operação abortada.\nO Pedido não pode ser excluído (gerou Contrato Código 12).");
    CarregaPedidoAssVenda("000011", "");
    dmTec->quAssVenda->setTag(9);   // asks nothing
    EXPECT_THROW(dmTec->quAssVenda->remove(), host::Abort);
    EXPECT_EQ(valor("select count(*) from AVEC8501"), 2);
    EXPECT_TRUE(dialogos->failures().isEmpty()) << dialogos->failures().join('\n').toStdString();

    // Without the contract the order goes, and the proposal is in progress again.
    exec("update AVEC8501 set VECONTRATO = null");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO) values (1, 'P1', '000011')");
    exec("insert into AUGC70OB (OBID, OBCODIGO, OBSEQUENCIA, OBTEXTO) values ('V', '000011', 100, 'Rua')");
    exec("insert into ARQLOG (TABELA, OBSERVACAO, ACAO) values ('AVEC8501', '000011', 'x')");
    excluir("000011");
    EXPECT_EQ(valor("select count(*) from AVEC85IT") + valor("select count(*) from AUGC70OB"), 0);
    CarregaPedidoAssVenda("000010", "");
    EXPECT_EQ(cab("IMPRESSO_NF").displayText(), "(Em Andamento)");
    EXPECT_TRUE(cab("VEPROPOSTA").asString().isEmpty());
    EXPECT_EQ(texto("select ACAO || '|' || OBSERVACAO from ARQLOG"),
              "Deletou Pedido de Vendas Assistência|Num./Cliente/Data/Valor:000011 /  /  / ");
    EXPECT_EQ(texto("select CHAVE from UGCHAVEEXCLUIDA"), "NUMERO_PEDIDO=000011");
}

TEST_F(PedidoAssExclusaoTest, ABackOrderGoesWithItsCascadeAndItsOriginKeepsItsStatus)
{
    // Order 20 ("N", from proposal 19) moved a configured line to back-order 21.
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, IMPRESSO_NF, VEPROPOSTA, VECODIGOPENDENCIA)"
         " values ('000020', '1', 'N', '000019', '000021')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, IMPRESSO_NF, VEPROPOSTA) values ('000021', '1', 'P', '000020')");
    exec("insert into AVEC85LX (COD, CODIGO, NUMERO_PEDIDO, VECODIGOPENDENCIA) values (1, 'P1', '000020', '000021')");
    exec("insert into AVEC85LX (COD, CODIGO, NUMERO_PEDIDO) values (2, 'P2', '000020')");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO) values (1, 'P1', '000021')");
    excluir("000021");
    EXPECT_EQ(texto("select IMPRESSO_NF || '|' || VEPROPOSTA || '|' || coalesce(VECODIGOPENDENCIA, '-')"
                    " from AVEC8501 where NUMERO_PEDIDO = '000020'"),
              "N|000019|-");
    EXPECT_EQ(texto("select list(COD) from AVEC85LX"), "2") << "the line moved to the back-order";
    EXPECT_EQ(valor("select count(*) from AVEC85IT"), 0);

    // Deleting an order deletes its back-order's header and lines.
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, IMPRESSO_NF, VEPROPOSTA) values ('000022', '1', 'P', '000020')");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO) values (1, 'P2', '000022')");
    exec("update AVEC8501 set VECODIGOPENDENCIA = '000022', VEPROPOSTA = null where NUMERO_PEDIDO = '000020'");
    excluir("000020");
    EXPECT_EQ(valor("select count(*) from AVEC8501"), 0);
    EXPECT_EQ(valor("select count(*) from AVEC85IT") + valor("select count(*) from AVEC85LX"), 0);
}

TEST_F(PedidoAssExclusaoTest, AFailureAfterTheCommittedStepsLeavesTheOrderWhole)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, IMPRESSO_NF, VEPROPOSTA) values ('000030', '0', 'S', '000031')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, VEPROPOSTA) values ('000031', '1', '000030')");
    exec("insert into AVEC85LX (COD, CODIGO, NUMERO_PEDIDO, VECODIGOPENDENCIA) values (1, 'P1', '000040', '000031')");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO) values (1, 'P1', '000031')");
    exec("insert into AUGC70OB (OBID, OBCODIGO, OBSEQUENCIA, OBTEXTO) values ('V', '000031', 1, 'Texto')");
    exec("create exception E_RECUSA 'recusado'");
    exec("create trigger T_RECUSA for AVEC85IT before delete as begin exception E_RECUSA; end");
    CarregaPedidoAssVenda("000031", "");
    dmTec->quAssVenda->setTag(9);
    EXPECT_THROW(dmTec->quAssVenda->remove(), host::db::DbError);
    dmGlobal->IBTransaction1->commitRetaining();

    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction transacao(outra);
    auto ler = [&](const QString& sql) { return host::db::selectValue(transacao, sql).toString(); };
    EXPECT_EQ(ler("select coalesce(IMPRESSO_NF, '') || '|' || coalesce(VEPROPOSTA, '') from AVEC8501"
                  " where NUMERO_PEDIDO = '000030'"),
              "|")
        << "the proposal link was committed";
    EXPECT_EQ(ler("select count(*) from AVEC85LX"), "0") << "the moved configured line was committed";
    EXPECT_EQ(ler("select count(*) from AUGC70OB"), "1") << "the order's text came back";
    EXPECT_EQ(ler("select count(*) from AVEC85IT"), "1");
    EXPECT_EQ(ler("select count(*) from AVEC8501 where NUMERO_PEDIDO = '000031'"), "1");
}

}  // namespace
}  // namespace tectest
