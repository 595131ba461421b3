// Numbers typed the Brazilian way, through every road a user types one:
// the host's number box (real dialog, typed key by key) on the rental
// instalments and the contract discount, and a grid cell of an amount.
// "950,50" and "1.234,56" are what the user means; "950.50" (the point
// groups thousands here) and "abc" are refused with a message and change
// nothing.

#include "tests/module/ContLocFixture.h"

#include "contracts/uAssContCad.h"
#include "host/data/Format.h"
#include "host/ui/DataGrid.h"
#include "tests/support/OnScreenDialogs.h"

#include <QAbstractItemView>
#include <QLineEdit>

#include <cmath>
#include <functional>

namespace moduletest {
namespace {

struct Digitado {
    const char* texto;
    bool aceito;
    double valor;
};

const Digitado kDigitados[] = {
    {"950,50", true, 950.50},
    {"1.234,56", true, 1234.56},
    {"950.50", false, 0},
    {"abc", false, 0},
};

class NumerosDigitadosTest : public ContLocTest {
protected:
    // The number box answered with the text typed: taken, or refused with
    // its message and then left with Esc.
    static void caixa(testsupport::OnScreenDialogs& naTela, const Digitado& d)
    {
        naTela.type(QString::fromUtf8(d.texto));
        if (!d.aceito)
            naTela.press("").press("");
    }
    static bool recusou(const testsupport::OnScreenDialogs& naTela, const Digitado& d)
    {
        return naTela.texts().contains(QString("'%1' não é um valor numérico válido.").arg(QString::fromUtf8(d.texto)));
    }
    double valor(const QString& documento, const char* coluna = "VALOR_DOCUMENTO") const
    {
        const QStringList lidos = lido(QString("select cast(%1 * 100 as integer) from ACRC5001 where"
                                               " NUMERO_DOCUMENTO = '%2'")
                                           .arg(QString::fromLatin1(coluna), documento));
        return lidos.isEmpty() ? -1 : lidos.first().toDouble() / 100;
    }
};

// One road of entry: `digita` types the text the user's way, `guardado`
// reads what was stored back through another attachment (a grid cell: what
// its row took); a road through the
// number box also shows the value it proposes.
struct Caminho {
    const char* nome;
    std::function<void(testsupport::OnScreenDialogs&, const Digitado&)> digita;
    std::function<double()> guardado;
    bool temCaixa;
};

TEST_F(NumerosDigitadosTest, EveryRoadReadsTheBrazilianNumberAndRefusesTheRest)
{
    // Rental register, "Alterar Parcelas" > "Todas": every forecast takes the value.
    contrato(801);
    parcela("000001", "V", 900);
    TfmAssContCadLocEquip& locacao = abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
    CarregaContrato(801);
    aba(locacao, locacao.tsParcelas);

    const Caminho caminhos[] = {
        {"Alterar Parcelas > Todas",
         [&](testsupport::OnScreenDialogs& naTela, const Digitado& d) {
             naTela.press("Todas");
             caixa(naTela, d);
             locacao.bbAlterar->click();
         },
         [&] { return valor("000001"); }, true},
        {"célula Valor das parcelas",
         [&](testsupport::OnScreenDialogs& naTela, const Digitado& d) {
             if (!d.aceito)
                 naTela.press("");
             host::ui::DataGrid* grade = locacao.dbgdAssContCadLocEquiParcelas;
             host::ui::GridColumn* coluna = grade->columnByField("VALOR_DOCUMENTO");
             ASSERT_NE(coluna, nullptr);
             grade->setFocus();
             grade->setSelectedIndex(coluna->index());
             grade->editCurrentCell();
             auto* celula = qobject_cast<QLineEdit*>(grade->indexWidget(grade->currentIndex()));
             ASSERT_NE(celula, nullptr);
             celula->selectAll();
             QTest::keyClick(celula, Qt::Key_Delete);
             QTest::keyClicks(celula, QString::fromUtf8(d.texto));
             QTest::keyClick(celula, Qt::Key_Return);
             QCoreApplication::processEvents();
             if (!d.aceito)
                 QTest::keyClick(grade->focusWidget() ? grade->focusWidget() : grade, Qt::Key_Escape);
         },
         // What the row took (its storing is the register's own save).
         [] { return dmGlobal->quReceber->fieldByName("VALOR_DOCUMENTO")->asFloat(); }, false},
    };

    for (const Caminho& caminho : caminhos) {
        double antes = 900;
        exec("update ACRC5001 set VALOR_DOCUMENTO = 900 where NUMERO_DOCUMENTO = '000001'");
        tr().commitRetaining();
        CarregaContrato(801);
        aba(locacao, locacao.tsParcelas);
        for (const Digitado& d : kDigitados) {
            SCOPED_TRACE(std::string(caminho.nome) + " <- " + d.texto);
            testsupport::OnScreenDialogs naTela;
            caminho.digita(naTela, d);
            if (caminho.temCaixa) {
                const auto caixaVista = std::find_if(naTela.seen().begin(), naTela.seen().end(),
                                                     [](const auto& visto) { return visto.className == "QInputDialog"; });
                ASSERT_NE(caixaVista, naTela.seen().end());
                EXPECT_EQ(caixaVista->value, host::data::formatFloat("###,###,##0.00", antes))
                    << "the value proposed, as the user writes it";
            }
            const double agora = caminho.guardado();
            if (d.aceito) {
                EXPECT_NEAR(agora, d.valor, 0.005);
                antes = agora;
            } else {
                EXPECT_TRUE(recusou(naTela, d)) << naTela.texts().join(" | ").toStdString();
                EXPECT_NEAR(agora, antes, 0.005) << "a refused text changes nothing";
            }
        }
    }
}

// The contract register's F7 discount is typed in the same box.
TEST_F(NumerosDigitadosTest, ContractDiscountBoxReadsTheBrazilianPercent)
{
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO, ACMODALIDADE,"
         " ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA) values (801, 'N801', '00004', 'A', '01', 'M', 'A', 10, 'S', 100)");
    parcela("000001", "V", 1000);
    tr().commitRetaining();   // what another desk reads from the start
    parametro("ATUTILIZACONTRATOS", "S");
    TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
    CarregaContrato(801);
    QTabBar* barra = form.pcContrato->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(form.tsContParcAberta->pageIndex()).center());
    ASSERT_EQ(form.pcContrato->activePage(), form.tsContParcAberta);

    const Digitado percentuais[] = {{"abc", false, 0}, {"12,5", true, 12.5}};
    for (const Digitado& d : percentuais) {
        SCOPED_TRACE(d.texto);
        form.dbgdContRecAberto->setFocus();
        dmGlobal->quReceber->first();
        testsupport::OnScreenDialogs naTela;
        caixa(naTela, d);
        if (d.aceito)
            naTela.press("Não").press("");
        QTest::keyClick(form.focusWidget() ? form.focusWidget() : &form, Qt::Key_F7);
        ASSERT_FALSE(naTela.seen().empty());
        EXPECT_EQ(naTela.seen().front().value, "0,00") << naTela.texts().join(" | ").toStdString()
           ;
        if (d.aceito) {
            EXPECT_NEAR(valor("000001", "VALOR_DESCONTO"), 125, 0.005);
            EXPECT_NEAR(valor("000001"), 875, 0.005);
        } else {
            EXPECT_TRUE(recusou(naTela, d)) << naTela.texts().join(" | ").toStdString();
            EXPECT_NEAR(valor("000001"), 1000, 0.005);
        }
    }
}

}  // namespace
}  // namespace moduletest
