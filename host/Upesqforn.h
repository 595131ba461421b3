#pragma once
// The host's supplier search (unit Upesqforn): suppliers, carriers,
// salesmen, representatives and managers of AUGC0501.

#include <QString>

// sTipo in: when not empty, only suppliers of that type (FTIPO: "V"
// salesman, "R" representative, "T" carrier...); out: the chosen one's type.
// bTodos false (ATFORNECEDORTODOS/ATPESQUISAGERENTE "N") limits a salesman
// login to his own row. True with the code and type; cancelled: false and
// both untouched.
bool SelecionaFornecedor(QString& sCodigo, QString& sTipo, bool bTodos = true);
