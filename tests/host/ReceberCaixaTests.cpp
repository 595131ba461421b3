// Receivable instalments, their cash forecast and observations: the host
// routines the contract forecasts write through, the delete rule of
// quReceber and the cash-forecast dialog driven through its widgets.

#include "host/UCXPrevisao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "tests/support/HostDatabase.h"

#include <QLabel>
#include <QPushButton>

#include <functional>
#include <utility>
#include <vector>

using testsupport::HostDatabaseTest;

namespace {

class ReceberCaixaTest : public HostDatabaseTest {
protected:
    void parcela(const QString& documento, int sequencia, double valor)
    {
        dmGlobal->InseriParcelaReceber("C0001", documento, "01", "001", "2", "V", {}, {}, {}, {}, "341", {}, sequencia,
                                       valor, 0, 0, 0, 0, 0, 0, 0, QDateTime(QDate(2031, 1, 10), QTime(0, 0)),
                                       QDateTime(QDate(2031, 2, 10), QTime(0, 0)), QDateTime::currentDateTime(), valor,
                                       {}, {}, {}, 7, "obs", "C", {}, 0, 12, 13, {}, {}, 0);
        dmGlobal->InserirCXPrevisao(documento, "C0001", "01", "R", {}, "1.01", {}, sequencia, valor, false, {}, 0, -1);
        dmGlobal->GravaObservacao(documento + "C0001" + QString::number(sequencia), "R", 0, "texto");
    }
    int count(const char* table) { return one(QString("select count(*) from %1").arg(table)).toInt(); }
    // Rows this connection has read so far, in a transaction of their own:
    // the engine's figures stand still within one.
    qint64 linhasLidas()
    {
        host::db::Transaction propria(tr().connection());
        return host::db::selectValue(propria, "select r.MON$RECORD_SEQ_READS + r.MON$RECORD_IDX_READS"
                                              " from MON$ATTACHMENTS a join MON$RECORD_STATS r"
                                              " on r.MON$STAT_ID = a.MON$STAT_ID"
                                              " where a.MON$ATTACHMENT_ID = current_connection")
            .toLongLong();
    }
    qint64 linhasLidasPor(const std::function<void()>& passo)
    {
        const qint64 antes = linhasLidas();
        passo();
        return linhasLidas() - antes;
    }
    // Another 300 rows in the receivables (numbered as rental forecasts
    // are, "ddMMyyL") and in the contracts.
    void maisTrezentas(int desde)
    {
        for (int n = desde; n < desde + 300; ++n) {
            exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA) values (:N, 'C0002', 1)",
                 {{"N", QDate(2026, 1, 1).addDays(n).toString("ddMMyy") + "L"}});
            exec("insert into AATC05AC (ACCODIGO) values (:N)", {{"N", n}});
        }
    }
};

TEST_F(ReceberCaixaTest, RowsCarryWhatTheyAreGiven)
{
    parcela("100231", 1, 150.25);
    EXPECT_EQ(one("select CODIGO_CLIENTE || NUMERO_DOCUMENTO || SERIE_DOCUMENTO || CODIGO_FILIAL || TIPO_PAGAMENTO"
                  " || SITUACAO_DOCUMENTO || NUMERO_DO_BANCO || AOCODIGO || OBSERVACAO || ORIGEM || PCCODIGODEBITO"
                  " || PCCODIGOCREDITO from ACRC5001")
                  .toString(),
              "C000110023101012V3417obsC1213");
    EXPECT_DOUBLE_EQ(one("select VALOR_DOCUMENTO from ACRC5001").toDouble(), 150.25);
    EXPECT_TRUE(one("select ACITCODIGO from ACRC5001").isNull());
    EXPECT_EQ(one("select XPID || XPCODIGO || XPREALIZADO || XPPARCELA || XPLOCAL from ACXC94XP").toString(),
              "R00N-101");
    EXPECT_GT(one("select XPCHAVE from ACXC94XP").toInt(), 0);
    dmGlobal->GravaObservacao("100231C00011", "R", 0, "mais", true);
    dmGlobal->GravaObservacao("novo", "R", 0, "só", true);
    EXPECT_EQ(one("select OBTEXTO from AUGC70OB where OBCODIGO = '100231C00011'").toString(), "texto\rmais");
    EXPECT_EQ(one("select OBTEXTO from AUGC70OB where OBCODIGO = 'novo'").toString(), "só");
    dmGlobal->GravaObservacao("novo", "R", 0, "outro");
    EXPECT_EQ(one("select OBTEXTO from AUGC70OB where OBCODIGO = 'novo'").toString(), "outro");
}

TEST_F(ReceberCaixaTest, DeletingAReceivableTakesItsCashAndObservation)
{
    parcela("100231", 1, 10);
    parcela("100231", 2, 20);
    parcela("100331", 1, 30);
    dmGlobal->CarregaParcelasReceber("C0001", "100231", " and SEQUENCIA = 2");
    dmGlobal->quReceber->remove();
    EXPECT_EQ(count("ACRC5001"), 2);
    EXPECT_EQ(count("ACXC94XP"), 2);
    EXPECT_EQ(count("AUGC70OB"), 2);
    EXPECT_EQ(dmGlobal->ExcluirParcelasReceber("NUMERO_DOCUMENTO = '100331'"), 1);
    EXPECT_EQ(one("select XPDOCUMENTO || CRSEQUENCIA from ACXC94XP").toString(), "1002311");
    EXPECT_EQ(one("select OBCODIGO from AUGC70OB").toString(), "100231C00011");
    dmGlobal->ExcluirParcelaReceber("100231", "C0001", 1, "01");
    EXPECT_EQ(count("ACRC5001") + count("ACXC94XP") + count("AUGC70OB"), 0);
}

TEST_F(ReceberCaixaTest, ReceivablePostNeedsNumberAndDueDate)
{
    parcela("100231", 1, 10);
    dmGlobal->CarregaParcelasReceber("C0001", "100231");
    dmGlobal->quReceber->edit();
    dmGlobal->quReceber->fieldByName("DATA_VENCIMENTO")->clear();
    dialogs->acknowledge("Informe a data de vencimento");
    EXPECT_THROW(dmGlobal->quReceber->post(), host::Abort);
    dmGlobal->quReceber->cancel();
}

TEST_F(ReceberCaixaTest, FreeDocumentCodes)
{
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000"), "000001");
    parcela("000041", 1, 1);
    parcela("ABC", 1, 1);
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000"), "000042");
    parcela("999999", 1, 1);
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000"), "000001");
}

// The engine finds the largest number: numbers of other widths compare as
// numbers, not as text; values with anything but digits count for nothing.
TEST_F(ReceberCaixaTest, FreeDocumentCodesCompareNumbersOfEveryWidth)
{
    const auto livre = [] { return CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000"); };
    // Written as stored, blanks included.
    const auto numero = [this](const char* texto) {
        exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL) values"
             " (:N, 'C0001', 1, '01')",
             {{"N", QString(texto)}});
    };
    numero("   ");
    EXPECT_EQ(livre(), "000001") << "blanks only";
    for (const char* texto : {"99", "000124", "9A", "A999999", "1 5", "-500", "12.5", "0000000130"})
        numero(texto);
    EXPECT_EQ(livre(), "000131") << "\"99\" < \"000124\" < \"0000000130\"; the rest are no numbers";
    numero(" 0400 ");
    EXPECT_EQ(livre(), "000401") << "surrounding blanks are ignored";
    numero("0000000000");
    EXPECT_EQ(livre(), "000401");
    // Past the maximum, the smallest number not stored, whatever its width.
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 400, "0000"), "0001");
    numero("1");
    numero("0002");
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 400, "0000"), "0003");
    numero("1000000");
    EXPECT_EQ(livre(), "000003") << "a number past the maximum sends the search back to the gaps";
    // A where-clause narrows what counts; one of another form is read row by row.
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000",
                                        "where NUMERO_DOCUMENTO <> '1000000' and SEQUENCIA = 1"),
              "000401");
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000",
                                        "WHERE\tNUMERO_DOCUMENTO between '0' and '02'"),
              "000131") << "as text, \"0000000130\" and \"000124\" sort below \"02\", \" 0400 \" before \"0\"";
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000",
                                        "rec where rec.NUMERO_DOCUMENTO = '99'"),
              "000100");
}

// Every number up to the maximum taken: no code; an empty table starts at 1.
TEST_F(ReceberCaixaTest, FreeDocumentCodesRunOutPastTheMaximum)
{
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 3, "00"), "01");
    for (const char* numero : {"1", "02", "003"})
        parcela(numero, 1, 1);
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 3, "00"), "");
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 4, "00"), "04");
}

// The free number is found by one statement, kept prepared, however many
// receivables there are.
TEST_F(ReceberCaixaTest, FreeDocumentCodeIsOneStatementWhateverTheRows)
{
    for (int n = 1; n <= 40; ++n)
        parcela(QString::number(n * 7), 1, 1);
    CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000");
    const testsupport::StatementCounter contador;
    EXPECT_EQ(CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000"), "000281");
    EXPECT_EQ(contador.count(), 1);
    EXPECT_EQ(contador.prepares(), 0);
}

// Codes taken one after another by a routine that stores each: the
// largest number is read once; past the maximum each is looked for among
// the gaps as a single code is.
TEST_F(ReceberCaixaTest, FreeCodesOfARunFollowTheLastOneAndLookForGapsPastTheMaximum)
{
    parcela("000041", 1, 1);
    CodigosDisponiveis livres("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000");
    QStringList tomados;
    int leituras = 0;
    for (int i = 0; i < 3; ++i) {
        const testsupport::StatementCounter contador;
        tomados << livres.proximo();
        leituras += contador.count();
        parcela(tomados.back(), 1, 1);
    }
    EXPECT_EQ(tomados, QStringList({"000042", "000043", "000044"}));
    EXPECT_EQ(leituras, 1) << "one read for the run";

    parcela("000003", 1, 1);
    CodigosDisponiveis poucos("NUMERO_DOCUMENTO", "ACRC5001", 43, "00");
    tomados.clear();
    for (int i = 0; i < 3; ++i) {
        tomados << poucos.proximo();
        parcela(tomados.back(), 1, 1);
    }
    EXPECT_EQ(tomados, QStringList({"01", "02", "04"}));
}

TEST_F(ReceberCaixaTest, DialogAddsTheUndistributedPartAndCommits)
{
    parcela("100231", 1, 100);
    exec("update ACXC94XP set XPVALOR = 70");
    dmGlobal->CarregaParcelasReceber("C0001", "100231");
    dialogs->modal("fmCXPrevisao", [](host::ui::Form& form) {
        EXPECT_EQ(form.findChild<QLabel*>("laTotal")->text(), "Total: 70,00");
        form.findChild<QPushButton*>("bbIncluir")->click();
        host::data::Dataset* cx = form.findChild<host::ui::DataGrid*>("dbgdCXPrev")->dataset();
        EXPECT_DOUBLE_EQ(cx->fieldByName("XPVALOR")->asFloat(), 30);
        cx->fieldByName("XCCODIGO")->setAsString("1.02");
        form.findChild<QPushButton*>("bbConfirmar")->click();
    });
    EXPECT_TRUE(SelecionaCXPrevisao("R", *dmGlobal->quReceber));
    EXPECT_FALSE(dmGlobal->quCXPrev->active());
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(one("select sum(XPVALOR) from ACXC94XP where XPDOCUMENTO = '100231'").toDouble(), 100);
    EXPECT_EQ(one("select XPEMITENTE || CRSEQUENCIA || XPLOCAL from ACXC94XP where XCCODIGO = '1.02'").toString(),
              "C0001101");
}

TEST_F(ReceberCaixaTest, ClosingRowsThatMissTheValueIsTold)
{
    parcela("100231", 1, 100);
    exec("update ACXC94XP set XPVALOR = 70");
    dmGlobal->CarregaCXPrevisao("100231", "C0001", 1, "01");
    dialogs->acknowledge("A previsão de caixa (70.00) difere do valor do documento (100.00).");
    dmGlobal->quCXPrev->close();
    EXPECT_EQ(dialogs->pending(), 0);
}

// The same document, customer and sequence at another branch is another
// receivable: its value is not the one the rows are measured against.
TEST_F(ReceberCaixaTest, TheForecastOfABranchFollowsThatBranchsReceivable)
{
    parcela("100231", 1, 100);
    dmGlobal->InseriParcelaReceber("C0001", "100231", "01", "002", "2", "V", {}, {}, {}, {}, "341", {}, 1, 40, 0, 0,
                                   0, 0, 0, 0, 0, QDateTime(QDate(2031, 1, 10), QTime(0, 0)),
                                   QDateTime(QDate(2031, 2, 10), QTime(0, 0)), QDateTime::currentDateTime(), 40, {},
                                   {}, {}, 7, {}, "C", {}, 0, 0, 0, {}, {}, 0);
    dmGlobal->InserirCXPrevisao("100231", "C0001", "02", "R", {}, "1.01", {}, 1, 25, false, {}, 0, -1);
    dmGlobal->CarregaCXPrevisao("100231", "C0001", 1, "002");
    InserirRegistro(*dmGlobal->quCXPrev);
    EXPECT_DOUBLE_EQ(dmGlobal->quCXPrev->fieldByName("XPVALOR")->asFloat(), 15);
    dmGlobal->quCXPrev->fieldByName("XCCODIGO")->setAsString("1.02");
    dmGlobal->quCXPrev->post();
    dmGlobal->quCXPrev->close();   // 25 + 15 = 40: nothing to tell
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace

// The next free number, the next receivable number, a customer's largest
// number, a key drawn and the start's raise of the generators read as many
// rows with 600 stored as with 300: numbers holding letters are not walked
// past, a key comes from its generator alone and the largest key from one
// row of an index.
TEST_F(ReceberCaixaTest, NumbersAndKeysReadAsManyRowsWhateverTheTablesHold)
{
    parcela("000041", 1, 1);
    const std::vector<std::pair<const char*, std::function<void()>>> passos = {
        {"free number", [] { CodigoCadastralDisponivel("NUMERO_DOCUMENTO", "ACRC5001", 999999, "000000"); }},
        {"receivable number", [] { dmGlobal->ProximoNumeroReceber(); }},
        {"customer's largest number", [] { dmGlobal->MaiorNumeroReceberCliente("C0002"); }},
        {"key", [] { ProximaChave("GEN_ACCODIGO", "ACCODIGO", "AATC05AC"); }},
        {"start", [this] { host::raiseGeneratorsToKeys(tr()); }},
    };
    std::vector<qint64> comTrezentas;
    maisTrezentas(1);
    tr().commitRetaining();
    for (const auto& [nome, passo] : passos) {
        passo();   // what only a first run reads
        comTrezentas.push_back(linhasLidasPor(passo));
    }
    maisTrezentas(301);
    tr().commitRetaining();
    // A few rows of the engine's own tables may come and go.
    for (std::size_t i = 0; i < passos.size(); ++i)
        EXPECT_NEAR(linhasLidasPor(passos[i].second), comTrezentas[i], 5) << passos[i].first;
}
