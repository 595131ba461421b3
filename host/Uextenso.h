#pragma once
// The host's amount in words and month names, in Portuguese.

#include <QChar>
#include <QString>

// The amount in words, lower case: "duzentos e cinquenta reais e cinquenta
// centavos". Currency 1 cruzeiros, 2 dólares, 3 reais (any other: reais).
// The words are laid out in lines of up to `largura` characters (broken at
// blanks, never inside a word), each line filled with `preenchimento` to its
// width; at least `linhas` lines are given, more when the words need them.
// With largura 0 the plain words come back.
QString ValorExtenso(double valor, int linhas, int largura, QChar preenchimento, int tipoMoeda);

// The month's name ("março" for 3) from the format layer's table; "" outside 1..12.
QString RetornaMesExtenso(int mes);
