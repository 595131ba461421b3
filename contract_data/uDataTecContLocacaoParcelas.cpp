// InserirParcelasContratoLocEquipamentos: the rental instalments of a
// contract. One forecast receivable a month over the span, numbered with the
// host's next free document number, carrying the period it covers and the
// date its boleto is planned. What the rules read is read once per call,
// under a hold on the contract that lasts the run (ContratoEmGeracao); each
// instalment is written whole or not at all and committed.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContLocacao.h"
#include "contract_data/uDataTecContLocacaoDocumento.h"
#include "contract_data/uDataTecContParcelas.h"
#include "contract_data/uDataTecContParcelasTrava.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

#include <vector>

namespace P = uDataTecContParcelas;
namespace L = uDataTecContLocacao;

namespace {

QDate lerDataParcela(const QString& texto)
{
    QDateTime data;
    if (!host::data::parseDateTimeText(texto.trimmed(), data) || !data.isValid())
        return {};
    return data.date();
}

QDate dataOuNula(const QDateTime& data)
{
    return L::dataVazia(data) ? QDate() : data.date();
}

QDateTime meiaNoite(const QDate& data)
{
    return data.isValid() ? host::db::localDateTime(data) : QDateTime();
}

QVariant comoParametro(const QDate& data)
{
    return data.isValid() ? QVariant(meiaNoite(data)) : QVariant();
}

// What the run reads of the contract.
struct ContratoLocacao {
    QDate dataRa;           // ACDATARA: first planned boleto
    QDate validade;         // ACDATAVALIDADE
    int objeto = 0;         // AJCODIGO: the cash account when the contract has no template
};

ContratoLocacao lerContrato(TdmTecContrato& dm, int contrato)
{
    ContratoLocacao c;
    // Kept prepared: a renewal batch calls the generator once per contract.
    host::db::Statement& st =
        dmGlobal->ComandoPreparado("select ACDATARA, ACDATAVALIDADE, AJCODIGO from AATC05AC where ACCODIGO = :C");
    st.setParam("C", contrato);
    st.execute();
    if (st.fetch()) {
        c.dataRa = dataOuNula(st.value(0).toDateTime());
        c.validade = dataOuNula(st.value(1).toDateTime());
        c.objeto = st.value(2).toInt();
        st.closeCursor();
    }
    // The screen's header row holds the boleto date as the user sees it.
    host::data::Query& cabecalho = *dm.quCtrCadastro;
    if (cabecalho.active() && !cabecalho.isEmpty() && dm.quCtrCadastroACCODIGO->asInteger() == contrato)
        c.dataRa = dataOuNula(cabecalho.fieldByName("ACDATARA")->asDateTime());
    return c;
}

// The progress window is hidden on every way out.
class Progresso {
public:
    Progresso() { dmGlobal->PreparaSplashForm(10, "Gerando parcelamento...", "Mostrar"); }
    ~Progresso() { dmGlobal->PreparaSplashForm(0, {}, "Ocultar"); }
    Progresso(const Progresso&) = delete;
    Progresso& operator=(const Progresso&) = delete;
    // Texts of static storage: the step of each instalment builds none.
    void passo()
    {
        dmGlobal->PreparaSplashForm(1, QStringLiteral("Aguarde. Gerando parcelamento..."),
                                    QStringLiteral("Incrementar"));
    }
};

// The contract's forecasts of the customer, read once per run: an earlier
// one under the number a due date gives is replaced. Real receivables under
// that number are never deleted (they may be paid).
class PrevisoesAnteriores {
public:
    PrevisoesAnteriores(const QString& cliente, int contrato) : cliente_(cliente)
    {
        // An item's own forecast under the same number is the item's, not replaced here.
        static const QString sql = "select NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL from ACRC5001"
                                   " where CODIGO_CLIENTE = :CLIENTE and AOCODIGO = :CONTRATO"
                                   " and SITUACAO_DOCUMENTO = 'V' and " + P::CondicaoParcelaDoContrato();
        host::db::Statement& st = dmGlobal->ComandoPreparado(sql);
        st.setParam("CLIENTE", cliente);
        st.setParam("CONTRATO", contrato);
        st.execute();
        while (st.fetch())
            linhas_.push_back({st.value(0).toString().trimmed(), st.value(1).toDouble(), st.value(2).toString()});
    }

    void substitui(const QDate& vencimento)
    {
        if (linhas_.empty())
            return;
        const QString numero = P::DocumentoData(vencimento);
        for (auto it = linhas_.begin(); it != linhas_.end();) {
            if (it->documento != numero) {
                ++it;
                continue;
            }
            dmGlobal->ExcluirPrevisaoReceber(it->documento, cliente_, it->sequencia, it->filial);
            it = linhas_.erase(it);
        }
    }

private:
    struct Linha {
        QString documento;
        double sequencia;
        QString filial;
    };
    QString cliente_;
    std::vector<Linha> linhas_;
};

}  // namespace

namespace uDataTecContLocacao {

bool NumeroDoContrato() { return parametroMaiusculo("ATPARCELASEMPREVISAO") == "S"; }

QString TipoDocumentoContrato()
{
    const QString tipo = parametroAparado("ATTIPODOCUMENTOCONTRATO");
    return tipo.isEmpty() ? QStringLiteral("01") : tipo;
}

DocumentoReceber ProximoDocumento(const QString& cliente, int contrato, bool numeroDoContrato,
                                  NumerosReceber& livres)
{
    DocumentoReceber d;
    if (numeroDoContrato) {
        // The number is the contract's, but the customer's other receivables
        // (a service-order bill, another contract) may hold it too.
        d.numero = P::DocumentoContrato(contrato);
        d.sequencia = int(MaximoDado("sequencia", "acrc5001", "codigo_cliente", cliente,
                                     " and numero_documento = " + QuotedStr(d.numero))) +
                      1;
        return d;
    }
    // A new receivable number is held by no receivable: sequence 1.
    d.numero = livres.proximo();
    d.sequencia = 1;
    return d;
}

}  // namespace uDataTecContLocacao

void InserirParcelasLocacao(ParcelasLocacao& a)
{
    InserirParcelasContratoLocEquipamentos(a.primeiroVencimento, a.dataFinal, a.cliente, a.diaVencimento, a.contrato,
                                           a.valor, a.filial, a.tipoPagamento, a.banco, a.emissao, a.periodo,
                                           a.criadas, a.filialPedido, a.operacao, a.flag, a.previsaoCaixa, a.lista,
                                           a.vigenciaDe, a.vigenciaAte, a.existentes, a.valorFixo, a.pedidoCliente,
                                           a.previsaoBoleto, a.prorrogaValidade);
}

void InserirParcelasContratoLocEquipamentos(
    const QString& sPeriodoInicial, const QString& sPeriodoFinal, const QString& sCliente,
    const QString& sDiaVencimento, int iContrato, double rValor, const QString& sFilial,
    const QString& sTipoPagamento, const QString& sBanco, const QString& /*sDataFaturamento*/,
    const QString& /*sPeriodo*/, int& iContador, const QString& /*sFilialPedido*/, const QString& sOperacao,
    bool /*bFlag*/, bool bRevisarCaixa, QStringList* mensagens, const QDateTime& dInicioCobertura,
    const QDateTime& dFimCobertura, double rMesesPular, bool bValorFixo, const QString& sObservacao,
    const QDateTime& dPrimeiroBoleto, bool bProrrogaValidade)
{
    TdmTecContrato& dm = *dmTecContrato;
    const QDate primeiro = lerDataParcela(sPeriodoInicial), ultimo = lerDataParcela(sPeriodoFinal);
    if (!primeiro.isValid() || !ultimo.isValid())
        dmGlobal->MostraErro("Data Inicial/Final inválidas!");

    const QString cliente = sCliente.trimmed();
    const int meses = int(rMesesPular);
    const bool porValidade = dmGlobal->ParametroInteiro("ATMODOCOMPOSICAO") == 9;
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    P::ContratoEmGeracao emGeracao(tr, iContrato);
    ContratoLocacao contrato = lerContrato(dm, iContrato);

    // The period the first instalment covers and its planned boleto. Each
    // month is counted from the first instalment's dates, not from the month
    // before: a month added to the 28th of February would hold every later
    // date to the 28th. The periods follow each other whatever month the
    // boletos fall in (an issue date in the month before the period once
    // gave every period two months, each overlapping the next).
    QDate primeiroDe = dataOuNula(dInicioCobertura);
    if (!bValorFixo)
        primeiroDe = primeiroDe.addMonths(meses);
    const QDate primeiroAte = dataOuNula(dFimCobertura);
    const QDate primeiroBoleto = bValorFixo ? dataOuNula(dPrimeiroBoleto) : contrato.dataRa.addMonths(meses);
    auto periodoDoMes = [&](int mes) {
        // By validity each period ends a month after the given end.
        if (porValidade)
            return L::PeriodoCobertura{primeiroDe.addMonths(mes), primeiroAte.addMonths(mes)};
        return L::PeriodoDaParcela(primeiroDe, primeiroAte, mes);
    };
    QDate boleto = primeiroBoleto;
    L::PeriodoCobertura cobertura = periodoDoMes(0);
    int mes = 0;

    const int dia = sDiaVencimento.trimmed().isEmpty() ? 1 : sDiaVencimento.trimmed().toInt();
    const QString tipoDocumento = L::TipoDocumentoContrato();
    const P::DadosValor dadosValor = P::CarregaDadosValor(dm, iContrato);
    const P::TaxasOperacao taxas = P::CarregaTaxasOperacao(sOperacao);
    P::ContextoCaixa caixa = P::CarregaContextoCaixa(iContrato, sFilial, contrato.objeto);
    TdmTecContrato::MemoriaTextos memoriaTextos(dm);
    PrevisoesAnteriores anteriores(cliente, iContrato);

    // The run's document numbers are drawn at once, one per instalment: a
    // desk running at the same time takes others.
    const std::vector<QDate> ancoras = L::AncorasParcelas(primeiro, ultimo);
    NumerosReceber livres(int(ancoras.size()));
    const bool numeroDoContrato = L::NumeroDoContrato();
    // The texts each instalment writes the same are made once.
    const QString situacao = QStringLiteral("V"), origem = QStringLiteral("C"), observacao = sObservacao.trimmed();
    Progresso progresso;
    // Taken again by each instalment's commit: a failure undoes only the
    // instalment it stops in.
    host::db::Savepoint parcela(tr);
    for (const QDate& ancora : ancoras) {
        progresso.passo();
        // The day the instalment is made issues and launches it (a run may
        // pass midnight).
        const QDateTime hoje = host::db::localDateTime(L::agora().date());
        QDate vencimento = P::DataVencimento(ancora, dia);
        // The cash template rebuilt on the way commits; held back to the end.
        host::db::CommitHold comites(tr);
        anteriores.substitui(vencimento);

        double valor = 0;
        if (bValorFixo) {
            valor = Trunc2Casas(rValor);
        } else {
            valor = P::ValorParcela(dadosValor, ancora, true);
            if (valor <= 0)
                valor = rValor;
            valor = Trunc2Casas(P::ValorLiquido(taxas, valor));
        }

        // Periods by validity: each instalment falls due on the contract's
        // validity, which moves 30 days on.
        if (porValidade && bProrrogaValidade) {
            if (contrato.validade.isValid())
                vencimento = contrato.validade;
            contrato.validade = vencimento.addDays(30);
            host::db::executeSql(tr, "update AATC05AC set ACDATAVALIDADE = :VALIDADE where ACCODIGO = :C",
                                 {{"VALIDADE", comoParametro(contrato.validade)}, {"C", iContrato}});
        }

        const L::DocumentoReceber documento = L::ProximoDocumento(cliente, iContrato, numeroDoContrato, livres);
        if (!bValorFixo && boleto.isValid() && vencimento < boleto)
            dmGlobal->MostraAviso("Aviso: operação abortada.\rData de Vencimento é menor que a Data de Previsão dos "
                                  "Boletos!",
                                  true);

        const TdmGlobal::PeriodoParcela periodo{meiaNoite(boleto), meiaNoite(cobertura.de), meiaNoite(cobertura.ate)};
        const QDateTime vence = host::db::localDateTime(vencimento);
        dmGlobal->InseriParcelaReceber(cliente, documento.numero, tipoDocumento, sFilial, sTipoPagamento, situacao, {},
                                       {}, {}, {}, sBanco, {}, documento.sequencia, valor, 0, 0, 0, 0, 0, 0, 0, hoje,
                                       vence, hoje, 0, {}, {}, observacao, iContrato, {}, origem, {}, 0, 0, 0, {}, {},
                                       0, &periodo);
        P::GravaPrevisaoCaixa(caixa, documento.numero, cliente, sFilial, documento.sequencia, iContrato, valor,
                              bRevisarCaixa, mensagens);
        dm.GravaMensagemContratoContaReceber(0, iContrato, documento.sequencia,
                                             documento.numero + cliente + QString::number(documento.sequencia), vence,
                                             {}, false);
        comites.release();

        ++mes;
        boleto = primeiroBoleto.addMonths(mes);
        cobertura = periodoDoMes(mes);
        ++iContador;
        tr.commitRetaining();
        if (&ancora != &ancoras.back())
            emGeracao.retoma();
    }
    parcela.release();
}
