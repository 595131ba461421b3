#include "host/Upesqgeral.h"

#include <stdexcept>

bool SelecionaPesquisaGeral(int iTipo, const QString& sCampo1, const QString& sCampo2, const QString& sCampo3,
                            QString& sValor1, QString& sValor2, QString& sValor3, const QString& sCondicao)
{
    const host::PesquisaDefinicao* definicao = host::pesquisaGeral(iTipo);
    if (!definicao)
        throw std::invalid_argument("SelecionaPesquisaGeral: unknown search kind " + std::to_string(iTipo));
    QVariantMap linha;
    if (!host::executarPesquisa(*definicao, sCondicao, linha))
        return false;
    const QString valor1 = host::textoPesquisa(linha, sCampo1);
    const QString valor2 = host::textoPesquisa(linha, sCampo2);
    const QString valor3 = host::textoPesquisa(linha, sCampo3);
    sValor1 = valor1;
    sValor2 = valor2;
    sValor3 = valor3;
    return true;
}
