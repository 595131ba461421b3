// Parts lines: a new line's defaults and number, typed quantities against
// stock and whole units, the reservation, the repeated product, the field
// rules, saving (totals, reservation, commit) and deleting, and what typing a
// product into a new line and saving it costs in statements.

#include "tests/tec/PecasFixture.h"

#include "host/HostLog.h"
#include "host/PilvCpr70.h"
#include "host/Upesq.h"
#include "host/ui/DataGrid.h"
#include "host/ui/WindowRegistry.h"
#include "tests/support/TestDatabase.h"

namespace tectest {
namespace {

using host::data::DatasetState;

class LinhasTest : public PecasTest {};

TEST_F(LinhasTest, NewLineDefaultsAndNumber)
{
    item(2, 7);
    parametro("ATRESERVAPECAS", "A");
    abrir();
    dmTec->CarregaOSItens(7, 0);
    dmTec->quOSItem->last();   // item 2
    TdmTec& tec = *dmTec;
    tec.quOSPecas->append();
    EXPECT_EQ(tec.quOSPecasAPSEQUENCIA->asInteger(), 1) << "an order without parts";
    EXPECT_EQ(tec.quOSPecasAOCODIGO->asInteger(), 7);
    EXPECT_EQ(tec.quOSPecasAOITCODIGO->asInteger(), 2) << "the current item";
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPQUANTIDADE), 1);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPVALTOTAL), 0);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPIPI), 0) << "every float zeroed";
    EXPECT_EQ(texto(tec.quOSPecasAPRESERVA), "S") << "reserved by default";
    EXPECT_EQ(texto(tec.quOSPecasAPAUTORIZADO), "S");
    EXPECT_EQ(texto(tec.quOSPecasAPTIPO), "3");
    EXPECT_EQ(texto(tec.quOSPecasAPUSUARIOINSERCAO), IbUserName());
    EXPECT_EQ(tec.quOSPecasUGINSERIDO->asDateTime().date(), QDate::currentDate());
    tec.quOSPecas->cancel();

    peca(7, 7, 0);   // lines 1 to 6 deleted long ago
    tec.quOSPecas->append();
    EXPECT_EQ(tec.quOSPecasAPSEQUENCIA->asInteger(), 8);
    ASSERT_FALSE(host::hookCalls().isEmpty());
    EXPECT_EQ(host::hookCalls().last().event, "ONNEWRECORD");
}

TEST_F(LinhasTest, OnTheActiveProgressWindowTheItemComesFromItsOrderList)
{
    item(2, 7);
    abrir();
    TdmTec& tec = *dmTec;
    tec.quPesqOS->setSql("select AOCODIGO, AOITCODIGO from AATC01AOIT where AOITCODIGO = 2");
    tec.quPesqOS->open();
    auto* andamento = new host::ui::Form();
    andamento->setObjectName("fmAssAndamento");
    tec.quOSPecas->append();
    EXPECT_EQ(tec.quOSPecasAOITCODIGO->asInteger(), 1) << "the window exists but is not the active one";
    tec.quOSPecas->cancel();
    host::ui::WindowRegistry::activated(andamento);
    tec.quOSPecas->append();
    EXPECT_EQ(tec.quOSPecasAOITCODIGO->asInteger(), 2);
    tec.quOSPecas->cancel();
    host::ui::WindowRegistry::freeAll();
}

TEST_F(LinhasTest, AHeaderBeingInsertedIsSavedBeforeItsFirstPart)
{
    abrir();
    TdmTec& tec = *dmTec;
    tec.quOS->append();
    tec.quOSAOCODIGO->setAsInteger(8);
    tec.quOSCLCODIGO->setAsString("00001");
    tec.CarregaOSPecas(8, 0);   // the window shows the new order's (empty) lines
    tec.quOSPecas->append();
    EXPECT_EQ(tec.quOS->state(), DatasetState::Browse);
    EXPECT_EQ(one("select count(*) from AATC01AO where AOCODIGO = 8").toInt(), 1);
    EXPECT_EQ(tec.quOSPecasAOCODIGO->asInteger(), 8);
}

TEST_F(LinhasTest, StockRefusedOnlyWhenNegativeStockIsNotAllowed)
{
    // P1: stock 5, 2 reserved elsewhere: 3 available.
    exec("update ACEC1101 set QTDE_PRODUCAO = 2 where CODIGO = 'P1'");
    const QString recusa = "Quantidade insuficiente em estoque disponível do produto código \"P1\"";
    parametro("ATESTOQUENEGATIVO", "n");   // upper-cased before the comparison
    novaLinha("P1");
    TdmTec& tec = *dmTec;
    tec.quOSPecasAPRESERVA->setText("S");
    tec.quOSPecasAPQUANTIDADE->setText("2");
    tec.quOSPecasAPQUANTIDADE->setText("5");   // 2 -> 5: an increase of 3, all that is available
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPQUANTIDADE), 5);
    tec.quOSPecasAPQUANTIDADE->setText("2");
    dialogos->acknowledge(recusa);
    EXPECT_THROW(tec.quOSPecasAPQUANTIDADE->setText("6"), host::Abort) << "2 -> 6 is one too many";
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPQUANTIDADE), 2) << "the quantity stays";

    tec.quOSPecasAPRESERVA->setText("N");
    tec.quOSPecasAPQUANTIDADE->setText("6");
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPQUANTIDADE), 6) << "an unreserved line is not checked while typed";
    dialogos->acknowledge(recusa);
    EXPECT_THROW(tec.quOSPecasAPRESERVA->setText("Sim"), host::Abort) << "reserving 6 of 3";
    EXPECT_EQ(texto(tec.quOSPecasAPRESERVA), "N");

    parametro("ATESTOQUENEGATIVO", "S");
    tec.quOSPecasAPRESERVA->setText("Sim");
    EXPECT_EQ(texto(tec.quOSPecasAPRESERVA), "S") << "\"Sim\" kept as its first letter";
    tec.quOSPecasAPQUANTIDADE->setText("50");
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPQUANTIDADE), 50) << "negative stock allowed";
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(LinhasTest, SavingAReservedLineChecksTheStockAgainWhenAsked)
{
    parametro("ATESTOQUENEGATIVO", "N");
    parametro("ATCONFERERESERVA", "A");
    novaLinha("P1");
    TdmTec& tec = *dmTec;
    tec.quOSPecasAPRESERVA->setText("S");
    tec.quOSPecasAPQUANTIDADE->setText("4");
    tec.quOSPecas->post();
    exec("update ACEC1101 set ESTOQUE = 3 where CODIGO = 'P1'");   // stock went down meanwhile
    tec.quOSPecas->edit();
    tec.quOSPecasAPOBSERVACAO->setAsString("sem mudar a quantidade");
    tec.quOSPecas->post();   // 4 stored, 4 asked: no increase
    tec.quOSPecas->edit();
    tec.quOSPecasAPQUANTIDADE->setAsFloat(7);   // 3 more: passes
    tec.quOSPecas->post();
    tec.quOSPecas->edit();
    tec.quOSPecasAPQUANTIDADE->setAsFloat(11);   // 4 more than the 7 stored
    dialogos->acknowledge("Quantidade insuficiente em estoque disponível do produto código \"P1\"");
    EXPECT_THROW(tec.quOSPecas->post(), host::Abort);
    EXPECT_EQ(tec.quOSPecas->state(), DatasetState::Edit);
}

TEST_F(LinhasTest, UnitFractionRefusedAndAccepted)
{
    parametro("ATFRACIONAUNIDADE", "S");
    novaLinha("P1");   // UN
    TdmTec& tec = *dmTec;
    dialogos->acknowledge("Aviso: operação abortada.\nA unidade UN não permite quantidade fracionada!");
    dialogos->acknowledge("Valor 1,5 inválido.");
    EXPECT_THROW(tec.quOSPecasAPQUANTIDADE->setText("1,5"), host::Abort);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPQUANTIDADE), 1);
    tec.quOSPecasAPQUANTIDADE->setText("3");
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPVALTOTAL), 30);
    dialogos->acknowledge("Valor 2x inválido.");
    EXPECT_THROW(tec.quOSPecasAPQUANTIDADE->setText("2x"), host::Abort);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPQUANTIDADE), 3);
    tec.quOSPecas->cancel();

    novaLinha("P2");   // metres
    tec.quOSPecasAPQUANTIDADE->setText("1,5");
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPQUANTIDADE), 1.5);
    parametro("ATFRACIONAUNIDADE", "");
    tec.quOSPecas->cancel();
    novaLinha("P1");
    tec.quOSPecasAPQUANTIDADE->setText("1,5");
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPQUANTIDADE), 1.5) << "no check without the parameter";
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(LinhasTest, RepeatedProductIsRefusedOrAskedAsTheHostSays)
{
    novaLinha("P1");
    dmTec->quOSPecas->post();
    parametro("ATVENDAPRODUTOREPETIDO", "N");
    abrir();
    dmTec->quOSPecas->append();
    dialogos->acknowledge("Aviso: operação abortada.\nProduto já lançado neste documento!");
    EXPECT_THROW(dmTec->quOSPecasPRCODIGO->setText("P1"), host::Abort);
    EXPECT_TRUE(dmTec->quOSPecasPRCODIGO->isNull()) << "emptied";
    EXPECT_TRUE(dmTec->quOSPecasDESCRICAO->isNull()) << "nothing copied";

    parametro("ATVENDAPRODUTOREPETIDO", "P");
    dialogos->answer("Não");
    EXPECT_THROW(dmTec->quOSPecasPRCODIGO->setText("P1"), host::Abort);
    dialogos->answer("Sim");
    dmTec->quOSPecasPRCODIGO->setText("P1");
    EXPECT_EQ(texto(dmTec->quOSPecasDESCRICAO), "Parafuso");
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(LinhasTest, ReservationRefusedInASituationThatKeepsNoReservations)
{
    situacao(3, "A", "A");
    exec("update AATC01AS set ASRESERVA = 'N' where ASCODIGO = 3");
    exec("update AATC01AO set ASCODIGO = 3 where AOCODIGO = 7");
    novaLinha("P1");
    dialogos->acknowledge("Situação não permiti reservar peça!");
    EXPECT_THROW(dmTec->quOSPecasAPRESERVA->setText("S"), host::Abort);
    dmTec->quOSPecasAPRESERVA->setText("N");
    EXPECT_EQ(texto(dmTec->quOSPecasAPRESERVA), "N");
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(LinhasTest, LocationGroupEquipmentAndManufacturerCode)
{
    exec("insert into ACEC1401 (CODIGO, DESCRICAO) values ('001', 'Loja')");
    exec("update AATC01AOIT set AOITEQUIPCODIGO = 40, AOITEQUIPDESCRICAO = 'Furadeira' where AOITCODIGO = 1");
    exec("update ACEC1101 set PRCODIGOFORNECEDOR = 'BX-9' where CODIGO = 'P2'");
    novaLinha("P1");
    TdmTec& tec = *dmTec;
    tec.quOSPecasLECODIGO->setText("001");
    dialogos->acknowledge("Local inválido");
    EXPECT_THROW(tec.quOSPecasLECODIGO->setText("999"), host::Abort);
    tec.quOSPecasLECODIGO->setText("");

    tec.quOSPecasAOITEQUIPCODIGO->setText("40");
    EXPECT_EQ(texto(tec.quOSPecasEQUIPAMENTO), "Furadeira");
    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(tec.quOSPecasAOITEQUIPCODIGO->setText("41"), host::Abort);
    tec.quOSPecasAOITEQUIPCODIGO->setText("");
    EXPECT_TRUE(tec.quOSPecasEQUIPAMENTO->isNull()) << "an emptied code names no equipment";

    tec.quOSPecasPRCODIGOFORNECEDOR->setText("bx-9");
    EXPECT_EQ(texto(tec.quOSPecasPRCODIGO), "P2") << "the only product with that manufacturer code";
    EXPECT_EQ(texto(tec.quOSPecasDESCRICAO), "Cabo") << "the product rule ran";
    dialogos->acknowledge("Código do fabricante não encontrado.");
    tec.quOSPecasPRCODIGOFORNECEDOR->setText("ZZ");
    EXPECT_EQ(texto(tec.quOSPecasPRCODIGO), "P2");

    // Two products share a manufacturer code: the user chooses (by description).
    exec("update ACEC1101 set PRCODIGOFORNECEDOR = 'BX-9' where CODIGO = 'P1'");
    QStringList listados;
    dialogos->modal("fmPesquisa", [&](host::ui::Form& form) {
        auto& janela = static_cast<TfmPesquisa&>(form);
        host::data::Dataset& linhas = *janela.grid()->dataSource()->dataset();
        listados = coluna(linhas, "CODIGO");
        linhas.first();   // "Cabo"
        linhas.next();    // "Parafuso"
        janela.setModalResult(host::ui::ModalResult::Ok);
    });
    tec.quOSPecasPRCODIGOFORNECEDOR->setText("BX-9");
    EXPECT_EQ(listados, (QStringList{"P2", "P1"}));
    EXPECT_EQ(texto(tec.quOSPecasPRCODIGO), "P1");
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(LinhasTest, SavingWithoutAProductIsRefused)
{
    abrir();
    dmTec->quOSPecas->append();
    dialogos->acknowledge("Preenchimento da peça obrigatória");
    EXPECT_THROW(dmTec->quOSPecas->post(), host::Abort);
    EXPECT_EQ(dmTec->quOSPecas->state(), DatasetState::Insert);
}

// The line keeps its total unrounded; the header sums it by the totals mode.
TEST_F(LinhasTest, LineTotalUnroundedHeaderTotalFollowsTheMode)
{
    modo("");
    novaLinha("P2");   // 2.5 a metre
    TdmTec& tec = *dmTec;
    tec.quOSPecasAPQUANTIDADE->setText("1,333");
    tec.quOSPecasAPDESCONTO->setAsFloat(10);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasAPVALTOTAL), 1.333 * 2.5) << "a discount alone waits for the save";
    tec.quOSPecasAPQUANTIDADEREQUERIDA->setAsFloat(2);
    tec.quOSPecas->post();
    const double total = 1.333 * (2.5 * 0.9);   // 2.99925
    EXPECT_NEAR(one("select APVALTOTAL from AATC01AP where AOCODIGO = 7").toDouble(), total, 1e-12);
    EXPECT_NEAR(one("select APVALORTOTALREQUERIDO from AATC01AP where AOCODIGO = 7").toDouble(), 4.5, 1e-12);
    EXPECT_EQ(tec.quOS->state(), DatasetState::Browse) << "the partial re-total posts the header";
    EXPECT_NEAR(valor(tec.quOSAOVALORPECAS), total, 1e-12);
    EXPECT_NEAR(one("select AOVALORPECAS from AATC01AO where AOCODIGO = 7").toDouble(), total, 1e-12);

    novaLinha("P1");
    tec.quOSPecasAPTIPO->setAsString("1");   // under warranty: not counted outside mode "T"
    tec.quOSPecas->post();
    EXPECT_NEAR(valor(tec.quOSAOVALORPECAS), total, 1e-12);

    modo("I");
    tec.quOSPecas->edit();
    tec.quOSPecasAPTIPO->setAsString("3");
    tec.quOSPecas->post();
    EXPECT_EQ(tec.quOS->state(), DatasetState::Edit) << "the full re-total leaves the header in edit";
    EXPECT_NEAR(valor(tec.quOSAOVALORPECAS), total + 10, 1e-12);
    EXPECT_DOUBLE_EQ(valor(tec.quOSAOVALORIPI), 0.5) << "taxes computed before saving: IPI 5 % of 10";
    EXPECT_NEAR(valor(tec.quOSAOVALORTOTAL), total + 10 + 0.5, 1e-12);
}

TEST_F(LinhasTest, SavingAlsoReTotalsTheServicesInSomeInstallationsAndMayMoveToTheLastLine)
{
    modo("");
    parametro("ATMODOEMPRESA", "A");
    exec("update or insert into EMPRESA (CODIGO, UGESPECIFICOEMPRESA) values (1, 16) matching (CODIGO)");
    dmGlobal->CarregaEmpresa();
    servico(7, 1, 40);
    peca(7, 1, 10);
    peca(7, 2, 20);
    abrir();
    TdmTec& tec = *dmTec;
    tec.quOSPecas->edit();
    tec.quOSPecasAPOBSERVACAO->setAsString("primeira");
    tec.quOSPecas->post();
    EXPECT_DOUBLE_EQ(valor(tec.quOSAOVALORSERVICO), 40);
    EXPECT_EQ(tec.quOSPecasAPSEQUENCIA->asInteger(), 2) << "on the last line";
}

TEST_F(LinhasTest, SavingCommitsAtOnceAndKeepsTheReservedQuantity)
{
    parametro("ATRESERVAPECAS", "S");
    novaLinha("P1");
    TdmTec& tec = *dmTec;
    tec.quOSPecasAPRESERVA->setText("S");
    tec.quOSPecasAPQUANTIDADE->setText("3");
    tec.quOSPecas->post();
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 3);
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasRESERVADO), 3) << "the line shows the new reservation";
    EXPECT_EQ(host::hookCalls().last().event, "AFTERPOST");
    dmGlobal->IBTransaction1->rollbackRetaining();
    EXPECT_EQ(one("select count(*) from AATC01AP where AOCODIGO = 7").toInt(), 1) << "committed by the post";
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 3) << "committed with the line that reserves it";
    CarregaOrdemServico(7);
    abrir();

    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE, APRESERVA) values (9, 1, 'P1', 2,"
         " 'S')");   // reserved by another order
    tec.quOSPecas->remove();
    EXPECT_DOUBLE_EQ(reservadoGravado("P1"), 2) << "after the delete only the other order's";
    EXPECT_DOUBLE_EQ(valor(tec.quOSAOVALORPECAS), 0);
    EXPECT_EQ(one("select count(*) from ARQLOG where ACAO = 'Deletou Peças da O.S. 7' and OBSERVACAO = 'Código:P1'")
                  .toInt(),
              1);
    EXPECT_EQ(host::hookCalls().last().event, "AFTERDELETE");
}

TEST_F(LinhasTest, UnitValueReadOnlyAndInTransitFields)
{
    parametro("ATBLOQUEIAPRECOPECA", "I");
    parametro("ATMODOCONSULTAPECA", "Q");
    exec("insert into ACOC80IT (CODIGO, QUANTIDADE, QUANTIDADE_RECEBIDA, OCITBAIXADO, ENTREGA) values ('P1', 10, 4,"
         " 'O', '2026-03-01')");
    exec("insert into ACOC80IT (CODIGO, QUANTIDADE, OCITBAIXADO, ENTREGA) values ('P1', 2, 'O', '2026-04-01')");
    exec("insert into ACOC80IT (CODIGO, QUANTIDADE, OCITBAIXADO, ENTREGA) values ('P1', 50, 'B', '2026-05-01')");
    for (int sequencia = 1; sequencia <= 3; ++sequencia)
        peca(7, sequencia, 10);
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, PRCODIGO) values (7, 4, 'P2')");
    CarregaOrdemServico(7);
    TdmTec& tec = *dmTec;
    testsupport::StatementCounter contador;
    tec.CarregaOSPecas(7, 0);
    EXPECT_EQ(coluna(*tec.quOSPecas, "QtdeTransito"), (QStringList{"8", "8", "8", "0"}));
    EXPECT_EQ(contador.count(), 3) << "the lines, then one read per product, not two per row";
    tec.quOSPecas->first();
    EXPECT_TRUE(tec.quOSPecasAPVALUNITARIO->readOnly());
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasQtdeTransito), 8);
    EXPECT_EQ(tec.quOSPecasDataTransito->asDateTime().date(), QDate(2026, 4, 1));
    tec.quOSPecas->last();
    EXPECT_DOUBLE_EQ(valor(tec.quOSPecasQtdeTransito), 0) << "nothing on order";
    EXPECT_TRUE(tec.quOSPecasDataTransito->isNull());
    tec.quOSPecas->first();
    parametro("ATBLOQUEIAPRECOPECA", "");
    parametro("ATMODOCONSULTAPECA", "");
    abrir();
    EXPECT_FALSE(tec.quOSPecasAPVALUNITARIO->readOnly());
    EXPECT_TRUE(tec.quOSPecasQtdeTransito->isNull());
}

// Typing a product into a new line and saving it: one statement for the line
// number, one for the typed code, one for the product, one for its group's
// description; then whether the order was billed, the savepoint that keeps
// the line and the header's totals one unit, the number taken again, the
// order's row held, the insert, the line re-read, the parts sum, the header's update (its
// after-post adds its audit row and its re-read), the current item re-read
// and the savepoint released.
TEST_F(LinhasTest, TypingAProductAndSavingTheLineCostsAFixedNumberOfStatements)
{
    modo("");
    abrir();
    TdmTec& tec = *dmTec;
    testsupport::StatementCounter contador;
    tec.quOSPecas->append();
    tec.quOSPecasPRCODIGO->setText("P1");
    EXPECT_EQ(contador.count(), 4);
    tec.quOSPecas->post();
    EXPECT_EQ(contador.count(), 16);
}

}  // namespace
}  // namespace tectest

// The bar code of a package names its product and how many units it holds.
namespace tectest {
namespace {

TEST_F(LinhasTest, PackageBarCodeGivesTheProductAndItsFactor)
{
    exec("insert into ACEC11CB (CBCODIGO, PRCODIGO, CBFATOR) values ('17891000', 'P1', 12)");
    double fator = 0;
    EXPECT_EQ(dmGlobal->RetornaCodigoProduto("17891000", "", fator), "P1");
    EXPECT_DOUBLE_EQ(fator, 12);
    EXPECT_EQ(dmGlobal->RetornaCodigoProduto("789100", "", fator), "P1") << "the other code";
    EXPECT_DOUBLE_EQ(fator, 1);
    novaLinha("17891000");
    EXPECT_EQ(texto(dmTec->quOSPecasPRCODIGO), "P1");
    EXPECT_DOUBLE_EQ(rFatorCodigoBarras, 12);
}

}  // namespace
}  // namespace tectest
