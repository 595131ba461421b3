#pragma once
// The host package PilvOut70: serial numbers and the contact e-mail search.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

// The condition (to follow " where 1=1 ") that selects, in AUGC50NS, the
// serial numbers of one stock-document item: product, document, series,
// operation, customer, stock location and item sequence. The date is not
// part of the key. An item without serials selects none.
QString NSRetornaCondicaoSQL(const QString& produto, const QString& documento, const QString& serie,
                             const QString& operacao, const QString& cliente, const QString& local,
                             int sequencia, const QDateTime& data);

// The e-mail addresses (";"-joined) of the contacts (AUGC3701) whose name or
// e-mail contains the text; tipo 0 = every contact, modo 2 = only those with
// an e-mail. The result is informational.
QString PesquisarEmailCodigoAleatorio(const QString& texto, int tipo = 0, int modo = 2);

// ---- serial-number movements (AUGC50NS) -----------------------------------
// A serial number's current movement is its row with the largest NSCODIGO.

// The serial-number picker: the serial numbers of the product among the
// movements that the condition (" and ...", alias ns, from code) selects,
// each listed once with its newest such movement. Arguments 4 to 9 are the
// document the numbers are picked for (sales order, purchase order, pending
// order, composition, contract, service order): numbers whose listed
// movement already belongs to it come selected. iUnico 1 allows one number,
// 0 several. The kind names the movement in the caption ("D" available,
// "I" inclusion). Options 1 to 7 are not used by this host.
// Result: how many numbers were chosen, their list in sNumerosSerie as quoted
// values ("'A1','A2'"); -1 (no window) when the product has none to offer;
// 0 when the user chose none or cancelled (sNumerosSerie then "").
int SelecionaNumerosSerie(const QString& sTipo, const QString& sProduto, const QString& sCondicao,
                          const QString& sVenda, const QString& sOrdemCompra, const QString& sOrdemProducao,
                          const QString& sComposicao, int iContrato, int iOrdemServico, QString& sNumerosSerie,
                          int iOpcao1, int iOpcao2, int iOpcao3, int iOpcao4, int iOpcao5, int iOpcao6,
                          int iOpcao7, int iUnico);

// Books one movement per serial number: sNumerosSerie is a quoted list
// ("'A1','A2'") or one number without quotes. The document references are
// texts ("" = none; the order, purchase-order, service-order and contract
// columns take the text's number). iItemContrato and iSequencia (0 = none)
// go to ACITCODIGO and NSSEQUENCIA; the three options are not used by this
// host. Nothing is committed. Returns the number of rows written.
int InserirRegistroNumerosSerieProduto(const QString& sNumerosSerie, const QString& sProduto, const QString& sStatus,
                                       const QString& sVenda, const QString& sOrdemCompra,
                                       const QString& sOrdemProducao, const QString& sOrdemServico,
                                       const QString& sContrato, const QString& sComposicao, const QString& sLocal,
                                       const QString& sObservacao, int iItemContrato, int iSequencia,
                                       int iOpcao1, int iOpcao2, int iOpcao3);

// Deletes the movements the condition selects (" where ...", from code). An
// empty condition deletes nothing (it would take every serial's history).
// Nothing is committed. Returns the number of rows deleted.
int ExcluirRegistroNumerosSerieProduto(const QString& sCondicao);

namespace host {
// The serial numbers of a list as SelecionaNumerosSerie gives it, or one
// number without quotes; blanks are dropped.
QStringList numerosSerieDaLista(const QString& lista);

// ---- a piece out on one line at a time -------------------------------------
// A serial number is out while its current movement names a contract whose
// line of the product (the one the movement names, or any when it names
// none) has not come back (returned, closed or given back), or names an
// order's configured line (an order pending OPCODIGO) before its contract.

// The line a serial number is being put out on: a contract's line (contract
// and item; item 0 while the line has no key), and the order the contract
// or the configured line belongs to ("" = none).
struct LinhaNumeroSerie {
    int contrato = 0;
    int item = 0;
    QString pedido;
};

// Takes the product's serial numbers for the line being saved, in the
// current transaction: the product's row and the numbers' movements are held
// until the commit before anything is read, so a second desk taking one of
// them meanwhile, moved or never moved, is refused by the database instead
// of putting it out twice. Refused (message, abort) when one is out on
// another line, naming the contract or the order that has it, while another
// desk is taking it, or when the product's pieces are registered and a
// number is none of them (RecusarNumerosSerieForaDoProduto). The numbers to
// book: those not out on this very line already, each once. Two statements
// to hold and one to read, however many numbers (one more when a number
// never moved).
QStringList TomarNumerosSerie(const QString& produto, const QStringList& numeros, const LinhaNumeroSerie& linha);

// Refused (message naming the product and the numbers, abort) when the
// product has registered pieces (entry movements) and a number has no
// movement of the product: a typing slip is not a new piece. A product with
// no registered piece takes any number. Two statements at most.
void RecusarNumerosSerieForaDoProduto(const QString& produto, const QStringList& numeros);

// Refused (message naming the quantity and the numbers read, abort) when
// the product has registered pieces and the line's quantity is not the
// count of the distinct numbers it names: each piece is booked, none left
// out of a text cut short. Reads only when they differ.
void RecusarQuantidadeDiferenteDasPecas(const QString& produto, const QStringList& numeros, double quantidade);

// The serial numbers typed in a line's text ("BT-0001", or several
// separated by commas or semicolons), quotes dropped, blanks left out.
QStringList numerosSerieDigitados(const QString& texto);

// What keeps the entry movement (NSCODIGO) of the product's serial number
// from going: "está locado no contrato 12" or "está no pedido \"000123\""
// while the piece is out, "possui movimentos posteriores (contrato 12, ...)"
// while later movements name it; empty when it never moved. One statement.
QString MovimentosPosterioresNumeroSerie(const QString& produto, const QString& numero, const QVariant& movimento);

// The condition (" and ...", on the movements under the alias ns) that
// leaves out of a serial picker the numbers out on a line of another
// contract or booked on another order than the line's.
QString CondicaoNumeroSerieLivre(const LinhaNumeroSerie& linha);

// ---- where a piece is: one reading for every window ----------------------

// The condition (" and ...") that the movement under the alias is its serial
// number's current one: the newest of its product and number, whatever
// document it names. An older movement tells where the piece was.
QString CondicaoMovimentoAtual(const QString& alias);

// Refused (message naming the number and where it is, abort) when a serial
// number booked on the order's configured lines is out elsewhere now: its
// current movement names another contract than the order's whose line has
// not come back, or another order's configured line. A release books only
// pieces that are free. One statement.
void RecusarNumerosSerieForaDoPedido(const QString& pedido);

// The piece back from the contract line (item 0: any line of the product)
// by the check-in, in the current transaction: when its current movement
// still has it out on that contract, a movement of its own return (on no
// contract, the line it came from named, at the store's location) becomes
// its current one. A line of several pieces comes back piece by piece.
// False when the piece was not out there (back already, or out elsewhere).
bool RegistrarRetornoNumeroSerie(const QString& produto, const QString& numero, int contrato, int item);
}  // namespace host
