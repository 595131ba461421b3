#pragma once
// TfmAssCadMedidor (fmAssCadMedidor): the register of meters and meter groups
// over dmTecContrato->quCtrCadastroMedidor. One instance lives in
// fmAssCadMedidor; closing it closes the dataset and frees the window.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QPushButton;

namespace host::data {
class Dataset;
class DataSource;
}
namespace host::ui {
class DataComboBox;
class DataEdit;
class DataGrid;
}  // namespace host::ui

class TfmAssCadMedidor : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssCadMedidor(QWidget* parent = nullptr);
    ~TfmAssCadMedidor() override;

    host::data::DataSource* dsCadastro() const { return dsCadastro_.get(); }

    host::ui::DataEdit* dbedCodigo = nullptr;
    host::ui::DataEdit* dbedDescricao = nullptr;
    host::ui::DataEdit* dbedContador = nullptr;
    host::ui::DataComboBox* dbcbIdentificador = nullptr;
    host::ui::DataGrid* dbgdCadastro = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbSair = nullptr;
    QPushButton* sbAnterior = nullptr;
    QPushButton* sbProximo = nullptr;

private:
    void criarControles();
    host::data::Dataset& cadastro() const;
    void FormActivate();
    void FormClose(host::ui::CloseAction& action);
    void bbNovoClick();
    // Pending changes are saved before the cursor moves.
    void Mover(int passo);

    std::unique_ptr<host::data::DataSource> dsCadastro_;
};

extern host::ui::FormVar<TfmAssCadMedidor> fmAssCadMedidor;
