#pragma once
// What the assistance-order window decides and reads without being a window:
// which of its controls the order's kind and status allow, the lists of
// earlier values of its combos, the delivery and billing address texts and
// the condition of its fiscal-operation list. The window applies the
// answers; the tests ask them here.

#include <QString>
#include <QStringList>

#include <optional>

namespace assvenda {

// What "&Finalizar" would do with the order as it is.
enum class AcaoFinalizar { Nenhuma, GerarPedido, GerarContrato };

struct EstadoTela {
    // AutoEdit of the three data sources and "&Salvar", "&Cancelar", "&Excluir".
    bool editavel = false;
    // "&Finalizar" enabled; empty when the kind is neither proposal nor
    // order and the button keeps its state.
    std::optional<bool> finalizar;
    AcaoFinalizar acaoFinalizar = AcaoFinalizar::Nenhuma;
    bool abaConfigurados = false;   // "Equipamentos Configurados" shown
    bool textosVermelhos = false;   // kind and status texts red, else green
    // Caption of the print button; empty when it keeps its caption.
    QString legendaImpressao;
};

// An order open to change: pending or in progress (empty), ready to bill
// ("N") or a back-order ("P"); in production, released or delivered it is not.
bool statusEditavel(const QString& status);

// Before a line of the current order (dmTec's quAssVenda) is saved or
// deleted: an order the window let the user change, which another desk has
// since put in production, released or delivered, refuses it in words; what
// was released is what is delivered and billed. An order loaded already
// closed (the checkout's own work) is not refused here.
void RecusarLinhaDePedidoFechado();

// tipo: AUX2 ("0" proposal, "1" order); status: IMPRESSO_NF as stored;
// modo: ATMODOPEDIDOASSISTENCIA.
EstadoTela estadoTela(const QString& tipo, const QString& status, const QString& modo);

// "&Finalizar" on the current order of dmTec: a proposal with an empty status
// becomes an order, an order in "N" a rental contract (each after its
// question); any other record is left as it is.
void FinalizarPedidoAss();

// The first 30 distinct non-empty values of a column of the orders, in
// order; with a customer, only that customer's orders. Runs on the host's
// auxiliary query.
QStringList valoresAnteriores(const QString& coluna, const std::optional<QString>& cliente = std::nullopt);
QStringList CarregaListaPeriodo();
QStringList CarregaListaTipoContrato();
QStringList CarregaListaProjetos(const QString& cliente);
QStringList CarregaListaPedidosCliente(const QString& cliente);

// Address texts of an order in the host observations (kind "V"): 100
// delivery, 101 billing.
inline constexpr int kSequenciaEntrega = 100;
inline constexpr int kSequenciaCobranca = 101;

// The stored text, read through the host observation dataset, which is left
// on the order's row; empty when the number is blank (nothing is read).
std::optional<QString> textoEndereco(const QString& numero, int sequencia);

// The address of a contact (AUGC3701) in one line, with no "-" left in it.
QString enderecoContato(const QString& contato);

// Writes the contact's address as the order's text of that sequence and
// commits. An empty address warns "Aviso: Endereço de <rotulo> não
// cadastrado!" and writes nothing; false then.
bool gravarEnderecoCadastro(const QString& numero, const QString& contato, int sequencia, const QString& rotulo);

// The condition of the fiscal operations offered on the order.
// regraOperacaoItem: ATREGRAOPERACAOITEM; vendedorComissao: the user is a
// salesman and ATCOMISSAOPRODUTOVENDEDOR is "A".
QString condicaoOperacoes(const QString& regraOperacaoItem, bool vendedorComissao);

}  // namespace assvenda
