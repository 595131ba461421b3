#pragma once
// The host's product search (unit Upesqprod).

#include <QString>

// Lists the active products (PRATIVO not "N") by description; with
// bServicos false the services (COM_FAB_S_FS "7") are left out. True when
// one was chosen: its code, description, sale price, stock, reserved
// quantity, promotional price and cost (the fifth number); cancelled: false
// and every argument untouched.
bool SelecionaProduto(QString& sCodigo, QString& sDescricao, double& rPrecoVenda, double& rEstoque,
                      double& rReservado, double& rPrecoPromocional, double& rCusto, bool bServicos = true);
