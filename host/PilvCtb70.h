#pragma once
// The host package PilvCtb70: the chart of accounts (ACCC01PC) search.

#include <QString>

// Lists the accounts that take entries (PCTIPO "A" or empty) by their
// classification. True with the chosen account's code and description;
// cancelled: false and both untouched.
bool SelecionaCtbConta(int& iConta, QString& sDescricao);
