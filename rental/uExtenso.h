#pragma once
// Amounts spelt in Portuguese capitals, group by group, into a shared text,
// texts justified into fixed-width lines, and small string routines. The
// host and other packages call them by their plain names.

#include <QChar>
#include <QString>

#include <array>

namespace uExtenso {

// The words of one amount as they are built (the unit's shared state): the
// caller clears cTexto, sets the four groups and the currency type, then
// calls Converte for positions 1 to 4.
extern QString cTexto;
extern QString cPosicao1;   // millions
extern QString cPosicao2;   // thousands
extern QString cPosicao3;   // units
extern QString cPosicao4;   // cents, "0" + the two digits
extern int cTipoMoeda;      // 1 cruzeiro, 2 dólar, 3 real
extern QString cValor1;     // kept with them, not used here

// The word tables, index 0 unused where the tables count from 1.
extern const std::array<const char*, 10> aUnidade;
extern const std::array<const char*, 10> aDezena;
extern const std::array<const char*, 20> aDezena2;   // 10..19
extern const std::array<const char*, 10> aCentena;
extern const std::array<const char*, 4> aMilhar;
extern const std::array<std::array<const char*, 2>, 4> aMoeda;
extern const std::array<const char*, 3> aCentavo;

// Appends the words of a three-digit group: position 1 millions, 2
// thousands, 3 units (with the currency name), 4 cents.
void Converte(const QString& grupo, int posicao);
// The text justified into `linhas` lines of `largura` characters; exactly
// linhas × largura characters, the tail filled with `preenchimento`.
QString Formata(const QString& texto, int linhas, int largura, QChar preenchimento);
// The value with `decimais` decimals, zeros on the left up to `largura`.
QString StrZero(double valor, int largura, int decimais);
QString Alltrim(const QString& texto);   // every blank removed
QString Rtrim(const QString& texto);     // trailing blanks removed
// Each `busca` of the text replaced by `troca`.
QString BuscaTroca(const QString& texto, QChar busca, const QString& troca);
// 1-based position of the last `busca` in the text; 0 when absent.
int BuscaDireita(QChar busca, const QString& texto);
QString Repete(QChar c, int n);

}  // namespace uExtenso
