#pragma once
// The host's product searches (unit Upesqprod): by description, the
// requested equipment of an order, and the stock expression they show.

#include <QDateTime>
#include <QString>

// Lists the active products (PRATIVO not "N") by description; with
// bServicos false the services (COM_FAB_S_FS "7") are left out. True when
// one was chosen: its code, description, sale price, stock, reserved
// quantity, promotional price and cost (the fifth number); cancelled: false
// and every argument untouched.
bool SelecionaProduto(QString& sCodigo, QString& sDescricao, double& rPrecoVenda, double& rEstoque,
                      double& rReservado, double& rPrecoPromocional, double& rCusto, bool bServicos = true);

namespace host::data {
class Dataset;
class Field;
}
// The active products whose description contains the text; the chosen
// product's code is written into the field. True when one was chosen;
// cancelled: false and the field untouched.
bool SelecionaProdutoDescricao(const QString& sDescricao, host::data::Field* campoCodigo);

// The requested lines (AVEC85IT) of a sales order: true with the chosen
// line's product code, line number (COD) and unit value; cancelled: false
// and the arguments untouched.
bool SelecionaAssEquipamentosSolicitados(const QString& sPedido, QString& sProduto, int& iLinha, double& rValor);

// The stock of the product named by the code column (an SQL expression such
// as "Prod.Codigo") at the current stock location, entries less exits of its
// position rows (0 without one), as a select-list item named by the alias.
QString RetornaSQLCampoEstoque(const QString& colunaCodigo, const QString& alias);

// The product search of the entry grids: several products may be marked;
// each chosen product becomes one line appended to the dataset and posted:
// the product field takes its code (the dataset's own handlers fill its
// description and price), the quantity field 1 when the line has none, the
// value field the sale price when the line has none. Empty field names and
// fields the dataset lacks are left out (no discount field: no discount).
// The kind ("OSPECA": lines of a service order; "VENDA": lines of a sales
// order, priced by their own product rule), the two flags and the two texts
// are kept for the callers.
// True when at least one line was appended; cancelled: false, nothing written.
bool SelecionaInseriProduto(const QString& sTipo, host::data::Dataset* dataset, const QString& sCampoQuantidade,
                            const QString& sCampoProduto, const QString& sCampoValor, const QString& sCampoDesconto,
                            bool bFlag1, bool bFlag2, const QString& sTexto1, const QString& sTexto2);

// The quantity and price dialog of a product ("fmProdutoQuantidade"): the
// quantity, unit price and discount percent typed, seeded with the values
// given (a price of 0 takes the product's sale price). On OK: true and the
// values, with rTotal := price x quantity. Cancelled: false and nothing
// changed. bPreco false leaves the price read-only; sAuxiliar gets the
// product's description.
bool SelecionaProdutoQuantidade(const QString& sProduto, double& rQuantidade, double& rPreco, double& rTotal,
                                double& rDesconto, bool bPreco, QString& sAuxiliar);

// The price range of a product for a customer: its sale, promotional and
// cost prices listed as rows to choose from. True with the chosen price in
// rPreco (sAuxiliar: the range's name, iAuxiliar: its position from 1);
// cancelled: false and nothing changed. The price table -1 means the
// customer's own; this host has one price per range.
bool SelecionaProdutoFaixaPreco(const QString& sProduto, const QString& sCliente, int iTabela, double& rPreco,
                                QString& sAuxiliar, int& iAuxiliar);

// The serial numbers of a product (AUGC50NS), those of the service order
// first, listed to browse. The date is the day the window is opened for.
void AbreNumeroSerie(const QString& sProduto, const QString& sOrdemServico, const QDateTime& data);
