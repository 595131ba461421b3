#pragma once
// The host's receivable search (unit Upesqrec).

#include <QString>

// Lists the receivables (ACRC5001) with their customers, newest due date
// first. True with the chosen one's document number, customer code,
// sequence and branch; cancelled: false and the arguments untouched.
bool SelecionaReceber(QString& sDocumento, QString& sCliente, int& iSequencia, QString& sFilial);
