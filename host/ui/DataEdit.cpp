#include "host/ui/DataEdit.h"

#include "host/data/Field.h"
#include "host/ui/Errors.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

namespace host::ui {
namespace {

bool isDateOrTime(host::data::FieldType type)
{
    using host::data::FieldType;
    return type == FieldType::Date || type == FieldType::DateTime || type == FieldType::Time;
}

// The date or time format whose text fills the mask ("  /  /  " -> dd/mm/yy).
QString formatForMask(const host::data::EditMask& mask)
{
    const QString empty = mask.emptyText();
    if (empty.contains(':') && !empty.contains('/'))
        return empty.count(':') >= 2 ? "hh:nn:ss" : "hh:nn";
    const QStringList groups = empty.split('/');
    if (groups.size() == 3)
        return groups[2].size() >= 4 ? "dd/mm/yyyy" : "dd/mm/yy";
    return "dd/mm/yyyy";
}

} // namespace

void typeFromFirstPositionWhenBlank(QLineEdit& edit)
{
    if (edit.inputMask().isEmpty() || edit.hasSelectedText())
        return;
    const QString typed = edit.text();
    if (std::none_of(typed.begin(), typed.end(), [](QChar c) { return c.isLetterOrNumber(); }))
        edit.setCursorPosition(0);
}

DataEdit::DataEdit(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    connect(this, &QLineEdit::textEdited, this, [this] { userEdited(); });
    refresh();
}

host::data::EditMask DataEdit::activeMask() const
{
    host::data::Field* f = field();
    if (ownMask_.isEmpty())
        return host::data::EditMask(f ? f->editMask() : QString());
    // A date is typed with its whole year, in a filter box as over a date
    // field; a text field keeps the mask it has.
    const bool text = f && f->dataType() != host::data::FieldType::Date
        && f->dataType() != host::data::FieldType::DateTime;
    return host::data::EditMask(text ? ownMask_ : host::data::EditMask::withFourDigitYear(ownMask_));
}

void DataEdit::setEditMask(const QString& mask)
{
    ownMask_ = mask;
    showField();
}

void DataEdit::applyMask()
{
    const host::data::EditMask mask = activeMask();
    const QString qtMask = mask.qtInputMask();
    if (qtMask != appliedMask_) {
        setInputMask(qtMask);
        appliedMask_ = qtMask;
    }
}

void DataEdit::setReadOnlyControl(bool readOnly)
{
    readOnly_ = readOnly;
    showField();
}

QString DataEdit::valueText() const
{
    const host::data::EditMask mask = activeMask();
    if (mask.isNull())
        return text();
    const QString shown = displayText();
    return mask.isBlank(shown) ? QString() : mask.valueText(shown);
}

bool DataEdit::bound() const { return dataSource() || !dataField().isEmpty(); }

void DataEdit::refresh()
{
    applyMask();
    if (!bound()) {
        setReadOnly(readOnly_);   // an edit with no field behind it holds what the user types
        return;
    }
    host::data::Field* f = field();
    setReadOnly(readOnly_ || !canModify());
    if (!f) {
        setText(QString());
        return;
    }
    // The field's size bounds typing; captions from a get-text handler may be longer.
    const bool mapped = f->onGetText || f->onSetText;
    setMaxLength(f->dataType() == host::data::FieldType::String && f->size() > 0 && !mapped ? f->size() : 32767);
    const host::data::EditMask mask = activeMask();
    if (!mask.isNull()) {
        // Field texts carry the mask's literals; the input mask is filled
        // position by position from the edit text.
        QString value = f->text();
        // A date shows in the mask's own form, whatever form its field's
        // text has; a date the field's text hides stays hidden.
        const bool ownDateForm = !ownMask_.isEmpty() && f->editMask().isEmpty() && !f->onGetText;
        if (isDateOrTime(f->dataType()) && (ownDateForm || (mask.isDateMask() && !mask.isBlank(value))))
            value = f->isNull() ? QString() : host::data::formatDateTime(formatForMask(mask), f->asDateTime());
        setText(mask.isBlank(value) ? QString() : mask.editText(value));
    } else {
        setText(hasFocus() ? f->text() : f->displayText());
    }
    setCursorPosition(0);
}

void DataEdit::writeField(host::data::Field& field)
{
    const host::data::EditMask own(ownMask_);
    // The field applies its own mask to typed text; a control mask is applied here.
    if (!own.isNull() || field.editMask().isEmpty())
        field.setText(valueText());
    else
        field.setText(activeMask().isBlank(displayText()) ? QString() : displayText());
}

// A text refused stays selected, to be typed over.
bool DataEdit::keepRefused()
{
    selectAll();
    return true;
}

void DataEdit::showRefused()
{
    setFocus();
    selectAll();
}

void DataEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    typeFromFirstPositionWhenBlank(*this);
}

void DataEdit::userEdited()
{
    if (refreshing())
        return;
    if (!bound()) {
        if (onChange)
            runGuarded(onChange);
        return;
    }
    if (!fieldModified() && !beginChange())
        return;
    setFieldModified(true);
    if (onChange)
        runGuarded(onChange);
}

void DataEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!fieldModified() && activeMask().isNull())
        showField();   // the edit text, not the display text
    if (onEnter)
        runGuarded(onEnter);
}

// A date typed in short into a filter box ("1/12/26") is shown as it was
// read ("01/12/2026"), not with the mask's blanks left where the digits were
// skipped; a text that is no date stays as typed, to be told when used.
void DataEdit::showTypedDate()
{
    const host::data::EditMask mask = activeMask();
    if (bound() || !mask.isDateMask())
        return;
    const QString typed = valueText().trimmed();
    QDateTime read;
    if (typed.isEmpty() || !host::data::parseDateTimeText(typed, read))
        return;
    setText(mask.editText(host::data::formatDateTime(formatForMask(mask), read)));
}

void DataEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    showTypedDate();
    if (fieldModified())
        runGuarded([this] { commitLeaving(); });
    else if (activeMask().isNull())
        showField();
    if (onExit)
        runGuarded(onExit);
}

void DataEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && fieldModified()) {
        showField();   // Esc gives back the field's value
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        showTypedDate();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && fieldModified())
        runGuarded([this] { commit(); });
    QLineEdit::keyPressEvent(event);
}

} // namespace host::ui
