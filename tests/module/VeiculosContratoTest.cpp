// A vehicle company's contracts on the register's vehicles page: a vehicle
// on one contract for any day, the first contract's line still editable
// beside a line another program stored over it, a day's rate charged once
// however often the return day changes, an unknown vehicle refused, the
// vehicles ended with their contract free again, a line opened again with no
// end, and a plate registered in the equipment register shown on the page
// and in the invoice text.

#include "tests/module/ContratoCadastroFixture.h"

#include "contract_data/uDataTecCont.h"
#include "rental/uAssEquipamentoLocacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"

#include <QAbstractItemModel>
#include <QDate>
#include <QPushButton>

namespace moduletest {
namespace {

class VeiculosContratoTest : public ContratoCadastroTest {
protected:
    void SetUp() override
    {
        ContratoCadastroTest::SetUp();
        parametro("ATMODOVEICULO", "O");
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVPLACA, EVSTATUS) values (1, 'L', 'Strada', null, 'D')");
        for (int codigo : {801, 802})
            exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO,"
                         " ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA) values (%1, 'N%1', '00004', 'A',"
                         " '01', 'M', 'A', 10, 'S', 100)")
                     .arg(codigo));
    }
    // A line of vehicle 1 on the contract, as stored before.
    void linha(int codigo, int contrato, const QString& inicio, const QString& fim, double valor = 100)
    {
        exec(QString("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVDATAINICIO, ACEVDATAFIM,"
                     " ACEVSITUACAO, ACEVVALOR) values (%1, %2, 1, '%3', %4, 'A', %5)")
                     .arg(codigo)
                     .arg(contrato)
                     .arg(inicio, fim.isEmpty() ? QString("null") : "'" + fim + "'")
                     .arg(valor));
    }
    // The register on the contract's vehicles page.
    host::ui::DataGrid* paginaDeVeiculos(int contrato, bool inativos = false)
    {
        TfmAssContCad& form = abrir();
        CarregaContrato(contrato);
        aba(form, form.tsVeiculos);
        if (inativos)
            dmTecContrato->CarregaContratoVeiculo(contrato, false);
        return form.dbgdAssContCadVeiculo;
    }
    static QString dia(int deHoje) { return QDate::currentDate().addDays(deHoje).toString("dd/MM/yyyy"); }
    static QString diaSql(int deHoje) { return QDate::currentDate().addDays(deHoje).toString("yyyy-MM-dd"); }
};

// Contract 801 has vehicle 1 from 10/01/2099 to 20/01/2099: contract 802
// typing it for a period that shares any day is refused, whichever way
// the periods overlap; a period after it is written.
TEST_F(VeiculosContratoTest, AVehicleIsOnOneContractForAnyDayWhicheverWayThePeriodsOverlap)
{
    linha(1, 801, "2099-01-10", "2099-01-20");
    tr().commitRetaining();
    host::ui::DataGrid* grade = paginaDeVeiculos(802);
    const struct {
        const char* inicio;
        const char* fim;
    } sobrepostos[] = {{"10/01/2099", "31/01/2099"}, {"01/01/2099", ""}, {"12/01/2099", "15/01/2099"},
                       {"01/01/2099", "10/01/2099"}, {"20/01/2099", "25/01/2099"}};
    for (const auto& periodo : sobrepostos) {
        SCOPED_TRACE(std::string(periodo.inicio) + " - " + periodo.fim);
        novaLinhaNaGrade(grade, "EVCODIGO", "1");
        celula(grade, "ACEVDATAINICIO", periodo.inicio);
        if (*periodo.fim)
            celula(grade, "ACEVDATAFIM", periodo.fim);
        dialogs->acknowledge("Veículo está sendo utilizado no contrato código 801!");
        EXPECT_ANY_THROW(dmTecContrato->quCtrVeiculo->post());
        EXPECT_EQ(dialogs->pending(), 0);
        dmTecContrato->quCtrVeiculo->cancel();
    }
    novaLinhaNaGrade(grade, "EVCODIGO", "1");
    celula(grade, "ACEVDATAINICIO", "21/01/2099");
    dmTecContrato->quCtrVeiculo->post();
    EXPECT_EQ(lido("select ACCODIGO from AATC05ACEV order by ACEVCODIGO"), (QStringList{"801", "802"}));
}

// Another program stored vehicle 1 on contract 802 over contract 801's
// period: 801's own line still takes its return mileage.
TEST_F(VeiculosContratoTest, TheFirstContractsLineIsNotRefusedForALineStoredOverIt)
{
    linha(1, 801, "2099-01-10", "2099-01-20");
    linha(2, 802, "2099-01-10", "2099-01-31");
    tr().commitRetaining();
    host::ui::DataGrid* grade = paginaDeVeiculos(801);
    celula(grade, "ACEVKMFIM", "1520");
    dmTecContrato->quCtrVeiculo->post();
    EXPECT_EQ(lido("select ACEVKMFIM from AATC05ACEV where ACEVCODIGO = 1"), QStringList{"1520"})
        << dialogs->texts().join(" | ").toStdString();
}

// A daily billing object; a line from ten days ago at 100,00 a day made
// "Inativo" (today), then given its real return, six days ago: four days.
TEST_F(VeiculosContratoTest, AReturnedVehicleIsChargedTheDaysRateTimesTheDaysHoweverOftenTheEndChanges)
{
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJVALORDIARIO) values (71, 'Diária', 'S')");
    exec("update AATC05AC set AJCODIGO = 71 where ACCODIGO = 801");
    linha(1, 801, diaSql(-10), {});
    tr().commitRetaining();
    host::ui::DataGrid* grade = paginaDeVeiculos(801);
    dialogs->answer("Sim", "Deseja calcular o valor total pelo dias do contrato?");
    celula(grade, "ACEVSITUACAO", "Inativo");
    EXPECT_DOUBLE_EQ(dmTecContrato->quCtrVeiculo->fieldByName("ACEVVALOR")->asFloat(), 1000);
    dialogs->answer("Sim", "Deseja calcular o valor total pelo dias do contrato?");
    celula(grade, "ACEVDATAFIM", dia(-6));
    dmTecContrato->quCtrVeiculo->post();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select ACEVVALOR from AATC05ACEV where ACEVCODIGO = 1"), QStringList{"400"});
}

// The register opened on no contract: a vehicle typed on its page and
// "Salvar" store no line naming no contract.
TEST_F(VeiculosContratoTest, AVehicleTypedWithNoContractOpenIsNotStored)
{
    TfmAssContCad& form = abrir();
    aba(form, form.tsVeiculos);
    novaLinhaNaGrade(form.dbgdAssContCadVeiculo, "EVCODIGO", "1");
    celula(form.dbgdAssContCadVeiculo, "ACEVDATAINICIO", "10/01/2099");
    dialogs->acknowledge("O contrato não foi informado: a linha não foi gravada.");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select count(*) from AATC05ACEV"), QStringList{"0"});
}

// An unregistered code is refused where it is typed; nothing is stored.
TEST_F(VeiculosContratoTest, AnUnknownVehicleCodeIsRefused)
{
    host::ui::DataGrid* grade = paginaDeVeiculos(801);
    dialogs->setAutoAcknowledgeMessages(true);
    novaLinhaNaGrade(grade, "EVCODIGO", "999");
    ASSERT_TRUE(dmTecContrato->quCtrVeiculo->editing());
    EXPECT_EQ(dmTecContrato->quCtrVeiculo->fieldByName("EVCODIGO")->asInteger(), 0) << "the code typed is not kept";
    dmTecContrato->quCtrVeiculo->cancel();
    EXPECT_TRUE(dialogs->texts().contains("Código: veículo 999 não cadastrado."))
        << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select count(*) from AATC05ACEV"), QStringList{"0"});
}

// A contract past its validity, its vehicles ended by "Sim": the vehicle is
// free again in its register.
TEST_F(VeiculosContratoTest, VehiclesEndedWithTheirContractAreFreeAgain)
{
    parametro("ATSITUACAOPORITEM", "S");
    exec(QString("update AATC05AC set ACDATAIMPLANTACAO = '%1', ACDATAVALIDADE = '%2' where ACCODIGO = 801")
             .arg(diaSql(-30), diaSql(-1)));
    linha(1, 801, diaSql(-30), {});
    exec("update AUGC20EV set EVSTATUS = 'L' where EVCODIGO = 1");
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    dmTecContrato->quCtrCadastro->edit();
    dialogs->answer("Sim", "Deseja inativar todos veículos desse Contrato?")
        .answer("Não", "O contrato não possui veículos ativos, deseja encerrá-lo?");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select ACEVSITUACAO from AATC05ACEV"), QStringList{"I"});
    EXPECT_EQ(lido("select EVSTATUS from AUGC20EV where EVCODIGO = 1"), QStringList{"D"});
}

// A line ended yesterday opened again ("Ativo") keeps no end, and the
// invoice text's rental period names no 1899 day, nor for a line another
// program stored with the zero date.
TEST_F(VeiculosContratoTest, ALineOpenedAgainStoresNoEndAndItsPeriodPrintsWithoutTheZeroDate)
{
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJCOMPLHC, AJCOMPLNF) values (71, 'Locação', '@V', '3')");
    exec(QString("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVDATAINICIO, ACEVDATAFIM, ACEVSITUACAO)"
                 " values (1, 801, 1, '2026-11-21', '%1', 'I')")
             .arg(diaSql(-1)));
    exec("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, ACEVDATAINICIO, ACEVDATAFIM, ACEVSITUACAO)"
         " values (2, 802, '2026-11-21', '1899-12-30', 'A')");
    tr().commitRetaining();
    host::ui::DataGrid* grade = paginaDeVeiculos(801, true);
    celula(grade, "ACEVSITUACAO", "Ativo");
    dmTecContrato->quCtrVeiculo->post();
    EXPECT_EQ(lido("select coalesce(cast(ACEVDATAFIM as varchar(30)), 'sem fim') from AATC05ACEV"
                   " where ACEVCODIGO = 1"),
              QStringList{"sem fim"})
        << dialogs->texts().join(" | ").toStdString();
    for (int contrato : {801, 802})
        EXPECT_EQ(dmTecContrato->RetornarTextoContratoObjeto(71, contrato, 1, QDateTime(), {}), " 21/11/2026 até  ");
}

// The plate typed in the equipment register is stored, and the vehicles
// page and the invoice text's plates name it.
TEST_F(VeiculosContratoTest, APlateRegisteredInTheEquipmentRegisterIsShownWhereTheVehicleIsNamed)
{
    linha(1, 801, "2099-01-10", {});
    tr().commitRetaining();
    TfmAssEquipamentoLocacao& registro = abrirJanela(fmAssEquipamentoLocacao, "fmAssEquipamentoLocacao");
    pesquisa("EVCODIGO", "1");
    registro.bbPesquisa->click();
    auto* placa = registro.findChild<host::ui::DataEdit*>("dbedPlaca");
    ASSERT_NE(placa, nullptr) << "the register has a \"Placa\"";
    digita(placa, "ABC1D23");
    registro.bbSalvar->click();
    EXPECT_EQ(lido("select EVPLACA from AUGC20EV where EVCODIGO = 1"), QStringList{"ABC1D23"});

    host::ui::DataGrid* grade = paginaDeVeiculos(801);
    const int coluna = grade->columnByField("EVPLACA")->index();
    EXPECT_EQ(grade->model()->index(0, coluna).data().toString(), "ABC1D23");
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJCOMPLHC, AJCOMPLNF) values (71, 'Locação', '@L', '3')");
    EXPECT_EQ(dmTecContrato->RetornarTextoContratoObjeto(71, 801, 1, QDateTime(), {}), " Placa(s): ABC1D23 ");
}

}  // namespace
}  // namespace moduletest
