#pragma once
// The checkout's rules, apart from its window: what the order's status
// enables, the pop-up menu by mode, the validation and the status steps
// (confirm, release, contract, equipment exit, reopening), the replacement of
// a line waiting on a back-order and the invoice of the order's contract.
// Each acts on dmTec's current order (quAssVenda) and its lines.

#include <QString>

#include <optional>

namespace asscheckout {

// What the status (IMPRESSO_NF) enables on the checkout window.
struct EstadoCheckout {
    bool confirmar = false;   // "Confirmar Checkout"
    bool reabrir = false;     // "Reabrir Checkout"
    bool liberar = false;     // "&Libera Faturamento"
    bool saida = false;       // "&Saída Equipamentos"
    bool gradeEditavel = false;   // the configured lines, while nothing was confirmed
};
EstadoCheckout estadoCheckout(const QString& status);

// The configured lines' pop-up menu by mode (ATMODOPEDIDOASSISTENCIA) and status.
struct MenuCheckout {
    bool menuCheckout = false;   // the checkout menu attached, else the host's general one
    bool dica = false;           // the grid's hint shown
    std::optional<bool> notaFiscal;          // "Emissão Nota Fiscal"; empty: as it was
    std::optional<bool> protocoloRetirada;   // "Impressão Protocolo Retirada"; empty: as it was
};
MenuCheckout menuCheckout(const QString& modo, const QString& status);

// Requested quantity (complements left out) against the configured one, and
// whether any configured line is free of back-orders. ask tells whether the
// message is a question the user may accept.
void ValidarCheckout(const QString& pedido, bool& perguntar, QString& mensagem);

// "Confirmar Checkout": the question, the validation in mode "E", status "C",
// the serial movements and count message in mode "C"; the order reloaded.
void ConfirmarCheckout();
// "&Libera Faturamento": the contract in mode "E", else release for billing.
void LiberarFaturamento();
void LiberaPedidoFaturamento();
void GerarContratoPedidoAss();
// "&Saída Equipamentos": in mode "E" the invoice first and the delivery
// protocol after; status "S".
void SaidaEquipamentos();

// The password of "Reabrir Checkout"; false when cancelled, a wrong entry
// ends the operation with its warning.
bool SenhaReabrirCheckout();
// "Reabrir Checkout" of the checkout window: the password, then status empty.
void ReabrirCheckout();
// "Alterar Item Pendência" on the current configured line.
void AlterarItemPendencia();
// "Emissão Nota Fiscal": the rental register on the order's contract, its
// print button pressed. A refusal there ends the operation.
void EmissaoNotaFiscal();
// "Impressão Protocolo Entrega" / "Retirada" of the order's contract.
void ImprimirProtocolo(const QString& tipo);

// The order shown reloaded (header; its lines follow the window).
void RecarregarPedido();

}  // namespace asscheckout
