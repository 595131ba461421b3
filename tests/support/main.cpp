// Test entry: a Qt application (offscreen in CI) and the shared embedded engine.

#include "host/PilvCpr70.h"
#include "host/db/Database.h"
#include "tests/support/TestDatabase.h"
#include "host/ui/Locale.h"
#include "host/ui/ScriptedDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = QDir::tempPath().toUtf8() + "/techassist-runtime";
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
    // Whatever falls back to the user's data folder (the host's log without a
    // system folder, the executables the tests start) writes under the test
    // folder, never into the invoking user's own.
    const QString dados = testsupport::testFolder() + "/dados-do-usuario";
    QDir().mkpath(dados);
    qputenv("XDG_DATA_HOME", QFile::encodeName(dados));
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
    const int result = RUN_ALL_TESTS();
    // The template databases are built once per program and kept to its end.
    testsupport::removeFilesOfThisRun();
    return result;
}
