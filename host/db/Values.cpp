// QVariant <-> message buffer conversions.

#include "host/db/Values.h"

#include "host/db/LocalZone.h"

#include <ibase.h>

#include <QDateTime>
#include <QStringEncoder>

#include <array>
#include <cmath>
#include <ctime>
#include <cstdint>
#include <cstring>

using namespace Firebird;

namespace host::db::detail {

// Up to 15 digits a text's number is exact as a double, and so is its
// product by a power of ten below 2^53: the general conversion's rounding
// (llround of the double, scaled) leaves both as they are, as here.
bool digitsInteger(QStringView text, int scale, qint64& value) {
    const qsizetype n = text.size();
    if (n == 0 || n > 15 || scale > 0) return false;
    const char16_t* at = text.utf16();
    qint64 v = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned digit = unsigned(at[i]) - u'0';
        if (digit > 9) return false;
        v = v * 10 + digit;
    }
    constexpr qint64 kExact = qint64(1) << 53;
    for (int k = scale; k < 0; ++k) {
        v *= 10;
        if (v > kExact) return false;
    }
    value = v;
    return true;
}

namespace {

constexpr qint64 kJulianOfIscEpoch = 2400001;   // 1858-11-17, day 0 of the engine's dates

int bytesPerChar(unsigned charset) {
    switch (charset) {
    case 3: return 3;   // UNICODE_FSS
    case 4: return 4;   // UTF8
    default: return 1;
    }
}

double powerOf10(int exponent) {
    static const double table[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9,
                                   1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
    return exponent >= 0 && exponent <= 18 ? table[exponent] : std::pow(10.0, exponent);
}

template <typename T>
void put(unsigned char* at, T v) { std::memcpy(at, &v, sizeof v); }

template <typename T>
T get(const unsigned char* at) {
    T v;
    std::memcpy(&v, at, sizeof v);
    return v;
}

// The value a variant holds, read in place: converting through QVariant
// costs more than binding the value.
template <typename T>
const T& held(const QVariant& v) { return *static_cast<const T*>(v.constData()); }

// The value when the variant holds a T and is not null, read from the
// variant itself (its type and null flag, as QVariant keeps them): asking
// QVariant is a call into the library for each question, asked of every
// value of every row bound. Null otherwise, the general path's case.
template <typename T>
const T* heldIf(const QVariant& v) {
    const QVariant::Private& p = v.data_ptr();
    if (p.is_null || p.typeInterface() != QMetaType::fromType<T>().iface()) return nullptr;
    return static_cast<const T*>(p.storage());
}

[[noreturn]] void badValue(const QString& name, const QVariant& value, const QString& sql) {
    raise(QString("Valor inválido para o parâmetro %1: %2").arg(name, value.toString()), sql);
}

void fillFromMeta(IMessageMetadata* meta, std::vector<MessageField>& fields) {
    Status st;
    for (unsigned i = 0; i < fields.size(); ++i) {
        fields[i].offset = meta->getOffset(&st, i);
        fields[i].nullOffset = meta->getNullOffset(&st, i);
    }
    st.check();
}

qint64 toInteger(const QVariant& v, int scale, bool& ok) {
    ok = true;
    switch (v.userType()) {
    case QMetaType::Int:
        if (scale == 0) return held<int>(v);
        return std::llround(held<int>(v) * powerOf10(-scale));
    case QMetaType::LongLong:
        if (scale == 0) return held<qlonglong>(v);
        [[fallthrough]];
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        if (scale == 0) return v.toLongLong();
        return std::llround(v.toDouble() * powerOf10(-scale));
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    default: {
        // A key of digits (a read's pasted value) converted in place: parsing
        // a number out of a text costs some 2,000 instructions.
        if (const QString* text = heldIf<QString>(v)) {
            qint64 digits;
            if (digitsInteger(*text, scale, digits)) return digits;
        }
        const double d = v.userType() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok)
                                                            : v.toDouble(&ok);
        return ok ? std::llround(d * powerOf10(-scale)) : 0;
    }
    }
}

QDateTime toDateTime(const QVariant& v) {
    switch (v.userType()) {
    case QMetaType::QDateTime: return v.toDateTime();
    case QMetaType::QDate: return localDateTime(v.toDate());
    case QMetaType::QTime: return QDateTime(QDate(1899, 12, 30), v.toTime());
    case QMetaType::QString: {
        const QString s = v.toString().trimmed();
        for (const char* f : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm",
                              "yyyy-MM-dd", "dd/MM/yyyy HH:mm:ss", "dd/MM/yyyy HH:mm", "dd/MM/yyyy",
                              "dd.MM.yyyy"}) {
            QDateTime dt = QDateTime::fromString(s, f);
            if (dt.isValid()) return dt;
        }
        return {};
    }
    default: return {};
    }
}

// A failed close leaves the blob object alive: release it before raising.
void closeBlob(IBlob* blob, Status& st, const QString& sql)
{
    blob->close(&st);
    if ((&st)->getState() & IStatus::STATE_ERRORS)
        blob->release();
    st.check(sql);
}

void writeBlob(unsigned char* at, const QVariant& value, BlobWriter& blobs, const QString& sql) {
    const QByteArray bytes =
        value.userType() == QMetaType::QByteArray ? value.toByteArray() : value.toString().toUtf8();
    Status st;
    const EngineCall call;
    ISC_QUAD id;
    IBlob* blob = blobs.attachment->createBlob(&st, blobs.transaction, &id, 0, nullptr);
    st.check(sql);
    constexpr int segment = 32 * 1024;
    for (qsizetype pos = 0; pos < bytes.size(); pos += segment) {
        const unsigned n = unsigned(std::min<qsizetype>(segment, bytes.size() - pos));
        blob->putSegment(&st, n, bytes.constData() + pos);
        if ((&st)->getState() & IStatus::STATE_ERRORS) {
            blob->release();
            st.check(sql);
        }
    }
    closeBlob(blob, st, sql);
    put(at, id);
}

QByteArray readBlob(const unsigned char* at, BlobWriter& blobs) {
    ISC_QUAD id = get<ISC_QUAD>(at);
    Status st;
    const EngineCall call;
    IBlob* blob = blobs.attachment->openBlob(&st, blobs.transaction, &id, 0, nullptr);
    st.check();
    QByteArray bytes;
    char chunk[32 * 1024];
    for (;;) {
        unsigned got = 0;
        const int r = blob->getSegment(&st, sizeof chunk, chunk, &got);
        if (r == IStatus::RESULT_OK || r == IStatus::RESULT_SEGMENT) {
            bytes.append(chunk, got);
            continue;
        }
        if (r == IStatus::RESULT_NO_DATA) break;
        blob->release();
        st.check();
    }
    closeBlob(blob, st, QString());
    return bytes;
}

}  // namespace

QDate fromIscDate(ISC_DATE d) { return QDate::fromJulianDay(qint64(d) + kJulianOfIscEpoch); }
ISC_DATE toIscDate(const QDate& d) { return ISC_DATE(d.toJulianDay() - kJulianOfIscEpoch); }
QTime fromIscTime(ISC_TIME t) { return QTime::fromMSecsSinceStartOfDay(int(t / 10)); }
ISC_TIME toIscTime(const QTime& t) { return ISC_TIME(t.msecsSinceStartOfDay()) * 10; }

namespace {

struct KeptTimestamp {
    ISC_DATE date = 0;
    ISC_TIME time = 0;
    bool used = false;
    QDateTime value;
};

QDateTime convertTimestamp(const ISC_TIMESTAMP& ts) {
    const QDate date = fromIscDate(ts.timestamp_date);
    const QTime time = fromIscTime(ts.timestamp_time);
    QDateTime dt(date, time);
    // A wall-clock time that the local zone skipped (Brazil's old daylight-saving
    // midnights) would be an invalid value, that is, a lost date: take the first
    // moment that exists after it instead, the gap's end (gaps end on a whole
    // minute, so the search goes minute by minute from the typed one).
    const QTime minute(time.hour(), time.minute());
    for (int minutes = 1; !dt.isValid() && minutes <= 180; ++minutes)
        dt = QDateTime(date, minute.addSecs(minutes * 60));
    return dt;
}

}  // namespace

// Making a local date-time runs the zone's rules (about 1,800 instructions,
// most of them the C library's mktime: as much as reading the rest of a row
// of seven columns), and rows bring the same few dates back over and over (a
// day's documents, a month's instalments). The last conversions are kept per
// thread, by their engine value, for the zone they were made in.
QDateTime fromTimestamp(const ISC_TIMESTAMP& ts) {
    thread_local std::array<KeptTimestamp, 512> kept;
    thread_local LocalZone keptZone;
    const LocalZone zone = currentLocalZone();
    if (!(zone == keptZone)) {
        for (KeptTimestamp& k : kept) k.used = false;
        keptZone = zone;
    }
    KeptTimestamp& k = kept[(unsigned(ts.timestamp_date) * 31u + unsigned(ts.timestamp_time) * 7u) % kept.size()];
    if (k.used && k.date == ts.timestamp_date && k.time == ts.timestamp_time) return k.value;
    k.value = convertTimestamp(ts);
    k.date = ts.timestamp_date;
    k.time = ts.timestamp_time;
    k.used = true;
    return k.value;
}

}  // namespace host::db::detail

namespace host::db {

QDateTime localDateTime(const QDate& date, const QTime& time) {
    // The engine's days run from year 1 to 9999; a time of day is kept to
    // the millisecond as the engine's tenths of it.
    if (!date.isValid() || !time.isValid() || date.year() < 1 || date.year() > 9999)
        return QDateTime(date, time);
    return detail::fromTimestamp({detail::toIscDate(date), detail::toIscTime(time)});
}

}  // namespace host::db

namespace host::db::detail {

ISC_TIMESTAMP toTimestamp(const QDateTime& dt) {
    return ISC_TIMESTAMP{toIscDate(dt.date()), toIscTime(dt.time())};
}

std::vector<MessageField> describeFields(IMessageMetadata* meta) {
    Status st;
    const unsigned n = meta->getCount(&st);
    std::vector<MessageField> fields(n);
    for (unsigned i = 0; i < n; ++i) {
        MessageField& f = fields[i];
        f.type = meta->getType(&st, i) & ~1u;
        f.subType = meta->getSubType(&st, i);
        f.length = meta->getLength(&st, i);
        f.scale = meta->getScale(&st, i);
        f.charset = meta->getCharSet(&st, i);
    }
    st.check();
    fillFromMeta(meta, fields);
    return fields;
}

ColumnType columnTypeOf(const MessageField& f) {
    switch (f.type) {
    case SQL_SHORT: return ColumnType::SmallInt;
    case SQL_LONG: return ColumnType::Integer;
    case SQL_INT64: return ColumnType::BigInt;
    case SQL_FLOAT: return ColumnType::Float;
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return ColumnType::Double;
    case SQL_TEXT: return ColumnType::Char;
    case SQL_VARYING: return ColumnType::VarChar;
    case SQL_TIMESTAMP: return ColumnType::Timestamp;
    case SQL_TYPE_DATE: return ColumnType::Date;
    case SQL_TYPE_TIME: return ColumnType::Time;
    case SQL_BLOB: return f.subType == 1 ? ColumnType::TextBlob : ColumnType::Blob;
    case SQL_BOOLEAN: return ColumnType::Boolean;
    case SQL_NULL: return ColumnType::Null;
    default: return ColumnType::Unknown;
    }
}

ColumnInfo columnInfo(IMessageMetadata* meta, unsigned index, const MessageField& f) {
    Status st;
    ColumnInfo c;
    c.name = QString::fromUtf8(meta->getField(&st, index));
    c.relation = QString::fromUtf8(meta->getRelation(&st, index));
    c.alias = QString::fromUtf8(meta->getAlias(&st, index));
    if (c.alias.isEmpty()) c.alias = c.name;
    c.nullable = meta->isNullable(&st, index);
    st.check();
    c.scale = f.scale;
    c.size = int(f.length);
    c.type = columnTypeOf(f);
    if (c.isText()) c.size = int(f.length) / bytesPerChar(f.charset);
    return c;
}

ColumnInfo paramInfo(const MessageField& f, unsigned declaredLength) {
    ColumnInfo c;
    c.type = columnTypeOf(f);
    c.scale = f.scale;
    c.size = int(declaredLength);
    if (c.isText()) c.size = int(declaredLength) / bytesPerChar(f.charset);
    return c;
}

IMessageMetadata* rebuildInput(IMessageMetadata* current, std::vector<MessageField>& fields) {
    Status st;
    IMetadataBuilder* builder = current->getBuilder(&st);
    st.check();
    for (unsigned i = 0; i < fields.size(); ++i) {
        if (fields[i].type != SQL_VARYING) continue;
        builder->setType(&st, i, SQL_VARYING);
        builder->setLength(&st, i, fields[i].length);
    }
    IMessageMetadata* meta = builder->getMetadata(&st);
    builder->release();
    st.check();
    fillFromMeta(meta, fields);
    return meta;
}

IMessageMetadata* coerceInput(IMessageMetadata* declared, std::vector<MessageField>& fields) {
    fields = describeFields(declared);
    for (MessageField& f : fields)
        if (f.type == SQL_TEXT) f.type = SQL_VARYING;
    return rebuildInput(declared, fields);
}

void writeText(const MessageField& f, unsigned char* buffer, const QByteArray& utf8) {
    *reinterpret_cast<short*>(buffer + f.nullOffset) = 0;
    unsigned char* at = buffer + f.offset;
    put(at, quint16(utf8.size()));
    std::memcpy(at + 2, utf8.constData(), size_t(utf8.size()));
}

qsizetype plainTextUnits(const QVariant& value) {
    if (const QString* text = heldIf<QString>(value)) return text->size();
    switch (value.userType()) {
    case QMetaType::QString: return value.isNull() ? -1 : held<QString>(value).size();
    case QMetaType::QChar: return value.isNull() ? -1 : 1;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return value.isNull() ? -1 : 20;   // the longest 64-bit integer
    default: return -1;
    }
}

namespace {

// A text's UTF-8 written at `out`, which holds three bytes for each of its
// units. Characters of the basic plane, nearly all that is written, are
// encoded here (making an encoder costs as much as a short text's copy),
// ASCII four units at a time; the encoder takes over at the first
// surrogate, where pairs and strays need its rules.
char* appendUtf8(char* out, QStringView text) {
    const char16_t* at = text.utf16();
    const char16_t* const end = at + text.size();
    while (at != end) {
        for (std::uint64_t units; end - at >= 4; at += 4, out += 4) {
            std::memcpy(&units, at, sizeof units);
            if (units & 0xFF80FF80FF80FF80u) break;
            out[0] = char(units);
            out[1] = char(units >> 16);
            out[2] = char(units >> 32);
            out[3] = char(units >> 48);
        }
        if (at == end) break;
        const unsigned c = *at++;
        if (c < 0x80) {
            *out++ = char(c);
        } else if (c < 0x800) {
            *out++ = char(0xC0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3F));
        } else if (c < 0xD800 || c > 0xDFFF) {
            *out++ = char(0xE0 | (c >> 12));
            *out++ = char(0x80 | ((c >> 6) & 0x3F));
            *out++ = char(0x80 | (c & 0x3F));
        } else {
            QStringEncoder utf8(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
            return utf8.appendToBuffer(out, QStringView(at - 1, end));
        }
    }
    return out;
}

}  // namespace

void encodeText(const MessageField& f, unsigned char* buffer, const QVariant& value) {
    *reinterpret_cast<short*>(buffer + f.nullOffset) = 0;
    char* text = reinterpret_cast<char*>(buffer + f.offset + 2);
    const QString* held = heldIf<QString>(value);
    const char* end = held ? appendUtf8(text, *held) : appendUtf8(text, value.toString());
    put(buffer + f.offset, quint16(end - text));
}

namespace {

// A day into a timestamp: its first moment, as the general conversion makes it.
Q_NEVER_INLINE bool writeDay(unsigned char* at, const QVariant& value) {
    const QDate* day = heldIf<QDate>(value);
    if (!day) return false;
    const QDateTime dt = localDateTime(*day);
    if (!dt.isValid()) return false;
    put(at, toTimestamp(dt));
    return true;
}

// A 64-bit integer (a generator's value) into an integer slot it fits.
Q_NEVER_INLINE bool writeLongLong(const MessageField& f, unsigned char* at, const QVariant& value) {
    const qlonglong* v = heldIf<qlonglong>(value);
    if (!v) return false;
    switch (f.type) {
    case SQL_INT64: put(at, qint64(*v)); return true;
    case SQL_LONG:
        if (*v < INT32_MIN || *v > INT32_MAX) return false;
        put(at, qint32(*v));
        return true;
    default:
        if (*v < -32768 || *v > 32767) return false;
        put(at, qint16(*v));
        return true;
    }
}

// A number into a scaled integer (NUMERIC kept as an integer), rounded as
// the general conversion rounds it: false when it is out of the slot's
// range (the general conversion refuses it) or of another type.
Q_NEVER_INLINE bool writeScaled(const MessageField& f, unsigned char* at, const QVariant& value) {
    double number;
    if (const double* d = heldIf<double>(value)) number = *d;
    else if (const int* i = heldIf<int>(value)) number = *i;
    else return false;
    const qint64 v = std::llround(number * powerOf10(-f.scale));
    switch (f.type) {
    case SQL_SHORT:
        if (v < -32768 || v > 32767) return false;
        put(at, qint16(v));
        return true;
    case SQL_LONG:
        if (v < INT32_MIN || v > INT32_MAX) return false;
        put(at, qint32(v));
        return true;
    case SQL_INT64: put(at, v); return true;
    default: return false;
    }
}

// The commonest pairs of value and parameter type, written as they are:
// false leaves the value, a null one too, to the general conversion.
bool writeExact(const MessageField& f, unsigned char* at, const QVariant& value) {
    if (f.scale != 0) return writeScaled(f, at, value);
    switch (f.type) {
    case SQL_LONG:
    case SQL_INT64:
    case SQL_SHORT: {
        const int* v = heldIf<int>(value);
        if (!v) return writeLongLong(f, at, value);
        if (f.type == SQL_LONG) put(at, qint32(*v));
        else if (f.type == SQL_INT64) put(at, qint64(*v));
        else if (*v >= -32768 && *v <= 32767) put(at, qint16(*v));
        else return false;   // out of a smallint's range: refused by the general conversion
        return true;
    }
    case SQL_DOUBLE: {
        if (const double* v = heldIf<double>(value)) put(at, *v);
        else if (const int* i = heldIf<int>(value)) put(at, double(*i));
        else return false;
        return true;
    }
    case SQL_TIMESTAMP: {
        const QDateTime* dt = heldIf<QDateTime>(value);
        if (!dt) return writeDay(at, value);
        if (!dt->isValid()) return false;
        put(at, toTimestamp(*dt));
        return true;
    }
    default: return false;
    }
}

}  // namespace

QuickWrite writeQuick(const MessageField& f, unsigned char* buffer, const QVariant& value) {
    // A null first, read from the variant itself: a wide row binds many, and
    // each would otherwise be tried as every kind of value before it.
    const QVariant::Private& p = value.data_ptr();
    if (p.is_null || !p.typeInterface()) {
        *reinterpret_cast<short*>(buffer + f.nullOffset) = -1;
        return QuickWrite::Written;
    }
    if (f.type == SQL_VARYING) {
        const QString* text = heldIf<QString>(value);
        if (text && text->size() * 3 <= qsizetype(f.length)) {
            *reinterpret_cast<short*>(buffer + f.nullOffset) = 0;
            char* at = reinterpret_cast<char*>(buffer + f.offset + 2);
            put(buffer + f.offset, quint16(appendUtf8(at, *text) - at));
            return QuickWrite::Written;
        }
        const qsizetype units = plainTextUnits(value);
        if (units >= 0) {
            if (units * 3 > qsizetype(f.length)) return QuickWrite::MightNotFit;
            encodeText(f, buffer, value);
            return QuickWrite::Written;
        }
    } else if (writeExact(f, buffer + f.offset, value)) {
        *reinterpret_cast<short*>(buffer + f.nullOffset) = 0;
        return QuickWrite::Written;
    }
    return QuickWrite::Other;
}

void writeValue(const MessageField& f, unsigned char* buffer, const QVariant& value, BlobWriter& blobs,
                const QString& name, const QString& sql) {
    short* nullFlag = reinterpret_cast<short*>(buffer + f.nullOffset);
    const QVariant::Private& p = value.data_ptr();
    if (p.is_null || !p.typeInterface()) {   // an invalid variant is null too
        *nullFlag = -1;
        return;
    }
    if (writeExact(f, buffer + f.offset, value)) {
        *nullFlag = 0;
        return;
    }
    writeConverted(f, buffer, value, blobs, name, sql);
}

void writeConverted(const MessageField& f, unsigned char* buffer, const QVariant& value, BlobWriter& blobs,
                    const QString& name, const QString& sql) {
    short* nullFlag = reinterpret_cast<short*>(buffer + f.nullOffset);
    unsigned char* at = buffer + f.offset;
    if (f.type == SQL_NULL || value.isNull()) {   // a null pointer held is null too
        *nullFlag = -1;
        return;
    }
    *nullFlag = 0;
    bool ok = true;
    switch (f.type) {
    case SQL_SHORT: {
        const qint64 v = toInteger(value, f.scale, ok);
        if (!ok || v < -32768 || v > 32767) badValue(name, value, sql);
        put(at, qint16(v));
        break;
    }
    case SQL_LONG: {
        const qint64 v = toInteger(value, f.scale, ok);
        if (!ok || v < INT32_MIN || v > INT32_MAX) badValue(name, value, sql);
        put(at, qint32(v));
        break;
    }
    case SQL_INT64: {
        const qint64 v = toInteger(value, f.scale, ok);
        if (!ok) badValue(name, value, sql);
        put(at, v);
        break;
    }
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: {
        const double d = value.userType() == QMetaType::Double    ? held<double>(value)
                         : value.userType() == QMetaType::QString ? value.toString().trimmed().toDouble(&ok)
                                                                  : value.toDouble(&ok);
        if (!ok) badValue(name, value, sql);
        if (f.type == SQL_FLOAT) put(at, float(d));
        else put(at, d);
        break;
    }
    case SQL_VARYING: {
        QByteArray bytes;
        if (value.userType() == QMetaType::QByteArray) bytes = value.toByteArray();
        else if (value.userType() == QMetaType::QDateTime)
            bytes = value.toDateTime().toString("yyyy-MM-dd HH:mm:ss").toUtf8();
        else if (value.userType() == QMetaType::Double)
            bytes = QByteArray::number(value.toDouble(), 'g', 17);
        else bytes = value.toString().toUtf8();
        if (unsigned(bytes.size()) > f.length) badValue(name, value, sql);
        put(at, quint16(bytes.size()));
        std::memcpy(at + 2, bytes.constData(), size_t(bytes.size()));
        break;
    }
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME: {
        const QDateTime dt = toDateTime(value);
        if (!dt.isValid()) badValue(name, value, sql);
        if (f.type == SQL_TIMESTAMP) put(at, toTimestamp(dt));
        else if (f.type == SQL_TYPE_DATE) put(at, toIscDate(dt.date()));
        else put(at, toIscTime(dt.time()));
        break;
    }
    case SQL_BLOB: writeBlob(at, value, blobs, sql); break;
    case SQL_BOOLEAN: put(at, static_cast<unsigned char>(value.toBool() ? 1 : 0)); break;
    default: raise(QString("Tipo de parâmetro não suportado (%1) em %2").arg(f.type).arg(name), sql);
    }
}

namespace {

// Whether the UTF-8 bytes read as exactly `text`: compared unit for unit
// while they are ASCII; any other byte answers no (converted, then).
bool sameAsciiText(const char* bytes, qsizetype n, const QString& text) {
    if (n == 0 || text.size() != n) return false;
    const QChar* units = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80 || units[i].unicode() != byte) return false;
    }
    return true;
}

// Where the variant keeps a T of its own (held in place, shared with no
// other variant): written there, no variant is made and dropped.
template <typename T>
bool putHeld(QVariant& target, T value) {
    const T* held = heldIf<T>(target);
    if (!held || target.data_ptr().is_shared) return false;
    *const_cast<T*>(held) = value;
    return true;
}

// A number written into a variant already holding one of its type.
bool readNumberInPlace(const MessageField& f, const unsigned char* at, QVariant& target) {
    const auto scaled = [&](qint64 v) { return double(v) / powerOf10(-f.scale); };
    switch (f.type) {
    case SQL_SHORT: return f.scale ? putHeld(target, scaled(get<qint16>(at))) : putHeld(target, int(get<qint16>(at)));
    case SQL_LONG: return f.scale ? putHeld(target, scaled(get<qint32>(at))) : putHeld(target, int(get<qint32>(at)));
    case SQL_INT64: return f.scale ? putHeld(target, scaled(get<qint64>(at))) : putHeld(target, get<qint64>(at));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return putHeld(target, get<double>(at));
    default: return false;
    }
}

}  // namespace

void readValueInto(const MessageField& f, const unsigned char* buffer, BlobWriter& blobs, QVariant& target) {
    if (get<short>(buffer + f.nullOffset) != 0) return dropHeld(target);
    readPresentInto(f, buffer, blobs, target);
}

namespace {

// The value made and swapped in: the old value goes with the made one's
// variant, no second variant is emptied and dropped. Apart from the
// checks before it, which then save and restore no more than they need.
Q_NEVER_INLINE void replaceWithRead(const MessageField& f, const unsigned char* buffer, BlobWriter& blobs,
                                    QVariant& target) {
    QVariant made = readValue(f, buffer, blobs);
    target.swap(made);
}

}  // namespace

void readPresentInto(const MessageField& f, const unsigned char* buffer, BlobWriter& blobs, QVariant& target) {
    if (readNumberInPlace(f, buffer + f.offset, target)) return;
    const QString* held = heldIf<QString>(target);
    if (held && f.charset != 1) {
        const unsigned char* at = buffer + f.offset;
        if (f.type == SQL_TEXT) {
            int n = int(f.length);
            const char* s = reinterpret_cast<const char*>(at);
            while (n > 0 && s[n - 1] == ' ') --n;
            if (sameAsciiText(s, n, *held)) return;
        } else if (f.type == SQL_VARYING) {
            if (sameAsciiText(reinterpret_cast<const char*>(at + 2), get<quint16>(at), *held)) return;
        }
    }
    replaceWithRead(f, buffer, blobs, target);
}

QVariant readValue(const MessageField& f, const unsigned char* buffer, BlobWriter& blobs) {
    if (get<short>(buffer + f.nullOffset) != 0) return QVariant();
    const unsigned char* at = buffer + f.offset;
    auto scaled = [&](qint64 v) -> QVariant {
        if (f.scale == 0) return v;
        return double(v) / powerOf10(-f.scale);
    };
    switch (f.type) {
    case SQL_SHORT: return f.scale ? scaled(get<qint16>(at)) : QVariant(int(get<qint16>(at)));
    case SQL_LONG: return f.scale ? scaled(get<qint32>(at)) : QVariant(int(get<qint32>(at)));
    case SQL_INT64: return scaled(get<qint64>(at));
    case SQL_FLOAT: return double(get<float>(at));
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return get<double>(at);
    case SQL_TEXT: {
        int n = int(f.length);
        const char* s = reinterpret_cast<const char*>(at);
        while (n > 0 && s[n - 1] == ' ') --n;
        if (f.charset == 1) return QByteArray(s, n);   // OCTETS
        return QString::fromUtf8(s, n);
    }
    case SQL_VARYING: {
        const quint16 n = get<quint16>(at);
        const char* s = reinterpret_cast<const char*>(at + 2);
        if (f.charset == 1) return QByteArray(s, n);
        return QString::fromUtf8(s, n);
    }
    case SQL_TIMESTAMP: return fromTimestamp(get<ISC_TIMESTAMP>(at));
    case SQL_TYPE_DATE: return fromIscDate(get<ISC_DATE>(at));
    case SQL_TYPE_TIME: return fromIscTime(get<ISC_TIME>(at));
    case SQL_BLOB: {
        const QByteArray bytes = readBlob(at, blobs);
        if (f.subType == 1) return QString::fromUtf8(bytes);
        return bytes;
    }
    case SQL_BOOLEAN: return bool(*at);
    default: return QVariant();
    }
}

}  // namespace host::db::detail
