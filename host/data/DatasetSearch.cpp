// Dataset search: locate, look-up, bookmarks, and reading another row for display.
#include "host/data/Dataset.h"

namespace host::data {

namespace {

bool blank(const QVariant& v)
{
    return !v.isValid() || v.isNull();
}

bool matches(const Field& field, const QVariant& stored, const QVariant& wanted, LocateOptions options)
{
    if (blank(wanted))
        return blank(stored);
    if (blank(stored))
        return false;
    const FieldType type = field.dataType();
    if (type == FieldType::String || type == FieldType::Memo) {
        const Qt::CaseSensitivity cs = (options & LocateCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const QString have = stored.toString();
        const QString want = wanted.toString();
        return (options & LocatePartialKey) ? have.startsWith(want, cs) : have.compare(want, cs) == 0;
    }
    if (field.isNumeric())
        return stored.toDouble() == wanted.toDouble();
    if (type == FieldType::DateTime || type == FieldType::Date || type == FieldType::Time)
        return stored.toDateTime() == wanted.toDateTime();
    return stored == wanted;
}

}  // namespace

int Dataset::findRow(const QString& keyFields, const QVariant& keyValues, LocateOptions options, bool readMore)
{
    const QStringList names = keyFields.split(';', Qt::SkipEmptyParts);
    std::vector<Field*> keys;
    for (const QString& key : names) {
        Field* field = fieldByName(key.trimmed());
        if (field->kind() != FieldKind::Data)
            throw DatasetError(QString("%1: '%2' não serve de chave de busca.").arg(name(), key));
        keys.push_back(field);
    }
    if (keys.empty())
        return -1;
    const QVariantList given = keys.size() == 1 ? QVariantList{keyValues} : keyValues.toList();
    if (given.size() != int(keys.size()))
        throw DatasetError(QString("%1: número de valores de busca diferente do de campos.").arg(name()));
    QVariantList wanted;
    try {
        for (size_t k = 0; k < keys.size(); ++k) {
            const bool text = keys[k]->dataType() == FieldType::String || keys[k]->dataType() == FieldType::Memo;
            wanted << (text ? given[int(k)] : keys[k]->normalized(given[int(k)]));
        }
    } catch (const DatasetError&) {
        return -1;   // a value of the wrong kind matches no row
    }
    for (int row = 0; size_t(row) < rows_.size() || (readMore && ensureRow(row)); ++row) {
        const QVariant* values = rows_[size_t(row)].values;
        bool all = true;
        for (size_t k = 0; k < keys.size() && all; ++k)
            all = matches(*keys[k], values[size_t(keys[k]->slot_)], wanted[int(k)], options);
        if (all)
            return row;
    }
    return -1;
}

bool Dataset::locate(const QString& keyFields, const QVariant& keyValues, LocateOptions options)
{
    checkActive();
    // Taken before the post below: the value may be a field's own, a cell of
    // the edit buffer that the post empties.
    const QVariant wanted = keyValues;
    checkBrowseMode();
    const int row = findRow(keyFields, wanted, options);
    if (row < 0)
        return false;
    fire(beforeScroll);
    moveTo(row);
    fire(afterScroll);
    return true;
}

QVariant Dataset::rowValue(int row, Field* field)
{
    if (field->kind() == FieldKind::Data)
        return rows_[size_t(row)].values[size_t(field->slot_)];
    RowScope scope(*this, row + 1);
    return field->value();
}

QVariant Dataset::lookup(const QString& keyFields, const QVariant& keyValues, const QString& resultFields)
{
    if (!active())
        return QVariant();
    const QStringList names = resultFields.split(';', Qt::SkipEmptyParts);
    const bool porChave = !allFetched_ && readsByKey(keyFields.trimmed());
    const int row = findRow(keyFields, keyValues, 0, !porChave);
    if (row < 0 && porChave) {
        QStringList trimmed;
        for (const QString& result : names)
            trimmed << result.trimmed();
        const QVariantList values = readByKey(keyValues, trimmed);
        if (values.isEmpty())
            return QVariant();
        return names.size() == 1 ? values.first() : QVariant(values);
    }
    if (row < 0)
        return QVariant();
    if (names.size() == 1)
        return rowValue(row, fieldByName(names.first().trimmed()));
    QVariantList values;
    for (const QString& result : names)
        values << rowValue(row, fieldByName(result.trimmed()));
    return values;
}

Bookmark Dataset::bookmark() const
{
    return cur_ >= 0 && size_t(cur_) < rows_.size() ? rows_[size_t(cur_)].id : 0;
}

bool Dataset::bookmarkValid(Bookmark bookmark) const
{
    for (const Row& row : rows_)
        if (row.id == bookmark)
            return bookmark != 0;
    return false;
}

void Dataset::gotoBookmark(Bookmark bookmark)
{
    checkActive();
    checkBrowseMode();
    for (size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].id == bookmark && bookmark != 0) {
            fire(beforeScroll);
            moveTo(int(row));
            fire(afterScroll);
            return;
        }
    }
    throw DatasetError(QString("%1: registro não encontrado.").arg(name()));
}

Dataset::RowScope::RowScope(Dataset& dataset, int recNo, bool stored)
    : dataset_(dataset), savedRow_(dataset.peekRow_), savedCalc_(dataset.peekCalc_)
{
    const int row = recNo - 1;
    if (row == dataset.cur_ && savedRow_ < 0 && !stored)
        return;   // the current row answers as it is, edits included
    if (!dataset.ensureRow(row))
        throw DatasetError(QString("%1: registro %2 não existe.").arg(dataset.name()).arg(recNo));
    dataset.peekRow_ = row;
    if (dataset.calcCount_ > 0) {
        dataset.peekCalc_ = &calc_;
        try {
            dataset.calculateInto(calc_);
        } catch (...) {
            // No destructor runs for a scope that failed to start: put the
            // cursor's row back here.
            dataset.peekRow_ = savedRow_;
            dataset.peekCalc_ = savedCalc_;
            throw;
        }
    }
}

Dataset::RowScope::~RowScope()
{
    dataset_.peekRow_ = savedRow_;
    dataset_.peekCalc_ = savedCalc_;
}

}  // namespace host::data
