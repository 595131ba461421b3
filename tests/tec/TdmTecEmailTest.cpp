// The status e-mail of a service order: recipients, silent stops, the body
// as the customer reads it, the sender, and the items marked only when the
// message went out (an SMTP receiver on 127.0.0.1 started by the test).

#include "tests/tec/LoadersFixture.h"

#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/Upesq.h"
#include "host/ui/Layouts.h"
#include "tests/support/SmtpReceiver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace tectest {
namespace {

const QString CR = "\r";
const QString kTracos = QString(70, '-');

class EmailOS : public LoadersTest {
protected:
    void SetUp() override
    {
        LoadersTest::SetUp();
        host::clearSentMails();
        exec("update or insert into AUGC0301 (CODIGO_CLIENTE, NOME, ENDERECO, BAIRRO, CIDADE, ESTADO, TELEFONE1,"
             " EMAIL, CLENVIOMENSAGEM) values ('00001', 'Loja Central', 'Rua A, 10', 'Centro', 'Campinas', 'SP',"
             " '1933334444', 'loja@cliente.com', 'S') matching (CODIGO_CLIENTE)");
        situacao(10, "I", "A");
        situacao(11, "I", "A");
        situacao(12, "I", "A");
        exec("update AATC01AS set ASEMAIL = 'S' where ASCODIGO in (10, 11)");
        tecnico(3, "JOSE", "S");
        ordem(7, "00001", "A", 10);
        exec("update AATC01AO set AODATAENTRADA = '2026-12-01', AOHORAENTRADA = '2026-12-01 08:05:09',"
             " AODESCRICAOLAUDO = 'Placa queimada' where AOCODIGO = 7");
        itemEmail(1, 11, "");
        itemEmail(2, 11, "S");
        itemEmail(3, 12, "");
        empresa("oficina@empresa.com", "");
    }
    void itemEmail(int codigo, int situacao, const QString& enviado)
    {
        exec(QString("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPDESCRICAO, AOITSERIE, AOITMODELO,"
                     " AOITDEFEITO, AOITDEFEITOCONSTATADO, AOITLAUDO, AOITCAUSA, AOITSOLUCAO, ASCODIGO, ATCODIGO,"
                     " AOITEMAILENVIADO) values (%1, 7, 'Impressora %1', 'SN%1', 'X-%1', 'Não liga', 'Fonte',"
                     " 'Trocada a fonte', 'Surto', 'Fonte nova', %2, 3, %3)")
                 .arg(codigo)
                 .arg(situacao)
                 .arg(enviado.isEmpty() ? QString("null") : "'" + enviado + "'"));
    }
    void empresa(const QString& email, const QString& site)
    {
        exec("update or insert into EMPRESA (CODIGO, NOME, EMAIL, SITE) values (1, 'Oficina', " +
             (email.isEmpty() ? QString("null") : QuotedStr(email)) + ", " +
             (site.isEmpty() ? QString("null") : QuotedStr(site)) + ") matching (CODIGO)");
        dmGlobal->CarregaEmpresa();
    }
    void contato(int codigo, const QString& email)
    {
        exec(QString("insert into AUGC3701 (ANCODIGO, ANNOME, ANTIPO, ANVINCULOCATEGORIA, ANVINCULOCODIGO, ANEMAIL)"
                     " values (%1, 'Contato %1', 'G', 'C', '00001', '%2')")
                 .arg(codigo)
                 .arg(email));
    }
    void cfgEmail(const QStringList& linhas)
    {
        QFile arquivo(sCaminhoSistema + "/CfgEmail.ini");
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly | QIODevice::Text));
        arquivo.write(linhas.join("\n").toUtf8());
    }
    void servidor(int porta)
    {
        dmGlobal->SetParametro("ATEMAILSERVIDOR", "127.0.0.1");
        dmGlobal->SetParametro("ATEMAILPORTA", QString::number(porta));
    }
    QString enviado(int item) { return one(QString("select AOITEMAILENVIADO from AATC01AOIT where AOITCODIGO = %1").arg(item)).toString(); }
    QString bloco(int item)
    {
        return CR + QString("Item: Impressora %1").arg(item) + CR + QString("Nº Série: SN%1").arg(item) + CR +
               QString("Modelo: X-%1").arg(item) + CR + "Defeito Informado: Não liga" + CR +
               "Defeito Constatado: Fonte" + CR + "Laudo : Trocada a fonte" + CR + "Causa : Surto" + CR +
               "Solução : Fonte nova" + CR + "Situação: Situação 11" + CR + kTracos;
    }
};

TEST_F(EmailOS, TheCustomerAndTheContactsAreTheRecipients)
{
    contato(1, "compras@cliente.com");
    dialogos->answer("Sim", "Deseja enviar email?").acknowledge("caixa de saída");
    dmTec->OSEnviarEmailPorSituacao(7);   // no server: the message waits in the outbox
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_EQ(host::sentMails().first().recipients, "loja@cliente.com;compras@cliente.com");

    // A customer who declines messages: the contacts only.
    host::clearSentMails();
    contato(2, "financeiro@cliente.com");
    exec("update AUGC0301 set CLENVIOMENSAGEM = 'N' where CODIGO_CLIENTE = '00001'");
    exec("update AATC01AOIT set AOITEMAILENVIADO = null where AOITCODIGO = 1");
    dialogos->answer("Sim", "Deseja enviar email?").acknowledge("caixa de saída");
    dmTec->OSEnviarEmailPorSituacao(7);
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_EQ(host::sentMails().first().recipients, "compras@cliente.com;financeiro@cliente.com");
}

TEST_F(EmailOS, TheMessageReachesTheServerAndOnlyTheReportedItemIsMarked)
{
    testsupport::SmtpReceiver receptor;
    servidor(receptor.port());
    empresa("oficina@empresa.com", "www.oficina.com.br");
    CarregaOrdemServico(7);
    dialogos->answer("Sim", "Deseja enviar email?")
        .acknowledge("Email com informações da ordem de serviço enviado para cliente!");
    dmTec->OSEnviarEmailPorSituacao(7);

    const auto recebidas = receptor.messages();
    ASSERT_EQ(recebidas.size(), 1);
    EXPECT_EQ(recebidas.first().from, "oficina@empresa.com");
    EXPECT_EQ(recebidas.first().recipients, QStringList{"loja@cliente.com"});
    const QString corpo =
        "Informamos para seu controle a situação da Ordem de Serviço Nº 7" + CR + kTracos + CR +
        "Cliente: Loja Central" + CR + "Endereco: Rua A, 10" + CR + "Bairro: Centro" + CR + "Cidade: Campinas/SP" +
        CR + "Telefone: 1933334444" + CR + "Data de Entrada: 01/12/2026" + CR + "Hora de Entrada: 08:05:09" + CR +
        "Data de Saída: " + CR + "Hora de Saída: " + CR + "SITUAÇÃO: Situação 10" + CR + "Técnico: JOSE" + CR +
        "Defeito Constatado: Placa queimada" + CR + bloco(1) + CR + "Acesse www.oficina.com.br para ter mais informações!";
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_EQ(host::sentMails().first().body, corpo);
    EXPECT_EQ(host::sentMails().first().subject, "Informação sobre Ordem de Serviço");
    EXPECT_EQ(recebidas.first().textBody(), QString(corpo).replace(CR, "\r\n"));
    EXPECT_EQ(enviado(1), "S");
    EXPECT_EQ(enviado(2), "S");
    EXPECT_EQ(enviado(3), "");
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITEMAILENVIADO")->asString(), "S");   // re-read

    // Everything reported: the next save sends nothing.
    host::clearSentMails();
    dmTec->OSEnviarEmailPorSituacao(7);
    EXPECT_TRUE(host::sentMails().isEmpty());
}

TEST_F(EmailOS, TheSenderIsTheSecondLineOfCfgEmailOrTheCompanyAddress)
{
    cfgEmail({"smtp.antigo", "   ", "outra"});
    dialogos->answer("Sim").acknowledge("caixa de saída");
    dmTec->OSEnviarEmailPorSituacao(7);
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_EQ(host::sentMails().first().sender, "oficina@empresa.com");

    host::clearSentMails();
    cfgEmail({"smtp.antigo", "atendimento@empresa.com"});
    exec("update AATC01AOIT set AOITEMAILENVIADO = null where AOITCODIGO = 1");
    dialogos->answer("Sim").acknowledge("caixa de saída");
    dmTec->OSEnviarEmailPorSituacao(7);
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_EQ(host::sentMails().first().sender, "atendimento@empresa.com");
}

// Declined, nothing is written or marked. A server that refuses leaves the
// message in the outbox: the user is told why and where, the items count as
// reported, and the next save writes no second message.
TEST_F(EmailOS, ItemsStayUnmarkedWhenDeclinedAndAMessageInTheOutboxIsWrittenOnce)
{
    dialogos->answer("Não", "Deseja enviar email?");
    dmTec->OSEnviarEmailPorSituacao(7);
    EXPECT_TRUE(host::sentMails().isEmpty());
    EXPECT_EQ(enviado(1), "");

    testsupport::SmtpReceiver recusa(true);   // the server takes no recipient
    servidor(recusa.port());
    dialogos->answer("Sim").acknowledge("o servidor de e-mail 127.0.0.1 falhou");
    dmTec->OSEnviarEmailPorSituacao(7);
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_FALSE(host::sentMails().first().sent);
    const QString arquivo = host::sentMails().first().outboxFile;
    EXPECT_TRUE(QFile::exists(arquivo));
    EXPECT_TRUE(dialogos->texts().last().endsWith(QDir::toNativeSeparators(arquivo))) << dialogos->texts().last().toStdString();
    EXPECT_EQ(enviado(1), "S");
    dmTec->OSEnviarEmailPorSituacao(7);
    EXPECT_EQ(host::sentMails().size(), 1) << "written once";
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(EmailOS, SilentStopsAndTheCompanyAddressRequired)
{
    // The order's situation is not reported by e-mail.
    exec("update AATC01AO set ASCODIGO = 12 where AOCODIGO = 7");
    dmTec->OSEnviarEmailPorSituacao(7);
    exec("update AATC01AO set ASCODIGO = 10 where AOCODIGO = 7");
    // No item left to report.
    exec("update AATC01AOIT set AOITEMAILENVIADO = 'S' where AOITCODIGO = 1");
    dmTec->OSEnviarEmailPorSituacao(7);
    exec("update AATC01AOIT set AOITEMAILENVIADO = 'N' where AOITCODIGO = 1");
    // No recipient.
    exec("update AUGC0301 set EMAIL = null where CODIGO_CLIENTE = '00001'");
    dmTec->OSEnviarEmailPorSituacao(7);
    EXPECT_TRUE(dialogos->texts().isEmpty());
    EXPECT_TRUE(host::sentMails().isEmpty());

    exec("update AUGC0301 set EMAIL = 'loja@cliente.com' where CODIGO_CLIENTE = '00001'");
    empresa("  ", "");
    dialogos->acknowledge("Empresa não possui e-mail válido para envio da mensagem! Ver em Outros > Dados da "
                          "Empresa.");
    EXPECT_THROW(dmTec->OSEnviarEmailPorSituacao(7), host::Abort);
    EXPECT_TRUE(host::sentMails().isEmpty());
}

TEST_F(EmailOS, TheContactPickerListsTheCustomersContacts)
{
    QTemporaryDir layouts;
    host::ui::Layouts::setFolder(layouts.path());
    contato(1, "compras@cliente.com");
    contato(2, "financeiro@cliente.com");
    exec("insert into AUGC3701 (ANCODIGO, ANNOME, ANTIPO, ANVINCULOCATEGORIA, ANVINCULOCODIGO, ANEMAIL)"
         " values (3, 'De outro', 'G', 'C', '00002', 'x@y.com')");
    QStringList nomes;
    dialogos->modal("fmPesquisa", [&](host::ui::Form& form) {
        auto& janela = static_cast<TfmPesquisa&>(form);
        auto* dados = janela.dataSource()->dataset();
        for (dados->first(); !dados->eof(); dados->next())
            nomes << dados->fieldByName("ANNOME")->asString();
        dados->locate("ANNOME", "Contato 2");
        QTest::keyClick(janela.grid(), Qt::Key_Return);
    });
    dmTec->EnviarMensagemContatoCliente("00001", {});
    EXPECT_EQ(nomes, (QStringList{"Contato 1", "Contato 2"}));
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_FALSE(fmPesquisa);
    dialogos->modal("fmPesquisa", [](host::ui::Form& form) {   // another customer's: none, and cancelled
        EXPECT_EQ(static_cast<TfmPesquisa&>(form).dataSource()->dataset()->recordCount(), 0);
    });
    EXPECT_EQ(AbreContato("C", "00009", nullptr, true, true), "");

    const auto mostrados = dialogos->shown().size();
    dmTec->EnviarMensagemContatoCliente("", {});   // no customer: no picker
    EXPECT_EQ(dialogos->shown().size(), mostrados);
    host::ui::Layouts::setFolder({});
}

}  // namespace
}  // namespace tectest
