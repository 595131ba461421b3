// EnviarEmail: the host's mail routine. SMTP through libcurl with the
// server named in the parameters; without one (or when the server refuses)
// the message waits as an .eml file in the outbox folder.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include <curl/curl.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QUuid>

#include <cstdlib>
#include <cstring>

namespace {

QList<host::SentMail>& outbox()
{
    static QList<host::SentMail> mails;
    return mails;
}

struct Servidor {
    QString host, usuario, senha, tls;
    int porta = 25;
};

Servidor servidorConfigurado()
{
    Servidor servidor;
    if (!dmGlobal)
        return servidor;
    servidor.host = parametroAparado("ATEMAILSERVIDOR");
    const int porta = parametroAparado("ATEMAILPORTA").toInt();
    servidor.porta = porta > 0 ? porta : 25;
    servidor.usuario = parametroAparado("ATEMAILUSUARIO");
    servidor.senha = dmGlobal->Parametro("ATEMAILSENHA");
    servidor.tls = parametroMaiusculo("ATEMAILTLS");
    return servidor;
}

// "Nome <a@b.com>" or "a@b.com": the address the envelope carries.
QString enderecoDe(const QString& texto)
{
    static const QRegularExpression angulos(R"(<([^>]+)>)");
    const QRegularExpressionMatch m = angulos.match(texto);
    return (m.hasMatch() ? m.captured(1) : texto).trimmed();
}

// Header texts come from records (a customer's address, a contact's): a
// line break or other control character there would start a header line
// of its own, so each one becomes a space.
QString semControles(QString texto)
{
    for (QChar& c : texto)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    return texto;
}

QStringList destinatariosDe(const QString& lista)
{
    QStringList enderecos;
    for (const QString& parte : lista.split(QRegularExpression("[;,]"), Qt::SkipEmptyParts))
        if (!parte.trimmed().isEmpty())
            enderecos << parte.trimmed();
    return enderecos;
}

// A header text outside ASCII goes as an RFC 2047 encoded word.
QByteArray cabecalhoTexto(const QString& texto)
{
    const QByteArray utf8 = texto.toUtf8();
    bool ascii = true;
    for (char c : utf8)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    return ascii ? utf8 : "=?UTF-8?B?" + utf8.toBase64() + "?=";
}

QByteArray base64EmLinhas(const QByteArray& dados)
{
    const QByteArray b64 = dados.toBase64();
    QByteArray linhas;
    for (qsizetype i = 0; i < b64.size(); i += 76)
        linhas += b64.mid(i, 76) + "\r\n";
    return linhas;
}

// The moment as the Date header writes it, with the zone as its offset
// ("-0300"): a zone's abbreviation ("-03", "WET") is no offset a mail
// program reads.
QByteArray dataDoCabecalho(const QDateTime& momento)
{
    const int minutos = momento.offsetFromUtc() / 60;
    const int absolutos = std::abs(minutos);
    const QString zona = QString("%1%2%3")
                             .arg(minutos < 0 ? '-' : '+')
                             .arg(absolutos / 60, 2, 10, QChar('0'))
                             .arg(absolutos % 60, 2, 10, QChar('0'));
    return (QLocale::c().toString(momento, "ddd, dd MMM yyyy hh:mm:ss ") + zona).toLatin1();
}

// The body's line breaks (CR, LF or CR LF) become CR LF, as SMTP wants them.
QString quebrasSmtp(QString corpo)
{
    corpo.replace("\r\n", "\n").replace('\r', '\n');
    return corpo.replace("\n", "\r\n");
}

QByteArray montarMensagem(const QString& remetente, const QString& assunto, const QStringList& destinatarios,
                          const QString& corpo, const QString& anexo)
{
    QByteArray m;
    m += "Date: " + dataDoCabecalho(QDateTime::currentDateTime()) + "\r\n";
    m += "From: " + remetente.toUtf8() + "\r\n";
    m += "To: " + destinatarios.join(", ").toUtf8() + "\r\n";
    m += "Subject: " + cabecalhoTexto(assunto) + "\r\n";
    m += "Message-ID: <" + QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1() + "@" +
         enderecoDe(remetente).section('@', 1).toUtf8() + ">\r\n";
    m += "MIME-Version: 1.0\r\n";
    const QByteArray texto = "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
                             base64EmLinhas(quebrasSmtp(corpo).toUtf8());
    QFile arquivo(anexo);
    if (anexo.trimmed().isEmpty() || !arquivo.open(QIODevice::ReadOnly)) {
        m += texto;
        return m;
    }
    const QByteArray fronteira = "=_" + QUuid::createUuid().toString(QUuid::Id128).toLatin1();
    m += "Content-Type: multipart/mixed; boundary=\"" + fronteira + "\"\r\n\r\n";
    m += "--" + fronteira + "\r\n" + texto;
    m += "--" + fronteira + "\r\n";
    const QByteArray nome = cabecalhoTexto(QFileInfo(anexo).fileName());
    m += "Content-Type: application/octet-stream; name=\"" + nome + "\"\r\n";
    m += "Content-Transfer-Encoding: base64\r\n";
    m += "Content-Disposition: attachment; filename=\"" + nome + "\"\r\n\r\n";
    m += base64EmLinhas(arquivo.readAll());
    m += "--" + fronteira + "--\r\n";
    return m;
}

struct Leitura {
    const QByteArray* dados;
    qsizetype posicao = 0;
};

size_t lerMensagem(char* destino, size_t tamanho, size_t quantidade, void* contexto)
{
    Leitura& leitura = *static_cast<Leitura*>(contexto);
    const qsizetype resta = leitura.dados->size() - leitura.posicao;
    const size_t n = std::min<size_t>(tamanho * quantidade, size_t(resta));
    std::memcpy(destino, leitura.dados->constData() + leitura.posicao, n);
    leitura.posicao += qsizetype(n);
    return n;
}

// Sends through the server; the failure's text when it did not go out.
QString enviarSmtp(const Servidor& servidor, const QString& remetente, const QStringList& destinatarios,
                   const QByteArray& mensagem)
{
    static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    CURL* curl = iniciado ? curl_easy_init() : nullptr;
    if (!curl)
        return "libcurl não iniciou";
    const QByteArray url = QString("%1://%2:%3")
                               .arg(servidor.tls == "I" ? "smtps" : "smtp", servidor.host)
                               .arg(servidor.porta)
                               .toUtf8();
    const QByteArray de = "<" + enderecoDe(remetente).toUtf8() + ">";
    const QByteArray usuario = servidor.usuario.toUtf8();
    const QByteArray senha = servidor.senha.toUtf8();
    curl_slist* para = nullptr;
    for (const QString& destinatario : destinatarios)
        para = curl_slist_append(para, ("<" + enderecoDe(destinatario).toUtf8() + ">").constData());
    Leitura leitura{&mensagem};
    char erro[CURL_ERROR_SIZE] = {0};
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, de.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, para);
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, &lerMensagem);
    curl_easy_setopt(curl, CURLOPT_READDATA, &leitura);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, erro);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 15L);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 60L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    if (servidor.tls == "S")
        curl_easy_setopt(curl, CURLOPT_USE_SSL, long(CURLUSESSL_ALL));
    if (!servidor.usuario.isEmpty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, usuario.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, senha.constData());
    }
    const CURLcode resultado = curl_easy_perform(curl);
    curl_slist_free_all(para);
    curl_easy_cleanup(curl);
    if (resultado == CURLE_OK)
        return {};
    return QString::fromUtf8(erro[0] ? erro : curl_easy_strerror(resultado));
}

QString gravarNaCaixaDeSaida(const QByteArray& mensagem)
{
    const QDir pasta(QDir(sCaminhoSistema).filePath("Email"));
    QDir().mkpath(pasta.path());
    const QString nome = pasta.filePath(QDateTime::currentDateTime().toString("yyyyMMdd_hhmmsszzz") + "_" +
                                        QUuid::createUuid().toString(QUuid::Id128).left(8) + ".eml");
    QFile arquivo(nome);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(mensagem) != mensagem.size())
        return {};
    return nome;
}

}  // namespace

host::DestinoEmail host::EnviarEmailComDestino(const QString& remetente, const QString& assunto,
                                               const QString& destinatarios, const QString& corpo,
                                               const QString& anexo)
{
    const QStringList para = destinatariosDe(semControles(destinatarios));
    const QString de = semControles(remetente);
    DestinoEmail destino;
    if (de.trimmed().isEmpty() || para.isEmpty()) {
        destino.falha = de.trimmed().isEmpty() ? "sem remetente" : "sem destinatário";
        return destino;
    }
    host::SentMail registro{remetente, assunto, destinatarios, corpo, anexo};
    const QByteArray mensagem = montarMensagem(de, semControles(assunto), para, corpo, anexo);
    const Servidor servidor = servidorConfigurado();
    if (servidor.host.isEmpty()) {
        destino.falha = "nenhum servidor de e-mail configurado (parâmetro ATEMAILSERVIDOR)";
    } else {
        const QString falha = enviarSmtp(servidor, de, para, mensagem);
        registro.sent = falha.isEmpty();
        if (!registro.sent) {
            destino.falha = "o servidor de e-mail " + servidor.host + " falhou: " + falha;
            if (dmGlobal)
                dmGlobal->Log("[EnviarEmail]", " EXCEPTION --> " + falha, servidor.host);
        }
    }
    if (!registro.sent)
        registro.outboxFile = gravarNaCaixaDeSaida(mensagem);
    outbox().append(registro);
    destino.enviado = registro.sent;
    destino.arquivo = registro.outboxFile;
    return destino;
}

bool EnviarEmail(const QString& remetente, const QString& assunto, const QString& destinatarios,
                 const QString& corpo, const QString& anexo)
{
    return host::EnviarEmailComDestino(remetente, assunto, destinatarios, corpo, anexo).enviado;
}

QString host::AvisoEmailNaoEnviado(const DestinoEmail& destino)
{
    if (destino.enviado)
        return {};
    const QString motivo = "A mensagem não foi enviada: " + destino.falha + ".";
    if (!destino.arquivo.isEmpty())
        return motivo + "\nEla foi gravada na caixa de saída, para ser enviada de lá:\n" +
               QDir::toNativeSeparators(destino.arquivo);
    return motivo + "\nNenhuma cópia ficou na caixa de saída.";
}

const QList<host::SentMail>& host::sentMails() { return outbox(); }

void host::clearSentMails() { outbox().clear(); }
