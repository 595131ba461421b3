#pragma once
// The host's postal-code search (unit Upesqcep) over its register of postal
// codes (AUGC08CP: one street or stretch per code).

#include <QString>

// Lists the postal codes by code; the search box looks in the selected
// column (the code, the street or the city). True when one was chosen: its
// code ("99999-999"), street, district, city and state; cancelled: false and
// the texts untouched.
bool SelecionaCEP(QString& sCEP, QString& sEndereco, QString& sBairro, QString& sCidade, QString& sUF);
