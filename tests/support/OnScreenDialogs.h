#pragma once
// Real dialogs in a test: the on-screen backend is installed, and every
// modal window that opens is noted (its text, buttons, the window it belongs
// to) and closed by the next scripted button caption, or by Esc when none is
// left. What scripted dialogs cannot show: the focus moves to the dialog and
// a nested event loop runs while it is open.

#include "host/ui/Dialogs.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <vector>

class QComboBox;

class QWindow;

namespace testsupport {

class OnScreenDialogs : public QObject {
public:
    struct Seen {
        QString className;
        QString title;             // its title bar's text
        QString text;              // a message box's text or a dialog's labels
        QStringList buttons;       // the captions of its buttons
        QString value;             // what its text box showed when it opened
        QPointer<QWidget> parent;  // the widget it was opened on
        QWindow* transientParent = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
        bool stayOnTop = false;
    };

    OnScreenDialogs();
    ~OnScreenDialogs() override;

    // The caption of the button to press on the next dialog ("" presses Esc).
    OnScreenDialogs& press(const QString& caption);
    // Presses `key` on the next dialog, as the user answering it from the
    // keyboard (Enter takes its default button).
    OnScreenDialogs& key(Qt::Key key);
    // Types `text` over the next dialog's text box, key by key, then presses `caption`.
    OnScreenDialogs& type(const QString& text, const QString& caption = "OK");
    // Runs `action` on the next dialog or modal window, then closes it (Esc).
    OnScreenDialogs& inspect(std::function<void(QWidget& dialog)> action);
    // Something to run while the next dialog is open, before it is closed.
    OnScreenDialogs& whileOpen(std::function<void(QWidget& dialog)> action);

    const std::vector<Seen>& seen() const { return seen_; }
    QStringList texts() const;

private:
    void poll();

    host::ui::DialogBackend* previous_ = nullptr;
    QTimer timer_;
    struct Step {
        QString caption;
        bool typing = false;
        QString text;
        std::function<void(QWidget&)> action;
        Qt::Key key = Qt::Key_unknown;
    };
    std::deque<Step> presses_;
    std::function<void(QWidget&)> whileOpen_;
    std::vector<Seen> seen_;
    QPointer<QWidget> handled_;
    QElapsedTimer answered_;   // since the dialog in `handled_` was answered
};

// The list's item at `indice`, reached with the arrow keys from the first
// as a keyboard's user does, then the list left with Tab.
void escolheComSetas(QComboBox& lista, int indice);

}  // namespace testsupport
