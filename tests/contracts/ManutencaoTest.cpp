// Forecast maintenance: the contract edits that rewrite, move or delete the
// forecasts, the billing-object change, item receivables and the forecasts
// of complementary contracts.

#include "tests/contracts/ContractsFixture.h"

#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"
#include "host/ui/Form.h"

#include <QPushButton>

#include <memory>

namespace contractstest {
namespace {

class ManutencaoTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        for (const char* sql : {
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0001', 'Um')",
                 "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF, CXCODIGO, AJPERIODO,"
                 " AJTIPOPAGAMENTO) values (4, 'Manutenção', 'Manutenção mensal', '2', '1.01', 'M', '2')",
                 "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF, CXCODIGO, AJPERIODO,"
                 " AJTIPOPAGAMENTO, HCCODIGO) values (5, 'Suporte', 'Suporte técnico', '2', '1.02', 'M', '3', 8)",
                 "insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO,"
                 " ACVALORPARCELA, ACLOCAL, AJCODIGO, ACSITUACAO)"
                 " values (7, 'C0001', 'R', 'M', 10, 'S', 100, '01', 4, 'A')",
             })
            exec(sql);
        global->SetParametro("ATPREVISAOCAIXA", "S");
        global->IBTransaction1->commitRetaining();
    }

    void previsoes(const QString& inicio = "10/01/2031", const QString& fim = "10/04/2031")
    {
        int contador = 0;
        InserirParcelasContrato("R", inicio, fim, "C0001", false, "10", 7, 100, "01", "2", "", inicio, "M", contador,
                                4, "01", "", false, "", false, nullptr, 0, 0);
    }

    void abreContrato()
    {
        CarregaContrato(7);
        dm->quCtrCadastro->edit();
    }

    host::data::Field* campo(const char* nome) { return dm->quCtrCadastro->fieldByName(nome); }

    QStringList vencimentos()
    {
        QStringList out;
        host::db::Statement st(*global->IBTransaction1,
                               "select DATA_VENCIMENTO from ACRC5001 where SITUACAO_DOCUMENTO = 'V' order by 1");
        st.execute();
        while (st.fetch())
            out << st.value(0).toDateTime().date().toString("yyyy-MM-dd");
        return out;
    }
};

TEST_F(ManutencaoTest, InstalmentValueMarksOnlyARealChange)
{
    abreContrato();
    campo("ACVALORPARCELA")->setText("100");
    EXPECT_EQ(dm->quCtrCadastro->tag(), 0);
    campo("ACVALORPARCELA")->setText("0");
    EXPECT_EQ(dm->quCtrCadastro->tag(), 0);
    EXPECT_TRUE(campo("ACVALORANTERIOR")->isNull());
    campo("ACVALORPARCELA")->setText("120");
    EXPECT_EQ(dm->quCtrCadastro->tag(), 9);
    EXPECT_DOUBLE_EQ(campo("ACVALORANTERIOR")->asFloat(), 100);
}

TEST_F(ManutencaoTest, SavedNewValueRewritesForecastsAndTheirCash)
{
    previsoes();
    abreContrato();
    campo("ACVALORPARCELA")->setText("120,5");
    dialogs->answer("Sim", "Deseja alterar valor das provisões?");
    dm->quCtrCadastro->post();
    EXPECT_EQ(dm->quCtrCadastro->tag(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001 where VALOR_DOCUMENTO = 120.5").toInt(), 3);
    EXPECT_EQ(one("select count(*) from ACXC94XP where XPVALOR = 120.5").toInt(), 3);
    EXPECT_EQ(one("select count(*) from ACXC94XP").toInt(), 3);
    EXPECT_EQ(one("select count(*) from ARQLOG where ACAO = 'Deletou Previsão do CR' and TABELA = 'ACXC94XP'").toInt(),
              3);
    EXPECT_DOUBLE_EQ(one("select ACVALORANTERIOR from AATC05AC").toDouble(), 100);
}

// A receivable of a contract item carries the item's value (and maybe its
// own customer): a new instalment value of the contract leaves it and its
// cash forecast alone.
TEST_F(ManutencaoTest, NewValueLeavesTheItemsOwnReceivablesAlone)
{
    previsoes();
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " AOCODIGO, ACITCODIGO, VALOR_DOCUMENTO, DATA_VENCIMENTO) values ('000777', 'C0001', 1, '01', 'V', 7, 3, 45,"
         " '2031-02-05')");
    abreContrato();
    campo("ACVALORPARCELA")->setText("120,5");
    dialogs->answer("Sim", "Deseja alterar valor das provisões?");
    dm->quCtrCadastro->post();
    EXPECT_EQ(one("select count(*) from ACRC5001 where VALOR_DOCUMENTO = 120.5").toInt(), 3);
    EXPECT_DOUBLE_EQ(one("select VALOR_DOCUMENTO from ACRC5001 where ACITCODIGO = 3").toDouble(), 45);
    EXPECT_EQ(one("select count(*) from ACXC94XP where XPDOCUMENTO = '000777'").toInt(), 0);
}

// The cash template rebuilt from the items commits; a forecast whose new
// cash rows fail keeps its old value and its old cash rows all the same.
TEST_F(ManutencaoTest, AForecastWhoseCashFailsKeepsItsValueAndCashAlsoWhenTheTemplateIsRebuilt)
{
    global->SetParametro("ATCONTAPREVISAOPRODUTO", "P");
    previsoes();
    ASSERT_EQ(one("select count(*) from ACXC94XP where XPDOCUMENTO = '100231'").toInt(), 1);
    exec("create exception E_CAIXA 'sem caixa'");
    exec("create trigger T_CAIXA for ACXC94XP before insert as begin"
         " if (new.XPDOCUMENTO = '100231') then exception E_CAIXA; end");
    abreContrato();
    campo("ACVALORPARCELA")->setText("120,5");
    dialogs->answer("Sim", "Deseja alterar valor das provisões?");
    EXPECT_ANY_THROW(dm->quCtrCadastro->post());
    global->IBTransaction1->commitRetaining();
    EXPECT_DOUBLE_EQ(one("select VALOR_DOCUMENTO from ACRC5001 where NUMERO_DOCUMENTO = '100231'").toDouble(), 100);
    EXPECT_EQ(one("select count(*) from ACXC94XP where XPDOCUMENTO = '100231'").toInt(), 1);
}

TEST_F(ManutencaoTest, TemplateIsReviewedFirstWithTheContractsNewRowRule)
{
    exec("update AATC05AC set ACVALORPARCELALIQUIDO = 100");
    global->InserirCXPrevisao({}, {}, "01", "C", {}, "1.01", {}, 0, 60, false, {}, 7, -1);
    abreContrato();
    campo("ACVALORPARCELA")->setText("110");
    double proposto = 0;
    dialogs->modal("fmCXPrevisao", [&](host::ui::Form& form) {
        form.findChild<QPushButton*>("bbIncluir")->click();
        proposto = global->quCXPrev->fieldByName("XPVALOR")->asFloat();
        global->quCXPrev->fieldByName("XCCODIGO")->setAsString("1.02");
        form.findChild<QPushButton*>("bbConfirmar")->click();
    });
    dm->quCtrCadastro->post();
    // The post has recomputed the net instalment (110) before the review.
    EXPECT_DOUBLE_EQ(proposto, 50);
    EXPECT_EQ(one("select count(*) from ACXC94XP where XPID = 'C' and ACCODIGO = 7 and XPLOCAL = '01'").toInt(), 2);
    EXPECT_TRUE(global->quCXPrev->onNewRecord != nullptr);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ManutencaoTest, DueDayMovesForecastsAndFebruaryTakesThe28th)
{
    previsoes();
    abreContrato();
    dialogs->answer("Sim", "Deseja mudar vencimento das parcelas de provisão?");
    campo("ACVENCIMENTO")->setText("30");
    EXPECT_EQ(vencimentos(), (QStringList{"2031-01-10", "2031-02-10", "2031-03-10"})) << "they move with the save";
    dm->quCtrCadastro->post();
    EXPECT_EQ(vencimentos(), (QStringList{"2031-01-30", "2031-02-28", "2031-03-30"}));
    // Forecasting the same span again replaces them: no second row for a month.
    int contador = 0;
    InserirParcelasContrato("R", "10/01/2031", "10/04/2031", "C0001", false, "30", 7, 100, "01", "2", "",
                            "10/01/2031", "M", contador, 4, "01", "", false, "", false, nullptr, 0, 0);
    EXPECT_EQ(vencimentos(), (QStringList{"2031-01-30", "2031-02-28", "2031-03-30"}));
    EXPECT_EQ(one("select count(*) from ACXC94XP").toInt(), 3);
}

// Day 31 is a due day as the forecasts make it: each month's last day where
// the month is shorter. A day no month has is refused and moves nothing.
TEST_F(ManutencaoTest, DueDay31MovesForecastsToTheMonthsLastDayWhereShorter)
{
    previsoes();
    abreContrato();
    EXPECT_ANY_THROW(campo("ACVENCIMENTO")->setText("32"));
    EXPECT_EQ(messages(), QStringList{"Dia inválido para vencimento"});
    EXPECT_EQ(campo("ACVENCIMENTO")->asInteger(), 10) << "the refused day is not kept";
    EXPECT_EQ(vencimentos(), (QStringList{"2031-01-10", "2031-02-10", "2031-03-10"}));
    dialogs->answer("Sim", "Deseja mudar vencimento das parcelas de provisão?");
    campo("ACVENCIMENTO")->setText("31");
    EXPECT_EQ(campo("ACVENCIMENTO")->asInteger(), 31);
    dm->quCtrCadastro->post();
    EXPECT_EQ(vencimentos(), (QStringList{"2031-01-31", "2031-02-28", "2031-03-31"}));
}

TEST_F(ManutencaoTest, EndingDeletesForecastsOnlyWhenSaved)
{
    global->SetParametro("ATSENHAEXCLUSAORECEBER", "123");
    previsoes();
    abreContrato();
    // Suspended: the validity stays; the forecasts go only with the save.
    dialogs->answer("Sim", "Deseja excluir provisões do contrato?").enter("123", "Senha de Exclusão");
    campo("ACSITUACAO")->setAsString("S");
    EXPECT_TRUE(campo("ACDATAVALIDADE")->isNull());
    dm->quCtrCadastro->cancel();
    EXPECT_EQ(vencimentos().size(), 3);

    abreContrato();
    dialogs->answer("Sim", "Deseja excluir provisões do contrato?").enter("errada", "Senha de Exclusão");
    EXPECT_ANY_THROW(campo("ACSITUACAO")->setAsString("C"));
    dm->quCtrCadastro->cancel();
    EXPECT_EQ(vencimentos().size(), 3);

    abreContrato();
    dialogs->answer("Sim", "Deseja excluir provisões do contrato?").enter("123", "Senha de Exclusão");
    campo("ACSITUACAO")->setAsString("C");
    EXPECT_EQ(campo("ACDATAVALIDADE")->asDateTime().date(), QDate::currentDate());
    dialogs->answer("Não", "Deseja excluir contas a receber em aberto");
    dm->quCtrCadastro->post();
    EXPECT_TRUE(vencimentos().isEmpty());
    EXPECT_EQ(one("select count(*) from ACXC94XP").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AUGC70OB").toInt(), 0);
}

TEST_F(ManutencaoTest, NewBillingObjectCopiesDefaultsAndForecastsAYear)
{
    previsoes();
    abreContrato();
    dialogs->answer("Sim", "Deseja recalcular parcelas de previsão?");
    campo("AJCODIGO")->setText("5");
    EXPECT_EQ(campo("AJCODIGO")->asInteger(), 5);
    EXPECT_EQ(campo("ACOBJETO")->asString(), "Suporte técnico");
    EXPECT_EQ(campo("OBJETO")->asString(), "Suporte");
    EXPECT_EQ(campo("CXCODIGO")->asString(), "1.02");
    EXPECT_EQ(campo("HCCODIGO")->asInteger(), 8);
    EXPECT_EQ(campo("ACTIPOPAGAMENTO")->asString(), "3");
    const QString aviso = messages().last();
    ASSERT_TRUE(aviso.startsWith("Operação efetuada com sucesso! Parcelas criadas:")) << aviso.toStdString();
    const int criadas = aviso.section(':', 1).toInt();
    EXPECT_GE(criadas, 11);
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 3 + criadas);
    EXPECT_TRUE(global->quReceber->active());
    EXPECT_GE(one("select count(*) from AUGC70OB where OBTEXTO = 'Suporte técnico'").toInt(), 11);
}

class ItensTest : public ManutencaoTest {
protected:
    void SetUp() override
    {
        ManutencaoTest::SetUp();
        exec("update AATC05AC set ACVENCIMENTO = 5");
        exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR, ACITINSTALACAO,"
             " ACITDATAENTREGA, ACITTIPORECEBER) values (3, 'C0001', 'P', 7, 45, '2008-01-10', '2008-04-10', 'P')");
        exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
             " AOCODIGO) values ('000777', 'C0001', 1, '01', '*', 9)");
        dm->CarregaContratoItem("C0001", "7");
        ASSERT_TRUE(dm->quCtrCadastroIt->locate("ACITCODIGO", 3));
    }
};

TEST_F(ItensTest, MonthlyItemForecasts)
{
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?");
    dm->RegerarContasReceberItens();
    EXPECT_EQ(vencimentos(), (QStringList{"2008-03-05", "2008-04-05", "2008-05-05"}));
    EXPECT_EQ(one("select count(*) from ACRC5001 where ACITCODIGO = 3 and NUMERO_DOCUMENTO = '000777'"
                  " and VALOR_DOCUMENTO = 45 and TIPO_PAGAMENTO = '2' and ORIGEM = 'C'")
                  .toInt(),
              3);
    EXPECT_EQ(one("select max(SEQUENCIA) from ACRC5001").toInt(), 4);
    // Again, with no value: the old forecasts go and none come.
    exec("update AATC05ACIT set ACITVALOR = 0");
    dm->CarregaContratoItem("C0001", "7");
    dm->quCtrCadastroIt->locate("ACITCODIGO", 3);
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?");
    dm->RegerarContasReceberItens();
    EXPECT_TRUE(vencimentos().isEmpty());
}

TEST_F(ItensTest, SingleItemReceivable)
{
    exec("update AATC05ACIT set ACITTIPORECEBER = '1'");
    dm->CarregaContratoItem("C0001", "7");
    dm->quCtrCadastroIt->locate("ACITCODIGO", 3);
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?").enter("15/01/2031", "Informe a Data de Vencimento");
    dm->RegerarContasReceberItens();
    EXPECT_EQ(one("select NUMERO_DOCUMENTO || '|' || cast(SEQUENCIA as integer) || '|' || SITUACAO_DOCUMENTO || '|' || ACITCODIGO"
                  " from ACRC5001 where AOCODIGO = 7")
                  .toString(),
              "000778|1| |3");
    EXPECT_EQ(one("select DATA_VENCIMENTO from ACRC5001 where AOCODIGO = 7").toDateTime().date(), QDate(2031, 1, 15));
}

// The monthly forecasts go under the customer's largest number: one holding
// a letter (a rental forecast's "151226L") is no number; a customer holding
// no number takes a new one, past every receivable's.
TEST_F(ItensTest, MonthlyItemForecastsGoUnderTheCustomersLargestNumber)
{
    struct Caso {
        const char* antes;
        const char* numero;
    };
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL) values"
         " ('151226L', 'C0001', 1, '01')");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL) values"
         " ('000900', 'C0002', 1, '01')");
    for (const Caso& caso :
         {Caso{"", "000777"}, Caso{"delete from ACRC5001 where NUMERO_DOCUMENTO = '000777'", "000901"}}) {
        if (*caso.antes)
            exec(caso.antes);
        global->IBTransaction1->commitRetaining();
        dialogs->answer("Sim", "Deseja gerar novamente as provisões?");
        dm->RegerarContasReceberItens();
        EXPECT_EQ(one("select list(distinct trim(NUMERO_DOCUMENTO)) from ACRC5001 where AOCODIGO = 7").toString(),
                  caso.numero);
        EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7").toInt(), 3) << caso.numero;
    }
}

// Another desk has drawn the next receivable number for the same customer
// and not committed its receivable yet: the item's single receivable takes
// the next number, and both are stored.
TEST_F(ItensTest, TwoDesksDrawingANumberAtOnceBothStoreTheirReceivable)
{
    exec("update AATC05ACIT set ACITTIPORECEBER = '1'");
    global->IBTransaction1->commitRetaining();
    dm->CarregaContratoItem("C0001", "7");
    dm->quCtrCadastroIt->locate("ACITCODIGO", 3);
    host::db::Connection outra;
    QString daOutra;
    const std::unique_ptr<host::db::Transaction> mesa = outraMesaNumera(outra, "C0001", daOutra);
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?").enter("15/01/2031", "Informe a Data de Vencimento");
    dm->RegerarContasReceberItens();
    mesa->commit();
    EXPECT_EQ(daOutra, "000778");
    EXPECT_EQ(one("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO = 7").toString(), "000779");
}

// Another desk is regenerating the same item's forecasts: it holds the
// contract and has written March's, not committed yet. This desk is told so
// and changes nothing; run again after the other has committed, each month
// is forecast once.
TEST_F(ItensTest, TwoDesksRegeneratingAnItemsForecastsForecastEachMonthOnce)
{
    global->IBTransaction1->commitRetaining();
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction mesa(outra);
    host::db::executeSql(mesa, "update AATC05AC set ACCODIGO = ACCODIGO where ACCODIGO = 7");
    host::db::executeSql(mesa, "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                               " SITUACAO_DOCUMENTO, AOCODIGO, ACITCODIGO, VALOR_DOCUMENTO, DATA_VENCIMENTO)"
                               " values ('000778', 'C0001', 1, '01', 'V', 7, 3, 45, '2008-03-05')");
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?");
    EXPECT_THROW(dm->RegerarContasReceberItens(), host::Abort);
    EXPECT_TRUE(messages().join('|').contains("O contrato 7 está sendo renovado ou tendo parcelas geradas"))
        << messages().join('|').toStdString();
    mesa.commit();
    const QString porMes = "select count(*) || '|' || count(distinct DATA_VENCIMENTO) from ACRC5001"
                           " where AOCODIGO = 7 and ACITCODIGO = 3";
    EXPECT_EQ(one(porMes).toString(), "1|1") << "the other desk's March alone";
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?");
    dm->RegerarContasReceberItens();
    host::db::Transaction leitura(outra);
    EXPECT_EQ(host::db::selectValue(leitura, porMes).toString(), "3|3");
    leitura.commit();
}

// The single receivable of an item is an open one: cancelling the due date
// asked for the new one leaves the old one in place.
TEST_F(ItensTest, CancelledDueDateKeepsTheItemsSingleReceivable)
{
    exec("update AATC05ACIT set ACITTIPORECEBER = '1'");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " AOCODIGO, ACITCODIGO, VALOR_DOCUMENTO) values ('000500', 'C0001', 1, '01', ' ', 7, 3, 45)");
    dm->CarregaContratoItem("C0001", "7");
    dm->quCtrCadastroIt->locate("ACITCODIGO", 3);
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?").cancel("Informe a Data de Vencimento");
    dm->RegerarContasReceberItens();
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7 and ACITCODIGO = 3").toInt(), 1);
    EXPECT_EQ(one("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO = 7 and ACITCODIGO = 3").toString(),
              "000500");
}

TEST_F(ManutencaoTest, ComplementaryForecastsOfTheSameInstalment)
{
    exec("update AATC05AC set ACVINCULO = 'P'");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACLOCAL, ACVINCULO) values (8, 'C0001', '01', 'C')");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (7, 8)");
    int contador = 0;
    InserirParcelasContrato("R", "10/01/2031", "10/03/2031", "C0001", false, "10", 8, 30, "01", "2", "",
                            "10/01/2031", "M", contador, 4, "01", "", false, "", false, nullptr, 0, 0);
    const QDateTime emissao(QDate(2031, 1, 10), QTime(0, 0));
    dm->DeletarPrevisaoContratoComplementar(7, "100131", emissao, emissao, {}, false);
    EXPECT_EQ(vencimentos().size(), 2);   // only under "F" or "V"
    setOption("F");
    dm->DeletarPrevisaoContratoComplementar(7, "100131", emissao, emissao, {}, false);
    EXPECT_EQ(vencimentos(), QStringList{"2031-02-10"});
    EXPECT_EQ(one("select count(*) from ACXC94XP").toInt(), 1);
}

}  // namespace
}  // namespace contractstest
