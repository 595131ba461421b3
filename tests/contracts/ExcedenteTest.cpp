// Meter-based usage: the excess of a billing month over the franchise, the
// consumption of the compositions of an equipment line, the compositions
// filled from a product and their sequences.

#include "tests/contracts/ContractsFixture.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

namespace contractstest {
namespace {

QDateTime diaExcedente(int ano, int mes, int d)
{
    return QDateTime(QDate(ano, mes, d), QTime(0, 0));
}

class ExcedenteTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO) values (1)");
        exec("insert into AATC05AC (ACCODIGO) values (2)");
    }
    void item(int codigo, int contrato, double franquia)
    {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITQUANTIDADE) "
                     "values (%1, '00001', 'P%1', %2, %3)")
                 .arg(codigo)
                 .arg(contrato)
                 .arg(franquia));
    }
    // A reading billed on the given day (month/day/year in SQL).
    void leitura(int itemCodigo, const QString& faturamento, double total)
    {
        ++ultimaLeitura_;
        exec(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, ACITCODATAFATURAMENTO, ACITCOCONTADORTOTAL) "
                     "values (%1, %2, '%3', %4)")
                 .arg(ultimaLeitura_)
                 .arg(itemCodigo)
                 .arg(faturamento)
                 .arg(total));
    }
    double excedente(int contrato, int itemCodigo, double& consumo, const QString& tipo = "I",
                     const QDateTime& data = diaExcedente(2008, 6, 10))
    {
        return dm->CalculaValorExcedente(contrato, data, tipo, consumo, itemCodigo);
    }

private:
    int ultimaLeitura_ = 0;
};

TEST_F(ExcedenteTest, SingleFranchiseOfTheContractHasNoExcessHere)
{
    item(10, 1, 0);
    leitura(10, "06/05/2008", 5000);
    double consumo = -1;
    EXPECT_EQ(excedente(1, 10, consumo, "U"), 0);
    EXPECT_EQ(consumo, 0);
    EXPECT_EQ(excedente(1, 0, consumo, "U"), 0);
    EXPECT_EQ(consumo, 0);
}

TEST_F(ExcedenteTest, MonthReadingLessPreviousReadingLessFranchise)
{
    item(10, 1, 100);
    leitura(10, "05/10/2008", 1000);
    leitura(10, "06/02/2008", 1100);
    leitura(10, "06/25/2008", 1150);   // the month's largest total
    leitura(10, "06/15/2007", 9000);   // June of another year
    double consumo = 0;
    EXPECT_EQ(excedente(1, 10, consumo), 50);
    EXPECT_EQ(consumo, 150);

    exec("update AATC05ACIT set ACITQUANTIDADE = 150 where ACITCODIGO = 10");
    EXPECT_EQ(excedente(1, 10, consumo), 0) << "usage equal to the franchise";
    exec("update AATC05ACIT set ACITQUANTIDADE = 149 where ACITCODIGO = 10");
    EXPECT_EQ(excedente(1, 10, consumo), 1) << "one unit above it";
}

TEST_F(ExcedenteTest, PreviousReadingIsTheLatestDateBeforeTheMonth)
{
    item(10, 1, 0);
    leitura(10, "03/10/2008", 100);
    leitura(10, "05/20/2008", 600);
    leitura(10, "06/01/2008", 1500);  // the first day belongs to the month
    double consumo = 0;
    EXPECT_EQ(excedente(1, 10, consumo), 900);
    EXPECT_EQ(consumo, 900);
}

// 1.000 a month at 0,10 for the item; March read 6.200 twice (a correction,
// or the second desk), then 6.100 typed over it the same day.
TEST_F(ExcedenteTest, AMeterReadTwiceOnOneDayCountsOnceTheLaterReadingStanding)
{
    item(10, 1, 1000);
    leitura(10, "02/05/2026", 5000);
    leitura(10, "03/05/2026", 6200);
    leitura(10, "03/05/2026", 6200);
    leitura(10, "04/05/2026", 7600);
    const QDateTime marco = diaExcedente(2026, 3, 10), abril = diaExcedente(2026, 4, 10);
    double consumo = 0;
    for (int itemCodigo : {10, 0}) {
        EXPECT_EQ(excedente(1, itemCodigo, consumo, "I", abril), 400) << itemCodigo;
        EXPECT_EQ(consumo, 1400) << itemCodigo;
        EXPECT_EQ(excedente(1, itemCodigo, consumo, "I", marco), 200) << itemCodigo;
    }
    leitura(10, "03/05/2026", 6100);
    for (int itemCodigo : {10, 0}) {
        EXPECT_EQ(excedente(1, itemCodigo, consumo, "I", abril), 500) << itemCodigo;
        EXPECT_EQ(excedente(1, itemCodigo, consumo, "I", marco), 100) << itemCodigo;
    }
}

TEST_F(ExcedenteTest, NeverBelowZero)
{
    item(10, 1, 0);
    leitura(10, "05/10/2008", 1000);
    double consumo = 0;
    EXPECT_EQ(excedente(1, 10, consumo), 0) << "a month without readings";
    EXPECT_EQ(consumo, 0);
    item(11, 1, 0);
    leitura(11, "06/10/2008", 300);   // a contract without earlier readings
    EXPECT_EQ(excedente(1, 11, consumo), 300);
    EXPECT_EQ(consumo, 300);
    item(12, 1, 0);
    leitura(12, "05/10/2008", 1300);
    leitura(12, "06/10/2008", 130);   // lower than the last: nothing used
    EXPECT_EQ(excedente(1, 12, consumo, "*"), 0);
    EXPECT_EQ(consumo, 0);
    EXPECT_EQ(excedente(1, 0, consumo), 300) << "nor does it cancel another meter's usage";
}

TEST_F(ExcedenteTest, ItemZeroSumsEachItemsOwnUsage)
{
    item(10, 1, 100);
    item(11, 1, 50);
    item(12, 1, 10);   // read before, not this month: adds nothing
    item(20, 2, 0);    // another contract
    leitura(10, "05/10/2008", 1000);
    leitura(10, "06/10/2008", 1150);
    leitura(11, "04/28/2008", 200);  // its own latest earlier date
    leitura(11, "06/12/2008", 260);
    leitura(12, "05/10/2008", 9999);
    leitura(20, "06/10/2008", 7777);
    double consumo = 0;
    EXPECT_EQ(excedente(1, 0, consumo), 50) << "150 + 60 used against 160 allowed";
    EXPECT_EQ(consumo, 210);
    EXPECT_EQ(excedente(1, -1, consumo), 50) << "below 0 is all items too";
    EXPECT_EQ(excedente(2, 0, consumo), 7777);
}

TEST_F(ExcedenteTest, ThreeStatementsWhateverTheNumberOfItems)
{
    for (int codigo = 10; codigo < 30; ++codigo) {
        item(codigo, 1, 1);
        leitura(codigo, "05/10/2008", 10);
        leitura(codigo, "06/10/2008", 20);
    }
    double consumo = 0;
    for (int itemCodigo : {0, 10}) {
        const auto antes = host::db::statementCount();
        excedente(1, itemCodigo, consumo);
        EXPECT_EQ(host::db::statementCount() - antes, 3u) << itemCodigo;
    }
    EXPECT_EQ(consumo, 10);
}

TEST_F(ExcedenteTest, SqlDisplayShowsEachStep)
{
    item(10, 1, 0);
    bDetectarErroSQL = true;
    double consumo = 0;
    excedente(1, 10, consumo);
    bDetectarErroSQL = false;
    const QStringList textos = messages();
    ASSERT_EQ(textos.size(), 5);
    EXPECT_EQ(textos[0], "Tipo da Franquia:I");
    EXPECT_TRUE(textos[1].startsWith("Contador do Contrato: Select "));
    EXPECT_TRUE(textos[2].startsWith("Contador Anterior do Contrato: "));
    EXPECT_TRUE(textos[3].startsWith("Franquia do Contrato: Select Sum(ACITQUANTIDADE)"));
    EXPECT_EQ(textos[4], "Contador: 0");
}

class ComposicaoTest : public ExcedenteTest {
protected:
    void componente(const QString& produto, int sequencia, const QString& codigo, double quantidade, double valor)
    {
        exec(QString("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, CMVALOR) "
                     "values ('%1', %2, '%3', %4, %5)")
                 .arg(produto)
                 .arg(sequencia)
                 .arg(codigo)
                 .arg(quantidade)
                 .arg(valor));
    }
    void composicao(int contrato, int itemCodigo, const QString& produto, int sequencia, const QString& codigo,
                    int linha)
    {
        exec(QString("insert into AATC05ACCM (ACCODIGO, ACITCODIGO, PRCODIGO, CMSEQUENCIA, CMCODIGO, ACEVCODIGO) "
                     "values (%1, %2, '%3', %4, '%5', %6)")
                 .arg(contrato)
                 .arg(itemCodigo)
                 .arg(produto)
                 .arg(sequencia)
                 .arg(codigo)
                 .arg(linha));
    }
    void leituraComposicao(const QString& codigo, int sequencia, int linha, const QString& faturamento, double total)
    {
        ++ultima_;
        exec(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, ACITCODATAFATURAMENTO, ACITCOCONTADORTOTAL, "
                     "PRCODIGO, CMCODIGO, CMSEQUENCIA, EVCODIGO) values (%1, 10, '%2', %3, 'KIT', '%4', %5, %6)")
                 .arg(ultima_ + 100)
                 .arg(faturamento)
                 .arg(total)
                 .arg(codigo)
                 .arg(sequencia)
                 .arg(linha));
    }
    int linhas(const QString& condicao)
    {
        return one("select count(*) from AATC05ACCM " + condicao).toInt();
    }
    int ultima_ = 0;
};

TEST_F(ComposicaoTest, ProductCompositionReplacesTheItemsWithTotalsAtTheQuantity)
{
    componente("KIT", 1, "C1", 2, 10);
    componente("KIT", 2, "C2", 1, 5.5);
    componente("OUTRO", 1, "C9", 1, 1);
    composicao(1, 10, "VELHO", 1, "X", 0);
    composicao(1, 10, "VELHO", 2, "Y", 3);
    composicao(1, 11, "VELHO", 1, "Z", 0);   // another item keeps its own
    dm->InserirComposicaoContrato(1, 10, "KIT", 3);
    EXPECT_EQ(linhas("where ACCODIGO = 1 and ACITCODIGO = 10"), 2);
    EXPECT_EQ(linhas("where ACCODIGO = 1 and ACITCODIGO = 11"), 1);
    EXPECT_EQ(one("select ACCMQUANTIDADE from AATC05ACCM where ACITCODIGO = 10 and CMCODIGO = 'C1'").toDouble(), 2);
    EXPECT_EQ(one("select ACCMVALOR from AATC05ACCM where ACITCODIGO = 10 and CMCODIGO = 'C1'").toDouble(), 10);
    EXPECT_EQ(one("select ACCMTOTAL from AATC05ACCM where ACITCODIGO = 10 and CMCODIGO = 'C1'").toDouble(), 30);
    EXPECT_EQ(one("select ACCMTOTAL from AATC05ACCM where ACITCODIGO = 10 and CMCODIGO = 'C2'").toDouble(), 16.5);
    EXPECT_EQ(one("select PRCODIGO from AATC05ACCM where ACITCODIGO = 10 and CMCODIGO = 'C2'").toString(), "KIT");

    dm->InserirComposicaoContrato(1, 10, "SEMCOMPOSICAO", 1);
    EXPECT_EQ(linhas("where ACCODIGO = 1 and ACITCODIGO = 10"), 0) << "the old ones go first";
}

TEST_F(ComposicaoTest, AFailedFillKeepsTheOldCompositionsAndOtherPendingWork)
{
    componente("KIT", 1, "C1", 1, 1);
    componente("KIT", 1, "C2", 1, 1);   // the same sequence twice: the key refuses it
    composicao(1, 10, "VELHO", 1, "X", 0);
    host::db::executeSql(*global->IBTransaction1, "update AATC05AC set ACDESCRICAO = 'pendente' where ACCODIGO = 2");
    EXPECT_THROW(dm->InserirComposicaoContrato(1, 10, "KIT", 1), host::db::DbError);
    EXPECT_EQ(linhas("where ACITCODIGO = 10 and PRCODIGO = 'VELHO'"), 1);
    EXPECT_EQ(one("select ACDESCRICAO from AATC05AC where ACCODIGO = 2").toString(), "pendente");
}

TEST_F(ComposicaoTest, SequencesPerProductAndPerEquipmentLine)
{
    EXPECT_EQ(dm->SequenciaComposicao("NOVO"), 1);
    composicao(1, 10, "KIT", 1, "C1", 5);
    composicao(1, 10, "KIT", 3, "C2", 5);
    composicao(2, 20, "KIT", 7, "C3", 6);
    EXPECT_EQ(dm->SequenciaComposicao("kit"), 8) << "the product is compared in upper case";
    EXPECT_EQ(dm->SequenciaComposicaoEquipamento("KIT", "5"), 4);
    EXPECT_EQ(dm->SequenciaComposicaoEquipamento("KIT", "6"), 8);
    EXPECT_EQ(dm->SequenciaComposicaoEquipamento("KIT", "9"), 1);
    EXPECT_EQ(dm->SequenciaComposicaoEquipamento("KIT", ""), 1) << "no line";
}

TEST_F(ComposicaoTest, ConsumptionOfTheCompositionsOfALine)
{
    composicao(1, 10, "KIT", 1, "C1", 5);
    composicao(1, 10, "KIT", 2, "C2", 5);
    composicao(1, 10, "KIT", 1, "C1", 6);
    leituraComposicao("C1", 1, 5, "05/10/2008", 100);
    leituraComposicao("C1", 1, 5, "06/10/2008", 130);
    leituraComposicao("C2", 2, 5, "05/10/2008", 50);
    leituraComposicao("C2", 2, 5, "06/11/2008", 55);
    leituraComposicao("C1", 1, 6, "06/10/2008", 999);   // the same component on another line
    leituraComposicao("C1", 1, 5, "05/10/2008", 100);   // May's reading typed twice
    const QDateTime junho = diaExcedente(2008, 6, 30);
    EXPECT_EQ(dm->CalculaConsumoExcedenteComposto(1, junho, "", "5", 0, 0), 35);
    EXPECT_EQ(dm->CalculaConsumoExcedenteComposto(1, junho, "", "5", 10, 2), 5);
    EXPECT_EQ(dm->CalculaConsumoExcedenteComposto(1, junho, "", "6", 0, 0), 999);
    EXPECT_EQ(dm->CalculaConsumoExcedenteComposto(1, diaExcedente(2008, 7, 1), "", "5", 0, 0), 0) << "no readings in July";
    EXPECT_EQ(dm->CalculaConsumoExcedenteComposto(2, junho, "", "5", 0, 0), 0) << "another contract";
}

}  // namespace
}  // namespace contractstest
