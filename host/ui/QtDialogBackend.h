#pragma once
// Real Qt dialogs for the dialogs service.

#include "host/ui/Dialogs.h"

namespace host::ui {

class QtDialogBackend : public DialogBackend {
public:
    DialogReply ask(const DialogRequest& request) override;

private:
    DialogReply message(const DialogRequest& request);
    DialogReply question(const DialogRequest& request);
    DialogReply longText(const DialogRequest& request);
    DialogReply input(const DialogRequest& request);
    DialogReply pick(const DialogRequest& request);
    DialogReply file(const DialogRequest& request);
    DialogReply printer(const DialogRequest& request);
    DialogReply color(const DialogRequest& request);
};

} // namespace host::ui
