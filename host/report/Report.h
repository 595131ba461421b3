#pragma once
// A report: page set-up, bands and report variables, laid out over the
// project's datasets into pages that go to the preview window, a printer,
// a PDF file or a text dump. Documents are subclasses (or owners) that build
// their bands in code, in the manner of the classic report forms:
//
//   class TqrAssExemplo : public host::report::Report {
//       Band* qrbnTitulo = addBand(BandKind::Title, "qrbnTitulo", 20);
//       Band* qrbnDetalhe = addBand(BandKind::Detail, "qrbnDetalhe", 6);
//       ... qrbnDetalhe->addDataText("qrteCodigo", 0, 0, 20, 5, dmTec->quOS, "AOCODIGO");
//   };
//
// Order on a page: page header, title (first page), column header, the data
// bands, summary (last page), page footer at the bottom.

#include "host/report/Band.h"

#include <QDateTime>
#include <QHash>

#include <functional>
#include <memory>

namespace host::report {

class Layout;

class Report : public host::Component {
public:
    explicit Report(host::Component* owner = nullptr, const QString& name = {});
    ~Report() override;

    // Document title (viewer caption, PDF title).
    QString title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    PageSetup& page() { return page_; }
    const PageSetup& page() const { return page_; }
    void setPaper(PaperSize paper) { page_.paper = paper; }
    void setCustomPaper(double width, double length);
    void setLandscape(bool on) { page_.landscape = on; }
    void setMargins(double left, double top, double right, double bottom);
    void setColumns(int columns, double space);

    // The font new controls start with.
    QFont& font() { return font_; }
    void setFont(const QFont& font) { font_ = font; }

    // Bands of the report itself (title, page header and footer, column
    // header, detail, summary). The detail band iterates the report's dataset.
    Band* addBand(BandKind kind, const QString& name, double height);
    Band* detail() const { return detail_; }
    void setDataSet(DataRef dataSet);
    host::data::Dataset* dataSet() const;
    Band* band(const QString& name) const;   // any band of the report, by name

    // With no row the report prints nothing, unless asked to print its
    // title, headers and summary anyway.
    bool printIfEmpty() const { return printIfEmpty_; }
    void setPrintIfEmpty(bool on) { printIfEmpty_ = on; }
    // The page footer on the last page too.
    bool lastPageFooter() const { return lastPageFooter_; }
    void setLastPageFooter(bool on) { lastPageFooter_ = on; }

    // Hooks: before the layout starts (each preparation) and after it ends;
    // need-data drives the detail band by code instead of a dataset.
    std::function<void(Report&)> beforePrint;
    std::function<void(Report&)> afterPrint;
    std::function<void(Report&, bool& moreData)> onNeedData;

    // Report variables: expressions, so texts are stored quoted ("'Serviço'").
    void setVariable(const QString& name, const QString& expression) { variables_.insert(name, expression); }
    QString variable(const QString& name) const { return variables_.value(name); }
    QString variableText(const QString& name) const;   // without the quotes
    bool hasVariable(const QString& name) const { return variables_.contains(name); }

    // While the layout runs: the page being filled, and a page break that
    // hooks may ask for: the next band starts a new page (asked from a band's
    // before-print, that band itself; asked after the last band, nothing).
    int pageNumber() const { return pageNumber_; }
    void newPage();
    QDateTime printDateTime() const { return printDateTime_; }

    // Lays the pages out anew (every hook runs); returns the page count.
    int prepare();
    std::shared_ptr<const PreparedReport> prepared() const { return prepared_; }
    int pageCount() const { return prepared_ ? prepared_->pageCount() : 0; }

    // Outputs. Each prepares the pages anew, unless prepare() was called
    // just before (then that preparation is used once).
    QString textDump();
    void exportPdf(const QString& fileName);
    // Without a name, the current printer of the system (host/report/Impressoras.h).
    void print(const QString& printerName = {});
    // The host's report viewer; with wait the call returns once it is closed.
    void preview(bool wait = true);
    void ShowReport() { preview(true); }

    const std::vector<Aggregate*>& aggregates() const { return aggregates_; }

private:
    friend class Band;
    friend class Layout;
    std::shared_ptr<const PreparedReport> takePrepared();

    QString title_;
    PageSetup page_;
    QFont font_;
    std::vector<Band*> bands_;       // every band, in creation order
    Band* detail_ = nullptr;
    DataRef dataSet_;
    bool printIfEmpty_ = true;
    bool lastPageFooter_ = true;
    QHash<QString, QString> variables_;
    std::vector<Aggregate*> aggregates_;
    int pageNumber_ = 0;
    QDateTime printDateTime_;
    Layout* layout_ = nullptr;       // while preparing
    std::shared_ptr<const PreparedReport> prepared_;
    bool fresh_ = false;
};

}  // namespace host::report
