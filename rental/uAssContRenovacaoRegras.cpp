// The renewal's rules apart from its window: the listing statement and its
// filters, the row colours and the call of the instalment generator.

#include "rental/uAssContRenovacao.h"

#include "host/data/Format.h"
#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"
#include "contract_data/uDataTecContParcelas.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"
#include "host/data/Field.h"
#include "host/ui/DataGrid.h"

namespace uAssContRenovacao {

QString SqlBaseRenovacao()
{
    return "select ac.ACCODIGO, ac.ACNUMEROCONTRATO, ac.ACCONTRATANTE, cl.NOME, an.ANNOME, an.ANTELEFONE,"
           " ac.ACVALOR, ac.ACRENOVACAO, fc.FNOME, ac.ACDATAIMPLANTACAO, ac.ACDATAVALIDADE,\n"
           // The last instalment's: an item's own receivable or a fine due
           // later is no instalment the renewal carries on from.
           " (select max(rec.DATA_VENCIMENTO) from ACRC5001 rec where rec.AOCODIGO = ac.ACCODIGO and " +
           uDataTecContParcelas::CondicaoParcelaDoContrato("rec") + ") as ULTVCTO,\n"
           " (select count(*) from ACRC5001 rec where rec.AOCODIGO = ac.ACCODIGO"
           " and coalesce(rec.SITUACAO_DOCUMENTO, '') = '') as SITUACAODCTO,\n"
           " ac.ACCOMPROVANTERETIRADA, ac.CLCODIGO, ac.ACLOCAL, ac.ACTIPOPAGAMENTO, ac.BCCODIGO, ac.ACPERIODO,"
           " ac.ACCOMPROVANTEDATAHORA, ac.ACDATAPAGAMENTO\n"
           "from AATC05AC ac\n"
           " left outer join AUGC0301 cl on cl.CODIGO_CLIENTE = ac.CLCODIGO\n"
           " left outer join AUGC3701 an on an.ANCODIGO = ac.ACCONTATO\n"
           " left outer join AUGC0501 fc on fc.FCOD = ac.ACRESPONSAVEL\n"
           "where 1 = 1";
}

namespace {

// The zero date (30/12/1899) is no bound, as an empty date is.
bool dataRenovacaoDada(const QDate& data) { return data.isValid() && data != DataZeroRenovacao(); }

}  // namespace

QStringList CondicoesRenovacao(const FiltroRenovacao& f)
{
    QStringList c;
    if (dataRenovacaoDada(f.terminoDe))
        c << " and ac.acdatavalidade >= " + DateTimeIniToSQL(host::db::localDateTime(f.terminoDe));
    if (dataRenovacaoDada(f.terminoAte))
        c << " and ac.acdatavalidade <= " + DateTimeFimToSQL(host::db::localDateTime(f.terminoAte));
    if (!f.codCliente.trimmed().isEmpty())
        c << " and ac.clcodigo = " + QuotedStr(f.codCliente.trimmed());
    else if (!f.cliente.trimmed().isEmpty())
        c << " and cl.nome containing " + QuotedStr(f.cliente.trimmed());
    if (!f.codGerente.trimmed().isEmpty())
        c << " and ac.acresponsavel = " + QuotedStr(f.codGerente.trimmed());
    else if (!f.gerente.trimmed().isEmpty())
        c << " and fc.fnome containing " + QuotedStr(f.gerente.trimmed());
    if (f.codigo > 0)
        c << " and ac.accodigo = " + QString::number(f.codigo);
    if (!f.numero.trimmed().isEmpty())
        c << " and ac.acnumerocontrato containing " + QuotedStr(f.numero.trimmed());
    if (f.somenteAutomatico)
        c << " and coalesce(ac.acrenovacao, 'N') = 'S'";
    return c;
}

CorRenovacao CorLinhaRenovacao(int abertos, const QString& retirada)
{
    const bool agendada = retirada.trimmed() == "S";
    if (abertos > 0)
        return agendada ? CorRenovacao::AbertoComRetirada : CorRenovacao::AbertoSemRetirada;
    return agendada ? CorRenovacao::Retirada : CorRenovacao::Normal;
}

void PintaLinhaRenovacao(host::ui::CellStyle& estilo, CorRenovacao cor, bool selecionada)
{
    if (selecionada) {
        estilo.background = QColor(166, 202, 240);
        estilo.foreground = Qt::black;
        return;
    }
    switch (cor) {
    case CorRenovacao::AbertoSemRetirada:
        estilo.background = Qt::red;
        estilo.foreground = Qt::white;
        break;
    case CorRenovacao::AbertoComRetirada:
        estilo.background = QColor(255, 128, 0);
        estilo.foreground = Qt::white;
        break;
    case CorRenovacao::Retirada:
        estilo.background = Qt::yellow;
        estilo.foreground = Qt::black;
        break;
    case CorRenovacao::Normal:
        estilo.background = Qt::white;
        estilo.foreground = Qt::black;
        break;
    }
}

QString LegendaRenovacao(CorRenovacao cor)
{
    switch (cor) {
    case CorRenovacao::AbertoSemRetirada:
        return "Pgto. em aberto s/ retirada agendada";
    case CorRenovacao::AbertoComRetirada:
        return "Pgto. em aberto c/ retirada agendada";
    case CorRenovacao::Retirada:
        return "Retirada agendada";
    case CorRenovacao::Normal:
        break;
    }
    return {};
}

// The zero date's day itself: asked several times per contract of a batch,
// it needs no conversion to the local zone and back.
QDate DataZeroRenovacao() { return host::data::diaZero(); }

QString TextoDataRenovacao(const QDate& data)
{
    // Three per contract of a batch: written digit by digit, not through a
    // date format or printf (either costs more than the rest of the text).
    return host::data::dayMonthYear(data.isValid() ? data : DataZeroRenovacao(), u"/", 4);
}

VencimentosRenovacao VencimentosDoPeriodo(const QDate& inicio, const QDate& fim, const QDate& proximoVencimento)
{
    const auto vazia = [](const QDate& d) { return !d.isValid() || d <= DataZeroRenovacao(); };
    if (vazia(inicio) || vazia(fim) || vazia(proximoVencimento))
        return {inicio, fim};
    const int meses = (fim.year() - inicio.year()) * 12 + fim.month() - inicio.month();
    return {proximoVencimento, proximoVencimento.addMonths(meses)};
}

int GeraParcelasRenovacao(const ParcelasRenovacao& p)
{
    ParcelasRenovacao chamada = p;
    chamada.criadas = 0;
    chamada.lista = nullptr;
    InserirParcelasLocacao(chamada);
    return chamada.criadas;
}

}  // namespace uAssContRenovacao
