#include "host/report/Controls.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QImage>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

#include <algorithm>

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
    const int flags = wordWrap ? wrapFlags(text, font, width) : 0;
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, width * kMeasureDotsPerMm, 1e7), flags, text);
    return bounds.height() / kMeasureDotsPerMm;
}

int wrapFlags(const QString& text, const QFont& font, double width)
{
    const QFontMetricsF metrics(font, &measureDevice());
    const double room = width * kMeasureDotsPerMm;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& word : text.split(blanks, Qt::SkipEmptyParts))
        if (metrics.horizontalAdvance(word) > room)
            return Qt::TextWrapAnywhere;
    return Qt::TextWordWrap;
}

namespace {

// The text of [from, to) of the document, as rich or plain text again.
QString textBetween(QTextDocument& document, int from, int to, bool richText)
{
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    if (richText)
        return QTextDocumentFragment(cursor).toHtml();
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n')).replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

}  // namespace

bool splitTextItem(PlacedItem& item, double maxHeight, PlacedItem& rest)
{
    if ((item.kind != ItemKind::Text && item.kind != ItemKind::RichText) || item.text.isEmpty())
        return false;
    const bool richText = item.kind == ItemKind::RichText;
    const bool html = richText && Qt::mightBeRichText(item.text);
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&measureDevice());
    document.setDefaultFont(item.font);
    if (!item.wordWrap) {
        QTextOption option = document.defaultTextOption();
        option.setWrapMode(QTextOption::NoWrap);
        document.setDefaultTextOption(option);
    }
    if (html)
        document.setHtml(item.text);
    else
        document.setPlainText(item.text);
    document.setDocumentMargin(0);
    document.setTextWidth(item.rect.width() * kMeasureDotsPerMm);
    const double limit = maxHeight * kMeasureDotsPerMm;
    int cut = -1;
    bool beyond = false;
    for (QTextBlock block = document.begin(); block.isValid() && !beyond; block = block.next()) {
        const QTextLayout* layout = block.layout();
        const double blockTop = document.documentLayout()->blockBoundingRect(block).top();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (blockTop + line.y() + line.height() > limit) {
                beyond = true;
                break;
            }
            cut = block.position() + line.textStart() + line.textLength();
        }
    }
    if (!beyond || cut <= 0)
        return false;
    const int end = document.characterCount() - 1;
    int restStart = cut;
    if (restStart < end && document.characterAt(restStart) == QChar::ParagraphSeparator)
        ++restStart;
    rest = item;
    rest.text = textBetween(document, restStart, end, html);
    item.text = textBetween(document, 0, cut, html);
    const double restHeight = textHeight(rest.text, rest.font, rest.rect.width(), rest.wordWrap, richText);
    rest.rect = QRectF(item.rect.left(), 0, item.rect.width(), restHeight);
    item.rect.setHeight(maxHeight);
    return true;
}

namespace {

double widestLine(const QStringList& lines, const QFont& font)
{
    const QFontMetricsF metrics(font, &measureDevice());
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest / kMeasureDotsPerMm;
}

// The same font at the share of its size (points, or pixels when set so).
QFont scaledFont(const QFont& font, double share)
{
    QFont scaled = font;
    if (font.pointSizeF() > 0)
        scaled.setPointSizeF(font.pointSizeF() * share);
    else if (font.pixelSize() > 0)
        scaled.setPixelSize(std::max(1, int(font.pixelSize() * share)));
    return scaled;
}

}  // namespace

double textWidth(const QString& text, const QFont& font) { return widestLine(text.split('\n'), font); }

QRectF printedTextRect(const PlacedItem& item)
{
    const double width = widestLine(item.text.split('\n'), item.font);
    QRectF printed = item.rect;
    if (width <= printed.width())
        return printed;
    if (item.alignment & Qt::AlignRight)
        printed.setLeft(printed.right() - width);
    else if (item.alignment & Qt::AlignHCenter)
        printed = QRectF(printed.center().x() - width / 2, printed.top(), width, printed.height());
    else
        printed.setWidth(width);
    return printed;
}

namespace {

bool printsOver(const QRectF& overflow, const PlacedItem& other)
{
    if (other.kind == ItemKind::Shape || overflow.width() <= 0)
        return false;
    if ((other.kind == ItemKind::Text || other.kind == ItemKind::RichText) && other.text.isEmpty())
        return false;
    return overflow.intersects(other.rect);
}

// A number, a date or a sum of money cut short reads as another value: it
// is never ended in "…" (only the "R$" before it may be a letter).
bool isFigure(const QString& text)
{
    const QString value = QString(text).remove(QStringLiteral("R$"));
    bool digit = false;
    for (const QChar c : value) {
        if (c.isLetter() || c == QChar(0x2026))
            return false;
        digit = digit || c.isDigit();
    }
    return digit;
}

// How far a figure's font may shrink before it is printed whole anyway.
constexpr double kSmallestFigureShare = 0.3;

}  // namespace

void fitCrowdedTexts(std::vector<PlacedItem>& items, double bandWidth)
{
    for (PlacedItem& item : items) {
        if (item.kind != ItemKind::Text || item.wordWrap || item.text.isEmpty())
            continue;
        const QRectF printed = printedTextRect(item);
        if (printed.width() <= item.rect.width())
            continue;
        // Only what runs beyond its own rectangle can fall on another field.
        const QRectF leftPart(QPointF(printed.left(), item.rect.top()), QPointF(item.rect.left(), item.rect.bottom()));
        const QRectF rightPart(QPointF(item.rect.right(), item.rect.top()), QPointF(printed.right(), item.rect.bottom()));
        bool crowded = printed.left() < -1e-6 || printed.right() > bandWidth + 1e-6;
        for (const PlacedItem& other : items)
            if (!crowded && &other != &item)
                crowded = printsOver(leftPart, other) || printsOver(rightPart, other);
        if (crowded)
            fitTextToWidth(item);
    }
}

void fitTextToWidth(PlacedItem& item)
{
    if (item.kind != ItemKind::Text || item.wordWrap || item.text.isEmpty())
        return;
    // A little room is kept: the printer's resolution is not the measure's.
    const double room = item.rect.width() * 0.98;
    QStringList lines = item.text.split('\n');
    const double needed = widestLine(lines, item.font);
    if (needed <= room)
        return;
    // Glyph widths do not shrink quite in proportion: a little less each try.
    const QFont designed = item.font;
    const bool figure = isFigure(item.text);
    const double smallest = figure ? kSmallestFigureShare : kSmallestFontShare;
    for (double share = room / needed; share > smallest; share -= 0.02) {
        item.font = scaledFont(designed, share);
        if (widestLine(lines, item.font) <= room)
            return;
    }
    item.font = scaledFont(designed, smallest);
    if (figure || widestLine(lines, item.font) <= room)
        return;
    const QFontMetricsF metrics(item.font, &measureDevice());
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, room * kMeasureDotsPerMm);
    item.text = lines.join('\n');
}

}  // namespace host::report
