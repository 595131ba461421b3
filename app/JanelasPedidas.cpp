#include "app/JanelasPedidas.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"

#include <QRegularExpression>

namespace app {

namespace {

const QString kNaoEncontrada = "Janela não encontrada!";

QString opcaoJanela(const QString& pedido)
{
    return QString("--janela \"%1\"").arg(pedido);
}

// While the dispatcher runs, its "not found" message carries the option
// given: the dispatcher itself only knows that no name of its list matched.
class NomeiaJanela : public host::ui::DialogBackend {
public:
    explicit NomeiaJanela(const QString& pedido)
        : pedido_(pedido), anterior_(&host::ui::Dialogs::backend()), instalado_(host::ui::Dialogs::setBackend(this))
    {
    }
    ~NomeiaJanela() override { host::ui::Dialogs::setBackend(instalado_); }
    NomeiaJanela(const NomeiaJanela&) = delete;
    NomeiaJanela& operator=(const NomeiaJanela&) = delete;

    host::ui::DialogReply ask(const host::ui::DialogRequest& pedido) override
    {
        host::ui::DialogRequest nomeado = pedido;
        if (nomeado.text == kNaoEncontrada)
            nomeado.text += "\r" + opcaoJanela(pedido_);
        return anterior_->ask(nomeado);
    }
    bool runModal(host::ui::Form& form) override { return anterior_->runModal(form); }

private:
    QString pedido_;
    host::ui::DialogBackend* anterior_;
    host::ui::DialogBackend* instalado_;
};

bool ordemExiste(const QString& numero)
{
    bool ok = false;
    const int codigo = numero.toInt(&ok);
    return ok && host::db::selectValue(*dmGlobal->IBTransaction1, "select count(*) from AATC01AO where AOCODIGO = :N",
                                       {{"N", codigo}})
                         .toInt() > 0;
}

// The order window's argument, when given, must be the number of an order
// that exists: the dispatcher would open an empty order window for any other.
bool argumentoRecusado(const QString& pedido)
{
    if (!pedido.contains(';') || pedido.section(';', 0, 0) != "fmAssOrdemServico")
        return false;
    static const QRegularExpression numero("^[0-9]+$");
    const QString argumento = pedido.section(';', 1, 1).trimmed();
    if (!numero.match(argumento).hasMatch() || pedido.count(';') != 1) {
        host::ui::Dialogs::error(QString("%1: \"%2\" não é um número de ordem de serviço.")
                                     .arg(opcaoJanela(pedido), pedido.section(';', 1)));
        return true;
    }
    if (ordemExiste(argumento))
        return false;
    host::ui::Dialogs::error(QString("%1: a ordem de serviço %2 não existe.").arg(opcaoJanela(pedido), argumento));
    return true;
}

}  // namespace

void abrirJanelaPedida(const QString& pedido, void (*showJanelaTec)(const QString&))
{
    if (argumentoRecusado(pedido))
        return;
    NomeiaJanela nomeia(pedido);
    showJanelaTec(pedido);
}

}  // namespace app
