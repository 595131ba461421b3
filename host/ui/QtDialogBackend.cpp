#include "host/ui/QtDialogBackend.h"

#include "host/ui/Colors.h"

#include <QColorDialog>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace host::ui {
namespace {

QWidget* dialogParent() { return QApplication::activeWindow(); }

QString titleOr(const QString& title, const QString& fallback) { return title.isEmpty() ? fallback : title; }

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
    box.exec();
    return {true, {}, 0};
}

DialogReply QtDialogBackend::question(const DialogRequest& request)
{
    QMessageBox box(QMessageBox::Question, titleOr(request.title, QApplication::applicationDisplayName()),
                    request.text, QMessageBox::NoButton, dialogParent());
    QList<QAbstractButton*> buttons;
    for (const QString& caption : request.options)
        buttons << box.addButton(caption, QMessageBox::AcceptRole);
    box.exec();
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
    dialog.exec();
    return {true, {}, 0};
}

DialogReply QtDialogBackend::input(const DialogRequest& request)
{
    bool ok = false;
    QString text;
    if (request.kind == DialogKind::NumberInput) {
        double value = QInputDialog::getDouble(dialogParent(), request.title, request.text, request.value.toDouble(),
                                               -1e15, 1e15, 4, &ok);
        text = QString::number(value);
    } else {
        QLineEdit::EchoMode echo = request.kind == DialogKind::Password ? QLineEdit::Password : QLineEdit::Normal;
        text = QInputDialog::getText(dialogParent(), request.title, request.text, echo, request.value, &ok);
    }
    return {ok, ok ? text : QString(), -1};
}

DialogReply QtDialogBackend::pick(const DialogRequest& request)
{
    bool ok = false;
    const int current = std::max(0, int(request.options.indexOf(request.value)));
    QString item = QInputDialog::getItem(dialogParent(), request.title, request.text, request.options, current,
                                         false, &ok);
    if (!ok)
        return {};
    return {true, item, int(request.options.indexOf(item))};
}

DialogReply QtDialogBackend::file(const DialogRequest& request)
{
    const QString filter = Dialogs::qtFileFilter(request.options.value(0));
    QString path = request.kind == DialogKind::OpenFile
        ? QFileDialog::getOpenFileName(dialogParent(), request.title, request.value, filter)
        : QFileDialog::getSaveFileName(dialogParent(), request.title, request.value, filter);
    if (path.isEmpty())
        return {};
    return {true, path, -1};
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
    const QColor chosen = QColorDialog::getColor(toQColor(start), nullptr, request.title);
    if (!chosen.isValid())
        return {};
    return {true, colorToString(fromQColor(chosen)), -1};
}

} // namespace host::ui
