// The text button of a line on the checkout's "Equipamentos Selecionados",
// on the demonstration's order as the first start leaves it: it opens and
// saves the configured line's own text (kept under minus its number, which
// the order prints and the contract copies), never the requested line's.

#include "tests/module/PrimeiroUsoFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Uobservacao.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"

#include <QComboBox>

namespace moduletest {
namespace {

class PrimeiroUsoTextoCheckoutTest : public PrimeiroUsoTest {
protected:
    TfmAssCheckout& checkoutDoPedido(const QString& numero)
    {
        TfmAssCheckoutConsulta& lista = abrirJanela(fmAssCheckoutConsulta, "fmAssCheckout");
        lista.cbStatus->setCurrentText("Todos");
        lista.bbPesquisar->click();
        EXPECT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", numero)) << vistos();
        lista.dbgdConsultaDblClick();
        EXPECT_NE(fmAssCheckout, nullptr);
        return *fmAssCheckout;
    }
    // The text button of the current line's description: what the editor
    // showed, then the text typed in its place and saved.
    QString textoDaLinha(host::ui::DataGrid* grade, const QString& novo)
    {
        QString mostrado;
        dialogs->modal("fmObservacao", [&mostrado, novo](host::ui::Form& janela) {
            auto& obs = static_cast<TfmObservacao&>(janela);
            mostrado = obs.dbmeObservacao->text();
            obs.dbmeObservacao->setFocus();
            QTest::keyClick(obs.dbmeObservacao, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(obs.dbmeObservacao, novo);
            QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
        });
        grade->setSelectedIndex(grade->columnByField("DESCRICAO")->index());
        grade->editButtonClick();
        return mostrado;
    }
    QStringList textosDoPedido()
    {
        return lido("select OBSEQUENCIA || ':' || OBTEXTO from AUGC70OB where OBID = 'V' and OBCODIGO = '000002'"
                    " and OBSEQUENCIA between -99 and 99 order by OBSEQUENCIA");
    }
};

TEST_F(PrimeiroUsoTextoCheckoutTest, TheTextButtonEditsTheConfiguredLinesOwnText)
{
    // The requested line's text, typed on the order.
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO)"
         " values ('000002', 'V', 1, 'Gerador para o centro cirúrgico')");
    tr().commitRetaining();
    TfmAssCheckout& form = checkoutDoPedido("000002");
    clicaAba(form.pcCheckout, form.tsEquipSelecionados);
    host::ui::DataGrid* grade = form.dbgdAssCheckoutEquip;
    novaLinhaNaGrade(grade, "CODIGO", "L0001");
    SalvarAlteracoes(*dmTec->quAssVendaCotado);
    const int cod = dmTec->quAssVendaCotado->fieldByName("COD")->asInteger();
    ASSERT_GT(cod, 0) << vistos();

    EXPECT_EQ(textoDaLinha(grade, "Gerador 5 kVA com carenagem"), "");
    EXPECT_EQ(textoDaLinha(grade, "Gerador 5 kVA, carenagem azul"), "Gerador 5 kVA com carenagem")
        << "the button opens the line's own text again";
    EXPECT_EQ(textosDoPedido(), (QStringList{QString("%1:Gerador 5 kVA, carenagem azul").arg(-cod),
                                             "1:Gerador para o centro cirúrgico"}))
        << vistos();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

}  // namespace
}  // namespace moduletest
