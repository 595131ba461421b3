#include "host/Upesqprod.h"

#include "host/Upesq.h"

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
         {"PCO_VENDA", "Preço Venda", 90, "pr.PCO_VENDA"},
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
