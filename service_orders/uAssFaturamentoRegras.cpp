// The billing of service orders: statements, document number, receivable and stamps.

#include "service_orders/uAssFaturamentoRegras.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

#include <QDate>
#include <QList>

#include <cmath>
#include <stdexcept>

namespace uAssFaturamento {

QString SqlOrdensNaoFaturadas()
{
    return "select Ao.*, cli.Nome\n"
           "from aatc01ao Ao\n"
           " left outer join Augc0301 Cli on (ao.clCodigo = cli.Codigo_Cliente)\n"
           "Where (ao.crDocumento is null)";
}

QString SqlSelecao(const QStringList& ordens)
{
    // Order codes are numbers: a text that is none selects nothing.
    QList<int> codigos;
    for (const QString& ordem : ordens) {
        bool numero = false;
        if (const int codigo = ordem.trimmed().toInt(&numero); numero)
            codigos << codigo;
    }
    return SqlOrdensNaoFaturadas() + " and " + CondicaoEmLista("ao.aoCodigo", codigos);
}

QStringList ClientesSelecao(host::data::Dataset& selecao)
{
    QStringList clientes;
    host::data::ControlsDisabled semControles(selecao);
    for (selecao.first(); !selecao.eof(); selecao.next()) {
        const QString cliente = selecao.fieldByName("CLCODIGO")->asString().trimmed();
        if (!clientes.contains(cliente))
            clientes << cliente;
    }
    selecao.first();
    return clientes;
}

namespace {

// An order billed meanwhile, or whose total changed since it was listed (a
// line saved at another desk): the receivable of the old total is undone.
[[noreturn]] void RecusarOrdemAlterada(const QString& ordem)
{
    const bool faturada =
        !CarregaDado("CRDOCUMENTO", "AATC01AO", "where AOCODIGO = " + ordem).trimmed().isEmpty();
    dmGlobal->MostraAviso("Aviso: operação abortada.\rA ordem de serviço " + ordem +
                              (faturada ? " já foi faturada; nada foi gerado."
                                        : " teve o total alterado desde a pesquisa; nada foi gerado. Gere o receber"
                                          " novamente com o novo total."),
                          true);
    throw std::logic_error("MostraAviso did not abort");
}

}  // namespace

// An order whose discount outgrew its lines (a line taken off after the
// discount was typed) totals below zero: it would be billed as a credit
// nobody agreed to, and it would lower the other orders' bill.
void RecusarOrdemNegativa(host::data::Dataset& selecao)
{
    host::data::ControlsDisabled semControles(selecao);
    for (selecao.first(); !selecao.eof(); selecao.next())
        if (const double total = selecao.fieldByName("AOVALORTOTAL")->asFloat(); std::llround(total * 100) < 0)
            dmGlobal->MostraAviso("Aviso: operação abortada.\rA ordem de serviço " +
                                      selecao.fieldByName("AOCODIGO")->asString() + " tem total negativo (" +
                                      host::data::formatFloat("###,###,##0.00", total) +
                                      "): o desconto é maior que o valor da ordem. Corrija o desconto; nada foi gerado.",
                                  true);
    selecao.first();
}

QString FaturarOrdens(host::data::Dataset& selecao, double total, const EscolhaFaturamento& escolha,
                      const QDateTime& emissao)
{
    RecusarOrdemNegativa(selecao);
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // The receivable and its orders' stamps stand or fall together: an order
    // billed meanwhile (another desk, a list not read again) undoes both.
    host::db::CommitHold espera(tr);
    host::db::Savepoint ponto(tr);
    selecao.first();
    DesdobramentoReceber receber;
    receber.valorTotal = total;
    receber.tabelaVencimento = escolha.tabelaVencimento;
    receber.cliente = selecao.fieldByName("CLCODIGO")->asString();
    receber.documento = dmGlobal->ProximoNumeroReceber();
    receber.dataEmissao = emissao.isValid() ? emissao : hoje();
    receber.operacao = CarregaDado("cod_op", "afvc0901", "Where tipo_op = '2' ");
    receber.filial = dmGlobal->Parametro("ATLOCALPADRAO");
    receber.banco = escolha.banco;
    dmGlobal->DesdobraContasReceber(receber);

    const QString situacao = escolha.situacao.trimmed();
    const bool comSituacao = !situacao.isEmpty() && situacao != "0";
    // The three stamps of an order in one kept statement, on an order that
    // has no document yet and the total the receivable was made of.
    const QString condicao =
        " where AOCODIGO = :ORDEM and CRDOCUMENTO is null and AOVALORTOTAL is not distinct from :TOTAL";
    const QString sql = comSituacao ? "update AATC01AO set CRDOCUMENTO = :DOCUMENTO, AOLOCAL = :LOCAL,"
                                      " ASCODIGO = :SITUACAO" + condicao
                                    : "update AATC01AO set CRDOCUMENTO = :DOCUMENTO, AOLOCAL = :LOCAL" + condicao;
    {
        host::data::ControlsDisabled semControles(selecao);
        host::data::Field* ordem = selecao.fieldByName("AOCODIGO");
        for (selecao.first(); !selecao.eof(); selecao.next()) {
            QVariantMap valores{{"DOCUMENTO", receber.documento}, {"LOCAL", receber.filial},
                                {"ORDEM", ordem->asInteger()}, {"TOTAL", selecao.fieldByName("AOVALORTOTAL")->value()}};
            if (comSituacao)
                valores.insert("SITUACAO", situacao.toInt());
            if (host::db::executeSql(tr, sql, valores) == 0)
                RecusarOrdemAlterada(ordem->asString());
        }
        selecao.first();
    }
    ponto.release();
    tr.commitRetaining();
    espera.release();
    // An order window open on a billed order shows it billed.
    if (dmTec)
        for (selecao.first(); !selecao.eof(); selecao.next())
            dmTec->RelerOSAlterada(selecao.fieldByName("AOCODIGO")->asInteger());
    selecao.first();
    return receber.documento;
}

}  // namespace uAssFaturamento
