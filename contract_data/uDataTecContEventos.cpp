// Which handler each dataset event of TdmTecContrato runs. The handlers end by
// reporting the event to the customisation hook; the rule handlers of the
// header and its satellites (uDataTecContCadastro*.cpp,
// uDataTecContSatelites.cpp), the items and the objects are bound from here.

#include "contract_data/uDataTecCont.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

using host::data::Dataset;

namespace {

Dataset::Event relata(const char* evento)
{
    return [evento](Dataset& dataset) { ZelDevVerificarEvento(&dataset, evento); };
}

}  // namespace

void TdmTecContrato::ligarEventos()
{
    for (host::data::Query* query : {quCtrCadastro, quCtrCadastroIt, quCtrCadastroEquip, quCtrContato, quCtrCobertura,
                                     quCtrObjeto, quCtrCadastroDet, quContratoCli, quContratoVin, quCtrVeiculo})
        query->beforeClose = relata("BEFORECLOSE");
    quCtrCobertura->beforePost = relata("BEFOREPOST");
    for (host::data::Query* query : {quCtrContato, quContratoVin})
        query->beforeDelete = relata("BEFOREDELETE");
    // A coverage type contracts still name stays.
    quCtrCobertura->beforeDelete = [](Dataset& dataset) {
        RecusarExclusaoEmUso(dataset, "ABCODIGO", {{"AATC05AC", "ABCODIGO", "contratos"}},
                             fieldText(dataset, "ABCODIGO") + " - " + fieldText(dataset, "ABDESCRICAO"));
        ZelDevVerificarEvento(&dataset, "BEFOREDELETE");
    };
    // A follow-up row left in the register's grid is stored, as the other
    // grids' rows are; the header's save writes its reason record under its
    // own savepoint, and that one is stored with the header.
    quCtrContato->afterPost = [](Dataset& dataset) {
        if (dmGlobal->IBTransaction1->savepointDepth() == 0)
            commitRetaining();
        ZelDevVerificarEvento(&dataset, "AFTERPOST");
    };
    quCtrObjeto->afterPost = [](Dataset& dataset) {
        commitRetaining();
        ZelDevVerificarEvento(&dataset, "AFTERPOST");
    };
    quCtrContato->afterDelete = relata("AFTERDELETE");
    quCtrCobertura->afterDelete = relata("AFTERDELETE");
    quContratoCli->afterDelete = [](Dataset& dataset) {
        commitRetaining();
        ZelDevVerificarEvento(&dataset, "AFTERDELETE");
    };
    quContratoVin->afterDelete = [](Dataset& dataset) {
        ZelDevVerificarEvento(&dataset, "AFTERDELETE");
        commitRetaining();
    };

    // The header's rules and those of its satellites.
    ligarEventosCadastro();
    ligarEventosSatelites();

    // The forecasts follow the instalment value, due day, situation and billing object.
    auto campo = [this](const char* nome) { return quCtrCadastro->fieldByName(nome); };
    campo("ACVALORPARCELA")->onChange = [this](host::data::Field& f) { quCtrCadastroACVALORPARCELAChange(f); };
    campo("ACVENCIMENTO")->onValidate = [](host::data::Field& f) { quCtrCadastroACVENCIMENTOValidate(f); };
    campo("ACVENCIMENTO")->onChange = [this](host::data::Field& f) { quCtrCadastroACVENCIMENTOChange(f); };
    campo("ACSITUACAO")->onChange = [this](host::data::Field& f) { quCtrCadastroACSITUACAOChange(f); };
    campo("AJCODIGO")->onChange = [this](host::data::Field& f) { quCtrCadastroAJCODIGOChange(f); };
    campo("AJCODIGO")->onSetText = [this](host::data::Field& f, const QString& text) {
        quCtrCadastroAJCODIGOSetText(f, text);
    };
    // 0 is no auxiliary object.
    campo("AJCODIGOAUXILIAR")->onValidate = [](host::data::Field& f) {
        if (f.asInteger() > 0)
            RecusaObjetoDesconhecido("Código do Objeto Auxiliar", f.asString());
    };

    // A child row needs a stored contract: a contract still being inserted is saved first.
    auto salvaContratoNovo = [this](Dataset&) {
        if (quCtrCadastro->state() == host::data::DatasetState::Insert)
            SalvarAlteracoes(*quCtrCadastro);
    };
    for (host::data::Query* query : {quCtrCadastroIt, quContratoCli, quCtrVeiculo})
        query->beforeInsert = salvaContratoNovo;

    quCtrCadastroIt->beforeOpen = [](Dataset& dataset) {
        const bool editavel = parametroMaiusculo("ATOPCAOCONTRATO") == "T";
        dataset.fieldByName("ACITENCERRADO")->setReadOnly(!editavel);
        dataset.fieldByName("ACITDEVOLVIDO")->setReadOnly(!editavel);
    };
    ligarEventosItens();
    quCtrCadastroDet->afterOpen = [](Dataset& dataset) { dmGlobal->SetaMascaraField(dataset); };
    quCtrCadastro->afterClose = [](Dataset&) { iPMCCodigoContrato = 0; };

    ligarEventosMedidores();
    ligarEventosObjeto();
    ligarEventosLocacao();
}
