// A process that opens a database as the application does, for the tests
// that run it as other OS users or beside a held lock:
//   db_sonda ARQUIVO [MILISSEGUNDOS] [--criar | --escrever LINHAS | --encher ARQUIVO | --lento]
// It runs a statement that needs the engine's character-set library, keeps
// the connection for the given time, prints "ok" and exits 0; a failure goes
// to the error output with exit code 1. With --escrever it inserts the
// given number of rows into the table T (ID integer) first, committing each,
// and prints how many it committed. With --encher it fills the file system
// of the given file once the database is open, and then asks the engine for
// what its monitoring tables hold (pages of a lock file not touched before).
// With --lento it opens the database a second time while a thread of its own
// holds the engine's lock table for the given time, and it holds a start's
// turn: an attach that is only slow, nothing held by another process.

#include "host/db/Database.h"
#include "tests/support/TravaPresa.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Writes zeros to the file until its file system has no room left.
void fill(const QByteArray& file) {
    std::FILE* out = std::fopen(file.constData(), "wb");
    if (!out) return;
    static const char zeros[65536] = {};
    while (std::fwrite(zeros, 1, sizeof zeros, out) == sizeof zeros && std::fflush(out) == 0) {
    }
    std::fclose(out);
}

// A start's turn: an open-file-description lock far past the file's end.
int takeTurn(const QString& database) {
    const int fd = ::open(QFile::encodeName(database).constData(), O_RDWR | O_CLOEXEC);
    struct flock turn {};
    turn.l_type = F_WRLCK;
    turn.l_whence = SEEK_SET;
    turn.l_start = off_t(1) << 62;
    turn.l_len = 1;
    if (fd >= 0) ::fcntl(fd, F_OFD_SETLK, &turn);
    return fd;
}

void openSlowly(const QString& database, int ms) {
    const int turn = takeTurn(database);
    const QString table = qEnvironmentVariable("FIREBIRD_LOCK") + "/fb_lock_" + testsupport::idNoMotor(database);
    std::atomic<int> held{0};
    std::thread holder([&] {
        testsupport::MutexPreso mutex(table);
        held = mutex.preso ? 1 : 2;
        if (mutex.preso) QThread::msleep(ms);
    });
    while (held == 0) QThread::msleep(10);
    if (held == 1) {
        host::db::Connection second;
        second.open({database});
    }
    holder.join();
    ::close(turn);
    if (held != 1) throw host::db::DbError("the lock table could not be held");
}

}  // namespace

int main(int argc, char** argv) {
    host::db::prepareProcess();
    if (argc < 2) return 2;
    const QString database = QString::fromLocal8Bit(argv[1]);
    const int hold = argc > 2 ? QString(argv[2]).toInt() : 0;
    const bool create = argc > 3 && QByteArray(argv[3]) == "--criar";
    const int rows = argc > 4 && QByteArray(argv[3]) == "--escrever" ? QString(argv[4]).toInt() : 0;
    const QByteArray filled = argc > 4 && QByteArray(argv[3]) == "--encher" ? QByteArray(argv[4]) : QByteArray();
    const bool slowly = argc > 3 && QByteArray(argv[3]) == "--lento";
    int committed = 0;
    try {
        host::db::Connection connection;
        if (create)
            connection.create({database});
        else
            connection.open({database});
        if (slowly) openSlowly(database, hold);
        host::db::Transaction transaction(connection);
        for (; committed < rows; ++committed) {
            host::db::executeSql(transaction, "insert into T (ID) values (1)");
            transaction.commit();
        }
        host::db::selectValue(transaction,
                              "select cast('ação' as varchar(10) character set ISO8859_1) from rdb$database");
        if (!filled.isEmpty()) {
            fill(filled);
            host::db::selectValue(transaction, "select count(*) from mon$statements");
        }
        if (!slowly) QThread::msleep(hold);
        transaction.commit();
        connection.close();
    } catch (const host::db::DbError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        if (rows > 0) std::printf("%d\n", committed);
        return 1;
    }
    if (rows > 0) std::printf("%d\n", committed);
    std::printf("ok\n");
    return 0;
}
