// The entry grids of the service-order window opened through the dispatcher
// on order 42: designed columns, the edit buttons of the service and parts
// grids (cost, times, product search), spreading the service value, the
// duplicate and per-item lines, the required-quantity title, the row
// colours, the item grids' look-ups and title clicks, the keys, and the
// stock withdrawal.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uprincipal.h"
#include "host/db/Database.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/WindowRegistry.h"
#include "host/ui/Layouts.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoHora.h"
#include "shared_windows/uPesqAssDefeitos.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QDateTime>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <vector>

namespace moduletest {
namespace {

using host::ui::DataGrid;
using host::ui::Form;
using host::ui::GridColumn;

class OrdemServicoGradesTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO, COM_FAB_S_FS) values"
             " ('SRV01', 'Wmaodeobra', 50, 0, '7')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO) values ('PEC01', 'Wcorreia', 10, 4)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO) values ('PEC02', 'Wkit motor', 80, 30)");
        exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMVALOR, CMQUANTIDADE) values"
             " ('PEC02', 1, 'PEC01', 4, 3)");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
             " values (42, '00003', '2026-11-02', 'A', 'M')");
        item(1);
    }
    void item(int codigo, const QString& extra = {}, const QString& valores = {})
    {
        exec(QString("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO%1) values (42, %2, 'Item %2'%3)")
                 .arg(extra.isEmpty() ? QString() : ", " + extra)
                 .arg(codigo)
                 .arg(valores.isEmpty() ? QString() : ", " + valores));
    }
    void servico(int linha, double quantidade, double valor, const QString& autorizado = "S")
    {
        exec(QString("insert into AATC01AA (AOCODIGO, AOITCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR,"
                     " AAVALORTOTAL, AAAUTORIZADO, AATIPO) values (42, 1, %1, 'SRV01', %2, %3, %4, '%5', '3')")
                 .arg(linha)
                 .arg(quantidade)
                 .arg(valor)
                 .arg(quantidade * valor)
                 .arg(autorizado));
    }
    void peca(int sequencia, const QString& produto, double quantidade, double valor, const QString& autorizado = "S",
              const QDateTime& inserido = QDateTime::currentDateTime())
    {
        exec(QString("insert into AATC01AP (AOCODIGO, AOITCODIGO, APSEQUENCIA, PRCODIGO, APQUANTIDADE,"
                     " APQUANTIDADEREQUERIDA, APVALUNITARIO, APVALTOTAL, APAUTORIZADO, UGINSERIDO, APTIPO)"
                     " values (42, 1, %1, '%2', %3, %3 + 2, %4, %5, '%6', '%7', '3')")
                 .arg(sequencia)
                 .arg(produto)
                 .arg(quantidade)
                 .arg(valor)
                 .arg(quantidade * valor)
                 .arg(autorizado, inserido.toString("yyyy-MM-dd hh:mm:ss")));
    }
    static QStringList campos(const DataGrid* grade)
    {
        QStringList nomes;
        for (const auto& coluna : grade->columns())
            nomes << coluna->fieldName();
        return nomes;
    }
    static void selecionar(DataGrid* grade, const char* campo)
    {
        const int indice = RetornaColuna(campo, grade);
        ASSERT_GE(indice, 0) << campo;
        grade->setSelectedIndex(indice);
    }
    // The product search answered with the row whose description starts with the text.
    void escolherProduto(const QString& descricao)
    {
        dialogs->modal("fmPesquisa", [descricao](Form& form) {
            auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
            QTest::keyClicks(pesquisa.grid(), descricao);
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
    }
    static bool editorAberto(const DataGrid* grade) { return grade->indexWidget(grade->currentIndex()) != nullptr; }
    // The required quantity's title clicked with the mouse.
    static void clicarTituloRequerida(DataGrid* grade)
    {
        const int coluna = grade->columnByField("APQUANTIDADEREQUERIDA")->index();
        grade->scrollTo(grade->model()->index(0, coluna));
        QHeaderView* titulos = grade->horizontalHeader();
        QTest::mouseClick(titulos->viewport(), Qt::LeftButton, {},
                          QPoint(titulos->sectionViewportPosition(coluna) + titulos->sectionSize(coluna) / 2,
                                 titulos->height() / 2));
    }
    void empresa(int codigo)
    {
        exec(QString("update EMPRESA set UGESPECIFICOEMPRESA = %1").arg(codigo));
        dmGlobal->CarregaEmpresa();
    }
};

TEST_F(OrdemServicoGradesTest, TheEntryGridsHaveTheirNamesAndDesignedColumns)
{
    TfmAssOrdemServico& form = abrir();
    for (const char* nome : {"dbgdOrdemServicoItens", "dbgdOrdemServicoItensVeiculo", "dbgdOrdemServicoServicos",
                             "dbgdOrdemServicoPecas", "dbgdOrdemServicoDespViagem", "dbgdOrdemServicoDespExtra",
                             "dbgdOrdemServicoProjeto"})
        EXPECT_NE(form.findChild<DataGrid*>(nome), nullptr) << nome;
    ASSERT_NE(form.dbedValorServico, nullptr);
    EXPECT_EQ(form.dbedValorServico->objectName(), "dbedValorServico");
    EXPECT_EQ(campos(form.dbgdOrdemServicoServicos),
              (QStringList{"AOCODIGO", "AOITCODIGO", "AACODIGO", "PRCODIGO", "DESCRICAO", "AAQUANTIDADE", "AAVALOR",
                           "AAVALORTOTAL", "AATOTAL", "AAAUTORIZADO", "ATCODIGO", "OFCODIGO", "DescricaoHora",
                           "DescEquipOS"}));
    EXPECT_EQ(campos(form.dbgdOrdemServicoPecas),
              (QStringList{"AOCODIGO", "AOITCODIGO", "APSEQUENCIA", "PRCODIGO", "DESCRICAO", "APQUANTIDADE",
                           "APQUANTIDADEREQUERIDA", "APVALUNITARIO", "APDESCONTO", "APVALTOTAL", "APAUTORIZADO",
                           "APNUMEROSERIE", "LECODIGO", "OFCODIGO", "ATCODIGO", "UGINSERIDO", "DescEquipOS"}));
    const QStringList itens = campos(form.dbgdOrdemServicoItens);
    ASSERT_EQ(itens.size(), 31);
    EXPECT_EQ(itens.mid(0, 6), (QStringList{"AOITEQUIPCODIGO", "AOITEQUIPDESCRICAO", "AOITCODIGOINTERNO", "AOITSERIE",
                                            "AOITQUANTIDADE", "AOITDEFEITO"}));
    EXPECT_EQ(itens.last(), "ACCODIGO");
    EXPECT_EQ(campos(form.dbgdOrdemServicoItensVeiculo), itens);

    using Botao = GridColumn::ButtonStyle;
    auto botoes = [](const DataGrid* grade) {
        QStringList nomes;
        for (const auto& coluna : grade->columns())
            if (coluna->buttonStyle() == Botao::Ellipsis)
                nomes << coluna->fieldName();
        return nomes;
    };
    EXPECT_EQ(botoes(form.dbgdOrdemServicoServicos),
              (QStringList{"PRCODIGO", "DESCRICAO", "AAVALOR", "AATOTAL", "ATCODIGO"}));
    EXPECT_EQ(botoes(form.dbgdOrdemServicoPecas), (QStringList{"PRCODIGO", "APVALUNITARIO", "APNUMEROSERIE"}));
    EXPECT_TRUE(botoes(form.dbgdOrdemServicoItens).contains("AOITEQUIPDESCRICAO"));
    EXPECT_FALSE(botoes(form.dbgdOrdemServicoItensVeiculo).contains("AOITEQUIPDESCRICAO"));
    EXPECT_EQ(form.dbgdOrdemServicoServicos->columnByField("AAAUTORIZADO")->pickList(),
              (QStringList{"Sim", "Não", "Devolvido"}));
    EXPECT_EQ(form.dbgdOrdemServicoItens->columnByField("AOITCOMBUSTIVEL")->pickList(),
              (QStringList{"Álcool", "Diesel", "Gasolina", "GNV", "Óleo"}));
    EXPECT_EQ(form.dbgdOrdemServicoItens->columnByField("AOITSERIE")->title(), "Número de Série");
    EXPECT_EQ(form.dbgdOrdemServicoItens->columnByField("DESCRICAOCONSECIONARIA")->title(), "Consecionária");
    EXPECT_TRUE(form.dbgdOrdemServicoItens->columnByField("DESCRICAOCONSECIONARIA")->readOnly());
    EXPECT_FALSE(form.dbgdOrdemServicoServicos->columnByField("AOCODIGO")->visible());
}

// "<" and ">" show the lines of the order they lead to on the tab shown,
// without a change of tab: none left of the order before.
TEST_F(OrdemServicoGradesTest, TheArrowsShowTheLinesOfTheOrderTheyLeadTo)
{
    peca(1, "PEC01", 2, 10);
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
         " values (43, '00003', '2026-11-03', 'A', 'M')");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsPecasOS);
    ASSERT_EQ(form.dbgdOrdemServicoPecas->model()->rowCount(), 1);
    form.sbProximo->click();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43);
    EXPECT_EQ(form.dbgdOrdemServicoPecas->model()->rowCount(), 0);
    form.sbAnterior->click();
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 42);
    ASSERT_EQ(form.dbgdOrdemServicoPecas->model()->rowCount(), 1);
    EXPECT_EQ(dmTec->quOSPecas->fieldByName("PRCODIGO")->asString(), "PEC01");
}

// "Autorizado" of the parts and services takes its listed values only: a
// word of no caption is refused where typed and the line keeps its mark.
TEST_F(OrdemServicoGradesTest, AuthorisedTakesOnlyItsListedValues)
{
    servico(1, 1, 50);
    peca(1, "PEC01", 1, 10);
    TfmAssOrdemServico& form = abrir();
    const struct {
        host::ui::TabSheet* aba;
        DataGrid* grade;
        host::data::Query* linhas;
        const char* campo;
        const char* lido;
    } casos[] = {
        {form.tsServico, form.dbgdOrdemServicoServicos, dmTec->quOSAndamento, "AAAUTORIZADO",
         "select AAAUTORIZADO from AATC01AA where AOCODIGO = 42"},
        {form.tsPecasOS, form.dbgdOrdemServicoPecas, dmTec->quOSPecas, "APAUTORIZADO",
         "select APAUTORIZADO from AATC01AP where AOCODIGO = 42"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.campo);
        aba(form, caso.aba);
        dialogs->acknowledge("'Xablau' não é um valor de Autorizado. Use Sim, Não, Espera ou Devolvido.");
        celula(caso.grade, caso.campo, "Xablau", Qt::Key_Return);
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
        caso.linhas->cancel();
        EXPECT_EQ(lido(caso.lido), QStringList{"S"});
    }
}

TEST_F(OrdemServicoGradesTest, ThePickListCaptionStoresItsLetter)
{
    servico(1, 1, 10);
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    dmTec->quOSAndamento->edit();
    dmTec->quOSAndamentoAAAUTORIZADO->setText("Não");
    form.bbSalvar->click();
    EXPECT_EQ(valor("select AAAUTORIZADO from AATC01AA where AOCODIGO = 42").toString(), "N");
}

TEST_F(OrdemServicoGradesTest, CostButtonsWriteTheCostTotalAsTheUnitValue)
{
    servico(1, 2, 50);
    peca(1, "PEC02", 1, 80);
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    selecionar(form.dbgdOrdemServicoServicos, "AAVALORTOTAL");
    dialogs->modal("fmAssOrdemServicoCusto", [](Form& custo) { custo.close(); });
    form.dbgdOrdemServicoServicos->editButtonClick();
    EXPECT_DOUBLE_EQ(dmTec->quOSAndamentoAAVALOR->asFloat(), 0) << "a service without composition costs 0";

    aba(form, form.tsPecasOS);
    selecionar(form.dbgdOrdemServicoPecas, "APVALTOTAL");
    dialogs->modal("fmAssOrdemServicoCusto", [](Form& custo) { custo.close(); });
    form.dbgdOrdemServicoPecas->editButtonClick();
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasAPVALUNITARIO->asFloat(), 12) << "3 x 4 of its composition";
    form.bbSalvar->click();
    EXPECT_DOUBLE_EQ(valor("select AAVALOR from AATC01AA where AOCODIGO = 42").toDouble(), 0);
    EXPECT_DOUBLE_EQ(valor("select APVALUNITARIO from AATC01AP where AOCODIGO = 42").toDouble(), 12);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(OrdemServicoGradesTest, ExecutionTimesAreNumberedPerLineAndStayAfterTheDialog)
{
    servico(1, 1, 50);
    servico(2, 1, 50);
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    dmTec->quOSAndamento->last();
    selecionar(form.dbgdOrdemServicoServicos, "AATOTAL");
    dialogs->modal("fmAssOrdemServicoHora", [](Form& janela) {
        auto& hora = static_cast<TfmAssOrdemServicoHora&>(janela);
        EXPECT_EQ(janela.windowTitle(), "Horário de Execução do Serviço");
        QStringList colunas;
        for (const auto& c : hora.dbgdAssOrdemServicoHora->columns())
            colunas << c->fieldName();
        EXPECT_EQ(colunas, (QStringList{"AAITDATA", "AAITINICIO", "AAITFIM"}));
        for (const char* inicio : {"08:00", "13:30"}) {
            dmTec->quOSAndaIt->append();
            dmTec->quOSAndaItAAITINICIO->setText(inicio);
            dmTec->quOSAndaItAAITFIM->setText("09:15");
            dmTec->quOSAndaIt->post();
        }
        janela.close();
    });
    form.dbgdOrdemServicoServicos->editButtonClick();
    EXPECT_FALSE(fmAssOrdemServicoHora) << "freed";
    EXPECT_EQ(valor("select list(AAITSEQUENCIA) from (select AAITSEQUENCIA from AATC01AAIT"
                    " where AOCODIGO = 42 and AACODIGO = 2 order by AAITSEQUENCIA)")
                  .toString(),
              "1,2");
    EXPECT_EQ(valor("select count(*) from AATC01AAIT where AACODIGO = 1").toInt(), 0);
}

TEST_F(OrdemServicoGradesTest, TheProductSearchAppendsLinesUnderTagEightAndClearsItAfterAFailure)
{
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsPecasOS);
    selecionar(form.dbgdOrdemServicoPecas, "PRCODIGO");
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(dmTec->quOS->tag(), 8) << "while the product search runs";
        auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
        QTest::keyClicks(pesquisa.grid(), "Wcorr");
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    form.dbgdOrdemServicoPecas->editButtonClick();
    EXPECT_EQ(dmTec->quOS->tag(), 0);
    EXPECT_EQ(valor("select PRCODIGO from AATC01AP where AOCODIGO = 42").toString().trimmed(), "PEC01");
    EXPECT_DOUBLE_EQ(valor("select APQUANTIDADE from AATC01AP where AOCODIGO = 42").toDouble(), 1);

    dialogs->modal("fmPesquisa", [](Form&) { throw std::runtime_error("falha na pesquisa"); });
    EXPECT_ANY_THROW(form.dbgdOrdemServicoPecasEditButtonClick());
    EXPECT_EQ(dmTec->quOS->tag(), 0) << "also after a failure";
}

TEST_F(OrdemServicoGradesTest, ColumnsActByTheirFieldAndALayoutAddedColumnActsToo)
{
    servico(1, 1, 50);
    QSettings store(host::ui::Layouts::settingsFile(), QSettings::IniFormat);
    store.beginGroup("Grade_dbgdOrdemServicoServicos");
    store.beginWriteArray("Colunas", 2);
    store.setArrayIndex(0);
    store.setValue("Campo", "AAINFORMACAO");
    store.setArrayIndex(1);
    store.setValue("Campo", "PRCODIGO");
    store.endArray();
    store.endGroup();
    store.sync();
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    DataGrid* grade = form.dbgdOrdemServicoServicos;
    ASSERT_EQ(RetornaColuna("AAINFORMACAO", grade), 0) << "the layout brought the column first";
    selecionar(grade, "AAINFORMACAO");
    dialogs->modal({}, [](Form& lista) {
        EXPECT_EQ(dmTec->quOSAndDef->active(), true) << "the line's defects";
        lista.close();
    });
    grade->editButtonClick();

    dialogs->modal("fmPesquisa", [](Form& form) {
        auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
        EXPECT_EQ(pesquisa.searchKind(), 25) << "operations";
        form.close();
    });
    selecionar(grade, "OFCODIGO");
    grade->editButtonClick();

    selecionar(grade, "AAQUANTIDADE");   // no action and no reference search of its own
    grade->editButtonClick();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dmTec->quOSAndamento->state(), host::data::DatasetState::Browse);
}

TEST_F(OrdemServicoGradesTest, TheDefectColumnWritesThePickedDefectsDescription)
{
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR) values (951, 'Nao liga na tomada', 'D')");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsItens);
    selecionar(form.dbgdOrdemServicoItens, "AOITDEFEITO");
    dialogs->modal("fmPesquisaAssDefeitos", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssDefeitos&>(janela);
        busca.edDescricao->setText("tomada");
        busca.bbPesquisa->click();
        busca.dbgdPesqDefeito->onDblClick();
    });
    form.dbgdOrdemServicoItens->editButtonClick();
    EXPECT_EQ(dmTec->quOSItem->fieldByName("AOITDEFEITO")->asString(), "Nao liga na tomada");
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    form.bbSalvar->click();
    EXPECT_EQ(committed("select AOITDEFEITO from AATC01AOIT where AOCODIGO = 42 and AOITCODIGO = 1").toString(),
              "Nao liga na tomada");

    dialogs->modal("fmPesquisaAssDefeitos", [](Form& janela) { janela.close(); });
    form.dbgdOrdemServicoItens->editButtonClick();
    EXPECT_EQ(dmTec->quOSItem->state(), host::data::DatasetState::Browse) << "nothing picked, nothing edited";
}

TEST_F(OrdemServicoGradesTest, CompanySixteenSpreadsTheServiceValueWithTheRemainderOnTheFirstLine)
{
    for (int linha = 1; linha <= 3; ++linha)
        servico(linha, 1, 10);
    empresa(7);
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    dmTec->quOS->edit();
    dmTec->quOSAOVALORSERVICO->setAsFloat(100);
    form.dbedValorServicoExit();
    EXPECT_DOUBLE_EQ(valor("select sum(AAVALOR) from AATC01AA where AOCODIGO = 42").toDouble(), 30)
        << "another company changes nothing";

    empresa(16);
    form.dbedValorServicoExit();
    form.bbSalvar->click();
    EXPECT_NEAR(valor("select AAVALOR from AATC01AA where AOCODIGO = 42 and AACODIGO = 1").toDouble(), 33.34, 1e-9);
    EXPECT_NEAR(valor("select AAVALOR from AATC01AA where AOCODIGO = 42 and AACODIGO = 2").toDouble(), 33.33, 1e-9);
    EXPECT_NEAR(valor("select AAVALOR from AATC01AA where AOCODIGO = 42 and AACODIGO = 3").toDouble(), 33.33, 1e-9);
    EXPECT_NEAR(valor("select AOVALORSERVICO from AATC01AO where AOCODIGO = 42").toDouble(), 100, 1e-9);
}

// The value typed into the totals box and left with Tab, then "Salvar":
// whatever the quantities, the stored lines add up to it to the cent.
TEST_F(OrdemServicoGradesTest, TheSpreadServiceValueIsWhatTheLinesAddUpTo)
{
    empresa(16);
    servico(1, 2, 10);
    servico(2, 1, 10);
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    auto espalhar = [&](const QString& digitado) {
        digita(form.dbedValorServico, digitado);
        form.bbSalvar->click();
        return committed("select list(cast(AAQUANTIDADE as integer) || 'x' || cast(AAVALOR as numeric(9,4)) || '=' ||"
                         " cast(AAVALORTOTAL as numeric(9,2)), ' ')"
                         " from (select * from AATC01AA where AOCODIGO = 42 order by AACODIGO)")
            .toString();
    };
    auto soma = [&] { return committed("select sum(AAVALORTOTAL) from AATC01AA where AOCODIGO = 42").toDouble(); };
    const QString linhas = espalhar("100,00");
    EXPECT_NEAR(soma(), 100, 1e-9) << linhas.toStdString();
    EXPECT_EQ(linhas, "2x33.3300=66.66 1x33.3400=33.34") << "the cent left over on the one-unit line";
    EXPECT_NEAR(committed("select AOVALORSERVICO from AATC01AO where AOCODIGO = 42").toDouble(), 100, 1e-9);

    // Two units on each line: no unit value in cents makes an odd number of cents.
    exec("update AATC01AA set AAQUANTIDADE = 2 where AOCODIGO = 42");
    dmGlobal->IBTransaction1->commitRetaining();
    aba(form, form.tsServico);
    const QString pares = espalhar("100,01");
    EXPECT_NEAR(soma(), 100.01, 1e-9) << pares.toStdString();

    // A discount on a line is part of its total.
    exec("update AATC01AA set AAQUANTIDADE = 1, AADESCONTO = 10 where AOCODIGO = 42 and AACODIGO = 2");
    dmGlobal->IBTransaction1->commitRetaining();
    aba(form, form.tsServico);
    const QString desconto = espalhar("90,00");
    EXPECT_NEAR(soma(), 90, 1e-9) << desconto.toStdString();

    // Lines whose quantities divide no remainder, with and without discounts:
    // the sum is still the typed value, and so is the header.
    struct Caso {
        QList<double> quantidades;
        QList<double> descontos;
        const char* digitado;
        double esperado;
    };
    const Caso casos[] = {
        {{3, 3}, {0, 0}, "100,00", 100},        {{3, 3, 3}, {0, 0, 0}, "100,00", 100},
        {{7}, {0}, "10,00", 10},                {{3, 6}, {0, 0}, "1.000,01", 1000.01},
        {{3, 3}, {10, 0}, "100,00", 100},       {{3, 7}, {5, 15}, "950,50", 950.5},
        {{0.5, 3}, {0, 0}, "33,33", 33.33},     {{2, 4}, {0, 0}, "0,01", 0.01},
    };
    for (const Caso& caso : casos) {
        exec("delete from AATC01AA where AOCODIGO = 42");
        for (int i = 0; i < caso.quantidades.size(); ++i) {
            servico(i + 1, caso.quantidades[i], 10);
            exec(QString("update AATC01AA set AADESCONTO = %1 where AOCODIGO = 42 and AACODIGO = %2")
                     .arg(caso.descontos[i])
                     .arg(i + 1));
        }
        dmGlobal->IBTransaction1->commitRetaining();
        aba(form, form.tsServico);
        const QString gravadas = espalhar(caso.digitado);
        EXPECT_NEAR(soma(), caso.esperado, 1e-9) << caso.digitado << ": " << gravadas.toStdString();
        EXPECT_NEAR(committed("select AOVALORSERVICO from AATC01AO where AOCODIGO = 42").toDouble(), caso.esperado,
                    1e-9)
            << caso.digitado;
    }
}

// A remanufacture order: the service line stands for its items, and an
// item approved in the items grid gives the line the number of approved
// items; its total follows by the line's rule, discount included.
TEST_F(OrdemServicoGradesTest, ApprovingAnItemTotalsItsServiceLineWithTheLinesDiscount)
{
    parametro("ATREMANUFATURA", "S");
    exec("update AATC01AO set AOREMANUFATURA = 'R' where AOCODIGO = 42");
    servico(1, 1, 25.5);
    exec("update AATC01AA set AADESCONTO = 10, AAESPECIE = 'A' where AOCODIGO = 42");
    exec("update AATC01AOIT set AOITEQUIPDESCRICAO = 'SRV01', AACODIGO = 1, AOITAPROVADO = 'S' where AOCODIGO = 42");
    item(2, "AACODIGO", "1");
    exec("update AATC01AOIT set AOITEQUIPDESCRICAO = 'SRV01' where AOCODIGO = 42 and AOITCODIGO = 2");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsItens);
    ASSERT_TRUE(dmTec->quOSItem->locate("AOITCODIGO", 2));
    celula(form.dbgdOrdemServicoItens, "AOITAPROVADO", "Sim");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(committed("select cast(AAQUANTIDADE as integer) || '=' || cast(AAVALORTOTAL as numeric(9,2)) from"
                        " AATC01AA where AOCODIGO = 42 and AACODIGO = 1")
                  .toString(),
              "2=45.90")
        << "two approved at 25,50 less 10 %";
}

TEST_F(OrdemServicoGradesTest, NothingToSpreadWithoutLinesOrQuantities)
{
    empresa(16);
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    form.dbedValorServicoExit();
    servico(1, 0, 10);
    aba(form, form.tsServico);
    form.dbedValorServicoExit();
    EXPECT_DOUBLE_EQ(valor("select AAVALOR from AATC01AA where AOCODIGO = 42").toDouble(), 10);
}

TEST_F(OrdemServicoGradesTest, F8DuplicatesTheStoredPartOnceWithANewKey)
{
    peca(1, "PEC01", 2, 10);
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsPecasOS);
    dmTec->quOSPecas->edit();
    dmTec->quOSPecasAPQUANTIDADE->setAsFloat(9);   // typed, not stored
    dialogs->answer("Sim", "Tem certeza de que deseja duplicar registro?");
    form.dbgdOrdemServicoPecas->setFocus();
    QTest::keyClick(form.dbgdOrdemServicoPecas, Qt::Key_F8);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(valor("select count(*) from AATC01AP where AOCODIGO = 42").toInt(), 2) << "once";
    EXPECT_DOUBLE_EQ(valor("select APQUANTIDADE from AATC01AP where AOCODIGO = 42 and APSEQUENCIA <> 1").toDouble(), 2)
        << "the stored quantity";
    EXPECT_EQ(valor("select PRCODIGO from AATC01AP where AOCODIGO = 42 and APSEQUENCIA <> 1").toString().trimmed(),
              "PEC01");

    dialogs->answer("Não");
    QTest::keyClick(form.dbgdOrdemServicoPecas, Qt::Key_F8);
    EXPECT_EQ(valor("select count(*) from AATC01AP where AOCODIGO = 42").toInt(), 2);
}

TEST_F(OrdemServicoGradesTest, AServiceProductPerItemGivesEachItemAServiceLine)
{
    item(2);
    item(3);
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Sim", "inserir peça ou serviço para cada item");
    escolherProduto("Wmao");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(valor("select list(AOITCODIGO) from (select AOITCODIGO from AATC01AA where AOCODIGO = 42"
                    " and PRCODIGO = 'SRV01' order by AOITCODIGO)")
                  .toString(),
              "1,2,3");
    EXPECT_EQ(valor("select count(*) from AATC01AP where AOCODIGO = 42").toInt(), 0);
}

TEST_F(OrdemServicoGradesTest, PartsPerItemCostOneNewLineEachPlusAConstant)
{
    for (int codigo = 2; codigo <= 50; ++codigo)
        item(codigo);
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Sim");
    escolherProduto("Wcorr");
    dialogs->acknowledge("Operação efetuada com sucesso!");
    testsupport::StatementCounter contador;
    form.OSInserirPecaPorItem();
    const int total = contador.count();
    std::printf("[ cost ] one part per item over 50 items: %d statements, %d prepared\n", total, contador.prepares());
    EXPECT_EQ(valor("select count(*) from AATC01AP where AOCODIGO = 42").toInt(), 50);

    // One more parts line appended alone, for the per-line cost.
    dmTec->quOSItem->first();
    testsupport::StatementCounter umaLinha;
    dmTec->quOSPecas->append();
    dmTec->quOSPecasPRCODIGO->setAsString("PEC01");
    dmTec->quOSPecasAPQUANTIDADE->setAsFloat(1);
    dmTec->quOSPecas->post();
    const int porLinha = umaLinha.count();
    std::printf("[ cost ] one new parts line: %d statements\n", porLinha);
    EXPECT_LE(total, 50 * porLinha + 30);
}

TEST_F(OrdemServicoGradesTest, TheRequiredQuantityTitleNeedsTwoYes)
{
    peca(1, "PEC01", 1, 10);
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsPecasOS);
    GridColumn& requerida = *form.dbgdOrdemServicoPecas->columnByField("APQUANTIDADEREQUERIDA");
    dialogs->answer("Não", "Deseja atualizar quantidade das peças com a quantidade requerida das peças?");
    form.dbgdOrdemServicoPecasTitleClick(requerida);
    dialogs->answer("Sim").answer("Não", "Tem certeza de que deseja sobreescrever a quantidade de todas as peças?");
    form.dbgdOrdemServicoPecasTitleClick(requerida);
    EXPECT_DOUBLE_EQ(valor("select APQUANTIDADE from AATC01AP where AOCODIGO = 42").toDouble(), 1);
    dialogs->answer("Sim").answer("Sim");
    form.dbgdOrdemServicoPecasTitleClick(requerida);
    EXPECT_DOUBLE_EQ(valor("select APQUANTIDADE from AATC01AP where AOCODIGO = 42").toDouble(), 3);
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasAPQUANTIDADE->asFloat(), 3) << "reopened";
}

// The title clicked with the mouse: each line's total follows its new
// quantity, and so do the order's totals.
TEST_F(OrdemServicoGradesTest, TheRequiredQuantityTitleRecomputesEachLinesTotal)
{
    peca(1, "PEC01", 1, 10);
    peca(2, "PEC02", 2, 80);
    exec("update AATC01AP set APQUANTIDADEREQUERIDA = 3, APDESCONTO = 5, APRESERVA = 'S' where AOCODIGO = 42"
         " and APSEQUENCIA = 1");
    parametro("ATRESERVAPECAS", "S");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsPecasOS);
    DataGrid* grade = form.dbgdOrdemServicoPecas;
    // The second line's required quantity typed and not yet saved.
    ASSERT_TRUE(dmTec->quOSPecas->locate("APSEQUENCIA", 2));
    celula(grade, "APQUANTIDADEREQUERIDA", "5");
    dialogs->answer("Sim", "Deseja atualizar quantidade das peças com a quantidade requerida das peças?")
        .answer("Sim", "Tem certeza de que deseja sobreescrever a quantidade de todas as peças?");
    clicarTituloRequerida(grade);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(committed("select list(cast(APQUANTIDADE as integer) || '=' || cast(APVALTOTAL as numeric(9,2)), ' ')"
                        " from (select * from AATC01AP where AOCODIGO = 42 order by APSEQUENCIA)")
                  .toString(),
              "3=28.50 5=400.00");
    EXPECT_NEAR(committed("select AOVALORPECAS from AATC01AO where AOCODIGO = 42").toDouble(), 428.5, 1e-9);
    ASSERT_TRUE(dmTec->quOSPecas->locate("APSEQUENCIA", 1));
    EXPECT_NEAR(dmTec->quOSPecasAPVALTOTAL->asFloat(), 28.5, 1e-9) << "reopened";
    EXPECT_NEAR(committed("select QTDE_PRODUCAO from ACEC1101 where CODIGO = 'PEC01'").toDouble(), 3, 1e-9)
        << "the reserved quantity follows";
}

// A line with no required quantity keeps its quantity and total; and when
// the reservation cannot be written (another desk holds the product), no
// quantity is changed either.
TEST_F(OrdemServicoGradesTest, TheRequiredQuantityTitleStoresAllOrNothingAndKeepsALineWithoutOne)
{
    peca(1, "PEC01", 1, 10);
    peca(2, "PEC02", 2, 80);
    exec("update AATC01AP set APQUANTIDADEREQUERIDA = null where AOCODIGO = 42 and APSEQUENCIA = 2");
    exec("update AATC01AP set APRESERVA = 'S' where AOCODIGO = 42 and APSEQUENCIA = 1");
    parametro("ATRESERVAPECAS", "S");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsPecasOS);
    auto clicarTitulo = [&form] { clicarTituloRequerida(form.dbgdOrdemServicoPecas); };
    auto linhas = [this] {
        return committed("select list(coalesce(cast(APQUANTIDADE as integer), -1) || '=' ||"
                         " cast(APVALTOTAL as numeric(9,2)), ' ')"
                         " from (select * from AATC01AP where AOCODIGO = 42 order by APSEQUENCIA)")
            .toString();
    };
    auto sobrescrever = [&] {
        dialogs->answer("Sim", "Deseja atualizar quantidade das peças com a quantidade requerida das peças?")
            .answer("Sim", "Tem certeza de que deseja sobreescrever a quantidade de todas as peças?");
    };

    host::db::Connection outra;
    outra.open({dbPath});
    auto outraMesa = std::make_unique<host::db::Transaction>(outra);
    ASSERT_EQ(host::db::executeSql(*outraMesa, "update ACEC1101 set DESCRICAO = 'Correia' where CODIGO = 'PEC01'"), 1);
    sobrescrever();
    dialogs->acknowledge();
    clicarTitulo();
    EXPECT_EQ(dialogs->pending(), 0);
    outraMesa->rollback();
    EXPECT_EQ(linhas(), "1=10.00 2=160.00") << "the totals refused: no quantity changed";

    if (dmTec->quOS->editing())
        dmTec->quOS->cancel();
    sobrescrever();
    clicarTitulo();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(linhas(), "3=30.00 2=160.00") << "the line without a required quantity keeps its own";
    EXPECT_NEAR(committed("select QTDE_PRODUCAO from ACEC1101 where CODIGO = 'PEC01'").toDouble(), 3, 1e-9);
}

// A billed order keeps the quantities it was billed with.
TEST_F(OrdemServicoGradesTest, TheRequiredQuantityTitleLeavesABilledOrderAsBilled)
{
    peca(1, "PEC01", 1, 10);
    exec("update AATC01AO set CRDOCUMENTO = '000777' where AOCODIGO = 42");
    tr().commitRetaining();
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsPecasOS);
    dialogs->answer("Sim").answer("Sim").acknowledge("A ordem de serviço 42 já foi faturada (contas a receber 000777)");
    clicarTituloRequerida(form.dbgdOrdemServicoPecas);
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_DOUBLE_EQ(committed("select APQUANTIDADE from AATC01AP where AOCODIGO = 42").toDouble(), 1);
}

TEST_F(OrdemServicoGradesTest, RefusedLinesAreRedAndOldPartsBlueUnderClosingModeS)
{
    const QDateTime ontem15h(QDate::currentDate().addDays(-1), QTime(15, 0));
    peca(1, "PEC01", 1, 10, "N", ontem15h);
    // Inserted a day earlier: what the first part is tomorrow.
    peca(2, "PEC01", 1, 10, "N", ontem15h.addDays(-1));
    parametro("ATMODOFECHAMENTOOS", "S");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsPecasOS);
    auto cor = [&](int sequencia) {
        dmTec->quOSPecas->locate("APSEQUENCIA", sequencia);
        host::ui::CellStyle estilo;
        form.dbgdOrdemServicoPecasDrawColumnCell(estilo);
        return estilo.background;
    };
    EXPECT_EQ(cor(1), QColor(Qt::red)) << "refused, and not a day old at today's midnight";
    EXPECT_EQ(cor(2), QColor(Qt::blue)) << "blue wins over red";
    parametro("ATMODOFECHAMENTOOS", "N");
    EXPECT_EQ(cor(2), QColor(Qt::red));
}

// Each column of the two edit-button tables opens its own dialog: a search
// of its kind, the observation window, the quantity dialog or a listing.
TEST_F(OrdemServicoGradesTest, EveryColumnOfBothTablesOpensItsOwnDialog)
{
    servico(1, 1, 50);
    peca(1, "PEC01", 1, 10);
    TfmAssOrdemServico& form = abrir();
    auto pesquisaDoTipo = [this](int tipo) {
        dialogs->modal("fmPesquisa", [tipo](Form& janela) {
            EXPECT_EQ(static_cast<host::ui::SearchWindow&>(janela).searchKind(), tipo);
            janela.close();
        });
    };
    auto janela = [this](const char* nome, const QString& caption) {
        dialogs->modal(nome, [caption](Form& aberta) {
            if (!caption.isEmpty()) {
                EXPECT_EQ(aberta.windowTitle(), caption);
            }
            aberta.close();
        });
    };
    aba(form, form.tsServico);
    DataGrid* servicos = form.dbgdOrdemServicoServicos;
    pesquisaDoTipo(74);
    selecionar(servicos, "ATCODIGO");
    servicos->editButtonClick();
    janela("fmProdutoQuantidade", "Quantidade e Preço");
    selecionar(servicos, "AAVALOR");
    servicos->editButtonClick();
    janela("fmObservacao", "Observação Adicional dos Serviços da OS");
    selecionar(servicos, "DESCRICAO");
    servicos->editButtonClick();
    EXPECT_EQ(dialogs->pending(), 0);

    aba(form, form.tsPecasOS);
    DataGrid* pecas = form.dbgdOrdemServicoPecas;
    janela("fmObservacao", {});
    selecionar(pecas, "DESCRICAO");
    pecas->editButtonClick();
    janela("fmPesquisa", "Números de Série do Produto");
    selecionar(pecas, "APNUMEROSERIE");
    pecas->editButtonClick();
    pesquisaDoTipo(25);
    selecionar(pecas, "OFCODIGO");
    pecas->editButtonClick();
    pesquisaDoTipo(14);
    selecionar(pecas, "LECODIGO");
    pecas->editButtonClick();
    pesquisaDoTipo(74);
    selecionar(pecas, "ATCODIGO");
    pecas->editButtonClick();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dmTec->quOSPecas->state(), host::data::DatasetState::Browse) << "cancelled look-ups write nothing";

    dialogs->modal("fmProdutoQuantidade", [](Form& quantidade) {
        quantidade.findChild<QLineEdit*>("edQuantidade")->setText("2");
        quantidade.findChild<QLineEdit*>("edPreco")->setText("5");
        quantidade.findChild<QLineEdit*>("edDesconto")->setText("10");
        quantidade.findChild<QPushButton*>("bbOk")->click();
    });
    selecionar(pecas, "APVALUNITARIO");
    pecas->editButtonClick();
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasAPQUANTIDADE->asFloat(), 2);
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasAPVALUNITARIO->asFloat(), 5);
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasAPDESCONTO->asFloat(), 10) << "the dialog's fifth value";
    EXPECT_DOUBLE_EQ(dmTec->quOSPecasAPVALTOTAL->asFloat(), 9) << "the total shown has the discount";
}

TEST_F(OrdemServicoGradesTest, EnteringALookUpColumnOpensItsEditorUnlessInVehicleMode)
{
    servico(1, 1, 50);
    parametro("ATMODOVEICULO", "O");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    DataGrid* servicos = form.dbgdOrdemServicoServicos;
    servicos->setFocus();
    selecionar(servicos, "DescricaoHora");
    EXPECT_FALSE(editorAberto(servicos)) << "nothing in vehicle mode";
    parametro("ATMODOVEICULO", "N");
    selecionar(servicos, "AAQUANTIDADE");
    EXPECT_FALSE(editorAberto(servicos));
    selecionar(servicos, "DescEquipOS");
    EXPECT_TRUE(editorAberto(servicos)) << "its list opened by Qt, no keys sent";
}

TEST_F(OrdemServicoGradesTest, TheWithdrawalAnsweredNoTakesTheAuthorisedPartsOnly)
{
    peca(1, "PEC01", 1, 10, "S");
    peca(2, "PEC02", 1, 80, "N");
    TfmAssOrdemServico& form = abrir();
    dialogs->answer("Não", "Baixar inclusive peças não autorizadas?");
    dialogs->setAutoAcknowledgeMessages(true);
    form.sbReserva->click();
    const QString pedido = valor("select VECODIGO from AATC01AO where AOCODIGO = 42").toString().trimmed();
    ASSERT_FALSE(pedido.isEmpty());
    EXPECT_EQ(valor("select list(trim(CODIGO)) from AVEC85IT where NUMERO_PEDIDO = '" + pedido + "'")
                  .toString(),
              "PEC01");
}

// What the settlement issued to the order left the stock there, and no
// more: the withdrawal bills every part of the order once and takes out of
// stock only what the settlement did not (a return undoes the issue).
TEST_F(OrdemServicoGradesTest, TheWithdrawalTakesOutOfStockWhatTheSettlementDidNot)
{
    struct Acerto {
        bool saida;
        int quantidade;
    };
    struct Caso {
        double linha;   // PEC01 on the order before; 0: none
        bool inserirPeca;
        std::vector<Acerto> acertos;
        QString estoque, faturado;
    } casos[] = {
        {0, true, {{true, 2}}, "8", "2"},
        {5, false, {{true, 2}}, "5", "5"},
        {5, false, {{true, 2}, {false, 2}}, "5", "5"},
    };
    exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5949', 'Remessa para OS', '1')"
         " matching (COD_OP)");
    exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('1949', 'Retorno de OS', '5')"
         " matching (COD_OP)");
    for (const Caso& caso : casos) {
        exec("delete from AATC01AP where AOCODIGO = 42");
        exec("update AATC01AO set VECODIGO = null where AOCODIGO = 42");
        exec("update ACEC1101 set ESTOQUE = 10 where CODIGO = 'PEC01'");
        if (caso.linha > 0)
            peca(1, "PEC01", caso.linha, 10);
        tr().commitRetaining();
        TfmAssBaixaPecas& baixa = abrirJanela(fmAssBaixaPecas, "fmAssBaixaPecas");
        baixa.laCodOpSai->setText("5949");
        baixa.ckInserirPeca->setChecked(caso.inserirPeca);
        for (const Acerto& acerto : caso.acertos) {
            if (!acerto.saida) {
                baixa.sbEntrada->click();
                baixa.laCodOpEnt->setText("1949");
            }
            novaLinhaNaGrade(baixa.dbgdOrdemServicoBaixaPecas, "prCodigo", "PEC01");
            celula(baixa.dbgdOrdemServicoBaixaPecas, "aoCodigo", "42");
            celula(baixa.dbgdOrdemServicoBaixaPecas, "prQuantidade", QString::number(acerto.quantidade),
                   Qt::Key_Return);
            dialogs->answer("Sim", "Tem certeza de que deseja baixar as peças?");
            dialogs->acknowledge("Acerto das Peças efetuada com sucesso.");
            baixa.bbBaixar->click();
        }
        baixa.close();

        TfmAssOrdemServico& form = abrir();
        dialogs->answer("Não", "Baixar inclusive peças não autorizadas?");
        form.sbReserva->click();
        form.close();
        EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = 'PEC01'"),
                  QStringList{caso.estoque})
            << caso.linha << " " << caso.acertos.size();
        EXPECT_EQ(lido("select cast(sum(it.QUANTIDADE) as integer) from AVEC85IT it"
                       " join AATC01AO os on os.VECODIGO = it.NUMERO_PEDIDO where os.AOCODIGO = 42"
                       " and it.CODIGO = 'PEC01'"),
                  QStringList{caso.faturado})
            << caso.linha << " " << caso.acertos.size();
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    }
}

// Order 42 on its services and parts tabs and the time dialog, as a person
// sees them, written next to the test program (run under Xvfb by the
// screenshot test, offscreen otherwise).
TEST_F(OrdemServicoGradesTest, PicturesOfTheServicesAndPartsTabsAndTheTimeDialog)
{
    servico(1, 2, 50);
    servico(2, 1, 35, "N");
    peca(1, "PEC01", 2, 10);
    peca(2, "PEC02", 1, 80, "N");
    exec("insert into AATC01AAIT (AOCODIGO, AACODIGO, AAITSEQUENCIA, AAITDATA, AAITINICIO, AAITFIM)"
         " values (42, 1, 1, '2026-11-03', '2026-11-03 08:00', '2026-11-03 10:30')");
    TfmAssOrdemServico& form = abrir();
    form.resize(1280, 800);
    aba(form, form.tsServico);
    guardaFoto(form, "fmAssOrdemServico_42_servicos.png");
    EXPECT_EQ(form.dbgdOrdemServicoServicos->model()->rowCount(), 2);
    aba(form, form.tsPecasOS);
    guardaFoto(form, "fmAssOrdemServico_42_pecas.png");
    EXPECT_EQ(form.dbgdOrdemServicoPecas->model()->rowCount(), 2);

    aba(form, form.tsServico);
    dmTec->quOSAndamento->first();
    selecionar(form.dbgdOrdemServicoServicos, "AATOTAL");
    dialogs->modal("fmAssOrdemServicoHora", [](Form& janela) {
        janela.show();
        guardaFoto(janela, "fmAssOrdemServicoHora.png");
        EXPECT_EQ(static_cast<TfmAssOrdemServicoHora&>(janela).dbgdAssOrdemServicoHora->model()->rowCount(), 1);
        janela.close();
    });
    form.dbgdOrdemServicoServicos->editButtonClick();
}

TEST_F(OrdemServicoGradesTest, ProductTitlesRunTheQuickSearchAndTheRegister)
{
    TfmAssOrdemServico& form = abrir();
    criarPrincipal();
    aba(form, form.tsPecasOS);
    GridColumn& produto = *form.dbgdOrdemServicoPecas->columnByField("PRCODIGO");
    dialogs->answer("Código", "Deseja pesquisar produto pelo código de barras ou posicionamento no local?")
        .enter("pec01", "Código do produto");
    form.dbgdOrdemServicoPecasTitleClick(produto);
    EXPECT_EQ(dmTec->quOSPecas->state(), host::data::DatasetState::Insert) << "left for the user to complete";
    EXPECT_EQ(dmTec->quOSPecasPRCODIGO->asString(), "PEC01");
    dmTec->quOSPecas->cancel();

    dialogs->answer("Barras").enter("XYZ").acknowledge("Produto não encontrado!");
    form.dbgdOrdemServicoPecasTitleClick(produto);
    EXPECT_NE(dmTec->quOSPecas->state(), host::data::DatasetState::Insert);

    dialogs->answer("Não", "Deseja abrir cadastro de produtos?");
    form.dbgdOrdemServicoPecasTitleClick(*form.dbgdOrdemServicoPecas->columnByField("DESCRICAO"));
    dialogs->answer("Sim", "Deseja abrir cadastro de produtos?");
    form.dbgdOrdemServicoPecasTitleClick(*form.dbgdOrdemServicoPecas->columnByField("DESCRICAO"));
    EXPECT_EQ(dialogs->pending(), 0);
    QWidget* cadastro = host::ui::WindowRegistry::find("fmCadastroPR");
    ASSERT_NE(cadastro, nullptr) << "the products register";
    EXPECT_EQ(cadastro->windowTitle(), "Cadastro de Produtos");
}

// "Cancelar" drops the empty item line Insert started in the grid with the
// header's changes, and "Imprimir" then goes on to its question.
TEST_F(OrdemServicoGradesTest, CancelDropsTheEmptyItemLineAndPrintGoesOn)
{
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsItens);
    form.dbgdOrdemServicoItens->setFocus();
    QTest::keyClick(form.dbgdOrdemServicoItens, Qt::Key_Insert);
    ASSERT_EQ(dmTec->quOSItem->state(), host::data::DatasetState::Insert);
    form.bbCancelar->click();
    dialogs->answer("Cancelar", "Deseja imprimir Comprovante, Histórico ou Recibo");
    form.bbImprimir->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(lido("select count(*) from AATC01AOIT where AOCODIGO = 42"), QStringList{"1"});
}

TEST_F(OrdemServicoGradesTest, F8DuplicatesAServiceLineOfNoItem)
{
    exec("insert into AATC01AA (AOCODIGO, AACODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL, AAAUTORIZADO)"
         " values (42, 1, 'SRV01', 2, 50, 100, 'S')");
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsServico);
    dialogs->answer("Sim", "Tem certeza de que deseja duplicar registro?");
    QTest::keyClick(&form, Qt::Key_F8);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(valor("select count(*) from AATC01AA where AOCODIGO = 42 and PRCODIGO = 'SRV01'").toInt(), 2)
        << "found by its empty item";
}

// The cost of a part's composition, as a person sees it.
TEST_F(OrdemServicoGradesTest, PictureOfTheCostDialog)
{
    peca(1, "PEC02", 1, 80);
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsPecasOS);
    selecionar(form.dbgdOrdemServicoPecas, "APVALTOTAL");
    bool viuJanela = false;
    dialogs->modal("fmAssOrdemServicoCusto", [&](Form& custo) {
        viuJanela = true;
        guardaFoto(custo, "fmAssOrdemServicoCusto.png");
        custo.close();
    });
    form.dbgdOrdemServicoPecas->editButtonClick();
    EXPECT_TRUE(viuJanela);
}

}  // namespace
}  // namespace moduletest
