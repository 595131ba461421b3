// What a user reads at the top of each grid: every window the dispatcher
// opens (and the modal windows it opens first) titles its columns in words,
// never with the raw name of the field behind them, no two columns of one
// grid carry the same title, and no column or group title is cut.

#include "tests/module/ModuleFixture.h"

#include "host/UpedidoVenda.h"
#include "host/Uprincipal.h"
#include "host/schema/HostSchema.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Form.h"
#include "host/ui/PageControl.h"
#include "host/ui/ScriptedDialogs.h"

#include <QAbstractItemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QApplication>
#include <QRegularExpression>
#include <QLineEdit>
#include <QTabBar>

namespace moduletest {
namespace {

// Short names a user reads as words.
const QStringList kSiglas = {"CEP", "UF", "CNPJ", "CPF", "IPI", "ICMS", "ISS", "KM", "NCM", "CFOP", "OS"};

// "Janela.grade: title (field)" for each visible column whose title is its
// field's name, or repeats another column's title.
QStringList titulosCrus(QWidget& janela)
{
    static const QRegularExpression identificador("^[A-Za-z][A-Za-z0-9_]*$");
    QStringList achados;
    for (host::ui::DataGrid* grade : janela.findChildren<host::ui::DataGrid*>()) {
        if (!grade->isVisibleTo(&janela))
            continue;   // on a page not shown

        QStringList vistos;
        for (int c = 0; c < grade->columnCount(); ++c) {
            if (grade->isColumnHidden(c))
                continue;
            const QString titulo = grade->model()->headerData(c, Qt::Horizontal).toString().trimmed();
            const QString campo = grade->column(c)->fieldName();
            const QString onde = janela.objectName() + "." + grade->objectName() + ": \"" + titulo + "\" (" + campo + ")";
            // A field's name, as written in the table: capitals past its
            // first letter or an underscore ("DESCRICAO", "DescricaoHora").
            const bool cru = titulo == campo && identificador.match(titulo).hasMatch() &&
                             (titulo.contains('_') || titulo.mid(1) != titulo.mid(1).toLower()) &&
                             !kSiglas.contains(titulo);
            if (cru || (!titulo.isEmpty() && vistos.contains(titulo)))
                achados << onde;
            vistos << titulo;
        }
    }
    return achados;
}

// "Janela.controle: title" for each visible column title narrower than its
// text, and each group box narrower than its title: what the user reads cut.
QStringList titulosCortados(QWidget& janela)
{
    QStringList achados;
    for (host::ui::DataGrid* grade : janela.findChildren<host::ui::DataGrid*>()) {
        if (!grade->isVisibleTo(&janela))
            continue;
        const QFontMetrics metrica(grade->horizontalHeader()->font());
        for (int c = 0; c < grade->columnCount(); ++c) {
            const QString titulo = grade->model()->headerData(c, Qt::Horizontal).toString();
            if (!grade->isColumnHidden(c) && grade->columnWidth(c) < metrica.horizontalAdvance(titulo))
                achados << janela.objectName() + "." + grade->objectName() + ": \"" + titulo + "\"";
        }
    }
    for (QGroupBox* grupo : janela.findChildren<QGroupBox*>()) {
        const QString titulo = QString(grupo->title()).remove('&');
        if (grupo->isVisibleTo(&janela) && grupo->width() < grupo->fontMetrics().horizontalAdvance(titulo))
            achados << janela.objectName() + "." + grupo->objectName() + ": \"" + titulo + "\"";
    }
    return achados;
}

// What is looked for on a window: one text per finding.
using Leitura = QStringList (*)(QWidget&);

class TitulosColunasTest : public ModuleTest {
protected:
    // Every window of the dispatcher (and the modal windows it opens
    // first) read on each of its tabs, on the demonstration company.
    QStringList lidoEmCadaJanela(Leitura leitura);
};

// Every tab of every page control of the window clicked in turn, the window
// read on each.
QStringList lidoEmCadaAba(QWidget& janela, Leitura leitura)
{
    QStringList achados = leitura(janela);
    for (host::ui::PageControl* paginas : janela.findChildren<host::ui::PageControl*>()) {
        QTabBar* barra = paginas->tabBar();
        for (int i = 0; i < barra->count(); ++i) {
            if (!barra->isTabVisible(i) || !barra->isTabEnabled(i) || !paginas->isVisibleTo(&janela))
                continue;
            QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(i).center());
            achados << leitura(janela);
        }
    }
    return achados;
}

QStringList TitulosColunasTest::lidoEmCadaJanela(Leitura leitura)
{
    QStringList achados;
    for (const QString& nome : TfmPrincipal::NomesJanelasModulo()) {
        if (nome == "AutomatizacaoDeTeste")
            continue;
        // Each window with dialogs of its own: a modal one is read while open.
        dialogs.reset();
        dialogs = std::make_unique<host::ui::ScriptedDialogs>([](const QString&) {});
        dialogs->setAutoAcknowledgeMessages(true);
        dialogs->modal({}, [&achados, leitura](host::ui::Form& modal) { achados << leitura(modal); });
        uPackageAss::ShowJanelaTec("fmAssTecnico");
        uPackageAss::ShowJanelaTec(nome == "fmAssOrdemServico" ? nome + ";42" : nome);
        for (QWidget* janela : QApplication::topLevelWidgets())
            if (janela->isVisible())
                achados << lidoEmCadaAba(*janela, leitura);
        host::ui::WindowRegistry::freeAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return achados;
}

TEST_F(TitulosColunasTest, NoWindowOfTheDispatcherTitlesAColumnWithItsFieldName)
{
    ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
    parametro("ATUTILIZACONTRATOS", "S");
    QStringList achados = lidoEmCadaJanela(&titulosCrus);
    // The host's sales-order window, from the main menu, on the demonstration order.
    criarPrincipal();
    principal->AbrirPedidoVenda();
    ASSERT_NE(fmPedidoVenda.get(), nullptr);
    fmPedidoVenda->edPedido->setText("000002");
    QTest::keyClick(fmPedidoVenda->edPedido, Qt::Key_Return);
    ASSERT_GT(fmPedidoVenda->dbgdItens->model()->rowCount(), 0) << "the order's lines";
    achados << titulosCrus(*fmPedidoVenda.get());
    achados.removeDuplicates();
    EXPECT_EQ(achados, QStringList());
}

TEST_F(TitulosColunasTest, NoWindowOfTheDispatcherCutsAColumnOrGroupTitle)
{
    ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
    parametro("ATUTILIZACONTRATOS", "S");
    QStringList achados = lidoEmCadaJanela(&titulosCortados);
    achados.removeDuplicates();
    EXPECT_EQ(achados, QStringList());
}

}  // namespace
}  // namespace moduletest
