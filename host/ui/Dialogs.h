#pragma once
// The one entry point for every message, question and prompt. On screen a
// Qt backend shows real dialogs; tests install a ScriptedDialogs backend that
// answers in order and records every text shown.

#include <QString>
#include <QStringList>

#include <vector>

class QWidget;

namespace host::ui {

class Form;

enum class DialogKind {
    Information, Warning, Error, LongText,                 // messages
    Question,                                              // custom buttons
    TextInput, NumberInput, Password, PickList,            // prompts with a value
    OpenFile, SaveFile, Printer, Color,                    // system choices
    ModalForm                                              // a form shown modally
};
QString dialogKindName(DialogKind kind);
bool isMessage(DialogKind kind);

struct DialogRequest {
    DialogKind kind = DialogKind::Information;
    QString title;
    QString text;          // the message or the prompt
    QString detail;        // long text body
    QStringList options;   // button captions, list items or file filters
    QString value;         // initial value of an input
    bool editable = false; // a list whose value may also be typed
    int maxLength = 0;     // the room of a text input (0: no limit)
};

struct DialogReply {
    bool accepted = false;
    QString text;          // caption chosen, value entered, file or printer chosen
    int index = -1;        // position of the caption or item chosen
};

class DialogBackend {
public:
    virtual ~DialogBackend() = default;
    virtual DialogReply ask(const DialogRequest& request) = 0;
    // Called once a modal form is shown. A backend that drives the form itself
    // returns true (the form must then have its modal result or be closed);
    // false lets the form run its own modal loop.
    virtual bool runModal(Form& form) { return false; }
};

// While one lives, messages (information, warning, error, long text) are
// kept instead of shown, and shown in their order at show() or when it
// goes: what a routine holds that others wait for (a start's turn on the
// database) is never held while a message waits for a person. Questions,
// prompts and forms are asked at once: their answers are needed.
class HeldMessages : public DialogBackend {
public:
    HeldMessages();
    ~HeldMessages() override;
    HeldMessages(const HeldMessages&) = delete;
    HeldMessages& operator=(const HeldMessages&) = delete;
    // Stops keeping and shows those kept.
    void show();
    DialogReply ask(const DialogRequest& request) override;
    bool runModal(Form& form) override;

private:
    DialogBackend* previous_;
    std::vector<DialogRequest> kept_;
    bool keeping_ = true;
};

namespace Dialogs {

DialogBackend& backend();
// The on-screen backend, whatever is installed.
DialogBackend& onScreen();
// Installs a backend (nullptr: the on-screen one) and returns the previous one.
DialogBackend* setBackend(DialogBackend* backend);

void information(const QString& text, const QString& title = {});
void warning(const QString& text, const QString& title = {});
// detail: shown on request (the engine's own words of a failure).
void error(const QString& text, const QString& title = {}, const QString& detail = {});
// A long text with its detail (a SQL text, a list): the detail is scrollable.
void longText(const QString& title, const QString& text, const QString& detail);
// Buttons with the given captions; the caption chosen, empty when the
// dialog was closed without a choice.
QString question(const QString& text, const QStringList& captions, const QString& title = {});

// maxLength: the most the box takes (the room of the column the text goes
// to), so the user sees where it stops; 0 for no limit.
bool inputQuery(const QString& caption, const QString& prompt, QString& value, int maxLength = 0);
// A number typed the Brazilian way ("950,50", "1.234,56"), starting at value
// shown through the display format; a text that is no number is refused with
// a message and asked again.
bool inputNumber(const QString& caption, const QString& prompt, double& value,
                 const QString& format = "###,###,##0.00##");
bool password(const QString& caption, const QString& prompt, QString& value);
bool pickFromList(const QString& caption, const QString& prompt, const QStringList& items, int& index);
// One of the items, or any text typed instead; value goes in as the initial
// text and comes out as the text confirmed.
bool chooseOrEnter(const QString& caption, const QString& prompt, const QStringList& items, QString& value);
// Filters in the classic "Bitmap (*.bmp)|*.bmp" form, several pairs allowed.
bool openFile(const QString& title, const QString& filter, QString& path);
bool saveFile(const QString& title, const QString& filter, QString& path);
bool choosePrinter(QString& printerName);
// The colour dialog, starting on `color`; the value goes in and out as the
// classic colour text ("clRed", "$00FF8000"), so it round-trips stored texts.
bool chooseColor(QString& color);

// "Bitmap (*.bmp)|*.bmp|Todos (*.*)|*.*" -> Qt's "Bitmap (*.bmp);;Todos (*.*)".
QString qtFileFilter(const QString& classicFilter);

// The window a dialog opened now belongs to: the modal window open, else the
// active window (none: the dialog stands alone).
QWidget* owner();
// Makes a dialog about to be shown belong to its owner's window: transient
// for it (a window manager keeps it over that window and never behind it),
// and staying on top when that window does. Call before the dialog is shown.
void attachToOwner(QWidget& dialog, QWidget* owner);
// The window a modal window closing hands the user back to: made active, and
// the owner of the dialogs that follow until another window is chosen
// (without it they went to whatever window was in sight, which the window
// manager then brought over the one the user worked in).
void returnTo(QWidget* window);
// Loads Qt's own Portuguese texts (standard buttons "Cancelar", "Sim",
// "Não"...) into the application; false when they are not installed.
bool loadQtTranslations();

} // namespace Dialogs
} // namespace host::ui
