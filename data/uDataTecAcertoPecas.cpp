// The parts lines of a service order brought in line with a stock movement
// of the parts settlement: parts that leave the stock go into the order,
// parts that come back come off it.

#include "data/uDataTecAcertoPecas.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <vector>

namespace {

// Both totals again from the quantities after the change of the column.
QString totaisAposAcerto(const QString& coluna, const QString& novoValor)
{
    const bool requerida = coluna == "APQUANTIDADEREQUERIDA";
    const QString quantidade = requerida ? "coalesce(APQUANTIDADE, 0)" : novoValor;
    const QString quantidadeRequerida = requerida ? novoValor : "coalesce(APQUANTIDADEREQUERIDA, 0)";
    return "APVALTOTAL = " + totalPecaSql(quantidade) +
           ", APVALORTOTALREQUERIDO = " + totalPecaSql(quantidadeRequerida);
}

// The product's parts lines on the order, by sequence, with the quantity of
// the column the settlement changes: one read serves every choice of line.
struct LinhaProdutoAcerto {
    int sequencia = 0;
    double quantidade = 0;
    bool baixadaPendente = false;   // issued ("B") and in no sales order yet
    bool vendida = false;           // in a sales order
};

// The texts of the settlement's statements are made once per column: a run
// of lines asks them again for every line.
const QString& sqlLinhasDoProdutoAcerto(const QString& coluna)
{
    static const QString marca = ", iif(APRESERVA = 'B' and coalesce(trim(VECODIGO), '') = '', 1, 0),"
                                 " iif(coalesce(trim(VECODIGO), '') = '', 0, 1) from AATC01AP"
                                 " where AOCODIGO = :ORDEM and PRCODIGO = :PRODUTO order by APSEQUENCIA";
    static const QString quantidade = "select APSEQUENCIA, coalesce(APQUANTIDADE, 0)" + marca;
    static const QString requerida = "select APSEQUENCIA, coalesce(APQUANTIDADEREQUERIDA, 0)" + marca;
    return coluna == "APQUANTIDADEREQUERIDA" ? requerida : quantidade;
}

std::vector<LinhaProdutoAcerto> linhasDoProdutoAcerto(int ordem, const QString& produto, const QString& coluna)
{
    const auto consulta = dmGlobal->IBTransaction1->prepared(sqlLinhasDoProdutoAcerto(coluna));
    consulta->setParam("ORDEM", ordem);
    consulta->setParam("PRODUTO", produto);
    consulta->execute();
    std::vector<LinhaProdutoAcerto> linhas;
    while (consulta->fetch())
        linhas.push_back({consulta->value(0).toInt(), consulta->value(1).toDouble(), consulta->value(2).toInt() == 1,
                          consulta->value(3).toInt() == 1});
    return linhas;
}

// The first of the lines whose quantity meets the condition; 0 when none.
template <class Condicao>
int primeiraLinhaAcerto(const std::vector<LinhaProdutoAcerto>& linhas, Condicao condicao)
{
    for (const LinhaProdutoAcerto& linha : linhas)
        if (condicao(linha.quantidade))
            return linha.sequencia;
    return 0;
}

// How a line's quantity changes: an exit adds hundredths, an entry takes
// the quantity off.
enum class MudancaAcerto { Soma, Subtrai };

QString sqlAlteracaoAcerto(const QString& coluna, MudancaAcerto mudanca)
{
    const QString novoValor = mudanca == MudancaAcerto::Soma ? "(coalesce(" + coluna + ", 0) + (:VALOR / 100.00))"
                                                             : "coalesce(" + coluna + ", 0) - :VALOR";
    return "update AATC01AP set " + coluna + " = " + novoValor + ", " + totaisAposAcerto(coluna, novoValor) +
           " where AOCODIGO = :ORDEM and APSEQUENCIA = :SEQUENCIA";
}

// One line changes, so that the order's lines change in total by the
// settled quantity once, whatever number of lines hold the product. A line
// another desk deleted since it was read stops the correction: its quantity
// would be written nowhere.
void alterarLinhaAcerto(int ordem, int sequencia, const QString& coluna, MudancaAcerto mudanca, double valor)
{
    static const QString textos[2][2] = {
        {sqlAlteracaoAcerto("APQUANTIDADE", MudancaAcerto::Soma),
         sqlAlteracaoAcerto("APQUANTIDADE", MudancaAcerto::Subtrai)},
        {sqlAlteracaoAcerto("APQUANTIDADEREQUERIDA", MudancaAcerto::Soma),
         sqlAlteracaoAcerto("APQUANTIDADEREQUERIDA", MudancaAcerto::Subtrai)}};
    const auto alteracao = dmGlobal->IBTransaction1->prepared(
        textos[coluna == "APQUANTIDADEREQUERIDA"][mudanca == MudancaAcerto::Subtrai]);
    alteracao->setParam("ORDEM", ordem);
    alteracao->setParam("SEQUENCIA", sequencia);
    alteracao->setParam("VALOR", valor);
    if (alteracao->execute() == 0)
        dmGlobal->MostraErro("A linha " + QString::number(sequencia) + " das peças da Ordem de Serviço \"" +
                             QString::number(ordem) +
                             "\" não existe mais (excluída por outro usuário); o acerto da peça não foi feito.");
}

// The quantity in hundredths, rounded as the format "0" rounds (half away
// from zero on 15 significant digits); a whole number of hundredths, the
// usual quantity, needs no text.
double centesimosAcerto(double quantidade)
{
    const double centesimos = quantidade * 100;
    if (std::fabs(centesimos) < 1e15 && centesimos == std::trunc(centesimos))
        return centesimos == 0 ? 0.0 : centesimos;
    return host::data::formatFloat("0", centesimos).toDouble();
}

// Entry: the quantity comes off the first of the product's lines that holds
// it; only when none does, off the lines in their order, over as many as it
// takes, so that the order bills what came back once; when the lines hold
// less in total, none changes. The lines of the product left at zero in
// both quantities go.
void entradaAcerto(int ordem, const QString& produto, double quantidade, const QString& coluna,
                   const std::vector<LinhaProdutoAcerto>& linhas)
{
    // A millionth of a unit is rounding, not quantity.
    const double folga = 0.000001;
    const auto inteira = std::find_if(linhas.begin(), linhas.end(), [&](const LinhaProdutoAcerto& linha) {
        return linha.quantidade > 0 && linha.quantidade + folga >= quantidade;
    });
    double guardado = 0;
    for (const LinhaProdutoAcerto& linha : linhas)
        guardado += std::max(linha.quantidade, 0.0);
    double restante = guardado + folga >= quantidade ? quantidade : 0;
    if (inteira != linhas.end()) {
        alterarLinhaAcerto(ordem, inteira->sequencia, coluna, MudancaAcerto::Subtrai,
                           std::min(inteira->quantidade, quantidade));
        restante = 0;
    }
    for (const LinhaProdutoAcerto& linha : linhas) {
        if (restante <= folga)
            break;
        if (linha.quantidade <= 0)
            continue;
        const double tirada = std::min(linha.quantidade, restante);
        alterarLinhaAcerto(ordem, linha.sequencia, coluna, MudancaAcerto::Subtrai, tirada);
        restante -= tirada;
    }
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "delete from AATC01AP where AOCODIGO = :ORDEM and PRCODIGO = :PRODUTO"
                         " and coalesce(APQUANTIDADE, 0) = 0 and coalesce(APQUANTIDADEREQUERIDA, 0) = 0",
                         {{"ORDEM", ordem}, {"PRODUTO", produto}});
}

// Exit of a product the order lacks: a new authorised, issued line.
void inserirLinhaAcerto(int ordem, const QString& produto, double quantidade, const QString& coluna)
{
    const QString clienteOrdem = CarregaDado("CLCODIGO", "AATC01AO", "where AOCODIGO = " + QString::number(ordem));
    const QString modoDesconto = parametroAparado("ATDESCONTOPECAACERTO");
    double desconto = 0;
    if (modoDesconto == "C" || modoDesconto == "E")
        desconto = CarregaNumero("CLDESCONTO", "AUGC0301", "where CODIGO_CLIENTE = " + QuotedStr(clienteOrdem.trimmed()));
    else if (modoDesconto == "P")
        desconto = CarregaNumero("DESCONTO", "ACEC1101", "where CODIGO = " + QuotedStr(produto));
    const double preco = CarregaNumero("PCO_VENDA", "ACEC1101", "where CODIGO = " + QuotedStr(produto));
    const double precoLiquido = desconto > 0 ? preco * (1 - desconto / 100) : preco;
    const bool requerida = coluna == "APQUANTIDADEREQUERIDA";
    host::db::executeSql(
        *dmGlobal->IBTransaction1,
        "insert into AATC01AP (AOCODIGO, AOITCODIGO, APSEQUENCIA, PRCODIGO, " + coluna +
            ", APVALUNITARIO, APDESCONTO, APVALTOTAL, APVALORTOTALREQUERIDO, APAUTORIZADO, APOBSERVACAO, APRESERVA,"
            " UGINSERIDO, APTIPO) values (:ORDEM, (select min(AOITCODIGO) from AATC01AOIT where AOCODIGO = :ORDEM),"
            " (select coalesce(max(APSEQUENCIA), 0) + 1 from AATC01AP where AOCODIGO = :ORDEM), :PRODUTO,"
            " :QUANTIDADE, :PRECO, :DESCONTO, :TOTAL, :TOTALREQUERIDO, 'S', 'Inserido Pelo Acerto', 'B', :AGORA, '3')",
        {{"ORDEM", ordem},
         {"PRODUTO", produto},
         {"QUANTIDADE", quantidade},
         {"PRECO", preco},
         {"DESCONTO", desconto},
         {"TOTAL", requerida ? 0.0 : precoLiquido * quantidade},
         {"TOTALREQUERIDO", requerida ? precoLiquido * quantidade : 0.0},
         {"AGORA", QDateTime::currentDateTime()}});
}

// Exit of a product the order holds: added, to two decimal places, to a line
// that already has a quantity when the user confirms, else to a line at 0.
bool saidaAcerto(int ordem, const QString& produto, double quantidade, const QString& coluna,
                 const std::vector<LinhaProdutoAcerto>& linhas)
{
    auto comQuantidade = [](double q) { return q > 0; };
    int linha = 0;
    if (primeiraLinhaAcerto(linhas, comQuantidade) > 0) {
        double lancada = 0;
        for (const LinhaProdutoAcerto& l : linhas)
            if (comQuantidade(l.quantidade))
                lancada += l.quantidade;
        if (MostraPergunta("Peça de código \"" + produto + "\" já lançada na Ordem de Serviço \"" +
                               QString::number(ordem) + "\".\r Tem certeza de que deseja somar da OS?\rQuantidade Lançada: " +
                               host::data::formatFloatGeneral(lancada),
                           {"Sim", "Não"}) == "Sim")
            linha = primeiraLinhaAcerto(linhas, comQuantidade);
        // Read again: another desk may have billed the order while the
        // question was open.
        RecusarOrdemFaturada(ordem, DocumentoDaOrdem(ordem), kAcertoOrdemFaturada);
    }
    if (linha == 0)
        linha = primeiraLinhaAcerto(linhas, [](double q) { return q == 0; });
    if (linha == 0)
        return false;
    // The quantity to two decimal places.
    alterarLinhaAcerto(ordem, linha, coluna, MudancaAcerto::Soma, centesimosAcerto(quantidade));
    return true;
}

}  // namespace

VistaOrdemAcerto::VistaOrdemAcerto()
{
    TdmTec& tec = *dmTec;
    mostrada_ = tec.quOS->active() && !tec.quOS->isEmpty() ? tec.quOSAOCODIGO->asInteger() : 0;
}

VistaOrdemAcerto::~VistaOrdemAcerto()
{
    // An order another window shows is shown again (with the totals just
    // written); the header dataset is not left closed under it, nor left
    // open on an order nobody shows.
    try {
        if (mostrada_ > 0)
            CarregaOrdemServico(mostrada_);
        else
            dmTec->quOS->close();
    } catch (...) {
        // Leaving a failed correction: its own error is the one reported.
    }
}

namespace {

enum class CorrecaoAcerto { SemLinhas, Recusada, Feita };

CorrecaoAcerto corrigirLinhasAcerto(const QString& sTipo, const QString& produto, double dQuantidade, int aoCodigo,
                                    bool bRequerida, double* baixadoAntes = nullptr)
{
    const QString coluna = bRequerida ? "APQUANTIDADEREQUERIDA" : "APQUANTIDADE";
    const std::vector<LinhaProdutoAcerto> linhas = linhasDoProdutoAcerto(aoCodigo, produto, coluna);
    if (baixadoAntes) {
        *baixadoAntes = 0;
        for (const LinhaProdutoAcerto& linha : linhas)
            if (linha.baixadaPendente)
                *baixadoAntes += std::max(linha.quantidade, 0.0);
    }
    if (sTipo == "E") {
        if (linhas.empty())
            return CorrecaoAcerto::SemLinhas;
        entradaAcerto(aoCodigo, produto, dQuantidade, coluna, linhas);
        return CorrecaoAcerto::Feita;
    }
    // A line a sales order took is billed as it was sold: what leaves now
    // goes on a line no sales order took yet, which the next one bills
    // without taking it out of stock again.
    std::vector<LinhaProdutoAcerto> abertas;
    std::copy_if(linhas.begin(), linhas.end(), std::back_inserter(abertas),
                 [](const LinhaProdutoAcerto& linha) { return !linha.vendida; });
    if (abertas.empty()) {
        inserirLinhaAcerto(aoCodigo, produto, dQuantidade, coluna);
        return CorrecaoAcerto::Feita;
    }
    return saidaAcerto(aoCodigo, produto, dQuantidade, coluna, abertas) ? CorrecaoAcerto::Feita
                                                                          : CorrecaoAcerto::Recusada;
}

// The product's lines on the order no sales order took yet, by sequence,
// with the quantity of the column and their mark.
struct LinhaPendenteAcerto {
    int sequencia = 0;
    double quantidade = 0;
    QString reserva;
    bool baixada() const { return reserva == "B"; }
};

std::vector<LinhaPendenteAcerto> linhasPendentesAcerto(int ordem, const QString& produto, const QString& coluna)
{
    const auto consulta = dmGlobal->IBTransaction1->prepared(
        "select APSEQUENCIA, coalesce(" + coluna + ", 0), APRESERVA from AATC01AP"
        " where AOCODIGO = :ORDEM and PRCODIGO = :PRODUTO and coalesce(trim(VECODIGO), '') = ''"
        " order by APSEQUENCIA");
    consulta->setParam("ORDEM", ordem);
    consulta->setParam("PRODUTO", produto);
    consulta->execute();
    std::vector<LinhaPendenteAcerto> linhas;
    while (consulta->fetch())
        linhas.push_back({consulta->value(0).toInt(), consulta->value(1).toDouble(),
                          consulta->value(2).toString().trimmed()});
    return linhas;
}

void marcarLinhaAcerto(int ordem, int sequencia, const QString& marca)
{
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "update AATC01AP set APRESERVA = :MARCA where AOCODIGO = :ORDEM and APSEQUENCIA = :SEQUENCIA",
                         {{"MARCA", marca}, {"ORDEM", ordem}, {"SEQUENCIA", sequencia}});
}

// A line cut in two: the line keeps the issued part ("B"), as a
// settlement's issue is counted against an order's lines in their order; a
// new line at the end takes the rest with the mark it is to have. The two
// bill what the one did.
void dividirLinhaAcerto(int ordem, int sequencia, const QString& coluna, double resto, const QString& marcaResto)
{
    const bool requerida = coluna == "APQUANTIDADEREQUERIDA";
    host::db::executeSql(
        *dmGlobal->IBTransaction1,
        "insert into AATC01AP (AOCODIGO, AOITCODIGO, APSEQUENCIA, PRCODIGO, " + coluna +
            ", APVALUNITARIO, APDESCONTO, APVALTOTAL, APVALORTOTALREQUERIDO, APAUTORIZADO, APOBSERVACAO, APRESERVA,"
            " UGINSERIDO, APUSUARIOINSERCAO, APTIPO, APGARANTIA, LECODIGO, OFCODIGO, APPROMOCAO)"
            " select AOCODIGO, AOITCODIGO, (select max(x.APSEQUENCIA) + 1 from AATC01AP x where x.AOCODIGO = :ORDEM),"
            " PRCODIGO, :RESTO, APVALUNITARIO, APDESCONTO, " +
            (requerida ? QString("0") : totalPecaSql(":RESTO")) + ", " +
            (requerida ? totalPecaSql(":RESTO") : QString("0")) +
            ", APAUTORIZADO, APOBSERVACAO, :MARCA, UGINSERIDO, APUSUARIOINSERCAO, APTIPO, APGARANTIA, LECODIGO,"
            " OFCODIGO, APPROMOCAO from AATC01AP where AOCODIGO = :ORDEM and APSEQUENCIA = :SEQUENCIA",
        {{"ORDEM", ordem}, {"SEQUENCIA", sequencia}, {"RESTO", resto}, {"MARCA", marcaResto}});
    alterarLinhaAcerto(ordem, sequencia, coluna, MudancaAcerto::Subtrai, resto);
    marcarLinhaAcerto(ordem, sequencia, "B");
}

// Moves the mark over as much as the difference asks, line by line in
// their order, a line cut where the difference ends inside it. A line no
// longer issued is "N": what came back is no longer held for it.
void moverMarcaAcerto(int ordem, const QString& coluna, const std::vector<LinhaPendenteAcerto>& linhas, bool baixar,
                      double diferenca)
{
    const double folga = 0.000001;
    for (const LinhaPendenteAcerto& linha : linhas) {
        if (diferenca <= folga)
            return;
        if (linha.baixada() == baixar || linha.quantidade <= 0)
            continue;
        if (linha.quantidade <= diferenca + folga)
            marcarLinhaAcerto(ordem, linha.sequencia, baixar ? "B" : "N");
        else if (baixar)
            dividirLinhaAcerto(ordem, linha.sequencia, coluna, linha.quantidade - diferenca, linha.reserva);
        else
            dividirLinhaAcerto(ordem, linha.sequencia, coluna, diferenca, "N");
        diferenca -= linha.quantidade;
    }
}

double somaBaixadaAcerto(const std::vector<LinhaPendenteAcerto>& linhas)
{
    double baixado = 0;
    for (const LinhaPendenteAcerto& linha : linhas)
        if (linha.baixada())
            baixado += std::max(linha.quantidade, 0.0);
    return baixado;
}

}  // namespace

void MoverBaixadasAcerto(int aoCodigo, const QString& sProduto, const QString& sColuna, double dMovido,
                         std::optional<double> dBaixadoAntes)
{
    if (aoCodigo <= 0)
        return;
    const std::vector<LinhaPendenteAcerto> linhas = linhasPendentesAcerto(aoCodigo, sProduto, sColuna);
    const double baixado = somaBaixadaAcerto(linhas);
    const double alvo = std::max(0.0, dBaixadoAntes.value_or(baixado) + dMovido);
    if (alvo > baixado)
        moverMarcaAcerto(aoCodigo, sColuna, linhas, true, alvo - baixado);
    else if (alvo < baixado)
        moverMarcaAcerto(aoCodigo, sColuna, linhas, false, baixado - alvo);
}

bool CorrigirLinhasPecaOrdemServico(const QString& sTipo, const QString& sProduto, double dQuantidade, int aoCodigo,
                                    bool bRequerida, double* dBaixadoAntes)
{
    return aoCodigo > 0 && corrigirLinhasAcerto(sTipo, sProduto.trimmed(), dQuantidade, aoCodigo, bRequerida,
                                                dBaixadoAntes) == CorrecaoAcerto::Feita;
}

bool CorrigirPecaOrdemServico(const QString& sTipo, const QString& sProduto, double dQuantidade, int aoCodigo,
                              bool bRequerida)
{
    if (aoCodigo <= 0)
        return false;
    RecusarOrdemFaturada(aoCodigo, DocumentoDaOrdem(aoCodigo), kAcertoOrdemFaturada);
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // A failure takes back this correction only; the settlement's earlier
    // lines are committed already.
    host::db::Savepoint ponto(tr);
    const CorrecaoAcerto correcao = corrigirLinhasAcerto(sTipo, sProduto.trimmed(), dQuantidade, aoCodigo, bRequerida);
    if (correcao == CorrecaoAcerto::SemLinhas)
        return false;
    // The order's totals follow its lines.
    AtualizarOSCorrentePecas(aoCodigo, "AATC01AP", false);
    ponto.release();
    tr.commitRetaining();
    return correcao == CorrecaoAcerto::Feita;
}

bool VerificarPecaOrdemServico(const QString& sTipo, const QString& sProduto, double dQuantidade, int aoCodigo,
                               bool bRequerida)
{
    VistaOrdemAcerto vista;
    return CorrigirPecaOrdemServico(sTipo, sProduto, dQuantidade, aoCodigo, bRequerida);
}
