#pragma once
// TfmAssOrdemServicoCusto (fmAssOrdemServicoCusto): the cost formation of one
// service or parts line, built from cost lines (products with value and
// quantity) whose total becomes the line's unit value. The window exists only
// during SelecionaOSCusto; closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>

class QLabel;
class QPushButton;

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataGrid;
class GridColumn;
}

class TfmAssOrdemServicoCusto : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOrdemServicoCusto(QWidget* parent = nullptr);
    ~TfmAssOrdemServicoCusto() override;

    host::data::DataSource* dsCusto = nullptr;
    host::ui::DataGrid* dbgdAssOrdemServicoCusto = nullptr;
    QLabel* paBase = nullptr;
    QPushButton* bbRecalcular = nullptr;

    void FormCreate();
    void FormShow();
    void FormClose();
    void dsCustoDataChange();
    void dbgdAssOrdemServicoCustoEditButtonClick();
    void dbgdAssOrdemServicoCustoTitleClick(host::ui::GridColumn& Column);
    void bbRecalcularClick();

private:
    std::unique_ptr<host::data::DataSource> fonteCusto_;
};

extern host::ui::FormVar<TfmAssOrdemServicoCusto> fmAssOrdemServicoCusto;

// The cost of a service line (sTipo "S", iLinha its AACODIGO) or parts line
// ("P", its APSEQUENCIA) of an order: a line without cost lines is seeded from
// the product's composition; returns the cost total in rValor, however the
// window was closed. The data module's current service or parts line must be
// that line.
void SelecionaOSCusto(const QString& sTipo, const QString& sProduto, int iOrdem, int iLinha, double& rValor);
