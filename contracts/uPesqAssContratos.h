#pragma once
// TfmPesquisaAssContratos (fmPesquisaAssContratos): the modal search of
// service contracts ("Pesquisa de Contratos") that SelecionaContrato shows.
// The filters are typed, "OK" lists the matching contracts with their
// count, and a double click (or Enter on the list) picks one. The dialog
// lives only while SelecionaContrato runs.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QString>

#include <memory>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace host::data {
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class StatusBar;
}  // namespace host::ui

// What the filters hold when "OK" is pressed.
struct FiltroPesquisaContratos {
    QString numero;        // "Nº Contrato"
    QString descricao;     // "Descrição"
    QString cliente;       // "Cliente" (the customer's name)
    QString tipo;          // "Tipo de Contrato"
    QString valor;         // "Valor do Contrato"
    enum class Onde { ComecandoCom, Contendo, TerminandoCom };
    Onde onde = Onde::Contendo;
    // 0 "Nº do Contrato", 1 "Descrição", 2 "Cliente", 3 "Tipo de Contrato", 4 "Valor do Contrato".
    int ordem = 0;
};

namespace uPesqAssContratos {
// The LIKE pattern of a filter text, in capitals: "Começando com" matches
// values that begin with the text, "Terminando com" values that end with it.
QString Padrao(const QString& texto, FiltroPesquisaContratos::Onde onde);
// The conditions of the filled filters, one "and ..." line each.
QString Condicoes(const FiltroPesquisaContratos& filtro);
// The list statement and the count statement (column TotReg) over the same conditions.
QString SqlLista(const FiltroPesquisaContratos& filtro);
QString SqlContagem(const FiltroPesquisaContratos& filtro);
}  // namespace uPesqAssContratos

class TfmPesquisaAssContratos : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssContratos(QWidget* parent = nullptr);
    ~TfmPesquisaAssContratos() override;

    std::unique_ptr<host::data::Query> quPesquisa;
    std::unique_ptr<host::data::DataSource> dsPesquisa;

    QLineEdit* edNumeroContrato = nullptr;
    QLineEdit* edDescricao = nullptr;
    QLineEdit* edCliente = nullptr;
    QComboBox* cbTipoContrato = nullptr;
    QLineEdit* edValor = nullptr;
    QRadioButton* rbComecando = nullptr;
    QRadioButton* rbContendo = nullptr;
    QRadioButton* rbTerminando = nullptr;
    QComboBox* cbOrdem = nullptr;
    host::ui::DataGrid* dbgdContratos = nullptr;
    host::ui::StatusBar* sbStatus = nullptr;
    QPushButton* bbOk = nullptr;
    QPushButton* bbCancelar = nullptr;

    FiltroPesquisaContratos filtro() const;
    void bbOkClick();
    void dbgdContratosDblClick();

private:
    void criarControles();
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    QButtonGroup* grupoOnde_ = nullptr;
};

extern host::ui::FormVar<TfmPesquisaAssContratos> fmPesquisaAssContratos;

namespace uPesqAssContratos {
// The modal search: true with the chosen contract's code and number when a
// row is picked; false, the arguments unchanged, otherwise. The dialog is
// always released.
bool SelecionaContrato(int& codigo, QString& numero);
}  // namespace uPesqAssContratos
