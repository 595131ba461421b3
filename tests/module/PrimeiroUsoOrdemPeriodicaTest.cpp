// Periodic service orders set up through the contract register on the
// database the first start makes: the days between orders and the approval
// of the first one typed in the register, then the run that makes the
// order; a contract with a base date and no periodicity (a readjusted one)
// is no periodic-order contract: the run leaves it out without a word.

#include "tests/module/PrimeiroUsoFixture.h"

#include "app/OrdensContratos.h"
#include "contract_data/uDataTecCont.h"
#include "contracts/uAssContCad.h"
#include "host/Ulote.h"
#include "module/uPackageAss.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

#include <QComboBox>
#include <QDate>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class PrimeiroUsoOrdemPeriodicaTest : public PrimeiroUsoTest {
protected:
    void SetUp() override
    {
        PrimeiroUsoTest::SetUp();
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('10001', 'Metalurgica Horizonte Ltda')");
    }
    // A new service contract of the company's customer, in force from a
    // month ago, with its base date a month ago; saved.
    int novoContrato(TfmAssContCad& form, const QString& periodicidade, bool aprovada)
    {
        form.bbNovo->click();
        digita(form.dbedNumeroContrato, "HZ-P1");
        digita(form.dbedLocal, "01");
        const int i = form.dbcbTipoDesc->findText("Manutenção Preventiva");
        form.dbcbTipoDesc->setCurrentIndex(i);
        emit form.dbcbTipoDesc->activated(i);
        digita(form.dbedContratante, "10001");
        digita(form.dbedVencimento, "10");
        digita(form.dbedInicio, QDate::currentDate().addMonths(-1).toString("dd/MM/yyyy"));
        digita(form.dbedTermino, QDate::currentDate().addYears(1).toString("dd/MM/yyyy"));
        digita(form.dbedDataBase, QDate::currentDate().addMonths(-1).toString("dd/MM/yyyy"));
        if (!periodicidade.isEmpty())
            digita(form.dbedPeriodicidadeOS, periodicidade);
        if (aprovada)
            QTest::mouseClick(form.dbckAprovaPrimeiraOS, Qt::LeftButton, {},
                              QPoint(4, form.dbckAprovaPrimeiraOS->height() / 2));
        form.bbSalvar->click();
        return dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger();
    }
    // The contract's equipment: F12 shows its page's tab, a row of model 1.
    void equipamento(TfmAssContCad& form)
    {
        QTest::keyClick(&form, Qt::Key_F12);
        clicaAba(form.pcContrato, form.tsContEquip);
        novaLinhaNaGrade(form.dbgdAssContCadEquip, "AECODIGO", "1");
        form.bbSalvar->click();
    }
    void executar() { app::gerarOrdensContratos(&::LancaOrdemServico); }
};

TEST_F(PrimeiroUsoOrdemPeriodicaTest, ThePeriodicityAndApprovalTypedInTheRegisterMakeTheNextRunsOrder)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    const int contrato = novoContrato(form, "30", true);
    equipamento(form);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido(QString("select ACCODIGOINTEGRACAO || '|' || ACAPROVAIP from AATC05AC where ACCODIGO = %1")
                       .arg(contrato)),
              QStringList{"30|S"});
    form.bbSair->click();

    executar();
    EXPECT_EQ(host::ultimoResultadoLote().falhas, QStringList{}) << vistos();
    EXPECT_EQ(lido(QString("select count(distinct os.AOCODIGO) from AATC01AO os join AATC01AOIT i"
                           " on i.AOCODIGO = os.AOCODIGO where i.ACCODIGO = %1 and os.CLCODIGO = '10001'")
                       .arg(contrato)),
              QStringList{"1"})
        << vistos();
}

TEST_F(PrimeiroUsoOrdemPeriodicaTest, APeriodicityTheRunCannotReadIsRefusedInTheRegister)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    novoContrato(form, "mensal", false);
    EXPECT_TRUE(dialogs->texts().contains(
        "Periodicidade OS (dias): \"mensal\" não é um número de dias entre as ordens de serviço (ex.: 30)."))
        << vistos();
    EXPECT_EQ(lido("select count(*) from AATC05AC where ACCODIGOINTEGRACAO = 'mensal'"), QStringList{"0"});
}

TEST_F(PrimeiroUsoOrdemPeriodicaTest, AContractWithABaseDateAndNoPeriodicityIsLeftOutWithoutAWord)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    const int contrato = novoContrato(form, {}, false);
    equipamento(form);
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    form.bbSair->click();

    const qsizetype vistosAntes = dialogs->texts().size();
    executar();
    EXPECT_EQ(host::ultimoResultadoLote().falhas, QStringList{});
    EXPECT_EQ(dialogs->texts().mid(vistosAntes), QStringList{}) << vistos();
    EXPECT_EQ(lido(QString("select count(*) from AATC01AOIT where ACCODIGO = %1").arg(contrato)), QStringList{"0"});
}

}  // namespace
}  // namespace moduletest
