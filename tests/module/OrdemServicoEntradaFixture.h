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
    // Order 42 of customer 00003 with one item (1).
    void ordemComItem(const QString& equipamento)
    {
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
             " values (42, '00003', '2026-11-02', 'A', 'M')");
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (42, 1, '" + equipamento + "')");
    }
    // The same, opened in the window.
    TfmAssOrdemServico& abrirOrdemComItem(const QString& equipamento)
    {
        ordemComItem(equipamento);
        return abrir();
    }
    QVariant valor(const QString& sql) { return host::db::selectValue(*dmGlobal->IBTransaction1, sql); }
};

}  // namespace moduletest
