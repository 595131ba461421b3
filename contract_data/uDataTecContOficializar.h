#pragma once
// Officialising forecast instalments: each selected forecast (a receivable
// of situation "V") becomes a sales order and an invoice, the receivable
// becomes real (situation, emission date, value, the document's number) and
// the contract's next forecasts are written. The invoicing screen runs these
// over its selection (one row per instalment: the contract's columns, then
// the receivable's).

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

namespace host::data {
class Query;
}

struct OpcoesOficializacao {
    bool bMesRefOriginal = false;    // ckMesRefOriginal: texts dated by the billing date
    bool bContasAbertas = false;     // ckCRAberta: no next forecast
    bool bNaoGeraPrevisao = false;   // ckNaoGeraPrevisao: no next forecast
    QDateTime dataFaturamento;       // mdDataFaturamento (batch, ATMODOCOMPOSICAO 2)
    QString filial;                  // the screen's branch, for the emission form
    std::function<void()> minimizar; // the screen gets out of the way of the emission form
};

// One by one: order and invoice per instalment; a failure ends the run.
void OficializarParcelaPesquisa(host::data::Query& oDado, const OpcoesOficializacao& opcoes, QStringList* aviso);
// Batch: the orders, then their invoices in one pass, then the receivables;
// a failed instalment is reported and the run goes on.
void OficializarParcelaPesquisaLote(host::data::Query& oDado, const OpcoesOficializacao& opcoes,
                                    QStringList* aviso);

namespace uDataTecContOficializar {
// "000123": a number shorter than six characters as six digits (0 when it
// is no number); longer ones stay as they are.
QString FormataDocumento(const QString& numero);
// The value as the one-by-one run writes it: hundredths over 100.00.
QString ValorCentesimos(double valor);
}  // namespace uDataTecContOficializar
