// A new customer's contacts typed in the customer register's grid: a name
// clicked and typed at once, as a quick typist does (every key reaches the
// cell), an e-mail address checked as the customer's own, and mobile
// numbers typed with their masks. What is
// stored is read back through a connection of its own.

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

class ContatosDoClienteTest : public PrimeiroUsoTest {
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
        digitaNoFoco(texto);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    // Each key to whatever has the focus as it is pressed.
    static void digitaNoFoco(const QString& texto)
    {
        for (const QChar c : texto) {
            QWidget* alvo = QApplication::focusWidget();
            if (c.unicode() < 0x80)
                QTest::keyClick(alvo, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, alvo, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    QStringList contatos(const QString& cliente, const char* coluna) const
    {
        return lido(QString("select %1 from AUGC3701 where ANVINCULOCATEGORIA = 'C' and ANVINCULOCODIGO = '%2'"
                            " order by ANNOME")
                        .arg(coluna, cliente));
    }
};

TEST_F(ContatosDoClienteTest, EveryKeyTypedAfterAClickOnTheNameCellIsStored)
{
    TfmCadastroHost& clientes = clienteNovo();
    const QString cliente = clientes.registros().fieldByName("CODIGO_CLIENTE")->asString();
    host::ui::DataGrid* grade = clientes.dbgdDetalhes.at(0);
    ASSERT_EQ(grade->columnByField("ANNOME")->index(), 0) << "the name is the cell a new row starts on";
    clicaEDigita(grade, "Pedro Lima");
    clicaEDigita(grade, QString::fromUtf8("Zhanna Petrova O’Neil Жанна"));
    clientes.bbSalvar->click();
    EXPECT_EQ(contatos(cliente, "ANNOME"),
              (QStringList{"Pedro Lima", QString::fromUtf8("Zhanna Petrova O’Neil Жанна")}));
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    clientes.close();
}

// A name typed into the empty contacts grid, without Insert, starts a contact.
TEST_F(ContatosDoClienteTest, TypingIntoTheEmptyGridStartsAContact)
{
    TfmCadastroHost& clientes = clienteNovo();
    const QString cliente = clientes.registros().fieldByName("CODIGO_CLIENTE")->asString();
    host::ui::DataGrid* grade = clientes.dbgdDetalhes.at(0);
    grade->setFocus();
    digitaNoFoco("Pedro Lima");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    clientes.bbSalvar->click();
    EXPECT_EQ(contatos(cliente, "ANNOME"), QStringList{"Pedro Lima"});
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    clientes.close();
}

// A click on the current cell with nothing typed opens its editor a moment
// later, as it did.
TEST_F(ContatosDoClienteTest, AClickOnTheCurrentCellStillOpensItsEditor)
{
    TfmCadastroHost& clientes = clienteNovo();
    host::ui::DataGrid* grade = clientes.dbgdDetalhes.at(0);
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_Insert);
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(grade->currentIndex()).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return grade->indexWidget(grade->currentIndex()) != nullptr; }, 5000));
    grade->dataset()->cancel();
    clientes.close();
}

// A contact's e-mail without "@" is refused as the customer's own is; the
// address typed again right is stored.
TEST_F(ContatosDoClienteTest, AContactsEMailIsCheckedAsTheCustomersOwn)
{
    TfmCadastroHost& clientes = clienteNovo();
    const QString cliente = clientes.registros().fieldByName("CODIGO_CLIENTE")->asString();
    host::ui::DataGrid* grade = clientes.dbgdDetalhes.at(0);
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_Insert);
    celula(grade, "ANNOME", "Pedro Lima");
    celula(grade, "ANEMAIL", "contato.sem.arroba");
    clientes.bbSalvar->click();
    EXPECT_EQ(dialogs->texts(), QStringList{"E-mail inválido: contato.sem.arroba"}) << vistos();
    EXPECT_EQ(contatos(cliente, "ANNOME"), QStringList{});
    celula(grade, "ANEMAIL", "pedro@oficinanorte.com.br");
    clientes.bbSalvar->click();
    EXPECT_EQ(contatos(cliente, "ANEMAIL"), QStringList{"pedro@oficinanorte.com.br"});
    clientes.close();
}

// A mobile number typed with its mask, in the customer's phone box and in a
// contact's phone cell, is stored whole.
TEST_F(ContatosDoClienteTest, AMobileNumberWithItsMaskIsStoredWhole)
{
    TfmCadastroHost& clientes = clienteNovo();
    const QString cliente = clientes.registros().fieldByName("CODIGO_CLIENTE")->asString();
    digita(clientes.controle("TELEFONE1"), "(11)98888-7777");
    host::ui::DataGrid* grade = clientes.dbgdDetalhes.at(0);
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_Insert);
    celula(grade, "ANNOME", "Pedro Lima");
    celula(grade, "ANTELEFONE", "(11) 97777-6666");
    clientes.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select TELEFONE1 from AUGC0301 where CODIGO_CLIENTE = '" + cliente + "'"),
              QStringList{"(11)98888-7777"});
    EXPECT_EQ(contatos(cliente, "ANTELEFONE"), QStringList{"(11) 97777-6666"});
    clientes.close();
}

}  // namespace
}  // namespace moduletest
