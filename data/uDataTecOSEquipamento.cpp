// Orders started from equipment the workshop has seen before: the latest
// order holding the plate, order number, serial number or internal code
// gives the new order its customer, contact, technician and item; a plate
// no item has yet becomes a new order with a vehicle item of a chosen model.
// The other routine adds to the current order the equipment item of the
// plate's latest other order.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/Upesqgeral.h"
#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"

#include <stdexcept>

using host::data::Dataset;
using host::data::DatasetState;
using host::data::DetachHandler;
using host::data::Field;
using host::data::Query;

namespace {

// The item column each search kind compares.
QString colunaPesquisa(const QString& tipo)
{
    if (tipo == "O")
        return "item.aoitplaca";
    if (tipo == "P")
        return "Item.AoCodigo";
    if (tipo == "A")
        return "Item.AOITSERIE";
    if (tipo == "C")
        return "Item.AOITCODIGOINTERNO";
    throw std::invalid_argument("NovaOSEquipamentoPreExistente: tipo de pesquisa desconhecido " + tipo.toStdString());
}

// The items of the kind's value with their orders, the latest order first.
// The value is a parameter: it is what the user typed.
std::unique_ptr<Query> itensAnteriores(const QString& tipo, const QString& valor)
{
    auto query = CriarIbQuery("quEquipamentoPreExistente");
    query->setSql("select OS.clCodigo, OS.AOCONTATO, OS.ATCODIGO, OS.ascodigo, Item.AoCodigo,\n"
                  " Item.AOITANOFABRICACAO, Item.AOITCOMBUSTIVEL, Item.AOITCOR, Item.AOITDATACOMPRA,\n"
                  " Item.AOITDEFEITO, Item.AOITEQUIPCODIGO, Item.AOITEQUIPDESCRICAO, Item.AOITFOTO,\n"
                  " Item.AOITKMINICIAL, Item.AOITLOJACOMPRA, Item.AOITMARCA, Item.AOITMODELO,\n"
                  " Item.AOITNUMERONOTAFISCAL, Item.AOITPLACA, Item.AOITPOSICAOCOMBUSTIVEL, Item.AOITQUANTIDADE,\n"
                  " Item.AOITSERIE, Item.AOITCODIGOINTERNO, Item.AOITCARROCERIANUMERO, Item.AOITCARROCERIAMARCA,\n"
                  " Item.AOITRENAVAN, Item.AOITMOTORNUMERO, Item.FOCONSECIONARIA\n"
                  "from AATC01AOIT Item\n"
                  " left outer join AATC01AO OS on (OS.AOCODIGO = Item.AOCODIGO)\n"
                  "where Upper(" + colunaPesquisa(tipo) + ") = :VALOR\n"
                  "order by OS.AODATAENTRADA desc");
    query->paramByName("VALOR")->setValue(valor.toUpper());
    return query;
}

QVariant valorOrigem(const Dataset& origem, const char* coluna)
{
    return origem.fieldByName(QString::fromLatin1(coluna))->value();
}

// Text columns copied as they are, in the given order (each assignment runs
// the field's own change rule).
void copiarTextos(Dataset& destino, const Dataset& origem, std::initializer_list<const char*> colunas)
{
    for (const char* coluna : colunas)
        destino.fieldByName(QString::fromLatin1(coluna))
            ->setAsString(origem.fieldByName(QString::fromLatin1(coluna))->asString());
}

void semNotasDeRemessa(TdmTec& tec)
{
    if (parametroAparado("ATQUANTIDADEREQUERIDA") != "S")
        return;
    tec.quOSItemAOITNUMERONFREMESSA->clear();
    tec.quOSItemAOITNUMERONOTAFISCAL->clear();
    tec.quOSItemAOITKMINICIAL->setAsFloat(0);
}

// True when the order is started here (not already being created).
bool iniciarOrdem(TdmTec& tec)
{
    if (tec.quOS->state() == DatasetState::Insert)
        return false;
    tec.quOS->append();
    return true;
}

// The items of the order in the header, ready for a new one.
void abrirItensDaOrdem(TdmTec& tec)
{
    tec.CarregaOSItens(tec.quOSAOCODIGO->asInteger(), 0);
}

// A plate no item has: a new order with a vehicle item of the chosen model.
void novaOSVeiculoNovo(TdmTec& tec, const QString& placa)
{
    QString modelo, descricao, naoUsado;
    if (!SelecionaPesquisaGeral(79, "ENCODIGO", "ENDESCRICAO", "ENCODIGO", modelo, descricao, naoUsado))
        return;
    iniciarOrdem(tec);
    if (tec.quOSCLCODIGO->asString().trimmed().isEmpty()) {
        QString nome, codigo, fantasia;
        if (SelecionaCliente(nome, codigo, fantasia))
            tec.quOSCLCODIGO->setAsString(codigo);
    }
    const QString marca = CarregaDado("ERCodigo", "AUGC23EN", "Where enCodigo = " + QuotedStr(modelo));
    tec.quOS->post();

    abrirItensDaOrdem(tec);
    tec.quOSItem->append();
    tec.quOSItemAOITEQUIPCODIGO->setAsInteger(modelo.toInt());
    tec.quOSItemAOITMODELO->setAsString(descricao);
    if (!marca.trimmed().isEmpty())
        tec.quOSItemAOITMARCA->setAsString(
            CarregaDado("ERDESCRICAO", "AUGC24ER", "Where erCodigo = " + QuotedStr(marca)));
    tec.quOSItemAOITEQUIPDESCRICAO->setAsString("Veículo " + tec.quOSItemAOITMARCA->asString() + " " + descricao);
    tec.quOSItemAOITPLACA->setAsString(placa.toUpper());
    tec.quOSItem->post();
    host::abortOperation();
}

// The item of the latest order; the condition (fuel, defect, odometer) only
// when the user wants it.
void copiarItemAnterior(TdmTec& tec, const Dataset& ultima, bool bCondicao)
{
    Dataset& item = *tec.quOSItem;
    tec.quOSItemAOITANOFABRICACAO->setValue(valorOrigem(ultima, "AOITANOFABRICACAO"));
    copiarTextos(item, ultima, {"AOITCOR"});
    tec.quOSItemAOITDATACOMPRA->setValue(valorOrigem(ultima, "AOITDATACOMPRA"));
    if (bCondicao) {
        copiarTextos(item, ultima, {"AOITCOMBUSTIVEL", "AOITDEFEITO"});
        tec.quOSItemAOITKMINICIAL->setAsFloat(valorOrigem(ultima, "AOITKMINICIAL").toDouble());
        copiarTextos(item, ultima, {"AOITPOSICAOCOMBUSTIVEL"});
    } else {
        tec.quOSItemAOITKMINICIAL->setAsFloat(0);
    }
    tec.quOSItemAOITEQUIPCODIGO->setAsInteger(valorOrigem(ultima, "AOITEQUIPCODIGO").toInt());
    copiarTextos(item, ultima, {"AOITEQUIPDESCRICAO", "AOITLOJACOMPRA", "AOITMARCA", "AOITMODELO",
                                "AOITNUMERONOTAFISCAL", "AOITPLACA"});
    tec.quOSItemAOITQUANTIDADE->setAsFloat(valorOrigem(ultima, "AOITQUANTIDADE").toDouble());
    copiarTextos(item, ultima, {"AOITSERIE", "AOITCODIGOINTERNO", "AOITCARROCERIAMARCA", "AOITCARROCERIANUMERO",
                                "AOITRENAVAN", "AOITMOTORNUMERO"});
    const QString consecionaria = valorOrigem(ultima, "FOCONSECIONARIA").toString();
    if (!consecionaria.trimmed().isEmpty())
        tec.quOSItemFOCONSECIONARIA->setAsString(consecionaria);
}

// The latest order of the equipment (the first row) gives the order its
// customer, contact and technician and the item to copy.
void copiarUltimaOS(TdmTec& tec, const Dataset& ultima)
{
    QString resposta = "Sim";
    if (parametroAparado("ATCONFERERESERVA") == "A")
        resposta = MostraPergunta("Deseja carregar o ITEM da ultima O.S. gerada para esta Placa?", {"Sim", "Não"});
    bool ordemPropria = false;
    try {
        ordemPropria = iniciarOrdem(tec);
        tec.quOSCLCODIGO->setAsString(valorOrigem(ultima, "CLCODIGO").toString());
        tec.quOSAOCONTATO->setAsString(valorOrigem(ultima, "AOCONTATO").toString());
        tec.quOSATCODIGO->setValue(valorOrigem(ultima, "ATCODIGO"));
        if (tec.quOS->editing())
            tec.quOS->post();

        abrirItensDaOrdem(tec);
        // The copy brings its own description: the register must not refill it.
        DetachHandler semPreenchimento(tec.quOSItemAOITEQUIPCODIGO->onChange);
        tec.quOSItem->append();
        copiarItemAnterior(tec, ultima, resposta == "Sim");
        semNotasDeRemessa(tec);
        tec.quOSItem->post();
    } catch (...) {
        // The unsaved item, and the order when this routine started it, are
        // its own; what was saved stays.
        if (tec.quOSItem->active() && tec.quOSItem->state() == DatasetState::Insert)
            tec.quOSItem->cancel();
        if (ordemPropria && tec.quOS->state() == DatasetState::Insert)
            tec.quOS->cancel();
        dmGlobal->MostraErro("Não foi possível carregar dados da OS");
    }
    dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
}

}  // namespace

void TdmTec::NovaOSEquipamentoPreExistente(const QString& tipo, const QString& valorPesquisa, bool bNovaOS)
{
    std::unique_ptr<Query> anteriores = itensAnteriores(tipo, valorPesquisa);
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("[NovaOSEquipamentoPreExistente] Sql para Seleção de Dados.",
                                     anteriores->sql(), false, "Confirmação");
    anteriores->open();
    if (anteriores->isEmpty()) {
        if (!bNovaOS)
            dmGlobal->MostraAviso("Registro não encontrado!", true);
        novaOSVeiculoNovo(*this, valorPesquisa);
        return;
    }
    copiarUltimaOS(*this, *anteriores);
}

namespace {

const char* const kJuncoesItem =
    "Left Outer Join Aatc03ae eq on item.AOITEQUIPCODIGO=Eq.AECodigo\r"
    "Left Outer Join Aatc01ao OS on item.aoCodigo=Os.aoCodigo\r";

// The equipment (not vehicle) item of the plate's latest order other than
// `ordem`: that order and the item's equipment code, empty when none.
QPair<QString, QString> equipamentoDaPlaca(const QString& placa, int ordem)
{
    // Both joined tables have AOCODIGO: the item's is named, an unqualified
    // name is refused by the engine as ambiguous.
    const QString ultima =
        CarregaDado("item.AoCodigo", "Aatc01Aoit item",
                    QString::fromLatin1(kJuncoesItem) + "Where item.AoitPlaca = " + QuotedStr(placa.toUpper()) +
                        "\r and item.aocodigo <> " + QString::number(ordem) + "\r Order by Os.AODATAENTRADA desc ",
                    dmGlobal->quAuxiliar);
    // No other order with the plate: nothing to look for (an empty code
    // compared with the numeric order column would be a conversion error).
    if (ultima.isEmpty())
        return {};
    const QString equipamento =
        CarregaDado("AoitEquipCodigo", "Aatc01Aoit item",
                    QString::fromLatin1(kJuncoesItem) + "Where item.AoCodigo = " + QuotedStr(ultima) +
                        "\r  and Eq.AeIdentificador <> " + QuotedStr("V") + "\r Order by Os.AODATAENTRADA   ",
                    dmGlobal->quAuxiliar2);
    return {ultima, equipamento};
}

std::unique_ptr<Query> itemDoEquipamento(const QString& ordem, const QString& equipamento)
{
    auto query = CriarIbQuery("quEquipamentoPlaca");
    query->setSql("select AoCodigo, AOITCOR, AOITDATACOMPRA, AOITDEFEITO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO,\n"
                  " AOITLOJACOMPRA, AOITMARCA, AOITMODELO, AOITNUMERONOTAFISCAL, AOITQUANTIDADE, AOITSERIE,\n"
                  " AOITCODIGOINTERNO, AOITNUMERONFREMESSA, AOITESPECIE\n"
                  "from AATC01AOIT\n"
                  "where AoCodigo = " + ordem + " and AOITEQUIPCODIGO = " + QuotedStr(equipamento));
    query->open();
    return query;
}

void copiarEquipamento(TdmTec& tec, const Dataset& origem)
{
    Dataset& item = *tec.quOSItem;
    copiarTextos(item, origem, {"AOITCOR"});
    tec.quOSItemAOITDATACOMPRA->setValue(valorOrigem(origem, "AOITDATACOMPRA"));
    copiarTextos(item, origem, {"AOITDEFEITO"});
    tec.quOSItemAOITEQUIPCODIGO->setAsInteger(valorOrigem(origem, "AOITEQUIPCODIGO").toInt());
    copiarTextos(item, origem, {"AOITEQUIPDESCRICAO", "AOITLOJACOMPRA", "AOITMARCA", "AOITMODELO",
                                "AOITNUMERONOTAFISCAL"});
    tec.quOSItemAOITQUANTIDADE->setAsFloat(valorOrigem(origem, "AOITQUANTIDADE").toDouble());
    copiarTextos(item, origem, {"AOITSERIE", "AOITCODIGOINTERNO", "AOITNUMERONFREMESSA", "AOITESPECIE"});
    semNotasDeRemessa(tec);
}

}  // namespace

void TdmTec::NovoEquipamentoPlacaPreExistente(const QString&, const QString& placa, int aoCodigo)
{
    const auto [ultima, equipamento] = equipamentoDaPlaca(placa, aoCodigo);
    if (equipamento.isEmpty())
        host::abortOperation();
    std::unique_ptr<Query> origem;
    try {
        if (MostraPergunta("Deseja inserir o equipamento associado a placa " + placa + " ?", {"Sim", "Não"}) != "Sim")
            return;
        origem = itemDoEquipamento(ultima, equipamento);
    } catch (...) {
        dmGlobal->MostraErro("Não foi possível carregar dados do equipamento pela Placa!");
    }
    try {
        // The copy brings its own description: the register must not refill it.
        DetachHandler semPreenchimento(quOSItemAOITEQUIPCODIGO->onChange);
        quOSItem->append();
        copiarEquipamento(*this, *origem);
        quOSItem->post();
        dmGlobal->IBTransaction1->commitRetaining();
        dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
    } catch (...) {
        // The copy ends where it failed, without a message of its own.
    }
}
