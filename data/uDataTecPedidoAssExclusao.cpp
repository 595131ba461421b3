// Deleting an assistance order or proposal: the password, the two refusals,
// the proposal link undone, and everything that hangs on the order number.
//
// The link and the origin's configured lines are committed at once; the rest
// of the order's dependants are deleted under a savepoint that the order's
// own delete confirms, so a failure leaves the order whole.

#include "data/uDataTec.h"
#include "data/uDataTecExclusao.h"
#include "data/uDataTecPedidoAss.h"

#include "host/PilvCpr70.h"
#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"

using host::data::Dataset;
using pedidoass::kAbortada;

namespace {

// The contract an order made, however it is named: the order's own link
// (VECONTRATO, or ACCODIGO as the release stores it, while that contract
// exists) or a contract that names the order as its own (ACPEDIDO).
QString ContratoDoPedidoComo(const QString& vinculo, int codigo, const QString& numero)
{
    if (!vinculo.isEmpty())
        return vinculo;
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // The order column comes with the contract module's tables.
    const bool nomeado = host::db::columnLength(tr, "AATC05AC", "ACPEDIDO") > 0;
    const QVariant contrato = host::db::selectValue(
        tr, QString("select first 1 ACCODIGO from AATC05AC where ACCODIGO = :C%1 order by ACCODIGO")
                .arg(nomeado ? " or ACPEDIDO = :P" : ""),
        nomeado ? QVariantMap{{"C", codigo}, {"P", numero}} : QVariantMap{{"C", codigo}});
    return contrato.isNull() ? QString() : contrato.toString();
}

}  // namespace

QString TdmTec::ContratoDoPedido(const QString& numero)
{
    return ContratoDoPedidoComo(campoPedido("VECONTRATO").asString().trimmed(), campoPedido("ACCODIGO").asInteger(),
                                numero);
}

void TdmTec::quAssVendaBeforeDelete(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
    if (DataSet.tag() != 9 &&
        !VerificaValidadeSenha(parametro("ATSENHAEXCLUSAOPEDIDO"), "Senha de Exclusão de Pedido de Vendas"))
        throw host::Abort();

    const QString numero = campoPedido("NUMERO_PEDIDO").asString();
    const QString chave = QuotedStr(numero);
    const QString tipo = campoPedido("AUX2").asString().trimmed();
    if (tipo == "0") {
        const QString pedido = CarregaDado("coalesce(NUMERO_PEDIDO, '')", "AVEC8501", " where VEPROPOSTA = " + chave);
        if (!pedido.isEmpty())
            dmGlobal->MostraAviso(kAbortada + "A Proposta não pode ser excluída (gerou Pedido \"" + pedido + ")", true);
    }
    const QString contrato = tipo == "1" ? ContratoDoPedido(numero) : QString();
    if (!contrato.isEmpty())
        dmGlobal->MostraAviso(kAbortada + "O Pedido não pode ser excluído (gerou Contrato Código " + contrato + ").",
                              true);

    const QString origem = campoPedido("VEPROPOSTA").asString();
    if (tipo == "1" && !origem.trimmed().isEmpty()) {
        const QString registro = " where NUMERO_PEDIDO = " + QuotedStr(origem);
        if (campoPedido("IMPRESSO_NF").asString().trimmed() == "P") {
            // A back-order points to the order it came from, whose status,
            // proposal link and date are its own: only the link to this
            // back-order goes.
            UpdateCampoCommit("AVEC8501", "VECODIGOPENDENCIA", "null", registro + " and VECODIGOPENDENCIA = " + chave);
        } else {
            UpdateCampoCommit("AVEC8501", "IMPRESSO_NF", "''", registro);
            UpdateCampoCommit("AVEC8501", "VEPROPOSTA", "''", registro);
            UpdateCampoCommit("AVEC8501", "VEDATAPROPOSTA", "null", registro);
            UpdateCampoCommit("AVEC8501", "VECODIGOPENDENCIA", "null", registro);
        }
    }
    DeletaRegistrosCommit("AVEC85LX", " where vecodigopendencia = " + chave);

    sCodigoExcluido = numero + " / " + campoPedido("CODIGO_CLIENTE").asString() + " / " +
                      campoPedido("DATA_EMISSAO").asString() + " / " + campoPedido("VALOR_TOTAL").asString();
    const QString pendencia = campoPedido("VECODIGOPENDENCIA").asString();
    uDataTec::excluirFilhosAntes(exclusaoPedidoAss_, [&] {
        DeletaRegistros("augc70ob", "Where obCodigo = " + chave + " and ObId ='V' ");
        if (!quAssVendaItem->active())
            CarregaPedidoAssVendaItem(numero, {}, {});
        DeletaRegistros("avec85it", "Where numero_pedido = " + chave);
        if (!quAssVendaCotado->active())
            CarregaPedidoAssVendaCotado(numero, {});
        DeletaRegistros("avec85lx", "Where numero_pedido = " + chave);
        ExcluirRegistroNumerosSerieProduto(" where VECODIGO = " + chave);
        ExcluirControleAlteracoesPedidoAss(numero);
        if (!pendencia.trimmed().isEmpty())
            ExcluirPedidoPendenciaPedidoAss(pendencia);
        dmGlobal->MontaChavePrimariaExcluida(sAuxiliarExclusao, DataSet);
    });
}

void TdmTec::quAssVendaDeleteError(Dataset&)
{
    exclusaoPedidoAss_.reset();   // the dependants come back with the order
}

void TdmTec::quAssVendaAfterDelete(Dataset& DataSet)
{
    uDataTec::confirmarFilhos(exclusaoPedidoAss_);
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
    dmGlobal->GravaChavePrimariaExcluida(sAuxiliarExclusao, "AVEC8501");
    dmGlobal->GravaLog(IbUserName(), "Deletou Pedido de Vendas Assistência", "Num./Cliente/Data/Valor:" + sCodigoExcluido,
                       "AVEC8501", hoje(), QDateTime::currentDateTime());
}

void TdmTec::ExcluirControleAlteracoesPedidoAss(const QString& numero)
{
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "delete from arqlog lg where lg.tabela = 'AVEC8501' and lg.observacao = :PEDIDO ",
                         {{"PEDIDO", numero}});
}

void TdmTec::ExcluirPedidoPendenciaPedidoAss(const QString& numero)
{
    host::db::executeSql(*dmGlobal->IBTransaction1, "delete from avec85it  where numero_pedido = :PEDIDO ",
                         {{"PEDIDO", numero}});
    host::db::executeSql(*dmGlobal->IBTransaction1, "delete from avec8501  where numero_pedido = :PEDIDO ",
                         {{"PEDIDO", numero}});
}
