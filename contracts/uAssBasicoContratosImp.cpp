#include "contracts/uAssBasicoContratosImp.h"

host::ui::FormVar<TqrAssBasicoContratosImp> qrAssBasicoContratosImp("qrAssBasicoContratosImp");

TqrAssBasicoContratosImp::TqrAssBasicoContratosImp(QWidget* parent) : host::ui::Form(parent)
{
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}
