// Dates typed with their whole year: the basic contract's "Data Implantação",
// the rental register's "Início", the assistance order's "Início Vigência"
// and a date cell of the rental equipment grid keep the year typed, read back
// through another attachment; a two-digit year is this century's, and a year
// that cannot be read is refused with the text left to be mended.

#include "tests/module/AssVendasFixture.h"
#include "tests/module/ContLocFixture.h"

#include "contracts/uAssBasicoContratos.h"
#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

// The date column of the statement's first row as "yyyy-mm-dd", as another attachment reads it.
QString diaGuardado(const QStringList& lidos) { return lidos.value(0).left(10); }

class DataAnoCompletoBasicoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACVALOR, ACTIPOCONTRATO,"
             " PRCODIGO, ACDATAIMPLANTACAO) values (901, '12-ABC', 'Manutenção de impressoras', '00003', 1500,"
             " 'Com Peça', 'S0003', '2026-01-05')");
        tr().commitRetaining();
    }
    QString implantacao() const
    {
        return diaGuardado(lido("select cast(ACDATAIMPLANTACAO as date) from AATC05AC where ACCODIGO = 901"));
    }
};

TEST_F(DataAnoCompletoBasicoTest, TheStartTypedWithItsYearIsStoredWithItAndATwoDigitYearIsThisCenturys)
{
    TfmAssBasicoContratos& form = abrirJanela(fmAssBasicoContratos, "fmAssContratos");
    dmTec->CarregaContrato(901);
    EXPECT_EQ(form.dbedDataImplantacao->text(), "05/01/2026") << "the year shown whole";

    digita(form.dbedDataImplantacao, "01/01/2027");
    EXPECT_EQ(form.dbedDataImplantacao->text(), "01/01/2027");
    form.bbSalvar->click();
    EXPECT_EQ(implantacao(), "2027-01-01");

    digita(form.dbedDataImplantacao, "15/03/27");
    form.bbSalvar->click();
    EXPECT_EQ(implantacao(), "2027-03-15");
    EXPECT_EQ(form.dbedDataImplantacao->text(), "15/03/2027");

    // A year of three digits is not read: said, and the text stays to be mended.
    dialogs->acknowledge("Data informada inválida.");
    digita(form.dbedDataImplantacao, "01/01/202");
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(form.dbedDataImplantacao->text(), "01/01/202");
    EXPECT_EQ(form.dbedDataImplantacao->selectedText(), form.dbedDataImplantacao->displayText());
    EXPECT_EQ(dmTec->quContrato->fieldByName("ACDATAIMPLANTACAO")->asDateTime().date(), QDate(2027, 3, 15));
    digita(form.dbedDataImplantacao, "02/01/2028");
    form.bbSalvar->click();
    EXPECT_EQ(implantacao(), "2028-01-02");
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
}

class DataAnoCompletoLocacaoTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        parametro("ATOPCAOCONTRATO", "Q");
        contrato(801, "ACDATAIMPLANTACAO", "'2026-01-05'");
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (31, 'L', 'Honda', 'Gerador G5')");
        exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, EVCODIGO, ACITVALOR, ACITQUANTIDADE)"
             " values (1, 801, '00004', 'P0004', 31, 90, 1)");
        tr().commitRetaining();
    }
};

TEST_F(DataAnoCompletoLocacaoTest, TheRentalStartTypedWithItsYearIsStoredWithIt)
{
    TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    CarregaContrato(801);
    EXPECT_EQ(form.dbedDataInicio->text(), "05/01/2026");
    digita(form.dbedDataInicio, "31/01/2027");
    EXPECT_EQ(form.dbedDataInicio->text(), "31/01/2027");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.btSalvar->click();
    EXPECT_EQ(diaGuardado(lido("select cast(ACDATAIMPLANTACAO as date) from AATC05AC where ACCODIGO = 801")),
              "2027-01-31");
    EXPECT_EQ(form.dbedDataInicio->text(), "31/01/2027");
}

TEST_F(DataAnoCompletoLocacaoTest, ADateCellTakesItsWholeYearAndATwoDigitOne)
{
    TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    host::ui::DataGrid* grade = form.dbgdAssContEquipamentoLocacao;
    const char* const consulta = "select cast(ACITDATAENTREGA as date) from AATC05ACIT where ACITCODIGO = 1";

    celula(grade, "ACITDATAENTREGA", "31/01/2028", Qt::Key_Return);
    form.btSalvar->click();
    EXPECT_EQ(diaGuardado(lido(consulta)), "2028-01-31");

    celula(grade, "ACITDATAENTREGA", "050327", Qt::Key_Return);
    form.btSalvar->click();
    EXPECT_EQ(diaGuardado(lido(consulta)), "2027-03-05");
}

class DataAnoCompletoPedidoTest : public AssVendasJanelaTest {};

TEST_F(DataAnoCompletoPedidoTest, TheOrdersStartOfValidityTypedWithItsYearIsStoredWithIt)
{
    pedido("01201", "1");
    TfmAssVendas& form = abrir();
    form.sbProximo->click();
    ASSERT_EQ(cab("NUMERO_PEDIDO").asString(), "01201");
    digita(form.dbedInicioVigencia, "31/01/2027");
    EXPECT_EQ(form.dbedInicioVigencia->text(), "31/01/2027");
    form.bbSalvar->click();
    EXPECT_EQ(diaGuardado({lido("select cast(VEINICIOVIGENCIA as date) from AVEC8501 where NUMERO_PEDIDO = '01201'")
                               .toString()}),
              "2027-01-31");
    EXPECT_EQ(form.dbedInicioVigencia->text(), "31/01/2027");
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
}

}  // namespace
}  // namespace moduletest
