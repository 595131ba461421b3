// The sales order of one contract instalment and its invoice: the order's
// header (new, or copied from the contract's model order), its lines by the
// contract's separation letter, the excess and franchise lines of metered
// contracts, the lines of complementary contracts, the stamping of the order
// and the emission through the host's invoice form.

#include "contract_data/uDataTecContNota.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Unotafiscal.h"
#include "host/Upesqgeral.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/db/Database.h"
#include "host/ui/Errors.h"

#include <memory>
#include <optional>

namespace uDataTecContNota {

namespace {

QString numero(double valor)
{
    return QString::number(valor, 'g', 15);
}

}  // namespace

GeradorPedido::GeradorPedido(TdmTecContrato& dm, const Parcela& parcela, bool bApenasPedido)
    : dm_(dm), parcela_(parcela), apenasPedido_(bApenasPedido), contrato_(QString::number(parcela.contrato))
{
    modo_ = parametroAparado("ATOPCAOCONTRATO");
    produtoContrato_ = parametroAparado("ATPRODUTOCONTRATO");
    const QDate limite(2000, 1, 1);
    dataTexto_ = parcela.bUsaDataFaturamento && parcela.dataFaturamento.isValid() &&
                         parcela.dataFaturamento.date() > limite
                     ? parcela.dataFaturamento
                     : parcela.vencimento;
    // Meters are read in the billing month; an instalment without a billing
    // date would read the month of a null date and bill no excess at all.
    dataMedicao_ = parcela.dataFaturamento.isValid() ? parcela.dataFaturamento : parcela.vencimento;
    if (!parcela.dataFaturamento.isValid())
        dmGlobal->Log(QStringLiteral("[GeraNotaParcelaContrato]"),
                      QStringLiteral("Parcela sem data de faturamento: medição pelo vencimento ") +
                          (parcela.vencimento.isValid() ? host::data::dayMonthYear(parcela.vencimento.date(), u"/", 4)
                                                        : QString()));
}

// The contract (with the columns its texts read) and its billing object's
// operation in one statement.
void GeradorPedido::CarregaContrato()
{
    // Built once: the kept statement is found by its text.
    static const QString sql = QStringLiteral(
        "select coalesce(Cont.ACGERAPV, ''), coalesce(Cont.VECODIGOPADRAO, ''), coalesce(Cont.TVCODIGO, ''),"
        " coalesce(Cont.ACSEPARASERVICO, ''), coalesce(Cont.ACTIPOFRANQUIA, ''),"
        " coalesce(Cont.ACQUANTIDADEFRANQUIA, 0), coalesce(Cont.ACQUANTEXCFRANQUIA, 0),"
        " coalesce(Cont.AJCODIGOAUXILIAR, 0), coalesce(Cont.ACCOMPROVANTE, ''),"
        " (select count(*) from AVEC8501 Ped where Ped.NUMERO_PEDIDO = Cont.VECODIGOPADRAO),"
        " (select Obj.OFCODIGO from AATC11AJ Obj where Obj.AJCODIGO = :OBJETO),"
        " Cont.ACOBJETO, Cont.ACPERIODO, Cont.ACMODALIDADE, Cont.ACDATAIMPLANTACAO, Cont.ACDATAVALIDADE,"
        " Cont.ACNUMEROCONTRATO, coalesce(Cont.ACVALORPARCELA, 0)"
        " from AATC05AC Cont where Cont.ACCODIGO = :CONTRATO");
    const std::shared_ptr<host::db::Statement> st = dmGlobal->IBTransaction1->prepared(sql);
    st->setParam("CONTRATO", parcela_.contrato);
    st->setParam("OBJETO", parcela_.objeto);
    st->execute();
    if (st->fetch()) {
        geraPV_ = st->value(0).toString().trimmed();
        modelo_ = st->value(1).toString().trimmed();
        tabela_ = st->value(2).toString().trimmed();
        separacao_ = st->value(3).toString().trimmed();
        tipoFranquia_ = st->value(4).toString().trimmed();
        franquia_ = st->value(5).toDouble();
        precoExcedenteFranquia_ = st->value(6).toDouble();
        objetoAuxiliar_ = st->value(7).toInt();
        comprovante_ = st->value(8).toString().trimmed();
        if (st->value(9).toInt() == 0) modelo_.clear(); // a model order that no longer exists counts as none
        operacao_ = st->value(10).toString().trimmed();
        valorParcelaContrato_ = st->value(17).toDouble();
        // The texts of this order's lines read the same row.
        dm_.LembraContratoTexto(parcela_.contrato,
                                {st->value(11).toString(), st->value(12).toString(), st->value(13).toString(),
                                 st->value(14), st->value(15), st->value(16).toString()});
        st->closeCursor();
    }
}

const Objeto& GeradorPedido::objeto(int codigo)
{
    auto it = objetos_.find(codigo);
    if (it != objetos_.end())
        return it->second;
    // The same row the object's texts read (once per order, or per batch).
    const TdmTecContrato::ObjetoFaturamento lido = dm_.DadosObjetoFaturamento(codigo);
    Objeto dados;
    dados.percentual = lido.percentual;
    dados.operacao = lido.operacao;
    dados.texto = lido.texto;
    if (dados.percentual <= 0)
        dados.percentual = 100;
    return objetos_.emplace(codigo, dados).first->second;
}

double GeradorPedido::Percentual(int codigo, double valor)
{
    return Trunc2Casas(objeto(codigo).percentual * valor / 100.0);
}

QString GeradorPedido::TextoObjeto()
{
    if (!textoObjetoLido_) {
        textoObjeto_ = dm_.RetornarTextoContratoObjeto(parcela_.objeto, parcela_.contrato, parcela_.sequencia,
                                                       dataTexto_, {});
        textoObjetoLido_ = true;
    }
    return textoObjeto_;
}

QString GeradorPedido::NomeFantasia(const QString& cliente)
{
    if (cliente.trimmed().isEmpty())
        return {};
    return CarregaDado("nome_fantasia", "augc0301", "where codigo_cliente = " + QuotedStr(cliente.trimmed()));
}

// One line by the line convention; returns its number.
int GeradorPedido::Linha(const QString& produto, double quantidade, double desconto, double unitario,
                         const QString& nota, int contratoLinha, const QString& operacao) {
    return dmGlobal->InseriProdutoPendencia(produto, pedido_, quantidade, desconto, false, false, unitario, 0,
                                            0, nota, contratoLinha > 0 ? contratoLinha : parcela_.contrato,
                                            {}, false, operacao, {}, {}, {}, {}, {}, 0);
}

// A line with the operation of its object, written with the line; an object
// without one leaves the line's operation blank (not null), as it always did.
int GeradorPedido::LinhaCfop(const QString& operacao, const QString& produto, double quantidade,
                             double desconto, double unitario, const QString& nota) {
    if (!operacao.trimmed().isEmpty())
        return Linha(produto, quantidade, desconto, unitario, nota, 0, operacao);
    const int linha = Linha(produto, quantidade, desconto, unitario, nota);
    Cfop(linha, operacao);
    return linha;
}

void GeradorPedido::Cfop(int linha, const QString& operacao)
{
    host::db::executeSql(
        *dmGlobal->IBTransaction1,
        "update AVEC85IT set VEITCFOP = :OPERACAO where NUMERO_PEDIDO = :PEDIDO and COD = :LINHA",
        {{"OPERACAO", operacao}, {"PEDIDO", pedido_}, {"LINHA", linha}});
}

// The operation of the instalment's billing object; a missing one is an
// error, or (ATMODOPEDIDOASSISTENCIA "C", full routine) picked by the user.
void GeradorPedido::VerificaOperacao()
{
    if (!operacao_.isEmpty())
        return;
    // A contract without a billing object is told as such, not as an object 0.
    const QString recusa =
        parcela_.objeto > 0
            ? "Objeto " + QString::number(parcela_.objeto) + " não possui operação válida para gerar nota fiscal!"
            : "Contrato " + QString::number(parcela_.contrato) +
                  " sem objeto de faturamento: informe o objeto no cadastro do contrato para gerar a nota fiscal!";
    if (apenasPedido_ || parametroAparado("ATMODOPEDIDOASSISTENCIA") != "C")
        dmGlobal->MostraErro(recusa);
    dmGlobal->MostraAviso("Objeto não possui transação/operação vinculada. \rPressione OK para selecionar.", false);
    QString v1, v2, v3;
    if (SelecionaPesquisaGeral(25, "cod_op", "cod_op", "cod_op", v1, v2, v3)) {
        operacao_ = v1.trimmed();
        if (operacao_.isEmpty())
            dmGlobal->MostraAviso("Aviso: operação abortada.\rCódigo da Operação Inválido!", true);
    }
    // A cancelled search leaves no operation: an order without one cannot be
    // invoiced, so nothing is written for it.
    if (operacao_.isEmpty())
        dmGlobal->MostraErro(recusa);
}

// ISSQN operations bill the instalment's gross value for its whole period.
void GeradorPedido::AjustaValorIssqn()
{
    const std::shared_ptr<host::db::Statement> st = dmGlobal->IBTransaction1->prepared(
        "select coalesce(OFCALCISSQN, ''), coalesce(OFISSQN, 0) from AFVC0901 where COD_OP = :OP");
    st->setParam("OP", operacao_);
    st->execute();
    if (!st->fetch()) return;
    const QString calcula = st->value(0).toString().trimmed();
    const double taxa = st->value(1).toDouble();
    st->closeCursor();
    if ((calcula == "S" || calcula == "A") && taxa > 0) {
        if (bDetectarErroSQL)
            dmGlobal->MostraAviso("Valor Antes ISSQN Operação Objeto " + numero(valor_), false);
        // As the forecast was valued: a value rule that gives nothing (no
        // lines) falls back to the contract's instalment value, not 0.00.
        const double bruto = dm_.RetornaValorParcelaContrato(parcela_.contrato, parcela_.vencimento, true);
        valor_ = bruto > 0 ? bruto : valorParcelaContrato_;
        if (bDetectarErroSQL)
            dmGlobal->MostraAviso("Valor Depois ISSQN Operação Objeto " + numero(valor_), false);
    }
}

void GeradorPedido::CopiaModelo()
{
    pedido_ = dmGlobal->ProximoNumeroVendas(parcela_.filial, {}, {});
    const QString modelo = QuotedStr(modelo_);
    for (const char* tabela : {"AVEC8501", "AVEC85IT"}) {
        const QString colunas = RetornarCampos(tabela, ",", "NUMERO_PEDIDO", 0);
        host::db::executeSql(*dmGlobal->IBTransaction1, QString(" Insert Into ") + tabela + " (Numero_Pedido, " +
                                                            colunas + ")  Select " + QuotedStr(pedido_) + "," +
                                                            colunas + " From " + tabela +
                                                            " Ped  Where Ped.Numero_Pedido = " + modelo);
        if (bDetectarErroSQL && !apenasPedido_)
            dmGlobal->MostraAviso(QString(QLatin1String(tabela) == "AVEC8501" ? "Inseriu Pedido de Vendas "
                                                                               : "Inseriu Itens do Pedido de Vendas ") +
                                      pedido_,
                                  false);
    }
    // The copy is this instalment's order: it takes the instalment's
    // customer, operation and branch (opening a further order here would
    // leave the copied lines on an order nobody invoices).
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "update AVEC8501 set CODIGO_CLIENTE = :CLIENTE, OPERACAO = :OPERACAO, VELOCAL = :LOCAL,"
                         " IMPRESSO_NF = 'N', DATA_EMISSAO = :HOJE where NUMERO_PEDIDO = :PEDIDO",
                         {{"CLIENTE", parcela_.cliente.trimmed()},
                          {"OPERACAO", operacao_},
                          {"LOCAL", TdmGlobal::CodigoFilialCurto(parcela_.filial)},
                          {"HOJE", hoje()},
                          {"PEDIDO", pedido_}});
}

void GeradorPedido::CabecalhoNovo()
{
    pedido_ = dmGlobal->InserirPedidoVenda(parcela_.cliente, {}, {}, apenasPedido_ ? QString() : tabela_, {},
                                           operacao_, {}, {}, {}, parcela_.filial, {}, 0, QDateTime(), {}, {});
}

// impresso_nf "N", the contract on the order, its total from its lines and
// the series its invoice is to take.
void GeradorPedido::Carimba(const QString& serie)
{
    // Built once: the kept statement is found by its text.
    static const QString sql =
        "update AVEC8501 Ped set Ped.IMPRESSO_NF = 'N', Ped.AOCODIGO = :CONTRATO, Ped.ACCODIGO = :CONTRATO,"
        " Ped.VALOR_TOTAL = " + TdmGlobal::SqlTotalPedidoVenda("Ped") +
        ", Ped.VESERIENF = coalesce(cast(:SERIE as varchar(5)), Ped.VESERIENF) where Ped.NUMERO_PEDIDO = :PEDIDO";
    const std::shared_ptr<host::db::Statement> st = dmGlobal->IBTransaction1->prepared(sql);
    st->setParam("CONTRATO", parcela_.contrato);
    st->setParam("PEDIDO", pedido_);
    st->setParam("SERIE", serie.isEmpty() ? QVariant() : QVariant(serie));
    st->execute();
}

QString GeradorPedido::Gera()
{
    CarregaContrato();
    VerificaOperacao();
    valor_ = parcela_.valor;
    if (!apenasPedido_)
        AjustaValorIssqn();

    // The order is whole or absent: its header, lines and stamp are one unit
    // (the caller's, when it holds one).
    std::optional<host::db::Savepoint> ponto;
    if (!dm_.bPedidoEmUnidadeDoChamador)
        ponto.emplace(*dmGlobal->IBTransaction1);
    if (!modelo_.isEmpty()) {
        CopiaModelo();
    } else {
        CabecalhoNovo();
        apenasPedido_ ? LinhasApenasPedido() : LinhasPorSeparacao();
    }
    if (!apenasPedido_ && modo_ == "C")
        LinhasFranquia();
    Carimba(SerieNota());
    if (ponto)
        ponto->release();
    dmGlobal->IBTransaction1->commitRetaining();
    return pedido_;
}

// The series the instalment's invoice takes, so that the officialising
// finds it: under receipts the selection's own; otherwise the contract
// document type, empty leaving the invoice form's own.
QString GeradorPedido::SerieNota() const
{
    if (apenasPedido_)
        return comprovante_ == "R" ? "RC" : parametroAparado("ATTIPODOCUMENTOCONTRATO");
    if (parametroAparado("ATRECIBOCONTRATO") != "S")
        return parametroAparado("ATTIPODOCUMENTOCONTRATO");
    return SerieRecibo(comprovante_);
}

QString SerieRecibo(const QString& comprovante)
{
    if (comprovante != "N")
        return "RC";
    if (parametroAparado("ATUSASERIESERVICO") == "S") {
        const QString serie = parametroAparado("ATSERIESERVICO");
        return serie.isEmpty() ? "S1" : serie;
    }
    const QString tipo = parametroAparado("ATTIPODOCUMENTOCONTRATO");
    return tipo.isEmpty() ? "01" : tipo;
}

void SelecaoNotas::adiciona(const QString& numero, const QString& comprovante)
{
    if (parametroAparado("ATRECIBOCONTRATO") != "S")
        numeros_ << numero;
    else
        porSerie_[SerieRecibo(comprovante)] << numero;
}

QString SelecaoNotas::texto() const
{
    if (porSerie_.empty()) {
        QStringList literais;
        for (const QString& numero : numeros_)
            literais << QuotedStr(numero);
        return literais.join(", ");
    }
    QStringList series;
    for (const auto& [serie, numeros] : porSerie_)
        series << "(Serie_Doc = " + QuotedStr(serie) + " and " + CondicaoEmLista("Documento", numeros) + ")";
    return series.join(" or ");
}

}  // namespace uDataTecContNota

using uDataTecContNota::GeradorPedido;
using uDataTecContNota::Parcela;

namespace {

Parcela parcelaDe(const QString& cliente, int contrato, double valor, int objeto, int sequencia,
                  const QDateTime& vencimento, const QString& filial, bool bUsaDataFaturamento,
                  const QDateTime& dataFaturamento)
{
    return {cliente, contrato, valor, objeto, sequencia, vencimento, filial, bUsaDataFaturamento, dataFaturamento};
}

}  // namespace

QString TdmTecContrato::GeraNotaParcelaContrato(const QString& cliente, int contrato, double valor, int objeto,
                                                int sequencia, const QDateTime& vencimento, const QString& filial,
                                                bool bUsaDataFaturamento, const QDateTime& dataFaturamento,
                                                QString& serie)
{
    bNotaEmitida = false;
    sPedidoParcela.clear();
    const MemoriaTextos memoria(*this);
    GeradorPedido gerador(*this, parcelaDe(cliente, contrato, valor, objeto, sequencia, vencimento, filial,
                                           bUsaDataFaturamento, dataFaturamento),
                          false);
    const QString pedido = gerador.Gera();
    sPedidoParcela = pedido;
    if (gerador.geraPV() == "S" || pedido.isEmpty())
        return pedido;
    return EmiteNotaPedidoContrato(pedido, contrato, serie);
}

QString TdmTecContrato::EmiteNotaPedidoContrato(const QString& pedido, int contrato, QString& serie)
{
    bNotaEmitida = false;
    // The invoice form of this emission only.
    delete fmNotaFiscal.get();
    TfmNotaFiscal* nota = fmNotaFiscal.create(nullptr);
    QString resultado = pedido;
    try {
        nota->PesquisarPedidoVendas(0, 0, pedido, {});
        host::data::Query& ped = *nota->quPedido;
        nota->EmissaoNotaFiscalSaida(ped.fieldByName("NUMERO_PEDIDO")->asString(), {},
                                     ped.fieldByName("OPERACAO")->asString(), {}, {}, false,
                                     ped.fieldByName("AUX1")->asFloat(), true);
        resultado = nota->numeroNota();
        serie = nota->serieNota();
        bNotaEmitida = true;
    } catch (...) {
        dmGlobal->MostraAviso("Atenção: verificar faturamento contrato " + QString::number(contrato) +
                                  " no pedido " + pedido + "\rCódigo do Erro: " +
                                  host::ui::exceptionMessage(std::current_exception()),
                              false);
    }
    nota->quPedido->close();
    nota->quNotaFiscal->close();
    delete nota;
    return resultado;
}

QString TdmTecContrato::GeraNotaParcelaContratoApenasPV(const QString& cliente, int contrato, double valor,
                                                        int objeto, int sequencia, const QDateTime& vencimento,
                                                        const QString& filial, bool bUsaDataFaturamento,
                                                        const QDateTime& dataFaturamento, QString&)
{
    const MemoriaTextos memoria(*this);
    GeradorPedido gerador(*this, parcelaDe(cliente, contrato, valor, objeto, sequencia, vencimento, filial,
                                           bUsaDataFaturamento, dataFaturamento),
                          true);
    return gerador.Gera();
}

void TdmTecContrato::GravaObservacaoObjetoVendaItem(const QString& pedido, int linha, const QString& texto)
{
    if (texto.isEmpty())
        return;
    // The row of the host's observations is added, or its text replaced, in
    // one statement (the host dataset would read it first, then write it).
    dmGlobal->quObsGeral->close();
    try {
        static const QString sql = QStringLiteral(
            "update or insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO)"
            " values (:OBCODIGO, 'V', :OBSEQUENCIA, :OBTEXTO) matching (OBCODIGO, OBID, OBSEQUENCIA)");
        const std::shared_ptr<host::db::Statement> st = dmGlobal->IBTransaction1->prepared(sql);
        st->setParam("OBCODIGO", pedido);
        st->setParam("OBSEQUENCIA", linha);
        st->setParam("OBTEXTO", texto);
        st->execute();
    } catch (...) {
        // The line stands without its text.
    }
}

void TdmTecContrato::AbreEmissaoCarregaNota(const QString& documentos, const QString& filial)
{
    if (documentos.trimmed().isEmpty())
        dmGlobal->MostraErro("Nenhuma parcela foi oficializada!");
    TfmNotaFiscal* nota = fmNotaFiscal.create(nullptr);
    host::data::Query& lista = *nota->quNotaFiscal;
    lista.close();
    lista.setSql("Select Mov.*, Tab.Tp_faturamento From acem1401 Mov                 Left Outer Join Afvt0101 "
                 "Tab        On (Mov.tab_venc = Tab.Codigo)  where mov.local_doc = " +
                 QuotedStr(filial));
    if (parametroAparado("ATRECIBOCONTRATO") == "S")
        lista.addSql(" and (" + documentos + ")");
    else
        // The numbers read back from their literals (a trailing comma
        // aside) into a list condition: a run may issue any number.
        lista.addSql(" and serie_doc in (" + QuotedStr("01") + ", " +
                     QuotedStr(dmGlobal->Parametro("ATTIPODOCUMENTOCONTRATO")) + ") " + "  and " +
                     CondicaoEmLista("mov.documento", ValoresDaListaSql(documentos)) + " ");
    lista.addSql("Order By Documento ");
    if (bDetectarErroSQL)
        dmGlobal->MostraAviso(lista.sql(), false);
    lista.open();
    nota->showNonModal();
}
