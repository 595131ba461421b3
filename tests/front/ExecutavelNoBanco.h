#pragma once
// The host executable run as people start it, on the test's database.

#include "tests/support/HostDatabase.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The host executable and the module library, set by the build.
extern const char* const TA_HOST_PATH;
extern const char* const TA_MODULE_PATH;

namespace testfront {

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
    QTemporaryDir dados;
    QString erros;
};

}  // namespace testfront
