#pragma once
// TfmAssCheckout (fmAssCheckout): where the warehouse takes an assistance
// order through its physical steps: confirm the configured equipment, release
// the order for billing or make its rental contract, and record that the
// equipment left. It works on dmTec's order datasets; the rules are in
// uAssCheckoutRegras. Opened only through SelecionaCheckoutPedido. One
// instance lives in fmAssCheckout; closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace host::data {
class DataSource;
class Dataset;
class Query;
}
namespace host::ui {
class DataEdit;
class DataGrid;
class DataLabel;
class PageControl;
class TabSheet;
}

class TfmAssCheckout : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssCheckout(QWidget* parent = nullptr);
    ~TfmAssCheckout() override;

    host::data::DataSource* dsAssVenda = nullptr;
    host::data::DataSource* dsAssVendaItem = nullptr;
    host::data::DataSource* dsAssVendaCotado = nullptr;
    host::data::DataSource* dsEqpCfgComp = nullptr;
    std::unique_ptr<host::data::Query> quNSAux;   // spare query on the host connection

    QPushButton* btConfirmarCheckout = nullptr;
    QPushButton* btReabrirCheckout = nullptr;
    QPushButton* bbLiberaFaturamento = nullptr;
    QPushButton* bbSaidaEquipamentos = nullptr;

    host::ui::DataEdit* dbedPedido = nullptr;
    QLabel* laNomeCliente = nullptr;
    host::ui::DataLabel* dbteStatus = nullptr;

    host::ui::PageControl* pcCheckout = nullptr;
    host::ui::TabSheet* tsEquipSolicitados = nullptr;
    host::ui::TabSheet* tsEquipSelecionados = nullptr;
    host::ui::DataGrid* dbgdAssCheckoutItens = nullptr;
    host::ui::DataGrid* dbgdComposicaoItens = nullptr;
    QPlainTextEdit* meConfiguracao = nullptr;
    host::ui::DataLabel* laConfiguracaoItens = nullptr;
    host::ui::DataGrid* dbgdAssCheckoutEquip = nullptr;
    host::ui::DataGrid* dbgdComposicaoEquip = nullptr;
    host::ui::DataLabel* laConfiguracaoEquip = nullptr;

    QMenu* pmCheckout = nullptr;
    QAction* miAlterarItemPendencia = nullptr;
    QAction* miEmissaoNotaFiscal = nullptr;
    QAction* miProtocoloEntrega = nullptr;
    QAction* miProtocoloRetirada = nullptr;

    void FormCreate();
    void FormShow();
    void FormClose();
    void btConfirmarCheckoutClick();
    void btReabrirCheckoutClick();
    void bbLiberaFaturamentoClick();
    void bbSaidaEquipamentosClick();
    void pcCheckoutChange();
    void dsAssVendaDataChange();
    void dsAssVendaStateChange();
    void dsAssVendaItemDataChange();
    void dsAssVendaCotadoDataChange();
    void laConfiguracaoItensClick();
    void laConfiguracaoEquipClick();

private:
    void montarTela();
    QWidget* montarSelecao();
    void montarAbas();
    void ligarEventos();
    host::data::DataSource* fonte(const char* nome, host::data::Dataset* dataset);
    void recarregarLinhas();
    void atualizarEstado();
    void semLinhaSemComposicao(const host::data::Dataset& linhas);
    QString numeroAtual() const;

    std::vector<std::unique_ptr<host::data::DataSource>> fontes_;
    QString clienteMostrado_;
};

extern host::ui::FormVar<TfmAssCheckout> fmAssCheckout;

// Opens the checkout window on the order (exported under this plain name).
void SelecionaCheckoutPedido(const QString& numero);
