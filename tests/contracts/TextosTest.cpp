// The invoice texts of a contract's billing object: what each AJCOMPLNF
// returns, which object text is taken, every mark of the complement, and the
// months an instalment covers per period and modality.

#include "tests/contracts/ContractsFixture.h"

#include "host/Udmglobal.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

namespace contractstest {
namespace {

const QDateTime kJunho2008(QDate(2008, 6, 10), QTime(0, 0));

class TextosTest : public ContractDataTest {
protected:
    void objeto(int codigo, const QString& modo, const QString& complemento, const QString& texto = "Manutenção")
    {
        exec(QString("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLHC, AJCOMPLNF) "
                     "values (%1, 'Objeto', '%2', '%3', '%4')")
                 .arg(codigo)
                 .arg(texto, complemento, modo));
    }
    void contrato(int codigo, const QString& numero, const QString& objetoContrato = {},
                  const QString& periodo = "M", const QString& modalidade = "R")
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACOBJETO, ACPERIODO, ACMODALIDADE, "
                     "ACDATAIMPLANTACAO, ACDATAVALIDADE) values (%1, '%2', %3, '%4', '%5', '01/15/2008', '01/14/2009')")
                 .arg(codigo)
                 .arg(numero, objetoContrato.isNull() ? "null" : "'" + objetoContrato + "'", periodo, modalidade));
    }
    void linha(int linhaCodigo, int contratoCodigo, int veiculo, const QString& placa, const QString& situacao)
    {
        exec(QString("insert into AUGC20EV (EVCODIGO, EVID, EVPLACA) values (%1, 'L', '%2')").arg(veiculo).arg(placa));
        exec(QString("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVDATAINICIO, ACEVDATAFIM, "
                     "ACEVSITUACAO) values (%1, %2, %3, '03/01/2008', '03/31/2008', '%4')")
                 .arg(linhaCodigo)
                 .arg(contratoCodigo)
                 .arg(veiculo)
                 .arg(situacao));
    }
    QString textoDe(int objetoCodigo, int contratoCodigo, int sequencia = 3, const QString& texto = {},
                    const QDateTime& vencimento = kJunho2008)
    {
        return dm->RetornarTextoContratoObjeto(objetoCodigo, contratoCodigo, sequencia, vencimento, texto);
    }
};

TEST_F(TextosTest, EachInvoiceTextModeReturnsItsPartsInItsOrder)
{
    contrato(1, "1234");
    objeto(1, "1 - Nenhum", "Parcela @P");
    objeto(2, "2 - Objeto", "Parcela @P");
    objeto(3, "3 - Complemento", "Parcela @P");
    objeto(4, "4 - Objeto + Complemento", "Parcela @P");
    objeto(5, "5 - Complemento + Objeto", "Parcela @P");
    objeto(6, "9 - Outro", "Parcela @P");
    objeto(7, "", "Parcela @P");
    EXPECT_EQ(textoDe(1, 1), "");
    EXPECT_EQ(textoDe(2, 1), "Manutenção");
    EXPECT_EQ(textoDe(3, 1), "Parcela  3 ");
    EXPECT_EQ(textoDe(4, 1), "ManutençãoParcela  3 ");
    EXPECT_EQ(textoDe(5, 1), "Parcela  3 Manutenção");
    EXPECT_EQ(textoDe(6, 1), "");
    EXPECT_EQ(textoDe(7, 1), "");
    EXPECT_EQ(textoDe(99, 1), "") << "an object that does not exist has no text";
}

TEST_F(TextosTest, ObjectTextIsTheCallersThenTheContractsThenTheObjects)
{
    contrato(1, "1", "Objeto do contrato");
    contrato(2, "2", "   ");
    objeto(1, "2", "", "Objeto cadastrado");
    EXPECT_EQ(textoDe(1, 1, 1, "Texto da parcela"), "Texto da parcela");
    EXPECT_EQ(textoDe(1, 1, 1, "   "), "Objeto do contrato") << "a caller's text of blanks falls back";
    EXPECT_EQ(textoDe(1, 2, 1, ""), "Objeto cadastrado") << "a contract's text of blanks falls back";
    objeto(2, "4", "");
    EXPECT_EQ(textoDe(2, 1, 1, ""), "Objeto do contrato") << "an empty complement adds nothing";
}

TEST_F(TextosTest, MarksStandBetweenBlanks)
{
    contrato(1, "1234");
    objeto(1, "3", "Contrato @C - Parcela @P");
    EXPECT_EQ(textoDe(1, 1, 3), "Contrato  1234  - Parcela  3 ");
    objeto(2, "3", "Valor@Q!");
    EXPECT_EQ(textoDe(2, 1), "Valor  !") << "@Q leaves two blanks";
    objeto(3, "3", "Sem marcas, valor 10%");
    EXPECT_EQ(textoDe(3, 1), "Sem marcas, valor 10%");
    objeto(4, "3", "@Z@");
    EXPECT_EQ(textoDe(4, 1), "    ") << "an unknown letter and a final @ are blanks only";
    objeto(5, "3", "De @I a @F");
    EXPECT_EQ(textoDe(5, 1), "De  15/01/2008  a  14/01/2009 ");
}

TEST_F(TextosTest, AValueHoldingItsOwnMarkIsWrittenAsItStands)
{
    contrato(1, "@C");
    objeto(1, "3", "Contrato @C fim");
    EXPECT_EQ(textoDe(1, 1), "Contrato  @C  fim");
    contrato(2, "7@P");
    EXPECT_EQ(textoDe(1, 2), "Contrato  7@P  fim");
}

TEST_F(TextosTest, RentalPeriodAndPlatesOfTheContractsLines)
{
    contrato(1, "1");
    contrato(2, "2");
    linha(10, 1, 101, "ABC1234", "A");
    linha(11, 1, 102, "XYZ9876", "I");
    linha(12, 1, 103, "DEF5555", "A");
    objeto(1, "3", "@L|@V");
    EXPECT_EQ(textoDe(1, 1), " Placa(s): ABC1234, DEF5555 | 01/03/2008 até 31/03/2008 ");
    EXPECT_EQ(textoDe(1, 2), "  |  até  ") << "a contract without lines has no plates";
}

TEST_F(TextosTest, ReferenceIsTodaysMonthAndTheDueDate)
{
    contrato(1, "1");
    objeto(1, "3", "@R");
    const QString mes = host::data::formatDate("mm/yyyy", QDate::currentDate());
    EXPECT_EQ(textoDe(1, 1, 1, {}, QDateTime(QDate(2008, 3, 5), QTime(0, 0))),
              " REF. " + mes + " Vencimento: 05/03/2008 ");
}

TEST_F(TextosTest, MonthsMarkFollowsTheContractsPeriodAndModality)
{
    contrato(1, "1", {}, "T", "R");
    contrato(2, "2", {}, "M", "R");
    objeto(1, "3", "@M");
    EXPECT_EQ(textoDe(1, 1), " ABRIL, MAIO, JUNHO/2008 ");
    EXPECT_EQ(textoDe(1, 2, 1, {}, QDateTime(QDate(2008, 3, 20), QTime(0, 0))), " FEVEREIRO/2008 ");
}

TEST_F(TextosTest, TextCostsTwoReadsAndOneMoreForEachRentalMark)
{
    contrato(1, "1");
    objeto(1, "3", "@C @P @M @L @L @V");
    textoDe(1, 1);   // prepares the statements
    const auto antes = host::db::statementCount();
    textoDe(1, 1);
    EXPECT_EQ(host::db::statementCount() - antes, 4);
    objeto(2, "1", "@L");
    const auto antesNenhum = host::db::statementCount();
    textoDe(2, 1);
    EXPECT_EQ(host::db::statementCount() - antesNenhum, 1) << "\"1 - Nenhum\" reads the object only";
}

struct CasoMeses {
    const char* periodo;
    const char* modalidade;
    const char* esperado;
};

TEST(FormatarReferenciaPeriodo, MonthListsPerPeriodAndModality)
{
    const CasoMeses casos[] = {
        {"B", "R", "MAIO, JUNHO/2008"},
        {"B", "A", "JUNHO, JULHO/2008"},
        {"B", "N", "JUNHO, JULHO/2008"},
        {"T", "R", "ABRIL, MAIO, JUNHO/2008"},
        {"T", "A", "JUNHO, JULHO, AGOSTO/2008"},
        {"T", "P", "MAIO, JUNHO, JULHO/2008"},
        {"S", "R", "JANEIRO, FEVEREIRO, MARçO, ABRIL, MAIO, JUNHO/2008"},
        {"S", "A", "JUNHO, JULHO, AGOSTO, SETEMBRO, OUTUBRO, NOVEMBRO"},
        {"S", "I", "ABRIL, MAIO, JUNHO, JULHO, AGOSTO, SETEMBRO"},
        {"A", "R", "JULHO, AGOSTO, SETEMBRO, OUTUBRO, NOVEMBRO, DEZEMBRO, JANEIRO, FEVEREIRO, MARçO, ABRIL, "
                   "MAIO, JUNHO/2008"},
        {"A", "A", "JUNHO, JULHO, AGOSTO, SETEMBRO, OUTUBRO, NOVEMBRO, DEZEMBRO, JANEIRO, FEVEREIRO, MARçO, "
                   "ABRIL, MAIO"},
        {"A", "N", "JANEIRO, FEVEREIRO, MARçO, ABRIL, MAIO, JUNHO, JULHO, AGOSTO, SETEMBRO, OUTUBRO, NOVEMBRO, "
                   "DEZEMBRO/2008"},
        {"M", "R", "MAIO/2008"},
        {"M", "A", "JUNHO/2008"},
        {"M", "P", "MAIO/2008"},
        {"", "", "MAIO/2008"},
    };
    for (const CasoMeses& caso : casos)
        EXPECT_EQ(TdmTecContrato::FormatarReferenciaPeriodo(caso.modalidade, caso.periodo, kJunho2008),
                  QString::fromUtf8(caso.esperado))
            << caso.periodo << " " << caso.modalidade;
}

TEST(FormatarReferenciaPeriodo, YearIsTheLastMonthsAcrossTheTurnOfTheYear)
{
    const QDateTime janeiro(QDate(2009, 1, 31), QTime(0, 0));
    EXPECT_EQ(TdmTecContrato::FormatarReferenciaPeriodo("R", "T", janeiro), "NOVEMBRO, DEZEMBRO, JANEIRO/2009");
    EXPECT_EQ(TdmTecContrato::FormatarReferenciaPeriodo("R", "M", janeiro), "DEZEMBRO/2008");
    EXPECT_EQ(TdmTecContrato::FormatarReferenciaPeriodo("A", "B", QDateTime(QDate(2008, 12, 31), QTime(0, 0))),
              "DEZEMBRO, JANEIRO/2009");
}

}  // namespace
}  // namespace contractstest
