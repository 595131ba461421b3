// The rules of the meter, reading, group-franchise and composition datasets
// of TdmTecContrato. Unlike the contract's own handlers they report nothing
// to the customisation hook; their posts and deletes commit at once.

#include "contract_data/uDataTecCont.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/schema/SchemaDefinition.h"

using host::data::Dataset;
using host::data::Field;
using host::data::Query;

namespace {

void commitRetainingMedidor(Dataset&)
{
    dmGlobal->IBTransaction1->commitRetaining();
}

bool linhaCorrente(const Dataset& dataset)
{
    return dataset.active() && !dataset.isEmpty();
}

// A meter-group code typed on an item or a group franchise: its description,
// or, when the code names no group, the code cleared with a notice.
void validaGrupo(Field& codigo, Field& descricao)
{
    if (codigo.isNull())
        return;
    const QString grupo =
        CarregaDado("CODESCRICAO", "AATC05CO", " where cocodigo=" + QString::number(codigo.asInteger()) + " and coid='G' ")
            .trimmed();
    if (!grupo.isEmpty()) {
        descricao.setAsString(grupo);
        return;
    }
    codigo.clear();
    descricao.setAsString({});
    dmGlobal->MostraAviso("Grupo inválido.", false);
}

}  // namespace

bool TdmTecContrato::ComposicaoPorEquipamento()
{
    return dmGlobal->ParametroInteiro("ATMODOCOMPOSICAO") == 2;
}

void TdmTecContrato::ligarEventosMedidores()
{
    quCtrCadastroMedidor->onNewRecord = [](Dataset& dataset) {
        dataset.fieldByName("COCODIGO")->setAsInteger(ProximaChave(host::schema::kGeneratorMeter, "COCODIGO", "AATC05CO"));
        dataset.fieldByName("CODATA")->setAsDateTime(QDateTime::currentDateTime());
        dataset.fieldByName("COID")->setAsString("M");
    };
    // A meter or group that contracts still name stays, as in every other register.
    quCtrCadastroMedidor->beforeDelete = [](Dataset& dataset) {
        RecusarExclusaoEmUso(dataset, "COCODIGO",
                             {{"AATC05ACIT", "COCODIGO", "itens de contratos"},
                              {"AATC05FG", "COCODIGO", "franquias por grupo"},
                              {"AATC05ACITCO", "COCODIGO", "leituras de contratos"}},
                             dataset.fieldByName("COCODIGO")->asString() + " - " +
                                 dataset.fieldByName("CODESCRICAO")->asString());
    };

    quCtrCadastroItCo->onNewRecord = [this](Dataset& dataset) { NovaLeitura(dataset); };
    quCtrCadastroItCo->afterOpen = [](Dataset& dataset) { dmGlobal->SetaMascaraField(dataset); };
    quCtrCadastroItCo->beforePost = AvisaLeituraMenor;
    quCtrCadastroItCo->fieldByName("COCODIGO")->onChange = [](Field& codigo) {
        if (codigo.asInteger() > 0)
            codigo.dataset().fieldByName("CODESCRICAO")->setAsString(
                CarregaDado("CODESCRICAO", "AATC05CO", "where COCODIGO=" + QString::number(codigo.asInteger())));
    };

    quCtrCadastroIt->fieldByName("COCODIGO")->onChange = [this](Field& codigo) {
        validaGrupo(codigo, *quCtrCadastroIt->fieldByName("GRUPO"));
    };
    QuFranquiaPorGrupo->fieldByName("COCODIGO")->onChange = [this](Field& codigo) {
        validaGrupo(codigo, *QuFranquiaPorGrupo->fieldByName("CODESCRICAO"));
    };
    QuFranquiaPorGrupo->onNewRecord = [this](Dataset& dataset) {
        dataset.fieldByName("ACCODIGO")->setValue(quCtrCadastro->fieldByName("ACCODIGO")->value());
    };
    // The key is taken again at every post, as the franchise rows always had.
    QuFranquiaPorGrupo->beforePost = [](Dataset& dataset) {
        dataset.fieldByName("FGCODIGO")->setAsInteger(
            ProximaChave(host::schema::kGeneratorFranchise, "FGCODIGO", "AATC05FG"));
    };

    quCtrCadastroCM->onNewRecord = [this](Dataset& dataset) {
        ZerarNumericField(dataset);
        dataset.fieldByName("PRCODIGO")->setAsString("1");
        dataset.fieldByName("ACCODIGO")->setValue(quCtrVeiculo->fieldByName("ACCODIGO")->value());
        dataset.fieldByName("ACITCODIGO")->setValue(quCtrVeiculo->fieldByName("EVCODIGO")->value());
        dataset.fieldByName("ACEVCODIGO")->setValue(quCtrVeiculo->fieldByName("ACEVCODIGO")->value());
        dataset.fieldByName("CMSEQUENCIA")->setAsInteger(SequenciaComposicaoEquipamento(
            dataset.fieldByName("PRCODIGO")->asString(), dataset.fieldByName("ACEVCODIGO")->asString()));
    };
    // Taken again when stored: another desk may have added a component to
    // the line since this row was made.
    quCtrCadastroCM->beforePost = [this](Dataset& dataset) {
        if (dataset.state() == host::data::DatasetState::Insert)
            dataset.fieldByName("CMSEQUENCIA")->setAsInteger(SequenciaComposicaoEquipamento(
                dataset.fieldByName("PRCODIGO")->asString(), dataset.fieldByName("ACEVCODIGO")->asString()));
    };
    quCtrCadastroCM->afterScroll = [this](Dataset& cm) {
        if (!ComposicaoPorEquipamento())
            return;
        CarregaContadoresComposicaoItemContrato(
            cm.fieldByName("ACCODIGO")->asInteger(), cm.fieldByName("ACITCODIGO")->asInteger(),
            cm.fieldByName("ACEVCODIGO")->asInteger(), cm.fieldByName("PRCODIGO")->asString(),
            cm.fieldByName("CMCODIGO")->asString(), cm.fieldByName("CMSEQUENCIA")->asInteger());
    };

    // After the item's own scroll rule, when there is one.
    quCtrCadastroIt->afterScroll = [this, regraDoItem = quCtrCadastroIt->afterScroll](Dataset& itens) {
        if (regraDoItem)
            regraDoItem(itens);
        AtualizaComposicaoDoItem();
    };

    for (Query* query : {quCtrCadastroMedidor, quCtrCadastroItCo, QuFranquiaPorGrupo, quCtrCadastroCM}) {
        query->afterPost = commitRetainingMedidor;
        query->afterDelete = commitRetainingMedidor;
    }
}

void TdmTecContrato::NovaLeitura(Dataset& leitura)
{
    ZerarFloatField(leitura);
    leitura.fieldByName("ACITCOCODIGO")->setAsInteger(
        ProximaChave(host::schema::kGeneratorMeterReading, "ACITCOCODIGO", "AATC05ACITCO"));
    leitura.fieldByName("ACITCODIGO")->setValue(quCtrCadastroIt->fieldByName("ACITCODIGO")->value());
    leitura.fieldByName("CODIGOPRODUTO")->setValue(quCtrCadastroIt->fieldByName("PRCODIGO")->value());
    leitura.fieldByName("ACITNUMEROSERIE")->setValue(quCtrCadastroIt->fieldByName("ACITNUMEROSERIE")->value());
    if (!ComposicaoPorEquipamento() || !linhaCorrente(*quCtrCadastroCM))
        return;
    // Tied to the composition now shown, with the equipment line its list
    // is read by, so the new reading is among the ones listed.
    for (const char* campo : {"PRCODIGO", "CMCODIGO", "CMSEQUENCIA"})
        leitura.fieldByName(campo)->setValue(quCtrCadastroCM->fieldByName(campo)->value());
    leitura.fieldByName("COCODIGO")->setAsInteger(1);
    leitura.fieldByName("EVCODIGO")->setValue(quCtrCadastroCM->fieldByName("ACEVCODIGO")->value());
    // Without a current contract item the reading belongs to the composition's.
    if (!linhaCorrente(*quCtrCadastroIt))
        leitura.fieldByName("ACITCODIGO")->setValue(quCtrCadastroCM->fieldByName("ACITCODIGO")->value());
}

void TdmTecContrato::AtualizaComposicaoDoItem()
{
    if (ComposicaoPorEquipamento())
        CarregaComposicaoEquipContrato(quCtrVeiculo->fieldByName("ACCODIGO")->asInteger(),
                                       quCtrVeiculo->fieldByName("ACEVCODIGO")->asInteger());
}
