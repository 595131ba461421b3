// Billing of the monthly rental instalments: the folding of the month's
// complement forecasts, the billed receivable, its note and collection, the
// rental receipt, and the receipt's loading for printing.

#include "rental/uAssContLocFaturamento.h"

#include "contract_data/uDataTecCont.h"
#include "data/udmRelTec.h"
#include "data/udmRelTecRelatorios.h"
#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/Unumeracao.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/report/Uvisualrel.h"

#include <cmath>

namespace uAssContLocFaturamento {

namespace {

QString textoLinhaFat(const host::data::Field* f) { return f ? f->asString().trimmed() : QString(); }

QDateTime dataLinhaFat(const host::data::Field* f) { return f && !f->isNull() ? f->asDateTime() : QDateTime(); }

double numeroLinhaFat(const host::data::Field* f) { return f ? f->asFloat() : 0; }

// "###,###,##0.00", three per instalment of a run.
QString valorListaFat(double valor) { return host::data::formatFloat(QStringLiteral("###,###,##0.00"), valor); }

// "DD/MM/YY", written digit by digit: three per instalment of a run, and the
// general date format costs more than the rest of the note's text.
QString vencimentoListaFat(const QDateTime& data)
{
    if (!data.isValid())
        return {};
    return host::data::dayMonthYear(data.date(), u"/", 2);
}

// The where of a receivable's own key, bound as the billing's statements take it.
void ligaChaveParcelaFat(host::db::Statement& st, const ParcelaLocacao& p, const QString& filial)
{
    st.setParam("CLI", p.cliente);
    st.setParam("DOC", p.documento);
    st.setParam("SEQ", p.sequencia);
    st.setParam("FIL", filial);
}

// The billing's writes run once per instalment: kept prepared and found by
// the text's address, with the key bound by name, not through a map.
int executaFat(host::db::Statement& st)
{
    st.execute();
    return st.rowsAffected();
}

// The rental receipt of one instalment: the header with the contract's
// value (not the lines' sum) and one line per item value.
QString inserirReciboMensal(const ParcelaLocacao& p, QStringList& passados)
{
    std::vector<LinhaRecibo> linhas;
    const QString texto = TextoPeriodoMensal(p.vencimento);
    for (double valor : ValoresItensContrato(p.contrato))
        linhas.push_back({valor, texto});
    return InserirReciboLocacao(p.contrato, p.local, p.cliente, p.valorContrato, linhas, p.documento, &passados);
}

// The note's line on the numbers a receipt passed over.
QString linhaNumerosPassados(const QString& numero, const QStringList& passados)
{
    return "Documento " + numero + ": " + (passados.size() == 1 ? "o número " : "os números ") + passados.join(", ") +
           (passados.size() == 1 ? " já era" : " já eram") + " de outro título do cliente.";
}

}  // namespace

QString NumeroReciboLivre(const QString& local, const QString& cliente, const QString& proprio, QStringList* passados)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QString numero = host::ProximoNumeroDocumentoEstoque(tr, kSerieRecibo, local.trimmed());
    if ((!proprio.isEmpty() && numero == proprio.trimmed()) || !dmGlobal->ClienteTemNumeroReceber(cliente, numero))
        return numero;
    if (passados)
        *passados << numero;
    // The customer holds it (a bill's, another contract's): the receivables'
    // next number, which no receivable holds, whatever the customer holds.
    for (;;) {
        const QString novo = dmGlobal->ProximoNumeroReceber();
        if (host::db::selectValue(tr,
                                  "select count(*) from ACEM1401 where SERIE_DOC = :SERIE and DOCUMENTO = :DOC and"
                                  " coalesce(LOCAL_DOC, '') = :LOCAL",
                                  {{"SERIE", kSerieRecibo}, {"DOC", novo}, {"LOCAL", local.trimmed()}})
                .toInt() == 0)
            return novo;
    }
}

QString InserirReciboLocacao(int contrato, const QString& local, const QString& cliente, double total,
                             const std::vector<LinhaRecibo>& linhas, const QString& proprio, QStringList* passados)
{
    DocumentoEstoque documento;
    documento.numero = NumeroReciboLivre(local, cliente, proprio, passados);
    documento.data = hoje();
    documento.serie = kSerieRecibo;
    documento.local = local;
    documento.tipo = "S";
    documento.cliente = cliente;
    documento.operacao = kOperacaoRecibo;
    // The receipt's time, once for its header and lines.
    const QDateTime momento = QDateTime::currentDateTime();
    const QString hora = horaTexto(momento.time());
    documento.hora = hora;
    documento.total = total;
    const QString numero = dmGlobal->InseriDocumentoAcem1401(documento);
    int n = 0;
    for (const LinhaRecibo& linha : linhas) {
        ItemDocumentoEstoque item;
        item.local = local;
        item.documento = numero;
        item.sequencia = ++n;
        item.quantidade = 1;
        item.cliente = cliente;
        item.data = momento;
        item.serie = kSerieRecibo;
        item.operacao = kOperacaoRecibo;
        item.produto = "999";
        item.valorUnitario = linha.valor;
        item.valorTotal = linha.valor;
        item.hora = hora;
        item.observacao = linha.texto;
        item.acCodigo = contrato;
        dmGlobal->InseriItemAcem14it(item);
    }
    return numero;
}

ParcelaLocacao LeParcela(host::data::Dataset& linha) { return LeitorParcela(linha).le(); }

host::data::Field* CamposListagem::coluna(const char* nome) const
{
    return linhas->findField(QString::fromLatin1(nome));
}
QString CamposListagem::texto(Coluna c) const { return textoLinhaFat(c); }
QString CamposListagem::textoComoEsta(Coluna c) const { return c && !c->isNull() ? c->value().toString() : QString(); }
double CamposListagem::numero(Coluna c) const { return numeroLinhaFat(c); }
QDateTime CamposListagem::data(Coluna c) const { return dataLinhaFat(c); }

int ColunasComando::coluna(const char* nome) const { return st->columnIndex(QString::fromLatin1(nome)); }
QString ColunasComando::texto(Coluna c) const { return textoComoEsta(c).trimmed(); }
QString ColunasComando::textoComoEsta(Coluna c) const
{
    return c < 0 || st->isNull(c) ? QString() : st->value(c).toString();
}
double ColunasComando::numero(Coluna c) const { return c < 0 || st->isNull(c) ? 0.0 : st->value(c).toDouble(); }
QDateTime ColunasComando::data(Coluna c) const
{
    return c < 0 || st->isNull(c) ? QDateTime() : st->value(c).toDateTime();
}

template <class Fonte>
LeitorParcelaDe<Fonte>::LeitorParcelaDe(Fonte fonte)
    : f_(fonte),
      contrato_(f_.coluna("ACCODIGO")),
      cliente_(f_.coluna("CODIGO_CLIENTE")),
      documento_(f_.coluna("NUMERO_DOCUMENTO")),
      filial_(f_.coluna("CODIGO_FILIAL")),
      sequencia_(f_.coluna("SEQUENCIA")),
      valor_(f_.coluna("VALOR_DOCUMENTO")),
      situacao_(f_.coluna("SITUACAO_DOCUMENTO")),
      vencimento_(f_.coluna("DATA_VENCIMENTO")),
      emissao_(f_.coluna("DATA_EMISSAO")),
      banco_(f_.coluna("BCCODIGO")),
      local_(f_.coluna("ACLOCAL")),
      pedidoCliente_(f_.coluna("CRPEDIDOCLI")),
      valorContrato_(f_.coluna("ACVALOR"))
{
}

template <class Fonte>
ParcelaLocacao LeitorParcelaDe<Fonte>::le() const
{
    ParcelaLocacao p;
    p.contrato = int(f_.numero(contrato_));
    p.cliente = f_.texto(cliente_);
    p.documento = f_.texto(documento_);
    p.filial = f_.texto(filial_);
    p.sequencia = f_.numero(sequencia_);
    p.valor = f_.numero(valor_);
    p.situacao = f_.textoComoEsta(situacao_);
    p.vencimento = f_.data(vencimento_);
    p.emissao = f_.data(emissao_);
    p.banco = f_.texto(banco_);
    p.local = f_.texto(local_);
    p.pedidoCliente = f_.texto(pedidoCliente_);
    p.valorContrato = f_.numero(valorContrato_);
    return p;
}

template class LeitorParcelaDe<CamposListagem>;
template class LeitorParcelaDe<ColunasComando>;

std::optional<ParcelaLocacao> ParcelaAtual(const ParcelaLocacao& listada)
{
    host::db::Statement& leitura = dmGlobal->ComandoPreparado(
        "select SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_VENCIMENTO, DATA_EMISSAO, CRPEDIDOCLI from ACRC5001"
        " where CODIGO_CLIENTE = :CLI and NUMERO_DOCUMENTO = :DOC and SEQUENCIA = :SEQ and CODIGO_FILIAL = :FIL");
    // Read once per instalment of a run: the key is bound and the columns
    // taken by position, without a map of the key or lookups by name.
    ligaChaveParcelaFat(leitura, listada, listada.filial);
    leitura.execute();
    if (!leitura.fetch())
        return std::nullopt;
    ParcelaLocacao atual = listada;
    atual.situacao = leitura.isNull(0) ? QString() : leitura.value(0).toString();
    atual.valor = leitura.value(1).toDouble();
    atual.vencimento = leitura.value(2).toDateTime();
    atual.emissao = leitura.value(3).toDateTime();
    atual.pedidoCliente = leitura.value(4).toString().trimmed();
    leitura.closeCursor();
    return atual;
}

std::vector<ParcelaLocacao> ParcelasDoMes(const ParcelaLocacao& principal,
                                          const std::vector<ParcelaLocacao>& vinculadas)
{
    std::vector<ParcelaLocacao> mes;
    const QDate vencimento = principal.vencimento.date();
    for (const ParcelaLocacao& v : vinculadas) {
        const QDate dia = v.vencimento.date();
        if (v.temParcela() && v.previsao() && dia.isValid() && dia.year() == vencimento.year() &&
            dia.month() == vencimento.month())
            mes.push_back(v);
    }
    return mes;
}

QString ResumoFaturamento::obs10() const { return nota().trimmed().left(80); }

QString ResumoFaturamento::nota() const { return contratos + "\r" + vencimentos + "\r" + valores; }

ResumoFaturamento ResumoParcela(const ParcelaLocacao& principal, const std::vector<ParcelaLocacao>& dobradas)
{
    ResumoFaturamento r;
    r.total = Trunc2Casas(principal.valor);
    r.contratos = QStringLiteral("Contrato(s): ") + QString::number(principal.contrato);
    r.vencimentos = QStringLiteral("Vcto.(s): ") + vencimentoListaFat(principal.vencimento);
    r.valores = QStringLiteral("Vlr.(s): ") + valorListaFat(principal.valor);
    for (const ParcelaLocacao& v : dobradas) {
        r.total += Trunc2Casas(v.valor);
        r.contratos += u", ";
        r.contratos += QString::number(v.contrato);
        r.vencimentos += u", ";
        r.vencimentos += vencimentoListaFat(v.vencimento);
        r.valores += u", ";
        r.valores += valorListaFat(v.valor);
    }
    // The cents added stay cents.
    r.total = Arredonda2Monetario(r.total);
    return r;
}

QString ChaveNotaParcela(const QString& documento, const QString& cliente, double sequencia)
{
    return documento.trimmed() + cliente.trimmed() + QString::number(qint64(sequencia));
}

FaturaBoletoLocacao ArgumentosFaturaBoleto(const ParcelaLocacao& p, const QString& documento,
                                           const ResumoFaturamento& resumo)
{
    FaturaBoletoLocacao f;
    f.filial = p.filial;
    f.documentoIni = documento;
    f.documentoFim = documento;
    f.clienteIni = p.cliente;
    f.clienteFim = p.cliente;
    f.banco = p.banco;
    f.emissaoIni = p.emissao;
    f.emissaoFim = p.emissao;
    f.vencimentoIni = p.vencimento;
    f.vencimentoFim = p.vencimento;
    f.texto1 = p.pedidoCliente.trimmed() + "\r" + resumo.contratos;
    f.texto2 = resumo.vencimentos;
    f.texto3 = resumo.valores;
    return f;
}

QString TextoPeriodoMensal(const QDateTime& vencimento)
{
    return "período: " + host::data::formatDateTime("mmmm", vencimento) + "/" +
           host::data::formatDateTime("yyyy", vencimento);
}

namespace {

// The instalment's refusal: the run stops and the instalment's savepoint
// undoes what it wrote.
void recusaParcelaFat(const QString& motivo)
{
    dmGlobal->MostraAviso("Aviso: operação abortada.\r" + motivo, true);
}

// The month's complement forecasts leave with their cash rows and notes; one
// gone or billed since the run read it would leave its value in the total
// (and a billed one is no longer the run's to delete).
void excluiDobradasFat(const ParcelaLocacao& principal, const std::vector<ParcelaLocacao>& dobradas)
{
    for (const ParcelaLocacao& v : dobradas)
        if (dmGlobal->ExcluirPrevisaoReceber(v.documento, v.cliente, v.sequencia, v.filial) == 0)
            recusaParcelaFat(QString("A parcela %1 do contrato %2 não existe mais como previsão (excluída ou faturada);"
                                     " nada foi faturado para o contrato %3.")
                                 .arg(v.documento)
                                 .arg(v.contrato)
                                 .arg(principal.contrato));
}

// The receivable billed with its total, short note and number. Only a
// forecast is billed: a row billed meanwhile (by another desk, or from a
// list read before) is not written again.
void gravaParcelaFaturadaFat(const ParcelaLocacao& principal,
                             const ResumoFaturamento& resumo, const QString& numero)
{
    host::db::Statement& st = dmGlobal->ComandoPreparado(
        "update ACRC5001 set VALOR_DOCUMENTO = :VALOR, SITUACAO_DOCUMENTO = '', OBS10 = :OBS,"
        " CRDATABOLETO = :HOJE, NUMERO_DOCUMENTO = :NUMERO where CODIGO_CLIENTE = :CLI"
        " and NUMERO_DOCUMENTO = :DOC and SEQUENCIA = :SEQ and CODIGO_FILIAL = :FIL"
        " and SITUACAO_DOCUMENTO = 'V'");
    ligaChaveParcelaFat(st, principal, principal.filial);
    st.setParam("VALOR", resumo.total);
    st.setParam("OBS", resumo.obs10());
    st.setParam("HOJE", hoje());
    st.setParam("NUMERO", numero);
    if (executaFat(st) == 0)
        recusaParcelaFat(QString("A parcela %1 do contrato %2 não é mais uma previsão; nada foi faturado para ela.")
                             .arg(principal.documento)
                             .arg(principal.contrato));
}

// The receivable's cash forecast and its notes (the collection's message)
// follow its new number.
void renumeraDependentesFat(const ParcelaLocacao& principal, const QString& numero)
{
    host::db::Statement& caixa =
        dmGlobal->ComandoPreparado("update ACXC94XP set XPDOCUMENTO = :NUMERO where XPID = 'R' and XPDOCUMENTO = :DOC"
                                   " and XPEMITENTE = :CLI and CRSEQUENCIA = :SEQ and XPLOCAL = :FIL");
    ligaChaveParcelaFat(caixa, principal, TdmGlobal::CodigoFilialCurto(principal.filial));
    caixa.setParam("NUMERO", numero);
    executaFat(caixa);
    host::db::Statement& notas =
        dmGlobal->ComandoPreparado("update AUGC70OB set OBCODIGO = :NOVA where OBID = 'R' and OBCODIGO = :ANTIGA");
    notas.setParam("NOVA", ChaveNotaParcela(numero, principal.cliente, principal.sequencia));
    notas.setParam("ANTIGA", ChaveNotaParcela(principal.documento, principal.cliente, principal.sequencia));
    executaFat(notas);
}

}  // namespace

QString FaturarParcela(const ParcelaLocacao& principal, const std::vector<ParcelaLocacao>& vinculadas,
                       bool comRecibo)
{
    if (principal.banco.trimmed().isEmpty())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rCódigo Banco não informado!", true);
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // One instalment stands alone: a failure undoes its own writes only.
    host::db::CommitHold espera(tr);
    host::db::Savepoint ponto(tr);
    QStringList passados;
    const QString numero = comRecibo ? inserirReciboMensal(principal, passados) : principal.documento;
    const std::vector<ParcelaLocacao> dobradas = ParcelasDoMes(principal, vinculadas);
    const ResumoFaturamento resumo = ResumoParcela(principal, dobradas);
    excluiDobradasFat(principal, dobradas);
    gravaParcelaFaturadaFat(principal, resumo, numero);
    if (numero != principal.documento)
        renumeraDependentesFat(principal, numero);
    dmGlobal->GravaObservacao(ChaveNotaParcela(numero, principal.cliente, principal.sequencia), "R", 4,
                              passados.isEmpty() ? resumo.nota()
                                                 : resumo.nota() + "\r" + linhaNumerosPassados(numero, passados));
    // The collection is part of the billing: without it nothing is billed.
    if (dmGlobal->AbrirFaturaBoletoDocumentoContratoLocEquip(ArgumentosFaturaBoleto(principal, numero, resumo)) == 0)
        recusaParcelaFat("A cobrança do documento " + numero + " do contrato " + QString::number(principal.contrato) +
                         " não foi gerada.");
    ponto.release();
    tr.commitRetaining();
    espera.release();
    return numero;
}

std::vector<double> ValoresItensContrato(int contrato)
{
    // The register's statement, run apart from its dataset and kept
    // prepared: a billing run reads one contract's values per receipt, and
    // the register (showing another contract, or editing one) is left as it
    // is. Only the value column is read, in the statement's own order.
    const host::data::Query& itens = *dmTecContrato->quCtrEquipLocacao;
    host::db::Transaction& tr = itens.transaction() ? *itens.transaction() : *dmGlobal->IBTransaction1;
    const std::shared_ptr<host::db::Statement> leitura = tr.prepared(itens.sql());
    leitura->setParam("ACCODIGO", contrato);
    leitura->execute();
    const int valor = leitura->columnIndex("ACITVALOR");
    std::vector<double> valores;
    while (leitura->fetch())
        valores.push_back(leitura->value(valor).toDouble());
    return valores;
}

void CarregaRecibo(const QString& documento, const QString& cliente, const QString& local)
{
    dmGlobal->CarregarDocumento(documento, cliente, kSerieRecibo, kOperacaoRecibo, local);
    dmGlobal->CarregaDocumentoItem(documento, cliente, kSerieRecibo, kOperacaoRecibo, local, false, {});
    if (!DmRelTec)
        DmRelTec.create(nullptr);
    DmRelTec->CarregaNotaReceber(cliente, documento);
    dmGlobal->CarregaCliente(cliente);
}

void ImprimeRecibo(const QString& documento, const QString& cliente, const QString& local)
{
    CarregaRecibo(documento, cliente, local);
    ExibirRelatorioFR(*DmRelTec->frxNotaLocacao);
}

}  // namespace uAssContLocFaturamento
