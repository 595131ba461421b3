// The service-order window: the headers of the sales orders generated from
// the order (reference text, expenses, discount, representative, totals,
// prices, merged lines) and the additional text of an order's last line.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"

#include "host/data/Format.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"



namespace {

host::data::Field& campoPedido(const char* nome) { return *dmGlobal->quPedidoVenda->fieldByName(nome); }

// The representation code of the billing customer, when it has one.
void representacaoDoCliente(const QString& cliente)
{
    const QString codigo =
        CarregaDado("Codigo_Representacao", "Augc0301", "Where Codigo_Cliente = " + QuotedStr(cliente));
    if (!codigo.trimmed().isEmpty())
        campoPedido("CODIGO_REPRESENTACAO").setAsString(codigo);
}

void repreciarPedido()
{
    if (parametro("ATPRECOTABELAVENCIMENTO") == "S")
        dmGlobal->AtualizaVendaItemPrecoTabelaVencimento(campoPedido("NUMERO_PEDIDO").asString(),
                                                         campoPedido("TABELA_VENCIMENTO").asString());
}

void somarItensPedido(const QString& pedido)
{
    if (parametro("ATSOMAITENSPEDIDO") == "O")
        dmGlobal->SomarPedidoItensCoincidentes(pedido);
}

}  // namespace

// The order text that ties a sales order to this service order; empty when
// the vehicle search finds no vehicle item (the text is then left alone).
QString TfmAssOrdemServico::textoReferentePedido(bool bPesquisaVeiculo)
{
    TdmTec& tec = *dmTec;
    const QString codigo = QString::number(ordemAtual());
    const QString espaco = "     ";
    if (bPesquisaVeiculo) {
        auto itens = CriarIbQuery("quItensReferentePedido");
        itens->setSql("Select * from aatc01aoit  Where AoCodigo =          " + QuotedStr(codigo));
        itens->open();
        for (; !itens->eof(); itens->next()) {
            const QString modelo = CarregaDado("AeIdentificador", "Aatc03Ae",
                                               "Where AECODIGO = " + QuotedStr(itens->fieldByName("AOITEQUIPCODIGO")->asString()));
            if (modelo.trimmed() == "V")
                return "OS: " + codigo + espaco + "Placa: " + itens->fieldByName("AoitPlaca")->asString() + espaco +
                       "Frota: " + itens->fieldByName("AOITCor")->asString() + " ";
        }
        return {};
    }
    const bool item = tec.quOSItem->active() && !tec.quOSItem->isEmpty();
    if (parametro("ATMODOVEICULO") == "O") {
        const double km = item ? tec.quOSItemAOITKMINICIAL->asFloat() : 0;
        return "OS: " + codigo + espaco + "Placa: " + (item ? tec.quOSItemAOITPLACA->asString() : QString()) + espaco +
               "KM: " + host::data::formatFloat("0.##", km) + " ";
    }
    QString texto = (parametro("ATIMPRIMECOMPROVANTEOS") == "S" ? "OS: " : "Referente à OS: ") + codigo + " ";
    const QString remessa = item ? tec.quOSItemAOITNUMERONFREMESSA->asString() : QString();
    if (!remessa.trimmed().isEmpty())
        texto += " N.F. Remessa: " + remessa;
    return texto;
}

void TfmAssOrdemServico::completarPedidoPrincipal(const PedidosGerados& pedidos)
{
    TdmTec& tec = *dmTec;
    dmGlobal->CarregaPedidoVenda(pedidos.principal);
    rLimitePedido = -1;
    dmGlobal->quPedidoVenda->edit();
    campoPedido("ORCTCODIGO").setAsInteger(CarregaNumeroInteiro(
        "orctcodigo", "augc0301", "where codigo_cliente=" + QuotedStr(campoPedido("CODIGO_CLIENTE").asString())));
    const QString texto = textoReferentePedido(parametro("ATPESQUISAOSVEICULO") == "S");
    if (!texto.isEmpty())
        campoPedido("VEREFERENTE").setAsString(texto);

    const double viagem = tec.quOSAODESPVIAGEM->asFloat();
    const double diversas = tec.quOSAODESPDIVERSAS->asFloat();
    if (!tec.quOSCLCODIGOCOBRANCADESPESAS->asString().trimmed().isEmpty()) {
        UpdateCampoVariavelCommit("avec8501", "VALOR_TOTAL", viagem + diversas,
                                  "Where numero_pedido = " + QuotedStr(pedidos.despesas));
    } else {
        host::data::Field& despesaViagem = campoPedido("VEVALORDESPESAVIAGEM");
        host::data::Field& outrasDespesas = campoPedido("VEVALORDESPESA");
        const QString modo = parametro("ATMODOFATURAMENTOOS");
        if (modo == "1")
            despesaViagem.setAsFloat(viagem + diversas);
        else if (modo == "3")
            outrasDespesas.setAsFloat(diversas);
        else if (modo == "4")
            outrasDespesas.setAsFloat(viagem + diversas);
        else if (modo == "6") {
            if (GetValueOpcaoDespesa("Despesas Extras"))
                outrasDespesas.setAsFloat(diversas);
            if (GetValueOpcaoDespesa("Despesas com Viagem"))
                despesaViagem.setAsFloat(viagem);
        } else if (modo != "2")
            despesaViagem.setAsFloat(viagem);
    }

    const double desconto = tec.quOSAODESCONTO->asFloat();
    const host::data::Field& limite = campoPedido("LIMITE_DESCONTO");
    campoPedido("DESCONTO_GERAL").setAsFloat(!limite.isNull() && limite.asFloat() < desconto ? limite.asFloat()
                                                                                             : desconto);
    campoPedido("COD_REPRES").setAsString(tec.quOSFOCODIGOREPRESENTANTE->asString());
    representacaoDoCliente(pedidos.clienteCobranca);
    dmGlobal->PedidoVendaAtualizarTotalizador();
    repreciarPedido();
    dmGlobal->quPedidoVenda->post();
    somarItensPedido(pedidos.principal);
}

void TfmAssOrdemServico::completarPedidoSeparado(const QString& pedido, const QString& clienteCobranca)
{
    dmGlobal->CarregaPedidoVenda(pedido);
    dmGlobal->quPedidoVenda->edit();
    campoPedido("VEREFERENTE").setAsString(textoReferentePedido(false));
    dmGlobal->PedidoVendaAtualizarTotalizador();
    representacaoDoCliente(clienteCobranca);
    campoPedido("COD_REPRES").setAsString(dmTec->quOSFOCODIGOREPRESENTANTE->asString());
    repreciarPedido();
    somarItensPedido(pedido);
    SalvarAlteracoes(*dmGlobal->quPedidoVenda);
}

// The main order always; then the service order and the expense order of
// their payers (the services may have stayed in the main order, which is
// then completed a second time, as a service order).
void TfmAssOrdemServico::completarPedidosGerados(const PedidosGerados& pedidos)
{
    TdmTec& tec = *dmTec;
    completarPedidoPrincipal(pedidos);
    if (!tec.quOSCLCODIGOCOBRANCASERVICO->asString().trimmed().isEmpty())
        completarPedidoSeparado(pedidos.servico, pedidos.clienteCobranca);
    if (!tec.quOSCLCODIGOCOBRANCADESPESAS->asString().trimmed().isEmpty())
        completarPedidoSeparado(pedidos.despesas, pedidos.clienteCobranca);
}

void TfmAssOrdemServico::AtualizarObservacaoAdiconalPedidoVendas(const QString& pedido, int, int,
                                                                 const QString& texto)
{
    const double linha = MaximoDado("Cod", "Avec85it", "Numero_Pedido", pedido, "", false);
    dmGlobal->InserirObservacaoAdicionalTabela(pedido, QString::number(qint64(linha)), "V", texto);
}
