#pragma once
// The host's general search (unit Upesqgeral): one picker per search kind,
// each a table, its columns and titles, a fixed filter and an order
// (host/search-kinds.md lists them). The caller names up to three columns
// of the kind's rows and gets the chosen row's values back.

#include "host/Upesq.h"

#include <QString>

// Shows the picker of the kind; true when a row was chosen, with the values
// of sCampo1..3 (column names in any letter case; pass one name several
// times when fewer values are needed) in sValor1..3 as text. Cancelled: false
// and the values untouched. The condition ("Where (Veic.EVID = 'L')", "where"
// optional) is added to the kind's own; it comes from code, never from text
// the user typed. An unknown kind or column is a programming error
// (std::invalid_argument).
bool SelecionaPesquisaGeral(int iTipo, const QString& sCampo1, const QString& sCampo2, const QString& sCampo3,
                            QString& sValor1, QString& sValor2, QString& sValor3,
                            const QString& sCondicao = {});

namespace host {
// The picker of a search kind; nullptr when the kind is unknown.
const PesquisaDefinicao* pesquisaGeral(int tipo);
// Every kind, in ascending order.
std::vector<int> tiposPesquisaGeral();
}  // namespace host
