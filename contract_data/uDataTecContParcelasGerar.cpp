// InserirParcelasContrato: the forecast instalments of a contract for a span
// of months. What the rules need is read once per call, under a hold on the
// contract that lasts the run (ContratoEmGeracao); each instalment then
// costs its own writes (receivable, cash forecast, observation), a commit
// and the contract's row held again.

#include "contract_data/uDataTecCont.h"

#include "contract_data/uDataTecContNota.h"
#include "contract_data/uDataTecContParcelas.h"
#include "contract_data/uDataTecContParcelasTrava.h"
#include "host/ClienteCadastrado.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

#include <algorithm>

namespace P = uDataTecContParcelas;

namespace {

// Written on every instalment: built once, not converted for each.
const QString kObservacao = QStringLiteral("Lancto. a Partir de Contas a Receber Gerado via Contrato.");
const QString kOrigemContrato = QStringLiteral("C");

QDate lerData(const QString& texto)
{
    QDateTime data;
    if (!host::data::parseDateTimeText(texto.trimmed(), data) || !data.isValid())
        return {};
    return data.date();
}

QString dataTexto(const QDate& data)
{
    return data.toString("dd/MM/yyyy");
}

// What the generator reads of the contract itself.
struct ContratoParcelas {
    int vencimentoSemana = 0, vencimento = 0, objetoAuxiliar = 0;
    QString comprovante, textoAuxiliar;
};

ContratoParcelas lerContrato(int contrato)
{
    ContratoParcelas c;
    host::db::Statement& st = dmGlobal->ComandoPreparado("select ac.ACVENCIMENTOSEMANA, ac.ACVENCIMENTO, ac.ACCOMPROVANTE, ac.AJCODIGOAUXILIAR,"
                           " (select aj.AJOBJETO from AATC11AJ aj where aj.AJCODIGO = ac.AJCODIGOAUXILIAR) AUXILIAR"
                           " from AATC05AC ac where ac.ACCODIGO = :C");
    st.setParam("C", contrato);
    st.execute();
    if (st.fetch()) {
        c.vencimentoSemana = int(st.value(0).toDouble());
        c.vencimento = st.value(1).toInt();
        c.comprovante = st.value(2).toString().trimmed().toUpper();
        c.objetoAuxiliar = st.value(3).toInt();
        c.textoAuxiliar = st.isNull(4) ? QString() : st.value(4).toString();
        st.closeCursor();
    }
    return c;
}

QString serieDocumento(const ContratoParcelas& contrato)
{
    if (contrato.comprovante == u'R')
        return "RC";
    const QString serie = parametroAparado("ATTIPODOCUMENTOCONTRATO");
    return serie.isEmpty() ? QString("01") : serie;
}

// The customer's receivables as the run changes them: replaced forecasts go,
// written rows come, so sequences stay max + 1 without asking again.
class Recebiveis {
public:
    Recebiveis(const QString& cliente, int contrato)
        : cliente_(cliente.trimmed()), contrato_(contrato), linhas_(P::CarregaReceberCliente(cliente))
    {
    }

    // The month's receivable of this contract already made real (invoiced,
    // officialised or open): the month is not forecast again. An invoiced or
    // officialised one bears its document's number, not the date's, so its
    // due month tells it too.
    // `numero` is the due date's document number (P::DocumentoData). Only
    // this contract's rows made real have their due month read.
    bool faturada(const QDate& vencimento, const QString& numero) const
    {
        return std::any_of(linhas_.begin(), linhas_.end(), [&](const P::ReceberExistente& r) {
            if (r.situacao == u'V' || r.contrato != contrato_ || r.item != 0)
                return false;
            if (r.documento == numero)
                return true;
            const QDate devido = r.vencimento.date();
            return devido.isValid() && devido.year() == vencimento.year() && devido.month() == vencimento.month();
        });
    }

    // A forecast of this contract for the due date's month that a new one
    // replaces: numbered with the date, or with another day of the same
    // month (a due day changed since). Invoiced or open receivables never are.
    void substitui(const QDate& vencimento, const QString& numero)
    {
        auto previsao = [this](const P::ReceberExistente& r) {
            return r.situacao == u'V' && r.contrato == contrato_ && r.item == 0;
        };
        auto alvo = std::find_if(linhas_.begin(), linhas_.end(),
                                 [&](const P::ReceberExistente& r) { return previsao(r) && r.documento == numero; });
        if (alvo == linhas_.end())
            alvo = std::find_if(linhas_.begin(), linhas_.end(), [&](const P::ReceberExistente& r) {
                QDate data;
                return previsao(r) && P::DocumentoDeData(r.documento, &data) && data.year() == vencimento.year() &&
                       data.month() == vencimento.month();
            });
        if (alvo == linhas_.end())
            return;
        dmGlobal->ExcluirPrevisaoReceber(alvo->documento, cliente_, alvo->sequencia, alvo->filial);
        linhas_.erase(alvo);
    }

    // The position of an instalment due on that date among the contract's
    // own (1 = the first due).
    int posicao(const QDate& vencimento) const
    {
        return 1 + int(std::count_if(linhas_.begin(), linhas_.end(), [&](const P::ReceberExistente& r) {
                   return r.contrato == contrato_ && r.item == 0 && r.vencimento.isValid() &&
                          r.vencimento.date() < vencimento;
               }));
    }

    int proximaSequencia(const QString& documento) const
    {
        double maior = 0;
        for (const P::ReceberExistente& r : linhas_)
            if (r.documento == documento)
                maior = std::max(maior, r.sequencia);
        return int(maior) + 1;
    }

    // Numbered by the contract: after the contract's greatest (every row of
    // the customer for a negative code).
    int proximaSequenciaContrato() const
    {
        double maior = 0;
        for (const P::ReceberExistente& r : linhas_)
            if (contrato_ < 0 || r.contrato == contrato_)
                maior = std::max(maior, r.sequencia);
        return int(maior) + 1;
    }

    QDateTime ultimaPrevisao() const
    {
        QDateTime ultima;
        for (const P::ReceberExistente& r : linhas_)
            if (r.situacao == u'V' && r.vencimento.isValid() && (!ultima.isValid() || r.vencimento > ultima))
                ultima = r.vencimento;
        return ultima;
    }

    void escrita(const QString& documento, const QString& filial, const QString& situacao, int sequencia,
                 const QDateTime& vencimento)
    {
        linhas_.push_back({documento, TdmGlobal::CodigoFilialCurto(filial), situacao, double(sequencia), contrato_, 0,
                           vencimento});
    }

private:
    QString cliente_;
    int contrato_;
    std::vector<P::ReceberExistente> linhas_;
};

}  // namespace

void InserirParcelasContrato(const QString& sModalidade, const QString& sPeriodoInicial,
                             const QString& sPeriodoFinal, const QString& sCliente, bool bNota,
                             const QString& sDiaVencimento, int iContrato, double rValorParcela,
                             const QString& sFilial, const QString& sTipoPagamento, const QString& sBanco,
                             const QString& sDataEmissao, const QString& sPeriodo, int& iContador, int iObjeto,
                             const QString& sFilialPedido, const QString& sOperacao, bool bUltimo,
                             const QString& sObjeto, bool bRevisarCaixa, QStringList* mensagens, int iContaDebito,
                             int iContaCredito)
{
    TdmTecContrato& dm = *dmTecContrato;
    const QDate primeiro = lerData(sPeriodoInicial), ultimo = lerData(sPeriodoFinal);
    if (!primeiro.isValid() || !ultimo.isValid())
        dmGlobal->MostraErro("Data Inicial/Final inválidas!");
    const QDate emissao = lerData(sDataEmissao);
    if (!emissao.isValid())
        dmGlobal->MostraErro("Data de emissão inválida!");

    P::Janela janela = P::JanelaParcelas(sModalidade, primeiro, ultimo);
    const int dia = P::AjustaDiaVencimento(sDiaVencimento, janela.inicio);
    if (P::InicioVencido(janela.inicio, dia, QDateTime::currentDateTime())) {
        janela.inicio = P::IncMonth(janela.inicio, 1);
        janela.fim = P::IncMonth(janela.fim, 1);
    }

    const QString cliente = sCliente.trimmed();
    // A receivable belongs to a customer: none is written to a code nobody registered.
    if (!host::ClienteCadastrado(cliente))
        dmGlobal->MostraErro("Contrato " + QString::number(iContrato) + ": cliente de cobrança \"" + cliente +
                             "\" não cadastrado.");
    // Held before anything is read: a second desk's run for the same
    // contract is refused, or comes after this one and reads its instalments.
    P::ContratoEmGeracao emGeracao(*dmGlobal->IBTransaction1, iContrato);
    const ContratoParcelas contrato = lerContrato(iContrato);
    const bool semPrevisao = parametroMaiusculo("ATPARCELASEMPREVISAO") == u'S';
    const QString situacao = bNota || semPrevisao ? QString() : QString("V");
    const QString serie = serieDocumento(contrato);
    const P::DadosValor dadosValor = P::CarregaDadosValor(dm, iContrato);
    const P::TaxasOperacao taxas = P::CarregaTaxasOperacao(sOperacao);
    P::ContextoCaixa caixa = P::CarregaContextoCaixa(iContrato, sFilial, iObjeto);
    Recebiveis recebiveis(cliente, iContrato);
    TdmTecContrato::MemoriaTextos memoriaTextos(dm);
    // The invoices of this call, as the officialising hands them to the
    // emission window.
    uDataTecContNota::SelecaoNotas documentosNota;

    // The days' first moments: a midnight the zone skipped is the day's first hour.
    const QDateTime emissaoDia = host::db::localDateTime(emissao);
    auto observacoes = [&](const QString& documento, int sequencia, const QDateTime& quando) {
        const QString chave = documento + cliente + QString::number(sequencia);
        dm.GravaMensagemContratoContaReceber(iObjeto, iContrato, sequencia, chave, quando, sObjeto, false);
        if (contrato.objetoAuxiliar > 0)
            dm.GravaMensagemContratoContaReceber(contrato.objetoAuxiliar, iContrato, sequencia, chave, quando,
                                                 contrato.textoAuxiliar, true);
    };

    bool comitou = false;
    for (QDate inicio = janela.inicio; inicio < janela.fim;
         inicio = P::ProximoInicio(inicio, sPeriodo, sModalidade)) {
        QDate vencimento = P::DataVencimento(inicio, dia);
        if (bDetectarErroSQL)
            dmGlobal->MostraAviso(" [InserirParcelasContrato] \r Data Corrente:" + dataTexto(inicio) + " " +
                                      " Data Vencimento:" + dataTexto(vencimento) + " " + " Data Fim:" +
                                      dataTexto(janela.fim),
                                  false);
        if (contrato.vencimentoSemana > 0)
            vencimento = P::PrimeiroDiaSemana(contrato.vencimentoSemana, inicio, contrato.vencimento);

        // The due date's document number, made once for the checks and the row.
        const QString numeroData = P::DocumentoData(vencimento);
        if (recebiveis.faturada(vencimento, numeroData))
            continue;
        // The last instalment's commit let the contract's row go.
        if (comitou)
            emGeracao.retoma();
        // An instalment is written whole or not at all: a failure undoes its
        // own rows and leaves the instalments already committed. The cash
        // template rebuilt on the way commits; held back to the instalment's end.
        host::db::CommitHold comites(*dmGlobal->IBTransaction1);
        host::db::Savepoint parcela(*dmGlobal->IBTransaction1);
        recebiveis.substitui(vencimento, numeroData);

        double valor = P::ValorParcela(dadosValor, inicio, true);
        if (valor <= 0)
            valor = rValorParcela;
        else
            valor += P::RestoDivisao(dadosValor, recebiveis.posicao(vencimento));
        valor = Trunc2Casas(P::ValorLiquido(taxas, valor));

        QString documento;
        if (bNota) {
            QString serieNota;
            documento = dm.GeraNotaParcelaContrato(cliente, iContrato, rValorParcela, iObjeto, iContador,
                                                   host::db::localDateTime(vencimento), sFilialPedido, false,
                                                   QDateTime::currentDateTime(), serieNota);
            documentosNota.adiciona(documento, contrato.comprovante);
        } else {
            documento = numeroData;
        }
        int sequencia = 0;
        if (semPrevisao) {
            sequencia = recebiveis.proximaSequenciaContrato();
            if (!bNota)
                documento = P::DocumentoContrato(iContrato);
        }
        // The sequence follows the number actually stored, so that a long
        // invoice number cut to six characters cannot repeat a key.
        documento = P::EncurtaDocumento(documento);
        if (!semPrevisao)
            sequencia = recebiveis.proximaSequencia(documento);

        const QDateTime vencimentoDia = host::db::localDateTime(vencimento);
        dmGlobal->InseriParcelaReceber(cliente, documento, serie, sFilial, sTipoPagamento, situacao, {}, {}, {}, {},
                                       sBanco, {}, sequencia, valor, 0, 0, 0, 0, 0, 0, 0, emissaoDia, vencimentoDia,
                                       QDateTime::currentDateTime(), valor, {}, {}, {}, iContrato, kObservacao,
                                       kOrigemContrato, {}, 0, iContaDebito, iContaCredito, {}, {}, 0);
        recebiveis.escrita(documento, sFilial, situacao, sequencia, vencimentoDia);
        P::GravaPrevisaoCaixa(caixa, documento, cliente, sFilial, sequencia, iContrato, valor, bRevisarCaixa,
                              mensagens);
        observacoes(documento, sequencia, vencimentoDia);

        // An invoiced instalment keeps a forecast a year ahead.
        const QDateTime ultimaPrevisao = recebiveis.ultimaPrevisao();
        if (bNota && ultimaPrevisao.isValid() && ultimaPrevisao.date() < P::IncMonth(QDate::currentDate(), 12)) {
            const QDate adiante = P::IncMonth(vencimento, 12);
            const QString numero = P::DocumentoData(adiante);
            const QDateTime adianteDia = host::db::localDateTime(adiante);
            dmGlobal->InseriParcelaReceber(cliente, numero, serie, sFilial, sTipoPagamento, "V", {}, {}, {}, {},
                                           sBanco, {}, sequencia + 1, valor, 0, 0, 0, 0, 0, 0, 0, emissaoDia, adianteDia,
                                           QDateTime::currentDateTime(), 0, {}, {}, {}, iContrato, {}, "C", {}, 0, 0,
                                           0, {}, {}, 0);
            recebiveis.escrita(numero, sFilial, "V", sequencia + 1, adianteDia);
            observacoes(numero, sequencia + 1, adianteDia);
            dmGlobal->InserirCXPrevisao(numero, cliente, sFilial, "R", {}, caixa.contaObjeto, {}, sequencia + 1,
                                        valor, false, {}, 0, -1);
        }
        comites.release();
        ++iContador;
        dmGlobal->IBTransaction1->commitRetaining();
        comitou = true;
        // Released after the commit, when it has nothing left to keep: no
        // statement of its own.
        parcela.release();
    }
    if (bNota && bUltimo)
        dm.AbreEmissaoCarregaNota(documentosNota.texto(), sFilial);
}
