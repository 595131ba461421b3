// The shipment invoice and the supply order of a contract.

#include "contract_data/uDataTecContRemessa.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Unotafiscal.h"
#include "host/Upesqgeral.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"
#include "host/ui/Errors.h"

#include <QHash>

#include <exception>
#include <functional>

namespace {
const QString kAbortada = QStringLiteral("Aviso: operação abortada.\r");
}  // namespace

namespace uDataTecContRemessa {

QString ObservacaoPeriodo(const QDateTime& instalacao, const QDateTime& encerramento)
{
    // The zero date is a row not closed: nothing shown.
    auto data = [](const QDateTime& d) {
        return uDataTecContLocacao::dataVazia(d) ? QString() : host::data::formatDateTime("dd/mm/yy", d);
    };
    return "Dt: " + data(instalacao) + " até " + data(encerramento);
}

QVariantMap ParametrosLinha(const ItemRemessa& item, double custo, const QString& unidadeMedida,
                            const QString& pedido, int contrato, const QDateTime& hoje)
{
    return {{"CODIGO", item.produto},
            {"COD", item.item},
            {"NUMERO_PEDIDO", pedido},
            {"VALOR", Trunc2Casas(custo)},
            {"QUANTIDADE", item.quantidade},
            {"OBS", ObservacaoPeriodo(item.instalacao, item.encerramento)},
            {"DESCONTO", item.desconto},
            {"DATA_EMISSAO", hoje},
            {"BAIXA", QString("")},
            {"TOTAL_UNIT", item.quantidade * custo},
            {"AUX2", 0},
            {"AUX3", 0},
            {"aoCodigo", contrato},
            {"VEITUNIDADE", unidadeMedida.left(2)},
            {"VEITCOMPLEMENTO", item.complemento},
            {"ACITCODIGO", QString::number(item.item)}};
}

void RecusasRemessa(int contrato, int itens)
{
    const QString remessa = dmTecContrato->quCtrCadastro->fieldByName("ACNFREMESSA")->asString().trimmed();
    if (!dmTecContrato->CtrAssVerificaPendenciaEmissaoNF(contrato, 0, itens, {}) && !remessa.isEmpty())
        dmGlobal->MostraAviso(kAbortada + "Contrato já possui Documento: " + remessa + ".", true);
    if (itens == 0)
        dmGlobal->MostraAviso(kAbortada + "Não existem itens para Emissão S/Remessa!", true);
}

void InserirLinhaPedido(const QVariantMap& parametros)
{
    QStringList colunas = parametros.keys();
    QStringList valores;
    for (const QString& coluna : colunas)
        valores << ":" + coluna;
    colunas << "UGMODIFICADO";
    valores << "'NOW'";
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    try {
        host::db::Savepoint linha(tr);
        host::db::executeSql(tr, "insert into avec85it (" + colunas.join(", ") + ") values (" + valores.join(", ") + ")",
                             parametros);
        linha.release();
        tr.commitRetaining();
    } catch (const std::exception&) {
        dmGlobal->MostraErro("Erro ao Gerar Nota Fiscal.");
    }
}

bool EmitirNotaPedido(TfmNotaFiscal& nota, const QString& pedido)
{
    nota.PesquisarPedidoVendas(0, 0, pedido, {});
    if (!fmNotaFiscal.get())
        return false;
    host::data::Query& ordem = *nota.quPedido;
    nota.EmissaoNotaFiscalSaida(ordem.fieldByName("NUMERO_PEDIDO")->asString(), {},
                                ordem.fieldByName("OPERACAO")->asString(), {}, {}, false,
                                ordem.fieldByName("AUX1")->asFloat(), true);
    return fmNotaFiscal.get() != nullptr;
}

void RegistrarRemessaContrato(const QString& documento)
{
    host::data::Query& c = *dmTecContrato->quCtrCadastro;
    c.edit();
    c.fieldByName("ACNFREMESSA")->setAsString(documento);
    c.fieldByName("ACNFREMESSAEMISSAO")->setAsDateTime(hoje());
    c.post();
}

QString AtencaoFaturamento(int contrato, const QString& pedido)
{
    return "Atenção: verificar faturamento contrato " + QString::number(contrato) + " no pedido " + pedido +
           "\rCódigo do Erro: ";
}

void DescartarPedidoTemporario(const QString& pedido)
{
    ExcluirPedidoTemporario(pedido);
    dmGlobal->IBTransaction1->commitRetaining();
}

namespace {

void desfazerRemessa(const QString& pedido)
{
    host::data::Query& contrato = *dmTecContrato->quCtrCadastro;
    if (contrato.editing())
        contrato.cancel();
    DescartarPedidoTemporario(pedido);
}

}  // namespace

void EmitirComoUmTodo(const QString& pedido, const QString& atencao, const std::function<void()>& passos)
{
    try {
        host::db::runAsOneCommit(*dmGlobal->IBTransaction1, passos);
    } catch (const host::Abort&) {
        desfazerRemessa(pedido);
        throw;
    } catch (...) {
        const QString causa = host::ui::exceptionMessage(std::current_exception());
        desfazerRemessa(pedido);
        dmGlobal->MostraAviso(atencao + causa, true);
    }
}

void RecusaNotaNaoEmitida(const QString& pedido, const QString& atencao)
{
    if (ContadorDados("COD_PEDIDO", "ACEM1401", pedido.trimmed()) > 0)
        dmGlobal->MostraAviso(atencao + "Janela da Nota Fiscal fechada durante a emissão.", true);
    DescartarPedidoTemporario(pedido);
    dmGlobal->MostraAviso(kAbortada + "Nota Fiscal não emitida.", true);
}

QString CondicaoNota(const QString& documento, const QString& serie, const QString& cliente,
                     const QString& operacao, const QString& local)
{
    return " where DOCUMENTO = " + QuotedStr(documento) + " and SERIE_DOC = " + QuotedStr(serie) +
           " and COD_CLI = " + QuotedStr(cliente) + " and OPERACAO_DOC = " + QuotedStr(operacao) +
           " and LOCAL_DOC = " + QuotedStr(local);
}

QString PedidoTemporario(const QString& operacao)
{
    host::data::Query& c = *dmTecContrato->quCtrCadastro;
    const QString pedido = dmGlobal->InserirPedidoVenda(c.fieldByName("CLCODIGO")->asString(), {}, {}, {}, {},
                                                        operacao, {}, {}, {}, c.fieldByName("ACLOCAL")->asString(),
                                                        {}, 0, QDateTime(), {}, {});
    const QString condicao = "where numero_pedido = " + QuotedStr(pedido);
    UpdateCampo("avec8501", "impresso_nf", QuotedStr("N"), condicao);
    UpdateCampo("avec8501", "aoCodigo", c.fieldByName("ACCODIGO")->asString(), condicao);
    UpdateCampoCommit("AVEC8501", "FRETE", QuotedStr("1"), " where NUMERO_PEDIDO = " + QuotedStr(pedido));
    return pedido;
}

void ExcluirPedidoTemporario(const QString& pedido)
{
    const QString doPedido = " where NUMERO_PEDIDO = " + QuotedStr(pedido);
    for (const char* tabela : {"AVEC8501", "AVEC85IT", "AVEC85LX"})
        DeletaRegistros(tabela, doPedido);
    DeletaRegistros("AUGC70OB", " where OBCODIGO = " + QuotedStr(pedido) + " and OBID = 'V' ");
}

JanelaNota::JanelaNota()
{
    liberar();
    fmNotaFiscal.create();
}

JanelaNota::~JanelaNota() { liberar(); }

TfmNotaFiscal* JanelaNota::get() const { return fmNotaFiscal.get(); }

void JanelaNota::liberar()
{
    if (TfmNotaFiscal* aberta = fmNotaFiscal.get())
        aberta->release();
    fmNotaFiscal.clear();
}

}  // namespace uDataTecContRemessa

using namespace uDataTecContRemessa;

namespace {

host::data::Query& contratoRemessa() { return *dmTecContrato->quCtrCadastro; }
host::data::Query& itens() { return *dmTecContrato->quCtrCadastroIt; }
QString campoContrato(const char* nome) { return contratoRemessa().fieldByName(nome)->asString(); }

ItemRemessa itemAtual()
{
    const host::data::Query& it = itens();
    auto campo = [&it](const char* nome) { return it.fieldByName(nome); };
    return {campo("PRCODIGO")->asString(),          campo("ACITCODIGO")->asInteger(),
            campo("ACITQUANTIDADE")->asFloat(),     campo("ACITDESCONTO")->asFloat(),
            campo("ACITINSTALACAO")->asDateTime(),  campo("ACITDATAENCERRAMENTO")->asDateTime(),
            campo("ACITCOMPLEMENTO")->asString()};
}

QString operacaoRemessa()
{
    QString operacao = dmGlobal->RetornaOperacaoMaisUsada("6");
    if (operacao.isEmpty()) {
        QString descricao, tipo;
        SelecionaPesquisaGeral(25, "cod_op", "desc_op_nf", "tipo_op", operacao, descricao, tipo);
    }
    if (operacao.trimmed().isEmpty())
        dmGlobal->MostraAviso(kAbortada + "Código da Operação Inválido!", true);
    return operacao.trimmed();
}

struct CustoProduto {
    double custo = 0;
    QString unidade;
};

// The cost and unit of every product of the loaded items, read at once
// (codes compared as the database does, trailing blanks aside).
QHash<QString, CustoProduto> custosProdutos(host::data::Query& it)
{
    QStringList codigos;
    for (it.first(); !it.eof(); it.next()) {
        const QString produto = it.fieldByName("PRCODIGO")->asString().trimmed();
        if (!codigos.contains(produto))
            codigos << produto;
    }
    QHash<QString, CustoProduto> custos;
    if (codigos.isEmpty())
        return custos;
    host::db::Statement st(*dmGlobal->IBTransaction1, "select codigo, pco_custo, UNIDADE_MEDIDA from acec1101"
                                                      " where " + CondicaoEmLista("codigo", codigos));
    st.execute();
    while (st.fetch())
        custos.insert(st.value(0).toString().trimmed(),
                      {Trunc2Casas(st.value(1).toDouble()), st.value(2).toString()});
    return custos;
}

// One line per loaded item, each committed; a failed line undoes only its
// own insert, never other pending work of the transaction.
void linhasTemporarias(const QString& pedido)
{
    host::data::Query& it = itens();
    const int codigoContrato = contratoRemessa().fieldByName("ACCODIGO")->asInteger();
    const QDateTime emissao = hoje();
    it.disableControls();
    struct Retomar {
        host::data::Query& it;
        ~Retomar()
        {
            it.first();
            it.enableControls();
        }
    } retomar{it};
    const QHash<QString, CustoProduto> custos = custosProdutos(it);
    for (it.first(); !it.eof(); it.next()) {
        const ItemRemessa item = itemAtual();
        const CustoProduto produto = custos.value(item.produto.trimmed());
        InserirLinhaPedido(ParametrosLinha(item, produto.custo, produto.unidade, pedido, codigoContrato, emissao));
    }
}

// The invoice of the temporary order; the contract records it, the
// temporary order goes and the invoice carries the contract. Returns the
// document ("" when the window was closed during the emission).
QString emitirNota(TfmNotaFiscal& nota, const QString& pedido)
{
    if (!EmitirNotaPedido(nota, pedido))
        return {};
    host::data::Query& ordem = *nota.quPedido;
    const QString documento = nota.numeroNota();
    const QString serie = nota.serieNota();
    const QString cliente = ordem.fieldByName("CODIGO_CLIENTE")->asString();
    const QString operacao = ordem.fieldByName("OPERACAO")->asString();
    const QString local = CarregaDado("LOCAL_DOC", "ACEM1401",
                                      "where DOCUMENTO = " + QuotedStr(documento) + " and SERIE_DOC = " +
                                          QuotedStr(serie) + " and COD_PEDIDO = " + QuotedStr(pedido));
    RegistrarRemessaContrato(documento);

    ExcluirPedidoTemporario(pedido);
    UpdateCampoCommit("ACEM1401", "ACCODIGO", QuotedStr(campoContrato("ACCODIGO")),
                      CondicaoNota(documento, serie, cliente, operacao, local));
    nota.quPedido->close();
    nota.quNotaFiscal->close();
    dmGlobal->IBTransaction1->commitRetaining();
    return documento;
}

}  // namespace

void EmitirRemessaContrato()
{
    if (MostraPergunta("Deseja emitir nota fiscal de remessa? ", {"Sim", "Não"}) != "Sim")
        return;
    const int contratoCodigo = contratoRemessa().fieldByName("ACCODIGO")->asInteger();
    RecusasRemessa(contratoCodigo, itens().active() ? itens().recordCount() : 0);
    const QString operacao = operacaoRemessa();
    const QString pedido = PedidoTemporario(operacao);
    linhasTemporarias(pedido);

    JanelaNota janela;
    const QString atencao = AtencaoFaturamento(contratoCodigo, pedido);
    QString documento;
    EmitirComoUmTodo(pedido, atencao, [&] { documento = emitirNota(*janela.get(), pedido); });
    if (documento.trimmed().isEmpty())
        RecusaNotaNaoEmitida(pedido, atencao);
    dmGlobal->MostraAviso("Documento \"" + documento + "\" gerado com Sucesso!", false);
}

void GerarOrdemAbastecimento()
{
    const QString operacao = CarregaDado("cod_op", "afvc0901", "where cod_natureza=" + QuotedStr("05949")).trimmed();
    if (operacao.isEmpty())
        dmGlobal->MostraAviso("Operação de Remessa de Abastecimento (05949) não encontrada.", true);
    const QString cnpj = dmGlobal->quEmpresa->fieldByName("CICCGC")->asString();
    const QString cliente = CarregaDado("codigo_cliente", "augc0301", "where cgc_cnpj=" + QuotedStr(cnpj)).trimmed();
    if (cliente.isEmpty())
        dmGlobal->MostraAviso(
            "Cliente não encontrado. Cadastro do cliente deve ser o mesmo cadastro nos dados da empresa.", true);
    const QString filial = TdmGlobal::CodigoFilialCurto(dmGlobal->Parametro("ATLOCALPADRAO"));

    // The order and its lines are written whole or not at all.
    host::db::Savepoint ordemInteira(*dmGlobal->IBTransaction1);
    const QString pedido = dmGlobal->InserirPedidoVenda(cliente, {}, {}, {}, {}, operacao, "S", {}, {}, filial, {},
                                                        0, hoje(), {}, {});
    const QString local = CarregaDado("codigo", "acec1401", "where leFilial = " + QuotedStr(filial));
    const QString contratante = campoContrato("ACCONTRATANTE");
    if (!pedido.isEmpty()) {
        const QString serie = itens().active() && !itens().isEmpty()
                                  ? itens().fieldByName("ACITNUMEROSERIE")->asString()
                                  : QString();
        Update2Campos("AVEC8501", "CODIGO_ENTREGA", QuotedStr(contratante), "VENSREMESSASUP", QuotedStr(serie),
                      "where numero_pedido=" + QuotedStr(pedido));
        UpdateCampo("avec8501", "impresso_nf", QuotedStr("N"), "Where numero_pedido =" + QuotedStr(pedido));
    }
    const int contratoItem = itens().active() && !itens().isEmpty() ? itens().fieldByName("ACCODIGO")->asInteger()
                                                                     : contratoRemessa().fieldByName("ACCODIGO")->asInteger();
    std::unique_ptr<host::data::Query> precos = CriarIbQuery("quPrecosContratante");
    precos->setSql("Select Pd.prcodigo, Pd.pdvalor  From Acec11pd Pd Where Pd.clcodigo = " + QuotedStr(contratante));
    precos->open();
    for (; !precos->eof(); precos->next())
        dmGlobal->InseriProdutoPendencia(precos->fieldByName("prcodigo")->asString(), pedido, 1, 0, false, false,
                                         Trunc2Casas(precos->fieldByName("pdvalor")->asFloat()), 0, 0, {},
                                         contratoItem, local, false, {}, {}, {}, {}, {}, {}, 0);
    precos->close();
    // The lines went in without the order's total.
    dmGlobal->GravarTotalPedidoVenda(pedido);
    ordemInteira.release();
    dmGlobal->IBTransaction1->commitRetaining();
    dmGlobal->MostraAviso("Ordem de Abastecimento " + pedido + " gerada com sucesso.", false);
}
