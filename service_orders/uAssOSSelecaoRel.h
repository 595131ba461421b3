#pragma once
// TfmAssOSSelecaoRel (fmAssOSSelecaoRel): the service-order report selection.
// The user picks one of four reports (rgRelatorioOS), fills its filters,
// lists the matching rows ("Pes&quisar"), and previews ("&Visualizar") or
// prints ("I&mprimir") the report. Each report kind has its search routine;
// their statements are in uAssOSSelecaoRelSql.h, the printouts in their own
// units. One instance lives in fmAssOSSelecaoRel; closing it frees it and
// empties the variable.

#include "service_orders/uAssOSSelecaoRelSql.h"

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
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
class DataLabel;
class DataRadioGroup;
class DateEdit;
}  // namespace host::ui

class TfmAssOSSelecaoRel : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssOSSelecaoRel(QWidget* parent = nullptr);
    ~TfmAssOSSelecaoRel() override;

    // ---- the search routines: each fills the query with its statement ----
    void EfetuaPesquisaSelecaoOS(host::data::Query& query);
    void EfetuaPesquisaSelecaoItemOS(host::data::Query& query);
    void EfetuaPesquisaSelecaoSituacao(host::data::Query& query);
    void EfetuaPesquisaClienteporEquipamento(host::data::Query& query);
    void EfetuaPesquisaTotalizadorCliente(host::data::Query& query);
    // The filters as typed now.
    uAssOSSelecaoRel::FiltroSelecaoOS Filtro() const;

    // ---- handlers ----
    void rgRelatorioOSClick();
    void laPeriodoClick();
    void ckTecnicoClick();
    void edNFFimExit();
    void sbPesqClienteClick();
    void sbPesqOSClick();
    void sbPesqTecClick();
    void SbPesqServicoClick();
    void bbPesquisarClick();
    void bbVisualizarClick();
    void bbImprimirClick();

    host::data::Query* quPesquisa = nullptr;
    host::data::Query* quPesqSituacao = nullptr;
    host::data::Query* quPesqCliEquip = nullptr;
    host::data::DataSource* dsPesquisa = nullptr;
    host::data::DataSource* dsPesqSituacao = nullptr;
    host::data::DataSource* dsPesqCliEquip = nullptr;
    host::data::DataSource* dsPesTotOSCli = nullptr;   // no dataset: the totalizer lists nothing here

    host::ui::DataRadioGroup* rgRelatorioOS = nullptr;
    QGroupBox* gbSelecao = nullptr;
    QLabel* laCliente = nullptr;
    QLineEdit* edCliIni = nullptr;
    QLineEdit* edCliFim = nullptr;
    QLineEdit* edCliente = nullptr;
    QToolButton* sbPesqCliente = nullptr;
    QLabel* laOS = nullptr;
    QLineEdit* edOSIni = nullptr;
    QLineEdit* edOSFim = nullptr;
    QToolButton* sbPesqOS = nullptr;
    host::ui::DataLabel* laPeriodo = nullptr;
    host::ui::DateEdit* dePeriodoIni = nullptr;
    host::ui::DateEdit* dePeriodoFim = nullptr;
    QLabel* laAtendente = nullptr;
    QLineEdit* edAtendente = nullptr;
    QLabel* laTec = nullptr;
    QLineEdit* edTecIni = nullptr;
    QLineEdit* edTecFim = nullptr;
    QToolButton* sbPesqTec = nullptr;
    QLabel* laServico = nullptr;
    QLineEdit* EdServico = nullptr;
    QToolButton* SbPesqServico = nullptr;
    QComboBox* cbSituacao = nullptr;
    QCheckBox* ckResumido = nullptr;
    QCheckBox* ckTecnico = nullptr;
    QLabel* laNF = nullptr;
    host::ui::DateEdit* edNFIni = nullptr;
    host::ui::DateEdit* edNFFim = nullptr;
    QComboBox* cbCamposOS = nullptr;
    QLineEdit* edCampoPesqOS = nullptr;
    host::ui::DataGrid* dbgdRegSelOS = nullptr;
    host::ui::DataGrid* dbgdRegSelSituacao = nullptr;
    host::ui::DataGrid* dbgdRegSelCliEquip = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbVisualizar = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbSair = nullptr;

private:
    void criarQueries();
    void criarSelecao();
    void criarGrades();
    void criarBotoes();
    void FormCreate();
    // The kind-specific fields, all hidden (the first step of every layout).
    QList<QWidget*> camposDoTipo() const;
    void mostra(std::initializer_list<QWidget*> campos);
    void sincronizaAte();
    // Runs one routine's statement into the query, with its log lines (the
    // detail after "***INICIO"), the wait cursor and the SQL shown when
    // asked; a database failure of the routines that warn becomes their warning.
    void executaPesquisa(host::data::Query& query, const QString& rotina, const QString& sql,
                         const QString& aviso, const QString& detalheLog = {});
    // The printouts of each kind.
    void VisualizaItens();
    void ImprimeItens();
    void RelatorioSituacao(bool bImprimir);
    void RelatorioClienteEquipamento(bool bImprimir);
    void RelatorioTotalizador(bool bImprimir);

    std::vector<std::pair<QWidget*, QLabel*>> ate_;
    std::unique_ptr<host::data::Query> quPesquisa_, quPesqSituacao_, quPesqCliEquip_;
    std::unique_ptr<host::data::DataSource> dsPesquisa_, dsPesqSituacao_, dsPesqCliEquip_, dsPesTotOSCli_;
};

extern host::ui::FormVar<TfmAssOSSelecaoRel> fmAssOSSelecaoRel;
