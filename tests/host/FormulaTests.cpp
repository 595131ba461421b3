// The host's cost formulas over a row: precedence, signs, both decimal marks,
// and every malformed text refused with its reason.

#include "host/Uglobal.h"

#include "host/data/MemDataset.h"
#include "tests/support/HostDatabase.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class FormulaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        linha.addField("AFVALOR", host::data::FieldType::Float);
        linha.addField("AFQUANTIDADE", host::data::FieldType::Float);
        linha.addField("PRCODIGO", host::data::FieldType::String, 11);
        linha.open();
        linha.append();
        linha.fieldByName("AFVALOR")->setAsFloat(4);
        linha.fieldByName("AFQUANTIDADE")->setAsFloat(2.5);
    }
    host::data::MemDataset linha{nullptr, "quOSCusto"};
};

TEST_F(FormulaTest, ArithmeticOverTheFieldsOfTheRow)
{
    EXPECT_DOUBLE_EQ(AvaliarFormula("AFVALOR * AFQUANTIDADE", linha), 10);
    EXPECT_DOUBLE_EQ(AvaliarFormula("afvalor*afquantidade + 1,5", linha), 11.5) << "names in any case, comma decimal";
    EXPECT_DOUBLE_EQ(AvaliarFormula("2 + 3 * 4", linha), 14);
    EXPECT_DOUBLE_EQ(AvaliarFormula("(2 + 3) * 4", linha), 20);
    EXPECT_DOUBLE_EQ(AvaliarFormula("10 - 4 - 3", linha), 3) << "left to right";
    EXPECT_DOUBLE_EQ(AvaliarFormula("12 / 4 / 3", linha), 1);
    EXPECT_DOUBLE_EQ(AvaliarFormula("-AFVALOR + +2", linha), -2);
    EXPECT_DOUBLE_EQ(AvaliarFormula(" AFVALOR * 1.1 ", linha), 4.4);
}

TEST_F(FormulaTest, MalformedFormulasAreRefused)
{
    for (const char* texto : {"", "AFVALOR *", "(1 + 2", "1 + 2)", "AFVALOR / 0", "PRECO * 2", "2 $ 3", "1.2.3",
                              "AFVALOR AFQUANTIDADE"})
        EXPECT_THROW(AvaliarFormula(texto, linha), std::runtime_error) << texto;
    EXPECT_DOUBLE_EQ(AvaliarFormula("PRCODIGO + 1", linha), 1) << "an empty field reads 0";
}

class FormulaCadastroTest : public testsupport::HostDatabaseTest {};

TEST_F(FormulaCadastroTest, TheFormulaComesFromItsRegister)
{
    exec("insert into AGPC05CF (CFCODIGO, CFDESCRICAO, CFFORMULA) values (3, 'Dobro', 'AFVALOR * 2')");
    host::data::MemDataset linha(nullptr, "quOSCusto");
    linha.addField("AFVALOR", host::data::FieldType::Float);
    linha.open();
    linha.append();
    linha.fieldByName("AFVALOR")->setAsFloat(7);
    EXPECT_DOUBLE_EQ(CalcularFormula(3, linha), 14);
    try {
        CalcularFormula(4, linha);
        FAIL() << "an unknown formula must fail";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Fórmula de custo 4 não cadastrada.");
    }
}

}  // namespace
