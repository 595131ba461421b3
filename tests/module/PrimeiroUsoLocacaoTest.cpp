// The assistance and rental roads a new user walks first on the
// demonstration company, as the first start leaves it and with the options
// it is made with: a proposal and an order saved with a line, the checkout
// of the demonstration order, the rental contract saved, its forecasts
// made, billed, renewed, and its equipment checked in. None meets a refusal
// that only the data causes.

#include "tests/module/PrimeiroUsoFixture.h"

#include "data/uDataTec.h"
#include "host/Uprincipal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"
#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssContRenovacao.h"
#include "rental/uAssEntradaEquip.h"
#include "rental/uAssVendas.h"

#include <QDateTime>
#include <QPlainTextEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class PrimeiroUsoLocacaoTest : public PrimeiroUsoTest {
protected:
    // A new proposal or order of customer 00004 with its contacts and a
    // requested line, saved; its number.
    QString novoPedido(TfmAssVendas& form, const QString& tipo)
    {
        dialogs->answer(tipo, "Deseja cadastrar um novo registro?");
        form.bbNovo->click();
        form.dblcCliente->setKeyValue("00004");
        form.dblcContato->setKeyValue(5);
        form.dblcContatoEntrega->setKeyValue(5);
        form.dblcContatoCobranca->setKeyValue(6);
        form.bbSalvar->click();
        const QString numero = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
        clicaAba(form.pcPedido, form.tsEquipSolicitados);
        novaLinhaNaGrade(form.dbgdAssVendaItens, "CODIGO", "L0001");
        form.bbSalvar->click();
        return numero;
    }
};

TEST_F(PrimeiroUsoLocacaoTest, AProposalAndAnOrderAreSavedWithTheirLines)
{
    TfmAssVendas& form = abrirJanela(fmAssVendas, "fmAssVenda");
    const QString proposta = novoPedido(form, "Proposta");
    const QString pedido = novoPedido(form, "Pedido");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select AUX2 || '|' || ANCODIGOCOBRANCA from AVEC8501 where NUMERO_PEDIDO in ('" + proposta +
                   "', '" + pedido + "') order by AUX2"),
              (QStringList{"0|6", "1|6"}));
    EXPECT_EQ(lido("select NUMERO_PEDIDO || '|' || CODIGO from AVEC85IT where NUMERO_PEDIDO in ('" + proposta +
                   "', '" + pedido + "') order by NUMERO_PEDIDO"),
              (QStringList{proposta + "|L0001", pedido + "|L0001"}));
}

TEST_F(PrimeiroUsoLocacaoTest, TheDemonstrationOrderGoesThroughCheckout)
{
    TfmAssCheckoutConsulta& lista = abrirJanela(fmAssCheckoutConsulta, "fmAssCheckout");
    lista.cbStatus->setCurrentText("Todos");
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "000002")) << vistos();
    lista.dbgdConsultaDblClick();
    TfmAssCheckout* form = fmAssCheckout;
    ASSERT_NE(form, nullptr);
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?");
    QTest::mouseClick(form->btConfirmarCheckout, Qt::LeftButton);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '000002'"), QStringList{"C"}) << vistos();
}

TEST_F(PrimeiroUsoLocacaoTest, TheRentalContractIsSavedAndItsForecastsMade)
{
    principal->miCadastroContrato->click();
    TfmAssContCadLocEquip* form = fmAssContCadLocEquip.get();
    ASSERT_NE(form, nullptr) << "the contracts menu opens the rental register";
    pesquisaContrato("LC-2026-001");
    form->btPesqContrato->click();
    ASSERT_EQ(cab("ACCODIGO").asInteger(), 3);
    digita(form->dbedDiasContrato, "400");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form->btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select ACDIASCONTRATO from AATC05AC where ACCODIGO = 3"), QStringList{"400"}) << vistos();

    // The forecasts after the three made, up to the contract's twelve.
    aba(*form, form->tsParcelas);
    form->bbPrevisionar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 3 and SITUACAO_DOCUMENTO = 'V'"),
              QStringList{"12"})
        << vistos();
}

TEST_F(PrimeiroUsoLocacaoTest, TheRentalContractsForecastsAreBilled)
{
    principal->miFaturamentoContrato->click();
    TfmAssContFatLocEquip* form = fmAssContFatLocEquip.get();
    ASSERT_NE(form, nullptr) << "the billing menu opens the rental billing";
    form->bbPesquisar->click();
    ASSERT_TRUE(form->quConsulta->locate("ACCODIGO", 3)) << vistos();
    dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
    form->bbGerar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_GT(lido("select count(*) from ACRC50FB where FBBANCO = '001'").value(0).toInt(), 0) << vistos();
}

TEST_F(PrimeiroUsoLocacaoTest, TheRentalContractIsRenewed)
{
    TfmAssContRenovacao& form = abrirJanela(fmAssContRenovacao, "fmAssContRenovacao");
    form.deProxVencimento->setDate(QDateTime(QDate::currentDate().addMonths(4), QTime(0, 0)));
    form.edCodigo->setText("3");
    form.bbPesquisar->click();
    ASSERT_EQ(form.dbgdAssContRenovacao->model()->rowCount(), 1) << vistos();
    const QStringList antes = lido("select count(*) from ACRC5001 where AOCODIGO = 3");
    dialogs->answer("Sim", "Confirma a renovação do(s) Contrato(s)?");
    form.bbRenovar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 3").value(0).toInt(), antes.value(0).toInt() + 1)
        << vistos();
}

TEST_F(PrimeiroUsoLocacaoTest, TheRentedEquipmentIsCheckedIn)
{
    TfmAssEntradaEquip& form = abrirJanela(fmAssEntradaEquip, "fmAssEntradaEquip");
    form.edNroSerie->setText("'GER-5K-0001'");
    form.bbPesquisar->click();
    ASSERT_EQ(form.quConsulta->recordCount(), 1) << vistos();
    confirmaEntradaComObservacao(form);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select ACITRETORNO from AATC05ACIT where ACITCODIGO = 5"), QStringList{"S"}) << vistos();
}

}  // namespace
}  // namespace moduletest
