#include "DemoWindow.h"

#include "host/data/Field.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/Layouts.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

DemoWindow::DemoWindow(host::db::Transaction& transaction, const QString& table)
    : query_(std::make_unique<host::data::Query>(nullptr, "quDemo")),
      source_(std::make_unique<host::data::DataSource>(nullptr, "dsDemo", query_.get()))
{
    setObjectName("fmDemo");
    setCaption("Tabela " + table);
    setDefaultCloseAction(host::ui::CloseAction::Free);
    query_->setTransaction(&transaction);
    query_->setSql("select * from " + table);
    host::ui::runGuarded([&] { query_->open(); });

    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);
    const int shown = std::min(3, query_->active() ? query_->fieldCount() : 0);
    for (int i = 0; i < shown; ++i) {
        const QString name = query_->field(i)->fieldName();
        auto* edit = new host::ui::DataEdit("dbed" + name, this);
        edit->bind(source_.get(), name);
        fields->addRow(new QLabel(query_->field(i)->displayLabel(), this), edit);
    }
    auto* grid = new host::ui::DataGrid("dbgdDemo", this);
    grid->setDataSource(source_.get());
    layout->addWidget(grid);
    resize(800, 500);
    host::ui::Layouts::restoreWindow(this);
    onClose = [this](host::ui::CloseAction&) { host::ui::Layouts::saveWindow(this); };
}
