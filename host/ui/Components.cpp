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
};

bool contains(QWidget* outer, QWidget* inner) { return inner && (outer == inner || outer->isAncestorOf(inner)); }

std::vector<FocusWatch>& watches()
{
    static std::vector<FocusWatch> list;
    static bool connected = false;
    if (!connected && qApp) {
        connected = true;
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget* old, QWidget* now) {
            // Copy: a handler may add watches or close windows.
            std::vector<FocusWatch> current = watches();
            for (const auto& watch : current) {
                if (!watch.widget)
                    continue;
                const bool wasIn = contains(watch.widget, old);
                const bool isIn = contains(watch.widget, now);
                if (wasIn && !isIn && watch.onExit)
                    runGuarded(watch.onExit);
                else if (!wasIn && isIn && watch.onEnter)
                    runGuarded(watch.onEnter);
            }
        });
    }
    return list;
}

} // namespace

void watchFocus(QWidget* widget, std::function<void()> onEnter, std::function<void()> onExit)
{
    auto& list = watches();
    std::erase_if(list, [](const FocusWatch& w) { return w.widget.isNull(); });
    list.push_back({widget, std::move(onEnter), std::move(onExit)});
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
