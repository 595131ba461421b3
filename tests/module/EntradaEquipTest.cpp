// The check-in of returned rental equipment: the list and its CSV file, the
// statement by mode, and the window opened through the dispatcher, built
// through its three sources, searched, confirmed (each item marked returned
// with its justification), with its configuration, its statements per
// serial number and its picture.

#include "tests/module/ModuleFixture.h"

#include "rental/uAssEntradaEquip.h"

#include "data/uDataTec.h"

#include "host/PilvPro70.h"
#include "host/Uobservacao.h"
#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/SearchWindow.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace moduletest {
namespace {

using namespace uAssEntradaEquip;

// ---- the list, the file and the statement ----

TEST(EntradaEquipListaTest, FileLinesGiveTheirValuesInOrder)
{
    EXPECT_EQ(ListaDoArquivo({"A1;BB22;CCC333"}), "'A1', 'BB22', 'CCC333'");
    EXPECT_EQ(ListaDoArquivo({"  D4  "}), "'D4'") << "one value without a separator";
    EXPECT_EQ(ListaDoArquivo({"", "   ", "E5"}), "'E5'") << "empty lines give nothing";
    EXPECT_EQ(ListaDoArquivo({"F6;G7;", "H8\r"}), "'F6', 'G7', 'H8'") << "a trailing separator ends the line";
    EXPECT_EQ(ListaDoArquivo({}), "");
}

TEST(EntradaEquipListaTest, ValuesAreQuotedWithInnerQuotesDoubled)
{
    EXPECT_EQ(AdicionaValorLista("", "NS'1"), "'NS''1'");
    EXPECT_EQ(AdicionaValorLista("  ", " B2"), "' B2'") << "the value as typed";
    EXPECT_EQ(AdicionaValorLista("'A1'  ", "B2"), "'A1', 'B2'");
    EXPECT_EQ(ListaDoArquivo({"O'Neil;X"}), "'O''Neil', 'X'");
}

TEST(EntradaEquipListaTest, StatementMatchesSerialNumbersOrBarCodesByMode)
{
    const QString porSerie = SqlConsulta("'A1', 'B2'", false);
    EXPECT_TRUE(porSerie.contains(" and ns.nsnumero in ('A1', 'B2')")) << porSerie.toStdString();
    EXPECT_FALSE(porSerie.contains("outro_codigo in"));
    const QString porCodigo = SqlConsulta("'789'", true);
    EXPECT_TRUE(porCodigo.contains(" and pr.outro_codigo in ('789')"));
    EXPECT_FALSE(porCodigo.contains("nsnumero in"));
    const QString todos = SqlConsulta("  ", false);
    EXPECT_FALSE(todos.contains("nsnumero in") || todos.contains("outro_codigo in"))
        << "an empty list lists every rented serial number";
}

TEST(EntradaEquipListaTest, OnlyQuotedLiteralsReachTheStatement)
{
    EXPECT_TRUE(ListaValida(""));
    EXPECT_TRUE(ListaValida("'A1', 'O''Neil','B2'"));
    EXPECT_FALSE(ListaValida("A1"));
    EXPECT_FALSE(ListaValida("'A1') or (1 = 1"));
    EXPECT_FALSE(ListaValida("'A1', "));
    EXPECT_THROW(SqlConsulta("'A1' or 1=1", false), std::invalid_argument);
}

// ---- the window ----

class EntradaEquipTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACDATAVALIDADE)"
             " values (801, 'L801', '00004', '00004', '2024-12-31')");
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE) values"
             " (802, 'L802', '00004', '00004')");
    }
    // The rows written so far are committed first: the checks read what another attachment sees.
    TfmAssEntradaEquip& abrir()
    {
        dmGlobal->IBTransaction1->commitRetaining();
        return abrirJanela(fmAssEntradaEquip, "fmAssEntradaEquip");
    }
    void item(int codigo, int contrato, const QString& produto, const QString& retorno = "N")
    {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE, ACITRETORNO)"
                     " values (%1, %2, '00004', '%3', 1, '%4')")
                 .arg(codigo)
                 .arg(contrato)
                 .arg(produto, retorno));
    }
    void serie(int codigo, const QString& numero, const QString& produto, const QString& contrato)
    {
        exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, LECODIGO, ACCODIGO) values"
                     " (%1, '%2', '%3', 'L', '016', %4)")
                 .arg(codigo)
                 .arg(numero, produto, contrato));
    }
    QStringList listados(TfmAssEntradaEquip& form) const
    {
        QStringList linhas;
        host::data::Query& q = *form.quConsulta;
        for (q.first(); !q.eof(); q.next())
            linhas << q.fieldByName("NSNUMERO")->asString() + "|" + q.fieldByName("ACCODIGO")->asString() + "|" +
                          q.fieldByName("ACITCODIGO")->asString();
        return linhas;
    }
    // The justification editor answered with a text, saved.
    void justificativa(const QString& texto, QString* caption = nullptr)
    {
        dialogs->modal("fmObservacao", [texto, caption](host::ui::Form& janela) {
            auto& obs = static_cast<TfmObservacao&>(janela);
            if (caption)
                *caption = janela.caption();
            obs.dbmeObservacao->setFocus();
            QTest::keyClicks(obs.dbmeObservacao, texto);
            QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
        });
    }
};

TEST_F(EntradaEquipTest, ListIsBuiltTypedPickedAndFromAFile)
{
    serie(1, "NS-77", "P0004", "801");
    TfmAssEntradaEquip& form = abrir();
    EXPECT_EQ(form.caption(), "Entrada de Equipamentos");
    EXPECT_TRUE(form.stayOnTop());
    for (QPushButton* b : {form.bbIncluir, form.bbPesqEquip, form.bbCarregaArq, form.bbPesquisar, form.bbConfirma})
        EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
    EXPECT_EQ(form.laNroSerie->text(), "Nº Série");
    EXPECT_EQ(form.dbgdAssEntradaEquip->toolTip(), "Duplo clique para visualizar Configuração do equipamento.");

    dialogs->enter("NS'1", "Informe Nº Série.");
    form.bbIncluir->click();
    dialogs->enter("   ", "Informe Nº Série.");
    form.bbIncluir->click();
    dialogs->modal("fmPesquisa", [](host::ui::Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        ASSERT_TRUE(p.dataSource()->dataset()->locate("NSNUMERO", "NS-77"));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    form.bbPesqEquip->click();
    EXPECT_EQ(form.edNroSerie->text(), "'NS''1', 'NS-77'");

    QTemporaryDir pasta;
    const QString caminho = pasta.filePath("series.csv");
    {
        QFile arquivo(caminho);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write("A1;BB22;CCC333\r\n\r\nD4\r\nE5;\r\n");
    }
    dialogs->cancel();
    form.bbCarregaArq->click();
    EXPECT_EQ(form.edNroSerie->text(), "'NS''1', 'NS-77'") << "a cancelled dialog changes nothing";
    dialogs->enter(caminho);
    form.bbCarregaArq->click();
    EXPECT_EQ(dialogs->shown().back().options, QStringList{"CSV (MS-DOS) (*.csv)|*.csv"});
    EXPECT_EQ(form.edNroSerie->text(), "'A1', 'BB22', 'CCC333', 'D4', 'E5'") << "the file replaces the list";
    EXPECT_EQ(dialogs->pending(), 0);

    // Text that is not a list of quoted values never reaches the statement.
    form.edNroSerie->setText("'A1') or (1 = 1");
    dialogs->acknowledge("Lista de Nº Série inválida!");
    form.bbPesquisar->click();
    EXPECT_FALSE(form.quConsulta->active());
}

// A file of more numbers than the engine takes in one list: the search
// finds the rented one at its end.
TEST_F(EntradaEquipTest, AFileOfMoreNumbersThanOneListHoldsIsSearched)
{
    item(1, 801, "P0004");
    serie(1, "NS-A", "P0004", "801");
    TfmAssEntradaEquip& form = abrir();
    QTemporaryDir pasta;
    const QString caminho = pasta.filePath("series.csv");
    {
        QFile arquivo(caminho);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 1500; ++i)
            arquivo.write(QString("S%1;").arg(i).toLatin1());
        arquivo.write("NS-A\r\n");
    }
    dialogs->enter(caminho);
    form.bbCarregaArq->click();
    form.bbPesquisar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(listados(form), QStringList{"NS-A|801|1"});
}

TEST_F(EntradaEquipTest, ConfirmationMarksBothItemsOfTheProductWithAJustificationEach)
{
    item(1, 801, "P0004");
    item(2, 801, "P0004");
    item(3, 802, "P0001");
    item(4, 802, "P0005", "S");
    serie(1, "NS-A", "P0004", "801");
    serie(2, "NS-B", "P0001", "802");
    serie(3, "NS-C", "P0005", "802");   // already returned: not listed
    serie(4, "NS-D", "P0001", "null");  // on no contract: not listed
    TfmAssEntradaEquip& form = abrir();
    form.edNroSerie->setText("'NS-A', 'NS-C', 'NS-D'");
    form.bbPesquisar->click();
    EXPECT_EQ(listados(form), (QStringList{"NS-A|801|1", "NS-A|801|2"})) << "once per item of the product";
    EXPECT_EQ(form.laTotalRegistros->text(), "Total de Registros: 2");
    EXPECT_EQ(form.dbgdAssEntradaEquip->columnByField("PRODUTO")->title(), "Produto");

    dialogs->answer("Não", "Confirma a Entrada do(s) Equipamento(s) consultados?");
    form.bbConfirma->click();
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACITRETORNO = 'S'"), QStringList{"1"});

    QString caption;
    dialogs->answer("Sim", "Confirma a Entrada do(s) Equipamento(s) consultados?");
    justificativa("Voltou sem avaria", &caption);
    justificativa("Voltou com avaria");
    dialogs->acknowledge("Registrada a Entrada de: 2 Equipamento(s).");
    form.bbConfirma->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(caption, "Justificativa Entrada Equipamento: \"Compressor de ar-condicionado 12000 BTUs\".");
    EXPECT_EQ(lido("select ACITCODIGO from AATC05ACIT where ACITRETORNO = 'S' order by ACITCODIGO"),
              (QStringList{"1", "2", "4"}));
    EXPECT_EQ(lido("select OBCODIGO || '|' || OBID || '|' || OBSEQUENCIA || '|' || OBTEXTO from AUGC70OB"
                   " where OBCODIGO = '801J' order by OBSEQUENCIA"),
              (QStringList{"801J|U|1|Voltou sem avaria", "801J|U|2|Voltou com avaria"}));
    EXPECT_TRUE(listados(form).isEmpty()) << "searched again";
    EXPECT_EQ(form.laTotalRegistros->text(), "Total de Registros: 0");

    // An empty list lists every rented serial number still out.
    form.edNroSerie->clear();
    form.bbPesquisar->click();
    EXPECT_EQ(listados(form), QStringList{"NS-B|802|3"});
}

// Another desk deletes an item of the list between the listing and the
// confirmation: its entry is refused and told, with no justification
// written for it, and the entries made before it stay counted.
TEST_F(EntradaEquipTest, AnItemAnotherDeskDeletedAfterTheListingIsRefusedAndTheOthersStay)
{
    item(1, 801, "P0004");
    item(3, 802, "P0001");
    serie(1, "NS-A", "P0004", "801");
    serie(2, "NS-B", "P0001", "802");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssEntradaEquip& form = abrir();
    form.edNroSerie->setText("'NS-A', 'NS-B'");
    form.bbPesquisar->click();
    ASSERT_EQ(listados(form), (QStringList{"NS-A|801|1", "NS-B|802|3"}));
    outraMesa("delete from AATC05ACIT where ACITCODIGO = 3");
    dialogs->answer("Sim", "Confirma a Entrada do(s) Equipamento(s) consultados?");
    justificativa("Voltou sem avaria");
    dialogs->acknowledge("O equipamento P0001 do contrato 802 não existe mais no contrato");
    dialogs->acknowledge("Registrada a Entrada de: 1 Equipamento(s).");
    form.bbConfirma->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select ACITCODIGO from AATC05ACIT where ACITRETORNO = 'S'"), QStringList{"1"});
    EXPECT_EQ(lido("select OBCODIGO || '|' || OBTEXTO from AUGC70OB where OBCODIGO in ('801J', '802J')"),
              QStringList{"801J|Voltou sem avaria"});
}

TEST_F(EntradaEquipTest, ModeEMatchesBarCodesAndHidesTheSerialSources)
{
    exec("update ACEC1101 set OUTRO_CODIGO = '7891000' where CODIGO = 'P0004'");
    item(1, 801, "P0004");
    item(2, 802, "P0001");
    serie(1, "NS-A", "P0004", "801");
    serie(2, "7891000", "P0001", "802");   // a serial number that reads like the bar code
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    TfmAssEntradaEquip& form = abrir();
    EXPECT_TRUE(form.bbPesqEquip->isHidden());
    EXPECT_TRUE(form.bbCarregaArq->isHidden());
    EXPECT_FALSE(form.bbIncluir->isHidden());
    EXPECT_EQ(form.laNroSerie->text(), "Código Barras");
    dialogs->enter("7891000", "Informe Código de Barras.");
    form.bbIncluir->click();
    form.bbPesquisar->click();
    EXPECT_EQ(listados(form), QStringList{"NS-A|801|1"});
    EXPECT_EQ(dialogs->pending(), 0);

    // Closing only hides: the next request shows the window as it was.
    form.close();
    EXPECT_TRUE(form.isHidden());
    TfmAssEntradaEquip& outra = abrir();
    EXPECT_EQ(&outra, &form);
    EXPECT_EQ(outra.edNroSerie->text(), "'7891000'");
}

TEST_F(EntradaEquipTest, TheEquipmentsConfigurationOpensFromTheGridAndTheLink)
{
    item(1, 801, "P0004");
    serie(1, "NS-A", "P0004", "801");
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('P0004', 'P', -1, 'Motor 220V')");
    TfmAssEntradaEquip& form = abrir();
    form.dbgdAssEntradaEquipDblClick();   // nothing listed yet: nothing opens
    form.bbPesquisar->click();
    QString caption, texto;
    dialogs->modal("fmObservacao", [&](host::ui::Form& janela) {
        caption = janela.caption();
        texto = static_cast<TfmObservacao&>(janela).dbmeObservacao->text();
    });
    form.dbgdAssEntradaEquip->onDblClick();
    EXPECT_EQ(caption, "Configuração do Equipamento");
    EXPECT_EQ(texto, "Motor 220V");
    QString composicao;
    dialogs->modal("fmComposicao", [&composicao](host::ui::Form& janela) { composicao = janela.caption(); });
    QTest::mouseClick(form.laAbrirCfgEquipamento, Qt::LeftButton);
    EXPECT_FALSE(composicao.isEmpty());
    EXPECT_EQ(dialogs->pending(), 0);
}

// The equipment's configuration opened from a returned serial lists the
// components recorded for that equipment, and the composition text made
// next is that equipment's; an equipment with none of its own shows the
// product's, and so does the text.
TEST_F(EntradaEquipTest, TheConfigurationOfASerialIsThatEquipmentsInTheWindowAndInTheText)
{
    item(1, 801, "P0004");
    serie(1, "NS-A", "P0004", "801");
    item(2, 801, "P0004");
    serie(2, "NS-B", "P0004", "801");
    exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE) values ('P0004', 1, 'P0001', 2)");
    exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, CMNUMEROSERIE)"
         " values ('P0004', 2, 'P0002', 1, 'NS-A')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE) values ('009001', '00004')");
    exec("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE) values ('009001', 1, 'P0004', 1)");
    global->IBTransaction1->commitRetaining();
    TfmAssEntradaEquip& form = abrir();
    form.bbPesquisar->click();
    auto configuracao = [&](const QString& numero) {
        EXPECT_TRUE(form.quConsulta->locate("NSNUMERO", numero));
        QStringList componentes;
        dialogs->modal("fmComposicao", [&componentes](host::ui::Form& janela) {
            host::data::Query& lista = *static_cast<TfmComposicao&>(janela).quComposicao;
            for (lista.first(); !lista.eof(); lista.next())
                componentes << lista.fieldByName("CMCODIGO")->asString();
        });
        QTest::mouseClick(form.laAbrirCfgEquipamento, Qt::LeftButton);
        CarregaPedidoAssVenda("009001", {});
        dmTec->CarregaPedidoAssVendaCotado("009001", {});
        dmTec->CarregaConfiguracaoComposicao("P0004", "", nullptr);
        global->IBTransaction1->commitRetaining();
        return componentes.join(',') + " | " +
               committed("select OBTEXTO from AUGC70OB where OBCODIGO = 'P0004' and OBID = 'P' and OBSEQUENCIA = -1")
                   .toString()
                   .trimmed();
    };
    auto componente = [this](const char* codigo, int quantidade) {
        return QString("  -  %1 UN ").arg(quantidade) +
               one(QString("select trim(DESCRICAO) from ACEC1101 where CODIGO = '%1'").arg(codigo)).toString();
    };
    const QString equipamento = one("select trim(DESCRICAO) from ACEC1101 where CODIGO = 'P0004'").toString();
    EXPECT_EQ(configuracao("NS-A"), "P0002 | " + equipamento + componente("P0002", 1));
    EXPECT_EQ(configuracao("NS-B"), "P0001 | " + equipamento + componente("P0001", 2)) << "none of its own";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(EntradaEquipTest, CheckingInTenSerialsRunsTheSameStatementsForEach)
{
    for (int i = 0; i < 10; ++i) {
        item(10 + i, 801, QString("P000%1").arg(1 + i % 5));
        serie(10 + i, QString("NS-%1").arg(10 + i), QString("P000%1").arg(1 + i % 5), "801");
    }
    item(30, 802, "P0004");
    serie(30, "NS-30", "P0004", "802");
    TfmAssEntradaEquip& form = abrir();
    auto confirmar = [&](const QString& lista, int quantos) {
        form.edNroSerie->setText(lista);
        form.bbPesquisar->click();
        dialogs->answer("Sim");
        for (int i = 0; i < quantos; ++i)
            justificativa("Devolvido");
        dialogs->acknowledge("Registrada a Entrada de:");
        testsupport::StatementCounter contagem;
        form.bbConfirma->click();
        return contagem.count();
    };
    const int um = confirmar("'NS-30'", 1);
    QStringList dez;
    for (int i = 0; i < 10; ++i)
        dez << QString("'NS-%1'").arg(10 + i);
    // Two serials of each of five products: each product's two items are listed once per serial.
    const int vinte = confirmar(dez.join(", "), 20);
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACITRETORNO = 'S'"), QStringList{"11"});
    // A piece's row: its return read, keyed and written, the lines marked, the
    // note read, read again at "Gravar" and written.
    const int porPeca = 7;
    // The second item of a piece already back: the return read, the lines marked, the note.
    const int porItemDevolvido = 5;
    EXPECT_EQ(um, 1 + porPeca + 1) << "the search again, one row, the movement keys' first reading";
    EXPECT_EQ(vinte, 1 + 10 * porPeca + 10 * porItemDevolvido) << um << " " << vinte;
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(EntradaEquipTest, PictureOfTheCheckInWithItsList)
{
    item(1, 801, "P0004");
    item(2, 802, "P0001");
    serie(1, "NS-A", "P0004", "801");
    serie(2, "NS-B", "P0001", "802");
    TfmAssEntradaEquip& form = abrir();
    form.edNroSerie->setText("'NS-A', 'NS-B'");
    form.bbPesquisar->click();
    guardaFoto(form, "fmAssEntradaEquip.png");
    EXPECT_EQ(form.laTotalRegistros->text(), "Total de Registros: 2");
}

}  // namespace
}  // namespace moduletest
