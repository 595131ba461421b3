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

}  // namespace

void TfmAssOrdemServico::OSEmissaoPedidoItens(bool CreateHeader, QString& OrderNumber)
{
    TdmTec& tec = *dmTec;
    host::data::Query& itens = *tec.quOSItem;
    if (!itens.active())
        tec.CarregaOSItens(tec.quOSAOCODIGO->asInteger(), 0);
    if (CreateHeader) {
        bool algum = false;
        for (itens.first(); !itens.eof() && !algum; itens.next())
            algum = itemParticipaDoPedido();
        if (!algum && MostraPergunta("Não há itens para devolução ou entrega na ordem de serviço. Deseja continuar?",
                                     {"Sim", "Não"}) != "Sim")
            host::abortOperation();
        OrderNumber = dmGlobal->InserirPedidoVenda(
            tec.quOSCLCODIGO->asString(), {}, {}, tec.quOSTVCODIGO->asString(), {}, tec.quOSOFCODIGO->asString(),
            "S", {}, {}, parametro("ATLOCALESTOQUEDOCUMENTO"), {}, tec.quOSORCTCODIGO->asInteger(), QDateTime(), {},
            {});
    }
    const QString marca = parametro("ATMODOFATURAMENTOOS") == "5" ? "E" : "D";
    const bool produtoDoItem = parametro("ATOPCAOTELAOS") == "U";
    double frete = 0;
    for (itens.first(); !itens.eof(); itens.next()) {
        if (!itemParticipaDoPedido())
            continue;
        dmGlobal->InseriProdutoPendencia(produtoDoItem ? tec.quOSItemAOITPRCODIGO->asString() : QString("999"),
                                         OrderNumber, tec.quOSItemAOITQUANTIDADE->asFloat(), 0, false, false,
                                         tec.quOSItemAOITVALORNFREMESSA->asFloat(), 0, 0,
                                         tec.quOSItemAOITEQUIPDESCRICAO->asString().left(25),
                                         tec.quOSItemAOCODIGO->asInteger(), {}, false, {}, {}, {}, {}, {}, {}, 0);
        observacaoItemPedido(OrderNumber, textoItemPedido());
        frete += tec.quOSItemAOITVALORFRETE->asFloat();
        itens.edit();
        tec.quOSItemAOITAUTORIZADO->setAsString(marca);
        itens.post();
    }
    if (parametro("ATSOMAITENSPEDIDO") == "O")
        dmGlobal->SomarPedidoItensCoincidentes(OrderNumber);
    if (!CreateHeader)
        return;
    // The pending lines were added without their total: the order gets it
    // and the work is kept before the header is completed.
    dmGlobal->PVLacoGravacaoItem();
    dmGlobal->CarregaPedidoVenda(OrderNumber);
    host::data::Query& pedido = *dmGlobal->quPedidoVenda;
    pedido.edit();
    pedido.fieldByName("COD_REPRES")->setAsString(tec.quOSFOCODIGOREPRESENTANTE->asString());
    if (frete > 0)
        pedido.fieldByName("VEVALORDESPESAVIAGEM")->setAsFloat(frete);
    // The freight is charged with the items: the order's total carries it.
    dmGlobal->PedidoVendaAtualizarTotalizador();
    pedido.post();
    pedido.close();
    dmGlobal->IBTransaction1->commitRetaining();
    dmGlobal->MostraAviso("Operação efetuada com sucesso!\rPedido gerado: " + OrderNumber, false);
}
