// The budget e-mail of an order on a new installation whose company data
// and mail server were set in "Sistema > Parâmetros": the message goes from
// the company's address as changed there, with a body.

#include "tests/module/PrimeiroUsoFixture.h"

#include "host/Uglobal.h"
#include "host/Uparametros.h"
#include "host/Uprincipal.h"
#include "host/ui/WindowRegistry.h"
#include "module/uPackageAss.h"
#include "service_orders/uAssOrdemServico.h"
#include "tests/support/SmtpReceiver.h"

#include <QDir>
#include <QPushButton>
#include <QTableWidget>

namespace moduletest {
namespace {

class PrimeiroUsoEmailOrcamentoTest : public PrimeiroUsoTest {
protected:
    static void muda(QTableWidget* grade, const QString& nome, const QString& valor)
    {
        for (int linha = 0; linha < grade->rowCount(); ++linha)
            if (grade->item(linha, 0)->text() == nome) {
                grade->item(linha, 1)->setText(valor);
                return;
            }
        ADD_FAILURE() << nome.toStdString();
    }
    // "Sistema > Parâmetros": the company's address and the mail server.
    void configurar(int porta)
    {
        principal->miParametros->click();
        TfmParametros* parametros = nullptr;
        for (host::ui::Form* form : host::ui::WindowRegistry::forms())
            if (auto* aberta = qobject_cast<TfmParametros*>(form))
                parametros = aberta;
        ASSERT_NE(parametros, nullptr);
        muda(parametros->grdEmpresa, "E-mail", "orcamentos@oficinanova.com.br");
        muda(parametros->grdParametros, "ATEMAILSERVIDOR", "127.0.0.1");
        muda(parametros->grdParametros, "ATEMAILPORTA", QString::number(porta));
        parametros->bbSalvar->click();
        parametros->close();
    }
};

TEST_F(PrimeiroUsoEmailOrcamentoTest, TheBudgetMailGoesFromTheCompanysNewAddressWithABody)
{
    testsupport::SmtpReceiver smtp;
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    TfmAssOrdemServico* form = fmAssOrdemServico.get();
    ASSERT_NE(form, nullptr);
    // Set while the order's window is open.
    configurar(smtp.port());
    form->activateWindow();
    dialogs->answer("Sim", "Tem certeza de que deseja enviar email para cliente?");
    form->sbEnviarEmail->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const QList<testsupport::SmtpMessage> enviadas = smtp.messages();
    ASSERT_EQ(enviadas.size(), 1);
    EXPECT_EQ(enviadas[0].from, "orcamentos@oficinanova.com.br");
    EXPECT_EQ(enviadas[0].recipients, QStringList{"compras@paoquente.com.br"});
    EXPECT_FALSE(enviadas[0].textBody().trimmed().isEmpty()) << enviadas[0].data.toStdString();
}

// With the installation's default (no mail server) the user is told where the message waits.
TEST_F(PrimeiroUsoEmailOrcamentoTest, WithoutAMailServerTheBudgetMailIsSaidToWaitInTheOutbox)
{
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    TfmAssOrdemServico* form = fmAssOrdemServico.get();
    ASSERT_NE(form, nullptr);
    dialogs->answer("Sim", "Tem certeza de que deseja enviar email para cliente?")
        .acknowledge("nenhum servidor de e-mail configurado");
    form->sbEnviarEmail->click();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    ASSERT_EQ(host::sentMails().size(), 1);
    EXPECT_TRUE(dialogs->texts().last().endsWith(QDir::toNativeSeparators(host::sentMails().last().outboxFile)))
        << vistos();
}

}  // namespace
}  // namespace moduletest
