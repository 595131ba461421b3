#pragma once
// The calendar and money rules of contract items, free of the database.

#include <QDateTime>
#include <QString>

#include <array>

namespace host::data {
class Dataset;
}

namespace uDataTecContItens {

// The line value: unit × (1 − discount / 100) × quantity, cut to cents, plus
// the freight (added after the cut).
double ValorLinha(double unitario, double desconto, double quantidade, double frete);

// The end of a rental period that starts at the date: "D" 1 day, "E" 7
// days, "Q" 15 days, "M" 1 month, "B" 2, "T" 3, "S" 6, "A" 12, any other
// letter 1 month (a day past the end of the month becomes its last day).
QDateTime DataEntregaPeriodo(const QDateTime& inicio, const QString& periodo);

// Whole days from the start to the end, times 24; 0 unless both dates are
// after 30/12/1999.
int HorasEquivalentes(const QDateTime& inicio, const QDateTime& fim);

// The columns a line value is computed from: unit price, discount,
// quantity and freight.
std::array<double, 4> FontesValor(host::data::Dataset& item);

// The line value net of its warranty discount while the warranty runs.
double ValorDividido(double valor, bool garantia, const QDateTime& limiteGarantia, double percentualGarantia,
                     const QDate& hoje);

}  // namespace uDataTecContItens
