#pragma once
// The host's trace: TdmGlobal::Log writes each line to the log file of the
// system folder and keeps the last lines in memory for tests.

#include <QDate>
#include <QList>
#include <QString>

namespace host {

struct LogEntry {
    QString origin;
    QString text;
    QString detail;
};

// Writes one line to the log file of the system folder and keeps it in the
// trace (what TdmGlobal::Log does; usable before dmGlobal exists).
void writeLog(const QString& origin, const QString& text, const QString& detail = {});

// Writes the lines still waiting to the log file now (they wait at most
// 100 ms otherwise, and are written at the program's end or crash).
void flushLog();

// The lines logged since the last clear (the newest 10000 at most).
const QList<LogEntry>& logTrace();
void clearLogTrace();
// "origin|text" per line, for compact assertions.
QStringList logTraceTexts();
// The log file of today in the system folder (sCaminhoSistema/Log).
QString logFilePath();
// The log file of that day (a line stamped with it, without asking the
// clock again).
QString logFilePath(const QDate& day);

// The system folder used when sCaminhoSistema is empty: the user's data
// folder for this application (created on demand).
QString defaultSystemFolder();

}  // namespace host
