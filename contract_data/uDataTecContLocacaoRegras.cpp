// The rental rules that reckon without the database: fine, lateness and the
// calendar of rental instalments.

#include "contract_data/uDataTecContLocacao.h"

#include "host/Uglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/db/Database.h"

#include <algorithm>
#include <cstdlib>

namespace uDataTecContLocacao {

namespace {

std::function<QDateTime()>& relogio()
{
    static std::function<QDateTime()> atual;
    return atual;
}

int diasEntre(const QDate& a, const QDate& b)
{
    if (!a.isValid() || !b.isValid())
        return 0;
    return int(std::abs(a.daysTo(b)));
}

// A daily price is taken as a day of 12 working hours.
constexpr double kHorasDiaria = 12;

}  // namespace

host::data::Field& campo(host::data::Dataset& dataset, const char* nome)
{
    return *dataset.fieldByName(nome);
}

void setRelogio(std::function<QDateTime()> novo)
{
    relogio() = std::move(novo);
}

QDateTime agora()
{
    return relogio() ? relogio()() : QDateTime::currentDateTime();
}

QDateTime dataZero()
{
    return host::db::localDateTime(host::data::diaZero());
}

bool dataVazia(const QDateTime& data)
{
    return !data.isValid() || data.date() <= host::data::diaZero();
}

QDateTime horaDoDia(const QTime& hora)
{
    return QDateTime(host::data::diaZero(), hora);
}

double ValorMultaAtraso(const ItemMulta& item)
{
    // Days late run from the due-back day to the return: a piece back early
    // owes nothing.
    const int diasAtraso = item.entrega.isValid() && item.encerramento.isValid()
                               ? std::max<int>(0, int(item.entrega.daysTo(item.encerramento)))
                               : 0;
    if (item.periodo.trimmed().toUpper() == "D") {
        const double valorHora = (item.valor - item.frete) / kHorasDiaria;
        // A return hour before the departure hour charges no hours.
        double multa = std::max(0, item.horaEntrada - item.horaSaida) * valorHora;
        if (diasAtraso >= 1)
            multa += diasAtraso * item.valor;
        return multa;
    }
    const int duracao = std::max(1, diasEntre(item.entrega, item.instalacao));
    return diasAtraso * ((item.valor - item.frete) / duracao);
}

bool ItemAtrasado(const QDateTime& entrega, const QDateTime& horaEntrada, const QDateTime& agora)
{
    if (dataVazia(entrega))
        return false;
    if (agora.date() > entrega.date())
        return true;
    return agora.date() == entrega.date() && agora.time() > horaEntrada.time();
}

QString SeriesDaLinha(int contrato, const QString& produto, int item, const QString& alias)
{
    const QString a = alias.isEmpty() ? QString() : alias + ".";
    // Never unknown (a null line): the condition is also used negated.
    return QString("(coalesce(%1ACITCODIGO, 0) = %2 or (%1ACITCODIGO is null and not exists (select 1 from AATC05ACIT outra"
                   " where outra.ACCODIGO = %3 and outra.PRCODIGO = %4 and outra.ACITCODIGO <> %2)))")
        .arg(a)
        .arg(item)
        .arg(contrato)
        .arg(QuotedStr(produto.trimmed()));
}

QDate UltimoDiaMes(const QDate& data)
{
    return QDate(data.year(), data.month(), 1).addMonths(1).addDays(-1);
}

QDate DiaNoMes(int dia, const QDate& mes)
{
    return QDate(mes.year(), mes.month(), std::clamp(dia, 1, mes.daysInMonth()));
}

PeriodoCobertura PeriodoDaParcela(const QDate& inicio, const QDate& fim, int mes)
{
    const QDate proximo = inicio.addMonths(1);
    const bool antesDoProximo = fim.isValid() && inicio.isValid() && inicio <= fim && fim < proximo;
    if (antesDoProximo && fim == UltimoDiaMes(fim)) {
        const QDate de = mes == 0 ? inicio : UltimoDiaMes(fim.addMonths(mes - 1)).addDays(1);
        return {de, UltimoDiaMes(fim.addMonths(mes))};
    }
    const int recuo = antesDoProximo && fim == proximo.addDays(-1) ? -1 : 0;
    return {inicio.addMonths(mes), inicio.addMonths(mes + 1).addDays(recuo)};
}

std::vector<QDate> AncorasParcelas(const QDate& primeiro, const QDate& ultimo)
{
    std::vector<QDate> ancoras;
    const QDate fim = UltimoDiaMes(ultimo);
    for (QDate ancora = UltimoDiaMes(primeiro); ancora < fim && ancora.daysTo(fim) >= 28;
         ancora = ancora.addMonths(1))
        ancoras.push_back(ancora);
    return ancoras;
}

}  // namespace uDataTecContLocacao
