#pragma once
// The application's style while a test lives, noting the palettes of what it
// draws: the style keeps the pictures it draws with under their palette's
// key, so a window opened again asks for no palettes but those it asked for
// the first time.

#include <QApplication>
#include <QProxyStyle>
#include <QSet>
#include <QStyleFactory>
#include <QStyleOption>

namespace moduletest {

class PaletasDesenhadas : public QProxyStyle {
public:
    PaletasDesenhadas() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override
    {
        paletas.insert(option->palette.cacheKey());
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        paletas.insert(option->palette.cacheKey());
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    mutable QSet<qint64> paletas;
};

// Puts the style in place for the test's life, the former one back after.
class EstiloQueNotaPaletas {
public:
    EstiloQueNotaPaletas() : anterior_(QApplication::style()->name()) { QApplication::setStyle(estilo); }
    ~EstiloQueNotaPaletas() { QApplication::setStyle(QStyleFactory::create(anterior_)); }
    PaletasDesenhadas* estilo = new PaletasDesenhadas;   // the application's while it lives

private:
    QString anterior_;
};

}  // namespace moduletest
