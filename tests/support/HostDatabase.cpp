#include "tests/support/HostDatabase.h"

#include "host/HostLog.h"
#include "host/PilvCpr70.h"
#include "host/Uatualizacao.h"
#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/schema/HostSchema.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace testsupport {

QString templateDatabase(const QString& key, const std::function<void(host::db::Transaction&)>& build)
{
    static QHash<QString, QString> built;
    if (built.contains(key))
        return built.value(key);
    const QString path = uniqueFile("template-" + key, ".fdb");
    QFile::remove(path);
    {
        host::db::Connection connection;
        connection.create(asynchronous(path));
        host::db::Transaction transaction(connection);
        build(transaction);
        transaction.commit();
    }
    built.insert(key, path);
    return path;
}

QString HostDatabaseTest::templatePath()
{
    if (withDemoData())
        return templateDatabase("host-demo", [](host::db::Transaction& tr) {
            host::createHostSchema(tr);
            host::loadDemoData(tr, kDemoUser);
        });
    return templateDatabase("host", [](host::db::Transaction& tr) {
        host::createHostSchema(tr);
    });
}

void HostDatabaseTest::SetUp()
{
    dialogs = std::make_unique<host::ui::ScriptedDialogs>();
    dbPath = uniqueFile("hostdb", ".fdb");
    QFile::remove(dbPath);
    ASSERT_TRUE(QFile::copy(templatePath(), dbPath));
    QFile::setPermissions(dbPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    systemFolder = uniqueFile("system", "");
    QDir().mkpath(systemFolder);
    sCaminhoSistema = systemFolder;
    bDesligarMensagens = false;
    bDetectarErroSQL = false;
    sAuxiliarGeral.clear();
    sCodigoExcluido.clear();
    host::clearLogTrace();
    host::clearHookCalls();
    host::clearSentMails();
    global = std::make_unique<TdmGlobal>(dbPath);
}

void HostDatabaseTest::TearDown()
{
    global.reset();
    dialogs.reset();
    QFile::remove(dbPath);
    // A set-up that failed before making its folder leaves the name empty,
    // and an empty name is the current folder: nothing of it is removed.
    if (!systemFolder.isEmpty())
        QDir(systemFolder).removeRecursively();
}

int HostDatabaseTest::exec(const QString& sql, const QVariantMap& params)
{
    return host::db::executeSql(tr(), sql, params);
}

QVariant HostDatabaseTest::one(const QString& sql, const QVariantMap& params)
{
    return host::db::selectValue(tr(), sql, params);
}

QVariant HostDatabaseTest::committed(const QString& sql, const QVariantMap& params)
{
    host::db::Connection conexao;
    conexao.open({dbPath});
    host::db::Transaction transacao(conexao);
    const QVariant valor = host::db::selectValue(transacao, sql, params);
    transacao.commit();
    return valor;
}

}  // namespace testsupport
