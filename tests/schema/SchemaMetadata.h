#pragma once
// Reads back what the engine's system tables say about the schema, so tests
// compare the database with the definitions without trusting the DDL text.

#include "host/db/Database.h"

#include <QMap>
#include <QString>
#include <QStringList>

struct StoredColumn {
    QString source;       // domain name, or RDB$nnn for an inline type
    int fieldType = 0;    // RDB$FIELD_TYPE: 7 smallint, 8 integer, 27 double, 35 timestamp, 37 varchar, 261 blob
    int subType = 0;
    int charLength = 0;
    int charsetId = 0;    // 4 UTF8, 21 ISO8859_1
    bool notNull = false;
    QString defaultSource;
    bool operator==(const StoredColumn&) const = default;
};

namespace fieldtype {
inline constexpr int SmallInt = 7, Integer = 8, Double = 27, Timestamp = 35, VarChar = 37, Blob = 261;
inline constexpr int CharsetUtf8 = 4, CharsetLatin1 = 21;
}  // namespace fieldtype

QMap<QString, StoredColumn> storedColumns(host::db::Transaction& tr, const QString& table);
QStringList userTables(host::db::Transaction& tr);
QStringList primaryKey(host::db::Transaction& tr, const QString& table);
// Every user table with its columns, the generators with their values and the domains.
QString schemaSnapshot(host::db::Transaction& tr);
