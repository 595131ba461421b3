// An order billed in "Faturamento de OS" while its own window stays open:
// the window shows it billed and its sale goes through at the first press,
// the billing being this desk's own change, not another user's.

#include "tests/module/OrdemServicoPedidoVendaFixture.h"

#include "host/Upesq.h"
#include "service_orders/uAssFaturamento.h"

#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class FaturadaComJanelaAbertaTest : public OrdemServicoPedidoTest {
protected:
    void SetUp() override
    {
        OrdemServicoPedidoTest::SetUp();
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5949', 'Outras saídas', '2')");
        exec("insert into AUGC0901 (CODIGO_BANCO, NOME_BANCO, NUMERO_DO_BANCO) values ('341', 'Itaú', '341')");
        exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (0, 'Nenhuma', 'N', 'A')");
        servico(1, 60, 100, 100);
        exec("update AATC01AO set AODATASAIDA = '2026-11-10', AOVALORTOTAL = 100 where AOCODIGO = 42");
        tr().commitRetaining();
    }
    void escolhe(const QString& coluna, const QVariant& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](host::ui::Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toString().toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
};

TEST_F(FaturadaComJanelaAbertaTest, TheSaleAfterTheBillingGoesThroughAtTheFirstPress)
{
    TfmAssOrdemServico& form = abrir();
    TfmAssFaturamento& faturamento = abrirJanela(fmAssFaturamento, "fmAssFaturamento");
    faturamento.bbPesquisar->click();
    ASSERT_TRUE(faturamento.quRegEnc->locate("AOCODIGO", 42));
    faturamento.dbgdAssFaturamentoPesq->onDblClick();
    escolhe("CODIGO", "01");
    escolhe("CODIGO_BANCO", "341");
    escolhe("ASCODIGO", 0);
    dialogs->acknowledge("Documento gerado");
    faturamento.bbGera->click();
    ASSERT_EQ(dialogs->pending(), 0);
    const QString documento = committed("select CRDOCUMENTO from AATC01AO where AOCODIGO = 42").toString();
    ASSERT_FALSE(documento.isEmpty());

    form.activateWindow();
    dialogs->answer("1)Venda", kMenuDocumentosVenda);
    dialogs->acknowledge("Operação efetuada com sucesso!");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select count(*) from AVEC8501 where AOCODIGO = 42"), QStringList{"1"});
    EXPECT_EQ(lido("select AOBAIXA || '|' || CRDOCUMENTO from AATC01AO where AOCODIGO = 42"),
              QStringList{"S|" + documento})
        << "the sale keeps the billing";
}

}  // namespace
}  // namespace moduletest
