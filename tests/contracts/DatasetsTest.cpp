// The datasets of TdmTecContrato: every one opens on the migrated database with
// its persistent fields of the right type and size, and every update
// statement prepares (a wrong column fails at once).

#include "tests/contracts/ContractsFixture.h"

#include "contract_data/uDataTecContDefinitions.h"
#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

using host::data::Field;
using host::data::FieldType;
using host::data::Query;

namespace contractstest {
namespace {

using DatasetsTest = ContractDataTest;

TEST_F(DatasetsTest, HoldsEveryDatasetUpdateObjectAndDataSourceByName)
{
    int queries = 0, updates = 0, sources = 0;
    for (host::Component* component : dm->components()) {
        queries += dynamic_cast<Query*>(component) != nullptr;
        updates += dynamic_cast<host::data::UpdateSql*>(component) != nullptr;
        sources += dynamic_cast<host::data::DataSource*>(component) != nullptr;
    }
    EXPECT_EQ(queries, 18);
    EXPECT_EQ(updates, 16);
    EXPECT_EQ(sources, 6);
    EXPECT_EQ(dm->name(), "dmTecContrato");
    EXPECT_EQ(dmTecContrato.get(), dm);
    for (host::Component* component : dm->components())
        if (auto* query = dynamic_cast<Query*>(component)) {
            EXPECT_FALSE(query->active()) << query->name().toStdString();
            EXPECT_EQ(query->transaction(), global->IBTransaction1.get());
        }
    EXPECT_FALSE(dm->quCtrEquipSol->canModify());
    EXPECT_FALSE(dm->quPesqIndice->canModify());
    EXPECT_EQ(dm->dsPesqIndice->dataset(), dm->quPesqIndice);
    EXPECT_EQ(dm->dsContato->dataset(), nullptr);
    EXPECT_EQ(dm->quCtrCadastroItACITCODIGO->name(), "quCtrCadastroItACITCODIGO");
    EXPECT_EQ(dm->quCtrCadastroACNUMEROCONTRATO->name(), "quCtrCadastroACNUMEROCONTRATO");
}

TEST_F(DatasetsTest, EveryDatasetOpensWithItsFieldsOfTheColumnsTypesAndSizes)
{
    for (const uDataTecCont::DatasetDef& def : uDataTecCont::datasetDefs()) {
        SCOPED_TRACE(def.dataset.toStdString());
        Query* query = dm->find<Query>(def.dataset);
        ASSERT_NE(query, nullptr);
        ASSERT_NO_THROW(query->open());
        EXPECT_EQ(query->fieldCount(), int(def.fields.size()));

        // The same statement without persistent fields reports the columns.
        Query plain(nullptr, "plain");
        plain.setTransaction(global->IBTransaction1.get());
        plain.setSql(def.sql);
        plain.open();
        for (const uDataTecCont::FieldDef& fieldDef : def.fields) {
            if (fieldDef.calculated)
                continue;
            const Field* column = plain.findField(fieldDef.name);
            ASSERT_NE(column, nullptr) << fieldDef.name.toStdString();
            const Field* field = query->fieldByName(fieldDef.name);
            EXPECT_EQ(int(field->dataType()), int(column->dataType())) << fieldDef.name.toStdString();
            if (field->dataType() == FieldType::String) {
                EXPECT_EQ(field->size(), column->size()) << fieldDef.name.toStdString();
            }
        }
        query->close();
    }
}

TEST_F(DatasetsTest, UpdateObjectsWriteEveryColumnOfTheirTableAndNoJoinedOne)
{
    const QList<QPair<QString, int>> expected = {
        {"quCtrCadastro", 135}, {"quCtrCadastroIt", 41}, {"quCtrObjeto", 23}, {"quCtrContato", 19},
        {"quCtrVeiculo", 17}, {"quCtrCadastroEquip", 12}, {"quCtrCadastroCM", 11}, {"quCtrCadastroItCo", 10},
        {"quCtrCobertura", 5}, {"quCtrCadastroMedidor", 5}, {"QuFranquiaPorGrupo", 5}, {"quCtrCadastroDet", 5},
        {"quContratoCli", 4}, {"quContratoVin", 2}, {"quCtrEquipLocacao", 15}, {"quCtrAcessLocacao", 16},
    };
    for (const auto& [dataset, count] : expected) {
        SCOPED_TRACE(dataset.toStdString());
        const uDataTecCont::DatasetDef& def = uDataTecCont::datasetDef(dataset);
        EXPECT_EQ(int(def.tableFields().size()), count);
        Query* query = dm->find<Query>(dataset);
        ASSERT_NE(query->updateObject(), nullptr);
        for (const QString& sql : {query->updateObject()->insertSql(), query->updateObject()->modifySql(),
                                   query->updateObject()->deleteSql(), query->updateObject()->refreshSql()}) {
            if (sql.isEmpty())
                continue;
            host::db::Statement statement(*global->IBTransaction1);
            EXPECT_NO_THROW(statement.prepare(sql)) << sql.toStdString();
        }
        for (const uDataTecCont::FieldDef& field : def.fields)
            if (field.joined) {
                EXPECT_FALSE(query->updateObject()->modifySql().contains(" " + field.name + " ="))
                    << field.name.toStdString();
            }
    }
}

TEST_F(DatasetsTest, ContractHeaderAndItemRoundTripThroughTheirUpdateObjects)
{
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00010', 'Cliente Dez')");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO) values ('P1', 'Produto um')");
    CarregaContrato(0);
    Query& header = *dm->quCtrCadastro;
    header.append();
    header.fieldByName("ACCODIGO")->setAsInteger(5);
    header.fieldByName("CLCODIGO")->setAsString("00010");
    header.fieldByName("ACDESCRICAO")->setAsString("Manutenção mensal");
    header.fieldByName("ACVALORPARCELA")->setAsFloat(150.25);
    header.post();
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(one("select ACDESCRICAO from AATC05AC where ACCODIGO = 5").toString(), "Manutenção mensal");

    setOption("M");
    dm->CarregaContratoItem("00010", "5");
    Query& items = *dm->quCtrCadastroIt;
    items.append();
    items.fieldByName("CLCODIGO")->setAsString("00010");
    items.fieldByName("PRCODIGO")->setAsString("P1");
    items.fieldByName("ACCODIGO")->setAsInteger(5);
    items.post();   // no rule set the key: the generator gives it
    const int key = items.fieldByName("ACITCODIGO")->asInteger();
    EXPECT_GT(key, 0);
    EXPECT_EQ(one(QString("select ACCODIGO from AATC05ACIT where ACITCODIGO = %1").arg(key)).toInt(), 5);

    items.edit();
    items.fieldByName("ACITOBSERVACAO")->setAsString("revisado");
    items.post();
    EXPECT_EQ(one(QString("select ACITOBSERVACAO from AATC05ACIT where ACITCODIGO = %1").arg(key)).toString(),
              "revisado");
    items.remove();
    EXPECT_EQ(one(QString("select count(*) from AATC05ACIT where ACITCODIGO = %1").arg(key)).toInt(), 0);
}

TEST_F(DatasetsTest, NewItemWhileTheContractIsBeingInsertedSavesTheContractFirst)
{
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'Cliente')");
    CarregaContrato(0);
    dm->quCtrCadastro->append();
    dm->quCtrCadastro->fieldByName("ACCODIGO")->setAsInteger(9);
    dm->quCtrCadastroCLCODIGO->setAsString("00001");
    dm->CarregaContratoItem("00001", "9");
    dm->quCtrCadastroIt->append();
    EXPECT_EQ(dm->quCtrCadastro->state(), host::data::DatasetState::Browse);
    EXPECT_EQ(one("select count(*) from AATC05AC where ACCODIGO = 9").toInt(), 1);
}

TEST_F(DatasetsTest, ANewContractTakesTheNextCodeAndItsPostIsCommitted)
{
    exec("insert into AATC05AC (ACCODIGO) values (41)");
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'Cliente')");
    CarregaContrato(0);
    host::clearHookCalls();
    dm->quCtrCadastro->append();
    EXPECT_EQ(dm->quCtrCadastroACCODIGO->asInteger(), 42);
    dm->quCtrCadastroCLCODIGO->setAsString("00001");
    dm->quCtrCadastro->post();
    EXPECT_EQ(host::hookCallTexts(),
              (QStringList{"quCtrCadastro:ONNEWRECORD", "quCtrCadastro:BEFOREPOST", "quCtrCadastro:AFTERPOST"}));
    global->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(one("select CLCODIGO from AATC05AC where ACCODIGO = 42").toString(), "00001");
}

TEST_F(DatasetsTest, HandlersReportToTheHookWithTheirEventNames)
{
    Query& cobertura = *dm->quCtrCobertura;
    cobertura.open();
    cobertura.append();
    cobertura.fieldByName("ABCODIGO")->setAsString("TOT");
    cobertura.post();
    cobertura.remove();
    cobertura.close();
    dm->CarregaObjeto(1);
    dm->quCtrObjeto->append();
    dm->quCtrObjeto->fieldByName("AJCODIGO")->setAsInteger(1);
    dm->quCtrObjeto->post();
    EXPECT_EQ(host::hookCallTexts(), (QStringList{"quCtrCobertura:ONNEWRECORD", "quCtrCobertura:BEFOREPOST",
                                                  "quCtrCobertura:BEFOREDELETE",
                                                  "quCtrCobertura:AFTERDELETE", "quCtrCobertura:BEFORECLOSE",
                                                  "quCtrObjeto:ONNEWRECORD", "quCtrObjeto:BEFOREPOST",
                                                  "quCtrObjeto:AFTERPOST"}));
    // The object's post is committed: another attachment sees it.
    auto second = std::make_unique<host::db::Connection>();
    second->open({dbPath});
    host::db::Transaction tr(*second);
    EXPECT_EQ(host::db::selectValue(tr, "select count(*) from AATC11AJ where AJCODIGO = 1").toInt(), 1);
}

TEST_F(DatasetsTest, ClosedAndReturnedFlagsAreEditableOnlyUnderTheDeliveryOption)
{
    dm->CarregaContratoItem("00001", "1");
    EXPECT_TRUE(dm->quCtrCadastroIt->fieldByName("ACITENCERRADO")->readOnly());
    EXPECT_TRUE(dm->quCtrCadastroIt->fieldByName("ACITDEVOLVIDO")->readOnly());
    setOption("T");
    dm->CarregaContratoItem("00001", "1");
    EXPECT_FALSE(dm->quCtrCadastroIt->fieldByName("ACITENCERRADO")->readOnly());
    EXPECT_FALSE(dm->quCtrCadastroIt->fieldByName("ACITDEVOLVIDO")->readOnly());
}

TEST_F(DatasetsTest, ClosingTheHeaderForgetsTheContractOfThePmcAndDestructionClosesTheDatasets)
{
    iPMCCodigoContrato = 12;
    CarregaContrato(0);
    dm->quCtrCadastro->close();
    EXPECT_EQ(iPMCCodigoContrato, 0);
    dm->quCtrCobertura->open();
    host::clearHookCalls();
    dmTecContrato.free();
    EXPECT_EQ(host::hookCallTexts(), QStringList{"quCtrCobertura:BEFORECLOSE"});
}

}  // namespace
}  // namespace contractstest
