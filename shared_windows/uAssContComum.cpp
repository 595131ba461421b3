// What the contract windows share.

#include "shared_windows/uAssContComum.h"

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/EditControls.h"

#include <algorithm>

#include <QLineEdit>
#include <QToolButton>

namespace uAssContComum {

QLineEdit* EditFiltro(const char* nome, int limite)
{
    auto* edit = host::ui::named<QLineEdit>(nome);
    if (limite <= 0)
        return edit;
    edit->setMaxLength(limite);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(std::max(limite, 4) + 2, QChar('0'))) + 12);
    return edit;
}

host::ui::DateEdit* EditData(const char* nome)
{
    auto* edit = new host::ui::DateEdit(nome);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("00/00/00000") + 40);
    return edit;
}

QToolButton* BotaoPesquisa(const char* nome)
{
    auto* botao = host::ui::named<QToolButton>(nome);
    botao->setText("...");
    botao->setToolTip("Pesquisa");
    return botao;
}

}  // namespace uAssContComum
