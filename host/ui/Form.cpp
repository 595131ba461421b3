#include "host/ui/Form.h"

#include "host/ui/Components.h"
#include "host/ui/DataControl.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"
#include "host/ui/WindowRegistry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <QTimer>

namespace host::ui {
namespace {

bool typingInField(QWidget* widget)
{
    for (QWidget* w = widget; w && !w->isWindow(); w = w->parentWidget())
        if (auto* control = dynamic_cast<DataControl*>(w))
            return control->typedNotWritten();
    return false;
}


// Sends each key press to the form of its receiver before the receiver sees
// it. Qt offers a key event again to each parent while it stays unaccepted;
// only the first delivery (the focused control) is previewed.
class KeyPreviewFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            if (event->type() == QEvent::KeyRelease)
                previewed_ = {};
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || offeredAgain(event, widget))
            return false;
        previewed_ = {event, widget};
        auto* form = qobject_cast<Form*>(widget->window());
        if (!form || !form->keyPreview())
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        // Esc in a field holding typed text gives the field its stored value
        // back first; the window's own Esc waits for the next one.
        if (key->key() == Qt::Key_Escape && typingInField(widget))
            return false;
        const QPointer<QWidget> receiver(widget);
        const bool consumed = form->previewKey(key->key(), key->modifiers());
        // Keys answering a dialog the command opened were seen meanwhile:
        // this press is still the one Qt goes on offering to the parents.
        previewed_ = {event, receiver};
        // The command closed the control the key was aimed at (a cell
        // editor): nothing is left to deliver it to.
        return consumed || !receiver;
    }

private:
    bool offeredAgain(const QEvent* event, const QWidget* widget) const
    {
        return event == previewed_.event && previewed_.receiver && widget != previewed_.receiver
            && widget->isAncestorOf(previewed_.receiver);
    }

    struct Previewed {
        const QEvent* event = nullptr;
        QPointer<QWidget> receiver;
    };
    Previewed previewed_;
};

void installKeyPreview()
{
    static QPointer<KeyPreviewFilter> filter;
    if (!filter && qApp) {
        filter = new KeyPreviewFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window)
{
    installKeyPreview();
    WindowRegistry::added(this);
}

void Form::destroyControls()
{
    forgetFocusWatches(this);
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

Form::~Form()
{
    forgetFocusWatches(this);
    if (loop_)
        loop_->quit();
    WindowRegistry::removed(this);
}

void Form::setStayOnTop(bool on) { setWindowFlag(Qt::WindowStaysOnTopHint, on); }

bool Form::stayOnTop() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

void Form::runCreate()
{
    if (created_)
        return;
    created_ = true;
    if (onCreate)
        onCreate();
}

void Form::applyPlacement()
{
    placed_ = true;
    // Centred at the size it will have.
    fitToOwnScreen();
    if (centered_) {
        if (QScreen* screen = QApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    if (startMaximized_)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void Form::showNonModal()
{
    // Opened from a window that stays on top, it would open hidden under it.
    if (QWidget* opener = QApplication::activeWindow();
        opener && opener != this && opener->windowFlags().testFlag(Qt::WindowStaysOnTopHint) && !stayOnTop())
        setStayOnTop(true);
    applyPlacement();
    show();
    // A minimised window picked again comes back as it was left.
    if (windowState().testFlag(Qt::WindowMinimized))
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

ModalResult Form::showModal()
{
    if (inModal_)
        return modalResult_;
    QPointer<Form> self(this);
    ModalResult result = ModalResult::None;
    modalResult_ = ModalResult::None;
    inModal_ = true;
    resultSink_ = &result;
    // Modal to the window that opens it, and never behind it.
    QPointer<QWidget> opener = Dialogs::owner();
    Dialogs::attachToOwner(*this, opener);
    // Closed, however it ends, the user is back in the window that opened it.
    struct Devolve {
        QPointer<QWidget> opener;
        const Form* self;
        ~Devolve()
        {
            if (opener != self)
                Dialogs::returnTo(opener);
        }
    } devolve{opener, this};
    setWindowModality(Qt::ApplicationModal);
    applyPlacement();
    show();
    activateWindow();
    bool driven = false;
    try {
        driven = Dialogs::backend().runModal(*this);
    } catch (...) {
        if (self) {
            resultSink_ = nullptr;
            inModal_ = false;
            hide();
            setWindowModality(Qt::NonModal);
        }
        throw;
    }
    if (self && inModal_ && driven) {
        // A script that set no result leaves the window as a cancel would.
        if (modalResult_ == ModalResult::None)
            setModalResult(ModalResult::Cancel);
        if (self && inModal_)
            endModal();
    }
    if (self && inModal_) {
        QEventLoop loop;
        loop_ = &loop;
        loop.exec(QEventLoop::DialogExec);
        if (self)
            loop_ = nullptr;
    }
    if (self) {
        setWindowModality(Qt::NonModal);
        resultSink_ = nullptr;
        inModal_ = false;
    }
    return result;
}

void Form::setModalResult(ModalResult result)
{
    modalResult_ = result;
    if (resultSink_)
        *resultSink_ = result;
    if (inModal_ && result != ModalResult::None)
        close();
}

void Form::endModal()
{
    if (modalResult_ == ModalResult::None)
        modalResult_ = ModalResult::Cancel;
    if (resultSink_)
        *resultSink_ = modalResult_;
    inModal_ = false;
    if (isVisible())
        hide();
    if (loop_)
        loop_->quit();
}

void Form::release()
{
    if (released_)
        return;
    released_ = true;
    WindowRegistry::released(this);
    deleteLater();
}

void Form::closeEvent(QCloseEvent* event)
{
    // A handler's failure is shown and keeps the window open.
    bool canClose = true;
    // A modal dialog's close is its cancel: its caller decides what stays.
    if (!inModal_ && !confirmClose())
        canClose = false;
    else if (onCloseQuery && !runGuarded([&] { onCloseQuery(canClose); }))
        canClose = false;
    CloseAction action = inModal_ ? CloseAction::Hide : defaultCloseAction_;
    if (canClose && onClose && !runGuarded([&] { onClose(action); }))
        action = CloseAction::None;
    if (!canClose || action == CloseAction::None) {
        event->ignore();
        if (inModal_)
            setModalResult(ModalResult::None);
        return;
    }
    if (action == CloseAction::Minimize) {
        event->ignore();
        showMinimized();
        return;
    }
    event->accept();
    if (inModal_)
        endModal();
    if (action == CloseAction::Free)
        release();
}

void Form::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (onShow && !event->spontaneous())
        runGuarded(onShow);
    if (!event->spontaneous()) {
        keepInsideScreen();
        placingAfterShow_ = true;
    }
}

// A message, question or picker this window opened: the user has not left
// the window, it only answers it.
bool Form::ownDialogOpen() const
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == this)
        return false;
    if (modal->parentWidget() && modal->parentWidget()->window() == this)
        return true;
    return modal->windowHandle() && windowHandle() && modal->windowHandle()->transientParent() == windowHandle();
}

namespace {

// The window whose activation ran last and that has not been left yet.
QPointer<Form>& enteredForm()
{
    static QPointer<Form> form;
    return form;
}

}  // namespace

// Leaving the window ends its work (lists closed, lines stored); its own
// dialog must not: the lines being typed and the texts shown stay. Runs
// once per activation.
void Form::leaveWindow()
{
    if (!entered_)
        return;
    entered_ = false;
    if (enteredForm() == this)
        enteredForm() = nullptr;
    answeringDialog_ = ownDialogOpen();
    if (onDeactivate && !answeringDialog_)
        runGuarded(onDeactivate);
}

bool Form::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        WindowRegistry::activated(this);
        // Qt activates the new window before it deactivates the old one: the
        // old one is left first, so that what it closes on leaving (shared
        // lists, lines) is not what the new one has just opened.
        if (Form* left = enteredForm(); left && left != this)
            left->leaveWindow();
        enteredForm() = this;
        entered_ = true;
        // Back from its own dialog, the window was never left.
        if (onActivate && !answeringDialog_)
            runGuarded(onActivate);
        answeringDialog_ = false;
    } else if (event->type() == QEvent::WindowDeactivate) {
        leaveWindow();
    }
    return QWidget::event(event);
}

bool Form::previewKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (!onKeyDown)
        return false;
    // A failing handler ends the key there, as one that consumed it.
    int k = key;
    return !runGuarded([&] { onKeyDown(k, modifiers); }) || k == 0;
}

QTimer* Form::addTimer(const QString& name, int intervalMs, std::function<void()> onTimer)
{
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, this, [handler = std::move(onTimer)] {
        if (handler)
            runGuarded(handler);
    });
    timer->start();
    return timer;
}

} // namespace host::ui
