#include "host/ui/EditControls.h"

#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QCalendarWidget>
#include <QFontMetricsF>
#include <QStyleOptionComboBox>
#include <QtMath>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolButton>

namespace host::ui {

namespace {

bool opensCalendar(const QKeyEvent& event)
{
    return event.key() == Qt::Key_F4 || (event.key() == Qt::Key_Down && (event.modifiers() & Qt::AltModifier));
}

void placeButton(QLineEdit& edit, QToolButton& button)
{
    const int size = edit.height() - 4;
    button.setGeometry(edit.width() - size - 2, 2, size, size);
    edit.setTextMargins(0, 0, size + 2, 0);
}

} // namespace

SpinEdit::SpinEdit(const QString& name, QWidget* parent) : QSpinBox(parent)
{
    setObjectName(name);
    connect(this, &QSpinBox::valueChanged, this, [this] {
        if (onChange)
            runGuarded(onChange);
    });
}

CalendarButton::CalendarButton(QLineEdit& edit, std::function<QDate()> current,
                               std::function<void(const QDate&)> pick)
    : QObject(&edit), edit_(edit), button_(new QToolButton(&edit)), current_(std::move(current)),
      pick_(std::move(pick))
{
    button_->setObjectName(edit.objectName() + "Calendario");
    button_->setText("...");
    button_->setCursor(Qt::ArrowCursor);
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QToolButton::clicked, this, [this] { open(); });
}

void CalendarButton::open()
{
    if (calendar_ || edit_.isReadOnly())
        return;
    calendar_ = new QCalendarWidget(&edit_);
    calendar_->setObjectName("calendario");
    calendar_->setWindowFlags(Qt::Popup);
    calendar_->setAttribute(Qt::WA_DeleteOnClose);
    const QDate current = current_();
    calendar_->setSelectedDate(current.isValid() ? current : QDate::currentDate());
    auto chosen = [this](const QDate& date) {
        QCalendarWidget* calendar = calendar_;
        calendar_ = nullptr;
        calendar->close();
        runGuarded([&] { pick_(date); });
    };
    connect(calendar_, &QCalendarWidget::activated, this, chosen);
    connect(calendar_, &QCalendarWidget::clicked, this, chosen);
    connect(calendar_, &QObject::destroyed, this, [this](QObject* gone) {
        if (gone == calendar_)
            calendar_ = nullptr;
    });
    calendar_->installEventFilter(this);
    calendar_->move(edit_.mapToGlobal(QPoint(0, edit_.height())));
    calendar_->show();
    calendar_->setFocus();
}

bool CalendarButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == calendar_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        calendar_->close();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// ---- DateEdit ---------------------------------------------------------------

DateEdit::DateEdit(const QString& name, QWidget* parent)
    : QLineEdit(parent),
      calendar_(new CalendarButton(*this, [this] { return date_.date(); },
                                   [this](const QDate& date) { setDate(host::db::localDateTime(date)); }))
{
    setObjectName(name);
    setInputMask("99/99/9999;_");
}

void DateEdit::setDate(const QDateTime& date)
{
    const QDateTime before = date_;
    // A day whose midnight the zone skipped (given as made by hand) is still that day.
    date_ = date.date().isValid() ? host::db::localDateTime(date.date()) : QDateTime();
    refused_.clear();   // the text refused is gone: typed again, it is told again
    setText(dateText());
    if (date_ != before && onChange)
        runGuarded(onChange);
}

QString DateEdit::dateText() const
{
    return date_.isValid() ? host::data::formatDateTime("dd/mm/yyyy", date_) : QString();
}

bool DateEdit::accept(bool tellAgain)
{
    const QString typed = text();
    if (QString(typed).remove('/').trimmed().isEmpty()) {
        setDate({});
        return true;
    }
    QDateTime parsed;
    if (!host::data::parseDateTimeText(typed, parsed)) {
        // The text stays, selected, to be mended or typed over; date()
        // keeps the last date taken until it is.
        selectAll();
        if (refused_ == typed && !tellAgain)
            return false;   // told already
        refused_ = typed;
        Dialogs::error("Data inválida: " + displayText());
        return false;
    }
    setDate(parsed);
    return true;
}

// An action reading the box is refused in words, even on a text told before.
bool DateEdit::checkTyped()
{
    bool ok = false;
    runGuarded([&] { ok = accept(true); });
    return ok;
}

void DateEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (isModified()) {
        setModified(false);
        runGuarded([this] { accept(); });
    }
}

void DateEdit::keyPressEvent(QKeyEvent* event)
{
    if (opensCalendar(*event)) {
        calendar_->open();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        setModified(false);
        bool taken = false;
        runGuarded([&] { taken = accept(); });
        if (!taken)
            return;   // a refused date does not press the window's default button
    }
    QLineEdit::keyPressEvent(event);
}

bool checkTypedDates(std::initializer_list<DateEdit*> boxes)
{
    for (DateEdit* box : boxes)
        if (!box->checkTyped()) {
            box->setFocus();
            box->selectAll();
            return false;
        }
    return true;
}

void requireTypedDates(std::initializer_list<DateEdit*> boxes)
{
    if (!checkTypedDates(boxes))
        host::abortOperation();
}

void DateEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    typeFromFirstPositionWhenBlank(*this);
}

void DateEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    placeButton(*this, *calendar_->button());
}

// ---- CurrencyEdit ---------------------------------------------------------

CurrencyEdit::CurrencyEdit(const QString& name, QWidget* parent) : QLineEdit(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    show();
}

double CurrencyEdit::value()
{
    if (isModified() && !accept()) {
        setFocus();
        host::abortOperation();
    }
    return value_;
}

void CurrencyEdit::setValue(double value)
{
    const bool changed = value != value_;
    value_ = value;
    show();
    if (changed && onChange)
        runGuarded(onChange);
}

void CurrencyEdit::setDisplayFormat(const QString& format)
{
    displayFormat_ = format;
    show();
}

void CurrencyEdit::show()
{
    setText(typing_ ? host::data::formatFloatGeneral(value_) : host::data::formatFloat(displayFormat_, value_));
    setModified(false);
}

// A text that is no number stays, selected, to be mended; value() keeps the
// last value taken.
bool CurrencyEdit::accept()
{
    double typed = 0;
    if (!host::data::parseFloatText(text().trimmed(), typed)) {
        selectAll();
        Dialogs::error("Valor inválido: " + text());
        return false;
    }
    setValue(typed);
    return true;
}

void CurrencyEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    typing_ = true;
    if (!isModified())   // a refused text stays to be mended
        show();
}

void CurrencyEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    typing_ = false;
    bool taken = true;
    if (isModified())
        runGuarded([&] { taken = accept(); });
    if (taken)
        show();
}

void CurrencyEdit::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && isModified())
        runGuarded([this] { accept(); });
    QLineEdit::keyPressEvent(event);
}

// ---- data-aware forms -------------------------------------------------------

DataSpinEdit::DataSpinEdit(const QString& name, QWidget* parent) : QSpinBox(parent)
{
    setObjectName(name);
    connect(this, &QSpinBox::valueChanged, this, [this] {
        if (showing_)
            return;
        if (!fieldModified() && !beginChange())
            return;
        setFieldModified(true);
        if (onChange)
            runGuarded(onChange);
    });
    refresh();
}

void DataSpinEdit::refresh()
{
    showing_ = true;
    host::data::Field* f = field();
    setReadOnly(!canModify());
    setValue(f && !f->isNull() ? f->asInteger() : minimum());
    showing_ = false;
}

void DataSpinEdit::writeField(host::data::Field& field) { field.setText(QString::number(value())); }

void DataSpinEdit::focusOutEvent(QFocusEvent* event)
{
    QSpinBox::focusOutEvent(event);
    if (fieldModified())
        runGuarded([this] { commit(); });
}

void DataSpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && fieldModified()) {
        showField();
        return;
    }
    QSpinBox::keyPressEvent(event);
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && fieldModified())
        runGuarded([this] { commit(); });
}

DataDateEdit::DataDateEdit(const QString& name, QWidget* parent)
    : DataEdit(name, parent),
      calendar_(new CalendarButton(
          *this,
          [this] {
              host::data::Field* f = field();
              return f && !f->isNull() ? f->asDateTime().date() : QDate();
          },
          [this](const QDate& date) {
              setText(host::data::formatDateTime("dd/mm/yyyy", host::db::localDateTime(date)));
              emit textEdited(text());   // a pick is typing the date: the same rules apply
              commit();
          }))
{
    setEditMask("!99/99/9999;1;_");
}

void DataDateEdit::resizeEvent(QResizeEvent* event)
{
    DataEdit::resizeEvent(event);
    placeButton(*this, *calendar_->button());
}

void DataDateEdit::keyPressEvent(QKeyEvent* event)
{
    if (opensCalendar(*event) && canModify()) {
        calendar_->open();
        return;
    }
    DataEdit::keyPressEvent(event);
}

DataCurrencyEdit::DataCurrencyEdit(const QString& name, QWidget* parent) : DataEdit(name, parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void DataCurrencyEdit::setDisplayFormat(const QString& format)
{
    displayFormat_ = format;
    showField();
}

void DataCurrencyEdit::refresh()
{
    DataEdit::refresh();
    host::data::Field* f = field();
    if (!f || f->onGetText)
        return;
    if (typing_)
        setText(f->text());
    else if (!displayFormat_.isEmpty())
        setText(f->isNull() ? QString() : host::data::formatFloat(displayFormat_, f->asFloat()));
    else
        setText(f->displayText());
}

void DataCurrencyEdit::focusInEvent(QFocusEvent* event)
{
    typing_ = true;
    DataEdit::focusInEvent(event);
}

void DataCurrencyEdit::focusOutEvent(QFocusEvent* event)
{
    typing_ = false;
    DataEdit::focusOutEvent(event);
    if (!fieldModified())
        showField();
}

CharacterWidthComboBox::CharacterWidthComboBox(const QString& name, int characters, QWidget* parent)
    : QComboBox(parent)
{
    setObjectName(name);
    setMinimumContentsLength(characters);
}

// The characters' width and the icon's, the text's height or the icon's,
// framed as the style frames a choice box.
QSize CharacterWidthComboBox::sizeHint() const
{
    const QFontMetrics& fm = fontMetrics();
    const QSize icone = iconSize();
    QSize conteudo(minimumContentsLength() * fm.horizontalAdvance(QLatin1Char('X')) + icone.width() + 4,
                   std::max(std::max(qCeil(QFontMetricsF(fm).height()), 14) + 2, icone.height() + 2));
    if (!placeholderText().isEmpty())
        conteudo.setWidth(std::max(conteudo.width(), fm.boundingRect(placeholderText()).width()));
    QStyleOptionComboBox opcao;
    initStyleOption(&opcao);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &opcao, conteudo, this);
}

QSize CharacterWidthComboBox::minimumSizeHint() const { return sizeHint(); }

} // namespace host::ui
