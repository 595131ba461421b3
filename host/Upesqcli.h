#pragma once
// The host's customer search (unit Upesqcli).

#include <QString>

// Lists the customers (AUGC0301) by name; the search box looks in the
// selected column (the name, or the code when bPorCodigo). True when one
// was chosen: its name, code and trade name; cancelled: false and the
// texts untouched.
bool SelecionaCliente(QString& sNome, QString& sCodigo, QString& sNomeFantasia, bool bPorCodigo = false);
