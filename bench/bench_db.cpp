// Insert 20,000 rows and fetch them all, through host/db and through the
// engine's object interface written plainly; prints ours / raw for each
// (the median of the rounds).

#include "host/db/Database.h"

#include "bench/BenchFirebird.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstring>

using namespace Firebird;

namespace {

constexpr int kRows = 20000;

void rawInsert(bench::Raw& raw)
{
    const char* sql = "insert into B2 (ID, NOME, VALOR, DATA) values (?, ?, ?, ?)";
    IStatement* stmt = raw.att->prepare(&raw.st, raw.tra, 0, sql, 1, IStatement::PREPARE_PREFETCH_METADATA);
    IMessageMetadata* meta = stmt->getInputMetadata(&raw.st);
    std::vector<unsigned char> buf(meta->getMessageLength(&raw.st), 0);
    const unsigned o0 = meta->getOffset(&raw.st, 0), o1 = meta->getOffset(&raw.st, 1),
                   o2 = meta->getOffset(&raw.st, 2), o3 = meta->getOffset(&raw.st, 3);
    const QDateTime when(QDate(2023, 2, 25), QTime(0, 0));
    for (int i = 1; i <= kRows; ++i) {
        std::memcpy(&buf[o0], &i, 4);
        const QByteArray name = QString("Cliente número %1").arg(i).toUtf8();
        const auto len = static_cast<unsigned short>(name.size());
        std::memcpy(&buf[o1], &len, 2);
        std::memcpy(&buf[o1 + 2], name.constData(), size_t(name.size()));
        const double v = i * 1.25;
        std::memcpy(&buf[o2], &v, 8);
        const ISC_TIMESTAMP ts{ISC_DATE(when.date().toJulianDay() - 2400001),
                               ISC_TIME(when.time().msecsSinceStartOfDay()) * 10};
        std::memcpy(&buf[o3], &ts, sizeof ts);
        stmt->execute(&raw.st, raw.tra, meta, buf.data(), nullptr, nullptr);
    }
    meta->release();
    stmt->free(&raw.st);
    raw.tra->commitRetaining(&raw.st);
}

long long rawFetch(bench::Raw& raw)
{
    IStatement* stmt = raw.att->prepare(&raw.st, raw.tra, 0, "select ID, NOME, VALOR, DATA from B2", 1,
                                        IStatement::PREPARE_PREFETCH_METADATA);
    IMessageMetadata* meta = stmt->getOutputMetadata(&raw.st);
    std::vector<unsigned char> buf(meta->getMessageLength(&raw.st), 0);
    const unsigned o0 = meta->getOffset(&raw.st, 0), o1 = meta->getOffset(&raw.st, 1),
                   o2 = meta->getOffset(&raw.st, 2), o3 = meta->getOffset(&raw.st, 3);
    IResultSet* rs = stmt->openCursor(&raw.st, raw.tra, nullptr, nullptr, meta, 0);
    long long sum = 0;
    while (rs->fetchNext(&raw.st, buf.data()) == IStatus::RESULT_OK) {
        int id;
        std::memcpy(&id, &buf[o0], 4);
        unsigned short len;
        std::memcpy(&len, &buf[o1], 2);
        const QString name = QString::fromUtf8(reinterpret_cast<const char*>(&buf[o1 + 2]), len);
        double v;
        std::memcpy(&v, &buf[o2], 8);
        ISC_TIMESTAMP ts;
        std::memcpy(&ts, &buf[o3], sizeof ts);
        const QDateTime when(QDate::fromJulianDay(ts.timestamp_date + 2400001),
                             QTime::fromMSecsSinceStartOfDay(int(ts.timestamp_time / 10)));
        sum += id + name.size() + int(v) + when.date().day();
    }
    rs->close(&raw.st);
    meta->release();
    stmt->free(&raw.st);
    return sum;
}

void oursInsert(host::db::Transaction& tr)
{
    host::db::Statement ins(tr, "insert into B1 (ID, NOME, VALOR, DATA) values (:ID, :NOME, :VALOR, :DATA)");
    const QDateTime when(QDate(2023, 2, 25), QTime(0, 0));
    for (int i = 1; i <= kRows; ++i) {
        ins.setParam("ID", i);
        ins.setParam("NOME", QString("Cliente número %1").arg(i));
        ins.setParam("VALOR", i * 1.25);
        ins.setParam("DATA", when);
        ins.execute();
    }
    tr.commitRetaining();
}

long long oursFetch(host::db::Transaction& tr)
{
    host::db::Statement sel(tr, "select ID, NOME, VALOR, DATA from B1");
    sel.execute();
    long long sum = 0;
    while (sel.fetch())
        sum += sel.value(0).toInt() + sel.value(1).toString().size() + int(sel.value(2).toDouble()) +
               sel.value(3).toDateTime().date().day();
    return sum;
}

}  // namespace

int main(int argc, char** argv)
{
    bench::emProcessos(argv);
    host::db::prepareProcess();
    QCoreApplication app(argc, argv);
    bench::Arquivo base("db");
    {
        host::db::Connection c;
        c.create({base.path});
        host::db::Transaction tr(c);
        for (const char* t : {"B1", "B2"})
            host::db::executeSql(tr, QString("create table %1 (ID integer, NOME varchar(40), VALOR double "
                                             "precision, DATA date)").arg(t));
        tr.commit();
    }
    bench::escritaAssincrona(base.path);
    bench::Tempos oursIns, rawIns, oursSel, rawSel;
    // Each side on an attachment of its own, one at a time; the rows the
    // previous round deleted are collected (a read) before the clock runs.
    bench::alternando(
        bench::rounds(41),
        [&] {
            host::db::Connection c;
            c.open({base.path});
            host::db::Transaction tr(c);
            host::db::executeSql(tr, "delete from B1");
            tr.commitRetaining();
            host::db::selectValue(tr, "select count(*) from B1");
            oursIns.add(bench::segundos([&] { oursInsert(tr); }));
            oursSel.add(bench::segundos([&] { oursFetch(tr); }));
            tr.commit();
        },
        [&] {
            bench::Raw raw(base.path);
            raw.executa("delete from B2");
            raw.tra->commitRetaining(&raw.st);
            raw.conta("B2");
            rawIns.add(bench::segundos([&] { rawInsert(raw); }));
            rawSel.add(bench::segundos([&] { rawFetch(raw); }));
        });
    bench::imprimeRazao("host/db insert 20000 rows", oursIns, rawIns, 1.10);
    bench::imprimeRazao("host/db fetch  20000 rows", oursSel, rawSel, 1.10);
    return bench::resultado();
}
