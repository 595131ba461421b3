// A row of a host register's detail grid deleted, on the database the first
// start leaves: with its button or with Ctrl+Delete in its open cell, asked,
// refused naming its use while one uses it, and gone from its table only
// when the register is saved. Read back through a connection of its own.

#include "tests/module/PrimeiroUsoFixture.h"

#include "host/UcadastroHost.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/WindowRegistry.h"

#include <QApplication>
#include <QPushButton>

namespace moduletest {
namespace {

const QString kConfirma = "Confirma a exclusão do registro?";

class CadastroDetalheExclusaoTest : public PrimeiroUsoTest {
protected:
    // The register of the sigla opened on the code, as a label opens it.
    TfmCadastroHost& cadastro(const QString& sigla, const QString& codigo)
    {
        principal->AbrirCadastro(sigla, codigo);
        auto* janela = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastro" + sigla));
        EXPECT_NE(janela, nullptr) << sigla.toStdString();
        EXPECT_TRUE(QTest::qWaitForWindowActive(janela));
        return *janela;
    }
    // A click on the current cell of the grid's row whose key holds the
    // value, its editor waited for.
    static void abreCelula(host::ui::DataGrid* grade, const char* chave, const QVariant& valor)
    {
        ASSERT_TRUE(grade->dataset()->locate(chave, valor));
        grade->setFocus();
        QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(grade->currentIndex()).center());
        ASSERT_TRUE(QTest::qWaitFor([grade] { return grade->indexWidget(grade->currentIndex()) != nullptr; }, 5000));
    }
    int contato(const QString& cliente, const QString& nome)
    {
        exec("insert into AUGC3701 (ANCODIGO, ANVINCULOCODIGO, ANNOME, ANVINCULOCATEGORIA)"
             " values (gen_id(GEN_ANCODIGO, 1), :C, :N, 'C')",
             {{"C", cliente}, {"N", nome}});
        tr().commitRetaining();
        return lido("select max(ANCODIGO) from AUGC3701").value(0).toInt();
    }
};

// Ctrl+Delete in the open cell of a contact's and of a stock location's row.
TEST_F(CadastroDetalheExclusaoTest, ARowDeletedWithCtrlDeleteInItsCellGoesWhenTheRegisterIsSaved)
{
    const QString pessoa =
        lido("select first 1 CODIGO_CLIENTE from AUGC0301 where PESSOA_FISICAOUJURIDICA = 'F'").value(0);
    const int pf = contato(pessoa, "Marta Lima");
    const int pj = contato("00004", "Joao Prado");
    const struct {
        const char* sigla;
        QString codigo;
        const char* chave;
        QVariant linha;
        QString linhas;
    } casos[] = {
        {"PF", pessoa, "ANCODIGO", pf, "select count(*) from AUGC3701 where ANCODIGO = " + QString::number(pf)},
        {"PJ", "00004", "ANCODIGO", pj, "select count(*) from AUGC3701 where ANCODIGO = " + QString::number(pj)},
        {"PR", "L0001", "LECODIGO", "001", "select count(*) from ACEC11PO where PRCODIGO = 'L0001'"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.sigla);
        TfmCadastroHost& janela = cadastro(c.sigla, c.codigo);
        host::ui::DataGrid* grade = janela.dbgdDetalhes.at(0);
        const int antes = grade->model()->rowCount();
        abreCelula(grade, c.chave, c.linha);
        dialogs->answer("Sim", kConfirma);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(grade->model()->rowCount(), antes - 1) << c.sigla;
        EXPECT_EQ(lido(c.linhas), QStringList{"1"}) << c.sigla << ": nothing stored before the save";
        janela.bbSalvar->click();
        EXPECT_EQ(lido(c.linhas), QStringList{"0"}) << c.sigla;
        EXPECT_EQ(recusas(), QStringList{}) << vistos();
        janela.close();
    }
    EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = 'L0001'"), QStringList{"0"});
}

// The delete button: a contact an order names is refused naming that use;
// another goes, comes back with "Cancelar", and goes with "Salvar".
TEST_F(CadastroDetalheExclusaoTest, AContactInUseIsRefusedAndAnotherGoesOnlyWithTheSave)
{
    const int usado = contato("00004", "Joao Prado");
    const int livre = contato("00004", "Marta Lima");
    exec("update AATC01AO set ANCODIGO = :A where AOCODIGO = 42", {{"A", usado}});
    tr().commitRetaining();
    TfmCadastroHost& janela = cadastro("PJ", "00004");
    host::ui::DataGrid* grade = janela.dbgdDetalhes.at(0);
    QPushButton* excluir = janela.bbExcluirDetalhes.at(0);
    EXPECT_EQ(excluir->text(), "Excluir contato");
    const QString contatos = "select ANNOME from AUGC3701 where ANCODIGO in (" + QString::number(usado) + ", " +
                             QString::number(livre) + ") order by ANNOME";

    ASSERT_TRUE(grade->dataset()->locate("ANCODIGO", usado));
    dialogs->answer("Sim", kConfirma)
        .acknowledge(QString("O registro %1 - Joao Prado não pode ser excluído: está em uso em ordens de serviço.")
                         .arg(usado));
    excluir->click();
    ASSERT_TRUE(grade->dataset()->locate("ANCODIGO", livre));
    dialogs->answer("Sim", kConfirma);
    excluir->click();
    janela.bbCancelar->click();
    EXPECT_TRUE(grade->dataset()->locate("ANCODIGO", livre)) << "shown again";
    dialogs->answer("Sim", kConfirma);
    excluir->click();
    EXPECT_EQ(lido(contatos), (QStringList{"Joao Prado", "Marta Lima"}));
    janela.bbSalvar->click();
    EXPECT_EQ(lido(contatos), QStringList{"Joao Prado"});
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    janela.close();
}

// The register's own "Excluir" on a product in use names the product.
TEST_F(CadastroDetalheExclusaoTest, AProductInUseIsRefusedNamingIt)
{
    TfmCadastroHost& janela = cadastro("PR", "L0001");
    const QString descricao = lido("select DESCRICAO from ACEC1101 where CODIGO = 'L0001'").value(0);
    dialogs->answer("Sim", kConfirma)
        .acknowledge("O registro L0001 - " + descricao + " não pode ser excluído: está em uso em ");
    janela.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select count(*) from ACEC1101 where CODIGO = 'L0001'"), QStringList{"1"});
    janela.close();
}

}  // namespace
}  // namespace moduletest
