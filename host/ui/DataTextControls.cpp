#include "host/ui/DataTextControls.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/Errors.h"

#include <QFile>
#include <QMouseEvent>
#include <QPixmap>

namespace host::ui {

DataMemo::DataMemo(const QString& name, QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName(name);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (refreshing() || fieldModified())
            return;
        if (beginChange())
            setFieldModified(true);
    });
    refresh();
}

void DataMemo::setReadOnlyControl(bool readOnly)
{
    readOnly_ = readOnly;
    showField();
}

void DataMemo::refresh()
{
    host::data::Field* f = field();
    setReadOnly(readOnly_ || !canModify());
    setPlainText(f ? f->text() : QString());
}

void DataMemo::writeField(host::data::Field& field) { field.setText(toPlainText()); }

void DataMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (fieldModified())
        runGuarded([this] { commit(); });
    if (onExit)
        runGuarded(onExit);
}

void DataMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    QPlainTextEdit::mouseDoubleClickEvent(event);
    if (onDblClick)
        runGuarded(onDblClick);
}

DataLabel::DataLabel(const QString& name, QWidget* parent) : QLabel(parent)
{
    setObjectName(name);
    refresh();
}

void DataLabel::refresh()
{
    host::data::Field* f = field();
    setText(f ? f->displayText() : QString());
}

void DataLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && onClick)
        runGuarded(onClick);
}

DataImage::DataImage(const QString& name, QWidget* parent) : QLabel(parent)
{
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    refresh();
}

void DataImage::refresh()
{
    host::data::Field* f = field();
    QPixmap picture;
    if (f && !f->isNull())
        picture.loadFromData(f->asBytes());
    setPixmap(picture);
}

bool DataImage::hasPicture() const { return !pixmap().isNull(); }

bool DataImage::loadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (!beginChange())
        return false;
    field()->setValue(bytes);
    showField();
    return true;
}

void DataImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (onDblClick)
        runGuarded(onDblClick);
}

} // namespace host::ui
