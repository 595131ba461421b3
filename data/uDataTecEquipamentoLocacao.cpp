// Rentable equipment (quEquipamentoLocacao, AUGC20EV) with its accessories
// (quAcessoriosLocacao) and product groups (quEquipamentoGrupo): the words
// behind the one-letter codes, the code of a new record (the largest + 1,
// read again before the insert when another station took it meanwhile),
// and the two lists following the current equipment. These rules are not
// reported to the customisation hook: only the delete is, as the register's.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/schema/SchemaDefinition.h"

#include <initializer_list>
#include <utility>

using host::data::Dataset;
using host::data::Field;

namespace {

using LegendaLocacao = std::initializer_list<std::pair<const char*, const char*>>;

const LegendaLocacao kStatusLocacao = {{"D", "Disponível"}, {"R", "Reservado"}, {"L", "Locado"}, {"S", "Sublocado"},
                                       {"E", "Em Uso"},     {"V", "Vendido"},   {"I", "Inativo"}};
const LegendaLocacao kTipoLocacao = {{"L", "L - Equipamento de locação principal"},
                                     {"A", "A - Acessório do equipamento de locação"}};
const LegendaLocacao kSubLocado = {{"S", "Sim"}, {"N", "Não"}};
const LegendaLocacao kControleLocacao = {{"I", "I - Controle individual"}, {"Q", "Q - Controle por quantidade"}};

void legendaLocacao(Dataset& d, const char* coluna, LegendaLocacao codigos)
{
    Field* campo = d.findField(coluna);
    if (!campo)
        return;
    campo->onGetText = [codigos](Field& f, QString& texto, bool) {
        const QString valor = f.asString().trimmed();
        texto.clear();
        for (const auto& [codigo, caption] : codigos)
            if (valor == QString::fromLatin1(codigo))
                texto = QString::fromUtf8(caption);
    };
}

int proximoCodigoLocacao()
{
    return ProximaChave(host::schema::kGeneratorRentalEquipment, "EVCODIGO", "AUGC20EV");
}

int equipamentoAtualLocacao(Dataset& equipamentos)
{
    return equipamentos.active() && !equipamentos.isEmpty() ? equipamentos.fieldByName("EVCODIGO")->asInteger() : 0;
}

// The list on the equipment's rows; none before the equipment has a code.
void carregaListaLocacao(host::data::Query& lista, const QString& alias, int equipamento)
{
    lista.close();
    LimpaFiltro(&lista);
    AlocaFiltro(&lista, alias + ".EVCODIGO = " + QString::number(equipamento));
    lista.open();
}

}  // namespace

void TdmTec::bindEquipamentoLocacaoHandlers()
{
    Dataset& equipamentos = *quEquipamentoLocacao;
    equipamentos.onFieldsCreated = [](Dataset& d) {
        legendaLocacao(d, "EVSTATUS", kStatusLocacao);
        legendaLocacao(d, "EVID", kTipoLocacao);
        legendaLocacao(d, "EVSUBLOCADO", kSubLocado);
        legendaLocacao(d, "EVEQUIPTOCONTROLE", kControleLocacao);
        TdmGlobal::SetaFormatoValor(d);
    };
    // A unit just registered is on no contract: free, as the contract
    // module marks a unit that comes back.
    equipamentos.onNewRecord = [](Dataset& d) {
        d.fieldByName("EVCODIGO")->setAsInteger(proximoCodigoLocacao());
        d.fieldByName("EVSTATUS")->setAsString("D");
    };
    equipamentos.beforePost = [](Dataset& d) {
        Field& codigo = *d.fieldByName("EVCODIGO");
        if (d.state() == host::data::DatasetState::Insert &&
            (codigo.isNull() ||
             ContadorDados("EVCODIGO", "AUGC20EV", QString::number(codigo.asInteger()), {}, true) > 0))
            codigo.setAsInteger(proximoCodigoLocacao());
    };
    equipamentos.afterScroll = [this](Dataset& d) {
        CarregaItensEquipamentoLocacao();
    };
    // A new accessory or group row belongs to the equipment shown.
    quAcessoriosLocacao->onNewRecord = [this](Dataset& d) {
        d.fieldByName("EVCODIGO")->setAsInteger(equipamentoAtualLocacao(*quEquipamentoLocacao));
    };
    quEquipamentoGrupo->onNewRecord = [this](Dataset& d) {
        d.fieldByName("EVCODIGO")->setAsInteger(equipamentoAtualLocacao(*quEquipamentoLocacao));
    };
    quEquipamentoGrupo->beforePost = [](Dataset& d) {
        if (d.state() == host::data::DatasetState::Insert)
            d.fieldByName("EVGRSEQUENCIA")->setAsInteger(
                ProximaChave(host::schema::kGeneratorRentalEquipmentGroup, "EVGRSEQUENCIA", "AUGC20EVGR"));
    };
}

void TdmTec::CarregaItensEquipamentoLocacao()
{
    const int equipamento = equipamentoAtualLocacao(*quEquipamentoLocacao);
    carregaListaLocacao(*quAcessoriosLocacao, "Evi", equipamento);
    carregaListaLocacao(*quEquipamentoGrupo, "Eg", equipamento);
}
