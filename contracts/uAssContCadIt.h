#pragma once
// TfmAssContCadIt (fmAssContCadIt), "Itens do Cliente do Contrato": the items
// of one contractual customer, opened from the customers page of the
// contract register, which waits until it closes. One instance lives in
// fmAssContCadIt; closing it saves the items, frees it and empties the
// variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QLabel;

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataGrid;
class GridColumn;
struct CellStyle;
}

class TfmAssContCadIt : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContCadIt(QWidget* parent = nullptr);
    ~TfmAssContCadIt() override;

    host::data::DataSource* dsCOntItem = nullptr;
    host::ui::DataGrid* dbgdAssContCadIt = nullptr;
    QLabel* paClienteContrato = nullptr;

    void FormCreate();
    void FormShow();
    void FormClose();
    void dsCOntItemDataChange();
    void dbgdAssContCadItEditButtonClick();
    void dbgdAssContCadItTitleClick(host::ui::GridColumn& coluna);
    void dbgdAssContCadItDrawColumnCell(host::ui::CellStyle& style);

private:
    std::unique_ptr<host::data::DataSource> fonte_;
};

extern host::ui::FormVar<TfmAssContCadIt> fmAssContCadIt;
