#pragma once
// TfmAssContReaj (fmAssContReaj): the readjustment of contract values. The
// user selects the active contracts flagged for readjustment at a branch,
// chooses the kind of raise and the options, and "&Reajustar" raises them
// ("&Desfazer" puts back the one level kept). The rules are those of
// uDataTecContReajuste.h. One instance lives in fmAssContReaj; closing it
// saves its layout and frees it.

#include "contract_data/uDataTecContReajuste.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace host::data {
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class CurrencyEdit;
class DataGrid;
class DataRadioGroup;
class DateEdit;
class PageControl;
class SpinEdit;
class StatusBar;
class TabSheet;
}  // namespace host::ui

class TfmAssContReaj : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContReaj(QWidget* parent = nullptr);
    ~TfmAssContReaj() override;

    // ---- the window's routines ----
    // Builds and opens the selection in the query (the branch is required).
    void PesquisarReajuste(host::data::Query& query, bool bPrincipal);
    // Raises every contract of the query with the window's options.
    void ReajusteContrato(host::data::Query& query, bool bVinculado, bool bComplementares);
    void DesfazerReajusteContrato(host::data::Query& query);

    // ---- handlers ----
    void BitBtn1Click();   // "&Pesquisar"
    void bbBaixarClick();  // "&Reajustar"
    void BitBtn2Click();   // "&Desfazer"
    void sbPesqContratoClick();
    void sbPesqMoedaClick();
    void sbPesqContaClick();
    void rgTipoClick();

    host::data::Query* quPesq = nullptr;
    host::data::Query* quPesqVinc = nullptr;

    QComboBox* cbCampos = nullptr;
    QLineEdit* edAlterIni = nullptr;
    QLineEdit* edAlterFim = nullptr;
    QLineEdit* edContratoIni = nullptr;
    QLineEdit* edContratoFim = nullptr;
    QToolButton* sbPesqContrato = nullptr;
    host::ui::DateEdit* mdDataBaseIni = nullptr;
    host::ui::DateEdit* mdDataBaseFim = nullptr;
    host::ui::DateEdit* mdDataRenovacaoIni = nullptr;
    host::ui::DateEdit* mdDataRenovacaoFim = nullptr;
    host::ui::DateEdit* mdLimiteRenovacaoIni = nullptr;
    host::ui::DateEdit* mdLimiteRenovacaoFim = nullptr;
    QLineEdit* edIndiceIni = nullptr;
    QLineEdit* edIndiceFim = nullptr;
    QToolButton* sbPesqMoeda = nullptr;
    QLineEdit* edContaFinancIni = nullptr;
    QLineEdit* edContaFinancFim = nullptr;
    QToolButton* sbPesqConta = nullptr;
    host::ui::CurrencyEdit* edReajuste = nullptr;
    QLineEdit* edFilial = nullptr;
    host::ui::DataRadioGroup* rgTipo = nullptr;
    QCheckBox* ckAtualizaDataBase = nullptr;
    host::ui::DateEdit* mdAtualDataBase = nullptr;
    QLabel* laMediaMeses = nullptr;
    host::ui::SpinEdit* edMediaMeses = nullptr;
    QCheckBox* ckNovaProv = nullptr;
    host::ui::SpinEdit* edNumeroProvisoes = nullptr;
    QCheckBox* ckVinculado = nullptr;
    QCheckBox* ckPrincipal = nullptr;
    QCheckBox* ckFiltrarDataBase = nullptr;
    host::ui::PageControl* pcReajuste = nullptr;
    host::ui::TabSheet* tsRegistros = nullptr;
    host::ui::TabSheet* tsOutrasInformacoes = nullptr;
    host::ui::DataGrid* DBGrid1 = nullptr;
    QPlainTextEdit* meAviso = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* bbBaixar = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* bbSair = nullptr;
    host::ui::StatusBar* stInformacao = nullptr;

private:
    void criarQueries();
    void criarFiltros();
    void criarOpcoes();
    void criarPaginas();
    void criarBotoes();
    void FormCreate();
    void FormClose(host::ui::CloseAction& action);
    uDataTecContReajuste::FiltrosReajuste Filtros() const;
    uDataTecContReajuste::OpcoesReajuste Opcoes() const;
    // Runs a walk over the selection with the grid let go of it, the wait
    // cursor on and the run's notes shown, on every way out.
    template <class Acao>
    void Executa(Acao acao);

    std::unique_ptr<host::data::Query> quPesq_, quPesqVinc_;
    std::unique_ptr<host::data::DataSource> dsPesq_;
    QWidget* paFiltros_ = nullptr;
    QWidget* paOpcoes_ = nullptr;
};

extern host::ui::FormVar<TfmAssContReaj> fmAssContReaj;
