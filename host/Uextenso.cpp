#include "host/Uextenso.h"

#include "host/data/Format.h"

#include <QDate>
#include <QStringList>

#include <array>
#include <cmath>

namespace {

const std::array<const char*, 20> kExtensoAteVinte = {
    "zero",  "um",    "dois",     "três",   "quatro",   "cinco",     "seis",      "sete",    "oito",     "nove",
    "dez",   "onze",  "doze",     "treze",  "quatorze", "quinze",    "dezesseis", "dezessete", "dezoito", "dezenove"};
const std::array<const char*, 10> kExtensoDezenas = {
    "", "", "vinte", "trinta", "quarenta", "cinquenta", "sessenta", "setenta", "oitenta", "noventa"};
const std::array<const char*, 10> kExtensoCentenas = {
    "", "cento", "duzentos", "trezentos", "quatrocentos", "quinhentos", "seiscentos", "setecentos", "oitocentos",
    "novecentos"};
// Scales from the thousands up: singular, plural.
const std::array<std::array<const char*, 2>, 4> kExtensoEscalas = {
    {{"mil", "mil"}, {"milhão", "milhões"}, {"bilhão", "bilhões"}, {"trilhão", "trilhões"}}};

QString extensoGrupo(int n)
{
    if (n == 100)
        return QStringLiteral("cem");
    QStringList partes;
    if (n >= 100)
        partes << QString::fromUtf8(kExtensoCentenas[size_t(n / 100)]);
    const int resto = n % 100;
    if (resto >= 20) {
        partes << QString::fromUtf8(kExtensoDezenas[size_t(resto / 10)]);
        if (resto % 10)
            partes << QString::fromUtf8(kExtensoAteVinte[size_t(resto % 10)]);
    } else if (resto > 0) {
        partes << QString::fromUtf8(kExtensoAteVinte[size_t(resto)]);
    }
    return partes.join(QStringLiteral(" e "));
}

// An integer in words; "e" before a last group below one hundred or a round
// hundred ("mil e duzentos", "mil duzentos e trinta").
QString extensoInteiro(long long n)
{
    if (n == 0)
        return QString::fromUtf8(kExtensoAteVinte[0]);
    std::array<int, 5> grupos{};
    for (int& grupo : grupos) {
        grupo = int(n % 1000);
        n /= 1000;
    }
    QString texto;
    for (int i = int(grupos.size()) - 1; i >= 0; --i) {
        const int grupo = grupos[size_t(i)];
        if (grupo == 0)
            continue;
        QString parte;
        if (i == 0)
            parte = extensoGrupo(grupo);
        else if (i == 1)
            parte = grupo == 1 ? QStringLiteral("mil") : extensoGrupo(grupo) + QStringLiteral(" mil");
        else
            parte = extensoGrupo(grupo) + ' ' + QString::fromUtf8(kExtensoEscalas[size_t(i - 1)][grupo == 1 ? 0 : 1]);
        if (!texto.isEmpty()) {
            bool abaixoRestantes = true;
            for (int j = i - 1; j >= 0; --j)
                abaixoRestantes = abaixoRestantes && grupos[size_t(j)] == 0;
            const bool ultimo = abaixoRestantes && (grupo < 100 || grupo % 100 == 0);
            texto += ultimo ? QStringLiteral(" e ") : QStringLiteral(" ");
        }
        texto += parte;
    }
    return texto;
}

QString extensoPalavras(double valor, int tipoMoeda)
{
    const long long centavosTotais = std::llround(std::fabs(valor) * 100);
    const long long inteiro = centavosTotais / 100;
    const int centavos = int(centavosTotais % 100);
    static const std::array<std::array<const char*, 2>, 3> moedas = {
        {{"cruzeiro", "cruzeiros"}, {"dólar", "dólares"}, {"real", "reais"}}};
    const auto& moeda = moedas[size_t(tipoMoeda >= 1 && tipoMoeda <= 3 ? tipoMoeda - 1 : 2)];
    QString texto;
    if (inteiro > 0 || centavos == 0) {
        texto = extensoInteiro(inteiro);
        // "um milhão de reais": whole millions take "de".
        if (inteiro >= 1000000 && inteiro % 1000000 == 0)
            texto += QStringLiteral(" de");
        texto += ' ' + QString::fromUtf8(moeda[inteiro == 1 ? 0 : 1]);
    }
    if (centavos > 0) {
        if (!texto.isEmpty())
            texto += QStringLiteral(" e ");
        texto += extensoInteiro(centavos) + (centavos == 1 ? QStringLiteral(" centavo") : QStringLiteral(" centavos"));
    }
    if (valor < 0 && centavosTotais > 0)
        texto.prepend(QStringLiteral("menos "));
    return texto;
}

}  // namespace

QString ValorExtenso(double valor, int linhas, int largura, QChar preenchimento, int tipoMoeda)
{
    const QString palavras = extensoPalavras(valor, tipoMoeda);
    if (largura <= 0)
        return palavras;
    QStringList linhasTexto;
    QString linha;
    for (const QString& palavra : palavras.split(' ', Qt::SkipEmptyParts)) {
        if (!linha.isEmpty() && linha.size() + 1 + palavra.size() > largura) {
            linhasTexto << linha;
            linha.clear();
        }
        linha += (linha.isEmpty() ? QString() : QStringLiteral(" ")) + palavra;
    }
    linhasTexto << linha;
    while (linhasTexto.size() < linhas)
        linhasTexto << QString();
    QString texto;
    for (const QString& l : linhasTexto)
        texto += l.leftJustified(std::max<int>(largura, int(l.size())), preenchimento);
    return texto;
}

QString RetornaMesExtenso(int mes)
{
    if (mes < 1 || mes > 12)
        return {};
    return host::data::formatDate(QStringLiteral("mmmm"), QDate(2000, mes, 1));
}
