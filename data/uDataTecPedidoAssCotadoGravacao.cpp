// The save of a configured line: required values, under mode "C" the
// serial-numbered units chosen and booked against the order, the line
// total, and under mode "E" the back-order check and the link to one of the
// order's requested lines, whose price and text the line takes.
//
// The movements a save deletes before its serial picker are kept under a
// savepoint until the serial step ends, so a refusal leaves them as they were;
// likewise the back-order line of mode "E" until its requested line is linked.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"
#include "data/uDataTecPedidoAssTela.h"

#include "host/PilvCpr70.h"
#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/Upesqprod.h"
#include "host/db/Database.h"

using host::data::Dataset;
using host::data::DatasetState;
using pedidoass::kAbortada;

namespace {

int selecionarNumerosSerie(const QString& produto, const QString& condicao, const QString& pedido, QString& lista,
                           int unico)
{
    return SelecionaNumerosSerie("D", produto, condicao, pedido, QString(), pedido, QString(), 0, 0, lista, 1, 0, 0,
                                 0, 0, 0, 0, unico);
}

}  // namespace

void TdmTec::quAssVendaCotadoBeforePost(Dataset& DataSet)
{
    assvenda::RecusarLinhaDePedidoFechado();
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
    if (!DataSet.editing())
        DataSet.edit();
    const QString naoInformado = QStringLiteral("Campo '%1' não informado.");
    if (campoCotado("CODIGO").isNull())
        dmGlobal->MostraErro("Produto Inválido!");
    if (campoCotado("NUMERO_PEDIDO").asString().isEmpty())
        campoCotado("NUMERO_PEDIDO").setValue(campoPedido("NUMERO_PEDIDO").value());
    if (campoCotado("NUMERO_PEDIDO").isNull())
        dmGlobal->MostraErro(naoInformado.arg("Numero Documento"));
    if (campoCotado("CODIGO").isNull())
        dmGlobal->MostraErro(naoInformado.arg("Código"));

    // Taken again: another desk may have saved a line of the order since this one was created.
    if (quAssVendaCotado->state() == DatasetState::Insert) {
        const QString pedido = campoCotado("NUMERO_PEDIDO").asString();
        pedidoass::renumerarLinhaNova(campoCotado("COD"), SequenciaVendasCotacao(pedido), pedido, -1);
    }
    const QString modo = parametro("ATMODOPEDIDOASSISTENCIA");
    if (modo == "C")
        PVAssCotadoNumerosSerie();
    pedidoass::recusarSerieDigitada(*quAssVendaCotado);
    if (DataSet.editing())
        campoCotado("TOTAL_UNIT").setAsFloat(
            Trunc2Casas(campoCotado("QUANTIDADE").asFloat() * campoCotado("VALOR").asFloat()));
    if (modo == "E")
        PVAssCotadoEquipamentoSolicitado();
}

void TdmTec::PVAssCotadoNumerosSerie()
{
    const QString pedido = campoCotado("NUMERO_PEDIDO").asString();
    const QString produto = campoCotado("CODIGO").asString();
    if (quAssVendaCotado->state() == DatasetState::Insert &&
        CarregaNumeroInteiro("COUNT(*)", "AVEC85LX",
                             " where numero_pedido = " + QuotedStr(pedido) + " and codigo = " + QuotedStr(produto)) > 0)
        dmGlobal->MostraAviso(kAbortada + "Código do Produto já inserido no Pedido.", true);

    const QString regra = CarregaDado("PRGERANS", "ACEC1101", " where CODIGO = " + QuotedStr(produto)).trimmed();
    const bool varios = regra == "O" && campoCotado("VEITNUMEROSERIE").asString().trimmed().isEmpty();
    if (!varios && regra != QStringLiteral("Ú"))
        return;

    host::db::Savepoint movimentos(*dmGlobal->IBTransaction1);
    ExcluirRegistroNumerosSerieProduto(" where PRCODIGO = " + QuotedStr(produto) + " and VECODIGO = " +
                                       QuotedStr(pedido) + " and coalesce(OPCODIGO, 0) > 0 ");
    // The order's own pieces, and none out on a contract or on another order.
    const host::LinhaNumeroSerie linha{0, 0, pedido};
    const QString livres = host::CondicaoNumeroSerieLivre(linha);
    auto reservar = [&](const QString& numeros) {
        // What another desk took since the picker listed it is refused here.
        host::TomarNumerosSerie(produto, host::numerosSerieDaLista(numeros), linha);
        const QString local = CarregaDado("coalesce(CODIGO, '')", "ACEC1401", " where LESTATUSPEDIDO = '2' ");
        const QString nota = campoPedido("AUX2").displayText().trimmed() + " " +
                             campoPedido("IMPRESSO_NF").displayText().trimmed();
        InserirRegistroNumerosSerieProduto(numeros, produto, "D", pedido, QString(), pedido, QString(), QString(),
                                           QString(), local, nota, 0, 0, 0, 0, 0);
    };
    QString lista;
    if (varios) {
        const int escolhidos = selecionarNumerosSerie(
            produto, host::CondicaoMovimentoAtual("ns") + livres,
            pedido, lista, 0);
        if (escolhidos > 0) {
            if (quAssVendaCotado->editing()) {
                campoCotado("QUANTIDADE").setAsFloat(escolhidos);
                reservar(lista);
                campoCotado("VEITNUMEROSERIE").setAsString("<selecionado>");
            }
        } else if (escolhidos == -1) {
            dmGlobal->MostraAviso("Número(s) de Série não disponível(eis)!", true);
        } else {
            dmGlobal->MostraAviso("Número(s) de Série não selecionado(s)!", false);
        }
    } else {
        const QString origem = CarregaDado("coalesce(CODIGO, '')", "ACEC1401", " where LEORIGEM = 'S' ");
        const QString condicao = " and (coalesce(VECODIGO, '') = ''  or coalesce(VECODIGO, '') = " + QuotedStr(pedido) +
                                 ") " + " and coalesce(OCCODIGO, 0) = 0 " + " and coalesce(OPCODIGO, 0) = 0 " +
                                 " and coalesce(CMCODIGO, '') = '' " + " and coalesce(ACCODIGO, 0) = 0 " +
                                 " and coalesce(AOCODIGO, 0) = 0 " + " and lecodigo = " + QuotedStr(origem) + livres;
        if (selecionarNumerosSerie(produto, condicao, pedido, lista, 1) == 1) {
            if (quAssVendaCotado->editing()) {
                campoCotado("QUANTIDADE").setAsFloat(1);
                const QString numero = QString(lista).remove('\'');
                reservar(numero);
                campoCotado("VEITNUMEROSERIE").setAsString(numero.trimmed());
            }
        } else {
            const QString local = CarregaDado("coalesce(ns.lecodigo, '0')", "augc50ns ns",
                                              " where ns.prcodigo = " + QuotedStr(produto) +
                                                  " and ns.nscodigo = (select max(mx.nscodigo) " +
                                                  "                    from augc50ns mx " +
                                                  "                    where mx.prcodigo = ns.prcodigo) ");
            const QString nome =
                CarregaDado("coalesce(DESCRICAO, 'Não Definido')", "ACEC1401", " where CODIGO = " + QuotedStr(local));
            dmGlobal->MostraAviso("Este Equipamento não se Encontra em Estoque ou Produção.\r"
                                  "Não é Possível Realizar esta Operação! \r" +
                                      QStringLiteral("Local Atual: ") + nome + ".",
                                  true);
        }
    }
    // Read again: another desk may have released the order while the serial
    // numbers were chosen; what was booked goes with the refusal.
    assvenda::RecusarLinhaDePedidoFechado();
    movimentos.release();
}

void TdmTec::PVAssCotadoEquipamentoSolicitado()
{
    const QString pendencia = campoCotado("VECODIGOPENDENCIA").asString().trimmed();
    if (!pendencia.isEmpty())
        dmGlobal->MostraAviso(kAbortada + "O item está inserido em Pedido de Pendência \"" + pendencia + "\".", true);
    const QString pedido = campoCotado("NUMERO_PEDIDO").asString();
    // The back-order line the stock check adds is this save's: a refusal
    // below takes it back, the line's own commit stores it. The back-order
    // itself, made and committed by its own unit, stays for the next line.
    host::db::Savepoint pendente(*dmGlobal->IBTransaction1);
    if (!PVAssVerificaEstoquePendencia("AVEC85LX", pedido, campoCotado("CODIGO").asString(),
                                       campoCotado("COD").asString(), campoPedido("OPERACAO").asString(),
                                       campoCotado("OBS").asString(), campoPedido("VECODIGOPENDENCIA").asString(),
                                       campoCotado("QUANTIDADE").asFloat(), campoCotado("VALOR").asFloat()))
        dmGlobal->MostraAviso("Aviso: operação abortada!", true);

    QString produto;
    int linha = 0;
    double valor = 0;
    if (!SelecionaAssEquipamentosSolicitados(pedido, produto, linha, valor))
        dmGlobal->MostraAviso(kAbortada + "O Código do Equipamento Solicitado Referente não foi Selecionado!", true);
    // Read again: another desk may have released the order while its
    // requested line was chosen; refused before the line takes that line's text.
    assvenda::RecusarLinhaDePedidoFechado();
    // A line saved again gives back what it stored against its requested line.
    const int propria = quAssVendaCotado->state() == DatasetState::Edit ? campoCotado("COD").oldValue().toInt() : 0;
    if (!VerificaAssQtdeEquipamentoVinculado(pedido, QString::number(linha), produto, propria))
        dmGlobal->MostraAviso(kAbortada + "O Equipamento Referente \"" + produto + "\" não Possui mais Qtde. Disponível!",
                              true);
    if (quAssVendaCotado->editing()) {
        campoCotado("VEITCODIGOREF").setAsString(produto);
        campoCotado("VEITCODREF").setAsInteger(linha);
        campoCotado("VALOR").setAsFloat(Trunc2Casas(valor));
        campoCotado("TOTAL_UNIT").setAsFloat(
            Trunc2Casas(campoCotado("QUANTIDADE").asFloat() * campoCotado("VALOR").asFloat()));
        dmGlobal->ImportaObservacaoAdicional(pedido, QString::number(linha), "V", pedido,
                                             QString::number(-campoCotado("COD").asInteger()), "V");
    }
    pendente.release();
}
