#pragma once
// The database of the host stand-in: its tables, domains and generators, and
// the demonstration data a new installation starts with.

#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>

namespace host::db {
class Transaction;
}

namespace host::schema {
struct TableDef;
}

namespace host {

// Creates the table when it is missing, or adds the columns of the definition
// it lacks (nothing is changed or dropped). Nothing is committed; true when
// any DDL ran.
bool completeTable(db::Transaction& transaction, const schema::TableDef& table);
// The same against what the database held when `existing` was read (one
// statement for a whole schema instead of some per table).
bool completeTable(db::Transaction& transaction, const schema::TableDef& table, const QSet<QString>& existing);
// Every user table ("TABLE") and column ("TABLE.COLUMN") of the database, upper-case.
QSet<QString> existingTablesAndColumns(db::Transaction& transaction);

// Creates whatever is missing of the host schema: the domains DOVALOR and
// DOCODIGOPRODUTO, every host table, the base form of the module's tables
// (columns missing from an existing table are added; nothing is changed or
// dropped) and the generator of each key drawn by ProximaChave (the names in
// SchemaDefinition.h), each raised to the largest key already stored in its
// column; every table and generator granted to every user
// (grantToEveryone). What the user
// starting may not make is made at the start of one who may. The DDL is committed (retaining) as it goes; running it again on a
// complete database executes no DDL.
void createHostSchema(db::Transaction& transaction);

// Every table, view, procedure and generator of the database granted to
// PUBLIC, whoever made it: every user the database admits works in every
// window, and what a user may do stays the application's rules (the master
// user, the technicians' restrictions, the parameters' passwords). Run at
// every start by createHostSchema, and by the host's routines that make a
// table for the module's upgrades, as they make it: one statement when
// nothing is missing. Only what the starting user may grant is granted (the
// owner of the object or of the database, SYSDBA, the RDB$ADMIN role);
// another user's start grants nothing, and leaves it to their next start.
// Commits retaining when it granted any.
struct PublicGrants {
    int granted = 0;
    int refused = 0;   // grants the database refused: the others are kept
};
PublicGrants grantToEveryone(db::Transaction& transaction);

// A text column's numbers in the order of their values: the digits padded
// to 18 (the widest a 64-bit integer always holds: "99" < "000124"), and
// null where it holds anything but digits (a rental forecast's "151226L", a
// simulation's "S00042"), so that a walk down a descending index on it meets
// the largest number first, whatever else the column holds. The receivables'
// document numbers keep that index. With a prefix column, its trimmed text
// and the separator come first (null too where the number holds a letter):
// one key's numbers are then one range of an index on it.
inline constexpr char kNumericTextOrderSeparator = '|';
QString numericTextOrder(const QString& column, const QString& prefixColumn = {});

// Raises each generator the schema keeps to the largest key of the column it
// numbers, so that its next value is free; one that stands higher is left.
void raiseGeneratorsToKeys(db::Transaction& transaction);

// The receivables' key (customer, document, sequence, branch) made unique
// in the database, so that a second row under a key already held is
// refused (an empty part, NULL, counts as a value; only rows with no part
// at all may repeat). The index is made only when no two stored rows share
// a key; otherwise nothing is
// changed and the keys held more than once are returned, as
// "customer|document|sequence|branch (n rows)", for someone to mend them.
// Empty when the index is there, or when the user may not make it (it is
// then made at the start of one who may). Commits retaining the caller's
// work before it tries. The index is made in a
// transaction of its own: a commit that fails (a key repeated by another
// desk since the check) leaves it unmade and returns the keys then repeated.
QStringList ensureUniqueReceivableKey(db::Transaction& transaction);

// A company, the parameter record, customers, suppliers, products and
// services with prices and stock, stock locations, technicians (one named
// after userName in upper case, unless userName is blank), situations of
// every type, equipment models, labour-hour types and defects: enough for a
// new user to open a service order at once. A row whose key is present is
// left as it stands, so loading twice adds nothing. Commits retaining.
void loadDemoData(db::Transaction& transaction, const QString& userName);

// The demonstration company's documents, dated from `hoje`: equipment of the
// customers, service orders open and finished (40 to 43) with items, parts
// and services, two monthly contracts with items and three forecast
// instalments each. They need the module's tables as its schema upgrade
// leaves them, so they are loaded once the module has started, and only on
// a database holding no order, contract or customer equipment yet (false
// then). Commits retaining.
bool loadDemoDocuments(db::Transaction& transaction, const QDate& hoje);

}  // namespace host
