// Runs one of Firebird's own tools (isql-fb, gbak, gfix...) on an embedded
// database through the folders the application uses on it:
//   techassist-firebird BANCO PROGRAMA [ARGUMENTOS...]
// BANCO must be among the arguments too, where the tool takes the
// database: it is handed the file's path with its links resolved, the file
// the lock folder was chosen for (a tool given another database would keep
// that one's locks in the wrong folder).
// The engine's root is this user's own (found as the application finds it,
// refused when another user made it or it is a link), and the lock folder
// is the database's, prepared as the application prepares it: for a
// group's database the tool runs the engine in a folder of its own holding
// links to the owner's lock files, so that whatever the tool's engine
// removes when it ends is never a name the application's processes open.
// A variable FIREBIRD or FIREBIRD_LOCK found in the environment is not
// trusted: it may name a folder of another user.

#include "host/db/Database.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kUso = 2;
constexpr int kPastasRecusadas = 3;
constexpr int kProgramaNaoExecutado = 127;

// The database's path as the engine is to open it, after its engine root
// and lock folder are prepared (FIREBIRD, FIREBIRD_LOCK).
QString prepararPastas(const QString& banco) {
    ::unsetenv("FIREBIRD");
    ::unsetenv("FIREBIRD_LOCK");
    if (host::db::Connection::isRemoteName(banco))
        throw host::db::DbError(QString("O banco %1 está num servidor: execute a ferramenta sem este programa.").arg(banco));
    host::db::checkDatabaseFile(banco);
    host::db::prepareEmbeddedEngine();
    const host::db::PinnedDatabase arquivo(banco);
    host::db::prepareLockFolder(arquivo.path());
    arquivo.checkStillThere();
    host::db::markLockFolderForLife(arquivo.path());
    return arquivo.path();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "Uso: %s BANCO PROGRAMA [ARGUMENTOS...]\n", argv[0]);
        return kUso;
    }
    const QByteArray banco = argv[1];
    std::vector<char*> argumentos(argv + 2, argv + argc);
    bool nomeado = false;
    for (char*& argumento : argumentos) nomeado = nomeado || banco == argumento;
    if (!nomeado) {
        std::fprintf(stderr, "O banco %s não está entre os argumentos de %s: dê-o à ferramenta também.\n", argv[1],
                     argv[2]);
        return kUso;
    }
    QByteArray caminho;
    try {
        caminho = QFile::encodeName(prepararPastas(QFile::decodeName(banco)));
    } catch (const host::db::DbError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return kPastasRecusadas;
    }
    for (char*& argumento : argumentos)
        if (banco == argumento) argumento = caminho.data();
    argumentos.push_back(nullptr);
    ::execvp(argumentos.front(), argumentos.data());
    std::fprintf(stderr, "O programa %s não pôde ser executado: %s.\n", argv[2], std::strerror(errno));
    return kProgramaNaoExecutado;
}
