#include "tests/report/ReportFixture.h"

#include <QProcess>

namespace reporttest {

using host::data::FieldType;

std::unique_ptr<host::data::MemDataset> memDataset(const QString& name, const QStringList& fields,
                                                   const QList<QVariantList>& rows)
{
    auto dataset = std::make_unique<host::data::MemDataset>(nullptr, name);
    for (const QString& spec : fields) {
        const QString fieldName = spec.section(':', 0, 0);
        const QString type = spec.section(':', 1, 1);
        if (type.startsWith('s'))
            dataset->addField(fieldName, FieldType::String, type.mid(1).toInt());
        else if (type == "f")
            dataset->addField(fieldName, FieldType::Float);
        else if (type == "d")
            dataset->addField(fieldName, FieldType::DateTime);
        else if (type == "b")
            dataset->addField(fieldName, FieldType::Blob);
        else
            dataset->addField(fieldName, FieldType::Int32);
    }
    dataset->open();
    appendRows(*dataset, rows);
    return dataset;
}

void appendRows(host::data::MemDataset& dataset, const QList<QVariantList>& rows)
{
    for (const QVariantList& row : rows) {
        dataset.append();
        for (int i = 0; i < row.size(); ++i)
            dataset.field(i)->setValue(row[i]);
        dataset.post();
    }
    dataset.first();
}

QStringList linesOf(const QString& dump, const QString& bandName)
{
    QStringList lines;
    for (const QString& line : dump.split('\n'))
        if (line.section(' ', 1, 1) == bandName + ':')
            lines << line;
    return lines;
}

QStringList bandLines(const QString& dump)
{
    QStringList lines;
    for (const QString& line : dump.split('\n', Qt::SkipEmptyParts))
        if (!line.startsWith("== page"))
            lines << line;
    return lines;
}

QString run(const QString& program, const QStringList& arguments, int* code)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    if (code)
        *code = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

}  // namespace reporttest
