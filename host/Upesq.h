#pragma once
// The host's generic search window (unit Upesq) and its variable fmPesquisa,
// which the packages fill with the search windows they build themselves, and
// the runner every host picker is built on: a statement, its columns and a
// search box over the host transaction.

#include "host/ui/SearchWindow.h"
#include "host/ui/WindowRegistry.h"

#include <QString>
#include <QVariantMap>

#include <vector>

using TfmPesquisa = host::ui::SearchWindow;

extern host::ui::FormVar<TfmPesquisa> fmPesquisa;

// The sales-order search (AVEC8501, newest first): true with the chosen
// order's number; cancelled: false and the number untouched.
bool SelecionaVenda(QString& sNumero);

namespace host {

struct PesquisaColuna {
    QString campo;       // the column as the statement names it (result field)
    QString titulo;
    int largura = 80;
    QString expressao;   // what the search box compares; empty: the field itself
    QString formato;     // display format of a number column (kFormatoDinheiro for money)
};

// Money in the pickers' grids: "35,50", "1.234,56".
inline const QString kFormatoDinheiro = QStringLiteral("###,###,##0.00");

// The text a search compares, as a parameter: at the engine's widest text
// (in UTF8), so neither a whole name nor the wildcards around it are cut, and
// the search boxes take no more than that.
inline constexpr int kTamanhoTextoPesquisa = 8191;
QString ParametroTextoPesquisa(const QString& parametro = QStringLiteral("PESQUISA"));

// One picker: "select ... from ..." without where or order, a fixed
// condition (without "where"), the order column and the grid columns.
struct PesquisaDefinicao {
    int tipo = 0;             // the search kind the window carries
    QString caption;
    QString layout;           // name of the saved window and grid layout
    QString sql;
    QString filtro;
    QString ordem;
    std::vector<PesquisaColuna> colunas;
    int colunaInicial = 0;    // the grid column the search starts on
};

// The statement of a picker: its text, the fixed condition, the caller's
// condition ("where" optional, from code, never from typed text) and, when
// `comPesquisa`, the search box's condition on the column, whose text is the
// parameter :PESQUISA (a number column as ValorComoTextoSQL writes it, for a
// value typed as ValorDigitadoComoTexto reads it). Conditions are joined with "and".
QString montarSqlPesquisa(const PesquisaDefinicao& definicao, const QString& condicao,
                          const QString& colunaPesquisa = {}, bool colunaNumerica = false);

// Shows the picker modally in fmPesquisa (freed on every way out) and
// returns whether a row was chosen; `linha` then holds the chosen row's
// values by upper-case field name. `parametros` bind the caller's own
// parameters. Typing in the search box re-reads the rows whose selected
// column contains the text (sent as a parameter, any letter case); typing in
// the grid finds the first row that starts with it. The window's and grid's
// layouts are restored before and saved after.
bool executarPesquisa(const PesquisaDefinicao& definicao, const QString& condicao, QVariantMap& linha,
                      const QVariantMap& parametros = {});

// The same picker with several rows marked (Ctrl and Shift clicks): true
// with the marked rows in their order when the confirmed (current) row is
// one of them, else the current row alone; `linhas` is untouched when
// cancelled.
bool executarPesquisaMultipla(const PesquisaDefinicao& definicao, const QString& condicao,
                              QList<QVariantMap>& linhas, const QVariantMap& parametros = {});

// The value of a column of a chosen row, the name in any letter case; an
// unknown name is a programming error (std::invalid_argument).
QVariant valorPesquisa(const QVariantMap& linha, const QString& coluna);
QString textoPesquisa(const QVariantMap& linha, const QString& coluna);

}  // namespace host

namespace host::ui {
class DataGrid;
}

// The contacts (AUGC3701) linked to a record: category ("C" customer) and
// code. Shown modally, the chosen contact's name comes back ("" when
// cancelled or when there is none). The grid argument (a caller's grid to
// fill instead of the window) and the two flags are kept for the callers;
// this host always shows the picker and lets one contact be chosen.
QString AbreContato(const QString& sCategoria, const QString& sCodigo, host::ui::DataGrid* grid, bool bModal,
                    bool bSelecionar);

// The delivery and contact addresses of a customer (AUGC3701 rows of
// category "C" linked to the customer): true with the chosen ANCODIGO in
// iCodigo; cancelled: false and the code untouched.
bool SelecionaContatoClienteEntrega(const QString& sCliente, int& iCodigo);
// The equipment of the customer's contracts (AATC05ACEV with the register
// AUGC20EV): true with the chosen equipment codes (EVCODIGO as text) in
// lista; cancelled: false and the list untouched.
bool SelecionaAssEquipamentoCliente(const QString& sCliente, QStringList& lista);
