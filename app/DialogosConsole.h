#pragma once
// The dialogs of a run without a person (the self-test from the command
// line): every message is written to the error output and every question or
// prompt is answered as cancelled, so nothing waits for a user.

#include "host/ui/Dialogs.h"

namespace app {

class DialogosConsole : public host::ui::DialogBackend {
public:
    host::ui::DialogReply ask(const host::ui::DialogRequest& pedido) override;
    bool runModal(host::ui::Form& form) override;
    int erros() const { return erros_; }   // error messages written so far

private:
    int erros_ = 0;
};

}  // namespace app
