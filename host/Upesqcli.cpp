#include "host/Upesqcli.h"

#include "host/Upesq.h"

bool SelecionaCliente(QString& sNome, QString& sCodigo, QString& sNomeFantasia, bool bPorCodigo)
{
    host::PesquisaDefinicao definicao{
        3, "Pesquisa de Clientes", "fmPesquisaCliente",
        "select cl.CODIGO_CLIENTE, cl.NOME, cl.NOME_FANTASIA, cl.CGC_CNPJ, cl.CIDADE, cl.ESTADO, cl.TELEFONE1"
        " from AUGC0301 cl",
        {}, "cl.NOME",
        {{"CODIGO_CLIENTE", "Código", 60, "cl.CODIGO_CLIENTE"},
         {"NOME", "Nome", 280, "cl.NOME"},
         {"NOME_FANTASIA", "Fantasia", 160, "cl.NOME_FANTASIA"},
         {"CGC_CNPJ", "CNPJ/CPF", 120, "cl.CGC_CNPJ"},
         {"CIDADE", "Cidade", 120, "cl.CIDADE"},
         {"ESTADO", "UF", 30, "cl.ESTADO"},
         {"TELEFONE1", "Telefone", 90, "cl.TELEFONE1"}},
        bPorCodigo ? 0 : 1};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha))
        return false;
    sNome = host::textoPesquisa(linha, "NOME");
    sCodigo = host::textoPesquisa(linha, "CODIGO_CLIENTE");
    sNomeFantasia = host::textoPesquisa(linha, "NOME_FANTASIA");
    return true;
}
