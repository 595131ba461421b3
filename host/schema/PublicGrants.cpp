#include "host/schema/HostSchema.h"

#include "host/db/Database.h"

namespace host {

namespace {

// What PUBLIC lacks, as the GRANT statements that give it: every table and
// view (read, insert, change, delete), every procedure (execute), every
// generator (draw). Only what this user may grant is listed: the object's
// owner, the database's owner, SYSDBA and the RDB$ADMIN role (only as the
// connection's role, which the application never asks for) grant; any
// other user's start lists nothing, and the grants wait for one of theirs.
// A view counts as a table: both are rows of RDB$RELATIONS.
const char* const kMissingGrants =
    " with PODE as (select iif(current_user = 'SYSDBA' or current_role = 'RDB$ADMIN' or exists(select 1"
    "   from RDB$RELATIONS where RDB$RELATION_NAME = 'RDB$DATABASE' and RDB$OWNER_NAME = current_user), 1, 0) as"
    "   TODOS from RDB$DATABASE)"
    " select 'GRANT ALL ON ' || trim(r.RDB$RELATION_NAME) || ' TO PUBLIC' from RDB$RELATIONS r, PODE"
    " where coalesce(r.RDB$SYSTEM_FLAG, 0) = 0 and (PODE.TODOS = 1 or r.RDB$OWNER_NAME = current_user)"
    " and (select count(distinct p.RDB$PRIVILEGE) from RDB$USER_PRIVILEGES p"
    "   where p.RDB$RELATION_NAME = r.RDB$RELATION_NAME and p.RDB$USER = 'PUBLIC' and p.RDB$USER_TYPE = 8"
    "   and p.RDB$FIELD_NAME is null and p.RDB$PRIVILEGE in ('S', 'I', 'U', 'D')) < 4"
    " union all"
    " select 'GRANT EXECUTE ON PROCEDURE ' || trim(x.RDB$PROCEDURE_NAME) || ' TO PUBLIC' from RDB$PROCEDURES x, PODE"
    " where coalesce(x.RDB$SYSTEM_FLAG, 0) = 0 and x.RDB$PACKAGE_NAME is null"
    " and (PODE.TODOS = 1 or x.RDB$OWNER_NAME = current_user) and not exists (select 1 from RDB$USER_PRIVILEGES p"
    "   where p.RDB$RELATION_NAME = x.RDB$PROCEDURE_NAME and p.RDB$USER = 'PUBLIC' and p.RDB$OBJECT_TYPE = 5"
    "   and p.RDB$PRIVILEGE = 'X')"
    " union all"
    " select 'GRANT USAGE ON GENERATOR ' || trim(g.RDB$GENERATOR_NAME) || ' TO PUBLIC' from RDB$GENERATORS g, PODE"
    " where coalesce(g.RDB$SYSTEM_FLAG, 0) = 0 and (PODE.TODOS = 1 or g.RDB$OWNER_NAME = current_user)"
    " and not exists (select 1 from RDB$USER_PRIVILEGES p"
    "   where p.RDB$RELATION_NAME = g.RDB$GENERATOR_NAME and p.RDB$USER = 'PUBLIC' and p.RDB$OBJECT_TYPE = 14"
    "   and p.RDB$PRIVILEGE = 'G')";

}  // namespace

// One statement whatever the schema holds: the block finds what is missing
// and grants it, each grant on its own, so that one refused leaves the
// others made.
PublicGrants grantToEveryone(db::Transaction& transaction)
{
    const QString block = QStringLiteral(
        "execute block returns (CONCEDIDAS integer, RECUSADAS integer) as"
        " declare variable COMANDO varchar(300);"
        " begin"
        "   CONCEDIDAS = 0; RECUSADAS = 0;"
        "   for %1 into COMANDO do"
        "   begin"
        "     execute statement COMANDO;"
        "     CONCEDIDAS = CONCEDIDAS + 1;"
        "     when any do RECUSADAS = RECUSADAS + 1;"
        "   end"
        "   suspend;"
        " end")
                              .arg(QLatin1String(kMissingGrants));
    db::Statement st(transaction, block);
    st.execute();
    PublicGrants result;
    if (st.fetch()) {
        result.granted = st.value(0).toInt();
        result.refused = st.value(1).toInt();
    }
    if (result.granted > 0)
        transaction.commitRetaining();
    return result;
}

}  // namespace host
