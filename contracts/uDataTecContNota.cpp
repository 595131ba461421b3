// The order and invoice of an instalment are made by the invoicing of
// contract instalments; until that is part of the system, an instalment
// asked to be invoiced at once is refused before anything is written for it.

#include "contracts/uDataTecCont.h"

#include "host/Udmglobal.h"

QString TdmTecContrato::GeraNotaParcelaContrato(const QString&, int, double, int, int, const QDateTime&,
                                                const QString&, bool, const QDateTime&, QString&)
{
    dmGlobal->MostraErro("Aviso: operação abortada.\rO faturamento de parcelas de contrato não está disponível.");
}

void TdmTecContrato::AbreEmissaoCarregaNota(const QString&, const QString&)
{
    dmGlobal->MostraErro("Aviso: operação abortada.\rO faturamento de parcelas de contrato não está disponível.");
}
