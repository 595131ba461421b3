// The host executable: opens (or creates) the database, creates dmGlobal and
// the main window, loads the technical-assistance module by name and hands
// it the windows the user asks for.
//
//   techassist [--banco ARQUIVO] [--janela "fmAssOrdemServico;42"]... [--autoteste] [--os-contratos]
//
// --os-contratos is the host's scheduled job: the periodic service orders of
// the contracts, made without a window; what was made goes to the output.

#include "app/BancoPadrao.h"
#include "app/CarregaModulo.h"
#include "app/DialogosConsole.h"
#include "app/JanelasPedidas.h"
#include "app/OrdensContratos.h"
#include "app/SinalEncerrar.h"
#include "app/VezDoInicio.h"

#include "host/Udmglobal.h"
#include "host/Uprincipal.h"
#include "host/Utesteautomatizado.h"
#include "host/data/DataModule.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"
#include "host/ui/Locale.h"
#include "host/ui/WindowRegistry.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <memory>
#include <optional>


namespace {

struct Opcoes {
    QString banco, usuario, senha, modulo;
    QStringList janelas;
    bool autoteste = false;
    bool ordensContratos = false;
    bool semJanelas() const { return autoteste || ordensContratos; }
};

const char* const kOpcaoOrdensContratos = "os-contratos";
const int kSemTela = 8;   // exit code of a start with windows on a machine with no display
const char* const kOpcaoAutoteste = "autoteste";

// The self-test and the scheduled job show no window and run where there may
// be no display at all (a scheduled job, a remote shell): they always run
// offscreen, whatever platform the environment names.
// Returns whether the run is one of them.
bool pedida(int argc, char** argv, const char* opcao)
{
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == QByteArray("--") + opcao)
            return true;
    return false;
}

bool semTelaParaExecucoesSemJanelas(int argc, char** argv)
{
    if (!pedida(argc, argv, kOpcaoOrdensContratos) && !pedida(argc, argv, kOpcaoAutoteste))
        return false;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}

// The windows need a display: without one, Qt's display plugin would end
// the program with an abort and its own English text. Told before Qt is
// started; a platform named that needs no display (offscreen, vnc...) runs.
bool semTelaParaJanelas(int argc, char** argv)
{
    const QByteArray plataforma = qgetenv("QT_QPA_PLATFORM").split(':').first();
    const bool precisaDeTela = plataforma.isEmpty() || plataforma == "xcb" || plataforma.startsWith("wayland");
    if (!precisaDeTela || !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty() ||
        pedida(argc, argv, "help") || pedida(argc, argv, "help-all"))
        return false;
    QTextStream(stderr) << "Não há tela disponível (DISPLAY e WAYLAND_DISPLAY estão vazias): as janelas do programa "
                           "precisam de uma tela. Sem tela funcionam --autoteste e --os-contratos."
                        << Qt::endl;
    return true;
}

Opcoes lerOpcoes(const QApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Assistência Técnica");
    parser.addHelpOption();
    QCommandLineOption banco("banco", "Banco de dados (arquivo ou servidor:caminho).", "banco", app::bancoPadrao());
    QCommandLineOption usuario("usuario", "Usuário do banco.", "usuario", "SYSDBA");
    QCommandLineOption senha("senha", "Senha do usuário.", "senha", "masterkey");
    QCommandLineOption modulo("modulo", "Biblioteca do módulo.", "modulo");
    QCommandLineOption janela("janela", "Abre a janela ao iniciar (nome[;argumento]).", "janela");
    QCommandLineOption autoteste(kOpcaoAutoteste, "Executa o teste automatizado e termina com o resultado.");
    QCommandLineOption ordensContratos(kOpcaoOrdensContratos,
                                       "Gera as ordens de serviço periódicas dos contratos, sem janelas, lista as"
                                       " geradas e termina.");
    parser.addOptions({banco, usuario, senha, modulo, janela, autoteste, ordensContratos});
    parser.process(app);
    return {parser.value(banco), parser.value(usuario), parser.value(senha), parser.value(modulo),
            parser.values(janela), parser.isSet(autoteste), parser.isSet(ordensContratos)};
}

int executarAutoteste(const app::Modulo& modulo)
{
    const bool executou = host::ui::runGuarded([&] { modulo.ShowJanelaTec("AutomatizacaoDeTeste"); });
    TFmTesteAutomatizado* teste = FmTesteAutomatizado.get();
    QTextStream saida(stdout);
    if (!executou || !teste) {
        saida << "O teste automatizado não foi executado." << Qt::endl;
        return 2;
    }
    saida << teste->Relatorio() << Qt::endl;
    return teste->Sucesso() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    host::db::prepareProcess();
    if (semTelaParaExecucoesSemJanelas(argc, argv))
        app::mensagensDoQtNoLog(pedida(argc, argv, kOpcaoOrdensContratos));
    else if (semTelaParaJanelas(argc, argv))
        return kSemTela;
    QApplication aplicacao(argc, argv);
    QApplication::setApplicationName("techassist");
    // From the first moment: the database client, which takes these signals
    // over at its first connection, hands them on to handlers set before it.
    app::encerrarComSinais();
    host::ui::useBrazilianPortuguese();   // numbers, dates and Qt's own texts ("Cancelar", "Sim", "Não")
    const Opcoes opcoes = lerOpcoes(aplicacao);
    // As the application does with any failure: a data module whose creation
    // handler fails (a schema upgrade stopped half-way) is reported and kept.
    host::data::setCreateFailureHandler(host::ui::showException);

    app::DialogosConsole console(opcoes.autoteste);
    if (opcoes.semJanelas())
        host::ui::Dialogs::setBackend(&console);

    if (!host::ui::runGuarded(app::prepararPastaDoSistema))
        return 3;
    // The start's messages (an upgrade's notices, a failure) wait until its
    // turn is over: other starts never wait on a message left unanswered.
    host::ui::HeldMessages mensagensDoInicio;
    std::unique_ptr<app::VezDoInicio> vez;
    std::unique_ptr<TdmGlobal> global;
    bool bancoNovo = false;
    const bool iniciou = host::ui::runGuarded([&] {
        bancoNovo = app::criarBancoQueFalta(opcoes.banco, opcoes.usuario, opcoes.senha);
        vez = app::VezDoInicio::tomar(opcoes.banco);
        if (!bancoNovo)
            app::completarBanco(opcoes.banco, opcoes.usuario, opcoes.senha);
        global = std::make_unique<TdmGlobal>(opcoes.banco, opcoes.usuario, opcoes.senha);
    });
    if (!iniciou)
        return 3;
    app::encerrarComSinais();   // ours again, not the client's first

    auto principal = std::make_unique<TfmPrincipal>();

    QLibrary biblioteca;
    app::Modulo modulo;
    QString erro;
    if (!app::carregarModulo(biblioteca, app::caminhoModulo(opcoes.modulo), modulo, erro)) {
        host::ui::Dialogs::error("Não foi possível carregar o módulo Assistência.\r" + erro);
        return 4;
    }
    principal->OnAbrirJanela = [&modulo](const QString& nome) { modulo.ShowJanelaTec(nome); };
    const app::LancaOrdemServico lanca = app::resolverLancaOrdemServico(biblioteca);
    app::ligarMenuOrdensContratos(*principal, lanca);
    if (!opcoes.semJanelas())
        principal->show();
    std::optional<host::db::LongStepNotice> atualizando;
    atualizando.emplace("Atualizando as tabelas do módulo no banco de dados " + opcoes.banco);
    host::ui::runGuarded([&] { modulo.CriarDataTec(); });
    // The contract tables' upgrade too, in this start's turn, whatever the
    // contracts option says: a window would otherwise run it later, beside
    // the upgrade of another start.
    if (modulo.CriarDataTecContrato)
        host::ui::runGuarded([&] { modulo.CriarDataTecContrato(); });
    // The demonstration documents need the module's tables: a new default
    // database gets them once the module's upgrade has run.
    if (bancoNovo)
        host::ui::runGuarded([] { host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate::currentDate()); });
    atualizando.reset();
    vez.reset();
    mensagensDoInicio.show();
    // What failed so far was the data modules' creation: the schema upgrade.
    const int errosDoInicio = console.erros();

    int resultado = 0;
    if (opcoes.ordensContratos) {
        resultado = app::executarOrdensContratos(lanca);
    } else if (opcoes.autoteste) {
        resultado = executarAutoteste(modulo);
        if (errosDoInicio > 0 && resultado == 0) {
            QTextStream(stdout) << "A atualização do banco de dados relatou erros." << Qt::endl;
            resultado = 5;
        }
    } else {
        for (const QString& nome : opcoes.janelas)
            host::ui::runGuarded([&] { app::abrirJanelaPedida(nome, modulo.ShowJanelaTec); });
        app::lacoPrincipalIniciado();
        resultado = aplicacao.exec();
    }
    // The windows and data modules go before dmGlobal and its connection.
    host::ui::WindowRegistry::freeAll();
    principal.reset();
    return resultado;
}
