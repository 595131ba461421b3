// Uglobal: what the host does with a failure it reports, and the memory trim
// of long runs.

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/ui/Errors.h"

#include <QElapsedTimer>

#include <malloc.h>

void TratarExcecaoBanco(const QString& origem, std::exception_ptr falha, const QString& sql)
{
    const QString mensagem = TratarExcecao(falha);
    if (dmGlobal)
        dmGlobal->Log("[" + origem + "]", " EXCEPTION --> " + mensagem, sql);
}

QString TratarExcecao(std::exception_ptr falha)
{
    return host::ui::exceptionMessage(falha);
}

// Long runs ask for it after every row; giving memory back to the system
// costs more than a row's own work, so it is done at most every half second.
void TrimAppMemorySize()
{
    static QElapsedTimer ultimo;
    if (ultimo.isValid() && ultimo.elapsed() < 500)
        return;
    ultimo.start();
    malloc_trim(0);
}
