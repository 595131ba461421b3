#pragma once
// Readable Qt values in test failures.
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << "{" << ('"' + list.join("\", \"") + '"').toStdString() << "}";
}
