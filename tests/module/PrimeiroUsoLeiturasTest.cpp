// Meter readings typed with F10 on the contract register, on the database
// the first start makes with the meters' contract option: every F10 asks
// and stores its readings, the item selected again included; a run that
// stores none says so.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contract_data/uDataTecCont.h"
#include "contracts/uAssContCad.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

#include <QDateTime>
#include <QTest>

#include <algorithm>
#include <utility>

namespace moduletest {
namespace {

class PrimeiroUsoLeiturasTest : public PrimeiroUsoTest {
protected:
    void SetUp() override
    {
        PrimeiroUsoTest::SetUp();
        parametro("ATOPCAOCONTRATO", "C");
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('10001', 'Metalurgica Horizonte Ltda')");
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACSITUACAO, ACLOCAL,"
             " ACPERIODO, ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, ACTIPODESC)"
             " values (60, 'HZ-C1', '10001', '10001', 'A', '01', 'M', 'A', 10, 'S', 300, 'Manutenção Preventiva')");
        exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, ACITNUMEROSERIE)"
             " values (60, 60, '10001', 'S0003', 300, 'COP-1')");
        exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (1, 'Contador geral', 'M')");
    }
    // The register on the contract's items page.
    TfmAssContCad& abrirItens()
    {
        TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
        CarregaContrato(60);
        clicaAba(form.pcContrato, form.tsItens);
        return form;
    }
    // The item's row clicked in the grid, then F10 pressed there.
    void f10(TfmAssContCad& form)
    {
        host::ui::DataGrid* grade = form.dbgdAssContCadItem;
        grade->setFocus();
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(grade->model()->index(0, 1)).center());
        QTest::keyClick(grade, Qt::Key_F10);
    }
    QStringList leituras() const
    {
        return lido("select cast(ACITCOCONTADORTOTAL as integer) from AATC05ACITCO where ACITCODIGO = 60"
                    " order by ACITCOCODIGO");
    }
};

TEST_F(PrimeiroUsoLeiturasTest, EachF10OnTheItemStoresItsReadingAndARunStoringNoneSaysSo)
{
    TfmAssContCad& form = abrirItens();

    dialogs->enter("05/02/2027", "Informe a data").enter("5000", "Informe o contador");
    f10(form);
    EXPECT_EQ(leituras(), QStringList{"5000"}) << vistos();

    dialogs->enter("05/03/2027", "Informe a data").enter("6200", "Informe o contador");
    f10(form);
    EXPECT_EQ(leituras(), (QStringList{"5000", "6200"})) << vistos();
    const auto& pedidos = dialogs->shown();
    const auto contador = std::find_if(pedidos.rbegin(), pedidos.rend(), [](const host::ui::DialogRequest& pedido) {
        return pedido.text == "Informe o contador";
    });
    ASSERT_NE(contador, pedidos.rend());
    EXPECT_EQ(contador->value, "5000") << "the last reading offered as the register shows it";
    EXPECT_EQ(dialogs->texts().filter("Operação efetuada com sucesso.").size(), 2) << vistos();

    dialogs->enter("05/04/2027", "Informe a data").cancel();
    f10(form);
    EXPECT_EQ(leituras(), (QStringList{"5000", "6200"}));
    EXPECT_EQ(dialogs->texts().last(), "Nenhum contador foi lançado.") << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

// 1.000 copies a month allowed; March read twice with F10 (a correction,
// or the second desk): April's excess is the 400 above the allowance.
TEST_F(PrimeiroUsoLeiturasTest, AReadingTypedTwiceOnADayCountsOnceInTheNextMonthsExcess)
{
    exec("update AATC05ACIT set ACITQUANTIDADE = 1000, ACITVALOREXCEDENTE = 0.1 where ACITCODIGO = 60");
    TfmAssContCad& form = abrirItens();
    const std::pair<const char*, const char*> lidas[] = {
        {"05/02/2027", "5000"}, {"05/03/2027", "6200"}, {"05/03/2027", "6200"}, {"05/04/2027", "7600"}};
    for (const auto& [dia, contador] : lidas) {
        dialogs->enter(dia, "Informe a data").enter(contador, "Informe o contador");
        f10(form);
    }
    ASSERT_EQ(leituras(), (QStringList{"5000", "6200", "6200", "7600"})) << vistos();
    double consumo = 0;
    EXPECT_EQ(dmTecContrato->CalculaValorExcedente(60, QDateTime(QDate(2027, 4, 10), QTime(0, 0)), "I", consumo, 60),
              400);
    EXPECT_EQ(consumo, 1400);
}

TEST_F(PrimeiroUsoLeiturasTest, AReadingBelowTheLastIsToldAsItIsTyped)
{
    TfmAssContCad& form = abrirItens();
    dialogs->enter("05/05/2031", "Informe a data").enter("1300", "Informe o contador");
    f10(form);
    dialogs->enter("05/06/2031", "Informe a data").enter("130", "Informe o contador");
    dialogs->acknowledge("o contador informado (130) é menor que o último lançado para este medidor (1.300 em "
                         "05/05/2031)");
    f10(form);
    EXPECT_EQ(leituras(), (QStringList{"1300", "130"})) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

// The item's first reading names a meter: the one chosen when several are
// registered (a group is none), and every later reading the same one; each
// is listed among the contract's readings.
TEST_F(PrimeiroUsoLeiturasTest, TheFirstReadingNamesTheMeterChosenAndTheNextOnesTheSame)
{
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (2, 'Colorido', 'M')");
    exec("insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (3, 'Grupo das copiadoras', 'G')");
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    CarregaContrato(60);
    clicaAba(form.pcContrato, form.tsItens);

    dialogs->enter("05/02/2027", "Informe a data").enter("2 - Colorido", "Informe o medidor").enter("5000",
                                                                                                  "Informe o contador");
    f10(form);
    dialogs->enter("05/03/2027", "Informe a data").enter("6200", "Informe o contador");
    f10(form);
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    const auto medidores = std::count_if(dialogs->shown().begin(), dialogs->shown().end(),
                                         [](const host::ui::DialogRequest& pedido) {
                                             return pedido.text == "Informe o medidor";
                                         });
    EXPECT_EQ(medidores, 1) << "asked for the first reading only";
    EXPECT_EQ(lido("select cast(ACITCOCONTADORTOTAL as integer) || '|' || COCODIGO from AATC05ACITCO"
                   " where ACITCODIGO = 60 order by ACITCOCODIGO"),
              (QStringList{"5000|2", "6200|2"}));
    EXPECT_EQ(dmTecContrato->quCtrCadastroItCo->recordCount(), 2) << "both listed with the contract's readings";
}

}  // namespace
}  // namespace moduletest
