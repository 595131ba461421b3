// The basic contract register opened through the dispatcher: no contract
// until one is searched, the search dialog with its filters, wildcards and
// count panels, the equipment titles by vehicle mode, a new contract saved
// through the buttons, the double clicks that copy equipment and services
// into the open service order, and the printed contract (text dump, PDF)
// and the summary list.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssBasicoContratos.h"
#include "contracts/uAssBasicoContratosImp.h"
#include "contracts/uPesqAssContratos.h"
#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/report/PreparedReport.h"
#include "host/report/Report.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uAssOrdemServico.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace moduletest {
namespace {

using host::ui::Form;

// The lines of a text dump printed by the band of that name.
QStringList linesOf(const QString& dump, const QString& banda)
{
    QStringList linhas;
    for (const QString& linha : dump.split('\n'))
        if (linha.section(' ', 1, 1) == banda + ':')
            linhas << linha;
    return linhas;
}

QString executar(const QString& programa, const QStringList& argumentos, int* codigo = nullptr)
{
    QProcess processo;
    processo.start(programa, argumentos);
    processo.waitForFinished(30000);
    if (codigo)
        *codigo = processo.exitCode();
    return QString::fromUtf8(processo.readAllStandardOutput());
}

class BasicoContratosJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACVALOR, ACTIPOCONTRATO,"
             " ACPRIORIDADE, ACATENDIMENTO, ACLIMITE, ACLIMITEHORA, ACVALORCHAMADAEXCEDENTE, PRCODIGO, ACTEXTO,"
             " ACDATAIMPLANTACAO) values (901, '12-ABC', 'Manutenção de impressoras', '00003', 1500, 'Com Peça',"
             " 'A', 'I', 4, 10, 85.5, 'S0003', 'Visitas mensais.', '2026-01-05')");
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACVALOR, ACTIPOCONTRATO)"
             " values (902, 'XY-12', 'Climatização', '00002', 800, 'Sem Peça')");
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACVALOR, ACTIPOCONTRATO)"
             " values (903, '3124', 'Café', '00001', 90, 'Sem Peça')");
        exec("insert into AUGC03CO (COCODIGO, ACCODIGO, AECODIGO, COSERIE, COPLACA, COCODIGOINTERNO, COVALOR,"
             " COENDERECO, COBAIRRO, COCIDADE, COESTADO, COIDENTIFICADOR) values (7001, 901, 1, 'SN-1', 'ABC1234',"
             " 'INT-1', 250, 'Rua A, 10', 'Centro', 'Campinas', 'SP', 'E')");
        exec("insert into AUGC03CO (COCODIGO, ACCODIGO, AECODIGO, COSERIE, COPLACA, COCODIGOINTERNO, COVALOR,"
             " COENDERECO, COBAIRRO, COCIDADE, COESTADO, COIDENTIFICADOR) values (7002, 901, 1, 'SN-2', 'DEF5678',"
             " 'Diesel', 300, 'Volvo', 'FH 540', 'Branco', '19', 'E')");
        exec("insert into AUGC03CO (COCODIGO, ACCODIGO, COCIDADE, COENDERECO, COVALOR, COIDENTIFICADOR)"
             " values (7003, 901, 'S0002', 'Visita técnica do contrato', 70, 'S')");
    }
    TfmAssBasicoContratos& abrir() { return abrirJanela(fmAssBasicoContratos, "fmAssContratos"); }
    TfmAssOrdemServico& abrirOrdem(int codigo)
    {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
                     " values (%1, '00003', '2026-11-02', 'A', 'M')")
                 .arg(codigo));
        uPackageAss::ShowJanelaTec("fmAssOrdemServico;" + QString::number(codigo));
        return *fmAssOrdemServico.get();
    }
    // Searches in the dialog with the texts and picks the first row.
    void pesquisar(TfmAssBasicoContratos& form, const QString& numero, QRadioButton* (*onde)(TfmPesquisaAssContratos&),
                   QStringList* linhas = nullptr, QStringList* paineis = nullptr)
    {
        dialogs->modal("fmPesquisaAssContratos", [&](Form& janela) {
            auto& dialogo = static_cast<TfmPesquisaAssContratos&>(janela);
            dialogo.edNumeroContrato->setText(numero);
            if (onde)
                onde(dialogo)->setChecked(true);
            dialogo.bbOk->click();
            host::data::Query& lista = *dialogo.quPesquisa;
            if (linhas)
                for (lista.first(); !lista.eof(); lista.next())
                    *linhas << lista.fieldByName("ACNUMEROCONTRATO")->asString();
            if (paineis)
                *paineis << dialogo.sbStatus->panelText(0) << dialogo.sbStatus->panelText(1);
            lista.first();
            dialogo.dbgdContratosDblClick();
        });
        form.bbPesquisar->click();
    }
    QString previsto(const std::function<void()>& imprimir)
    {
        QString dump;
        dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
            dump = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
        });
        imprimir();
        return dump;
    }
};

QRadioButton* comecando(TfmPesquisaAssContratos& d) { return d.rbComecando; }
QRadioButton* terminando(TfmPesquisaAssContratos& d) { return d.rbTerminando; }

TEST_F(BasicoContratosJanelaTest, NoContractUntilOneIsSearchedAndEachModePutsItsWildcardWhereItsNameSays)
{
    TfmAssBasicoContratos& form = abrir();
    EXPECT_EQ(form.caption(), "Cadastro de Contratos");
    ASSERT_TRUE(dmTec->quContrato->active());
    EXPECT_TRUE(dmTec->quContrato->isEmpty());
    EXPECT_EQ(form.pcContrato->activePage(), form.tsEquipamentos);

    QStringList linhas, paineis;
    pesquisar(form, "12", comecando, &linhas, &paineis);
    EXPECT_EQ(linhas, QStringList{"12-ABC"}) << "\"Começando com\" 12: numbers that begin with 12";
    const int total = one("select count(*) from AATC05AC").toInt();
    EXPECT_EQ(paineis, (QStringList{"Total de Registros: " + QString::number(total), "Registros Encontrados: 1"}));
    EXPECT_EQ(dmTec->quContratoACCODIGO->asInteger(), 901);
    EXPECT_EQ(form.dbedDescricao->text(), "Manutenção de impressoras");
    EXPECT_EQ(form.dbcbPrioridade->text(), "Alta");
    EXPECT_EQ(form.dbcbAtendimento->text(), "Interno");
    EXPECT_EQ(form.dbgdEquipamentos->dataset()->recordCount(), 2);
    EXPECT_EQ(form.dbgdServicos->dataset()->recordCount(), 1);

    linhas.clear();
    pesquisar(form, "12", terminando, &linhas);
    EXPECT_EQ(linhas, QStringList{"XY-12"}) << "\"Terminando com\" 12: numbers that end with 12";
    EXPECT_EQ(dmTec->quContratoACCODIGO->asInteger(), 902);

    linhas.clear();
    pesquisar(form, "12", nullptr, &linhas);
    EXPECT_EQ(linhas, (QStringList{"12-ABC", "3124", "XY-12"})) << "\"Contendo\", ordered by number";
}

TEST_F(BasicoContratosJanelaTest, CancellingTheSearchKeepsTheContractAndEmptyFiltersListEveryContract)
{
    TfmAssBasicoContratos& form = abrir();
    dmTec->CarregaContrato(903);
    int linhas = 0;
    dialogs->modal("fmPesquisaAssContratos", [&](Form& janela) {
        auto& dialogo = static_cast<TfmPesquisaAssContratos&>(janela);
        dialogo.cbOrdem->setCurrentIndex(4);
        dialogo.bbOk->click();
        linhas = dialogo.quPesquisa->recordCount();
        EXPECT_EQ(dialogo.quPesquisa->fieldByName("ACCODIGO")->asInteger(), 903) << "the smallest value first";
        host::ui::DataGrid& grade = *dialogo.dbgdContratos;
        EXPECT_EQ(grade.model()->index(0, grade.columnByField("ACVALOR")->index()).data().toString(), "90,00");
        dialogo.bbCancelar->click();
    });
    form.bbPesquisar->click();
    EXPECT_EQ(linhas, one("select count(*) from AATC05AC").toInt());
    EXPECT_EQ(dmTec->quContratoACCODIGO->asInteger(), 903);
    EXPECT_EQ(fmPesquisaAssContratos.get(), nullptr) << "the dialog is released";
}

TEST_F(BasicoContratosJanelaTest, EscapeOpensTheSearch)
{
    TfmAssBasicoContratos& form = abrir();
    bool pesquisou = false;
    dialogs->modal("fmPesquisaAssContratos", [&](Form&) { pesquisou = true; });
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(pesquisou);
    EXPECT_TRUE(dmTec->quContrato->isEmpty()) << "cancelled: no contract";
}

TEST_F(BasicoContratosJanelaTest, EquipmentTitlesFollowTheVehicleMode)
{
    TfmAssBasicoContratos& form = abrir();
    host::ui::DataGrid& grade = *form.dbgdEquipamentos;
    EXPECT_EQ(grade.columnByField("DESCEQUIP")->title(), "Equipamento");
    EXPECT_EQ(grade.columnByField("COSERIE")->title(), "Nº de Série");
    EXPECT_FALSE(grade.columnByField("COPLACA")->visible());
    EXPECT_TRUE(grade.columnByField("COVALOR")->visible());
    parametro("ATMODOVEICULO", "O");
    form.AjustaTitulosEquipamento();
    QStringList titulos;
    for (const char* campo : {"DESCEQUIP", "COPLACA", "COSERIE", "COCODIGOINTERNO", "COENDERECO", "COBAIRRO",
                              "COCIDADE", "COESTADO"})
        titulos << grade.columnByField(campo)->title();
    EXPECT_EQ(titulos,
              (QStringList{"Veículo", "Placa", "Chassi", "Combustível", "Marca", "Modelo", "Cor", "Ano Fab."}));
    EXPECT_TRUE(grade.columnByField("COPLACA")->visible());
    EXPECT_FALSE(grade.columnByField("COVALOR")->visible());
}

TEST_F(BasicoContratosJanelaTest, NewContractSavedThroughTheButtons)
{
    TfmAssBasicoContratos& form = abrir();
    const int codigo = one("select max(ACCODIGO) + 1 from AATC05AC").toInt();
    form.bbNovo->click();
    digita(form.dbedNumeroContrato, "77-Z");
    digita(form.dbedDescricao, "Contrato novo");
    digita(form.dbedServico, "S0001");
    form.dbcbTipoContrato->setCurrentIndex(1);
    emit form.dbcbTipoContrato->activated(1);
    form.dbcbAtendimento->setCurrentIndex(1);
    emit form.dbcbAtendimento->activated(1);
    form.bbSalvar->click();
    EXPECT_EQ(one(QString("select ACNUMEROCONTRATO || '/' || ACTIPOCONTRATO || '/' || ACATENDIMENTO || '/' || PRCODIGO"
                          " from AATC05AC where ACCODIGO = %1")
                      .arg(codigo))
                  .toString(),
              "77-Z/Sem Peça/E/S0001");
    EXPECT_EQ(form.dbcbAtendimento->text(), "Externo");

    dmTec->quContEquip->append();
    dmTec->quContEquipAECODIGO->setAsInteger(2);
    dmTec->quContEquipCOSERIE->setAsString("NB-77");
    form.bbSalvar->click();
    EXPECT_EQ(one(QString("select AECODIGO || '/' || COSERIE || '/' || COIDENTIFICADOR from AUGC03CO where ACCODIGO = %1")
                      .arg(codigo))
                  .toString(),
              "2/NB-77/E")
        << "\"&Salvar\" saves the contract, then its equipment";
}

// A number another contract has is refused in words; nothing is stored.
TEST_F(BasicoContratosJanelaTest, ANumberAnotherContractHasIsRefused)
{
    TfmAssBasicoContratos& form = abrir();
    form.bbNovo->click();
    digita(form.dbedNumeroContrato, "XY-12");
    digita(form.dbedDescricao, "Contrato repetido");
    digita(form.dbedServico, "S0001");
    dialogs->acknowledge("Número do Contrato já cadastrado!");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(one("select count(*) from AATC05AC where ACNUMEROCONTRATO = 'XY-12'").toInt(), 1);
}

TEST_F(BasicoContratosJanelaTest, DoubleClicksDoNothingWithoutTheServiceOrderWindow)
{
    TfmAssBasicoContratos& form = abrir();
    dmTec->CarregaContrato(901);
    const int itens = one("select count(*) from AATC01AOIT").toInt();
    emit form.dbgdEquipamentos->doubleClicked(form.dbgdEquipamentos->currentIndex());
    uAssBasicoContratos::CopiarEquipamentoParaOS();
    uAssBasicoContratos::CopiarServicoParaOS();
    EXPECT_EQ(one("select count(*) from AATC01AOIT").toInt(), itens);
    EXPECT_TRUE(dialogs->texts().isEmpty());
}

TEST_F(BasicoContratosJanelaTest, VehicleModeMapsTheEquipmentColumnsIntoTheNewItem)
{
    parametro("ATMODOVEICULO", "O");
    abrirOrdem(5501);
    abrir();
    dmTec->CarregaContrato(901);
    dmTec->quContEquip->locate("COCODIGO", 7002);
    uAssBasicoContratos::CopiarEquipamentoParaOS();
    EXPECT_EQ(one("select AOITEQUIPCODIGO || '|' || AOITEQUIPDESCRICAO || '|' || AOITCODIGOINTERNO || '|' ||"
                  " AOITPLACA || '|' || AOITCOMBUSTIVEL || '|' || AOITMARCA || '|' || AOITMODELO || '|' ||"
                  " AOITCOR || '|' || AOITANOFABRICACAO from AATC01AOIT where AOCODIGO = 5501 and AOITSERIE = 'SN-2'")
                  .toString(),
              "1|Impressora laser|Diesel|DEF5678|Diesel|Volvo|FH 540|Branco|19")
        << "the internal code is also the fuel, the address columns make, model, colour and year";
}

TEST_F(BasicoContratosJanelaTest, OutsideVehicleModeOnlyTheEquipmentAndAServiceLineArrive)
{
    TfmAssOrdemServico& os = abrirOrdem(5502);
    TfmAssBasicoContratos& form = abrir();
    dmTec->CarregaContrato(901);
    os.pcOrdemServico->setActivePage(os.tsServico);
    uAssBasicoContratos::CopiarEquipamentoParaOS();
    EXPECT_EQ(os.pcOrdemServico->activePageIndex(), 0) << "the order goes to its first page";
    EXPECT_EQ(one("select AOITCODIGOINTERNO || '/' || coalesce(AOITPLACA, '-') || '/' || AOITMARCA"
                  " from AATC01AOIT where AOCODIGO = 5502 and AOITSERIE = 'SN-1'")
                  .toString(),
              "INT-1/-/HP")
        << "no plate outside vehicle mode; the make is the model's";

    form.pcContrato->setActivePage(form.tsServicos);
    uAssBasicoContratos::CopiarServicoParaOS();
    EXPECT_EQ(one("select PRCODIGO from AATC01AA where AOCODIGO = 5502").toString(), "S0002");
    EXPECT_DOUBLE_EQ(one("select AAVALOR from AATC01AA where AOCODIGO = 5502").toDouble(), 70);
    EXPECT_DOUBLE_EQ(one("select AAQUANTIDADE from AATC01AA where AOCODIGO = 5502").toDouble(), 1);
}

TEST_F(BasicoContratosJanelaTest, PrintedContractAsATextDumpAndAValidPdf)
{
    TfmAssBasicoContratos& form = abrir();
    dialogs->answer("Completo", "Deseja imprimir o relatório resumido ou completo?");
    dialogs->acknowledge("Não há nenhum contrato selecionado.");
    form.bbRelatorio->click();

    dmTec->CarregaContrato(901);
    dialogs->answer("Completo");
    const QString dump = previsto([&] { form.bbRelatorio->click(); });
    const QStringList titulo = linesOf(dump, "qrbnTitulo");
    ASSERT_EQ(titulo.size(), 1);
    EXPECT_TRUE(titulo[0].startsWith("title qrbnTitulo: Empresa: | Assistência Técnica Exemplo Ltda. | "
                                     "Data Emissão: | " + QDate::currentDate().toString("dd/MM/yyyy") +
                                     " | CNPJ: | 12.345.678/0001-95 | Hora Emissão: | "))
        << titulo[0].toStdString();
    EXPECT_TRUE(titulo[0].endsWith("Sistema: | Assistência Técnica | Programa: | AATC05AC | Cadastro de Contratos | "
                                   "Completo"))
        << titulo[0].toStdString();
    EXPECT_EQ(linesOf(dump, "qrbnContrato"),
              QStringList{"detail qrbnContrato: Nº do Contrato: | 12-ABC | Data Implantação: | 05/01/2026 | "
                          "Descrição: | Manutenção de impressoras | Data Validade: | Cliente: | José Antônio Ferreira | "
                          "Limite de Chamadas: | 4 | Contato: | Limite de Horas: | 10,00 | Tipo de Contrato: | Com Peça | Valor Cham/Hora Exced.: | "
                          "85,50 | Prioridade: | Alta | Valor do Contrato: | 1.500,00 | Atendimento: | Interno | "
                          "Cód. Cad. Serviço: | S0003"});
    EXPECT_EQ(linesOf(dump, "qrbnCabEquipamentos"),
              QStringList{"groupHeader qrbnCabEquipamentos: Equipamentos do Contrato | Código | Equipamento | Nº de Série | "
                          "Cód. Interno | Valor | Endereço | Bairro | Cidade | UF"});
    EXPECT_EQ(linesOf(dump, "qrbnEquipamentos"),
              (QStringList{"subDetail qrbnEquipamentos: 1 | Impressora laser | SN-1 | INT-1 | 250,00 | Rua A, 10 | "
                           "Centro | Campinas | SP",
                           "subDetail qrbnEquipamentos: 1 | Impressora laser | SN-2 | Diesel | 300,00 | Volvo | "
                           "FH 540 | Branco | 19"}));
    EXPECT_EQ(linesOf(dump, "qrbnTexto"), QStringList{"summary qrbnTexto: Texto Adicional: | Visitas mensais."});
    EXPECT_EQ(fmAssBasicoContratos.get(), &form);
    EXPECT_EQ(qrAssBasicoContratosImp.get(), nullptr) << "the report form is freed after the preview";

    parametro("ATMODOVEICULO", "O");
    TqrAssBasicoContratosImp* relatorio = qrAssBasicoContratosImp.create();
    const QString veiculo = relatorio->QuickRep1->textDump();
    EXPECT_EQ(linesOf(veiculo, "qrbnCabEquipamentos"),
              QStringList{"groupHeader qrbnCabEquipamentos: Equipamentos do Contrato | Código | Veículo | Placa | Valor | "
                          "Endereço | Bairro | Cidade | UF"});
    EXPECT_EQ(linesOf(veiculo, "qrbnEquipamentos").value(1),
              "subDetail qrbnEquipamentos: 1 | Impressora laser | DEF5678 | 300,00 | Volvo | FH 540 | Branco | 19");

    const QString pdf = systemFolder + "/contrato.pdf";
    relatorio->QuickRep1->exportPdf(pdf);
    int codigo = -1;
    executar("qpdf", {"--check", pdf}, &codigo);
    EXPECT_EQ(codigo, 0);
    const QString texto = executar("pdftotext", {pdf, "-"});
    EXPECT_TRUE(texto.contains("Cadastro de Contratos"));
    EXPECT_TRUE(texto.contains("Manutenção de impressoras"));
    EXPECT_TRUE(texto.contains("DEF5678"));
}

TEST_F(BasicoContratosJanelaTest, SummaryListLeavesTheRegisterOnItsContract)
{
    TfmAssBasicoContratos& form = abrir();
    dmTec->CarregaContrato(902);
    dialogs->answer("Resumido");
    const QString dump = previsto([&] { form.bbRelatorio->click(); });
    EXPECT_EQ(linesOf(dump, "qrbnColunas"),
              QStringList{"columnHeader qrbnColunas: Código | Descrição | Cliente | Tipo de Contrato | Valor Contrato"});
    EXPECT_EQ(linesOf(dump, "qrbnDetalhe").size(), one("select count(*) from AATC05AC").toInt());
    EXPECT_TRUE(dump.contains("Resumido"));
    EXPECT_EQ(dmTec->quContratoACCODIGO->asInteger(), 902);
    EXPECT_EQ(dmTec->quContrato->recordCount(), 1);
}

// The register with a contract on each of its pages, and its search dialog
// with the contracts found, as a person sees them.
TEST_F(BasicoContratosJanelaTest, PicturesOfTheRegisterAndItsSearch)
{
    TfmAssBasicoContratos& form = abrir();
    dialogs->modal("fmPesquisaAssContratos", [&](Form& janela) {
        auto& dialogo = static_cast<TfmPesquisaAssContratos&>(janela);
        dialogo.edNumeroContrato->setText("");
        dialogo.bbOk->click();
        EXPECT_EQ(dialogo.quPesquisa->recordCount(), 3);
        guardaFoto(dialogo, "fmPesquisaAssContratos.png");
        dialogo.quPesquisa->first();
        dialogo.dbgdContratosDblClick();
    });
    form.bbPesquisar->click();
    dmTec->CarregaContrato(901);
    form.pcContrato->setActivePage(form.tsEquipamentos);
    guardaFoto(form, "fmAssContratos_901.png");
    form.pcContrato->setActivePage(form.tsServicos);
    guardaFoto(form, "fmAssContratos_901_servicos.png");
    EXPECT_EQ(form.dbedNumeroContrato->text(), "12-ABC");
}

}  // namespace
}  // namespace moduletest
