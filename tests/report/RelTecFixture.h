#pragma once
// The report data module on a small service database: the demonstration
// data with the module's upgrades, two service orders (items, service and
// parts lines, progress records), a rental contract with its equipment, and
// a rental note (stock document, items, receivables).

#include "tests/support/HostDatabase.h"

#include <functional>

namespace reltectest {

class RelTecTest : public testsupport::HostDemoDatabaseTest {
protected:
    void SetUp() override;
    void TearDown() override;
    QString templatePath() override;

    void insertOrders();
    void insertRental();
    // Shows the report through the viewer (scripted) and returns its text dump.
    QString previewed(const std::function<void()>& show);
};

// The band lines whose band is one of the names, in order.
QStringList bands(const QString& dump, const QStringList& names);

}  // namespace reltectest
