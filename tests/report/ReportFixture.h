#pragma once
// Helpers of the report tests: in-memory datasets filled from rows, and the
// lines of a text dump.

#include "host/data/MemDataset.h"
#include "host/report/Report.h"

#include <QStringList>
#include <QVariantList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << "{\n  \"" << list.join("\",\n  \"").toStdString() << "\"}";
}

namespace reporttest {

// An open in-memory dataset with the given fields ("NAME:s30", "VALUE:f",
// "CODE:i", "DATE:d") and rows.
std::unique_ptr<host::data::MemDataset> memDataset(const QString& name, const QStringList& fields,
                                                   const QList<QVariantList>& rows = {});
void appendRows(host::data::MemDataset& dataset, const QList<QVariantList>& rows);

// The band lines of the dump whose band is named so.
QStringList linesOf(const QString& dump, const QString& bandName);
// The dump without its page lines.
QStringList bandLines(const QString& dump);
// Output of a command (pdftotext, qpdf); the exit code in *code.
QString run(const QString& program, const QStringList& arguments, int* code = nullptr);

}  // namespace reporttest
