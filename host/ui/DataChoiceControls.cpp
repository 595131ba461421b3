#include "host/ui/DataChoiceControls.h"

#include "host/data/Field.h"
#include "host/ui/Errors.h"
#include "host/ui/RadioButton.h"

#include <QGridLayout>
#include <QLineEdit>

namespace host::ui {

// ---- check box --------------------------------------------------------------

DataCheckBox::DataCheckBox(const QString& name, const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    setObjectName(name);
    connect(this, &QCheckBox::clicked, this, [this] { userToggled(); });
    refresh();
}

void DataCheckBox::setValueChecked(const QString& values)
{
    checked_ = values;
    showField();
}

void DataCheckBox::setValueUnchecked(const QString& values)
{
    unchecked_ = values;
    showField();
}

bool DataCheckBox::matches(const QString& values, const QString& text)
{
    for (const QString& value : values.split(';'))
        if (value.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void DataCheckBox::refresh()
{
    host::data::Field* f = field();
    setChecked(f && matches(checked_, f->text()));
}

void DataCheckBox::writeField(host::data::Field& field)
{
    field.setText((isChecked() ? checked_ : unchecked_).section(';', 0, 0));
}

void DataCheckBox::userToggled()
{
    if (writeChoice() && onClick)
        runGuarded(onClick);
}

// ---- radio group ------------------------------------------------------------

DataRadioGroup::DataRadioGroup(const QString& name, const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this))
{
    setObjectName(name);
    new QGridLayout(this);
    connect(group_, &QButtonGroup::idClicked, this, [this] { chosen(); });
}

void DataRadioGroup::setItems(const QStringList& items)
{
    items_ = items;
    rebuild();
}

void DataRadioGroup::setValues(const QStringList& values)
{
    values_ = values;
    showField();
}

void DataRadioGroup::setColumns(int columns)
{
    columns_ = std::max(1, columns);
    rebuild();
}

void DataRadioGroup::rebuild()
{
    for (QAbstractButton* old : group_->buttons()) {
        group_->removeButton(old);
        delete old;
    }
    auto* grid = static_cast<QGridLayout*>(layout());
    const int rows = int((items_.size() + columns_ - 1) / columns_);
    for (int i = 0; i < items_.size(); ++i) {
        auto* radio = new RadioButton(items_.at(i), this);
        radio->setObjectName(objectName() + "_" + QString::number(i));
        group_->addButton(radio, i);
        grid->addWidget(radio, rows ? i % rows : 0, rows ? i / rows : 0);
    }
    showField();
}

QAbstractButton* DataRadioGroup::button(int index) const { return group_->button(index); }

QString DataRadioGroup::valueOf(int index) const
{
    if (index < 0 || index >= items_.size())
        return {};
    return index < values_.size() ? values_.at(index) : items_.at(index);
}

int DataRadioGroup::itemIndex() const { return group_->checkedId(); }

QString DataRadioGroup::value() const { return valueOf(itemIndex()); }

void DataRadioGroup::refresh()
{
    host::data::Field* f = field();
    // Values are the stored codes: compared with the stored value, not with
    // the caption a get-text handler shows for it.
    const QString text = !f ? QString() : values_.isEmpty() ? f->text() : f->asString().trimmed();
    int index = -1;
    for (int i = 0; i < items_.size() && f; ++i)
        if (valueOf(i) == text)
            index = i;
    group_->setExclusive(false);
    for (QAbstractButton* b : group_->buttons())
        b->setChecked(group_->id(b) == index);
    group_->setExclusive(true);
}

void DataRadioGroup::writeField(host::data::Field& field)
{
    if (values_.isEmpty())
        field.setText(value());
    else
        field.setAsString(value());
}

void DataRadioGroup::chosen()
{
    if (dataSource() && !writeChoice())
        return;
    if (onChange)
        runGuarded(onChange);
}

void DataRadioGroup::setItemIndex(int index)
{
    if (index < 0 || index >= items_.size() || index == itemIndex())
        return;
    group_->button(index)->setChecked(true);
    chosen();
}

// ---- combo box --------------------------------------------------------------

DataComboBox::DataComboBox(const QString& name, Style style, QWidget* parent) : QComboBox(parent)
{
    setObjectName(name);
    setEditable(style == Style::DropDown);
    // Typed text is the field's value, never a new item of the pick list.
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this] { userChanged(); });
    if (lineEdit()) {
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
            if (!refreshing() && !fieldModified() && beginChange())
                setFieldModified(true);
        });
        connect(lineEdit(), &QLineEdit::returnPressed, this, [this] {
            if (fieldModified())
                runGuarded([this] { commit(); });
        });
    }
    refresh();
}

void DataComboBox::setPickList(const QStringList& items)
{
    clear();
    addItems(items);
    showField();
}

QStringList DataComboBox::pickList() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    return items;
}

void DataComboBox::refresh()
{
    host::data::Field* f = field();
    const QString text = f ? f->text() : QString();
    setCurrentIndex(findText(text));
    if (isEditable())
        setEditText(text);
}

void DataComboBox::writeField(host::data::Field& field) { field.setText(currentText()); }

DataLetterComboBox::DataLetterComboBox(const QString& name, const QStringList& items, QWidget* parent)
    : DataComboBox(name, Style::DropDownList, parent)
{
    setPickList(items);
}

void DataLetterComboBox::writeField(host::data::Field& field)
{
    if (currentIndex() < 0)
        field.clear();
    else
        field.setAsString(currentText().left(1));
}

void DataComboBox::userChanged()
{
    if (refreshing())
        return;
    if (dataSource() && !writeChoice())
        return;
    if (onChange)
        runGuarded(onChange);
}

void DataComboBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (fieldModified())
        runGuarded([this] { commit(); });
}

// ---- check-list box ---------------------------------------------------------

CheckListBox::CheckListBox(const QString& name, QWidget* parent) : QListWidget(parent)
{
    setObjectName(name);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!settingFromCode_ && onClickCheck)
            runGuarded([&] { onClickCheck(row(item)); });
    });
}

void CheckListBox::setItems(const QStringList& items)
{
    settingFromCode_ = true;
    clear();
    for (const QString& caption : items) {
        auto* item = new QListWidgetItem(caption, this);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    settingFromCode_ = false;
}

QStringList CheckListBox::items() const
{
    QStringList result;
    for (int i = 0; i < count(); ++i)
        result << item(i)->text();
    return result;
}

bool CheckListBox::checked(int index) const
{
    return index >= 0 && index < count() && item(index)->checkState() == Qt::Checked;
}

void CheckListBox::setChecked(int index, bool on)
{
    if (index < 0 || index >= count())
        return;
    settingFromCode_ = true;
    item(index)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    settingFromCode_ = false;
}

} // namespace host::ui
