// The status of a rental unit, kept by the host from the contracts' rental lines.

#include "host/PilvTra70.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include <QDate>
#include <QDateTime>

#include <stdexcept>

void AtualizaStatusVeiculo(int iVeiculo)
{
    if (!dmGlobal)
        throw std::logic_error("dmGlobal não foi criado");
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // An end on the zero date (30/12/1899) is no end.
    const int ativas = host::db::selectValue(
                           tr,
                           "select count(*) from AATC05ACEV where EVCODIGO = :VEICULO"
                           " and ((ACEVSITUACAO <> 'I') or (ACEVSITUACAO is null))"
                           " and ACEVDATAINICIO <= :AGORA"
                           " and (ACEVDATAFIM is null or ACEVDATAFIM > :AGORA or ACEVDATAFIM < :INICIO)",
                           {{"VEICULO", iVeiculo},
                            {"AGORA", QDateTime::currentDateTime()},
                            {"INICIO", QDateTime(QDate(1900, 1, 1), QTime(0, 0))}})
                           .toInt();
    const QString status = ativas > 0 ? "L" : "D";
    host::db::executeSql(tr,
                         "update AUGC20EV set EVSTATUS = :STATUS where EVCODIGO = :VEICULO and EVID = 'L'"
                         " and coalesce(EVSTATUS, '') <> :STATUS",
                         {{"STATUS", status}, {"VEICULO", iVeiculo}});
}
