// The host pickers, driven offscreen through scripted modal windows: the
// general search kinds, the customer and product searches and the search box.

#include "host/Upesqcli.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/data/Field.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"
#include "host/db/Database.h"
#include "tests/support/HostDatabase.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

// The project's source folder, set by the build.
extern const char* const TA_SOURCE_DIR;

using host::ui::Form;
using host::ui::ModalResult;

namespace {

class Pickers : public testsupport::HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        host::ui::Layouts::setFolder(layouts.path());
    }
    void TearDown() override
    {
        host::ui::Layouts::setFolder({});
        HostDatabaseTest::TearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static TfmPesquisa& janela(Form& form) { return static_cast<TfmPesquisa&>(form); }
    static int linhas(Form& form) { return janela(form).dataSource()->dataset()->recordCount(); }
    static void digitar(Form& form, const QString& texto)
    {
        QLineEdit* edit = janela(form).searchEdit();
        ASSERT_NE(edit, nullptr);
        edit->clear();
        const bool ascii = std::all_of(texto.begin(), texto.end(), [](QChar c) { return c.unicode() < 128; });
        if (ascii)
            QTest::keyClicks(edit, texto);   // key by key, as typed
        else
            edit->insert(texto);             // the test library types ASCII only
    }

    void operacoes()
    {
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5102', 'VENDA MERCADORIA', 'S')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5933', 'PRESTAÇÃO DE SERVIÇO', 'S')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('1202', 'DEVOLUÇÃO DE VENDA', 'E')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('1949', 'CAIXA D''ÁGUA', 'E')");
    }

    QTemporaryDir layouts;
};

}  // namespace

TEST_F(Pickers, GeneralSearchReturnsTheNamedColumnsOfTheRowChosenAfterTypingInTheSearchBox)
{
    operacoes();
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(janela(form).searchKind(), 25);
        EXPECT_EQ(form.caption(), "Pesquisa de Operações");
        EXPECT_EQ(linhas(form), 4);
        janela(form).grid()->setSelectedIndex(1);   // search by description
        digitar(form, "venda");
        EXPECT_EQ(linhas(form), 2);                 // "VENDA MERCADORIA", "DEVOLUÇÃO DE VENDA"
        QTest::keyClick(janela(form).searchEdit(), Qt::Key_Down);
        QTest::keyClick(janela(form).searchEdit(), Qt::Key_Return);
    });
    QString codigo, descricao, tipo;
    ASSERT_TRUE(SelecionaPesquisaGeral(25, "cod_op", "Desc_Op_NF", "Tipo_Op", codigo, descricao, tipo));
    EXPECT_EQ(codigo, "5102");     // ordered by code: 1202 first, then 5102
    EXPECT_EQ(descricao, "VENDA MERCADORIA");
    EXPECT_EQ(tipo, "S");
    EXPECT_FALSE(fmPesquisa);
}

TEST_F(Pickers, TypedQuotesAndSqlReachTheStatementOnlyAsAParameter)
{
    operacoes();
    dialogs->modal("fmPesquisa", [](Form& form) {
        janela(form).grid()->setSelectedIndex(1);
        digitar(form, "D'ÁGUA");
        EXPECT_EQ(linhas(form), 1);
        digitar(form, "' or 1=1 --");
        EXPECT_EQ(linhas(form), 0);
        digitar(form, "");
        EXPECT_EQ(linhas(form), 4);
        digitar(form, "d'água");
        QTest::keyClick(janela(form).grid(), Qt::Key_Return);
    });
    QString codigo, a, b;
    ASSERT_TRUE(SelecionaPesquisaGeral(25, "COD_OP", "COD_OP", "COD_OP", codigo, a, b));
    EXPECT_EQ(codigo, "1949");
}

TEST_F(Pickers, CancelledOrEmptySearchKeepsTheCallersValues)
{
    operacoes();
    dialogs->modal("fmPesquisa", [](Form& form) { QTest::keyClick(janela(form).grid(), Qt::Key_Escape); });
    dialogs->modal("fmPesquisa", [](Form& form) {
        digitar(form, "nada disso");
        QTest::keyClick(janela(form).searchEdit(), Qt::Key_Return);   // no row to pick
    });
    QString a = "x", b = "y", c = "z";
    EXPECT_FALSE(SelecionaPesquisaGeral(25, "COD_OP", "COD_OP", "COD_OP", a, b, c));
    EXPECT_FALSE(SelecionaPesquisaGeral(25, "COD_OP", "COD_OP", "COD_OP", a, b, c));
    EXPECT_EQ(a + b + c, "xyz");
    EXPECT_FALSE(fmPesquisa);
}

TEST_F(Pickers, TheCallersConditionJoinsTheKindsOwn)
{
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (1, 'L', 'ATLAS', 'GERADOR 50KVA')");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (2, 'A', 'ATLAS', 'CABO 10M')");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (3, 'L', 'TOYOTA', 'EMPILHADEIRA')");
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(linhas(form), 2);
        janela(form).grid()->setSelectedIndex(1);
        QTest::keyClicks(janela(form).grid(), "toy");   // the grid's own keys find the row
        QTest::keyClick(janela(form).grid(), Qt::Key_Return);
    });
    QString codigo, marca, modelo;
    ASSERT_TRUE(SelecionaPesquisaGeral(47, "evcodigo", "evmarca", "evmodelo", codigo, marca, modelo,
                                       "Where (Veic.EVID = 'L')"));
    EXPECT_EQ(codigo, "3");
    EXPECT_EQ(modelo, "EMPILHADEIRA");

    // A kind with a filter of its own keeps it: 73 lists service-order situations only.
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASID) values (1, 'ABERTA', 'A')");
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASID) values (2, 'SEM DONO', null)");
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASID) values (3, 'PEDIDO', 'P')");
    dialogs->modal("fmPesquisa", [](Form& form) { EXPECT_EQ(linhas(form), 2); });
    dialogs->modal("fmPesquisa", [](Form& form) { EXPECT_EQ(linhas(form), 1); });
    EXPECT_FALSE(SelecionaPesquisaGeral(73, "ASCODIGO", "ASCODIGO", "ASCODIGO", codigo, marca, modelo));
    EXPECT_FALSE(SelecionaPesquisaGeral(73, "ASCODIGO", "ASCODIGO", "ASCODIGO", codigo, marca, modelo,
                                        "sit.ASCODIGO > 1"));
}

TEST_F(Pickers, EveryKindOpensOnTheHostTablesAndIsDocumented)
{
    QFile doc(QString::fromUtf8(TA_SOURCE_DIR) + "/host/search-kinds.md");
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(doc.readAll());
    if (!host::db::tableExists(tr(), "AATC05CO")) {   // the contract module's own table
        exec("create table AATC05CO (COCODIGO integer not null, CODESCRICAO varchar(50), COID varchar(1))");
        tr().commitRetaining();
    }
    for (int tipo : host::tiposPesquisaGeral()) {
        SCOPED_TRACE(tipo);
        EXPECT_TRUE(texto.contains("| " + QString::number(tipo) + " |")) << "kind missing from host/search-kinds.md";
        const host::PesquisaDefinicao& definicao = *host::pesquisaGeral(tipo);
        dialogs->modal("fmPesquisa", [&](Form& form) {
            EXPECT_EQ(janela(form).searchKind(), tipo);
            EXPECT_EQ(janela(form).grid()->columnCount(), int(definicao.colunas.size()));
            for (const host::PesquisaColuna& coluna : definicao.colunas) {   // each column searches
                janela(form).grid()->setSelectedIndex(janela(form).grid()->columnByField(coluna.campo)->index());
                digitar(form, "1");
            }
        });
        QString a, b, c;
        const QString chave = definicao.colunas.front().campo;
        EXPECT_FALSE(SelecionaPesquisaGeral(tipo, chave, chave, chave, a, b, c));
    }
    for (int tipo : {8, 12, 13, 14, 25, 46, 47, 68, 70, 79, 98, 101})
        EXPECT_NE(host::pesquisaGeral(tipo), nullptr) << tipo;
}

TEST_F(Pickers, UnknownKindsAndColumnsAreProgrammingErrors)
{
    operacoes();
    QString a, b, c;
    EXPECT_THROW(SelecionaPesquisaGeral(9999, "X", "X", "X", a, b, c), std::invalid_argument);
    dialogs->modal("fmPesquisa", [](Form& form) { QTest::keyClick(janela(form).grid(), Qt::Key_Return); });
    EXPECT_THROW(SelecionaPesquisaGeral(25, "COD_OP", "NAO_EXISTE", "COD_OP", a, b, c), std::invalid_argument);
    EXPECT_TRUE(a.isEmpty());
    EXPECT_FALSE(fmPesquisa);
}

TEST_F(Pickers, WindowAndGridLayoutsAreSavedAndRestored)
{
    operacoes();
    dialogs->modal("fmPesquisa", [](Form& form) {
        form.resize(777, 333);
        janela(form).grid()->column(1)->setWidth(123);
        janela(form).grid()->moveColumn(2, 0);
    });
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(form.width(), 777);
        EXPECT_EQ(form.height(), 333);
        EXPECT_EQ(janela(form).grid()->column(0)->fieldName(), "TIPO_OP");
        EXPECT_EQ(janela(form).grid()->columnByField("DESC_OP_NF")->width(), 123);
    });
    QString a, b, c;
    SelecionaPesquisaGeral(25, "COD_OP", "COD_OP", "COD_OP", a, b, c);
    SelecionaPesquisaGeral(25, "COD_OP", "COD_OP", "COD_OP", a, b, c);
}

TEST_F(Pickers, CustomerSearchGivesNameCodeAndTradeName)
{
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, NOME_FANTASIA) values ('00001', 'ANA LIMA', 'ANA')");
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, NOME_FANTASIA) values ('00002', 'BRUNO COSTA', 'BC')");
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, NOME_FANTASIA) values ('00010', 'CARLA DIAS', null)");
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(janela(form).grid()->selectedField()->fieldName(), "NOME");
        digitar(form, "cos");
        EXPECT_EQ(linhas(form), 1);
        QTest::keyClick(janela(form).searchEdit(), Qt::Key_Enter);
    });
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(janela(form).grid()->selectedField()->fieldName(), "CODIGO_CLIENTE");
        digitar(form, "10");
        QTest::keyClick(janela(form).searchEdit(), Qt::Key_Enter);
    });
    QString nome, codigo, fantasia;
    ASSERT_TRUE(SelecionaCliente(nome, codigo, fantasia));
    EXPECT_EQ(nome, "BRUNO COSTA");
    EXPECT_EQ(codigo, "00002");
    EXPECT_EQ(fantasia, "BC");
    ASSERT_TRUE(SelecionaCliente(nome, codigo, fantasia, true));
    EXPECT_EQ(codigo, "00010");
    EXPECT_EQ(fantasia, "");
}

TEST_F(Pickers, ProductSearchGivesCostAsTheFifthNumberAndCanLeaveServicesOut)
{
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO, ESTOQUE, QTDE_PRODUCAO, PRPRECOPROMOCIONAL,"
         " COM_FAB_S_FS, PRATIVO) values ('P1', 'BOMBA', 150.5, 80.25, 7, 2, 140, '1', 'S')");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, COM_FAB_S_FS) values ('S1', 'MÃO DE OBRA', 60, '7')");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PRATIVO) values ('X1', 'BOMBA ANTIGA', 'N')");
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(linhas(form), 2);   // the inactive product is never offered
        digitar(form, "bomba");
        QTest::keyClick(janela(form).searchEdit(), Qt::Key_Return);
    });
    dialogs->modal("fmPesquisa", [](Form& form) { EXPECT_EQ(linhas(form), 1); });
    QString codigo, descricao;
    double venda = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    ASSERT_TRUE(SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo));
    EXPECT_EQ(codigo, "P1");
    EXPECT_EQ(descricao, "BOMBA");
    EXPECT_DOUBLE_EQ(venda, 150.5);
    EXPECT_DOUBLE_EQ(estoque, 7);
    EXPECT_DOUBLE_EQ(reservado, 2);
    EXPECT_DOUBLE_EQ(promocional, 140);
    EXPECT_DOUBLE_EQ(custo, 80.25);
    EXPECT_FALSE(SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo, false));
    EXPECT_EQ(codigo, "P1");
}

// Prices read as money in the product search, also after a search typed.
TEST_F(Pickers, TheProductSearchShowsPricesAsMoney)
{
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('P1', 'BOMBA', 35.5)");
    exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('P2', 'BOMBA GRANDE', 1234.5)");
    QStringList precos;
    auto lerPrecos = [&precos](Form& form) {
        host::ui::DataGrid& grade = *janela(form).grid();
        const int coluna = grade.columnByField("PCO_VENDA")->index();
        for (int linha = 0; linha < grade.model()->rowCount(); ++linha)
            precos << grade.model()->index(linha, coluna).data().toString();
    };
    dialogs->modal("fmPesquisa", [&](Form& form) {
        lerPrecos(form);
        digitar(form, "grande");
        lerPrecos(form);
    });
    QString codigo, descricao;
    double venda = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo);
    EXPECT_EQ(precos, (QStringList{"35,50", "1.234,50", "1.234,50"}));
}

TEST_F(Pickers, APickerCostsOneStatementToOpenAndOnePerSearchChange)
{
    operacoes();
    const std::uint64_t antes = host::db::statementCount();
    std::uint64_t aoAbrir = 0, aposBusca = 0;
    dialogs->modal("fmPesquisa", [&](Form& form) {
        aoAbrir = host::db::statementCount() - antes;
        janela(form).grid()->setSelectedIndex(1);
        digitar(form, "vend");   // four keys, four reads
        aposBusca = host::db::statementCount() - antes;
        QTest::keyClick(janela(form).searchEdit(), Qt::Key_Return);
    });
    QString a, b, c;
    ASSERT_TRUE(SelecionaPesquisaGeral(25, "COD_OP", "COD_OP", "COD_OP", a, b, c));
    EXPECT_EQ(aoAbrir, 1u);
    EXPECT_EQ(aposBusca, 5u);
    EXPECT_EQ(host::db::statementCount() - antes, 5u);   // picking reads nothing more
}
