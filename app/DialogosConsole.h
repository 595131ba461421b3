#pragma once
// The dialogs of a run without a person (the self-test, the scheduled job):
// every message goes to the log and to the error output (of the self-test
// only its errors, its output being its result), and
// every question or prompt is answered as cancelled, so nothing waits for a
// user and the output holds the run's result.

#include "host/ui/Dialogs.h"

namespace app {

class DialogosConsole : public host::ui::DialogBackend {
public:
    explicit DialogosConsole(bool avisosSoNoLog) : avisosSoNoLog_(avisosSoNoLog) {}
    host::ui::DialogReply ask(const host::ui::DialogRequest& pedido) override;
    bool runModal(host::ui::Form& form) override;
    int erros() const { return erros_; }   // error messages written so far

private:
    int erros_ = 0;
    bool avisosSoNoLog_;
};

// Qt's own messages (the display plugin's warnings) go to the log; only
// critical ones reach the error output too, and the notices of what a start
// waits for when `avisos` (the scheduled job; the self-test's are in the log).
void mensagensDoQtNoLog(bool avisos);

}  // namespace app
