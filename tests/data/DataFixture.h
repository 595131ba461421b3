#pragma once
// A database with two small tables and helpers that record dataset events.

#include "host/data/Dataset.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "tests/support/TestDatabase.h"

#include <QStringList>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace datatest {

class DataTest : public testsupport::DatabaseTest {
protected:
    void SetUp() override
    {
        DatabaseTest::SetUp();
        exec("create table CATS (CATID integer not null primary key, CATNAME varchar(20))");
        exec("create table ITEMS (ID integer not null primary key, NAME varchar(10), PRICE double precision, "
             "QTY smallint, DT date, NOTES blob sub_type text, CATID integer)");
        tr().commitRetaining();
        exec("insert into CATS values (1, 'Tools')");
        exec("insert into CATS values (2, 'Parts')");
        for (int i = 1; i <= 3; ++i)
            exec(QString("insert into ITEMS (ID, NAME, PRICE, QTY, CATID) values (%1, 'item%1', %1.5, %1, %2)")
                     .arg(i)
                     .arg(i == 3 ? 2 : 1));
        tr().commitRetaining();
    }

    // A query over ITEMS joined with CATS, written back by an update object
    // that names only ITEMS' own columns.
    void makeItems(host::data::Query& q, host::data::UpdateSql& us)
    {
        q.setName("quItems");
        q.setTransaction(&tr());
        q.setSql("select i.*, c.CATNAME from ITEMS i left join CATS c on c.CATID = i.CATID order by i.ID");
        us.setInsertSql("insert into ITEMS (ID, NAME, PRICE, QTY, DT, NOTES, CATID) "
                        "values (:ID, :NAME, :PRICE, :QTY, :DT, :NOTES, :CATID)");
        us.setModifySql("update ITEMS set ID = :ID, NAME = :NAME, PRICE = :PRICE, QTY = :QTY, DT = :DT, "
                        "NOTES = :NOTES, CATID = :CATID where ID = :OLD_ID");
        us.setDeleteSql("delete from ITEMS where ID = :OLD_ID");
        us.setRefreshSql("select i.*, c.CATNAME from ITEMS i left join CATS c on c.CATID = i.CATID "
                         "where i.ID = :ID");
        q.setUpdateObject(&us);
    }

    QString nameInDb(int id) { return one("select NAME from ITEMS where ID = :ID", {{"ID", id}}).toString(); }
};

// Records the events of a dataset in the order they fire.
struct EventLog {
    QStringList events;
    void attach(host::data::Dataset& ds)
    {
        auto rec = [this](const char* name) { return [this, name](host::data::Dataset&) { events << name; }; };
        ds.beforeOpen = rec("beforeOpen");
        ds.afterOpen = rec("afterOpen");
        ds.beforeClose = rec("beforeClose");
        ds.afterClose = rec("afterClose");
        ds.beforeInsert = rec("beforeInsert");
        ds.afterInsert = rec("afterInsert");
        ds.onNewRecord = rec("onNewRecord");
        ds.beforeEdit = rec("beforeEdit");
        ds.afterEdit = rec("afterEdit");
        ds.beforePost = rec("beforePost");
        ds.afterPost = rec("afterPost");
        ds.beforeCancel = rec("beforeCancel");
        ds.afterCancel = rec("afterCancel");
        ds.beforeDelete = rec("beforeDelete");
        ds.afterDelete = rec("afterDelete");
        ds.beforeScroll = rec("beforeScroll");
        ds.afterScroll = rec("afterScroll");
    }
    QString take()
    {
        const QString text = events.join(",");
        events.clear();
        return text;
    }
};

}  // namespace datatest
