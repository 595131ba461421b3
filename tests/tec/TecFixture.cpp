#include "tests/tec/TecFixture.h"

#include "host/PilvCpr70.h"
#include "host/HostLog.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "tests/support/TestDatabase.h"

#include <QFile>

namespace tectest {

QString templateDatabase()
{
    static const QString path = [] {
        const QString file = testsupport::uniqueFile("tec-template", ".fdb");
        QFile::remove(file);
        host::db::Connection connection;
        connection.create({file});
        {
            host::db::Transaction transaction(connection);
            host::createHostSchema(transaction);
            transaction.commit();
        }
        connection.close();
        return file;
    }();
    return path;
}

void TecTest::SetUp()
{
    openHost();
}

void TecTest::TearDown()
{
    dmTec.free();
    global.reset();
    sCaminhoSistema.clear();
    bDetectarErroSQL = false;
    sCodigoExcluido.clear();
    QFile::remove(dbPath);
}

void TecTest::openHost()
{
    dbPath = testsupport::uniqueFile("tec", ".fdb");
    QFile::remove(dbPath);
    ASSERT_TRUE(QFile::copy(templateDatabase(), dbPath));
    QFile::setPermissions(dbPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    sCaminhoSistema = systemFolder.path();
    global = std::make_unique<TdmGlobal>(dbPath);
    host::clearHookCalls();
    host::clearLogTrace();
}

TdmTec& TecTest::createTec()
{
    return *dmTec.create(nullptr);
}

void TecTest::exec(const QString& sql)
{
    host::db::executeSql(*global->IBTransaction1, sql, {});
    global->IBTransaction1->commitRetaining();
}

QVariant TecTest::one(const QString& sql)
{
    return host::db::selectValue(*global->IBTransaction1, sql, {});
}

}  // namespace tectest
