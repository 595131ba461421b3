#pragma once
// TfmAssOSComprasCliente (fmAssOSComprasCliente): the products a customer
// bought (dmTec->quOSComprasCli), "Produtos Comprados pelo Cliente". A
// double click on a purchase makes it a new item of the order loaded in
// dmTec, creating the product's equipment model first when the user agrees.
// The opener fills it with CarregarComprasCliente. One instance lives in
// fmAssOSComprasCliente; closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataGrid;
}

namespace uAssOSComprasCliente {
// The purchases of a company that sells equipment (company-specific code 18):
// only products with an equipment model, dated by their sales order,
// cancelled documents and lines left out.
QString SqlComprasClienteEquipamento();
}  // namespace uAssOSComprasCliente

class TfmAssOSComprasCliente : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOSComprasCliente(QWidget* parent = nullptr);
    ~TfmAssOSComprasCliente() override;

    host::ui::DataGrid* dbgdComprasCliente = nullptr;

    // Opens the purchases of the customer, for the order loaded now.
    void CarregarComprasCliente(const QString& cliente);
    // The current purchase becomes an item of the order they were listed
    // for; refused when the order window shows another one since.
    void dbgdComprasClienteDblClick();

private:
    void recusarOutraOrdem() const;
    std::unique_ptr<host::data::DataSource> dsOSComprasCli_;
    int ordem_ = 0;      // the order the purchases were listed for
    QString cliente_;    // and its customer
};

extern host::ui::FormVar<TfmAssOSComprasCliente> fmAssOSComprasCliente;

// The opener of the host's menu: the purchases of the customer of the order
// loaded in dmTec; an order without customer is refused with a message.
void AbrirComprasClienteOrdemAtual();
