// The price cascade of a requested line, rule by rule, over look-ups given by
// the test: the base price, the first rule, the price-table rule, the rule
// that runs after either, and the collection.

#include "data/uDataTecPedidoAssPreco.h"

#include <gtest/gtest.h>

#include <functional>

namespace tectest {
namespace {

using pedidoass::LinhaClienteProduto;
using pedidoass::LinhaTabelaPreco;

struct FontesDeTeste : pedidoass::FontesPreco {
    bool emPromocao = false;
    double promocional = 0, calculado = 0;
    bool aPrazo = false;
    int verificacoesDesconto = 0, pesquisas = 0;
    std::optional<LinhaTabelaPreco> tabelaCliente, cliente, grupo;
    std::optional<LinhaClienteProduto> clienteProduto;
    LinhaTabelaPreco faixa;
    double descontoPrazo = 0, tabelaDoCliente = 0, tabelaDescrita = 0, precoFaixa = 0, maximo = 0;
    double ramoServico = 0, ramoProduto = 0;
    std::pair<double, double> colecao{0, 0};
    QString colecaoPedida, faixaPedida;

    bool produtoEmPromocao() override { return emPromocao; }
    double valorPromocao() override { return promocional; }
    double descontoCalculado() override { return calculado; }
    bool vendaPrazo() override { return aPrazo; }
    void verificarDescontoTabelaVencimento() override { ++verificacoesDesconto; }
    std::optional<LinhaTabelaPreco> linhaTabelaCliente() override { return tabelaCliente; }
    QString faixaCliente() override { return "B1"; }
    LinhaTabelaPreco linhaFaixa(const QString& f) override
    {
        faixaPedida = f;
        return faixa;
    }
    double descontoTabelaVencimento() override { return descontoPrazo; }
    double valorTabelaDoCliente() override { return tabelaDoCliente; }
    double valorTabelaDescrita(const QString& f) override
    {
        faixaPedida = f;
        return tabelaDescrita;
    }
    double precoFaixaCliente() override { return precoFaixa; }
    double valorMaximoFaixa(double) override { return maximo; }
    std::optional<LinhaTabelaPreco> linhaCliente() override { return cliente; }
    std::optional<LinhaTabelaPreco> linhaGrupo() override { return grupo; }
    std::optional<LinhaClienteProduto> linhaClienteProduto() override { return clienteProduto; }
    double descontoRamo(bool servico) override { return servico ? ramoServico : ramoProduto; }
    void pesquisarValorPorQuantidade() override { ++pesquisas; }
    std::pair<double, double> somaColecao(const QString& c) override
    {
        colecaoPedida = c;
        return colecao;
    }
};

struct Caso {
    const char* nome;
    std::function<void(pedidoass::EntradaPreco&, FontesDeTeste&)> preparar;
    double valor, desconto;
    std::optional<double> original;   // nullopt: not written
    QString promocao;
};

pedidoass::EntradaPreco entradaBase()
{
    pedidoass::EntradaPreco e;
    e.codigo = "P1";
    e.pcoVenda = 100.567;
    e.pcoVdaAnterior = 90.129;
    e.pcoCusto = 50.555;
    e.descontoProduto = 5;
    e.valor = 33;   // what the line had
    return e;
}

const LinhaTabelaPreco kSoValor{0, 65, 20};
const LinhaTabelaPreco kComDesconto{4, 45, 0};

const Caso kCasos[] = {
    // Step 1 and 2.
    {"Padrao", [](auto&, auto& f) { f.calculado = 3; }, 100.56, 3, std::nullopt, ""},
    {"BaixaT", [](auto& e, auto&) { e.baixa = "T"; }, 90.12, 0, std::nullopt, ""},
    {"CustoOperacao6", [](auto& e, auto&) { e.tipoOperacao = "6"; e.precoCustoOperacao = "S"; }, 50.55, 0,
     std::nullopt, ""},
    {"Promocao", [](auto&, auto& f) { f.emPromocao = true; f.promocional = 80; }, 80, 0, std::nullopt, "S"},
    {"PromocaoZeroMantem", [](auto&, auto& f) { f.emPromocao = true; }, 33, 0, std::nullopt, ""},
    {"ArredondamentoU", [](auto& e, auto&) { e.arredondamento = "U"; }, 100.567, 0, std::nullopt, ""},
    // Step 3.
    {"ModoP", [](auto& e, auto&) { e.modoPreco = "P"; }, 100.56, 5, std::nullopt, ""},
    {"ModoUPrazo", [](auto& e, auto& f) { e.modoPreco = "U"; f.aPrazo = true; }, 90.12, 0, std::nullopt, ""},
    {"ModoUAVista", [](auto& e, auto&) { e.modoPreco = "U"; }, 100.56, 0, std::nullopt, ""},
    {"ModoC", [](auto& e, auto& f) { e.modoPreco = "C"; f.tabelaCliente = kSoValor; }, 65, 0, 100.56, ""},
    {"ModoCZerada", [](auto& e, auto& f) { e.modoPreco = "C"; f.tabelaCliente = LinhaTabelaPreco{}; }, 0, 0, 100.56,
     ""},
    {"ModoCSemLinha", [](auto& e, auto&) { e.modoPreco = "C"; }, 100.56, 0, std::nullopt, ""},
    {"ModoPImpedeTabela", [](auto& e, auto& f) { e.modoPreco = "P"; e.tabelaPreco = "S"; f.cliente = kSoValor; },
     100.56, 5, std::nullopt, ""},
    {"ModoPDeixaGrupo", [](auto& e, auto& f) { e.modoPreco = "P"; e.tabelaPreco = "G"; f.grupo = kSoValor; }, 65, 0,
     100.56, ""},
    // Step 4.
    {"TabelaF", [](auto& e, auto& f) { e.tabelaPreco = "F"; e.descontoPrazo = "A"; f.faixa = {7, 0, 0}; f.descontoPrazo = 2; },
     100.56, 9, std::nullopt, ""},
    {"TabelaFSemPrazo", [](auto& e, auto& f) { e.tabelaPreco = "F"; f.faixa = {7, 0, 0}; f.descontoPrazo = 2; },
     100.56, 7, std::nullopt, ""},
    {"TabelaP", [](auto& e, auto& f) { e.tabelaPreco = "P"; f.faixa = {0, 61, 0}; }, 61, 0, 100.56, ""},
    {"TabelaPZeroVendaInteira", [](auto& e, auto&) { e.tabelaPreco = "P"; }, 100.567, 0, 100.56, ""},
    {"Tabela0", [](auto& e, auto& f) { e.tabelaPreco = "0"; f.tabelaDoCliente = 60; }, 60, 0, 100.56, ""},
    {"Tabela0Zero", [](auto& e, auto&) { e.tabelaPreco = "0"; }, 100.567, 0, 100.56, ""},
    {"TabelaT", [](auto& e, auto& f) { e.tabelaPreco = "T"; f.tabelaDescrita = 55; }, 55, 0, 100.56, ""},
    {"TabelaTZero", [](auto& e, auto&) { e.tabelaPreco = "T"; }, 100.567, 0, 100.56, ""},
    {"TabelaI", [](auto& e, auto& f) { e.tabelaPreco = "I"; f.calculado = 3; f.precoFaixa = 77; }, 77, 0, 100.56, ""},
    {"TabelaIPromocao",
     [](auto& e, auto& f) { e.tabelaPreco = "I"; f.emPromocao = true; f.promocional = 80; f.precoFaixa = 77; }, 80, 0,
     std::nullopt, "S"},
    {"TabelaM", [](auto& e, auto& f) { e.tabelaPreco = "M"; f.maximo = 120; }, 120, 0, 120, ""},
    {"TabelaS", [](auto& e, auto& f) { e.tabelaPreco = "S"; f.cliente = kSoValor; }, 65, 0, 100.56, "C"},
    {"TabelaSComDesconto", [](auto& e, auto& f) { e.tabelaPreco = "S"; f.cliente = kComDesconto; }, 100.56, 4, 100.56,
     "C"},
    {"TabelaSZerada", [](auto& e, auto& f) { e.tabelaPreco = "S"; f.cliente = LinhaTabelaPreco{}; }, 0, 0, 100.56, "C"},
    {"TabelaE", [](auto& e, auto& f) { e.tabelaPreco = "E"; f.cliente = kSoValor; }, 65, 0, 100.56, ""},
    {"TabelaEPromocao",
     [](auto& e, auto& f) { e.tabelaPreco = "E"; f.cliente = kSoValor; f.emPromocao = true; f.promocional = 80; }, 80,
     0, std::nullopt, "S"},
    {"TabelaA", [](auto& e, auto& f) { e.tabelaPreco = "A"; f.cliente = kSoValor; }, 50.555 * 1.2, 0, 100.56, ""},
    {"TabelaASemLinha", [](auto& e, auto&) { e.tabelaPreco = "A"; }, 100.56, 0, std::nullopt, ""},
    // Step 5.
    {"GrupoValor", [](auto& e, auto& f) { e.tabelaPreco = "G"; f.grupo = kSoValor; }, 65, 0, 100.56, ""},
    {"GrupoDesconto", [](auto& e, auto& f) { e.tabelaPreco = "G"; f.grupo = kComDesconto; }, 100.56, 4, 100.56, ""},
    {"GrupoZerado", [](auto& e, auto& f) { e.tabelaPreco = "G"; f.grupo = LinhaTabelaPreco{}; }, 0, 0, 100.56, ""},
    {"ClienteV", [](auto& e, auto& f) { e.tabelaPreco = "V"; f.clienteProduto = LinhaClienteProduto{2, 44}; }, 44, 0,
     100.56, ""},
    {"ClienteVSemValor", [](auto& e, auto& f) { e.tabelaPreco = "V"; f.clienteProduto = LinhaClienteProduto{2, 0}; },
     100.56, 0, 100.56, ""},
    {"ClienteD", [](auto& e, auto& f) { e.tabelaPreco = "D"; f.clienteProduto = LinhaClienteProduto{2, 44}; }, 100.56,
     2, std::nullopt, ""},
    {"TabelaC", [](auto& e, auto& f) { e.tabelaPreco = "C"; f.cliente = kSoValor; }, 65, 0, 100.56, ""},
    {"TabelaCZerada", [](auto& e, auto& f) { e.tabelaPreco = "C"; f.cliente = LinhaTabelaPreco{}; }, 0, 0, 100.56, ""},
    {"RamoProduto", [](auto& e, auto& f) { e.tabelaPreco = "R"; f.ramoProduto = 6; f.ramoServico = 8; }, 100.56, 6,
     std::nullopt, ""},
    {"RamoServico", [](auto& e, auto& f) { e.tabelaPreco = "R"; e.origem = "7"; f.ramoProduto = 6; f.ramoServico = 8; },
     100.56, 8, std::nullopt, ""},
    // Step 6.
    {"Colecao", [](auto& e, auto& f) { e.codigo = "col123"; f.colecao = {200.129, 150.5}; }, 200.12, 0, std::nullopt,
     ""},
    {"ColecaoBaixaT", [](auto& e, auto& f) { e.codigo = "COL123"; e.baixa = "T"; f.colecao = {200.129, 150.559}; },
     150.55, 0, std::nullopt, ""},
    {"SeteLetrasNaoEColecao", [](auto& e, auto& f) { e.codigo = "COL1234"; f.colecao = {200, 150}; }, 100.56, 0,
     std::nullopt, ""},
};

class CascataTest : public ::testing::TestWithParam<Caso> {};

TEST_P(CascataTest, EachRuleTakesItsSource)
{
    const Caso& caso = GetParam();
    pedidoass::EntradaPreco entrada = entradaBase();
    FontesDeTeste fontes;
    caso.preparar(entrada, fontes);
    const pedidoass::ResultadoPreco r = pedidoass::cascataPreco(entrada, fontes);
    EXPECT_NEAR(r.valor, caso.valor, 1e-9);
    EXPECT_NEAR(r.desconto, caso.desconto, 1e-9);
    EXPECT_TRUE(r.descontoDefinido) << "the calculated discount is always written";
    EXPECT_EQ(r.originalDefinido, caso.original.has_value());
    if (caso.original) {
        EXPECT_NEAR(r.original, *caso.original, 1e-9);
    }
    EXPECT_EQ(r.promocao, caso.promocao);
}

INSTANTIATE_TEST_SUITE_P(Regras, CascataTest, ::testing::ValuesIn(kCasos),
                         [](const ::testing::TestParamInfo<Caso>& info) { return std::string(info.param.nome); });

TEST(CascataDetalhesTest, SideEffectsOfTheRules)
{
    // Rule "M" writes the line total; "O" and "H" ask the quantity-price search;
    // "C" of the first rule checks the payment term after its row.
    pedidoass::EntradaPreco e = entradaBase();
    FontesDeTeste f;
    e.tabelaPreco = "M";
    f.maximo = 120;
    pedidoass::ResultadoPreco r = pedidoass::cascataPreco(e, f);
    EXPECT_TRUE(r.totalDefinido);
    EXPECT_DOUBLE_EQ(r.total, 120);

    for (const char* t : {"O", "H"}) {
        FontesDeTeste pesquisa;
        e.tabelaPreco = t;
        r = pedidoass::cascataPreco(e, pesquisa);
        EXPECT_EQ(pesquisa.pesquisas, 1) << t;
        EXPECT_FALSE(r.totalDefinido) << t;
    }

    FontesDeTeste tabela;
    e.tabelaPreco = "";
    e.modoPreco = "C";
    tabela.tabelaCliente = kComDesconto;
    pedidoass::cascataPreco(e, tabela);
    EXPECT_EQ(tabela.verificacoesDesconto, 1);

    FontesDeTeste colecao;
    e.modoPreco = "";
    e.codigo = "COL9X1";
    pedidoass::cascataPreco(e, colecao);
    EXPECT_EQ(colecao.colecaoPedida, "9X1");

    FontesDeTeste faixa;
    e.codigo = "P1";
    e.tabelaPreco = "T";
    pedidoass::cascataPreco(e, faixa);
    EXPECT_EQ(faixa.faixaPedida, "B1") << "the table is found by the customer's band as its description";
}

TEST(CascataDetalhesTest, DerivedValues)
{
    EXPECT_DOUBLE_EQ(pedidoass::valorComDesconto(100, 0), 100);
    EXPECT_DOUBLE_EQ(pedidoass::valorComDesconto(100, 10), 90);
    EXPECT_DOUBLE_EQ(pedidoass::valorComIPI(100, 0), 100);
    EXPECT_DOUBLE_EQ(pedidoass::valorComIPI(100, -5), 100);
    EXPECT_NEAR(pedidoass::valorComIPI(100, 10), 110, 1e-9);
}

}  // namespace
}  // namespace tectest
