#pragma once
// TfmAssHoraTecnica (fmAssHoraTecnica): the register of labour-hour price
// types (AATC04AH over dmTec->quHoraTecnica): a description, the prices of
// the first to the fifth hour and the rounding of worked time, with the list
// of every type below. One instance lives in fmAssHoraTecnica; closing it
// frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QGroupBox;
class QPushButton;
class QToolButton;

namespace host::data {
class Dataset;
class DataSource;
}  // namespace host::data
namespace host::ui {
class DataComboBox;
class DataEdit;
class DataGrid;
class GridColumn;
}  // namespace host::ui

class TfmAssHoraTecnica : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssHoraTecnica(QWidget* parent = nullptr);
    ~TfmAssHoraTecnica() override;

    QWidget* pnEdicao = nullptr;
    host::ui::DataEdit* dbedCodigo = nullptr;
    host::ui::DataEdit* dbedDescricao = nullptr;
    host::ui::DataEdit* dbedHora1 = nullptr;
    host::ui::DataEdit* dbedHora2 = nullptr;
    host::ui::DataEdit* dbedHora3 = nullptr;
    host::ui::DataEdit* dbedHora4 = nullptr;
    host::ui::DataEdit* dbedHora5 = nullptr;
    host::ui::DataComboBox* dbcbTipo = nullptr;
    QGroupBox* gbRegistros = nullptr;
    host::ui::DataGrid* dbgdCadastroHoraTecnica = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* sbAnterior = nullptr;
    QPushButton* sbProximo = nullptr;
    QPushButton* bbRelatorio = nullptr;
    QPushButton* bbSair = nullptr;

    void bbNovoClick();
    void bbRelatorioClick();

private:
    void criarControles();
    void dbgdCadastroHoraTecnicaTitleClick(host::ui::GridColumn& coluna);
    host::data::Dataset& horas() const;
    std::unique_ptr<host::data::DataSource> dsHoraTecnica_;
};

extern host::ui::FormVar<TfmAssHoraTecnica> fmAssHoraTecnica;
