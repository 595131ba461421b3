#pragma once
// Data-aware check box, radio group and combo box with a pick list, and the
// plain check-list box. Each reads and writes the field's text, so a field's
// get-text and set-text handlers map stored codes to what is shown.

#include "host/ui/DataControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QStringList>

#include <functional>

namespace host::ui {

// Checked while the field's text is one of the checked values ("S;s": the
// first is written). Defaults "True" and "False".
class DataCheckBox : public QCheckBox, public DataControl {
    Q_OBJECT
public:
    DataCheckBox(const QString& name, const QString& caption, QWidget* parent = nullptr);

    void setValueChecked(const QString& values);
    void setValueUnchecked(const QString& values);
    QString valueChecked() const { return checked_; }
    QString valueUnchecked() const { return unchecked_; }

    std::function<void()> onClick;

protected:
    void refresh() override;
    void writeField(host::data::Field& field) override;

private:
    static bool matches(const QString& values, const QString& text);
    void userToggled();

    QString checked_ = "True";
    QString unchecked_ = "False";
};

// One radio button per item; the field holds the value of the checked item
// (values[i], or the item's caption where no value is given). Values are the
// stored codes, read and written past the field's get/set-text handlers;
// captions without values go through them.
class DataRadioGroup : public QGroupBox, public DataControl {
    Q_OBJECT
public:
    DataRadioGroup(const QString& name, const QString& caption, QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const { return items_; }
    void setValues(const QStringList& values);
    QStringList values() const { return values_; }
    void setColumns(int columns);
    int itemIndex() const;
    // As a click on the item: writes its value and runs onChange.
    void setItemIndex(int index);
    QString value() const;
    QAbstractButton* button(int index) const;

    // The user (or setItemIndex) chose another item. Showing another row
    // does not run it: a row shown is no choice made.
    std::function<void()> onChange;

protected:
    void refresh() override;
    void writeField(host::data::Field& field) override;

private:
    QString valueOf(int index) const;
    void rebuild();
    void chosen();

    QStringList items_;
    QStringList values_;
    int columns_ = 1;
    QButtonGroup* group_;
};

// Combo with a pick list. DropDown lets the user type any text; DropDownList
// only picks.
class DataComboBox : public QComboBox, public DataControl {
    Q_OBJECT
public:
    enum class Style { DropDown, DropDownList };
    DataComboBox(const QString& name, Style style = Style::DropDown, QWidget* parent = nullptr);

    void setPickList(const QStringList& items);
    QStringList pickList() const;
    QString text() const { return currentText(); }

    std::function<void()> onChange;

protected:
    void refresh() override;
    void writeField(host::data::Field& field) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void userChanged();
};

// A pick list over a one-letter column: the field keeps the first letter of
// the word chosen (the field's text handler shows the word again).
class DataLetterComboBox : public DataComboBox {
    Q_OBJECT
public:
    DataLetterComboBox(const QString& name, const QStringList& items, QWidget* parent = nullptr);

protected:
    void writeField(host::data::Field& field) override;
};

// A list of captions each with a check mark (not bound to data).
class CheckListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CheckListBox(const QString& name, QWidget* parent = nullptr);

    void setItems(const QStringList& items);
    QStringList items() const;
    bool checked(int index) const;
    void setChecked(int index, bool checked);   // from code: onClickCheck does not run

    // The user ticked or unticked an item.
    std::function<void(int index)> onClickCheck;

private:
    bool settingFromCode_ = false;
};

} // namespace host::ui
