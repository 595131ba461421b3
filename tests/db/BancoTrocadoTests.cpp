// A group's database swapped for another file while its owner's start
// chooses the lock folder: the start never opens a file through a folder
// another user may change, and the file opened is the one the folder was
// chosen for.

#include "tests/db/PastasDoMotorFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace pastasdomotor;

class BancoTrocado : public OutroUsuario {};

// The group's folder open to its members (2770): a member could rename the
// database away and put a link to the owner's private database in its
// place between the owner's choice of the lock folder and the engine's
// open, and the private file would be written under two lock tables.
TEST_F(BancoTrocado, AFolderTheGroupMayWriteRefusesItsDatabaseForEveryoneNamingIt) {
    const QString pasta = at("do-grupo");
    ASSERT_TRUE(QDir().mkpath(pasta));
    const QString banco = database("do-grupo/banco.fdb", uidOf(kDono), grupo(), 0660);
    ASSERT_EQ(::chown(path8(pasta).constData(), uidOf(kDono), grupo()), 0);
    ASSERT_EQ(::chmod(path8(pasta).constData(), 02770), 0);
    for (const char* usuario : {kDono, kOutro}) {
        const Result r = probe(usuario, {banco});
        EXPECT_EQ(r.code, 1) << usuario << ": " << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(banco) && r.err.contains(pasta + ",") && r.err.contains("drwxrws---"))
            << usuario << ": " << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(at(QString("tmp/techassist-firebird-lock-%1-g%2").arg(uidOf(kDono)).arg(grupo()))))
        << "refused before any lock folder was made";

    // The member's swap done: the owner's private database in the name's
    // place is not opened through the group's name either.
    const QString privado = database("privado.fdb", uidOf(kDono), grupo(), 0600);
    ASSERT_TRUE(run("setpriv", testsupport::comoUsuario(kOutro) + QStringList{"mv", banco, pasta + "/velho.fdb"}));
    ASSERT_TRUE(run("setpriv", testsupport::comoUsuario(kOutro) + QStringList{"ln", "-s", privado, banco}));
    const Result trocado = probe(kDono, {banco});
    EXPECT_EQ(trocado.code, 1) << trocado.out.toStdString();

    // The layout that holds: the folder the owner's, the group may enter.
    ASSERT_TRUE(QFile::remove(banco));
    ASSERT_TRUE(QFile::rename(pasta + "/velho.fdb", banco));
    ASSERT_EQ(::chmod(path8(pasta).constData(), 02750), 0);
    for (const char* usuario : {kDono, kOutro, kDono}) {
        const Result r = probe(usuario, {banco});
        EXPECT_EQ(r.code, 0) << usuario << ": " << r.err.toStdString();
    }
}

// Named through a link of the user's own, the file is the one opened and
// the one whose owner chose the lock folder.
TEST_F(BancoTrocado, ADatabaseNamedThroughALinkTakesTheLockFolderOfTheFileItLeadsTo) {
    const QString privado = database("do-dono.fdb", uidOf(kDono), grupo(), 0600);
    ASSERT_TRUE(QDir().mkpath(at("atalhos")));
    ASSERT_TRUE(QFile::link(privado, at("atalhos/banco.fdb")));
    const Result r = probe(kDono, {at("atalhos/banco.fdb"), "0"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(host::db::lockFolderFor(at("atalhos/banco.fdb")), host::db::lockFolderFor(privado));
}

// The name swapped for another file while the start is inside the engine
// (held here on the engine's start-up lock): the start is refused, naming
// the file, rather than go on under a name that leads elsewhere.
TEST_F(BancoTrocado, ADatabaseSwappedWhileTheEngineOpensItIsRefused) {
    const QString banco = database("trocado.fdb", 0, 0, 0600);
    const QString outro = database("outro.fdb", 0, 0, 0600);
    const QString travas = at("tmp/techassist-firebird-lock-0");
    host::db::makeLockFolder(travas, banco);
    const int fd = ::open(path8(travas + "/fb_init").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0660);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    QProcess sonda;
    start(sonda, {}, {banco});
    const QByteArray erros = readErrorsUntil(sonda, "fb_init", 20000);
    const bool trocou = ::rename(path8(outro).constData(), path8(banco).constData()) == 0;
    ::flock(fd, LOCK_UN);
    ::close(fd);
    const Result r = finish(sonda);
    ASSERT_TRUE(erros.contains("fb_init")) << erros.toStdString();
    ASSERT_TRUE(trocou);
    EXPECT_EQ(r.code, 1) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(banco) && r.err.contains("trocado")) << r.err.toStdString();
}

}  // namespace
