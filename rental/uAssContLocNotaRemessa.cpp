// The shipment invoice of a rental contract.

#include "rental/uAssContLocNotaRemessa.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContRemessa.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Unotafiscal.h"
#include "host/Upesqgeral.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

namespace uAssContLocNotaRemessa {

double ValorUnitario(const QString& modo, double valorUnitarioContrato, double custo, double acrescimo)
{
    if (modo == "E")
        return Trunc2Casas(valorUnitarioContrato);
    const double percentual = Trunc2Casas(acrescimo);
    if (percentual > 0)
        return Trunc2Casas(custo + custo * percentual / 100);
    return custo;
}

QVariantMap ParametrosLinha(const LinhaNota& linha, int cod, double valorUnitario, const QString& unidadeMedida,
                            const QString& pedido, int contrato, const QDateTime& hoje)
{
    return {{"CODIGO", linha.produto},
            {"COD", cod},
            {"NUMERO_PEDIDO", pedido.trimmed()},
            {"VALOR", Trunc2Casas(valorUnitario)},
            {"QUANTIDADE", linha.quantidade},
            {"OBS", linha.observacao},
            {"DESCONTO", linha.desconto},
            {"DATA_EMISSAO", hoje},
            {"BAIXA", QString("")},
            {"TOTAL_UNIT", linha.quantidade * valorUnitario * (1 - linha.desconto / 100)},
            {"AUX2", 0},
            {"AUX3", 0},
            {"aoCodigo", contrato},
            {"VEITUNIDADE", unidadeMedida.left(2)},
            {"VEITCOMPLEMENTO", linha.complemento}};
}

QString TextoLinha(const QString& textoContrato, const QString& descricaoProduto, bool comSerie,
                   const QStringList& seriais)
{
    QString texto = textoContrato;
    if (!descricaoProduto.isEmpty())
        texto.remove(descricaoProduto + "  -  ");
    const QString serie = comSerie ? "Nº Série: " + seriais.join(", ") : QString();
    return texto + "\r" + serie;
}

QString ObservacaoNota(const DadosObservacao& d)
{
    const QString crlf = QStringLiteral("\r\n");
    return "Entrega: " + d.endEntrega.trimmed() + crlf + "Contato: " + d.contatoEntrega + crlf +
           "Nº Contrato: " + d.numeroContrato + crlf + "Proposta: " + d.proposta + crlf +
           "Vigência de: " + host::data::formatDateTime("dd/mm/yy", d.implantacao) +
           " até: " + host::data::formatDateTime("dd/mm/yy", d.validade) + crlf +
           "Valor Mensal R$: " + host::data::formatFloat("###,###,##0.00", d.valorParcela);
}

}  // namespace uAssContLocNotaRemessa

using namespace uAssContLocNotaRemessa;

namespace {

const QString kAbortadaRemessaLoc = QStringLiteral("Aviso: operação abortada.\r");

host::data::Query& cabecalhoRemessaLoc() { return *dmTecContrato->quCtrCadastro; }
QString campoRemessaLoc(const char* nome) { return cabecalhoRemessaLoc().fieldByName(nome)->asString(); }
QString modoRemessaLoc() { return dmGlobal->Parametro("ATMODOPEDIDOASSISTENCIA"); }

// Steps before anything is written: a contract whose lines are all invoiced,
// no open equipment, no operation.
QString recusasRemessaLoc(int contrato)
{
    dmTecContrato->CarregaContratoItemEquipamento(contrato, false, false);
    host::data::Query& equipamentos = *dmTecContrato->quCtrCadastroIt;
    equipamentos.last();
    const int n = equipamentos.isEmpty() ? 0 : equipamentos.recordCount();
    equipamentos.first();
    uDataTecContRemessa::RecusasRemessa(contrato, n);
    QString operacao, descricao, tipo;
    if (!SelecionaPesquisaGeral(25, "cod_op", "desc_op_nf", "tipo_op", operacao, descricao, tipo) ||
        operacao.trimmed().isEmpty())
        dmGlobal->MostraAviso(kAbortadaRemessaLoc + "Código da Operação Inválido!", true);
    return operacao.trimmed();
}

struct ProdutoRemessaLoc {
    double custo = 0;
    double acrescimo = 0;
    QString unidade;
    QString descricao;
    bool comSerie = false;
};

ProdutoRemessaLoc produtoRemessaLoc(const QString& codigo)
{
    host::db::Statement st(*dmGlobal->IBTransaction1,
                           "select coalesce(PCO_CUSTO, 0), coalesce(PCOCUSTOACRESCIMO, 0), UNIDADE_MEDIDA,"
                           " DESCRICAO, PRGERANS from ACEC1101 where CODIGO = :CODIGO");
    st.setParam("CODIGO", codigo);
    st.execute();
    ProdutoRemessaLoc p;
    if (st.fetch())
        p = {st.value(0).toDouble(), st.value(1).toDouble(), st.value(2).toString(), st.value(3).toString(),
             st.value(4).toString().trimmed() == "O"};
    return p;
}

// One order line per open contract line still to invoice (every open line
// in mode "C"), each committed with its text. A failed insert undoes only
// itself and ends the shipment.
void linhasRemessaLoc(const QString& pedido, int contrato)
{
    const QString modo = modoRemessaLoc();
    const QDateTime emissao = hoje();
    std::unique_ptr<host::data::Query> linhas = CriarIbQuery("quLinhasRemessaLoc");
    linhas->setSql("Select PRCODIGO, ACITVALOR, ACITQUANTIDADE, ACITVALORUNITARIO, ACITDESCONTO, ACITOBSERVACAO,"
                   " ACITCODIGO, ACCODIGO, ACITCOMPLEMENTO from AATC05ACIT Where acCodigo = " +
                   QString::number(contrato) + " and coalesce(ACITENCERRADO, '') <> 'S' " + " order by ACITCODIGO ");
    linhas->open();
    for (; !linhas->eof(); linhas->next()) {
        auto campo = [&linhas](const char* nome) { return linhas->fieldByName(nome); };
        const LinhaNota linha{campo("PRCODIGO")->asString(),    campo("ACITCODIGO")->asInteger(),
                              campo("ACITQUANTIDADE")->asFloat(), campo("ACITDESCONTO")->asFloat(),
                              campo("ACITOBSERVACAO")->asString(), campo("ACITCOMPLEMENTO")->asString()};
        if (!dmTecContrato->CtrAssVerificaPendenciaEmissaoNF(campo("ACCODIGO")->asInteger(), linha.item, 0,
                                                             linha.produto) &&
            modo != "C")
            continue;
        const ProdutoRemessaLoc produto = produtoRemessaLoc(linha.produto);
        const double valor =
            ValorUnitario(modo, campo("ACITVALORUNITARIO")->asFloat(), produto.custo, produto.acrescimo);
        const int cod = modo == "E" ? linha.item
                                    : int(MaximoDado("cod", "avec85it", "numero_pedido", pedido.trimmed())) + 1;
        uDataTecContRemessa::InserirLinhaPedido(
            ParametrosLinha(linha, cod, valor, produto.unidade, pedido, contrato, emissao));
        const QString textoContrato =
            CarregaDado("OBTEXTO", "AUGC70OB",
                        " where obid = 'Y' and obsequencia = " + QString::number(linha.item) +
                            " and obcodigo = " + QuotedStr(QString::number(contrato)));
        const QStringList seriais =
            produto.comSerie ? dmTecContrato->SeriaisProdutoContrato(contrato, linha.produto, linha.item)
                             : QStringList();
        dmTecContrato->GravaObservacaoObjetoVendaItem(pedido, cod,
                                                      TextoLinha(textoContrato, produto.descricao, produto.comSerie,
                                                                 seriais));
    }
    linhas->close();
}

struct NotaEmitidaLoc {
    QString documento, serie, cliente, operacao, local;
};

// The invoice of the temporary order through the host's window; empty when
// the window was closed before the invoice was issued.
NotaEmitidaLoc emitirRemessaLoc(const QString& pedido)
{
    TfmNotaFiscal* nota = fmNotaFiscal.get();
    if (!uDataTecContRemessa::EmitirNotaPedido(*nota, pedido))
        return {};
    NotaEmitidaLoc emitida{nota->numeroNota(), nota->serieNota(), {}, {}, {}};
    host::db::Statement st(*dmGlobal->IBTransaction1,
                           "select COD_CLI, OPERACAO_DOC, LOCAL_DOC from ACEM1401 where DOCUMENTO = :DOCUMENTO"
                           " and SERIE_DOC = :SERIE and COD_PEDIDO = :PEDIDO");
    st.setParam("DOCUMENTO", emitida.documento);
    st.setParam("SERIE", emitida.serie);
    st.setParam("PEDIDO", pedido.trimmed());
    st.execute();
    if (st.fetch()) {
        emitida.cliente = st.value(0).toString();
        emitida.operacao = st.value(1).toString();
        emitida.local = st.value(2).toString();
    }
    return emitida;
}

// The contract records the invoice, the invoice gets its note and the
// contract, and the temporary order goes.
void registrarRemessaLoc(const NotaEmitidaLoc& nota, const QString& pedido, int contrato)
{
    host::data::Query& c = cabecalhoRemessaLoc();
    uDataTecContRemessa::RegistrarRemessaContrato(nota.documento.trimmed());

    DadosObservacao dados;
    dados.endEntrega = campoRemessaLoc("ACENDENTREGA");
    dados.contatoEntrega =
        CarregaDado("coalesce(ANNOME, '')", "AUGC3701", "where ANCODIGO = " + QuotedStr(campoRemessaLoc("ACCONTENTREGA")));
    dados.numeroContrato = campoRemessaLoc("ACNUMEROCONTRATO");
    dados.proposta = campoRemessaLoc("ACPROPOSTA");
    dados.implantacao = c.fieldByName("ACDATAIMPLANTACAO")->asDateTime();
    dados.validade = c.fieldByName("ACDATAVALIDADE")->asDateTime();
    dados.valorParcela = c.fieldByName("ACVALORPARCELA")->asFloat();
    dmGlobal->GravaObservacao(nota.local + nota.documento + nota.serie + nota.operacao + nota.cliente, "M", -1,
                              ObservacaoNota(dados));
    dmGlobal->IBTransaction1->commitRetaining();

    uDataTecContRemessa::ExcluirPedidoTemporario(pedido);
    const QString daNota =
        uDataTecContRemessa::CondicaoNota(nota.documento, nota.serie, nota.cliente, nota.operacao, nota.local);
    UpdateCampoCommit("ACEM1401", "FRETE1_2", QuotedStr("1"), daNota);
    UpdateCampoCommit("ACEM1401", "ACCODIGO", QuotedStr(QString::number(contrato)), daNota);
    UpdateCampoCommit("ACEM1401", "COD_PEDIDO", QuotedStr(campoRemessaLoc("ACPEDIDO")), daNota);
    if (TfmNotaFiscal* janela = fmNotaFiscal.get()) {
        janela->quPedido->close();
        janela->quNotaFiscal->close();
    }
    dmGlobal->IBTransaction1->commitRetaining();
}

}  // namespace

void EmitirNotaFiscalRemessaLocacao()
{
    const int contrato = cabecalhoRemessaLoc().fieldByName("ACCODIGO")->asInteger();
    const QString operacao = recusasRemessaLoc(contrato);
    const QString pedido = uDataTecContRemessa::PedidoTemporario(operacao);
    try {
        linhasRemessaLoc(pedido, contrato);
    } catch (...) {
        uDataTecContRemessa::DescartarPedidoTemporario(pedido);
        throw;
    }

    uDataTecContRemessa::JanelaNota janela;
    NotaEmitidaLoc nota;
    const QString atencao = uDataTecContRemessa::AtencaoFaturamento(contrato, pedido);
    uDataTecContRemessa::EmitirComoUmTodo(pedido, atencao, [&] {
        nota = emitirRemessaLoc(pedido);
        if (!nota.documento.trimmed().isEmpty())
            registrarRemessaLoc(nota, pedido, contrato);
    });
    if (nota.documento.trimmed().isEmpty())
        uDataTecContRemessa::RecusaNotaNaoEmitida(pedido, atencao);
    dmGlobal->MostraAviso("Documento \"" + nota.documento.trimmed() + "\" gerado com Sucesso!", false);
}
