#pragma once
// The service-order window of order 42 opened through the dispatcher, for
// the tests of its entry grids and keys.

#include "tests/module/ModuleFixture.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"

#include <QTest>

namespace moduletest {

class OrdemServicoEntradaTest : public ModuleTest {
protected:
    TfmAssOrdemServico& abrir()
    {
        uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
        TfmAssOrdemServico* form = fmAssOrdemServico.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    // The tab shown, its lines reopened as a click on it does.
    static void aba(TfmAssOrdemServico& form, host::ui::TabSheet* destino)
    {
        form.pcOrdemServico->setActivePage(destino);
        form.pcOrdemServicoChange();
    }
    QVariant valor(const QString& sql) { return host::db::selectValue(*dmGlobal->IBTransaction1, sql); }
};

}  // namespace moduletest
