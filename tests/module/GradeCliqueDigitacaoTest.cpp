// Text typed into a grid cell right after a click on it: the customer
// register's contacts, a new contact's name clicked and typed at once, as
// a quick typist does; every key reaches the cell, and the names stored
// are read back through a connection of their own.

#include "tests/module/PrimeiroUsoFixture.h"

#include "host/UcadastroHost.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/WindowRegistry.h"

#include <QApplication>
#include <QPushButton>

namespace moduletest {
namespace {

class GradeCliqueDigitacaoTest : public PrimeiroUsoTest {
protected:
    // A company customer typed and saved in its register; the register.
    TfmCadastroHost& clienteNovo()
    {
        principal->miCadastroPessoaJuridica->click();
        auto* janela = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastroPJ"));
        EXPECT_NE(janela, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(janela));
        janela->bbNovo->click();
        digita(janela->controle("NOME"), "Oficina Norte Ltda");
        digita(janela->controle("CGC_CNPJ"), "11222333000181");
        digita(janela->controle("ENDERECO"), "Rua do Porto, 12");
        digita(janela->controle("CIDADE"), "Sorocaba");
        digita(janela->controle("ESTADO"), "sp");
        janela->bbSalvar->click();
        return *janela;
    }
    // Insert in the grid, a click on its current cell and the text typed
    // at once, each key to whatever has the focus, then Enter.
    static void clicaEDigita(host::ui::DataGrid* grade, const QString& texto)
    {
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Insert);
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(grade->currentIndex()).center());
        for (const QChar c : texto) {
            QWidget* alvo = QApplication::focusWidget();
            if (c.unicode() < 0x80)
                QTest::keyClick(alvo, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, alvo, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
};

TEST_F(GradeCliqueDigitacaoTest, EveryKeyTypedAfterAClickOnTheNameCellIsStored)
{
    TfmCadastroHost& clientes = clienteNovo();
    const QString cliente = clientes.registros().fieldByName("CODIGO_CLIENTE")->asString();
    host::ui::DataGrid* contatos = clientes.dbgdDetalhes.at(0);
    ASSERT_EQ(contatos->columnByField("ANNOME")->index(), 0) << "the name is the cell a new row starts on";
    clicaEDigita(contatos, "Pedro Lima");
    clicaEDigita(contatos, QString::fromUtf8("Zhanna Petrova O’Neil Жанна"));
    clientes.bbSalvar->click();
    EXPECT_EQ(lido("select ANNOME from AUGC3701 where ANVINCULOCATEGORIA = 'C' and ANVINCULOCODIGO = '" + cliente
                   + "' order by ANNOME"),
              (QStringList{"Pedro Lima", QString::fromUtf8("Zhanna Petrova O’Neil Жанна")}));
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    clientes.close();
}

// A click on the current cell with nothing typed opens its editor a moment
// later, as it did.
TEST_F(GradeCliqueDigitacaoTest, AClickOnTheCurrentCellStillOpensItsEditor)
{
    TfmCadastroHost& clientes = clienteNovo();
    host::ui::DataGrid* contatos = clientes.dbgdDetalhes.at(0);
    contatos->setFocus();
    QTest::keyClick(contatos, Qt::Key_Insert);
    QTest::mouseClick(contatos->viewport(), Qt::LeftButton, {}, contatos->visualRect(contatos->currentIndex()).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return contatos->indexWidget(contatos->currentIndex()) != nullptr; }, 5000));
    contatos->dataset()->cancel();
    clientes.close();
}

}  // namespace
}  // namespace moduletest
