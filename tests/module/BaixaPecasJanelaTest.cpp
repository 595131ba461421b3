// The parts settlement window opened through the dispatcher: lines entered
// in its grid's dataset or imported from an order, posted with its buttons,
// the stock documents, stock and parts lines read back through another
// connection.

#include "tests/module/ModuleFixture.h"
#include "tests/support/OnScreenDialogs.h"

#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/MemDataset.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uPesqAssOrdemServico.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace moduletest {
namespace {

using host::ui::Form;

class BaixaPecasTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5949', 'Remessa para OS', '1')"
             " matching (COD_OP)");
        exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('1949', 'Retorno de OS', '5')"
             " matching (COD_OP)");
        exec("update or insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5927', 'Baixa de estoque', '8')"
             " matching (COD_OP)");
        ordem(9001, "'00002'");
        ordem(9002, "'00003'");
        ordem(9003, "null");
        ordem(9004, "'00002'");
        peca(9001, 1, "P0001", 2);
        peca(9001, 2, "P0003", 1);
        peca(9002, 1, "P0005", 4);
        exec("update ACEC1101 set ESTOQUE = 10, QTDE_PRODUCAO = 0 where CODIGO in ('P0001', 'P0003', 'P0005')");
        exec("delete from ACEC11PO where PRCODIGO in ('P0001', 'P0003', 'P0005')");
        parametro("ATLOCALESTOQUEDOCUMENTO", "001");
        parametro("ATLOCALESTOQUEPADRAO", "001");
        tr().commitRetaining();
    }
    void ordem(int codigo, const QString& cliente)
    {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA) values (%1, %2, '2026-12-01',"
                     " 'A')")
                 .arg(codigo)
                 .arg(cliente));
        exec(QString("insert into AATC01AOIT (AOCODIGO, AOITCODIGO) values (%1, %2)").arg(codigo).arg(codigo * 10));
    }
    void peca(int ordem, int sequencia, const QString& produto, double quantidade)
    {
        exec(QString("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE,"
                     " APQUANTIDADEREQUERIDA, APVALUNITARIO, APVALTOTAL, APRESERVA) values (%1, %2, %3, '%4', %5, 0,"
                     " 10, %6, 'S')")
                 .arg(ordem)
                 .arg(sequencia)
                 .arg(ordem * 10)
                 .arg(produto)
                 .arg(quantidade)
                 .arg(quantidade * 10));
    }
    TfmAssBaixaPecas& abrir() { return abrirJanela(fmAssBaixaPecas, "fmAssBaixaPecas"); }
    void linha(TfmAssBaixaPecas& janela, const QString& produto, double quantidade, int ordem)
    {
        janela.cdsBaixa->append();
        janela.cdsBaixaprCodigo->setText(produto);
        janela.cdsBaixaprQuantidade->setAsFloat(quantidade);
        janela.cdsBaixaaoCodigo->setAsInteger(ordem);
        janela.cdsBaixa->post();
    }
    void saida(TfmAssBaixaPecas& janela, const QString& operacao = "5949")
    {
        janela.laCodOpSai->setText(operacao);
    }
    void entrada(TfmAssBaixaPecas& janela)
    {
        janela.sbEntrada->click();
        janela.laCodOpEnt->setText("1949");
    }
    void confirmar() { dialogs->answer("Sim", "Tem certeza de que deseja baixar as peças?"); }
    void empresa(int codigo)
    {
        exec(QString("update EMPRESA set UGESPECIFICOEMPRESA = %1").arg(codigo));
        dmGlobal->CarregaEmpresa();
    }
    QString estoque(const QString& produto)
    {
        return lido("select ESTOQUE || '|' || coalesce(POENTRADA, 0) || '|' || coalesce(POSAIDA, 0) from ACEC1101 p"
                    " left join ACEC11PO po on po.PRCODIGO = p.CODIGO and po.LECODIGO = '001' where p.CODIGO = '" +
                    produto + "'")
            .value(0);
    }
};

TEST_F(BaixaPecasTest, TheWindowHasItsControlsAndStartsInExitModeWithBlankOperations)
{
    TfmAssBaixaPecas& janela = abrir();
    EXPECT_EQ(janela.windowTitle(), "Acerto de Peças");
    EXPECT_FALSE(janela.tsEntrada->tabVisible());
    EXPECT_TRUE(janela.tsSaida->tabVisible());
    EXPECT_EQ(janela.pcBaixa->activePage(), janela.tsSaida);
    // Over the blank caption the default exit operation (type 8) is chosen.
    EXPECT_EQ(janela.laCodOpSai->text(), "5927");
    EXPECT_EQ(janela.laDescOpSai->text(), "Baixa de estoque");
    QStringList titulos;
    for (const auto& coluna : janela.dbgdOrdemServicoBaixaPecas->columns())
        titulos << coluna->fieldName() + ":" + coluna->title();
    EXPECT_EQ(titulos, (QStringList{"prCodigo:Código", "prDescricao:Descrição", "aoCodigo:Nº O.S.",
                                    "prQuantidade:Quantidade", "prLocalizacao:Localização", "clNome:Cliente",
                                    "prCodigoLocal:Local de Estoque"}));
    QStringList botoes;
    for (QPushButton* b : {janela.bbImportar, janela.bbBaixar, janela.bbImprimir, janela.bbVisualizar, janela.bbSair})
        botoes << b->text();
    EXPECT_EQ(botoes, (QStringList{"&Importar O.S.", "&Baixar", "I&mprimir", "&Visualizar", "&Sair"}));
    EXPECT_EQ(janela.bbBaixar->toolTip(), "Emitir Baixa das Peças");

    // Entry mode: the other tab, the other caption, the line options follow.
    janela.sbEntrada->click();
    EXPECT_TRUE(janela.tsEntrada->tabVisible());
    EXPECT_FALSE(janela.tsSaida->tabVisible());
    EXPECT_EQ(janela.bbBaixar->text(), "&Entrar");
    EXPECT_TRUE(janela.tsEntrada->isAncestorOf(janela.ckInserirPeca));
    EXPECT_TRUE(janela.tsEntrada->isAncestorOf(janela.ckSalvarRequerida));
    janela.sbSaida->click();
    EXPECT_EQ(janela.bbBaixar->text(), "&Baixar");
    EXPECT_TRUE(janela.tsSaida->isAncestorOf(janela.ckInserirPeca));
}

TEST_F(BaixaPecasTest, OperationSearchesRefuseTheOtherModesTypes)
{
    TfmAssBaixaPecas& janela = abrir();
    auto escolher = [this](const QString& codigo) {
        dialogs->modal("fmPesquisa", [codigo](Form& form) {
            auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
            QTest::keyClicks(pesquisa.grid(), codigo);
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
    };
    escolher("1949");
    dialogs->acknowledge("Operação inválida, não se refere a saída de mercadoria! Operação Abortada.");
    janela.bbPesqOperacao->click();
    EXPECT_EQ(janela.laCodOpSai->text(), "5927") << "the refused choice leaves the operation as it was";
    escolher("5949");
    janela.bbPesqOperacao->click();
    EXPECT_EQ(janela.laCodOpSai->text(), "5949");
    EXPECT_EQ(janela.laDescOpSai->text(), "Remessa para OS");
    janela.sbEntrada->click();
    escolher("5949");
    dialogs->acknowledge("Operação inválida, não se refere a Entrada de mercadoria! Operação Abortada.");
    janela.bbPesqBaixa->click();
    escolher("1949");
    janela.bbPesqBaixa->click();
    EXPECT_EQ(janela.laCodOpEnt->text(), "1949");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(BaixaPecasTest, LinesFillFromTheCatalogueAndTheOrderAndAreChecked)
{
    TfmAssBaixaPecas& janela = abrir();
    linha(janela, "P0001", 1, 9001);
    EXPECT_EQ(janela.cdsBaixaprDescricao->asString(), "Fonte de alimentação bivolt 110/220V");
    EXPECT_FALSE(janela.cdsBaixaclNome->asString().isEmpty());
    // An unknown product keeps what the line showed, without a message.
    janela.cdsBaixa->edit();
    janela.cdsBaixaprCodigo->setText("XXX");
    EXPECT_EQ(janela.cdsBaixaprDescricao->asString(), "Fonte de alimentação bivolt 110/220V");
    janela.cdsBaixa->cancel();
    // An order the table lacks is refused and not kept.
    dialogs->acknowledge("Ordem de serviço não encontrada");
    janela.cdsBaixa->append();
    EXPECT_ANY_THROW(janela.cdsBaixaaoCodigo->setAsInteger(777));
    EXPECT_TRUE(janela.cdsBaixaaoCodigo->isNull());
    dialogs->acknowledge("Produto não informado.");
    EXPECT_ANY_THROW(janela.cdsBaixa->post());
    janela.cdsBaixaprCodigo->setText("P0003");
    dialogs->acknowledge("Quantidade não informada.");
    EXPECT_ANY_THROW(janela.cdsBaixa->post());
    EXPECT_TRUE(janela.cdsBaixa->editing()) << "the line stays in edit";
    janela.cdsBaixa->cancel();
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(BaixaPecasTest, CompanyTwentyOneChecksOrderPartAndSituation)
{
    empresa(21);
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO) values (901, 'Encerrada', 'F')");
    exec("update AATC01AO set ASCODIGO = 901 where AOCODIGO = 9002");
    tr().commitRetaining();
    TfmAssBaixaPecas& janela = abrir();
    dialogs->acknowledge("Ordem de serviço não encontrada");
    dialogs->acknowledge("É necessário informar uma OS!");
    EXPECT_ANY_THROW(linha(janela, "P0001", 1, 0));
    janela.cdsBaixa->cancel();
    // Entry mode: the blank label counts as filled, the part must be on the order.
    janela.sbEntrada->click();
    dialogs->acknowledge("Peça não encontrada na OS 009001!");
    EXPECT_ANY_THROW(linha(janela, "P0005", 1, 9001));
    janela.cdsBaixa->cancel();
    dialogs->acknowledge("OS 009002 se encontra com a situação finalizada ou Situação morta!");
    EXPECT_ANY_THROW(linha(janela, "P0005", 1, 9002));
    janela.cdsBaixa->cancel();
    linha(janela, "P0001", 1, 9001);
    EXPECT_EQ(janela.cdsBaixa->recordCount(), 1);
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString() << " F " << dialogs->failures().join(" # ").toStdString();
}

TEST_F(BaixaPecasTest, AnEmptyGridHasNoValidQuantity)
{
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    dialogs->acknowledge("Quantidade válida não informada!");
    janela.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(logDe("[TfmAssBaixaPecas.bbBaixarClick]"),
              (QStringList{"***INICIO", "***FIM"}));
    // Without an operation: refused before anything else is asked.
    TfmAssBaixaPecas& outra = janela;
    saida(outra, "  ");
    linha(outra, "P0001", 1, 9001);
    dialogs->acknowledge("Operação Inválida!");
    outra.bbBaixar->click();
    EXPECT_EQ(outra.cdsBaixa->recordCount(), 1) << "nothing written, the lines stay";
}

TEST_F(BaixaPecasTest, ImportStopsAtALineWithoutQuantityKeepingTheEarlierOnes)
{
    peca(9001, 3, "P0005", 0);
    peca(9001, 4, "P0003", 2);
    tr().commitRetaining();
    TfmAssBaixaPecas& janela = abrir();
    dialogs->acknowledge("Quantidade não informada.");
    EXPECT_ANY_THROW(janela.ImportarOS(9001));
    EXPECT_EQ(janela.cdsBaixa->recordCount(), 3) << "two lines posted and the refused one in edit";
    janela.cdsBaixa->cancel();
    EXPECT_EQ(janela.cdsBaixa->recordCount(), 2);
    janela.cdsBaixa->first();
    EXPECT_EQ(janela.cdsBaixaprCodigo->asString(), "P0001");
    EXPECT_DOUBLE_EQ(janela.cdsBaixaprQuantidade->asFloat(), 2);
    EXPECT_EQ(janela.cdsBaixaclNome->asString(), "Padaria Pão Quente Ltda.");
    // An order without parts lines cannot be imported.
    dialogs->acknowledge("A O.S. informada não possuí peças, por isso não é possível importa-la.");
    EXPECT_ANY_THROW(janela.ImportarOS(9004));
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(BaixaPecasTest, ImportChoosesTheOrderInTheOrderSearchAndAsksBeforeReplacingLines)
{
    TfmAssBaixaPecas& janela = abrir();
    auto escolher = [this](const QString& numero) {
        dialogs->modal("fmPesquisaAssOrdemServico", [numero](Form& form) {
            auto& pesquisa = static_cast<TfmPesquisaAssOrdemServico&>(form);
            pesquisa.edNOS->setText(numero);
            pesquisa.bbPesquisa->click();
            pesquisa.dbgdOrdemServico->onDblClick();
        });
    };
    escolher("9002");
    janela.bbImportar->click();
    ASSERT_EQ(janela.cdsBaixa->recordCount(), 1);
    EXPECT_EQ(janela.cdsBaixaprCodigo->asString(), "P0005");
    // Lines already there: "Não" keeps them and asks for no order.
    dialogs->answer("Não", "Já foi importada uma O.S. Deseja excluir esta e importar uma nova O.S.?");
    janela.bbImportar->click();
    EXPECT_EQ(janela.cdsBaixa->recordCount(), 1);
    dialogs->answer("Sim", "Já foi importada uma O.S.");
    escolher("9001");
    janela.bbImportar->click();
    EXPECT_EQ(janela.cdsBaixa->recordCount(), 2);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(BaixaPecasTest, ExitAndEntryMoveStockAndMarkThePartsLines)
{
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    linha(janela, "P0001", 2, 9001);
    linha(janela, "P0003", 1, 9001);
    confirmar();
    dialogs->acknowledge("Acerto das Peças efetuada com sucesso.");
    janela.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(janela.cdsBaixa->recordCount(), 0) << "the grid is emptied";
    EXPECT_EQ(estoque("P0001"), "8.000000000000000|0.000000000000000|2.000000000000000");
    EXPECT_EQ(lido("select APRESERVA from AATC01AP where AOCODIGO = 9001 order by APSEQUENCIA"),
              (QStringList{"B", "B"}));
    EXPECT_EQ(lido("select DOCUMENTO || '|' || COD_CLI || '|' || OPERACAO_DOC || '|' || LOCAL_DOC from ACEM1401"
                   " where SERIE_DOC = 'A'"),
              QStringList{"000001|00002|5949|001"});
    EXPECT_EQ(lido("select SEQUENCIA || '|' || CODIGOPRODUTO || '|' || AOCODIGO || '|' || AICODIGO from ACEM14IT"
                   " where SERIE = 'A' order by SEQUENCIA"),
              (QStringList{"1|P0001|9001|0", "2|P0003|9001|0"}));

    entrada(janela);
    linha(janela, "P0001", 0.5, 9001);
    confirmar();
    dialogs->acknowledge("Nº Documento: 000002");
    janela.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(estoque("P0001"), "8.500000000000000|0.5000000000000000|2.000000000000000");
}

// What a settlement issued to an order is not offered again by "Importar
// O.S." for an exit, and the window says what it left out; a return
// imports every line.
TEST_F(BaixaPecasTest, ImportLeavesOutWhatWasIssuedAndSaysSo)
{
    TfmAssBaixaPecas& janela = abrir();
    linha(janela, "P0001", 1.5, 9001);
    confirmar();
    dialogs->acknowledge("Acerto das Peças");
    janela.bbBaixar->click();
    dialogs->acknowledge("Peças desta O.S. já baixadas, fora da importação:\nP0001: 1,50");
    janela.ImportarOS(9001);
    auto grade = [&] {
        QStringList linhas;
        for (janela.cdsBaixa->first(); !janela.cdsBaixa->eof(); janela.cdsBaixa->next())
            linhas << janela.cdsBaixaprCodigo->asString() + "|" + janela.cdsBaixaprQuantidade->asString();
        return linhas;
    };
    // The line issued in part was cut in two: the issued part keeps its place.
    EXPECT_EQ(grade(), (QStringList{"P0003|1", "P0001|0,5"}));
    confirmar();
    dialogs->acknowledge("Acerto das Peças");
    janela.bbBaixar->click();
    dialogs->acknowledge("Todas as peças desta O.S. já foram baixadas:\nP0001: 1,50\nP0003: 1,00\nP0001: 0,50");
    EXPECT_ANY_THROW(janela.ImportarOS(9001));
    EXPECT_EQ(janela.cdsBaixa->recordCount(), 0);
    entrada(janela);
    janela.ImportarOS(9001);
    EXPECT_EQ(grade(), (QStringList{"P0001|1,5", "P0003|1", "P0001|0,5"}));
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
}

// An order the table lacks, typed in the grid with "Inserir Peças na O.S.":
// refused where typed, the line keeps no order, and "Baixar" writes nothing.
TEST_F(BaixaPecasTest, AnUnknownOrderIsRefusedWhereTypedAndNothingIsWritten)
{
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    janela.ckInserirPeca->click();
    host::ui::DataGrid* grade = janela.dbgdOrdemServicoBaixaPecas;
    novaLinhaNaGrade(grade, "prCodigo", "P0001");
    dialogs->acknowledge("Ordem de serviço não encontrada");
    celula(grade, "aoCodigo", "9999");
    // Told so, the user takes the typing back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    celula(grade, "prQuantidade", "1", Qt::Key_Return);
    EXPECT_EQ(janela.cdsBaixaaoCodigo->asInteger(), 0);
    confirmar();
    janela.bbBaixar->click();
    EXPECT_EQ(lido("select count(*) from AATC01AP where AOCODIGO = 9999 union all select count(*) from ACEM14IT"
                   " union all select count(*) from ACEM1401 union all select cast(ESTOQUE as integer) from ACEC1101"
                   " where CODIGO = 'P0001'"),
              (QStringList{"0", "0", "0", "10"}));
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
}

// A billed order takes no part from "Inserir Peças na O.S." nor gives one
// back: the part would never be billed, or billed and returned. Refused in
// words, and nothing of the run is written.
TEST_F(BaixaPecasTest, ABilledOrderTakesNoPartFromTheSettlement)
{
    exec("update AATC01AO set CRDOCUMENTO = '000777' where AOCODIGO = 9001");
    tr().commitRetaining();
    const QString antes = lido("select list(PRCODIGO || ':' || APQUANTIDADE, ' ') from AATC01AP where AOCODIGO = 9001")
                              .join("");
    const struct {
        bool entrada;
        const char* produto;
    } casos[] = {{false, "P0003"}, {false, "P0005"}, {true, "P0001"}};
    TfmAssBaixaPecas& janela = abrir();
    janela.ckInserirPeca->click();
    for (const auto& caso : casos) {
        if (caso.entrada)
            entrada(janela);
        else
            saida(janela);
        linha(janela, "P0001", 1, 9002);
        linha(janela, caso.produto, 1, 9001);
        dialogs->acknowledge("A ordem de serviço 9001 já foi faturada (contas a receber 000777)");
        janela.bbBaixar->click();
        EXPECT_EQ(dialogs->pending(), 0) << caso.produto << ": " << dialogs->texts().join(" # ").toStdString();
        EXPECT_EQ(lido("select list(PRCODIGO || ':' || APQUANTIDADE, ' ') from AATC01AP where AOCODIGO = 9001")
                      .join(""),
                  antes)
            << caso.produto;
        EXPECT_EQ(lido("select count(*) from ACEM14IT union all select count(*) from AATC01AP where AOCODIGO = 9002"
                       " union all select cast(sum(ESTOQUE) as integer) from ACEC1101 where CODIGO in ('P0001',"
                       " 'P0003', 'P0005')"),
                  (QStringList{"0", "1", "30"}))
            << caso.produto;
        janela.cdsBaixa->emptyDataset();
    }
}

// An order billed at another desk while a question is open takes no part:
// "Tem certeza", or the line's own (add to the part already on the order).
TEST_F(BaixaPecasTest, AnOrderBilledWhileTheQuestionIsOpenTakesNoPart)
{
    const QString pecas = "select list(PRCODIGO || ':' || APQUANTIDADE, ' ') from AATC01AP where AOCODIGO = 9001";
    const QStringList antes = lido(pecas);
    for (const bool daLinha : {false, true}) {
        exec("update AATC01AO set CRDOCUMENTO = null where AOCODIGO = 9001");
        tr().commitRetaining();
        TfmAssBaixaPecas& janela = abrir();
        saida(janela);
        janela.ckInserirPeca->click();
        linha(janela, "P0003", 1, 9001);
        if (daLinha)
            confirmar();
        dialogs->answer("Sim", daLinha ? "já lançada na Ordem de Serviço" : "Tem certeza de que deseja baixar as peças?")
            .meanwhile([this] { outraMesa("update AATC01AO set CRDOCUMENTO = '000777' where AOCODIGO = 9001"); })
            .acknowledge("A ordem de serviço 9001 já foi faturada (contas a receber 000777)");
        janela.bbBaixar->click();
        janela.close();
        EXPECT_EQ(dialogs->pending(), 0) << daLinha << dialogs->texts().join(" # ").toStdString();
        EXPECT_EQ(lido(pecas), antes) << daLinha;
        EXPECT_EQ(lido("select count(*) from ACEM14IT union all select cast(ESTOQUE as integer) from ACEC1101"
                       " where CODIGO = 'P0003'"),
                  (QStringList{"0", "10"}))
            << daLinha;
    }
}

// A return typed against an order comes off the line that holds it; only
// what no one line holds is spread over the lines in their order.
TEST_F(BaixaPecasTest, AReturnComesOffTheLineThatHoldsIt)
{
    const struct {
        double primeira, segunda;
        const char* devolvida;
        QStringList linhas;
    } casos[] = {
        {1, 3, "2", {"1:1", "2:1"}},
        {2, 2, "3", {"2:1"}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.devolvida);
        exec("delete from AATC01AP where AOCODIGO = 9002");
        peca(9002, 1, "P0005", caso.primeira);
        peca(9002, 2, "P0005", caso.segunda);
        tr().commitRetaining();
        TfmAssBaixaPecas& janela = abrir();
        entrada(janela);
        janela.ckInserirPeca->click();
        host::ui::DataGrid* grade = janela.dbgdOrdemServicoBaixaPecas;
        novaLinhaNaGrade(grade, "prCodigo", "P0005");
        celula(grade, "aoCodigo", "9002");
        celula(grade, "prQuantidade", caso.devolvida, Qt::Key_Return);
        confirmar();
        dialogs->acknowledge("Acerto das Peças efetuada com sucesso.");
        janela.bbBaixar->click();
        janela.close();
        EXPECT_EQ(lido("select APSEQUENCIA || ':' || cast(APQUANTIDADE as integer) from AATC01AP"
                       " where AOCODIGO = 9002 order by APSEQUENCIA"),
                  caso.linhas);
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    }
}

// Parts issued with "Inserir Peças na O.S." to an order whose lines of the
// product a sales order took go on a new line, which the next sale bills:
// the sold line stays as it was billed.
TEST_F(BaixaPecasTest, AnExitForASoldProductGoesOnANewLine)
{
    exec("update AATC01AP set APRESERVA = 'B', VECODIGO = '000777' where AOCODIGO = 9002");
    tr().commitRetaining();
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    janela.ckInserirPeca->click();
    host::ui::DataGrid* grade = janela.dbgdOrdemServicoBaixaPecas;
    novaLinhaNaGrade(grade, "prCodigo", "P0005");
    celula(grade, "aoCodigo", "9002");
    celula(grade, "prQuantidade", "2", Qt::Key_Return);
    confirmar();
    dialogs->acknowledge("Acerto das Peças efetuada com sucesso.");
    janela.bbBaixar->click();
    EXPECT_EQ(lido("select APSEQUENCIA || ':' || cast(APQUANTIDADE as integer) || ':' || APRESERVA || ':' ||"
                   " coalesce(trim(VECODIGO), '') from AATC01AP where AOCODIGO = 9002 order by APSEQUENCIA"),
              (QStringList{"1:4:B:000777", "2:2:B:"}));
    EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = 'P0005'"), QStringList{"8"});
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
}

TEST_F(BaixaPecasTest, OneDocumentPerCustomerRunOrOneForAll)
{
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    janela.ckCabecalhoIndependente->setChecked(true);
    linha(janela, "P0001", 1, 9001);
    linha(janela, "P0003", 1, 9004);   // same customer: same document
    linha(janela, "P0005", 1, 9002);
    dialogs->acknowledge("Ordem de serviço não encontrada");
    linha(janela, "P0005", 1, 9003);   // no customer: "00000"
    confirmar();
    dialogs->acknowledge("Emitente: 00000");
    janela.bbBaixar->click();
    EXPECT_EQ(lido("select DOCUMENTO || '|' || COD_CLI || '|' || (select count(*) from ACEM14IT it where"
                   " it.DOCUMENTO = d.DOCUMENTO and it.SERIE = 'A' and it.COD_CLI = d.COD_CLI) from ACEM1401 d"
                   " where SERIE_DOC = 'A' order by DOCUMENTO"),
              (QStringList{"000001|00002|2", "000002|00003|1", "000003|00000|1"}));

    janela.ckCabecalhoIndependente->setChecked(false);
    linha(janela, "P0005", 1, 9002);
    linha(janela, "P0001", 1, 9001);
    confirmar();
    dialogs->acknowledge("Emitente: 00003");
    janela.bbBaixar->click();
    EXPECT_EQ(lido("select COD_CLI || '|' || (select count(*) from ACEM14IT it where it.DOCUMENTO = d.DOCUMENTO"
                   " and it.SERIE = 'A' and it.COD_CLI = d.COD_CLI) from ACEM1401 d where DOCUMENTO = '000004'"),
              QStringList{"00003|2"}) << "every line under the first line's customer";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(BaixaPecasTest, AnEmptyDocumentOfTheRunIsNotLeftBehind)
{
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    janela.ckCabecalhoIndependente->setChecked(true);
    janela.ckInserirPeca->setChecked(true);
    // An exit onto an order's line that already has a quantity, answered
    // "Não" with no line at 0: the line is skipped, its document is empty.
    linha(janela, "P0001", 1, 9001);
    linha(janela, "P0005", 1, 9002);
    confirmar();
    dialogs->answer("Não", "Quantidade Lançada: 2");
    dialogs->answer("Não", "Quantidade Lançada: 4");
    janela.bbBaixar->click();
    EXPECT_EQ(lido("select count(*) from ACEM1401 where SERIE_DOC = 'A'"), QStringList{"0"});
    EXPECT_EQ(estoque("P0001"), "10.00000000000000|0.000000000000000|0.000000000000000") << "no stock movement for a skipped line";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(BaixaPecasTest, StockCheckFollowsTheParameterPair)
{
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    auto baixar = [&](double quantidade) {
        linha(janela, "P0001", quantidade, 9001);
        janela.bbBaixar->click();
        janela.cdsBaixa->emptyDataset();
    };
    const QString texto = "O produto P0001 não possui quantidade em estoque disponível suficiente.";
    parametro("ATESTOQUEINSUFICIENTE", "N");
    dialogs->acknowledge(texto);
    baixar(11);
    // "A" warns and goes on.
    parametro("ATESTOQUEINSUFICIENTE", "A");
    dialogs->acknowledge(texto);
    dialogs->answer("Não", "Tem certeza");
    baixar(11);
    // "L" counts the reserved quantity as available.
    exec("update ACEC1101 set QTDE_PRODUCAO = 2 where CODIGO = 'P0001'");
    tr().commitRetaining();
    parametro("ATESTOQUEINSUFICIENTE", "N");
    parametro("ATMODORESERVAESTOQUE", "L");
    dialogs->answer("Não", "Tem certeza");
    baixar(12);
    // A product of kind 7 is not checked, unless the reservation mode is "H".
    exec("update ACEC1101 set COM_FAB_S_FS = '7' where CODIGO = 'P0001'");
    tr().commitRetaining();
    parametro("ATMODORESERVAESTOQUE", "");
    dialogs->answer("Não", "Tem certeza");
    baixar(50);
    parametro("ATMODORESERVAESTOQUE", "H");
    dialogs->acknowledge(texto);
    baixar(50);
    // Without the parameter nothing is checked.
    parametro("ATESTOQUEINSUFICIENTE", "");
    dialogs->answer("Não", "Tem certeza");
    baixar(500);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(estoque("P0001"), "10.00000000000000|0.000000000000000|0.000000000000000");
}

TEST_F(BaixaPecasTest, EntriesAreLimitedByTheOrdersExitsWhenAsked)
{
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    linha(janela, "P0001", 5, 9001);
    confirmar();
    dialogs->acknowledge("Acerto das Peças");
    janela.bbBaixar->click();
    entrada(janela);
    linha(janela, "P0001", 2, 9001);
    confirmar();
    dialogs->acknowledge("Acerto das Peças");
    janela.bbBaixar->click();
    janela.ckValidadeQtdeEntrada->setChecked(true);
    linha(janela, "P0001", 4, 9001);
    dialogs->acknowledge("Não é possível entrar essa quantidade do produto P0001 - Fonte de alimentação bivolt"
                         " 110/220V da ordem de serviço 9001.");
    janela.bbBaixar->click();
    ASSERT_FALSE(dialogs->texts().isEmpty());
    EXPECT_TRUE(dialogs->texts().last().endsWith("Saída: 5,00\nEntrada: 2,00\nSaldo: 3,00") ||
                dialogs->texts().last().contains("Saldo: 3,00"))
        << dialogs->texts().last().toStdString();
    EXPECT_EQ(janela.cdsBaixa->recordCount(), 1) << "refused before anything was written";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(BaixaPecasTest, FinishedOrdersAskThePasswordOncePerLine)
{
    exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO) values (902, 'Finalizada', 'F')");
    exec("update AATC01AO set ASCODIGO = 902 where AOCODIGO in (9001, 9002)");
    tr().commitRetaining();
    parametro("ATPEDIDOSITUACAOITEM", "S");
    parametro("ATSENHAOSFINALIZADA", "segredo");
    // The master user passes every check: a user who is not is asked.
    entrarComo("ANA");
    ASSERT_FALSE(UsuarioMestre());
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    janela.ckInserirPeca->setChecked(true);
    linha(janela, "P0001", 1, 9001);
    linha(janela, "P0005", 1, 9002);
    linha(janela, "P0003", 1, 9004);   // not finished: no password
    dialogs->enter("segredo", "Senha para alteração de Ordem de Serviço finalizada");
    dialogs->enter("errada", "Senha para alteração de Ordem de Serviço finalizada");
    dialogs->acknowledge("Senha inválida!");
    janela.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select count(*) from ACEM1401 where SERIE_DOC = 'A'"), QStringList{"0"});
}

TEST_F(BaixaPecasTest, TheCorrectionLeavesAnOpenServiceOrderWindowOnItsOrder)
{
    peca(9004, 1, "P0003", 1);
    tr().commitRetaining();
    TfmAssBaixaPecas& janela = abrir();
    CarregaOrdemServico(9004);
    saida(janela);
    janela.ckInserirPeca->setChecked(true);
    linha(janela, "P0005", 3, 9001);
    confirmar();
    dialogs->acknowledge("Acerto das Peças");
    janela.bbBaixar->click();
    ASSERT_TRUE(dmTec->quOS->active());
    EXPECT_EQ(dmTec->quOSAOCODIGO->asInteger(), 9004);
    EXPECT_EQ(lido("select PRCODIGO || '|' || APQUANTIDADE || '|' || APOBSERVACAO || '|' || APRESERVA from AATC01AP"
                   " where AOCODIGO = 9001 and PRCODIGO = 'P0005'"),
              QStringList{"P0005|3.000000000000000|Inserido Pelo Acerto|B"});
}

// Another desk deletes the order's line while the question to add onto it
// is open: the "Sim" stops the run at that line with nothing of it written
// (no stock moved, no document item), and the line before it stays posted.
TEST_F(BaixaPecasTest, ALineAnotherDeskDeletedDuringTheQuestionStopsTheRunWithNothingOfItWritten)
{
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    janela.ckInserirPeca->setChecked(true);
    linha(janela, "P0001", 2, 9004);
    linha(janela, "P0005", 1, 9002);
    testsupport::OnScreenDialogs naTela;
    naTela.press("Sim").press("Sim");
    naTela.whileOpen([&](QWidget&) {   // the confirmation; the next dialog is the question
        naTela.whileOpen([this](QWidget&) { outraMesa("delete from AATC01AP where AOCODIGO = 9002"); });
    });
    janela.bbBaixar->click();
    ASSERT_EQ(naTela.texts().size(), 3) << naTela.texts().join(" / ").toStdString();
    EXPECT_TRUE(naTela.texts()[1].contains("já lançada na Ordem de Serviço \"9002\""));
    EXPECT_EQ(naTela.texts()[2], "A linha 1 das peças da Ordem de Serviço \"9002\" não existe mais (excluída por"
                                 " outro usuário); o acerto da peça não foi feito.");
    EXPECT_EQ(estoque("P0001"), "8.000000000000000|0.000000000000000|2.000000000000000");
    EXPECT_EQ(estoque("P0005"), "10.00000000000000|0.000000000000000|0.000000000000000");
    EXPECT_EQ(lido("select CODIGOPRODUTO || '|' || AOCODIGO from ACEM14IT where SERIE = 'A'"),
              QStringList{"P0001|9004"});
    EXPECT_EQ(lido("select count(*) from AATC01AP where AOCODIGO = 9002"), QStringList{"0"});
    EXPECT_EQ(lido("select PRCODIGO || '|' || APQUANTIDADE from AATC01AP where AOCODIGO = 9004"),
              QStringList{"P0001|2.000000000000000"});
}

TEST_F(BaixaPecasTest, PictureOfTheSettlementWithImportedLines)
{
    TfmAssBaixaPecas& janela = abrir();
    saida(janela);
    janela.laDescOpSai->setText("Remessa para OS");
    janela.ImportarOS(9001);
    guardaFoto(janela, "fmAssBaixaPecas.png");
}

}  // namespace
}  // namespace moduletest
