#include "service_orders/uAssOSTotalCliImp.h"

host::ui::FormVar<TqrAssOSTotalCliImp> qrAssOSTotalCliImp("qrAssOSTotalCliImp");

TqrAssOSTotalCliImp::TqrAssOSTotalCliImp(QWidget* parent) : host::ui::Form(parent)
{
    setDefaultCloseAction(host::ui::CloseAction::Free);
}
