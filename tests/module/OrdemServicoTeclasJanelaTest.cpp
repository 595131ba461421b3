// The keyboard commands of the service-order window pressed on the real
// window of order 42 (opened through the dispatcher), the price release and
// the stock withdrawal button; and the item grids' title clicks.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "shared_windows/uPesqAssEquipamento.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uprincipal.h"
#include "host/db/Database.h"
#include "host/ui/DataGrid.h"
#include "host/ui/WindowRegistry.h"
#include "host/ui/Layouts.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "service_orders/uAssOrdemServico.h"

#include <QRadioButton>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

namespace moduletest {
namespace {

using host::ui::Form;
using host::ui::GridColumn;

class OrdemServicoTeclasTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('PEC01', 'Wcorreia', 10)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, COM_FAB_S_FS) values ('SRV03', 'Wrevisao', 7, '7')");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
             " values (42, '00003', '2026-11-02', 'A', 'M')");
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITMARCA) values (42, 1, 'Item',"
             " 'Antiga')");
        exec("insert into AATC01AA (AOCODIGO, AOITCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL,"
             " AAAUTORIZADO) values (42, 1, 1, 'PEC01', 1, 10, 10, 'S')");
    }
    static void tecla(TfmAssOrdemServico& form, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(&form, key, mods);
    }
};

TEST_F(OrdemServicoTeclasTest, LetterCommandsNeedCtrlAloneAndCtrlOTogglesTheOtherTab)
{
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsLaudo);
    tecla(form, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(form.pcOrdemServico->activePage(), form.tsLaudo) << "Ctrl+Shift+I does nothing";
    const std::pair<Qt::Key, host::ui::TabSheet*> abas[] = {
        {Qt::Key_I, form.tsItens},           {Qt::Key_R, form.tsServico}, {Qt::Key_D, form.tsPecasOS},
        {Qt::Key_G, form.tsDespesaViagem},   {Qt::Key_P, form.tsDespesaExtra}, {Qt::Key_L, form.tsLaudo},
        {Qt::Key_T, form.tsAndamento},       {Qt::Key_B, form.tsObservacao}, {Qt::Key_E, form.tsCliente}};
    for (const auto& [key, destino] : abas) {
        tecla(form, key, Qt::ControlModifier);
        EXPECT_EQ(form.pcOrdemServico->activePage(), destino) << destino->objectName().toStdString();
    }
    aba(form, form.tsItens);
    tecla(form, Qt::Key_F7, Qt::AltModifier);
    EXPECT_EQ(form.pcOrdemServico->activePage(), form.tsLaudo) << "F-keys whatever the modifiers";
    EXPECT_FALSE(form.tsOutros->tabVisible());
    tecla(form, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(form.tsOutros->tabVisible());
    tecla(form, Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(form.tsOutros->tabVisible());
}

TEST_F(OrdemServicoTeclasTest, TabKeysDoNothingElsewhereAndCtrlF3ActsAsF3)
{
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsItens);
    for (Qt::Key key : {Qt::Key_F3, Qt::Key_F8, Qt::Key_F9})
        tecla(form, key);
    tecla(form, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(dialogs->shown().empty()) << "no dialog off their tabs";

    aba(form, form.tsServico);
    const auto tresADozeECinquenta = [](Form& janela) {
        janela.findChild<QLineEdit*>("edQuantidade")->setText("3");
        janela.findChild<QLineEdit*>("edPreco")->setText("12,50");
        janela.findChild<QPushButton*>("bbOk")->click();
    };
    dialogs->modal("fmProdutoQuantidade", tresADozeECinquenta);
    tecla(form, Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(dmTec->quOSAndamentoAAQUANTIDADE->asFloat(), 3);
    EXPECT_DOUBLE_EQ(dmTec->quOSAndamentoAAVALOR->asFloat(), 12.5);
    EXPECT_DOUBLE_EQ(dmTec->quOSAndamentoAAVALORTOTAL->asFloat(), 37.5);
    // A line with a discount shows its total with it.
    dmTec->quOSAndamentoAADESCONTO->setAsFloat(10);
    dialogs->modal("fmProdutoQuantidade", tresADozeECinquenta);
    tecla(form, Qt::Key_F3, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(dmTec->quOSAndamentoAAVALORTOTAL->asFloat(), 33.75);

    dialogs->modal("fmPesquisa", [](Form& form) {
        auto& faixas = static_cast<host::ui::SearchWindow&>(form);
        faixas.grid()->dataset()->first();
        QTest::keyClick(faixas.grid(), Qt::Key_Return);
    });
    tecla(form, Qt::Key_F, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(dmTec->quOSAndamentoAAVALOR->asFloat(), 10) << "the sale price of the range";
}

TEST_F(OrdemServicoTeclasTest, F9AppendsServiceLinesWithoutTheOrderTag)
{
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(dmTec->quOS->tag(), 0);
        auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
        QTest::keyClicks(pesquisa.grid(), "Wrev");
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    tecla(form, Qt::Key_F9);
    form.bbSalvar->click();
    EXPECT_EQ(valor("select count(*) from AATC01AA where AOCODIGO = 42 and PRCODIGO = 'SRV03'").toInt(), 1);
}

TEST_F(OrdemServicoTeclasTest, CtrlSInBrowseStateWritesNothing)
{
    exec("insert into ACVC01TA (TACODIGO, TAPLACA, TAMODELO, TAMARCA) values (5, 'ABC-1234', 'Uno', 'Fiat')");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsItens);
    dialogs->modal("fmPesquisa", [](Form& form) {
        QTest::keyClick(static_cast<host::ui::SearchWindow&>(form).grid(), Qt::Key_Return);
    });
    tecla(form, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dmTec->quOSItem->state(), host::data::DatasetState::Browse);
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITMARCA")->asString(), "Antiga");

    dmTec->quOSItem->edit();
    dialogs->modal("fmPesquisa", [](Form& form) {
        QTest::keyClick(static_cast<host::ui::SearchWindow&>(form).grid(), Qt::Key_Return);
    });
    tecla(form, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITMARCA")->asString(), "Fiat");
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITPLACA")->asString(), "ABC-1234");
    EXPECT_TRUE(dmTec->quOSItem->fieldByName("AOITOBSERVACAO")->asString().startsWith("Motorista:  - RG: "));
}

TEST_F(OrdemServicoTeclasTest, F12ReleasesThePriceColumnsOnlyWithThePassword)
{
    TfmAssOrdemServico& semSenha = abrir();
    tecla(semSenha, Qt::Key_F12);
    EXPECT_TRUE(dialogs->shown().empty()) << "no password parameter: nothing";
    semSenha.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    parametro("ATSENHALIBERAPRECO", "segredo");
    TfmAssOrdemServico& form = abrir();
    host::ui::DataGrid* pecas = form.dbgdOrdemServicoPecas;
    // SYSDBA is the master user: the columns open read-only for others.
    pecas->columnByField("APVALUNITARIO")->setReadOnly(true);
    pecas->columnByField("APVALTOTAL")->setReadOnly(true);
    dialogs->enter("errada", "Senha para liberação de preços").acknowledge("Senha inválida!");
    tecla(form, Qt::Key_F12);
    EXPECT_TRUE(pecas->columnByField("APVALUNITARIO")->readOnly());
    EXPECT_TRUE(pecas->columnByField("APVALTOTAL")->readOnly());

    const int total = RetornaColuna("APVALTOTAL", pecas);
    pecas->columnByField("APVALTOTAL")->setFieldName("APDESCONTO");   // a layout without the column
    ASSERT_EQ(RetornaColuna("APVALTOTAL", pecas), -1);
    dialogs->enter("segredo");
    tecla(form, Qt::Key_F12);
    EXPECT_FALSE(pecas->columnByField("APVALUNITARIO")->readOnly());
    EXPECT_TRUE(pecas->column(total)->readOnly()) << "only the unit value was there to unlock";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(OrdemServicoTeclasTest, TheItemTitleSavesTheRemanufactureLayoutOnlyForRemanufactureOrders)
{
    TfmAssOrdemServico& form = abrir();
    GridColumn& serie = *form.dbgdOrdemServicoItens->columnByField("AOITSERIE");
    form.dbgdOrdemServicoItensTitleClick(serie);
    QSettings store(host::ui::Layouts::settingsFile(), QSettings::IniFormat);
    EXPECT_TRUE(store.childGroups().contains("Grade_dbgdOrdemServicoItens"));
    EXPECT_FALSE(store.childGroups().contains("Grade_dbgdOrdemServicoItensR"));
    dmTec->quOS->edit();
    dmTec->quOSAOREMANUFATURA->setAsString("R");
    form.dbgdOrdemServicoItensTitleClick(serie);
    store.sync();
    EXPECT_TRUE(store.childGroups().contains("Grade_dbgdOrdemServicoItensR"));
}

TEST_F(OrdemServicoTeclasTest, TheVehicleGridShortcutsFollowTheClickedPosition)
{
    criarPrincipal();
    QStringList abertas;
    principal->OnAbrirJanela = [&](const QString& nome) { abertas << nome; };
    TfmAssOrdemServico& form = abrir();
    host::ui::DataGrid* veiculos = form.dbgdOrdemServicoItensVeiculo;
    veiculos->setSelectedIndex(0);
    form.dbgdOrdemServicoItensVeiculoTitleClick(*veiculos->column(1));
    form.dbgdOrdemServicoItensVeiculoTitleClick(*veiculos->column(4));
    form.dbgdOrdemServicoItensVeiculoTitleClick(*veiculos->column(2));
    EXPECT_EQ(abertas, (QStringList{"fmAssEquipamento", "fmAssDefeito"}));
    abertas.clear();
    host::ui::DataGrid* itens = form.dbgdOrdemServicoItens;
    itens->setSelectedIndex(RetornaColuna("AOITDEFEITO", itens));
    form.dbgdOrdemServicoItensTitleClick(*itens->column(1));
    EXPECT_EQ(abertas, QStringList{"fmAssDefeito"}) << "the items grid follows the selected cell";
}

TEST_F(OrdemServicoTeclasTest, AModelWithoutBrandKeepsTheItemsBrand)
{
    exec("insert into AUGC23EN (ENCODIGO, ENDESCRICAO) values (77, 'Sprinter')");
    parametro("ATSITUACAOPORITEM", "M");
    TfmAssOrdemServico& form = abrir();
    host::ui::DataGrid* itens = form.dbgdOrdemServicoItens;
    itens->setSelectedIndex(RetornaColuna("AOITEQUIPCODIGO", itens));
    dialogs->modal("fmPesquisa", [](Form& form) {
        QTest::keyClick(static_cast<host::ui::SearchWindow&>(form).grid(), Qt::Key_Return);
    });
    itens->editButtonClick();
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITEQUIPCODIGO")->asInteger(), 77);
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITMARCA")->asString(), "Antiga");
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITEQUIPDESCRICAO")->asString(), "Veículo Antiga Sprinter");
}

TEST_F(OrdemServicoTeclasTest, TheItemsEditButtonActsByTheSelectedField)
{
    parametro("ATSITUACAOPORITEM", "S");
    TfmAssOrdemServico& form = abrir();
    host::ui::DataGrid* itens = form.dbgdOrdemServicoItens;
    auto pesquisaDoTipo = [this](int tipo) {
        dialogs->modal("fmPesquisa", [tipo](Form& janela) {
            EXPECT_EQ(static_cast<host::ui::SearchWindow&>(janela).searchKind(), tipo);
            janela.close();
        });
    };
    itens->setSelectedIndex(RetornaColuna("AOITEQUIPCODIGO", itens));
    pesquisaDoTipo(46);
    itens->editButtonClick();
    for (const char* campo : {"AOITLAUDO", "ATCODIGO", "AOITFOTO"})
        CriaColunaDBGrid(itens, 80, campo, campo);   // as a saved layout adds them
    itens->setSelectedIndex(RetornaColuna("AOITLAUDO", itens));
    dialogs->modal("fmObservacao", [](Form& janela) {
        EXPECT_EQ(janela.windowTitle(), "Laudo");
        janela.findChild<QPushButton*>("bbGravar")->click();
    });
    itens->editButtonClick();
    itens->setSelectedIndex(RetornaColuna("ATCODIGO", itens));
    pesquisaDoTipo(74);
    itens->editButtonClick();
    itens->setSelectedIndex(RetornaColuna("AOITFOTO", itens));
    dialogs->modal("fmFoto", [](Form& janela) { janela.close(); });
    itens->editButtonClick();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITMARCA")->asString(), "Antiga") << "nothing chosen, nothing written";
}

TEST_F(OrdemServicoTeclasTest, TheServicesTitlesOpenRegistersByPosition)
{
    criarPrincipal();
    QStringList abertas;
    principal->OnAbrirJanela = [&](const QString& nome) { abertas << nome; };
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    host::ui::DataGrid* servicos = form.dbgdOrdemServicoServicos;
    form.dbgdOrdemServicoServicosTitleClick(*servicos->column(1));
    QWidget* cadastro = host::ui::WindowRegistry::find("fmCadastroPR");
    ASSERT_NE(cadastro, nullptr) << "the products register";
    EXPECT_EQ(cadastro->windowTitle(), "Cadastro de Produtos");
    form.dbgdOrdemServicoServicosTitleClick(*servicos->column(4));
    form.dbgdOrdemServicoServicosTitleClick(*servicos->column(5));
    EXPECT_EQ(abertas, QStringList{"fmAssTecnico"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(OrdemServicoTeclasTest, OtherItemModesPickFromTheEquipmentRegister)
{
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO) values (31, 'Wimpressora')");
    TfmAssOrdemServico& form = abrir();
    host::ui::DataGrid* itens = form.dbgdOrdemServicoItens;
    itens->setSelectedIndex(RetornaColuna("AOITEQUIPCODIGO", itens));
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        EXPECT_EQ(janela.windowTitle(), "Pesquisa de Equipamento");
        auto& pesquisa = static_cast<TfmPesquisaAssEquipamento&>(janela);
        pesquisa.edDescricao->setText("Wimp");
        pesquisa.rbComecando->setChecked(true);
        pesquisa.bbPesquisa->click();
        pesquisa.dbgdEquipamento->onDblClick();
    });
    itens->editButtonClick();
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITEQUIPCODIGO")->asInteger(), 31);
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITEQUIPDESCRICAO")->asString(), "Wimpressora");
}

}  // namespace
}  // namespace moduletest
