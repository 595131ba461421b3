// What the engine refuses a user at the start, told in the user's words
// (the engine's text stays as the detail): an attach refused by a server or
// for the user's password, a statement refused for a privilege; and the
// names the engine takes for databases on a server.

#include "host/db/FbApi.h"

#include <QHash>
#include <QRegularExpression>

#include <ibase.h>

namespace host::db {

namespace {

// "inet://host:port/path", "inet4://", "inet6://", "xnet://", "wnet://".
const QRegularExpression& protocolName() {
    static const QRegularExpression name("^(inet[46]?|xnet|wnet)://([^/]*)/", QRegularExpression::CaseInsensitiveOption);
    return name;
}

// "host:path", "host/port:path", "[IPv6]:path", "[IPv6]/port:path"; a single
// letter before the colon is a drive, not a host.
const QRegularExpression& serverName() {
    static const QRegularExpression name(R"(^(\[[0-9A-Fa-f:.]+\]|[^/:\\\[]{2,})(/[^/:\\]+)?:)");
    return name;
}

}  // namespace

bool Connection::isRemoteName(const QString& name) {
    return name.contains(protocolName()) || name.contains(serverName());
}

QString Connection::serverOf(const QString& name) {
    if (const QRegularExpressionMatch url = protocolName().match(name); url.hasMatch()) return url.captured(2);
    if (const QRegularExpressionMatch server = serverName().match(name); server.hasMatch())
        return server.captured(1) + server.captured(2);
    return {};
}

namespace detail {

QString attachFailureText(const ConnectOptions& options, const DbError& failure, qint64 waitedMs) {
    const QString server = Connection::serverOf(options.name);
    const QString text = failure.message();
    switch (failure.gdsCode()) {
    case isc_login:
        return server.isEmpty()
                   ? QString("O usuário %1 ou a senha não foram aceitos para o banco de dados %2.")
                         .arg(options.user, options.name)
                   : QString("O servidor %1 não aceitou o usuário %2 com a senha informada (banco de dados %3).")
                         .arg(server, options.user, options.name);
    case isc_io_error:
        if (server.isEmpty()) return {};
        return text.contains("No such file", Qt::CaseInsensitive)
                   ? QString("O banco de dados %1 não existe no servidor %2.").arg(options.name, server)
                   : QString("O servidor %1 não conseguiu abrir o banco de dados %2.").arg(server, options.name);
    case isc_network_error:
    case isc_net_connect_err:
    case isc_net_read_err:
    case isc_net_write_err:
    case isc_connect_reject:
        if (server.isEmpty()) return {};
        if (text.contains("Failed to locate host machine", Qt::CaseInsensitive))
            return QString("O servidor %1 do banco de dados %2 não foi encontrado na rede.").arg(server, options.name);
        // A refusal comes at once; the time is told only when the attach waited for an answer.
        if (waitedMs < 1000)
            return QString("O servidor %1 do banco de dados %2 recusou a conexão ou não pôde ser alcançado.")
                .arg(server, options.name);
        return QString("O servidor %1 do banco de dados %2 não respondeu ou recusou a conexão (aguardados %3 s).")
            .arg(server, options.name)
            .arg((waitedMs + 500) / 1000);
    default:
        return {};
    }
}

namespace {

// A schema change (an update's new table or column) refused: "-ALTER TABLE
// AATC01AO failed" names what was to be changed.
QString schemaChangeRefusedText(const DbError& failure, const QString& user) {
    static const QRegularExpression failed(R"re(-(CREATE|ALTER|DROP|RECREATE)\s+(\w+)\s+"?([^"\s]+)"?\s+failed)re",
                                           QRegularExpression::CaseInsensitiveOption);
    static const QHash<QString, QString> verbs{{"CREATE", "criar"}, {"RECREATE", "criar"}, {"ALTER", "alterar"},
                                               {"DROP", "excluir"}};
    static const QHash<QString, QString> objects{{"TABLE", "a tabela"},      {"VIEW", "a visão"},
                                                 {"DOMAIN", "o domínio"},    {"INDEX", "o índice"},
                                                 {"GENERATOR", "o gerador"}, {"SEQUENCE", "o gerador"},
                                                 {"PROCEDURE", "o procedimento"}};
    const QRegularExpressionMatch match = failed.match(failure.message());
    const QString what = match.hasMatch() ? QString(" %1 %2 %3").arg(verbs.value(match.captured(1).toUpper()),
                                                                      objects.value(match.captured(2).toUpper(),
                                                                                    match.captured(2).toLower()),
                                                                      match.captured(3))
                                          : QString(" mudar a estrutura do banco de dados");
    // Only the owner of the database (or SYSDBA) changes its structure: the
    // update waits for one of their starts, which also grants what it makes.
    return QString("O usuário %1 do banco de dados não tem permissão para%2, o que a atualização do banco de dados "
                   "precisa fazer. Inicie o sistema uma vez como SYSDBA ou como o dono do banco de dados, que conclui "
                   "a atualização e concede as permissões a todos os usuários; depois os outros usuários iniciam "
                   "normalmente.")
        .arg(user, what);
}

}  // namespace

QString noPermissionText(const DbError& failure, const QString& user) {
    if (failure.gdsCode() == isc_dyn_no_priv) return schemaChangeRefusedText(failure, user);
    // "no permission for SELECT access to TABLE PARAMETROS"
    static const QRegularExpression refused(R"re(no permission for (\w+) access to (\w+) "?([^"\s]+)"?)re",
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = refused.match(failure.message());
    if (!match.hasMatch())
        return QString("O usuário %1 do banco de dados não tem permissão para esta operação.").arg(user);
    static const QHash<QString, QString> actions{{"SELECT", "ler"},     {"INSERT", "incluir registros em"},
                                                 {"UPDATE", "alterar"}, {"DELETE", "excluir registros de"},
                                                 {"EXECUTE", "executar"}, {"USAGE", "usar"},
                                                 {"REFERENCES", "referenciar"}};
    static const QHash<QString, QString> objects{{"TABLE", "a tabela"},       {"VIEW", "a visão"},
                                                 {"PROCEDURE", "o procedimento"}, {"GENERATOR", "o gerador"},
                                                 {"SEQUENCE", "o gerador"},  {"FUNCTION", "a função"},
                                                 {"COLUMN", "a coluna"}};
    const QString action = match.captured(1).toUpper(), object = match.captured(2).toUpper();
    if (!actions.contains(action)) return schemaChangeRefusedText(failure, user);
    // The start of the database's owner grants every table to every user:
    // a database another user started first after an update lacks them.
    return QString("O usuário %1 do banco de dados não tem permissão para %2 %3 %4. Inicie o sistema uma vez como "
                   "SYSDBA ou como o dono do banco de dados, o que concede as permissões a todos os usuários, ou "
                   "peça ao administrador do banco que conceda a permissão (GRANT %5).")
        .arg(user, actions.value(action, "usar"), objects.value(object, object.toLower()), match.captured(3), action);
}

}  // namespace detail

}  // namespace host::db
