// A new company's own contract on the database the first start makes, with
// the installation's contract option ("E": a contract's situation says
// whether it was signed): marked "1 - Sim" in the register, it is billed by
// "Faturamento dos Contratos", forecast from the register and found by the
// readjustment, with no statement typed by hand.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contract_data/uDataTecCont.h"
#include "contracts/uAssContCad.h"
#include "contracts/uAssContFat.h"
#include "contracts/uAssContReajustarValor.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/StatusBar.h"

#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class PrimeiroUsoContratoAssinadoTest : public PrimeiroUsoTest {
protected:
    void SetUp() override
    {
        PrimeiroUsoTest::SetUp();
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('10001', 'Metalurgica Horizonte Ltda')");
    }
    static QStringList itens(QComboBox* lista)
    {
        QStringList textos;
        for (int i = 0; i < lista->count(); ++i)
            textos << lista->itemText(i);
        return textos;
    }
    // The list's item of that text picked, then the box left.
    static void escolhe(QComboBox* lista, const QString& texto)
    {
        const int i = lista->findText(texto);
        ASSERT_GE(i, 0) << texto.toStdString() << " in " << itens(lista).join(", ").toStdString();
        lista->setFocus();
        lista->setCurrentIndex(i);
        emit lista->activated(i);
        QTest::keyClick(lista, Qt::Key_Tab);
    }
    // The company's monthly contract of 250,00 typed in the register, its
    // situation picked, and saved. Its code.
    int contratoSalvo(TfmAssContCad& form, const QString& situacao)
    {
        form.bbNovo->click();
        digita(form.dbedNumeroContrato, "HZ-F1");
        digita(form.dbedLocal, "01");
        digita(form.dbedContratante, "10001");
        digita(form.dbedVencimento, "10");
        escolhe(form.dbcbTipoDesc, "Manutenção Preventiva");
        escolhe(form.dbcbPeriodo, "M - Mensal");
        escolhe(form.dbcbFixo, "Sim");
        escolhe(form.dbcbDeveGerar, situacao);
        digita(form.dbedValorParcela, "250,00");
        form.bbSalvar->click();
        return dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger();
    }
    // "due date|value in cents|customer|situation" of the contract's receivables.
    QStringList receber(int contrato) const
    {
        return lido(QString("select extract(year from DATA_VENCIMENTO) || '-' || lpad(extract(month from"
                            " DATA_VENCIMENTO), 2, '0') || '|' || cast(VALOR_DOCUMENTO * 100 as integer) || '|' ||"
                            " CODIGO_CLIENTE || '|' || SITUACAO_DOCUMENTO from ACRC5001 where AOCODIGO = %1"
                            " order by DATA_VENCIMENTO")
                        .arg(contrato));
    }
};

TEST_F(PrimeiroUsoContratoAssinadoTest, AContractMarkedSignedInTheRegisterIsBilled)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    EXPECT_EQ(itens(form.dbcbDeveGerar), (QStringList{"1 - Sim", "2 - Não", "3 - Não Possui", "C - Cancelado"}))
        << "the situations of the installation's contract option";
    const int contrato = contratoSalvo(form, "1 - Sim");
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    ASSERT_EQ(lido(QString("select ACSITUACAO from AATC05AC where ACCODIGO = %1").arg(contrato)),
              QStringList{"1"})
        << vistos();
    EXPECT_EQ(form.dbcbDeveGerar->currentText(), "1 - Sim");
    form.bbSair->click();

    TfmAssContFat& fat = abrirJanela(fmAssContFat, "fmAssContFat");
    const QDate inicio = QDate::currentDate().addMonths(1);
    const QDate primeiro(inicio.year(), inicio.month(), 1);
    digita(fat.edUnNegocioIni, "01");
    digita(fat.edContratoAleatorio, "HZ-F1");
    fat.bbPesquisar->click();
    ASSERT_EQ(fat.dbgdAssContFat->model()->rowCount(), 1) << vistos();
    EXPECT_EQ(fat.stInfo->panelText(0), "Total de Contratos: 1");

    digita(fat.edPrevisaoIni, primeiro.toString("dd/MM/yyyy"));
    digita(fat.edPrevisaoFim, primeiro.addMonths(2).toString("dd/MM/yyyy"));
    digita(fat.mdDataFaturamento, QDate::currentDate().toString("dd/MM/yyyy"));
    dialogs->answer("Sim", "Tem certeza de que deseja gerar faturamento do período?");
    fat.bbBaixar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_FALSE(dialogs->texts().contains("Selecione um contrato válido!")) << vistos();
    const QStringList parcelas = receber(contrato);
    ASSERT_FALSE(parcelas.isEmpty()) << vistos();
    for (const QString& parcela : parcelas)
        EXPECT_TRUE(parcela.endsWith("|25000|10001|V")) << parcela.toStdString();
    EXPECT_EQ(parcelas.first().left(7), primeiro.toString("yyyy-MM"));
}

// The register's own forecast and the readjustment take the contract the
// billing takes.
TEST_F(PrimeiroUsoContratoAssinadoTest, TheSignedContractIsForecastAndReadjustedToo)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    const int contrato = contratoSalvo(form, "1 - Sim");
    ASSERT_EQ(recusas(), QStringList{}) << vistos();

    clicaAba(form.pcContrato, form.tsContParcAberta);
    const QDate inicio = QDate::currentDate().addMonths(1);
    dialogs->enter(inicio.toString("dd/MM/yyyy"), "Informe a data Inicial da previsão do contas a receber")
        .enter("3", "Informe o número de parcelas");
    form.bbPrevisionar->click();
    EXPECT_FALSE(dialogs->texts().contains("Contrato não está ativo")) << vistos();
    EXPECT_EQ(receber(contrato).size(), 3) << vistos();
    form.bbSair->click();

    TfmAssContReaj& reaj = abrirJanela(fmAssContReaj, "fmAssContReaj");
    digita(reaj.edFilial, "01");
    digita(reaj.edContratoIni, QString::number(contrato));
    digita(reaj.edContratoFim, QString::number(contrato));
    reaj.BitBtn1->click();
    ASSERT_TRUE(reaj.quPesq->active());
    EXPECT_EQ(reaj.DBGrid1->model()->rowCount(), 1) << "the signed contract, flagged for the index";
}

}  // namespace
}  // namespace moduletest
