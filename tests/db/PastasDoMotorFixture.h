#pragma once
// What the tests of the embedded engine's folders share: a scratch folder
// of the test's own and, for the cases that run a program as other OS
// users, those users and the probe started as one of them.

#include "host/db/Database.h"
#include "tests/support/OutrosUsuarios.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TravaPresa.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

// The probe program and the library that leaves a marker when it is
// loaded, set by the build.
extern const char* const TA_SONDA;
extern const char* const TA_MARCADOR_LIB;

namespace pastasdomotor {

using host::db::DbError;

inline const QString kInstalled = "/usr/lib/x86_64-linux-gnu/firebird/3.0";

inline QByteArray path8(const QString& path) { return QFile::encodeName(path); }

inline QString failureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const DbError& e) {
        return e.message();
    }
    return {};
}

inline QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// The error output of a process read until it holds `text`, the process
// ends or `ms` have passed.
inline QByteArray readErrorsUntil(QProcess& process, const QByteArray& text, int ms) {
    return testsupport::errosAte(process, text, ms);
}

// A complete engine root whose character-set library is the marker library.
inline void plantRoot(const QString& root) {
    ASSERT_TRUE(QDir().mkpath(root + "/intl"));
    ASSERT_TRUE(QFile::copy(TA_MARCADOR_LIB, root + "/intl/libfbintl.so"));
    ASSERT_TRUE(QFile::link(QFileInfo(kInstalled + "/intl/fbintl.conf").canonicalFilePath(), root + "/intl/fbintl.conf"));
    for (const char* entry : {"plugins", "UDF", "lib", "firebird.msg", "plugins.conf"})
        ASSERT_TRUE(QFile::link(kInstalled + "/" + entry, root + "/" + entry));
    writeFile(root + "/firebird.conf", "ServerMode = SuperClassic\nProviders = Remote, Engine12\n");
}

inline mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::lstat(path8(path).constData(), &st) == 0 ? st.st_mode : 0;
}

class EngineFolders : public ::testing::Test {
protected:
    explicit EngineFolders(const QString& base = testsupport::testFolder())
        : scratch(testsupport::uniqueFolderTemplate("pastas", base)) {}
    void SetUp() override { ASSERT_TRUE(scratch.isValid()); }
    QString at(const QString& name) const { return scratch.path() + "/" + name; }
    QTemporaryDir scratch;
};

inline const char* const kDono = testsupport::donoTeste();
inline const char* const kOutro = testsupport::outroTeste();

inline bool run(const QString& program, const QStringList& args) { return testsupport::executarAteOFim(program, args); }

class OutroUsuario : public EngineFolders {
protected:
    OutroUsuario() : EngineFolders(testsupport::pastaParaOutrosUsuarios()) {}
    void SetUp() override {
        EngineFolders::SetUp();
        const QString why = testsupport::garantirUsuarios();
        if (!why.isEmpty()) GTEST_SKIP() << why.toStdString();
        // Reached by the other users: a temporary folder as the system's is.
        ::chmod(path8(scratch.path()).constData(), 0755);
        ASSERT_TRUE(QDir().mkpath(at("tmp")));
        ::chmod(path8(at("tmp")).constData(), 01777);
    }
    static uid_t uidOf(const char* user) { return testsupport::uidDe(user); }
    static gid_t grupo() { return testsupport::grupoTeste(); }

    // The probe as the given user (empty: this process's), with the
    // scratch folder as its temporary folder and no runtime or cache folder,
    // so the engine's root is the predictable one there.
    QProcessEnvironment environment(const QString& home = {}) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"FIREBIRD", "FIREBIRD_LOCK", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "HOME"})
            env.remove(name);
        if (!home.isEmpty()) env.insert("HOME", home);
        env.insert("TMPDIR", at("tmp"));
        env.insert("TECHASSIST_PASTA_TRAVAS", at("tmp"));
        env.insert("TA_MARCADOR", at("marcador"));
        return env;
    }
    void start(QProcess& p, const QString& user, const QStringList& args, const QString& home = {},
               const QStringList& wrapper = {}) {
        p.setProcessEnvironment(environment(home));
        if (user.isEmpty()) {
            if (wrapper.isEmpty())
                p.start(TA_SONDA, args);
            else
                p.start(wrapper.first(), wrapper.mid(1) + QStringList{TA_SONDA} + args);
            return;
        }
        p.start("setpriv", testsupport::comoUsuario(user.toLocal8Bit().constData(), TA_SONDA) + args);
    }
    struct Result {
        int code;
        QString out, err;
    };
    Result finish(QProcess& p, int ms = 60000) {
        if (p.state() != QProcess::NotRunning && !p.waitForFinished(ms)) {
            p.kill();
            p.waitForFinished();
            return {-1, {}, "did not end in time"};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2, QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    Result probe(const QString& user, const QStringList& args, int ms = 60000) {
        QProcess p;
        start(p, user, args);
        return finish(p, ms);
    }
    // A database of this process's user, given to `owner`:`group` with `mode`.
    QString database(const QString& name, uid_t owner, gid_t group, mode_t mode) {
        const QString path = at(name);
        {
            host::db::Connection c;
            c.create({path});
        }
        EXPECT_EQ(::chown(path8(path).constData(), owner, group), 0);
        ::chmod(path8(path).constData(), mode);
        return path;
    }
    // Makes `path` (folders and files under it) another user's.
    static void giveTo(const QString& path, uid_t user) {
        ::lchown(path8(path).constData(), user, user);
        QDir dir(path);
        for (const QFileInfo& entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)) {
            if (entry.isDir() && !entry.isSymLink())
                giveTo(entry.filePath(), user);
            else
                ::lchown(path8(entry.filePath()).constData(), user, user);
        }
    }
};

}  // namespace pastasdomotor
