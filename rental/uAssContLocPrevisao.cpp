// "Gerar Previsão" of the rental registers: the re-instalment check, the
// generator's arguments of each register, and the two forecast runs over
// the contract header of dmTecContrato and the host's instalment list.

#include "rental/uAssContLocPrevisao.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"
#include "contract_data/uDataTecContParcelas.h"

#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Cursors.h"

#include <cmath>
#include <functional>

using host::data::fieldText;

namespace uAssContLoc {

using host::data::Dataset;

namespace {

QString dataCurtaPrevisao(const QDate& data) { return data.toString("dd/MM/yyyy"); }

QDateTime meiaNoitePrevisao(const QDate& data) { return data.isValid() ? host::db::localDateTime(data) : QDateTime(); }

bool dataPrevisaoVazia(const QDateTime& data) { return uDataTecContLocacao::dataVazia(data); }

// One value the engine works out over the contract's instalments (not an
// item's own receivables nor a fine: they are no instalment of it); the
// contract by parameter, so that the text is kept prepared whatever the
// contract.
QVariant valorDasParcelas(const QString& expressao, int contrato)
{
    host::db::Statement& st = dmGlobal->ComandoPreparado("select " + expressao +
                                                         " from ACRC5001 where AOCODIGO = :CONTRATO and " +
                                                         uDataTecContParcelas::CondicaoParcelaDoContrato());
    st.setParam("CONTRATO", contrato);
    st.execute();
    QVariant valor;
    if (st.fetch()) {
        valor = st.value(0);
        st.closeCursor();
    }
    return valor;
}

// Every instalment of the contract, whatever its situation.
int parcelasDoContrato(int contrato) { return valorDasParcelas("count(*)", contrato).toInt(); }

// The latest due date among the contract's instalments as stored (invalid
// when there is none): the list on screen may be sorted by any column.
QDate ultimoVencimento(int contrato)
{
    const QDateTime vencimento = valorDasParcelas("max(DATA_VENCIMENTO)", contrato).toDateTime();
    return dataPrevisaoVazia(vencimento) ? QDate() : vencimento.date();
}

void moveParaUltimaParcela()
{
    Dataset& receber = *dmGlobal->quReceber;
    if (receber.active())
        receber.last();
}

// The planned count: what there was plus what the run made.
void gravaQuantidadeParcelas(host::data::Query& ctr, int quantidade)
{
    if (!ctr.editing())
        ctr.edit();
    ctr.fieldByName("ACQUANTIDADEPARCELA")->setAsInteger(quantidade);
    SalvarAlteracoes(ctr);
}

// The generator, then the list reloaded; the list also shows what a run
// that failed midway made before it stopped.
void geraEListaPrevisao(ArgumentosGerador& a, const std::function<void()>& aposGerar)
{
    host::ui::WaitCursor ampulheta;
    try {
        InserirParcelasLocacao(a);
    } catch (...) {
        aposGerar();
        dmTecContrato->CarregaContratoParcela(a.contrato);
        throw;
    }
    aposGerar();
    dmTecContrato->CarregaContratoParcela(a.contrato);
    dmGlobal->MostraAviso("Operação efetuada com sucesso! Parcelas criadas: " + QString::number(a.criadas));
}

// Nothing left to forecast ends the button with a message instead of in
// silence, naming the setting that decides how many there are.
void avisaNadaGerado(const QString& motivo) { dmGlobal->MostraAviso("Nenhuma previsão gerada: " + motivo, false); }

QString parcelasJaGeradas(int quantidade, const QString& onde)
{
    return quantidade == 1 ? "a parcela " + onde + " já foi gerada."
                           : "as " + QString::number(quantidade) + " parcelas " + onde + " já foram geradas.";
}

// Option "E": the planned count is the header's "Parcelas".
QString motivoNadaGeradoE(double planejadas)
{
    const QString campo = "de \"Parcelas\" (cabeçalho do contrato)";
    const int quantidade = int(std::trunc(planejadas));
    if (quantidade <= 0)
        return "o contrato não tem parcelas planejadas; informe a quantidade em \"Parcelas\" (cabeçalho do "
               "contrato).";
    return parcelasJaGeradas(quantidade, campo);
}

// Option "Q": the months from the start to the estimated end.
QString motivoNadaGeradoQ(int meses)
{
    const QString periodo = "do período de \"Início\" a \"Encer. estimado\"";
    if (meses <= 0)
        return "o período de \"Início\" a \"Encer. estimado\" não chega a um mês.";
    return parcelasJaGeradas(meses, periodo);
}

}  // namespace

// ---- re-instalment panel ----

bool VerificaReparcela(const PainelReparcela& painel)
{
    for (const QDateTime& data : {painel.vencimento, painel.vigenciaDe, painel.vigenciaAte, painel.emissao})
        if (dataPrevisaoVazia(data))
            return false;
    return QuantidadeReparcela(painel) > 0 && Trunc2Casas(painel.valorBoleto) > 0;
}

int QuantidadeReparcela(const PainelReparcela& painel)
{
    bool ok = false;
    const int quantidade = painel.quantidade.trimmed().toInt(&ok);
    return ok ? quantidade : 0;
}

CabecalhoPrevisao LerCabecalhoPrevisao(const Dataset& ctr)
{
    CabecalhoPrevisao c;
    c.contrato = ctr.fieldByName("ACCODIGO")->asInteger();
    c.cliente = fieldText(ctr, "CLCODIGO");
    c.local = fieldText(ctr, "ACLOCAL");
    c.tipoPagamento = fieldText(ctr, "ACTIPOPAGAMENTO");
    c.banco = fieldText(ctr, "BCCODIGO");
    c.periodo = fieldText(ctr, "ACPERIODO");
    c.operacao = fieldText(ctr, "OFCODIGO");
    c.implantacao = ctr.fieldByName("ACDATAIMPLANTACAO")->asDateTime();
    c.validade = ctr.fieldByName("ACDATAVALIDADE")->asDateTime();
    c.valorParcela = ctr.fieldByName("ACVALORPARCELA")->asFloat();
    c.quantidade = ctr.fieldByName("ACQUANTIDADEPARCELA")->asFloat();
    c.valor = ctr.fieldByName("ACVALOR")->asFloat();
    c.vencimento = ctr.fieldByName("ACVENCIMENTO")->value();
    c.periodoDesc = fieldText(ctr, "ACPERIODODESC");
    return c;
}

// ---- the generator's arguments ----

namespace {

ArgumentosGerador argumentosComuns(const CabecalhoPrevisao& cab, const QDate& primeiro, int meses, int existentes)
{
    ArgumentosGerador a;
    a.primeiroVencimento = dataCurtaPrevisao(primeiro);
    a.dataFinal = dataCurtaPrevisao(primeiro.addMonths(meses));
    a.cliente = cab.cliente;
    a.contrato = cab.contrato;
    a.filial = cab.local;
    a.tipoPagamento = cab.tipoPagamento;
    a.banco = cab.banco;
    a.periodo = cab.periodo;
    a.criadas = 0;
    a.filialPedido = cab.local;
    a.operacao = cab.operacao;
    a.flag = false;
    a.previsaoCaixa = true;
    a.lista = nullptr;
    a.existentes = existentes;
    a.prorrogaValidade = false;
    return a;
}

}  // namespace

ArgumentosGerador ArgumentosPrevisaoE(const CabecalhoPrevisao& cab, const PainelReparcela& painel, bool reparcela,
                                      const QDate& primeiro, int meses, int existentes, const QDateTime& agora)
{
    ArgumentosGerador a = argumentosComuns(cab, primeiro, meses, existentes);
    a.diaVencimento = QString("%1").arg(primeiro.day(), 2, 10, QChar('0'));
    a.valor = reparcela ? painel.valorBoleto : cab.valorParcela;
    a.emissao = reparcela ? dataCurtaPrevisao(painel.emissao.date()) : dataCurtaPrevisao(agora.date());
    a.vigenciaDe = reparcela ? painel.vigenciaDe : cab.implantacao;
    a.vigenciaAte = reparcela ? painel.vigenciaAte : cab.validade;
    a.valorFixo = reparcela;
    a.pedidoCliente = painel.pedidoCliente;
    a.previsaoBoleto = meiaNoitePrevisao(painel.emissao.date());
    return a;
}

ArgumentosGerador ArgumentosPrevisaoQ(const CabecalhoPrevisao& cab, const QDate& primeiro, int meses,
                                      int existentes, const QDateTime& agora)
{
    ArgumentosGerador a = argumentosComuns(cab, primeiro, meses, existentes);
    a.diaVencimento = cab.vencimento.isNull() ? QString() : cab.vencimento.toString();
    a.valor = cab.valor;
    a.emissao = dataCurtaPrevisao(agora.date());
    a.vigenciaDe = cab.implantacao;
    a.vigenciaAte = cab.validade;
    a.valorFixo = false;
    a.pedidoCliente.clear();
    a.previsaoBoleto = agora;
    return a;
}

int MesesInteiros(const QDate& de, const QDate& ate)
{
    if (!de.isValid() || !ate.isValid() || ate < de)
        return 0;
    int meses = (ate.year() - de.year()) * 12 + ate.month() - de.month();
    if (de.addMonths(meses) > ate)
        --meses;
    return std::max(meses, 0);
}

bool DiaVencimentoInvalido(const QVariant& dia)
{
    if (dia.isNull())
        return false;
    const int d = dia.toInt();
    return d < 1 || d > 31;
}

// ---- the two forecast runs ----

void PrevisionarContratoE(const PainelReparcela& painel)
{
    host::data::Query& ctr = *dmTecContrato->quCtrCadastro;
    if (fieldText(ctr, "ACLOCAL").trimmed().isEmpty())
        dmGlobal->MostraErro("Informa Local do Contrato");
    const bool reparcela = VerificaReparcela(painel);
    if (!(ctr.fieldByName("ACVALORPARCELA")->asFloat() > 0) && !reparcela)
        dmGlobal->MostraErro("Valor Inválido");
    SalvarAlteracoes(ctr);
    const CabecalhoPrevisao cab = LerCabecalhoPrevisao(ctr);
    const int existentes = parcelasDoContrato(cab.contrato);
    double quantidade = reparcela ? QuantidadeReparcela(painel) : Trunc2Casas(cab.quantidade - existentes);
    moveParaUltimaParcela();
    if (!reparcela && existentes != 0 && quantidade <= 0) {
        avisaNadaGerado(motivoNadaGeradoE(cab.quantidade));
        return;
    }
    if (quantidade == 0 && existentes == 0) {
        // A count: shown and read as a whole number.
        int contagem = 0;
        SelecionaValorInteiro("Nº de Previsões", "Informe o número de parcelas para previsão do contas a receber",
                              contagem);
        quantidade = contagem;
    }

    QDate primeiro;
    if (reparcela) {
        primeiro = painel.vencimento.date();
    } else if (existentes != 0) {
        const QDate ultimo = ultimoVencimento(cab.contrato);
        primeiro = ultimo.isValid() ? ultimo.addMonths(1) : QDate();
    } else {
        // A cancelled date stops the run, as an empty one does.
        QDateTime inicio = cab.implantacao;
        if (SelecionaData("Início da Previsão de faturamento", "Informe a data Inicial da previsão do contas a receber",
                          inicio) &&
            !dataPrevisaoVazia(inicio))
            primeiro = inicio.date();
    }
    if (!primeiro.isValid() || quantidade <= 0)
        return;

    const int meses = int(std::trunc(quantidade));
    ArgumentosGerador a =
        ArgumentosPrevisaoE(cab, painel, reparcela, primeiro, meses, existentes, uDataTecContLocacao::agora());
    // The planned count takes what the run really made, also when it stopped midway.
    geraEListaPrevisao(a, [&] { gravaQuantidadeParcelas(ctr, existentes + a.criadas); });
}

void PrevisionarContratoQ()
{
    host::data::Query& ctr = *dmTecContrato->quCtrCadastro;
    if (fieldText(ctr, "ACPERIODODESC").trimmed() == "Diária")
        dmGlobal->MostraAviso("Para período de diária, utilize o botão Faturar", true);
    if (fieldText(ctr, "ACLOCAL").trimmed().isEmpty())
        dmGlobal->MostraErro("Informa Local do Contrato");
    if (!(ctr.fieldByName("ACVALOR")->asFloat() > 0))
        dmGlobal->MostraErro("Valor Inválido");
    SalvarAlteracoes(ctr);
    const CabecalhoPrevisao cab = LerCabecalhoPrevisao(ctr);
    const int existentes = parcelasDoContrato(cab.contrato);
    const QDate inicio = dataPrevisaoVazia(cab.implantacao) ? QDate() : cab.implantacao.date();
    const QDate fim = dataPrevisaoVazia(cab.validade) ? QDate() : cab.validade.date();
    const int meses = MesesInteiros(inicio, fim);
    const int quantidade = meses - existentes;
    moveParaUltimaParcela();
    if (quantidade == 0 && existentes == 0)
        dmGlobal->MostraAviso("Informe a data de encerramento estimada para o sistema poder gerar as previsões de "
                              "faturamento",
                              true);
    QDate primeiro;
    if (existentes != 0) {
        const QDate ultimo = ultimoVencimento(cab.contrato);
        primeiro = ultimo.isValid() ? ultimo.addMonths(1) : QDate();
    } else if (inicio.isValid()) {
        primeiro = inicio.addMonths(1);
    }
    if (!primeiro.isValid())
        dmGlobal->MostraAviso("Informe a data de início  para o sistema poder gerar as previsões de faturamento", true);
    if (quantidade <= 0) {
        avisaNadaGerado(motivoNadaGeradoQ(meses));
        return;
    }
    // 0 would become the 30th in the generator: refused as a day past 31 is.
    if (DiaVencimentoInvalido(cab.vencimento))
        dmGlobal->MostraErro("Informe uma data de vencimento válida.");

    ArgumentosGerador a = ArgumentosPrevisaoQ(cab, primeiro, quantidade, existentes, uDataTecContLocacao::agora());
    geraEListaPrevisao(a, [] {});
}

}  // namespace uAssContLoc
