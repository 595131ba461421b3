#pragma once
// Data-aware memo, label and image.

#include "host/ui/DataControl.h"

#include <QLabel>
#include <QPlainTextEdit>

#include <functional>

namespace host::ui {

// Multi-line text bound to a field; may be pointed at another field at run
// time (bind). Leaving it writes the text, then runs onExit.
class DataMemo : public QPlainTextEdit, public DataControl {
    Q_OBJECT
public:
    explicit DataMemo(const QString& name, QWidget* parent = nullptr);

    void setReadOnlyControl(bool readOnly);
    bool readOnlyControl() const { return readOnly_; }
    QString text() const { return toPlainText(); }

    std::function<void()> onExit;
    std::function<void()> onDblClick;

protected:
    void refresh() override;
    void writeField(host::data::Field& field) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool readOnly_ = false;
};

// The field's display text as a label; clickable when onClick is set.
class DataLabel : public QLabel, public DataControl {
    Q_OBJECT
public:
    explicit DataLabel(const QString& name, QWidget* parent = nullptr);

    std::function<void()> onClick;

protected:
    void refresh() override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture held in a blob field; loadFromFile stores a file's bytes.
class DataImage : public QLabel, public DataControl {
    Q_OBJECT
public:
    explicit DataImage(const QString& name, QWidget* parent = nullptr);

    // Puts the dataset in edit and stores the file; false (nothing changed)
    // when the file cannot be read or the field may not change.
    bool loadFromFile(const QString& path);
    bool hasPicture() const;

    std::function<void()> onDblClick;

protected:
    void refresh() override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace host::ui
