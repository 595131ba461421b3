#include "data/uDataTecNumeroContrato.h"

#include "host/TravaExecucao.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include <QVariant>

void ExigeNumeroContratoLivre(const QString& numeroDigitado, int contrato)
{
    const QString numero = numeroDigitado.trimmed();
    if (numero.isEmpty())
        return;
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    if (!host::SegurarNome(tr, "AATC05AC " + numero))
        dmGlobal->MostraAviso("Aviso: operação abortada.\rNúmero do Contrato " + numero +
                                  " em gravação em outra estação neste momento. Tente novamente.",
                              true);
    const QVariant outro = host::db::selectValue(
        tr, "select first 1 ACCODIGO from AATC05AC where trim(ACNUMEROCONTRATO) = :NUMERO and ACCODIGO <> :ACCODIGO",
        {{"NUMERO", numero}, {"ACCODIGO", contrato}});
    if (outro.isValid() && !outro.isNull())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rNúmero do Contrato já cadastrado!", true);
}
