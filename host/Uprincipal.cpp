// The host's main window.

#include "host/Uprincipal.h"

#include "host/UcadastroHost.h"
#include "host/Udatamod.h"

#include "host/Uparametros.h"
#include "host/UpedidoVenda.h"

#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"
#include "host/ui/Layouts.h"
#include "host/ui/WindowRegistry.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QDateTime>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
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
    // The program's name as the user reads it: messages without a title of
    // their own take it, not the executable's file name.
    QGuiApplication::setApplicationDisplayName(windowTitle());
    QMenu* system = menuBar()->addMenu("&Sistema");
    QMenu* registers = menuBar()->addMenu("C&adastros");
    QMenu* orders = menuBar()->addMenu("&Ordens de Serviço");
    QMenu* contracts = menuBar()->addMenu("&Contratos");
    QMenu* rental = menuBar()->addMenu("&Locação");
    QMenu* assistance = menuBar()->addMenu("&Pedidos de Assistência");
    QMenu* sales = menuBar()->addMenu("&Vendas");
    auto add = [this](QMenu* menu, const QString& name, const QString& caption) {
        auto* item = new TMenuItem(menu, name, caption);
        items_ << item;
        return item;
    };
    miParametros = add(system, "miParametros", "Parâmetros...");
    miAbrirJanela = add(system, "miAbrirJanela", "Abrir janela...");
    miCadastroPessoaFisica = add(registers, "miCadastroPessoaFisica", "Pessoa Física");
    miCadastroPessoaJuridica = add(registers, "miCadastroPessoaJuridica", "Pessoa Jurídica");
    miCadastroTecnico = add(registers, "miCadastroTecnico", "Técnicos");
    miCadastroSituacao = add(registers, "miCadastroSituacao", "Situações");
    miCadastroOperacao = add(registers, "miCadastroOperacao", "Operações");
    miCadastroTabelaVencimento = add(registers, "miCadastroTabelaVencimento", "Tabelas de Vencimento");
    miCadastroHistorico = add(registers, "miCadastroHistorico", "Históricos");
    miCadastroContaCaixa = add(registers, "miCadastroContaCaixa", "Contas de Caixa");
    miCadastroProduto = add(registers, "miCadastroProduto", "Produtos");
    miPedidoVenda = add(sales, "miPedidoVenda", "Pedido de Vendas");
    miCadastroContrato = add(contracts, "miCadastroContrato", "Cadastro de Contratos");
    miFaturamentoContrato = add(contracts, "miFaturamentoContrato", "Faturamento de Contratos");
    miCadastroObjeto = add(contracts, "miCadastroObjeto", "Objetos");
    miCadastroCobertura = add(contracts, "miCadastroCobertura", "Coberturas");
    miReajusteContrato = add(contracts, "miReajusteContrato", "Reajuste");
    montarMenusModulo(system, orders, contracts, rental, assistance);
    miComprasCliente = add(orders, "miComprasCliente", "Produtos Comprados pelo Cliente");
    miComprasCliente->setEnabled(false);
    system->addSeparator();
    miSair = add(system, "miSair", "Sair");
    contracts->addSeparator();
    // Enabled by the application once the module that makes the orders is loaded.
    miOrdemServicoContrato = add(contracts, "miOrdemServicoContrato", "Gerar Ordens de Serviço dos Contratos");
    miOrdemServicoContrato->setEnabled(false);

    miParametros->OnClick = [this](QObject*) { AbrirParametros(); };
    miPedidoVenda->OnClick = [this](QObject*) { AbrirPedidoVenda(); };
    miCadastroPessoaFisica->OnClick = [this](QObject*) { AbrirCadastro("PF"); };
    miCadastroPessoaJuridica->OnClick = [this](QObject*) { AbrirCadastro("PJ"); };
    miCadastroOperacao->OnClick = [this](QObject*) { AbrirCadastro("OP"); };
    miCadastroTabelaVencimento->OnClick = [this](QObject*) { AbrirCadastro("TV"); };
    miCadastroHistorico->OnClick = [this](QObject*) { AbrirCadastro("HC"); };
    miCadastroContaCaixa->OnClick = [this](QObject*) { AbrirCadastro("CX"); };
    miCadastroProduto->OnClick = [this](QObject*) { AbrirCadastro("PR"); };
    miCadastroTecnico->OnClick = [this](QObject*) { AbrirJanela("fmAssTecnico"); };
    miCadastroSituacao->OnClick = [this](QObject*) { AbrirJanela("fmAssSituacao"); };
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
    tamanhoInicial();
    fmPrincipal = this;
}

// A usable size on the first start (without a window manager the menus alone
// would give a tiny window), within the screen; later starts restore the
// size and place the user left.
void TfmPrincipal::tamanhoInicial()
{
    QSize tamanho(1024, 720);
    if (const QScreen* tela = QGuiApplication::primaryScreen())
        tamanho = tamanho.boundedTo(tela->availableGeometry().size());
    resize(tamanho);
    host::ui::Layouts::restoreWindow(this);
}

// The program ends with its main window: the module's windows close first,
// each asking about its changes, and one the user keeps open keeps it all.
void TfmPrincipal::closeEvent(QCloseEvent* event)
{
    if (!host::ui::WindowRegistry::closeAll()) {
        event->ignore();
        return;
    }
    host::ui::Layouts::saveWindow(this);
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}

void TfmPrincipal::AbrirPedidoVenda()
{
    TfmPedidoVenda* janela = fmPedidoVenda.create();
    janela->showNonModal();
    janela->raise();
    janela->activateWindow();
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
    // The parameters hold the passwords that guard deletions and finished
    // orders from every other user.
    if (!UsuarioMestre()) {
        host::ui::Dialogs::warning("Apenas o usuário mestre pode abrir os parâmetros do sistema.");
        return;
    }
    auto* window = new TfmParametros(nullptr);
    window->setDefaultCloseAction(host::ui::CloseAction::Free);
    window->Carregar();
    window->showNonModal();
}

void TfmPrincipal::AbrirCadastro(const QString& cadastro, const QVariant& codigo)
{
    host::cadastro::AbrirCadastroHost(cadastro, codigo);
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
