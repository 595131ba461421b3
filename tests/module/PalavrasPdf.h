#pragma once
// The words of a printed PDF as poppler reads them back ("pdftotext -bbox"),
// and the words out of place: past a margin of the page, or over another.

#include "host/report/ReportTypes.h"

#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>

#include <vector>

#include <gtest/gtest.h>

namespace moduletest {

struct PalavraPdf {
    QString texto;
    QRectF caixa;   // points, from the page's top left corner
};
struct PaginaPdf {
    double largura = 0;
    std::vector<PalavraPdf> palavras;
};

// The words of each page with their boxes ("pdftotext -bbox").
inline std::vector<PaginaPdf> palavrasDoPdf(const QString& pdf)
{
    QProcess poppler;
    poppler.start("pdftotext", {"-bbox", pdf, "-"});
    EXPECT_TRUE(poppler.waitForFinished(30000));
    const QString xhtml = QString::fromUtf8(poppler.readAllStandardOutput());
    static const QRegularExpression marca(R"re(<page width="([\d.]+)"|<word xMin="([\d.]+)" yMin="([\d.]+)")re"
                                          R"re( xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    std::vector<PaginaPdf> paginas;
    for (const QRegularExpressionMatch& m : marca.globalMatch(xhtml)) {
        if (!m.captured(1).isEmpty()) {
            paginas.push_back({m.captured(1).toDouble(), {}});
        } else if (!paginas.empty()) {
            const QPointF de(m.captured(2).toDouble(), m.captured(3).toDouble());
            const QPointF ate(m.captured(4).toDouble(), m.captured(5).toDouble());
            paginas.back().palavras.push_back({m.captured(6), QRectF(de, ate)});
        }
    }
    return paginas;
}

// One text per word past a margin of the page or lying over another word.
inline QStringList foraDoLugar(const PaginaPdf& pagina, int numero, const host::report::Margins& margens)
{
    constexpr double kPontosPorMm = 72 / 25.4;
    constexpr double kFolga = 0.5;
    const double esquerda = margens.left * kPontosPorMm - kFolga;
    const double direita = pagina.largura - margens.right * kPontosPorMm + kFolga;
    QStringList achados;
    const auto& palavras = pagina.palavras;
    for (size_t i = 0; i < palavras.size(); ++i) {
        const PalavraPdf& p = palavras[i];
        if (p.caixa.left() < esquerda || p.caixa.right() > direita)
            achados << QString("página %1: \"%2\" de %3 a %4 pt, margens em %5 e %6 pt")
                           .arg(numero)
                           .arg(p.texto)
                           .arg(p.caixa.left(), 0, 'f', 1)
                           .arg(p.caixa.right(), 0, 'f', 1)
                           .arg(esquerda + kFolga, 0, 'f', 1)
                           .arg(direita - kFolga, 0, 'f', 1);
        for (size_t j = i + 1; j < palavras.size(); ++j) {
            const QRectF comum = p.caixa.intersected(palavras[j].caixa);
            const double altura = std::min(p.caixa.height(), palavras[j].caixa.height());
            if (comum.width() > kFolga && comum.height() > altura / 3)
                achados << QString("página %1: \"%2\" sobre \"%3\"").arg(numero).arg(p.texto, palavras[j].texto);
        }
    }
    return achados;
}

}  // namespace moduletest
