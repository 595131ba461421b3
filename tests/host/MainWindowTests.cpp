// The host main window: the menu items the module hooks, opening a window by
// name, and the parameters window.

#include "host/Uparametros.h"
#include "host/Uprincipal.h"
#include "host/Udatamod.h"
#include "tests/support/HostDatabase.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/TestDatabase.h"

#include "host/data/Abort.h"
#include "host/schema/HostParameters.h"

#include "host/ui/Layouts.h"
#include "host/ui/WindowRegistry.h"

#include <QHash>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QTest>

#include <string>

using testsupport::HostDatabaseTest;

class MainWindowTest : public HostDatabaseTest {};

TEST_F(MainWindowTest, TheFiveContractItemsTakeHandlerCaptionAndVisibility)
{
    TfmPrincipal window;
    ASSERT_EQ(fmPrincipal, &window);
    TMenuItem* items[] = {window.miCadastroContrato, window.miFaturamentoContrato, window.miCadastroObjeto,
                          window.miCadastroCobertura, window.miReajusteContrato};
    QStringList clicked;
    for (TMenuItem* item : items) {
        ASSERT_NE(item, nullptr);
        item->OnClick = [&clicked, item](QObject* sender) {
            clicked << sender->objectName();
            if (item->caption() == "Cadastro de Cobertura")
                host::abortOperation();   // a silent end inside a handler shows nothing
        };
    }
    window.miCadastroObjeto->setCaption("Cadastro de Objetos");
    window.miCadastroCobertura->setCaption("Cadastro de Cobertura");
    window.miCadastroCobertura->setVisible(false);
    for (TMenuItem* item : items)
        item->action()->trigger();
    EXPECT_EQ(clicked, (QStringList{"miCadastroContrato", "miFaturamentoContrato", "miCadastroObjeto",
                                    "miCadastroCobertura", "miReajusteContrato"}));
    EXPECT_FALSE(window.miCadastroCobertura->visible());
    EXPECT_EQ(window.findMenuItem("MICADASTROOBJETO")->caption(), "Cadastro de Objetos");
    EXPECT_TRUE(dialogs->shown().empty());
}

// A message without a title of its own is titled with the program's name,
// as its main window reads, never with the executable's file name.
TEST_F(MainWindowTest, MessagesAreTitledWithTheProgramsName)
{
    TfmPrincipal window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    testsupport::OnScreenDialogs naTela;
    dmGlobal->MostraAviso("Registro gravado.");
    ASSERT_EQ(naTela.seen().size(), 1u);
    EXPECT_EQ(naTela.seen()[0].title, "Assistência Técnica");
    EXPECT_EQ(naTela.seen()[0].title, window.windowTitle());
}

namespace {

// The captions of a menu's items, separators as "-" and hidden items left out.
QStringList itens(const QMenu* menu)
{
    QStringList captions;
    for (const QAction* a : menu->actions())
        if (a->isVisible())
            captions << (a->isSeparator() ? QString("-") : a->text());
    return captions;
}

QMenu* menu(const TfmPrincipal& window, const QString& title)
{
    for (QAction* a : window.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

}  // namespace

// What a clerk finds: the module's windows by their captions, grouped; the
// window names only in the developer's list.
TEST_F(MainWindowTest, TheModulesWindowsAreListedByCaptionInTheirGroups)
{
    TfmPrincipal window;
    QStringList titles;
    for (QAction* a : window.menuBar()->actions())
        titles << a->text();
    EXPECT_EQ(titles, (QStringList{"&Sistema", "C&adastros", "&Ordens de Serviço", "&Contratos", "&Locação",
                                   "&Pedidos de Assistência", "&Vendas"}));
    ASSERT_NE(menu(window, "&Ordens de Serviço"), nullptr);
    EXPECT_EQ(itens(menu(window, "&Ordens de Serviço")).mid(0, 2),
              (QStringList{"Ordem de Serviço", "Andamento das Ordens de Serviço"}));
    EXPECT_EQ(itens(menu(window, "&Contratos")).mid(0, 6),
              (QStringList{"Cadastro de Contratos", "Faturamento de Contratos", "Objetos", "Coberturas", "Reajuste",
                           "-"}));
    EXPECT_EQ(itens(menu(window, "&Contratos")).last(), "Gerar Ordens de Serviço dos Contratos");
    EXPECT_TRUE(itens(menu(window, "&Locação")).contains("Cadastro de Contrato de Locação de Equipamento"));
    EXPECT_EQ(itens(menu(window, "&Pedidos de Assistência")).first(), "Pedido de Assistência");
    for (const char* title : {"&Ordens de Serviço", "&Contratos", "&Locação", "&Pedidos de Assistência"})
        for (const QString& caption : itens(menu(window, title)))
            EXPECT_FALSE(caption.startsWith("fm")) << caption.toStdString();

    // A click opens the window by its name; the developer's list holds every name.
    QStringList opened;
    window.OnAbrirJanela = [&opened](const QString& nome) { opened << nome; };
    window.findMenuItem("miAssOrdemServico")->action()->trigger();
    window.findMenuItem("miAssVenda")->action()->trigger();
    EXPECT_EQ(opened, (QStringList{"fmAssOrdemServico", "fmAssVenda"}));
    auto* desenvolvedor = window.findChild<QMenu*>("mnJanelasDesenvolvedor");
    ASSERT_NE(desenvolvedor, nullptr);
    EXPECT_EQ(itens(desenvolvedor), TfmPrincipal::NomesJanelasModulo());
    desenvolvedor->actions().at(TfmPrincipal::NomesJanelasModulo().indexOf("fmAssContCad"))->trigger();
    EXPECT_EQ(opened.last(), "fmAssContCad");
    EXPECT_EQ(itens(menu(window, "&Sistema")).last(), "Sair");
}

TEST_F(MainWindowTest, StartsAtAUsableSizeAndRemembersTheSizeLeft)
{
    QTemporaryDir pasta;
    host::ui::Layouts::setFolder(pasta.path());
    {
        TfmPrincipal window;
        window.show();
        EXPECT_GE(window.width(), 800);
        EXPECT_GE(window.height(), 600);
        window.resize(900, 650);
        window.miSair->click();   // closing keeps the size
    }
    TfmPrincipal again;
    again.show();
    EXPECT_EQ(again.size(), QSize(900, 650));
    host::ui::Layouts::setFolder({});
}

TEST_F(MainWindowTest, AWindowIsOpenedByNameThroughTheApplicationsHandler)
{
    auto window = std::make_unique<TfmPrincipal>();
    dialogs->enter("fmAssOrdemServico;12", "Nome da janela").acknowledge("Janela não encontrada!");
    QStringList opened;
    window->OnAbrirJanela = [&opened](const QString& name) { opened << name; };
    window->miAbrirJanela->click();
    EXPECT_EQ(opened, QStringList{"fmAssOrdemServico;12"});
    window->OnAbrirJanela = nullptr;
    window->AbrirJanela("fmQualquer");
    window.reset();
    EXPECT_EQ(fmPrincipal, nullptr);
}

static TfmParametros* parametrosDoMenu(TfmPrincipal& window)
{
    window.miParametros->click();
    TfmParametros* parametros = nullptr;
    for (host::ui::Form* form : host::ui::WindowRegistry::forms())
        if (auto* aberta = qobject_cast<TfmParametros*>(form))
            parametros = aberta;
    return parametros;
}

// The parameters window opened from the menu shows every name whole: many
// share their first letters (ATALIQUOTA...), and a cut name reads as another.
TEST_F(MainWindowTest, ParametersWindowShowsEveryNameWhole)
{
    exec("insert into EMPRESA (CODIGO, NOME, UGESPECIFICOEMPRESA) values (1, 'Oficina', 4)");
    TfmPrincipal window;
    TfmParametros* parametros = parametrosDoMenu(window);
    ASSERT_NE(parametros, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parametros));
    for (QTableWidget* grid : {parametros->grdParametros, parametros->grdEmpresa}) {
        ASSERT_GT(grid->rowCount(), 1);
        for (int column = 0; column < grid->columnCount(); ++column) {
            if (grid->horizontalHeader()->visualIndex(column) == grid->columnCount() - 1)
                continue;   // stretched
            EXPECT_GE(grid->columnWidth(column), static_cast<QAbstractItemView*>(grid)->sizeHintForColumn(column))
                << grid->objectName().toStdString() << " " << column;
        }
    }
    parametros->close();
}

// The parameters keep the passwords that guard deletions and finished
// orders from everyone but the master user: only that user opens them.
TEST_F(MainWindowTest, OnlyTheMasterUserOpensTheParameters)
{
    testsupport::grantAllToPublic(tr());
    tr().commit();
    global.reset();
    global = std::make_unique<TdmGlobal>(dbPath, "JOAO", "x");
    ASSERT_FALSE(UsuarioMestre());
    TfmPrincipal window;
    dialogs->acknowledge("Apenas o usuário mestre");
    EXPECT_EQ(parametrosDoMenu(window), nullptr);
    EXPECT_EQ(dialogs->pending(), 0);
}

// Every parameter the system reads is shown first by what it does, in words;
// its field's name stays beside it.
TEST_F(MainWindowTest, ParametersWindowDescribesEveryParameter)
{
    TfmPrincipal window;
    TfmParametros* parametros = parametrosDoMenu(window);
    ASSERT_NE(parametros, nullptr);
    QTableWidget* grid = parametros->grdParametros;
    const int first = grid->horizontalHeader()->logicalIndex(0);
    ASSERT_NE(grid->horizontalHeaderItem(first), nullptr);
    EXPECT_EQ(grid->horizontalHeaderItem(first)->text(), "Descrição");
    QHash<QString, QString> described;
    for (int row = 0; row < grid->rowCount(); ++row)
        described.insert(grid->item(row, 0)->text(), grid->item(row, first) ? grid->item(row, first)->text() : "");
    for (const host::schema::ParameterDefault& field : host::schema::parameterDefaults()) {
        ASSERT_TRUE(described.contains(field.name)) << field.name;
        const std::string description = described[field.name].toStdString();
        EXPECT_FALSE(description.empty()) << field.name;
        EXPECT_NE(description, field.name);
    }
    parametros->close();
}

TEST_F(MainWindowTest, ParametersWindowEditsParametersAndCompany)
{
    exec("insert into EMPRESA (CODIGO, NOME, UGESPECIFICOEMPRESA) values (1, 'Oficina', 4)");
    dmGlobal->SetParametro("ATOPCAOCONTRATO", "S");
    dmGlobal->SetParametro("ATMODOOS", "");
    TfmParametros window;
    window.Carregar();
    auto rowOf = [](QTableWidget* grid, const QString& name) {
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->item(row, 0)->text() == name)
                return row;
        return -1;
    };
    const int option = rowOf(window.grdParametros, "ATOPCAOCONTRATO");
    const int company = rowOf(window.grdEmpresa, "Personalização");
    ASSERT_GE(option, 0);
    ASSERT_GE(company, 0);
    EXPECT_EQ(window.grdParametros->item(option, 1)->text(), "S");
    window.grdParametros->item(option, 1)->setText("Q");
    window.grdEmpresa->item(company, 1)->setText("16");
    dialogs->acknowledge("Parâmetros gravados.");
    window.bbSalvar->click();
    EXPECT_EQ(dmGlobal->Parametro("ATOPCAOCONTRATO"), "Q");
    EXPECT_EQ(dmGlobal->quEmpresa->fieldByName("UGESPECIFICOEMPRESA")->asInteger(), 16);
    EXPECT_EQ(dmGlobal->quEmpresa->fieldByName("NOME")->asString(), "Oficina");
    tr().rollback();
    dmGlobal->CarregaParametros();
    EXPECT_EQ(dmGlobal->Parametro("ATOPCAOCONTRATO"), "Q") << "saving committed";
}

// A value the database refuses: the error is shown, nothing of that save is
// kept (neither written nor remembered), and work pending elsewhere survives.
TEST_F(MainWindowTest, ParametersWindowSavesAllOrNothing)
{
    exec("insert into EMPRESA (CODIGO, NOME, UGESPECIFICOEMPRESA) values (1, 'Oficina', 4)");
    dmGlobal->SetParametro("ATOPCAOCONTRATO", "S");
    tr().commitRetaining();
    UpdateCampo("EMPRESA", "NOME", "'Pendente'", "where CODIGO = 1");
    TfmParametros window;
    window.Carregar();
    auto valueCell = [](QTableWidget* grid, const QString& name) -> QTableWidgetItem* {
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->item(row, 0)->text() == name)
                return grid->item(row, 1);
        return nullptr;
    };
    ASSERT_NE(valueCell(window.grdParametros, "ATOPCAOCONTRATO"), nullptr);
    ASSERT_NE(valueCell(window.grdEmpresa, "Personalização"), nullptr);
    valueCell(window.grdParametros, "ATOPCAOCONTRATO")->setText("E");
    valueCell(window.grdEmpresa, "Personalização")->setText("dezesseis");
    dialogs->acknowledge();
    EXPECT_NO_THROW(window.bbSalvar->click());
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].kind, host::ui::DialogKind::Error);
    EXPECT_EQ(dmGlobal->Parametro("ATOPCAOCONTRATO"), "S");
    EXPECT_EQ(one("select VALOR from PARAMETROS where NOME = 'ATOPCAOCONTRATO'").toString(), "S");
    EXPECT_EQ(one("select UGESPECIFICOEMPRESA from EMPRESA").toInt(), 4);
    EXPECT_EQ(one("select NOME from EMPRESA").toString(), "Pendente") << "other pending work is not rolled back";
    EXPECT_EQ(valueCell(window.grdParametros, "ATOPCAOCONTRATO")->text(), "E") << "what the user typed stays";
}

// A database without the demonstration rows has no parameter row at all:
// every field the system reads is still listed, empty, and can be set.
TEST_F(MainWindowTest, ParametersWindowListsEveryKnownFieldEvenWithoutARow)
{
    ASSERT_EQ(one("select count(*) from PARAMETROS").toInt(), 0);
    TfmParametros window;
    window.Carregar();
    auto valueCell = [&window](const QString& name) -> QTableWidgetItem* {
        for (int row = 0; row < window.grdParametros->rowCount(); ++row)
            if (window.grdParametros->item(row, 0)->text() == name)
                return window.grdParametros->item(row, 1);
        return nullptr;
    };
    // Fields of the module and of the host's own routines.
    for (const char* name : {"ATOPCAOCONTRATO", "ATMODOOS", "ATVENDAPRODUTOREPETIDO", "ATUSUARIOMESTRE",
                             "ATALIQUOTAPIS", "ATDATABLOQUEIOOS"}) {
        ASSERT_NE(valueCell(name), nullptr) << name;
        EXPECT_EQ(valueCell(name)->text(), "") << name;
    }
    valueCell("ATVENDAPRODUTOREPETIDO")->setText("N");
    dialogs->acknowledge("Parâmetros gravados.");
    window.Salvar();
    EXPECT_EQ(dmGlobal->Parametro("ATVENDAPRODUTOREPETIDO"), "N");
    EXPECT_EQ(one("select count(*) from PARAMETROS").toInt(), 1) << "only the field set gets a row";
}
