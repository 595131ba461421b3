// Record buttons, the parameter and company records, users and passwords.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "tests/support/HostDatabase.h"

#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"

#include <cstdio>

using testsupport::HostDatabaseTest;

class RecordsTest : public HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        exec("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES, DESCONTO) values ('01', 'A vista', 1, 5)");
        tr().commitRetaining();
        query = std::make_unique<host::data::Query>(nullptr, "quTab");
        update = std::make_unique<host::data::UpdateSql>(nullptr, "usTab");
        query->setTransaction(&tr());
        query->setSql("select CODIGO, DESCRICAO, QUANTAS_VEZES, DESCONTO from AFVT0101 order by CODIGO");
        update->setInsertSql("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES, DESCONTO)"
                             " values (:CODIGO, :DESCRICAO, :QUANTAS_VEZES, :DESCONTO)");
        update->setModifySql("update AFVT0101 set DESCRICAO = :DESCRICAO, DESCONTO = :DESCONTO"
                             " where CODIGO = :OLD_CODIGO");
        update->setDeleteSql("delete from AFVT0101 where CODIGO = :OLD_CODIGO");
        query->setUpdateObject(update.get());
        query->open();
    }
    void TearDown() override
    {
        query.reset();
        update.reset();
        HostDatabaseTest::TearDown();
    }
    int committedCount(const QString& where)
    {
        host::db::Connection second;
        second.open({dbPath});
        host::db::Transaction other(second);
        return host::db::selectValue(other, "select count(*) from AFVT0101 " + where).toInt();
    }
    std::unique_ptr<host::data::Query> query;
    std::unique_ptr<host::data::UpdateSql> update;
};

TEST_F(RecordsTest, SaveWithNothingPendingNeitherPostsNorCommits)
{
    UpdateCampo("AFVT0101", "DESCRICAO", "'pendente'", "where CODIGO = '01'");
    SalvarAlteracoes(*query);
    EXPECT_EQ(committedCount("where DESCRICAO = 'pendente'"), 0) << "someone else's pending work stays pending";
    EXPECT_EQ(query->state(), host::data::DatasetState::Browse);
}

TEST_F(RecordsTest, SavePostsAnInsertOrEditAndCommits)
{
    InserirRegistro(*query);
    EXPECT_EQ(query->state(), host::data::DatasetState::Insert);
    query->fieldByName("CODIGO")->setAsString("02");
    query->fieldByName("DESCRICAO")->setAsString("Novo");
    SalvarAlteracoes(*query);
    EXPECT_EQ(query->state(), host::data::DatasetState::Browse);
    EXPECT_EQ(committedCount("where CODIGO = '02'"), 1);

    query->edit();
    query->fieldByName("DESCRICAO")->setAsString("Alterado");
    SalvarAlteracoes(*query);
    EXPECT_EQ(committedCount("where DESCRICAO = 'Alterado'"), 1);
}

TEST_F(RecordsTest, CancelDropsTheChangesAndInsertOpensAClosedDataset)
{
    query->edit();
    query->fieldByName("DESCRICAO")->setAsString("X");
    CancelarAlteracoes(*query);
    EXPECT_EQ(query->fieldByName("DESCRICAO")->asString(), "A vista");
    CancelarAlteracoes(*query);   // nothing pending: nothing happens
    query->close();
    InserirRegistro(*query);
    EXPECT_EQ(query->state(), host::data::DatasetState::Insert);
}

TEST_F(RecordsTest, DeleteAsksAndOnlyYesDeletesAndCommits)
{
    dialogs->answer("Não", "exclusão").answer("Sim", "exclusão");
    EXPECT_FALSE(ExcluirRegistro(*query));
    EXPECT_EQ(committedCount(""), 1);
    EXPECT_TRUE(ExcluirRegistro(*query));
    EXPECT_EQ(committedCount(""), 0);
    EXPECT_FALSE(ExcluirRegistro(*query)) << "an empty dataset asks nothing";
}

TEST_F(RecordsTest, DeletingARowBeingInsertedOnlyLetsItGo)
{
    const int antes = committedCount("");
    InserirRegistro(*query);
    dialogs->answer("Sim", "exclusão");
    EXPECT_TRUE(ExcluirRegistro(*query));
    EXPECT_EQ(query->state(), host::data::DatasetState::Browse);
    EXPECT_EQ(committedCount(""), antes) << "the row shown before the new one stays";
}

TEST_F(RecordsTest, ZeroingTouchesOnlyTheNumbersAskedFor)
{
    InserirRegistro(*query);
    ZerarFloatField(*query);
    EXPECT_TRUE(query->fieldByName("QUANTAS_VEZES")->isNull());
    EXPECT_EQ(query->fieldByName("DESCONTO")->asFloat(), 0.0);
    EXPECT_FALSE(query->fieldByName("DESCONTO")->isNull());
    ZerarNumericField(*query);
    EXPECT_EQ(query->fieldByName("QUANTAS_VEZES")->asInteger(), 0);
    EXPECT_TRUE(query->fieldByName("DESCRICAO")->isNull());
}

TEST_F(RecordsTest, RequiredFieldLeftEmptyIsNamedAndEndsTheOperation)
{
    query->fieldByName("DESCRICAO")->setRequired(true);
    query->fieldByName("DESCRICAO")->setDisplayLabel("Descrição");
    InserirRegistro(*query);
    query->fieldByName("DESCRICAO")->setAsString("   ");
    dialogs->acknowledge("Descrição").acknowledge("Descrição");
    EXPECT_THROW(AvisaCamposObrigatorio(*query, true), host::Abort);
    EXPECT_FALSE(AvisaCamposObrigatorio(*query, false));
    query->fieldByName("DESCRICAO")->setAsString("ok");
    EXPECT_TRUE(AvisaCamposObrigatorio(*query));
}

class ParametersTest : public HostDatabaseTest {};

TEST_F(ParametersTest, FieldsReadAsTextEmptyWhenMissing)
{
    EXPECT_EQ(dmGlobal->Parametro("ATOPCAOCONTRATO"), "");
    dmGlobal->SetParametro("atopcaocontrato", "Q");
    EXPECT_EQ(dmGlobal->Parametro("ATOPCAOCONTRATO"), "Q");
    EXPECT_EQ(one("select VALOR from PARAMETROS where NOME = 'ATOPCAOCONTRATO'").toString(), "Q");
    dmGlobal->SetParametro("ATOPCAOCONTRATO", "E");
    EXPECT_EQ(one("select count(*) from PARAMETROS where NOME = 'ATOPCAOCONTRATO'").toInt(), 1);
    EXPECT_EQ(dmGlobal->Parametro(" atopcaocontrato "), "E");
    // Any lower-case letter or blank, wherever it is, still finds the key.
    for (const char* nome : {"ATOPCAOCONTRATo", "ATOPCAOcONTRATO", "ATOPCAOCONTRATO\t", "\nATOPCAOCONTRATO"})
        EXPECT_EQ(dmGlobal->Parametro(QString::fromLatin1(nome)), "E") << nome;
    dmGlobal->SetParametro("ATDESCRIÇÃO", "D");
    EXPECT_EQ(dmGlobal->Parametro("atdescrição"), "D");
    EXPECT_EQ(dmGlobal->Parametro("ATDESCRIÇÃO"), "D");
}

// The rules' entry by a C string: one buffer reused for several names (a
// caller's own, not a literal) reads each name's value, not the first one's;
// a value changed between reads is the one read.
TEST_F(ParametersTest, ReadByCStringFollowsTheTextNotTheBuffer)
{
    dmGlobal->SetParametro("ATMODOOS", "E");
    dmGlobal->SetParametro("ATMODOCP", "C");
    char nome[16];
    for (const char* texto : {"ATMODOOS", "ATMODOCP", "atmodoos", "ATMODOXX"}) {
        std::snprintf(nome, sizeof nome, "%s", texto);
        EXPECT_EQ(parametro(nome), dmGlobal->Parametro(QString::fromLatin1(texto))) << texto;
    }
    EXPECT_EQ(parametro("ATMODOCP"), "C");
    dmGlobal->SetParametro("ATMODOCP", " P ");
    EXPECT_EQ(parametro("ATMODOCP"), " P ");
    EXPECT_EQ(parametroAparado("ATMODOCP"), "P");
}

// The rules' reads by a C string follow the record whichever way it
// changes: read again after a write by SQL, set here, or another record
// taking over (the database opened again, its value changed meanwhile).
TEST_F(ParametersTest, ReadByCStringFollowsEveryChangeOfTheRecord)
{
    EXPECT_EQ(parametro("ATMODOOS"), "");
    exec("insert into PARAMETROS (NOME, VALOR) values ('ATMODOOS', 'E')");
    dmGlobal->CarregaParametros();
    EXPECT_EQ(parametro("ATMODOOS"), "E");
    EXPECT_EQ(parametroAparado("ATMODOOS"), "E");
    dmGlobal->SetParametro("atmodoos", "G");
    EXPECT_EQ(parametro("ATMODOOS"), "G");
    exec("update PARAMETROS set VALOR = 'D' where NOME = 'ATMODOOS'");
    tr().commit();
    global.reset();
    global = std::make_unique<TdmGlobal>(dbPath);
    EXPECT_EQ(parametro("ATMODOOS"), "D");
    dmGlobal->SetParametro("ATMODOOS", "");
    EXPECT_EQ(parametro("ATMODOOS"), "");
}

TEST_F(ParametersTest, NumbersInEitherDecimalFormAndRowsWrittenBySql)
{
    const struct {
        const char* text;
        double number;
        int integer;
    } cases[] = {{"0.80", 0.8, 0}, {"0,80", 0.8, 0}, {"12", 12, 12}, {"", 0, 0}, {"abc", 0, 0}, {"-3.5", -3.5, -3}};
    for (const auto& c : cases) {
        dmGlobal->SetParametro("ATVALORKM", c.text);
        EXPECT_DOUBLE_EQ(dmGlobal->ParametroNumero("ATVALORKM"), c.number) << c.text;
        EXPECT_EQ(dmGlobal->ParametroInteiro("ATVALORKM"), c.integer) << c.text;
    }
    exec("insert into PARAMETROS (NOME, VALOR) values ('ATMODOOS', 'E')");
    EXPECT_EQ(dmGlobal->Parametro("ATMODOOS"), "");
    dmGlobal->CarregaParametros();
    EXPECT_EQ(dmGlobal->Parametro("ATMODOOS"), "E");
    EXPECT_TRUE(dmGlobal->NomesParametros().contains("ATMODOOS"));
}

TEST_F(ParametersTest, CompanyRecordIsOpenAndReloads)
{
    exec("insert into EMPRESA (CODIGO, NOME, UGESPECIFICOEMPRESA) values (1, 'Oficina', 16)");
    dmGlobal->CarregaEmpresa();
    EXPECT_EQ(dmGlobal->quEmpresa->fieldByName("UGESPECIFICOEMPRESA")->asInteger(), 16);
    EXPECT_EQ(dmGlobal->quEmpresa->fieldByName("NOME")->asString(), "Oficina");
}

TEST_F(ParametersTest, UsersAndPasswords)
{
    EXPECT_EQ(IbUserName(), "SYSDBA");
    EXPECT_TRUE(UsuarioMestre());
    EXPECT_TRUE(VerificaValidadeSenha("", "nada protegido")) << "no password set: nothing asked";
    dialogs->enter("1234", "Informe a senha").enter("errada").acknowledge("Senha inválida").cancel();
    EXPECT_TRUE(VerificaValidadeSenha("1234", "Informe a senha"));
    EXPECT_FALSE(VerificaValidadeSenha("1234", "Informe a senha"));
    EXPECT_FALSE(VerificaValidadeSenha("1234", "Informe a senha"));
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ParametersTest, ChangeLockByDateParameter)
{
    const QDateTime before(QDate(2024, 1, 31), QTime(10, 0));
    const QDateTime after(QDate(2024, 2, 1), QTime(0, 0));
    EXPECT_FALSE(VerificaBloqueioAlteracao(before, "OS")) << "no lock date: nothing locked";
    dmGlobal->SetParametro("ATDATABLOQUEIOOS", "31/01/2024");
    EXPECT_TRUE(VerificaBloqueioAlteracao(before, "OS"));
    EXPECT_FALSE(VerificaBloqueioAlteracao(after, "OS"));
    EXPECT_FALSE(VerificaBloqueioAlteracao(before, "CR")) << "each kind has its own date";
}
