// What the officialising runs share: the row, the receivable updates, the
// next forecast and the long-run state.

#include "contract_data/uDataTecContOficializarComum.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContParcelas.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uprincipal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/db/RowHold.h"

namespace uDataTecContOficializar {

const char* const kChaveReceber = " where codigo_cliente = :CLIENTE and numero_documento = :DOCUMENTO and"
                                  " sequencia = :SEQUENCIA and codigo_filial = :FILIAL";

namespace {

QString textoAparado(const host::data::Field* field)
{
    return field ? field->asString().trimmed() : QString();
}

}  // namespace

QString FormataDocumento(const QString& numero)
{
    if (numero.size() >= 6)
        return numero;
    bool ok = false;
    const int n = numero.trimmed().toInt(&ok);
    return QString::number(ok && n > 0 ? n : 0).rightJustified(6, '0');
}

QString ValorCentesimos(double valor)
{
    const qint64 centesimos = qRound64(valor * 100.0);
    return (centesimos < 0 ? "-" : "") + QString::number(qAbs(centesimos)).rightJustified(11, '0') + "/100.00";
}

CamposParcela::CamposParcela(host::data::Query& row)
    : row_(row),
      contrato_(row.findField("ACCODIGO")),
      cliente_(row.findField("CODIGO_CLIENTE")),
      documento_(row.findField("NUMERO_DOCUMENTO")),
      sequencia_(row.findField("SEQUENCIA")),
      filialReceber_(row.findField("CODIGO_FILIAL")),
      valor_(row.findField("VALOR_DOCUMENTO")),
      vencimento_(row.findField("DATA_VENCIMENTO")),
      emissao_(row.findField("DATA_EMISSAO")),
      vencimentoOriginal_(row.findField("CRVENCIMENTOORIGINAL")),
      objeto_(row.findField("AJCODIGO")),
      local_(row.findField("ACLOCAL")),
      geraPV_(row.findField("ACGERAPV")),
      comprovante_(row.findField("ACCOMPROVANTE")),
      operacao_(row.findField("OFCODIGO")),
      clienteContrato_(row.findField("CLCODIGO")),
      periodo_(row.findField("ACPERIODO")),
      diaVencimento_(row.findField("ACVENCIMENTO")),
      valorParcela_(row.findField("ACVALORPARCELA")),
      tipoPagamento_(row.findField("ACTIPOPAGAMENTO")),
      banco_(row.findField("BCCODIGO")),
      modalidade_(row.findField("ACMODALIDADE"))
{
}

host::data::Field* CamposParcela::obrigatorio(host::data::Field* field, const char* nome) const
{
    return field ? field : row_.fieldByName(QString::fromLatin1(nome));
}

Instalment CamposParcela::ler() const
{
    Instalment p;
    p.contrato = obrigatorio(contrato_, "ACCODIGO")->asInteger();
    p.cliente = textoAparado(cliente_);
    p.documento = textoAparado(documento_);
    p.sequencia = obrigatorio(sequencia_, "SEQUENCIA")->asFloat();
    p.filialReceber = textoAparado(filialReceber_);
    p.valor = obrigatorio(valor_, "VALOR_DOCUMENTO")->asFloat();
    p.vencimento = obrigatorio(vencimento_, "DATA_VENCIMENTO")->asDateTime();
    p.emissao = obrigatorio(emissao_, "DATA_EMISSAO")->asDateTime();
    if (vencimentoOriginal_) {
        p.temVencimentoOriginal = true;
        p.vencimentoOriginal = vencimentoOriginal_->asDateTime();
    }
    p.objeto = obrigatorio(objeto_, "AJCODIGO")->asInteger();
    p.local = textoAparado(local_);
    p.geraPV = textoAparado(geraPV_);
    p.comprovante = textoAparado(comprovante_);
    p.operacao = textoAparado(operacao_);
    p.clienteContrato = textoAparado(clienteContrato_);
    p.periodo = textoAparado(periodo_);
    p.diaVencimento = textoAparado(diaVencimento_);
    p.valorParcela = obrigatorio(valorParcela_, "ACVALORPARCELA")->asFloat();
    p.tipoPagamento = textoAparado(tipoPagamento_);
    p.banco = textoAparado(banco_);
    p.modalidade = textoAparado(modalidade_);
    return p;
}

Instalment Instalment::From(host::data::Query& row)
{
    return CamposParcela(row).ler();
}

QString Instalment::sequenciaTexto() const
{
    return QString::number(sequencia, 'g', 15);
}

QString Instalment::chave() const
{
    return "Where codigo_cliente  = " + QuotedStr(cliente) + "  and numero_documento= " + QuotedStr(documento) +
           "  and sequencia       = " + QuotedStr(sequenciaTexto()) + "  and codigo_filial   = " +
           QuotedStr(filialReceber);
}

QVariantMap Instalment::chaveParametros() const {
    return {
        {"CLIENTE", cliente}, {"DOCUMENTO", documento}, {"SEQUENCIA", sequencia}, {"FILIAL", filialReceber}};
}

void Instalment::ligaChave(host::db::Statement& st) const
{
    st.setParam("CLIENTE", cliente);
    st.setParam("DOCUMENTO", documento);
    st.setParam("SEQUENCIA", sequencia);
    st.setParam("FILIAL", filialReceber);
}

QDateTime Instalment::vencimentoReferencia() const
{
    return temVencimentoOriginal ? vencimentoOriginal : CarregaData("CRVENCIMENTOORIGINAL", "ACRC5001", chave());
}

bool ConfirmaValorZerado(const Instalment& p)
{
    if (p.valor != 0)
        return true;
    return MostraPergunta("O valor do contrato código " + QString::number(p.contrato) + " de vencimento " +
                              p.vencimento.toString("dd/MM/yyyy") +
                              " está zerado. Tem certeza de que deseja faturar essa parcela?",
                          {"Sim", "Não"}) == "Sim";
}

namespace {

host::db::Transaction& transacao() {
    return *dmGlobal->IBTransaction1;
}

} // namespace

EstadoParcela LerEstadoParcela(const Instalment& p, bool contasAbertas)
{
    // Built once: the kept statement is found by its text.
    static const QString sql = QStringLiteral(
        "select first 1 r.SITUACAO_DOCUMENTO, o.NUMERO_PEDIDO, n.DOCUMENTO, n.SERIE_DOC from acrc5001 r"
        " left join avec8501 o on (o.NUMERO_PEDIDO = r.PEDIDO)"
        " left join acem1401 n on (n.COD_PEDIDO = r.PEDIDO)"
        " where r.codigo_cliente = :CLIENTE and r.numero_documento = :DOCUMENTO and r.sequencia = :SEQUENCIA"
        " and r.codigo_filial = :FILIAL");
    const std::shared_ptr<host::db::Statement> leitura = transacao().prepared(sql);
    p.ligaChave(*leitura);
    leitura->execute();
    EstadoParcela estado;
    if (!leitura->fetch())
        return estado;
    const QString situacao = leitura->value(0).toString().trimmed();
    estado.pedido = leitura->value(1).toString().trimmed();
    estado.nota = leitura->value(2).toString().trimmed();
    estado.serieNota = leitura->value(3).toString().trimmed();
    leitura->closeCursor();
    // A forecast marked '*' keeps its mark when officialised: it counts as
    // listed. An open instalment is done once its document is: the order of
    // an order-only contract, else the invoice of its order (its number and
    // situation cannot tell: under ATRECIBOCONTRATO "F" it keeps both).
    const bool feita = p.geraPV == "S" ? !estado.pedido.isEmpty() : !estado.nota.isEmpty();
    estado.aOficializar = contasAbertas ? !feita : situacao == "V" || situacao == "*";
    return estado;
}

QString AvisoJaOficializada(const Instalment& p)
{
    return "Contrato " + QString::number(p.contrato) + ": a parcela " + p.documento +
           " já foi oficializada; nada foi gerado.";
}

bool TomaParcela(const Instalment& p)
{
    return !host::db::holdRows(transacao(), u"acrc5001",
                               {{"codigo_cliente", p.cliente},
                                {"numero_documento", p.documento},
                                {"sequencia", p.sequencia},
                                {"codigo_filial", p.filialReceber}},
                               {}, u"SITUACAO_DOCUMENTO")
                .elsewhere();
}

QString AvisoEmOutraEstacao(const Instalment& p)
{
    return "Contrato " + QString::number(p.contrato) + ": a parcela " + p.documento + " de vencimento " +
           p.vencimento.toString("dd/MM/yyyy") +
           " está sendo oficializada em outra estação neste momento; nada foi gerado para ela.";
}

bool GuardaPedido(const Instalment& p, const QString& pedido)
{
    static const QString sql = QString("update acrc5001 set PEDIDO = :PEDIDO") + kChaveReceber +
                               " and (coalesce(PEDIDO, '') = '' or not exists (select 1 from avec8501 o"
                               " where o.NUMERO_PEDIDO = acrc5001.PEDIDO))";
    const std::shared_ptr<host::db::Statement> guarda = transacao().prepared(sql);
    p.ligaChave(*guarda);
    guarda->setParam("PEDIDO", pedido);
    return guarda->execute() == 1;
}

void MarcaEmitida(const Instalment& p)
{
    QVariantMap valores = p.chaveParametros();
    host::db::executeSql(transacao(),
                         QString("update acrc5001 set situacao_documento = ' '") + kChaveReceber +
                             " and coalesce(situacao_documento, ' ') <> '*'",
                         valores);
    valores.insert("HOJE", hoje());
    host::db::executeSql(transacao(), QString("update acrc5001 set data_emissao = :HOJE") + kChaveReceber,
                         valores);
}

double ValorDocumento(const Instalment& p, const QString& numero, const QString& serie, const QString& filial)
{
    const QVariant total =
        p.geraPV == "S"
            ? host::db::selectValue(transacao(),
                                    "select valor_total from avec8501 Where Numero_Pedido = :NUMERO",
                                    {{"NUMERO", numero}})
            : host::db::selectValue(
                  transacao(),
                  "select total_doc from acem1401 Where documento = :NUMERO and serie_doc = :SERIE"
                  " and local_doc = :FILIAL",
                  {{"NUMERO", numero}, {"SERIE", serie}, {"FILIAL", filial}});
    return ValorOperacao(p, total.toDouble(), numero, serie, filial);
}

double ValorOperacao(const Instalment& p, double total, const QString& numero, const QString& serie,
                     const QString& filial)
{
    double valor = total;
    dmGlobal->CRVerificaOperacaoSubtracao(numero, p.cliente, serie, filial, p.operacao, valor);
    return valor;
}

namespace {

const char* const kCaixa =
    " where xpID = 'R' and xpDocumento = :DOCUMENTO_CAIXA and xpEmitente = :CLIENTE and"
    " xpLocal = :FILIAL and CRSEQUENCIA = :SEQUENCIA";

QVariantMap caixa(const Instalment& p) {
    return {{"DOCUMENTO_CAIXA", p.documento},
            {"CLIENTE", p.cliente},
            {"FILIAL", p.filialReceber},
            {"SEQUENCIA", p.sequencia}};
}

// The same key of kCaixa bound straight onto a kept statement.
void ligaCaixa(const Instalment& p, host::db::Statement& st)
{
    st.setParam("DOCUMENTO_CAIXA", p.documento);
    st.setParam("CLIENTE", p.cliente);
    st.setParam("FILIAL", p.filialReceber);
    st.setParam("SEQUENCIA", p.sequencia);
}

// The note is keyed with the branch, or (as the forecast writes it) without.
void RenumeraObservacao(const Instalment& p, const QString& novo) {
    const QString resto = p.cliente + QString::number(qint64(p.sequencia));
    static const QString sql =
        QStringLiteral("update augc70ob set obCodigo = :NOVO where obCodigo = :VELHO and obId = 'R'");
    auto renumera = [&](const QString& prefixo) -> int {
        const std::shared_ptr<host::db::Statement> st = transacao().prepared(sql);
        st->setParam("NOVO", prefixo + novo + resto);
        st->setParam("VELHO", prefixo + p.documento + resto);
        return st->execute();
    };
    if (renumera(p.filialReceber) == 0)
        renumera(QString());
}

}  // namespace

void ArredondaCaixa(const Instalment& p)
{
    host::db::executeSql(transacao(),
                         QString("update ACXC94XP set xpValor = Cast(XpValor as Numeric(9,2) )") + kCaixa,
                         caixa(p));
}

void Renumera(const Instalment& p, const QString& novo)
{
    QVariantMap valores = p.chaveParametros();
    valores.insert("NOVO", novo);
    host::db::executeSql(transacao(), QString("update acrc5001 set numero_documento = :NOVO") + kChaveReceber,
                         valores);
    RenumeraObservacao(p, novo);
    valores = caixa(p);
    valores.insert("NOVO", novo);
    host::db::executeSql(transacao(), QString("update ACXC94XP set xpDocumento = :NOVO") + kCaixa, valores);
}

void OficializaReceberLote(const Instalment& p, double valor, const QString& novo) {
    const QString& numero = novo.isEmpty() ? p.documento : novo;
    static const QString sqlReceber =
        QString("update acrc5001 set situacao_documento = case when coalesce(situacao_documento, ' ')"
                " <> '*' then ' ' else situacao_documento end, data_emissao = :HOJE,"
                " valor_documento = :VALOR, PAG10 = :VALOR, numero_documento = :NOVO") +
        kChaveReceber;
    const std::shared_ptr<host::db::Statement> receber = transacao().prepared(sqlReceber);
    p.ligaChave(*receber);
    receber->setParam("HOJE", hoje());
    receber->setParam("VALOR", valor);
    receber->setParam("NOVO", numero);
    receber->execute();
    if (!novo.isEmpty()) RenumeraObservacao(p, novo);
    static const QString sqlCaixa =
        QString("update ACXC94XP set xpValor = Cast(XpValor as Numeric(9,2) ), xpDocumento = :NOVO") + kCaixa;
    const std::shared_ptr<host::db::Statement> caixa = transacao().prepared(sqlCaixa);
    ligaCaixa(p, *caixa);
    caixa->setParam("NOVO", numero);
    caixa->execute();
}

namespace {

// The start of the period after the date's: a period on and a day, but never
// past that period's month. A day after the 28th to 31st of a shorter month
// would start the period after it, and the month between would get no
// forecast.
QDateTime InicioPeriodoSeguinte(const QDateTime& data, const QString& periodo)
{
    const QDateTime seguinte = dmTecContrato->RetornaDataIncrementada(data, periodo);
    const QDate mes = uDataTecContParcelas::IncMonth(data.date(), uDataTecContParcelas::MesesPeriodo(periodo));
    return seguinte.date().month() == mes.month() ? seguinte : QDateTime(mes, data.time());
}

}  // namespace

JanelaPrevisao JanelaProximaPrevisao(const Instalment& p, const OpcoesOficializacao& opcoes)
{
    JanelaPrevisao janela;
    if (opcoes.bContasAbertas || opcoes.bNaoGeraPrevisao) return janela;
    // The last instalment's: a fine or an item's own receivable due later
    // is no period of the contract.
    const QDateTime ultimo = host::db::selectValue(transacao(),
                                                   "select max(DATA_VENCIMENTO) from acrc5001"
                                                   " Where aoCodigo = :CONTRATO and " +
                                                       uDataTecContParcelas::CondicaoParcelaDoContrato(),
                                                   {{"CONTRATO", p.contrato}})
                                 .toDateTime();
    if (!ultimo.isValid() || ultimo.date() == QDate(1999, 12, 1)) return janela;
    // Under "I" the generator bills a period in the month after it: the
    // period that falls due a period after the last due date starts a month
    // before that date.
    if (p.modalidade.trimmed().toUpper() == "I")
        janela.inicio = QDateTime(uDataTecContParcelas::IncMonth(
                                      ultimo.date(), uDataTecContParcelas::MesesPeriodo(p.periodo) - 1),
                                  ultimo.time());
    else
        janela.inicio = InicioPeriodoSeguinte(ultimo, p.periodo);
    janela.fim = InicioPeriodoSeguinte(janela.inicio, p.periodo);
    janela.gerar = true;
    return janela;
}

int SequenciaCliente(const QString& cliente)
{
    return int(CarregaNumero("max(sequencia)", "acrc5001", "where codigo_cliente=" + QuotedStr(cliente)));
}

void GeraPrevisao(const Instalment& p, const JanelaPrevisao& janela, int& sequencia, QStringList* aviso)
{
    if (!janela.gerar)
        return;
    const QString inicio = janela.inicio.toString("dd/MM/yyyy"), fim = janela.fim.toString("dd/MM/yyyy");
    InserirParcelasContrato(p.modalidade, inicio, fim, p.clienteContrato, false, p.diaVencimento, p.contrato,
                            p.valorParcela, p.local, p.tipoPagamento, p.banco, inicio, p.periodo, sequencia, p.objeto,
                            p.local, p.operacao, false, {}, false, aviso, 0, 0);
}

void ProximaPrevisao(const Instalment& p, const OpcoesOficializacao& opcoes, QStringList* aviso)
{
    const JanelaPrevisao janela = JanelaProximaPrevisao(p, opcoes);
    if (!janela.gerar)
        return;
    int sequencia = SequenciaCliente(p.clienteContrato);
    GeraPrevisao(p, janela, sequencia, aviso);
}

QString ProgressoTexto(int linha, int total)
{
    return "Faturando " + QString::number(linha) + " de " + QString::number(total) + " contrato(s)";
}

ExecucaoLonga::ExecucaoLonga(host::data::Query& oDado) : oDado_(oDado)
{
    oDado_.disableControls();
    oDado_.fetchAll();
    // The main window's timer waits until the run is over.
    if (fmPrincipal)
        relogio_ = std::make_unique<host::data::DetachHandler<std::function<void()>>>(fmPrincipal->tmPrincipalTimer);
}

ExecucaoLonga::~ExecucaoLonga()
{
    encerra(false);
}

void ExecucaoLonga::encerra(bool bFecharSelecao)
{
    if (encerrada_)
        return;
    encerrada_ = true;
    dmGlobal->PreparaSplashForm(0, "Aguarde", "Ocultar");
    if (bFecharSelecao)
        oDado_.close();
    oDado_.enableControls();
    relogio_.reset();
}

}  // namespace uDataTecContOficializar
