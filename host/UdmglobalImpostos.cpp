// TdmGlobal: the taxes of a document line. Plain rates: the stand-in keeps
// no tax-substitution tables, so substitution values are 0.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

PercentuaisImposto TdmGlobal::NFCarregaPercentualIPIeICMS(const ImpostoItemEntrada& entrada)
{
    const QString product = "where CODIGO = " + QuotedStr(entrada.produto.trimmed());
    const QString operationCode = entrada.operacaoLinha.trimmed().isEmpty() ? entrada.operacaoDocumento
                                                                             : entrada.operacaoLinha;
    const QString operation = "where COD_OP = " + QuotedStr(operationCode.trimmed());
    PercentuaisImposto taxas;
    taxas.ipi = entrada.aliquotaIPILinha > 0 ? entrada.aliquotaIPILinha
                                              : CarregaNumero("AIQ_IPI", "ACEC1101", product);
    if (entrada.aliquotaICMSLinha > 0) {
        taxas.icms = entrada.aliquotaICMSLinha;
    } else {
        double icms = CarregaNumero("ICMS", "AFVC0901", operation);
        if (icms <= 0)
            icms = CarregaNumero("PERCENTUAL_ICMS", "ACEC1101", product);
        const double reduction = CarregaNumero("ICMS_PARA_REDUCAO", "ACEC1101", product);
        taxas.icms = reduction > 0 && reduction < 100 ? icms * (1.0 - reduction / 100.0) : icms;
    }
    return taxas;
}

ValoresIPI TdmGlobal::NFCarregaBaseValorIPI(double aliquotaIPI, double totalLinha)
{
    if (aliquotaIPI <= 0)
        return {};
    return {totalLinha * aliquotaIPI / 100.0, totalLinha};
}

ValoresICMS TdmGlobal::NFCarregaBaseValorICMS(const ImpostoItemEntrada& entrada, const PercentuaisImposto& taxas,
                                              double totalLinha, double valorIPI)
{
    if (taxas.icms <= 0)
        return {};
    const QString operationCode = entrada.operacaoLinha.trimmed().isEmpty() ? entrada.operacaoDocumento
                                                                             : entrada.operacaoLinha;
    const bool ipiInBase =
        CarregaDado("BASE_CALC_IPI", "AFVC0901", "where COD_OP = " + QuotedStr(operationCode.trimmed())) == "S";
    ValoresICMS valores;
    valores.base = totalLinha + (ipiInBase ? valorIPI : 0.0);
    valores.valor = valores.base * taxas.icms / 100.0;
    return valores;
}

OutrosImpostos TdmGlobal::NFCarregaOutrosImpostosItem(const ImpostoItemEntrada&, double totalLinha)
{
    auto at = [&](const char* parameter) { return totalLinha * ParametroNumero(parameter) / 100.0; };
    OutrosImpostos impostos;
    impostos.pis = at("ATALIQUOTAPIS");
    impostos.cofins = at("ATALIQUOTACOFINS");
    impostos.csll = at("ATALIQUOTACSLL");
    impostos.ir = at("ATALIQUOTAIR");
    impostos.inss = at("ATALIQUOTAINSS");
    return impostos;
}
