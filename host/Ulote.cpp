#include "host/Ulote.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/Form.h"

namespace host {

namespace {
ExecucaoLote* loteAtual = nullptr;
constexpr size_t kLeiturasGuardadas = 64;
}  // namespace

// The most recently used statements first; the oldest goes past the limit
// (reads whose text carries a row's own key are used once).
struct ExecucaoLote::Leituras {
    db::Transaction* tr = nullptr;
    std::list<std::pair<QString, std::unique_ptr<db::Statement>>> recentes;

    db::Statement* obter(db::Transaction& transacao, const QString& sql)
    {
        if (tr != &transacao) {
            recentes.clear();
            tr = &transacao;
        }
        for (auto it = recentes.begin(); it != recentes.end(); ++it) {
            if (it->first != sql)
                continue;
            recentes.splice(recentes.begin(), recentes, it);
            db::Statement& st = *recentes.front().second;
            if (st.cursorOpen())
                st.closeCursor();
            return &st;
        }
        recentes.emplace_front(sql, std::make_unique<db::Statement>(transacao, sql));
        if (recentes.size() > kLeiturasGuardadas)
            recentes.pop_back();
        return recentes.front().second.get();
    }
};

db::Statement* ExecucaoLote::comandoPreparado(db::Transaction& tr, const QString& sql)
{
    return loteAtual ? loteAtual->leituras_->obter(tr, sql) : nullptr;
}

ExecucaoLote::ExecucaoLote(const QString& origem)
    : leituras_(std::make_unique<Leituras>()), anteriorLote_(loteAtual), origem_(origem)
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
