// The working-day calendar behind ProximoDiaUtilPorConfiguracao.

#include "host/Calendario.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include <utility>

namespace host {

namespace {

// ATDIASUTEIS counts the week from Sunday (1) as the Portuguese weekday
// names do ("2ª feira" is Monday); Qt counts from Monday (1) to Sunday (7).
int diaQt(QChar digito)
{
    const int dia = digito.digitValue();
    if (dia < 1 || dia > 7)
        return 0;
    return dia == 1 ? 7 : dia - 1;
}

int chaveAnual(const QDate& data) { return data.month() * 100 + data.day(); }

}  // namespace

CalendarioDiasUteis::CalendarioDiasUteis() : CalendarioDiasUteis(QString()) {}

CalendarioDiasUteis::CalendarioDiasUteis(const QString& diasUteis)
{
    bool algum = false;
    for (QChar c : diasUteis) {
        const int dia = diaQt(c);
        if (dia > 0)
            algum = semana_[dia] = true;
    }
    if (!algum)
        for (int dia = 1; dia <= 5; ++dia)
            semana_[dia] = true;
}

CalendarioDiasUteis CalendarioDiasUteis::carregar()
{
    CalendarioDiasUteis calendario(dmGlobal->Parametro("ATDIASUTEIS"));
    db::Statement feriados(*dmGlobal->IBTransaction1, "select FEDATA, FEANUAL from FERIADOS");
    feriados.execute();
    while (feriados.fetch())
        calendario.adicionarFeriado(feriados.value(0).toDateTime().date(),
                                    feriados.value(1).toString().trimmed().toUpper() == "S");
    return calendario;
}

void CalendarioDiasUteis::adicionarFeriado(const QDate& data, bool anual)
{
    if (!data.isValid())
        return;
    if (anual)
        anuais_.insert(chaveAnual(data));
    else
        feriados_.insert(data);
}

bool CalendarioDiasUteis::diaUtil(const QDate& data) const
{
    return semana_[data.dayOfWeek()] && !feriados_.contains(data) && !anuais_.contains(chaveAnual(data));
}

QDateTime CalendarioDiasUteis::proximoDiaUtil(const QDateTime& data) const
{
    if (!data.isValid())
        return data;
    // A year of holidays on every working weekday is a calendar without
    // working days: the date is given back rather than searched for ever.
    for (int dias = 0; dias <= 366; ++dias) {
        const QDateTime dia = data.addDays(dias);
        if (diaUtil(dia.date()))
            return dia;
    }
    return data;
}

}  // namespace host

QDateTime ProximoDiaUtilPorConfiguracao(const QDateTime& data)
{
    return host::CalendarioDiasUteis::carregar().proximoDiaUtil(data);
}

int DiasInteirosEntre(const QDateTime& de, const QDateTime& ate)
{
    if (!de.isValid() || !ate.isValid())
        return 0;
    // Ordered by the wall clock too: an hour lived twice must not swap them.
    if (std::pair(ate.date(), ate.time()) < std::pair(de.date(), de.time()))
        return -DiasInteirosEntre(ate, de);
    qint64 dias = de.date().daysTo(ate.date());
    if (ate.time() < de.time())
        --dias;
    return int(dias);
}
