// The requested lines of an assistance order (quAssVendaItem): defaults of
// a new line, the insert guard, save and delete with their texts, audit and
// re-totalling, the calculated values and the quantity/total chain.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"
#include "data/uDataTecPedidoAssTela.h"

#include "host/PilvCpr70.h"
#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"

using host::data::Dataset;
using host::data::DatasetState;
using host::data::DetachHandler;
using host::data::Field;

namespace {

// The header's totals from the lines as stored, saved at once: another
// desk, and a contract made next, read the total the lines give.
void gravaTotaisPedidoAss(TdmTec& tec)
{
    PedidoAssVendaAtualizarTotalizador();
    if (tec.quAssVenda->editing())
        tec.quAssVenda->post();
}

}  // namespace

void TdmTec::quAssVendaItemNewRecord(Dataset& DataSet)
{
    ZerarFloatField(DataSet);
    campoItem("DATA_EMISSAO").setValue(campoPedido("DATA_EMISSAO").value());
    campoItem("AOCODIGO").setAsInteger(0);
    campoItem("VEITENTREGA").setAsString("I");
    campoItem("VEITFOTO").setAsString("N");
    campoItem("VEITTOTALALTERADO").setAsString("N");
    if (parametro("ATAVISOESTOQUEITEM") == "S")
        campoItem("QUANTIDADE").setAsFloat(1);
    if (parametro("ATLOCALITEMFILIAL") == "S")
        campoItem("LECODIGO").setAsString(
            CarregaDado("codigo", "acec1401", "where leFilial = " + QuotedStr(campoPedido("VELOCAL").asString())));
    const QString vendedor = campoPedido("CODIGO_VENDEDOR").asString();
    if (!vendedor.isEmpty()) {
        campoItem("FOCODIGOVENDEDOR").setAsString(vendedor);
        const QString comissao = parametro("ATCOMISSAOPRODUTOVENDEDOR");
        if (comissao == "C" || comissao == "2")
            campoItem("VEITCOMISSAO").setAsFloat(
                CarregaNumero("fComissao", "augc0501", "where fCod = " + QuotedStr(vendedor)));
    }
    dmGlobal->VerificaLocalEstoqueOperacao(campoPedido("OPERACAO").asString(), "LECODIGO",
                                           campoPedido("CODIGO_CLIENTE").asString(), &DataSet);
    campoItem("VEITQUANTIDADEALTERADA").setAsString("N");
}

void TdmTec::quAssVendaItemBeforeInsert(Dataset&)
{
    if (!quAssVenda->active() || quAssVenda->isEmpty())
        dmGlobal->MostraAviso("Informe os dados do pedido.", true);
    if (quAssVenda->state() == DatasetState::Insert)
        quAssVenda->post();
}

void TdmTec::quAssVendaItemBeforePost(Dataset& DataSet)
{
    assvenda::RecusarLinhaDePedidoFechado();
    const QString naoInformado = QStringLiteral("Campo '%1' não informado.");
    {
        DetachHandler semValidar(campoItem("QUANTIDADE").onValidate);
        if (campoItem("CODIGO").isNull())
            dmGlobal->MostraErro("Produto Inválido!");
        if (campoItem("NUMERO_PEDIDO").asString().isEmpty())
            campoItem("NUMERO_PEDIDO").setValue(campoPedido("NUMERO_PEDIDO").value());
        if (campoItem("NUMERO_PEDIDO").isNull())
            dmGlobal->MostraErro(naoInformado.arg("Numero Documento"));
        if (campoItem("CODIGO").isNull())
            dmGlobal->MostraErro(naoInformado.arg("Código"));
        // Taken again: another desk may have saved a line of the order since this one was created.
        if (quAssVendaItem->state() == DatasetState::Insert || campoItem("COD").asInteger() < 1) {
            const QString pedido = campoItem("NUMERO_PEDIDO").asString();
            pedidoass::renumerarLinhaNova(campoItem("COD"), dmGlobal->SequenciaVendasItem(pedido), pedido, 1);
        }
        if (campoItem("QUANTIDADE").asFloat() <= 0) {
            const QString impressa = parametro("ATGRAVAQTDEIMPRESSA");
            if (impressa == "P")
                campoItem("QUANTIDADE").setAsFloat(1);
            else if (impressa == "N")
                dmGlobal->MostraAviso("Quantidade deve ser maior que zero!", true);
        }
        if (campoItem("VALOR").asFloat() <= 0 && parametro("ATVALORZEROITEM") != "N")
            dmGlobal->MostraAviso(naoInformado.arg("Valor"), true);
    }
    pedidoass::recusarSerieDigitada(*quAssVendaItem);
    PVAssVerificaValorTotalItem();
    PVAssValorIPIItem();
    campoItem("UGMODIFICADO").setAsDateTime(QDateTime::currentDateTime());
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
}

void TdmTec::PVAssVerificaValorTotalItem()
{
    if (parametro("ATTOTALITEMLIVRE") == "S" || campoItem("VEITTOTALALTERADO").asString() == "S")
        return;
    const QString modoTotal = parametro("ATMODOTOTALITEM");
    if (modoTotal == "S" || modoTotal == "R")
        return;
    DetachHandler semTotal(campoItem("TOTAL_UNIT").onChange);
    const double valor = campoItem("VALOR").asFloat();
    const double quantidade = campoItem("QUANTIDADE").asFloat();
    const double d = campoItem("DESCONTO").asFloat() / 100.0;
    const QString arredondamento = parametro("ATARREDONDAMENTOITEM");
    double total = 0;
    if (arredondamento == "U" || arredondamento == "S")
        total = (Trunc2Casas(valor) - Trunc2Casas(valor * d)) * quantidade;
    else if (arredondamento == "C")
        total = Corta2Casas(quantidade * Trunc2Casas(valor - valor * d));
    else
        total = quantidade * (valor - valor * d);
    campoItem("TOTAL_UNIT").setAsFloat(total);
}

void TdmTec::quAssVendaItemAfterPost(Dataset& DataSet)
{
    // The line and its reservation are stored together; the header's totals
    // come last, so that a header that cannot be saved refuses only them.
    if (campoPedido("IMPRESSO_NF").asString() == "N")
        dmGlobal->AtualizaReservaEstoqueProduto(campoItem("CODIGO").asString(),
                                                campoItem("COD_EMB_COLECAO").asString());
    dmGlobal->IBTransaction1->commitRetaining();
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    DataSet.refresh();
    sAuxiliarGeral = CarregaDado("PRGERANS", "ACEC1101", " where CODIGO = " + QuotedStr(campoItem("CODIGO").asString()));
    gravaTotaisPedidoAss(*this);
}

void TdmTec::quAssVendaItemBeforeDelete(Dataset& DataSet)
{
    assvenda::RecusarLinhaDePedidoFechado();
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
    const QString senha = parametro("ATSENHAEXCLUSAOPEDIDO");
    if (DataSet.tag() != 9 && !senha.trimmed().isEmpty()) {
        if (!VerificaValidadeSenha(senha, "Senha de Exclusão de Pedido de Venda"))
            throw host::Abort();
        // Read again: another desk may have released the order while the
        // password was asked.
        assvenda::RecusarLinhaDePedidoFechado();
    }
    const QString produto = campoItem("CODIGO").asString();
    const QString pedido = campoItem("NUMERO_PEDIDO").asString();
    const int cod = campoItem("COD").asInteger();
    sCodigoExcluido = produto;

    // A back-order's line: the first configured line of its origin order
    // still pending for it goes with it.
    if (parametro("ATMODOPEDIDOASSISTENCIA") == "E" && campoPedido("IMPRESSO_NF").asString().trimmed() == "P") {
        const QString origem = campoPedido("VEPROPOSTA").asString();
        const QVariant pendente = host::db::selectValue(
            *dmGlobal->IBTransaction1,
            "select first 1 COD from AVEC85LX where numero_pedido = :ORIGEM and codigo = :PRODUTO"
            " and vecodigopendencia = :PEDIDO",
            {{"ORIGEM", origem}, {"PRODUTO", produto}, {"PEDIDO", campoPedido("NUMERO_PEDIDO").asString()}});
        if (pendente.isValid() && !pendente.isNull())
            DeletaRegistrosCommit("AVEC85LX", " where numero_pedido = " + QuotedStr(origem) + " and cod = " +
                                                  QuotedStr(pendente.toString()) + " and codigo = " + QuotedStr(produto));
    }

    const QString colecao = parametro("ATCOLECAOFECHADA");
    const QString componentes = "Where NUMERO_PEDIDO = " + QuotedStr(pedido);
    const QString geradas = " AND VEITCODIGOGENERICO = " + QuotedStr(produto) + " and obs = 'COLECAO FECHADA' ";
    if (colecao == "M" || colecao == "A")
        DeletaRegistros("AVEC85IT", componentes + " AND AUX3 = " + QuotedStr(QString::number(cod)) + geradas);
    else if (colecao == "V")
        DeletaRegistros("AVEC85IT", componentes + " AND VEITSEQUENCIAGENERICO = " + QString::number(cod) + geradas);

    ExcluirRegistroNumerosSerieProduto(" where PRCODIGO = " + QuotedStr(produto) + " and VECODIGO = " +
                                       QuotedStr(pedido) + " and coalesce(OPCODIGO, 0) = 0 ");
    DeletaRegistrosCommit("AUGC70OB", " where OBID = 'V' \r and OBCODIGO = " + QuotedStr(pedido) +
                                          " and OBSEQUENCIA = " + QString::number(cod));

    // What this line took from its origin order's delivered quantity goes back.
    const QString pedidoOrigem = campoItem("VEPEDIDOORIGEM").asString();
    const int sequenciaOrigem = campoItem("VEITSEQUENCIAORIGEM").asInteger();
    if (parametro("ATBAIXAPEDIDOORIGEM") == "C" && sequenciaOrigem > 0 && !pedidoOrigem.trimmed().isEmpty()) {
        host::db::executeSql(*dmGlobal->IBTransaction1,
                             "update avec85it set VEITENTREGAQUANTIDADE = VEITENTREGAQUANTIDADE - :QUANTIDADE"
                             " where numero_pedido = :ORIGEM and codigo = :PRODUTO and cod = :SEQUENCIA",
                             {{"QUANTIDADE", campoItem("QUANTIDADE").asFloat()},
                              {"ORIGEM", pedidoOrigem},
                              {"PRODUTO", produto},
                              {"SEQUENCIA", sequenciaOrigem}});
        dmGlobal->IBTransaction1->commitRetaining();
    }
    dmGlobal->MontaChavePrimariaExcluida(sAuxiliarExclusao, DataSet);
}

void TdmTec::quAssVendaItemAfterDelete(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
    // The deletion's own records are stored with it; the header's totals come
    // last, so that a header the user left unfit to save refuses only them.
    dmGlobal->GravaLog(IbUserName(),
                       "Deletou item do pedido de venda assistência" + campoPedido("NUMERO_PEDIDO").asString(),
                       sCodigoExcluido, "AVEC85IT", hoje(), QDateTime::currentDateTime());
    if (campoPedido("IMPRESSO_NF").asString() == "N")
        dmGlobal->AtualizaReservaEstoqueProduto(
            sCodigoExcluido, CarregaDado("cod_emb_colecao", "acec1101", "where codigo = " + QuotedStr(sCodigoExcluido)));
    dmGlobal->GravaChavePrimariaExcluida(sAuxiliarExclusao, "AVEC85IT");
    dmGlobal->IBTransaction1->commitRetaining();
    gravaTotaisPedidoAss(*this);
}

void TdmTec::quAssVendaItemAfterScroll(Dataset&)
{
    const QString produto = campoItem("CODIGO").asString();
    if (parametro("ATMODOPEDIDOASSISTENCIA") == "E")
        CarregaEspecificacaoProduto(produto);
    CarregarComposicaoEquipamento(produto);
}

void TdmTec::quAssVendaItemBeforeClose(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "BEFORECLOSE");
}

void TdmTec::quAssVendaItemCalcFields(Dataset&)
{
    auto valor = [this](const char* nome) { return campoItem(nome).asFloat(); };
    const double quantidade = valor("QUANTIDADE");
    const double total = valor("TOTAL_UNIT");
    const double impressa = valor("VEQUANTIDADEIMPRESSA");
    campoItem("VEITVALORLIQUIDO").setAsFloat(quantidade > 0 ? total / quantidade : 0);
    campoItem("VEITVALORLIQUIDOIMPRESSO").setAsFloat(impressa > 0 ? total / impressa : 0);
    if (valor("VEITENTREGATOTAL") > 0)
        campoItem("VEITENTREGASALDO").setAsFloat(valor("VEITENTREGATOTAL") - valor("VEITENTREGAQUANTIDADE"));
    if (valor("VEITCMV") > 0)
        campoItem("VEITVALORCMVTOTAL").setAsFloat(quantidade * valor("VEITCMV"));
    const QString cmv = parametro("ATCMVITEM");
    if (cmv == "S" || cmv == "M") {
        const double cmvTotal = valor("VEITVALORCMVTOTAL");
        campoItem("VEITVALORCMVDIFERENCA").setAsFloat(total - cmvTotal);
        const double alternativo = valor("VEITCUSTOALTERNATIVO");
        const double totalImpresso = valor("VEITTOTALIMPRESSO");
        if (cmv == "M" && !campoItem("PRCODIGOALTERNATIVO").asString().isEmpty() && alternativo > 0 &&
            quantidade > 0 && totalImpresso > 0)
            campoItem("VEITVALORCMVMARKUP").setAsFloat(alternativo * quantidade / totalImpresso);
        else if (total > 0 && cmvTotal > 0)
            campoItem("VEITVALORCMVMARKUP").setAsFloat(total / cmvTotal);
    }
    if (valor("PCO_CUSTO") > 0)
        campoItem("VEITVALORCUSTODIF").setAsFloat((valor("VALOR") / valor("PCO_CUSTO") - 1) * 100);
}

void TdmTec::quAssVendaItemQUANTIDADEChange(Field&)
{
    if (!quAssVendaItem->editing())
        quAssVendaItem->edit();
    DetachHandler semTotal(campoItem("TOTAL_UNIT").onChange);
    const double quantidade = campoItem("QUANTIDADE").asFloat();
    const double valor = campoItem("VALOR").asFloat();
    if (quantidade > 0 && valor > 0 && campoItem("VEITTOTALALTERADO").asString() != "S") {
        double total = quantidade * valor;
        const double desconto = campoItem("DESCONTO").asFloat();
        if (desconto != 0)
            total = Trunc2Casas(total - total * desconto / 100.0);
        campoItem("TOTAL_UNIT").setAsFloat(total);
    }
}

void TdmTec::quAssVendaItemQUANTIDADEValidate(Field&)
{
    campoItem("VEITQUANTIDADEALTERADA").setAsString("S");
}

void TdmTec::quAssVendaItemTOTAL_UNITChange(Field& Sender)
{
    DetachHandler semTotal(Sender.onChange);
    const double total = Trunc2Casas(Sender.asFloat());
    Sender.setAsFloat(total);
    const QString modo = parametro("ATMODOTOTALITEM");
    const double quantidade = campoItem("QUANTIDADE").asFloat();
    if ((modo == "S" || modo == "R") && quantidade > 0) {
        campoItem("VALOR").setAsFloat(total / quantidade);
        campoItem("VEITTOTALALTERADO").setAsString(total == 0 ? "N" : "S");
    }
}

void TdmTec::quAssVendaItemCODChange(Field& Sender)
{
    if (quAssVendaItem->state() != DatasetState::Edit)
        return;
    const QVariant anterior = Sender.oldValue();
    if (anterior.isNull() || anterior.toInt() == Sender.asInteger())
        return;
    UpdateCampoCommit("AUGC70OB", "OBSEQUENCIA", QString::number(Sender.asInteger()),
                      " where OBCODIGO = " + QuotedStr(campoItem("NUMERO_PEDIDO").asString()) + " and OBID = 'V' " +
                          " and OBSEQUENCIA = " + QString::number(anterior.toInt()));
}

void TdmTec::quAssVendaItemVEITCOMPLEMENTOGetText(Field& Sender, QString& Text, bool)
{
    Text = Sender.asString() == "S" ? QStringLiteral("Sim") : QStringLiteral("Não");
}

void TdmTec::CarregaEspecificacaoProduto(const QString& produto)
{
    dmGlobal->CarregaObservacao(produto, "P", 2);
}

void TdmTec::CarregarComposicaoEquipamento(const QString& produto)
{
    quEqpCfgComp->close();
    quEqpCfgComp->paramByName("PRCODIGO")->setAsString(produto.trimmed());
    try {
        quEqpCfgComp->open();
    } catch (const host::db::DbError&) {
        quEqpCfgComp->close();   // an equipment without a readable composition shows none
    }
}
