// The expense and project grids and the report texts of the service-order
// window opened on order 42 through the dispatcher: designed columns, the
// carrier search, the technician search falling back to the reference
// search, and the report texts picked from the defect register.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "service_orders/uAssOrdemServico.h"
#include "shared_windows/uPesqAssDefeitos.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

using host::ui::DataGrid;
using host::ui::Form;

class OrdemServicoDespesasTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
             " values (42, '00003', '2026-11-02', 'A', 'M')");
        exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('T0042', 'TRANSPORTES DESPESA', 'T')");
        exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('F0042', 'FORNECEDOR DESPESA', 'F')");
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO) values (77, 'TECNICO VIAGEM', 'S')");
        defeito(12, "RUIDO", "D", {});
        defeito(13, "VAZAMENTO", "D", "VEDACAO GASTA");
        defeito(20, "DESGASTE", "C", "USO SEM MANUTENCAO");
        defeito(30, "TROCA", "S", "TROCAR O ROLAMENTO");
        tr().commitRetaining();
    }
    void defeito(int codigo, const QString& descricao, const QString& tipo, const QString& observacao)
    {
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR, ADOBSERVACAO) values (:C, :D, :T, :O)",
             {{"C", codigo}, {"D", descricao}, {"T", tipo}, {"O", observacao.isEmpty() ? QVariant() : observacao}});
    }
    static void selecionar(DataGrid* grade, const char* campo)
    {
        const int indice = RetornaColuna(campo, grade);
        ASSERT_GE(indice, 0) << campo;
        grade->setSelectedIndex(indice);
    }
    // The host's search answered with the row whose column holds the value;
    // an empty value cancels it.
    void naPesquisa(const QString& coluna, const QVariant& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](Form& form) {
            auto& janela = static_cast<TfmPesquisa&>(form);
            if (valor.isNull()) {
                janela.close();
                return;
            }
            ASSERT_TRUE(janela.dataSource()->dataset()->locate(coluna, valor)) << valor.toString().toStdString();
            QTest::keyClick(janela.grid(), Qt::Key_Return);
        });
    }
    // The defect register's search answered with that code.
    void noRegistroDeDefeitos(int codigo)
    {
        dialogs->modal("fmPesquisaAssDefeitos", [codigo](Form& form) {
            auto& busca = static_cast<TfmPesquisaAssDefeitos&>(form);
            busca.bbPesquisa->click();
            ASSERT_TRUE(busca.quConsulta->locate("ADCODIGO", codigo));
            busca.dbgdPesqDefeito->onDblClick();
        });
    }
    // A double click as the memo runs it: a refusal ends it with its message.
    static void clicar(host::ui::DataMemo* memo) { host::ui::runGuarded(memo->onDblClick); }
    QString lidoDaOrdem(const char* coluna) const
    {
        return lido(QString("select %1 from AATC01AO where AOCODIGO = 42").arg(coluna)).value(0);
    }
};

TEST_F(OrdemServicoDespesasTest, TheThreeGridsHaveTheirDesignedColumns)
{
    TfmAssOrdemServico& form = abrir();
    auto campos = [](const DataGrid* grade) {
        QStringList nomes;
        for (const auto& coluna : grade->columns())
            nomes << coluna->fieldName() + (coluna->visible() ? "" : "(oculta)");
        return nomes;
    };
    EXPECT_EQ(campos(form.dbgdOrdemServicoDespViagem),
              (QStringList{"AVDATA", "AVHORAINICIO", "AVHORAFIM", "AVPEDQUANTIDADE", "AVPEDVALOR", "AVPEDVALORTOTAL",
                           "AVKMVALOR", "AVKMPERCORRIDO", "AVKMVALORTOTAL", "AVVALORTOTAL", "ATCODIGO",
                           "AOCODIGO(oculta)", "AVCODIGO(oculta)"}));
    EXPECT_EQ(form.dbgdOrdemServicoDespViagem->columnByField("ATCODIGO")->title(), "Código Técnico");
    EXPECT_EQ(campos(form.dbgdOrdemServicoDespExtra),
              (QStringList{"AXNUMERO", "AXSERIE", "AXDATA", "AXVALOR", "AXTIPO", "AXOBSERVACAO", "AXCODIGO",
                           "FOCODIGO", "FORNECEDOR", "FOCODIGOTRANSPORTADOR", "TRANSPORTADORA",
                           "AOCODIGO(oculta)"}));
    EXPECT_TRUE(form.dbgdOrdemServicoDespExtra->columnByField("TRANSPORTADORA")->readOnly());
    EXPECT_EQ(form.dbgdOrdemServicoDespExtra->columnByField("AXCODIGO")->title(), "Sequência");
    EXPECT_EQ(campos(form.dbgdOrdemServicoProjeto),
              (QStringList{"PRCODIGO", "DESCRICAO", "AQQUANTIDADE", "AQVALOR", "AQDESCONTO", "AQVALORTOTAL",
                           "AQOBSERVACAO", "VECODIGO", "OFCODIGO"}));
    EXPECT_EQ(form.dbgdOrdemServicoProjeto->columnByField("AQDESCONTO")->title(), "% Desconto");
}

TEST_F(OrdemServicoDespesasTest, OnlyASupplierOfTypeTIsTakenAsCarrier)
{
    exec("insert into AATC01AX (AOCODIGO, AXCODIGO, AXNUMERO, AXVALOR) values (42, 1, '000001', 15)");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsDespesaExtra);
    ASSERT_EQ(dmTec->quOSDespExtra->recordCount(), 1);
    selecionar(form.dbgdOrdemServicoDespExtra, "FOCODIGOTRANSPORTADOR");
    naPesquisa("FCOD", "F0042");
    dialogs->acknowledge("Fornecedor selecionado não do Tipo \"Transportadora\".");
    form.dbgdOrdemServicoDespExtra->editButtonClick();
    EXPECT_TRUE(dmTec->quOSDespExtra->fieldByName("FOCODIGOTRANSPORTADOR")->asString().isEmpty());

    naPesquisa("FCOD", "T0042");
    form.dbgdOrdemServicoDespExtra->editButtonClick();
    // The supplier column takes any type.
    selecionar(form.dbgdOrdemServicoDespExtra, "FOCODIGO");
    naPesquisa("FCOD", "F0042");
    form.dbgdOrdemServicoDespExtra->editButtonClick();
    form.bbSalvar->click();
    EXPECT_EQ(lido("select FOCODIGOTRANSPORTADOR || '/' || FOCODIGO from AATC01AX where AOCODIGO = 42"),
              QStringList{"T0042/F0042"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(OrdemServicoDespesasTest, ACancelledTechnicianSearchOpensTheReferenceSearch)
{
    exec("insert into AATC01AV (AOCODIGO, AVCODIGO, AVDATA) values (42, 1, '2026-11-03')");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsDespesaViagem);
    selecionar(form.dbgdOrdemServicoDespViagem, "ATCODIGO");
    naPesquisa("atCodigo", {});            // the technician search, cancelled
    naPesquisa("ATCODIGO", 77);            // the grid's reference search
    form.dbgdOrdemServicoDespViagem->editButtonClick();
    EXPECT_EQ(dmTec->quOSDespViagem->fieldByName("ATCODIGO")->asInteger(), 77);
    EXPECT_EQ(dialogs->pending(), 0);

    naPesquisa("atCodigo", 77);
    form.dbgdOrdemServicoDespViagem->editButtonClick();
    form.bbSalvar->click();
    EXPECT_EQ(lido("select ATCODIGO from AATC01AV where AOCODIGO = 42"), QStringList{"77"});
}

TEST_F(OrdemServicoDespesasTest, TheProjectButtonsPickTheProductAndTheOperation)
{
    parametro("ATOPCAOTELAOS", "P");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO) values ('PRJ01', 'Wprojetor', 10, 4)");
    exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5949', 'Remessa para OS', '1')"
         " matching (COD_OP)");
    exec("insert into AATC01AQ (AQCODIGO, AOCODIGO, AQQUANTIDADE) values (1, 42, 2)");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsProjeto);
    ASSERT_EQ(dmTec->quOSProj->recordCount(), 1);
    selecionar(form.dbgdOrdemServicoProjeto, "PRCODIGO");
    dialogs->modal("fmPesquisa", [](Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisa&>(janela);
        QTest::keyClicks(pesquisa.grid(), "Wprojetor");
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    form.dbgdOrdemServicoProjeto->editButtonClick();
    selecionar(form.dbgdOrdemServicoProjeto, "OFCODIGO");
    naPesquisa("COD_OP", "5949");
    form.dbgdOrdemServicoProjeto->editButtonClick();
    form.bbSalvar->click();
    SalvarAlteracoes(*dmTec->quOSProj);
    EXPECT_EQ(lido("select PRCODIGO || '/' || OFCODIGO from AATC01AQ where AOCODIGO = 42"),
              QStringList{"PRJ01/5949"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(OrdemServicoDespesasTest, ReportTextsComeFromTheDefectRegisterByKind)
{
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsLaudo);

    noRegistroDeDefeitos(12);
    clicar(form.dbmeLaudo);
    EXPECT_EQ(lido("select AODESCRICAOLAUDO || '|' from AATC01AO where AOCODIGO = 42"), QStringList{"12 - RUIDO - |"})
        << "no observation: the description between";

    noRegistroDeDefeitos(13);
    clicar(form.dbmeLaudo);
    EXPECT_EQ(lidoDaOrdem("AODESCRICAOLAUDO"), "13 - VEDACAO GASTA");

    // A cause is no defect outside the vehicle mode.
    noRegistroDeDefeitos(20);
    dialogs->acknowledge("Tipo de Defeito inválido.");
    clicar(form.dbmeLaudo);
    EXPECT_EQ(lidoDaOrdem("AODESCRICAOLAUDO"), "13 - VEDACAO GASTA");

    noRegistroDeDefeitos(20);
    clicar(form.dbmeCausa);
    EXPECT_EQ(lidoDaOrdem("AOCAUSA"), "20 - USO SEM MANUTENCAO");

    noRegistroDeDefeitos(13);
    dialogs->acknowledge("Tipo de Solução inválido.");
    clicar(form.dbmeSolucao);
    noRegistroDeDefeitos(30);
    clicar(form.dbmeSolucao);
    EXPECT_EQ(lidoDaOrdem("AOSOLUCAO"), "30 - TROCAR O ROLAMENTO");

    noRegistroDeDefeitos(30);
    dialogs->acknowledge("Tipo de Causa inválido.");
    clicar(form.dbmeCausa);
    EXPECT_EQ(lidoDaOrdem("AOCAUSA"), "20 - USO SEM MANUTENCAO");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(OrdemServicoDespesasTest, InVehicleModeAnyEntryIsTheReportTextAsItsObservation)
{
    parametro("ATMODOVEICULO", "O");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsLaudo);
    EXPECT_EQ(form.gbLaudo->title(), "Laudo");
    noRegistroDeDefeitos(20);
    clicar(form.dbmeLaudo);
    EXPECT_EQ(lidoDaOrdem("AODESCRICAOLAUDO"), "USO SEM MANUTENCAO") << "a cause accepted in vehicle mode";
}

}  // namespace
}  // namespace moduletest
