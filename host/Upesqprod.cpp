#include "host/Upesqprod.h"

#include "host/Upesq.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"

namespace {

host::PesquisaDefinicao definicaoProdutos(bool bServicos)
{
    return {
        4, "Pesquisa de Produtos", "fmPesquisaProduto",
        "select pr.CODIGO, pr.DESCRICAO, pr.UNIDADE_MEDIDA, pr.PCO_VENDA, pr.ESTOQUE, pr.QTDE_PRODUCAO,"
        " pr.PRPRECOPROMOCIONAL, pr.PCO_CUSTO, pr.OUTRO_CODIGO, pr.COM_FAB_S_FS from ACEC1101 pr",
        bServicos ? "coalesce(pr.PRATIVO, 'S') <> 'N'"
                  : "coalesce(pr.PRATIVO, 'S') <> 'N' and coalesce(pr.COM_FAB_S_FS, '') <> '7'",
        "pr.DESCRICAO",
        {{"CODIGO", "Código", 90, "pr.CODIGO"},
         {"DESCRICAO", "Descrição", 300, "pr.DESCRICAO"},
         {"UNIDADE_MEDIDA", "Un.", 40, "pr.UNIDADE_MEDIDA"},
         {"PCO_VENDA", "Preço Venda", 90, "pr.PCO_VENDA", host::kFormatoDinheiro},
         {"ESTOQUE", "Estoque", 80, "pr.ESTOQUE"},
         {"OUTRO_CODIGO", "Outro Código", 110, "pr.OUTRO_CODIGO"}},
        1};
}

}  // namespace

bool SelecionaProduto(QString& sCodigo, QString& sDescricao, double& rPrecoVenda, double& rEstoque,
                      double& rReservado, double& rPrecoPromocional, double& rCusto, bool bServicos)
{
    QVariantMap linha;
    if (!host::executarPesquisa(definicaoProdutos(bServicos), {}, linha))
        return false;
    sCodigo = host::textoPesquisa(linha, "CODIGO");
    sDescricao = host::textoPesquisa(linha, "DESCRICAO");
    rPrecoVenda = host::valorPesquisa(linha, "PCO_VENDA").toDouble();
    rEstoque = host::valorPesquisa(linha, "ESTOQUE").toDouble();
    rReservado = host::valorPesquisa(linha, "QTDE_PRODUCAO").toDouble();
    rPrecoPromocional = host::valorPesquisa(linha, "PRPRECOPROMOCIONAL").toDouble();
    rCusto = host::valorPesquisa(linha, "PCO_CUSTO").toDouble();
    return true;
}

bool SelecionaProdutoDescricao(const QString& sDescricao, host::data::Field* campoCodigo)
{
    host::PesquisaDefinicao definicao{
        118, "Pesquisa de Produtos por Descrição", "fmPesquisaProdutoDescricao",
        "select pr.CODIGO, pr.DESCRICAO, pr.UNIDADE_MEDIDA, pr.PCO_VENDA, pr.ESTOQUE from ACEC1101 pr",
        "coalesce(pr.PRATIVO, 'S') <> 'N' and upper(pr.DESCRICAO) containing upper(" +
            host::ParametroTextoPesquisa("DESCRICAO") + ")",
        "pr.DESCRICAO",
        {{"CODIGO", "Código", 90, "pr.CODIGO"},
         {"DESCRICAO", "Descrição", 300, "pr.DESCRICAO"},
         {"UNIDADE_MEDIDA", "Un.", 40, "pr.UNIDADE_MEDIDA"},
         {"PCO_VENDA", "Preço Venda", 90, "pr.PCO_VENDA", host::kFormatoDinheiro},
         {"ESTOQUE", "Estoque", 80, "pr.ESTOQUE"}},
        1};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha, {{"DESCRICAO", sDescricao.trimmed()}}))
        return false;
    if (campoCodigo)
        campoCodigo->setAsString(host::textoPesquisa(linha, "CODIGO"));
    return true;
}

bool SelecionaAssEquipamentosSolicitados(const QString& sPedido, QString& sProduto, int& iLinha, double& rValor)
{
    host::PesquisaDefinicao definicao{
        117, "Equipamentos Solicitados do Pedido", "fmPesquisaAssEquipamentosSolicitados",
        "select it.COD, it.CODIGO, pr.DESCRICAO, it.QUANTIDADE, it.VALOR from AVEC85IT it"
        " left join ACEC1101 pr on pr.CODIGO = it.CODIGO",
        "it.NUMERO_PEDIDO = :PEDIDO", "it.COD",
        {{"COD", "Seq.", 50, "it.COD"},
         {"CODIGO", "Código", 90, "it.CODIGO"},
         {"DESCRICAO", "Descrição", 260, "pr.DESCRICAO"},
         {"QUANTIDADE", "Qtde.", 70, "it.QUANTIDADE"},
         {"VALOR", "Valor", 90, "it.VALOR", host::kFormatoDinheiro}},
        2};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha, {{"PEDIDO", sPedido.trimmed()}}))
        return false;
    sProduto = host::textoPesquisa(linha, "CODIGO");
    iLinha = host::valorPesquisa(linha, "COD").toInt();
    rValor = host::valorPesquisa(linha, "VALOR").toDouble();
    return true;
}

QString RetornaSQLCampoEstoque(const QString& colunaCodigo, const QString& alias)
{
    return "coalesce((select sum(coalesce(po.POENTRADA, 0) - coalesce(po.POSAIDA, 0)) from ACEC11PO po"
           " where po.PRCODIGO = " + colunaCodigo + " and po.LECODIGO = " +
           QuotedStr(dmGlobal->sLocalEstoqueAtual.trimmed()) + "), 0) as " + alias;
}
