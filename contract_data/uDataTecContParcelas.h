#pragma once
// The calendar and money rules of contract instalments, free of the
// database: the generator, the value rule and the maintenance rules read
// their data once and reckon here.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

namespace uDataTecContParcelas {

// ---- calendar ----
// The date n months on, its day clamped to the target month's last day.
QDate IncMonth(const QDate& data, int meses);
QDate UltimoDiaMes(const QDate& data);
// Months of a period letter: "B" 2, "T" 3, "S" 6, "A" 12, any other 1.
int MesesPeriodo(const QString& periodo);

// The span of instalments for the modality: "A" first days, "I" the 15th of
// the next month, any other the last days; the end month gets none.
struct Janela {
    QDate inicio, fim;
};
Janela JanelaParcelas(const QString& modalidade, const QDate& primeiro, const QDate& ultimo);
// The due day of a call: empty is 1.
int AjustaDiaVencimento(const QString& dia, const QDate& inicio);
// The due day in the month of the date; where the month is shorter, its
// last day (day 31 in February: the 28th, or the 29th of a leap year).
QDate DataVencimento(const QDate& mes, int dia);
// True when the start month's due date is already due (not after now): the
// span then moves one month on.
bool InicioVencido(const QDate& inicio, int dia, const QDateTime& agora);
// The first day from primeiroDia on that falls on the weekday (1 = Sunday);
// when the month ends first, the last such weekday of the month.
QDate PrimeiroDiaSemana(int diaSemana, const QDate& mes, int primeiroDia);
// The start of the next instalment: the period's months on ("M" 1, "B" 2,
// "T" 3, "S" 6, "A" 12, other 1), then, unless the modality is "I" or "A",
// the last day of that month.
QDate ProximoInicio(const QDate& inicio, const QString& periodo, const QString& modalidade);
// The date to open the generator's span with so that its instalment falls
// due in the month of `vencimento`: under "I" a period is due the month
// after it, so the month before; under any other modality the date itself.
QDate InicioPeriodoDoVencimento(const QString& modalidade, const QDate& vencimento);

// ---- the contract's own instalments ----
// A receivable of the contract that is one of its instalments: not an
// item's own receivable (ACITCODIGO set) nor a late-return fine (origin
// "M", which names its item too). Forecast tools count, date and delete
// only these. The condition, to follow " and ", with its columns under the
// alias given ("rec" gives rec.ACITCODIGO).
QString CondicaoParcelaDoContrato(const QString& alias = {});
// The same rule on a row already read.
bool ParcelaDoContrato(int item, const QString& origem);

// ---- document numbers ----
QString DocumentoData(const QDate& vencimento);   // "ddmmyy"
QString DocumentoContrato(int contrato);          // "000042"; a sign is dropped
QString EncurtaDocumento(const QString& documento);   // its last 6 characters
// A number the generator gave a forecast: a valid "ddmmyy" date.
bool DocumentoDeData(const QString& documento, QDate* data = nullptr);

// ---- taxes withheld by a fiscal operation ----
struct TaxasOperacao {
    QString calcIssqn, calcIrrf, calcInss, calcCofins, calcCsll, calcPis;
    double issqn = 0, irrf = 0, inss = 0, cofins = 0, csll = 0, pis = 0;
};
// Every rate applies to the gross value and each step is cut to cents;
// ISSQN "A" adds. With no flag set the value comes back as it is.
double ValorLiquido(const TaxasOperacao& taxas, double valor);

// ---- instalment value ----
struct ItemValor {
    double valor = 0;
    QString garantia;              // ACITGARANTIA
    QDateTime garantiaData;        // ACITGARANTIADATA (invalid: null)
    double garantiaPercentual = 0;
    bool clienteAtivo = true;      // the line's contractual customer is active (or has no row)
};
struct DadosValor {
    bool valorContrato = false;    // ATOPCAOCONTRATO "E": the contract's value
    double acValor = 0;
    QString periodo, valorFixo, modalidade, situacaoPorItem;
    double valorParcela = 0;
    int quantidadeParcela = 0;
    std::vector<ItemValor> itens;
    double complementares = 0;     // instalment values of the complementary contracts, when they count
    double veiculos = 0;           // rental/vehicle lines that count for "N"
    std::vector<std::pair<QDate, double>> pmc;   // monthly values (ACOC81PM)
};
// The value for the month of the date, without accumulation.
double ValorBase(const DadosValor& dados, const QDate& data);
double ValorParcela(const DadosValor& dados, const QDate& data, bool bAcumular);
// A divided value ("D") cut into its instalments leaves cents: the last of
// them (position = the count, 1 being the first due) takes them, so the
// instalments add up to the value. 0 for any other position, letter or a
// period that adds several months to each instalment.
double RestoDivisao(const DadosValor& dados, int posicao);
// The whole a divided value is cut from: the instalment value column holds
// it, unless a save once stored a single instalment there; the contract's
// value, which keeps the whole, is then the greater.
double ValorInteiroDividido(double valorParcela, double valorContrato);

// ---- cash forecast ----
// Each amount as its share of the total applied to the value, cut; the
// cents left over go to the last row. A total of 0 leaves them.
std::vector<double> Reescalona(const std::vector<double>& valores, double soma, double valor);

}  // namespace uDataTecContParcelas

// ---- what the rules read (uDataTecContParcelas.cpp) ----
class TdmTecContrato;
namespace uDataTecContParcelas {

// Everything the value rule reads of a contract, in a few statements.
DadosValor CarregaDadosValor(TdmTecContrato& dm, int contrato);
TaxasOperacao CarregaTaxasOperacao(const QString& operacao);

// A receivable of a customer as the generator finds it.
struct ReceberExistente {
    QString documento, filial, situacao;
    double sequencia = 0;
    int contrato = 0, item = 0;
    QDateTime vencimento;
};
std::vector<ReceberExistente> CarregaReceberCliente(const QString& cliente);

// What the cash forecast of a contract's instalments reads once per run.
struct ContextoCaixa {
    bool ativo = false;           // ATPREVISAOCAIXA "S"
    bool reconstroi = false;      // ATCONTAPREVISAOPRODUTO "P": template rebuilt from the items
    std::vector<std::pair<QString, double>> grupos;   // item value per product cash account
    std::vector<std::pair<QString, double>> modelo;   // the template rows: account, amount
    QString contaObjeto;          // the billing object's CXCODIGO
};
ContextoCaixa CarregaContextoCaixa(int contrato, const QString& filial, int objeto);
// The cash forecast of one instalment from what the context holds (the
// template it rebuilds is kept in it).
void GravaPrevisaoCaixa(ContextoCaixa& contexto, const QString& documento, const QString& cliente,
                        const QString& filial, int sequencia, int contrato, double valor, bool bRevisar,
                        QStringList* mensagens);

}  // namespace uDataTecContParcelas
