// The status e-mail on a new installation, set up through the windows: the
// items, without a situation of their own, tell the order's; no mail server,
// so the message waits in the outbox.

#include "tests/module/PrimeiroUsoFixture.h"

#include "host/Uglobal.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssSituacao.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class PrimeiroUsoEmailSituacaoTest : public PrimeiroUsoTest {
protected:
    // The register's row of the situation clicked, "Email de Aviso" set to "Sim", saved.
    void avisoPorEmail(const QString& descricao)
    {
        TfmAssSituacao& registro = abrirJanela(fmAssSituacao, "fmAssSituacao");
        host::ui::DataGrid* grade = registro.dbgdSituacao;
        const int coluna = grade->columnByField("ASDESCRICAO")->index();
        const QModelIndexList achados = grade->model()->match(grade->model()->index(0, coluna), Qt::DisplayRole,
                                                              descricao, 1, Qt::MatchExactly);
        ASSERT_EQ(achados.size(), 1) << descricao.toStdString();
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(achados[0]).center());
        const int sim = registro.dbcbEmail->findText("Sim");
        registro.dbcbEmail->setCurrentIndex(sim);
        emit registro.dbcbEmail->activated(sim);
        registro.bbSalvar->click();
        registro.close();
    }
};

TEST_F(PrimeiroUsoEmailSituacaoTest, AnOrderMovedToASituationMarkedForTheEmailTellsTheCustomer)
{
    host::clearSentMails();
    parametroNaJanela("ATMODOOS", "E");
    avisoPorEmail("Em execução");
    ASSERT_EQ(lido("select ASEMAIL from AATC01AS where ASCODIGO = 4"), QStringList{"S"});

    TfmAssOrdemServico& ordem = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;42");
    ordem.dblcSituacao->setKeyValue(4);
    dialogs->answer("Sim", "Deseja enviar email?").acknowledge("não enviado");
    ordem.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    ASSERT_EQ(host::sentMails().size(), 1) << vistos();
    const host::SentMail& mensagem = host::sentMails()[0];
    EXPECT_EQ(mensagem.recipients, "compras@paoquente.com.br");
    EXPECT_TRUE(mensagem.body.contains("SITUAÇÃO: Em execução")) << mensagem.body.toStdString();
    EXPECT_TRUE(mensagem.body.contains("Situação: Em execução")) << "the item's block";
    // No mail server: the user is told where the message waits, and it is written once.
    EXPECT_TRUE(QFile::exists(mensagem.outboxFile)) << mensagem.outboxFile.toStdString();
    EXPECT_TRUE(dialogs->texts().last().contains("nenhum servidor de e-mail configurado")) << vistos();
    EXPECT_TRUE(dialogs->texts().last().endsWith(QDir::toNativeSeparators(mensagem.outboxFile))) << vistos();
    EXPECT_EQ(lido("select distinct AOITEMAILENVIADO from AATC01AOIT where AOCODIGO = 42"), QStringList{"S"});
    ordem.bbSalvar->click();
    EXPECT_EQ(host::sentMails().size(), 1) << vistos();
    EXPECT_EQ(QDir(QFileInfo(mensagem.outboxFile).path()).entryList({"*.eml"}).size(), 1);
}

}  // namespace
}  // namespace moduletest
