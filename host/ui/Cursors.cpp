#include "host/ui/Cursors.h"

#include <QApplication>
#include <QCursor>

namespace host::ui {
namespace {

CursorShape current = CursorShape::Default;

Qt::CursorShape qtShape(CursorShape shape)
{
    return shape == CursorShape::SqlWait ? Qt::BusyCursor : Qt::WaitCursor;
}

} // namespace

void setScreenCursor(CursorShape shape)
{
    if (shape == current)
        return;
    if (qApp) {
        if (current == CursorShape::Default)
            QApplication::setOverrideCursor(QCursor(qtShape(shape)));
        else if (shape == CursorShape::Default)
            QApplication::restoreOverrideCursor();
        else
            QApplication::changeOverrideCursor(QCursor(qtShape(shape)));
    }
    current = shape;
}

CursorShape screenCursor() { return current; }

WaitCursor::WaitCursor(CursorShape shape) : previous_(screenCursor()) { setScreenCursor(shape); }

WaitCursor::~WaitCursor() { setScreenCursor(previous_); }

} // namespace host::ui
