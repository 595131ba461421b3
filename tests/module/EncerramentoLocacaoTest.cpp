// Closing and reopening rental lines through the links of both registers,
// opened through the dispatcher: the reason, the serial movements of
// returned equipment, the stock document of assistance mode "E" (its
// operation, kind and items), cancelling, and the statements each line runs.

#include "tests/module/ContLocFixture.h"
#include "tests/support/OnScreenDialogs.h"

#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocacao.h"

#include "contract_data/uDataTecContLocacao.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"

#include <QLineEdit>

namespace moduletest {
namespace {

class EncerramentoLocacaoTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        parametro("ATLOCALPADRAO", "001");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('9A', 'Entrada locação', 'A')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('9B', 'Saída locação', 'B')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('9C', 'Outra', 'C')");
    }
    void TearDown() override
    {
        uDataTecContLocacao::setRelogio({});
        ContLocTest::TearDown();
    }
    // The rows written so far are committed first: the checks read what another attachment sees.
    TfmAssContCadLocEquip& abrirE()
    {
        dmGlobal->IBTransaction1->commitRetaining();
        return abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
    }
    TfmAssContLocacao& abrirQ()
    {
        dmGlobal->IBTransaction1->commitRetaining();
        parametro("ATOPCAOCONTRATO", "Q");
        return abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    }
    // A serial number's movement on a contract, booked under an order.
    void serie(int codigo, const QString& numero, const QString& produto, int contratoSerie)
    {
        exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, LECODIGO, OPCODIGO, ACCODIGO)"
                     " values (%1, '%2', '%3', 'L', '016', 'PED1', %4)")
                 .arg(codigo)
                 .arg(numero, produto)
                 .arg(contratoSerie));
    }
    void operacao(const QString& codigo) { pesquisa("COD_OP", codigo); }
    static void clica(host::ui::DataLabel* ligacao) { QTest::mouseClick(ligacao, Qt::LeftButton); }
    // "ENCERRADO|reason" of the contract's items, by code.
    QStringList linhas(int contratoLinhas) const
    {
        return lido(QString("select coalesce(ACITENCERRADO, '') || '|' || coalesce(ACITOBSERVACAO, '') from"
                            " AATC05ACIT where ACCODIGO = %1 order by ACITCODIGO")
                        .arg(contratoLinhas));
    }
    QStringList documentos() const
    {
        return lido("select DOCUMENTO || '|' || OPERACAO_DOC || '|' || TIPO_DOC || '|' || COD_CLI || '|' ||"
                    " SERIE_DOC || '|' || LOCAL_DOC from ACEM1401 where OPERACAO_DOC starting with '9'"
                    " order by DOCUMENTO");
    }
    QStringList itensDocumento(const QString& documento) const
    {
        return lido("select SEQUENCIA || '|' || CODIGOPRODUTO || '|' || COD_OP || '|' || CCCODIGO from ACEM14IT"
                    " where DOCUMENTO = '" + documento + "' and COD_OP starting with '9' order by SEQUENCIA");
    }
    QStringList movimentosEncerrados() const
    {
        return lido("select NSNUMERO || '|' || PRCODIGO || '|' || NSSTATUS || '|' || NSOBSERVACAO from AUGC50NS"
                    " where LECODIGO = '017' order by NSCODIGO");
    }
};

// ---- stock document ----

TEST_F(EncerramentoLocacaoTest, StockOperationTypeGivesTheKindAndTheDocumentGrowsByOneItem)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    TfmAssContCadLocEquip& form = abrirE();
    QString entrada;
    operacao("9A");
    form.CtrAssBaixaEstoque(entrada, "P0004", 2);
    ASSERT_FALSE(entrada.isEmpty());
    form.CtrAssBaixaEstoque(entrada, "P0001", 1);   // no second question
    dmGlobal->IBTransaction1->commitRetaining();   // the caller's commit
    EXPECT_EQ(documentos(), QStringList{entrada + "|9A|E|00000|A|001"});
    EXPECT_EQ(itensDocumento(entrada), (QStringList{"1|P0004|9A|0", "2|P0001|9A|0"}));
    EXPECT_EQ(lido("select cast(VALOR_TOTAL_UNIT as integer) || '|' || cast(VALOR_TOTAL as integer) || '|' ||"
                   " cast(QUNATIDADEPRODUTO as integer) from ACEM14IT"
                   " where DOCUMENTO = '" + entrada + "' and SEQUENCIA = 1 and COD_OP = '9A'"),
              QStringList{"980|1960|2"});
    EXPECT_EQ(lido("select OBSERVACAO_DOC from ACEM1401 where DOCUMENTO = '" + entrada + "' and OPERACAO_DOC = '9A'"),
              QStringList{"Usuário: " + IbUserName()});

    QString saida;
    operacao("9B");
    form.CtrAssBaixaEstoque(saida, "P0004", 1);
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_NE(saida, entrada);
    EXPECT_EQ(lido("select TIPO_DOC from ACEM1401 where DOCUMENTO = '" + saida + "' and OPERACAO_DOC = '9B'"),
              QStringList{"S"});

    // Type "C" is refused, and a cancelled search creates nothing.
    const QStringList antes = documentos();
    QString recusado;
    operacao("9C");
    dialogs->acknowledge("O tipo de operação é inválido!").acknowledge("Erro ao executar Entrada no Estoque!");
    EXPECT_FALSE(host::ui::runGuarded([&] { form.CtrAssBaixaEstoque(recusado, "P0004", 1); }));
    dialogs->modal("fmPesquisa", {});
    dialogs->acknowledge("Código da Operação Inválido!").acknowledge("Erro ao executar Entrada no Estoque!");
    EXPECT_FALSE(host::ui::runGuarded([&] { form.CtrAssBaixaEstoque(recusado, "P0004", 1); }));
    EXPECT_TRUE(recusado.isEmpty());
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(documentos(), antes);
    EXPECT_EQ(dialogs->pending(), 0);
}

// ---- screen E ----

TEST_F(EncerramentoLocacaoTest, AllThreeLinesCloseWithOneReasonOneOperationAndOneDocument)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    contrato(801);
    item(1, 801, "P0001");
    item(2, 801, "P0004", "N", "ACITRETORNO", "'S'");
    item(3, 801, "P0005");
    serie(1, "NS-1", "P0001", 801);   // item 1 has not come back: its serial stays
    serie(2, "NS-2A", "P0004", 801);
    serie(3, "NS-2B", "P0004", 801);
    TfmAssContCadLocEquip& form = abrirE();
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    dialogs->answer("Todos", "Deseja Encerrar o(s) Equipamento(s)?")
        .enter("123456789", "Informe o motivo do Encerramento")   // nine characters: asked again
        .enter("  1234567890  ", "Motivo deve ter no mínimo 10 caracteres");
    operacao("9A");
    clica(form.laEncerrarEquipamento);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(linhas(801), (QStringList{"S|1234567890", "S|1234567890", "S|1234567890"}));
    const QStringList docs = documentos();
    ASSERT_EQ(docs.size(), 1);
    const QString numero = docs[0].section('|', 0, 0);
    EXPECT_EQ(docs[0].section('|', 2, 2), "E");
    QStringList itens = itensDocumento(numero);
    EXPECT_EQ(itens.size(), 3);
    for (int i = 0; i < itens.size(); ++i)
        EXPECT_TRUE(itens[i].startsWith(QString::number(i + 1) + "|")) << itens[i].toStdString();
    EXPECT_EQ(movimentosEncerrados(), (QStringList{"NS-2A|P0004|L|Movimento", "NS-2B|P0004|L|Movimento"}));
    EXPECT_TRUE(dmTecContrato->quCtrCadastroIt->isEmpty()) << "the open list is reloaded";
}

TEST_F(EncerramentoLocacaoTest, CancellingTheReasonEndsTheRunAndNothingIsBooked)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    contrato(801);
    item(1, 801, "P0001");
    item(2, 801, "P0004");
    TfmAssContCadLocEquip& form = abrirE();
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    dialogs->answer("Todos").enter("curto").cancel("Informe o motivo");
    clica(form.laEncerrarEquipamento);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(linhas(801), (QStringList{"N|", "N|"}));
    EXPECT_TRUE(documentos().isEmpty());

    // "Cancelar" asks nothing more; "Selecionado" closes the current line only.
    dialogs->answer("Cancelar");
    clica(form.laEncerrarEquipamento);
    dmTecContrato->quCtrCadastroIt->last();
    const QString ultimo = dmTecContrato->quCtrCadastroIt->fieldByName("PRCODIGO")->asString();
    dialogs->answer("Selecionado").enter("Devolvido pelo cliente");
    operacao("9A");
    clica(form.laEncerrarEquipamento);
    EXPECT_EQ(lido("select PRCODIGO from AATC05ACIT where ACCODIGO = 801 and ACITENCERRADO = 'S'"),
              QStringList{ultimo});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(EncerramentoLocacaoTest, ReopeningClearsTheReasonBooksItsOwnDocumentAndClosingAsksAgain)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    contrato(801);
    item(1, 801, "P0004", "N", "ACITRETORNO", "'S'");
    exec("update AATC05ACIT set ACITENCERRADO = 'S', ACITOBSERVACAO = 'Motivo antigo' where ACITCODIGO = 1");
    serie(1, "NS-1", "P0004", 801);
    TfmAssContCadLocEquip& form = abrirE();
    CarregaContrato(801);
    aba(form, form.tsEquipamentosEncerrados);
    dialogs->answer("Não", "Deseja Reabrir Equipamento Selecionado?");
    clica(form.laReabrirEquip);
    EXPECT_EQ(linhas(801), QStringList{"S|Motivo antigo"});
    dialogs->answer("Sim", "Deseja Reabrir Equipamento Selecionado?");
    operacao("9B");
    clica(form.laReabrirEquip);
    EXPECT_EQ(linhas(801), QStringList{"N|"});
    EXPECT_EQ(lido("select coalesce(cast(ACITDATAENCERRAMENTO as varchar(30)), 'aberto') from AATC05ACIT"
                   " where ACITCODIGO = 1"),
              QStringList{"aberto"})
        << "a reopened row has no closing date";
    ASSERT_EQ(documentos().size(), 1);
    EXPECT_EQ(documentos()[0].section('|', 2, 2), "S");
    EXPECT_TRUE(movimentosEncerrados().isEmpty()) << "reopening moves no serial";
    EXPECT_TRUE(dmTecContrato->quCtrCadastroIt->isEmpty()) << "the closed list is reloaded";

    aba(form, form.tsEquipamentos);
    dialogs->answer("Selecionado").enter("Devolvido de novo");
    operacao("9A");
    clica(form.laEncerrarEquipamento);
    EXPECT_EQ(linhas(801), QStringList{"S|Devolvido de novo"});
    EXPECT_EQ(documentos().size(), 2) << "each run makes its own document";
    EXPECT_EQ(movimentosEncerrados(), QStringList{"NS-1|P0004|L|Movimento"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(EncerramentoLocacaoTest, AStockFailureUndoesItsLineOnly)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    contrato(801);
    item(1, 801, "P0004", "N", "ACITRETORNO", "'S'");
    serie(1, "NS-1", "P0004", 801);
    TfmAssContCadLocEquip& form = abrirE();
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    dialogs->answer("Todos").enter("Devolvido pelo cliente");
    operacao("9C");
    dialogs->acknowledge("O tipo de operação é inválido!").acknowledge("Erro ao executar Entrada no Estoque!");
    clica(form.laEncerrarEquipamento);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(linhas(801), QStringList{"N|"});
    EXPECT_TRUE(movimentosEncerrados().isEmpty()) << "the line's movements are undone with it";
    EXPECT_EQ(dmTecContrato->quCtrCadastroIt->fieldByName("ACITENCERRADO")->asString(), "N");
}

TEST_F(EncerramentoLocacaoTest, ComplementMovementTextComesFromTheContractsOwnOrder)
{
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, AUX2, IMPRESSO_NF) values ('PL-9', '00004', '1', 'S')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, AUX2, IMPRESSO_NF) values ('PX-1', '00004', '0', '')");
    contrato(801, "ACPEDIDO", "'PL-9'");
    contrato(802);
    item(1, 801, "P0004", "S", "ACITRETORNO", "'S'");
    item(2, 802, "P0004", "S", "ACITRETORNO", "'S'");
    item(3, 802, "P0001", "S");
    serie(1, "NS-801", "P0004", 801);
    serie(2, "NS-802", "P0004", 802);
    serie(3, "NS-3", "P0001", 802);
    TfmAssContCadLocEquip& form = abrirE();
    CarregaPedidoAssVenda("PX-1", {});   // another order open in the order data module
    ASSERT_EQ(dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString().trimmed(), "PX-1");
    CarregaContrato(801);
    aba(form, form.tsComplementos);
    dialogs->answer("Sim", "Deseja Encerrar Complemento Selecionado?").enter("Complemento devolvido");
    clica(form.laEncerrarCompl);
    EXPECT_EQ(linhas(801), QStringList{"S|Complemento devolvido"});
    EXPECT_EQ(movimentosEncerrados(), QStringList{"NS-801|P0004|L|Pedido (Entregue)"});

    // Without a source order: "Movimento"; without a return, no movement.
    CarregaContrato(802);
    aba(form, form.tsDadosAdicionais);
    aba(form, form.tsComplementos);
    for (const char* complemento : {"P0004", "P0001"}) {
        ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("PRCODIGO", complemento));
        dialogs->answer("Sim").enter("Complemento devolvido");
        clica(form.laEncerrarCompl);
    }
    EXPECT_EQ(movimentosEncerrados(),
              (QStringList{"NS-801|P0004|L|Pedido (Entregue)", "NS-802|P0004|L|Movimento"}));
    EXPECT_TRUE(documentos().isEmpty()) << "complements are never booked into stock";

    aba(form, form.tsComplementosEncerrados);
    dialogs->answer("Sim", "Deseja Reabrir Complemento Selecionado?");
    clica(form.laReabrirCompl);
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 802 and ACITENCERRADO = 'N'"
                   " and coalesce(ACITOBSERVACAO, '') = ''"),
              QStringList{"1"});
    EXPECT_EQ(dialogs->pending(), 0);
}

// A reason longer than the line's column: the box stops where the column
// does, and what it took is stored whole.
TEST_F(EncerramentoLocacaoTest, TheReasonBoxTakesWhatTheLinesColumnHoldsAndItIsStoredWhole)
{
    contrato(801);
    item(1, 801, "P0001", "S");
    TfmAssContCadLocEquip& form = abrirE();
    CarregaContrato(801);
    aba(form, form.tsComplementos);
    testsupport::OnScreenDialogs naTela;
    QString caixa;
    // The question answered "Sim", then the reason typed in its box and "OK".
    naTela.whileOpen([&](QWidget&) {
        naTela.whileOpen([&](QWidget& dialogo) {
            auto* texto = dialogo.findChild<QLineEdit*>();
            QTest::keyClicks(texto, QString(300, QChar('m')));
            caixa = texto->text();
        });
    });
    naTela.press("Sim").press("OK");
    clica(form.laEncerrarCompl);
    EXPECT_EQ(caixa.size(), 255) << naTela.texts().join(" | ").toStdString();
    EXPECT_EQ(linhas(801), QStringList{"S|" + caixa});
}

TEST_F(EncerramentoLocacaoTest, ClosingTenLinesRunsTheSameStatementsForEachLine)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    // Contracts of 1, 2, 3 and 10 lines, each line a product of its own with one serial come back.
    const std::pair<int, int> contratos[] = {{801, 1}, {803, 2}, {804, 3}, {802, 10}};
    int linha = 0;
    for (const auto& [codigo, quantas] : contratos) {
        contrato(codigo);
        for (int i = 0; i < quantas; ++i, ++linha) {
            const QString produto = QString("LX%1").arg(linha, 2, 10, QChar('0'));
            exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('" + produto + "', 'Gerador', 100)");
            item(10 + linha, codigo, produto, "N", "ACITRETORNO", "'S'");
            serie(10 + linha, "NS-" + produto, produto, codigo);
        }
    }
    // The movements' keys generator past the rows written here, as the
    // next start leaves it: its one catch-up is no line's cost.
    host::raiseGeneratorsToKeys(*dmGlobal->IBTransaction1);
    TfmAssContCadLocEquip& form = abrirE();
    auto fecharTodos = [&](int contratoFechar) {
        CarregaContrato(contratoFechar);
        aba(form, form.tsDadosAdicionais);
        aba(form, form.tsEquipamentos);
        dialogs->answer("Todos").enter("Devolvido pelo cliente");
        operacao("9A");
        testsupport::StatementCounter contagem;
        clica(form.laEncerrarEquipamento);
        return contagem.count();
    };
    const int uma = fecharTodos(801);
    const int duas = fecharTodos(803);
    const int tres = fecharTodos(804);
    const int dez = fecharTodos(802);
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACITENCERRADO = 'S'"), QStringList{"16"});
    EXPECT_EQ(lido("select count(*) from AUGC50NS where LECODIGO = '017'"), QStringList{"16"});
    // The first line of a run also asks the operation and makes the document (the very
    // first document also its number's counter); every other line runs 15 (its
    // contract's row held as it is written among them).
    EXPECT_EQ(uma, 21);
    EXPECT_EQ(duas, 19 + 15);
    EXPECT_EQ(tres - duas, 15);
    EXPECT_EQ(dez - tres, 7 * 15) << "every further line runs as many";
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(EncerramentoLocacaoTest, LinesOfOneProductMoveItsSerialsOnce)
{
    contrato(801);
    item(1, 801, "P0004", "N", "ACITRETORNO", "'S'");
    item(2, 801, "P0004", "N", "ACITRETORNO", "'S'");
    serie(1, "NS-A", "P0004", 801);
    serie(2, "NS-B", "P0004", 801);
    TfmAssContCadLocEquip& form = abrirE();
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    dialogs->answer("Todos").enter("Devolvido pelo cliente");
    clica(form.laEncerrarEquipamento);
    EXPECT_EQ(linhas(801), (QStringList{"S|Devolvido pelo cliente", "S|Devolvido pelo cliente"}));
    EXPECT_EQ(movimentosEncerrados(), (QStringList{"NS-A|P0004|L|Movimento", "NS-B|P0004|L|Movimento"}))
        << "the second line finds them moved already";
    EXPECT_EQ(dialogs->pending(), 0);
}

// ---- screen Q ----

TEST_F(EncerramentoLocacaoTest, ScreenQAsksAReasonPerLineSkipsShortOnesAndLeavesClosedLinesAlone)
{
    uDataTecContLocacao::setRelogio([] { return QDateTime(QDate(2024, 3, 10), QTime(14, 30)); });
    contrato(801);
    item(1, 801, "P0004");
    item(2, 801, "P0004");
    item(3, 801, "P0004");
    exec("update AATC05ACIT set ACITENCERRADO = 'S', ACITOBSERVACAO = 'Fechada antes',"
         " ACITDATAENCERRAMENTO = '2024-01-05' where ACITCODIGO = 2");
    TfmAssContLocacao& form = abrirQ();
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    dialogs->answer("Todos", "Deseja Encerrar o(s) Equipamento(s)?")
        .enter("Devolvido inteiro", "Informe o motivo do Encerramento")
        .enter("123456789", "Informe o motivo do Encerramento");
    clica(form.laEncerrarEquipamento);
    EXPECT_EQ(dialogs->pending(), 0);
    ASSERT_EQ(dialogs->shown().size(), 3u) << "nothing is asked for the closed line";
    EXPECT_EQ(dialogs->shown()[2].value, "Devolvido inteiro") << "the previous reason is offered";
    EXPECT_EQ(lido("select ACITENCERRADO || '|' || coalesce(ACITOBSERVACAO, '') || '|' ||"
                   " coalesce(cast(ACITDATAENCERRAMENTO as varchar(30)), '') from AATC05ACIT where ACCODIGO = 801"
                   " order by ACITCODIGO"),
              (QStringList{"S|Devolvido inteiro|10-MAR-2024 14:30:00.0000", "S|Fechada antes|05-JAN-2024", "N||"}));

    // Reopening clears the reason and the date.
    ASSERT_TRUE(dmTecContrato->quCtrEquipLocacao->locate("ACITCODIGO", 1));
    dialogs->answer("Sim", "Deseja Reabrir Equipamento Selecionado?");
    clica(form.laReabrirEquip);
    EXPECT_EQ(lido("select ACITENCERRADO || '|' || coalesce(ACITOBSERVACAO, '') || '|' ||"
                   " coalesce(cast(ACITDATAENCERRAMENTO as varchar(30)), '-') from AATC05ACIT where ACITCODIGO = 1"),
              QStringList{"N||-"});
    EXPECT_TRUE(documentos().isEmpty()) << "screen Q books nothing into stock";
}

TEST_F(EncerramentoLocacaoTest, ScreenQCancellingEndsTheRunWithEarlierLinesClosed)
{
    contrato(801);
    item(1, 801, "P0004");
    item(2, 801, "P0001");
    TfmAssContLocacao& form = abrirQ();
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    dialogs->answer("Todos").enter("Devolvido inteiro").cancel("Informe o motivo");
    clica(form.laEncerrarEquipamento);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(linhas(801), (QStringList{"S|Devolvido inteiro", "N|"}));

    // "Selecionado" handles the current line only.
    ASSERT_TRUE(dmTecContrato->quCtrEquipLocacao->locate("ACITCODIGO", 2));
    dialogs->answer("Selecionado").enter("Outro motivo longo");
    clica(form.laEncerrarEquipamento);
    EXPECT_EQ(linhas(801), (QStringList{"S|Devolvido inteiro", "S|Outro motivo longo"}));
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
