#pragma once
// A batch run of the host's packages (periodic service orders, removals and
// orders from stock documents): while an ExecucaoLote lives no dialog waits
// for a person. Messages are written to the log under the run's origin and
// acknowledged; a question gets the answer the run gave for its text
// (responder), otherwise it is closed without a choice; text, number and
// password prompts, pick lists, file and printer choices and modal windows
// are cancelled. The rules then take the path they take when the user
// declines: a row they refuse is refused, and the run logs it and goes on.
//
// The dialogs installed before are put back when the run ends, so the run's
// own closing message reaches the user.
//
// While a run lives, the single-value reads the rules make through the host
// (CarregaDado and its siblings, MaximoDado, ContadorDados) and the rules'
// first-row reads keep their statements prepared, by text, among the
// transaction's kept statements: a run repeats the same reads for every row,
// where a user's one-off reads are not worth keeping.

#include "host/ui/Dialogs.h"

#include <QHash>
#include <QString>

#include <memory>

namespace host::db {
class Statement;
class Transaction;
}

namespace host {

class ExecucaoLote : public ui::DialogBackend {
public:
    explicit ExecucaoLote(const QString& origem);
    ~ExecucaoLote() override;
    ExecucaoLote(const ExecucaoLote&) = delete;
    ExecucaoLote& operator=(const ExecucaoLote&) = delete;

    // The caption a question with exactly this text is answered with.
    void responder(const QString& pergunta, const QString& resposta);
    // The text of the last dialog since limpar(): why a row was refused
    // when its rule ended the operation silently after a dialog.
    QString ultimoTexto() const { return ultimoTexto_; }
    void limpar() { ultimoTexto_.clear(); }

    ui::DialogReply ask(const ui::DialogRequest& pedido) override;
    bool runModal(ui::Form& form) override;

    // The transaction's kept statement of a read the running batch repeats,
    // or nullptr when no batch runs.
    static std::shared_ptr<db::Statement> comandoPreparado(db::Transaction& tr, const QString& sql);

private:
    ExecucaoLote* anteriorLote_ = nullptr;
    QString origem_;
    QHash<QString, QString> respostas_;
    QString ultimoTexto_;
    ui::DialogBackend* anterior_ = nullptr;
};

}  // namespace host
