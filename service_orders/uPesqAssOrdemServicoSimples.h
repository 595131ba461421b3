#pragma once
// TfmPesquisaAssOrdemServicoSimples (fmPesquisaAssOrdemServicoSimples): the
// simple search of the progress list ("Pesquisa Simples de Ordem de
// Serviço"): one order field and one item field, each with its text; OK
// rewrites and opens dmTec->quPesqOS. Also shown as the warranty legend of
// the progress screen (its two hidden labels). Shown modally; closing it
// frees it and empties the variable.

#include "host/data/Field.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// One chosen field with its typed text (an empty name or text: no condition).
struct CampoPesquisaSimples {
    QString campo;
    host::data::FieldType tipo = host::data::FieldType::String;
    QString texto;
};

namespace uPesqAssOrdemServicoSimples {
// " and upper(tec.atnome) =" + the user, when the database user is a
// technician with restricted access (never for the master user); else "".
QString CondicaoTecnicoRestrito();
// The progress list's statement for the order field and the item field.
QString SqlPesquisaSimplesOS(const CampoPesquisaSimples& os, const CampoPesquisaSimples& item,
                             const QString& restricaoTecnico);
}  // namespace uPesqAssOrdemServicoSimples

class TfmPesquisaAssOrdemServicoSimples : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssOrdemServicoSimples(QWidget* parent = nullptr);

    QComboBox* cbCamposOS = nullptr;
    QLineEdit* edCampoPesqOS = nullptr;
    QComboBox* cbCamposOSItens = nullptr;
    QLineEdit* edCampoPesqOSItens = nullptr;
    QPushButton* bbOk = nullptr;
    QPushButton* bbCancelar = nullptr;
    QLabel* laTipoGarantia3 = nullptr;
    QLabel* laTipoGarantia4 = nullptr;

    // Set by the progress screen: clears its situation choice and order number before the list is rewritten.
    std::function<void()> onLimparFiltros;

    void FormActivate();
    void bbOkClick();

private:
    void criarControles();
    bool camposCarregados_ = false;
};

extern host::ui::FormVar<TfmPesquisaAssOrdemServicoSimples> fmPesquisaAssOrdemServicoSimples;
