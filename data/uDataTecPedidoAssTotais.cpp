// The totals of the current assistance order from its requested lines:
// values and taxes, the freight split, profitability and weights.
//
// Each line's IPI is cut to the cent before it is summed: the engine's cast
// to a wide numeric is a double in dialect 1 and cuts nothing, so the line's
// IPI in cents (freed of binary noise at four decimals) is truncated.
//
// The sums are read as currency, four decimals, and combined in that fixed
// point (integers of 1/10000) before the two-decimal cut, so binary
// fractions never decide a cent. The three statements take the order and
// the financial-cost table as parameters: re-totalling an order prepares
// nothing after the first run.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"

#include "host/Udatamod.h"
#include "host/db/Database.h"

#include <cmath>

using host::data::Field;

namespace {

// An amount in four-decimal fixed point.
using Moeda4 = qint64;

Moeda4 moeda4(double valor)
{
    return std::llround(valor * 10000.0);
}

double real(Moeda4 valor)
{
    return double(valor) / 10000.0;
}

QString somasSql(bool semCancelados, bool semColecaoFechada)
{
    QString sql =
        "select sum(Total_unit) as Total, sum(quantidade * veitCMV) as TotCMV,"
        " sum(VEITVALORICMS) as TotICMSPorItem, sum(VEITVALORIPI) as TotIPIPorItem,"
        " sum(veitValorSubst) as veitValorSubst, sum(veitBaseSubst) as veitBaseSubst,"
        " sum(veitBaseICMS) as veitBaseICMS, sum(VEITBASEIPI) as VEITBASEIPI,"
        " sum(Total_unit * (icms/100)) as TotalICMS,"
        " sum(trunc(round(Total_unit * ipi, 4)) / 100) as TotalIPI,"
        " sum(VEITVALORRENTABILIDADE) as VEITVALORRENTABILIDADE,"
        " sum(VEITVALORICMSRENTABILIDADE) as VEITVALORICMSRENTABILIDADE,"
        " sum(Total_unit * Coalesce((VEITCOMISSAO/100), 0)) as VEITCOMISSAO,"
        " sum(VEITPIS) as VEITPIS, sum(VEITIR) as VEITIR, sum(VEITINSS) as VEITINSS,"
        " sum(VEITCSLL) as VEITCSLL, sum(VEITCOFINS) as VEITCOFINS,"
        " sum(VEITPISSUB + VEITIRSUB + VEITINSSSUB + VEITCSLLSUB + VEITCOFINSSUB) as VEITIMPOSTOSUB"
        " from avec85it where numero_pedido = :PEDIDO";
    if (semCancelados)
        sql += " and ((VEITENTREGA <> 'C') or (VEITENTREGA Is Null))";
    if (semColecaoFechada)
        sql += " and ((OBS<> 'COLECAO FECHADA') or (OBS Is Null))";
    return sql;
}

QString pesosSql(bool semCancelados)
{
    QString sql =
        "select sum(Prod.peso_mercadoria * It.quantidade) as PL, sum(Prod.peso_bruto * It.quantidade) as PB,"
        " sum(It.quantidade) as Qtde from avec85it It"
        " left outer join Acec1101 Prod on (Prod.codigo = It.codigo)"
        " where It.numero_pedido = :PEDIDO";
    if (semCancelados)
        sql += " and ((It.VEITENTREGA <> 'C') or (It.VEITENTREGA Is Null))";
    return sql;
}

// The first row of a kept statement, each column as currency.
struct Somas {
    host::db::Statement& comando;
    Moeda4 operator[](const char* coluna) const { return moeda4(comando.value(QString::fromLatin1(coluna)).toDouble()); }
};

}  // namespace

void PedidoAssVendaAtualizarTotalizador()
{
    TdmTec& tec = *dmTec;
    auto campo = [&tec](const char* nome) -> Field& { return tec.campoPedido(nome); };
    const QString numero = campo("NUMERO_PEDIDO").asString();
    if (numero.isEmpty())
        return;

    // Freight charged to the customer (F) or borne by the company (U).
    const bool cobrado = dmGlobal->RetornaFreteCobrar(campo("OPERACAO").asString(), campo("FRETE").asString());
    const Moeda4 frete = moeda4(campo("AUX1").asFloat());
    const Moeda4 F = cobrado ? frete : 0;
    const Moeda4 U = cobrado ? 0 : frete;

    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const bool semCancelados = parametro("ATMODOTOTALITEM") == "C";
    auto comando = tr.prepared(somasSql(semCancelados, parametro("ATTOTALSEMCOLECAOFECHADA") == "Z"));
    comando->setParam("PEDIDO", numero);
    comando->execute();
    comando->fetch();
    const Somas soma{*comando};

    host::data::Query& pedido = *tec.quAssVenda;
    if (!pedido.editing())
        pedido.edit();

    const Moeda4 desconto = moeda4(campo("DESCONTO_GERAL").asFloat());
    const Moeda4 despesa = moeda4(campo("VEVALORDESPESA").asFloat());
    const Moeda4 total = soma["Total"];
    const Moeda4 totalIPI = soma["TotalIPI"];
    campo("VALOR_TOTAL").setAsFloat(Trunc2Casas(real(total - desconto + F + totalIPI)) + real(despesa) +
                                    campo("VEVALORSUPRIMENTOS").asFloat());
    campo("VALOR_ICMS").setAsFloat(Trunc2Casas(real(soma["TotalICMS"])));
    campo("VALOR_IPI").setAsFloat(Trunc2Casas(real(totalIPI)));
    campo("VEVALORTOTALCMV").setAsFloat(Trunc2Casas(real(soma["TotCMV"] - desconto + U + totalIPI)));
    campo("VEVALORRENTABILIDADE").setAsFloat(Corta2Casas(real(soma["VEITVALORRENTABILIDADE"])));

    if (parametro("ATIMPOSTOPORITEM") == "S") {
        campo("VALOR_IPI").setAsFloat(real(soma["TotIPIPorItem"]));
        campo("VALOR_ICMS").setAsFloat(real(soma["TotICMSPorItem"]));
        const std::pair<const char*, const char*> impostos[] = {
            {"VEVALORSUBST", "veitValorSubst"}, {"VEBASESUBST", "veitBaseSubst"}, {"VEBASEICMS", "veitBaseICMS"},
            {"VEBASEIPI", "VEITBASEIPI"}, {"VEPIS", "VEITPIS"}, {"VEIR", "VEITIR"}, {"VEINSS", "VEITINSS"},
            {"VECSLL", "VEITCSLL"}, {"VECOFINS", "VEITCOFINS"}};
        for (const auto& [cabecalho, linhas] : impostos)
            campo(cabecalho).setAsFloat(real(soma[linhas]));
        const Moeda4 retidos = parametro("ATDEDUZIMPOSTORETIDO") == "I" ? soma["VEITIMPOSTOSUB"] : 0;
        campo("VALOR_TOTAL").setAsFloat(Trunc2Casas(real(total - retidos - desconto + F + soma["veitValorSubst"] +
                                                         despesa + soma["TotIPIPorItem"])));
    }

    const QString modoProduto = parametro("ATMODOPRODUTOITEM");
    if (modoProduto == "I" || modoProduto.isEmpty()) {
        const double valorTotal = campo("VALOR_TOTAL").asFloat();
        const double p = valorTotal > 0 ? 100.0 / valorTotal : 0.0;
        auto comPercentual = [&](const char* valor, const char* percentual, double quantia) {
            campo(valor).setAsFloat(quantia);
            campo(percentual).setAsFloat(quantia * p);
        };
        double imposto = real(soma["VEITVALORICMSRENTABILIDADE"]);
        for (const char* coluna : {"VALOR_IPI", "VEPIS", "VEIR", "VEINSS", "VECSLL", "VECOFINS", "VEVALORSUBST"})
            imposto += campo(coluna).asFloat();
        comPercentual("VEVALORIMPOSTO", "VEVALORIMPOSTOPERC", imposto);
        const double comissao = real(soma["VEITCOMISSAO"]);
        comPercentual("VEVALORTOTALCOMISSAO", "VEVALORTOTALCOMISSAOPERC", comissao);
        double rentabilidade = campo("VEVALORRENTABILIDADE").asFloat() - comissao;
        const double liquido = valorTotal - imposto - real(F);
        campo("VEVALORTOTALLIQUIDO").setAsFloat(liquido);
        const double cmv = real(soma["TotCMV"]);
        comPercentual("VEVALORTOTALCMV", "VEVALORTOTALCMVPERC", cmv);
        comPercentual("VEVALORCONTRIBUICAO", "VEVALORCONTRIBUICAOPERC", liquido - cmv);

        const double custoFinanceiroPerc =
            host::db::selectValue(tr, "select tvCustoFinanceiro from Afvt0101 where Codigo = :CODIGO",
                                  {{"CODIGO", campo("TABELA_VENCIMENTO").asString()}})
                .toDouble();
        campo("VEVALORCUSTOFINANCEIROPERC").setAsFloat(custoFinanceiroPerc);
        if (custoFinanceiroPerc != 0) {
            const double custoFinanceiro = custoFinanceiroPerc / 100.0 * valorTotal;
            comPercentual("VEVALORCUSTOFINANCEIRO", "VEVALORCUSTOFINANCEIROPERC", custoFinanceiro);
            rentabilidade -= custoFinanceiro;
        }
        campo("VEVALORFRETEPERC").setAsFloat(real(U) * p);
        rentabilidade -= real(U);
        const double custoFixoPerc = dmGlobal->ParametroNumero("ATPERCCUSTOFIXO");
        if (custoFixoPerc > 0) {
            const double custoFixo = custoFixoPerc / 100.0 * valorTotal;
            comPercentual("VEVALORCUSTOFIXO", "VEVALORCUSTOFIXOPERC", custoFixo);
            rentabilidade -= custoFixo;
        }
        rentabilidade = Corta2Casas(rentabilidade);
        campo("VEVALORRENTABILIDADE").setAsFloat(rentabilidade);
        campo("VEVALORRENTABILIDADEPERC").setAsFloat(Corta2Casas(rentabilidade * p));
    }
    comando->closeCursor();

    auto pesos = tr.prepared(pesosSql(semCancelados));
    pesos->setParam("PEDIDO", numero);
    pesos->execute();
    pesos->fetch();
    const Somas peso{*pesos};
    const bool porQuantidade = parametro("ATPESOPELAQUANTIDADE") == "S" || parametro("ATPESOPELAQUANTIDADE") == "Q";
    campo("VEPESOLIQUIDO").setAsFloat(real(porQuantidade ? peso["Qtde"] : peso["PL"]));
    campo("VEPESOBRUTO").setAsFloat(real(porQuantidade ? peso["Qtde"] : peso["PB"]));
    pesos->closeCursor();
}
