// Back-orders and the equipment queries of the assistance orders: stock
// taken by other orders, the question, the back-order made once and reused,
// a failed copy, and the small counts the configured lines rely on.

#include "tests/tec/PedidoAssFixture.h"

#include "host/data/Abort.h"

namespace tectest {
namespace {

class PedidoAssPendenciaTest : public PedidoAssTest {
protected:
    void SetUp() override
    {
        PedidoAssTest::SetUp();
        exec("update ACEC1101 set ESTOQUE = 10 where CODIGO = 'P1'");
        // Stock held elsewhere: 3 on an open order, 2 on a delivered one, 4 on a back-order.
        const std::pair<const char*, const char*> outros[] = {{"900001", ""}, {"900002", "S"}, {"900003", "P"}};
        const int quantidades[] = {3, 2, 4};
        for (int i = 0; i < 3; ++i) {
            exec(QString("insert into AVEC8501 (NUMERO_PEDIDO, IMPRESSO_NF) values ('%1', '%2')")
                     .arg(outros[i].first, outros[i].second));
            exec(QString("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('%1', 1, 'P1', %2)")
                     .arg(outros[i].first)
                     .arg(quantidades[i]));
        }
        numero = novoPedido();
        CarregaPedidoAssVenda(numero, "");
        dmTec->CarregaPedidoAssVendaCotado(numero, {});
    }
    bool verificar(double quantidade, const QString& produto = "P1", const QString& linha = "1")
    {
        return dmTec->PVAssVerificaEstoquePendencia("AVEC85LX", numero, produto, linha, "", "",
                                                    cab("VECODIGOPENDENCIA").asString(), quantidade, 0);
    }
    // A configured line in insert, as the save holds it when it checks.
    void novaLinha(const QString& produto, double quantidade)
    {
        dmTec->quAssVendaCotado->append();
        cot("CODIGO").setAsString(produto);
        cot("QUANTIDADE").setAsFloat(quantidade);
    }
    host::data::Field& cot(const char* nome) { return dmTec->campoCotado(nome); }

    QString numero;
};

TEST_F(PedidoAssPendenciaTest, AvailableStockLeavesOutDeliveredOrdersAndBackOrders)
{
    EXPECT_TRUE(verificar(7));
    EXPECT_TRUE(dialogos->texts().isEmpty()) << "7 of 7 available asks nothing";

    dialogos->answer("Não", "Deseja colocar em pedido pendente?");
    EXPECT_FALSE(verificar(8));
    EXPECT_EQ(dialogos->texts().last().toStdString(),
              "Quantidade insuficiente disponível de \"P1\".\nTotal do produto disponível: 7,00\n"
              "Total Lançado no Pedido: 8.\nDeseja colocar em pedido pendente?");
    EXPECT_EQ(one("select count(*) from AVEC8501").toInt(), 4) << "\"Não\" writes nothing";

    // The order's own other lines count too, back-order lines not.
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('" + numero + "', 2, 'P1', 5)");
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VECODIGOPENDENCIA)"
         " values ('" + numero + "', 3, 'P1', 9, '999999')");
    dialogos->answer("Não", "Total Lançado no Pedido: 8");
    EXPECT_FALSE(verificar(3));
    EXPECT_TRUE(verificar(2));
}

TEST_F(PedidoAssPendenciaTest, NoStockRowCountsZeroAndGenericProductsPass)
{
    dialogos->answer("Não", "Total do produto disponível: 0,00");
    EXPECT_FALSE(verificar(1, "SEMCAD"));
    parametro("ATPRODUTOGENERICO2", "SEMCAD ");
    EXPECT_TRUE(verificar(100, " SEMCAD"));
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(PedidoAssPendenciaTest, YesMakesOneBackOrderLinkedBothWaysAndReusesIt)
{
    novaLinha("P1", 9);
    cot("VALOR").setAsFloat(12.5);
    // An order reopened after its contract was made.
    exec("update AVEC8501 set VALOR_TOTAL = 900, VEVALORSUPRIMENTOS = 50, ACCODIGO = 77 where NUMERO_PEDIDO = '" +
         numero + "'");
    dialogos->answer("Sim", "Deseja colocar em pedido pendente?");
    ASSERT_TRUE(verificar(9));
    const QString pendencia = texto("select NUMERO_PEDIDO from AVEC8501 where IMPRESSO_NF = 'P' and VEPROPOSTA = '" +
                                    numero + "'");
    ASSERT_FALSE(pendencia.isEmpty());
    EXPECT_EQ(texto("select VECODIGOPENDENCIA from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'"), pendencia);
    EXPECT_EQ(texto("select CODIGO_CLIENTE from AVEC8501 where NUMERO_PEDIDO = '" + pendencia + "'"), "00001")
        << "the back-order copies the header";
    EXPECT_EQ(cab("VECODIGOPENDENCIA").asString(), pendencia) << "the header is read again";
    EXPECT_EQ(cot("VECODIGOPENDENCIA").asString(), pendencia);
    EXPECT_EQ(texto("select CODIGO from AVEC85IT where NUMERO_PEDIDO = '" + pendencia + "'"), "P1");
    EXPECT_EQ(texto("select cast(QUANTIDADE as integer) || '|' || cast(VALOR * 100 as integer) || '|' ||"
                    " cast(TOTAL_UNIT * 100 as integer) from AVEC85IT where NUMERO_PEDIDO = '" + pendencia + "'"),
              "9|1250|11250")
        << "priced as the line it stands for";
    EXPECT_EQ(texto("select cast(VALOR_TOTAL * 100 as integer) from AVEC8501 where NUMERO_PEDIDO = '" + pendencia + "'"),
              "11250")
        << "the back-order is worth its own lines, not the order it was copied from";
    EXPECT_EQ(valor("select coalesce(ACCODIGO, 0) from AVEC8501 where NUMERO_PEDIDO = '" + pendencia + "'"), 0)
        << "its release makes its own contract, not more of the order's";
    dmTec->quAssVendaCotado->post();

    // A second short line goes to the same back-order.
    exec("update ACEC1101 set ESTOQUE = 100 where CODIGO = 'P2'");
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('900001', 2, 'P2', 100)");
    novaLinha("P2", 1);
    dialogos->answer("Sim");
    ASSERT_TRUE(dmTec->PVAssVerificaEstoquePendencia("AVEC85LX", numero, "P2", cot("COD").asString(), "", "",
                                                     cab("VECODIGOPENDENCIA").asString(), 1, 0));
    EXPECT_EQ(one("select count(*) from AVEC8501 where IMPRESSO_NF = 'P' and VEPROPOSTA = '" + numero + "'").toInt(), 1);
    EXPECT_EQ(one("select count(*) from AVEC85IT where NUMERO_PEDIDO = '" + pendencia + "'").toInt(), 2);
    EXPECT_EQ(cot("VECODIGOPENDENCIA").asString(), pendencia);
    dmTec->quAssVendaCotado->cancel();
}

TEST_F(PedidoAssPendenciaTest, AFailedBackOrderCopyEndsWithItsMessageAndUndoesOnlyItself)
{
    exec("create trigger SEM_PENDENCIA for AVEC8501 before insert as begin"
         " if (new.IMPRESSO_NF = 'P') then new.NUMERO_PEDIDO = null; end");
    // Work of the caller still pending in the transaction.
    host::db::executeSql(*dmGlobal->IBTransaction1, "update AUGC0301 set NOME = 'Ana Maria' where CODIGO_CLIENTE = '00001'");
    dialogos->answer("Sim").acknowledge("Erro ao Gerar Pedido de Pendência!");
    EXPECT_THROW(verificar(20), host::Abort);
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(texto("select NOME from AUGC0301 where CODIGO_CLIENTE = '00001'"), "Ana Maria");
    EXPECT_EQ(texto("select coalesce(VECODIGOPENDENCIA, '') from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'"), "");
    EXPECT_EQ(one("select count(*) from AVEC85IT").toInt(), 0) << "no line for a back-order that does not exist";
}

// Another desk deletes the order after it was loaded: the "Sim" makes no
// back-order and no line, and says why.
TEST_F(PedidoAssPendenciaTest, AnOrderAnotherDeskDeletedMakesNoBackOrderNorLines)
{
    {
        host::db::Connection outraMesa;
        outraMesa.open({dbPath});
        host::db::Transaction escrita(outraMesa);
        ASSERT_EQ(host::db::executeSql(escrita, "delete from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'"), 1);
        escrita.commit();
    }
    novaLinha("P1", 9);
    dialogos->answer("Sim", "Deseja colocar em pedido pendente?")
        .acknowledge("O pedido " + numero + " não existe mais (excluído por outro usuário); o pedido pendente não foi"
                     " gerado.");
    EXPECT_THROW(verificar(9), host::Abort);
    EXPECT_EQ(dialogos->pending(), 0);
    dmTec->quAssVendaCotado->cancel();
    host::db::Connection leitura;
    leitura.open({dbPath});
    host::db::Transaction lendo(leitura);
    EXPECT_EQ(host::db::selectValue(lendo, "select count(*) from AVEC8501 where IMPRESSO_NF = 'P'").toInt(), 1)
        << "only the other order's back-order";
    EXPECT_EQ(host::db::selectValue(lendo, "select count(*) from AVEC85IT").toInt(), 0);
}

// Another desk makes the order's back-order after this desk loaded the
// order: still uncommitted, this desk's "Sim" is refused in words; committed,
// the short line goes into that back-order. Either way the order has one.
TEST_F(PedidoAssPendenciaTest, TwoDesksMakeOneBackOrder)
{
    for (const bool comitado : {false, true}) {
        SCOPED_TRACE(comitado ? "committed" : "pending");
        exec("delete from AVEC8501 where NUMERO_PEDIDO = '800001'");
        exec("update AVEC8501 set VECODIGOPENDENCIA = null where NUMERO_PEDIDO = '" + numero + "'");
        dmGlobal->IBTransaction1->commitRetaining();
        CarregaPedidoAssVenda(numero, "");
        host::db::Connection outraMesa;
        outraMesa.open({dbPath});
        host::db::Transaction escrita(outraMesa);
        host::db::executeSql(escrita, "insert into AVEC8501 (NUMERO_PEDIDO, IMPRESSO_NF, VEPROPOSTA)"
                                      " values ('800001', 'P', '" + numero + "')");
        host::db::executeSql(escrita, "update AVEC8501 set VECODIGOPENDENCIA = '800001' where NUMERO_PEDIDO = '" +
                                          numero + "'");
        if (comitado)
            escrita.commitRetaining();
        novaLinha("P1", 9);
        dialogos->answer("Sim", "Deseja colocar em pedido pendente?");
        if (comitado) {
            EXPECT_TRUE(verificar(9));
            EXPECT_EQ(cot("VECODIGOPENDENCIA").asString(), "800001");
        } else {
            dialogos->acknowledge("em outra estação");
            EXPECT_THROW(verificar(9), host::Abort);
        }
        EXPECT_EQ(dialogos->pending(), 0);
        dmTec->quAssVendaCotado->cancel();
        dmGlobal->IBTransaction1->commitRetaining();
        escrita.commitRetaining();
        EXPECT_EQ(host::db::selectValue(escrita, "select count(*) from AVEC8501 where IMPRESSO_NF = 'P'"
                                                 " and VEPROPOSTA = '" + numero + "'")
                      .toInt(),
                  1);
    }
}

TEST_F(PedidoAssPendenciaTest, EquipmentQueries)
{
    EXPECT_EQ(dmTec->SequenciaVendasCotacao(numero), 1);
    EXPECT_EQ(dmTec->SequenciaVendasCotacao("900001"), 2);

    // A requested line that does not exist counts 1.
    EXPECT_TRUE(dmTec->VerificaAssQtdeEquipamentoVinculado(numero, "7", "P1"));
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VEITCODREF, VEITCODIGOREF)"
         " values ('" + numero + "', 4, 'P1', 1, 7, 'P1')");
    EXPECT_FALSE(dmTec->VerificaAssQtdeEquipamentoVinculado(numero, "7", "P1"));
    EXPECT_TRUE(dmTec->VerificaAssQtdeEquipamentoVinculado(numero, "7", "P1", 4)) << "its own line left out";
    linha("P1", 2, 10);
    EXPECT_TRUE(dmTec->VerificaAssQtdeEquipamentoVinculado(numero, "1", "P1"));
    EXPECT_FALSE(dmTec->VerificaAssQtdeEquipamentoVinculado(numero, "x", "P1")) << "a database error is false";

    // Running count of an equipment type.
    exec("update ACEC1101 set PNCODIGO = 5 where CODIGO in ('P1', 'P2')");
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('" + numero + "', 5, 'P2', 3)");
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('" + numero + "', 6, 'P1', 10)");
    EXPECT_DOUBLE_EQ(dmTec->CalcularQtdeTipoEquipamento(5, numero, "P2"), 4);
    EXPECT_DOUBLE_EQ(dmTec->CalcularQtdeTipoEquipamento(6, numero, "P1"), 14);
    EXPECT_DOUBLE_EQ(dmTec->CalcularQtdeTipoEquipamento(6, " ", "P1"), 0);
    exec("update ACEC1101 set PNCODIGO = null where CODIGO = 'P2'");
    EXPECT_DOUBLE_EQ(dmTec->CalcularQtdeTipoEquipamento(5, numero, "P2"), 0);

    exec("insert into AFVT0101 (CODIGO, QUANTAS_VEZES, DIA__INICIAL) values ('01', 1, 0)");
    exec("insert into AFVT0101 (CODIGO, QUANTAS_VEZES, DIA__INICIAL) values ('02', 2, 0)");
    exec("insert into AFVT0101 (CODIGO, QUANTAS_VEZES, DIA__INICIAL) values ('03', 1, 30)");
    EXPECT_TRUE(dmTec->VendaPrazoTabela("03"));
    EXPECT_FALSE(dmTec->VendaPrazoTabela("01"));
    EXPECT_TRUE(dmTec->VendaPrazoTabela("02"));
    EXPECT_FALSE(dmTec->VendaPrazoTabela("zz"));

    EXPECT_TRUE(dmTec->PVAssVerificaItensPendencia(" " + numero + " ") == false);
    exec("update AVEC85LX set VECODIGOPENDENCIA = '1' where NUMERO_PEDIDO = '" + numero + "' and COD = 6");
    EXPECT_TRUE(dmTec->PVAssVerificaItensPendencia(numero));
}

TEST_F(PedidoAssPendenciaTest, CompositionTextIsBuiltAndStored)
{
    exec("update ACEC1101 set UNIDADE_MEDIDA = 'UN', COMPLEMENTO_DESC = 'azul' where CODIGO = 'P2'");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO) values ('G1', 'Genérico')");
    exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE) values ('P1', 1, 'P2', 2)");
    exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE) values ('P1', 2, 'G1', 1)");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('P2', 'P', 2, 'Espec')");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('G1', 'P', 2, 'Texto do genérico')");
    parametro("ATPRODUTOGENERICO1", "G1");
    novaLinha("P1", 1);
    dmTec->CarregaConfiguracaoComposicao("P1", "", nullptr);
    const QString esperado = "Produto 1  -  2 UN Produto 2 azul (Espec)  -  Texto do genérico (Texto do genérico)";
    EXPECT_EQ(texto("select OBTEXTO from AUGC70OB where OBCODIGO = 'P1' and OBID = 'P' and OBSEQUENCIA = -1"), esperado);
    // The same text again writes nothing; a changed one edits the row.
    dmTec->CarregaConfiguracaoComposicao("P1", "", nullptr);
    exec("update AGPC03CM set CMQUANTIDADE = 3 where CMCODIGO = 'P2'");
    dmTec->CarregaConfiguracaoComposicao("P1", "", nullptr);
    EXPECT_EQ(one("select count(*) from AUGC70OB where OBCODIGO = 'P1' and OBSEQUENCIA = -1").toInt(), 1);
    EXPECT_TRUE(texto("select OBTEXTO from AUGC70OB where OBCODIGO = 'P1' and OBSEQUENCIA = -1").contains("3 UN"));
    dmTec->quAssVendaCotado->cancel();
}

TEST_F(PedidoAssPendenciaTest, TheCompositionTextIsThatOfTheEquipmentOrOfTheProductNeverBothMerged)
{
    exec("update ACEC1101 set UNIDADE_MEDIDA = 'UN' where CODIGO = 'P2'");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, UNIDADE_MEDIDA) values ('M1', 'Motor', 'UN')");
    exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE) values ('P1', 1, 'P2', 2)");
    exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, CMNUMEROSERIE)"
         " values ('P1', 2, 'M1', 1, 'NS-9')");
    novaLinha("P1", 1);
    auto composicao = [&](const QString& serie) {
        dmGlobal->sNumeroSerieComposicao = serie;
        dmTec->CarregaConfiguracaoComposicao("P1", "", nullptr);
        return texto("select OBTEXTO from AUGC70OB where OBCODIGO = 'P1' and OBID = 'P' and OBSEQUENCIA = -1");
    };
    EXPECT_EQ(composicao(""), "Produto 1  -  2 UN Produto 2") << "the product's own components only";
    EXPECT_EQ(composicao(" NS-9 "), "Produto 1  -  1 UN Motor") << "the equipment's components only";
    EXPECT_EQ(composicao("NS-1"), "Produto 1  -  2 UN Produto 2") << "an equipment of no components of its own";
    dmGlobal->sNumeroSerieComposicao.clear();
    dmTec->quAssVendaCotado->cancel();
}

}  // namespace
}  // namespace tectest
