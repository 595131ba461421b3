// "Excluir" in the host's customer register over a name the user has just
// typed: refused because the customer is in use, or by the database because
// another desk holds the customer's row. Either way the typed name stays,
// to be saved afterwards, and the customer's contacts stay on screen.

#include "host/UcadastroHost.h"
#include "host/Udmglobal.h"
#include "host/Uprincipal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/WindowRegistry.h"
#include "tests/support/HostDatabase.h"

#include <QPushButton>
#include <QTest>

namespace {

class CadastroHostExclusaoRecusadaTest : public testsupport::HostDemoDatabaseTest {
protected:
    void TearDown() override
    {
        host::ui::WindowRegistry::freeAll();
        testsupport::HostDemoDatabaseTest::TearDown();
    }
    // The customer register on a customer with one contact, its name then
    // typed over in the name box (left with Tab).
    TfmCadastroHost& clienteComNomeDigitado()
    {
        cliente = committed("select first 1 CODIGO_CLIENTE from AUGC0301 where PESSOA_FISICAOUJURIDICA = 'F'"
                            " order by CODIGO_CLIENTE desc")
                      .toString();
        exec("insert into AUGC3701 (ANCODIGO, ANVINCULOCODIGO, ANNOME, ANVINCULOCATEGORIA)"
             " values (gen_id(GEN_ANCODIGO, 1), :C, 'Marta Lima', 'C')",
             {{"C", cliente}});
        dmGlobal->IBTransaction1->commitRetaining();
        principal = std::make_unique<TfmPrincipal>();
        principal->AbrirCadastro("PF", cliente);
        auto* janela = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastroPF"));
        EXPECT_NE(janela, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowActive(janela));
        EXPECT_EQ(janela->registros().fieldByName("CODIGO_CLIENTE")->asString(), cliente);
        auto* nome = qobject_cast<host::ui::DataEdit*>(janela->controle("NOME"));
        EXPECT_NE(nome, nullptr);
        nome->setFocus();
        nome->selectAll();
        QTest::keyClicks(nome, "Nome Corrigido");
        QTest::keyClick(nome, Qt::Key_Tab);
        return *janela;
    }
    // The typed name still there and its contact still shown; then saved.
    void nomeEContatosFicam(TfmCadastroHost& janela)
    {
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
        EXPECT_TRUE(janela.registros().editing());
        EXPECT_EQ(janela.registros().fieldByName("NOME")->asString(), "Nome Corrigido");
        EXPECT_TRUE(janela.detalhe(0)->active());
        EXPECT_EQ(janela.dbgdDetalhes.at(0)->model()->rowCount(), 1) << "the contact is shown";
        janela.bbSalvar->click();
        EXPECT_EQ(committed("select NOME from AUGC0301 where CODIGO_CLIENTE = :C", {{"C", cliente}}).toString(),
                  "Nome Corrigido");
        EXPECT_EQ(committed("select count(*) from AUGC3701 where ANVINCULOCATEGORIA = 'C' and ANVINCULOCODIGO = :C",
                            {{"C", cliente}})
                      .toInt(),
                  1);
    }

    std::unique_ptr<TfmPrincipal> principal;
    QString cliente;
};

TEST_F(CadastroHostExclusaoRecusadaTest, ACustomerInUseKeepsTheTypedName)
{
    TfmCadastroHost& janela = clienteComNomeDigitado();
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, VALOR_DOCUMENTO)"
         " values ('X00001', :C, 1, 10)",
         {{"C", cliente}});
    dialogs->answer("Sim", "Confirma a exclusão").acknowledge("em uso em contas a receber");
    janela.bbExcluir->click();
    nomeEContatosFicam(janela);
}

TEST_F(CadastroHostExclusaoRecusadaTest, ARowAnotherDeskHoldsKeepsTheTypedNameAndTheContacts)
{
    TfmCadastroHost& janela = clienteComNomeDigitado();
    {
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction mesa(outra);
        ASSERT_EQ(host::db::executeSql(mesa, "update AUGC0301 set OBSERVACAO = 'em atendimento' where CODIGO_CLIENTE = :C",
                                       {{"C", cliente}}),
                  1);
        dialogs->answer("Sim", "Confirma a exclusão").acknowledge();
        janela.bbExcluir->click();
        mesa.rollback();
    }
    nomeEContatosFicam(janela);
}

}  // namespace
