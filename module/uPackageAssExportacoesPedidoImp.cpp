// The plain names of the printed assistance orders: the host prints by order
// number, the service data module created first.

#include "module/uPackageAss.h"

#include "rental/uAssVendasImp.h"
#include "rental/uAssVendasImp2.h"

extern "C" {

void exportaVisualizarPedidoProducaoAssVenda(const QString&) __asm__("VisualizarPedidoProducaoAssVenda");
void exportaVisualizarPedidoProducaoAssVenda(const QString& pedido)
{
    uPackageAss::CriarDataTec();
    VisualizarPedidoProducaoAssVenda(pedido);
}

void exportaVisualizarPedidoLocacaoAssVenda(const QString&) __asm__("VisualizarPedidoLocacaoAssVenda");
void exportaVisualizarPedidoLocacaoAssVenda(const QString& pedido)
{
    uPackageAss::CriarDataTec();
    VisualizarPedidoLocacaoAssVenda(pedido);
}

}
