// A picker searched by a money column: the value typed as the grid shows it
// ("1.234,50", "1234,5") finds its rows.

#include "host/Upesq.h"
#include "host/Upesqprod.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"
#include "tests/support/HostDatabase.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PickerValor : public testsupport::HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        host::ui::Layouts::setFolder(layouts.path());
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('P1', 'BOMBA', 35.5)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('P2', 'BOMBA GRANDE', 1234.5)");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA) values ('P3', 'BOMBA MAIOR', 11234.5)");
    }
    void TearDown() override
    {
        host::ui::Layouts::setFolder({});
        HostDatabaseTest::TearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QTemporaryDir layouts;
};

TEST_F(PickerValor, AValueTypedAsTheGridShowsItFindsItsRows)
{
    QMap<QString, QStringList> achados;
    dialogs->modal("fmPesquisa", [&](host::ui::Form& form) {
        auto& janela = static_cast<TfmPesquisa&>(form);
        host::ui::DataGrid& grade = *janela.grid();
        grade.setSelectedIndex(grade.columnByField("PCO_VENDA")->index());
        for (const QString& texto : QStringList{"1.234,50", "1234,5", "35,50", "1.234"}) {
            QLineEdit* edit = janela.searchEdit();
            edit->clear();
            QTest::keyClicks(edit, texto);
            host::data::Dataset& linhas = *janela.dataSource()->dataset();
            for (linhas.first(); !linhas.eof(); linhas.next())
                achados[texto] << linhas.fieldByName("CODIGO")->asString();
        }
    });
    QString codigo, descricao;
    double venda = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    SelecionaProduto(codigo, descricao, venda, estoque, reservado, promocional, custo);
    EXPECT_EQ(achados.value("1.234,50"), (QStringList{"P2", "P3"}));
    EXPECT_EQ(achados.value("1234,5"), (QStringList{"P2", "P3"}));
    EXPECT_EQ(achados.value("35,50"), QStringList{"P1"});
    EXPECT_EQ(achados.value("1.234"), (QStringList{"P2", "P3"}));
}

}  // namespace
