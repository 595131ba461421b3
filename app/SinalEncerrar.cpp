#include "app/SinalEncerrar.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace app {

namespace {

int canal[2] = {-1, -1};
volatile sig_atomic_t noLaco = 0;

// Only what is safe in a signal handler: end at once, or one byte down a pipe.
void aoSinal(int sinal)
{
    if (!noLaco)
        ::_exit(128 + sinal);
    const char byte = 1;
    [[maybe_unused]] const ssize_t escrito = ::write(canal[1], &byte, 1);
}

}  // namespace

void encerrarComSinais()
{
    if (canal[0] >= 0 || ::pipe2(canal, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* aviso = new QSocketNotifier(canal[0], QSocketNotifier::Read, qApp);
    QObject::connect(aviso, &QSocketNotifier::activated, qApp, [] {
        char byte;
        while (::read(canal[0], &byte, 1) > 0) {
        }
        QApplication::quit();
    });
    struct sigaction acao = {};
    acao.sa_handler = aoSinal;
    sigemptyset(&acao.sa_mask);
    acao.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &acao, nullptr);
    ::sigaction(SIGINT, &acao, nullptr);
}

void lacoPrincipalIniciado() { noLaco = 1; }

}  // namespace app
