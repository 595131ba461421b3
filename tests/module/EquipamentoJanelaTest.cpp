// The equipment register opened through the dispatcher (new model, vehicle
// mode, the type list, the linked product, the search on Esc, the list
// report) and the equipment search (its statements, inactive models, the
// customer restriction, the presets of the order's and of the contract's
// customer, the single and the multiple picker).

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContCad.h"
#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uAssEquipamento.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace moduletest {
namespace {

using host::ui::Form;
using uPesqAssEquipamento::FiltroEquipamento;

class EquipamentoJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEMARCA, AEMODELO, AEATIVO)"
             " values (901, 'Balança XPTO', 'Toledo', 'Prix 3', 'N')");
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEMARCA, AEMODELO, AEATIVO)"
             " values (902, 'XPTO Balança', 'Filizola', 'BP 15', null)");
        exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AEMARCA, AEMODELO, AEATIVO)"
             " values (903, 'Fatiador XPTO', 'Toledo', 'F 300', 'S')");
        exec("insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO) values (901, 903, '00004')");
    }
    TfmAssEquipamento& abrir() { return abrirJanela(fmAssEquipamento, "fmAssEquipamento"); }
    static QStringList listados(TfmPesquisaAssEquipamento& busca)
    {
        QStringList codigos;
        host::data::Query& q = *busca.quConsultaEquip;
        for (q.first(); !q.eof(); q.next())
            codigos << q.fieldByName("AECODIGO")->asString();
        return codigos;
    }
    static void buscar(TfmPesquisaAssEquipamento& busca, const QString& descricao)
    {
        busca.edDescricao->setText(descricao);
        busca.bbPesquisa->click();
    }
};

TEST(PesquisaEquipamentoSqlTest, OneConditionLinePerFilledBoxInTheirOrder)
{
    using namespace uPesqAssEquipamento;
    FiltroEquipamento vazio;
    vazio.ocultarInativos = false;
    EXPECT_EQ(SqlPesquisaEquipamento(vazio, 0),
              "SELECT Equip.* FROM AATC03AE Equip where not(aecodigo  is null) \nOrder by aeCodigo");
    FiltroEquipamento f{"12", "d'água", "hp", "x1", "00004", true, 0};
    EXPECT_EQ(SqlPesquisaEquipamento(f, 3),
              "SELECT Equip.* FROM AATC03AE Equip where not(aecodigo  is null) \n"
              "and ((aeAtivo <>'N') or (aeAtivo is null))\n"
              "and aeCodigo like '12%'\n"
              "and upper(aeDescricao COLLATE PT_PT) like 'D''ÁGUA%'\n"
              "and upper(aeMarca COLLATE PT_PT) like 'HP%'\n"
              "and upper(aeModelo COLLATE PT_PT) like 'X1%'\n"
              " and (select count(*) from aatc03aecl it where it.aecodigo =Equip.aeCodigo  and it.clCodigo = "
              "'00004')>0\n"
              "Order by aemodelo");
    EXPECT_TRUE(SqlPesquisaEquipamento(vazio, 2).endsWith("Order by aemarca"));
    FiltroEquipamento branco;
    branco.cliente = "   ";
    EXPECT_FALSE(SqlPesquisaEquipamento(branco, 0).contains("aatc03aecl")) << "a blank customer adds nothing";
}

TEST_F(EquipamentoJanelaTest, InactiveModelsHideButEmptyOnesStayAndTheCustomerRestricts)
{
    bool conferido = false;
    dialogs->modal("fmPesquisaAssEquipamento", [&](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssEquipamento&>(janela);
        EXPECT_EQ(busca.caption(), "Pesquisa de Equipamento");
        EXPECT_TRUE(busca.ckOcultaInativo->isChecked());
        EXPECT_TRUE(busca.rbContendo->isChecked());
        EXPECT_TRUE(busca.rbOrdemCodigo->isChecked());
        EXPECT_EQ(busca.edCodigo->maxLength(), 4);
        EXPECT_EQ(busca.edCodCli->text(), "") << "no preset unless the e-mail option says so";
        ASSERT_EQ(busca.dbgdEquipamento->columnCount(), 4);
        EXPECT_EQ(busca.dbgdEquipamento->column(2)->title(), "Marca");

        buscar(busca, "xpto");
        EXPECT_EQ(listados(busca), (QStringList{"902", "903"})) << "an empty AEATIVO counts as active";
        EXPECT_EQ(busca.sbStatus->panelText(1), "Registros Encontrados: 2");
        EXPECT_EQ(busca.sbStatus->panelText(0),
                  "Total de Registros: " + QString::number(one("select count(*) from AATC03AE").toInt()));
        busca.ckOcultaInativo->setChecked(false);
        busca.rbOrdemDescricao->setChecked(true);
        buscar(busca, "xpto");
        EXPECT_EQ(listados(busca), (QStringList{"901", "903", "902"}));

        // "Começando com" finds what begins with the text, "Terminando com" what ends with it.
        busca.rbComecando->setChecked(true);
        buscar(busca, "xpto");
        EXPECT_EQ(listados(busca), QStringList{"902"});
        busca.rbTerminando->setChecked(true);
        buscar(busca, "xpto");
        EXPECT_EQ(listados(busca), (QStringList{"901", "903"}));

        busca.rbContendo->setChecked(true);
        busca.edCodCli->setText("00004");
        buscar(busca, "xpto");
        EXPECT_EQ(listados(busca), QStringList{"903"});
        EXPECT_EQ(busca.sbStatus->panelText(1), "Registros Encontrados: 1");
        const QStringList log = logDe("[quConsultaEquipOpen]");
        ASSERT_GE(log.size(), 3);
        EXPECT_TRUE(log[log.size() - 2].contains("it.clCodigo = '00004'"));
        EXPECT_EQ(log.last(), "***FIM");

        // The customer picker writes the code.
        dialogs->modal("fmPesquisa", [](Form& p) {
            auto& pesquisa = static_cast<TfmPesquisa&>(p);
            ASSERT_TRUE(pesquisa.dataSource()->dataset()->locate("CODIGO_CLIENTE", "00002"));
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
        busca.sbPesqCli->click();
        EXPECT_EQ(busca.edCodCli->text(), "00002");
        busca.edCodCli->clear();
        buscar(busca, "xpto");
        busca.quConsultaEquip->locate("AECODIGO", 902);
        busca.dbgdEquipamento->onDblClick();
        conferido = true;
    });
    int codigo = 0;
    QString descricao;
    EXPECT_TRUE(SelecionaEquipamento(codigo, descricao));
    EXPECT_TRUE(conferido);
    EXPECT_EQ(codigo, 902);
    EXPECT_EQ(descricao, "XPTO Balança");
    EXPECT_FALSE(fmPesquisaAssEquipamento);
    EXPECT_FALSE(dmGlobal->quAuxiliar->active());
    EXPECT_EQ(logDe("[SelecionaEquipamento]"), (QStringList{"***INICIO", "***FIM"}));

    // Cancelled: nothing returned, the arguments untouched.
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) { janela.close(); });
    EXPECT_FALSE(SelecionaEquipamento(codigo, descricao));
    EXPECT_EQ(codigo, 902);
}

TEST_F(EquipamentoJanelaTest, TheOrdersCustomerIsPresetWhereModelsAreTheCustomers)
{
    parametro("ATENVIOEMAILOS", "C");
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA) values (950, '00004', '2026-11-02')");
    uPackageAss::CriarDataTec();
    CarregaOrdemServico(950);
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssEquipamento&>(janela);
        EXPECT_EQ(busca.edCodCli->text(), "00004");
        janela.close();
    });
    int codigo = 0;
    QString descricao;
    EXPECT_FALSE(SelecionaEquipamento(codigo, descricao));
    CarregaOrdemServico(0);
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        EXPECT_EQ(static_cast<TfmPesquisaAssEquipamento&>(janela).edCodCli->text(), "") << "no order, no customer";
        janela.close();
    });
    EXPECT_FALSE(SelecionaEquipamento(codigo, descricao));
}

TEST_F(EquipamentoJanelaTest, TheMultiplePickerClearsTheListAndReturnsTheSelectedCodes)
{
    QStringList lista{"velho"};
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssEquipamento&>(janela);
        EXPECT_TRUE(busca.dbgdEquipamento->multiSelect());
        janela.close();
    });
    EXPECT_FALSE(SelecionaMultiplosEquipamento(lista));
    EXPECT_TRUE(lista.isEmpty()) << "cleared even without a choice";

    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssEquipamento&>(janela);
        busca.ckOcultaInativo->setChecked(false);
        buscar(busca, "xpto");
        ASSERT_EQ(busca.quConsultaEquip->recordCount(), 3);
        busca.dbgdEquipamento->selectRow(3);
        busca.dbgdEquipamento->selectRow(1);
        busca.setModalResult(host::ui::ModalResult::Ok);
    });
    EXPECT_TRUE(SelecionaMultiplosEquipamento(lista));
    EXPECT_EQ(lista, (QStringList{"901", "903"}));
    EXPECT_EQ(logDe("[SelecionaMultiplosEquipamento]"), (QStringList{"***INICIO", "***FIM", "***INICIO", "***FIM"}));
}

TEST_F(EquipamentoJanelaTest, TheContractBeingRegisteredPresetsItsCustomer)
{
    parametro("ATUTILIZACONTRATOS", "E");
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO) values (904, 'Manutenção')");
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACSITUACAO, ACLOCAL, AJCODIGO)"
         " values (901, 'C-901', '00004', '00004', 'A', '01', 904)");
    QStringList lista;
    // Without the contract window the contract says nothing.
    uPackageAss::CriarDataTec();
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        EXPECT_EQ(static_cast<TfmPesquisaAssEquipamento&>(janela).edCodCli->text(), "");
        janela.close();
    });
    SelecionaMultiplosEquipamento(lista);

    abrirJanela(fmAssContCad, "fmAssContCad");
    CarregaContrato(901);
    ASSERT_EQ(dmTecContrato->quCtrCadastro->fieldByName("ACCONTRATANTE")->asString(), "00004");
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssEquipamento&>(janela);
        EXPECT_EQ(busca.edCodCli->text(), "00004");
        buscar(busca, "xpto");
        EXPECT_EQ(listados(busca), QStringList{"903"});
        janela.close();
    });
    SelecionaMultiplosEquipamento(lista);
    // The single picker leaves the contract alone.
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        EXPECT_EQ(static_cast<TfmPesquisaAssEquipamento&>(janela).edCodCli->text(), "");
        janela.close();
    });
    int codigo = 0;
    QString descricao;
    SelecionaEquipamento(codigo, descricao);
    EXPECT_EQ(dialogs->pending(), 0);
}

// A character the model columns cannot hold is named, in the search and
// where the register saves it, and nothing is written.
TEST_F(EquipamentoJanelaTest, ACharacterTheDatabaseCannotHoldIsNamedInTheSearchAndTheRegister)
{
    dialogs->modal("fmPesquisaAssEquipamento", [this](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssEquipamento&>(janela);
        dialogs->acknowledge("O caractere \"’\" não pode ser guardado no banco de dados: troque-o ou retire-o do "
                             "texto.");
        buscar(busca, "copo d’água");
        buscar(busca, "xpto");
        EXPECT_EQ(listados(busca), (QStringList{"902", "903"})) << "the search goes on";
        janela.close();
    });
    int codigo = 0;
    QString descricao;
    EXPECT_FALSE(SelecionaEquipamento(codigo, descricao));

    TfmAssEquipamento& form = abrir();
    const int antes = committed("select count(*) from AATC03AE").toInt();
    form.bbNovo->click();
    digita(form.dbedDescricao, "Balança Ж-2");
    dialogs->acknowledge("O caractere \"Ж\" não pode ser guardado no banco de dados: troque-o ou retire-o do texto.");
    form.bbSalvar->click();
    EXPECT_EQ(committed("select count(*) from AATC03AE").toInt(), antes) << "nothing written";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(EquipamentoJanelaTest, RegisterNewModelTypeListProductAndSearchOnEsc)
{
    for (int i = 0; i < 25; ++i)
        exec(QString("insert into AATC03AE (AECODIGO, AEDESCRICAO, AETIPO) values (%1, 'Tipo', 'Tipo %2')")
                 .arg(1000 + i)
                 .arg(QChar('Y' - i % 25)));
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, AETIPO) values (1100, 'Sem tipo', null)");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO) values ('EQ-1', 'Balança eletrônica')");
    TfmAssEquipamento& form = abrir();
    host::data::Query& registro = *dmTec->quEquipamento;
    EXPECT_EQ(form.caption(), "Cadastro de Equipamentos");
    EXPECT_TRUE(registro.active());
    EXPECT_TRUE(registro.isEmpty());
    EXPECT_TRUE(form.dbedCarroceria->isHidden()) << "vehicle body make only in vehicle mode";
    EXPECT_TRUE(form.dbedProdutoVinculado->isHidden()) << "the product only where models link products";
    const QStringList tipos = form.dbcbTipo->pickList();
    EXPECT_EQ(tipos.size(), 20);
    EXPECT_FALSE(tipos.contains(QString())) << "a model without type adds none";
    QStringList ordenados = tipos;
    ordenados.sort();
    EXPECT_EQ(tipos, ordenados);
    EXPECT_EQ(form.dbcbId->pickList(), (QStringList{"Equipamento", "Veículo"}));
    EXPECT_EQ(form.dbcbAtivo->pickList(), (QStringList{"Sim", "Não"}));

    const int proximo = one("select max(AECODIGO) from AATC03AE").toInt() + 1;
    form.bbNovo->click();
    EXPECT_EQ(form.dbedCodigo->text(), QString::number(proximo));
    EXPECT_EQ(dmTec->quEquipamentoAEIDENTIFICADOR->asString(), "E");
    digita(form.dbedDescricao, "Balanca de plataforma");
    digita(form.dbedMarca, "Toledo");
    form.dbcbAtivo->setCurrentIndex(1);
    emit form.dbcbAtivo->activated(1);
    form.bbSalvar->click();
    EXPECT_EQ(lido(QString("select AEDESCRICAO || '|' || AEMARCA || '|' || AEIDENTIFICADOR || '|' || AEATIVO"
                           " from AATC03AE where AECODIGO = %1")
                       .arg(proximo)),
              QStringList{"Balanca de plataforma|Toledo|E|N"});

    dialogs->modal("fmPesquisa", [](Form& p) {
        auto& pesquisa = static_cast<TfmPesquisa&>(p);
        ASSERT_TRUE(pesquisa.dataSource()->dataset()->locate("CODIGO", "EQ-1"));
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    form.sbPesqProduto->click();
    EXPECT_EQ(committed(QString("select PRCODIGO from AATC03AE where AECODIGO = %1").arg(proximo)).toString(), "EQ-1");

    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssEquipamento&>(janela);
        busca.edCodigo->setText("903");
        busca.bbPesquisa->click();
        busca.dbgdEquipamento->onDblClick();
    });
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.dbedDescricao->text(), "Fatiador XPTO");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(EquipamentoJanelaTest, VehicleModeShowsTheBodyMakeAndTheProductRowFollowsItsOption)
{
    parametro("ATMODOVEICULO", "O");
    TfmAssEquipamento& form = abrir();
    EXPECT_EQ(form.caption(), "Cadastro de Veículos");
    EXPECT_FALSE(form.dbedCarroceria->isHidden());
    EXPECT_FALSE(form.dbedProdutoVinculado->isHidden());
    form.bbNovo->click();
    EXPECT_EQ(dmTec->quEquipamentoAEIDENTIFICADOR->asString(), "V");
    form.bbCancelar->click();
    form.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    parametro("ATMODOVEICULO", "");
    parametro("ATVINCULAPRODUTOEQUIPAMENTO", "S");
    TfmAssEquipamento& outra = abrir();
    EXPECT_TRUE(outra.dbedCarroceria->isHidden());
    EXPECT_FALSE(outra.dbedProdutoVinculado->isHidden());
}

TEST_F(EquipamentoJanelaTest, TheReportShowsWarrantyValuesOnlyWhereChargedAndLeavesTheRegisterEmpty)
{
    exec("update AATC03AE set AEVALORGARANTIA = 321.5 where AECODIGO = 903");
    TfmAssEquipamento& form = abrir();
    auto relatorio = [&] {
        QString texto;
        dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
            texto = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
        });
        form.bbRelatorio->click();
        return texto;
    };
    dmTec->CarregaEquipamento(903);
    QString texto = relatorio();
    for (const char* esperado : {"Cadastro de Equipamentos", "Assistência Técnica", "AATC03AE", "Valor da Garantia",
                                 "Fatiador XPTO", "Impressora laser"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_FALSE(texto.contains("321,50"));
    EXPECT_FALSE(texto.contains("Marca da Carroceria"));
    EXPECT_TRUE(dmTec->quEquipamento->active());
    EXPECT_TRUE(dmTec->quEquipamento->isEmpty()) << "the report leaves the register empty";
    parametro("ATENVIOEMAILOS", "G");
    texto = relatorio();
    EXPECT_TRUE(texto.contains("321,50"));
}

TEST_F(EquipamentoJanelaTest, PictureOfTheRegisterAndTheSearch)
{
    TfmAssEquipamento& form = abrir();
    dmTec->CarregaEquipamento(903);
    guardaFoto(form, "fmAssEquipamento.png");
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssEquipamento&>(janela);
        buscar(busca, "a");
        guardaFoto(busca, "fmPesquisaAssEquipamento.png");
        busca.close();
    });
    int codigo = 0;
    QString descricao;
    EXPECT_FALSE(SelecionaEquipamento(codigo, descricao));
}

}  // namespace
}  // namespace moduletest
