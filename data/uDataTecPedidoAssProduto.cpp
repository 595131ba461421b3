// A product put into a requested line (quAssVendaItem): the ways a code
// reaches CODIGO, and the entry pass that looks the product up, refuses what
// may not be sold, copies the product into the line, sets commission,
// location, ICMS and IPI, prices it through the cascade, and then, for every
// change of the code, derives the values, the fiscal operation, the measures
// question, the reservation and the product's texts.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"
#include "data/uDataTecPedidoAssPreco.h"

#include "host/Udatamod.h"
#include "host/UdmglobalPrecos.h"
#include "host/Uglobal.h"
#include "host/Upesqprod.h"
#include "host/Uprodutocodigofabricante.h"
#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"

using host::data::DatasetState;
using host::data::DetachHandler;
using host::data::Field;
using host::data::Query;

// ---- the ways in -------------------------------------------------------------

void TdmTec::quAssVendaItemCODIGOSetText(Field& Sender, const QString& Text)
{
    double fator = 1;
    const QString codigo = dmGlobal->RetornaCodigoProduto(Text, "", fator);
    rFatorCodigoBarras = fator;
    Sender.setAsString(codigo);
}

void TdmTec::quAssVendaItemCOD_LISTA_PRECOChange(Field& Sender)
{
    const QString lista = Sender.asString();
    if (!lista.isEmpty())
        campoItem("CODIGO").setAsString(CarregaDado("CODIGO", "ACEC1101", "Where COD_LISTA_PRECO = " + QuotedStr(lista)));
}

void TdmTec::quAssVendaItemPRCODIGOFORNECEDORChange(Field& Sender)
{
    SelecionaProdutoCodigoFabricante(Sender.asString(), &campoItem("CODIGO"));
}

void TdmTec::quAssVendaItemDESCRICAOChange(Field& Sender)
{
    if (parametro("ATMODOPRODUTOITEM") != "D")
        return;
    DetachHandler semRegra(Sender.onChange);
    SelecionaProdutoDescricao(Sender.asString(), &campoItem("CODIGO"));
}

void TdmTec::quAssVendaItemDACODIGOALTERNATIVOChange(Field& Sender)
{
    const QString alternativo = Sender.asString();
    const QString cliente = campoPedido("CODIGO_CLIENTE").asString();
    if (alternativo.isEmpty() || cliente.isEmpty())
        return;
    campoItem("CODIGO").setAsString(CarregaDado("PRCODIGO", "ACEC11DA",
                                                "Where DAIDENTIFICADOR = 'C' and DACODIGOEMITENTE = " +
                                                    QuotedStr(cliente) + " and DACODIGOALTERNATIVO=" +
                                                    QuotedStr(alternativo)));
}

// ---- the entry pass ----------------------------------------------------------

namespace {

// The product query's column.
Field* colunaProdutoItem(const char* nome)
{
    return dmGlobal->quAuxiliar->fieldByName(QString::fromLatin1(nome));
}

QString textoProdutoItem(const char* nome)
{
    return colunaProdutoItem(nome)->asString();
}

double numeroProdutoItem(const char* nome)
{
    return colunaProdutoItem(nome)->asFloat();
}

// Both auxiliary queries are closed on every way out of the pass.
struct FechaAuxiliaresItem {
    ~FechaAuxiliaresItem()
    {
        dmGlobal->quAuxiliar->close();
        dmGlobal->quAuxiliar2->close();
    }
};

}  // namespace

bool TdmTec::PVAssAbrirProdutoItem(const QString& codigo)
{
    Query& aux = *dmGlobal->quAuxiliar;
    aux.close();
    // One ESTOQUE_LOCAL only, the product's own stock the line shows: a
    // dataset holds one field per name.
    aux.setSql(QString("select  Prod.*, Mar.Marca , ") + "  PROD.ESTOQUE AS ESTOQUE_LOCAL      " +
               "from acec1101 Prod " + "Left Outer Join Acec1301 Mar         " +
               "  On (Prod.Cod_Emb_Colecao=Mar.Codigo) " + "where (Prod.codigo)=" + QuotedStr(codigo.toUpper()));
    aux.open();
    return !aux.isEmpty();
}

void TdmTec::PVAssRecusasProdutoItem(const QString& codigo)
{
    const QString cliente = campoPedido("CODIGO_CLIENTE").asString();
    if (parametro("ATPRODUTOPORCLIENTE") == "S" &&
        ContadorDados("clcodigo", "acec11pd", cliente, "and prCodigo = " + QuotedStr(codigo.toUpper())) <= 0)
        dmGlobal->MostraAviso("Produto não permitido para esse cliente.", true);
    if (textoProdutoItem("PRIMUNE") == "S") {
        sAuxiliarGeral = CarregaDado("clInscricaoGp", "Augc0301", "Where codigo_cliente = " + QuotedStr(cliente));
        if (sAuxiliarGeral.trimmed().isEmpty()) {
            {
                DetachHandler semRegra(campoItem("CODIGO").onChange);
                campoItem("CODIGO").setAsString(QString());
            }
            dmGlobal->MostraAviso("Cliente não possui inscrição GP para venda de produtos com imunidade!", true);
        }
    }
}

void TdmTec::PVAssCopiarProdutoItem()
{
    auto copiar = [this](const char* destino, const char* origem) {
        campoItem(destino).setValue(colunaProdutoItem(origem)->value());
    };
    copiar("ICMS_PARA_REDUCAO", "ICMS_PARA_REDUCAO");
    copiar("ORIGEM", "COM_FAB_S_FS");
    copiar("OUTRO_CODIGO", "OUTRO_CODIGO");
    copiar("VEITUNIDADE", "UNIDADE_MEDIDA");
    copiar("COD_EMB_COLECAO", "COD_EMB_COLECAO");
    copiar("MARCA", "MARCA");
    copiar("GRUPO", "GRUPO");
    copiar("GRCODIGO", "GRUPO");
    for (const char* mesmo : {"PRCOR", "PRGARANTIA", "PRTAMANHO", "PRPOSICIONAMENTO"})
        copiar(mesmo, mesmo);
    {
        DetachHandler semRegra(campoItem("COD_LISTA_PRECO").onChange);
        copiar("COD_LISTA_PRECO", "COD_LISTA_PRECO");
    }
    for (const char* mesmo : {"ESTOQUE_MINIMO", "PCO_VDA_ANTERIOR", "PRPRECOSUGERIDO"})
        copiar(mesmo, mesmo);
    copiar("ESTOQUE_TOTAL", "ESTOQUE");
    copiar("ESTOQUE_LOCAL", "ESTOQUE_LOCAL");
    copiar("VEITCUSTO", "PCO_CUSTO");
    const QString moeda = textoProdutoItem("MOMOEDA").trimmed();
    if (!moeda.isEmpty())
        campoItem("MOCODIGO").setAsString(moeda);
    copiar("VEITVALORMOEDA", "PCO_MOEDA");
    const QString alternativo = textoProdutoItem("PRCODIGOALTERNATIVO").trimmed();
    campoItem("VEITCUSTOALTERNATIVO")
        .setAsFloat(alternativo.isEmpty()
                        ? 0
                        : CarregaNumero("PCO_CUSTO", "ACEC1101", "where CODIGO = " + QuotedStr(alternativo)));
    copiar("PRDESCRICAOCOMERCIAL", "PRDESCRICAOCOMERCIAL");
    copiar("UNIDADE_MEDIDA", "UNIDADE_MEDIDA");
    if (!textoProdutoItem("OFCODIGO").trimmed().isEmpty())
        copiar("VEITCFOP", "OFCODIGO");
}

void TdmTec::PVAssComissaoProdutoItem(const QString& codigo)
{
    const QString modo = parametro("ATMODOPRODUTOITEM");
    if (modo == "P") {
        const QString nota = CarregaDado("substring(obTexto from 1 for 400)", "augc70OB",
                                         "where obsequencia =0 and obid = 'P' and obCodigo = " + QuotedStr(codigo));
        if (!nota.trimmed().isEmpty())
            dmGlobal->MostraAviso("Observações do Produto:\n" + nota);
    } else if (modo == "I" || modo == "O") {
        campoItem("VEITCOMISSAO").setAsFloat(numeroProdutoItem("COMISSAO"));
    }
    if (parametro("ATCOMISSAOPRODUTOVENDEDOR") == "T") {
        const double comissao =
            CarregaNumero("prfoComissao", "Acec11prfo",
                          "where prCodigo=" + QuotedStr(codigo) + " and foCodigo=" +
                              QuotedStr(campoPedido("CODIGO_VENDEDOR").asString()));
        if (comissao > 0)
            campoItem("VEITCOMISSAO").setAsFloat(comissao);
    }
}

void TdmTec::PVAssImpostosProdutoItem()
{
    double icms = numeroProdutoItem("PERCENTUAL_ICMS");
    const bool isento = campoPedido("OFISENTOIE").asString() == "C" && campoPedido("CLIE").asString().toUpper() == "ISENTO";
    if (!isento && campoPedido("ASSUME_ICMS_SN").asString().toUpper() == "N")
        icms = campoPedido("ICMS").asFloat();
    campoItem("ICMS").setAsFloat(icms);
    if (campoPedido("VAL_ITEM_IPI").asString() != "N")
        campoItem("IPI").setAsFloat(numeroProdutoItem("AIQ_IPI"));
}

void TdmTec::PVAssCopiarRestoProdutoItem()
{
    {
        DetachHandler semRegra(campoItem("DESCRICAO").onChange);
        campoItem("DESCRICAO").setAsString(textoProdutoItem("DESCRICAO"));
    }
    campoItem("DESCONTO").setAsFloat(numeroProdutoItem("DESCONTO"));
    for (const char* mesmo : {"PCO_VENDA", "PCO_CUSTO", "PRCMV"})
        campoItem(mesmo).setAsFloat(numeroProdutoItem(mesmo));
    campoItem("VEITCMV").setAsFloat(numeroProdutoItem("PRCMV"));
    campoItem("COMPLEMENTO").setAsString(textoProdutoItem("COMPLEMENTO_DESC"));
    campoItem("ESTOQUE").setAsFloat(numeroProdutoItem("ESTOQUE") - numeroProdutoItem("QTDE_PRODUCAO"));
    campoItem("RESERVADO").setAsFloat(numeroProdutoItem("QTDE_PRODUCAO"));
}

// The product's text `sequencia` copied to the line's text (kind "V" under
// the order number, sequence the line number), a new line numbered first.
void TdmTec::PVAssTextoProdutoItem(const QString& codigo, const QString& sequencia)
{
    const QString pedido = campoPedido("NUMERO_PEDIDO").asString();
    if (quAssVendaItem->state() == DatasetState::Insert)
        campoItem("COD").setAsInteger(dmGlobal->SequenciaVendasItem(pedido));
    dmGlobal->ImportaObservacaoAdicional(codigo, sequencia, "P", pedido, campoItem("COD").asString(), "V");
}

void TdmTec::PVAssPrecoProdutoItem(const QString& codigo)
{
    pedidoass::EntradaPreco e;
    e.codigo = codigo;
    e.pcoVenda = numeroProdutoItem("PCO_VENDA");
    e.pcoVdaAnterior = numeroProdutoItem("PCO_VDA_ANTERIOR");
    e.pcoCusto = numeroProdutoItem("PCO_CUSTO");
    e.descontoProduto = numeroProdutoItem("DESCONTO");
    e.baixa = campoPedido("BAIXA").asString();
    e.tipoOperacao = campoPedido("TIPO_OP").asString();
    e.origem = campoItem("ORIGEM").asString();
    e.valor = campoItem("VALOR").asFloat();
    e.desconto = campoItem("DESCONTO").asFloat();
    e.promocao = campoItem("VEITPROMOCAO").asString();
    e.precoCustoOperacao = parametro("ATPRECOCUSTOOPERACAO");
    e.arredondamento = parametro("ATARREDONDAMENTOITEM");
    e.modoPreco = parametro("ATMODOPRECOITEM");
    e.tabelaPreco = parametro("ATTABELAPRECOITEM");
    e.descontoPrazo = parametro("ATDESCONTOPRAZOITEM");
    const std::unique_ptr<pedidoass::FontesPreco> fontes = pedidoass::fontesPrecoHost(*this, codigo);
    const pedidoass::ResultadoPreco r = pedidoass::cascataPreco(e, *fontes);

    campoItem("VALOR").setAsFloat(r.valor);
    if (r.promocao != e.promocao)
        campoItem("VEITPROMOCAO").setAsString(r.promocao);
    if (r.originalDefinido)
        campoItem("VEITVALORORIGINAL").setAsFloat(r.original);
    if (r.descontoDefinido)
        campoItem("DESCONTO").setAsFloat(r.desconto);
    if (r.totalDefinido)
        campoItem("TOTAL_UNIT").setAsFloat(r.total);
}

void TdmTec::PVAssOperacaoFiscalItem(const QString& codigo)
{
    const QString regra = parametro("ATREGRAOPERACAOITEM");
    const QString operacaoPedido = campoPedido("OPERACAO").asString();
    const QString cliente = campoPedido("CODIGO_CLIENTE").asString();
    const QString produtoSaida =
        "PRCODIGO = " + QuotedStr(codigo) + " and OUID = 'P' and ouMOVIMENTO = 'S'";
    if (regra == "U") {
        const QString estado = CarregaDado("ESTADO", "EA", "WHERE CODIGO = " + QuotedStr(campoPedido("VELOCAL").asString()));
        QString operacao = CarregaDado("OFCODIGO", "AFVC09OU",
                                       "Where OUUFORIGEM = " + QuotedStr(estado) + " and " + produtoSaida + " ");
        if (operacao.trimmed().isEmpty())
            operacao = operacaoPedido;
        if (!operacao.trimmed().isEmpty())
            campoItem("VEITCFOP").setAsString(operacao);
    } else if (regra == "P") {
        if (CarregaDado("OFREGRAFISCAL", "AFVC0901", "Where Cod_op = " + QuotedStr(operacaoPedido)) == "N") {
            campoItem("VEITCFOP").setAsString(operacaoPedido);
            return;
        }
        const QString operacao =
            CarregaDado("OFCODIGO", "AFVC09OU", "Where " + produtoSaida + " and clCodigo = " + QuotedStr(cliente));
        campoItem("VEITCFOP").setAsString(operacao.trimmed().isEmpty() ? operacaoPedido : operacao);
    } else if (regra == "C") {
        QString operacao = CarregaDado("OFCODIGO", "AFVC09OU",
                                       "Where " + produtoSaida + " and clCodigo = " + QuotedStr(cliente) +
                                           "  and ouLocal = " + QuotedStr(parametro("ATLOCALPADRAO")));
        if (operacao.trimmed().isEmpty())
            operacao = CarregaDado("OFCODIGO", "ACEC1101", "Where CODIGO = " + QuotedStr(codigo));
        if (operacao.trimmed().isEmpty())
            operacao = operacaoPedido;
        campoItem("VEITCFOP").setAsString(operacao);
    } else if (regra == "R") {
        QString mensagem;
        campoItem("VEITCFOP").setAsString(dmGlobal->RetornaOperacaoRegraFiscal(
            parametro("ATCHAVEREGRAFISCAL"), cliente, operacaoPedido, codigo, mensagem, true,
            campoPedido("VELOCAL").asString(), 0));
        campoItem("MGCODIGO").setAsString(mensagem);
    }
}

void TdmTec::PVAssMedidasProdutoItem(const QString& codigo)
{
    if (quAssVendaItem->state() != DatasetState::Edit)
        return;
    const QString condicao = "Where veCodigo = " + QuotedStr(campoPedido("NUMERO_PEDIDO").asString()) +
                             " and veitCodigo=" + QString::number(campoItem("COD").asInteger());
    if (!(CarregaNumero("Count(*)", "AVEC85VEME", condicao) > 0))
        return;
    if (dmGlobal->MostraPergunta("Deseja aproveitar medidas digitadas?", {"Sim", "Não"}) == "Sim") {
        UpdateCampo("AVEC85VEME", "PRCODIGO", QuotedStr(codigo), condicao);
        dmGlobal->IBTransaction1->commitRetaining();
    }
}

void TdmTec::quAssVendaItemCODIGOChange(Field& Sender)
{
    const QString codigo = Sender.asString();
    if (!codigo.trimmed().isEmpty()) {
        FechaAuxiliaresItem fecha;
        dmGlobal->VerificaVendaProdutoRepetido(codigo, "codigo", "avec85it",
                                               " and numero_pedido=" + QuotedStr(campoPedido("NUMERO_PEDIDO").asString()),
                                               "QUANTIDADE", quAssVendaItem);
        if (!PVAssAbrirProdutoItem(codigo)) {
            quAssVendaItem->cancel();
            dmGlobal->MostraAviso("Produto não cadastrado.", true);
        }
        PVAssRecusasProdutoItem(codigo);
        PVAssCopiarProdutoItem();
        PVAssComissaoProdutoItem(codigo);
        {
            DetachHandler semRegra(campoItem("PRCODIGOFORNECEDOR").onChange);
            campoItem("PRCODIGOFORNECEDOR").setAsString(textoProdutoItem("PRCODIGOFORNECEDOR"));
        }
        const QString local = parametro("ATLOCALESTOQUEITEM");
        double entradas = 0, saidas = 0, total = 0;
        if (!local.trimmed().isEmpty() && QuantidadeLocalProduto(local, codigo, entradas, saidas, total) > 0)
            campoItem("LECODIGO").setAsString(local);
        PVAssImpostosProdutoItem();
        PVAssCopiarRestoProdutoItem();
        const QString obsProduto = parametro("ATOBSPRODUTOITEM");
        if (obsProduto == "P" || obsProduto == "A")
            PVAssTextoProdutoItem(codigo, "0");
        PVAssPrecoProdutoItem(codigo);
    }

    const double valor = campoItem("VALOR").asFloat();
    campoItem("VEITVALORCOMDESCONTO").setAsFloat(pedidoass::valorComDesconto(valor, campoItem("DESCONTO").asFloat()));
    PVAssValorComIPIItem(pedidoass::valorComIPI(valor, campoItem("IPI").asFloat()));
    PVAssOperacaoFiscalItem(codigo);
    PVAssMedidasProdutoItem(codigo);
    if (campoItem("VEITVALORORIGINAL").asFloat() != valor)
        campoItem("VEITVALORORIGINAL").setAsFloat(valor);
    if (parametro("ATMODORESERVAITEM") != "A")
        dmGlobal->Reservado(codigo, true, campoItem("COD_EMB_COLECAO").asString());
    const QString modo = parametro("ATMODOPEDIDOASSISTENCIA");
    if (modo == "E" || modo == "C")
        PVAssTextoProdutoItem(codigo, "2");
}
