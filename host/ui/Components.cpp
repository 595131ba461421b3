#include "host/ui/Components.h"

#include "host/ui/Errors.h"
#include "host/ui/RadioButton.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>
#include <vector>

namespace host::ui {

int tagOf(const QObject* component) { return component ? component->property("tag").toInt() : 0; }

void setTag(QObject* component, int tag)
{
    if (component)
        component->setProperty("tag", tag);
}

void setPopupMenu(QWidget* widget, QMenu* menu)
{
    // Guarded: a menu lent by another module (the host's) may go first.
    widget->setProperty("popupMenu", QVariant::fromValue(QPointer<QObject>(menu)));
    widget->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::disconnect(widget, &QWidget::customContextMenuRequested, nullptr, nullptr);
    QObject::connect(widget, &QWidget::customContextMenuRequested, widget, [widget](const QPoint& pos) {
        if (QMenu* m = popupMenu(widget)) {
            m->setProperty("popupComponent", QVariant::fromValue(QPointer<QObject>(widget)));
            m->popup(widget->mapToGlobal(pos));
        }
    });
}

QWidget* popupComponent(const QMenu* menu)
{
    return qobject_cast<QWidget*>(menu->property("popupComponent").value<QPointer<QObject>>().data());
}

QMenu* popupMenu(const QWidget* widget)
{
    return qobject_cast<QMenu*>(widget->property("popupMenu").value<QPointer<QObject>>().data());
}

namespace {

struct FocusWatch {
    QPointer<QWidget> widget;
    std::function<void()> onEnter;
    std::function<void()> onExit;
    bool inside = false;
};

bool contains(const QWidget* outer, const QWidget* inner) { return inner && (outer == inner || outer->isAncestorOf(inner)); }

// The focus left the widget only when it went to another control of the
// same window. A dialog, a search or a drop-down list opened from it, another
// window and no focus at all leave nothing: the row or the text being typed
// stays the user's until the focus moves on within the window.
bool leaves(const QWidget* watched, const QWidget* now)
{
    return now && now->window() == watched->window() && !contains(watched, now);
}

std::vector<FocusWatch>& watches()
{
    static std::vector<FocusWatch> list;
    static bool connected = false;
    if (!connected && qApp) {
        connected = true;
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
            // Marked first, handlers run after: a handler may move the focus
            // again, add watches or close windows.
            std::vector<std::pair<QPointer<QWidget>, std::function<void()>>> run;
            for (FocusWatch& watch : watches()) {
                if (!watch.widget)
                    continue;
                if (!watch.inside && contains(watch.widget, now)) {
                    watch.inside = true;
                    if (watch.onEnter)
                        run.emplace_back(watch.widget, watch.onEnter);
                } else if (watch.inside && leaves(watch.widget, now)) {
                    watch.inside = false;
                    if (watch.onExit)
                        run.emplace_back(watch.widget, watch.onExit);
                }
            }
            for (const auto& [widget, handler] : run)
                if (widget)
                    runGuarded(handler);
        });
    }
    return list;
}

} // namespace

void watchFocus(QWidget* widget, std::function<void()> onEnter, std::function<void()> onExit)
{
    auto& list = watches();
    std::erase_if(list, [](const FocusWatch& w) { return w.widget.isNull(); });
    list.push_back({widget, std::move(onEnter), std::move(onExit), contains(widget, QApplication::focusWidget())});
}

void forgetFocusWatches(QWidget* window)
{
    std::erase_if(watches(), [window](const FocusWatch& w) { return w.widget.isNull() || contains(window, w.widget); });
}

QButtonGroup* radioGroup(QWidget* owner, QGroupBox* box, std::initializer_list<RadioChoice> choices, int checked)
{
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(owner);
    int id = 0;
    for (const RadioChoice& choice : choices) {
        auto* button = named<RadioButton>(choice.name, choice.caption, box);
        if (choice.member)
            *choice.member = button;
        group->addButton(button, id);
        button->setChecked(id++ == checked);
        layout->addWidget(button);
    }
    layout->addStretch();
    return group;
}

QButtonGroup* whereGroup(QWidget* owner, QGroupBox* box, QRadioButton*& starting, QRadioButton*& containing,
                         QRadioButton*& ending)
{
    return radioGroup(owner, box,
                      {{&starting, "rbComecando", "Começando com"},
                       {&containing, "rbContendo", "Contendo"},
                       {&ending, "rbTerminando", "Terminando com"}},
                      1);
}

} // namespace host::ui
