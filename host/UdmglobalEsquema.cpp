// TdmGlobal: the schema script object, the existence checks and the host's
// display formats.

#include "host/Udmglobal.h"

#include "host/data/Dataset.h"
#include "host/schema/HostSchema.h"

#include <QRegularExpression>
#include <QStringList>

TIBScript::TIBScript(host::Component* owner, const QString& name) : host::Component(owner, name) {}

QStringList TIBScript::splitStatements(const QString& script)
{
    QStringList statements;
    QString current;
    QChar quote;
    bool lineComment = false;
    bool blockComment = false;
    for (qsizetype i = 0; i < script.size(); ++i) {
        const QChar c = script[i];
        const QChar next = i + 1 < script.size() ? script[i + 1] : QChar();
        if (lineComment) {
            lineComment = c != '\n';
        } else if (blockComment) {
            if (c == '*' && next == '/') {
                blockComment = false;
                ++i;
            }
            continue;
        } else if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
            continue;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '-' && next == '-') {
            lineComment = true;
        } else if (c == '/' && next == '*') {
            blockComment = true;
            ++i;
            continue;
        } else if (c == ';') {
            if (!current.trimmed().isEmpty())
                statements << current.trimmed();
            current.clear();
            continue;
        }
        if (!lineComment)
            current += c;
    }
    if (!current.trimmed().isEmpty())
        statements << current.trimmed();
    return statements;
}

void TIBScript::ExecuteScript()
{
    host::db::Transaction& tr = transaction ? *transaction : *dmGlobal->IBTransaction1;
    for (const QString& statement : splitStatements(Script)) {
        host::db::executeSql(tr, statement);
        static const QRegularExpression space("\\s+");
        const QString verb = statement.section(space, 0, 0).toUpper();
        if (verb == "CREATE" || verb == "RECREATE")
            host::grantToEveryone(tr);   // what it made is every user's
        if (verb == "CREATE" || verb == "ALTER" || verb == "DROP" || verb == "RECREATE")
            tr.commitRetaining();
    }
}

bool TdmGlobal::VerificaExistenciaTabelaCampo(const QString& tabela, const QString& coluna)
{
    if (coluna.trimmed().isEmpty())
        return host::db::tableExists(*IBTransaction1, tabela.trimmed());
    return host::db::columnExists(*IBTransaction1, tabela.trimmed(), coluna.trimmed());
}

namespace {

void applyAmountFormat(host::data::Field& field)
{
    if (field.dataType() == host::data::FieldType::Float && field.displayFormat().isEmpty())
        field.setDisplayFormat("###,###,##0.00");
}

void applyFormats(host::data::Dataset& dataset, bool withDisplay)
{
    using host::data::FieldType;
    for (host::data::Field* field : dataset.fields()) {
        switch (field->dataType()) {
        case FieldType::Float:
            if (withDisplay)
                applyAmountFormat(*field);
            break;
        case FieldType::DateTime:
        case FieldType::Date:
            if (field->editMask().isEmpty())
                field->setEditMask("!99/99/99;1;_");
            if (withDisplay && field->displayFormat().isEmpty())
                field->setDisplayFormat("dd/mm/yyyy");
            break;
        default:
            break;
        }
    }
}

}  // namespace

void TdmGlobal::SetaMascaraField(host::data::Dataset& dataset) { applyFormats(dataset, true); }

void TdmGlobal::SetaMascaraFieldSemDisplay(host::data::Dataset& dataset) { applyFormats(dataset, false); }

void TdmGlobal::SetaFormatoValor(host::data::Dataset& dataset)
{
    for (host::data::Field* field : dataset.fields())
        applyAmountFormat(*field);
}

void TdmGlobal::SetaFormatoValor(host::data::Dataset& dataset, const QStringList& campos)
{
    for (const QString& campo : campos)
        if (host::data::Field* field = dataset.findField(campo))
            applyAmountFormat(*field);
}
