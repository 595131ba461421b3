// The host's search-filter builder: one condition per filter row of a search
// window, every typed value written as a literal of the column's type.

#include "host/Udatamod.h"

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"

namespace {

using host::data::FieldType;

enum class Limite { Inicio, Fim };

[[noreturn]] void recusa(const QString& texto)
{
    dmGlobal->MostraErro(texto);
}

bool ehData(FieldType tipo)
{
    return tipo == FieldType::DateTime || tipo == FieldType::Date;
}

bool ehTexto(FieldType tipo)
{
    return tipo == FieldType::String || tipo == FieldType::Memo;
}

// The value as an SQL literal of the type; a date as the start or end of its day.
QString literal(const QString& valor, FieldType tipo, Limite limite)
{
    switch (tipo) {
    case FieldType::Int16:
    case FieldType::Int32: {
        bool ok = false;
        const qlonglong numero = valor.toLongLong(&ok);
        if (!ok)
            recusa("Valor inválido: " + valor);
        return QString::number(numero);
    }
    case FieldType::Float: {
        double numero = 0;
        if (!host::data::parseFloatText(valor, numero))
            recusa("Valor inválido: " + valor);
        return ValueToSQL(numero);
    }
    case FieldType::DateTime:
    case FieldType::Date: {
        QDateTime data;
        if (!host::data::parseDateTimeText(valor, data))
            recusa("Data inválida: " + valor);
        return limite == Limite::Inicio ? DateTimeIniToSQL(data) : DateTimeFimToSQL(data);
    }
    default:
        return QuotedStr(valor);
    }
}

QString igual(const QString& coluna, const QString& valor, FieldType tipo)
{
    if (ehData(tipo))
        return coluna + " between " + literal(valor, tipo, Limite::Inicio) + " and " +
               literal(valor, tipo, Limite::Fim);
    return coluna + " = " + literal(valor, tipo, Limite::Inicio);
}

// A range with one end given is that one value.
QString faixa(const QString& coluna, const QString& de, const QString& ate, FieldType tipo)
{
    if (de.isEmpty() || ate.isEmpty())
        return igual(coluna, de.isEmpty() ? ate : de, tipo);
    return coluna + " between " + literal(de, tipo, Limite::Inicio) + " and " + literal(ate, tipo, Limite::Fim);
}

}  // namespace

QString AdicionaFiltro(const QString& coluna, const QString& valor1, const QString& valor2, FieldType tipo,
                       const QString& modo)
{
    const QString de = valor1.trimmed();
    const QString ate = valor2.trimmed();
    const QString m = modo.trimmed().toUpper();
    QString condicao;
    if (m == "F") {
        if (de.isEmpty() && ate.isEmpty())
            return {};
        condicao = faixa(coluna, de, ate, tipo);
    } else {
        if (de.isEmpty())
            return {};
        if (m == "C" && ehTexto(tipo))
            condicao = coluna + " containing " + QuotedStr(de);
        else if (m == "I" && ehTexto(tipo) && de.contains(u'%'))
            condicao = coluna + " like " + QuotedStr(de);   // a pattern the caller made ("%text%")
        else
            condicao = igual(coluna, de, tipo);
    }
    return " and (" + condicao + ")";
}
