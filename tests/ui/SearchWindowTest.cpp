#include "host/data/MemDataset.h"
#include "host/ui/ScriptedDialogs.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/WindowRegistry.h"

#include "QtPrinters.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace host::ui;
using host::data::FieldType;
using host::data::MemDataset;

namespace {
FormVar<SearchWindow> fmPesquisa("fmPesquisa");
}

TEST(SearchWindow, ListsTheCallersColumnsAndReturnsTheChosenRow)
{
    MemDataset equipment(nullptr, "quEquipCli");
    equipment.addField("AECLCODIGO", FieldType::Int32);
    equipment.addField("AEDESCRICAO", FieldType::String, 40);
    equipment.open();
    for (auto [code, text] : {std::pair{1, "BOMBA"}, {2, "COMPRESSOR"}, {3, "MOTOR"}}) {
        equipment.append();
        equipment.fieldByName("AECLCODIGO")->setAsInteger(code);
        equipment.fieldByName("AEDESCRICAO")->setAsString(text);
        equipment.post();
    }
    equipment.first();

    SearchWindow* window = fmPesquisa.create();
    window->setDataset(&equipment);
    window->setSearchKind(37);
    createGridColumn(*window->grid(), 70, "Seq.", "AECLCODIGO");
    createGridColumn(*window->grid(), 300, "Descrição", "aeDESCRICAO");
    window->grid()->setRowSelect(true);
    window->setCaption("Equipamentos do Cliente");
    window->setClientWidth(700);

    ScriptedDialogs dialogs;
    dialogs.modal("fmPesquisa", [](Form& form) {
        auto& search = static_cast<SearchWindow&>(form);
        search.grid()->setSelectedIndex(1);
        QTest::keyClicks(search.grid(), "mo");   // the search keys find MOTOR
        EXPECT_EQ(search.searchText(), "MO");
        QTest::keyClick(search.grid(), Qt::Key_Return);
    });
    dialogs.modal("fmPesquisa", [](Form& form) {
        QTest::keyClick(static_cast<SearchWindow&>(form).grid(), Qt::Key_Escape);
    });
    EXPECT_EQ(window->showModal(), ModalResult::Ok);
    EXPECT_EQ(equipment.fieldByName("AECLCODIGO")->asInteger(), 3);
    EXPECT_EQ(window->showModal(), ModalResult::Cancel);
    EXPECT_EQ(window->searchKind(), 37);
    EXPECT_EQ(window->width(), 700);
    EXPECT_EQ(window->grid()->column(1)->title(), "Descrição");
    EXPECT_EQ(window->grid()->objectName(), "dbgdGeral");
    window->release();
    EXPECT_FALSE(fmPesquisa);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(SearchWindow, TitleClickOrdersTheQueryTextByTheColumn)
{
    struct Case {
        const char* sql;
        const char* field;
        const char* expected;
    };
    const Case cases[] = {
        {"select * from aatc01ao", "AOCODIGO", "select * from aatc01ao\norder by AOCODIGO"},
        {"select * from aatc01ao order by aodataentrada", "AOCODIGO", "select * from aatc01ao\norder by AOCODIGO"},
        {"select * from aatc01ao\norder by AOCODIGO", "AOCODIGO", "select * from aatc01ao\norder by AOCODIGO desc"},
        {"select * from aatc01ao\norder by AOCODIGO desc", "AOCODIGO", "select * from aatc01ao\norder by AOCODIGO"},
        {"select a.* from x a where a.c in (select c from y order by c) and a.d = 'order by'", "NOME",
         "select a.* from x a where a.c in (select c from y order by c) and a.d = 'order by'\norder by NOME"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reorderedSql(c.sql, c.field), c.expected) << c.sql;
}
