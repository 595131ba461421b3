#pragma once
// The host's product searches (unit Upesqprod): by description, the
// requested equipment of an order, and the stock expression they show.

#include <QString>

// Lists the active products (PRATIVO not "N") by description; with
// bServicos false the services (COM_FAB_S_FS "7") are left out. True when
// one was chosen: its code, description, sale price, stock, reserved
// quantity, promotional price and cost (the fifth number); cancelled: false
// and every argument untouched.
bool SelecionaProduto(QString& sCodigo, QString& sDescricao, double& rPrecoVenda, double& rEstoque,
                      double& rReservado, double& rPrecoPromocional, double& rCusto, bool bServicos = true);

namespace host::data {
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
