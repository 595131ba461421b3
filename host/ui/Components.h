#pragma once
// Small helpers every window uses: components made with their name, the
// classic integer tag of any component, popup menus, and enter/exit events
// (focus moving into or out of a control and its children).

#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <utility>

class QButtonGroup;
class QGroupBox;
class QMenu;
class QRadioButton;

namespace host::ui {

// A new component carrying its name as object name (tests and layouts find it by it).
template <class T, class... Args>
T* named(const QString& name, Args&&... args)
{
    T* component = new T(std::forward<Args>(args)...);
    component->setObjectName(name);
    return component;
}

// One button of a radio group: where to keep it (may be null), its name and caption.
struct RadioChoice {
    QRadioButton** member;
    QString name;
    QString caption;
};
// The radio buttons of a titled box (RadioButton, made inside the box), one
// under the other with room below, numbered from 0 in the order given (the
// group's checkedId()); the one at `checked` is on.
QButtonGroup* radioGroup(QWidget* owner, QGroupBox* box, std::initializer_list<RadioChoice> choices,
                         int checked = 0);
// The searches' "Onde" box: "Começando com", "Contendo" (on), "Terminando com".
QButtonGroup* whereGroup(QWidget* owner, QGroupBox* box, QRadioButton*& starting, QRadioButton*& containing,
                         QRadioButton*& ending);

int tagOf(const QObject* component);
void setTag(QObject* component, int tag);

// Right click on the widget pops the menu up; popupMenu() gives it back.
// One menu may serve several widgets: popupComponent() tells its actions
// which widget it last popped up on.
void setPopupMenu(QWidget* widget, QMenu* menu);
QMenu* popupMenu(const QWidget* widget);
QWidget* popupComponent(const QMenu* menu);

// Runs the handlers when the focus moves into (enter) or out of (exit) the
// widget or any of its children. Only a move to another control of the same
// window leaves it: the focus taken by a dialog or a search opened from it,
// by a drop-down list or by another window runs neither handler, and coming
// back from them enters nothing. Either handler may be empty; a failing one
// is shown as the application shows any failure.
void watchFocus(QWidget* widget, std::function<void()> onEnter, std::function<void()> onExit);
// Drops the watches of the window's widgets. A window being destroyed calls
// it first: the focus leaves its widgets while they are torn down, and their
// handlers belong to a window that no longer exists.
void forgetFocusWatches(QWidget* window);

} // namespace host::ui
