// The contract register's rules without its window: the F7 discount, which
// instalments may be edited or deleted, the value checks, the page
// loaders, the forecast's end date and run, deleting every forecast and the
// meter readings walk.

#include "tests/contracts/ContractsFixture.h"

#include "contracts/uAssContCadRegras.h"
#include "contract_data/uDataTecContRegras.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"

namespace contractstest {
namespace {

using uDataTecContRegras::ParcelaReceber;

class CadastroRegrasTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        for (const char* sql : {
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0001', 'Um')",
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0002', 'Dois')",
                 "insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO,"
                 " ACVALORPARCELA, ACLOCAL, ACSITUACAO, ACQUANTIDADEPARCELA, ACTIPOPAGAMENTO)"
                 " values (7, 'C0001', 'A', 'M', 10, 'S', 100, '01', 'A', 6, '2')",
             })
            exec(sql);
    }

    void receber(const QString& documento, const QString& situacao, double valor, double desconto = 0,
                 const QString& extraColunas = {}, const QString& extraValores = {})
    {
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, VALOR_DESCONTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO%1)"
                     " values ('%2', 'C0001', 1, '01', %3, %4, %5, '2031-01-01', '2031-02-10', 7%6)")
                 .arg(extraColunas.isEmpty() ? QString() : ", " + extraColunas, documento,
                      situacao.isNull() ? QString("null") : "'" + situacao + "'")
                 .arg(valor)
                 .arg(desconto)
                 .arg(extraValores.isEmpty() ? QString() : ", " + extraValores));
    }
    host::data::Query& parcelas()
    {
        dm->CarregaContratoParcela(7);
        return *dmGlobal->quReceber;
    }
    QStringList documentos()
    {
        QStringList out;
        host::data::Query& r = parcelas();
        for (r.first(); !r.eof(); r.next())
            out << r.fieldByName("NUMERO_DOCUMENTO")->asString().trimmed();
        return out;
    }
    double valorDe(const QString& documento, const char* coluna = "VALOR_DOCUMENTO")
    {
        return one(QString("select %1 from ACRC5001 where NUMERO_DOCUMENTO = '%2'").arg(coluna, documento)).toDouble();
    }
};

// ---- F7 ----

TEST_F(CadastroRegrasTest, DiscountTakesThePercentageOffTheGrossValueCutToCents)
{
    const auto primeira = uAssContCad::AplicaDesconto(100, 0, 10);
    EXPECT_DOUBLE_EQ(primeira.desconto, 10);
    EXPECT_DOUBLE_EQ(primeira.valor, 90);
    const auto denovo = uAssContCad::AplicaDesconto(90, 10, 5);
    EXPECT_DOUBLE_EQ(denovo.desconto, 5) << "the gross value is value + discount already given";
    EXPECT_DOUBLE_EQ(denovo.valor, 95);
    const auto cortado = uAssContCad::AplicaDesconto(33.33, 0, 7);
    EXPECT_DOUBLE_EQ(cortado.desconto, 2.33) << "2.3331 is cut, not rounded";
    EXPECT_DOUBLE_EQ(cortado.valor, 31.00);
    const auto arredondaria = uAssContCad::AplicaDesconto(10.01, 0, 15);
    EXPECT_DOUBLE_EQ(arredondaria.desconto, 1.50) << "1.5015";
    EXPECT_DOUBLE_EQ(arredondaria.valor, 8.51);
}

TEST_F(CadastroRegrasTest, F7DiscountsTheForecastsOnlyAndAsksAboutTheOthers)
{
    receber("000001", "V", 100);
    receber("000002", "", 100);
    receber("000003", "V", 90, 10);
    receber("000004", "*", 100);
    host::data::Query& r = parcelas();
    r.first();
    dialogs->enter("10", "Informe % Desconto").answer("Sim", "Deseja reajustar demais parcelas?").acknowledge(
        "Operação efetuada com sucesso!");
    uAssContCad::AplicarDescontoParcelas(r);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(valorDe("000001"), 90);
    EXPECT_DOUBLE_EQ(valorDe("000001", "VALOR_DESCONTO"), 10);
    EXPECT_DOUBLE_EQ(valorDe("000002"), 100) << "an open receivable is no forecast";
    EXPECT_DOUBLE_EQ(valorDe("000003"), 90) << "gross 100 again";
    EXPECT_DOUBLE_EQ(valorDe("000003", "VALOR_DESCONTO"), 10);
    EXPECT_DOUBLE_EQ(valorDe("000004"), 100);
}

TEST_F(CadastroRegrasTest, F7OnANonForecastStillMovesOnAndAsksAboutTheOthers)
{
    receber("000001", "", 100);
    receber("000002", "V", 200);
    receber("000003", "V", 300);
    host::data::Query& r = parcelas();
    r.first();
    dialogs->enter("50").answer("Não").acknowledge("Nenhuma parcela alterada");
    uAssContCad::AplicarDescontoParcelas(r);
    EXPECT_DOUBLE_EQ(valorDe("000001"), 100);
    EXPECT_DOUBLE_EQ(valorDe("000002"), 200) << "\"Não\" leaves the others";
    EXPECT_EQ(r.fieldByName("NUMERO_DOCUMENTO")->asString(), "000002") << "the cursor moved on";

    dialogs->cancel("Informe % Desconto");
    uAssContCad::AplicarDescontoParcelas(r);
    EXPECT_DOUBLE_EQ(valorDe("000002"), 200) << "cancelled: nothing";
    EXPECT_EQ(dialogs->pending(), 0);
}

// ---- which instalments may change ----

TEST_F(CadastroRegrasTest, OnlyForecastsAreEditedOrDeletedUnlessTheOptionIsROr2)
{
    EXPECT_TRUE(uDataTecContRegras::PodeEditarParcela("", "V"));
    EXPECT_FALSE(uDataTecContRegras::PodeEditarParcela("", ""));
    EXPECT_FALSE(uDataTecContRegras::PodeEditarParcela("C", "*"));
    EXPECT_TRUE(uDataTecContRegras::PodeEditarParcela("R", ""));
    EXPECT_TRUE(uDataTecContRegras::PodeEditarParcela("2", "*"));
    EXPECT_TRUE(uDataTecContRegras::PodeExcluirParcela("V"));
    EXPECT_FALSE(uDataTecContRegras::PodeExcluirParcela(" "));
    EXPECT_FALSE(uDataTecContRegras::PodeExcluirParcela("*"));
}

TEST_F(CadastroRegrasTest, DeleteAllNeverTakesAPaidOrOfficialisedReceivable)
{
    EXPECT_TRUE(uDataTecContRegras::ExcluiNaExclusaoTotal(ParcelaReceber{"V"}, false));
    EXPECT_FALSE(uDataTecContRegras::ExcluiNaExclusaoTotal(ParcelaReceber{""}, false));
    EXPECT_TRUE(uDataTecContRegras::ExcluiNaExclusaoTotal(ParcelaReceber{""}, true));
    EXPECT_FALSE(uDataTecContRegras::ExcluiNaExclusaoTotal(ParcelaReceber{"*"}, true));
    EXPECT_FALSE(uDataTecContRegras::ExcluiNaExclusaoTotal(ParcelaReceber{"V", true, false}, false));
    EXPECT_FALSE(uDataTecContRegras::ExcluiNaExclusaoTotal(ParcelaReceber{"", false, true}, true));
}

class ExclusaoTotalTest : public CadastroRegrasTest {
protected:
    void SetUp() override
    {
        CadastroRegrasTest::SetUp();
        receber("000001", "V", 100);
        receber("000002", "V", 100, 0, "DATA_PAGAMENTO, VALOR_PAGO", "'2031-02-10', 100");
        receber("000003", "", 100);
        receber("000004", "", 100, 0, "PEDIDO", "'P00044'");
        receber("000005", "*", 100);
        receber("000006", "", 100, 0, "VALOR_PAGO", "40");
        exec("insert into ACXC94XP (XPCHAVE, XPID, XPEMITENTE, XPDOCUMENTO, XPLOCAL, CRSEQUENCIA, XPVALOR)"
             " values (901, 'R', 'C0001', '000001', '01', 1, 100)");
        exec("insert into ACXC94XP (XPCHAVE, XPID, XPEMITENTE, XPDOCUMENTO, XPLOCAL, CRSEQUENCIA, XPVALOR)"
             " values (902, 'R', 'C0001', '000002', '01', 1, 100)");
    }
};

TEST_F(ExclusaoTotalTest, ForecastsGoWithTheirCashRowsAndPaidOnesStay)
{
    EXPECT_EQ(uDataTecContRegras::ExcluirTodasPrevisoes(parcelas(), 7), 1);
    EXPECT_EQ(dmGlobal->quReceber->recNo(), 1) << "back to the first row";
    EXPECT_EQ(documentos(), (QStringList{"000002", "000003", "000004", "000005", "000006"}));
    EXPECT_EQ(one("select count(*) from ACXC94XP where XPDOCUMENTO = '000001'").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ACXC94XP where XPDOCUMENTO = '000002'").toInt(), 1);
    EXPECT_EQ(one("select count(*) from ARQLOG where ACAO = 'Deletou Previsão do CR'").toInt(), 1);
}

TEST_F(ExclusaoTotalTest, WithoutForecastsTheOpenOnesGoTooButNeverPaidOrInvoicedOnes)
{
    global->SetParametro("ATPARCELASEMPREVISAO", "S");
    EXPECT_EQ(uDataTecContRegras::ExcluirTodasPrevisoes(parcelas(), 7), 2);
    EXPECT_EQ(documentos(), (QStringList{"000002", "000004", "000005", "000006"}))
        << "paid (date or amount), invoiced and marked rows stay";
}

TEST_F(ExclusaoTotalTest, OnlyTheMasterUserOrOptionsLAndFDeleteEverything)
{
    global->SetParametro("ATUSUARIOMESTRE", "NINGUEM");
    host::data::Query& r = parcelas();
    if (IbUserName() == "SYSDBA") {
        // SYSDBA is always the master user: the question comes.
        dialogs->answer("Não", "Tem certeza de que deseja excluir todas previsões?");
        uAssContCad::ExcluirParcelasContrato(r, 7);
        EXPECT_EQ(documentos().size(), 6);
    }
    global->SetParametro("ATOPCAOCONTRATO", "L");
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    uAssContCad::ExcluirParcelasContrato(r, 7);
    EXPECT_EQ(documentos().size(), 5);
    EXPECT_EQ(dialogs->pending(), 0);
}

// ---- value checks ----

TEST_F(CadastroRegrasTest, ValueChecksCompareCentsNotDoubles)
{
    EXPECT_FALSE(uAssContCad::ValorItensAlterado(0.1 + 0.2, 0.3)) << "two doubles that print alike";
    EXPECT_FALSE(uAssContCad::ValorItensAlterado(100.004, 100.00));
    EXPECT_TRUE(uAssContCad::ValorItensAlterado(100.01, 100.00));
    EXPECT_FALSE(uAssContCad::ValorClienteAlterado(10.019, 10.01, 50.5, 50.509)) << "both cut to cents";
    EXPECT_TRUE(uAssContCad::ValorClienteAlterado(10.01, 10.02, 50, 50));
    EXPECT_TRUE(uAssContCad::ValorClienteAlterado(10, 10, 50, 51));
    EXPECT_TRUE(uAssContCad::ConfirmaValorContrato("C"));
    EXPECT_FALSE(uAssContCad::ConfirmaValorContrato("T"));
    EXPECT_EQ(uAssContCad::PerguntaValorCliente(1234.5, 10),
              "O valor dos itens foi alterado, deseja alterar valor do contrato?\rValor Anterior: 1.234,50"
              "\rValor Calculado: 10,00");
    EXPECT_EQ(uAssContCad::PerguntaValorItens(100, 100.125),
              "O valor dos itens foi alterado, deseja alterar valor do contrato?\rValor da Parcela: R$ 100,00"
              "\rValor Calculado: R$ 100,125");
}

TEST_F(CadastroRegrasTest, CustomersTotalCountsActiveCustomersOnly)
{
    for (const char* sql : {
             "insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (7, 'C0001', 'S')",
             "insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (7, 'C0002', 'N')",
             "insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 7, 'C0001', 'P1', 10.5)",
             "insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (2, 7, 'C0002', 'P1', 20)",
             "insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (3, 7, 'C0003', 'P1', 4)",
             "insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (4, 8, 'C0001', 'P1', 99)",
         })
        exec(sql);
    EXPECT_DOUBLE_EQ(uAssContCad::TotalClientesAtivos(7), 14.5) << "a customer without a line counts as active";
    EXPECT_DOUBLE_EQ(uAssContCad::TotalItensCliente(7, "C0002"), 20);
}

// ---- pages ----

TEST_F(CadastroRegrasTest, EachPageRunsItsLoader)
{
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 7, 'C0001', 'P1', 10)");
    exec("insert into AATC05ACCL (ACCODIGO, CLCODIGO, ACCLATIVO) values (7, 'C0002', 'S')");
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, IDORIGEM, CONTRATO, RESUMIDA) values ('C0001', 1, 'C', 7, 'x')");
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, IDORIGEM, CONTRATO, RESUMIDA) values ('C0001', 2, 'C', 8, 'y')");
    receber("000001", "V", 100);
    uAssContCad::ContextoPagina contexto{7, "C0001", false, false};
    host::data::Query historico(nullptr, "quHistCR");
    historico.setTransaction(global->IBTransaction1.get());

    EXPECT_TRUE(uAssContCad::CarregaPagina("tsContParcAberta", contexto, &historico));
    EXPECT_EQ(dmGlobal->quReceber->recordCount(), 1);
    EXPECT_TRUE(uAssContCad::CarregaPagina("tsItens", contexto, &historico));
    EXPECT_EQ(dm->quCtrCadastroIt->recordCount(), 1);
    EXPECT_TRUE(uAssContCad::CarregaPagina("tsClientesCont", contexto, &historico));
    EXPECT_EQ(dm->quContratoCli->fieldByName("CLCODIGO")->asString(), "C0002");
    EXPECT_TRUE(uAssContCad::CarregaPagina("tsContAcompanhamento", contexto, &historico));
    EXPECT_EQ(dm->quCtrContato->recordCount(), 1) << "the contract's contacts";
    contexto.todosContatos = true;
    EXPECT_TRUE(uAssContCad::CarregaPagina("tsContAcompanhamento", contexto, &historico));
    EXPECT_EQ(dm->quCtrContato->recordCount(), 2) << "every contact with the customer";
    EXPECT_TRUE(uAssContCad::CarregaPagina("tsHistCR", contexto, &historico));
    EXPECT_EQ(historico.sql(),
              "Select * from acrc5001 Where codigo_cliente = 'C0001' order by data_vencimento desc ");
    EXPECT_EQ(historico.recordCount(), 1);
    EXPECT_TRUE(uAssContCad::CarregaPagina("tsContEquip", contexto, &historico));
    EXPECT_TRUE(dm->quCtrCadastroEquip->active());
    EXPECT_TRUE(uAssContCad::CarregaPagina("tsVeiculos", contexto, &historico));
    EXPECT_TRUE(dm->quCtrVeiculo->sql().contains("ACEVSITUACAO <> 'I'")) << "active lines only";
    EXPECT_FALSE(uAssContCad::CarregaPagina("tsContDadosAdicionais", contexto, &historico));
    EXPECT_FALSE(uAssContCad::CarregaPagina("tsContFinanceiro", contexto, &historico));
}

// ---- forecast ----

TEST_F(CadastroRegrasTest, ForecastEndFallsInTheMonthAfterTheLastPeriod)
{
    const QDateTime inicio = dia(2031, 1, 15);
    const QDateTime padrao = dia(2032, 1, 15);
    EXPECT_EQ(uAssContCad::DataFinalPrevisao(inicio, "M", 6, padrao), dia(2031, 7, 16));
    EXPECT_EQ(uAssContCad::DataFinalPrevisao(inicio, "M", 1, padrao), dia(2031, 2, 16));
    EXPECT_EQ(uAssContCad::DataFinalPrevisao(inicio, "B", 3, padrao), dia(2031, 7, 16));
    EXPECT_EQ(uAssContCad::DataFinalPrevisao(inicio, "T", 2, padrao), dia(2031, 7, 16));
    EXPECT_EQ(uAssContCad::DataFinalPrevisao(inicio, "A", 2, padrao), dia(2033, 1, 16));
    EXPECT_EQ(uAssContCad::DataFinalPrevisao(inicio, "X", 6, padrao), padrao) << "a letter without months";
    EXPECT_EQ(uAssContCad::DataFinalPrevisao(dia(2031, 1, 31), "M", 1, padrao), dia(2031, 2, 28))
        << "from a month's last day the end stays in the month after the period";
    EXPECT_EQ(uAssContCad::DataFinalPrevisao(dia(2031, 1, 31), "M", 12, padrao), dia(2032, 1, 31));
}

TEST_F(CadastroRegrasTest, ForecastRefusesAnInactiveContractWithoutBranchOrValue)
{
    exec("update AATC05AC set ACSITUACAO = 'S' where ACCODIGO = 7");
    CarregaContrato(7);
    dialogs->acknowledge("Contrato não está ativo");
    EXPECT_ANY_THROW(uAssContCad::GerarPrevisaoContrato());
    exec("update AATC05AC set ACSITUACAO = 'A', ACLOCAL = null where ACCODIGO = 7");
    CarregaContrato(7);
    dialogs->acknowledge("Informa a U.N.");
    EXPECT_ANY_THROW(uAssContCad::GerarPrevisaoContrato());
    exec("update AATC05AC set ACLOCAL = '01', ACVALORPARCELA = 0 where ACCODIGO = 7");
    CarregaContrato(7);
    dialogs->acknowledge("Valor Inválido");
    EXPECT_ANY_THROW(uAssContCad::GerarPrevisaoContrato());
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 0);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(CadastroRegrasTest, DividedContractTakesTheCountFromItsInstalmentsAndAsksOnlyTheDate)
{
    exec("update AATC05AC set ACVALORFIXO = 'D' where ACCODIGO = 7");
    CarregaContrato(7);
    dialogs->enter("01/03/2031", "Informe a data Inicial da previsão do contas a receber")
        .acknowledge("Operação efetuada com sucesso! Parcelas criadas:6");
    uAssContCad::GerarPrevisaoContrato();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7 and SITUACAO_DOCUMENTO = 'V'").toInt(), 6);
    EXPECT_TRUE(dmGlobal->quReceber->active()) << "the instalments are reloaded";
    EXPECT_EQ(dmGlobal->quReceber->recordCount(), 6);

    dialogs->cancel("Informe a data Inicial");
    uAssContCad::GerarPrevisaoContrato();
    EXPECT_EQ(one("select count(*) from ACRC5001").toInt(), 6) << "a cancelled date writes nothing";
}

TEST_F(CadastroRegrasTest, ForecastAsksTheCountAndOptionPWritesPeriodDates)
{
    exec("update AATC05AC set ACDATAIMPLANTACAO = '2031-01-20' where ACCODIGO = 7");
    global->SetParametro("ATOPCAOCONTRATO", "P");
    CarregaContrato(7);
    dialogs->enter("01/03/2031").enter("3", "Informe o número de parcelas para previsão do contas a receber")
        .acknowledge("Parcelas criadas:3");
    uAssContCad::GerarPrevisaoContrato();
    EXPECT_EQ(dialogs->pending(), 0);
    host::data::Query& r = parcelas();
    QStringList periodos;
    for (r.first(); !r.eof(); r.next())
        periodos << r.fieldByName("CREMISSAOINI")->asDateTime().toString("dd/MM") + "-" +
                        r.fieldByName("CREMISSAOFIN")->asDateTime().toString("dd/MM");
    EXPECT_EQ(periodos, (QStringList{"20/01-19/02", "20/02-19/03", "20/03-19/04"}))
        << "each period starts the day after the previous one ended";
}

TEST_F(CadastroRegrasTest, UnderOptionTTheForecastRegeneratesFromTheItemsWithoutDateOrCount)
{
    global->SetParametro("ATOPCAOCONTRATO", "T");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, ACITTIPORECEBER,"
         " ACITINSTALACAO, ACITDATAENTREGA) values (1, 7, 'C0001', 'P1', 40, 'P', '2031-01-10', '2031-04-10')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (2, 7, 'C0001', 'P1',"
         " 60)");
    receber("000009", "V", 100);
    CarregaContrato(7);
    // Only the item's own question (the item without a period asks nothing).
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?");
    uAssContCad::GerarPrevisaoContrato();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7 and ACITCODIGO = 1").toInt(), 3);
    EXPECT_TRUE(dmGlobal->quReceber->active());
    EXPECT_EQ(dmGlobal->quReceber->recordCount(), 4) << "the contract's receivables reloaded";
}

// ---- meter readings ----

class LeiturasTest : public CadastroRegrasTest {
protected:
    void SetUp() override
    {
        CadastroRegrasTest::SetUp();
        exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (3, 'Copiadora', 'M')");
        for (int i = 1; i <= 5; ++i) {
            exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR)"
                         " values (%1, 7, 'C0001', 'P%1', 10)")
                     .arg(i));
            exec(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, COCODIGO, EVCODIGO, ACITCODATA,"
                         " ACITCODATAFATURAMENTO, ACITCOCONTADORTOTAL) values (%1, %2, 3, 0, '2031-01-05',"
                         " '2031-01-05', %3)")
                     .arg(i)
                     .arg(i)
                     .arg(i * 100));
        }
        exec("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, COCODIGO, EVCODIGO, ACITCODATA,"
             " ACITCODATAFATURAMENTO, ACITCOCONTADORTOTAL) values (6, 3, 3, 0, '2031-02-05', '2031-02-05', 333)");
        dm->CarregaContratoItem("C0001", "7");
    }
    int leituras() { return one("select count(*) from AATC05ACITCO").toInt(); }
};

TEST_F(LeiturasTest, WalkStartsAtTheCurrentItemAndProposesTheLastTotal)
{
    dm->quCtrCadastroIt->setRecNo(3);
    dialogs->enter("350").enter("410").enter("520");
    EXPECT_EQ(uAssContCad::LancarContadores(7, dia(2031, 3, 5)), 3);
    ASSERT_EQ(dialogs->shown().size(), 3u) << "items three to five only";
    EXPECT_EQ(dialogs->shown().at(0).value, "333") << "the item's newest reading, as the register shows it";
    EXPECT_EQ(dialogs->shown().at(1).value, "400");
    EXPECT_EQ(dialogs->shown().at(2).value, "500");
    EXPECT_EQ(leituras(), 9);
    EXPECT_EQ(one("select ACITCOCONTADORTOTAL from AATC05ACITCO where ACITCODIGO = 4 and ACITCODATA = '2031-03-05'")
                  .toDouble(),
              410);
    EXPECT_EQ(one("select COCODIGO from AATC05ACITCO where ACITCODIGO = 5 and ACITCODATAFATURAMENTO = '2031-03-05'")
                  .toInt(),
              3)
        << "the meter of the latest reading";
}

TEST_F(LeiturasTest, ACancelStopsTheWalkAndTheMessageSaysWhetherAnythingWasSaved)
{
    dm->quCtrCadastroIt->setRecNo(4);
    CarregaContrato(7);
    dialogs->enter("05/03/2031", "Informe a data").enter("410").cancel().acknowledge("Operação efetuada com sucesso.");
    uAssContCad::LancamentoContadores();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(leituras(), 7);

    dm->quCtrCadastroIt->setRecNo(1);
    dialogs->enter("05/03/2031").cancel().acknowledge("Nenhum contador foi lançado.");
    uAssContCad::LancamentoContadores();
    EXPECT_EQ(dialogs->pending(), 0) << "nothing written: told so";
    EXPECT_EQ(leituras(), 7);
}

}  // namespace
}  // namespace contractstest
