#pragma once
// TfmAssOrdemServicoHora (fmAssOrdemServicoHora): the dated start and end
// times of one service line, edited in place over dmTec's quOSAndaIt. The
// window exists only during SelecionaHorarioServico; closing it frees it and
// empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataGrid;
class GridColumn;
}

class TfmAssOrdemServicoHora : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOrdemServicoHora(QWidget* parent = nullptr);
    ~TfmAssOrdemServicoHora() override;

    host::data::DataSource* dsHora = nullptr;
    host::ui::DataGrid* dbgdAssOrdemServicoHora = nullptr;

    void FormShow();
    void dbgdAssOrdemServicoHoraTitleClick(host::ui::GridColumn& Column);

private:
    std::unique_ptr<host::data::DataSource> fonteHora_;
};

extern host::ui::FormVar<TfmAssOrdemServicoHora> fmAssOrdemServicoHora;

// The execution times of the service line iLinha (its AACODIGO) of the
// order, shown modally; new rows are numbered and stored by the data module.
// An error while loading reaches the caller.
void SelecionaHorarioServico(int iOrdem, int iLinha);
