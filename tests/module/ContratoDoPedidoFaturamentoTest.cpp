// The rental contract an order becomes, on either road (the order's
// "&Finalizar" after the checkout's release, or the release itself when
// orders make contracts), is a principal contract: once forecast, its
// instalment is listed in the rental billing like any other.

#include "tests/module/CheckoutFixture.h"

#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/EditControls.h"
#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssVendas.h"

#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class ContratoDoPedidoFaturamentoTest : public CheckoutTest {
protected:
    // The order's checkout confirmed and its billing released; under the
    // mode that makes contracts at the release the contract is made there,
    // otherwise by "&Finalizar" on the order window. The contract's code.
    int contratoDoPedido(const QString& numero, bool naLiberacao)
    {
        TfmAssCheckout& checkout = abrirCheckout(numero);
        dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?");
        QTest::mouseClick(checkout.btConfirmarCheckout, Qt::LeftButton);
        if (naLiberacao) {
            dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?");
            QTest::mouseClick(checkout.bbLiberaFaturamento, Qt::LeftButton);
        } else {
            dialogs->answer("Sim", "Confirme a liberação do Pedido \"" + numero + "\" ?");
            QTest::mouseClick(checkout.bbLiberaFaturamento, Qt::LeftButton);
            checkout.close();
            TfmAssVendas& venda = abrir();
            CarregaPedidoAssVenda(numero, {});
            dialogs->answer("Sim", "Confirma a geração Contrato?");
            QTest::mouseClick(venda.bbFinalizar, Qt::LeftButton);
            fechar(venda);
        }
        EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
        return lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'").toInt();
    }
};

TEST_F(ContratoDoPedidoFaturamentoTest, TheContractAnOrderBecomesIsListedForBillingOnEitherRoad)
{
    const QDate vencimento(2027, 1, 10);
    int documento = 0;
    dialogs->setAutoAcknowledgeMessages(true);
    for (const char* modo : {"", "E"}) {
        SCOPED_TRACE(modo);
        parametro("ATMODOPEDIDOASSISTENCIA", modo);
        const QString numero = QString("0081") + (*modo ? "E" : "0");
        pedido(numero, "1");
        linha(numero, 1, 1, 1);
        const int contrato = contratoDoPedido(numero, *modo == 'E');
        ASSERT_GT(contrato, 0) << dialogs->texts().join(" | ").toStdString();
        EXPECT_EQ(lido("select ACVINCULO from AATC05AC where ACCODIGO = " + QString::number(contrato)).toString(), "P");

        // Its first month forecast, as "Gerar Previsão" leaves it.
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO)"
                     " values ('PV%1', '00004', 1, '01', 'V', 1234.5, '2026-12-01', '2027-01-10', %2)")
                 .arg(++documento).arg(contrato));
        tr().commitRetaining();

        TfmAssContFatLocEquip& faturamento = abrirJanela(fmAssContFatLocEquip, "fmAssContFatLocEquip");
        digita(faturamento.edCodCliente, "00004");
        faturamento.deDataIni->setDate(QDateTime(vencimento, QTime(0, 0)));
        faturamento.deDataFin->setDate(QDateTime(vencimento, QTime(0, 0)));
        faturamento.bbPesquisar->click();
        EXPECT_TRUE(faturamento.quConsulta->locate("ACCODIGO", contrato)) << dialogs->texts().join(" | ").toStdString();
        faturamento.close();
    }
}

}  // namespace
}  // namespace moduletest
