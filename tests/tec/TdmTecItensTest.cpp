// Order items: defaults, the key from the generator, the checks of a save,
// the offer of a new model, what follows a save, and the deletion with the
// item's defects.

#include "tests/tec/ItensFixture.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"

#include <QDir>

namespace tectest {
namespace {

using host::data::DatasetState;

class TdmTecItensTest : public ItensTest {};

TEST_F(TdmTecItensTest, NewItemTakesTheDefaultsAndTheInitialItemSituation)
{
    situacao(3, "F", "I");   // another type: not the initial one
    situacao(4, "I", "O");   // initial, but of orders
    situacao(5, "I", "I");
    CarregaOrdemServico(10);
    host::clearHookCalls();
    dmTec->quOSItem->append();
    TdmTec& tec = *dmTec;
    EXPECT_EQ(tec.quOSItemAOCODIGO->asInteger(), 10);
    EXPECT_EQ(tec.quOSItemAOITQUANTIDADE->asFloat(), 1.0);
    EXPECT_FALSE(tec.quOSItemAOITKMINICIAL->isNull());
    EXPECT_EQ(tec.quOSItemAOITKMINICIAL->asFloat(), 0.0);
    EXPECT_EQ(tec.quOSItemAOITVALORNFREMESSA->asFloat(), 0.0);
    EXPECT_FALSE(tec.quOSItemAOITVALORFRETE->isNull());   // every numeric field starts at 0
    EXPECT_EQ(tec.quOSItemATCODIGO->asInteger(), 0);
    EXPECT_EQ(tec.quOSItemASCODIGO->asInteger(), 5);
    EXPECT_EQ(host::hookCallTexts(), QStringList{"quOSItem:ONNEWRECORD"});
}

TEST_F(TdmTecItensTest, NewItemWithoutAnInitialItemSituationHasNone)
{
    situacao(4, "I", "O");
    dmTec->quOSItem->append();
    EXPECT_TRUE(dmTec->quOSItemASCODIGO->isNull());
}

TEST_F(TdmTecItensTest, ItemTakesItsKeyFromTheGeneratorOnlyOnItsFirstSave)
{
    parametro("ATMODOOS", "D");   // no model offer
    const int antes = one("select gen_id(gen_aoitcodigo, 0) from rdb$database").toInt();
    novoItem();
    dmTec->quOSItem->post();
    const int chave = dmTec->quOSItemAOITCODIGO->asInteger();
    EXPECT_EQ(chave, antes + 1);
    dmTec->quOSItem->edit();
    dmTec->quOSItemAOITDEFEITO->setAsString("Não liga");
    dmTec->quOSItem->post();
    EXPECT_EQ(dmTec->quOSItemAOITCODIGO->asInteger(), chave);
    EXPECT_EQ(one("select gen_id(gen_aoitcodigo, 0) from rdb$database").toInt(), antes + 1);
    EXPECT_EQ(one(QString("select AOITDEFEITO from AATC01AOIT where AOITCODIGO = %1").arg(chave)).toString(),
              "Não liga");
}

TEST_F(TdmTecItensTest, ItemWithoutDescriptionIsRefusedUnlessTheModeNeedsNone)
{
    novoItem("   ");
    dialogos->acknowledge("Preenchimento do equipamento obrigatório");
    EXPECT_THROW(dmTec->quOSItem->post(), host::Abort);
    EXPECT_EQ(dmTec->quOSItem->state(), DatasetState::Insert);
    EXPECT_TRUE(dmTec->quOSItemAOITCODIGO->isNull());   // no key spent on a refused save

    parametro("ATMODOOS", "D");
    dmTec->quOSItem->post();   // no message, no model offer
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(linhasGravadas("AATC01AOIT", "AOCODIGO = 10"), 1);
}

TEST_F(TdmTecItensTest, UnknownDescriptionOffersANewModelThatTheItemDoesNotTake)
{
    modelo(7, "E");
    novoItem("Serra circular");
    dmTec->quOSItemAOITMARCA->setAsString("Bosch");
    dmTec->quOSItemAOITMODELO->setAsString("GKS 150");
    dmTec->quOSItemAOITCARROCERIAMARCA->setAsString("-");
    dialogos->answer("Sim", "Deseja inserir equipamento no cadastro?");
    dmTec->quOSItem->post();
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(linhasGravadas("AATC03AE", "AECODIGO = 8 and AEDESCRICAO = 'Serra circular' and AEMARCA = 'Bosch' "
                                         "and AEMODELO = 'GKS 150' and AECARROCERIAMARCA = '-'"),
              1);
    EXPECT_TRUE(dmTec->quOSItemAOITEQUIPCODIGO->isNull() || dmTec->quOSItemAOITEQUIPCODIGO->asInteger() == 0);
    EXPECT_FALSE(dmGlobal->quAuxiliar->active());

    // Known in any letter case: nothing asked.
    novoItem("SERRA CIRCULAR");
    dmTec->quOSItem->post();
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(TdmTecItensTest, NewModelDeclinedOrNotOfferedRegistersNothing)
{
    novoItem("Serra circular");
    dialogos->answer("Não", "Deseja inserir equipamento no cadastro?");
    dmTec->quOSItem->post();
    for (auto [nome, valor] : {std::pair{"ATRESTRICAOOS", "B"}, {"ATSITUACAOPORITEM", "S"}, {"ATSITUACAOPORITEM", "M"}}) {
        SCOPED_TRACE(QString("%1 %2").arg(nome, valor).toStdString());
        parametro(nome, valor);
        novoItem("Lixadeira");
        dmTec->quOSItem->post();   // a question here would fail the test
        parametro(nome, "");
    }
    // Remanufacture and purchase orders never offer one.
    for (const char* tipo : {"R", "C"}) {
        exec(QString("update AATC01AO set AOREMANUFATURA = '%1' where AOCODIGO = 10").arg(tipo));
        CarregaOrdemServico(10);
        novoItem("Plaina");
        dmTec->quOSItem->post();
    }
    EXPECT_EQ(one("select count(*) from AATC03AE").toInt(), 0);
}

TEST_F(TdmTecItensTest, SavedItemIsCommittedAndReadAgainWithItsJoinedColumns)
{
    modelo(7, "E");
    tecnico(4, "Ana", "S");
    parametro("ATMODOOS", "D");
    host::clearHookCalls();
    novoItem("Furadeira");
    dmTec->quOSItemAOITEQUIPCODIGO->setAsInteger(7);
    dmTec->quOSItemATCODIGO->setAsInteger(4);
    dmTec->quOSItem->post();
    EXPECT_EQ(linhasGravadas("AATC01AOIT", "AOCODIGO = 10"), 1);
    EXPECT_EQ(dmTec->quOSItemEQUIPAMENTO->asString(), "Modelo 7");   // joined: only a read brings it
    EXPECT_EQ(dmTec->quOSItemTECNICOITEM->asString(), "Ana");
    EXPECT_EQ(host::hookCallTexts(),
              (QStringList{"quOSItem:ONNEWRECORD", "quOSItem:BEFOREPOST", "quOSItem:AFTERPOST"}));
}

TEST_F(TdmTecItensTest, SavingANewItemCostsAFixedNumberOfStatements)
{
    parametro("ATMODOOS", "D");
    novoItem("Furadeira");
    const auto antes = host::db::statementCount();
    dmTec->quOSItem->post();
    const auto custo = host::db::statementCount() - antes;
    // The key, the order's row held, the insert and the refresh of the row
    // (a commit is no statement).
    std::printf("saving a new order item: %llu statements\n", static_cast<unsigned long long>(custo));
    EXPECT_EQ(custo, 4u);
}

TEST_F(TdmTecItensTest, SqlDetectionDumpsTheItemsQueryAndShowsTheKeyStatement)
{
    parametro("ATMODOOS", "D");
    QDir().mkpath(QDir(sCaminhoSistema).filePath("SQLQuery"));
    bDetectarErroSQL = true;
    novoItem();
    dialogos->acknowledge();
    dmTec->quOSItem->post();
    EXPECT_EQ(dialogos->texts(), QStringList{"BeforePost select gen_id(gen_aoitcodigo,1) from rdb$database "});
    const QStringList dumps =
        QDir(QDir(sCaminhoSistema).filePath("SQLQuery")).entryList({"quOSItem*.SQL"}, QDir::Files);
    EXPECT_EQ(dumps.size(), 1);
}

TEST_F(TdmTecItensTest, SituationColumnShowsOnlyInEmailMode)
{
    parametro("ATMODOOS", "E");
    CarregaOrdemServico(10);
    EXPECT_TRUE(dmTec->quOSItemDescricaoSituacao->visible());
    parametro("ATMODOOS", "");
    CarregaOrdemServico(10);
    EXPECT_FALSE(dmTec->quOSItemDescricaoSituacao->visible());
}

TEST_F(TdmTecItensTest, CompleteEquipmentJoinsDescriptionBrandModelAndSerial)
{
    novoItem("Furadeira");
    dmTec->quOSItemAOITMARCA->setAsString("Bosch");
    dmTec->quOSItemAOITSERIE->setAsString("SN");
    EXPECT_EQ(dmTec->quOSItemEQUIPAMENTOCOMPLETO->asString(), "Furadeira; Bosch; ; SN");
}

class TdmTecItensExclusaoTest : public TdmTecItensTest {
protected:
    void SetUp() override
    {
        TdmTecItensTest::SetUp();
        item(21, 10, 7);
        item(22, 10, 8);
        for (auto [codigo, item] : {std::pair{1, 21}, {2, 21}, {3, 22}})
            exec(QString("insert into AATC01AOAD (AOADCODIGO, ADCODIGO, AOCODIGO, AOITCODIGO) values (%1, 1, 10, %2)")
                     .arg(codigo)
                     .arg(item));
        CarregaOrdemServico(10);
        ASSERT_TRUE(dmTec->quOSItem->locate("AOITCODIGO", 21));
        host::clearHookCalls();
    }
};

TEST_F(TdmTecItensExclusaoTest, DeletedItemTakesItsOwnDefectsAndLeavesItsAuditText)
{
    dmTec->quOSItem->remove();
    EXPECT_EQ(one("select count(*) from AATC01AOAD where AOITCODIGO = 21").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AATC01AOAD where AOITCODIGO = 22").toInt(), 1);
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOITCODIGO = 21").toInt(), 0);
    EXPECT_EQ(one("select OBSERVACAO from ARQLOG where ACAO = 'Deletou Itens da O.S.'").toString(),
              "Número O.S./Equip. ou Aut.:10/7");
    // The order's two re-totals post its header between the item's events.
    EXPECT_EQ(host::hookCallTexts(), (QStringList{"quOSItem:BEFOREDELETE", "quOS:AFTERPOST", "quOS:AFTERPOST",
                                                  "quOSItem:AFTERDELETE"}));
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(linhasGravadas("AATC01AOAD", "AOITCODIGO = 21"), 0);
    EXPECT_EQ(linhasGravadas("AATC01AOAD", "AOITCODIGO = 22"), 1);
}

TEST_F(TdmTecItensExclusaoTest, ItemWhoseDeletionFailsKeepsItsDefects)
{
    // Another workstation holds the item: its delete fails at once.
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction transacao(outra);
    host::db::executeSql(transacao, "update AATC01AOIT set AOITDEFEITO = 'em uso' where AOITCODIGO = 21");

    EXPECT_THROW(dmTec->quOSItem->remove(), host::db::DbError);
    EXPECT_EQ(dmTec->quOSItemAOITCODIGO->asInteger(), 21);
    EXPECT_EQ(one("select count(*) from AATC01AOAD where AOITCODIGO = 21").toInt(), 2);
    transacao.rollback();
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(linhasGravadas("AATC01AOAD", "AOITCODIGO = 21"), 2);

    // A later deletion of the same item goes through.
    dmTec->quOSItem->remove();
    EXPECT_EQ(one("select count(*) from AATC01AOAD where AOITCODIGO = 21").toInt(), 0);
}

TEST_F(TdmTecItensExclusaoTest, DeletedItemReTotalsTheOrderBeforeTheAuditRecord)
{
    parametro("ATFORMULATOTALOS", "T");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, APVALTOTAL) values (10, 1, 21, 100)");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, APVALTOTAL) values (10, 2, 22, 50)");
    exec("update AATC01AO set AOVALORPECAS = 0 where AOCODIGO = 10");   // behind its lines
    // The audit record cannot be written: whatever ran before it shows.
    exec("create exception E_SEM_AUDITORIA 'auditoria recusada'");
    exec("create trigger ARQLOG_RECUSA for ARQLOG before insert as begin exception E_SEM_AUDITORIA; end");
    CarregaOrdemServico(10);
    ASSERT_TRUE(dmTec->quOSItem->locate("AOITCODIGO", 21));

    EXPECT_THROW(dmTec->quOSItem->remove(), host::db::DbError);
    // The item's lines stay (they are not the item's to delete), so both count.
    EXPECT_EQ(dmTec->quOSAOVALORPECAS->asFloat(), 150.0);
    EXPECT_EQ(one("select AOVALORPECAS from AATC01AO where AOCODIGO = 10").toDouble(), 150.0);
}

}  // namespace
}  // namespace tectest
