// The taxes of the current parts line, computed by the host's invoice-item
// tax routines just before the line is saved (totals mode "I"). The four
// steps run in a fixed order, each taking what the step before gave; values
// are stored cut to cents, but the next step gets the IPI value as the host
// returned it and the ICMS value as stored.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"

namespace {

const char* const kOrigemImpostos = "[TdmTec.OSCalculaImpostoCorrente]";

}  // namespace

// The line, its product, the order's operation and customer, as the joined
// columns of quOSPecas and quOS hold them.
ImpostoItemEntrada TdmTec::entradaImpostoCorrente() const
{
    ImpostoItemEntrada entrada;
    entrada.produto = quOSPecasPRCODIGO->asString();
    entrada.aliquotaIPILinha = quOSPecasAPIPI->asFloat();
    entrada.aliquotaICMSLinha = quOSPecasAPICMS->asFloat();
    entrada.operacaoLinha = quOSPecasOFCODIGO->asString();
    entrada.operacaoDocumento = quOSOFCODIGO->asString();
    entrada.cliente = quOSCLCODIGO->asString();
    entrada.filial = quOSAOLOCAL->asString();
    entrada.parametroImposto = dmGlobal->Parametro("ATPARAMETROIMPOSTO");
    entrada.dadosInformados = true;
    entrada.icmsOperacao = quOSICMS->asFloat();
    entrada.percentualCalculo = quOSPERC_CALC->asFloat();
    entrada.assumeICMS = quOSASSUME_ICMS_SN->asString();
    entrada.baseCalculoIPI = quOSBASE_CALC_IPI->asString();
    entrada.reducaoICMS = quOSPecasICMS_PARA_REDUCAO->asFloat();
    entrada.tipoProduto = quOSPecasCOM_FAB_S_FS->asString();
    entrada.imune = quOSPecasPRIMUNE->asString();
    entrada.inscricaoCliente = quOSCLIE->asString();
    entrada.estadoCliente = quOSESTADO->asString();
    entrada.totalProdutosDocumento = quOSAOVALORPECAS->asFloat();
    return entrada;
}

void TdmTec::OSCalculaImpostoCorrente()
{
    dmGlobal->Log(kOrigemImpostos, "***INICIO", {});
    const ImpostoItemEntrada entrada = entradaImpostoCorrente();
    const double totalLinha = quOSPecasAPVALTOTAL->asFloat();

    const PercentuaisImposto taxas = dmGlobal->NFCarregaPercentualIPIeICMS(entrada);
    quOSPecasAPICMS->setAsFloat(taxas.icms);
    quOSPecasAPIPI->setAsFloat(taxas.ipi);
    quOSPecasAPSUBST->setAsFloat(taxas.substituicao);
    quOSPecasAPICMSSUBST->setAsFloat(taxas.icmsSubstituicao);

    const ValoresIPI ipi = dmGlobal->NFCarregaBaseValorIPI(taxas.ipi, totalLinha);
    quOSPecasAPVALORIPI->setAsFloat(Trunc2Casas(ipi.valor));
    quOSPecasAPBASEIPI->setAsFloat(Trunc2Casas(ipi.base));

    const ValoresICMS icms = dmGlobal->NFCarregaBaseValorICMS(entrada, taxas, totalLinha, ipi.valor);
    quOSPecasAPBASEICMS->setAsFloat(Trunc2Casas(icms.base));
    quOSPecasAPVALORICMS->setAsFloat(Trunc2Casas(icms.valor));
    quOSPecasAPBASESUBST->setAsFloat(Trunc2Casas(icms.baseSubstituicao));
    quOSPecasAPVALORSUBST->setAsFloat(Trunc2Casas(icms.valorSubstituicao));

    const OutrosImpostos outros =
        dmGlobal->NFCarregaOutrosImpostosItem(entrada, totalLinha, ipi.valor, quOSPecasAPVALORICMS->asFloat());
    quOSPecasAPCOFINS->setAsFloat(outros.cofins);
    quOSPecasAPIR->setAsFloat(outros.ir);
    quOSPecasAPINSS->setAsFloat(outros.inss);
    quOSPecasAPCSLL->setAsFloat(outros.csll);
    quOSPecasAPPIS->setAsFloat(outros.pis);
    quOSPecasAPCOFINSSUB->setAsFloat(outros.cofinsSub);
    quOSPecasAPIRSUB->setAsFloat(outros.irSub);
    quOSPecasAPINSSSUB->setAsFloat(outros.inssSub);
    quOSPecasAPCSLLSUB->setAsFloat(outros.csllSub);
    quOSPecasAPPISSUB->setAsFloat(outros.pisSub);
    dmGlobal->Log(kOrigemImpostos, "***FIM", {});
}
