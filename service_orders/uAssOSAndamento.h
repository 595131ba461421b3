#pragma once
// TqrAssOSAndamento (qrAssOSAndamento): the printout of the progress records
// of the current order (dmTec->quOSContato, already loaded): one line per
// record with its dates, times, technician and previous situation, and the
// record's text below it. Letter portrait, printed even when empty.

#include "host/report/Report.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

class TqrAssOSAndamento : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSAndamento(QWidget* parent = nullptr);
    ~TqrAssOSAndamento() override;

    std::unique_ptr<host::report::Report> QuickRep1;
    host::report::Band* qrbnTitulo = nullptr;
    host::report::Band* qrbnDetalhe = nullptr;
    host::report::Label* qrlaSubtitulo = nullptr;
    host::report::Memo* qrmeLaudo = nullptr;
};

extern host::ui::FormVar<TqrAssOSAndamento> qrAssOSAndamento;
