#pragma once
// TfmAssContFat (fmAssContFat): the contract invoicing window. The user
// narrows the active contracts with the filters, then "&Gerar" forecasts
// their instalments for a period, splits them by a payment table, forecasts
// and invoices at once, or officialises forecast instalments. One instance
// lives in fmAssContFat; closing it saves its layouts and frees it.

#include "contracts/uAssContFatPesquisa.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
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
class PageControl;
class StatusBar;
class TabSheet;
}  // namespace host::ui

class TfmAssContFat : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContFat(QWidget* parent = nullptr);
    ~TfmAssContFat() override;

    // ---- the Part's routines ----
    // Rebuilds and opens the selection in the query; with bContagem returns
    // its row count, else 0 with the contract grid bound to it.
    int PesquisarContrato(host::data::Query& query, int modo, bool bSemPrevisao, bool bContagem);
    void CarregaParcelasContrato(const QString& condicao);
    void GerarFaturamentoContrato(const QString& periodoInicial, const QString& periodoFinal,
                                  const QString& dataFaturamento, bool bPorTabela);
    // Officialising the selected forecast instalments (uAssContFatOficializar.cpp).
    void OficializarParcelaPesquisa(host::data::Query& oDado, bool bMesRefOriginal, QStringList* aviso);
    void OficializarParcelaPesquisaLote(host::data::Query& oDado, bool bMesRefOriginal, QStringList* aviso);

    // ---- handlers ----
    void bbPesquisarClick();
    void bbBaixarClick();
    void bbImprimirClick();
    void bbVisualizarClick();
    void laContratoClick();
    void sbPesqContratoClick();
    void sbPesqContratanteClick();
    void sbPesqContaClick();
    void sbPesqCRClick();
    void cbPesqObjClick();
    void dbgdAssContFatDblClick();
    void dbgdParcDblClick();

    host::data::Query* quPesq = nullptr;
    host::data::Query* quPesqRec = nullptr;

    QGroupBox* gbSelecao = nullptr;
    host::ui::DateEdit* edPrevisaoIni = nullptr;
    host::ui::DateEdit* edPrevisaoFim = nullptr;
    host::ui::DateEdit* edVctoIni = nullptr;
    host::ui::DateEdit* edVctoFim = nullptr;
    host::ui::DataLabel* laContrato = nullptr;
    QLineEdit* edContratoAleatorio = nullptr;
    QLineEdit* edContIni = nullptr;
    QLineEdit* edContFim = nullptr;
    QLineEdit* edContratanteIni = nullptr;
    QLineEdit* edContratanteFim = nullptr;
    QLineEdit* edContaIni = nullptr;
    QLineEdit* edContaFim = nullptr;
    QLineEdit* edUnNegocioIni = nullptr;
    QLineEdit* edCRDocIni = nullptr;
    QLineEdit* edCRDocFim = nullptr;
    host::ui::DateEdit* mdDataFaturamento = nullptr;
    QComboBox* cbNatureza = nullptr;
    QComboBox* cbOrdem = nullptr;
    QLineEdit* edCodObjIni = nullptr;
    QLineEdit* edCodObjFim = nullptr;
    QComboBox* cbCampos = nullptr;
    QLineEdit* edAlternativo = nullptr;
    QCheckBox* ckMesRefOriginal = nullptr;
    QCheckBox* ckSemPrevisao = nullptr;
    QCheckBox* ckVolume = nullptr;
    QToolButton* sbPesqContrato = nullptr;
    QToolButton* sbPesqContratante = nullptr;
    QToolButton* sbPesqConta = nullptr;
    QToolButton* sbPesqCR = nullptr;
    QToolButton* cbPesqObj = nullptr;
    host::ui::DataRadioGroup* rgTipo = nullptr;
    host::ui::PageControl* pcFatura = nullptr;
    host::ui::TabSheet* tsPesq = nullptr;
    host::ui::TabSheet* tsAviso = nullptr;
    host::ui::TabSheet* tsOutrasOpcoes = nullptr;
    host::ui::DataGrid* dbgdAssContFat = nullptr;
    host::ui::DataGrid* dbgdParc = nullptr;
    QPlainTextEdit* meAviso = nullptr;
    QCheckBox* ckCRAberta = nullptr;
    QCheckBox* ckNaoGeraPrevisao = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbBaixar = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbVisualizar = nullptr;
    QPushButton* bbSair = nullptr;
    host::ui::StatusBar* stInfo = nullptr;

private:
    void criarQueries();
    void criarSelecao();
    void criarGrades();
    void criarBotoes();
    void FormCreate();
    void FormClose(host::ui::CloseAction& action);
    void FormKeyDown(int& key, Qt::KeyboardModifiers shift);
    void edContratanteExit(QLineEdit* edit);
    uAssContFat::FiltrosFaturamento Filtros() const;
    // Shows one of the two grids in the page of the list.
    void MostraParcelas(bool bParcelas);

    std::unique_ptr<host::data::Query> quPesq_, quPesqRec_;
    std::unique_ptr<host::data::DataSource> dsPesq_, dsPesqRec_;
};

extern host::ui::FormVar<TfmAssContFat> fmAssContFat;
