#include "app/SinalEncerrar.h"

#include <QApplication>
#include <QSocketNotifier>

#include <chrono>
#include <string>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <semaphore.h>
#include <unistd.h>

namespace app {

namespace {

int canal[2] = {-1, -1};
volatile sig_atomic_t noLaco = 0;
volatile sig_atomic_t pedido = 0;   // the signal that asked the end, 0 none yet
sem_t prazo;                        // posted when a signal asks the end

// Only what is safe in a signal handler: end at once, one byte down a pipe,
// the deadline started.
void aoSinal(int sinal)
{
    if (!noLaco || pedido)
        ::_exit(128 + sinal);
    pedido = sinal;
    const char byte = 1;
    [[maybe_unused]] const ssize_t escrito = ::write(canal[1], &byte, 1);
    ::sem_post(&prazo);
}

// The end a signal asks, gentle or not, takes at most this long: a main
// thread waiting inside the database never reads the pipe, and the windows'
// close and the final detach can wait on the same lock. Work not committed
// is rolled back at the next start either way.
constexpr int kSegundosParaEncerrar = 8;

void vigiarPrazo()
{
    while (::sem_wait(&prazo) != 0) {
    }
    std::this_thread::sleep_for(std::chrono::seconds(kSegundosParaEncerrar));
    const std::string aviso = "O programa não terminou em " + std::to_string(kSegundosParaEncerrar) +
                              " s após o pedido de encerramento: encerrado sem aguardar.\n";
    [[maybe_unused]] const ssize_t escrito = ::write(STDERR_FILENO, aviso.data(), aviso.size());
    ::_exit(128 + pedido);
}

// The pipe the handler writes to and the thread of the deadline, once.
bool prepararCanal()
{
    if (canal[0] >= 0)
        return true;
    if (::pipe2(canal, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    ::sem_init(&prazo, 0, 0);
    std::thread(vigiarPrazo).detach();
    auto* aviso = new QSocketNotifier(canal[0], QSocketNotifier::Read, qApp);
    QObject::connect(aviso, &QSocketNotifier::activated, qApp, [] {
        char byte;
        while (::read(canal[0], &byte, 1) > 0) {
        }
        QApplication::quit();
    });
    return true;
}

}  // namespace

void encerrarComSinais()
{
    if (!prepararCanal())
        return;
    struct sigaction acao = {};
    acao.sa_handler = aoSinal;
    sigemptyset(&acao.sa_mask);
    acao.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &acao, nullptr);
    ::sigaction(SIGINT, &acao, nullptr);
}

void lacoPrincipalIniciado() { noLaco = 1; }

}  // namespace app
