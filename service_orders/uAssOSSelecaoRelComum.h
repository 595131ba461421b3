#pragma once
// What the printouts of the service-order report selection share: the title
// band (company, system, program, issue date and time, report title), the
// page footer, a column of the detail with its title, and the preview in
// the host's report viewer.

#include "host/report/Report.h"

namespace uAssOSSelecaoRel {

// The title band: " Empresa:" and "CNPJ:" of the company record, "Sistema:  "
// "Assistência Técnica", "Programa : " "Pesquisa", "Data Emissão", "Hora
// Emissão" and the report title, centred (qrlaTitulo). Its height is 26.
// The title's label is handed back when asked.
host::report::Band* TituloSelecao(host::report::Report& report, const QString& titulo,
                                  host::report::Label** rotuloTitulo = nullptr);
// "Página" and the page number.
host::report::Band* RodapeSelecao(host::report::Report& report);

// A titled column: its caption in the column header and its field in the
// band, both at the same place; numbers right-aligned with the format.
struct ColunaSelecao {
    host::report::Label* titulo = nullptr;
    host::report::DataText* texto = nullptr;
    void setEnabled(bool on);
};
ColunaSelecao AdicionaColuna(host::report::Band& cabecalho, host::report::Band& detalhe,
                             const host::report::DataRef& dados, const QString& nome, const QString& titulo,
                             const QString& campo, double left, double width, const QString& formato = {});

// A bold caption.
host::report::Label* RotuloSelecao(host::report::Band& band, const QString& nome, double left, double top,
                                   double width, const QString& caption);

// Money and order-number formats of these printouts.
extern const QString kValorSelecao;      // "###,###,##0.00"
extern const QString kOrdemSelecao;      // "000000000"
extern const QString kTotalSelecao;      // "###,###,###,###,##0.00"

// Shows the report in the host's viewer without waiting: the viewer keeps
// the pages, so the report may be freed at once.
void VisualizaSelecao(host::report::Report& report);

}  // namespace uAssOSSelecaoRel
