#include "app/VezDoInicio.h"

#include "host/db/Database.h"

#include <QFile>
#include <QTextStream>

#include <chrono>
#include <stdexcept>
#include <thread>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace {

// Far past the end of any database: the engine never locks there.
constexpr off_t kByteDaVez = off_t(1) << 62;
constexpr auto kEspera = std::chrono::minutes(5);

// The database file open for writing, or -1: only a regular file is opened
// (a device or a pipe named by mistake is the engine's to refuse).
int abrirBanco(const QString& banco)
{
    const QByteArray nome = QFile::encodeName(banco);
    struct stat st {};
    if (::stat(nome.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    const int arquivo = ::open(nome.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (arquivo >= 0 && (::fstat(arquivo, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(arquivo);
        return -1;
    }
    return arquivo;
}

enum class Tentativa { Tomada, Ocupada, Impossivel };

Tentativa tentar(int arquivo)
{
    struct flock trava {};
    trava.l_type = F_WRLCK;
    trava.l_whence = SEEK_SET;
    trava.l_start = kByteDaVez;
    trava.l_len = 1;
    if (::fcntl(arquivo, F_OFD_SETLK, &trava) == 0)
        return Tentativa::Tomada;
    return errno == EAGAIN || errno == EACCES || errno == EINTR ? Tentativa::Ocupada : Tentativa::Impossivel;
}

bool esperar(int arquivo)
{
    const auto limite = std::chrono::steady_clock::now() + kEspera;
    while (tentar(arquivo) == Tentativa::Ocupada) {
        if (std::chrono::steady_clock::now() > limite)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

}  // namespace

std::unique_ptr<VezDoInicio> VezDoInicio::tomar(const QString& banco)
{
    if (host::db::Connection::isRemoteName(banco))
        return nullptr;
    // A file others may only read is refused before its turn is awaited:
    // any of them could hold the turn off for ever.
    host::db::checkDatabaseFile(banco);
    const int arquivo = abrirBanco(banco);
    if (arquivo < 0)
        return nullptr;
    std::unique_ptr<VezDoInicio> vez(new VezDoInicio(arquivo));
    const Tentativa primeira = tentar(arquivo);
    if (primeira == Tentativa::Tomada)
        return vez;
    if (primeira == Tentativa::Impossivel)
        return nullptr;   // a file system without such locks: start without a turn, as before there was one
    QTextStream(stderr) << QString("Aguardando o início de outro processo sobre o banco de dados %1: a atualização "
                                   "do banco de dados é feita por um início de cada vez.")
                               .arg(banco)
                        << Qt::endl;
    if (!esperar(arquivo))
        throw std::runtime_error(QString("O início de outro processo sobre o banco de dados %1 não terminou em 5 "
                                         "minutos (uma mensagem dele aguarda resposta?). Inicie o programa "
                                         "novamente depois que ele terminar.")
                                     .arg(banco)
                                     .toStdString());
    return vez;
}

VezDoInicio::~VezDoInicio() { ::close(arquivo_); }

}  // namespace app
