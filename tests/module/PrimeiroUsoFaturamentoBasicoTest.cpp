// "Faturamento dos Contratos" on the database the first start makes: a
// customer whose only contract is a monthly one of the contract register has
// nothing to bill there, and a basic contract is billed whatever code its
// other contracts have.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contracts/uAssBasicoContratosFaturamento.h"
#include "host/ui/EditControls.h"

#include <QDate>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class PrimeiroUsoFaturamentoBasicoTest : public PrimeiroUsoTest {
protected:
    TfmAssBasicoContratosFaturamento& pesquisa(const QString& cliente)
    {
        TfmAssBasicoContratosFaturamento& form =
            abrirJanela(fmAssBasicoContratosFaturamento, "fmAssContratosFaturamento");
        form.edCliente->setText(cliente);
        const QDate hoje = QDate::currentDate();
        digita(form.edDataInicial, QDate(hoje.year(), hoje.month(), 1).toString("dd/MM/yyyy"));
        digita(form.edDataFinal, hoje.toString("dd/MM/yyyy"));
        form.bbPesquisar->click();
        return form;
    }
    QStringList pedidos() const { return lido("select NUMERO_PEDIDO from AVEC8501 order by NUMERO_PEDIDO"); }
};

TEST_F(PrimeiroUsoFaturamentoBasicoTest, AMonthlyContractAloneIsNothingToBillItsMissingServiceCodeIsNamed)
{
    // Customer 00004's only contract is the monthly CT-2026-001 of the contract register.
    const QStringList antes = pedidos();
    TfmAssBasicoContratosFaturamento& form = pesquisa("00004");
    form.bbPedidoVenda->click();
    EXPECT_TRUE(dialogs->texts().contains(
        "Aviso: operação abortada.\nO contrato CT-2026-001 do cliente não tem \"Código no Cadastro Serviço\" para ser"
        " faturado como contrato básico: nada foi faturado."))
        << vistos();
    EXPECT_FALSE(dialogs->texts().contains("Operação efetuada com sucesso!")) << vistos();
    EXPECT_EQ(pedidos(), antes);
    EXPECT_EQ(lido("select count(*) from AATC05ACFA"), QStringList{"0"});
}

TEST_F(PrimeiroUsoFaturamentoBasicoTest, TheCustomersBasicContractIsBilledWhateverTheCodesOfItsOtherContracts)
{
    // A basic contract of the basic register, its code above the monthly one's.
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACVALOR, ACTIPOCONTRATO, ACLIMITE,"
         " ACLIMITEHORA, ACVALORCHAMADAEXCEDENTE, PRCODIGO, ACDATAIMPLANTACAO)"
         " values (40, 'B-40', 'Suporte', '00004', 500, 'Com Peça', 0, 2, 90, 'S0003', '2020-01-01')");
    TfmAssBasicoContratosFaturamento& form = pesquisa("00004");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    form.bbPedidoVenda->click();
    EXPECT_TRUE(dialogs->texts().contains("Operação efetuada com sucesso!")) << vistos();
    const QString pedido = lido("select max(NUMERO_PEDIDO) from AVEC8501").value(0);
    EXPECT_EQ(lido("select CODIGO || '|' || cast(VALOR * 100 as integer) from AVEC85IT where NUMERO_PEDIDO = '" +
                   pedido + "'"),
              QStringList{"S0003|50000"});
    EXPECT_EQ(lido("select ACCODIGO || '|' || NUMERO_PEDIDO from AATC05ACFA"), QStringList{"40|" + pedido});
}

}  // namespace
}  // namespace moduletest
