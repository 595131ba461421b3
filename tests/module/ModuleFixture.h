#pragma once
// The host on a demonstration database with its main window, scripted
// dialogs and the module's front door; every window, the data modules and
// the main window are freed after each test.

#include "tests/support/HostDatabase.h"

#include "host/Uprincipal.h"

#include <memory>


namespace moduletest {

class ModuleTest : public testsupport::HostDemoDatabaseTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // The demonstration database with the module's own upgrades already run
    // (service tables and contract tables), as a running installation has it.
    QString templatePath() override;

    void parametro(const QString& nome, const QString& valor);
    void criarPrincipal();
    // "origin|text" of the log lines under that origin.
    QStringList logDe(const QString& origem) const;

    std::unique_ptr<TfmPrincipal> principal;
};

}  // namespace moduletest
