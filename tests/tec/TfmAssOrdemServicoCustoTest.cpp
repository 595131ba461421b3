// The cost formation dialog driven offscreen: seeding from the product's
// composition (once), the total shown and returned, the product search that
// values a line at its cost, recalculation, and the clean-up of every way out.

#include "tests/tec/TotaisFixture.h"

#include "service_orders/uAssOrdemServicoCusto.h"

#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"
#include "host/ui/SearchWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace tectest {
namespace {

using host::ui::Form;

class CustoDialogoTest : public TotaisTest {
protected:
    void SetUp() override
    {
        TotaisTest::SetUp();
        host::ui::Layouts::setFolder(layouts.path());
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('S1', 'Revisão', 90)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO) values ('C1', 'Cabo', 5, 3)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, PCO_CUSTO) values ('C2', 'Solda', 2, 1.5)");
        exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMVALOR, CMQUANTIDADE) values ('S1', 2, 'C1',"
             " 3, 2)");
        exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMVALOR, CMQUANTIDADE) values ('S1', 1, 'C2',"
             " 1.5, 4)");
        servico(7, 3, 0);
        CarregaOrdemServico(7);
        dmTec->CarregaOSAndamento(7, 0);
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        host::ui::Layouts::setFolder({});
        TotaisTest::TearDown();
    }
    static TfmAssOrdemServicoCusto& janela(Form& form) { return static_cast<TfmAssOrdemServicoCusto&>(form); }
    static QStringList produtos(Form& form)
    {
        return coluna(*janela(form).dbgdAssOrdemServicoCusto->dataset(), "PRCODIGO");
    }
    void fechado()
    {
        EXPECT_FALSE(dmTec->quOSCusto->active());
        EXPECT_TRUE(dmTec->sTipoCustoOS.isEmpty());
        EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 0);
        EXPECT_FALSE(fmAssOrdemServicoCusto);
    }
    QTemporaryDir layouts;
};

TEST_F(CustoDialogoTest, ALineIsSeededOnceFromItsCompositionAndItsTotalReturned)
{
    dialogos->modal("fmAssOrdemServicoCusto", [](Form& form) {
        EXPECT_EQ(form.windowTitle(), "Formação de Custo");
        EXPECT_EQ(produtos(form), (QStringList{"C2", "C1"})) << "in composition sequence";
        EXPECT_EQ(janela(form).paBase->text(), "Valor Total R$ 12,00    ");
        EXPECT_DOUBLE_EQ(dmTec->quOSCustoAFVALOR->asFloat(), 3) << "the composition's value, not the price";
        form.close();
    });
    double valor = -1;
    SelecionaOSCusto("S", "S1", 7, 3, valor);
    EXPECT_DOUBLE_EQ(valor, 12);
    fechado();
    EXPECT_EQ(one("select count(*) from AATC08AF where AOCODIGO = 7 and AACODIGO = 3 and AFID = 'S'").toInt(), 2);

    dialogos->modal("fmAssOrdemServicoCusto", [](Form& form) {
        EXPECT_EQ(produtos(form).size(), 2) << "never seeded again";
        form.close();
    });
    SelecionaOSCusto("S", "S1", 7, 3, valor);
    EXPECT_DOUBLE_EQ(valor, 12);
}

TEST_F(CustoDialogoTest, AProductWithoutCompositionShowsZeroAndRecalculatingAnEmptyGridOnlyInforms)
{
    dialogos->modal("fmAssOrdemServicoCusto", [](Form& form) {
        EXPECT_TRUE(produtos(form).isEmpty());
        EXPECT_EQ(janela(form).paBase->text(), "Valor Total R$ 0,00    ");
        QTest::mouseClick(janela(form).bbRecalcular, Qt::LeftButton);
        form.close();
    });
    dialogos->acknowledge("Operação efetuada com sucesso!");
    double valor = -1;
    SelecionaOSCusto("S", "C1", 7, 3, valor);
    EXPECT_DOUBLE_EQ(valor, 0);
    EXPECT_EQ(dialogos->pending(), 0);
    fechado();
}

TEST_F(CustoDialogoTest, TheProductSearchValuesALineAtItsCostAndTheTotalFollows)
{
    dialogos->modal("fmAssOrdemServicoCusto", [](Form& form) {
        TfmAssOrdemServicoCusto& custo = janela(form);
        custo.dbgdAssOrdemServicoCusto->dataset()->last();
        custo.dbgdAssOrdemServicoCusto->dataset()->append();
        custo.dbgdAssOrdemServicoCusto->editButtonClick();
        EXPECT_EQ(dmTec->quOSCustoPRCODIGO->asString(), "C1");
        EXPECT_EQ(dmTec->quOSCustoDESCRICAO->asString(), "Cabo");
        EXPECT_DOUBLE_EQ(dmTec->quOSCustoAFVALOR->asFloat(), 3) << "the cost, not the sale price 5";
        dmTec->quOSCustoAFQUANTIDADE->setText("10");
        dmTec->quOSCusto->post();
        EXPECT_EQ(custo.paBase->text(), "Valor Total R$ 42,00    ") << "12 seeded + 30";
        // A line's value changed behind the dialog is taken by Recalcular.
        dmTec->quOSCusto->first();
        dmTec->quOSCusto->edit();
        dmTec->quOSCustoAFVALOR->setAsFloat(2);   // C2: 4 x 2
        dmTec->quOSCusto->post();
        QTest::mouseClick(custo.bbRecalcular, Qt::LeftButton);
        EXPECT_DOUBLE_EQ(dmTec->rTotalCustoOS, 44);
        dmTec->quOSCusto->last();
        EXPECT_DOUBLE_EQ(dmTec->quOSCustoAFVALORACUMULADO->asFloat(), 44);
        // One remove a line: a remove that deletes nothing ends the loop.
        for (int linhas = dmTec->quOSCusto->recordCount(); linhas > 0 && !dmTec->quOSCusto->isEmpty(); --linhas)
            dmTec->quOSCusto->remove();
        EXPECT_TRUE(dmTec->quOSCusto->isEmpty()) << "a line stayed after one remove per line";
        EXPECT_EQ(custo.paBase->text(), "Valor Total R$ 0,00    ") << "the last line deleted";
        form.close();
    });
    dialogos->modal("fmPesquisa", [](Form& form) {
        auto& pesquisa = static_cast<host::ui::SearchWindow&>(form);
        QTest::keyClicks(pesquisa.grid(), "cabo");
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    dialogos->acknowledge("Operação efetuada com sucesso!");
    double valor = -1;
    SelecionaOSCusto("S", "S1", 7, 3, valor);
    EXPECT_DOUBLE_EQ(valor, 0);
    fechado();
}

TEST_F(CustoDialogoTest, AFailureWhileShownStillCleansUpAndWritesNothing)
{
    dialogos->modal("fmAssOrdemServicoCusto", [](Form&) { throw std::runtime_error("falha"); });
    double valor = -1;
    EXPECT_ANY_THROW(SelecionaOSCusto("S", "S1", 7, 3, valor));
    EXPECT_DOUBLE_EQ(valor, -1);
    fechado();
}

}  // namespace
}  // namespace tectest
