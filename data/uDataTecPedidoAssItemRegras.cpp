// The small rules of a requested line (quAssVendaItem): the captions of its
// one-letter columns, the delivery kind, the location and group checks, the
// currency rate, and the typed quantity and printed quantity with their
// stock question.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"

#include "host/Udatamod.h"
#include "host/UdmglobalPrecos.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Format.h"
#include "host/data/HandlerGuard.h"

using host::data::DatasetState;
using host::data::DetachHandler;
using host::data::Field;

// ---- captions ----------------------------------------------------------------

void TdmTec::quAssVendaItemVEITENTREGAGetText(Field& Sender, QString& Text, bool)
{
    const QString letra = Sender.asString();
    if (letra == "I")
        Text = QStringLiteral("Imediata");
    else if (letra == "F")
        Text = QStringLiteral("Futura");
    else if (letra == "E")
        Text = QStringLiteral("Entregue");
    else if (letra == "C")
        Text = QStringLiteral("Cancelado");
    else
        Text = letra;
}

void TdmTec::quAssVendaItemVEITOPCAOMANUALGetText(Field& Sender, QString& Text, bool)
{
    const QString letra = Sender.asString();
    Text = letra == "N" ? QStringLiteral("Normal") : letra == "I" ? QStringLiteral("Impresso") : QString();
}

void TdmTec::quAssVendaItemVEITPROMOCAOGetText(Field& Sender, QString& Text, bool)
{
    const QString letra = Sender.asString();
    Text = letra == "C" ? QStringLiteral("Cliente") : RetornaSituacaoEquivalente(letra, "SIMNAO");
}

void TdmTec::quAssVendaItemSIMNAOGetText(Field& Sender, QString& Text, bool)
{
    Text = RetornaSituacaoEquivalente(Sender.asString(), "SIMNAO");
}

void TdmTec::quAssVendaItemVEITEQUIPAMENTOCFGGetText(Field& Sender, QString& Text, bool)
{
    Text = Sender.asString() == "S" ? QStringLiteral("Sim") : QStringLiteral("Não");
}

// ---- field rules -------------------------------------------------------------

void TdmTec::quAssVendaItemVEITENTREGASetText(Field& Sender, const QString& Text)
{
    Sender.setAsString(Text.toUpper());
}

void TdmTec::quAssVendaItemVEITENTREGAValidate(Field& Sender)
{
    if (Sender.asString() == "E")
        dmGlobal->MostraAviso("Só é possível escolher a opção entregue após emitir nota fiscal do pedido!", true);
}

// Bound as the field's validation, so a refused location never replaces the
// one the line had.
void TdmTec::quAssVendaItemLECODIGOChange(Field& Sender)
{
    const QString local = Sender.asString().trimmed();
    if (!local.isEmpty() && ContadorDados("codigo", "acec1401", local) < 1)
        dmGlobal->MostraAviso("Local inválido", true);
}

void TdmTec::quAssVendaItemGRCODIGOChange(Field& Sender)
{
    const QString grupo = Sender.asString();
    if (!grupo.isEmpty())
        campoItem("DESCRICAOGRUPO").setAsString(CarregaDado("DESCRICAO", "ACEC1201", "Where Codigo = " + QuotedStr(grupo)));
}

void TdmTec::quAssVendaItemMOCODIGOChange(Field& Sender)
{
    const QString moeda = Sender.asString().trimmed();
    if (!moeda.isEmpty() && moeda != "00")
        campoItem("VEITMOEDACOTACAO").setAsFloat(CotacaoMoedaZero(moeda, campoPedido("DATA_EMISSAO").asDateTime()));
}

// ---- quantities --------------------------------------------------------------

QString TdmTec::TiraPonto(const QString& texto)
{
    QString semPontos = texto;
    return semPontos.remove('.');
}

double TdmTec::PVItemQuantidadeJaLancada()
{
    // A new line takes its order number at its save, and a number of its own
    // maybe only then: until then they are the header's and 0.
    QString pedido = campoItem("NUMERO_PEDIDO").asString();
    if (pedido.isEmpty())
        pedido = campoPedido("NUMERO_PEDIDO").asString();
    return CarregaNumero("sum(QUANTIDADE)", "Avec85it",
                         "where numero_pedido = " + QuotedStr(pedido) +
                             " and codigo = " + QuotedStr(campoItem("CODIGO").asString()) + " and cod <> " +
                             QuotedStr(QString::number(campoItem("COD").asInteger())) + " and QUANTIDADE > 0 ");
}

namespace {

double numeroQuantidade(const QString& texto)
{
    double numero = 0;
    if (!host::data::parseFloatText(texto, numero))
        host::abortOperation();
    return numero;
}

}  // namespace

// The availability question of a proposal; "Não" ends the entry.
void TdmTec::PVAssPerguntaDisponibilidade(double digitado)
{
    const QString modoReserva = parametro("ATMODORESERVAITEM");
    const QString produto = campoItem("CODIGO").asString();
    const double reservado = modoReserva == "A"
                                 ? campoItem("RESERVADO").asFloat()
                                 : dmGlobal->Reservado(produto, false, campoItem("COD_EMB_COLECAO").asString());
    double disponivel = campoItem("ESTOQUE").asFloat();
    if (modoReserva == "L")
        disponivel += reservado;
    const double jaLancado = PVItemQuantidadeJaLancada();
    VerificaVendaEstoqueLocal(produto, campoItem("LECODIGO").asString(), campoItem("QUANTIDADE").asFloat() + jaLancado,
                              "");
    const QString aviso = parametro("ATAVISOESTOQUEITEM");
    const bool perguntar = digitado + jaLancado > disponivel && campoItem("ORIGEM").asString() != "7" &&
                           campoPedido("TIPO_OP").asString() != "C" && campoPedido("OPERACAO").asString() != "00000" &&
                           campoPedido("AUX2").asString() != "1" && (aviso == "N" || aviso == "A");
    if (!perguntar)
        return;
    const QString mensagem = "Quantidade insuficiente disponível de \"" + campoItem("DESCRICAO").asString() +
                             "\". Total do produto disponível: " + host::data::formatFloat("0.00", disponivel) + "." + "\n" +
                             "Quantidade Reservada: " + host::data::formatFloatGeneral(reservado) + "." + "\n" +
                             "Total Lançado no Pedido: " + host::data::formatFloat("0.##", digitado + jaLancado) + "." + "\n" +
                             "Deseja continuar?";
    if (dmGlobal->MostraPergunta(mensagem, {"Sim", "Não"}) == "Não")
        host::abortOperation();
}

void TdmTec::quAssVendaItemQUANTIDADESetText(Field& Sender, const QString& Text)
{
    // A text that is no number is refused with the field's own message, and
    // the quantity stays: it never silently becomes 0.
    double digitado = 0;
    if (!host::data::parseFloatText(Text, digitado))
        throw host::data::DatasetError(QString("'%1' não é um valor numérico válido.").arg(Text));
    try {
        const double semPontos = numeroQuantidade(TiraPonto(Text));
        bool fracionada = false;
        double fracao = 0;
        if (parametro("ATFRACIONAMENTOITEM") == "S") {
            fracao = dmGlobal->VerificaUnidadeFracionamento(campoItem("UNIDADE_MEDIDA").asString(), semPontos, true, true);
            Sender.setAsFloat(fracao);
            fracionada = true;
        }
        if (quAssVendaItem->state() != DatasetState::Edit && quAssVendaItem->state() != DatasetState::Insert)
            quAssVendaItem->edit();
        if (parametro("ATMODOPEDIDOASSISTENCIA") != "E")
            PVAssPerguntaDisponibilidade(digitado);
        Sender.setAsFloat(fracionada ? fracao : digitado);
    } catch (...) {
        Sender.setAsFloat(0);
    }
}

void TdmTec::quAssVendaItemVEQUANTIDADEIMPRESSASetText(Field& Sender, const QString& Text)
{
    double impressa = 0;
    if (!host::data::parseFloatText(Text, impressa))
        throw host::data::DatasetError(QString("'%1' não é um valor numérico válido.").arg(Text));
    if (parametro("ATMODOTOTALITEM") == "R" && campoItem("VEITTOTALALTERADO").asString() == "S") {
        DetachHandler semTotal(campoItem("TOTAL_UNIT").onChange);
        campoItem("TOTAL_UNIT").setAsFloat(impressa * campoItem("VEITVALORLIQUIDOIMPRESSO").asFloat());
    }
    if (parametro("ATFRACIONAMENTOITEM") == "Q")
        Sender.setAsFloat(dmGlobal->VerificaUnidadeFracionamento(campoItem("UNIDADE_MEDIDA").asString(),
                                                                 numeroQuantidade(TiraPonto(Text)), true, true));
    else
        Sender.setAsFloat(impressa);
}

void TdmTec::quAssVendaItemVEQUANTIDADEIMPRESSAChange(Field& Sender)
{
    DetachHandler semRegra(Sender.onChange);
    if (parametro("ATGRAVAQTDEIMPRESSA") == "I")
        SalvarAlteracoes(*quAssVendaItem);
    if (parametro("ATOPCAOVALORMANUAL") == "R") {
        quAssVendaItem->edit();
        const QString resposta = dmGlobal->MostraPergunta(
            "Deseja calcular valor manual dos itens pelo valor normal ou valor impresso?", {"Normal", "Impresso"});
        campoItem("VEITOPCAOMANUAL").setAsString(resposta == "Impresso" ? "I" : "N");
    }
}
