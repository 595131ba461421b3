#include "host/report/Band.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/report/Report.h"

namespace host::report {

QString bandKindName(BandKind kind)
{
    switch (kind) {
    case BandKind::Title: return QStringLiteral("title");
    case BandKind::PageHeader: return QStringLiteral("pageHeader");
    case BandKind::ColumnHeader: return QStringLiteral("columnHeader");
    case BandKind::Detail: return QStringLiteral("detail");
    case BandKind::SubDetail: return QStringLiteral("subDetail");
    case BandKind::GroupHeader: return QStringLiteral("groupHeader");
    case BandKind::GroupFooter: return QStringLiteral("groupFooter");
    case BandKind::Child: return QStringLiteral("child");
    case BandKind::Summary: return QStringLiteral("summary");
    case BandKind::PageFooter: return QStringLiteral("pageFooter");
    }
    return {};
}

Band::Band(Report& report, BandKind kind, const QString& name, double height)
    : host::Component(nullptr, name), report_(&report), kind_(kind), height_(height)
{
}

Band::~Band() = default;

double Band::width() const
{
    const PageSetup& page = report_->page();
    return this == report_->detail() && page.columns > 1 ? page.columnWidth() : page.printableWidth();
}

template <class T, class... Args>
T* Band::add(Args&&... args)
{
    T* control = report_->adopt(std::make_unique<T>(*this, std::forward<Args>(args)...));
    controls_.push_back(control);
    return control;
}

Label* Band::addLabel(const QString& name, double left, double top, double width, double height, const QString& caption)
{
    return add<Label>(name, QRectF(left, top, width, height), caption);
}

DataText* Band::addDataText(const QString& name, double left, double top, double width, double height,
                            DataRef dataSet, const QString& fieldName)
{
    return add<DataText>(name, QRectF(left, top, width, height), dataSet, fieldName);
}

ExprText* Band::addExprText(const QString& name, double left, double top, double width, double height,
                            ExprText::Expression expression)
{
    return add<ExprText>(name, QRectF(left, top, width, height), std::move(expression));
}

Memo* Band::addMemo(const QString& name, double left, double top, double width, double height)
{
    return add<Memo>(name, QRectF(left, top, width, height));
}

RichText* Band::addRichText(const QString& name, double left, double top, double width, double height)
{
    return add<RichText>(name, QRectF(left, top, width, height));
}

SysData* Band::addSysData(const QString& name, double left, double top, double width, double height,
                          SysDataKind kind, const QString& prefix)
{
    return add<SysData>(name, QRectF(left, top, width, height), kind, prefix);
}

Aggregate* Band::addAggregate(const QString& name, double left, double top, double width, double height,
                              AggregateKind kind, Band& master, Aggregate::Value value)
{
    Aggregate* aggregate = add<Aggregate>(name, QRectF(left, top, width, height), kind, master, std::move(value));
    report_->aggregates_.push_back(aggregate);
    return aggregate;
}

Image* Band::addImage(const QString& name, double left, double top, double width, double height)
{
    return add<Image>(name, QRectF(left, top, width, height));
}

Shape* Band::addShape(const QString& name, double left, double top, double width, double height, ShapeKind kind)
{
    return add<Shape>(name, QRectF(left, top, width, height), kind);
}

Barcode* Band::addBarcode(const QString& name, double left, double top, double width, double height,
                          BarcodeKind kind)
{
    return add<Barcode>(name, QRectF(left, top, width, height), kind);
}

Band* Band::makeBand(BandKind kind, const QString& name, double height)
{
    Band* band = report_->adopt(std::make_unique<Band>(*report_, kind, name, height));
    band->master_ = this;
    report_->bands_.push_back(band);
    return band;
}

Band* Band::addChild(const QString& name, double height)
{
    if (child_)
        throw ReportError(QStringLiteral("A banda %1 já tem banda filha.").arg(this->name()));
    child_ = makeBand(BandKind::Child, name, height);
    child_->master_ = nullptr;
    child_->parent_ = this;
    return child_;
}

Band* Band::addSubDetail(const QString& name, double height, DataRef dataSet)
{
    Band* sub = makeBand(BandKind::SubDetail, name, height);
    sub->dataSet_ = dataSet;
    subDetails_.push_back(sub);
    return sub;
}

Band* Band::addHeader(const QString& name, double height)
{
    return header_ = makeBand(BandKind::GroupHeader, name, height);
}

Band* Band::addFooter(const QString& name, double height)
{
    return footer_ = makeBand(BandKind::GroupFooter, name, height);
}

Band* Band::addGroup(const QString& name, double height, GroupKey key)
{
    Band* group = makeBand(BandKind::GroupHeader, name, height);
    group->groupKey_ = std::move(key);
    groups_.push_back(group);
    return group;
}

Band* Band::addGroup(const QString& name, double height, const QString& fieldName)
{
    Band* group = addGroup(name, height, GroupKey());
    group->groupKey_ = [this, fieldName]() -> QVariant {
        host::data::Dataset* dataset = dataSet();
        return dataset && dataset->active() ? dataset->fieldByName(fieldName)->value() : QVariant();
    };
    return group;
}

QVariant Band::groupKey() const { return groupKey_ ? groupKey_() : QVariant(); }

}  // namespace host::report
