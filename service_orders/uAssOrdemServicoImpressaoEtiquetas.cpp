// The label kinds of the print dispatcher: the label sheet and the thermal
// labels of the order.

#include "service_orders/uAssOrdemServicoImpressao.h"

#include "service_orders/uAssOrdemServicoEtiquetas.h"

void ImprimirEtiquetasOrdemServico(TImpressaoOrdemServico Kind)
{
    if (Kind == iosEtiquetaTermica)
        ImprimirEtiquetaTermicaOrdemServico();
    else if (Kind == iosEtiquetaMatricial)
        ImprimirEtiquetaMatricialOrdemServico();
}
