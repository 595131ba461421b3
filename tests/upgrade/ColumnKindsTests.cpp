// Columns that hold one kind of value (a stock location, a receivable's
// document number, a contract, an order, a customer, a product) are one width in every table of an upgraded
// database: a narrower copy truncates the value when it is copied there.

#include "tests/upgrade/UpgradeFixture.h"

#include "host/schema/HostSchema.h"
#include "tests/schema/ColunasAntigas.h"

#include <QMap>
#include <QSet>

#include <algorithm>
#include <iterator>

namespace {

struct Kind {
    const char* name;
    QStringList columns;   // "COLUMN" in any table, or "TABLE.COLUMN"
};

const Kind kKinds[] = {
    {"stock location",
     {"LECODIGO", "LOCAL_DOC", "MELOCAL", "REFOLOCAL_DOC", "NUMERACAO.LOCAL", "VEITCRELOCAL", "VEITGARANTIALOCAL"}},
    {"receivable document number",
     {"ACRC5001.NUMERO_DOCUMENTO", "ACRC50FB.NUMERO_DOCUMENTO", "XPDOCUMENTO", "CRDOCUMENTOORIGINAL"}},
    {"contract code", {"ACCODIGO"}},
    {"order number", {"AOCODIGO", "REFAOCODIGO"}},
    {"customer code", {"CLCODIGO", "CODIGO_CLIENTE", "COD_CLI", "REFOCOD_CLI", "NSCLIENTE", "CLCODIGOCLIENTECOBRANCA",
                       "CLCODIGOCOBRANCADESPESAS", "CLCODIGOCOBRANCASERVICO", "APITREFERENCIACLCODIGO",
                       "VEITCRECLCODIGO", "VEITREFERENCIACLCODIGO"}},
    {"product code", {"PRCODIGO", "CODIGOPRODUTO", "AOITPRCODIGO", "PRCODIGOALTERNATIVO", "ACEC1101.CODIGO"}},
};

// Every column of the user tables: "TABLE.COLUMN" -> its type as declared ("VARCHAR(3)", "INTEGER").
QMap<QString, QString> columnTypes(host::db::Transaction& tr)
{
    host::db::Statement st(tr,
                           "select trim(r.rdb$relation_name) || '.' || trim(r.rdb$field_name), f.rdb$field_type,"
                           " f.rdb$character_length from rdb$relation_fields r"
                           " join rdb$relations t on t.rdb$relation_name = r.rdb$relation_name"
                           " join rdb$fields f on f.rdb$field_name = r.rdb$field_source"
                           " where coalesce(t.rdb$system_flag, 0) = 0 and t.rdb$view_blr is null");
    st.execute();
    QMap<QString, QString> types;
    while (st.fetch()) {
        const int type = st.value(1).toInt();
        types.insert(st.value(0).toString(), type == 37 || type == 14
                                                 ? QString("VARCHAR(%1)").arg(st.value(2).toInt())
                                                 : type == 7 ? "SMALLINT" : type == 8 ? "INTEGER" : "type " + QString::number(type));
    }
    return types;
}

// Each kind's columns, grouped by their declared type: one group per kind.
void expectOneWidthPerKind(host::db::Transaction& tr)
{
    const QMap<QString, QString> types = columnTypes(tr);
    for (const Kind& kind : kKinds) {
        QMap<QString, QStringList> byType;   // type -> the columns declared so
        for (auto it = types.begin(); it != types.end(); ++it) {
            const QString column = it.key().section('.', 1);
            if (kind.columns.contains(column) || kind.columns.contains(it.key()))
                byType[it.value()].append(it.key());
        }
        EXPECT_GE(byType.size(), 1) << kind.name;
        EXPECT_EQ(byType.size(), 1) << kind.name << ": " << [&] {
            QStringList parts;
            for (auto t = byType.begin(); t != byType.end(); ++t)
                parts << t.key() + " in " + t.value().join(", ");
            return parts.join("; ").toStdString();
        }();
    }
}

TEST_F(UpgradeTest, EveryKindOfCodeHasOneWidthInEveryTable)
{
    createDataModule();
    expectOneWidthPerKind(tr());
}

// An old database, whose locations and receipt numbers were narrower, is
// left with one width per kind by the start's schema completion and upgrade.
TEST_F(UpgradeTest, EveryKindOfCodeHasOneWidthInAnUpgradedOldDatabase)
{
    estreitarComoBancoAntigo(tr());
    for (const ColunaAntiga& c : kColunasAntigas) {
        const QString nome = QString("%1.%2").arg(c.tabela, c.coluna);
        EXPECT_TRUE(std::any_of(std::begin(kKinds), std::end(kKinds),
                                [&](const Kind& k) { return k.columns.contains(c.coluna) || k.columns.contains(nome); }))
            << nome.toStdString() << " is widened by the upgrade and belongs to no kind";
    }
    host::createHostSchema(tr());
    tr().commitRetaining();
    createDataModule();
    expectOneWidthPerKind(tr());
}

}  // namespace
