// The dataset layer against the engine's object interface written plainly
// (and host/db, for where the difference lies) on the same work, in one run:
// open a 10,000-row query and read every field of every row; append and post
// 2,000 rows through an update object. Prints ours / raw for each (the
// median of the rounds, in the calling thread's processor time).

#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"

#include "bench/BenchFirebird.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstring>
#include <ctime>
#include <functional>

using namespace Firebird;

namespace {

constexpr int kWalkRows = 10000;
constexpr int kPostRows = 2000;
constexpr int kPostPairs = 3;   // posts of each side a round
const char* kColumns = "ID, NOME, VALOR, QTD, DATA, OBS, GRUPO";
const char* kInsert = "insert into T (ID, NOME, VALOR, QTD, DATA, OBS, GRUPO) "
                      "values (:ID, :NOME, :VALOR, :QTD, :DATA, :OBS, :GRUPO)";

QString walkSql()
{
    return QString("select %1 from T where ID <= %2").arg(kColumns).arg(kWalkRows);
}

// Every field of every row made a value, as a reader of the rows would.
long long rawWalk(bench::Raw& raw)
{
    const QByteArray sql = walkSql().toUtf8();
    IStatement* stmt = raw.att->prepare(&raw.st, raw.tra, 0, sql.constData(), 1, IStatement::PREPARE_PREFETCH_METADATA);
    IMessageMetadata* meta = stmt->getOutputMetadata(&raw.st);
    const unsigned n = meta->getCount(&raw.st);
    std::vector<unsigned> offset(n), nullOffset(n), type(n);
    for (unsigned i = 0; i < n; ++i) {
        offset[i] = meta->getOffset(&raw.st, i);
        nullOffset[i] = meta->getNullOffset(&raw.st, i);
        type[i] = meta->getType(&raw.st, i) & ~1u;
    }
    std::vector<unsigned char> buf(meta->getMessageLength(&raw.st), 0);
    IResultSet* rs = stmt->openCursor(&raw.st, raw.tra, nullptr, nullptr, meta, 0);
    long long sum = 0;
    while (rs->fetchNext(&raw.st, buf.data()) == IStatus::RESULT_OK) {
        for (unsigned i = 0; i < n; ++i) {
            short isNull;
            std::memcpy(&isNull, &buf[nullOffset[i]], 2);
            QVariant v;
            if (!isNull) {
                const unsigned char* at = &buf[offset[i]];
                switch (type[i]) {
                case SQL_SHORT: { qint16 x; std::memcpy(&x, at, 2); v = int(x); break; }
                case SQL_LONG: { qint32 x; std::memcpy(&x, at, 4); v = int(x); break; }
                case SQL_DOUBLE: { double x; std::memcpy(&x, at, 8); v = x; break; }
                case SQL_VARYING: {
                    unsigned short len;
                    std::memcpy(&len, at, 2);
                    v = QString::fromUtf8(reinterpret_cast<const char*>(at + 2), len);
                    break;
                }
                case SQL_TIMESTAMP: {
                    ISC_TIMESTAMP ts;
                    std::memcpy(&ts, at, sizeof ts);
                    v = QDateTime(QDate::fromJulianDay(ts.timestamp_date + 2400001),
                                  QTime::fromMSecsSinceStartOfDay(int(ts.timestamp_time / 10)));
                    break;
                }
                default: break;
                }
            }
            sum += v.isNull() ? 0 : 1;
        }
    }
    rs->close(&raw.st);
    meta->release();
    stmt->free(&raw.st);
    return sum;
}

long long dbWalk(host::db::Transaction& tr)
{
    host::db::Statement sel(tr, walkSql());
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
    q.setSql(walkSql());
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

void rawPost(bench::Raw& raw, int firstId)
{
    const char* sql = "insert into T (ID, NOME, VALOR, QTD, DATA, OBS, GRUPO) values (?, ?, ?, ?, ?, ?, ?)";
    IStatement* stmt = raw.att->prepare(&raw.st, raw.tra, 0, sql, 1, IStatement::PREPARE_PREFETCH_METADATA);
    IMessageMetadata* meta = stmt->getInputMetadata(&raw.st);
    std::vector<unsigned> offset(7), nullOffset(7);
    for (unsigned i = 0; i < 7; ++i) {
        offset[i] = meta->getOffset(&raw.st, i);
        nullOffset[i] = meta->getNullOffset(&raw.st, i);
    }
    std::vector<unsigned char> buf(meta->getMessageLength(&raw.st), 0);
    auto notNull = [&](unsigned i, bool present) {
        const short flag = present ? 0 : -1;
        std::memcpy(&buf[nullOffset[i]], &flag, 2);
    };
    auto text = [&](unsigned i, const QString& value) {
        const QByteArray bytes = value.toUtf8();
        const auto len = static_cast<unsigned short>(bytes.size());
        std::memcpy(&buf[offset[i]], &len, 2);
        std::memcpy(&buf[offset[i] + 2], bytes.constData(), size_t(bytes.size()));
        notNull(i, true);
    };
    const QDateTime when(QDate(2026, 3, 1), QTime(0, 0));
    for (int i = firstId; i < firstId + kPostRows; ++i) {
        std::memcpy(&buf[offset[0]], &i, 4);
        notNull(0, true);
        text(1, QString("Cliente %1").arg(i));
        const double v = i * 1.25;
        std::memcpy(&buf[offset[2]], &v, 8);
        notNull(2, true);
        const qint16 q = qint16(i % 100);
        std::memcpy(&buf[offset[3]], &q, 2);
        notNull(3, true);
        const ISC_TIMESTAMP ts{ISC_DATE(when.date().toJulianDay() - 2400001),
                               ISC_TIME(when.time().msecsSinceStartOfDay()) * 10};
        std::memcpy(&buf[offset[4]], &ts, sizeof ts);
        notNull(4, true);
        notNull(5, false);
        text(6, "G1");
        stmt->execute(&raw.st, raw.tra, meta, buf.data(), nullptr, nullptr);
    }
    meta->release();
    stmt->free(&raw.st);
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
    bench::emProcessos(argv);
    host::db::prepareProcess();
    QCoreApplication app(argc, argv);
    bench::Arquivo base("dataset");
    {
        host::db::Connection connection;
        connection.create({base.path});
        host::db::Transaction tr(connection);
        host::db::executeSql(tr, "create table T (ID integer not null primary key, NOME varchar(40), "
                                 "VALOR double precision, QTD smallint, DATA date, OBS varchar(100), GRUPO varchar(10))");
        tr.commit();
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
        tr.commit();
    }
    bench::escritaAssincrona(base.path);

    bench::Tempos oursW, dbW, rawW, oursP, rawP;
    int nextId = 100000;
    // Each side on an attachment of its own, both open through a round. The
    // engine keeps a page cache per attachment: each side reads the walked
    // rows once before the clock runs, so that no walk is timed on pages its
    // own side's earlier walk brought in while the other side's walk reads
    // them cold. Each piece of work is timed by its processor time (above):
    // on a loaded machine a run of 0.03 s waits for a core by chance, now on
    // one side, now on the other. Ours and raw take turns at each piece, so
    // that whatever else a passing load does to the caches falls on both
    // sides alike.
    const QByteArray walked = QByteArray("T where ID <= ") + QByteArray::number(kWalkRows);
    const int n = bench::rounds(41);
    for (int round = 0; round < n; ++round) {
        host::db::Connection connection;
        connection.open({base.path});
        host::db::Transaction tr(connection);
        host::db::selectValue(tr, "select count(*) from " + QString::fromLatin1(walked));
        bench::Raw raw(base.path);
        raw.conta(walked.constData());
        const std::function<void()> walks[3] = {
            [&] { oursW.add(bench::processadorDoFio([&] { oursWalk(tr); })); },
            [&] { dbW.add(bench::processadorDoFio([&] { dbWalk(tr); })); },
            [&] { rawW.add(bench::processadorDoFio([&] { rawWalk(raw); })); }};
        // The three walks in each of their six orders in turn.
        const int first = round % 3;
        const bool backwards = (round / 3) % 2 == 1;
        for (int k = 0; k < 3; ++k)
            walks[(first + (backwards ? 3 - k : k)) % 3]();
        // Each side's rows committed after its post, outside the clock.
        auto postOurs = [&] {
            oursP.add(bench::processadorDoFio([&] { oursPost(tr, nextId); }));
            nextId += kPostRows;
            tr.commitRetaining();
        };
        auto postRaw = [&] {
            rawP.add(bench::processadorDoFio([&] { rawPost(raw, nextId); }));
            nextId += kPostRows;
            raw.tra->commitRetaining(&raw.st);
        };
        // A post is shorter than a walk: three pairs a round.
        for (int pair = 0; pair < kPostPairs; ++pair) {
            if ((round + pair) % 2 == 0) {
                postOurs();
                postRaw();
            } else {
                postRaw();
                postOurs();
            }
        }
        tr.commit();
    }
    bench::imprimeRazao("host/data walk 10000 rows x 7 fields", oursW, rawW, 1.15);
    bench::imprimeRazao("host/db   walk 10000 rows x 7 fields", dbW, rawW, 1.10);
    bench::imprimeRazao("host/data post 2000 appended rows", oursP, rawP, 1.20);
    return bench::resultado();
}
