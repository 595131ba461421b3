#include "host/report/Controls.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/report/Band.h"
#include "host/report/Report.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace host::report {

using host::data::Dataset;
using host::data::Field;

namespace {

Field* fieldOf(const DataRef& dataSet, const QString& fieldName)
{
    Dataset* dataset = dataSet.get();
    if (!dataset || !dataset->active() || fieldName.isEmpty())
        return nullptr;
    return dataset->fieldByName(fieldName);   // a misspelt field is the report's fault: say so
}

}  // namespace

// ---- data references -----------------------------------------------------------

host::data::Dataset* DataRef::get() const
{
    return reportDataset_ ? reportDataset_->dataSet() : dataset_;
}

ReportDataset::ReportDataset(host::Component* owner, const QString& name, const QString& userName,
                             host::data::Dataset* dataset)
    : host::Component(owner, name), userName_(userName), dataset_(dataset)
{
}

// ---- control -------------------------------------------------------------------

Control::Control(Band& band, const QString& name, const QRectF& geometry)
    : host::Component(nullptr, name), band_(&band), geometry_(geometry)
{
}

Control::~Control() = default;

Report& Control::report() const { return band_->report(); }

void Control::startItem(PlacedItem& item, ItemKind kind) const
{
    item.name = name();
    item.kind = kind;
    // Nothing prints past the band's edges (the page's margins): a control
    // drawn wider than the band is cut at its edge.
    const double right = std::min(geometry_.right(), band_->width());
    item.rect = QRectF(QPointF(std::max(geometry_.left(), 0.0), geometry_.top()),
                       QPointF(std::max(right, std::max(geometry_.left(), 0.0)), geometry_.bottom()));
    item.frame = frame_;
}

// ---- text controls -------------------------------------------------------------

TextControl::TextControl(Band& band, const QString& name, const QRectF& geometry)
    : Control(band, name, geometry), font_(band.report().font())
{
}

QString TextControl::formatValue(const QVariant& value) const
{
    if (value.isNull() || !value.isValid())
        return {};
    const auto type = value.typeId();
    if (type == QMetaType::QDateTime || type == QMetaType::QDate || type == QMetaType::QTime) {
        QDateTime moment = type == QMetaType::QDate   ? value.toDate().startOfDay()
                           : type == QMetaType::QTime ? QDateTime(host::data::diaZero(), value.toTime())
                                                      : value.toDateTime();
        return host::data::formatDateTime(displayFormat_, moment);
    }
    if (type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int ||
        type == QMetaType::LongLong || type == QMetaType::UInt || type == QMetaType::ULongLong ||
        type == QMetaType::Short) {
        if (!displayFormat_.isEmpty())
            return host::data::formatFloat(displayFormat_, value.toDouble());
        if (type == QMetaType::Double || type == QMetaType::Float)
            return host::data::formatFloatGeneral(value.toDouble());
        return value.toString();
    }
    QString text = value.toString();
    if (!editMask_.isEmpty())
        text = host::data::EditMask(editMask_).editText(text);
    return text;
}

QString TextControl::printText()
{
    QString value = text();
    if (onPrint)
        onPrint(*this, value);
    return value;
}

bool TextControl::produce(PlacedItem& item)
{
    startItem(item, itemKind());
    item.text = printText();
    item.font = font_;
    item.alignment = alignment_;
    item.wordWrap = wordWrap_ || itemKind() == ItemKind::RichText;
    item.color = color_;
    item.background = background_;
    if (autoStretch_ && !item.text.isEmpty()) {
        const double needed =
            textHeight(item.text, item.font, item.rect.width(), item.wordWrap, itemKind() == ItemKind::RichText);
        item.rect.setHeight(std::max(height(), needed));
    }
    return true;
}

Label::Label(Band& band, const QString& name, const QRectF& geometry, const QString& caption)
    : TextControl(band, name, geometry), caption_(caption)
{
}

DataText::DataText(Band& band, const QString& name, const QRectF& geometry, DataRef dataSet, const QString& fieldName)
    : TextControl(band, name, geometry), dataSet_(dataSet), fieldName_(fieldName)
{
}

Field* DataText::field() const { return fieldOf(dataSet_, fieldName_); }

QString DataText::text()
{
    Field* f = field();
    if (!f)
        return {};
    if (displayFormat().isEmpty() && editMask().isEmpty())
        return f->displayText();
    return formatValue(f->value());
}

ExprText::ExprText(Band& band, const QString& name, const QRectF& geometry, Expression expression)
    : TextControl(band, name, geometry), expression_(std::move(expression))
{
}

QString ExprText::text()
{
    return expression_ ? formatValue(expression_()) : QString();
}

Memo::Memo(Band& band, const QString& name, const QRectF& geometry) : TextControl(band, name, geometry)
{
    setWordWrap(true);
}

void Memo::setDataField(DataRef dataSet, const QString& fieldName)
{
    dataSet_ = dataSet;
    fieldName_ = fieldName;
}

QString Memo::text()
{
    if (!fieldName_.isEmpty()) {
        Field* f = fieldOf(dataSet_, fieldName_);
        return f ? f->asString() : QString();
    }
    return lines_.join('\n');
}

RichText::RichText(Band& band, const QString& name, const QRectF& geometry) : Memo(band, name, geometry) {}

// ---- system data -----------------------------------------------------------------

SysData::SysData(Band& band, const QString& name, const QRectF& geometry, SysDataKind kind, const QString& prefix)
    : TextControl(band, name, geometry), kind_(kind), prefix_(prefix)
{
}

QString SysData::text()
{
    const QDateTime now = report().printDateTime();
    switch (kind_) {
    case SysDataKind::Date:
        return prefix_ + host::data::formatDateTime(displayFormat().isEmpty() ? "dd/mm/yyyy" : displayFormat(), now);
    case SysDataKind::Time:
        return prefix_ + host::data::formatDateTime(displayFormat().isEmpty() ? "hh:nn" : displayFormat(), now);
    case SysDataKind::DateTime:
        return prefix_ + host::data::formatDateTime(displayFormat().isEmpty() ? "dd/mm/yyyy hh:nn" : displayFormat(), now);
    default:
        return prefix_;   // page texts are filled when the page is known
    }
}

bool SysData::produce(PlacedItem& item)
{
    if (!TextControl::produce(item))
        return false;
    if (kind_ == SysDataKind::PageNumber || kind_ == SysDataKind::PageCount || kind_ == SysDataKind::PageOfPages)
        item.deferred = int(kind_) + 1;
    return true;
}

QString SysData::pageText(const PlacedItem& item, int page, int pages)
{
    switch (SysDataKind(item.deferred - 1)) {
    case SysDataKind::PageNumber:
        return item.text + QString::number(page);
    case SysDataKind::PageCount:
        return item.text + QString::number(pages);
    case SysDataKind::PageOfPages:
        return item.text + QStringLiteral("%1 de %2").arg(page).arg(pages);
    default:
        return item.text;
    }
}

// ---- aggregates ------------------------------------------------------------------

Aggregate::Aggregate(Band& band, const QString& name, const QRectF& geometry, AggregateKind kind, Band& master,
                     Value value)
    : TextControl(band, name, geometry), kind_(kind), master_(&master), value_(std::move(value))
{
}

void Aggregate::accumulate()
{
    const double v = value_ ? value_() : 0.0;
    if (count_ == 0) {
        min_ = v;
        max_ = v;
    }
    min_ = std::min(min_, v);
    max_ = std::max(max_, v);
    sum_ += v;
    ++count_;
}

void Aggregate::reset()
{
    sum_ = min_ = max_ = 0;
    count_ = 0;
}

double Aggregate::value() const
{
    switch (kind_) {
    case AggregateKind::Sum:
        return sum_;
    case AggregateKind::Count:
        return count_;
    case AggregateKind::Average:
        return count_ ? sum_ / count_ : 0.0;
    case AggregateKind::Minimum:
        return min_;
    case AggregateKind::Maximum:
        return max_;
    }
    return 0;
}

QString Aggregate::text()
{
    if (kind_ == AggregateKind::Count && displayFormat().isEmpty())
        return QString::number(count_);
    return formatValue(value());
}

// ---- image, shape, bar code ---------------------------------------------------------

Image::Image(Band& band, const QString& name, const QRectF& geometry) : Control(band, name, geometry) {}

bool Image::loadFromFile(const QString& fileName)
{
    QImage image;
    if (!QFile::exists(fileName) || !image.load(fileName))
        return false;
    image_ = image;
    return true;
}

void Image::setDataField(DataRef dataSet, const QString& fieldName)
{
    dataSet_ = dataSet;
    fieldName_ = fieldName;
}

bool Image::produce(PlacedItem& item)
{
    startItem(item, ItemKind::Image);
    item.image = image_;
    if (!fieldName_.isEmpty()) {
        item.image = QImage();
        if (Field* f = fieldOf(dataSet_, fieldName_); f && !f->isNull())
            item.image.loadFromData(f->asBytes());
    }
    item.stretch = stretch_;
    item.keepAspect = keepAspect_;
    return !item.image.isNull() || frame().any();
}

Shape::Shape(Band& band, const QString& name, const QRectF& geometry, ShapeKind kind)
    : Control(band, name, geometry), kind_(kind)
{
}

bool Shape::produce(PlacedItem& item)
{
    startItem(item, ItemKind::Shape);
    item.shape = kind_;
    item.penWidth = penWidth_;
    return true;
}

Barcode::Barcode(Band& band, const QString& name, const QRectF& geometry, BarcodeKind kind)
    : Control(band, name, geometry), kind_(kind)
{
}

void Barcode::setDataField(DataRef dataSet, const QString& fieldName)
{
    dataSet_ = dataSet;
    fieldName_ = fieldName;
}

QString Barcode::currentData() const
{
    if (expression_)
        return expression_();
    if (!fieldName_.isEmpty()) {
        Field* f = fieldOf(dataSet_, fieldName_);
        return f ? f->asString() : QString();
    }
    return data_;
}

bool Barcode::produce(PlacedItem& item)
{
    startItem(item, ItemKind::Barcode);
    item.text = currentData();
    if (item.text.isEmpty())
        return false;
    item.font = band().report().font();
    encodeBarcode(kind_, item.text, showText_, geometry().size(), item);
    return true;
}

}  // namespace host::report
