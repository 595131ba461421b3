#include "host/ui/QtDialogBackend.h"

#include "host/ui/Colors.h"
#include "host/ui/Locale.h"

#include <QColorDialog>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace host::ui {
namespace {

QWidget* dialogParent() { return Dialogs::owner(); }

QString titleOr(const QString& title, const QString& fallback) { return title.isEmpty() ? fallback : title; }

// The title bar's font is the window manager's, not ours: measure the title
// generously, bold and a little larger than the larger of our fonts, and never
// smaller than the 12 points bold desktops draw titles in beside a 9-point text.
QFont titleBarFont()
{
    QFont font = QApplication::font();
    const QFont bar = QApplication::font("QMdiSubWindowTitleBar");
    if (QFontInfo(bar).pixelSize() > QFontInfo(font).pixelSize())
        font = bar;
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(std::max(font.pointSizeF() * 1.15, 12.0));
    else
        font.setPixelSize(std::max(qRound(font.pixelSize() * 1.15), 16));
    return font;
}

// The title as its bar shows it: after a window's own title the platform puts
// the program's name, once the main window has named it ("Início da Previsão
// de faturamento — Assistência Técnica").
QString shownTitle(const QDialog& dialog)
{
    const QString title = dialog.windowTitle();
    const QString program = QGuiApplication::applicationDisplayName();
    if (program == QCoreApplication::applicationName() || title.endsWith(program))
        return title;
    return title.isEmpty() ? program : title + QStringLiteral(" \u2014 ") + program;
}

// Wide enough for its whole title beside the title bar's icon and buttons: a
// window manager shortens a title wider than its window ("Entrad...Dados").
void fitTitle(QDialog& dialog)
{
    const int title = QFontMetrics(titleBarFont()).horizontalAdvance(shownTitle(dialog)) + 140;
    // Its layout sizes it to its contents: the text above the answer, or a
    // message's text, holds the width (never a message's icon, which would
    // push the text away to the right). A minimum width set on a label
    // replaces the one its text needs, so it is set only where the text
    // needs less: a wider text keeps its own, and a message box wraps it.
    const bool message = qobject_cast<QMessageBox*>(&dialog);
    QLabel* text = message ? dialog.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")) : dialog.findChild<QLabel*>();
    const int needed = title - (message ? 80 : 20);
    if (text && text->minimumSizeHint().width() < needed)
        text->setMinimumWidth(std::max(text->minimumWidth(), needed));
}

// Runs a dialog modal to the window that opened it.
int execOwned(QDialog& dialog)
{
    fitTitle(dialog);
    Dialogs::attachToOwner(dialog, dialogParent());
    dialog.setWindowModality(Qt::ApplicationModal);
    return dialog.exec();
}

// The caption that declines a question, as the user reads it.
bool declines(const QString& caption)
{
    const QString plain = QString(caption).remove('&').trimmed();
    return plain.compare("Não", Qt::CaseInsensitive) == 0 || plain.compare("Cancelar", Qt::CaseInsensitive) == 0;
}

} // namespace

DialogReply QtDialogBackend::ask(const DialogRequest& request)
{
    switch (request.kind) {
    case DialogKind::Information:
    case DialogKind::Warning:
    case DialogKind::Error: return message(request);
    case DialogKind::LongText: return longText(request);
    case DialogKind::Question: return question(request);
    case DialogKind::TextInput:
    case DialogKind::NumberInput:
    case DialogKind::Password: return input(request);
    case DialogKind::PickList: return pick(request);
    case DialogKind::OpenFile:
    case DialogKind::SaveFile: return file(request);
    case DialogKind::Printer: return printer(request);
    case DialogKind::Color: return color(request);
    case DialogKind::ModalForm: break;
    }
    return {};
}

DialogReply QtDialogBackend::message(const DialogRequest& request)
{
    QMessageBox::Icon icon = request.kind == DialogKind::Error ? QMessageBox::Critical
        : request.kind == DialogKind::Warning                  ? QMessageBox::Warning
                                                               : QMessageBox::Information;
    QMessageBox box(icon, titleOr(request.title, QApplication::applicationDisplayName()), request.text,
                    QMessageBox::Ok, dialogParent());
    if (!request.detail.isEmpty())
        box.setDetailedText(request.detail);
    execOwned(box);
    return {true, {}, 0};
}

DialogReply QtDialogBackend::question(const DialogRequest& request)
{
    QMessageBox box(QMessageBox::Question, titleOr(request.title, QApplication::applicationDisplayName()),
                    request.text, QMessageBox::NoButton, dialogParent());
    QList<QAbstractButton*> buttons;
    QAbstractButton* escape = nullptr;
    for (const QString& caption : request.options) {
        const bool decline = declines(caption);
        buttons << box.addButton(caption, decline ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        if (decline && !escape)
            escape = buttons.last();
    }
    // Esc (and the window's close button) is the declining caption; a
    // question without one closes without a choice.
    if (!escape) {
        escape = box.addButton(QMessageBox::Cancel);
        escape->hide();
    }
    box.setEscapeButton(escape);
    execOwned(box);
    const int index = int(buttons.indexOf(box.clickedButton()));
    if (index < 0)
        return {};
    return {true, request.options.at(index), index};
}

DialogReply QtDialogBackend::longText(const DialogRequest& request)
{
    QDialog dialog(dialogParent());
    dialog.setWindowTitle(titleOr(request.title, QApplication::applicationDisplayName()));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(request.text, &dialog);
    label->setWordWrap(true);
    auto* detail = new QPlainTextEdit(request.detail, &dialog);
    detail->setReadOnly(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(detail);
    layout->addWidget(buttons);
    dialog.resize(640, 420);
    execOwned(dialog);
    return {true, {}, 0};
}

DialogReply QtDialogBackend::input(const DialogRequest& request)
{
    // A number is typed as text and read by the caller in the Brazilian way:
    // Qt's number box would read "950,50" by its own rules and round to its decimals.
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.text);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextEchoMode(request.kind == DialogKind::Password ? QLineEdit::Password : QLineEdit::Normal);
    dialog.setTextValue(request.value);
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        if (request.kind == DialogKind::NumberInput)
            edit->setAlignment(Qt::AlignRight);
        if (request.maxLength > 0)
            edit->setMaxLength(request.maxLength);
    }
    if (execOwned(dialog) != QDialog::Accepted)
        return {false, {}, -1};
    return {true, dialog.textValue(), -1};
}

DialogReply QtDialogBackend::pick(const DialogRequest& request)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.text);
    dialog.setComboBoxItems(request.options);
    dialog.setComboBoxEditable(request.editable);
    dialog.setTextValue(request.editable ? request.value
                                         : request.options.value(std::max(0, int(request.options.indexOf(request.value)))));
    if (execOwned(dialog) != QDialog::Accepted)
        return {};
    const QString item = dialog.textValue();
    return {true, item, int(request.options.indexOf(item))};
}

DialogReply QtDialogBackend::file(const DialogRequest& request)
{
    const bool open = request.kind == DialogKind::OpenFile;
    QFileDialog dialog(dialogParent(), request.title, request.value, Dialogs::qtFileFilter(request.options.value(0)));
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    portugueseFileList(dialog);
    if (execOwned(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {true, dialog.selectedFiles().constFirst(), -1};
}

DialogReply QtDialogBackend::printer(const DialogRequest& request)
{
    const QStringList names = QPrinterInfo::availablePrinterNames();
    if (names.isEmpty()) {
        message({DialogKind::Warning, request.title, "Nenhuma impressora instalada.", {}, {}, {}});
        return {};
    }
    DialogRequest list = request;
    list.options = names;
    if (!names.contains(list.value))
        list.value = QPrinterInfo::defaultPrinterName();
    return pick(list);
}

DialogReply QtDialogBackend::color(const DialogRequest& request)
{
    ColorValue start = clBlack;
    tryStringToColor(request.value, start);
    const QColor chosen = QColorDialog::getColor(toQColor(start), dialogParent(), request.title);
    if (!chosen.isValid())
        return {};
    return {true, colorToString(fromQColor(chosen)), -1};
}

} // namespace host::ui
