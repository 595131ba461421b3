#include "rental/uExtenso.h"

namespace uExtenso {

QString cTexto;
QString cPosicao1;
QString cPosicao2;
QString cPosicao3;
QString cPosicao4;
int cTipoMoeda = 3;
QString cValor1;

// Entries as the documents have always printed them, blanks included.
const std::array<const char*, 10> aUnidade = {
    "", "UM ", "DOIS ", " TRES ", " QUATRO ", " CINCO ", " SEIS ", " SETE ", " OITO ", " NOVE "};
const std::array<const char*, 10> aDezena = {
    "", "DEZ ", "VINTE ", "TRINTA ", "QUARENTA ", "CINQUENTA ", "SESSENTA ", "SETENTA ", "OITENTA ", "NOVENTA "};
const std::array<const char*, 20> aDezena2 = {
    "", "", "", "", "", "", "", "", "", "",
    "DEZ ", "ONZE ", " DOZE ", "TREZE ", "QUATORZE ", "QUINZE ", "DEZESSEIS ", "DEZESSETE ", "DEZOITO ", "DEZENOVE "};
const std::array<const char*, 10> aCentena = {
    "", "CENTO ", "DUZENTOS ", "TREZENTOS ", "QUATROCENTOS ", "QUINHENTOS ", "SEISCENTOS ", "SETECENTOS ",
    "OITOCENTOS ", "NOVECENTOS "};
const std::array<const char*, 4> aMilhar = {"", "MIL ", "MILHAO ", "MILHOES "};
const std::array<std::array<const char*, 2>, 4> aMoeda = {
    {{"", ""}, {"CRUZEIRO ", "CRUZEIROS "}, {"DOLAR ", "DOLARES "}, {"REAL ", "REAIS "}}};
const std::array<const char*, 3> aCentavo = {"", "CENTAVO", "CENTAVOS"};

namespace {

// The integer groups together read as a number (0 when not digits).
long long extensoInteiroGrupos()
{
    return (cPosicao1 + cPosicao2 + cPosicao3).trimmed().toLongLong();
}

int digitoExtenso(QChar c) { return c.isDigit() ? c.digitValue() : 0; }

}  // namespace

void Converte(const QString& grupo, int posicao)
{
    const QString g = grupo.trimmed().rightJustified(3, QLatin1Char('0')).left(3);
    const int valor = g.toInt();
    if (valor == 0)
        return;
    const int d1 = digitoExtenso(g[0]);
    const int d2 = digitoExtenso(g[1]);
    const int d3 = digitoExtenso(g[2]);
    const int d23 = d2 * 10 + d3;
    if (posicao == 4 && extensoInteiroGrupos() != 0)
        cTexto += QStringLiteral(" E ");
    if (d1 != 0)
        cTexto += (d23 == 0 && d1 == 1) ? QStringLiteral("CEM ") : QString::fromLatin1(aCentena[size_t(d1)]);
    const bool dezADezenove = d23 >= 10 && d23 <= 19;
    if (dezADezenove)
        cTexto += (d1 != 0 ? QStringLiteral("E ") : QString()) + QString::fromLatin1(aDezena2[size_t(d23)]);
    if (d2 >= 2)
        cTexto += (d1 != 0 ? QStringLiteral("E ") : QString()) + QString::fromLatin1(aDezena[size_t(d2)]);
    if (d3 != 0 && !dezADezenove)
        cTexto += (d1 == 0 && d2 == 0 ? QString() : QStringLiteral("E ")) + QString::fromLatin1(aUnidade[size_t(d3)]);
    switch (posicao) {
    case 1:
        cTexto += QString::fromLatin1(valor == 1 ? aMilhar[2] : aMilhar[3]);
        break;
    case 2:
        cTexto += QString::fromLatin1(aMilhar[1]);
        break;
    case 3:
        // A currency type outside the table names no currency.
        if (cTipoMoeda >= 1 && cTipoMoeda <= 3)
            cTexto += QString::fromLatin1(aMoeda[size_t(cTipoMoeda)][extensoInteiroGrupos() == 1 ? 0 : 1]);
        break;
    case 4:
        cTexto += QString::fromLatin1(aCentavo[valor == 1 ? 1 : 2]);
        break;
    default:
        break;
    }
}

namespace {

const QChar kMarcaExtenso(0x01);

// Widens the blanks from the right until the slice fills the width, unless
// the gap is above 20 or the slice ends a sentence.
QString justificaExtenso(QString fatia, int largura)
{
    while (fatia.size() < largura) {
        const int falta = largura - int(fatia.size());
        if (falta > 20 || fatia.endsWith(QLatin1Char('.')) || !fatia.contains(QLatin1Char(' ')))
            break;
        fatia.replace(QLatin1Char(' '), kMarcaExtenso);
        int restantes = falta;
        for (int i = int(fatia.size()) - 1; i >= 0 && restantes > 0; --i)
            if (fatia[i] == kMarcaExtenso) {
                fatia.replace(i, 1, QStringLiteral("  "));
                --restantes;
            }
        fatia.replace(kMarcaExtenso, QLatin1Char(' '));
        fatia = Rtrim(fatia);
    }
    return fatia;
}

}  // namespace

QString Formata(const QString& texto, int linhas, int largura, QChar preenchimento)
{
    if (linhas <= 0 || largura <= 0)
        return {};
    QString resultado;
    for (int linha = 0; linha < linhas; ++linha) {
        const QString fatia = justificaExtenso(Rtrim(texto.mid(qsizetype(linha) * largura, largura)), largura);
        // A slice left short keeps its width, so the next line starts in its place.
        resultado += fatia.leftJustified(largura, QLatin1Char(' '));
    }
    const int total = linhas * largura;
    return (Rtrim(resultado) + QLatin1Char(' ') + Repete(preenchimento, total)).left(total);
}

QString StrZero(double valor, int largura, int decimais)
{
    const QString numero = Alltrim(QString::number(valor, 'f', std::max(0, decimais)));
    return numero.rightJustified(largura, QLatin1Char('0'));
}

QString Alltrim(const QString& texto)
{
    QString semBrancos = texto;
    return semBrancos.remove(QLatin1Char(' '));
}

QString Rtrim(const QString& texto)
{
    qsizetype fim = texto.size();
    while (fim > 0 && texto[fim - 1] == QLatin1Char(' '))
        --fim;
    return texto.left(fim);
}

QString BuscaTroca(const QString& texto, QChar busca, const QString& troca)
{
    QString resultado;
    resultado.reserve(texto.size());
    for (QChar c : texto)
        if (c == busca)
            resultado += troca;
        else
            resultado += c;
    return resultado;
}

int BuscaDireita(QChar busca, const QString& texto) { return int(texto.lastIndexOf(busca)) + 1; }

QString Repete(QChar c, int n) { return n <= 0 ? QString() : QString(n, c); }

}  // namespace uExtenso
