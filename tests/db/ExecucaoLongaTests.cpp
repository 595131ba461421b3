// A long statement beside nothing held: the watch over engine calls, which
// tells (and gives up) a call waiting on a lock another process holds, says
// nothing of it.

#include "host/db/Database.h"
#include "tests/support/TestDatabase.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <mutex>

namespace {

std::mutex ditasMutex;
QStringList ditas;
QtMessageHandler anterior = nullptr;

void guardar(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    {
        std::lock_guard<std::mutex> lock(ditasMutex);
        ditas.append(texto);
    }
    if (anterior) anterior(tipo, contexto, texto);
}

class ExecucaoLonga : public testsupport::DatabaseTest {};

TEST_F(ExecucaoLonga, AStatementOfSecondsWithNoHeldLockIsNotTold) {
    anterior = qInstallMessageHandler(guardar);
    QElapsedTimer relogio;
    relogio.start();
    // Busy in the engine for five seconds: past the notice's three, and past
    // the watcher's looks at one a second.
    const QVariant voltas = one(
        "execute block returns (N integer) as declare variable INICIO timestamp; begin N = 0; "
        "INICIO = cast('NOW' as timestamp); "
        "while (datediff(millisecond from INICIO to cast('NOW' as timestamp)) < 5000) do N = N + 1; "
        "suspend; end");
    const qint64 levou = relogio.elapsed();
    qInstallMessageHandler(anterior);
    EXPECT_GT(voltas.toInt(), 0);
    EXPECT_GE(levou, 4900) << "the statement took less than the watcher needs to see it";
    std::lock_guard<std::mutex> lock(ditasMutex);
    EXPECT_FALSE(ditas.join('\n').contains("aguardando")) << ditas.join('\n').toStdString();
}

}  // namespace
