// The host's main window.

#include "host/Uprincipal.h"

#include "host/Uparametros.h"

#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QAction>
#include <QDateTime>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

TfmPrincipal* fmPrincipal = nullptr;

TMenuItem::TMenuItem(QMenu* menu, const QString& name, const QString& caption)
    : action_(menu->addAction(caption))
{
    action_->setObjectName(name);
    QObject::connect(action_, &QAction::triggered, [this] { click(); });
}

QString TMenuItem::caption() const { return action_->text(); }
void TMenuItem::setCaption(const QString& caption) { action_->setText(caption); }
bool TMenuItem::visible() const { return action_->isVisible(); }
void TMenuItem::setVisible(bool visible) { action_->setVisible(visible); }
bool TMenuItem::enabled() const { return action_->isEnabled(); }
void TMenuItem::setEnabled(bool enabled) { action_->setEnabled(enabled); }

// A silent end shows nothing; any other failure is shown, never let through
// Qt's event loop.
void TMenuItem::click()
{
    if (OnClick)
        host::ui::runGuarded([this] { OnClick(action_); });
}

TfmPrincipal::TfmPrincipal(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("fmPrincipal");
    setWindowTitle("Assistência Técnica");
    QMenu* system = menuBar()->addMenu("&Sistema");
    QMenu* contracts = menuBar()->addMenu("&Contratos");
    auto add = [this](QMenu* menu, const QString& name, const QString& caption) {
        auto* item = new TMenuItem(menu, name, caption);
        items_ << item;
        return item;
    };
    miParametros = add(system, "miParametros", "Parâmetros...");
    miAbrirJanela = add(system, "miAbrirJanela", "Abrir janela...");
    system->addSeparator();
    miSair = add(system, "miSair", "Sair");
    miCadastroContrato = add(contracts, "miCadastroContrato", "Contratos");
    miFaturamentoContrato = add(contracts, "miFaturamentoContrato", "Faturamento de Contratos");
    miCadastroObjeto = add(contracts, "miCadastroObjeto", "Objetos");
    miCadastroCobertura = add(contracts, "miCadastroCobertura", "Coberturas");
    miReajusteContrato = add(contracts, "miReajusteContrato", "Reajuste");

    miParametros->OnClick = [this](QObject*) { AbrirParametros(); };
    miAbrirJanela->OnClick = [this](QObject*) {
        QString name;
        if (host::ui::Dialogs::inputQuery("Abrir janela", "Nome da janela:", name) && !name.trimmed().isEmpty())
            AbrirJanela(name.trimmed());
    };
    miSair->OnClick = [this](QObject*) { close(); };
    tmPrincipalTimer = [this] { MostrarRelogio(); };
    tmPrincipal = new QTimer(this);
    tmPrincipal->setObjectName("tmPrincipal");
    tmPrincipal->setInterval(1000);
    QObject::connect(tmPrincipal, &QTimer::timeout, this, [this] {
        if (tmPrincipalTimer)
            host::ui::runGuarded(tmPrincipalTimer);
    });
    tmPrincipal->start();
    fmPrincipal = this;
}

TfmPrincipal::~TfmPrincipal()
{
    qDeleteAll(items_);
    if (fmPrincipal == this)
        fmPrincipal = nullptr;
}

void TfmPrincipal::AbrirJanela(const QString& nome)
{
    if (OnAbrirJanela)
        OnAbrirJanela(nome);
    else
        host::ui::Dialogs::information("Janela não encontrada!");
}

void TfmPrincipal::AbrirParametros()
{
    auto* window = new TfmParametros(nullptr);
    window->setDefaultCloseAction(host::ui::CloseAction::Free);
    window->Carregar();
    window->showNonModal();
}

TMenuItem* TfmPrincipal::findMenuItem(const QString& name) const
{
    for (TMenuItem* item : items_)
        if (item->action()->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return item;
    return nullptr;
}

void TfmPrincipal::MostrarRelogio()
{
    statusBar()->showMessage(QDateTime::currentDateTime().toString("dd/MM/yyyy hh:mm:ss"));
}
