#pragma once
// The small constructors the entry windows build their controls with: each
// control carries its name (tests and layouts find it by it) and, for the
// data-aware ones, its data source and field.

#include <QString>

class QPushButton;
class QWidget;

namespace host::data {
class DataSource;
}

namespace host::ui {

class DataEdit;
class DataLabel;
class DataLookupCombo;

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption);
// The narrow "..." button beside a field that opens a search.
QPushButton* makeSearchButton(QWidget* parent, const char* name);
DataEdit* makeEdit(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field);
// A label showing the field (unbound without a source).
DataLabel* makeText(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field);
// A caption that works as a link (the labels that open registers).
DataLabel* makeLink(QWidget* parent, const char* name, const QString& caption);
DataLookupCombo* makeLookup(QWidget* parent, const char* name, host::data::DataSource* source, const QString& field,
                            host::data::DataSource* list, const QString& keyField, const QString& listFields);

}  // namespace host::ui
