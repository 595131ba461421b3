#include "tests/support/TestDatabase.h"

#include "host/db/FbApi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>

namespace testsupport {

QString testFolder() {
    // Fixed at the first call: the program points the temporary folder into
    // a folder of its own afterwards.
    static const QString dir = [] {
        QString named = qEnvironmentVariable("TA_TEST_TMP");
        if (named.isEmpty()) named = QDir::tempPath() + "/techassist-tests";
        return named;
    }();
    QDir().mkpath(dir);
    return dir;
}

host::db::ConnectOptions asynchronous(const QString& path) {
    host::db::ConnectOptions options{path};
    options.forcedWrites = false;
    return options;
}

QString uniqueFile(const QString& stem, const QString& suffix) {
    static std::atomic<int> counter{0};
    return QString("%1/%2-%3-%4%5")
        .arg(testFolder(), stem)
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetch_add(1))
        .arg(suffix);
}

QString uniqueFolderTemplate(const QString& stem, const QString& base) {
    return base + "/" + QFileInfo(uniqueFile(stem, ".XXXXXX")).fileName();
}

namespace {

// The process that made a file of uniqueFile(), or 0 for another file.
qint64 ownerOf(const QString& fileName) {
    static const QRegularExpression pattern("^.+-([0-9]+)-[0-9]+(\\.[^.]*)?$");
    const QRegularExpressionMatch m = pattern.match(fileName);
    return m.hasMatch() ? m.captured(1).toLongLong() : 0;
}

template <class Predicate>
void removeFilesOf(Predicate owned) {
    QDir folder(testFolder());
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const qint64 owner = ownerOf(entry.fileName());
        if (owner == 0 || !owned(owner)) continue;
        if (entry.isDir())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
}

}  // namespace

void removeFilesOfThisRun() {
    const qint64 self = QCoreApplication::applicationPid();
    removeFilesOf([self](qint64 owner) { return owner == self; });
    QDir().rmdir(testFolder());   // when no other program uses it
}

void removeFilesOfEndedRuns() {
    const qint64 self = QCoreApplication::applicationPid();
    removeFilesOf([self](qint64 owner) { return owner != self && !QFileInfo::exists(QString("/proc/%1").arg(owner)); });
}

void DatabaseTest::SetUp() {
    dbPath = uniqueFile("db", ".fdb");
    QFile::remove(dbPath);
    connection = std::make_unique<host::db::Connection>();
    const QString source = templatePath();
    if (source.isEmpty()) {
        connection->create(asynchronous(dbPath));
    } else {
        ASSERT_TRUE(QFile::copy(source, dbPath));
        QFile::setPermissions(dbPath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        connection->open({dbPath});
    }
    transaction = std::make_unique<host::db::Transaction>(*connection);
}

void DatabaseTest::TearDown() {
    transaction.reset();
    connection.reset();
    QFile::remove(dbPath);
}

std::unique_ptr<host::db::Connection> DatabaseTest::openSecondConnection() const {
    auto second = std::make_unique<host::db::Connection>();
    second->open({dbPath});
    return second;
}

int DatabaseTest::exec(const QString& sql, const QVariantMap& params) {
    return host::db::executeSql(*transaction, sql, params);
}

QVariant DatabaseTest::one(const QString& sql, const QVariantMap& params) {
    return host::db::selectValue(*transaction, sql, params);
}

void grantAllToPublic(host::db::Transaction& tr, const QStringList& generators)
{
    host::db::Statement tabelas(tr, "select trim(rdb$relation_name) from rdb$relations where rdb$system_flag = 0"
                                    " and rdb$view_blr is null");
    tabelas.execute();
    QStringList nomes;
    while (tabelas.fetch())
        nomes << tabelas.value(0).toString();
    for (const QString& nome : nomes)
        host::db::executeSql(tr, "grant all on " + nome + " to public");
    for (const QString& gerador : generators)
        host::db::executeSql(tr, "grant usage on generator " + gerador + " to public");
    tr.commitRetaining();
}

QString planoDe(host::db::Transaction& tr, const QString& sql)
{
    Firebird::IMaster* master = Firebird::fb_get_master_interface();
    Firebird::IStatus* status = master->getStatus();
    Firebird::ThrowStatusWrapper st(status);
    Firebird::IStatement* stmt = tr.connection().impl()->attachment->prepare(
        &st, tr.impl()->handle, 0, sql.toUtf8().constData(), 3, Firebird::IStatement::PREPARE_PREFETCH_LEGACY_PLAN);
    const QString plano = QString::fromUtf8(stmt->getPlan(&st, false));
    stmt->free(&st);
    status->dispose();
    return plano;
}

}  // namespace testsupport
