// The calendar and money rules of contract instalments (uDataTecContParcelas.h).

#include "contract_data/uDataTecContParcelas.h"

#include "host/data/Format.h"
#include "host/Udatamod.h"
#include "host/db/Database.h"

#include <algorithm>

namespace uDataTecContParcelas {

QDate IncMonth(const QDate& data, int meses)
{
    return data.addMonths(meses);   // Qt clamps the day to the target month
}

QDate UltimoDiaMes(const QDate& data)
{
    return QDate(data.year(), data.month(), data.daysInMonth());
}

int MesesPeriodo(const QString& periodo)
{
    const QString p = periodo.trimmed().toUpper();
    if (p == u'B')
        return 2;
    if (p == u'T')
        return 3;
    if (p == u'S')
        return 6;
    if (p == u'A')
        return 12;
    return 1;
}

Janela JanelaParcelas(const QString& modalidade, const QDate& primeiro, const QDate& ultimo)
{
    const QString m = modalidade.trimmed().toUpper();
    if (m == u'A')
        return {QDate(primeiro.year(), primeiro.month(), 1), QDate(ultimo.year(), ultimo.month(), 1)};
    if (m == u'I') {
        const QDate a = primeiro.addMonths(1), b = ultimo.addMonths(1);
        return {QDate(a.year(), a.month(), 15), QDate(b.year(), b.month(), 15)};
    }
    return {UltimoDiaMes(primeiro), UltimoDiaMes(ultimo)};
}

int AjustaDiaVencimento(const QString& dia, const QDate&)
{
    // Each month's own length is applied where the day is used.
    return dia.trimmed().isEmpty() ? 1 : dia.trimmed().toInt();
}

QDate DataVencimento(const QDate& mes, int dia)
{
    // The due day, or the month's last day where the month is shorter; a
    // day that is no day of any month falls back to the 30th as before.
    const int d = dia >= 1 ? dia : 30;
    return QDate(mes.year(), mes.month(), std::min(d, mes.daysInMonth()));
}

bool InicioVencido(const QDate& inicio, int dia, const QDateTime& agora)
{
    // Compared by days: the due day's midnight may be one the zone skipped.
    return DataVencimento(inicio, dia) <= agora.date();
}

QDate PrimeiroDiaSemana(int diaSemana, const QDate& mes, int primeiroDia)
{
    // Qt counts Monday 1 ... Sunday 7; the contracts count Sunday 1 ... Saturday 7.
    auto semana = [](const QDate& d) { return d.dayOfWeek() % 7 + 1; };
    const int ultimo = mes.daysInMonth();
    QDate dia(mes.year(), mes.month(), std::clamp(primeiroDia, 1, ultimo));
    for (QDate d = dia; d.month() == mes.month(); d = d.addDays(1))
        if (semana(d) == diaSemana)
            return d;
    for (QDate d = dia; d.month() == mes.month(); d = d.addDays(-1))
        if (semana(d) == diaSemana)
            return d;
    return dia;
}

QDate ProximoInicio(const QDate& inicio, const QString& periodo, const QString& modalidade)
{
    const QDate proximo = IncMonth(inicio, MesesPeriodo(periodo));
    const QString m = modalidade.trimmed().toUpper();
    return m == u'I' || m == u'A' ? proximo : UltimoDiaMes(proximo);
}

QDate InicioPeriodoDoVencimento(const QString& modalidade, const QDate& vencimento)
{
    return modalidade.trimmed().toUpper() == u'I' ? IncMonth(vencimento, -1) : vencimento;
}

QString DocumentoData(const QDate& vencimento)
{
    // Written digit by digit: a forecast makes one for every instalment, and
    // the general date format costs more than the row it names.
    if (!vencimento.isValid() || vencimento.year() < 0)
        return vencimento.toString("ddMMyy");
    return host::data::dayMonthYear(vencimento, u"", 2);
}

QString DocumentoContrato(int contrato)
{
    QString texto = QString::number(std::abs(contrato)).rightJustified(6, '0');
    return texto;
}

QString EncurtaDocumento(const QString& documento)
{
    return documento.size() > 6 ? documento.right(6) : documento;
}

QString CondicaoParcelaDoContrato(const QString& alias)
{
    const QString a = alias.isEmpty() ? QString() : alias + ".";
    return QString("coalesce(%1ACITCODIGO, 0) = 0 and coalesce(%1ORIGEM, '') <> 'M'").arg(a);
}

bool ParcelaDoContrato(int item, const QString& origem) { return item == 0 && origem.trimmed() != "M"; }

bool DocumentoDeData(const QString& documento, QDate* data)
{
    const QString d = documento.trimmed();
    if (d.size() != 6)
        return false;
    // Asked of every receivable of the customer for every instalment
    // forecast: plain digits are read in place, without a text per part.
    if (std::all_of(d.begin(), d.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        auto parte = [&](int i) { return (d[i].unicode() - u'0') * 10 + (d[i + 1].unicode() - u'0'); };
        const QDate lida(2000 + parte(4), parte(2), parte(0));
        if (lida.isValid() && data)
            *data = lida;
        return lida.isValid();
    }
    for (QChar c : d)
        if (!c.isDigit())
            return false;
    const QDate lida(2000 + d.mid(4, 2).toInt(), d.mid(2, 2).toInt(), d.left(2).toInt());
    if (!lida.isValid())
        return false;
    if (data)
        *data = lida;
    return true;
}

double ValorLiquido(const TaxasOperacao& t, double valor)
{
    double liquido = valor;
    auto flag = [](const QString& f) { return f.trimmed().toUpper(); };
    auto retem = [&](const QString& f, double taxa) {
        if (flag(f) == u'S')
            liquido = Trunc2Casas(liquido - taxa / 100.0 * valor);
    };
    retem(t.calcIssqn, t.issqn);
    if (flag(t.calcIssqn) == u'A')
        liquido = Trunc2Casas(liquido + t.issqn / 100.0 * valor);
    retem(t.calcIrrf, t.irrf);
    retem(t.calcInss, t.inss);
    retem(t.calcCofins, t.cofins);
    retem(t.calcCsll, t.csll);
    retem(t.calcPis, t.pis);
    return liquido;
}

namespace {

double somaLinhas(const DadosValor& dados, const QDate& data)
{
    // Under "A" the warranty is judged on the date itself, otherwise a month before.
    const QDate referencia = dados.modalidade.trimmed().toUpper() == u'A' ? data : IncMonth(data, -1);
    const QDateTime ref = host::db::localDateTime(referencia);
    double cheias = 0, garantia = 0;
    for (const ItemValor& item : dados.itens) {
        if (!item.clienteAtivo)
            continue;
        const QString g = item.garantia;
        const bool dataValida = item.garantiaData.isValid();
        if (g == u'N' || g.isNull() || (dataValida && item.garantiaData < ref))
            cheias += item.valor;
        else if (g == u'S' && dataValida && item.garantiaData >= ref)
            garantia += item.valor * (1 - item.garantiaPercentual / 100.0);
    }
    return cheias + garantia + dados.complementares;
}

}  // namespace

double ValorBase(const DadosValor& dados, const QDate& data)
{
    if (dados.valorContrato)
        return dados.acValor;
    const QString fixo = dados.valorFixo.trimmed().toUpper();
    const QString porItem = dados.situacaoPorItem.trimmed().toUpper();
    if (fixo == u'P') {
        double soma = 0;
        for (const auto& [dia, valor] : dados.pmc)
            if (dia.year() == data.year() && dia.month() == data.month())
                soma += valor;
        return soma;
    }
    if (fixo == u'S')
        return dados.valorParcela;
    if (fixo == u'D')
        return dados.quantidadeParcela > 0 ? Trunc2Casas(dados.valorParcela / dados.quantidadeParcela)
                                           : dados.valorParcela;
    if (fixo == u'N' && porItem == u'S')
        return dados.veiculos;
    double valor = somaLinhas(dados, data);
    if (fixo == u'N' && porItem == u'I')
        valor += dados.veiculos;
    return valor;
}

double ValorParcela(const DadosValor& dados, const QDate& data, bool bAcumular)
{
    double valor = ValorBase(dados, data);
    if (dados.valorContrato || !bAcumular)
        return valor;
    const QString p = dados.periodo.trimmed().toUpper();
    const int extras = p == u'B' || p == u'T' || p == u'S' || p == u'A' ? MesesPeriodo(p) - 1 : 0;
    for (int k = 1; k <= extras; ++k)
        valor += ValorBase(dados, IncMonth(data, k));
    return valor;
}

double ValorInteiroDividido(double valorParcela, double valorContrato)
{
    return std::max(valorParcela, valorContrato);
}

double RestoDivisao(const DadosValor& dados, int posicao)
{
    const QString p = dados.periodo.trimmed().toUpper();
    const bool variosMeses = p == u'B' || p == u'T' || p == u'S' || p == u'A';
    const int quantidade = dados.quantidadeParcela;
    if (dados.valorContrato || dados.valorFixo.trimmed().toUpper() != u'D' || quantidade <= 0 ||
        posicao != quantidade || variosMeses)
        return 0;
    // In whole cents: the value less the instalments cut from it.
    const qint64 total = qRound64(Trunc2Casas(dados.valorParcela) * 100);
    const qint64 parte = qRound64(Trunc2Casas(dados.valorParcela / quantidade) * 100);
    return double(total - parte * quantidade) / 100.0;
}

std::vector<double> Reescalona(const std::vector<double>& valores, double soma, double valor)
{
    std::vector<double> novos = valores;
    if (soma == 0 || novos.empty())
        return novos;
    double total = 0;
    for (double& v : novos) {
        v = Trunc2Casas(v / soma * valor);
        total += v;
    }
    novos.back() = Trunc2Casas(novos.back() + Trunc2Casas(valor - total));
    return novos;
}

}  // namespace uDataTecContParcelas
