// The host's searches of suppliers, sales orders, receivables, vehicles and
// accounts: pickers of the common runner (host/Upesq.h).

#include "host/PilvCtb70.h"
#include "host/PilvTra70.h"
#include "host/Udatamod.h"
#include "host/Upesq.h"
#include "host/Upesqforn.h"
#include "host/Upesqrec.h"

bool SelecionaFornecedor(QString& sCodigo, QString& sTipo, bool bTodos)
{
    host::PesquisaDefinicao definicao{
        5, "Pesquisa de Fornecedores", "fmPesquisaFornecedor",
        "select fo.FCOD, fo.FNOME, fo.FTIPO, fo.FPLACA from AUGC0501 fo", {}, "fo.FNOME",
        {{"FCOD", "Código", 60, "fo.FCOD"}, {"FNOME", "Nome", 300, "fo.FNOME"}, {"FTIPO", "Tipo", 40, "fo.FTIPO"}},
        1};
    QStringList condicoes;
    QVariantMap parametros;
    if (!sTipo.trimmed().isEmpty()) {
        condicoes << "fo.FTIPO = :TIPO";
        parametros.insert("TIPO", sTipo.trimmed());
    }
    if (!bTodos && UsuarioVendedor()) {
        condicoes << "upper(fo.FNOME) = :USUARIO";
        parametros.insert("USUARIO", IbUserName().toUpper());
    }
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, condicoes.join(" and "), linha, parametros))
        return false;
    sCodigo = host::textoPesquisa(linha, "FCOD");
    sTipo = host::textoPesquisa(linha, "FTIPO");
    return true;
}

bool SelecionaVenda(QString& sNumero)
{
    host::PesquisaDefinicao definicao{
        6, "Pesquisa de Pedidos de Venda", "fmPesquisaVenda",
        "select ped.NUMERO_PEDIDO, ped.DATA_EMISSAO, cl.NOME, ped.VALOR_TOTAL, ped.IMPRESSO_NF, ped.CODIGO_CLIENTE"
        " from AVEC8501 ped left join AUGC0301 cl on cl.CODIGO_CLIENTE = ped.CODIGO_CLIENTE",
        {}, "ped.NUMERO_PEDIDO desc",
        {{"NUMERO_PEDIDO", "Pedido", 80, "ped.NUMERO_PEDIDO"},
         {"DATA_EMISSAO", "Emissão", 90, "ped.DATA_EMISSAO"},
         {"NOME", "Cliente", 250, "cl.NOME"},
         {"VALOR_TOTAL", "Total", 90, "ped.VALOR_TOTAL", host::kFormatoDinheiro},
         {"IMPRESSO_NF", "Status", 50, "ped.IMPRESSO_NF"}}};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha))
        return false;
    sNumero = host::textoPesquisa(linha, "NUMERO_PEDIDO");
    return true;
}

bool SelecionaReceber(QString& sDocumento, QString& sCliente, int& iSequencia, QString& sFilial)
{
    host::PesquisaDefinicao definicao{
        7, "Pesquisa de Contas a Receber", "fmPesquisaReceber",
        "select cr.NUMERO_DOCUMENTO, cr.CODIGO_CLIENTE, cl.NOME, cr.SEQUENCIA, cr.CODIGO_FILIAL,"
        " cr.DATA_VENCIMENTO, cr.VALOR_DOCUMENTO, cr.SITUACAO_DOCUMENTO"
        " from ACRC5001 cr left join AUGC0301 cl on cl.CODIGO_CLIENTE = cr.CODIGO_CLIENTE",
        {}, "cr.DATA_VENCIMENTO desc, cr.NUMERO_DOCUMENTO, cr.SEQUENCIA",
        {{"NUMERO_DOCUMENTO", "Documento", 80, "cr.NUMERO_DOCUMENTO"},
         {"NOME", "Cliente", 220, "cl.NOME"},
         {"SEQUENCIA", "Parcela", 50, "cr.SEQUENCIA"},
         {"DATA_VENCIMENTO", "Vencimento", 90, "cr.DATA_VENCIMENTO"},
         {"VALOR_DOCUMENTO", "Valor", 90, "cr.VALOR_DOCUMENTO", host::kFormatoDinheiro},
         {"SITUACAO_DOCUMENTO", "Sit.", 35, "cr.SITUACAO_DOCUMENTO"}}};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha))
        return false;
    sDocumento = host::textoPesquisa(linha, "NUMERO_DOCUMENTO");
    sCliente = host::textoPesquisa(linha, "CODIGO_CLIENTE");
    iSequencia = host::valorPesquisa(linha, "SEQUENCIA").toInt();
    sFilial = host::textoPesquisa(linha, "CODIGO_FILIAL");
    return true;
}

bool SelecionaVeiculo(int& iCodigo, QString& sPlaca)
{
    host::PesquisaDefinicao definicao{
        9, "Pesquisa de Veículos", "fmPesquisaVeiculo",
        "select ta.TACODIGO, ta.TAPLACA, ta.TAMODELO, ta.TAMARCA from ACVC01TA ta", {}, "ta.TAPLACA",
        {{"TACODIGO", "Código", 60, "ta.TACODIGO"},
         {"TAPLACA", "Placa", 80, "ta.TAPLACA"},
         {"TAMODELO", "Modelo", 200, "ta.TAMODELO"},
         {"TAMARCA", "Marca", 150, "ta.TAMARCA"}},
        1};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha)) {
        iCodigo = 0;
        sPlaca.clear();
        return false;
    }
    iCodigo = host::valorPesquisa(linha, "TACODIGO").toInt();
    sPlaca = host::textoPesquisa(linha, "TAPLACA");
    return true;
}

bool SelecionaCtbConta(int& iConta, QString& sDescricao)
{
    host::PesquisaDefinicao definicao{
        10, "Pesquisa de Contas Contábeis", "fmPesquisaCtbConta",
        "select pc.PCCODIGO, pc.PCCLASSIFICACAO, pc.PCDESCRICAO from ACCC01PC pc",
        "coalesce(pc.PCTIPO, 'A') = 'A'", "pc.PCCLASSIFICACAO",
        {{"PCCODIGO", "Código", 60, "pc.PCCODIGO"},
         {"PCCLASSIFICACAO", "Classificação", 120, "pc.PCCLASSIFICACAO"},
         {"PCDESCRICAO", "Descrição", 300, "pc.PCDESCRICAO"}},
        2};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha))
        return false;
    iConta = host::valorPesquisa(linha, "PCCODIGO").toInt();
    sDescricao = host::textoPesquisa(linha, "PCDESCRICAO");
    return true;
}
