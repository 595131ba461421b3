// Dataset fields: definition, binding to columns at open, value slots, field
// writes with their events, calculated and look-up fields.
#include "host/data/Dataset.h"

#include "host/data/Abort.h"
#include "host/data/DataSource.h"

#include <utility>

namespace host::data {

namespace {

const QVariant kNull;

struct Flag {
    bool& flag;
    bool saved;
    explicit Flag(bool& f) : flag(f), saved(f) { flag = true; }
    ~Flag() { flag = saved; }
};

}  // namespace

Field* Dataset::createField(const QString& fieldName, FieldType type, int size, FieldKind kind)
{
    if (findField(fieldName))
        throw DatasetError(QString("%1: campo '%2' duplicado.").arg(name(), fieldName));
    ++fieldDefinitions_;
    auto field = std::make_unique<Field>(*this, fieldName, type, size, kind);
    Field* raw = field.get();
    raw->index_ = int(fieldList_.size());
    fieldList_.push_back(raw);
    fieldIndex_.insert(raw->upperName_, raw);
    ownedFields_.push_back(std::move(field));
    return raw;
}

Field* Dataset::addField(const QString& fieldName, FieldType type, int size)
{
    if (active())
        throw DatasetError(QString("%1: campos são definidos com a tabela fechada.").arg(name()));
    persistent_ = true;
    return createField(fieldName, type, size, FieldKind::Data);
}

Field* Dataset::addCalculatedField(const QString& fieldName, FieldType type, int size)
{
    if (active())
        throw DatasetError(QString("%1: campos são definidos com a tabela fechada.").arg(name()));
    persistent_ = true;
    return createField(fieldName, type, size, FieldKind::Calculated);
}

Field* Dataset::addLookupField(const QString& fieldName, FieldType type, int size, const QString& keyFields,
                               Dataset* lookupDataset, const QString& lookupKeyFields, const QString& resultField)
{
    if (active())
        throw DatasetError(QString("%1: campos são definidos com a tabela fechada.").arg(name()));
    persistent_ = true;
    Field* field = createField(fieldName, type, size, FieldKind::Lookup);
    field->setLookup(keyFields, lookupDataset, lookupKeyFields, resultField);
    return field;
}

Field* Dataset::findField(const QString& fieldName) const
{
    // Callers mostly write names in upper case, as they are kept.
    const auto exact = fieldIndex_.constFind(fieldName);
    if (exact != fieldIndex_.constEnd())
        return *exact;
    return fieldIndex_.value(fieldName.toUpper(), nullptr);
}

QString fieldText(const Dataset& dataset, const char* fieldName)
{
    return dataset.fieldByName(QString::fromLatin1(fieldName))->asString();
}

Field* Dataset::fieldByName(const QString& fieldName) const
{
    Field* field = findField(fieldName);
    if (!field)
        throw DatasetError(QString("%1: campo '%2' não encontrado.").arg(name(), fieldName));
    return field;
}

void Dataset::defineColumn(const QString& name, FieldType type, int size)
{
    // A name the result already has ("a.*, b.*" sharing a key column) gets a
    // suffix, as the classic field definitions do: AECODIGO, AECODIGO_1...
    // Names are looked up by their upper case: a joined select has a hundred
    // columns, and it is opened for every document.
    QString unique = name;
    QString key = unique.toUpper();
    for (int n = 1; columnIndex_.contains(key); ++n) {
        unique = name + "_" + QString::number(n);
        key = unique.toUpper();
    }
    columnIndex_.insert(key, int(columns_.size()));
    columns_.push_back(Column{unique, type, size});
}

bool Dataset::reuseColumns()
{
    if (!spare_ || spare_->columns.empty() || !columns_.empty())
        return false;
    columns_.swap(spare_->columns);
    columnIndex_.swap(spare_->columnIndex);
    columnsReused_ = true;
    return true;
}

void Dataset::dropSpare()
{
    spare_.reset();
}

// The fields a close kept, made from these same columns: back in place, as
// the loop below would bind new ones (slot i is column i).
void Dataset::rebindSpareFields()
{
    ownedFields_.swap(spare_->owned);
    fieldList_.swap(spare_->list);
    fieldIndex_.swap(spare_->index);
    spare_->owned.clear();
    dataCount_ = int(fieldList_.size());
    calcCount_ = 0;
    slotColumns_.resize(fieldList_.size());
    // The dataset's name read once: renamed since the fields were named, each follows it.
    const QString datasetName = name();
    const bool renamed = datasetName != fieldsNamedFor_;
    fieldsNamedFor_ = datasetName;
    for (int i = 0; i < dataCount_; ++i) {
        if (renamed)
            fieldList_[size_t(i)]->followDatasetName(datasetName);
        fieldList_[size_t(i)]->column_ = i;
        fieldList_[size_t(i)]->slot_ = i;
        slotColumns_[size_t(i)] = i;
    }
    calcBuf_.clear();
    identitySlots_ = true;
}

// Persistent fields defined as when they were last bound, on the columns
// of that open: their slots stand (a close leaves them), and so does the
// column of each slot, which the close kept (no field of a wide header read
// again at every reopen).
void Dataset::rebindPersistentFields()
{
    calcBuf_.assign(size_t(calcCount_), QVariant());
    if (spare_ && spare_->slotColumns.size() == size_t(dataCount_)) {
        slotColumns_.swap(spare_->slotColumns);
        identitySlots_ = spare_->identitySlots;
        return;
    }
    slotColumns_.clear();
    for (const Field* field : fieldList_)
        if (field->kind_ == FieldKind::Data)
            slotColumns_.push_back(field->column_);
    identitySlots_ = slotColumns_.size() == columns_.size();
    for (size_t slot = 0; identitySlots_ && slot < slotColumns_.size(); ++slot)
        identitySlots_ = slotColumns_[slot] == int(slot);
}

void Dataset::bindFields()
{
    if (persistent_) {
        if (spare_)
            spare_->owned.clear();   // fields added since the close: the kept ones are no longer wanted
        if (columnsReused_ && boundDefinitions_ == fieldDefinitions_) {
            rebindPersistentFields();
            return;
        }
    } else if (columnsReused_ && spare_ && !spare_->owned.empty()) {
        rebindSpareFields();
        if (onFieldsCreated) {
            const Event handler = onFieldsCreated;
            handler(*this);
        }
        return;
    }
    boundDefinitions_ = ~0u;
    if (!persistent_) {
        for (const Column& column : columns_)
            createField(column.name, column.type, column.size, FieldKind::Data);
        fieldsNamedFor_ = name();
    }
    dataCount_ = 0;
    calcCount_ = 0;
    slotColumns_.clear();
    for (Field* field : fieldList_) {
        if (field->kind_ != FieldKind::Data) {
            field->slot_ = calcCount_++;
            continue;
        }
        const int column = columnIndex_.value(field->upperName_, -1);
        if (column < 0)
            throw DatasetError(QString("%1: campo '%2' não encontrado.").arg(name(), field->fieldName_));
        field->column_ = column;
        field->slot_ = dataCount_++;
        slotColumns_.push_back(column);
    }
    calcBuf_.assign(size_t(calcCount_), QVariant());
    std::vector<Binding> ligacoes;
    ligacoes.reserve(fieldList_.size());
    for (const Field* field : fieldList_)
        ligacoes.push_back({field->upperName_, field->kind_, field->dataType(), field->slot_});
    if (ligacoes != bound_) {
        bound_ = std::move(ligacoes);
        ++fieldBindings_;
    }
    identitySlots_ = slotColumns_.size() == columns_.size();
    for (size_t slot = 0; identitySlots_ && slot < slotColumns_.size(); ++slot)
        identitySlots_ = slotColumns_[slot] == int(slot);
    boundDefinitions_ = fieldDefinitions_;
    if (!persistent_ && onFieldsCreated) {
        const Event handler = onFieldsCreated;
        handler(*this);
    }
}

void Dataset::unbindFields(bool keep)
{
    // The bindings are counted again when the fields are bound: the same
    // fields on the same slots leave the count as it is.
    if (keep && !columns_.empty()) {
        if (!spare_)
            spare_ = std::make_unique<Spare>();
        spare_->owned.clear();
        spare_->columns.swap(columns_);
        spare_->columnIndex.swap(columnIndex_);
        spare_->slotColumns.clear();
        if (persistent_) {
            spare_->slotColumns.swap(slotColumns_);
            spare_->identitySlots = identitySlots_;
        }
        if (!persistent_ && fieldList_.size() == spare_->columns.size()) {
            // As new ones: what rules set on them while open does not outlive the close.
            for (size_t i = 0; i < fieldList_.size(); ++i)
                fieldList_[i]->resetAsNew(spare_->columns[i].size);
            spare_->owned.swap(ownedFields_);
            spare_->list.swap(fieldList_);
            spare_->index.swap(fieldIndex_);
        }
    }
    columns_.clear();
    columnIndex_.clear();
    slotColumns_.clear();
    identitySlots_ = false;
    calcBuf_.clear();
    calcStale_ = false;
    if (persistent_)
        return;
    fieldList_.clear();
    fieldIndex_.clear();
    ownedFields_.clear();
    dataCount_ = 0;
    calcCount_ = 0;
}

int Dataset::slotOf(const QString& fieldName) const
{
    const Field* field = findField(fieldName);
    return field && field->kind_ == FieldKind::Data ? field->slot_ : -1;
}

// The values the fields read: a row a grid peeks at, the edit buffer, or the
// cursor's row; dataCount_ of them.
const QVariant* Dataset::activeRow() const
{
    if (peekRow_ >= 0)
        return rows_[size_t(peekRow_)].values;
    if (editing())
        return editBuf_.size() == size_t(dataCount_) ? editBuf_.data() : nullptr;
    if (cur_ >= 0 && size_t(cur_) < rows_.size())
        return rows_[size_t(cur_)].values;
    return nullptr;
}

const QVariant& Dataset::slotValue(const Field& field) const
{
    if (field.kind_ != FieldKind::Data) {
        if (calcStale_ && !peekCalc_)
            computeStaleCalculated();
        const Values& calc = peekCalc_ ? *peekCalc_ : calcBuf_;
        return field.slot_ >= 0 && size_t(field.slot_) < calc.size() ? calc[size_t(field.slot_)] : kNull;
    }
    const QVariant* row = activeRow();
    return row && field.slot_ >= 0 && field.slot_ < dataCount_ ? row[field.slot_] : kNull;
}

const QVariant* Dataset::oldSlotValue(const Field& field) const
{
    if (field.kind_ != FieldKind::Data || state_ == DatasetState::Insert || cur_ < 0 ||
        size_t(cur_) >= rows_.size())
        return nullptr;
    return field.slot_ >= 0 && field.slot_ < dataCount_ ? &rows_[size_t(cur_)].values[field.slot_] : nullptr;
}

void Dataset::prepareWrite()
{
    checkActive();
    if (calculating_)
        throw DatasetError(QString("%1: só campos calculados mudam durante o cálculo.").arg(name()));
    if (editing())
        return;
    if (!autoEdit_)
        throw DatasetError(QString("%1: a tabela não está em edição.").arg(name()));
    edit();
    if (!editing())
        throw DatasetError(QString("%1: a tabela não está em edição.").arg(name()));
}

void Dataset::writeField(Field& field, QVariant value)
{
    // A row being edited (the usual case, field after field) needs none of
    // prepareWrite's checks: editing means open.
    if (!editing() || calculating_)
        prepareWrite();
    const size_t slot = size_t(field.slot_);
    editBufClean_ = false;
    if (!field.onValidate) {
        editBuf_[slot].swap(value);   // the old value goes with `value`
    } else {
        QVariant old = std::exchange(editBuf_[slot], std::move(value));   // what a failed validation puts back
        const bool wasStale = calcStale_;
        try {
            field.onValidate(field);
        } catch (...) {
            if (editing() && slot < editBuf_.size())
                editBuf_[slot] = std::move(old);
            // A rule that read a calculated field worked it out from the
            // refused value: it is worked out again from the one put back.
            if (wasStale)
                calculateFields();
            throw;
        }
    }
    modified_ = true;
    calculateFields();
    notifyDataChanged(&field);
    if (field.onChange) {
        field.onChange(field);
    }
}

void Dataset::writeCalculated(Field& field, const QVariant& value)
{
    checkActive();
    if (field.kind_ == FieldKind::Lookup && !calculating_) {
        // Choosing a look-up value assigns the key fields that lead to it.
        const QStringList keys = field.keyFields_.split(';', Qt::SkipEmptyParts);
        QVariant found;
        if (field.lookupDataset_ && field.lookupDataset_->active() && !value.isNull())
            found = field.lookupDataset_->lookup(field.lookupResultField_, value, field.lookupKeyFields_);
        for (int i = 0; i < keys.size(); ++i) {
            const QVariant key = keys.size() == 1 ? found : found.toList().value(i);
            fieldByName(keys[i].trimmed())->setValue(key);
        }
        return;
    }
    // A value set by a rule stays until the row changes: the stale ones are
    // worked out first, so that they do not overwrite it.
    if (calcStale_ && !peekCalc_)
        computeStaleCalculated();
    Values& calc = calcTarget();
    if (field.slot_ >= 0 && size_t(field.slot_) < calc.size())
        calc[size_t(field.slot_)] = value;
    if (!calculating_)
        notifyDataChanged(&field);
}

void Dataset::computeStaleCalculated() const
{
    auto& self = const_cast<Dataset&>(*this);
    calcStale_ = false;
    try {
        self.calculateInto(self.calcBuf_);
    } catch (...) {
        calcStale_ = true;   // tried again at the next read
        throw;
    }
}

void Dataset::calculateInto(Values& calc)
{
    calc.assign(size_t(calcCount_), QVariant());
    if (!activeRow())
        return;
    Values* savedTarget = peekCalc_;
    peekCalc_ = &calc;
    struct Restore {
        Values*& target;
        Values* saved;
        ~Restore() { target = saved; }
    } restore{peekCalc_, savedTarget};
    Flag calculating(calculating_);
    for (Field* field : fieldList_) {
        if (field->kind_ != FieldKind::Lookup || !field->lookupDataset_ || !field->lookupDataset_->active())
            continue;
        const QStringList keys = field->keyFields_.split(';', Qt::SkipEmptyParts);
        QVariantList values;
        for (const QString& key : keys)
            values << fieldByName(key.trimmed())->value();
        if (keys.isEmpty() || values.first().isNull())
            continue;
        const QVariant keyValues = keys.size() == 1 ? values.first() : QVariant(values);
        calc[size_t(field->slot_)] =
            field->lookupDataset_->lookup(field->lookupKeyFields_, keyValues, field->lookupResultField_);
    }
    fire(onCalcFields);
}

// Named as the user knows it; a field shown nowhere is not named by its column.
QString Dataset::requiredMessage(const Field& field)
{
    const QString label = userLabel(field);
    return label.isEmpty() ? QString("Há um campo obrigatório não preenchido.")
                           : QString("O campo '%1' deve ser preenchido.").arg(label);
}

void Dataset::checkRequired() const
{
    if (requiredFields_ == 0)
        return;   // most datasets mark none: their fields are not read for every post
    if (requiredListStale_) {
        requiredList_.clear();
        for (const Field* field : fieldList_)
            if (field->required_ && field->kind_ == FieldKind::Data)
                requiredList_.push_back(field);
        requiredListStale_ = false;
    }
    for (const Field* field : requiredList_)
        if (field->isNull())
            throw DatasetError(requiredMessage(*field));
}

void Dataset::zeroFloatFields()
{
    checkActive();
    for (Field* field : fieldList_)
        if (field->kind_ == FieldKind::Data && field->type_ == FieldType::Float)
            field->setAsFloat(0.0);
}

}  // namespace host::data
