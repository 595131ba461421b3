#pragma once
// What the application's loop does with a failure that leaves an event
// handler: host::Abort ends the operation silently; any other failure is
// shown as an error message. Controls run their dataset work through it, since
// no exception may cross Qt's event loop.

#include <QString>

#include <exception>
#include <functional>

namespace host::ui {

// The user-facing message of a failure (empty for Abort).
QString exceptionMessage(std::exception_ptr failure);
// Shows the failure (nothing for Abort).
void showException(std::exception_ptr failure);
// Runs the action; true when it ended normally.
bool runGuarded(const std::function<void()>& action);
// How many guarded actions have ended in a failure (Abort included) since
// the program started. A routine that presses another window's button, whose
// handler runs guarded, compares it before and after to learn that the
// press was refused.
unsigned long guardedFailures();

} // namespace host::ui
