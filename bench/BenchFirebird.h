#pragma once
// What the benchmarks share: timing by rounds (the median, ours and raw
// taking turns to go first), goals (a missed one is marked and makes the
// program end with 1), a plain attachment through the engine's object
// interface for the raw side, and new databases of the run's own, with
// asynchronous writes (so that the disk of a shared machine does not swamp
// what is measured) or as the application makes them.

#include <firebird/Interface.h>
#include <ibase.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/resource.h>

#include "host/db/Database.h"
#include "host/schema/HostSchema.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

namespace bench {

inline double segundos(const std::function<void()>& trabalho)
{
    const auto inicio = std::chrono::steady_clock::now();
    trabalho();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

// BENCH_ROUNDS, or the benchmark's own default.
inline int rounds(int padrao)
{
    const int pedidas = qEnvironmentVariableIntValue("BENCH_ROUNDS");
    return pedidas > 0 ? pedidas : padrao;
}

inline double medianaDe(std::vector<double> t)
{
    if (t.empty())
        return 0;
    std::sort(t.begin(), t.end());
    const size_t n = t.size();
    return n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
}

// The times of one kind of work, a round each; the median is the figure
// (a minimum rewards a lucky round, a mean an unlucky one).
class Tempos {
public:
    void add(double t) { tempos_.push_back(t); }
    double mediana() const { return medianaDe(tempos_); }

private:
    std::vector<double> tempos_;
};

// The processor time of the whole process (the engine's threads included),
// user and system: what a run costs whatever else the machine runs at the
// time (elapsed time on a loaded machine also counts the waits for a core).
inline double processador(const std::function<void()>& trabalho)
{
    auto agora = [] {
        rusage uso{};
        getrusage(RUSAGE_SELF, &uso);
        return double(uso.ru_utime.tv_sec + uso.ru_stime.tv_sec) +
               double(uso.ru_utime.tv_usec + uso.ru_stime.tv_usec) / 1e6;
    };
    const double inicio = agora();
    trabalho();
    return agora() - inicio;
}

// The processor time of the calling thread alone: the embedded engine runs
// each statement on the thread that asks it, so this is a run's own work,
// without what the engine's own threads (its garbage collector, its cache
// writer) do meanwhile for what earlier rounds left behind.
inline double processadorDoFio(const std::function<void()>& trabalho)
{
    auto agora = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
    };
    const double inicio = agora();
    trabalho();
    return agora() - inicio;
}

// Runs `ours` and `raw` once per round, the one going first changing every
// round (the second of a pair finds the caches warmer).
inline void alternando(int n, const std::function<void()>& ours, const std::function<void()>& raw)
{
    for (int round = 0; round < n; ++round) {
        if (round % 2 == 0) {
            ours();
            raw();
        } else {
            raw();
            ours();
        }
    }
}

// Runs each side once in a round, in one of the six orders of three sides,
// a different one every round: over six rounds each side goes first, second
// and last twice.
inline void emTurno(int round, const std::function<void()> (&lados)[3])
{
    static const int ordens[6][3] = {{0, 1, 2}, {1, 2, 0}, {2, 0, 1}, {0, 2, 1}, {2, 1, 0}, {1, 0, 2}};
    for (int lado : ordens[round % 6])
        lados[lado]();
}

// Whether any goal of this run was missed: the program's exit code.
inline bool& metaPerdida()
{
    static bool perdida = false;
    return perdida;
}
inline int resultado() { return metaPerdida() ? 1 : 0; }

// " (goal <= Y)", marked when `valor` misses it.
inline QByteArray meta(double valor, double limite)
{
    const bool perdeu = !(valor <= limite);
    if (perdeu)
        metaPerdida() = true;
    return QByteArray(" (goal <= ") + QByteArray::number(limite, 'f', 2) + ")" + (perdeu ? "  ** goal missed **" : "");
}

inline void imprimeRazao(const char* o_que, double nosso, double direto, double limite, const char* contra = "raw")
{
    std::printf("%s: ours %.4fs %s %.4fs ratio %.2f%s\n", o_que, nosso, contra, direto, nosso / direto,
                meta(nosso / direto, limite).constData());
}

// The medians of both sides and their ratio (the figures printed are the
// figures compared).
inline void imprimeRazao(const char* o_que, const Tempos& nosso, const Tempos& direto, double limite,
                         const char* contra = "raw")
{
    imprimeRazao(o_que, nosso.mediana(), direto.mediana(), limite, contra);
}

// A plain attachment and one transaction through the engine's object
// interface: the raw side of a comparison.
struct Raw {
    Firebird::IMaster* master = Firebird::fb_get_master_interface();
    Firebird::IStatus* status = master->getStatus();
    Firebird::ThrowStatusWrapper st{status};
    Firebird::IAttachment* att = nullptr;
    Firebird::ITransaction* tra = nullptr;

    explicit Raw(const QString& path)
    {
        Firebird::IXpbBuilder* dpb =
            master->getUtilInterface()->getXpbBuilder(&st, Firebird::IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&st, isc_dpb_user_name, "SYSDBA");
        dpb->insertString(&st, isc_dpb_lc_ctype, "UTF8");
        att = master->getDispatcher()->attachDatabase(&st, path.toUtf8().constData(), dpb->getBufferLength(&st),
                                                      dpb->getBuffer(&st));
        dpb->dispose();
        // As the layer's: read committed, record versions, no wait.
        static const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                            isc_tpb_rec_version, isc_tpb_nowait};
        tra = att->startTransaction(&st, sizeof tpb, tpb);
    }
    ~Raw()
    {
        tra->commit(&st);
        att->detach(&st);
        status->dispose();
    }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;

    void executa(const char* sql)
    {
        att->execute(&st, tra, 0, sql, 1, nullptr, nullptr, nullptr, nullptr);
    }
    // Reads every row of a table once ("T where ..." reads the rows chosen).
    long long conta(const char* tabela)
    {
        const QByteArray sql = QByteArray("select count(*) from ") + tabela;
        Firebird::IResultSet* rs = att->openCursor(&st, tra, 0, sql.constData(), 1, nullptr, nullptr, nullptr,
                                                   nullptr, 0);
        Firebird::IMessageMetadata* meta = rs->getMetadata(&st);
        std::vector<unsigned char> buf(meta->getMessageLength(&st), 0);
        long long n = 0;
        if (rs->fetchNext(&st, buf.data()) == Firebird::IStatus::RESULT_OK)
            std::memcpy(&n, buf.data() + meta->getOffset(&st, 0), std::min<size_t>(sizeof n, meta->getLength(&st, 0)));
        rs->close(&st);
        meta->release();
        return n;
    }
};

// Switches a database to asynchronous writes: benchmarks that commit every
// row would otherwise measure the shared machine's disk.
inline void escritaAssincrona(const QString& path)
{
    host::db::ConnectOptions options{path};
    options.forcedWrites = false;
    host::db::Connection connection;
    connection.open(options);
}

// How a benchmark's database writes: asynchronously, or with forced writes
// as a database the application creates (the engine's default).
enum class Escrita { Assincrona, ComoAplicacao };

inline const char* nomeDe(Escrita escrita)
{
    return escrita == Escrita::Assincrona ? "asynchronous writes" : "forced writes, as the application creates it";
}

// A new database file at the path with the host schema, made as the
// application makes it, then switched to asynchronous writes unless asked
// otherwise (an earlier file of that name is removed first).
inline void novoBancoHost(const QString& path, Escrita escrita = Escrita::Assincrona)
{
    QFile::remove(path);
    {
        host::db::Connection c;
        c.create({path});
        host::db::Transaction tr(c);
        host::createHostSchema(tr);
        tr.commit();
    }
    if (escrita == Escrita::Assincrona)
        escritaAssincrona(path);
}

// The path of a benchmark's database in the temporary folder, named after
// this process so that two runs at once never share (or remove) each other's
// files, removed when the benchmark ends.
class Arquivo {
public:
    explicit Arquivo(const QString& nome)
        : path(QString("%1/techassist-bench-%2-%3.fdb")
                   .arg(QDir::tempPath(), nome)
                   .arg(QCoreApplication::applicationPid()))
    {
        QFile::remove(path);
    }
    ~Arquivo() { QFile::remove(path); }
    Arquivo(const Arquivo&) = delete;
    Arquivo& operator=(const Arquivo&) = delete;
    const QString path;
};

}  // namespace bench
