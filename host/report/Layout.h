#pragma once
// The layout run of one preparation: walks the bands over the datasets and
// places them on pages. Internal to the engine (Report::prepare uses it).

#include "host/report/Report.h"

#include <memory>

namespace host::report {

class Layout {
public:
    explicit Layout(Report& report);
    std::shared_ptr<const PreparedReport> run();
    void requestNewPage() { breakRequested_ = true; }

private:
    bool hasRows();
    void printDataLevel(Band& dataBand);
    void printRow(Band& dataBand);
    void printGroupHeaders(const std::vector<Band*>& groups, size_t from);
    void printGroupFooters(const std::vector<Band*>& groups, size_t downTo);
    std::vector<QVariant> groupKeys(const std::vector<Band*>& groups) const;
    std::vector<QVariant> nextRowKeys(Band& dataBand, const std::vector<Band*>& groups);

    bool printBand(Band& band);
    bool placeBand(Band& band, bool pageFrame);
    void produceItems(Band& band, PlacedBand& placed, double& height);
    void placeSplitting(PlacedBand& placed, double& height);
    bool cutBand(PlacedBand& placed, double cut, PlacedBand& rest, double& restHeight);
    void emitBand(PlacedBand& placed, double left, double top, double width, double height);
    void startPage();
    void endPage(bool last);
    void closeColumnRow();
    double bottomLimit() const;
    void finish();

    Report& report_;
    std::shared_ptr<PreparedReport> out_;
    PreparedPage* page_ = nullptr;
    double y_ = 0;
    double contentTop_ = 0;          // below the headers of the current page
    int column_ = 0;                 // next label column of the detail band
    double rowHeight_ = 0;
    bool breakRequested_ = false;
    bool inPageFrame_ = false;
};

}  // namespace host::report
