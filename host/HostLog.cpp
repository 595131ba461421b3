#include "host/HostLog.h"

#include "host/Udatamod.h"

#include <QDate>
#include <QDir>
#include <QStandardPaths>

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

const QList<LogEntry>& logTrace() { return trace(); }

void clearLogTrace() { trace().clear(); }

QStringList logTraceTexts()
{
    QStringList texts;
    for (const LogEntry& entry : trace())
        texts << entry.origin + "|" + entry.text;
    return texts;
}

QString logFilePath()
{
    const QString folder = sCaminhoSistema.isEmpty() ? defaultSystemFolder() : sCaminhoSistema;
    return QDir(folder).filePath("Log/" + QDate::currentDate().toString("yyyyMMdd") + ".log");
}

QString defaultSystemFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath("AssistenciaTecnica");
}

}  // namespace host
