// The status of a rental unit, kept by the host from the contracts' rental
// and vehicle lines.

#include "host/PilvTra70.h"

#include "host/PecaLocada.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include <QDate>
#include <QDateTime>
#include <QVariantMap>

#include <stdexcept>

void AtualizaStatusVeiculo(int iVeiculo)
{
    if (!dmGlobal)
        throw std::logic_error("dmGlobal não foi criado");
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    // An end on the zero date (30/12/1899) is no end. A contract line that
    // has not come back has the unit out as much as a vehicle line.
    const QString linhas = host::SelectContratosLinhaFora(tr);
    QVariantMap params{{"UNIDADE", iVeiculo},
                       {"AGORA", QDateTime::currentDateTime()},
                       {"INICIO", QDateTime(QDate(1900, 1, 1), QTime(0, 0))}};
    QString sql = "select (select count(*) from AATC05ACEV where EVCODIGO = :UNIDADE"
                  " and ((ACEVSITUACAO <> 'I') or (ACEVSITUACAO is null))"
                  " and ACEVDATAINICIO <= :AGORA"
                  " and (ACEVDATAFIM is null or ACEVDATAFIM > :AGORA or ACEVDATAFIM < :INICIO))";
    if (!linhas.isEmpty()) {
        sql += " + (select count(*) from (" + linhas + ") fora)";
        params.insert("ITEM", 0);
    }
    const int ativas = host::db::selectValue(tr, sql + " from RDB$DATABASE", params).toInt();
    const QString status = ativas > 0 ? "L" : "D";
    host::db::executeSql(tr,
                         "update AUGC20EV set EVSTATUS = :STATUS where EVCODIGO = :VEICULO and EVID = 'L'"
                         " and coalesce(EVSTATUS, '') <> :STATUS",
                         {{"STATUS", status}, {"VEICULO", iVeiculo}});
}
