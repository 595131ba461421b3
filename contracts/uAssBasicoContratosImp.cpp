#include "contracts/uAssBasicoContratosImp.h"

host::ui::FormVar<TqrAssBasicoContratosImp> qrAssBasicoContratosImp("qrAssBasicoContratosImp");

TqrAssBasicoContratosImp::TqrAssBasicoContratosImp(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
