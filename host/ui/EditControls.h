#pragma once
// Entry controls the host's windows use beside the plain edit: a spin edit,
// a date edit with a calendar and a currency edit with a display format,
// each unbound (the window reads its value) and data-aware (bound to a field).

#include "host/ui/DataControl.h"
#include "host/ui/DataEdit.h"

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QSpinBox>

#include <functional>
#include <initializer_list>

class QCalendarWidget;
class QToolButton;

namespace host::ui {

// A whole number between a minimum and a maximum; arrows and typing.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(const QString& name, QWidget* parent = nullptr);
    std::function<void()> onChange;   // the value changed (by the user or by code)
};

// The calendar button beside a date edit: F4 or Alt+Down opens it too.
class CalendarButton : public QObject {
    Q_OBJECT
public:
    // `pick` receives the date chosen.
    CalendarButton(QLineEdit& edit, std::function<QDate()> current, std::function<void(const QDate&)> pick);
    QToolButton* button() const { return button_; }
    void open();
    QCalendarWidget* calendar() const { return calendar_; }   // while open, else nullptr

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit& edit_;
    QToolButton* button_;
    QCalendarWidget* calendar_ = nullptr;
    std::function<QDate()> current_;
    std::function<void(const QDate&)> pick_;
};

// A date typed over the mask "dd/mm/yyyy" (a two-digit year is this
// century's) or picked from the calendar. Blank is
// no date. Text that is not a date is refused when the edit is left or Enter
// is pressed ("Data inválida: ...", told once for each text; an action
// checking the box tells it again): it stays on
// screen, selected, to be mended, and date() stays the last date taken. A
// window checks its boxes (checkTypedDates) before it acts on their dates.
class DateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DateEdit(const QString& name, QWidget* parent = nullptr);

    QDateTime date() const { return date_; }           // invalid when blank
    void setDate(const QDateTime& date);
    // "dd/mm/yyyy" of the date, "" when blank: the text the SQL date routines take.
    QString dateText() const;
    CalendarButton* calendarButton() const { return calendar_; }
    // Takes the text on screen: true when it is blank or a date; false, with
    // the message, when it is not (told again to the action that asks).
    bool checkTyped();

    std::function<void()> onChange;   // the date changed

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Leaving the box or Enter tell a refused text once; an action, always.
    bool accept(bool tellAgain = false);

    QDateTime date_;
    QString refused_;   // the last text refused, not told twice on leaving
    CalendarButton* calendar_;
};

// Each box takes the text on screen, in order; the first that refuses gets
// the focus, its text selected. False when one refused.
bool checkTypedDates(std::initializer_list<DateEdit*> boxes);
// The same, ending the operation when one refused, the refusal told: an
// action never runs on the date taken before a text refused on screen.
void requireTypedDates(std::initializer_list<DateEdit*> boxes);

// A value typed in the plain form ("1234,5") and shown, when the edit is not
// being typed in, through the display format (" ,0.00;- ,0.00" gives
// "1.234,50" and "-1.234,50"). Text that is not a number is refused when the
// edit is left or Enter is pressed ("Valor inválido: ...") and stays, selected,
// to be mended. No action runs on a value the box does not show: value()
// takes a text typed and not yet taken, and while a refused text is on show
// it tells the refusal again and ends the operation.
class CurrencyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CurrencyEdit(const QString& name, QWidget* parent = nullptr);

    double value();
    void setValue(double value);
    QString displayFormat() const { return displayFormat_; }
    void setDisplayFormat(const QString& format);

    std::function<void()> onChange;   // the value changed

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool accept();
    void show();

    double value_ = 0;
    bool typing_ = false;   // between entering and leaving the edit
    QString displayFormat_ = " ,0.00;- ,0.00";
};

// The data-aware forms. They write through the field's text, as an edit.
class DataSpinEdit : public QSpinBox, public DataControl {
    Q_OBJECT
public:
    explicit DataSpinEdit(const QString& name, QWidget* parent = nullptr);
    std::function<void()> onChange;   // the user changed the value

protected:
    void refresh() override;
    void writeField(host::data::Field& field) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool showing_ = false;
};

// A date field over the date mask (four-digit year), with the calendar: a
// date picked is written at once, as a choice.
class DataDateEdit : public DataEdit {
    Q_OBJECT
public:
    explicit DataDateEdit(const QString& name, QWidget* parent = nullptr);
    CalendarButton* calendarButton() const { return calendar_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CalendarButton* calendar_;
};

// A number field shown through the control's display format (the field's
// own when none is set) while not typed in, right-aligned.
class DataCurrencyEdit : public DataEdit {
    Q_OBJECT
public:
    explicit DataCurrencyEdit(const QString& name, QWidget* parent = nullptr);
    QString displayFormat() const { return displayFormat_; }
    void setDisplayFormat(const QString& format);

protected:
    void refresh() override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString displayFormat_ = " ,0.00;- ,0.00";
    bool typing_ = false;
};

// A choice box as wide as a number of characters and an item's icon,
// whatever its items (its list drops as wide as they are): long lists of
// field names keep the window's layout. Qt's own way to this size
// (QComboBox::AdjustToMinimumContentsLengthWithIcon) builds the drop-down
// list at once; this box builds it when it first drops.
class CharacterWidthComboBox : public QComboBox {
    Q_OBJECT
public:
    CharacterWidthComboBox(const QString& name, int characters, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace host::ui
