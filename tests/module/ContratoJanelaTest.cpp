// The contract register opened through the dispatcher and driven through
// its controls: its pages and lists under the parameters, a contract made
// with a customer and an item, forecast, shown, saved, reopened and
// deleted; the instalments' guards, the header's data change, the keys, the
// customers' items window and a picture of the window.

#include "tests/module/ContratoCadastroFixture.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/ScopedTimeZone.h"
#include "tests/support/TestDatabase.h"

#include "contracts/uAssContCad.h"
#include "contracts/uAssContCadCM.h"
#include "contracts/uAssContCadIt.h"
#include "contracts/uAssContObj.h"
#include "contract_data/uDataTecCont.h"
#include "host/PecaLocada.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/db/Database.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/SearchWindow.h"

#include <QAbstractItemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include "host/ui/WindowRegistry.h"

#include <memory>
#include <utility>

namespace moduletest {
namespace {

using host::data::DatasetState;
using host::ui::Form;

class ContratoJanelaTest : public ContratoCadastroTest {
protected:
    void tecla(TfmAssContCad& form, int key, Qt::KeyboardModifiers mod = Qt::NoModifier)
    {
        QTest::keyClick(form.focusWidget() ? form.focusWidget() : &form, Qt::Key(key), mod);
    }
    host::data::Query& ctr() { return *dmTecContrato->quCtrCadastro; }
    void contrato(int codigo, const QString& extraCols = {}, const QString& extraVals = {})
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO,"
                     " ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA%1) values (%2, 'N%2', '00004', 'A',"
                     " '01', 'M', 'A', 10, 'S', 100%3)")
                 .arg(extraCols.isEmpty() ? QString() : ", " + extraCols)
                 .arg(codigo)
                 .arg(extraVals.isEmpty() ? QString() : ", " + extraVals));
    }
    void receber(const QString& documento, const QString& situacao, int contratoCodigo = 801)
    {
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO)"
                     " values ('%1', '00004', 1, '01', '%2', 100, '2020-01-01', '2020-02-10', %3)")
                 .arg(documento, situacao)
                 .arg(contratoCodigo));
    }
    QStringList paginasVisiveis(TfmAssContCad& form)
    {
        QStringList nomes;
        for (int i = 0; i < form.pcContrato->pageCount(); ++i)
            if (form.pcContrato->page(i)->tabVisible())
                nomes << form.pcContrato->page(i)->objectName();
        return nomes;
    }
};

TEST_F(ContratoJanelaTest, OpensEmptyWithItsNinePagesInOrderAndTheParametersShowThem)
{
    for (int i = 1; i <= 12; ++i)
        exec(QString("insert into AATC05AC (ACCODIGO, ACSITUACAOOBS) values (%1, 'Obs %2')").arg(900 + i).arg(i % 11));
    TfmAssContCad& form = abrir();
    EXPECT_EQ(form.caption(), "Cadastro de Contratos");
    EXPECT_TRUE(form.stayOnTop());
    EXPECT_TRUE(form.keyPreview());
    EXPECT_EQ(ctr().state(), DatasetState::Browse);
    EXPECT_TRUE(ctr().isEmpty()) << "an empty header, ready for a new contract";
    QStringList nomes, captions;
    for (int i = 0; i < form.pcContrato->pageCount(); ++i) {
        nomes << form.pcContrato->page(i)->objectName();
        captions << form.pcContrato->page(i)->caption();
    }
    EXPECT_EQ(nomes, (QStringList{"tsContDadosAdicionais", "tsContFinanceiro", "tsClientesCont", "tsContParcAberta",
                                  "tsContAcompanhamento", "tsHistCR", "tsItens", "tsContEquip", "tsVeiculos"}));
    EXPECT_EQ(captions, (QStringList{"Dados Adicionais", "Financeiro", "Clientes Contratuais", "Parcelas do Contrato",
                                     "Acompanhamento", "Histórico de Contas", "Itens do Contrato", "Equipamentos",
                                     "Veículos"}));
    EXPECT_EQ(paginasVisiveis(form).size(), 7) << "no equipment, no vehicles by default";
    EXPECT_FALSE(form.grpFranquia->isVisible());
    EXPECT_TRUE(form.paBotoesItens->isHidden());
    EXPECT_FALSE(form.dbedCodigo->isEnabled());
    EXPECT_EQ(form.dbcbSituacao->pickList().size(), 10) << "at most ten earlier remarks";
    EXPECT_EQ(form.dbcbModalidade->pickList(), (QStringList{"Antecipado", "Retroativo", "Intermédio"}));
    EXPECT_EQ(form.dbcbFixo->pickList(), (QStringList{"Sim", "Não", "Dividido", "PMC"}));
    EXPECT_EQ(form.dbcbTipoPgto->pickList().size(), 28);
    EXPECT_EQ(form.dbgdAssContCadItem->columnByField("ACITTIPORECEBER")->pickList(),
              (QStringList{"P - Previsão", "1 - Parcela A Vista"}));
    EXPECT_EQ(form.dbgdAssContCadItem->columnByField("ACITPERIODO")->pickList().size(), 8);
    fechar(form);
    EXPECT_EQ(fmAssContCad.get(), nullptr) << "freed on close";
    EXPECT_FALSE(ctr().active());

    parametro("ATMODOVEICULO", "O");
    parametro("ATOPCAOCONTRATO", "C");
    TfmAssContCad& veiculos = abrir();
    EXPECT_TRUE(veiculos.tsVeiculos->tabVisible());
    EXPECT_TRUE(veiculos.grpFranquia->isVisible());
    fechar(veiculos);

    parametro("ATOPCAOCONTRATO", "T");
    TfmAssContCad& itens = abrir();
    EXPECT_FALSE(itens.paBotoesItens->isHidden()) << "close and return buttons under T";
}

TEST_F(ContratoJanelaTest, ContractWithCustomerAndItemIsForecastShownSavedReopenedAndDeleted)
{
    TfmAssContCad& form = abrir();
    form.bbNovo->click();
    ASSERT_EQ(ctr().state(), DatasetState::Insert);
    EXPECT_TRUE(form.dbedLocal->isEnabled()) << "the unit is typed only while inserting";
    digita(form.dbedNumeroContrato, "CT-2031");
    digita(form.dbedLocal, "01");
    pesquisa("CODIGO_CLIENTE", "00004");
    form.sbPesqCli->click();
    EXPECT_EQ(ctr().fieldByName("CLCODIGO")->asString(), "00004");
    escolhe(form.dbcbModalidade, "Antecipado");
    escolhe(form.dbcbPeriodo, "M - Mensal");
    escolhe(form.dbcbFixo, "Sim");
    escolhe(form.dbcbDeveGerar, "A - Ativo");
    digita(form.dbedVencimento, "10");
    digita(form.dbedValorParcela, "250");
    form.bbSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    const int codigo = ctr().fieldByName("ACCODIGO")->asInteger();
    ASSERT_GT(codigo, 0);
    EXPECT_EQ(one(QString("select ACNUMEROCONTRATO from AATC05AC where ACCODIGO = %1").arg(codigo)).toString(),
              "CT-2031");
    EXPECT_FALSE(form.dbedLocal->isEnabled());

    // The item, on its page.
    aba(form, form.tsItens);
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    ASSERT_TRUE(itens.active());
    form.dbgdAssContCadItem->setFocus();
    QTest::keyClick(form.dbgdAssContCadItem, Qt::Key_Insert);
    ASSERT_TRUE(itens.editing());
    // What the item rules fill from the contract, where they have not.
    if (itens.fieldByName("ACCODIGO")->asInteger() == 0)
        itens.fieldByName("ACCODIGO")->setAsInteger(codigo);
    if (itens.fieldByName("CLCODIGO")->asString().isEmpty())
        itens.fieldByName("CLCODIGO")->setAsString("00004");
    pesquisa("CODIGO", "S0003");
    form.dbgdAssContCadItem->setSelectedIndex(form.dbgdAssContCadItem->columnByField("PRCODIGO")->index());
    form.dbgdAssContCadItem->editButtonClick();
    EXPECT_EQ(itens.fieldByName("PRCODIGO")->asString(), "S0003");
    itens.fieldByName("ACITVALOR")->setAsFloat(250);
    SalvarAlteracoes(itens);
    EXPECT_EQ(one(QString("select count(*) from AATC05ACIT where ACCODIGO = %1 and PRCODIGO = 'S0003'").arg(codigo))
                  .toInt(),
              1);

    // The forecast, seen on the instalments page.
    aba(form, form.tsContParcAberta);
    EXPECT_FALSE(itens.active()) << "leaving the items closes them";
    dialogs->enter("01/02/2031", "Informe a data Inicial da previsão do contas a receber")
        .enter("3", "Informe o número de parcelas")
        .acknowledge("Operação efetuada com sucesso! Parcelas criadas:3");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(form.dbgdContRecAberto->model()->rowCount(), 3);
    EXPECT_EQ(dmGlobal->quReceber->fieldByName("SITUACAO_DOCUMENTO")->asString(), "V");
    EXPECT_DOUBLE_EQ(dmGlobal->quReceber->fieldByName("VALOR_DOCUMENTO")->asFloat(), 250);

    form.bbSalvar->click();
    fechar(form);

    // Reopened by the contract search.
    TfmAssContCad& denovo = abrir();
    pesquisa("ACCODIGO", QString::number(codigo));
    denovo.sbPesqContrato->click();
    EXPECT_EQ(denovo.dbedNumeroContrato->text(), "CT-2031");
    EXPECT_EQ(denovo.pcContrato->activePageIndex(), 0);
    aba(denovo, denovo.tsContParcAberta);
    EXPECT_EQ(denovo.dbgdContRecAberto->model()->rowCount(), 3);
    aba(denovo, denovo.tsItens);
    EXPECT_EQ(denovo.dbgdAssContCadItem->model()->rowCount(), 1);

    // Deleted: the host asks, the data module's rules run.
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    denovo.bbExcluir->click();
    EXPECT_EQ(one(QString("select count(*) from AATC05AC where ACCODIGO = %1").arg(codigo)).toInt(), 0);
    EXPECT_TRUE(ctr().isEmpty()) << "nothing loaded after the deletion";
    EXPECT_EQ(denovo.pcContrato->activePageIndex(), 0);
}

// A divided value forecast from the instalments page: 100,00 in three
// instalments adds up to 100,00, the last taking the cent the division leaves.
TEST_F(ContratoJanelaTest, ADividedValueForecastAddsUpToTheValue)
{
    contrato(801, "ACQUANTIDADEPARCELA", "3");
    exec("update AATC05AC set ACVALORFIXO = 'D' where ACCODIGO = 801");
    TfmAssContCad& form = abrir();
    pesquisa("ACCODIGO", "801");
    form.sbPesqContrato->click();
    aba(form, form.tsContParcAberta);
    dialogs->enter("01/02/2031", "Informe a data Inicial da previsão do contas a receber")
        .acknowledge("Operação efetuada com sucesso! Parcelas criadas:3");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = 801"
                   " order by DATA_VENCIMENTO"),
              (QStringList{"3333", "3333", "3334"}));

    // The run again replaces the forecasts: the last still takes the cent.
    dialogs->enter("01/02/2031", "Informe a data Inicial da previsão do contas a receber")
        .acknowledge("Parcelas criadas:3");
    form.bbPrevisionar->click();
    EXPECT_EQ(lido("select cast(sum(VALOR_DOCUMENTO) * 100 as integer) || '|' || count(*) from ACRC5001"
                   " where AOCODIGO = 801"),
              QStringList{"10000|3"});
}

// Twelve instalments asked are twelve, from a month's last day too, in every
// modality: the asked count, a divided contract's count, each due month once.
TEST_F(ContratoJanelaTest, AForecastMakesExactlyTheInstalmentsAskedFromAMonthsLastDay)
{
    contrato(801, "ACQUANTIDADEPARCELA, ACVALOR", "12, 1234.56");
    exec("update AATC05AC set ACVENCIMENTO = 31 where ACCODIGO = 801");
    contrato(802, "ACQUANTIDADEPARCELA, ACVALOR", "12, 1234.56");
    exec("update AATC05AC set ACVENCIMENTO = 31, ACVALORFIXO = 'D' where ACCODIGO = 802");
    TfmAssContCad& form = abrir();
    const QString meses = "select count(*) || '|' || count(distinct extract(year from DATA_VENCIMENTO) * 100 +"
                          " extract(month from DATA_VENCIMENTO)) || '|' || cast(sum(VALOR_DOCUMENTO) * 100 as integer)"
                          " from ACRC5001 where AOCODIGO = %1";
    struct Caso {
        const char *modalidade, *inicio;
    };
    for (const Caso& c : {Caso{"A", "31/01/2031"}, Caso{"R", "31/01/2031"}, Caso{"I", "31/01/2031"},
                          Caso{"N", "28/02/2031"}, Caso{"A", "30/04/2031"}, Caso{"R", "15/05/2031"}}) {
        SCOPED_TRACE(std::string(c.modalidade) + " " + c.inicio);
        exec(QString("delete from ACRC5001 where AOCODIGO in (801, 802)"));
        exec(QString("update AATC05AC set ACMODALIDADE = '%1' where ACCODIGO in (801, 802)").arg(c.modalidade));
        pesquisa("ACCODIGO", "801");
        form.sbPesqContrato->click();
        aba(form, form.tsContParcAberta);
        dialogs->enter(c.inicio, "Informe a data Inicial da previsão do contas a receber")
            .enter("12", "Informe o número de parcelas")
            .acknowledge("Operação efetuada com sucesso! Parcelas criadas:12");
        form.bbPrevisionar->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(lido(meses.arg(801)), QStringList{"12|12|120000"});

        pesquisa("ACCODIGO", "802");
        form.sbPesqContrato->click();
        aba(form, form.tsContParcAberta);
        dialogs->enter(c.inicio, "Informe a data Inicial da previsão do contas a receber")
            .acknowledge("Operação efetuada com sucesso! Parcelas criadas:12");
        form.bbPrevisionar->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(lido(meses.arg(802)), QStringList{"12|12|123456"}) << "the divided whole, in twelve";
    }
}

// A customer code nobody registered is refused where it is typed, naming the
// field; the contract keeps its customers and the forecast bills the real one.
TEST_F(ContratoJanelaTest, AnUnknownCustomerOrContractingPartyIsRefusedWhereTyped)
{
    contrato(801, "ACCONTRATANTE", "'00004'");
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    pesquisa("ACCODIGO", "801");
    form.sbPesqContrato->click();
    dialogs->setAutoAcknowledgeMessages(true);
    digita(form.dbedCliente, "99999");
    EXPECT_TRUE(dialogs->texts().contains("Cliente (Cobrança): código 99999 não cadastrado.")) << dialogs->texts().join(" | ").toStdString();
    digita(form.dbedContratante, "ZZZ");
    EXPECT_TRUE(dialogs->texts().contains("Contratante: código ZZZ não cadastrado."));
    form.bbSalvar->click();
    EXPECT_EQ(lido("select coalesce(CLCODIGO, '-') || '|' || coalesce(ACCONTRATANTE, '-') from AATC05AC"
                   " where ACCODIGO = 801"),
              QStringList{"00004|00004"});
    dialogs->setAutoAcknowledgeMessages(false);

    // A registered one is taken as before.
    digita(form.dbedContratante, "00004");
    digita(form.dbedCliente, "00002");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select CLCODIGO from AATC05AC where ACCODIGO = 801"), QStringList{"00002"});
    aba(form, form.tsContParcAberta);
    dialogs->enter("01/02/2031", "Informe a data Inicial da previsão do contas a receber")
        .enter("2", "Informe o número de parcelas")
        .acknowledge("Parcelas criadas:2");
    form.bbPrevisionar->click();
    EXPECT_EQ(lido("select distinct CODIGO_CLIENTE from ACRC5001 where AOCODIGO = 801"), QStringList{"00002"});
}

// A divided value is the contract's whole: saving the header keeps it, so
// the instalments are cut from it once however often it is saved, and a
// new whole rewrites the forecasts to add up to it.
TEST_F(ContratoJanelaTest, ADividedValueStaysWholeThroughSavesAndItsForecastsAddUpAfterANewValue)
{
    contrato(801, "ACQUANTIDADEPARCELA", "9");
    exec("update AATC05AC set ACVALORFIXO = 'D' where ACCODIGO = 801");
    TfmAssContCad& form = abrir();
    pesquisa("ACCODIGO", "801");
    form.sbPesqContrato->click();
    const QString cabecalho = "select cast(ACVALORPARCELA * 100 as integer) || '|' ||"
                              " cast(ACVALORPARCELALIQUIDO * 100 as integer) from AATC05AC where ACCODIGO = 801";
    for (const QString numero : {"CT-1", "CT-2", "CT-3"}) {
        digita(form.dbedNumeroContrato, numero);
        form.bbSalvar->click();
        ASSERT_EQ(ctr().state(), DatasetState::Browse);
        EXPECT_EQ(lido(cabecalho), QStringList{"10000|1111"}) << "saved as " << numero.toStdString();
    }
    EXPECT_EQ(form.dbedValorParcela->text(), "100,00");
    // The items page left: the items give a divided value nothing to bring
    // up to date (an unexpected question fails here).
    aba(form, form.tsItens);
    form.dbgdAssContCadItem->setFocus();
    aba(form, form.tsContDadosAdicionais);
    EXPECT_EQ(lido(cabecalho), QStringList{"10000|1111"});

    aba(form, form.tsContParcAberta);
    dialogs->enter("01/02/2031", "Informe a data Inicial da previsão do contas a receber")
        .acknowledge("Parcelas criadas:9");
    form.bbPrevisionar->click();
    const QString previsoes = "select cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = 801"
                              " order by DATA_VENCIMENTO";
    EXPECT_EQ(lido(previsoes),
              (QStringList{"1111", "1111", "1111", "1111", "1111", "1111", "1111", "1111", "1112"}));

    // A new whole: the forecasts take it, the last by due date the cents.
    dialogs->answer("Sim", "Deseja alterar valor das provisões?");
    digita(form.dbedValorParcela, "200");
    form.bbSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido(cabecalho), QStringList{"20000|2222"});
    EXPECT_EQ(lido(previsoes),
              (QStringList{"2222", "2222", "2222", "2222", "2222", "2222", "2222", "2222", "2224"}));

    // Saved again: nothing is cut twice.
    digita(form.dbedNumeroContrato, "CT-4");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select cast(sum(VALOR_DOCUMENTO) * 100 as integer) || '|' || count(*) from ACRC5001"
                   " where AOCODIGO = 801"),
              QStringList{"20000|9"});
}

// A divided contract whose instalment value an earlier save left cut to one
// instalment still has its whole in the contract's value: it is forecast
// from the whole, and the next save stores the whole again.
TEST_F(ContratoJanelaTest, ADividedValueCutByAnEarlierSaveIsForecastAndSavedFromItsWhole)
{
    contrato(801, "ACQUANTIDADEPARCELA, ACVALOR", "9, 100");
    exec("update AATC05AC set ACVALORFIXO = 'D', ACVALORPARCELA = 11.11 where ACCODIGO = 801");
    TfmAssContCad& form = abrir();
    pesquisa("ACCODIGO", "801");
    form.sbPesqContrato->click();
    aba(form, form.tsContParcAberta);
    dialogs->enter("01/02/2031", "Informe a data Inicial da previsão do contas a receber")
        .acknowledge("Parcelas criadas:9");
    form.bbPrevisionar->click();
    const QString total = "select cast(sum(VALOR_DOCUMENTO) * 100 as integer) || '|' || count(*) from ACRC5001"
                          " where AOCODIGO = 801";
    EXPECT_EQ(lido(total), QStringList{"10000|9"});

    dialogs->answer("Sim", "Deseja alterar valor das provisões?");
    digita(form.dbedNumeroContrato, "CT-1");
    form.bbSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    EXPECT_EQ(lido("select cast(ACVALORPARCELA * 100 as integer) || '|' || cast(ACVALOR * 100 as integer)"
                   " from AATC05AC where ACCODIGO = 801"),
              QStringList{"10000|10000"});
    EXPECT_EQ(lido(total), QStringList{"10000|9"});

    // Under equipment rental the contract's value is the instalment: a save
    // leaves it to its own rule.
    parametro("ATOPCAOCONTRATO", "E");
    parametro("ATMODOCOMPOSICAO", "9");
    exec("update AATC05AC set ACVALOR = 50 where ACCODIGO = 801");
    CarregaContrato(801);
    dialogs->answer("Não", "Deseja alterar valor das provisões?");
    digita(form.dbedNumeroContrato, "CT-2");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select cast(ACVALORPARCELA * 100 as integer) || '|' || cast(ACVALOR * 100 as integer)"
                   " from AATC05AC where ACCODIGO = 801"),
              QStringList{"5000|5000"});
}

TEST_F(ContratoJanelaTest, InstalmentsPageLendsItsGuardsAndDeactivationGivesThemBack)
{
    contrato(801);
    receber("000001", "V");
    receber("000002", " ");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    host::data::Query& r = *dmGlobal->quReceber;
    ASSERT_EQ(form.dbgdContRecAberto->model()->rowCount(), 2);

    // A non-forecast row entering edit is cancelled at once.
    r.locate("NUMERO_DOCUMENTO", "000002");
    form.dbgdContRecAberto->setSelectedIndex(form.dbgdContRecAberto->columnByField("VALOR_DESCONTO")->index());
    form.dbgdContRecAberto->setFocus();
    QTest::keyClicks(form.dbgdContRecAberto, "5");
    EXPECT_EQ(r.state(), DatasetState::Browse);
    r.locate("NUMERO_DOCUMENTO", "000001");
    r.edit();
    EXPECT_EQ(r.state(), DatasetState::Edit) << "a forecast may be edited";
    r.cancel();

    // Only forecasts may be deleted from the grid.
    r.locate("NUMERO_DOCUMENTO", "000002");
    dialogs->acknowledge("Não é possível excluir parcelas faturadas! ");
    EXPECT_ANY_THROW(r.remove());
    EXPECT_EQ(one("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = '000002'").toInt(), 1);
    r.locate("NUMERO_DOCUMENTO", "000001");
    r.remove();
    EXPECT_EQ(one("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = '000001'").toInt(), 0);

    // Deactivated, the host's own rules are back: the host deletes any row.
    form.onDeactivate();
    r.locate("NUMERO_DOCUMENTO", "000002");
    r.remove();
    EXPECT_EQ(one("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = '000002'").toInt(), 0);
    EXPECT_EQ(dialogs->pending(), 0);
}

// "Excluir Parcelas" on a main contract takes each forecast of its
// complementary contract of the same document and days with it, on a day
// whose midnight the zone skipped too: the complement's forecast of that day
// is kept at 01:00 (as a forecast made here is), the main one's at 00:00.
TEST_F(ContratoJanelaTest, DeletingTheForecastsTakesTheComplementsOfADayWithoutMidnight)
{
    const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
    parametro("ATOPCAOCONTRATO", "F");
    contrato(801, "ACVINCULO", "'P'");
    contrato(802, "ACVINCULO", "'C'");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (801, 802)");
    const auto previsao = [this](int contratoCodigo, int sequencia, const QString& dia) {
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO)"
                     " values ('110418', '00004', %1, '01', 'V', 100, '%2', '%2', %3)")
                 .arg(sequencia)
                 .arg(dia)
                 .arg(contratoCodigo));
    };
    previsao(801, 1, "2018-11-04 00:00");
    previsao(802, 2, "2018-11-04 01:00");
    previsao(802, 3, "2018-11-05 00:00");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    ASSERT_EQ(form.dbgdContRecAberto->model()->rowCount(), 1);
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    form.bbApagar->click();
    EXPECT_EQ(lido("select AOCODIGO || '/' || cast(SEQUENCIA as integer) from ACRC5001"
                   " where NUMERO_DOCUMENTO = '110418'"),
              QStringList{"802/3"})
        << "the complement's forecast of the next day stays";
    EXPECT_EQ(dialogs->pending(), 0);
}

// A unit whose line on another contract ends on a day whose midnight the
// zone skipped, kept at 00:00 as another program writes it, is in use up to
// that day: a line typed on the vehicles page starting that day is refused;
// once the other line ends the day before, it is written.
TEST_F(ContratoJanelaTest, AUnitInUseUpToADayWithoutMidnightIsRefusedForThatDay)
{
    const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
    parametro("ATMODOVEICULO", "O");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVPLACA, EVSTATUS)"
         " values (3, 'L', 'Gerador', 'GER0003', 'D')");
    contrato(801);
    contrato(802);
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVDATAINICIO, ACEVDATAFIM, ACEVSITUACAO)"
         " values (1, 802, 3, '2018-10-01', '2018-11-04 00:00', 'A')");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsVeiculos);
    host::ui::DataGrid* grade = form.dbgdAssContCadVeiculo;
    const auto linhaDigitada = [&] {
        novaLinhaNaGrade(grade, "EVCODIGO", "3");
        celula(grade, "ACEVDATAINICIO", "04/11/2018");
        celula(grade, "ACEVDATAFIM", "10/11/2018");
        dmTecContrato->quCtrVeiculo->post();
    };
    dialogs->acknowledge("Veículo está sendo utilizado no contrato código 802!");
    EXPECT_ANY_THROW(linhaDigitada());
    EXPECT_EQ(dialogs->pending(), 0);
    dmTecContrato->quCtrVeiculo->cancel();
    EXPECT_EQ(lido("select count(*) from AATC05ACEV where ACCODIGO = 801"), QStringList{"0"});

    outraMesa("update AATC05ACEV set ACEVDATAFIM = '2018-11-03' where ACEVCODIGO = 1");
    linhaDigitada();
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(lido("select extract(day from ACEVDATAINICIO) || '/' || extract(month from ACEVDATAINICIO)"
                   " from AATC05ACEV where ACCODIGO = 801"),
              QStringList{"4/11"});
}

// Another desk writing a line of the unit from 2099 on has not committed
// yet (the unit's status stays as it was): the line typed here for it from
// the same day is refused, not written beside the other.
TEST_F(ContratoJanelaTest, AUnitAnotherDeskIsPuttingOnALineIsRefused)
{
    parametro("ATMODOVEICULO", "O");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVPLACA, EVSTATUS)"
         " values (3, 'L', 'Gerador', 'GER0003', 'D')");
    contrato(801);
    contrato(802);
    dmGlobal->IBTransaction1->commitRetaining();
    host::db::Connection outra;
    outra.open({dbPath});
    auto mesa = std::make_unique<host::db::Transaction>(outra);
    std::swap(dmGlobal->IBTransaction1, mesa);
    host::SegurarEquipamentoLocacao(3);
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVDATAINICIO, ACEVSITUACAO)"
                         " values (900, 802, 3, '2099-01-01', 'A')");
    std::swap(dmGlobal->IBTransaction1, mesa);

    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsVeiculos);
    novaLinhaNaGrade(form.dbgdAssContCadVeiculo, "EVCODIGO", "3");
    celula(form.dbgdAssContCadVeiculo, "ACEVDATAINICIO", "01/01/2099");
    dialogs->acknowledge("Equipamento em gravação em outra estação neste momento: 3. Tente novamente.");
    EXPECT_ANY_THROW(dmTecContrato->quCtrVeiculo->post());
    mesa->commit();
    EXPECT_EQ(dialogs->pending(), 0);
    dmTecContrato->quCtrVeiculo->cancel();
    EXPECT_EQ(lido("select ACCODIGO from AATC05ACEV"), QStringList{"802"});
}

// A unit out on a contract line is in use until the line comes back: a
// vehicle line typed for it is refused naming that contract, then written.
TEST_F(ContratoJanelaTest, AUnitOutOnAContractLineIsRefusedOnAVehicleLineUntilItComesBack)
{
    parametro("ATMODOVEICULO", "O");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVPLACA, EVSTATUS)"
         " values (3, 'L', 'Gerador', 'GER0003', 'D')");
    contrato(801);
    contrato(802);
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, EVCODIGO)"
         " values (1, 802, '00004', 'S0001', 10, 3)");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsVeiculos);
    novaLinhaNaGrade(form.dbgdAssContCadVeiculo, "EVCODIGO", "3");
    dialogs->acknowledge("Veículo está sendo utilizado no contrato código 802!");
    EXPECT_ANY_THROW(dmTecContrato->quCtrVeiculo->post());
    EXPECT_EQ(dialogs->pending(), 0);

    outraMesa("update AATC05ACIT set ACITENCERRADO = 'S' where ACITCODIGO = 1");
    dmTecContrato->quCtrVeiculo->post();
    EXPECT_EQ(lido("select ACCODIGO from AATC05ACEV"), QStringList{"801"});
}

TEST_F(ContratoJanelaTest, InstalmentColoursFollowTheSituationAndTheDueDate)
{
    contrato(801);
    receber("000001", "*");
    receber("000002", "V");
    receber("000003", " ");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO) values ('000004', '00004', 1, '01', ' ', 100,"
         " '2020-01-01', '2099-02-10', 801)");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    host::data::Query& r = *dmGlobal->quReceber;
    // What the grid's drawing asks of each row.
    auto fundo = [&](int linha) {
        host::data::Dataset::RowScope linhaDesenhada(r, linha + 1);
        host::ui::CellStyle estilo;
        form.dbgdContRecAberto->onDrawColumnCell(estilo, 1, *form.dbgdContRecAberto->column(1), false);
        EXPECT_EQ(estilo.foreground, QColor(Qt::black));
        return estilo.background;
    };
    EXPECT_EQ(fundo(0), QColor(166, 202, 240));
    EXPECT_EQ(fundo(1), QColor(255, 255, 213));
    EXPECT_EQ(fundo(2), QColor(255, 213, 213)) << "overdue";
    EXPECT_FALSE(fundo(3).isValid()) << "not yet due: the grid's own colour";
}

TEST_F(ContratoJanelaTest, HeaderChangeRebindsTheLinksAndAdaptsTheFranchise)
{
    contrato(801, "ACVINCULO, ACTIPOFRANQUIA", "'C', 'G'");
    contrato(802, "ACVINCULO", "'P'");
    contrato(803, "ACVINCULO", "'X'");
    parametro("ATOPCAOCONTRATO", "C");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    EXPECT_EQ(form.dbgdContratoVinc->column(0)->fieldName(), "ACCODIGOPRINCIPAL");
    EXPECT_EQ(form.dbgdContratoVinc->column(3)->fieldName(), "ACVALORPARCELAPRINCIPAL");
    EXPECT_TRUE(form.dbgdContratoVinc->readOnlyGrid());
    EXPECT_TRUE(form.dbedQuantidadeFranquia->isHidden()) << "group franchise";
    EXPECT_EQ(form.laTipoFranquia->cursor().shape(), Qt::PointingHandCursor);
    CarregaContrato(802);
    EXPECT_EQ(form.dbgdContratoVinc->column(1)->fieldName(), "CLNOMECOMPLEMENTO");
    EXPECT_FALSE(form.dbgdContratoVinc->readOnlyGrid());
    EXPECT_FALSE(form.dbedQuantidadeFranquia->isHidden());
    CarregaContrato(803);
    EXPECT_EQ(form.dbgdContratoVinc->column(1)->fieldName(), "CLNOMECOMPLEMENTO") << "another link keeps the grid";

    EXPECT_FALSE(form.dbedRenovacaoLimite->isEnabled());
    exec("update AATC05AC set ACRENOVACAO = 'N' where ACCODIGO = 803");
    CarregaContrato(803);
    ASSERT_FALSE(form.dbckRenovacaoAut->isChecked());
    form.dbckRenovacaoAut->click();
    EXPECT_EQ(ctr().fieldByName("ACRENOVACAO")->asString(), "S");
    EXPECT_TRUE(form.dbedRenovacaoLimite->isEnabled());
    form.dbckRenovacaoAut->click();
    EXPECT_TRUE(form.dbedRenovacaoLimite->isEnabled()) << "unticking does not disable it";
}

TEST_F(ContratoJanelaTest, KeysToggleThePagesAndWorkOnlyWhereTheyBelong)
{
    contrato(801);
    receber("000001", "V");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    form.pcContrato->setFocus();
    tecla(form, Qt::Key_F6);
    EXPECT_FALSE(form.tsItens->tabVisible());
    tecla(form, Qt::Key_F6);
    EXPECT_TRUE(form.tsItens->tabVisible());
    tecla(form, Qt::Key_F12);
    EXPECT_TRUE(form.tsContEquip->tabVisible());
    tecla(form, Qt::Key_F11);
    EXPECT_TRUE(form.tsVeiculos->tabVisible()) << "outside the items page F11 toggles the vehicles";

    tecla(form, Qt::Key_F7);   // not on the instalments page: nothing asked
    tecla(form, Qt::Key_F10);  // not on the items page: nothing asked
    parametro("ATUSUARIOMESTRE", "NINGUEM");
    if (!UsuarioMestre()) {
        tecla(form, Qt::Key_L, Qt::ControlModifier);
        EXPECT_TRUE(ctr().active()) << "Ctrl+L only for the master user";
    }

    aba(form, form.tsContParcAberta);
    form.dbgdContRecAberto->setFocus();
    dialogs->enter("10", "Informe % Desconto").answer("Não").acknowledge("Operação efetuada com sucesso!");
    tecla(form, Qt::Key_F7);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(one("select VALOR_DOCUMENTO from ACRC5001 where NUMERO_DOCUMENTO = '000001'").toDouble(), 90);

    aba(form, form.tsVeiculos);
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVSITUACAO) values (1, 801, 1, 'I')");
    dmTecContrato->CarregaContratoVeiculo(801, true);
    EXPECT_EQ(form.dbgdAssContCadVeiculo->model()->rowCount(), 0);
    form.dbgdAssContCadVeiculo->setFocus();
    tecla(form, Qt::Key_F8);
    EXPECT_EQ(form.dbgdAssContCadVeiculo->model()->rowCount(), 1) << "F8 shows the inactive lines";
}

// F7 on the instalments sorted by "Valor": "the other instalments" are those
// due after the one discounted, not the rows the sort puts below it.
TEST_F(ContratoJanelaTest, F7OnASortedListDiscountsTheInstalmentsDueLater)
{
    contrato(801);
    for (auto [documento, vencimento, valor] : {std::tuple{"000001", "2024-01-10", 100}, {"000002", "2024-02-10", 300},
                                                {"000003", "2024-03-10", 200}})
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO)"
                     " values ('%1', '00004', 1, '01', 'V', %2, '2024-01-01', '%3', 801)")
                 .arg(documento)
                 .arg(valor)
                 .arg(vencimento));
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    host::ui::DataGrid* grade = form.dbgdContRecAberto;
    QHeaderView* cabecalho = grade->horizontalHeader();
    const int coluna = grade->columnByField("VALOR_DOCUMENTO")->index();
    QTest::mouseClick(cabecalho->viewport(), Qt::LeftButton, {},
                      QPoint(cabecalho->sectionViewportPosition(coluna) + 5, cabecalho->height() / 2));
    host::data::Dataset& receber = *grade->dataset();
    receber.last();
    ASSERT_EQ(receber.fieldByName("NUMERO_DOCUMENTO")->asString(), "000002") << "the list sorted by value";
    grade->setFocus();
    dialogs->enter("10", "Informe % Desconto").answer("Sim", "Deseja reajustar demais parcelas?");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    tecla(form, Qt::Key_F7);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select NUMERO_DOCUMENTO || ' ' || cast(VALOR_DOCUMENTO as integer) from ACRC5001"
                   " where AOCODIGO = 801 order by DATA_VENCIMENTO"),
              (QStringList{"000001 100", "000002 270", "000003 180"}));
}

// F7 where no instalment is a forecast: nothing changes, and the message
// says so instead of a success.
TEST_F(ContratoJanelaTest, F7WithNoForecastSaysNothingChanged)
{
    contrato(801);
    receber("000001", "");
    receber("000002", "*");
    global->IBTransaction1->commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    form.dbgdContRecAberto->setFocus();
    dialogs->enter("10", "Informe % Desconto").answer("Sim", "Deseja reajustar demais parcelas?");
    dialogs->acknowledge("Nenhuma parcela alterada: só previsões recebem desconto.");
    tecla(form, Qt::Key_F7);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(lido("select cast(VALOR_DOCUMENTO as integer) from ACRC5001 where AOCODIGO = 801"
                   " order by NUMERO_DOCUMENTO"),
              (QStringList{"100", "100"}));
}

TEST_F(ContratoJanelaTest, F3LoadsTheCustomersNewestContractOnItsItemsPage)
{
    contrato(801, "ACDATAIMPLANTACAO", "'2020-01-01'");
    contrato(802, "ACDATAIMPLANTACAO", "'2021-01-01'");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 802, '00004',"
         " 'S0001', 10)");
    TfmAssContCad& form = abrir();
    pesquisa("CODIGO_CLIENTE", "00004");
    tecla(form, Qt::Key_F3);
    EXPECT_EQ(ctr().fieldByName("ACCODIGO")->asInteger(), 802);
    EXPECT_EQ(form.pcContrato->activePage(), form.tsItens);
    EXPECT_EQ(form.dbgdAssContCadItem->model()->rowCount(), 1);

    pesquisa("CODIGO_CLIENTE", "00005");
    dialogs->acknowledge("Cliente não possui contrato");
    tecla(form, Qt::Key_F3);
    EXPECT_EQ(ctr().fieldByName("ACCODIGO")->asInteger(), 802) << "nothing else loaded";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContratoJanelaTest, CustomersItemsWindowMakesTheRegisterWaitAndThenOffersTheNewValue)
{
    contrato(801);
    exec("update AATC05AC set ACVALORFIXO = 'N' where ACCODIGO = 801");
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (801, '00004', 'S')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 801, '00004',"
         " 'S0001', 100)");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsClientesCont);
    ASSERT_EQ(form.dbgdAssContCadClientes->model()->rowCount(), 1);
    EXPECT_EQ(form.paClienteContrato->text(), "Valor Total R$ 100,00 ");

    bool viuJanela = false;
    QTimer::singleShot(0, [&] {
        TfmAssContCadIt* itens = fmAssContCadIt.get();
        ASSERT_NE(itens, nullptr);
        viuJanela = true;
        EXPECT_EQ(itens->caption(), "Itens do Cliente do Contrato");
        EXPECT_EQ(itens->dbgdAssContCadIt->model()->rowCount(), 1);
        EXPECT_EQ(itens->paClienteContrato->text(), "Valor Total R$ 100,00    ");
        host::data::Query& it = *dmTecContrato->quCtrCadastroIt;
        it.edit();
        it.fieldByName("ACITVALOR")->setAsFloat(130);
        itens->close();
    });
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    dialogs->answer("Não", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    form.dbgdAssContCadClientes->setSelectedIndex(form.dbgdAssContCadClientes->columnByField("Valor")->index());
    form.dbgdAssContCadClientes->editButtonClick();
    EXPECT_TRUE(viuJanela);
    EXPECT_EQ(fmAssContCadIt.get(), nullptr);
    EXPECT_EQ(one("select ACITVALOR from AATC05ACIT where ACITCODIGO = 1").toDouble(), 130) << "saved on close";
    EXPECT_EQ(dialogs->pending(), 0) << "the instalment value changed: asked";
    EXPECT_FALSE(dmTecContrato->quCtrCadastroIt->active());
}

// Another desk's item totalled the contract while this desk makes a customer
// inactive in the customers grid: the change is not refused, and the
// instalment counts the active customers' items as stored.
TEST_F(ContratoJanelaTest, ACustomerMadeInactiveAfterAnotherDesksItemIsNotRefused)
{
    contrato(801);
    exec("update AATC05AC set ACVALORFIXO = 'N' where ACCODIGO = 801");
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (801, '00004', 'S')");
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (801, '00005', 'S')");
    const QString item = "insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (%1)";
    exec(item.arg("1, 801, '00004', 'S0001', 100"));
    exec(item.arg("2, 801, '00005', 'S0001', 40"));
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsClientesCont);
    outraMesa(item.arg("3, 801, '00005', 'S0002', 30"));
    outraMesa("update AATC05AC set ACVALOR = 170, ACVALORPARCELA = 170 where ACCODIGO = 801");
    ASSERT_EQ(dmTecContrato->quContratoCli->fieldByName("CLCODIGO")->asString(), "00004");
    celula(form.dbgdAssContCadClientes, "ACCLATIVO", "N", Qt::Key_Down);
    EXPECT_EQ(dialogs->failures(), QStringList{});
    EXPECT_EQ(lido("select ACCLATIVO || ' ' || (select cast(ACVALORPARCELA as integer) from AATC05AC"
                   " where ACCODIGO = 801) from AATC05ACCL where CLCODIGO = '00004'"),
              QStringList{"N 70"});
}

TEST_F(ContratoJanelaTest, RecordButtonsBrowseCancelAndPrintTheHeader)
{
    for (int codigo : {801, 802, 803})
        contrato(codigo);
    TfmAssContCad& form = abrir();
    CarregaContrato(802);
    form.pcContrato->setActivePage(form.tsContFinanceiro);
    form.sbAnt->click();
    EXPECT_EQ(ctr().fieldByName("ACCODIGO")->asInteger(), 801);
    EXPECT_EQ(form.pcContrato->activePageIndex(), 0);
    form.sbProx->click();
    form.sbProx->click();
    EXPECT_EQ(ctr().fieldByName("ACCODIGO")->asInteger(), 803);
    form.sbProx->click();
    EXPECT_EQ(ctr().fieldByName("ACCODIGO")->asInteger(), 803) << "the last one stays";

    digita(form.dbedNumeroContrato, "Outro");
    EXPECT_EQ(ctr().state(), DatasetState::Edit);
    form.bbCancelar->click();
    EXPECT_EQ(form.dbedNumeroContrato->text(), "N803");

    QString vista;
    dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
        vista = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbRelatorio->click();
    EXPECT_TRUE(vista.contains("N803")) << vista.toStdString();
    // Titled as the window names the fields, never by the table's columns.
    EXPECT_TRUE(vista.contains("Nº do Contrato")) << vista.toStdString();
    for (const char* coluna : {"ACLIMITEHORAS", "ACNUMEROCONTRATO", "CLCODIGO"})
        EXPECT_FALSE(vista.contains(coluna)) << coluna;
}

TEST_F(ContratoJanelaTest, AnUnknownObjectCodeIsRefusedWhereTyped)
{
    contrato(801, "AJCODIGO", "31");
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO) values (31, 'Suporte')");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    dialogs->acknowledge("Código do Objeto não encontrado: 99");
    digita(form.dbedObjeto, "99");
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    dialogs->acknowledge("Código do Objeto não encontrado: 99");   // the save meets it again
    form.bbSalvar->click();
    QTest::keyClick(form.dbedObjeto, Qt::Key_Escape);
    aba(form, form.tsContFinanceiro);
    dialogs->acknowledge("Código do Objeto Auxiliar não encontrado: 98");
    digita(form.dbedObjetoAuxiliar, "98");
    dialogs->acknowledge("Código do Objeto Auxiliar não encontrado: 98");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select AJCODIGO || '|' || coalesce(AJCODIGOAUXILIAR, 0) from AATC05AC where ACCODIGO = 801"),
              QStringList{"31|0"});
}

// A clerk's reason longer than its column: the box stops where the column
// does, and what it took is stored whole.
TEST_F(ContratoJanelaTest, AClerksReasonBoxTakesWhatItsColumnHoldsAndItIsStoredWhole)
{
    contrato(801);
    entrarComo("JOAO");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    digita(form.dbedNumeroContrato, "N801-B");
    testsupport::OnScreenDialogs naTela;
    QString caixa;
    naTela.whileOpen([&](QWidget& dialogo) {
        auto* texto = dialogo.findChild<QLineEdit*>();
        QTest::keyClicks(texto, QString(300, QChar('x')));
        caixa = texto->text();
    }).press("OK");
    form.bbSalvar->click();
    EXPECT_EQ(caixa.size(), 84);
    EXPECT_EQ(lido("select RESUMIDA from CADCOM where CONTRATO = 801"), QStringList{"[Geral] Motivo: " + caixa});
}

TEST_F(ContratoJanelaTest, DatesTypedWithoutSlashesTakeTheDateMask)
{
    contrato(801);
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    digita(form.dbedInicio, "01112026");
    digita(form.dbedTermino, "31102027");
    digita(form.dbedDataBase, "01112026");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select cast(ACDATAIMPLANTACAO as date) || '|' || cast(ACDATAVALIDADE as date) || '|' ||"
                   " cast(ACDATABASE as date) from AATC05AC where ACCODIGO = 801"),
              QStringList{"01-NOV-2026|31-OCT-2027|01-NOV-2026"});
}

TEST_F(ContratoJanelaTest, HeaderPickersWriteTheirChoiceAndACancelChangesNothing)
{
    contrato(801);
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO) values (31, 'Suporte')");
    exec("insert into AGPC7601 (MOEDA, DESCRICAO) values ('IGPM', 'IGP-M')");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    pesquisa("AJCODIGO", "31");
    form.sbPesqObj->click();
    EXPECT_EQ(ctr().fieldByName("AJCODIGO")->asInteger(), 31);
    pesquisa("AJCODIGO", "31");
    form.sbPesqObjAux->click();
    EXPECT_EQ(ctr().fieldByName("AJCODIGOAUXILIAR")->asInteger(), 31);
    pesquisa("CODIGO_CLIENTE", "00003");
    form.sbPesqContratante->click();
    EXPECT_EQ(ctr().fieldByName("ACCONTRATANTE")->asString(), "00003");
    pesquisa("MOEDA", "IGPM");
    form.sbPesqMoeda->click();
    EXPECT_EQ(ctr().fieldByName("ACMULTAINDICE")->asString(), "IGPM");
    form.bbSalvar->click();

    dialogs->modal("fmPesquisa", [](Form& janela) { QTest::keyClick(janela.focusWidget(), Qt::Key_Escape); });
    form.sbPesqMoeda->click();
    EXPECT_EQ(ctr().state(), DatasetState::Browse) << "the index search edits only on a choice";
    dialogs->modal("fmPesquisa", [](Form& janela) { QTest::keyClick(janela.focusWidget(), Qt::Key_Escape); });
    form.sbPesqCli->click();
    EXPECT_EQ(ctr().fieldByName("CLCODIGO")->asString(), "00004") << "cancelled: the customer stays";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContratoJanelaTest, CashForecastDialogLendsTheContractRuleAndGivesTheHostsBack)
{
    contrato(801);
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    bool contratoNaJanela = false;
    dialogs->modal("fmCXPrevisao", [&](Form&) {
        host::data::Dataset& previsao = *dmGlobal->quCXPrev;
        previsao.append();
        contratoNaJanela = previsao.fieldByName("ACCODIGO")->asInteger() == 801;
        previsao.cancel();
    });
    form.sbCaixa->click();
    EXPECT_TRUE(contratoNaJanela);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContratoJanelaTest, ListingKeysAndTheMasterUsersContractListing)
{
    contrato(801);
    contrato(802);
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 801, '00004',"
         " 'S0001', 10)");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (2, 802, '00003',"
         " 'S0002', 20)");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    int etiquetaDurante = -1, itensListados = 0;
    dialogs->modal("fmPesquisa", [&](Form& janela) {
        etiquetaDurante = dmTecContrato->quCtrCadastroIt->tag();
        itensListados = static_cast<TfmPesquisa&>(janela).grid()->model()->rowCount();
        EXPECT_EQ(janela.caption(), "Itens de Todos Contratos");
    });
    tecla(form, Qt::Key_F2);
    EXPECT_EQ(etiquetaDurante, 2) << "item posts save the header again while listed";
    EXPECT_EQ(dmTecContrato->quCtrCadastroIt->tag(), 0);
    EXPECT_EQ(itensListados, 2);

    ASSERT_TRUE(UsuarioMestre());
    int contratosListados = 0;
    dialogs->modal("fmPesquisa", [&](Form& janela) {
        EXPECT_EQ(janela.caption(), "Contratos");
        contratosListados = static_cast<TfmPesquisa&>(janela).grid()->model()->rowCount();
        ctr().locate("ACCODIGO", 802);
    });
    tecla(form, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(contratosListados, 2);
    EXPECT_EQ(form.dbedNumeroContrato->text(), "N802") << "the contract left current";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContratoJanelaTest, F5SplitsTheInstalmentByADueDateTable)
{
    contrato(801);
    exec("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES, DIA__INICIAL) values ('T2', 'Duas vezes', 2, 30)");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    pesquisa("CODIGO", "T2");
    dialogs->setAutoAcknowledgeMessages(true);
    tecla(form, Qt::Key_F5);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 801").toInt(), 2);
    EXPECT_EQ(one("select sum(VALOR_DOCUMENTO) from ACRC5001 where AOCODIGO = 801").toDouble(), 100);
    EXPECT_EQ(form.dbgdContRecAberto->model()->rowCount(), 2) << "reloaded";
}

TEST_F(ContratoJanelaTest, F5AgainOnASplitContractIsRefusedInWordsAndKeepsTheFirstSplit)
{
    contrato(801);
    exec("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES, DIA__INICIAL) values ('T2', 'Duas vezes', 2, 30)");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    dialogs->setAutoAcknowledgeMessages(true);
    pesquisa("CODIGO", "T2");
    tecla(form, Qt::Key_F5);
    dmGlobal->IBTransaction1->commitRetaining();
    ASSERT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 801"), QStringList{"2"});
    // The same split again: the contract's number and sequences are taken.
    pesquisa("CODIGO", "T2");
    tecla(form, Qt::Key_F5);
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(dialogs->texts().filter("já tem o título 000801, sequência 1.").size(), 1) << dialogs->texts().join('|').toStdString();
    EXPECT_TRUE(dialogs->texts().filter("duplicate").isEmpty());
    EXPECT_EQ(lido("select cast(SEQUENCIA as integer) || '|' || cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001"
                   " where AOCODIGO = 801 order by SEQUENCIA"),
              (QStringList{"1|5000", "2|5000"}));
}

TEST_F(ContratoJanelaTest, F5WithoutAStoredContractLeavesNoInstalment)
{
    contrato(801);
    exec("insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES, DIA__INICIAL) values ('T2', 'Duas vezes', 2, 30)");
    const QString orfas = "select count(*) from ACRC5001 r where not exists (select 1 from AATC05AC c"
                          " where c.ACCODIGO = r.AOCODIGO)";
    TfmAssContCad& form = abrir();
    dialogs->setAutoAcknowledgeMessages(true);
    // The empty header the screen opens on.
    pesquisa("CODIGO", "T2");
    tecla(form, Qt::Key_F5);
    EXPECT_EQ(one(orfas).toInt(), 0) << "no contract, no customer: nothing to split";
    EXPECT_EQ(dialogs->pending(), 1) << "no table is asked; the answer waits for the next search";
    // A new contract given up: its number goes to the next contract.
    form.bbNovo->click();
    ASSERT_EQ(ctr().state(), DatasetState::Insert);
    tecla(form, Qt::Key_F5);
    form.bbCancelar->click();
    EXPECT_EQ(one(orfas).toInt(), 0) << "instalments under an unsaved number go to the next contract given it";
}

TEST_F(ContratoJanelaTest, ItemsPageKeysReadingsCompositionsAndItemButtons)
{
    contrato(801);
    parametro("ATOPCAOCONTRATO", "T");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 801, '00004',"
         " 'S0001', 100)");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsItens);
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    ASSERT_EQ(form.dbgdAssContCadItem->model()->rowCount(), 1);
    dialogs->answer("Sim", "Deseja encerrar o item do contrato Mão de obra técnica (hora)");
    form.btEncerrarItem->click();
    EXPECT_EQ(one("select ACITENCERRADO from AATC05ACIT where ACITCODIGO = 1").toString(), "S");
    dialogs->answer("Não", "Deseja devolver o item do contrato");
    form.btDevolverItem->click();
    EXPECT_TRUE(one("select ACITDEVOLVIDO from AATC05ACIT where ACITCODIGO = 1").isNull());

    form.dbgdAssContCadItem->setFocus();
    tecla(form, Qt::Key_F10);   // only under option C
    EXPECT_EQ(dialogs->pending(), 0);
    tecla(form, Qt::Key_F11);
    EXPECT_NE(fmAssContCadCM.get(), nullptr) << "F11 on the items page opens the compositions";
    EXPECT_FALSE(form.tsVeiculos->tabVisible());
    EXPECT_TRUE(itens.active());
}

TEST_F(ContratoJanelaTest, F10EntersTheReadingsOfTheItemsUnderOptionC)
{
    contrato(801);
    parametro("ATOPCAOCONTRATO", "C");
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (3, 'Copiadora', 'M')");
    for (int i = 1; i <= 2; ++i) {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (%1, 801,"
                     " '00004', 'S0001', 10)")
                 .arg(i));
        exec(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, COCODIGO, EVCODIGO, ACITCODATA,"
                     " ACITCODATAFATURAMENTO, ACITCOCONTADORTOTAL) values (%1, %1, 3, 0, '2031-01-05', '2031-01-05',"
                     " %2)")
                 .arg(i)
                 .arg(i * 1000));
    }
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsItens);
    form.dbgdAssContCadItem->setFocus();
    dialogs->enter("05/02/2031", "Informe a data").enter("1500").enter("2600").acknowledge(
        "Operação efetuada com sucesso.");
    tecla(form, Qt::Key_F10);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(one("select count(*) from AATC05ACITCO where ACITCODATAFATURAMENTO = '2031-02-05'").toInt(), 2);
}

TEST_F(ContratoJanelaTest, InstalmentButtonsOpenTheObservationAndTheCashForecast)
{
    contrato(801);
    receber("000001", "V");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    dialogs->modal("fmObservacao", [](Form& janela) {
        auto* memo = janela.findChild<QPlainTextEdit*>();
        ASSERT_NE(memo, nullptr);
        memo->setFocus();
        QTest::keyClicks(memo, "Cobrar na portaria");
        janela.setModalResult(host::ui::ModalResult::Ok);
    });
    form.dbgdContRecAberto->setSelectedIndex(form.dbgdContRecAberto->columnByField("OBSERVACAO")->index());
    form.dbgdContRecAberto->editButtonClick();
    EXPECT_EQ(one("select OBTEXTO from AUGC70OB where OBID = 'R' and OBCODIGO = '00000100004' || '1'").toString(),
              "Cobrar na portaria");

    bool caixa = false;
    dialogs->modal("fmCXPrevisao", [&](Form&) { caixa = true; });
    form.dbgdContRecAberto->setSelectedIndex(form.dbgdContRecAberto->columnByField("VALOR_DOCUMENTO")->index());
    form.dbgdContRecAberto->editButtonClick();
    EXPECT_TRUE(caixa);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContratoJanelaTest, LinkedContractsSearchAndDoubleClickOpenTheOtherSide)
{
    contrato(801, "ACVINCULO", "'P'");
    contrato(802, "ACVINCULO", "'C'");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (801, 802)");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    ASSERT_GT(dmTecContrato->quContratoVin->recordCount(), 0) << "the header's scroll loads its links";
    form.dbgdContratoVinc->onDblClick();
    EXPECT_EQ(ctr().fieldByName("ACCODIGO")->asInteger(), 802);
    EXPECT_EQ(form.dbgdContratoVinc->column(0)->fieldName(), "ACCODIGOPRINCIPAL");
    form.dbgdContratoVinc->onDblClick();
    EXPECT_EQ(ctr().fieldByName("ACCODIGO")->asInteger(), 801);
}

TEST_F(ContratoJanelaTest, LabelsOpenTheObjectRegisterAndTheHostRegisters)
{
    contrato(801, "ACTIPOFRANQUIA", "'G'");
    criarPrincipal();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    QTest::mouseClick(form.Label20, Qt::LeftButton);
    EXPECT_NE(fmAssContObj.get(), nullptr) << "the billing-object register";
    fmAssContObj->close();
    QTest::mouseClick(form.Label24, Qt::LeftButton);
    QWidget* historicos = host::ui::WindowRegistry::find("fmCadastroHC");
    ASSERT_NE(historicos, nullptr) << "the history register";
    historicos->close();
    bool franquia = false;
    dialogs->modal("fmPesquisa", [&](Form& janela) { franquia = janela.caption() == "Franquia por Grupo"; });
    QTest::mouseClick(form.laTipoFranquia, Qt::LeftButton);
    EXPECT_TRUE(franquia);
    QTest::mouseClick(form.Label55, Qt::LeftButton);
    EXPECT_EQ(iPMCCodigoContrato, 801);
    EXPECT_EQ(dialogs->pending(), 0);
}

// The group franchise list: titled columns, the key and the contract left
// alone, a cell edited by typing over it.
TEST_F(ContratoJanelaTest, TheGroupFranchiseListIsTitledKeepsItsKeysAndEditsByTyping)
{
    contrato(801, "ACTIPOFRANQUIA", "'G'");
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (7, 'Copiadoras', 'G')");
    exec("insert into AATC05FG (FGCODIGO, COCODIGO, ACCODIGO, FGFRANQUIA) values (1, 7, 801, 1000)");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    QStringList titulos, editaveis;
    dialogs->modal("fmPesquisa", [&](Form& janela) {
        host::ui::DataGrid* grade = static_cast<host::ui::SearchWindow&>(janela).grid();
        for (int i = 0; i < grade->columnCount(); ++i) {
            titulos << grade->column(i)->title();
            if (grade->model()->flags(grade->model()->index(0, i)) & Qt::ItemIsEditable)
                editaveis << grade->column(i)->fieldName();
        }
        grade->setFocus();
        grade->setSelectedIndex(grade->columnByField("FGFRANQUIA")->index());
        QTest::keyClick(grade, Qt::Key_1);   // typed over the cell, no F2
        auto* editor = qobject_cast<QLineEdit*>(grade->indexWidget(grade->currentIndex()));
        ASSERT_NE(editor, nullptr) << "typing opens the cell";
        QTest::keyClicks(editor, "500");
        QTest::keyClick(editor, Qt::Key_Return);
    });
    QTest::mouseClick(form.laTipoFranquia, Qt::LeftButton);
    EXPECT_EQ(titulos, (QStringList{"Código", "Grupo", "Franquia", "Valor do Excedente", "Contrato",
                                    "Descrição do Grupo"}));
    EXPECT_EQ(editaveis, (QStringList{"COCODIGO", "FGFRANQUIA", "FGVALORDOEXC"}));
    EXPECT_EQ(lido("select cast(FGFRANQUIA as integer) from AATC05FG"), QStringList{"1500"});
}

TEST_F(ContratoJanelaTest, StatementsOfLoadingAContractAndItsInstalmentsPage)
{
    contrato(801);
    for (int i = 1; i <= 3; ++i)
        receber(QString("00000%1").arg(i), "V");
    TfmAssContCad& form = abrir();
    testsupport::StatementCounter carga;
    CarregaContrato(801);
    const int contratoCarregado = carga.count();
    testsupport::StatementCounter parcelas;
    aba(form, form.tsContParcAberta);
    const int paginaParcelas = parcelas.count();
    testsupport::StatementCounter salvar;
    digita(form.dbedNumeroContrato, "N801-A");
    form.bbSalvar->click();
    const int contratoSalvo = salvar.count();
    // The header and its links; the instalments once as the page shows and
    // once by the page change, whatever their number; the header's ordered
    // post (its rules, the new number's hold and check) and the reload.
    EXPECT_EQ(contratoCarregado, 2);
    EXPECT_EQ(paginaParcelas, 2);
    EXPECT_EQ(form.dbgdContRecAberto->model()->rowCount(), 3);
    EXPECT_EQ(contratoSalvo, 11);
}

TEST_F(ContratoJanelaTest, PictureOfTheWindowWithAContract)
{
    contrato(801, "ACDATAIMPLANTACAO, ACDATAVALIDADE, ACOBJETO, ACTEXTO",
             "'2031-01-01', '2031-12-31', 'Manutenção preventiva mensal', 'Atendimento em horário comercial'");
    parametro("ATOPCAOCONTRATO", "C");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    form.resize(900, 720);
    guardaFoto(form, "fmAssContCad_801.png");
    EXPECT_EQ(form.dbedNumeroContrato->text(), "N801");
    // Every other page read as the first one.
    for (int i = 1; i < form.pcContrato->pageCount(); ++i) {
        host::ui::TabSheet* pagina = form.pcContrato->page(i);
        if (!pagina->tabVisible())
            continue;
        form.pcContrato->setActivePage(pagina);
        SCOPED_TRACE(pagina->objectName().toStdString());
        confereLegivel(form);
    }
}

// A customer's items window over the register, as a person sees it.
TEST_F(ContratoJanelaTest, PictureOfTheCustomersItemsWindow)
{
    contrato(801);
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (801, '00004', 'S')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 801, '00004',"
         " 'S0001', 100)");
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsClientesCont);
    guardaFoto(form, "fmAssContCad_801_clientes.png");
    bool viuJanela = false;
    QTimer::singleShot(0, [&] {
        TfmAssContCadIt* itens = fmAssContCadIt.get();
        ASSERT_NE(itens, nullptr);
        viuJanela = true;
        EXPECT_EQ(itens->dbgdAssContCadIt->model()->rowCount(), 1);
        guardaFoto(*itens, "fmAssContCadIt.png");
        itens->close();
    });
    dialogs->setAutoAcknowledgeMessages(true);
    form.dbgdAssContCadClientes->setSelectedIndex(form.dbgdAssContCadClientes->columnByField("Valor")->index());
    form.dbgdAssContCadClientes->editButtonClick();
    EXPECT_TRUE(viuJanela);
}

// The cash forecast the register opens, as a person sees it.
TEST_F(ContratoJanelaTest, PictureOfTheCashForecastDialog)
{
    contrato(801);
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    bool viuJanela = false;
    dialogs->modal("fmCXPrevisao", [&](Form& janela) {
        viuJanela = true;
        guardaFoto(janela, "fmCXPrevisao.png");
    });
    form.sbCaixa->click();
    EXPECT_TRUE(viuJanela);
}

// Two desks on one contract: the other desk's due day saved while this one
// had the contract open is neither overwritten nor lost; this desk's save
// is refused with the contract read again, and saves once redone.
TEST_F(ContratoJanelaTest, AContractSavedMeanwhileAtAnotherDeskIsRefusedAndReadAgain)
{
    contrato(803);
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    pesquisa("ACCODIGO", "803");
    form.sbPesqContrato->click();
    ASSERT_EQ(form.dbedVencimento->text(), "10");

    outraMesa("update AATC05AC set ACVENCIMENTO = 5 where ACCODIGO = 803");
    digita(form.dbedNumeroContrato, "N803-B");
    dialogs->acknowledge("O registro foi alterado por outro usuário. Recarregue e tente de novo.");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select ACVENCIMENTO || '/' || ACNUMEROCONTRATO from AATC05AC where ACCODIGO = 803"),
              QStringList{"5/N803"});
    EXPECT_EQ(ctr().state(), DatasetState::Browse);
    EXPECT_EQ(form.dbedVencimento->text(), "5") << "the row as the other desk left it";
    EXPECT_EQ(form.dbedNumeroContrato->text(), "N803");

    digita(form.dbedNumeroContrato, "N803-B");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select ACVENCIMENTO || '/' || ACNUMEROCONTRATO from AATC05AC where ACCODIGO = 803"),
              QStringList{"5/N803-B"});
}

}  // namespace
}  // namespace moduletest

