#pragma once
// The rules of the two rental-contract registers that do not need a window:
// which loader a page runs, the linked-contract columns, the deletion
// password, the end of validity from a number of days, the instalment tools
// (value change, customer-order stamp, colours, re-instalment dates) and the
// pick-up moment and status. Today is the rental rules' clock
// (uDataTecContLocacao::agora), which tests set.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace host::data {
class Dataset;
}

namespace uAssContLoc {

// ---- pages ----
enum class CargaPagina {
    Nenhuma,
    Equipamentos,            // open items that are not complements
    EquipamentosEncerrados,  // closed items that are not complements
    Complementos,            // open complements
    ComplementosEncerrados,  // closed complements
    EquipamentosSolicitados, // the lines of the contract's source order
    Parcelas,                // the contract's receivables
    ObsSR,                   // notes "U" 1
    ObsAdicionais,           // notes "U" 2
};
// What the page (by its name, "tsEquipamentos" ...) loads.
CargaPagina CargaDaPagina(const QString& pagina);
// Runs the page's loader for the contract (code, source order, link kind).
void CarregaPaginaContrato(CargaPagina carga, int contrato, const QString& pedido, const QString& vinculo);

// ---- "Contratos Vinculados" ----
struct ColunasVinculo {
    bool muda = false;              // any other link kind leaves the grid as it was
    QStringList campos;             // the three columns' fields
    bool somenteLeitura = false;
};
ColunasVinculo ColunasContratosVinculados(const QString& vinculo);

// ---- "&Excluir" ----
// No password is asked when the parameter is blank.
bool PedeSenhaExclusao(const QString& parametro);
// Both sides are compared trimmed.
bool SenhaExclusaoConfere(const QString& parametro, const QString& digitada);

// ---- start and end of validity ----
// The new end of validity for the days typed; invalid (nothing changes)
// for 0 days or fewer, or without a start.
QDateTime TerminoPorDias(const QDateTime& inicio, int dias);

// ---- instalments ----
// A boleto date counts as not issued when null or the zero date.
bool BoletoVazio(const QDateTime& dataBoleto);
// Whether "Alterar Parcelas" changes the row: "Todas" every forecast, and
// "Seleção" the selected forecasts; a paid or billed instalment, or one
// whose boleto was issued, never.
bool ParcelaAlteravel(bool todas, const QString& situacao, const QDateTime& dataBoleto, bool selecionada);
// Sets VALOR_DOCUMENTO := the value cut to cents on each row that may
// change (selected: 1-based record numbers), posting each. Returns the count.
int AlterarValorParcelas(host::data::Dataset& receber, bool todas, const QList<int>& selecionadas, double valor);
// "Pedido: " + the customer's order + " " + the former note, on every row.
void AdicionarPedidoCliente(host::data::Dataset& receber, const QString& pedidoCliente);
// Re-instalment panel: the last day of the month of "Vigente de" as
// "DD/MM/YYYY"; the two date refusals.
QString UltimoDiaMesTexto(const QDate& data);
bool EmissaoAntesDeHoje(const QDate& emissao, const QDate& hoje);
bool VencimentoAntesDaEmissao(const QDate& emissao, const QDate& vencimento);

// ---- pick-up ----
// The planned day with the spins' time (seconds 0); invalid without a day.
QDateTime MomentoRetirada(const QDateTime& planejado, int hora, int minuto);
// "Não Definida", "Pendente" or "Realizada".
QString StatusRetirada(const QDateTime& comprovante, const QDateTime& dataRetirada);

}  // namespace uAssContLoc
