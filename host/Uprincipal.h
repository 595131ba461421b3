#pragma once
// The host's main window fmPrincipal: the menus of the host stand-in, the
// module's windows by their captions (service orders, contracts, rental,
// assistance orders), the five contract items the module hooks, the
// parameters window, a developer's list of the module's window names and a
// command that opens any window of the module by name.

#include <QMainWindow>
#include <QStringList>
#include <QString>
#include <QVariant>

#include <functional>

class QAction;
class QMenu;
class QTimer;

// A menu item as the module sees it: a click handler it may replace, a
// caption and a visibility.
class TMenuItem {
public:
    TMenuItem(QMenu* menu, const QString& name, const QString& caption);
    std::function<void(QObject* sender)> OnClick;
    QString caption() const;
    void setCaption(const QString& caption);
    bool visible() const;
    void setVisible(bool visible);
    bool enabled() const;
    void setEnabled(bool enabled);
    void click();                 // runs OnClick as a user's click does
    QAction* action() const { return action_; }

private:
    QAction* action_;
};

class TfmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TfmPrincipal(QWidget* parent = nullptr);
    ~TfmPrincipal() override;

protected:
    // The window's size and place are kept for the next start.
    void closeEvent(QCloseEvent* event) override;

private:
    void tamanhoInicial();
    void montarMenusModulo(QMenu* sistema, QMenu* ordens, QMenu* contratos, QMenu* locacao, QMenu* pedidos);

public:

    // Contract menu, hooked by the module when contracts are in use.
    TMenuItem* miCadastroContrato = nullptr;      // "Cadastro de Contratos"
    TMenuItem* miFaturamentoContrato = nullptr;   // "Faturamento de Contratos"
    TMenuItem* miCadastroObjeto = nullptr;        // "Objetos"
    TMenuItem* miCadastroCobertura = nullptr;     // "Coberturas"
    TMenuItem* miReajusteContrato = nullptr;      // "Reajuste"
    // The periodic service orders of the contracts, run by hand (the host
    // also runs them on a schedule, headless); its handler is the application's.
    TMenuItem* miOrdemServicoContrato = nullptr;  // "Gerar Ordens de Serviço dos Contratos"
    // Registers menu: the host's registers, and the module's technicians and
    // situations through OnAbrirJanela.
    TMenuItem* miCadastroPessoaFisica = nullptr;        // "Pessoa Física"
    TMenuItem* miCadastroPessoaJuridica = nullptr;      // "Pessoa Jurídica"
    TMenuItem* miCadastroTecnico = nullptr;             // "Técnicos"
    TMenuItem* miCadastroSituacao = nullptr;            // "Situações"
    TMenuItem* miCadastroOperacao = nullptr;            // "Operações"
    TMenuItem* miCadastroTabelaVencimento = nullptr;    // "Tabelas de Vencimento"
    TMenuItem* miCadastroHistorico = nullptr;           // "Históricos"
    TMenuItem* miCadastroContaCaixa = nullptr;          // "Contas de Caixa"
    TMenuItem* miCadastroProduto = nullptr;             // "Produtos": the products register
    TMenuItem* miCadastroEquipamento = nullptr;         // "Cadastro de Equipamentos" (module menu)
    TMenuItem* miCadastroDefeito = nullptr;             // "Cadastro de Defeitos" (module menu)
    // Service-order menu: the progress screen of the orders (fmAssAndamento).
    TMenuItem* miAndamentoOS = nullptr;                 // "Andamento das Ordens de Serviço" (module menu)
    // The products the customer of the current service order bought: the
    // module's purchases window, which the module hooks once it is loaded.
    TMenuItem* miComprasCliente = nullptr;              // "Produtos Comprados pelo Cliente"
    // Sales menu: the host's sales-order window (fmPedidoVenda).
    TMenuItem* miPedidoVenda = nullptr;           // "Pedido de Vendas"
    TMenuItem* miParametros = nullptr;            // opens TfmParametros
    TMenuItem* miAbrirJanela = nullptr;           // asks a window name, then OnAbrirJanela
    TMenuItem* miSair = nullptr;

    // Opens a module window by name (set by the application: the module's
    // ShowJanelaTec). Without it, "Janela não encontrada!".
    std::function<void(const QString& nome)> OnAbrirJanela;
    void AbrirJanela(const QString& nome);
    void AbrirParametros();
    // Shows the sales-order window, made when it is not open.
    void AbrirPedidoVenda();

    TMenuItem* findMenuItem(const QString& name) const;
    // Every window name the module opens, for the developer's list.
    static const QStringList& NomesJanelasModulo();
    // The register window of a host register ("PF", "PJ" customers by
    // person type, "OP" operations, "TV" payment terms, "HC" standard
    // history texts, "CX" cash accounts, "PR" products), on the row of the
    // code when given.
    void AbrirCadastro(const QString& cadastro, const QVariant& codigo = {});

    // The window's timer (every second): its handler shows the date and time
    // in the status bar. Long runs of the module set the handler aside and
    // put it back (host::data::DetachHandler on tmPrincipalTimer).
    QTimer* tmPrincipal = nullptr;
    std::function<void()> tmPrincipalTimer;
    void MostrarRelogio();

private:
    QList<TMenuItem*> items_;
};

extern TfmPrincipal* fmPrincipal;
