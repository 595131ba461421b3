#pragma once
// Look-up combo: the rows of a list dataset, shown by one or several list
// fields ("CODIGO_CLIENTE;NOME"); choosing a row writes its key field value
// into the bound field and shows the list text. Bound to a look-up field it
// takes list, key and result from that field and writes the field's key
// fields. Delete clears the field. Unbound, it is a plain picker whose key
// value code reads and sets. Of a list dataset that offers only some rows
// (Dataset::offersRow) it lists those, and the row shown whatever it is.
// The list is read as it is shown (LookupListModel): a long list costs the
// rows dropped down, not all of them.

#include "host/ui/DataControl.h"

#include <QColor>
#include <QComboBox>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QTableView;

namespace host::ui {

class LookupListModel;

class DataLookupCombo : public QComboBox, public DataControl {
    Q_OBJECT
public:
    explicit DataLookupCombo(const QString& name, QWidget* parent = nullptr);
    ~DataLookupCombo() override;

    void setListSource(host::data::DataSource* source);
    host::data::DataSource* listSource() const;
    void setKeyField(const QString& fieldName);
    QString keyField() const { return keyField_; }
    void setListField(const QString& fieldNames);      // one or several, ";" between
    QString listField() const { return listField_; }
    void setListFieldIndex(int index);                 // the list field shown when closed

    // The key of the row shown; null when none.
    QVariant keyValue() const;
    // Shows the row with that key (none when absent); bound, writes it into the field.
    void setKeyValue(const QVariant& key);
    QString text() const { return currentText(); }
    // The text the box shows: the row's, or, while its list is closed (by
    // another window), the one it showed for the same key before.
    QString shownText() const { return currentIndex() >= 0 ? currentText() : keptText_; }
    // Reads the list dataset again (the list is also read when it changes).
    void refreshList();
    // The colour of the text shown (invalid: the palette's). The frame keeps
    // the control's palette: the style keeps the pictures it draws a frame
    // with under the palette's key, and a palette made for a control leaves
    // a new set of them behind whenever it is made.
    void setTextColor(const QColor& color);
    QColor textColor() const { return textColor_; }

    std::function<void()> onChange;   // the user chose a row or cleared the field
    // When set, dropping the list down runs this instead (a search window in
    // place of a list too large to show).
    std::function<void()> onDropDown;

protected:
    void refresh() override;
    void writeField(host::data::Field& field) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showPopup() override;
    void paintEvent(QPaintEvent* event) override;

private:
    class ListLink;
    host::data::Dataset* listDataset() const;
    QString effectiveKeyField() const;
    QStringList effectiveListFields() const;
    QVariant boundKey() const;
    QVariant shownKey() const;
    int rowOfKey(const QVariant& key) const;
    void keepShownText(const QVariant& key, int row);
    void ensureList() const;
    QTableView& listTable();
    void userChose(int row);
    void clearByUser();

    std::unique_ptr<ListLink> listLink_;
    LookupListModel* model_;
    QString keyField_;
    QString listField_;
    int listFieldIndex_ = 0;
    QVariant pendingKey_;
    QVariant unboundKey_;
    QVariant listShownKey_;
    QColor textColor_;   // the key shown when the list was read
    QVariant keptKey_;   // the key last found in the list, and its text
    QString keptText_;
    mutable bool listDirty_ = true;
    bool rebuilding_ = false;
};

} // namespace host::ui
