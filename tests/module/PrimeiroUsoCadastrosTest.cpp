// A new company's first own records, through the host's registers opened
// from the main menu: a company customer with its bank data and a billing
// contact, a service product priced "950,50"; then a service order for that
// customer, through the order window. None meets a refusal.

#include "tests/module/PrimeiroUsoFixture.h"

#include "data/uDataTec.h"
#include "host/UcadastroHost.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/PageControl.h"
#include "host/ui/WindowRegistry.h"
#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>

namespace moduletest {
namespace {

class PrimeiroUsoCadastrosTest : public PrimeiroUsoTest {
protected:
    TfmCadastroHost& cadastro(TMenuItem* item, const QString& sigla)
    {
        item->click();
        auto* janela = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastro" + sigla));
        EXPECT_NE(janela, nullptr) << sigla.toStdString();
        return *janela;
    }
    static void campo(TfmCadastroHost& janela, const char* coluna, const QString& texto)
    {
        digita(janela.controle(coluna), texto);
    }
};

TEST_F(PrimeiroUsoCadastrosTest, ANewCustomerAndProductAreRegisteredAndTheCustomerTakesAServiceOrder)
{
    TfmCadastroHost& clientes = cadastro(principal->miCadastroPessoaJuridica, "PJ");
    clientes.bbNovo->click();
    campo(clientes, "NOME", "Metalurgica Horizonte Ltda");
    campo(clientes, "NOME_FANTASIA", "Horizonte");
    campo(clientes, "CGC_CNPJ", "11222333000181");
    campo(clientes, "ENDERECO", "Av. das Industrias, 500");
    campo(clientes, "CIDADE", "Sorocaba");
    campo(clientes, "ESTADO", "sp");
    campo(clientes, "TELEFONE1", "(15)3222-1000");
    campo(clientes, "EMAIL", "contato@horizonte.com.br");
    campo(clientes, "COBRANCA", "001");
    campo(clientes, "TIPO_PAGAMENTO", "BO");
    clientes.bbSalvar->click();
    const QString cliente = clientes.registros().fieldByName("CODIGO_CLIENTE")->asString();
    ASSERT_FALSE(cliente.isEmpty()) << vistos();
    novaLinhaNaGrade(clientes.dbgdDetalhes.at(0), "ANNOME", "Roberto Financeiro");
    clientes.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select PESSOA_FISICAOUJURIDICA || '|' || ESTADO || '|' || COBRANCA || '|' || CGC_CNPJ "
                   "from AUGC0301 where CODIGO_CLIENTE = '" + cliente + "'"),
              QStringList{"J|SP|001|11.222.333/0001-81"});
    EXPECT_EQ(lido("select ANNOME || '|' || ANVINCULOCATEGORIA from AUGC3701 where ANVINCULOCODIGO = '" + cliente +
                   "'"),
              QStringList{"Roberto Financeiro|C"});

    TfmCadastroHost& produtos = cadastro(principal->miCadastroProduto, "PR");
    produtos.bbNovo->click();
    campo(produtos, "DESCRICAO", "Manutencao de prensa");
    campo(produtos, "GRUPO", "SRV");
    campo(produtos, "UNIDADE_MEDIDA", "HR");
    campo(produtos, "PCO_VENDA", "950,50");
    produtos.bbSalvar->click();
    const QString produto = produtos.registros().fieldByName("CODIGO")->asString();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select PCO_VENDA from ACEC1101 where CODIGO = '" + produto + "'"), QStringList{"950.5"});
    produtos.close();
    clientes.close();

    TfmAssOrdemServico& os = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico");
    os.bbNovo->click();
    os.dblcCliente->setKeyValue(cliente);
    os.bbSalvar->click();
    const QString numero = dmTec->quOSAOCODIGO->asString();
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    novaLinhaNaGrade(os.dbgdOrdemServicoItens, "AOITEQUIPDESCRICAO", "Prensa hidraulica");
    os.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select CLCODIGO from AATC01AO where AOCODIGO = " + numero), QStringList{cliente});
    EXPECT_EQ(lido("select AOITEQUIPDESCRICAO from AATC01AOIT where AOCODIGO = " + numero),
              QStringList{"Prensa hidraulica"});

    // Now used: the customer stays.
    TfmCadastroHost& denovo = cadastro(principal->miCadastroPessoaJuridica, "PJ");
    denovo.pesquisar(cliente);
    dialogs->answer("Sim", "Confirma a exclusão");
    dialogs->acknowledge("ordens de serviço");
    denovo.bbExcluir->click();
    EXPECT_EQ(lido("select count(*) from AUGC0301 where CODIGO_CLIENTE = '" + cliente + "'"), QStringList{"1"});
}

}  // namespace
}  // namespace moduletest
