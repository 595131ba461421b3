#pragma once
// Links a dataset to controls. A data source may be pointed at another
// dataset at run time; controls follow it through their DataLink.

#include "host/data/Component.h"
#include "host/data/Dataset.h"

#include <functional>
#include <vector>

namespace host::data {

class DataSource;

// What a data-aware control implements to hear from its data source.
class DataLink {
public:
    DataLink() = default;
    virtual ~DataLink();
    DataLink(const DataLink&) = delete;
    DataLink& operator=(const DataLink&) = delete;

    DataSource* dataSource() const { return source_; }
    void setDataSource(DataSource* source);
    Dataset* dataset() const;
    bool active() const;                 // linked to an open dataset
    // Puts the dataset in edit when the data source allows it; false otherwise.
    bool edit();

    // Notifications; field is null when the whole row changed (scroll, open, cancel...).
    virtual void activeChanged() {}
    virtual void dataChanged(Field* field) {}
    virtual void stateChanged() {}
    // Before a post: a control writes the text still being typed into its field.
    virtual void updateData() {}
    // The caption the user sees the field under in this control (a label
    // beside an edit, a grid's column title); empty when it shows no such field.
    virtual QString fieldCaption(const Field& field) const { return {}; }

private:
    friend class DataSource;
    DataSource* source_ = nullptr;
};

class DataSource : public host::Component {
public:
    explicit DataSource(host::Component* owner = nullptr, const QString& name = {}, Dataset* dataset = nullptr);
    ~DataSource() override;

    Dataset* dataset() const { return dataset_; }
    void setDataset(Dataset* dataset);
    DatasetState state() const { return dataset_ ? dataset_->state() : DatasetState::Inactive; }

    // Whether controls may put the dataset in edit when the user types.
    bool autoEdit() const { return autoEdit_; }
    void setAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }
    bool edit();

    std::function<void(DataSource&, Field* field)> onDataChange;
    std::function<void(DataSource&)> onStateChange;

    const std::vector<DataLink*>& links() const { return links_; }

private:
    friend class Dataset;
    friend class DataLink;
    void dataChanged(Field* field);
    void stateChanged();
    void activeChanged();
    void updateData();
    void datasetGone();

    Dataset* dataset_ = nullptr;
    bool autoEdit_ = true;
    std::vector<DataLink*> links_;
};

// The name the user knows a field by: its own label, else the caption it is
// shown under on screen; empty when it has neither (messages then say "a
// field" rather than the column's name).
QString userLabel(const Field& field);
// The caption the field is shown under on screen (the label beside the
// control or the grid column's title); empty when no control shows it.
QString shownCaption(const Field& field);

}  // namespace host::data
