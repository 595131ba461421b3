// The quantity of the parts lines moves into the value domain by way of a
// scratch column: copy out, drop, add again, copy back. Each statement is
// committed as it runs, and a run that stopped half-way is resumed from what
// the table holds, so a quantity is never left behind in the scratch column.

#include "data/uDataTecUpgrade.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include <QStringList>

#include <stdexcept>

namespace uDataTecUpgrade {

namespace {

const QString kAddAux = QStringLiteral("Alter table aatc01ap add apAux doValor");
const QString kCopyOut = QStringLiteral("Update aatc01ap Set apAux = APQUANTIDADE");
// Resuming with the scratch column already there and APQUANTIDADE already
// the new column: keep what was copied where it is still empty, and what was
// entered in it since (the lines are worked on while the copy back is pending).
const QString kCopyOutKeeping = QStringLiteral("Update aatc01ap Set apAux = coalesce(APQUANTIDADE, apAux)");
const QString kDropQuantity = QStringLiteral("Alter table aatc01ap drop APQUANTIDADE");
const QString kAddQuantity = QStringLiteral("Alter table aatc01ap add APQUANTIDADE doValor");
const QString kCopyBack = QStringLiteral("Update aatc01ap Set  APQUANTIDADE = apAux");
const QString kDropAux = QStringLiteral("Alter table aatc01ap drop apAux");
const QString kAddMark = QStringLiteral("Alter table aatc01ap add APGARANTIA VarChar(1)");

bool partsColumnExists(const char* column)
{
    return dmGlobal->VerificaExistenciaTabelaCampo(QStringLiteral("AATC01AP"), QLatin1String(column));
}

// The new quantity is the one in the value domain; the old one is not.
bool quantityConverted()
{
    return host::db::selectValue(*dmGlobal->IBTransaction1,
                                 "select trim(rdb$field_source) from rdb$relation_fields "
                                 "where rdb$relation_name = 'AATC01AP' and rdb$field_name = 'APQUANTIDADE'")
               .toString()
        == QLatin1String("DOVALOR");
}

// What is left to run, judged from the columns present.
QStringList remainingStatements()
{
    const bool hasAux = partsColumnExists("APAUX");
    const bool hasQuantity = partsColumnExists("APQUANTIDADE");
    const bool hasMark = partsColumnExists("APGARANTIA");
    if (hasMark && !hasAux)
        return {};   // converted: the mark is added last
    QStringList statements;
    if (!hasAux && hasQuantity)
        statements << kAddAux << kCopyOut << kDropQuantity;
    else if (hasAux && hasQuantity)
        // While the old column could not be dropped (a view on it, say) the
        // lines were worked on through it: its values are the current ones,
        // not the copy taken then.
        statements << (quantityConverted() ? kCopyOutKeeping : kCopyOut) << kDropQuantity;
    statements << kAddQuantity;
    if (hasAux || hasQuantity)
        statements << kCopyBack << kDropAux;
    if (!hasMark)
        statements << kAddMark;
    return statements;
}

void runCommitted(const QString& statement)
{
    dmGlobal->IBScript1->Script = statement;
    dmGlobal->IBScript1->ExecuteScript();
    dmGlobal->IBTransaction1->commitRetaining();
}

}  // namespace

bool convertPartsQuantity()
{
    try {
        for (const QString& statement : remainingStatements())
            runCommitted(statement);
        return true;
    } catch (const std::exception&) {
        // Dropped without a message. A failed commit would otherwise stay
        // pending and fail every later one; what ran before is committed and
        // the next creation resumes from there.
        try {
            dmGlobal->IBTransaction1->rollbackRetaining();
        } catch (const std::exception&) {
        }
        return false;
    }
}

}  // namespace uDataTecUpgrade
