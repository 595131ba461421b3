// The contract tables: creation and widening by the data module's creation,
// messages in order, idempotence, a run stopped half-way, tables of earlier
// layouts, and the cost on an up-to-date database.

#include "tests/contracts/ContractsFixture.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContMigration.h"
#include "host/Udmglobal.h"
#include "tests/support/TestDatabase.h"

#include <cstdio>
#include <stdexcept>

namespace contractstest {
namespace {

namespace mig = uDataTecContMigration;

const char* const kVeiculos = "Tabela de veículos de contrato criada!";
const char* const kObjetos = "Tabela objetos do contrato criada!";
const char* const kItens = "Tabela de itens de contrato criada!";
const char* const kLeituras = "Tabela de Medidores do contrato criada!";
const char* const kMedidores = "Tabela de Cadastro de Medidores criada com Sucesso!";
const char* const kNovosCampos = "Novos Campos Tabela de Contratos criados com Sucesso!";
const char* const kFranquias = "Tabela de Franquias por Grupo do contrato criada!";
const char* const kCompostos = "Tabela de Compostos do Item do contrato criada!";

QString columnOf(const mig::Coluna& coluna)
{
    return QString::fromLatin1(coluna.definicao).section(' ', 0, 0);
}

class MigrationTest : public ContractsTest {
protected:
    // Every table, column and the generator of the layout are present.
    void expectFullLayout()
    {
        for (const char* table : {"AATC05ACEV", "AATC10AB", "AATC11AJ", "AATC05ACIT", "AATC05ACITCO", "AATC05CO",
                                  "AATC05FG", "AATC05ACCM", "AATC05ACFA", "AATC05ACFO", "AATC05ACTP"})
            EXPECT_TRUE(tableExists(table)) << table;
        for (auto list : {mig::colunasBloco1(), mig::colunasBloco2(), mig::colunasItemCriado(),
                          mig::colunasDesfazerReajuste()})
            for (const mig::Coluna& coluna : list)
                EXPECT_TRUE(columnExists(coluna.tabela, columnOf(coluna))) << coluna.tabela << "." << coluna.definicao;
        for (const auto& [table, column] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"AATC05CO", "COID"}, {"AATC05ACIT", "COCODIGO"}, {"AATC05FG", "ACCODIGO"},
                 {"AATC05ACCM", "ACCMORDEM"}, {"AATC05ACCM", "ACEVCODIGO"}})
            EXPECT_TRUE(columnExists(table, column)) << table << "." << column;
        EXPECT_EQ(one("select count(*) from RDB$GENERATORS where RDB$GENERATOR_NAME = 'GEN_ACITCODIGO'").toInt(), 1);
    }

    void dropTable(const QString& table) { exec("drop table " + table); }
};

TEST_F(MigrationTest, NewDatabaseGetsEveryTableAndColumnWithTheMessagesInOrder)
{
    createContracts();
    expectFullLayout();
    // The host creates the tables that the service upgrade widens first.
    // The new columns of both blocks are told once.
    EXPECT_EQ(messages(), (QStringList{kMedidores, kNovosCampos, kFranquias, kCompostos}));
}

TEST_F(MigrationTest, DatabaseWithOnlyTheHeaderGetsAllTablesInTheOrderOfTheMessages)
{
    for (const char* table : {"AATC05ACITCO", "AATC05ACIT", "AATC05ACEV", "AATC11AJ"})
        dropTable(table);
    createContracts();
    expectFullLayout();
    EXPECT_EQ(messages(), (QStringList{kVeiculos, kObjetos, kItens, kLeituras, kMedidores, kNovosCampos, kFranquias,
                                       kCompostos}));
    // Columns keep the declared defaults and types.
    EXPECT_EQ(host::db::columnLength(*global->IBTransaction1, "AATC05AC", "ACTIPOPAGAMENTO"), 1);
    exec("insert into AATC11AJ (AJCODIGO) values (1)");
    EXPECT_EQ(one("select AJATIVO || AJVALORDIARIO || AJMODALIDADE from AATC11AJ").toString(), "ANA");
}

TEST_F(MigrationTest, SecondRunChangesNothingShowsNothingAndCostsOnlyTheExistenceChecks)
{
    createContracts();
    dmTecContrato.free();
    clearMessages();
    const int before = one("select count(*) from RDB$RELATION_FIELDS").toInt();

    testsupport::StatementCounter counter;
    createContracts();
    const int statements = counter.count();
    std::printf("[ cost     ] creating dmTecContrato on an up-to-date database: %d statements, %d prepared\n",
                statements, counter.prepares());
    EXPECT_LE(statements, 11);
    EXPECT_LE(counter.prepares(), 10);
    EXPECT_TRUE(messages().isEmpty()) << messages().join(" | ").toStdString();
    EXPECT_EQ(one("select count(*) from RDB$RELATION_FIELDS").toInt(), before);
}

TEST_F(MigrationTest, RunStoppedHalfWayCompletesAtTheNextCreation)
{
    int offered = 0;
    mig::setObservadorColuna([&offered](const mig::Coluna&) {
        if (++offered == 60)
            throw std::runtime_error("stopped");
    });
    EXPECT_THROW(createContracts(), std::runtime_error);
    mig::setObservadorColuna({});
    EXPECT_FALSE(dmTecContrato) << "a failed creation leaves no half-made data module";
    EXPECT_FALSE(columnExists("AATC05AC", "TVCODIGO"));

    clearMessages();
    createContracts();
    expectFullLayout();
    EXPECT_EQ(messages(), (QStringList{kNovosCampos, kFranquias, kCompostos}));
}

// A run stopped inside a step of several commits, just before one of its
// columns (on an item table of an earlier layout, whose missing columns are
// added one by one), completes that step at the next creation.
TEST_F(MigrationTest, RunStoppedInsideAStepCompletesItAtTheNextCreation)
{
    dropTable("AATC05ACITCO");
    dropTable("AATC05ACIT");
    exec("create table AATC05ACIT (ACITCODIGO integer not null primary key, CLCODIGO varchar(5) not null, "
         "PRCODIGO varchar(11) not null, ACCODIGO smallint)");
    const struct {
        const char* tabela;
        const char* coluna;
    } paradas[] = {{"AATC05ACIT", "ACITGRUPO"}, {"AATC05FG", "ACCODIGO"}};
    for (const auto& parada : paradas) {
        SCOPED_TRACE(parada.coluna);
        mig::setObservadorColuna([&parada](const mig::Coluna& coluna) {
            if (QString(coluna.tabela) == parada.tabela && columnOf(coluna) == parada.coluna)
                throw std::runtime_error("stopped");
        });
        EXPECT_THROW(createContracts(), std::runtime_error);
        mig::setObservadorColuna({});
    }
    createContracts();
    expectFullLayout();
}

TEST_F(MigrationTest, MissingMeterTableRunsTheFirstBlockAgainOverWhatExists)
{
    createContracts();
    dmTecContrato.free();
    dropTable("AATC05CO");
    exec("insert into AATC05ACEV (ACEVCODIGO, ACEVOBSERVACAO) values (1, 'kept')");
    clearMessages();
    createContracts();   // the generator exists: its creation fails silently
    expectFullLayout();
    EXPECT_EQ(one("select ACEVOBSERVACAO from AATC05ACEV where ACEVCODIGO = 1").toString(), "kept");
    EXPECT_EQ(messages(), (QStringList{kMedidores, kNovosCampos}));
}

TEST_F(MigrationTest, MetersStoredBeforeGroupsExistedBecomeMeters)
{
    exec(mig::sqlCriarTabela("AATC05CO"));
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO) values (1, 'A')");
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO) values (2, 'B')");
    createContracts();
    EXPECT_EQ(one("select count(*) from AATC05CO where COID = 'M'").toInt(), 2);
}

TEST_F(MigrationTest, MetersOfARunStoppedBetweenTheKindAndItsValueStillBecomeMeters)
{
    // The kind was added and committed, the run stopped before the rows got their value.
    exec(mig::sqlCriarTabela("AATC05CO"));
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO) values (1, 'A')");
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO) values (2, 'B')");
    exec("alter table AATC05CO add COID VARCHAR(1)");
    createContracts();
    EXPECT_EQ(one("select count(*) from AATC05CO where COID = 'M'").toInt(), 2);
}

TEST_F(MigrationTest, ItemTableOfAnEarlierLayoutKeepsItsRowsAndGetsTheLayout)
{
    dropTable("AATC05ACITCO");
    dropTable("AATC05ACIT");
    exec("create table AATC05ACIT (ACITCODIGO integer not null primary key, CLCODIGO varchar(5) not null, "
         "PRCODIGO varchar(11) not null, ACCODIGO smallint)");
    exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO) values (7, '00001', 'P1', 3)");
    createContracts();
    expectFullLayout();
    EXPECT_EQ(one("select CLCODIGO || PRCODIGO || ACCODIGO from AATC05ACIT where ACITCODIGO = 7").toString(),
              "00001P13");
}

TEST_F(MigrationTest, CompositionTableOfAnEarlierLayoutGetsItsLineWithRowsPresent)
{
    exec("create table AATC05ACCM (ACCODIGO integer not null, ACITCODIGO integer not null, "
         "PRCODIGO DOCODIGOPRODUTO not null, CMSEQUENCIA integer not null, CMCODIGO DOCODIGOPRODUTO not null, "
         "ACCMQUANTIDADE DOVALOR)");
    exec("insert into AATC05ACCM (ACCODIGO, ACITCODIGO, PRCODIGO, CMSEQUENCIA, CMCODIGO) values (1, 2, 'P', 1, 'C')");
    createContracts();
    EXPECT_TRUE(columnExists("AATC05ACCM", "ACCMORDEM"));
    EXPECT_EQ(one("select ACEVCODIGO from AATC05ACCM").toInt(), 0);
    EXPECT_FALSE(messages().contains(kCompostos));
}

TEST_F(MigrationTest, OrdersOfPeriodsBilledBeforeBilledOrdersWereKeptCountAsBilled)
{
    createContracts();
    dmTecContrato.free();
    dropTable("AATC05ACFO");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO) values (950, '00004')");
    exec("insert into AATC05ACFA (ACCODIGO, ACFADATAINICIAL, ACFADATAFINAL, NUMERO_PEDIDO)"
         " values (950, '2026-03-01', '2026-03-10', '000001')");
    for (const char* ordem : {"6001, '00004', '2026-03-01 10:00'", "6002, '00004', '2026-03-10 15:30'",
                              "6003, '00004', '2026-03-11 08:00'", "6004, '00009', '2026-03-05 09:00'"})
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA) values (%1)").arg(ordem));
    createContracts();
    QStringList faturadas;
    for (int ordem : {6001, 6002, 6003, 6004})
        faturadas << one(QString("select NUMERO_PEDIDO from AATC05ACFO where AOCODIGO = %1").arg(ordem)).toString();
    EXPECT_EQ(faturadas, (QStringList{"000001", "000001", "", ""}));
}

TEST_F(MigrationTest, UpgradedDatabaseWithoutTheReadjustmentUndoColumnsGetsThemOnceWithRowsKept)
{
    createContracts();
    dmTecContrato.free();
    for (const mig::Coluna& coluna : mig::colunasDesfazerReajuste())
        exec(QString("alter table %1 drop %2").arg(coluna.tabela, columnOf(coluna)));
    exec("insert into AATC05AC (ACCODIGO, ACVALORPARCELA) values (9, 120)");
    clearMessages();
    createContracts();
    expectFullLayout();
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_EQ(one("select ACVALORPARCELA from AATC05AC where ACCODIGO = 9").toInt(), 120);
    EXPECT_TRUE(one("select ACDATABASEANTERIOR from AATC05AC where ACCODIGO = 9").isNull());

    dmTecContrato.free();
    const int before = one("select count(*) from RDB$RELATION_FIELDS").toInt();
    createContracts();
    EXPECT_EQ(one("select count(*) from RDB$RELATION_FIELDS").toInt(), before);
}

// A database the earlier undo level was added to lacks only the hour value's.
TEST_F(MigrationTest, ADatabaseWithTheEarlierUndoColumnsGetsTheHourValuesOne)
{
    createContracts();
    dmTecContrato.free();
    exec("alter table AATC05AC drop ACHORAVALORANTERIOR");
    createContracts();
    EXPECT_TRUE(columnExists("AATC05AC", "ACHORAVALORANTERIOR"));
}

// An upgraded database, or one whose start stopped between the creation of
// the table of types and its fill: the types its contracts carry, and the
// installation's, are there to choose from once every contract is deleted;
// a further start changes nothing.
TEST_F(MigrationTest, TheTypesOfTheStoredContractsStayChoosableWhenTheContractsGo)
{
    for (const char* desfazer : {"drop table AATC05ACTP", "delete from AATC05ACTP"}) {
        SCOPED_TRACE(desfazer);
        createContracts();
        dmTecContrato.free();
        exec(desfazer);
        exec("update or insert into AATC05AC (ACCODIGO, ACTIPODESC) values (9, 'Locação Anual') matching (ACCODIGO)");
        for (int inicio = 0; inicio < 2; ++inicio) {
            createContracts();
            dmTecContrato.free();
        }
        exec("delete from AATC05AC");
        EXPECT_EQ(TdmTecContrato::TiposContrato(),
                  (QStringList{"Locação Anual", "Locação de Equipamentos", "Manutenção Corretiva",
                               "Manutenção Mensal", "Manutenção Preventiva", "Suporte Técnico"}));
    }
}

TEST_F(MigrationTest, TheFirstBlockAddsItsColumnsInTheirOrderEndingWithItsMark)
{
    const auto bloco1 = mig::colunasBloco1();
    ASSERT_EQ(bloco1.size(), 112u);
    EXPECT_EQ(columnOf(bloco1.back()), "TVCODIGO");
    int header = 0;
    for (const mig::Coluna& coluna : bloco1)
        header += QString(coluna.tabela) == "AATC05AC";
    EXPECT_EQ(header, 89);
    EXPECT_EQ(mig::colunasBloco2().size(), 8u);
}

// Contract codes come from a generator: tables made by the migration keep
// them in INTEGER columns.
TEST_F(MigrationTest, TablesMadeAgainKeepContractCodesWide)
{
    for (const char* table : {"AATC05ACITCO", "AATC05ACIT", "AATC05ACEV"})
        dropTable(table);
    createContracts();
    for (const char* table : {"AATC05ACEV", "AATC05ACIT"})
        EXPECT_EQ(one(QString("select f.RDB$FIELD_TYPE from RDB$RELATION_FIELDS r join RDB$FIELDS f"
                              " on f.RDB$FIELD_NAME = r.RDB$FIELD_SOURCE where r.RDB$RELATION_NAME = '%1'"
                              " and r.RDB$FIELD_NAME = 'ACCODIGO'").arg(table)).toInt(), 8) << table;
}

}  // namespace
}  // namespace contractstest
