// Insert 20,000 rows and fetch them all, through host/db and through the
// engine's object interface written plainly; prints ours / raw for each.

#include "host/db/Database.h"

#include <firebird/Interface.h>
#include <ibase.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

using namespace Firebird;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRows = 20000;

double seconds(const std::function<void()>& work) {
    const auto t0 = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

struct Raw {
    IMaster* master = fb_get_master_interface();
    IStatus* status = master->getStatus();
    ThrowStatusWrapper st{status};
    IAttachment* att = nullptr;
    ITransaction* tra = nullptr;

    explicit Raw(const QString& path) {
        IXpbBuilder* dpb = master->getUtilInterface()->getXpbBuilder(&st, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
        att = master->getDispatcher()->attachDatabase(&st, path.toUtf8().constData(),
                                                      dpb->getBufferLength(&st), dpb->getBuffer(&st));
        dpb->dispose();
        tra = att->startTransaction(&st, 0, nullptr);
    }
    ~Raw() {
        tra->commit(&st);
        att->detach(&st);
        status->dispose();
    }

    void insert() {
        const char* sql = "insert into B2 (ID, NOME, VALOR, DATA) values (?, ?, ?, ?)";
        IStatement* stmt = att->prepare(&st, tra, 0, sql, 1, IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* meta = stmt->getInputMetadata(&st);
        std::vector<unsigned char> buf(meta->getMessageLength(&st), 0);
        const unsigned o0 = meta->getOffset(&st, 0), o1 = meta->getOffset(&st, 1), o2 = meta->getOffset(&st, 2),
                       o3 = meta->getOffset(&st, 3);
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
            stmt->execute(&st, tra, meta, buf.data(), nullptr, nullptr);
        }
        meta->release();
        stmt->free(&st);
        tra->commitRetaining(&st);
    }

    long long fetch() {
        IStatement* stmt = att->prepare(&st, tra, 0, "select ID, NOME, VALOR, DATA from B2", 1,
                                        IStatement::PREPARE_PREFETCH_METADATA);
        IMessageMetadata* meta = stmt->getOutputMetadata(&st);
        std::vector<unsigned char> buf(meta->getMessageLength(&st), 0);
        const unsigned o0 = meta->getOffset(&st, 0), o1 = meta->getOffset(&st, 1), o2 = meta->getOffset(&st, 2),
                       o3 = meta->getOffset(&st, 3);
        IResultSet* rs = stmt->openCursor(&st, tra, nullptr, nullptr, meta, 0);
        long long sum = 0;
        while (rs->fetchNext(&st, buf.data()) == IStatus::RESULT_OK) {
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
        rs->close(&st);
        meta->release();
        stmt->free(&st);
        return sum;
    }
};

void oursInsert(host::db::Transaction& tr) {
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

long long oursFetch(host::db::Transaction& tr) {
    host::db::Statement sel(tr, "select ID, NOME, VALOR, DATA from B1");
    sel.execute();
    long long sum = 0;
    while (sel.fetch())
        sum += sel.value(0).toInt() + sel.value(1).toString().size() + int(sel.value(2).toDouble()) +
               sel.value(3).toDateTime().date().day();
    return sum;
}

}  // namespace

int main(int argc, char** argv) {
    host::db::prepareProcess();
    QCoreApplication app(argc, argv);
    const QString path = QDir::tempPath() + "/techassist-bench-db.fdb";
    QFile::remove(path);
    double oursIns = 1e9, rawIns = 1e9, oursSel = 1e9, rawSel = 1e9;
    {
        host::db::Connection c;
        c.create({path});
        host::db::Transaction tr(c);
        for (const char* t : {"B1", "B2"})
            host::db::executeSql(tr, QString("create table %1 (ID integer, NOME varchar(40), VALOR double "
                                             "precision, DATA date)").arg(t));
        tr.commit();
    }
    const int rounds = qEnvironmentVariableIntValue("BENCH_ROUNDS") > 0 ? qEnvironmentVariableIntValue("BENCH_ROUNDS") : 3;
    for (int round = 0; round < rounds; ++round) {
        {
            host::db::Connection c;
            c.open({path});
            host::db::Transaction tr(c);
            host::db::executeSql(tr, "delete from B1");
            tr.commitRetaining();
            oursIns = std::min(oursIns, seconds([&] { oursInsert(tr); }));
            oursSel = std::min(oursSel, seconds([&] { oursFetch(tr); }));
            tr.commit();
        }
        {
            Raw raw(path);
            raw.att->execute(&raw.st, raw.tra, 0, "delete from B2", 1, nullptr, nullptr, nullptr, nullptr);
            raw.tra->commitRetaining(&raw.st);
            rawIns = std::min(rawIns, seconds([&] { raw.insert(); }));
            rawSel = std::min(rawSel, seconds([&] { raw.fetch(); }));
        }
    }
    std::printf("host/db insert %d rows: ours %.3fs raw %.3fs ratio %.2f (goal <= 1.10)\n", kRows, oursIns, rawIns,
                oursIns / rawIns);
    std::printf("host/db fetch  %d rows: ours %.3fs raw %.3fs ratio %.2f (goal <= 1.10)\n", kRows, oursSel, rawSel,
                oursSel / rawSel);
    QFile::remove(path);
    return 0;
}
