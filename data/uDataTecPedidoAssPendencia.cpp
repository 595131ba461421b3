// Back-orders of the assistance orders and the small equipment queries the
// configured lines, pricing and printouts call: the stock check that puts a
// short line on the order's back-order, the linked quantity left on a
// requested line, the running count of an equipment type, the next
// configured-line number, credit payment terms and the composition text.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"

#include "host/Udatamod.h"
#include "host/data/Format.h"
#include "host/db/Database.h"
#include "host/db/RowHold.h"


namespace {

bool produtoGenerico(const QString& produto)
{
    const QString codigo = produto.trimmed();
    return codigo == parametroAparado("ATPRODUTOGENERICO1") || codigo == parametroAparado("ATPRODUTOGENERICO2");
}

double primeiroNumero(const QString& sql)
{
    return host::db::selectValue(*dmGlobal->IBTransaction1, sql).toDouble();
}

}  // namespace

// ---- back-order --------------------------------------------------------------

double TdmTec::PVAssItemQuantidadeJaLancada(const QString& tabela, const QString& pedido, const QString& produto,
                                            const QString& linha)
{
    return CarregaNumero("sum(QUANTIDADE)", tabela,
                         " where numero_pedido = " + QuotedStr(pedido) + " and codigo = " + QuotedStr(produto) +
                             " and cod <> " + QuotedStr(linha) + " and QUANTIDADE > 0 " +
                             " and coalesce(vecodigopendencia, '') = '' ");
}

bool TdmTec::PVAssVerificaItensPendencia(const QString& pedido)
{
    auto consulta = CriarIbQuery("quAssVendaCotadoAux");
    consulta->setSql("select count(*) as PENDENTES from AVEC85LX  where NUMERO_PEDIDO = " +
                     QuotedStr(pedido.trimmed()) + " and coalesce(VECODIGOPENDENCIA, '') <> '' ");
    consulta->open();
    return consulta->fieldByName("PENDENTES")->asInteger() > 0;
}

bool TdmTec::PVAssVerificaEstoquePendencia(const QString& tabela, const QString& pedido, const QString& produto,
                                           const QString& linha, const QString&, const QString&,
                                           const QString& pendencia, double quantidade, double)
{
    if (produtoGenerico(produto))
        return true;
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    QString numero = pendencia.trimmed();
    try {
        const double estoque = CarregaNumero("coalesce(ESTOQUE, 0)", "ACEC1101", "where CODIGO = " + QuotedStr(produto));
        const double tomado = primeiroNumero(
            "select sum(coalesce(lx.quantidade, 0)) from avec85lx lx left outer join avec8501 ped"
            " on(ped.numero_pedido = lx.numero_pedido) where lx.numero_pedido <> " + QuotedStr(pedido) +
            " and lx.codigo = " + QuotedStr(produto) + " and coalesce(ped.impresso_nf, '') not in('S', 'P') " +
            " and coalesce(lx.vecodigopendencia, '') = '' ");
        const double disponivel = Trunc2Casas(estoque - Trunc2Casas(tomado));
        const double lancado = PVAssItemQuantidadeJaLancada(tabela, pedido, produto, linha) + quantidade;
        const double falta = Trunc2Casas(disponivel) > 0 ? lancado - disponivel : lancado;
        if (Trunc2Casas(falta) <= 0)
            return true;

        const QString pergunta = "Quantidade insuficiente disponível de \"" + produto.trimmed() + "\".\r" +
                                 "Total do produto disponível: " + host::data::formatFloat("0.00", disponivel) +
                                 "\rTotal Lançado no Pedido: " + host::data::formatFloat("0.##", lancado) +
                                 ".\rDeseja colocar em pedido pendente?";
        if (dmGlobal->MostraPergunta(pergunta, {"Sim", "Não"}) != "Sim")
            return false;

        if (numero.isEmpty())
            numero = gerarPedidoPendencia(pedido);

        // The back-order's requested line: undone alone when it fails, and
        // left for the caller to commit with the line it stands for (a line
        // the save then refuses takes it back).
        {
            host::db::Savepoint sp(tr);
            try {
                // Priced as the line it stands for: the back-order is worth
                // what it will deliver, and its total is its lines'.
                const double unitario = campoCotado("VALOR").asFloat();
                const double qtde = campoCotado("QUANTIDADE").asFloat();
                host::db::executeSql(tr,
                                     "Insert Into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT)"
                                     " Values (:NUMERO, :COD, :CODIGO, :QUANTIDADE, :VALOR, :TOTAL)",
                                     {{"NUMERO", numero},
                                      {"COD", campoCotado("COD").asString()},
                                      {"CODIGO", campoCotado("CODIGO").asString()},
                                      {"QUANTIDADE", qtde},
                                      {"VALOR", unitario},
                                      {"TOTAL", Trunc2Casas(qtde * unitario)}});
                host::db::executeSql(tr,
                                     "update AVEC8501 set VALOR_TOTAL = (select coalesce(sum(it.TOTAL_UNIT), 0)"
                                     " from AVEC85IT it where it.NUMERO_PEDIDO = :NUMERO) where NUMERO_PEDIDO = :NUMERO",
                                     {{"NUMERO", numero}});
                sp.release();
            } catch (const host::db::DbError&) {
                sp.rollback();
            }
        }
        if (quAssVendaCotado->editing())
            campoCotado("VECODIGOPENDENCIA").setAsString(numero);
        return true;
    } catch (const host::db::DbError&) {
        dmGlobal->MostraErro("Erro ao Gerar Pedido de Pendência!");
    }
    return false;
}

// A copy of the order's header in status "P" pointing back to it, the order
// pointing to the copy. The order's row is held and its back-order read
// again in one unit with the copy and the mark: a back-order another desk
// has made is the one used, one it is making right now refuses this one, and
// a failed step undoes only this unit and ends the check with its message.
QString TdmTec::gerarPedidoPendencia(const QString& pedido)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::CommitHold comites(tr);
    host::db::Savepoint unidade(tr);
    const host::db::RowsHeld linha = host::db::holdRows(tr, u"AVEC8501", {{"NUMERO_PEDIDO", pedido}});
    if (linha.elsewhere())
        dmGlobal->MostraErro("O pedido pendente do pedido " + pedido.trimmed() +
                             " está sendo gerado em outra estação neste momento; tente de novo em instantes.");
    // An order another desk deleted since it was read leaves nothing to copy:
    // no back-order, nor lines under a number no header has.
    if (!linha.one())
        dmGlobal->MostraErro("O pedido " + pedido.trimmed() +
                             " não existe mais (excluído por outro usuário); o pedido pendente não foi gerado.");
    QString numero = host::db::selectValue(tr, "select coalesce(VECODIGOPENDENCIA, '') from AVEC8501"
                                               " where NUMERO_PEDIDO = :NUMERO_PEDIDO",
                                           {{"NUMERO_PEDIDO", pedido}})
                         .toString()
                         .trimmed();
    if (numero.isEmpty()) {
        numero = dmGlobal->ProximoNumeroVendas(parametro("ATLOCALPADRAO"), {}, {});
        const QString colunas = RetornarCampos("AVEC8501", ",", "NUMERO_PEDIDO,IMPRESSO_NF,VEPROPOSTA");
        host::db::executeSql(tr, "Insert Into AVEC8501 (" + colunas + " , NUMERO_PEDIDO, IMPRESSO_NF, VEPROPOSTA) " +
                                     "select " + colunas + " , " + QuotedStr(numero) + ", " + QuotedStr("P") + ", " +
                                     QuotedStr(pedido) + " from AVEC8501 Where NUMERO_PEDIDO =" + QuotedStr(pedido));
        // The copy is the customer's and the terms', not the order's money
        // nor its documents: its value comes from its own lines, and it
        // makes a contract of its own (the order's, when it already has one,
        // is not completed nor revalued by the back-order's release).
        host::db::executeSql(tr, "update AVEC8501 set VALOR_TOTAL = 0, VALOR_ICMS = 0, VALOR_IPI = 0,"
                                 " VEVALORSUPRIMENTOS = 0, VEVALORDESPESA = 0, DESCONTO_GERAL = 0, AUX1 = 0,"
                                 " VECODIGOPENDENCIA = null, ACCODIGO = null, VEPEDIDOIMPRESSO = 'N',"
                                 " VEPEDIDOIMPRESSO2VIA = 'N', VECREDITO = 'N', VERECIBO = 'N'"
                                 " where NUMERO_PEDIDO = :NUMERO",
                             {{"NUMERO", numero}});
        UpdateCampoCommit("AVEC8501", "VECODIGOPENDENCIA", QuotedStr(numero),
                          " where NUMERO_PEDIDO = " + QuotedStr(pedido));
    }
    unidade.release();
    comites.release();
    CarregaPedidoAssVenda(pedido, {});
    return numero;
}

// ---- equipment queries ---------------------------------------------------------

bool TdmTec::VerificaAssQtdeEquipamentoVinculado(const QString& pedido, const QString& linha,
                                                 const QString& produto, int excluirLinha)
{
    const QString semALinha = excluirLinha > 0 ? "  and lx.cod <> " + QString::number(excluirLinha) : QString();
    try {
        auto consulta = CriarIbQuery("quEqpVincAux");
        consulta->setSql("select (coalesce((select sum(coalesce(ite.quantidade, 0))   from avec85it ite"
                         "   where ite.numero_pedido = ped.numero_pedido   and ite.cod = " + linha +
                         "  and ite.codigo = " + QuotedStr(produto) + "), 1) " + " - " +
                         "  coalesce((select sum(coalesce(lx.quantidade, 0)) " + "  from avec85lx lx " +
                         "  where lx.numero_pedido = ped.numero_pedido " + "  and lx.veitcodref = " + linha +
                         "  and lx.veitcodigoref = " + QuotedStr(produto) + semALinha + "), 0)) as SALDO " +
                         "from avec8501 ped " + "where ped.numero_pedido = " + QuotedStr(pedido));
        consulta->open();
        return Trunc2Casas(consulta->fieldByName("SALDO")->asFloat()) > 0;
    } catch (const host::db::DbError&) {
        return false;
    }
}

double TdmTec::CalcularQtdeTipoEquipamento(int linha, const QString& pedido, const QString& produto)
{
    if (pedido.trimmed().isEmpty() || produto.trimmed().isEmpty())
        return 0;
    const QString juncao = "AVEC85LX lx Left Outer Join Acec1101 Prod On (lx.Codigo = Prod.Codigo) ";
    const int tipo = CarregaNumeroInteiro("coalesce(Prod.PNCODIGO, 0)", juncao,
                                          " where lx.NUMERO_PEDIDO = " + QuotedStr(pedido) +
                                              " and lx.COD = " + QString::number(linha) +
                                              " and lx.CODIGO = " + QuotedStr(produto));
    if (tipo <= 0)
        return 0;
    return primeiroNumero("select SUM(quantidade) from " + juncao + "where lx.NUMERO_PEDIDO = " + QuotedStr(pedido) +
                          " and Prod.PNCODIGO = " + QString::number(tipo) + " and lx.COD <= " + QString::number(linha));
}

int TdmTec::SequenciaVendasCotacao(const QString& pedido)
{
    const int proximo = int(CarregaNumero("Max(Cod)", "Avec85lx", "Where numero_pedido = " + QuotedStr(pedido))) + 1;
    return proximo < 1 ? 1 : proximo;
}

bool TdmTec::VendaPrazoTabela(const QString& tabela)
{
    const QString onde = "where CODIGO = " + QuotedStr(tabela);
    return CarregaNumeroInteiro("QUANTAS_VEZES", "AFVT0101", onde) > 1 ||
           CarregaNumeroInteiro("DIA__INICIAL", "AFVT0101", onde) > 1;
}

// ---- composition text ------------------------------------------------------------

namespace {

QString textoComponente(const host::data::Query& linha)
{
    const QString componente = linha.fieldByName("CMCODIGO")->asString();
    if (produtoGenerico(componente))
        return CarregaDado("substring(OBTEXTO from 1 for 9999)", "AUGC70OB",
                           " where OBID = 'P'  and OBCODIGO = " + QuotedStr(componente) +
                               " and OBSEQUENCIA = " + linha.fieldByName("CMSEQUENCIA")->asString())
            .trimmed();
    return linha.fieldByName("CMQUANTIDADE")->asString().trimmed() + " " +
           linha.fieldByName("UNIDADE_MEDIDA")->asString().trimmed() + " " +
           linha.fieldByName("DESCRICAO")->asString().trimmed() + " " +
           linha.fieldByName("COMPLEMENTO_DESC")->asString().trimmed() + " ";
}

// The components of the product in sequence, those of the equipment of the
// serial number the host holds or else the product's own.
void abrirComposicao(host::data::Query& aux, const QString& produto, const QString& serie)
{
    aux.close();
    aux.setSql("select sm.prcodigo, sm.cmcodigo, sm.cmquantidade, Prod.unidade_medida, Prod.descricao,"
               " Prod.complemento_desc, Eqp.descricao as Equipamento, sm.cmsequencia from AGPC03CM sm"
               " Left Outer Join Acec1101 Eqp On (sm.prcodigo = Eqp.codigo) Left Outer Join Acec1101 Prod"
               " On (sm.cmcodigo = Prod.codigo) where sm.prcodigo = :PRCODIGO"
               " and coalesce(sm.cmnumeroserie, '') = :SERIE  Order By sm.cmsequencia ");
    aux.paramByName("PRCODIGO")->setAsString(produto);
    AbrirComposicaoNumeroSerie(aux, serie);
}

}  // namespace

void TdmTec::CarregaConfiguracaoComposicao(const QString& produto, const QString&, host::data::DataSource* fonte)
{
    if (produto.trimmed().isEmpty())
        return;
    host::data::Query& obs = *dmGlobal->quObsGeral;
    if (fonte)
        fonte->setDataset(&obs);
    dmGlobal->CarregaObservacao(produto, "P", -1);

    host::data::Query& aux = *dmGlobal->quAuxiliar;
    abrirComposicao(aux, campoCotado("CODIGO").asString(), dmGlobal->sNumeroSerieComposicao.trimmed());
    QString texto = aux.fieldByName("EQUIPAMENTO")->asString().trimmed();
    for (aux.first(); !aux.eof(); aux.next()) {
        const QString componente = aux.fieldByName("CMCODIGO")->asString();
        const QString especificacao =
            " (" + CarregaDado("OBTEXTO", "AUGC70OB", " where OBCODIGO = " + QuotedStr(componente) + " and OBID = " +
                                                          QuotedStr("P") + " and OBSEQUENCIA = 2 ").trimmed() + ")";
        texto = texto.trimmed() + "  -  " + textoComponente(aux);
        if (especificacao.trimmed() != "()")
            texto = texto.trimmed() + especificacao;
    }
    aux.close();
    texto = texto.trimmed();

    host::data::Field& campo = *obs.fieldByName("OBTEXTO");
    if (campo.asString().trimmed() == texto)
        return;
    try {
        if (obs.isEmpty()) {
            obs.append();
            obs.fieldByName("OBCODIGO")->setAsString(produto.trimmed());
            obs.fieldByName("OBID")->setAsString("P");
            obs.fieldByName("OBSEQUENCIA")->setAsInteger(-1);
        } else {
            obs.edit();
        }
        campo.setAsString(texto);
        obs.post();
    } catch (const host::db::DbError& erro) {
        obs.cancel();
        dmGlobal->MostraErro("Erro: " + dmGlobal->TextoErroBanco(erro, "[CarregaConfiguracaoComposicao]"));
    }
}
