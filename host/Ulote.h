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
// While a run lives, the rules' first-row reads keep their statements
// prepared, by text, among the transaction's kept statements: a run repeats
// the same reads for every row, where a user's one-off reads are not worth
// keeping. (The host's single-value reads keep theirs at any time, their
// compared values bound as parameters: host/LeituraParametrizada.h.)

#include "host/ui/Dialogs.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

namespace host::db {
class Statement;
class Transaction;
}

namespace host {

// What the last batch run of the process leaves for the host that asked for
// it, besides its closing message: the rows it made (order numbers), one line
// per row it could not make, and whether it was refused whole (another run
// held the database). The run sets it; the host reads it when the call returns.
struct ResultadoLote {
    QList<int> feitos;
    QStringList falhas;
    bool recusado = false;
    // Notes a row made and committed, and tells avisoFeitoLote() at once.
    void feito(int numero);
};
ResultadoLote& ultimoResultadoLote();
// Told of each row a run makes as soon as it is committed (a job prints it
// then, so a run stopped later has told what it made); empty: no one listens.
std::function<void(int)>& avisoFeitoLote();

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

    // Tables the run reads but never changes (situations, technicians,
    // products...): while the run lives, a read of one of them is kept by its
    // text and serves every later row. A write into such a table through the
    // host's record routines forgets what was kept of it.
    void tabelasFixas(const QStringList& tabelas);
    // The value `ler` gives, kept for the run when `tabela` is one of its
    // fixed tables (the first word of a "TABLE alias" counts); without a run,
    // or for any other table, it simply reads.
    static QVariant lembrada(const QString& tabela, const QString& chave, const std::function<QVariant()>& ler);
    static void tabelaAlterada(const QString& tabela);
    static bool ativa();

private:
    ExecucaoLote* anteriorLote_ = nullptr;
    // The fixed tables (upper-cased names), each with what was read of it by
    // key: a run has a handful, looked up on every read of its rows.
    struct TabelaFixa {
        QString nome;
        QHash<QString, QVariant> lembradas;
    };
    QList<TabelaFixa> tabelasFixas_;
    qsizetype tabelaFixa(const QString& tabela) const;
    qsizetype tabelaFixa(QStringView nome) const;
    QHash<QString, QVariant>* lembradasDe(const QString& tabela);
    QString origem_;
    QHash<QString, QString> respostas_;
    QString ultimoTexto_;
    ui::DialogBackend* anterior_ = nullptr;
};

}  // namespace host
