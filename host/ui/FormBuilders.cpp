#include "host/ui/FormBuilders.h"

#include "host/ui/DataEdit.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"

#include <QPushButton>

#include <algorithm>

namespace host::ui {

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QPushButton* makeSearchButton(QWidget* parent, const char* name)
{
    QPushButton* b = makeButton(parent, name, "...");
    b->setFixedWidth(std::max(24, b->fontMetrics().horizontalAdvance("...") + 12));   // 24 at the classic font
    return b;
}

DataEdit* makeEdit(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field)
{
    auto* e = new DataEdit(name, parent);
    e->bind(source, field);
    return e;
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

}  // namespace host::ui
