// The demonstration's proposal printed from the assistance-order window on
// the first start: under the default order mode "&Produção" says why it
// prints nothing; with mode "E" and the branch's name, tax number and web
// site typed in "Sistema > Parâmetros", the letter prints the branch's own
// data, no placeholder.

#include "tests/module/PrimeiroUsoFixture.h"
#include "tests/module/ParametrosNaJanela.h"

#include "data/uDataTec.h"
#include "host/Uparametros.h"
#include "host/Uprincipal.h"
#include "host/report/Controls.h"
#include "host/report/Uvisualrel.h"
#include "rental/uAssVendas.h"

#include <QApplication>

#include <cmath>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class PrimeiroUsoCartaPropostaTest : public PrimeiroUsoTest {
protected:
    // The text of the one letter viewer left open ("" when none), which is closed.
    static QString visualizado()
    {
        QString texto;
        for (QWidget* janela : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<TfmVisualizadorRelatorio*>(janela); v && !v->released() && v->isVisible()) {
                texto += v->pages().textDump();
                v->close();
            }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return texto;
    }
    TfmAssVendas& propostaNaTela()
    {
        TfmAssVendas& form = abrirJanela(fmAssVendas, "fmAssVenda");
        CarregaPedidoAssVenda("000001", "");
        EXPECT_EQ(dmTec->campoPedido("NUMERO_PEDIDO").asString(), "000001");
        return form;
    }
};

TEST_F(PrimeiroUsoCartaPropostaTest, UnderTheDefaultModeProductionSaysWhyItPrintsNothing)
{
    TfmAssVendas& form = propostaNaTela();
    form.bbProducao->click();
    EXPECT_EQ(visualizado(), "");
    ASSERT_EQ(dialogs->shown().size(), 1u) << vistos();
    EXPECT_TRUE(dialogs->shown()[0].text.startsWith(
        "Nada foi impresso: o pedido de produção e a carta de proposta só são impressos com o modo do pedido de"
        " assistência \"C\" ou \"E\""))
        << vistos();
}

TEST_F(PrimeiroUsoCartaPropostaTest, TheLetterPrintsTheBranchsTaxNumberAndWebSite)
{
    TfmParametros* parametros = parametrosDoMenu(*principal);
    ASSERT_NE(parametros, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parametros));
    const int modo = linhaDe(parametros->grdParametros, 0, "ATMODOPEDIDOASSISTENCIA");
    digitaNaCelula(parametros->grdParametros, modo, 1, "E");
    const int filial = linhaDe(parametros->grdFiliais, 0, "01");
    digitaNaCelula(parametros->grdFiliais, filial, 1, "Locadora Cimento Forte");
    digitaNaCelula(parametros->grdFiliais, filial, 2, "12.345.678/0001-90");
    digitaNaCelula(parametros->grdFiliais, filial, 3, "www.cimentoforte.com.br");
    dialogs->acknowledge("Parâmetros gravados.");
    parametros->bbSalvar->click();
    parametros->close();
    EXPECT_EQ(lido("select NOME || '|' || CNPJ || '|' || SITE from EA where CODIGO = '01'"),
              QStringList{"Locadora Cimento Forte|12.345.678/0001-90|www.cimentoforte.com.br"});

    TfmAssVendas& form = propostaNaTela();
    EXPECT_EQ(form.bbProducao->text(), "&Proposta");
    form.bbProducao->click();
    const QString carta = visualizado();
    EXPECT_TRUE(carta.contains("Locadora Cimento Forte - CNPJ: 12.345.678/0001-90")) << carta.toStdString();
    EXPECT_TRUE(carta.contains("www.cimentoforte.com.br")) << carta.toStdString();
    EXPECT_FALSE(carta.contains("00.000.000/0000-00") || carta.contains("www.empresa.com.br")) << carta.toStdString();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

// Every condition of the letter, second lines among them, has the height its
// lines need at the font it prints with, on a screen's pixels too.
TEST_F(PrimeiroUsoCartaPropostaTest, EveryConditionOfTheLetterShowsWhole)
{
    dmGlobal->SetParametro("ATMODOPEDIDOASSISTENCIA", "E");
    TfmAssVendas& form = propostaNaTela();
    form.bbProducao->click();
    int conferidos = 0;
    for (QWidget* janela : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<TfmVisualizadorRelatorio*>(janela); v && !v->released() && v->isVisible()) {
            for (const host::report::PreparedPage& pagina : v->pages().pages)
                for (const host::report::PlacedBand& faixa : pagina.bands)
                    for (const host::report::PlacedItem& item : faixa.items)
                        if (item.name.startsWith("qrlaCondicaoTexto")) {
                            ++conferidos;
                            // A viewer draws each line on whole pixels: a pixel more a line at 72 dpi.
                            const double linha = host::report::textHeight("X", item.font, item.rect.width(), false, false);
                            const double altura =
                                host::report::textHeight(item.text, item.font, item.rect.width(), true, false);
                            EXPECT_GE(item.rect.height() + 0.01, altura + (std::round(altura / linha) + 1) * 25.4 / 72)
                                << item.name.toStdString() << ": " << item.text.toStdString();
                        }
            v->close();
        }
    EXPECT_EQ(conferidos, 11) << vistos();
}

}  // namespace
}  // namespace moduletest
