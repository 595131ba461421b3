// The engine watcher sees what the layer asks of the engine, and a run
// recorded through it and replayed through the engine's own interface (the
// benchmarks' reference) writes the same rows, blobs and commits included.

#include "bench/BenchReplay.h"
#include "host/db/EngineWatcher.h"
#include "tests/support/TestDatabase.h"

#include <QStringList>

using host::db::EngineWatcher;
using testsupport::DatabaseTest;

namespace {

class Watcher : public DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        exec("create table W (ID integer not null primary key, NOME varchar(20), OBS blob sub_type 1)");
        tr().commit();
    }
};

// Each call told as a line, the blobs' contents with the execution.
class Relato : public EngineWatcher {
public:
    Relato() { anterior_ = host::db::watchEngine(this); }
    ~Relato() override { host::db::watchEngine(anterior_); }
    Relato(const Relato&) = delete;
    Relato& operator=(const Relato&) = delete;
    void prepared(std::uint64_t s, std::uint64_t, const QByteArray& sql) override
    {
        linhas << QString("prepare %1 %2").arg(nome(s), QString::fromUtf8(sql));
    }
    void executed(std::uint64_t s, std::uint64_t t, Firebird::IMessageMetadata* in,
                  std::span<const unsigned char> mensagem, std::span<const BlobParam> blobs) override
    {
        transacoes << t;
        QString linha = QString("execute %1 (%2 bytes)").arg(nome(s)).arg(mensagem.empty() ? "no" : "some");
        for (const BlobParam& b : blobs)
            linha += " blob " + QString::fromUtf8(b.bytes);
        linhas << linha;
        EXPECT_NE(in, nullptr);
    }
    void fetched(std::uint64_t s) override { linhas << "fetch " + nome(s); }
    void cursorClosed(std::uint64_t s) override { linhas << "close " + nome(s); }
    void ended(std::uint64_t t, End how) override
    {
        transacoes << t;
        linhas << QString("end %1").arg(int(how));
    }
    bool wantsRuns() const override { return execucoes; }
    bool execucoes = true;
    QStringList linhas;
    QList<std::uint64_t> transacoes;

private:
    // Statements named by their order of appearance, so that a line tells
    // which preparation ran.
    QString nome(std::uint64_t s)
    {
        if (!serie_.contains(s))
            serie_.insert(s, QString("s%1").arg(serie_.size() + 1));
        return serie_.value(s);
    }
    QHash<std::uint64_t, QString> serie_;
    EngineWatcher* anterior_ = nullptr;
};

TEST_F(Watcher, IsToldEveryPreparationExecutionFetchCloseAndEndInOrder)
{
    QStringList linhas;
    {
        Relato relato;
        host::db::Statement ins(tr(), "insert into W (ID, NOME, OBS) values (:ID, :NOME, :OBS)");
        ins.setParam("ID", 1);
        ins.setParam("NOME", "um");
        ins.setParam("OBS", "texto longo");
        ins.execute();
        ins.setParam("ID", 2);
        ins.setParam("OBS", QVariant());
        ins.execute();
        tr().commitRetaining();
        host::db::Statement sel(tr(), "select NOME from W order by ID");
        sel.execute();
        while (sel.fetch()) {
        }
        tr().commit();
        linhas = relato.linhas;
        // One engine transaction until the hard commit.
        ASSERT_FALSE(relato.transacoes.isEmpty());
        EXPECT_EQ(relato.transacoes.count(relato.transacoes.first()), relato.transacoes.size());
    }
    EXPECT_EQ(linhas, QStringList({"prepare s1 insert into W (ID, NOME, OBS) values (?, ?, ?)",
                                   "execute s1 (some bytes) blob texto longo", "execute s1 (some bytes)", "end 1",
                                   "prepare s2 select NOME from W order by ID", "execute s2 (no bytes)", "fetch s2",
                                   "fetch s2", "fetch s2", "close s2", "end 0"}));
    // Gone, the watcher is told nothing more (and nothing breaks).
    exec("insert into W (ID) values (3)");
    tr().commit();
}

// A watcher that wants no runs still hears every preparation and every end
// (a recorder between its recordings), and the runs again once it wants them.
TEST_F(Watcher, AWatcherWantingNoRunsHearsOnlyPreparationsAndEnds)
{
    Relato relato;
    relato.execucoes = false;
    host::db::rewatchEngineRuns();
    host::db::Statement ins(tr(), "insert into W (ID, NOME) values (:ID, 'x')");
    ins.setParam("ID", 1);
    ins.execute();
    host::db::Statement sel(tr(), "select ID from W");
    sel.execute();
    while (sel.fetch()) {
    }
    tr().commitRetaining();
    EXPECT_EQ(relato.linhas, QStringList({"prepare s1 insert into W (ID, NOME) values (?, 'x')",
                                          "prepare s2 select ID from W", "end 1"}));

    relato.linhas.clear();
    relato.execucoes = true;
    host::db::rewatchEngineRuns();
    ins.setParam("ID", 2);
    ins.execute();
    sel.execute();
    while (sel.fetch()) {
    }
    tr().commit();
    EXPECT_EQ(relato.linhas, QStringList({"execute s1 (some bytes)", "execute s2 (no bytes)", "fetch s2", "fetch s2",
                                          "fetch s2", "close s2", "end 0"}));
}

TEST_F(Watcher, ARecordedRunReplayedThroughTheEngineWritesTheSameRows)
{
    bench::Gravador gravador;
    // Prepared before the recording starts: the replay still knows its text.
    host::db::Statement ins(tr(), "insert into W (ID, NOME, OBS) values (:ID, :NOME, :OBS)");
    auto ler = [&] {
        QStringList rows;
        auto second = openSecondConnection();
        host::db::Transaction other(*second);
        host::db::Statement sel(other, "select ID, NOME, OBS from W order by ID");
        sel.execute();
        while (sel.fetch())
            rows << QString("%1 %2 %3").arg(sel.value(0).toInt()).arg(sel.value(1).toString(), sel.value(2).toString());
        return rows;
    };
    gravador.gravar();
    for (int i = 1; i <= 3; ++i) {
        ins.setParam("ID", i);
        ins.setParam("NOME", QString("nome %1").arg(i));
        ins.setParam("OBS", i == 2 ? QVariant() : QVariant(QString("observação %1").arg(i)));
        ins.execute();
        tr().commitRetaining();
    }
    exec("update W set NOME = NOME || :X where ID in (select max(ID) from W)", {{"X", "!"}});
    tr().commit();
    gravador.parar();
    const QStringList esperadas = ler();
    ASSERT_EQ(esperadas, QStringList({"1 nome 1 observação 1", "2 nome 2 ", "3 nome 3! observação 3"}));

    exec("delete from W");
    tr().commit();
    {
        bench::Reproducao reproducao(dbPath);
        reproducao.reproduz(gravador);
        reproducao.termina();
    }
    EXPECT_EQ(ler(), esperadas);
}

}  // namespace

namespace {

// Two batches measured in the same rounds: each recorder replays its own run
// only, and the one made later passes every call on to the earlier, which
// still knows the texts prepared while the later one watched.
TEST_F(Watcher, TwoRecordersAtOnceEachReplayTheirOwnRun)
{
    bench::Gravador primeiro;
    auto ler = [&] {
        QStringList rows;
        auto second = openSecondConnection();
        host::db::Transaction other(*second);
        host::db::Statement sel(other, "select ID, NOME from W order by ID");
        sel.execute();
        while (sel.fetch())
            rows << QString("%1 %2").arg(sel.value(0).toInt()).arg(sel.value(1).toString());
        return rows;
    };
    auto insere = [&](int id) {
        exec("insert into W (ID, NOME) values (:ID, :NOME)", {{"ID", id}, {"NOME", QString("nome %1").arg(id)}});
        tr().commitRetaining();
    };
    {
        bench::Gravador segundo;
        // Prepared while the later recorder watches, run in the earlier's record.
        host::db::Statement ins(tr(), "insert into W (ID, NOME) values (:ID, 'antes')");
        segundo.gravar();
        insere(1);
        insere(2);
        segundo.parar();
        primeiro.gravar();
        ins.setParam("ID", 3);
        ins.execute();
        tr().commitRetaining();
        primeiro.parar();
        tr().commit();
        EXPECT_EQ(primeiro.commits(), segundo.commits());

        exec("delete from W");
        tr().commit();
        {
            bench::Reproducao reproducao(dbPath);
            reproducao.reproduz(segundo);
            reproducao.termina();
        }
        EXPECT_EQ(ler(), QStringList({"1 nome 1", "2 nome 2"}));
    }
    exec("delete from W");
    tr().commit();
    {
        bench::Reproducao reproducao(dbPath);
        reproducao.reproduz(primeiro);
        reproducao.termina();
    }
    EXPECT_EQ(ler(), QStringList({"3 antes"}));
}

}  // namespace
