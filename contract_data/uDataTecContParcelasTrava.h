#pragma once
// One desk at a time turns a contract's span into forecast instalments (the
// service contracts' generator, the rental one and its renewal). The run
// takes the contract's job lock, then its row, before it reads the earlier
// instalments: a second desk generating, renewing or billing the same
// contract meanwhile is refused in words and writes nothing, and one that
// comes after reads every instalment of the first.

#include "host/TravaExecucao.h"

namespace host::db {
class Transaction;
}

namespace uDataTecContParcelas {

class ContratoEmGeracao {
public:
    // Refuses (message, abort) while another desk holds the contract, or
    // when its row is gone.
    ContratoEmGeracao(host::db::Transaction& tr, int contrato);
    ContratoEmGeracao(const ContratoEmGeracao&) = delete;
    ContratoEmGeracao& operator=(const ContratoEmGeracao&) = delete;

    // After an instalment's commit, which lets the row go: held again. The
    // job lock outlives the commits, so no other generator got in between;
    // another routine that did (a billing) stops the run here, the
    // instalments committed so far kept.
    void retoma();

private:
    host::db::Transaction& tr_;
    int contrato_;
    // Its own transaction, never committed: the row hold alone ends with
    // each instalment's commit.
    host::TravaExecucao trava_;
};

}  // namespace uDataTecContParcelas
