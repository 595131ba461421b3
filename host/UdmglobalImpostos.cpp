// TdmGlobal: the taxes of a document line, a small engine over the product,
// the fiscal operation and the customer (rules in host/tax-engine.md).

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Query.h"

#include <algorithm>

namespace {

QStringList& chamadas()
{
    static QStringList lista;
    return lista;
}

QString numero(double valor)
{
    return QString::number(valor, 'g', 15);
}

void registrar(const QString& rotina, const QStringList& valores)
{
    QStringList& lista = chamadas();
    lista << (rotina + " " + valores.join(' ')).trimmed();
    while (lista.size() > 1000)
        lista.removeFirst();
}

// One row of columns in one statement; no row gives nulls (read as 0 or "").
QVariantList linha(const QString& colunas, const QString& tabela, const QString& condicao)
{
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql("select " + colunas + " from " + tabela + " " + condicao);
    consulta->open();
    QVariantList valores;
    for (int i = 0; i < consulta->fieldCount(); ++i)
        valores << (consulta->isEmpty() ? QVariant() : consulta->field(i)->value());
    return valores;
}

bool percentualParcial(double percentual)
{
    return percentual > 0 && percentual < 100;
}

QString operacaoDaLinha(const ImpostoItemEntrada& entrada)
{
    return (entrada.operacaoLinha.trimmed().isEmpty() ? entrada.operacaoDocumento : entrada.operacaoLinha).trimmed();
}

// The document's operation, product and customer data, from the entry when
// the caller has them, else from their rows; a line operation of its own is
// read from its row.
ImpostoItemEntrada completar(const ImpostoItemEntrada& entrada)
{
    ImpostoItemEntrada dados = entrada;
    const QString operacao = operacaoDaLinha(entrada);
    const bool operacaoPropria = operacao != entrada.operacaoDocumento.trimmed();
    if (!entrada.dadosInformados || operacaoPropria) {
        const QVariantList op = linha("ICMS, PERC_CALC, ASSUME_ICMS_SN, BASE_CALC_IPI", "AFVC0901",
                                      "where COD_OP = " + QuotedStr(operacao));
        dados.icmsOperacao = op.value(0).toDouble();
        dados.percentualCalculo = op.value(1).toDouble();
        dados.assumeICMS = op.value(2).toString().trimmed();
        dados.baseCalculoIPI = op.value(3).toString().trimmed();
    }
    if (!entrada.dadosInformados) {
        const QString produto = "where CODIGO = " + QuotedStr(entrada.produto.trimmed());
        const QVariantList colunas = linha("ICMS_PARA_REDUCAO, COM_FAB_S_FS, PRIMUNE", "ACEC1101", produto);
        dados.reducaoICMS = colunas.value(0).toDouble();
        dados.tipoProduto = colunas.value(1).toString().trimmed();
        dados.imune = colunas.value(2).toString().trimmed();
        if (!entrada.cliente.trimmed().isEmpty())
            dados.inscricaoCliente =
                CarregaDado("CLIE", "AUGC0301", "where CODIGO_CLIENTE = " + QuotedStr(entrada.cliente.trimmed()));
    }
    return dados;
}

bool servico(const ImpostoItemEntrada& dados)
{
    return dados.tipoProduto.trimmed() == "7";
}

// A customer without a state registration buys as a final consumer.
bool consumidorFinal(const ImpostoItemEntrada& dados)
{
    const QString inscricao = dados.inscricaoCliente.trimmed().toUpper();
    return !dados.cliente.trimmed().isEmpty() && (inscricao.isEmpty() || inscricao == "ISENTO");
}

}  // namespace

const QStringList& host::taxCalls()
{
    return chamadas();
}

void host::clearTaxCalls()
{
    chamadas().clear();
}

PercentuaisImposto TdmGlobal::NFCarregaPercentualIPIeICMS(const ImpostoItemEntrada& entrada)
{
    registrar("NFCarregaPercentualIPIeICMS", {"produto=" + entrada.produto.trimmed()});
    const ImpostoItemEntrada dados = completar(entrada);
    PercentuaisImposto taxas;
    if (servico(dados))
        return taxas;   // a service pays the municipal tax, not IPI or ICMS
    const QVariantList produto = linha("AIQ_IPI, PERCENTUAL_ICMS", "ACEC1101",
                                       "where CODIGO = " + QuotedStr(entrada.produto.trimmed()));
    if (dados.imune != "S")
        taxas.ipi = entrada.aliquotaIPILinha > 0 ? entrada.aliquotaIPILinha : produto.value(0).toDouble();
    if (entrada.aliquotaICMSLinha > 0)
        taxas.icms = entrada.aliquotaICMSLinha;
    else if (dados.assumeICMS == "S" || dados.icmsOperacao > 0)
        taxas.icms = dados.icmsOperacao;
    else
        taxas.icms = produto.value(1).toDouble();
    taxas.terceiro = percentualParcial(dados.reducaoICMS) ? dados.reducaoICMS : 0;
    const QVariantList substituicao = linha("OFSUBSTITUICAO, OFMVA, OFICMSINTERNO", "AFVC0901",
                                            "where COD_OP = " + QuotedStr(operacaoDaLinha(entrada)));
    if (substituicao.value(0).toString().trimmed() == "S") {
        taxas.substituicao = substituicao.value(1).toDouble();
        const double interno = substituicao.value(2).toDouble();
        taxas.icmsSubstituicao = interno > 0 ? interno : taxas.icms;
    }
    return taxas;
}

ValoresIPI TdmGlobal::NFCarregaBaseValorIPI(double aliquotaIPI, double totalLinha)
{
    registrar("NFCarregaBaseValorIPI", {"aliquota=" + numero(aliquotaIPI), "total=" + numero(totalLinha)});
    if (aliquotaIPI <= 0)
        return {};
    return {totalLinha * aliquotaIPI / 100.0, totalLinha};
}

ValoresICMS TdmGlobal::NFCarregaBaseValorICMS(const ImpostoItemEntrada& entrada, const PercentuaisImposto& taxas,
                                              double totalLinha, double valorIPI)
{
    registrar("NFCarregaBaseValorICMS", {"total=" + numero(totalLinha), "ipi=" + numero(valorIPI)});
    if (taxas.icms <= 0 && taxas.icmsSubstituicao <= 0)
        return {};
    const ImpostoItemEntrada dados = completar(entrada);
    const double reducao = percentualParcial(taxas.terceiro) ? 1.0 - taxas.terceiro / 100.0 : 1.0;
    ValoresICMS valores;
    if (taxas.icms > 0) {
        double base = percentualParcial(dados.percentualCalculo) ? totalLinha * dados.percentualCalculo / 100.0
                                                                  : totalLinha;
        if (dados.baseCalculoIPI == "S" || consumidorFinal(dados))
            base += valorIPI;
        valores.base = base * reducao;
        valores.valor = valores.base * taxas.icms / 100.0;
    }
    if (taxas.icmsSubstituicao > 0) {
        // The buyer's later sales, estimated by the margin, taxed now; the
        // ICMS of this sale is deducted.
        valores.baseSubstituicao = (totalLinha + valorIPI) * (1.0 + taxas.substituicao / 100.0) * reducao;
        valores.valorSubstituicao =
            std::max(0.0, valores.baseSubstituicao * taxas.icmsSubstituicao / 100.0 - valores.valor);
    }
    return valores;
}

OutrosImpostos TdmGlobal::NFCarregaOutrosImpostosItem(const ImpostoItemEntrada& entrada, double totalLinha,
                                                      double valorIPI, double valorICMS)
{
    registrar("NFCarregaOutrosImpostosItem",
              {"total=" + numero(totalLinha), "ipi=" + numero(valorIPI), "icms=" + numero(valorICMS)});
    const QVariantList produto =
        linha("PRALIQUOTAPIS, PRALIQUOTACOFINS, PRALIQUOTACSLL, PRALIQUOTAIR, PRALIQUOTAINSS", "ACEC1101",
              "where CODIGO = " + QuotedStr(entrada.produto.trimmed()));
    const QVariantList operacao = linha("OFCALCPIS, OFCALCCOFINS, OFCALCCSLL, OFCALCIRRF, OFCALCINSS", "AFVC0901",
                                        "where COD_OP = " + QuotedStr(operacaoDaLinha(entrada)));
    // PIS and COFINS are not charged on the ICMS of the same sale.
    const double baseContribuicoes = std::max(0.0, totalLinha - valorICMS);
    auto imposto = [&](int coluna, const char* parametro, double base, double& proprio, double& retido) {
        double aliquota = produto.value(coluna).toDouble();
        if (aliquota <= 0)
            aliquota = ParametroNumero(QString::fromLatin1(parametro));
        (operacao.value(coluna).toString().trimmed() == "R" ? retido : proprio) = base * aliquota / 100.0;
    };
    OutrosImpostos impostos;
    imposto(0, "ATALIQUOTAPIS", baseContribuicoes, impostos.pis, impostos.pisSub);
    imposto(1, "ATALIQUOTACOFINS", baseContribuicoes, impostos.cofins, impostos.cofinsSub);
    imposto(2, "ATALIQUOTACSLL", totalLinha, impostos.csll, impostos.csllSub);
    imposto(3, "ATALIQUOTAIR", totalLinha, impostos.ir, impostos.irSub);
    imposto(4, "ATALIQUOTAINSS", totalLinha, impostos.inss, impostos.inssSub);
    return impostos;
}
