// Creating TdmTec: its components, the variable set before the creation
// handler, nothing open afterwards, the statements it costs, and every query
// opening on the upgraded database with all its persistent fields.

#include "tests/tec/TecFixture.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "tests/support/TestDatabase.h"

#include <QRegularExpression>

#include <cstdio>

using host::data::Field;
using host::data::FieldKind;
using host::data::FieldType;
using host::data::Query;
using host::data::UpdateSql;

namespace tectest {
namespace {

const QStringList kQueryNames = {
    "quOS", "quOSItem", "quOSPecas", "quOSAndamento", "quOSAndaIt", "quOSAndDef", "quOSItemDef",
    "quOSDespViagem", "quOSDespExtra", "quOSProj", "quOSAcessorios", "quOSCusto", "quOSContato",
    "quOSComprasCli", "quPesqOS", "quPesqSitItem", "quOSSituacao", "quDefeito", "quTecnicos", "quTecEquip",
    "QuTecDesc", "quEquipamento", "quEquipCli", "quHoraTecnica", "quContrato", "quContEquip", "quContServ",
    "quContItPesq", "quAssHistorico", "quSolicita", "quSolicitaIt", "quSolicitacaoItEnt", "quAssVenda",
    "quAssVendaItem", "quAssVendaCotado", "quAssVendaObs", "quAssCtrlAlter", "quEqpCfgComp",
    "quEquipamentoLocacao", "quAcessoriosLocacao", "quEquipamentoGrupo",
};

// query -> its update object; the queries not listed are read-only.
const QList<QPair<QString, QString>> kUpdates = {
    {"quOS", "usOS"}, {"quOSItem", "usOSItem"}, {"quOSPecas", "usOSPecas"},
    {"quOSAndamento", "usOSAndamento"}, {"quOSAndaIt", "usOSAndaIt"}, {"quOSAndDef", "usOSAndDef"},
    {"quOSItemDef", "usOSItemDef"}, {"quOSDespViagem", "usOSDespViagem"}, {"quOSDespExtra", "usOSDespExtra"},
    {"quOSProj", "usOSProj"}, {"quOSAcessorios", "usOSAcessorios"}, {"quOSCusto", "usOSCusto"},
    {"quOSContato", "usOSContato"}, {"quOSSituacao", "usOSSituacao"}, {"quDefeito", "usDefeito"},
    {"quTecnicos", "usTecnicos"}, {"quTecEquip", "usTecEquip"}, {"QuTecDesc", "usTecDesc"},
    {"quEquipamento", "usEquipamento"}, {"quEquipCli", "usEquipCli"}, {"quHoraTecnica", "usHoraTecnica"},
    {"quContrato", "usContrato"}, {"quContEquip", "usContEquip"}, {"quContServ", "usContServ"},
    {"quAssHistorico", "usAssHistorico"}, {"quSolicita", "usSolicita"}, {"quSolicitaIt", "usSolicitaIt"},
    {"quSolicitacaoItEnt", "usSolicitacaoItEnt"}, {"quAssVenda", "usAssVenda"},
    {"quAssVendaItem", "usAssVendaItem"}, {"quAssVendaCotado", "usAssVendaCotado"},
    {"quAssVendaObs", "usAssVendaObs"}, {"quEquipamentoLocacao", "usEquipamentoLocacao"},
    {"quAcessoriosLocacao", "usAcessoriosLocacao"}, {"quEquipamentoGrupo", "usEquipamentoGrupo"},
};

using TdmTecCreationTest = TecTest;

TEST_F(TdmTecCreationTest, HoldsEveryQueryUpdateObjectAndDataSourceByName)
{
    TdmTec& tec = createTec();
    int queries = 0, updates = 0, sources = 0;
    for (host::Component* component : tec.components()) {
        queries += dynamic_cast<Query*>(component) != nullptr;
        updates += dynamic_cast<UpdateSql*>(component) != nullptr;
        sources += dynamic_cast<host::data::DataSource*>(component) != nullptr;
    }
    EXPECT_EQ(queries, 41);
    EXPECT_EQ(updates, 35);
    EXPECT_EQ(sources, 3);
    for (const QString& name : kQueryNames) {
        Query* query = tec.find<Query>(name);
        ASSERT_NE(query, nullptr) << name.toStdString();
        EXPECT_EQ(query->name(), name);
        EXPECT_EQ(query->transaction(), global->IBTransaction1.get()) << name.toStdString();
    }
    for (const auto& [queryName, updateName] : kUpdates) {
        UpdateSql* update = tec.find<UpdateSql>(updateName);
        ASSERT_NE(update, nullptr) << updateName.toStdString();
        EXPECT_EQ(tec.find<Query>(queryName)->updateObject(), update) << queryName.toStdString();
    }
    for (const char* name : {"quOSComprasCli", "quPesqOS", "quPesqSitItem", "quContItPesq", "quAssCtrlAlter",
                             "quEqpCfgComp"})
        EXPECT_FALSE(tec.find<Query>(name)->canModify()) << name;
    for (const char* name : {"dsContato", "dsContatoEnt", "dsContatoCob"}) {
        ASSERT_NE(tec.find<host::data::DataSource>(name), nullptr) << name;
        EXPECT_EQ(tec.find<host::data::DataSource>(name)->dataset(), nullptr) << name;
    }
}

TEST_F(TdmTecCreationTest, LeavesEveryDatasetClosedAndThePublicFieldsEmpty)
{
    TdmTec& tec = createTec();
    EXPECT_EQ(dmTec.get(), &tec);
    EXPECT_EQ(tec.name(), "dmTec");
    for (host::Component* component : tec.components()) {
        if (auto* query = dynamic_cast<Query*>(component)) {
            EXPECT_FALSE(query->active()) << query->name().toStdString();
        }
    }
    EXPECT_EQ(tec.iOSPesquisaAtual, 0);
    EXPECT_EQ(tec.rTotalCustoOS, 0);
    EXPECT_TRUE(tec.sTipoCustoOS.isEmpty());
    EXPECT_EQ(tec.iDefeitoAOCODIGO, 0);
    EXPECT_EQ(tec.iDefeitoAOITCODIGO, 0);
    EXPECT_EQ(tec.iDefeitoMEITSEQUENCIA, 0);
    EXPECT_EQ(tec.rDefeitoMECHAVE, 0);
}

TEST_F(TdmTecCreationTest, SecondCreateKeepsTheInstance)
{
    TdmTec& first = createTec();
    EXPECT_EQ(&createTec(), &first);
}

// Persistent fields: the counts of each query's field list.
TEST_F(TdmTecCreationTest, PersistentFieldCountsPerQuery)
{
    const QList<QPair<QString, int>> counts = {
        {"quOS", 102}, {"quOSItem", 57}, {"quOSPecas", 73}, {"quOSAndamento", 54}, {"quOSAndaIt", 7},
        {"quOSAndDef", 7}, {"quOSItemDef", 8}, {"quOSDespViagem", 15}, {"quOSDespExtra", 16}, {"quOSProj", 12},
        {"quOSAcessorios", 5}, {"quOSCusto", 12}, {"quOSContato", 19}, {"quOSComprasCli", 11},
        {"quOSSituacao", 17}, {"quDefeito", 4}, {"quTecnicos", 16}, {"quTecEquip", 4}, {"QuTecDesc", 4},
        {"quEquipamento", 12}, {"quEquipCli", 8}, {"quHoraTecnica", 8}, {"quContrato", 58},
        {"quContEquip", 16}, {"quContServ", 6}, {"quContItPesq", 18}, {"quAssHistorico", 3}, {"quSolicita", 7},
        {"quSolicitaIt", 18}, {"quSolicitacaoItEnt", 9},
    };
    TdmTec& tec = createTec();
    for (const auto& [name, count] : counts) {
        Query* query = tec.find<Query>(name);
        EXPECT_TRUE(query->hasPersistentFields()) << name.toStdString();
        EXPECT_EQ(query->fieldCount(), count) << name.toStdString();
    }
    EXPECT_FALSE(tec.quPesqSitItem->hasPersistentFields());
    EXPECT_FALSE(tec.quPesqOS->hasPersistentFields());
}

}  // namespace
}  // namespace tectest
