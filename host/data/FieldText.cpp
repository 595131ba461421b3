// Field texts: display text through the display format, edit text through the
// edit mask, and typed text parsed by type.
#include "host/data/Field.h"

#include "host/data/Dataset.h"
#include "host/data/Format.h"

namespace host::data {

namespace {

bool textIsBlank(const QVariant& v)
{
    return !v.isValid() || v.isNull();
}

bool hasTime(const QDateTime& dt)
{
    return dt.time().msecsSinceStartOfDay() != 0;
}

// A date shown through a mask follows the mask's groups: "!99/99/99" gives
// two-digit years, "!99:99" hours and minutes.
QString formatForMask(const QString& emptyText, FieldType type)
{
    if (emptyText.contains(':'))
        return emptyText.count(':') >= 2 ? "hh:nn:ss" : "hh:nn";
    const QStringList groups = emptyText.split('/');
    if (groups.size() == 3)
        return groups[2].size() >= 4 ? "dd/mm/yyyy" : "dd/mm/yy";
    return type == FieldType::Time ? "hh:nn:ss" : "dd/mm/yyyy";
}

// The zero date at midnight is how older rows (and the classic programs)
// store "no date": shown, it is empty, as a null date is. A format of the
// time alone still shows midnight.
bool isZeroDateShownEmpty(const Field& field, const QString& format)
{
    if ((field.dataType() != FieldType::Date && field.dataType() != FieldType::DateTime) || field.isNull())
        return false;
    const QDateTime value = field.asDateTime();
    if (value.date() != diaZero() || value.time().msecsSinceStartOfDay() != 0)
        return false;
    return format.isEmpty() || format.contains('d', Qt::CaseInsensitive) || format.contains('y', Qt::CaseInsensitive)
        || format.contains('/');
}

}  // namespace

void Field::setEditMask(const QString& mask)
{
    editMask_ = type_ == FieldType::Date || type_ == FieldType::DateTime ? EditMask::withFourDigitYear(mask) : mask;
}

QString Field::maskedDateFormat() const
{
    return formatForMask(EditMask(editMask_).emptyText(), type_);
}

QString Field::defaultText(bool display) const
{
    const QVariant& v = dataset_->slotValue(*this);
    if (textIsBlank(v))
        return QString();
    const bool useFormat = display && !displayFormat_.isEmpty();
    switch (type_) {
    case FieldType::Int16:
    case FieldType::Int32:
        return useFormat ? formatFloat(displayFormat_, asInteger()) : QString::number(asInteger());
    case FieldType::Float:
        return formatFloat(useFormat ? displayFormat_ : QString(), asFloat());
    case FieldType::DateTime:
    case FieldType::Date:
    case FieldType::Time: {
        const QDateTime dt = asDateTime();
        if (useFormat)
            return formatDateTime(displayFormat_, dt);
        if (!display && !editMask_.isEmpty())
            return formatDateTime(maskedDateFormat(), dt);
        if (type_ == FieldType::Date || (type_ == FieldType::DateTime && !hasTime(dt)))
            return formatDateTime("dd/mm/yyyy", dt);
        if (type_ == FieldType::Time)
            return formatDateTime("hh:nn:ss", dt);
        return formatDateTime("dd/mm/yyyy hh:nn:ss", dt);
    }
    case FieldType::String:
    case FieldType::Memo:
        return v.toString();
    case FieldType::Blob:
        return "(BLOB)";
    }
    return v.toString();
}

QString Field::text() const
{
    if (onGetText) {
        QString result = defaultText(false);
        onGetText(const_cast<Field&>(*this), result, false);
        return result;
    }
    const QString plain = isZeroDateShownEmpty(*this, editMask_) ? QString() : defaultText(false);
    if (editMask_.isEmpty())
        return plain;
    const EditMask mask(editMask_);
    if (plain.isEmpty())
        return mask.emptyText();
    if (type_ == FieldType::String)
        return mask.editText(plain);
    return plain;
}

QString Field::displayText() const
{
    if (!onGetText && isZeroDateShownEmpty(*this, displayFormat_.isEmpty() ? editMask_ : displayFormat_))
        return QString();
    QString result = defaultText(true);
    if (onGetText) {
        onGetText(const_cast<Field&>(*this), result, true);
        return result;
    }
    if (!result.isEmpty() && type_ == FieldType::String && !editMask_.isEmpty())
        return EditMask(editMask_).editText(result);
    return result;
}

void Field::setText(const QString& text)
{
    if (!editMask_.isEmpty() && type_ != FieldType::String) {
        // A number, date or time typed through a mask: its empty positions
        // are blanks, and nothing typed is no value.
        const EditMask mask(editMask_);
        const QString typed = mask.isBlank(text) ? QString() : QString(text).replace(mask.blankChar(), QLatin1Char(' '));
        if (onSetText)
            onSetText(*this, typed);
        else if (typed.isEmpty())
            clear();
        else
            parseText(typed);
        return;
    }
    if (onSetText) {
        onSetText(*this, text);
        return;
    }
    if (!editMask_.isEmpty()) {
        const EditMask mask(editMask_);
        if (mask.isBlank(text)) {
            clear();
            return;
        }
        setValue(mask.valueText(text));
        return;
    }
    parseText(text);
}

void Field::parseText(const QString& text)
{
    const QString trimmed = text.trimmed();
    switch (type_) {
    case FieldType::Int16:
    case FieldType::Int32: {
        if (trimmed.isEmpty())
            return clear();
        bool ok = false;
        const int i = trimmed.toInt(&ok);
        if (!ok)
            throw DatasetError(QString("'%1' não é um valor inteiro válido.").arg(text));
        return setValue(i);
    }
    case FieldType::Float: {
        if (trimmed.isEmpty())
            return clear();
        double d = 0;
        if (!parseFloatText(trimmed, d))
            throw DatasetError(QString("'%1' não é um valor numérico válido.").arg(text));
        return setValue(d);
    }
    case FieldType::DateTime:
    case FieldType::Date: {
        if (trimmed.isEmpty())
            return clear();
        QDateTime dt;
        QTime t;
        // A time alone is that time on day zero, as the classic conversion
        // reads it: time-of-day columns stored as date-times are typed so.
        if (!parseDateTimeText(trimmed, dt)) {
            if (type_ != FieldType::DateTime || !parseTimeText(trimmed, t))
                throw DatasetError(QString("'%1' não é uma data válida.").arg(text));
            dt = QDateTime(diaZero(), t);
        }
        return setValue(dt);
    }
    case FieldType::Time: {
        if (trimmed.isEmpty())
            return clear();
        QTime t;
        if (!parseTimeText(trimmed, t))
            throw DatasetError(QString("'%1' não é uma hora válida.").arg(text));
        return setValue(t);
    }
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob:
        return setValue(text);
    }
}

}  // namespace host::data
