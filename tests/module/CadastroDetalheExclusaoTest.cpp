// A row of a host register's detail grid deleted, on the database the first
// start leaves: asked, refused naming its use, gone only with the save.

#include "tests/module/PrimeiroUsoFixture.h"

#include "host/UcadastroHost.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/WindowRegistry.h"

#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

const QString kConfirma = "Confirma a exclusão do registro?";

class CadastroDetalheExclusaoTest : public PrimeiroUsoTest {
protected:
    TfmCadastroHost& cadastro(const QString& sigla, const QString& codigo)
    {
        principal->AbrirCadastro(sigla, codigo);
        return *qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastro" + sigla));
    }
    int contato(const QString& nome, const QString& cliente = "00004")
    {
        exec("insert into AUGC3701 (ANCODIGO, ANVINCULOCODIGO, ANNOME, ANVINCULOCATEGORIA)"
             " values (gen_id(GEN_ANCODIGO, 1), :C, :N, 'C')",
             {{"C", cliente}, {"N", nome}});
        tr().commitRetaining();
        return lido("select max(ANCODIGO) from AUGC3701").value(0).toInt();
    }
};

// Ctrl+Delete in the open cell of a contact's and of an emptied stock location's row.
TEST_F(CadastroDetalheExclusaoTest, ARowDeletedWithCtrlDeleteInItsCellGoesWithTheSave)
{
    const QString pj = QString::number(contato("Joao Prado"));
    exec("insert into ACEC11PO (PRCODIGO, LECODIGO, POENTRADA, POSAIDA) values ('L0001', '017', 1, 1)");
    tr().commitRetaining();
    const struct {
        const char *sigla, *codigo, *chave, *coluna;
        QString linha, linhas;
    } casos[] = {
        {"PJ", "00004", "ANCODIGO", "ANNOME", pj, "select count(*) from AUGC3701 where ANCODIGO = " + pj},
        {"PR", "L0001", "LECODIGO", "POENTRADA", "017",
         "select count(*) from ACEC11PO where PRCODIGO = 'L0001' and LECODIGO = '017'"},
    };
    for (const auto& c : casos) {
        TfmCadastroHost& janela = cadastro(c.sigla, c.codigo);
        host::ui::DataGrid* grade = janela.dbgdDetalhes.at(0);
        ASSERT_TRUE(grade->dataset()->locate(c.chave, c.linha)) << c.sigla;
        dialogs->answer("Sim", kConfirma);
        ctrlDeleteNaCelula(grade, c.coluna);
        EXPECT_FALSE(grade->dataset()->locate(c.chave, c.linha)) << c.sigla;
        EXPECT_EQ(lido(c.linhas), QStringList{"1"}) << c.sigla << ": nothing stored before the save";
        janela.bbSalvar->click();
        EXPECT_EQ(lido(c.linhas), QStringList{"0"}) << c.sigla;
        janela.close();
    }
    EXPECT_EQ(lido("select cast(ESTOQUE as integer) from ACEC1101 where CODIGO = 'L0001'"), QStringList{"2"});
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

// The delete button: a contact an order names is refused naming it; another
// goes, comes back with "Cancelar", and goes with "Salvar". A location
// holding stock is refused naming it, and the register's own "Excluir"
// names a product in use likewise.
TEST_F(CadastroDetalheExclusaoTest, ARowInUseIsRefusedNamingItAndAnotherGoesOnlyWithTheSave)
{
    const int usado = contato("Joao Prado"), livre = contato("Marta Lima");
    exec("update AATC01AO set ANCODIGO = :A where AOCODIGO = 42", {{"A", usado}});
    tr().commitRetaining();
    TfmCadastroHost& janela = cadastro("PJ", "00004");
    host::data::Dataset& contatos = *janela.dbgdDetalhes.at(0)->dataset();
    const QString guardados =
        QString("select ANNOME from AUGC3701 where ANCODIGO in (%1, %2) order by 1").arg(usado).arg(livre);
    ASSERT_TRUE(contatos.locate("ANCODIGO", usado));
    dialogs->answer("Sim", kConfirma)
        .acknowledge(QString("O registro %1 - Joao Prado não pode ser excluído: está em uso em ordens de serviço.")
                         .arg(usado));
    janela.bbExcluirDetalhes.at(0)->click();
    for (QPushButton* fim : {janela.bbCancelar, janela.bbSalvar}) {
        ASSERT_TRUE(contatos.locate("ANCODIGO", livre));
        dialogs->answer("Sim", kConfirma);
        janela.bbExcluirDetalhes.at(0)->click();
        EXPECT_EQ(lido(guardados), (QStringList{"Joao Prado", "Marta Lima"}));
        fim->click();
    }
    EXPECT_EQ(lido(guardados), QStringList{"Joao Prado"});
    janela.close();

    TfmCadastroHost& produtos = cadastro("PR", "L0001");
    dialogs->answer("Sim", kConfirma)
        .acknowledge("O registro 001 - Depósito principal não pode ser excluído: possui estoque de 2,00.");
    ASSERT_TRUE(produtos.dbgdDetalhes.at(0)->dataset()->locate("LECODIGO", "001"));
    produtos.bbExcluirDetalhes.at(0)->click();
    EXPECT_TRUE(produtos.dbgdDetalhes.at(0)->dataset()->locate("LECODIGO", "001"));
    const QString produto = lido("select DESCRICAO from ACEC1101 where CODIGO = 'L0001'").value(0);
    dialogs->answer("Sim", kConfirma).acknowledge("O registro L0001 - " + produto + " não pode ser excluído");
    produtos.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

// Another desk changed the deleted contact before the save: the save is
// refused, and the customer's name typed with it is not stored either; both
// show again as stored.
TEST_F(CadastroDetalheExclusaoTest, ADeleteRefusedAtTheSaveUndoesTheRowTypedWithIt)
{
    const int alterado = contato("Marta Lima", "00001");
    const QString fantasia = "select coalesce(NOME_FANTASIA, '') from AUGC0301 where CODIGO_CLIENTE = '00001'";
    const QStringList guardada = lido(fantasia);
    TfmCadastroHost& janela = cadastro("PJ", "00001");
    host::data::Dataset& contatos = *janela.dbgdDetalhes.at(0)->dataset();
    ASSERT_TRUE(contatos.locate("ANCODIGO", alterado));
    dialogs->answer("Sim", kConfirma);
    janela.bbExcluirDetalhes.at(0)->click();
    digita(janela.controle("NOME_FANTASIA"), "Prado Máquinas");
    outraMesa(QString("update AUGC3701 set ANNOME = 'Marta Lima Souza' where ANCODIGO = %1").arg(alterado));
    dialogs->setAutoAcknowledgeMessages(true);
    janela.bbSalvar->click();
    EXPECT_EQ(dialogs->texts().filter("alterado por outro usuário").size(), 1) << vistos();
    EXPECT_TRUE(contatos.locate("ANCODIGO", alterado));
    EXPECT_EQ(lido(QString("select ANNOME from AUGC3701 where ANCODIGO = %1").arg(alterado)),
              QStringList{"Marta Lima Souza"});
    EXPECT_EQ(lido(fantasia), guardada);
    EXPECT_EQ(janela.registros().fieldByName("NOME_FANTASIA")->asString(), guardada.value(0));
}

// Another customer clicked in the list with a contact deleted and not saved:
// asked as closing asks; "Cancelar" stays, and only "Sim" deletes it.
TEST_F(CadastroDetalheExclusaoTest, LeavingTheCustomerWithADeletedContactAsksFirst)
{
    const struct {
        const char* resposta;
        bool fica;
        const char* guardados;
    } casos[] = {{"Cancelar", true, "1"}, {"Não", false, "1"}, {"Sim", false, "0"}};
    for (const auto& c : casos) {
        const int linha = contato("Marta Lima");
        TfmCadastroHost& janela = cadastro("PJ", "00004");
        ASSERT_TRUE(janela.dbgdDetalhes.at(0)->dataset()->locate("ANCODIGO", linha));
        dialogs->answer("Sim", kConfirma).answer(c.resposta, "Deseja salvar as alterações ?");
        janela.bbExcluirDetalhes.at(0)->click();
        host::ui::DataGrid* lista = janela.dbgdLista;
        const QModelIndex outra = lista->model()->index(lista->currentIndex().row() == 0 ? 1 : 0, 0);
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(outra).center());
        EXPECT_EQ(dialogs->pending(), 0) << c.resposta << ": " << vistos();
        EXPECT_EQ(janela.registros().fieldByName("CODIGO_CLIENTE")->asString() == "00004", c.fica) << c.resposta;
        EXPECT_EQ(lido(QString("select count(*) from AUGC3701 where ANCODIGO = %1").arg(linha)),
                  QStringList{c.guardados})
            << c.resposta;
        janela.bbCancelar->click();
        janela.close();
    }
}

// Pieces of the demonstration's generator registered in the product's
// serial grid, one out on the rental contract, one on an order, one back
// from a service order, one never moved: only the last one is deleted, and
// no number is changed or typed again onto another piece's.
TEST_F(CadastroDetalheExclusaoTest, APieceThatMovedIsNeitherDeletedNorRenumbered)
{
    const char* const depois[][3] = {{"GER-5K-0009", "ACCODIGO, ACITCODIGO", "3, 5"},
                                     {"GER-5K-0010", "VECODIGO, OPCODIGO", "'000777', '1'"},
                                     {"GER-5K-0011", "AOCODIGO", "42"}};
    for (const char* serie : {"GER-5K-0009", "GER-5K-0010", "GER-5K-0011", "GER-5K-0012"})
        exec("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSMOVIMENTO, NSSTATUS, LECODIGO)"
             " values (gen_id(GEN_NSCODIGO, 1), :N, 'L0001', 'E', 'D', '001')", {{"N", serie}});
    for (const auto& [serie, colunas, valores] : depois)
        exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, %1) values (gen_id(GEN_NSCODIGO, 1),"
                     " :N, 'L0001', %2)").arg(colunas, valores), {{"N", serie}});
    tr().commitRetaining();
    const struct {
        const char *serie, *novo, *mensagem;   // novo: the number typed over it; null: the row deleted
    } casos[] = {
        {"GER-5K-0009", nullptr, " - GER-5K-0009 não pode ser excluído: está locado no contrato 3."},
        {"GER-5K-0010", nullptr, "não pode ser excluído: está no pedido \"000777\"."},
        {"GER-5K-0011", nullptr, "não pode ser excluído: possui movimentos posteriores (ordem de serviço 42)."},
        {"GER-5K-0009", "GER-5K-0099", "O Nº de série GER-5K-0009 não pode ser alterado: está locado no contrato 3."},
        {"GER-5K-0012", "GER-5K-0011", "Nº de série já cadastrado para o produto: GER-5K-0011"},
        {"", "GER-5K-0012", "Nº de série já cadastrado para o produto: GER-5K-0012"},
        {"GER-5K-0012", nullptr, nullptr},
    };
    for (const auto& c : casos) {
        TfmCadastroHost& janela = cadastro("PR", "L0001");
        host::ui::DataGrid* grade = janela.dbgdDetalhes.at(1);
        ASSERT_TRUE(!*c.serie || grade->dataset()->locate("NSNUMERO", c.serie)) << c.serie;
        if (!c.novo)
            dialogs->answer("Sim", kConfirma);
        if (c.mensagem)
            dialogs->acknowledge(c.mensagem);
        if (!c.novo) {
            janela.bbExcluirDetalhes.at(1)->click();
        } else {
            if (!*c.serie) {
                grade->setFocus();
                QTest::keyClick(grade, Qt::Key_Insert);
                escolheNaLista(grade, "LECODIGO", "001");
            }
            celula(grade, "NSNUMERO", c.novo, Qt::Key_Return);
        }
        janela.bbSalvar->click();
        EXPECT_EQ(dialogs->pending(), 0) << c.serie << " " << vistos();
        janela.bbCancelar->click();
        janela.close();
    }
    EXPECT_EQ(lido("select NSNUMERO from AUGC50NS where PRCODIGO = 'L0001' and NSMOVIMENTO = 'E' order by 1"),
              (QStringList{"GER-5K-0009", "GER-5K-0010", "GER-5K-0011"}));
}

}  // namespace
}  // namespace moduletest
