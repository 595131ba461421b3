#pragma once
// A laid-out report: pages of placed bands and items, in millimetres, with
// every text already computed. It no longer refers to the report or its
// datasets, so a viewer can keep it after the report is freed. The same
// pages go to the screen, the printer, a PDF file or a text dump for tests.

#include "host/report/ReportTypes.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPrinter;

namespace host::report {

enum class ItemKind { Text, RichText, Image, Shape, Barcode };

struct PlacedItem {
    QString name;
    ItemKind kind = ItemKind::Text;
    QRectF rect;                               // on the page
    QString text;                              // text, rich text (HTML or plain), bar code data
    QFont font;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap = false;
    QColor color = Qt::black;
    QColor background;                         // invalid: transparent
    Frame frame;
    QImage image;
    bool stretch = true;                       // images: fill the rectangle
    bool keepAspect = false;
    ShapeKind shape = ShapeKind::Rectangle;
    double penWidth = 0.2;
    std::vector<QRectF> bars;                  // bar code modules, relative to rect
    std::vector<std::pair<QRectF, QString>> barTexts;   // bar code human-readable text
    QString barcodeKind;                       // symbology name, for the dump
    int deferred = 0;                          // page-count texts filled at the end
};

struct PlacedBand {
    QString name;
    BandKind kind = BandKind::Detail;
    QRectF rect;
    std::vector<PlacedItem> items;

    const PlacedItem* item(const QString& name) const;   // nullptr when absent
    QStringList texts() const;                            // texts in reading order
};

struct PreparedPage {
    QSizeF size;                               // paper, millimetres
    std::vector<PlacedBand> bands;

    // The band of that name on this page (the first when it printed several times).
    const PlacedBand* band(const QString& name) const;
    int count(const QString& bandName) const;
};

struct PreparedReport {
    QString title;
    PageSetup page;
    std::vector<PreparedPage> pages;

    int pageCount() const { return int(pages.size()); }
    // "== page 1/2 ==" then one line per printed band: its kind, its name
    // and its texts in reading order joined by " | " (line breaks as "\n";
    // images and bar codes in brackets; lines and empty texts left out).
    QString textDump() const;
    // Every band line of every page, as in textDump() without the page lines.
    QStringList bandLines() const;

    // Draws one page on a painter whose origin is the paper's corner.
    void paintPage(QPainter& painter, int pageIndex, double dotsPerMillimetre) const;
    // Paper size, orientation and no printer margins: the pages carry their own.
    void configurePrinter(QPrinter& printer) const;
    // Every page on an already configured printer (also the preview's).
    void paint(QPrinter& printer) const;
    // The printer by name (empty: the system's default); raises ReportError
    // when there is none.
    void print(const QString& printerName) const;
    void exportPdf(const QString& fileName) const;
};

}  // namespace host::report
