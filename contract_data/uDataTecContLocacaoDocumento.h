#pragma once
// How a rental contract numbers its receivables: the rental instalments and
// the late-return fine take their numbers, sequences and kind alike.

#include <QString>

class NumerosReceber;

namespace uDataTecContLocacao {

struct DocumentoReceber {
    QString numero;
    int sequencia = 0;
};
// ATPARCELASEMPREVISAO "S": every receivable of a contract carries the
// contract's own number.
bool NumeroDoContrato();
// The document kind: ATTIPODOCUMENTOCONTRATO, "01" when empty.
QString TipoDocumentoContrato();
// The next document of the customer: the receivables' next number at
// sequence 1, or the contract's own number at the customer's next sequence
// under it.
DocumentoReceber ProximoDocumento(const QString& cliente, int contrato, bool numeroDoContrato,
                                  NumerosReceber& livres);

}  // namespace uDataTecContLocacao
