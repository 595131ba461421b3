#pragma once
// The pieces the demonstration documents are written with, shared by the
// files that write them.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QStringList>
#include <QVariant>

namespace host::db {
class Transaction;
}

namespace host::demo {

QString textoDemo(const char* utf8);
QDateTime dia(const QDate& data);
// The same columns written for every row of one table.
void inserir(db::Transaction& tr, const char* table, const QStringList& columns, const QList<QVariantList>& rows);

// What makes the demonstration company a rental company: its customers'
// contacts, its bank, operations of each type, equipment for rent, a
// rental contract with serials and forecasts, an assistance proposal and
// order.
void loadRentalCompany(db::Transaction& tr, const QDate& hoje);

}  // namespace host::demo
