#include "app/DialogosConsole.h"

#include "host/ui/Form.h"

#include <QTextStream>

namespace app {

host::ui::DialogReply DialogosConsole::ask(const host::ui::DialogRequest& pedido)
{
    if (pedido.kind == host::ui::DialogKind::Error)
        ++erros_;
    QTextStream erro(stderr);
    erro << host::ui::dialogKindName(pedido.kind) << ": " << QString(pedido.text).replace('\r', '\n');
    if (!pedido.detail.isEmpty())
        erro << "\n" << pedido.detail;
    erro << Qt::endl;
    host::ui::DialogReply resposta;
    resposta.accepted = host::ui::isMessage(pedido.kind);
    return resposta;
}

bool DialogosConsole::runModal(host::ui::Form& form)
{
    QTextStream(stderr) << "Janela modal cancelada: " << form.objectName() << Qt::endl;
    form.setModalResult(host::ui::ModalResult::Cancel);
    return true;
}

}  // namespace app
