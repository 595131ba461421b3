#pragma once
// TfmAssContFatLocEquip (fmAssContFatLocEquip): the rental billing window.
// The upper grid lists the instalments of principal rental contracts under
// the filters, the lower one the instalments of the current row's
// complement contracts; "&Gerar faturamento" bills every listed forecast
// (with a rental receipt under the contract option "Q") and "&Imprimir
// recibo" previews the receipts of the billed ones. One instance lives in
// fmAssContFatLocEquip; closing it frees it and empties the variable.
//
// Sources: uAssContFatLocEquip.cpp (controls and life cycle),
// uAssContFatLocEquipAcoes.cpp (searches, billing and printing).

#include "rental/uAssContFatLocEquipPesquisa.h"

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

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
class DataRadioGroup;
class DateEdit;
class StatusBar;
}  // namespace host::ui

class TfmAssContFatLocEquip : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContFatLocEquip(QWidget* parent = nullptr);
    ~TfmAssContFatLocEquip() override;

    // ---- the screen's routines ----
    void Pesquisar(const QString& dataIni, const QString& dataFin);
    void CarregaContratosVinculados(int principal, const QString& dataIni, const QString& dataFin);
    void FaturarContratosLocacaoEquipamento();
    void FaturarContratosLocacaoControleEquipamento();

    // ---- handlers ----
    void bbPesquisarClick();
    void bbGerarClick();
    void bbImprimirClick();
    void sbPesqClienteClick();
    void edFilialChange();
    void rgOpcaoClick();

    host::data::Query* quConsulta = nullptr;
    host::data::Query* quConsultaVinc = nullptr;

    host::ui::DateEdit* deDataIni = nullptr;
    host::ui::DateEdit* deDataFin = nullptr;
    host::ui::DataRadioGroup* rgPeriodo = nullptr;
    host::ui::DataRadioGroup* rgOpcao = nullptr;
    QLineEdit* edFilial = nullptr;
    QLabel* laEmpresa = nullptr;
    QLineEdit* edPedido = nullptr;
    QLineEdit* edCodContrato = nullptr;
    QLineEdit* edCodCliente = nullptr;
    QLineEdit* edCliente = nullptr;
    QToolButton* sbPesqCliente = nullptr;
    host::ui::DataGrid* dbgdAssContFatLocEquip = nullptr;
    host::ui::DataGrid* dbgdAssContFatLocEquipVinc = nullptr;
    host::ui::StatusBar* stConsulta = nullptr;
    host::ui::StatusBar* stConsultaVinc = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbGerar = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbSair = nullptr;

private:
    void criarQueries();
    void criarFiltros();
    void criarGrades();
    void criarBotoes();
    void FormShow();
    uAssContFatLocEquip::FiltrosFatLocEquip Filtros(const QString& dataIni, const QString& dataFin) const;
    // Walks the listing and bills each forecast, with or without receipt.
    void FaturarListagem(bool comRecibo);
    void quConsultaMudouLinha();

    std::unique_ptr<host::data::Query> quConsulta_, quConsultaVinc_;
    std::unique_ptr<host::data::DataSource> dsConsulta_, dsConsultaVinc_;
    int principalCarregado_ = -1;   // the principal whose complements the lower grid holds
};

extern host::ui::FormVar<TfmAssContFatLocEquip> fmAssContFatLocEquip;
