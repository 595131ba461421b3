#pragma once
// What the contract windows share.

class QLineEdit;
class QToolButton;

namespace host::data {
class Query;
}

namespace uAssContComum {

// The trace lines around each open of a window's query, tagged
// "[<name>Open]": "***INICIO", the statement with its parameters, "***FIM".
void LigaLogAbertura(host::data::Query& query);

// A named edit of the filters, limited to that many characters (0: none).
QLineEdit* EditFiltro(const char* nome, int limite = 0);
// A named "..." button that opens a picker.
QToolButton* BotaoPesquisa(const char* nome);

}  // namespace uAssContComum
