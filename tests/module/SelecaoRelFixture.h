#pragma once
// The service-order report selection over a few orders of two customers:
// order 901 (two items, the first with two service and two parts lines, a
// progress record, one stock document), 902 (one item, a cancelled document
// followed by a valid one, travel expenses), 903 (one item, an unauthorised
// parts line, no document) and 904 (a valid document then a cancelled one).

#include "tests/module/ModuleFixture.h"

#include "service_orders/uAssOSSelecaoRel.h"

namespace moduletest {

class SelecaoRelTest : public ModuleTest {
protected:
    void SetUp() override;

    TfmAssOSSelecaoRel& abrir() { return abrirJanela(fmAssOSSelecaoRel, "fmAssOSSelecaoRel"); }
    // The text of the viewer left open by a preview, which is then closed.
    QString vistaAberta();
    // The band lines of a dump whose band name is one of these.
    static QStringList linhasDe(const QString& dump, const QString& banda);
};

}  // namespace moduletest
