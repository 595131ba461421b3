#include "host/Ulote.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/Form.h"

namespace host {

namespace {
ExecucaoLote* loteAtual = nullptr;
}  // namespace

std::shared_ptr<db::Statement> ExecucaoLote::comandoPreparado(db::Transaction& tr, const QString& sql)
{
    return loteAtual ? tr.prepared(sql) : nullptr;
}

ExecucaoLote::ExecucaoLote(const QString& origem)
    : anteriorLote_(loteAtual), origem_(origem)
{
    anterior_ = ui::Dialogs::setBackend(this);
    loteAtual = this;
}

ExecucaoLote::~ExecucaoLote()
{
    loteAtual = anteriorLote_;
    ui::Dialogs::setBackend(anterior_);
}

void ExecucaoLote::responder(const QString& pergunta, const QString& resposta)
{
    respostas_.insert(pergunta, resposta);
}

ui::DialogReply ExecucaoLote::ask(const ui::DialogRequest& pedido)
{
    ui::DialogReply resposta;
    QString desfecho;
    if (ui::isMessage(pedido.kind)) {
        resposta.accepted = true;
        desfecho = "mensagem em lote";
    } else if (pedido.kind == ui::DialogKind::Question && respostas_.contains(pedido.text) &&
               pedido.options.contains(respostas_.value(pedido.text))) {
        resposta.accepted = true;
        resposta.text = respostas_.value(pedido.text);
        resposta.index = int(pedido.options.indexOf(resposta.text));
        desfecho = "respondida em lote: " + resposta.text;
    } else {
        desfecho = "sem resposta em lote (" + ui::dialogKindName(pedido.kind) + ")";
    }
    ultimoTexto_ = pedido.text;
    if (dmGlobal)
        dmGlobal->Log(origem_, pedido.text, desfecho);
    return resposta;
}

bool ExecucaoLote::runModal(ui::Form& form)
{
    ultimoTexto_ = form.objectName();
    if (dmGlobal)
        dmGlobal->Log(origem_, form.objectName(), "janela modal cancelada em lote");
    form.setModalResult(ui::ModalResult::Cancel);
    return true;
}

}  // namespace host
