// The service-order search: its statements built from the filters alone
// (each run on the database), and the window opened as the
// order picker from the service-order window: the filters, the picked row,
// the status panels, the statements a search costs, the printouts and a
// picture of the window with rows.

#include "tests/module/ModuleFixture.h"

#include "tests/module/JanelaLegivel.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/report/PreparedReport.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uAssOSPesquisaFic.h"
#include "service_orders/uAssOSPesquisaRel.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uPesqAssOrdemServico.h"
#include "service_orders/uPesqAssOrdemServicoSQL.h"
#include "tests/support/TestDatabase.h"

#include <algorithm>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The picker under the plain name the host resolves.
bool SelecionaOrdemServicoExportado(int&, int&, QString&) __asm__("SelecionaOrdemServico");

namespace moduletest {
namespace {

using host::ui::Form;

const QString kContagem =
    "select Count(*) as TotReg from (\n"
    "select first 1001 1 as CONTADO\n"
    "from AATC01AO OS\n"
    "left outer join aatc01AOIT IT on (os.aocodigo = it.aocodigo)\n"
    "where (OS.aocodigo + 0 >= 0)\n"
    ")";

class PesquisaOrdemServicoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        // Orders 40 and 41 executed, 42 with two items and 43 with one;
        // 12, 120 and 312 with one item each, 500 without items, and two
        // orders of one truck.
        auto ordem = [this](int codigo, const char* baixa, double total) {
            exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, ASCODIGO,"
                         " AOVALORTOTAL) values (%1, '00003', '2026-11-02', '%2', 'M', 1, %3)")
                     .arg(codigo)
                     .arg(baixa)
                     .arg(total));
        };
        auto item = [this](int ordem, int item, const QString& equipamento, int codigo, const QString& serie) {
            exec(QString("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITEQUIPCODIGO, AOITSERIE,"
                         " AOITPLACA) values (%1, %2, '%3', %4, '%5', '%6')")
                     .arg(ordem)
                     .arg(item)
                     .arg(equipamento)
                     .arg(codigo)
                     .arg(serie, codigo == 9 ? "ABC-1234" : ""));
        };
        for (int codigo : {40, 41})
            ordem(codigo, "S", 100);
        for (int codigo : {42, 43, 12, 120, 312, 500, 601, 602})
            ordem(codigo, "A", codigo == 43 ? 80 : 0);
        item(40, 401, "Impressora laser", 1, "HP-1");
        item(41, 411, "Notebook", 2, "DL-1");
        item(42, 421, "Máquina de café expresso", 4, "SAE-1");
        item(42, 422, "Ar-condicionado split", 3, "SPR-1");
        item(43, 431, "Ar-condicionado split", 3, "SPR-2");
        for (int codigo : {12, 120, 312})
            item(codigo, codigo * 10, "Balança", 7, "B" + QString::number(codigo));
        for (int codigo : {601, 602})
            item(codigo, codigo * 10, "Caminhão", 9, "CH9");
        exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO,"
             " APVALTOTAL, APAUTORIZADO) values (42, 1, 421, 'P0005', 1, 35.5, 35.5, 'S')");
        exec("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL,"
             " AAAUTORIZADO) values (42, 2, 422, 'S0003', 1, 150, 150, 'S')");
        dmGlobal->IBTransaction1->commitRetaining();
        uPackageAss::CriarDataTec();
    }
    QList<int> ordens(const QString& sql, const char* coluna = "AOCODIGOOS")
    {
        auto consulta = CriarIbQuery();
        consulta->setSql(sql);
        consulta->open();
        QList<int> lista;
        for (; !consulta->eof(); consulta->next())
            lista << consulta->fieldByName(coluna)->asInteger();
        return lista;
    }
    int contar(const QString& sql) { return one(sql).toInt(); }

    // Opens the service-order window and its search; the action drives the search.
    void pesquisarPelaJanela(std::function<void(TfmPesquisaAssOrdemServico&)> acao)
    {
        uPackageAss::ShowJanelaTec("fmAssOrdemServico");
        TfmAssOrdemServico* os = fmAssOrdemServico.get();
        ASSERT_TRUE(QTest::qWaitForWindowActive(os));
        dialogs->modal("fmPesquisaAssOrdemServico",
                       [acao](Form& janela) { acao(static_cast<TfmPesquisaAssOrdemServico&>(janela)); });
        os->bbPesquisar->click();
    }
};

TEST_F(PesquisaOrdemServicoTest, EmptyFiltersListEveryItemHighestOrderFirstAndAnOrderWithoutItemsOnce)
{
    const SQLPesquisaOS sql = MontaSQLPesquisaOS(FiltroPesquisaOS{});
    EXPECT_EQ(sql.contagem, kContagem);
    const QList<int> lista = ordens(sql.consulta);
    EXPECT_EQ(lista.value(0), 602);
    EXPECT_TRUE(std::is_sorted(lista.rbegin(), lista.rend())) << "highest order first";
    EXPECT_EQ(lista.count(500), 1) << "the outer join keeps a header without items";
    EXPECT_EQ(lista.count(42), 2) << "one row per item";
    EXPECT_EQ(lista.size(), contar(sql.contagem));
    EXPECT_EQ(lista.size(), 5 + 3 + 1 + 2);
}

TEST_F(PesquisaOrdemServicoTest, NumberPatternsFollowWhereTheTextMatches)
{
    FiltroPesquisaOS f;
    f.numero = "12";
    SQLPesquisaOS sql = MontaSQLPesquisaOS(f);
    EXPECT_TRUE(sql.consulta.endsWith("\nwhere (os.aocodigo) like '%12%'\nand (OS.aocodigo + 0 >= 0)\n"
                                      "  Order by os.aoCodigo Desc"));
    EXPECT_EQ(ordens(sql.consulta), (QList<int>{312, 120, 12}));
    EXPECT_EQ(contar(sql.contagem), 3);
    f.onde = 0;
    sql = MontaSQLPesquisaOS(f);
    EXPECT_TRUE(sql.consulta.contains("where (os.aocodigo) like '12%'\n"));
    EXPECT_EQ(ordens(sql.consulta), (QList<int>{120, 12}));
    f.onde = 2;
    EXPECT_EQ(ordens(MontaSQLPesquisaOS(f).consulta), (QList<int>{312, 12}));
}

// The condition every listed order meets is tested after the typed filters:
// it still holds whichever filters come before it.
TEST_F(PesquisaOrdemServicoTest, AnOrderOfNegativeNumberStaysOutOfEveryFilteredListAndCount)
{
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, ASCODIGO, AOVALORTOTAL)"
         " values (-12, '00003', '2026-11-02', 'A', 'M', 1, 0)");
    exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITEQUIPCODIGO, AOITSERIE)"
         " values (-12, 1, 'Guindaste', 11, 'G1')");
    dmGlobal->IBTransaction1->commitRetaining();
    FiltroPesquisaOS f;
    f.numero = "12";
    SQLPesquisaOS sql = MontaSQLPesquisaOS(f);
    EXPECT_EQ(ordens(sql.consulta), (QList<int>{312, 120, 12}));
    EXPECT_EQ(contar(sql.contagem), 3);
    f = {};
    f.equipamento = "Guind";
    f.status = "A";
    sql = MontaSQLPesquisaOS(f);
    EXPECT_TRUE(ordens(sql.consulta).isEmpty());
    EXPECT_EQ(contar(sql.contagem), 0);
    f.ultimaOS = true;
    EXPECT_TRUE(ordens(MontaSQLPesquisaOS(f).consulta, "MAX").isEmpty());
}

// A header or item field chosen with nothing typed for it filters nothing,
// alone or beside a typed filter.
TEST_F(PesquisaOrdemServicoTest, AFieldChosenWithNothingTypedListsWhatTheOtherFiltersList)
{
    const QList<int> todas = ordens(MontaSQLPesquisaOS(FiltroPesquisaOS{}).consulta);
    for (bool comSituacao : {false, true})
        for (bool campoDoItem : {false, true}) {
            FiltroPesquisaOS f;
            if (campoDoItem) {
                f.camposItemVisivel = true;
                f.campoItem = "AOITSERIE";
                f.tipoCampoItem = host::data::FieldType::String;
            } else {
                f.campoOS = "AOATENDENTE";
                f.tipoCampoOS = host::data::FieldType::String;
            }
            f.status = comSituacao ? "S" : "";
            const SQLPesquisaOS sql = MontaSQLPesquisaOS(f);
            const QList<int> esperadas = comSituacao ? QList<int>{41, 40} : todas;
            EXPECT_EQ(ordens(sql.consulta), esperadas) << sql.consulta.toStdString();
            EXPECT_EQ(contar(sql.contagem), esperadas.size()) << sql.contagem.toStdString();
        }
}

TEST_F(PesquisaOrdemServicoTest, StatusQuotesAndPlateAsTyped)
{
    FiltroPesquisaOS f;
    f.status = "S";
    SQLPesquisaOS sql = MontaSQLPesquisaOS(f);
    EXPECT_TRUE(sql.consulta.contains("\nwhere (os.aoBaixa) like '%S%'\n"));
    EXPECT_EQ(ordens(sql.consulta), (QList<int>{41, 40}));

    f = {};
    f.cliente = "D'Ávila";
    sql = MontaSQLPesquisaOS(f);
    EXPECT_TRUE(sql.consulta.contains("\nwhere cli.nome Containing 'D''Ávila'\n"));
    EXPECT_TRUE(sql.contagem.endsWith("\nwhere cli.nome ContainIng 'D''ÁVILA'\nand (OS.aocodigo + 0 >= 0)\n)"));
    EXPECT_TRUE(ordens(sql.consulta).isEmpty()) << "the quote is text, not SQL";
    EXPECT_EQ(contar(sql.contagem), 0);

    f = {};
    f.placaVisivel = true;
    f.placa = "   -    ";
    sql = MontaSQLPesquisaOS(f);
    EXPECT_EQ(ordens(sql.consulta), ordens(MontaSQLPesquisaOS(FiltroPesquisaOS{}).consulta))
        << "the empty plate mask filters nothing";
    EXPECT_EQ(sql.contagem, kContagem);
    f.placa = "ABC-1234";
    sql = MontaSQLPesquisaOS(f);
    EXPECT_TRUE(sql.consulta.contains("\nwhere upper(it.aoitplaca) like '%ABC-1234%'\n"));
    EXPECT_TRUE(sql.contagem.endsWith("\nwhere upper(it.aoitplaca) LIKE '%ABC-1234%'\nand (OS.aocodigo + 0 >= 0)\n)"));
    EXPECT_EQ(ordens(sql.consulta), (QList<int>{602, 601}));
}

TEST_F(PesquisaOrdemServicoTest, LastOrderModeIgnoresTheOrderOnlyFiltersAndReturnsTheGroupsHighestOrder)
{
    FiltroPesquisaOS f;
    f.ultimaOS = true;
    f.equipamento = "Caminh";
    f.tecnico = "ROBERTO";
    f.status = "A";
    f.dataInicial = "01/01/26";
    f.dataFinal = "31/12/26";
    f.aprovado = true;
    f.codigoInterno = "X1";
    f.marca = "Volvo";
    f.campoOS = "AOATENDENTE";
    f.valorAlternativo = "Carla";
    const SQLPesquisaOS sql = MontaSQLPesquisaOS(f);
    EXPECT_EQ(sql.consulta,
              "select MAX(IT.AOCODIGO), it.aoitEquipDescricao, it.aoitEquipCodigo, it.aoitSerie, it.aoitPlaca,"
              " it.aoitMarca, it.aoitModelo, it.aoitCor, cli.nome, os.clCodigo\n"
              "from AATC01AO OS\n"
              "left outer join aatc01AOIT IT on (os.aocodigo = it.aocodigo)\n"
              "left outer join augc0301 cli on (os.clcodigo = cli.codigo_cliente)\n"
              "where upper(it.aoitequipdescricao) like '%CAMINH%'\n"
              "and (OS.aocodigo >= 0 )\n"
              "group by it.aoitEquipDescricao, it.aoitEquipCodigo, it.aoitSerie, it.aoitPlaca, it.aoitMarca,"
              " it.aoitModelo, it.aoitCor, cli.nome, os.clCodigo\n"
              "Order by os.clCodigo,it.aoitEquipDescricao,it.aoitPlaca ");
    EXPECT_EQ(ordens(sql.consulta, "MAX"), QList<int>{602});
    // The count still counts item rows, with the approval, brand and header
    // field but not the technician, status or dates.
    EXPECT_TRUE(sql.contagem.startsWith(kContagem.left(kContagem.indexOf("where")) + "where "));
    EXPECT_TRUE(sql.contagem.endsWith("\nand not (OS.aocodigo is null)\n)"));
    EXPECT_FALSE(sql.contagem.contains("atnome"));
    EXPECT_FALSE(sql.contagem.contains("aoBaixa"));
    EXPECT_TRUE(sql.contagem.contains("and (it.aoitAprovado = 'S')"));
    EXPECT_TRUE(sql.contagem.contains("and it.aoitmarca Containing 'Volvo'"));
    EXPECT_TRUE(sql.contagem.contains("and (os.AOATENDENTE containing 'Carla')"));
    EXPECT_EQ(contar(sql.contagem), 0);
}

TEST_F(PesquisaOrdemServicoTest, PartSituationItemAndBranchFormsRunOnTheDatabase)
{
    FiltroPesquisaOS f;
    f.rotuloModelo = "Peça";
    f.modelo = "a";
    SQLPesquisaOS sql = MontaSQLPesquisaOS(f);
    EXPECT_TRUE(sql.consulta.contains("left outer join aatc01as Sit on (os.ascodigo = sit.ascodigo)\n"
                                      " Left Outer Join Aatc01ap ap   On (os.aoCodigo = ap.aoCodigo) "));
    EXPECT_TRUE(sql.consulta.contains(" where PrAp.Descricao containing 'a'\n"));
    EXPECT_FALSE(sql.contagem.contains("PrAp")) << "the count knows the model form only";
    EXPECT_FALSE(ordens(sql.consulta).isEmpty());
    f.ultimaOS = true;
    sql = MontaSQLPesquisaOS(f);
    EXPECT_TRUE(sql.consulta.contains(" where (PrAp.Descricao) containing 'a'\n"));
    ordens(sql.consulta, "MAX");

    f = {};
    f.rotuloModelo = "Situação Item";
    f.modelo = "x";
    ordens(MontaSQLPesquisaOS(f).consulta);
    sFilialUsuario = "02";
    f = {};
    f.filtroFilial = SQLFiltroFilial("AATC01AO", "os");
    sFilialUsuario.clear();
    EXPECT_EQ(f.filtroFilial, " and (os.AOLOCAL = '02')");
    EXPECT_TRUE(ordens(MontaSQLPesquisaOS(f).consulta).isEmpty());
    EXPECT_EQ(SQLFiltroFilial("AATC01AO", "os"), "") << "a user of every branch";
}

TEST_F(PesquisaOrdemServicoTest, PickedFromTheServiceOrderWindowLoadsTheOrderAndLogsTheArguments)
{
    parametro("ATSEMTOTALREGISTROS", "N");
    QString primeiro, segundo;
    int custoPrimeira = 0, custoSegunda = 0;
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        EXPECT_EQ(janela.caption(), "Pesquisa de Ordem de Serviço");
        EXPECT_GT(janela.cbCampos->count(), 10) << "the header's fields";
        EXPECT_FALSE(janela.cbCamposIt->isVisible());
        janela.edNOS->setText("4");
        {
            testsupport::StatementCounter contador;
            janela.bbPesquisa->click();
            custoPrimeira = contador.count();
        }
        primeiro = janela.stInformacao->panelText(0);
        janela.edNOS->setText("43");
        {
            testsupport::StatementCounter contador;
            janela.bbPesquisa->click();
            custoSegunda = contador.count();
        }
        segundo = janela.stInformacao->panelText(1);
        EXPECT_FALSE(janela.quPecas->active()) << "the row's details are read for the printouts only";
        EXPECT_EQ(janela.stInformacao->panelText(0), primeiro) << "the table's total is read once";
        janela.dbgdOrdemServico->onDblClick();
    });
    EXPECT_EQ(primeiro, "Total de Registros: " + QString::number(one("select count(*) from aatc01aoit").toInt()));
    EXPECT_EQ(segundo, "Registros Encontrados: 1") << logDe("[TfmPesquisaAssOrdemServico.Pesquisar]").join("\n").toStdString();
    // The list, counted as it is read; the table's total once.
    EXPECT_EQ(custoPrimeira, 1 + 1);
    EXPECT_EQ(custoSegunda, 1);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43);
    EXPECT_EQ(fmPesquisaAssOrdemServico.get(), nullptr) << "freed once it answered";
    const QStringList log = logDe("[SelecionaOrdemServico]");
    EXPECT_TRUE(log.contains("iNumeroOrdem Antes:0"));
    EXPECT_TRUE(log.contains("iNumeroOrdem Depois:43"));
    EXPECT_TRUE(log.contains("SDescricao Depois:Ar-condicionado split"));
    EXPECT_TRUE(log.contains("iCodigoEquipamento Depois:3"));
}

// The number typed into "Nº OS" and Enter: the default button searches, as
// the users of the window expect.
TEST_F(PesquisaOrdemServicoTest, EnterInTheOrderNumberSearches)
{
    QString encontrados;
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        janela.edNOS->setFocus();
        QTest::keyClicks(janela.edNOS, "43");
        QTest::keyClick(janela.edNOS, Qt::Key_Return);
        encontrados = janela.stInformacao->panelText(1);
        janela.dbgdOrdemServico->onDblClick();
    });
    EXPECT_EQ(encontrados, "Registros Encontrados: 1");
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43);
}

// "OK" without a filter over more orders than the count reads: the engine
// reads as many records for 1,500 orders as for 3,000, and the count says
// there are more.
TEST_F(PesquisaOrdemServicoTest, CountWithoutAFilterReadsTheSameWhateverTheOrders)
{
    int criadas = 10000;
    auto ordensAte = [&](int ultima) {
        host::db::Statement ordem(tr(), "insert into AATC01AO (AOCODIGO, CLCODIGO, AOBAIXA, AOPRIORIDADE)"
                                        " values (:O, '00003', 'A', 'M')");
        for (; criadas < ultima; ++criadas) {
            ordem.setParam("O", criadas);
            ordem.execute();
        }
        dmGlobal->IBTransaction1->commitRetaining();
    };
    parametro("ATSEMTOTALREGISTROS", "S");   // no count of the whole table besides
    QList<qint64> leituras;
    QStringList encontrados;
    for (int ultima : {11500, 11500, 13000}) {   // the first opening reads what only a first one does
        ordensAte(ultima);
        dialogs->modal("fmPesquisaAssOrdemServico", [&](Form& janela) {
            auto& p = static_cast<TfmPesquisaAssOrdemServico&>(janela);
            const qint64 antes = registrosLidos();
            p.bbPesquisa->click();
            leituras << registrosLidos() - antes;
            encontrados << p.stInformacao->panelText(1);
        });
        int ordem = 0, equipamento = 0;
        QString descricao;
        SelecionaOrdemServico(ordem, equipamento, descricao);
    }
    leituras.removeFirst();
    encontrados.removeFirst();
    EXPECT_EQ(leituras.value(0), leituras.value(1));
    EXPECT_EQ(encontrados, QStringList(2, "Registros Encontrados: mais de 1000"));
}

// What a search finds is told alike whether the list was counted as it was
// read (its lines are the count's, all on the grid's first page) or the
// count statement ran (a list longer than a page; the serial number, which
// the count compares as stored); a customer's name finds that customer's
// orders only, in any letter case.
TEST_F(PesquisaOrdemServicoTest, FoundCountsFromTheListOrTheCountStatementAndByCustomerName)
{
    parametro("ATSEMTOTALREGISTROS", "N");
    for (int o = 1000; o < 1600; ++o)
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AOBAIXA, AOPRIORIDADE) values (%1, '%2', 'A', 'M')")
                 .arg(o)
                 .arg(o % 2 ? "00001" : "00002"));
    dmGlobal->IBTransaction1->commitRetaining();
    struct Busca {
        QString numero, cliente, serie, encontrados;
        int comandos = 0;
        QList<int> primeiras;
    };
    Busca todas, porNumero{"15"}, porNome{{}, "exemplo"}, porSerie{{}, {}, "sae"};
    dialogs->modal("fmPesquisaAssOrdemServico", [&](Form& janela) {
        auto& p = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        for (Busca* b : {&todas, &porNumero, &porNome, &porSerie}) {
            p.edNOS->setText(b->numero);
            p.edCliente->setText(b->cliente);
            p.edNumero->setText(b->serie);
            testsupport::StatementCounter contador;
            p.bbPesquisa->click();
            b->comandos = contador.count();
            b->encontrados = p.stInformacao->panelText(1);
            for (p.quConsulta->first(); !p.quConsulta->eof() && b->primeiras.size() < 3; p.quConsulta->next())
                b->primeiras << p.quConsulta->fieldByName("AOCODIGOOS")->asInteger();
        }
    });
    int ordem = 0, equipamento = 0;
    QString descricao;
    SelecionaOrdemServico(ordem, equipamento, descricao);
    const int linhasDeAntes = 11;
    EXPECT_EQ(todas.encontrados, "Registros Encontrados: " + QString::number(600 + linhasDeAntes));
    EXPECT_EQ(todas.primeiras, (QList<int>{1599, 1598, 1597}));
    EXPECT_EQ(todas.comandos, 1 + 1 + 1) << "the list's first page, its count and the table's total";
    const int comQuinze = contar("select count(*) from AATC01AO where AOCODIGO like '%15%'");
    EXPECT_EQ(comQuinze, 100 + 1 + 1 + 10 + 1 + 1 + 1) << "1500..1599, 1015, 1115, 1150..1159, 1215, 1315, 1415";
    EXPECT_EQ(porNumero.encontrados, "Registros Encontrados: " + QString::number(comQuinze));
    EXPECT_EQ(porNumero.primeiras, (QList<int>{1599, 1598, 1597}));
    EXPECT_EQ(porNumero.comandos, 1 + 1) << "longer than a page: the list and its count";
    ASSERT_EQ(contar("select count(*) from AUGC0301 where NOME containing 'exemplo'"), 1) << "customer 00001 alone";
    const int doCliente = contar("select count(*) from AATC01AO o left join AATC01AOIT it on it.AOCODIGO = o.AOCODIGO"
                                 " where o.CLCODIGO = '00001'");
    EXPECT_EQ(porNome.encontrados, "Registros Encontrados: " + QString::number(doCliente));
    EXPECT_EQ(porNome.primeiras, (QList<int>{1599, 1597, 1595}));
    EXPECT_EQ(porNome.comandos, 1 + 1) << "longer than a page: the list and its count";
    EXPECT_EQ(porSerie.encontrados, "Registros Encontrados: 1");
    EXPECT_EQ(porSerie.primeiras, QList<int>{42});
    EXPECT_EQ(porSerie.comandos, 1 + 1) << "the list and its count";
}

// A name typed finds the orders of every customer whose name contains it,
// in any letter case, newest first, one row per item (an order without
// items once) and none without a customer: the rows of the plain join of
// orders, customers and items. The named customers are read first and
// their orders through the customer index, also on a database whose
// indexes were made while its tables were empty (no statistics to go by).
TEST_F(PesquisaOrdemServicoTest, ByCustomerNameTheNamedCustomersOrdersThroughTheirIndexAsThePlainJoinReadsThem)
{
    // As many customers and orders as the engine needs to see, by the
    // tables' sizes, that reading every order is cheaper than going from a
    // customer to its orders without knowing how many each has.
    constexpr int kClientes = 2000, kOrdens = 6000;
    {
        host::db::Statement cliente(tr(), "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values (:C, :N)");
        for (int c = 1; c <= kClientes; ++c) {
            cliente.setParam("C", QString("K%1").arg(c, 4, 10, QChar('0')));
            cliente.setParam("N", c == 7 ? "Oficina D'Ávila" : QString("Comércio %1 Ltda").arg(c, 4, 10, QChar('0')));
            cliente.execute();
        }
        host::db::Statement ordem(tr(), "insert into AATC01AO (AOCODIGO, CLCODIGO, AOBAIXA, AOPRIORIDADE)"
                                         " values (:O, :C, 'A', 'M')");
        host::db::Statement item(tr(), "insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO)"
                                        " values (:O, :I, 'Balança')");
        for (int o = 3000; o < 3000 + kOrdens; ++o) {
            ordem.setParam("O", o);
            ordem.setParam("C", o % 37 ? QVariant(QString("K%1").arg(o % 20 + 1, 4, 10, QChar('0'))) : QVariant());
            ordem.execute();
            for (int i = 0; i < o % 3; ++i) {
                item.setParam("O", o);
                item.setParam("I", o * 10 + i);
                item.execute();
            }
        }
    }
    dmGlobal->IBTransaction1->commitRetaining();
    auto linhas = [this](const QString& sql) {
        auto consulta = CriarIbQuery();
        consulta->setSql(sql);
        consulta->open();
        QList<std::pair<int, int>> lidas;
        for (; !consulta->eof(); consulta->next())
            lidas.append({consulta->fields()[0]->asInteger(), consulta->fields()[1]->asInteger()});
        return lidas;
    };
    for (const QString nome : {"comércio 0012", "COMÉRCIO 001", "Ltda", "d'ávila", "ninguém"}) {
        FiltroPesquisaOS f;
        f.cliente = nome;
        const SQLPesquisaOS sql = MontaSQLPesquisaOS(f);
        // The list's first column is the item's order: the header's, for an order without items.
        auto nossas = linhas(QString(sql.consulta).replace("select it.AOCODIGO,", "select os.AOCODIGO as ORDEM,"));
        EXPECT_TRUE(std::is_sorted(nossas.begin(), nossas.end(),
                                   [](const auto& a, const auto& b) { return a.first > b.first; }))
            << qPrintable(nome) << ": newest order first";
        std::sort(nossas.begin(), nossas.end(), std::greater<>());
        const QString literal = "'" + QString(nome).replace("'", "''") + "'";
        const auto simples = linhas("select os.AOCODIGO, it.AOITCODIGO from AATC01AO os"
                                    " join AUGC0301 cl on cl.CODIGO_CLIENTE = os.CLCODIGO"
                                    " left join AATC01AOIT it on it.AOCODIGO = os.AOCODIGO"
                                    " where cl.NOME containing " + literal +
                                    " order by os.AOCODIGO desc, it.AOITCODIGO desc");
        EXPECT_EQ(nossas, simples) << qPrintable(nome);
        EXPECT_EQ(contar(sql.contagem), std::min<qsizetype>(simples.size(), kMaximoContado + 1)) << qPrintable(nome)
            << ": the count stops one row past its limit";
    }
    FiltroPesquisaOS f;
    f.cliente = "Comércio 0012";
    const SQLPesquisaOS sql = MontaSQLPesquisaOS(f);
    for (const QString& plano : {testsupport::planoDe(tr(), sql.consulta), testsupport::planoDe(tr(), sql.contagem)})
        EXPECT_TRUE(plano.contains("CLI NATURAL") && plano.contains("OS INDEX (IX_AATC01AO_CLCODIGO)"))
            << plano.toStdString();
}

// A list of several pages opens on its first rows; scrolling reads on to
// the last row; a title click sorts every row of the list, not the rows read
// so far; the count shown is the list's whole.
TEST_F(PesquisaOrdemServicoTest, ALongListOpensOnItsFirstRowsScrollsToItsLastAndSortsEveryRow)
{
    parametro("ATSEMTOTALREGISTROS", "N");
    constexpr int kNovas = host::ui::DataGrid::kPageRows * 3 + 50;
    for (int o = 2000; o < 2000 + kNovas; ++o)
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AOBAIXA, AOPRIORIDADE) values (%1, '00001', 'A', 'M')")
                 .arg(o));
    dmGlobal->IBTransaction1->commitRetaining();
    const int total = contar("select count(*) from AATC01AO o left join AATC01AOIT it on it.AOCODIGO = o.AOCODIGO");
    QString encontrados, primeira, ultima, ordenadaPrimeira, ordenadaUltima;
    int comandos = 0, linhasAbertas = 0, linhasNoFim = 0;
    dialogs->modal("fmPesquisaAssOrdemServico", [&](Form& janela) {
        auto& p = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        host::ui::DataGrid& grade = *p.dbgdOrdemServico;
        const int colunaOS = grade.columnByField("AOCODIGOOS")->index();
        auto texto = [&](int linha) { return grade.model()->index(linha, colunaOS).data().toString(); };
        auto rolaAteOFim = [&] {
            grade.setFocus();
            QTest::keyClick(&grade, Qt::Key_End, Qt::ControlModifier);
            return grade.model()->rowCount();
        };
        {
            testsupport::StatementCounter contador;
            p.bbPesquisa->click();
            comandos = contador.count();
        }
        encontrados = p.stInformacao->panelText(1);
        linhasAbertas = grade.model()->rowCount();
        primeira = texto(0);
        linhasNoFim = rolaAteOFim();
        ultima = texto(linhasNoFim - 1);

        // "Nº OS" clicked: the whole list by order number, lowest first.
        const QRect titulo(grade.horizontalHeader()->sectionViewportPosition(colunaOS), 0,
                           grade.horizontalHeader()->sectionSize(colunaOS), grade.horizontalHeader()->height());
        QTest::mouseClick(grade.horizontalHeader()->viewport(), Qt::LeftButton, {}, titulo.center());
        ordenadaPrimeira = texto(0);
        ordenadaUltima = texto(rolaAteOFim() - 1);
    });
    int ordem = 0, equipamento = 0;
    QString descricao;
    SelecionaOrdemServico(ordem, equipamento, descricao);
    EXPECT_EQ(encontrados, "Registros Encontrados: " + QString::number(total));
    EXPECT_EQ(comandos, 1 + 1 + 1) << "the list's first page, its count and the table's total";
    EXPECT_LT(linhasAbertas, total) << "opened without reading every row";
    EXPECT_EQ(primeira, QString("%1").arg(2000 + kNovas - 1, 9, 10, QChar('0')));
    EXPECT_EQ(linhasNoFim, total);
    EXPECT_EQ(ultima, "000000012") << "the lowest order, last";
    EXPECT_EQ(ordenadaPrimeira, "000000012") << "the lowest order of all, not of the rows read";
    EXPECT_EQ(ordenadaUltima, QString("%1").arg(2000 + kNovas - 1, 9, 10, QChar('0')));
}

TEST_F(PesquisaOrdemServicoTest, CancelKeepsTheArgumentsAndTheLastOrderGridAnswersByThePlainName)
{
    int ordem = 7, equipamento = 8;
    QString descricao = "antes";
    dialogs->modal("fmPesquisaAssOrdemServico", [](Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        pesquisa.bbPesquisa->click();
    });
    EXPECT_FALSE(SelecionaOrdemServico(ordem, equipamento, descricao));
    EXPECT_EQ(ordem, 7);
    EXPECT_EQ(equipamento, 8);
    EXPECT_EQ(descricao, "antes");

    parametro("ATMODOVEICULO", "O");
    dialogs->modal("fmPesquisaAssOrdemServico", [](Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        EXPECT_EQ(pesquisa.laNumero->text(), "Chassi");
        EXPECT_FALSE(pesquisa.ckUltimaOS->isHidden());
        pesquisa.ckUltimaOS->click();
        EXPECT_FALSE(pesquisa.dbgdUltimaOS()->isHidden());
        EXPECT_TRUE(pesquisa.dbgdOrdemServico->isHidden());
        EXPECT_FALSE(pesquisa.edTecnico->isEnabled());
        pesquisa.mdPlaca->setText("ABC1234");
        pesquisa.bbPesquisa->click();
        ASSERT_TRUE(pesquisa.quConsUltimaOS->active());
        pesquisa.dbgdUltimaOS()->onDblClick();
    });
    EXPECT_TRUE(SelecionaOrdemServicoExportado(ordem, equipamento, descricao));
    EXPECT_EQ(ordem, 602);
    EXPECT_EQ(equipamento, 9);
    EXPECT_EQ(descricao, "Caminhão");
}

// The last-order grid, read as the user sees it: each row's order number
// and equipment.
QStringList linhasDaGrade(host::ui::DataGrid& grade)
{
    QStringList linhas;
    const QAbstractItemModel* modelo = grade.model();
    for (int linha = 0; linha < modelo->rowCount(); ++linha)
        linhas << modelo->index(linha, 0).data().toString() + " " + modelo->index(linha, 1).data().toString();
    return linhas;
}

// "Apenas Última OS" ticked shows the last order of each customer's
// equipment in its own grid; unticked, the item rows come back; a window
// opened again starts on the item rows, with no last-order grid made.
TEST_F(PesquisaOrdemServicoTest, LastOrderOptionTickedUntickedAndTheWindowOpenedAgain)
{
    parametro("ATMODOVEICULO", "O");
    bool gradeAoAbrir = true, gradeAoReabrir = true;
    QStringList ultimas, itens, reaberta;
    bool ordensVisivel = false, ultimasVisivel = true, tecnicoLiberado = false;
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        gradeAoAbrir = janela.findChild<host::ui::DataGrid*>("dbgdUltimaOS") != nullptr;
        janela.edTipo->setText("Ar-cond");
        janela.ckUltimaOS->click();
        EXPECT_FALSE(janela.dbgdUltimaOS()->isHidden());
        EXPECT_TRUE(janela.dbgdOrdemServico->isHidden());
        janela.bbPesquisa->click();
        ultimas = linhasDaGrade(*janela.dbgdUltimaOS());
        janela.ckUltimaOS->click();
        ultimasVisivel = !janela.dbgdUltimaOS()->isHidden();
        ordensVisivel = !janela.dbgdOrdemServico->isHidden();
        tecnicoLiberado = janela.edTecnico->isEnabled();
        janela.bbPesquisa->click();
        itens = linhasDaGrade(*janela.dbgdOrdemServico);
    });
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        gradeAoReabrir = janela.findChild<host::ui::DataGrid*>("dbgdUltimaOS") != nullptr;
        EXPECT_FALSE(janela.ckUltimaOS->isChecked());
        EXPECT_FALSE(janela.dbgdOrdemServico->isHidden());
        janela.edTipo->setText("Caminh");
        janela.bbPesquisa->click();
        reaberta = linhasDaGrade(*janela.dbgdOrdemServico);
    });
    EXPECT_FALSE(gradeAoAbrir) << "made only when the option is ticked";
    EXPECT_EQ(ultimas, (QStringList{"42 Ar-condicionado split", "43 Ar-condicionado split"}))
        << "one row per equipment, its last order";
    EXPECT_FALSE(ultimasVisivel);
    EXPECT_TRUE(ordensVisivel);
    EXPECT_TRUE(tecnicoLiberado);
    EXPECT_EQ(itens, (QStringList{"000000043 02/11/2026", "000000042 02/11/2026"}));
    EXPECT_FALSE(gradeAoReabrir);
    EXPECT_EQ(reaberta, (QStringList{"000000602 02/11/2026", "000000601 02/11/2026"}));
}

// The entry-date period and the plate are boxes with no field behind them:
// they take what the user types, and the search uses it.
TEST_F(PesquisaOrdemServicoTest, PeriodAndPlateBoxesTakeTyping)
{
    exec("update AATC01AO set AODATAENTRADA = '2026-12-05' where AOCODIGO = 43");
    dmGlobal->IBTransaction1->commitRetaining();
    auto digitaNaCaixa = [](QLineEdit* caixa, const QString& texto) {
        caixa->setFocus();
        caixa->setCursorPosition(0);
        QTest::keyClicks(caixa, texto);
    };
    QString encontrados, periodo;
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        EXPECT_FALSE(janela.deDataIni->isReadOnly());
        digitaNaCaixa(janela.deDataIni, "01122026");
        digitaNaCaixa(janela.deDataFim, "31122026");
        periodo = janela.deDataIni->displayText() + " a " + janela.deDataFim->displayText();
        janela.bbPesquisa->click();
        encontrados = janela.stInformacao->panelText(1);
    });
    EXPECT_EQ(periodo, "01/12/2026 a 31/12/2026");
    EXPECT_EQ(encontrados, "Registros Encontrados: 1") << "order 43 alone entered in December";

    parametro("ATMODOVEICULO", "O");
    QString placa;
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        digitaNaCaixa(janela.mdPlaca, "ABC1234");
        placa = janela.mdPlaca->displayText();
        janela.bbPesquisa->click();
        encontrados = janela.stInformacao->panelText(1);
    });
    EXPECT_EQ(placa, "ABC-1234");
    EXPECT_EQ(encontrados, "Registros Encontrados: 2") << "the truck's two orders";
}

// A period typed short shows as it is read, and "OK" over the list found
// takes the row the user highlighted in it.
TEST_F(PesquisaOrdemServicoTest, AShortDateShowsAsReadAndOkTakesTheHighlightedRow)
{
    exec("update AATC01AO set AODATAENTRADA = '2026-12-05' where AOCODIGO in (42, 43)");
    dmGlobal->IBTransaction1->commitRetaining();
    QString periodo;
    int destacada = 0;
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        for (auto [caixa, texto] : {std::pair{janela.deDataIni, "1/12/26"}, std::pair{janela.deDataFim, "31/12/26"}}) {
            caixa->setFocus();
            QTest::keyClicks(caixa, texto);
            QTest::keyClick(caixa, Qt::Key_Return);
        }
        periodo = janela.deDataIni->displayText() + " a " + janela.deDataFim->displayText();
        host::ui::DataGrid* grade = janela.dbgdOrdemServico;
        const QModelIndex segunda = grade->model()->index(1, grade->columnByField("AOCODIGOOS")->index());
        destacada = segunda.data().toInt();
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(segunda).center());
        QTest::mouseClick(janela.bbPesquisa, Qt::LeftButton);
    });
    EXPECT_EQ(periodo, "01/12/2026 a 31/12/2026");
    ASSERT_NE(destacada, 0);
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), destacada);
    EXPECT_EQ(fmPesquisaAssOrdemServico.get(), nullptr) << "OK closed the search";
}

// An order entered in the last second of the period's last day, with its
// fractions, is the period's: the day ends at the engine's last instant.
TEST_F(PesquisaOrdemServicoTest, ThePeriodsLastDayCountsToItsLastInstant)
{
    exec("update AATC01AO set AODATAENTRADA = '2026-12-31 23:59:59.5000' where AOCODIGO = 43");
    dmGlobal->IBTransaction1->commitRetaining();
    QString encontrados;
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        for (auto [caixa, texto] : {std::pair{janela.deDataIni, "011226"}, std::pair{janela.deDataFim, "311226"}}) {
            caixa->setFocus();
            caixa->setCursorPosition(0);
            QTest::keyClicks(caixa, texto);
        }
        janela.bbPesquisa->click();
        encontrados = janela.stInformacao->panelText(1);
    });
    EXPECT_EQ(encontrados, "Registros Encontrados: 1") << "order 43, entered half a second before the year's end";
}

TEST_F(PesquisaOrdemServicoTest, LabelsCycleKeysAndTheSituationBoxClearedByEscape)
{
    dialogs->modal("fmPesquisaAssOrdemServico", [](Form& janela) {
        auto& p = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        p.laModelo->onClick();
        EXPECT_EQ(p.laModelo->text(), "Peça");
        p.laModelo->onClick();
        EXPECT_EQ(p.laModelo->text(), "Situação Item");
        p.laModelo->onClick();
        EXPECT_EQ(p.laModelo->text(), "Modelo");
        p.laTecnico->onClick();
        EXPECT_EQ(p.laTecnico->text(), "Cor");
        p.MiCamposAlter->trigger();
        EXPECT_FALSE(p.cbCamposIt->isHidden());
        EXPECT_EQ(p.edNOS->maxLength(), 100);
        QTest::keyClick(&p, Qt::Key_F, Qt::ControlModifier);
        EXPECT_FALSE(p.edFilial->isHidden());
        EXPECT_FALSE(p.edSitExceto->isHidden());

        p.dblcSituacao->setKeyValue(4);
        ASSERT_FALSE(p.dblcSituacao->text().isEmpty());
        FiltroPesquisaOS f = p.FiltroAtual({}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, false);
        EXPECT_TRUE(MontaSQLPesquisaOS(f).consulta.contains("where (OS.ASCODIGO) = 4\n"));
        QTest::keyClick(p.dblcSituacao, Qt::Key_Escape);
        f = p.FiltroAtual({}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, false);
        EXPECT_FALSE(MontaSQLPesquisaOS(f).consulta.contains("OS.ASCODIGO"));
        EXPECT_EQ(p.dblcSituacao->keyValue().toInt(), -1);
    });
    int ordem = 0, equipamento = 0;
    QString descricao;
    SelecionaOrdemServico(ordem, equipamento, descricao);
}

TEST_F(PesquisaOrdemServicoTest, PrintoutsOfTheSearchAsText)
{
    QString listagem, equipamentos, ficha;
    dialogs->modal("fmPesquisaAssOrdemServico", [&](Form& janela) {
        auto& p = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        p.edNOS->setText("4");
        p.bbPesquisa->click();
        host::data::DetachHandler<host::data::Dataset::Event> seguir(
            p.quConsulta->afterScroll, [&p](host::data::Dataset& d) { p.quConsultaAfterScroll(d); });
        TqrAssOSPesquisaRel lista;
        listagem = lista.QuickRep1->textDump();
        TqrAssOSPesquisaFic card;
        ficha = card.QuickRep1->textDump();
    });
    int ordem = 0, equipamento = 0;
    QString descricao;
    SelecionaOrdemServico(ordem, equipamento, descricao);
    EXPECT_TRUE(listagem.contains("Equipamentos")) << listagem.toStdString();
    EXPECT_TRUE(listagem.contains("Nº de Série:"));
    EXPECT_FALSE(listagem.contains("Placa:")) << "no vehicle lines outside vehicle mode";
    EXPECT_TRUE(listagem.contains("Máquina de café expresso"));
    EXPECT_TRUE(listagem.contains("P0005")) << "the item's parts";
    EXPECT_TRUE(listagem.contains("S0003")) << "the item's services";
    // One group per serial number, five items of four orders.
    EXPECT_EQ(ficha.count("Total de Ordens:"), 5 + 1) << ficha.toStdString();
    EXPECT_TRUE(ficha.contains("Valores Totais"));
    EXPECT_FALSE(ficha.contains("Total Receitas")) << "no contract lines outside contract mode";
}

// Order 42 has two items: "Ficha Vida" counts it, and its money, once.
TEST_F(PesquisaOrdemServicoTest, TheCardCountsAnOrderOnceWhateverItsNumberOfItems)
{
    exec("update AATC01AO set AOVALORPECAS = 35.5, AOVALORSERVICO = 270, AOVALORTOTAL = 305.5 where AOCODIGO = 42");
    dmGlobal->IBTransaction1->commitRetaining();
    QString ficha;
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        janela.edNOS->setText("42");
        janela.bbPesquisa->click();
        dialogs->modal("fmVisualizadorRelatorio", [&](Form& vista) {
            ficha = static_cast<TfmVisualizadorRelatorio&>(vista).pages().textDump();
        });
        janela.bbFicha->click();
    });
    const QStringList resumo = ficha.split('\n').filter("summary qrbnResumo");
    ASSERT_EQ(resumo.size(), 1) << ficha.toStdString();
    EXPECT_TRUE(resumo[0].contains("Total de Ordens: | 1 | Peças: | 35,50 | Serviços: | 270,00 | Valores Totais | 305,50"))
        << resumo[0].toStdString();
}

TEST_F(PesquisaOrdemServicoTest, TheCardInContractModeListsContractLinesAndCash)
{
    parametro("ATSITUACAOPORITEM", "S");
    parametro("ATUTILIZACONTRATOS", "S");
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVVALOR, ACEVDATAINICIO, ACEVDATAFIM)"
         " values (1, 77, 3, 100, '2026-01-01', '2026-12-31')");
    QString ficha;
    TotaisFichaOS totais;
    dialogs->modal("fmPesquisaAssOrdemServico", [&](Form& janela) {
        auto& p = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        p.edNOS->setText("43");
        p.bbPesquisa->click();
        TqrAssOSPesquisaFic card;
        ficha = card.QuickRep1->textDump();
        totais = card.total;
    });
    int ordem = 0, equipamento = 0;
    QString descricao;
    SelecionaOrdemServico(ordem, equipamento, descricao);
    EXPECT_TRUE(ficha.contains("Contrato Código: 000077")) << ficha.toStdString();
    EXPECT_TRUE(ficha.contains("Total Geral Receitas"));
    EXPECT_TRUE(ficha.contains("Total Despesa"));
    EXPECT_DOUBLE_EQ(totais.receitas, 0);
    EXPECT_DOUBLE_EQ(totais.TotalReceitas(), totais.contrato) << "no cash movements: receipts are the contract's";
    EXPECT_DOUBLE_EQ(totais.Resultado(), totais.contrato - 80.0);
}

TEST_F(PesquisaOrdemServicoTest, PartsOfARowExportAndAFailedSearchWarns)
{
    const QString arquivo = QDir(systemFolder).filePath("pesquisa.xls");
    QString titulo;
    int linhas = -1;
    dialogs->modal("fmPesquisaAssOrdemServico", [&](Form& janela) {
        auto& p = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        p.edNOS->setText("42");
        p.bbPesquisa->click();
        ASSERT_TRUE(p.quConsulta->locate("AOITCODIGO", 421));
        EXPECT_EQ(p.quConsulta->fieldByName("AOBAIXA")->displayText(), "Serviço em Andamento");
        dialogs->modal("fmPesquisa", [&](Form& pecas) {
            titulo = pecas.caption();
            linhas = pecas.findChild<host::ui::DataGrid*>()->model()->rowCount();
        });
        p.miMostrarPecas->trigger();
        EXPECT_FALSE(p.quPecas->active()) << "closed after the window";

        p.dbgdOrdemServico->setFocus();
        dialogs->enter(arquivo);
        p.miExportar->trigger();

        // A header field whose column the table lacks makes the statement fail.
        int calculado = 0;
        while (dmTec->quOS->field(calculado)->kind() == host::data::FieldKind::Data)
            ++calculado;
        p.cbCampos->setCurrentIndex(calculado);
        p.edAlternativo->setText("x");
        dialogs->acknowledge("Falha ao realizar pesquisa.");
        p.bbPesquisa->click();
    });
    int ordem = 0, equipamento = 0;
    QString descricao;
    SelecionaOrdemServico(ordem, equipamento, descricao);
    EXPECT_EQ(titulo, "Peças da Ordem de Serviço");
    EXPECT_EQ(linhas, 1);
    EXPECT_TRUE(QFile::exists(arquivo + "x")) << "written as the current workbook format";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(PesquisaOrdemServicoTest, PictureOfTheSearchWithRows)
{
    dialogs->modal("fmPesquisaAssOrdemServico", [&](Form& janela) {
        auto& p = static_cast<TfmPesquisaAssOrdemServico&>(janela);
        p.bbPesquisa->click();
        guardaFoto(p, "fmPesquisaAssOrdemServico.png");
    });
    int ordem = 0, equipamento = 0;
    QString descricao;
    SelecionaOrdemServico(ordem, equipamento, descricao);
}

// A character the database cannot hold, typed in a search box, is named to
// the user instead of the engine's words; the search goes on afterwards.
TEST_F(PesquisaOrdemServicoTest, ACharacterTheDatabaseCannotHoldIsNamed)
{
    pesquisarPelaJanela([&](TfmPesquisaAssOrdemServico& janela) {
        janela.edNOS->setText("4Ж’");
        dialogs->acknowledge("Falha ao realizar pesquisa.\nOs caracteres \"Ж\", \"’\" não podem ser guardados no "
                             "banco de dados: troque-os ou retire-os do texto.");
        janela.bbPesquisa->click();
        janela.edNOS->setText("43");
        janela.bbPesquisa->click();
        EXPECT_EQ(janela.quConsulta->recordCount(), 1);
    });
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
