// Field values: conversions between the stored value and the typed accessors.
#include "host/data/Field.h"

#include "host/data/Dataset.h"

#include <algorithm>
#include <cmath>

namespace host::data {

namespace {

bool isBlank(const QVariant& v)
{
    return !v.isValid() || v.isNull();
}

// The T a cell holds, read in place (no call into Qt to ask its type and
// convert); null when it holds another type or nothing.
template <typename T>
const T* heldIf(const QVariant& v)
{
    const QVariant::Private& p = v.data_ptr();
    if (p.is_null || p.typeInterface() != QMetaType::fromType<T>().iface())
        return nullptr;
    return static_cast<const T*>(p.storage());
}

QString typeName(FieldType type)
{
    switch (type) {
    case FieldType::Int16:
    case FieldType::Int32: return "inteiro";
    case FieldType::Float: return "numérico";
    case FieldType::DateTime:
    case FieldType::Date:
    case FieldType::Time: return "data/hora";
    default: return "texto";
    }
}

[[noreturn]] void badValue(const Field& field, const QVariant& value)
{
    throw DatasetError(QString("'%1' não é um valor %2 válido para o campo '%3'.")
                           .arg(value.toString(), typeName(field.dataType()), field.displayLabel()));
}

// A number for an integer field: rounded half to even; a value the field
// cannot hold (out of its range, not a number) is refused, never wrapped.
int toInteger(const Field& field, const QVariant& original, double v)
{
    const double rounded = std::nearbyint(v);
    const bool small = field.dataType() == FieldType::Int16;
    const double low = small ? -32768.0 : -2147483648.0;
    const double high = small ? 32767.0 : 2147483647.0;
    if (!(rounded >= low && rounded <= high))
        badValue(field, original);
    return int(rounded);
}

double toDouble(const Field& field, const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return v.toDouble();
    case QMetaType::QDateTime:
    case QMetaType::QDate:
    case QMetaType::QTime:
        return dateTimeToDays(v.typeId() == QMetaType::QDate  ? v.toDate().startOfDay()
                              : v.typeId() == QMetaType::QTime ? QDateTime(diaZero(), v.toTime())
                                                                : v.toDateTime());
    default: {
        QString text = v.toString().trimmed();
        bool ok = false;
        double d = text.toDouble(&ok);
        if (!ok)
            d = QString(text).remove('.').replace(',', '.').toDouble(&ok);
        if (!ok)
            badValue(field, v);
        return d;
    }
    }
}

int toInteger(const Field& field, const QVariant& v)
{
    return toInteger(field, v, toDouble(field, v));
}

QDateTime toDateTime(const Field& field, const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDateTime: return v.toDateTime();
    case QMetaType::QDate: return v.toDate().startOfDay();
    case QMetaType::QTime: return QDateTime(diaZero(), v.toTime());
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong: return daysToDateTime(v.toDouble());
    default: {
        const QString text = v.toString().trimmed();
        for (const char* format : {"dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm", "dd/MM/yyyy", "yyyy-MM-dd HH:mm:ss",
                                   "yyyy-MM-dd"}) {
            QDateTime dt = QDateTime::fromString(text, format);
            if (dt.isValid())
                return dt;
        }
        badValue(field, v);
    }
    }
}

}  // namespace

DatasetError::DatasetError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message)
{
}

QDate diaZero() { return QDate(1899, 12, 30); }

double dateTimeToDays(const QDateTime& value)
{
    const qint64 days = diaZero().daysTo(value.date());
    const double fraction = value.time().msecsSinceStartOfDay() / 86400000.0;
    // Before day zero the fraction still counts forward in the host's arithmetic.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime daysToDateTime(double days)
{
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    qint64 msecs = qint64(std::llround(fraction * 86400000.0));
    QDate date = diaZero().addDays(qint64(whole));
    if (msecs >= 86400000) {
        msecs -= 86400000;
        date = date.addDays(days >= 0 ? 1 : -1);
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(msecs)));
}

Field::Field(Dataset& dataset, const QString& fieldName, FieldType type, int size, FieldKind kind)
    : dataset_(&dataset), type_(type), size_(size), kind_(kind), fieldName_(fieldName), upperName_(fieldName.toUpper()),
      name_(dataset.name() + fieldName)
{
}

void Field::resetAsNew(int size)
{
    setRequired(false);
    setLookupDataset(nullptr);
    size_ = size;
    kind_ = FieldKind::Data;
    slot_ = column_ = -1;
    displayLabel_.clear();
    displayFormat_.clear();
    editMask_.clear();
    readOnly_ = false;
    visible_ = true;
    tag_ = 0;
    keyFields_.clear();
    lookupKeyFields_.clear();
    lookupResultField_.clear();
    onValidate = nullptr;
    onChange = nullptr;
    onGetText = nullptr;
    onSetText = nullptr;
}

void Field::followDatasetName(const QString& datasetName)
{
    if (name_.size() != datasetName.size() + fieldName_.size() || !name_.startsWith(datasetName))
        name_ = datasetName + fieldName_;
}

bool Field::isNumeric() const
{
    return type_ == FieldType::Int16 || type_ == FieldType::Int32 || type_ == FieldType::Float;
}

Field::~Field()
{
    setLookupDataset(nullptr);
    if (required_) {
        --dataset_->requiredFields_;
        dataset_->requiredListStale_ = true;
    }
}

void Field::setRequired(bool required)
{
    if (required == required_)
        return;
    required_ = required;
    dataset_->requiredFields_ += required ? 1 : -1;
    dataset_->requiredListStale_ = true;
}

// The look-up dataset may belong to another module and be freed first: it
// keeps a list of the fields that read it and empties their pointer then.
void Field::setLookupDataset(Dataset* lookupDataset)
{
    if (lookupDataset == lookupDataset_)
        return;
    if (lookupDataset_) {
        auto& users = lookupDataset_->lookupUsers_;
        users.erase(std::remove(users.begin(), users.end(), this), users.end());
    }
    lookupDataset_ = lookupDataset;
    if (lookupDataset_)
        lookupDataset_->lookupUsers_.push_back(this);
}

void Field::setLookup(const QString& keyFields, Dataset* lookupDataset, const QString& lookupKeyFields,
                      const QString& resultField)
{
    keyFields_ = keyFields;
    setLookupDataset(lookupDataset);
    lookupKeyFields_ = lookupKeyFields;
    lookupResultField_ = resultField;
}

void Field::setKind(FieldKind kind)
{
    if (dataset_->active())
        throw DatasetError(QString("O campo '%1' não pode mudar de tipo com a tabela aberta.").arg(fieldName_));
    if (kind == FieldKind::Data || kind_ == FieldKind::Data)
        throw DatasetError(QString("O campo '%1' só troca entre calculado e pesquisa.").arg(fieldName_));
    kind_ = kind;
    ++dataset_->fieldDefinitions_;
    dataset_->requiredListStale_ = true;
}

QVariant Field::normalized(const QVariant& v) const
{
    if (isBlank(v))
        return QVariant();
    switch (type_) {
    case FieldType::Int16:
    case FieldType::Int32:
        if (v.typeId() == QMetaType::Int)
            return type_ == FieldType::Int32 ? v : QVariant(toInteger(*this, v, v.toInt()));
        if (v.typeId() == QMetaType::QString) {
            bool ok = false;
            const QString text = v.toString().trimmed();
            if (text.isEmpty())
                return QVariant();
            const int i = text.toInt(&ok);
            if (!ok)
                badValue(*this, v);
            return toInteger(*this, v, i);
        }
        return toInteger(*this, v);
    case FieldType::Float:
        if (v.typeId() == QMetaType::Double) {
            if (std::isfinite(v.toDouble()))
                return v;
            badValue(*this, v);
        }
        if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
            return QVariant();
        if (const double d = toDouble(*this, v); std::isfinite(d))
            return d;
        badValue(*this, v);
    case FieldType::DateTime:
        if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
            return QVariant();
        return toDateTime(*this, v);
    case FieldType::Date:
        if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
            return QVariant();
        if (v.typeId() == QMetaType::QDateTime) {
            const QDateTime& dt = *static_cast<const QDateTime*>(v.constData());
            if (dt.isValid() && dt.timeSpec() == Qt::LocalTime && dt.time().msecsSinceStartOfDay() == 0)
                return v;   // already the start of its day
        }
        return toDateTime(*this, v).date().startOfDay();
    case FieldType::Time:
        if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty())
            return QVariant();
        return QDateTime(diaZero(), toDateTime(*this, v).time());
    case FieldType::String: {
        QString text = v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 15) : v.toString();
        if (text.isEmpty())
            return QVariant();
        if (size_ > 0 && text.size() > size_)
            text.truncate(size_);
        return text;
    }
    case FieldType::Memo: {
        const QString text = v.toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Blob: {
        const QByteArray bytes = v.toByteArray();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    }
    return v;
}

const QVariant& Field::value() const
{
    return dataset_->slotValue(*this);
}

void Field::setValue(const QVariant& value)
{
    if (kind_ == FieldKind::Data)
        dataset_->writeField(*this, normalized(value));
    else
        dataset_->writeCalculated(*this, normalized(value));
}

bool Field::isNull() const
{
    return isBlank(dataset_->slotValue(*this));
}

QVariant Field::oldValue() const
{
    const QVariant* old = dataset_->oldSlotValue(*this);
    return old ? *old : QVariant();
}

QString Field::asString() const
{
    const QVariant& v = dataset_->slotValue(*this);
    if (type_ == FieldType::String || type_ == FieldType::Memo)
        if (const QString* text = heldIf<QString>(v))
            return *text;
    if (isBlank(v))
        return QString();
    switch (type_) {
    case FieldType::String:
    case FieldType::Memo:
        return v.toString();
    case FieldType::Float:
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::DateTime:
    case FieldType::Date:
    case FieldType::Time:
        return defaultText(false);
    case FieldType::Blob:
        return QString::fromUtf8(v.toByteArray());
    }
    return v.toString();
}

void Field::setAsString(const QString& value)
{
    // A text for a text data field is its value as it is (empty is null, a
    // longer one is cut): no variant made to be converted back.
    if (kind_ == FieldKind::Data && (type_ == FieldType::String || type_ == FieldType::Memo)) {
        if (value.isEmpty())
            dataset_->writeField(*this, QVariant());
        else if (type_ == FieldType::String && size_ > 0 && value.size() > size_)
            dataset_->writeField(*this, QVariant(value.left(size_)));
        else
            dataset_->writeField(*this, QVariant(value));
        return;
    }
    switch (type_) {
    case FieldType::String:
    case FieldType::Memo:
    case FieldType::Blob:
        setValue(value);
        return;
    default:
        parseText(value);
    }
}

int Field::asInteger() const
{
    const QVariant& v = dataset_->slotValue(*this);
    if (const int* i = heldIf<int>(v))
        return *i;
    if (isBlank(v))
        return 0;
    if (v.typeId() == QMetaType::Int)
        return v.toInt();
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const int i = v.toString().trimmed().toInt(&ok);
        if (!ok)
            badValue(*this, v);
        return i;
    }
    return toInteger(*this, v);
}

void Field::setAsInteger(int value)
{
    // The usual pairs stored as normalized() would leave them, without it;
    // a value out of a smallint's range takes the general way and is refused.
    if (kind_ == FieldKind::Data) {
        if (type_ == FieldType::Int32 || (type_ == FieldType::Int16 && value >= -32768 && value <= 32767)) {
            dataset_->writeField(*this, QVariant(value));
            return;
        }
        if (type_ == FieldType::Float) {
            dataset_->writeField(*this, QVariant(double(value)));
            return;
        }
    }
    setValue(value);
}

double Field::asFloat() const
{
    const QVariant& v = dataset_->slotValue(*this);
    if (const double* d = heldIf<double>(v))
        return *d;
    if (isBlank(v))
        return 0.0;
    return toDouble(*this, v);
}

void Field::setAsFloat(double value)
{
    if (kind_ == FieldKind::Data && type_ == FieldType::Float && std::isfinite(value)) {
        dataset_->writeField(*this, QVariant(value));
        return;
    }
    setValue(value);
}

QDateTime Field::asDateTime() const
{
    const QVariant& v = dataset_->slotValue(*this);
    if (isBlank(v))
        return QDateTime();
    return toDateTime(*this, v);
}

void Field::setAsDateTime(const QDateTime& value)
{
    if (kind_ == FieldKind::Data) {
        if (!value.isValid()) {
            dataset_->writeField(*this, QVariant());
            return;
        }
        // A date field keeps the start of the day: a local midnight already is
        // (making it again asks the time zone for every row written).
        if (type_ == FieldType::DateTime ||
            (type_ == FieldType::Date && value.timeSpec() == Qt::LocalTime && value.time().msecsSinceStartOfDay() == 0)) {
            dataset_->writeField(*this, QVariant(value));
            return;
        }
    }
    setValue(value.isValid() ? QVariant(value) : QVariant());
}

bool Field::asBoolean() const
{
    const QVariant& v = dataset_->slotValue(*this);
    if (isBlank(v))
        return false;
    if (type_ == FieldType::String || type_ == FieldType::Memo) {
        const QString text = v.toString().trimmed().toUpper();
        return text.startsWith('S') || text.startsWith('T') || text.startsWith('Y') || text == "1";
    }
    return toDouble(*this, v) != 0.0;
}

void Field::setAsBoolean(bool value)
{
    if (type_ == FieldType::String || type_ == FieldType::Memo)
        setValue(value ? "S" : "N");
    else
        setValue(value ? 1 : 0);
}

QByteArray Field::asBytes() const
{
    const QVariant& v = dataset_->slotValue(*this);
    return isBlank(v) ? QByteArray() : v.toByteArray();
}

}  // namespace host::data
