// Meter readings typed with F10 on the contract register, on the database
// the first start makes with the meters' contract option: every F10 asks
// and stores its readings, the item selected again included; a run that
// stores none says so.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contract_data/uDataTecCont.h"
#include "contracts/uAssContCad.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"

#include <QTest>

#include <algorithm>

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
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    CarregaContrato(60);
    clicaAba(form.pcContrato, form.tsItens);

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
