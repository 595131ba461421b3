#include "host/OpcaoDigitada.h"

#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"

namespace host {

void RecusaOpcaoDigitada(const host::data::Field& campo, const QString& texto)
{
    QString rotulo = host::data::shownCaption(campo);
    if (rotulo.isEmpty())
        rotulo = host::data::userLabel(campo);
    dmGlobal->MostraAviso((rotulo.isEmpty() ? QString() : rotulo + ": ") + "\"" + texto.trimmed() +
                              "\" não é uma das opções da lista.",
                          true);
    // MostraAviso with abort never returns; kept for the compiler.
    host::abortOperation();
}

}  // namespace host
