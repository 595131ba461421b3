#pragma once
// A savepoint in a transaction for the length of one routine: when the
// routine leaves by an exception its own writes are undone and the other
// pending work of the transaction stays. Savepoints nest (each has a name
// of its own). A commit retaining inside the scope ends the savepoint:
// call concluir() before committing.

#include "host/db/Database.h"

#include <atomic>

namespace host::db {

class PontoDeRetorno {
public:
    explicit PontoDeRetorno(Transaction& transaction) : transaction_(transaction)
    {
        static std::atomic<unsigned> sequencia{0};
        nome_ = "SP_ROTINA_" + QString::number(++sequencia);
        executeSql(transaction_, "SAVEPOINT " + nome_);
    }
    ~PontoDeRetorno()
    {
        if (ativo_) {
            try {
                executeSql(transaction_, "ROLLBACK TO SAVEPOINT " + nome_);
            } catch (...) {
                // The transaction already ended (a hard end loses the
                // savepoint with everything after it): nothing is left to undo.
            }
        }
    }
    PontoDeRetorno(const PontoDeRetorno&) = delete;
    PontoDeRetorno& operator=(const PontoDeRetorno&) = delete;

    // The routine's work is whole: it stays in the transaction.
    void concluir()
    {
        if (!ativo_)
            return;
        executeSql(transaction_, "RELEASE SAVEPOINT " + nome_);
        ativo_ = false;
    }

private:
    Transaction& transaction_;
    QString nome_;
    bool ativo_ = true;
};

}  // namespace host::db
