#pragma once
// TfmAssDefeito (fmAssDefeito): the register of causes, defects and fixes
// (AATC02AD over dmTec->quDefeito), one entry at a time: none is shown until
// one is picked with the search (Esc) or created. One instance lives in
// fmAssDefeito; closing it frees it and empties the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QPushButton;

namespace host::data {
class Dataset;
class DataSource;
}  // namespace host::data
namespace host::ui {
class DataComboBox;
class DataEdit;
class DataMemo;
}  // namespace host::ui

class TfmAssDefeito : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssDefeito(QWidget* parent = nullptr);
    ~TfmAssDefeito() override;

    QWidget* pnEdicao = nullptr;
    host::ui::DataEdit* dbedCodigo = nullptr;
    host::ui::DataEdit* dbedDescricao = nullptr;
    host::ui::DataComboBox* dbcbTipo = nullptr;
    host::ui::DataMemo* dbmeObs = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbRelatorio = nullptr;
    QPushButton* bbSair = nullptr;

    void bbNovoClick();
    void bbPesquisarClick();
    void bbRelatorioClick();

private:
    void criarControles();
    host::data::Dataset& defeitos() const;
    std::unique_ptr<host::data::DataSource> dsDefeito_;
};

extern host::ui::FormVar<TfmAssDefeito> fmAssDefeito;
