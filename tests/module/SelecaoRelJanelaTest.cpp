// The service-order report selection, opened through the dispatcher: the
// statement of each report kind (its text and its rows on the database),
// the kind layouts and toggles, the pickers, the invoice-date notice, the
// failure warning, and the previews and prints of its four reports.

#include "tests/module/SelecaoRelFixture.h"

#include "shared_windows/uPesqAssEquipamento.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/SearchWindow.h"
#include "service_orders/uAssOSSelecaoRelImp.h"
#include "service_orders/uAssOSSelecaoSituacaoRel.h"
#include "service_orders/uAssOSTotalCliImp.h"
#include "service_orders/uPesqAssOrdemServico.h"

#include <QCheckBox>
#include <iostream>
#include <QAbstractItemModel>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolButton>

namespace moduletest {
namespace {

using uAssOSSelecaoRel::FiltroSelecaoOS;

class SelecaoRelJanelaTest : public SelecaoRelTest {
protected:
    // Rows of a statement on the database: the listed column of each.
    QStringList coluna(const QString& sql, const QString& nome)
    {
        host::data::Query q(nullptr, "quTeste");
        q.setTransaction(dmGlobal->IBTransaction1.get());
        q.setSql(sql);
        QStringList valores;
        for (q.open(); !q.eof(); q.next())
            valores << q.fieldByName(nome)->asString();
        return valores;
    }
    static bool semImpressora() { return QPrinterInfo::defaultPrinter().isNull(); }
};

// ---- the statements ----

TEST_F(SelecaoRelJanelaTest, ItemsStatementSumsEachItemsLinesOnceAndTakesItsFilters)
{
    FiltroSelecaoOS f;
    const QString vazio = uAssOSSelecaoRel::SqlSelecaoOS(f);
    EXPECT_TRUE(vazio.contains("where not(it.aoitcodigo is null) \ngroup by")) << "no filter, no condition";
    EXPECT_EQ(coluna(vazio, "AOITCODIGO"), (QStringList{"9011", "9012", "9041", "9021", "9031"}))
        << "every item of every order, by customer and order";
    // An item with two service and two parts lines: one row, each line once.
    host::data::Query q(nullptr, "quItens");
    q.setTransaction(dmGlobal->IBTransaction1.get());
    q.setSql(vazio);
    q.open();
    ASSERT_TRUE(q.locate("AOITCODIGO", 9011));
    EXPECT_DOUBLE_EQ(q.fieldByName("TOTSERV")->asFloat(), 150);
    EXPECT_DOUBLE_EQ(q.fieldByName("VALORPECAS")->asFloat(), 30);
    EXPECT_DOUBLE_EQ(q.fieldByName("AOVALORTOTAL")->asFloat(), 180) << "the order's own total";
    EXPECT_EQ(q.fieldByName("HORAS")->asInteger(), 90);
    EXPECT_EQ(q.fieldByName("HORASANDAMENTO")->asInteger(), 25);
    double soma = 0;
    for (q.first(); !q.eof(); q.next())
        if (q.fieldByName("AOCODIGO")->asInteger() == 901)
            soma += q.fieldByName("AOVALORTOTAL")->asFloat();
    EXPECT_DOUBLE_EQ(soma, 180) << "the order's rows add up to its total, not more";
    ASSERT_TRUE(q.locate("AOITCODIGO", 9021));
    EXPECT_DOUBLE_EQ(q.fieldByName("AOVALORTOTAL")->asFloat(), 85) << "with the travel expenses";
    q.close();

    f.clienteIni = "T0001";
    f.clienteFim = "T0001";
    f.tecIni = "1";
    f.tecFim = "1";
    f.servico = "revisão";
    f.osIni = "900";
    f.osFim = "905";
    f.periodoIni = "01/04/2026";
    f.periodoFim = "30/04/2026";
    f.periodoCobranca = true;
    f.atendente = "Ana";
    const QString sql = uAssOSSelecaoRel::SqlSelecaoOS(f);
    EXPECT_TRUE(sql.contains("where not(it.aoitcodigo is null) \n"
                             " and (os.clcodigo between 'T0001' and 'T0001')\n"
                             " and (it.AOITEQUIPCODIGO between 1 and 1)\n"
                             " and (prod.DESCRICAO containing 'revisão')\n"
                             " and (os.aocodigo between 900 and 905)\n"
                             " and (os.AODATACOBRANCA between '04/01/2026 00:00:00' and '04/30/2026 23:59:59.9999')\n"
                             " and (os.aoatendente = 'Ana')\n"
                             "group by"))
        << sql.toStdString();
    EXPECT_TRUE(sql.endsWith("order by os.clcodigo, os.aocodigo, os.aodataentrada"));
    EXPECT_EQ(coluna(sql, "AOITCODIGO"), QStringList{"9011"});
    EXPECT_EQ(coluna(sql, "SERVICO"), QStringList{"Limpeza e revisão preventiva"});
}

TEST_F(SelecaoRelJanelaTest, PerItemStatementOfThePreviewTakesOnlyCustomerOrderEntryDateAndAttendant)
{
    FiltroSelecaoOS f;
    f.clienteIni = "T0001";
    f.tecIni = "1";
    f.servico = "revisão";
    f.periodoIni = "10/03/2026";
    f.periodoFim = "31/03/2026";
    f.periodoCobranca = true;
    f.atendente = "Ana";
    const QString sql = uAssOSSelecaoRel::SqlSelecaoItemOS(f);
    EXPECT_TRUE(sql.endsWith("where it.aoitcodigo is not null\n"
                             " and (os.clcodigo = 'T0001')\n"
                             " and (os.aodataentrada between '03/10/2026 00:00:00' and '03/31/2026 23:59:59.9999')\n"
                             " and (os.aoatendente = 'Ana')\n"
                             "order by os.AOCODIGO"))
        << sql.toStdString();
    EXPECT_EQ(coluna(sql, "AOITCODIGO"), (QStringList{"9011", "9012", "9041"}));
}

TEST_F(SelecaoRelJanelaTest, SituationStatementListsItemsWithSituationAndTechnician)
{
    FiltroSelecaoOS f;
    EXPECT_EQ(coluna(uAssOSSelecaoRel::SqlSelecaoSituacao(f), "AOITCODIGO"),
              (QStringList{"9011", "9012", "9021", "9031", "9041"}));
    f.osIni = "901";
    f.osFim = "902";
    f.tecIni = "2";
    f.periodoIni = "15/03/2026";
    const QString sql = uAssOSSelecaoRel::SqlSelecaoSituacao(f);
    EXPECT_TRUE(sql.contains("where not(it.aoitcodigo is null) \n"
                             " and (it.AOCODIGO between 901 and 902)\n"
                             " and (os.AODATAENTRADA between '03/15/2026 00:00:00' and '03/15/2026 23:59:59.9999')\n"
                             " and (os.ATCodigo = '2')\n"
                             "order by it.AOCODIGO, os.CLCODIGO, os.AODATAENTRADA"))
        << sql.toStdString();
    EXPECT_EQ(coluna(sql, "AOCODIGO"), QStringList{"902"});
    EXPECT_EQ(coluna(sql, "SITUACAO"), QStringList{"Concluída"});
    EXPECT_EQ(coluna(sql, "ATNOME"), QStringList{"MARIA APARECIDA SOUZA"});
}

TEST_F(SelecaoRelJanelaTest, CustomerEquipmentStatementFiltersEquipmentCodesAndDateValues)
{
    FiltroSelecaoOS f;
    EXPECT_EQ(coluna(uAssOSSelecaoRel::SqlClienteporEquipamento(f), "AOCODIGO").size(), 5);
    f.osIni = "3";
    f.osFim = "3";
    f.dataIni = QDateTime(QDate(2026, 3, 11), QTime(0, 0));
    f.atendente = "bi";
    const QString sql = uAssOSSelecaoRel::SqlClienteporEquipamento(f);
    EXPECT_TRUE(sql.contains("where not(it.aoitcodigo is null) \n"
                             " and (it.AOITEQUIPCodigo between 3 and 3)\n"
                             " and os.AODATAENTRADA >= '03/11/2026 00:00:00'\n"
                             " and (os.AOATENDENTE containing 'bi')\n"
                             "group by it.AOITEQUIPDESCRICAO"))
        << sql.toStdString();
    EXPECT_TRUE(sql.endsWith("order by os.clcodigo, it.AOITEQUIPDESCRICAO"));
    EXPECT_EQ(coluna(sql, "AOCODIGO"), QStringList{"903"}) << "equipment 3 of an order entered after the date";
}

TEST_F(SelecaoRelJanelaTest, TotalizerStatementByCustomerNameTypeAndHeaderField)
{
    FiltroSelecaoOS f;
    f.cliente = "beta";
    f.atendente = "Climatização";
    f.campoOS = "AOATENDENTE";
    f.valorCampoOS = "bi";
    const QString sql = uAssOSSelecaoRel::SqlTotalizadorCliente(f);
    EXPECT_TRUE(sql.contains("where not(os.aocodigo is null)\n"
                             "    and upper(cli.nome) containing 'BETA'\n"
                             " and (eq.aetipo = 'Climatização')\n"
                             " and (upper(os.AOATENDENTE) like '%BI%')\n"
                             "order by cli.nome, os.aocodigo"))
        << sql.toStdString();
    EXPECT_EQ(coluna(sql, "AOCODIGO"), QStringList{"903"});
    f = {};
    f.campoOS = "AOVALORTOTAL";
    f.tipoCampoOS = host::data::FieldType::Float;
    f.valorCampoOS = "85";
    EXPECT_TRUE(uAssOSSelecaoRel::SqlTotalizadorCliente(f).contains(" and ((os.AOVALORTOTAL) = 85)"));
    EXPECT_EQ(coluna(uAssOSSelecaoRel::SqlTotalizadorCliente(f), "AOCODIGO"), QStringList{"902"});
}

// ---- the window ----

TEST_F(SelecaoRelJanelaTest, EachKindShowsItsFieldsCaptionsAndGrid)
{
    TfmAssOSSelecaoRel& form = abrir();
    EXPECT_EQ(form.caption(), "Relatório de Ordem de Serviço por Seleção");
    EXPECT_EQ(form.rgRelatorioOS->itemIndex(), 0);
    EXPECT_EQ(form.gbSelecao->height(), 168);
    EXPECT_EQ(form.laTec->text(), "Equip.");
    EXPECT_TRUE(form.EdServico->isVisible());
    EXPECT_TRUE(form.SbPesqServico->isVisible());
    EXPECT_TRUE(form.edAtendente->isVisible());
    EXPECT_FALSE(form.cbSituacao->isVisible());
    EXPECT_FALSE(form.edCliente->isVisible());
    EXPECT_TRUE(form.dbgdRegSelOS->isVisible());
    EXPECT_FALSE(form.dbgdRegSelSituacao->isVisible());
    EXPECT_EQ(form.dbgdRegSelOS->columnByField("AOITEQUIPDESCRICAO")->title(), "Equipamento");
    EXPECT_FALSE(form.dbgdRegSelOS->columnByField("AOITPLACA")->visible());
    EXPECT_EQ(form.dbgdRegSelOS->columnByField("TOTSERV")->title(), "Valor Serviço");
    EXPECT_EQ(form.dbgdRegSelOS->columnByField("HORAS")->title(), "Tempo (Min.)");

    form.rgRelatorioOS->button(1)->click();
    EXPECT_EQ(form.gbSelecao->height(), 140);
    EXPECT_EQ(form.cbSituacao->currentText(), "Ambas");
    EXPECT_EQ(form.laAtendente->text(), "Situação");
    EXPECT_FALSE(form.edAtendente->isVisible());
    EXPECT_TRUE(form.edNFIni->isVisible());
    EXPECT_TRUE(form.ckResumido->isVisible());
    EXPECT_FALSE(form.edTecIni->isVisible()) << "the technicians wait for \"Mostrar Técnico\"";
    EXPECT_TRUE(form.dbgdRegSelSituacao->isVisible());
    form.ckTecnico->click();
    EXPECT_EQ(form.gbSelecao->height(), 166);
    EXPECT_TRUE(form.edTecIni->isVisible());
    EXPECT_EQ(form.laTec->text(), "Técnico");
    form.ckTecnico->click();
    EXPECT_EQ(form.gbSelecao->height(), 140);
    EXPECT_FALSE(form.edTecIni->isVisible());

    form.rgRelatorioOS->button(2)->click();
    EXPECT_EQ(form.gbSelecao->height(), 115);
    EXPECT_EQ(form.laOS->text(), "Equipamento");
    EXPECT_EQ(form.laAtendente->text(), "Atendente");
    EXPECT_FALSE(form.EdServico->isVisible());
    EXPECT_TRUE(form.dbgdRegSelCliEquip->isVisible());
    EXPECT_FALSE(form.dbgdRegSelCliEquip->columnByField("AOITMOTORNUMERO")->visible());
    EXPECT_TRUE(form.dbgdRegSelCliEquip->columnByField("AOCODIGO")->visible());

    form.rgRelatorioOS->button(3)->click();
    EXPECT_EQ(form.gbSelecao->height(), 140);
    EXPECT_TRUE(form.edCliente->isVisible());
    EXPECT_FALSE(form.edCliIni->isVisible());
    EXPECT_FALSE(form.edCliFim->isVisible());
    EXPECT_EQ(form.laOS->text(), "Nº O.S.");
    EXPECT_EQ(form.laAtendente->text(), "Tipo Eqto/Aut");
    EXPECT_TRUE(form.cbCamposOS->isVisible());
    EXPECT_EQ(form.cbCamposOS->count(), int(dmTec->quOS->fields().size())) << "the header's fields";
    EXPECT_TRUE(form.dbgdRegSelOS->isVisible());
    EXPECT_EQ(form.dbgdRegSelOS->dataSource(), form.dsPesTotOSCli);

    EXPECT_EQ(form.laPeriodo->text(), "Período");
    form.laPeriodo->onClick();
    EXPECT_EQ(form.laPeriodo->text(), "Período Cob.");
    form.laPeriodo->onClick();
    EXPECT_EQ(form.laPeriodo->text(), "Período");
}

TEST_F(SelecaoRelJanelaTest, VehicleModeTitlesTheGridsForVehicles)
{
    parametro("ATMODOVEICULO", "O");
    parametro("ATCLASSIFICACAOOS", "S");
    TfmAssOSSelecaoRel& form = abrir();
    EXPECT_EQ(form.dbgdRegSelOS->columnByField("AOITEQUIPDESCRICAO")->title(), "Veículo");
    EXPECT_FALSE(form.dbgdRegSelOS->columnByField("AOITSERIE")->visible());
    EXPECT_TRUE(form.dbgdRegSelOS->columnByField("AOITPLACA")->visible());
    EXPECT_EQ(form.dbgdRegSelCliEquip->columnByField("AOITSERIE")->title(), "Chassi");
    EXPECT_TRUE(form.dbgdRegSelCliEquip->columnByField("AOITMOTORNUMERO")->visible());
    EXPECT_TRUE(form.dbgdRegSelSituacao->columnByField("AOTIPOOS")->visible());
    EXPECT_FALSE(form.dbgdRegSelSituacao->columnByField("SITUACAO")->visible());
}

TEST_F(SelecaoRelJanelaTest, SearchFillsTheGridOfEachKindAndLogsItsOpen)
{
    TfmAssOSSelecaoRel& form = abrir();
    digita(form.edCliIni, "T0001");
    digita(form.edCliFim, "T0001");
    form.bbPesquisar->click();
    EXPECT_EQ(form.dbgdRegSelOS->model()->rowCount(), 3);
    EXPECT_EQ(form.quPesquisa->fieldByName("AOCODIGO")->displayText(), "000000901");
    EXPECT_EQ(form.quPesquisa->fieldByName("TOTSERV")->displayText(), "150,00");
    const QStringList log = logDe("[quPesquisa Open]");
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log.first(), "***INICIO");
    EXPECT_EQ(log.last(), "***FIM");
    EXPECT_EQ(logDe("[TfmAssOSSelecaoRel.EfetuaPesquisaSelecaoOS]"), (QStringList{"***INICIO", "***FIM"}));

    form.rgRelatorioOS->button(1)->click();
    form.bbPesquisar->click();
    EXPECT_EQ(form.dbgdRegSelSituacao->model()->rowCount(), 3);
    EXPECT_EQ(logDe("[TfmAssOSSelecaoRel.EfetuaPesquisaSelecaoSituacao]"),
              (QStringList{"***INICIO", "DataSet:quPesqSituacao", "***FIM"}));
}

// In kind 2 the order fields carry equipment codes, and their picker is the equipment search.
TEST_F(SelecaoRelJanelaTest, CustomerEquipmentKindFiltersAndPicksEquipment)
{
    TfmAssOSSelecaoRel& form = abrir();
    form.rgRelatorioOS->button(2)->click();
    dialogs->modal("fmPesquisaAssEquipamento", [](host::ui::Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisaAssEquipamento&>(janela);
        pesquisa.bbPesquisa->click();
        pesquisa.quConsultaEquip->locate("AECODIGO", 3);
        pesquisa.dbgdEquipamento->onDblClick();
    });
    form.sbPesqOS->click();
    EXPECT_EQ(form.edOSIni->text(), "3");
    EXPECT_EQ(form.edOSFim->text(), "3");
    form.bbPesquisar->click();
    QStringList ordens;
    for (form.quPesqCliEquip->first(); !form.quPesqCliEquip->eof(); form.quPesqCliEquip->next())
        ordens << form.quPesqCliEquip->fieldByName("AOCODIGO")->asString();
    EXPECT_EQ(ordens, (QStringList{"901", "903"})) << "the items of equipment 3, not orders 3";
}

TEST_F(SelecaoRelJanelaTest, PickersFillBothEndsOrTheName)
{
    TfmAssOSSelecaoRel& form = abrir();
    auto escolhe = [&](const QString& coluna, const QVariant& valor) {
        dialogs->modal("fmPesquisa", [coluna, valor](host::ui::Form& janela) {
            auto& pesquisa = static_cast<TfmPesquisa&>(janela);
            pesquisa.dataSource()->dataset()->locate(coluna, valor);
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
    };
    escolhe("CODIGO_CLIENTE", "T0002");
    form.sbPesqCliente->click();
    EXPECT_EQ(form.edCliIni->text(), "T0002");
    EXPECT_EQ(form.edCliFim->text(), "T0002");
    dialogs->modal("fmPesquisaAssOrdemServico", [](host::ui::Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        pesquisa.edNOS->setText("902");
        pesquisa.bbPesquisa->click();
        pesquisa.dbgdOrdemServico->onDblClick();
    });
    form.sbPesqOS->click();
    EXPECT_EQ(form.edOSIni->text(), "902");
    EXPECT_EQ(form.edOSFim->text(), "902");
    escolhe("CODIGO", "S0003");
    form.SbPesqServico->click();
    EXPECT_EQ(form.EdServico->text(), "Limpeza e revisão preventiva");
    form.rgRelatorioOS->button(1)->click();
    form.ckTecnico->click();
    escolhe("ATCODIGO", 2);
    form.sbPesqTec->click();
    EXPECT_EQ(form.edTecIni->text(), "2");
    EXPECT_EQ(form.edTecFim->text(), "2");
    form.rgRelatorioOS->button(3)->click();
    escolhe("CODIGO_CLIENTE", "T0001");
    form.sbPesqCliente->click();
    EXPECT_EQ(form.edCliente->text(), "Alfa Cliente");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(SelecaoRelJanelaTest, LeavingTheLastInvoiceDateShowsTheNoticeWhateverTheChoice)
{
    TfmAssOSSelecaoRel& form = abrir();
    form.rgRelatorioOS->button(1)->click();
    form.cbSituacao->setCurrentText("Com Nota Fiscal");
    digita(form.edNFIni, "12/03/2026");
    dialogs->acknowledge("Se deseja gerar relatório pela Data da N.F., selecione a opção \"Com Nota Fiscal\"");
    form.edNFFim->setFocus();
    QTest::keyClick(form.edNFFim, Qt::Key_Tab);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(form.cbSituacao->currentText(), "Com Nota Fiscal") << "a notice: nothing changes";
}

TEST_F(SelecaoRelJanelaTest, ADatabaseFailureOfTheSearchIsItsWarning)
{
    TfmAssOSSelecaoRel& form = abrir();
    form.rgRelatorioOS->button(3)->click();
    form.cbCamposOS->setCurrentIndex(form.cbCamposOS->findText(dmTec->quOSStatusPV->displayLabel()));
    form.edCampoPesqOS->setText("x");
    dialogs->acknowledge("Falha ao efetuar pesquisa");
    form.bbPesquisar->click();
    EXPECT_EQ(dialogs->pending(), 0) << "the warning ends the operation: no question follows";
    EXPECT_EQ(logDe("[TfmAssOSSelecaoRel.EfetuaPesquisaTotalizadorCliente]").last(), "***FIM");
}

// The preview of kind 0 takes the per-item statement, the print the full one.
TEST_F(SelecaoRelJanelaTest, ItemsPreviewIgnoresEquipmentServiceAndCollectionDateThePrintHonoursThem)
{
    TfmAssOSSelecaoRel& form = abrir();
    digita(form.edTecIni, "1");
    digita(form.edTecFim, "1");
    form.EdServico->setText("revisão");
    form.laPeriodo->onClick();
    digita(form.dePeriodoIni, "01/03/2026");
    digita(form.dePeriodoFim, "31/03/2026");
    QString vista;
    dialogs->answer("Andamento", "Deseja visualizar tempo de serviço ou andamento?");
    dialogs->modal("fmVisualizadorRelatorio", [&](host::ui::Form& janela) {
        vista = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbVisualizar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    for (const char* ordem : {"000000901", "000000902", "000000903", "000000904"})
        EXPECT_TRUE(vista.contains(ordem)) << ordem << "\n" << vista.toStdString();

    bDetectarErroSQL = true;
    dialogs->answer("Serviço", "Deseja imprimir tempo de serviço ou andamento?");
    dialogs->acknowledge("SQL");
    if (semImpressora())
        dialogs->acknowledge("Nenhuma impressora instalada.");
    form.bbImprimir->click();
    bDetectarErroSQL = false;
    EXPECT_EQ(dialogs->pending(), 0);
    const QString sql = dialogs->shown().at(dialogs->shown().size() - (semImpressora() ? 2 : 1)).detail;
    EXPECT_TRUE(sql.contains("it.AOITEQUIPCODIGO between 1 and 1")) << sql.toStdString();
    EXPECT_TRUE(sql.contains("prod.DESCRICAO containing 'revisão'")) << sql.toStdString();
    EXPECT_TRUE(sql.contains("os.AODATACOBRANCA between")) << sql.toStdString();
    EXPECT_EQ(qrAssOSSelecaoRelImp.get(), nullptr) << "freed after the print, even a failed one";
}

// ---- the printouts ----

TEST_F(SelecaoRelJanelaTest, InvoiceNumbersOfAnOrderOneTwoAndCancelled)
{
    TqrAssOSSelecaoSituacaoRel rel;
    QString data;
    EXPECT_EQ(rel.RetornaNumeroDocumento("901", data), "000111");
    EXPECT_EQ(data, "12/03/26");
    EXPECT_FALSE(rel.bPrimeiroCancelado);
    EXPECT_EQ(rel.RetornaNumeroDocumento("904", data), "000444 / 000445-CA");
    EXPECT_EQ(data, "26/03/26-27/03/26");
    EXPECT_FALSE(rel.bPrimeiroCancelado) << "only the first document's cancellation counts";
    EXPECT_EQ(rel.RetornaNumeroDocumento("902", data), "000222-CA/000223");
    EXPECT_EQ(data, "16/03/26-17/03/26");
    EXPECT_TRUE(rel.bPrimeiroCancelado);
    EXPECT_EQ(rel.RetornaNumeroDocumento("903", data), "000000");
    EXPECT_EQ(data, " ");
    EXPECT_FALSE(rel.bPrimeiroCancelado);
    rel.sNFIni = "17/03/2026";
    rel.sNFFim = "31/03/2026";
    EXPECT_EQ(rel.RetornaNumeroDocumento("902", data), "000223") << "only documents of the invoice dates";
    EXPECT_FALSE(rel.bPrimeiroCancelado);
}

TEST_F(SelecaoRelJanelaTest, SituationReportCountsEachOrderOnceAndFiltersByInvoiceKind)
{
    TfmAssOSSelecaoRel& form = abrir();
    form.rgRelatorioOS->button(1)->click();
    form.bbVisualizar->click();
    QString vista = vistaAberta();
    EXPECT_TRUE(vista.contains("Tipo da Seleção: Ambas - Com Nota Fiscal e Sem Nota Fiscal")) << vista.toStdString();
    QStringList linhas = linhasDe(vista, "qrbnDetalhe");
    ASSERT_EQ(linhas.size(), 4) << vista.toStdString();
    EXPECT_TRUE(linhas[0].startsWith("detail qrbnDetalhe: 000000901 | Alfa Cliente | HP-901"));
    EXPECT_TRUE(linhas[1].startsWith("detail qrbnDetalhe: 000000901 | Alfa Cliente | SPR-901"));
    EXPECT_TRUE(linhas[2].endsWith("| 000000 |  ")) << "order 903 has no document";
    EXPECT_TRUE(linhas[3].endsWith("| 000444 / 000445-CA | 26/03/26-27/03/26"));
    EXPECT_EQ(linhasDe(vista, "qrbnResumo"),
              QStringList{"summary qrbnResumo: Nº de Lançamentos: | 4 | 150,00 | 70,00 | 220,00"})
        << "order 901's two items add its values once; 902's first document is cancelled";

    form.cbSituacao->setCurrentText("Com Nota Fiscal");
    form.bbVisualizar->click();
    vista = vistaAberta();
    EXPECT_TRUE(vista.contains("Tipo da Seleção: Com Nota Fiscal"));
    linhas = linhasDe(vista, "qrbnDetalhe");
    ASSERT_EQ(linhas.size(), 3) << vista.toStdString();
    EXPECT_FALSE(vista.contains("000000902")) << "a cancelled first document hides the order, a valid second one or not";
    EXPECT_FALSE(vista.contains("000000903"));
    EXPECT_EQ(linhasDe(vista, "qrbnResumo"),
              QStringList{"summary qrbnResumo: Nº de Lançamentos: | 3 | 150,00 | 30,00 | 180,00"});

    form.cbSituacao->setCurrentText("Sem Nota Fiscal");
    form.bbVisualizar->click();
    vista = vistaAberta();
    EXPECT_EQ(linhasDe(vista, "qrbnDetalhe").size(), 1);
    EXPECT_TRUE(vista.contains("000000903"));
    EXPECT_EQ(qrAssOSSelecaoSituacaoRel.get(), nullptr) << "freed after each preview";
}

// A half-open invoice range is the day given, in the statement and in the row test alike.
TEST_F(SelecaoRelJanelaTest, OneInvoiceDateIsThatDay)
{
    TfmAssOSSelecaoRel& form = abrir();
    form.rgRelatorioOS->button(1)->click();
    form.cbSituacao->setCurrentText("Com Nota Fiscal");
    form.edNFIni->setDate(QDateTime(QDate(2026, 3, 12), QTime(0, 0)));
    form.bbVisualizar->click();
    QString vista = vistaAberta();
    EXPECT_EQ(linhasDe(vista, "qrbnDetalhe").size(), 2) << vista.toStdString();
    EXPECT_FALSE(vista.contains("000000904"));
    form.edNFIni->setDate({});
    form.edNFFim->setDate(QDateTime(QDate(2026, 3, 13), QTime(0, 0)));
    form.bbVisualizar->click();
    vista = vistaAberta();
    EXPECT_EQ(linhasDe(vista, "qrbnDetalhe").size(), 0) << vista.toStdString();
}

TEST_F(SelecaoRelJanelaTest, SummaryOnlyKeepsTheTotalsAndTheTechnicianColumnFollowsItsBox)
{
    TfmAssOSSelecaoRel& form = abrir();
    form.rgRelatorioOS->button(1)->click();
    form.ckResumido->setChecked(true);
    form.bbVisualizar->click();
    QString vista = vistaAberta();
    EXPECT_TRUE(linhasDe(vista, "qrbnDetalhe").isEmpty());
    EXPECT_EQ(linhasDe(vista, "qrbnColunas"),
              QStringList{"columnHeader qrbnColunas: Total Serv. | Total Peças | Total OS | Desconto"});
    EXPECT_TRUE(vista.contains("Nº de Lançamentos: | 4 | 150,00 | 70,00 | 220,00"));
    form.ckResumido->setChecked(false);
    form.ckTecnico->click();
    form.bbVisualizar->click();
    vista = vistaAberta();
    EXPECT_TRUE(linhasDe(vista, "qrbnColunas").first().endsWith("| Técnico"));
    EXPECT_TRUE(linhasDe(vista, "qrbnDetalhe").first().endsWith("| JOÃO DA SILVA"));
}

TEST_F(SelecaoRelJanelaTest, ItemsPrintLeavesTheTimeColumnNotAsked)
{
    TfmAssOSSelecaoRel& form = abrir();
    digita(form.edOSIni, "901");
    digita(form.edOSFim, "901");
    TqrAssOSSelecaoRelImp rel;
    form.EfetuaPesquisaSelecaoOS(*rel.quPesqRel);
    rel.sResposta = "Serviço";
    QString linha = linhasDe(rel.QuickRep1->textDump(), "qrbnDetalhe").first();
    EXPECT_TRUE(linha.contains("| Mão de obra técnica (hora) | 90 | 150,00 |")) << linha.toStdString();
    rel.sResposta = "Andamento";
    linha = linhasDe(rel.QuickRep1->textDump(), "qrbnDetalhe").first();
    EXPECT_TRUE(linha.contains("| Mão de obra técnica (hora) | 25 | 150,00 |")) << linha.toStdString();
    const QString dump = rel.QuickRep1->textDump();
    EXPECT_EQ(linhasDe(dump, "qrbnRodapeCliente"),
              QStringList{"groupFooter qrbnRodapeCliente: Totalizadores: | 150,00 | 30,00 | 0,00 | 0,00 | 180,00"});
    EXPECT_EQ(linhasDe(dump, "qrbnGrupoCliente"), QStringList{"groupHeader qrbnGrupoCliente: CLIENTE: | Alfa Cliente"});
}

// An order of two items with travel and extra expenses: the grid and the
// printed totals take its expenses once, and its rows add up to its total.
TEST_F(SelecaoRelJanelaTest, AnOrdersExpensesCountOnceWhateverItsNumberOfItems)
{
    exec("update AATC01AO set AODESPVIAGEM = 40, AODESPDIVERSAS = 5, AOVALORTOTAL = 225 where AOCODIGO = 901");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssOSSelecaoRel& form = abrir();
    digita(form.edOSIni, "901");
    digita(form.edOSFim, "901");
    form.bbPesquisar->click();
    QAbstractItemModel* grade = form.dbgdRegSelOS->model();
    ASSERT_EQ(grade->rowCount(), 2);
    auto soma = [&](const char* campo) {
        const int coluna = form.dbgdRegSelOS->columnByField(campo)->index();
        double total = 0;
        for (int linha = 0; linha < grade->rowCount(); ++linha)
            total += QLocale(QLocale::Portuguese, QLocale::Brazil)
                         .toDouble(grade->index(linha, coluna).data().toString().remove('.'));
        return total;
    };
    EXPECT_DOUBLE_EQ(soma("DESPVIAGEM"), 40);
    EXPECT_DOUBLE_EQ(soma("DESEXTRA"), 5);
    EXPECT_DOUBLE_EQ(soma("AOVALORTOTAL"), 225) << "the order's total";

    TqrAssOSSelecaoRelImp rel;
    form.EfetuaPesquisaSelecaoOS(*rel.quPesqRel);
    EXPECT_EQ(linhasDe(rel.QuickRep1->textDump(), "qrbnResumo"),
              QStringList{"summary qrbnResumo: Totalizadores Gerais: | 150,00 | 30,00 | 40,00 | 5,00 | 225,00"});
}

TEST_F(SelecaoRelJanelaTest, CustomersAndVehiclesInVehicleMode)
{
    parametro("ATMODOVEICULO", "O");
    TfmAssOSSelecaoRel& form = abrir();
    form.rgRelatorioOS->button(2)->click();
    digita(form.edCliIni, "T0001");
    form.bbVisualizar->click();
    const QString vista = vistaAberta();
    EXPECT_TRUE(vista.contains("| Relatório de Clientes X Veículos ")) << vista.toStdString();
    EXPECT_EQ(linhasDe(vista, "qrbnColunas"),
              QStringList{"columnHeader qrbnColunas: Veículos | Marca | Modelo | Chassi | Placa | Nº Carroceria | "
                          "Nº Motor | OS"});
    EXPECT_TRUE(linhasDe(vista, "qrbnDetalhe").contains("detail qrbnDetalhe: Impressora laser | HP-901 | AAA-0901 | 000000901"))
        << vista.toStdString();
}

TEST_F(SelecaoRelJanelaTest, TotalizerListsAuthorisedLinesPerOrderAndItsTotals)
{
    TfmAssOSSelecaoRel& form = abrir();
    form.rgRelatorioOS->button(3)->click();
    dialogs->answer("Visualizar", "Deseja visualizar ou imprimir este relatório?");
    form.bbPesquisar->click();
    QString vista = vistaAberta();
    EXPECT_FALSE(vista.contains("Tipo Eqto/Aut"));
    const QStringList linhas = linhasDe(vista, "qrbnLinhas");
    ASSERT_EQ(linhas.size(), 2) << vista.toStdString();
    EXPECT_EQ(linhas[1], "child qrbnLinhas: Código | Serviço/Peça | Valor | S0002" + QString(9, ' ') +
                             "Visita técnica" + QString(36, ' ') + "   " + "       80,00");
    EXPECT_TRUE(linhas[0].contains("P0005" + QString(9, ' ') + "Correia de transmissão"));
    const QStringList rodapes = linhasDe(vista, "qrbnRodapeOS");
    EXPECT_EQ(rodapes, (QStringList{"groupFooter qrbnRodapeOS: Total da OS: | 180,00",
                                    "groupFooter qrbnRodapeOS: Total da OS: | 0,00",
                                    "groupFooter qrbnRodapeOS: Total da OS: | 80,00",
                                    "groupFooter qrbnRodapeOS: Total da OS: | 0,00"}))
        << "order 903 has only an unauthorised parts line: no list, a total of 0,00";
    EXPECT_EQ(linhasDe(vista, "qrbnRodapeCliente"),
              (QStringList{"groupFooter qrbnRodapeCliente: Total do Cliente: | 180,00",
                           "groupFooter qrbnRodapeCliente: Total do Cliente: | 80,00"}));
    EXPECT_EQ(linhasDe(vista, "qrbnResumo"), QStringList{"summary qrbnResumo: Total Geral: | 260,00"});
    EXPECT_NE(qrAssOSTotalCliImp.get(), nullptr) << "kept between previews";

    form.edAtendente->setText("Climatização");
    form.bbVisualizar->click();
    vista = vistaAberta();
    EXPECT_TRUE(vista.contains("Tipo Eqto/Aut : Climatização")) << vista.toStdString();
    EXPECT_EQ(linhasDe(vista, "qrbnResumo"), QStringList{"summary qrbnResumo: Total Geral: | 180,00"})
        << "the equipment type keeps 901 (an item of type Climatização) and 903; the grand total starts again";
    EXPECT_FALSE(vista.contains("000000902"));
}

// The window as a person sees it with the items of the orders listed,
// written next to the test program (run under Xvfb by the screenshot test,
// offscreen otherwise).
TEST_F(SelecaoRelJanelaTest, PictureOfTheReportSelectionWithItemsListed)
{
    TfmAssOSSelecaoRel& form = abrir();
    form.bbPesquisar->click();
    ASSERT_EQ(form.dbgdRegSelOS->model()->rowCount(), 5);
    guardaFoto(form, "fmAssOSSelecaoRel.png");
    form.rgRelatorioOS->button(1)->click();
    form.ckTecnico->click();
    form.bbPesquisar->click();
    guardaFoto(form, "fmAssOSSelecaoRel_situacao.png");
    form.rgRelatorioOS->button(3)->click();
    guardaFoto(form, "fmAssOSSelecaoRel_totalizador.png");
}

}  // namespace
}  // namespace moduletest
