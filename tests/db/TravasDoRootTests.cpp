// Root's own lock folder after the Firebird server package was removed:
// the lock files the engine handed to the package's user stay there, owned
// by a user the machine no longer knows.

#include "tests/db/PastasDoMotorFixture.h"

#include <QDir>
#include <QString>

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace pastasdomotor;

class TravasDoRoot : public OutroUsuario {
protected:
    // A user number no account has.
    static uid_t semConta() {
        uid_t uid = 3900000000u + uid_t(::getpid() % 100000);
        while (::getpwuid(uid)) ++uid;
        return uid;
    }
};

TEST_F(TravasDoRoot, RootStartsAgainOnFilesOfTheServersUserOnceItIsGone) {
    const QString banco = database("do-root.fdb", 0, 0, 0600);
    const Result primeiro = probe({}, {banco});
    ASSERT_EQ(primeiro.code, 0) << primeiro.err.toStdString();
    const QString travas = at("tmp/techassist-firebird-lock-0");
    const uid_t antigo = semConta();
    const QStringList arquivos = QDir(travas).entryList(QDir::Files | QDir::Hidden | QDir::System);
    ASSERT_FALSE(arquivos.isEmpty());
    for (const QString& nome : arquivos) ASSERT_EQ(::chown(path8(travas + "/" + nome).constData(), antigo, antigo), 0);

    const Result depois = probe({}, {banco});
    EXPECT_EQ(depois.code, 0) << depois.err.toStdString();

    // A user who still exists is another matter: his file is refused.
    ASSERT_EQ(::chown(path8(travas + "/" + arquivos.first()).constData(), uidOf(kOutro), grupo()), 0);
    const Result alheio = probe({}, {banco});
    EXPECT_EQ(alheio.code, 1);
    EXPECT_TRUE(alheio.err.contains(travas) && alheio.err.contains(kOutro)) << alheio.err.toStdString();
}

}  // namespace
