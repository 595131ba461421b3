// The header among its neighbours: browsing the order search list, a detail
// whose after-save posts the header from inside the header's own save, and
// the delete audit of an accessory, and audit records that outlive the
// program's end with the deletion they tell of.

#include "tests/tec/OSRegrasFixture.h"

#include "host/ui/Form.h"

namespace tectest {
namespace {

class OSVizinhosTest : public OSRegrasTest {
protected:
    void SetUp() override
    {
        OSRegrasTest::SetUp();
        cliente("00001", "Oficina Central");
        ordem(7);
        ordem(8);
        item(1, 7);
        item(2, 8);
    }
    // The program ends as it normally does (what is not committed is rolled
    // back); a new connection reads what stayed.
    void fimDoPrograma()
    {
        dmTec.free();
        global.reset();
        global = std::make_unique<TdmGlobal>(dbPath);
    }
    int auditorias(const QString& acao) { return contar("ARQLOG", "ACAO = '" + acao + "'"); }
};

TEST_F(OSVizinhosTest, BrowsingTheSearchListLoadsEachOrderAndPerItemItsItemsTotals)
{
    dmTec->quPesqOS->setSql("select Os.AOCODIGO, It.AOITCODIGO from AATC01AO Os"
                            " join AATC01AOIT It on (It.AOCODIGO = Os.AOCODIGO) order by Os.AOCODIGO");
    dmTec->quPesqOS->open();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 7);
    dmTec->quPesqOS->next();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 8);

    QList<QPair<int, int>> totalizados;
    OSAndamentoTotalizarServicoPeca = [&](int ordem, int item) { totalizados.append({ordem, item}); };
    parametro("ATANDAMENTOPORITEM", "I");
    dmTec->quPesqOS->prior();
    EXPECT_TRUE(totalizados.isEmpty()) << "no progress window, no totals";
    host::ui::Form andamento;
    andamento.setObjectName("fmAssAndamento");
    dmTec->quPesqOS->next();
    EXPECT_EQ(totalizados, (QList<QPair<int, int>>{{8, 2}}));

    dmTec->quPesqOS->disableControls();
    dmTec->quPesqOS->prior();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 8) << "a list with its controls disabled loads nothing";
    dmTec->quPesqOS->enableControls();
    OSAndamentoTotalizarServicoPeca = nullptr;
}

// The header's save posts a pending parts line; the line's after-save re-totals
// the header and posts it again from inside the header's own before-save. That
// inner post is absorbed: the header is written once, with the new totals.
TEST_F(OSVizinhosTest, ADetailPostingTheHeaderInsideItsSaveWritesTheHeaderOnce)
{
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APTIPO, APAUTORIZADO, APVALTOTAL)"
         " values (7, 1, 1, 'P1', '3', 'S', 40)");
    CarregaOrdemServico(7);
    dmTec->CarregaOSPecas(7, 0);
    // The line's own pricing rules are not the point here: the line keeps the total typed.
    dmTec->quOSPecas->beforePost = nullptr;
    dmTec->quOSPecas->afterPost = [](host::data::Dataset&) {
        dmGlobal->IBTransaction1->commitRetaining();
        AtualizarOSCorrentePecas(7, "AATC01AP", false);
    };
    dmTec->quOSPecas->edit();
    dmTec->quOSPecas->fieldByName("APVALTOTAL")->setAsFloat(60);
    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Rui");
    host::clearHookCalls();
    SalvarAlteracoes(*dmTec->quOS);

    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
    EXPECT_EQ(host::hookCallTexts().filter("quOS:AFTERPOST").size(), 1);
    EXPECT_EQ(one("select AOCONTATO || '|' || cast(AOVALORPECAS as integer) from AATC01AO where AOCODIGO = 7").toString(), "Rui|60");
    EXPECT_EQ(contar("ARQLOG", "TABELA = 'AATC01AO'"), 1) << "one audit record: one write";
}

TEST_F(OSVizinhosTest, DeletingAnAccessoryPassesTheGuardAndAuditsItsText)
{
    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (7, 1, 'Carregador')");
    CarregaOrdemServico(7);
    dmTec->CarregaOSAcessorios(7);
    host::clearHookCalls();
    dmTec->quOSAcessorios->remove();
    EXPECT_EQ(one("select ACAO || '|' || OBSERVACAO from ARQLOG where TABELA = 'AATC01AR'").toString(),
              "Deletou Acessório da O.S.|Número O.S./Acessório:7/Carregador");
    EXPECT_EQ(host::hookCallTexts().filter("quOSAcessorios:"),
              (QStringList{"quOSAcessorios:BEFOREDELETE", "quOSAcessorios:AFTERDELETE"}));

    // An order deleted after another deletion audits its own text.
    parametro("ATSENHAOS", "");
    dmTec->quOS->remove();
    EXPECT_EQ(one("select OBSERVACAO from ARQLOG where TABELA = 'AATC01AO'").toString(), "Código/Cliente:7/00001");
}

TEST_F(OSVizinhosTest, AnOrderSavedWithoutItemsReceivesTheDefaultEquipment)
{
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO) values (5, 'Compressor')");
    exec("alter sequence GEN_AOITCODIGO restart with 100");   // past the items written directly
    parametro("ATMODOOS", "1");
    parametro("ATEQUIPAMENTOPADRAO", "5");
    // Mode "1" also gives the authorised item with factory warranty its warranty line.
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, COM_FAB_S_FS) values ('SG', 'Garantia', '7')");
    parametro("ATSERVICOPADRAO", "SG");
    CarregaOrdemServico(0);
    dmTec->quOS->append();
    dmTec->quOSCLCODIGO->setAsString("00001");
    SalvarAlteracoes(*dmTec->quOS);
    const int ordem = dmTec->quOSAOCODIGO->asInteger();
    EXPECT_EQ(contar("AATC01AOIT", QString("AOCODIGO = %1 and AOITEQUIPCODIGO = 5 and AOITAUTORIZADO = 'S'"
                                           " and AOITGARANTIA = '1'")
                                       .arg(ordem)),
              1);
    EXPECT_EQ(contar("AATC01AA", QString("AOCODIGO = %1 and PRCODIGO = 'SG'").arg(ordem)), 1);
    // Saved again with its item: no second one.
    dmTec->quOS->edit();
    SalvarAlteracoes(*dmTec->quOS);
    EXPECT_EQ(contar("AATC01AOIT", QString("AOCODIGO = %1").arg(ordem)), 1);
}

TEST_F(OSVizinhosTest, DeletingAnItemAuditsItsOwnText)
{
    exec("update AATC01AOIT set AOITEQUIPCODIGO = 5 where AOITCODIGO = 1");
    CarregaOrdemServico(7);
    dmTec->CarregaOSItens(7, 0);
    dmTec->quOSItem->remove();
    EXPECT_EQ(one("select ACAO || '|' || OBSERVACAO from ARQLOG where TABELA = 'AATC01AOIT'").toString(),
              "Deletou Itens da O.S.|Número O.S./Equip. ou Aut.:7/5");
}

TEST_F(OSVizinhosTest, TheAuditOfAnItemDeletionOutlivesTheProgramsEnd)
{
    CarregaOrdemServico(7);
    dmTec->CarregaOSItens(7, 0);
    dmTec->quOSItem->remove();
    fimDoPrograma();
    EXPECT_EQ(contar("AATC01AOIT", "AOITCODIGO = 1"), 0);
    EXPECT_EQ(auditorias("Deletou Itens da O.S."), 1);
}

TEST_F(OSVizinhosTest, TheAuditOfAnOrderDeletionOutlivesTheProgramsEnd)
{
    parametro("ATSENHAOS", "");
    CarregaOrdemServico(7);
    dmTec->quOS->remove();
    fimDoPrograma();
    EXPECT_EQ(contar("AATC01AO", "AOCODIGO = 7"), 0);
    EXPECT_EQ(contar("ARQLOG", "ACAO = 'Deletou O.S.' and OBSERVACAO = 'Código/Cliente:7/00001'"), 1);
}

TEST_F(OSVizinhosTest, TheAuditOfAProgressRecordDeletionOutlivesTheProgramsEnd)
{
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM) values ('00001', 1, 7, 'A')");
    CarregaOrdemServico(7);
    dmTec->CarregaOSContato(7, 0);
    dmTec->quOSContato->remove();
    fimDoPrograma();
    EXPECT_EQ(contar("CADCOM", "CONTRATO = 7"), 0);
    EXPECT_EQ(auditorias("Deletou Assentamentos da O.S."), 1);
}

TEST_F(OSVizinhosTest, TheAuditOfASavedOrderOutlivesTheProgramsEnd)
{
    CarregaOrdemServico(7);
    dmTec->quOS->edit();
    dmTec->quOSAOCONTATO->setAsString("Rui");
    dmTec->quOS->post();
    fimDoPrograma();
    EXPECT_EQ(auditorias("Alterou Ordem de Serviço 7"), 1);
}

}  // namespace
}  // namespace tectest
