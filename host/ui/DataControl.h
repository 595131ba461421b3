#pragma once
// The binding every data-aware control shares: a data source and a field
// name. The control shows the field's text whenever the row or the field
// changes, and writes what the user typed through the field's text (so the
// field's get-text and set-text handlers apply) when the user leaves it or
// the row is posted.

#include "host/data/DataSource.h"

#include <QString>

namespace host::ui {

class DataControl : private host::data::DataLink {
public:
    DataControl() = default;
    ~DataControl() override = default;

    void setDataSource(host::data::DataSource* source);
    host::data::DataSource* dataSource() const { return DataLink::dataSource(); }
    void setDataField(const QString& fieldName);
    QString dataField() const { return fieldName_; }
    // Both at once (a memo pointed at another text at run time).
    void bind(host::data::DataSource* source, const QString& fieldName);

    // The bound field while its dataset is open, else nullptr.
    host::data::Field* field() const;
    host::data::Dataset* dataset() const { return DataLink::dataset(); }
    // Whether the user may change the field through this control.
    bool canModify() const;

    // Writes pending typing into the field now (leaving the control does it too).
    // A text the field refuses stays in a box that keeps it (keepRefused()).
    void commit();
    // The same when the focus leaves the control, except for a refused text
    // kept as it was: the refusal has been told (the dialog telling it takes
    // the focus), and the row is not posted over it anyway: a post meeting
    // it stops and tells the refusal again (the action the user asked for
    // does not end in silence).
    void commitLeaving();
    // The user typed a value not yet written into the field.
    bool typedNotWritten() const { return modified_; }

protected:
    // Show the field's current value (field may be null: show nothing).
    virtual void refresh() = 0;
    // Write the control's value into the field.
    virtual void writeField(host::data::Field& field) {}
    // The field refused what the control holds: true when the control keeps
    // it on show, still pending (typed text); false shows the field again.
    virtual bool keepRefused() { return false; }
    // A post meets the refused text still on show: the control brings it
    // back to the user's eyes before the refusal is told again.
    virtual void showRefused() {}

    // Called by the control when the user starts changing it: puts the
    // dataset in edit, keeping what the user did (a new row started on an
    // empty dataset is not shown over it). False (and the control shown
    // again from the field) when the field may not change now.
    bool beginChange();
    // A choice made at once (a click, a pick from a list): puts the dataset
    // in edit and writes the control's value now. False when refused or failed.
    bool writeChoice();
    // Marks the control's value as typed and not yet written.
    void setFieldModified(bool modified)
    {
        modified_ = modified;
        refused_ = false;
    }
    bool fieldModified() const { return modified_; }
    bool refreshing() const { return refreshing_; }
    void showField();

private:
    void activeChanged() override { showField(); }
    void dataChanged(host::data::Field* changed) override;
    void stateChanged() override {}
    void updateData() override;
    QString fieldCaption(const host::data::Field& field) const override;

    QString fieldName_;
    bool modified_ = false;
    bool refused_ = false;   // the text on show is the one the field refused
    bool refreshing_ = false;
    bool writing_ = false;
    bool changing_ = false;   // inside beginChange
};

} // namespace host::ui
