#pragma once
// TfmAssFaturamento (fmAssFaturamento): the billing of service orders,
// "Faturamento de Ordem de Serviço". Orders without a receivable are
// searched ("Registros Encontrados"), moved into a selection by a double
// click ("Registros Selecionados", out again the same way), and "Gerar
// Receber" makes one receivable of the selection's total and stamps its
// document on every selected order. The selection lives in its statement.
// One instance lives in fmAssFaturamento; closing it frees it and empties
// the variable.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QStringList>

#include <memory>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace host::data {
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class DataLookupCombo;
class DateEdit;
class GridColumn;
}  // namespace host::ui

class TfmAssFaturamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssFaturamento(QWidget* parent = nullptr);
    ~TfmAssFaturamento() override;

    std::unique_ptr<host::data::Query> quRegEnc;
    std::unique_ptr<host::data::Query> quSelecao;
    std::unique_ptr<host::data::DataSource> dsRegEnc;
    std::unique_ptr<host::data::DataSource> dsSelecao;
    std::unique_ptr<host::data::DataSource> dsSituacao;

    QGroupBox* gbSelecao = nullptr;
    QLineEdit* edCliente = nullptr;
    QToolButton* sbPesqCliente = nullptr;
    QLineEdit* edOSIni = nullptr;
    QLineEdit* edOSFim = nullptr;
    QToolButton* sbPesqOS = nullptr;
    host::ui::DateEdit* edSaidaIni = nullptr;
    host::ui::DateEdit* edSaidaFim = nullptr;
    host::ui::DateEdit* edEmissaoIni = nullptr;
    host::ui::DateEdit* edEmissaoFim = nullptr;
    host::ui::DataLookupCombo* dblcSituacao = nullptr;
    QComboBox* cbCampos = nullptr;
    QLineEdit* edAlternativo = nullptr;
    QGroupBox* gbRegEnc = nullptr;
    host::ui::DataGrid* dbgdAssFaturamentoPesq = nullptr;
    QGroupBox* gbSelecionados = nullptr;
    host::ui::DataGrid* dbgdAssFaturamentoSel = nullptr;
    QLabel* paTotal = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbGera = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbVisualizar = nullptr;
    QPushButton* bbSair = nullptr;

    void PesquisarSelecao();
    void IncluirNaSelecao(int ordem);
    void TirarDaSelecao(int ordem);
    // Bills the selection; nothing is written when the user declines a picker.
    // "Gerar Receber": the selection read again, the orders billed elsewhere
    // named, and the rest billed when the user agrees.
    void GerarReceberSelecao();
    void FaturarSelecao(host::data::Query& selecao, double total);
    double RetornaTotalSelecionado();
    // The codes the selection's statement lists, in its order.
    QStringList OrdensSelecionadas() const { return ordensSelecionadas_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void criarControles();
    QGroupBox* criarFiltros();
    void abrirSelecao(const QStringList& ordens);
    void atualizarTotal();
    void tituloClick(host::ui::DataGrid* grade, host::ui::GridColumn& coluna);
    QStringList ordensSelecionadas_;
};

extern host::ui::FormVar<TfmAssFaturamento> fmAssFaturamento;
