#pragma once
// The host's search of outgoing documents (unit Upesqdocsai).

#include <QString>

// Lists the outgoing stock documents (ACEM1401 whose operation is not an
// entry) of the service order's customer, newest first; several may be
// marked. Every product line of the chosen documents becomes an item of the
// order (AATC01AOIT, keys from the item generator): the product, its
// description, quantity, serial number, document and date, with the first
// equipment model linked to the product (none: code 0). The item given is
// the order's current one, kept for the callers. The items are committed
// together (none when one fails). True with the first chosen document's
// number, series, customer, operation and location in the texts; cancelled
// or an order without customer: false, nothing written.
bool SelecionaDocumentoSaidaMultiplaOS(QString& sDocumento, QString& sSerie, QString& sCliente, QString& sOperacao,
                                       QString& sLocal, int iOrdem, int iItem);
