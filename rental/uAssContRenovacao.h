#pragma once
// TfmAssContRenovacao (fmAssContRenovacao): renews rental contracts in a
// batch. The list shows contracts by end of validity, customer, manager,
// code, number and the automatic-renewal flag, coloured by open payments and
// scheduled pick-up; "&Renovar" forecasts one more period of instalments for
// every listed contract through the rental instalment generator. One
// instance lives in fmAssContRenovacao; closing it frees it.

#include "contract_data/uDataTecCont.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace host::data {
class DataSource;
class Query;
}  // namespace host::data
namespace host::ui {
class DataGrid;
class DateEdit;
class StatusBar;
struct CellStyle;
}  // namespace host::ui

namespace uAssContRenovacao {

// What the selection holds; a null (or zero) date is no bound, a code of 0 no code.
struct FiltroRenovacao {
    QDate terminoDe, terminoAte;
    QString codCliente, cliente, codGerente, gerente;
    int codigo = 0;
    QString numero;
    bool somenteAutomatico = false;
};

// The listing statement without conditions ("where 1 = 1").
QString SqlBaseRenovacao();
// Each filled filter's condition, in the fixed order.
QStringList CondicoesRenovacao(const FiltroRenovacao& filtro);

// The row's colours by its open payments and scheduled pick-up.
enum class CorRenovacao { Normal, AbertoSemRetirada, AbertoComRetirada, Retirada };
CorRenovacao CorLinhaRenovacao(int abertos, const QString& retirada);
void PintaLinhaRenovacao(host::ui::CellStyle& estilo, CorRenovacao cor, bool selecionada);
// The legend of each colour, as the window shows it.
QString LegendaRenovacao(CorRenovacao cor);

// The instalment generator's arguments for one contract.
using ParcelasRenovacao = ParcelasLocacao;
// The generator call: the rental instalment generator unless a test puts
// another in its place. Returns the number of instalments made.
using GeradorRenovacao = std::function<int(const ParcelasRenovacao&)>;
int GeraParcelasRenovacao(const ParcelasRenovacao& p);

// The first due date and the end date the generator is given for a period
// from `inicio` to `fim`: its months, counted from the month of the due date
// the user asked for, so the instalment falls due on that date and not in the
// month the period starts. A period without dates stays without them.
struct VencimentosRenovacao {
    QDate primeiro, fim;
};
VencimentosRenovacao VencimentosDoPeriodo(const QDate& inicio, const QDate& fim, const QDate& proximoVencimento);

// The zero date of the generator's date texts ("30/12/1899").
QDate DataZeroRenovacao();
// "dd/mm/yyyy"; an empty date gives the zero date's text.
QString TextoDataRenovacao(const QDate& data);

}  // namespace uAssContRenovacao

class TfmAssContRenovacao : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmAssContRenovacao(QWidget* parent = nullptr);
    ~TfmAssContRenovacao() override;

    std::unique_ptr<host::data::Query> quConsulta;
    std::unique_ptr<host::data::DataSource> dsConsulta;

    host::ui::DateEdit* deTerminoDe = nullptr;
    host::ui::DateEdit* deTerminoAte = nullptr;
    QLineEdit* edCodCliente = nullptr;
    QLineEdit* edCliente = nullptr;
    QPushButton* btPesqCliente = nullptr;
    QLineEdit* edCodGerente = nullptr;
    QLineEdit* edGerente = nullptr;
    QPushButton* btPesqGerente = nullptr;
    QLineEdit* edCodigo = nullptr;
    QLineEdit* edNroContrato = nullptr;
    QCheckBox* ckRenovacaoAuto = nullptr;
    host::ui::DateEdit* deProxVencimento = nullptr;
    host::ui::DateEdit* deEmissaoEm = nullptr;
    QButtonGroup* rgPeriodoVigencia = nullptr;
    QRadioButton* rbAutomatico = nullptr;
    QRadioButton* rbManual = nullptr;
    host::ui::DateEdit* deVigenciaDe = nullptr;
    host::ui::DateEdit* deVigenciaAte = nullptr;
    QComboBox* cbPedidoCliente = nullptr;
    QCheckBox* ckRenovarValorContrato = nullptr;
    QLineEdit* edTipoPgto = nullptr;
    QPushButton* bbPesquisar = nullptr;
    QPushButton* bbRenovar = nullptr;
    host::ui::DataGrid* dbgdAssContRenovacao = nullptr;
    host::ui::StatusBar* stLegenda = nullptr;
    host::ui::StatusBar* stInformacao = nullptr;

    // The generator each renewal calls.
    uAssContRenovacao::GeradorRenovacao gerador = &uAssContRenovacao::GeraParcelasRenovacao;

    void Pesquisar(const QDate& terminoDe, const QDate& terminoAte, const QString& codCliente,
                   const QString& cliente, const QString& codGerente, const QString& gerente, int codigo,
                   const QString& numero);
    void GerarContratoRenovado(int contrato);
    void bbPesquisarClick();
    void bbRenovarClick();
    void rgPeriodoVigenciaClick();
    void btPesqClienteClick();
    void btPesqGerenteClick();
    void quConsultaAfterScroll();
    void FormClose();

private:
    void criarControles();
    QWidget* criarSelecao();
    QWidget* criarOpcoes();
    bool listaVazia() const;
    void mostrarTotal();
};

extern host::ui::FormVar<TfmAssContRenovacao> fmAssContRenovacao;
