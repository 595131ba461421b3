// The plain names of the printed rental documents and of the amount-in-words
// routines, for the host and the other packages.

#include "module/uPackageAss.h"

#include "rental/uAssContratoLocEquip.h"
#include "rental/uAssImpProposta.h"
#include "rental/uExtenso.h"

extern "C" {

void exportaVisualizarContratoLocacaoEquipamentos(int) __asm__("VisualizarContratoLocacaoEquipamentos");
void exportaVisualizarContratoLocacaoEquipamentos(int contrato)
{
    uPackageAss::CriarDataTec();
    VisualizarContratoLocacaoEquipamentos(contrato);
}

void exportaVisualizarPropostaAssVenda(const QString&) __asm__("VisualizarPropostaAssVenda");
void exportaVisualizarPropostaAssVenda(const QString& pedido)
{
    uPackageAss::CriarDataTec();
    VisualizarPropostaAssVenda(pedido);
}

void exportaConverte(const QString&, int) __asm__("Converte");
void exportaConverte(const QString& grupo, int posicao) { uExtenso::Converte(grupo, posicao); }

QString exportaFormata(const QString&, int, int, QChar) __asm__("Formata");
QString exportaFormata(const QString& texto, int linhas, int largura, QChar preenchimento)
{
    return uExtenso::Formata(texto, linhas, largura, preenchimento);
}

QString exportaStrZero(double, int, int) __asm__("StrZero");
QString exportaStrZero(double valor, int largura, int decimais) { return uExtenso::StrZero(valor, largura, decimais); }

QString exportaAlltrim(const QString&) __asm__("Alltrim");
QString exportaAlltrim(const QString& texto) { return uExtenso::Alltrim(texto); }

QString exportaRtrim(const QString&) __asm__("Rtrim");
QString exportaRtrim(const QString& texto) { return uExtenso::Rtrim(texto); }

QString exportaBuscaTroca(const QString&, QChar, const QString&) __asm__("BuscaTroca");
QString exportaBuscaTroca(const QString& texto, QChar busca, const QString& troca)
{
    return uExtenso::BuscaTroca(texto, busca, troca);
}

int exportaBuscaDireita(QChar, const QString&) __asm__("BuscaDireita");
int exportaBuscaDireita(QChar busca, const QString& texto) { return uExtenso::BuscaDireita(busca, texto); }

QString exportaRepete(QChar, int) __asm__("Repete");
QString exportaRepete(QChar c, int n) { return uExtenso::Repete(c, n); }

}
