// The host pickers of a sales-order line's grid (see UpesqVendasItens.h).

#include "host/UpesqVendasItens.h"

#include "host/PilvPro70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesq.h"

#include "host/db/Database.h"
#include "host/ui/Dialogs.h"

#include <QFile>

namespace {

host::PesquisaDefinicao documentosDoProduto(const QString& caption, const QString& layout)
{
    return {0,
            caption,
            layout,
            "select it.DOCUMENTO, it.SERIE, it.COD_CLI, it.COD_OP, it.MELOCAL, it.SEQUENCIA, it.DATA,"
            " it.QUNATIDADEPRODUTO from ACEM14IT it left outer join AFVC0901 op on (op.COD_OP = it.COD_OP)",
            "it.CODIGOPRODUTO = :PRODUTO",
            "it.DATA desc",
            {{"DOCUMENTO", "Documento", 80, "it.DOCUMENTO"},
             {"SERIE", "Série", 40, "it.SERIE"},
             {"COD_CLI", "Emitente", 60, "it.COD_CLI"},
             {"COD_OP", "Operação", 60, "it.COD_OP"},
             {"MELOCAL", "Local", 40, "it.MELOCAL"},
             {"DATA", "Data", 80, "it.DATA"},
             {"QUNATIDADEPRODUTO", "Quantidade", 70, "it.QUNATIDADEPRODUTO"}},
            0};
}

}  // namespace

void PesquisaProdutoLocal(const QString& sProduto)
{
    const host::PesquisaDefinicao definicao{
        0,
        "Estoque por Local",
        "fmPesquisaProdutoLocal",
        "select po.LECODIGO, le.DESCRICAO, coalesce(po.POENTRADA, 0) - coalesce(po.POSAIDA, 0) as SALDO from ACEC11PO po"
        " left outer join ACEC1401 le on (le.CODIGO = po.LECODIGO)",
        "po.PRCODIGO = :PRODUTO",
        "po.LECODIGO",
        {{"LECODIGO", "Local", 50, "po.LECODIGO"}, {"DESCRICAO", "Descrição", 200, "le.DESCRICAO"}, {"SALDO", "Saldo", 80, ""}},
        1};
    QVariantMap linha;
    host::executarPesquisa(definicao, {}, linha, {{"PRODUTO", sProduto}});
}

bool SelecionaDocumentoSaida(const QString& sProduto, QString& sDocumento, QString& sCliente, QString& sOperacao,
                             QString& sLocal, QString& sSerie)
{
    QVariantMap linha;
    if (!host::executarPesquisa(documentosDoProduto("Documentos de Saída", "fmPesquisaDocumentoSaida"),
                                "coalesce(op.TIPO_OP, '') <> 'E'", linha, {{"PRODUTO", sProduto}}))
        return false;
    sDocumento = host::textoPesquisa(linha, "DOCUMENTO");
    sCliente = host::textoPesquisa(linha, "COD_CLI");
    sOperacao = host::textoPesquisa(linha, "COD_OP");
    sLocal = host::textoPesquisa(linha, "MELOCAL");
    sSerie = host::textoPesquisa(linha, "SERIE");
    return true;
}

bool SelecionaDocumentoEntradaGarantiaItem(const QString& sProduto, QString& sDocumento, QString& sSerie,
                                           QString& sLocal, QString& sOperacao, QString& sFornecedor,
                                           int& iSequencia)
{
    QVariantMap linha;
    if (!host::executarPesquisa(documentosDoProduto("Documentos de Entrada", "fmPesquisaDocumentoGarantia"),
                                "op.TIPO_OP = 'E'", linha, {{"PRODUTO", sProduto}}))
        return false;
    sDocumento = host::textoPesquisa(linha, "DOCUMENTO");
    sSerie = host::textoPesquisa(linha, "SERIE");
    sLocal = host::textoPesquisa(linha, "MELOCAL");
    sOperacao = host::textoPesquisa(linha, "COD_OP");
    sFornecedor = host::textoPesquisa(linha, "COD_CLI");
    iSequencia = host::valorPesquisa(linha, "SEQUENCIA").toInt();
    return true;
}

int PVVerificaMedidaItem(bool bMostrar, const QString& sPedido, int iLinha)
{
    const int medidas = ContadorDados("VECODIGO", "AVEC85VEME", sPedido, " and VEITCODIGO = " + QString::number(iLinha));
    if (bMostrar) {
        const host::PesquisaDefinicao definicao{0,
                                                "Medidas do Item",
                                                "fmPesquisaMedidaItem",
                                                "select me.VEITCODIGO, me.PRCODIGO from AVEC85VEME me",
                                                "me.VECODIGO = :PEDIDO and me.VEITCODIGO = :LINHA",
                                                "me.PRCODIGO",
                                                {{"VEITCODIGO", "Item", 50, ""}, {"PRCODIGO", "Produto", 100, "me.PRCODIGO"}},
                                                1};
        QVariantMap linha;
        host::executarPesquisa(definicao, {}, linha, {{"PEDIDO", sPedido}, {"LINHA", iLinha}});
    }
    return medidas;
}

namespace {

host::PesquisaDefinicao componentesDoProduto()
{
    return {0,
            "Composição do Produto",
            "fmPesquisaComposicaoItem",
            "select cm.CMSEQUENCIA, cm.CMCODIGO, pr.DESCRICAO, cm.CMQUANTIDADE, cm.CMVALOR,"
            " coalesce(cm.CMQUANTIDADE, 0) * coalesce(cm.CMVALOR, 0) as CMTOTAL from AGPC03CM cm"
            " left outer join ACEC1101 pr on (pr.CODIGO = cm.CMCODIGO)",
            "cm.PRCODIGO = :PRODUTO",
            "cm.CMSEQUENCIA",
            {{"CMCODIGO", "Componente", 90, "cm.CMCODIGO"},
             {"DESCRICAO", "Descrição", 220, "pr.DESCRICAO"},
             {"CMQUANTIDADE", "Quantidade", 70, ""},
             {"CMVALOR", "Valor", 80, "", host::kFormatoValor},
             {"CMTOTAL", "Total", 80, "", host::kFormatoValor}},
            0};
}

}  // namespace

bool SelecionaComposicaoManual(const QString& sProduto, const QString&, const QString&, bool, int,
                               host::data::Dataset*, double& rValor)
{
    QVariantMap linha;
    if (!host::executarPesquisa(componentesDoProduto(), {}, linha, {{"PRODUTO", sProduto}}))
        return false;
    rValor = CarregaNumero("sum(coalesce(CMQUANTIDADE, 0) * coalesce(CMVALOR, 0))", "AGPC03CM",
                           "where PRCODIGO = " + QuotedStr(sProduto));
    return true;
}

bool SelecionaVendaItemComposicao(const QString&, int, const QString&, const QString&, const QString& sProduto,
                                  double& rValor, QString& sObs)
{
    QVariantMap linha;
    if (!host::executarPesquisa(componentesDoProduto(), {}, linha, {{"PRODUTO", sProduto}}))
        return false;
    rValor = host::valorPesquisa(linha, "CMTOTAL").toDouble();
    sObs = host::textoPesquisa(linha, "CMCODIGO") + " x " + host::textoPesquisa(linha, "CMQUANTIDADE");
    return true;
}

void PVItemVerificaComposicao(const QString& sProduto)
{
    AbrirComposicao(sProduto, QString(), true);
}

bool InserirImagem(const QString&, const QString& sCodigo, const QString& sId, int iSequencia, const QString& sCaption)
{
    QString arquivo;
    if (!host::ui::Dialogs::openFile(sCaption, "Imagens (*.png;*.jpg;*.bmp)|*.png;*.jpg;*.bmp", arquivo))
        return false;
    QFile origem(arquivo);
    if (!origem.open(QIODevice::ReadOnly)) {
        dmGlobal->MostraAviso("Arquivo " + arquivo + " não pode ser lido.");
        return false;
    }
    const QByteArray imagem = origem.readAll();
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QVariantMap chave{{"CODIGO", sCodigo}, {"ID", sId}, {"SEQUENCIA", iSequencia}};
    host::db::executeSql(tr, "delete from FOTO where FTCODIGO = :CODIGO and FTID = :ID and FTSEQUENCIA = :SEQUENCIA",
                         chave);
    QVariantMap linha = chave;
    linha.insert("FOTO", imagem);
    host::db::executeSql(tr,
                         "insert into FOTO (FTCODIGO, FTID, FTSEQUENCIA, FTFOTO) values (:CODIGO, :ID, :SEQUENCIA, :FOTO)",
                         linha);
    tr.commitRetaining();
    return true;
}
