#pragma once
// TqrAssOSComprovanteEqto (qrAssOSComprovanteEqto): the narrow receipt of
// the rapid mode (150 x 190 mm): the company and order lines between dashed
// rules, the technical report, the equipment and the parts, and a signature.

#include "service_orders/uAssOSRelatorio.h"

#include "host/ui/WindowRegistry.h"

#include <vector>

namespace host::report {
class Memo;
}

class TqrAssOSComprovanteEqto : public TqrAssOSRelatorio {
    Q_OBJECT
public:
    explicit TqrAssOSComprovanteEqto(QWidget* parent = nullptr);
    ~TqrAssOSComprovanteEqto() override;

    host::report::Band* qrbnTitulo = nullptr;
    host::report::Band* qrbnLaudo = nullptr;
    host::report::Band* qrsdEquipamentos = nullptr;
    host::report::Band* qrsdPecas = nullptr;
    host::report::Band* qrbnAssinatura = nullptr;
    std::vector<host::report::Label*> qrlaCabecalho;   // company and customer lines, in order
    host::report::Label* qrlaOS = nullptr;
    host::report::Label* qrlaDefeito = nullptr;
    host::report::Memo* qrmeLaudo = nullptr;
    std::vector<host::report::Label*> qrlaEquipamento;   // the five lines of an item
    std::vector<host::report::Label*> qrlaPeca;          // the two lines of a part

    // Every caption and memo in Courier New, size 12.
    void ModificaFonte();

private:
    void QuickRepBeforePrint();
    void qrsdEquipamentosBeforePrint();
    void qrsdPecasBeforePrint();
};

extern host::ui::FormVar<TqrAssOSComprovanteEqto> qrAssOSComprovanteEqto;
