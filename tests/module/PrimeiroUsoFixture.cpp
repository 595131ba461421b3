#include "tests/module/PrimeiroUsoFixture.h"

#include "app/BancoPadrao.h"
#include "contract_data/uDataTecCont.h"
#include "contracts/uAssContCad.h"
#include "data/uDataTec.h"
#include "host/UcadastroHost.h"
#include "host/Udmglobal.h"
#include "host/Uobservacao.h"
#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/ui/DataLookupCombo.h"
#include "host/Uprincipal.h"
#include "host/schema/HostParameters.h"
#include "host/schema/HostSchema.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/ScriptedDialogs.h"
#include "host/ui/WindowRegistry.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssEntradaEquip.h"
#include "rental/uAssVendas.h"
#include "service_orders/uAssSolicitacao.h"
#include "tests/module/ParametrosNaJanela.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace moduletest {

const LinhasDoPedido kLinhasDoPedido[2] = {
    {"AVEC85IT", &TfmAssVendas::tsEquipSolicitados, &TfmAssVendas::dbgdAssVendaItens},
    {"AVEC85LX", &TfmAssVendas::tsEquipConfigurados, &TfmAssVendas::dbgdAssVendaCotado},
};

namespace {

// What main() does on a first start: the default database is made in the
// user's data folder, the module's data modules upgrade it under the main
// window, and the demonstration documents follow.
QString bancoDoPrimeiroInicio()
{
    const QString dados = testsupport::uniqueFile("primeiro-inicio", "");
    QDir(dados).removeRecursively();
    QDir().mkpath(dados);
    const QByteArray antes = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(dados));
    const QString banco = app::bancoPadrao();
    const bool criado = app::criarBancoQueFalta(banco, "SYSDBA", "masterkey");
    if (antes.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", antes);
    if (!criado)
        throw std::runtime_error("the first start did not make the default database");
    // Only how pages reach the disk changes: the tests need no forced writes.
    {
        host::db::Connection conexao;
        conexao.open(testsupport::asynchronous(banco));
    }
    {
        host::ui::ScriptedDialogs informacoes;
        informacoes.setAutoAcknowledgeMessages(true);
        TdmGlobal global(banco, "SYSDBA", "masterkey");
        {
            TfmPrincipal principal;
            uPackageAss::CriarDataTec();
            host::loadDemoDocuments(*global.IBTransaction1, QDate::currentDate());
            global.IBTransaction1->commit();
            host::ui::WindowRegistry::freeAll();
            dmTecContrato.free();
            dmTec.free();
        }
    }
    const QString modelo = testsupport::uniqueFile("template-primeiro-inicio", ".fdb");
    QFile::remove(modelo);
    QFile::copy(banco, modelo);
    QFile::setPermissions(modelo, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QDir(dados).removeRecursively();
    return modelo;
}

}  // namespace

QString PrimeiroUsoTest::templatePath()
{
    static const QString modelo = bancoDoPrimeiroInicio();
    return modelo;
}

void PrimeiroUsoTest::SetUp()
{
    ContLocTest::SetUp();
    // The module's tests run without contracts; the walk keeps the defaults.
    for (const auto& p : host::schema::parameterDefaults())
        if (QLatin1String(p.name) == "ATOPCAOCONTRATO" || QLatin1String(p.name) == "ATUTILIZACONTRATOS")
            parametro(p.name, p.value);
    dialogs.reset();
    dialogs = std::make_unique<host::ui::ScriptedDialogs>([](const QString&) {});
    dialogs->setAutoAcknowledgeMessages(true);
    // The main window with the module's menus, as after a start.
    criarPrincipal();
    uPackageAss::CriarDataTec();
}

void PrimeiroUsoTest::clicaAba(host::ui::PageControl* paginas, host::ui::TabSheet* pagina)
{
    QTabBar* barra = paginas->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(pagina->pageIndex()).center());
    ASSERT_EQ(paginas->activePage(), pagina);
}

void PrimeiroUsoTest::escolheNaLista(host::ui::DataGrid* grade, const char* campo, const QString& inicio)
{
    grade->setFocus();
    grade->setSelectedIndex(grade->columnByField(campo)->index());
    grade->editCurrentCell();
    auto* lista = qobject_cast<QComboBox*>(grade->indexWidget(grade->currentIndex()));
    ASSERT_NE(lista, nullptr) << campo;
    QTest::keyClicks(lista, inicio);
    QTest::keyClick(lista, Qt::Key_Return);
}

void PrimeiroUsoTest::ctrlDeleteNaCelula(host::ui::DataGrid* grade, const char* campo)
{
    grade->setFocus();
    grade->setSelectedIndex(grade->columnByField(campo)->index());
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, grade->visualRect(grade->currentIndex()).center());
    ASSERT_TRUE(QTest::qWaitFor([grade] { return grade->indexWidget(grade->currentIndex()) != nullptr; }, 5000));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete, Qt::ControlModifier);
}

int PrimeiroUsoTest::pedidoDePecaComResponsavel(TfmAssSolicitacao& janela)
{
    janela.bbNovo->click();
    digita(janela.dbedOS, "42");
    janela.bbSalvar->click();
    const int numero = dmTec->quSolicitaAICODIGO->asInteger();
    host::ui::DataGrid* grade = janela.dbgdAssSolicitacao;
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_Insert);
    celula(grade, "PRCODIGO", "P0003");
    celula(grade, "AIQUANTIDADE", "2");
    escolheNaLista(grade, "DescricaoTecnico", "MARIA");
    return numero;
}

void PrimeiroUsoTest::pesquisa(const QString& coluna, const QVariant& valor)
{
    dialogs->modal("fmPesquisa", [coluna, valor](host::ui::Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toString().toStdString();
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
}

void PrimeiroUsoTest::parametroNaJanela(const QString& nome, const QString& valor)
{
    TfmParametros* parametros = parametrosDoMenu(*principal);
    ASSERT_NE(parametros, nullptr);
    digitaNaCelula(parametros->grdParametros, linhaDe(parametros->grdParametros, 0, nome), 1, valor);
    dialogs->acknowledge("Parâmetros gravados.");
    parametros->bbSalvar->click();
    parametros->close();
}

void PrimeiroUsoTest::excluiContratosDaDemonstracao(TfmAssContCad& form)
{
    for (const char* codigo : {"1", "2", "3"}) {
        pesquisa("ACCODIGO", codigo);
        form.sbPesqContrato->click();
        dialogs->answer("Sim", "Confirma a exclusão do registro?");
        form.bbExcluir->click();
    }
    EXPECT_EQ(lido("select count(*) from AATC05AC"), QStringList{"0"}) << vistos();
}

void PrimeiroUsoTest::excluiDocumentosDeAssistenciaDaDemonstracao()
{
    TfmAssVendas& vendas = abrirJanela(fmAssVendas, "fmAssVenda");
    for (int i = 0; i < 2; ++i) {
        vendas.sbProximo->click();
        dialogs->answer("Sim", "Deseja excluir o registro corrente?");
        vendas.bbExcluir->click();
    }
    vendas.close();
}

TfmAssContCadLocEquip& PrimeiroUsoTest::contratoDeLocacaoNovo(const QString& cliente)
{
    principal->miCadastroContrato->click();
    TfmAssContCadLocEquip* form = fmAssContCadLocEquip.get();
    EXPECT_NE(form, nullptr);
    form->btNovo->click();
    digita(form->dbedNumeroContrato, "HZ-1");
    digita(form->dbcbTipoDesc, "Locação de Equipamentos");
    testsupport::escolheComSetas(*form->dbcbVinculo, form->dbcbVinculo->findText("Principal", Qt::MatchStartsWith));
    partesESalva(*form, cliente);
    return *form;
}

TfmCadastroHost& PrimeiroUsoTest::cadastroDeProdutos()
{
    principal->miCadastroProduto->click();
    auto* janela = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastroPR"));
    EXPECT_NE(janela, nullptr);
    return *janela;
}

bool PrimeiroUsoTest::estoqueNoLocal(TfmCadastroHost& produtos, const QString& local, const QString& entrada)
{
    host::ui::DataGrid* estoque = detalheCom(produtos, "POENTRADA");
    if (!estoque)
        return false;
    linhaNoLocal(produtos, *estoque, local, "POENTRADA", entrada);
    return true;
}

TfmCadastroHost* PrimeiroUsoTest::cadastroEm(TMenuItem* menu, const QString& sigla, const QString& texto)
{
    menu->click();
    auto* janela = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastro" + sigla));
    EXPECT_NE(janela, nullptr) << sigla.toStdString();
    if (janela) {
        janela->edPesquisa->setText(texto);
        QTest::keyClick(janela->edPesquisa, Qt::Key_Return);
    }
    return janela;
}

void PrimeiroUsoTest::excluiNoCadastro(TMenuItem* menu, const QString& sigla, const QString& texto)
{
    TfmCadastroHost* janela = cadastroEm(menu, sigla, texto);
    ASSERT_NE(janela, nullptr);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    janela->bbExcluir->click();
    janela->close();
}

void PrimeiroUsoTest::estoqueBaixado(const QString& nome, const QString& entradas)
{
    TfmCadastroHost* produtos = cadastroEm(principal->miCadastroProduto, "PR", nome);
    ASSERT_NE(produtos, nullptr);
    host::ui::DataGrid* estoque = detalheCom(*produtos, "POENTRADA");
    ASSERT_NE(estoque, nullptr);
    estoque->setFocus();
    celula(estoque, "POSAIDA", entradas, Qt::Key_Return);
    produtos->bbSalvar->click();
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    estoque->setFocus();
    QTest::keyClick(estoque, Qt::Key_Delete, Qt::ControlModifier);
    produtos->bbSalvar->click();
    produtos->close();
}

host::ui::DataGrid* PrimeiroUsoTest::detalheCom(TfmCadastroHost& produtos, const char* coluna)
{
    host::ui::DataGrid* achada = nullptr;
    for (host::ui::DataGrid* grade : produtos.dbgdDetalhes)
        if (grade->columnByField(coluna))
            achada = grade;
    return achada;
}

void PrimeiroUsoTest::linhaNoLocal(TfmCadastroHost& produtos, host::ui::DataGrid& grade, const QString& local,
                                   const char* coluna, const QString& valor)
{
    grade.setFocus();
    QTest::keyClick(&grade, Qt::Key_Insert);
    escolheNaLista(&grade, "LECODIGO", local);
    celula(&grade, coluna, valor, Qt::Key_Return);
    produtos.bbSalvar->click();
}

QStringList PrimeiroUsoTest::recusas() const
{
    QStringList textos = dialogs->failures();
    for (const host::ui::DialogRequest& d : dialogs->shown())
        if (d.kind == host::ui::DialogKind::Warning || d.kind == host::ui::DialogKind::Error)
            textos << d.text;
    return textos;
}

void PrimeiroUsoTest::confirmaEntradaComObservacao(TfmAssEntradaEquip& janela)
{
    dialogs->answer("Sim", "Confirma a Entrada do(s) Equipamento(s) consultados?");
    dialogs->modal("fmObservacao", [](host::ui::Form& form) {
        auto& obs = static_cast<TfmObservacao&>(form);
        obs.dbmeObservacao->setFocus();
        QTest::keyClicks(obs.dbmeObservacao, "Voltou sem avaria");
        QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
    });
    janela.bbConfirma->click();
}

TfmAssVendas& PrimeiroUsoTest::novoDocumentoDeAssistencia(const QString& tipo)
{
    TfmAssVendas& venda = abrirJanela(fmAssVendas, "fmAssVenda");
    dialogs->answer(tipo, "Deseja cadastrar um novo registro?");
    venda.bbNovo->click();
    venda.dblcCliente->setKeyValue("00004");
    venda.dblcContato->setKeyValue(5);
    venda.dblcContatoEntrega->setKeyValue(5);
    venda.dblcContatoCobranca->setKeyValue(6);
    venda.bbSalvar->click();
    return venda;
}

host::ui::DataGrid* PrimeiroUsoTest::linhaNoPedido(TfmAssVendas& venda, const LinhasDoPedido& linhas,
                                                   const QString& produto)
{
    clicaAba(venda.pcPedido, venda.*linhas.aba);
    host::ui::DataGrid* grade = venda.*linhas.grade;
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_Insert);
    celula(grade, "CODIGO", produto);
    return grade;
}

}  // namespace moduletest
