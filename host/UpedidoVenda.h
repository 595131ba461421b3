#pragma once
// The host's sales-order window (TfmPedidoVenda, global fmPedidoVenda): shows
// the sales-order record of dmGlobal (quPedidoVenda) and its lines. The main
// window's "Pedido de Vendas" item opens it; an order typed in its number box,
// or loaded by any package with TdmGlobal::CarregaPedidoVenda, is shown.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>

class QLineEdit;

namespace host::data {
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class DataLabel;
}  // namespace host::ui

class TfmPedidoVenda : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPedidoVenda(QWidget* parent = nullptr);
    ~TfmPedidoVenda() override;

    std::unique_ptr<host::data::DataSource> dsPedido;   // dmGlobal->quPedidoVenda
    std::unique_ptr<host::data::Query> quItens;         // the lines of the order shown
    std::unique_ptr<host::data::DataSource> dsItens;

    QLineEdit* edPedido = nullptr;                      // Enter loads the order typed
    host::ui::DataLabel* dbteCliente = nullptr;
    host::ui::DataLabel* dbteEmissao = nullptr;
    host::ui::DataLabel* dbteOperacao = nullptr;
    host::ui::DataLabel* dbteTabela = nullptr;
    host::ui::DataLabel* dbteReferente = nullptr;
    host::ui::DataLabel* dbteDespesaViagem = nullptr;
    host::ui::DataLabel* dbteOutrasDespesas = nullptr;
    host::ui::DataLabel* dbteDesconto = nullptr;
    host::ui::DataLabel* dbteRepresentante = nullptr;
    host::ui::DataLabel* dbteTotal = nullptr;
    host::ui::DataGrid* dbgdItens = nullptr;

    // The order number the lines are shown of ("" when none).
    QString pedidoExibido() const { return pedidoItens_; }

private:
    void edPedidoReturnPressed();
    void seguirPedido();
    QString pedidoItens_;
};

extern host::ui::FormVar<TfmPedidoVenda> fmPedidoVenda;
