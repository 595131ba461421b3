// A process that opens a database as the application does, for the tests
// that run it as other OS users or beside a held lock:
//   db_sonda ARQUIVO [MILISSEGUNDOS] [--criar | --escrever LINHAS]
// It runs a statement that needs the engine's character-set library, keeps
// the connection for the given time, prints "ok" and exits 0; a failure goes
// to the error output with exit code 1. With --escrever it inserts the
// given number of rows into the table T (ID integer) first, committing each,
// and prints how many it committed.

#include "host/db/Database.h"

#include <QString>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv) {
    host::db::prepareProcess();
    if (argc < 2) return 2;
    const QString database = QString::fromLocal8Bit(argv[1]);
    const int hold = argc > 2 ? QString(argv[2]).toInt() : 0;
    const bool create = argc > 3 && QByteArray(argv[3]) == "--criar";
    const int rows = argc > 4 && QByteArray(argv[3]) == "--escrever" ? QString(argv[4]).toInt() : 0;
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
