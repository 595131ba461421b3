#pragma once
// TfmAssBaixaPecas (fmAssBaixaPecas): the parts settlement ("Acerto de
// Peças"). A grid of lines (product, quantity, service order, stock
// location) in memory, typed, imported from a service order's parts or
// handed over by a parts request, posted by "Baixar" as stock documents
// (the rules are those of data/uDataTecAcertoPecas.h). Exit mode (the
// default) and entry mode show one of the tabs "Saída" and "Entrada".
// The dispatcher's window lives in fmAssBaixaPecas; a request's hand-over
// makes a further window each time. Closing a window frees it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;
struct LinhaAcertoPecas;

namespace host::data {
class DataSource;
class Dataset;
class Field;
class MemDataset;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class GridColumn;
class PageControl;
class TabSheet;
}  // namespace host::ui

class TfmAssBaixaPecas : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssBaixaPecas(QWidget* parent = nullptr);
    ~TfmAssBaixaPecas() override;

    // ---- handlers ----
    void FormCreate();
    void FormShow();
    void FormClose(host::ui::CloseAction& action);
    void sbSaidaClick();
    void sbEntradaClick();
    void bbPesqOperacaoClick();
    void bbPesqBaixaClick();
    void dbgdOrdemServicoBaixaPecasEditButtonClick();
    void dbgdOrdemServicoBaixaPecasTitleClick(host::ui::GridColumn& Column);
    void cdsBaixaprCodigoChange(host::data::Field& Sender);
    void cdsBaixaaoCodigoChange(host::data::Field& Sender);
    void cdsBaixaBeforePost(host::data::Dataset& DataSet);
    void bbImportarClick();
    void bbBaixarClick();
    void bbVisualizarClick();
    void bbImprimirClick();
    void bbSairClick();

    // ---- routines ----
    // Appends one grid line per parts line of the order (Importar O.S.).
    void ImportarOS(int aoCodigo);
    void LimpaGridBaixaPecas();
    // One grid line posted; sClienteDaOrdem, for a line of an order's parts,
    // names its customer.
    void AcrescentarLinha(const LinhaAcertoPecas& linha, const QString* sClienteDaOrdem = nullptr);
    // The service-order correction of one posted line.
    bool VerificarPecaOrdemServico(const QString& sTipo, const QString& sProduto, double dQuantidade, int aoCodigo,
                                   bool bRequerida);
    bool modoEntrada() const;

    std::unique_ptr<host::data::MemDataset> cdsBaixa;
    host::data::Field* cdsBaixaprCodigo = nullptr;
    host::data::Field* cdsBaixaprDescricao = nullptr;
    host::data::Field* cdsBaixaprQuantidade = nullptr;
    host::data::Field* cdsBaixaprLocalizacao = nullptr;
    host::data::Field* cdsBaixaaoCodigo = nullptr;
    host::data::Field* cdsBaixaclNome = nullptr;
    host::data::Field* cdsBaixaprQtdeReq = nullptr;
    host::data::Field* cdsBaixaaiCodigo = nullptr;
    host::data::Field* cdsBaixaprCodigoLocal = nullptr;
    std::unique_ptr<host::data::DataSource> dsBaixa;

    host::ui::PageControl* pcBaixa = nullptr;
    host::ui::TabSheet* tsEntrada = nullptr;
    host::ui::TabSheet* tsSaida = nullptr;
    host::ui::TabSheet* tsOpcoes = nullptr;
    QLabel* laCodOpEnt = nullptr;
    QLabel* laDescOpEnt = nullptr;
    QLabel* laCodOpSai = nullptr;
    QLabel* laDescOpSai = nullptr;
    QPushButton* bbPesqBaixa = nullptr;
    QPushButton* bbPesqOperacao = nullptr;
    QToolButton* sbSaida = nullptr;
    QToolButton* sbEntrada = nullptr;
    QCheckBox* ckInserirPeca = nullptr;
    QCheckBox* ckSalvarRequerida = nullptr;
    QCheckBox* ckValidadeQtdeEntrada = nullptr;
    QCheckBox* ckCabecalhoIndependente = nullptr;
    host::ui::DataGrid* dbgdOrdemServicoBaixaPecas = nullptr;
    QPushButton* bbImportar = nullptr;
    QPushButton* bbBaixar = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbVisualizar = nullptr;
    QPushButton* bbSair = nullptr;

private:
    void criarDados();
    void criarPaginas();
    void criarGrade();
    void criarBotoes();
    void colocarOpcoesDeLinha(host::ui::TabSheet* pagina);
    QList<LinhaAcertoPecas> linhasDaGrade();
    QWidget* opcoesDeLinha_ = nullptr;
};

extern host::ui::FormVar<TfmAssBaixaPecas> fmAssBaixaPecas;
