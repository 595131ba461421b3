#include "host/ui/Errors.h"

#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"

namespace host::ui {

QString exceptionMessage(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const host::Abort&) {
        return {};
    } catch (const host::data::DatasetError& e) {
        return e.message();
    } catch (const host::db::DbError& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return "Erro desconhecido.";
    }
}

void showException(std::exception_ptr failure)
{
    const QString message = exceptionMessage(failure);
    if (!message.isEmpty())
        Dialogs::error(message);
}

namespace {
unsigned long falhasGuardadas = 0;
}

unsigned long guardedFailures() { return falhasGuardadas; }

bool runGuarded(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (...) {
        ++falhasGuardadas;
        showException(std::current_exception());
        return false;
    }
}

} // namespace host::ui
