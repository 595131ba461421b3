#include "tests/support/OnScreenDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace testsupport {

namespace {

// A dialog still open this long after it was answered (one that refuses its
// answer, or the same window opened again) fails the test instead of holding
// its event loop for ever.
constexpr int kStillOpenLimitMs = 30000;

// Closes a dialog that did not close when answered, failing the test with its text.
void giveUpOn(QWidget& dialog, const QString& text)
{
    ADD_FAILURE() << "the dialog \"" << dialog.windowTitle().toStdString() << "\" (" << text.toStdString()
                  << ") was still open " << kStillOpenLimitMs / 1000 << " s after it was answered";
    if (auto* box = qobject_cast<QDialog*>(&dialog))
        box->reject();
    else
        dialog.close();
    if (dialog.isVisible())
        dialog.hide();
}

}  // namespace

OnScreenDialogs::OnScreenDialogs() : previous_(host::ui::Dialogs::setBackend(nullptr))
{
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &OnScreenDialogs::poll);
    timer_.start();
}

OnScreenDialogs::~OnScreenDialogs() { host::ui::Dialogs::setBackend(previous_); }

OnScreenDialogs& OnScreenDialogs::press(const QString& caption)
{
    presses_.push_back({caption});
    return *this;
}

OnScreenDialogs& OnScreenDialogs::inspect(std::function<void(QWidget&)> action)
{
    presses_.push_back({QString(), false, QString(), std::move(action)});
    return *this;
}

OnScreenDialogs& OnScreenDialogs::key(Qt::Key key)
{
    Step step;
    step.key = key;
    presses_.push_back(step);
    return *this;
}

OnScreenDialogs& OnScreenDialogs::type(const QString& text, const QString& caption)
{
    presses_.push_back({caption, true, text});
    return *this;
}

OnScreenDialogs& OnScreenDialogs::whileOpen(std::function<void(QWidget&)> action)
{
    whileOpen_ = std::move(action);
    return *this;
}

QStringList OnScreenDialogs::texts() const
{
    QStringList result;
    for (const Seen& s : seen_)
        result << s.text;
    return result;
}

void OnScreenDialogs::poll()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog || !dialog->isVisible())
        return;
    if (dialog == handled_) {
        if (answered_.isValid() && answered_.elapsed() > kStillOpenLimitMs) {
            answered_.invalidate();
            giveUpOn(*dialog, seen_.empty() ? QString() : seen_.back().text);
        }
        return;
    }
    // As on screen, the dialog takes the focus before the user answers it
    // (the offscreen platform does not always activate it by itself).
    if (QApplication::activeWindow() != dialog) {
        QApplication::setActiveWindow(dialog);
        return;
    }
    handled_ = dialog;
    answered_.start();
    Seen seen;
    seen.className = dialog->metaObject()->className();
    seen.title = dialog->windowTitle();
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        seen.text = box->text();
    } else {
        QStringList labels;
        for (QLabel* label : dialog->findChildren<QLabel*>())
            labels << label->text();
        seen.text = labels.join('\n');
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        if (button->isVisible())
            seen.buttons << button->text().remove('&');
    if (auto* box = dialog->findChild<QLineEdit*>())
        seen.value = box->text();
    seen.parent = dialog->parentWidget();
    seen.transientParent = dialog->windowHandle() ? dialog->windowHandle()->transientParent() : nullptr;
    seen.modality = dialog->windowModality();
    seen.stayOnTop = dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    seen_.push_back(seen);
    if (whileOpen_) {
        auto action = std::move(whileOpen_);
        whileOpen_ = nullptr;
        action(*dialog);
    }
    const Step step = presses_.empty() ? Step{} : presses_.front();
    if (!presses_.empty())
        presses_.pop_front();
    const QString caption = step.caption;
    if (step.action)
        step.action(*dialog);
    if (step.typing)
        if (auto* box = dialog->findChild<QLineEdit*>()) {
            box->setFocus();
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, step.text);
        }
    if (step.key != Qt::Key_unknown) {
        QWidget* focused = QApplication::focusWidget();
        const QPointer<QWidget> open(dialog);
        QTest::keyClick(focused && focused->window() == dialog ? focused : dialog, step.key);
        // A modal window the key left open is closed as its close button would.
        if (open && open->isVisible() && !qobject_cast<QDialog*>(open))
            open->close();
        return;
    }
    if (!qobject_cast<QDialog*>(dialog)) {   // a modal window: closed as its close button would
        dialog->close();
        return;
    }
    if (!caption.isEmpty())
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text().remove('&') == caption) {
                button->click();
                return;
            }
    QTest::keyClick(dialog, Qt::Key_Escape);
}

void escolheComSetas(QComboBox& lista, int indice)
{
    lista.setFocus();
    QTest::keyClick(&lista, Qt::Key_Home);
    for (int n = 0; n < indice; ++n)
        QTest::keyClick(&lista, Qt::Key_Down);
    QTest::keyClick(&lista, Qt::Key_Tab);
}

}  // namespace testsupport
