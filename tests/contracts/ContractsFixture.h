#pragma once
// A database as the contract data module finds it when the module starts: the
// host schema with the service upgrade of dmTec already run. The schema is
// built once per run into a template file that each test copies; dialogs are
// scripted and every message is recorded.

#include "contract_data/uDataTecCont.h"
#include "host/ui/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>
#include <ostream>

class TdmGlobal;
namespace host::db {
class Connection;
class Transaction;
}

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace contractstest {

// The day at 00:00, as the date columns keep it.
inline QDateTime dia(int ano, int mes, int d) { return QDateTime(QDate(ano, mes, d), QTime(0, 0)); }

class ContractsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates dmTecContrato through its variable (runs the migration).
    TdmTecContrato& createContracts();
    // Runs SQL in the host transaction and commits retaining.
    void exec(const QString& sql);
    QVariant one(const QString& sql);
    bool columnExists(const QString& table, const QString& column);
    bool tableExists(const QString& table);
    QStringList messages() const { return dialogs->texts(); }
    void clearMessages();
    void setOption(const QString& value);   // ATOPCAOCONTRATO
    // Another desk, on its own connection, draws the next receivable number
    // and writes the customer's receivable with it, not committed yet: its
    // transaction is returned, the number in `numero`.
    std::unique_ptr<host::db::Transaction> outraMesaNumera(host::db::Connection& outra, const QString& cliente,
                                                           QString& numero);

    QString dbPath;
    std::unique_ptr<TdmGlobal> global;
    std::unique_ptr<host::ui::ScriptedDialogs> dialogs;
    QTemporaryDir systemFolder;
};

// A database after the contract migration too: the one the data module's
// datasets work on (created once, copied per test).
class ContractDataTest : public ContractsTest {
protected:
    void SetUp() override;
    TdmTecContrato* dm = nullptr;
};

}  // namespace contractstest
