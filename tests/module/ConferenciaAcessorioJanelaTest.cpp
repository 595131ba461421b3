// The accessory check of the service-order window (demonstration order 42
// with two accessories): scanned codes typed into the check window, the
// confirmed accessory read back through another connection once the order
// is saved, the red rows, F1 and the button each opening a window.

#include "tests/module/OrdemServicoEntradaFixture.h"

#include "data/uDataTec.h"
#include "host/data/Query.h"
#include "host/schema/HostSchema.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataEdit.h"
#include "service_orders/uAssConferenciaAcessorios.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class ConferenciaAcessorioTest : public OrdemServicoEntradaTest {
protected:
    void SetUp() override
    {
        OrdemServicoEntradaTest::SetUp();
        ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
        exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (42, 1, 'Cabo de força')");
        exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (42, 2, 'Controle remoto')");
        exec("insert into AATC01AR (AOCODIGO, ARSEQUENCIA, ARDESCRICAO) values (43, 1, 'Filtro')");
        tr().commitRetaining();
    }
    TfmAssConferenciaAcessorio& conferir(TfmAssOrdemServico& form)
    {
        form.bbConferir->click();
        TfmAssConferenciaAcessorio* janela = fmAssConferenciaAcessorio.get();
        EXPECT_NE(janela, nullptr);
        return *janela;
    }
    static void digitar(TfmAssConferenciaAcessorio& janela, const QString& codigo)
    {
        janela.mdCodigo->setFocus();
        QTest::keyClicks(janela.mdCodigo, codigo);
    }
    // ARCONFERIDO of each accessory as another attachment reads it.
    QStringList conferidosGravados()
    {
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction leitura(outra);
        QStringList linhas;
        for (const auto& [ordem, sequencia] : {std::pair{42, 1}, std::pair{42, 2}, std::pair{43, 1}})
            linhas << host::db::selectValue(leitura, QString("select coalesce(ARCONFERIDO, '-') from AATC01AR "
                                                             "where AOCODIGO = %1 and ARSEQUENCIA = %2")
                                                         .arg(ordem)
                                                         .arg(sequencia))
                          .toString();
        return linhas;
    }
    static int janelasConferencia()
    {
        int n = 0;
        for (QWidget* janela : QApplication::topLevelWidgets())
            if (auto* conferencia = qobject_cast<TfmAssConferenciaAcessorio*>(janela); conferencia && !conferencia->released())
                ++n;
        return n;
    }
    static QColor corDoAcessorio(TfmAssOrdemServico& form, int sequencia)
    {
        EXPECT_TRUE(dmTec->quOSAcessorios->locate("ARSEQUENCIA", sequencia));
        host::ui::CellStyle estilo;
        form.dbgdAcessoriosDrawColumnCell(estilo);
        return estilo.background;
    }
};

TEST_F(ConferenciaAcessorioTest, TheTwelfthCharacterConfirmsTheAccessoryAndClearsTheEdit)
{
    TfmAssOrdemServico& form = abrir();
    TfmAssConferenciaAcessorio& janela = conferir(form);
    EXPECT_EQ(janela.caption(), "Conferência de Acessórios");
    EXPECT_EQ(janela.laInformeCodigo->text(), "Informe o Código do acessório");
    EXPECT_TRUE(janela.stayOnTop());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&janela));
    EXPECT_EQ(QApplication::focusWidget(), janela.mdCodigo) << "ready for the scanner";

    digitar(janela, "00000004200");
    EXPECT_EQ(janela.mdCodigo->text(), "00000004200") << "eleven characters wait for the twelfth";
    digitar(janela, "2");
    EXPECT_EQ(janela.mdCodigo->text(), "");
    EXPECT_EQ(one("select ARCONFERIDO from AATC01AR where AOCODIGO = 42 and ARSEQUENCIA = 2").toString(), "S");
    EXPECT_EQ(conferidosGravados(), (QStringList{"-", "-", "-"})) << "not committed by the check";
    digita(form.dbedContato, "Sr. Paulo Souza");
    form.bbSalvar->click();
    EXPECT_EQ(conferidosGravados(), (QStringList{"-", "S", "-"})) << "the order's next save commits it";
    EXPECT_EQ(dialogs->shown().size(), 0u);
}

TEST_F(ConferenciaAcessorioTest, SalvarWithNothingElseChangedOrTheCloseStoresTheConfirmation)
{
    TfmAssOrdemServico& form = abrir();
    TfmAssConferenciaAcessorio& janela = conferir(form);
    digitar(janela, "000000042002");
    ASSERT_EQ(conferidosGravados(), (QStringList{"-", "-", "-"}));
    QTest::mouseClick(form.bbSalvar, Qt::LeftButton);
    EXPECT_EQ(conferidosGravados(), (QStringList{"-", "S", "-"})) << "the save commits what waited for it";

    digitar(janela, "000000042001");
    form.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssOrdemServico.get(), nullptr);
    EXPECT_EQ(conferidosGravados(), (QStringList{"S", "S", "-"})) << "closing the order stores it too";
    EXPECT_EQ(dialogs->shown().size(), 0u);
}

TEST_F(ConferenciaAcessorioTest, CodesOfAnotherOrderOrOfNoAccessoryChangeNothingAndSayNothing)
{
    TfmAssOrdemServico& form = abrir();
    TfmAssConferenciaAcessorio& janela = conferir(form);
    for (const QString& codigo : {QString("000000043001"), QString("000000042009"), QString("0000000420A1"),
                                  QString("ABCDEFGHIJKL")}) {
        digitar(janela, codigo);
        EXPECT_EQ(janela.mdCodigo->text(), "") << codigo.toStdString() << ": cleared all the same";
    }
    EXPECT_EQ(one("select count(*) from AATC01AR where ARCONFERIDO = 'S'").toInt(), 0);
    EXPECT_EQ(dialogs->shown().size(), 0u);

    // The window checks against the order the service-order window shows now.
    uPackageAss::ShowJanelaTec("fmAssOrdemServico;43");
    digitar(janela, "000000043001");
    EXPECT_EQ(one("select ARCONFERIDO from AATC01AR where AOCODIGO = 43").toString(), "S");
    EXPECT_EQ(one("select count(*) from AATC01AR where ARCONFERIDO = 'S'").toInt(), 1);
}

TEST_F(ConferenciaAcessorioTest, AConfirmedAccessoryTurnsRedOnceItsListIsReopened)
{
    TfmAssOrdemServico& form = abrir();
    aba(form, form.tsObservacao);
    ASSERT_EQ(form.dbgdAcessorios->model()->rowCount(), 2);
    TfmAssConferenciaAcessorio& janela = conferir(form);
    digitar(janela, "000000042001");
    EXPECT_NE(corDoAcessorio(form, 1), QColor(Qt::red)) << "the list still holds the row as read";
    aba(form, form.tsItens);
    aba(form, form.tsObservacao);
    EXPECT_EQ(corDoAcessorio(form, 1), QColor(Qt::red));
    host::ui::CellStyle estilo;
    form.dbgdAcessoriosDrawColumnCell(estilo);
    EXPECT_EQ(estilo.foreground, QColor(Qt::white));
    EXPECT_FALSE(corDoAcessorio(form, 2).isValid()) << "the other keeps the grid's colours";
}

TEST_F(ConferenciaAcessorioTest, F1AndTheButtonEachOpenAFurtherWindow)
{
    TfmAssOrdemServico& form = abrir();
    EXPECT_EQ(form.bbConferir->text(), "Conferir Acessório ");
    form.dbedAtendente->setFocus();
    QTest::keyClick(form.dbedAtendente, Qt::Key_F1);
    TfmAssConferenciaAcessorio* primeira = fmAssConferenciaAcessorio.get();
    ASSERT_NE(primeira, nullptr);
    EXPECT_EQ(janelasConferencia(), 1);
    form.bbConferir->click();
    EXPECT_EQ(janelasConferencia(), 2);
    TfmAssConferenciaAcessorio* segunda = fmAssConferenciaAcessorio.get();
    EXPECT_NE(segunda, primeira) << "the variable holds the latest";
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(form.dbedAtendente, Qt::Key_F1);
    EXPECT_EQ(janelasConferencia(), 3);

    // Closing an older one leaves the variable on the latest.
    TfmAssConferenciaAcessorio* terceira = fmAssConferenciaAcessorio.get();
    primeira->close();
    EXPECT_EQ(fmAssConferenciaAcessorio.get(), terceira);
    terceira->close();
    EXPECT_EQ(fmAssConferenciaAcessorio.get(), nullptr);
    EXPECT_EQ(janelasConferencia(), 1);
}

// The check window as a person sees it over the order, and the order's
// accessories afterwards, written next to the test program (run under Xvfb by the screenshot test, offscreen otherwise).
TEST_F(ConferenciaAcessorioTest, PictureOfTheCheckWindow)
{
    TfmAssOrdemServico& form = abrir();
    TfmAssConferenciaAcessorio& janela = conferir(form);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&janela));
    QTest::keyClicks(janela.mdCodigo, "00000004");
    QTest::qWait(50);
    guardaFoto(janela, "fmAssConferenciaAcessorio.png");
    EXPECT_GE(janela.mdCodigo->width(), janela.mdCodigo->fontMetrics().horizontalAdvance("000000042001"));
    EXPECT_GE(janela.width(), janela.laInformeCodigo->sizeHint().width());

    // The order's accessories, the one confirmed in red, beside the button.
    QTest::keyClicks(janela.mdCodigo, "2001");
    EXPECT_EQ(janela.mdCodigo->text(), "");
    janela.close();
    form.resize(1280, 800);
    aba(form, form.tsObservacao);
    dmTec->quOSAcessorios->last();
    guardaFoto(form, "fmAssOrdemServico_42_acessorios.png");
    EXPECT_TRUE(form.bbConferir->isVisible());
}

}  // namespace
}  // namespace moduletest
