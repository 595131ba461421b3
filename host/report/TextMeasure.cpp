#include "host/report/Controls.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QTextDocument>

namespace host::report {

namespace {

// The device texts are measured on: 600 dots per inch, like a printer.
constexpr double kMeasureDpi = 600;
constexpr double kMeasureDotsPerMm = kMeasureDpi / 25.4;

QImage& measureDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMeter = int(kMeasureDpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

}  // namespace

double textHeight(const QString& text, const QFont& font, double width, bool wordWrap, bool richText)
{
    if (richText) {
        QTextDocument document;
        document.documentLayout()->setPaintDevice(&measureDevice());
        document.setDefaultFont(font);
        if (Qt::mightBeRichText(text))
            document.setHtml(text);
        else
            document.setPlainText(text);
        document.setDocumentMargin(0);
        document.setTextWidth(width * kMeasureDotsPerMm);
        return document.size().height() / kMeasureDotsPerMm;
    }
    const QFontMetricsF metrics(font, &measureDevice());
    const int flags = wordWrap ? Qt::TextWordWrap : 0;
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width * kMeasureDotsPerMm, 1e7), flags, text);
    return bounds.height() / kMeasureDotsPerMm;
}

}  // namespace host::report
