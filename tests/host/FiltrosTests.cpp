// The search-filter builder: each mode and type, blank values, and typed
// text that can never become SQL; the conditions run against the database.

#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "tests/support/HostDatabase.h"

#include "host/data/MemDataset.h"

#include <QComboBox>

namespace {

using host::data::FieldType;

class FiltrosTest : public testsupport::HostDatabaseTest {
protected:
    int conta(const QString& condicao)
    {
        return one("select count(*) from AUGC0301 where 1=1" + condicao).toInt();
    }
};

TEST_F(FiltrosTest, RangesEqualityAndContainingForEachType)
{
    EXPECT_EQ(AdicionaFiltro("c.x", "", "  ", FieldType::String, "F"), "");
    EXPECT_EQ(AdicionaFiltro("c.x", "", "9", FieldType::String, "I"), "") << "equality takes the first value";
    EXPECT_EQ(AdicionaFiltro("c.x", "00001", "00009", FieldType::String, "F"),
              " and (c.x between '00001' and '00009')");
    EXPECT_EQ(AdicionaFiltro("c.x", " 5 ", "", FieldType::Int32, "F"), " and (c.x = 5)") << "one end: that value";
    EXPECT_EQ(AdicionaFiltro("c.x", "", "7", FieldType::Int32, "F"), " and (c.x = 7)");
    EXPECT_EQ(AdicionaFiltro("c.x", "1,5", "", FieldType::Float, "I"), " and (c.x = 1.5)");
    EXPECT_EQ(AdicionaFiltro("c.x", "01/02/2024", "03/02/2024", FieldType::DateTime, "F"),
              " and (c.x between '02/01/2024 00:00:00' and '02/03/2024 23:59:59.9999')");
    EXPECT_EQ(AdicionaFiltro("c.x", "01/02/24", "", FieldType::Date, "C"),
              " and (c.x between '02/01/2024 00:00:00' and '02/01/2024 23:59:59.9999')")
        << "a date is its whole day";
    EXPECT_EQ(AdicionaFiltro("c.x", "Silva", "", FieldType::String, "C"), " and (c.x containing 'Silva')");
    EXPECT_EQ(AdicionaFiltro("c.x", "12", "", FieldType::Int32, "C"), " and (c.x = 12)");
}

TEST_F(FiltrosTest, TypedTextIsALiteralNeverSql)
{
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'D''Avila')");
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00002', 'Outro')");
    EXPECT_EQ(conta(AdicionaFiltro("NOME", "d'avila", "", FieldType::String, "C")), 1);
    EXPECT_EQ(conta(AdicionaFiltro("NOME", "x') or (1=1", "", FieldType::String, "C")), 0);
    EXPECT_EQ(conta(AdicionaFiltro("CODIGO_CLIENTE", "0' or '1'='1", "", FieldType::String, "I")), 0);
    EXPECT_EQ(conta(AdicionaFiltro("CODIGO_CLIENTE", "00001", "00002", FieldType::String, "F")), 2);
    // A pattern the caller built from typed text matches as a pattern, still a literal.
    EXPECT_EQ(AdicionaFiltro("upper(NOME)", "%AVI%", "", FieldType::String, "I"), " and (upper(NOME) like '%AVI%')");
    EXPECT_EQ(conta(AdicionaFiltro("upper(NOME)", "%AVI%", "", FieldType::String, "I")), 1);
    EXPECT_EQ(conta(AdicionaFiltro("upper(NOME)", "%X') OR (1=1%", "", FieldType::String, "I")), 0);
}

TEST_F(FiltrosTest, AValueOfAnotherTypeEndsTheOperation)
{
    dialogs->setAutoAcknowledgeMessages(true);
    EXPECT_THROW(AdicionaFiltro("c.x", "1 or 1=1", "", FieldType::Int32, "F"), host::Abort);
    EXPECT_THROW(AdicionaFiltro("c.x", "", "31/02/2024", FieldType::DateTime, "F"), host::Abort);
    EXPECT_EQ(dialogs->texts(), (QStringList{"Valor inválido: 1 or 1=1", "Data inválida: 31/02/2024"}));
}

TEST(CamposTabelaTest, OneEntryPerFieldInTheDatasetsOrderNoneSelected)
{
    host::data::MemDataset dados;
    dados.addField("ACCODIGO", FieldType::Int32);
    dados.addField("AJCODIGO", FieldType::Int32)->setDisplayLabel("Código do Objeto");
    QComboBox combo;
    combo.addItem("antigo");
    CarregaCamposTabela(&combo, dados);
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "ACCODIGO");
    EXPECT_EQ(combo.itemText(1), "Código do Objeto");
    EXPECT_EQ(combo.currentIndex(), -1);
}

}  // namespace
