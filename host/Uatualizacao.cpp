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

// A table it makes is every user's, as the host's are.
void runDdl(const QString& sql)
{
    host::db::executeSql(upgradeTransaction(), sql);
    if (sql.trimmed().startsWith(QLatin1String("create"), Qt::CaseInsensitive))
        host::grantToEveryone(upgradeTransaction());
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

struct Restricao {
    QString nome, tipo;
    QStringList colunas;
};

// The primary-key and unique constraints of the table that hold the column.
std::vector<Restricao> restricoesDaColuna(const QString& tabela, const QString& coluna)
{
    host::db::Statement st(upgradeTransaction(),
                           "select trim(c.rdb$constraint_name), trim(c.rdb$constraint_type), trim(s.rdb$field_name)"
                           " from rdb$relation_constraints c join rdb$index_segments s on s.rdb$index_name = c.rdb$index_name"
                           " where c.rdb$relation_name = :T and c.rdb$constraint_type in ('PRIMARY KEY', 'UNIQUE')"
                           " order by c.rdb$constraint_name, s.rdb$field_position");
    st.setParam("T", tabela);
    st.execute();
    std::vector<Restricao> todas;
    while (st.fetch()) {
        if (todas.empty() || todas.back().nome != st.value(0).toString())
            todas.push_back({st.value(0).toString(), st.value(1).toString(), {}});
        todas.back().colunas << st.value(2).toString();
    }
    std::vector<Restricao> daColuna;
    for (Restricao& r : todas)
        if (r.colunas.contains(coluna))
            daColuna.push_back(std::move(r));
    return daColuna;
}

// The engine refuses to change the type of a key column: its key is taken
// off, the column widened and the key put back, under the same name, in one
// commit. A start stopped in between, or a step refused, leaves the key as
// it was: no later start would know to put it back.
void alargarParaInteiro(const QString& tabela, const QString& coluna)
{
    const std::vector<Restricao> restricoes = restricoesDaColuna(tabela, coluna);
    host::db::Transaction& tr = upgradeTransaction();
    try {
        for (const Restricao& r : restricoes)
            host::db::executeSql(tr, "alter table " + tabela + " drop constraint " + r.nome);
        host::db::executeSql(tr, "alter table " + tabela + " alter " + coluna + " type integer");
        for (const Restricao& r : restricoes)
            host::db::executeSql(tr, "alter table " + tabela + " add constraint " + r.nome + " " + r.tipo + " (" +
                                         r.colunas.join(", ") + ")");
        tr.commitRetaining();
    } catch (const host::db::DbError&) {
        tr.rollbackRetaining();
        throw;
    }
}

// The column names of "TABLE.COLUMN" entries as an SQL list of literals.
QString nomesDasColunasSql(const QStringList& colunas)
{
    return QStringList(colunas).replaceInStrings(QRegularExpression("^.*\\.(.*)$"), "'\\1'").join(", ");
}

}  // namespace

void TfmAtualizacao::AlargarParaInteiro(const QStringList& colunas)
{
    if (colunas.isEmpty())
        return;
    // SMALLINT is type 7; a scaled one is a NUMERIC and is not meant here.
    host::db::Statement curtas(upgradeTransaction(),
                               "select trim(r.rdb$relation_name) || '.' || trim(r.rdb$field_name)"
                               " from rdb$relation_fields r join rdb$fields f on f.rdb$field_name = r.rdb$field_source"
                               " where f.rdb$field_type = 7 and coalesce(f.rdb$field_scale, 0) = 0"
                               " and r.rdb$field_name in (" + nomesDasColunasSql(colunas) + ")");
    curtas.execute();
    QStringList alargar;
    while (curtas.fetch()) {
        const QString coluna = curtas.value(0).toString();
        if (colunas.contains(coluna, Qt::CaseInsensitive))
            alargar << coluna;
    }
    for (const QString& coluna : alargar)
        alargarParaInteiro(coluna.section('.', 0, 0), coluna.section('.', 1));
}

void TfmAtualizacao::AlargarTexto(const QStringList& colunas, int tamanho)
{
    if (colunas.isEmpty() || tamanho <= 0)
        return;
    // VARCHAR is type 37; its character set is named again so that the
    // widened column reads and compares its texts as before.
    host::db::Statement curtas(upgradeTransaction(),
                               "select trim(r.rdb$relation_name) || '.' || trim(r.rdb$field_name),"
                               " trim(coalesce(c.rdb$character_set_name, ''))"
                               " from rdb$relation_fields r join rdb$fields f on f.rdb$field_name = r.rdb$field_source"
                               " left join rdb$character_sets c on c.rdb$character_set_id = f.rdb$character_set_id"
                               " where f.rdb$field_type = 37 and f.rdb$character_length < " + QString::number(tamanho) +
                               " and r.rdb$field_name in (" + nomesDasColunasSql(colunas) + ")");
    curtas.execute();
    std::vector<std::pair<QString, QString>> alargar;
    while (curtas.fetch()) {
        const QString coluna = curtas.value(0).toString();
        if (colunas.contains(coluna, Qt::CaseInsensitive))
            alargar.emplace_back(coluna, curtas.value(1).toString());
    }
    for (const auto& [coluna, conjunto] : alargar)
        runDdl("alter table " + coluna.section('.', 0, 0) + " alter " + coluna.section('.', 1) + " type varchar(" +
               QString::number(tamanho) + ")" + (conjunto.isEmpty() ? QString() : " character set " + conjunto));
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
    bool changed = false;
    for (const host::schema::TableDef& table : host::schema::hostTables())
        if (host::completeTable(upgradeTransaction(), table, existing)) {
            upgradeTransaction().commitRetaining();
            changed = true;
        }
    if (changed)
        host::grantToEveryone(upgradeTransaction());
    if (bMensagem)
        dmGlobal->MostraAviso("Atualização concluída.");
}

void CriarTabelaATCusto()
{
    ensureNamedTable("AATC08AF");
}
