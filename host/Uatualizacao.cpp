// Uatualizacao: the host's schema routines.

#include "host/Uatualizacao.h"

#include "host/Udmglobal.h"
#include "host/schema/HostSchema.h"
#include "host/schema/SchemaDefinition.h"

#include <QRegularExpression>

#include <stdexcept>

namespace {
TfmAtualizacao upgradeForm;

host::db::Transaction& upgradeTransaction() { return *dmGlobal->IBTransaction1; }

void runDdl(const QString& sql)
{
    host::db::executeSql(upgradeTransaction(), sql);
    upgradeTransaction().commitRetaining();
}

QString columnName(const QString& definition)
{
    return definition.trimmed().section(QRegularExpression("\\s+"), 0, 0).toUpper();
}
}  // namespace

TfmAtualizacao* fmAtualizacao = &upgradeForm;

bool TfmAtualizacao::VerificaTamanhoCampo(const QString& tabela, const QString& coluna, const QString& tamanho)
{
    return host::db::columnLength(upgradeTransaction(), tabela.trimmed(), coluna.trimmed()) == tamanho.trimmed().toInt();
}

bool TfmAtualizacao::CriarCampoTabela(const QString& tabela, const QString& definicao, const QString& valorPadrao)
{
    const QString column = columnName(definicao);
    if (column.isEmpty() || host::db::columnExists(upgradeTransaction(), tabela.trimmed(), column))
        return false;
    QString sql = "alter table " + tabela.trimmed() + " add " + definicao.trimmed();
    if (!valorPadrao.trimmed().isEmpty())
        sql += " default " + valorPadrao.trimmed();
    runDdl(sql);
    return true;
}

void TfmAtualizacao::AlterarTamanhoCampo(const QString& tabela, const QString& coluna, const QString& tamanho)
{
    // Only ever widens: a column already as wide or wider keeps its size (the
    // engine refuses to narrow one, and narrowing would cut stored texts).
    const int size = tamanho.trimmed().toInt();
    const int current = host::db::columnLength(upgradeTransaction(), tabela.trimmed(), coluna.trimmed());
    if (size <= 0 || current < 0 || current >= size)
        return;
    runDdl("alter table " + tabela.trimmed() + " alter " + coluna.trimmed() + " type varchar(" +
           QString::number(size) + ")");
}

namespace {

void ensureNamedTable(const char* name)
{
    const host::schema::TableDef* table = host::schema::findTable(name);
    if (!table)
        throw std::logic_error(std::string("tabela desconhecida: ") + name);
    if (!host::db::tableExists(upgradeTransaction(), name))
        runDdl(host::schema::createTableSql(*table));
}

}  // namespace

void TfmAtualizacao::CriarTabelaSolicitacaoPecas()
{
    ensureNamedTable("AATC07AI");
    ensureNamedTable("AATC07AIENT");
}

void TfmAtualizacao::Atualizacao22012004(bool bMensagem)
{
    const QSet<QString> existing = host::existingTablesAndColumns(upgradeTransaction());
    for (const host::schema::TableDef& table : host::schema::hostTables())
        if (host::completeTable(upgradeTransaction(), table, existing))
            upgradeTransaction().commitRetaining();
    if (bMensagem)
        dmGlobal->MostraAviso("Atualização concluída.");
}

void CriarTabelaATCusto()
{
    ensureNamedTable("AATC08AF");
}
