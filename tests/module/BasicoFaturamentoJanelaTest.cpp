// The per-customer service billing opened through the dispatcher: the
// selection checks, the lists and totals over the same days, the sales order
// with the contract line, the services over the allowance and the parts of
// contracts without parts, the reference text, clearing.

#include "tests/module/ModuleFixture.h"
#include "tests/support/ScopedTimeZone.h"

#include "contracts/uAssBasicoContratosFaturamento.h"
#include "host/Udmglobal.h"
#include "host/Unotafiscal.h"
#include "host/report/PreparedReport.h"
#include "host/report/Uvisualrel.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class BasicoFaturamentoJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACVALOR, ACTIPOCONTRATO,"
             " ACLIMITE, ACLIMITEHORA, ACVALORCHAMADAEXCEDENTE, PRCODIGO) values (950, 'B-950', 'Suporte',"
             " '00004', 500, 'Com Peça', 0, 2, 90, 'S0003')");
        ordem(6001, "2026-03-01 10:00");
        ordem(6002, "2026-03-10 15:30");   // on the final day, after its start
        ordem(6003, "2026-03-11 08:00");   // after the period
        servico(6001, 1, "S0001", 60, "S", 120);
        servico(6001, 2, "S0001", 60, "S", 120);
        servico(6002, 1, "S0001", 60, "N", 130);
        servico(6002, 2, "S0002", 60, "S", 80);
        servico(6003, 1, "S0001", 60, "S", 999);
        peca(6001, 1, "P0005", 2, 35.5, "S");
        peca(6002, 1, "P0001", 1, 89.9, "N");
    }
    void ordem(int codigo, const QString& entrada)
    {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA) values (%1, '00004', '%2', 'A')")
                 .arg(codigo)
                 .arg(entrada));
    }
    void servico(int ordem, int linha, const QString& produto, int minutos, const QString& autorizado, double total)
    {
        exec(QString("insert into AATC01AA (AOCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL,"
                     " AAAUTORIZADO, AATOTAL) values (%1, %2, '%3', 1, 10, %4, '%5', %6)")
                 .arg(ordem)
                 .arg(linha)
                 .arg(produto)
                 .arg(total)
                 .arg(autorizado)
                 .arg(minutos));
    }
    void peca(int ordem, int linha, const QString& produto, double quantidade, double unitario,
              const QString& autorizado)
    {
        exec(QString("insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE, APVALUNITARIO, APVALTOTAL,"
                     " APAUTORIZADO) values (%1, %2, '%3', %4, %5, %6, '%7')")
                 .arg(ordem)
                 .arg(linha)
                 .arg(produto)
                 .arg(quantidade)
                 .arg(unitario)
                 .arg(quantidade * unitario)
                 .arg(autorizado));
    }
    TfmAssBasicoContratosFaturamento& abrir()
    {
        return abrirJanela(fmAssBasicoContratosFaturamento, "fmAssContratosFaturamento");
    }
    void selecionar(TfmAssBasicoContratosFaturamento& form, const QString& cliente, const QString& de,
                    const QString& ate)
    {
        form.edCliente->setText(cliente);
        for (auto [edicao, texto] : {std::pair{form.edDataInicial, de}, std::pair{form.edDataFinal, ate}}) {
            if (texto.isEmpty())
                edicao->setDate({});
            else
                digita(edicao, texto);
        }
        form.bbPesquisar->click();
    }
    // The lines of the newest sales order: product, quantity, unit value and service order.
    QStringList linhasPedido(QString* pedido = nullptr)
    {
        const QString numero = one("select max(NUMERO_PEDIDO) from AVEC8501").toString();
        if (pedido)
            *pedido = numero;
        host::data::Query linhas(nullptr, "quLinhas");
        linhas.setTransaction(dmGlobal->IBTransaction1.get());
        linhas.setSql("select CODIGO, QUANTIDADE, VALOR, AOCODIGO from AVEC85IT where NUMERO_PEDIDO = '" + numero +
                      "' order by COD");
        linhas.open();
        QStringList texto;
        for (; !linhas.eof(); linhas.next())
            texto << linhas.fieldByName("CODIGO")->asString() + " " +
                         QString::number(linhas.fieldByName("QUANTIDADE")->asFloat()) + " x " +
                         QString::number(linhas.fieldByName("VALOR")->asFloat()) + " OS " +
                         linhas.fieldByName("AOCODIGO")->asString();
        return texto;
    }
    void pedirVenda(TfmAssBasicoContratosFaturamento& form)
    {
        dialogs->acknowledge("Operação efetuada com sucesso!");
        dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
        form.bbPedidoVenda->click();
    }
};

TEST_F(BasicoFaturamentoJanelaTest, TheSelectionIsCheckedAndEqualDatesAreAPeriod)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    EXPECT_EQ(form.caption(), "Faturamento dos Contratos");
    EXPECT_TRUE(form.quPesqServico->active() && form.quPesqServico->isEmpty()) << "opened empty";
    dialogs->acknowledge("Informe um cliente válido");
    selecionar(form, "", "01/03/2026", "10/03/2026");
    dialogs->acknowledge("Informe um período válido");
    selecionar(form, "00004", "", "10/03/2026");
    dialogs->acknowledge("Data inicial deve ser menor que data final");
    selecionar(form, "00004", "11/03/2026", "10/03/2026");
    EXPECT_EQ(dialogs->pending(), 0);

    selecionar(form, "00004", "10/03/2026", "10/03/2026");
    EXPECT_EQ(form.laTotalOS->text(), "Total de OS: 1");
    EXPECT_EQ(form.quPesqServico->recordCount(), 2);
    EXPECT_EQ(form.dbteNumeroContrato->text(), "B-950");
}

TEST_F(BasicoFaturamentoJanelaTest, ACustomerTypedWithAQuoteFindsNothingAndBreaksNothing)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "0' or '1'='1", "01/03/2026", "10/03/2026");
    EXPECT_EQ(form.laTotalOS->text(), "Total de OS: 0");
    EXPECT_EQ(form.laTotalServicos->text(), "Valor Total dos Serviços: 0,00");
    EXPECT_EQ(form.quPesqServico->recordCount(), 0);
}

TEST_F(BasicoFaturamentoJanelaTest, ListsAndTotalsCoverTheSameDaysTheFinalOneWhole)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    EXPECT_EQ(form.laTotalOS->text(), "Total de OS: 2");
    EXPECT_EQ(form.laTotalServicos->text(), "Valor Total dos Serviços: 450,00");
    EXPECT_EQ(form.laTotalPecas->text(), "Valor Total das Peças: 160,90");
    ASSERT_EQ(form.quPesqServico->recordCount(), 4) << "the services of the final day's order are listed";
    double servicos = 0;
    for (form.quPesqServico->first(); !form.quPesqServico->eof(); form.quPesqServico->next())
        servicos += form.quPesqServico->fieldByName("AAVALORTOTAL")->asFloat();
    EXPECT_DOUBLE_EQ(servicos, 450);
    EXPECT_EQ(form.quPesqPecas->recordCount(), 2);
    EXPECT_EQ(form.dbgdServicos->columnByField("AOITEQUIPDESCRICAO")->title(), "Equipamento");
}

TEST_F(BasicoFaturamentoJanelaTest, AnOrderEnteredInTheFinalDaysLastSecondIsInTheTotalsAsInTheLists)
{
    ordem(6004, "2026-03-10 23:59:59.5000");
    servico(6004, 1, "S0002", 30, "S", 25);
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    ASSERT_EQ(form.quPesqServico->recordCount(), 5) << "listed";
    EXPECT_EQ(form.laTotalOS->text(), "Total de OS: 3");
    EXPECT_EQ(form.laTotalServicos->text(), "Valor Total dos Serviços: 475,00");
}

// On days whose midnight the zone skipped, an order entered at 00:00 (as
// another program writes the day) belongs to that day: listed and counted
// in a period that begins on it, not in one that ends the day before.
TEST_F(BasicoFaturamentoJanelaTest, AnOrderOfADayWithoutMidnightBelongsToThatDay)
{
    const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
    ordem(6101, "2018-11-04 00:00");
    ordem(6102, "2018-11-04 01:00");
    ordem(6103, "2018-11-03 23:00");
    for (int codigo : {6101, 6102, 6103})
        servico(codigo, 1, "S0001", 60, "S", codigo - 6100);
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "04/11/2018", "04/11/2018");
    EXPECT_EQ(form.laTotalOS->text(), "Total de OS: 2");
    EXPECT_EQ(form.laTotalServicos->text(), "Valor Total dos Serviços: 3,00");
    EXPECT_EQ(form.quPesqServico->recordCount(), 2);
    selecionar(form, "00004", "02/11/2018", "03/11/2018");
    EXPECT_EQ(form.laTotalOS->text(), "Total de OS: 1");
    EXPECT_EQ(form.laTotalServicos->text(), "Valor Total dos Serviços: 3,00");
    EXPECT_EQ(form.quPesqServico->recordCount(), 1);
}

TEST_F(BasicoFaturamentoJanelaTest, AmountsShowAsTheRegisterWritesThem)
{
    exec("update AATC05AC set ACVALOR = 950.5 where ACCODIGO = 950");
    exec("update AATC01AA set AAVALORTOTAL = 1234.56 where AOCODIGO = 6001 and AACODIGO = 1");
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    const auto celula = [](host::ui::DataGrid* grade, const char* campo) {
        return grade->model()->index(0, grade->columnByField(campo)->index()).data().toString();
    };
    EXPECT_EQ(form.dbteValorContrato->text(), "950,50");
    EXPECT_EQ(celula(form.dbgdServicos, "AAVALORTOTAL"), "1.234,56");
    EXPECT_EQ(celula(form.dbgdPecas, "APVALTOTAL"), "71,00");
}

TEST_F(BasicoFaturamentoJanelaTest, SalesOrderBillsTheContractAndTheServicesOverTheHoursButNoPartsWithParts)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    pedirVenda(form);
    QString pedido;
    EXPECT_EQ(linhasPedido(&pedido), (QStringList{"S0003 1 x 500 OS ", "S0002 1 x 80 OS 6002"}))
        << "the third hour is not authorised, the fourth is billed; \"Com Peça\": no parts";
    EXPECT_EQ(lido("select VEREFERENTE || '|' || CODIGO_CLIENTE || '|' || OPERACAO || '|' ||"
                   " cast(VALOR_TOTAL * 100 as integer) from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'"),
              QStringList{"Referente à OS: /6001/6001/6002/6002|00004|00000|58000"})
        << "the order's total is its lines'";
    EXPECT_EQ(fmAssBasicoContratosFaturamento.get(), &form) << "\"Não\" keeps the window";
}

TEST_F(BasicoFaturamentoJanelaTest, AServiceOfSeveralUnitsWithWorkedTimeIsBilledAtItsTotalOnce)
{
    // 2 x 100,00 with its hour worked, the third hour of the period: beyond the allowance.
    exec("update AATC01AA set AAQUANTIDADE = 2, AAVALOR = 100, AAVALORTOTAL = 200 where AOCODIGO = 6002"
         " and AACODIGO = 2");
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    pedirVenda(form);
    QString pedido;
    EXPECT_EQ(linhasPedido(&pedido), (QStringList{"S0003 1 x 500 OS ", "S0002 1 x 200 OS 6002"}));
    EXPECT_EQ(one("select VALOR_TOTAL from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'").toDouble(), 700);
}

TEST_F(BasicoFaturamentoJanelaTest, ServicesThatFillTheHourLimitExactlyAreNotBilled)
{
    exec("update AATC05AC set ACLIMITEHORA = 1 where ACCODIGO = 950");
    exec("update AATC01AA set AATOTAL = 12 where AOCODIGO = 6001 and AACODIGO = 1");
    exec("update AATC01AA set AATOTAL = 46 where AOCODIGO = 6001 and AACODIGO = 2");
    exec("update AATC01AA set AATOTAL = 2, AAAUTORIZADO = 'S' where AOCODIGO = 6002 and AACODIGO = 1");
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    pedirVenda(form);
    EXPECT_EQ(linhasPedido(), (QStringList{"S0003 1 x 500 OS ", "S0002 1 x 80 OS 6002"}))
        << "12 + 46 + 2 minutes fill the hour; only the line after it is billed";
}

TEST_F(BasicoFaturamentoJanelaTest, ContractsWithoutPartsBillTheAuthorisedPartsAndCallLimitsTheLaterCalls)
{
    exec("update AATC05AC set ACTIPOCONTRATO = 'Sem Peça', ACLIMITEHORA = 0, ACLIMITE = 2 where ACCODIGO = 950");
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    pedirVenda(form);
    EXPECT_EQ(linhasPedido(), (QStringList{"S0003 1 x 500 OS ", "S0002 1 x 80 OS 6002", "P0005 2 x 35.5 OS 6001"}));
}

TEST_F(BasicoFaturamentoJanelaTest, APeriodWithoutOrdersBillsTheContractAloneAndClearingResetsTheWindow)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/01/2026", "31/01/2026");
    EXPECT_EQ(form.laTotalOS->text(), "Total de OS: 0");
    EXPECT_EQ(form.laTotalServicos->text(), "Valor Total dos Serviços: 0,00");
    pedirVenda(form);
    QString pedido;
    EXPECT_EQ(linhasPedido(&pedido), QStringList{"S0003 1 x 500 OS "});
    EXPECT_EQ(one("select VEREFERENTE from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'").toString(),
              "Referente à OS: ");

    form.bbLimpar->click();
    EXPECT_TRUE(form.edCliente->text().isEmpty());
    EXPECT_FALSE(form.quContrato->active());
    EXPECT_EQ(form.laTotalOS->text(), "Total de OS: ");
    const int pedidos = one("select count(*) from AVEC8501").toInt();
    dialogs->acknowledge("Nenhum contrato do cliente selecionado.");
    form.bbPedidoVenda->click();
    EXPECT_EQ(one("select count(*) from AVEC8501").toInt(), pedidos);
}

TEST_F(BasicoFaturamentoJanelaTest, PressingPedidoDeVendaAgainBillsThePeriodOnce)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    pedirVenda(form);
    EXPECT_EQ(dialogs->pending(), 0);
    const QString primeiro = one("select max(NUMERO_PEDIDO) from AVEC8501").toString();

    // The same press again, then a period that meets the billed one: both refused.
    dialogs->acknowledge("já foi faturado de 01/03/2026 a 10/03/2026 no pedido de venda " + primeiro);
    form.bbPedidoVenda->click();
    dialogs->acknowledge("já foi faturado de 01/03/2026 a 10/03/2026");
    selecionar(form, "00004", "10/03/2026", "20/03/2026");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select NUMERO_PEDIDO from AVEC8501 where CODIGO_CLIENTE = '00004'"), QStringList{primeiro});
    EXPECT_EQ(lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '" + primeiro + "'"), QStringList{"2"});

    // After the refusals the next period bills once: the contract and 6003's hour, within the allowance.
    selecionar(form, "00004", "11/03/2026", "31/03/2026");
    pedirVenda(form);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(linhasPedido(), QStringList{"S0003 1 x 500 OS "});
    EXPECT_EQ(lido("select count(*) from AVEC8501 where CODIGO_CLIENTE = '00004'"), QStringList{"2"});
}

TEST_F(BasicoFaturamentoJanelaTest, AnOrderEnteredInABilledPeriodAfterItsBillingIsBilledOnceOnItsOwn)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    pedirVenda(form);
    const QString primeiro = one("select max(NUMERO_PEDIDO) from AVEC8501").toString();

    // The periodic order of 05/03 made after the billing: its hour is beyond the allowance.
    ordem(6004, "2026-03-05 09:00");
    servico(6004, 1, "S0001", 60, "S", 120);
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    pedirVenda(form);
    QString pedido;
    EXPECT_EQ(linhasPedido(&pedido), QStringList{"S0001 1 x 120 OS 6004"}) << "no contract line again";
    EXPECT_EQ(lido("select VEREFERENTE || '|' || cast(VALOR_TOTAL * 100 as integer) from AVEC8501"
                   " where NUMERO_PEDIDO = '" + pedido + "'"),
              QStringList{"Referente à OS: /6004|12000"});

    dialogs->acknowledge("já foi faturado de 01/03/2026 a 10/03/2026 no pedido de venda " + primeiro);
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select count(*) from AVEC8501 where CODIGO_CLIENTE = '00004'"), QStringList{"2"});
}

TEST_F(BasicoFaturamentoJanelaTest, APeriodBilledAtAnotherDeskAfterTheSearchIsNotBilledAgain)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    // Another desk bills the contract for the month while these lists are on screen.
    {
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction escrita(outra);
        host::db::executeSql(escrita,
                             "insert into AATC05ACFA (ACCODIGO, ACFADATAINICIAL, ACFADATAFINAL, NUMERO_PEDIDO)"
                             " values (950, '2026-03-01', '2026-03-31', '000777')");
        escrita.commit();
    }
    const QStringList antes = lido("select NUMERO_PEDIDO from AVEC8501 order by NUMERO_PEDIDO");
    dialogs->acknowledge("já foi faturado de 01/03/2026 a 31/03/2026 no pedido de venda 000777");
    form.bbPedidoVenda->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select NUMERO_PEDIDO from AVEC8501 order by NUMERO_PEDIDO"), antes);
    EXPECT_EQ(lido("select NUMERO_PEDIDO from AATC05ACFA where ACCODIGO = 950"), QStringList{"000777"});
}

TEST_F(BasicoFaturamentoJanelaTest, TheOrderCostsAFixedNumberOfStatementsPlusOnePerBilledLine)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    auto custo = [&](const QString& de, const QString& ate) {
        selecionar(form, "00004", de, ate);
        testsupport::StatementCounter contador;
        uAssBasicoContratosFaturamento::GerarPedidoVenda(*form.quContrato, *form.quPesqServico, *form.quPesqPecas);
        const auto custo = std::pair{contador.count(), contador.prepares()};
        exec("delete from AATC05ACFA");   // the same period is measured again
        exec("delete from AATC05ACFO");
        return custo;
    };
    const auto [vazio, preparadosVazio] = custo("01/01/2026", "31/01/2026");
    const auto [umaLinha, preparadosUmaLinha] = custo("01/03/2026", "10/03/2026");
    exec("update AATC05AC set ACLIMITEHORA = 0, ACLIMITE = 1 where ACCODIGO = 950");
    const auto [tresLinhas, preparadosTresLinhas] = custo("01/03/2026", "10/03/2026");
    // Savepoint, order (number taken from the counter and tested in one
    // statement, insert), contract line (an insert that takes its number),
    // the order record read, its reference and its total written, savepoint
    // kept: 8;
    // the contract's row taken, its billed periods read, the contract and
    // the two lists read again, the orders billed before read, the period
    // and the orders marked billed: 8 more.
    // The database's first order also starts the orders' counter (the
    // largest order stored read, the counter written: two statements more).
    EXPECT_EQ(vazio, 18);
    EXPECT_EQ(umaLinha, 16 + 1) << "four services listed, one billed: the others cost nothing";
    EXPECT_EQ(tresLinhas, umaLinha + 1) << "two billed";
    // Prepared: the transaction keeps its statements prepared; a later order
    // prepares none again.
    EXPECT_EQ(preparadosVazio, 15);
    EXPECT_LE(preparadosUmaLinha, 1);
    EXPECT_EQ(preparadosTresLinhas, 0);
}

TEST_F(BasicoFaturamentoJanelaTest, TheChosenGridIsPrintedWithItsTitles)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    QString dump;
    dialogs->answer("Peças", "Deseja imprimir relatório de Serviços ou Peças?");
    dialogs->modal("fmVisualizadorRelatorio", [&](host::ui::Form& janela) {
        dump = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbImprimir->click();
    EXPECT_TRUE(dump.contains("Faturamento dos Contratos")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("Código | Descrição do Produto | Qtde. | Valor Total | Equipamento")) << dump.toStdString();
    EXPECT_TRUE(dump.contains("Correia de transmissão")) << dump.toStdString();
}

TEST_F(BasicoFaturamentoJanelaTest, OpeningTheNewOrderShowsItInTheHostAndClosesTheWindow)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    dialogs->answer("Sim", "Deseja abrir o pedido de vendas?");
    form.bbPedidoVenda->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssBasicoContratosFaturamento.get(), nullptr);
    ASSERT_NE(fmNotaFiscal.get(), nullptr);
    EXPECT_EQ(fmNotaFiscal->quPedido->fieldByName("NUMERO_PEDIDO")->asString(),
              one("select max(NUMERO_PEDIDO) from AVEC8501").toString());
}

// The window with a customer's orders of a period listed, as a person sees it.
TEST_F(BasicoFaturamentoJanelaTest, PictureOfTheWindowWithOrdersListed)
{
    TfmAssBasicoContratosFaturamento& form = abrir();
    selecionar(form, "00004", "01/03/2026", "10/03/2026");
    ASSERT_EQ(form.quPesqServico->recordCount(), 4);
    guardaFoto(form, "fmAssContratosFaturamento.png");
}

}  // namespace
}  // namespace moduletest
