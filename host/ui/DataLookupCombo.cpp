#include "host/ui/DataLookupCombo.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/Errors.h"
#include "host/ui/LookupListModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPalette>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTableView>

namespace host::ui {

// Hears the list dataset: any change of its rows marks the list to be read again.
class DataLookupCombo::ListLink : public host::data::DataLink {
public:
    explicit ListLink(DataLookupCombo& combo) : combo_(combo) {}
    void activeChanged() override { changed(); }
    void dataChanged(host::data::Field* field) override { changed(); }

private:
    void changed()
    {
        combo_.listDirty_ = true;
        if (!combo_.rebuilding_)
            combo_.showField();
    }
    DataLookupCombo& combo_;
};

DataLookupCombo::DataLookupCombo(const QString& name, QWidget* parent)
    : QComboBox(parent), listLink_(std::make_unique<ListLink>(*this)), model_(new LookupListModel(this))
{
    setObjectName(name);
    setModel(model_);
    connect(this, &QComboBox::activated, this, [this](int row) { userChose(row); });
    refresh();
}

DataLookupCombo::~DataLookupCombo() { listLink_->setDataSource(nullptr); }

void DataLookupCombo::setListSource(host::data::DataSource* source)
{
    listLink_->setDataSource(source);
}

host::data::DataSource* DataLookupCombo::listSource() const { return listLink_->dataSource(); }

void DataLookupCombo::setKeyField(const QString& fieldName)
{
    keyField_ = fieldName;
    listDirty_ = true;
    showField();
}

void DataLookupCombo::setListField(const QString& fieldNames)
{
    listField_ = fieldNames;
    listDirty_ = true;
    showField();
}

void DataLookupCombo::setListFieldIndex(int index)
{
    listFieldIndex_ = std::max(0, index);
    listDirty_ = true;
    showField();
}

host::data::Dataset* DataLookupCombo::listDataset() const
{
    if (listLink_->dataSource())
        return listLink_->dataset();
    host::data::Field* f = field();
    return f && f->kind() == host::data::FieldKind::Lookup ? f->lookupDataset() : nullptr;
}

QString DataLookupCombo::effectiveKeyField() const
{
    host::data::Field* f = field();
    if (!listLink_->dataSource() && f && f->kind() == host::data::FieldKind::Lookup)
        return f->lookupKeyFields();
    return keyField_;
}

QStringList DataLookupCombo::effectiveListFields() const
{
    host::data::Field* f = field();
    QString names = listField_;
    if (names.isEmpty() && !listLink_->dataSource() && f && f->kind() == host::data::FieldKind::Lookup)
        names = f->lookupResultField();
    if (names.isEmpty())
        names = effectiveKeyField();
    QStringList result;
    for (const QString& n : names.split(';', Qt::SkipEmptyParts))
        result << n.trimmed();
    return result;
}

// The list is read as it is shown (LookupListModel): starting again over it
// reads its first page, so a long list changed under a combo nobody looks
// at costs no more than a short one.
void DataLookupCombo::ensureList() const
{
    if (!listDirty_)
        return;
    auto* self = const_cast<DataLookupCombo*>(this);
    self->rebuilding_ = true;
    listDirty_ = false;
    model_->reset(listDataset(), effectiveKeyField(), effectiveListFields());
    // Qt builds the drop-down list to set a column on it: only another column needs it.
    const int shownColumn = std::min(listFieldIndex_, std::max(0, model_->columnCount() - 1));
    if (shownColumn != modelColumn())
        self->setModelColumn(shownColumn);
    self->rebuilding_ = false;
}

void DataLookupCombo::refreshList()
{
    listDirty_ = true;
    showField();
}

int DataLookupCombo::rowOfKey(const QVariant& key) const
{
    ensureList();
    return model_->rowOfKey(key);
}

QVariant DataLookupCombo::boundKey() const
{
    host::data::Field* f = field();
    if (!f)
        return {};
    if (f->kind() == host::data::FieldKind::Lookup && !listLink_->dataSource()) {
        host::data::Field* key = dataset()->findField(f->keyFields().section(';', 0, 0).trimmed());
        return key ? key->value() : QVariant();
    }
    return f->value();
}

QVariant DataLookupCombo::keyValue() const
{
    if (!dataSource())
        return unboundKey_;
    return boundKey();
}

QVariant DataLookupCombo::shownKey() const { return dataSource() ? boundKey() : unboundKey_; }

void DataLookupCombo::refresh()
{
    // A look-up field's list dataset is not watched: read it again each time.
    if (!listLink_->dataSource())
        listDirty_ = true;
    ensureList();
    const QVariant key = shownKey();
    const int row = rowOfKey(key);
    rebuilding_ = true;
    setCurrentIndex(row);
    rebuilding_ = false;
    keepShownText(key, row);
}

// A list closed under the box (another window closes the shared look-ups it
// leaves) does not blank it: the same key keeps the text it had.
void DataLookupCombo::keepShownText(const QVariant& key, int row)
{
    const host::data::Dataset* list = listDataset();
    if (row >= 0) {
        keptKey_ = key;
        keptText_ = currentText();
    } else if ((list && list->active()) || key.isNull() || key != keptKey_) {
        keptKey_ = QVariant();
        keptText_.clear();
    }
}

void DataLookupCombo::writeField(host::data::Field& field)
{
    if (field.kind() == host::data::FieldKind::Lookup && !listLink_->dataSource()) {
        // The look-up field shows the list; its key field holds the choice.
        host::data::Field* key = dataset()->fieldByName(field.keyFields().section(';', 0, 0).trimmed());
        key->setValue(pendingKey_);
    } else {
        field.setValue(pendingKey_);
    }
}

void DataLookupCombo::setKeyValue(const QVariant& key)
{
    if (!dataSource()) {
        unboundKey_ = key;
        showField();
        return;
    }
    if (!beginChange())
        return;
    pendingKey_ = key;
    setFieldModified(true);
    commit();
}

void DataLookupCombo::userChose(int row)
{
    if (rebuilding_ || row < 0)
        return;
    const QVariant key = model_->keyAt(row);
    if (!dataSource()) {
        unboundKey_ = key;
    } else {
        pendingKey_ = key;
        if (!writeChoice())
            return;
    }
    if (onChange)
        runGuarded(onChange);
}

void DataLookupCombo::clearByUser()
{
    if (!dataSource()) {
        unboundKey_ = QVariant();
        showField();
    } else {
        pendingKey_ = QVariant();
        if (!writeChoice())
            return;
    }
    if (onChange)
        runGuarded(onChange);
}

void DataLookupCombo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Delete) {
        clearByUser();
        return;
    }
    QComboBox::keyPressEvent(event);
}

// The list drops down as a table of the list fields, built when it first
// drops: most combos of a window are never opened, and a popup list costs
// as much to build as the combo itself.
QTableView& DataLookupCombo::listTable()
{
    if (auto* table = qobject_cast<QTableView*>(view()))
        return *table;
    auto* table = new QTableView(this);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setShowGrid(false);
    setView(table);
    return *table;
}

void DataLookupCombo::setTextColor(const QColor& color)
{
    if (color == textColor_)
        return;
    textColor_ = color;
    update();
}

void DataLookupCombo::paintEvent(QPaintEvent* event)
{
    const bool guardado = currentIndex() < 0 && !keptText_.isEmpty();
    if (!textColor_.isValid() && !guardado) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    if (guardado)
        option.currentText = keptText_;
    const QColor cor = textColor_.isValid() ? textColor_ : palette().color(QPalette::ButtonText);
    painter.setPen(cor);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        option.palette.setColor(role, cor);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void DataLookupCombo::showPopup()
{
    if (onDropDown) {
        runGuarded(onDropDown);
        return;
    }
    // The rows as they are now (a look-up field's list is read again), the
    // field's row the current one.
    refresh();
    if (model_->canFetchMore({}))
        model_->fetchMore({});
    QTableView& table = listTable();
    table.resizeColumnsToContents();
    for (int c = 0; c < model_->columnCount(); ++c)
        table.setColumnHidden(c, false);
    QComboBox::showPopup();
}

} // namespace host::ui
