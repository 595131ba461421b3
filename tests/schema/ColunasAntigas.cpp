#include "tests/schema/ColunasAntigas.h"

#include <QString>

#include <stdexcept>

void estreitarComoBancoAntigo(host::db::Transaction& tr)
{
    const auto ddl = [&](const QString& sql) {
        try {
            host::db::executeSql(tr, sql);
            tr.commitRetaining();
        } catch (const std::exception& e) {
            throw std::runtime_error((sql + ": ").toStdString() + e.what());
        }
    };
    // The indexes and the key that hold some of the columns go first and come
    // back over the narrow columns, as an old database has them.
    const QString chave = host::db::selectValue(tr, "select trim(rdb$constraint_name) from rdb$relation_constraints"
                                                    " where rdb$relation_name = 'NUMERACAO'"
                                                    " and rdb$constraint_type = 'PRIMARY KEY'")
                              .toString();
    ddl("drop index IX_ACXC94XP_DOCUMENTO");
    ddl("drop index IX_ACEM1401_SERIE");
    ddl("alter table NUMERACAO drop constraint " + chave);
    for (const ColunaAntiga& c : kColunasAntigas) {
        ddl(QString("alter table %1 drop %2").arg(c.tabela, c.coluna));
        ddl(QString("alter table %1 add %2 varchar(%3)").arg(c.tabela, c.coluna).arg(c.largura));
    }
    ddl("alter table NUMERACAO alter LOCAL set not null");
    ddl(QString("alter table NUMERACAO add constraint %1 primary key (DOCUMENTO, SERIE, LOCAL)").arg(chave));
    ddl("create index IX_ACXC94XP_DOCUMENTO on ACXC94XP (XPDOCUMENTO, XPEMITENTE)");
    ddl("create index IX_ACEM1401_SERIE on ACEM1401 (SERIE_DOC, LOCAL_DOC, DOCUMENTO)");
}
