// Next numbers of sales orders and invoices from the per-series counters:
// started at what is stored, no gaps when the taker's work is undone, no
// repeats with numbers written by other means or by a second desk.

#include "host/Udmglobal.h"
#include "host/Unumeracao.h"
#include "host/db/Database.h"
#include "tests/support/HostDatabase.h"

#include <gtest/gtest.h>

namespace {

class Numeracao : public testsupport::HostDatabaseTest {
  protected:
    void pedidoGravado(const QString& numero) {
        exec("insert into AVEC8501 (NUMERO_PEDIDO, IMPRESSO_NF) values (:N, 'N')", {{"N", numero}});
    }
    QString proximo() { return dmGlobal->ProximoNumeroVendas("01"); }
};

TEST_F(Numeracao, StartsAfterTheLargestNumericOrderAndRunsOn) {
    pedidoGravado("000041");
    pedidoGravado("ABC"); // not a number: ignored
    EXPECT_EQ(proximo(), "000042");
    EXPECT_EQ(proximo(), "000043");
    EXPECT_EQ(one("select ULTIMO from NUMERACAO where DOCUMENTO = 'AVEC8501'").toInt(), 43);
}

TEST_F(Numeracao, UndoneWorkGivesItsNumberBack) {
    EXPECT_EQ(proximo(), "000001");
    {
        host::db::Savepoint ponto(tr());
        EXPECT_EQ(proximo(), "000002");
    } // the order that took it failed
    EXPECT_EQ(proximo(), "000002") << "no gap";
}

TEST_F(Numeracao, NumbersWrittenByOtherMeansAreNeverGivenAgain) {
    EXPECT_EQ(proximo(), "000001");
    pedidoGravado("000002");
    pedidoGravado("000007");
    EXPECT_EQ(proximo(), "000008");
    EXPECT_EQ(proximo(), "000009");
}

// The number is tested as the documents write it: six digits, or more.
TEST_F(Numeracao, PastSixDigitsTheNumberIsTestedWhole) {
    EXPECT_EQ(proximo(), "000001");
    exec("update NUMERACAO set ULTIMO = 999999 where DOCUMENTO = 'AVEC8501'");
    pedidoGravado("1000000");
    EXPECT_EQ(proximo(), "1000001");
    EXPECT_EQ(proximo(), "1000002");
}

// Sales orders and stock documents numbered in turn: each number is tested
// against its own documents, never against those the other numbered last.
TEST_F(Numeracao, NumbersTakenInTurnAreEachTestedAgainstTheirOwnDocuments) {
    const auto recibo = [this] { return host::ProximoNumeroDocumentoEstoque(tr(), "RC", "01"); };
    EXPECT_EQ(proximo(), "000001");
    EXPECT_EQ(recibo(), "000001");
    pedidoGravado("000002");
    exec("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, LOCAL_DOC, DATA, TOTAL_DOC)"
         " values ('000003', 'RC', '00000', '01', '2024-03-01', 0)");
    EXPECT_EQ(proximo(), "000003") << "000002 is a sales order";
    EXPECT_EQ(recibo(), "000002") << "no stock document holds 000002";
    EXPECT_EQ(recibo(), "000004") << "000003 is a stock document";
    EXPECT_EQ(proximo(), "000004");
}

TEST_F(Numeracao, EachSeriesAndBranchCountsOnItsOwn) {
    const host::NumerosGravados nenhum{[] { return qint64(0); }, [](qint64) { return false; }};
    EXPECT_EQ(host::ProximoNumeroSerie(tr(), {"ACEM1401", "01", "01"}, nenhum), 1);
    EXPECT_EQ(host::ProximoNumeroSerie(tr(), {"ACEM1401", "01", "01"}, nenhum), 2);
    EXPECT_EQ(host::ProximoNumeroSerie(tr(), {"ACEM1401", "RC", "01"}, nenhum), 1);
    EXPECT_EQ(host::ProximoNumeroSerie(tr(), {"ACEM1401", "01", "02"}, nenhum), 1);
    EXPECT_EQ(host::ProximoNumeroSerie(tr(), {"ACEM1401", "01", "01"}, nenhum), 3);
}

TEST_F(Numeracao, TwoDesksNeverTakeTheSameNumber) {
    EXPECT_EQ(proximo(), "000001");
    tr().commitRetaining();
    // The second desk: its own connection and transaction on the same file.
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction outraTr(outra);
    const host::NumerosGravados pedidos{
        [&] { return qint64(host::db::selectValue(outraTr, "select count(*) from AVEC8501").toInt()); },
        [&](qint64 n) {
            return host::db::selectValue(outraTr, "select 1 from AVEC8501 where NUMERO_PEDIDO = :N",
                                         {{"N", QString::number(n).rightJustified(6, '0')}})
                .isValid();
        }};
    // While this desk holds the counter (uncommitted), the other waits a
    // little and then fails: it never takes the held number.
    EXPECT_EQ(proximo(), "000002");
    EXPECT_THROW(host::ProximoNumeroSerie(outraTr, {"AVEC8501", {}, {}}, pedidos), host::db::DbError);
    tr().commitRetaining();
    EXPECT_EQ(host::ProximoNumeroSerie(outraTr, {"AVEC8501", {}, {}}, pedidos), 3);
    outraTr.commit();
    EXPECT_EQ(proximo(), "000004");
    outra.close();
}

} // namespace
