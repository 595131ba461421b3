#include "tests/support/OutrosUsuarios.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <functional>

#include <grp.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {

namespace {

QByteArray caminho8(const QString& caminho) { return QFile::encodeName(caminho); }

const char* guardado(const char* marca)
{
    static QHash<QString, QByteArray> nomes;
    QByteArray& nome = nomes[marca];
    if (nome.isEmpty())
        nome = nomeDaExecucao(marca).toLocal8Bit();
    return nome.constData();
}

// The process whose user or group a name is, or 0 for a name not of a run.
qint64 execucaoDoNome(const QString& nome)
{
    static const QRegularExpression padrao("^techassist-(t1|t2|g|s)-([0-9]+)$");
    const QRegularExpressionMatch m = padrao.match(nome);
    return m.hasMatch() ? m.captured(2).toLongLong() : 0;
}

bool terminou(qint64 processo) { return !QFileInfo::exists(QString("/proc/%1").arg(processo)); }

// useradd, groupadd and their kin fail while another program holds the
// files they change (test programs run at once): they are tried again.
bool alterarContas(const QString& programa, const QStringList& argumentos, const std::function<bool()>& feito)
{
    for (int tentativa = 0; tentativa < 50 && !feito(); ++tentativa) {
        if (executarAteOFim(programa, argumentos))
            break;
        QThread::msleep(100);
    }
    return feito();
}

template <class Predicado>
void removerContas(Predicado daExecucao)
{
    if (::geteuid() != 0)
        return;
    QStringList usuarios, grupos;
    ::setpwent();
    while (const passwd* pw = ::getpwent())
        if (const qint64 dono = execucaoDoNome(QString::fromLocal8Bit(pw->pw_name)); dono && daExecucao(dono))
            usuarios << QString::fromLocal8Bit(pw->pw_name);
    ::endpwent();
    ::setgrent();
    while (const group* gr = ::getgrent())
        if (const qint64 dono = execucaoDoNome(QString::fromLocal8Bit(gr->gr_name)); dono && daExecucao(dono))
            grupos << QString::fromLocal8Bit(gr->gr_name);
    ::endgrent();
    for (const QString& usuario : usuarios)
        alterarContas("userdel", {usuario}, [&] { return !::getpwnam(caminho8(usuario).constData()); });
    for (const QString& grupo : grupos)
        alterarContas("groupdel", {grupo}, [&] { return !::getgrnam(caminho8(grupo).constData()); });
}

// The system's temporary folder when every user can reach it, else /tmp.
QString temporariaDeTodos()
{
    QString pasta = QFileInfo(QDir::tempPath()).canonicalFilePath();
    for (QString p = pasta; !p.isEmpty() && p != "/"; p = QFileInfo(p).path()) {
        struct stat st {};
        if (::stat(caminho8(p).constData(), &st) != 0 || !(st.st_mode & S_IXOTH))
            return "/tmp";
    }
    return pasta;
}

const QString kPrefixoPasta = "techassist-outros-";

void removerPastas(const std::function<bool(qint64)>& daExecucao)
{
    const QDir temporaria(temporariaDeTodos());
    for (const QFileInfo& pasta : temporaria.entryInfoList({kPrefixoPasta + "*"}, QDir::Dirs | QDir::NoSymLinks)) {
        const qint64 dono = pasta.fileName().mid(kPrefixoPasta.size()).section('-', 0, 0).toLongLong();
        if (dono > 0 && pasta.ownerId() == ::geteuid() && daExecucao(dono))
            QDir(pasta.filePath()).removeRecursively();
    }
}

// The libraries of this build a program loads (those outside the system's
// folders), as the loader finds them.
QStringList bibliotecasDoBuild(const QString& arquivo)
{
    QProcess ldd;
    ldd.start("ldd", {arquivo});
    // A list cut short would show later only as the loader's error in the other user's run.
    if (!ldd.waitForFinished(30000))
        qFatal("ldd %s did not end in 30 s", caminho8(arquivo).constData());
    static const QRegularExpression resolvida("=>\\s+(/\\S+)");
    QStringList bibliotecas;
    for (const QString& linha : QString::fromLocal8Bit(ldd.readAllStandardOutput()).split('\n')) {
        const QString caminho = resolvida.match(linha).captured(1);
        if (!caminho.isEmpty() && !caminho.startsWith("/usr/") && !caminho.startsWith("/lib"))
            bibliotecas << caminho;
    }
    return bibliotecas;
}

// A copy of the program, of the libraries beside it (a module it loads by
// name) and of the build's libraries these load, in a folder other users
// reach; the libraries are found there through LD_LIBRARY_PATH.
QString copiaAlcancavel(const QString& programa)
{
    static QHash<QString, QString> copias;
    if (copias.contains(programa))
        return copias.value(programa);
    const QString pasta = pastaParaOutrosUsuarios() + QString("/programa-%1").arg(copias.size());
    QDir().mkpath(pasta);
    ::chmod(caminho8(pasta).constData(), 0755);
    QStringList arquivos{programa};
    for (const QFileInfo& vizinha : QFileInfo(programa).dir().entryInfoList({"*.so"}, QDir::Files))
        arquivos << vizinha.filePath();
    for (const QString& arquivo : QStringList(arquivos))
        arquivos += bibliotecasDoBuild(arquivo);
    arquivos.removeDuplicates();
    for (const QString& arquivo : arquivos) {
        const QString copia = pasta + "/" + QFileInfo(arquivo).fileName();
        // A copy that failed would show later only as the loader's error in the other user's run.
        if (!QFile::copy(arquivo, copia))
            qFatal("could not copy %s for the other users: %s", caminho8(arquivo).constData(), caminho8(copia).constData());
        ::chmod(caminho8(copia).constData(), 0755);
    }
    copias.insert(programa, pasta + "/" + QFileInfo(programa).fileName());
    return copias.value(programa);
}

}  // namespace

QString nomeDaExecucao(const char* marca)
{
    return QString("techassist-%1-%2").arg(marca).arg(::getpid());
}

const char* donoTeste() { return guardado("t1"); }
const char* outroTeste() { return guardado("t2"); }
const char* grupoTesteNome() { return guardado("g"); }

qint64 processoTerminado()
{
    QProcess p;
    p.start("true", {});
    p.waitForStarted();
    const qint64 numero = p.processId();
    p.waitForFinished();
    return numero;
}

bool executarAteOFim(const QString& programa, const QStringList& argumentos)
{
    QProcess p;
    p.start(programa, argumentos);
    return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool garantirGrupo(const QString& nome)
{
    return alterarContas("groupadd", {"-f", nome}, [&] { return ::getgrnam(caminho8(nome).constData()) != nullptr; });
}

QString garantirUsuarios()
{
    if (::geteuid() != 0)
        return "not run as root: other OS users cannot be made";
    if (!executarAteOFim("setpriv", {"--version"}))
        return "setpriv is missing";
    if (!garantirGrupo(grupoTesteNome()))
        return "the test group could not be made (groupadd)";
    for (const char* usuario : {donoTeste(), outroTeste()})
        if (!alterarContas("useradd", {"-M", "-N", "-g", grupoTesteNome(), "-s", "/usr/sbin/nologin", usuario},
                           [&] { return ::getpwnam(usuario) != nullptr; }))
            return QString("the test user %1 could not be made (useradd)").arg(usuario);
    return {};
}

uid_t uidDe(const char* usuario) { return ::getpwnam(usuario)->pw_uid; }

gid_t grupoTeste() { return ::getgrnam(grupoTesteNome())->gr_gid; }

QStringList comoUsuario(const char* usuario)
{
    const passwd* pw = ::getpwnam(usuario);
    return {QString("--reuid=%1").arg(pw->pw_uid), QString("--regid=%1").arg(pw->pw_gid), "--init-groups"};
}

QStringList comoUsuario(const char* usuario, const QString& programa)
{
    const QString copia = copiaAlcancavel(programa);
    return comoUsuario(usuario) + QStringList{"env", "LD_LIBRARY_PATH=" + QFileInfo(copia).path(), copia};
}

QString pastaParaOutrosUsuarios()
{
    static const QString pasta = [] {
        QByteArray modelo = caminho8(temporariaDeTodos() + "/" + kPrefixoPasta) +
                            QByteArray::number(qint64(::getpid())) + "-XXXXXX";
        if (!::mkdtemp(modelo.data()))
            qFatal("no folder for other users could be made in the temporary folder: %s", modelo.constData());
        ::chmod(modelo.constData(), 0755);
        return QFile::decodeName(modelo);
    }();
    return pasta;
}

void removerUsuariosDestaExecucao()
{
    const qint64 esta = ::getpid();
    removerContas([esta](qint64 dono) { return dono == esta; });
    removerPastas([esta](qint64 dono) { return dono == esta; });
}

void removerUsuariosDeExecucoesTerminadas()
{
    removerContas(terminou);
    removerPastas(terminou);
}

}  // namespace testsupport
