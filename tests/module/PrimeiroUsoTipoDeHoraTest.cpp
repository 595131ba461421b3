// Labour priced by hour type on a new installation: a type registered in
// "Hora Técnica" (the register then closed) is offered by the "Tipo de Hora"
// list of the order's service lines, and the line is priced by it.

#include "tests/module/PrimeiroUsoOrdemFixture.h"

#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssHoraTecnica.h"
#include "service_orders/uAssOrdemServico.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class PrimeiroUsoTipoDeHoraTest : public PrimeiroUsoOrdemTest {
protected:
    // Type 4, exact hours: 180 the first, 150 the second and every later one.
    void registrarTipoDeHora()
    {
        TfmAssHoraTecnica& registro = abrirJanela(fmAssHoraTecnica, "fmAssHoraTecnica");
        registro.bbNovo->click();
        digita(registro.dbedDescricao, "Hora de bancada");
        digita(registro.dbedHora1, "180");
        digita(registro.dbedHora2, "150");
        registro.bbSalvar->click();
        registro.bbSair->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(lido("select AHCODIGO || ' ' || cast(AHHORA3 as integer) from AATC04AH"
                       " where AHDESCRICAO = 'Hora de bancada'"),
                  QStringList{"4 150"});
    }
    // A new order with an item and a labour line typed in; its number in os.
    TfmAssOrdemServico& ordemComServico(QString& os)
    {
        TfmAssOrdemServico* form = nullptr;
        os = ordemNova(form);
        EXPECT_FALSE(os.isEmpty());
        novaLinhaNaGrade(form->dbgdOrdemServicoItens, "AOITEQUIPDESCRICAO", "Impressora laser");
        clicaAba(form->pcOrdemServico, form->tsServico);
        novaLinhaNaGrade(form->dbgdOrdemServicoServicos, "PRCODIGO", "S0001");
        return *form;
    }
    // The list the column opens when it is entered.
    static QComboBox* listaAberta(host::ui::DataGrid* grade, const char* campo)
    {
        grade->setFocus();
        grade->setSelectedIndex(grade->columnByField(campo)->index());
        auto* lista = qobject_cast<QComboBox*>(grade->indexWidget(grade->currentIndex()));
        return lista && lista->view()->isVisible() ? lista : nullptr;
    }
    static QStringList itens(const QComboBox& lista)
    {
        QStringList textos;
        for (int i = 0; i < lista.count(); ++i)
            textos << lista.itemText(i);
        return textos;
    }
};

TEST_F(PrimeiroUsoTipoDeHoraTest, TheServiceLineIsPricedByTheHourTypeChosenInItsList)
{
    registrarTipoDeHora();
    QString os;
    TfmAssOrdemServico& form = ordemComServico(os);
    QComboBox* lista = listaAberta(form.dbgdOrdemServicoServicos, "DescricaoHora");
    ASSERT_NE(lista, nullptr);
    EXPECT_EQ(itens(*lista), (QStringList{"Hora técnica normal", "Hora técnica externa", "Hora técnica de plantão",
                                          "Hora de bancada"}))
        << "the registered types";
    // Chosen in the list by the start of its text, then Enter.
    QTest::keyClicks(lista->view(), "Hora de b");
    QTest::keyClick(lista->view(), Qt::Key_Return);
    celula(form.dbgdOrdemServicoServicos, "AATOTAL", "150", Qt::Key_Return);
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    // 150 minutes: the first hour, the second, and 30 minutes of the third.
    EXPECT_EQ(lido("select coalesce(AHCODIGO, 0) || ' ' || AATOTAL || ' ' || cast(AAVALORTOTAL * 100 as integer)"
                   " from AATC01AA where AOCODIGO = " + os),
              QStringList{"4 150 40500"});

    // The register opened and closed again while the order is open leaves
    // the hour types to the order's lines.
    TfmAssHoraTecnica& registro = abrirJanela(fmAssHoraTecnica, "fmAssHoraTecnica");
    registro.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    clicaAba(form.pcOrdemServico, form.tsPecasOS);
    clicaAba(form.pcOrdemServico, form.tsServico);
    host::ui::DataGrid* grade = form.dbgdOrdemServicoServicos;
    ASSERT_EQ(grade->model()->rowCount(), 1);
    const QModelIndex celulaTipo = grade->model()->index(0, grade->columnByField("DescricaoHora")->index());
    EXPECT_EQ(celulaTipo.data().toString(), "Hora de bancada");
}

// The hour type chosen, the line saved, another window used: back on the
// order, no list stands open over it.
TEST_F(PrimeiroUsoTipoDeHoraTest, NoListOpensWhenTheOrderWindowIsActivatedAgain)
{
    QString os;
    TfmAssOrdemServico& form = ordemComServico(os);
    QComboBox* lista = listaAberta(form.dbgdOrdemServicoServicos, "DescricaoHora");
    ASSERT_NE(lista, nullptr);
    QTest::keyClicks(lista->view(), "Hora t");
    QTest::keyClick(lista->view(), Qt::Key_Return);
    form.bbSalvar->click();
    abrirJanela(fmAssHoraTecnica, "fmAssHoraTecnica");
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (QWidget* aberta : QApplication::topLevelWidgets())
        EXPECT_FALSE(aberta->isVisible() && aberta->windowType() == Qt::Popup) << aberta->metaObject()->className();
}

}  // namespace
}  // namespace moduletest
