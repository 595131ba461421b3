#pragma once
// The host's general helpers of the unit Uglobal: SQL literals, text columns,
// the host's code lists, text files and e-mail.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <exception>

class QComboBox;
namespace host::data {
class Dataset;
class Query;
}
namespace host::ui {
class DataGrid;
}

// 'text' with inner quotes doubled.
QString QuotedStr(const QString& texto);
// The condition "coluna in (...)" over any number of values, each written
// once (texts quoted here). The engine takes at most 1,500 values in one
// list ("Too many values (more than 1500) in member list"), so a longer one
// is written as several lists joined by "or", in parentheses, in the same
// condition: the statement stays one, whatever the run's size. No value is
// a condition no row meets.
QString CondicaoEmLista(const QString& coluna, const QStringList& valores);
QString CondicaoEmLista(const QString& coluna, const QList<int>& valores);
// The values of a list of quoted literals as SQL writes them ("'a', 'b''c',"
// gives a and b'c); what lies outside the quotes is left out.
QStringList ValoresDaListaSql(const QString& literais);
// A literal for SQL text: null, numbers in C locale (shortest form), dates
// as 'mm/dd/yyyy hh:nn:ss', text quoted.
QString ValueToSQL(const QVariant& valor);
// The text without the spaces around it, or null when nothing is left.
QVariant aparadoOuNulo(const QString& texto);
// Today at 00:00: the day a date column keeps.
QDateTime hoje();
namespace host {
// The local day and time of day now, to the millisecond: what
// QDateTime::currentDateTime() gives, without its conversion through the
// C library (which looks at the zone file again) on every call.
struct AgoraLocal {
    QDate dia;
    QTime hora;
};
AgoraLocal agoraLocal();
}  // namespace host
// The local time now as "hh:mm:ss" (the hour a stock document keeps).
QString horaAtualTexto();
QString horaTexto(const QTime& hora);   // "hh:mm:ss"
QString DateToSQL(const QDateTime& data);              // 'mm/dd/yyyy'
QString DateToSQL(const QDate& data);                  // 'mm/dd/yyyy' from the date alone; no day: null
QString DateTimeToSQL(const QDateTime& data);          // 'mm/dd/yyyy hh:nn:ss'
QString DateTimeIniToSQL(const QDateTime& data);       // the day at 00:00:00
QString DateTimeFimToSQL(const QDateTime& data);       // the day's last instant the engine holds, 23:59:59.9999
QString StringDateToSQL(const QString& texto);         // "dd/mm/yy[yy]" -> 'mm/dd/yyyy'; "" -> null
QString StringDateTimeIniToSQL(const QString& texto);
QString StringDateTimeFimToSQL(const QString& texto);

// The LIKE pattern of a text typed in a search, by its "Onde" box: 0
// "Começando com" finds values that begin with it, 1 "Contendo" values that
// hold it, 2 "Terminando com" values that end with it.
QString PadraoOnde(const QString& texto, int onde);
// A number column as the text a search compares ("1500.00": two decimals and
// a point, below twenty million), and a value typed as the registers show it ("1.500,00",
// "1500,00", "1.234,56", "1500") in that form ("1500.00", "1234.56", "1500").
QString ValorComoTextoSQL(const QString& coluna);
QString ValorDigitadoComoTexto(const QString& texto);

// The n-th field (from 1) of a text split at the separator; "" past the end.
QString PegaValorColuna(const QString& texto, const QString& separador, int n);
// The query's SQL with each :PARAM replaced by its value as an SQL literal.
QString GetSQLtextComParametros(const host::data::Query& query, bool bQuebraLinha = false);
// The trace lines around each open of the query: "***INICIO", the statement
// with its parameters (on one line unless bQuebraLinha), "***FIM", tagged
// with the origin ("[<name>Open]" when none is given).
void LigaLogAbertura(host::data::Query& query, QString origem = {}, bool bQuebraLinha = false);

// The caption of a code in one of the host's code lists ("SIMNAO", "CPTIPO",
// "CRTIPO", "MODOPROCURAOPERACAO"); "" for an unknown code or list.
QString RetornaSituacaoEquivalente(const QString& codigo, const QString& lista);
// The code of a caption in a code list (the reverse); "" when unknown.
QString RetornaCodigoEquivalente(const QString& caption, const QString& lista);
// The captions of a code list, in order (for pick lists).
QStringList RetornaListaSituacao(const QString& lista);

// "Exportar para Excel": the grid's visible columns and rows as an .xlsx
// workbook (host::ui::exportGridToXlsx); a name ending in ".xls" is written
// as ".xlsx". Returns the file written.
QString GridToExcelFile(host::ui::DataGrid* grid, const QString& arquivo);

// The fields of the dataset, one entry each in the dataset's field order
// (their labels), replacing the combo's entries: the entry's index is the
// field's index. Nothing is selected afterwards.
void CarregaCamposTabela(QComboBox* combo, const host::data::Dataset& dataset);
// A search window's counts read no further than one row past this many: a
// count that finds more shows "mais de" it, and counting costs the same
// whatever the tables hold (counting every row of a large company took
// longer than the search itself).
constexpr int kMaximoContado = 1000;
// The statement counting (as TotReg) the rows of "from ... where ...",
// reading no further than one row past kMaximoContado.
QString SqlContagemLimitada(const QString& linhas);
// A count as the panels show it: the number, or "mais de 1000" past the limit.
QString NumeroContado(int contados);
// "Registros Encontrados: " and the rows counted.
QString TextoEncontrados(int contados);
// The rows of an open list, read no further than one past kMaximoContado
// (the rest are read as the grid scrolls to them).
int LinhasContadas(host::data::Dataset& lista);
// The number of rows of the table, counted no further than one past kMaximoContado.
int TotalRegistros(const QString& tabela);
// "Total de Registros: " and the table's rows so counted.
QString TextoTotalRegistros(const QString& tabela);
// True when the failure is the silent end of an operation (host::Abort).
bool OperacaoAbortada(std::exception_ptr falha);

// Line <indice> (from 0) of a text file; "" when the file or line is missing.
QString RetornaLinhaArquivoTexto(const QString& arquivo, int indice);

// Sends a plain-text mail (UTF-8) by SMTP to the ";"-separated recipients,
// with the file `anexo` attached when one is named. The server, port, user,
// password and TLS mode are the host parameters ATEMAILSERVIDOR,
// ATEMAILPORTA (25 when empty), ATEMAILUSUARIO, ATEMAILSENHA and ATEMAILTLS
// ("S" STARTTLS required, "I" implicit TLS, else none). True only when the
// server accepted the message. Without a server, or when sending fails (the
// failure is logged), the message is written as an .eml file to the outbox
// sCaminhoSistema/Email and the answer is false. False at once when there is
// no recipient or sender. Every call is recorded (host::sentMails()).
bool EnviarEmail(const QString& remetente, const QString& assunto, const QString& destinatarios,
                 const QString& corpo, const QString& anexo = {});

namespace host {
// Where a mail of EnviarEmail went: out through the server, or written to
// the outbox (no server, or the server failed: `falha` says why), or nowhere.
struct DestinoEmail {
    bool enviado = false;
    QString arquivo;   // the .eml in the outbox when it was not sent
    QString falha;     // why it did not go out
    bool escrito() const { return enviado || !arquivo.isEmpty(); }
};
// EnviarEmail, telling where the mail went.
DestinoEmail EnviarEmailComDestino(const QString& remetente, const QString& assunto, const QString& destinatarios,
                                   const QString& corpo, const QString& anexo = {});
// The user's words for a mail that did not go out: why, and the outbox file
// that holds it (or that none does). Empty when it went out.
QString AvisoEmailNaoEnviado(const DestinoEmail& destino);
}  // namespace host

// The host's sender settings: the company record's e-mail address.
QString RemetenteEmail();
// A mail from the host's sender (EnviarEmail); false when it did not go
// out, the user then told why and where it waits (AvisoEmailNaoEnviado).
bool EnviaEmail(const QString& destinatario, const QString& assunto, const QString& texto);

// The value of the host's cost formula <codigo> (table AGPC05CF, column
// CFFORMULA) over the dataset's current row: numbers ("1.5" or "1,5"), the
// row's field names, + - * / and parentheses. An unknown formula, a name that
// is no field of the row, a malformed text or a division by zero is an error
// (std::runtime_error with the reason), never a silent 0.
namespace host::data {
class Dataset;
}
double CalcularFormula(int codigo, const host::data::Dataset& dataset);
// The same evaluation of a formula text (for the formula register and tests).
double AvaliarFormula(const QString& formula, const host::data::Dataset& dataset);

// The failure of a database step, written to the log under the origin
// (" EXCEPTION --> " with the message and, when given, the statement).
void TratarExcecaoBanco(const QString& origem, std::exception_ptr falha, const QString& sql = {});
// The user-facing text of a failure ("" for a silent abort).
QString TratarExcecao(std::exception_ptr falha);
// Hands the memory the application freed back to the system.
void TrimAppMemorySize();

namespace host {
struct SentMail {
    QString sender, subject, recipients, body, attachment;
    bool sent = false;    // the server accepted it
    QString outboxFile;   // the .eml written when it was not sent
};
const QList<SentMail>& sentMails();
void clearSentMails();
}  // namespace host
