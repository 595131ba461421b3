#pragma once
// TqrAssClienteXEquipImp (qrAssClienteXEquipImp): the customers and their
// equipment (or vehicles) of the report selection, grouped by customer, over
// the selection window's customer/equipment query. The window creates it for
// one preview or print and frees it.

#include "service_orders/uAssOSSelecaoRelComum.h"

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

namespace host::data {
class Dataset;
}

class TqrAssClienteXEquipImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssClienteXEquipImp(QWidget* parent = nullptr);
    ~TqrAssClienteXEquipImp() override;

    // The rows to print (the window's quPesqCliEquip).
    void setDados(host::data::Dataset* dados);

    std::unique_ptr<host::report::Report> QuickRep1;
    host::report::Label* qrlaTitulo = nullptr;
    host::report::Band* qrbnColunas = nullptr;
    host::report::Band* qrbnDetalhe = nullptr;
    host::report::Band* qrbnGrupoCliente = nullptr;
    uAssOSSelecaoRel::ColunaSelecao qrEquipamento, qrSerie, qrPlaca, qrCarroceria, qrMotor;

private:
    void QuickRep1BeforePrint();

    std::unique_ptr<host::report::ReportDataset> dados_;
};

extern host::ui::FormVar<TqrAssClienteXEquipImp> qrAssClienteXEquipImp;
