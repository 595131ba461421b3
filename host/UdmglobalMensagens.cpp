// TdmGlobal: messages, the log and the progress window.

#include "host/HostLog.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Abort.h"
#include "host/data/WriteErrors.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"
#include "host/ui/ProgressWindow.h"

#include <QDateTime>

#include <algorithm>

namespace host {
void appendTrace(const LogEntry& entry);
void writeLogLine(const QByteArray& line, const QDate& dia);
}

namespace ui = host::ui;

namespace {

// "\r" in the classic texts is a line break.
QString displayText(const QString& text)
{
    QString shown = text;
    shown.replace("\r\n", "\n").replace('\r', '\n');
    return shown;
}

// A muted message still leaves a trace, so nothing said is lost.
bool muted(TdmGlobal& dm, const QString& origin, const QString& text)
{
    if (!bDesligarMensagens)
        return false;
    dm.Log(origin, text, "mensagem desligada");
    return true;
}

}  // namespace

void TdmGlobal::MostraAviso(const QString& texto, bool bAbandonar)
{
    if (!muted(*this, "[MostraAviso]", texto))
        ui::Dialogs::information(displayText(texto));
    if (bAbandonar)
        host::abortOperation();
}

QString TdmGlobal::TextoErroBanco(const host::db::DbError& erro, const QString& origem)
{
    Log(origem, erro.message(), erro.sql());
    return host::data::readableMessage(erro);
}

void TdmGlobal::MostraErro(const QString& texto)
{
    if (!muted(*this, "[MostraErro]", texto))
        ui::Dialogs::error(displayText(texto));
    host::abortOperation();
}

void TdmGlobal::MostraAvisoExtenso(const QString& titulo, const QString& texto, bool bAbandonar,
                                   const QString& caption)
{
    if (!muted(*this, "[MostraAvisoExtenso]", titulo))
        ui::Dialogs::longText(caption.isEmpty() ? titulo : caption, displayText(titulo), displayText(texto));
    if (bAbandonar)
        host::abortOperation();
}

QString TdmGlobal::MostraPergunta(const QString& texto, const QStringList& captions, int lastIndex)
{
    return ::MostraPergunta(texto, captions, lastIndex);
}

QString MostraPergunta(const QString& texto, const QStringList& captions, int lastIndex)
{
    const QStringList offered = lastIndex >= 0 ? captions.mid(0, lastIndex + 1) : captions;
    return ui::Dialogs::question(displayText(texto), offered);
}

void TdmGlobal::Log(const QString& origem, const QString& texto, const QString& detalhe)
{
    host::writeLog(origem, texto, detalhe);
}

namespace host {

namespace {

// The text as UTF-8 from `saida` on, each line break made a blank when
// `umaLinha` (a text keeps to its line of the log); an unpaired surrogate
// becomes U+FFFD, the replacement character. Returns where it ended. A
// batch logs several lines a row: written straight into the line's bytes,
// with no copy of each text to replace its breaks nor a conversion of the
// whole line. `saida` has room for 3 bytes per UTF-16 unit.
char* escreveUtf8(char* saida, QStringView texto, bool umaLinha)
{
    const char16_t* c = texto.utf16();
    const char16_t* const fim = c + texto.size();
    for (; c < fim; ++c) {
        char16_t u = *c;
        if (u < 0x80) {
            *saida++ = umaLinha && (u == u'\n' || u == u'\r') ? ' ' : char(u);
        } else if (u < 0x800) {
            *saida++ = char(0xC0 | (u >> 6));
            *saida++ = char(0x80 | (u & 0x3F));
        } else if (QChar::isHighSurrogate(u) && c + 1 < fim && QChar::isLowSurrogate(c[1])) {
            const char32_t ponto = QChar::surrogateToUcs4(u, *++c);
            *saida++ = char(0xF0 | (ponto >> 18));
            *saida++ = char(0x80 | ((ponto >> 12) & 0x3F));
            *saida++ = char(0x80 | ((ponto >> 6) & 0x3F));
            *saida++ = char(0x80 | (ponto & 0x3F));
        } else {
            if (QChar::isSurrogate(u))
                u = 0xFFFD;
            *saida++ = char(0xE0 | (u >> 12));
            *saida++ = char(0x80 | ((u >> 6) & 0x3F));
            *saida++ = char(0x80 | (u & 0x3F));
        }
    }
    return saida;
}

}  // namespace

void writeLog(const QString& origem, const QString& texto, const QString& detalhe)
{
    host::appendTrace({origem, texto, detalhe});
    // "dd/MM/yyyy hh:mm:ss.zzz", written by hand: a batch logs every row.
    const AgoraLocal agora = agoraLocal();
    const QDate& dia = agora.dia;
    const QTime& hora = agora.hora;
    char carimbo[] = "00/00/0000 00:00:00.000\t";
    auto digitos = [&carimbo](int posicao, int valor, int quantos) {
        for (int i = quantos - 1; i >= 0; --i, valor /= 10)
            carimbo[posicao + i] = char('0' + valor % 10);
    };
    digitos(0, dia.day(), 2);
    digitos(3, dia.month(), 2);
    digitos(6, dia.year(), 4);
    digitos(11, hora.hour(), 2);
    digitos(14, hora.minute(), 2);
    digitos(17, hora.second(), 2);
    digitos(20, hora.msec(), 3);
    QByteArray linha(qsizetype(sizeof carimbo) + 3 * (origem.size() + texto.size() + detalhe.size()) + 3,
                     Qt::Uninitialized);
    char* saida = std::copy(carimbo, carimbo + sizeof carimbo - 1, linha.data());
    saida = escreveUtf8(saida, origem, false);
    *saida++ = '\t';
    saida = escreveUtf8(saida, texto, true);
    *saida++ = '\t';
    saida = escreveUtf8(saida, detalhe, true);
    *saida++ = '\n';
    linha.truncate(saida - linha.constData());
    host::writeLogLine(linha, dia);
}

}  // namespace host

void TdmGlobal::GravaLog(const QString& usuario, const QString& acao, const QString& observacao,
                         const QString& tabela, const QDateTime& data, const QDateTime& hora)
{
    // The clock is read only for what the caller left out (the rules give both).
    const QDateTime now = data.isValid() && hora.isValid() ? QDateTime() : QDateTime::currentDateTime();
    const QDateTime day = data.isValid() ? data : host::db::localDateTime(now.date());
    // Every record is written by the same text: made once, not per record.
    static const QString insercao = QStringLiteral("insert into ARQLOG (DATA, HORA, USUARIO, ACAO, TABELA, OBSERVACAO) "
                                                   "values (:DATA, :HORA, :USUARIO, :ACAO, :TABELA, :OBSERVACAO)");
    host::db::executeSql(*IBTransaction1, insercao,
                         {{"DATA", day},
                          {"HORA", hora.isValid() ? hora : now},
                          {"USUARIO", usuario.left(30)},
                          {"ACAO", acao.left(50)},
                          {"TABELA", tabela.left(20)},
                          {"OBSERVACAO", observacao.left(255)}});
}

void TdmGlobal::PreparaSplashForm(int count, const QString& texto, const QString& acao)
{
    ui::ProgressWindow::instance().prepare(count, texto, acao);
}
