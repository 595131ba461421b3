#include "host/report/Layout.h"

#include "host/data/Dataset.h"

#include <algorithm>
#include <vector>

namespace host::report {

using host::data::Dataset;

namespace {
constexpr double kEpsilon = 0.001;
}

Layout::Layout(Report& report) : report_(report) {}

std::shared_ptr<const PreparedReport> Layout::run()
{
    out_ = std::make_shared<PreparedReport>();
    out_->title = report_.title();
    out_->page = report_.page();
    if (!hasRows() && !report_.printIfEmpty())
        return out_;
    startPage();
    if (Band* detail = report_.detail())
        printDataLevel(*detail);
    closeColumnRow();
    for (Band* band : report_.bands_)
        if (band->kind() == BandKind::Summary)
            printBand(*band);
    endPage(true);
    finish();
    return out_;
}

bool Layout::hasRows()
{
    Band* detail = report_.detail();
    if (!detail || report_.onNeedData || !detail->dataSet())
        return true;
    Dataset* dataset = detail->dataSet();
    return dataset->active() && !dataset->isEmpty();
}

// ---- data bands -----------------------------------------------------------------

void Layout::printDataLevel(Band& dataBand)
{
    const bool isMaster = &dataBand == report_.detail();
    if (!isMaster && !dataBand.enabled())
        return;   // a disabled sub-detail skips its rows, header and footer
    if (isMaster && report_.onNeedData) {
        for (;;) {
            bool more = false;
            report_.onNeedData(report_, more);
            if (!more)
                break;
            printRow(dataBand);
        }
        return;
    }
    Dataset* dataset = dataBand.dataSet();
    if (!dataset) {
        if (isMaster)
            printRow(dataBand);   // a report without data prints its detail once
        return;
    }
    if (dataset->active())
        dataset->first();
    const bool any = dataset->active() && !dataset->eof();
    const bool frame = dataBand.kind() == BandKind::SubDetail && (any || dataBand.printIfEmpty());
    if (frame && dataBand.header())
        printBand(*dataBand.header());

    const std::vector<Band*>& groups = dataBand.groups();
    std::vector<QVariant> previous;
    bool firstRow = true;
    while (any && !dataset->eof()) {
        const std::vector<QVariant> keys = groupKeys(groups);
        size_t changed = groups.size();
        for (size_t i = 0; i < groups.size(); ++i)
            if (firstRow || keys[i] != previous[i]) {
                changed = i;
                break;
            }
        printGroupHeaders(groups, changed);
        previous = keys;
        firstRow = false;

        printRow(dataBand);

        if (!groups.empty()) {
            const std::vector<QVariant> next = nextRowKeys(dataBand, groups);
            size_t ending = groups.size();
            for (size_t i = 0; i < groups.size(); ++i)
                if (next.empty() || next[i] != keys[i]) {
                    ending = i;
                    break;
                }
            printGroupFooters(groups, ending);
        }
        dataset->next();
    }
    if (frame && dataBand.footer())
        printBand(*dataBand.footer());
}

void Layout::printRow(Band& dataBand)
{
    printBand(dataBand);
    for (Band* sub : dataBand.subDetails())
        printDataLevel(*sub);
}

void Layout::printGroupHeaders(const std::vector<Band*>& groups, size_t from)
{
    for (size_t i = from; i < groups.size(); ++i)
        printBand(*groups[i]);
}

void Layout::printGroupFooters(const std::vector<Band*>& groups, size_t downTo)
{
    for (size_t i = groups.size(); i-- > downTo;)
        if (Band* footer = groups[i]->footer())
            printBand(*footer);
}

std::vector<QVariant> Layout::groupKeys(const std::vector<Band*>& groups) const
{
    std::vector<QVariant> keys;
    keys.reserve(groups.size());
    for (Band* group : groups)
        keys.push_back(group->groupKey());
    return keys;
}

std::vector<QVariant> Layout::nextRowKeys(Band& dataBand, const std::vector<Band*>& groups)
{
    Dataset* dataset = dataBand.dataSet();
    if (!dataset || !dataset->active())
        return {};
    const int next = dataset->recNo() + 1;
    if (next > dataset->recordCount())
        return {};
    Dataset::RowScope scope(*dataset, next);
    return groupKeys(groups);
}

// ---- bands ----------------------------------------------------------------------

bool Layout::printBand(Band& band)
{
    if (!band.enabled())
        return false;
    bool print = true;
    if (band.beforePrint)
        band.beforePrint(band, print);
    if (!print) {
        if (band.afterPrint)
            band.afterPrint(band, false);
        return false;
    }
    for (Aggregate* aggregate : report_.aggregates())
        if (&aggregate->master() == &band)
            aggregate->accumulate();
    placeBand(band, inPageFrame_);
    ++band.printCount_;
    if (band.afterPrint)
        band.afterPrint(band, true);
    if (Band* child = band.child())
        printBand(*child);
    return true;
}

void Layout::produceItems(Band& band, PlacedBand& placed, double& height)
{
    struct Grown {
        double designBottom;
        double growth;
    };
    std::vector<Grown> grown;
    std::vector<const Control*> producers;
    for (Control* control : band.controls()) {
        if (!control->enabled())
            continue;
        PlacedItem item;
        if (!control->produce(item))
            continue;
        if (item.rect.height() > control->height() + kEpsilon) {
            height = std::max(height, item.rect.bottom());   // a text that grew stretches its band
            grown.push_back({control->top() + control->height(), item.rect.height() - control->height()});
        }
        placed.items.push_back(std::move(item));
        producers.push_back(control);
    }
    // The labels of a sheet print in the font their sheet's settings give,
    // as they are laid out there.
    if (!(&band == report_.detail() && report_.page().columns > 1))
        fitCrowdedTexts(placed.items, band.width());
    // Controls laid out below a text that grew move down by its growth.
    if (band.shiftBelowGrown() && !grown.empty()) {
        double largest = 0;
        for (size_t i = 0; i < placed.items.size(); ++i) {
            double shift = 0;
            for (const Grown& g : grown)
                if (producers[i]->top() >= g.designBottom - kEpsilon)
                    shift += g.growth;
            placed.items[i].rect.translate(0, shift);
            largest = std::max(largest, shift);
            height = std::max(height, placed.items[i].rect.bottom());
        }
        height = std::max(height, band.height() + largest);
    }
    for (Control* control : band.controls())
        if (auto* aggregate = dynamic_cast<Aggregate*>(control); aggregate && aggregate->resetAfterPrint())
            aggregate->reset();
}

bool Layout::placeBand(Band& band, bool pageFrame)
{
    PlacedBand placed;
    placed.name = band.name();
    placed.kind = band.kind();
    double height = band.height();
    produceItems(band, placed, height);

    const PageSetup& setup = report_.page();
    double left = setup.margins.left;
    double width = setup.printableWidth();
    double top = y_;
    if (!pageFrame) {
        const bool columns = &band == report_.detail() && setup.columns > 1;
        if (!columns)
            closeColumnRow();
        if (breakRequested_) {
            breakRequested_ = false;
            if (column_ > 0)
                closeColumnRow();
            if (y_ > contentTop_ + kEpsilon) {
                endPage(false);
                startPage();
            }
        }
        // A band taller than a page starts where it is when its fixed part
        // fits there, and is split across pages below.
        const bool tallerThanPage = !columns && height > bottomLimit() - contentTop_ + kEpsilon;
        const bool fixedPartFits = y_ + band.height() <= bottomLimit() + kEpsilon;
        if (column_ == 0 && y_ + height > bottomLimit() + kEpsilon && y_ > contentTop_ + kEpsilon &&
            !(tallerThanPage && fixedPartFits)) {
            endPage(false);
            startPage();
        }
        if (!columns)
            placeSplitting(placed, height);
        top = y_;
        if (columns) {
            width = setup.columnWidth();
            left += column_ * (width + setup.columnSpace);
            rowHeight_ = std::max(rowHeight_, height);
            if (++column_ >= setup.columns)
                closeColumnRow();
        } else {
            y_ += height;
        }
    } else {
        y_ += height;
    }

    emitBand(placed, left, top, width, height);
    return true;
}

// While the band (of the given height) runs past the page's bottom, the part that fits is placed
// and the page ends; texts crossing the cut carry their further lines on.
// A band that cannot be cut (nothing would move on) is left whole.
void Layout::placeSplitting(PlacedBand& placed, double& height)
{
    while (y_ + height > bottomLimit() + kEpsilon) {
        const double room = bottomLimit() - y_;
        if (room <= kEpsilon)
            return;
        PlacedBand head = placed;
        PlacedBand rest;
        double restHeight = std::max(0.0, height - room);
        if (!cutBand(head, room, rest, restHeight) || restHeight >= height - kEpsilon)
            return;
        const PageSetup& setup = report_.page();
        emitBand(head, setup.margins.left, y_, setup.printableWidth(), room);
        endPage(false);
        startPage();
        placed = std::move(rest);
        height = restHeight;
    }
}

bool Layout::cutBand(PlacedBand& placed, double cut, PlacedBand& rest, double& restHeight)
{
    rest.name = placed.name;
    rest.kind = placed.kind;
    std::vector<PlacedItem> kept;
    bool moved = false;
    for (PlacedItem& item : placed.items) {
        if (item.rect.bottom() <= cut + kEpsilon) {
            kept.push_back(std::move(item));
            continue;
        }
        moved = true;
        if (item.rect.top() >= cut - kEpsilon) {
            item.rect.translate(0, -cut);
            restHeight = std::max(restHeight, item.rect.bottom());
            rest.items.push_back(std::move(item));
            continue;
        }
        PlacedItem tail;
        if (splitTextItem(item, cut - item.rect.top(), tail)) {
            restHeight = std::max(restHeight, tail.rect.bottom());
            kept.push_back(std::move(item));
            rest.items.push_back(std::move(tail));
        } else if (item.kind == ItemKind::Shape && item.shape == ShapeKind::VerticalLine) {
            tail = item;
            tail.rect = QRectF(item.rect.left(), 0, item.rect.width(), item.rect.bottom() - cut);
            item.rect.setBottom(cut);
            restHeight = std::max(restHeight, tail.rect.bottom());
            kept.push_back(std::move(item));
            rest.items.push_back(std::move(tail));
        } else {
            // Not divisible: it starts the next page's part whole.
            item.rect.moveTop(0);
            restHeight = std::max(restHeight, item.rect.bottom());
            rest.items.push_back(std::move(item));
        }
    }
    placed.items = std::move(kept);
    return moved;
}

void Layout::emitBand(PlacedBand& placed, double left, double top, double width, double height)
{
    placed.rect = QRectF(left, top, width, height);
    for (PlacedItem& item : placed.items) {
        item.rect.translate(left, top);
        if (item.deferred == int(SysDataKind::PageNumber) + 1) {
            item.text = SysData::pageText(item, report_.pageNumber(), 0);
            item.deferred = 0;
        }
    }
    out_->pages.back().bands.push_back(std::move(placed));
}

void Layout::closeColumnRow()
{
    if (column_ == 0)
        return;
    y_ += rowHeight_;
    column_ = 0;
    rowHeight_ = 0;
}

double Layout::bottomLimit() const
{
    double limit = report_.page().paperSize().height() - report_.page().margins.bottom;
    for (Band* band : report_.bands_)
        if (band->kind() == BandKind::PageFooter && band->enabled())
            limit -= band->height();
    return limit;
}

// ---- pages ----------------------------------------------------------------------

void Layout::startPage()
{
    out_->pages.emplace_back();
    out_->pages.back().size = report_.page().paperSize();
    ++report_.pageNumber_;
    y_ = report_.page().margins.top;
    column_ = 0;
    rowHeight_ = 0;
    inPageFrame_ = true;
    for (Band* band : report_.bands_)
        if (band->kind() == BandKind::PageHeader && (!band->firstPageOnly() || report_.pageNumber() == 1))
            printBand(*band);
    if (report_.pageNumber() == 1)
        for (Band* band : report_.bands_)
            if (band->kind() == BandKind::Title)
                printBand(*band);
    for (Band* band : report_.bands_)
        if (band->kind() == BandKind::ColumnHeader)
            printBand(*band);
    inPageFrame_ = false;
    contentTop_ = y_;
}

void Layout::endPage(bool last)
{
    closeColumnRow();
    if (last && !report_.lastPageFooter())
        return;
    y_ = bottomLimit();
    inPageFrame_ = true;
    for (Band* band : report_.bands_)
        if (band->kind() == BandKind::PageFooter)
            printBand(*band);
    inPageFrame_ = false;
}

void Layout::finish()
{
    const int pages = out_->pageCount();
    for (int i = 0; i < pages; ++i)
        for (PlacedBand& band : out_->pages[size_t(i)].bands)
            for (PlacedItem& item : band.items)
                if (item.deferred) {
                    item.text = SysData::pageText(item, i + 1, pages);
                    item.deferred = 0;
                }
}

}  // namespace host::report
