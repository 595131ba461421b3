#include "host/ui/ScriptedDialogs.h"

#include <QCoreApplication>

namespace host::ui {
namespace {

QString describe(const DialogRequest& request)
{
    QString text = dialogKindName(request.kind) + " \"" + request.text + "\"";
    if (!request.options.isEmpty() && request.kind == DialogKind::Question)
        text += " [" + request.options.join(", ") + "]";
    return text;
}

} // namespace

ScriptedDialogs::ScriptedDialogs(FailureHandler onFailure) : onFailure_(std::move(onFailure))
{
    if (!onFailure_)
        onFailure_ = [](const QString& message) { throw UnexpectedDialog(message); };
    previous_ = Dialogs::setBackend(this);
}

ScriptedDialogs::~ScriptedDialogs() { Dialogs::setBackend(previous_); }

ScriptedDialogs& ScriptedDialogs::add(Step step)
{
    steps_.push_back(std::move(step));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::acknowledge(const QString& expected)
{
    return add({StepKind::Acknowledge, {}, -1, expected, {}});
}

ScriptedDialogs& ScriptedDialogs::meanwhile(std::function<void()> action)
{
    if (steps_.empty())
        throw std::logic_error("meanwhile: no step to run beside");
    steps_.back().meanwhile = std::move(action);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answer(const QString& caption, const QString& expected)
{
    return add({StepKind::Answer, caption, -1, expected, {}});
}

ScriptedDialogs& ScriptedDialogs::enter(const QString& value, const QString& expected)
{
    return add({StepKind::Enter, value, -1, expected, {}});
}

ScriptedDialogs& ScriptedDialogs::pick(int index, const QString& expected)
{
    return add({StepKind::Pick, {}, index, expected, {}});
}

ScriptedDialogs& ScriptedDialogs::cancel(const QString& expected)
{
    return add({StepKind::Cancel, {}, -1, expected, {}});
}

ScriptedDialogs& ScriptedDialogs::modal(const QString& formName, std::function<void(Form&)> action)
{
    return add({StepKind::Modal, formName, -1, {}, std::move(action)});
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const auto& request : shown_)
        result << request.text;
    return result;
}

bool ScriptedDialogs::accepts(const Step& step, const DialogRequest& request) const
{
    if (!step.expected.isEmpty() && !request.text.contains(step.expected))
        return false;
    switch (step.kind) {
    case StepKind::Acknowledge: return isMessage(request.kind);
    case StepKind::Answer: return request.kind == DialogKind::Question;
    case StepKind::Enter:
        return !isMessage(request.kind) && request.kind != DialogKind::Question
            && request.kind != DialogKind::ModalForm;
    case StepKind::Pick: return request.kind == DialogKind::PickList;
    case StepKind::Cancel: return request.kind != DialogKind::ModalForm;
    case StepKind::Modal: return request.kind == DialogKind::ModalForm && (step.value.isEmpty() || step.value == request.title);
    }
    return false;
}

DialogReply ScriptedDialogs::fail(const QString& message)
{
    failures_ << message;
    onFailure_(message);
    return {};
}

DialogReply ScriptedDialogs::reply(const Step& step, const DialogRequest& request)
{
    switch (step.kind) {
    case StepKind::Acknowledge: return {true, {}, 0};
    case StepKind::Cancel: return {};
    case StepKind::Answer: {
        const int index = int(request.options.indexOf(step.value));
        if (index < 0)
            return fail("scripted answer \"" + step.value + "\" is not offered by " + describe(request));
        return {true, step.value, index};
    }
    case StepKind::Enter: {
        // A box with a room takes no more than it, as the on-screen one.
        if (request.kind != DialogKind::PickList || request.editable)
            return {true, request.maxLength > 0 ? step.value.left(request.maxLength) : step.value,
                    int(request.options.indexOf(step.value))};
        const int index = int(request.options.indexOf(step.value));
        if (index < 0)
            return fail("scripted item \"" + step.value + "\" is not in " + describe(request));
        return {true, step.value, index};
    }
    case StepKind::Pick:
        if (step.index < 0 || step.index >= request.options.size())
            return fail("scripted item " + QString::number(step.index) + " is not in " + describe(request));
        return {true, request.options.at(step.index), step.index};
    case StepKind::Modal: return {true, {}, -1};
    }
    return {};
}

DialogReply ScriptedDialogs::ask(const DialogRequest& request)
{
    shown_.push_back(request);
    if (isMessage(request.kind) && failures_.contains(request.text)) {
        // The script's own failure shown as an error by a guarded handler:
        // acknowledging it would hide it from the test.
        onFailure_(request.text);
        return {};
    }
    if (autoAcknowledge_ && isMessage(request.kind)
        && (steps_.empty() || steps_.front().kind != StepKind::Acknowledge))
        return {true, {}, 0};
    if (steps_.empty())
        return fail("unexpected " + describe(request));
    Step step = steps_.front();
    if (!accepts(step, request))
        return fail("unexpected " + describe(request)
                    + (step.expected.isEmpty() ? QString() : " (the script expected \"" + step.expected + "\")"));
    steps_.pop_front();
    if (step.meanwhile)
        step.meanwhile();
    return reply(step, request);
}

bool ScriptedDialogs::runModal(Form& form)
{
    // What the window's opening posted (its polish, layouts, repaints)
    // reaches it before the script acts, as a modal loop's first pass does;
    // left waiting, every later event would be compared with all of them.
    QCoreApplication::sendPostedEvents();
    DialogRequest request;
    request.kind = DialogKind::ModalForm;
    request.title = form.objectName();
    request.text = form.caption();
    shown_.push_back(request);
    if (steps_.empty() || !accepts(steps_.front(), request)) {
        fail("unexpected " + describe(request) + " (" + form.objectName() + ")");
        return true;   // cancelled, never a real modal loop in a test
    }
    Step step = steps_.front();
    steps_.pop_front();
    if (step.action)
        step.action(form);
    return true;
}

} // namespace host::ui
