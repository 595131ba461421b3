// The price cascade of a requested line (see uDataTecPedidoAssPreco.h) and
// its sources over the host tables.

#include "data/uDataTecPedidoAssPreco.h"

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"

#include "host/Udatamod.h"
#include "host/UdmglobalPrecos.h"
#include "host/Uglobal.h"

namespace pedidoass {

namespace {

// Base price, step 1.
void precoBaseCascata(const EntradaPreco& e, FontesPreco& fontes, ResultadoPreco& r)
{
    if (e.baixa == "T")
        r.valor = Trunc2Casas(e.pcoVdaAnterior);
    else if (e.tipoOperacao == "6" && e.precoCustoOperacao == "S")
        r.valor = Trunc2Casas(e.pcoCusto);
    else if (fontes.produtoEmPromocao()) {
        const double promocional = fontes.valorPromocao();
        if (promocional > 0) {
            r.valor = promocional;
            r.promocao = "S";
        }
    } else if (e.arredondamento == "U")
        r.valor = e.pcoVenda;
    else
        r.valor = Trunc2Casas(e.pcoVenda);
}

void definirDesconto(ResultadoPreco& r, double desconto)
{
    r.desconto = desconto;
    r.descontoDefinido = true;
}

void guardarOriginal(ResultadoPreco& r)
{
    r.original = r.valor;
    r.originalDefinido = true;
}

// A price row: its discount when above 0 is taken, otherwise its value.
void aplicarLinhaTabela(ResultadoPreco& r, const LinhaTabelaPreco& linha)
{
    definirDesconto(r, linha.desconto);
    guardarOriginal(r);
    if (!(r.desconto > 0))
        r.valor = linha.valor;
}

// A table value replaces the price; without one the untruncated sale price.
void aplicarValorTabela(const EntradaPreco& e, ResultadoPreco& r, double valor)
{
    guardarOriginal(r);
    r.valor = valor > 0 ? valor : e.pcoVenda;
}

bool regraModoPreco(const EntradaPreco& e, FontesPreco& fontes, ResultadoPreco& r)
{
    if (e.modoPreco == "P") {
        definirDesconto(r, e.descontoProduto);
    } else if (e.modoPreco == "U") {
        r.valor = fontes.vendaPrazo() ? Trunc2Casas(e.pcoVdaAnterior) : Trunc2Casas(e.pcoVenda);
    } else if (e.modoPreco == "C") {
        if (const auto linha = fontes.linhaTabelaCliente()) {
            aplicarLinhaTabela(r, *linha);
            fontes.verificarDescontoTabelaVencimento();
        }
    } else {
        return false;
    }
    return true;
}

void regraTabelaPreco(const EntradaPreco& e, FontesPreco& fontes, ResultadoPreco& r)
{
    const QString& t = e.tabelaPreco;
    if (t == "F") {
        double desconto = fontes.linhaFaixa(fontes.faixaCliente()).desconto;
        if (e.descontoPrazo == "A" || e.descontoPrazo == "E")
            desconto += fontes.descontoTabelaVencimento();
        definirDesconto(r, desconto);
    } else if (t == "P") {
        aplicarValorTabela(e, r, fontes.linhaFaixa(fontes.faixaCliente()).valor);
    } else if (t == "0") {
        aplicarValorTabela(e, r, fontes.valorTabelaDoCliente());
    } else if (t == "T") {
        aplicarValorTabela(e, r, fontes.valorTabelaDescrita(fontes.faixaCliente()));
    } else if (t == "I") {
        if (r.promocao != "S") {
            definirDesconto(r, 0);
            guardarOriginal(r);
            r.valor = fontes.precoFaixaCliente();
        }
    } else if (t == "M") {
        r.valor = fontes.valorMaximoFaixa(r.valor);
        guardarOriginal(r);
        r.total = r.valor;
        r.totalDefinido = true;
    } else if (t == "S" || (t == "E" && r.promocao != "S")) {
        if (const auto linha = fontes.linhaCliente()) {
            aplicarLinhaTabela(r, *linha);
            if (t == "S")
                r.promocao = "C";
        }
    } else if (t == "A") {
        if (const auto linha = fontes.linhaCliente()) {
            guardarOriginal(r);
            r.valor = e.pcoCusto * (linha->acrescimo / 100 + 1);
        }
    }
}

void regraIndependente(const EntradaPreco& e, FontesPreco& fontes, ResultadoPreco& r)
{
    const QString& t = e.tabelaPreco;
    if (t == "G") {
        if (const auto linha = fontes.linhaGrupo()) {
            definirDesconto(r, linha->desconto);
            guardarOriginal(r);
            if (r.desconto == 0)
                r.valor = linha->valor;
        }
    } else if (t == "V" || t == "D") {
        if (const auto linha = fontes.linhaClienteProduto()) {
            if (t == "D") {
                definirDesconto(r, linha->desconto);
            } else {
                guardarOriginal(r);
                if (linha->valor > 0)
                    r.valor = linha->valor;
            }
        }
    } else if (t == "C") {
        if (const auto linha = fontes.linhaCliente())
            aplicarLinhaTabela(r, *linha);
    } else if (t == "R") {
        definirDesconto(r, fontes.descontoRamo(e.origem == "7"));
    } else if (t == "O" || t == "H") {
        fontes.pesquisarValorPorQuantidade();
    }
}

void regraColecao(const EntradaPreco& e, FontesPreco& fontes, ResultadoPreco& r)
{
    if (e.codigo.length() != 6 || e.codigo.left(3).toUpper() != "COL")
        return;
    const auto [venda, anterior] = fontes.somaColecao(e.codigo.mid(3, 3));
    r.valor = e.baixa == "T" ? Trunc2Casas(anterior) : Trunc2Casas(venda);
}

}  // namespace

ResultadoPreco cascataPreco(const EntradaPreco& entrada, FontesPreco& fontes)
{
    ResultadoPreco r;
    r.valor = entrada.valor;
    r.desconto = entrada.desconto;
    r.promocao = entrada.promocao;
    precoBaseCascata(entrada, fontes, r);
    definirDesconto(r, fontes.descontoCalculado());
    if (!regraModoPreco(entrada, fontes, r))
        regraTabelaPreco(entrada, fontes, r);
    regraIndependente(entrada, fontes, r);
    regraColecao(entrada, fontes, r);
    return r;
}

double valorComDesconto(double valor, double desconto)
{
    return desconto != 0 ? valor * (1 - desconto / 100) : valor;
}

double valorComIPI(double valor, double ipi)
{
    return ipi > 0 ? valor * (1 + ipi / 100) : valor;
}

// ---- the sources over the host tables -------------------------------------

namespace {

class FontesPrecoHost : public FontesPreco {
public:
    FontesPrecoHost(TdmTec& tec, const QString& codigo) : tec_(tec), codigo_(codigo)
    {
        cliente_ = tec.campoPedido("CODIGO_CLIENTE").asString();
        tabelaVencimento_ = tec.campoPedido("TABELA_VENCIMENTO").asString();
        const host::data::Field* tabela = tec.quAssVenda->findField("PXCODIGO");
        tabelaPreco_ = tabela ? tabela->asString() : QString();
    }

    bool produtoEmPromocao() override
    {
        return ProdutoEmPromocao(produto("PRPRECOPROMOCIONAL")->asFloat(), produto("PRDATAPROMOCAO")->asDateTime(),
                                 produto("PRINICIOPROMOCAO")->asDateTime());
    }
    double valorPromocao() override
    {
        return RetornaValorProdutoEmPromocao(codigo_, produto("PRQUANTIDADEPROMOCAO")->asFloat(),
                                             produto("PRPRECOPROMOCIONAL")->asFloat(),
                                             produto("PRINICIOPROMOCAO")->asDateTime());
    }
    double descontoCalculado() override
    {
        PVVerificaItemTabelaVencimento(tabelaVencimento_);
        return DescontoCalculado(cliente_, tec_.campoPedido("OPERACAO").asString(), tabelaVencimento_,
                                 produto("GRUPO")->asString(), produto("DESCONTO")->asFloat(), codigo_);
    }
    bool vendaPrazo() override { return tec_.VendaPrazoTabela(tabelaVencimento_); }
    void verificarDescontoTabelaVencimento() override { PVVerificaItemTabelaVencimentoDesconto(tabelaVencimento_); }
    std::optional<LinhaTabelaPreco> linhaTabelaCliente() override
    {
        return linha("Where prCodigo = " + QuotedStr(codigo_.toUpper()) + " and pxCodigo = " +
                     QuotedStr(tabelaPreco_) + " and clCodigo = " + QuotedStr(cliente_));
    }
    QString faixaCliente() override
    {
        return CarregaDado("clFaixaVenda", "Augc0301", "Where Codigo_Cliente = " + QuotedStr(cliente_));
    }
    LinhaTabelaPreco linhaFaixa(const QString& faixa) override
    {
        return linha("Where pdFaixaVenda = " + QuotedStr(faixa) + " and  prCodigo = " + QuotedStr(codigo_))
            .value_or(LinhaTabelaPreco{});
    }
    double descontoTabelaVencimento() override
    {
        return CarregaNumero("DESCONTO", "AFVT0101", "WHERE CODIGO = " + QuotedStr(tabelaVencimento_));
    }
    double valorTabelaDoCliente() override
    {
        const QString tabela = CarregaDado("pxCodigo", "Augc0301", "Where Codigo_Cliente = " + QuotedStr(cliente_));
        return CarregaNumero("PDVALOR", "Acec11pd",
                             "Where pxCodigo = " + QuotedStr(tabela) + " and  prCodigo = " + QuotedStr(codigo_));
    }
    double valorTabelaDescrita(const QString& faixa) override
    {
        return CarregaNumero("pd.PDVALOR", "Acec11pd pd Left Outer Join ACEC11PX px On (pd.pxCodigo=px.pxCodigo)",
                             "Where px.pxdescricao = " + QuotedStr(faixa) + " and  pd.prCodigo = " +
                                 QuotedStr(codigo_) + " and  px.tvCodigo = " + QuotedStr(tabelaVencimento_));
    }
    double precoFaixaCliente() override { return RetornarPrecoFaixaClienteDesconto(cliente_, codigo_); }
    double valorMaximoFaixa(double valorAtual) override
    {
        return PVValorMaximoFaixaCliente(cliente_, codigo_, produto("PRCMVMOEDA")->asFloat(), valorAtual,
                                         tec_.campoItem("MOCODIGO").asString(),
                                         tec_.campoPedido("DATA_EMISSAO").asDateTime());
    }
    std::optional<LinhaTabelaPreco> linhaCliente() override
    {
        return linha("Where prCodigo = " + QuotedStr(codigo_.toUpper()) + " and clCodigo = " + QuotedStr(cliente_));
    }
    std::optional<LinhaTabelaPreco> linhaGrupo() override
    {
        return linha("Where prCodigo = " + QuotedStr(produto("GRUPO")->asString().toUpper()) +
                     " and pdID = 'G' and clCodigo = " + QuotedStr(cliente_));
    }
    std::optional<LinhaClienteProduto> linhaClienteProduto() override
    {
        std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
        consulta->setSql("select first 1 daDesconto, daValor from ACEC11DA Where prCodigo = " +
                         QuotedStr(codigo_.toUpper()) + " and DAIDENTIFICADOR = 'C' and DACODIGOEMITENTE = " +
                         QuotedStr(cliente_));
        consulta->open();
        std::optional<LinhaClienteProduto> achada;
        if (!consulta->isEmpty())
            achada = LinhaClienteProduto{consulta->fieldByName("DADESCONTO")->asFloat(),
                                         consulta->fieldByName("DAVALOR")->asFloat()};
        consulta->close();
        return achada;
    }
    double descontoRamo(bool servico) override
    {
        const QString ramo = CarregaDado("RAMO", "AUGC0301", "Where Codigo_Cliente = " + QuotedStr(cliente_));
        return CarregaNumero(servico ? "RADESCONTOSERV" : "RADESCONTOPROD", "RAMO",
                             "Where  COD_RAMO = " + QuotedStr(ramo));
    }
    void pesquisarValorPorQuantidade() override { PesquisaValorPorQuantidade(false, false, tec_.quAssVendaItem, cliente_); }
    std::pair<double, double> somaColecao(const QString& colecao) override
    {
        host::data::Query& aux = *dmGlobal->quAuxiliar2;
        aux.close();
        aux.setSql("select sum(pco_venda) as cont, sum(pco_vda_anterior) as PcoAnt from acec1101 where "
                   "cod_emb_colecao = " +
                   QuotedStr(colecao));
        aux.open();
        const std::pair<double, double> somas{aux.fieldByName("CONT")->asFloat(), aux.fieldByName("PCOANT")->asFloat()};
        aux.close();
        return somas;
    }

private:
    // A column of the product query the entry pass has open.
    host::data::Field* produto(const char* coluna) const
    {
        return dmGlobal->quAuxiliar->fieldByName(QString::fromLatin1(coluna));
    }
    static std::optional<LinhaTabelaPreco> linha(const QString& condicao)
    {
        std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
        consulta->setSql("select first 1 pdDesconto, pdValor, pdAcrescimo from Acec11pd " + condicao);
        consulta->open();
        std::optional<LinhaTabelaPreco> achada;
        if (!consulta->isEmpty())
            achada = LinhaTabelaPreco{consulta->fieldByName("PDDESCONTO")->asFloat(),
                                      consulta->fieldByName("PDVALOR")->asFloat(),
                                      consulta->fieldByName("PDACRESCIMO")->asFloat()};
        consulta->close();
        return achada;
    }

    TdmTec& tec_;
    QString codigo_, cliente_, tabelaVencimento_, tabelaPreco_;
};

}  // namespace

std::unique_ptr<FontesPreco> fontesPrecoHost(TdmTec& tec, const QString& codigo)
{
    return std::make_unique<FontesPrecoHost>(tec, codigo);
}

}  // namespace pedidoass
