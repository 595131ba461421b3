// Which handler each dataset event of TdmTec runs.

#include "data/uDataTec.h"
#include "data/uDataTecLinhas.h"
#include "data/uDataTecPedidoAss.h"
#include "host/ClienteCadastrado.h"
#include "host/FaixaDigitada.h"
#include "host/data/Field.h"
#include "host/data/Query.h"

#include <optional>
#include <utility>

using host::data::Dataset;

namespace {

using Handler = void (TdmTec::*)(Dataset&);

// A new line numbered by its order's highest + 1 takes the next number when
// another desk's line, saved or still being written, holds it.
void numerarDeNovoNaOrdem(Dataset& linha, const char* coluna, const char* tabela)
{
    linha.onPostError = [&linha, coluna, tabela](Dataset&) {
        uDataTecLinhas::numerarDeNovo(linha, *linha.fieldByName(coluna), [&linha, coluna, tabela] {
            return uDataTecLinhas::proximaDaOrdem(coluna, tabela, linha.fieldByName("AOCODIGO")->asInteger());
        });
    };
}

}  // namespace

void TdmTec::bindHandlers()
{
    auto on = [this](Handler handler) { return [this, handler](Dataset& dataset) { (this->*handler)(dataset); }; };

    // Schema upgrades that must run before these queries first open.
    quContrato->beforeOpen = on(&TdmTec::quContratoBeforeOpen);
    quOSContato->beforeOpen = on(&TdmTec::quOSContatoBeforeOpen);

    // Registers: audit, hook, commit after post.
    quDefeito->beforeDelete = on(&TdmTec::quDefeitoBeforeDelete);
    quDefeito->afterDelete = on(&TdmTec::quDefeitoAfterDelete);
    quDefeito->beforePost = on(&TdmTec::NotificarBeforePost);
    quDefeito->afterPost = on(&TdmTec::quDefeitoAfterPost);
    quDefeito->beforeClose = on(&TdmTec::NotificarBeforeClose);
    quTecnicos->beforeDelete = on(&TdmTec::quTecnicosBeforeDelete);
    quTecnicos->afterDelete = on(&TdmTec::quTecnicosAfterDelete);
    quTecnicos->afterPost = on(&TdmTec::quTecnicosAfterPost);
    quTecnicos->beforeClose = on(&TdmTec::NotificarBeforeClose);
    quTecnicos->beforeOpen = on(&TdmTec::quTecnicosBeforeOpen);
    quTecEquip->beforeDelete = on(&TdmTec::quTecEquipBeforeDelete);
    quTecEquip->afterDelete = on(&TdmTec::quTecEquipAfterDelete);
    quTecEquip->beforePost = on(&TdmTec::NotificarBeforePost);
    quEquipamento->beforeDelete = on(&TdmTec::quEquipamentoBeforeDelete);
    quEquipamento->afterDelete = on(&TdmTec::quEquipamentoAfterDelete);
    quEquipamento->beforePost = on(&TdmTec::NotificarBeforePost);
    quEquipamento->afterPost = on(&TdmTec::quEquipamentoAfterPost);
    quEquipamento->beforeClose = on(&TdmTec::NotificarBeforeClose);
    quEquipamento->afterScroll = on(&TdmTec::quEquipamentoAfterScroll);
    quEquipamento->afterOpen = on(&TdmTec::quEquipamentoAfterOpen);
    quHoraTecnica->beforeDelete = on(&TdmTec::quHoraTecnicaBeforeDelete);
    quHoraTecnica->afterDelete = on(&TdmTec::quHoraTecnicaAfterDelete);
    quHoraTecnica->afterPost = on(&TdmTec::quHoraTecnicaAfterPost);
    quOSSituacao->beforeDelete = on(&TdmTec::quOSSituacaoBeforeDelete);
    quOSSituacao->afterDelete = on(&TdmTec::quOSSituacaoAfterDelete);
    quOSSituacao->afterPost = on(&TdmTec::quOSSituacaoAfterPost);
    quContrato->beforeDelete = on(&TdmTec::quContratoBeforeDelete);
    quContrato->afterDelete = on(&TdmTec::quContratoAfterDelete);
    quContrato->onDeleteError = [this](Dataset&) { exclusaoContrato_.reset(); };
    quContEquip->beforeDelete = on(&TdmTec::quContEquipBeforeDelete);
    quContEquip->afterDelete = on(&TdmTec::quContEquipAfterDelete);
    quContServ->beforeDelete = on(&TdmTec::quContServBeforeDelete);
    quContServ->afterDelete = on(&TdmTec::quContServAfterDelete);

    // Service-order data: audit and the guard before deleting lines.
    quOS->afterDelete = on(&TdmTec::quOSAfterDelete);
    quOSItem->afterDelete = on(&TdmTec::quOSItemAfterDelete);
    quOSAcessorios->afterDelete = on(&TdmTec::quOSAcessoriosAfterDelete);
    quOSAcessorios->afterPost = on(&TdmTec::quOSAcessoriosAfterPost);
    quOSPecas->beforeDelete = on(&TdmTec::quOSPecasBeforeDelete);
    quOSAndamento->beforeDelete = on(&TdmTec::quOSAndamentoBeforeDelete);
    quOSDespViagem->beforePost = on(&TdmTec::quOSDespViagemBeforePost);
    quOSDespExtra->beforePost = on(&TdmTec::quOSDespExtraBeforePost);
    for (host::data::Query* query : {quOS, quOSItem, quOSDespViagem, quOSPecas, quOSDespExtra, quOSAndamento,
                                     quOSProj, quOSContato})
        query->beforeClose = on(&TdmTec::NotificarBeforeClose);

    // Opening: masks, SQL dumps, open log.
    quPesqOS->beforeOpen = on(&TdmTec::quPesqOSBeforeOpen);
    quPesqOS->afterOpen = on(&TdmTec::quPesqOSAfterOpen);
    quPesqOS->beforeClose = on(&TdmTec::quPesqOSBeforeClose);
    quOSComprasCli->beforeOpen = on(&TdmTec::quOSComprasCliBeforeOpen);
    quOSComprasCli->afterOpen = on(&TdmTec::quOSComprasCliAfterOpen);
    quOSItemDef->beforeOpen = on(&TdmTec::quOSItemDefBeforeOpen);

    bindRuleHandlers();
    bindAssistanceHandlers();
    bindFieldTextHandlers();
    bindItemHandlers();
    bindTotalHandlers();
    bindPecasHandlers();
    bindAndamentoHandlers();
    bindOSHeaderHandlers();
    bindCadastrosHandlers();
    bindSolicitacaoHandlers();
    bindDefeitoHandlers();
    bindFaixasDasLinhas();
    bindUnidadesDasLinhas();   // last: it wraps the lines' own handlers
}

// Quantity x price less the discount: a line typed with no quantity, a
// price below zero or a discount beyond 100 %, would total below zero and
// carry that into the document and its billing; so would an order's
// discount larger than the order. Attached last: the check runs before the
// field's own handling of the text.
void TdmTec::bindFaixasDasLinhas()
{
    struct Linha {
        host::data::Field* quantidade;
        host::data::Field* preco;
        host::data::Field* desconto;
    };
    const Linha linhas[] = {
        {quOSPecasAPQUANTIDADE, quOSPecasAPVALUNITARIO, quOSPecasAPDESCONTO},
        {quOSAndamentoAAQUANTIDADE, quOSAndamentoAAVALOR, quOSAndamentoAADESCONTO},
        {quOSProjAQQUANTIDADE, quOSProjAQVALOR, quOSProjAQDESCONTO},
        {&campoItem("QUANTIDADE"), &campoItem("VALOR"), &campoItem("DESCONTO")},
    };
    for (const Linha& linha : linhas) {
        host::ExigeQuantidadePositiva(*linha.quantidade, "Quantidade");
        host::ExigePrecoNaoNegativo(*linha.preco, "Valor Unitário");
        host::ExigeDescontoPercentual(*linha.desconto, "Desconto");
    }
    host::ExigeQuantidadePositiva(campoCotado("QUANTIDADE"), "Quantidade");
    host::ExigePrecoNaoNegativo(campoCotado("VALOR"), "Valor");
    // The supplies add to the order's total: below zero they would take
    // off what the lines' minimum prices keep.
    host::ExigePrecoNaoNegativo(campoPedido("VEVALORSUPRIMENTOS"), "Valor");
    // The order's total holds its saved lines: a line still being typed is
    // not in it yet, and the order's save checks the discount then.
    for (host::data::Field* desconto : {quOSAODESCONTO, quOSAODESCONTOPECA, quOSAODESCONTOSERVICO})
        host::ExigeDescontoAteOValor(*desconto, "Desconto", [this, desconto]() -> std::optional<double> {
            for (const host::data::Query* linhas : {quOSPecas, quOSAndamento, quOSDespViagem, quOSDespExtra, quOSProj})
                if (linhas->editing())
                    return std::nullopt;
            return quOSAOVALORTOTAL->asFloat() + desconto->asFloat();
        });
}

void TdmTec::bindRuleHandlers()
{
    auto on = [this](Handler handler) { return [this, handler](Dataset& dataset) { (this->*handler)(dataset); }; };

    quOS->onNewRecord = on(&TdmTec::quOSNewRecord);
    quOS->beforeInsert = on(&TdmTec::quOSBeforeInsert);
    quOS->beforeEdit = on(&TdmTec::quOSBeforeEdit);
    quOS->beforePost = on(&TdmTec::quOSBeforePost);
    quOS->afterPost = on(&TdmTec::quOSAfterPost);
    quOS->onPostError = on(&TdmTec::quOSPostError);
    quOS->afterCancel = on(&TdmTec::quOSAfterCancel);
    quOS->beforeDelete = on(&TdmTec::quOSBeforeDelete);
    quOS->afterScroll = on(&TdmTec::quOSAfterScroll);
    quOS->onCalcFields = on(&TdmTec::quOSCalcFields);
    quPesqOS->afterScroll = on(&TdmTec::quPesqOSAfterScroll);

    quOSItem->onNewRecord = on(&TdmTec::quOSItemNewRecord);
    quOSItem->beforeInsert = on(&TdmTec::quOSItemBeforeInsert);
    quOSItem->beforeEdit = on(&TdmTec::quOSItemBeforeEdit);
    quOSItem->beforePost = on(&TdmTec::quOSItemBeforePost);
    quOSItem->afterPost = on(&TdmTec::quOSItemAfterPost);
    quOSItem->beforeDelete = on(&TdmTec::quOSItemBeforeDelete);
    quOSItem->beforeOpen = on(&TdmTec::quOSItemBeforeOpen);
    quOSItem->onCalcFields = on(&TdmTec::quOSItemCalcFields);

    quOSPecas->onNewRecord = on(&TdmTec::quOSPecasNewRecord);
    quOSPecas->beforeInsert = on(&TdmTec::quOSPecasBeforeInsert);
    quOSPecas->beforeEdit = on(&TdmTec::quOSPecasBeforeEdit);
    quOSPecas->beforePost = on(&TdmTec::quOSPecasBeforePost);
    quOSPecas->afterPost = on(&TdmTec::quOSPecasAfterPost);
    numerarDeNovoNaOrdem(*quOSPecas, "APSEQUENCIA", "AATC01AP");
    quOSPecas->afterDelete = on(&TdmTec::quOSPecasAfterDelete);
    quOSPecas->beforeOpen = on(&TdmTec::quOSPecasBeforeOpen);
    quOSPecas->onCalcFields = on(&TdmTec::quOSPecasCalcFields);

    quOSAndamento->onNewRecord = on(&TdmTec::quOSAndamentoNewRecord);
    quOSAndamento->beforeInsert = on(&TdmTec::quOSAndamentoBeforeInsert);
    quOSAndamento->beforeEdit = on(&TdmTec::quOSAndamentoBeforeEdit);
    quOSAndamento->beforePost = on(&TdmTec::quOSAndamentoBeforePost);
    quOSAndamento->afterPost = on(&TdmTec::quOSAndamentoAfterPost);
    quOSAndamento->afterDelete = on(&TdmTec::quOSAndamentoAfterDelete);
    quOSAndamento->onCalcFields = on(&TdmTec::quOSAndamentoCalcFields);

    quOSAndaIt->onNewRecord = on(&TdmTec::quOSAndaItNewRecord);
    quOSAndaIt->beforePost = on(&TdmTec::quOSAndaItBeforePost);
    quOSAndaIt->afterPost = on(&TdmTec::quOSAndaItAfterPost);
    quOSAndaIt->afterDelete = on(&TdmTec::quOSAndaItAfterDelete);
    quOSAndDef->onNewRecord = on(&TdmTec::quOSAndDefNewRecord);
    quOSAndDef->beforePost = on(&TdmTec::quOSAndDefBeforePost);
    quOSAndDef->afterPost = on(&TdmTec::quOSAndDefAfterPost);
    quOSAndDef->beforeDelete = on(&TdmTec::quOSAndDefBeforeDelete);
    quOSAndDef->afterDelete = on(&TdmTec::quOSAndDefAfterDelete);
    quOSAndDef->beforeClose = on(&TdmTec::quOSAndDefBeforeClose);
    quOSItemDef->onNewRecord = on(&TdmTec::quOSItemDefNewRecord);
    quOSItemDef->beforePost = on(&TdmTec::quOSItemDefBeforePost);
    quOSItemDef->afterPost = on(&TdmTec::quOSItemDefAfterPost);
    quOSItemDef->afterDelete = on(&TdmTec::quOSItemDefAfterDelete);

    numerarDeNovoNaOrdem(*quOSDespViagem, "AVCODIGO", "AATC01AV");
    numerarDeNovoNaOrdem(*quOSDespExtra, "AXCODIGO", "AATC01AX");
    quOSDespViagem->onNewRecord = on(&TdmTec::quOSDespViagemNewRecord);
    quOSDespViagem->afterPost = on(&TdmTec::quOSDespViagemAfterPost);
    quOSDespViagem->afterDelete = on(&TdmTec::quOSDespViagemAfterDelete);
    quOSDespExtra->onNewRecord = on(&TdmTec::quOSDespExtraNewRecord);
    quOSDespExtra->afterPost = on(&TdmTec::quOSDespExtraAfterPost);
    quOSDespExtra->afterDelete = on(&TdmTec::quOSDespExtraAfterDelete);
    quOSProj->onNewRecord = on(&TdmTec::quOSProjNewRecord);
    quOSProj->beforePost = on(&TdmTec::quOSProjBeforePost);
    quOSProj->afterPost = on(&TdmTec::quOSProjAfterPost);
    quOSCusto->onNewRecord = on(&TdmTec::quOSCustoNewRecord);
    quOSCusto->beforePost = on(&TdmTec::quOSCustoBeforePost);
    quOSCusto->afterPost = on(&TdmTec::quOSCustoAfterPost);
    quOSCusto->afterOpen = on(&TdmTec::quOSCustoAfterOpen);
    quOSCusto->afterDelete = on(&TdmTec::quOSCustoAfterDelete);
    quOSContato->onNewRecord = on(&TdmTec::quOSContatoNewRecord);
    quOSContato->beforePost = on(&TdmTec::quOSContatoBeforePost);
    quOSContato->afterPost = on(&TdmTec::quOSContatoAfterPost);
    bindContatoHandlers();
    quOSAcessorios->onNewRecord = on(&TdmTec::quOSAcessoriosNewRecord);
    quOSAcessorios->beforeDelete = on(&TdmTec::quOSAcessoriosBeforeDelete);

    quOSSituacao->onNewRecord = on(&TdmTec::quOSSituacaoNewRecord);
    quOSSituacao->beforePost = on(&TdmTec::quOSSituacaoBeforePost);
    quDefeito->onNewRecord = on(&TdmTec::quDefeitoNewRecord);
    quTecnicos->onNewRecord = on(&TdmTec::quTecnicosNewRecord);
    quTecEquip->onNewRecord = on(&TdmTec::quTecEquipNewRecord);
    bindTecnicoHandlers();
    quEquipamento->onNewRecord = on(&TdmTec::quEquipamentoNewRecord);
    quEquipCli->onNewRecord = on(&TdmTec::quEquipCliNewRecord);
    quEquipCli->beforePost = on(&TdmTec::quEquipCliBeforePost);
    quEquipCli->afterPost = on(&TdmTec::quEquipCliAfterPost);
    quEquipCli->beforeDelete = on(&TdmTec::quEquipCliBeforeDelete);
    quEquipCli->afterDelete = on(&TdmTec::quEquipCliAfterDelete);
    quHoraTecnica->onNewRecord = on(&TdmTec::quHoraTecnicaNewRecord);
    quHoraTecnica->beforePost = on(&TdmTec::quHoraTecnicaBeforePost);
    quContrato->onNewRecord = on(&TdmTec::quContratoNewRecord);
    quContrato->beforePost = on(&TdmTec::quContratoBeforePost);
    quContrato->afterPost = on(&TdmTec::quContratoAfterPost);
    host::ExigeClienteCadastrado(*quContratoCLCODIGO, "Cliente");
    host::ExigeClienteCadastrado(*quEquipCliCLCODIGO, "Cliente");
    quContEquip->beforeInsert = on(&TdmTec::quContEquipBeforeInsert);
    quContEquip->onNewRecord = on(&TdmTec::quContEquipNewRecord);
    quContEquip->beforePost = on(&TdmTec::quContEquipBeforePost);
    quContServ->beforeInsert = on(&TdmTec::quContServBeforeInsert);
    quContServ->onNewRecord = on(&TdmTec::quContServNewRecord);

}

void TdmTec::bindAssistanceHandlers()
{
    auto on = [this](Handler handler) { return [this, handler](Dataset& dataset) { (this->*handler)(dataset); }; };

    quAssVenda->onNewRecord = on(&TdmTec::quAssVendaNewRecord);
    quAssVenda->beforePost = on(&TdmTec::quAssVendaBeforePost);
    quAssVenda->afterPost = on(&TdmTec::quAssVendaAfterPost);
    quAssVenda->onPostError = on(&TdmTec::quAssVendaPostError);
    quAssVenda->afterScroll = on(&TdmTec::quAssVendaAfterScroll);
    quAssVenda->beforeDelete = on(&TdmTec::quAssVendaBeforeDelete);
    quAssVenda->afterDelete = on(&TdmTec::quAssVendaAfterDelete);
    quAssVenda->onDeleteError = on(&TdmTec::quAssVendaDeleteError);
    quAssVendaItem->onNewRecord = on(&TdmTec::quAssVendaItemNewRecord);
    quAssVendaItem->beforeInsert = on(&TdmTec::quAssVendaItemBeforeInsert);
    quAssVendaItem->beforePost = on(&TdmTec::quAssVendaItemBeforePost);
    quAssVendaItem->afterPost = on(&TdmTec::quAssVendaItemAfterPost);
    quAssVendaItem->beforeDelete = on(&TdmTec::quAssVendaItemBeforeDelete);
    quAssVendaItem->afterDelete = on(&TdmTec::quAssVendaItemAfterDelete);
    quAssVendaItem->afterScroll = on(&TdmTec::quAssVendaItemAfterScroll);
    quAssVendaItem->beforeClose = on(&TdmTec::quAssVendaItemBeforeClose);
    quAssVendaItem->onCalcFields = on(&TdmTec::quAssVendaItemCalcFields);
    quAssVendaItem->beforeOpen = on(&TdmTec::quAssVendaItemBeforeOpen);
    quAssVendaCotado->onNewRecord = on(&TdmTec::quAssVendaCotadoNewRecord);
    quAssVendaCotado->beforePost = on(&TdmTec::quAssVendaCotadoBeforePost);
    quAssVendaCotado->afterPost = on(&TdmTec::quAssVendaCotadoAfterPost);
    quAssVendaCotado->beforeDelete = on(&TdmTec::quAssVendaCotadoBeforeDelete);
    quAssVendaCotado->afterDelete = on(&TdmTec::quAssVendaCotadoAfterDelete);
    quAssVendaCotado->beforeInsert = on(&TdmTec::quAssVendaCotadoBeforeInsert);
    quAssVendaCotado->beforeClose = on(&TdmTec::quAssVendaCotadoBeforeClose);
    quAssVendaCotado->afterScroll = on(&TdmTec::quAssVendaCotadoAfterScroll);
    quAssVendaCotado->onCalcFields = on(&TdmTec::quAssVendaCotadoCalcFields);
    quAssVendaCotado->beforeOpen = [](Dataset&) { pedidoass::esquecerQtdeTipo(); };
    quAssVendaObs->beforeOpen = on(&TdmTec::quAssVendaObsBeforeOpen);
    quAssVendaObs->beforePost = on(&TdmTec::quAssVendaObsBeforePost);
    bindPedidoAssFieldHandlers();
    // Rental equipment shares the register's delete handler.
    quEquipamentoLocacao->beforeDelete = on(&TdmTec::quEquipamentoBeforeDelete);
    bindEquipamentoLocacaoHandlers();
}
