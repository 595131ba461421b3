#pragma once
// A column of a dataset as the rules see it: kind, type, presentation, value
// access on the dataset's current row, and the field events.

#include "host/data/Handler.h"
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <functional>
#include <stdexcept>

namespace host::data {

class Dataset;

enum class FieldKind { Data, Calculated, Lookup };

enum class FieldType { Int16, Int32, Float, DateTime, Date, Time, String, Memo, Blob };

// Misuse of a dataset or field (not editing, unknown field, bad typed text).
// The message is meant for the user.
class DatasetError : public std::runtime_error {
public:
    explicit DatasetError(const QString& message);
    QString message() const { return message_; }

private:
    QString message_;
};

// Day 0 of the host's arithmetic, 30/12/1899: a time without a date stands
// on it, and an empty date is stored as it.
QDate diaZero();
// Date-times as day numbers, the host's arithmetic: day 0 is 1899-12-30 and
// the fraction is the time of day.
double dateTimeToDays(const QDateTime& value);
QDateTime daysToDateTime(double days);

class Field {
    // What a value written reads, first and together (the validation and
    // change handlers follow): a field written among the engine's work finds
    // fewer of its cache lines evicted.
    Dataset* dataset_;
    FieldType type_;
    int size_;
    FieldKind kind_;
    int slot_ = -1;          // position in the row (data) or calculated buffer
    bool required_ = false;

public:
    Field(Dataset& dataset, const QString& fieldName, FieldType type, int size, FieldKind kind);
    ~Field();
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    Dataset& dataset() const { return *dataset_; }
    QString fieldName() const { return fieldName_; }      // "AOCODIGO"
    QString name() const { return name_; }                // dataset name + field name: "quOSAOCODIGO"
    FieldKind kind() const { return kind_; }
    FieldType dataType() const { return type_; }
    bool isNumeric() const;                               // integer or float
    int index() const { return index_; }                  // position in the dataset's field list

    // Presentation and rules of the controls.
    int size() const { return size_; }                    // characters of a string; 0 = unbounded
    void setSize(int size) { size_ = size; }
    QString displayLabel() const { return displayLabel_.isEmpty() ? fieldName_ : displayLabel_; }
    void setDisplayLabel(const QString& label) { displayLabel_ = label; }
    QString displayFormat() const { return displayFormat_; }
    void setDisplayFormat(const QString& format) { displayFormat_ = format; }
    QString editMask() const { return editMask_; }
    // A date field's two-digit-year mask takes four digits (see EditMask).
    void setEditMask(const QString& mask);
    bool required() const { return required_; }
    void setRequired(bool required);
    // Binds the controls only: the rules still assign a read-only field.
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    // Look-up fields: the values of keyFields ("A;B") are searched in the
    // look-up dataset's lookupKeyFields; the field shows its resultField.
    QString keyFields() const { return keyFields_; }
    Dataset* lookupDataset() const { return lookupDataset_; }
    QString lookupKeyFields() const { return lookupKeyFields_; }
    QString lookupResultField() const { return lookupResultField_; }
    void setLookup(const QString& keyFields, Dataset* lookupDataset, const QString& lookupKeyFields,
                   const QString& resultField);
    // Switching kinds is allowed while the dataset is closed.
    void setKind(FieldKind kind);

    // Value of the current row. Assigning a field of a dataset in browse state
    // puts it in edit (auto-edit) or raises. The reference is the row's own
    // cell: copy it to keep it past the next move, change, post or close.
    const QVariant& value() const;
    void setValue(const QVariant& value);
    QVariant asVariant() const { return value(); }
    void setAsVariant(const QVariant& value) { setValue(value); }
    QString asString() const;
    void setAsString(const QString& value);
    int asInteger() const;
    void setAsInteger(int value);
    double asFloat() const;
    void setAsFloat(double value);
    QDateTime asDateTime() const;
    void setAsDateTime(const QDateTime& value);
    bool asBoolean() const;
    void setAsBoolean(bool value);
    QByteArray asBytes() const;
    bool isNull() const;
    void clear() { setValue(QVariant()); }

    // The value as read or last posted; null on a row being inserted.
    QVariant oldValue() const;

    // Edit text (what an edit control shows) and typed text. Typed text goes
    // through onSetText when attached, else it is parsed by type (and by the
    // edit mask). Assignments by code never pass here.
    QString text() const;
    void setText(const QString& text);
    QString displayText() const;

    // Events. Validate runs with the new value already readable and may
    // refuse (any exception, Abort included, puts the old value back);
    // change runs after the value is stored.
    Handler<void(Field&)> onValidate;
    Handler<void(Field&)> onChange;
    Handler<void(Field&, QString& text, bool displayText)> onGetText;
    Handler<void(Field&, const QString& text)> onSetText;

    // The value converted to this field's type (size cut, empty text = null).
    QVariant normalized(const QVariant& value) const;

private:
    friend class Dataset;
    // A field its dataset keeps across a close: as the constructor leaves a
    // data field of that size (every member set by a rule goes back here).
    void resetAsNew(int size);
    // Its name again, should the dataset's (given) have changed since it was made.
    void followDatasetName(const QString& datasetName);
    QString defaultText(bool display) const;
    void parseText(const QString& text);
    QString maskedDateFormat() const;
    void setLookupDataset(Dataset* lookupDataset);

    // Members below that rules may set are put back by resetAsNew.
    QString fieldName_;
    QString upperName_;      // the key of the dataset's look-ups by name
    QString name_;
    int index_ = -1;
    int column_ = -1;        // source column while open (data fields)
    QString displayLabel_;
    QString displayFormat_;
    QString editMask_;
    bool readOnly_ = false;
    bool visible_ = true;
    int tag_ = 0;
    QString keyFields_;
    Dataset* lookupDataset_ = nullptr;
    QString lookupKeyFields_;
    QString lookupResultField_;
};

}  // namespace host::data
