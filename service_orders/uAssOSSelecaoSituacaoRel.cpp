// The printed orders by situation: invoice numbers per order, the row filter
// by invoice kind, and totals that take each order once.

#include "service_orders/uAssOSSelecaoSituacaoRel.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "service_orders/uAssOSSelecaoRelSql.h"

using namespace host::report;
using namespace uAssOSSelecaoRel;

host::ui::FormVar<TqrAssOSSelecaoSituacaoRel> qrAssOSSelecaoSituacaoRel("qrAssOSSelecaoSituacaoRel");

namespace {

const char* const kComNota = "Com Nota Fiscal";
const char* const kSemNota = "Sem Nota Fiscal";

// The auxiliary query run with a document statement; its SQL shown first when asked.
host::data::Query& abreDocumentoSituacao(const QString& sql)
{
    host::data::Query& q = *dmGlobal->quAuxiliar;
    q.close();
    q.setSql(sql);
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("SQL", sql, false, "Confirmação");
    q.open();
    return q;
}

QDateTime dataDigitadaNF(const QString& texto)
{
    QDateTime data;
    if (!texto.trimmed().isEmpty())
        host::data::parseDateTimeText(texto.trimmed(), data);
    return data;
}

}  // namespace

TqrAssOSSelecaoSituacaoRel::TqrAssOSSelecaoSituacaoRel(QWidget* parent)
    : host::ui::Form(parent),
      QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1"))),
      dados_(std::make_unique<ReportDataset>(nullptr, "dsPesqSituacao", "dsPesqSituacao"))
{
    setCaption("Relatório de Ordem de Serviço por Situação");
    Report& r = *QuickRep1;
    r.setTitle("Relatório de Ordem de Serviço por Situação");
    r.setLandscape(true);
    r.font().setPointSizeF(7);
    r.setDataSet(dados_.get());
    qrbnTitulo = TituloSelecao(r, "Relatório de Ordem de Serviço por Situação");
    qrbnTitulo->setHeight(32);
    qrlaSubtitulo = qrbnTitulo->addLabel("qrlaSubtitulo", 0, 27, 277, 4.5, {});
    qrlaSubtitulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    criarColunas();
    criarResumo();
    RodapeSelecao(r);
    r.beforePrint = [this](Report&) { QuickRep1BeforePrint(); };
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TqrAssOSSelecaoSituacaoRel::~TqrAssOSSelecaoSituacaoRel() = default;

void TqrAssOSSelecaoSituacaoRel::setDados(host::data::Dataset* dados) { dados_->setDataSet(dados); }

void TqrAssOSSelecaoSituacaoRel::criarColunas()
{
    qrbnColunas = QuickRep1->addBand(BandKind::ColumnHeader, "qrbnColunas", 6);
    qrbnDetalhe = QuickRep1->addBand(BandKind::Detail, "qrbnDetalhe", 5);
    Band& c = *qrbnColunas;
    Band& d = *qrbnDetalhe;
    const DataRef dados(dados_.get());
    os_ = AdicionaColuna(c, d, dados, "OS", "Nº OS", "AOCODIGO", 0, 14, kOrdemSelecao);
    cliente_ = AdicionaColuna(c, d, dados, "Cliente", "Cliente", "CLIENTE", 15, 38);
    serie_ = AdicionaColuna(c, d, dados, "Serie", "Nº de Série", "AOITSERIE", 54, 20);
    classificacao_ = AdicionaColuna(c, d, dados, "Classificacao", "Classificação", "AOTIPOOS", 75, 18);
    situacao_ = AdicionaColuna(c, d, dados, "Situacao", "Situação", "SITUACAO", 94, 18);
    entrada_ = AdicionaColuna(c, d, dados, "DataEntrada", "Data Entr.", "AODATAENTRADA", 113, 13, "dd/mm/yy");
    saida_ = AdicionaColuna(c, d, dados, "DataSaida", "Data Saída", "AODATASAIDA", 127, 13, "dd/mm/yy");
    AdicionaColuna(c, d, dados, "TotalServicos", "Total Serv.", "AOVALORSERVICO", 141, 17, kValorSelecao);
    AdicionaColuna(c, d, dados, "TotalPecas", "Total Peças", "AOVALORPECAS", 159, 17, kValorSelecao);
    AdicionaColuna(c, d, dados, "TotalOS", "Total OS", "AOVALORTOTAL", 177, 17, kValorSelecao);
    AdicionaColuna(c, d, dados, "Desconto", "Desconto", "AODESCONTO", 195, 14, kValorSelecao);
    tituloNumeroNF_ = RotuloSelecao(c, "qrlaTitNumeroNF", 210, 0.5, 24, "Nº NF");
    qrlaNumeroNF = d.addLabel("qrlaNumeroNF", 210, 0, 24, 4.5, {});
    qrlaNumeroNF->setWordWrap(true);
    qrlaNumeroNF->setAutoStretch(true);
    tituloDataNF_ = RotuloSelecao(c, "qrlaTitDataNF", 235, 0.5, 22, "Data NF");
    qrlaDataNF = d.addLabel("qrlaDataNF", 235, 0, 22, 4.5, {});
    qrlaDataNF->setWordWrap(true);
    qrlaDataNF->setAutoStretch(true);
    tecnico_ = AdicionaColuna(c, d, dados, "Tecnico", "Técnico", "ATNOME", 258, 19);
    c.addShape("qrshColunas", 0, 5.5, 277, 0.5, ShapeKind::HorizontalLine);
    qrbnDetalhe->beforePrint = [this](Band&, bool& printBand) { qrbnDetalheBeforePrint(printBand); };
}

void TqrAssOSSelecaoSituacaoRel::criarResumo()
{
    qrbnResumo = QuickRep1->addBand(BandKind::Summary, "qrbnResumo", 8);
    Band& b = *qrbnResumo;
    b.addShape("qrshResumo", 0, 0, 277, 0.5, ShapeKind::HorizontalLine);
    RotuloSelecao(b, "qrlaLancamentos", 0, 1.5, 30, "Nº de Lançamentos:");
    b.addExprText("qrexLancamentos", 31, 1.5, 20, 4.5, [this] { return QVariant(iLancamentos); });
    const std::pair<const char*, double*> totais[] = {
        {"TotalServicos", &rTotalServicos}, {"TotalPecas", &rTotalPecas}, {"TotalOS", &rTotalOS}};
    double left = 141;
    for (const auto& [nome, total] : totais) {
        ExprText* texto = b.addExprText("qrex" + QString::fromLatin1(nome), left - 8, 1.5, 25, 4.5,
                                        [total] { return QVariant(*total); });
        texto->setDisplayFormat(kTotalSelecao);
        texto->setAlignment(Qt::AlignRight | Qt::AlignTop);
        left += 18;
    }
}

void TqrAssOSSelecaoSituacaoRel::QuickRep1BeforePrint()
{
    rTotalServicos = rTotalPecas = rTotalOS = 0;
    iLancamentos = 0;
    sUltimaOS.clear();
    bPrimeiroCancelado = false;
    if (sSituacao == kComNota)
        qrlaSubtitulo->setCaption("Tipo da Seleção: Com Nota Fiscal");
    else if (sSituacao == kSemNota)
        qrlaSubtitulo->setCaption("Tipo da Seleção: Sem Nota Fiscal");
    else
        qrlaSubtitulo->setCaption("Tipo da Seleção: Ambas - Com Nota Fiscal e Sem Nota Fiscal");
    const bool veiculo = dmGlobal->Parametro("ATMODOVEICULO") == "O";
    serie_.titulo->setCaption(veiculo ? "Placa" : "Nº de Série");
    serie_.texto->setFieldName(veiculo ? "AOITPLACA" : "AOITSERIE");
    classificacao_.setEnabled(dmGlobal->Parametro("ATCLASSIFICACAOOS") == "S");
    situacao_.setEnabled(dmGlobal->Parametro("ATATENDENTEAUTOMATICO") == "S");
    tecnico_.setEnabled(bTecnico);
    // Summary only: the totals and the money captions.
    qrbnColunas->setHeight(bResumido ? 5.8 : 6);
    for (const ColunaSelecao* coluna : {&os_, &cliente_, &serie_, &classificacao_, &situacao_, &entrada_, &saida_})
        coluna->titulo->setEnabled(coluna->texto->enabled() && !bResumido);
    tituloNumeroNF_->setEnabled(!bResumido);
    tituloDataNF_->setEnabled(!bResumido);
}

QString TqrAssOSSelecaoSituacaoRel::RetornaNumeroDocumento(const QString& sCodigo, QString& sData)
{
    bPrimeiroCancelado = false;
    dtPrimeiroDocumento = {};
    QString numero;
    sData.clear();
    if (!sCodigo.trimmed().isEmpty()) {
        host::data::Query& primeiro = abreDocumentoSituacao(SqlPrimeiroDocumento(sCodigo, sNFIni, sNFFim));
        if (!primeiro.isEmpty()) {
            numero = primeiro.fieldByName("documento")->asString();
            if (primeiro.fieldByName("Baixa")->asString() == "C") {
                numero += "-CA";
                bPrimeiroCancelado = true;
            }
            dtPrimeiroDocumento = primeiro.fieldByName("data")->asDateTime();
            sData = dtPrimeiroDocumento.toString("dd/MM/yy");
        }
        primeiro.close();
        host::data::Query& segundo = abreDocumentoSituacao(SqlSegundoDocumento(sCodigo, numero, sNFIni, sNFFim));
        if (!segundo.isEmpty()) {
            const QString outro = segundo.fieldByName("documento")->asString();
            numero += segundo.fieldByName("Baixa")->asString() == "C" ? " / " + outro + "-CA" : "/" + outro;
            sData += "-" + segundo.fieldByName("data")->asDateTime().toString("dd/MM/yy");
        }
        segundo.close();
    }
    if (numero.isEmpty()) {
        numero = "000000";
        sData = " ";
    }
    return numero;
}

// A half-open invoice range means that one day, as the document statement's
// date line (AdicionaFiltro's range with one end) takes it.
bool TqrAssOSSelecaoSituacaoRel::dentroDoPeriodoNF() const
{
    const QDateTime ini = dataDigitadaNF(sNFIni);
    const QDateTime fim = dataDigitadaNF(sNFFim);
    if (!ini.isValid() && !fim.isValid())
        return true;
    if (!dtPrimeiroDocumento.isValid())
        return false;
    const QDate dia = dtPrimeiroDocumento.date();
    const QDate de = ini.isValid() ? ini.date() : fim.date();
    const QDate ate = fim.isValid() ? fim.date() : ini.date();
    return dia >= de && dia <= ate;
}

bool TqrAssOSSelecaoSituacaoRel::LinhaImprime(const QString& sNumero) const
{
    const bool semNota = sNumero.isEmpty() || sNumero == "000000";
    if (sSituacao == kComNota)
        return !semNota && !bPrimeiroCancelado && dentroDoPeriodoNF();
    if (sSituacao == kSemNota)
        return semNota;
    return !bPrimeiroCancelado;
}

void TqrAssOSSelecaoSituacaoRel::qrbnDetalheBeforePrint(bool& printBand)
{
    host::data::Dataset& d = *dados_->dataSet();
    const QString codigo = d.fieldByName("AOCODIGO")->asString();
    QString data;
    const QString numero = RetornaNumeroDocumento(codigo, data);
    qrlaNumeroNF->setCaption(numero);
    qrlaDataNF->setCaption(data);
    const bool imprime = LinhaImprime(numero);
    if (imprime) {
        ++iLancamentos;
        if (codigo != sUltimaOS) {
            rTotalOS += d.fieldByName("AOVALORTOTAL")->asFloat();
            rTotalPecas += d.fieldByName("AOVALORPECAS")->asFloat();
            rTotalServicos += d.fieldByName("AOVALORSERVICO")->asFloat();
            sUltimaOS = codigo;
        }
    }
    // Summary only: the rows count but do not print.
    printBand = imprime && !bResumido;
    bPrimeiroCancelado = false;
}
