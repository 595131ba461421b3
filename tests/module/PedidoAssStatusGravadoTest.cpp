// What an assistance order's status, money fields and back-order store: a
// status another desk got to first is neither logged nor moves anything, a
// negative supplies value is refused, a back-order is worth its own lines
// and is delivered through the checkout, and the order window opened on a
// back-order from the list shows the back-order's lines.

#include "tests/module/CheckoutFixture.h"

#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssVendas.h"

#include "data/uDataTec.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"

#include <QAction>
#include <QComboBox>
#include <QPushButton>

namespace moduletest {
namespace {

using PedidoAssStatusGravadoTest = CheckoutTest;

// Desk A asks for a status; while its question is open, desk B changes the
// order's status; A's "Sim" is refused. A then saves a note on the order
// (a commit of its own): still no log row, no equipment moved, no serial.
TEST_F(PedidoAssStatusGravadoTest, AStatusRefusedBecauseAnotherDeskGotThereFirstIsNeitherLoggedNorMoved)
{
    const struct {
        const char *numero, *modo, *status, *pergunta, *statusOutraMesa;
        QPushButton* TfmAssCheckout::*botao;
    } casos[] = {
        {"00651", "E", "", "Confirma Checkout dos Equipamentos?", "N", &TfmAssCheckout::btConfirmarCheckout},
        {"00652", "C", "C", "Confirme a liberação do Pedido", "", &TfmAssCheckout::bbLiberaFaturamento},
        {"00653", "C", "L", "Confirme a Saída do(s) Equipamento(s)", "", &TfmAssCheckout::bbSaidaEquipamentos},
    };
    exec("insert into ACEC1401 (CODIGO, DESCRICAO, LESTATUSPEDIDO) values ('L13', 'Em produção', '3')");
    exec("update ACEC1101 set LOCALIZACAO = 'L14' where CODIGO = 'P0001'");
    tr().commitRetaining();
    for (const auto& caso : casos) {
        parametro("ATMODOPEDIDOASSISTENCIA", caso.modo);
        pedido(caso.numero, "1", caso.status);
        linha(caso.numero, 1, 1, 1);
        exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, VECODIGO, OPCODIGO) values"
                     " ((select coalesce(max(NSCODIGO), 0) + 1 from AUGC50NS), 'SN-1', 'P0001', '%1', '%1')")
                 .arg(caso.numero));
        tr().commitRetaining();
        TfmAssCheckout& form = abrirCheckout(caso.numero);
        const QString numero = caso.numero;
        const QString outro = caso.statusOutraMesa;
        dialogs->answer("Sim", caso.pergunta)
            .meanwhile([this, numero, outro] {
                outraMesa("update AVEC8501 set IMPRESSO_NF = '" + outro + "' where NUMERO_PEDIDO = '" + numero + "'");
            })
            .acknowledge("alterado por outro usuário");
        QTest::mouseClick(form.*caso.botao, Qt::LeftButton);
        EXPECT_EQ(dialogs->pending(), 0) << caso.numero << ": " << dialogs->texts().join(" # ").toStdString();
        form.close();

        TfmAssVendas& venda = abrir();
        CarregaPedidoAssVenda(caso.numero, {});
        digita(venda.dbedObsEntrega, "Portaria 2");
        venda.bbSalvar->click();
        EXPECT_EQ(lido("select coalesce(IMPRESSO_NF, '') || '|' || VEOBSENTREGA from AVEC8501 where NUMERO_PEDIDO = '" +
                       numero + "'")
                      .toString(),
                  outro + "|Portaria 2")
            << caso.numero;
        EXPECT_EQ(lido("select count(*) from ARQLOG where OBSERVACAO = '" + numero + "'").toInt(), 0) << caso.numero;
        EXPECT_EQ(lido("select LOCALIZACAO from ACEC1101 where CODIGO = 'P0001'").toString(), "L14") << caso.numero;
        EXPECT_EQ(lido("select count(*) from AUGC50NS where VECODIGO = '" + numero + "'").toInt(), 1) << caso.numero;
        fechar(venda);
    }
}

// A clerk under "no price below the product's" types a negative supplies
// value: refused where typed, the order's total kept.
TEST_F(PedidoAssStatusGravadoTest, ANegativeSuppliesValueIsRefusedWhereTyped)
{
    parametro("ATREGRAVALORITEM", "M");
    pedido("00654", "1");
    entrarComo("MARIA");
    TfmAssVendas& venda = abrir();
    CarregaPedidoAssVenda("00654", {});
    aba(venda.pcPedido, venda.tsDadosAdicionais);
    // Told where typed, and again by the save that meets it.
    dialogs->acknowledge("Valor: informe um valor maior ou igual a zero.")
        .acknowledge("Valor: informe um valor maior ou igual a zero.");
    digita(venda.dbedValorSuprimentos, "-100,00");
    venda.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(lido("select cast(coalesce(VEVALORSUPRIMENTOS, 0) * 100 as integer) || '|' ||"
                   " cast(VALOR_TOTAL * 100 as integer) from AVEC8501 where NUMERO_PEDIDO = '00654'")
                  .toString(),
              "0|123450");
    dialogs->answer("Não", "Deseja salvar as alterações ?");
    fechar(venda);
}

// Order 00661: 3 × P0001 at 300,00 requested, two configured and one on
// back-order 00662. The contract of 00661 bills the two it delivers; the
// back-order, listed at the checkout, is checked out and released for its
// own one; and opened from the list over 00661's window it shows its own
// lines.
class PedidoAssPendenciaEntregaTest : public CheckoutTest {
protected:
    void SetUp() override
    {
        CheckoutTest::SetUp();
        parametro("ATMODOPEDIDOASSISTENCIA", "E");
        pedido("00661", "1");
        pedido("00662", "1", "P");
        exec("update AVEC8501 set VALOR_TOTAL = 900, VECODIGOPENDENCIA = '00662' where NUMERO_PEDIDO = '00661'");
        exec("update AVEC8501 set VALOR_TOTAL = 300, VEPROPOSTA = '00661' where NUMERO_PEDIDO = '00662'");
        exec("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT) values"
             " ('00661', 1, 'P0001', 3, 300, 900)");
        exec("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT) values"
             " ('00662', 1, 'P0001', 1, 300, 300)");
        exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT) values"
             " ('00661', 1, 'P0001', 2, 300, 600)");
        exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT, VECODIGOPENDENCIA)"
             " values ('00661', 2, 'P0001', 1, 300, 300, '00662')");
        tr().commitRetaining();
    }
    // The checkout confirmed and released: the contract made.
    void liberar(const QString& numero)
    {
        TfmAssCheckout& form = abrirCheckout(numero);
        EXPECT_TRUE(form.btConfirmarCheckout->isEnabled()) << numero.toStdString();
        dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?").acknowledge("Checkout Finalizado com Sucesso!");
        QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
        dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?").acknowledge("gerado com sucesso!");
        QTest::mouseClick(form.bbLiberaFaturamento, Qt::LeftButton);
        EXPECT_EQ(dialogs->pending(), 0) << numero.toStdString() << dialogs->texts().join(" # ").toStdString();
        form.close();
    }
    QString valorContrato(const QString& numero)
    {
        return lido("select cast(ACVALOR * 100 as integer) || '|' || cast(ACVALORPARCELA * 100 as integer)"
                    " from AATC05AC where ACPEDIDO = '" + numero + "'")
            .toString();
    }
};

TEST_F(PedidoAssPendenciaEntregaTest, EachOrderBillsWhatItDeliversAndTheBackOrderIsCheckedOut)
{
    liberar("00661");
    EXPECT_EQ(valorContrato("00661"), "60000|60000") << "2 × 300,00 delivered, the third is the back-order's";

    TfmAssCheckoutConsulta& lista = abrirLista();
    lista.cbStatus->setCurrentText("Pendência Pedido");
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00662")) << "the back-order is listed";
    EXPECT_EQ(lista.quConsulta->fieldByName("IMPRESSO_NF")->displayText(), "Pendência Pedido");
    lista.close();

    // Its goods arrived: configured, checked out and released.
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT) values"
         " ('00662', 1, 'P0001', 1, 300, 300)");
    tr().commitRetaining();
    liberar("00662");
    EXPECT_EQ(valorContrato("00662"), "30000|30000");
}

TEST_F(PedidoAssPendenciaEntregaTest, TheBackOrderOpenedFromTheListShowsItsOwnLines)
{
    TfmAssVendas& venda = abrir();
    CarregaPedidoAssVenda("00661", {});
    aba(venda.pcPedido, venda.tsEquipConfigurados);
    ASSERT_EQ(dmTec->quAssVendaCotado->recordCount(), 2);

    TfmAssCheckoutConsulta& lista = abrirLista();
    lista.cbStatus->setCurrentText("Todos");
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00661"));
    lista.miAbrirPedidoPendencia->trigger();
    EXPECT_EQ(cab("NUMERO_PEDIDO").asString(), "00662");
    EXPECT_TRUE(dmTec->quAssVendaCotado->isEmpty()) << "no line of 00661 under 00662's header";
    lista.close();
    fechar(venda);
}

}  // namespace
}  // namespace moduletest
