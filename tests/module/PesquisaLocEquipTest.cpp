// The rental-contract search: the condition of each filter and the order
// columns as text, then each run on the database: one row per contract,
// the match modes, the pick-up window from 00:01:00, the pick-up status,
// deactivated contracts, a code that is not a number; the dialog with its
// statement count, its double click and a picture.

#include "tests/module/ModuleFixture.h"

#include "rental/uPesqAssContratosLocEquip.h"
#include "tests/support/TestDatabase.h"

#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/StatusBar.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace moduletest {
namespace {

using namespace uPesqAssContratosLocEquip;
using OndeContrato = Filtro::Onde;

TEST(PesquisaLocEquipSql, EachFilterAddsItsConditionInItsPlace)
{
    Filtro f;
    EXPECT_EQ(Condicoes(f), "") << "nothing given, nothing added";
    f.codigo = 12;
    EXPECT_EQ(Condicoes(f), "\n and ac.accodigo = 12");
    f = {};
    f.numero = "ab";
    f.onde = OndeContrato::ComecandoCom;
    EXPECT_EQ(Condicoes(f), "\n and upper(ac.acnumerocontrato) like 'AB%'");
    f = {};
    f.cliente = "d'Ávila";
    EXPECT_EQ(Condicoes(f), "\n and upper(cl.nome) like '%D''ÁVILA%'");
    f = {};
    f.equipamento = " Gerador";
    f.onde = OndeContrato::TerminandoCom;
    EXPECT_EQ(Condicoes(f), "\n and upper(eqp.descricao) like '% GERADOR'") << "the untrimmed text is used";
    f = {};
    f.nsEquipamento = "NS1";
    EXPECT_EQ(Condicoes(f),
              "\n and acit.accodigo in (select sl1.accodigo from augc50ns sl1 where sl1.nsnumero = 'NS1')");
    f = {};
    f.item = "Bateria";
    EXPECT_EQ(Condicoes(f), "\n and acit.prcodigo in (select ns.cmcodigo from augc50ns ns left outer join acec1101 pc"
                            " on pc.codigo = ns.prcodigo where pc.descricao = 'Bateria')");
    f = {};
    f.nsItem = "B7";
    EXPECT_EQ(Condicoes(f),
              "\n and acit.prcodigo in (select cm.prcodigo from agpc03cm cm left outer join augc50ns ns on"
              " ns.prcodigo = cm.cmcodigo and ns.cmcodigo = cm.prcodigo left outer join acec1101 pc on"
              " pc.codigo = cm.prcodigo where ns.nsnumero = 'B7')");
    f = {};
    f.retirada = QDate(2024, 3, 5);
    EXPECT_EQ(Condicoes(f), "\n and ac.accomprovantedatahora >= '03/05/2024 00:01:00' and"
                            " ac.accomprovantedatahora <= '03/05/2024 23:59:59.9999'");
    f = {};
    f.retiradaEm = QDate(2024, 3, 5);
    EXPECT_EQ(Condicoes(f), "\n and ac.acdataretirada >= '03/05/2024' and ac.acdataretirada < '03/06/2024'");
    const char* const status[] = {
        "", "\n and ac.accomprovantedatahora is null  and ac.acdataretirada is null",
        "\n and ac.accomprovantedatahora is not null  and ac.acdataretirada is null",
        "\n and ac.accomprovantedatahora is not null  and ac.acdataretirada is not null"};
    for (int i = 0; i < 4; ++i) {
        f = {};
        f.status = i;
        EXPECT_EQ(Condicoes(f), status[i]) << i;
    }
    f = {};
    f.desativados = "Todos";
    EXPECT_EQ(Condicoes(f), "");
    f.desativados = "Somente";
    EXPECT_EQ(Condicoes(f), "\n and ac.actipo = '#'");
    f = {};
    f.terminoDe = QDate(2024, 1, 1);
    f.terminoAte = QDate(2024, 12, 31);
    EXPECT_EQ(Condicoes(f), "\n and ac.acdatavalidade >= '01/01/2024'\n and ac.acdatavalidade < '01/01/2025'");
    f.codigo = 3;
    f.cliente = "x";
    f.status = 2;
    EXPECT_EQ(Condicoes(f), "\n and ac.accodigo = 3\n and upper(cl.nome) like '%X%'"
                            "\n and ac.accomprovantedatahora is not null  and ac.acdataretirada is null"
                            "\n and ac.acdatavalidade >= '01/01/2024'\n and ac.acdatavalidade < '01/01/2025'")
        << "in the fixed order";
    f = {};
    f.cliente = "   ";
    EXPECT_EQ(Condicoes(f), "") << "blank text is no filter";
}

TEST(PesquisaLocEquipSql, TheStatementAndItsOrders)
{
    Filtro f;
    EXPECT_EQ(SqlPesquisa(f),
              "select ac.accodigo, ac.acnumerocontrato, ac.actipodesc, ac.acperiododesc, ac.accontratante,"
              " cl.nome, ac.acdescricao, ac.accomprovantedatahora, ac.acdataretirada\n"
              "from aatc05ac ac\n"
              " left outer join augc0301 cl on cl.codigo_cliente = ac.accontratante\n"
              "where ac.accodigo > 0\n"
              "Order by ac.accodigo");
    f.item = "Placa";
    EXPECT_TRUE(SqlPesquisa(f).startsWith("select distinct ")) << "the items joined, each contract once";
    f.item.clear();
    const char* const ordens[] = {"ac.accodigo", "ac.acnumerocontrato", "cl.nome", "ordemequipamento",
                                  "ordemnsequipamento", "ordemitem", "ordemnsitem"};
    for (int i = 0; i < 7; ++i) {
        f.ordem = i;
        const QString sql = SqlPesquisa(f);
        EXPECT_TRUE(sql.endsWith(QString("\nOrder by ") + ordens[i])) << i;
        // A distinct list orders only by a column it selects.
        EXPECT_EQ(i >= 3, sql.contains(QString(" as ") + ordens[i])) << i;
    }
    EXPECT_EQ(CodigoDigitado(" 42 "), 42);
    EXPECT_EQ(CodigoDigitado("4a"), 0);
    EXPECT_EQ(CodigoDigitado(""), 0);
}

class PesquisaLocEquipTest : public ModuleTest {
protected:
    void contrato(int codigo, const QString& numero, const QString& cliente, const QString& extraCols = {},
                  const QString& extraVals = {})
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACCONTRATANTE%1) values (%2, '%3', '%4'%5)")
                 .arg(extraCols.isEmpty() ? QString() : ", " + extraCols)
                 .arg(codigo)
                 .arg(numero, cliente)
                 .arg(extraVals.isEmpty() ? QString() : ", " + extraVals));
    }
    void item(int codigo, int contratoItem, const QString& produto)
    {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO) values (%1, %2, '00004', '%3')")
                 .arg(codigo)
                 .arg(contratoItem)
                 .arg(produto));
    }
    // The codes the statement lists, in its order.
    QList<int> codigos(const Filtro& f)
    {
        host::data::Query q(nullptr, "quConsulta");
        q.setTransaction(dmGlobal->IBTransaction1.get());
        q.setSql(SqlPesquisa(f));
        QList<int> lista;
        for (q.open(); !q.eof(); q.next())
            lista << q.fieldByName("ACCODIGO")->asInteger();
        return lista;
    }
    void dados()
    {
        contrato(3, "ab-3", "00004", "ACCOMPROVANTEDATAHORA", "'2024-03-05 00:00:30'");
        contrato(1, "X-1", "00002", "ACCOMPROVANTEDATAHORA, ACDATARETIRADA", "'2024-03-05 09:30', '2024-03-06'");
        contrato(2, "AB-2", "00001", "ACCOMPROVANTEDATAHORA, ACTIPO", "'2024-03-05 23:59:00', '#'");
        contrato(4, "Z-4", "00003");
        item(11, 1, "P0004");
        item(12, 1, "P0001");
        item(13, 2, "P0002");
    }
};

TEST_F(PesquisaLocEquipTest, FiltersRunOnTheDatabase)
{
    dados();
    Filtro f;
    EXPECT_EQ(codigos(f), (QList<int>{1, 2, 3, 4})) << "every contract once, by code, whatever its items";
    f.numero = "ab";
    f.onde = OndeContrato::ComecandoCom;
    EXPECT_EQ(codigos(f), (QList<int>{2, 3})) << "any letter case";
    f = {};
    f.retirada = QDate(2024, 3, 5);
    EXPECT_EQ(codigos(f), (QList<int>{1, 2})) << "a proof at 00:00:30 is not found";
    f = {};
    f.status = 2;
    EXPECT_EQ(codigos(f), (QList<int>{2, 3})) << "a proof time, no pick-up day";
    f.status = 1;
    EXPECT_EQ(codigos(f), (QList<int>{4}));
    f.status = 3;
    EXPECT_EQ(codigos(f), (QList<int>{1}));
    f = {};
    f.desativados = "Somente";
    EXPECT_EQ(codigos(f), (QList<int>{2}));
    f = {};
    f.retiradaEm = QDate(2024, 3, 6);
    EXPECT_EQ(codigos(f), (QList<int>{1}));
    f = {};
    f.equipamento = "placa";
    EXPECT_EQ(codigos(f), (QList<int>{2}));
    // Every order runs on the engine and keeps one row per contract.
    for (int i = 0; i < 7; ++i) {
        f = {};
        f.ordem = i;
        EXPECT_EQ(codigos(f).size(), 4) << i;
    }
    f.ordem = 3;
    EXPECT_EQ(codigos(f).mid(2), (QList<int>{1, 2})) << "Compressor before Placa-mãe, after contracts without items";
}

TEST_F(PesquisaLocEquipTest, TheDialogRunsOneStatementAndADoubleClickPicks)
{
    dados();
    int codigo = -1;
    QString numero = "antes";
    // A double click on an empty list returns nothing.
    dialogs->modal("fmPesquisaAssContratosLocEquip", [](host::ui::Form& janela) {
        auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
        d.dbgdContratosLocEqui->onDblClick();
        d.edCodigo->setText("99");
        d.bbPesquisa->click();
        EXPECT_EQ(d.stInformacao->panelText(0), "Registros Encontrados: 0");
        d.dbgdContratosLocEqui->onDblClick();
    });
    EXPECT_FALSE(SelecionaContrato(codigo, numero));
    EXPECT_EQ(codigo, -1);
    EXPECT_EQ(numero, "antes");
    EXPECT_EQ(fmPesquisaAssContratosLocEquip.get(), nullptr) << "released";

    dialogs->modal("fmPesquisaAssContratosLocEquip", [](host::ui::Form& janela) {
        auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
        EXPECT_EQ(d.caption(), "Pesquisa de Contratos de Locação Equipamentos");
        EXPECT_EQ(d.cbStatusRetirada->currentText(), "Todas");
        EXPECT_EQ(d.cbDesativados->currentText(), "");
        EXPECT_TRUE(d.rbContendo->isChecked());
        d.edNroContrato->setText("ab");
        d.rbComecando->setChecked(true);
        testsupport::StatementCounter pesquisa;
        d.bbPesquisa->click();
        EXPECT_EQ(pesquisa.count(), 1) << "one statement whatever the rows";
        EXPECT_EQ(d.stInformacao->panelText(0), "Registros Encontrados: 2");
        d.dbgdContratosLocEqui->resize(860, 200);
        guardaFoto(d, "fmPesquisaAssContratosLocEquip.png");
        d.quConsulta->last();
        d.dbgdContratosLocEqui->onDblClick();
    });
    EXPECT_TRUE(SelecionaContrato(codigo, numero));
    EXPECT_EQ(codigo, 3);
    EXPECT_EQ(numero, "ab-3");
    EXPECT_EQ(dialogs->pending(), 0);
}

// The grid's columns are declared while the window is built, before it is
// shown: once shown, its title row, row numbers and scroll bar are laid out
// for every column, before and after a search.
TEST_F(PesquisaLocEquipTest, TheGridBuiltBeforeTheWindowShowsIsLaidOutForItsColumns)
{
    dados();
    const auto dispostaParaAsColunas = [](host::ui::DataGrid& grade, const char* quando) {
        QHeaderView& titulos = *grade.horizontalHeader();
        EXPECT_GT(titulos.count(), 3) << quando;
        EXPECT_GT(titulos.height(), 0) << quando;
        EXPECT_EQ(titulos.height(), titulos.sizeHint().height()) << quando;
        EXPECT_EQ(titulos.width(), grade.viewport()->width()) << quando;
        EXPECT_EQ(grade.verticalHeader()->width(), grade.verticalHeader()->sizeHint().width()) << quando;
        EXPECT_EQ(grade.horizontalScrollBar()->maximum() > 0, titulos.length() > grade.viewport()->width()) << quando;
    };
    dialogs->modal("fmPesquisaAssContratosLocEquip", [&](host::ui::Form& janela) {
        auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
        ASSERT_TRUE(d.dbgdContratosLocEqui->isVisible());
        dispostaParaAsColunas(*d.dbgdContratosLocEqui, "opened");
        d.bbPesquisa->click();
        EXPECT_TRUE(d.stInformacao->panelText(0).startsWith("Registros Encontrados: ")) << d.stInformacao->panelText(0).toStdString();
        dispostaParaAsColunas(*d.dbgdContratosLocEqui, "searched");
    });
    int codigo = -1;
    QString numero;
    EXPECT_FALSE(SelecionaContrato(codigo, numero));
}

// "abc" in "Código" or a date that does not exist: the search is refused
// with a message, nothing runs, and the text stays for the user to mend.
TEST_F(PesquisaLocEquipTest, AFilterItCannotUseIsRefusedAndKeptOnScreen)
{
    dados();
    dialogs->modal("fmPesquisaAssContratosLocEquip", [this](host::ui::Form& janela) {
        auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
        auto pesquisaRecusada = [&](const QString& mensagem) {
            dialogs->acknowledge(mensagem);
            testsupport::StatementCounter pesquisa;
            QTest::mouseClick(d.bbPesquisa, Qt::LeftButton);
            EXPECT_EQ(pesquisa.count(), 0) << "nothing is searched";
            EXPECT_EQ(dialogs->pending(), 0) << mensagem.toStdString();
            EXPECT_EQ(d.stInformacao->panelText(0), "");
        };
        d.edCodigo->setFocus();
        QTest::keyClicks(d.edCodigo, "abc");
        pesquisaRecusada("Código inválido: abc");
        EXPECT_EQ(d.edCodigo->text(), "abc");

        d.edCodigo->clear();
        d.deRetirada->setFocus();
        d.deRetirada->setCursorPosition(0);
        QTest::keyClicks(d.deRetirada, "31022024");
        pesquisaRecusada("Data inválida: 31/02/2024");
        EXPECT_EQ(d.deRetirada->displayText(), "31/02/2024") << "the date refused stays on screen";

        d.deRetirada->setFocus();
        d.deRetirada->selectAll();
        QTest::keyClick(d.deRetirada, Qt::Key_Delete);
        d.deRetirada->setCursorPosition(0);
        QTest::keyClicks(d.deRetirada, "05032024");
        QTest::mouseClick(d.bbPesquisa, Qt::LeftButton);
        EXPECT_EQ(d.stInformacao->panelText(0), "Registros Encontrados: 2") << "mended, the search runs";
    });
    int codigo = -1;
    QString numero;
    EXPECT_FALSE(SelecionaContrato(codigo, numero));
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(PesquisaLocEquipTest, LookUpButtonsFillTheFilters)
{
    exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO) values (1, 'NS-77', 'P0004')");
    dialogs->modal("fmPesquisaAssContratosLocEquip", [this](host::ui::Form& janela) {
        auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
        dialogs->modal("fmPesquisa", [](host::ui::Form& busca) {
            auto& p = static_cast<TfmPesquisa&>(busca);
            ASSERT_TRUE(p.dataSource()->dataset()->locate("NSNUMERO", "NS-77"));
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
        d.sbPesqNSEquip->click();
        EXPECT_EQ(d.edNSEquipamento->text(), "NS-77");
        dialogs->modal("fmPesquisa", [](host::ui::Form&) {});
        d.sbPesqNSItem->click();
        EXPECT_EQ(d.edNSItem->text(), "") << "a cancelled search changes nothing";
    });
    int codigo = 0;
    QString numero;
    EXPECT_FALSE(SelecionaContrato(codigo, numero));
}

}  // namespace
}  // namespace moduletest
