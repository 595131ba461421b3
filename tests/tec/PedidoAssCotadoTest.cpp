// Configured lines of the assistance orders: entry by code and bar code,
// quantity by mode, delete refusal, and the save with its serial-number
// pickers (scripted offscreen), totals, back-order and requested-line link.

#include "tests/tec/PedidoAssFixture.h"

#include "host/Upesq.h"
#include "host/Upesqprod.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/ui/Layouts.h"

#include <QTemporaryDir>
#include <QTest>

namespace tectest {
namespace {

using host::data::DatasetState;
using host::ui::Form;

class PedidoAssCotadoTest : public PedidoAssTest {
protected:
    void SetUp() override
    {
        PedidoAssTest::SetUp();
        host::ui::Layouts::setFolder(layouts.path());
        const char* locais[] = {"'001', 'Estoque', null, 'S'", "'002', 'Produção', '2', null",
                                "'003', 'Oficina', null, null"};
        for (const char* local : locais)
            exec(QString("update or insert into ACEC1401 (CODIGO, DESCRICAO, LESTATUSPEDIDO, LEORIGEM) values (%1)"
                         " matching (CODIGO)").arg(local));
        exec("update ACEC1401 set LESTATUSPEDIDO = null where CODIGO <> '002'");
        exec("update ACEC1401 set LEORIGEM = null where CODIGO <> '001'");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PRGERANS) values ('EQO', 'Equipamento O', 100, 'O')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PRGERANS) values ('EQU', 'Equipamento U', 50, 'Ú')");
        exec("update ACEC1101 set OUTRO_CODIGO = '7890' where CODIGO = 'P2'");
        numero = novoPedido();
        dmTec->CarregaPedidoAssVendaCotado(numero, {});
    }
    void TearDown() override
    {
        host::ui::Layouts::setFolder({});
        PedidoAssTest::TearDown();
    }
    host::data::Field& cot(const char* nome) { return dmTec->campoCotado(nome); }
    void movimento(int codigo, const QString& produto, const QString& serie, const QString& local)
    {
        exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, LECODIGO) values (%1, '%2', '%3', '%4')")
                 .arg(codigo)
                 .arg(serie, produto, local));
    }
    void novaLinha(const QString& produto, double quantidade = 1)
    {
        dmTec->quAssVendaCotado->append();
        cot("CODIGO").setAsString(produto);
        cot("QUANTIDADE").setAsFloat(quantidade);
    }
    // The serial picker: the rows (1-based) chosen, none = cancelled.
    void series(QList<int> linhas)
    {
        dialogos->modal("fmPesquisa", [linhas](Form& form) {
            auto& janela = static_cast<TfmPesquisa&>(form);
            if (linhas.isEmpty()) {
                QTest::keyClick(janela.grid(), Qt::Key_Escape);
                return;
            }
            if (linhas != QList<int>{1})
                for (int linha : linhas)
                    janela.grid()->selectRow(linha);
            QTest::keyClick(janela.grid(), Qt::Key_Return);
        });
    }
    // The requested-line picker: the line chosen by its COD, 0 = cancelled.
    void solicitado(int cod)
    {
        dialogos->modal("fmPesquisa", [cod](Form& form) {
            auto& janela = static_cast<TfmPesquisa&>(form);
            if (cod == 0) {
                QTest::keyClick(janela.grid(), Qt::Key_Escape);
                return;
            }
            janela.dataSource()->dataset()->locate("COD", cod);
            QTest::keyClick(janela.grid(), Qt::Key_Return);
        });
    }
    int movimentos(const QString& condicao = {})
    {
        return one("select count(*) from AUGC50NS where VECODIGO = '" + numero + "'" + condicao).toInt();
    }

    QTemporaryDir layouts;
    QString numero;
};

TEST_F(PedidoAssCotadoTest, EntryByCodeAndBarCode)
{
    novaLinha("P1");
    EXPECT_EQ(cot("COD").asInteger(), 1);
    EXPECT_EQ(cot("NUMERO_PEDIDO").asString(), numero);
    EXPECT_EQ(cot("DESCRICAO").asString(), "Produto 1");
    EXPECT_DOUBLE_EQ(cot("VALOR").asFloat(), 10);
    cot("OUTRO_CODIGO").setText("7890");
    EXPECT_EQ(cot("CODIGO").asString(), "P2");
    EXPECT_EQ(cot("OUTRO_CODIGO").asString(), "7890");
    EXPECT_DOUBLE_EQ(cot("VALOR").asFloat(), 20);
    cot("CODIGO").setText("p2");
    EXPECT_EQ(cot("CODIGO").asString(), "P2") << "the typed code goes through the host's conversion";

    // A code held in lower case finds the product, the price is read as held.
    cot("CODIGO").setAsString("p1");
    EXPECT_EQ(cot("DESCRICAO").asString(), "Produto 1");
    EXPECT_DOUBLE_EQ(cot("VALOR").asFloat(), 0);

    dialogos->acknowledge("Produto não cadastrado.");
    EXPECT_THROW(cot("CODIGO").setAsString("NADA"), host::Abort);
    EXPECT_EQ(dmTec->quAssVendaCotado->state(), DatasetState::Browse);

    // Under "C" the product's technical description (its host observation text) becomes the line's text.
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('P2', 'P', 2, 'Espec P2')");
    novaLinha("P2");
    EXPECT_EQ(texto("select OBTEXTO from AUGC70OB where OBCODIGO = '" + numero + "' and OBID = 'V' and OBSEQUENCIA = -1"),
              "Espec P2");
    cot("VEITCOMPLEMENTO").setAsString("S");
    EXPECT_EQ(cot("VEITCOMPLEMENTO").displayText(), "Sim");
    cot("VEITCOMPLEMENTO").setAsString("N");
    EXPECT_EQ(cot("VEITCOMPLEMENTO").displayText(), "Não");
    dmTec->quAssVendaCotado->cancel();

    CarregaPedidoAssVenda("nenhum", "");
    dialogos->acknowledge("Informe os dados do pedido.");
    EXPECT_THROW(dmTec->quAssVendaCotado->append(), host::Abort);
}

TEST_F(PedidoAssCotadoTest, QuantityByMode)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    novaLinha("P1", 3);
    EXPECT_DOUBLE_EQ(cot("QUANTIDADE").asFloat(), 1);
    dmTec->quAssVendaCotado->cancel();

    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VEITNUMEROSERIE) values ('" + numero +
         "', 1, 'P1', 1, 'S1')");
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VEITNUMEROSERIE) values ('" + numero +
         "', 2, 'P2', 2, '<selecionado>')");
    dmTec->CarregaPedidoAssVendaCotado(numero, {});
    dmTec->quAssVendaCotado->first();
    dmTec->quAssVendaCotado->edit();
    cot("QUANTIDADE").setAsFloat(5);   // a single serial number: nothing asked
    dmTec->quAssVendaCotado->cancel();
    dmTec->quAssVendaCotado->next();
    dmTec->quAssVendaCotado->edit();
    cot("OBS").setAsString("mudou");
    dialogos->answer("Não", "Confirma uma nova seleção de Número(s) de Série?");
    cot("QUANTIDADE").setAsFloat(3);
    EXPECT_EQ(dmTec->quAssVendaCotado->state(), DatasetState::Browse) << "the whole edit is cancelled";
    EXPECT_EQ(cot("OBS").asString(), "");
    dmTec->quAssVendaCotado->edit();
    dialogos->answer("Sim");
    cot("QUANTIDADE").setAsFloat(3);
    EXPECT_EQ(cot("VEITNUMEROSERIE").asString(), "");
    dmTec->quAssVendaCotado->cancel();
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(PedidoAssCotadoTest, SeveralSerialNumbersUnderRuleO)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    novaLinha("EQO");
    dialogos->acknowledge("Número(s) de Série não disponível(eis)!");
    EXPECT_THROW(dmTec->quAssVendaCotado->post(), host::Abort);
    EXPECT_EQ(dmTec->quAssVendaCotado->state(), DatasetState::Insert);

    for (int i = 1; i <= 3; ++i)
        movimento(i, "EQO", QString("O%1").arg(i), "001");
    // None chosen: a warning, the line saved, the choice offered once more after the save.
    series({});
    dialogos->acknowledge("Número(s) de Série não selecionado(s)!");
    series({});
    dialogos->acknowledge("Número(s) de Série não selecionado(s)!");
    dmTec->quAssVendaCotado->post();
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(one("select count(*) from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'").toInt(), 1);

    // Two chosen on an edit (no duplicate refusal for an existing line).
    dmTec->quAssVendaCotado->edit();
    series({1, 3});
    dmTec->quAssVendaCotado->post();
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(texto("select VEITNUMEROSERIE from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'"), "<selecionado>");
    EXPECT_DOUBLE_EQ(valor("select QUANTIDADE from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'"), 2);
    EXPECT_DOUBLE_EQ(valor("select TOTAL_UNIT from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'"), 200);
    EXPECT_EQ(texto("select list(NSNUMERO || LECODIGO || OPCODIGO, ',') from (select * from AUGC50NS where VECODIGO = '" +
                    numero + "' order by NSNUMERO)"),
              "O1002" + numero + ",O3002" + numero);
    EXPECT_TRUE(texto("select first 1 NSOBSERVACAO from AUGC50NS where VECODIGO = '" + numero + "'").startsWith("Pedido "));

    // "<selecionado>": no picker, only the total.
    dmTec->quAssVendaCotado->edit();
    cot("VALOR").setAsFloat(7.125);
    dmTec->quAssVendaCotado->post();
    EXPECT_DOUBLE_EQ(valor("select TOTAL_UNIT from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'"), 14.25);
    EXPECT_EQ(movimentos(), 2);

    // The product once more on the order is refused.
    novaLinha("EQO");
    dialogos->acknowledge("Código do Produto já inserido no Pedido.");
    EXPECT_THROW(dmTec->quAssVendaCotado->post(), host::Abort);
    dmTec->quAssVendaCotado->cancel();
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(PedidoAssCotadoTest, OneSerialNumberUnderRuleUAndARefusalKeepsTheMovements)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    movimento(1, "EQU", "U1", "001");
    movimento(2, "EQU", "U2", "003");
    novaLinha("EQU", 4);
    series({1});
    dmTec->quAssVendaCotado->post();
    EXPECT_EQ(texto("select VEITNUMEROSERIE from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'"), "U1");
    EXPECT_DOUBLE_EQ(valor("select QUANTIDADE from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'"), 1);
    EXPECT_EQ(movimentos(" and NSNUMERO = 'U1' and LECODIGO = '002'"), 1);

    // Saved again: the picker opens again; nothing chosen is refused with where the equipment is.
    dmTec->quAssVendaCotado->edit();
    series({});
    dialogos->acknowledge("Local Atual: Oficina.");
    EXPECT_THROW(dmTec->quAssVendaCotado->post(), host::Abort);
    EXPECT_TRUE(dialogos->texts().last().startsWith(
        "Este Equipamento não se Encontra em Estoque ou Produção.\nNão é Possível Realizar esta Operação! \n"))
        << "shown with the host's line breaks";
    EXPECT_EQ(movimentos(" and NSNUMERO = 'U1'"), 1) << "a refused save leaves the movements as they were";

    // Choosing the same unit books it again.
    series({1});
    dmTec->quAssVendaCotado->post();
    EXPECT_EQ(movimentos(), 1);
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(PedidoAssCotadoTest, ModeELinksTheRequestedLine)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    CarregaPedidoAssVenda(numero, "");
    dmTec->CarregaPedidoAssVendaItem(numero, {}, {});
    linha("P1", 1, 15);
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('" + numero + "', 'V', 1, 'Texto 1')");
    exec("update ACEC1101 set ESTOQUE = 10 where CODIGO = 'P1'");
    dmTec->CarregaPedidoAssVendaCotado(numero, {});

    novaLinha("P1");
    solicitado(0);
    dialogos->acknowledge("O Código do Equipamento Solicitado Referente não foi Selecionado!");
    EXPECT_THROW(dmTec->quAssVendaCotado->post(), host::Abort);
    solicitado(1);
    dmTec->quAssVendaCotado->post();
    EXPECT_EQ(texto("select VEITCODIGOREF from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'"), "P1");
    EXPECT_EQ(one("select VEITCODREF from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'").toInt(), 1);
    EXPECT_DOUBLE_EQ(valor("select VALOR from AVEC85LX where NUMERO_PEDIDO = '" + numero + "'"), 15);
    EXPECT_EQ(texto("select OBTEXTO from AUGC70OB where OBCODIGO = '" + numero + "' and OBSEQUENCIA = -1"), "Texto 1");

    // Saved again it keeps its own share of the requested line.
    dmTec->quAssVendaCotado->edit();
    solicitado(1);
    dmTec->quAssVendaCotado->post();

    // A second line finds none left; a short one asks about the back-order.
    novaLinha("P1");
    solicitado(1);
    dialogos->acknowledge("O Equipamento Referente \"P1\" não Possui mais Qtde. Disponível!");
    EXPECT_THROW(dmTec->quAssVendaCotado->post(), host::Abort);
    dmTec->quAssVendaCotado->cancel();
    novaLinha("P2");
    dialogos->answer("Não", "Deseja colocar em pedido pendente?").acknowledge("Aviso: operação abortada!");
    EXPECT_THROW(dmTec->quAssVendaCotado->post(), host::Abort);
    cot("VECODIGOPENDENCIA").setAsString("000777");
    dialogos->acknowledge("O item está inserido em Pedido de Pendência \"000777\".");
    EXPECT_THROW(dmTec->quAssVendaCotado->post(), host::Abort);
    dmTec->quAssVendaCotado->cancel();
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(PedidoAssCotadoTest, NeitherModeOnlyTotalsAndDeleteRules)
{
    novaLinha("EQO", 3);
    cot("VALOR").setAsFloat(1.119);
    dmTec->quAssVendaCotado->post();
    EXPECT_DOUBLE_EQ(valor("select TOTAL_UNIT from AVEC85LX"), 3.35);
    EXPECT_TRUE(dialogos->texts().isEmpty()) << "no serial picker outside modes C and E";

    // Deleting removes only the line's movements that carry a pending order.
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, VECODIGO, OPCODIGO) values (1, 'A', 'EQO', '" + numero +
         "', '" + numero + "')");
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, VECODIGO) values (2, 'B', 'EQO', '" + numero + "')");
    exec("update AVEC85LX set VECODIGOPENDENCIA = '000900'");
    dmTec->quAssVendaCotado->refresh();
    dialogos->acknowledge("O item do Pedido encontra-se no Pedido em Pendência \"000900\".");
    EXPECT_THROW(dmTec->quAssVendaCotado->remove(), host::Abort);
    EXPECT_EQ(movimentos(), 2);
    exec("update AVEC85LX set VECODIGOPENDENCIA = null");
    dmTec->quAssVendaCotado->refresh();
    dmTec->quAssVendaCotado->remove();
    EXPECT_EQ(texto("select list(NSNUMERO) from AUGC50NS"), "B");
}

TEST_F(PedidoAssCotadoTest, TheLastLineOutOfTheBackOrderClearsTheHeaderLink)
{
    exec("update AVEC8501 set VECODIGOPENDENCIA = '000900' where NUMERO_PEDIDO = '" + numero + "'");
    CarregaPedidoAssVenda(numero, "");
    novaLinha("P1");
    dmTec->quAssVendaCotado->post();
    EXPECT_EQ(texto("select coalesce(VECODIGOPENDENCIA, '') from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'"), "");
}

TEST_F(PedidoAssCotadoTest, OpeningTheLinesCostsNothingPerLineAndCountsTheTypes)
{
    exec("update ACEC1101 set PNCODIGO = 5 where CODIGO in ('P1', 'P2')");
    auto custoAbrir = [&](const QString& pedido) {
        const auto antes = host::db::statementCount();
        dmTec->CarregaPedidoAssVendaCotado(pedido, {});
        dmTec->quAssVendaCotado->last();   // every row read, its count computed
        return host::db::statementCount() - antes;
    };
    for (int cod = 1; cod <= 2; ++cod)
        exec(QString("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('800001', %1, 'P1', 1)").arg(cod));
    for (int cod = 1; cod <= 20; ++cod)
        exec(QString("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('%1', %2, '%3', %4)")
                 .arg(numero)
                 .arg(cod)
                 .arg(cod % 2 ? "P1" : "P2")
                 .arg(cod == 20 ? 5 : 1));
    const auto dois = custoAbrir("800001");
    const auto vinte = custoAbrir(numero);
    EXPECT_EQ(vinte, dois);
    dmTec->quAssVendaCotado->last();
    EXPECT_DOUBLE_EQ(cot("QUANTIDADETIPO").asFloat(), 24);
    EXPECT_DOUBLE_EQ(cot("QUANTIDADETIPO").asFloat(), dmTec->CalcularQtdeTipoEquipamento(20, numero, "P2"));
}

TEST_F(PedidoAssCotadoTest, SavingUnderModeCCostsAFixedNumberPlusOnePerSerial)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    for (int i = 1; i <= 4; ++i)
        movimento(i, "EQO", QString("S%1").arg(i), "001");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PRGERANS) values ('EQ2', 'Equipamento 2', 'O')");
    movimento(5, "EQ2", "T1", "001");
    // The movements' keys generator past the rows written here, as the
    // next start leaves it: its one catch-up is no booking's cost.
    host::raiseGeneratorsToKeys(*global->IBTransaction1);
    auto custo = [&](const QString& produto, QList<int> linhas) {
        novaLinha(produto);
        series(linhas);
        const auto execucoes = host::db::statementCount();
        const auto preparos = host::db::prepareCount();
        dmTec->quAssVendaCotado->post();
        return std::pair{host::db::statementCount() - execucoes, host::db::prepareCount() - preparos};
    };
    const auto um = custo("EQ2", {1});
    const auto tres = custo("EQO", {1, 2, 3});
    EXPECT_EQ(tres.first - um.first, 2u) << "n + 1 for the booking";
    EXPECT_LE(tres.second, um.second + 0u);
    EXPECT_LT(um.first, 40u);
}

}  // namespace
}  // namespace tectest
