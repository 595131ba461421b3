// The serial number of an order item: the copy of an earlier item's
// equipment and the manufacture date of company 12's serials, typed as the
// item's edit control types it.

#include "tests/tec/ItensFixture.h"

#include "data/uDataTecItens.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"

namespace tectest {
namespace {

class TdmTecItensSerieTest : public ItensTest {
protected:
    void SetUp() override
    {
        ItensTest::SetUp();
        modelo(7, "E");
        exec("update AATC03AE set AEMARCA = 'Marca do cadastro', AEMODELO = 'Modelo do cadastro' where AECODIGO = 7");
        ordem(9);
        exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO, AOITMARCA, "
             "AOITMODELO, AOITSERIE, AOITCOR, AOITANOFABRICACAO, AOITLOJACOMPRA, AOITPLACA, AOITKMINICIAL, "
             "AOITCOMBUSTIVEL, AOITPOSICAOCOMBUSTIVEL, AOITDEFEITO) values (31, 9, 7, 'Furadeira antiga', "
             "'Makita', 'HP1640', 'ABC123', 'Azul', '2012', 'Loja Centro', 'ABC1234', 1500, 'Elétrica', '1/2', "
             "'Não liga')");
        for (const char* nome : {"SN", "sn", "S/N", "s/n"})
            exec(QString("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITSERIE) values (gen_id(gen_aoitcodigo, 1), "
                         "9, '%1')")
                     .arg(nome));
        novoItem("Nova");
    }
    void digitarSerie(const QString& serie) { dmTec->quOSItemAOITSERIE->setText(serie); }
};

TEST_F(TdmTecItensSerieTest, SerialsThatMeanNoSerialAskNothing)
{
    for (const char* serie : {"SN", "sn", "S/N", "s/n", ""}) {
        SCOPED_TRACE(serie);
        digitarSerie(serie);   // an unexpected question would fail here
        EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Nova");
    }
    EXPECT_TRUE(dialogos->texts().isEmpty());
}

TEST_F(TdmTecItensSerieTest, ContractsInUseTurnTheCopyOff)
{
    parametro("ATUTILIZACONTRATOS", "S");
    digitarSerie("ABC123");
    EXPECT_TRUE(dialogos->texts().isEmpty());
}

TEST_F(TdmTecItensSerieTest, KnownSerialCopiesTheEarlierItemWhoseTextsWinOverTheRegister)
{
    dialogos->answer("Sim", "Deseja inserir o equipamento referente a este Nº de Série?");
    digitarSerie("ABC123");
    TdmTec& tec = *dmTec;
    EXPECT_EQ(tec.quOSItemAOITEQUIPCODIGO->asInteger(), 7);
    EXPECT_EQ(tec.quOSItemAOITEQUIPDESCRICAO->asString(), "Furadeira antiga");
    EXPECT_EQ(tec.quOSItemAOITMARCA->asString(), "Makita");
    EXPECT_EQ(tec.quOSItemAOITMODELO->asString(), "HP1640");
    EXPECT_EQ(tec.quOSItemAOITCOR->asString(), "Azul");
    EXPECT_EQ(tec.quOSItemAOITANOFABRICACAO->asString(), "2012");
    EXPECT_EQ(tec.quOSItemAOITLOJACOMPRA->asString(), "Loja Centro");
    EXPECT_EQ(tec.quOSItemAOITPLACA->asString(), "ABC1234");
    EXPECT_EQ(tec.quOSItemAOITKMINICIAL->asFloat(), 1500.0);
    EXPECT_EQ(tec.quOSItemAOITCOMBUSTIVEL->asString(), "Elétrica");
    EXPECT_EQ(tec.quOSItemAOITPOSICAOCOMBUSTIVEL->asString(), "1/2");
    EXPECT_TRUE(tec.quOSItemAOITDEFEITO->isNull());   // the reported defect is the new one's
    EXPECT_EQ(tec.quOSItemAOITSERIE->asString(), "ABC123");
    EXPECT_FALSE(dmGlobal->quAuxiliar->active());
}

TEST_F(TdmTecItensSerieTest, DeclinedCopyLeavesTheItemAsTyped)
{
    dialogos->answer("Não");
    digitarSerie("ABC123");
    EXPECT_EQ(dmTec->quOSItemAOITEQUIPDESCRICAO->asString(), "Nova");
    EXPECT_TRUE(dmTec->quOSItemAOITEQUIPCODIGO->isNull() || dmTec->quOSItemAOITEQUIPCODIGO->asInteger() == 0);
}

TEST(SerialLetters, YearAndMonthTables)
{
    const QString anos = "ABCDEFGHIJKLMNPQRSTUV";
    const QStringList esperados{"2000", "2001", "2002", "2003", "2004", "2005", "2006", "2007", "2008", "2008", "2009",
                                "2010", "2011", "2012", "2013", "2014", "2015", "2016", "2017", "2018", "2019"};
    for (int i = 0; i < anos.size(); ++i)
        EXPECT_EQ(RetornaAnoNumeroSerie(anos.mid(i, 1)), esperados[i]) << anos.mid(i, 1).toStdString();
    for (const char* fora : {"O", "W", "Z", "", "a", "1"})
        EXPECT_EQ(RetornaAnoNumeroSerie(fora), "") << fora;

    const QString meses = "ABCDEFGHJKLMNPQRSTUVWXYZ";
    for (int i = 0; i < meses.size(); ++i)
        EXPECT_EQ(RetornaMesNumeroSerie(meses.mid(i, 1)), QString::number(i / 2 + 1)) << meses.mid(i, 1).toStdString();
    for (const char* fora : {"I", "O", "", "b"})
        EXPECT_EQ(RetornaMesNumeroSerie(fora), "") << fora;
}

class TdmTecFabricacaoTest : public TdmTecItensSerieTest {
protected:
    void SetUp() override
    {
        TdmTecItensSerieTest::SetUp();
        empresa(12);
        dmTec->quOSItemAOITGARANTIA->setAsString("2");
    }
    static void relogio(const QDateTime& quando)
    {
        uDataTecItens::setRelogio([quando] { return quando; });
    }
};

TEST_F(TdmTecFabricacaoTest, MarchTwentyFifteenHasFactoryWarrantyUntilTwoYearsToTheMoment)
{
    const QDateTime limite(QDate(2017, 3, 1), QTime(0, 0));
    relogio(limite);
    dialogos->acknowledge();
    digitarSerie("1234RE99");
    EXPECT_EQ(dialogos->texts(), QStringList{"Produto nacional com fabricação em 3/2015"});
    EXPECT_EQ(dmTec->quOSItemAOITGARANTIA->asString(), "1");

    relogio(limite.addMSecs(1));
    dialogos->acknowledge();
    digitarSerie("1234RF99");
    EXPECT_EQ(dialogos->texts().last(),
              "Produto nacional com data de fabricação maior do que 24 meses (2 anos): 3/2015");
    EXPECT_EQ(dmTec->quOSItemAOITGARANTIA->asString(), "3");
}

TEST_F(TdmTecFabricacaoTest, LowerCaseLettersAndBothEightLettersAreRead)
{
    relogio(QDateTime(QDate(2009, 1, 1), QTime(0, 0)));
    dialogos->acknowledge().acknowledge().acknowledge();
    digitarSerie("xxxxiz");
    digitarSerie("xxxxjy");
    digitarSerie("xxxxvz");
    EXPECT_EQ(dialogos->texts(), (QStringList{"Produto nacional com fabricação em 12/2008",
                                              "Produto nacional com fabricação em 12/2008",
                                              "Produto nacional com fabricação em 12/2019"}));
}

TEST_F(TdmTecFabricacaoTest, BadOrMissingLettersGiveNoDateAndKeepTheWarranty)
{
    for (const char* serie : {"1234OA", "1234AI", "1234AO", "1234A", "S/N", "1234"}) {
        SCOPED_TRACE(serie);
        digitarSerie(serie);
        EXPECT_EQ(dmTec->quOSItemAOITGARANTIA->asString(), "2");
    }
    EXPECT_TRUE(dialogos->texts().isEmpty());
}

TEST_F(TdmTecFabricacaoTest, OtherCompaniesReadNoDate)
{
    empresa(4);
    digitarSerie("1234RE");
    EXPECT_TRUE(dialogos->texts().isEmpty());
    EXPECT_EQ(dmTec->quOSItemAOITGARANTIA->asString(), "2");
}

}  // namespace
}  // namespace tectest
