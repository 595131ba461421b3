#include "contract_data/uDataTecContParcelasTrava.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/db/RowHold.h"

#include <QString>

namespace uDataTecContParcelas {

namespace {

QString nomeTrava(int contrato) { return QStringLiteral("parcelas do contrato ") + QString::number(contrato); }

void recusaEmOutraEstacao(int contrato)
{
    dmGlobal->MostraAviso(QString("Aviso: operação abortada.\rO contrato %1 está sendo renovado ou tendo parcelas"
                                  " geradas em outra estação neste momento; nenhuma parcela foi gerada aqui.")
                              .arg(contrato),
                          true);
}

}  // namespace

ContratoEmGeracao::ContratoEmGeracao(host::db::Transaction& tr, int contrato)
    : tr_(tr), contrato_(contrato), trava_(nomeTrava(contrato))
{
    if (!trava_.obtida())
        recusaEmOutraEstacao(contrato);
    const host::db::RowsHeld linha = host::db::holdRows(tr, u"AATC05AC", {{"ACCODIGO", contrato}});
    if (linha.elsewhere())
        recusaEmOutraEstacao(contrato);
    if (!linha.one())
        dmGlobal->MostraAviso(QString("Aviso: operação abortada.\rO contrato %1 não existe mais (excluído por"
                                      " outro usuário); nenhuma parcela foi gerada para ele.")
                                  .arg(contrato),
                              true);
}

void ContratoEmGeracao::retoma()
{
    if (host::db::holdRows(tr_, u"AATC05AC", {{"ACCODIGO", contrato_}}).elsewhere())
        dmGlobal->MostraAviso(QString("Aviso: operação abortada.\rO contrato %1 passou a ser usado em outra estação;"
                                      " as parcelas geradas até aqui foram mantidas.")
                                  .arg(contrato_),
                              true);
}

}  // namespace uDataTecContParcelas
