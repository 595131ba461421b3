// A new company's own contracts on the database the first start makes, with
// the installation's options: saved in either register with a type of the
// list, also once the demonstration's are deleted, refused without a stored
// billing customer, walked from the save to the cancellation, and a year of
// a metered contract and months of a basic one billed to the cent.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contract_data/uDataTecCont.h"
#include "contracts/uAssContCad.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/db/Database.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/PageControl.h"
#include "host/ui/ScriptedDialogs.h"
#include "contracts/uAssBasicoContratosFaturamento.h"
#include "contracts/uAssContFat.h"
#include "contracts/uAssContReajustarValor.h"
#include "host/Uprincipal.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocacao.h"
#include "rental/uAssVendas.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QLineEdit>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>
#include <utility>

namespace moduletest {
namespace {

class PrimeiroUsoContratoNovoTest : public PrimeiroUsoTest {
protected:
    void SetUp() override
    {
        PrimeiroUsoTest::SetUp();
        // The company's own customer, none of the demonstration's.
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('10001', 'Metalurgica Horizonte Ltda')");
    }
    // The list's item of that text picked, then the box left.
    static void escolhe(QComboBox* lista, const QString& texto)
    {
        const int i = lista->findText(texto);
        ASSERT_GE(i, 0) << texto.toStdString() << " in " << lista->objectName().toStdString();
        lista->setFocus();
        lista->setCurrentIndex(i);
        emit lista->activated(i);
        QTest::keyClick(lista, Qt::Key_Tab);
    }
    // The warnings and errors shown, as their texts.
    QStringList avisos() const { return dialogs->texts().filter("operação abortada"); }
    static QStringList itens(QComboBox* lista)
    {
        QStringList textos;
        for (int i = 0; i < lista->count(); ++i)
            textos << lista->itemText(i);
        return textos;
    }
    // A new service contract of the company's customer, its header typed.
    void novoContratoDeServico(TfmAssContCad& form, const QString& numero)
    {
        form.bbNovo->click();
        digita(form.dbedNumeroContrato, numero);
        digita(form.dbedLocal, "01");
        digita(form.dbedContratante, "10001");
        digita(form.dbedVencimento, "10");
        digita(form.dbedValorParcela, "250");
    }
    // The same, monthly, of fixed value, of the company's maintenance type.
    void contratoMensal(TfmAssContCad& form, const QString& numero)
    {
        novoContratoDeServico(form, numero);
        escolhe(form.dbcbTipoDesc, "Manutenção Preventiva");
        escolhe(form.dbcbPeriodo, "M - Mensal");
        escolhe(form.dbcbFixo, "Sim");
    }
    // The contract readjusted by the percentage in its window.
    TfmAssContReaj& reajusta(const QString& contrato, const QString& percentual)
    {
        TfmAssContReaj& reajuste = abrirJanela(fmAssContReaj, "fmAssContReaj");
        digita(reajuste.edFilial, "01");
        digita(reajuste.edContratoIni, contrato);
        digita(reajuste.edContratoFim, contrato);
        digita(reajuste.edReajuste, percentual);
        reajuste.bbBaixar->click();
        return reajuste;
    }
    // The due dates and values in cents of the contract's receivables, day by day.
    QStringList previsoes(const QString& contrato) const
    {
        return lido("select extract(year from DATA_VENCIMENTO) || '-' || lpad(extract(month from DATA_VENCIMENTO),"
                    " 2, '0') || '-' || lpad(extract(day from DATA_VENCIMENTO), 2, '0') || ' ' ||"
                    " cast(VALOR_DOCUMENTO * 100 as integer) || ' ' || SITUACAO_DOCUMENTO from ACRC5001"
                    " where AOCODIGO = " + contrato + " order by DATA_VENCIMENTO");
    }
    // "Apenas Oficializar" of "Gerar Faturamento de Contratos" for the
    // contract's instalments due in the month from the day, then "Gerar";
    // the notices the run wrote.
    QString oficializa(const QString& numero, const QDate& de, bool lote = false)
    {
        TfmAssContFat& fat = abrirJanela(fmAssContFat, "fmAssContFat");
        digita(fat.edUnNegocioIni, "01");
        digita(fat.edContratoAleatorio, numero);
        fat.rgTipo->button(3)->click();
        fat.ckVolume->setChecked(lote);
        fat.pcFatura->setCurrentIndex(2);
        digita(fat.edVctoIni, de.toString("dd/MM/yyyy"));
        digita(fat.edVctoFim, de.addDays(27).toString("dd/MM/yyyy"));
        dialogs->setAutoAcknowledgeMessages(true);
        fat.bbBaixar->click();
        dialogs->setAutoAcknowledgeMessages(false);
        return fat.meAviso->toPlainText();
    }
    // "Gerar Previsão" on the instalments page, from the date, that many.
    void gerarPrevisao(TfmAssContCad& form, const QDate& inicio, int quantidade)
    {
        clicaAba(form.pcContrato, form.tsContParcAberta);
        dialogs->enter(inicio.toString("dd/MM/yyyy"), "Informe a data Inicial da previsão do contas a receber")
            .enter(QString::number(quantidade), "Informe o número de parcelas");
        form.bbPrevisionar->click();
    }
};

TEST_F(PrimeiroUsoContratoNovoTest, ANewContractIsSavedInEachRegisterWithATypeOfTheList)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    novoContratoDeServico(form, "HZ-S1");
    escolhe(form.dbcbTipoDesc, "Manutenção Preventiva");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select ACTIPODESC || '|' || ACCONTRATANTE || '|' || CLCODIGO from AATC05AC"
                   " where ACNUMEROCONTRATO = 'HZ-S1'"),
              QStringList{"Manutenção Preventiva|10001|10001"})
        << vistos();
    form.bbSair->click();

    TfmAssContLocacao& locacao = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    locacao.btNovo->click();
    digita(locacao.dbedNumeroContrato, "HZ-L1");
    digita(locacao.dbedLocal, "01");
    digita(locacao.dbedContratante, "10001");
    escolhe(locacao.dbcbTipoDesc, "Locação de Equipamentos");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    locacao.btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select ACTIPODESC || '|' || CLCODIGO from AATC05AC where ACNUMEROCONTRATO = 'HZ-L1'"),
              QStringList{"Locação de Equipamentos|10001"})
        << vistos();
}

// A company that deleted the demonstration's contracts still chooses among
// the installation's types, in both registers, and saves its first contract.
TEST_F(PrimeiroUsoContratoNovoTest, TheTypesStayWhenEveryContractIsDeleted)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    excluiContratosDaDemonstracao(form);
    const QStringList tipos{"Locação de Equipamentos", "Manutenção Corretiva", "Manutenção Mensal",
                            "Manutenção Preventiva", "Suporte Técnico"};
    novoContratoDeServico(form, "HZ-P1");
    EXPECT_EQ(itens(form.dbcbTipoDesc), tipos);
    escolhe(form.dbcbTipoDesc, "Manutenção Mensal");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select ACTIPODESC from AATC05AC where ACNUMEROCONTRATO = 'HZ-P1'"),
              QStringList{"Manutenção Mensal"})
        << vistos();
    form.bbSair->click();

    principal->miCadastroContrato->click();
    ASSERT_TRUE(fmAssContCadLocEquip);
    EXPECT_EQ(itens(fmAssContCadLocEquip->dbcbTipoDesc), tipos) << "the menu's rental register";
    // The order that becomes a contract offers them too.
    const QStringList doPedido = abrirJanela(fmAssVendas, "fmAssVenda").dbcbTipoContrato->pickList();
    for (const QString& tipo : tipos)
        EXPECT_TRUE(doPedido.contains(tipo)) << tipo.toStdString() << " in the order's list";
}

// Without the demonstration's contracts: a contract saved, forecast,
// readjusted, billed and cancelled loses its forecasts and open receivables.
TEST_F(PrimeiroUsoContratoNovoTest, AContractIsSavedForecastReadjustedBilledAndCancelled)
{
    exec("update AATC11AJ set OFCODIGO = '5933' where AJCODIGO = 1");   // the object's invoice operation
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    excluiContratosDaDemonstracao(form);
    contratoMensal(form, "HZ-W1");
    digita(form.dbedObjeto, "1");
    const QDate hoje = QDate::currentDate();
    digita(form.dbedInicio, QDate(hoje.year(), hoje.month(), 1).toString("dd/MM/yyyy"));
    digita(form.dbedValorParcela, "1234,56");
    form.bbSalvar->click();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    const QString ac = QString::number(dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger());
    const QDate primeira = QDate(hoje.year(), hoje.month(), 1).addMonths(1);
    gerarPrevisao(form, primeira, 3);
    const QString parcelas = "select distinct cast(VALOR_DOCUMENTO * 100 as integer) || '|' || SITUACAO_DOCUMENTO"
                             " from ACRC5001 where AOCODIGO = " + ac;
    ASSERT_EQ(lido(parcelas), QStringList{"123456|V"}) << vistos();

    reajusta(ac, "7,5");
    EXPECT_EQ(lido(parcelas), QStringList{"132715|V"}) << "the forecasts at the new value; " << vistos();

    TfmAssContFat& fat = abrirJanela(fmAssContFat, "fmAssContFat");
    digita(fat.edUnNegocioIni, "01");
    digita(fat.edContratoAleatorio, "HZ-W1");
    fat.rgTipo->button(3)->click();
    fat.pcFatura->setCurrentIndex(2);
    digita(fat.edVctoIni, primeira.toString("dd/MM/yyyy"));
    digita(fat.edVctoFim, primeira.addDays(27).toString("dd/MM/yyyy"));
    dialogs->setAutoAcknowledgeMessages(true);
    fat.bbBaixar->click();
    dialogs->setAutoAcknowledgeMessages(false);
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = " + ac + " and SITUACAO_DOCUMENTO = ''"),
              QStringList{"1"})
        << "the first instalment billed; " << vistos();

    pesquisa("ACCODIGO", ac);
    form.sbPesqContrato->click();
    clicaAba(form.pcContrato, form.tsContDadosAdicionais);
    dialogs->answer("Sim", "Deseja excluir provisões do contrato?");
    escolhe(form.dbcbDeveGerar, "C - Cancelado");
    dialogs->answer("Sim", "Deseja excluir contas a receber em aberto após data do cancelamento?")
        .enter(primeira.toString("dd/MM/yyyy"), "Informe a data de cancelamento")
        .acknowledge("1 parcela(s) excluída(s) com sucesso!");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select ACSITUACAO from AATC05AC where ACCODIGO = " + ac), QStringList{"C"}) << vistos();
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = " + ac), QStringList{"0"}) << vistos();
}

// Cancelled before it starts, a contract ends at its start and is saved.
TEST_F(PrimeiroUsoContratoNovoTest, AContractCancelledBeforeItStartsEndsAtItsStart)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    contratoMensal(form, "HZ-C1");
    digita(form.dbedInicio, QDate(QDate::currentDate().year() + 1, 1, 1).toString("dd/MM/yyyy"));
    form.bbSalvar->click();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    clicaAba(form.pcContrato, form.tsContDadosAdicionais);
    dialogs->answer("Não", "Deseja excluir provisões do contrato?");
    escolhe(form.dbcbDeveGerar, "C - Cancelado");
    dialogs->answer("Não", "Deseja excluir contas a receber em aberto após data do cancelamento?");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select ACSITUACAO from AATC05AC where ACNUMEROCONTRATO = 'HZ-C1'"
                   " and ACDATAVALIDADE = ACDATAIMPLANTACAO"),
              QStringList{"C"})
        << vistos();
}

// The rule stays: a type no contract carries is the administrator
// account's, and a contract without a type is asked for one.
TEST_F(PrimeiroUsoContratoNovoTest, ANewTypeOrNoTypeIsRefusedNamingWhatIsMissing)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    novoContratoDeServico(form, "HZ-S2");
    form.bbSalvar->click();
    digita(form.dbcbTipoDesc, "Venda");
    form.bbSalvar->click();
    EXPECT_EQ(avisos(), (QStringList{"Aviso: operação abortada.\nInforme o Tipo do Contrato.",
                                     "Aviso: operação abortada.\nCadastro de Novos Tipos de Contrato só é permitido "
                                     "pelo usuário KORVAN!"}))
        << vistos();
    EXPECT_EQ(lido("select count(*) from AATC05AC where ACNUMEROCONTRATO = 'HZ-S2'"), QStringList{"0"});
}

// "99999" refused in "Cliente (Cobrança)" leaves the box empty: neither the
// save nor the forecast stores the contract or writes an instalment.
TEST_F(PrimeiroUsoContratoNovoTest, AContractWithoutItsBillingCustomerIsNeitherStoredNorForecast)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    form.bbNovo->click();
    digita(form.dbedNumeroContrato, "HZ-S3");
    digita(form.dbedLocal, "01");
    escolhe(form.dbcbTipoDesc, "Manutenção Preventiva");
    digita(form.dbedVencimento, "10");
    digita(form.dbedValorParcela, "250");
    digita(form.dbedCliente, "99999");
    form.bbSalvar->click();
    EXPECT_TRUE(dialogs->texts().contains("Cliente (Cobrança): código 99999 não cadastrado.")) << vistos();

    gerarPrevisao(form, QDate::currentDate().addMonths(1), 2);
    EXPECT_EQ(lido("select count(*) from AATC05AC where ACNUMEROCONTRATO = 'HZ-S3'"), QStringList{"0"}) << vistos();
    EXPECT_EQ(lido("select count(*) from ACRC5001 r where not exists"
                   " (select 1 from AUGC0301 c where c.CODIGO_CLIENTE = r.CODIGO_CLIENTE)"),
              QStringList{"0"})
        << vistos();
}

// A contract stored before the rule, whose billing customer is no
// registered customer: its forecast writes no receivable and says why.
TEST_F(PrimeiroUsoContratoNovoTest, AForecastToAnUnregisteredCustomerWritesNothing)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    novoContratoDeServico(form, "HZ-S4");
    escolhe(form.dbcbTipoDesc, "Manutenção Preventiva");
    form.bbSalvar->click();
    const int contrato = dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger();
    ASSERT_EQ(lido(QString("select count(*) from AATC05AC where ACCODIGO = %1").arg(contrato)), QStringList{"1"})
        << vistos();
    exec(QString("update AATC05AC set CLCODIGO = '77777', ACVALOR = 250, ACVALORPARCELA = 250 where ACCODIGO = %1")
             .arg(contrato));
    dmTecContrato->quCtrCadastro->refresh();

    gerarPrevisao(form, QDate::currentDate().addMonths(1), 2);
    EXPECT_TRUE(dialogs->texts().contains(
        QString("Contrato %1: cliente de cobrança \"77777\" não cadastrado.").arg(contrato)))
        << vistos();
    EXPECT_EQ(lido(QString("select count(*) from ACRC5001 where AOCODIGO = %1").arg(contrato)), QStringList{"0"});
}

// Due day 31 from a February start: each month's own last day where the
// month is shorter, the 31st where it has one.
TEST_F(PrimeiroUsoContratoNovoTest, DueDay31FromAFebruaryStartFallsOnEachMonthsOwnLastDay)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    contratoMensal(form, "HZ-S5");
    digita(form.dbedVencimento, "31");
    digita(form.dbedValorParcela, "250");
    form.bbSalvar->click();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_FALSE(dialogs->texts().contains("Dia inválido para vencimento")) << vistos();
    const int contrato = dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger();

    const int ano = QDate::currentDate().year() + 1;
    gerarPrevisao(form, QDate(ano, 2, 1), 6);
    QStringList esperado;
    for (int mes = 2; mes <= 7; ++mes) {
        const QDate primeiro(ano, mes, 1);
        esperado << QDate(ano, mes, std::min(31, primeiro.daysInMonth())).toString("yyyy-MM-dd");
    }
    EXPECT_EQ(lido(QString("select extract(year from DATA_VENCIMENTO) || '-' || lpad(extract(month from"
                           " DATA_VENCIMENTO), 2, '0') || '-' || lpad(extract(day from DATA_VENCIMENTO), 2, '0')"
                           " from ACRC5001 where AOCODIGO = %1 order by DATA_VENCIMENTO")
                       .arg(contrato)),
              esperado)
        << vistos();
}

// A readjustment of a contract that starts next year, with two years of
// forecasts and a discount typed on one of the second year, then its undo:
// no instalment before the start, the forecasts the readjustment does not
// cover kept with their discount, and every value the undo gives back.
TEST_F(PrimeiroUsoContratoNovoTest, AReadjustmentAndItsUndoKeepTheStartTheLaterForecastsAndTheNetValue)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    contratoMensal(form, "HZ-R1");
    const QDate inicio(QDate::currentDate().year() + 1, 1, 1);
    digita(form.dbedInicio, inicio.toString("dd/MM/yyyy"));
    digita(form.dbedTermino, inicio.addYears(2).addDays(-1).toString("dd/MM/yyyy"));
    digita(form.dbedValorParcela, "1234,56");
    form.bbSalvar->click();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    const int contrato = dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger();
    const QString ac = QString::number(contrato);
    gerarPrevisao(form, inicio, 24);
    ASSERT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = " + ac), QStringList{"24"}) << vistos();
    const QString ultimoAno = " where AOCODIGO = " + ac + " and DATA_VENCIMENTO >= '" +
                              inicio.addYears(1).addMonths(1).toString("yyyy-MM-dd") + "'";
    exec("update ACRC5001 set VALOR_DESCONTO = 10" + ultimoAno + " and DATA_VENCIMENTO < '" +
         inicio.addYears(1).addMonths(2).toString("yyyy-MM-dd") + "'");
    dmGlobal->IBTransaction1->commitRetaining();
    const QStringList segundoAno =
        lido("select NUMERO_DOCUMENTO || '|' || cast(VALOR_DOCUMENTO * 100 as integer) || '|' ||"
             " cast(VALOR_DESCONTO * 100 as integer) from ACRC5001" + ultimoAno + " order by DATA_VENCIMENTO");
    ASSERT_EQ(segundoAno.size(), 11);
    form.bbSair->click();

    TfmAssContReaj& reajuste = reajusta(ac, "7,5");
    ASSERT_TRUE(dialogs->texts().contains("Operação efetuada com sucesso! Total de contratos reajustados: 1"))
        << vistos();
    ASSERT_EQ(lido("select cast(ACVALORPARCELA * 100 as integer) || '|' || cast(ACVALORPARCELALIQUIDO * 100 as integer)"
                   " from AATC05AC where ACCODIGO = " + ac),
              QStringList{"132715|132715"});
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = " + ac + " and DATA_VENCIMENTO < '" +
                   inicio.toString("yyyy-MM-dd") + "'"),
              QStringList{"0"})
        << "no instalment before the contract starts";
    EXPECT_EQ(lido("select NUMERO_DOCUMENTO || '|' || cast(VALOR_DOCUMENTO * 100 as integer) || '|' ||"
                   " cast(VALOR_DESCONTO * 100 as integer) from ACRC5001" + ultimoAno + " order by DATA_VENCIMENTO"),
              segundoAno)
        << "the later forecasts, with their discount";

    reajuste.BitBtn2->click();
    EXPECT_EQ(lido("select cast(ACVALORPARCELA * 100 as integer) || '|' || cast(ACVALORPARCELALIQUIDO * 100 as integer)"
                   " from AATC05AC where ACCODIGO = " + ac),
              QStringList{"123456|123456"});
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = " + ac + " and DATA_VENCIMENTO < '" +
                   inicio.toString("yyyy-MM-dd") + "'"),
              QStringList{"0"});
    EXPECT_EQ(lido("select count(*) from ACRC5001" + ultimoAno), QStringList{"11"});
}

// Two desks officialise the same month at once: the other desk's run holds
// the instalment while this desk clicks "Gerar", which makes nothing and says
// so; that run is undone, and this desk's next run officialises it once.
TEST_F(PrimeiroUsoContratoNovoTest, AnInstalmentOfficialisedFromTwoDesksAtOnceIsInvoicedOnce)
{
    exec("update AATC11AJ set OFCODIGO = '5933' where AJCODIGO = 1");   // the object's invoice operation
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    excluiContratosDaDemonstracao(form);
    const QDate hoje = QDate::currentDate();
    const QDate primeira = QDate(hoje.year(), hoje.month(), 1).addMonths(1);
    // One by one, then "Em Volume" (the batch).
    for (const char* numero : {"HZ-D1", "HZ-D2"}) {
        SCOPED_TRACE(numero);
        const bool lote = QString(numero) == "HZ-D2";
        contratoMensal(form, numero);
        digita(form.dbedObjeto, "1");
        digita(form.dbedInicio, QDate(hoje.year(), hoje.month(), 1).toString("dd/MM/yyyy"));
        digita(form.dbedValorParcela, "1234,56");
        form.bbSalvar->click();
        ASSERT_EQ(recusas(), QStringList{}) << vistos();
        const QString ac = QString::number(dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger());
        gerarPrevisao(form, primeira, 3);
        ASSERT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = " + ac), QStringList{"3"}) << vistos();

        // The other desk's run has taken the month's instalment and not ended yet.
        host::db::Connection outra;
        outra.open({dbPath});
        auto execucao = std::make_unique<host::db::Transaction>(outra);
        ASSERT_EQ(host::db::executeSql(*execucao, "update ACRC5001 set SITUACAO_DOCUMENTO = SITUACAO_DOCUMENTO"
                                                  " where AOCODIGO = " + ac + " and DATA_VENCIMENTO < '" +
                                                      primeira.addMonths(1).toString("yyyy-MM-dd") + "'"),
                  1);
        EXPECT_TRUE(oficializa(numero, primeira, lote)
                        .contains("Contrato " + ac + ": a parcela 10" + primeira.toString("MMyy") +
                                  " de vencimento " + primeira.addDays(9).toString("dd/MM/yyyy") +
                                  " está sendo oficializada em outra estação"))
            << vistos();
        EXPECT_EQ(lido("select count(*) from AVEC8501 where ACCODIGO = " + ac), QStringList{"0"})
            << "nothing of this desk's own for it; " << vistos();
        execucao->rollback();

        oficializa(numero, primeira, lote);
        oficializa(numero, primeira, lote);
        EXPECT_EQ(lido("select count(*) from AVEC8501 where ACCODIGO = " + ac), QStringList{"1"}) << vistos();
        EXPECT_EQ(lido("select count(*) from ACEM1401 where ACCODIGO = " + ac), QStringList{"1"}) << vistos();
        EXPECT_EQ(lido("select count(*) || ' ' || min(r.NUMERO_DOCUMENTO) from ACRC5001 r where r.AOCODIGO = " + ac +
                       " and r.SITUACAO_DOCUMENTO <> 'V'"),
                  lido("select '1 ' || min(DOCUMENTO) from ACEM1401 where ACCODIGO = " + ac))
            << "one receivable, under the invoice's number; " << vistos();
        EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = " + ac + " and SITUACAO_DOCUMENTO = 'V'"),
                  QStringList{"3"})
            << "the next month forecast once; " << vistos();
    }
}

// A contract of each modality starting on the 15th of next month, twelve
// forecasts from its start, readjusted by 7,5 %: every forecast keeps its day.
TEST_F(PrimeiroUsoContratoNovoTest, AReadjustmentKeepsEveryForecastsDueDateInEachModality)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    excluiContratosDaDemonstracao(form);
    const QDate proximo = QDate::currentDate().addMonths(1);
    const QDate inicio(proximo.year(), proximo.month(), 15);
    for (const char* modalidade : {"Antecipado", "Retroativo", "Intermédio"}) {
        SCOPED_TRACE(modalidade);
        contratoMensal(form, QString("HZ-") + modalidade);
        escolhe(form.dbcbModalidade, QString::fromUtf8(modalidade));
        digita(form.dbedInicio, inicio.toString("dd/MM/yyyy"));
        digita(form.dbedValorParcela, "1234,56");
        form.bbSalvar->click();
        ASSERT_EQ(recusas(), QStringList{}) << vistos();
        const QString ac = QString::number(dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger());
        gerarPrevisao(form, inicio, 12);
        QStringList antes = previsoes(ac);
        ASSERT_EQ(antes.size(), 12) << vistos();
        reajusta(ac, "7,5");
        EXPECT_EQ(recusas(), QStringList{}) << vistos();
        antes.replaceInStrings(" 123456 ", " 132715 ");
        EXPECT_EQ(previsoes(ac), antes);
        fmAssContReaj->close();
    }
}

// A due day of 0 is refused and never stored: the contract keeps its day.
TEST_F(PrimeiroUsoContratoNovoTest, ADueDayOfZeroIsRefusedAndTheContractKeepsItsDay)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    contratoMensal(form, "HZ-V0");
    form.bbSalvar->click();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    const QString ac = QString::number(dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger());
    clicaAba(form.pcContrato, form.tsContDadosAdicionais);
    digita(form.dbedVencimento, "0");
    form.bbSalvar->click();
    EXPECT_TRUE(dialogs->texts().contains("Dia inválido para vencimento")) << vistos();
    EXPECT_EQ(lido("select ACVENCIMENTO from AATC05AC where ACCODIGO = " + ac), QStringList{"10"});
    digita(form.dbedVencimento, "15");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select ACVENCIMENTO from AATC05AC where ACCODIGO = " + ac), QStringList{"15"}) << vistos();
}

// A contract without a billing object: its code shows none, and
// officialising it names what is missing in words.
TEST_F(PrimeiroUsoContratoNovoTest, AContractWithoutBillingObjectIsToldSoInWords)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    contratoMensal(form, "HZ-O1");
    digita(form.dbedValorParcela, "250");
    const QDate primeira = QDate::currentDate().addMonths(1);
    digita(form.dbedInicio, QDate(primeira.year(), primeira.month(), 1).toString("dd/MM/yyyy"));
    form.bbSalvar->click();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    const QString ac = QString::number(dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger());
    gerarPrevisao(form, QDate(primeira.year(), primeira.month(), 1), 1);
    EXPECT_EQ(form.dbedObjeto->text(), "");

    oficializa("HZ-O1", QDate(primeira.year(), primeira.month(), 1));
    EXPECT_EQ(dialogs->texts().filter("objeto"),
              QStringList{"Contrato " + ac +
                          " sem objeto de faturamento: informe o objeto no cadastro do contrato para gerar a nota"
                          " fiscal!"})
        << vistos();
}

// The officialising list shows each contract's base date under "Data Base",
// and the printed contract its billing customer by name.
TEST_F(PrimeiroUsoContratoNovoTest, TheBillingListShowsTheBaseDateAndThePrintedContractTheCustomersName)
{
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    contratoMensal(form, "HZ-B1");
    digita(form.dbedValorParcela, "250");
    const QDate primeira = QDate::currentDate().addMonths(1);
    const QDate inicio(primeira.year(), primeira.month(), 1);
    digita(form.dbedInicio, inicio.toString("dd/MM/yyyy"));
    digita(form.dbedDataBase, inicio.addYears(1).toString("dd/MM/yyyy"));
    form.bbSalvar->click();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    gerarPrevisao(form, inicio, 1);
    QString impresso;
    dialogs->modal("fmVisualizadorRelatorio", [&](host::ui::Form& janela) {
        impresso = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbRelatorio->click();
    EXPECT_TRUE(impresso.contains("Metalurgica Horizonte Ltda")) << impresso.toStdString() << vistos();

    TfmAssContFat& fat = abrirJanela(fmAssContFat, "fmAssContFat");
    digita(fat.edUnNegocioIni, "01");
    digita(fat.edContratoAleatorio, "HZ-B1");
    fat.rgTipo->button(3)->click();
    fat.pcFatura->setCurrentIndex(2);
    digita(fat.edVctoIni, inicio.toString("dd/MM/yyyy"));
    digita(fat.edVctoFim, inicio.addDays(27).toString("dd/MM/yyyy"));
    fat.bbPesquisar->click();
    QAbstractItemModel& grade = *fat.dbgdAssContFat->model();
    ASSERT_EQ(grade.rowCount(), 1);
    EXPECT_EQ(grade.headerData(3, Qt::Horizontal).toString(), "Data Base");
    EXPECT_EQ(grade.index(0, 3).data().toString(), inicio.addYears(1).toString("dd/MM/yyyy"));
}

// A year of a metered contract billed month by month: 1.000 copies a month
// allowed at 0,10, and two compositions of its equipment billed by their
// usage. March read twice, June typed lower and corrected at the second
// desk, December's composition typed lower; the value readjusted after a
// rate refused once. Each invoice and receivable read back to the cent.
TEST_F(PrimeiroUsoContratoNovoTest, AYearOfAMeteredContractWithCompositionsIsBilledToTheCent)
{
    parametro("ATOPCAOCONTRATO", "C");
    exec("update AATC11AJ set OFCODIGO = '5933' where AJCODIGO = 1");
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF, OFCODIGO, AJVALORPERCENTUAL)"
         " values (2, 'Excedente', 'Cópias excedentes', '2 - Objeto', '5933', 100)");
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACSITUACAO, ACLOCAL, ACPERIODO,"
         " ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, ACTIPODESC, AJCODIGO, AJCODIGOAUXILIAR,"
         " ACSEPARASERVICO, ACTIPOFRANQUIA, ACQUANTIDADEFRANQUIA, ACQUANTEXCFRANQUIA, ACINDICEREAJUSTE)"
         " values (60, 'HZ-C1', '10001', '10001', 'A', '01', 'M', 'R', 10, 'S', 300, 'Manutenção Preventiva', 1, 2,"
         " 'C', 'U', 1000, 0.1, 'S')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, ACITNUMEROSERIE)"
         " values (60, 60, '10001', 'S0003', 300, 'COP-1')");
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (1, 'Contador geral', 'M')");
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVSITUACAO) values (905, 60, 40, 'A')");
    for (const char* composicao : {"1, 'P0001', 2.55", "2, 'P0002', 4"})
        exec(QString("insert into AATC05ACCM (ACCODIGO, ACITCODIGO, PRCODIGO, ACEVCODIGO, CMSEQUENCIA, CMCODIGO,"
                     " ACCMVALOR) values (60, 60, 'S0003', 905, %1)")
                 .arg(composicao));
    const int ano = QDate::currentDate().year() + 1;
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    CarregaContrato(60);
    gerarPrevisao(form, QDate(ano, 1, 1), 12);

    // The rate typed with a point is refused; typed again, the year's forecasts are raised once.
    reajusta("60", "10.5");
    const QString reajustado = "Operação efetuada com sucesso! Total de contratos reajustados: 1";
    EXPECT_TRUE(dialogs->texts().contains("Valor inválido: 10.5")) << vistos();
    EXPECT_FALSE(dialogs->texts().contains(reajustado)) << "no raise at a rate not on show; " << vistos();
    reajusta("60", "7,5");
    EXPECT_EQ(dialogs->texts().count(reajustado), 1) << vistos();
    EXPECT_EQ(lido("select cast(ACVALORPARCELA * 100 as integer) || '|' || cast(ACVALORANTERIOR * 100 as integer)"
                   " from AATC05AC where ACCODIGO = 60"),
              QStringList{"32250|30000"});
    EXPECT_EQ(lido("select count(*) || '|' || cast(min(VALOR_DOCUMENTO) * 100 as integer) || '|' ||"
                   " cast(max(VALOR_DOCUMENTO) * 100 as integer) from ACRC5001 where AOCODIGO = 60"),
              QStringList{"12|32250|32250"})
        << vistos();

    // The copier's counter typed with F10 on the 5th of each month; the
    // compositions' counters typed at the second desk.
    struct Leitura {
        int mes;
        int copias, p0001, p0002;
    };
    const Leitura leituras[] = {{0, 5000, 100, 1000},   {1, 6000, 200, 1010},   {2, 7400, 300, 1020},
                                {3, 8600, 400, 1030},   {3, 8600, 400, 1030},   {4, 10000, 500, 1040},
                                {5, 11100, 600, 1050},  {5, 11100, 600, 1050},  {6, 1220, 700, 1060},
                                {7, 13300, 800, 1070},  {8, 14400, 900, 1080},  {9, 15500, 1000, 1090},
                                {10, 16600, 1100, 1100}, {11, 17700, 1200, 1110}, {12, 18800, 1300, 112}};
    clicaAba(form.pcContrato, form.tsItens);
    for (const Leitura& l : leituras) {
        const QDate dia = QDate(ano, 1, 5).addMonths(l.mes - 1);
        dialogs->enter(dia.toString("dd/MM/yyyy"), "Informe a data")
            .enter(QString::number(l.copias), "Informe o contador");
        host::ui::DataGrid* grade = form.dbgdAssContCadItem;
        grade->setFocus();
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {},
                          grade->visualRect(grade->model()->index(0, 1)).center());
        QTest::keyClick(grade, Qt::Key_F10);
        for (const auto& [sequencia, contador] : {std::pair{1, l.p0001}, std::pair{2, l.p0002}})
            outraMesa(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, PRCODIGO, CMCODIGO, CMSEQUENCIA,"
                              " EVCODIGO, COCODIGO, ACITCODATAFATURAMENTO, ACITCOCONTADORTOTAL) values"
                              " (gen_id(GEN_ACITCOCODIGO, 1), 60, 'S0003', 'P000%1', %1, 905, 1, '%2', %3)")
                          .arg(sequencia)
                          .arg(dia.toString("yyyy-MM-dd"))
                          .arg(contador));
    }
    const auto contador = std::find_if(dialogs->shown().rbegin(), dialogs->shown().rend(),
                                       [](const host::ui::DialogRequest& pedido) {
                                           return pedido.text == "Informe o contador";
                                       });
    ASSERT_NE(contador, dialogs->shown().rend());
    EXPECT_EQ(contador->value, "17700") << "the copier's last counter offered, not a composition's";
    EXPECT_TRUE(dialogs->texts().contains("Atenção: o contador informado (1.220) é menor que o último lançado"
                                          " para este medidor (11.100 em 05/05/" + QString::number(ano) + ")."))
        << vistos();
    outraMesa(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, COCODIGO, ACITCODATAFATURAMENTO,"
                      " ACITCOCONTADORTOTAL) values (gen_id(GEN_ACITCOCODIGO, 1), 60, 1, '%1-06-05', 12200)")
                  .arg(ano));   // June's counter corrected at the second desk

    for (int mes = 1; mes <= 12; ++mes)
        oficializa("HZ-C1", QDate(ano, mes, 1));
    // P0001 100 × 2,55 and P0002 10 × 4,00 a month, December's P0002 read
    // lower: none; the copies above 1.000 at 0,10.
    const QStringList centavos = {"29500", "33500", "31500", "33500", "30500", "30500",
                                  "30500", "30500", "30500", "30500", "30500", "26500"};
    EXPECT_EQ(lido("select cast(TOTAL_DOC * 100 as integer) from ACEM1401 where ACCODIGO = 60 order by DOCUMENTO"),
              centavos)
        << vistos();
    EXPECT_EQ(lido("select cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = 60"
                   " and SITUACAO_DOCUMENTO <> 'V' order by DATA_VENCIMENTO"),
              centavos)
        << vistos();
    EXPECT_EQ(lido("select count(*) from AVEC85IT i join AVEC8501 p on p.NUMERO_PEDIDO = i.NUMERO_PEDIDO"
                   " where p.ACCODIGO = 60 and i.QUANTIDADE < 0"),
              QStringList{"0"})
        << "no usage below zero";
}

// The customer's basic contract billed per customer, month by month: one
// hour a month allowed, October's second service (2 × 100,00, its hour
// worked) beyond it; the periodic order of 04/10 made after October was
// billed goes on a bill of its own, once; November bills the contract alone.
TEST_F(PrimeiroUsoContratoNovoTest, ABasicContractIsBilledPerCustomerItsLateOrderOnce)
{
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACVALOR, ACTIPOCONTRATO, ACLIMITE,"
         " ACLIMITEHORA, ACVALORCHAMADAEXCEDENTE, PRCODIGO, ACDATAIMPLANTACAO)"
         " values (40, 'B-40', 'Suporte', '10001', 500, 'Com Peça', 0, 1, 90, 'S0003', '2020-01-01')");
    const auto ordem = [this](int codigo, const char* entrada, const char* servico, int quantidade, double unitario) {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA) values (%1, '10001', '%2',"
                     " 'A')")
                 .arg(codigo)
                 .arg(entrada));
        exec(QString("insert into AATC01AA (AOCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL,"
                     " AAAUTORIZADO, AATOTAL) values (%1, 1, '%2', %3, %4, %5, 'S', 60)")
                 .arg(codigo)
                 .arg(servico)
                 .arg(quantidade)
                 .arg(unitario)
                 .arg(quantidade * unitario));
    };
    TfmAssBasicoContratosFaturamento& form =
        abrirJanela(fmAssBasicoContratosFaturamento, "fmAssContratosFaturamento");
    const auto fatura = [&](const char* de, const char* ate) {
        form.edCliente->setText("10001");
        digita(form.edDataInicial, de);
        digita(form.edDataFinal, ate);
        form.bbPesquisar->click();
        dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
        form.bbPedidoVenda->click();
    };
    ordem(6001, "2026-10-02 09:00", "S0001", 1, 120);
    ordem(6002, "2026-10-20 14:00", "S0002", 2, 100);
    fatura("01/10/2026", "31/10/2026");
    ordem(6003, "2026-10-04 08:00", "S0001", 1, 120);
    fatura("01/10/2026", "31/10/2026");
    const QString outubro = lido("select min(NUMERO_PEDIDO) from AVEC8501 where CODIGO_CLIENTE = '10001'").value(0);
    dialogs->acknowledge("já foi faturado de 01/10/2026 a 31/10/2026 no pedido de venda " + outubro);
    form.bbPedidoVenda->click();
    fatura("01/11/2026", "30/11/2026");

    EXPECT_EQ(lido("select cast(VALOR_TOTAL * 100 as integer) || ' ' || (select list(i.CODIGO || ' ' ||"
                   " cast(i.QUANTIDADE as integer) || ' x ' || cast(i.VALOR * 100 as integer), ', ') from AVEC85IT i"
                   " where i.NUMERO_PEDIDO = p.NUMERO_PEDIDO) from AVEC8501 p where CODIGO_CLIENTE = '10001'"
                   " order by NUMERO_PEDIDO"),
              (QStringList{"70000 S0003 1 x 50000, S0002 1 x 20000", "12000 S0001 1 x 12000", "50000 S0003 1 x 50000"}))
        << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

}  // namespace
}  // namespace moduletest
