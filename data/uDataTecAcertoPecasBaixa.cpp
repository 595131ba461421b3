// The posting of a parts settlement: its checks, then one stock document per
// run (per customer when asked), one item per line, the stock moved, the
// orders' parts lines marked issued and, when asked, corrected.

#include "data/uDataTecAcertoPecas.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Format.h"

#include <QTime>

#include <map>
#include <optional>
#include <set>

namespace {

QString valorAcerto(double valor)
{
    return host::data::formatFloat("###,###,###,###,##0.00", valor);
}

QString clienteDaOrdemAcerto(int ordem)
{
    const QString cliente = host::db::selectValue(*dmGlobal->IBTransaction1,
                                                  "select clCodigo from aatc01ao where aoCodigo = :ORDEM",
                                                  {{"ORDEM", ordem}})
                                .toString()
                                .trimmed();
    return cliente.isEmpty() ? QString("00000") : cliente;
}

struct DocumentoAcerto {
    QString numero, cliente;
    int sequencia = 0;   // of its last item: the run alone writes the document
};

// The items of the document: the columns and their values.
const char* const kItensDoDocumentoAcerto = " from acem14it where Documento = :DOCUMENTO and Serie = 'A' and"
                                            " Cod_Cli = :CLIENTE and Cod_Op = :OPERACAO and MeLocal = :LOCAL";

QVariantMap chaveItensAcerto(const DocumentoAcerto& documento, const QString& operacao)
{
    return {{"DOCUMENTO", documento.numero},
            {"CLIENTE", documento.cliente},
            {"OPERACAO", operacao},
            {"LOCAL", parametroAparado("ATLOCALESTOQUEDOCUMENTO")}};
}

bool documentoVazioAcerto(const DocumentoAcerto& documento, const QString& operacao)
{
    return host::db::selectValue(*dmGlobal->IBTransaction1,
                                 QString("select count(Documento)") + kItensDoDocumentoAcerto,
                                 chaveItensAcerto(documento, operacao))
               .toInt() == 0;
}

void excluirDocumentoAcerto(const DocumentoAcerto& documento, const QString& operacao)
{
    DeletaRegistrosCommit("Acem1401", "where Documento = " + QuotedStr(documento.numero) +
                                          " and Serie_Doc = 'A' and Local_Doc = " +
                                          QuotedStr(parametroAparado("ATLOCALESTOQUEDOCUMENTO")) +
                                          " and Operacao_Doc = " + QuotedStr(operacao) +
                                          " and Cod_Cli = " + QuotedStr(documento.cliente));
}

DocumentoAcerto novoDocumentoAcerto(const LinhaAcertoPecas& linha, const OpcoesAcertoPecas& opcoes)
{
    DocumentoAcerto documento;
    documento.cliente = clienteDaOrdemAcerto(linha.aoCodigo);
    documento.numero = dmGlobal->InseriDocumentoAcem1401({QDateTime(), "A", parametroAparado("ATLOCALESTOQUEDOCUMENTO"),
                                                          opcoes.tipo, horaAtualTexto(),
                                                          documento.cliente, opcoes.operacao});
    // Items an earlier document of that number left behind keep theirs.
    documento.sequencia = host::db::selectValue(*dmGlobal->IBTransaction1,
                                                QString("select max(sequencia)") + kItensDoDocumentoAcerto,
                                                chaveItensAcerto(documento, opcoes.operacao))
                              .toInt();
    return documento;
}

bool numeroSerieExigidoAcerto()
{
    static const QStringList controles{"O", "F", "L", "V"};
    if (!controles.contains(parametroAparado("ATCONTROLENUMEROSERIE")))
        return false;
    const QString tipo = dmGlobal->TipoOperacao(parametroAparado("ATOPERACAONUMEROSERIE"));
    const QString dispensa = parametroAparado("ATDISPENSANUMEROSERIE");
    return !((tipo == "C" || tipo == "0") && (dispensa == "O" || dispensa == "1"));
}

// One line's order correction, stock item, stock movement and marks, under
// a savepoint and one commit: a failure leaves nothing of the line (the
// earlier lines are committed). The order's totals and the product's
// reservation are summed again by the caller, once per order and product.
void baixarLinhaAcerto(const LinhaAcertoPecas& linha, const OpcoesAcertoPecas& opcoes, DocumentoAcerto& documento,
                       std::map<QString, double>& precos)
{
    const QString localDocumento = parametroAparado("ATLOCALESTOQUEDOCUMENTO");
    const int sequencia = documento.sequencia + 1;
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::CommitHold espera(tr);
    host::db::Savepoint ponto(tr);
    if (opcoes.tipo == "S")
        ReservarSolicitacaoAcerto(linha);
    // The correction reads the order's lines anyway: it tells what the
    // issued ones held before it changed them.
    const QString coluna = opcoes.salvarRequerida ? "APQUANTIDADEREQUERIDA" : "APQUANTIDADE";
    double baixadoAntes = 0;
    if (opcoes.inserirPeca && !CorrigirLinhasPecaOrdemServico(opcoes.tipo, linha.produto, linha.quantidade,
                                                              linha.aoCodigo, opcoes.salvarRequerida, &baixadoAntes)) {
        ponto.release();   // nothing was written
        espera.release();
        return;
    }
    const QString local = linha.local.trimmed().isEmpty() ? parametroAparado("ATLOCALESTOQUEPADRAO") : linha.local.trimmed();
    // A product's price is read once per run: the run changes none.
    auto preco = precos.find(linha.produto);
    if (preco == precos.end())
        preco = precos.emplace(linha.produto, dmGlobal->CarregarProduto(linha.produto).valorUnitario).first;
    ItemDocumentoEstoque item;
    item.local = localDocumento;
    item.documento = documento.numero;
    item.sequencia = sequencia;
    item.quantidade = linha.quantidade;
    item.cliente = documento.cliente;
    item.serie = "A";
    item.operacao = opcoes.operacao;
    item.produto = linha.produto;
    item.valorUnitario = preco->second;
    item.valorTotal = preco->second * linha.quantidade;
    item.hora = horaAtualTexto();
    item.localProduto = local;
    item.aoCodigo = linha.aoCodigo;
    item.colunasExtras = ", AICODIGO";
    item.valoresExtras = " , " + QString::number(linha.aiCodigo);
    dmGlobal->InseriItemAcem14it(item);
    if (numeroSerieExigidoAcerto())
        dmGlobal->NumeroSerieProdutoObrigatorio(linha.produto, linha.quantidade, {{}, linha.aoCodigo, 0, 0},
                                                QDateTime::currentDateTime());
    if (opcoes.tipo == "E")
        dmGlobal->SomaEstoque(linha.produto, linha.quantidade, local);
    else
        dmGlobal->SubtraiEstoque(linha.produto, linha.quantidade, local);
    MoverBaixadasAcerto(linha.aoCodigo, linha.produto, coluna, opcoes.tipo == "E" ? -linha.quantidade : linha.quantidade,
                        opcoes.inserirPeca ? std::optional<double>(baixadoAntes) : std::nullopt);
    espera.release();
    tr.commitRetaining();
    // Released after the commit, when it has nothing left to keep: no
    // statement of its own.
    ponto.release();
    documento.sequencia = sequencia;
}

// What the run's lines change and is summed again once, not per line: the
// parts totals of the order whose lines it corrected (when it is done with
// the order) and the reservations of the products it issued (at its end).
// Each sum reads only committed lines, so the result is the same.
class SomasAcerto {
public:
    void ordemCorrigida(int ordem)
    {
        if (ordem != ordem_)
            gravarOrdem();
        ordem_ = ordem;
    }
    void produtoMarcado(const QString& produto) { produtos_.insert(produto); }
    void gravar()
    {
        gravarOrdem();
        for (auto it = produtos_.begin(); it != produtos_.end(); it = produtos_.erase(it))
            dmGlobal->Reservado(*it, true, {});
        dmGlobal->IBTransaction1->commitRetaining();
    }

private:
    void gravarOrdem()
    {
        if (ordem_ <= 0)
            return;
        AtualizarOSCorrentePecas(ordem_, "AATC01AP", false);
        dmGlobal->IBTransaction1->commitRetaining();
        ordem_ = 0;
    }

    int ordem_ = 0;
    std::set<QString> produtos_;
};

}  // namespace

void VerificarEstoqueAcerto(const QList<LinhaAcertoPecas>& linhas)
{
    const QString insuficiente = parametroAparado("ATESTOQUEINSUFICIENTE");
    const QString modoReserva = parametroAparado("ATMODORESERVAESTOQUE");
    if (insuficiente != "N" && insuficiente != "A")
        return;
    for (const LinhaAcertoPecas& linha : linhas) {
        const QString chave = "where codigo = " + QuotedStr(linha.produto);
        const QString tipo = CarregaDado("COM_FAB_S_FS", "acec1101", chave).trimmed();
        const double reservado = modoReserva == "A" ? CarregaNumero("qtde_producao", "acec1101", chave)
                                                    : dmGlobal->Reservado(linha.produto, false, {});
        double disponivel = dmGlobal->PosicaoEstoque(linha.produto);
        if (modoReserva == "L")
            disponivel += reservado;
        if (tipo == "7" && modoReserva != "H")
            continue;
        if (linha.quantidade > disponivel)
            dmGlobal->MostraAviso("O produto " + linha.produto +
                                      " não possui quantidade em estoque disponível suficiente. ",
                                  insuficiente == "N");
    }
}

void VerificarEntradaAcerto(const LinhaAcertoPecas& linha)
{
    const QVariantMap chave{{"ORDEM", linha.aoCodigo}, {"PRODUTO", linha.produto}};
    auto soma = [&](const char* condicao) {
        return host::db::selectValue(*dmGlobal->IBTransaction1,
                                     QString("select coalesce(sum(it.qunatidadeproduto), 0) from acem14it it"
                                             " join Afvc0901 op on op.cod_op = it.cod_op where it.serie = 'A'"
                                             " and it.aocodigo = :ORDEM and it.codigoproduto = :PRODUTO and %1")
                                         .arg(QLatin1String(condicao)),
                                     chave)
            .toDouble();
    };
    const double entradas = soma("op.tipo_op in ('5', 'A', 'D', '0')");
    const double saidas = soma("coalesce(op.tipo_op, '') not in ('5', 'A', 'D', '0')");
    const double saldo = saidas - entradas;
    if (linha.quantidade > saldo)
        dmGlobal->MostraAviso("Não é possível entrar essa quantidade do produto " + linha.produto + " - " +
                                  linha.descricao + " da ordem de serviço " + QString::number(linha.aoCodigo) +
                                  ".\rSaída: " + valorAcerto(saidas) + "\rEntrada: " + valorAcerto(entradas) +
                                  "\rSaldo: " + valorAcerto(saldo),
                              true);
}

void VerificarOrdensAcerto(const QList<LinhaAcertoPecas>& linhas, bool bInserirPeca)
{
    // One read for the run: the orders named, less those the table holds.
    std::set<int> desconhecidas;
    for (const LinhaAcertoPecas& linha : linhas)
        if (linha.aoCodigo > 0)
            desconhecidas.insert(linha.aoCodigo);
    auto numeros = [&desconhecidas] {
        QStringList texto;
        for (int ordem : desconhecidas)
            texto << QString::number(ordem);
        return texto.join(", ");
    };
    if (desconhecidas.empty())
        return;
    host::db::Statement existentes(*dmGlobal->IBTransaction1, "select AOCODIGO, CRDOCUMENTO from AATC01AO"
                                                              " where AOCODIGO in (" + numeros() + ")");
    existentes.execute();
    while (existentes.fetch()) {
        const int ordem = existentes.value(0).toInt();
        // A part put into a billed order would never be billed.
        if (bInserirPeca)
            RecusarOrdemFaturada(ordem, existentes.value(1).toString(), kAcertoOrdemFaturada);
        desconhecidas.erase(ordem);
    }
    if (!desconhecidas.empty())
        dmGlobal->MostraAviso("Ordem de serviço não encontrada: " + numeros(), true);
}

void VerificarOrdensFinalizadasAcerto(const QList<LinhaAcertoPecas>& linhas, bool bInserirPeca)
{
    const QString situacaoItem = parametroAparado("ATPEDIDOSITUACAOITEM");
    if ((situacaoItem != "S" && situacaoItem != "I") || UsuarioMestre() || !bInserirPeca)
        return;
    for (const LinhaAcertoPecas& linha : linhas)
        if (linha.quantidade > 0 && RetornaSituacaoFinal(linha.aoCodigo) &&
            !VerificaValidadeSenha(parametroAparado("ATSENHAOSFINALIZADA"),
                                   "Senha para alteração de Ordem de Serviço finalizada"))
            host::abortOperation();
}

void BaixarPecas(const QList<LinhaAcertoPecas>& linhas, const OpcoesAcertoPecas& opcoes, bool& bGravou)
{
    bGravou = false;
    VerificarOrdensAcerto(linhas, opcoes.inserirPeca);
    if (opcoes.tipo == "S") {
        VerificarEstoqueAcerto(linhas);
        VerificarSolicitacoesAcerto(linhas);
    } else if (opcoes.validarEntrada)
        for (const LinhaAcertoPecas& linha : linhas)
            VerificarEntradaAcerto(linha);
    if (opcoes.operacao.trimmed().isEmpty())
        dmGlobal->MostraErro("Operação Inválida!");
    if (std::none_of(linhas.begin(), linhas.end(), [](const LinhaAcertoPecas& l) { return l.quantidade > 0; }))
        dmGlobal->MostraAviso("Quantidade válida não informada!", true);
    VerificarOrdensFinalizadasAcerto(linhas, opcoes.inserirPeca);
    if (MostraPergunta("Tem certeza de que deseja baixar as peças? Com isso será efetuada entrada/saída das "
                       "quantidades informadas nos produtos.",
                       {"Sim", "Não"}) != "Sim")
        host::abortOperation();
    // Read again: another desk may have billed or deleted an order while
    // the question was open.
    VerificarOrdensAcerto(linhas, opcoes.inserirPeca);

    bGravou = true;
    VistaOrdemAcerto vista;
    DocumentoAcerto documento;
    SomasAcerto somas;
    std::map<QString, double> precos;
    bool novoDocumento = true;
    try {
        for (int i = 0; i < linhas.size(); ++i) {
            const LinhaAcertoPecas& linha = linhas.at(i);
            if (novoDocumento) {
                documento = novoDocumentoAcerto(linha, opcoes);
                dmGlobal->IBTransaction1->commitRetaining();
                novoDocumento = false;
            }
            if (linha.quantidade > 0) {
                if (opcoes.inserirPeca && linha.aoCodigo > 0)
                    somas.ordemCorrigida(linha.aoCodigo);
                somas.produtoMarcado(linha.produto);
                baixarLinhaAcerto(linha, opcoes, documento, precos);
            }
            if (opcoes.cabecalhoIndependente && i + 1 < linhas.size() &&
                clienteDaOrdemAcerto(linhas.at(i + 1).aoCodigo) != documento.cliente) {
                // A document whose lines were all skipped is not left behind.
                if (documentoVazioAcerto(documento, opcoes.operacao))
                    excluirDocumentoAcerto(documento, opcoes.operacao);
                novoDocumento = true;
            }
        }
        somas.gravar();
    } catch (...) {
        // The lines committed before the failure still reach their order's
        // totals and their products' reservations.
        try {
            somas.gravar();
        } catch (...) {
            // The failure of the line is the one reported.
        }
        throw;
    }
    if (documentoVazioAcerto(documento, opcoes.operacao)) {
        excluirDocumentoAcerto(documento, opcoes.operacao);
        return;
    }
    dmGlobal->MostraAviso("Acerto das Peças efetuada com sucesso.\rNº Documento: " + documento.numero +
                          "\rEmitente: " + documento.cliente + "\rTransação: " + opcoes.operacao);
}
