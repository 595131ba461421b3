#include "SchemaMetadata.h"

#include "host/schema/HostParameters.h"
#include "host/schema/HostSchema.h"
#include "host/schema/SchemaDefinition.h"
#include "tests/support/HostDatabase.h"

#include <QLocale>
#include <QSet>

namespace {

// Each test starts from a copy of one database with the schema and the
// demonstration data loaded for the user "fulano".
class DemoDataTest : public testsupport::DatabaseTest {
protected:
    QString templatePath() override
    {
        return testsupport::templateDatabase("host-demo-fulano", [](host::db::Transaction& t) {
            host::createHostSchema(t);
            host::loadDemoData(t, "fulano");
        });
    }

    QMap<QString, int> rowCounts()
    {
        QMap<QString, int> counts;
        for (const QString& table : userTables(tr()))
            counts.insert(table, one("select count(*) from " + table).toInt());
        return counts;
    }

    QStringList column(const QString& sql)
    {
        host::db::Statement st(tr(), sql);
        st.execute();
        QStringList values;
        while (st.fetch())
            values << st.value(0).toString();
        return values;
    }

    QString parameter(const char* name)
    {
        return one("select VALOR from PARAMETROS where NOME = :N", {{"N", name}}).toString();
    }
};

TEST_F(DemoDataTest, LoadingAgainAddsNothing)
{
    const auto before = rowCounts();
    for (const char* table : {"EMPRESA", "PARAMETROS", "AUGC0301", "ACEC1101", "AATC06AT", "AATC01AS", "AATC03AE",
                              "AATC04AH", "ACEC1401", "ACEC11PO"})
        EXPECT_GT(before.value(table), 0) << table;
    host::loadDemoData(tr(), "fulano");
    EXPECT_EQ(rowCounts(), before);
}

TEST_F(DemoDataTest, KeepsWhatTheUserChanged)
{
    exec("update ACEC1101 set PCO_VENDA = 99.5 where CODIGO = 'P0001'");
    exec("delete from AATC01AS where ASCODIGO = 2");
    host::loadDemoData(tr(), "fulano");
    EXPECT_DOUBLE_EQ(one("select PCO_VENDA from ACEC1101 where CODIGO = 'P0001'").toDouble(), 99.5);
    // A deleted row comes back: the demonstration set is complete again.
    EXPECT_EQ(one("select count(*) from AATC01AS where ASCODIGO = 2").toInt(), 1);
}

TEST_F(DemoDataTest, SituationsCoverEveryTypeOnceWhereTheRegisterRequiresIt)
{
    QStringList types = column("select distinct ASTIPO from AATC01AS where ASID = 'A'");
    types.sort();
    EXPECT_EQ(types, QStringList({"C", "D", "F", "I", "M", "N", "R", "S"}));
    // The register refuses a second situation of type I, M or R.
    for (const char* unique : {"I", "M", "R"})
        EXPECT_EQ(one("select count(*) from AATC01AS where ASTIPO = :T", {{"T", unique}}).toInt(), 1) << unique;
    // A new order takes the first initial situation in table order.
    EXPECT_EQ(one("select first 1 ASTIPO from AATC01AS order by ASCODIGO"), "I");
}

TEST_F(DemoDataTest, TechnicianOfTheUserIsAddedOnceAndOnlyForANamedUser)
{
    const int technicians = one("select count(*) from AATC06AT").toInt();
    EXPECT_EQ(one("select count(*) from AATC06AT where ATNOME = 'FULANO' and ATATIVO = 'S'").toInt(), 1);
    host::loadDemoData(tr(), "  ");
    EXPECT_EQ(one("select count(*) from AATC06AT").toInt(), technicians);
    host::loadDemoData(tr(), "Beltrano");
    EXPECT_EQ(one("select count(*) from AATC06AT").toInt(), technicians + 1);
    EXPECT_EQ(one("select ATCODIGO from AATC06AT where ATNOME = 'BELTRANO'").toInt(),
              one("select max(ATCODIGO) from AATC06AT").toInt());
    EXPECT_EQ(one("select ATUSUARIO from AATC06AT where ATNOME = 'BELTRANO'"), "BELTRANO");
}

TEST_F(DemoDataTest, ParametersAreCompleteAndPointAtDemonstrationRows)
{
    const auto& defaults = host::schema::parameterDefaults();
    EXPECT_EQ(one("select count(*) from PARAMETROS").toInt(), int(defaults.size()));
    QSet<QString> names;
    for (const auto& p : defaults) {
        EXPECT_TRUE(QString(p.name).startsWith("AT")) << p.name;
        names.insert(p.name);
    }
    EXPECT_EQ(names.size(), int(defaults.size())) << "a parameter is listed twice";
    for (const char* name : {"ATOPCAOCONTRATO", "ATUTILIZACONTRATOS", "ATMODOOS", "ATCONTROLEOS", "ATRESTRICAOOS"})
        EXPECT_TRUE(names.contains(name)) << name;

    EXPECT_EQ(one("select COM_FAB_S_FS from ACEC1101 where CODIGO = :C", {{"C", parameter("ATSERVICOPADRAO")}}), "7");
    EXPECT_EQ(one("select count(*) from EA where CODIGO = :C", {{"C", parameter("ATLOCALPADRAO")}}).toInt(), 1);
    EXPECT_EQ(one("select count(*) from ACEC1401 where CODIGO = :C", {{"C", parameter("ATLOCALESTOQUEPADRAO")}}).toInt(), 1);
    bool ok = false;
    QLocale::c().toDouble(parameter("ATVALORKM"), &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(parameter("ATEQUIPAMENTOPADRAO"), "0");
}

TEST_F(DemoDataTest, RegistersReferToEachOther)
{
    EXPECT_EQ(one("select count(*) from ACEC1101 p where not exists "
                  "(select 1 from ACEC1201 g where g.CODIGO = p.GRUPO)").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AUGC0301 c where not exists "
                  "(select 1 from AFVT0101 t where t.CODIGO = c.TABELA_VENCIMENTO)").toInt(), 0);
    // One stock location per status key of the assistance orders and one for returned rental equipment.
    QStringList keys = column("select LESTATUSPEDIDO from ACEC1401 where LESTATUSPEDIDO is not null");
    keys.sort();
    EXPECT_EQ(keys, QStringList({"0", "1", "2", "3", "4", "5", "6", "7"}));
    // The company is also a customer, found by its tax number.
    EXPECT_EQ(one("select count(*) from AUGC0301 c join EMPRESA e on e.CICCGC = c.CGC_CNPJ").toInt(), 1);
    // Stock positions agree with the products' stock.
    EXPECT_EQ(one("select count(*) from ACEC1101 p join ACEC11PO s on s.PRCODIGO = p.CODIGO "
                  "where s.POENTRADA - s.POSAIDA <> p.ESTOQUE").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ALFC2601 where CODIGO in ('996', '997', '998', '999')").toInt(), 4);
}

TEST_F(DemoDataTest, PortugueseTextRoundTripsInBothCharacterSets)
{
    EXPECT_EQ(one("select NOME from EMPRESA").toString(), QString::fromUtf8("Assistência Técnica Exemplo Ltda."));
    EXPECT_EQ(one("select AEDESCRICAO from AATC03AE where AECODIGO = 4").toString(),
              QString::fromUtf8("Máquina de café expresso"));
    const QString accents = QString::fromUtf8("ÁÉÍÓÚ âêô ãõ ç à ü Ç");
    exec("update AATC03AE set AEMARCA = :T where AECODIGO = 1", {{"T", accents}});  // ISO8859_1 column
    exec("update AUGC0301 set OBSERVACAO = :T where CODIGO_CLIENTE = '00002'", {{"T", accents}});
    tr().commitRetaining();
    EXPECT_EQ(one("select AEMARCA from AATC03AE where AECODIGO = 1").toString(), accents);
    EXPECT_EQ(one("select OBSERVACAO from AUGC0301 where CODIGO_CLIENTE = '00002'").toString(), accents);
}

TEST_F(DemoDataTest, SearchedTextsAcceptThePortugueseCollation)
{
    // The model and defect searches upper-case with COLLATE PT_PT.
    EXPECT_EQ(one("select count(*) from AATC03AE where upper(AEDESCRICAO collate PT_PT) like :P",
                  {{"P", QString::fromUtf8("MÁQUINA%")}}).toInt(), 1);
    EXPECT_EQ(one("select count(*) from AATC02AD where upper(ADDESCRICAO collate PT_PT) like :P",
                  {{"P", QString::fromUtf8("%LUBRIFICAÇÃO%")}}).toInt(), 1);
    EXPECT_EQ(one("select count(*) from AATC03AE where upper(AEMARCA collate PT_PT) like 'HP%' "
                  "and upper(AEMODELO collate PT_PT) like '%P1102%'").toInt(), 1);
}

}  // namespace
