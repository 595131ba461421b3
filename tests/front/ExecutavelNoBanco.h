#pragma once
// The host executable run as people start it, on the test's database.

#include "host/db/Database.h"
#include "tests/support/HostDatabase.h"
#include "tests/support/OutrosUsuarios.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>

#include <gtest/gtest.h>

#include <sys/stat.h>

// The host executable and the module library, set by the build.
extern const char* const TA_HOST_PATH;
extern const char* const TA_MODULE_PATH;

namespace testfront {

// The first line a start wrote that is not a notice of a slow wait: on a
// busy machine "aguardando há N s" can come before the start's own message.
inline QString primeiraMensagem(const QString& erros)
{
    for (const QString& linha : erros.split('\n'))
        if (!linha.contains("aguardando há"))
            return linha;
    return {};
}

struct InicioComBanco {
    bool terminou = false;
    int codigo = -1;
    QString saida, erros;
};

// The scheduled job (`--banco <banco> --os-contratos`, no window; or the
// run the options `modo` ask) started as `usuario` when given (a copy of the program
// that user reaches), with its temporary folder and a data folder of that
// user under `pasta` (folders every user may write are made there).
inline void comecarComBanco(QProcess& processo, const QString& banco, const QString& pasta,
                            const char* usuario = nullptr, const QStringList& modo = {"--os-contratos"})
{
    for (const char* sub : {"/dados", "/tmp"}) {
        QDir().mkpath(pasta + sub);
        ::chmod(QFile::encodeName(pasta + sub).constData(), 01777);
    }
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char* nome : {"FIREBIRD", "FIREBIRD_LOCK", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "XDG_CONFIG_HOME", "HOME"})
        ambiente.remove(nome);
    ambiente.insert("XDG_DATA_HOME", pasta + "/dados/" + (usuario ? usuario : "este"));
    ambiente.insert("TMPDIR", pasta + "/tmp");
    ambiente.insert("TECHASSIST_PASTA_TRAVAS", pasta + "/tmp");
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");   // a run with windows too
    processo.setProcessEnvironment(ambiente);
    const QStringList argumentos = QStringList{"--banco", banco} + modo;
    if (usuario)
        processo.start("setpriv", testsupport::comoUsuario(usuario, TA_HOST_PATH) + argumentos);
    else
        processo.start(TA_HOST_PATH, argumentos);
}

// Its end, waited for at most `limiteMs`: its exit code and outputs.
inline InicioComBanco terminarComBanco(QProcess& processo, const QString& banco, int limiteMs = 180000)
{
    const bool terminou = processo.waitForFinished(limiteMs);
    EXPECT_TRUE(terminou) << "techassist --banco " << banco.toStdString() << " did not end in " << limiteMs / 1000 << " s";
    if (!terminou) {
        processo.kill();
        processo.waitForFinished();
    }
    InicioComBanco i;
    i.terminou = terminou;
    i.codigo = terminou && processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
    i.saida = QString::fromLocal8Bit(processo.readAllStandardOutput());
    i.erros = QString::fromLocal8Bit(processo.readAllStandardError());
    return i;
}

// The job run to its end (in a folder of its own when `pasta` is empty).
inline InicioComBanco iniciarComBanco(const QString& banco, QString pasta = {}, const char* usuario = nullptr,
                                      int limiteMs = 180000)
{
    QTemporaryDir propria;
    if (pasta.isEmpty())
        pasta = propria.path();
    QProcess processo;
    comecarComBanco(processo, banco, pasta, usuario);
    return terminarComBanco(processo, banco, limiteMs);
}

class ExecutavelNoBanco : public testsupport::HostDemoDatabaseTest {
protected:
    // Runs the executable with `--banco <the test's database>` and the
    // options, with the test's own connection closed meanwhile: its standard
    // output (the error output goes to `erros`) and its exit code. Without a
    // platform the process gets none (a job needs no display); with one it
    // gets that one.
    QString executar(const QStringList& opcoes, int& codigo, const QString& plataforma = {})
    {
        global->IBTransaction1->commit();
        global.reset();
        const QString saida = executarAoLado(opcoes, codigo, plataforma);
        global = std::make_unique<TdmGlobal>(dbPath);
        return saida;
    }
    // The same with the test's connection left open as it is, for a test
    // that works beside the program as another desk would.
    QString executarAoLado(const QStringList& opcoes, int& codigo, const QString& plataforma = {})
    {
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("XDG_DATA_HOME", dados.path());
        ambiente.remove("QT_QPA_PLATFORM");
        if (!plataforma.isEmpty())
            ambiente.insert("QT_QPA_PLATFORM", plataforma);
        processo.setProcessEnvironment(ambiente);
        processo.start(TA_HOST_PATH, QStringList{"--banco", dbPath} + opcoes);
        EXPECT_TRUE(processo.waitForFinished(180000)) << "techassist " << opcoes.join(' ').toStdString()
                                                      << " did not end in 180 s";
        codigo = processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
        erros = QString::fromUtf8(processo.readAllStandardError());
        return QString::fromUtf8(processo.readAllStandardOutput());
    }
    // The test's database as an earlier version left it: its tables
    // granted to nobody but their owner (the generators were granted).
    void comoVersaoAnterior()
    {
        host::db::executeSql(*global->IBTransaction1,
                             "execute block as declare variable TABELA varchar(63); begin"
                             " for select distinct trim(RDB$RELATION_NAME) from RDB$USER_PRIVILEGES"
                             "   where RDB$USER = 'PUBLIC' and RDB$OBJECT_TYPE in (0, 1) into TABELA do"
                             "   execute statement 'REVOKE ALL ON ' || TABELA || ' FROM PUBLIC'; end");
        global->IBTransaction1->commitRetaining();
    }
    // A periodic-order contract due today (approved in advance, base 10 days
    // ago), with `equipamentos` rows of equipment; left uncommitted.
    void contratoDevido(int contrato, int equipamentos = 1)
    {
        const QDate hoje = QDate::currentDate();
        exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACCONTRATANTE, ACCODIGOINTEGRACAO, ACAPROVAIP,"
             " ACDATAIMPLANTACAO, ACDATAVALIDADE, ACDATABASE) values (:C, '00002', '00002', '30-MENSAL', 'S',"
             " :IMP, :VAL, :BASE)",
             {{"C", contrato},
              {"IMP", QDateTime(hoje.addDays(-60), QTime(0, 0))},
              {"VAL", QDateTime(hoje.addDays(300), QTime(0, 0))},
              {"BASE", QDateTime(hoje.addDays(-10), QTime(0, 0))}});
        for (int i = 1; i <= equipamentos; ++i)
            exec("insert into AUGC03CO (COCODIGO, ACCODIGO, AECODIGO, COSERIE, COIDENTIFICADOR)"
                 " values (:CO, :C, 1, :SERIE, 'E')",
                 {{"CO", contrato * 10000 + i}, {"C", contrato}, {"SERIE", "SN-" + QString::number(contrato * 10000 + i)}});
    }
    QTemporaryDir dados;
    QString erros;
};

}  // namespace testfront
