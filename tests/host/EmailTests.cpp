// The host's mail routine: SMTP to a receiver started by the test, the
// outbox when no server is set or the server refuses.

#include "host/Uglobal.h"
#include "tests/support/HostDatabase.h"
#include "tests/support/ScopedTimeZone.h"
#include "tests/support/SmtpReceiver.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class Email : public testsupport::HostDatabaseTest {
protected:
    void servidor(int porta)
    {
        dmGlobal->SetParametro("ATEMAILSERVIDOR", "127.0.0.1");
        dmGlobal->SetParametro("ATEMAILPORTA", QString::number(porta));
    }
    QStringList caixaDeSaida() const { return QDir(systemFolder + "/Email").entryList({"*.eml"}, QDir::Files); }
};

TEST_F(Email, SentBySmtpWithEnvelopeHeadersAndTheBodyAsWritten)
{
    testsupport::SmtpReceiver receptor;
    servidor(receptor.port());
    const QString corpo = "Linha 1\rSituação: Pronto\r" + QString(70, '-');
    ASSERT_TRUE(EnviarEmail("Oficina <oficina@empresa.com.br>", "Informação sobre Ordem de Serviço",
                            "cliente@x.com;contato@y.com", corpo));

    const auto recebidas = receptor.messages();
    ASSERT_EQ(recebidas.size(), 1);
    const testsupport::SmtpMessage& m = recebidas.first();
    EXPECT_EQ(m.from, "oficina@empresa.com.br");
    EXPECT_EQ(m.recipients, (QStringList{"cliente@x.com", "contato@y.com"}));
    EXPECT_EQ(m.header("To"), "cliente@x.com, contato@y.com");
    // The subject outside ASCII goes encoded; the body's CR become CR LF.
    EXPECT_EQ(m.header("Subject"), "=?UTF-8?B?" + QString::fromLatin1(
                                       QString("Informação sobre Ordem de Serviço").toUtf8().toBase64()) + "?=");
    EXPECT_EQ(m.textBody(), "Linha 1\r\nSituação: Pronto\r\n" + QString(70, '-'));
    EXPECT_TRUE(caixaDeSaida().isEmpty());
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_TRUE(host::sentMails().first().sent);
}

// The Date header gives the zone as an offset, so the moment read back is
// the moment sent, in a zone west of UTC, in one with summer time and in UTC.
TEST_F(Email, TheDateHeaderCarriesTheZoneAsAnOffset)
{
    for (const char* zona : {"America/Sao_Paulo", "Europe/Lisbon", "UTC"}) {
        SCOPED_TRACE(zona);
        testsupport::ScopedTimeZone fuso(zona);
        testsupport::SmtpReceiver receptor;
        servidor(receptor.port());
        const qint64 antes = QDateTime::currentSecsSinceEpoch();
        ASSERT_TRUE(EnviarEmail("oficina@empresa.com.br", "Aviso", "cliente@x.com", "Corpo"));
        const qint64 depois = QDateTime::currentSecsSinceEpoch();
        ASSERT_EQ(receptor.messages().size(), 1);
        const QString data = receptor.messages().first().header("Date");
        EXPECT_TRUE(QRegularExpression("^[A-Z][a-z]{2}, \\d{2} [A-Z][a-z]{2} \\d{4} \\d{2}:\\d{2}:\\d{2} [+-]\\d{4}$")
                        .match(data)
                        .hasMatch())
            << data.toStdString();
        const QDateTime lida = QDateTime::fromString(data, Qt::RFC2822Date);
        ASSERT_TRUE(lida.isValid()) << data.toStdString();
        EXPECT_GE(lida.toSecsSinceEpoch(), antes) << data.toStdString();
        EXPECT_LE(lida.toSecsSinceEpoch(), depois) << data.toStdString();
    }
}

TEST_F(Email, AnAttachmentGoesAsASecondPart)
{
    testsupport::SmtpReceiver receptor;
    servidor(receptor.port());
    QFile anexo(systemFolder + "/relatorio.txt");
    ASSERT_TRUE(anexo.open(QIODevice::WriteOnly));
    anexo.write("conteudo do anexo");
    anexo.close();
    ASSERT_TRUE(EnviarEmail("a@b.com", "Assunto", "c@d.com", "Corpo", anexo.fileName()));
    const auto recebidas = receptor.messages();
    ASSERT_EQ(recebidas.size(), 1);
    EXPECT_TRUE(recebidas.first().header("Content-Type").startsWith("multipart/mixed"));
    EXPECT_EQ(recebidas.first().textBody(), "Corpo");
    EXPECT_TRUE(recebidas.first().data.contains(QByteArray("conteudo do anexo").toBase64()));
    EXPECT_TRUE(recebidas.first().data.contains("filename=\"relatorio.txt\""));
}

TEST_F(Email, WithoutAServerTheMessageWaitsInTheOutboxAndIsNotSent)
{
    EXPECT_FALSE(EnviarEmail("a@b.com", "Assunto", "c@d.com", "Corpo"));
    const QStringList arquivos = caixaDeSaida();
    ASSERT_EQ(arquivos.size(), 1);
    QFile eml(systemFolder + "/Email/" + arquivos.first());
    ASSERT_TRUE(eml.open(QIODevice::ReadOnly));
    const QByteArray conteudo = eml.readAll();
    EXPECT_TRUE(conteudo.contains("To: c@d.com\r\n"));
    EXPECT_TRUE(conteudo.contains("Subject: Assunto\r\n"));
    EXPECT_TRUE(conteudo.contains(QByteArray("Corpo").toBase64()));
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_FALSE(host::sentMails().first().sent);
    EXPECT_EQ(host::sentMails().first().outboxFile, eml.fileName());
}

TEST_F(Email, ARefusingServerOrNoServerListeningLeavesTheMessageInTheOutbox)
{
    {
        testsupport::SmtpReceiver recusa(true);
        servidor(recusa.port());
        EXPECT_FALSE(EnviarEmail("a@b.com", "Assunto", "c@d.com", "Corpo"));
        EXPECT_TRUE(recusa.messages().isEmpty());
    }
    int livre = 0;
    {
        testsupport::SmtpReceiver fechado;   // its port, once it is gone, has no listener
        livre = fechado.port();
    }
    servidor(livre);
    EXPECT_FALSE(EnviarEmail("a@b.com", "Assunto", "c@d.com", "Corpo"));
    EXPECT_EQ(caixaDeSaida().size(), 2);
}

TEST_F(Email, LineBreaksInAddressesOrSubjectAddNoHeaderLine)
{
    // Addresses come from customer records: a line break there must not
    // start a header of its own (a hidden copy to someone else).
    EXPECT_FALSE(EnviarEmail("a@b.com\r\nBcc: remetente@intruso.com", "Assunto\nBcc: assunto@intruso.com",
                             "c@d.com\r\nBcc: cliente@intruso.com;e@f.com", "Corpo"));
    const QStringList arquivos = caixaDeSaida();
    ASSERT_EQ(arquivos.size(), 1);
    QFile eml(systemFolder + "/Email/" + arquivos.first());
    ASSERT_TRUE(eml.open(QIODevice::ReadOnly));
    const QByteArray conteudo = eml.readAll();
    const QByteArray cabecalhos = conteudo.left(conteudo.indexOf("\r\n\r\n") + 2);
    EXPECT_FALSE(cabecalhos.contains("\nBcc:"));
    EXPECT_FALSE(cabecalhos.contains("\rBcc:"));
    for (const QByteArray& linha : cabecalhos.split('\n'))
        EXPECT_FALSE(linha.chopped(linha.endsWith('\r') ? 1 : 0).contains('\r')) << linha.constData();
    EXPECT_TRUE(cabecalhos.contains("e@f.com"));
}

TEST_F(Email, NoSenderOrNoRecipientIsRefusedAtOnce)
{
    EXPECT_FALSE(EnviarEmail("", "Assunto", "c@d.com", "Corpo"));
    EXPECT_FALSE(EnviarEmail("a@b.com", "Assunto", " ; ", "Corpo"));
    EXPECT_TRUE(host::sentMails().isEmpty());
    EXPECT_TRUE(caixaDeSaida().isEmpty());
}

}  // namespace
