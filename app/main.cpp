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
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTextStream>

#include <memory>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

// The turn's marker left by another user's start that has ended, or that
// names no process (`processo` 0): this user cannot take it over, and
// waiting for it would hold the start for the whole wait. Empty when the
// marker is this user's or its process still runs.
QString marcaDeOutroUsuario(const QString& marca, qint64 processo)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(marca).constData(), &st) != 0 || st.st_uid == ::geteuid())
        return {};
    if (processo > 0 && (::kill(pid_t(processo), 0) == 0 || errno == EPERM))
        return {};
    const passwd* pw = ::getpwuid(st.st_uid);
    return QString("A trava de início %1 foi deixada pelo usuário %2 do sistema %3, e este usuário não pode "
                   "removê-la: iniciando sem esperar a vez. Peça a esse usuário ou ao administrador que a remova.")
        .arg(marca, pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(st.st_uid),
             processo > 0 ? "por um processo que já terminou" : "sem nomear processo algum");
}

// A marker that names no process is no start's: a machine stopped between
// making it and writing it leaves one, and so does a file made by hand. A
// start holds its marker locked from the moment it makes it until it ends,
// so one that nobody holds is removed at once (as QLockFile removes one
// whose process is gone) instead of being waited on. Returns whether the
// marker is such a one and is still there (another user's, in a folder
// this user may not remove it from).
bool marcaSemProcessoFica(QLockFile& vez, const QString& marca)
{
    qint64 processo = 0;
    QString maquina, programa;
    struct stat st {};
    if (::lstat(QFile::encodeName(marca).constData(), &st) != 0 || vez.getLockInfo(&processo, &maquina, &programa))
        return false;
    const int fd = ::open(QFile::encodeName(marca).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return false;
    const bool livre = ::flock(fd, LOCK_SH | LOCK_NB) == 0;
    ::close(fd);
    if (!livre)
        return false;   // a start is writing it this instant
    vez.removeStaleLockFile();
    return ::lstat(QFile::encodeName(marca).constData(), &st) == 0;
}

// Starts on one database file take turns until its schema is up to date:
// two first starts at once would otherwise both upgrade the new database and
// the later one would meet the columns the first had just added.
std::unique_ptr<QLockFile> vezDoInicio(const QString& banco)
{
    if (host::db::Connection::isRemoteName(banco))
        return nullptr;
    if (!QFileInfo(QFileInfo(banco).absolutePath()).isDir())
        return nullptr;   // the missing database is refused afterwards
    const QString marca = banco + ".inicio";
    auto vez = std::make_unique<QLockFile>(marca);
    // No time limit (an upgrade may be long); the lock of a killed start names
    // a process that is gone, and is taken over. A start that waits says so.
    vez->setStaleLockTime(0);
    qint64 processo = 0;
    QString maquina, programa;
    if (marcaSemProcessoFica(*vez, marca) || vez->getLockInfo(&processo, &maquina, &programa)) {
        const QString alheia = marcaDeOutroUsuario(marca, processo);
        if (!alheia.isEmpty()) {
            QTextStream(stderr) << alheia << Qt::endl;
            return nullptr;
        }
    }
    if (vez->tryLock(3000))
        return vez;
    if (vez->error() != QLockFile::LockFailedError)
        return nullptr;   // not ours to take (another user's folder): start without waiting
    vez->getLockInfo(&processo, &maquina, &programa);
    QTextStream(stderr) << QString("Aguardando o início de outro processo (%1) sobre o banco de dados: trava %2.")
                               .arg(processo)
                               .arg(marca)
                        << Qt::endl;
    if (!vez->tryLock(297000))
        return nullptr;
    return vez;
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
    std::unique_ptr<QLockFile> vez = vezDoInicio(opcoes.banco);
    std::unique_ptr<TdmGlobal> global;
    bool bancoNovo = false;
    const bool iniciou = host::ui::runGuarded([&] {
        bancoNovo = app::prepararBanco(opcoes.banco, opcoes.usuario, opcoes.senha);
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
    host::ui::runGuarded([&] { modulo.CriarDataTec(); });
    // The demonstration documents need the module's tables: a new default
    // database gets them once the module's upgrade has run.
    if (bancoNovo)
        host::ui::runGuarded([] { host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate::currentDate()); });
    // What failed so far was the data modules' creation: the schema upgrade.
    const int errosDoInicio = console.erros();
    vez.reset();

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
