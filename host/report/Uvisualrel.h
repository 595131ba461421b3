#pragma once
// The host's report viewer (units Uvisualrel and Uvisualrelfr): the laid-out
// pages in Qt's print preview, with page moves, zoom, print on a chosen
// printer and save as PDF. The pages belong to the viewer, so the report may
// be freed while a viewer that does not wait is still open.

#include "host/report/Report.h"
#include "host/ui/Form.h"

#include <memory>

class QLabel;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

class TfmVisualizadorRelatorio : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmVisualizadorRelatorio(std::shared_ptr<const host::report::PreparedReport> pages,
                                      QWidget* parent = nullptr);
    ~TfmVisualizadorRelatorio() override;

    const host::report::PreparedReport& pages() const { return *pages_; }

    QPrintPreviewWidget* ppVisualizador = nullptr;
    QPushButton* bbPrimeira = nullptr;
    QPushButton* bbAnterior = nullptr;
    QPushButton* bbProxima = nullptr;
    QPushButton* bbUltima = nullptr;
    QPushButton* bbAumentar = nullptr;
    QPushButton* bbDiminuir = nullptr;
    QPushButton* bbImprimir = nullptr;
    QPushButton* bbSalvarPdf = nullptr;
    QPushButton* bbFechar = nullptr;
    QLabel* laPagina = nullptr;

    int paginaAtual() const;
    void irParaPagina(int pagina);
    // Asks the printer through the host's dialogs and prints every page.
    void Imprimir();
    // Asks the file name through the host's dialogs and writes the PDF.
    void SalvarPdf();

    // Opens a viewer named "fmVisualizadorRelatorio": modal when waiting
    // (the call returns once it is closed), else freed when closed.
    static void Exibir(std::shared_ptr<const host::report::PreparedReport> pages, bool esperar);

private:
    void mostrarPagina();

    std::shared_ptr<const host::report::PreparedReport> pages_;
    std::unique_ptr<QPrinter> printer_;
};

// The host's viewer of the script-engine reports: previews the report and
// returns once the viewer is closed.
void ExibirRelatorioFR(host::report::Report& report);
