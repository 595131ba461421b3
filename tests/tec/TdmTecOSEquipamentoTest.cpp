// Orders from known equipment: the latest earlier order of a plate, order
// number, serial number or internal code gives a new order its customer and
// item (each copy rule by parameter); a new order's unknown plate becomes a
// vehicle item of a chosen model; the equipment item of a plate's latest
// other order is added to the current order.

#include "tests/tec/OSRegrasFixture.h"

#include "host/data/Abort.h"
#include "host/ui/Form.h"
#include "host/Upesq.h"

#include <QLineEdit>
#include <QTest>

namespace tectest {
namespace {

using host::data::DatasetState;
using host::ui::Form;

class OSEquipamentoTest : public OSRegrasTest {
protected:
    void SetUp() override
    {
        OSRegrasTest::SetUp();
        cliente("00001", "Oficina Central");
        cliente("00002", "Transportes Lima");
        situacaoCom(1, "I");
        tecnicoCom(4, "Rui", "S");
        modelo(70, "E");   // equipment
        modelo(71, "V");   // vehicle
        modelo(72, QString());   // no identifier
    }
    // An earlier order and its item, every copied column filled.
    void anterior(int ordem, const QString& entrada, const QString& cliente, int item, const QString& placa,
                  const QString& serie, int equipamento = 70)
    {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AOCONTATO, ATCODIGO, ASCODIGO, AODATAENTRADA)"
                     " values (%1, '%2', 'Contato %1', 4, 1, '%3')")
                 .arg(ordem)
                 .arg(cliente, entrada));
        exec(QString("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO, AOITMARCA,"
                     " AOITMODELO, AOITPLACA, AOITSERIE, AOITCODIGOINTERNO, AOITANOFABRICACAO, AOITCOR,"
                     " AOITDATACOMPRA, AOITCOMBUSTIVEL, AOITDEFEITO, AOITKMINICIAL, AOITPOSICAOCOMBUSTIVEL,"
                     " AOITLOJACOMPRA, AOITNUMERONOTAFISCAL, AOITNUMERONFREMESSA, AOITQUANTIDADE, AOITRENAVAN,"
                     " AOITMOTORNUMERO, AOITCARROCERIAMARCA, AOITCARROCERIANUMERO, AOITESPECIE)"
                     " values (%1, %2, %3, 'Item da OS %2', 'Marca', 'Modelo', '%4', '%5', 'INT-%2', '2019',"
                     " 'Azul', '2020-03-15', 'Diesel', 'Não liga %2', %2 * 1000, '1/2', 'Loja', 'NF%2', 'RM%2',"
                     " 2, 'REN%2', 'MOT%2', 'CarMarca', 'CarNum', 'Esp')")
                 .arg(item)
                 .arg(ordem)
                 .arg(equipamento)
                 .arg(placa, serie));
    }
    // The copy sets the serial, whose own rule offers the earlier item again
    // (declined), and the copied description is not in the register (not
    // added); then the success message.
    void copiaDeclinandoSerieECadastro()
    {
        dialogos->answer("Não", "Deseja inserir o equipamento referente a este Nº de Série?")
            .answer("Não", "Deseja inserir equipamento no cadastro?")
            .acknowledge("Operação efetuada com sucesso!");
    }
    void novaOrdem()
    {
        CarregaOrdemServico(0);
        dmTec->quOS->append();
    }
    QString itemGravado(const QString& coluna, int ordem)
    {
        return one("select " + coluna + " from AATC01AOIT where AOCODIGO = " + QString::number(ordem)).toString();
    }
    // Rows a second attachment sees: only what was committed.
    int linhasGravadas(const QString& tabela, const QString& condicao)
    {
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction transacao(outra);
        return host::db::selectValue(transacao, "select count(*) from " + tabela + " where " + condicao).toInt();
    }
    static TfmPesquisa& janela(Form& form) { return static_cast<TfmPesquisa&>(form); }
    // Picks the first row whose column contains the text, searching on that
    // column as the user does after clicking its title.
    static void escolher(Form& form, const QString& coluna, const QString& texto)
    {
        auto* grid = janela(form).grid();
        grid->setSelectedIndex(grid->columnByField(coluna)->index());
        QLineEdit* edit = janela(form).searchEdit();
        ASSERT_NE(edit, nullptr);
        edit->clear();
        QTest::keyClicks(edit, texto);
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

TEST_F(OSEquipamentoTest, TheLatestOrderOfASerialGivesTheNewOrderItsCustomerAndItem)
{
    anterior(20, "2026-01-10", "00001", 200, "ABC-1234", "SN-9");
    anterior(21, "2026-05-02", "00002", 210, "ABC-1234", "SN-9");   // the latest
    anterior(19, "2026-03-01", "00001", 190, "ABC-1234", "SN-9");
    copiaDeclinandoSerieECadastro();
    CarregaOrdemServico(0);
    dmTec->NovaOSEquipamentoPreExistente("A", "sn-9", false);   // upper-cased on both sides
    TdmTec& tec = *dmTec;
    ASSERT_EQ(tec.quOS->state(), DatasetState::Browse) << "the header was saved";
    const int ordem = tec.quOSAOCODIGO->asInteger();
    EXPECT_GT(ordem, 21);
    EXPECT_EQ(tec.quOSCLCODIGO->asString(), "00002");
    EXPECT_EQ(tec.quOSAOCONTATO->asString(), "Contato 21");
    EXPECT_EQ(tec.quOSATCODIGO->asInteger(), 4);
    ASSERT_EQ(tec.quOSItem->recordCount(), 1);
    EXPECT_EQ(tec.quOSItemAOCODIGO->asInteger(), ordem);
    EXPECT_EQ(tec.quOSItemAOITEQUIPCODIGO->asInteger(), 70);
    EXPECT_EQ(tec.quOSItemAOITEQUIPDESCRICAO->asString(), "Item da OS 21") << "not refilled from the register";
    EXPECT_EQ(tec.quOSItemAOITDEFEITO->asString(), "Não liga 21");
    EXPECT_DOUBLE_EQ(tec.quOSItemAOITKMINICIAL->asFloat(), 21000);
    EXPECT_EQ(tec.quOSItemAOITCOMBUSTIVEL->asString(), "Diesel");
    EXPECT_EQ(tec.quOSItemAOITPOSICAOCOMBUSTIVEL->asString(), "1/2");
    EXPECT_EQ(tec.quOSItemAOITDATACOMPRA->asDateTime().date(), QDate(2020, 3, 15));
    EXPECT_EQ(tec.quOSItemAOITNUMERONOTAFISCAL->asString(), "NF21");
    EXPECT_EQ(tec.quOSItemAOITRENAVAN->asString(), "REN21");
    EXPECT_EQ(tec.quOSItemAOITCODIGOINTERNO->asString(), "INT-21");
    EXPECT_DOUBLE_EQ(tec.quOSItemAOITQUANTIDADE->asFloat(), 2);
    EXPECT_EQ(itemGravado("AOITSERIE", ordem), "SN-9") << "the item is saved";
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(OSEquipamentoTest, EachKindFindsItsColumn)
{
    anterior(30, "2026-02-01", "00001", 300, "XYZ-9876", "S-1");
    const std::pair<const char*, const char*> buscas[] = {{"O", "xyz-9876"}, {"P", "30"}, {"C", "int-30"}};
    for (const auto& [tipo, valor] : buscas) {
        SCOPED_TRACE(tipo);
        copiaDeclinandoSerieECadastro();
        CarregaOrdemServico(0);
        dmTec->NovaOSEquipamentoPreExistente(tipo, valor, false);
        EXPECT_EQ(dmTec->quOSItemAOITSERIE->asString(), "S-1");
    }
}

TEST_F(OSEquipamentoTest, TheConditionIsAskedForAndTheInvoicesLeftOutByParameter)
{
    anterior(20, "2026-01-10", "00001", 200, "ABC-1234", "SN-9");
    // Each copy starts from order 20 alone: an order made here would be the
    // plate's latest.
    auto copiarDaOrdem20 = [this] {
        exec("delete from AATC01AOIT where AOCODIGO <> 20");
        exec("delete from AATC01AO where AOCODIGO <> 20");
        CarregaOrdemServico(0);
        dmTec->NovaOSEquipamentoPreExistente("O", "ABC-1234", false);
        return dmTec->quOSAOCODIGO->asInteger();
    };
    TdmTec& tec = *dmTec;
    parametro("ATCONFERERESERVA", "A");
    dialogos->answer("Não", "Deseja carregar o ITEM da ultima O.S. gerada para esta Placa?");
    copiaDeclinandoSerieECadastro();
    copiarDaOrdem20();
    EXPECT_DOUBLE_EQ(tec.quOSItemAOITKMINICIAL->asFloat(), 0);
    EXPECT_TRUE(tec.quOSItemAOITCOMBUSTIVEL->isNull());
    EXPECT_TRUE(tec.quOSItemAOITPOSICAOCOMBUSTIVEL->isNull());
    EXPECT_TRUE(tec.quOSItemAOITDEFEITO->isNull());
    EXPECT_EQ(tec.quOSItemAOITPLACA->asString(), "ABC-1234") << "identification copied";
    EXPECT_EQ(tec.quOSItemAOITSERIE->asString(), "SN-9");
    EXPECT_EQ(tec.quOSItemAOITCOR->asString(), "Azul");
    EXPECT_EQ(tec.quOSItemAOITANOFABRICACAO->asString(), "2019");
    EXPECT_EQ(tec.quOSItemAOITNUMERONOTAFISCAL->asString(), "NF20");

    dialogos->answer("Sim", "Deseja carregar");
    copiaDeclinandoSerieECadastro();
    copiarDaOrdem20();
    EXPECT_DOUBLE_EQ(tec.quOSItemAOITKMINICIAL->asFloat(), 20000);
    EXPECT_EQ(tec.quOSItemAOITDEFEITO->asString(), "Não liga 20");
    EXPECT_EQ(tec.quOSItemAOITCOMBUSTIVEL->asString(), "Diesel");

    parametro("ATCONFERERESERVA", "");
    parametro("ATQUANTIDADEREQUERIDA", "S");
    copiaDeclinandoSerieECadastro();
    const int ordem = copiarDaOrdem20();
    EXPECT_EQ(itemGravado("coalesce(AOITNUMERONOTAFISCAL, '-') || coalesce(AOITNUMERONFREMESSA, '-')", ordem), "--");
    EXPECT_DOUBLE_EQ(one("select AOITKMINICIAL from AATC01AOIT where AOCODIGO = " + QString::number(ordem)).toDouble(),
                     0);
    EXPECT_EQ(itemGravado("AOITCOMBUSTIVEL", ordem), "Diesel") << "the condition is still copied";
}

TEST_F(OSEquipamentoTest, NothingFoundForAnExistingOrderAbandonsAndChangesNothing)
{
    dialogos->acknowledge("Registro não encontrado!");
    CarregaOrdemServico(0);
    EXPECT_THROW(dmTec->NovaOSEquipamentoPreExistente("O", "QQQ-0000", false), host::Abort);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse);
    EXPECT_EQ(one("select count(*) from AATC01AO").toInt(), 0);
}

TEST_F(OSEquipamentoTest, ATypedValueWithAQuoteFindsNothingAndBreaksNothing)
{
    anterior(20, "2026-01-10", "00001", 200, "ABC-1234", "SN-9");
    dialogos->acknowledge("Registro não encontrado!");
    CarregaOrdemServico(0);
    EXPECT_THROW(dmTec->NovaOSEquipamentoPreExistente("A", "x' or '1'='1", false), host::Abort);
    EXPECT_EQ(dialogos->pending(), 0) << "no database error, only the plain refusal";
    CarregaOrdemServico(20);
    EXPECT_THROW(dmTec->NovoEquipamentoPlacaPreExistente("O", "AB'-1234", 50), host::Abort);
    EXPECT_TRUE(dialogos->texts().join('|').indexOf("Não foi possível") < 0);
    EXPECT_EQ(one("select count(*) from AATC01AO").toInt(), 1);
}

TEST_F(OSEquipamentoTest, AFailedCopyIsReportedAndKeepsWhatWasSaved)
{
    anterior(20, "2026-01-10", "00001", 200, "ABC-1234", "SN-9");
    exec("update AATC01AO set CLCODIGO = null where AOCODIGO = 20");   // the header's save refuses it
    dialogos->setAutoAcknowledgeMessages(true);
    CarregaOrdemServico(0);
    EXPECT_THROW(dmTec->NovaOSEquipamentoPreExistente("O", "ABC-1234", false), host::Abort);
    const QStringList textos = dialogos->texts();
    ASSERT_FALSE(textos.isEmpty());
    EXPECT_TRUE(textos.last().contains("Não foi possível carregar dados da OS")) << textos.join('|').toStdString();
    EXPECT_FALSE(textos.join('|').contains("Operação efetuada com sucesso!"));
    EXPECT_EQ(one("select count(*) from AATC01AO").toInt(), 1) << "no new order";
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Browse) << "the unsaved order it started is dropped";
    EXPECT_TRUE(dmTec->quOSItemAOITEQUIPCODIGO->onChange) << "the equipment rule is attached again";

    // The header saved, the item refused (no description): the header stays.
    exec("update AATC01AO set CLCODIGO = '00001' where AOCODIGO = 20");
    exec("update AATC01AOIT set AOITEQUIPDESCRICAO = null where AOCODIGO = 20");
    dialogos->answer("Não", "Deseja inserir o equipamento referente a este Nº de Série?");
    CarregaOrdemServico(0);
    EXPECT_THROW(dmTec->NovaOSEquipamentoPreExistente("O", "ABC-1234", false), host::Abort);
    EXPECT_TRUE(dialogos->texts().join('|').contains("Preenchimento do equipamento obrigatório|Não foi possível "
                                                     "carregar dados da OS"));
    EXPECT_EQ(one("select count(*) from AATC01AO").toInt(), 2) << "the saved header stays";
    EXPECT_EQ(one("select count(*) from AATC01AOIT").toInt(), 1) << "no item copied";
    EXPECT_EQ(dmTec->quOSItem->state(), DatasetState::Browse);
}

TEST_F(OSEquipamentoTest, ANewOrdersUnknownPlateBecomesAVehicleItemOfTheChosenModel)
{
    exec("insert into AUGC24ER (ERCODIGO, ERDESCRICAO) values (3, 'Fiat')");
    exec("insert into AUGC23EN (ENCODIGO, ENDESCRICAO, ERCODIGO) values (71, 'Uno Mille', 3)");
    parametro("ATMODOOS", "A");
    parametro("ATSITUACAOPORITEM", "M");   // items come from the vehicle-model register
    dialogos->enter("abc1234", "Informe a placa para abertura de Ordem de Serviço");
    dialogos->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(janela(form).searchKind(), 79);
        escolher(form, "ENDESCRICAO", "Uno");
    });
    dialogos->modal("fmPesquisa", [](Form& form) { escolher(form, "NOME", "Lima"); });
    CarregaOrdemServico(0);
    EXPECT_THROW(dmTec->quOS->append(), host::Abort) << "the new order's own operation ends";
    TdmTec& tec = *dmTec;
    EXPECT_EQ(tec.quOS->state(), DatasetState::Browse);
    const int ordem = tec.quOSAOCODIGO->asInteger();
    ASSERT_GT(ordem, 0);
    EXPECT_EQ(one("select CLCODIGO from AATC01AO where AOCODIGO = " + QString::number(ordem)).toString(), "00002");
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = " + QString::number(ordem)).toInt(), 1);
    EXPECT_EQ(itemGravado("AOITEQUIPDESCRICAO", ordem), "Veículo Fiat Uno Mille");
    EXPECT_EQ(itemGravado("AOITPLACA", ordem), "ABC-1234");
    EXPECT_EQ(itemGravado("AOITMARCA", ordem), "Fiat");
    EXPECT_EQ(itemGravado("AOITMODELO", ordem), "Uno Mille");
    EXPECT_EQ(itemGravado("AOITEQUIPCODIGO", ordem), "71");
    EXPECT_EQ(dialogos->pending(), 0);
}

TEST_F(OSEquipamentoTest, ACancelledModelSearchLeavesTheNewOrderAsItWas)
{
    novaOrdem();
    dialogos->modal("fmPesquisa", [](Form& form) { QTest::keyClick(janela(form).grid(), Qt::Key_Escape); });
    dmTec->NovaOSEquipamentoPreExistente("O", "NEW-0001", true);
    EXPECT_EQ(dmTec->quOS->state(), DatasetState::Insert);
    EXPECT_EQ(one("select count(*) from AATC01AO").toInt(), 0);
}

class PlacaTest : public OSEquipamentoTest {
protected:
    void SetUp() override
    {
        OSEquipamentoTest::SetUp();
        ordem(50);
        CarregaOrdemServico(50);
    }
    int itensDaOrdem() { return one("select count(*) from AATC01AOIT where AOCODIGO = 50").toInt(); }
};

TEST_F(PlacaTest, TheEquipmentOfThePlatesLatestOtherOrderIsAddedWhenConfirmed)
{
    anterior(20, "2026-01-10", "00001", 200, "ABC-1234", "SN-OLD");
    anterior(21, "2026-04-10", "00001", 210, "ABC-1234", "SN-NEW");
    exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITPLACA) values (211, 21, 71, 'ABC-1234')");
    anterior(22, "2026-06-10", "00001", 220, "ABC-1234", "SN-ITSELF");
    exec("update AATC01AOIT set AOCODIGO = 50 where AOCODIGO = 22");   // the current order's own item
    CarregaOrdemServico(50);
    const int antes = itensDaOrdem();
    dialogos->answer("Sim", "Deseja inserir o equipamento associado a placa abc-1234 ?");
    copiaDeclinandoSerieECadastro();
    dmTec->NovoEquipamentoPlacaPreExistente("O", "abc-1234", 50);
    EXPECT_EQ(itensDaOrdem(), antes + 1);
    EXPECT_EQ(dmTec->quOSItemAOITSERIE->asString(), "SN-NEW") << "order 21, the latest other one";
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Item da OS 21");
    EXPECT_EQ(dmTec->quOSItemAOITNUMERONFREMESSA->asString(), "RM21");
    EXPECT_EQ(dmTec->quOSItemAOITESPECIE->asString(), "Esp");
    EXPECT_EQ(linhasGravadas("AATC01AOIT", "AOCODIGO = 50 and AOITSERIE = 'SN-NEW'"), 1) << "committed";

    dialogos->answer("Não", "Deseja inserir o equipamento");
    dmTec->NovoEquipamentoPlacaPreExistente("O", "abc-1234", 50);
    EXPECT_EQ(itensDaOrdem(), antes + 1) << "declined";
}

TEST_F(PlacaTest, ThePlatesLastOrderWithoutAnEquipmentItemOffersNothing)
{
    // Only vehicles, then a model without identifier, then an unregistered model.
    for (int equipamento : {71, 72, 99}) {
        SCOPED_TRACE(equipamento);
        exec("delete from AATC01AOIT where AOCODIGO <> 50");
        exec("delete from AATC01AO where AOCODIGO <> 50");
        anterior(20, "2026-01-10", "00001", 200, "ABC-1234", "SN", equipamento);
        EXPECT_THROW(dmTec->NovoEquipamentoPlacaPreExistente("O", "ABC-1234", 50), host::Abort);
    }
    // No other order has the plate at all.
    EXPECT_THROW(dmTec->NovoEquipamentoPlacaPreExistente("O", "ZZZ-0000", 50), host::Abort);
    EXPECT_TRUE(dialogos->shown().empty()) << "no question asked";
}

TEST_F(PlacaTest, WithRequestedQuantitiesTheInvoicesAreLeftOut)
{
    anterior(21, "2026-04-10", "00001", 210, "ABC-1234", "SN-NEW");
    parametro("ATQUANTIDADEREQUERIDA", "S");
    dialogos->answer("Sim", "Deseja inserir o equipamento associado a placa");
    copiaDeclinandoSerieECadastro();
    dmTec->NovoEquipamentoPlacaPreExistente("O", "ABC-1234", 50);
    const QString copia = "AOCODIGO = 50 and AOITSERIE = 'SN-NEW'";
    EXPECT_EQ(one("select coalesce(AOITNUMERONOTAFISCAL, '-') || coalesce(AOITNUMERONFREMESSA, '-') from AATC01AOIT"
                  " where " + copia)
                  .toString(),
              "--");
    EXPECT_DOUBLE_EQ(one("select AOITKMINICIAL from AATC01AOIT where " + copia).toDouble(), 0);
}

}  // namespace
}  // namespace tectest
