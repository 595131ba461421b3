#include "host/TravaExecucao.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/db/RowHold.h"
#include "host/schema/HostSchema.h"

#include <QHash>

#include <memory>

namespace host {

namespace {

// The locks this process holds: each with its transaction and its takers.
struct Trava {
    std::shared_ptr<db::Transaction> transacao;
    int usos = 0;
};

QHash<QString, Trava>& travas()
{
    static QHash<QString, Trava> todas;
    return todas;
}

void criarTabela(db::Transaction& tr)
{
    if (db::tableExists(tr, "TRAVAEXECUCAO"))
        return;
    try {
        db::executeSql(tr, "create table TRAVAEXECUCAO (NOME varchar(60) not null primary key)");
        // Every user's jobs take their turns on it.
        grantToEveryone(tr);
        tr.commit();
    } catch (const db::DbError&) {
        // Another process made it meanwhile.
        if (tr.active())
            tr.rollback();
        if (!db::tableExists(tr, "TRAVAEXECUCAO"))
            throw;
    }
}

// The lock's row written in its own transaction. The table is looked for
// only when the write fails: a run that takes the lock pays one statement.
void marcar(db::Transaction& tr, const QString& nome)
{
    static const QString sql = QStringLiteral(
        "update or insert into TRAVAEXECUCAO (NOME) values (:NOME) matching (NOME)");
    try {
        db::executeSql(tr, sql, {{"NOME", nome}});
        return;
    } catch (const db::DbError& erro) {
        if (ConflitoDeRegistro(erro) || db::tableExists(tr, "TRAVAEXECUCAO"))
            throw;
    }
    criarTabela(tr);
    db::executeSql(tr, sql, {{"NOME", nome}});
}

}  // namespace

bool ConflitoDeRegistro(const std::exception& erro) { return db::isRowConflict(erro); }

bool SegurarNome(db::Transaction& tr, const QString& nome)
{
    try {
        db::executeSql(tr, "update or insert into TRAVAEXECUCAO (NOME) values (:NOME) matching (NOME)",
                       {{"NOME", nome}});
        db::executeSql(tr, "delete from TRAVAEXECUCAO where NOME = :NOME", {{"NOME", nome}});
        return true;
    } catch (const db::DbError& erro) {
        if (!ConflitoDeRegistro(erro))
            throw;
        return false;
    }
}

TravaExecucao::TravaExecucao(const QString& nome) : nome_(nome)
{
    Trava& trava = travas()[nome];
    if (trava.usos > 0) {
        ++trava.usos;
        obtida_ = true;
        return;
    }
    trava.transacao = std::make_shared<db::Transaction>(*dmGlobal->Database1);
    try {
        marcar(*trava.transacao, nome);
        trava.usos = 1;
        obtida_ = true;
    } catch (const std::exception& erro) {
        travas().remove(nome);
        if (!ConflitoDeRegistro(erro))
            throw;
    }
}

TravaExecucao::~TravaExecucao()
{
    if (!obtida_)
        return;
    auto it = travas().find(nome_);
    if (it == travas().end() || --it->usos > 0)
        return;
    try {
        if (it->transacao->active())
            it->transacao->rollback();
    } catch (...) {
        // The engine lets the row go with the connection anyway.
    }
    travas().erase(it);
}

}  // namespace host
