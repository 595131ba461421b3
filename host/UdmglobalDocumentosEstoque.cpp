// TdmGlobal: stock documents (ACEM1401/ACEM14IT), the product record their
// items take, and the stock additions and subtractions.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/UdmglobalPrecos.h"
#include "host/Uglobal.h"
#include "host/Unumeracao.h"
#include "host/db/KeptByText.h"

namespace {

QDateTime diaDocumentoEstoque(const QDateTime& data)
{
    return host::db::localDateTime(data.isValid() ? data.date() : QDate::currentDate());
}

// The stock and the position of the location move by the quantity: out
// with a subtraction, in with an addition.
void moverEstoqueProduto(host::db::Transaction& tr, const QString& produto, double quantidade, const QString& local,
                         bool entrada)
{
    // The texts of both directions, made once: a settlement moves stock line by line.
    static const QString estoque[2] = {"update ACEC1101 set ESTOQUE = coalesce(ESTOQUE, 0) - :Q where CODIGO = :P",
                                       "update ACEC1101 set ESTOQUE = coalesce(ESTOQUE, 0) + :Q where CODIGO = :P"};
    static const QString posicao[2] = {
        "update ACEC11PO set POSAIDA = coalesce(POSAIDA, 0) + :Q where PRCODIGO = :P and LECODIGO = :L",
        "update ACEC11PO set POENTRADA = coalesce(POENTRADA, 0) + :Q where PRCODIGO = :P and LECODIGO = :L"};
    static const QString novaPosicao[2] = {
        "insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values (:P, :L, 0, :Q)",
        "insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values (:P, :L, :Q, 0)"};
    host::db::Savepoint ponto(tr);
    const QString codigo = produto.trimmed();
    const QString lugar = LocalEstoqueTresDigitos(local.trimmed().isEmpty() ? dmGlobal->sLocalEstoqueAtual : local);
    {
        const auto st = tr.prepared(estoque[entrada]);
        st->setParam("Q", quantidade);
        st->setParam("P", codigo);
        st->execute();
    }
    auto naPosicao = [&](const QString& sql) {
        const auto st = tr.prepared(sql);
        st->setParam("Q", quantidade);
        st->setParam("P", codigo);
        st->setParam("L", lugar);
        st->execute();
        return st->rowsAffected();
    };
    if (naPosicao(posicao[entrada]) == 0)
        naPosicao(novaPosicao[entrada]);
    ponto.release();
}

}  // namespace

QString TdmGlobal::InseriDocumentoAcem1401(const DocumentoEstoque& documento)
{
    host::db::Transaction& tr = *IBTransaction1;
    host::db::Savepoint ponto(tr);
    const QString serie = documento.serie.trimmed();
    const QString local = documento.local.trimmed();
    const QString numero = documento.numero.trimmed().isEmpty() ? host::ProximoNumeroDocumentoEstoque(tr, serie, local)
                                                                 : documento.numero.trimmed();
    const QString cliente = documento.cliente.trimmed().isEmpty() ? QString("00000") : documento.cliente.trimmed();
    host::db::executeSql(tr,
                         "insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, DATA,"
                         " TOTAL_DOC, TIPO_DOC, HORA_DOC, OBSERVACAO_DOC) values (:DOCUMENTO, :SERIE, :CLIENTE,"
                         " :OPERACAO, :LOCAL, :DATA, :TOTAL, :TIPO, :HORA, :OBSERVACAO)",
                         {{"DOCUMENTO", numero},
                          {"SERIE", serie},
                          {"CLIENTE", cliente},
                          {"OPERACAO", aparadoOuNulo(documento.operacao)},
                          {"LOCAL", local},
                          {"DATA", diaDocumentoEstoque(documento.data)},
                          {"TIPO", aparadoOuNulo(documento.tipo)},
                          {"HORA", aparadoOuNulo(documento.hora.left(8))},
                          {"OBSERVACAO", aparadoOuNulo(documento.observacao.left(100))},
                          {"TOTAL", documento.total}});
    ponto.release();
    return numero;
}

const ProdutoEstoque& TdmGlobal::CarregarProduto(const QString& produto)
{
    produtoCarregado = {};
    std::shared_ptr<host::db::Statement> consulta =
        IBTransaction1->prepared("select CODIGO, DESCRICAO, UNIDADE_MEDIDA, PCO_VENDA, PCO_CUSTO from ACEC1101"
                                 " where CODIGO = :P");
    host::db::Statement& leitura = *consulta;
    leitura.setParam("P", produto.trimmed());
    leitura.execute();
    if (leitura.fetch()) {
        produtoCarregado.codigo = leitura.value("CODIGO").toString().trimmed();
        produtoCarregado.descricao = leitura.value("DESCRICAO").toString().trimmed();
        produtoCarregado.unidade = leitura.value("UNIDADE_MEDIDA").toString().trimmed();
        produtoCarregado.valorUnitario = leitura.value("PCO_VENDA").toDouble();
        produtoCarregado.custo = leitura.value("PCO_CUSTO").toDouble();
        produtoCarregado.encontrado = true;
    }
    return produtoCarregado;
}

void TdmGlobal::InseriItemAcem14it(const ItemDocumentoEstoque& item)
{
    auto comVirgula = [](const QString& texto) {
        const QString t = texto.trimmed();
        return t.isEmpty() || t.startsWith(',') ? t : ", " + t;
    };
    auto texto = [&](const QString& colunas, const QString& valores) {
        return "insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA,"
               " QUNATIDADEPRODUTO, DATA, AOCODIGO, VALOR_TOTAL_UNIT, VALOR_TOTAL, HORA, LECODIGO, OBSERVACAO_PRODUTO,"
               " ACCODIGO" +
               comVirgula(colunas) +
               ") values (:DOCUMENTO, :SERIE, :CLIENTE, :OPERACAO, :LOCAL, :PRODUTO, :SEQUENCIA, :QUANTIDADE, :DATA,"
               " :AOCODIGO, :UNITARIO, :TOTAL, :HORA, :LOCALPRODUTO, :OBSERVACAO, :ACCODIGO" +
               comVirgula(valores) + ")";
    };
    // Parameters set one by one on the kept statement: a settlement writes
    // an item per line, each with the same extra columns (their text made
    // once for them).
    thread_local host::db::LastMade<QString, QString, QString> porExtras;
    const auto st = IBTransaction1->prepared(
        porExtras.of(item.colunasExtras, item.valoresExtras, [&] { return texto(item.colunasExtras, item.valoresExtras); }));
    const QString cliente = item.cliente.trimmed();
    st->setParam("DOCUMENTO", item.documento.trimmed());
    st->setParam("SERIE", item.serie.trimmed());
    st->setParam("CLIENTE", cliente.isEmpty() ? QString("00000") : cliente);
    st->setParam("OPERACAO", aparadoOuNulo(item.operacao));
    st->setParam("LOCAL", item.local.trimmed());
    st->setParam("PRODUTO", item.produto.trimmed());
    st->setParam("SEQUENCIA", item.sequencia);
    st->setParam("QUANTIDADE", item.quantidade);
    st->setParam("DATA", diaDocumentoEstoque(item.data));
    st->setParam("AOCODIGO", item.aoCodigo > 0 ? QVariant(item.aoCodigo) : QVariant());
    st->setParam("UNITARIO", item.valorUnitario);
    st->setParam("TOTAL", item.valorTotal);
    st->setParam("HORA", aparadoOuNulo(item.hora.left(8)));
    st->setParam("LOCALPRODUTO", item.localProduto.trimmed().isEmpty()
                                     ? QVariant()
                                     : QVariant(LocalEstoqueTresDigitos(item.localProduto)));
    st->setParam("OBSERVACAO", aparadoOuNulo(item.observacao.left(255)));
    st->setParam("ACCODIGO", item.acCodigo > 0 ? QVariant(item.acCodigo) : QVariant());
    st->execute();
}

namespace {

// The key of a stock document as the loaders read it: what the writers
// above stored (trimmed texts, "00000" for no customer).
QVariantMap chaveDocumentoEstoque(const QString& documento, const QString& cliente, const QString& serie,
                                  const QString& operacao, const QString& local)
{
    return {{"DOCUMENTO", documento.trimmed()},
            {"CLIENTE", cliente.trimmed().isEmpty() ? QString("00000") : cliente.trimmed()},
            {"SERIE", serie.trimmed()},
            {"OPERACAO", operacao.trimmed()},
            {"LOCAL", local.trimmed()}};
}

void abreDocumentoEstoque(host::data::Query& query, const QString& sql, const QVariantMap& chave)
{
    if (query.active())
        query.close();
    if (query.sql() != sql)
        query.setSql(sql);
    for (auto it = chave.begin(); it != chave.end(); ++it)
        query.paramByName(it.key())->setValue(it.value());
    query.open();
}

}  // namespace

void TdmGlobal::CarregarDocumento(const QString& documento, const QString& cliente, const QString& serie,
                                  const QString& operacao, const QString& local)
{
    abreDocumentoEstoque(*quMov,
                         "select * from ACEM1401 where DOCUMENTO = :DOCUMENTO and COD_CLI = :CLIENTE"
                         " and SERIE_DOC = :SERIE and OPERACAO_DOC = :OPERACAO and LOCAL_DOC = :LOCAL",
                         chaveDocumentoEstoque(documento, cliente, serie, operacao, local));
}

void TdmGlobal::CarregaDocumentoItem(const QString& documento, const QString& cliente, const QString& serie,
                                     const QString& operacao, const QString& local, bool bComProduto,
                                     const QString& condicao)
{
    const QString colunas = bComProduto ? "it.*, pr.DESCRICAO" : "it.*";
    const QString produto =
        bComProduto ? " left outer join ACEC1101 pr on (pr.CODIGO = it.CODIGOPRODUTO)" : QString();
    abreDocumentoEstoque(*quMovItem,
                         "select " + colunas + " from ACEM14IT it" + produto +
                             " where it.DOCUMENTO = :DOCUMENTO and it.COD_CLI = :CLIENTE and it.SERIE = :SERIE"
                             " and it.COD_OP = :OPERACAO and it.MELOCAL = :LOCAL " +
                             condicao + " order by it.SEQUENCIA",
                         chaveDocumentoEstoque(documento, cliente, serie, operacao, local));
}

void TdmGlobal::SomaEstoque(const QString& produto, double quantidade, const QString& local)
{
    moverEstoqueProduto(*IBTransaction1, produto, quantidade, local, true);
}

void TdmGlobal::SubtraiEstoque(const QString& produto, double quantidade, const QString& local)
{
    moverEstoqueProduto(*IBTransaction1, produto, quantidade, local, false);
}

QString TdmGlobal::TipoOperacao(const QString& operacao)
{
    return CarregaDado("TIPO_OP", "AFVC0901", "where COD_OP = " + QuotedStr(operacao.trimmed())).trimmed();
}
