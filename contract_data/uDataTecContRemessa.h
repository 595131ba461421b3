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

#include <functional>

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

// The refusals of a shipment before anything is written: the loaded
// contract (quCtrCadastro) already holds its shipment document and has no
// line left to invoice, or there are no items to ship.
void RecusasRemessa(int contrato, int itens);
// One line of a temporary order, its parameters naming the columns of
// AVEC85IT; committed. A failed insert undoes only itself and ends the
// shipment ("Erro ao Gerar Nota Fiscal.").
void InserirLinhaPedido(const QVariantMap& parametros);

// The temporary sales order of the loaded contract (quCtrCadastro): its
// customer and branch, the operation, ready to invoice ("N") and tied to the
// contract; committed. Returns its number.
QString PedidoTemporario(const QString& operacao);
// The temporary order's header, lines, configured lines and line texts
// (nothing committed).
void ExcluirPedidoTemporario(const QString& pedido);

// The invoice of the temporary order through the invoice window. False
// when the window was closed before the invoice was issued.
bool EmitirNotaPedido(TfmNotaFiscal& nota, const QString& pedido);
// The loaded contract records its shipment document, issued today.
void RegistrarRemessaContrato(const QString& documento);
// "Atenção: verificar faturamento contrato ..." up to "Código do Erro: ",
// for the cause to be appended.
QString AtencaoFaturamento(int contrato, const QString& pedido);
// The temporary order removed and committed.
void DescartarPedidoTemporario(const QString& pedido);
// The invoice's emission and its recording on the contract as one whole,
// committed once at the end. A refusal on the way (another desk holding the
// contract) leaves no invoice, the contract as it was and no temporary
// order; it is shown after `atencao` in the user's words and ends the
// shipment.
void EmitirComoUmTodo(const QString& pedido, const QString& atencao, const std::function<void()>& passos);
// No invoice came out of the emission (its window was closed): the
// temporary order goes and the shipment ends with "Nota Fiscal não
// emitida."; an invoice issued before the window closed keeps the order and
// asks for the billing to be checked. Always ends the shipment.
void RecusaNotaNaoEmitida(const QString& pedido, const QString& atencao);
// The condition that names one issued invoice of ACEM1401.
QString CondicaoNota(const QString& documento, const QString& serie, const QString& cliente,
                     const QString& operacao, const QString& local);

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
