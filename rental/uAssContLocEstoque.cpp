// The stock document of closing and reopening rental equipment on the
// option-"E" register: the operation asked once per document, the movement
// kind its type gives, and one item per equipment line.

#include "rental/uAssContLocEncerramento.h"
#include "rental/uAssContLocEquipCad.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/ui/Errors.h"

#include <QDate>
#include <QTime>

namespace uAssContLocEncerramento {

QString TipoMovimentoOperacao(const QString& tipoOperacao)
{
    static const QStringList entradas{"5", "A", "D"};
    static const QStringList saidas{"1", "2", "3", "4", "6", "7", "8", "9", "B"};
    if (entradas.contains(tipoOperacao))
        return "E";
    if (saidas.contains(tipoOperacao))
        return "S";
    return {};
}

}  // namespace uAssContLocEncerramento

namespace {

const QString kClienteEstoqueLoc = QStringLiteral("00000");
const QString kSerieEstoqueLoc = QStringLiteral("A");

struct OperacaoEstoqueLoc {
    QString codigo, tipoMovimento;
};

// The operation of a new document, picked in the search of fiscal
// operations; every refusal ends the operation.
OperacaoEstoqueLoc operacaoDocumentoEstoqueLoc()
{
    QString codigo, tipo, nada;
    if (!SelecionaPesquisaGeral(25, "cod_op", "tipo_op", "cod_op", codigo, tipo, nada))
        dmGlobal->MostraAviso("Aviso: operação abortada.\rCódigo da Operação Inválido!", true);
    const QString movimento = uAssContLocEncerramento::TipoMovimentoOperacao(tipo.trimmed());
    if (movimento.isEmpty())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rO tipo de operação é inválido!", true);
    if (codigo.trimmed().isEmpty())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rCódigo da Operação Inválido!", true);
    return {codigo.trimmed(), movimento};
}

}  // namespace

void TfmAssContCadLocEquip::CtrAssBaixaEstoque(QString& documento, const QString& produto, double quantidade)
{
    const QString local = parametroLoc("ATLOCALPADRAO");
    try {
        // The operation stays with the document: it is read back from it for every further item.
        QString operacao;
        if (documento.trimmed().isEmpty()) {
            const OperacaoEstoqueLoc escolhida = operacaoDocumentoEstoqueLoc();
            DocumentoEstoque novo;
            novo.data = hoje();
            novo.serie = kSerieEstoqueLoc;
            novo.local = local;
            novo.tipo = escolhida.tipoMovimento;
            novo.hora = horaAtualTexto();
            novo.cliente = kClienteEstoqueLoc;
            novo.operacao = escolhida.codigo;
            novo.observacao = "Usuário: " + IbUserName();
            documento = dmGlobal->InseriDocumentoAcem1401(novo);
            operacao = escolhida.codigo;
        } else {
            operacao = CarregaDado("OPERACAO_DOC", "ACEM1401",
                                   " where DOCUMENTO = " + QuotedStr(documento) + " and SERIE_DOC = " +
                                       QuotedStr(kSerieEstoqueLoc) + " and COD_CLI = " +
                                       QuotedStr(kClienteEstoqueLoc) + " and LOCAL_DOC = " + QuotedStr(local))
                           .trimmed();
        }
        const int sequencia =
            int(CarregaNumero("max(sequencia)", "acem14it it",
                              " Where  It.Documento = " + QuotedStr(documento) + " and It.Serie = " +
                                  QuotedStr(kSerieEstoqueLoc) + " and It.cod_cli = " + QuotedStr(kClienteEstoqueLoc) +
                                  " and It.cod_op = " + QuotedStr(operacao) + " and It.meLocal = " +
                                  QuotedStr(local) + " ")) +
            1;
        const ProdutoEstoque& carregado = dmGlobal->CarregarProduto(produto);
        ItemDocumentoEstoque item;
        item.local = local;
        item.documento = documento;
        item.sequencia = sequencia;
        item.quantidade = quantidade;
        item.cliente = kClienteEstoqueLoc;
        item.serie = kSerieEstoqueLoc;
        item.operacao = operacao;
        item.produto = produto;
        item.valorUnitario = carregado.valorUnitario;
        item.valorTotal = carregado.valorUnitario * quantidade;
        item.hora = horaAtualTexto();
        item.colunasExtras = ", CCCODIGO";
        item.valoresExtras = ",0";
        dmGlobal->InseriItemAcem14it(item);
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        if (!OperacaoAbortada(falha))
            dmGlobal->Log("[CtrAssBaixaEstoque]", " EXCEPTION --> " + host::ui::exceptionMessage(falha));
        dmGlobal->MostraErro("Erro ao executar Entrada no Estoque!");
    }
}
