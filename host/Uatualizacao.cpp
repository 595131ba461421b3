// Uatualizacao: the host's schema routines.

#include "host/Uatualizacao.h"

#include "host/Udmglobal.h"

#include <QRegularExpression>

#include <stdexcept>

namespace {
TfmAtualizacao upgradeForm;

host::db::Transaction& transaction() { return *dmGlobal->IBTransaction1; }

void runDdl(const QString& sql)
{
    host::db::executeSql(transaction(), sql);
    transaction().commitRetaining();
}

QString columnName(const QString& definition)
{
    return definition.trimmed().section(QRegularExpression("\\s+"), 0, 0).toUpper();
}
}  // namespace

TfmAtualizacao* fmAtualizacao = &upgradeForm;

bool TfmAtualizacao::VerificaTamanhoCampo(const QString& tabela, const QString& coluna, const QString& tamanho)
{
    return host::db::columnLength(transaction(), tabela.trimmed(), coluna.trimmed()) == tamanho.trimmed().toInt();
}

bool TfmAtualizacao::CriarCampoTabela(const QString& tabela, const QString& definicao, const QString& valorPadrao)
{
    const QString column = columnName(definicao);
    if (column.isEmpty() || host::db::columnExists(transaction(), tabela.trimmed(), column))
        return false;
    QString sql = "alter table " + tabela.trimmed() + " add " + definicao.trimmed();
    if (!valorPadrao.trimmed().isEmpty())
        sql += " default " + valorPadrao.trimmed();
    runDdl(sql);
    return true;
}

void TfmAtualizacao::AlterarTamanhoCampo(const QString& tabela, const QString& coluna, const QString& tamanho)
{
    const int size = tamanho.trimmed().toInt();
    const int current = host::db::columnLength(transaction(), tabela.trimmed(), coluna.trimmed());
    if (size <= 0 || current < 0 || current == size)
        return;
    runDdl("alter table " + tabela.trimmed() + " alter " + coluna.trimmed() + " type varchar(" +
           QString::number(size) + ")");
}

void TfmAtualizacao::CriarTabelaSolicitacaoPecas()
{
    throw std::logic_error("CriarTabelaSolicitacaoPecas: not yet");
}

void TfmAtualizacao::Atualizacao22012004(bool)
{
    throw std::logic_error("Atualizacao22012004: not yet");
}

void CriarTabelaATCusto()
{
    throw std::logic_error("CriarTabelaATCusto: not yet");
}
