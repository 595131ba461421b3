#pragma once
// Two documents the contract register issues for the goods of a contract
// through the host's sales orders: the shipment invoice of the contract's
// items (a temporary order becomes an outgoing invoice tied to the contract)
// and the supply order (the company's own order under nature "05949", one
// line per product of the contracting customer's price list). Both work on
// the current rows of dmTecContrato (quCtrCadastro, quCtrCadastroIt).

#include <QDateTime>
#include <QString>
#include <QVariantMap>

class TfmNotaFiscal;

namespace uDataTecContRemessa {

// "Dt: 05/01/26 até 05/01/27": the item's installation and closing dates
// (an empty date leaves its place empty).
QString ObservacaoPeriodo(const QDateTime& instalacao, const QDateTime& encerramento);

// An item of the contract as the shipment reads it.
struct ItemRemessa {
    QString produto;        // PRCODIGO
    int item = 0;           // ACITCODIGO
    double quantidade = 0;  // ACITQUANTIDADE
    double desconto = 0;    // ACITDESCONTO
    QDateTime instalacao;   // ACITINSTALACAO
    QDateTime encerramento; // ACITDATAENCERRAMENTO
    QString complemento;    // ACITCOMPLEMENTO
};
// The parameters of the item's line on the temporary order: the cost cut
// to cents as the value, quantity times the cost as the total, the unit of
// measure's first two characters.
QVariantMap ParametrosLinha(const ItemRemessa& item, double custo, const QString& unidadeMedida,
                            const QString& pedido, int contrato, const QDateTime& hoje);
// The statement that writes one line.
extern const char* const kInsereLinha;

// The temporary sales order of the loaded contract (quCtrCadastro): its
// customer and branch, the operation, ready to invoice ("N") and tied to the
// contract; committed. Returns its number.
QString PedidoTemporario(const QString& operacao);
// The temporary order's header, lines, configured lines and line texts
// (nothing committed).
void ExcluirPedidoTemporario(const QString& pedido);

// The invoice window, made afresh for one emission and released after it;
// get() is null once the window was closed meanwhile.
class JanelaNota {
public:
    JanelaNota();
    ~JanelaNota();
    JanelaNota(const JanelaNota&) = delete;
    JanelaNota& operator=(const JanelaNota&) = delete;
    TfmNotaFiscal* get() const;

private:
    static void liberar();
};

}  // namespace uDataTecContRemessa

// "&Emitir Remessa": the shipment invoice of the loaded items.
void EmitirRemessaContrato();
// "Gerar Ordem de Abastecimento": the supply order of the contracting
// customer's price list.
void GerarOrdemAbastecimento();
