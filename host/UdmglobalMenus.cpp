// The pop-up menus the host data module lends to the grids of other windows.

#include "host/Udmglobal.h"

#include "host/Uglobal.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QApplication>
#include <QMenu>

namespace {

// "Exportar para Excel" of the grid the menu popped up on: the user names the file.
void exportarGrade(const QMenu& menu)
{
    auto* grade = qobject_cast<host::ui::DataGrid*>(host::ui::popupComponent(&menu));
    if (!grade)
        throw std::runtime_error("O menu não foi aberto sobre uma grade.");
    QString arquivo;
    if (host::ui::Dialogs::saveFile("Exportar para Excel", "Planilha do Excel (*.xlsx)", arquivo))
        GridToExcelFile(grade, arquivo);
}

std::unique_ptr<QMenu> novoMenu(const QString& nome)
{
    auto menu = std::make_unique<QMenu>();
    menu->setObjectName(nome);
    QMenu* alvo = menu.get();
    QAction* exportar = menu->addAction("Exportar para Excel");
    exportar->setObjectName(nome + "ExportarExcel");
    QObject::connect(exportar, &QAction::triggered, alvo,
                     [alvo] { host::ui::runGuarded([alvo] { exportarGrade(*alvo); }); });
    return menu;
}

}  // namespace

void TdmGlobal::criarMenus()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    menuGeral_ = novoMenu("puGeral");
    menuPesq_ = novoMenu("puPesq");
    puGeral = menuGeral_.get();
    puPesq = menuPesq_.get();
}
