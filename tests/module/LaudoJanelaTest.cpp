// The technical report dialog on order 42 and its item: vehicle and
// equipment captions, picks from the defects register with their kinds,
// upper case on leaving a memo, "&Cancelar" and the save on close.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/report/Report.h"
#include "service_orders/uAssOSAndamento.h"
#include "service_orders/uAssOSLaudo.h"
#include "shared_windows/uPesqAssDefeitos.h"

#include <QRadioButton>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace moduletest {
namespace {

using host::ui::Form;

class LaudoJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR, ADOBSERVACAO)"
             " values (12, 'Fonte queimada', 'D', 'FONTE QUEIMADA NA ENTRADA')");
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR, ADOBSERVACAO)"
             " values (13, 'Surto de tensao', 'C', 'SURTO NA REDE')");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
             " values (42, '00003', '2026-11-02', 'A', 'M')");
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (42, 1, 'Item 1')");
        uPackageAss::CriarDataTec();
        CarregaOrdemServico(42);
    }
    // The defects search answered with the entry of that code.
    void escolherDefeito(int codigo)
    {
        dialogs->modal("fmPesquisaAssDefeitos", [codigo](Form& janela) {
            auto& busca = static_cast<TfmPesquisaAssDefeitos&>(janela);
            busca.edCodigo->setText(QString::number(codigo));
            busca.rbComecando->setChecked(true);
            busca.bbPesquisa->click();
            busca.dbgdPesqDefeito->onDblClick();
        });
    }
    QString ordem(const char* campo)
    {
        return committed(QString("select %1 from AATC01AO where AOCODIGO = 42").arg(campo)).toString();
    }
    QString item(const char* campo)
    {
        return committed(QString("select %1 from AATC01AOIT where AOCODIGO = 42 and AOITCODIGO = 1").arg(campo))
            .toString();
    }
};

TEST_F(LaudoJanelaTest, EquipmentModeCodesTheDefectAndRefusesAnotherKind)
{
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->modal("fmAssOSLaudo", [this](Form& janela) {
        auto& laudo = static_cast<TfmAssOSLaudo&>(janela);
        EXPECT_EQ(laudo.caption(), "Laudo da Ordem de Serviço  (Referente a OS Nº :  42)");
        EXPECT_EQ(laudo.gbLaudo->title(), "Defeito Constatado");
        EXPECT_FALSE(laudo.gbCausa->isHidden());
        EXPECT_FALSE(laudo.paImpressao->isHidden());
        EXPECT_EQ(laudo.dbcbImpLaudo->pickList(), (QStringList{"Sim", "Não"}));
        EXPECT_EQ(laudo.bbCancelar->text(), "&Cancelar");

        escolherDefeito(13);
        laudo.dbmeLaudo->onDblClick();
        EXPECT_EQ(dialogs->texts().last(), "Tipo de Defeito inválido.");
        EXPECT_EQ(laudo.dbmeLaudo->text(), "") << "the refused pick leaves the memo";

        escolherDefeito(12);
        laudo.dbmeLaudo->onDblClick();
        EXPECT_EQ(laudo.dbmeLaudo->text(), "12 - FONTE QUEIMADA NA ENTRADA");
        escolherDefeito(12);
        laudo.dbmeSolucao->onDblClick();
        EXPECT_EQ(dialogs->texts().last(), "Tipo de Solução inválido.");
        escolherDefeito(13);
        laudo.dbmeCausa->onDblClick();
        EXPECT_EQ(laudo.dbmeCausa->text(), "13 - SURTO NA REDE");

        laudo.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&laudo));
        laudo.dbmeObsLaudo->setFocus();
        laudo.dbmeObsLaudo->setPlainText("trocar fusivel");
        laudo.bbOk->setFocus();
        EXPECT_EQ(laudo.dbmeObsLaudo->text(), "TROCAR FUSIVEL") << "upper case on leaving";
        laudo.bbOk->click();
    });
    OSAndamentoAbrirLaudo(false, 42, 0);
    EXPECT_FALSE(fmAssOSLaudo);
    EXPECT_EQ(ordem("AODESCRICAOLAUDO"), "12 - FONTE QUEIMADA NA ENTRADA");
    EXPECT_EQ(ordem("AOCAUSA"), "13 - SURTO NA REDE");
    EXPECT_EQ(ordem("AOOBSLAUDO"), "TROCAR FUSIVEL") << "saved on close";
}

TEST_F(LaudoJanelaTest, VehicleModeAcceptsAnyKindWithoutItsCode)
{
    parametro("ATMODOVEICULO", "O");
    dialogs->modal("fmAssOSLaudo", [this](Form& janela) {
        auto& laudo = static_cast<TfmAssOSLaudo&>(janela);
        EXPECT_EQ(laudo.gbLaudo->title(), "Laudo");
        EXPECT_TRUE(laudo.gbCausa->isHidden());
        EXPECT_TRUE(laudo.gbSolucao->isHidden());
        EXPECT_TRUE(laudo.gbObsLaudo->isHidden());
        escolherDefeito(13);
        laudo.dbmeLaudo->onDblClick();
        laudo.close();
    });
    OSAndamentoAbrirLaudo(false, 42, 0);
    EXPECT_EQ(ordem("AODESCRICAOLAUDO"), "SURTO NA REDE");
}

TEST_F(LaudoJanelaTest, PerItemThePickLandsInTheItemAndCancelDiscardsOnlyTheOrder)
{
    dialogs->modal("fmAssOSLaudo", [this](Form& janela) {
        auto& laudo = static_cast<TfmAssOSLaudo&>(janela);
        EXPECT_EQ(laudo.caption(), "Laudo da Ordem de Serviço  (Referente a Item Código :  1)");
        EXPECT_TRUE(laudo.paImpressao->isHidden());
        EXPECT_EQ(laudo.dbmeLaudo->field()->fieldName(), "AOITLAUDO");
        EXPECT_EQ(laudo.dbmeObsLaudo->field()->fieldName(), "AOITOBSERVACAO");
        escolherDefeito(12);
        dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");   // the item posted with the pick
        laudo.dbmeLaudo->onDblClick();
        EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITLAUDO")->asString(), "12 - FONTE QUEIMADA NA ENTRADA");
        dmTec->quOSItem->edit();
        dmTec->quOSItem->fieldByName("AOITOBSERVACAO")->setAsString("ITEM SEM TAMPA");
        dmTec->quOS->edit();
        dmTec->quOS->fieldByName("AOOBSLAUDO")->setAsString("DESCARTAR");
        dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
        laudo.bbCancelar->click();
    });
    OSAndamentoAbrirLaudo(true, 42, 1);
    EXPECT_EQ(item("AOITLAUDO"), "12 - FONTE QUEIMADA NA ENTRADA");
    EXPECT_EQ(item("AOITOBSERVACAO"), "ITEM SEM TAMPA") << "the item is saved when the dialog closes";
    EXPECT_EQ(ordem("AOOBSLAUDO"), "");
    EXPECT_EQ(ordem("AODESCRICAOLAUDO"), "") << "the pick wrote the item, not the order";
    EXPECT_FALSE(dmTec->quOSItem->active());
}

TEST_F(LaudoJanelaTest, TheProgressPrintoutShowsTheOrderWithNineDigitsAndEachRecordsText)
{
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, CTTEMPOTOTAL, DATA_SOLICITADA, OBSERVACAO)"
         " values ('00003', 901, 42, 'A', 45, '2026-11-03', 'Trocada a fonte')");
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, CTTEMPOTOTAL, DATA_SOLICITADA)"
         " values ('00003', 902, 42, 'A', 15, '2026-11-04')");
    dmTec->CarregaOSContato(42, 0);
    TqrAssOSAndamento* relatorio = qrAssOSAndamento.create();
    const QString texto = relatorio->QuickRep1->textDump();
    EXPECT_TRUE(texto.contains("Referente a O.S. Nº: 000000042")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("Andamento da Ordem de Serviço"));
    EXPECT_TRUE(texto.contains("CadCom"));
    EXPECT_TRUE(texto.contains("Situação Anterior"));
    EXPECT_EQ(texto.count("Trocada a fonte"), 1) << "the memo is emptied for the record without text";
    relatorio->close();

    dmTec->CarregaOSContato(43, 0);
    relatorio = qrAssOSAndamento.create();
    EXPECT_TRUE(relatorio->QuickRep1->textDump().contains("Referente a O.S. Nº: 000000000")) << "printed when empty";
    relatorio->close();
}

TEST_F(LaudoJanelaTest, PictureOfTheReport)
{
    dialogs->modal("fmAssOSLaudo", [](Form& janela) {
        guardaFoto(janela, "fmAssOSLaudo.png");
        janela.close();
    });
    OSAndamentoAbrirLaudo(false, 42, 0);
}

}  // namespace
}  // namespace moduletest
