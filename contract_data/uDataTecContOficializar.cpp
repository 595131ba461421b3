// Officialising forecast instalments, one by one: per instalment its order
// and invoice, the receivable made real and renumbered, the next forecast.

#include "contract_data/uDataTecContOficializar.h"
#include "contract_data/uDataTecContOficializarComum.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContNota.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/Uglobal.h"
#include "host/data/Query.h"

using namespace uDataTecContOficializar;

namespace {

const char* const kOrigemOficializar = "[TfmAssContFat.OficializarParcelaPesquisa]";

// Steps 6 to 13 of one instalment: the receivable made real (inside the
// instalment's unit, committed with it). It names its order whether or not
// an invoice came of it, as the batch's do: under "Mostrar Contas Abertas"
// an instalment on an order is not listed again, nor billed twice (under
// ATRECIBOCONTRATO "F" its number and key stay those of the forecast).
void OficializaReceber(const Instalment& p, const QString& numero, const QString& serie, const QString& pedido)
{
    MarcaEmitida(p);
    UpdateCampo("acrc5001", "pedido", QuotedStr(pedido), p.chave());
    const double valor = ValorDocumento(p, numero, serie, p.filialReceber);
    UpdateCampo("acrc5001", "valor_documento", ValorCentesimos(valor), p.chave());
    if (parametroAparado("ATRECIBOCONTRATO") == "F") {
        UpdateCampo("acrc5001", "CRDOCUMENTOORIGINAL", QuotedStr(numero), p.chave());
    } else {
        ArredondaCaixa(p);
        Renumera(p, p.geraPV == "S" ? numero : FormataDocumento(numero));
    }
}

// The order and invoice of the instalment: made now, or, when an earlier
// run made its order and no invoice came out, that order's invoice (issued
// now, or found issued since). True when the instalment has its invoice;
// pedido is its order.
bool DocumentoDaParcela(const Instalment& p, const EstadoParcela& agora, const OpcoesOficializacao& opcoes,
                        QString& numero, QString& serie, QString& pedido)
{
    TdmTecContrato& dm = *dmTecContrato;
    pedido = agora.pedido;
    if (agora.pedido.isEmpty()) {
        numero = dm.GeraNotaParcelaContrato(p.cliente, p.contrato, p.valor, p.objeto, p.sequencia, p.vencimento,
                                            p.local, opcoes.bMesRefOriginal, p.vencimentoReferencia(), serie);
        pedido = dm.sPedidoParcela;
        return dm.bNotaEmitida;
    }
    if (p.geraPV == "S") {
        numero = agora.pedido;
        return false;
    }
    if (!agora.nota.isEmpty()) {
        numero = agora.nota;
        serie = agora.serieNota;
        return true;
    }
    numero = dm.EmiteNotaPedidoContrato(agora.pedido, p.contrato, serie);
    return dm.bNotaEmitida;
}

enum class Resultado { Nada, Nota, Pedido, SemNota };

// One instalment inside its unit: taken, read again, its documents made and
// its receivable made real. Nada when it was left alone.
Resultado OficializaUma(const Instalment& p, const OpcoesOficializacao& opcoes, QStringList* aviso,
                        QString& numeroNota)
{
    if (!TomaParcela(p)) {
        if (aviso)
            *aviso << AvisoEmOutraEstacao(p);
        return Resultado::Nada;
    }
    const EstadoParcela agora = LerEstadoParcela(p, opcoes.bContasAbertas);
    if (!agora.aOficializar) {
        if (aviso)
            *aviso << AvisoJaOficializada(p);
        return Resultado::Nada;
    }
    if (!ConfirmaValorZerado(p))
        return Resultado::Nada;
    dmGlobal->Log(kOrigemOficializar, "NumeroNota antes geração:" + numeroNota);
    QString serie, pedido;
    const bool emitida = DocumentoDaParcela(p, agora, opcoes, numeroNota, serie, pedido);
    dmGlobal->Log(kOrigemOficializar, "NumeroNota Após geração:" + numeroNota);
    if (p.geraPV != "S" && !emitida) {
        // No invoice came out: the receivable stays a forecast, its number
        // and value untouched, its order kept on it for the next run to
        // invoice, and the order is reported.
        GuardaPedido(p, numeroNota);
        if (aviso)
            *aviso << "Contrato " + QString::number(p.contrato) + ": pedido " + numeroNota +
                          " sem nota fiscal; a parcela " + p.documento + " continua prevista.";
        return Resultado::SemNota;
    }
    OficializaReceber(p, numeroNota, serie, pedido);
    ProximaPrevisao(p, opcoes, aviso);
    return p.geraPV == "S" ? Resultado::Pedido : Resultado::Nota;
}

}  // namespace

void OficializarParcelaPesquisa(host::data::Query& oDado, const OpcoesOficializacao& opcoes, QStringList* aviso)
{
    dmGlobal->Log(kOrigemOficializar, "***INICIO");
    TdmTecContrato& dm = *dmTecContrato;
    ExecucaoLonga execucao(oDado);
    const int total = oDado.recordCount();
    oDado.first();
    dmGlobal->PreparaSplashForm(total, "Faturando Contratos...", "Mostrar");

    uDataTecContNota::SelecaoNotas sTodasNotas;
    QString sTodosPV, notas, falhas;
    QString numeroNota;
    try {
        const CamposParcela campos(oDado);
        for (int linha = 1; !oDado.eof(); oDado.next(), ++linha) {
            const Instalment p = campos.ler();
            // The instalment is one unit, committed once: its row held first,
            // so that a desk officialising it at the same time is refused it
            // until this commit, and what a desk did before is read after the hold.
            host::db::CommitHold umCommit(*dmGlobal->IBTransaction1);
            host::db::Savepoint ponto(*dmGlobal->IBTransaction1);
            const Resultado r = OficializaUma(p, opcoes, aviso, numeroNota);
            if (r != Resultado::Nada) {
                ponto.release();
                dmGlobal->IBTransaction1->commitRetaining();
                umCommit.release();
            }
            if (r == Resultado::Nota) {
                notas += QuotedStr(numeroNota) + ",";
                sTodasNotas.adiciona(numeroNota, p.comprovante);
            } else if (r == Resultado::Pedido) {
                sTodosPV += QuotedStr(numeroNota) + ",";
            } else if (r == Resultado::SemNota) {
                falhas += QuotedStr(numeroNota) + ",";
            }
            dmGlobal->PreparaSplashForm(1, ProgressoTexto(linha, total), "Incrementar");
        }
        dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        execucao.encerra(true);
        TratarExcecaoBanco("TfmAssContFat.OficializarParcelaPesquisa", falha, {});
        dmGlobal->MostraErro("Ocorreu um problema ao faturar o contrato.\r" + TratarExcecao(falha));
    }
    execucao.encerra(true);

    if (sTodasNotas.vazia() && sTodosPV.isEmpty()) {
        dmGlobal->Log(kOrigemOficializar, "Saiu do procedimento pois (sTodasNotas = EmptyStr) and (sTodosPV = EmptyStr)");
        dmGlobal->Log(kOrigemOficializar, "***FIM");
        return;
    }
    if (!sTodosPV.isEmpty())
        notas += "\rPedidos gerados: " + sTodosPV;
    if (!falhas.isEmpty())
        notas += "\rPedidos sem nota fiscal: " + falhas;
    if (sTodasNotas.vazia()) {
        dmGlobal->Log(kOrigemOficializar, "***FIM");
        dmGlobal->MostraAvisoExtenso("Operação efetuada com sucesso!", " Notas fiscais geradas: " + notas, true,
                                     "Confirmação");
    }
    dmGlobal->MostraAvisoExtenso("Operação efetuada com sucesso!", " Notas fiscais geradas: " + notas, false,
                                 "Confirmação");
    if (opcoes.minimizar) {
        try {
            opcoes.minimizar();
        } catch (...) {
            // A screen that cannot minimise stays where it is.
        }
    }
    dm.AbreEmissaoCarregaNota(sTodasNotas.texto(), opcoes.filial);
    dmGlobal->Log(kOrigemOficializar, "***FIM");
}
