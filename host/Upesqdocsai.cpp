#include "host/Upesqdocsai.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"

bool SelecionaDocumentoSaidaMultiplaOS(QString& sDocumento, QString& sSerie, QString& sCliente, QString& sOperacao,
                                       QString& sLocal, int iOrdem, int)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QString cliente =
        host::db::selectValue(tr, "select CLCODIGO from AATC01AO where AOCODIGO = :AOCODIGO", {{"AOCODIGO", iOrdem}})
            .toString()
            .trimmed();
    if (cliente.isEmpty())
        return false;
    // Entry operations (their type "5", "A", "D" or "0") bring goods in; the rest took them out.
    host::PesquisaDefinicao definicao{
        0, "Notas Fiscais de Saída", "fmPesquisaDocumentoSaida",
        "select nf.DOCUMENTO, nf.SERIE_DOC, nf.COD_CLI, nf.OPERACAO_DOC, nf.LOCAL_DOC, nf.DATA, nf.TOTAL_DOC"
        " from ACEM1401 nf left outer join AFVC0901 op on (op.COD_OP = nf.OPERACAO_DOC)",
        "nf.COD_CLI = :CLIENTE and coalesce(op.TIPO_OP, '') not in ('5', 'A', 'D', '0')"
        " and coalesce(nf.OPERACAOP, '') <> 'CA'",
        "nf.DATA desc, nf.DOCUMENTO desc",
        {{"DOCUMENTO", "Documento", 80, "nf.DOCUMENTO"},
         {"SERIE_DOC", "Série", 50, "nf.SERIE_DOC"},
         {"OPERACAO_DOC", "Operação", 60, "nf.OPERACAO_DOC"},
         {"DATA", "Data", 90, "nf.DATA"},
         {"TOTAL_DOC", "Total", 90, "nf.TOTAL_DOC", host::kFormatoValor}},
        0};
    QList<QVariantMap> documentos;
    if (!host::executarPesquisaMultipla(definicao, {}, documentos, {{"CLIENTE", cliente}}) || documentos.isEmpty())
        return false;

    host::db::Savepoint importacao(tr);
    for (const QVariantMap& documento : documentos) {
        const QVariantMap chave{{"DOCUMENTO", host::valorPesquisa(documento, "DOCUMENTO")},
                                {"SERIE", host::valorPesquisa(documento, "SERIE_DOC")},
                                {"CLIENTE", host::valorPesquisa(documento, "COD_CLI")},
                                {"OPERACAO", host::valorPesquisa(documento, "OPERACAO_DOC")},
                                {"LOCAL", host::valorPesquisa(documento, "LOCAL_DOC")}};
        std::vector<QVariantMap> linhas;
        {
            std::shared_ptr<host::db::Statement> itens = tr.prepared(
                "select it.CODIGOPRODUTO, prod.DESCRICAO, it.QUNATIDADEPRODUTO, it.MEITNUMEROSERIE, nf.DATA,"
                " (select first 1 eq.AECODIGO from AATC03AE eq where eq.PRCODIGO = it.CODIGOPRODUTO) as AECODIGO"
                " from ACEM14IT it"
                " inner join ACEM1401 nf on (nf.DOCUMENTO = it.DOCUMENTO and nf.SERIE_DOC = it.SERIE"
                "   and nf.COD_CLI = it.COD_CLI and nf.OPERACAO_DOC = it.COD_OP and nf.LOCAL_DOC = it.MELOCAL)"
                " left outer join ACEC1101 prod on (prod.CODIGO = it.CODIGOPRODUTO)"
                " where it.DOCUMENTO = :DOCUMENTO and it.SERIE = :SERIE and it.COD_CLI = :CLIENTE"
                " and it.COD_OP = :OPERACAO and it.MELOCAL = :LOCAL and coalesce(it.BAIXA, '') <> 'C'"
                " order by it.SEQUENCIA");
            for (auto it = chave.cbegin(); it != chave.cend(); ++it)
                itens->setParam(it.key(), it.value());
            itens->execute();
            while (itens->fetch())
                linhas.push_back({{"PRODUTO", itens->value(0)},
                                  {"DESCRICAO", itens->value(1)},
                                  {"QUANTIDADE", itens->value(2)},
                                  {"SERIE", itens->value(3)},
                                  {"DATA", itens->value(4)},
                                  {"EQUIPAMENTO", itens->value(5)}});
        }
        for (QVariantMap linha : linhas) {
            linha.insert("AOITCODIGO", ProximaChave(host::schema::kGeneratorOrderItem, "AOITCODIGO", "AATC01AOIT"));
            linha.insert("AOCODIGO", iOrdem);
            linha.insert("DOCUMENTO", chave.value("DOCUMENTO"));
            if (linha.value("EQUIPAMENTO").isNull())
                linha.insert("EQUIPAMENTO", 0);
            host::db::executeSql(tr,
                                 "insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO,"
                                 " AOITPRCODIGO, AOITQUANTIDADE, AOITSERIE, AOITNUMERONOTAFISCAL, AOITDATACOMPRA)"
                                 " values (:AOITCODIGO, :AOCODIGO, :EQUIPAMENTO, :DESCRICAO, :PRODUTO, :QUANTIDADE,"
                                 " :SERIE, :DOCUMENTO, :DATA)",
                                 linha);
        }
    }
    importacao.release();
    tr.commitRetaining();
    const QVariantMap& primeiro = documentos.first();
    sDocumento = host::textoPesquisa(primeiro, "DOCUMENTO");
    sSerie = host::textoPesquisa(primeiro, "SERIE_DOC");
    sCliente = host::textoPesquisa(primeiro, "COD_CLI");
    sOperacao = host::textoPesquisa(primeiro, "OPERACAO_DOC");
    sLocal = host::textoPesquisa(primeiro, "LOCAL_DOC");
    return true;
}
