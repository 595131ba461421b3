#pragma once
// TfmPesquisaAssOrdemServico (fmPesquisaAssOrdemServico): the service-order
// search and the module's order picker. The filters build the statement
// (uPesqAssOrdemServicoSQL.h); the grid shows one row per order item, or
// each equipment's last order. One instance lives in fmPesquisaAssOrdemServico
// while SelecionaOrdemServico shows it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
struct FiltroPesquisaOS;

namespace host::data {
class DataSource;
class Dataset;
class Query;
}
namespace host::ui {
class DataEdit;
class DataGrid;
class DataLabel;
class DataLookupCombo;
class DataRadioGroup;
class GridColumn;
class StatusBar;
}

class TfmPesquisaAssOrdemServico : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmPesquisaAssOrdemServico(QWidget* parent = nullptr);
    ~TfmPesquisaAssOrdemServico() override;

    QGroupBox* gbSelecao = nullptr;
    QLabel* laNumero = nullptr;
    QLabel* laTipo = nullptr;
    QLabel* laPlaca = nullptr;
    QLabel* laCodInt = nullptr;
    QLabel* laFilial = nullptr;
    QLabel* laSitExceto = nullptr;
    QLabel* laMarca = nullptr;
    host::ui::DataLabel* laTecnico = nullptr;
    host::ui::DataLabel* laModelo = nullptr;
    QLineEdit* edNOS = nullptr;
    QLineEdit* edNumero = nullptr;
    QLineEdit* edCliente = nullptr;
    QToolButton* sbPesqCliente = nullptr;
    QLineEdit* edTipo = nullptr;
    QLineEdit* edTecnico = nullptr;
    QLineEdit* edModelo = nullptr;
    host::ui::DataEdit* mdPlaca = nullptr;
    QLineEdit* edCodInt = nullptr;
    QComboBox* cbStatus = nullptr;
    host::ui::DataEdit* deDataIni = nullptr;
    host::ui::DataEdit* deDataFim = nullptr;
    host::ui::DataLookupCombo* dblcSituacao = nullptr;
    QCheckBox* ckAprovado = nullptr;
    QCheckBox* ckUltimaOS = nullptr;
    QComboBox* cbCampos = nullptr;
    QLineEdit* edAlternativo = nullptr;
    QComboBox* cbCamposIt = nullptr;
    QLineEdit* edFilial = nullptr;
    QLineEdit* edSitExceto = nullptr;
    QLineEdit* edMarca = nullptr;
    QCheckBox* ckNaoSalvarTela = nullptr;
    host::ui::DataRadioGroup* rgOrdem = nullptr;
    host::ui::DataRadioGroup* rgOnde = nullptr;
    QPushButton* bbPesquisa = nullptr;
    QPushButton* bbVisualizar = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbFicha = nullptr;
    host::ui::DataGrid* dbgdOrdemServico = nullptr;
    host::ui::StatusBar* stInformacao = nullptr;
    QMenu* puPesquisa = nullptr;
    QAction* MiCamposAlter = nullptr;
    QAction* miMostrarPecas = nullptr;
    QAction* miMostrarServicos = nullptr;
    QAction* miExportar = nullptr;
    QAction* miSair = nullptr;

    host::data::Query* quConsulta = nullptr;
    host::data::Query* quConsUltimaOS = nullptr;
    host::data::Query* quPecas = nullptr;
    host::data::Query* quServico = nullptr;
    host::data::Query* quViagem = nullptr;
    host::data::Query* quExtra = nullptr;
    host::data::Query* quContratoVeic = nullptr;
    host::data::Query* quCaixa = nullptr;

    // Runs the search over the filters; "Registros Encontrados: " + the count.
    QString Pesquisar(const FiltroPesquisaOS& filtro);
    // The filters as the window's controls hold them, around the twelve texts.
    FiltroPesquisaOS FiltroAtual(const QString& sNumero, const QString& sSerie, const QString& sCliente,
                                 const QString& sEquipamento, const QString& sTecnico, const QString& sModelo,
                                 const QString& sPlaca, const QString& sCodigoInterno, const QString& sStatus,
                                 const QString& sDataIni, const QString& sDataFim, const QString& sLocal,
                                 bool bAprovado) const;
    void bbPesquisaClick();
    void OSMostraPecasServico(int iOrdem, const QString& sTipo);
    void GerarRelatorio(const QString& sTipo, bool bImprimir);
    void MiCamposAlterClick();
    void ExportarExcelClick();
    void laModeloClick();
    void laTecnicoClick();
    void ckUltimaOSClick();
    void quConsultaAfterScroll(host::data::Dataset& DataSet);
    void quContratoVeicCalcFields(host::data::Dataset& DataSet);
    // The "Apenas Última OS" grid, built the first time it is asked for:
    // most searches never show it.
    host::ui::DataGrid* dbgdUltimaOS();
    // The restricted technician's name (upper case) when only the user's orders show.
    QString TecnicoRestrito() const { return tecnicoRestrito_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void criarControles();
    void criarConsultas();
    void criarGrades();
    void configurarGrade(host::ui::DataGrid* grade);
    bool ultimaOSVisivel() const;
    void FormCreate();
    void FormShow();
    void FormClose(host::ui::CloseAction& action);
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    void aplicarRotulosVeiculo();
    void dbgdOrdemServicoTitleClick(host::ui::DataGrid& grid, host::ui::GridColumn& column);
    void contarRegistros(const QString& sql);
    FiltroPesquisaOS filtroDaJanela() const;
    bool escolheLinhaListada(const FiltroPesquisaOS& filtro);

    std::unique_ptr<host::data::Query> consultas_[8];
    std::unique_ptr<host::data::DataSource> dsConsulta_, dsUltimaOS_, dsSituacao_;
    host::ui::DataGrid* dbgdUltimaOS_ = nullptr;
    QString tecnicoRestrito_;
    QString sqlListada_;   // the statement of the filters last listed
};

extern host::ui::FormVar<TfmPesquisaAssOrdemServico> fmPesquisaAssOrdemServico;

// The order picker: true when a row was chosen (then the three arguments hold
// its order, equipment code and equipment description); on any other close
// they keep their values.
bool SelecionaOrdemServico(int& iNumeroOrdem, int& iCodigoEquipamento, QString& SDescricao);
