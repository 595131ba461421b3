// The automated form tester.

#include "host/Utesteautomatizado.h"

#include "host/Udmglobal.h"
#include "host/ui/Errors.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVBoxLayout>

#include <exception>

host::ui::FormVar<TFmTesteAutomatizado> FmTesteAutomatizado("FmTesteAutomatizado");

namespace {

QString mensagemDaFalha(std::exception_ptr falha)
{
    const QString mensagem = host::ui::exceptionMessage(falha);
    return mensagem.isEmpty() ? QString("operação abortada") : mensagem;
}

QString linha(const TFmTesteAutomatizado::Resultado& r)
{
    return r.sucesso ? "OK " + r.classe : "ERRO " + r.classe + ": " + r.mensagem;
}

// Windows freed by their close action are deleted by the event loop; the
// tester deletes them at once so that each class is really gone before the next.
void eliminarLiberadas()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

TFmTesteAutomatizado::TFmTesteAutomatizado(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Teste Automatizado de Formulários");
    setDefaultCloseAction(host::ui::CloseAction::Free);
    meRelatorio = new QPlainTextEdit(this);
    meRelatorio->setObjectName("meRelatorio");
    meRelatorio->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(meRelatorio);
    resize(600, 400);
}

void TFmTesteAutomatizado::Iniciar()
{
    resultados_.clear();
    meRelatorio->clear();
}

void TFmTesteAutomatizado::Testar(const QString& classe, const Alvo& alvo, bool bJanela)
{
    if (alvo.atribuido()) {
        // In use by the application: only its presence is checked.
        registrar(classe, true, "instância em uso");
        return;
    }
    QString erro;
    try {
        alvo.criar();
        if (!alvo.atribuido())
            erro = "a criação não atribuiu a variável";
        else if (bJanela) {
            host::ui::Form* form = alvo.janela();
            if (!form)
                erro = "a instância não é uma janela";
            else if (classe != QLatin1String(form->metaObject()->className()))
                // The report names the class tested: a variable of another class would hide it.
                erro = "a variável recebeu uma instância de " + QString::fromLatin1(form->metaObject()->className());
            else
                erro = testarJanela(*form);
        }
    } catch (...) {
        erro = mensagemDaFalha(std::current_exception());
    }
    try {
        alvo.liberar();
        eliminarLiberadas();
        if (erro.isEmpty() && alvo.atribuido())
            erro = "a variável continua atribuída após a liberação";
    } catch (...) {
        if (erro.isEmpty())
            erro = "liberação: " + mensagemDaFalha(std::current_exception());
    }
    registrar(classe, erro.isEmpty(), erro.isEmpty() ? (bJanela ? "aberta e fechada" : "criada e liberada") : erro);
}

QString TFmTesteAutomatizado::testarJanela(host::ui::Form& form)
{
    form.showNonModal();
    QCoreApplication::processEvents();
    if (!form.isVisible())
        return "a janela não foi exibida";
    // A window freed by its close action may be deleted while events run:
    // only a guarded pointer may look at it afterwards.
    const QPointer<host::ui::Form> janela(&form);
    form.close();
    QCoreApplication::processEvents();
    if (janela && !janela->released() && janela->isVisible())
        return "a janela não fechou";
    return {};
}

void TFmTesteAutomatizado::registrar(const QString& classe, bool sucesso, const QString& mensagem)
{
    resultados_.append({classe, sucesso, mensagem});
    const QString texto = linha(resultados_.last());
    meRelatorio->appendPlainText(texto);
    if (dmGlobal)
        dmGlobal->Log("[TesteAutomatizado]", texto);
}

int TFmTesteAutomatizado::Falhas() const
{
    int falhas = 0;
    for (const Resultado& r : resultados_)
        falhas += r.sucesso ? 0 : 1;
    return falhas;
}

QString TFmTesteAutomatizado::Total() const
{
    return QString("Classes testadas: %1; falhas: %2").arg(resultados_.size()).arg(Falhas());
}

QString TFmTesteAutomatizado::Relatorio() const
{
    QStringList linhas;
    for (const Resultado& r : resultados_)
        linhas << linha(r);
    linhas << Total();
    return linhas.join('\n');
}

void TFmTesteAutomatizado::Finalizar()
{
    meRelatorio->appendPlainText(Total());
    if (dmGlobal)
        dmGlobal->Log("[TesteAutomatizado]", Total());
    showNonModal();
}
