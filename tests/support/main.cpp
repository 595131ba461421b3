// Test entry: a Qt application (offscreen in CI) and the shared embedded engine.

#include "host/PilvCpr70.h"
#include "host/db/Database.h"
#include "tests/support/OutrosUsuarios.h"
#include "tests/support/PastaPropria.h"
#include "tests/support/TestDatabase.h"
#include "host/ui/Locale.h"
#include "host/ui/ScriptedDialogs.h"

#include <QApplication>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Whatever the program and the executables the tests start write by the
    // user's folders (layouts, the engine's root and lock folders, the log
    // without a system folder) goes under the program's own folder, removed
    // with its files, never into the invoking user's own.
    testsupport::morarEm(testsupport::uniqueFile("casa", ""));
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
