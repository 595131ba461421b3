// The assistance-order record: the loaders of a header, its lines, its
// configured lines and its change log, the header's defaults, save and
// captions, and the notes record.

#include "data/uDataTec.h"
#include "data/uDataTecConsultas.h"
#include "data/uDataTecPedidoAss.h"
#include "data/uDataTecTotaisOutraMesa.h"

#include "host/ClienteCadastrado.h"
#include "host/PilvCpr70.h"
#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/data/Abort.h"
#include "host/ui/Cursors.h"

#include <utility>

using host::data::Dataset;
using host::data::Field;

namespace pedidoass {

void recusarSerieDigitada(host::data::Dataset& linha)
{
    const QString digitado = linha.fieldByName("VEITNUMEROSERIE")->asString().trimmed();
    host::data::Field& produto = *linha.fieldByName("CODIGO");
    const bool mudou = linha.state() == host::data::DatasetState::Insert ||
                       linha.fieldByName("VEITNUMEROSERIE")->oldValue().toString().trimmed() != digitado ||
                       produto.oldValue().toString().trimmed() != produto.asString().trimmed();
    if (mudou && digitado != "<selecionado>")
        host::RecusarNumerosSerieForaDoProduto(produto.asString(), host::numerosSerieDigitados(digitado));
}

void renumerarLinhaNova(host::data::Field& cod, int proxima, const QString& pedido, int sinal)
{
    const int anterior = cod.asInteger();
    if (anterior >= 1 && anterior >= proxima)
        return;
    cod.setAsInteger(proxima);
    if (anterior >= 1)
        dmGlobal->ImportaObservacaoAdicional(pedido, QString::number(sinal * anterior), "V", pedido,
                                             QString::number(sinal * proxima), "V");
}

QString textoTipo(const QString& tipo)
{
    return tipo == "1" ? QStringLiteral("Pedido") : QStringLiteral("Proposta");
}

QString textoStatus(const QString& tipo, const QString& status)
{
    // "S" is compared as stored, the other letters without blanks.
    const QString letra = status == "S" ? status : status.trimmed();
    if (letra == "P")
        return QStringLiteral("(Pendência Pedido)");
    if (tipo == "1") {
        if (letra.isEmpty()) return QStringLiteral("(Pendente)");
        if (letra == "C") return QStringLiteral("(Em Produção)");
        if (letra == "N") return QStringLiteral("(Pronto para Faturar)");
        if (letra == "L") return QStringLiteral("(Liberado a Entrega)");
        if (letra == "S") return QStringLiteral("(Entregue)");
    } else if (tipo == "0") {
        if (letra.isEmpty()) return QStringLiteral("(Em Andamento)");
        if (letra == "S") return QStringLiteral("(Fechada)");
    }
    return {};
}

}  // namespace pedidoass

// ---- loaders ------------------------------------------------------------------

void CarregaPedidoAssVenda(const QString& numero, const QString& condicao)
{
    host::data::Query* pedido = dmTec->quAssVenda;
    pedido->close();
    // The number's own condition takes the place of the statement's pcod one.
    pedido->setSql(uDataTec::selectArmazenado("quAssVenda"));
    LimpaFiltro(pedido);
    AlocaFiltro(pedido, "Ped.Numero_Pedido = " + QuotedStr(numero));
    if (!condicao.trimmed().isEmpty())
        AlocaFiltro(pedido, condicao);
    pedido->open();
}

void TdmTec::CarregaPedidoAssVendaItem(const QString& numero, const QString& condicao, const QString& ordem)
{
    quAssVendaItem->close();
    quAssVendaItem->setSql(uDataTec::selectArmazenado("quAssVendaItem") + "\n where it.numero_pedido = " +
                           QuotedStr(numero) + " and coalesce(it.numero_pedido, '') <> '' ");
    if (!condicao.trimmed().isEmpty())
        AlocaFiltroFinal(quAssVendaItem, condicao);
    quAssVendaItem->setSql(quAssVendaItem->sql() + (ordem.trimmed().isEmpty() ? " order by it.cod" : ordem));
    if (quAssVenda->active() && !quAssVenda->isEmpty())
        quAssVendaItem->open();
    campoItem("VALOR").setReadOnly(false);
}

void TdmTec::CarregaPedidoAssVendaCotado(const QString& numero, const QString& ordem)
{
    quAssVendaCotado->close();
    quAssVendaCotado->setSql(uDataTec::selectArmazenado("quAssVendaCotado") + "\n where lx.numero_pedido = " +
                             QuotedStr(numero) + " and coalesce(lx.numero_pedido, '') <> '' " +
                             (ordem.trimmed().isEmpty() ? " order by Prod.PnCodigo, lx.Cod, Prod.Descricao " : ordem));
    if (quAssVenda->active() && !quAssVenda->isEmpty())
        quAssVendaCotado->open();
}

void TdmTec::CarregaControleAlteracoesPedidoAss(const QString& numero)
{
    quAssCtrlAlter->close();
    quAssCtrlAlter->paramByName("PEDIDO")->setAsString(numero);
    quAssCtrlAlter->open();
}

// ---- header record ----------------------------------------------------------------

void TdmTec::quAssVendaNewRecord(Dataset& DataSet)
{
    ZerarFloatField(DataSet);
    const QString modo = parametro("ATNOVOPEDIDOASSISTENCIA");
    QString tipo = modo == "O" ? QStringLiteral("Proposta") : modo == "V" ? QStringLiteral("Pedido") : QString();
    if (tipo.isEmpty())
        tipo = MostraPergunta("Deseja cadastrar um novo registro?", {"Proposta", "Pedido", "Cancelar"});
    if (tipo != "Proposta" && tipo != "Pedido") {
        DataSet.cancel();   // the append ends there, silently
        return;
    }
    campoPedido("AUX2").setAsString(tipo == "Proposta" ? "0" : "1");
    const QDateTime hoje = ::hoje();
    campoPedido("DATA_EMISSAO").setAsDateTime(hoje);
    campoPedido("VEDATANEGOCIACAO").setAsDateTime(hoje);
    for (const char* marca : {"VEPEDIDOIMPRESSO", "VEPEDIDOIMPRESSO2VIA", "VECREDITO", "VERECIBO"})
        campoPedido(marca).setAsString("N");
    campoPedido("IMPRESSO_NF").clear();
    campoPedido("VELOCAL").setAsString(parametro("ATLOCALPADRAO"));
    const QString cliente = parametro("ATCLIENTEPADRAO");
    if (!cliente.trimmed().isEmpty())
        campoPedido("CODIGO_CLIENTE").setAsString(cliente);
    const QString operador = parametro("ATOPERADORPEDIDO");
    if (operador == "T")
        return;
    if (operador == "U")
        campoPedido("OPERADOR").setAsString(IbUserName());
    campoPedido("FRETE").setAsString(parametro("ATFRETEPADRAO") == "1" ? "1" : "2");
}

void TdmTec::quAssVendaBeforePost(Dataset& DataSet)
{
    host::ui::WaitCursor ampulheta;
    Field& status = campoPedido("IMPRESSO_NF");
    statusAlteradoPedidoAss_ = DataSet.state() == host::data::DatasetState::Insert
                                   ? !status.asString().trimmed().isEmpty()
                                   : status.oldValue().toString() != status.asString();
    try {
        if (campoPedido("AUX1").asFloat() < 0)
            campoPedido("AUX1").setAsFloat(0);
        if (campoPedido("VELOCAL").asString().trimmed().isEmpty())
            campoPedido("VELOCAL").setAsString(parametro("ATLOCALPADRAO"));
        const QDateTime hoje = ::hoje();
        if (campoPedido("DATA_EMISSAO").isNull())
            campoPedido("DATA_EMISSAO").setAsDateTime(hoje);
        if (campoPedido("DATA_ENTREGA").isNull() && parametro("ATDATAENTREGAHOJE") == "S")
            campoPedido("DATA_ENTREGA").setAsDateTime(hoje);

        const QString naoInformado = QStringLiteral("Campo '%1' não informado.");
        if (campoPedido("CODIGO_CLIENTE").asString().isEmpty())
            dmGlobal->MostraErro(naoInformado.arg("Cliente"));
        const std::pair<const char*, const char*> contatos[] = {{"ANCODIGOCONTATO", "Contato"},
                                                                {"ANCODIGOENTREGA", "Contato de Entrega"},
                                                                {"ANCODIGOCOBRANCA", "Contato de Cobrança"}};
        // The customer's contacts are offered only under the rental contracts
        // option: without it the user is told which setting, and where.
        const QString semOpcao = parametroAparado("ATOPCAOCONTRATO") == "E"
                                     ? QString()
                                     : QStringLiteral("\rOs contatos do cliente são oferecidos com o parâmetro "
                                                      "ATOPCAOCONTRATO igual a \"E\" (Sistema > Parâmetros...).");
        for (const auto& [coluna, nome] : contatos)
            if (campoPedido(coluna).asInteger() <= 0)
                dmGlobal->MostraErro(naoInformado.arg(QString::fromUtf8(nome)) + semOpcao);
        // Checked where a person or the customer changed: an order keeps
        // saving with what it was stored with.
        Field& cliente = campoPedido("CODIGO_CLIENTE");
        const bool todos = DataSet.state() == host::data::DatasetState::Insert ||
                           cliente.asString().trimmed() != cliente.oldValue().toString().trimmed();
        host::ExigeContatosDoCliente(cliente.asString(), contatosPedido(!todos), "Contato");

        Field& numero = campoPedido("NUMERO_PEDIDO");
        if (numero.asString().isEmpty() || DataSet.state() == host::data::DatasetState::Insert)
            numero.setAsString(dmGlobal->ProximoNumeroVendas(campoPedido("VELOCAL").asString(), {}, {}));
        if (numero.asString() == "00000")
            numero.setAsString("00001");
        campoPedido("UGMODIFICADO").setAsDateTime(QDateTime::currentDateTime());
        PedidoAssVendaAtualizarTotalizador();
        ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
    } catch (...) {
        dmGlobal->MostraAviso("Não Foi Possível Salvar Pedido.", true);
    }
}

void TdmTec::quAssVendaAfterPost(Dataset&)
{
    tentativasTotaisPedidoAss_ = 0;
    if (std::exchange(statusAlteradoPedidoAss_, false))
        RegistraAlteracaoStatusPedidoAss();
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTec::quAssVendaPostError(Dataset&)
{
    // What the totals of the lines write, and the stamp of every save.
    static const QStringList totais = {
        "VALOR_TOTAL", "VALOR_ICMS", "VALOR_IPI", "VEVALORTOTALCMV", "VEVALORRENTABILIDADE", "VEVALORSUBST",
        "VEBASESUBST", "VEBASEICMS", "VEBASEIPI", "VEPIS", "VEIR", "VEINSS", "VECSLL", "VECOFINS",
        "VEVALORIMPOSTO", "VEVALORIMPOSTOPERC", "VEVALORTOTALCOMISSAO", "VEVALORTOTALCOMISSAOPERC",
        "VEVALORTOTALLIQUIDO", "VEVALORTOTALCMVPERC", "VEVALORCONTRIBUICAO", "VEVALORCONTRIBUICAOPERC",
        "VEVALORCUSTOFINANCEIRO", "VEVALORCUSTOFINANCEIROPERC", "VEVALORFRETEPERC", "VEVALORCUSTOFIXO",
        "VEVALORCUSTOFIXOPERC", "VEVALORRENTABILIDADEPERC", "VEPESOLIQUIDO", "VEPESOBRUTO", "UGMODIFICADO"};
    uDataTec::regravarComTotaisDeOutraMesa(
        *quAssVenda, totais,
        [this] {
            PedidoAssVendaAtualizarTotalizador();
            campoPedido("UGMODIFICADO").setAsDateTime(QDateTime::currentDateTime());
        },
        tentativasTotaisPedidoAss_);
}

void TdmTec::quAssVendaAfterScroll(Dataset&)
{
    CarregaContatosCliente(campoPedido("CODIGO_CLIENTE").asString());
}

void TdmTec::quAssVendaCODIGO_CLIENTEValidate(Field& Sender)
{
    const QString cliente = Sender.asString();
    if (cliente.isEmpty())
        return;
    if (!quAssVenda->editing())
        quAssVenda->edit();
    const QString condicao = " where CODIGO_CLIENTE = " + QuotedStr(cliente);
    campoPedido("CODIGO_VENDEDOR").setAsString(CarregaDado("CODIGO_REPRESENTACAO", "AUGC0301", condicao));
    campoPedido("BCCODIGO").setAsString(CarregaDado("COBRANCA", "AUGC0301", condicao));
    CarregaContatosCliente(cliente);
    const QString bloqueio = parametro("ATBLOQUEIOATRASO");
    if (bloqueio == "S" || bloqueio == "A")
        dmGlobal->PVVerificaBloqueioAtraso(cliente, true);
}

std::vector<Field*> TdmTec::contatosPedido(bool soAlterados) const
{
    std::vector<Field*> campos;
    for (const char* nome : {"ANCODIGOCONTATO", "ANCODIGOENTREGA", "ANCODIGOCOBRANCA", "ANCODIGOREQUISITANTE",
                             "ANCODIGOAPROVADOR"}) {
        Field& campo = campoPedido(nome);
        if (!soAlterados || campo.value() != campo.oldValue())
            campos.push_back(&campo);
    }
    return campos;
}

void TdmTec::quAssVendaCODIGO_CLIENTEChange(Field& Sender)
{
    // The people of the customer before are not this one's to name (an
    // emptied box changes nothing).
    if (Sender.asString().trimmed().isEmpty())
        return;
    for (Field* contato : host::ContatosDeOutroCliente(Sender.asString(), contatosPedido(false)))
        contato->clear();
    CarregaContatosCliente(Sender.asString());
}

void TdmTec::quAssVendaNUMERO_PEDIDOChange(Field& Sender)
{
    const QString numero = Sender.asString();
    if (numero.trimmed().isEmpty())
        return;
    CarregaPedidoAssVendaItem(numero, {}, {});
    CarregaPedidoAssVendaCotado(numero, {});
}

void TdmTec::quAssVendaAUX2GetText(Field& Sender, QString& Text, bool)
{
    Text = pedidoass::textoTipo(Sender.asString());
}

void TdmTec::quAssVendaIMPRESSO_NFGetText(Field& Sender, QString& Text, bool)
{
    Text = pedidoass::textoStatus(campoPedido("AUX2").asString(), Sender.asString());
}

void TdmTec::quAssVendaVEENVIACONTRATOGetText(Field& Sender, QString& Text, bool)
{
    const QString valor = Sender.asString();
    Text = valor == "1" ? QStringLiteral("1 - Sim")
         : valor == "2" ? QStringLiteral("2 - Não")
         : valor == "3" ? QStringLiteral("3 - Não Possui")
                        : QString();
}

// ---- notes ----------------------------------------------------------------------

void TdmTec::quAssVendaObsBeforeOpen(Dataset&)
{
    quAssVendaObs->paramByName("veCodigo")->setAsString(
        quAssVenda->active() ? campoPedido("NUMERO_PEDIDO").asString() : QString());
}

void TdmTec::quAssVendaObsBeforePost(Dataset&)
{
    quAssVendaObs->fieldByName("VECODIGO")->setAsString(campoPedido("NUMERO_PEDIDO").asString());
}
