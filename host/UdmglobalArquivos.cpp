// The host's small text files of the system folder.

#include "host/Udmglobal.h"

#include "host/Uglobal.h"
#include "host/UportaImpressora.h"

bool TdmGlobal::RetornaLinhaArquivo(const QString& arquivo, int indice, QString& linha) const
{
    linha = RetornaLinhaArquivoTexto(ArquivoPastaSistema(arquivo), indice);
    return !linha.isEmpty();
}
