// The items' own sales order and the return document of the equipment are
// not built yet: the sales-document button says so instead of doing nothing.

#include "service_orders/uAssOrdemServico.h"

#include "host/Udmglobal.h"

void TfmAssOrdemServico::OSEmissaoPedidoItens(bool, QString&)
{
    dmGlobal->MostraErro("Pedido de venda dos itens da OS ainda não disponível.");
}

void TfmAssOrdemServico::OSEmissaoPedidoDevolucao()
{
    dmGlobal->MostraErro("Nota de devolução dos equipamentos ainda não disponível.");
}
