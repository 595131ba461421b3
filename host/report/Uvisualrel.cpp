#include "host/report/Uvisualrel.h"

#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

using host::report::PreparedReport;

namespace {

QPushButton* button(QWidget* parent, QHBoxLayout* bar, const char* name, const QString& caption,
                    std::function<void()> action)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    bar->addWidget(b);
    QObject::connect(b, &QPushButton::clicked, parent, [action = std::move(action)] { host::ui::runGuarded(action); });
    return b;
}

}  // namespace

TfmVisualizadorRelatorio::TfmVisualizadorRelatorio(std::shared_ptr<const PreparedReport> pages, QWidget* parent)
    : host::ui::Form(parent), pages_(std::move(pages)), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("fmVisualizadorRelatorio"));
    setCaption(pages_->title.isEmpty() ? QStringLiteral("Visualização do Relatório") : pages_->title);
    setStartMaximized(true);
    pages_->configurePrinter(*printer_);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);
    bbPrimeira = button(this, bar, "bbPrimeira", QStringLiteral("|<"), [this] { irParaPagina(1); });
    bbAnterior = button(this, bar, "bbAnterior", QStringLiteral("<"), [this] { irParaPagina(paginaAtual() - 1); });
    bbProxima = button(this, bar, "bbProxima", QStringLiteral(">"), [this] { irParaPagina(paginaAtual() + 1); });
    bbUltima = button(this, bar, "bbUltima", QStringLiteral(">|"), [this] { irParaPagina(pages_->pageCount()); });
    bbAumentar = button(this, bar, "bbAumentar", QStringLiteral("+"), [this] { ppVisualizador->zoomIn(); });
    bbDiminuir = button(this, bar, "bbDiminuir", QStringLiteral("-"), [this] { ppVisualizador->zoomOut(); });
    laPagina = new QLabel(this);
    laPagina->setObjectName(QStringLiteral("laPagina"));
    bar->addWidget(laPagina);
    bar->addStretch();
    bbImprimir = button(this, bar, "bbImprimir", QStringLiteral("&Imprimir"), [this] { Imprimir(); });
    bbSalvarPdf = button(this, bar, "bbSalvarPdf", QStringLiteral("Salvar &PDF"), [this] { SalvarPdf(); });
    bbFechar = button(this, bar, "bbFechar", QStringLiteral("&Fechar"), [this] { close(); });

    ppVisualizador = new QPrintPreviewWidget(printer_.get(), this);
    ppVisualizador->setObjectName(QStringLiteral("ppVisualizador"));
    layout->addWidget(ppVisualizador, 1);
    connect(ppVisualizador, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { host::ui::runGuarded([&] { pages_->paint(*printer); }); });
    connect(ppVisualizador, &QPrintPreviewWidget::previewChanged, this, [this] { mostrarPagina(); });
    ppVisualizador->updatePreview();
    mostrarPagina();
}

TfmVisualizadorRelatorio::~TfmVisualizadorRelatorio() = default;

int TfmVisualizadorRelatorio::paginaAtual() const { return ppVisualizador->currentPage(); }

void TfmVisualizadorRelatorio::irParaPagina(int pagina)
{
    ppVisualizador->setCurrentPage(qBound(1, pagina, std::max(1, pages_->pageCount())));
    mostrarPagina();
}

void TfmVisualizadorRelatorio::mostrarPagina()
{
    laPagina->setText(QStringLiteral("Página %1 de %2").arg(paginaAtual()).arg(pages_->pageCount()));
}

void TfmVisualizadorRelatorio::Imprimir()
{
    QString impressora;
    if (host::ui::Dialogs::choosePrinter(impressora))
        pages_->print(impressora);
}

void TfmVisualizadorRelatorio::SalvarPdf()
{
    QString arquivo;
    if (!host::ui::Dialogs::saveFile(QStringLiteral("Salvar Relatório"), QStringLiteral("PDF (*.pdf)|*.pdf"), arquivo))
        return;
    if (!arquivo.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        arquivo += QStringLiteral(".pdf");
    pages_->exportPdf(arquivo);
}

void TfmVisualizadorRelatorio::Exibir(std::shared_ptr<const PreparedReport> pages, bool esperar)
{
    auto* viewer = new TfmVisualizadorRelatorio(std::move(pages));
    viewer->setDefaultCloseAction(host::ui::CloseAction::Free);
    if (!esperar) {
        // Not modal, yet the window that asked for it would cover it if it stays on top.
        host::ui::Dialogs::attachToOwner(*viewer, host::ui::Dialogs::owner());
        viewer->showNonModal();
        return;
    }
    // Freed on every way out of the modal show, a failure included.
    struct Release {
        TfmVisualizadorRelatorio* viewer;
        ~Release()
        {
            if (!viewer->released())
                viewer->release();
        }
    } release{viewer};
    viewer->showModal();
}

void ExibirRelatorioFR(host::report::Report& report) { report.preview(true); }
