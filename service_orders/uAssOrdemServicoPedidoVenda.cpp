// The service-order window: the order becomes its sales orders (the main
// one, and a service and an expense order for other payers), stamped,
// filled, written back into the order and completed; the order may then be
// opened in the host's sales-order window.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"
#include "data/uDataTecVendaOS.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uprincipal.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/Cursors.h"

#include <cmath>

using host::data::DetachHandler;

namespace {

using EventoDataset = host::data::Dataset::Event;

const char* const kSemLinhasParaPedido = "A O.S. não possui serviços e/ou peças para geração de Pedido de Venda!";

// "Não" to the question ends the routine without a message.
void confirmarSituacaoPedido()
{
    const QString tipo =
        CarregaDado("ASTIPO", "AATC01AS", "WHERE ASCODIGO = " + QuotedStr(dmTec->quOSASCODIGO->asString())).trimmed();
    if (tipo == "F" || tipo == "S" || tipo == "D")
        return;
    if (MostraPergunta("A situação que se encontra a O.S. não é válida para efetuar Pedido de Venda. Deseja "
                       "Continuar?",
                       {"Sim", "Não"}) != "Sim")
        host::abortOperation();
}

void verificarItensPedido(const QString& modoItem, const QString& codigo)
{
    const QString itens = "AATC01AOIT it Left Outer Join AATC01AS sit On (it.asCodigo = sit.ASCodigo)";
    const QString aviso = "A O.S. possui itens em situação que não é permitida geração de Pedido de Venda!";
    if (modoItem == "I" &&
        CarregaNumeroInteiro("count(*)", itens,
                             "WHERE not(sit.asTipo in ('F','S','D')) and it.AOCODIGO = " + QuotedStr(codigo)) > 0)
        dmGlobal->MostraAviso(aviso, true);
    if (modoItem != "B")
        return;
    if (CarregaNumeroInteiro("count(*)", itens,
                             "WHERE (sit.asTipo in ('F','S','D')) and it.AOCODIGO = " + QuotedStr(codigo)) == 0)
        dmGlobal->MostraAviso(aviso, true);
    if (CarregaNumeroInteiro("count(*)", "AATC01AA",
                             "WHERE AOCODIGO = " + QuotedStr(codigo) +
                                 " AND AATIPO = '3' AND COALESCE(VECODIGO, '') = ''  ") == 0 &&
        CarregaNumeroInteiro("count(*)", "AATC01AP",
                             "WHERE AOCODIGO = " + QuotedStr(codigo) +
                                 " AND APTIPO = '3' AND COALESCE(VECODIGO, '') = '' ") == 0)
        dmGlobal->MostraAviso(kSemLinhasParaPedido, true);
}

// An order whose discount outgrew its lines would make a sales order, and
// its receivable, below zero: refused before anything is made.
void verificarTotalPedido()
{
    const double total = dmTec->quOSAOVALORTOTAL->asFloat();
    if (std::llround(total * 100) < 0)
        dmGlobal->MostraAviso("O total da O.S. (" + host::data::formatFloat("###,###,##0.00", total) +
                                  ") é negativo: o desconto é maior que o valor da ordem. Corrija o desconto antes de"
                                  " gerar o Pedido de Venda.",
                              true);
}

// The quantity questions answered once, and the sale refused before any
// order is made or the service order closed when it would insert no line.
venda_os::Selecao selecaoDaVenda(TfmAssOrdemServico& tela, int ordem, bool pendentes, const venda_os::Conteudo& conteudo)
{
    TdmTec& tec = *dmTec;
    try {
        const venda_os::Selecao selecao = venda_os::escolher(tec, pendentes, conteudo);
        if (!venda_os::teraLinhas(tec, selecao, conteudo))
            dmGlobal->MostraAviso(kSemLinhasParaPedido, true);
        return selecao;
    } catch (...) {
        tec.CarregaOSAtributos(ordem, 0, false);
        tela.VerificaOSAtributoAberto();
        throw;
    }
}

// "" (first order), "Completo" or "Pendentes"; "Cancelar" ends silently.
QString modoPedido(const QString& modoItem)
{
    if (modoItem == "B")
        return "Pendentes";
    if (dmTec->quOSVECODIGO->asString().trimmed().isEmpty())
        return {};
    const QString resposta = MostraPergunta("Esta OS já possui um pedido de venda. Deseja inserir outro pedido de "
                                            "venda completo ou apenas com os itens pendentes?",
                                            {"Completo", "Pendentes", "Cancelar"});
    if (resposta != "Completo" && resposta != "Pendentes")
        host::abortOperation();
    return resposta;
}

QString clienteCobrancaPedido()
{
    const TdmTec& tec = *dmTec;
    const QString tipoCliente = parametro("ATTIPOOSPEDIDOCLIENTE");
    const QString clienteTipo = parametro("ATCLIENTEPEDIDOTIPOOS");
    if (parametro("ATCLASSIFICACAOOS") == "S" && tec.quOSAOTIPOOS->asString() == tipoCliente &&
        !clienteTipo.isEmpty())
        return clienteTipo;
    const QString cobranca = tec.quOSCLCODIGOCLIENTECOBRANCA->asString();
    return cobranca.trimmed().isEmpty() ? tec.quOSCLCODIGO->asString() : cobranca;
}

QString novoPedidoVenda(const QString& cliente, const char* rotuloDepuracao)
{
    const TdmTec& tec = *dmTec;
    const QString numero = dmGlobal->InserirPedidoVenda(
        cliente, {}, {}, tec.quOSTVCODIGO->asString(), {}, tec.quOSOFCODIGO->asString(), "S", {}, {},
        parametro("ATLOCALESTOQUEDOCUMENTO"), {}, tec.quOSORCTCODIGO->asInteger(), QDateTime(), {}, {});
    if (bDetectarErroSQL)
        dmGlobal->MostraAviso(QString(rotuloDepuracao) + numero, false);
    return numero;
}

// The order's row held, its sales order read again and the new main order
// written on it are one unit: a second desk issuing at the same time, or from
// a screen that does not show this order's sales order, is refused and makes
// none.
QString emitirPedidoPrincipal(TfmAssOrdemServico& tela, int ordem, const QString& pedidoNaTela,
                              const QString& cliente)
{
    TdmTec& tec = *dmTec;
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::CommitHold comites(tr);
    host::db::Savepoint unidade(tr);
    venda_os::tomarOrdem(ordem, pedidoNaTela);
    const QString numero = novoPedidoVenda(cliente, "[sNumeroPedidoVenda]=");
    tela.OSPassaTag(8);
    tec.quOS->edit();
    tec.quOSVECODIGO->setAsString(numero);
    tela.OSPassaTag(8);
    tec.quOS->post();
    unidade.release();
    comites.release();
    return numero;
}

// The services go apart only when the order has service and parts lines.
bool pedidoServicoSeparado(int ordem)
{
    TdmTec& tec = *dmTec;
    host::data::Query& servicos = *tec.quOSAndamento;
    if (!servicos.active()) {
        servicos.paramByName("aocodigo")->setAsInteger(ordem);
        servicos.open();
    }
    servicos.last();
    if (servicos.isEmpty())
        return false;
    tec.CarregaOSPecas(ordem, 0, {});
    tec.quOSPecas->last();
    return !tec.quOSPecas->isEmpty();
}

void linhaPedidoDespesas(const QString& pedido)
{
    const TdmTec& tec = *dmTec;
    const QString reembolso = parametro("ATSERVICOREEMBOLSOVIAGEM");
    if (reembolso.trimmed().isEmpty()) {
        dmGlobal->MostraAviso("Para inserir item de despesas no pedido individual é necessário informar um código "
                              "de produto/serviço no parâmetro \"Código Serviço Reembolso de Viagem\"!",
                              false);
        return;
    }
    dmGlobal->InserirPedidoVendaItem(reembolso, pedido, 1, 0, false, false,
                                     tec.quOSAODESPVIAGEM->asFloat() + tec.quOSAODESPDIVERSAS->asFloat(), 0, 0, {},
                                     tec.quOSAOCODIGO->asInteger(), {}, true, tec.quOSOFCODIGO->asString(),
                                     ", FOCODIGOVENDEDOR", ", " + QuotedStr(tec.quOSFOCODIGOVENDEDOR->asString()));
}

void carimbarPedidos(const QStringList& numeros)
{
    const TdmTec& tec = *dmTec;
    const QString condicao = "Where " + CondicaoEmLista("numero_pedido", numeros) + " ";
    UpdateCampoVariavelCommit("avec8501", "aoCodigo", tec.quOSAOCODIGO->asString(), condicao);
    if (parametro("ATPEDIDORECIBO") == "C")
        UpdateCampoVariavelCommit("AVEC8501", "VERECIBO", "S", condicao);
    const QString operador =
        parametro("ATIMPRIMECOMPROVANTEOS") == "S" ? IbUserName() : tec.quOSAOATENDENTE->asString();
    UpdateCampoVariavelCommit("avec8501", "operador", operador.left(20), condicao);
}

// The main order takes the service order's number (five digits at least)
// when that number is free; the other numbers that were the main one follow.
void renumerarPedido(QString& principal, QString& servico, QString& despesas)
{
    const int ordem = dmTec->quOSAOCODIGO->asInteger();
    const QString alvo = QString::number(ordem).rightJustified(5, '0');
    if (ContadorDados("NUMERO_PEDIDO", "AVEC8501", alvo, "", false) > 0) {
        dmGlobal->MostraAviso("O número da OS já estava ocupado, o pedido de venda terá o número " + principal, false);
        return;
    }
    if (ordem > 99999)
        return;
    UpdateCampoVariavelCommit("avec8501", "numero_pedido", alvo, "Where numero_pedido =" + QuotedStr(principal));
    if (servico == principal)
        servico = alvo;
    if (despesas == principal)
        despesas = alvo;
    principal = alvo;
}

// The order is closed and carries its numbers; the situation after the
// order is set unless closing waits for every line ("T") and one is left.
void gravarPedidoNaOS(TfmAssOrdemServico& tela, const QString& principal, const QString& servico)
{
    TdmTec& tec = *dmTec;
    tela.OSPassaTag(8);
    tec.quOS->edit();
    tec.quOSAOBAIXA->setAsString("S");
    tec.quOSVECODIGO->setAsString(principal);
    tec.quOSVECODIGOSERVICO->setAsString(servico);
    const int situacao = ordem_servico::situacaoAposPedido();
    DetachHandler<decltype(tec.quOSASCODIGO->onChange)> semTroca(tec.quOSASCODIGO->onChange);
    if (situacao > 0) {
        const QString condicao = "Where aoCodigo= " + tec.quOSAOCODIGO->asString() + " and veCodigo is null ";
        const int pendentes = CarregaNumeroInteiro("count(*)", "aatc01ap", condicao) +
                              CarregaNumeroInteiro("count(*)", "aatc01aa", condicao);
        if (pendentes == 0 || parametro("ATMODOFECHAMENTOOS") != "T")
            tec.quOSASCODIGO->setAsInteger(situacao);
    }
    tela.OSPassaTag(8);
    tec.quOS->post();
}

}  // namespace

// The screen as it was before the orders were made, whatever happened.
void TfmAssOrdemServico::fecharEmissaoPedido(int ordem)
{
    TdmTec& tec = *dmTec;
    host::ui::setScreenCursor(host::ui::CursorShape::Default);
    OSPassaTag(0);
    onDeactivate = [this] { FormDeactivate(); };
    onActivate = [this] { FormActivate(); };
    tec.quOS->beforeEdit = [&tec](host::data::Dataset& d) { tec.quOSBeforeEdit(d); };
    if (tec.quOS->active() && !tec.quOS->isEmpty()) {
        if (tec.quOS->editing())
            tec.quOS->cancel();
        tec.quOS->refresh();
    }
    tec.quOSASCODIGO->onChange = [&tec](host::data::Field& f) { tec.quOSASCODIGOChange(f); };
    tec.quOSPecas->enableControls();
    tec.quOSAndamento->enableControls();
    tec.CarregaOSAtributos(ordem, 0, false);
    VerificaOSAtributoAberto();
}

QString TfmAssOrdemServico::OSEmissaoPedidoVenda(bool AskOpen, bool ShowSuccess, bool HideParts,
                                                 QString& ServiceOrderNumber, QString& ExpenseOrderNumber)
{
    TdmTec& tec = *dmTec;
    {
        DetachHandler<EventoDataset> semGuarda(tec.quOS->beforeEdit);
        struct Etiqueta {
            TfmAssOrdemServico* janela;
            ~Etiqueta() { janela->OSPassaTag(0); }
        } etiqueta{this};
        OSPassaTag(8);
        if (!tec.quOS->editing())
            tec.quOS->edit();
        SalvarAlteracoes(*tec.quOS);
    }
    const QString modoItem = parametro("ATPEDIDOSITUACAOITEM");
    if (parametro("ATATENDENTEAUTOMATICO") == "S")
        confirmarSituacaoPedido();
    if (modoItem == "I" || modoItem == "B")
        confirmarSituacaoPedido();
    const int ordem = ordemAtual();
    verificarItensPedido(modoItem, QString::number(ordem));
    verificarTotalPedido();
    // What the user chose from: issuing again is a choice only on the order shown.
    const QString pedidoNaTela = tec.quOSVECODIGO->asString();
    const bool pendentes = modoPedido(modoItem) == "Pendentes";

    tec.CarregaOSAtributos(ordem, 0, true);
    const venda_os::Conteudo conteudo{GetValueOpcaoDespesa("Despesas com Peças"), GetValueOpcaoDespesa("Serviço")};
    const venda_os::Selecao selecao = selecaoDaVenda(*this, ordem, pendentes, conteudo);
    tec.quOSPecas->disableControls();
    tec.quOSAndamento->disableControls();
    tec.quOS->beforeEdit = nullptr;
    onDeactivate = nullptr;
    onActivate = nullptr;
    host::ui::setScreenCursor(host::ui::CursorShape::HourGlass);
    OSPassaTag(8);
    PedidosGerados pedidos;
    try {
        pedidos.clienteCobranca = clienteCobrancaPedido();
        pedidos.principal = emitirPedidoPrincipal(*this, ordem, pedidoNaTela, pedidos.clienteCobranca);
        pedidos.servico = pedidos.despesas = pedidos.principal;
        QStringList numeros{pedidos.principal};
        const QString pagadorServico = tec.quOSCLCODIGOCOBRANCASERVICO->asString().trimmed();
        if (!pagadorServico.isEmpty() && pedidoServicoSeparado(ordem)) {
            pedidos.servico = novoPedidoVenda(pagadorServico, "[sNumeroPedidoVendaServico]=");
            dmGlobal->IBTransaction1->commitRetaining();
            numeros << pedidos.servico;
        }
        const QString pagadorDespesas = tec.quOSCLCODIGOCOBRANCADESPESAS->asString().trimmed();
        if (!pagadorDespesas.isEmpty()) {
            pedidos.despesas = novoPedidoVenda(pagadorDespesas, "[sNumeroPedidoVendaDespesas]=");
            dmGlobal->IBTransaction1->commitRetaining();
            linhaPedidoDespesas(pedidos.despesas);
            numeros = QStringList{pedidos.principal, pedidos.servico, pedidos.despesas};
        }
        carimbarPedidos(numeros);
        if (parametro("ATIMPRIMECOMPROVANTEOS") == "S")
            renumerarPedido(pedidos.principal, pedidos.servico, pedidos.despesas);

        if (parametro("ATPEDIDOTOTALSERVICOPECA") == "P") {
            InserirTotalServicoPecaPedidoVenda(pedidos.principal);
        } else {
            if (conteudo.pecas)
                tec.InserirPecaPedidoVenda(selecao, pedidos.principal, HideParts);
            if (conteudo.servicos)
                InserirServicoPedidoVenda(selecao, pedidos.servico);
        }
        gravarPedidoNaOS(*this, pedidos.principal, pedidos.servico);
        completarPedidosGerados(pedidos);
        dmGlobal->PVLacoGravacaoItem();
        dmGlobal->quPedidoVenda->close();
        if (ShowSuccess)
            dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
    } catch (...) {
        // The failure reaches the caller as it came, the screen restored.
        try {
            fecharEmissaoPedido(ordem);
        } catch (...) {
        }
        throw;
    }
    fecharEmissaoPedido(ordem);
    ServiceOrderNumber = pedidos.servico;
    ExpenseOrderNumber = pedidos.despesas;

    if (AskOpen && MostraPergunta("Deseja abrir o pedido de vendas?", {"Sim", "Não"}) == "Sim") {
        if (fmPrincipal)
            fmPrincipal->miPedidoVenda->click();
        dmGlobal->CarregaPedidoVenda(pedidos.principal);
        ordem_servico::minimizarAndamento();
        close();
    }
    return pedidos.principal;
}
