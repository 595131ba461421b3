#pragma once
// The columns that completing the schema widens, made as an old database
// has them, for the tests of the schema and of the module's upgrade.

#include "host/db/Database.h"

struct ColunaAntiga {
    const char* tabela;
    const char* coluna;
    int largura;   // as an old database has it
};

// Stock locations two wide (the documents' header and lines, the document
// counters' key, the link of an order to its document, an order line's
// returned and warranty stock); a receivable's number six wide in its cash
// forecast and as its original number.
inline constexpr ColunaAntiga kColunasAntigas[] = {
    {"ACEM1401", "LOCAL_DOC", 2},          {"ACEM14IT", "MELOCAL", 2},
    {"NUMERACAO", "LOCAL", 2},             {"ACEM14REF", "REFOLOCAL_DOC", 2},
    {"AVEC85IT", "VEITCRELOCAL", 2},       {"AVEC85IT", "VEITGARANTIALOCAL", 2},
    {"ACXC94XP", "XPDOCUMENTO", 6},        {"ACRC5001", "CRDOCUMENTOORIGINAL", 6}};

// Makes every column of kColunasAntigas as narrow as it was, with the index
// and the key it is part of; committed (retaining).
void estreitarComoBancoAntigo(host::db::Transaction& tr);
