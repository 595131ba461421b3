#pragma once
// A fresh database file per test, removed afterwards.

#include "host/db/Database.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <memory>

namespace testsupport {

// Folder for the files tests create (TA_TEST_TMP, else the system temp folder).
QString testFolder();
// A file name in testFolder() no other test of this run uses.
QString uniqueFile(const QString& stem, const QString& suffix);
// A QTemporaryDir template in `base` named as uniqueFile() names: what a
// program ended without its cleanup left there is removed by the next one.
QString uniqueFolderTemplate(const QString& stem, const QString& base = testFolder());
// A test's new database writes asynchronously: the tests' data need not
// survive a crash of the machine, and waiting for the disk at every page
// would take a third of the suite's time. Copies of a template keep it.
host::db::ConnectOptions asynchronous(const QString& path);
// Removes the files of uniqueFile() and the folders of
// uniqueFolderTemplate() that belong to this process (templates built once
// per run included), or to test programs no longer running (one that was
// killed never removed its own).
void removeFilesOfThisRun();
void removeFilesOfEndedRuns();

// Every table of the database, and the named generators, open to every
// user, so a test can reconnect as a user other than the owner; committed.
void grantAllToPublic(host::db::Transaction& tr, const QStringList& generators = {});

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A database file to start from (copied for each test); empty: a new, empty database.
    virtual QString templatePath() { return {}; }
    // A second, independent attachment to the same file.
    std::unique_ptr<host::db::Connection> openSecondConnection() const;

    QString dbPath;
    std::unique_ptr<host::db::Connection> connection;
    std::unique_ptr<host::db::Transaction> transaction;
    host::db::Transaction& tr() { return *transaction; }
    int exec(const QString& sql, const QVariantMap& params = {});
    QVariant one(const QString& sql, const QVariantMap& params = {});
};

// The engine's plan of a statement on the transaction, in its one-line form
// ("PLAN JOIN (CLI NATURAL, OS INDEX (...))").
QString planoDe(host::db::Transaction& tr, const QString& sql);

// Counts the statements executed, and those prepared, while it lives.
class StatementCounter {
public:
    StatementCounter() : start_(host::db::statementCount()), prepareStart_(host::db::prepareCount()) {}
    int count() const { return int(host::db::statementCount() - start_); }
    int prepares() const { return int(host::db::prepareCount() - prepareStart_); }

private:
    std::uint64_t start_;
    std::uint64_t prepareStart_;
};

}  // namespace testsupport
