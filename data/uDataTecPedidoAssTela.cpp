// The assistance-order window's decisions and reads: enabling by kind and
// status, the earlier-values lists, the address texts and the operation list.

#include "data/uDataTecPedidoAssTela.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/Endereco.h"

namespace assvenda {

bool statusEditavel(const QString& status)
{
    return status.trimmed().isEmpty() || status == "N" || status == "P";
}

void RecusarLinhaDePedidoFechado()
{
    TdmTec& tec = *dmTec;
    if (!statusEditavel(tec.campoPedido("IMPRESSO_NF").asString()))
        return;
    const QString numero = tec.campoPedido("NUMERO_PEDIDO").asString();
    if (numero.trimmed().isEmpty() || tec.quAssVenda->state() == host::data::DatasetState::Insert)
        return;   // not stored yet: its save stores it
    const QVariant status = host::db::selectValue(
        *dmGlobal->IBTransaction1, "select coalesce(IMPRESSO_NF, '') from AVEC8501 where NUMERO_PEDIDO = :PEDIDO",
        {{"PEDIDO", numero}});
    // No row: the order is not open, it is gone.
    if (!status.isValid())
        dmGlobal->MostraAviso("O pedido " + numero +
                                  " foi excluído em outra estação: suas linhas não podem mais ser incluídas,"
                                  " alteradas ou excluídas.",
                              true);
    if (!statusEditavel(status.toString()))
        dmGlobal->MostraAviso("O pedido " + numero + " não está mais em aberto (em produção, liberado ou entregue):"
                              " suas linhas não podem mais ser incluídas, alteradas ou excluídas.",
                              true);
}

EstadoTela estadoTela(const QString& tipo, const QString& status, const QString& modo)
{
    EstadoTela estado;
    const bool vazio = status.trimmed().isEmpty();
    estado.textosVermelhos = status == "S";
    estado.editavel = statusEditavel(status);
    if (tipo == "0") {
        estado.finalizar = vazio || status == "N";
        // A proposal already ready to bill has nothing left to finalise.
        estado.acaoFinalizar = vazio ? AcaoFinalizar::GerarPedido : AcaoFinalizar::Nenhuma;
    } else if (tipo == "1") {
        estado.finalizar = status == "N";
        estado.acaoFinalizar = status == "N" ? AcaoFinalizar::GerarContrato : AcaoFinalizar::Nenhuma;
    }
    estado.abaConfigurados = tipo == "1";
    if (modo == "E") {
        if (tipo == "1")
            estado.legendaImpressao = QStringLiteral("&Produção");
        else if (tipo == "0")
            estado.legendaImpressao = QStringLiteral("&Proposta");
    }
    return estado;
}

// ---- lists of earlier values ----

QStringList valoresAnteriores(const QString& coluna, const std::optional<QString>& cliente)
{
    QString sql = "select first 30 " + coluna + " from avec8501 where NUMERO_PEDIDO is not null and " + coluna +
                  " <> '' ";
    if (cliente)
        sql += " and CODIGO_CLIENTE = " + QuotedStr(*cliente);
    sql += " group by " + coluna + " order by " + coluna;
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    auxiliar.close();
    auxiliar.setSql(sql);
    auxiliar.open();
    QStringList valores;
    for (auxiliar.first(); !auxiliar.eof(); auxiliar.next())
        valores << auxiliar.fields().front()->asString();
    auxiliar.close();
    return valores;
}

QStringList CarregaListaPeriodo() { return valoresAnteriores("VEPERIODOLOCACAO"); }
QStringList CarregaListaTipoContrato() { return valoresAnteriores("VETIPOCONTRATO"); }
// A blank customer still filters: a new order lists nobody's values.
QStringList CarregaListaProjetos(const QString& cliente) { return valoresAnteriores("VEPROJETO", cliente); }
QStringList CarregaListaPedidosCliente(const QString& cliente) { return valoresAnteriores("VEPEDIDOCLIENTE", cliente); }

// ---- address texts ----

std::optional<QString> textoEndereco(const QString& numero, int sequencia)
{
    if (numero.trimmed().isEmpty())
        return std::nullopt;
    dmGlobal->CarregaObservacao(numero, "V", sequencia);
    return dmGlobal->quObsGeral->fieldByName("OBTEXTO")->asString();
}

QString enderecoContato(const QString& contato)
{
    // The contact key is a number: a blank one would fail the conversion.
    if (contato.trimmed().isEmpty())
        return {};
    // Empty parts are left out with their separators (the address reads
    // whole, the hyphens of a postal code kept).
    return CarregaDado(host::compoeEnderecoSql({{"", "an.anendereco"},
                                                {" - ", "an.anbairro"},
                                                {" - ", "an.ancidade"},
                                                {"/", "an.anuf"},
                                                {" - ", "an.ancep"}}),
                       "AUGC3701 an ", " where an.ANCODIGO = " + QuotedStr(contato));
}

bool gravarEnderecoCadastro(const QString& numero, const QString& contato, int sequencia, const QString& rotulo)
{
    const QString texto = enderecoContato(contato);
    // Parts of hyphens alone are no address either.
    if (QString(texto).remove(QLatin1Char('-')).trimmed().isEmpty()) {
        dmGlobal->MostraAviso("Aviso: Endereço de " + rotulo + " não cadastrado!", false);
        return false;
    }
    host::data::Query& observacao = *dmGlobal->quObsGeral;
    if (!observacao.active() || observacao.paramByName("obCodigo")->asString() != numero ||
        observacao.paramByName("obId")->asString() != "V" ||
        observacao.paramByName("obSequencia")->asInteger() != sequencia)
        dmGlobal->CarregaObservacao(numero, "V", sequencia);
    if (observacao.isEmpty()) {
        observacao.append();
        observacao.fieldByName("OBCODIGO")->setAsString(numero);
        observacao.fieldByName("OBID")->setAsString("V");
        observacao.fieldByName("OBSEQUENCIA")->setAsInteger(sequencia);
    } else {
        observacao.edit();
    }
    observacao.fieldByName("OBTEXTO")->setAsString(texto);
    try {
        observacao.post();
    } catch (...) {
        observacao.cancel();
        throw;
    }
    dmGlobal->IBTransaction1->commitRetaining();
    return true;
}

// ---- fiscal operations ----

QString condicaoOperacoes(const QString& regraOperacaoItem, bool vendedorComissao)
{
    // An operation stored without a type is offered too (a null type compared
    // as it is left it out).
    if (vendedorComissao)
        return "where coalesce(tipo_op, '') not in ('5', 'A','0','D') and (OFCUPOMFISCAL =" + QuotedStr("V") + ") ";
    QString condicao =
        "where coalesce(tipo_op, '') not in ('5', 'A','0','D') and (OFCUPOMFISCAL <> 'I' or OFCUPOMFISCAL is null) ";
    if (regraOperacaoItem == "R")
        condicao += " and OFREGRAFILTRO in ('P','A') ";
    return condicao;
}

}  // namespace assvenda
