#include "host/ui/Dialogs.h"

#include "host/ui/QtDialogBackend.h"

#include "host/data/Format.h"

#include <QApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

#include <utility>
#include <QWindow>

namespace host::ui {

QString dialogKindName(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Information: return "information";
    case DialogKind::Warning: return "warning";
    case DialogKind::Error: return "error";
    case DialogKind::LongText: return "long text";
    case DialogKind::Question: return "question";
    case DialogKind::TextInput: return "text input";
    case DialogKind::NumberInput: return "number input";
    case DialogKind::Password: return "password";
    case DialogKind::PickList: return "pick list";
    case DialogKind::OpenFile: return "open file";
    case DialogKind::SaveFile: return "save file";
    case DialogKind::Printer: return "printer";
    case DialogKind::Color: return "colour";
    case DialogKind::ModalForm: return "modal window";
    }
    return {};
}

bool isMessage(DialogKind kind)
{
    return kind == DialogKind::Information || kind == DialogKind::Warning || kind == DialogKind::Error
        || kind == DialogKind::LongText;
}

HeldMessages::HeldMessages() : previous_(Dialogs::setBackend(this)) {}

HeldMessages::~HeldMessages()
{
    try {
        show();
    } catch (...) {   // a message that fails to show must not end the program from a destructor
    }
}

void HeldMessages::show()
{
    if (!std::exchange(keeping_, false))
        return;
    Dialogs::setBackend(previous_);
    for (const DialogRequest& request : std::exchange(kept_, {}))
        Dialogs::backend().ask(request);
}

DialogReply HeldMessages::ask(const DialogRequest& request)
{
    DialogBackend& previous = previous_ ? *previous_ : Dialogs::onScreen();
    if (!isMessage(request.kind))
        return previous.ask(request);
    kept_.push_back(request);
    return {true, {}, -1};
}

bool HeldMessages::runModal(Form& form) { return previous_ ? previous_->runModal(form) : Dialogs::onScreen().runModal(form); }

namespace Dialogs {
namespace {

DialogBackend*& installed()
{
    static DialogBackend* current = nullptr;
    return current;
}

DialogReply ask(DialogKind kind, const QString& title, const QString& text, const QStringList& options = {},
                const QString& value = {}, const QString& detail = {}, int maxLength = 0)
{
    DialogRequest request;
    request.maxLength = maxLength;
    request.kind = kind;
    request.title = title;
    request.text = text;
    request.options = options;
    request.value = value;
    request.detail = detail;
    return backend().ask(request);
}

} // namespace

DialogBackend& onScreen()
{
    static QtDialogBackend backend;
    return backend;
}

DialogBackend& backend()
{
    DialogBackend* current = installed();
    return current ? *current : onScreen();
}

DialogBackend* setBackend(DialogBackend* backend)
{
    DialogBackend* previous = installed();
    installed() = backend;
    return previous;
}

namespace {

bool isOrdinaryWindow(const QWidget* w)
{
    return w && w->isWindow() && w->isVisible() && !qobject_cast<const QDialog*>(w)
        && !w->windowFlags().testFlag(Qt::SplashScreen) && !w->windowFlags().testFlag(Qt::ToolTip)
        && !w->windowFlags().testFlag(Qt::Popup);
}

// The window left to work in when none is active: one that stays on top
// covers the others, so it is the one in sight.
QWidget* visibleWindow()
{
    QWidget* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!isOrdinaryWindow(w))
            continue;
        if (w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return w;
        if (!found)
            found = w;
    }
    return found;
}

bool anotherStaysOnTop(const QWidget& dialog)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &dialog && w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return true;
    return false;
}

// The window active last: between a dialog closing and its window being
// active again there is no active window, and a dialog opened then must
// not stand alone.
QPointer<QWidget>& lastActiveWindow()
{
    static QPointer<QWidget> lastActive;
    return lastActive;
}

} // namespace

QWidget* owner()
{
    QPointer<QWidget>& lastActive = lastActiveWindow();
    static const bool watching = [] {
        QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
            // Dialogs come and go; the window under them is the one to remember.
            if (now && now->window()->isVisible() && !qobject_cast<QDialog*>(now->window()))
                lastActiveWindow() = now->window();
        });
        return true;
    }();
    (void)watching;
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow()) {
        if (!qobject_cast<QDialog*>(active))
            lastActive = active;
        return active;
    }
    return lastActive && lastActive->isVisible() ? lastActive.data() : visibleWindow();
}

void returnTo(QWidget* window)
{
    if (!window || !window->window()->isVisible())
        return;
    QWidget* top = window->window();
    lastActiveWindow() = top;
    top->raise();
    top->activateWindow();
}

void attachToOwner(QWidget& dialog, QWidget* owner)
{
    QWidget* window = owner ? owner->window() : nullptr;
    if (window == &dialog)
        return;
    // A window that stays on top would otherwise cover the dialog, whether
    // it is the dialog's own or another window of the program.
    if (!dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint) && anotherStaysOnTop(dialog))
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (!window || dialog.parentWidget())
        return;   // a child dialog is transient for its parent's window already
    dialog.winId();
    if (dialog.windowHandle() && window->windowHandle())
        dialog.windowHandle()->setTransientParent(window->windowHandle());
}

bool loadQtTranslations()
{
    static QTranslator* qtbase = nullptr;
    if (qtbase)
        return true;
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QLocale(QLocale::Portuguese, QLocale::Brazil), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    qtbase = translator;
    return true;
}

void information(const QString& text, const QString& title) { ask(DialogKind::Information, title, text); }
void warning(const QString& text, const QString& title) { ask(DialogKind::Warning, title, text); }
void error(const QString& text, const QString& title, const QString& detail)
{
    ask(DialogKind::Error, title, text, {}, {}, detail);
}

void longText(const QString& title, const QString& text, const QString& detail)
{
    ask(DialogKind::LongText, title, text, {}, {}, detail);
}

QString question(const QString& text, const QStringList& captions, const QString& title)
{
    DialogReply reply = ask(DialogKind::Question, title, text, captions);
    return reply.accepted ? reply.text : QString();
}

namespace {
bool askValue(DialogKind kind, const QString& caption, const QString& prompt, QString& value,
              const QStringList& options = {}, int maxLength = 0)
{
    DialogReply reply = ask(kind, caption, prompt, options, value, {}, maxLength);
    if (reply.accepted)
        value = reply.text;
    return reply.accepted;
}
} // namespace

bool inputQuery(const QString& caption, const QString& prompt, QString& value, int maxLength)
{
    return askValue(DialogKind::TextInput, caption, prompt, value, {}, maxLength);
}

bool inputNumber(const QString& caption, const QString& prompt, double& value, const QString& format)
{
    QString text = host::data::formatFloat(format, value);
    while (askValue(DialogKind::NumberInput, caption, prompt, text)) {
        double number = 0;
        if (!text.trimmed().isEmpty() && host::data::parseFloatText(text, number)) {
            value = number;
            return true;
        }
        // Refused, and asked again with the text as typed.
        warning(QString("'%1' não é um valor numérico válido.").arg(text.trimmed()));
    }
    return false;
}

bool password(const QString& caption, const QString& prompt, QString& value)
{
    return askValue(DialogKind::Password, caption, prompt, value);
}

bool chooseOrEnter(const QString& caption, const QString& prompt, const QStringList& items, QString& value)
{
    DialogRequest request;
    request.kind = DialogKind::PickList;
    request.title = caption;
    request.text = prompt;
    request.options = items;
    request.value = value;
    request.editable = true;
    DialogReply reply = backend().ask(request);
    if (!reply.accepted)
        return false;
    value = reply.text;
    return true;
}

bool pickFromList(const QString& caption, const QString& prompt, const QStringList& items, int& index)
{
    DialogRequest request;
    request.kind = DialogKind::PickList;
    request.title = caption;
    request.text = prompt;
    request.options = items;
    request.value = index >= 0 && index < items.size() ? items.at(index) : QString();
    DialogReply reply = backend().ask(request);
    if (!reply.accepted)
        return false;
    int chosen = reply.index >= 0 ? reply.index : int(items.indexOf(reply.text));
    if (chosen < 0 || chosen >= items.size())
        return false;
    index = chosen;
    return true;
}

bool openFile(const QString& title, const QString& filter, QString& path)
{
    return askValue(DialogKind::OpenFile, title, title, path, {filter});
}

bool saveFile(const QString& title, const QString& filter, QString& path)
{
    return askValue(DialogKind::SaveFile, title, title, path, {filter});
}

bool choosePrinter(QString& printerName)
{
    return askValue(DialogKind::Printer, "Impressora", "Impressora", printerName);
}

bool chooseColor(QString& color)
{
    return askValue(DialogKind::Color, "Cor", "Cor", color);
}

QString qtFileFilter(const QString& classicFilter)
{
    const QStringList parts = classicFilter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns = QString(parts.at(i + 1)).replace(';', ' ').trimmed();
        filters << (description.contains('(') ? description : description + " (" + patterns + ")");
    }
    if (parts.size() % 2 == 1 && !parts.last().trimmed().isEmpty())
        filters << parts.last().trimmed();
    return filters.join(";;");
}

} // namespace Dialogs
} // namespace host::ui
