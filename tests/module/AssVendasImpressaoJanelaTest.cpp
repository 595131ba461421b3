// The assistance-order window's print buttons: what "&Produção"/"&Proposta"
// and "&Locação" print by the order mode and the order's kind, read back from
// the viewer they leave open.

#include "tests/module/AssVendasFixture.h"

#include "host/report/Uvisualrel.h"
#include "rental/uAssImpProposta.h"

#include <QApplication>

namespace moduletest {
namespace {

class AssVendasImpressaoTest : public AssVendasJanelaTest {
protected:
    // The text of the one viewer left open ("" when none), which is closed.
    static QString visualizado()
    {
        QString texto;
        int abertos = 0;
        for (QWidget* janela : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<TfmVisualizadorRelatorio*>(janela); v && !v->released() && v->isVisible()) {
                ++abertos;
                texto = v->pages().textDump();
                v->close();
            }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_LE(abertos, 1);
        return texto;
    }
    TfmAssVendas& abrirNo(const QString& numero)
    {
        TfmAssVendas& form = abrir();
        form.sbProximo->click();
        EXPECT_EQ(cab("NUMERO_PEDIDO").asString(), numero);
        return form;
    }
};

TEST_F(AssVendasImpressaoTest, ModeEPrintsTheProposalLetterOfAProposalAndFreesItsReport)
{
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    pedido("00301", "0");
    linhas("00301", 1);
    TfmAssVendas& form = abrirNo("00301");
    EXPECT_EQ(form.bbProducao->text(), "&Proposta");
    form.bbProducao->click();
    EXPECT_TRUE(visualizado().contains("00301"));
    EXPECT_EQ(qrAssImpProposta.get(), nullptr) << "the letter's report is freed; the viewer kept its pages";
    fechar(form);
}

TEST_F(AssVendasImpressaoTest, AnOrderInModeEOrAnyInModeCPrintsTheProductionOrderAndOtherModesNothing)
{
    pedido("00302", "1");
    linhas("00302", 2);
    parametro("ATMODOPEDIDOASSISTENCIA", "E");
    TfmAssVendas& form = abrirNo("00302");
    EXPECT_EQ(form.bbProducao->text(), "&Produção");
    form.bbProducao->click();
    const QString producao = visualizado();
    EXPECT_TRUE(producao.contains("Pedido 00302")) << producao.toStdString();
    EXPECT_FALSE(producao.contains("Ref.: Proposta"));

    parametro("ATMODOPEDIDOASSISTENCIA", "C");
    form.bbProducao->click();
    EXPECT_TRUE(visualizado().contains("Pedido 00302"));

    parametro("ATMODOPEDIDOASSISTENCIA", "");
    dialogs->acknowledge("Nada foi impresso: o pedido de produção e a carta de proposta só são impressos");
    form.bbProducao->click();
    EXPECT_EQ(visualizado(), "") << "no document outside modes C and E";
    EXPECT_EQ(dialogs->pending(), 0) << "it says why";
    fechar(form);
}

TEST_F(AssVendasImpressaoTest, LocacaoPrintsTheRentalOrderInAnyMode)
{
    pedido("00303", "1");
    linhas("00303", 1);
    TfmAssVendas& form = abrirNo("00303");
    form.bbLocacao->click();
    const QString locacao = visualizado();
    EXPECT_TRUE(locacao.contains("Pedido 00303")) << locacao.toStdString();
    fechar(form);
}

}  // namespace
}  // namespace moduletest
