#pragma once
// TfmAssOSLaudo (fmAssOSLaudo): the technical report of a service order or
// of one of its items ("Laudo da Ordem de Serviço "): defect found, cause,
// fix and observation, typed or picked from the defects register. Shown
// modally; closing it saves the order record, frees it and empties
// fmAssOSLaudo.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QGroupBox;
class QPushButton;

namespace host::data {
class DataSource;
class Field;
}  // namespace host::data
namespace host::ui {
class DataComboBox;
class DataEdit;
class DataMemo;
}  // namespace host::ui

class TfmAssOSLaudo : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOSLaudo(QWidget* parent = nullptr);
    ~TfmAssOSLaudo() override;

    std::unique_ptr<host::data::DataSource> dsOS;

    QGroupBox* gbLaudo = nullptr;
    QGroupBox* gbCausa = nullptr;
    QGroupBox* gbSolucao = nullptr;
    QGroupBox* gbObsLaudo = nullptr;
    host::ui::DataMemo* dbmeLaudo = nullptr;
    host::ui::DataMemo* dbmeCausa = nullptr;
    host::ui::DataMemo* dbmeSolucao = nullptr;
    host::ui::DataMemo* dbmeObsLaudo = nullptr;
    QWidget* paImpressao = nullptr;
    host::ui::DataComboBox* dbcbImpLaudo = nullptr;
    host::ui::DataEdit* dbedLiberacao = nullptr;
    QPushButton* bbOk = nullptr;
    QPushButton* bbCancelar = nullptr;

    // Shows the item's report fields instead of the order's (the dialog of one item).
    void MostrarItem();
    // A pick from the defects register into the memo: the kind it needs
    // ("D", "C", "S"; empty: any), the refusal, and whether the code goes before the text.
    void SelecionarDefeitoMemo(host::ui::DataMemo* memo, const QString& tipo, const QString& recusa, bool comCodigo);

private:
    void criarControles();
    void maiusculoAoSair(host::ui::DataMemo* memo);
};

extern host::ui::FormVar<TfmAssOSLaudo> fmAssOSLaudo;

// Opens the report of the loaded order (dmTec->quOS) or, per item, of the
// order's item (loaded first, saved and closed afterwards), modally.
void OSAndamentoAbrirLaudo(bool porItem, int aoCodigo, int aoitCodigo);
