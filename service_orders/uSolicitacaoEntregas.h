#pragma once
// TfmSolicitacaoEntregas (fmSolicitacaoEntregas): the deliveries of one
// request line, a grid over TdmTec's quSolicitacaoItEnt. Made once, on first
// use, and then only shown again; closing hides it.

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

namespace host::data {
class DataSource;
}
namespace host::ui {
class DataGrid;
}

class TfmSolicitacaoEntregas : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmSolicitacaoEntregas(QWidget* parent = nullptr);
    ~TfmSolicitacaoEntregas() override;

    std::unique_ptr<host::data::DataSource> dsEntregas;
    host::ui::DataGrid* dbgdEntregas = nullptr;
};

extern host::ui::FormVar<TfmSolicitacaoEntregas> fmSolicitacaoEntregas;
