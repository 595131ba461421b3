// The dataset layer against host/db on the same work, in one run:
// open a 10,000-row query and read every field of every row; append and post
// 2,000 rows through an update object. Prints ours / raw for each.

#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

using Clock = std::chrono::steady_clock;

namespace {

constexpr int kWalkRows = 10000;
constexpr int kPostRows = 2000;
const char* kColumns = "ID, NOME, VALOR, QTD, DATA, OBS, GRUPO";
const char* kInsert = "insert into T (ID, NOME, VALOR, QTD, DATA, OBS, GRUPO) "
                      "values (:ID, :NOME, :VALOR, :QTD, :DATA, :OBS, :GRUPO)";

double seconds(const std::function<void()>& work)
{
    const auto t0 = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

long long rawWalk(host::db::Transaction& tr)
{
    host::db::Statement sel(tr, QString("select %1 from T where ID <= %2").arg(kColumns).arg(kWalkRows));
    sel.execute();
    long long sum = 0;
    while (sel.fetch())
        for (int c = 0; c < sel.columnCount(); ++c)
            sum += sel.value(c).isNull() ? 0 : 1;
    return sum;
}

long long oursWalk(host::db::Transaction& tr)
{
    host::data::Query q;
    q.setTransaction(&tr);
    q.setSql(QString("select %1 from T where ID <= %2").arg(kColumns).arg(kWalkRows));
    q.open();
    long long sum = 0;
    const auto& fields = q.fields();
    while (!q.eof()) {
        for (host::data::Field* f : fields)
            sum += f->value().isNull() ? 0 : 1;
        q.next();
    }
    q.close();
    q.setTransaction(nullptr);
    return sum;
}

void rawPost(host::db::Transaction& tr, int firstId)
{
    host::db::Statement ins(tr, kInsert);
    const QDateTime when(QDate(2026, 3, 1), QTime(0, 0));
    for (int i = firstId; i < firstId + kPostRows; ++i) {
        ins.setParam("ID", i);
        ins.setParam("NOME", QString("Cliente %1").arg(i));
        ins.setParam("VALOR", i * 1.25);
        ins.setParam("QTD", i % 100);
        ins.setParam("DATA", when);
        ins.setParam("OBS", QVariant());
        ins.setParam("GRUPO", "G1");
        ins.execute();
    }
}

void oursPost(host::db::Transaction& tr, int firstId)
{
    host::data::Query q;
    host::data::UpdateSql us;
    q.setTransaction(&tr);
    q.setSql(QString("select %1 from T where ID = -1").arg(kColumns));
    us.setInsertSql(kInsert);
    q.setUpdateObject(&us);
    q.open();
    host::data::Field* id = q.fieldByName("ID");
    host::data::Field* nome = q.fieldByName("NOME");
    host::data::Field* valor = q.fieldByName("VALOR");
    host::data::Field* qtd = q.fieldByName("QTD");
    host::data::Field* data = q.fieldByName("DATA");
    host::data::Field* grupo = q.fieldByName("GRUPO");
    const QDateTime when(QDate(2026, 3, 1), QTime(0, 0));
    for (int i = firstId; i < firstId + kPostRows; ++i) {
        q.append();
        id->setAsInteger(i);
        nome->setAsString(QString("Cliente %1").arg(i));
        valor->setAsFloat(i * 1.25);
        qtd->setAsInteger(i % 100);
        data->setAsDateTime(when);
        grupo->setAsString("G1");
        q.post();
    }
    q.close();
    q.setTransaction(nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    host::db::prepareProcess();
    QCoreApplication app(argc, argv);
    const QString path = QDir::tempPath() + "/techassist-bench-dataset.fdb";
    QFile::remove(path);
    host::db::Connection connection;
    connection.create({path});
    host::db::Transaction tr(connection);
    host::db::executeSql(tr, "create table T (ID integer not null primary key, NOME varchar(40), "
                             "VALOR double precision, QTD smallint, DATA date, OBS varchar(100), GRUPO varchar(10))");
    tr.commit();
    {
        host::db::Statement ins(tr, kInsert);
        for (int i = 1; i <= kWalkRows; ++i) {
            ins.setParam("ID", i);
            ins.setParam("NOME", QString("Cliente %1").arg(i));
            ins.setParam("VALOR", i * 1.5);
            ins.setParam("QTD", i % 100);
            ins.setParam("DATA", QDateTime(QDate(2026, 1, 1).addDays(i % 365), QTime(0, 0)));
            ins.setParam("OBS", i % 3 ? QVariant("obs") : QVariant());
            ins.setParam("GRUPO", "G");
            ins.execute();
        }
    }
    tr.commit();

    const int rounds = qEnvironmentVariableIntValue("BENCH_ROUNDS") > 0 ? qEnvironmentVariableIntValue("BENCH_ROUNDS") : 5;
    double oursW = 1e9, rawW = 1e9, oursP = 1e9, rawP = 1e9;
    int nextId = 100000;
    for (int round = 0; round < rounds; ++round) {
        rawW = std::min(rawW, seconds([&] { rawWalk(tr); }));
        oursW = std::min(oursW, seconds([&] { oursWalk(tr); }));
        rawP = std::min(rawP, seconds([&] { rawPost(tr, nextId); }));
        nextId += kPostRows;
        oursP = std::min(oursP, seconds([&] { oursPost(tr, nextId); }));
        nextId += kPostRows;
        tr.commitRetaining();
    }
    tr.commit();
    std::printf("host/data walk %d rows x 7 fields: ours %.3fs raw %.3fs ratio %.2f (goal <= 1.30)\n", kWalkRows,
                oursW, rawW, oursW / rawW);
    std::printf("host/data post %d appended rows: ours %.3fs raw %.3fs ratio %.2f (goal <= 1.30)\n", kPostRows,
                oursP, rawP, oursP / rawP);
    connection.close();
    QFile::remove(path);
    return 0;
}
