#pragma once
// The host database as data: every host table and the base form of the
// module's tables (the columns its own upgrade does not add), so that the
// creation and the checks of an existing database read the same list.

#include <QString>
#include <QStringList>

#include <vector>

namespace host::schema {

enum class ColumnKind { VarChar, SmallInt, Integer, Timestamp, Double, Valor, ProductCode, Memo, Blob };

struct ColumnType {
    ColumnKind kind;
    int length = 0;        // characters, for VarChar only
    bool latin1 = false;   // CHARACTER SET ISO8859_1 (searched with COLLATE PT_PT)
};

inline constexpr bool kLatin1 = true;
constexpr ColumnType varchar(int length, bool latin1 = false) { return {ColumnKind::VarChar, length, latin1}; }
// A phone or fax number as typed, with its area code and a mobile's nine
// digits: "(11) 98888-7777".
inline constexpr int kPhoneWidth = 15;
inline constexpr ColumnType kSmallInt{ColumnKind::SmallInt};
inline constexpr ColumnType kInteger{ColumnKind::Integer};
inline constexpr ColumnType kTimestamp{ColumnKind::Timestamp};
inline constexpr ColumnType kDouble{ColumnKind::Double};
inline constexpr ColumnType kValor{ColumnKind::Valor};              // domain DOVALOR
inline constexpr ColumnType kProductCode{ColumnKind::ProductCode};  // domain DOCODIGOPRODUTO
inline constexpr ColumnType kMemo{ColumnKind::Memo};
inline constexpr ColumnType kBlob{ColumnKind::Blob};

struct ColumnDef {
    const char* name;
    ColumnType type;
    const char* defaultValue = nullptr;   // SQL literal in dialect 1, e.g. "S" in double quotes
    bool required = false;                // NOT NULL besides the key columns
};

struct TableDef {
    const char* name;
    std::vector<const char*> key;         // primary key; empty = none
    std::vector<ColumnDef> columns;
};

// Tables the host owns (customers, products, sales orders, receivables...).
const std::vector<TableDef>& hostTables();
// The module's tables as they stand before its schema upgrade runs.
const std::vector<TableDef>& moduleBaseTables();
// Both lists, host tables first.
std::vector<const TableDef*> allTables();
const TableDef* findTable(const QString& name);

inline constexpr const char* kDomainValor = "DOVALOR";
inline constexpr const char* kDomainProductCode = "DOCODIGOPRODUTO";
inline constexpr const char* kGeneratorOrderItem = "GEN_AOITCODIGO";
inline constexpr const char* kGeneratorContract = "GEN_ACCODIGO";       // AATC05AC.ACCODIGO
inline constexpr const char* kGeneratorContractItem = "GEN_ACITCODIGO";
// Characters of a sales order's number (AVEC8501.NUMERO_PEDIDO); whatever
// keeps one elsewhere is at least as wide.
inline constexpr int kOrderNumberLength = 20;
inline constexpr const char* kGeneratorCashForecast = "GEN_XPCHAVE";   // ACXC94XP.XPCHAVE
inline constexpr const char* kGeneratorContact = "GEN_ANCODIGO";       // AUGC3701.ANCODIGO
inline constexpr const char* kGeneratorHistory = "GEN_HCCODIGO";       // ACBC16HC.HCCODIGO
inline constexpr const char* kGeneratorSerialMovement = "GEN_NSCODIGO";   // AUGC50NS.NSCODIGO
// Keys unique over their whole table, drawn so that two desks adding rows at
// once never take the same one.
inline constexpr const char* kGeneratorRentalVehicleLine = "GEN_ACEVCODIGO";      // AATC05ACEV.ACEVCODIGO
inline constexpr const char* kGeneratorRentalEquipment = "GEN_EVCODIGO";          // AUGC20EV.EVCODIGO
inline constexpr const char* kGeneratorRentalEquipmentGroup = "GEN_EVGRSEQUENCIA";   // AUGC20EVGR.EVGRSEQUENCIA
inline constexpr const char* kGeneratorMileage = "GEN_KMCODIGO";                  // AUGC20KM.KMCODIGO
inline constexpr const char* kGeneratorBillingObject = "GEN_AJCODIGO";            // AATC11AJ.AJCODIGO
inline constexpr const char* kGeneratorContractEquipment = "GEN_COCODIGO";        // AUGC03CO.COCODIGO
inline constexpr const char* kGeneratorMeter = "GEN_AATC05CO_COCODIGO";           // AATC05CO.COCODIGO
inline constexpr const char* kGeneratorMeterReading = "GEN_ACITCOCODIGO";         // AATC05ACITCO.ACITCOCODIGO
inline constexpr const char* kGeneratorFranchise = "GEN_FGCODIGO";                // AATC05FG.FGCODIGO
inline constexpr const char* kGeneratorPartsRequest = "GEN_AICODIGO";             // AATC07AI.AICODIGO
inline constexpr const char* kGeneratorSituation = "GEN_ASCODIGO";                // AATC01AS.ASCODIGO
inline constexpr const char* kGeneratorCost = "GEN_AFCODIGO";                     // AATC08AF.AFCODIGO
inline constexpr const char* kGeneratorCustomerEquipment = "GEN_AECLCODIGO";      // AATC03AECL.AECLCODIGO
inline constexpr const char* kGeneratorEquipmentModel = "GEN_AECODIGO";           // AATC03AE.AECODIGO
inline constexpr const char* kGeneratorLineDefect = "GEN_AAADSEQUENCIA";          // AATC01AAAD.AAADSEQUENCIA
inline constexpr const char* kGeneratorItemDefect = "GEN_AOADCODIGO";             // AATC01AOAD.AOADCODIGO
inline constexpr const char* kGeneratorDefect = "GEN_ADCODIGO";                   // AATC02AD.ADCODIGO
inline constexpr const char* kGeneratorTechnician = "GEN_ATCODIGO";               // AATC06AT.ATCODIGO
inline constexpr const char* kGeneratorTechnicianDescription = "GEN_ATDCCODIGO";  // AATC06ATDC.ATDCCODIGO
inline constexpr const char* kGeneratorHourType = "GEN_AHCODIGO";                 // AATC04AH.AHCODIGO
// The receivables' document numbers (ACRC5001.NUMERO_DOCUMENTO, text): each
// draw is also taken past the largest number stored, so it needs no raise.
inline constexpr const char* kGeneratorReceivableNumber = "GEN_CRNUMERO";

QString columnTypeSql(const ColumnType& type);
QString columnSql(const ColumnDef& column, bool inKey);
QString createTableSql(const TableDef& table);
QString addColumnSql(const TableDef& table, const ColumnDef& column);

}  // namespace host::schema
