#include "host/ui/Errors.h"

#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/WriteErrors.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"

#include <QRegularExpression>

namespace host::ui {

namespace {

// "quCtrVeiculo: a tabela está fechada." reads "A tabela está fechada." to the
// user: the program's names of its datasets mean nothing to them (the whole
// text goes in the detail).
QString withoutComponentName(const QString& message)
{
    static const QRegularExpression prefix(R"(^(qu|us|ds|cds|sp|Qu|Us|Ds)[A-Z]\w*: )");
    const QRegularExpressionMatch match = prefix.match(message);
    if (!match.hasMatch())
        return message;
    QString rest = message.mid(match.capturedLength());
    if (!rest.isEmpty())
        rest[0] = rest[0].toUpper();
    return rest;
}

}  // namespace

QString exceptionMessage(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const host::Abort&) {
        return {};
    } catch (const host::data::DatasetError& e) {
        return withoutComponentName(e.message());
    } catch (const host::data::WriteRefused& e) {
        return e.userMessage();
    } catch (const host::db::DbError& e) {
        return host::data::readableMessage(e);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return "Erro desconhecido.";
    }
}

// The engine's own text of a database failure, shown only as the detail.
QString engineDetail(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const host::db::DbError& e) {
        // A sentence of our own shown as the message is not told again.
        const QString engineText = host::data::readableMessage(e) == e.message() ? QString() : e.message();
        if (engineText.isEmpty() || e.sql().isEmpty())
            return engineText + e.sql();
        return engineText + "\n\n" + e.sql();
    } catch (const host::data::DatasetError& e) {
        return withoutComponentName(e.message()) == e.message() ? QString() : e.message();
    } catch (...) {
        return {};
    }
}

void showException(std::exception_ptr failure)
{
    const QString message = exceptionMessage(failure);
    if (!message.isEmpty())
        Dialogs::error(message, {}, engineDetail(failure));
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
