#include "tests/tec/TecFixture.h"

#include "host/PilvCpr70.h"
#include "host/HostLog.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "tests/support/HostDatabase.h"
#include "tests/support/TestDatabase.h"

#include <QFile>

namespace tectest {

QString hostTemplateDatabase()
{
    return testsupport::templateDatabase("tec-host", [](host::db::Transaction& tr) { host::createHostSchema(tr); });
}

QString templateDatabase()
{
    static const QString path = [] {
        const QString file = testsupport::uniqueFile("tec-upgraded", ".fdb");
        QFile::remove(file);
        QFile::copy(hostTemplateDatabase(), file);
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QTemporaryDir folder;
        sCaminhoSistema = folder.path();
        {
            TdmGlobal global(file);
            dmTec.create(nullptr);   // the creation handler brings the module's tables up to date
            dmTec.free();
        }
        sCaminhoSistema.clear();
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
    ASSERT_TRUE(QFile::copy(upgradedTemplate() ? templateDatabase() : hostTemplateDatabase(), dbPath));
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
