// Every query of TdmTec opens on the upgraded database with all its
// persistent fields, and each field's type and width agree with the column
// the select gives it; every update object's statements prepare.

#include "tests/tec/TecFixture.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"

using host::data::Field;
using host::data::FieldKind;
using host::data::FieldType;
using host::data::Query;
using host::data::UpdateSql;
using host::db::ColumnType;

namespace tectest {
namespace {

class TdmTecQueriesTest : public TecTest {
protected:
    void SetUp() override
    {
        TecTest::SetUp();
        createTec();
        // The schema upgrade adds the columns the queries name.
        ASSERT_TRUE(host::db::columnExists(*global->IBTransaction1, "AATC01AO", "ANCODIGO"))
            << "the schema upgrade has not added the module's columns";
    }

    QList<Query*> queries() const
    {
        QList<Query*> list;
        for (host::Component* component : dmTec->components())
            if (auto* query = dynamic_cast<Query*>(component))
                list << query;
        return list;
    }
};

bool compatible(FieldType field, ColumnType column)
{
    switch (field) {
    case FieldType::Int16: return column == ColumnType::SmallInt;
    case FieldType::Int32: return column == ColumnType::Integer || column == ColumnType::SmallInt;
    case FieldType::Float: return column == ColumnType::Double || column == ColumnType::Float;
    case FieldType::DateTime:
    case FieldType::Date: return column == ColumnType::Timestamp || column == ColumnType::Date;
    case FieldType::Time: return column == ColumnType::Time || column == ColumnType::Timestamp;
    case FieldType::String: return column == ColumnType::VarChar || column == ColumnType::Char;
    case FieldType::Memo: return column == ColumnType::TextBlob;
    case FieldType::Blob: return column == ColumnType::Blob;
    }
    return false;
}

TEST_F(TdmTecQueriesTest, EveryQueryOpensWithAllItsPersistentFields)
{
    dmTec->quPesqOS->setSql("select * from AATC01AO");   // its text comes from the search window
    for (Query* query : queries()) {
        SCOPED_TRACE(query->name().toStdString());
        EXPECT_NO_THROW(query->open());
        query->close();
    }
}

TEST_F(TdmTecQueriesTest, FieldTypesAndWidthsMatchTheirColumns)
{
    for (Query* query : queries()) {
        if (!query->hasPersistentFields())
            continue;
        host::db::Statement statement(*global->IBTransaction1);
        statement.prepare(query->sql());
        for (Field* field : query->fields()) {
            if (field->kind() != FieldKind::Data)
                continue;
            SCOPED_TRACE((query->name() + "." + field->fieldName()).toStdString());
            const int index = statement.columnIndex(field->fieldName());
            ASSERT_GE(index, 0);
            const host::db::ColumnInfo& column = statement.column(index);
            EXPECT_TRUE(compatible(field->dataType(), column.type)) << int(column.type);
            if (field->dataType() == FieldType::String) {
                EXPECT_EQ(field->size(), column.size);
            }
        }
    }
}

TEST_F(TdmTecQueriesTest, EveryUpdateStatementPrepares)
{
    for (Query* query : queries()) {
        UpdateSql* update = query->updateObject();
        if (!update)
            continue;
        for (auto kind : {UpdateSql::Kind::Insert, UpdateSql::Kind::Modify, UpdateSql::Kind::Delete,
                          UpdateSql::Kind::Refresh}) {
            SCOPED_TRACE((update->name() + " " + QString::number(int(kind))).toStdString());
            host::db::Statement statement(*global->IBTransaction1);
            EXPECT_NO_THROW(statement.prepare(update->sql(kind)));
        }
    }
}

}  // namespace
}  // namespace tectest
