#pragma once
// TfmPesquisaAssDefeitos (fmPesquisaAssDefeitos): the search of the defects
// register (AATC02AD: causes, defects and fixes), "Pesquisa de Defeitos".
// The boxes filter by code, description and kind, "OK" lists the matches
// with their count; a double click picks the row. The dialog lives only while
// SelecionaDefeito or SelecionaDefeitoMulti runs.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace host::data {
class Dataset;
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class GridColumn;
class StatusBar;
}  // namespace host::ui

namespace uPesqAssDefeitos {
// "Onde": the place of the typed text: "Começando com" finds values that
// begin with it, "Terminando com" values that end with it.
enum class Onde { ComecandoCom = 0, Contendo = 1, TerminandoCom = 2 };
QString PadraoDefeito(const QString& texto, Onde onde);
// The search statement: one condition line for each filled box, ordered by
// "Ordenar por " (0 code, 1 description, 2 kind). The kind is one letter.
QString SqlPesquisaDefeitos(const QString& codigo, const QString& descricao, const QString& tipo, Onde onde,
                            int ordem);
// The count of the same rows (column TotReg), on the table without alias.
QString SqlContagemDefeitos(const QString& codigo, const QString& descricao, const QString& tipo, Onde onde);
}  // namespace uPesqAssDefeitos

class TfmPesquisaAssDefeitos : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssDefeitos(QWidget* parent = nullptr);
    ~TfmPesquisaAssDefeitos() override;

    std::unique_ptr<host::data::Query> quConsulta;
    std::unique_ptr<host::data::DataSource> dsConsulta;

    QGroupBox* gbCampo = nullptr;
    QLineEdit* edCodigo = nullptr;
    QLineEdit* edDescricao = nullptr;
    QComboBox* cbTipo = nullptr;
    QPushButton* bbPesquisa = nullptr;
    QGroupBox* rgOnde = nullptr;
    QRadioButton* rbComecando = nullptr;
    QRadioButton* rbContendo = nullptr;
    QRadioButton* rbTerminando = nullptr;
    QGroupBox* rgOrdem = nullptr;
    QRadioButton* rbOrdemCodigo = nullptr;
    QRadioButton* rbOrdemDescricao = nullptr;
    QRadioButton* rbOrdemTipo = nullptr;
    host::ui::DataGrid* dbgdPesqDefeito = nullptr;
    host::ui::StatusBar* sbStatus = nullptr;

    void bbPesquisaClick();
    // Lists the matching entries; the text for the "found" panel.
    QString Pesquisar(const QString& codigo, const QString& descricao, const QString& tipo);

private:
    void criarControles();
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    void dbgdPesqDefeitoTitleClick(host::ui::GridColumn& coluna);
    QButtonGroup* grupoOnde_ = nullptr;
    QButtonGroup* grupoOrdem_ = nullptr;
};

extern host::ui::FormVar<TfmPesquisaAssDefeitos> fmPesquisaAssDefeitos;

// The search as a picker: true on OK with the chosen entry's code,
// description, kind letter and observation; false, arguments unchanged,
// otherwise. The dialog is always released.
bool SelecionaDefeito(int& iCodigo, QString& sDescricao, QString& sTipo, QString& sObservacao);
// The search with several rows selectable: however it closes, every selected
// row (in the list's order) is appended to the target with its ADCODIGO, and
// the code and description end as the last appended row's; true only on OK.
bool SelecionaDefeitoMulti(int& iCodigo, QString& sDescricao, host::data::Dataset* destino);
