// The service-order window: the return order that sends the customer's
// equipment back. The order takes the items, the authorised service lines
// and, when only authorised items travel, the authorised parts; everything
// sent is marked returned and carries the order's number, and the service
// order keeps it. The order is made whole or not at all; the window closes
// at the end, also after a failure.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"

#include "host/data/Format.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uprincipal.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/Cursors.h"

#include <functional>


namespace {

QString criarPedidoDevolucao()
{
    const TdmTec& tec = *dmTec;
    return dmGlobal->InserirPedidoVenda(tec.quOSCLCODIGO->asString(), tec.quOSFOCODIGOVENDEDOR->asString(),
                                        tec.quOSFOCODIGOTRANSPORTE->asString(), tec.quOSTVCODIGO->asString(),
                                        tec.quOSFOCODIGOREPRESENTANTE->asString(), tec.quOSOFCODIGO->asString(), "S",
                                        {}, {}, parametro("ATLOCALESTOQUEDOCUMENTO"), {},
                                        tec.quOSORCTCODIGO->asInteger(), QDateTime(), {}, {});
}

// A kind of line that goes on the return order: the fields it is read from
// and marked on, the column that ties the order's line to it, its value.
struct LinhasDevolucao {
    host::data::Query& linhas;
    host::data::Field& autorizado;
    host::data::Field& produto;
    host::data::Field& quantidade;
    host::data::Field& desconto;
    host::data::Field& ordem;
    host::data::Field& operacao;
    host::data::Field& pedido;
    host::data::Field& chave;
    const char* colunaChave;
    std::function<double()> valor;
};

// Every authorised line goes, whatever its warranty and also when another
// order already holds it; it leaves the service order marked returned.
void enviarLinhasDevolucao(TfmAssOrdemServico& tela, const LinhasDevolucao& l, const QString& pedido)
{
    for (l.linhas.first(); !l.linhas.eof(); l.linhas.next()) {
        if (l.autorizado.asString() != "S")
            continue;
        const int chave = l.chave.asInteger();
        dmGlobal->InserirPedidoVendaItem(l.produto.asString(), pedido, l.quantidade.asFloat(), l.desconto.asFloat(),
                                         false, false, l.valor(), 0, 0, {}, l.ordem.asInteger(), {}, false,
                                         l.operacao.asString(), l.colunaChave, ", " + ValueToSQL(chave));
        tela.AtualizarObservacaoAdiconalPedidoVendas(pedido, l.ordem.asInteger(), chave, {});
        l.linhas.edit();
        l.autorizado.setAsString("D");
        l.pedido.setAsString(pedido);
        l.linhas.post();
    }
}

// The worked time's total, or the unit value of a line without time.
void enviarServicosDevolucao(TfmAssOrdemServico& tela, const QString& pedido)
{
    TdmTec& tec = *dmTec;
    enviarLinhasDevolucao(tela,
                          {*tec.quOSAndamento, *tec.quOSAndamentoAAAUTORIZADO, *tec.quOSAndamentoPRCODIGO,
                           *tec.quOSAndamentoAAQUANTIDADE, *tec.quOSAndamentoAADESCONTO, *tec.quOSAndamentoAOCODIGO,
                           *tec.quOSAndamentoOFCODIGO, *tec.quOSAndamentoVECODIGO, *tec.quOSAndamentoAACODIGO,
                           ", AACODIGO",
                           [&tec] {
                               return tec.quOSAndamentoAATOTAL->asFloat() > 0
                                          ? tec.quOSAndamentoAAVALORTOTAL->asFloat()
                                          : tec.quOSAndamentoAAVALOR->asFloat();
                           }},
                          pedido);
}

void enviarPecasDevolucao(TfmAssOrdemServico& tela, const QString& pedido)
{
    TdmTec& tec = *dmTec;
    enviarLinhasDevolucao(tela,
                          {*tec.quOSPecas, *tec.quOSPecasAPAUTORIZADO, *tec.quOSPecasPRCODIGO,
                           *tec.quOSPecasAPQUANTIDADE, *tec.quOSPecasAPDESCONTO, *tec.quOSPecasAOCODIGO,
                           *tec.quOSPecasOFCODIGO, *tec.quOSPecasVECODIGO, *tec.quOSPecasAPSEQUENCIA,
                           ", APSEQUENCIA", [&tec] { return tec.quOSPecasAPVALUNITARIO->asFloat(); }},
                          pedido);
}

// The situation is set without the situation-change rules (stock
// withdrawal or release): the closing step attaches them again.
void gravarDevolucaoNaOS(const QString& pedido)
{
    TdmTec& tec = *dmTec;
    tec.quOS->edit();
    tec.quOSVECODIGODEVOLUCAO->setAsString(pedido);
    const int situacao = ordem_servico::situacaoAposPedido();
    if (situacao > 0) {
        tec.quOSASCODIGO->onChange = nullptr;
        tec.quOSASCODIGO->setAsInteger(situacao);
    }
    tec.quOS->post();
}

// "Referente à OS: 42 N.F.Remessa:001234", or the plate and mileage in the
// vehicle mode; the item is the last one the item lines walked to.
QString textoPedidoDevolucao()
{
    const TdmTec& tec = *dmTec;
    const QString codigo = QString::number(tec.quOSAOCODIGO->asInteger());
    if (parametro("ATMODOVEICULO") == "O")
        return "OS: " + codigo + "     " + "Placa: " + tec.quOSItemAOITPLACA->asString() + "     " + "KM: " +
               host::data::formatFloat("0.##", tec.quOSItemAOITKMINICIAL->asFloat());
    QString texto = (parametro("ATIMPRIMECOMPROVANTEOS") == "S" ? "OS: " : "Referente à OS: ") + codigo;
    const QString remessa = tec.quOSItemAOITNUMERONFREMESSA->asString();
    if (!remessa.trimmed().isEmpty())
        texto += " N.F.Remessa:" + remessa;
    return texto;
}

void completarPedidoDevolucao(const QString& pedido)
{
    const TdmTec& tec = *dmTec;
    dmGlobal->CarregaPedidoVenda(pedido);
    host::data::Query& registro = *dmGlobal->quPedidoVenda;
    registro.edit();
    registro.fieldByName("CODIGO_REPRESENTACAO")->setAsString(tec.quOSFOCODIGOVENDEDOR->asString());
    registro.fieldByName("VEREFERENTE")->setAsString(textoPedidoDevolucao());
    registro.fieldByName("COD_REPRES")->setAsString(tec.quOSFOCODIGOREPRESENTANTE->asString());
    registro.post();
    registro.close();
}

// A post refused halfway leaves its row in edit: it goes with the work
// undone, and no later move posts it.
void descartarEdicoesDevolucao()
{
    for (host::data::Dataset* dados :
         {dmTec->quOSAndamento, dmTec->quOSPecas, dmTec->quOSItem, dmTec->quOS, dmGlobal->quPedidoVenda})
        if (dados && dados->active() && dados->editing())
            dados->cancel();
    if (dmGlobal->quPedidoVenda)
        dmGlobal->quPedidoVenda->close();
}

// The order, its lines, texts and total and every mark on the service order,
// as one piece of work: the commits the steps ask for wait for the end, and
// a failure takes back what this document wrote (and only that).
QString gravarPedidoDevolucao(TfmAssOrdemServico& tela)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::CommitHold comitesDevolucao(tr);
    host::db::Savepoint devolucao(tr);
    QString pedido;
    try {
        pedido = criarPedidoDevolucao();
        tela.OSEmissaoPedidoItens(false, pedido);
        if (parametro("ATOPCAOTELAOS") != "U")
            enviarServicosDevolucao(tela, pedido);
        if (parametro("ATENVIOEMAILOS") == "P")
            enviarPecasDevolucao(tela, pedido);
        // The lines went in without the order's total: it is summed once here.
        dmGlobal->PVLacoGravacaoItem();
        gravarDevolucaoNaOS(pedido);
        completarPedidoDevolucao(pedido);
    } catch (...) {
        descartarEdicoesDevolucao();
        devolucao.rollback();
        throw;
    }
    devolucao.release();
    comitesDevolucao.release();
    return pedido;
}

void abrirPedidoDevolucao(const QString& pedido)
{
    if (fmPrincipal)
        fmPrincipal->miPedidoVenda->click();
    dmGlobal->CarregaPedidoVenda(pedido);
    ordem_servico::minimizarAndamento();
}

// The screen given back as it was, then closed.
void fecharPedidoDevolucao(TfmAssOrdemServico& tela, int ordem)
{
    TdmTec& tec = *dmTec;
    host::ui::setScreenCursor(host::ui::CursorShape::Default);
    if (tec.quOS->active() && !tec.quOS->isEmpty() && !tec.quOS->editing())
        tec.quOS->refresh();
    tec.quOSASCODIGO->onChange = [&tec](host::data::Field& f) { tec.quOSASCODIGOChange(f); };
    tec.quOSItem->enableControls();
    tec.quOSAndamento->enableControls();
    tec.CarregaOSAtributos(ordem, 0, false);
    tela.VerificaOSAtributoAberto();
    tela.close();
}

}  // namespace

void TfmAssOrdemServico::OSEmissaoPedidoDevolucao()
{
    TdmTec& tec = *dmTec;
    if (!tec.quOSVECODIGODEVOLUCAO->asString().trimmed().isEmpty() &&
        MostraPergunta("Esta OS já possui um pedido de devolução. Deseja inserir outro pedido de devolução?",
                       {"Sim", "Não"}) != "Sim")
        return;
    // What was typed on the order and its lines is stored first, so that a
    // failure takes back the document alone.
    tec.OSSalvarPendentes();
    const int ordem = tec.quOSAOCODIGO->asInteger();
    tec.CarregaOSAtributos(ordem, 0, true);
    tec.quOSItem->disableControls();
    tec.quOSAndamento->disableControls();
    host::ui::setScreenCursor(host::ui::CursorShape::HourGlass);
    try {
        const QString pedido = gravarPedidoDevolucao(*this);
        dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
        if (MostraPergunta("Deseja abrir o pedido de vendas?", {"Sim", "Não"}) == "Sim")
            abrirPedidoDevolucao(pedido);
    } catch (...) {
        // The failure reaches the caller as it came; the screen closes all the same.
        try {
            fecharPedidoDevolucao(*this, ordem);
        } catch (...) {
        }
        throw;
    }
    fecharPedidoDevolucao(*this, ordem);
}
