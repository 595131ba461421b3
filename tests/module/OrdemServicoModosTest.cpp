// The looks of the service-order window opened through the dispatcher:
// vehicle and equipment modes, the remanufacture and purchase orders (with
// their items layout and tab order, and the way back), and the lists of the
// values used most.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "service_orders/uAssOrdemServico.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace moduletest {
namespace {

using host::ui::DataGrid;

class OrdemServicoModosTest : public OrdemServicoEntradaTest {
protected:
    void ordem(int codigo, const QString& remanufatura)
    {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, AOREMANUFATURA)"
                     " values (%1, '00003', '2026-11-02', 'A', 'M', :R)")
                 .arg(codigo),
             {{"R", remanufatura.isEmpty() ? QVariant() : QVariant(remanufatura)}});
        exec(QString("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (%1, %2, 'Item')")
                 .arg(codigo)
                 .arg(codigo * 10));
    }
    TfmAssOrdemServico& abrirOrdem(int codigo)
    {
        uPackageAss::ShowJanelaTec("fmAssOrdemServico;" + QString::number(codigo));
        TfmAssOrdemServico* form = fmAssOrdemServico.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    static bool visivel(const DataGrid* grade, const char* campo)
    {
        const host::ui::GridColumn* coluna = grade->columnByField(campo);
        EXPECT_NE(coluna, nullptr) << campo;
        return coluna && coluna->visible();
    }
    static QColor corCabecalho(TfmAssOrdemServico& form)
    {
        return form.paCabecalho->palette().color(QPalette::Window);
    }
};

TEST_F(OrdemServicoModosTest, VehicleModeShowsTheVehicleColumnsCaptionsAndOneReportText)
{
    parametro("ATMODOVEICULO", "O");
    TfmAssOrdemServico& form = abrir();
    EXPECT_TRUE(form.sbImpRapida->isHidden());
    EXPECT_EQ(form.tsFoto->caption(), "Foto do Veículo");
    EXPECT_EQ(form.tsDespesaViagem->caption(), "Despesa com So&corro");
    for (const char* campo : {"DescricaoHora", "AATOTAL", "AAAUTORIZADO", "DescEquipOS"})
        EXPECT_FALSE(visivel(form.dbgdOrdemServicoServicos, campo)) << campo;
    for (const char* campo : {"APAUTORIZADO", "DescEquipOS"})
        EXPECT_FALSE(visivel(form.dbgdOrdemServicoPecas, campo)) << campo;
    for (const char* campo : {"AOITCODIGOINTERNO", "AOITQUANTIDADE", "AOITDEFEITO", "AOITLOJACOMPRA"})
        EXPECT_FALSE(visivel(form.dbgdOrdemServicoItens, campo)) << campo;
    for (const char* campo : {"AOITPLACA", "AOITRENAVAN", "AOITKMINICIAL", "FOCONSECIONARIA", "AOITMOTORNUMERO"})
        EXPECT_TRUE(visivel(form.dbgdOrdemServicoItens, campo)) << campo;
    EXPECT_EQ(form.dbgdOrdemServicoItens->columnByField("AOITEQUIPDESCRICAO")->title(), "Veículo");
    EXPECT_EQ(form.dbgdOrdemServicoItens->columnByField("AOITSERIE")->title(), "Chassi");
    EXPECT_EQ(form.gbLaudo->title(), "Laudo");
    for (QGroupBox* grupo : {form.gbCausa, form.gbSolucao, form.gbObsLaudo})
        EXPECT_TRUE(grupo->isHidden()) << grupo->objectName().toStdString();
}

TEST_F(OrdemServicoModosTest, EquipmentModeShowsTheEquipmentColumnsAndVehiclesOnTheirOwnTab)
{
    parametro("ATMODOVEICULO", "E");
    parametro("ATPESQUISAOSVEICULO", "S");
    parametro("ATEXIBEFOTOOS", "S");
    TfmAssOrdemServico& form = abrir();
    EXPECT_FALSE(form.sbImpRapida->isHidden());
    EXPECT_EQ(form.tsDespesaViagem->caption(), "Despesa com &Viagem");
    EXPECT_EQ(form.tsFoto->caption(), "Foto do Veículo") << "vehicles on their own tab";
    EXPECT_TRUE(form.tsVeiculo->tabVisible());
    EXPECT_TRUE(visivel(form.dbgdOrdemServicoServicos, "AATOTAL"));
    EXPECT_EQ(form.dbgdOrdemServicoServicos->columnByField("DescEquipOS")->title(), "Equipamento");
    EXPECT_EQ(form.dbgdOrdemServicoPecas->columnByField("DescEquipOS")->title(), "Equipamento");
    EXPECT_TRUE(visivel(form.dbgdOrdemServicoItens, "AOITDEFEITO"));
    EXPECT_FALSE(visivel(form.dbgdOrdemServicoItens, "AOITPLACA"));
    EXPECT_EQ(form.dbgdOrdemServicoItens->columnByField("AOITSERIE")->title(), "Número de Série");
    EXPECT_FALSE(visivel(form.dbgdOrdemServicoItensVeiculo, "AOITDEFEITO"));
    EXPECT_TRUE(visivel(form.dbgdOrdemServicoItensVeiculo, "AOITPLACA"));
    EXPECT_EQ(form.dbgdOrdemServicoItensVeiculo->columnByField("AOITSERIE")->title(), "Chassi");
    EXPECT_EQ(form.gbLaudo->title(), "Defeito Constatado");
    EXPECT_FALSE(form.gbCausa->isHidden());
}

TEST_F(OrdemServicoModosTest, RemanufactureAndPurchaseLooksOnlyWithTheReceiptOption)
{
    ordem(42, "R");
    ordem(43, "C");
    TfmAssOrdemServico& sem = abrirOrdem(42);
    EXPECT_EQ(sem.caption(), "Ordem de Serviço") << "without ATIMPRIMECOMPROVANTEOS the look never changes";
    EXPECT_EQ(sem.tsItens->pageIndex(), 0);
    sem.close();
    QApplication::processEvents();

    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    TfmAssOrdemServico& form = abrirOrdem(42);
    EXPECT_EQ(form.caption(), "************************* REMANUFATURA ************************* ");
    EXPECT_EQ(corCabecalho(form), QColor(255, 236, 236));
    EXPECT_EQ(form.tsServico->pageIndex(), 0);
    EXPECT_EQ(form.tsItens->pageIndex(), 9);
    EXPECT_EQ(form.pcOrdemServico->activePage(), form.tsServico);
    for (host::ui::TabSheet* aba : {form.tsDespesaViagem, form.tsFoto, form.tsPecasOS, form.tsLaudo})
        EXPECT_FALSE(aba->tabVisible()) << aba->objectName().toStdString();
    EXPECT_FALSE(form.bbOSInterna->isHidden());

    CarregaOrdemServico(43);
    EXPECT_EQ(form.caption(), "#########################    COMPRA    #########################");
    EXPECT_EQ(corCabecalho(form), QColor(242, 249, 255));
    EXPECT_EQ(form.tsServico->pageIndex(), 0) << "a purchase keeps the services first";
}

TEST_F(OrdemServicoModosTest, BackFromARemanufactureTheItemsTabAndThePlainLayoutReturn)
{
    ordem(41, "");
    ordem(42, "R");
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    {
        TfmAssOrdemServico& form = abrirOrdem(41);
        DataGrid* itens = form.dbgdOrdemServicoItens;
        // Two stored layouts: the remanufacture one without the brand.
        itens->columnByField("AOITMARCA")->setVisible(false);
        SalvarConfiguracaoDBGridComNome(itens, false, "dbgdOrdemServicoItensR");
        itens->columnByField("AOITMARCA")->setVisible(true);
        SalvarConfiguracaoDBGridComNome(itens, false, "dbgdOrdemServicoItens");
        form.close();
        QApplication::processEvents();
    }
    TfmAssOrdemServico& form = abrirOrdem(41);
    DataGrid* itens = form.dbgdOrdemServicoItens;
    EXPECT_TRUE(visivel(itens, "AOITMARCA"));
    EXPECT_EQ(itens->property("tag").toInt(), 0);

    CarregaOrdemServico(42);
    EXPECT_FALSE(visivel(itens, "AOITMARCA")) << "the remanufacture layout";
    EXPECT_EQ(itens->property("tag").toInt(), 1);
    EXPECT_EQ(form.tsItens->pageIndex(), 9);

    CarregaOrdemServico(41);
    EXPECT_TRUE(visivel(itens, "AOITMARCA")) << "the plain layout again";
    EXPECT_EQ(itens->property("tag").toInt(), 0);
    EXPECT_EQ(form.tsItens->pageIndex(), 0) << "the items tab back in its place";
    EXPECT_EQ(form.pcOrdemServico->activePage(), form.tsItens);
    EXPECT_TRUE(form.tsPecasOS->tabVisible());
    EXPECT_TRUE(form.bbOSInterna->isHidden());
    EXPECT_EQ(form.caption(), "Ordem de Serviço");
}

TEST_F(OrdemServicoModosTest, MostUsedListsAreCappedSortedAndWithoutEmptyValues)
{
    parametro("ATIMPRIMECOMPROVANTEOS", "S");
    parametro("ATCLASSIFICACAOOS", "S");
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOTIPOOS) values (42, '00003', '2026-11-02', null)");
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOTIPOOS) values (43, '00003', '2026-11-02', '')");
    QStringList acessorios, especies, tipos;
    for (int i = 34; i >= 0; --i) {
        const QString n = QString("%1").arg(i, 2, 10, QChar('0'));
        exec(QString("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (42, %1, 'ACESSORIO %2')")
                 .arg(i + 1)
                 .arg(n));
        exec(QString("insert into AATC01AA (AOCODIGO, AACODIGO, AAESPECIE) values (42, %1, 'ESP%2')").arg(i + 1).arg(n));
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOTIPOOS) values (%1, '00003',"
                     " '2026-11-02', 'TIPO %2')")
                 .arg(100 + i)
                 .arg(n));
        acessorios.prepend("ACESSORIO " + n);
        especies.prepend("ESP" + n);
        tipos.prepend("TIPO " + n);
    }
    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (42, 99, null)");
    exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (42, 98, 'ACESSORIO 00')");
    exec("insert into AATC01AA (AOCODIGO, AACODIGO, AAESPECIE) values (42, 99, null)");

    TfmAssOrdemServico& form = abrir();
    EXPECT_EQ(form.dbgdAcessorios->column(3)->fieldName(), "ARDESCRICAO");
    EXPECT_EQ(form.dbgdAcessorios->column(3)->pickList(), acessorios.mid(0, 30));
    EXPECT_FALSE(form.laClassificacao->isHidden());
    EXPECT_FALSE(form.dbcbTipoOs->isHidden());
    EXPECT_GE(form.paCabecalho->minimumHeight(), 172);
    EXPECT_EQ(form.dbcbTipoOs->pickList(), tipos.mid(0, 20));

    ASSERT_EQ(form.dbgdOrdemServicoServicos->columnByField("AAESPECIE"), nullptr) << "not designed";
    form.CarregaEspeciesMaisUsados();
    ASSERT_NE(form.dbgdOrdemServicoServicos->columnByField("AAESPECIE"), nullptr);
    EXPECT_TRUE(form.dbgdOrdemServicoServicos->columnByField("AAESPECIE")->visible());
    EXPECT_EQ(form.dbgdOrdemServicoServicos->columnByField("AAESPECIE")->pickList(), especies.mid(0, 10));

    parametro("ATIMPRIMECOMPROVANTEOS", "N");
    form.CarregaEspeciesMaisUsados();
    EXPECT_FALSE(form.dbgdOrdemServicoServicos->columnByField("AAESPECIE")->visible());
}

TEST_F(OrdemServicoModosTest, AnyOtherClassificationOptionHidesTheClassification)
{
    parametro("ATCLASSIFICACAOOS", "N");
    TfmAssOrdemServico& form = abrir();
    EXPECT_TRUE(form.laClassificacao->isHidden());
    EXPECT_TRUE(form.dbcbTipoOs->isHidden());
    EXPECT_GE(form.paCabecalho->minimumHeight(), 150);
}

}  // namespace
}  // namespace moduletest
