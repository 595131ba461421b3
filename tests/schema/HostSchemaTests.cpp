#include "SchemaMetadata.h"
#include "tests/schema/ColunasAntigas.h"

#include "host/schema/HostSchema.h"
#include "host/schema/SchemaDefinition.h"
#include "tests/support/HostDatabase.h"

#include <QSet>

#include <algorithm>
#include <iterator>

using namespace host::schema;

namespace {

// Each test starts from a copy of one database the schema was created in.
class HostSchemaTest : public testsupport::DatabaseTest {
protected:
    QString templatePath() override
    {
        return testsupport::templateDatabase("host", [](host::db::Transaction& t) { host::createHostSchema(t); });
    }
};

// What the engine must report for a column defined so.
void expectStoredAs(const TableDef& table, const ColumnDef& def, const StoredColumn& stored)
{
    SCOPED_TRACE(QString("%1.%2").arg(table.name, def.name).toStdString());
    const ColumnType& t = def.type;
    switch (t.kind) {
    case ColumnKind::VarChar:
        EXPECT_EQ(stored.fieldType, fieldtype::VarChar);
        EXPECT_EQ(stored.charLength, t.length);
        EXPECT_EQ(stored.charsetId, t.latin1 ? fieldtype::CharsetLatin1 : fieldtype::CharsetUtf8);
        break;
    case ColumnKind::SmallInt: EXPECT_EQ(stored.fieldType, fieldtype::SmallInt); break;
    case ColumnKind::Integer: EXPECT_EQ(stored.fieldType, fieldtype::Integer); break;
    case ColumnKind::Timestamp: EXPECT_EQ(stored.fieldType, fieldtype::Timestamp); break;
    case ColumnKind::Double:
        EXPECT_EQ(stored.fieldType, fieldtype::Double);
        EXPECT_TRUE(stored.source.startsWith("RDB$")) << stored.source.toStdString();
        break;
    case ColumnKind::Valor:
        EXPECT_EQ(stored.source, "DOVALOR");
        EXPECT_EQ(stored.fieldType, fieldtype::Double);
        break;
    case ColumnKind::ProductCode:
        EXPECT_EQ(stored.source, "DOCODIGOPRODUTO");
        EXPECT_EQ(stored.charLength, 11);
        break;
    case ColumnKind::Memo:
        EXPECT_EQ(stored.fieldType, fieldtype::Blob);
        EXPECT_EQ(stored.subType, 1);
        break;
    case ColumnKind::Blob:
        EXPECT_EQ(stored.fieldType, fieldtype::Blob);
        EXPECT_EQ(stored.subType, 0);
        break;
    }
    const bool inKey = std::any_of(table.key.begin(), table.key.end(),
                                   [&](const char* k) { return qstrcmp(k, def.name) == 0; });
    EXPECT_EQ(stored.notNull, inKey || def.required);
    if (def.defaultValue) {
        EXPECT_EQ(stored.defaultSource, QString("DEFAULT ") + def.defaultValue);
    } else {
        EXPECT_TRUE(stored.defaultSource.isEmpty());
    }
}

TEST_F(HostSchemaTest, NewDatabaseHoldsExactlyTheDefinedTables)
{
    QStringList expected;
    for (const TableDef* t : allTables())
        expected << t->name;
    expected.sort();
    EXPECT_EQ(expected.removeDuplicates(), 0) << "a table is defined twice";
    EXPECT_EQ(userTables(tr()), expected);
}

// The tables the four parts of the module read or write, written out here so
// that a table dropped from the definitions cannot pass unnoticed. The
// company, parameter, photo and currency tables are the host's own names.
TEST_F(HostSchemaTest, NewDatabaseHoldsEveryTableTheModuleTouches)
{
    const char* const tables[] = {
        "AATC01AA", "AATC01AAAD", "AATC01AAIT", "AATC01AO", "AATC01AOAD", "AATC01AOIT", "AATC01AP",
        "AATC01AQ", "AATC01AR", "AATC01AS", "AATC01AV", "AATC01AX", "AATC02AD", "AATC03AE", "AATC03AECL",
        "AATC04AH", "AATC05AC", "AATC05ACCL", "AATC05ACDT", "AATC05ACEV", "AATC05ACIT", "AATC05ACITCO",
        "AATC05ACVI", "AATC06AT", "AATC06ATDC", "AATC06ATIT", "AATC07AI", "AATC07AIENT", "AATC08AF",
        "AATC11AJ", "ACBC16HC", "ACEC1101", "ACEC11DA", "ACEC11PD", "ACEC11PO", "ACEC11PRFO", "ACEC11PX",
        "ACEC1201", "ACEC1301", "ACEC1401", "ACEM1401", "ACEM14IT", "ACEM14REF", "ACOC80IT", "ACOC81PM",
        "ACPC6001", "ACRC5001", "ACVC01TA", "ACXC9001", "ACXC94XP", "ACXM9201", "AFVC0901", "AFVC09OU",
        "AFVT0101", "AGPC03CM", "AGPC7601", "ALFC2601", "ARQLOG", "AUGC0301", "AUGC03CO", "AUGC0501",
        "AUGC05LB", "AUGC0901", "AUGC20EV", "AUGC20EVGR", "AUGC20EVIT", "AUGC20EVIV", "AUGC20IV",
        "AUGC23EN", "AUGC24ER", "AUGC3701", "AUGC50NS", "AUGC70OB", "AVEC8501", "AVEC85IT", "AVEC85LX",
        "AVEC85VEME", "AVEC85VO", "CADCOM", "EA", "RAMO",
        "EMPRESA", "PARAMETROS", "FOTO", "AUGC10MO",
    };
    const QStringList present = userTables(tr());
    for (const char* table : tables)
        EXPECT_TRUE(present.contains(table)) << table;
}

TEST_F(HostSchemaTest, EveryTableHasItsDefinedColumnsTypesAndKey)
{
    for (const TableDef* table : allTables()) {
        const auto stored = storedColumns(tr(), table->name);
        QStringList defined;
        for (const ColumnDef& c : table->columns) {
            defined << c.name;
            ASSERT_TRUE(stored.contains(c.name)) << table->name << "." << c.name;
            expectStoredAs(*table, c, stored.value(c.name));
        }
        defined.sort();
        EXPECT_EQ(defined.removeDuplicates(), 0) << table->name << " defines a column twice";
        EXPECT_EQ(QStringList(stored.keys()), defined) << table->name;
        QStringList key;
        for (const char* k : table->key)
            key << k;
        EXPECT_EQ(primaryKey(tr(), table->name), key) << table->name;
    }
}

// Literal names and widths as the module's datasets read them, so that a slip
// in the definitions does not pass merely because the test reads them too.
TEST_F(HostSchemaTest, SpotChecksAgainstTheModulesFieldTypes)
{
    struct Expect { const char *table, *column; int fieldType; int length; const char* domain; };
    const Expect checks[] = {
        {"AATC01AO", "AOCODIGO", fieldtype::Integer, 0, nullptr},
        {"AATC01AO", "AOOBSERVACAO", fieldtype::Blob, 0, nullptr},
        {"AATC01AOIT", "AOITSERIE", fieldtype::VarChar, 30, nullptr},
        {"AATC01AP", "APVALTOTAL", fieldtype::Double, 0, "DOVALOR"},
        {"AATC04AH", "AHCODIGO", fieldtype::SmallInt, 0, nullptr},
        {"AATC05ACEV", "ACEVDATAINICIO", fieldtype::Timestamp, 0, nullptr},
        {"AATC05ACIT", "ACITOBSERVACAO", fieldtype::VarChar, 255, nullptr},
        {"AATC06AT", "ATNOME", fieldtype::VarChar, 50, nullptr},
        {"AATC07AI", "AIQUANTIDADEENTREGUE", fieldtype::Double, 0, "DOVALOR"},
        {"AATC11AJ", "AJCOMPLHC", fieldtype::VarChar, 300, nullptr},
        {"AUGC0301", "CODIGO_CLIENTE", fieldtype::VarChar, 5, nullptr},
        {"AUGC50NS", "NSNUMERO", fieldtype::VarChar, 50, nullptr},
        {"ACEC1101", "PRDESCRICAOCOMERCIAL", fieldtype::VarChar, 100, nullptr},
        {"ACRC5001", "CRPEDIDOCLI", fieldtype::VarChar, 50, nullptr},
        {"ARQLOG", "USUARIO", fieldtype::VarChar, 30, nullptr},
        {"AVEC8501", "VEOBSPROPOSTA", fieldtype::VarChar, 200, nullptr},
        {"AVEC85LX", "VEITNUMEROSERIE", fieldtype::VarChar, 30, nullptr},
        {"CADCOM", "OBSERVACAO", fieldtype::VarChar, 800, nullptr},
        {"EMPRESA", "UGESPECIFICOEMPRESA", fieldtype::Integer, 0, nullptr},
        {"PARAMETROS", "VALOR", fieldtype::VarChar, 255, nullptr},
    };
    for (const Expect& e : checks) {
        SCOPED_TRACE(QString("%1.%2").arg(e.table, e.column).toStdString());
        const auto columns = storedColumns(tr(), e.table);
        ASSERT_TRUE(columns.contains(e.column));
        const StoredColumn c = columns.value(e.column);
        EXPECT_EQ(c.fieldType, e.fieldType);
        if (e.length) {
            EXPECT_EQ(c.charLength, e.length);
        }
        if (e.domain) {
            EXPECT_EQ(c.source, e.domain);
        }
    }
}

// The module's own upgrades add these, and some of them are the very marks it
// tests to know whether it has run; creating them here would skip its work.
TEST_F(HostSchemaTest, LeavesToTheModuleWhatItsUpgradesCreate)
{
    const std::pair<const char*, const char*> upgradeColumns[] = {
        {"AATC01AO", "ANCODIGO"},      {"AATC01AP", "APGARANTIA"},        {"AATC05AC", "TVCODIGO"},
        {"AATC01AOIT", "AOITESPECIE"}, {"AATC05ACIT", "ACITSEQUENCIA"},   {"AATC11AJ", "AJTIPOPAGAMENTO"},
        {"AATC05ACEV", "ACEVADITIVO"}, {"AUGC03CO", "COMODELO"},          {"AATC01AS", "ASRESERVA"},
    };
    for (const auto& [table, column] : upgradeColumns) {
        EXPECT_TRUE(host::db::tableExists(tr(), table)) << table;
        EXPECT_FALSE(host::db::columnExists(tr(), table, column)) << table << "." << column;
    }
    for (const char* table : {"AATC10AB", "AATC05CO", "AATC05FG", "AATC05ACCM"})
        EXPECT_FALSE(host::db::tableExists(tr(), table)) << table;
    // The forms the upgrade converts: the model text is widened to 80, the
    // parts quantity moved into the value domain.
    EXPECT_EQ(host::db::columnLength(tr(), "AATC01AOIT", "AOITMODELO"), 30);
    EXPECT_TRUE(storedColumns(tr(), "AATC01AP").value("APQUANTIDADE").source.startsWith("RDB$"));
}

TEST_F(HostSchemaTest, DomainsAndGeneratorsExist)
{
    const auto valor = one("select rdb$field_type from rdb$fields where rdb$field_name = 'DOVALOR'");
    EXPECT_EQ(valor.toInt(), fieldtype::Double);
    const auto code = one("select rdb$character_length from rdb$fields where rdb$field_name = 'DOCODIGOPRODUTO'");
    EXPECT_EQ(code.toInt(), 11);
    // The module draws keys with the name in lower case, as the engine resolves it.
    EXPECT_EQ(one("select gen_id(gen_aoitcodigo, 1) from rdb$database").toLongLong(), 1);
    EXPECT_EQ(one("select gen_id(GEN_ACITCODIGO, 1) from rdb$database").toLongLong(), 1);
}

TEST_F(HostSchemaTest, CreatedDefaultsApplyToNewRows)
{
    exec("insert into AATC11AJ (AJCODIGO) values (1)");
    EXPECT_EQ(one("select AJMODALIDADE || AJPERIODO || AJTIPO || AJNATUREZA || AJGERAFATURA from AATC11AJ"),
              "A1MCS");
}

TEST_F(HostSchemaTest, RunningAgainChangesNothing)
{
    const QString before = schemaSnapshot(tr());
    host::createHostSchema(tr());
    EXPECT_EQ(schemaSnapshot(tr()), before);
}

TEST_F(HostSchemaTest, RestoresWhatIsMissingAndStartsGeneratorsAboveStoredKeys)
{
    exec("alter table AUGC0301 drop CLIE");
    exec("drop table AUGC0901");
    exec("drop generator GEN_AOITCODIGO");
    tr().commitRetaining();
    exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO) values (41, 1)");
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'Cliente')");

    host::createHostSchema(tr());

    EXPECT_TRUE(host::db::columnExists(tr(), "AUGC0301", "CLIE"));
    EXPECT_EQ(host::db::columnLength(tr(), "AUGC0301", "CLIE"), 20);
    EXPECT_TRUE(host::db::tableExists(tr(), "AUGC0901"));
    EXPECT_EQ(one("select NOME from AUGC0301"), "Cliente");
    EXPECT_EQ(one("select gen_id(gen_aoitcodigo, 1) from rdb$database").toLongLong(), 42);
    // The generator that existed is left where it was.
    EXPECT_EQ(one("select gen_id(GEN_ACITCODIGO, 1) from rdb$database").toLongLong(), 1);
}

// A database whose generators were left behind their keys (rows copied in,
// a generator reset): every start raises each one to the largest key of its
// column, and never lowers one that stands higher.
TEST_F(HostSchemaTest, EveryStartRaisesEachGeneratorToTheLargestKeyOfItsColumn)
{
    exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO) values (431, 43)");
    exec("insert into AATC05AC (ACCODIGO) values (12)");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO) values (7, 12, '00001', 'P1')");
    exec("insert into ACXC94XP (XPCHAVE) values (90)");
    exec("set generator GEN_XPCHAVE to 95");
    tr().commitRetaining();

    host::createHostSchema(tr());

    EXPECT_EQ(one("select gen_id(gen_aoitcodigo, 1) from rdb$database").toLongLong(), 432);
    EXPECT_EQ(one("select gen_id(GEN_ACCODIGO, 1) from rdb$database").toLongLong(), 13);
    EXPECT_EQ(one("select gen_id(GEN_ACITCODIGO, 1) from rdb$database").toLongLong(), 8);
    EXPECT_EQ(one("select gen_id(GEN_XPCHAVE, 1) from rdb$database").toLongLong(), 96) << "a higher one is kept";

    // Run again it moves none of them.
    host::createHostSchema(tr());
    EXPECT_EQ(one("select gen_id(gen_aoitcodigo, 0) from rdb$database").toLongLong(), 432);
    EXPECT_EQ(one("select gen_id(GEN_XPCHAVE, 0) from rdb$database").toLongLong(), 96);
}

// A database made when stock locations were two wide, and a receivable's
// number six wide in its cash forecast and as its original number, keeps
// its rows and takes three-digit locations and seven-digit receipts once
// the schema is completed, once.
TEST_F(HostSchemaTest, WidensNarrowLocationAndDocumentColumnsKeepingTheirRows)
{
    struct Coluna {
        const char *tabela, *coluna;
        int nova;
        const char *valor, *maior, *chave;   // chave: the row's required columns, "COD, ... = 1, ..."
    };
    const Coluna colunas[] = {{"ACEM1401", "LOCAL_DOC", 3, "01", "001", nullptr},
                              {"ACEM14IT", "MELOCAL", 3, "01", "001", nullptr},
                              {"NUMERACAO", "LOCAL", 3, "01", "001", "DOCUMENTO, SERIE, ULTIMO = 'PEDIDO', '1', 7"},
                              {"ACEM14REF", "REFOLOCAL_DOC", 3, "01", "001", nullptr},
                              {"AVEC85IT", "VEITCRELOCAL", 3, "01", "001", "COD, CODIGO, NUMERO_PEDIDO = 1, 'P1', '000001'"},
                              {"AVEC85IT", "VEITGARANTIALOCAL", 3, "01", "001", "COD, CODIGO, NUMERO_PEDIDO = 2, 'P1', '000001'"},
                              {"ACXC94XP", "XPDOCUMENTO", 10, "999999", "1000000", nullptr},
                              {"ACRC5001", "CRDOCUMENTOORIGINAL", 10, "999999", "1000000", nullptr}};
    ASSERT_EQ(std::size(colunas), std::size(kColunasAntigas)) << "every column an old database has narrower";
    auto onde = [](const Coluna& c) {
        return c.chave ? QString(" where %1 = %2").arg(QString(c.chave).section(" = ", 0, 0).section(',', 0, 0),
                                                       QString(c.chave).section(" = ", 1).section(',', 0, 0))
                       : QString();
    };
    estreitarComoBancoAntigo(tr());
    for (const Coluna& c : colunas) {
        const auto antiga = std::find_if(std::begin(kColunasAntigas), std::end(kColunasAntigas), [&](const ColunaAntiga& a) {
            return QString(a.tabela) == c.tabela && QString(a.coluna) == c.coluna;
        });
        ASSERT_NE(antiga, std::end(kColunasAntigas)) << c.coluna;
        ASSERT_EQ(host::db::columnLength(tr(), c.tabela, c.coluna), antiga->largura) << c.coluna;
        const QString chave = c.chave ? QString(c.chave).section(" = ", 0, 0) + ", " : QString();
        const QString valorChave = c.chave ? QString(c.chave).section(" = ", 1) + ", " : QString();
        exec(QString("insert into %1 (%2%3) values (%4'%5')").arg(c.tabela, chave, c.coluna, valorChave, c.valor));
    }
    tr().commitRetaining();

    host::createHostSchema(tr());

    for (const Coluna& c : colunas) {
        EXPECT_EQ(host::db::columnLength(tr(), c.tabela, c.coluna), c.nova) << c.coluna;
        EXPECT_EQ(one(QString("select %2 from %1%3").arg(c.tabela, c.coluna, onde(c))), c.valor) << c.coluna;
        exec(QString("update %1 set %2 = '%3'%4").arg(c.tabela, c.coluna, c.maior, onde(c)));
    }
    EXPECT_EQ(primaryKey(tr(), "NUMERACAO"), QStringList({"DOCUMENTO", "SERIE", "LOCAL"})) << "the counters' key kept";
    const QString after = schemaSnapshot(tr());
    host::createHostSchema(tr());
    EXPECT_EQ(schemaSnapshot(tr()), after);
}

// A database made before the orders of a situation had an index of their
// own: completing the schema adds it, once, and listing a situation's orders
// reads through it instead of every order.
TEST_F(HostSchemaTest, AddsTheSituationIndexToAnOlderDatabaseAndTheSituationListUsesIt)
{
    exec("drop index IX_AATC01AO_ASCODIGO");
    tr().commitRetaining();
    for (int o = 1; o <= 30; ++o)
        exec(QString("insert into AATC01AO (AOCODIGO, ASCODIGO) values (%1, %2)").arg(o).arg(o % 3 + 1));
    const char* const daSituacao = "select AOCODIGO from AATC01AO where ASCODIGO = 2 order by AOCODIGO";
    ASSERT_FALSE(testsupport::planoDe(tr(), daSituacao).contains("IX_AATC01AO_ASCODIGO"));

    host::createHostSchema(tr());

    EXPECT_EQ(one("select count(*) from RDB$INDEX_SEGMENTS s join RDB$INDICES i on i.RDB$INDEX_NAME ="
                  " s.RDB$INDEX_NAME where i.RDB$RELATION_NAME = 'AATC01AO' and s.RDB$FIELD_NAME = 'ASCODIGO'")
                  .toInt(),
              1);
    EXPECT_TRUE(testsupport::planoDe(tr(), daSituacao).contains("IX_AATC01AO_ASCODIGO")) << testsupport::planoDe(tr(), daSituacao).toStdString();
    QStringList lidas;
    {
        host::db::Statement st(tr(), daSituacao);
        st.execute();
        while (st.fetch())
            lidas << st.value(0).toString();
    }
    EXPECT_EQ(lidas, QStringList({"1", "4", "7", "10", "13", "16", "19", "22", "25", "28"}));
    const QString depois = schemaSnapshot(tr());
    host::createHostSchema(tr());
    EXPECT_EQ(schemaSnapshot(tr()), depois);
}

// A database made before the orders had an index by customer: completing
// the schema adds it, and the orders of a customer picked by name are read
// from the named customers through it, not by reading every order.
TEST_F(HostSchemaTest, AddsTheCustomerIndexOfOrdersAndTheSearchByNameGoesThroughIt)
{
    exec("drop index IX_AATC01AO_CLCODIGO");
    tr().commitRetaining();
    for (int c = 1; c <= 20; ++c)
        exec(QString("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C%1', 'Cliente %1')").arg(c, 4, 10, QChar('0')));
    for (int o = 1; o <= 200; ++o)
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO) values (%1, 'C%2')").arg(o).arg(o % 20 + 1, 4, 10, QChar('0')));
    tr().commitRetaining();
    const char* const doNome = "select o.AOCODIGO from AATC01AO o"
                               " inner join AUGC0301 cli on o.CLCODIGO = cli.CODIGO_CLIENTE"
                               " left outer join AATC01AOIT it on it.AOCODIGO = o.AOCODIGO"
                               " where (o.AOCODIGO + 0 >= 0) and cli.NOME containing 'cliente 0007'"
                               " order by o.AOCODIGO desc";
    ASSERT_FALSE(testsupport::planoDe(tr(), doNome).contains("IX_AATC01AO_CLCODIGO"));

    host::createHostSchema(tr());

    const QString plano = testsupport::planoDe(tr(), doNome);
    EXPECT_TRUE(plano.contains("CLI NATURAL") && plano.contains("O INDEX (IX_AATC01AO_CLCODIGO)")) << plano.toStdString();
    QStringList lidas;
    {
        host::db::Statement st(tr(), doNome);
        st.execute();
        while (st.fetch())
            lidas << st.value(0).toString();
    }
    EXPECT_EQ(lidas.size(), 10);
    EXPECT_EQ(lidas.value(0), "186");
    const QString depois = schemaSnapshot(tr());
    host::createHostSchema(tr());
    EXPECT_EQ(schemaSnapshot(tr()), depois);
}

}  // namespace
