// The service-order window: the chargeable service lines of the order sent
// to a sales order (one order line each, or one line with their total, and
// the travel line of billing mode "2"), and the one line of services and
// parts together; the lines sent are stamped with the order's number.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"
#include "data/uDataTecVendaOS.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"


namespace {

using venda_os::servicoCobravel;

bool servicoPendente(const TdmTec& tec) { return tec.quOSAndamentoVECODIGO->asString().trimmed().isEmpty(); }

void marcarServicoNoPedido(TdmTec& tec, const QString& pedido)
{
    tec.quOSAndamento->edit();
    tec.quOSAndamentoVECODIGO->setAsString(pedido);
    tec.quOSAndamento->post();
}

// Every chargeable line still without an order takes this one.
void marcarServicosPendentes(TdmTec& tec, const QString& pedido)
{
    for (tec.quOSAndamento->first(); !tec.quOSAndamento->eof(); tec.quOSAndamento->next())
        if (servicoCobravel(tec) && servicoPendente(tec))
            marcarServicoNoPedido(tec, pedido);
}

// ", 7, 'GRUPO', 'VEND'": the line's code, its product group and the order's salesman.
QString valoresServicoPedido(const TdmTec& tec, int aaCodigo, const QString& grupo)
{
    return ", " + ValueToSQL(aaCodigo) + ", " + QuotedStr(grupo) + ", " + QuotedStr(tec.quOSFOCODIGOVENDEDOR->asString());
}

double precoCustoServico(const QString& produto)
{
    return CarregaNumero("PCO_CUSTO", "Acec1101", "Where Codigo = " + QuotedStr(produto));
}

// "N/S:<serial> Eqto.: <equipment>" of the line's item, in the modes that
// print it. A line without item has neither.
QString textoEquipamentoServico(const TdmTec& tec)
{
    const QString modo = parametro("ATIMPRIMECOMPROVANTEOS");
    const int item = tec.quOSAndamentoAOITCODIGO->asInteger();
    if (!(modo == "E" || (modo == "S" && tec.quOSAOREMANUFATURA->asString() == "A" && item > 0)))
        return {};
    QString serie, equipamento;
    if (item > 0) {
        const QString chave = "Where aoitCodigo=" + QString::number(item);
        serie = CarregaDado("AOITSERIE", "aatc01aoit", chave);
        equipamento = CarregaDado("AOITEQUIPDESCRICAO", "aatc01aoit", chave);
    }
    return (serie.trimmed().isEmpty() ? QString() : "N/S:" + serie) + " Eqto.: " + equipamento;
}

// The worked time at the unit value, the line total or the unit value.
double valorLinhaServico(const TdmTec& tec)
{
    if (tec.quOSAndamentoAATOTAL->asInteger() <= 0)
        return tec.quOSAndamentoAAVALOR->asFloat();
    const double horas = tec.quOSAndamentoTotalHoraReferente->asFloat();
    return horas > 0 ? horas * tec.quOSAndamentoAAVALOR->asFloat() : tec.quOSAndamentoAAVALORTOTAL->asFloat();
}

}  // namespace

void TfmAssOrdemServico::InserirServicoPedidoVenda(bool PendingOnly, const QString& OrderNumber)
{
    venda_os::Selecao selecao;
    selecao.pendentes = PendingOnly;
    selecao.colunaServico = venda_os::colunaQuantidadeServico(*dmTec);
    InserirServicoPedidoVenda(selecao, OrderNumber);
}

void TfmAssOrdemServico::InserirServicoPedidoVenda(const venda_os::Selecao& selecao, const QString& OrderNumber)
{
    TdmTec& tec = *dmTec;
    host::data::Query& servicos = *tec.quOSAndamento;
    // The stamps edit lines the edit guard would refuse once they are in an order.
    host::data::DetachHandler<host::data::Dataset::Event> semGuarda(servicos.beforeEdit);

    const bool PendingOnly = selecao.pendentes;
    const QString& coluna = selecao.colunaServico;
    const bool custo = venda_os::servicosAPrecoDeCusto(tec);
    const QString colunas = ", AACODIGO, GRCODIGO, FOCODIGOVENDEDOR";

    if (parametro("ATPEDIDOTOTALSERVICOPECA") == "S") {
        const double totalServicos = venda_os::totalServicos(tec, selecao);
        // The line takes product, discount and operation from the first line
        // whose work is in the total, never from a warranty or unauthorised one.
        servicos.first();
        while (!servicos.eof() && !(servicoCobravel(tec) && (!PendingOnly || servicoPendente(tec))))
            servicos.next();
        if (totalServicos > 0 && !servicos.eof()) {
            dmGlobal->InserirPedidoVendaItem(
                tec.quOSAndamentoPRCODIGO->asString(), OrderNumber, 1, tec.quOSAndamentoAADESCONTO->asFloat(), false,
                false, totalServicos, 0, 0, tec.quOSAndamentoAAOBSERVACAO->asString().left(25),
                tec.quOSAOCODIGO->asInteger(), {}, true, tec.quOSAndamentoOFCODIGO->asString(),
                ", AACODIGO,  GRCODIGO, FOCODIGOVENDEDOR",
                valoresServicoPedido(tec, tec.quOSAndamentoAACODIGO->asInteger(), tec.quOSAndamentoGRUPO->asString()));
            if (ordem_servico::empresaEspecifica() == 16)
                AtualizarObservacaoAdiconalPedidoVendas(
                    OrderNumber, tec.quOSAOCODIGO->asInteger(), tec.quOSAndamentoAACODIGO->asInteger(),
                    tec.quOSItem->active() ? tec.quOSItemAOITEQUIPDESCRICAO->asString() : QString());
        }
        marcarServicosPendentes(tec, OrderNumber);
    } else {
        const bool impressa = parametro("ATQUANTIDADEIMPRESSAOS") == "S";
        for (servicos.first(); !servicos.eof(); servicos.next()) {
            if (!venda_os::servicoVendido(tec, selecao))
                continue;
            const double quantidadeColuna = servicos.fieldByName(coluna)->asFloat();
            const QString texto = textoEquipamentoServico(tec);
            const QString produto = tec.quOSAndamentoPRCODIGO->asString();
            double quantidade = quantidadeColuna;
            double valor = 0;
            if (custo)
                valor = precoCustoServico(produto);
            else if (PendingOnly)
                valor = valorLinhaServico(tec);
            else if (impressa) {
                quantidade = tec.quOSAndamentoAAQUANTIDADEIMPRESSA->asFloat();
                valor = tec.quOSAndamentoAAVALOR->asFloat();
            } else if (tec.quOSAndamentoAATOTAL->asInteger() > 0) {
                quantidade = 1;
                valor = tec.quOSAndamentoAAVALORTOTAL->asFloat();
            } else
                valor = tec.quOSAndamentoAAVALOR->asFloat();
            dmGlobal->InserirPedidoVendaItem(
                produto, OrderNumber, quantidade, tec.quOSAndamentoAADESCONTO->asFloat(), false, false, valor, 0, 0,
                tec.quOSAndamentoAAOBSERVACAO->asString().left(25), tec.quOSAndamentoAOCODIGO->asInteger(), {}, true,
                tec.quOSAndamentoOFCODIGO->asString(), colunas,
                valoresServicoPedido(tec, tec.quOSAndamentoAACODIGO->asInteger(), tec.quOSAndamentoGRUPO->asString()));
            AtualizarObservacaoAdiconalPedidoVendas(OrderNumber, tec.quOSAndamentoAOCODIGO->asInteger(),
                                                    tec.quOSAndamentoAACODIGO->asInteger(), texto);
            marcarServicoNoPedido(tec, OrderNumber);
        }
    }

    const double viagem = tec.quOSAODESPVIAGEM->asFloat();
    if (parametro("ATMODOFATURAMENTOOS") != "2" || viagem <= 0)
        return;
    const QString reembolso = parametro("ATSERVICOREEMBOLSOVIAGEM");
    if (reembolso.trimmed().isEmpty()) {
        dmGlobal->MostraAviso("Não foi possível enviar despesas com viagem para o Pedido de Vendas, pois você não "
                              "informou o código do serviço para reembolso.\nPara cadastrar acesse: Menu > Outros > "
                              "Dados da Empresa > PilvTec > Código Serviço Reembolso de Viagem",
                              false);
        return;
    }
    // The last service line (none: 0 and empty) lends its operation and code;
    // its discount is its own, never the travel's.
    const bool ultima = !servicos.isEmpty();
    dmGlobal->InserirPedidoVendaItem(
        reembolso, OrderNumber, 1, 0, false, false, viagem, 0, 0, {},
        ultima ? tec.quOSAndamentoAOCODIGO->asInteger() : tec.quOSAOCODIGO->asInteger(), {}, true,
        ultima ? tec.quOSAndamentoOFCODIGO->asString() : QString(), colunas,
        valoresServicoPedido(tec, ultima ? tec.quOSAndamentoAACODIGO->asInteger() : 0,
                             ultima ? tec.quOSAndamentoGRUPO->asString() : QString()));
}

void TfmAssOrdemServico::InserirTotalServicoPecaPedidoVenda(const QString& OrderNumber)
{
    TdmTec& tec = *dmTec;
    host::data::Query& servicos = *tec.quOSAndamento;
    const double total = tec.quOSAOVALORSERVICO->asFloat() + tec.quOSAOVALORPECAS->asFloat();
    servicos.first();
    if (total > 0)
        dmGlobal->InserirPedidoVendaItem(
            parametro("ATPRODUTOSERVICOPADRAO"), OrderNumber, 1, 0, false, false, total, 0, 0,
            tec.quOSAndamentoAAOBSERVACAO->asString().left(25), tec.quOSAOCODIGO->asInteger(), {}, true,
            tec.quOSAndamentoOFCODIGO->asString(), ", AACODIGO, VEITUNIDADE, GRCODIGO, FOCODIGOVENDEDOR",
            ", " + ValueToSQL(tec.quOSAndamentoAACODIGO->asInteger()) + ", " +
                QuotedStr(tec.quOSAndamentoUNIDADE_MEDIDA->asString()) + ", " +
                QuotedStr(tec.quOSAndamentoGRUPO->asString()) + ", " +
                QuotedStr(tec.quOSFOCODIGOVENDEDOR->asString()));
    marcarServicosPendentes(tec, OrderNumber);
    host::data::Query& pecas = *tec.quOSPecas;
    for (pecas.first(); !pecas.eof(); pecas.next()) {
        pecas.edit();
        tec.quOSPecasAPRESERVA->setAsString("B");
        tec.quOSPecasVECODIGO->setAsString(OrderNumber);
        pecas.post();
    }
}
