// A sale from the service-order window ("Venda > 1)Venda") that would put no
// line into the sales order is refused before any order is made: the order
// stays open and no empty sales order is left, in the modes where the lines
// the sale takes are not simply the chargeable ones.

#include "tests/module/OrdemServicoPedidoVendaFixture.h"

#include <QPushButton>

namespace moduletest {
namespace {

class NadaAVenderTest : public OrdemServicoPedidoTest {
protected:
    // "Venda > 1)Venda" as the user chooses it, expecting the refusal.
    void venderRecusado(TfmAssOrdemServico& form)
    {
        dialogs->answer("1)Venda", kMenuDocumentosVenda);
        dialogs->acknowledge("A O.S. não possui serviços e/ou peças para geração de Pedido de Venda!");
        form.bbPedidoVenda->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(lido("select count(*) from AVEC8501"), QStringList{"0"}) << "no sales order of no line";
        EXPECT_EQ(lido("select AOBAIXA || coalesce(VECODIGO, '-') from AATC01AO where AOCODIGO = 42"),
                  QStringList{"A-"});
    }
    void vender(TfmAssOrdemServico& form)
    {
        dialogs->answer("1)Venda", kMenuDocumentosVenda);
        dialogs->acknowledge("Operação efetuada com sucesso!");
        dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
        form.bbPedidoVenda->click();
        EXPECT_EQ(dialogs->pending(), 0);
    }
    QStringList linhasVendidas()
    {
        return lido("select it.CODIGO || ' ' || cast(it.QUANTIDADE as numeric(9,2)) from AVEC85IT it"
                    " join AVEC8501 pv on pv.NUMERO_PEDIDO = it.NUMERO_PEDIDO where pv.AOCODIGO = 42");
    }
};

// One line of the services' total: a free service makes no line.
TEST_F(NadaAVenderTest, AFreeServiceInTheTotalLineModeIsNothingToSell)
{
    parametro("ATPEDIDOTOTALSERVICOPECA", "S");
    servico(1, 60, 0, 0);
    TfmAssOrdemServico& form = abrir();
    venderRecusado(form);

    exec("update AATC01AA set AAVALOR = 80, AAVALORTOTAL = 80 where AOCODIGO = 42");
    dmTec->quOS->refresh();
    vender(form);
    EXPECT_EQ(linhasVendidas(), QStringList{"SRV01 1.00"});
}

// Company mode "V" sells the parts by their requested quantity: a part
// without it is not sold, so it alone is nothing to sell.
TEST_F(NadaAVenderTest, APartWithoutRequestedQuantityInCompanyModeVIsNothingToSell)
{
    parametro("ATMODOEMPRESA", "V");
    parametro("ATQUANTIDADEREQUERIDA", "S");
    peca(1, 2, 10);
    TfmAssOrdemServico& form = abrir();
    venderRecusado(form);

    exec("update AATC01AP set APQUANTIDADEREQUERIDA = 3 where AOCODIGO = 42");
    dmTec->quOS->refresh();
    vender(form);
    EXPECT_EQ(linhasVendidas(), QStringList{"PEC01 3.00"});
}

// The parts question is asked once, before the order, and its answer is the
// one the lines are sold by.
TEST_F(NadaAVenderTest, TheAnswerToTheRequestedQuantityQuestionDecidesBothWhetherAndWhat)
{
    parametro("ATQUANTIDADEREQUERIDA", "S");
    peca(1, 2, 10);
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("1)Venda", kMenuDocumentosVenda);
    dialogs->answer("Requerida", "Deseja inserir a Quantidade ou Quantidade Requerida das Peças?");
    dialogs->acknowledge("A O.S. não possui serviços e/ou peças para geração de Pedido de Venda!");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select count(*) from AVEC8501"), QStringList{"0"});

    dialogs->answer("1)Venda", kMenuDocumentosVenda);
    dialogs->answer("Quantidade", "Deseja inserir a Quantidade ou Quantidade Requerida das Peças?");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(linhasVendidas(), QStringList{"PEC01 2.00"});
}

}  // namespace
}  // namespace moduletest
