#pragma once
// Data-aware single-line edit: shows the field's text (its display text
// while the edit has no focus), takes typed text through the field, with an
// edit mask (its own or the field's), a maximum length and read-only mode.
// A masked text with nothing typed ("  /  /  ") stores an empty field.
// With no data source and no field name it is a plain edit over its mask
// (a filter box): it takes typing and keeps the text.

#include "host/data/Format.h"
#include "host/ui/DataControl.h"

#include <QLineEdit>

#include <functional>

namespace host::ui {

// A click into a masked edit with nothing typed puts the cursor at the first
// position, so typing starts at the mask's start wherever the click fell.
void typeFromFirstPositionWhenBlank(QLineEdit& edit);

class DataEdit : public QLineEdit, public DataControl {
    Q_OBJECT
public:
    explicit DataEdit(const QString& name, QWidget* parent = nullptr);

    // Classic mask text ("!99/99/99;1;_"); empty falls back to the field's mask.
    void setEditMask(const QString& mask);
    QString editMask() const { return ownMask_; }
    // The text as the field would store it (blanks as spaces, as the mask says).
    QString valueText() const;

    void setReadOnlyControl(bool readOnly);
    bool readOnlyControl() const { return readOnly_; }

    std::function<void()> onChange;      // the user changed the text
    std::function<void()> onEnter;
    std::function<void()> onExit;

protected:
    void refresh() override;
    void writeField(host::data::Field& field) override;
    bool keepRefused() override;
    void showRefused() override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool bound() const;
    host::data::EditMask activeMask() const;
    void applyMask();
    void userEdited();
    void showTypedDate();

    QString ownMask_;
    QString appliedMask_;
    bool readOnly_ = false;
};

} // namespace host::ui
