// Progress records of an order (quOSContato): the key per customer, worked
// minutes across midnight, the audit texts and the order saved first.

#include "tests/tec/LoadersFixture.h"

#include "host/Udatamod.h"
#include "host/db/Database.h"

namespace tectest {
namespace {

class ContatoOS : public LoadersTest {
protected:
    void SetUp() override
    {
        LoadersTest::SetUp();
        ordem(7, "00001");
        exec("update AATC01AO set AOCONTATO = 'Maria' where AOCODIGO = 7");
        CarregaOrdemServico(7);
        dmTec->CarregaOSContato(7, 0);
    }
    void horas(const QTime& inicio, const QTime& fim)
    {
        dmTec->quOSContatoHORA_VISITA->setAsDateTime(QDateTime(QDate(1899, 12, 30), inicio));
        dmTec->quOSContatoCTHORAFINAL->setAsDateTime(QDateTime(QDate(1899, 12, 30), fim));
    }
    QString auditoria(const QString& acao)
    {
        return one("select OBSERVACAO from ARQLOG where ACAO = '" + acao + "'").toString();
    }
};

TEST_F(ContatoOS, WorkedMinutesCountAcrossMidnight)
{
    dmTec->quOSContato->append();
    horas(QTime(23, 30), QTime(0, 15));
    EXPECT_EQ(dmTec->quOSContatoCTTEMPOTOTAL->asInteger(), 45);
    horas(QTime(8, 0), QTime(8, 0));
    EXPECT_EQ(dmTec->quOSContatoCTTEMPOTOTAL->asInteger(), 0);
    // Typed as the grid does: the end first, then the start.
    dmTec->quOSContatoCTHORAFINAL->setText("10:20");
    dmTec->quOSContatoHORA_VISITA->setText("09:05");
    EXPECT_EQ(dmTec->quOSContatoCTTEMPOTOTAL->asInteger(), 75);
    dmTec->quOSContato->cancel();
}

TEST_F(ContatoOS, SequencePerCustomerOwnerDefaultsAndAuditTexts)
{
    dmTec->quOSContato->append();
    EXPECT_EQ(dmTec->quOSContatoSEQUENCIA->asInteger(), 1);   // the customer's first record
    EXPECT_EQ(dmTec->quOSContatoCOD_CLI->asString(), "00001");
    EXPECT_EQ(dmTec->quOSContatoCONTRATO->asInteger(), 7);
    EXPECT_EQ(dmTec->quOSContatoPESSOA_CONTATO->asString(), "Maria");
    EXPECT_EQ(dmTec->quOSContatoIDORIGEM->asString(), "A");
    // Another record of the customer (another origin) written meanwhile: the
    // key is read again when posting.
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, IDORIGEM) values ('00001', 4, 'C')");
    dmTec->quOSContato->post();
    EXPECT_EQ(one("select max(SEQUENCIA) from CADCOM where CONTRATO = 7").toInt(), 5);
    EXPECT_EQ(auditoria("Alterou andamento de O.S.)"), "OS.:7");
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction lida(outra);
    EXPECT_EQ(host::db::selectValue(lida, "select count(*) from ARQLOG where ACAO = 'Alterou andamento de O.S.)'")
                  .toInt(),
              1)
        << "the audit row is stored with the record it tells of";
    lida.commit();

    const QString data = dmTec->quOSContatoDATA_SOLICITADA->asString();
    dmTec->quOSContato->remove();
    EXPECT_EQ(one("select count(*) from CADCOM where CONTRATO = 7").toInt(), 0);
    EXPECT_EQ(auditoria("Deletou Assentamentos da O.S."), "Número O.S./Data:7/" + data);
}

TEST_F(ContatoOS, AnOrderBeingInsertedIsSavedBeforeItsFirstRecord)
{
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'Cliente')");
    dmTec->quOS->append();
    dmTec->quOSCLCODIGO->setAsString("00001");
    dmTec->CarregaOSContato(0, 0);
    dmTec->quOSContato->append();
    // The order got its number when it was saved, before the record's defaults.
    const int codigo = dmTec->quOSAOCODIGO->asInteger();
    EXPECT_GT(codigo, 7);
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
    EXPECT_EQ(one(QString("select count(*) from AATC01AO where AOCODIGO = %1").arg(codigo)).toInt(), 1);
    EXPECT_EQ(dmTec->quOSContatoCONTRATO->asInteger(), codigo);
    dmTec->quOSContato->cancel();
}

}  // namespace
}  // namespace tectest
