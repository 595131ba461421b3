#pragma once
// The printable controls of a band: labels (qrla...), data texts (qrte...),
// expressions and sums, memos, rich texts, images, shapes and bar codes.
// Positions are in millimetres from the band's top-left corner and may be
// changed at run time (also from a band's before-print hook).

#include "host/data/Component.h"
#include "host/report/PreparedReport.h"
#include "host/report/ReportTypes.h"

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace host::data {
class Dataset;
class Field;
}

namespace host::report {

class Band;
class Report;
class ReportDataset;

// A dataset as a control or band refers to it: directly, or through a report
// dataset whose source the code may re-bind before printing.
class DataRef {
public:
    DataRef() = default;
    DataRef(host::data::Dataset* dataset) : dataset_(dataset) {}
    DataRef(host::data::Dataset& dataset) : dataset_(&dataset) {}
    DataRef(const ReportDataset* reportDataset) : reportDataset_(reportDataset) {}
    host::data::Dataset* get() const;
    explicit operator bool() const { return get() != nullptr; }

private:
    host::data::Dataset* dataset_ = nullptr;
    const ReportDataset* reportDataset_ = nullptr;
};

// A report dataset: the name the report's rules use ("dsOS") for a dataset
// of a data module, re-bindable at run time.
class ReportDataset : public host::Component {
public:
    ReportDataset(host::Component* owner, const QString& name, const QString& userName,
                  host::data::Dataset* dataset = nullptr);
    QString userName() const { return userName_; }
    host::data::Dataset* dataSet() const { return dataset_; }
    void setDataSet(host::data::Dataset* dataset) { dataset_ = dataset; }

private:
    QString userName_;
    host::data::Dataset* dataset_;
};

class Control : public host::Component {
public:
    Control(Band& band, const QString& name, const QRectF& geometry);
    ~Control() override;

    Band& band() const { return *band_; }
    Report& report() const;

    double left() const { return geometry_.left(); }
    double top() const { return geometry_.top(); }
    double width() const { return geometry_.width(); }
    double height() const { return geometry_.height(); }
    QRectF geometry() const { return geometry_; }
    void setLeft(double left) { geometry_.moveLeft(left); }
    void setTop(double top) { geometry_.moveTop(top); }
    void setWidth(double width) { geometry_.setWidth(width); }
    void setHeight(double height) { geometry_.setHeight(height); }
    void setGeometry(double left, double top, double width, double height) { geometry_ = QRectF(left, top, width, height); }

    // A disabled control prints nothing.
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    Frame& frame() { return frame_; }
    const Frame& frame() const { return frame_; }

    // Lays the control out for the current row: false prints nothing. The
    // item's rectangle is relative to the band.
    virtual bool produce(PlacedItem& item) = 0;

protected:
    void startItem(PlacedItem& item, ItemKind kind) const;

private:
    Band* band_;
    QRectF geometry_;
    bool enabled_ = true;
    Frame frame_;
};

// What every text control shares: font, alignment, word wrap, growing with
// its text, the display format of its value and the print hook.
class TextControl : public Control {
public:
    TextControl(Band& band, const QString& name, const QRectF& geometry);

    QFont& font() { return font_; }
    const QFont& font() const { return font_; }
    void setFont(const QFont& font) { font_ = font; }
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment) { alignment_ = alignment; }
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on) { wordWrap_ = on; }
    // Grows downwards (and the band with it) when the wrapped text is taller.
    bool autoStretch() const { return autoStretch_; }
    void setAutoStretch(bool on) { autoStretch_ = on; }
    QColor color() const { return color_; }
    void setColor(const QColor& color) { color_ = color; }
    QColor background() const { return background_; }
    void setBackground(const QColor& color) { background_ = color; }   // invalid: transparent

    // Numbers and dates go through the display format ("000000000",
    // "###,##0.00", "dd/mm/yy"); texts through the edit mask.
    QString displayFormat() const { return displayFormat_; }
    void setDisplayFormat(const QString& format) { displayFormat_ = format; }
    QString editMask() const { return editMask_; }
    void setEditMask(const QString& mask) { editMask_ = mask; }

    // Runs with the text about to print; may rewrite it.
    std::function<void(TextControl&, QString& text)> onPrint;

    // The text as it prints for the current row (the print hook included).
    QString printText();
    bool produce(PlacedItem& item) override;

protected:
    virtual QString text() = 0;
    QString formatValue(const QVariant& value) const;
    virtual ItemKind itemKind() const { return ItemKind::Text; }

private:
    QFont font_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap_ = false;
    bool autoStretch_ = false;
    QColor color_ = Qt::black;
    QColor background_;
    QString displayFormat_;
    QString editMask_;
};

// A fixed caption.
class Label : public TextControl {
public:
    Label(Band& band, const QString& name, const QRectF& geometry, const QString& caption);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption) { caption_ = caption; }

protected:
    QString text() override { return caption_; }

private:
    QString caption_;
};

// A field of a dataset: its display text (the field's own format and
// get-text rule) unless the control has a format or mask of its own.
class DataText : public TextControl {
public:
    DataText(Band& band, const QString& name, const QRectF& geometry, DataRef dataSet, const QString& fieldName);
    DataRef dataSet() const { return dataSet_; }
    void setDataSet(DataRef dataSet) { dataSet_ = dataSet; }
    QString fieldName() const { return fieldName_; }
    void setFieldName(const QString& fieldName) { fieldName_ = fieldName; }
    host::data::Field* field() const;   // nullptr while the dataset is absent or closed

protected:
    QString text() override;

private:
    DataRef dataSet_;
    QString fieldName_;
};

// A value computed by code for each print (the report expressions).
class ExprText : public TextControl {
public:
    using Expression = std::function<QVariant()>;
    ExprText(Band& band, const QString& name, const QRectF& geometry, Expression expression);
    void setExpression(Expression expression) { expression_ = std::move(expression); }

protected:
    QString text() override;

private:
    Expression expression_;
};

// Lines of text, or a memo field; wraps its words by default.
class Memo : public TextControl {
public:
    Memo(Band& band, const QString& name, const QRectF& geometry);
    QStringList& lines() { return lines_; }
    void setLines(const QStringList& lines) { lines_ = lines; }
    void setText(const QString& text) { lines_ = text.split('\n'); }
    // Bound to a field, the memo prints the field's text instead of its lines.
    void setDataField(DataRef dataSet, const QString& fieldName);

protected:
    QString text() override;

private:
    QStringList lines_;
    DataRef dataSet_;
    QString fieldName_;
};

// Formatted text: HTML (Qt's rich text) or plain text, from code or a field.
class RichText : public Memo {
public:
    RichText(Band& band, const QString& name, const QRectF& geometry);

protected:
    ItemKind itemKind() const override { return ItemKind::RichText; }
};

enum class SysDataKind { Date, Time, DateTime, PageNumber, PageCount, PageOfPages };

// System data: the print date and time, the page number, the page count.
// The prefix prints before the value ("Página ").
class SysData : public TextControl {
public:
    SysData(Band& band, const QString& name, const QRectF& geometry, SysDataKind kind, const QString& prefix = {});
    SysDataKind kind() const { return kind_; }
    QString prefix() const { return prefix_; }
    void setPrefix(const QString& prefix) { prefix_ = prefix; }
    bool produce(PlacedItem& item) override;
    // Fills a page text once the page number and count are known.
    static QString pageText(const PlacedItem& item, int page, int pages);

protected:
    QString text() override;

private:
    SysDataKind kind_;
    QString prefix_;
};

enum class AggregateKind { Sum, Count, Average, Minimum, Maximum };

// A running value over the rows of a data band (its master): summed, counted...
// each time that band prints. By default it starts again after its own band
// prints, so a group footer shows its group and the summary the whole report.
class Aggregate : public TextControl {
public:
    using Value = std::function<double()>;
    Aggregate(Band& band, const QString& name, const QRectF& geometry, AggregateKind kind, Band& master,
              Value value = {});
    AggregateKind kind() const { return kind_; }
    Band& master() const { return *master_; }
    bool resetAfterPrint() const { return resetAfterPrint_; }
    void setResetAfterPrint(bool on) { resetAfterPrint_ = on; }
    double value() const;
    int count() const { return count_; }
    void accumulate();
    void reset();

protected:
    QString text() override;

private:
    AggregateKind kind_;
    Band* master_;
    Value value_;
    bool resetAfterPrint_ = true;
    double sum_ = 0;
    double min_ = 0;
    double max_ = 0;
    int count_ = 0;
};

// A picture: from code, a file or a blob field; stretched to the control by default.
class Image : public Control {
public:
    Image(Band& band, const QString& name, const QRectF& geometry);
    void setImage(const QImage& image) { image_ = image; }
    bool loadFromFile(const QString& fileName);
    void setDataField(DataRef dataSet, const QString& fieldName);
    bool stretch() const { return stretch_; }
    void setStretch(bool on) { stretch_ = on; }
    void setKeepAspect(bool on) { keepAspect_ = on; }
    bool produce(PlacedItem& item) override;

private:
    QImage image_;
    DataRef dataSet_;
    QString fieldName_;
    bool stretch_ = true;
    bool keepAspect_ = false;
};

// Lines, frames and circles.
class Shape : public Control {
public:
    Shape(Band& band, const QString& name, const QRectF& geometry, ShapeKind kind);
    ShapeKind kind() const { return kind_; }
    void setKind(ShapeKind kind) { kind_ = kind; }
    double penWidth() const { return penWidth_; }
    void setPenWidth(double width) { penWidth_ = width; }
    bool produce(PlacedItem& item) override;

private:
    ShapeKind kind_;
    double penWidth_ = 0.2;
};

enum class BarcodeKind { Code128, Code39, Interleaved2of5, Ean13, QrCode };

// A bar code drawn by zint from a text, a field or an expression.
class Barcode : public Control {
public:
    Barcode(Band& band, const QString& name, const QRectF& geometry, BarcodeKind kind);
    BarcodeKind kind() const { return kind_; }
    void setKind(BarcodeKind kind) { kind_ = kind; }
    void setData(const QString& data) { data_ = data; }
    void setDataField(DataRef dataSet, const QString& fieldName);
    void setExpression(std::function<QString()> expression) { expression_ = std::move(expression); }
    bool showText() const { return showText_; }
    void setShowText(bool on) { showText_ = on; }
    QString currentData() const;
    bool produce(PlacedItem& item) override;

private:
    BarcodeKind kind_;
    QString data_;
    DataRef dataSet_;
    QString fieldName_;
    std::function<QString()> expression_;
    bool showText_ = true;
};

// Encodes data into modules (and their human-readable text) fitted into a
// rectangle of the given size; raises ReportError with zint's message.
void encodeBarcode(BarcodeKind kind, const QString& data, bool showText, const QSizeF& size, PlacedItem& item);
QString barcodeKindName(BarcodeKind kind);

// Text measurement of the layout: the height, in millimetres, that a text
// needs at the given width.
double textHeight(const QString& text, const QFont& font, double width, bool wordWrap, bool richText);
// How a plain text that goes on in more lines breaks them: at word
// boundaries, and, when one of its words is wider than the width, anywhere
// (so that no word runs past the text's right edge).
int wrapFlags(const QString& text, const QFont& font, double width);
// The width, in millimetres, of the text's widest line in that font.
double textWidth(const QString& text, const QFont& font);
// Splits a placed text (plain or rich) after its last whole line that ends
// within maxHeight of its top: the item keeps those lines, rest gets the
// others (placed at the item's left, top 0). False when not even the first
// line fits or everything does.
bool splitTextItem(PlacedItem& item, double maxHeight, PlacedItem& rest);
// Where a one-line text (or lines without word wrap) prints across, by its
// alignment in its rectangle: wider than the rectangle when the text is.
QRectF printedTextRect(const PlacedItem& item);
// A one-line text wider than its rectangle: its font shrinks, to no less
// than kSmallestFontShare of its size, and what still does not fit ends in
// "…", as a field of a printed form is filled. A number, date or sum of
// money is never cut: it shrinks further and prints whole.
void fitTextToWidth(PlacedItem& item);
constexpr double kSmallestFontShare = 0.7;
// The texts of a placed band that would print past its edges (the page's
// margins) or over another of its fields are fitted to their rectangles;
// one with free room beside it prints whole, as before.
void fitCrowdedTexts(std::vector<PlacedItem>& items, double bandWidth);

}  // namespace host::report
