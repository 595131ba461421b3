// Installation 4 (UGESPECIFICOEMPRESA): the service order's parts lines that
// stand for the items of its parts request. The pending lines of an item's
// order, product and responsible hold, together, what the order's items of
// that product and responsible still wait for, once.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"

#include <algorithm>
#include <utility>
#include <vector>

using host::data::DatasetState;

namespace {

// A millionth of a unit is rounding, not quantity.
constexpr double kFolga = 0.000001;

QString filtroTecnico(const QString& coluna, const QVariant& tecnico)
{
    return tecnico.isNull() ? coluna + " is null" : coluna + " = " + QString::number(tecnico.toInt());
}

// The order's parts lines that stand for a request item: its order, product
// and responsible, not yet in a sales order (those are billed: a request no
// longer moves them). An item without a responsible matches the lines
// without a technician, never every line of the product.
QString condicaoPecaSolicitada(int ordem, const QString& produto, const QVariant& tecnico)
{
    return filtroTecnico("atcodigo", tecnico) + " and aocodigo = " + QString::number(ordem) +
           " and prcodigo = " + QuotedStr(produto) + " and coalesce(VECODIGO, '') = ''";
}

struct LinhaSolicitada {
    int sequencia = 0;
    double quantidade = 0, requerida = 0;
};

std::vector<LinhaSolicitada> linhasSolicitadas(int ordem, const QString& produto, const QVariant& tecnico)
{
    host::db::Statement consulta(*dmGlobal->IBTransaction1,
                                 "select APSEQUENCIA, coalesce(APQUANTIDADE, 0), coalesce(APQUANTIDADEREQUERIDA, 0)"
                                 " from AATC01AP where " +
                                     condicaoPecaSolicitada(ordem, produto, tecnico) + " order by APSEQUENCIA");
    consulta.execute();
    std::vector<LinhaSolicitada> linhas;
    while (consulta.fetch())
        linhas.push_back({consulta.value(0).toInt(), consulta.value(1).toDouble(), consulta.value(2).toDouble()});
    return linhas;
}

// What the order's items of the product and responsible still wait for.
double pendenteDasSolicitacoes(int ordem, const QString& produto, const QVariant& tecnico)
{
    return host::db::selectValue(*dmGlobal->IBTransaction1,
                                 "select coalesce(sum(iif(AIQUANTIDADE - coalesce(AIQUANTIDADEENTREGUE, 0) > 0,"
                                 " AIQUANTIDADE - coalesce(AIQUANTIDADEENTREGUE, 0), 0)), 0) from AATC07AI"
                                 " where AIID = 'I' and AOCODIGO = :ORDEM and PRCODIGO = :PRODUTO and " +
                                     filtroTecnico("ATCODIGOENTREGA", tecnico),
                                 {{"ORDEM", ordem}, {"PRODUTO", produto}})
        .toDouble();
}

// One line moved by the change, both quantities and their totals; a line
// left with nothing goes.
void moverLinhaSolicitada(int ordem, const LinhaSolicitada& linha, double variacao)
{
    const QVariantMap chave{{"ORDEM", ordem}, {"SEQUENCIA", linha.sequencia}};
    const double quantidade = linha.quantidade + variacao;
    if (quantidade <= kFolga) {
        host::db::executeSql(*dmGlobal->IBTransaction1,
                             "delete from AATC01AP where AOCODIGO = :ORDEM and APSEQUENCIA = :SEQUENCIA", chave);
        return;
    }
    QVariantMap valores = chave;
    valores.insert("QUANTIDADE", quantidade);
    valores.insert("REQUERIDA", std::max(linha.requerida + variacao, 0.0));
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "update AATC01AP set APQUANTIDADE = :QUANTIDADE, APQUANTIDADEREQUERIDA = :REQUERIDA,"
                         " APVALTOTAL = " +
                             totalPecaSql("cast(:QUANTIDADE as double precision)") +
                             ", APVALORTOTALREQUERIDO = " + totalPecaSql("cast(:REQUERIDA as double precision)") +
                             " where AOCODIGO = :ORDEM and APSEQUENCIA = :SEQUENCIA",
                         valores);
}

}  // namespace

double PendenteSolicitado(double quantidade, double entregue)
{
    return std::max(quantidade - entregue, 0.0);
}

// The lines change by the item's change once, whatever number of lines
// match: an increase goes onto the first line (a new reserved line when
// there is none), a decrease comes off the lines in their order, over as
// many as it takes. What a line typed by hand held beyond the request's
// share stays. True when lines were changed by statement.
bool TdmTec::AlterarPecasSolicitadas(int ordem, const QString& produto, const QVariant& tecnico, double variacao)
{
    const std::vector<LinhaSolicitada> linhas = linhasSolicitadas(ordem, produto, tecnico);
    if (variacao > kFolga && linhas.empty()) {
        IncluirPecaSolicitacao(ordem, variacao);
        return false;
    }
    if (variacao > kFolga) {
        moverLinhaSolicitada(ordem, linhas.front(), variacao);
        return true;
    }
    double restante = -variacao;
    bool alterou = false;
    for (const LinhaSolicitada& linha : linhas) {
        if (restante <= kFolga)
            break;
        const double tirada = std::min(std::max(linha.quantidade, 0.0), restante);
        if (tirada <= kFolga)
            continue;
        moverLinhaSolicitada(ordem, linha, -tirada);
        restante -= tirada;
        alterou = true;
    }
    return alterou;
}

// Keeps the order's lines of the item's product and responsible holding what
// is still to be delivered. A new item (or one moved to this product or
// responsible) adds only what the lines hold less than the order's items ask
// for: an item made from the order's own line takes that line as it is. A
// later change of the item moves the lines by the change alone.
void TdmTec::AtualizarPecasOSSolicitacao()
{
    const double anterior = std::exchange(dPendenteSolicitacaoAnterior, -1);
    const int ordem = quSolicitaItAOCODIGO->asInteger();
    // A request of no order (or of one that does not exist) has no parts
    // lines to keep: a line appended here would belong to no order.
    if (ordem <= 0)
        return;
    CarregaOrdemServico(ordem);
    if (quOS->isEmpty())
        return;
    CarregaOSPecas(ordem, 0);
    const QString produto = quSolicitaItPRCODIGO->asString();
    const QVariant tecnico = quSolicitaItATCODIGOENTREGA->value();
    double variacao = 0;
    if (anterior >= 0) {
        variacao = PendenteSolicitado(quSolicitaItAIQUANTIDADE->asFloat(), quSolicitaItAIQUANTIDADEENTREGUE->asFloat()) -
                   anterior;
    } else {
        double nasLinhas = 0;
        for (const LinhaSolicitada& linha : linhasSolicitadas(ordem, produto, tecnico))
            nasLinhas += linha.quantidade;
        variacao = std::max(pendenteDasSolicitacoes(ordem, produto, tecnico) - nasLinhas, 0.0);
    }
    if (AlterarPecasSolicitadas(ordem, produto, tecnico, variacao)) {
        commitRetaining();
        // The lines changed here pass by no parts-line save, which keeps the
        // product's reserved quantity.
        if (reservaPecasAtualizada())
            dmGlobal->Reservado(produto, true, {});
    }
    GravarTotaisOrdem(ordem);
}

// The order's new totals are stored at once: no order window saves them
// after a request changed its parts lines.
void TdmTec::GravarTotaisOrdem(int ordem)
{
    OrdemServicoAtualizaTotalizador(ordem);
    if (quOS->state() != DatasetState::Edit)
        return;
    host::data::DetachHandler semAntesGravar(quOS->beforePost);
    quOS->post();
}

void TdmTec::IncluirPecaSolicitacao(int ordem, double quantidade)
{
    quOSPecas->append();
    try {
        PreencherPecaSolicitacao(ordem, quantidade);
    } catch (...) {
        // A refused line is not left half made for the order window's next save.
        if (quOSPecas->state() == DatasetState::Insert)
            quOSPecas->cancel();
        throw;
    }
}

void TdmTec::PreencherPecaSolicitacao(int ordem, double quantidade)
{
    quOSPecasAOCODIGO->setAsInteger(ordem);
    quOSPecasPRCODIGO->setAsString(quSolicitaItPRCODIGO->asString());
    quOSPecasAPQUANTIDADE->setAsFloat(quantidade);
    quOSPecasAPQUANTIDADEREQUERIDA->setAsFloat(quantidade);
    quOSPecasAOITCODIGO->setValue(quOSItemAOITCODIGO->value());
    quOSPecasATCODIGO->setValue(quSolicitaItATCODIGOENTREGA->value());
    quOSPecasAPRESERVA->setAsString("S");
    quOSPecasAPSEQUENCIA->setAsInteger(
        int(MaximoDado("apsequencia", "AATC01AP", "aocodigo", QString::number(ordem), {}, true)) + 1);
    quOSPecas->post();
}

// An item deleted, or changed to another product or responsible, takes its
// share off the order's pending lines it stood for (kept, it stayed
// reserved, counted in the order's total and went into its sales order);
// what other items and lines typed by hand hold stays.
void TdmTec::RetirarPecaSolicitacao(const ItemSolicitacaoPeca& item)
{
    if (item.ordem <= 0 || !AlterarPecasSolicitadas(item.ordem, item.produto, item.tecnico, -item.pendente))
        return;
    commitRetaining();
    if (reservaPecasAtualizada())
        dmGlobal->Reservado(item.produto, true, {});
    // The order open in edit on the order window takes the new totals into
    // that edit, stored by its own save and checks.
    if (quOS->active() && quOSAOCODIGO->asInteger() == item.ordem && quOS->state() != DatasetState::Browse)
        OrdemServicoAtualizaTotalizador(item.ordem);
    else
        GravarTotaisOrdem(item.ordem);
}
