// The roads a new user walks on the demonstration company, with the options
// it is made with: none is refused for want of data (a contact, a bank, an
// operation's type, the label layout).

#include "tests/module/ContLocFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/schema/HostParameters.h"
#include "host/schema/HostSchema.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/ScriptedDialogs.h"
#include "module/uPackageAss.h"
#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssVendas.h"
#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>

namespace moduletest {
namespace {

class DemonstracaoCaminhosTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate::currentDate()));
        // The options as a new installation has them.
        for (const auto& p : host::schema::parameterDefaults())
            if (QLatin1String(p.name) == "ATOPCAOCONTRATO" || QLatin1String(p.name) == "ATUTILIZACONTRATOS")
                parametro(p.name, p.value);
        dialogs->setAutoAcknowledgeMessages(true);
    }
    // The texts of the messages shown so far.
    QStringList mensagens() const { return dialogs->texts(); }
};

TEST_F(DemonstracaoCaminhosTest, AnAssistanceOrderOfADemonstrationCustomerIsSavedWithItsContacts)
{
    TfmAssVendas& form = abrirJanela(fmAssVendas, "fmAssVenda");
    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    form.bbNovo->click();
    form.dblcCliente->setKeyValue("00004");
    ASSERT_EQ(form.dblcContato->count(), 2) << "the customer's contacts";
    form.dblcContato->setKeyValue(5);
    form.dblcContatoEntrega->setKeyValue(5);
    form.dblcContatoCobranca->setKeyValue(6);
    form.bbSalvar->click();
    EXPECT_FALSE(mensagens().contains("Não Foi Possível Salvar Pedido.")) << mensagens().join('|').toStdString();
    const QString numero = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
    EXPECT_EQ(lido("select ANCODIGOCOBRANCA from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'"),
              QStringList{"6"});
    guardaFoto(form, "fmAssVenda_demonstracao.png");
}

// Order 42 sold as a new user sells it: its operation chosen, saved, then
// "Venda" > "1)Venda": the sales order carries the order's lines.
TEST_F(DemonstracaoCaminhosTest, DemonstrationOrder42BecomesASalesOrderWithItsLines)
{
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    TfmAssOrdemServico* form = fmAssOrdemServico.get();
    ASSERT_NE(form, nullptr);
    form->dblcOperacao->setKeyValue("5102");
    form->bbSalvar->click();
    dialogs->answer("1)Venda", "1)Pedido de Venda");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    form->bbPedidoVenda->click();
    const QStringList pedido = lido("select VECODIGO from AATC01AO where AOCODIGO = 42");
    ASSERT_EQ(pedido.size(), 1);
    ASSERT_FALSE(pedido.first().trimmed().isEmpty()) << mensagens().join('|').toStdString();
    const QString onde = " where NUMERO_PEDIDO = '" + pedido.first() + "'";
    EXPECT_EQ(lido("select trim(CODIGO) from AVEC85IT" + onde + " order by CODIGO"),
              (QStringList{"P0005", "S0001", "S0003"}));
    EXPECT_EQ(lido("select AOBAIXA from AATC01AO where AOCODIGO = 42"), QStringList{"S"});
}

TEST_F(DemonstracaoCaminhosTest, TheRentalContractsForecastsAreBilledThroughTheirBank)
{
    TfmAssContFatLocEquip& form = abrirJanela(fmAssContFatLocEquip, "fmAssContFatLocEquip");
    form.bbPesquisar->click();
    ASSERT_TRUE(form.quConsulta->locate("ACCODIGO", 3)) << "the rental contract's forecasts are listed";
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    form.bbGerar->click();
    EXPECT_FALSE(mensagens().join('|').contains("Código Banco não informado!")) << mensagens().join('|').toStdString();
    EXPECT_EQ(lido("select count(*) from ACRC50FB where FBBANCO = '001'").value(0).toInt() > 0, true);
    guardaFoto(form, "fmAssContFatLocEquip_demonstracao.png");
}

TEST_F(DemonstracaoCaminhosTest, TheOrderWindowOffersTheOperationsOfSaleAndService)
{
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
    TfmAssOrdemServico* form = fmAssOrdemServico.get();
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));   // the window loads the list as it comes forward
    QStringList operacoes;
    for (int i = 0; i < form->dblcOperacao->count(); ++i)
        operacoes << form->dblcOperacao->itemText(i);
    EXPECT_TRUE(operacoes.contains("Venda de mercadoria")) << operacoes.join('|').toStdString();
    EXPECT_TRUE(operacoes.contains("Prestação de serviço")) << operacoes.join('|').toStdString();
    EXPECT_FALSE(operacoes.contains("Devolução de venda")) << "an entry is no sale";
}

// Closing a rental line books its return in stock, reopening it books it
// out again, each under an operation of the demonstration company picked in
// the operations search.
TEST_F(DemonstracaoCaminhosTest, ClosingAndReopeningARentalLineBookTheirStockDocuments)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");   // lines closed and reopened move stock
    // The questions on the contract's forecasts (its value changes) are declined.
    dialogs.reset();
    dialogs = std::make_unique<host::ui::ScriptedDialogs>([](const QString&) {});
    dialogs->setAutoAcknowledgeMessages(true);
    TfmAssContCadLocEquip& form = abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
    CarregaContrato(3);
    aba(form, form.tsEquipamentos);
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", 5));
    dialogs->answer("Selecionado").enter("Devolvido ao fim da obra");
    pesquisa("COD_OP", "1949");
    QTest::mouseClick(form.laEncerrarEquipamento, Qt::LeftButton);
    aba(form, form.tsEquipamentosEncerrados);
    dialogs->answer("Sim", "Deseja Reabrir Equipamento Selecionado?");
    pesquisa("COD_OP", "5949");
    QTest::mouseClick(form.laReabrirEquip, Qt::LeftButton);
    EXPECT_FALSE(mensagens().join('|').contains("O tipo de operação é inválido!")) << mensagens().join('|').toStdString();
    EXPECT_EQ(dialogs->pending(), 0) << mensagens().join('|').toStdString();
    for (const QString& recusa : dialogs->failures())
        EXPECT_TRUE(recusa.contains("provisões")) << recusa.toStdString();
    EXPECT_EQ(lido("select OPERACAO_DOC || '|' || TIPO_DOC from ACEM1401 where OPERACAO_DOC in ('1949', '5949')"
                   " order by OPERACAO_DOC"),
              (QStringList{"1949|E", "5949|S"}));
}

}  // namespace
}  // namespace moduletest
