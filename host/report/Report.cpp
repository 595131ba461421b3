#include "host/report/Report.h"

#include "host/report/Impressoras.h"
#include "host/report/Layout.h"
#include "host/report/Uvisualrel.h"

namespace host::report {

// ---- page set-up ----------------------------------------------------------------

QSizeF PageSetup::paperSize() const
{
    QSizeF size;
    switch (paper) {
    case PaperSize::A4: size = QSizeF(210, 297); break;
    case PaperSize::Letter: size = QSizeF(215.9, 279.4); break;
    case PaperSize::Legal: size = QSizeF(215.9, 355.6); break;
    case PaperSize::Custom: size = QSizeF(customWidth, customLength); break;
    }
    return landscape ? size.transposed() : size;
}

double PageSetup::printableWidth() const { return paperSize().width() - margins.left - margins.right; }

double PageSetup::columnWidth() const
{
    const int n = columns < 1 ? 1 : columns;
    return (printableWidth() - (n - 1) * columnSpace) / n;
}

// ---- report ---------------------------------------------------------------------

Report::Report(host::Component* owner, const QString& name) : host::Component(owner, name)
{
    font_ = QFont(QStringLiteral("Arial"));
    font_.setPointSizeF(9);
}

Report::~Report() = default;

void Report::setCustomPaper(double width, double length)
{
    page_.paper = PaperSize::Custom;
    page_.customWidth = width;
    page_.customLength = length;
}

void Report::setMargins(double left, double top, double right, double bottom)
{
    page_.margins = Margins{left, top, right, bottom};
}

void Report::setColumns(int columns, double space)
{
    page_.columns = columns < 1 ? 1 : columns;
    page_.columnSpace = space;
}

Band* Report::addBand(BandKind kind, const QString& name, double height)
{
    if (kind == BandKind::SubDetail || kind == BandKind::Child || kind == BandKind::GroupHeader ||
        kind == BandKind::GroupFooter)
        throw ReportError(QStringLiteral("A banda %1 pertence a outra banda.").arg(name));
    Band* band = adopt(std::make_unique<Band>(*this, kind, name, height));
    bands_.push_back(band);
    if (kind == BandKind::Detail) {
        if (detail_)
            throw ReportError(QStringLiteral("O relatório já tem banda de detalhe."));
        detail_ = band;
        // A report dataset not bound yet is bound before printing: keep the reference.
        band->setDataSet(dataSet_);
    }
    return band;
}

void Report::setDataSet(DataRef dataSet)
{
    dataSet_ = dataSet;
    if (detail_)
        detail_->setDataSet(dataSet);
}

host::data::Dataset* Report::dataSet() const { return dataSet_.get(); }

Band* Report::band(const QString& name) const
{
    for (Band* band : bands_)
        if (band->name().compare(name, Qt::CaseInsensitive) == 0)
            return band;
    return nullptr;
}

QString Report::variableText(const QString& name) const
{
    QString value = variables_.value(name).trimmed();
    if (value.size() >= 2 && value.startsWith('\'') && value.endsWith('\''))
        value = value.mid(1, value.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    return value;
}

void Report::newPage()
{
    if (layout_)
        layout_->requestNewPage();
}

int Report::prepare()
{
    if (layout_)
        throw ReportError(QStringLiteral("O relatório já está sendo preparado."));
    printDateTime_ = QDateTime::currentDateTime();
    pageNumber_ = 0;
    for (Band* band : bands_)
        band->printCount_ = 0;
    for (Aggregate* aggregate : aggregates_)
        aggregate->reset();
    Layout layout(*this);
    layout_ = &layout;
    try {
        if (beforePrint)
            beforePrint(*this);
        prepared_ = layout.run();
        layout_ = nullptr;
    } catch (...) {
        layout_ = nullptr;
        throw;
    }
    if (afterPrint)
        afterPrint(*this);
    fresh_ = true;
    return prepared_->pageCount();
}

std::shared_ptr<const PreparedReport> Report::takePrepared()
{
    if (!fresh_ || !prepared_)
        prepare();
    fresh_ = false;
    return prepared_;
}

QString Report::textDump() { return takePrepared()->textDump(); }

void Report::exportPdf(const QString& fileName) { takePrepared()->exportPdf(fileName); }

void Report::print(const QString& printerName)
{
    takePrepared()->print(printerName.isEmpty() ? impressoraAtual() : printerName);
}

void Report::preview(bool wait) { ::TfmVisualizadorRelatorio::Exibir(takePrepared(), wait); }

}  // namespace host::report
