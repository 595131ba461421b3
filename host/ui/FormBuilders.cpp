#include "host/ui/FormBuilders.h"

#include "host/db/KeptByText.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PushButton.h"

#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>

namespace host::ui {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new PushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QPushButton* makeSearchButton(QWidget* parent, const char* name)
{
    QPushButton* b = makeButton(parent, name, "...");
    // Every look-up button shows the same text: measured once per font, not
    // laid out again for each button of each window opened.
    static host::db::LastMade<int, QFont> width;
    const QFont& font = b->font();
    b->setFixedWidth(width.of(font, [&font] {
        return std::max(24, QFontMetrics(font).horizontalAdvance("...") + 12);   // 24 at the classic font
    }));
    return b;
}

DataEdit* makeEdit(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field)
{
    auto* e = new DataEdit(name, parent);
    e->bind(source, field);
    return e;
}

void fitCodeWidth(QLineEdit* edit, int digits)
{
    QStyleOptionFrame frame;
    frame.initFrom(edit);
    const QSize text(edit->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 8,
                     edit->fontMetrics().height());
    edit->setFixedWidth(edit->style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, edit).width());
}

DataLabel* makeText(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field)
{
    auto* l = new DataLabel(name, parent);
    if (source)
        l->bind(source, field);
    return l;
}

DataLabel* makeLink(QWidget* parent, const char* name, const QString& caption)
{
    auto* l = new DataLabel(name, parent);
    l->setText(caption);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

DataLookupCombo* makeLookup(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field,
                            host::data::DataSource* list, const QString& keyField, const QString& listFields)
{
    auto* c = new DataLookupCombo(name, parent);
    c->bind(source, field);
    c->setListSource(list);
    c->setKeyField(keyField);
    c->setListField(listFields);
    return c;
}

DataComboBox* makeCombo(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field,
                        const QStringList& items, bool editable)
{
    auto* c = new DataComboBox(name, editable ? DataComboBox::Style::DropDown : DataComboBox::Style::DropDownList,
                               parent);
    c->setPickList(items);
    c->bind(source, field);
    return c;
}

DataCheckBox* makeCheck(QWidget* parent, const char* name, const QString& caption, host::data::DataSource* source,
                        const QString& field)
{
    auto* c = new DataCheckBox(name, caption, parent);
    // The stored code, or the caption of a field that maps it.
    c->setValueChecked("S;Sim");
    c->setValueUnchecked("N;Não");
    c->bind(source, field);
    return c;
}

GridColumn* addGridColumn(DataGrid* grid, const QString& field, const QString& title, int width)
{
    return grid->addColumn(field, title, width);
}

GridColumn* withButton(GridColumn* column)
{
    column->setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
    return column;
}

GridColumn* readOnly(GridColumn* column)
{
    column->setReadOnly(true);
    return column;
}

DataGrid* gridOnPage(QWidget* page, const char* name, host::data::DataSource* source)
{
    auto* grid = new DataGrid(name, page);
    grid->setDataSource(source);
    auto* layout = page->layout() ? static_cast<QVBoxLayout*>(page->layout()) : new QVBoxLayout(page);
    layout->addWidget(grid, 1);
    return grid;
}

CaptionGrid::CaptionGrid(QWidget* parent, int columns) : layout_(new QGridLayout(parent)), columns_(columns)
{
    layout_->setContentsMargins(4, 4, 4, 4);
    layout_->setHorizontalSpacing(6);
    layout_->setVerticalSpacing(2);
}

void CaptionGrid::field(QWidget* caption, QWidget* control, std::initializer_list<QWidget*> extras, int span)
{
    if (column_ + span > columns_)
        newRow();
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(1);
    if (caption)
        v->addWidget(caption);
    auto* h = new QHBoxLayout;
    h->setSpacing(1);
    h->addWidget(control, 1);
    for (QWidget* extra : extras)
        h->addWidget(extra);
    v->addLayout(h);
    layout_->addWidget(box, row_, column_, 1, span);
    column_ += span;
}

void CaptionGrid::field(const QString& caption, QWidget* control, std::initializer_list<QWidget*> extras, int span)
{
    field(caption.isEmpty() ? nullptr : new QLabel(caption), control, extras, span);
}

void CaptionGrid::whole(QWidget* control)
{
    newRow();
    layout_->addWidget(control, row_++, 0, 1, columns_);
}

void CaptionGrid::newRow()
{
    if (column_ > 0)
        ++row_;
    column_ = 0;
}

void CaptionGrid::finish() { layout_->setRowStretch(row_ + 1, 1); }

}  // namespace host::ui
