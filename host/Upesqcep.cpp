#include "host/Upesqcep.h"

#include "host/Upesq.h"

bool SelecionaCEP(QString& sCEP, QString& sEndereco, QString& sBairro, QString& sCidade, QString& sUF)
{
    host::PesquisaDefinicao definicao{
        0, "Pesquisa de CEP", "fmPesquisaCEP",
        "select cp.CPCEP, cp.CPENDERECO, cp.CPBAIRRO, cp.CPCIDADE, cp.CPUF from AUGC08CP cp",
        {}, "cp.CPCEP",
        {{"CPCEP", "CEP", 80, "cp.CPCEP"},
         {"CPENDERECO", "Endereço", 260, "cp.CPENDERECO"},
         {"CPBAIRRO", "Bairro", 140, "cp.CPBAIRRO"},
         {"CPCIDADE", "Cidade", 140, "cp.CPCIDADE"},
         {"CPUF", "UF", 30, "cp.CPUF"}},
        0};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha))
        return false;
    sCEP = host::textoPesquisa(linha, "CPCEP");
    sEndereco = host::textoPesquisa(linha, "CPENDERECO");
    sBairro = host::textoPesquisa(linha, "CPBAIRRO");
    sCidade = host::textoPesquisa(linha, "CPCIDADE");
    sUF = host::textoPesquisa(linha, "CPUF");
    return true;
}
