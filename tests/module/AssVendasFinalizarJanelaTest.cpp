// "&Finalizar" of the assistance-order window pressed on screen: a proposal
// becomes a linked order, an order ready to bill a rental contract.

#include "tests/module/AssVendasFixture.h"

#include "host/ui/DataEdit.h"
#include "host/ui/DataTextControls.h"

namespace moduletest {
namespace {

TEST_F(AssVendasJanelaTest, FinalizarTurnsAProposalIntoALinkedOrder)
{
    pedido("00501", "0");
    linhas("00501", 2);
    tr().commitRetaining();
    TfmAssVendas& form = abrir();
    CarregaPedidoAssVenda("00501", {});
    ASSERT_TRUE(form.bbFinalizar->isEnabled());

    dialogs->answer("Sim", "Confirma a geração Pedido?").acknowledge("gerado com sucesso!");
    QTest::mouseClick(form.bbFinalizar, Qt::LeftButton);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(form.dbteStatus->text(), "(Fechada)");

    const QString novo = lido("select VEPROPOSTA from AVEC8501 where NUMERO_PEDIDO = '00501'").toString();
    ASSERT_FALSE(novo.isEmpty());
    EXPECT_EQ(dialogs->texts().back(), "Pedido \"" + novo + "\" gerado com sucesso!");
    EXPECT_EQ(lido("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '00501'").toString(), "S");
    EXPECT_EQ(lido("select VEDATAPROPOSTA from AVEC8501 where NUMERO_PEDIDO = '00501'").toDate(), QDate::currentDate());
    EXPECT_EQ(lido("select VEPROPOSTA from AVEC8501 where NUMERO_PEDIDO = '" + novo + "'").toString(), "00501");
    EXPECT_EQ(lido("select VEDATAPROPOSTA from AVEC8501 where NUMERO_PEDIDO = '" + novo + "'").toDate(),
              QDate(2026, 12, 1));
    EXPECT_EQ(lido("select AUX2 from AVEC8501 where NUMERO_PEDIDO = '" + novo + "'").toString(), "1");
    EXPECT_EQ(lido("select count(*) from AVEC85IT where NUMERO_PEDIDO = '" + novo + "'").toInt(), 2);

    CarregaPedidoAssVenda(novo, {});
    EXPECT_EQ(form.dbteStatus->text(), "(Pendente)");
    fechar(form);
}

TEST_F(AssVendasJanelaTest, FinalizarMakesTheContractOfAnOrderReadyToBill)
{
    pedido("00502", "1", "N");
    linhas("00502", 1);
    tr().commitRetaining();
    TfmAssVendas& form = abrir();
    CarregaPedidoAssVenda("00502", {});
    ASSERT_TRUE(form.bbFinalizar->isEnabled());

    dialogs->answer("Sim", "Confirma a geração Contrato?").acknowledge("gerado com sucesso!");
    QTest::mouseClick(form.bbFinalizar, Qt::LeftButton);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    const int contrato = lido("select ACCODIGO from AATC05AC where ACPEDIDO = '00502'").toInt();
    ASSERT_GT(contrato, 0);
    EXPECT_EQ(dialogs->texts().back(), "Contrato código \"" + QString::number(contrato) + "\" gerado com sucesso!");
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = " + QString::number(contrato)).toInt(), 1);
    EXPECT_EQ(lido("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '00502'").toString(), "L");
    EXPECT_EQ(form.dbteStatus->text(), "(Liberado a Entrega)");
    EXPECT_EQ(form.dbedCodigoContrato->text(), QString::number(contrato));
    EXPECT_FALSE(form.bbFinalizar->isEnabled());
    fechar(form);
}

TEST_F(AssVendasJanelaTest, FinalizarAgainAfterReopeningKeepsTheOrdersOneContract)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    pedido("00503", "1", "N");
    linhas("00503", 1);
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, LECODIGO, OPCODIGO)"
         " values (1, 'NS-503', 'P0001', 'E', '01', '00503')");
    tr().commitRetaining();
    TfmAssVendas& form = abrir();
    CarregaPedidoAssVenda("00503", {});
    dialogs->answer("Sim", "Confirma a geração Contrato?").acknowledge("gerado com sucesso!");
    QTest::mouseClick(form.bbFinalizar, Qt::LeftButton);
    const int contrato = lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '00503'").toInt();
    ASSERT_GT(contrato, 0);

    // Reopened (status back to empty, contract kept), checked out and
    // released again: the order is ready to bill once more.
    exec("update AVEC8501 set IMPRESSO_NF = 'N' where NUMERO_PEDIDO = '00503'");
    tr().commitRetaining();
    CarregaPedidoAssVenda("00503", {});
    ASSERT_TRUE(form.bbFinalizar->isEnabled());
    dialogs->answer("Sim", "Confirma a geração Contrato?").acknowledge("já gerado para o Pedido!");
    QTest::mouseClick(form.bbFinalizar, Qt::LeftButton);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(dialogs->texts().back(),
              "Contrato código \"" + QString::number(contrato) + "\" já gerado para o Pedido!");
    EXPECT_EQ(lido("select count(*) from AATC05AC where ACPEDIDO = '00503'").toInt(), 1);
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = " + QString::number(contrato)).toInt(), 1);
    EXPECT_EQ(lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '00503'").toInt(), contrato);
    EXPECT_EQ(lido("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '00503'").toString(), "L");
    // The serial still follows, under the contract it keeps.
    EXPECT_EQ(lido("select count(*) from AUGC50NS where NSNUMERO = 'NS-503' and ACCODIGO = " +
                   QString::number(contrato))
                  .toInt(),
              2);
    EXPECT_EQ(form.dbteStatus->text(), "(Liberado a Entrega)");
    fechar(form);
}

// Two desks finalising one assistance order: the other desk has turned it
// into its document and not committed yet, or committed while this desk's
// screen still shows it open. "&Finalizar" here is refused in words, and
// once the other desk has committed the proposal has one order and the
// order one contract.
TEST_F(AssVendasJanelaTest, FinalizarAtTwoDesksMakesOneDocument)
{
    struct Caso {
        const char* numero;
        const char* tipo;
        const char* status;
        const char* pergunta;
        bool comitado;
        QStringList outraMesa;
        const char* documentos;
    };
    const QStringList pedidoDaProposta{
        "update AVEC8501 set IMPRESSO_NF = 'S', VEPROPOSTA = '00701' where NUMERO_PEDIDO = '00601'",
        "insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, AUX2, VEPROPOSTA, VELOCAL)"
        " values ('00701', '00004', '1', '00601', '01')"};
    const Caso casos[] = {
        {"00601", "0", "", "Confirma a geração Pedido?", false, pedidoDaProposta,
         "select count(*) from AVEC8501 where VEPROPOSTA = '00601'"},
        {"00601", "0", "", "Confirma a geração Pedido?", true, pedidoDaProposta,
         "select count(*) from AVEC8501 where VEPROPOSTA = '00601'"},
        {"00602", "1", "N", "Confirma a geração Contrato?", false,
         {"insert into AATC05AC (ACCODIGO, CLCODIGO, ACPEDIDO) values (9001, '00004', '00602')",
          "update AVEC8501 set ACCODIGO = 9001, IMPRESSO_NF = 'L' where NUMERO_PEDIDO = '00602'"},
         "select count(*) from AATC05AC where ACPEDIDO = '00602'"},
    };
    TfmAssVendas& form = abrir();
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.numero) + (caso.comitado ? " committed" : " pending"));
        exec(QString("delete from AVEC8501 where NUMERO_PEDIDO in ('%1', '00701')").arg(caso.numero));
        exec(QString("delete from AVEC85IT where NUMERO_PEDIDO = '%1'").arg(caso.numero));
        exec(QString("delete from AVEC85LX where NUMERO_PEDIDO = '%1'").arg(caso.numero));
        pedido(caso.numero, caso.tipo, caso.status);
        linhas(caso.numero, 1);
        tr().commitRetaining();
        CarregaPedidoAssVenda(caso.numero, {});
        ASSERT_TRUE(form.bbFinalizar->isEnabled());

        host::db::Connection conexao;
        conexao.open({dbPath});
        host::db::Transaction outra(conexao);
        for (const QString& sql : caso.outraMesa)
            host::db::executeSql(outra, sql);
        if (caso.comitado)
            outra.commitRetaining();
        dialogs->answer("Sim", caso.pergunta).acknowledge("em outra estação");
        QTest::mouseClick(form.bbFinalizar, Qt::LeftButton);
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
        outra.commit();
        EXPECT_EQ(lido(caso.documentos).toInt(), 1);
    }
    fechar(form);
}

}  // namespace
}  // namespace moduletest
