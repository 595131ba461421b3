#include "rental/uAssImpProposta.h"

host::ui::FormVar<TqrAssImpProposta> qrAssImpProposta("qrAssImpProposta");

TqrAssImpProposta::TqrAssImpProposta(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
