// The label kinds of the print dispatcher: the label sheet and the thermal
// labels are printed by their own units, which this call hands over to.

#include "service_orders/uAssOrdemServicoImpressao.h"

#include "host/Udmglobal.h"

void ImprimirEtiquetasOrdemServico(TImpressaoOrdemServico)
{
    // No label printing is linked into this build: say so instead of printing nothing.
    dmGlobal->MostraErro("Impressão de etiquetas indisponível: rotina de etiquetas não instalada.");
}
