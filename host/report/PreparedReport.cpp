#include "host/report/PreparedReport.h"

#include "host/report/Controls.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextDocument>

#include <algorithm>

namespace host::report {

namespace {

// Reading order: top to bottom, then left to right.
std::vector<const PlacedItem*> readingOrder(const PlacedBand& band)
{
    std::vector<const PlacedItem*> items;
    for (const PlacedItem& item : band.items)
        items.push_back(&item);
    std::stable_sort(items.begin(), items.end(), [](const PlacedItem* a, const PlacedItem* b) {
        if (qAbs(a->rect.top() - b->rect.top()) > 0.5)
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    return items;
}

QString dumpText(const PlacedItem& item)
{
    switch (item.kind) {
    case ItemKind::Text:
        return item.text;
    case ItemKind::RichText:
        if (Qt::mightBeRichText(item.text)) {
            QTextDocument document;
            document.setHtml(item.text);
            return document.toPlainText();
        }
        return item.text;
    case ItemKind::Image:
        return item.image.isNull() ? QString() : QStringLiteral("[image]");
    case ItemKind::Barcode:
        return QStringLiteral("[barcode %1 %2]").arg(item.barcodeKind, item.text);
    case ItemKind::Shape:
        return {};
    }
    return {};
}

QString bandLine(const PlacedBand& band)
{
    return bandKindName(band.kind) + ' ' + band.name + ": " + band.texts().join(QStringLiteral(" | "));
}

}  // namespace

const PlacedItem* PlacedBand::item(const QString& itemName) const
{
    for (const PlacedItem& placed : items)
        if (placed.name.compare(itemName, Qt::CaseInsensitive) == 0)
            return &placed;
    return nullptr;
}

QStringList PlacedBand::texts() const
{
    QStringList texts;
    for (const PlacedItem* item : readingOrder(*this)) {
        QString text = dumpText(*item);
        if (!text.isEmpty())
            texts << text.replace(QStringLiteral("\r\n"), QStringLiteral("\\n")).replace('\n', QStringLiteral("\\n")).replace('\r', QStringLiteral("\\n"));
    }
    return texts;
}

const PlacedBand* PreparedPage::band(const QString& bandName) const
{
    for (const PlacedBand& placed : bands)
        if (placed.name.compare(bandName, Qt::CaseInsensitive) == 0)
            return &placed;
    return nullptr;
}

int PreparedPage::count(const QString& bandName) const
{
    return int(std::count_if(bands.begin(), bands.end(), [&](const PlacedBand& placed) {
        return placed.name.compare(bandName, Qt::CaseInsensitive) == 0;
    }));
}

QString PreparedReport::textDump() const
{
    QStringList lines;
    for (int i = 0; i < pageCount(); ++i) {
        lines << QStringLiteral("== page %1/%2 ==").arg(i + 1).arg(pageCount());
        for (const PlacedBand& band : pages[size_t(i)].bands)
            lines << bandLine(band);
    }
    return lines.join('\n') + (lines.isEmpty() ? QString() : QStringLiteral("\n"));
}

QStringList PreparedReport::bandLines() const
{
    QStringList lines;
    for (const PreparedPage& page : pages)
        for (const PlacedBand& band : page.bands)
            lines << bandLine(band);
    return lines;
}

// ---- painting -------------------------------------------------------------------

namespace {

void paintFrame(QPainter& painter, const QRectF& r, const Frame& frame, double dpmm)
{
    if (!frame.any())
        return;
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1.0, frame.width * dpmm)));
    if (frame.top)
        painter.drawLine(r.topLeft(), r.topRight());
    if (frame.bottom)
        painter.drawLine(r.bottomLeft(), r.bottomRight());
    if (frame.left)
        painter.drawLine(r.topLeft(), r.bottomLeft());
    if (frame.right)
        painter.drawLine(r.topRight(), r.bottomRight());
    painter.restore();
}

void paintText(QPainter& painter, const PlacedItem& item, const QRectF& r)
{
    if (item.background.isValid())
        painter.fillRect(r, item.background);
    painter.setFont(item.font);
    painter.setPen(item.color);
    int flags = int(item.alignment);
    flags |= item.wordWrap ? wrapFlags(item.text, item.font, item.rect.width()) : Qt::TextDontClip;
    painter.drawText(r, flags, item.text);
}

void paintRichText(QPainter& painter, const PlacedItem& item, const QRectF& r)
{
    if (item.background.isValid())
        painter.fillRect(r, item.background);
    QTextDocument document;
    document.documentLayout()->setPaintDevice(painter.device());
    document.setDefaultFont(item.font);
    if (Qt::mightBeRichText(item.text))
        document.setHtml(item.text);
    else
        document.setPlainText(item.text);
    document.setDocumentMargin(0);
    document.setTextWidth(r.width());
    painter.save();
    painter.translate(r.topLeft());
    document.drawContents(&painter, QRectF(0, 0, r.width(), r.height()));
    painter.restore();
}

void paintImage(QPainter& painter, const PlacedItem& item, const QRectF& r)
{
    if (item.image.isNull())
        return;
    QRectF target = r;
    if (!item.stretch) {
        target.setSize(QSizeF(item.image.size()).scaled(r.size(), Qt::KeepAspectRatio));
        if (target.width() > item.image.width() && target.height() > item.image.height())
            target.setSize(item.image.size());
    } else if (item.keepAspect) {
        const QSizeF size = QSizeF(item.image.size()).scaled(r.size(), Qt::KeepAspectRatio);
        target = QRectF(r.center() - QPointF(size.width() / 2, size.height() / 2), size);
    }
    painter.drawImage(target, item.image);
}

void paintShape(QPainter& painter, const PlacedItem& item, const QRectF& r, double dpmm)
{
    painter.save();
    painter.setPen(QPen(Qt::black, std::max(1.0, item.penWidth * dpmm)));
    painter.setBrush(Qt::NoBrush);
    switch (item.shape) {
    case ShapeKind::Rectangle: painter.drawRect(r); break;
    case ShapeKind::Circle: painter.drawEllipse(r); break;
    case ShapeKind::HorizontalLine: painter.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y())); break;
    case ShapeKind::VerticalLine: painter.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom())); break;
    }
    painter.restore();
}

void paintBarcode(QPainter& painter, const PlacedItem& item, const QRectF& r, double dpmm)
{
    for (const QRectF& bar : item.bars)
        painter.fillRect(QRectF(r.left() + bar.left() * dpmm, r.top() + bar.top() * dpmm, bar.width() * dpmm,
                                bar.height() * dpmm),
                         Qt::black);
    painter.setPen(Qt::black);
    for (const auto& [box, text] : item.barTexts) {
        QFont font = item.font;
        font.setPointSizeF(std::max(4.0, box.height() * 72 / 25.4 * 0.85));   // the height zint gives the text
        painter.setFont(font);
        const QRectF target(r.left() + box.left() * dpmm, r.top() + box.top() * dpmm, box.width() * dpmm,
                            box.height() * dpmm);
        painter.drawText(target, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, text);
    }
}

}  // namespace

void PreparedReport::paintPage(QPainter& painter, int pageIndex, double dpmm) const
{
    const PreparedPage& page = pages.at(size_t(pageIndex));
    for (const PlacedBand& band : page.bands)
        for (const PlacedItem& item : band.items) {
            const QRectF r(item.rect.left() * dpmm, item.rect.top() * dpmm, item.rect.width() * dpmm,
                           item.rect.height() * dpmm);
            switch (item.kind) {
            case ItemKind::Text: paintText(painter, item, r); break;
            case ItemKind::RichText: paintRichText(painter, item, r); break;
            case ItemKind::Image: paintImage(painter, item, r); break;
            case ItemKind::Shape: paintShape(painter, item, r, dpmm); break;
            case ItemKind::Barcode: paintBarcode(painter, item, r, dpmm); break;
            }
            paintFrame(painter, r, item.frame, dpmm);
        }
}

void PreparedReport::configurePrinter(QPrinter& printer) const
{
    const QSizeF paper = page.paperSize();
    const bool landscape = paper.width() > paper.height();
    const QSizeF portrait = landscape ? paper.transposed() : paper;
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(portrait, QPageSize::Millimeter),
                                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                                      QPageLayout::Millimeter));
    printer.setDocName(title);
}

void PreparedReport::paint(QPrinter& printer) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(QStringLiteral("Não foi possível iniciar a impressão de \"%1\".").arg(title));
    const double dpmm = printer.resolution() / 25.4;
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        paintPage(painter, i, dpmm);
    }
    if (!painter.end())
        throw ReportError(QStringLiteral("Não foi possível concluir a impressão de \"%1\".").arg(title));
}

void PreparedReport::print(const QString& printerName) const
{
    const QPrinterInfo info =
        printerName.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(printerName);
    if (info.isNull())
        throw ReportError(printerName.isEmpty() ? QStringLiteral("Nenhuma impressora instalada.")
                                                : QStringLiteral("Impressora não encontrada: %1").arg(printerName));
    QPrinter printer(info, QPrinter::HighResolution);
    configurePrinter(printer);
    paint(printer);
}

void PreparedReport::exportPdf(const QString& fileName) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setCreator(QStringLiteral("Assistência Técnica"));
    configurePrinter(printer);
    paint(printer);
}

}  // namespace host::report
