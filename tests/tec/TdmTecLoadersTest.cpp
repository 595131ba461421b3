// The loaders of TdmTec on a real database: which rows each one selects,
// what loading an order does to its children, and what a failing open leaves.

#include "tests/tec/LoadersFixture.h"

#include "host/HostLog.h"
#include "host/Udatamod.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"

#include <QDateTime>

using host::data::Query;

namespace tectest {
namespace {

using TdmTecLoadersTest = LoadersTest;

// The seven children that CarregaOSAtributos loads or closes.
std::vector<Query*> filhosDaOrdem()
{
    return {dmTec->quOSDespViagem, dmTec->quOSDespExtra, dmTec->quOSPecas,     dmTec->quOSAndamento,
            dmTec->quOSContato,    dmTec->quOSAcessorios, dmTec->quOSProj};
}

TEST_F(TdmTecLoadersTest, LoadingAnOrderShowsItsItemsAndClosesThePreviousOrdersChildren)
{
    global->SetParametro("ATMODOEMPRESA", "P");   // planned products load too
    ordem(25);
    ordem(26);
    item(1, 25);
    item(2, 25);
    item(3, 26);
    CarregaOrdemServico(25);
    EXPECT_EQ(coluna(*dmTec->quOSItem, "AOITCODIGO"), (QStringList{"1", "2"}));
    for (Query* filho : filhosDaOrdem())
        EXPECT_FALSE(filho->active()) << filho->name().toStdString();

    dmTec->CarregaOSAtributos(25, 0, true);
    for (Query* filho : filhosDaOrdem())
        EXPECT_TRUE(filho->active()) << filho->name().toStdString();

    CarregaOrdemServico(26);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 26);
    EXPECT_EQ(coluna(*dmTec->quOSItem, "AOITCODIGO"), QStringList{"3"});
    for (Query* filho : filhosDaOrdem())
        EXPECT_FALSE(filho->active()) << filho->name().toStdString();
}

TEST_F(TdmTecLoadersTest, AnOrderThatDoesNotExistLeavesNoChildOfThePreviousOrder)
{
    ordem(25);
    item(1, 25);
    item(9, 0);   // attached to no order
    CarregaOrdemServico(25);
    dmTec->CarregaOSAtributos(25, 0, true);
    CarregaOrdemServico(0);
    EXPECT_TRUE(dmTec->quOS->isEmpty());
    EXPECT_FALSE(dmTec->quOSItem->active());   // not the loose item 9 either
    EXPECT_FALSE(dmTec->quOSPecas->active());
}

TEST_F(TdmTecLoadersTest, ItemListLeavesVehiclesOutWhenQuantitiesAreRequired)
{
    modelo(1, "E");
    modelo(2, "V");
    modelo(3, QString());
    ordem(25);
    item(1, 25, 1);
    item(2, 25, 2);
    item(3, 25, 3);
    item(4, 25);       // no model
    item(5, 0, 2);     // a vehicle attached to no order
    item(6, 0, 1);

    dmTec->CarregaOSItens(25, 0);
    EXPECT_EQ(coluna(*dmTec->quOSItem, "AOITCODIGO"), (QStringList{"1", "2", "3", "4"}));

    global->SetParametro("ATQUANTIDADEREQUERIDA", "S");
    dmTec->CarregaOSItens(25, 0);
    EXPECT_EQ(coluna(*dmTec->quOSItem, "AOITCODIGO"), (QStringList{"1", "3", "4"}));
    dmTec->CarregaOSItens(0, 0);   // no vehicle filter for the loose items
    EXPECT_EQ(coluna(*dmTec->quOSItem, "AOITCODIGO"), (QStringList{"5", "6"}));
    dmTec->CarregaOSItens(25, 3);
    EXPECT_EQ(coluna(*dmTec->quOSItem, "AOITCODIGO"), QStringList{"3"});
    dmTec->CarregaOSItens(25, 2);   // the vehicle itself, filtered out
    EXPECT_TRUE(dmTec->quOSItem->isEmpty());
}

TEST_F(TdmTecLoadersTest, ItemsCarryTheOrdersTotalAndSituationAndArePostedBackWithThem)
{
    situacao(4, "F", "A");
    exec("update AATC01AS set ASCOR = 'clRed' where ASCODIGO = 4");
    ordem(25, "00001", "A", 4);
    exec("update AATC01AO set AOVALORTOTAL = 150.5 where AOCODIGO = 25");
    item(1, 25);
    dmTec->CarregaOSItens(25, 0);
    EXPECT_TRUE(dmTec->quOSItem->sql().contains("AOVALORTOTAL"));
    const QString refresh = dmTec->usOSItem->refreshSql();
    EXPECT_TRUE(refresh.contains("Sit.ASTIPO"));
    EXPECT_TRUE(refresh.contains("where  It.AOITCODIGO = :AOITCODIGO"));
    host::db::Statement leitura(*global->IBTransaction1);
    leitura.prepare(refresh);
    leitura.setParam("AOITCODIGO", 1);
    leitura.execute();
    ASSERT_TRUE(leitura.fetch());
    EXPECT_EQ(leitura.value("ASTIPO").toString(), "F");
    EXPECT_EQ(leitura.value("ASCOR").toString(), "clRed");
    EXPECT_DOUBLE_EQ(leitura.value("AOVALORTOTAL").toDouble(), 150.5);
}

TEST_F(TdmTecLoadersTest, SituationLoaderByCodeByModuleAndForAssistance)
{
    situacao(1, "I", "A");
    situacao(2, "N", QString());
    situacao(3, "F", "I");
    situacao(7, "I", "I");
    situacao(8, "M", "F");
    struct Caso {
        int codigo;
        const char* modulo;
        QStringList esperado;
    };
    const Caso casos[] = {
        {0, " A ", {"1", "2"}},   // assistance: "A" or none
        {0, "", {"1", "2"}},
        {0, "I", {"3", "7"}},
        {0, "F", {"8"}},
        {7, "I", {"7"}},
        {8, "A", {"8"}},          // a code wins over the module
        {5, "A", {}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::to_string(caso.codigo) + " '" + caso.modulo + "'");
        dmTec->CarregaSituacao(caso.codigo, caso.modulo);
        EXPECT_EQ(coluna(*dmTec->quOSSituacao, "ASCODIGO"), caso.esperado);
    }
}

TEST_F(TdmTecLoadersTest, OrderKindFiltersTheSituationsItMayTake)
{
    const char* tipos = "INFMDSRC";
    for (int i = 0; tipos[i]; ++i)
        situacao(i + 1, QString(QChar(tipos[i])), "A");
    struct Caso {
        const char* tipo;
        QStringList tiposVistos;
    };
    const Caso casos[] = {
        {"A", {"I", "N", "F", "M"}},
        {"", {"I", "N", "F", "M"}},
        {"C", {"I", "N", "F", "M", "D", "C"}},
        {"R", {"I", "N", "F", "M", "S", "R"}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.tipo);
        dmTec->OSFiltrarSituacao(caso.tipo);
        EXPECT_EQ(coluna(*dmTec->quOSSituacao, "ASTIPO"), caso.tiposVistos);
    }
}

TEST_F(TdmTecLoadersTest, TechniciansAllByNameActiveOnlyOrOneByCode)
{
    tecnico(0, "ZECA", QString());
    tecnico(1, "ANA", "S");
    tecnico(2, "BETO", "N");
    tecnico(3, "CARLA", QString());
    host::clearLogTrace();
    dmTec->CarregarTecnicos(-1, true);
    EXPECT_EQ(coluna(*dmTec->quTecnicos, "ATNOME"), (QStringList{"ANA", "CARLA", "ZECA"}));
    dmTec->CarregarTecnicos(-1, false);
    EXPECT_EQ(coluna(*dmTec->quTecnicos, "ATNOME"), (QStringList{"ANA", "BETO", "CARLA", "ZECA"}));
    dmTec->CarregarTecnicos(0, false);
    EXPECT_EQ(coluna(*dmTec->quTecnicos, "ATNOME"), QStringList{"ZECA"});
    dmTec->CarregarTecnicos(2, true);
    EXPECT_TRUE(dmTec->quTecnicos->isEmpty());

    EXPECT_EQ(host::logTraceTexts().count("[TdmTec.CarregarTecnicos]|***INICIO"), 4);
    EXPECT_EQ(host::logTraceTexts().count("[TdmTec.CarregarTecnicos]|***FIM"), 4);
}

TEST_F(TdmTecLoadersTest, NextModelCodeIsTheLargestPlusOneAndTheAuxiliaryQueryIsClosed)
{
    exec("delete from AATC03AE");
    EXPECT_EQ(dmTec->CodigoDisponivelEquipamento(), 1);
    EXPECT_FALSE(global->quAuxiliar->active());
    modelo(1, "E");
    modelo(2, "E");
    modelo(9, "V");
    EXPECT_EQ(dmTec->CodigoDisponivelEquipamento(), 10);
    EXPECT_FALSE(global->quAuxiliar->active());
}

TEST_F(TdmTecLoadersTest, NextModelCodeClosesTheAuxiliaryQueryWhenTheReadFails)
{
    exec("drop table AATC03AE");
    EXPECT_ANY_THROW(dmTec->CodigoDisponivelEquipamento());
    EXPECT_FALSE(global->quAuxiliar->active());
}

TEST(SegToHoraTest, WholeHoursTruncatedTowardZero)
{
    const std::pair<int, int> casos[] = {{0, 0}, {3599, 0}, {3600, 1}, {7199, 1}, {7200, 2}, {-3599, 0}, {-7200, -2}};
    for (const auto& [segundos, horas] : casos)
        EXPECT_EQ(SegToHora(segundos), horas) << segundos;
}

TEST_F(TdmTecLoadersTest, PartsLinesShowTheStockAtTheCurrentLocation)
{
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, ESTOQUE, QTDE_PRODUCAO) values ('P1', 'Peça', 50, 5)");
    exec("insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values ('P1', '001', 10, 3)");
    exec("insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values ('P1', '001', 4, 0)");
    exec("insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values ('P1', '002', 100, 0)");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO) values (25, 1, 1, 'P1')");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO) values (25, 2, 2, 'P1')");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO) values (26, 1, 1, 'P1')");
    global->sLocalEstoqueAtual = "1";   // written with three digits
    dmTec->CarregaOSPecas(25, 0, QString());
    EXPECT_EQ(coluna(*dmTec->quOSPecas, "APSEQUENCIA"), (QStringList{"1", "2"}));
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasDISPONIVEL->asFloat(), 11);
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasRESERVADO->asFloat(), 5);
    global->sLocalEstoqueAtual = "002";
    dmTec->CarregaOSPecas(25, 2, QString());
    EXPECT_EQ(coluna(*dmTec->quOSPecas, "APSEQUENCIA"), QStringList{"2"});
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasDISPONIVEL->asFloat(), 100);
    global->sLocalEstoqueAtual = "003";
    dmTec->CarregaOSPecas(25, 0, QString());
    EXPECT_TRUE(dmTec->quOSPecasDISPONIVEL->isNull());
}

TEST_F(TdmTecLoadersTest, ServiceLinesProgressRecordsAndAccessoriesOfOneOrderOrItem)
{
    for (const char* linha : {"(25, 1, 1)", "(25, 2, 2)", "(25, 3, 1)", "(26, 1, 1)"})
        exec(QString("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO) values %1").arg(linha));
    dmTec->CarregaOSAndamento(25, 0);
    EXPECT_EQ(coluna(*dmTec->quOSAndamento, "AACODIGO"), (QStringList{"1", "2", "3"}));
    dmTec->CarregaOSAndamento(25, 1);
    EXPECT_EQ(coluna(*dmTec->quOSAndamento, "AACODIGO"), (QStringList{"1", "3"}));

    const char* contatos[] = {
        "('00001', 1, 25, 'A', '2026-03-02 00:00', '2026-03-02 09:00', 1)",
        "('00001', 2, 25, 'A', '2026-03-01 00:00', '2026-03-01 15:00', 2)",
        "('00001', 3, 25, 'A', '2026-03-02 00:00', '2026-03-02 08:00', 1)",
        "('00001', 4, 25, 'C', '2026-03-01 00:00', '2026-03-01 08:00', 1)",   // a contract's, not the order's
        "('00001', 5, 26, 'A', '2026-03-01 00:00', '2026-03-01 08:00', 1)",
    };
    for (const char* contato : contatos)
        exec(QString("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, DATA_SOLICITADA, "
                     "HORA_SOLICITADA, AOITCODIGO) values %1").arg(contato));
    dmTec->CarregaOSContato(25, 0);
    EXPECT_EQ(coluna(*dmTec->quOSContato, "SEQUENCIA"), (QStringList{"2", "3", "1"}));
    dmTec->CarregaOSContato(25, 2);
    EXPECT_EQ(coluna(*dmTec->quOSContato, "SEQUENCIA"), QStringList{"2"});

    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (25, 1, 'Cabo')");
    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (26, 1, 'Fonte')");
    dmTec->CarregaOSAcessorios(26);
    EXPECT_EQ(coluna(*dmTec->quOSAcessorios, "ARDESCRICAO"), QStringList{"Fonte"});
}

TEST_F(TdmTecLoadersTest, CostLinesOfAServiceLineOrOfAPartsLine)
{
    const char* custos[] = {
        "(1, 'S', 25, 3, null)", "(2, 'S', 25, 4, null)", "(3, 'P', 25, null, 3)",
        "(4, 'P', 25, null, 7)", "(5, 'S', 26, 3, null)", "(6, 'S', 25, 3, null)",
    };
    for (const char* custo : custos)
        exec(QString("insert into AATC08AF (AFCODIGO, AFID, AOCODIGO, AACODIGO, APSEQUENCIA) values %1").arg(custo));
    struct Caso {
        const char* tipo;
        int linha;
        QStringList esperado;
    };
    const Caso casos[] = {
        {"S", 3, {"1", "6"}},
        {"P", 3, {"3"}},
        {"P", 7, {"4"}},
        {"X", 3, {}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.tipo) + " " + std::to_string(caso.linha));
        dmTec->CarregaOSCusto(caso.tipo, 25, caso.linha);
        EXPECT_EQ(coluna(*dmTec->quOSCusto, "AFCODIGO"), caso.esperado);
    }
}

TEST_F(TdmTecLoadersTest, TimeEntriesAndDefectsOfOneServiceLineCarryTheirKeysAsLiterals)
{
    for (const char* entrada : {"(25, 1, 1)", "(25, 1, 2)", "(25, 2, 1)", "(26, 1, 1)"})
        exec(QString("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA) values %1").arg(entrada));
    dmTec->CarregaOSAndamentoItem(25, 1);
    EXPECT_EQ(coluna(*dmTec->quOSAndaIt, "AAITSEQUENCIA"), (QStringList{"1", "2"}));
    EXPECT_EQ(dmTec->quOSAndaIt->paramCount(), 0);

    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO) values (7, 'Não liga')");
    exec("insert into AATC01AAAD (AAADSEQUENCIA, AOCODIGO, AACODIGO, ADCODIGO) values (1, 25, 1, 7)");
    exec("insert into AATC01AAAD (AAADSEQUENCIA, AOCODIGO, AACODIGO, ADCODIGO) values (2, 25, 2, 7)");
    dmTec->CarregaOSAndamentoDefeito(25, 1);
    EXPECT_EQ(coluna(*dmTec->quOSAndDef, "AAADSEQUENCIA"), QStringList{"1"});
    EXPECT_EQ(dmTec->quOSAndDef->fieldByName("ADDESCRICAO")->asString(), "Não liga");
}

TEST_F(TdmTecLoadersTest, ItemDefectsOfAnOrderItemOrOfASalesDocumentItem)
{
    const char* defeitos[] = {
        "(1, 25, 1, null, null)", "(2, 25, 2, null, null)", "(3, null, null, 1234.5, 2)",
        "(4, null, null, 1234.5, 3)", "(5, null, null, 1234, 2)",
    };
    for (const char* defeito : defeitos)
        exec(QString("insert into AATC01AOAD (AOADCODIGO, AOCODIGO, AOITCODIGO, MECHAVE, MEITSEQUENCIA) values %1")
                 .arg(defeito));
    CarregaDefeitoItem(25, 2, 0, 0);
    EXPECT_EQ(coluna(*dmTec->quOSItemDef, "AOADCODIGO"), QStringList{"2"});
    CarregaDefeitoItem(0, 0, 1234.5, 2);
    EXPECT_EQ(coluna(*dmTec->quOSItemDef, "AOADCODIGO"), QStringList{"3"});
    CarregaDefeitoItem(0, 0, 1234, 2);
    EXPECT_EQ(coluna(*dmTec->quOSItemDef, "AOADCODIGO"), QStringList{"5"});
}

// A whole document key is written out in full, never in exponent form.
TEST_F(TdmTecLoadersTest, ItemDefectsOfALargeDocumentKeyWriteTheKeyInFull)
{
    const struct {
        double chave;
        const char* texto;
    } casos[] = {{1000000, "1000000"}, {20000000, "20000000"}, {1234.5, "1234.5"}};
    int codigo = 10;
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.texto);
        exec(QString("insert into AATC01AOAD (AOADCODIGO, MECHAVE, MEITSEQUENCIA) values (%1, %2, 4)")
                 .arg(++codigo)
                 .arg(caso.texto));
        CarregaDefeitoItem(0, 0, caso.chave, 4);
        const QString sql = dmTec->quOSItemDef->sql();
        EXPECT_TRUE(sql.contains(QString("It.meChave = %1 and").arg(caso.texto))) << sql.toStdString();
        EXPECT_EQ(coluna(*dmTec->quOSItemDef, "AOADCODIGO"), QStringList{QString::number(codigo)});
    }
}

TEST_F(TdmTecLoadersTest, RegistersReopenOnTheirKey)
{
    modelo(3, "V");
    modelo(4, "E");
    dmTec->CarregaEquipamento(4);
    EXPECT_EQ(coluna(*dmTec->quEquipamento, "AECODIGO"), QStringList{"4"});
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO) values (7, 'Não liga')");
    dmTec->CarregaDefeito(7);
    EXPECT_EQ(coluna(*dmTec->quDefeito, "ADDESCRICAO"), QStringList{"Não liga"});
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'Cliente Um')");
    exec("insert into AATC05AC (ACCODIGO, ACDESCRICAO, CLCODIGO) values (12, 'Contrato', '00001')");
    dmTec->CarregaContrato(12);
    EXPECT_EQ(dmTec->quContratoCLIENTE->asString(), "Cliente Um");
    dmTec->CarregaContrato(13);
    EXPECT_TRUE(dmTec->quContrato->isEmpty());
}

TEST_F(TdmTecLoadersTest, CustomersEquipmentByCustomerAndModel)
{
    modelo(1, "E");
    modelo(2, "E");
    const char* equipamentos[] = {"(1, '00001', 1)", "(2, '00001', 2)", "(3, '00002', 1)"};
    for (const char* equipamento : equipamentos)
        exec(QString("insert into AATC03AECL (AECLCODIGO, CLCODIGO, AECODIGO) values %1").arg(equipamento));
    struct Caso {
        const char* cliente;
        int modelo;
        QStringList esperado;
    };
    const Caso casos[] = {
        {"00001", 0, {"1", "2"}},
        {"00001", 2, {"2"}},
        {"  ", 1, {"1", "3"}},
        {"", 0, {"1", "2", "3"}},
        {"O'Neil", 0, {}},   // quoted, not pasted
    };
    dmTec->CarregaEquipamentoCliente("00002", 0);
    EXPECT_EQ(dmTec->quEquipCliAEDESCRICAO->asString(), "Modelo 1");
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.cliente) + " " + std::to_string(caso.modelo));
        dmTec->CarregaEquipamentoCliente(caso.cliente, caso.modelo);
        QStringList codigos = coluna(*dmTec->quEquipCli, "AECLCODIGO");
        codigos.sort();
        EXPECT_EQ(codigos, caso.esperado);
    }
}

TEST_F(TdmTecLoadersTest, PartsRequestHeadersAndItems)
{
    exec("insert into AATC07AI (AICODIGO, AIID, AISEQUENCIA) values (5, 'C', 0)");
    exec("insert into AATC07AI (AICODIGO, AIID, AISEQUENCIA, PRCODIGO) values (5, 'I', 1, 'P1')");
    exec("insert into AATC07AI (AICODIGO, AIID, AISEQUENCIA) values (6, 'C', 0)");
    CarregaSolicitacao(0);
    EXPECT_FALSE(dmTec->quSolicita->active());
    CarregaSolicitacao(5);
    EXPECT_EQ(coluna(*dmTec->quSolicita, "AICODIGO"), QStringList{"5"});
    dmTec->CarregaSolicitacaoIt(5);
    EXPECT_EQ(coluna(*dmTec->quSolicitaIt, "AISEQUENCIA"), QStringList{"1"});
}

TEST_F(TdmTecLoadersTest, AFailingOpenLeavesTheQueryClosedAndReachesTheCaller)
{
    exec("drop table AATC01AR");
    EXPECT_ANY_THROW(dmTec->CarregaOSAcessorios(25));
    EXPECT_FALSE(dmTec->quOSAcessorios->active());
}

TEST_F(TdmTecLoadersTest, LoadingTheChildrenResumesTheirDisplayUpdatesEvenWhenOneFails)
{
    exec("drop table AATC01AX");   // extra expenses: the third query loaded
    EXPECT_ANY_THROW(dmTec->CarregaOSAtributos(25, 0, true));
    for (Query* filho : filhosDaOrdem())
        EXPECT_FALSE(filho->controlsDisabled()) << filho->name().toStdString();
    EXPECT_TRUE(dmTec->quOSDespViagem->active());
    EXPECT_FALSE(dmTec->quOSDespExtra->active());
}

TEST_F(TdmTecLoadersTest, AfterScrollFiltersSituationsAndOpensTheOrdersReceivables)
{
    const char* tipos = "IDSRC";
    for (int i = 0; tipos[i]; ++i)
        situacao(i + 1, QString(QChar(tipos[i])), "A");
    global->SetParametro("ATREMANUFATURA", "S");
    global->SetParametro("ATMODOEMPRESA", "S");
    ordem(25, "00001", "C");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, AOCODIGO) values ('S00025', '00001', 1, 25)");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, AOCODIGO) values ('S00025', '00001', 2, 24)");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, AOCODIGO) values ('S00025', '00002', 1, 25)");
    CarregaOrdemServico(25);
    EXPECT_EQ(coluna(*dmTec->quOSSituacao, "ASTIPO"), (QStringList{"I", "D", "C"}));   // a purchase order
    ASSERT_TRUE(global->quReceber->active());
    EXPECT_EQ(coluna(*global->quReceber, "SEQUENCIA"), QStringList{"1"});
}

TEST_F(TdmTecLoadersTest, WithoutTheOptionsTheAfterScrollLeavesSituationsAndReceivablesAlone)
{
    situacao(1, "R", "A");
    ordem(25, "00001", "C");
    CarregaOrdemServico(25);
    EXPECT_FALSE(dmTec->quOSSituacao->active());
    EXPECT_FALSE(global->quReceber->active());
}

TEST_F(TdmTecLoadersTest, CustomerContactsBindOnlyForEquipmentContractsAndAKnownCustomer)
{
    const char* contatos[] = {
        "(1, 'Zélia', 'C', '00001', 'E')", "(2, 'Ana', 'C', '00001', 'C')",
        "(3, 'Bruno', 'F', '00001', null)", "(4, 'Caio', 'C', '00002', null)",
    };
    for (const char* contato : contatos)
        exec(QString("insert into AUGC3701 (ANCODIGO, ANNOME, ANVINCULOCATEGORIA, ANVINCULOCODIGO, ANTIPO) values %1")
                 .arg(contato));
    global->SetParametro("ATOPCAOCONTRATO", "Q");
    dmTec->CarregaContatosCliente("00001");
    EXPECT_EQ(dmTec->dsContato->dataset(), nullptr);
    EXPECT_EQ(dmTec->dsContatoEnt->dataset(), nullptr);
    EXPECT_EQ(dmTec->dsContatoCob->dataset(), nullptr);

    global->SetParametro("ATOPCAOCONTRATO", "E");
    dmTec->CarregaContatosCliente("   ");
    EXPECT_EQ(dmTec->dsContato->dataset(), nullptr);

    dmTec->CarregaContatosCliente(" 00001 ");
    ASSERT_NE(dmTec->dsContato->dataset(), nullptr);
    EXPECT_EQ(dmTec->dsContato->dataset()->name(), "quContratanteCont");
    EXPECT_EQ(dmTec->dsContatoEnt->dataset()->name(), "quContratanteEnt");
    EXPECT_EQ(dmTec->dsContatoCob->dataset()->name(), "quContratanteCob");
    EXPECT_EQ(coluna(*dmTec->dsContatoCob->dataset(), "ANNOME"), (QStringList{"Ana", "Zélia"}));
}

TEST_F(TdmTecLoadersTest, CustomerContactQueriesAreKeptByNameAndFilteredByType)
{
    for (const char* contato : {"(1, 'Zélia', 'C', '00001', 'E')", "(2, 'Ana', 'C', '00001', 'C')"})
        exec(QString("insert into AUGC3701 (ANCODIGO, ANNOME, ANVINCULOCATEGORIA, ANVINCULOCODIGO, ANTIPO) values %1")
                 .arg(contato));
    Query* contatos = CarregaClienteContatos("quContratanteEnt", "00001", " E ");
    EXPECT_EQ(coluna(*contatos, "ANNOME"), QStringList{"Zélia"});
    EXPECT_EQ(CarregaClienteContatos("quContratanteEnt", "00001"), contatos);   // the same query again
    EXPECT_EQ(coluna(*contatos, "ANNOME"), (QStringList{"Ana", "Zélia"}));
    Query* vazio = CarregaClienteContatos("quOutroContato", "  ");
    EXPECT_FALSE(vazio->active());
}

}  // namespace
}  // namespace tectest
