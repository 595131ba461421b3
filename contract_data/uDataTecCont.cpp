// TdmTecContrato: creation of its components, the creation handler and the
// closing of its datasets when it goes.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContDefinitions.h"
#include "contract_data/uDataTecContMigration.h"
#include "data/uDataTecExclusao.h"
#include "data/udmRelTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

using host::data::DataSource;
using host::data::Query;
using host::data::UpdateSql;

host::data::DataModuleVar<TdmTecContrato> dmTecContrato("dmTecContrato");

namespace {

// What the report data module prints of the contract: the module of
// dmTecContrato as it is when a report prints (it may come and go).
DatasetsContratoRel datasetsContratoRel()
{
    if (!dmTecContrato)
        return {};
    return {dmTecContrato->quCtrCadastro, dmTecContrato->quCtrEquipLocacao, dmTecContrato->quCtrAcessLocacao};
}

}  // namespace

TdmTecContrato::TdmTecContrato(host::Component* owner) : host::data::DataModule(owner, "dmTecContrato")
{
    InstalarDatasetsContratoRel(&datasetsContratoRel);
    uDataTec::InstalarExclusaoContrato({
        [this](int contrato) {
            const QString pedido = CarregaDado("ACPEDIDO", "AATC05AC", "where ACCODIGO = " + QString::number(contrato));
            return PrepararExclusaoContrato(contrato, pedido);
        },
        [this](int contrato) { ConcluirExclusaoContrato(contrato); },
    });
    criarDatasets();
    ligarApresentacao();
    ligarTextos();
    ligarEventos();
    onCreate = [this] { DataModuleCreate(); };
}

TdmTecContrato::~TdmTecContrato()
{
    uDataTec::InstalarExclusaoContrato({});
    fecharDatasets();
}

void TdmTecContrato::DataModuleCreate()
{
    bReprocessarContrato = false;
    uDataTecContMigration::atualizarTabelasContrato();
}

namespace {

Query* criarQuery(TdmTecContrato& dm, const uDataTecCont::DatasetDef& def)
{
    Query* query = dm.adopt(std::make_unique<Query>(nullptr, def.dataset));
    query->setTransaction(dmGlobal ? dmGlobal->IBTransaction1.get() : nullptr);
    query->setSql(def.sql);
    for (const uDataTecCont::FieldDef& field : def.fields) {
        if (field.calculated)
            query->addCalculatedField(field.name, field.type, field.size);
        else
            query->addField(field.name, field.type, field.size)->setReadOnly(field.joined);
    }
    // Amounts show as the host's formats write them ("1.234,50"); rates,
    // indices, distances and meter counts keep every digit they have.
    TdmGlobal::SetaFormatoValor(*query);
    for (const char* medida : {"ACJUROMES", "ACJUROVENCIMENTO", "AJINDICE", "ACDISTANCIAKM", "ACEVKMINICIO",
                               "ACEVKMFIM", "COCONTADOR", "ACITCOCONTADORTOTAL"})
        if (host::data::Field* campo = query->findField(medida))
            campo->setDisplayFormat({});
    return query;
}

UpdateSql* criarUpdate(TdmTecContrato& dm, Query& query, const uDataTecCont::DatasetDef& def)
{
    UpdateSql* update = dm.adopt(std::make_unique<UpdateSql>(nullptr, def.update));
    update->setInsertSql(uDataTecCont::insertSql(def));
    update->setModifySql(uDataTecCont::modifySql(def));
    update->setDeleteSql(uDataTecCont::deleteSql(def));
    update->setRefreshSql(def.refreshSql);
    query.setUpdateObject(update);
    return update;
}

// A contract's lines, and an item's details, are stored only while the
// contract, or the item, is.
void ligarCabecalhosDasLinhas(TdmTecContrato& dm)
{
    const host::data::LineHeader contrato{"AATC05AC", "ACCODIGO", {}, dm.quCtrCadastro, {}, "ACNUMEROCONTRATO",
                                          {}, "O contrato"};
    for (Query* linha : {dm.quCtrCadastroIt, dm.quCtrVeiculo, dm.quCtrCadastroEquip, dm.quCtrCadastroCM,
                         dm.quCtrEquipLocacao, dm.quCtrAcessLocacao, dm.QuFranquiaPorGrupo, dm.quContratoCli})
        linha->setLineHeader(contrato);
    host::data::LineHeader item{"AATC05ACIT", "ACITCODIGO", {}, dm.quCtrCadastroIt, {}, {}, {}, "O item de contrato"};
    dm.quCtrCadastroDet->setLineHeader(item);
    // A reading's item code names a vehicle line's unit when the
    // compositions go by equipment: there is no item row to look for then.
    item.applies = [] { return !TdmTecContrato::ComposicaoPorEquipamento(); };
    dm.quCtrCadastroItCo->setLineHeader(item);
}

}  // namespace

void TdmTecContrato::criarDatasets()
{
    struct Slot {
        const char* dataset;
        Query** query;
        UpdateSql** update;
    };
    const Slot itens[] = {
        {"quCtrCadastro", &quCtrCadastro, &usCtrCadastro},
        {"quCtrCadastroIt", &quCtrCadastroIt, &usCtrCadastroIt},
        {"quCtrObjeto", &quCtrObjeto, &usCtrObjeto},
        {"quCtrCobertura", &quCtrCobertura, &usCtrCobertura},
        {"quCtrContato", &quCtrContato, &usCtrContato},
        {"quContratoCli", &quContratoCli, &usContratoCli},
        {"quContratoVin", &quContratoVin, &usContratoVin},
        {"quCtrCadastroEquip", &quCtrCadastroEquip, &usCtrCadastroEquip},
        {"quCtrVeiculo", &quCtrVeiculo, &usCtrVeiculo},
        {"quCtrCadastroDet", &quCtrCadastroDet, &usCtrCadastroDet},
        {"quCtrCadastroItCo", &quCtrCadastroItCo, &usCtrCadastroItCo},
        {"quCtrCadastroMedidor", &quCtrCadastroMedidor, &usCtrCadastroMedidor},
        {"QuFranquiaPorGrupo", &QuFranquiaPorGrupo, &UsFranquiaPorGrupo},
        {"quCtrCadastroCM", &quCtrCadastroCM, &usCtrCadastroCM},
        {"quCtrEquipLocacao", &quCtrEquipLocacao, &usCtrEquipLocacao},
        {"quCtrAcessLocacao", &quCtrAcessLocacao, &usCtrAcessLocacao},
        {"quCtrEquipSol", &quCtrEquipSol, nullptr},
        {"quPesqIndice", &quPesqIndice, nullptr},
    };
    for (const Slot& slot : itens) {
        const uDataTecCont::DatasetDef& def = uDataTecCont::datasetDef(slot.dataset);
        *slot.query = criarQuery(*this, def);
        if (slot.update)
            *slot.update = criarUpdate(*this, **slot.query, def);
    }
    // The header is saved again for a column or two (a planned count, a
    // value worked out): its hundred columns are not all written each time.
    usCtrCadastro->setWritesChangedOnly(true);

    auto fonte = [this](const char* name, host::data::Dataset* dataset) {
        return adopt(std::make_unique<DataSource>(nullptr, name, dataset));
    };
    dsPesqIndice = fonte("dsPesqIndice", quPesqIndice);
    dsContato = fonte("dsContato", nullptr);
    dsContatoEnt = fonte("dsContatoEnt", nullptr);
    dsContatoCob = fonte("dsContatoCob", nullptr);
    dsContatoRet = fonte("dsContatoRet", nullptr);
    dsContatoCtr = fonte("dsContatoCtr", nullptr);

    quCtrCadastroACCODIGO = quCtrCadastro->fieldByName("ACCODIGO");
    quCtrCadastroCLCODIGO = quCtrCadastro->fieldByName("CLCODIGO");
    quCtrCadastroCXCODIGO = quCtrCadastro->fieldByName("CXCODIGO");
    quCtrCadastroACNUMEROCONTRATO = quCtrCadastro->fieldByName("ACNUMEROCONTRATO");
    quCtrCadastroItACITCODIGO = quCtrCadastroIt->fieldByName("ACITCODIGO");
    ligarCabecalhosDasLinhas(*this);
}

void TdmTecContrato::fecharDatasets()
{
    for (Query* query : {quCtrCobertura, quCtrObjeto, quCtrCadastroIt, quCtrContato, quPesqIndice, quCtrCadastro})
        if (query)
            query->close();
}
