#pragma once
// The host package PilvOut70: serial numbers and the contact e-mail search.

#include <QDateTime>
#include <QString>

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
