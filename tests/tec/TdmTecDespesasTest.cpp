// Travel and extra expenses and the project's planned products: defaults and
// keys, their arithmetic through typed text, and the header's totals after a
// line is posted or deleted.

#include "tests/tec/TotaisFixture.h"

#include "host/Udatamod.h"
#include "host/data/Abort.h"

namespace tectest {
namespace {

class DespesasTest : public TotaisTest {
protected:
    void SetUp() override
    {
        TotaisTest::SetUp();
        modo("");
        dmGlobal->SetParametro("ATMODOEMPRESA", "P");   // the loader opens the project lines
        // The header's own before-post sums the whole order again (as the
        // header rules do), so a header post here shows the new totals.
        CarregaOrdemServico(7);
        dmTec->quOS->beforePost = [](host::data::Dataset&) {
            OrdemServicoAtualizaTotalizador(dmTec->quOSAOCODIGO->asInteger());
        };
        dmTec->CarregaOSAtributos(7, 0, true);
    }
    double gravado(const char* coluna)
    {
        return one(QString("select %1 from AATC01AO where AOCODIGO = 7").arg(coluna)).toDouble();
    }
    int auditorias(const QString& acao)
    {
        return one("select count(*) from ARQLOG where ACAO = '" + acao + "'").toInt();
    }
};

TEST_F(DespesasTest, TravelExpenseDefaultsAndArithmeticThroughTypedText)
{
    dmGlobal->SetParametro("ATVALORKM", "1.20");
    host::data::Query& viagem = *dmTec->quOSDespViagem;
    viagem.append();
    EXPECT_EQ(dmTec->quOSDespViagemAVCODIGO->asInteger(), 1) << "first expense of the order";
    EXPECT_EQ(dmTec->quOSDespViagemAOCODIGO->asInteger(), 7);
    EXPECT_EQ(dmTec->quOSDespViagemAVDATA->asDateTime().date(), QDate::currentDate());
    EXPECT_DOUBLE_EQ(dmTec->quOSDespViagemAVKMVALOR->asFloat(), 1.2) << "ATVALORKM";
    EXPECT_DOUBLE_EQ(dmTec->quOSDespViagemAVVALORTOTAL->asFloat(), 0);

    dmTec->quOSDespViagemAVPEDQUANTIDADE->setText("2");
    dmTec->quOSDespViagemAVPEDVALOR->setText("5,50");
    dmTec->quOSDespViagemAVKMPERCORRIDO->setText("10");
    EXPECT_DOUBLE_EQ(dmTec->quOSDespViagemAVPEDVALORTOTAL->asFloat(), 11);
    EXPECT_DOUBLE_EQ(dmTec->quOSDespViagemAVKMVALORTOTAL->asFloat(), 12);
    EXPECT_DOUBLE_EQ(dmTec->quOSDespViagemAVVALORTOTAL->asFloat(), 23);
    EXPECT_EQ(dmTec->quOSDespViagemAVVALORTOTAL->displayText(), "23,00");

    viagem.post();
    EXPECT_DOUBLE_EQ(gravado("AODESPVIAGEM"), 23) << "the header is posted with the new column";
    EXPECT_DOUBLE_EQ(gravado("AOVALORTOTAL"), 23);

    viagem.append();
    EXPECT_EQ(dmTec->quOSDespViagemAVCODIGO->asInteger(), 2);
    viagem.cancel();
}

TEST_F(DespesasTest, TravelExpenseTechnicianNameAndNoPriceWithoutTheParameter)
{
    tecnico(4, "Rui", "S");
    dmGlobal->SetParametro("ATVALORKM", "0");
    dmTec->quOSDespViagem->append();
    EXPECT_DOUBLE_EQ(dmTec->quOSDespViagemAVKMVALOR->asFloat(), 0);
    dmTec->quOSDespViagemATCODIGO->setText("4");
    EXPECT_EQ(dmTec->quOSDespViagemATNOME->asString(), "Rui");
    dmTec->quOSDespViagemATCODIGO->setText("0");
    EXPECT_EQ(dmTec->quOSDespViagemATNOME->asString(), "Rui") << "0 leaves the name";
}

TEST_F(DespesasTest, InTotalsModeIAnExpenseReTotalsTheOrderAndLeavesTheHeaderInEdit)
{
    modo("I");
    peca(7, 1, 100);
    dmTec->quOSDespViagem->append();
    dmTec->quOSDespViagemAVPEDVALORTOTAL->setAsFloat(8);
    dmTec->quOSDespViagem->post();
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Edit);
    EXPECT_DOUBLE_EQ(dmTec->quOSAOVALORTOTAL->asFloat(), 108);
    EXPECT_DOUBLE_EQ(gravado("AODESPVIAGEM"), 0) << "saved with the order";
}

TEST_F(DespesasTest, DeletingATravelExpenseAuditsAndReTotals)
{
    viagem(7, 1, 40);
    dmTec->CarregaOSAtributos(7, 0, true);
    dmTec->quOSDespViagem->remove();
    EXPECT_EQ(auditorias("Deletou Desp. de Viagem"), 1);
    EXPECT_EQ(one("select OBSERVACAO from ARQLOG where ACAO = 'Deletou Desp. de Viagem'").toString().left(21),
              "Número O.S./Data:7/");
    EXPECT_DOUBLE_EQ(gravado("AODESPVIAGEM"), 0);
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
}

TEST_F(DespesasTest, ExtraExpenseCarrierMustBeACarrier)
{
    exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('00010', 'Rápido Sul', 'T')");
    exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('00011', 'Peças SA', 'F')");
    host::data::Query& extra = *dmTec->quOSDespExtra;
    extra.append();
    EXPECT_EQ(dmTec->quOSDespExtraAXCODIGO->asInteger(), 1);
    EXPECT_EQ(dmTec->quOSDespExtraAXDATA->asDateTime().date(), QDate::currentDate());

    dialogos->acknowledge("Código não encontrado.");
    EXPECT_THROW(dmTec->quOSDespExtraFOCODIGOTRANSPORTADOR->setText("99999"), host::Abort);
    dialogos->acknowledge("Fornecedor selecionado não do Tipo \"Transportadora\".");
    EXPECT_THROW(dmTec->quOSDespExtraFOCODIGOTRANSPORTADOR->setText("00011"), host::Abort);
    EXPECT_EQ(dmTec->quOSDespExtraTRANSPORTADORA->asString(), "");
    dmTec->quOSDespExtraFOCODIGOTRANSPORTADOR->setText("00010");
    EXPECT_EQ(dmTec->quOSDespExtraTRANSPORTADORA->asString(), "Rápido Sul");
    dmTec->quOSDespExtraFOCODIGOTRANSPORTADOR->setText("");
    EXPECT_EQ(dmTec->quOSDespExtraTRANSPORTADORA->asString(), "") << "an emptied carrier needs no check";
    EXPECT_EQ(dialogos->pending(), 0);

    tecnico(4, "Rui", "S");
    dmTec->quOSDespExtraATCODIGO->setText("4");
    EXPECT_EQ(dmTec->quOSDespExtraNOMETECNICO->asString(), "Rui");
    dmTec->quOSDespExtraATCODIGO->setText("");
    EXPECT_EQ(dmTec->quOSDespExtraNOMETECNICO->asString(), "");

    dmTec->quOSDespExtraAXVALOR->setText("12,5");
    dmTec->quOSDespExtraAXNUMERO->setAsString("NF1");
    extra.post();
    EXPECT_DOUBLE_EQ(gravado("AODESPDIVERSAS"), 12.5);
    extra.remove();
    EXPECT_EQ(one("select OBSERVACAO from ARQLOG where ACAO = 'Deletou Desp. Extra da O.S.'").toString(),
              "Número O.S./Nº Documento:7/NF1");
    EXPECT_DOUBLE_EQ(gravado("AODESPDIVERSAS"), 0);
}

TEST_F(DespesasTest, ProjectLineTotalIsCutToCents)
{
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('PJ', 'Painel', 10)");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('PZ', 'Brinde', 0)");
    host::data::Query& projeto = *dmTec->quOSProj;
    projeto.append();
    EXPECT_EQ(dmTec->quOSProjAQDATA->asDateTime().date(), QDate::currentDate());
    dmTec->quOSProjPRCODIGO->setText("PJ");
    EXPECT_EQ(dmTec->quOSProjDESCRICAO->asString(), "Painel");
    EXPECT_DOUBLE_EQ(dmTec->quOSProjAQVALOR->asFloat(), 10);
    dmTec->quOSProjAQQUANTIDADE->setText("1");
    dmTec->quOSProjAQDESCONTO->setText("33,333");
    EXPECT_DOUBLE_EQ(dmTec->quOSProjAQVALORTOTAL->asFloat(), 6.66) << "cut, not rounded to 6.67";
    projeto.post();
    EXPECT_EQ(dmTec->quOSProjAQCODIGO->asInteger(), 1);
    EXPECT_DOUBLE_EQ(gravado("AOVALORPROJETO"), 6.66);
    EXPECT_DOUBLE_EQ(gravado("AOVALORTOTAL"), 6.66);
    global->IBTransaction1->rollback();
    EXPECT_EQ(one("select count(*) from AATC01AQ").toInt(), 1) << "committed right after its post";

    CarregaOrdemServico(7);
    dmTec->CarregaOSAtributos(7, 0, true);
    projeto.append();
    dmTec->quOSProjAQVALOR->setAsFloat(1);
    dmTec->quOSProjAQQUANTIDADE->setAsFloat(10);
    dmTec->quOSProjAQDESCONTO->setAsFloat(33.333);
    EXPECT_DOUBLE_EQ(dmTec->quOSProjAQVALORTOTAL->asFloat(), 6.66) << "10 x (1 - 0.33333)";
    dmTec->quOSProjPRCODIGO->setText("PZ");
    EXPECT_DOUBLE_EQ(dmTec->quOSProjAQVALOR->asFloat(), 0) << "no positive price";
    projeto.post();
    EXPECT_EQ(dmTec->quOSProjAQCODIGO->asInteger(), 2);
}

TEST_F(DespesasTest, DeletingAProjectLineAuditsAndReTotals)
{
    projeto(7, 1, 30);
    exec("update AATC01AQ set PRCODIGO = 'PJ'");
    dmTec->CarregaOSAtributos(7, 0, true);
    OrdemServicoAtualizaTotalizador(7);
    dmTec->quOS->post();
    ASSERT_DOUBLE_EQ(gravado("AOVALORPROJETO"), 30);
    dmTec->quOSProj->remove();
    EXPECT_EQ(one("select OBSERVACAO from ARQLOG where ACAO = 'Deletou Projeto da O.S.'").toString(),
              "Número O.S./Código:7/PJ");
    EXPECT_DOUBLE_EQ(gravado("AOVALORPROJETO"), 0);
}

}  // namespace
}  // namespace tectest
