#include "app/BancoPadrao.h"

#include "host/HostLog.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace {

host::db::ConnectOptions opcoesDe(const QString& nome, const QString& usuario, const QString& senha)
{
    host::db::ConnectOptions opcoes;
    opcoes.name = nome;
    opcoes.user = usuario;
    opcoes.password = senha;
    return opcoes;
}

// Adds what the schema of an existing database lacks.
void completarEsquema(const host::db::ConnectOptions& opcoes)
{
    host::db::Connection conexao;
    conexao.open(opcoes);
    {
        const host::db::LongStepNotice aviso("Completando as tabelas do banco de dados " + opcoes.name);
        host::db::Transaction transacao(conexao);
        host::createHostSchema(transacao);
        transacao.commit();
    }
    conexao.close();
}

// A default database being built: its name plus the building process.
QString nomeParcial(const QString& nome, qint64 processo)
{
    return QString("%1.%2.novo").arg(nome).arg(processo);
}

// Files left by first starts that were stopped (their process is gone).
void removerParciaisAbandonados(const QString& nome)
{
    const QFileInfo alvo(nome);
    const QRegularExpression parcial("^" + QRegularExpression::escape(alvo.fileName()) + "\\.([0-9]+)\\.novo$");
    for (const QFileInfo& arquivo : alvo.dir().entryInfoList(QDir::Files)) {
        const QRegularExpressionMatch m = parcial.match(arquivo.fileName());
        if (m.hasMatch() && !QFileInfo::exists("/proc/" + m.captured(1)))
            QFile::remove(arquivo.filePath());
    }
}

// A failure of the build told of the database the user knows, not of the
// name it is built under (the engine's text, the detail, included).
host::db::DbError comNomeDoBanco(const host::db::DbError& e, const QString& parcial, const QString& nome)
{
    QString mensagem = e.message(), texto = e.userText();
    return host::db::DbError(mensagem.replace(parcial, nome), e.sqlCode(), e.gdsCode(), e.sql())
        .withUserText(texto.replace(parcial, nome));
}

// The default database is built under a name of this process and takes its
// own name only once schema and demonstration data are complete, so a first
// start stopped half-way leaves nothing that later starts would reject. Of
// two first starts at once, the later one opens the database of the first.
bool criarBancoPadrao(const host::db::ConnectOptions& opcoes)
{
    const QString nome = opcoes.name;
    host::db::makePrivateFolder(QFileInfo(nome).absolutePath());
    removerParciaisAbandonados(nome);
    const QString parcial = nomeParcial(nome, QCoreApplication::applicationPid());
    QFile::remove(parcial);
    try {
        host::db::ConnectOptions novas = opcoes;
        novas.name = parcial;
        const host::db::LongStepNotice aviso("Criando o banco de dados " + nome +
                                             " (tabelas e dados de demonstração)");
        host::db::Connection conexao;
        conexao.create(novas);
        {
            host::db::Transaction transacao(conexao);
            host::createHostSchema(transacao);
            host::loadDemoData(transacao, opcoes.user);
            transacao.commit();
        }
        conexao.close();
    } catch (const host::db::DbError& e) {
        QFile::remove(parcial);
        throw comNomeDoBanco(e, parcial, nome);
    } catch (...) {
        QFile::remove(parcial);
        throw;
    }
    // A hard link, unlike a rename, never replaces a database that another
    // first start completed meanwhile.
    const int ligou = ::link(QFile::encodeName(parcial).constData(), QFile::encodeName(nome).constData());
    const int erro = errno;
    QFile::remove(parcial);
    if (ligou == 0)
        return true;
    if (erro != EEXIST)
        throw std::runtime_error(QString("Não foi possível criar o banco de dados \"%1\": %2")
                                     .arg(nome, QString::fromLocal8Bit(std::strerror(erro)))
                                     .toStdString());
    return false;   // completed by the caller, in the start's turn
}

// The first folder on the way to `nome` this user may not enter, or empty.
QString pastaFechada(const QString& nome)
{
    const QStringList partes = QFileInfo(nome).absolutePath().split('/', Qt::SkipEmptyParts);
    QString pasta;
    for (const QString& parte : partes) {
        pasta += "/" + parte;
        if (::access(QFile::encodeName(pasta).constData(), X_OK) != 0 && errno == EACCES)
            return pasta;
    }
    return {};
}

// Why a local database file cannot be looked at (its stat failed with
// `erro`, not for want of the file): a folder on the way this user may not
// enter, or the system's reason.
QString porQueInalcancavel(const QString& nome, int erro)
{
    if (erro == EACCES) {
        const passwd* pw = ::getpwuid(::geteuid());
        const QString usuario = pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(::geteuid());
        const QString pasta = pastaFechada(nome);
        if (!pasta.isEmpty())
            return QString("o usuário %1 do sistema não tem permissão para entrar na pasta \"%2\", %3")
                .arg(usuario, pasta, host::db::closedFolderAdvice(pasta));
        return QString("o usuário %1 do sistema não tem permissão para chegar ao arquivo").arg(usuario);
    }
    if (erro == ENOTDIR)
        return "uma parte do caminho não é uma pasta";
    if (erro == ELOOP)
        return "o caminho passa por links demais (um link aponta para si mesmo?)";
    if (erro == ENAMETOOLONG)
        return "o caminho é longo demais";
    return QString::fromLocal8Bit(std::strerror(erro));
}

// A local file that stat() cannot look at for a reason other than its
// absence is refused naming the reason: told as missing, the user would
// look for a file that is there.
void recusarInalcancavel(const QString& nome)
{
    struct stat st {};
    if (::stat(QFile::encodeName(nome).constData(), &st) == 0 || errno == ENOENT)
        return;
    const int erro = errno;
    throw std::runtime_error(QString("O banco de dados \"%1\" não pode ser alcançado: %2.")
                                 .arg(nome, porQueInalcancavel(nome, erro))
                                 .toStdString());
}

// A local name that is there but is no regular file (a device, a folder, a
// pipe named by mistake) is refused saying what it is: the engine would
// blame its lock folder or wait on the pipe.
void recusarNaoArquivo(const QString& nome)
{
    struct stat st {};
    if (::stat(QFile::encodeName(nome).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return;
    const char* tipo = S_ISDIR(st.st_mode)                        ? "é uma pasta"
                       : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "é um dispositivo"
                       : S_ISFIFO(st.st_mode)                       ? "é um canal (pipe)"
                                                                    : "não é um arquivo comum";
    throw std::runtime_error(
        QString("O banco de dados \"%1\" não pode ser usado: %2, não um arquivo de banco de dados.")
            .arg(nome, QString::fromUtf8(tipo))
            .toStdString());
}

}  // namespace

QString bancoPadrao() { return QDir(host::defaultSystemFolder()).filePath("techassist.fdb"); }

void prepararPastaDoSistema()
{
    const QString pasta = host::defaultSystemFolder();
    host::db::makePrivateFolder(pasta);
    host::db::makePrivateFolder(QDir(pasta).filePath("Log"));
}

void completarBanco(const QString& nome, const QString& usuario, const QString& senha)
{
    completarEsquema(opcoesDe(nome, usuario, senha));
}

bool criarBancoQueFalta(const QString& nome, const QString& usuario, const QString& senha)
{
    const host::db::ConnectOptions opcoes = opcoesDe(nome, usuario, senha);
    if (host::db::Connection::isRemoteName(nome))
        return false;
    if (QFileInfo::exists(nome)) {
        recusarNaoArquivo(nome);
        return false;
    }
    recusarInalcancavel(nome);
    // Only the default database is made on first use: a mistyped name must
    // not become an empty demonstration database in some other folder.
    if (QFileInfo(nome).absoluteFilePath() != QFileInfo(bancoPadrao()).absoluteFilePath())
        throw std::runtime_error(QString("O banco de dados \"%1\" não existe.").arg(nome).toStdString());
    return criarBancoPadrao(opcoes);
}

}  // namespace app
