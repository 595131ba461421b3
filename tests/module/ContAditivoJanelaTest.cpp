// The amendment window shown modally through the dispatcher over a loaded
// contract: its heights and tabs, consecutive amendment numbers, inclusion,
// substitution (both vehicles, the old one inactive), return, the earlier
// lines of a vehicle left alone, the vehicles' status committed with their
// lines (a return whose status fails keeps no mark), the substitution value
// kept through "&Limpar", the vehicle search, and its picture.

#include "tests/module/ContLocFixture.h"

#include "rental/uAssContAditivo.h"

#include "host/data/Abort.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace moduletest {
namespace {

using host::ui::Form;

class ContAditivoJanelaTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        for (int v : {31, 32, 33})
            exec(QString("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVPLACA, EVSTATUS) values"
                         " (%1, 'L', 'Van %1', 'PLC%1', 'D')")
                     .arg(v));
        contrato(801);
        contrato(802);
        // The data modules, as the dispatcher makes them.
        uPackageAss::ShowJanelaTec("fmAssTecnico");
    }
    void linha(int codigo, int contratoLinha, int veiculo, const QString& situacao, const QString& inicio,
               const QString& fim, double valor, int aditivo)
    {
        exec(QString("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVSITUACAO, ACEVDATAINICIO,"
                     " ACEVDATAFIM, ACEVVALOR, ACEVADITIVONUMERO) values (%1, %2, %3, '%4', '%5', %6, %7, %8)")
                 .arg(codigo)
                 .arg(contratoLinha)
                 .arg(veiculo)
                 .arg(situacao, inicio, fim.isEmpty() ? QString("null") : "'" + fim + "'")
                 .arg(valor)
                 .arg(aditivo));
    }
    // The contract loaded as the register leaves it, the line of that key current.
    void carregar(int contrato, int linhaAtual = 0)
    {
        CarregaContrato(contrato);
        dmTecContrato->CarregaContratoVeiculo(contrato, false);
        if (linhaAtual) {
            ASSERT_TRUE(dmTecContrato->quCtrVeiculo->locate("ACEVCODIGO", linhaAtual));
        }
    }
    // The window run modally; `acao` drives it.
    void aditivo(std::function<void(TfmAssContAditivo&)> acao)
    {
        dialogs->modal("fmAssContAditivo", [acao](Form& janela) { acao(static_cast<TfmAssContAditivo&>(janela)); });
        uPackageAss::ShowJanelaTec("fmAssContAditivo");
        EXPECT_EQ(dialogs->pending(), 0);
    }
    // Each line: "vehicle situation kind number start..end value | observation", by key.
    QStringList linhas(int contrato) const
    {
        return lido(QString("select EVCODIGO || ' ' || coalesce(ACEVSITUACAO, '-') || ' ' || coalesce(ACEVADITIVO, '-')"
                            " || ' ' || coalesce(ACEVADITIVONUMERO, 0) || ' ' ||"
                            " coalesce(extract(day from ACEVDATAINICIO) || '/' || extract(month from ACEVDATAINICIO), '-')"
                            " || '..' || coalesce(extract(day from ACEVDATAFIM) || '/' || extract(month from ACEVDATAFIM),"
                            " '-') || ' ' || cast(coalesce(ACEVVALOR, 0) as integer) || ' | ' ||"
                            " coalesce(ACEVOBSERVACAO, '') from AATC05ACEV where ACCODIGO = %1 order by ACEVCODIGO")
                        .arg(contrato));
    }
    static void data(host::ui::DateEdit* edit, int dia, int mes)
    {
        edit->setDate(QDateTime(QDate(2024, mes, dia), QTime(0, 0)));
    }
    // The inclusion tab filled with vehicle 31, plate ABC1234, 320 from 02/03, and saved.
    void incluiVeiculo31(TfmAssContAditivo& f)
    {
        f.edIncVeic->setText("31");
        f.edIncPlaca->setText("ABC1234");
        f.edIncValor->setValue(320);
        data(f.edIncData, 2, 3);
        dialogs->acknowledge("Operação efetuada com sucesso!");
        f.bbSalva->click();
    }
};

TEST(ContAditivoRegras, AVehicleCodeMustBeAWholeNumber)
{
    EXPECT_EQ(uAssContAditivo::CodigoVeiculo(" 31 "), 31);
    EXPECT_THROW(uAssContAditivo::CodigoVeiculo("3a"), std::runtime_error);
}

TEST_F(ContAditivoJanelaTest, HeightsTabsAndConsecutiveNumbersOfInclusions)
{
    EXPECT_EQ(uAssContAditivo::NumeroAditivo(802), 1) << "a contract without lines";
    linha(1, 801, 33, "A", "2024-01-01", "", 100, 4);
    carregar(801);
    aditivo([this](TfmAssContAditivo& f) {
        EXPECT_EQ(f.height(), 100);
        EXPECT_TRUE(f.pcAditivo->isHidden());
        EXPECT_TRUE(f.paBotoes->isHidden());
        EXPECT_TRUE(f.stayOnTop());
        EXPECT_EQ(f.gbOpcao->title(), "Escolha a opção desejada ");
        f.bbInc->click();
        EXPECT_EQ(f.height(), 330);
        EXPECT_FALSE(f.pcAditivo->isHidden());
        EXPECT_TRUE(f.tsInclusao->tabVisible());
        EXPECT_FALSE(f.tsSubstituicao->tabVisible());
        EXPECT_FALSE(f.tsDevolucao->tabVisible());
        incluiVeiculo31(f);
        f.bbLimpa->click();
        EXPECT_EQ(f.edIncVeic->text(), "");
        f.edIncVeic->setText("32");
        data(f.edIncData, 3, 3);
        dialogs->acknowledge("Operação efetuada com sucesso!");
        f.bbSalva->click();
        f.bbSair->click();
    });
    EXPECT_EQ(linhas(801), (QStringList{"33 A - 4 1/1..- 100 |", "31 A I 5 2/3..- 320 |", "32 A I 6 3/3..- 0 |"}));
    EXPECT_EQ(lido("select EVSTATUS from AUGC20EV where EVCODIGO in (31, 32) order by EVCODIGO"),
              (QStringList{"L", "L"}))
        << "the rented vehicles' status is committed with their lines";
}

TEST_F(ContAditivoJanelaTest, SubstitutionEndsOnlyTheActiveLineAndKeepsItsValueThroughClearing)
{
    linha(1, 801, 31, "I", "2023-01-01", "2023-12-31", 90, 1);
    linha(2, 801, 31, "A", "2024-01-01", "", 250, 2);
    linha(3, 802, 33, "I", "2023-01-01", "2023-06-30", 80, 1);
    carregar(801, 2);
    aditivo([this](TfmAssContAditivo& f) {
        EXPECT_EQ(f.edSubValor->value(), 250) << "the current line's value";
        f.bbSub->click();
        EXPECT_TRUE(f.tsSubstituicao->tabVisible());
        EXPECT_FALSE(f.tsInclusao->tabVisible());
        f.edSubVeicAnt->setText("x");
        f.bbLimpa->click();
        EXPECT_EQ(f.edSubVeicAnt->text(), "");
        EXPECT_EQ(f.edSubValor->value(), 250) << "never cleared";
        f.bbInc->click();
        f.bbSub->click();
        EXPECT_EQ(f.edSubValor->value(), 250);
        f.edSubVeicAnt->setText("31");
        f.edSubPlacaAnt->setText("PLC31");
        data(f.edSubData, 15, 3);
        f.edSubVeicNovo->setText("32");
        f.edSubPlacaNovo->setText("XYZ9999");
        dialogs->acknowledge("Operação efetuada com sucesso!");
        f.bbSalva->click();
        f.bbSair->click();
    });
    EXPECT_EQ(linhas(801), (QStringList{"31 I - 1 1/1..31/12 90 |", "31 I S 2 1/1..15/3 250 | Veículo substituição: XYZ9999",
                                        "32 A S 3 15/3..- 250 |"}))
        << "the earlier line of the vehicle keeps its end and marks";
    EXPECT_EQ(lido("select EVSTATUS from AUGC20EV where EVCODIGO = 31"), QStringList{"D"});

    // The old vehicle not active in the contract: nothing for it, the new line all the same,
    // with the value of the line current when the window was made.
    carregar(802);
    aditivo([this](TfmAssContAditivo& f) {
        f.bbSub->click();
        f.edSubVeicAnt->setText("33");
        data(f.edSubData, 1, 4);
        f.edSubVeicNovo->setText("33");
        f.edSubPlacaNovo->setText("NOVA333");
        dialogs->acknowledge("Operação efetuada com sucesso!");
        f.bbSalva->click();
        f.bbSair->click();
    });
    EXPECT_EQ(linhas(802), (QStringList{"33 I - 1 1/1..30/6 80 |", "33 A S 2 1/4..- 80 |"}));
}

TEST_F(ContAditivoJanelaTest, ASubstitutionValueRefusedOnShowEndsNoLine)
{
    linha(1, 801, 31, "A", "2024-01-01", "", 250, 1);
    carregar(801, 1);
    const QStringList antes = linhas(801);
    aditivo([this](TfmAssContAditivo& f) {
        f.bbSub->click();
        f.edSubVeicAnt->setText("31");
        f.edSubPlacaAnt->setText("PLC31");
        data(f.edSubData, 15, 3);
        f.edSubVeicNovo->setText("32");
        f.edSubPlacaNovo->setText("XYZ9999");
        f.edSubValor->setFocus();
        f.edSubValor->selectAll();
        QTest::keyClicks(f.edSubValor, "250.5");
        dialogs->acknowledge("Valor inválido: 250.5");
        f.bbSalva->click();
        EXPECT_EQ(dialogs->pending(), 0);
        f.edSubValor->selectAll();
        QTest::keyClicks(f.edSubValor, "250,5");   // mended, not saved
        QTest::keyClick(f.edSubValor, Qt::Key_Return);
        f.bbSair->click();
    });
    EXPECT_EQ(linhas(801), antes) << "the leaving line is not ended for a substitution refused";
}

TEST_F(ContAditivoJanelaTest, ReturnEndsTheActiveLineWithANewNumberAndLeavesTheOlderOnes)
{
    linha(1, 801, 31, "I", "2023-01-01", "2023-12-31", 90, 1);
    linha(2, 801, 31, "A", "2024-01-01", "", 250, 2);
    linha(3, 801, 32, "A", "2024-01-01", "", 60, 3);
    exec("update AUGC20EV set EVSTATUS = 'L' where EVCODIGO = 31");
    carregar(801);
    aditivo([this](TfmAssContAditivo& f) {
        f.bbDev->click();
        EXPECT_TRUE(f.tsDevolucao->tabVisible());
        // The search fills the vehicle and its plate.
        pesquisa("EVCODIGO", "31");
        f.sbDevPesqVeic->click();
        EXPECT_EQ(f.edDevVeic->text(), "31");
        EXPECT_EQ(f.edDevPlaca->text(), "PLC31");
        data(f.edDevData, 20, 3);
        dialogs->acknowledge("Operação efetuada com sucesso!");
        f.bbSalva->click();
        // A vehicle that is no longer active: nothing written, success all the same.
        dialogs->acknowledge("Operação efetuada com sucesso!");
        f.bbSalva->click();
        f.bbSair->click();
    });
    EXPECT_EQ(linhas(801), (QStringList{"31 I - 1 1/1..31/12 90 |", "31 I D 4 1/1..20/3 250 |",
                                        "32 A - 3 1/1..- 60 |"}));
    EXPECT_EQ(lido("select EVSTATUS from AUGC20EV where EVCODIGO = 31"), QStringList{"D"});
}

// Closing the lines of a vehicle that has none open on the contract (its
// open line is on another contract) is refused and writes nothing.
TEST_F(ContAditivoJanelaTest, ClosingAVehicleWithoutAnOpenLineOnTheContractIsRefused)
{
    linha(1, 801, 31, "I", "2023-01-01", "2023-12-31", 90, 1);
    linha(2, 802, 31, "A", "2024-01-01", "", 250, 2);
    tr().commitRetaining();
    carregar(801);
    dialogs->acknowledge("O veículo 31 não tem linhas em aberto no contrato 801.");
    EXPECT_THROW(dmTecContrato->EncerraLinhasVeiculo(
                     801, 31, {"D", QDateTime(QDate(2024, 3, 20), QTime(0, 0)), std::nullopt, 5}),
                 host::Abort);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(linhas(801), QStringList{"31 I - 1 1/1..31/12 90 |"});
    EXPECT_EQ(linhas(802), QStringList{"31 A - 2 1/1..- 250 |"});
}

TEST_F(ContAditivoJanelaTest, AReturnWhoseStatusCannotBeWrittenKeepsNoMarkOnItsLine)
{
    linha(2, 801, 31, "A", "2024-01-01", "", 250, 2);
    exec("update AUGC20EV set EVSTATUS = 'L' where EVCODIGO = 31");
    exec("create exception E_STATUS_PRESO 'status preso'");
    exec("create trigger T_STATUS_PRESO for AUGC20EV active before update position 0 as begin"
         " exception E_STATUS_PRESO; end");
    tr().commitRetaining();   // the trigger works from its commit on
    carregar(801);
    aditivo([this](TfmAssContAditivo& f) {
        f.bbDev->click();
        f.edDevVeic->setText("31");
        data(f.edDevData, 20, 3);
        dialogs->acknowledge("status preso");
        f.bbSalva->click();
        f.bbSair->click();
    });
    tr().commitRetaining();   // whatever was kept would now be stored
    EXPECT_EQ(linhas(801), QStringList{"31 A - 2 1/1..- 250 |"});
}

// An inclusion saved with nothing typed is refused: no line, no success, and
// the amendment number is still free for the next inclusion.
TEST_F(ContAditivoJanelaTest, AnEmptyInclusionIsRefusedAndTakesNoNumber)
{
    linha(1, 801, 33, "A", "2024-01-01", "", 100, 4);
    carregar(801);
    aditivo([this](TfmAssContAditivo& f) {
        f.bbInc->click();
        dialogs->acknowledge("Informe o veículo do aditivo.");
        f.bbSalva->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(dmTecContrato->quCtrVeiculo->state(), host::data::DatasetState::Browse);
        incluiVeiculo31(f);
        f.bbSair->click();
    });
    EXPECT_EQ(linhas(801), (QStringList{"33 A - 4 1/1..- 100 |", "31 A I 5 2/3..- 320 |"}));
}

TEST_F(ContAditivoJanelaTest, ATextVehicleStopsTheSaveWithoutTheSuccessMessage)
{
    carregar(801);
    aditivo([this](TfmAssContAditivo& f) {
        f.bbDev->click();
        f.edDevVeic->setText("abc");
        dialogs->acknowledge("não é um valor inteiro válido");
        f.bbSalva->click();
        f.bbSair->click();
    });
    EXPECT_EQ(linhas(801), QStringList{});
}

TEST_F(ContAditivoJanelaTest, PictureOfTheSubstitutionTab)
{
    linha(1, 801, 31, "A", "2024-01-01", "", 250, 1);
    carregar(801, 1);
    aditivo([](TfmAssContAditivo& f) {
        f.bbSub->click();
        f.edSubVeicAnt->setText("31");
        f.edSubPlacaAnt->setText("PLC31");
        guardaFoto(f, "fmAssContAditivo.png");
        f.bbSair->click();
    });
}

}  // namespace
}  // namespace moduletest

namespace moduletest {
namespace {

// The window opened over a contract whose lines no page has loaded yet, and
// then with no contract at all.
TEST_F(ContAditivoJanelaTest, AnInclusionIsSavedWhenTheContractsLinesWereNotLoaded)
{
    linha(1, 801, 33, "A", "2024-01-01", "", 100, 1);
    tr().commitRetaining();
    CarregaContrato(801);
    dmTecContrato->quCtrVeiculo->close();
    aditivo([this](TfmAssContAditivo& f) {
        f.bbInc->click();
        incluiVeiculo31(f);
        f.bbSair->click();
    });
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(linhas(801), (QStringList{"33 A - 1 1/1..- 100 |", "31 A I 2 2/3..- 320 |"}));

    dmTecContrato->quCtrCadastro->close();
    dmTecContrato->quCtrVeiculo->close();
    aditivo([this](TfmAssContAditivo& f) {
        f.bbInc->click();
        f.edIncVeic->setText("32");
        dialogs->acknowledge("Abra o contrato no cadastro antes de registrar o aditivo.");
        f.bbSalva->click();
        f.bbSair->click();
    });
    EXPECT_EQ(dialogs->pending(), 0);
    for (const QString& texto : dialogs->texts())
        EXPECT_FALSE(texto.contains("quCtr")) << texto.toStdString();
    EXPECT_EQ(lido("select count(*) from AATC05ACEV where EVCODIGO = 32"), QStringList{"0"});
}

// The lines listed are another contract's: a row still being typed there is
// stored with that contract before the list is loaded again, and an open list
// with no rows is recognised as another contract's too.
TEST_F(ContAditivoJanelaTest, AnInclusionReloadsAnotherContractsListKeepingItsTypedRow)
{
    linha(1, 801, 33, "A", "2024-01-01", "", 100, 1);
    tr().commitRetaining();
    carregar(802);
    host::data::Query& veiculos = *dmTecContrato->quCtrVeiculo;
    veiculos.append();
    veiculos.fieldByName("EVCODIGO")->setAsString("32");
    veiculos.fieldByName("ACEVVALOR")->setAsFloat(150);
    CarregaContrato(801);
    aditivo([this](TfmAssContAditivo& f) {
        f.bbInc->click();
        incluiVeiculo31(f);
        f.bbSair->click();
    });
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
    EXPECT_EQ(lido("select EVCODIGO || ' ' || cast(ACEVVALOR as integer) from AATC05ACEV where ACCODIGO = 802"),
              QStringList{"32 150"})
        << "the row typed on 802 is stored with 802";
    EXPECT_EQ(linhas(801).size(), 2);
    EXPECT_EQ(linhas(801).value(1).left(5), "31 A ");

    // 802 has no line left to tell whose list it is once emptied.
    exec("delete from AATC05ACEV where ACCODIGO = 802");
    tr().commitRetaining();
    carregar(802);
    ASSERT_TRUE(veiculos.isEmpty());
    CarregaContrato(801);
    aditivo([this](TfmAssContAditivo& f) {
        f.bbInc->click();
        f.edIncVeic->setText("32");
        f.edIncValor->setValue(90);
        dialogs->acknowledge("Operação efetuada com sucesso!");
        f.bbSalva->click();
        f.bbSair->click();
    });
    EXPECT_EQ(linhas(801).size(), 3) << "the inclusion goes to the contract amended";
    EXPECT_EQ(veiculos.recordCount(), 3) << "and the list shown is its own";
}

}  // namespace
}  // namespace moduletest
