#pragma once
// The upgrade of the service tables that TdmTec runs when it is created, and
// the two upgrades its queries run before they open. The steps go through the
// host's schema routines; the column offers are data
// (uDataTecUpgradeColumns.cpp).

#include <QString>

#include <functional>
#include <span>

namespace host {
class Component;
}

namespace uDataTecUpgrade {

struct ColumnOffer {
    int number;               // place in the order of offering, from 1
    const char* table;
    const char* definition;   // name, type and default, handed to CriarCampoTabela as is
};

std::span<const ColumnOffer> firstGroup();     // offered before the quantity conversion
std::span<const ColumnOffer> modelColumns();   // AUGC03CO make and model, while the model is missing
std::span<const ColumnOffer> secondGroup();    // ends with AATC01AO.ANCODIGO, the mark of a done upgrade

// The column name of an offer's definition ("ACTIPOPAGAMENTO" of
// "ACTIPOPAGAMENTO VARCHAR(1) DEFAULT "2"").
QString columnName(const ColumnOffer& offer);

// The whole upgrade of the creation handler; dataModule is handed to the
// host's product-lookup set-up at its end.
void upgradeServiceTables(host::Component& dataModule);
// True when nothing of the column groups is missing: the latest column
// present, the model text widened and the parts quantity converted.
bool columnGroupsDone();

// Brings AATC01AP.APQUANTIDADE into the value domain and adds APGARANTIA,
// resuming where an interrupted earlier run stopped. Each statement is
// committed as it runs. True when the conversion is complete; a failure is
// dropped (rolled back) and the next creation resumes it.
bool convertPartsQuantity();

// Contract codes come from a generator and outgrow SMALLINT: the columns
// that keep them in the service and contract tables become INTEGER (tables
// the contract data module makes later are made so). A column already wide
// or missing is left alone.
void widenContractCodes();

// A rental contract keeps the numbers of the order and proposal it came from
// (AATC05AC.ACPEDIDO, ACPROPOSTA): they become as wide as the host's order
// number. Stored numbers stay; a column already wide or missing is left
// alone (the contract data module makes them wide).
void widenOrderNumbers();

// The customer-expense options of an order (AATC01AO.AODESPESASCLIENTE) keep
// the ticked captions with their ";": all four need 63 characters, so the
// column becomes 100 wide. Stored texts stay.
void widenCustomerExpenses();
inline constexpr int kCustomerExpensesLength = 100;

// The receivables' key made unique; keys already held by several rows are
// logged and shown to the user, and the rows are left as they are (the next
// start tries again).
void uniqueReceivableKey();

// Contract item texts kept as kind "U" (a complement's, a line of the
// equipment-control register's, by an earlier version or by a desk not yet
// updated) joined to the item's one text, kind "Y" under its contract, where
// the windows and printouts read it; at every start, one read when none is left.
void contractItemTextsAsKindY();

// The serial movements that name only a contract no longer there (left by an
// earlier version's delete) go.
void serialMovementsOfDeletedContracts();

// Before quContrato opens: the basic contracts' service code.
void addContractProductColumn();
// Before quOSContato opens: the host contact table, when the database has none.
void createContactTable();

// Test seam: called before each column offer; a test throws from it to leave
// the upgrade half-way. Empty by default.
using OfferObserver = std::function<void(const ColumnOffer&)>;
void setOfferObserver(OfferObserver observer);

}  // namespace uDataTecUpgrade
