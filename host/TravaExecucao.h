#pragma once
// A run that one process at a time may make on a database (the periodic
// service orders of the contracts, one contract's instalment run): two at
// once would each see the other's work as not done and repeat it. Taking
// the lock costs one statement.
//
// The lock is a row of TRAVAEXECUCAO written, and never committed, by a
// transaction of its own on dmGlobal's connection: a second process meets
// that row at once (its transactions do not wait) and is refused, and the
// engine lets the row go when the process ends, however it ends, so nothing
// is left behind to clear by hand. Takes of the same name in one process
// share the lock, so the host and the routine it calls may both ask for it.

#include <QString>

#include <exception>

namespace host {

namespace db {
class Transaction;
}

class TravaExecucao {
public:
    explicit TravaExecucao(const QString& nome);
    ~TravaExecucao();
    TravaExecucao(const TravaExecucao&) = delete;
    TravaExecucao& operator=(const TravaExecucao&) = delete;

    // False when another process holds the lock of this name.
    bool obtida() const { return obtida_; }

private:
    QString nome_;
    bool obtida_ = false;
};

// Holds the name until the transaction `tr` ends (a row of TRAVAEXECUCAO
// written and taken away again in it, so nothing stays afterwards): a value
// that must be one row's (a document's number) is held by each desk saving
// it, and the second desk is refused at once instead of both storing it.
// False when another desk holds the name.
bool SegurarNome(db::Transaction& tr, const QString& nome);

// True when a database error says a row is held by another transaction (a
// lock conflict, or a key that another transaction has just written).
bool ConflitoDeRegistro(const std::exception& erro);

}  // namespace host
