#pragma once
// What parts lines (quOSPecas) and service lines (quOSAndamento) share: the
// item a new line belongs to, the price table and fiscal operation of a
// chosen product, and the equipment named by its code. Each rule writes into
// the line's own fields, given by the caller.

#include <QString>

#include <functional>

class TdmTec;

namespace host::data {
class Dataset;
class Field;
}

namespace uDataTecLinhas {

// The item of a new line: the progress window's order list when that window
// is the one the user works in, otherwise the current order item (0: none).
int itemDaNovaLinha(const TdmTec& tec);
// The next number of a line within its order: 1 + the largest `coluna` of
// `tabela` for the order (1 for its first line).
int proximaDaOrdem(const QString& coluna, const QString& tabela, int aoCodigo);
// The onPostError of a line so numbered: a new line whose number another
// desk's line holds (saved, or written and not yet committed, so unseen by
// the read) is written again under the next number (`proxima`: the read
// again), up to 50 past the stored ones.
void numerarDeNovo(host::data::Dataset& linha, host::data::Field& numero, const std::function<int()>& proxima);
// A line belongs to the item it is typed under: an item row still being
// typed is saved before the line starts, so the line takes its code.
void gravarItemPendente(TdmTec& tec);

// The line fields the price table writes.
struct CamposPreco {
    host::data::Field* valor = nullptr;      // unit value
    host::data::Field* desconto = nullptr;   // discount in percent
    host::data::Field* promocao = nullptr;   // promotion flag, read by mode "E"
};

// What the price table reads of the product.
struct ProdutoPreco {
    QString codigo;
    QString grupo;
    double custo = 0;
    double cmvMoeda = 0;
};

// The price table of ATTABELAPRECO for the order's customer; the customer's
// line of business gives its discount from `colunaDescontoRamo` of RAMO.
void tabelaPreco(TdmTec& tec, const CamposPreco& campos, const ProdutoPreco& produto,
                 const QString& colunaDescontoRamo);

// The fiscal operation of ATREGRAFISCAL for the product into `operacao`.
void operacaoFiscal(TdmTec& tec, host::data::Field* operacao, const QString& codigo);

// The description of the order's item whose equipment code is in `codigo`,
// into `descricao`; an unknown code is refused ("Código não encontrado.").
void equipamentoDaLinha(TdmTec& tec, host::data::Field* codigo, host::data::Field* descricao);

// The quantity typed into a line: a number, passed through the host's
// unit-fraction check when ATFRACIONAUNIDADE is "S"; otherwise the field's
// refusal "Valor <texto> inválido.".
double numeroDigitado(const QString& texto);
double fracionarQuantidade(const QString& texto, const QString& unidade, double quantidade);

// The order's totals after a line of `tabela` was saved (`ordemInteira`:
// the whole order in totals mode "I") or deleted; installations "A" and "C"
// sum the other kind of line (`outra`) too.
void retotalizarOrdem(int aoCodigo, const QString& tabela, const QString& outra, bool ordemInteira);

}  // namespace uDataTecLinhas
