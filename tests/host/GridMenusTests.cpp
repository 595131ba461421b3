// The pop-up menus the host lends to grids: "Exportar para Excel" of the grid
// the menu was opened on, through a right click and the file dialog.

#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/ScriptedDialogs.h"
#include "tests/support/HostDatabase.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace host::data;

namespace {

using GridMenus = testsupport::HostDatabaseTest;

QAction* exportar(QMenu* menu)
{
    return menu ? menu->findChild<QAction*>(menu->objectName() + "ExportarExcel") : nullptr;
}

TEST_F(GridMenus, ExportToExcelWritesTheGridTheMenuWasOpenedOn)
{
    ASSERT_NE(dmGlobal->puGeral, nullptr);
    ASSERT_NE(dmGlobal->puPesq, nullptr);
    MemDataset linhas(nullptr, "cdsLinhas");
    linhas.addField("CODIGO", FieldType::Int32);
    linhas.open();
    linhas.append();
    linhas.fieldByName("CODIGO")->setAsInteger(7);
    linhas.post();
    DataSource fonte(nullptr, "dsLinhas", &linhas);
    host::ui::DataGrid primeira("dbgdPrimeira"), segunda("dbgdSegunda");
    for (host::ui::DataGrid* grade : {&primeira, &segunda}) {
        grade->setDataSource(&fonte);
        host::ui::setPopupMenu(grade, dmGlobal->puGeral);
    }
    EXPECT_EQ(host::ui::popupMenu(&segunda), dmGlobal->puGeral);

    QAction* acao = exportar(dmGlobal->puGeral);
    ASSERT_NE(acao, nullptr);
    EXPECT_EQ(acao->text(), "Exportar para Excel");
    // Not opened on any grid yet: the user is told, nothing is written.
    dialogs->acknowledge("O menu não foi aberto sobre uma grade.");
    acao->trigger();
    EXPECT_EQ(dialogs->pending(), 0);

    QTemporaryDir pasta;
    emit segunda.customContextMenuRequested(QPoint(5, 5));   // the right click
    EXPECT_EQ(host::ui::popupComponent(dmGlobal->puGeral), &segunda);
    dmGlobal->puGeral->hide();
    dialogs->enter(pasta.filePath("linhas"), "Exportar para Excel");
    acao->trigger();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_GT(QFileInfo(pasta.filePath("linhas.xlsx")).size(), 0);

    // Cancelling the file dialog writes nothing.
    dialogs->cancel("Exportar para Excel");
    acao->trigger();
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(GridMenus, AGridOutlivingTheHostMenusHasNoMenuLeft)
{
    host::ui::DataGrid grade("dbgdSobra");
    host::ui::setPopupMenu(&grade, dmGlobal->puPesq);
    global.reset();
    EXPECT_EQ(host::ui::popupMenu(&grade), nullptr);
    emit grade.customContextMenuRequested(QPoint(1, 1));   // nothing to pop up
}

}  // namespace
