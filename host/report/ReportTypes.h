#pragma once
// Plain types of the band report engine: band kinds, page set-up, frames.
// Every length is in millimetres, as the report forms are drawn.

#include <QSizeF>
#include <QString>

#include <stdexcept>

namespace host::report {

enum class BandKind {
    Title,          // once, on the first page, below the page header
    PageHeader,     // top of every page (or of the first only)
    ColumnHeader,   // below the page header (and title) on every page
    Detail,         // once per row of the report's dataset
    SubDetail,      // once per row of its own dataset, for each row of its master
    GroupHeader,    // when a group's key changes (also a sub-detail's header)
    GroupFooter,    // when a group ends (also a sub-detail's footer)
    Child,          // right after its parent band
    Summary,        // once, after the last row
    PageFooter      // bottom of every page
};
QString bandKindName(BandKind kind);

enum class PaperSize { A4, Letter, Legal, Custom };

// The classic report forms also place controls in screen units (pixels at
// 96 per inch); this gives their millimetres.
constexpr double fromScreenUnits(double pixels) { return pixels * 25.4 / 96; }

struct Margins {
    double left = 10;
    double top = 10;
    double right = 10;
    double bottom = 10;
};

// The page: paper, orientation, margins and the label columns of the detail band.
struct PageSetup {
    PaperSize paper = PaperSize::A4;
    double customWidth = 210;    // portrait width and length of a custom paper
    double customLength = 297;
    bool landscape = false;
    Margins margins;
    int columns = 1;             // detail bands side by side (label sheets)
    double columnSpace = 0;

    QSizeF paperSize() const;    // width x length as printed (orientation applied)
    double printableWidth() const;
    double columnWidth() const;
};

// Lines drawn around a control.
struct Frame {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
    double width = 0.2;          // millimetres

    bool any() const { return left || top || right || bottom; }
    void setAll(bool on) { left = top = right = bottom = on; }
};

enum class ShapeKind { Rectangle, Circle, HorizontalLine, VerticalLine };

// What the engine raises: a report that cannot be laid out or written out.
// The message is meant for the user.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

}  // namespace host::report
