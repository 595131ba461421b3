// The status of an assistance order and where its equipment is: the stock
// location of each (kind, status) pair, the log and the location move of a
// status change, and the serial movements the checkout records.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"

#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/db/Database.h"

#include <vector>

using host::data::Field;

namespace {

// The LESTATUSPEDIDO key of a (kind, status) pair; empty for any other pair.
QString chaveLocal(const QString& tipo, const QString& status)
{
    const QString letra = status.trimmed();
    if (tipo == "0")
        return letra.isEmpty() ? "0" : letra == "S" ? "1" : QString();
    if (tipo == "1") {
        if (letra.isEmpty()) return "2";
        if (letra == "C") return "3";
        if (letra == "N") return "4";
        if (letra == "L") return "5";
        if (letra == "S") return "6";
    }
    return {};
}

}  // namespace

QString RetornaLocalEquipamentosStatusPedidoAss(const QString& tipo, const QString& status)
{
    return CarregaDado("first 1 coalesce(CODIGO, '')", "ACEC1401",
                       " where LESTATUSPEDIDO = " + QuotedStr(chaveLocal(tipo, status)), dmGlobal->quAuxiliar);
}

void TdmTec::RegistraAlteracaoStatusPedidoAss()
{
    Field& status = campoPedido("IMPRESSO_NF");
    const QString numero = campoPedido("NUMERO_PEDIDO").asString();
    dmGlobal->GravaLog(IbUserName(), "Alterou Status Pedido: " + status.displayText(), numero, "AVEC8501", hoje(),
                       QDateTime::currentDateTime());
    if (parametro("ATMODOPEDIDOASSISTENCIA") != "E")
        return;
    const QString local = RetornaLocalEquipamentosStatusPedidoAss(campoPedido("AUX2").asString(), status.asString());
    if (local.trimmed().isEmpty())
        return;
    // The order's configured products and their components, in two statements
    // of the save's own transaction: a refused save moves nothing.
    const QString produtos = "select lx.CODIGO from AVEC85LX lx where lx.NUMERO_PEDIDO = " + QuotedStr(numero);
    UpdateCampo("ACEC1101", "LOCALIZACAO", QuotedStr(local), " where CODIGO in(" + produtos + ")");
    UpdateCampo("ACEC1101", "LOCALIZACAO", QuotedStr(local),
                " where CODIGO in(select cm.cmcodigo from agpc03cm cm where cm.prcodigo in(" + produtos + "))");
}

void RegistraNSStatusPedidoAss(int& contador)
{
    TdmTec& tec = *dmTec;
    contador = 0;
    const QString numero = tec.campoPedido("NUMERO_PEDIDO").asString();
    tec.CarregaPedidoAssVendaCotado(numero, {});
    host::data::Query& cotado = *tec.quAssVendaCotado;
    if (!cotado.active())
        return;
    const QString tipo = tec.campoPedido("AUX2").asString();
    const QString status = tec.campoPedido("IMPRESSO_NF").asString();
    const QString descricao =
        tec.campoPedido("AUX2").displayText().trimmed() + " " + tec.campoPedido("IMPRESSO_NF").displayText().trimmed();
    const QString localStatus = RetornaLocalEquipamentosStatusPedidoAss(tipo, status).trimmed();
    struct Movimento {
        QString numeroSerie, produto, status, contrato, composicao, local;
    };
    for (cotado.first(); !cotado.eof(); cotado.next()) {
        // The latest movement of each serial of the line's product on this
        // order; its contract only while that is still where the piece is: one
        // checked in since goes out on the order, and its contract books it on
        // a line of its own.
        auto ultimos = dmGlobal->IBTransaction1->prepared(
            "select ns.NSNUMERO, ns.PRCODIGO, ns.NSSTATUS, case when not exists (select 1 from augc50ns dep"
            " where dep.prcodigo = ns.prcodigo and dep.nsnumero = ns.nsnumero and dep.nscodigo > ns.nscodigo)"
            " then ns.ACCODIGO end, ns.CMCODIGO, ns.LECODIGO from augc50ns ns"
            " where ns.prcodigo = :PRODUTO and ns.vecodigo = :PEDIDO and ns.opcodigo = :PEDIDO"
            " and ns.nscodigo = (select max(ult.nscodigo) from augc50ns ult where ult.opcodigo = ns.opcodigo"
            "   and ult.prcodigo = ns.prcodigo and ult.nsnumero = ns.nsnumero)"
            " order by ns.nscodigo");
        ultimos->setParam("PRODUTO", cotado.fieldByName("CODIGO")->asString());
        ultimos->setParam("PEDIDO", cotado.fieldByName("NUMERO_PEDIDO")->asString());
        ultimos->execute();
        std::vector<Movimento> movimentos;
        while (ultimos->fetch())
            movimentos.push_back({ultimos->value(0).toString(), ultimos->value(1).toString(),
                                  ultimos->value(2).toString(), ultimos->value(3).toString(),
                                  ultimos->value(4).toString(), ultimos->value(5).toString()});
        ultimos.reset();
        for (const Movimento& m : movimentos)
            InserirRegistroNumerosSerieProduto(m.numeroSerie, m.produto, m.status, numero, {}, numero, {}, m.contrato,
                                               m.composicao, localStatus.isEmpty() ? m.local : localStatus, descricao,
                                               0, 0, 0, 0, 0);
        ++contador;
    }
}
