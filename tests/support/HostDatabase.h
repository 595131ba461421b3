#pragma once
// A host database per test: a copy of a template file built once per test
// run (the host schema, optionally the demonstration data), with dmGlobal
// opened over it, scripted dialogs installed (an unexpected dialog fails the
// test instead of waiting for a user) and a fresh system folder.

#include "host/Udmglobal.h"
#include "host/ui/ScriptedDialogs.h"
#include "tests/support/TestDatabase.h"

#include <functional>
#include <memory>

namespace testsupport {

// The path of a template database built by `build` on a new database, once
// per process and key; later calls return the same file.
QString templateDatabase(const QString& key, const std::function<void(host::db::Transaction&)>& build);

// The demonstration data is loaded for this user name.
inline const char* kDemoUser = "SYSDBA";

class HostDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The template to copy; override to add more (e.g. the module's tables).
    virtual QString templatePath();
    // Schema only, or schema plus demonstration data.
    virtual bool withDemoData() const { return false; }

    host::db::Transaction& tr() { return *dmGlobal->IBTransaction1; }
    int exec(const QString& sql, const QVariantMap& params = {});
    QVariant one(const QString& sql, const QVariantMap& params = {});
    // The value read through a connection of its own: what was committed.
    QVariant committed(const QString& sql, const QVariantMap& params = {});

    QString dbPath;
    QString systemFolder;
    std::unique_ptr<TdmGlobal> global;
    std::unique_ptr<host::ui::ScriptedDialogs> dialogs;
};

class HostDemoDatabaseTest : public HostDatabaseTest {
protected:
    bool withDemoData() const override { return true; }
};

}  // namespace testsupport
