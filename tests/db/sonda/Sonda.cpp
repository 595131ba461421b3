// A process that opens a database as the application does, for the tests
// that run it as other OS users or beside a held lock:
//   db_sonda ARQUIVO [MILISSEGUNDOS] [--criar | --escrever LINHAS | --encher ARQUIVO]
// It runs a statement that needs the engine's character-set library, keeps
// the connection for the given time, prints "ok" and exits 0; a failure goes
// to the error output with exit code 1. With --escrever it inserts the
// given number of rows into the table T (ID integer) first, committing each,
// and prints how many it committed. With --encher it fills the file system
// of the given file once the database is open, and then asks the engine for
// what its monitoring tables hold (pages of a lock file not touched before).

#include "host/db/Database.h"

#include <QString>
#include <QThread>

#include <cstdio>

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

}  // namespace

int main(int argc, char** argv) {
    host::db::prepareProcess();
    if (argc < 2) return 2;
    const QString database = QString::fromLocal8Bit(argv[1]);
    const int hold = argc > 2 ? QString(argv[2]).toInt() : 0;
    const bool create = argc > 3 && QByteArray(argv[3]) == "--criar";
    const int rows = argc > 4 && QByteArray(argv[3]) == "--escrever" ? QString(argv[4]).toInt() : 0;
    const QByteArray filled = argc > 4 && QByteArray(argv[3]) == "--encher" ? QByteArray(argv[4]) : QByteArray();
    int committed = 0;
    try {
        host::db::Connection connection;
        if (create)
            connection.create({database});
        else
            connection.open({database});
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
        QThread::msleep(hold);
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
