// The order's items on a sales order of their own: one pending-product line
// and one additional text per item taking part, the item marked delivered or
// returned.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/db/Database.h"


namespace {

// Under "P" only the items still authorised travel; otherwise all of them.
bool itemParticipaDoPedido()
{
    return parametro("ATENVIOEMAILOS") != "P" || dmTec->quOSItemAOITAUTORIZADO->asString() == "S";
}

QString textoItemPedido()
{
    const TdmTec& tec = *dmTec;
    if (parametro("ATMODOVEICULO") == "O")
        return "Placa:" + tec.quOSItemAOITPLACA->asString() + "  Marca:" + tec.quOSItemAOITMARCA->asString() +
               "  Modelo:" + tec.quOSItemAOITMODELO->asString();
    return tec.quOSItemAOITMARCA->asString() + "  " + tec.quOSItemAOITMODELO->asString() + "  N/S " +
           tec.quOSItemAOITSERIE->asString() + "   " + tec.quOSItemAOITMOTORNUMERO->asString();
}

void observacaoItemPedido(const QString& pedido, const QString& texto)
{
    const int sequencia = int(MaximoDado("obSequencia", "augc70ob", "obCodigo", pedido, " and obID = 'V'", false)) + 1;
    dmGlobal->GravaObservacao(pedido, "V", sequencia, texto);
}

// One pending-product line and one text per item taking part, each item
// marked; the items' freight summed.
double itensNoPedido(const QString& pedido)
{
    TdmTec& tec = *dmTec;
    host::data::Query& itens = *tec.quOSItem;
    const QString marca = parametro("ATMODOFATURAMENTOOS") == "5" ? "E" : "D";
    const bool produtoDoItem = parametro("ATOPCAOTELAOS") == "U";
    double frete = 0;
    for (itens.first(); !itens.eof(); itens.next()) {
        if (!itemParticipaDoPedido())
            continue;
        dmGlobal->InseriProdutoPendencia(produtoDoItem ? tec.quOSItemAOITPRCODIGO->asString() : QString("999"),
                                         pedido, tec.quOSItemAOITQUANTIDADE->asFloat(), 0, false, false,
                                         tec.quOSItemAOITVALORNFREMESSA->asFloat(), 0, 0,
                                         tec.quOSItemAOITEQUIPDESCRICAO->asString().left(25),
                                         tec.quOSItemAOCODIGO->asInteger(), {}, false, {}, {}, {}, {}, {}, {}, 0);
        observacaoItemPedido(pedido, textoItemPedido());
        frete += tec.quOSItemAOITVALORFRETE->asFloat();
        itens.edit();
        tec.quOSItemAOITAUTORIZADO->setAsString(marca);
        itens.post();
    }
    if (parametro("ATSOMAITENSPEDIDO") == "O")
        dmGlobal->SomarPedidoItensCoincidentes(pedido);
    return frete;
}

// The header completed once every line is in: the representative, the
// items' freight and the total that carries it.
void completarPedidoDosItens(const QString& pedido, double frete)
{
    // The pending lines were added without their total: the order gets it.
    dmGlobal->PVLacoGravacaoItem();
    dmGlobal->CarregaPedidoVenda(pedido);
    host::data::Query& registro = *dmGlobal->quPedidoVenda;
    registro.edit();
    registro.fieldByName("COD_REPRES")->setAsString(dmTec->quOSFOCODIGOREPRESENTANTE->asString());
    if (frete > 0)
        registro.fieldByName("VEVALORDESPESAVIAGEM")->setAsFloat(frete);
    dmGlobal->PedidoVendaAtualizarTotalizador();
    registro.post();
    registro.close();
}

// A refused step leaves a row in edit and marks on the screen that were
// taken back: both go, the items shown as stored.
void descartarPedidoDosItens()
{
    TdmTec& tec = *dmTec;
    if (tec.quOSItem->active() && tec.quOSItem->editing())
        tec.quOSItem->cancel();
    if (host::data::Query* pedido = dmGlobal->quPedidoVenda) {
        if (pedido->active() && pedido->editing())
            pedido->cancel();
        pedido->close();
    }
    tec.CarregaOSItens(tec.quOSAOCODIGO->asInteger(), 0);
}

}  // namespace

void TfmAssOrdemServico::OSEmissaoPedidoItens(bool CreateHeader, QString& OrderNumber)
{
    TdmTec& tec = *dmTec;
    host::data::Query& itens = *tec.quOSItem;
    if (!itens.active())
        tec.CarregaOSItens(tec.quOSAOCODIGO->asInteger(), 0);
    if (!CreateHeader) {
        itensNoPedido(OrderNumber);
        return;
    }
    bool algum = false;
    for (itens.first(); !itens.eof() && !algum; itens.next())
        algum = itemParticipaDoPedido();
    if (!algum && MostraPergunta("Não há itens para devolução ou entrega na ordem de serviço. Deseja continuar?",
                                 {"Sim", "Não"}) != "Sim")
        host::abortOperation();
    // The order, its lines and the items' marks are one unit: the commits the
    // steps ask for wait for the end, and a refused step takes back all of it.
    try {
        host::db::runAsOneCommit(*dmGlobal->IBTransaction1, [&] {
            OrderNumber = dmGlobal->InserirPedidoVenda(
                tec.quOSCLCODIGO->asString(), {}, {}, tec.quOSTVCODIGO->asString(), {},
                tec.quOSOFCODIGO->asString(), "S", {}, {}, parametro("ATLOCALESTOQUEDOCUMENTO"), {},
                tec.quOSORCTCODIGO->asInteger(), QDateTime(), {}, {});
            completarPedidoDosItens(OrderNumber, itensNoPedido(OrderNumber));
        });
    } catch (...) {
        descartarPedidoDosItens();
        throw;
    }
    dmGlobal->MostraAviso("Operação efetuada com sucesso!\rPedido gerado: " + OrderNumber, false);
}
