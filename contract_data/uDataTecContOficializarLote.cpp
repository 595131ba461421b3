// Officialising forecast instalments in batch: the orders of every
// instalment, then their invoices in one pass of the host's invoice form,
// then the receivables; a failed instalment is reported and the run goes on.

#include "contract_data/uDataTecContOficializar.h"
#include "contract_data/uDataTecContOficializarComum.h"

#include "contract_data/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/Uglobal.h"
#include "host/Unotafiscal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"

#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

using namespace uDataTecContOficializar;

namespace {

// Texts of every row's log line and progress step, built once rather than
// converted from UTF-8 for each of a thousand rows.
const QString kOrigemLote = QStringLiteral("[TfmAssContFat.OficializarParcelaPesquisaLote]");
const char* const kRotina = "TfmAssContFat.OficializarParcelaPesquisaLote";

const char* const kColunasPedido[] = {
    "Ped.numero_pedido", "Cli.nome", "Cli.CLINSCRICAOGP", "Cli.CLIE", "Cli.estado as UFCliente", "Ped.bcCodigo",
    "Ped.Numero_o_Com", "Ped.valor_total", "Ped.valor_ipi", "Ped.ENTREGUE", "Ped.VELOCAL", "Ped.desconto_geral",
    "Ped.data_emissao", "Ped.DATA_ENTREGA", "Ped.operador", "Ped.veReferenciaDocumento", "Ped.veReferenciaSerie",
    "Ped.codigo_cliente", "Ope.DESC_OP_NF", "Ped.Impresso_NF", "Ped.operacao", "Ped.tabela_vencimento",
    "Ped.codigo_vendedor", "Ped.codig_transportadora", "Ped.frete", "Ped.aux1", "Ped.veCredito",
    "Ped.veObservacaoPagamento", "Ped.veObservacaoOC", "Ped.FOVENDEDORAUX", "Ped.VECOMPRADOR", "Ped.anCodigo",
    "Ped.Vendedor_Empresa", "Tab.descricao as condicaopagamento", "Tab.tp_faturamento", "Transp.fplaca as Placa",
    "Transp.fNome as Transportadora", "Ope.cod_mensagem as CodigoMsg", "Ope.BASE_CALC_IPI",
    "Ope.ASSUME_ICMS_SN as AssumeICMS", "Ope.OFCUPOMFISCAL", "Ope.Perc_calc", "Ope.ICMS as ICMSOperacao",
    "Ope.OFCALCIssqn", "Ope.OFIssqn", "Ped.aoCodigo", "Ped.veRecibo", "Ped.acCodigo", "Ped.VEVALORDESPESA",
    "Ped.VEVOLUMENUMERO", "Ped.VEFRETEESTIMADO", "Ped.FOCODIGOREDESPACHO", "Ped.VEREDESPACHOTIPO",
    "Ped.CODIGO_ENTREGA", "Ped.COD_REPRES", "Ped.VEOBSERVACAOPAGAMENTO", "Ped.ANCODIGOENTREGA", "Ped.VEPESOLIQUIDO",
    "Ped.VEPESOBRUTO", "Ped.VEVALORTOTALDESCONTO", "Ped.VEVALORTOTALBRUTOITEM", "Ope.TIPO_OP", "Ped.vecomissaoven",
    "Ped.vecomissaorep", "tab.pvcomissao", "Ped.ORCTCODIGO", "Ped.VECIDADEPRESTSERV", "Ped.veconsumidorfinal",
    "Ped.VEINDPRES", "Ped.VEFRETEREDESPACHO", "Ped.VESERIENF", "Ped.VESEQCONTCARGA"};

const QString kIncrementar = QStringLiteral("Incrementar");

// "Preparando 3º de 1000 contrato(s)": a row's step of a pass.
QString TextoPasso(const QString& passo, int linha, int total)
{
    return passo + QString::number(linha) + QStringLiteral("º de ") + QString::number(total) +
           QStringLiteral(" contrato(s)");
}

constexpr qsizetype kPedidosPorLista = 100;

// The orders of one slice, as parameters :PEDIDO1 .. :PEDIDO100 (those left
// over are null and match nothing): every slice of every run is one text,
// prepared once.
QString SqlPedidosLote()
{
    QString pedidos;
    for (qsizetype i = 1; i <= kPedidosPorLista; ++i)
        pedidos += (i > 1 ? QString(" , ") : QString()) + ":PEDIDO" + QString::number(i);
    QString sql = "select ";
    bool primeira = true;
    for (const char* coluna : kColunasPedido) {
        sql += (primeira ? QString() : QString(",\r       ")) + coluna;
        primeira = false;
    }
    sql += "\rFrom  avec8501 Ped \r left outer join augc0301 Cli on (Ped.codigo_cliente = Cli.codigo_cliente) \r"
           " left outer join afvc0901 Ope on (Ped.operacao = Ope.cod_op) \r left outer join afvt0101 Tab on"
           " (Ped.tabela_vencimento = Tab.codigo) \r left outer join augc0501 Transp on"
           " (Ped.codig_transportadora=Transp.fcod) \r";
    // An order whose AUX2 was never set is open (a bare "<>" would leave it out).
    sql += " Where coalesce(ped.AUX2, '') <> " + QuotedStr("4") + " and coalesce(ped.AUX2, '') <> " + QuotedStr("1") +
           " and ped.impresso_nf like " + QuotedStr("N") + "\r";
    sql += " and numero_pedido in (" + pedidos + ") Order by ped.numero_pedido ";
    return sql;
}

// In place: a batch's lists grow by a thousand numbers.
void junta(QString& lista, const QString& item)
{
    if (!lista.isEmpty())
        lista += " , ";
    lista += item;
}

struct Listas {
    QString sTodosPV;    // orders to invoice
    QString soPedidos;   // order-only instalments
    QString notas;       // invoices issued
    QStringList pedidosNota;   // the orders to invoice, one by one
    // The selection's rows as the order pass read them, for the receivable
    // pass (none where reading the row failed).
    std::vector<std::optional<Instalment>> parcelas;
    // The rows the order pass found officialised since they were listed:
    // the receivable pass leaves them alone.
    std::vector<bool> jaOficializadas;
};

// The order an earlier run made for the instalment, whose invoice did not
// come out: it goes into this run's lists instead of a new order (an order
// invoiced since needs nothing but the receivable pass).
void ReaproveitaPedido(const Instalment& p, const EstadoParcela& agora, Listas& listas)
{
    if (p.geraPV == "S") {
        junta(listas.soPedidos, QuotedStr(agora.pedido));
    } else if (agora.nota.isEmpty()) {
        junta(listas.sTodosPV, QuotedStr(agora.pedido));
        listas.pedidosNota << agora.pedido;
    }
}

// The order of one instalment and its number on the receivable: one unit,
// one commit (a receivable that cannot take the number leaves no order),
// the receivable held first and read after the hold. False when the
// instalment gets no new order (taken elsewhere, done, its earlier order
// listed again, or declined).
bool PedidoDaParcela(const Instalment& p, const OpcoesOficializacao& opcoes, bool porFaturamento, Listas& listas,
                     QStringList* aviso)
{
    host::db::CommitHold umCommit(*dmGlobal->IBTransaction1);
    host::db::Savepoint ponto(*dmGlobal->IBTransaction1);
    if (!TomaParcela(p)) {
        listas.jaOficializadas.back() = true;
        if (aviso)
            *aviso << AvisoEmOutraEstacao(p);
        return false;
    }
    const EstadoParcela agora = LerEstadoParcela(p, opcoes.bContasAbertas);
    if (!agora.aOficializar) {
        listas.jaOficializadas.back() = true;
        if (aviso)
            *aviso << AvisoJaOficializada(p);
        return false;
    }
    if (!agora.pedido.isEmpty()) {
        ReaproveitaPedido(p, agora, listas);
        return false;
    }
    if (!ConfirmaValorZerado(p))
        return false;
    const QDateTime referencia = porFaturamento ? opcoes.dataFaturamento : p.vencimentoReferencia();
    QString nada;
    const QString pedido = dmTecContrato->GeraNotaParcelaContratoApenasPV(
        p.cliente, p.contrato, p.valor, p.objeto, p.sequencia, p.vencimento, p.local, opcoes.bMesRefOriginal,
        referencia, nada);
    // An order made for it meanwhile (another desk) undoes this one.
    if (!GuardaPedido(p, pedido))
        dmGlobal->MostraAviso("A parcela " + p.documento + " já tem pedido; nada foi gerado.", true);
    ponto.release();
    dmGlobal->IBTransaction1->commitRetaining();
    umCommit.release();
    if (p.geraPV == "S") {
        junta(listas.soPedidos, QuotedStr(pedido));
    } else {
        junta(listas.sTodosPV, QuotedStr(pedido));
        listas.pedidosNota << pedido;
    }
    return true;
}

void PassoPedidos(host::data::Query& oDado, const OpcoesOficializacao& opcoes, int total, Listas& listas,
                  QStringList* aviso)
{
    TdmTecContrato& dm = *dmTecContrato;
    const bool porFaturamento = dmGlobal->ParametroInteiro("ATMODOCOMPOSICAO") == 2;
    // The billing objects and contracts the orders' texts read, once per pass.
    const TdmTecContrato::MemoriaTextos memoria(dm);
    // Each order is built inside the savepoint below.
    struct UnidadePropria {
        TdmTecContrato& dm;
        explicit UnidadePropria(TdmTecContrato& d) : dm(d) { dm.bPedidoEmUnidadeDoChamador = true; }
        ~UnidadePropria() { dm.bPedidoEmUnidadeDoChamador = false; }
    } unidade(dm);
    const CamposParcela campos(oDado);
    oDado.first();
    for (int linha = 1; !oDado.eof(); oDado.next(), ++linha) {
        dmGlobal->Log(kOrigemLote, QStringLiteral("oDado.recno:") + QString::number(linha));
        Instalment p;
        listas.parcelas.emplace_back();
        listas.jaOficializadas.push_back(false);
        try {
            p = campos.ler();
            listas.parcelas.back() = p;
            if (!PedidoDaParcela(p, opcoes, porFaturamento, listas, aviso))
                continue;
            dmGlobal->PreparaSplashForm(1, TextoPasso(QStringLiteral("Preparando "), linha, total), kIncrementar);
        } catch (...) {
            const std::exception_ptr falha = std::current_exception();
            TratarExcecaoBanco(kRotina, falha, {});
            dmGlobal->MostraAviso("Erro na geração do pedido do contrato " + QString::number(p.contrato) + "\r" +
                                      TratarExcecao(falha),
                                  false);
        }
    }
}

// What each invoice reads of the listed order, found once per slice.
struct CamposPedido {
    explicit CamposPedido(host::data::Query& pedidos)
        : numero(pedidos.fieldByName(QStringLiteral("NUMERO_PEDIDO"))),
          operacao(pedidos.fieldByName(QStringLiteral("OPERACAO"))), aux1(pedidos.fieldByName(QStringLiteral("AUX1")))
    {
    }
    host::data::Field* numero;
    host::data::Field* operacao;
    host::data::Field* aux1;
};

struct NotaLote {
    QString local;
    QString numero;
};

// The run's invoices as stretches of consecutive numbers of one branch:
// numbered one after another, they are one stretch unless another desk
// drew numbers meanwhile, so each invoice of the range is compared with a
// few stretches rather than with every order of the run.
QString CondicaoNotasDoLote(std::vector<NotaLote> notas)
{
    const auto valor = [](const NotaLote& n) { return n.numero.toLongLong(); };
    std::sort(notas.begin(), notas.end(), [&](const NotaLote& a, const NotaLote& b) {
        return a.local != b.local ? a.local < b.local : valor(a) < valor(b);
    });
    QStringList trechos;
    for (size_t i = 0; i < notas.size();) {
        size_t fim = i;
        while (fim + 1 < notas.size() && notas[fim + 1].local == notas[i].local &&
               notas[fim + 1].numero.size() == notas[fim].numero.size() &&
               valor(notas[fim + 1]) == valor(notas[fim]) + 1)
            ++fim;
        trechos << "(coalesce(mov.LOCAL_DOC, '') = " + QuotedStr(notas[i].local) + " and mov.DOCUMENTO between " +
                       QuotedStr(notas[i].numero) + " and " + QuotedStr(notas[fim].numero) + ")";
        i = fim + 1;
    }
    return trechos.isEmpty() ? QString() : "and(" + trechos.join(" or ") + ")";
}

// The invoice of the current order of the list; a failure is shown with
// abandon, which ends the pass.
void EmiteNotaLote(TfmNotaFiscal& nota, const CamposPedido& pedido, int linha, std::vector<NotaLote>& emitidas,
                   QString& primeira, QString& pedidoAtual, Listas& listas)
{
    dmGlobal->Log(kOrigemLote, QStringLiteral("quPedido.recno:") + QString::number(linha));
    pedidoAtual = pedido.numero->asString();
    try {
        nota.EmissaoNotaFiscalSaida(pedidoAtual, {}, pedido.operacao->asString(), {}, {}, false,
                                    pedido.aux1->asFloat(), true);
        // Each invoice is committed on its own: the series' counter changed
        // under several savepoints of one commit makes each release walk the
        // counter's old versions, which the long transaction never collects.
        dmGlobal->IBTransaction1->commitRetaining();
        emitidas.push_back({nota.localNota(), nota.numeroNota()});
        if (linha == 1)
            primeira = nota.numeroNota();
        dmGlobal->PreparaSplashForm(1, QStringLiteral("Nota fiscal gerada: ") + nota.numeroNota(), kIncrementar);
        junta(listas.notas, QuotedStr(nota.numeroNota()));
        TrimAppMemorySize();
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        TratarExcecaoBanco(kRotina, falha, {});
        dmGlobal->MostraAviso("Erro na geração da nota fiscal do pedido " + pedidoAtual + "\r" + TratarExcecao(falha),
                              true);
    }
}

void PassoNotas(const OpcoesOficializacao& opcoes, int total, Listas& listas)
{
    dmGlobal->Log(kOrigemLote, "trim(sTodosPV) <> EmptyStr");
    if (opcoes.minimizar)
        opcoes.minimizar();
    dmGlobal->PreparaSplashForm(total, "Faturando Contratos...", "Mostrar");
    delete fmNotaFiscal.get();
    TfmNotaFiscal* nota = fmNotaFiscal.create(nullptr);
    nota->showNonModal();
    host::data::Query& pedidos = *nota->quPedido;
    // The form's grid shows the orders once, after the pass.
    const host::data::ControlsDisabled semGrade(pedidos);
    // The orders are listed a slice at a time, in the order the list's
    // statement sorts them: the engine compares every order it reads with
    // the whole "in" list, so a thousand orders in one statement cost more
    // than the emissions themselves.
    QStringList ordenados = listas.pedidosNota;
    std::sort(ordenados.begin(), ordenados.end());
    std::vector<NotaLote> emitidas;
    QString primeira, pedidoAtual;
    try {
        int linha = 0;
        pedidos.close();
        pedidos.setSql(SqlPedidosLote());
        // The same text for every slice keeps its parameters: found once.
        std::vector<host::data::Param*> parametros;
        for (qsizetype i = 0; i < kPedidosPorLista; ++i)
            parametros.push_back(pedidos.paramByName("PEDIDO" + QString::number(i + 1)));
        for (qsizetype inicio = 0; inicio < ordenados.size(); inicio += kPedidosPorLista) {
            pedidos.close();
            for (qsizetype i = 0; i < kPedidosPorLista; ++i)
                inicio + i < ordenados.size() ? parametros[size_t(i)]->setAsString(ordenados[inicio + i])
                                              : parametros[size_t(i)]->clear();
            pedidos.open();
            const CamposPedido campos(pedidos);
            for (pedidos.first(); !pedidos.eof(); pedidos.next())
                EmiteNotaLote(*nota, campos, ++linha, emitidas, primeira, pedidoAtual, listas);
        }
        const QString ultima = nota->numeroNota();
        nota->NFSelecionaLote(primeira, ultima, CondicaoNotasDoLote(std::move(emitidas)), nota->serieNota());
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        TratarExcecaoBanco(kRotina, falha, {});
        dmGlobal->MostraAviso("Falha na geração da nota fiscal do pedido " + pedidoAtual + "\r" + TratarExcecao(falha),
                              false);
    }
    dmGlobal->PreparaSplashForm(0, "Aguarde", "Ocultar");
}

// The next forecasts of a principal contract's complementary contracts,
// in the same window as the principal's.
void PrevisaoComplementares(const Instalment& p, const JanelaPrevisao& janela, int& sequencia, QStringList* aviso)
{
    const QString opcao = parametroAparado("ATOPCAOCONTRATO");
    if (opcao != "F" && opcao != "V")
        return;
    if (VinculoContrato(p.contrato) != "P")
        return;
    host::data::Query& aux = *dmGlobal->quAuxiliar;
    AbreComplementaresDoPrincipal(aux, p.contrato);
    std::vector<Instalment> complementares;
    for (aux.first(); !aux.eof(); aux.next()) {
        Instalment c = p;
        c.contrato = aux.fieldByName("ACCODIGO")->asInteger();
        c.clienteContrato = aux.fieldByName("CLCODIGO")->asString().trimmed();
        c.periodo = aux.fieldByName("ACPERIODO")->asString().trimmed();
        c.diaVencimento = aux.fieldByName("ACVENCIMENTO")->asString().trimmed();
        c.valorParcela = aux.fieldByName("ACVALORPARCELA")->asFloat();
        c.local = aux.fieldByName("ACLOCAL")->asString().trimmed();
        c.tipoPagamento = aux.fieldByName("ACTIPOPAGAMENTO")->asString().trimmed();
        c.banco = aux.fieldByName("BCCODIGO")->asString().trimmed();
        c.modalidade = aux.fieldByName("ACMODALIDADE")->asString().trimmed();
        c.objeto = aux.fieldByName("AJCODIGO")->asInteger();
        c.operacao = aux.fieldByName("OFCODIGO")->asString().trimmed();
        complementares.push_back(c);
    }
    aux.close();
    for (const Instalment& c : complementares)
        GeraPrevisao(c, janela, sequencia, aviso);
}

// The receivable of one instalment made real and its next forecasts
// written, as one unit (committed with the pass): the receivable held first
// and read after the hold, so that one another desk has officialised or is
// officialising meanwhile is told and left alone. numero: the document.
void ReceberDaParcela(const Instalment& p, const OpcoesOficializacao& opcoes, const QString& tipoDocumento,
                      QStringList* aviso, QString& numero)
{
    TdmTecContrato& dm = *dmTecContrato;
    host::db::Savepoint ponto(*dmGlobal->IBTransaction1);
    if (!TomaParcela(p)) {
        if (aviso)
            *aviso << AvisoEmOutraEstacao(p);
        return;
    }
    QString serie = tipoDocumento.isEmpty() ? QString("01") : tipoDocumento;
    if (p.comprovante == "R")
        serie = "RC";
    // The order of the receivable, the invoice of that order and the
    // document's total (the order's, or the invoice's in its series), in
    // one read. (Joins, each through an index: a subselect compared with
    // the invoice's number would read every invoice of the series.)
    static const QString sqlLeitura = QStringLiteral(
        "select first 1 r.PEDIDO, n.DOCUMENTO, p.VALOR_TOTAL, t.TOTAL_DOC, r.SITUACAO_DOCUMENTO from acrc5001 r"
        " left join avec8501 p on (p.NUMERO_PEDIDO = r.PEDIDO)"
        " left join acem1401 n on (n.COD_PEDIDO = r.PEDIDO)"
        " left join acem1401 t on (t.SERIE_DOC = :SERIE and t.LOCAL_DOC = :FILIAL and"
        " t.DOCUMENTO = n.DOCUMENTO) where r.codigo_cliente = :CLIENTE and r.numero_documento ="
        " :DOCUMENTO and r.sequencia = :SEQUENCIA and r.codigo_filial = :FILIAL");
    const std::shared_ptr<host::db::Statement> leitura = dmGlobal->IBTransaction1->prepared(sqlLeitura);
    p.ligaChave(*leitura);
    leitura->setParam("SERIE", serie);
    leitura->execute();
    QString pedido, nota, situacao;
    double totalPedido = 0, totalNota = 0;
    const bool existe = leitura->fetch();
    if (existe) {
        pedido = leitura->value(0).toString().trimmed();
        nota = leitura->value(1).toString().trimmed();
        totalPedido = leitura->value(2).toDouble();
        totalNota = leitura->value(3).toDouble();
        situacao = leitura->value(4).toString().trimmed();
        leitura->closeCursor();
    }
    // Renumbered, or made real under its number: another desk was first.
    if (!existe || (!opcoes.bContasAbertas && situacao != "V" && situacao != "*")) {
        if (aviso)
            *aviso << AvisoJaOficializada(p);
        return;
    }
    numero = pedido;
    if (p.geraPV != "S" && !pedido.isEmpty())
        numero = nota;
    if (numero.isEmpty())
        return;
    const double valor = Arredonda2Monetario(
        ValorOperacao(p, p.geraPV == "S" ? totalPedido : totalNota, numero, serie, p.filialReceber));
    OficializaReceberLote(p, valor, p.geraPV != "S" ? FormataDocumento(numero) : QString());
    dm.DeletarPrevisaoContratoComplementar(p.contrato, p.documento, p.emissao, p.vencimento,
                                           p.geraPV != "S" ? FormataDocumento(numero) : p.documento, false);
    const JanelaPrevisao janela = JanelaProximaPrevisao(p, opcoes);
    if (janela.gerar) {
        int sequencia = SequenciaCliente(p.clienteContrato);
        GeraPrevisao(p, janela, sequencia, aviso);
        PrevisaoComplementares(p, janela, sequencia, aviso);
    }
    ponto.release();
}

void PassoReceber(host::data::Query& oDado, const OpcoesOficializacao& opcoes, int total, const Listas& listas,
                  QStringList* aviso)
{
    const QString tipoDocumento = parametroAparado("ATTIPODOCUMENTOCONTRATO");
    dmGlobal->PreparaSplashForm(total, "Faturando Contratos...", "Mostrar");
    const CamposParcela campos(oDado);
    oDado.first();
    for (int linha = 1; !oDado.eof(); oDado.next(), ++linha) {
        dmGlobal->Log(kOrigemLote, QStringLiteral("oDado.recno:") + QString::number(linha));
        QString numero;
        if (size_t(linha) <= listas.jaOficializadas.size() && listas.jaOficializadas[size_t(linha - 1)])
            continue;
        try {
            const std::optional<Instalment>& lida =
                size_t(linha) <= listas.parcelas.size() ? listas.parcelas[size_t(linha - 1)] : std::nullopt;
            const Instalment p = lida ? *lida : campos.ler();
            ReceberDaParcela(p, opcoes, tipoDocumento, aviso, numero);
            dmGlobal->PreparaSplashForm(1, TextoPasso(QStringLiteral("Finalizando "), linha, total), kIncrementar);
        } catch (...) {
            const std::exception_ptr falha = std::current_exception();
            TratarExcecaoBanco(kRotina, falha, {});
            dmGlobal->MostraAviso("Falha na geração do contas a receber da nota " + numero + "\r" +
                                      TratarExcecao(falha),
                                  false);
        }
    }
    // Each receivable's savepoint kept it whole; the pass is committed once.
    dmGlobal->IBTransaction1->commitRetaining();
}

}  // namespace

void OficializarParcelaPesquisaLote(host::data::Query& oDado, const OpcoesOficializacao& opcoes,
                                    QStringList* aviso)
{
    dmGlobal->Log(kOrigemLote, "***INICIO");
    dmGlobal->Log(kOrigemLote, "oDado:" + oDado.name());
    ExecucaoLonga execucao(oDado);
    const int total = oDado.recordCount();
    dmGlobal->PreparaSplashForm(total, "Faturando Contratos...", "Mostrar");
    Listas listas;
    try {
        PassoPedidos(oDado, opcoes, total, listas, aviso);
        dmGlobal->PreparaSplashForm(0, "Aguarde", "Ocultar");
        if (!listas.sTodosPV.trimmed().isEmpty())
            PassoNotas(opcoes, total, listas);
        PassoReceber(oDado, opcoes, total, listas, aviso);
        if (listas.sTodosPV.trimmed().isEmpty())
            dmGlobal->MostraAviso("Foram gerados pedidos sem emissão de NF!\r" + listas.soPedidos, false);
        else
            dmGlobal->MostraAviso("Operação efetuada com sucesso!\rNotas geradas:\r" + listas.notas + "\r" +
                                      "Pedidos sem NF: " + listas.soPedidos,
                                  false);
    } catch (...) {
        if (fmNotaFiscal)
            fmNotaFiscal->quPedido->close();
        execucao.encerra(false);
        dmGlobal->Log(kOrigemLote, "***FIM");
        throw;
    }
    if (fmNotaFiscal)
        fmNotaFiscal->quPedido->close();
    execucao.encerra(false);
    dmGlobal->Log(kOrigemLote, "***FIM");
}
