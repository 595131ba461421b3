#pragma once
// Readjustment of contract values (uDataTecContReajuste*.cpp): the selection
// of the active contracts flagged for readjustment, the raise of each one
// (by a percentage, the month's index, the sum of the index's last months,
// or the products' contract prices), the one level of previous values kept
// to undo it, and the forecasts generated again at the new value. The
// readjustment window (uAssContReajustarValor.h) holds the filters and the
// options and runs these rules over its selection.

#include "host/data/Field.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace host::data {
class Dataset;
class Query;
}  // namespace host::data

namespace uDataTecContReajuste {

// Kinds of readjustment (the window's "Tipo").
enum TipoReajuste { PorPercentual = 0, PorIndice = 1, PorMediaIndice = 2, PorItemContrato = 3 };

// The filters of the selection, as typed (dates as dd/mm/yyyy texts).
struct FiltrosReajuste {
    QString filial;
    QString contratoIni, contratoFim;
    QString dataBaseIni, dataBaseFim;
    QString renovacaoIni, renovacaoFim;
    QString limiteIni, limiteFim;
    QString indiceIni, indiceFim;
    QString contaIni, contaFim;
    QString campoLivre;   // a column of AATC05AC ("" none)
    host::data::FieldType tipoCampoLivre = host::data::FieldType::String;
    QString livreIni, livreFim;
    bool filtrarMesBase = false;   // only contracts whose base date falls in the month of mesBase
    QDate mesBase;
};

// The selection of active contracts flagged for readjustment at the
// branch, with the filters that are filled; bPrincipal keeps the principal
// contracts only. Every typed value reaches the text through the host's
// filter builder (a value not of the column's type ends the operation).
QString SqlPesquisaReajuste(const FiltrosReajuste& filtros, bool bPrincipal);
// The complementary contracts of the principal given in :acCodigo.
QString SqlContratosVinculados();

// The value in hundredths, rounded half away from zero: a rate of 5.125 %
// is applied as 513 hundredths of a percent, a value of 10.005 kept as 1001 cents.
qint64 Centesimos(double valor);

// The sum of the index's values of the `meses` latest months strictly
// before the month of the date (0 when there are none).
double CarregaMediaIndice(const QString& indice, const QDate& data, int meses);
// Kind "Por Item Contrato": the items re-priced at the products' contract
// price, the instalment value recomputed (the old one kept as previous) and
// written, net of the withheld taxes, into the contract's forecasts (their
// old value kept in pag10).
void ContratoAtualizaItens(int contrato, const QDate& data, const QString& operacao);
// Deletes the contract's forecasts due from `de` up to, not including,
// `ate`, with their cash rows; committed.
void CRDeletarParcelasContrato(int contrato, const QDate& de, const QDate& ate);

struct OpcoesReajuste {
    double percentual = 0;          // kind "Por Percentual"
    bool atualizaDataBase = false;  // write a new base date
    QString novaDataBase;           // dd/mm/yyyy
    int tipo = PorPercentual;
    int meses = 12;                 // months summed by "Por Média Índice"
    bool novasProvisoes = true;     // forecasts for numeroProvisoes months, else as many as there were
    int numeroProvisoes = 12;
};

// One run over a selection. The complementary contracts of a principal are
// walked on `vinculados` (its statement set to SqlContratosVinculados());
// the run's notes (the generator's, the linked contracts raised) are added
// to `avisos`.
class Reajuste {
public:
    Reajuste(const OpcoesReajuste& opcoes, host::data::Query& vinculados, QStringList& avisos);

    // Raises every contract of the query; outside a linked run shows the
    // count of the selection and opens the query again. With
    // bComplementares a principal's complementary contracts are raised
    // first (one level: they are walked as a linked run without it).
    void ReajusteContrato(host::data::Query& contratos, bool bVinculado, bool bComplementares);
    void ContratoReajustarVinculado(int principal);
    // Puts back the previous values (instalment value, items, hour value,
    // base date; under "E" the value that follows the items) of every
    // contract of the query and generates its forecasts again.
    void DesfazerReajusteContrato(host::data::Query& contratos);

private:
    struct Contrato;
    void reajusta(const Contrato& contrato, bool bVinculado, bool bComplementares);
    // False, and nothing written, when the contract is no longer as listed.
    bool guardaValoresAnteriores(const Contrato& contrato);
    void desfaz(const Contrato& contrato);
    void regeraPrevisoes(const Contrato& contrato, double valorReserva);
    double taxa(const Contrato& contrato) const;

    OpcoesReajuste opcoes_;
    host::data::Query& vinculados_;
    QStringList& avisos_;
    QDate hoje_;
    QDate novaBase_;
};

}  // namespace uDataTecContReajuste
