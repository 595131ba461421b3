#include "host/ui/GridExport.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/DataGrid.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <xlsxwriter.h>

#include <memory>
#include <stdexcept>

namespace host::ui {

namespace {

using host::data::FieldType;

bool isNumber(FieldType type) { return type == FieldType::Int16 || type == FieldType::Int32 || type == FieldType::Float; }
bool isDate(FieldType type)
{
    return type == FieldType::DateTime || type == FieldType::Date || type == FieldType::Time;
}

// One section of a number format: the run of digit placeholders is rebuilt
// when it groups thousands; text around it stays.
QString excelNumberSection(const QString& section)
{
    static const QRegularExpression placeholders(R"([0#][0#,.]*|[,.][0#][0#,.]*)");
    QString result;
    int at = 0;
    bool inQuote = false;
    QChar quote;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section.at(i);
        if (inQuote) {
            if (c == quote)
                inQuote = false;
            continue;
        }
        if (c == '\'' || c == '"') {
            inQuote = true;
            quote = c;
            continue;
        }
        const auto match = placeholders.match(section, i, QRegularExpression::NormalMatch,
                                               QRegularExpression::AnchorAtOffsetMatchOption);
        if (!match.hasMatch())
            continue;
        QString number = match.captured(0);
        if (number.contains(',')) {
            const int point = number.indexOf('.');
            const QString decimals = point >= 0 ? number.mid(point) : QString();
            number = "#,##0" + decimals;
        }
        result += section.mid(at, i - at).replace('\'', '"') + number;
        at = i + match.capturedLength(0);
        break;
    }
    return result + section.mid(at).replace('\'', '"');
}

lxw_datetime excelDateTime(const QDateTime& value)
{
    const QDate d = value.date();
    const QTime t = value.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), double(t.second())};
}

struct Workbook {
    lxw_workbook* book = nullptr;
    ~Workbook()
    {
        if (book)
            workbook_close(book);
    }
};

} // namespace

QString excelNumberFormat(const QString& classicFormat)
{
    if (classicFormat.trimmed().isEmpty())
        return {};
    QStringList sections;
    for (const QString& section : classicFormat.split(';'))
        sections << excelNumberSection(section);
    return sections.join(';');
}

QString excelDateFormat(const QString& classicFormat)
{
    QString format = classicFormat.trimmed().isEmpty() ? QString("dd/mm/yyyy") : classicFormat;
    return format.replace("nn", "mm").replace("NN", "mm");
}

QString exportGridToXlsx(DataGrid& grid, const QString& path)
{
    QString file = path;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "xls")
        file += "x";
    else if (suffix != "xlsx")
        file += ".xlsx";

    host::data::Dataset* data = grid.dataset();
    std::vector<GridColumn*> columns;
    for (const auto& column : grid.columns())
        if (column->visible() && column->field())
            columns.push_back(column.get());

    Workbook workbook;
    workbook.book = workbook_new(file.toLocal8Bit().constData());
    if (!workbook.book)
        throw std::runtime_error(("Não foi possível criar o arquivo " + file + ".").toStdString());
    lxw_worksheet* sheet = workbook_add_worksheet(workbook.book, "Planilha1");
    lxw_format* bold = workbook_add_format(workbook.book);
    format_set_bold(bold);

    std::vector<lxw_format*> formats;
    for (size_t c = 0; c < columns.size(); ++c) {
        GridColumn& column = *columns[c];
        host::data::Field& field = *column.field();
        worksheet_write_string(sheet, 0, lxw_col_t(c), column.title().toUtf8().constData(), bold);
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::max(4.0, column.width() / 7.0), nullptr);
        QString code;
        if (!field.onGetText && isNumber(field.dataType()))
            code = excelNumberFormat(field.displayFormat());
        else if (!field.onGetText && isDate(field.dataType()))
            code = excelDateFormat(field.displayFormat());
        lxw_format* format = nullptr;
        if (!code.isEmpty()) {
            format = workbook_add_format(workbook.book);
            format_set_num_format(format, code.toUtf8().constData());
        }
        formats.push_back(format);
    }

    if (data && data->active()) {
        const int rows = data->recordCount();
        for (int recNo = 1; recNo <= rows; ++recNo) {
            host::data::Dataset::RowScope scope(*data, recNo);
            for (size_t c = 0; c < columns.size(); ++c) {
                host::data::Field& field = *columns[c]->field();
                if (field.isNull() && !field.onGetText)
                    continue;
                const lxw_row_t row = lxw_row_t(recNo);
                const lxw_col_t col = lxw_col_t(c);
                if (!field.onGetText && isNumber(field.dataType())) {
                    worksheet_write_number(sheet, row, col, field.asFloat(), formats[c]);
                } else if (!field.onGetText && isDate(field.dataType())) {
                    lxw_datetime value = excelDateTime(field.asDateTime());
                    worksheet_write_datetime(sheet, row, col, &value, formats[c]);
                } else {
                    const QString text = field.displayText();
                    if (!text.isEmpty())
                        worksheet_write_string(sheet, row, col, text.toUtf8().constData(), nullptr);
                }
            }
        }
    }
    lxw_workbook* book = workbook.book;
    workbook.book = nullptr;
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR)
        throw std::runtime_error(("Não foi possível gravar o arquivo " + file + ": " + lxw_strerror(error)).toStdString());
    return file;
}

} // namespace host::ui
