#pragma once
// The rental rules of the contract data module (uDataTecContLocacao*.cpp)
// that reckon without the database: the late-return fine, the lateness of a
// return, the calendar of rental instalments; and the clock they read, which
// tests set.

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

namespace host::data {
class Dataset;
class Field;
}  // namespace host::data

namespace uDataTecContLocacao {

// The named field of the dataset (the rules name fields that always exist).
host::data::Field& campo(host::data::Dataset& dataset, const char* nome);

// The clock of the rental rules; an empty function puts the system clock back.
void setRelogio(std::function<QDateTime()> relogio);
QDateTime agora();

// The zero date (30/12/1899) the rental columns store for "no date", and
// the test the rules apply: null, invalid or the zero date.
QDateTime dataZero();
bool dataVazia(const QDateTime& data);
// A time of day as the hour columns keep it: that time on the zero date.
QDateTime horaDoDia(const QTime& hora);

// What the fine reads of a contract item.
struct ItemMulta {
    QString periodo;          // ACITPERIODO: "D" daily, any other per period
    double valor = 0;         // ACITVALOR: price per period
    double frete = 0;         // ACITFRETE: freight inside the price
    QDate instalacao;         // ACITINSTALACAO: start of the rental
    QDate entrega;            // ACITDATAENTREGA: due back
    QDate encerramento;       // the day it came back (closed, or returned without closing)
    int horaSaida = 0;        // hour of ACITHORASAIDA
    int horaEntrada = 0;      // hour it came back
};
// The late-return fine. Daily: the hours between departure and return at
// the price of a 12-hour day (never below 0), plus each whole day late at
// the daily price. Other periods: each day late at the period's price over
// its length in days (a rental with no length counts one day). Days late
// are those from the due-back day to the return, none for an early one.
double ValorMultaAtraso(const ItemMulta& item);

// A return is late after the due-back day, or on it after the return hour.
// An item without a due-back date is never late.
bool ItemAtrasado(const QDateTime& entrega, const QDateTime& horaEntrada, const QDateTime& agora);

// ---- serial movements of a line ----
// The condition (to follow " and ") that keeps, among a contract's serial
// movements (AUGC50NS, under the alias given) of the product, those of one
// line: those that name it, and those that name no line (older data, made
// elsewhere) only when no other line of the contract has the product, so
// that no other line's pieces are ever taken for this one's.
QString SeriesDaLinha(int contrato, const QString& produto, int item, const QString& alias = {});

// ---- calendar of rental instalments ----
QDate UltimoDiaMes(const QDate& data);
// The day of `dia` in the month of `mes`; a day the month lacks is its last.
QDate DiaNoMes(int dia, const QDate& mes);
// The period instalment `mes` (0 = the first) covers, from the first one's
// start and end. Each follows the previous one, a month long, counted from
// the first one's dates (a start on the 31st keeps each month's end),
// whatever month its boleto falls in. A first period that ends on a month's
// last day before a month has passed is followed by whole calendar months;
// one that ends the day before its next month's start, by months ending the
// day before too; any other end (none, or the contract's whole validity)
// reads as the next month's start, which each period then shares with the
// next.
struct PeriodoCobertura {
    QDate de, ate;
};
PeriodoCobertura PeriodoDaParcela(const QDate& inicio, const QDate& fim, int mes);
// The anchors of a span's instalments: from the month end of the first
// date, one month on at a time (the day kept, clamped to the month), while
// the anchor is before the month end of the last date and at least 28 days
// from it (so the last date's month gets none).
std::vector<QDate> AncorasParcelas(const QDate& primeiro, const QDate& ultimo);

}  // namespace uDataTecContLocacao
