// Parts requested for an order on a new installation whose demonstration
// documents were deleted through their windows first: the company's own part
// registered with its bar code and stock, its own customer's order typed with
// it on two lines,
// the request filled by bar code and delivered in two hand-overs, each
// settled once, a return spread over both lines, and the order sold: stock
// and bill are what was used.

#include "tests/module/PrimeiroUsoOrdemFixture.h"

#include "contracts/uAssContCad.h"
#include "host/UcadastroHost.h"
#include "host/Upesq.h"
#include "host/Uprincipal.h"
#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/WindowRegistry.h"
#include "module/uPackageAss.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssFaturamento.h"
#include "service_orders/uAssSolicitacao.h"
#include "service_orders/uPesqAssOrdemServico.h"
#include "tests/support/OnScreenDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QToolButton>

#include <tuple>
#include <utility>

namespace moduletest {
namespace {

class PrimeiroUsoPecasSolicitadasTest : public PrimeiroUsoOrdemTest {
protected:
    // The customer shown in its register, then its equipment list opened
    // through the dispatcher: each piece deleted there.
    void equipamentosDoCliente(TMenuItem* menu, const QString& sigla, const QString& nome)
    {
        ASSERT_NE(cadastroEm(menu, sigla, nome), nullptr);
        dialogs->modal("fmPesquisa", [this](host::ui::Form& form) {
            host::ui::DataGrid* grade = static_cast<host::ui::SearchWindow&>(form).grid();
            for (int i = 0; i < 3 && grade->model()->rowCount() > 0; ++i) {
                dialogs->answer("Sim", "Confirma a exclusão do registro?");
                ctrlDeleteNaCelula(grade, "AECODIGO");
            }
            form.close();
        });
        uPackageAss::ShowJanelaTec("fmAssEquipCli");
    }
    // What the demonstration left that the road meets, deleted through the
    // windows: its service orders, assistance orders, parts, contracts and
    // customers. A part is refused while it holds stock and a customer while
    // it owns equipment: the user empties those first.
    void excluiDemonstracao()
    {
        for (const char* os : {"40", "41", "42", "43"}) {
            TfmAssOrdemServico& ordem = abrirJanela(fmAssOrdemServico, QString("fmAssOrdemServico;") + os);
            dialogs->answer("Sim", "Confirma a exclusão do registro?");
            ordem.bbExcluir->click();
            ordem.close();
        }
        excluiDocumentosDeAssistenciaDaDemonstracao();
        for (const char* tabela : {"AATC01AO", "AATC01AOIT", "AATC01AP", "AATC01AA", "AVEC8501", "AVEC85IT"})
            EXPECT_EQ(lido(QString("select count(*) from ") + tabela), QStringList{"0"}) << tabela << vistos();
        for (const auto& [parte, entradas] : {std::pair{"Fonte de alimenta", "12"}, std::pair{"Placa-m", "3"},
                                              std::pair{"Cartucho", "25"}, std::pair{"Compressor de ar-c", "2"},
                                              std::pair{"Correia", "40"}}) {
            excluiNoCadastro(principal->miCadastroProduto, "PR", parte);
            estoqueBaixado(parte, entradas);
            excluiNoCadastro(principal->miCadastroProduto, "PR", parte);
        }
        EXPECT_EQ(lido("select count(*) from ACEC1101 where CODIGO starting 'P' union all"
                       " select count(*) from ACEC11PO where PRCODIGO starting 'P'"),
                  (QStringList{"0", "0"}))
            << vistos();
        excluiContratosDaDemonstracao(abrirJanela(fmAssContCad, "fmAssContCad"));
        // Told why a customer stays, the user deletes its equipment, then the customer.
        for (const auto& [menu, sigla, cliente] : {std::tuple{principal->miCadastroPessoaFisica, "PF", "Jos"},
                                                   std::tuple{principal->miCadastroPessoaFisica, "PF", "Maria das"},
                                                   std::tuple{principal->miCadastroPessoaJuridica, "PJ", "Padaria"},
                                                   std::tuple{principal->miCadastroPessoaJuridica, "PJ", "Cl"}}) {
            excluiNoCadastro(menu, sigla, cliente);
            equipamentosDoCliente(menu, sigla, cliente);
            excluiNoCadastro(menu, sigla, cliente);
        }
        EXPECT_EQ(lido("select CODIGO_CLIENTE from AUGC0301"), QStringList{"00001"}) << vistos();
        // Nothing is left of what went: only the company's own contacts stay.
        for (const char* resto : {"AATC03AECL", "ACRC5001", "AATC05ACIT", "AUGC03CO", "CADCOM",
                                  "AUGC3701 where ANVINCULOCODIGO <> '00001'"})
            EXPECT_EQ(lido(QString("select count(*) from ") + resto), QStringList{"0"}) << resto;
        EXPECT_EQ(dialogs->texts().filter(QRegularExpression("não pode ser excluído: está em uso em (estoque|"
                                                             "equipamentos do cliente)\\.$")).size(),
                  9)
            << vistos();
        EXPECT_EQ(recusas(), QStringList{}) << vistos();
    }
    // The company's own part saved in the product register with its bar
    // code and what came into the store; its code.
    QString pecaPropria(const QString& barras)
    {
        TfmCadastroHost& produtos = cadastroDeProdutos();
        produtos.bbNovo->click();
        digita(produtos.controle("DESCRICAO"), "Fonte ATX 500W");
        for (const auto& [coluna, inicio] : {std::pair{"COM_FAB_S_FS", "Mercadoria"}, std::pair{"GRUPO", "PEC"}}) {
            auto* lista = qobject_cast<QComboBox*>(produtos.controle(coluna));
            testsupport::escolheComSetas(*lista, lista->findText(inicio, Qt::MatchStartsWith));
        }
        digita(produtos.controle("UNIDADE_MEDIDA"), "UN");
        digita(produtos.controle("PCO_VENDA"), "89,90");
        digita(produtos.controle("OUTRO_CODIGO"), barras);
        produtos.bbSalvar->click();
        const QString codigo = produtos.registros().fieldByName("CODIGO")->asString();
        EXPECT_TRUE(estoqueNoLocal(produtos, "001", "12"));
        produtos.close();
        return codigo;
    }
    // F9 by bar code, "Entregar": technician 2 delivers the quantity; the
    // last one closes the request.
    void entregaPorBarras(TfmAssSolicitacao& janela, const QString& quantidade, bool ultima)
    {
        dialogs->enter("7890001", "Barras");
        dialogs->answer("Entregar", "O produto " + peca + " já está inserido na solicitação.");
        dialogs->acknowledge("Informe o Código do Técnico da ENTREGA desta peça.");
        pesquisa("ATCODIGO", 2);
        dialogs->enter(quantidade, "Informe a quantidade do Produto " + peca);
        if (ultima)
            dialogs->answer("Sim", "Todos itens da solicitação foram entregues.");
        QTest::keyClick(janela.dbgdAssSolicitacao, Qt::Key_F9);
    }
    // "Estoque", then "Baixar" on the settlement it opens: the lines it offered.
    QStringList entregaAoAcerto(TfmAssSolicitacao& janela)
    {
        janela.bbEstoque->click();
        TfmAssBaixaPecas* baixa = fmAssBaixaPecas.get();
        QStringList linhas;
        for (baixa->cdsBaixa->first(); !baixa->cdsBaixa->eof(); baixa->cdsBaixa->next())
            linhas << baixa->cdsBaixaprCodigo->asString() + "|" + baixa->cdsBaixaprQuantidade->asString();
        dialogs->answer("Sim", "Tem certeza de que deseja baixar as peças?");
        dialogs->acknowledge("Acerto das Peças efetuada com sucesso.");
        baixa->bbBaixar->click();
        baixa->close();
        return linhas;
    }
    // A return of the part to the order, typed in the settlement opened
    // from the menu, with "Inserir Peças na O.S.".
    QString peca;   // the company's own part

    void devolucao(const QString& os, const QString& quantidade)
    {
        TfmAssBaixaPecas& baixa = abrirJanela(fmAssBaixaPecas, "fmAssBaixaPecas");
        baixa.sbEntrada->click();
        dialogs->modal("fmPesquisa", [](host::ui::Form& form) {
            auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
            QTest::keyClicks(pesquisa.grid(), "1202");
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
        baixa.bbPesqBaixa->click();
        baixa.ckInserirPeca->click();
        novaLinhaNaGrade(baixa.dbgdOrdemServicoBaixaPecas, "prCodigo", peca);
        celula(baixa.dbgdOrdemServicoBaixaPecas, "aoCodigo", os);
        celula(baixa.dbgdOrdemServicoBaixaPecas, "prQuantidade", quantidade, Qt::Key_Return);
        dialogs->answer("Sim", "Tem certeza de que deseja baixar as peças?");
        dialogs->acknowledge("Acerto das Peças efetuada com sucesso.");
        baixa.bbBaixar->click();
        baixa.close();
    }
    // The demonstration deleted, the company's own customer 10001 and its
    // own part registered: the statement that reads the part's stock.
    QString clienteEPecaProprios()
    {
        excluiDemonstracao();
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, PESSOA_FISICAOUJURIDICA, NATUREZA_OPERACAO,"
             " TABELA_VENCIMENTO, COBRANCA) values ('10001', 'Metalurgica Horizonte Ltda', 'J', '5102', '01', '001')");
        peca = pecaPropria("7890001");
        EXPECT_FALSE(peca.isEmpty()) << vistos();
        return "select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = '" + peca + "'";
    }
    // A new request of the order saved, with the quantity of the part read by bar code.
    TfmAssSolicitacao& pedidoPorBarras(const QString& os, const QString& quantidade)
    {
        TfmAssSolicitacao& pedido = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
        pedido.bbNovo->click();
        digita(pedido.dbedOS, os);
        pedido.bbSalvar->click();
        pedido.ckBarras->click();
        dialogs->enter("7890001", "Barras");
        dialogs->enter(quantidade, "Informe a quantidade do Produto " + peca);
        QTest::keyClick(pedido.dbgdAssSolicitacao, Qt::Key_F9);
        return pedido;
    }
};

TEST_F(PrimeiroUsoPecasSolicitadasTest, RequestedPartsAreIssuedOnceAndBilledAsUsed)
{
    const QString estoque = clienteEPecaProprios();
    ASSERT_FALSE(peca.isEmpty());
    ASSERT_EQ(lido(estoque), QStringList{"12"}) << vistos();
    TfmAssOrdemServico* ordem = nullptr;
    const QString os = ordemNova(ordem, "10001");
    ASSERT_FALSE(os.isEmpty()) << vistos();
    QStringList clientes;
    for (int i = 0; i < ordem->dblcCliente->count(); ++i)
        clientes << ordem->dblcCliente->itemText(i);
    EXPECT_EQ(clientes, (QStringList{"Assistência Técnica Exemplo Ltda.", "Metalurgica Horizonte Ltda"}))
        << "the customers deleted are offered no more";
    clicaAba(ordem->pcOrdemServico, ordem->tsPecasOS);
    for (int linha = 0; linha < 2; ++linha) {
        novaLinhaNaGrade(ordem->dbgdOrdemServicoPecas, "PRCODIGO", peca);
        celula(ordem->dbgdOrdemServicoPecas, "APQUANTIDADE", "2", Qt::Key_Return);
    }
    ordem->bbSalvar->click();
    ordem->close();

    TfmAssSolicitacao& pedido = pedidoPorBarras(os, "4");
    entregaPorBarras(pedido, "2", false);
    EXPECT_EQ(entregaAoAcerto(pedido), QStringList{peca + "|2"});
    entregaPorBarras(pedido, "2", true);
    EXPECT_EQ(entregaAoAcerto(pedido), QStringList{peca + "|2"}) << "the first hand-over is not issued again";
    EXPECT_EQ(lido(estoque), QStringList{"8"});

    devolucao(os, "3");
    EXPECT_EQ(lido("select cast(sum(APQUANTIDADE) as integer) from AATC01AP where AOCODIGO = " + os),
              QStringList{"1"})
        << "the return comes off both lines";

    ordem = &abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;" + os);
    dialogs->answer("1)Venda", "Selecione a opção desejada");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    ordem->bbPedidoVenda->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select cast(sum(it.QUANTIDADE) as integer) || '|' || cast(sum(it.QUANTIDADE * it.VALOR *"
                   " (100 - it.DESCONTO)) as integer) from AVEC85IT it join AVEC8501 pv"
                   " on pv.NUMERO_PEDIDO = it.NUMERO_PEDIDO where pv.AOCODIGO = " + os),
              QStringList{"1|8990"})
        << "the bill is the one part used";
    EXPECT_EQ(lido(estoque), QStringList{"11"})
        << "the stock is down by the one part used";
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

// The company's own order worked at two desks: parts and expenses typed at
// both are kept, the order's stock button runs before the request's
// hand-over, and billing bills it: stock and receivable are what was used.
TEST_F(PrimeiroUsoPecasSolicitadasTest, AnOrderWorkedAtTwoDesksLeavesStockOnceAndIsBilledWhole)
{
    const QString estoque = clienteEPecaProprios();
    ASSERT_FALSE(peca.isEmpty());
    TfmAssOrdemServico* ordem = nullptr;
    const QString os = ordemNova(ordem, "10001");
    ASSERT_FALSE(os.isEmpty()) << vistos();
    // Each line typed here while the other desk saves one of its own, with its totals.
    const struct {
        host::ui::TabSheet* aba;
        host::ui::DataGrid* grade;
        const char* campo;
        QString texto, outraLinha;
        const char *colunaTotal, *valor;
    } linhas[] = {
        {ordem->tsPecasOS, ordem->dbgdOrdemServicoPecas, "PRCODIGO", peca,
         "insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO,"
         " APVALTOTAL, APAUTORIZADO, APTIPO) values (" + os + ", 1, 0, '" + peca + "', 1, 89.9, 89.9, 'S', '3')",
         "AOVALORPECAS", "89.9"},
        {ordem->tsDespesaExtra, ordem->dbgdOrdemServicoDespExtra, "AXVALOR", "25,00",
         "insert into AATC01AX (AOCODIGO, AXCODIGO, AXVALOR) values (" + os + ", 1, 15)", "AODESPDIVERSAS", "15"},
    };
    for (const auto& linha : linhas) {
        clicaAba(ordem->pcOrdemServico, linha.aba);
        novaLinhaNaGrade(linha.grade, linha.campo, linha.texto);
        if (linha.aba == ordem->tsPecasOS)
            celula(linha.grade, "APQUANTIDADE", "3", Qt::Key_Return);
        outraMesa(linha.outraLinha);
        outraMesa(QString("update AATC01AO set %1 = coalesce(%1, 0) + %2, AOVALORTOTAL = coalesce(AOVALORTOTAL, 0)"
                          " + %2 where AOCODIGO = %3")
                      .arg(linha.colunaTotal, linha.valor, os));
        ordem->bbSalvar->click();
    }
    EXPECT_EQ(lido("select cast(AOVALORTOTAL * 100 as integer) from AATC01AO where AOCODIGO = " + os),
              QStringList{"39960"})
        << "four parts and both desks' expenses; " << vistos();
    dialogs->answer("Sim", "Baixar inclusive peças não autorizadas?");
    ordem->sbReserva->click();
    ordem->close();
    EXPECT_EQ(lido(estoque), QStringList{"8"}) << vistos();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    TfmAssSolicitacao& pedido = pedidoPorBarras(os, "4");
    entregaPorBarras(pedido, "4", true);
    pedido.bbEstoque->click();
    TfmAssBaixaPecas* baixa = fmAssBaixaPecas.get();
    ASSERT_NE(baixa, nullptr);
    EXPECT_EQ(baixa->cdsBaixa->recordCount(), 0) << "the stock button issued them; " << vistos();
    if (baixa->cdsBaixa->recordCount() > 0) {
        dialogs->answer("Sim", "Tem certeza de que deseja baixar as peças?");
        baixa->bbBaixar->click();
    }
    baixa->close();
    pedido.close();
    EXPECT_EQ(lido(estoque), QStringList{"8"}) << "the four parts left stock once";

    TfmAssFaturamento& faturamento = abrirJanela(fmAssFaturamento, "fmAssFaturamento");
    faturamento.edOSIni->setText(os);
    faturamento.bbPesquisar->click();
    faturamento.dbgdAssFaturamentoPesq->onDblClick();
    dialogs->modal("fmPesquisa", [](host::ui::Form& janela) {
        ASSERT_TRUE(static_cast<TfmPesquisa&>(janela).dataSource()->dataset()->locate("CODIGO", "01"));
        QTest::keyClick(static_cast<TfmPesquisa&>(janela).grid(), Qt::Key_Return);
    });
    pesquisa("CODIGO_BANCO", "001");
    dialogs->modal("fmPesquisa", [](host::ui::Form& janela) { janela.close(); });
    faturamento.bbGera->click();
    EXPECT_EQ(lido("select cast(sum(VALOR_DOCUMENTO) * 100 as integer) from ACRC5001 where NUMERO_DOCUMENTO ="
                   " (select CRDOCUMENTO from AATC01AO where AOCODIGO = " + os + ")"),
              QStringList{"39960"})
        << vistos();
    EXPECT_EQ(lido(estoque), QStringList{"8"});
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

// The order's "Baixar Estoque" took its part × 3 out of stock after its
// request delivered them: the request's "Estoque" and "Importar O.S." in the
// settlement offer nothing more, saying so, and the stock is down by 3 once.
TEST_F(PrimeiroUsoPecasSolicitadasTest, APartTakenOutByTheOrdersStockButtonIsNotOfferedAgain)
{
    peca = pecaPropria("7890001");
    ASSERT_FALSE(peca.isEmpty()) << vistos();
    const QString estoque = "select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = '" + peca + "'";
    const struct {
        bool entrega;   // the request's hand-over, else the settlement's import
        const char* aviso;
        const char* estoque;
    } casos[] = {
        {true, "já saíram do estoque para a O.S.", "9"},
        {false, "Todas as peças desta O.S. já foram baixadas", "6"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.entrega ? "hand-over" : "import");
        TfmAssOrdemServico* ordem = nullptr;
        const QString os = ordemNova(ordem);
        ASSERT_FALSE(os.isEmpty()) << vistos();
        clicaAba(ordem->pcOrdemServico, ordem->tsPecasOS);
        novaLinhaNaGrade(ordem->dbgdOrdemServicoPecas, "PRCODIGO", peca);
        celula(ordem->dbgdOrdemServicoPecas, "APQUANTIDADE", "3", Qt::Key_Return);
        ordem->bbSalvar->click();
        ordem->close();

        TfmAssSolicitacao& pedido = pedidoPorBarras(os, "3");
        entregaPorBarras(pedido, "3", true);

        ordem = &abrirJanela(fmAssOrdemServico, "fmAssOrdemServico;" + os);
        dialogs->answer("Não", "Baixar inclusive peças não autorizadas?");
        ordem->sbReserva->click();
        ordem->close();
        EXPECT_EQ(lido(estoque), QStringList{caso.estoque}) << vistos();

        TfmAssBaixaPecas* baixa = nullptr;
        if (caso.entrega) {
            dialogs->acknowledge(caso.aviso);
            pedido.bbEstoque->click();
            baixa = fmAssBaixaPecas.get();
        } else {
            baixa = &abrirJanela(fmAssBaixaPecas, "fmAssBaixaPecas");
            dialogs->modal("fmPesquisaAssOrdemServico", [&os](host::ui::Form& janela) {
                auto& pesquisa = static_cast<TfmPesquisaAssOrdemServico&>(janela);
                pesquisa.edNOS->setText(os);
                pesquisa.bbPesquisa->click();
                pesquisa.dbgdOrdemServico->onDblClick();
            });
            dialogs->acknowledge(caso.aviso);
            baixa->bbImportar->click();
        }
        EXPECT_EQ(baixa->cdsBaixa->recordCount(), 0) << vistos();
        dialogs->acknowledge("Quantidade válida não informada!");
        baixa->bbBaixar->click();
        baixa->close();
        pedido.close();
        EXPECT_EQ(lido(estoque), QStringList{caso.estoque}) << "the part left the stock once";
        EXPECT_EQ(dialogs->pending(), 0) << vistos();
    }
}

// A part or a customer that a document's line still names is refused in its
// register, saying where, and stays with the line.
TEST_F(PrimeiroUsoPecasSolicitadasTest, APartOrCustomerNamedByALineStays)
{
    const struct {
        const char *codigo, *linha, *lugar;
    } casos[] = {
        {"Z1", "AATC07AI (AICODIGO, AIID, AISEQUENCIA, PRCODIGO) values (1, 'I', 1, 'Z1')", "solicitações de peças"},
        {"Z2", "AATC01AQ (AOCODIGO, AQCODIGO, PRCODIGO) values (1, 1, 'Z2')",
         "produtos previstos de ordens de serviço"},
        {"Z3", "AATC01AX (AOCODIGO, AXCODIGO, PRCODIGO) values (1, 1, 'Z3')", "despesas extras de ordens de serviço"},
        {"Z4", "AATC08AF (AFCODIGO, PRCODIGO) values (1, 'Z4')", "custos de ordens de serviço"},
        {"Z5", "AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO) values (1, 1, 'Z5')",
         "detalhes de itens de contratos"},
        {"Z6",
         "AATC05ACCM (CMCODIGO, ACCODIGO, ACITCODIGO, PRCODIGO, CMSEQUENCIA, ACEVCODIGO) values (1, 1, 1, 'Z6', 1, 1)",
         "composições de contratos"},
        {"20001", "AATC05ACCL (ACCODIGO, CLCODIGO) values (1, '20001')", "clientes de contratos"},
    };
    for (const auto& caso : casos) {
        const QString codigo = caso.codigo;
        const bool produto = codigo.startsWith('Z');
        exec(produto ? "insert into ACEC1101 (CODIGO, DESCRICAO) values ('" + codigo + "', 'Peça " + codigo + "')"
                     : "insert into AUGC0301 (CODIGO_CLIENTE, NOME, PESSOA_FISICAOUJURIDICA) values ('" + codigo +
                           "', 'Cliente " + codigo + "', 'F')");
        exec(QString("insert into ") + caso.linha);
        tr().commitRetaining();
        excluiNoCadastro(produto ? principal->miCadastroProduto : principal->miCadastroPessoaFisica,
                         produto ? "PR" : "PF", (produto ? "Peça " : "Cliente ") + codigo);
        EXPECT_TRUE(dialogs->texts().last().endsWith(QString("está em uso em ") + caso.lugar + "."))
            << caso.lugar << ": " << vistos();
        EXPECT_EQ(lido(produto ? "select count(*) from ACEC1101 where CODIGO = '" + codigo + "'"
                               : "select count(*) from AUGC0301 where CODIGO_CLIENTE = '" + codigo + "'"),
                  QStringList{"1"})
            << caso.lugar;
    }
}

}  // namespace
}  // namespace moduletest
