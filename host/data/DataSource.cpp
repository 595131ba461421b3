// DataSource and DataLink: the dataset's notifications on their way to controls.
#include "host/data/DataSource.h"

#include <algorithm>

namespace host::data {

DataLink::~DataLink()
{
    setDataSource(nullptr);
}

void DataLink::setDataSource(DataSource* source)
{
    if (source_ == source)
        return;
    if (source_) {
        auto& links = source_->links_;
        links.erase(std::remove(links.begin(), links.end(), this), links.end());
    }
    source_ = source;
    if (source_)
        source_->links_.push_back(this);
    activeChanged();
}

Dataset* DataLink::dataset() const
{
    return source_ ? source_->dataset() : nullptr;
}

bool DataLink::active() const
{
    return dataset() && dataset()->active();
}

bool DataLink::edit()
{
    return source_ && source_->edit();
}

DataSource::DataSource(host::Component* owner, const QString& name, Dataset* dataset)
    : host::Component(owner, name)
{
    setDataset(dataset);
}

DataSource::~DataSource()
{
    if (dataset_)
        dataset_->detachSource(this);
    const std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        link->source_ = nullptr;
}

void DataSource::setDataset(Dataset* dataset)
{
    if (dataset_ == dataset)
        return;
    if (dataset_)
        dataset_->detachSource(this);
    dataset_ = dataset;
    if (dataset_)
        dataset_->attachSource(this);
    activeChanged();
}

bool DataSource::edit()
{
    if (!dataset_ || !dataset_->active())
        return false;
    if (dataset_->editing())
        return true;
    if (!autoEdit_)
        return false;
    dataset_->edit();
    return dataset_->editing();
}

void DataSource::dataChanged(Field* field)
{
    const std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        link->dataChanged(field);
    if (onDataChange) {
        auto handler = onDataChange;
        handler(*this, field);
    }
}

void DataSource::stateChanged()
{
    const std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        link->stateChanged();
    if (onStateChange) {
        auto handler = onStateChange;
        handler(*this);
    }
}

void DataSource::activeChanged()
{
    const std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        link->activeChanged();
    if (onStateChange) {
        auto handler = onStateChange;
        handler(*this);
    }
    if (onDataChange) {
        auto handler = onDataChange;
        handler(*this, nullptr);
    }
}

void DataSource::updateData()
{
    const std::vector<DataLink*> links = links_;
    for (DataLink* link : links)
        link->updateData();
}

void DataSource::datasetGone()
{
    dataset_ = nullptr;
    activeChanged();
}

QString userLabel(const Field& field)
{
    if (field.displayLabel() != field.fieldName())
        return field.displayLabel();
    return shownCaption(field);
}

QString shownCaption(const Field& field)
{
    for (const DataSource* source : field.dataset().dataSources())
        for (const DataLink* link : source->links()) {
            const QString caption = link->fieldCaption(field);
            if (!caption.isEmpty())
                return caption;
        }
    return {};
}

}  // namespace host::data
