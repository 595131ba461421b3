// Where the parts settlement's lines come from: a parts request's hand-over
// and a service order's parts. Both offer only what no settlement issued
// yet: a settlement's stock items (series "A") carry the order and, when
// handed over, the request; what they took out less what they brought back
// is what was issued.

#include "data/uDataTecAcertoPecas.h"

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

#include <algorithm>
#include <map>

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
    double restante() const { return entregue - baixado; }
};

SaldoSolicitacao saldoDaSolicitacao(int solicitacao, const QString& produto)
{
    SaldoSolicitacao saldo;
    saldo.entregue = host::db::selectValue(*dmGlobal->IBTransaction1,
                                           "select coalesce(sum(AIQUANTIDADEENTREGUE), 0) from AATC07AI where"
                                           " AICODIGO = :SOLICITACAO and AIID = 'I' and PRCODIGO = :PRODUTO",
                                           {{"SOLICITACAO", solicitacao}, {"PRODUTO", produto}})
                         .toDouble();
    saldo.baixado = baixadoPorProduto("it.AICODIGO = :CHAVE", solicitacao, produto)[produto];
    return saldo;
}

void recusarAcimaDoEntregue(int solicitacao, const QString& produto, double quantidade)
{
    const SaldoSolicitacao saldo = saldoDaSolicitacao(solicitacao, produto);
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

QList<LinhaAcertoPecas> PecasDaSolicitacaoAoAcerto(int aiCodigo)
{
    std::map<QString, double> baixado = baixadoPorProduto("it.AICODIGO = :CHAVE", aiCodigo);
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
    std::map<QString, double> baixado;
    if (bSaida)
        baixado = baixadoPorProduto("it.AOCODIGO = :CHAVE", aoCodigo);
    const auto pecas = dmGlobal->IBTransaction1->prepared(
        "select prCodigo, apQuantidade, APQUANTIDADEREQUERIDA, lecodigo from aatc01ap"
        " where aoCodigo = :ORDEM order by APSEQUENCIA");
    pecas->setParam("ORDEM", aoCodigo);
    pecas->execute();
    QList<LinhaAcertoPecas> linhas;
    while (pecas->fetch()) {
        LinhaAcertoPecas linha;
        linha.produto = pecas->value(0).toString().trimmed();
        const double quantidade = pecas->value(1).toDouble();
        linha.quantidade = restanteDaLinha(baixado, linha.produto, quantidade);
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
    // Another desk settling the same request's product now waits for this
    // line's commit or is refused; after it, it reads this line's items.
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "update AATC07AI set AIQUANTIDADEENTREGUE = AIQUANTIDADEENTREGUE"
                         " where AICODIGO = :SOLICITACAO and AIID = 'I' and PRCODIGO = :PRODUTO",
                         {{"SOLICITACAO", linha.aiCodigo}, {"PRODUTO", linha.produto}});
    recusarAcimaDoEntregue(linha.aiCodigo, linha.produto, linha.quantidade);
}
