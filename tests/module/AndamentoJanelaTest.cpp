// The progress screen's list: the search per filter and its
// counts, the situation modes, the item totals, the F7 totals, the layout of
// the window and the cost of scrolling the list.

#include "tests/module/AndamentoJanelaFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/data/Field.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/StatusBar.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/TestDatabase.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

namespace moduletest {
namespace {

// The item's warranty reads as its caption in the list, as in the order.
TEST_F(AndamentoJanelaTest, TheWarrantyShowsItsCaptionAndTheOrderItsFullNumber)
{
    exec("update AATC01AOIT set AOITGARANTIA = '3' where AOITCODIGO = 5");
    tr().commitRetaining();
    TfmAssAndamento& form = abrir();
    ASSERT_EQ(ordensListadas(), QStringList{"46/5"});
    host::ui::DataGrid* lista = form.dbgdAndamentoOSRegistros;
    for (auto [campo, texto] : {std::pair{"AOITGARANTIA", "3- Sem Garantia"}, std::pair{"AOCODIGO", "000000046"}})
        EXPECT_EQ(lista->model()->index(0, lista->columnByField(campo)->index()).data().toString(), texto);
}

TEST_F(AndamentoJanelaTest, TheWindowAsOpenedWithItsColumnsLegendsAndMenu)
{
    TfmAssAndamento& form = abrir();
    EXPECT_EQ(form.caption(), "Andamento das Ordens de Serviço");
    EXPECT_TRUE(form.stayOnTop());
    EXPECT_TRUE(form.keyPreview());
    EXPECT_TRUE(form.startMaximized());
    QStringList titulos;
    for (const auto& c : form.dbgdAndamentoOSRegistros->columns())
        titulos << c->title();
    EXPECT_EQ(titulos, (QStringList{"Nº da OS", "Nome Cliente", "Endereço", "Código ", "Equipamento", "Qtde. ",
                                    "Nº de Série", "Marca", "Modelo", "Entrada ", "Valor Total", "Defeito ",
                                    "Aprovado", "Garantia (F1)"}));
    EXPECT_EQ(form.dbgdAndamentoOSRegistros->column(13)->pickList().size(), 4);
    EXPECT_FALSE(form.dbgdAndamento->column(0)->visible()) << "the order column of the progress records";
    EXPECT_TRUE(form.dbgdAssAndamentoPecas->column(3)->readOnly());
    EXPECT_EQ(form.dbgdAssAndamentoPecas->column(4)->pickList(), (QStringList{"Sim", "Não"}));
    EXPECT_EQ(form.stInformacao->panelCount(), 8);
    EXPECT_EQ(form.stInformacao->panelText(7), "F9 - Pesq. Produto");
    EXPECT_TRUE(form.stInfoTot->isHidden()) << "until an item's totals are shown";
    QStringList menu;
    for (QAction* a : form.puSituacao->actions())
        menu << a->text();
    EXPECT_EQ(menu, (QStringList{"Trocar Situação", "Novo Laudo ", "Contabilizar Tempo", "Visualizar Laudo",
                                 "Imprimir Laudo"}));
    EXPECT_TRUE(form.dblcSituacaoItem->isHidden()) << "filters collapsed";
    EXPECT_EQ(form.gbSelecao->height(), 45);

    // Activation: the first situation of type "I" and its search; the line
    // look-ups of the data module read as calculated fields meanwhile.
    EXPECT_EQ(form.situacaoEscolhida(), 1);
    EXPECT_EQ(ordensListadas(), QStringList{"46/5"});
    EXPECT_EQ(dmTec->quOSAndamentoDescricaoHora->kind(), host::data::FieldKind::Calculated);
    EXPECT_EQ(dmTec->quOSPecasDescEquipOS->kind(), host::data::FieldKind::Calculated);
    EXPECT_TRUE(form.stInformacao->panelText(1) == "Registros Encontrados: 1");
    EXPECT_EQ(form.stInformacao->panelText(0),
              "Total de Registros: " + one("select count(*) from AATC01AOIT").toString());
    form.close();
    EXPECT_FALSE(fmAssAndamento);
}

// A situation with more items than the count reads: the search brings no
// more of them than that over from the server, and the count says there are more.
TEST_F(AndamentoJanelaTest, FoundCountReadsNoFurtherThanItsLimit)
{
    host::db::Statement item(tr(), "insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO)"
                                   " values (46, :N, 'Scanner')");
    for (int codigo = 100; codigo < 1600; ++codigo) {
        item.setParam("N", codigo);
        item.execute();
    }
    tr().commitRetaining();
    TfmAssAndamento& form = abrir();
    EXPECT_EQ(form.stInformacao->panelText(1), "Registros Encontrados: mais de 1000");
    EXPECT_LE(dmTec->quPesqOS->fetchedCount(), kMaximoContado + 1);
}

TEST_F(AndamentoJanelaTest, VehicleModeRetitlesAndHidesColumns)
{
    parametro("ATMODOVEICULO", "O");
    TfmAssAndamento& form = abrir();
    host::ui::DataGrid& lista = *form.dbgdAndamentoOSRegistros;
    EXPECT_EQ(lista.column(4)->title(), "Veículo");
    EXPECT_EQ(lista.column(6)->title(), "Chassi");
    EXPECT_FALSE(lista.column(5)->visible());
    EXPECT_FALSE(lista.column(11)->visible());
    dialogs->answer("Sim", "Deseja mostrar todas colunas?");
    QTest::keyClick(&lista, Qt::Key_F2);
    EXPECT_TRUE(lista.column(5)->visible() && lista.column(11)->visible());
}

TEST_F(AndamentoJanelaTest, SearchModesNumbersAndItemSituations)
{
    TfmAssAndamento& form = abrir();
    form.dblcSituacao->setKeyValue(QVariant());
    dialogs->acknowledge("Selecione uma Situação ou Número da O.S.");
    form.bbPesq->click();
    EXPECT_EQ(ordensListadas(), QStringList{"46/5"}) << "the refused search leaves the list";

    form.dblcSituacao->setKeyValue(2);
    form.bbPesq->click();
    EXPECT_EQ(ordensListadas(), (QStringList{"42/1", "42/2"})) << "44 has no item: no row";

    // An order number wins over the situation and moves the list to its situation.
    form.edOS->setText("43");
    form.bbPesq->click();
    EXPECT_EQ(ordensListadas(), QStringList{"43/3"});
    EXPECT_EQ(form.situacaoEscolhida(), 6);

    // "Exceto Morta": no situation needed, orders without a situation included.
    form.edOS->clear();
    form.dblcSituacao->setKeyValue(QVariant());
    form.laSituacao->onClick();
    EXPECT_EQ(form.laSituacao->text(), "Exceto Morta");
    EXPECT_FALSE(form.dblcSituacaoItem->isHidden()) << "the item filter shows with the mode";
    EXPECT_EQ(form.gbSelecao->height(), 70);
    form.bbPesq->click();
    EXPECT_EQ(ordensListadas(), (QStringList{"42/1", "42/2", "45/4", "46/5"}));

    form.dblcSituacaoItem->setKeyValue(11);
    form.bbPesq->click();
    EXPECT_EQ(ordensListadas(), QStringList{"42/1"});
    form.edFilial->setText("02");
    form.dblcSituacaoItem->setKeyValue(QVariant());
    form.bbPesq->click();
    EXPECT_EQ(ordensListadas(), QStringList{"45/4"}) << "the branch";
    EXPECT_EQ(form.stInformacao->panelText(1), "Registros Encontrados: 1");

    form.laSituacao->onClick();
    EXPECT_EQ(form.laSituacao->text(), "Situação");
    EXPECT_FALSE(form.dblcSituacaoItem->isHidden()) << "the filters stay as they are";
    form.laSituacaoItem->onClick();
    EXPECT_TRUE(form.dblcSituacaoItem->isHidden());
}

TEST_F(AndamentoJanelaTest, ItemTotalsFollowTheListAndF7SumsIgnoreModeItemAndRestriction)
{
    parametro("ATTROCASITUACAOITEM", "I");
    parametro("ATANDAMENTOPORITEM", "I");
    TfmAssAndamento& form = abrir();
    EXPECT_TRUE(form.dbgdAndamentoOSRegistros->rowSelect());
    form.dblcSituacao->setKeyValue(2);
    form.bbPesq->click();
    EXPECT_FALSE(form.stInfoTot->isHidden());
    EXPECT_EQ(form.stInfoTot->panelText(0), "Valor Total: R$ 42,50");
    EXPECT_EQ(form.stInfoTot->panelText(1), "Valor Serviços: R$ 30,00");
    EXPECT_EQ(form.stInfoTot->panelText(2), "Valor Peças: R$ 12,50");
    dmTec->quPesqOS->next();
    EXPECT_EQ(form.stInfoTot->panelText(0), "Valor Total: R$ 0,00") << "item 2 has no lines";

    form.laSituacao->onClick();   // "Exceto Morta" and the item filter do not count in F7
    form.dblcSituacaoItem->setKeyValue(12);
    dialogs->acknowledge("Totalizadores da pesquisa: \rValor Total: 170,00\rValor Serviços: 130,00\r"
                         "Valor Peças: 40,00\rValor Auxiliar (Serviços): 7,00\r");
    QTest::keyClick(form.dbgdAndamentoOSRegistros, Qt::Key_F7);
    EXPECT_EQ(dialogs->pending(), 0);
}

// The order number box reaches the statements of the search and of the F7
// totals as a number or not at all: text that is no number is refused before
// any statement runs, and moves neither the totals nor a generator.
TEST_F(AndamentoJanelaTest, AnOrderNumberThatIsNoNumberIsRefusedBySearchAndTotals)
{
    TfmAssAndamento& form = abrir();
    const QVariant gerador = one("select gen_id(GEN_AOITCODIGO, 0) from rdb$database");
    for (const QString hostil : {"42 or 1=1", "0 or gen_id(GEN_AOITCODIGO, 1000) > 0", "42'; --", "42)"}) {
        form.edOS->setText(hostil);
        dialogs->acknowledge("Número da O.S. inválido: \"" + hostil + "\".");
        QTest::keyClick(form.dbgdAndamentoOSRegistros, Qt::Key_F7);
        dialogs->acknowledge("Número da O.S. inválido: \"" + hostil + "\".");
        form.bbPesq->click();
        EXPECT_EQ(dialogs->pending(), 0) << hostil.toStdString();
        EXPECT_EQ(ordensListadas(), QStringList{"46/5"}) << "the refused search leaves the list";
    }
    EXPECT_EQ(one("select gen_id(GEN_AOITCODIGO, 0) from rdb$database"), gerador);

    // A number typed: the totals of that order alone, whatever situation is chosen.
    form.edOS->setText(" 42 ");
    form.dblcSituacao->setKeyValue(QVariant());
    dialogs->acknowledge("Totalizadores da pesquisa: \rValor Total: 100,00\rValor Serviços: 60,00\r"
                         "Valor Peças: 40,00\rValor Auxiliar (Serviços): 7,00\r");
    QTest::keyClick(form.dbgdAndamentoOSRegistros, Qt::Key_F7);
    form.bbPesq->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(ordensListadas(), (QStringList{"42/1", "42/2"}));
}

// F7 typed in the order number box holding no number: one warning, the
// real one taking the focus from the box, and nothing else run.
TEST_F(AndamentoJanelaTest, F7WithAnInvalidOrderNumberWarnsOnce)
{
    TfmAssAndamento& form = abrir();
    form.edOS->setFocus();
    QTest::keyClicks(form.edOS, "4x");
    testsupport::OnScreenDialogs naTela;
    QTest::keyClick(form.edOS, Qt::Key_F7);
    QTest::qWait(0);
    EXPECT_EQ(naTela.texts(), QStringList{"Número da O.S. inválido: \"4x\"."});
    EXPECT_EQ(ordensListadas(), QStringList{"46/5"}) << "the list stays";

    // Leaving the box for another control of the window still searches.
    QApplication::setActiveWindow(&form);   // the user back in the window
    form.edOS->setFocus();
    form.edOS->selectAll();
    QTest::keyClicks(form.edOS, "42");
    QTest::keyClick(form.edOS, Qt::Key_Tab);
    EXPECT_EQ(ordensListadas(), (QStringList{"42/1", "42/2"}));
    EXPECT_EQ(naTela.texts().size(), 1);
}

TEST_F(AndamentoJanelaTest, ScrollingOneRowCostsTheSameWhateverTheRowsListed)
{
    parametro("ATTROCASITUACAOITEM", "I");
    parametro("ATANDAMENTOPORITEM", "I");
    TfmAssAndamento& form = abrir();
    auto custoDeUmPasso = [&] {
        form.bbPesq->click();
        dmTec->quPesqOS->first();
        testsupport::StatementCounter contador;
        dmTec->quPesqOS->next();
        return std::pair{contador.count(), contador.prepares()};
    };
    form.dblcSituacao->setKeyValue(2);
    const auto [poucas, preparosPoucas] = custoDeUmPasso();
    for (int i = 0; i < 30; ++i)
        item(42, 100 + i, "Lote", 0);
    const auto [muitas, preparosMuitas] = custoDeUmPasso();
    std::printf("[ cost ] one row down the progress list: %d statements, %d prepares\n", poucas, preparosPoucas);
    EXPECT_EQ(poucas, muitas);
    EXPECT_EQ(preparosMuitas, 0) << "what the first step prepared is not prepared again";
    EXPECT_LE(poucas, 20) << "the order, its items and lines, the attributes and the item totals";
}

TEST_F(AndamentoJanelaTest, ClearClosesTheFiveDatasets)
{
    TfmAssAndamento& form = abrir();
    form.edOS->setText("46");
    dmTec->CarregaOSItens(46, 0);
    form.bbLimpar->click();
    EXPECT_TRUE(form.edOS->text().isEmpty());
    for (host::data::Dataset* d : {static_cast<host::data::Dataset*>(dmTec->quOSItem),
                                   static_cast<host::data::Dataset*>(dmTec->quOSContato),
                                   static_cast<host::data::Dataset*>(dmTec->quOSPecas),
                                   static_cast<host::data::Dataset*>(dmTec->quOSAndamento),
                                   static_cast<host::data::Dataset*>(dmTec->quPesqOS)})
        EXPECT_FALSE(d->active()) << d->name().toStdString();
}

// At a notebook's screen size the progress records, the services and the
// parts show every column title whole ("Situação Anterior", not "Situaç").
TEST_F(AndamentoJanelaTest, TheLowerGridsShowEveryTitleWholeAtANotebooksSize)
{
    TfmAssAndamento& form = abrir();
    form.setWindowState(Qt::WindowNoState);
    form.resize(1366, 700);
    QTest::qWait(50);
    for (host::ui::DataGrid* grade : {form.dbgdAndamento, form.dbgdAssAndamentoServico, form.dbgdAssAndamentoPecas})
        confereColunasInteiras(*grade);
    confereLegivel(form);
    guardaFoto(form, "fmAssAndamento_1366.png");
}

TEST_F(AndamentoJanelaTest, PictureOfTheProgressScreen)
{
    TfmAssAndamento& form = abrir();
    form.dblcSituacao->setKeyValue(2);
    form.bbPesq->click();
    guardaFoto(form, "fmAssAndamento.png");
}

}  // namespace
}  // namespace moduletest
