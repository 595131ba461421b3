// Contract items, customer equipment and the contract's standing charges
// copied into the open service order.

#include "contract_data/uDataTecContOS.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"

using host::data::DetachHandler;

namespace {

// The service-order window through the hook it sets: this module opens and touches no window.
bool ordemServicoAberta(bool primeiraPagina) { return OrdemServicoAberta && OrdemServicoAberta(primeiraPagina); }

double numeroContrato(const char* campo)
{
    return dmTecContrato->quCtrCadastro->fieldByName(campo)->asFloat();
}

QString ordemAtual() { return dmTec->quOSAOCODIGO->asString(); }

// A detail of the order opened on it when the window has not opened it.
void abrirPorOrdem(host::data::Query& detalhe)
{
    if (detalhe.active())
        return;
    detalhe.paramByName("aocodigo")->setAsInteger(dmTec->quOSAOCODIGO->asInteger());
    detalhe.open();
}

void abrirServicos()
{
    if (!dmTec->quOSAndamento->active())
        dmTec->CarregaOSAndamento(dmTec->quOSAOCODIGO->asInteger(), 0);
}

void editarOrdem()
{
    if (!dmTec->quOS->editing())
        dmTec->quOS->edit();
}

bool contratosEmUso()
{
    return dmGlobal->Parametro("ATUTILIZACONTRATOS") == "S" && ordemServicoAberta(false);
}

// The item's row with its coverage, product and contract type, read by its key.
std::unique_ptr<host::data::Query> lerItemContrato(int acitCodigo)
{
    std::unique_ptr<host::data::Query> item = CriarIbQuery("quItemContratoOS");
    item->setSql("select it.*, Cob.AbDescricao as Cobertura, Prod.Descricao, cont.acTipo\n"
                 "from AATC05ACIT it\n"
                 " left outer join Acec1101 Prod on (it.PrCodigo = Prod.Codigo)\n"
                 " left outer join AATC10Ab Cob on (it.ACITCOBERTURA = Cob.AbCodigo)\n"
                 " left outer join AATC05ac Cont on (it.acCodigo = Cont.acCodigo)\n"
                 "where it.ACITCODIGO = :ACITCODIGO");
    item->paramByName("ACITCODIGO")->setAsInteger(acitCodigo);
    item->open();
    return item;
}

void inserirItemPadrao()
{
    host::data::Query& itens = *dmTec->quOSItem;
    itens.append();
    dmTec->quOSItemAOITEQUIPCODIGO->setAsInteger(dmGlobal->ParametroInteiro("ATEQUIPAMENTOPADRAO"));
    dmTec->quOSItemACCODIGO->setAsInteger(dmTecContrato->quCtrCadastroACCODIGO->asInteger());
    itens.post();
}

void inserirServicoDoItem(const host::data::Query& item)
{
    editarOrdem();
    // The contract's own line passes without the order's edit guard.
    DetachHandler semGuarda(dmTec->quOSAndamento->beforeInsert);
    abrirServicos();
    host::data::Query& servicos = *dmTec->quOSAndamento;
    servicos.append();
    const QString produto = item.fieldByName("PRCODIGO")->asString();
    dmTec->quOSAndamentoPRCODIGO->setAsString(produto);
    dmTec->quOSAndamentoAAOBSERVACAO->setAsString(item.fieldByName("ACITOBSERVACAO")->asString());
    const double valor = item.fieldByName("ACITVALOR")->asFloat();
    dmTec->quOSAndamentoAAVALOR->setAsFloat(
        valor > 0 ? valor : CarregaNumero("Pco_venda", "Acec1101", "Where Codigo = " + QuotedStr(produto)));
    dmTec->quOSAndamentoAATIPO->setAsString(item.fieldByName("ACITGarantia")->asString() == "S" ? "1" : "3");
    servicos.post();
}

}  // namespace

void InserirItemContratoOS()
{
    if (!contratosEmUso())
        return;
    ordemServicoAberta(true);
    SalvarAlteracoes(*dmTec->quOS);
    if (ContadorDados("AoCodigo", "Aatc01aoit", ordemAtual()) <= 0)
        inserirItemPadrao();
    InsereCamposContrato();
    // By the item's key: another contract's item of the same customer and
    // product is not this one.
    const std::unique_ptr<host::data::Query> item =
        lerItemContrato(dmTecContrato->quCtrCadastroItACITCODIGO->asInteger());
    if (item->isEmpty())
        return;
    inserirServicoDoItem(*item);
    dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
}

void InserirEquipamentoContratoOS()
{
    if (!contratosEmUso())
        return;
    ordemServicoAberta(true);
    host::data::Query& equipamento = *dmTecContrato->quCtrCadastroEquip;
    if (!equipamento.active() || equipamento.isEmpty())
        return;
    // The row itself, by its key: a contract may hold two units of one model.
    std::unique_ptr<host::data::Query> linha = CriarIbQuery("quEquipamentoContratoOS");
    linha->setSql("select CtrEquip.ACCODIGO, CtrEquip.AECODIGO, CtrEquip.CLCODIGO, CtrEquip.COCODIGO,\n"
                  " CtrEquip.COIDENTIFICADOR, CtrEquip.COMARCA, CtrEquip.COMODELO, CtrEquip.COSERIE,\n"
                  " CtrEquip.COVALOR, CtrEquip.CODATACOMPRA, CtrEquip.COGARANTIA, CtrEquip.COGARANTIADATA,\n"
                  " CadEquip.AEDescricao as Equipamento\n"
                  "from AUGC03CO CtrEquip\n"
                  " left outer join AATC03AE CadEquip on (CadEquip.AECODIGO = CtrEquip.AECODIGO)\n"
                  "where CtrEquip.COCODIGO = :COCODIGO and CtrEquip.coidentificador = 'E'");
    linha->paramByName("COCODIGO")->setAsInteger(equipamento.fieldByName("COCODIGO")->asInteger());
    linha->open();
    if (linha->isEmpty())
        return;
    {
        // The model's own defaults would overwrite what the contract holds.
        DetachHandler semModelo(dmTec->quOSItemAOITEQUIPCODIGO->onChange);
        host::data::Query& itens = *dmTec->quOSItem;
        itens.append();
        editarOrdem();
        auto copiar = [&](host::data::Field* destino, const char* origem) {
            destino->setValue(linha->fieldByName(origem)->value());
        };
        copiar(dmTec->quOSItemAOITEQUIPCODIGO, "AECODIGO");
        copiar(dmTec->quOSItemAOITEQUIPDESCRICAO, "EQUIPAMENTO");
        copiar(dmTec->quOSItemAOITSERIE, "COSERIE");
        copiar(dmTec->quOSItemAOITMARCA, "COMARCA");
        copiar(dmTec->quOSItemAOITMODELO, "COMODELO");
        copiar(dmTec->quOSItemAOITGARANTIA, "COGARANTIA");
        copiar(dmTec->quOSItemAOITDATACOMPRA, "CODATACOMPRA");
        copiar(dmTec->quOSItemACCODIGO, "ACCODIGO");
        itens.post();
    }
    InsereCamposContrato();
}

void InsereCamposContrato()
{
    const QString ordem = ordemAtual();
    const double distancia = numeroContrato("ACDISTANCIAKM");
    const double pedagios = numeroContrato("ACQUANTIDADEPEDAGIO");
    if ((distancia > 0 || pedagios > 0) && ContadorDados("AoCodigo", "AATC01AV", ordem) <= 0) {
        host::data::Query& viagem = *dmTec->quOSDespViagem;
        abrirPorOrdem(viagem);
        viagem.append();
        if (distancia > 0)
            dmTec->quOSDespViagemAVKMPERCORRIDO->setAsFloat(distancia);
        if (pedagios > 0)
            dmTec->quOSDespViagemAVPEDQUANTIDADE->setAsFloat(pedagios);
        SalvarAlteracoes(viagem);
    }
    const double hora = numeroContrato("AHCODIGO");
    const double valorHora = numeroContrato("ACHORAVALOR");
    if ((hora > 0 || valorHora > 0) && ContadorDados("AoCodigo", "AATC01AA", ordem) <= 0) {
        abrirServicos();
        host::data::Query& servicos = *dmTec->quOSAndamento;
        servicos.append();
        if (hora > 0)
            dmTec->quOSAndamentoAHCODIGO->setAsInteger(int(hora));
        // The hour-rate product's own price rule stays out: the contract sets the value.
        DetachHandler semProduto(dmTec->quOSAndamentoPRCODIGO->onChange);
        if (valorHora > 0) {
            dmTec->quOSAndamentoPRCODIGO->setAsString(dmGlobal->Parametro("ATPRODUTOHORATECNICA"));
            dmTec->quOSAndamentoAAVALOR->setAsFloat(valorHora);
        }
        SalvarAlteracoes(servicos);
    }
}
