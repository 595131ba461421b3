// LancaOrdemServico: periodic orders of contracts, orders of a stock
// document's items and their removal, run as the host calls it, with
// nothing but the run's closing messages reaching the dialogs.

#include "tests/module/ModuleFixture.h"

#include "app/OrdensContratos.h"
#include "data/uDataTec.h"
#include "data/uDataTecOSAutomatica.h"
#include "host/Calendario.h"
#include "host/HostLog.h"
#include "host/Ulote.h"
#include "host/db/Database.h"
#include "host/ui/ProgressWindow.h"

#include <gtest/gtest.h>

using uDataTecOSAutomatica::PeriodicidadeContrato;
using uDataTecOSAutomatica::VencimentoContrato;

namespace {

QDateTime meiaNoite(const QDate& d) { return QDateTime(d, QTime(0, 0)); }
QDate diaCorrente() { return QDate::currentDate(); }

class LancaOrdemServicoTest : public moduletest::ModuleTest {
protected:
    void contrato(int codigo, const QString& cliente, const QVariant& integracao, const QString& aprova,
                  const QDate& base, const QDate& implantacao = diaCorrente().addDays(-400),
                  const QDate& validade = diaCorrente().addDays(400))
    {
        exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACCONTRATANTE, ACCODIGOINTEGRACAO, ACAPROVAIP,"
             " ACDATAIMPLANTACAO, ACDATAVALIDADE, ACDATABASE) values (:C, :CLI, :CLI, :INT, :APR, :IMP, :VAL, :BASE)",
             {{"C", codigo}, {"CLI", cliente}, {"INT", integracao}, {"APR", aprova},
              {"IMP", meiaNoite(implantacao)}, {"VAL", meiaNoite(validade)},
              {"BASE", base.isValid() ? QVariant(meiaNoite(base)) : QVariant()}});
    }
    void equipamento(int contrato, int modelo, const QString& serie, const QString& garantia = "N")
    {
        exec("insert into AUGC03CO (COCODIGO, ACCODIGO, AECODIGO, COSERIE, COGARANTIA, CODATACOMPRA, COIDENTIFICADOR)"
             " values ((select coalesce(max(COCODIGO), 0) + 1 from AUGC03CO), :C, :M, :S, :G, '2023-05-02', 'E')",
             {{"C", contrato}, {"M", modelo}, {"S", serie}, {"G", garantia}});
    }
    void automatico() { LancaOrdemServico(0, {}, {}, {}, {}, {}, {}, QDateTime(), true); }
    int contar(const QString& sql) { return one("select count(*) from " + sql).toInt(); }
    // Entry dates of the orders with an item of the contract, oldest first.
    QList<QDate> entradas(int contrato)
    {
        host::db::Statement st(tr(), "select distinct os.AODATAENTRADA from AATC01AO os join AATC01AOIT i"
                                     " on i.AOCODIGO = os.AOCODIGO where i.ACCODIGO = :C order by 1");
        st.setParam("C", contrato);
        st.execute();
        QList<QDate> datas;
        while (st.fetch())
            datas << st.value(0).toDateTime().date();
        return datas;
    }
    QStringList log() const { return logDe("[LancaOrdemServico]"); }
    static QDate diaUtil(const QDate& d) { return host::CalendarioDiasUteis().proximoDiaUtil(meiaNoite(d)).date(); }
    // No item, service line or progress record outlives its order.
    void semOrfaos()
    {
        for (const char* t : {"AATC01AOIT", "AATC01AA", "AATC01AP"})
            EXPECT_EQ(contar(QString(t) + " x where not exists (select 1 from AATC01AO o where o.AOCODIGO = x.AOCODIGO)"), 0)
                << t;
    }
};

}  // namespace

TEST(ContratoPeriodicidadeTest, PeriodicityAndDueDate)
{
    EXPECT_EQ(PeriodicidadeContrato("30-MENSAL"), 30);
    EXPECT_EQ(PeriodicidadeContrato(" 15 - quinzenal-x"), 15);
    EXPECT_EQ(PeriodicidadeContrato("7"), 7);
    for (const char* texto : {"MENSAL-30", "", "-30", "3 0-x", "30d-x"})
        EXPECT_EQ(PeriodicidadeContrato(texto), 999999) << texto;

    const host::CalendarioDiasUteis calendario;
    const QDateTime sexta(QDate(2024, 6, 7), QTime(0, 0));
    // Approved in advance: the first order three days after the base date, a
    // Monday here; otherwise periodicity + 3 days, a Saturday moved to Monday.
    EXPECT_EQ(VencimentoContrato(sexta, 30, true, calendario).date(), QDate(2024, 6, 10));
    EXPECT_EQ(VencimentoContrato(sexta.addDays(-3), 30, false, calendario).date(), QDate(2024, 7, 8));
    EXPECT_EQ(VencimentoContrato(sexta, 999999, false, calendario).date().year(), 4762);
}

TEST_F(LancaOrdemServicoTest, FirstOrderApprovedInAdvanceAndNoneAgainTheSameDay)
{
    const QDate base = diaCorrente().addDays(-10);
    contrato(1, "00002", "30-MENSAL", "Sim", base);
    equipamento(1, 1, "SN-A", "S");
    equipamento(1, 3, "SN-B");
    contrato(2, "00003", "30-MENSAL", "N", base);   // first order at base + 33: not yet
    equipamento(2, 2, "SN-C");
    automatico();

    const int ordem = one("select AOCODIGO from AATC01AO where CLCODIGO = '00002'").toInt();
    ASSERT_GT(ordem, 0);
    EXPECT_EQ(contar("AATC01AO"), 1);
    EXPECT_EQ(one("select AORETORNO from AATC01AO where AOCODIGO = :O", {{"O", ordem}}).toString(), "C");
    EXPECT_EQ(entradas(1), QList<QDate>{diaUtil(base.addDays(3))});
    EXPECT_EQ(contar("AATC01AOIT where AOCODIGO = " + QString::number(ordem) + " and ACCODIGO = 1 and"
                     " ((AOITEQUIPCODIGO = 1 and AOITSERIE = 'SN-A' and AOITGARANTIA = 'S') or"
                     "  (AOITEQUIPCODIGO = 3 and AOITSERIE = 'SN-B' and AOITGARANTIA = 'N'))"
                     " and AOITDATACOMPRA = '2023-05-02' and AOITEQUIPDESCRICAO is not null"),
              2);
    // One service line of the standard service, priced by its rules.
    EXPECT_EQ(contar("AATC01AA where AOCODIGO = " + QString::number(ordem) + " and PRCODIGO = 'S0001'"
                     " and AAVALOR = 120 and AOITCODIGO is not null"),
              1);
    EXPECT_DOUBLE_EQ(one("select AOVALORTOTAL from AATC01AO where AOCODIGO = :O", {{"O", ordem}}).toDouble(), 120);

    const QString comparacao = "Data Comparção: " + diaCorrente().addDays(3).toString("dd/MM/yyyy");
    EXPECT_EQ(log(), (QStringList{"***INICIO",
                                  "Entrou no procedimento para geração da OS automaticamente através do contrato",
                                  "Vai lançar contrato 1", "DataBase Inicial: " + base.toString("dd/MM/yyyy"),
                                  "DataBase com dias de periodicidade: " + diaUtil(base.addDays(3)).toString("dd/MM/yyyy"),
                                  comparacao, "Vai Inserir Ordem de Serviço", "terminou de lançar contrato 1",
                                  "Vai lançar contrato 2", "DataBase Inicial: " + base.toString("dd/MM/yyyy"),
                                  "DataBase com dias de periodicidade: " + diaUtil(base.addDays(33)).toString("dd/MM/yyyy"),
                                  comparacao, "terminou de lançar contrato 2", "***FIM"}));

    // The same day again: the new order is the base date, periodicity applies.
    automatico();
    EXPECT_EQ(contar("AATC01AO"), 1);
    EXPECT_TRUE(dialogs->texts().isEmpty());
}

TEST_F(LancaOrdemServicoTest, AContractBehindGetsOneOrderPerRunEachAPeriodLater)
{
    const QDate base = diaCorrente().addDays(-200);
    contrato(5, "00002", "30", "N", base);
    equipamento(5, 1, "SN-1");
    automatico();
    const QDate primeira = diaUtil(base.addDays(33));
    EXPECT_EQ(entradas(5), QList<QDate>{primeira});
    automatico();
    EXPECT_EQ(entradas(5), (QList<QDate>{primeira, diaUtil(primeira.addDays(33))}));
    EXPECT_EQ(contar("AATC01AO"), 2);
}

TEST_F(LancaOrdemServicoTest, NonNumberPeriodicityOnlyEverGetsTheFirstOrder)
{
    contrato(3, "00002", "MENSAL", "S", diaCorrente().addDays(-30));
    equipamento(3, 1, "X");
    contrato(4, "00003", "MENSAL", "N", diaCorrente().addDays(-30));
    equipamento(4, 1, "Y");
    automatico();
    automatico();
    EXPECT_EQ(entradas(3).size(), 1);
    EXPECT_TRUE(entradas(4).isEmpty());
}

TEST_F(LancaOrdemServicoTest, DueDateOnAWeekendOrHolidayMovesToTheNextWorkingDay)
{
    QDate quarta = diaCorrente().addDays(-14);
    while (quarta.dayOfWeek() != 3)
        quarta = quarta.addDays(-1);
    contrato(6, "00002", "30", "S", quarta);   // base + 3 is a Saturday
    equipamento(6, 1, "X");
    exec("insert into FERIADOS (FEDATA, FEDESCRICAO, FEANUAL) values (:D, 'Feriado', 'N')",
         {{"D", meiaNoite(quarta.addDays(5))}});   // and that Monday a holiday
    automatico();
    EXPECT_EQ(entradas(6), QList<QDate>{quarta.addDays(6)});
}

TEST_F(LancaOrdemServicoTest, ContractsOutOfForceOrWithoutPeriodicityAreSkippedSilentlyOnesWithoutBaseDateAreTold)
{
    const QDate base = diaCorrente().addDays(-10);
    contrato(7, "00002", "30", "S", base, diaCorrente().addDays(-400), diaCorrente().addDays(-1));   // expired
    contrato(8, "00002", "30", "S", base, diaCorrente().addDays(1));                          // not yet in force
    contrato(9, "00002", "", "S", base);
    contrato(10, "00002", QVariant(), "S", base);
    contrato(11, "00002", "30", "S", QDate());   // no base date and no order: nothing to count from
    for (int c : {7, 8, 9, 10, 11})
        equipamento(c, 1, "X");
    // The one without its base date is due but not served: told, not silent.
    dialogs->acknowledge("0 ordens geradas, 1 contratos com erro");
    automatico();
    EXPECT_EQ(dialogs->pending(), 0);
    QStringList falhas = host::ultimoResultadoLote().falhas;
    falhas.sort();
    EXPECT_EQ(falhas, QStringList{"Contrato 11: Não gerou OS, pois o contrato não tem data base."});
    EXPECT_EQ(contar("AATC01AO"), 0);
    const QStringList linhas = log();
    for (int c : {7, 8, 9, 10})
        EXPECT_FALSE(linhas.contains("Vai lançar contrato " + QString::number(c))) << c;
    EXPECT_TRUE(linhas.contains("Não gerou OS, pois o contrato não tem data base."));
}

TEST_F(LancaOrdemServicoTest, AFailedContractLeavesNoPartialOrderAndTheOthersAreMade)
{
    const QDate base = diaCorrente().addDays(-10);
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, TIPO_CLIENTE) values ('00009', 'Bloqueado', '3')");
    contrato(20, "00002", "30", "S", base);
    equipamento(20, 1, "A");
    contrato(21, "00009", "30", "S", base);   // blocked customer: the header's rule refuses it
    equipamento(21, 1, "B");
    contrato(22, "00003", "30", "S", base);   // no equipment: the service line is refused after the header
    contrato(23, "00004", "30", "S", base);
    equipamento(23, 2, "C");
    equipamento(23, 4, "D");
    dialogs->acknowledge("Não foi possível Lançar ordem de serviço periódica.");
    automatico();

    EXPECT_EQ(entradas(20).size(), 1);
    EXPECT_EQ(entradas(23).size(), 1);
    EXPECT_EQ(contar("AATC01AO"), 2);
    EXPECT_EQ(contar("AATC01AO where CLCODIGO in ('00009', '00003')"), 0);
    EXPECT_EQ(contar("AATC01AOIT"), 3);
    EXPECT_EQ(contar("AATC01AA"), 2);
    semOrfaos();
    EXPECT_EQ(dialogs->texts(),
              QStringList{"Não foi possível Lançar ordem de serviço periódica.\nContrato 21: Cliente Bloqueado. Verifique "
                          "no cadastro de clientes.\nContrato 22: Não há equipamento válido cadastrado\n"
                          "2 ordens geradas, 2 contratos com erro"});
    EXPECT_EQ(log().filter(" EXCEPTION --> ").size(), 2);
    // What the refused rule said went to the log, not to a person.
    EXPECT_TRUE(logDe("[LancaOrdemServico]").contains("Cliente Bloqueado. Verifique no cadastro de clientes. "));
}

TEST_F(LancaOrdemServicoTest, QuestionsOfTheReusedRulesTakeTheBatchPath)
{
    // Remanufacture installations ask what a new order is for: unanswered,
    // it stays an assistance order. Their service lines need a kind of
    // recharge, which the service's price list gives.
    parametro("ATREMANUFATURA", "S");
    exec("update ACEC1101 set COD_LISTA_PRECO = 'R1' where CODIGO = 'S0001'");
    contrato(30, "00002", "30", "S", diaCorrente().addDays(-10));
    equipamento(30, 1, "A");
    contrato(31, "00003", "30", "S", diaCorrente().addDays(-10));
    equipamento(31, 1, "B");
    automatico();
    EXPECT_EQ(contar("AATC01AO where AOREMANUFATURA = 'A'"), 2);
    EXPECT_EQ(log().count("A ordem de serviço se refere à remanufatura ou assistência"), 2);

    // Without the kind the line is refused: the order goes whole, and the
    // reason reaches the closing message.
    exec("update ACEC1101 set COD_LISTA_PRECO = null where CODIGO = 'S0001'");
    exec("delete from AATC01AA");
    exec("delete from AATC01AOIT");
    exec("delete from AATC01AO");
    dialogs->acknowledge("Não foi possível Lançar ordem de serviço periódica.\nContrato 30: Preenchimento da Espécie"
                         " de Recarga obrigatório");
    automatico();
    EXPECT_EQ(contar("AATC01AO"), 0);
    semOrfaos();
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(LancaOrdemServicoTest, AContractWithoutEquipmentNeverTakesAnItemOfNoOrder)
{
    // An item left without an order (by an older version or another tool)
    // is what a new header shows; the contract's line must not land on it.
    exec("insert into AATC01AOIT (AOITCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO) values (900, 1, 'Solto')");
    contrato(51, "00002", "30", "S", diaCorrente().addDays(-10));
    dialogs->acknowledge("Não foi possível Lançar ordem de serviço periódica.\nContrato 51: Não há equipamento válido"
                         " cadastrado");
    automatico();
    EXPECT_EQ(contar("AATC01AO"), 0);
    EXPECT_EQ(contar("AATC01AA"), 0);
    EXPECT_EQ(contar("AATC01AOIT where AOITCODIGO = 900 and AOCODIGO is null"), 1);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(LancaOrdemServicoTest, OrdersTotalledOnScreenAreSavedWithTheirTotals)
{
    // The line's rules only put the header's totals in edit in this mode.
    parametro("ATFORMULATOTALOS", "I");
    contrato(50, "00002", "30", "S", diaCorrente().addDays(-10));
    equipamento(50, 1, "A");
    automatico();
    automatico();   // the next run must not meet a header left in edit either
    ASSERT_EQ(contar("AATC01AO"), 1);
    EXPECT_DOUBLE_EQ(one("select AOVALORSERVICO from AATC01AO").toDouble(), 120);
    EXPECT_DOUBLE_EQ(one("select AOVALORTOTAL from AATC01AO").toDouble(), 120);
    EXPECT_NE(dmTec->quOS->state(), host::data::DatasetState::Edit);
}

TEST_F(LancaOrdemServicoTest, ContractsNotDueCostNoStatementOfTheirOwn)
{
    const QDate base = diaCorrente().addDays(-10);
    contrato(40, "00002", "30", "N", base);
    automatico();
    const auto antes = host::db::statementCount();
    automatico();
    const auto umContrato = host::db::statementCount() - antes;
    for (int c = 41; c < 60; ++c)
        contrato(c, "00002", "30", "N", base);
    const auto depois = host::db::statementCount();
    automatico();
    EXPECT_EQ(host::db::statementCount() - depois, umContrato);
}

TEST_F(LancaOrdemServicoTest, TheRunKeepsItsStatementsPreparedFromOneOrderToTheNext)
{
    struct Custo {
        std::uint64_t comandos, preparos;
    };
    const auto custou = [this](int primeiro, int contratos) {
        for (int c = primeiro; c < primeiro + contratos; ++c) {
            contrato(c, "0000" + QString::number(2 + c % 2), "30", "S", diaCorrente().addDays(-10));
            equipamento(c, 1, "A" + QString::number(c));
            equipamento(c, 2, "B" + QString::number(c));
        }
        const auto comandos = host::db::statementCount();
        const auto preparos = host::db::prepareCount();
        automatico();
        return Custo{host::db::statementCount() - comandos, host::db::prepareCount() - preparos};
    };
    custou(60, 1);   // the module's first orders prepare what later runs find ready
    const Custo dois = custou(70, 2);
    const Custo seis = custou(80, 6);
    EXPECT_EQ(contar("AATC01AO"), 9);
    // Every statement the rules repeat stays prepared, the reads that carry
    // the order's number or customer in their text included; what situations,
    // technicians, models and products say is read once per run. An order
    // with two items and its service line: the savepoint (2); the header
    // (empty load, last observation, unattached items, three customer reads,
    // the first of which refuses an unregistered customer, number, insert,
    // audit record, re-read: 10); its lines loaded once (1);
    // each item (customer's equipment, the serial's earlier item, key,
    // insert, re-read, and the order's row held by the first: 6 + 5); the
    // line (whether the order was billed, its savepoint taken and released,
    // number twice, insert, re-read, sum, the header's new totals, its audit
    // record, header and item re-read: 12; the order's row already held).
    EXPECT_EQ(seis.preparos, 0u) << "what the earlier runs prepared serves the next";
    EXPECT_EQ((seis.comandos - dois.comandos) / 4, 2u + 10 + 1 + 6 + 5 + 12) << seis.comandos << " " << dois.comandos;
}

// ---- stock documents ---------------------------------------------------------

namespace {

class LancaOrdemServicoDocumentoTest : public LancaOrdemServicoTest {
protected:
    void SetUp() override
    {
        LancaOrdemServicoTest::SetUp();
        parametro("ATEQUIPAMENTOPADRAO", "1");
        exec("update AFVC0901 set OFTEF = 'S' where COD_OP = '5102'");
        for (const auto& [codigo, origem] : {std::pair{"EQ1", "1"}, {"EQ2", "2"}, {"EQ4", "4"}})
            exec("insert into ACEC1101 (CODIGO, DESCRICAO, COM_FAB_S_FS) values (:C, :C, :O)",
                 {{"C", codigo}, {"O", origem}});
        item(1, "EQ2", "5102");
        item(2, "EQ4", "5933");   // the item's operation makes no orders
        item(3, "EQ1", "5102");   // origin 1
        item(4, "EQ4", "5102");
        exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSDOCUMENTO, NSSERIE, NSOPERACAO, NSCLIENTE,"
             " LECODIGO, NSSEQUENCIA) values (1, 'SN-77', 'EQ2', '000010', '1', '5102', '00002', '01', 1)");
    }
    void item(int sequencia, const QString& produto, const QString& operacaoItem)
    {
        exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA, MEITCFOP)"
             " values ('000010', '1', '00002', '5102', '01', :P, :S, :O)",
             {{"P", produto}, {"S", sequencia}, {"O", operacaoItem}});
    }
    void documento(int codigo, const QString& produto = {})
    {
        LancaOrdemServico(codigo, "00002", "1", "01", "5102", "000010", produto, dataDocumento, false);
    }
    const QDateTime dataDocumento = QDateTime(QDate(2024, 6, 3), QTime(0, 0));
};

}  // namespace

TEST_F(LancaOrdemServicoDocumentoTest, OneOrderPerQualifyingItemWithItsLinkAndTheRefusalsOnlyLogged)
{
    dialogs->acknowledge("Ordem de Serviço gerada com sucesso.");
    documento(0);
    ASSERT_EQ(contar("AATC01AO"), 2);
    const int primeira = one("select REFAOCODIGO from ACEM14REF where REFOSEQUENCIA = 1").toInt();
    const int segunda = one("select REFAOCODIGO from ACEM14REF where REFOSEQUENCIA = 4").toInt();
    EXPECT_EQ(dialogs->texts(), QStringList{"Ordem de Serviço gerada com sucesso.\nOS:" + QString::number(primeira) +
                                            "\nOS:" + QString::number(segunda) + "\n"});
    EXPECT_EQ(contar("AATC01AO where AORETORNO = 'N' and CLCODIGO = '00002'"), 2);
    EXPECT_EQ(one("select AOITSERIE from AATC01AOIT where AOCODIGO = :O and AOITEQUIPCODIGO = 1 and AOITPRCODIGO = 'EQ2'",
                  {{"O", primeira}}).toString(),
              "SN-77");
    EXPECT_TRUE(one("select AOITSERIE from AATC01AOIT where AOCODIGO = :O and AOITPRCODIGO = 'EQ4'",
                    {{"O", segunda}}).isNull());
    EXPECT_EQ(contar("AATC01AA where PRCODIGO = 'S0001'"), 2);
    EXPECT_EQ(contar("ACEM14REF where REFODOCUMENTO = '000010' and REFOSERIE_DOC = '1' and REFOCOD_CLI = '00002'"
                     " and REFOOPERACAO_DOC = '5102' and REFOLOCAL_DOC = '01' and REFTIPO = 'S'"
                     " and REFODATA_DOC = '2024-06-03'"),
              2);
    const QStringList linhas = log();
    EXPECT_EQ(linhas.count("Não gerou OS, pois a operação não está configurada para isso."), 1);
    EXPECT_EQ(linhas.count("Não gerou OS, pois a origem do produto não é 2 ou 4."), 1);
    const QStringList passos = {"Vai inserir cabeçalho", "Vai Carregar os itens", "Vai inserir os itens",
                                "Vai confirmar inserção dos itens", "Vai carregar os servicos",
                                "Vai inserir os servicos", "Vai confirmar inserção dos serviços",
                                "Vai registrar referencia"};
    const qsizetype inicio = linhas.indexOf("Vai inserir cabeçalho");
    ASSERT_GE(inicio, 0);
    EXPECT_EQ(linhas.mid(inicio, passos.size()), passos);
}

// A document at a three-digit stock location makes its orders and links
// them to the document with the whole location.
TEST_F(LancaOrdemServicoDocumentoTest, ADocumentAtAThreeDigitLocationMakesItsOrders)
{
    exec("update ACEM14IT set MELOCAL = '001'");
    tr().commitRetaining();
    dialogs->setAutoAcknowledgeMessages(true);
    LancaOrdemServico(0, "00002", "1", "001", "5102", "000010", {}, dataDocumento, false);
    EXPECT_EQ(committed("select count(*) from ACEM14REF where REFOLOCAL_DOC = '001' and REFODOCUMENTO = '000010'")
                  .toInt(),
              2);
    EXPECT_EQ(committed("select count(*) from AATC01AO where CLCODIGO = '00002'").toInt(), 2);
}

TEST_F(LancaOrdemServicoDocumentoTest, TheProductFilterNeedsASequenceAndAProduct)
{
    const struct {
        int codigo;
        const char* produto;
        int ordens;
    } casos[] = {{-1, "EQ4", 2}, {4, "", 2}, {4, "  ", 2}, {4, "EQ4", 1}, {1, "EQ4", 0}};
    int antes = 0;
    for (const auto& caso : casos) {
        if (caso.ordens > 0)
            dialogs->acknowledge("Ordem de Serviço gerada com sucesso.");
        documento(caso.codigo, caso.produto);
        const int agora = contar("AATC01AO");
        EXPECT_EQ(agora - antes, caso.ordens) << caso.codigo << " " << caso.produto;
        antes = agora;
    }
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(LancaOrdemServicoDocumentoTest, RemovalDeletesTheDocumentsOrdersWithTheirLines)
{
    dialogs->acknowledge("Ordem de Serviço gerada com sucesso.");
    documento(0);
    ASSERT_EQ(contar("AATC01AO"), 2);
    // Another document's order stays.
    exec("update ACEM14IT set DOCUMENTO = '000011' where SEQUENCIA = 4");
    dialogs->acknowledge("Ordem de Serviço gerada com sucesso.");
    documento(0);
    ASSERT_EQ(contar("AATC01AO"), 3);
    exec("update ACEM14REF set REFODOCUMENTO = '000011' where REFAOCODIGO = (select max(AOCODIGO) from AATC01AO)");

    LancaOrdemServico(-123, "00002", "1", "01", "5102", "000010", {}, QDateTime(), false);
    EXPECT_EQ(contar("AATC01AO"), 1);
    EXPECT_EQ(contar("AATC01AOIT"), 1);
    EXPECT_EQ(contar("AATC01AA"), 1);
    semOrfaos();
    EXPECT_EQ(contar("ACEM14REF"), 3);   // the links stay
    // Again, or a document without links: nothing and no message.
    LancaOrdemServico(-123, "00002", "1", "01", "5102", "000010", {}, QDateTime(), false);
    LancaOrdemServico(-123, "00002", "1", "01", "5102", "999999", {}, QDateTime(), false);
    EXPECT_EQ(contar("AATC01AO"), 1);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(LancaOrdemServicoDocumentoTest, RemovalOfAnOrderProtectedByAPasswordIsRefusedAndLogged)
{
    dialogs->acknowledge("Ordem de Serviço gerada com sucesso.");
    documento(4, "EQ4");
    const int ordem = one("select AOCODIGO from AATC01AO").toInt();
    parametro("ATSENHAOS", "segredo");
    dialogs->acknowledge("Não foi possível Excluir ordem de serviço.");
    LancaOrdemServico(-123, "00002", "1", "01", "5102", "000010", {}, QDateTime(), false);
    EXPECT_EQ(contar("AATC01AO"), 1);
    EXPECT_EQ(contar("AATC01AA"), 1);
    EXPECT_EQ(dialogs->texts().last(), "Não foi possível Excluir ordem de serviço.\nOS:" + QString::number(ordem) +
                                           " Senha de Exclusão de Ordem de Serviço");
    EXPECT_TRUE(log().contains(" EXCEPTION --> Senha de Exclusão de Ordem de Serviço"));
}

TEST_F(LancaOrdemServicoTest, TheContractMenuRunsItWithTheProgressWindowAndTellsWhatItMade)
{
    criarPrincipal();
    EXPECT_FALSE(principal->miOrdemServicoContrato->enabled());
    app::ligarMenuOrdensContratos(*principal, &LancaOrdemServico);
    EXPECT_TRUE(principal->miOrdemServicoContrato->enabled());
    EXPECT_EQ(principal->miOrdemServicoContrato->caption(), "Gerar Ordens de Serviço dos Contratos");
    contrato(50, "00002", "30", "S", diaCorrente().addDays(-10));
    equipamento(50, 1, "A");
    contrato(51, "00003", "30", "N", diaCorrente().addDays(-10));
    dialogs->acknowledge("Ordens de serviço geradas: 1");
    principal->miOrdemServicoContrato->click();
    EXPECT_EQ(dialogs->pending(), 0);
    const int ordem = one("select AOCODIGO from AATC01AO").toInt();
    EXPECT_TRUE(dialogs->shown().back().detail.startsWith(QString("OS %1  Contrato 50  Cliente 00002").arg(ordem, 9, 10, QChar('0'))));
    // The progress window went through both contracts and is hidden again.
    const host::ui::ProgressWindow& progresso = host::ui::ProgressWindow::instance();
    EXPECT_FALSE(progresso.isShown());
    EXPECT_EQ(progresso.total(), 2);
    EXPECT_EQ(progresso.text(), "Contrato 51");
    dialogs->acknowledge("Nenhuma ordem de serviço gerada.");
    principal->miOrdemServicoContrato->click();
    EXPECT_EQ(dialogs->pending(), 0);
}

// More orders than the engine takes values in one list: the menu lists them all.
TEST_F(LancaOrdemServicoTest, TheContractMenuListsARunOfMoreOrdersThanOneListHolds)
{
    criarPrincipal();
    app::ligarMenuOrdensContratos(*principal, &LancaOrdemServico);
    const int contratos = 1501;
    for (int c = 1; c <= contratos; ++c) {
        contrato(c, "00002", "30", "S", diaCorrente().addDays(-10));
        equipamento(c, 1, "A");
    }
    dialogs->acknowledge("Ordens de serviço geradas: 1501");
    principal->miOrdemServicoContrato->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join('\n').left(500).toStdString();
    EXPECT_EQ(dialogs->shown().back().detail.count("OS "), contratos);
}
