#pragma once
// TqrAssOSPesquisaRel (qrAssOSPesquisaRel): the list printed from the
// service-order search: one block per order item with its services and
// parts, over the search window's queries. TitulosPesquisaOS builds the
// title band both search printouts share.

#include "host/report/Report.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class TfmPesquisaAssOrdemServico;

// The search printouts' title band: company, tax number, system, program,
// issue date and time, and the report's title.
host::report::Band* TitulosPesquisaOS(host::report::Report& relatorio, const QString& titulo);

class TqrAssOSPesquisaRel : public host::ui::Form {
    Q_OBJECT
public:
    // Over the search window's queries (none: the bands stand without data).
    explicit TqrAssOSPesquisaRel(QWidget* parent = nullptr);
    ~TqrAssOSPesquisaRel() override;

    std::unique_ptr<host::report::Report> QuickRep1;
    host::report::Band* qrbnTitulo = nullptr;
    host::report::Band* qrbnDetalhe = nullptr;
    host::report::Band* qrbnServicos = nullptr;
    host::report::Band* qrbnPecas = nullptr;
    host::report::Label* qrlaSubtitulo = nullptr;
    host::report::Label* qrlaSerie = nullptr;
    host::report::Label* qrlaEquipamento = nullptr;
    host::report::DataText* qrteSerie = nullptr;
    host::report::DataText* qrteEquipamento = nullptr;

    void QuickRep1BeforePrint();

private:
    std::vector<host::report::Control*> veiculo_;   // left out outside vehicle mode
};

extern host::ui::FormVar<TqrAssOSPesquisaRel> qrAssOSPesquisaRel;
