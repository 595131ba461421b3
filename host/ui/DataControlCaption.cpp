// The caption a data control is shown under: the label naming it as its
// buddy, else the label laid out just before it (to its left in a grid, or
// above it in a column), else the title of the group box it sits alone in.
#include "host/ui/DataControl.h"

#include "host/data/Field.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace host::ui {

namespace {

QString captionText(const QLabel* label)
{
    QString text = label->text();
    text.remove('&');
    text = text.trimmed();
    while (text.endsWith(':'))
        text.chop(1);
    return text.trimmed();
}

const QLabel* labelOf(const QLayoutItem* item)
{
    return item && item->widget() ? qobject_cast<const QLabel*>(item->widget()) : nullptr;
}

// The layout holding the item (a widget or a nested layout) and its index there.
QLayout* holderOf(QLayout* layout, const QObject* wanted, int& index)
{
    for (int i = 0; layout && i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == wanted || item->layout() == wanted) {
            index = i;
            return layout;
        }
        if (QLayout* inner = item->layout())
            if (QLayout* found = holderOf(inner, wanted, index))
                return found;
    }
    return nullptr;
}

const QLabel* labelBefore(QLayout* layout, int index)
{
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        if (const QLabel* left = column > 0 ? labelOf(grid->itemAtPosition(row, column - 1)) : nullptr)
            return left;
        return row > 0 ? labelOf(grid->itemAtPosition(row - 1, column)) : nullptr;
    }
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        QFormLayout::ItemRole role;
        int row = 0;
        form->getItemPosition(index, &row, &role);
        return labelOf(form->itemAt(row, QFormLayout::LabelRole));
    }
    return index > 0 ? labelOf(layout->itemAt(index - 1)) : nullptr;
}

QString captionOf(const QWidget* control)
{
    for (const QLabel* label : control->window()->findChildren<QLabel*>())
        if (label->buddy() == control)
            return captionText(label);
    QWidget* parent = control->parentWidget();
    if (!parent || !parent->layout())
        return {};
    // From the control outwards: a control first in a row of its own takes
    // the caption of that row.
    const QObject* item = control;
    int index = -1;
    for (QLayout* layout = holderOf(parent->layout(), item, index); layout;
         layout = holderOf(parent->layout(), item, index)) {
        if (const QLabel* label = labelBefore(layout, index))
            return captionText(label);
        if (index > 0 || layout == parent->layout())
            break;
        item = layout;
    }
    if (auto* box = qobject_cast<QGroupBox*>(parent))
        return box->title().remove('&').trimmed();
    return {};
}

}  // namespace

QString DataControl::fieldCaption(const host::data::Field& field) const
{
    if (field.fieldName().compare(fieldName_, Qt::CaseInsensitive) != 0)
        return {};
    const auto* control = dynamic_cast<const QWidget*>(this);
    return control ? captionOf(control) : QString();
}

}  // namespace host::ui
