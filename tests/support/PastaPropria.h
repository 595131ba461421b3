#pragma once
// A test or benchmark program's own home: every folder a program looks up in
// the environment (home, configuration, cache, data, runtime, temporary files
// and the engine's lock folders) points under one folder of the program, so
// that nothing it or the executables it starts write lands in the invoking
// user's own folders or in the machine's temporary folder. Header only: the
// benchmarks use it too.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>

namespace testsupport {

inline void morarEm(const QString& pasta)
{
    const auto definir = [&](const char* variavel, const QString& sub) {
        const QString caminho = pasta + "/" + sub;
        QDir().mkpath(caminho);
        // The runtime and lock folders must be this user's alone.
        ::chmod(QFile::encodeName(caminho).constData(), 0700);
        qputenv(variavel, QFile::encodeName(caminho));
    };
    QDir().mkpath(pasta);
    ::chmod(QFile::encodeName(pasta).constData(), 0700);
    definir("HOME", "casa");
    definir("XDG_CONFIG_HOME", "casa/.config");
    definir("XDG_CACHE_HOME", "casa/.cache");
    definir("XDG_DATA_HOME", "casa/.local/share");
    definir("XDG_RUNTIME_DIR", "execucao");
    definir("TMPDIR", "tmp");
    definir("TECHASSIST_PASTA_TRAVAS", "travas");
}

}  // namespace testsupport
