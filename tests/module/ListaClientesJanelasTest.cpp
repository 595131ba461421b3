// The windows with a customer field at a company's size: the service order,
// the rental contracts and the assistance order opened one after another
// read the same rows of the customer list and run the same statements with
// a hundred customers more as with a thousand; a letter typed into the
// customer combo still finds a customer past the rows read, and a customer
// renamed in the register shows its new name when the window comes back.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/UcadastroHost.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/WindowRegistry.h"
#include "rental/uAssContLocacao.h"
#include "rental/uAssVendas.h"
#include "service_orders/uAssOrdemServico.h"
#include "tests/support/TestDatabase.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <QTest>

#include <utility>
#include <vector>

namespace moduletest {
namespace {

class ListaClientesJanelasTest : public OrdemServicoEntradaTest {
protected:
    // Customers named to come before every other one in the list.
    void clientesAte(int total)
    {
        host::db::Statement insere(*dmGlobal->IBTransaction1,
                                   "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values (:C, :N)");
        for (; criados_ < total; ++criados_) {
            insere.setParam("C", QString("L%1").arg(criados_, 4, 10, QChar('0')));
            insere.setParam("N", QString("AAA Cliente %1").arg(criados_, 4, 10, QChar('0')));
            insere.execute();
        }
        dmGlobal->IBTransaction1->commitRetaining();
        dmGlobal->quClienteLista->close();   // read again by the next window
    }
    // The rows of the customer list read and the statements run to open the three windows.
    std::pair<int, int> abrirAsTres()
    {
        testsupport::StatementCounter instrucoes;
        abrir();
        abrirJanela(fmAssContLocacao, "fmAssContLocacao");
        abrirJanela(fmAssVendas, "fmAssVenda");
        return {dmGlobal->quClienteLista->fetchedCount(), instrucoes.count()};
    }
    static void fecharAsTres()
    {
        fmAssVendas->close();
        fmAssContLocacao->close();
        fmAssOrdemServico->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    int criados_ = 0;
};

TEST_F(ListaClientesJanelasTest, OpeningCostsTheSameWhateverTheCustomers)
{
    ordemComItem("Furadeira");
    abrirAsTres();   // what only a first opening does
    fecharAsTres();
    std::vector<std::pair<int, int>> custos;
    for (int clientes : {100, 1000}) {
        clientesAte(clientes);
        custos.push_back(abrirAsTres());
        fecharAsTres();
    }
    EXPECT_EQ(custos.front(), custos.back()) << "rows of the customer list read, statements";

    TfmAssOrdemServico& form = abrir();
    EXPECT_FALSE(form.dblcCliente->currentText().isEmpty()) << "the order's customer is shown";
    QTest::keyClicks(form.dblcCliente, "P");
    EXPECT_EQ(form.dblcCliente->currentText(), "Padaria Pão Quente Ltda.") << "past the thousand read first";
    EXPECT_EQ(dmTec->quOS->fieldByName("CLCODIGO")->asString(), "00002");

    // Renamed in the register, the customer is listed by its new name when the window comes back.
    dmTec->quOS->cancel();
    criarPrincipal();
    principal->AbrirCadastro("PF", "00005");
    auto* clientes = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastroPF"));
    ASSERT_NE(clientes, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(clientes));
    digita(clientes->controle("NOME"), "Maria Renomeada");
    clientes->bbSalvar->click();
    clientes->close();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_GE(form.dblcCliente->findText("Maria Renomeada"), 0);
}

}  // namespace
}  // namespace moduletest
