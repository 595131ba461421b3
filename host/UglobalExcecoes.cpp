// Uglobal: what the host does with a failure it reports, and the memory trim
// of long runs.

#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/ui/Errors.h"

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

void TrimAppMemorySize()
{
    malloc_trim(0);
}
