#pragma once
// The host's sales-price and stock routines of the order lines: promotion,
// customer price bands, payment-term discount, stock at a location and the
// exchange rate that may be missing. Read only: none of them writes.

#include <QDateTime>
#include <QString>

namespace host::data {
class Dataset;
}

// The product's quantity at a stock location: entries less exits of its
// position row (ACEC11PO); the three outputs get entries, exits and the
// product's whole stock. 0 without a row.
double QuantidadeLocalProduto(const QString& local, const QString& produto, double& entradas, double& saidas,
                              double& estoqueTotal);

// True when the product has a promotional price above 0 and today lies
// between the promotion's first and last day (each open when empty).
bool ProdutoEmPromocao(double precoPromocional, const QDateTime& fim, const QDateTime& inicio);

// The promotional price, cut to two decimals; 0 once a promotion limited to
// a quantity (above 0) has sold that much in order lines priced by it
// (VEITPROMOCAO "S") since its first day.
double RetornaValorProdutoEmPromocao(const QString& produto, double quantidadePromocao, double precoPromocional,
                                     const QDateTime& inicio);

// True when the payment-term table is registered (an empty table passes).
bool PVVerificaItemTabelaVencimento(const QString& tabela);
// True when the payment-term table gives no discount of its own on top of a
// price-table discount (its DESCONTO is 0 or it is not registered).
bool PVVerificaItemTabelaVencimentoDesconto(const QString& tabela);

// The discount of an order line: the product's own discount when above 0,
// otherwise the customer's (AUGC0301.CLDESCONTO).
double DescontoCalculado(const QString& cliente, const QString& operacao, const QString& tabela,
                         const QString& grupo, double descontoProduto, const QString& produto);

// The price of the customer's sales band for the product: the band row's
// value, or without one the sale price less the band row's discount.
double RetornarPrecoFaixaClienteDesconto(const QString& cliente, const QString& produto);

// The highest price of the customer's band: the product's currency cost
// (converted at the date when a currency is named; the current value when
// there is no such cost) raised by the band row's mark-up.
double PVValorMaximoFaixaCliente(const QString& cliente, const QString& produto, double cmvMoeda, double valorAtual,
                                 const QString& moeda, const QDateTime& data);

// The freight surcharge check of a typed price: true when the price fell
// below the kept price on an order shipped by a carrier (a carrier or
// redispatch carrier named). This host has no surcharge to add, so the price
// is left as it is.
bool PVVerificaItemFreteAcrescimo(double valor, double valorOriginal, const QString& cidade,
                                  const QString& tipoRedespacho, const QString& transportadora,
                                  const QString& transportadoraRedespacho);

// True when the location holds the quantity of the product.
bool VerificaVendaEstoqueLocal(const QString& produto, const QString& local, double quantidade,
                               const QString& naoUsado);

// The exchange rate of a currency on or before the date; 0 when none is
// registered (never a warning).
double CotacaoMoedaZero(const QString& moeda, const QDateTime& data);

// The price-by-quantity search of an order line (fields CODIGO, VALOR,
// DESCONTO of the dataset). bMostrar lists the product's price ranges for
// the customer: the chosen price goes to VALOR, or with bDesconto becomes
// the DESCONTO that brings the sale price down to it; true when one was
// chosen, cancelled: false and nothing changed. Without bMostrar nothing is
// shown and the result says whether the product has price rows.
bool PesquisaValorPorQuantidade(bool bDesconto, bool bMostrar, host::data::Dataset* linha = nullptr,
                                const QString& cliente = {});

// Locations are three-digit codes ("1" and "001" name the same one): the
// stock location a location code names, a number written with three
// digits ("01" is location "001"), any other code as it is.
QString LocalEstoqueTresDigitos(const QString& local);
