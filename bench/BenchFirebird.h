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
#include <QFileInfo>
#include <QString>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "tests/support/PastaPropria.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <map>
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

// Rounds pooled over runs of the program (emProcessos, below): each series
// of times is known by its order of creation, the same in every run.
namespace processos {
// Set in a helper run: where it leaves its times.
inline const QString& arquivoAmostras()
{
    static const QString arquivo = qEnvironmentVariable("BENCH_AMOSTRAS");
    return arquivo;
}
// The times the helper runs left, by series.
inline std::map<std::size_t, std::vector<double>>& dosAjudantes()
{
    static std::map<std::size_t, std::vector<double>> tempos;
    return tempos;
}
inline std::size_t novaSerie()
{
    static std::size_t proxima = 0;
    return proxima++;
}
inline void anota(std::size_t serie, double t)
{
    static FILE* arquivo = arquivoAmostras().isEmpty() ? nullptr : std::fopen(QFile::encodeName(arquivoAmostras()), "a");
    if (arquivo) {
        std::fprintf(arquivo, "%zu %.9g\n", serie, t);
        std::fflush(arquivo);
    }
}
}  // namespace processos

// The times of one kind of work, a round each; the median is the figure
// (a minimum rewards a lucky round, a mean an unlucky one), over the rounds
// of every run of the program.
class Tempos {
public:
    Tempos() : serie_(processos::novaSerie()) {}
    void add(double t)
    {
        tempos_.push_back(t);
        processos::anota(serie_, t);
    }
    double mediana() const
    {
        std::vector<double> todos = tempos_;
        const auto& ajudantes = processos::dosAjudantes();
        if (auto it = ajudantes.find(serie_); it != ajudantes.end())
            todos.insert(todos.end(), it->second.begin(), it->second.end());
        return medianaDe(std::move(todos));
    }

private:
    std::size_t serie_;
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

// One round of a pair: the one going first changes every round (the second
// of a pair finds the caches warmer).
inline void emPar(int round, const std::function<void()>& ours, const std::function<void()>& raw)
{
    if (round % 2 == 0) {
        ours();
        raw();
    } else {
        raw();
        ours();
    }
}

// Runs `ours` and `raw` once per round, in turns.
inline void alternando(int n, const std::function<void()>& ours, const std::function<void()>& raw)
{
    for (int round = 0; round < n; ++round)
        emPar(round, ours, raw);
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
// Whether the run failed otherwise (a window that showed no count, a
// helper run that crashed): the program then ends with 2, which a helper's
// caller tells from a missed goal.
inline bool& execucaoFalhou()
{
    static bool falhou = false;
    return falhou;
}
inline int resultado() { return execucaoFalhou() ? 2 : metaPerdida() ? 1 : 0; }

// Everything the program writes by the user's folders (settings, the
// engine's root and lock folders, its databases and samples in the
// temporary folder) goes under a folder of the run's own, removed when it
// ends; a killed run's folder is removed by the next run.
inline void pastaPropria()
{
    const QString prefixo = "techassist-bench-casa-";
    const QDir temporaria(QDir::tempPath());
    for (const QFileInfo& velha : temporaria.entryInfoList({prefixo + "*"}, QDir::Dirs | QDir::NoSymLinks)) {
        const QString dono = velha.fileName().mid(prefixo.size()).section('-', 0, 0);
        if (velha.ownerId() == ::geteuid() && !QFileInfo::exists("/proc/" + dono))
            QDir(velha.filePath()).removeRecursively();
    }
    static QByteArray pasta;
    pasta = QFile::encodeName(temporaria.filePath(prefixo)) + QByteArray::number(qint64(::getpid())) + "-XXXXXX";
    if (!::mkdtemp(pasta.data())) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    testsupport::morarEm(QFile::decodeName(pasta));
    std::atexit([] { QDir(QFile::decodeName(pasta)).removeRecursively(); });
}

// The program's rounds spread over runs of it. A run lays out its memory
// its own way, and on a shared machine that alone moves a batch's ratio by
// a tenth or more from one run of the same program to the next, whatever
// its rounds: the program first runs itself again as helpers, one after the
// other (BENCH_PROCESSES runs in all, 3 by default; 1: this run alone),
// each leaving its times in a file, and every time this run prints is the
// median of the rounds of all of them (counts and memory are this run's
// own). Called first thing in main.
inline void emProcessos(char** argv)
{
    if (!processos::arquivoAmostras().isEmpty())
        return;   // a helper run: the folders are its parent's
    pastaPropria();
    const int execucoes = qEnvironmentVariableIsSet("BENCH_PROCESSES") ? qEnvironmentVariableIntValue("BENCH_PROCESSES") : 3;
    for (int k = 1; k < execucoes; ++k) {
        const QByteArray arquivo =
            QFile::encodeName(QDir::tempPath() + QString("/techassist-bench-amostras-%1-%2").arg(::getpid()).arg(k));
        std::remove(arquivo.constData());
        std::vector<QByteArray> variaveis;
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "BENCH_AMOSTRAS=", 15) != 0)
                variaveis.emplace_back(*e);
        variaveis.push_back("BENCH_AMOSTRAS=" + arquivo);
        std::vector<char*> ambiente;
        for (QByteArray& v : variaveis)
            ambiente.push_back(v.data());
        ambiente.push_back(nullptr);
        posix_spawn_file_actions_t saidas;
        posix_spawn_file_actions_init(&saidas);
        posix_spawn_file_actions_addopen(&saidas, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&saidas, 2, "/dev/null", O_WRONLY, 0);
        pid_t filho = 0;
        int estado = 0;
        const bool iniciou = posix_spawn(&filho, "/proc/self/exe", &saidas, nullptr, argv, ambiente.data()) == 0;
        posix_spawn_file_actions_destroy(&saidas);
        // A helper that missed a goal ended with 1 and left its times; one
        // that failed otherwise fails the run, and its times are not taken.
        const bool terminou = iniciou && ::waitpid(filho, &estado, 0) == filho && WIFEXITED(estado) &&
                              WEXITSTATUS(estado) <= 1;
        if (!terminou) {
            std::printf("helper run %d of %d failed\n", k, execucoes);
            execucaoFalhou() = true;
        } else if (FILE* lidos = std::fopen(arquivo.constData(), "r")) {
            std::size_t serie = 0;
            double t = 0;
            while (std::fscanf(lidos, "%zu %lg", &serie, &t) == 2)
                processos::dosAjudantes()[serie].push_back(t);
            std::fclose(lidos);
        }
        std::remove(arquivo.constData());
    }
    if (execucoes > 1)
        std::printf("(each figure: the rounds of %d runs of this program)\n", execucoes);
}

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
