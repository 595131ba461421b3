// The basic contract's equipment and services copied into the service order
// open in the service-order window.

#include "contracts/uAssBasicoContratos.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"

#include <memory>

namespace uAssBasicoContratos {

namespace {

bool temLinha(const host::data::Dataset& dataset) { return dataset.active() && !dataset.isEmpty(); }

}  // namespace

void CopiarEquipamentoParaOS()
{
    if (!JanelaOrdemServico(true) || !temLinha(*dmTec->quContEquip))
        return;
    // The clicked row itself (by its key), with its model's description.
    std::unique_ptr<host::data::Query> linha = CriarIbQuery("quEquipamentoBasicoOS");
    linha->setSql("select Co.AECODIGO, Co.COSERIE, Co.COPLACA, Co.COCODIGOINTERNO, Co.COENDERECO, Co.COBAIRRO,\n"
                  " Co.COCIDADE, Co.COESTADO, Eqp.AEDESCRICAO\n"
                  "from AUGC03CO Co\n"
                  " left outer join AATC03AE Eqp on (Eqp.AECODIGO = Co.AECODIGO)\n"
                  "where Co.COCODIGO = :COCODIGO and Co.coIdentificador = 'E'");
    linha->paramByName("COCODIGO")->setAsInteger(dmTec->quContEquipCOCODIGO->asInteger());
    linha->open();
    if (linha->isEmpty())
        return;
    auto texto = [&linha](const char* coluna) { return linha->fieldByName(coluna)->asString(); };

    host::data::Query& itens = *dmTec->quOSItem;
    itens.append();
    if (!dmTec->quOS->editing())
        dmTec->quOS->edit();
    dmTec->quOSItemAOITEQUIPCODIGO->setAsInteger(linha->fieldByName("AECODIGO")->asInteger());
    dmTec->quOSItemAOITEQUIPDESCRICAO->setAsString(texto("AEDESCRICAO"));
    dmTec->quOSItemAOITSERIE->setAsString(texto("COSERIE"));
    dmTec->quOSItemAOITCODIGOINTERNO->setAsString(texto("COCODIGOINTERNO"));
    if (ModoVeiculo()) {
        dmTec->quOSItemAOITPLACA->setAsString(texto("COPLACA"));
        dmTec->quOSItemAOITCOMBUSTIVEL->setAsString(texto("COCODIGOINTERNO"));
        dmTec->quOSItemAOITMARCA->setAsString(texto("COENDERECO"));
        dmTec->quOSItemAOITMODELO->setAsString(texto("COBAIRRO"));
        dmTec->quOSItemAOITCOR->setAsString(texto("COCIDADE"));
        dmTec->quOSItemAOITANOFABRICACAO->setAsString(texto("COESTADO"));
    }
    // The item first: the order's save re-reads only its own row.
    itens.post();
    dmTec->quOS->post();
}

void CopiarServicoParaOS()
{
    TfmAssOrdemServico* janela = JanelaOrdemServico(false);
    if (!janela || !temLinha(*dmTec->quContServ))
        return;
    if (janela->pcOrdemServico->activePageIndex() != 0) {
        janela->pcOrdemServico->setActivePage(janela->pcOrdemServico->page(1));
        janela->VerificaOSAtributoAberto();
    }
    std::unique_ptr<host::data::Query> linha = CriarIbQuery("quServicoBasicoOS");
    linha->setSql("select Co.COCIDADE, Co.COENDERECO, Co.COVALOR from AUGC03CO Co\n"
                  "where Co.COCODIGO = :COCODIGO and Co.coIdentificador = 'S'");
    linha->paramByName("COCODIGO")->setAsInteger(dmTec->quContServCOCODIGO->asInteger());
    linha->open();
    if (linha->isEmpty())
        return;
    host::data::Query& servicos = *dmTec->quOSAndamento;
    // The lines are open only while their page is shown.
    if (!servicos.active())
        dmTec->CarregaOSAndamento(dmTec->quOSAOCODIGO->asInteger(), 0);
    servicos.append();
    dmTec->quOSAndamentoPRCODIGO->setAsString(linha->fieldByName("COCIDADE")->asString());
    dmTec->quOSAndamentoDESCRICAO->setAsString(linha->fieldByName("COENDERECO")->asString());
    dmTec->quOSAndamentoAAVALOR->setAsFloat(linha->fieldByName("COVALOR")->asFloat());
    dmTec->quOSAndamentoAAQUANTIDADE->setAsFloat(1);
    servicos.post();
}

}  // namespace uAssBasicoContratos
