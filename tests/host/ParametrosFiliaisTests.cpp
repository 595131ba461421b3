// The branches of the parameters window: name, tax number and web site
// edited and saved with the rest; the code is not editable; a branch another
// desk removed meanwhile fails the whole save, typed values kept on screen.

#include "host/Uparametros.h"
#include "tests/support/HostDatabase.h"

#include "host/ui/ScriptedDialogs.h"

#include <QPushButton>
#include <QTableWidget>

using testsupport::HostDatabaseTest;

namespace {

class ParametrosFiliaisTest : public HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        exec("insert into EA (CODIGO, NOME) values ('01', 'Matriz')");
        exec("insert into EA (CODIGO, NOME, CNPJ) values ('02', 'Filial Jundiai', '12.345.678/0002-71')");
        dmGlobal->SetParametro("ATOPCAOCONTRATO", "S");
        tr().commitRetaining();
        window.Carregar();
    }
    QTableWidgetItem* celula(const QString& filial, int coluna)
    {
        for (int linha = 0; linha < window.grdFiliais->rowCount(); ++linha)
            if (window.grdFiliais->item(linha, 0)->text() == filial)
                return window.grdFiliais->item(linha, coluna);
        return nullptr;
    }
    TfmParametros window;
};

TEST_F(ParametrosFiliaisTest, EachBranchsNameTaxNumberAndSiteAreSaved)
{
    ASSERT_EQ(window.grdFiliais->rowCount(), 2);
    ASSERT_NE(celula("02", 2), nullptr);
    EXPECT_EQ(celula("02", 2)->text(), "12.345.678/0002-71");
    EXPECT_FALSE(celula("01", 0)->flags() & Qt::ItemIsEditable) << "the code stays";
    celula("01", 1)->setText("Locadora Cimento Forte");
    celula("01", 2)->setText("12.345.678/0001-90");
    celula("01", 3)->setText("www.cimentoforte.com.br");
    celula("02", 2)->setText("");
    dialogs->acknowledge("Parâmetros gravados.");
    window.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    tr().rollback();
    EXPECT_EQ(one("select NOME || '|' || CNPJ || '|' || SITE from EA where CODIGO = '01'").toString(),
              "Locadora Cimento Forte|12.345.678/0001-90|www.cimentoforte.com.br")
        << "committed";
    EXPECT_TRUE(one("select CNPJ from EA where CODIGO = '02'").isNull()) << "an emptied value is stored empty";
}

TEST_F(ParametrosFiliaisTest, ABranchRemovedMeanwhileFailsTheWholeSave)
{
    exec("delete from EA where CODIGO = '02'");
    tr().commitRetaining();
    celula("01", 3)->setText("www.matriz.com.br");
    celula("02", 3)->setText("www.jundiai.com.br");
    dialogs->acknowledge("A filial 02 não existe mais.");
    window.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(one("select SITE from EA where CODIGO = '01'").isNull()) << "nothing of the save is kept";
    EXPECT_EQ(celula("01", 3)->text(), "www.matriz.com.br") << "what the user typed stays";
}

}  // namespace
