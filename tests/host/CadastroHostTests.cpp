// The host's register window, as a user works it from the main menu: a new
// row numbered by the host, a required field left empty, a price typed with
// a comma, a row another desk changed meanwhile, a row still in use, a
// customer's contacts, and the close question.

#include "host/UcadastroHost.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uprincipal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/WindowRegistry.h"
#include "tests/support/HostDatabase.h"
#include "tests/support/OnScreenDialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using testsupport::HostDemoDatabaseTest;

namespace {

class CadastroHostTest : public HostDemoDatabaseTest {
protected:
    void TearDown() override
    {
        host::ui::WindowRegistry::freeAll();
        HostDemoDatabaseTest::TearDown();
    }

    // The register the main menu's item opens.
    TfmCadastroHost& abrir(TMenuItem* TfmPrincipal::*item, const QString& sigla)
    {
        if (!principal)
            principal = std::make_unique<TfmPrincipal>();
        ((*principal).*item)->click();
        auto* janela = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastro" + sigla));
        EXPECT_NE(janela, nullptr);
        return *janela;
    }

    // Typed into the control of the column, then left.
    static void digita(TfmCadastroHost& janela, const QString& coluna, const QString& texto)
    {
        QWidget* controle = janela.controle(coluna);
        ASSERT_NE(controle, nullptr) << coluna.toStdString();
        if (auto* lista = qobject_cast<host::ui::DataComboBox*>(controle)) {
            // Reached with the arrow keys, as the keyboard's user does.
            const int i = lista->findText(texto);
            ASSERT_GE(i, 0) << texto.toStdString();
            testsupport::escolheComSetas(*lista, i);
            return;
        }
        auto* edit = qobject_cast<host::ui::DataEdit*>(controle);
        ASSERT_NE(edit, nullptr) << coluna.toStdString();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, texto);
        QTest::keyClick(edit, Qt::Key_Tab);
    }

    void outraMesa(const QString& sql)
    {
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction escrita(outra);
        ASSERT_EQ(host::db::executeSql(escrita, sql), 1) << sql.toStdString();
        escrita.commit();
    }

    std::unique_ptr<TfmPrincipal> principal;
};

TEST_F(CadastroHostTest, ANewProductTakesTheNextCodeAndAPriceTypedWithAComma)
{
    TfmCadastroHost& janela = abrir(&TfmPrincipal::miCadastroProduto, "PR");
    janela.show();
    janela.bbNovo->click();
    digita(janela, "DESCRICAO", "Furadeira de impacto");
    digita(janela, "COM_FAB_S_FS", "Mercadoria / peça");
    digita(janela, "GRUPO", "PEC - Peças");
    digita(janela, "UNIDADE_MEDIDA", "UN");
    digita(janela, "PCO_VENDA", "950,50");
    janela.bbSalvar->click();
    EXPECT_EQ(dialogs->texts(), QStringList{});
    const QString codigo = janela.registros().fieldByName("CODIGO")->asString();
    EXPECT_EQ(codigo.size(), 5);
    EXPECT_EQ(committed("select PCO_VENDA from ACEC1101 where CODIGO = :C", {{"C", codigo}}).toDouble(), 950.50);
    // The next one takes the number after it.
    janela.bbNovo->click();
    digita(janela, "DESCRICAO", "Serra circular");
    digita(janela, "COM_FAB_S_FS", "Mercadoria / peça");
    digita(janela, "GRUPO", "PEC - Peças");
    digita(janela, "UNIDADE_MEDIDA", "UN");
    janela.bbSalvar->click();
    EXPECT_EQ(janela.registros().fieldByName("CODIGO")->asString().toInt(), codigo.toInt() + 1);
}

TEST_F(CadastroHostTest, ARequiredFieldLeftEmptyIsRefusedAndTheTypingKept)
{
    TfmCadastroHost& janela = abrir(&TfmPrincipal::miCadastroPessoaJuridica, "PJ");
    const QVariant antes = committed("select count(*) from AUGC0301");
    janela.bbNovo->click();
    digita(janela, "NOME", "Oficina Nova Ltda");
    dialogs->acknowledge("CNPJ");
    janela.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_TRUE(janela.registros().editing());
    EXPECT_EQ(janela.registros().fieldByName("NOME")->asString(), "Oficina Nova Ltda");
    // A tax number whose check digits are wrong is refused as well.
    digita(janela, "CGC_CNPJ", "11222333000180");
    digita(janela, "ENDERECO", "Rua A, 1");
    digita(janela, "CIDADE", "Campinas");
    digita(janela, "ESTADO", "SP");
    dialogs->acknowledge("CNPJ inválido");
    janela.bbSalvar->click();
    EXPECT_EQ(committed("select count(*) from AUGC0301"), antes);
    digita(janela, "CGC_CNPJ", "11222333000181");
    janela.bbSalvar->click();
    EXPECT_EQ(committed("select PESSOA_FISICAOUJURIDICA || '|' || CGC_CNPJ from AUGC0301 where NOME = 'Oficina Nova Ltda'"),
              "J|11.222.333/0001-81");
}

TEST_F(CadastroHostTest, ASecondDesksSaveOfARowChangedMeanwhileIsRefused)
{
    TfmCadastroHost& janela = abrir(&TfmPrincipal::miCadastroOperacao, "OP");
    ASSERT_TRUE(janela.registros().locate("COD_OP", "5933"));
    digita(janela, "DESC_OP_NF", "Servicos prestados");
    outraMesa("update AFVC0901 set DESC_OP_NF = 'Prestação de serviços' where COD_OP = '5933'");
    dialogs->acknowledge("alterado por outro usuário");
    janela.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(committed("select DESC_OP_NF from AFVC0901 where COD_OP = '5933'"), "Prestação de serviços");
}

// The demonstration's companies and people are saved as they come: their
// tax numbers pass the register's check.
TEST_F(CadastroHostTest, EveryDemonstrationCustomerIsSavedAsItComes)
{
    TfmCadastroHost& empresas = abrir(&TfmPrincipal::miCadastroPessoaJuridica, "PJ");
    TfmCadastroHost& pessoas = abrir(&TfmPrincipal::miCadastroPessoaFisica, "PF");
    for (const QString codigo : {"00001", "00002", "00003", "00004", "00005"}) {
        const bool fisica = committed("select PESSOA_FISICAOUJURIDICA from AUGC0301 where CODIGO_CLIENTE = :C",
                                      {{"C", codigo}}) == "F";
        TfmCadastroHost& janela = fisica ? pessoas : empresas;
        ASSERT_TRUE(janela.registros().locate("CODIGO_CLIENTE", codigo)) << codigo.toStdString();
        digita(janela, "TELEFONE1", "(11)4000-" + codigo.right(4));
        janela.bbSalvar->click();
        EXPECT_EQ(dialogs->texts(), QStringList{}) << codigo.toStdString();
        EXPECT_EQ(committed("select TELEFONE1 from AUGC0301 where CODIGO_CLIENTE = :C", {{"C", codigo}}),
                  "(11)4000-" + codigo.right(4));
    }
}

// A typed code is the key of the stored row: changing it would be shown and
// never stored, and the rows naming it would lose their record.
TEST_F(CadastroHostTest, TheTypedCodeOfAStoredRowIsNotChanged)
{
    TfmCadastroHost& janela = abrir(&TfmPrincipal::miCadastroOperacao, "OP");
    ASSERT_TRUE(janela.registros().locate("COD_OP", "5933"));
    dialogs->acknowledge("O código não pode ser alterado.");
    digita(janela, "COD_OP", "5999");
    janela.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(janela.registros().fieldByName("COD_OP")->asString().trimmed(), "5933");
    EXPECT_EQ(committed("select count(*) from AFVC0901 where COD_OP in ('5933', '5999')").toInt(), 1);
    EXPECT_EQ(committed("select count(*) from AFVC0901 where COD_OP = '5933'").toInt(), 1);
}

// A label that opens the register on a customer finds that customer, whatever
// the register's search box held from before.
TEST_F(CadastroHostTest, OpenedOnACodeItShowsThatRecordWhateverWasSearched)
{
    TfmCadastroHost& janela = abrir(&TfmPrincipal::miCadastroPessoaFisica, "PF");
    ASSERT_FALSE(janela.registros().isEmpty());
    janela.registros().last();
    const QString codigo = janela.registros().fieldByName("CODIGO_CLIENTE")->asString();
    janela.edPesquisa->setText("ZZZ");
    principal->AbrirCadastro("PF", codigo);
    EXPECT_EQ(janela.registros().fieldByName("CODIGO_CLIENTE")->asString(), codigo);
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
}

// A record is found by its whole name or description typed in the search,
// names as long as their columns included.
TEST_F(CadastroHostTest, ARecordIsFoundByItsWholeName)
{
    const QString nomeInteiro = "Maria Aparecida dos Santos Oliveira Pereira da Cunha Barbosa";
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, PESSOA_FISICAOUJURIDICA) values ('00090', '" + nomeInteiro +
         "', 'F')");
    const struct {
        TMenuItem* TfmPrincipal::*item;
        const char* sigla;
        QString nome;
    } casos[] = {{&TfmPrincipal::miCadastroProduto, "PR", "Compressor de ar-condicionado 12000 BTUs"},
                 {&TfmPrincipal::miCadastroPessoaJuridica, "PJ", "Padaria Pão Quente Ltda."},
                 {&TfmPrincipal::miCadastroPessoaFisica, "PF", nomeInteiro}};
    for (const auto& caso : casos) {
        TfmCadastroHost& janela = abrir(caso.item, caso.sigla);
        janela.edPesquisa->setText(caso.nome);
        QTest::keyClick(janela.edPesquisa, Qt::Key_Return);
        EXPECT_EQ(dialogs->texts(), QStringList{}) << caso.sigla;
        EXPECT_EQ(janela.registros().recordCount(), 1) << caso.sigla;
        EXPECT_TRUE(janela.registros().fieldByName(janela.descricao().nome)->asString().startsWith(caso.nome))
            << caso.sigla;
    }
}

TEST_F(CadastroHostTest, ARowInUseIsNotDeletedAndAnUnusedOneIs)
{
    TfmCadastroHost& janela = abrir(&TfmPrincipal::miCadastroTabelaVencimento, "TV");
    exec("update AUGC0301 set TABELA_VENCIMENTO = '01' where CODIGO_CLIENTE = '00001'");
    ASSERT_TRUE(janela.registros().locate("CODIGO", "01"));
    dialogs->answer("Sim", "Confirma a exclusão");
    dialogs->acknowledge("em uso em clientes");
    janela.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(committed("select count(*) from AFVT0101 where CODIGO = '01'").toInt(), 1);

    janela.bbNovo->click();
    digita(janela, "DESCRICAO", "Trinta dias");
    digita(janela, "QUANTAS_VEZES", "1");
    janela.bbSalvar->click();
    const QString codigo = janela.registros().fieldByName("CODIGO")->asString();
    dialogs->answer("Sim", "Confirma a exclusão");
    janela.bbExcluir->click();
    EXPECT_EQ(committed("select count(*) from AFVT0101 where CODIGO = :C", {{"C", codigo}}).toInt(), 0);
}

TEST_F(CadastroHostTest, ACustomersContactsAreAddedAndGoWithIt)
{
    TfmCadastroHost& janela = abrir(&TfmPrincipal::miCadastroPessoaFisica, "PF");
    janela.bbNovo->click();
    digita(janela, "NOME", "Carla Souza");
    digita(janela, "CGC_CNPJ", "52998224725");
    digita(janela, "ENDERECO", "Rua B, 2");
    digita(janela, "CIDADE", "Santos");
    digita(janela, "ESTADO", "SP");
    janela.bbSalvar->click();
    const QString cliente = janela.registros().fieldByName("CODIGO_CLIENTE")->asString();
    host::data::Query& contatos = *janela.detalhe(0);
    contatos.append();
    contatos.fieldByName("ANNOME")->setText("Carla");
    contatos.fieldByName("ANTIPO")->setText("Cobrança");
    janela.bbSalvar->click();
    EXPECT_EQ(dialogs->texts(), QStringList{});
    EXPECT_EQ(committed("select ANVINCULOCATEGORIA || '|' || ANTIPO || '|' || ANNOME from AUGC3701 where "
                        "ANVINCULOCODIGO = :C",
                        {{"C", cliente}}),
              "C|2|Carla");

    // A supplier's contact under the same code belongs to the supplier.
    exec("insert into AUGC3701 (ANCODIGO, ANVINCULOCODIGO, ANNOME, ANVINCULOCATEGORIA) "
         "values (gen_id(GEN_ANCODIGO, 1), :C, 'Fornecedor', 'F')",
         {{"C", cliente}});
    dmGlobal->IBTransaction1->commitRetaining();
    janela.pesquisar(cliente);

    dialogs->answer("Sim", "Confirma a exclusão");
    janela.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(committed("select list(ANVINCULOCATEGORIA || '|' || ANNOME) from AUGC3701 where ANVINCULOCODIGO = :C",
                        {{"C", cliente}}),
              "F|Fornecedor");
    EXPECT_EQ(committed("select count(*) from AUGC0301 where CODIGO_CLIENTE = :C", {{"C", cliente}}).toInt(), 0);
}

TEST_F(CadastroHostTest, ClosingWithChangesAsksAndSaves)
{
    TfmCadastroHost& janela = abrir(&TfmPrincipal::miCadastroHistorico, "HC");
    janela.bbNovo->click();
    digita(janela, "HCDESCRICAO", "Mensalidade de contrato");
    dialogs->answer("Sim", "Deseja salvar as alterações");
    janela.close();
    EXPECT_EQ(committed("select count(*) from ACBC16HC where HCDESCRICAO = 'Mensalidade de contrato'").toInt(), 1);
}

}  // namespace
