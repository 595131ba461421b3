// The configured lines of an assistance order (quAssVendaCotado): defaults
// of a new line, the insert guard, product and bar-code entry, quantity by
// mode, the equipment-type count, the after-save with its serial re-save and
// back-order link, and the delete refusal. The save rule itself is in
// uDataTecPedidoAssCotadoGravacao.cpp.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"
#include "data/uDataTecPedidoAssTela.h"

#include "host/PilvCpr70.h"
#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/Upesqprod.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"

using host::data::Dataset;
using host::data::DatasetState;
using host::data::DetachHandler;
using host::data::Field;
using pedidoass::kAbortada;

void TdmTec::quAssVendaCotadoNewRecord(Dataset& DataSet)
{
    ZerarFloatField(DataSet);
    campoCotado("COD").setAsInteger(SequenciaVendasCotacao(campoPedido("NUMERO_PEDIDO").displayText()));
    campoCotado("NUMERO_PEDIDO").setValue(campoPedido("NUMERO_PEDIDO").value());
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

void TdmTec::quAssVendaCotadoBeforeInsert(Dataset&)
{
    if (!quAssVenda->active() || quAssVenda->isEmpty())
        dmGlobal->MostraAviso("Informe os dados do pedido.", true);
}

void TdmTec::quAssVendaCotadoCODIGOSetText(Field& Sender, const QString& Text)
{
    double fator = 1;
    Sender.setAsString(dmGlobal->RetornaCodigoProduto(Text, QString(), fator));
    rFatorCodigoBarras = fator;
}

void TdmTec::quAssVendaCotadoOUTRO_CODIGOSetText(Field& Sender, const QString& Text)
{
    double fator = 1;
    const QString codigo = dmGlobal->RetornaCodigoProduto(Text, "BARRAS", fator);
    rFatorCodigoBarras = fator;
    campoCotado("CODIGO").setAsString(codigo);
    Sender.setAsString(Text);
}

void TdmTec::quAssVendaCotadoCODIGOChange(Field& Sender)
{
    const QString codigo = Sender.asString();
    if (codigo.trimmed().isEmpty())
        return;
    host::data::Query& aux = *dmGlobal->quAuxiliar;
    struct Fechar {
        host::data::Query& q;
        ~Fechar() { q.close(); }
    } fechar{aux};
    aux.close();
    aux.setSql("select  Prod.*, Mar.Marca , " + RetornaSQLCampoEstoque("Prod.Codigo", "Estoque_LOCAL") + ", " +
               "  PROD.ESTOQUE AS ESTOQUE_LOCAL      " + "from acec1101 Prod " +
               "Left Outer Join Acec1301 Mar         " + "  On (Prod.Cod_Emb_Colecao=Mar.Codigo) " +
               "where (Prod.codigo)=" + QuotedStr(codigo.toUpper()));
    aux.open();
    if (aux.isEmpty()) {
        quAssVendaCotado->cancel();
        dmGlobal->MostraAviso("Produto não cadastrado.", true);
    }
    campoCotado("UNIDADE_MEDIDA").setAsString(aux.fieldByName("UNIDADE_MEDIDA")->asString());
    campoCotado("VALOR").setAsFloat(CarregaNumero("coalesce(PCO_VENDA, 0)", "ACEC1101", " where CODIGO = " + QuotedStr(codigo)));
    {
        DetachHandler semDescricao(campoCotado("DESCRICAO").onChange);
        campoCotado("DESCRICAO").setAsString(aux.fieldByName("DESCRICAO")->asString());
        campoCotado("OUTRO_CODIGO").setAsString(aux.fieldByName("OUTRO_CODIGO")->asString());
    }
    const QString modo = parametro("ATMODOPEDIDOASSISTENCIA");
    if (modo == "E" || modo == "C")
        dmGlobal->ImportaObservacaoAdicional(codigo, "2", "P", campoCotado("NUMERO_PEDIDO").asString(),
                                             QString::number(-campoCotado("COD").asInteger()), "V");
}

void TdmTec::quAssVendaCotadoDESCRICAOChange(Field& Sender)
{
    if (parametro("ATMODOPRODUTOITEM") != "D")
        return;
    DetachHandler semDescricao(Sender.onChange);
    SelecionaProdutoDescricao(Sender.asString(), &campoCotado("CODIGO"));
}

void TdmTec::quAssVendaCotadoQUANTIDADEChange(Field& Sender)
{
    const QString modo = parametro("ATMODOPEDIDOASSISTENCIA");
    if (modo == "C") {
        const QString serie = campoCotado("VEITNUMEROSERIE").asString();
        if (serie.trimmed().isEmpty() || Sender.asFloat() == Sender.oldValue().toDouble() || serie != "<selecionado>")
            return;
        if (dmGlobal->MostraPergunta("Confirma uma nova seleção de Número(s) de Série?", {"Sim", "Não"}) == "Sim")
            campoCotado("VEITNUMEROSERIE").setAsString(QString());
        else
            quAssVendaCotado->cancel();
    } else if (modo == "E" && Sender.asFloat() != 1) {
        Sender.setAsFloat(1);
    }
}

void TdmTec::quAssVendaCotadoCalcFields(Dataset&)
{
    campoCotado("QUANTIDADETIPO").setAsFloat(pedidoass::qtdeTipo(
        campoCotado("NUMERO_PEDIDO").asString(), campoCotado("COD").asString(), campoCotado("CODIGO").asString()));
}

namespace pedidoass {
namespace {
QHash<QString, double> gQtdeTipo;   // by "COD|CODIGO"
QString gQtdeTipoPedido;
bool gQtdeTipoLida = false;
}  // namespace

// The running count of CalcularQtdeTipoEquipamento for every stored line of
// the order: a line not stored, or without a type, counts 0.
double qtdeTipo(const QString& pedido, const QString& cod, const QString& produto)
{
    if (!gQtdeTipoLida || gQtdeTipoPedido != pedido) {
        gQtdeTipo.clear();
        host::db::Statement linhas(
            *dmGlobal->IBTransaction1,
            "select lx.COD, lx.CODIGO, (select sum(l2.QUANTIDADE) from AVEC85LX l2"
            " left outer join ACEC1101 p2 on (p2.CODIGO = l2.CODIGO) where l2.NUMERO_PEDIDO = lx.NUMERO_PEDIDO"
            " and p2.PNCODIGO = p.PNCODIGO and l2.COD <= lx.COD) from AVEC85LX lx"
            " left outer join ACEC1101 p on (p.CODIGO = lx.CODIGO)"
            " where lx.NUMERO_PEDIDO = :PEDIDO and coalesce(p.PNCODIGO, 0) > 0");
        linhas.setParam("PEDIDO", pedido);
        linhas.execute();
        while (linhas.fetch())
            gQtdeTipo.insert(linhas.value(0).toString() + "|" + linhas.value(1).toString(), linhas.value(2).toDouble());
        gQtdeTipoPedido = pedido;
        gQtdeTipoLida = true;
    }
    return gQtdeTipo.value(cod + "|" + produto, 0);
}

void esquecerQtdeTipo()
{
    gQtdeTipoLida = false;
}

}  // namespace pedidoass

void TdmTec::quAssVendaCotadoAfterScroll(Dataset&)
{
    const QString produto = campoCotado("CODIGO").asString();
    if (parametro("ATMODOPEDIDOASSISTENCIA") == "E")
        CarregaEspecificacaoProduto(produto);
    CarregarComposicaoEquipamento(produto);
}

void TdmTec::quAssVendaCotadoAfterPost(Dataset& DataSet)
{
    pedidoass::esquecerQtdeTipo();
    dmGlobal->IBTransaction1->commitRetaining();
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    DataSet.refresh();
    sAuxiliarGeral = CarregaDado("PRGERANS", "ACEC1101", " where CODIGO = " + QuotedStr(campoCotado("CODIGO").asString()));
    // The serial choice is offered once more, only where the save offers it
    // (mode "C") and only once: a line left without serials stays so.
    if (!bRegravandoCotado_ && parametro("ATMODOPEDIDOASSISTENCIA") == "C" &&
        campoCotado("VEITNUMEROSERIE").asString().trimmed().isEmpty() && sAuxiliarGeral.trimmed() == "O") {
        bRegravandoCotado_ = true;
        struct Fim {
            bool& b;
            ~Fim() { b = false; }
        } fim{bRegravandoCotado_};
        DataSet.edit();
        campoCotado("QUANTIDADE").setAsFloat(campoCotado("QUANTIDADE").asFloat());
        DataSet.post();
    }
    const QString numero = campoCotado("NUMERO_PEDIDO").asString();
    if (!PVAssVerificaItensPendencia(numero) && !campoPedido("VECODIGOPENDENCIA").asString().trimmed().isEmpty()) {
        quAssVenda->edit();
        campoPedido("VECODIGOPENDENCIA").setAsString(QString());
        quAssVenda->post();
    }
}

void TdmTec::quAssVendaCotadoBeforeDelete(Dataset& DataSet)
{
    assvenda::RecusarLinhaDePedidoFechado();
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
    const QString pendencia = campoCotado("VECODIGOPENDENCIA").asString().trimmed();
    if (!pendencia.isEmpty())
        dmGlobal->MostraAviso(kAbortada + "O item do Pedido encontra-se no Pedido em Pendência \"" + pendencia + "\".",
                              true);
    ExcluirRegistroNumerosSerieProduto(" where PRCODIGO = " + QuotedStr(campoCotado("CODIGO").asString()) +
                                       " and VECODIGO = " + QuotedStr(campoCotado("NUMERO_PEDIDO").asString()) +
                                       " and coalesce(OPCODIGO, 0) > 0 ");
}

void TdmTec::quAssVendaCotadoAfterDelete(Dataset& DataSet)
{
    pedidoass::esquecerQtdeTipo();
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
    // A deletion the user confirmed is stored with its serial movements,
    // not left for a save that may never come.
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTec::quAssVendaCotadoBeforeClose(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "BEFORECLOSE");
}
