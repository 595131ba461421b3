// The contract item rules: the line value, rental periods and their tag,
// stock, serial numbers, calculated fields, what a saved or deleted item
// changes elsewhere, and a product's new price carried into the contracts.

#include "tests/contracts/CadastroFixture.h"
#include "tests/support/ScopedTimeZone.h"

#include "contract_data/uDataTecContItens.h"
#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"

#include <ctime>

namespace contractstest {
namespace {

TEST(ItensRegras, LineValueIsCutToCentsBeforeTheFreight)
{
    using uDataTecContItens::ValorLinha;
    EXPECT_DOUBLE_EQ(ValorLinha(10, 10, 3, 0), 27.0);
    EXPECT_DOUBLE_EQ(ValorLinha(10, 10, 3, 1.5), 28.5);
    EXPECT_DOUBLE_EQ(ValorLinha(3.339, 0, 1, 0), 3.33);
    EXPECT_DOUBLE_EQ(ValorLinha(3.339, 0, 1, 0.01), 3.34);
}

TEST(ItensRegras, RentalPeriodsEndByTheirLetter)
{
    using uDataTecContItens::DataEntregaPeriodo;
    EXPECT_EQ(DataEntregaPeriodo(dia(2031, 3, 1), "E"), dia(2031, 3, 8));
    EXPECT_EQ(DataEntregaPeriodo(dia(2031, 3, 1), "Q"), dia(2031, 3, 16));
    EXPECT_EQ(DataEntregaPeriodo(dia(2031, 3, 1), "D"), dia(2031, 3, 2));
    EXPECT_EQ(DataEntregaPeriodo(dia(2031, 1, 31), "M"), dia(2031, 2, 28));
    EXPECT_EQ(DataEntregaPeriodo(dia(2031, 1, 31), "X"), dia(2031, 2, 28));
    EXPECT_EQ(DataEntregaPeriodo(dia(2031, 8, 31), "S"), dia(2032, 2, 29));
    EXPECT_EQ(DataEntregaPeriodo(dia(2031, 3, 1), "A"), dia(2032, 3, 1));
    EXPECT_EQ(DataEntregaPeriodo(dia(2031, 3, 1), "T"), dia(2031, 6, 1));
    EXPECT_EQ(DataEntregaPeriodo(dia(2031, 3, 1), "B"), dia(2031, 5, 1));
}

TEST(ItensRegras, EquivalentHoursAndWarrantyDiscount)
{
    using uDataTecContItens::HorasEquivalentes;
    EXPECT_EQ(HorasEquivalentes(dia(2031, 3, 1), dia(2031, 3, 4)), 72);
    EXPECT_EQ(HorasEquivalentes(dia(2031, 3, 1).addSecs(3600 * 10), dia(2031, 3, 4)), 48);
    EXPECT_EQ(HorasEquivalentes({}, dia(2031, 3, 4)), 0);
    EXPECT_EQ(HorasEquivalentes(dia(1999, 12, 30), dia(2031, 3, 4)), 0);
    using uDataTecContItens::ValorDividido;
    const QDate hoje(2031, 3, 1);
    EXPECT_DOUBLE_EQ(ValorDividido(200, true, dia(2031, 3, 2), 25, hoje), 150);
    EXPECT_DOUBLE_EQ(ValorDividido(200, true, dia(2031, 3, 1), 25, hoje), 200);
    EXPECT_DOUBLE_EQ(ValorDividido(200, false, dia(2031, 3, 2), 25, hoje), 200);
}

// Whole calendar days, whatever the clock does in between: a span across the
// start of summer time is not an hour short of its last day.
TEST(ItensRegras, EquivalentHoursCountCalendarDaysAcrossSummerTime)
{
    const testsupport::ScopedTimeZone lisboa("Europe/Lisbon");
    using uDataTecContItens::HorasEquivalentes;
    EXPECT_EQ(HorasEquivalentes(dia(2031, 3, 28), dia(2031, 3, 31)), 72);
    EXPECT_EQ(HorasEquivalentes(dia(2031, 3, 29).addSecs(3600 * 10), dia(2031, 4, 1).addSecs(3600 * 10)), 72);
}

class ItensContratoTest : public CadastroFixture {
protected:
    void SetUp() override
    {
        CadastroFixture::SetUp();
        contratoGravado();
        exec("update ACEC1101 set ESTOQUE = 5 where CODIGO = 'P1'");
        CarregaContrato(7);
        dm->CarregaContratoItem("C0001", "7");
    }
    void novoItem(const QString& produto = "P1")
    {
        dm->quCtrCadastroIt->append();
        item("PRCODIGO")->setAsString(produto);
    }
    host::data::Query& itens() { return *dm->quCtrCadastroIt; }
    int hooks(const QString& texto) { return host::hookCallTexts().filter(texto).size(); }
};

TEST_F(ItensContratoTest, NewItemTakesTheContractCustomerKeyAndWhatItsProductBrings)
{
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO) values (30, 8, 'C0002', 'P1')");
    novoItem();
    EXPECT_EQ(item("ACCODIGO")->asInteger(), 7);
    EXPECT_EQ(item("CLCODIGO")->asString(), "C0001");
    EXPECT_EQ(item("ACITCODIGO")->asInteger(), 31);
    EXPECT_EQ(item("ACITGARANTIA")->asString(), "N");
    EXPECT_EQ(item("DESCRICAO")->asString(), "Peça");
    EXPECT_DOUBLE_EQ(item("ACITVALOR")->asFloat(), 20);
    EXPECT_DOUBLE_EQ(item("ACITVALORUNITARIO")->asFloat(), 20);
    EXPECT_DOUBLE_EQ(item("ACITFRETE")->asFloat(), 0);
    itens().post();
    EXPECT_EQ(one("select count(*) from AATC05ACIT where ACITCODIGO = 31 and ACCODIGO = 7").toInt(), 1);
    EXPECT_EQ(host::hookCallTexts().filter("quCtrCadastroIt:").join(","),
              "quCtrCadastroIt:ONNEWRECORD,quCtrCadastroIt:BEFOREPOST,quCtrCadastroIt:AFTERPOST");
}

TEST_F(ItensContratoTest, LineValueByContractOption)
{
    setOption("M");
    novoItem();
    item("ACITVALORUNITARIO")->setAsFloat(10);
    item("ACITDESCONTO")->setAsFloat(10);
    item("ACITQUANTIDADE")->setAsFloat(3);
    item("ACITFRETE")->setAsFloat(2);
    itens().post();
    EXPECT_DOUBLE_EQ(one("select ACITVALOR from AATC05ACIT").toDouble(), 29.0);
    itens().edit();
    item("ACITVALORUNITARIO")->setAsFloat(3.339);
    item("ACITDESCONTO")->setAsFloat(0);
    item("ACITQUANTIDADE")->setAsFloat(1);
    item("ACITFRETE")->setAsFloat(0);
    itens().post();
    EXPECT_DOUBLE_EQ(one("select ACITVALOR from AATC05ACIT").toDouble(), 3.33);

    setOption("C");
    itens().edit();
    item("ACITVALOR")->setText("55,5");
    itens().post();
    EXPECT_DOUBLE_EQ(one("select ACITVALOR from AATC05ACIT").toDouble(), 55.5);
}

TEST_F(ItensContratoTest, ValueOfASpecialContractCannotBeTypedAndAPercentageFillsItOnce)
{
    exec("update AATC05AC set ACTIPO = 'E', ACVALORPARCELA = 200");
    CarregaContrato(7);
    novoItem();
    EXPECT_THROW(item("ACITVALOR")->setText("10"), host::Abort);
    EXPECT_EQ(messages().last(),
              "Não é possíve alterar valor do item de um contrato tipo Especial! Pressione ESC para continuar.");
    item("ACITVALOR")->setAsFloat(0);
    item("ACITVALORPERCENTUAL")->setAsFloat(10);
    EXPECT_DOUBLE_EQ(item("ACITVALOR")->asFloat(), 20);
    item("ACITVALORPERCENTUAL")->setAsFloat(50);
    EXPECT_DOUBLE_EQ(item("ACITVALOR")->asFloat(), 20);
}

TEST_F(ItensContratoTest, WarrantyNeedsItsDate)
{
    novoItem();
    item("ACITGARANTIA")->setAsString("S");
    EXPECT_THROW(itens().post(), host::Abort);
    EXPECT_EQ(messages().last(), "Data Inválida de limite da garantia!");
    item("ACITGARANTIADATA")->setAsDateTime(dia(2040, 1, 1));
    item("ACITGARANTIAPERCENTUAL")->setAsFloat(10);
    itens().post();
    EXPECT_DOUBLE_EQ(item("ValorDividido")->asFloat(), 18);
}

TEST_F(ItensContratoTest, RentalEndDateAndTagFollowRealChangesOnly)
{
    setOption("T");
    novoItem();
    EXPECT_EQ(item("ACITINSTALACAO")->asDateTime().date(), QDate::currentDate());
    item("ACITINSTALACAO")->setAsDateTime(dia(2031, 3, 1));
    item("ACITPERIODO")->setAsString("E");
    item("ACITQUANTIDADE")->setAsFloat(1);
    item("ACITVALORUNITARIO")->setAsFloat(20);
    dialogs->answer("Não", "Deseja gerar novamente as provisões?");
    itens().post();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(item("ACITDATAENTREGA")->asDateTime(), dia(2031, 3, 8));
    EXPECT_EQ(item("HorasEquivalentes")->asInteger(), 7 * 24);
    EXPECT_EQ(itens().tag(), 0);

    // Nothing changed: no regeneration is offered.
    itens().edit();
    itens().post();
    EXPECT_EQ(itens().tag(), 0);

    itens().edit();
    item("ACITPERIODO")->setAsString("Q");
    dialogs->answer("Não", "Deseja gerar novamente as provisões?");
    itens().post();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(item("ACITDATAENTREGA")->asDateTime(), dia(2031, 3, 16));
}

TEST_F(ItensContratoTest, StockEqualToTheAvailablePassesOneMoreIsRefused)
{
    setOption("T");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE, ACITRESERVADO)"
         " values (90, 8, 'C0002', 'P1', 2, 'S')");
    novoItem();
    item("ACITQUANTIDADE")->setAsFloat(4);
    EXPECT_THROW(itens().post(), host::Abort);
    EXPECT_EQ(messages().last(), "Quantidade insuficiente disponível de \"Peça\".\nTotal do produto disponível: "
                                 "3,00\nTotal do produto reservado: 2,00\nTotal Lançado no Contrato: 4,00");
    item("ACITQUANTIDADE")->setAsFloat(3);
    dialogs->answer("Não", "Deseja gerar novamente as provisões?");
    itens().post();
    EXPECT_EQ(itens().state(), host::data::DatasetState::Browse);
}

TEST_F(ItensContratoTest, WithoutASerialKindUnderOrderModeCTheRemainingStepsAreSkippedAndTheRepostIsBounded)
{
    setOption("T");
    global->SetParametro("ATMODOPEDIDOASSISTENCIA", "C");
    novoItem();
    item("ACITQUANTIDADE")->setAsFloat(50);   // beyond the stock: not checked
    itens().post();
    EXPECT_TRUE(item("ACITDATAENTREGA")->isNull());
    EXPECT_EQ(hooks("quCtrCadastroIt:BEFOREPOST"), 0);
    // Its serial number stays blank: one re-post per save, not one without end.
    EXPECT_EQ(hooks("quCtrCadastroIt:AFTERPOST"), 2);
}

TEST_F(ItensContratoTest, SerialNumbersUnavailableRefuseThePost)
{
    global->SetParametro("ATMODOPEDIDOASSISTENCIA", "C");
    exec("update ACEC1101 set PRGERANS = 'O' where CODIGO = 'P1'");
    novoItem();
    EXPECT_THROW(itens().post(), host::Abort);
    EXPECT_EQ(messages().last(), "Número(s) de Série não disponível(eis)!");
    itens().cancel();

    exec("update ACEC1101 set PRGERANS = 'Ú' where CODIGO = 'P1'");
    exec("insert into ACEC1401 (CODIGO, DESCRICAO, LEORIGEM) values ('001', 'Estoque', 'S')");
    // The only number is on another contract: not free.
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, LECODIGO, ACCODIGO) values (1, 'A1', 'P1', '001', 8)");
    novoItem();
    EXPECT_THROW(itens().post(), host::Abort);
    EXPECT_EQ(messages().last(),
              "Aviso: operação abortada.\nVerifique a Disponibilidade do Número de Série do Produto!");
}

TEST_F(ItensContratoTest, MandatorySerialNumbersAreCheckedByTheHost)
{
    global->SetParametro("ATMODONUMEROSERIE", "L");
    exec("update ACEC1101 set PRGERANS = 'O' where CODIGO = 'P1'");
    novoItem();
    item("ACITQUANTIDADE")->setAsFloat(2);
    EXPECT_THROW(itens().post(), host::Abort);
    EXPECT_TRUE(messages().last().contains("exige número de série")) << messages().last().toStdString();
    const int codigo = item("ACITCODIGO")->asInteger();
    for (const char* numero : {"A1", "A2"})
        exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, ACCODIGO, ACITCODIGO)"
                     " values (gen_id(GEN_XPCHAVE, 1), '%1', 'P1', 7, %2)")
                 .arg(numero)
                 .arg(codigo));
    itens().post();
    EXPECT_EQ(itens().state(), host::data::DatasetState::Browse);
}

TEST_F(ItensContratoTest, ProductActiveFlagFollowsItsUseAndDeletionIsAudited)
{
    global->SetParametro("ATPARCELASEMPREVISAO", "S");
    novoItem();
    itens().post();
    EXPECT_EQ(one("select PRATIVO from ACEC1101 where CODIGO = 'P1'").toString(), "N");
    itens().remove();
    EXPECT_EQ(one("select PRATIVO from ACEC1101 where CODIGO = 'P1'").toString(), "S");
    EXPECT_EQ(one("select OBSERVACAO from ARQLOG where ACAO = 'Deletou item do Contrato da Assistência'").toString(),
              "Nº/Produto/Cliente 7/P1/C0001");
}

// The audit record is written after the deletion's commit: it is committed
// with it, and outlives the program's normal end (which rolls back).
TEST_F(ItensContratoTest, TheAuditOfAnItemDeletionOutlivesTheProgramsEnd)
{
    global->SetParametro("ATPARCELASEMPREVISAO", "S");
    novoItem();
    itens().post();
    itens().remove();
    dmTecContrato.free();
    global.reset();
    global = std::make_unique<TdmGlobal>(dbPath);
    EXPECT_EQ(one("select count(*) from AATC05ACIT where ACCODIGO = 7").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ARQLOG where ACAO = 'Deletou item do Contrato da Assistência'").toInt(), 1);
}

TEST_F(ItensContratoTest, AnItemMovedToAnotherProductGivesTheFormerOneItsActiveFlagBack)
{
    global->SetParametro("ATPARCELASEMPREVISAO", "S");
    novoItem();
    itens().post();
    EXPECT_EQ(one("select PRATIVO from ACEC1101 where CODIGO = 'P1'").toString(), "N");
    itens().edit();
    item("PRCODIGO")->setAsString("S1");
    itens().post();
    EXPECT_EQ(one("select PRATIVO from ACEC1101 where CODIGO = 'S1'").toString(), "N");
    EXPECT_EQ(one("select PRATIVO from ACEC1101 where CODIGO = 'P1'").toString(), "S");
}

TEST_F(ItensContratoTest, DeletingAnItemWithSerialNumbersAsksAndNoKeepsThem)
{
    global->SetParametro("ATMODOPEDIDOASSISTENCIA", "C");
    global->SetParametro("ATMODONUMEROSERIE", "O");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITNUMEROSERIE)"
         " values (5, 7, 'C0001', 'P1', '<selecionado>')");
    exec("update ACEC1101 set PRGERANS = 'O' where CODIGO = 'P1'");
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, ACCODIGO, ACITCODIGO, NSMOVIMENTO)"
         " values (1, 'A1', 'P1', 7, 5, 'S')");
    dm->CarregaContratoItem("C0001", "7");
    dialogs->answer("Não", "Esse Item do contrato está vinculado a um Número de Série.");
    EXPECT_THROW(itens().remove(), host::Abort);
    EXPECT_EQ(one("select count(*) from AUGC50NS").toInt(), 1);
    dialogs->answer("Sim", "Esse Item do contrato está vinculado a um Número de Série.");
    itens().remove();
    EXPECT_EQ(one("select count(*) from AUGC50NS").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AATC05ACIT").toInt(), 0);
}

TEST_F(ItensContratoTest, EquipmentTotalLeavesOutClosedAndComplementaryLinesAndFollowsItemsUnderE)
{
    setOption("E");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR) values (1, 7, 'C0001', 'S1', 10.555)");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, ACITENCERRADO)"
         " values (2, 7, 'C0001', 'S1', 100, 'S')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, ACITCOMPLEMENTO)"
         " values (3, 7, 'C0001', 'S1', 100, 'S')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, ACITENCERRADO)"
         " values (4, 7, 'C0001', 'S1', 5, 'N')");
    EXPECT_DOUBLE_EQ(dm->CalculaTotalEquipamentos(7), 15.55);
    exec("insert into AATC05AC (ACCODIGO, ACTIPODESC) values (2, '')");
    novoItem();
    item("ACITVALORUNITARIO")->setAsFloat(4);
    item("ACITQUANTIDADE")->setAsFloat(1);
    itens().post();
    EXPECT_DOUBLE_EQ(one("select ACVALOR from AATC05AC where ACCODIGO = 7").toDouble(), 19.55);
}

TEST_F(ItensContratoTest, NewPriceRepostsEachContractOncePerItemOfTheProduct)
{
    setOption("M");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACVALORFIXO) values (8, 'C0002', 'N')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE, ACITDESCONTO, ACITFRETE)"
         " values (1, 7, 'C0001', 'S1', 3, 10, 1)");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE) values (2, 7, 'C0001', 'S1', 1)");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE) values (3, 8, 'C0002', 'S1', 2)");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE) values (4, 8, 'C0002', 'P1', 1)");
    host::clearHookCalls();
    CtrAlteracaoPrecoProduto("S1", 10);
    EXPECT_EQ(messages().value(0),
              "Aguarde enquanto é atualizado o preço dos itens nos contratos! Pressione OK para continuar.");
    EXPECT_EQ(messages().value(1), "Operação efetuada com sucesso!\nForam atualizados 3 contratos!");
    EXPECT_EQ(hooks("quCtrCadastro:BEFOREPOST"), 3);
    // Each line valued as its own save would: cut to cents, freight added.
    EXPECT_DOUBLE_EQ(one("select ACITVALOR from AATC05ACIT where ACITCODIGO = 1").toDouble(), 28);
    EXPECT_DOUBLE_EQ(one("select ACITVALOR from AATC05ACIT where ACITCODIGO = 3").toDouble(), 20);
    EXPECT_DOUBLE_EQ(one("select ACITVALORUNITARIO from AATC05ACIT where ACITCODIGO = 2").toDouble(), 10);
    EXPECT_DOUBLE_EQ(one("select coalesce(ACITVALOR, 0) from AATC05ACIT where ACITCODIGO = 4").toDouble(), 0);
    // The contracts were saved again: their instalment value follows the new prices.
    EXPECT_DOUBLE_EQ(one("select ACVALORPARCELA from AATC05AC where ACCODIGO = 8").toDouble(), 20);
    EXPECT_FALSE(dm->quCtrCadastro->active());
    EXPECT_FALSE(dm->quCtrCadastroIt->active());

    clearMessages();
    CtrAlteracaoPrecoProduto("ZZ", 1);
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(ItensContratoTest, DetailRowsTakeTheItemAndTheNextSequence)
{
    novoItem();
    itens().post();
    exec("insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA) values (999, 41)");
    dm->CarregaContratoItemDetalhe(item("ACITCODIGO")->asInteger());
    host::data::Query& detalhe = *dm->quCtrCadastroDet;
    detalhe.append();
    EXPECT_DOUBLE_EQ(detalhe.fieldByName("ACDTQUANTIDADE")->asFloat(), 0);
    detalhe.fieldByName("PRCODIGO")->setAsString("S1");
    EXPECT_EQ(detalhe.fieldByName("DESCRICAO")->asString(), "Serviço");
    detalhe.post();
    EXPECT_EQ(one("select ACDTSEQUENCIA from AATC05ACDT where ACITCODIGO <> 999").toInt(), 42);
}

}  // namespace
}  // namespace contractstest
