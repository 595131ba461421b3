// The keys a window answers itself, once no control of it took them.

#include "host/ui/Form.h"

#include <QKeyEvent>
#include <QPushButton>

namespace host::ui {
namespace {

bool isEnter(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
}

bool usable(const QPushButton* button) { return button && button->isVisible() && button->isEnabled(); }

// The button Enter presses: the one with the focus, else the default one
// on screen (a window's own windows and dialogs answer for themselves).
QPushButton* enterButton(Form& form)
{
    if (auto* focused = qobject_cast<QPushButton*>(form.focusWidget()); usable(focused))
        return focused;
    for (QPushButton* button : form.findChildren<QPushButton*>())
        if (button->isDefault() && usable(button) && button->window() == &form)
            return button;
    return nullptr;
}

}  // namespace

void Form::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(*event)) {
        if (QPushButton* button = enterButton(*this)) {
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

}  // namespace host::ui
