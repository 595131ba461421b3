#include "host/Uprodutocodigofabricante.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"

#include "host/data/Field.h"
#include "host/data/Query.h"

bool SelecionaProdutoCodigoFabricante(const QString& sCodigoFabricante, host::data::Field* campo)
{
    const QString fabricante = sCodigoFabricante.trimmed().toUpper();
    if (fabricante.isEmpty() || !campo)
        return false;
    const QString condicao = "upper(pr.PRCODIGOFORNECEDOR) = :FABRICANTE";
    // Two rows are enough to know whether the choice is the user's.
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql("select first 2 pr.CODIGO from ACEC1101 pr where " + condicao);
    consulta->paramByName("FABRICANTE")->setAsString(fabricante);
    consulta->open();
    const int encontrados = consulta->isEmpty() ? 0 : consulta->recordCount();
    QString codigo = consulta->isEmpty() ? QString() : consulta->fieldByName("CODIGO")->asString();
    consulta->close();

    if (encontrados == 0) {
        dmGlobal->MostraAviso("Código do fabricante não encontrado.");
        return false;
    }
    if (encontrados > 1) {
        host::PesquisaDefinicao definicao{
            4, "Pesquisa de Produtos", "fmPesquisaProdutoFabricante",
            "select pr.CODIGO, pr.DESCRICAO, pr.PRCODIGOFORNECEDOR, pr.UNIDADE_MEDIDA, pr.PCO_VENDA, pr.ESTOQUE"
            " from ACEC1101 pr",
            {}, "pr.DESCRICAO",
            {{"CODIGO", "Código", 90, "pr.CODIGO"},
             {"DESCRICAO", "Descrição", 300, "pr.DESCRICAO"},
             {"PRCODIGOFORNECEDOR", "Cód. Fabricante", 120, "pr.PRCODIGOFORNECEDOR"},
             {"UNIDADE_MEDIDA", "Un.", 40, "pr.UNIDADE_MEDIDA"},
             {"PCO_VENDA", "Preço Venda", 90, "pr.PCO_VENDA", host::kFormatoValor},
             {"ESTOQUE", "Estoque", 80, "pr.ESTOQUE"}},
            1};
        QVariantMap linha;
        if (!host::executarPesquisa(definicao, condicao, linha, {{"FABRICANTE", fabricante}}))
            return false;
        codigo = host::textoPesquisa(linha, "CODIGO");
    }
    campo->setAsString(codigo.trimmed());
    return true;
}
