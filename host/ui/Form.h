#pragma once
// The base of every window: a top-level Qt widget built in code, with the
// classic window behaviours the screens are described in: modal show with a
// modal result, close actions, key preview, stay-on-top, centring,
// maximising, a tag and the usual form events.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QEventLoop;
class QScrollArea;
class QTimer;

namespace host::data {
class Dataset;
}

namespace host::ui {

enum class ModalResult { None, Ok, Cancel, Abort, Retry, Ignore, Yes, No, Close };
enum class CloseAction { None, Hide, Free, Minimize };

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    void setCaption(const QString& caption) { setWindowTitle(caption); }
    QString caption() const { return windowTitle(); }
    int tag() const { return property("tag").toInt(); }
    void setTag(int tag) { setProperty("tag", tag); }

    // Placement applied whenever the form is shown.
    void setStayOnTop(bool on);
    bool stayOnTop() const;
    void setCentered(bool on) { centered_ = on; }
    bool centered() const { return centered_; }
    void setStartMaximized(bool on) { startMaximized_ = on; }
    bool startMaximized() const { return startMaximized_; }
    void setClientWidth(int width) { resize(width, height()); }
    void setClientHeight(int height) { resize(width(), height); }

    // A window larger than the free area of the screen it opens on keeps its
    // designed size: its contents move into a scroll area and the window
    // takes at most that area. Runs when the form is first shown (on its
    // screen's available geometry); true once the contents scroll.
    bool fitToScreen(const QRect& available);
    // The scroll area holding the contents, once they did not fit.
    QScrollArea* contentScroll() const { return contentScroll_; }

    // Modal show: returns once the modal result is set or the form closed
    // (a close without a result counts as Cancel).
    ModalResult showModal();
    void showNonModal();
    bool showingModal() const { return inModal_; }
    ModalResult modalResult() const { return modalResult_; }
    // While shown modally, a result other than None closes the form.
    void setModalResult(ModalResult result);

    // The close action when no handler changes it (classic default: hide).
    void setDefaultCloseAction(CloseAction action) { defaultCloseAction_ = action; }
    // True once the form has been freed by its close action (deletion is
    // deferred to the event loop; the form is already gone for its variable).
    bool released() const { return released_; }
    // Frees the form from its own code (deferred, like close with Free).
    void release();

    // Key preview: onKeyDown sees each key pressed in the form before the
    // focused control; setting the key to 0 consumes it.
    void setKeyPreview(bool on) { keyPreview_ = on; }
    bool keyPreview() const { return keyPreview_; }

    // A timer owned by the form, enabled at once; the handler runs on every tick.
    QTimer* addTimer(const QString& name, int intervalMs, std::function<void()> onTimer);

    template <class T>
    T* component(const QString& name) const { return findChild<T*>(name); }

    // ---- what the user typed (FormChanges.cpp) ----
    // The datasets the window works on: those of its data-aware controls and
    // grids, in the order of the controls, then those added here (edited by
    // the window's code with no control on them), each once.
    void addDataset(host::data::Dataset* dataset);
    std::vector<host::data::Dataset*> datasets() const;
    // A row of those datasets is being typed and holds changes (or the
    // window reports changes of its own through onPendingChanges).
    bool hasPendingChanges() const;
    // Posts every row being typed, in the order of the datasets, as leaving
    // it in a grid does (an untouched new row is let go); a refusal stops
    // there and passes on, the row kept on screen.
    void postPendingRows();
    void cancelPendingRows();
    // The window's save: every pending row posted, then the transactions of
    // its datasets committed (retaining), even when nothing was typed, so
    // writes left to the next commit are stored by it.
    void saveChanges();
    // Closing a window with changes asks "Deseja salvar as alterações ?":
    // "Sim" saves (onSaveChanges when set, else saveChanges), "Não" lets the
    // changes go (cancelPendingRows, then onDiscardChanges), "Cancelar"
    // keeps the window open. A modal dialog is not asked: closing it is its
    // cancel, and its caller decides what stays.
    void setAskOnClose(bool on) { askOnClose_ = on; }
    bool askOnClose() const { return askOnClose_; }
    std::function<bool()> onPendingChanges;
    std::function<void()> onSaveChanges;
    std::function<void()> onDiscardChanges;
    // The close question, when there are changes: false when the user stays.
    bool confirmClose();
    // The same question asked now, whatever is pending (a window leaving a
    // record whose changes it holds asks it too): false when the user stays
    // or the save is refused.
    bool askToSaveChanges();

    std::function<void()> onCreate;      // run once by the form's variable after storing it
    std::function<void()> onShow;
    std::function<void()> onActivate;
    std::function<void()> onDeactivate;
    std::function<void(bool& canClose)> onCloseQuery;
    std::function<void(CloseAction& action)> onClose;
    std::function<void(int& key, Qt::KeyboardModifiers shift)> onKeyDown;

    // Runs onCreate once (the window variable calls it after storing the form).
    void runCreate();
    // The key preview entry point (also used by the application-wide filter).
    bool previewKey(int key, Qt::KeyboardModifiers modifiers);

    void setVisible(bool visible) override;

protected:
    // For a window whose data sources are members: its controls go first,
    // with no focus handler of the window running while they are torn down.
    void destroyControls();
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool event(QEvent* event) override;
    // Enter no control took (FormKeys.cpp): the focused button's click, else
    // the window's default button's, as in a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyPlacement();
    void fitToOwnScreen();
    // A window shown is moved wholly inside the free area of its screen,
    // however its place came about (its code, a layout kept from a larger
    // screen or one gone, the window manager, the user before it was
    // hidden): when shown, and again once the window manager placed it
    // and its frame is known.
    void keepInsideScreen();
    void endModal();
    bool ownDialogOpen() const;
    void leaveWindow();

    bool centered_ = false;
    bool placed_ = false;   // centred or maximised as asked, by whichever way it was first shown
    bool startMaximized_ = false;
    bool keyPreview_ = false;
    bool inModal_ = false;
    bool released_ = false;
    bool created_ = false;
    bool answeringDialog_ = false;   // deactivated by a dialog of its own
    bool entered_ = false;           // activated, not left yet
    bool placingAfterShow_ = false;  // shown, the window manager's placement still to come
    bool askOnClose_ = true;
    bool confirmingClose_ = false;
    std::vector<host::data::Dataset*> addedDatasets_;
    ModalResult modalResult_ = ModalResult::None;
    CloseAction defaultCloseAction_ = CloseAction::Hide;
    QEventLoop* loop_ = nullptr;
    QScrollArea* contentScroll_ = nullptr;
    ModalResult* resultSink_ = nullptr;   // the running showModal's result
};

} // namespace host::ui
