#pragma once
// The host's working-day calendar: the working weekdays of the parameter
// ATDIASUTEIS (digits 1 Sunday, 2 Monday ... 7 Saturday; empty: Monday to
// Friday) less the holidays of the table FERIADOS (a row with FEANUAL "S"
// falls on its day and month every year).
//
// ProximoDiaUtilPorConfiguracao (Udatamod.h) reads the calendar at each call;
// a routine that asks for many dates reads it once (carregar) and asks it.

#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QString>

#include <array>

namespace host {

class CalendarioDiasUteis {
public:
    // Monday to Friday, no holiday.
    CalendarioDiasUteis();
    // The weekdays as ATDIASUTEIS writes them; characters other than 1-7 are
    // ignored, and a text that names no weekday means Monday to Friday.
    explicit CalendarioDiasUteis(const QString& diasUteis);

    // The parameter and every holiday, in one statement.
    static CalendarioDiasUteis carregar();

    void adicionarFeriado(const QDate& data, bool anual);
    bool diaUtil(const QDate& data) const;
    // The date itself when it is a working day, otherwise the next one; the
    // time of day is kept. An invalid date is given back as it is.
    QDateTime proximoDiaUtil(const QDateTime& data) const;

private:
    std::array<bool, 8> semana_{};   // by Qt's dayOfWeek (1 Monday ... 7 Sunday)
    QSet<QDate> feriados_;
    QSet<int> anuais_;               // month * 100 + day
};

}  // namespace host
