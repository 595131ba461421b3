// What the user typed in a window: the rows being typed in its datasets,
// posted before the window saves, and the question when it closes with
// changes.

#include "host/ui/Form.h"

#include "host/data/DataSource.h"
#include "host/data/Dataset.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataControl.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <algorithm>

namespace host::ui {
namespace {

host::data::Dataset* datasetOf(const host::data::DataSource* source)
{
    return source ? source->dataset() : nullptr;
}

host::data::Dataset* datasetOfControl(QWidget* widget)
{
    if (auto* grid = qobject_cast<DataGrid*>(widget))
        return datasetOf(grid->dataSource());
    if (auto* control = dynamic_cast<DataControl*>(widget))
        return datasetOf(control->dataSource());
    return nullptr;
}

bool typedWithChanges(const host::data::Dataset& dataset)
{
    return dataset.active() && dataset.editing() && dataset.modified();
}

}  // namespace

void Form::addDataset(host::data::Dataset* dataset)
{
    if (dataset && std::find(addedDatasets_.begin(), addedDatasets_.end(), dataset) == addedDatasets_.end())
        addedDatasets_.push_back(dataset);
}

std::vector<host::data::Dataset*> Form::datasets() const
{
    std::vector<host::data::Dataset*> found;
    auto add = [&found](host::data::Dataset* dataset) {
        if (dataset && std::find(found.begin(), found.end(), dataset) == found.end())
            found.push_back(dataset);
    };
    for (QWidget* widget : findChildren<QWidget*>())
        add(datasetOfControl(widget));
    for (host::data::Dataset* dataset : addedDatasets_)
        add(dataset);
    return found;
}

bool Form::hasPendingChanges() const
{
    // A control's typing not yet written into its field counts as a change.
    for (QWidget* widget : findChildren<QWidget*>()) {
        auto* control = dynamic_cast<DataControl*>(widget);
        if (control && control->typedNotWritten() && control->dataset() && control->dataset()->editing())
            return true;
    }
    const std::vector<host::data::Dataset*> all = datasets();
    if (std::any_of(all.begin(), all.end(), [](host::data::Dataset* d) { return typedWithChanges(*d); }))
        return true;
    return onPendingChanges && onPendingChanges();
}

void Form::postPendingRows()
{
    for (host::data::Dataset* dataset : datasets())
        if (dataset->active())
            dataset->checkBrowseMode();
}

void Form::cancelPendingRows()
{
    for (host::data::Dataset* dataset : datasets())
        if (dataset->active() && dataset->editing())
            dataset->cancel();
}

void Form::saveChanges()
{
    postPendingRows();
    std::vector<host::db::Transaction*> transactions;
    for (host::data::Dataset* dataset : datasets())
        if (auto* query = dynamic_cast<host::data::Query*>(dataset); query && query->transaction())
            if (std::find(transactions.begin(), transactions.end(), query->transaction()) == transactions.end())
                transactions.push_back(query->transaction());
    for (host::db::Transaction* transaction : transactions)
        if (transaction->active())
            transaction->commitRetaining();
}

bool Form::confirmClose()
{
    if (!askOnClose_ || confirmingClose_ || !hasPendingChanges())
        return true;
    confirmingClose_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{confirmingClose_};
    return askToSaveChanges();
}

bool Form::askToSaveChanges()
{
    const QString answer = Dialogs::question("Deseja salvar as alterações ?", {"Sim", "Não", "Cancelar"});
    if (answer == "Sim")
        return runGuarded([this] { onSaveChanges ? onSaveChanges() : saveChanges(); });
    if (answer == "Não")
        return runGuarded([this] {
            cancelPendingRows();
            if (onDiscardChanges)
                onDiscardChanges();
        });
    return false;
}

}  // namespace host::ui
