// The billing-object register, opened through the dispatcher and driven
// through its controls: no object at first, a new object with its defaults,
// the check boxes, the lists and the typed payment kind as stored, the
// history picker starting an object, the look-ups of the active window,
// moving between objects and the list report.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContObj.h"
#include "contract_data/uDataTecCont.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "module/uPackageAss.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include "host/UcadastroHost.h"
#include "host/data/Query.h"
#include "host/ui/WindowRegistry.h"

namespace moduletest {
namespace {

using host::ui::Form;

class ObjetoJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATUTILIZACONTRATOS", "S");
        exec("delete from AATC11AJ");
        exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJTIPOPAGAMENTO, AJPARCELANF) values (10, 'Dez', 'R', 'N')");
        exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO) values (20, 'Vinte')");
        exec("insert into ACBC16HC (HCCODIGO, HCDESCRICAO) values (77, 'Histórico de contrato')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('T5', 'Tipo cinco', '5')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP, OFCUPOMFISCAL) values ('TI', 'Cupom', 'S', 'I')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('TS', 'Serviço', 'S')");
        dmGlobal->IBTransaction1->commitRetaining();
    }
    TfmAssContObj& abrir() { return abrirJanela(fmAssContObj, "fmAssContObj"); }
    QVariant valor(const QString& sql) { return one(sql); }
    void descartaPendentes() { dmGlobal->IBTransaction1->rollbackRetaining(); }
    host::data::Dataset& objeto() { return *dmTecContrato->quCtrObjeto; }
};

TEST_F(ObjetoJanelaTest, NewObjectWithItsDefaultsChecksAndListsAsStored)
{
    TfmAssContObj& form = abrir();
    EXPECT_EQ(form.caption(), "Cadastro de Objetos");
    ASSERT_TRUE(objeto().active());
    EXPECT_TRUE(objeto().isEmpty()) << "no object until one is searched, stepped to or created";
    EXPECT_EQ(form.dbcbTipoPgto->count(), 17);

    form.bbNovo->click();
    EXPECT_EQ(form.dbedCodigo->text(), "21");
    EXPECT_TRUE(form.dbchAtivo->isChecked());
    EXPECT_EQ(form.dbcbTipoPgto->text(), "2 - Duplicata/Boleto");
    EXPECT_EQ(form.dbcbPeriodo->text(), "A - Anual");
    EXPECT_EQ(form.dbcbFranquia->text(), "Nenhum");
    EXPECT_EQ(form.dbcbValorDiario->text(), "Não");
    digita(form.dbedDescricao, "Locacao mensal");
    form.dbckIncluirItens->click();
    form.dbckIndiceReaj->click();
    form.dbckIndiceReaj->click();
    form.dbcbComplemNF->setFocus();
    form.dbcbComplemNF->setCurrentIndex(3);
    emit form.dbcbComplemNF->activated(3);
    form.dbcbPeriodo->setCurrentIndex(3);
    emit form.dbcbPeriodo->activated(3);
    digita(form.dbcbTipoPgto, "Reembolso postal");
    form.bbSalvar->click();
    descartaPendentes();
    EXPECT_EQ(valor("select AJPARCELANF || AJINDICEREAJUSTE || AJATIVO || AJTIPOPAGAMENTO || AJPERIODO"
                    " from AATC11AJ where AJCODIGO = 21")
                  .toString(),
              "SNSPS")
        << "check boxes store S/N; a typed payment kind stores the option it names; six-month period";
    EXPECT_EQ(valor("select AJCOMPLNF from AATC11AJ where AJCODIGO = 21").toString(), "4 - Objeto + Complemento");

    dmTecContrato->CarregaObjeto(21);
    EXPECT_TRUE(form.dbckIncluirItens->isChecked());
    EXPECT_FALSE(form.dbckIndiceReaj->isChecked());
    EXPECT_EQ(form.dbcbTipoPgto->text(), "P - Reembolso Postal") << "the stored code shows its entry";
    EXPECT_EQ(form.dbcbPeriodo->text(), "S - Semestral");
    EXPECT_EQ(form.dbcbComplemNF->text(), "4 - Objeto + Complemento");
}

TEST_F(ObjetoJanelaTest, StepsBetweenObjectsAndDeletesWithItsAudit)
{
    TfmAssContObj& form = abrir();
    form.sbProx->click();
    EXPECT_EQ(form.dbedCodigo->text(), "10") << "from no object, the first";
    EXPECT_EQ(form.dbcbTipoPgto->text(), "R - Reembolso Rodoviário");
    EXPECT_FALSE(form.dbckIncluirItens->isChecked());
    form.sbProx->click();
    EXPECT_EQ(form.dbedCodigo->text(), "20");
    form.sbProx->click();
    EXPECT_EQ(form.dbedCodigo->text(), "20") << "the last stays";
    form.sbAnt->click();
    EXPECT_EQ(form.dbedCodigo->text(), "10");

    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    form.bbExcluir->click();
    descartaPendentes();
    EXPECT_EQ(valor("select count(*) from AATC11AJ where AJCODIGO = 10").toInt(), 0);
    EXPECT_EQ(valor("select count(*) from ARQLOG where OBSERVACAO = 'Código 10'").toInt(), 1);
}

TEST_F(ObjetoJanelaTest, ChoosingAHistoryWithNoObjectStartsOne)
{
    TfmAssContObj& form = abrir();
    dialogs->modal("fmPesquisa", [](Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisa&>(janela);
        ASSERT_TRUE(pesquisa.dataSource()->dataset()->locate("HCCODIGO", 77));
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    form.sbPEsqHistorico->click();
    EXPECT_EQ(objeto().state(), host::data::DatasetState::Insert);
    EXPECT_EQ(form.dbedCodigo->text(), "21");
    EXPECT_EQ(form.dbedHistorico->text(), "77");
    EXPECT_EQ(form.dblcHist->text(), "Histórico de contrato");

    dialogs->modal("fmPesquisa", [](Form& janela) { QTest::keyClick(janela.focusWidget(), Qt::Key_Escape); });
    form.sbPesqCxConta->click();
    EXPECT_TRUE(objeto().fieldByName("CXCODIGO")->isNull()) << "a cancelled look-up changes nothing";
}

TEST_F(ObjetoJanelaTest, LookUpsAreOpenWhileTheWindowIsActive)
{
    TfmAssContObj& form = abrir();
    host::data::Query& operacoes = *dmGlobal->quOperacao;
    ASSERT_TRUE(operacoes.active());
    EXPECT_TRUE(operacoes.locate("COD_OP", "TS"));
    EXPECT_FALSE(operacoes.locate("COD_OP", "T5")) << "type 5 is not offered";
    EXPECT_FALSE(operacoes.locate("COD_OP", "TI")) << "coupon kind I is not offered";
    EXPECT_TRUE(dmGlobal->quCXContas->active());
    EXPECT_TRUE(dmGlobal->quTabVenc->active());
    EXPECT_TRUE(dmTecContrato->quPesqIndice->active());

    QEvent desativa(QEvent::WindowDeactivate);
    QApplication::sendEvent(&form, &desativa);
    EXPECT_FALSE(operacoes.active());
    EXPECT_FALSE(dmGlobal->quCXContas->active());
    EXPECT_FALSE(dmGlobal->quTabVenc->active());
    EXPECT_TRUE(objeto().active()) << "the objects stay open";
    QEvent ativa(QEvent::WindowActivate);
    QApplication::sendEvent(&form, &ativa);
    EXPECT_TRUE(operacoes.active());

    form.bbSair->click();
    EXPECT_FALSE(objeto().active());
    EXPECT_EQ(fmAssContObj.get(), nullptr);
}

// An operation the host stored without a type (the first start's 5933) is
// offered, and the object that names it shows it.
TEST_F(ObjetoJanelaTest, AStoredOperationWithoutATypeShowsInItsBox)
{
    exec("insert into AFVC0901 (COD_OP, DESC_OP_NF) values ('TN', 'Sem tipo')");
    exec("update AATC11AJ set OFCODIGO = 'TN' where AJCODIGO = 10");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContObj& form = abrir();
    form.sbProx->click();
    EXPECT_EQ(form.dblcOperacao->text(), "Sem tipo");
}

TEST_F(ObjetoJanelaTest, LabelsOpenTheHostRegistersOfHistoriesAccountsAndOperations)
{
    exec("insert into ACXC9001 (CONTA, DESCRICAO) values ('1.01', 'Caixa geral')");
    criarPrincipal();
    TfmAssContObj& form = abrir();
    const std::pair<host::ui::DataLabel*, const char*> rotulos[] = {
        {form.laHistorico, "fmCadastroHC"}, {form.laConta, "fmCadastroCX"}, {form.laOperacao, "fmCadastroOP"},
        {form.laTipoPgto, "fmCadastroOP"}};
    for (const auto& [rotulo, janela] : rotulos) {
        SCOPED_TRACE(rotulo->objectName().toStdString());
        QTest::mouseClick(rotulo, Qt::LeftButton);
        auto* cadastro = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find(janela));
        ASSERT_NE(cadastro, nullptr) << janela;
        EXPECT_FALSE(cadastro->registros().isEmpty());
        cadastro->close();
        EXPECT_EQ(dialogs->pending(), 0);
    }
    EXPECT_TRUE(dmGlobal->quOperacao->active()) << "the operations reloaded after their register";
}

TEST_F(ObjetoJanelaTest, ReportListsTheObjectShown)
{
    TfmAssContObj& form = abrir();
    dmTecContrato->CarregaObjeto(20);
    QString vista;
    dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
        vista = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbRelatorio->click();
    EXPECT_TRUE(vista.contains("Vinte")) << vista.toStdString();
}

// The window as a person sees it with an object loaded, written next to
// the test program (run under Xvfb by the screenshot test, offscreen
// otherwise).
TEST_F(ObjetoJanelaTest, PictureOfTheWindowWithAnObject)
{
    exec("insert into ACXC9001 (CONTA, DESCRICAO) values ('1.01', 'Caixa geral')");
    exec("update AATC11AJ set AJOBJETO = 'Manutenção preventiva mensal @M', CXCODIGO = '1.01', HCCODIGO = 77,"
         " OFCODIGO = 'TS', AJPERIODO = 'M', AJGERAFATURA = 'F', AJCOMPLNF = '2 - Objeto', AJFRANQUIA = 'N',"
         " AJVALORDIARIO = 'N', AJATIVO = 'S', AJVALORPERCENTUAL = 100 where AJCODIGO = 10");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContObj& form = abrir();
    dmTecContrato->CarregaObjeto(10);
    guardaFoto(form, "fmAssContObj.png");
    EXPECT_EQ(form.dblcHist->text(), "Histórico de contrato");
}

}  // namespace
}  // namespace moduletest
