#pragma once
// The host's general routines of the unit Udatamod: single values read and
// written by SQL text, dataset record buttons, users and passwords, window
// layouts, money cuts and the shared scratch globals.
//
// Classic names are kept as the module writes them, in the global namespace.
// A "condition" is the text that follows the table in the statement and
// carries its own "where" ("Where AOCODIGO = 12", or "" for no condition).

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <initializer_list>
#include <memory>
#include <vector>

namespace host::ui {
class DataGrid;
class GridColumn;
class Form;
}  // namespace host::ui

class QWidget;

namespace host::data {
class Dataset;
class Field;
class Query;
enum class FieldType;
}  // namespace host::data

// ---- shared globals -------------------------------------------------------
extern QString sCodigoExcluido;      // key text of the last deleted record (audit)
extern QString sAuxiliarExclusao;
extern QString sCaminhoSistema;      // system folder: ini files, logs, SQL dumps
extern bool bDetectarErroSQL;        // show and dump the SQL of traced steps
extern bool bDesligarMensagens;      // mute MostraAviso, MostraErro and MostraAvisoExtenso
extern bool bModoZeltoControlAtivo;  // layout flag passed to the window-layout routines
extern QString sAuxiliarGeral;       // scratch text (e.g. the plate chosen in SelecionaPlaca)
extern QString sEmailDestino;        // the e-mail of the customer whose document is printed
extern int iAuxiliarGeral;
extern int iPMCCodigoContrato;     // contract whose PMC the host shows (0 = none)
extern double rAuxiliarGeral;
extern double rFatorCodigoBarras;    // quantity factor of the last bar code read
extern double rLimitePedido;        // the general-discount limit of the sales order edited next (negative: none)
// The branch (stock location code, "01") the logged-in user is limited to;
// empty when the user sees every branch. Set by the host's login.
extern QString sFilialUsuario;

// ---- single values ----------------------------------------------------------
// "select <coluna> from <tabela> <condicao>": the first row's first value.
// No row (or a null value) gives "" / 0 / an invalid date. With a query the
// statement runs on it (its SQL is replaced), otherwise on a temporary one.
QString CarregaDado(const QString& coluna, const QString& tabela, const QString& condicao,
                    host::data::Query* query = nullptr);
double CarregaNumero(const QString& coluna, const QString& tabela, const QString& condicao,
                     host::data::Query* query = nullptr);
int CarregaNumeroInteiro(const QString& coluna, const QString& tabela, const QString& condicao,
                         host::data::Query* query = nullptr);
QDateTime CarregaData(const QString& coluna, const QString& tabela, const QString& condicao,
                      host::data::Query* query = nullptr);
// Every row's value, each followed by the separator ("a,b," for ",").
QString CarregaVariosDados(const QString& coluna, const QString& tabela, const QString& condicao,
                           host::data::Query* query, const QString& separador);
QString CarregaVariosDados(const QString& coluna, const QString& tabela, const QString& condicao,
                           const QString& separador);

// Largest <coluna> of the rows whose <colunaChave> equals the key, plus the
// extra condition (" and ..."); 0 when none. An empty key column takes every
// row. The key is quoted, unless bSemAspas and it is a number.
double MaximoDado(const QString& coluna, const QString& tabela, const QString& colunaChave,
                  const QString& valorChave, const QString& condicaoExtra = {}, bool bSemAspas = false);
// Rows whose <colunaChave> equals the key, plus the extra condition.
int ContadorDados(const QString& colunaChave, const QString& tabela, const QString& valorChave,
                  const QString& condicaoExtra = {}, bool bSemAspas = false);

// ---- single-statement writes ----------------------------------------------
// The value is SQL text pasted as given ("'S'", "aaQuantidade * 2", "null").
void UpdateCampo(const QString& tabela, const QString& coluna, const QString& valorSQL,
                 const QString& condicao);
void UpdateCampoCommit(const QString& tabela, const QString& coluna, const QString& valorSQL,
                       const QString& condicao);
// A number, written as a locale-free SQL literal.
void UpdateCampoValor(const QString& tabela, const QString& coluna, double valor, const QString& condicao);
void UpdateCampoValorCommit(const QString& tabela, const QString& coluna, double valor,
                            const QString& condicao);
// A typed value bound as a parameter (text, number, date, null), then commit.
void UpdateCampoVariavelCommit(const QString& tabela, const QString& coluna, const QVariant& valor,
                               const QString& condicao);
// Two columns, values as SQL text.
void Update2Campos(const QString& tabela, const QString& coluna1, const QString& valor1,
                   const QString& coluna2, const QString& valor2, const QString& condicao);
void Update2CampoValorCommit(const QString& tabela, const QString& coluna1, const QString& coluna2,
                             const QString& valor1, const QString& valor2, const QString& condicao);
void DeletaRegistros(const QString& tabela, const QString& condicao);
// The condition's values as parameters (":NAME" in the condition).
void DeletaRegistros(const QString& tabela, const QString& condicao, const QVariantMap& parametros);
void DeletaRegistrosCommit(const QString& tabela, const QString& condicao);
// One row. bParametros true binds the values as typed parameters; false
// pastes each value as an SQL literal (ValueToSQL). Nothing is committed.
void InsertTable(const QString& tabela, const QStringList& colunas, const QVariantList& valores,
                 host::data::Query* query = nullptr, bool bParametros = true);

// A free code of a text column holding numbers: the largest number stored
// plus one, or, past the maximum, the smallest number not stored; written
// with the format's zeros ("000000" -> "000124"). "" when every number up to
// the maximum is taken.
QString CodigoCadastralDisponivel(const QString& coluna, const QString& tabela, int maximo,
                                  const QString& formato, const QString& condicao = {});

// The free codes a routine takes one after another (a document number per
// instalment of a run): the largest number stored is read once and each
// code is the one after the last handed out, while that lies within the
// maximum; past it each is looked for as CodigoCadastralDisponivel does. A
// code handed out must be stored before the next is asked for.
class CodigosDisponiveis {
public:
    CodigosDisponiveis(const QString& coluna, const QString& tabela, int maximo, const QString& formato);
    QString proximo();

private:
    QString coluna_, tabela_, formato_;
    int maximo_;
    qint64 ultimo_ = -1;   // the last one handed out past the largest stored; -1: none
};

// The receivables' new document numbers a run takes one after another:
// drawn from the receivables' generator a block at a time
// (TdmGlobal::ProximoNumeroReceber), so no receivable holds them and two
// desks running at once never take the same one.
class NumerosReceber {
public:
    explicit NumerosReceber(int bloco = 1);
    QString proximo();

private:
    int bloco_;
    qint64 proximo_ = 0, fim_ = -1;
};

// The next key of an integer column, drawn from the generator: two stations
// never get the same key, even before either has posted, and the generator
// is stepped past any larger key stored by other means (max + 1) first, read
// as one row of the column's descending index. With a quantity, the first
// of that many consecutive keys, all of them this station's.
int ProximaChave(const QString& gerador, const QString& coluna, const QString& tabela, int quantidade = 1);

// A query on dmGlobal's transaction for the length of one routine.
std::unique_ptr<host::data::Query> CriarIbQuery(const QString& nome = {});

// Opens a product's composition (a query on AGPC03CM whose parameter SERIE
// is compared with the component's serial number) on the components
// recorded for the equipment of that serial number, or on the product's own
// (recorded with no serial) when no serial is given or the equipment has
// none of its own. One equipment's components never join another's.
void AbrirComposicaoNumeroSerie(host::data::Query& composicao, const QString& numeroSerie);

// ---- record buttons -------------------------------------------------------
void InserirRegistro(host::data::Dataset& dataset);      // append a row (opens the dataset when closed)
void SalvarAlteracoes(host::data::Dataset& dataset);     // post when editing, then commit retaining
void CancelarAlteracoes(host::data::Dataset& dataset);   // cancel when editing
// A window's "Salvar": its main row, then every row being typed in the
// window (Form::saveChanges), committed even when nothing else changed.
void SalvarJanela(host::ui::Form& janela, host::data::Dataset& principal);
// The row being typed, as leaving it in a grid does: posted (and committed
// retaining) when changed, let go when a new row was left untouched.
void GravarPendente(host::data::Dataset& dataset);
// The dataset closed, the row being typed stored first (GravarPendente); a
// refused row keeps it open and passes the refusal on.
void FecharGravando(host::data::Dataset& dataset);
// Asks "Confirma a exclusão do registro?" ("Sim"/"Não"); on "Sim" deletes
// the current row and commits retaining. True when the row was deleted.
bool ExcluirRegistro(host::data::Dataset& dataset);
// Where a register's code may be used: a table, its column and the user's
// name for that place ("ordens de serviço").
struct UsoDeCadastro {
    const char* tabela;
    const char* coluna;
    const char* onde;
    // When set, the place's own condition on :CODIGO instead of "coluna =
    // :CODIGO" (a code used through the rows of a detail table).
    const char* condicao = nullptr;
};
// Refuses (a message naming the places, then an abort) the delete of the
// register's current row while any of the places holds its code (the value
// of the key field). One statement for every place. Nothing to check for a
// row without code.
void RecusarExclusaoEmUso(const host::data::Dataset& dataset, const QString& chave,
                          std::initializer_list<UsoDeCadastro> usos, const QString& registro);
void RecusarExclusaoEmUso(const host::data::Dataset& dataset, const QString& chave,
                          const std::vector<UsoDeCadastro>& usos, const QString& registro);
void ZerarFloatField(host::data::Dataset& dataset);      // every float field of the row := 0
void ZerarNumericField(host::data::Dataset& dataset);    // every numeric (int and float) field := 0
// The first required field left empty: a warning naming it and, with
// bAbortar, the end of the operation. True when every required field is set.
bool AvisaCamposObrigatorio(host::data::Dataset& dataset, bool bAbortar = true);
// A one-letter column typed as one of its captions, the first letter of one,
// or nothing (empty): it keeps that letter (or is emptied). Any other text is
// refused in words naming the captions, the column left as it was.
void LetraDaLegenda(host::data::Field& campo, const QString& texto, const QStringList& legendas);

// ---- questions, users, passwords ------------------------------------------
// A question with the given button captions (the first lastIndex + 1 of them
// when lastIndex >= 0); the caption chosen, "" when closed. Never muted.
QString MostraPergunta(const QString& texto, const QStringList& captions, int lastIndex = -1);
// The database user of dmGlobal's connection as the engine names it
// (TdmGlobal::UsuarioBanco): compared with names in capitals, it is upper-cased.
QString IbUserName();
bool UsuarioMestre();            // the master user (SYSDBA or the ATUSUARIOMESTRE parameter, in any case)
bool UsuarioVendedor();          // a salesman login (a supplier of kind "V" named after the user)
// Prompts for a password with the given text; true when it equals senha.
// An empty senha protects nothing: true without asking.
bool VerificaValidadeSenha(const QString& senha, const QString& prompt);
// True when a record of that date may no longer change: the date is on or
// before the parameter ATDATABLOQUEIO<tipo> (dd/mm/yyyy; empty: nothing locked).
bool VerificaBloqueioAlteracao(const QDateTime& data, const QString& tipo);

// ---- window layouts -------------------------------------------------------
void CarregarConfiguracaoJanela(QWidget* janela, bool bModo = false, bool bFlag = false,
                                const QString& nome = {});
void SalvarConfiguracaoJanela(QWidget* janela, bool bModo = false, bool bFlag = false,
                              const QString& nome = {});
// Grid columns (order, width, visibility) under the grid's name or `nome`:
// bCarregar true restores them, false saves them.
void SalvarConfiguracaoDBGridComNome(host::ui::DataGrid* grid, bool bCarregar, const QString& nome = {});
void SalvarConfiguracaoDBGrid(host::ui::DataGrid* grid, bool bCarregar);
// The index of the grid's column bound to the field (any letter case), -1 when none.
int RetornaColuna(const QString& campo, const host::ui::DataGrid* grid);
// A column of the field with its title and width, added to the grid.
host::ui::GridColumn* CriaColunaDBGrid(host::ui::DataGrid* grid, int largura, const QString& titulo,
                                       const QString& campo);

// ---- statement helpers -----------------------------------------------------
// The key of the record before ("<") or after (">") the current key of the
// table, by that key's order; the current value is compared as a parameter,
// so text and number keys both work; an empty one gives the first (">") or
// last ("<") record. `condicao` (" and ...", "where" optional) limits the
// records, `colunaRetorno` names another column to return. At either end:
// with bCircular the first/last record, otherwise the current value again.
QString RegistroAnteriorProximo(const QString& tabela, const QString& colunaChave, const QString& direcao,
                                const QString& valorAtual, const QString& condicao = {},
                                const QString& colunaRetorno = {}, bool bCircular = false);
// The table's columns, in their order, joined by the separator, leaving out
// the listed ones ("NUMERO_PEDIDO,IMPRESSO_NF"; "," or ";" between names, any
// letter case): the column list of an insert-select that sets those itself.
// iModo 0 is the only mode (another is a programming error).
QString RetornarCampos(const QString& tabela, const QString& separador, const QString& colunasExcluidas = {},
                       int iModo = 0);
// Host filters of a query's statement: AlocaFiltro adds a condition to the
// outer where (before its group by/order by; "where" is added when there is
// none), AlocaFiltroFinal adds it at the very end of the text (the caller
// appends the order after it); a leading "where"/"and" of the condition is
// dropped. LimpaFiltro takes every added condition off again. The query is
// not opened or closed.
void LimpaFiltro(host::data::Query* query);
void AlocaFiltro(host::data::Query* query, const QString& condicao);
void AlocaFiltro(const QString& condicao, host::data::Query* query);
void AlocaFiltroFinal(host::data::Query* query, const QString& condicao);
// A join (" Left Outer Join T x On (...) ") put into the statement's outer
// from clause, before its where (or group by, having, order by); the text
// alone (SQLComLigacao) or the query's statement (AlocaLigacao).
QString SQLComLigacao(const QString& sql, const QString& ligacao);
void AlocaLigacao(host::data::Query* query, const QString& ligacao);
// The branch restriction of a search over the table under its alias:
// " and (alias.<branch column> = '<branch>')" while the user is limited to a
// branch (sFilialUsuario) and the table keeps one (AATC01AO: AOLOCAL); ""
// otherwise.
QString SQLFiltroFilial(const QString& tabela, const QString& alias);
// The customisation fields of the table (columns the host's customisation
// tool adds, named "ZC_..."), appended to the query's outer select list as
// alias.COLUMN; nothing while the table has none.
void AdicionaFieldZeltoCreatorAlias(host::data::Query* query, const QString& tabela, const QString& alias);

// ---- links of stock documents ---------------------------------------------
// A row of ACEM14REF: the stock-document item an order was made from. The
// classic routine takes a long positional list; here the values it fills.
struct ReferenciaACEM14 {
    QString tipo;                 // REFTIPO: "S", a service order made from the document
    QString documento;            // the document: number, customer, series,
    QString cliente;              //   stock location and operation
    QString serie;
    QString local;
    QString operacao;
    QDateTime dataDocumento;      // REFODATA_DOC
    QDateTime dataReferencia;     // REFDATA: when the link was made
    int aoCodigo = 0;             // REFAOCODIGO: the service order
    int sequencia = 0;            // REFOSEQUENCIA: the document item
};
// Inserts the link (one statement, prepared once per connection); nothing
// is committed.
void InsereACEM14REF(const ReferenciaACEM14& referencia);

// ---- numbers and dates ------------------------------------------------------
double Trunc2Casas(double valor);          // cut (toward zero) to two decimals
double Corta2Casas(double valor);          // the same
double Arredonda2Monetario(double valor);  // rounded half away from zero to cents
// The same date when it is a working day of the host's calendar, otherwise
// the next working day (host/Calendario.h); the time of day is kept.
QDateTime ProximoDiaUtilPorConfiguracao(const QDateTime& data);
// Whole days from one moment to another as the calendar and the wall clock
// count them (a change of summer time between them changes nothing; a
// partial day is dropped); negative when the second comes first, 0 when
// either is invalid.
int DiasInteirosEntre(const QDateTime& de, const QDateTime& ate);
bool TextoIn(const QString& texto, const QStringList& lista);
// Fixed-width columns of plain-text listings: the text cut or padded with
// blanks on the right to the width; the right-aligned variant pads on the left
// and never cuts, so an amount wider than its column still prints whole.
QString RetornaCampoTamanho(const QString& texto, int tamanho);
QString RetornaCampoTamanhoDireita(const QString& texto, int tamanho);

// A generic product (the host parameters ATPRODUTOGENERICO1 and
// ATPRODUTOGENERICO2): its lines are described by their own note. An empty
// code is never generic.
bool ProdutoGenerico(const QString& produto);

// ---- search filters (UdatamodFiltros.cpp) ---------------------------------
// The condition of one search filter, " and (...)", for the column text as the
// statement names it ("cont.acCodigo"); "" when both values are blank. Modes:
// "F" a range (both values: between; only one of them: equal to it), "I" equal to the first value (a text
// holding "%" is a pattern: like), "C" the first value contained in a text column (other types: equal). Values are written as literals of the
// type: integers and floats parsed as numbers, dates as the whole day (range
// ends at 00:00:00 and 23:59:59.9999), texts quoted with inner quotes doubled, so
// typed text never becomes SQL. A value that is not of the type ends the
// operation with "Valor inválido: <value>" / "Data inválida: <value>".
QString AdicionaFiltro(const QString& coluna, const QString& valor1, const QString& valor2,
                       host::data::FieldType tipo, const QString& modo);

namespace host {
class Component;
}
// The product look-up mode (ATMODOLOCALIZACAOPRODUTO) a data module works in;
// kept for the host's product searches (host::modoLocalizacaoProduto()).
void VerificaModoLocalizacaoProduto(const QString& modo, host::Component* dataModule);
namespace host {
QString modoLocalizacaoProduto();
}
