// Uglobal: SQL literals, text columns, code lists, text files and e-mail.

#include "host/Uglobal.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/ui/GridExport.h"
#include "host/db/Database.h"
#include "host/db/LocalZone.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <limits>
#include <stdexcept>

// Built in one allocation: the rules quote a key into almost every read of
// a batch's rows.
QString QuotedStr(const QString& texto)
{
    QString quoted;
    quoted.reserve(texto.size() + texto.count(u'\'') + 2);
    quoted += u'\'';
    qsizetype inicio = 0;
    for (qsizetype aspa = texto.indexOf(u'\''); aspa >= 0; aspa = texto.indexOf(u'\'', inicio)) {
        quoted += QStringView(texto).sliced(inicio, aspa + 1 - inicio);
        quoted += u'\'';
        inicio = aspa + 1;
    }
    quoted += QStringView(texto).sliced(inicio);
    quoted += u'\'';
    return quoted;
}

namespace {

// What the engine takes in one "in (...)".
constexpr qsizetype kValoresPorLista = 1500;

// "in" lists of the literals, or'ed with the stretches already written.
QString condicaoDeLiterais(const QString& coluna, QStringList literais, QStringList partes = {})
{
    literais.removeDuplicates();
    if (literais.isEmpty() && partes.isEmpty())
        return "(1 = 0)";
    if (literais.size() <= kValoresPorLista && partes.isEmpty())
        return coluna + " in (" + literais.join(", ") + ")";
    for (qsizetype i = 0; i < literais.size(); i += kValoresPorLista)
        partes << coluna + " in (" + literais.mid(i, kValoresPorLista).join(", ") + ")";
    return "(" + partes.join(" or ") + ")";
}

}  // namespace

QString CondicaoEmLista(const QString& coluna, const QStringList& valores)
{
    QStringList literais;
    literais.reserve(valores.size());
    for (const QString& valor : valores)
        literais << QuotedStr(valor);
    return condicaoDeLiterais(coluna, literais);
}

// Consecutive numbers are written as one "between": the engine compares
// each row with every value of an "in" list, so a selection of thousands
// of keys would cost more per row the more rows it holds.
QString CondicaoEmLista(const QString& coluna, const QList<int>& valores)
{
    QList<int> ordenados = valores;
    std::sort(ordenados.begin(), ordenados.end());
    ordenados.erase(std::unique(ordenados.begin(), ordenados.end()), ordenados.end());
    QStringList literais, trechos;
    for (qsizetype i = 0; i < ordenados.size();) {
        qsizetype fim = i;
        while (fim + 1 < ordenados.size() && qint64(ordenados[fim + 1]) == qint64(ordenados[fim]) + 1)
            ++fim;
        if (fim - i >= 2)
            trechos << coluna + " between " + QString::number(ordenados[i]) + " and " +
                           QString::number(ordenados[fim]);
        else
            for (qsizetype k = i; k <= fim; ++k)
                literais << QString::number(ordenados[k]);
        i = fim + 1;
    }
    return condicaoDeLiterais(coluna, literais, trechos);
}

QStringList ValoresDaListaSql(const QString& literais)
{
    static const QRegularExpression literal(R"('((?:[^']|'')*)')");
    QStringList valores;
    for (auto it = literal.globalMatch(literais); it.hasNext();)
        valores << it.next().captured(1).replace("''", "'");
    return valores;
}

QString ValueToSQL(const QVariant& valor)
{
    if (!valor.isValid() || valor.isNull())
        return "null";
    switch (valor.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(valor.toDouble(), 'g', 15);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        return valor.toString();
    case QMetaType::Bool:
        return valor.toBool() ? "1" : "0";
    case QMetaType::QDateTime:
        return DateTimeToSQL(valor.toDateTime());
    case QMetaType::QDate:
        return DateToSQL(host::db::localDateTime(valor.toDate()));
    default:
        return QuotedStr(valor.toString());
    }
}

QVariant aparadoOuNulo(const QString& texto)
{
    const QString aparado = texto.trimmed();
    return aparado.isEmpty() ? QVariant() : QVariant(aparado);
}

QString horaAtualTexto()
{
    // Asked for every stock line written: two digits each by hand, not
    // through the locale's time format.
    return horaTexto(QTime::currentTime());
}

QString horaTexto(const QTime& hora)
{
    QString texto;
    texto.reserve(8);
    host::data::appendPadded(texto, hora.hour(), 2);
    texto += u':';
    host::data::appendPadded(texto, hora.minute(), 2);
    texto += u':';
    host::data::appendPadded(texto, hora.second(), 2);
    return texto;
}

namespace {

constexpr qint64 kMsPorMinuto = 60 * 1000;
constexpr qint64 kMsPorDia = 24 * 60 * kMsPorMinuto;
constexpr qint64 kDiaJulianoDe1970 = 2440588;

qint64 divisaoPiso(qint64 a, qint64 b) { return a / b - (a % b < 0 ? 1 : 0); }

}  // namespace

namespace host {

// A zone changes its offset from UTC only at a whole minute: the offset Qt
// found for this minute serves every later reading within it, by sums.
AgoraLocal agoraLocal()
{
    thread_local qint64 minutoConhecido = std::numeric_limits<qint64>::min();
    thread_local qint64 deslocamentoMs = 0;
    thread_local host::db::LocalZone zonaConhecida;
    const qint64 agora = QDateTime::currentMSecsSinceEpoch();
    const qint64 minuto = divisaoPiso(agora, kMsPorMinuto);
    if (minuto != minutoConhecido || !(host::db::currentLocalZone() == zonaConhecida)) {
        const QDateTime local = QDateTime::fromMSecsSinceEpoch(agora);
        deslocamentoMs = qint64(local.offsetFromUtc()) * 1000;
        minutoConhecido = minuto;
        zonaConhecida = host::db::currentLocalZone();   // as the conversion just read it
        return {local.date(), local.time()};
    }
    const qint64 localMs = agora + deslocamentoMs;
    const qint64 dias = divisaoPiso(localMs, kMsPorDia);
    return {QDate::fromJulianDay(kDiaJulianoDe1970 + dias), QTime::fromMSecsSinceStartOfDay(int(localMs - dias * kMsPorDia))};
}

}  // namespace host

QDateTime hoje()
{
    return host::db::localDateTime(host::agoraLocal().dia);
}

QString DateToSQL(const QDateTime& data)
{
    return data.isValid() ? DateToSQL(data.date()) : QString("null");
}

QString DateToSQL(const QDate& data)
{
    return data.isValid() ? "'" + data.toString("MM/dd/yyyy") + "'" : QString("null");
}

QString DateTimeToSQL(const QDateTime& data)
{
    return data.isValid() ? "'" + data.toString("MM/dd/yyyy hh:mm:ss") + "'" : QString("null");
}

QString DateTimeIniToSQL(const QDateTime& data)
{
    return data.isValid() ? "'" + data.toString("MM/dd/yyyy") + " 00:00:00'" : QString("null");
}

QString DateTimeFimToSQL(const QDateTime& data)
{
    return data.isValid() ? "'" + data.toString("MM/dd/yyyy") + " 23:59:59.9999'" : QString("null");
}

namespace {

QDateTime dateFromText(const QString& texto)
{
    const QString text = texto.trimmed();
    QString digits = text;
    digits.remove('/').remove(' ');
    if (digits.isEmpty())
        return {};
    QDateTime value;
    return host::data::parseDateTimeText(text, value) ? value : QDateTime();
}

}  // namespace

QString StringDateToSQL(const QString& texto) { return DateToSQL(dateFromText(texto)); }

QString StringDateTimeIniToSQL(const QString& texto) { return DateTimeIniToSQL(dateFromText(texto)); }

QString StringDateTimeFimToSQL(const QString& texto) { return DateTimeFimToSQL(dateFromText(texto)); }

QString PadraoOnde(const QString& texto, int onde)
{
    return (onde == 0 ? QString() : QString("%")) + texto + (onde == 2 ? QString() : QString("%"));
}

QString ValorComoTextoSQL(const QString& coluna)
{
    // The database speaks dialect 1, where only a numeric of up to nine
    // digits is exact (a larger one is a double, written with sixteen
    // digits): values of twenty million and more keep the double's text.
    return "iif(abs(" + coluna + ") < 20000000, cast(cast(" + coluna + " as numeric(9,2)) as varchar(24)), cast(" +
           coluna + " as varchar(32)))";
}

QString ValorDigitadoComoTexto(const QString& texto)
{
    QString valor = texto.trimmed();
    // "." groups thousands where a "," marks the decimals or where it is
    // followed by groups of three digits; otherwise it is the decimal point.
    static const QRegularExpression grupos(QStringLiteral("^[-+]?\\d{1,3}(\\.\\d{3})+($|,)"));
    if (valor.contains(',') || grupos.match(valor).hasMatch())
        valor.remove('.');
    return valor.replace(',', '.');
}

QString PegaValorColuna(const QString& texto, const QString& separador, int n)
{
    if (n < 1 || separador.isEmpty())
        return {};
    const QStringList parts = texto.split(separador);
    return n <= parts.size() ? parts[n - 1] : QString();
}

QString GetSQLtextComParametros(const host::data::Query& query, bool bQuebraLinha)
{
    QString text = query.sqlWithParams();
    if (!bQuebraLinha)
        text.replace(QRegularExpression("[\\r\\n]+"), " ");
    return text;
}

void LigaLogAbertura(host::data::Query& query, QString origem, bool bQuebraLinha)
{
    if (origem.isEmpty())
        origem = "[" + query.name() + "Open]";
    query.beforeOpen = [origem, bQuebraLinha](host::data::Dataset& dataset) {
        dmGlobal->Log(origem, "***INICIO");
        dmGlobal->Log(origem, GetSQLtextComParametros(static_cast<host::data::Query&>(dataset), bQuebraLinha));
    };
    query.afterOpen = [origem](host::data::Dataset&) { dmGlobal->Log(origem, "***FIM"); };
}

namespace {

using CodeList = QList<QPair<QString, QString>>;

const QHash<QString, CodeList>& codeLists()
{
    static const QHash<QString, CodeList> lists = {
        {"SIMNAO", {{"S", "Sim"}, {"N", "Não"}}},
        // Natures of receivable documents, as the contract register lists them.
        {"CPTIPO", {{"A", "A - Em Carteira"}, {"C", "C - Cheque pré-datado"}, {"D", "D - Duplicata/Fatura"},
                    {"E", "E - Endosso"}, {"F", "F - Adto Frete"}, {"I", "I - Impostos"}, {"L", "L - Vales"},
                    {"M", "M- Memorando"}, {"N", "N - NF/Serviços"}, {"O", "O - Comissão"},
                    {"P", "P - Pgto Dólar"}, {"R", "R- Recibo/Frete"}, {"S", "S - Prestação de Serviços"},
                    {"U", "U - Outros"}, {"V", "V - Adto Viagem"}}},
        // Payment types of receivables.
        {"CRTIPO", {{"1", "1 - Carnê"}, {"2", "2 - Duplicata/Boleto"}, {"3", "3 - Recibo"}, {"4", "4 - Cheque"},
                    {"5", "5 - Fundo"}, {"6", "6 - Endosso"}, {"7", "7 - R$"}, {"8", "8 - Cartão"},
                    {"9", "9 - CEntrega"}, {"R", "R - Reembolso Rodoviário"}, {"P", "P - Reembolso Postal"},
                    {"V", "V - Venda à Vista Com Vale"}, {"D", "D - Débito em Conta"},
                    {"B", "B - Depósito em Conta"}, {"C", "C - Carteira"}, {"S", "S - Cheque Surpresa"},
                    {"O", "O - Bônus"}, {"N", "N - Consignação"}, {"E", "E - Cheque Devolvido"},
                    {"U", "U - Custódia"}, {"T", "T - Protestado"}, {"M", "M - Cheque Descontado"},
                    {"A", "A - Duplicata Descontada"}}},
        // How the operation combo of a document lists the operations.
        {"MODOPROCURAOPERACAO", {{"C", "Código"}, {"D", "Descrição"}, {"N", "Natureza"}}},
    };
    return lists;
}

}  // namespace

QString RetornaSituacaoEquivalente(const QString& codigo, const QString& lista)
{
    const CodeList list = codeLists().value(lista.trimmed().toUpper());
    for (const auto& [code, caption] : list)
        if (code == codigo.trimmed())
            return caption;
    return {};
}

QString RetornaCodigoEquivalente(const QString& caption, const QString& lista)
{
    const CodeList list = codeLists().value(lista.trimmed().toUpper());
    for (const auto& [code, text] : list)
        if (text.compare(caption.trimmed(), Qt::CaseInsensitive) == 0)
            return code;
    return {};
}

QStringList RetornaListaSituacao(const QString& lista)
{
    QStringList captions;
    for (const auto& entry : codeLists().value(lista.trimmed().toUpper()))
        captions << entry.second;
    return captions;
}

QString RetornaLinhaArquivoTexto(const QString& arquivo, int indice)
{
    QFile file(arquivo);
    if (indice < 0 || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    for (int line = 0; !in.atEnd(); ++line) {
        const QString text = in.readLine();
        if (line == indice)
            return text;
    }
    return {};
}

QString GridToExcelFile(host::ui::DataGrid* grid, const QString& arquivo)
{
    if (!grid)
        throw std::invalid_argument("GridToExcelFile: no grid");
    return host::ui::exportGridToXlsx(*grid, arquivo);
}
