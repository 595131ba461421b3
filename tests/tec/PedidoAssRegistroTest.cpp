// The assistance-order header: kind question, numbering at save, required
// values in their order, captions of kind and status, and the line loaders.

#include "tests/tec/PedidoAssFixture.h"

#include "host/data/Abort.h"
#include "host/db/Database.h"

namespace tectest {
namespace {

using PedidoAssRegistroTest = PedidoAssTest;

TEST_F(PedidoAssRegistroTest, ANewOrderTakesTheHostNumberWhateverWasTyped)
{
    novoCabecalho();
    EXPECT_EQ(cab("AUX2").asString(), "1");
    EXPECT_EQ(cab("VECREDITO").asString(), "N");
    EXPECT_EQ(cab("FRETE").asString(), "2");
    EXPECT_EQ(cab("CODIGO_VENDEDOR").asString(), "00007") << "the customer's representative";
    EXPECT_EQ(cab("BCCODIGO").asString(), "341");
    cab("CODIGO_CLIENTE").setAsString("");
    EXPECT_EQ(cab("CODIGO_VENDEDOR").asString(), "00007") << "an empty customer changes nothing";
    cab("CODIGO_CLIENTE").setAsString("00001");
    cab("NUMERO_PEDIDO").setAsString("999");
    dmTec->quAssVenda->post();
    EXPECT_EQ(texto("select NUMERO_PEDIDO from AVEC8501"), "000001");

    // An order renumbered "00000" is stored as "00001".
    dmTec->quAssVenda->edit();
    cab("NUMERO_PEDIDO").setAsString("00000");
    dmTec->quAssVenda->post();
    EXPECT_EQ(texto("select NUMERO_PEDIDO from AVEC8501"), "00001");
}

TEST_F(PedidoAssRegistroTest, TheKindQuestionCancelledOrClosedLeavesNoRow)
{
    parametro("ATNOVOPEDIDOASSISTENCIA", "");
    CarregaPedidoAssVenda("", "");
    dialogos->answer("Cancelar", "Deseja cadastrar um novo registro?");
    EXPECT_THROW(dmTec->quAssVenda->append(), host::Abort);
    dialogos->cancel("Deseja cadastrar um novo registro?");
    EXPECT_THROW(dmTec->quAssVenda->append(), host::Abort);
    EXPECT_TRUE(dmTec->quAssVenda->isEmpty());
    EXPECT_EQ(dmTec->quAssVenda->state(), host::data::DatasetState::Browse);

    dialogos->answer("Proposta");
    dmTec->quAssVenda->append();
    EXPECT_EQ(cab("AUX2").asString(), "0");
    EXPECT_EQ(cab("AUX2").displayText(), "Proposta");
    EXPECT_EQ(cab("IMPRESSO_NF").displayText(), "(Em Andamento)");
}

TEST_F(PedidoAssRegistroTest, RequiredValuesAreAskedInTheirOrderWithBothMessages)
{
    CarregaPedidoAssVenda("", "");
    dmTec->quAssVenda->append();
    const char* const campos[] = {"CODIGO_CLIENTE", "ANCODIGOCONTATO", "ANCODIGOENTREGA", "ANCODIGOCOBRANCA"};
    const char* const nomes[] = {"Cliente", "Contato", "Contato de Entrega", "Contato de Cobrança"};
    for (int i = 0; i < 4; ++i) {
        dialogos->acknowledge(QString("Campo '%1' não informado.").arg(QString::fromUtf8(nomes[i])));
        dialogos->acknowledge("Não Foi Possível Salvar Pedido.");
        EXPECT_THROW(dmTec->quAssVenda->post(), host::Abort) << nomes[i];
        EXPECT_EQ(dmTec->quAssVenda->state(), host::data::DatasetState::Insert);
        if (i == 0)
            cab(campos[0]).setAsString("00001");
        else
            cab(campos[i]).setAsInteger(9);
    }
    dmTec->quAssVenda->post();
    EXPECT_EQ(valor("select count(*) from AVEC8501"), 1);
    EXPECT_TRUE(dialogos->failures().isEmpty()) << dialogos->failures().join('\n').toStdString();
}

TEST_F(PedidoAssRegistroTest, StatusTextsDependOnTheKind)
{
    struct Caso {
        const char* tipo;
        const char* status;
        const char* texto;
    };
    const Caso casos[] = {
        {"1", "", "(Pendente)"}, {"1", "C", "(Em Produção)"}, {"1", "N", "(Pronto para Faturar)"},
        {"1", "L", "(Liberado a Entrega)"}, {"1", "S", "(Entregue)"}, {"1", "P", "(Pendência Pedido)"},
        {"0", "", "(Em Andamento)"}, {"0", "S", "(Fechada)"}, {"0", "C", ""}, {"0", "N", ""}, {"0", "L", ""},
        {"0", "P", "(Pendência Pedido)"}, {"7", "P", "(Pendência Pedido)"}, {"7", "", ""},
    };
    int n = 0;
    for (const Caso& caso : casos) {
        const QString numero = QString::number(100 + n++);
        exec(QString("insert into AVEC8501 (NUMERO_PEDIDO, AUX2, IMPRESSO_NF, VEENVIACONTRATO) values ('%1', '%2', %3, '3')")
                 .arg(numero, caso.tipo, *caso.status ? QString("'%1'").arg(caso.status) : QString("null")));
        CarregaPedidoAssVenda(numero, "");
        EXPECT_EQ(cab("IMPRESSO_NF").displayText(), QString::fromUtf8(caso.texto)) << caso.tipo << caso.status;
    }
    EXPECT_EQ(cab("AUX2").displayText(), "Proposta") << "any kind but 1";
    EXPECT_EQ(cab("VEENVIACONTRATO").displayText(), "3 - Não Possui");
}

TEST_F(PedidoAssRegistroTest, LinesAreNotOpenedOnAnEmptyHeader)
{
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO) values (1, 'P1', '000050')");
    CarregaPedidoAssVenda("000050", "");
    ASSERT_TRUE(dmTec->quAssVenda->isEmpty());
    dmTec->CarregaPedidoAssVendaItem("000050", "", "");
    dmTec->CarregaPedidoAssVendaCotado("000050", "");
    EXPECT_FALSE(dmTec->quAssVendaItem->active());
    EXPECT_FALSE(dmTec->quAssVendaCotado->active());

    exec("insert into AVEC8501 (NUMERO_PEDIDO, AUX2) values ('000050', '1')");
    CarregaPedidoAssVenda("000050", "");
    dmTec->CarregaPedidoAssVendaItem("000050", "", "");
    EXPECT_EQ(dmTec->quAssVendaItem->recordCount(), 1);
    EXPECT_EQ(lin("DESCRICAO").asString(), "Produto 1");
}

TEST_F(PedidoAssRegistroTest, NotesAndChangeLogFollowTheOrder)
{
    const QString numero = novoPedido();
    dmTec->quAssVendaObs->close();
    dmTec->quAssVendaObs->open();
    dmTec->quAssVendaObs->append();
    dmTec->quAssVendaObs->fieldByName("VOTEXTO")->setAsString("Entregar pela manhã");
    dmTec->quAssVendaObs->post();
    EXPECT_EQ(texto("select VECODIGO from AVEC85VO"), numero);

    dmTec->quAssVendaObs->edit();
    dmTec->quAssVendaObs->cancel();
    EXPECT_EQ(one("select count(*) from ARQLOG").toInt(), 0) << "a cancelled notes edit is not audited";
    dmTec->CarregaControleAlteracoesPedidoAss(numero);
    EXPECT_TRUE(dmTec->quAssCtrlAlter->isEmpty());
}

}  // namespace
}  // namespace tectest
