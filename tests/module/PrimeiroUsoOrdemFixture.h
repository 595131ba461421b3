#pragma once
// The first start's walks on a new service order typed in the order window.

#include "tests/module/PrimeiroUsoFixture.h"

#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataLookupCombo.h"
#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>

namespace moduletest {

class PrimeiroUsoOrdemTest : public PrimeiroUsoTest {
protected:
    // The order window opened through the dispatcher on a new order of the
    // customer (a demonstration one unless named), saved with its button; the
    // order's number (empty when none was saved).
    QString ordemNova(TfmAssOrdemServico*& form, const QString& cliente = "00004")
    {
        form = &abrirJanela(fmAssOrdemServico, "fmAssOrdemServico");
        form->bbNovo->click();
        form->dblcCliente->setKeyValue(cliente);
        form->bbSalvar->click();
        const int numero = dmTec->quOSAOCODIGO->asInteger();
        return numero > 0 ? QString::number(numero) : QString();
    }
};

}  // namespace moduletest
