// The embedded engine's folders as other OS users can find them first: the
// engine's root (what it loads) and the lock folders (what its processes
// wait on), and how a start that cannot use them is told.

#include "host/db/Database.h"
#include "tests/support/OutrosUsuarios.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/TravaPresa.h"
#include "tests/db/PastasDoMotorFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

// The probe program and the marker library, set by the build.
extern const char* const TA_SONDA;
extern const char* const TA_MARCADOR_LIB;
// Firebird's own tools through the application's folders.
extern const char* const TA_FERRAMENTA;

namespace {

using namespace pastasdomotor;

TEST_F(EngineFolders, RootEntriesFoundDifferentAreReplaced) {
    const QString root = at("raiz");
    ASSERT_TRUE(QDir().mkpath(root + "/intl"));
    ::chmod(path8(root).constData(), 0755);
    // What an earlier writer may have left: links elsewhere, a library of its
    // own, a configuration of its own open to everyone.
    ASSERT_TRUE(QFile::link(scratch.path(), root + "/plugins"));
    ASSERT_TRUE(QFile::copy(TA_MARCADOR_LIB, root + "/intl/libfbintl.so"));
    writeFile(root + "/intl/fbintl.conf", "intl_module fbintl { filename = /tmp/outra }\n");
    writeFile(root + "/firebird.conf", "ServerMode = Super\n");
    ::chmod(path8(root + "/firebird.conf").constData(), 0666);

    host::db::prepareEngineRoot(root);
    EXPECT_EQ(modeOf(root) & 0777, 0700u);
    EXPECT_EQ(QFile::symLinkTarget(root + "/plugins"), kInstalled + "/plugins");
    EXPECT_EQ(QFile::symLinkTarget(root + "/intl/fbintl.conf"),
              QFileInfo(kInstalled + "/intl/fbintl.conf").canonicalFilePath());
    EXPECT_FALSE(QFileInfo(root + "/intl/libfbintl.so").isSymLink());
    EXPECT_TRUE(contents(root + "/intl/libfbintl.so") == contents(kInstalled + "/intl/libfbintl.so"));
    EXPECT_EQ(contents(root + "/firebird.conf"), QByteArray("ServerMode = SuperClassic\nProviders = Remote, Engine12\n"));
    EXPECT_EQ(modeOf(root + "/firebird.conf") & 022, 0u);

    // The character-set folder found as a link: a folder of the root again.
    ASSERT_TRUE(QDir(root + "/intl").removeRecursively());
    ASSERT_TRUE(QFile::link(kInstalled + "/intl", root + "/intl"));
    host::db::prepareEngineRoot(root);
    EXPECT_TRUE(QFileInfo(root + "/intl").isDir() && !QFileInfo(root + "/intl").isSymLink());
    EXPECT_TRUE(QFileInfo(root + "/intl/libfbintl.so").isFile());
    EXPECT_TRUE(QDir(root).entryList({"*.novo"}, QDir::AllEntries | QDir::System).isEmpty()) << "no part left";
}

TEST_F(EngineFolders, RootNotAFolderOfThisUserIsRefusedWithItsName) {
    ASSERT_TRUE(QDir().mkpath(at("alvo")));
    ASSERT_TRUE(QFile::link(at("alvo"), at("raiz")));
    const QString link = failureOf([&] { host::db::prepareEngineRoot(at("raiz")); });
    EXPECT_TRUE(link.contains(at("raiz")) && link.contains("link simbólico")) << link.toStdString();
    EXPECT_TRUE(QDir(at("alvo")).isEmpty()) << "nothing made through the link";

    if (::geteuid() != 0) GTEST_SKIP() << "folders of another OS user need root to be made";
    ASSERT_TRUE(QDir().mkpath(at("alheia/intl")));
    ASSERT_EQ(::chown(path8(at("alheia")).constData(), 65534, 65534), 0);
    const QString alheia = failureOf([&] { host::db::prepareEngineRoot(at("alheia")); });
    EXPECT_TRUE(alheia.contains(at("alheia")) && alheia.contains("pertence ao usuário")) << alheia.toStdString();
    EXPECT_FALSE(QFileInfo::exists(at("alheia/firebird.conf")));

    // A folder of this user holding a file and a folder of another: the
    // file goes, the folder (what it holds may not be removable) refuses.
    ASSERT_TRUE(QDir().mkpath(at("propria/intl")));
    writeFile(at("propria/databases.conf"), "techassist.fdb = /tmp/outro.fdb\n");
    ASSERT_EQ(::chown(path8(at("propria/databases.conf")).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chown(path8(at("propria/intl")).constData(), 65534, 65534), 0);
    const QString dentro = failureOf([&] { host::db::prepareEngineRoot(at("propria")); });
    EXPECT_TRUE(dentro.contains(at("propria/intl")) && dentro.contains("pertence ao usuário")) << dentro.toStdString();
    EXPECT_FALSE(QFileInfo::exists(at("propria/databases.conf")));
}

TEST_F(EngineFolders, LockFolderNotOfTheOwnerOrOpenToOthersIsRefused) {
    const QString banco = at("banco.fdb");
    writeFile(banco, "x");
    ASSERT_TRUE(QDir().mkpath(at("outra")));
    ASSERT_TRUE(QFile::link(at("outra"), at("travas-link")));
    const QString link = failureOf([&] { host::db::makeLockFolder(at("travas-link"), banco); });
    EXPECT_TRUE(link.contains(at("travas-link")) && link.contains("link simbólico")) << link.toStdString();

    ASSERT_TRUE(QDir().mkpath(at("travas-abertas")));
    ::chmod(path8(at("travas-abertas")).constData(), 0777);
    const QString aberta = failureOf([&] { host::db::makeLockFolder(at("travas-abertas"), banco); });
    EXPECT_TRUE(aberta.contains(at("travas-abertas")) && aberta.contains("drwxrwxrwx")) << aberta.toStdString();

    // Made when missing: the owner's, with the file's group.
    host::db::makeLockFolder(at("travas"), banco);
    const mode_t feita = modeOf(at("travas")) & 07777;
    EXPECT_TRUE(feita == 02770 || feita == 0700) << std::oct << feita;
    EXPECT_EQ(failureOf([&] { host::db::makeLockFolder(at("travas"), banco); }), QString()) << "found again";

    if (::geteuid() != 0) GTEST_SKIP() << "files of another OS user need root to be made";
    // Root makes the folder of another user's database for that user: the
    // user's alone for a private file, the group's (each entry kept to its
    // maker) for a file the group may write.
    const QString alheio = at("alheio.fdb");
    writeFile(alheio, "x");
    ASSERT_EQ(::chown(path8(alheio).constData(), 65534, 65534), 0);
    ::chmod(path8(alheio).constData(), 0600);
    host::db::makeLockFolder(at("travas-alheias"), alheio);
    struct stat st {};
    ASSERT_EQ(::stat(path8(at("travas-alheias")).constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0700u);
    ::chmod(path8(alheio).constData(), 0660);
    EXPECT_TRUE(host::db::lockFolderFor(alheio).endsWith("/techassist-firebird-lock-65534-g65534"))
        << host::db::lockFolderFor(alheio).toStdString();
    host::db::makeLockFolder(at("travas-do-grupo"), alheio);
    ASSERT_EQ(::stat(path8(at("travas-do-grupo")).constData(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 02750u);

    // Writable by a group that is not the database's.
    ASSERT_TRUE(QDir().mkpath(at("travas-grupo")));
    ASSERT_EQ(::chown(path8(at("travas-grupo")).constData(), 0, 65534), 0);
    ::chmod(path8(at("travas-grupo")).constData(), 02770);
    const QString grupo = failureOf([&] { host::db::makeLockFolder(at("travas-grupo"), banco); });
    EXPECT_TRUE(grupo.contains(at("travas-grupo")) && grupo.contains("o grupo")) << grupo.toStdString();

    // Another user's folder for this user's database.
    ASSERT_TRUE(QDir().mkpath(at("travas-plantadas")));
    ASSERT_EQ(::chown(path8(at("travas-plantadas")).constData(), 65534, 65534), 0);
    ::chmod(path8(at("travas-plantadas")).constData(), 0700);
    const QString plantada = failureOf([&] { host::db::makeLockFolder(at("travas-plantadas"), banco); });
    EXPECT_TRUE(plantada.contains(at("travas-plantadas")) && plantada.contains("pertence ao usuário"))
        << plantada.toStdString();
}

// A folder on the way to the engine's root or to a lock folder that
// another user could change (open to others, a link that could be pointed
// elsewhere) refuses it by name; root's sticky temporary folder is sound.
TEST_F(EngineFolders, AFolderOthersCanChangeOnTheWayIsRefusedByName) {
    ASSERT_TRUE(QDir().mkpath(at("aberta")));
    ::chmod(path8(at("aberta")).constData(), 0777);
    const QString aberta = failureOf([&] { host::db::prepareEngineRoot(at("aberta/raiz")); });
    EXPECT_TRUE(aberta.contains(at("aberta") + ",") && aberta.contains("drwxrwxrwx")) << aberta.toStdString();
    EXPECT_FALSE(QFileInfo::exists(at("aberta/raiz"))) << "nothing made under it";

    ASSERT_TRUE(QDir().mkpath(at("real")));
    ASSERT_TRUE(QFile::link(at("real"), at("atalho")));
    const QString link = failureOf([&] { host::db::prepareEngineRoot(at("atalho/raiz")); });
    EXPECT_TRUE(link.contains(at("atalho") + ",") && link.contains("link simbólico")) << link.toStdString();
    EXPECT_FALSE(QFileInfo::exists(at("real/raiz")));

    const QString banco = at("banco.fdb");
    writeFile(banco, "x");
    const QString travas = failureOf([&] { host::db::makeLockFolder(at("aberta/travas"), banco); });
    EXPECT_TRUE(travas.contains(at("aberta/travas")) && travas.contains(at("aberta") + ","))
        << travas.toStdString();
    EXPECT_FALSE(QFileInfo::exists(at("aberta/travas")));

    if (::geteuid() != 0) return;   // a folder of root's, below
    ASSERT_TRUE(QDir().mkpath(at("temporaria")));
    ::chmod(path8(at("temporaria")).constData(), 01777);
    EXPECT_EQ(failureOf([&] { host::db::prepareEngineRoot(at("temporaria/raiz")); }), QString());
    EXPECT_EQ(failureOf([&] { host::db::makeLockFolder(at("temporaria/travas"), banco); }), QString());
}

TEST_F(EngineFolders, EngineFailuresAreToldInOurWordsWithTheEngineText) {
    const QString lixo = at("lixo.fdb");
    writeFile(lixo, QByteArray(9000, 'x'));
    host::db::Connection c;
    const QString aberto = failureOf([&] { c.open({lixo}); });
    EXPECT_TRUE(aberto.startsWith("Não foi possível abrir o banco de dados " + lixo + ":\n")) << aberto.toStdString();
    EXPECT_GT(aberto.section('\n', 1).trimmed().size(), 5) << "the engine's text follows";

    // The engine takes what comes before a ":" for a server: refused at once
    // with the reason, never sent to a host named by the path.
    ASSERT_TRUE(QDir().mkpath(at("a:b")));
    const QString doisPontos = failureOf([&] { c.create({at("a:b/novo.fdb")}); });
    EXPECT_TRUE(doisPontos.contains(at("a:b/novo.fdb")) && doisPontos.contains("\":\"")) << doisPontos.toStdString();
    EXPECT_FALSE(QFileInfo::exists(at("a:b/novo.fdb")));
}

// A start that waits on a lock held by another process says so, naming the file.
TEST_F(EngineFolders, AStartWaitingOnALockNamesTheFileThatHoldsIt) {
    const QString banco = at("espera.fdb");
    {
        host::db::Connection c;
        c.create({banco});
    }
    ASSERT_TRUE(QDir().mkpath(at("tmp")));
    const QString travas = at(QString("tmp/techassist-firebird-lock-%1").arg(::geteuid()));
    host::db::makeLockFolder(travas, banco);
    const int fd = ::open(path8(travas + "/fb_init").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0660);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);

    QProcess sonda;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("FIREBIRD_LOCK");
    env.insert("TMPDIR", at("tmp"));
    env.insert("TECHASSIST_PASTA_TRAVAS", at("tmp"));
    sonda.setProcessEnvironment(env);
    sonda.start(TA_SONDA, {banco});
    const QByteArray erros = readErrorsUntil(sonda, "fb_init", 20000);
    ::flock(fd, LOCK_UN);
    ::close(fd);
    EXPECT_TRUE(erros.contains(path8(travas + "/fb_init")) && erros.contains("aguardando"))
        << erros.toStdString();
    ASSERT_TRUE(sonda.waitForFinished(30000)) << "the probe did not end in 30 s once the lock was let go";
    EXPECT_EQ(sonda.exitCode(), 0) << sonda.readAllStandardError().toStdString();
}

// An attach that is only slow (here the probe's own thread holds the lock
// table) waits as long as it takes, saying that no other process holds
// anything, and never names the start's own turn.
TEST_F(EngineFolders, ASlowStartWithNothingHeldByAnotherProcessIsNotGivenUp) {
    const QString banco = at("lento.fdb");
    {
        host::db::Connection c;
        c.create({banco});
    }
    QProcess sonda;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TECHASSIST_DESISTENCIA_TRAVA", "4");
    sonda.setProcessEnvironment(env);
    sonda.start(TA_SONDA, {banco, "7000", "--lento"});
    ASSERT_TRUE(sonda.waitForFinished(60000)) << "the probe did not end in 60 s";
    const QByteArray erros = sonda.readAllStandardError();
    EXPECT_EQ(sonda.exitCode(), 0) << erros.toStdString();
    EXPECT_TRUE(erros.contains("sem outro processo com o banco aberto")) << erros.toStdString();
    EXPECT_FALSE(erros.contains("processo -1")) << erros.toStdString();
}

// Sessions of one machine are given different temporary folders (a
// login's own, a service's, a cron job's): every process of a database
// still keeps its locks in the one folder, or two lock tables would let
// both write the file unaware of each other.
TEST_F(EngineFolders, ProcessesWithDifferentTemporaryFoldersShareOneLockFolder) {
    const QString banco = at("compartilhado.fdb");
    {
        host::db::Connection c;
        c.create({banco});
    }
    // The machine's place, not the one the test programs name for themselves.
    const QByteArray nomeada = qgetenv("TECHASSIST_PASTA_TRAVAS");
    const QByteArray antes = qgetenv("TMPDIR");
    qunsetenv("TECHASSIST_PASTA_TRAVAS");
    qputenv("TMPDIR", path8(scratch.path()));
    const QString daqui = host::db::lockFolderFor(banco);
    qputenv("TMPDIR", antes);
    qputenv("TECHASSIST_PASTA_TRAVAS", nomeada);
    EXPECT_EQ(daqui, QString("/tmp/techassist-firebird-lock-%1").arg(::geteuid()));

    // Two processes at once, each with a temporary folder of its own.
    ASSERT_TRUE(QDir().mkpath(at("base")));
    std::vector<std::unique_ptr<QProcess>> sondas;
    for (const char* temporaria : {"tmp-login", "tmp-servico"}) {
        ASSERT_TRUE(QDir().mkpath(at(temporaria)));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("FIREBIRD_LOCK");
        env.insert("TMPDIR", at(temporaria));
        env.insert("TECHASSIST_PASTA_TRAVAS", at("base"));
        sondas.push_back(std::make_unique<QProcess>());
        sondas.back()->setProcessEnvironment(env);
        sondas.back()->start(TA_SONDA, {banco, "1500"});
    }
    for (auto& sonda : sondas) {
        ASSERT_TRUE(sonda->waitForFinished(60000));
        EXPECT_EQ(sonda->exitCode(), 0) << sonda->readAllStandardError().toStdString();
    }
    const QString travas = at(QString("base/techassist-firebird-lock-%1").arg(::geteuid()));
    EXPECT_TRUE(QFileInfo::exists(travas + "/fb_init")) << "the one lock folder of both";
    for (const char* temporaria : {"tmp-login", "tmp-servico"})
        EXPECT_TRUE(QDir(at(temporaria)).entryList({"techassist-firebird-lock-*"}, QDir::AllEntries).isEmpty())
            << temporaria;

    // A place where users could take each other's names is refused.
    ASSERT_TRUE(QDir().mkpath(at("aberta-a-todos")));
    ::chmod(path8(at("aberta-a-todos")).constData(), 0777);
    QProcess recusada;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("FIREBIRD_LOCK");
    env.insert("TECHASSIST_PASTA_TRAVAS", at("aberta-a-todos"));
    recusada.setProcessEnvironment(env);
    recusada.start(TA_SONDA, {banco});
    ASSERT_TRUE(recusada.waitForFinished(60000));
    const QString erro = QString::fromLocal8Bit(recusada.readAllStandardError());
    EXPECT_EQ(recusada.exitCode(), 1);
    EXPECT_TRUE(erro.contains(at("aberta-a-todos")) && erro.contains("drwxrwxrwx")) << erro.toStdString();
}

// ---------------------------------------------------------------- other OS users

TEST_F(OutroUsuario, APlantedEngineLibraryIsNeverLoaded) {
    const QString banco = database("vitima.fdb", 0, 0, 0600);
    // Another user makes this user's predictable root first, with a library
    // of their own where the engine looks for its character sets.
    const QString raiz = at("tmp/techassist-firebird-0");
    plantRoot(raiz);
    ::chmod(path8(raiz).constData(), 0777);
    giveTo(raiz, uidOf(kOutro));

    // Passed by: the user's start takes a root of its own beside it.
    const Result plantada = probe({}, {banco});
    EXPECT_FALSE(QFileInfo::exists(at("marcador"))) << "the planted library was loaded";
    EXPECT_EQ(plantada.code, 0) << plantada.err.toStdString();
    EXPECT_EQ(QDir(at("tmp")).entryList({"techassist-firebird-0.*"}, QDir::Dirs).size(), 1);

    // The user's own root holding the library (left when the root was
    // open): replaced before the engine loads anything.
    ASSERT_TRUE(QDir(raiz).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(raiz + "/intl"));
    ASSERT_TRUE(QFile::copy(TA_MARCADOR_LIB, raiz + "/intl/libfbintl.so"));
    const Result propria = probe({}, {banco});
    EXPECT_FALSE(QFileInfo::exists(at("marcador"))) << "the planted library was loaded";
    EXPECT_EQ(propria.code, 0) << propria.err.toStdString();
    EXPECT_TRUE(contents(raiz + "/intl/libfbintl.so") == contents(kInstalled + "/intl/libfbintl.so"));
}

// Another user makes the lock folder of this user's databases first and
// holds the engine's start-up lock in it: the folder is never used, and
// every start of this user takes the same folder of its own beside it.
TEST_F(OutroUsuario, APlantedLockFolderIsPassedByEveryStartOfTheOwner) {
    const QString banco = database("travado.fdb", 0, 0, 0600);
    const QString travas = at("tmp/techassist-firebird-lock-0");
    ASSERT_TRUE(QDir().mkpath(travas));
    ::chmod(path8(travas).constData(), 0777);
    const int fd = ::open(path8(travas + "/fb_init").constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    giveTo(travas, uidOf(kOutro));

    QProcess primeiro;
    start(primeiro, {}, {banco, "1500"});
    const Result segundo = probe({}, {banco}, 20000), p = finish(primeiro, 20000);
    ::close(fd);
    EXPECT_EQ(p.code, 0) << p.err.toStdString();
    EXPECT_EQ(segundo.code, 0) << segundo.err.toStdString();
    EXPECT_EQ(QDir(travas).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"fb_init"});
    const QStringList proprias = QDir(at("tmp")).entryList({"techassist-firebird-lock-0.*"}, QDir::Dirs);
    ASSERT_EQ(proprias.size(), 1) << proprias.join(' ').toStdString();
    EXPECT_EQ(QFileInfo(at("tmp/" + proprias.first())).ownerId(), 0u);
}

// A second process on a file another process has open, with what would give
// it a lock table of its own: it uses the one of the file, or is refused
// before it writes, naming why.
TEST_F(OutroUsuario, EveryProcessOnAFileUsesItsOneLockTableOrIsRefused) {
    const QString banco = database("uma-tabela.fdb", 0, 0, 0600);
    const QString tabela = at("tmp/techassist-firebird-lock-0/fb_lock_" + testsupport::idNoMotor(banco));
    ASSERT_TRUE(QDir().mkpath(at("propria")));
    ::chmod(path8(at("propria")).constData(), 0700);
    const QStringList tmpPropria{"unshare", "-m", "sh", "-c", "mount -t tmpfs -o mode=1777 tmpfs \"$0\" || exit 99; exec \"$@\"",
                                 at("tmp")};
    struct Caso {
        const char* nome;
        const char* variavel;
        QStringList envolto;
        int codigo;
    };
    for (const Caso& caso : {Caso{"FIREBIRD_LOCK", "FIREBIRD_LOCK", {}, 0},
                             Caso{"TECHASSIST_PASTA_TRAVAS", "TECHASSIST_PASTA_TRAVAS", {}, 1},
                             Caso{"/tmp of its own", nullptr, tmpPropria, 1}}) {
        QProcess primeiro, segundo;
        start(primeiro, {}, {banco, "2000"});
        const qint64 outro = primeiro.processId();
        QElapsedTimer relogio;
        relogio.start();
        while (!QFileInfo::exists(tabela) && relogio.elapsed() < 20000) QThread::msleep(50);
        QProcessEnvironment env = environment();
        if (caso.variavel) env.insert(caso.variavel, at("propria"));
        segundo.setProcessEnvironment(env);
        const QStringList programa = caso.envolto + QStringList{TA_SONDA, banco};
        segundo.start(programa.first(), programa.mid(1));
        const Result s = finish(segundo, 20000), p = finish(primeiro, 20000);
        ASSERT_NE(s.code, 99) << "no file system could be mounted here";
        EXPECT_EQ(p.code, 0) << caso.nome << ": " << p.err.toStdString();
        EXPECT_EQ(s.code, caso.codigo) << caso.nome << ": " << s.err.toStdString();
        if (caso.codigo == 0)
            EXPECT_TRUE(QDir(at("propria")).isEmpty()) << caso.nome << ": the engine used the folder named";
        else   // naming the other process's folder and the process
            EXPECT_TRUE(s.err.contains("outra pasta (" + at("tmp/techassist-firebird-lock-0") +
                                       QString(" (processo %1)").arg(outro)))
                << caso.nome << ": " << s.err.toStdString();
    }
}

// The lock folder's file system fills while a program works: the program's
// lock files already have their room, and it ends well.
TEST_F(OutroUsuario, ALockFolderThatFillsWhileTheProgramWorksKillsNothing) {
    const QString banco = database("enchendo.fdb", 0, 0, 0600);
    ASSERT_TRUE(QDir().mkpath(at("pequena")));
    QProcess p;
    QProcessEnvironment env = environment();
    env.insert("TECHASSIST_PASTA_TRAVAS", at("pequena"));
    p.setProcessEnvironment(env);
    p.start("unshare", {"-m", "sh", "-c", "mount -t tmpfs -o size=4m,mode=1777 tmpfs \"$0\" || exit 99; exec \"$@\"",
                        at("pequena"), TA_SONDA, banco, "0", "--encher", at("pequena/cheio")});
    const Result r = finish(p, 30000);
    ASSERT_NE(r.code, 99) << "no file system could be mounted here";
    EXPECT_EQ(r.code, 0) << "killed by a signal (-2) or refused: " << r.err.toStdString();
    EXPECT_TRUE(QDir(at("pequena")).isEmpty()) << "the mount went with the program";
}

TEST_F(OutroUsuario, OwnersStartTwoProcessesAndAGroupSharedFileStillWork) {
    const QString banco = database("compartilhado.fdb", uidOf(kDono), grupo(), 0660);
    QProcess primeiro, segundo, colega;
    start(primeiro, kDono, {banco, "3000"});
    ASSERT_TRUE(primeiro.waitForStarted());
    QThread::msleep(800);
    start(segundo, kDono, {banco, "1500"});
    start(colega, kOutro, {banco, "0"});
    const Result c = finish(colega), s = finish(segundo), p = finish(primeiro);
    EXPECT_EQ(p.code, 0) << p.err.toStdString();
    EXPECT_EQ(s.code, 0) << s.err.toStdString();
    EXPECT_EQ(c.code, 0) << c.err.toStdString();
    struct stat st {};
    const QString travas = at(QString("tmp/techassist-firebird-lock-%1-g%2").arg(uidOf(kDono)).arg(grupo()));
    ASSERT_EQ(::stat(path8(travas).constData(), &st), 0);
    EXPECT_EQ(st.st_uid, uidOf(kDono));
    EXPECT_EQ(st.st_gid, grupo());
    EXPECT_EQ(st.st_mode & 07777, 02750u) << "the group may read it, not add names";
    // The owner's own new database, by the owner.
    ASSERT_EQ(::chown(path8(scratch.path()).constData(), uidOf(kDono), grupo()), 0);
    const Result novo = probe(kDono, {at("do-dono.fdb"), "0", "--criar"});
    EXPECT_EQ(novo.code, 0) << novo.err.toStdString();
}

TEST_F(OutroUsuario, AFileThisUserMayNotOpenIsToldByItsPermissions) {
    const QString banco = database("privado.fdb", 0, 0, 0600);
    const Result r = probe(kOutro, {banco});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(banco) && r.err.contains("-rw-------")) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("pasta de travas")) << r.err.toStdString();

    // In a group's folder (2750) of a group this user is not in: told the
    // folder it may not enter, not to make the folder what it already is.
    ASSERT_TRUE(QDir().mkpath(at("do-grupo")));
    const QString doGrupo = database("do-grupo/banco.fdb", uidOf(kDono), 0, 0660);
    ASSERT_EQ(::chown(path8(at("do-grupo")).constData(), uidOf(kDono), 0), 0);
    ::chmod(path8(at("do-grupo")).constData(), 02750);
    const Result fora = probe(kOutro, {doGrupo});
    EXPECT_EQ(fora.code, 1);
    EXPECT_TRUE(fora.err.contains(at("do-grupo")) && fora.err.contains("drwxr-s---")) << fora.err.toStdString();
    EXPECT_FALSE(fora.err.contains("chmod 2750")) << fora.err.toStdString();
}

// Another user who may read a file but not write it could hold the locks
// through which the file's writers take turns at the start: such a file is
// refused at the owner's start, naming why; one no one else can read, or
// reach, opens, and so does one in a group's folder others cannot enter
// that only the group, which may write it, can read.
TEST_F(OutroUsuario, AFileOthersMayReadButNotWriteIsRefusedAtTheStart) {
    struct Caso {
        const char* pasta;
        mode_t modoPasta, modoArquivo;
        bool recusado, doGrupo;
    };
    for (const Caso& caso : {Caso{"lido-por-todos", 02755, 0664, true, false},
                             Caso{"so-o-dono", 02755, 0600, false, false}, Caso{"fechada", 0700, 0644, false, false},
                             Caso{"do-grupo-fechada", 02750, 0664, false, true}}) {
        ASSERT_TRUE(QDir().mkpath(at(caso.pasta)));
        const gid_t grupoDoCaso = caso.doGrupo ? grupo() : 0;
        const QString banco =
            database(QString("%1/banco.fdb").arg(caso.pasta), uidOf(kDono), grupoDoCaso, caso.modoArquivo);
        ASSERT_EQ(::chown(path8(at(caso.pasta)).constData(), uidOf(kDono), grupoDoCaso), 0);
        ::chmod(path8(at(caso.pasta)).constData(), caso.modoPasta);
        const Result r = probe(kDono, {banco});
        if (caso.recusado) {
            EXPECT_EQ(r.code, 1) << caso.pasta;
            EXPECT_TRUE(r.err.contains(banco) && r.err.contains("-rw-rw-r--") && r.err.contains("chmod 600"))
                << r.err.toStdString();
        } else {
            EXPECT_EQ(r.code, 0) << caso.pasta << ": " << r.err.toStdString();
        }
    }
}

// A home another user may write: whatever is under it could be swapped
// between the check and the engine's start, so the root goes elsewhere.
TEST_F(OutroUsuario, AHomeOthersCanWriteNeverHoldsTheEngineRoot) {
    const QString banco = database("casa.fdb", 0, 0, 0600);
    ASSERT_TRUE(QDir().mkpath(at("casa")));
    ::chmod(path8(at("casa")).constData(), 0777);
    QProcess p;
    start(p, {}, {banco}, at("casa"));
    const Result r = finish(p);
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(at("casa/.cache/techassist-firebird")));
    EXPECT_TRUE(QFileInfo(at("tmp/techassist-firebird-0")).isDir());
}

// Root's job on a user's database is refused, telling to run it as the
// owner, and leaves the owner's lock folder as the owner can use it.
TEST_F(OutroUsuario, ARootJobOnAUsersDatabaseIsRefusedAndTheOwnerStillStarts) {
    const QString banco = database("do-usuario.fdb", uidOf(kDono), grupo(), 0600);
    const Result primeiro = probe(kDono, {banco});
    ASSERT_EQ(primeiro.code, 0) << primeiro.err.toStdString();
    const QString travas = at(QString("tmp/techassist-firebird-lock-%1").arg(uidOf(kDono)));
    const Result root = probe({}, {banco});
    EXPECT_EQ(root.code, 1);
    EXPECT_TRUE(root.err.contains(banco) && root.err.contains(kDono) && root.err.contains("Execute como o dono"))
        << root.err.toStdString();
    for (const QFileInfo& entry : QDir(travas).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System))
        EXPECT_EQ(entry.ownerId(), uidOf(kDono)) << entry.filePath().toStdString();
    const Result depois = probe(kDono, {banco});
    EXPECT_EQ(depois.code, 0) << depois.err.toStdString();
}

// Run by root, the engine hands every lock file it makes to the user the
// Firebird server package makes ("firebird"), so root's next start finds
// its own lock folder full of that user's files. Here another user of the
// test plays that user: its files in root's folder (which no one else can
// enter) are accepted as the engine's, and nothing else is.
TEST_F(OutroUsuario, RootStartsAgainWhenTheEngineHandedItsLockFilesToAnotherUser) {
    const QString banco = database("do-root.fdb", 0, 0, 0600);
    const QString travas = at("travas-root");
    host::db::makeLockFolder(travas, banco, kOutro);
    for (const char* nome : {"fb_init", "fb12_trace", "fb_lock_00fe", "fb_trace_abc123"}) {
        writeFile(travas + "/" + nome, "");
        ASSERT_EQ(::chown(path8(travas + "/" + nome).constData(), uidOf(kOutro), grupo()), 0);
        ::chmod(path8(travas + "/" + nome).constData(), 0660);
    }
    EXPECT_EQ(failureOf([&] { host::db::makeLockFolder(travas, banco, kOutro); }), QString());
    const QString outro = failureOf([&] { host::db::makeLockFolder(travas, banco, kDono); });
    EXPECT_TRUE(outro.contains(travas + "/fb") && outro.contains(kOutro)) << "not the engine's user: " << outro.toStdString();

    // What that user could have put there through a name of its own: a link,
    // or a second name of a file it keeps elsewhere.
    ASSERT_TRUE(QFile::link(at("do-root.fdb"), travas + "/fb12_monitor_00fe"));
    ASSERT_EQ(::lchown(path8(travas + "/fb12_monitor_00fe").constData(), uidOf(kOutro), grupo()), 0);
    const QString link = failureOf([&] { host::db::makeLockFolder(travas, banco, kOutro); });
    EXPECT_TRUE(link.contains(travas + "/fb12_monitor_00fe") && link.contains("link simbólico")) << link.toStdString();
    ASSERT_TRUE(QFile::remove(travas + "/fb12_monitor_00fe"));
    ASSERT_TRUE(QDir().mkpath(at("do-outro")));
    ASSERT_EQ(::link(path8(travas + "/fb_init").constData(), path8(at("do-outro/guardado")).constData()), 0);
    const QString segundoNome = failureOf([&] { host::db::makeLockFolder(travas, banco, kOutro); });
    EXPECT_TRUE(segundoNome.contains(travas + "/fb_init") && segundoNome.contains(kOutro)) << segundoNome.toStdString();
    ASSERT_TRUE(QFile::remove(at("do-outro/guardado")));
    EXPECT_EQ(failureOf([&] { host::db::makeLockFolder(travas, banco, kOutro); }), QString());
}

// The same with the engine itself handing its files over: the probes run
// where the user list (in a mount namespace of their own, so nothing else
// on the machine sees it) names another user of the test "firebird".
TEST_F(OutroUsuario, RootStartsAgainBesideTheServerPackagesUser) {
    QFile passwd("/etc/passwd");
    ASSERT_TRUE(passwd.open(QIODevice::ReadOnly));
    QByteArray lista;
    for (const QByteArray& linha : passwd.readAll().split('\n'))
        if (!linha.startsWith("firebird:") && !linha.isEmpty()) lista += linha + "\n";
    lista += QString("firebird:x:%1:%2::/nonexistent:/usr/sbin/nologin\n").arg(uidOf(kOutro)).arg(grupo()).toUtf8();
    writeFile(at("passwd"), lista);
    const QStringList comFirebird{"unshare", "-m", "sh", "-c", "mount --bind \"$0\" /etc/passwd && exec \"$@\"",
                                  at("passwd")};
    if (!run(comFirebird.first(), comFirebird.mid(1) + QStringList{"true"}))
        GTEST_SKIP() << "no mount namespace can be made here (unshare -m)";
    const QString banco = database("do-root-2.fdb", 0, 0, 0600);
    const QString travas = at("tmp/techassist-firebird-lock-0");
    const auto rodar = [&](const QStringList& args) {
        QProcess p;
        start(p, {}, args, {}, comFirebird);
        return finish(p);
    };
    QProcess primeiro;
    start(primeiro, {}, {banco, "2000"}, {}, comFirebird);
    ASSERT_TRUE(primeiro.waitForStarted());
    const Result segundo = rodar({banco});
    const Result p = finish(primeiro);
    EXPECT_EQ(p.code, 0) << p.err.toStdString();
    EXPECT_EQ(segundo.code, 0) << "beside the first: " << segundo.err.toStdString();
    EXPECT_EQ(QFileInfo(travas + "/fb_init").ownerId(), uidOf(kOutro)) << "the engine handed its files over";
    const Result depois = rodar({banco});
    EXPECT_EQ(depois.code, 0) << "after both ended: " << depois.err.toStdString();
}

// The engine's name for a database's lock files: the file's device and
// inode numbers, their bytes in hexadecimal.
QString engineId(const QString& banco) { return testsupport::idNoMotor(banco); }

// A member of the group watches the group's lock folder and, while the
// owner's start is inside the engine (held here on the engine's start-up
// lock, which any member may take), puts links under the names of the lock
// files the engine is about to make, to a private file of the owner's.
// Nothing is written through them, whatever the moment.
TEST_F(OutroUsuario, LinksPlantedWhileTheEngineMakesItsLockFilesAreNeverWrittenThrough) {
    const QString banco = database("do-grupo.fdb", uidOf(kDono), grupo(), 0660);
    const Result primeiro = probe(kDono, {banco});
    ASSERT_EQ(primeiro.code, 0) << primeiro.err.toStdString();
    const QString travas = at(QString("tmp/techassist-firebird-lock-%1-g%2").arg(uidOf(kDono)).arg(grupo()));
    const QString vitima = at("privado-do-dono.txt");
    writeFile(vitima, "segredo");
    ASSERT_EQ(::chown(path8(vitima).constData(), uidOf(kDono), grupo()), 0);
    ::chmod(path8(vitima).constData(), 0600);
    const auto comoOutro = [&](const QStringList& comando) {
        return run("setpriv", testsupport::comoUsuario(kOutro) + comando);
    };

    const int fd = ::open(path8(travas + "/fb_init").constData(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    QProcess dono;
    start(dono, kDono, {banco});
    const QByteArray erros = readErrorsUntil(dono, "fb_init", 20000);
    if (!erros.contains("fb_init")) ::close(fd);   // lets the start go on: the test ends here
    ASSERT_TRUE(erros.contains("fb_init")) << "no notice naming fb_init from the owner's start in 20 s: "
                                           << erros.toStdString();
    // The start has passed every check of its own and waits in the engine.
    const QString id = engineId(banco);
    for (const QString& nome : {"fb_lock_" + id, "fb12_monitor_" + id, QString("fb12_trace"), QString("fb_event_") + id})
        comoOutro({"ln", "-s", vitima, travas + "/" + nome});
    ::flock(fd, LOCK_UN);
    ::close(fd);
    const Result r = finish(dono);
    EXPECT_EQ(r.code, 0) << erros.toStdString() << r.err.toStdString();
    EXPECT_EQ(contents(vitima), QByteArray("segredo"));
    EXPECT_EQ(modeOf(vitima) & 0777, 0600u);

    // The member's own start beside the owner's shares the owner's lock
    // files, and takes none of them away.
    EXPECT_FALSE(comoOutro({"rm", "-f", travas + "/fb_lock_" + id})) << "another member's entry stays";
    QProcess longo;
    start(longo, kDono, {banco, "2000"});
    const Result membro = probe(kOutro, {banco});
    const Result l = finish(longo);
    EXPECT_EQ(membro.code, 0) << membro.err.toStdString();
    EXPECT_EQ(l.code, 0) << l.err.toStdString();
    EXPECT_EQ(contents(vitima), QByteArray("segredo"));
}

// A group's database the owner never opened has no lock files of the
// owner yet: a member is refused, told to open it once as the owner.
TEST_F(OutroUsuario, AMemberIsRefusedUntilTheOwnerHasMadeTheLockFiles) {
    const QString aberto = database("aberto.fdb", uidOf(kDono), grupo(), 0660);
    const QString novo = database("nunca-aberto.fdb", uidOf(kDono), grupo(), 0660);
    ASSERT_EQ(probe(kDono, {aberto}).code, 0);
    const Result membro = probe(kOutro, {novo});
    EXPECT_EQ(membro.code, 1);
    EXPECT_TRUE(membro.err.contains("fb_lock_" + engineId(novo)) && membro.err.contains(kDono)) << membro.err.toStdString();
    ASSERT_EQ(probe(kDono, {novo}).code, 0);
    const Result depois = probe(kOutro, {novo});
    EXPECT_EQ(depois.code, 0) << depois.err.toStdString();
}

// One owner's private database and his group's database, side by side.
// Whether a group-writable database is shared is told by the group's
// members, not by its name: a user's own group with another member is
// shared (that member opens it), a group holding the owner alone is not.
TEST_F(OutroUsuario, AGroupIsSharedWhenItHasAnotherMemberWhateverItsName) {
    ASSERT_TRUE(testsupport::garantirGrupo(kDono));
    ASSERT_TRUE(run("usermod", {"-a", "-G", kDono, kDono}));
    ASSERT_TRUE(run("usermod", {"-a", "-G", kDono, kOutro}));
    const gid_t proprio = ::getgrnam(kDono)->gr_gid;
    const QString doProprio = database("do-grupo-proprio.fdb", uidOf(kDono), proprio, 0660);
    EXPECT_TRUE(host::db::lockFolderFor(doProprio).endsWith(QString("-g%1").arg(proprio)))
        << host::db::lockFolderFor(doProprio).toStdString();
    Result r = probe(kDono, {doProprio});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    r = probe(kOutro, {doProprio});
    EXPECT_EQ(r.code, 0) << "the group's other member: " << r.err.toStdString();

    const QString kSozinho = testsupport::nomeDaExecucao("s");
    ASSERT_TRUE(testsupport::garantirGrupo(kSozinho));
    const gid_t sozinho = ::getgrnam(path8(kSozinho).constData())->gr_gid;
    const QString deUmSo = database("grupo-de-um-so.fdb", uidOf(kDono), sozinho, 0660);
    EXPECT_TRUE(host::db::lockFolderFor(deUmSo).endsWith(QString("/techassist-firebird-lock-%1").arg(uidOf(kDono))))
        << host::db::lockFolderFor(deUmSo).toStdString();
}

TEST_F(OutroUsuario, APrivateAndAGroupsDatabaseOfOneOwnerOpenSideBySide) {
    const QString doGrupo = database("grupo-a.fdb", uidOf(kDono), grupo(), 0660);
    const QString privado = database("privado-b.fdb", uidOf(kDono), 65534, 0600);
    for (const QString& banco : {doGrupo, privado, doGrupo}) {
        const Result r = probe(kDono, {banco});
        EXPECT_EQ(r.code, 0) << banco.toStdString() << ": " << r.err.toStdString();
    }
}

}  // namespace

namespace {

// Firebird's own tools beside a running application, as the README tells:
// through scripts/firebird-tool (the program techassist-firebird), which
// gives them the application's engine root and the database's lock folder.
class FirebirdTools : public testsupport::DatabaseTest {};

TEST_F(FirebirdTools, IsqlOpensTheDatabaseWhileTheApplicationHasItOpen) {
    if (QStandardPaths::findExecutable("isql-fb").isEmpty()) GTEST_SKIP() << "isql-fb is not installed";
    exec("create table T (ID integer)");
    tr().commit();
    exec("insert into T values (1)");
    exec("insert into T values (2)");
    tr().commitRetaining();
    // Run from a session whose temporary folder is another (a login's own,
    // a service's): the lock folder is the one the application uses still.
    QTemporaryDir outraTemporaria;
    QProcess isql;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", outraTemporaria.path());
    isql.setProcessEnvironment(env);
    isql.start(TA_FERRAMENTA, {dbPath, "isql-fb", "-q", "-user", "SYSDBA", dbPath});
    ASSERT_TRUE(isql.waitForStarted());
    isql.write("select 'linhas', count(*) from T;\n");
    isql.closeWriteChannel();
    ASSERT_TRUE(isql.waitForFinished(60000));
    const QString out = QString::fromLocal8Bit(isql.readAllStandardOutput() + isql.readAllStandardError());
    EXPECT_EQ(isql.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.simplified().contains("linhas 2")) << out.toStdString();
    EXPECT_EQ(2, exec("update T set ID = ID + 1")) << "the application goes on";
}

}  // namespace
