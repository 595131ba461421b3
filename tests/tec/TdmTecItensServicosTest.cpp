// The service lines a saved order item generates: the warranty line, the
// vehicle's check-list lines, the re-pricing of a remanufacture order's line
// with the approval date, and the insurance question.

#include "tests/tec/AndamentoFixture.h"

#include "host/ui/ProgressWindow.h"

namespace tectest {
namespace {

using host::data::DatasetState;

class LinhasDoItemTest : public AndamentoTest {
protected:
    // Item 1 as the model 21 "Furadeira" (warranty value 120), with its
    // authorisation and warranty, saved through quOSItem.
    void salvarItem(const QString& autorizado, const QString& garantia)
    {
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEVALORGARANTIA) values (21, 'Furadeira', 120)");
        exec("update AATC01AOIT set AOITEQUIPCODIGO = 21, AOITEQUIPDESCRICAO = 'Furadeira' where AOITCODIGO = 1");
        abrirServicos();
        TdmTec& tec = *dmTec;
        tec.quOSItem->edit();
        tec.quOSItemAOITAUTORIZADO->setAsString(autorizado);
        tec.quOSItemAOITGARANTIA->setAsString(garantia);
        tec.quOSItem->post();
    }
    // Items of order 7 made from service line 1 of product S1.
    void itemDoServico(int codigo, const QString& aprovado)
    {
        exec(QString("update or insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPDESCRICAO, AACODIGO,"
                     " AOITAPROVADO) values (%1, 7, 'S1', 1, %2) matching (AOITCODIGO)")
                 .arg(codigo)
                 .arg(aprovado.isNull() ? QString("null") : "'" + aprovado + "'"));
    }
    int linhas() { return one("select count(*) from AATC01AA where AOCODIGO = 7").toInt(); }
};

TEST_F(LinhasDoItemTest, WarrantyLineOnlyForAnAuthorisedItemWithFactoryWarranty)
{
    parametro("ATMODOOS", "G");
    parametro("ATSERVICOPADRAO", "S1");
    salvarItem("S", "2");
    EXPECT_EQ(linhas(), 0) << "warranty 2";
    dmTec->quOSItem->edit();
    dmTec->quOSItemAOITAUTORIZADO->setAsString("N");
    dmTec->quOSItemAOITGARANTIA->setAsString("1");
    dmTec->quOSItem->post();
    EXPECT_EQ(linhas(), 0) << "not authorised";

    TdmTec& tec = *dmTec;
    tec.quOSItem->edit();
    tec.quOSItemAOITAUTORIZADO->setAsString("S");
    tec.quOSItem->post();
    ASSERT_EQ(linhas(), 1);
    EXPECT_EQ(tec.quOSAndamento->state(), DatasetState::Browse);
    EXPECT_EQ(texto(tec.quOSAndamentoPRCODIGO), "S1");
    EXPECT_EQ(tec.quOSAndamentoAACODIGO->asInteger(), 1);
    EXPECT_EQ(tec.quOSAndamentoAOITCODIGO->asInteger(), 1);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALOR), 120) << "the model's warranty value";
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAQUANTIDADE), 1);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAndamentoAAVALORTOTAL), 120);
    EXPECT_EQ(texto(tec.quOSAndamentoAAAUTORIZADO), "N");
    EXPECT_DOUBLE_EQ(valor(tec.quOSAOVALORSERVICO), 0) << "not re-totalled";
    EXPECT_TRUE(tec.quOSAndamento->beforePost && tec.quOSAndamento->afterPost && tec.quOSAndamento->beforeInsert)
        << "the handlers attached again";
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(linhas(), 0) << "left for the next commit";
}

TEST_F(LinhasDoItemTest, WarrantyWithoutAStandardServiceStopsAfterTheItemIsSaved)
{
    parametro("ATMODOOS", "G");
    dialogos->acknowledge("Não foi informado código do serviço padrão para garantia do equipamento.");
    EXPECT_THROW(salvarItem("S", "1"), host::Abort);
    EXPECT_EQ(linhas(), 0);
    EXPECT_EQ(one("select AOITGARANTIA from AATC01AOIT where AOITCODIGO = 1").toString(), "1") << "the item is saved";
}

TEST_F(LinhasDoItemTest, AFailedWarrantyLineLeavesNoRowBehind)
{
    parametro("ATMODOOS", "G");
    parametro("ATSERVICOPADRAO", "X1");   // not a service product
    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(salvarItem("S", "1"), host::Abort);
    EXPECT_EQ(dmTec->quOSAndamento->state(), DatasetState::Browse);
    EXPECT_TRUE(dmTec->quOSAndamento->isEmpty());
    EXPECT_TRUE(dmTec->quOSAndamento->beforePost != nullptr);
}

TEST_F(LinhasDoItemTest, CheckListLinesFollowTheOrdersHighestLine)
{
    servico(7, 3, 10);
    exec("insert into AUGC20IV (IVCODIGO, IVDESCRICAO, PRCODIGO) values (4, 'Freios', 'S1')");
    exec("insert into AUGC20IV (IVCODIGO, IVDESCRICAO, PRCODIGO) values (5, 'Óleo', 'X1')");
    exec("insert into AUGC20EVIV (EVCODIGO, IVCODIGO) values (8, 4)");
    exec("insert into AUGC20EVIV (EVCODIGO, IVCODIGO) values (8, 5)");
    abrirServicos();
    dmTec->InserirItemVerificacaoVeiculoOS(8, 7, 1, 1234.5);
    EXPECT_FALSE(dmTec->quOSAndamento->active()) << "the window reads the lines again";
    const auto& progresso = host::ui::ProgressWindow::instance();
    EXPECT_FALSE(progresso.isShown()) << "hidden at the end";
    EXPECT_EQ(one("select list(AACODIGO || ':' || IVCODIGO || ':' || PRCODIGO, ' ') from AATC01AA"
                  " where AOCODIGO = 7 and IVCODIGO is not null").toString(),
              "4:4:S1 5:5:X1");
    EXPECT_EQ(one("select count(*) from AATC01AA where AOCODIGO = 7 and AOITCODIGO = 1 and EVCODIGO = 8 and"
                  " AAQUANTIDADE = 0 and AAKM = 1234.5 and AADATA = '" +
                  QDate::currentDate().toString("yyyy-MM-dd") + "'").toInt(),
              2);

    dmTec->InserirItemVerificacaoVeiculoOS(9, 7, 1, 0);
    EXPECT_EQ(linhas(), 3) << "a vehicle without a check-list";
    EXPECT_FALSE(progresso.isShown());
}

TEST_F(LinhasDoItemTest, ApprovedItemsGiveTheLinesQuantityAndTotal)
{
    exec("update AATC01AO set AOREMANUFATURA = 'R' where AOCODIGO = 7");
    servico(7, 1, 0);
    exec("update AATC01AA set AAVALOR = 25.5, AAQUANTIDADE = 3, AADESCONTO = 10 where AOCODIGO = 7");
    itemDoServico(1, "S");
    itemDoServico(2, "S");
    itemDoServico(3, "R");
    abrirServicos();
    TdmTec& tec = *dmTec;
    ASSERT_TRUE(tec.quOSItem->locate("AOITCODIGO", 2));
    tec.AtualizarItemRemanufatura();
    dmGlobal->IBTransaction1->rollbackRetaining();   // committed by the routine
    EXPECT_DOUBLE_EQ(one("select AAQUANTIDADE from AATC01AA where AOCODIGO = 7").toDouble(), 2);
    EXPECT_DOUBLE_EQ(one("select AAVALORTOTAL from AATC01AA where AOCODIGO = 7").toDouble(), 45.9)
        << "two approved at 25,50 less 10 %";
    EXPECT_EQ(one("select AODATAAPROVA from AATC01AO where AOCODIGO = 7").toDateTime().date(), QDate::currentDate())
        << "every item answered";
}

TEST_F(LinhasDoItemTest, AnUnansweredItemKeepsTheApprovalDateEmpty)
{
    exec("update AATC01AO set AOREMANUFATURA = 'C' where AOCODIGO = 7");
    servico(7, 1, 0);
    exec("update AATC01AA set AAVALOR = 10 where AOCODIGO = 7");
    itemDoServico(1, "S");
    itemDoServico(2, QString());
    abrirServicos();
    dmTec->AtualizarItemRemanufatura();
    EXPECT_TRUE(one("select AODATAAPROVA from AATC01AO where AOCODIGO = 7").isNull());
    EXPECT_DOUBLE_EQ(one("select AAVALORTOTAL from AATC01AA where AOCODIGO = 7").toDouble(), 10);
}

TEST_F(LinhasDoItemTest, OutsideRemanufactureOnlyTheApprovalDateIsSet)
{
    servico(7, 1, 0);
    exec("update AATC01AA set AAVALOR = 10, AAQUANTIDADE = 5, AAVALORTOTAL = 50 where AOCODIGO = 7");
    itemDoServico(1, "S");
    abrirServicos();
    dmTec->AtualizarItemRemanufatura();
    EXPECT_EQ(one("select AODATAAPROVA from AATC01AO where AOCODIGO = 7").toDateTime().date(), QDate::currentDate());
    EXPECT_DOUBLE_EQ(one("select AAVALORTOTAL from AATC01AA where AOCODIGO = 7").toDouble(), 50);

    exec("update AATC01AO set AOREMANUFATURA = 'R' where AOCODIGO = 7");
    exec("update AATC01AOIT set AACODIGO = null where AOITCODIGO = 1");   // an item typed in by hand
    abrirServicos();
    EXPECT_NO_THROW(dmTec->AtualizarItemRemanufatura());
    EXPECT_DOUBLE_EQ(one("select AAVALORTOTAL from AATC01AA where AOCODIGO = 7").toDouble(), 50);
}

TEST_F(LinhasDoItemTest, InsuranceQuestionForAnOrderWithoutLines)
{
    abrirServicos();
    dmTec->PerguntarSeguroVeiculoOS();   // no product "101": not asked
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, COM_FAB_S_FS) values ('101', 'Seguro', 99, '7')");
    dialogos->answer("Não", "Deseja que o veículo adquira o seguro?");
    dmTec->PerguntarSeguroVeiculoOS();
    EXPECT_EQ(linhas(), 0);

    dialogos->answer("Sim", "Deseja que o veículo adquira o seguro?");
    dmTec->PerguntarSeguroVeiculoOS();
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_FALSE(dmTec->quOSAndamento->active());
    EXPECT_EQ(one("select PRCODIGO from AATC01AA where AOCODIGO = 7").toString(), "101");
    EXPECT_EQ(one("select AATIPO from AATC01AA where AOCODIGO = 7").toString(), "3");
    EXPECT_DOUBLE_EQ(one("select AAQUANTIDADE from AATC01AA where AOCODIGO = 7").toDouble(), 1);
    EXPECT_DOUBLE_EQ(one("select AAVALORTOTAL from AATC01AA where AOCODIGO = 7").toDouble(), 99) << "priced";

    dmTec->PerguntarSeguroVeiculoOS();   // a line now: not asked, also with the list closed
    abrirServicos();
    dmTec->PerguntarSeguroVeiculoOS();
}

}  // namespace
}  // namespace tectest
