// Where the parts settlement's lines come from: a parts request's hand-over
// and a service order's parts. Both offer only what has not left the stock
// for the order yet, whichever way it left: a settlement's stock items
// (series "A") carry the order and, when handed over, the request (what they
// took out less what they brought back was issued); a sales order of the
// order (its stock button, its billing) marks the parts lines it takes
// issued ("B") and takes out of stock those no settlement issued before.

#include "data/uDataTecAcertoPecas.h"

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Format.h"
#include "host/db/Database.h"
#include "host/db/RowHold.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

// Issued per product by the settlements whose items match the condition
// (on it.AOCODIGO or it.AICODIGO, parameter :CHAVE).
std::map<QString, double> baixadoPorProduto(const QString& condicao, int chave, const QString& produto = {})
{
    const QString sql = "select it.CODIGOPRODUTO, sum(iif(op.TIPO_OP in ('5', 'A', 'D', '0'),"
                        " -it.QUNATIDADEPRODUTO, it.QUNATIDADEPRODUTO)) from ACEM14IT it"
                        " left join AFVC0901 op on op.COD_OP = it.COD_OP where it.SERIE = 'A' and " +
                        condicao + (produto.isEmpty() ? QString() : QString(" and it.CODIGOPRODUTO = :PRODUTO")) +
                        " group by it.CODIGOPRODUTO";
    const auto consulta = dmGlobal->IBTransaction1->prepared(sql);
    consulta->setParam("CHAVE", chave);
    if (!produto.isEmpty())
        consulta->setParam("PRODUTO", produto);
    consulta->execute();
    std::map<QString, double> baixado;
    while (consulta->fetch())
        baixado[consulta->value(0).toString().trimmed()] = std::max(0.0, consulta->value(1).toDouble());
    return baixado;
}

// Per product, the order's parts lines: what they hold and what of it is
// marked issued.
struct LinhasDoProduto {
    double quantidade = 0, marcada = 0;
};

std::map<QString, LinhasDoProduto> linhasDaOrdemPorProduto(int ordem)
{
    const auto consulta = dmGlobal->IBTransaction1->prepared(
        "select PRCODIGO, sum(coalesce(APQUANTIDADE, 0)), sum(iif(APRESERVA = 'B', coalesce(APQUANTIDADE, 0), 0))"
        " from AATC01AP where AOCODIGO = :ORDEM group by PRCODIGO");
    consulta->setParam("ORDEM", ordem);
    consulta->execute();
    std::map<QString, LinhasDoProduto> linhas;
    while (consulta->fetch())
        linhas[consulta->value(0).toString().trimmed()] = {consulta->value(1).toDouble(),
                                                           consulta->value(2).toDouble()};
    return linhas;
}

// What left the stock for the order, per product: what its settlements
// issued or what its lines marked issued hold, whichever is more. A line
// the settlement issued is marked as well, so the two are not added; a line
// a sales order took is marked without any settlement.
std::map<QString, double> saidoDaOrdem(int ordem, const std::map<QString, LinhasDoProduto>& linhas)
{
    std::map<QString, double> saido = baixadoPorProduto("it.AOCODIGO = :CHAVE", ordem);
    for (const auto& [produto, linha] : linhas)
        saido[produto] = std::max(saido[produto], linha.marcada);
    return saido;
}

// What was issued of a product is counted against its lines in their
// order: each line keeps what is left of it after the earlier ones.
double restanteDaLinha(std::map<QString, double>& baixado, const QString& produto, double quantidade)
{
    double& aDescontar = baixado[produto];
    const double descontado = std::clamp(aDescontar, 0.0, std::max(quantidade, 0.0));
    aDescontar -= descontado;
    return quantidade - descontado;
}

QString quantidadeAcerto(double valor)
{
    return host::data::formatFloat("###,###,###,###,##0.00", valor);
}

struct SaldoSolicitacao {
    double entregue = 0, baixado = 0;
    double outraVia = 0;   // of baixado, what left for the order another way
    double restante() const { return entregue - baixado; }
};

// Per product, what a request delivered and what of it left the stock
// already: what its settlements issued, and what left for its orders
// another way (the order's stock button or billing, its import, another
// request) as far as the orders' lines cannot hold both that and the
// delivery: there those are the parts delivered.
std::map<QString, SaldoSolicitacao> saldosDaSolicitacao(int solicitacao, const QString& produto = {})
{
    const auto entregas = dmGlobal->IBTransaction1->prepared(
        QString("select PRCODIGO, coalesce(AOCODIGO, 0), sum(coalesce(AIQUANTIDADEENTREGUE, 0)) from AATC07AI"
                " where AICODIGO = :SOLICITACAO and AIID = 'I'") +
        (produto.isEmpty() ? QString() : QString(" and PRCODIGO = :PRODUTO")) + " group by 1, 2");
    entregas->setParam("SOLICITACAO", solicitacao);
    if (!produto.isEmpty())
        entregas->setParam("PRODUTO", produto);
    entregas->execute();
    std::map<QString, SaldoSolicitacao> saldos;
    std::set<int> ordens;
    while (entregas->fetch()) {
        saldos[entregas->value(0).toString().trimmed()].entregue += entregas->value(2).toDouble();
        if (entregas->value(1).toInt() > 0)
            ordens.insert(entregas->value(1).toInt());
    }
    std::map<QString, double> saido, nasLinhas;
    for (int ordem : ordens) {
        const std::map<QString, LinhasDoProduto> linhas = linhasDaOrdemPorProduto(ordem);
        for (const auto& [codigo, quantidade] : saidoDaOrdem(ordem, linhas))
            saido[codigo] += quantidade;
        for (const auto& [codigo, linha] : linhas)
            nasLinhas[codigo] += linha.quantidade;
    }
    const std::map<QString, double> proprio = baixadoPorProduto("it.AICODIGO = :CHAVE", solicitacao, produto);
    for (auto& [codigo, saldo] : saldos) {
        const double daSolicitacao = proprio.count(codigo) ? proprio.at(codigo) : 0.0;
        const double outros = std::max(0.0, saido[codigo] - daSolicitacao);
        saldo.outraVia = std::min(outros, std::max(0.0, outros + saldo.entregue - nasLinhas[codigo]));
        saldo.baixado = daSolicitacao + saldo.outraVia;
    }
    return saldos;
}

void recusarAcimaDoEntregue(int solicitacao, const QString& produto, double quantidade)
{
    const SaldoSolicitacao saldo = saldosDaSolicitacao(solicitacao, produto)[produto];
    // A hundredth of a unit is the finest quantity a line carries.
    if (quantidade <= saldo.restante() + 0.000001)
        return;
    dmGlobal->MostraAviso("Quantidade do produto " + produto + " acima do entregue e ainda não baixado da solicitação " +
                              host::data::formatFloat("000000", solicitacao) + ".\rEntregue: " +
                              quantidadeAcerto(saldo.entregue) + "\rBaixado: " + quantidadeAcerto(saldo.baixado) +
                              "\rA baixar: " + quantidadeAcerto(std::max(0.0, saldo.restante())),
                          true);
}

}  // namespace

QList<LinhaAcertoPecas> PecasDaSolicitacaoAoAcerto(int aiCodigo, QStringList& sJaBaixadas)
{
    std::map<QString, double> baixado;
    for (const auto& [produto, saldo] : saldosDaSolicitacao(aiCodigo)) {
        baixado[produto] = saldo.baixado;
        if (saldo.outraVia > 0.000001)
            sJaBaixadas << produto + ": " + quantidadeAcerto(saldo.outraVia);
    }
    const auto itens = dmGlobal->IBTransaction1->prepared(
        "select PRCODIGO, AOCODIGO, coalesce(AIQUANTIDADEENTREGUE, 0) from AATC07AI"
        " where AICODIGO = :SOLICITACAO and AIID = 'I' order by AISEQUENCIA");
    itens->setParam("SOLICITACAO", aiCodigo);
    itens->execute();
    QList<LinhaAcertoPecas> linhas;
    while (itens->fetch()) {
        LinhaAcertoPecas linha;
        linha.produto = itens->value(0).toString().trimmed();
        linha.aoCodigo = itens->value(1).toInt();
        linha.aiCodigo = aiCodigo;
        linha.quantidade = restanteDaLinha(baixado, linha.produto, itens->value(2).toDouble());
        if (linha.quantidade > 0)
            linhas.append(linha);
    }
    return linhas;
}

QList<LinhaAcertoPecas> PecasDaOrdemAoAcerto(int aoCodigo, bool bSaida, QStringList& sJaBaixadas)
{
    // A line marked issued is out whole; what left beyond the marked lines
    // is counted against the others.
    std::map<QString, double> baixado;
    if (bSaida) {
        const std::map<QString, LinhasDoProduto> porProduto = linhasDaOrdemPorProduto(aoCodigo);
        for (const auto& [produto, saido] : saidoDaOrdem(aoCodigo, porProduto))
            baixado[produto] = saido - (porProduto.count(produto) ? porProduto.at(produto).marcada : 0.0);
    }
    const auto pecas = dmGlobal->IBTransaction1->prepared(
        "select prCodigo, apQuantidade, APQUANTIDADEREQUERIDA, lecodigo, APRESERVA from aatc01ap"
        " where aoCodigo = :ORDEM order by APSEQUENCIA");
    pecas->setParam("ORDEM", aoCodigo);
    pecas->execute();
    QList<LinhaAcertoPecas> linhas;
    while (pecas->fetch()) {
        LinhaAcertoPecas linha;
        linha.produto = pecas->value(0).toString().trimmed();
        const double quantidade = pecas->value(1).toDouble();
        const bool marcada = bSaida && pecas->value(4).toString().trimmed() == "B";
        linha.quantidade = marcada ? 0.0 : restanteDaLinha(baixado, linha.produto, quantidade);
        linha.quantidadeRequerida = pecas->value(2).toDouble();
        linha.local = pecas->value(3).toString().trimmed();
        linha.aoCodigo = aoCodigo;
        if (linha.quantidade != quantidade)
            sJaBaixadas << linha.produto + ": " + quantidadeAcerto(quantidade - linha.quantidade);
        // A line all issued is left out; one of no quantity stays, for the
        // line checks to refuse.
        if (linha.quantidade > 0 || linha.quantidade == quantidade)
            linhas.append(linha);
    }
    return linhas;
}

void VerificarSolicitacoesAcerto(const QList<LinhaAcertoPecas>& linhas)
{
    std::map<std::pair<int, QString>, double> porSolicitacao;
    for (const LinhaAcertoPecas& linha : linhas)
        if (linha.aiCodigo > 0 && linha.quantidade > 0)
            porSolicitacao[{linha.aiCodigo, linha.produto}] += linha.quantidade;
    for (const auto& [chave, quantidade] : porSolicitacao)
        recusarAcimaDoEntregue(chave.first, chave.second, quantidade);
}

void ReservarSolicitacaoAcerto(const LinhaAcertoPecas& linha)
{
    if (linha.aiCodigo <= 0)
        return;
    // Another desk settling the same request's product, or selling the
    // order's lines of it, now waits for this line's commit or is refused;
    // after it, it reads this line's items and marks.
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const bool emOutraEstacao =
        host::db::holdRows(tr, u"AATC07AI", {{"AICODIGO", linha.aiCodigo}, {"PRCODIGO", linha.produto}},
                           "AIID = 'I'", u"AIQUANTIDADEENTREGUE")
            .elsewhere() ||
        (linha.aoCodigo > 0 &&
         host::db::holdRows(tr, u"AATC01AP", {{"AOCODIGO", linha.aoCodigo}, {"PRCODIGO", linha.produto}}, {},
                            u"APRESERVA")
             .elsewhere());
    if (emOutraEstacao)
        dmGlobal->MostraAviso("Aviso: operação abortada.\rA solicitação " + QString::number(linha.aiCodigo) +
                                  " (produto " + linha.produto + ") está em uso em outra estação neste"
                                  " momento. Tente novamente.",
                              true);
    recusarAcimaDoEntregue(linha.aiCodigo, linha.produto, linha.quantidade);
}
