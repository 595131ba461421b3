// Enter in a box of a window that has a default button presses that button,
// in every window of the module that sets one (the service-order search is
// tested through its own window in PesquisaOrdemServicoTest).

#include "tests/module/ModuleFixture.h"

#include "contracts/uPesqAssContratos.h"
#include "host/Upesqprod.h"
#include "rental/uAssEquipamentoLocacao.h"
#include "rental/uPesqAssContratosLocEquip.h"
#include "service_orders/uAssOrdemServicoFecha.h"
#include "service_orders/uPesqAssOrdemServicoSimples.h"
#include "shared_windows/uPesqAssDefeitos.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace moduletest {
namespace {

QPushButton* botaoPadrao(QWidget& janela)
{
    for (QPushButton* botao : janela.findChildren<QPushButton*>())
        if (botao->isDefault())
            return botao;
    return nullptr;
}

// The first control the user types in or ticks (a box, a list, a check
// box), a box that takes typing first; buttons, grids and memos answer
// Enter themselves.
QWidget* primeiroCampo(QWidget& janela)
{
    auto usavel = [](QWidget* w) {
        return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
               !qobject_cast<QPushButton*>(w) && !qobject_cast<QToolButton*>(w) &&
               !qobject_cast<QAbstractItemView*>(w) && !qobject_cast<QAbstractScrollArea*>(w);
    };
    for (QLineEdit* caixa : janela.findChildren<QLineEdit*>())
        if (usavel(caixa) && !caixa->isReadOnly())
            return caixa;
    for (QWidget* campo : janela.findChildren<QWidget*>())
        if (usavel(campo))
            return campo;
    return nullptr;
}

// Enter typed in the window's first control presses its default button once.
void enterPressionaOPadrao(QWidget& janela)
{
    QPushButton* padrao = botaoPadrao(janela);
    ASSERT_NE(padrao, nullptr) << janela.objectName().toStdString();
    QWidget* caixa = primeiroCampo(janela);
    ASSERT_NE(caixa, nullptr) << janela.objectName().toStdString();
    QSignalSpy pressionado(padrao, &QPushButton::clicked);
    caixa->setFocus();
    QTest::keyClick(caixa, Qt::Key_Return);
    EXPECT_EQ(pressionado.count(), 1) << janela.objectName().toStdString();
}

template <class T>
void abertaPelaVariavel(host::ui::FormVar<T>& variavel)
{
    T* janela = variavel.create();
    janela->showNonModal();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(janela));
    enterPressionaOPadrao(*janela);
    if (T* aberta = variavel.get())
        aberta->close();
}

using EnterBotaoPadraoTest = ModuleTest;

TEST_F(EnterBotaoPadraoTest, EnterInABoxPressesTheDefaultButtonOfEveryWindowThatSetsOne)
{
    uPackageAss::ShowJanelaTec("fmAssTecnico");
    abertaPelaVariavel(fmPesquisaAssEquipamento);
    abertaPelaVariavel(fmPesquisaAssDefeitos);
    abertaPelaVariavel(fmPesquisaAssOrdemServicoSimples);
    abertaPelaVariavel(fmPesquisaAssContratos);
    abertaPelaVariavel(fmPesquisaAssContratosLocEquip);
    dialogs->acknowledge("Informe os dados requeridos!");   // its OK, with nothing chosen
    abertaPelaVariavel(fmAssOrdemServicoFecha);
    abertaPelaVariavel(fmAssEquipamentoLocacao);

    // The host's quantity and price box of a product: Enter confirms it.
    dialogs->modal("fmProdutoQuantidade", [](host::ui::Form& janela) { enterPressionaOPadrao(janela); });
    double quantidade = 0, preco = 0, total = 0, desconto = 0;
    QString auxiliar;
    EXPECT_TRUE(SelecionaProdutoQuantidade("P0001", quantidade, preco, total, desconto, true, auxiliar));
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
