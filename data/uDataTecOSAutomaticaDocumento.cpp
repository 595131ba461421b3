// Document and removal modes of LancaOrdemServico: one service order per
// qualifying item of a stock document of the host (an operation that makes
// orders, a product of origin 2 or 4), linked to the item; and the removal
// of the orders made from a document.

#include "data/uDataTecOSAutomatica.h"
#include "data/uDataTecOSAutomaticaComum.h"

#include "data/uDataTec.h"

#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Ulote.h"
#include "host/data/Query.h"

using namespace uDataTecOSAutomatica::comum;

namespace uDataTecOSAutomatica {

namespace {

QString condicaoDocumento(const DocumentoEstoque& d)
{
    return " Where it.documento = " + QuotedStr(d.documento) + "\r" +
           " and it.serie       = " + QuotedStr(d.serie) + "\r" +
           " and it.cod_cli     = " + QuotedStr(d.cliente) + "\r" +
           " and it.cod_op      = " + QuotedStr(d.operacao) + "\r" +
           " and it.meLocal     = " + QuotedStr(d.local);
}

// Why a document item makes no order; empty when it makes one.
QString recusaDoItem(const QString& operacaoItem, const QString& produto, host::data::Query& auxiliar)
{
    if (CarregaDado("OFTEF", "AFVC0901", "where cod_op = " + QuotedStr(operacaoItem), &auxiliar) != "S")
        return "Não gerou OS, pois a operação não está configurada para isso.";
    const QString origem = CarregaDado("COM_FAB_S_FS", "ACEC1101", "where codigo = " + QuotedStr(produto), &auxiliar);
    if (origem != "2" && origem != "4")
        return "Não gerou OS, pois a origem do produto não é 2 ou 4.";
    return {};
}

// The order of one document item: header, the item, the service line and
// the link row. Returns the order's number.
int ordemDoItem(const DocumentoEstoque& d, const QString& produto, int sequencia, const QDateTime& dataDocumento,
                host::data::Query& auxiliar)
{
    TdmTec& tec = *dmTec;
    CarregaOrdemServico(0);
    log("Vai inserir cabeçalho");
    const int ordem = novaOrdem("N", d.cliente);
    log("Vai Carregar os itens");
    tec.CarregaOSItens(0, 0);
    log("Vai inserir os itens");
    tec.quOSItem->append();
    tec.quOSItemAOITEQUIPCODIGO->setAsInteger(dmGlobal->ParametroInteiro("ATEQUIPAMENTOPADRAO"));
    tec.quOSItemAOITPRCODIGO->setAsString(produto);
    tec.quOSItemAOITSERIE->setAsString(
        CarregaDado("NSNUMERO", "AUGC50NS ns ",
                    " where 1=1 " + NSRetornaCondicaoSQL(produto, d.documento, d.serie, d.operacao, d.cliente, d.local,
                                                         sequencia, dataDocumento),
                    &auxiliar));
    log("Vai confirmar inserção dos itens");
    tec.quOSItem->post();
    novaLinhaServico(ordem, true);
    log("Vai registrar referencia");
    ReferenciaACEM14 referencia;
    referencia.tipo = "S";
    referencia.documento = d.documento;
    referencia.cliente = d.cliente;
    referencia.serie = d.serie;
    referencia.local = d.local;
    referencia.operacao = d.operacao;
    referencia.dataDocumento = dataDocumento;
    referencia.dataReferencia = QDate::currentDate().startOfDay();
    referencia.aoCodigo = ordem;
    referencia.sequencia = sequencia;
    InsereACEM14REF(referencia);
    return ordem;
}

}  // namespace

void ExcluirOrdensDocumento(const DocumentoEstoque& d)
{
    log("Entrou no procedimento para exclusão da OS");
    auto referencias = CriarIbQuery("quReferenciasOS");
    referencias->setSql(" Select REFAOCODIGO from acem14REF ref \r"
                        " Where ref.REFODOCUMENTO   = " + QuotedStr(d.documento) + "\r" +
                        " and ref.REFOSERIE_DOC     = " + QuotedStr(d.serie) + "\r" +
                        " and ref.REFOCOD_CLI       = " + QuotedStr(d.cliente) + "\r" +
                        " and ref.REFOOPERACAO_DOC  = " + QuotedStr(d.operacao) + "\r" +
                        " and ref.REFOLOCAL_DOC     = " + QuotedStr(d.local));
    referencias->open();
    QStringList falhas;
    {
        host::ExecucaoLote lote(kOrigem);
        // The host asked for this deletion: the confirmation is the run's.
        lote.responder("Confirma a exclusão do registro?", "Sim");
        for (; !referencias->eof(); referencias->next()) {
            const int ordem = referencias->fieldByName("REFAOCODIGO")->asInteger();
            QString falha;
            const bool excluiu = ordemInteira(lote, [&] {
                CarregaOrdemServico(ordem);
                ExcluirRegistro(*dmTec->quOS);
            }, falha);
            if (!excluiu)
                falhas << "OS:" + QString::number(ordem) + " " + falha;
        }
    }
    referencias->close();
    if (!falhas.isEmpty())
        dmGlobal->MostraAviso("Não foi possível Excluir ordem de serviço.\r" + falhas.join("\r"), false);
}

void LancarOrdensDocumento(const DocumentoEstoque& d, int sequencia, const QString& produto,
                           const QDateTime& dataDocumento)
{
    log("Entrou no procedimento para Inclusão da OS");
    QString geradas;
    auto itens = CriarIbQuery("quItensDocumentoOS");
    auto auxiliar = CriarIbQuery("quAuxiliarOS");
    QString sql = " Select CODIGOPRODUTO,MEITCFOP,sequencia \r from acem14it it \r" + condicaoDocumento(d);
    if (sequencia >= 0 && !produto.trimmed().isEmpty())
        sql += "\r and it.codigoproduto = " + QuotedStr(produto) + "\r" +
               " and it.sequencia     = " + QString::number(sequencia);
    itens->setSql(sql);
    itens->open();
    QStringList falhas;
    {
        host::ExecucaoLote lote(kOrigem);
        for (; !itens->eof(); itens->next()) {
            const QString produtoItem = itens->fieldByName("CODIGOPRODUTO")->asString();
            const QString recusa = recusaDoItem(itens->fieldByName("MEITCFOP")->asString(), produtoItem, *auxiliar);
            if (!recusa.isEmpty()) {
                log(recusa);
                continue;
            }
            const int sequenciaItem = itens->fieldByName("SEQUENCIA")->asInteger();
            int ordem = 0;
            QString falha;
            if (ordemInteira(lote, [&] { ordem = ordemDoItem(d, produtoItem, sequenciaItem, dataDocumento, *auxiliar); },
                             falha))
                geradas += "OS:" + QString::number(ordem) + "\r";
            else
                falhas << "Item " + QString::number(sequenciaItem) + ": " + falha;
        }
    }
    itens->close();
    if (!falhas.isEmpty())
        dmGlobal->MostraAviso("Não foi possível inserir ordem de serviço.\r" + falhas.join("\r"), false);
    if (!geradas.isEmpty())
        dmGlobal->MostraAviso("Ordem de Serviço gerada com sucesso.\r" + geradas, false);
}

}  // namespace uDataTecOSAutomatica
