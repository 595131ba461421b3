#pragma once
// The price cascade of a requested line of an assistance order: which source
// gives the line's unit price and discount when a product is entered. It is
// a plain function of what it is given and of the look-ups it asks its
// sources for, so every rule can be tried without a database; the entry pass
// feeds it from the host (fontesPrecoHost) and writes its result back.

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>

class TdmTec;

namespace pedidoass {

// One price row of ACEC11PD.
struct LinhaTabelaPreco {
    double desconto = 0, valor = 0, acrescimo = 0;
};

// One customer-specific row of ACEC11DA.
struct LinhaClienteProduto {
    double desconto = 0, valor = 0;
};

// Where the cascade's look-ups come from.
class FontesPreco {
public:
    virtual ~FontesPreco() = default;
    virtual bool produtoEmPromocao() = 0;
    virtual double valorPromocao() = 0;
    // The payment-term check, then the calculated line discount.
    virtual double descontoCalculado() = 0;
    virtual bool vendaPrazo() = 0;
    virtual void verificarDescontoTabelaVencimento() = 0;
    // The row of the order's price table for this customer and product.
    virtual std::optional<LinhaTabelaPreco> linhaTabelaCliente() = 0;
    virtual QString faixaCliente() = 0;
    virtual LinhaTabelaPreco linhaFaixa(const QString& faixa) = 0;
    virtual double descontoTabelaVencimento() = 0;
    // The value of the customer's own price table.
    virtual double valorTabelaDoCliente() = 0;
    // The value of the price table described by the band, for the payment term.
    virtual double valorTabelaDescrita(const QString& faixa) = 0;
    virtual double precoFaixaCliente() = 0;
    virtual double valorMaximoFaixa(double valorAtual) = 0;
    // The customer's own row of the product.
    virtual std::optional<LinhaTabelaPreco> linhaCliente() = 0;
    virtual std::optional<LinhaTabelaPreco> linhaGrupo() = 0;
    virtual std::optional<LinhaClienteProduto> linhaClienteProduto() = 0;
    virtual double descontoRamo(bool servico) = 0;
    virtual void pesquisarValorPorQuantidade() = 0;
    // Sale and previous-price sums of a collection.
    virtual std::pair<double, double> somaColecao(const QString& colecao) = 0;
};

// What the cascade reads of the product, the header, the line and the
// parameters.
struct EntradaPreco {
    QString codigo;
    double pcoVenda = 0, pcoVdaAnterior = 0, pcoCusto = 0, descontoProduto = 0;
    QString baixa, tipoOperacao;          // header
    QString origem;                       // line ORIGEM
    double valor = 0, desconto = 0;       // the line's values before
    QString promocao;                     // the line's VEITPROMOCAO before
    QString precoCustoOperacao, arredondamento, modoPreco, tabelaPreco, descontoPrazo;   // parameters
};

// What the cascade decides; the *Definido flags say which fields it wrote.
struct ResultadoPreco {
    double valor = 0, desconto = 0, original = 0, total = 0;
    QString promocao;
    bool descontoDefinido = false, originalDefinido = false, totalDefinido = false;
};

// Steps 1 to 6 of the cascade: base price, discount, the first rule, the
// price-table rule, the independent rule and the collection.
ResultadoPreco cascataPreco(const EntradaPreco& entrada, FontesPreco& fontes);

// The derived values of a line: the price after discount and with IPI.
double valorComDesconto(double valor, double desconto);
double valorComIPI(double valor, double ipi);

// The sources over the host tables, for the current order and line of dmTec.
std::unique_ptr<FontesPreco> fontesPrecoHost(TdmTec& tec, const QString& codigo);

}  // namespace pedidoass
