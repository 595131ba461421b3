#include "tests/contracts/ContractsFixture.h"

#include "data/uDataTec.h"
#include "host/HostLog.h"
#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "tests/support/TestDatabase.h"

#include <QFile>

#include <memory>
#include <utility>

namespace contractstest {

namespace {

// Host schema, then the service data module's creation (its upgrade), as the
// module's front door does before it creates the contract data module.
QString buildTemplate(bool withContracts)
{
    const QString file = testsupport::uniqueFile(withContracts ? "contracts-migrated" : "contracts-template", ".fdb");
    QFile::remove(file);
    {
        host::db::Connection connection;
        connection.create(testsupport::asynchronous(file));
        host::db::Transaction transaction(connection);
        host::createHostSchema(transaction);
        transaction.commit();
    }
    TdmGlobal global(file);
    host::ui::ScriptedDialogs dialogs;
    dialogs.setAutoAcknowledgeMessages(true);
    dmTec.create(nullptr);
    dmTec.free();
    if (withContracts) {
        dmTecContrato.create(nullptr);
        dmTecContrato.free();
    }
    global.IBTransaction1->commit();
    return file;
}

const QString& templateFile(bool withContracts)
{
    static const QString plain = buildTemplate(false);
    static const QString migrated = buildTemplate(true);
    return withContracts ? migrated : plain;
}

void openCopy(ContractsTest& test, const QString& source, QString& path, std::unique_ptr<TdmGlobal>& global)
{
    path = testsupport::uniqueFile("contracts", ".fdb");
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(source, path));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    global = std::make_unique<TdmGlobal>(path);
}

}  // namespace

void ContractsTest::SetUp()
{
    sCaminhoSistema = systemFolder.path();
    openCopy(*this, templateFile(false), dbPath, global);
    dialogs = std::make_unique<host::ui::ScriptedDialogs>();
    dialogs->setAutoAcknowledgeMessages(true);
    host::clearHookCalls();
    host::clearLogTrace();
}

void ContractsTest::TearDown()
{
    dmTecContrato.free();
    dialogs.reset();
    global.reset();
    sCaminhoSistema.clear();
    iAuxiliarGeral = 0;
    iPMCCodigoContrato = 0;
    QFile::remove(dbPath);
}

TdmTecContrato& ContractsTest::createContracts()
{
    return *dmTecContrato.create(nullptr);
}

void ContractsTest::exec(const QString& sql)
{
    host::db::executeSql(*global->IBTransaction1, sql, {});
    global->IBTransaction1->commitRetaining();
}

QVariant ContractsTest::one(const QString& sql)
{
    return host::db::selectValue(*global->IBTransaction1, sql, {});
}

bool ContractsTest::columnExists(const QString& table, const QString& column)
{
    return host::db::columnExists(*global->IBTransaction1, table, column);
}

bool ContractsTest::tableExists(const QString& table)
{
    return host::db::tableExists(*global->IBTransaction1, table);
}

std::unique_ptr<host::db::Transaction> ContractsTest::outraMesaNumera(host::db::Connection& outra,
                                                                     const QString& cliente, QString& numero)
{
    outra.open({dbPath});
    auto mesa = std::make_unique<host::db::Transaction>(outra);
    std::swap(global->IBTransaction1, mesa);
    numero = global->ProximoNumeroReceber();
    std::swap(global->IBTransaction1, mesa);
    host::db::executeSql(*mesa,
                         "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL)"
                         " values (:N, :CLI, 1, '01')",
                         {{"N", numero}, {"CLI", cliente}});
    return mesa;
}

void ContractsTest::clearMessages()
{
    dialogs.reset();   // the old one puts back the backend it found
    dialogs = std::make_unique<host::ui::ScriptedDialogs>();
    dialogs->setAutoAcknowledgeMessages(true);
}

void ContractsTest::setOption(const QString& value)
{
    global->SetParametro("ATOPCAOCONTRATO", value);
    global->IBTransaction1->commitRetaining();
}

void ContractDataTest::SetUp()
{
    sCaminhoSistema = systemFolder.path();
    openCopy(*this, templateFile(true), dbPath, global);
    dialogs = std::make_unique<host::ui::ScriptedDialogs>();
    dialogs->setAutoAcknowledgeMessages(true);
    dm = &createContracts();
    host::clearHookCalls();
    host::clearLogTrace();
}

}  // namespace contractstest
