// TdmGlobal: receivable instalments (ACRC5001), their cash-forecast rows
// (ACXC94XP) and observations (AUGC70OB). The inserts are prepared once per
// connection: a contract's forecast writes a few rows per instalment and
// must not pay a prepare for each.

#include "host/Udmglobal.h"

#include "host/Udatamod.h"
#include "host/data/Format.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/schema/SchemaDefinition.h"

#include <ibase.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

using host::data::Dataset;
using host::data::Query;

namespace {

QVariant dataOuNulo(const QDateTime& data)
{
    return data.isValid() ? QVariant(data) : QVariant();
}

QVariant textoOuNulo(const QString& texto)
{
    return texto.isEmpty() ? QVariant() : QVariant(texto);
}

QVariant inteiroOuNulo(int valor)
{
    return valor == 0 ? QVariant() : QVariant(valor);
}

// The row's values bound where they are, for this execution only: none
// copied into the statement nor destroyed there (a forecast writes a
// receivable and its cash row for every instalment).
void executaComValores(host::db::Statement& st, const QVariantList& valores)
{
    std::vector<const QVariant*> ligados;
    ligados.reserve(size_t(valores.size()));
    for (const QVariant& valor : valores)
        ligados.push_back(&valor);
    st.execute(ligados);
}

// The receivable's columns, in the order of InseriParcelaReceber's arguments.
const QStringList& colunasReceber()
{
    static const QStringList colunas = {
        "CODIGO_CLIENTE", "NUMERO_DOCUMENTO", "SERIE_DOCUMENTO", "CODIGO_FILIAL", "TIPO_PAGAMENTO",
        "SITUACAO_DOCUMENTO", "PEDIDO", "CODIGO_VENDEDOR", "CODIGO_PORTADOR", "CRPEDIDOCLI",
        "NUMERO_DO_BANCO", "NOSSO_NUMERO", "SEQUENCIA", "VALOR_DOCUMENTO", "VALOR_DESCONTO",
        "VALOR_JUROS", "VALOR_MULTA", "VALOR_PAGO", "VALOR_ABATIMENTO", "VALOR_DESPESA",
        "PAG10", "DATA_EMISSAO", "DATA_VENCIMENTO", "DATA_LANCAMENTO", "VALOR_ORIGINAL",
        "OFCODIGO", "TVCODIGO", "OBS10", "AOCODIGO", "OBSERVACAO",
        "ORIGEM", "CRDOCUMENTOORIGINAL", "ACITCODIGO", "PCCODIGODEBITO", "PCCODIGOCREDITO",
        "CRTIPOVCTO", "CRHISTORICO", "CRPARCELA"};
    return colunas;
}

const QStringList& colunasCXPrevisao()
{
    static const QStringList colunas = {"XPDOCUMENTO", "XPEMITENTE", "XPLOCAL", "XPID", "XPCODIGO",
                                        "XCCODIGO", "XPHISTORICO", "CRSEQUENCIA", "XPVALOR", "XPREALIZADO",
                                        "XPOBSERVACAO", "ACCODIGO", "XPPARCELA"};
    return colunas;
}

QString insertSql(const QString& tabela, const QStringList& colunas, const QString& chave = {},
                  const QString& valorChave = {})
{
    QStringList nomes = colunas, valores;
    for (const QString& coluna : colunas)
        valores << ":" + coluna;
    if (!chave.isEmpty()) {
        nomes.prepend(chave);
        valores.prepend(valorChave);
    }
    return "insert into " + tabela + " (" + nomes.join(", ") + ") values (" + valores.join(", ") + ")";
}

const char* const kChaveReceber = " where NUMERO_DOCUMENTO = :DOC and CODIGO_CLIENTE = :CLI and SEQUENCIA = :SEQ"
                                  " and CODIGO_FILIAL = :FIL";
const char* const kChaveObservacao = " where OBCODIGO = :COD and OBID = :ID and OBSEQUENCIA = :SEQ";

QString chaveObservacaoReceber(const QString& documento, const QString& cliente, double sequencia)
{
    return documento.trimmed() + cliente.trimmed() + QString::number(qint64(sequencia));
}

// What goes with a receivable: left behind, its cash rows and observation
// would be counted again under the next receivable of the same key.
void excluirDependentesReceber(TdmGlobal& global, const QString& documento, const QString& cliente,
                               double sequencia, const QString& filial)
{
    host::db::Statement& caixa = global.ComandoPreparado(
        "delete from ACXC94XP where XPID = 'R' and XPDOCUMENTO = :DOC and XPEMITENTE = :CLI"
        " and CRSEQUENCIA = :SEQ and XPLOCAL = :FIL");
    caixa.setParam("DOC", documento.trimmed());
    caixa.setParam("CLI", cliente.trimmed());
    caixa.setParam("SEQ", sequencia);
    caixa.setParam("FIL", TdmGlobal::CodigoFilialCurto(filial));
    caixa.execute();
    host::db::Statement& observacao =
        global.ComandoPreparado("delete from AUGC70OB where OBCODIGO = :COD and OBID = 'R'");
    observacao.setParam("COD", chaveObservacaoReceber(documento, cliente, sequencia));
    observacao.execute();
}

// The receivable quCXPrev is open on: its value and what its rows distribute.
// The branch is part of its key (each branch numbers its own documents).
double valorReceber(host::db::Transaction& tr, const QString& documento, const QString& cliente, int sequencia,
                    const QString& filial)
{
    return host::db::selectValue(tr,
                                 "select VALOR_DOCUMENTO from ACRC5001 where NUMERO_DOCUMENTO = :DOC"
                                 " and CODIGO_CLIENTE = :CLI and SEQUENCIA = :SEQ and CODIGO_FILIAL = :FIL",
                                 {{"DOC", documento}, {"CLI", cliente}, {"SEQ", sequencia}, {"FIL", filial}})
        .toDouble();
}

}  // namespace

struct TdmGlobal::ReceberSql {
    explicit ReceberSql(host::db::Transaction& tr)
        : receber(tr, insertSql("ACRC5001", colunasReceber())),
          cxPrevisao(tr, insertSql("ACXC94XP", colunasCXPrevisao(), "XPCHAVE",
                                   QString("gen_id(%1, 1)").arg(host::schema::kGeneratorCashForecast))),
          observacao(tr, "update or insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO)"
                         " values (:COD, :ID, :SEQ, :TEXTO) matching (OBCODIGO, OBID, OBSEQUENCIA)"),
          acrescentaObservacao(tr, QString("update AUGC70OB set OBTEXTO = coalesce(OBTEXTO || ascii_char(13), '')"
                                           " || :TEXTO") + kChaveObservacao)
    {
    }
    host::db::Statement receber;
    // With the instalment's period: prepared when first asked for.
    std::unique_ptr<host::db::Statement> receberPeriodo;
    host::db::Statement cxPrevisao;
    host::db::Statement observacao;
    host::db::Statement acrescentaObservacao;
};

TdmGlobal::ReceberSql& TdmGlobal::receberSql()
{
    if (!receberSql_)
        receberSql_ = std::make_shared<ReceberSql>(*IBTransaction1);
    return *receberSql_;
}

// Kept apart from the receivable inserts: a routine that only reads (a
// contract loaded by a user without the right to draw cash-forecast keys)
// prepares nothing it does not run.
namespace {

host::db::Statement& prontoParaUso(host::db::Statement& st)
{
    if (st.cursorOpen())
        st.closeCursor();
    st.clearParams();
    return st;
}

}  // namespace

host::db::Statement& TdmGlobal::ComandoPreparado(const QString& sql)
{
    std::unique_ptr<host::db::Statement>& st = preparados_[sql];
    if (!st)
        st = std::make_unique<host::db::Statement>(*IBTransaction1, sql);
    return prontoParaUso(*st);
}

host::db::Statement& TdmGlobal::ComandoPreparado(const char* sql)
{
    host::db::Statement* st = host::db::keptByAddress<host::db::Statement*, 1024>(
        preparadosNoCodigo_, sql, [this](const char* texto) { return &ComandoPreparado(QString::fromUtf8(texto)); });
    return prontoParaUso(*st);
}

void TdmGlobal::criarDatasetsReceber()
{
    quCXPrev = adopt(std::make_unique<Query>(nullptr, "quCXPrev"));
    quCXPrev->setTransaction(IBTransaction1.get());
    quCXPrev->setSql("select * from ACXC94XP where 1=0");
    QStringList sets;
    for (const QString& coluna : colunasCXPrevisao())
        sets << coluna + " = :" + coluna;
    auto* usCXPrev = adopt(std::make_unique<host::data::UpdateSql>(nullptr, "usCXPrev"));
    usCXPrev->setInsertSql(insertSql("ACXC94XP", colunasCXPrevisao(), "XPCHAVE", ":XPCHAVE"));
    usCXPrev->setModifySql("update ACXC94XP set " + sets.join(", ") + " where XPCHAVE = :OLD_XPCHAVE");
    usCXPrev->setDeleteSql("delete from ACXC94XP where XPCHAVE = :OLD_XPCHAVE");
    usCXPrev->setRefreshSql("select * from ACXC94XP where XPCHAVE = :XPCHAVE");
    quCXPrev->setUpdateObject(usCXPrev);
    quCXPrev->onNewRecord = [this](Dataset& dataset) { quCXPrevNewRecord(dataset); };
    quCXPrev->beforeClose = [this](Dataset& dataset) { quCXPrevBeforeClose(dataset); };

    quObsGeral = adopt(std::make_unique<Query>(nullptr, "quObsGeral"));
    quObsGeral->setTransaction(IBTransaction1.get());
    quObsGeral->setSql("select * from AUGC70OB where OBCODIGO = :obCodigo and OBID = :obId"
                       " and OBSEQUENCIA = :obSequencia");
    auto* usObsGeral = adopt(std::make_unique<host::data::UpdateSql>(nullptr, "usObsGeral"));
    usObsGeral->setInsertSql("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO)"
                             " values (:OBCODIGO, :OBID, :OBSEQUENCIA, :OBTEXTO)");
    usObsGeral->setModifySql("update AUGC70OB set OBCODIGO = :OBCODIGO, OBID = :OBID, OBSEQUENCIA = :OBSEQUENCIA,"
                             " OBTEXTO = :OBTEXTO where OBCODIGO = :OLD_OBCODIGO and OBID = :OLD_OBID"
                             " and OBSEQUENCIA = :OLD_OBSEQUENCIA");
    usObsGeral->setDeleteSql("delete from AUGC70OB where OBCODIGO = :OLD_OBCODIGO and OBID = :OLD_OBID"
                             " and OBSEQUENCIA = :OLD_OBSEQUENCIA");
    quObsGeral->setUpdateObject(usObsGeral);

    quReceber->beforePost = [this](Dataset& dataset) { quReceberBeforePost(dataset); };
    quReceber->beforeDelete = [this](Dataset& dataset) { quReceberBeforeDelete(dataset); };
    // A typed instalment whose key another desk took meanwhile.
    quReceber->onPostError = [this](Dataset& dataset) {
        try {
            throw;
        } catch (const std::exception& erro) {
            if (ChaveReceberOcupada(erro))
                RecusaChaveReceberOcupada(dataset.fieldByName("NUMERO_DOCUMENTO")->asString(),
                                          dataset.fieldByName("CODIGO_CLIENTE")->asString(),
                                          dataset.fieldByName("SEQUENCIA")->asFloat());
        }
    };
}

void TdmGlobal::InseriParcelaReceber(
    const QString& cliente, const QString& documento, const QString& serie, const QString& filial,
    const QString& tipoPagamento, const QString& situacao, const QString& pedido, const QString& vendedor,
    const QString& portador, const QString& pedidoCliente, const QString& banco, const QString& nossoNumero,
    double sequencia, double valor, double desconto, double juros, double multa, double valorPago, double abatimento,
    double despesa, double pag10, const QDateTime& emissao, const QDateTime& vencimento,
    const QDateTime& lancamento, double valorOriginal, const QString& operacao, const QString& tabelaVencimento,
    const QString& obs10, int aoCodigo, const QString& observacao, const QString& origem,
    const QString& documentoOriginal, int acitCodigo, int contaDebito, int contaCredito,
    const QString& tipoVencimento, const QString& historico, int parcela, const PeriodoParcela* periodo)
{
    RecusaReceberNegativo(valor);
    QVariantList valores = {
        cliente.trimmed(), documento.trimmed(), textoOuNulo(serie), CodigoFilialCurto(filial),
        textoOuNulo(tipoPagamento), situacao, textoOuNulo(pedido), textoOuNulo(vendedor), textoOuNulo(portador),
        textoOuNulo(pedidoCliente), textoOuNulo(banco), textoOuNulo(nossoNumero), sequencia, valor, desconto, juros,
        multa, valorPago, abatimento, despesa, pag10, dataOuNulo(emissao), dataOuNulo(vencimento),
        dataOuNulo(lancamento), valorOriginal, textoOuNulo(operacao), textoOuNulo(tabelaVencimento),
        textoOuNulo(obs10), inteiroOuNulo(aoCodigo), textoOuNulo(observacao), textoOuNulo(origem),
        textoOuNulo(documentoOriginal), inteiroOuNulo(acitCodigo), inteiroOuNulo(contaDebito),
        inteiroOuNulo(contaCredito), textoOuNulo(tipoVencimento), textoOuNulo(historico), parcela};
    if (periodo)
        valores << dataOuNulo(periodo->previsaoBoleto) << dataOuNulo(periodo->inicio) << dataOuNulo(periodo->fim);
    host::db::Statement& st = periodo ? receberComPeriodo() : receberSql().receber;
    try {
        executaComValores(st, valores);
    } catch (const std::exception& erro) {
        if (ChaveReceberOcupada(erro))
            RecusaChaveReceberOcupada(documento, cliente, sequencia);
        throw;
    }
}

// A receivable below zero is a credit nobody agreed to: a document whose
// discount outgrew it is mended, never billed.
void TdmGlobal::RecusaReceberNegativo(double valor)
{
    if (std::llround(valor * 100) < 0)
        MostraErro("Valor Inválido: o documento totaliza " + host::data::formatFloat("###,###,##0.00", valor) +
                   ", abaixo de zero; nenhum receber foi gerado.");
}

host::db::Statement& TdmGlobal::receberComPeriodo()
{
    ReceberSql& sql = receberSql();
    if (!sql.receberPeriodo)
        sql.receberPeriodo = std::make_unique<host::db::Statement>(
            *IBTransaction1,
            insertSql("ACRC5001", colunasReceber() + QStringList{"CRPREVBOLETO", "CREMISSAOINI", "CREMISSAOFIN"}));
    return *sql.receberPeriodo;
}

bool TdmGlobal::ChaveReceberOcupada(const std::exception& erro)
{
    const auto* banco = dynamic_cast<const host::db::DbError*>(&erro);
    return banco && (banco->gdsCode() == isc_no_dup || banco->gdsCode() == isc_unique_key_violation);
}

void TdmGlobal::RecusaChaveReceberOcupada(const QString& documento, const QString& cliente, double sequencia)
{
    MostraAviso(QString("Aviso: operação abortada.\rO cliente %1 já tem o título %2, sequência %3.\r"
                        "Informe outro número de documento ou tente novamente.")
                    .arg(cliente.trimmed(), documento.trimmed())
                    .arg(qint64(sequencia)),
                true);
}

bool TdmGlobal::ClienteTemNumeroReceber(const QString& cliente, const QString& numero)
{
    return host::db::selectValue(*IBTransaction1,
                                 "select count(*) from ACRC5001 where CODIGO_CLIENTE = :CLI and NUMERO_DOCUMENTO = :DOC",
                                 {{"CLI", cliente.trimmed()}, {"DOC", numero}})
               .toInt() > 0;
}

QString TdmGlobal::ProximoNumeroReceber(int quantidade)
{
    const qint64 n = std::max(quantidade, 1);
    // The largest number stored is one row of the receivables' numeric index
    // (numbers holding letters are not in it), so the draw costs the same
    // whatever the receivables hold.
    static const QString ordem = host::numericTextOrder("NUMERO_DOCUMENTO");
    // Kept prepared whatever the quantity: a run draws once, a bill per bill.
    static const QString sql = QString("select gen_id(%1, cast(:N as integer)), (select first 1 trim(NUMERO_DOCUMENTO)"
                                       " from ACRC5001 where %2 is not null order by %2 desc) from rdb$database")
                                   .arg(QLatin1String(host::schema::kGeneratorReceivableNumber), ordem);
    const std::shared_ptr<host::db::Statement> st = IBTransaction1->prepared(sql);
    st->setParam("N", n);
    st->execute();
    st->fetch();
    qint64 ultimo = st->value(0).toLongLong();
    const qint64 maior = st->value(1).toString().toLongLong();
    st->closeCursor();
    // Numbers written by other means (a forecast's date, a contract's code,
    // an import) are passed by stepping the generator over them: by the gap,
    // and at least by the block, so two desks catching up at once stay apart.
    if (ultimo - n + 1 <= maior)
        ultimo = host::db::selectValue(*IBTransaction1, QString("select gen_id(%1, %2) from rdb$database")
                                                            .arg(QLatin1String(host::schema::kGeneratorReceivableNumber))
                                                            .arg(std::max(n, maior - ultimo + n)))
                     .toLongLong();
    return QString::number(ultimo - n + 1).rightJustified(6, '0');
}

QString TdmGlobal::MaiorNumeroReceberCliente(const QString& cliente)
{
    static const QString ordem = host::numericTextOrder("NUMERO_DOCUMENTO", "CODIGO_CLIENTE");
    // The customer's numbers are one range of the index: the first row of
    // it, walked downwards, is the largest.
    static const QString sql = QString("select first 1 trim(NUMERO_DOCUMENTO) from ACRC5001 where %1 > :DE and %1 < :ATE"
                                       " order by %1 desc")
                                   .arg(ordem);
    const QString prefixo = cliente.trimmed() + host::kNumericTextOrderSeparator;
    return host::db::selectValue(*IBTransaction1, sql, {{"DE", prefixo}, {"ATE", prefixo + QChar(':')}})
        .toString()
        .trimmed();
}

void TdmGlobal::InserirCXPrevisao(const QString& documento, const QString& emitente, const QString& local,
                                  const QString& tipo, const QString& codigo, const QString& conta,
                                  const QString& historico, int sequencia, double valor, bool bRealizado,
                                  const QString& observacao, int contrato, int parcela)
{
    const QVariantList valores = {textoOuNulo(documento.trimmed()),
                                  textoOuNulo(emitente.trimmed()),
                                  CodigoFilialCurto(local),
                                  tipo,
                                  codigo.isEmpty() ? QString("00") : codigo,
                                  conta.trimmed(),
                                  textoOuNulo(historico),
                                  sequencia,
                                  valor,
                                  bRealizado ? "S" : "N",
                                  textoOuNulo(observacao),
                                  inteiroOuNulo(contrato),
                                  parcela};
    executaComValores(receberSql().cxPrevisao, valores);
}

void TdmGlobal::CarregaCXPrevisao(const QString& documento, const QString& emitente, int sequencia,
                                  const QString& local)
{
    quCXPrev->close();
    cxPrev_ = {"R", documento.trimmed(), emitente.trimmed(), CodigoFilialCurto(local), sequencia, 0};
    quCXPrev->setSql("select * from ACXC94XP where XPID = 'R' and XPDOCUMENTO = :DOC and XPEMITENTE = :CLI"
                     " and CRSEQUENCIA = :SEQ and XPLOCAL = :LOCAL order by XPCHAVE");
    quCXPrev->paramByName("DOC")->setAsString(cxPrev_.documento);
    quCXPrev->paramByName("CLI")->setAsString(cxPrev_.emitente);
    quCXPrev->paramByName("SEQ")->setAsInteger(sequencia);
    quCXPrev->paramByName("LOCAL")->setAsString(cxPrev_.local);
    quCXPrev->open();
}

void TdmGlobal::CarregaCXPrevisaoContrato(int contrato, const QString& local)
{
    quCXPrev->close();
    cxPrev_ = {"C", {}, {}, CodigoFilialCurto(local), 0, contrato};
    quCXPrev->setSql("select * from ACXC94XP where XPID = 'C' and ACCODIGO = :CONTRATO and XPLOCAL = :LOCAL"
                     " order by XPCHAVE");
    quCXPrev->paramByName("CONTRATO")->setAsInteger(contrato);
    quCXPrev->paramByName("LOCAL")->setAsString(cxPrev_.local);
    quCXPrev->open();
}

int TdmGlobal::ExcluirParcelaReceber(const QString& documento, const QString& cliente, double sequencia,
                                     const QString& filial)
{
    excluirDependentesReceber(*this, documento, cliente, sequencia, filial);
    return excluirReceberPorChave(documento, cliente, sequencia, filial, {});
}

int TdmGlobal::ExcluirPrevisaoReceber(const QString& documento, const QString& cliente, double sequencia,
                                      const QString& filial)
{
    // The row goes first: a row billed meanwhile keeps its cash rows and note.
    const int excluidas =
        excluirReceberPorChave(documento, cliente, sequencia, filial, " and SITUACAO_DOCUMENTO = 'V'");
    if (excluidas > 0)
        excluirDependentesReceber(*this, documento, cliente, sequencia, filial);
    return excluidas;
}

int TdmGlobal::excluirReceberPorChave(const QString& documento, const QString& cliente, double sequencia,
                                      const QString& filial, const QString& condicao)
{
    host::db::Statement& st = ComandoPreparado(QString("delete from ACRC5001") + kChaveReceber + condicao);
    st.setParam("DOC", documento.trimmed());
    st.setParam("CLI", cliente.trimmed());
    st.setParam("SEQ", sequencia);
    st.setParam("FIL", CodigoFilialCurto(filial));
    return st.execute();
}

int TdmGlobal::ExcluirParcelasReceber(const QString& condicao)
{
    const QString doRecebivel = "select 1 from ACRC5001 cr where (" + condicao + ")";
    host::db::executeSql(*IBTransaction1,
                         "delete from ACXC94XP x where x.XPID = 'R' and exists (" + doRecebivel +
                             " and cr.NUMERO_DOCUMENTO = x.XPDOCUMENTO and cr.CODIGO_CLIENTE = x.XPEMITENTE"
                             " and cr.SEQUENCIA = x.CRSEQUENCIA and cr.CODIGO_FILIAL = x.XPLOCAL)");
    host::db::executeSql(*IBTransaction1,
                         "delete from AUGC70OB o where o.OBID = 'R' and exists (" + doRecebivel +
                             " and trim(cr.NUMERO_DOCUMENTO) || trim(cr.CODIGO_CLIENTE) ||"
                             " cast(cast(cr.SEQUENCIA as integer) as varchar(12)) = o.OBCODIGO)");
    return host::db::executeSql(*IBTransaction1, "delete from ACRC5001 where " + condicao);
}

void TdmGlobal::GravaObservacao(const QString& codigo, const QString& id, int sequencia, const QString& texto,
                                bool bAcrescentar)
{
    // A billing run writes a note per instalment: the values are set one by
    // one, with no map of their names to build.
    auto executa = [&](host::db::Statement& st) {
        st.setParam("COD", codigo);
        st.setParam("ID", id);
        st.setParam("SEQ", sequencia);
        st.setParam("TEXTO", texto);
        return st.execute();
    };
    // Appended to the stored text when there is a row; otherwise a new row.
    if (bAcrescentar && executa(receberSql().acrescentaObservacao) > 0)
        return;
    executa(receberSql().observacao);
}

void TdmGlobal::CarregaObservacao(const QString& codigo, const QString& id, int sequencia)
{
    quObsGeral->close();
    quObsGeral->paramByName("obCodigo")->setAsString(codigo);
    quObsGeral->paramByName("obId")->setAsString(id);
    quObsGeral->paramByName("obSequencia")->setAsInteger(sequencia);
    quObsGeral->open();
}

// ---- the host's own handlers ----

void TdmGlobal::quReceberBeforePost(Dataset& dataset)
{
    if (dataset.fieldByName("NUMERO_DOCUMENTO")->asString().trimmed().isEmpty())
        MostraAviso("Aviso: operação abortada.\rInforme o número do documento.", true);
    if (dataset.fieldByName("DATA_VENCIMENTO")->isNull())
        MostraAviso("Aviso: operação abortada.\rInforme a data de vencimento.", true);
}

void TdmGlobal::quReceberBeforeDelete(Dataset& dataset)
{
    excluirDependentesReceber(*this, dataset.fieldByName("NUMERO_DOCUMENTO")->asString(),
                              dataset.fieldByName("CODIGO_CLIENTE")->asString(),
                              dataset.fieldByName("SEQUENCIA")->asFloat(),
                              dataset.fieldByName("CODIGO_FILIAL")->asString());
}

// A new row belongs to what the dataset was opened on; its value proposes
// what is not yet distributed.
void TdmGlobal::quCXPrevNewRecord(Dataset& dataset)
{
    ZerarNumericField(dataset);
    dataset.fieldByName("XPCHAVE")->setAsInteger(
        int(host::db::generatorValue(*IBTransaction1, host::schema::kGeneratorCashForecast)));
    dataset.fieldByName("XPID")->setAsString(cxPrev_.tipo.isEmpty() ? QString("R") : cxPrev_.tipo);
    dataset.fieldByName("XPLOCAL")->setAsString(cxPrev_.local);
    dataset.fieldByName("XPCODIGO")->setAsString("00");
    dataset.fieldByName("XPREALIZADO")->setAsString("N");
    dataset.fieldByName("XPPARCELA")->setAsInteger(-1);
    if (cxPrev_.tipo == "C") {
        dataset.fieldByName("ACCODIGO")->setAsInteger(cxPrev_.contrato);
        return;
    }
    dataset.fieldByName("XPDOCUMENTO")->setAsString(cxPrev_.documento);
    dataset.fieldByName("XPEMITENTE")->setAsString(cxPrev_.emitente);
    dataset.fieldByName("CRSEQUENCIA")->setAsInteger(cxPrev_.sequencia);
    const double valor = valorReceber(*IBTransaction1, cxPrev_.documento, cxPrev_.emitente, cxPrev_.sequencia, cxPrev_.local);
    const double distribuido =
        host::db::selectValue(*IBTransaction1,
                              "select sum(XPVALOR) from ACXC94XP where XPID = 'R' and XPDOCUMENTO = :DOC"
                              " and XPEMITENTE = :CLI and CRSEQUENCIA = :SEQ and XPLOCAL = :LOCAL",
                              {{"DOC", cxPrev_.documento},
                               {"CLI", cxPrev_.emitente},
                               {"SEQ", cxPrev_.sequencia},
                               {"LOCAL", cxPrev_.local}})
            .toDouble();
    dataset.fieldByName("XPVALOR")->setAsFloat(Trunc2Casas(valor - distribuido));
}

// A receivable's forecast that no longer adds up to its value is told
// before the rows are left.
void TdmGlobal::quCXPrevBeforeClose(Dataset& dataset)
{
    if (dataset.editing())
        dataset.post();
    if (cxPrev_.tipo != "R" || dataset.isEmpty())
        return;
    double soma = 0;
    for (dataset.first(); !dataset.eof(); dataset.next())
        soma += dataset.fieldByName("XPVALOR")->asFloat();
    const double valor = valorReceber(*IBTransaction1, cxPrev_.documento, cxPrev_.emitente, cxPrev_.sequencia, cxPrev_.local);
    if (Trunc2Casas(soma) != Trunc2Casas(valor))
        MostraAviso(QString("A previsão de caixa (%1) difere do valor do documento (%2).")
                        .arg(QString::number(Trunc2Casas(soma), 'f', 2), QString::number(Trunc2Casas(valor), 'f', 2)));
}
