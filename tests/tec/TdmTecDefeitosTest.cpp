// Time entries and defects of a service line, defects of an order item or of
// a sales-document item: defaults of new rows, keys read at the post (per
// line for time entries, over the whole table for defects), the defect text,
// commits, the audit of a deleted line defect and what reaches the hook.

#include "tests/tec/ItensFixture.h"

#include "host/PilvCpr70.h"

namespace tectest {
namespace {

class DefeitosTest : public ItensTest {
protected:
    void SetUp() override
    {
        ItensTest::SetUp();
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO) values (7, 'Não liga')");
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO) values (8, 'Trocar fusível')");
        exec("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, ATCODIGO) values (10, 1, 55, 'S1', 4)");
        exec("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO) values (10, 2, 56, 'S2')");
        dmTec->CarregaOSAndamento(10, 0);
        host::clearHookCalls();
    }
    QStringList eventos(const QString& dataset)
    {
        QStringList lista;
        for (const host::HookCall& chamada : host::hookCalls())
            if (chamada.dataset == dataset)
                lista << chamada.event;
        return lista;
    }
};

TEST_F(DefeitosTest, TimeEntriesAreNumberedWithinTheirLineAndCommittedAtOnce)
{
    // Other lines' sequences, of this order and of another, do not count.
    exec("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA) values (10, 2, 5)");
    exec("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA) values (3, 1, 9)");
    TdmTec& tec = *dmTec;
    ASSERT_TRUE(tec.quOSAndamento->locate("AACODIGO", 1));
    tec.CarregaOSAndamentoItem(10, 1);
    tec.quOSAndaIt->append();
    EXPECT_EQ(tec.quOSAndaItAACODIGO->asInteger(), 1);
    EXPECT_EQ(tec.quOSAndaItAOCODIGO->asInteger(), 10);
    EXPECT_EQ(tec.quOSAndaItATCODIGO->asInteger(), 4) << "the line's technician";
    EXPECT_EQ(tec.quOSAndaItAAITDATA->asDateTime().date(), QDate::currentDate());
    tec.quOSAndaItAAITINICIO->setAsDateTime(QDateTime(QDate::currentDate(), QTime(8, 0)));
    tec.quOSAndaIt->post();
    EXPECT_EQ(tec.quOSAndaItAAITSEQUENCIA->asInteger(), 1) << "first entry of the line";
    EXPECT_EQ(linhasGravadas("AATC01AAIT", "AOCODIGO = 10 and AACODIGO = 1"), 1) << "committed by the post";

    tec.quOSAndaIt->append();
    tec.quOSAndaIt->post();
    EXPECT_EQ(tec.quOSAndaItAAITSEQUENCIA->asInteger(), 2);

    // Editing keeps the sequence.
    tec.quOSAndaIt->edit();
    tec.quOSAndaItAAITFIM->setAsDateTime(QDateTime(QDate::currentDate(), QTime(10, 0)));
    tec.quOSAndaIt->post();
    EXPECT_EQ(tec.quOSAndaItAAITSEQUENCIA->asInteger(), 2);

    ASSERT_TRUE(tec.quOSAndamento->locate("AACODIGO", 2));
    tec.CarregaOSAndamentoItem(10, 2);
    tec.quOSAndaIt->append();
    EXPECT_TRUE(tec.quOSAndaItATCODIGO->isNull()) << "a line without technician";
    tec.quOSAndaIt->post();
    EXPECT_EQ(tec.quOSAndaItAAITSEQUENCIA->asInteger(), 6);

    tec.quOSAndaIt->remove();
    EXPECT_EQ(linhasGravadas("AATC01AAIT", "AOCODIGO = 10 and AACODIGO = 2"), 1) << "the delete is committed";
    EXPECT_TRUE(eventos("quOSAndaIt").isEmpty()) << "time entries report nothing";
}

TEST_F(DefeitosTest, ALineDefectTakesTheLineAndTheTableWideKeyWithHooks)
{
    exec("insert into AATC01AAAD (AAADSEQUENCIA, AOCODIGO, AACODIGO, ADCODIGO) values (40, 3, 1, 8)");
    TdmTec& tec = *dmTec;
    ASSERT_TRUE(tec.quOSAndamento->locate("AACODIGO", 1));
    tec.CarregaOSAndamentoDefeito(10, 1);
    tec.quOSAndDef->append();
    EXPECT_EQ(tec.quOSAndDefAACODIGO->asInteger(), 1);
    EXPECT_EQ(tec.quOSAndDefAOCODIGO->asInteger(), 10);
    EXPECT_EQ(tec.quOSAndDefAOITCODIGO->asInteger(), 55);
    EXPECT_EQ(tec.quOSAndDefPRCODIGO->asString(), "S1");

    tec.quOSAndDefADCODIGO->setText("7");
    EXPECT_EQ(tec.quOSAndDefADDESCRICAO->asString(), "Não liga");
    tec.quOSAndDefADCODIGO->setText("0");
    EXPECT_EQ(tec.quOSAndDefADDESCRICAO->asString(), "Não liga") << "code 0 keeps the text";
    tec.quOSAndDefADCODIGO->setText("7");
    tec.quOSAndDef->post();
    EXPECT_EQ(tec.quOSAndDefAAADSEQUENCIA->asInteger(), 41) << "the maximum of the whole table, order 3's";
    EXPECT_EQ(linhasGravadas("AATC01AAAD", "AAADSEQUENCIA = 41 and AOCODIGO = 10"), 1) << "committed";
    EXPECT_EQ(eventos("quOSAndDef"), (QStringList{"ONNEWRECORD", "BEFOREPOST", "AFTERPOST"}));

    host::clearHookCalls();
    tec.quOSAndDef->remove();
    EXPECT_EQ(eventos("quOSAndDef"), (QStringList{"BEFOREDELETE", "AFTERDELETE"}));
    EXPECT_EQ(one("select ACAO || '|' || OBSERVACAO || '|' || TABELA from ARQLOG").toString(),
              "Deletou um Defeito de Serviço da OS|Código/Descrição:7/Não liga|AATC01AAAD");
    EXPECT_EQ(linhasGravadas("AATC01AAAD", "AAADSEQUENCIA = 41"), 1) << "the delete waits for the next commit";

    tec.quOSAndDef->close();
    EXPECT_EQ(eventos("quOSAndDef").last(), "BEFORECLOSE");
}

TEST_F(DefeitosTest, NewItemDefectsCarryTheOwnerOfTheListAndStayInIt)
{
    exec("insert into AATC01AOAD (AOADCODIGO, AOCODIGO, AOITCODIGO, ADCODIGO) values (30, 3, 9, 8)");
    TdmTec& tec = *dmTec;
    struct Dono {
        int ordem, item;
        double chave;
        int sequencia;
    };
    // An order item; then a sales-document item (order 0) with a key that
    // the list's SQL must write in fixed notation.
    for (const Dono dono : {Dono{10, 55, 0, 0}, Dono{0, 0, 1000000, 3}}) {
        SCOPED_TRACE(dono.ordem);
        tec.iDefeitoAOCODIGO = dono.ordem;
        tec.iDefeitoAOITCODIGO = dono.item;
        tec.rDefeitoMECHAVE = dono.chave;
        tec.iDefeitoMEITSEQUENCIA = dono.sequencia;
        CarregaDefeitoItem(dono.ordem, dono.item, dono.chave, dono.sequencia);
        tec.quOSItemDef->append();
        EXPECT_EQ(tec.quOSItemDefAOCODIGO->asInteger(), dono.ordem);
        EXPECT_EQ(tec.quOSItemDefAOITCODIGO->asInteger(), dono.item);
        EXPECT_DOUBLE_EQ(tec.quOSItemDefMECHAVE->asFloat(), dono.chave);
        EXPECT_EQ(tec.quOSItemDefMEITSEQUENCIA->asInteger(), dono.sequencia);
        EXPECT_FALSE(tec.quOSItemDefAOADQUANTIDADE->isNull());
        EXPECT_DOUBLE_EQ(tec.quOSItemDefAOADQUANTIDADE->asFloat(), 0);
        tec.quOSItemDefADCODIGO->setText("8");
        EXPECT_EQ(tec.quOSItemDefADDESCRICAO->asString(), "Trocar fusível");
        tec.quOSItemDef->post();

        CarregaDefeitoItem(dono.ordem, dono.item, dono.chave, dono.sequencia);
        EXPECT_EQ(tec.quOSItemDef->recordCount(), 1) << "the new row is in its owner's list";
    }
    EXPECT_EQ(one("select max(AOADCODIGO) from AATC01AOAD").toInt(), 32) << "max + 1 over the whole table, twice";
    EXPECT_EQ(linhasGravadas("AATC01AOAD", "AOADCODIGO in (31, 32)"), 2) << "each post committed";

    tec.quOSItemDef->remove();
    EXPECT_EQ(linhasGravadas("AATC01AOAD", "AOADCODIGO = 32"), 0) << "the delete is committed";
    EXPECT_EQ(one("select count(*) from ARQLOG").toInt(), 0) << "no audit for item defects";
    EXPECT_TRUE(eventos("quOSItemDef").isEmpty()) << "item defects report nothing";
}

}  // namespace
}  // namespace tectest
