// What the officialising runs share: the row, the receivable updates, the
// next forecast and the long-run state.

#include "contracts/uDataTecContOficializarComum.h"

#include "contracts/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uprincipal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

namespace uDataTecContOficializar {

namespace {

QString texto(host::data::Query& row, const char* campo)
{
    host::data::Field* field = row.findField(campo);
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

Instalment Instalment::From(host::data::Query& row)
{
    Instalment p;
    p.contrato = row.fieldByName("ACCODIGO")->asInteger();
    p.cliente = texto(row, "CODIGO_CLIENTE");
    p.documento = texto(row, "NUMERO_DOCUMENTO");
    p.sequencia = row.fieldByName("SEQUENCIA")->asFloat();
    p.filialReceber = texto(row, "CODIGO_FILIAL");
    p.valor = row.fieldByName("VALOR_DOCUMENTO")->asFloat();
    p.vencimento = row.fieldByName("DATA_VENCIMENTO")->asDateTime();
    p.emissao = row.fieldByName("DATA_EMISSAO")->asDateTime();
    if (host::data::Field* original = row.findField("CRVENCIMENTOORIGINAL")) {
        p.temVencimentoOriginal = true;
        p.vencimentoOriginal = original->asDateTime();
    }
    p.objeto = row.fieldByName("AJCODIGO")->asInteger();
    p.local = texto(row, "ACLOCAL");
    p.geraPV = texto(row, "ACGERAPV");
    p.comprovante = texto(row, "ACCOMPROVANTE");
    p.operacao = texto(row, "OFCODIGO");
    p.clienteContrato = texto(row, "CLCODIGO");
    p.periodo = texto(row, "ACPERIODO");
    p.diaVencimento = texto(row, "ACVENCIMENTO");
    p.valorParcela = row.fieldByName("ACVALORPARCELA")->asFloat();
    p.tipoPagamento = texto(row, "ACTIPOPAGAMENTO");
    p.banco = texto(row, "BCCODIGO");
    p.modalidade = texto(row, "ACMODALIDADE");
    return p;
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

void MarcaEmitida(const Instalment& p)
{
    UpdateCampo("acrc5001", "situacao_documento", QuotedStr(" "),
                p.chave() + "  and coalesce(situacao_documento, ' ') <> '*'  ");
    UpdateCampo("acrc5001", "data_emissao", DateToSQL(QDateTime::currentDateTime()), p.chave());
}

double ValorDocumento(const Instalment& p, const QString& numero, const QString& serie, const QString& filial)
{
    double valor = p.geraPV == "S"
                       ? CarregaNumero("valor_total", "avec8501", "Where Numero_Pedido = " + QuotedStr(numero))
                       : CarregaNumero("total_doc", "acem1401",
                                       "Where documento = " + QuotedStr(numero) + " and serie_doc = " +
                                           QuotedStr(serie) + " and local_doc=" + QuotedStr(filial));
    dmGlobal->CRVerificaOperacaoSubtracao(numero, p.cliente, serie, filial, p.operacao, valor);
    return valor;
}

namespace {

QString condicaoCaixa(const Instalment& p, const QString& documento)
{
    return "where xpID = 'R' and xpDocumento = " + QuotedStr(documento) + " and xpEmitente = " +
           QuotedStr(p.cliente) + " and xpLocal = " + QuotedStr(p.filialReceber) + " and CRSEQUENCIA = " +
           p.sequenciaTexto();
}

}  // namespace

void ArredondaCaixa(const Instalment& p)
{
    UpdateCampo("ACXC94XP", "xpValor", "Cast(XpValor as Numeric(9,2) )", condicaoCaixa(p, p.documento));
}

void Renumera(const Instalment& p, const QString& novo)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    UpdateCampo("acrc5001", "numero_documento", QuotedStr(novo), p.chave());
    // The note is keyed with the branch, or (as the forecast writes it) without.
    const QString resto = p.cliente + QString::number(qint64(p.sequencia));
    const int comFilial = host::db::executeSql(
        tr, "update augc70ob set obCodigo = :NOVO where obCodigo = :VELHO and obId = 'R'",
        {{"NOVO", p.filialReceber + novo + resto}, {"VELHO", p.filialReceber + p.documento + resto}});
    if (comFilial == 0)
        host::db::executeSql(tr, "update augc70ob set obCodigo = :NOVO where obCodigo = :VELHO and obId = 'R'",
                             {{"NOVO", novo + resto}, {"VELHO", p.documento + resto}});
    UpdateCampo("ACXC94XP", "xpDocumento", QuotedStr(novo), condicaoCaixa(p, p.documento));
}

JanelaPrevisao JanelaProximaPrevisao(const Instalment& p, const OpcoesOficializacao& opcoes)
{
    JanelaPrevisao janela;
    const QDateTime ultimo =
        CarregaData("max(DATA_VENCIMENTO)", "acrc5001", "Where aoCodigo = " + QString::number(p.contrato));
    if (!ultimo.isValid() || ultimo.date() == QDate(1999, 12, 1) || opcoes.bContasAbertas || opcoes.bNaoGeraPrevisao)
        return janela;
    janela.inicio = dmTecContrato->RetornaDataIncrementada(ultimo, p.periodo);
    janela.fim = dmTecContrato->RetornaDataIncrementada(janela.inicio, p.periodo);
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
