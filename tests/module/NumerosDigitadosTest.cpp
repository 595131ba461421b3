// Numbers typed the Brazilian way, through every road a user types one:
// the host's number box (a real dialog, typed key by key) on the rental
// instalments, the contract discount and the parts-request quantities, and
// a grid cell of an amount.
// "950,50" and "1.234,56" are what the user means (the contract discount,
// a percent, refuses them in words as beyond 100 %); "950.50" (the point
// groups thousands here) and "abc" are refused with a message and change
// nothing.

#include "tests/module/ContLocFixture.h"

#include "contracts/uAssContCad.h"
#include "data/uDataTec.h"
#include "service_orders/uAssSolicitacao.h"
#include "host/data/Format.h"
#include "host/ui/DataGrid.h"
#include "tests/support/OnScreenDialogs.h"

#include <QAbstractItemView>
#include <QCheckBox>
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

// One road of entry: `prepara` opens its window once, `digita` types the
// text the user's way, `guardado` reads what was stored back through another
// attachment (a grid cell: what its row took). A road through the number box
// also shows the value it proposes (`proposto`, from the value stored
// before); a road that adds (`soma`) stores the former value plus the typed one.
struct Caminho {
    const char* nome;
    std::function<void()> prepara;
    std::function<void(testsupport::OnScreenDialogs&, const Digitado&)> digita;
    std::function<double()> guardado;
    std::function<QString(double)> proposto;
    bool soma = false;
    // A road that takes no more than this (a percent) reads a larger number
    // as the number it is and refuses it in words, storing nothing.
    double limite = 0;
};

QString comoMoeda(double valor) { return host::data::formatFloat("###,###,##0.00", valor); }

TEST_F(NumerosDigitadosTest, EveryRoadReadsTheBrazilianNumberAndRefusesTheRest)
{
    // A rental contract with a forecast of 900,00; a service contract with
    // an open receivable of 1.000,00; a parts request with 2 of P0001.
    contrato(801);
    parcela("000001", "V", 900);
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO, ACMODALIDADE,"
         " ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA) values (802, 'N802', '00004', 'A', '01', 'M', 'A', 10, 'S', 100)");
    parcela("000002", "V", 1000, 802);
    exec("update ACEC1101 set OUTRO_CODIGO = '7890001', ESTOQUE = 10000 where CODIGO = 'P0001'");
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA) values (9101, '00002', '2026-12-01', 'A')");
    exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO) values (801, 'Ana Técnica', 'S')");
    tr().commitRetaining();
    parametro("ATUTILIZACONTRATOS", "S");
    sCodigoTecnico.clear();

    TfmAssContCadLocEquip* locacao = nullptr;
    auto abreLocacao = [&] {
        locacao = &abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
        CarregaContrato(801);
        aba(*locacao, locacao->tsParcelas);
    };
    TfmAssContCad* contrato = nullptr;
    TfmAssSolicitacao* solicitacao = nullptr;
    int pedido = 0;

    const Caminho caminhos[] = {
        {"Alterar Parcelas > Todas", abreLocacao,
         [&](testsupport::OnScreenDialogs& naTela, const Digitado& d) {
             naTela.press("Todas");
             caixa(naTela, d);
             locacao->bbAlterar->click();
         },
         [&] { return valor("000001"); }, comoMoeda},
        {"célula Valor das parcelas", abreLocacao,
         [&](testsupport::OnScreenDialogs& naTela, const Digitado& d) {
             if (!d.aceito)
                 naTela.press("");
             host::ui::DataGrid* grade = locacao->dbgdAssContCadLocEquiParcelas;
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
         [] { return dmGlobal->quReceber->fieldByName("VALOR_DOCUMENTO")->asFloat(); }, {}},
        {"Desconto (F7) do contrato",
         [&] {
             contrato = &abrirJanela(fmAssContCad, "fmAssContCad");
             CarregaContrato(802);
             QTabBar* barra = contrato->pcContrato->tabBar();
             QTest::mouseClick(barra, Qt::LeftButton, {},
                               barra->tabRect(contrato->tsContParcAberta->pageIndex()).center());
             ASSERT_EQ(contrato->pcContrato->activePage(), contrato->tsContParcAberta);
         },
         [&](testsupport::OnScreenDialogs& naTela, const Digitado& d) {
             contrato->dbgdContRecAberto->setFocus();
             caixa(naTela, d);
             if (d.aceito)
                 naTela.press("");   // each number of the table is beyond 100 %
             QTest::keyClick(contrato->focusWidget() ? contrato->focusWidget() : contrato, Qt::Key_F7);
         },
         // The percent given, from the discount stored: it always applies to the gross 1.000,00.
         [&] { return valor("000002", "VALOR_DESCONTO") / 10; }, [](double) { return QString("0,00"); }, false,
         100},
        {"Solicitação de Peças: Somar",
         [&] {
             solicitacao = &abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
             solicitacao->bbNovo->click();
             dmTec->quSolicitaAOCODIGO->setAsInteger(9101);
             solicitacao->bbSalvar->click();
             pedido = dmTec->quSolicitaAICODIGO->asInteger();
             dmTec->quSolicitaIt->append();
             dmTec->quSolicitaItPRCODIGO->setAsString("P0001");
             dmTec->quSolicitaItAIQUANTIDADE->setAsFloat(2);
             dmTec->quSolicitaItATCODIGOENTREGA->setAsInteger(801);
             dmTec->quSolicitaIt->post();
             solicitacao->ckBarras->setChecked(true);
         },
         [&](testsupport::OnScreenDialogs& naTela, const Digitado& d) {
             naTela.type("7890001").press("Somar");
             caixa(naTela, d);
             QTest::keyClick(solicitacao->dbgdAssSolicitacao, Qt::Key_F9);
         },
         [&] {
             const QStringList lidos = lido(QString("select cast(AIQUANTIDADE * 100 as integer) from AATC07AI where"
                                                    " AIID = 'I' and AICODIGO = %1 and PRCODIGO = 'P0001'")
                                                .arg(pedido));
             return lidos.isEmpty() ? -1 : lidos.first().toDouble() / 100;
         },
         [](double) { return QString("0,00"); }, true},
    };

    for (const Caminho& caminho : caminhos) {
        caminho.prepara();
        double antes = caminho.guardado();
        for (const Digitado& d : kDigitados) {
            SCOPED_TRACE(std::string(caminho.nome) + " <- " + d.texto);
            testsupport::OnScreenDialogs naTela;
            caminho.digita(naTela, d);
            if (caminho.proposto) {
                const auto caixaVista = std::find_if(naTela.seen().begin(), naTela.seen().end(), [](const auto& visto) {
                    return visto.className == "QInputDialog" && !visto.text.contains("Barras");
                });
                ASSERT_NE(caixaVista, naTela.seen().end());
                EXPECT_EQ(caixaVista->value, caminho.proposto(antes)) << "the value proposed, as the user writes it";
            }
            const double agora = caminho.guardado();
            if (d.aceito && caminho.limite > 0 && d.valor > caminho.limite) {
                EXPECT_TRUE(naTela.texts().join(" | ").contains("informe um valor de 0 a 100"))
                    << naTela.texts().join(" | ").toStdString();
                EXPECT_NEAR(agora, antes, 0.005) << "beyond the limit nothing changes";
            } else if (d.aceito) {
                EXPECT_NEAR(agora, caminho.soma ? antes + d.valor : d.valor, 0.005);
                antes = agora;
            } else {
                EXPECT_TRUE(recusou(naTela, d)) << naTela.texts().join(" | ").toStdString();
                EXPECT_NEAR(agora, antes, 0.005) << "a refused text changes nothing";
            }
        }
    }
}

}  // namespace
}  // namespace moduletest
