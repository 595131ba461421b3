#include "host/HostLog.h"

#include "host/Udatamod.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <memory>

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
void writeLogLine(const QByteArray& line, const QDate& dia)
{
    static QString aberto;
    static std::unique_ptr<QFile> arquivo;
    static QElapsedTimer conferido;
    const QString path = logFilePath(dia);
    const bool conferir = !conferido.isValid() || conferido.elapsed() >= 1000;
    if (conferir)
        conferido.start();
    if (!arquivo || aberto != path || (conferir && !arquivo->exists())) {
        arquivo.reset();
        aberto.clear();
        QDir().mkpath(QFileInfo(path).absolutePath());
        auto novo = std::make_unique<QFile>(path);
        // Unbuffered: each line goes to the file as it is written, with no
        // copy into a buffer to flush.
        if (!novo->open(QIODevice::Append | QIODevice::Text | QIODevice::Unbuffered))
            return;   // a log that cannot be written must not stop the work
        arquivo = std::move(novo);
        aberto = path;
    }
    arquivo->write(line);
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
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath("AssistenciaTecnica");
}

}  // namespace host
