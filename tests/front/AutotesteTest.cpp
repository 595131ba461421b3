// "techassist --autoteste" as an installer's check runs it: the self-test
// passing is not enough when that start's schema upgrade reported an error.

#include "tests/front/ExecutavelNoBanco.h"

#include "host/db/Database.h"

namespace {

class Autoteste : public testfront::ExecutavelNoBanco {
protected:
    QString executar(int& codigo) { return ExecutavelNoBanco::executar({"--autoteste"}, codigo, "offscreen"); }
};

}  // namespace

// A database of an older layout, where the order items' model text is still
// narrow and someone made it unique: the upgrade cannot widen it (the engine
// refuses to change a column of a constraint), every window still passes,
// and the run ends with 5. With the constraint gone the next start widens
// the column and the same run ends with 0.
TEST_F(Autoteste, AnUpgradeErrorOfTheStartFailsAPassingSelfTest)
{
    exec("alter table AATC01AOIT drop AOITMODELO");
    tr().commitRetaining();
    exec("alter table AATC01AOIT add AOITMODELO varchar(60)");
    tr().commitRetaining();
    exec("alter table AATC01AOIT add constraint UQ_AOITMODELO unique (AOITMODELO)");
    tr().commitRetaining();

    int codigo = -1;
    QString saida = executar(codigo);
    EXPECT_EQ(codigo, 5) << saida.toStdString() << erros.toStdString();
    EXPECT_TRUE(erros.contains("Integrity Constraint")) << erros.toStdString();
    EXPECT_TRUE(saida.contains("; falhas: 0")) << saida.toStdString();
    EXPECT_TRUE(saida.contains("A atualização do banco de dados relatou erros.")) << saida.toStdString();
    EXPECT_EQ(host::db::columnLength(tr(), "AATC01AOIT", "AOITMODELO"), 60);

    exec("alter table AATC01AOIT drop constraint UQ_AOITMODELO");
    tr().commitRetaining();
    saida = executar(codigo);
    EXPECT_EQ(codigo, 0) << saida.toStdString() << erros.toStdString();
    EXPECT_FALSE(saida.contains("A atualização do banco de dados relatou erros.")) << saida.toStdString();
    EXPECT_EQ(host::db::columnLength(tr(), "AATC01AOIT", "AOITMODELO"), 80);
}

// The contract tables' upgrade runs at the start, contracts in use or not:
// its error, too, fails a passing self-test.
TEST_F(Autoteste, AnErrorOfTheContractTablesUpgradeFailsAPassingSelfTest)
{
    // The contract types' table left empty, and refusing the types it is filled with.
    global->SetParametro("ATUTILIZACONTRATOS", "N");
    if (host::db::tableExists(tr(), "AATC05ACTP")) {
        exec("drop table AATC05ACTP");
        tr().commitRetaining();
    }
    exec("create table AATC05ACTP (TPDESCRICAO varchar(60), check (TPDESCRICAO is null))");
    tr().commitRetaining();
    int codigo = -1;
    const QString saida = executar(codigo);
    EXPECT_EQ(codigo, 5) << saida.toStdString() << erros.toStdString();
    EXPECT_TRUE(saida.contains("; falhas: 0")) << saida.toStdString();
}

// A start killed while it made the contract types' table leaves it half
// made, on a database of an earlier version: the first start after makes it
// whole, its upgrade and every window (the contract register reads the
// types) end without error, and no type stored is lost.
TEST_F(Autoteste, TheStartAfterOneKilledWhileMakingTheContractTypesEndsWellTheFirstTime)
{
    const struct {
        const char* nome;
        const char* tabela;
    } casos[] = {
        {"without its column", "create table AATC05ACTP (TPCODIGO integer)"},
        {"without its key", "create table AATC05ACTP (TPDESCRICAO varchar(30) not null)"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        if (!host::db::columnExists(tr(), "AATC05AC", "ACTIPODESC")) {
            exec("alter table AATC05AC add ACTIPODESC VARCHAR(30)");
            tr().commitRetaining();
        }
        exec("update or insert into AATC05AC (ACCODIGO, ACTIPODESC) values (99, 'Locação Anual') matching (ACCODIGO)");
        if (host::db::tableExists(tr(), "AATC05ACTP")) {
            exec("drop table AATC05ACTP");
            tr().commitRetaining();
        }
        exec(c.tabela);
        tr().commitRetaining();
        comoVersaoAnterior();

        int codigo = -1;
        const QString saida = executar(codigo);
        EXPECT_EQ(codigo, 0) << saida.toStdString() << erros.toStdString();
        for (const QString tipo : {"Locação Anual", "Suporte Técnico"})
            EXPECT_EQ(committed("select count(*) from AATC05ACTP where TPDESCRICAO = :TIPO", {{"TIPO", tipo}}).toInt(), 1)
                << tipo.toStdString();
    }
}
