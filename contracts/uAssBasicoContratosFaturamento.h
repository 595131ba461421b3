#pragma once
// TfmAssBasicoContratosFaturamento (fmAssBasicoContratosFaturamento): the
// per-customer service billing ("Faturamento dos Contratos"). The services
// and parts of a customer's service orders entered in a period are listed
// and totalled against the customer's basic contract, and billed in one
// sales order: the contract line at the contract's value, the services over
// the contract's hour or call allowance, and, for contracts without parts,
// the parts. One instance lives in fmAssBasicoContratosFaturamento; closing
// it frees it.
//
// Sources: uAssBasicoContratosFaturamento.cpp (controls, search, buttons),
// uAssBasicoContratosFaturamentoPedido.cpp (the statements, the allowance
// rule and the sales order).

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

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
class DateEdit;
}  // namespace host::ui

namespace uAssBasicoContratosFaturamento {

// The statements of the three lists (parameters clcodigo, pDI, pDF: the
// orders entered from pDI up to, not including, pDF).
QString SqlServicos();
QString SqlPecas();
QString SqlContrato();
// What a customer without a basic contract in force in the period is told.
inline constexpr const char* kSemContrato =
    "Aviso: operação abortada.\rO cliente não possui contrato básico vigente no período: nada foi faturado.";
// The same, naming what the customer's contract in force in the period
// lacks to be billed here ("Código no Cadastro Serviço", and "Valor do
// Contrato" when it has none either); kSemContrato when it has no contract.
QString AvisoSemContrato(const QString& cliente, const QDateTime& inicio, const QDateTime& depois);

// The contract's allowance: hours (ACLIMITEHORA) or calls (ACLIMITE).
struct Franquia {
    double limiteHora = 0;
    double limiteChamadas = 0;
};
// A service line of the period, in list order.
struct ServicoPeriodo {
    int minutos = 0;          // AATOTAL
    bool autorizado = false;  // AAAUTORIZADO "S"
};
// Which service lines are billed: with an hour limit, those after the
// worked hours pass it; otherwise, with a call limit, the calls after it;
// never one not authorised; none without either limit.
std::vector<bool> ServicosCobrados(const Franquia& franquia, const std::vector<ServicoPeriodo>& servicos);

// The sales order of the customer's basic contracts of the period (every
// row of `contrato`, a line each, their allowances added up) with the
// services and parts of the lists; returns its number. The whole order is
// written or none of it; without a contract nothing is.
QString GerarPedidoVenda(host::data::Query& contrato, host::data::Query& servicos, host::data::Query& pecas);

}  // namespace uAssBasicoContratosFaturamento

class TfmAssBasicoContratosFaturamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssBasicoContratosFaturamento(QWidget* parent = nullptr);
    ~TfmAssBasicoContratosFaturamento() override;

    std::unique_ptr<host::data::Query> quPesqServico;
    std::unique_ptr<host::data::Query> quPesqPecas;
    std::unique_ptr<host::data::Query> quContrato;
    std::unique_ptr<host::data::DataSource> dsPesqServico;
    std::unique_ptr<host::data::DataSource> dsPesqPecas;
    std::unique_ptr<host::data::DataSource> dsContrato;

    QLineEdit* edCliente = nullptr;
    QToolButton* sbPesqCliente = nullptr;
    host::ui::DateEdit* edDataInicial = nullptr;
    host::ui::DateEdit* edDataFinal = nullptr;
    host::ui::DataLabel* dbteNumeroContrato = nullptr;
    host::ui::DataLabel* dbteValorContrato = nullptr;
    host::ui::DataLabel* dbteLimiteChamadas = nullptr;
    host::ui::DataLabel* dbteValorExcedente = nullptr;
    host::ui::DataLabel* dbteLimiteHora = nullptr;
    host::ui::DataLabel* dbteCliente = nullptr;
    host::ui::DataGrid* dbgdServicos = nullptr;
    host::ui::DataGrid* dbgdPecas = nullptr;
    QLabel* laTotalOS = nullptr;
    QLabel* laTotalServicos = nullptr;
    QLabel* laTotalPecas = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbPedidoVenda = nullptr;
    QPushButton* bbSair = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbLimpar = nullptr;

    void bbPesquisarClick();
    void bbPedidoVendaClick();
    void bbImprimirClick();
    void bbLimparClick();
    void sbPesqClienteClick();

private:
    void criarControles();
    void criarGrades(QGroupBox*& servicos, QGroupBox*& pecas);
    void abrirListas(const QString& cliente, const QDate& inicio, const QDate& fim);
    void atualizarTotais(const QString& cliente, const QDate& inicio, const QDate& fim);
    void FormClose(host::ui::CloseAction& action);
};

extern host::ui::FormVar<TfmAssBasicoContratosFaturamento> fmAssBasicoContratosFaturamento;
