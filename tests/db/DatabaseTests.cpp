#include "host/db/FbApi.h"
#include "tests/support/TestDatabase.h"

#include <ibase.h>

#include <QDateTime>

#include <cmath>
#include <ctime>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using host::db::ColumnType;
using host::db::DbError;
using host::db::Statement;
using testsupport::DatabaseTest;

namespace {

class Db : public DatabaseTest {
protected:
    void createTypesTable() {
        // dialect 1 has no TIME type: times live in DATE (timestamp) columns
        exec("create table T (ID integer not null primary key, S smallint, I integer, F float, "
             "D double precision, N92 numeric(9,2), N152 numeric(15,2), C char(10), V varchar(40), "
             "TS date, MEMO blob sub_type 1, BIN blob sub_type 0)");
        tr().commitRetaining();
    }
};

TEST_F(Db, EveryTypeRoundTripsIncludingNull) {
    createTypesTable();
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 30, 5, 123));
    QByteArray binary;
    for (int i = 0; i < 70000; ++i) binary.append(char(i % 251));
    const QString longText = QString("ação ").repeated(20000);
    Statement ins(tr(), "insert into T values (:ID, :S, :I, :F, :D, :N92, :N152, :C, :V, :TS, :MEMO, :BIN)");
    ins.setParam("ID", 1);
    ins.setParam("S", -12);
    ins.setParam("I", 2000000000);
    ins.setParam("F", 1.5);
    ins.setParam("D", 1234567.891);
    ins.setParam("N92", 1234.56);
    ins.setParam("N152", 9876543.21);
    ins.setParam("C", "coração");
    ins.setParam("V", "São Paulo é ótimo");
    ins.setParam("TS", when);
    ins.setParam("MEMO", longText);
    ins.setParam("BIN", binary);
    EXPECT_EQ(1, ins.execute());
    ins.clearParams();
    ins.setParam("ID", 2);
    EXPECT_EQ(1, ins.execute());

    Statement sel(tr(), "select * from T order by ID");
    sel.execute();
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(-12, sel.value("S").toInt());
    EXPECT_EQ(2000000000, sel.value("I").toInt());
    EXPECT_DOUBLE_EQ(1.5, sel.value("F").toDouble());
    EXPECT_DOUBLE_EQ(1234567.891, sel.value("D").toDouble());
    EXPECT_DOUBLE_EQ(1234.56, sel.value("N92").toDouble());
    EXPECT_DOUBLE_EQ(9876543.21, sel.value("N152").toDouble());
    EXPECT_EQ(QString("coração"), sel.value("C").toString());   // CHAR padding trimmed
    EXPECT_EQ(QString("São Paulo é ótimo"), sel.value("V").toString());
    EXPECT_EQ(when, sel.value("TS").toDateTime());
    EXPECT_EQ(longText, sel.value("MEMO").toString());
    EXPECT_EQ(binary, sel.value("BIN").toByteArray());
    ASSERT_TRUE(sel.fetch());
    for (int i = 1; i < sel.columnCount(); ++i) {
        EXPECT_TRUE(sel.isNull(i)) << sel.column(i).name.toStdString();
        EXPECT_TRUE(sel.value(i).isNull());
    }
    EXPECT_FALSE(sel.fetch());
}

// A row read again into the values it holds (a dataset's record after its
// save) ends holding exactly what a fresh read gives, whatever it held.
TEST_F(Db, TextReadIntoAHeldValueEndsAsTheTextRead) {
    createTypesTable();
    struct Caso {
        const char* nome;
        QVariant guardado;
        QVariant gravado;
    };
    const Caso casos[] = {
        {"same ASCII", QString("ABC"), QString("ABC")},
        {"one letter changed", QString("ABC"), QString("ABD")},
        {"longer", QString("AB"), QString("ABC")},
        {"accented, same", QString("ação"), QString("ação")},
        // The UTF-8 bytes of "ã" taken one unit each: as many units as bytes.
        {"bytes as units", QString::fromLatin1("\xc3\xa3"), QString("ã")},
        {"held with the padding", QString("AB  "), QString("AB")},
        {"now null", QString("ABC"), QVariant()},
        {"held a number", 5, QString("5")},
        {"held nothing", QVariant(), QString("X")},
    };
    Statement ins(tr(), "insert into T (ID, C, V) values (:ID, :C, :V)");
    int id = 0;
    for (const Caso& caso : casos) {
        ins.setParam("ID", ++id);
        ins.setParam("C", caso.gravado);
        ins.setParam("V", caso.gravado);
        ins.execute();
    }
    Statement sel(tr(), "select C, V from T order by ID");
    sel.execute();
    for (const Caso& caso : casos) {
        ASSERT_TRUE(sel.fetch()) << caso.nome;
        for (int coluna = 0; coluna < 2; ++coluna) {
            QVariant lido = caso.guardado;
            sel.valueInto(coluna, lido);
            const QVariant novo = sel.value(coluna);
            EXPECT_EQ(lido.isNull(), novo.isNull()) << caso.nome << " " << coluna;
            EXPECT_EQ(lido.metaType(), novo.metaType()) << caso.nome << " " << coluna;
            EXPECT_EQ(lido.toString(), novo.toString()) << caso.nome << " " << coluna;
            EXPECT_EQ(lido.toString(), caso.gravado.toString()) << caso.nome << " " << coluna;
        }
    }
    // Numbers likewise, into a value of the same type, of another, or none.
    exec("insert into T (ID, I, N92, D) values (100, 5, 1.25, 2.5)");
    exec("insert into T (ID) values (101)");
    Statement num(tr(), "select I, N92, D from T where ID >= 100 order by ID");
    num.execute();
    const QVariant guardados[] = {7, 9.0, QString("x"), qint64(3), QVariant()};
    for (int linha = 0; linha < 2; ++linha) {
        ASSERT_TRUE(num.fetch());
        for (int coluna = 0; coluna < 3; ++coluna)
            for (const QVariant& guardado : guardados) {
                QVariant lido = guardado;
                const QVariant copia = lido;   // shares nothing written in place
                num.valueInto(coluna, lido);
                const QVariant novo = num.value(coluna);
                EXPECT_EQ(lido.isNull(), novo.isNull()) << linha << " " << coluna;
                EXPECT_EQ(lido.metaType(), novo.metaType()) << linha << " " << coluna;
                EXPECT_EQ(lido, novo) << linha << " " << coluna;
                EXPECT_EQ(copia, guardado) << linha << " " << coluna;
            }
    }
}

TEST_F(Db, ColumnsDescribeNameAliasTypeSizeAndScale) {
    createTypesTable();
    Statement sel(tr(), "select ID as CODIGO, N92, V, C, TS, MEMO, BIN, S from T");
    EXPECT_TRUE(sel.isSelect());
    EXPECT_EQ("CODIGO", sel.column(0).alias);
    EXPECT_EQ("ID", sel.column(0).name);
    EXPECT_EQ("T", sel.column(0).relation);
    EXPECT_EQ(0, sel.columnIndex("codigo"));
    EXPECT_EQ(0, sel.columnIndex("ID"));
    EXPECT_EQ(-2, sel.column(1).scale);
    EXPECT_TRUE(sel.column(1).isNumeric());
    EXPECT_EQ(ColumnType::VarChar, sel.column(2).type);
    EXPECT_EQ(40, sel.column(2).size);
    EXPECT_EQ(ColumnType::Char, sel.column(3).type);
    EXPECT_EQ(10, sel.column(3).size);
    EXPECT_EQ(ColumnType::Timestamp, sel.column(4).type);   // dialect 1: DATE keeps the time
    EXPECT_EQ(ColumnType::TextBlob, sel.column(5).type);
    EXPECT_EQ(ColumnType::Blob, sel.column(6).type);
    EXPECT_EQ(ColumnType::SmallInt, sel.column(7).type);
    EXPECT_EQ(-1, sel.columnIndex("MISSING"));
    EXPECT_THROW(sel.value("MISSING"), DbError);
}

// A cell is read from the current row only: before the first fetch, past
// the last column and after the last row the read is refused, never taken
// from whatever the row buffer holds.
TEST_F(Db, ACellIsReadFromTheCurrentRowOnly) {
    createTypesTable();
    exec("insert into T (ID, V, MEMO) values (1, 'um', 'nota')");
    Statement sel(tr(), "select ID, V, MEMO from T");
    sel.execute();
    EXPECT_THROW(sel.value(0), DbError);
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(QVariantList({1, "um", "nota"}), QVariantList({sel.value(0), sel.value(1), sel.value(2)}));
    QVariant into;
    for (int outside : {-1, 3, 1000})
        EXPECT_THROW(sel.valueInto(outside, into), DbError) << outside;
    EXPECT_FALSE(into.isValid());
    EXPECT_FALSE(sel.fetch());
    EXPECT_THROW(sel.value(1), DbError);
    EXPECT_THROW(sel.value(2), DbError);
}

namespace {

// Two reads of one cell agree: the same type, null alike, the same value.
void expectSameCell(const QVariant& a, const QVariant& b, const std::string& where) {
    EXPECT_EQ(a.isNull(), b.isNull()) << where;
    EXPECT_EQ(a.isValid(), b.isValid()) << where;
    EXPECT_EQ(a.metaType(), b.metaType()) << where;
    EXPECT_EQ(a, b) << where;
}

}  // namespace

// A row read into the caller's cells in one pass ends exactly as each cell
// read alone, whatever the cells held before (nothing, the same value,
// another value of the column's type or of another type): every type,
// nulls, scaled numbers, dates, blobs and UTF-8 text.
TEST_F(Db, ARowReadIntoCellsEndsAsEachCellReadAlone) {
    createTypesTable();
    const QDateTime when(QDate(2026, 3, 9), QTime(8, 15, 30, 250));
    QByteArray binary;
    for (int i = 0; i < 40000; ++i) binary.append(char(i % 253));
    Statement ins(tr(), "insert into T values (:ID, :S, :I, :F, :D, :N92, :N152, :C, :V, :TS, :MEMO, :BIN)");
    const QVariantList full = {1, -7, 123456, 2.5, -9876.125, 1234.56, 98765432.1, "ação", "São Paulo – € 5",
                               when, QString("coração ").repeated(3000), binary};
    for (int i = 0; i < full.size(); ++i) ins.setParam(i, full[i]);
    ins.execute();
    ins.clearParams();
    ins.setParam("ID", 2);   // every other column null
    ins.execute();
    const QVariantList small = {3, 0, -1, 0.0, 0.0, -0.01, 0.0, "", "x", QDateTime(QDate(1900, 1, 1), QTime(0, 0)),
                                QString(), QByteArray()};
    for (int i = 0; i < small.size(); ++i) ins.setParam(i, small[i]);
    ins.execute();

    // What a cell may hold before: as many states as the row has columns,
    // each column meeting each of them.
    const QVariantList before = {QVariant(), 5, 1.25, QString("ação"), QString("x"), when, QByteArray("b"),
                                 QVariant(QMetaType::fromType<QString>()), qint64(9), 7.0, QString(), 0};
    ASSERT_EQ(before.size(), full.size());
    Statement sel(tr(), "select * from T order by ID");
    sel.execute();
    const int columns = sel.columnCount();
    for (int row = 0; row < 3; ++row) {
        ASSERT_TRUE(sel.fetch()) << row;
        for (int shift = 0; shift < before.size(); ++shift) {
            std::vector<QVariant> cells(static_cast<size_t>(columns)), alone(static_cast<size_t>(columns));
            for (int c = 0; c < columns; ++c) cells[size_t(c)] = alone[size_t(c)] = before[(c + shift) % before.size()];
            sel.rowInto(cells);
            for (int c = 0; c < columns; ++c) {
                sel.valueInto(c, alone[size_t(c)]);
                const std::string where = "row " + std::to_string(row) + " column " +
                                          sel.column(c).name.toStdString() + " shift " + std::to_string(shift);
                expectSameCell(cells[size_t(c)], alone[size_t(c)], where);
                expectSameCell(cells[size_t(c)], sel.value(c), where);
            }
        }
        // Fewer cells than columns: the first ones read, nothing else.
        std::vector<QVariant> first(3, QVariant(42));
        sel.rowInto(std::span<QVariant>(first.data(), 2));
        expectSameCell(first[0], sel.value(0), "first 0");
        expectSameCell(first[1], sel.value(1), "first 1");
        EXPECT_EQ(QVariant(42), first[2]);

        // By slot: each column into its cell, a negative slot or one past the
        // cells leaving the column unread and the cells it would not reach alone.
        const std::vector<int> lugares = {11, 10, 9, 8, 7, 6, 5, 4, -1, 2, 1, 40};
        std::vector<QVariant> bySlot(size_t(columns), QVariant(QString("antes")));
        sel.rowInto(bySlot, lugares);
        for (int c = 0; c < columns; ++c) {
            const int slot = lugares[size_t(c)];
            if (slot < 0 || slot >= columns) continue;
            expectSameCell(bySlot[size_t(slot)], sel.value(c), "slot of column " + std::to_string(c));
        }
        EXPECT_EQ(QVariant(QString("antes")), bySlot[3]);    // column 8 skipped
        EXPECT_EQ(QVariant(QString("antes")), bySlot[0]);    // column 11's slot is past the cells
        // Fewer lugares than columns: the columns past them unread.
        std::vector<QVariant> partial(size_t(columns), QVariant(1));
        sel.rowInto(partial, std::vector<int>{0});
        expectSameCell(partial[0], sel.value(0), "partial 0");
        EXPECT_EQ(QVariant(1), partial[1]);
    }
    // More cells than columns, and a row not fetched, are refused, the cells left alone.
    std::vector<QVariant> tooMany(size_t(columns) + 1, QVariant(8));
    EXPECT_THROW(sel.rowInto(tooMany), DbError);
    EXPECT_FALSE(sel.fetch());
    std::vector<QVariant> none(2, QVariant(8));
    EXPECT_THROW(sel.rowInto(none), DbError);
    EXPECT_THROW(sel.rowInto(none, std::vector<int>{0, 1}), DbError);
    EXPECT_EQ(QVariant(8), none[0]);
}

// A text of digits alone bound into a number column (a key pasted into a
// read and bound in its place) is that number, scaled as the column keeps
// it; any other text converts as before, or is refused as before.
TEST_F(Db, DigitTextIntoANumberColumnIsThatNumber) {
    createTypesTable();
    Statement ins(tr(), "insert into T (ID, S, I, N92) values (:ID, :S, :I, :N92)");
    struct Caso {
        QString s, i, n92;
        QVariantList lido;   // S, I, N92 read back
    };
    const QList<Caso> aceitos = {
        {"12", "2000000000", "1234", {12, 2000000000, 1234.0}},
        {"007", "0", "0", {7, 0, 0.0}},
        {"32767", "2147483647", "21474836", {32767, 2147483647, 21474836.0}},
        // Not digits alone: the general conversion, as before.
        {" 12 ", "-5", "7.5", {12, -5, 7.5}},
        {"+3", "1.5", "-0.005", {3, 2, -0.01}},
        {"1e2", "2.5", "012.345", {100, 3, 12.35}},
    };
    int id = 0;
    for (const Caso& caso : aceitos) {
        ins.setParam("ID", ++id);
        ins.setParam("S", caso.s);
        ins.setParam("I", caso.i);
        ins.setParam("N92", caso.n92);
        ins.execute();
        Statement sel(tr(), "select S, I, N92 from T where ID = :ID");
        sel.setParam("ID", id);
        sel.execute();
        ASSERT_TRUE(sel.fetch());
        EXPECT_EQ(caso.lido, QVariantList({sel.value(0), sel.value(1), sel.value(2)})) << caso.s.toStdString();
        // Compared in a read, the text finds the row it wrote.
        EXPECT_EQ(id, one("select ID from T where I = :I and S = :S", {{"I", caso.i}, {"S", caso.s}}).toInt())
            << caso.i.toStdString();
    }
    const QList<std::pair<const char*, QString>> recusados = {
        {"I", "abc"},           {"I", "12a"},         {"I", ""},            {"I", "1 2"},
        {"I", "2147483648"},    {"I", "99999999999"}, {"I", "1234567890123456"},
        {"S", "32768"},         {"S", "٣"},           {"N92", "21474837"},  {"N92", "7,5"},
        {"N92", "999999999999999"}};
    for (const auto& [nome, texto] : recusados) {
        ins.clearParams();
        ins.setParam("ID", 99);
        ins.setParam(nome, texto);
        EXPECT_THROW(ins.execute(), DbError) << nome << " '" << texto.toStdString() << "'";
    }
    EXPECT_EQ(0, one("select count(*) from T where ID = 99").toInt());
}

// Blob parameters are bound in the same pass as the values beside them,
// written last, and beside a text of every length (one that fits its slot,
// one that might not and takes the second pass, one too long for the
// column): each row holds what it was given, null or not, and a refused
// row leaves nothing.
TEST_F(Db, BlobsBindBesideValuesOfEveryLength) {
    createTypesTable();
    const QString face = QString::fromUcs4(U"\U0001F600");
    QByteArray binary;
    for (int i = 0; i < 70000; ++i) binary.append(char(i % 249));
    struct Linha {
        QVariant v, memo, bin, i, ts;
    };
    const QDateTime when(QDate(2026, 5, 4), QTime(10, 0));
    const QList<Linha> linhas = {
        {QString("curto"), QString("nota curta"), QByteArray("\x01\x02", 2), 5, when},
        {face.repeated(40), QString("ação ").repeated(9000), binary, QVariant(), QVariant()},
        {QString("ç").repeated(40), QVariant(), binary.left(1), "42", when.date()},
        {QVariant(), QString(""), QVariant(), 0, when},
        {QString("x"), QVariant(QMetaType::fromType<QString>()), QVariant(QMetaType::fromType<QByteArray>()),
         QVariant(QMetaType::fromType<int>()), QVariant(QMetaType::fromType<QDateTime>())},
        {QString("€").repeated(39), face.repeated(20000), binary.repeated(2), 7.6, when},
    };
    Statement ins(tr(), "insert into T (ID, MEMO, V, BIN, I, TS) values (:ID, :MEMO, :V, :BIN, :I, :TS)");
    int id = 0;
    for (const Linha& linha : linhas) {
        ins.setParam("ID", ++id);
        ins.setParam("MEMO", linha.memo);
        ins.setParam("V", linha.v);
        ins.setParam("BIN", linha.bin);
        ins.setParam("I", linha.i);
        ins.setParam("TS", linha.ts);
        ins.execute();
    }
    // Refused rows, by the engine (a text too long) or by the binding (a
    // number that is no number), before or after the blobs are made.
    for (const QVariant& v : {QVariant(face.repeated(41)), QVariant(QString("x").repeated(500))}) {
        ins.setParam("ID", 99);
        ins.setParam("V", v);
        ins.setParam("MEMO", QString("nota"));
        ins.setParam("BIN", binary);
        ins.setParam("I", 1);
        EXPECT_THROW(ins.execute(), DbError);
    }
    ins.setParam("V", "curto");
    ins.setParam("I", "abc");
    EXPECT_THROW(ins.execute(), DbError);
    // The same statement then binds a row of its own as before.
    ins.setParam("ID", ++id);
    ins.setParam("I", 9);
    ins.setParam("V", face.repeated(40));
    ins.execute();

    Statement sel(tr(), "select MEMO, V, BIN, I, TS from T order by ID");
    sel.execute();
    const auto texto = [](const QVariant& v) { return v.isNull() ? QVariant() : QVariant(v.toString()); };
    for (const Linha& linha : linhas) {
        ASSERT_TRUE(sel.fetch());
        EXPECT_EQ(texto(linha.memo), sel.value(0));
        EXPECT_EQ(texto(linha.v), sel.value(1));
        EXPECT_EQ(linha.bin.isNull() ? QVariant() : QVariant(linha.bin.toByteArray()), sel.value(2));
        EXPECT_EQ(linha.i.isNull() ? QVariant() : QVariant(int(std::lround(linha.i.toDouble()))), sel.value(3));
        EXPECT_EQ(linha.ts.isNull() ? QVariant() : QVariant(QDateTime(linha.ts.toDate(), linha.ts.toDateTime().time())),
                  sel.value(4));
    }
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(QVariantList({QString("nota"), face.repeated(40), binary, 9, when}),
              QVariantList({sel.value(0), sel.value(1), sel.value(2), sel.value(3), sel.value(4)}));
    EXPECT_FALSE(sel.fetch());
    EXPECT_EQ(0, one("select count(*) from T where ID = 99").toInt());
}

TEST_F(Db, DialectOneRules) {
    EXPECT_EQ(QString("abc"), one("select \"abc\" from rdb$database").toString());
    EXPECT_DOUBLE_EQ(3.5, one("select 7/2 from rdb$database").toDouble());
    exec("create table D (X date)");
    tr().commitRetaining();
    const QDateTime when(QDate(2026, 1, 31), QTime(23, 59, 58));
    exec("insert into D values (:X)", {{"X", when}});
    EXPECT_EQ(when, one("select X from D").toDateTime());
    // numeric wider than 9 digits is a double in dialect 1
    exec("create table N (X numeric(15,2))");
    tr().commitRetaining();
    exec("insert into N values (:X)", {{"X", 0.29}});
    EXPECT_DOUBLE_EQ(0.29, one("select X from N").toDouble());
}

TEST_F(Db, SkippedLocalMidnightStillReadsAsThatDay) {
    exec("create table D (X date)");
    tr().commitRetaining();
    exec("insert into D values (\"2018-11-04 00:00\")");   // daylight saving began at midnight in Brazil
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "America/Sao_Paulo");
    tzset();
    const QDateTime read = one("select X from D").toDateTime();
    qputenv("TZ", oldTz);
    tzset();
    ASSERT_TRUE(read.isValid());
    EXPECT_EQ(QDate(2018, 11, 4), read.date());
}

// A day given as a date (no time of day) whose midnight the zone skipped is
// written as that day, not refused as an invalid value.
TEST_F(Db, ADayWhoseMidnightWasSkippedIsWrittenFromADateParameter) {
    exec("create table D (ID integer, X date)");
    tr().commitRetaining();
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "America/Sao_Paulo");
    tzset();
    bool written = true;
    try {
        exec("insert into D values (1, :X)", {{"X", QDate(2018, 11, 4)}});
        exec("update D set X = :X where ID = 1", {{"X", QDate(2018, 11, 4)}});
    } catch (const std::exception&) {
        written = false;
    }
    qputenv("TZ", oldTz);
    tzset();
    ASSERT_TRUE(written);
    tr().commitRetaining();
    auto second = openSecondConnection();
    host::db::Transaction reading(*second);
    EXPECT_EQ(host::db::selectValue(reading, "select extract(day from X) || '/' || extract(month from X) || '/' ||"
                                             " extract(year from X) from D where ID = 1")
                  .toString(),
              "4/11/2018");
    reading.commit();
}

// Timestamps read are kept converted: one read again after the local zone
// changed is the wall-clock time of the new zone, not the old one's moment.
TEST_F(Db, ATimestampReadAgainAfterTheZoneChangedBelongsToTheNewZone) {
    exec("create table D (X date)");
    tr().commitRetaining();
    exec("insert into D values (\"2030-06-15 10:00\")");
    const QByteArray oldTz = qgetenv("TZ");
    qputenv("TZ", "UTC");
    tzset();
    const QDateTime utc = one("select X from D").toDateTime();
    const qint64 utcMoment = utc.toMSecsSinceEpoch();
    qputenv("TZ", "America/Sao_Paulo");
    tzset();
    const QDateTime saoPaulo = one("select X from D").toDateTime();
    const qint64 hours = (saoPaulo.toMSecsSinceEpoch() - utcMoment) / 3600000;
    qputenv("TZ", oldTz);
    tzset();
    EXPECT_EQ(utc.time(), QTime(10, 0));
    EXPECT_EQ(saoPaulo.time(), QTime(10, 0));
    EXPECT_EQ(hours, 3);
}

// The local date-times the rules make day after day are kept made: each one
// asked again is the value made afresh, in the zone of the moment, and a
// midnight the zone skipped is the first moment of that day.
TEST(DbLocalDateTime, KeptValuesAreThoseMadeAfreshInTheZoneOfTheMoment) {
    const QByteArray oldTz = qgetenv("TZ");
    struct ZoneBack {
        QByteArray tz;
        ~ZoneBack() {
            qputenv("TZ", tz);
            tzset();
        }
    } back{oldTz};
    const QDate days[] = {QDate(1899, 12, 30), QDate(2024, 3, 10), QDate(2031, 2, 5), QDate(1, 1, 1),
                          QDate(9999, 12, 31)};
    const QTime times[] = {QTime(0, 0), QTime(23, 59, 59, 999), QTime(12, 30, 15, 7)};
    for (const char* zone : {"UTC", "America/Sao_Paulo", "Europe/Lisbon"}) {
        qputenv("TZ", zone);
        tzset();
        for (int twice = 0; twice < 2; ++twice)
            for (const QDate& day : days)
                for (const QTime& time : times) {
                    const QDateTime made = host::db::localDateTime(day, time);
                    EXPECT_EQ(made, QDateTime(day, time)) << zone << " " << qPrintable(day.toString(Qt::ISODate));
                    EXPECT_EQ(made.date(), day);
                    EXPECT_EQ(made.time(), time);
                }
        // The same wall-clock midnight is another moment in each zone.
        EXPECT_EQ(host::db::localDateTime(QDate(2030, 6, 15)).toMSecsSinceEpoch(),
                  QDateTime(QDate(2030, 6, 15), QTime(0, 0)).toMSecsSinceEpoch())
            << zone;
    }
    qputenv("TZ", "America/Sao_Paulo");
    tzset();
    const QDateTime skipped = host::db::localDateTime(QDate(2018, 11, 4));   // summer time began at midnight
    ASSERT_TRUE(skipped.isValid());
    EXPECT_EQ(skipped.date(), QDate(2018, 11, 4));
    EXPECT_EQ(skipped.time(), QTime(1, 0));
    // Days outside the engine's and invalid ones are made as Qt makes them.
    for (const QDate& day : {QDate(10000, 1, 1), QDate(-5, 3, 1), QDate()})
        EXPECT_EQ(host::db::localDateTime(day), QDateTime(day, QTime(0, 0)));
    EXPECT_EQ(host::db::localDateTime(QDate(2024, 1, 1), QTime()).isValid(),
              QDateTime(QDate(2024, 1, 1), QTime()).isValid());
}

TEST_F(Db, ScaledValuesConvertBothWays) {
    createTypesTable();
    // "12.345" into numeric(9,2) rounds to cents; strings and integers convert too
    exec("insert into T (ID, N92) values (1, :N)", {{"N", 12.345}});
    exec("insert into T (ID, N92) values (2, :N)", {{"N", "7.5"}});
    exec("insert into T (ID, N92) values (3, :N)", {{"N", 3}});
    EXPECT_DOUBLE_EQ(12.35, one("select N92 from T where ID = 1").toDouble());
    EXPECT_DOUBLE_EQ(7.5, one("select N92 from T where ID = 2").toDouble());
    EXPECT_DOUBLE_EQ(3.0, one("select N92 from T where ID = 3").toDouble());
    // typed text is parsed by the dataset layer, never guessed here
    EXPECT_THROW(exec("insert into T (ID, N92) values (4, :N)", {{"N", "7,5"}}), DbError);
}

TEST_F(Db, ParameterErrorsAreClear) {
    createTypesTable();
    EXPECT_THROW(exec("insert into T (ID, I) values (1, :I)", {{"I", "abc"}}), DbError);
    Statement st(tr(), "select ID from T where ID = :ID");
    EXPECT_THROW(st.setParam("NOPE", 1), DbError);
    try {
        exec("insert into T (ID, S) values (1, :S)", {{"S", 70000}});
        FAIL() << "out of range smallint accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("S")) << e.message().toStdString();
    }
}

// Texts parsed before are kept: a text asked again after many others (more
// than are kept) still gets its own names, and texts that differ only in a
// literal or a name's case never take each other's.
TEST_F(Db, NamedParametersOfTextsAskedAgainAfterManyOthers) {
    const QString first = "select * from T where ID = :ID and S = ':NOT'";
    EXPECT_EQ(QStringList({"ID"}), host::db::parseNamedParams(first).names);
    for (int i = 0; i < 1500; ++i) {
        const QString other = QString("select * from T where I = %1 and S = :S%1 and D = :d").arg(i);
        const auto parsed = host::db::parseNamedParams(other);
        ASSERT_EQ(QStringList({QString("S%1").arg(i), "D"}), parsed.names) << i;
        ASSERT_EQ(QString("select * from T where I = %1 and S = ? and D = ?").arg(i), parsed.text) << i;
        ASSERT_EQ(QStringList({"ID"}), host::db::parseNamedParams(first).names) << i;
    }
    EXPECT_EQ(QStringList({"ID"}), host::db::parseNamedParams(first).names);
    EXPECT_EQ("select * from T where ID = ? and S = ':NOT'", host::db::parseNamedParams(first).text);
    EXPECT_EQ(QStringList({"IDX"}), host::db::parseNamedParams("select * from T where ID = :idx").names);
    EXPECT_EQ(QStringList({"ID"}), host::db::parseNamedParams("select * from T where ID = :id").names);
}

TEST_F(Db, NamedParametersRepeatAndIgnoreLiteralsAndComments) {
    const auto parsed = host::db::parseNamedParams(
        "select ':X', \":Y\" /* :Z */ from T -- :W\n where A = :a and B = :B and C = :A and D=:b2");
    EXPECT_EQ(QStringList({"A", "B", "A", "B2"}), parsed.names);
    EXPECT_TRUE(parsed.text.contains("':X'"));
    EXPECT_TRUE(parsed.text.contains("/* :Z */"));
    EXPECT_TRUE(parsed.text.contains("-- :W"));

    createTypesTable();
    exec("insert into T (ID, I) values (1, 10)");
    exec("insert into T (ID, I) values (2, 20)");
    Statement st(tr(), "select count(*) from T where ID = :K or I = :K * 10 or ID = :k + 0");
    EXPECT_EQ(QStringList({"K"}), st.paramNames());
    st.setParam("k", 2);
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(1, st.value(0).toInt());
    // an unassigned parameter is NULL: nothing equals it
    Statement none(tr(), "select count(*) from T where ID = :NEVER");
    none.execute();
    ASSERT_TRUE(none.fetch());
    EXPECT_EQ(0, none.value(0).toInt());
}

TEST_F(Db, TextLongerThanTheDeclaredParameterIsJudgedByTheEngine) {
    createTypesTable();
    exec("insert into T (ID, V) values (1, :V)", {{"V", "curto"}});
    EXPECT_EQ(1, one("select count(*) from T where V starting with :P", {{"P", "cur"}}).toInt());
    // a value too long for the column is refused with the engine's own message, never cut
    for (const char* sql : {"select count(*) from T where V = :P", "update T set C = :P"}) {
        try {
            one(sql, {{"P", QString("x").repeated(100)}});
            ADD_FAILURE() << sql;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains("truncation")) << e.message().toStdString();
        }
    }
    EXPECT_EQ(QString("curto"), one("select V from T").toString());
}

// A parameter tells the column it stands for: type, scale and size in
// characters, as described, even after a longer value widened its slot.
TEST_F(Db, ParametersDescribeTheirColumn) {
    createTypesTable();
    Statement st(tr(), "select ID from T where S = :S and N92 = :N and C = :C and V = :V and TS = :TS");
    EXPECT_EQ(st.paramInfo("S").type, ColumnType::SmallInt);
    EXPECT_EQ(st.paramInfo("n").type, ColumnType::Integer);
    EXPECT_EQ(st.paramInfo("N").scale, -2);
    EXPECT_EQ(st.paramInfo("C").size, 10);
    EXPECT_EQ(st.paramInfo("V").size, 40);
    EXPECT_EQ(st.paramInfo("TS").type, ColumnType::Timestamp);
    EXPECT_EQ(st.paramInfo("X").type, ColumnType::Unknown);
    exec("insert into T (ID, V) values (1, 'curto')");
    Statement texto(tr(), "select ID from T where V = :V");
    texto.setParam("V", QString("x").repeated(100));
    EXPECT_THROW(
        {
            texto.execute();
            texto.fetch();
        },
        DbError);
    EXPECT_EQ(texto.paramInfo("V").size, 40);
}

// Names are found whatever string form and letter case the caller uses, in
// the order of the text or any other, and a moved-in value is the one bound.
TEST_F(Db, ParametersAreSetByAnyFormOfTheirNameInAnyOrder) {
    exec("create table P (ID integer, NOME varchar(20), DESCR varchar(20), VALOR double precision)");
    tr().commitRetaining();
    Statement ins(tr(), "insert into P values (:ID, :NOME, :DESCRIÇÃO, :VALOR)");
    ins.setParam("ID", 1);                          // the text's order, as written
    ins.setParam(QString("NOME"), "um");
    ins.setParam("descrição", "primeiro");           // not ASCII, other case
    ins.setParam(QLatin1StringView("valor"), 1.5);
    ins.execute();
    ins.setParam(u"VALOR", 2.5);                    // backwards, each form again
    ins.setParam(QByteArray("DESCRIÇÃO"), "segundo");
    ins.setParam(QStringLiteral("nome"), "dois");
    QVariant id(2);
    ins.setParam("Id", std::move(id));
    ins.execute();
    ins.setParam("VALOR", 3.5);                     // only some again: the rest keep theirs
    ins.setParam("NOME", "três");
    ins.setParam("NOME", "tres");
    ins.setParam(0, 3);
    ins.execute();
    EXPECT_THROW(ins.setParam("NOM", 1), DbError);
    EXPECT_THROW(ins.setParam("NOMEX", 1), DbError);
    EXPECT_THROW(ins.setParam(4, 1), DbError);

    Statement sel(tr(), "select ID, NOME, DESCR, VALOR from P order by ID");
    sel.execute();
    QStringList rows;
    while (sel.fetch())
        rows << QString("%1 %2 %3 %4").arg(sel.value(0).toInt()).arg(sel.value(1).toString(),
                                                                       sel.value(2).toString())
                    .arg(sel.value(3).toDouble());
    EXPECT_EQ(QStringList({"1 um primeiro 1.5", "2 dois segundo 2.5", "3 tres segundo 3.5"}), rows);
}

// Text goes into its slot as UTF-8 straight from the string when it surely
// fits; one that might not (more UTF-16 units than a third of the slot's
// bytes) is measured first and, if longer, gets a wider slot so the engine
// judges it. Either way the next value of the same statement binds right.
TEST_F(Db, TextOfEveryLengthBindsThroughTheSameStatement) {
    createTypesTable();
    const QString face = QString::fromUcs4(U"\U0001F600");   // two UTF-16 units, four bytes
    Statement ins(tr(), "insert into T (ID, V) values (:ID, :V)");
    const QList<QVariant> values = {QString("São Paulo"), face.repeated(40), QString("ç").repeated(40),
                                    1234567890, QString(), QString("x"),
                                    QString("€ 5 – ação ") + face + "!"};   // one to four bytes a character
    for (int i = 0; i < values.size(); ++i) {
        ins.setParam("ID", i + 1);
        ins.setParam("V", values[i]);
        ins.execute();
    }
    for (const QString& tooLong : {face.repeated(41), QString("ç").repeated(41), QString("x").repeated(500)}) {
        ins.setParam("ID", 99);
        ins.setParam("V", tooLong);
        EXPECT_THROW(ins.execute(), DbError);
    }
    ins.setParam("ID", values.size() + 1);
    ins.setParam("V", "depois");
    ins.execute();

    Statement sel(tr(), "select V from T order by ID");
    sel.execute();
    for (const QVariant& expected : values) {
        ASSERT_TRUE(sel.fetch());
        EXPECT_EQ(expected.toString(), sel.value(0).toString());
    }
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(QString("depois"), sel.value(0).toString());
    EXPECT_FALSE(sel.fetch());
}

// Values bound as they are (an int into an integer, a double into a double, a
// date-time into a date) and the ones converted agree with what is read back.
TEST_F(Db, ValuesOfOtherTypesThanTheColumnConvert) {
    createTypesTable();
    const QDateTime when(QDate(2026, 2, 28), QTime(23, 59, 59, 990));
    Statement ins(tr(), "insert into T (ID, S, I, F, D, N92, TS) values (:ID, :S, :I, :F, :D, :N92, :TS)");
    ins.setParam("ID", 1);
    ins.setParam("S", 7);
    ins.setParam("I", 2.6);      // a double into an integer rounds
    ins.setParam("F", 3);
    ins.setParam("D", 4);        // an int into a double
    ins.setParam("N92", 5);
    ins.setParam("TS", when);
    ins.execute();
    ins.setParam("ID", 2);
    ins.setParam("I", qlonglong(-8));
    ins.setParam("D", 1e300);
    ins.setParam("TS", QDate(2026, 3, 1));
    ins.execute();
    Statement sel(tr(), "select S, I, F, D, N92, TS from T where ID = 1");
    sel.execute();
    ASSERT_TRUE(sel.fetch());
    EXPECT_EQ(QVariantList({7, 3, 3.0, 4.0, 5.0, when}),
              QVariantList({sel.value(0), sel.value(1), sel.value(2), sel.value(3), sel.value(4), sel.value(5)}));
    EXPECT_EQ(-8, one("select I from T where ID = 2").toInt());
    EXPECT_DOUBLE_EQ(1e300, one("select D from T where ID = 2").toDouble());
    EXPECT_EQ(QDateTime(QDate(2026, 3, 1), QTime(0, 0)), one("select TS from T where ID = 2").toDateTime());

    ins.setParam("ID", 3);
    ins.setParam("TS", QDateTime());   // not a date: refused, never stored as some other day
    EXPECT_THROW(ins.execute(), DbError);
    ins.setParam("TS", QVariant());
    ins.setParam("I", 3e9);            // out of an integer's range
    EXPECT_THROW(ins.execute(), DbError);
}

// A number is refused by a column it does not fit, whatever its type (an
// int, a 64-bit integer, a double, and each scaled to cents), never wrapped;
// the largest that fits is stored as it is.
TEST_F(Db, NumbersOutOfAColumnsRangeAreRefusedWhateverTheirType) {
    createTypesTable();
    Statement ins(tr(), "insert into T (ID, S, I, N92) values (:ID, :S, :I, :N92)");
    const QList<std::pair<const char*, QVariant>> tooBig = {
        {"S", qlonglong(32768)},  {"S", qlonglong(-32769)}, {"I", qlonglong(3000000000)},
        {"I", qlonglong(-2147483649)}, {"N92", 21474836.48}, {"N92", -21474836.49},
        {"N92", 30000000},        {"N92", qlonglong(30000000)}};
    for (const auto& [name, value] : tooBig) {
        ins.clearParams();
        ins.setParam("ID", 1);
        ins.setParam(name, value);
        EXPECT_THROW(ins.execute(), DbError) << name << " " << value.toString().toStdString();
    }
    ins.clearParams();
    ins.setParam("ID", 1);
    ins.setParam("S", qlonglong(-32768));
    ins.setParam("I", qlonglong(2147483647));
    ins.setParam("N92", 21474836.47);
    ins.execute();
    ins.setParam("ID", 2);
    ins.setParam("S", qlonglong(32767));
    ins.setParam("I", qlonglong(-2147483648));
    ins.setParam("N92", -0.005);   // halves round away from zero
    ins.execute();
    ins.setParam("ID", 3);
    ins.setParam("N92", -21474836);
    ins.execute();
    Statement sel(tr(), "select S, I, N92 from T order by ID");
    sel.execute();
    const int lowest = -2147483647 - 1;
    const QList<QVariantList> expected = {{-32768, 2147483647, 21474836.47},
                                          {32767, lowest, -0.01},
                                          {32767, lowest, -21474836.0}};
    for (const QVariantList& row : expected) {
        ASSERT_TRUE(sel.fetch());
        EXPECT_EQ(row, QVariantList({sel.value(0), sel.value(1), sel.value(2)}));
    }
    EXPECT_FALSE(sel.fetch());
}

// A smallint takes an int as it is while it fits; one that does not is
// refused, never wrapped.
TEST_F(Db, SmallintTakesIntsInItsRangeOnly) {
    createTypesTable();
    Statement ins(tr(), "insert into T (ID, S) values (:ID, :S)");
    const QList<int> fits = {-32768, 0, 32767};
    for (int i = 0; i < fits.size(); ++i) {
        ins.setParam("ID", i + 1);
        ins.setParam("S", fits[i]);
        ins.execute();
        EXPECT_EQ(fits[i], one(QString("select S from T where ID = %1").arg(i + 1)).toInt());
    }
    for (int tooBig : {32768, -32769, 70000}) {
        ins.setParam("ID", 10);
        ins.setParam("S", tooBig);
        EXPECT_THROW(ins.execute(), DbError) << tooBig;
    }
}

// Values given for one execution are read where they are, one per name (a
// repeated name takes one); the statement's own parameters stay as they were
// set for the next plain execution, and a count that does not match is an
// error, not a read past the values.
TEST_F(Db, ValuesGivenForOneExecutionLeaveTheParametersAlone) {
    createTypesTable();
    Statement ins(tr(), "insert into T (ID, V, I, MEMO) values (:ID, :V, :ID + 100, :MEMO)");
    ASSERT_EQ(QStringList({"ID", "V", "MEMO"}), ins.paramNames());
    ins.setParam("ID", 1);
    ins.setParam("V", "own");
    ins.setParam("MEMO", QVariant());
    const QVariant id = 2, longText = QString("ç").repeated(40), memo = QString("nota ").repeated(3000);
    ins.execute(std::vector<const QVariant*>{&id, &longText, &memo});
    EXPECT_EQ(QVariant("own"), ins.param("V"));
    ins.execute();
    const QVariant other = 3, nullValue;
    ins.execute(std::vector<const QVariant*>{&other, &nullValue, &nullValue});

    EXPECT_EQ(longText.toString(), one("select V from T where ID = 2").toString());
    EXPECT_EQ(102, one("select I from T where ID = 2").toInt());
    EXPECT_EQ(memo.toString(), one("select MEMO from T where ID = 2").toString());
    EXPECT_EQ(QString("own"), one("select V from T where ID = 1").toString());
    EXPECT_TRUE(one("select V from T where ID = 3").isNull());
    EXPECT_EQ(3, one("select count(*) from T").toInt());

    const QVariant tooLong = QString("x").repeated(41);
    const QVariant four = 4;
    EXPECT_THROW(ins.execute(std::vector<const QVariant*>{&four, &tooLong, &nullValue}), DbError);
    EXPECT_THROW(ins.execute(std::vector<const QVariant*>{&four, &nullValue}), DbError);
    EXPECT_EQ(3, one("select count(*) from T").toInt());
}

TEST_F(Db, CommitRetainingKeepsCursorsAndIsDurable) {
    createTypesTable();
    for (int i = 1; i <= 5; ++i) exec("insert into T (ID) values (:ID)", {{"ID", i}});
    Statement sel(tr(), "select ID from T order by ID");
    sel.execute();
    ASSERT_TRUE(sel.fetch());
    tr().commitRetaining();
    int seen = 1;
    while (sel.fetch()) ++seen;
    EXPECT_EQ(5, seen);

    auto second = openSecondConnection();
    host::db::Transaction tr2(*second);
    EXPECT_EQ(5, host::db::selectValue(tr2, "select count(*) from T").toInt());
}

TEST_F(Db, RollbackDiscardsAndRollbackRetainingGoesOn) {
    createTypesTable();
    exec("insert into T (ID) values (1)");
    tr().commitRetaining();
    exec("insert into T (ID) values (2)");
    tr().rollbackRetaining();
    EXPECT_TRUE(tr().active());
    EXPECT_EQ(1, one("select count(*) from T").toInt());
    exec("insert into T (ID) values (3)");
    tr().rollback();
    EXPECT_FALSE(tr().active());
    EXPECT_EQ(1, one("select count(*) from T").toInt());   // the statement starts it again
}

TEST_F(Db, HardCommitClosesOpenCursors) {
    createTypesTable();
    exec("insert into T (ID) values (1)");
    exec("insert into T (ID) values (2)");
    Statement sel(tr(), "select ID from T");
    sel.execute();
    ASSERT_TRUE(sel.fetch());
    tr().commit();
    EXPECT_FALSE(sel.cursorOpen());
    EXPECT_FALSE(sel.fetch());
    sel.execute();   // the statement stays prepared across the commit
    EXPECT_TRUE(sel.fetch());
}

TEST_F(Db, ColumnAddedByDdlIsUsableAfterCommitRetaining) {
    createTypesTable();
    exec("alter table T add EXTRA varchar(5) default \"x\"");
    tr().commitRetaining();
    exec("insert into T (ID, EXTRA) values (1, :E)", {{"E", "novo"}});
    EXPECT_EQ(QString("novo"), one("select EXTRA from T").toString());
}

// Text a column's character set cannot hold (Cyrillic, a typographic
// apostrophe in ISO8859_1) is told by its character, whether it comes as a
// literal or a parameter, searched or written, and nothing is written.
TEST_F(Db, TextTheColumnCannotHoldIsToldByItsCharacter) {
    exec("create table L (ID integer, V varchar(20) character set ISO8859_1, U varchar(20))");
    tr().commitRetaining();
    exec("insert into L values (1, 'ação', 'ação')");
    const auto failure = [&](const std::function<void()>& action) {
        try {
            action();
        } catch (const DbError& e) {
            return e.message();
        }
        return QString();
    };
    const auto selectAll = [&](Statement& s) {
        s.execute();
        while (s.fetch()) {}
    };
    const QStringList told{
        failure([&] { Statement s(tr(), "select ID from L where upper(V) like '%Ж%'"); selectAll(s); }),
        failure([&] {
            Statement s(tr(), "select ID from L where V like :P");
            s.setParam("P", "d’água%");
            selectAll(s);
        }),
        failure([&] { exec("insert into L (ID, V) values (2, 'Ж-2')"); }),
        failure([&] {
            Statement s(tr(), "update L set V = :V where ID = 1");
            s.setParam("V", "copo d’água");
            s.execute();
        }),
    };
    for (const QString& text : told) {
        EXPECT_TRUE(text.contains("pode ser guardado no banco de dados") && (text.contains("\"Ж\"") || text.contains("\"’\"")))
            << text.toStdString();
        EXPECT_FALSE(text.contains("transliterate")) << text.toStdString();
    }
    EXPECT_EQ(one("select list(V) from L").toString(), "ação") << "nothing written";
    // A column of the database's own character set holds them.
    EXPECT_EQ(1, exec("update L set U = 'Жук d’água' where ID = 1"));
}

TEST_F(Db, PrimaryKeyViolationCarriesTheEngineMessage) {
    createTypesTable();
    exec("insert into T (ID) values (1)");
    try {
        exec("insert into T (ID) values (1)");
        FAIL() << "duplicate key accepted";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("violation of PRIMARY or UNIQUE KEY")) << e.message().toStdString();
        EXPECT_EQ(-803, e.sqlCode());
        EXPECT_NE(0, e.gdsCode());
        EXPECT_TRUE(e.sql().contains("insert into T"));
    }
    EXPECT_THROW(exec("select nothing from nowhere"), DbError);
}

TEST_F(Db, MetadataAnswersInAnyLetterCase) {
    createTypesTable();
    EXPECT_TRUE(host::db::tableExists(tr(), "t"));
    EXPECT_FALSE(host::db::tableExists(tr(), "TT"));
    EXPECT_TRUE(host::db::columnExists(tr(), "t", "v"));
    EXPECT_FALSE(host::db::columnExists(tr(), "T", "W"));
    EXPECT_EQ(40, host::db::columnLength(tr(), "t", "V"));
    EXPECT_EQ(10, host::db::columnLength(tr(), "T", "c"));
    EXPECT_EQ(-1, host::db::columnLength(tr(), "T", "nope"));
    EXPECT_EQ(12, host::db::tableColumns(tr(), "t").size());
    EXPECT_EQ("ID", host::db::tableColumns(tr(), "T").first());
}

TEST_F(Db, GeneratorsAndStatementCount) {
    exec("create generator GEN_TESTE");
    tr().commitRetaining();
    EXPECT_TRUE(host::db::generatorExists(tr(), "gen_teste"));
    EXPECT_EQ(1, host::db::generatorValue(tr(), "GEN_TESTE"));
    EXPECT_EQ(11, host::db::generatorValue(tr(), "gen_teste", 10));

    testsupport::StatementCounter counter;
    Statement st(tr(), "select 1 from rdb$database");
    st.execute();
    st.execute();
    EXPECT_EQ(2, counter.count());
    EXPECT_EQ(1, counter.prepares());
    st.prepare("select 2 from rdb$database");
    EXPECT_EQ(2, counter.prepares());
    EXPECT_EQ(2, counter.count());
}

TEST_F(Db, RowsAffectedByEachKindOfStatement) {
    createTypesTable();
    for (int i = 1; i <= 3; ++i) exec("insert into T (ID, I) values (:ID, 5)", {{"ID", i}});
    EXPECT_EQ(3, exec("update T set I = 6 where I = 5"));
    EXPECT_EQ(0, exec("update T set I = 6 where I = 5"));
    EXPECT_EQ(2, exec("delete from T where ID > 1"));
    Statement sel(tr(), "select ID from T");
    sel.execute();
    EXPECT_EQ(-1, sel.rowsAffected());
    Statement ddl(tr(), "create table U (X integer)");
    EXPECT_EQ(0, int(ddl.execute()));
}

TEST_F(Db, ProcedureOutputIsOneRow) {
    createTypesTable();
    Statement st(tr(), "insert into T (ID, V) values (7, \"sete\") returning ID, V");
    EXPECT_TRUE(st.isSelect());
    st.execute();
    ASSERT_TRUE(st.fetch());
    EXPECT_EQ(7, st.value("ID").toInt());
    EXPECT_EQ(QString("sete"), st.value(1).toString());
    EXPECT_FALSE(st.fetch());
}

TEST_F(Db, StatementOutlivingItsTransactionOrConnectionIsSafe) {
    createTypesTable();
    auto lone = std::make_unique<Statement>(tr(), "select ID from T");
    lone->execute();
    transaction.reset();   // the statement stays, unprepared
    EXPECT_FALSE(lone->isPrepared());
    EXPECT_THROW(lone->execute(), DbError);
    EXPECT_THROW(lone->prepare("select 1 from rdb$database"), DbError);

    transaction = std::make_unique<host::db::Transaction>(*connection);
    Statement kept(tr(), "select ID from T");
    connection->close();
    EXPECT_FALSE(kept.isPrepared());
    connection.reset();   // the transaction outlives its connection
    EXPECT_THROW(tr().start(), DbError);
    lone.reset();
}

TEST(DbConnection, LockFolderIsTheDatabaseOwners) {
    const QString path = testsupport::uniqueFile("dono", ".fdb");
    EXPECT_TRUE(host::db::lockFolderFor(path).endsWith(QString("/techassist-firebird-lock-%1").arg(::getuid())))
        << "a new file is this user's";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(host::db::lockFolderFor(path), host::db::lockFolderFor(QFileInfo(path).absolutePath() + "/../" +
                                                                      QFileInfo(path).dir().dirName() + "/" +
                                                                      QFileInfo(path).fileName()))
        << "one file, one folder, whatever the path names it";
    if (::getuid() == 0) {
        // A file of another OS user (shared with this one) takes that user's folder.
        ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        EXPECT_TRUE(host::db::lockFolderFor(path).endsWith("/techassist-firebird-lock-65534"));
    }
    QFile::remove(path);
}

TEST(DbConnection, NamesAndFailures) {
    EXPECT_TRUE(host::db::Connection::isRemoteName("server:/var/db/x.fdb"));
    EXPECT_TRUE(host::db::Connection::isRemoteName("inet://server/x.fdb"));
    EXPECT_FALSE(host::db::Connection::isRemoteName("/var/db/x.fdb"));
    EXPECT_FALSE(host::db::Connection::isRemoteName("/var/db:1/x.fdb"));
    // The forms the engine takes for a server on another port, and by its IPv6 address.
    for (const char* remoto : {"server/3051:/var/db/x.fdb", "server/gds_db:x.fdb", "[::1]:/var/db/x.fdb",
                               "[::1]/3051:/var/db/x.fdb", "inet4://server:3051/x.fdb", "INET6://[::1]/x.fdb"})
        EXPECT_TRUE(host::db::Connection::isRemoteName(remoto)) << remoto;
    EXPECT_FALSE(host::db::Connection::isRemoteName("dados/empresa.fdb"));
    EXPECT_FALSE(host::db::Connection::isRemoteName("C:/dados/empresa.fdb"));
    EXPECT_EQ(host::db::Connection::serverOf("server/3051:/var/db/x.fdb"), "server/3051");
    EXPECT_EQ(host::db::Connection::serverOf("inet://server:3051/x.fdb"), "server:3051");
    EXPECT_EQ(host::db::Connection::serverOf("/var/db/x.fdb"), "");
    host::db::Connection c;
    EXPECT_THROW(c.open({testsupport::uniqueFile("missing", ".fdb")}), DbError);
    EXPECT_FALSE(c.isOpen());
}

// What a server refuses at the start is told in Portuguese, naming the
// user, the server and the file; the engine's own text stays the detail.
// (No server runs here: the refusals are the engine's, as a server gives them.)
TEST(DbConnection, AServersRefusalsAreToldNamingWhatWasRefused) {
    const host::db::ConnectOptions remoto{"banco.empresa/3051:/dados/empresa.fdb", "MARIA", "errada"};
    const QString senha = host::db::detail::attachFailureText(
        remoto, DbError("Your user name and password are not defined.", -902, isc_login));
    EXPECT_TRUE(senha.contains("MARIA") && senha.contains("banco.empresa/3051") && senha.contains("não aceitou"))
        << senha.toStdString();
    const QString ausente = host::db::detail::attachFailureText(
        remoto, DbError("I/O error during \"open\" operation for file \"/dados/empresa.fdb\"\n-Error while trying "
                        "to open file\n-No such file or directory",
                        -902, isc_io_error));
    EXPECT_TRUE(ausente.contains("/dados/empresa.fdb") && ausente.contains("não existe no servidor"))
        << ausente.toStdString();
    // A local file's I/O failure keeps the start's own words for a file.
    EXPECT_EQ(host::db::detail::attachFailureText({"/dados/empresa.fdb"}, DbError("I/O error", -902, isc_io_error)),
              QString());
}

}  // namespace

// A new database waits for the disk at every page, as the engine makes it;
// a connection that asks otherwise switches the file, and the file keeps it.
TEST(DatabaseWrites, NewFilesForceWritesUnlessAskedAndTheFileKeepsTheChoice) {
    const auto forced = [](const QString& path) {
        host::db::Connection c;
        c.open({path});
        host::db::Transaction t(c);
        return host::db::selectValue(t, "select MON$FORCED_WRITES from MON$DATABASE").toInt();
    };
    const QString made = testsupport::uniqueFile("writes-default", ".fdb");
    const QString quick = testsupport::uniqueFile("writes-async", ".fdb");
    for (const QString& path : {made, quick}) QFile::remove(path);
    {
        host::db::Connection c;
        c.create({made});
    }
    {
        host::db::Connection c;
        c.create(testsupport::asynchronous(quick));
    }
    EXPECT_EQ(forced(made), 1);
    EXPECT_EQ(forced(quick), 0);
    {
        host::db::ConnectOptions back{quick};
        back.forcedWrites = true;
        host::db::Connection c;
        c.open(back);
    }
    EXPECT_EQ(forced(quick), 1);
    for (const QString& path : {made, quick}) QFile::remove(path);
}
