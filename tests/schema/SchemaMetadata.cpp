#include "SchemaMetadata.h"

using host::db::Statement;

QMap<QString, StoredColumn> storedColumns(host::db::Transaction& tr, const QString& table)
{
    Statement st(tr,
                 "select trim(rf.rdb$field_name), trim(rf.rdb$field_source), f.rdb$field_type, "
                 "coalesce(f.rdb$field_sub_type, 0), coalesce(f.rdb$character_length, 0), "
                 "coalesce(f.rdb$character_set_id, 0), coalesce(rf.rdb$null_flag, f.rdb$null_flag, 0), "
                 "rf.rdb$default_source "
                 "from rdb$relation_fields rf join rdb$fields f on f.rdb$field_name = rf.rdb$field_source "
                 "where rf.rdb$relation_name = :T");
    st.setParam("T", table.toUpper());
    st.execute();
    QMap<QString, StoredColumn> columns;
    while (st.fetch()) {
        StoredColumn c;
        c.source = st.value(1).toString();
        c.fieldType = st.value(2).toInt();
        c.subType = st.value(3).toInt();
        c.charLength = st.value(4).toInt();
        c.charsetId = st.value(5).toInt();
        c.notNull = st.value(6).toInt() != 0;
        c.defaultSource = st.value(7).toString().trimmed();
        columns.insert(st.value(0).toString(), c);
    }
    return columns;
}

QStringList userTables(host::db::Transaction& tr)
{
    Statement st(tr,
                 "select trim(rdb$relation_name) from rdb$relations "
                 "where coalesce(rdb$system_flag, 0) = 0 and rdb$view_blr is null order by 1");
    st.execute();
    QStringList tables;
    while (st.fetch())
        tables << st.value(0).toString();
    return tables;
}

QStringList primaryKey(host::db::Transaction& tr, const QString& table)
{
    Statement st(tr,
                 "select trim(s.rdb$field_name) from rdb$relation_constraints c "
                 "join rdb$index_segments s on s.rdb$index_name = c.rdb$index_name "
                 "where c.rdb$relation_name = :T and c.rdb$constraint_type = 'PRIMARY KEY' "
                 "order by s.rdb$field_position");
    st.setParam("T", table.toUpper());
    st.execute();
    QStringList key;
    while (st.fetch())
        key << st.value(0).toString();
    return key;
}

static QStringList singleColumn(host::db::Transaction& tr, const QString& sql)
{
    Statement st(tr, sql);
    st.execute();
    QStringList rows;
    while (st.fetch())
        rows << st.value(0).toString();
    return rows;
}

QString schemaSnapshot(host::db::Transaction& tr)
{
    QStringList lines;
    for (const QString& table : userTables(tr)) {
        const auto columns = storedColumns(tr, table);
        for (auto it = columns.begin(); it != columns.end(); ++it)
            lines << QString("%1.%2 %3 %4/%5 len %6 cs %7 nn %8 def %9")
                         .arg(table, it.key(), it->source.startsWith("RDB$") ? QString() : it->source)
                         .arg(it->fieldType).arg(it->subType).arg(it->charLength).arg(it->charsetId)
                         .arg(it->notNull).arg(it->defaultSource);
        lines << table + " key " + primaryKey(tr, table).join(",");
    }
    const QStringList generators = singleColumn(
        tr, "select trim(rdb$generator_name) from rdb$generators where coalesce(rdb$system_flag, 0) = 0 order by 1");
    for (const QString& g : generators)
        lines << QString("generator %1 at %2").arg(g).arg(host::db::generatorValue(tr, g, 0));
    lines << singleColumn(tr, "select trim(rdb$field_name) from rdb$fields "
                              "where rdb$field_name not starting with 'RDB$' and coalesce(rdb$system_flag, 0) = 0 "
                              "order by 1");
    return lines.join("\n");
}
