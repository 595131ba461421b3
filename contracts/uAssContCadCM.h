#pragma once
// TfmAssContCadCM (fmAssContCadCM): the compositions of a contract's equipment
// line (dmTecContrato->quCtrCadastroCM) and, under ATMODOCOMPOSICAO 2, the
// readings of the composition shown (quCtrCadastroItCo), with F3 for a new
// reading. One instance lives in fmAssContCadCM; closing it only hides it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QGroupBox;

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataGrid;
class StatusBar;
}  // namespace host::ui

class TfmAssContCadCM : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContCadCM(QWidget* parent = nullptr);
    ~TfmAssContCadCM() override;

    QGroupBox* gbComposto = nullptr;
    host::ui::DataGrid* dbgdComposto = nullptr;
    QGroupBox* gbContador = nullptr;
    host::ui::DataGrid* dbgdContador = nullptr;
    host::ui::StatusBar* stbStatus = nullptr;

private:
    void criarControles();
    void FormCreate();
    void FormShow();
    void FormClose(host::ui::CloseAction& action);
    void FormKeyDown(int& key);
    void dbgdCompostoEditButtonClick();
    // F3: a new reading billed today, the cursor in its counter.
    void LancarContador();

    std::unique_ptr<host::data::DataSource> dsComposto_;
    std::unique_ptr<host::data::DataSource> dsContador_;
};

extern host::ui::FormVar<TfmAssContCadCM> fmAssContCadCM;
