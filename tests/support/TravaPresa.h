#pragma once
// A lock of the engine that is never released, as a process killed or
// stopped inside the engine leaves it, and what a program beside it writes.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

namespace testsupport {

// The engine's name for a database in its lock files: the bytes of the
// file's device and inode numbers, in hexadecimal.
inline QString idNoMotor(const QString& banco) {
    struct stat st {};
    if (::stat(QFile::encodeName(banco).constData(), &st) != 0) return {};
    QByteArray bytes(reinterpret_cast<const char*>(&st.st_dev), sizeof st.st_dev);
    bytes.append(reinterpret_cast<const char*>(&st.st_ino), sizeof st.st_ino);
    return QString::fromLatin1(bytes.toHex());
}

// Holds the mutex that guards a shared file of the engine (16 bytes into
// the file, as the engine lays out its shared files' header) until it goes.
class MutexPreso {
public:
    explicit MutexPreso(const QString& arquivo) {
        fd = ::open(QFile::encodeName(arquivo).constData(), O_RDWR | O_CLOEXEC);
        if (fd < 0) return;
        void* mapa = ::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (mapa == MAP_FAILED) return;
        inicio = static_cast<char*>(mapa);
        timespec limite {};
        ::clock_gettime(CLOCK_REALTIME, &limite);
        limite.tv_sec += 10;
        preso = ::pthread_mutex_timedlock(mutex(), &limite) == 0;
    }
    ~MutexPreso() {
        if (preso) ::pthread_mutex_unlock(mutex());
        if (inicio) ::munmap(inicio, 4096);
        if (fd >= 0) ::close(fd);
    }
    MutexPreso(const MutexPreso&) = delete;
    MutexPreso& operator=(const MutexPreso&) = delete;
    bool preso = false;

private:
    pthread_mutex_t* mutex() { return reinterpret_cast<pthread_mutex_t*>(inicio + 16); }
    int fd = -1;
    char* inicio = nullptr;
};

// Reads the error output until it holds `texto`, the process ends or the
// time is up.
inline QByteArray errosAte(QProcess& processo, const QByteArray& texto, int ms) {
    QByteArray lido;
    QElapsedTimer relogio;
    relogio.start();
    while (!lido.contains(texto) && relogio.elapsed() < ms && processo.state() != QProcess::NotRunning) {
        processo.waitForReadyRead(200);
        lido += processo.readAllStandardError();
    }
    return lido + processo.readAllStandardError();
}

}  // namespace testsupport
