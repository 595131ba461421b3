#include "host/HostLog.h"

#include "host/Udatamod.h"
#include "host/db/Database.h"
#include "host/ui/UserFolders.h"

#include <QDate>
#include <QDir>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace {
QList<LogEntry>& trace()
{
    static QList<LogEntry> entries;
    return entries;
}
constexpr int kTraceLimit = 10000;
}  // namespace

void appendTrace(const LogEntry& entry)
{
    QList<LogEntry>& entries = trace();
    if (entries.size() >= kTraceLimit)
        entries.remove(0, entries.size() - kTraceLimit + 1);
    entries.append(entry);
}

// The log file stays open between lines (opening, creating its folder and
// closing it for every line cost more than a batch's own work); it is opened
// again when the day or the system folder changes, or when it was removed
// (looked for at most once a second).
//
// Lines reach it in groups: a batch logs a dozen lines a row, and a write to
// the file for each cost the batch more than its rules. A line waits at most
// 100 ms (the event loop writes what waits when no other line comes); the
// program's end writes what waits, and so does a crash (the fatal signals),
// so that the lines before a crash are still there to read.
namespace {

struct Pendentes {
    static constexpr size_t kCapacidade = 64 * 1024;
    char dados[kCapacidade];
    // Read by the signal handler: the bytes waiting and where they go.
    std::atomic<size_t> tamanho{0};
    std::atomic<int> descritor{-1};
    QElapsedTimer desde;
    QCoreApplication* agendadoEm = nullptr;   // the application whose event loop will write
};

Pendentes& pendentes()
{
    static Pendentes p;
    return p;
}

// Whatever the signal interrupted, only the bytes already counted are
// written; write(2) is safe in a handler.
void escreveTudo(int fd, const char* dados, size_t tamanho)
{
    while (tamanho > 0) {
        const ssize_t feito = ::write(fd, dados, tamanho);
        if (feito <= 0)
            return;
        dados += feito;
        tamanho -= size_t(feito);
    }
}

void gravaPendentes()
{
    Pendentes& p = pendentes();
    const size_t tamanho = p.tamanho.load();
    const int fd = p.descritor.load();
    if (tamanho > 0 && fd >= 0)
        escreveTudo(fd, p.dados, tamanho);
    p.tamanho.store(0);
}

struct sigaction anteriores[NSIG];
constexpr int kSinaisFatais[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

void aoSinalFatal(int sinal, siginfo_t* info, void* contexto)
{
    gravaPendentes();
    // Then what was there before: its handler, or the default end.
    const struct sigaction& antes = anteriores[sinal];
    if ((antes.sa_flags & SA_SIGINFO) && antes.sa_sigaction) {
        antes.sa_sigaction(sinal, info, contexto);
    } else if (antes.sa_handler != SIG_DFL && antes.sa_handler != SIG_IGN && antes.sa_handler) {
        antes.sa_handler(sinal);
    } else {
        sigaction(sinal, &antes, nullptr);
        raise(sinal);
    }
}

void guardaNoFim()
{
    static bool feito = false;
    if (std::exchange(feito, true))
        return;
    std::atexit(gravaPendentes);
    struct sigaction acao {};
    acao.sa_sigaction = aoSinalFatal;
    acao.sa_flags = SA_SIGINFO | SA_NODEFER | SA_ONSTACK;
    sigemptyset(&acao.sa_mask);
    for (int sinal : kSinaisFatais)
        sigaction(sinal, &acao, &anteriores[sinal]);
}

// Lines left waiting are written by the event loop when no other line comes.
void agendaGravacao(Pendentes& p)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || p.agendadoEm == app || QThread::currentThread() != app->thread())
        return;
    // While the application is being made (Qt's own messages of its start)
    // there is no event loop to run a timer yet: the lines wait for the next
    // one, or for the program's end.
    if (!app->thread()->eventDispatcher())
        return;
    p.agendadoEm = app;
    QTimer::singleShot(100, app, [] {
        pendentes().agendadoEm = nullptr;
        gravaPendentes();
    });
}

// The day's file, in a log folder of this user that no other user can
// change (made when missing), never through a link, and only a file of this
// user: a link or a file put there by another would take the lines
// elsewhere. -1 when it cannot be used.
int abreArquivoDoLog(const QString& path)
{
    try {
        host::db::makePrivateFolder(QFileInfo(path).absolutePath());
    } catch (const host::db::DbError&) {
        return -1;
    }
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

void flushLog() { gravaPendentes(); }

void writeLogLine(const QByteArray& line, const QDate& dia)
{
    static QString aberto;
    static std::unique_ptr<QFile> arquivo;
    static QElapsedTimer conferido;
    Pendentes& p = pendentes();
    const QString path = logFilePath(dia);
    const bool conferir = !conferido.isValid() || conferido.elapsed() >= 1000;
    if (conferir)
        conferido.start();
    if (!arquivo || aberto != path || (conferir && !arquivo->exists())) {
        gravaPendentes();   // what waits belongs to the file it was logged to
        p.descritor.store(-1);
        arquivo.reset();
        aberto.clear();
        const int fd = abreArquivoDoLog(path);
        if (fd < 0)
            return;   // a log that cannot be written must not stop the work
        auto novo = std::make_unique<QFile>(path);
        // Unbuffered: the lines go to the file from our own buffer, which a
        // crash still writes.
        if (!novo->open(fd, QIODevice::Append | QIODevice::Text | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return;
        }
        arquivo = std::move(novo);
        aberto = path;
        p.descritor.store(arquivo->handle());
        guardaNoFim();
    }
    const size_t tamanho = size_t(line.size());
    if (tamanho > Pendentes::kCapacidade - p.tamanho.load())
        gravaPendentes();
    if (tamanho > Pendentes::kCapacidade) {
        escreveTudo(p.descritor.load(), line.constData(), tamanho);
        return;
    }
    const size_t antes = p.tamanho.load();
    std::memcpy(p.dados + antes, line.constData(), tamanho);
    p.tamanho.store(antes + tamanho);
    if (antes == 0) {
        p.desde.start();
        agendaGravacao(p);
    } else if (p.desde.elapsed() >= 100) {
        gravaPendentes();
    }
}

const QList<LogEntry>& logTrace() { return trace(); }

void clearLogTrace() { trace().clear(); }

QStringList logTraceTexts()
{
    QStringList texts;
    for (const LogEntry& entry : trace())
        texts << entry.origin + "|" + entry.text;
    return texts;
}

QString logFilePath() { return logFilePath(QDate::currentDate()); }

QString logFilePath(const QDate& hoje)
{
    // Asked for every line: built again only when the day or the folder changes.
    static QString pasta, caminho;
    static QDate dia;
    if (hoje != dia || pasta != sCaminhoSistema || caminho.isEmpty()) {
        const QString folder = sCaminhoSistema.isEmpty() ? defaultSystemFolder() : sCaminhoSistema;
        caminho = QDir(folder).filePath("Log/" + hoje.toString("yyyyMMdd") + ".log");
        pasta = sCaminhoSistema;
        dia = hoje;
    }
    return caminho;
}

QString defaultSystemFolder()
{
    return QDir(ui::userLocation(QStandardPaths::GenericDataLocation)).filePath("AssistenciaTecnica");
}

}  // namespace host
