// "&Finalizar" of the assistance-order window: a pending proposal becomes an
// order, an order ready to bill becomes a rental contract, and in
// configuration mode the equipment's serial numbers follow.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"
#include "data/uDataTecPedidoAssTela.h"

#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

#include <vector>

namespace {

// A serial movement found for a line, read whole before any is booked (the
// new rows go to the same table).
struct MovimentoFinalizacao {
    QString numero, produto, status, local, composicao, venda, ordemCompra, ordemProducao, ordemServico, contrato;
};

std::vector<MovimentoFinalizacao> movimentosFinalizacao(const QString& sql, const QString& pedido,
                                                        const QString& produto)
{
    auto consulta = dmGlobal->IBTransaction1->prepared(
        "select ns.NSNUMERO, ns.PRCODIGO, ns.NSSTATUS, ns.LECODIGO, ns.CMCODIGO, ns.VECODIGO, ns.OCCODIGO,"
        " ns.OPCODIGO, ns.AOCODIGO, ns.ACCODIGO from augc50ns ns " +
        sql + " order by ns.nscodigo ");
    consulta->setParam("PEDIDO", pedido);
    consulta->setParam("PRODUTO", produto);
    consulta->execute();
    std::vector<MovimentoFinalizacao> movimentos;
    auto texto = [&consulta](int i) { return consulta->value(i).isNull() ? QString() : consulta->value(i).toString(); };
    while (consulta->fetch())
        movimentos.push_back({texto(0), texto(1), texto(2), texto(3), texto(4), texto(5), texto(6), texto(7),
                              texto(8), texto(9)});
    return movimentos;
}

enum class ReferenciasFinalizacao { ItemPedido, CotadoPedido, CotadoContrato };

// Books the movements of one loop: the location of the header's status (or
// the row's own) and the header's kind and status as the description.
void registrarMovimentosFinalizacao(const std::vector<MovimentoFinalizacao>& movimentos,
                                    ReferenciasFinalizacao referencias, const QString& contrato = {})
{
    TdmTec& tec = *dmTec;
    const QString local = RetornaLocalEquipamentosStatusPedidoAss(tec.campoPedido("AUX2").asString(),
                                                                  tec.campoPedido("IMPRESSO_NF").asString())
                              .trimmed();
    const QString descricao = tec.campoPedido("AUX2").displayText().trimmed() + " " +
                              tec.campoPedido("IMPRESSO_NF").displayText().trimmed();
    for (const MovimentoFinalizacao& m : movimentos) {
        const bool item = referencias == ReferenciasFinalizacao::ItemPedido;
        InserirRegistroNumerosSerieProduto(
            m.numero, m.produto, m.status, m.venda, item ? QString() : m.ordemCompra,
            item ? QString() : m.ordemProducao, item ? QString() : m.ordemServico,
            item ? QString() : referencias == ReferenciasFinalizacao::CotadoContrato ? contrato : m.contrato,
            m.composicao, local.isEmpty() ? m.local : local, descricao, 0, 0, 0, 0, 0);
    }
}

const QString kSerieVendaFinalizacao = QStringLiteral("where ns.vecodigo = :PEDIDO and ns.prcodigo = :PRODUTO");
const QString kSerieProducaoFinalizacao = QStringLiteral("where ns.opcodigo = :PEDIDO and ns.prcodigo = :PRODUTO");
// Only the latest row of each serial of the line's product and order.
const QString kSerieUltimaFinalizacao = QStringLiteral(
    "where ns.opcodigo = :PEDIDO and ns.prcodigo = :PRODUTO and ns.nscodigo = (select max(sl.nscodigo) from"
    " augc50ns sl where sl.opcodigo = ns.opcodigo and sl.prcodigo = ns.prcodigo and sl.nsnumero = ns.nsnumero)");

// The movements of every configured line of the order (the lines reloaded).
void movimentarCotadosFinalizacao(const QString& numero, const QString& sql, ReferenciasFinalizacao referencias,
                                  const QString& contrato = {})
{
    TdmTec& tec = *dmTec;
    tec.CarregaPedidoAssVendaCotado(numero, {});
    if (parametro("ATMODOPEDIDOASSISTENCIA") != "C")
        return;
    host::data::Query& cotado = *tec.quAssVendaCotado;
    for (cotado.first(); cotado.active() && !cotado.eof(); cotado.next())
        registrarMovimentosFinalizacao(movimentosFinalizacao(sql, tec.campoCotado("NUMERO_PEDIDO").asString(),
                                                             tec.campoCotado("CODIGO").asString()),
                                       referencias, contrato);
    dmGlobal->IBTransaction1->commitRetaining();
}

void gerarPedidoDaProposta()
{
    TdmTec& tec = *dmTec;
    if (MostraPergunta("Confirma a geração Pedido?", {"Sim", "Não"}) != "Sim")
        return;
    if (parametro("ATMODOPEDIDOASSISTENCIA") == "E")
        dmGlobal->LimiteCredito(tec.campoPedido("CODIGO_CLIENTE").asString(), tec.campoPedido("VALOR_TOTAL").asFloat(),
                                true);
    const QString proposta = tec.campoPedido("NUMERO_PEDIDO").asString();
    // The order, its marks and the proposal's are one unit under the
    // proposal's row: a proposal another desk has just turned into an order
    // makes no second one.
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::CommitHold comites(tr);
    host::db::Savepoint unidade(tr);
    if (const pedidoass::PedidoTomado tomado = pedidoass::tomarPedido(proposta); !tomado.status.isEmpty()) {
        CarregaPedidoAssVenda(proposta, {});
        dmGlobal->MostraAviso(pedidoass::kAbortada + "A proposta \"" + proposta.trimmed() +
                                  "\" já foi finalizada em outra estação" +
                                  (tomado.pedidoGerado.isEmpty() ? QString()
                                                                 : " (pedido \"" + tomado.pedidoGerado + "\")") +
                                  "; nada foi gerado.",
                              true);
    }
    const QString novo = tec.GerarPedidoAssistencia(proposta);
    if (novo.isEmpty()) {
        unidade.release();
        comites.release();
        return;
    }
    const QString onde = " where NUMERO_PEDIDO = " + QuotedStr(novo);
    UpdateCampoCommit("AVEC8501", "AUX2", "'1'", onde);
    UpdateCampoCommit("AVEC8501", "VEPROPOSTA", QuotedStr(proposta), onde);
    UpdateCampoCommit("AVEC8501", "VEDATAPROPOSTA", DateToSQL(tec.campoPedido("DATA_EMISSAO").asDateTime()), onde);
    host::data::Query& pedido = *tec.quAssVenda;
    pedido.edit();
    tec.campoPedido("IMPRESSO_NF").setAsString("S");
    tec.campoPedido("VEPROPOSTA").setAsString(novo);
    tec.campoPedido("VEDATAPROPOSTA").setAsDateTime(hoje());
    pedido.post();
    unidade.release();
    comites.release();
    tec.CarregaPedidoAssVendaItem(proposta, "coalesce(VEPEDIDOORIGEM, '') = '' ", {});
    if (parametro("ATMODOPEDIDOASSISTENCIA") == "C") {
        // The rows found under the proposal's number are booked under it, as
        // stored: the new order's own rows start with its checkout.
        host::data::Query& itens = *tec.quAssVendaItem;
        for (itens.first(); itens.active() && !itens.eof(); itens.next())
            registrarMovimentosFinalizacao(movimentosFinalizacao(kSerieVendaFinalizacao,
                                                                 tec.campoItem("NUMERO_PEDIDO").asString(),
                                                                 tec.campoItem("CODIGO").asString()),
                                           ReferenciasFinalizacao::ItemPedido);
        movimentarCotadosFinalizacao(proposta, kSerieProducaoFinalizacao, ReferenciasFinalizacao::CotadoPedido);
    }
    dmGlobal->MostraAviso("Pedido \"" + novo + "\" gerado com sucesso!", false);
}

void gerarContratoDoPedido()
{
    TdmTec& tec = *dmTec;
    if (MostraPergunta("Confirma a geração Contrato?", {"Sim", "Não"}) != "Sim")
        return;
    const QString numero = tec.campoPedido("NUMERO_PEDIDO").asString();
    host::RecusarNumerosSerieForaDoPedido(numero);
    // An order reopened after its contract was made keeps that contract and
    // goes on with it.
    const TdmTec::ContratoPedidoAss contrato = tec.ContratarPedidoAssistencia(numero);
    movimentarCotadosFinalizacao(numero, kSerieUltimaFinalizacao, ReferenciasFinalizacao::CotadoContrato,
                                 QString::number(contrato.codigo));
    dmGlobal->MostraAviso(contrato.aviso(), false);
}

}  // namespace

namespace assvenda {

void FinalizarPedidoAss()
{
    const QString tipo = dmTec->campoPedido("AUX2").asString();
    const QString status = dmTec->campoPedido("IMPRESSO_NF").asString().trimmed();
    if (tipo == "0" && status.isEmpty())
        gerarPedidoDaProposta();
    else if (tipo == "1" && status == "N")
        gerarContratoDoPedido();
}

}  // namespace assvenda
