// An order window asked for on the command line (--janela
// "fmAssOrdemServico;N") opens that order, or says the order does not
// exist and opens nothing.

#include "tests/module/ModuleFixture.h"

#include "app/JanelasPedidas.h"
#include "data/uDataTec.h"
#include "host/schema/HostSchema.h"
#include "host/ui/WindowRegistry.h"
#include "module/uPackageAss.h"
#include "service_orders/uAssOrdemServico.h"

namespace moduletest {
namespace {

class JanelaPedidaOrdemTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
    }
};

TEST_F(JanelaPedidaOrdemTest, AnOrderThatDoesNotExistIsToldAndNoWindowOpens)
{
    ASSERT_EQ(one("select count(*) from AATC01AO where AOCODIGO = 9999").toInt(), 0);
    for (const char* pedido : {"fmAssOrdemServico;9999", "fmAssOrdemServico; 9999 ", "fmAssOrdemServico;99999999999"}) {
        SCOPED_TRACE(pedido);
        const QString numero = QString(pedido).section(';', 1).trimmed();
        dialogs->acknowledge(QString("--janela \"%1\": a ordem de serviço %2 não existe.").arg(pedido, numero));
        app::abrirJanelaPedida(pedido, &uPackageAss::ShowJanelaTec);
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(host::ui::WindowRegistry::find("fmAssOrdemServico"), nullptr) << "no empty order window";
    }

    app::abrirJanelaPedida("fmAssOrdemServico;42", &uPackageAss::ShowJanelaTec);
    ASSERT_NE(fmAssOrdemServico.get(), nullptr);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
}

}  // namespace
}  // namespace moduletest
