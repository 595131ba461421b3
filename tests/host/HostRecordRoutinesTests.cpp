// Host routines over records and statements: neighbouring keys, column
// lists, host filters and pending order lines.

#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"
#include "tests/support/HostDatabase.h"

#include <gtest/gtest.h>

namespace {

class RecordRoutines : public testsupport::HostDatabaseTest {};

}  // namespace

TEST_F(RecordRoutines, PreviousAndNextKeyFollowTheKeysOrderForNumbersAndTexts)
{
    for (int codigo : {3, 10, 20})
        exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO) values (" + QString::number(codigo) + ", 'x')");
    EXPECT_EQ(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", ">", "3"), "10");   // 10 after 3, not "20" < "3"
    EXPECT_EQ(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", "<", "20"), "10");
    EXPECT_EQ(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", ">", "20"), "20");   // at the end: stays
    EXPECT_EQ(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", ">", "20", "", "", true), "3");
    EXPECT_EQ(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", "<", "3", "", "", true), "20");
    EXPECT_EQ(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", ">", ""), "3");
    EXPECT_EQ(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", "<", " "), "20");
    EXPECT_EQ(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", ">", "3", " and AJCODIGO <> 10"), "20");
    EXPECT_EQ(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", ">", "3", "", "AJDESCRICAO"), "x");

    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('000009')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('000010')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('O''BRIEN')");
    EXPECT_EQ(RegistroAnteriorProximo("AVEC8501", "NUMERO_PEDIDO", ">", "000009"), "000010");
    EXPECT_EQ(RegistroAnteriorProximo("AVEC8501", "NUMERO_PEDIDO", "<", "O'BRIEN"), "000010");
    EXPECT_EQ(RegistroAnteriorProximo("AVEC8501", "NUMERO_PEDIDO", ">", "000010"), "O'BRIEN");
    EXPECT_THROW(RegistroAnteriorProximo("AVEC8501", "NUMERO_PEDIDO", "=", "000010"), std::invalid_argument);
}

TEST_F(RecordRoutines, ColumnListLeavesOutTheColumnsTheCallerSets)
{
    const QString todas = RetornarCampos("AUGC70OB", ",");
    EXPECT_EQ(todas, "OBCODIGO,OBID,OBSEQUENCIA,OBTEXTO");
    EXPECT_EQ(RetornarCampos("augc70ob", ", ", "obcodigo"), "OBID, OBSEQUENCIA, OBTEXTO");
    EXPECT_EQ(RetornarCampos("AUGC70OB", ",", "OBCODIGO; OBTEXTO"), "OBID,OBSEQUENCIA");
    EXPECT_THROW(RetornarCampos("AUGC70OB", ",", "", 1), std::invalid_argument);

    // The insert-select the order copy builds with it runs.
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, IMPRESSO_NF) values ('000001', '00007', 'N')");
    const QString colunas = RetornarCampos("AVEC8501", ",", "NUMERO_PEDIDO,IMPRESSO_NF,VEPROPOSTA");
    exec("Insert Into AVEC8501 (" + colunas + " , NUMERO_PEDIDO, IMPRESSO_NF, VEPROPOSTA) select " + colunas +
         " , '000002', 'P', '000001' from AVEC8501 Where NUMERO_PEDIDO = '000001'");
    EXPECT_EQ(one("select CODIGO_CLIENTE || IMPRESSO_NF || VEPROPOSTA from AVEC8501 where NUMERO_PEDIDO = '000002'")
                  .toString(),
              "00007P000001");
}

TEST_F(RecordRoutines, HostFiltersGoIntoTheOuterWhereAndComeOffAgain)
{
    host::data::Query query(nullptr, "quTeste");
    query.setTransaction(&tr());
    const QString base = "select ped.NUMERO_PEDIDO from AVEC8501 ped"
                         " where ped.NUMERO_PEDIDO in (select x.NUMERO_PEDIDO from AVEC85IT x where x.COD > 0)"
                         " order by ped.NUMERO_PEDIDO";
    query.setSql(base);
    AlocaFiltro(&query, "ped.NUMERO_PEDIDO = '000002'");
    AlocaFiltro(" and ped.CODIGO_CLIENTE is null", &query);
    EXPECT_TRUE(query.sql().endsWith(" order by ped.NUMERO_PEDIDO")) << query.sql().toStdString();
    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('000001')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('000002')");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO) values (1, 'P', '000001')");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO) values (1, 'P', '000002')");
    query.open();
    EXPECT_EQ(query.recordCount(), 1);
    query.close();
    LimpaFiltro(&query);
    EXPECT_EQ(query.sql(), base);

    // Without a where of its own the first condition brings one; the final
    // form goes at the end, before the order the caller appends.
    query.setSql("select NUMERO_PEDIDO from AVEC8501 group by NUMERO_PEDIDO");
    AlocaFiltro(&query, "where NUMERO_PEDIDO > '000001'");
    query.open();
    EXPECT_EQ(query.recordCount(), 1);
    query.close();
    query.setSql("select NUMERO_PEDIDO from AVEC8501 where NUMERO_PEDIDO <> 'x'");
    AlocaFiltroFinal(&query, "NUMERO_PEDIDO < '000002'");
    AlocaFiltroFinal(&query, "   ");
    query.setSql(query.sql() + " order by NUMERO_PEDIDO");
    query.open();
    EXPECT_EQ(query.recordCount(), 1);
    EXPECT_EQ(query.fieldByName("NUMERO_PEDIDO")->asString(), "000001");
}

TEST_F(RecordRoutines, PendingProductLineIsTheOrdersLastWithItsLocationAndTexts)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('000050')");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO) values (4, 'P0', '000050')");
    const int cod = dmGlobal->InseriProdutoPendencia("P1", "000050", 2, 0, false, false, 35.5, 0, 0,
                                                     "Parcela 01/2027", 12, "007", false, "", "", "", "",
                                                     "Contrato d'água", "", -1);
    EXPECT_EQ(cod, 5);
    EXPECT_EQ(MaximoDado("cod", "avec85it", "numero_pedido", "000050"), 5);
    EXPECT_EQ(one("select CODIGO || LECODIGO || AOCODIGO || VEITENTREGA || OBS || VEITINFORMACAO from AVEC85IT"
                  " where COD = 5").toString(),
              "P100712FParcela 01/2027Contrato d'água");
    EXPECT_DOUBLE_EQ(one("select TOTAL_UNIT from AVEC85IT where COD = 5").toDouble(), 71);
    EXPECT_TRUE(one("select VEITSEQUENCIAITEMORIGEM from AVEC85IT where COD = 5").isNull());
    EXPECT_EQ(dmGlobal->InseriProdutoPendencia("P2", "000050", 1, 0, false, false, 1, 0, 0, "", 0, "", true, "5102",
                                               "V01", "UN", "NS1", "", "000049", 3), 6);
    EXPECT_EQ(one("select VEITCFOP || FOCODIGOVENDEDOR || VEITUNIDADE || VEITNUMEROSERIE || VEPEDIDOORIGEM ||"
                  " VEITSEQUENCIAITEMORIGEM from AVEC85IT where COD = 6").toString(),
              "5102V01UNNS10000493");
}
