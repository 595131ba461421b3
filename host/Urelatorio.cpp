#include "host/Urelatorio.h"

#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/WindowRegistry.h"

#include <QRegularExpression>

#include <algorithm>

using namespace host::report;

std::unique_ptr<TqrRelatorio> qrRelatorio;

namespace {

constexpr double kColumnGap = 2;
constexpr double kFormLineHeight = 9;    // a title over its value
constexpr double kWidestValue = 60;      // a longer text goes on in more lines
constexpr double kMemoWidth = 600;       // a text of many lines
constexpr double kLongText = 120;        // in a record printed as a form, a line of its own

// The width the field's values take, from their kind and size.
double valueWidth(host::data::Field* field, const QFont& font)
{
    if (!field)
        return 0;
    auto width = [&font](const QString& sample) { return textWidth(sample, font); };
    switch (field->dataType()) {
    case host::data::FieldType::String: {
        // A code shown through its text ("M" as "Manutenção") takes the text's room.
        const int characters = field->onGetText ? std::max(field->size(), 25) : std::max(field->size(), 1);
        return characters * width(QStringLiteral("Nn")) / 2;
    }
    case host::data::FieldType::Memo: return kMemoWidth;
    case host::data::FieldType::Float: return width(QStringLiteral("-999.999.999,99"));
    case host::data::FieldType::Int16: return width(QStringLiteral("-99999"));
    case host::data::FieldType::Int32: return width(QStringLiteral("-9999999999"));
    case host::data::FieldType::Date: return width(QStringLiteral("00/00/0000"));
    case host::data::FieldType::DateTime: return width(QStringLiteral("00/00/0000 00:00:00"));
    case host::data::FieldType::Time: return width(QStringLiteral("00:00:00"));
    default: return width(QStringLiteral("XXXXXXXX"));
    }
}

double autoWidth(host::data::Field* field, const QString& caption)
{
    double width = 20;
    if (field) {
        switch (field->dataType()) {
        case host::data::FieldType::String: width = std::clamp(field->size() * 1.8, 12.0, 70.0); break;
        case host::data::FieldType::Memo: width = 70; break;
        case host::data::FieldType::Float: width = 24; break;
        case host::data::FieldType::DateTime:
        case host::data::FieldType::Date: width = 20; break;
        default: width = 16; break;
        }
    }
    return std::max(width, caption.size() * 1.9);
}

}  // namespace

TqrRelatorio::TqrRelatorio(host::data::Dataset* dataset, host::Component* owner)
    : Report(owner, QStringLiteral("qrRelatorio")), dataset_(dataset)
{
    setMargins(10, 10, 10, 10);
    setDataSet(dataset);
    buildHeader();
    qrbnColunas = addBand(BandKind::ColumnHeader, QStringLiteral("qrbnColunas"), 6);
    qrbnColunas->addShape(QStringLiteral("qrshColunas"), 0, 5, 0, 1, ShapeKind::HorizontalLine);
    qrbnDetalhe = addBand(BandKind::Detail, QStringLiteral("qrbnDetalhe"), 5);
    qrbnRodape = addBand(BandKind::PageFooter, QStringLiteral("qrbnRodape"), 7);
    qrbnRodape->addShape(QStringLiteral("qrshRodape"), 0, 0, 0, 1, ShapeKind::HorizontalLine);
    qrbnRodape->addSysData(QStringLiteral("qrsdPagina"), 0, 2, 40, 4, SysDataKind::PageNumber, QStringLiteral("Página "))
        ->setAlignment(Qt::AlignRight | Qt::AlignTop);
    beforePrint = [this](Report&) { fitColumns(); };
}

TqrRelatorio::~TqrRelatorio() = default;

void TqrRelatorio::buildHeader()
{
    qrbnCabecalho = addBand(BandKind::PageHeader, QStringLiteral("qrbnCabecalho"), 30);
    Band* b = qrbnCabecalho;
    host::data::Dataset* empresa = dmGlobal ? dmGlobal->quEmpresa : nullptr;
    b->addLabel(QStringLiteral("qrlaEmpresa"), 0, 0, 18, 4, QStringLiteral(" Empresa:"));
    b->addDataText(QStringLiteral("qrteEmpresa"), 18, 0, 110, 4, empresa, QStringLiteral("NOME"));
    b->addLabel(QStringLiteral("qrlaCNPJ"), 0, 5, 18, 4, QStringLiteral("CNPJ:"));
    b->addExprText(QStringLiteral("qrteCNPJ"), 18, 5, 60, 4, [] { return QVariant(dmGlobal ? dmGlobal->CnpjEmpresa() : QString()); });
    qrlaSistema = b->addLabel(QStringLiteral("qrlaSistema"), 0, 10, 110, 4, QStringLiteral("Sistema:  "));
    qrlaPrograma = b->addLabel(QStringLiteral("qrlaPrograma"), 0, 15, 110, 4, QStringLiteral("Programa : "));
    b->addLabel(QStringLiteral("qrlaDataEmissao"), 0, 0, 30, 4, QStringLiteral("Data Emissão"));
    b->addSysData(QStringLiteral("qrsdData"), 0, 0, 28, 4, SysDataKind::Date);
    b->addLabel(QStringLiteral("qrlaHoraEmissao"), 0, 5, 30, 4, QStringLiteral("Hora Emissão"));
    b->addSysData(QStringLiteral("qrsdHora"), 0, 5, 28, 4, SysDataKind::Time);
    qrlaTitulo = b->addLabel(QStringLiteral("qrlaTitulo"), 0, 20, 0, 5, {});
    qrlaTitulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    qrlaTitulo->font().setBold(true);
    qrlaTitulo->font().setPointSizeF(12);
    qrlaSubtitulo = b->addLabel(QStringLiteral("qrlaSubtitulo"), 0, 25, 0, 4, {});
    qrlaSubtitulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    qrlaSubtitulo->setEnabled(false);
}

void TqrRelatorio::setTitulo(const QString& titulo)
{
    qrlaTitulo->setCaption(titulo);
    setTitle(titulo);
}

void TqrRelatorio::setSubtitulo(const QString& subtitulo)
{
    qrlaSubtitulo->setCaption(subtitulo);
    qrlaSubtitulo->setEnabled(!subtitulo.isEmpty());
}

void TqrRelatorio::setSistema(const QString& sistema) { qrlaSistema->setCaption(QStringLiteral("Sistema:  ") + sistema); }

void TqrRelatorio::setPrograma(const QString& programa)
{
    qrlaPrograma->setCaption(QStringLiteral("Programa : ") + programa);
}

void TqrRelatorio::AdicionaColuna(const QString& caption, const QString& field, int x, double width)
{
    host::data::Field* f = dataset_ ? dataset_->findField(field) : nullptr;
    if (width <= 0)
        width = autoWidth(f, caption);
    double left = 0;
    if (x >= 0)
        left = fromScreenUnits(x);
    else if (!columns_.empty())
        left = columns_.back().caption->left() + columns_.back().caption->width() + kColumnGap;
    const QString index = QString::number(columns_.size() + 1);
    Label* label = qrbnColunas->addLabel(QStringLiteral("qrlaColuna") + index, left, 1, width, 4, caption);
    label->font().setBold(true);
    DataText* text = qrbnDetalhe->addDataText(QStringLiteral("qrteColuna") + index, left, 0.5, width, 4, dataset_, field);
    if (f && f->isNumeric()) {
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        text->setAlignment(Qt::AlignRight | Qt::AlignTop);
    }
    columns_.push_back({label, text, f, x >= 0});
}

void TqrRelatorio::AdicionaTotal(const QString& caption, const QString& field)
{
    if (!qrbnTotal)
        qrbnTotal = addBand(BandKind::Summary, QStringLiteral("qrbnTotal"), 7);
    const double top = qrbnTotal->controls().size() / 2 * 5.0 + 1;
    qrbnTotal->setHeight(top + 6);
    qrbnTotal->addLabel(QStringLiteral("qrlaTotal") + QString::number(qrbnTotal->controls().size()), 0, top, 60, 4, caption)
        ->font()
        .setBold(true);
    auto* soma = qrbnTotal->addAggregate(QStringLiteral("qragTotal") + QString::number(qrbnTotal->controls().size()),
                                         60, top, 40, 4, AggregateKind::Sum, *qrbnDetalhe,
                                         [this, field] { return dataset_->fieldByName(field)->asFloat(); });
    soma->setDisplayFormat(QStringLiteral("###,###,##0.00"));
    soma->setAlignment(Qt::AlignRight | Qt::AlignTop);
}

// Columns wider than the paper: landscape first. Columns the caller placed
// keep their places and narrow together; the others keep the width their
// title and values need and go on to another line of the record when the
// line is full, so that every value prints whole at the report's size.
void TqrRelatorio::fitColumns()
{
    if (columns_.empty()) {
        placeFrame();
        return;
    }
    const bool placedByCaller =
        std::any_of(columns_.begin(), columns_.end(), [](const Column& c) { return c.placed; });
    if (placedByCaller)
        scaleColumns();
    else
        flowColumns();
    placeFrame();
}

void TqrRelatorio::scaleColumns()
{
    // A column placed by the caller ends where the next one starts.
    for (size_t i = 0; i + 1 < columns_.size(); ++i) {
        Label* caption = columns_[i].caption;
        const double room = columns_[i + 1].caption->left() - kColumnGap - caption->left();
        if (columns_[i + 1].placed && room > 0 && caption->width() > room)
            caption->setWidth(room);
    }
    auto extent = [this] {
        double right = 0;
        for (const Column& c : columns_)
            right = std::max(right, c.caption->left() + c.caption->width());
        return right;
    };
    if (extent() > page().printableWidth() && !page().landscape)
        setLandscape(true);
    const double scale = std::min(1.0, page().printableWidth() / extent());
    for (Column& c : columns_) {
        c.caption->setGeometry(c.caption->left() * scale, c.caption->top(), c.caption->width() * scale,
                               c.caption->height());
        c.text->setGeometry(c.caption->left(), c.text->top(), c.caption->width(), c.text->height());
    }
}

void TqrRelatorio::flowColumns()
{
    double total = -kColumnGap;
    for (Column& c : columns_) {
        c.caption->setWidth(std::max(c.caption->width(), neededWidth(c)));
        total += c.caption->width() + kColumnGap;
    }
    if (total > page().printableWidth() && !page().landscape)
        setLandscape(true);
    const double room = page().printableWidth();
    if (total <= room) {
        placeInOneLine();
        return;
    }
    // More than a line: each record is printed as a form, every title over
    // its value, and the list's title line goes. Texts that may be longer
    // than a column come last, a line each, the longest last of all: one
    // going on in more lines has nothing under it to print over.
    qrbnColunas->setEnabled(false);
    std::vector<Column*> order;
    for (Column& c : columns_)
        if (fullWidth(c) <= kLongText)
            order.push_back(&c);
    for (Column& c : columns_)
        if (fullWidth(c) > kLongText && fullWidth(c) <= room)
            order.push_back(&c);
    for (Column& c : columns_)
        if (fullWidth(c) > room)
            order.push_back(&c);
    double left = 0;
    int line = 0;
    for (Column* c : order) {
        const bool ownLine = fullWidth(*c) > kLongText;
        const double width = ownLine ? room : std::min(c->caption->width(), room);
        if (left > 0 && left + width > room) {
            left = 0;
            ++line;
        }
        const double top = line * kFormLineHeight;
        Label* title = qrbnDetalhe->addLabel(c->caption->name() + QStringLiteral("Registro"), left, top, width,
                                             c->caption->height(), c->caption->caption());
        title->font() = c->caption->font();
        title->setAlignment(c->caption->alignment());
        c->text->setGeometry(left, top + 4, width, c->text->height());
        if (ownLine)
            wrapWhenWider(*c, width);   // nothing under it to print over
        left += width + kColumnGap;
    }
    qrbnDetalhe->setHeight((line + 1) * kFormLineHeight + 2);
}

void TqrRelatorio::placeInOneLine()
{
    double left = 0;
    for (Column& c : columns_) {
        const double width = c.caption->width();
        c.caption->setGeometry(left, 1, width, c.caption->height());
        c.text->setGeometry(left, 0.5, width, c.text->height());
        wrapWhenWider(c, width);
        left += width + kColumnGap;
    }
}

// A value that may be wider than its column goes on in more lines.
void TqrRelatorio::wrapWhenWider(Column& c, double width) const
{
    if (width >= fullWidth(c))
        return;
    c.text->setWordWrap(true);
    c.text->setAutoStretch(true);
}

// What the column's title and the values of its field's kind take, a long
// text's at most kWidestValue (it goes on in more lines).
double TqrRelatorio::neededWidth(const Column& c) const
{
    const double title = textWidth(c.caption->caption(), c.caption->font());
    return std::max(title, std::min(valueWidth(c.field, c.text->font()), kWidestValue)) + 1;
}

// What the column's title and the widest value of its field's kind take.
double TqrRelatorio::fullWidth(const Column& c) const
{
    const double title = textWidth(c.caption->caption(), c.caption->font());
    return std::max(title, valueWidth(c.field, c.text->font())) + 1;
}

// The header and footer follow the width of the page.
void TqrRelatorio::placeFrame()
{
    const double right = page().printableWidth();
    auto at = [this](const QString& name, double left) { find<Control>(name)->setLeft(left); };
    at(QStringLiteral("qrlaDataEmissao"), right - 60);
    at(QStringLiteral("qrsdData"), right - 28);
    at(QStringLiteral("qrlaHoraEmissao"), right - 60);
    at(QStringLiteral("qrsdHora"), right - 28);
    at(QStringLiteral("qrsdPagina"), right - 40);
    qrlaTitulo->setWidth(right);
    qrlaSubtitulo->setWidth(right);
    find<Shape>(QStringLiteral("qrshRodape"))->setWidth(right);
    find<Shape>(QStringLiteral("qrshColunas"))->setWidth(right);
}

// ---- reports of a query or a grid ---------------------------------------------------

namespace {

void mostrar(TqrRelatorio& relatorio, bool visualizar)
{
    if (visualizar)
        relatorio.preview(true);
    else
        relatorio.print();
}

QString tituloDaJanela(const QWidget& widget)
{
    const QWidget* window = widget.window();
    return window && window != &widget ? window->windowTitle() : QString();
}

std::unique_ptr<TqrRelatorio> relatorioDaGrade(host::ui::DataGrid& grid, const QString& titulo)
{
    host::data::Dataset* dataset = grid.dataSource() ? grid.dataSource()->dataset() : nullptr;
    if (!dataset)
        throw ReportError(QStringLiteral("A grade não tem dados para imprimir."));
    auto relatorio = std::make_unique<TqrRelatorio>(dataset);
    relatorio->setTitulo(titulo.isEmpty() ? tituloDaJanela(grid) : titulo);
    relatorio->setSistema(QStringLiteral("Assistência Técnica"));
    relatorio->setPrograma(grid.window() ? grid.window()->objectName() : QString());
    for (const auto& column : grid.columns())
        if (column->visible())
            relatorio->AdicionaColuna(column->title(), column->fieldName(), -1, fromScreenUnits(column->width()));
    return relatorio;
}

}  // namespace

void QuerytoRelatorio(host::data::Query& query, bool visualizar)
{
    if (!query.active())
        query.open();
    TqrRelatorio relatorio(&query);
    const QWidget* janela = host::ui::WindowRegistry::activeForm();
    relatorio.setTitulo(janela ? janela->windowTitle() : query.name());
    relatorio.setSistema(QStringLiteral("Assistência Técnica"));
    relatorio.setPrograma(janela ? janela->objectName() : query.name());
    // A column's title is the caption the user knows the field by (its label,
    // or the control or grid column that shows it); a field nothing shows
    // under a caption is an inner column and is left out.
    for (host::data::Field* field : query.fields()) {
        if (!field->visible())
            continue;
        const QString titulo = host::data::userLabel(*field);
        if (!titulo.isEmpty())
            relatorio.AdicionaColuna(titulo, field->fieldName());
    }
    mostrar(relatorio, visualizar);
}

void GridtoRelatorio(host::ui::DataGrid& grid, bool visualizar)
{
    mostrar(*relatorioDaGrade(grid, {}), visualizar);
}

void GridtoRelatorioComInfo(host::ui::DataGrid& grid, bool visualizar, const QString& titulo, const QString& info,
                            const QString&, const QString&)
{
    auto relatorio = relatorioDaGrade(grid, titulo);
    relatorio->setSubtitulo(info);
    mostrar(*relatorio, visualizar);
}

void GridtoRelatorioComTotal(host::ui::DataGrid& grid, bool visualizar, const QString& soma, const QString&, int, int,
                             int, int)
{
    auto relatorio = relatorioDaGrade(grid, {});
    static const QRegularExpression somaDeCampo(QStringLiteral("^\\s*sum\\s*\\(\\s*(?:\\w+\\.)?(\\w+)\\s*\\)\\s*$"),
                                                QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = somaDeCampo.match(soma);
    if (!match.hasMatch())
        throw ReportError(QStringLiteral("Total inválido: %1").arg(soma));
    relatorio->AdicionaTotal(QStringLiteral("Total:"), match.captured(1));
    mostrar(*relatorio, visualizar);
}
