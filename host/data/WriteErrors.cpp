// The engine's refusals of a row's write, read for the user.
#include "host/data/WriteErrors.h"

#include "host/data/DataSource.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

#include <sys/statvfs.h>

namespace host::data {

namespace {

// The engine's status codes of the refusals a user can meet.
constexpr intptr_t kNotValid = 335544347;            // a column's value refused (null in a required one)
constexpr intptr_t kNoDuplicate = 335544349;         // a unique index
constexpr intptr_t kUniqueKey = 335544665;           // a primary or unique key
constexpr intptr_t kForeignKey = 335544466;          // a row another points to
constexpr intptr_t kArithmetic = 335544321;          // a number too large, a text too long
constexpr intptr_t kLockConflict = 335544345;        // a row another desk holds
constexpr intptr_t kDeadlock = 335544336;
constexpr intptr_t kUpdateConflict = 335544451;
constexpr intptr_t kCheckConstraint = 335544558;
constexpr intptr_t kUserException = 335544517;       // a rule of the database refused, in its own words
constexpr intptr_t kTransliteration = 335544565;     // a character the database cannot hold
// The server went away under an open connection: nothing more is done on it.
constexpr intptr_t kConnectionLost[] = {335544721, 335544726, 335544727, 335544648, 335544856, 335544528};

// The field of the column the engine names ("T"."C"), by its label; empty
// when the dataset has no such field or no label of its own for it.
QString labelOfColumn(const QString& engineText, const Dataset* dataset)
{
    static const QRegularExpression column(R"re(column\s+"?[^".\s]*"?\."?([^"\s,]+)"?)re",
                                           QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = column.match(engineText);
    if (!match.hasMatch() || !dataset)
        return {};
    const Field* field = dataset->findField(match.captured(1));
    return field ? userLabel(*field) : QString();
}

// "exception 1 / -NAME / -its text / -At trigger ...": the text the rule's
// author wrote for the user.
QString exceptionText(const QString& engineText)
{
    const QStringList lines = engineText.split('\n');
    for (qsizetype i = 0; i + 2 < lines.size(); ++i)
        if (lines[i].trimmed().startsWith(QLatin1String("exception")))
            return lines[i + 2].trimmed().remove(0, lines[i + 2].trimmed().startsWith('-') ? 1 : 0).trimmed();
    return {};
}

// The engine tells a full file system by the system's words under an I/O
// error ("I/O error during "write" operation for file "/x/y.fdb" ... No space
// left on device"), a temporary file of its own included.
QString fullDiskMessage(const QString& engineText)
{
    static const QRegularExpression file(R"re(for file "([^"]+)")re");
    const QString named = file.match(engineText).captured(1);
    return named.isEmpty() ? "O disco do banco de dados está cheio: não há espaço para gravar."
                           : QString("O disco está cheio: não há espaço no sistema de arquivos de %1 para gravar.")
                                 .arg(named);
}

// The engine tells a failed write with the system's reason, but a write the
// full disk cut short ("write_retry") carries a stale one ("-Success",
// "-Permission denied"): a file system with almost no room left is the
// reason then.
bool fullDisk(const QString& engineText)
{
    if (engineText.contains(QLatin1String("No space left on device"), Qt::CaseInsensitive))
        return true;
    if (!engineText.contains(QLatin1String("Error while trying to write to file")))
        return false;
    static const QRegularExpression file(R"re(for file "([^"]+)")re");
    const QString named = file.match(engineText).captured(1);
    struct statvfs disk {};
    return !named.isEmpty() &&
           ::statvfs(QFile::encodeName(QFileInfo(named).absolutePath()).constData(), &disk) == 0 &&
           qint64(disk.f_bavail) * qint64(disk.f_frsize) < 1024 * 1024;
}

bool says(const host::db::DbError& error, intptr_t code, const char* words)
{
    return error.gdsCode() == code || error.message().contains(QLatin1String(words), Qt::CaseInsensitive);
}

bool connectionLost(const host::db::DbError& error)
{
    return std::find(std::begin(kConnectionLost), std::end(kConnectionLost), error.gdsCode()) !=
               std::end(kConnectionLost) ||
           error.message().contains(QLatin1String("Error reading data from the connection")) ||
           error.message().contains(QLatin1String("Error writing data to the connection"));
}

}  // namespace

WriteRefused::WriteRefused(const host::db::DbError& cause, const QString& userMessage)
    : host::db::DbError(cause), userMessage_(userMessage)
{
}

QString userMessageFor(const host::db::DbError& error, const Dataset* dataset)
{
    if (!error.userText().isEmpty())
        return error.userText();
    const QString text = error.message();
    if (connectionLost(error))
        return "A conexão com o servidor do banco de dados foi perdida: o que não foi gravado se perdeu. Feche o "
               "programa e inicie-o novamente.";
    if (fullDisk(text))
        return fullDiskMessage(text);
    if (error.gdsCode() == kUserException) {
        const QString own = exceptionText(text);
        return own.isEmpty() ? text : own;
    }
    if (says(error, kNotValid, "validation error for column")) {
        const QString label = labelOfColumn(text, dataset);
        if (text.contains(QLatin1String("*** null ***")))
            return label.isEmpty() ? "Há um campo obrigatório não informado." : "Campo obrigatório não informado: " + label;
        return label.isEmpty() ? "Há um valor não permitido no registro." : "Valor não permitido no campo " + label + ".";
    }
    if (says(error, kUniqueKey, "violation of PRIMARY or UNIQUE KEY") || says(error, kNoDuplicate, "attempt to store duplicate"))
        return "Já existe um registro com este código.";
    if (says(error, kForeignKey, "violation of FOREIGN KEY"))
        return "O registro está em uso em outro cadastro.";
    if (says(error, kCheckConstraint, "violates CHECK constraint"))
        return "Há um valor não permitido no registro.";
    if (says(error, kArithmetic, "string truncation") || text.contains(QLatin1String("numeric overflow")))
        return "Um valor informado é maior do que o campo comporta.";
    if (says(error, kLockConflict, "lock conflict") || says(error, kDeadlock, "deadlock") ||
        says(error, kUpdateConflict, "update conflicts"))
        return "O registro está sendo alterado por outro usuário. Tente de novo em instantes.";
    return {};
}

QString readableMessage(const host::db::DbError& error)
{
    const QString message = userMessageFor(error);
    if (!message.isEmpty())
        return message;
    // Our database layer's own sentences: with no engine code, or naming the
    // characters the engine could not hold.
    const bool ours = error.gdsCode() == 0 ||
                      (error.gdsCode() == kTransliteration && !error.message().contains(QLatin1String("transliterate")));
    if (ours && !error.message().isEmpty())
        return error.message();
    return "Não foi possível concluir a operação no banco de dados.";
}

}  // namespace host::data
