#include "app/DialogosConsole.h"

#include "host/HostLog.h"
#include "host/ui/Form.h"

#include <QTextStream>

#include <mutex>

namespace app {

namespace {

const QString kOrigemConsole = QStringLiteral("[Console]");

bool avisosNoErro = false;

void mensagemDoQt(QtMsgType tipo, const QMessageLogContext&, const QString& texto)
{
    // The engine's wait notice comes from a thread of its own.
    static std::mutex umaDeCadaVez;
    const std::lock_guard<std::mutex> vez(umaDeCadaVez);
    host::writeLog(QStringLiteral("[Qt]"), texto);
    // Notices (what a start waits for) are ours: Qt itself warns, it does not inform.
    if (tipo == QtCriticalMsg || tipo == QtFatalMsg || (tipo == QtInfoMsg && avisosNoErro))
        QTextStream(stderr) << texto << Qt::endl;
}

// What the error output calls a message, in the user's language.
QString rotulo(host::ui::DialogKind tipo)
{
    switch (tipo) {
    case host::ui::DialogKind::Error: return QStringLiteral("Erro");
    case host::ui::DialogKind::Warning: return QStringLiteral("Aviso");
    case host::ui::DialogKind::Information: return QStringLiteral("Informação");
    case host::ui::DialogKind::Question: return QStringLiteral("Pergunta");
    default: return QStringLiteral("Mensagem");
    }
}

}  // namespace

host::ui::DialogReply DialogosConsole::ask(const host::ui::DialogRequest& pedido)
{
    const QString texto = QString(pedido.text).replace('\r', '\n');
    host::writeLog(kOrigemConsole, host::ui::dialogKindName(pedido.kind) + ": " + texto, pedido.detail);
    if (pedido.kind == host::ui::DialogKind::Error)
        ++erros_;
    // The self-test's output is its result: its notices stay in the log. The
    // scheduled job's notices tell what it could not do.
    if (pedido.kind == host::ui::DialogKind::Error || !avisosSoNoLog_) {
        QTextStream erro(stderr);
        erro << rotulo(pedido.kind) << ": " << texto;
        if (!pedido.detail.isEmpty())
            erro << "\n" << pedido.detail;
        erro << Qt::endl;
    }
    host::ui::DialogReply resposta;
    resposta.accepted = host::ui::isMessage(pedido.kind);
    return resposta;
}

bool DialogosConsole::runModal(host::ui::Form& form)
{
    host::writeLog(kOrigemConsole, "Janela modal cancelada: " + form.objectName());
    form.setModalResult(host::ui::ModalResult::Cancel);
    return true;
}

void mensagensDoQtNoLog(bool avisos)
{
    avisosNoErro = avisos;
    qInstallMessageHandler(mensagemDoQt);
}

}  // namespace app
