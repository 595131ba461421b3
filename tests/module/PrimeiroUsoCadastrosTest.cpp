// A new company's first own records, through the host's registers opened
// from the main menu: a company customer with its bank data and a billing
// contact, a rental equipment and a service priced "950,50"; then, through
// the module's windows, a service order of the service for that customer
// billed to a receivable, and a rental contract of the equipment for it
// with the customer's bank data, its instalments forecast at the
// equipment's value and the first one billed at the customer's bank; and
// the order road of the same customer, from an order of the equipment to
// the billed instalment of the contract it becomes. None meets a refusal;
// everything is read back through a connection of its own.

#include "tests/module/PrimeiroUsoFixture.h"

#include "tests/module/JanelaLegivel.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/UcadastroHost.h"
#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/PageControl.h"
#include "host/ui/WindowRegistry.h"
#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssVendas.h"
#include "rental/uPesqAssContratosLocEquip.h"
#include "service_orders/uAssFaturamento.h"
#include "service_orders/uAssOrdemServico.h"
#include "tests/support/OnScreenDialogs.h"

#include <QComboBox>
#include <QDate>
#include <QDateTime>
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
    static void escolhe(TfmCadastroHost& janela, const char* coluna, const QString& inicio)
    {
        auto* lista = qobject_cast<QComboBox*>(janela.controle(coluna));
        ASSERT_NE(lista, nullptr) << coluna;
        escolhe(lista, inicio);
    }
    // The list's item whose text starts with the given one, reached with the arrow keys.
    static void escolhe(QComboBox* lista, const QString& inicio)
    {
        const int i = lista->findText(inicio, Qt::MatchStartsWith);
        ASSERT_GE(i, 0) << lista->objectName().toStdString() << " " << inicio.toStdString();
        testsupport::escolheComSetas(*lista, i);
    }

    // The company customer, saved, then its billing contact; its code.
    QString novoCliente()
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
        escolhe(clientes, "COBRANCA", "001");
        escolhe(clientes, "TIPO_PAGAMENTO", "2 - Duplicata");
        escolhe(clientes, "TABELA_VENCIMENTO", "01");
        clientes.bbSalvar->click();
        const QString cliente = clientes.registros().fieldByName("CODIGO_CLIENTE")->asString();
        host::ui::DataGrid* contatos = clientes.dbgdDetalhes.at(0);
        contatos->setFocus();
        QTest::keyClick(contatos, Qt::Key_Insert);
        escolheNaLista(contatos, "ANTIPO", "Cobran");
        celula(contatos, "ANNOME", "Roberto Financeiro", Qt::Key_Return);
        clientes.bbSalvar->click();
        clientes.close();
        return cliente;
    }
    // A product of the kind, group and price; its code.
    QString novoProduto(const QString& descricao, const QString& tipo, const QString& grupo, const QString& preco)
    {
        TfmCadastroHost& produtos = cadastro(principal->miCadastroProduto, "PR");
        produtos.bbNovo->click();
        campo(produtos, "DESCRICAO", descricao);
        escolhe(produtos, "COM_FAB_S_FS", tipo);
        escolhe(produtos, "GRUPO", grupo);
        campo(produtos, "UNIDADE_MEDIDA", "UN");
        campo(produtos, "PCO_VENDA", preco);
        produtos.bbSalvar->click();
        const QString codigo = produtos.registros().fieldByName("CODIGO")->asString();
        produtos.close();
        return codigo;
    }
    // A new line of one unit of the product typed in the grid.
    static void umaUnidade(host::ui::DataGrid* grade, const QString& produto)
    {
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Insert);
        celula(grade, "CODIGO", produto);
        celula(grade, "QUANTIDADE", "1", Qt::Key_Return);
    }
    // The first of next month, where the walks' forecasts start.
    static QDate primeiroDoMesQueVem()
    {
        return QDate::currentDate().addMonths(1).addDays(1 - QDate::currentDate().day());
    }
    // "Gerar Previsão" on the register's instalments page: three monthly
    // forecasts of the value (in cents) from the first of next month.
    void previsaoDeTresMeses(TfmAssContCadLocEquip& form, const QString& cliente, int contrato, const QString& valor)
    {
        aba(form, form.tsParcelas);
        dialogs->enter("3", "Informe o número de parcelas para previsão do contas a receber");
        dialogs->enter(primeiroDoMesQueVem().toString("dd/MM/yyyy"),
                       "Informe a data Inicial da previsão do contas a receber");
        form.bbPrevisionar->click();
        EXPECT_EQ(recusas(), QStringList{}) << vistos();
        const QString linha = cliente + "|" + valor + "|V";
        EXPECT_EQ(lido("select CODIGO_CLIENTE || '|' || cast(VALOR_DOCUMENTO * 100 as integer) || '|' || "
                       "SITUACAO_DOCUMENTO from ACRC5001 where AOCODIGO = " + QString::number(contrato) +
                       " order by DATA_VENCIMENTO"),
                  (QStringList{linha, linha, linha}))
            << vistos();
    }
    // The rental billing of next month's instalment of the customer's
    // contract: a receivable of the value (in cents) with its collection at
    // the customer's bank; the other forecasts wait.
    void primeiroMesFaturado(const QString& cliente, int contrato, const QString& valor)
    {
        principal->miFaturamentoContrato->click();
        TfmAssContFatLocEquip* faturamento = fmAssContFatLocEquip.get();
        ASSERT_NE(faturamento, nullptr);
        const QDate primeiro = primeiroDoMesQueVem();
        digita(faturamento->edCodCliente, cliente);
        faturamento->deDataIni->setDate(QDateTime(primeiro, QTime(0, 0)));
        faturamento->deDataFin->setDate(QDateTime(primeiro.addMonths(1).addDays(-1), QTime(0, 0)));
        faturamento->bbPesquisar->click();
        ASSERT_TRUE(faturamento->quConsulta->locate("ACCODIGO", contrato)) << vistos();
        dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
        faturamento->bbGerar->click();
        EXPECT_EQ(recusas(), QStringList{}) << vistos();
        EXPECT_EQ(lido("select cast(VALOR_DOCUMENTO * 100 as integer) || '|' || coalesce(SITUACAO_DOCUMENTO, '') "
                       "from ACRC5001 where CODIGO_CLIENTE = '" + cliente + "' and AOCODIGO = " +
                       QString::number(contrato) + " order by DATA_VENCIMENTO"),
                  (QStringList{valor + "|", valor + "|V", valor + "|V"}))
            << vistos();
        EXPECT_EQ(lido("select FBBANCO || '|' || cast(FBVALOR * 100 as integer) from ACRC50FB where "
                       "CODIGO_CLIENTE = '" + cliente + "'"),
                  QStringList{"001|" + valor})
            << vistos();
    }
};

TEST_F(PrimeiroUsoCadastrosTest, ANewCustomersServiceOrderOfANewServiceIsBilled)
{
    const QString cliente = novoCliente();
    const QString servico = novoProduto("Manutencao de prensa", "Serviço", "SRV", "950,50");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select PESSOA_FISICAOUJURIDICA || '|' || ESTADO || '|' || COBRANCA || '|' || TIPO_PAGAMENTO || "
                   "'|' || CGC_CNPJ from AUGC0301 where CODIGO_CLIENTE = '" + cliente + "'"),
              QStringList{"J|SP|001|2|11.222.333/0001-81"});
    EXPECT_EQ(lido("select ANNOME || '|' || ANVINCULOCATEGORIA || '|' || coalesce(ANTIPO, '-') from AUGC3701 where "
                   "ANVINCULOCODIGO = '" + cliente + "'"),
              QStringList{"Roberto Financeiro|C|2"});
    EXPECT_EQ(lido("select cast(PCO_VENDA * 100 as integer) || '|' || COM_FAB_S_FS || '|' || GRUPO from ACEC1101 where CODIGO = '" +
                   servico + "'"),
              QStringList{"95050|7|SRV"});

    TfmAssOrdemServico& os = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico");
    os.bbNovo->click();
    os.dblcCliente->setKeyValue(cliente);
    os.bbSalvar->click();
    const QString numero = dmTec->quOSAOCODIGO->asString();
    dialogs->answer("Não", "Deseja inserir equipamento no cadastro?");
    novaLinhaNaGrade(os.dbgdOrdemServicoItens, "AOITEQUIPDESCRICAO", "Prensa hidraulica");
    clicaAba(os.pcOrdemServico, os.tsServico);
    novaLinhaNaGrade(os.dbgdOrdemServicoServicos, "PRCODIGO", servico);
    os.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select PRCODIGO || '|' || cast(AAVALOR * 100 as integer) from AATC01AA where AOCODIGO = " + numero),
              QStringList{servico + "|95050"});
    os.close();

    // Billed: one receivable of the order's total for the customer.
    TfmAssFaturamento& faturamento = abrirJanela(fmAssFaturamento, "fmAssFaturamento");
    faturamento.bbPesquisar->click();
    ASSERT_TRUE(faturamento.quRegEnc->locate("AOCODIGO", numero.toInt())) << vistos();
    faturamento.dbgdAssFaturamentoPesq->onDblClick();
    pesquisa("CODIGO", "01");
    pesquisa("CODIGO_BANCO", "001");
    pesquisa("ASCODIGO", 1);
    faturamento.bbGera->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const QStringList documento = lido("select CRDOCUMENTO from AATC01AO where AOCODIGO = " + numero);
    ASSERT_EQ(documento.size(), 1);
    EXPECT_FALSE(documento.front().isEmpty()) << vistos();
    EXPECT_EQ(lido("select CODIGO_CLIENTE || '|' || cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where NUMERO_DOCUMENTO = '" +
                   documento.front() + "'"),
              QStringList{cliente + "|95050"});

    // Now used: the customer and the service stay.
    TfmCadastroHost& clientes = cadastro(principal->miCadastroPessoaJuridica, "PJ");
    clientes.pesquisar(cliente);
    dialogs->answer("Sim", "Confirma a exclusão");
    dialogs->acknowledge("ordens de serviço");
    clientes.bbExcluir->click();
    EXPECT_EQ(lido("select count(*) from AUGC0301 where CODIGO_CLIENTE = '" + cliente + "'"), QStringList{"1"});
}

// A part is no service: its code in the service grid is refused, once, and
// the line it leaves empty is not saved with the order.
TEST_F(PrimeiroUsoCadastrosTest, APartsCodeInTheServiceGridLeavesNoEmptyLine)
{
    const QString peca = novoProduto("Cilindro hidraulico", "Mercadoria", "PEC", "300");
    TfmAssOrdemServico& os = abrirJanela(fmAssOrdemServico, "fmAssOrdemServico");
    os.bbNovo->click();
    os.dblcCliente->setKeyValue("00004");
    os.bbSalvar->click();
    const QString numero = dmTec->quOSAOCODIGO->asString();
    novaLinhaNaGrade(os.dbgdOrdemServicoItens, "AOITEQUIPDESCRICAO", "Prensa hidraulica");
    clicaAba(os.pcOrdemServico, os.tsServico);
    novaLinhaNaGrade(os.dbgdOrdemServicoServicos, "PRCODIGO", peca);
    os.bbSalvar->click();
    EXPECT_EQ(dialogs->texts().count("Código não encontrado."), 1) << vistos();
    EXPECT_EQ(lido("select count(*) from AATC01AA where AOCODIGO = " + numero), QStringList{"0"});
}

TEST_F(PrimeiroUsoCadastrosTest, ANewCustomersRentalContractOfANewEquipmentIsBilled)
{
    const QString cliente = novoCliente();
    const QString equipamento = novoProduto("Guindaste 5 t", "Mercadoria", "LOC", "1200");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    TfmAssContCadLocEquip* form = &contratoDeLocacaoNovo(cliente);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const int contrato = cab("ACCODIGO").asInteger();
    ASSERT_GT(contrato, 0) << vistos();
    const QString ac = QString::number(contrato);
    EXPECT_EQ(lido("select ACCONTRATANTE || '|' || CLCODIGO || '|' || BCCODIGO || '|' || ACTIPOPAGAMENTO from "
                   "AATC05AC where ACCODIGO = " + ac),
              QStringList{cliente + "|" + cliente + "|001|2"})
        << "the customer's bank data";

    // The equipment on its page, through the product search.
    aba(*form, form->tsEquipamentos);
    host::ui::DataGrid* itens = form->dbgdAssContCadLocEquipItens;
    itens->setFocus();
    QTest::keyClick(itens, Qt::Key_Insert);
    pesquisa("CODIGO", equipamento);
    itens->setSelectedIndex(itens->columnByField("PRCODIGO")->index());
    itens->editButtonClick();
    celula(itens, "ACITQUANTIDADE", "1");
    celula(itens, "ACITVALORUNITARIO", "1200", Qt::Key_Return);
    form->btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select PRCODIGO from AATC05ACIT where ACCODIGO = " + ac), QStringList{equipamento}) << vistos();
    EXPECT_EQ(lido("select cast(ACVALOR * 100 as integer) || '|' || cast(ACVALORPARCELA * 100 as integer) from "
                   "AATC05AC where ACCODIGO = " + ac),
              QStringList{"120000|120000"})
        << "the equipment's value, which is the instalment's";

    // Three monthly forecasts from the first of next month, the first billed
    // with its collection at the customer's bank.
    previsaoDeTresMeses(*form, cliente, contrato, "120000");
    form->close();
    primeiroMesFaturado(cliente, contrato, "120000");
}

// The order road of the new customer under the installation's options: an
// order of the new equipment with the customer's contact, its checkout and
// release, the contract the order becomes, its forecast and the first
// instalment billed to a receivable of the customer.
TEST_F(PrimeiroUsoCadastrosTest, ANewCustomersOrderBecomesABilledRentalContract)
{
    const QString cliente = novoCliente();
    const QString equipamento = novoProduto("Plataforma elevatoria", "Mercadoria", "LOC", "800");
    const int contato = lido("select ANCODIGO from AUGC3701 where ANVINCULOCODIGO = '" + cliente + "'").value(0).toInt();
    ASSERT_GT(contato, 0) << vistos();

    TfmAssVendas& venda = abrirJanela(fmAssVendas, "fmAssVenda");
    dialogs->answer("Pedido", "Deseja cadastrar um novo registro?");
    venda.bbNovo->click();
    venda.dblcCliente->setKeyValue(cliente);
    venda.dblcContato->setKeyValue(contato);
    venda.dblcContatoEntrega->setKeyValue(contato);
    venda.dblcContatoCobranca->setKeyValue(contato);
    venda.bbSalvar->click();
    const QString pedido = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
    clicaAba(venda.pcPedido, venda.tsEquipSolicitados);
    umaUnidade(venda.dbgdAssVendaItens, equipamento);
    clicaAba(venda.pcPedido, venda.tsEquipConfigurados);
    umaUnidade(venda.dbgdAssVendaCotado, equipamento);
    venda.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select CODIGO_CLIENTE || '|' || ANCODIGOCONTATO || '|' || cast(VALOR_TOTAL * 100 as integer) from "
                   "AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'"),
              QStringList{cliente + "|" + QString::number(contato) + "|80000"})
        << vistos();
    venda.close();

    // Checkout and release of the order.
    TfmAssCheckoutConsulta& lista = abrirJanela(fmAssCheckoutConsulta, "fmAssCheckout");
    lista.cbStatus->setCurrentText("Todos");
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", pedido)) << vistos();
    lista.dbgdConsultaDblClick();
    TfmAssCheckout* checkout = fmAssCheckout;
    ASSERT_NE(checkout, nullptr);
    dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?");
    QTest::mouseClick(checkout->btConfirmarCheckout, Qt::LeftButton);
    dialogs->answer("Sim", "Confirme a liberação do Pedido \"" + pedido + "\" ?");
    QTest::mouseClick(checkout->bbLiberaFaturamento, Qt::LeftButton);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'"), QStringList{"N"})
        << vistos();
    checkout->close();

    // The order, opened from the list, becomes the contract.
    lista.bbPesquisar->click();
    ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", pedido)) << vistos();
    lista.miAbrirPedido->trigger();
    ASSERT_NE(fmAssVendas, nullptr);
    dialogs->answer("Sim", "Confirma a geração Contrato?");
    QTest::mouseClick(fmAssVendas->bbFinalizar, Qt::LeftButton);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const int contrato =
        lido("select ACCODIGO from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'").value(0).toInt();
    ASSERT_GT(contrato, 0) << vistos();
    const QString ac = QString::number(contrato);
    EXPECT_EQ(lido("select CLCODIGO || '|' || PRCODIGO from AATC05ACIT where ACCODIGO = " + ac),
              QStringList{cliente + "|" + equipamento});

    // Its forecast on the rental register.
    principal->miCadastroContrato->click();
    TfmAssContCadLocEquip* form = fmAssContCadLocEquip.get();
    ASSERT_NE(form, nullptr);
    dialogs->modal("fmPesquisaAssContratosLocEquip", [ac](host::ui::Form& janela) {
        auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
        d.edCodigo->setText(ac);
        d.bbPesquisa->click();
        ASSERT_TRUE(d.quConsulta->locate("ACCODIGO", ac.toInt()));
        d.dbgdContratosLocEquiDblClick();
    });
    form->btPesqContrato->click();
    ASSERT_EQ(cab("ACCODIGO").asInteger(), contrato) << vistos();
    previsaoDeTresMeses(*form, cliente, contrato, "80000");
    form->close();

    // The first month billed to a receivable of the customer at its bank.
    primeiroMesFaturado(cliente, contrato, "80000");
}

// "Excluir" on a row in use, in each register: the message names where it
// is used, and the row stays.
TEST_F(PrimeiroUsoCadastrosTest, EachRegisterKeepsARowInUse)
{
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, VALOR_DOCUMENTO) values ('X1', '00003', 1, 10)");
    exec("insert into ACBC16HC (HCCODIGO, HCDESCRICAO) values (90, 'Mensalidade')");
    exec("update AATC05AC set HCCODIGO = 90 where ACCODIGO = 3");
    exec("insert into ACXC9001 (CONTA, DESCRICAO) values ('000090', 'Receitas de locação')");
    exec("insert into ACXM9201 (CONTA, VALOR_ENTRADA) values ('000090', 10)");
    tr().commitRetaining();
    const struct {
        TMenuItem* item;
        const char* sigla;
        const char* codigo;
        const char* onde;
        const char* contagem;
    } registros[] = {
        {principal->miCadastroPessoaFisica, "PF", "00003", "contas a receber", "AUGC0301 where CODIGO_CLIENTE = '00003'"},
        {principal->miCadastroPessoaJuridica, "PJ", "00002", "contratos", "AUGC0301 where CODIGO_CLIENTE = '00002'"},
        {principal->miCadastroProduto, "PR", "L0001", "itens de contratos", "ACEC1101 where CODIGO = 'L0001'"},
        {principal->miCadastroOperacao, "OP", "5102", "pedidos", "AFVC0901 where COD_OP = '5102'"},
        {principal->miCadastroTabelaVencimento, "TV", "01", "pedidos", "AFVT0101 where CODIGO = '01'"},
        {principal->miCadastroHistorico, "HC", "90", "contratos", "ACBC16HC where HCCODIGO = 90"},
        {principal->miCadastroContaCaixa, "CX", "000090", "movimentos de caixa", "ACXC9001 where CONTA = '000090'"},
    };
    for (const auto& r : registros) {
        TfmCadastroHost& janela = cadastro(r.item, r.sigla);
        janela.pesquisar(QString(r.codigo));
        ASSERT_EQ(janela.registros().fieldByName(janela.descricao().chave.coluna)->asString(), r.codigo) << r.sigla;
        dialogs->answer("Sim", "Confirma a exclusão");
        dialogs->acknowledge(r.onde);
        janela.bbExcluir->click();
        EXPECT_EQ(dialogs->pending(), 0) << r.sigla << ": " << vistos();
        EXPECT_EQ(lido(QString("select count(*) from ") + r.contagem), QStringList{"1"}) << r.sigla;
        janela.close();
    }
}

// Each register as its menu item opens it on the first-start data, with a
// customer's contacts in their grid.
TEST_F(PrimeiroUsoCadastrosTest, PictureOfEachRegister)
{
    const struct {
        TMenuItem* item;
        const char* sigla;
    } registros[] = {{principal->miCadastroPessoaFisica, "PF"},       {principal->miCadastroPessoaJuridica, "PJ"},
                     {principal->miCadastroProduto, "PR"},            {principal->miCadastroOperacao, "OP"},
                     {principal->miCadastroTabelaVencimento, "TV"},   {principal->miCadastroHistorico, "HC"},
                     {principal->miCadastroContaCaixa, "CX"}};
    for (const auto& r : registros) {
        TfmCadastroHost& janela = cadastro(r.item, r.sigla);
        if (QLatin1String(r.sigla) == "PJ")
            janela.pesquisar("00002");
        guardaFoto(janela, QString("fmCadastro%1.png").arg(r.sigla));
        janela.close();
    }
}

}  // namespace
}  // namespace moduletest
