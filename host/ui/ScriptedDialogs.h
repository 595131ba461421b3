#pragma once
// The dialogs backend of tests: answers every message, question, prompt and
// modal window from a script, in order, and records each one. A dialog the
// script does not expect (none left, another kind, or a text that does not
// contain the expected words) is a failure reported with its text; the
// dialog is then answered as cancelled.
//
//   ScriptedDialogs dialogs;                 // installed until it goes out of scope
//   dialogs.answer("Sim", "Deseja excluir").enter("ABC1234");
//   ... run the code ...
//   EXPECT_EQ(dialogs.texts(), QStringList{...});

#include "host/ui/Dialogs.h"
#include "host/ui/Form.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <stdexcept>
#include <vector>

namespace host::ui {

class UnexpectedDialog : public std::logic_error {
public:
    explicit UnexpectedDialog(const QString& message) : std::logic_error(message.toStdString()) {}
};

class ScriptedDialogs : public DialogBackend {
public:
    using FailureHandler = std::function<void(const QString& message)>;

    // The default failure handler throws UnexpectedDialog.
    explicit ScriptedDialogs(FailureHandler onFailure = {});
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // Script steps. `expected`, when given, must occur in the dialog's text.
    ScriptedDialogs& acknowledge(const QString& expected = {});          // a message
    ScriptedDialogs& answer(const QString& caption, const QString& expected = {});   // a question
    // A text, number or password input, a file or printer choice, or a list
    // item given by its text.
    ScriptedDialogs& enter(const QString& value, const QString& expected = {});
    ScriptedDialogs& pick(int index, const QString& expected = {});        // a list item by position
    ScriptedDialogs& cancel(const QString& expected = {});                 // any prompt, cancelled
    // A form shown modally, by object name (empty: any). The action drives the
    // shown form and sets its modal result; with none set the form is cancelled.
    ScriptedDialogs& modal(const QString& formName, std::function<void(Form&)> action);
    // Runs while the dialog of the step scripted last is shown, before it is
    // answered: what another desk does while this one waits on a question.
    ScriptedDialogs& meanwhile(std::function<void()> action);

    // Messages (information, warning, error, long text) are recorded and
    // acknowledged without a step of their own. Off by default.
    void setAutoAcknowledgeMessages(bool on) { autoAcknowledge_ = on; }

    const std::vector<DialogRequest>& shown() const { return shown_; }
    QStringList texts() const;               // the text of each dialog shown, in order
    int pending() const { return int(steps_.size()); }
    const QStringList& failures() const { return failures_; }

    DialogReply ask(const DialogRequest& request) override;
    bool runModal(Form& form) override;

private:
    enum class StepKind { Acknowledge, Answer, Enter, Pick, Cancel, Modal };
    struct Step {
        StepKind kind;
        QString value;
        int index = -1;
        QString expected;
        std::function<void(Form&)> action;
        std::function<void()> meanwhile;
    };

    ScriptedDialogs& add(Step step);
    bool accepts(const Step& step, const DialogRequest& request) const;
    DialogReply reply(const Step& step, const DialogRequest& request);
    DialogReply fail(const QString& message);

    std::deque<Step> steps_;
    std::vector<DialogRequest> shown_;
    QStringList failures_;
    FailureHandler onFailure_;
    DialogBackend* previous_ = nullptr;
    bool autoAcknowledge_ = false;
};

} // namespace host::ui
