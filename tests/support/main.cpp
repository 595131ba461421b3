// Test entry: a Qt application (offscreen in CI) and the shared embedded engine.

#include "host/PilvCpr70.h"
#include "host/db/Database.h"
#include "host/db/FbApi.h"
#include "tests/support/OutrosUsuarios.h"
#include "tests/support/PastaPropria.h"
#include "tests/support/TestDatabase.h"
#include "host/ui/Locale.h"
#include "host/ui/ScriptedDialogs.h"

#include <QApplication>
#include <QByteArray>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Whatever the program and the executables the tests start write by the
    // user's folders (layouts, the engine's root and lock folders, the log
    // without a system folder) goes under the program's own folder, removed
    // with its files, never into the invoking user's own.
    testsupport::morarEm(testsupport::uniqueFile("casa", ""));
    // The programs the tests start give up on a held lock and on a silent
    // server sooner (cmake/Globbed.cmake), so that no test waits those out
    // whole; this one keeps the full waits, fixed here before the variables
    // are set for them: its own close may wait on a lock the engine frees
    // only some seconds after a started program gave up.
    host::db::detail::lockGiveUpSeconds();
    host::db::detail::serverAnswerSeconds();
    for (const char* nome : {"TECHASSIST_DESISTENCIA_TRAVA", "TECHASSIST_ESPERA_SERVIDOR"})
        if (const QByteArray filhos = qgetenv(QByteArray("TA_FILHOS_") + nome); !filhos.isEmpty()) qputenv(nome, filhos);
    host::db::prepareProcess();
    QApplication app(argc, argv);
    // As the application runs: Brazilian numbers, dates and Qt's own texts.
    host::ui::useBrazilianPortuguese();
    // No test ever waits on a real dialog or modal window: one that the test
    // did not script fails it with its text (a test's own script comes first).
    host::ui::ScriptedDialogs unscripted;
    // The tests check which events the data modules report.
    host::recordHookCalls(true);
    ::testing::InitGoogleMock(&argc, argv);
    testsupport::removeFilesOfEndedRuns();
    testsupport::removerUsuariosDeExecucoesTerminadas();
    const int result = RUN_ALL_TESTS();
    // The template databases are built once per program and kept to its end.
    testsupport::removerUsuariosDestaExecucao();
    testsupport::removeFilesOfThisRun();
    return result;
}
