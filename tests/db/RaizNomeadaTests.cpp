// The engine's root named by the environment (FIREBIRD, left exported by a
// recipe for Firebird's tools, or set by whoever started the program): the
// engine loads nothing from a root another user made or may change.

#include "tests/db/PastasDoMotorFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>


namespace {

using namespace pastasdomotor;

class RaizNomeada : public OutroUsuario {
protected:
    Result comRaiz(const QString& raiz, const QString& banco) {
        QProcessEnvironment env = environment();
        env.insert("FIREBIRD", raiz);
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(TA_SONDA, {banco});
        return finish(p);
    }
};

TEST_F(RaizNomeada, AnotherUsersRootOrOneOthersMayChangeIsReplacedByTheUsersOwn) {
    const QString banco = database("meu.fdb", 0, 0, 0600);
    const QString alheia = at("raiz-alheia");
    plantRoot(alheia);
    ::chmod(path8(alheia).constData(), 0755);
    giveTo(alheia, uidOf(kOutro));
    const Result deOutro = comRaiz(alheia, banco);
    EXPECT_FALSE(QFileInfo::exists(at("marcador"))) << "another user's library was loaded";
    EXPECT_EQ(deOutro.code, 0) << deOutro.err.toStdString();

    const QString aberta = at("raiz-aberta");
    plantRoot(aberta);
    ::chmod(path8(aberta).constData(), 0777);
    const Result deTodos = comRaiz(aberta, banco);
    EXPECT_FALSE(QFileInfo::exists(at("marcador"))) << "a library of a root open to all was loaded";
    EXPECT_EQ(deTodos.code, 0) << deTodos.err.toStdString();
    EXPECT_TRUE(QFileInfo(at("tmp/techassist-firebird-0")).isDir()) << "the user's own root was made instead";

    // The user's own root, named: used as it is (what it loads is the user's).
    ::chmod(path8(aberta).constData(), 0700);
    comRaiz(aberta, banco);
    EXPECT_TRUE(QFileInfo::exists(at("marcador"))) << "the user's own named root was not used";
}

}  // namespace
