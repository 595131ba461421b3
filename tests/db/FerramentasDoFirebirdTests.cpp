// Firebird's own tools run as the README tells (scripts/firebird-tool, that
// is the program techassist-firebird): through the engine root and the lock
// folder the application uses, never another user's root, and never taking
// the lock files of a group's database from the processes that use them.

#include "tests/db/PastasDoMotorFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

// The tools' program, set by the build.
extern const char* const TA_FERRAMENTA;

namespace {

using namespace pastasdomotor;

class FerramentasDoFirebird : public OutroUsuario {
protected:
    void SetUp() override {
        OutroUsuario::SetUp();
        if (IsSkipped()) return;
        if (QStandardPaths::findExecutable("gbak").isEmpty() || QStandardPaths::findExecutable("isql-fb").isEmpty())
            GTEST_SKIP() << "Firebird's tools (gbak, isql-fb) are not installed";
        writeFile(at("conta.sql"), "select 'linhas', count(*) from T;\n");
    }
    // The tool through the program, as `user` (empty: this process's).
    Result ferramenta(const QString& user, const QStringList& args, const QProcessEnvironment& env) {
        QProcess p;
        p.setProcessEnvironment(env);
        if (user.isEmpty())
            p.start(TA_FERRAMENTA, args);
        else
            p.start("setpriv", testsupport::comoUsuario(user.toLocal8Bit().constData(), TA_FERRAMENTA) + args);
        return finish(p);
    }
    Result ferramenta(const QString& user, const QStringList& args) { return ferramenta(user, args, environment()); }
    // The rows of T, counted by isql through the program.
    int linhas(const QString& user, const QString& banco) {
        const Result r = ferramenta(user, {banco, "isql-fb", "-q", "-user", "SYSDBA", "-i", at("conta.sql"), banco});
        const QStringList partes = r.out.simplified().split(' ');
        const qsizetype i = partes.indexOf("linhas");
        return r.code == 0 && i >= 0 && i + 1 < partes.size() ? partes[i + 1].toInt() : -1;
    }
    // A database with the table T, given to `owner`:`group` with `mode`.
    QString bancoComTabela(const QString& name, uid_t owner, gid_t group, mode_t mode) {
        const QString path = at(name);
        {
            host::db::Connection c;
            c.create({path});
            host::db::Transaction t(c);
            host::db::executeSql(t, "create table T (ID integer)");
            t.commit();
        }
        EXPECT_EQ(::chown(path8(path).constData(), owner, group), 0);
        ::chmod(path8(path).constData(), mode);
        return path;
    }
    // The entries of a folder and the files they name.
    static QMap<QString, ino_t> entradas(const QString& folder) {
        QMap<QString, ino_t> found;
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            struct stat st {};
            if (::lstat(path8(folder + "/" + name).constData(), &st) == 0) found.insert(name, st.st_ino);
        }
        return found;
    }
};

// The owner backs a group's database up (gbak -b) while the owner and a
// member write to it: every committed row stays, the group's lock files
// are the same files afterwards, and the member starts again.
TEST_F(FerramentasDoFirebird, ABackupWhileOwnerAndMemberWriteLosesNothingAndLeavesTheLockFiles) {
    const QString pasta = at("do-grupo");
    ASSERT_TRUE(QDir().mkpath(pasta));
    const QString banco = bancoComTabela("do-grupo/banco.fdb", uidOf(kDono), grupo(), 0660);
    ASSERT_EQ(::chown(path8(pasta).constData(), uidOf(kDono), grupo()), 0);
    ASSERT_EQ(::chmod(path8(pasta).constData(), 02750), 0);
    ASSERT_TRUE(QDir().mkpath(at("copias")));
    ASSERT_EQ(::chown(path8(at("copias")).constData(), uidOf(kDono), grupo()), 0);
    ASSERT_EQ(::chmod(path8(at("copias")).constData(), 02770), 0);
    ASSERT_EQ(probe(kDono, {banco}).code, 0);
    const QString travas = at(QString("tmp/techassist-firebird-lock-%1-g%2").arg(uidOf(kDono)).arg(grupo()));
    const QMap<QString, ino_t> antes = entradas(travas);
    ASSERT_FALSE(antes.isEmpty());

    constexpr int kLinhas = 300;
    QProcess dono, colega;
    start(dono, kDono, {banco, "0", "--escrever", QString::number(kLinhas)});
    start(colega, kOutro, {banco, "0", "--escrever", QString::number(kLinhas)});
    int copias = 0;
    QElapsedTimer clock;
    clock.start();
    const auto escrevendo = [](QProcess& p) { return p.state() != QProcess::NotRunning && !p.waitForFinished(0); };
    while ((escrevendo(dono) || escrevendo(colega) || copias == 0) && clock.elapsed() < 60000) {
        const QString copia = at(QString("copias/copia-%1.fbk").arg(copias));
        const Result r = ferramenta(copias % 2 ? kOutro : kDono, {banco, "gbak", "-b", "-user", "SYSDBA", banco, copia});
        EXPECT_EQ(r.code, 0) << r.out.toStdString() << r.err.toStdString();
        ++copias;
    }
    const Result d = finish(dono), c = finish(colega);
    EXPECT_EQ(d.code, 0) << d.err.toStdString();
    EXPECT_EQ(c.code, 0) << c.err.toStdString();
    EXPECT_TRUE(d.out.startsWith(QString::number(kLinhas)) && c.out.startsWith(QString::number(kLinhas)))
        << d.out.toStdString() << c.out.toStdString();

    EXPECT_EQ(entradas(travas), antes) << "the group's lock files were removed or replaced";
    const Result membro = probe(kOutro, {banco});
    EXPECT_EQ(membro.code, 0) << "the member's next start: " << membro.err.toStdString();
    EXPECT_EQ(linhas(kDono, banco), 2 * kLinhas) << copias << " backups";
}

// A tool holding the database (isql, waiting for its input): a process
// that would keep its locks in another folder is refused while it runs.
TEST_F(FerramentasDoFirebird, AToolOnTheFileKeepsOutAProcessOfAnotherLockFolder) {
    const QString banco = bancoComTabela("com-isql.fdb", 0, 0, 0600);
    QProcess isql;
    isql.setProcessEnvironment(environment());
    isql.start(TA_FERRAMENTA, {banco, "isql-fb", "-q", "-user", "SYSDBA", banco});
    const QString tabela = at("tmp/techassist-firebird-lock-0/fb_lock_" + testsupport::idNoMotor(banco));
    QElapsedTimer relogio;
    relogio.start();
    while (!QFileInfo::exists(tabela) && relogio.elapsed() < 20000) QThread::msleep(50);
    ASSERT_TRUE(QDir().mkpath(at("outra")));
    QProcessEnvironment outra = environment();
    outra.insert("TECHASSIST_PASTA_TRAVAS", at("outra"));
    QProcess sonda;
    sonda.setProcessEnvironment(outra);
    sonda.start(TA_SONDA, {banco});
    const Result r = finish(sonda, 20000);
    isql.closeWriteChannel();
    const Result ferramenta = finish(isql, 20000);
    EXPECT_EQ(ferramenta.code, 0) << ferramenta.err.toStdString();
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("outra pasta")) << r.err.toStdString();
}

// The engine's root of another user where this user's would be, and
// FIREBIRD naming another user's root: neither is loaded by the tool.
TEST_F(FerramentasDoFirebird, AnotherUsersEngineRootIsNeverLoaded) {
    const QString banco = bancoComTabela("meu.fdb", 0, 0, 0600);
    // Where this user's root would be made, made first by another user.
    const QString raiz = at("tmp/techassist-firebird-0");
    plantRoot(raiz);
    ::chmod(path8(raiz).constData(), 0777);
    giveTo(raiz, uidOf(kOutro));
    const Result plantada =
        ferramenta({}, {banco, "isql-fb", "-q", "-user", "SYSDBA", "-i", at("conta.sql"), banco});
    EXPECT_FALSE(QFileInfo::exists(at("marcador"))) << "the planted library was loaded";
    EXPECT_EQ(plantada.code, 0) << "a root of its own beside it: " << plantada.err.toStdString();

    // Named by the environment: the user's own root is used instead.
    ASSERT_TRUE(QFile::rename(raiz, at("outra-raiz")));
    QProcessEnvironment env = environment();
    env.insert("FIREBIRD", at("outra-raiz"));
    const Result nomeada = ferramenta({}, {banco, "isql-fb", "-q", "-user", "SYSDBA", "-i", at("conta.sql"), banco}, env);
    EXPECT_FALSE(QFileInfo::exists(at("marcador"))) << "the named library was loaded";
    EXPECT_EQ(nomeada.code, 0) << nomeada.err.toStdString();
    EXPECT_TRUE(nomeada.out.simplified().contains("linhas 0")) << nomeada.out.toStdString();
    struct stat st {};
    ASSERT_EQ(::lstat(path8(raiz).constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 0u);
    EXPECT_EQ(st.st_mode & 07777, 0700u);

    // A database the tool is not given is not opened through its folders.
    const Result outro = ferramenta({}, {banco, "gbak", "-b", "-user", "SYSDBA", at("outro.fdb"), at("copia.fbk")});
    EXPECT_EQ(outro.code, 2);
    EXPECT_TRUE(outro.err.contains(banco)) << outro.err.toStdString();
}

}  // namespace
