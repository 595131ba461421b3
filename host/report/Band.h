#pragma once
// A band of a report: a horizontal strip printed as a whole, with its
// controls, its hooks and, for the data bands, its dataset. Detail and
// sub-detail bands iterate their dataset; a sub-detail runs once per row of
// its master band, with an optional header and footer; groups hang on a
// data band and break when their key changes; a child band follows its parent.

#include "host/report/Controls.h"

#include <functional>
#include <vector>

namespace host::report {

class Band : public host::Component {
public:
    Band(Report& report, BandKind kind, const QString& name, double height);
    ~Band() override;

    Report& report() const { return *report_; }
    BandKind kind() const { return kind_; }
    double height() const { return height_; }
    void setHeight(double height) { height_ = height; }
    // The width it prints at: the page's between its margins, or a label
    // column's for the detail of a report printed in columns.
    double width() const;
    // A disabled band, and its child, print nothing.
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    // Before each print: clearing printBand hides the band this time.
    std::function<void(Band&, bool& printBand)> beforePrint;
    std::function<void(Band&, bool printed)> afterPrint;

    const std::vector<Control*>& controls() const { return controls_; }

    // Controls, owned by the report and listed here in order.
    Label* addLabel(const QString& name, double left, double top, double width, double height, const QString& caption);
    DataText* addDataText(const QString& name, double left, double top, double width, double height, DataRef dataSet,
                          const QString& fieldName);
    ExprText* addExprText(const QString& name, double left, double top, double width, double height,
                          ExprText::Expression expression);
    Memo* addMemo(const QString& name, double left, double top, double width, double height);
    RichText* addRichText(const QString& name, double left, double top, double width, double height);
    SysData* addSysData(const QString& name, double left, double top, double width, double height, SysDataKind kind,
                        const QString& prefix = {});
    Aggregate* addAggregate(const QString& name, double left, double top, double width, double height,
                            AggregateKind kind, Band& master, Aggregate::Value value = {});
    Image* addImage(const QString& name, double left, double top, double width, double height);
    Shape* addShape(const QString& name, double left, double top, double width, double height, ShapeKind kind);
    Barcode* addBarcode(const QString& name, double left, double top, double width, double height, BarcodeKind kind);

    // The child band printed right after this one (when this one printed).
    Band* addChild(const QString& name, double height);
    Band* child() const { return child_; }
    Band* parentBand() const { return parent_; }

    // Data bands (detail and sub-detail): the dataset they iterate.
    DataRef dataSetRef() const { return dataSet_; }
    host::data::Dataset* dataSet() const { return dataSet_.get(); }
    void setDataSet(DataRef dataSet) { dataSet_ = dataSet; }
    // A sub-detail under this data band, iterated for each of its rows.
    Band* addSubDetail(const QString& name, double height, DataRef dataSet);
    const std::vector<Band*>& subDetails() const { return subDetails_; }
    Band* master() const { return master_; }   // of a sub-detail or group
    // Header and footer of a sub-detail; footer of a group header.
    Band* addHeader(const QString& name, double height);
    Band* addFooter(const QString& name, double height);
    Band* header() const { return header_; }
    Band* footer() const { return footer_; }
    // A sub-detail without rows prints its header and footer only when asked.
    bool printIfEmpty() const { return printIfEmpty_; }
    void setPrintIfEmpty(bool on) { printIfEmpty_ = on; }

    // Groups on this data band, outermost first: the header prints when the
    // key changes (and on the first row), its footer after the group's last row.
    using GroupKey = std::function<QVariant()>;
    Band* addGroup(const QString& name, double height, GroupKey key);
    Band* addGroup(const QString& name, double height, const QString& fieldName);
    const std::vector<Band*>& groups() const { return groups_; }
    QVariant groupKey() const;   // of a group header, for the current row

    // A page header printed on the first page only.
    bool firstPageOnly() const { return firstPageOnly_; }
    void setFirstPageOnly(bool on) { firstPageOnly_ = on; }

    // Controls below a text that grew (auto-stretch) move down with it, so
    // a long text does not run over what follows it in the band (on unless
    // a band is laid out to be printed over).
    bool shiftBelowGrown() const { return shiftBelowGrown_; }
    void setShiftBelowGrown(bool on) { shiftBelowGrown_ = on; }

    // How often the band printed in the current run (hooks read it).
    int printCount() const { return printCount_; }

private:
    friend class Report;
    friend class Layout;
    template <class T, class... Args>
    T* add(Args&&... args);
    // A band hanging on this one (its master), listed in the report.
    Band* makeBand(BandKind kind, const QString& name, double height);

    Report* report_;
    BandKind kind_;
    double height_;
    bool enabled_ = true;
    std::vector<Control*> controls_;
    Band* child_ = nullptr;
    Band* parent_ = nullptr;
    DataRef dataSet_;
    std::vector<Band*> subDetails_;
    Band* master_ = nullptr;
    Band* header_ = nullptr;
    Band* footer_ = nullptr;
    bool printIfEmpty_ = true;
    std::vector<Band*> groups_;
    GroupKey groupKey_;
    bool firstPageOnly_ = false;
    bool shiftBelowGrown_ = true;
    int printCount_ = 0;
};

}  // namespace host::report
