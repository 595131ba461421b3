#pragma once
// The host pickers of a sales-order line's grid: stock by location, outgoing
// and warranty documents, the measures typed for a line, the product's
// composition as a value, and a line's photo. Each cancelled picker changes
// nothing.

#include <QString>

namespace host::data {
class Dataset;
}

// The product's stock at each location (ACEC11PO: entries less exits),
// shown to browse.
void PesquisaProdutoLocal(const QString& sProduto);

// The outgoing stock documents of the product (ACEM14IT rows whose
// operation is not an entry, TIPO_OP "E"): true with the chosen document's
// number, customer, operation, location and series; cancelled: false.
bool SelecionaDocumentoSaida(const QString& sProduto, QString& sDocumento, QString& sCliente, QString& sOperacao,
                             QString& sLocal, QString& sSerie);

// The incoming documents (operation of type "E") that carried the product,
// for a warranty: true with number, series, location, operation, supplier
// and item sequence; cancelled: false.
bool SelecionaDocumentoEntradaGarantiaItem(const QString& sProduto, QString& sDocumento, QString& sSerie,
                                           QString& sLocal, QString& sOperacao, QString& sFornecedor,
                                           int& iSequencia);

// The measures typed for a line of an order (AVEC85VEME), shown to browse
// when bMostrar; the number of measure rows.
int PVVerificaMedidaItem(bool bMostrar, const QString& sPedido, int iLinha);

// The product's components (AGPC03CM): true, once confirmed, with the value
// of the whole composition (quantity x value of each component) in rValor;
// cancelled: false. The order, its kind and the flags are kept for callers.
bool SelecionaComposicaoManual(const QString& sProduto, const QString& sPedido, const QString& sTipo,
                               bool bFechada, int iOpcao, host::data::Dataset* dataset, double& rValor);

// One component of the product, chosen for a line sold as a composition:
// its value (quantity x value) in rValor and its code and quantity as the
// line's note in sObs; cancelled: false and nothing changed.
bool SelecionaVendaItemComposicao(const QString& sOperacao, int iLinha, const QString& sTipo,
                                  const QString& sPedido, const QString& sProduto, double& rValor, QString& sObs);

// The line's product composition, shown (the host composition window, modal).
void PVItemVerificaComposicao(const QString& sProduto);

// A picture file chosen and stored as the photo of (code, kind, sequence)
// in FOTO, replacing the one there; committed. True when a file was stored.
bool InserirImagem(const QString& sCampo, const QString& sCodigo, const QString& sId, int iSequencia,
                   const QString& sCaption);
