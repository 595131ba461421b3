// A mobile number typed with its mask, "(11) 98888-7777", fits every phone
// and fax column, on a new database and on one made when they were 13 wide
// (widened in place, their numbers kept).

#include "SchemaMetadata.h"

#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/schema/SchemaDefinition.h"
#include "tests/support/HostDatabase.h"

namespace {

const char* const kTelefones[][2] = {{"AUGC0301", "TELEFONE1"}, {"AUGC0301", "TELEFONE2"},
                                     {"AUGC0301", "FAX"},       {"AUGC0301", "CLTELEFONEENTREGA"},
                                     {"AUGC0301", "TELEFONE_COBRANCA"}, {"AUGC3701", "ANTELEFONE"},
                                     {"CADCOM", "CTFONE1"},     {"EA", "FONE"},
                                     {"EMPRESA", "FONE"},       {"EMPRESA", "FAX"}};

const QString kCelular = "(11) 98888-7777";

class TelefonesTest : public testsupport::DatabaseTest {
protected:
    QString templatePath() override
    {
        return testsupport::templateDatabase("host", [](host::db::Transaction& t) { host::createHostSchema(t); });
    }
};

TEST_F(TelefonesTest, EveryPhoneColumnHoldsAMobileNumberWithItsMask)
{
    for (const auto& c : kTelefones)
        EXPECT_EQ(host::db::columnLength(tr(), c[0], c[1]), kCelular.size()) << c[0] << "." << c[1];
}

TEST_F(TelefonesTest, PhonesThirteenWideAreWidenedKeepingTheirNumbers)
{
    for (const auto& c : kTelefones) {
        exec(QString("alter table %1 drop %2").arg(c[0], c[1]));
        tr().commitRetaining();
        exec(QString("alter table %1 add %2 varchar(13)").arg(c[0], c[1]));
        tr().commitRetaining();
    }
    exec("insert into AUGC0301 (CODIGO_CLIENTE, TELEFONE1) values ('00001', '(11)3222-1000')");
    exec("insert into AUGC3701 (ANCODIGO, ANTELEFONE) values (1, '(15)3222-1000')");
    tr().commitRetaining();

    host::createHostSchema(tr());

    for (const auto& c : kTelefones)
        EXPECT_EQ(host::db::columnLength(tr(), c[0], c[1]), kCelular.size()) << c[0] << "." << c[1];
    EXPECT_EQ(one("select TELEFONE1 from AUGC0301 where CODIGO_CLIENTE = '00001'"), "(11)3222-1000");
    EXPECT_EQ(one("select ANTELEFONE from AUGC3701 where ANCODIGO = 1"), "(15)3222-1000");
    exec("update AUGC3701 set ANTELEFONE = '" + kCelular + "' where ANCODIGO = 1");
    EXPECT_EQ(one("select ANTELEFONE from AUGC3701 where ANCODIGO = 1"), kCelular);
    const QString depois = schemaSnapshot(tr());
    host::createHostSchema(tr());
    EXPECT_EQ(schemaSnapshot(tr()), depois) << "run again: nothing left to widen";
}

}  // namespace
