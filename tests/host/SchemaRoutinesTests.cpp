// The schema routines: existence and size checks, added and widened
// columns, the script object, and DDL taking effect before the next statement.

#include "host/Uatualizacao.h"
#include "host/Udatamod.h"
#include "tests/support/HostDatabase.h"
#include "tests/support/TestDatabase.h"

using testsupport::HostDatabaseTest;

class SchemaRoutinesTest : public HostDatabaseTest {};

TEST_F(SchemaRoutinesTest, ExistenceOfTablesAndColumnsInAnyCase)
{
    EXPECT_TRUE(dmGlobal->VerificaExistenciaTabelaCampo("CadCom", ""));
    EXPECT_TRUE(dmGlobal->VerificaExistenciaTabelaCampo("aatc01ao", "aocodigo"));
    EXPECT_FALSE(dmGlobal->VerificaExistenciaTabelaCampo("AATC01AO", "NAOEXISTE"));
    EXPECT_FALSE(dmGlobal->VerificaExistenciaTabelaCampo("NAOEXISTE", ""));
    EXPECT_FALSE(dmGlobal->VerificaExistenciaTabelaCampo("NAOEXISTE", "AOCODIGO"));
}

TEST_F(SchemaRoutinesTest, AddedColumnIsUsableAtOnceAndNotAddedTwice)
{
    EXPECT_TRUE(fmAtualizacao->CriarCampoTabela("AATC01AO", "AOTESTE VARCHAR(10) ", ""));
    UpdateCampo("AATC01AO", "AOTESTE", "'x'", "");   // the next statement sees the column
    EXPECT_FALSE(fmAtualizacao->CriarCampoTabela("AATC01AO", "aoteste VARCHAR(10)", ""));
    EXPECT_TRUE(fmAtualizacao->CriarCampoTabela("AATC01AO", "AOTIPOTESTE VARCHAR(1)", "'2'"));
    exec("insert into AATC01AO (AOCODIGO) values (777)");
    EXPECT_EQ(CarregaDado("AOTIPOTESTE", "AATC01AO", "where AOCODIGO = 777"), "2");
}

TEST_F(SchemaRoutinesTest, SizeIsCheckedAndWidened)
{
    fmAtualizacao->CriarCampoTabela("AATC01AO", "AOMODELOTESTE VARCHAR(30)");
    EXPECT_FALSE(fmAtualizacao->VerificaTamanhoCampo("AATC01AO", "AOMODELOTESTE", "80"));
    EXPECT_TRUE(fmAtualizacao->VerificaTamanhoCampo("AATC01AO", "AOMODELOTESTE", "30"));
    fmAtualizacao->AlterarTamanhoCampo("AATC01AO", "AOMODELOTESTE", "80");
    EXPECT_TRUE(fmAtualizacao->VerificaTamanhoCampo("AATC01AO", "AOMODELOTESTE", "80"));
    exec("insert into AATC01AO (AOCODIGO, AOMODELOTESTE) values (778, '" + QString(80, 'm') + "')");
    EXPECT_FALSE(fmAtualizacao->VerificaTamanhoCampo("AATC01AO", "SEMCOLUNA", "80"));
    // The module writes names in any letter case.
    EXPECT_TRUE(fmAtualizacao->VerificaTamanhoCampo("aatc01ao", "AoModeloTeste", " 80 "));
    fmAtualizacao->AlterarTamanhoCampo("Aatc01ao", "aomodeloteste", "100");
    EXPECT_EQ(host::db::columnLength(tr(), "AATC01AO", "AOMODELOTESTE"), 100);
    EXPECT_FALSE(fmAtualizacao->CriarCampoTabela("aatc01ao", "AoModeloTeste VARCHAR(5)"));
    EXPECT_NO_THROW(fmAtualizacao->AlterarTamanhoCampo("AATC01AO", "SEMCOLUNA", "80"));
}

TEST_F(SchemaRoutinesTest, ShortTextColumnsAreWidenedKeepingTheirCharacterSetAndTexts)
{
    fmAtualizacao->CriarCampoTabela("AATC01AO", "AOCURTO VARCHAR(5) CHARACTER SET ISO8859_1");
    fmAtualizacao->CriarCampoTabela("AATC01AO", "AOLARGO VARCHAR(30)");
    fmAtualizacao->CriarCampoTabela("AATC01AO", "AOINTEIRO INTEGER");
    exec("insert into AATC01AO (AOCODIGO, AOCURTO, AOLARGO) values (779, 'Ção', 'x')");
    const QString antes = CarregaDado("AOCURTO", "AATC01AO", "where AOCODIGO = 779");
    fmAtualizacao->AlargarTexto({"AATC01AO.AOCURTO", "AATC01AO.AOLARGO", "AATC01AO.AOINTEIRO", "AATC01AO.SEMCOLUNA",
                                 "SEMTABELA.AOCURTO"},
                                20);
    EXPECT_EQ(host::db::columnLength(tr(), "AATC01AO", "AOCURTO"), 20);
    EXPECT_EQ(host::db::columnLength(tr(), "AATC01AO", "AOLARGO"), 30) << "never narrowed";
    EXPECT_EQ(host::db::selectValue(tr(), "select c.RDB$CHARACTER_SET_NAME from RDB$RELATION_FIELDS r"
                                          " join RDB$FIELDS f on f.RDB$FIELD_NAME = r.RDB$FIELD_SOURCE"
                                          " join RDB$CHARACTER_SETS c on c.RDB$CHARACTER_SET_ID = f.RDB$CHARACTER_SET_ID"
                                          " where r.RDB$RELATION_NAME = 'AATC01AO' and r.RDB$FIELD_NAME = 'AOCURTO'")
                  .toString()
                  .trimmed(),
              "ISO8859_1");
    EXPECT_EQ(CarregaDado("AOCURTO", "AATC01AO", "where AOCODIGO = 779"), antes);
    exec("update AATC01AO set AOCURTO = '" + QString(20, '9') + "' where AOCODIGO = 779");

    // Nothing left to widen: one read of the types.
    testsupport::StatementCounter custo;
    fmAtualizacao->AlargarTexto({"AATC01AO.AOCURTO", "AATC01AO.AOLARGO"}, 20);
    EXPECT_EQ(custo.count(), 1);
    EXPECT_NO_THROW(fmAtualizacao->AlargarTexto({}, 20));
}

// A code widened under its table's key, stopped part-way (here a foreign
// key holds the column too), leaves the key as it was.
TEST_F(SchemaRoutinesTest, ACodeWideningStoppedPartWayKeepsTheTablesKey)
{
    exec("create table AATCTESTEPAI (A smallint not null primary key)");
    exec("create table AATCTESTE (A smallint not null, B varchar(5) not null,"
         " constraint PK_AATCTESTE primary key (A, B), constraint FK_AATCTESTE foreign key (A)"
         " references AATCTESTEPAI (A))");
    tr().commitRetaining();
    EXPECT_ANY_THROW(fmAtualizacao->AlargarParaInteiro({"AATCTESTE.A"}));
    EXPECT_EQ(committed("select count(*) from rdb$relation_constraints where rdb$constraint_name = 'PK_AATCTESTE'")
                  .toInt(),
              1);
}

TEST_F(SchemaRoutinesTest, ScriptRunsStatementsInOrderEachDdlVisibleToTheNext)
{
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, APQUANTIDADE) values (1, 1, 2.5)");
    dmGlobal->IBScript1->Script =
        "Alter table aatc01ap add apAux doValor;\n"
        "Update aatc01ap Set apAux = APQUANTIDADE;\n"
        "Alter table aatc01ap drop APQUANTIDADE;\n"
        "Alter table aatc01ap add APQUANTIDADE doValor;\n"
        "Update aatc01ap Set  APQUANTIDADE = apAux;\n"
        "Alter table aatc01ap drop apAux;\n"
        "Alter table aatc01ap add APGARANTIA VarChar(1)";
    dmGlobal->IBScript1->ExecuteScript();
    EXPECT_DOUBLE_EQ(CarregaNumero("APQUANTIDADE", "AATC01AP", "where AOCODIGO = 1"), 2.5);
    EXPECT_TRUE(dmGlobal->VerificaExistenciaTabelaCampo("AATC01AP", "APGARANTIA"));
    EXPECT_FALSE(dmGlobal->VerificaExistenciaTabelaCampo("AATC01AP", "APAUX"));
}

TEST_F(SchemaRoutinesTest, ScriptCommitsDdlWhateverSpaceFollowsItsFirstWord)
{
    dmGlobal->IBScript1->Script = "Create\n table AATCTESTE (A integer);\n"
                                  "insert into AATCTESTE values (1);\n"
                                  "ALTER\tTABLE AATCTESTE add B integer;\n"
                                  "update AATCTESTE set B = A + 1";
    dmGlobal->IBScript1->ExecuteScript();
    EXPECT_EQ(CarregaNumeroInteiro("B", "AATCTESTE", ""), 2);
}

TEST_F(SchemaRoutinesTest, ScriptSplitsAtSemicolonsOutsideTextAndComments)
{
    EXPECT_EQ(TIBScript::splitStatements("a;b ; ;\n c"), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(TIBScript::splitStatements("insert into t values ('x;y'); select \"a;b\" from d"),
              (QStringList{"insert into t values ('x;y')", "select \"a;b\" from d"}));
    EXPECT_EQ(TIBScript::splitStatements("-- c;omment\nselect 1 /* ; */ from x;"),
              (QStringList{"select 1  from x"}));
    EXPECT_TRUE(TIBScript::splitStatements("  ;  ").isEmpty());
}

TEST_F(SchemaRoutinesTest, HostUpgradeCreatesMissingTablesAndColumns)
{
    exec("drop table AATC08AF");
    exec("alter table AFVT0101 drop DESCONTO");
    tr().commitRetaining();
    CriarTabelaATCusto();
    EXPECT_TRUE(dmGlobal->VerificaExistenciaTabelaCampo("AATC08AF", ""));
    fmAtualizacao->Atualizacao22012004(false);
    EXPECT_TRUE(dmGlobal->VerificaExistenciaTabelaCampo("AFVT0101", "DESCONTO"));
    EXPECT_TRUE(dmGlobal->VerificaExistenciaTabelaCampo("AUGC50NS", "NSDOCUMENTO"));
    exec("drop table AATC07AIENT");
    tr().commitRetaining();
    fmAtualizacao->CriarTabelaSolicitacaoPecas();
    EXPECT_TRUE(dmGlobal->VerificaExistenciaTabelaCampo("AATC07AIENT", ""));
}
