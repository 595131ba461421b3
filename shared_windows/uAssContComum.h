#pragma once
// What the contract windows share.

#include "host/Uglobal.h"

class QLineEdit;
class QToolButton;

namespace host::data {
class Query;
}
namespace host::ui {
class DateEdit;
}

namespace uAssContComum {

// The trace lines around each open of a window's query (the host's).
using ::LigaLogAbertura;

// A named edit of the filters, limited to that many characters (0: none);
// a limited one is as wide as its limit, so the filters keep to the left
// and the grids get the rest of the window.
QLineEdit* EditFiltro(const char* nome, int limite = 0);
// A named date edit as wide as its text and its calendar button.
host::ui::DateEdit* EditData(const char* nome);
// A named "..." button that opens a picker.
QToolButton* BotaoPesquisa(const char* nome);

}  // namespace uAssContComum
