// Situations of an order: the refusals of a choice, the change through the
// situation-change dialog with its progress record, the reason-for-change
// record of a save, the register's uniqueness rule, deleting an order with
// its children, and handlers put back after a failure.

#include "tests/tec/OSRegrasFixture.h"

#include "host/data/Abort.h"
#include "host/ui/DataLookupCombo.h"
#include "service_orders/uAssSituacaoTroca.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tectest {
namespace {

using host::data::DatasetState;

class OSSituacaoTest : public OSRegrasTest {
protected:
    void SetUp() override
    {
        OSRegrasTest::SetUp();
        cliente("00001", "Oficina Central");
        situacaoCom(1, "I");
        situacaoCom(2, "N");
        situacaoCom(3, "N");
        ordem(7, "00001", "A", 1);
    }
    QStringList progresso(const QString& condicao)
    {
        host::db::Statement st(*global->IBTransaction1,
                               "select SEQUENCIA, CONTRATO, ASCODIGO, ASCODIGOATUAL, VENDEDOT, RESUMIDA, OBSERVACAO"
                               " from CADCOM where " + condicao + " order by SEQUENCIA");
        st.execute();
        QStringList linhas;
        while (st.fetch()) {
            QStringList colunas;
            for (int i = 0; i < 7; ++i)
                colunas << st.value(i).toString();
            linhas << colunas.join('|');
        }
        return linhas;
    }
    void contato(const QString& cliente, int sequencia, int contrato, const QString& origem)
    {
        exec(QString("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM) values ('%1', %2, %3, '%4')")
                 .arg(cliente)
                 .arg(sequencia)
                 .arg(contrato)
                 .arg(origem));
    }
};

TEST_F(OSSituacaoTest, ASaveWritesTheReasonRecordPerCustomerWithTheReasonCutTo100)
{
    cliente("00002", "Outro");
    contato("00001", 1, 3, "A");
    contato("00001", 2, 3, "A");
    contato("00002", 10, 4, "A");
    parametro("ATCONTROLEOS", "C");
    CarregaOrdemServico(7);
    dmTec->quOS->edit();
    const QString longo = QString("Troca do motor ").repeated(10);
    dialogos->enter(longo, "Informe o motivo de alteração:");
    SalvarAlteracoes(*dmTec->quOS);
    dmTec->quOS->edit();
    dialogos->cancel("Informe o motivo de alteração:");
    SalvarAlteracoes(*dmTec->quOS);
    dmTec->quOS->edit();
    dmTec->quOS->setTag(8);
    SalvarAlteracoes(*dmTec->quOS);   // an internal change writes no record

    const QString valores = "Valor Total: 0,00 Valor Serviços: 0,00 Valor Peças: 0,00";
    EXPECT_EQ(progresso("CONTRATO = 7"),
              (QStringList{"3|7|1||0|" + longo.left(100) + "|" + valores,
                           "4|7|1||0|Atualização de Ordem de Serviço|" + valores}));
    EXPECT_EQ(one("select count(*) from CADCOM where CONTRATO = 7 and IDORIGEM = 'A' and PESSOA_CONTATO = 'SYSDBA'"
                  " and DATA_SOLICITADA is not null and HORA_VISITA is not null")
                  .toInt(),
              2);
    EXPECT_EQ(dialogos->pending(), 0);

    // Committed with the save.
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction transacao(outra);
    EXPECT_EQ(host::db::selectValue(transacao, "select count(*) from CADCOM where CONTRATO = 7").toInt(), 2);
}

TEST_F(OSSituacaoTest, AChoiceIsRefusedByTheSituationsFlagsAndTheOrdersLines)
{
    situacaoCom(4, "N", {}, "ASINSERCAO", "S");
    situacaoCom(5, "R");
    situacaoCom(6, "M");
    CarregaOrdemServico(7);
    dialogos->acknowledge("Situação permitida apenas para novas Ordens de Serviço!");
    EXPECT_THROW(dmTec->quOSASCODIGO->setAsInteger(4), host::Abort);
    dmTec->quOS->cancel();

    parametro("ATREMANUFATURA", "S");
    dialogos->acknowledge("Situação inválida para Ordem de Serviço de Assistência Técnica!");
    EXPECT_THROW(dmTec->quOSASCODIGO->setAsInteger(5), host::Abort);
    dmTec->quOS->cancel();
    parametro("ATREMANUFATURA", "N");

    parametro("ATRESTRICAOOS", "B");
    item(1, 7);
    servico(7, 1, 1, {}, "3");
    peca(7, 1, 1);
    dialogos->acknowledge("Serviços a serem faturados e sem garantia!");
    EXPECT_THROW(dmTec->quOSASCODIGO->setAsInteger(6), host::Abort);
    dmTec->quOS->cancel();
    exec("update AATC01AA set VECODIGO = '000001'");
    dialogos->acknowledge("Peças a serem faturadas e sem garantia!");
    EXPECT_THROW(dmTec->quOSASCODIGO->setAsInteger(6), host::Abort);
    dmTec->quOS->cancel();
    EXPECT_EQ(dialogos->pending(), 0);

    // On a new order a situation only for new orders is accepted.
    dmTec->quOS->append();
    dmTec->quOSASCODIGO->setAsInteger(4);
    EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 4);
}

class TrocaSituacaoTest : public OSSituacaoTest {
protected:
    void SetUp() override
    {
        OSSituacaoTest::SetUp();
        InstalarDialogoTrocaSituacao(&TrocaSituacaoOrdemServico);
        tecnicoCom(3, "JOAO", "S");
        entrarComo("JOAO");
        parametro("ATCONTROLEOS", "S");
        CarregaOrdemServico(7);
        dmTec->quOS->edit();
    }
    void TearDown() override
    {
        InstalarDialogoTrocaSituacao({});
        OSSituacaoTest::TearDown();
    }
};

TEST_F(TrocaSituacaoTest, TheDialogConfirmedWritesItsRecordAndTheChosenSituationIsSaved)
{
    dialogos->modal("fmAssSituacaoTroca", [](host::ui::Form& form) {
        auto& dialogo = static_cast<TfmAssSituacaoTroca&>(form);
        EXPECT_EQ(dialogo.gbSituacao->title(), "Informe a nova situação da O.S Nº  7");
        EXPECT_EQ(dialogo.laCodTec->text(), "3");
        EXPECT_EQ(dialogo.laNomeTec->text(), "JOAO");
        EXPECT_EQ(dialogo.laSitAtual->text(), "Situação 1");
        EXPECT_EQ(dialogo.dblcSituacao->keyValue().toInt(), 2) << "the situation proposed";
        dialogo.dblcSituacao->setKeyValue(3);   // the technician picks another one
        dialogo.meLaudo->setPlainText("Aguardando peça");
        dialogo.bbOk->click();
    });
    dmTec->quOSASCODIGO->setAsInteger(2);
    EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 3);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse) << "saved at once";
    EXPECT_EQ(one("select ASCODIGO from AATC01AO where AOCODIGO = 7").toInt(), 3);
    EXPECT_EQ(progresso("CONTRATO = 7"), QStringList{"1|7|1|3|3||Aguardando peça"});
    EXPECT_TRUE(bool(dmTec->quOSASCODIGO->onChange)) << "the change rule is back";
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_FALSE(fmAssSituacaoTroca) << "the dialog is freed";
}

TEST_F(TrocaSituacaoTest, AClickOnTheTechnicianPicksAnotherOne)
{
    tecnicoCom(4, "MARIA", "S");
    dialogos->modal("fmAssSituacaoTroca", [this](host::ui::Form& form) {
        auto& dialogo = static_cast<TfmAssSituacaoTroca&>(form);
        dialogos->modal("fmPesquisa", [](host::ui::Form& pesquisa) {
            QTest::keyClick(pesquisa.findChild<QLineEdit*>(), Qt::Key_Down);
            QTest::keyClick(pesquisa.findChild<QLineEdit*>(), Qt::Key_Return);
        });
        QTest::mouseClick(dialogo.laCodTec, Qt::LeftButton);
        EXPECT_EQ(dialogo.laCodTec->text(), "4");
        EXPECT_EQ(dialogo.laNomeTec->text(), "MARIA");
        dialogo.bbOk->click();
    });
    dmTec->quOSASCODIGO->setAsInteger(2);
    EXPECT_EQ(progresso("CONTRATO = 7"), QStringList{"1|7|1|2|4||"});
}

TEST_F(TrocaSituacaoTest, CancellingTheDialogCancelsTheWholeHeaderEdit)
{
    dmTec->quOSAOCONTATO->setAsString("Rita");
    dialogos->modal("fmAssSituacaoTroca", {});
    EXPECT_THROW(dmTec->quOSASCODIGO->setAsInteger(2), host::Abort);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
    EXPECT_EQ(dmTec->quOSASCODIGO->asInteger(), 1);
    EXPECT_TRUE(dmTec->quOSAOCONTATO->isNull());
    EXPECT_TRUE(bool(dmTec->quOSASCODIGO->onChange));
    EXPECT_EQ(contar("CADCOM"), 0);
    EXPECT_FALSE(fmAssSituacaoTroca);
}

TEST_F(TrocaSituacaoTest, ATechnicianBarredFromSituationsWritesNothing)
{
    exec("update AATC06AT set ATALTERARSITUACAO = 'N'");
    dialogos->modal("fmAssSituacaoTroca", [](host::ui::Form& form) {
        static_cast<TfmAssSituacaoTroca&>(form).bbOk->click();
    });
    dialogos->acknowledge("Usuário logado não tem permissão para alterar Situação da Ordem de Serviço");
    EXPECT_THROW(dmTec->quOSASCODIGO->setAsInteger(2), host::Abort);
    EXPECT_EQ(contar("CADCOM"), 0);
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(OSSituacaoTest, AUserWhoIsNoTechnicianCannotChangeASituationInTechnicianMode)
{
    parametro("ATCONTROLEOS", "S");
    CarregaOrdemServico(7);
    dmTec->quOS->edit();
    dialogos->acknowledge("Usuário não está cadastrado como técnico");
    EXPECT_THROW(dmTec->quOSASCODIGO->setAsInteger(2), host::Abort);
    EXPECT_TRUE(bool(dmTec->quOSASCODIGO->onChange));
}

TEST_F(OSSituacaoTest, TheRegisterNumbersDefaultsAndKeepsOneSituationPerUniqueType)
{
    dmTec->CarregaSituacao(0, "");
    dmTec->quOSSituacao->append();
    EXPECT_EQ(dmTec->quOSSituacaoASCODIGO->asInteger(), 4);
    EXPECT_EQ(dmTec->quOSSituacaoASTIPO->asString(), "N");
    EXPECT_EQ(dmTec->quOSSituacaoASRESERVA->asString(), "S");
    EXPECT_EQ(dmTec->quOSSituacaoASAPROVA->asString(), "S");
    dmTec->quOSSituacaoASDESCRICAO->setAsString("EM TESTE");
    dmTec->quOSSituacao->post();
    EXPECT_EQ(one("select ASID from AATC01AS where ASCODIGO = 4").toString(), "A") << "an empty origin is A";

    dmTec->quOSSituacao->append();
    dmTec->quOSSituacaoASTIPO->setAsString("I");
    dialogos->acknowledge("Tipo já cadastrado");
    EXPECT_THROW(dmTec->quOSSituacao->post(), host::Abort);
    dmTec->quOSSituacao->cancel();

    // Editing the initial situation itself is allowed; turning another one into a second initial is not.
    ASSERT_TRUE(dmTec->quOSSituacao->locate("ASCODIGO", 1));
    dmTec->quOSSituacaoASDESCRICAO->setAsString("RECEBIDA");
    dmTec->quOSSituacao->post();
    ASSERT_TRUE(dmTec->quOSSituacao->locate("ASCODIGO", 2));
    dmTec->quOSSituacaoASTIPO->setAsString("I");
    dialogos->acknowledge("Tipo já cadastrado");
    EXPECT_THROW(dmTec->quOSSituacao->post(), host::Abort);
    EXPECT_EQ(dialogos->pending(), 0);
}

class ExclusaoOSTest : public OSSituacaoTest {
protected:
    void SetUp() override
    {
        OSSituacaoTest::SetUp();
        ordem(8, "00001", "A", 1);
        for (int ordem : {7, 8}) {
            item(ordem, ordem);
            peca(ordem, 1, ordem);
            servico(ordem, 1, ordem);
        }
        contato("00001", 1, 7, "A");
        contato("00001", 2, 7, "C");   // a contact of a contract with the same number
        contato("00001", 3, 8, "A");
        parametro("ATSENHAOS", "del");
        CarregaOrdemServico(7);
    }
    int filhos(int ordem)
    {
        return contar("AATC01AOIT", QString("AOCODIGO = %1").arg(ordem)) +
               contar("AATC01AP", QString("AOCODIGO = %1").arg(ordem)) +
               contar("AATC01AA", QString("AOCODIGO = %1").arg(ordem)) +
               contar("CADCOM", QString("CONTRATO = %1 and IDORIGEM = 'A'").arg(ordem));
    }
};

TEST_F(ExclusaoOSTest, DeletingAnOrderRemovesItsChildrenAndProgressRecordsOnly)
{
    dialogos->enter("del", "Senha de Exclusão de Ordem de Serviço");
    dmTec->quOS->remove();
    EXPECT_EQ(contar("AATC01AO", "AOCODIGO = 7"), 0);
    EXPECT_EQ(filhos(7), 0);
    EXPECT_EQ(filhos(8), 4) << "another order keeps its rows";
    EXPECT_EQ(contar("CADCOM", "CONTRATO = 7 and IDORIGEM = 'C'"), 1);
    EXPECT_EQ(one("select ACAO || '|' || OBSERVACAO from ARQLOG where TABELA = 'AATC01AO'").toString(),
              "Deletou O.S.|Código/Cliente:7/00001");

    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction transacao(outra);
    EXPECT_EQ(host::db::selectValue(transacao, "select count(*) from AATC01AP where AOCODIGO = 7").toInt(), 0)
        << "committed with the header";
}

// The next new order takes the number of the last one deleted: the time
// entries and defects of its lines and items must not pass to it.
TEST_F(ExclusaoOSTest, DeletingAnOrderTakesTheTimeEntriesAndDefectsOfItsLinesAndItems)
{
    for (int ordem : {7, 8}) {
        exec(QString("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA) values (%1, 1, 1)").arg(ordem));
        exec(QString("insert into AATC01AAAD (AAADSEQUENCIA, ADCODIGO, AACODIGO, AOCODIGO) values (%1, 1, 1, %1)")
                 .arg(ordem));
        exec(QString("insert into AATC01AOAD (AOADCODIGO, ADCODIGO, AOCODIGO, AOITCODIGO) values (%1, 1, %1, %1)")
                 .arg(ordem));
    }
    auto detalhes = [this](int ordem) {
        const QString onde = QString("AOCODIGO = %1").arg(ordem);
        return contar("AATC01AAIT", onde) + contar("AATC01AAAD", onde) + contar("AATC01AOAD", onde);
    };
    dialogos->enter("del", "Senha de Exclusão de Ordem de Serviço");
    dmTec->quOS->remove();
    EXPECT_EQ(detalhes(7), 0);
    EXPECT_EQ(detalhes(8), 3) << "another order keeps its rows";
}

// Expenses, project products, accessories and costs are the order's too: a
// new order under the same number would count them in its totals (and its
// first expense would collide with the key left behind).
TEST_F(ExclusaoOSTest, DeletingAnOrderTakesItsExpensesProjectAccessoriesAndCosts)
{
    for (int ordem : {7, 8}) {
        exec(QString("insert into AATC01AV (AOCODIGO, AVCODIGO, AVPEDVALOR) values (%1, 1, 10)").arg(ordem));
        exec(QString("insert into AATC01AX (AOCODIGO, AXCODIGO) values (%1, 1)").arg(ordem));
        exec(QString("insert into AATC01AQ (AQCODIGO, AOCODIGO, AQVALORTOTAL) values (1, %1, 30)").arg(ordem));
        exec(QString("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (%1, 1, 'Cabo')").arg(ordem));
        exec(QString("insert into AATC08AF (AFCODIGO, AOCODIGO, AFVALOR) values (%1, %1, 5)").arg(ordem));
    }
    exec("insert into AATC08AF (AFCODIGO, AFVALOR) values (99, 5)");   // a cost of no order
    auto daOrdem = [this](int ordem) {
        const QString onde = QString("AOCODIGO = %1").arg(ordem);
        int total = 0;
        for (const char* tabela : {"AATC01AV", "AATC01AX", "AATC01AQ", "AATC01AR", "AATC08AF"})
            total += contar(tabela, onde);
        return total;
    };
    dialogos->enter("del", "Senha de Exclusão de Ordem de Serviço");
    dmTec->quOS->remove();
    EXPECT_EQ(daOrdem(7), 0);
    EXPECT_EQ(daOrdem(8), 5) << "another order keeps its rows";
    EXPECT_EQ(contar("AATC08AF", "AFCODIGO = 99"), 1);
}

TEST_F(ExclusaoOSTest, ARefusedDeleteLeavesEverythingInPlace)
{
    dialogos->enter("errada").acknowledge("Senha inválida!");
    EXPECT_THROW(dmTec->quOS->remove(), host::Abort);

    // Its stock documents and sales orders keep the order's number.
    exec("update AATC01AO set VECODIGO = '000009' where AOCODIGO = 7");
    CarregaOrdemServico(7);
    dialogos->enter("del").acknowledge("A Ordem de Serviço não pode ser excluída: ela gerou o pedido de venda 000009.");
    EXPECT_THROW(dmTec->quOS->remove(), host::Abort);
    exec("update AATC01AO set VECODIGO = null where AOCODIGO = 7");
    CarregaOrdemServico(7);
    exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, CODIGOPRODUTO, SEQUENCIA, AOCODIGO)"
         " values ('004512', '1', '00001', 'P1', 1, '7')");
    dialogos->enter("del").acknowledge("A Ordem de Serviço não pode ser excluída: ela gerou o documento 004512.");
    EXPECT_THROW(dmTec->quOS->remove(), host::Abort);

    // A parts request of the order would pass to the next order of its number.
    exec("insert into AATC07AI (AICODIGO, AIID, AISEQUENCIA, AOCODIGO) values (3, 'C', 0, 7)");
    dialogos->enter("del").acknowledge("solicitação de peças 000003");
    EXPECT_THROW(dmTec->quOS->remove(), host::Abort);

    EXPECT_EQ(contar("AATC01AO", "AOCODIGO = 7"), 1);
    EXPECT_EQ(filhos(7), 4);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 7);
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(ExclusaoOSTest, AFailureAmongTheChildrenPutsTheOrderAndItsChildrenBack)
{
    exec("create exception E_TESTE 'servico travado'");
    exec("create trigger TR_TESTE for AATC01AA before delete as begin exception E_TESTE; end");
    dialogos->enter("del");
    EXPECT_ANY_THROW(dmTec->quOS->remove());
    EXPECT_EQ(contar("AATC01AO", "AOCODIGO = 7"), 1);
    EXPECT_EQ(filhos(7), 4);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 7) << "the order is shown again";
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(filhos(7), 4) << "nothing half-done waits for the next commit";
}

TEST_F(OSSituacaoTest, SavingWithoutRulesPutsTheHandlersBackAfterAFailure)
{
    ordem(8);
    CarregaOrdemServico(7);
    dmTec->quOS->beforeEdit = nullptr;   // as the report release leaves it
    dmTec->quOS->edit();
    dmTec->quOSAOCODIGO->setAsInteger(8);   // the key of another order: the write fails
    EXPECT_ANY_THROW(dmTec->OSSalvaAtualiza());
    EXPECT_TRUE(bool(dmTec->quOS->beforePost));
    EXPECT_TRUE(bool(dmTec->quOS->beforeEdit));
    EXPECT_TRUE(bool(dmTec->quOS->afterPost));
    dmTec->quOS->cancel();

    host::clearHookCalls();
    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Bia");
    dmTec->OSSalvaAtualiza();
    EXPECT_EQ(one("select AOCONTATO from AATC01AO where AOCODIGO = 7").toString(), "Bia");
    EXPECT_TRUE(host::hookCallTexts().filter("quOS:").isEmpty()) << "no rule ran";
}

}  // namespace
}  // namespace tectest
