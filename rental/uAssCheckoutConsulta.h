#pragma once
// TfmAssCheckoutConsulta (fmAssCheckoutConsulta): the assistance orders by
// status and delivery date, the doorway to the checkout and to the order
// window. Proposals and pending orders ("P") are never listed. One instance
// lives in fmAssCheckoutConsulta; closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QDateTime>
#include <QString>

#include <memory>

class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QRadioButton;

namespace host::data {
class DataSource;
class Query;
}
namespace host::ui {
class DataGrid;
class DateEdit;
class StatusBar;
}

class TfmAssCheckoutConsulta : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssCheckoutConsulta(QWidget* parent = nullptr);
    ~TfmAssCheckoutConsulta() override;

    std::unique_ptr<host::data::Query> quConsulta;
    std::unique_ptr<host::data::DataSource> dsConsulta;

    QRadioButton* rbDataEntrega = nullptr;
    QRadioButton* rbNumeroPedido = nullptr;
    QComboBox* cbStatus = nullptr;
    host::ui::DateEdit* edDataDe = nullptr;
    host::ui::DateEdit* edDataAte = nullptr;
    QPushButton* bbPesquisar = nullptr;
    host::ui::DataGrid* dbgdConsulta = nullptr;
    host::ui::StatusBar* stbConsulta = nullptr;

    QMenu* pmConsulta = nullptr;
    QAction* miAbrirPedido = nullptr;
    QAction* miAbrirPedidoPendencia = nullptr;
    QAction* miReabrirCheckout = nullptr;
    QAction* miImprimirPedidoProducao = nullptr;
    QAction* miImprimirPedidoLocacao = nullptr;

    // The search with its filters: empty dates (invalid or 30/12/1899) set no
    // bound; status "T" is every status.
    void ConsultarPedidos(const QDateTime& de, const QDateTime& ate, const QString& status, const QString& ordem);
    void AbrirCheckoutPedido(const QString& numero);

    void bbPesquisarClick();
    // The last search read again, on the same order: a status changed in the
    // checkout shows as stored.
    void MostrarStatusGravado();
    void dbgdConsultaDblClick();
    void miAbrirPedidoClick();
    void miAbrirPedidoPendenciaClick();
    void miReabrirCheckoutClick();
    void miImprimirPedidoProducaoClick();
    void miImprimirPedidoLocacaoClick();
    void FormClose();

private:
    void montarTela();
    void ligarEventos();
    QString campoLinha(const char* nome) const;
    void mostrarTotal();
    bool pedidoExiste(const QString& numero);
    bool linhaComPedido(const char* campo);
};

extern host::ui::FormVar<TfmAssCheckoutConsulta> fmAssCheckoutConsulta;

// The list with "Pronto para Faturar" searched, shown modally (exported
// under this plain name).
void SelecionaConsultaCheckout();

namespace uAssCheckoutConsulta {
// The status shown for a stored letter ("" Pendente, "C" Em Produção, ...).
QString TextoStatus(const QString& status);
// The letter searched for a status caption ("Todos" is "T").
QString LetraStatus(const QString& texto);
}  // namespace uAssCheckoutConsulta
