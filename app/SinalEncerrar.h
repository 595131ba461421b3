#pragma once
// SIGTERM and SIGINT end the application. Once its main loop runs they go
// through the loop, so the windows close and the database is detached
// (pending work rolled back); before that (creating the database, the start's
// own dialogs) the process simply ends, which the database survives: work not
// committed is rolled back and a half-built schema is completed at the next
// start. Either way the process ends within seconds of the signal: one that
// has not (its main thread waits inside the database, or the close does)
// ends without waiting, and so does a second signal. The database client
// installs handlers of its own at its first connection, which swallow these
// signals but hand them on to handlers set before them: call this before the
// first connection and again after it.

namespace app {

void encerrarComSinais();
// From now on a signal asks the main loop to quit.
void lacoPrincipalIniciado();

}  // namespace app
