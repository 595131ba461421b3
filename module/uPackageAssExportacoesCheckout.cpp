// The checkout's plain names for the host: the checkout of one order, the
// modal list of orders ready to bill and the delivery/pick-up protocol. Each
// first creates the data modules the window or printout works on.

#include "module/uPackageAss.h"

#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssCheckoutProtocolo.h"

namespace {

void modulosCheckout()
{
    uPackageAss::CriarDataTec();
    uPackageAss::CriarDataTecContrato();
}

}  // namespace

extern "C" {

void exportaSelecionaCheckoutPedido(const QString&) __asm__("SelecionaCheckoutPedido");
void exportaSelecionaCheckoutPedido(const QString& numero)
{
    modulosCheckout();
    SelecionaCheckoutPedido(numero);
}

void exportaSelecionaConsultaCheckout() __asm__("SelecionaConsultaCheckout");
void exportaSelecionaConsultaCheckout()
{
    modulosCheckout();
    SelecionaConsultaCheckout();
}

void exportaVisualizarProtocoloEntregaContrato(int, const QString&) __asm__("VisualizarProtocoloEntregaContrato");
void exportaVisualizarProtocoloEntregaContrato(int contrato, const QString& tipo)
{
    modulosCheckout();
    VisualizarProtocoloEntregaContrato(contrato, tipo);
}

}
