#pragma once
// TqrAssOSOrcamento (qrAssOSOrcamento): the short budget, a letter to the
// customer with the equipment, the services, the parts, the totals and the
// company's standard texts 996 to 999 (ALFC2601).

#include "service_orders/uAssOSRelatorio.h"

#include "host/ui/WindowRegistry.h"

namespace host::report {
class Memo;
}

class TqrAssOSOrcamento : public TqrAssOSRelatorio {
    Q_OBJECT
public:
    explicit TqrAssOSOrcamento(QWidget* parent = nullptr);
    ~TqrAssOSOrcamento() override;

    host::report::Band* qrbnTitulo = nullptr;
    host::report::Band* qrbnOrcamento = nullptr;
    host::report::Band* qrsdEquipamento = nullptr;
    host::report::Band* qrbnRodEquipamento = nullptr;
    host::report::Band* qrsdServico = nullptr;
    host::report::Band* qrbnRodServico = nullptr;
    host::report::Band* qrsdPecas = nullptr;
    host::report::Band* qrbnTotal = nullptr;
    host::report::Label* qrlaEndereco1 = nullptr;
    host::report::Label* qrlaEndereco2 = nullptr;
    host::report::Label* qrlaReferente = nullptr;
    host::report::Label* qrlaSerieItem = nullptr;
    host::report::DataText* qrteSerieItem = nullptr;
    host::report::Memo* qrmeTexto996 = nullptr;
    host::report::Memo* qrmeTexto997 = nullptr;
    host::report::Memo* qrmeTexto998 = nullptr;
    host::report::Memo* qrmeTexto999 = nullptr;

private:
    void QuickRepBeforePrint();
};

extern host::ui::FormVar<TqrAssOSOrcamento> qrAssOSOrcamento;

namespace uAssOSRelatorio {
// A standard text of ALFC2601: its description and three messages joined by
// blanks; "" when the row is missing.
QString textoMensagemOS(const QString& codigo);
}  // namespace uAssOSRelatorio
