#pragma once
// TqrAssOSColetaImp (qrAssOSColetaImp): the distribution control of the
// order's carrier shipments (its extra-expense lines), two copies per line,
// each on its own page.

#include "service_orders/uAssOSRelatorio.h"

#include "host/ui/WindowRegistry.h"

#include <vector>

namespace host::report {
class Memo;
}

class TqrAssOSColetaImp : public TqrAssOSRelatorio {
    Q_OBJECT
public:
    explicit TqrAssOSColetaImp(QWidget* parent = nullptr);
    ~TqrAssOSColetaImp() override;

    // Only the lines of this carrier are printed (empty: every line).
    void setTransportador(const QString& codigo) { sTransportador_ = codigo; }

    host::report::Band* QRBand1 = nullptr;      // first copy
    host::report::Band* ChildBand2 = nullptr;   // second copy
    std::vector<host::report::Memo*> qrmeObservacao;     // of both copies
    std::vector<host::report::Label*> qrlaFormaPgto;     // of both copies

private:
    void QuickRepBeforePrint();
    void QRBand1BeforePrint(bool& PrintBand);
    void ChildBand2AfterPrint();
    bool linhaDoTransportador() const;

    QString sTransportador_;
    bool bCentralizado_ = false;
    int iLinhas_ = 0;      // lines to print in this pass
    int iImpressas_ = 0;   // lines printed so far
};

extern host::ui::FormVar<TqrAssOSColetaImp> qrAssOSColetaImp;
